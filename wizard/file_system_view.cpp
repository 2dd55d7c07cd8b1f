#include "file_system_view.h"

#include "advance/advance_lists.h"
#include "device/sector_access.h"
#include "engine_ui.h"
#include "file_system_form.h"
#include "file_system_scan.h"
#include "first_view_hdd.h"
#include "main_frame.h"
#include "raw/raw_results.h"
#include "scan_completion.h"
#include "scan_control.h"
#include "second_display.h"
#include "second_view_hdd.h"
#include "shell_app.h"
#include "start_view.h"
#include "volumes/boot_params.h"
#include "wizard_state.h"
#include "wizard_step_controls.h"

namespace {

constexpr UINT kVolumeTreeId = 156;
constexpr UINT kSplitterId = 157;

const wchar_t kLogicalHint[] =
    L"You have selected logical drive for recovery. Please click [Next] to continue with recovery.";
const wchar_t kPartitionHint[] =
    L"Please select a partition from the left panel and press [Next] to continue with recovery";

void SetStepFlags(WizardFrameState& frame, int current) {
  frame.StepOneActive = current == 1;
  frame.StepTwoActive = current == 2;
  frame.StepThreeActive = current == 3;
  frame.StepFourActive = current == 4;
}

}  // namespace

CFileSystemView* FileSystemPage() { return dynamic_cast<CFileSystemView*>(WizardViews[kFileSystemPage]); }

IMPLEMENT_DYNCREATE(CFileSystemView, CWizardPageView)

BEGIN_MESSAGE_MAP(CFileSystemView, CWizardPageView)
ON_WM_CREATE()
AFX_WM_ENTRY(WM_TIMER, pThis->OnScanTimer(static_cast<UINT_PTR>(call.wParam)); return 0;)
ON_WM_SIZE()
ON_WM_CTLCOLOR()
ON_COMMAND(kNextButtonId, OnNextButton)
ON_COMMAND(kBackButtonId, OnBackButton)
ON_COMMAND(kStopButtonId, OnStopScan)
ON_COMMAND(kStartOverButtonId, OnStartOver)
END_MESSAGE_MAP()

CFileSystemView::CFileSystemView() { CreateArialFont(StatusFont, 16, 400); }

CFileSystemView::~CFileSystemView() {
  if (StatusBrush != nullptr) ::DeleteObject(StatusBrush);
}

int CFileSystemView::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CWizardPageView::OnCreate(lpcs) == -1) return -1;
  if (!VolumeTree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                         CRect(0, 0, 600, 300), this, kVolumeTreeId))
    return -1;

  CRect client;
  GetClientRect(&client);
  client.DeflateRect(20, 20);
  Info = new CFileSystemForm;
  CreateInfoPane(this, Info, client);
  Splitter.Create(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_BORDER | kSplitVertical, this, &VolumeTree, Info,
                  kSplitterId, client, 180, 620);
  VolumeTree.SetupImages();
  VolumeTree.Form = Info;

  CreateStepButtons(this, NextButton, BackButton, StartOverButton, StopButton);
  StatusLine.Create(L"", WS_CHILD | WS_VISIBLE, CRect(100, 0, 700, 200), this, kStatusLineId);
  StatusLine.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(StatusFont.GetSafeHandle()), TRUE);
  CreateStepProgress(this, ProgressBar, WS_CHILD | WS_VISIBLE | WS_BORDER, BarFont);
  // Nothing to navigate until the Advance Scan is over: the partition page
  // shows Next, Back and start-over then.
  for (CWnd* control : {static_cast<CWnd*>(&NextButton), static_cast<CWnd*>(&BackButton),
                        static_cast<CWnd*>(&StartOverButton), static_cast<CWnd*>(&StopButton),
                        static_cast<CWnd*>(&StatusLine)})
    ShowStepControl(*control, false);
  StatusBrush = ::CreateSolidBrush(RGB(255, 237, 150));
  CreateWizardButtonBar(ButtonBar, this);
  return 0;
}

void CFileSystemView::OnSize(UINT nType, int cx, int cy) {
  CWizardPageView::OnSize(nType, cx, cy);
  LayOutStepPage(*this, kSplitterId, cx, cy);
  PlaceWizardButtonBar(ButtonBar);
}

void CFileSystemView::OnDraw(CDC* pDC) { DrawStepPage(*this, pDC); }

HBRUSH CFileSystemView::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (nCtlColor == CTLCOLOR_STATIC && pWnd != nullptr && pWnd->GetDlgCtrlID() == static_cast<int>(kStatusLineId)) {
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));
    return StatusBrush;
  }
  return ::GetSysColorBrush(COLOR_WINDOW);
}

void CFileSystemView::SetStatusText(CString text) {
  if (StatusLine.GetSafeHwnd() != nullptr) StatusLine.SetWindowText(text);
}

void CFileSystemView::OnNextButton() {
  WizardFrameState& frame = WizardFrame();
  const int row = frame.SelectedTreeRow;
  if (row >= 0) {
    SetStepFlags(frame, 2);
    ShowStepControl(ProgressBar, true);
    ShowStepControl(StopButton, true);
    ShowStepControl(NextButton, false);
    ShowStepControl(BackButton, false);
    ShowStepControl(StartOverButton, false);
    ShowStepControl(StatusLine, true);
    frame.ScanIdle = 0;
    VolumeTree.EnableWindow(FALSE);
    frame.SelectedTreeRow = -1;
    // The bar is this page's before the worker's first step reaches it.
    m_scanRunsHere = true;
    ProgressBar.SendMessage(PBM_SETPOS, 0);
  }
  if (!StartPickedVolumeScan(row)) return;
  SetTimer(kScanTimer, 1000, nullptr);
  Ui().Wait(50);
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// The worker is paused at a poll point while the question is open; Stop
// stays disabled meanwhile so a second press cannot ask again.
void CFileSystemView::OnStopScan() {
  if (!ScanRunning || ScanStopFlag != 0) return;
  StopButton.EnableWindow(FALSE);
  if (StopPickedVolumeScan() == 0) {
    if (ScanRunning) StopButton.EnableWindow(TRUE);
    return;
  }
  ProgressBar.ShowWindow(SW_HIDE);
  ShowStepControl(StopButton, false);
  ShowStepControl(StatusLine, true);
  SetStepFlags(WizardFrame(), 3);
}

// The results are read only once the worker has returned.
void CFileSystemView::OnScanTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kScanTimer && ScanHasEnded()) {
    KillTimer(kScanTimer);
    m_scanRunsHere = false;
    SetStepFlags(WizardFrame(), 4);
    EngineUi& ui = Ui();
    ui.SwitchView(kResultsPage);
    ui.Wait(500);
    ui.SetControl(ScanControl::ResultNext, true, true);
    ui.SetControl(ScanControl::ResultBack, true, true);
    ui.SetControl(ScanControl::ResultStartOver, true, true);
  }
  Default();
}

void CFileSystemView::OnBackButton() {
  KillTimer(kScanTimer);
  m_scanRunsHere = false;
  WizardFrameState& frame = WizardFrame();
  CSecondDisplay* pane = frame.ScanInfoPane;
  VolumeTree.DeleteAllItems();
  if (Info != nullptr) Info->ClearValues();
  if (pane != nullptr) pane->ClearValues();
  DeletePreviewTempFiles();
  if (pane != nullptr) {
    if (DriveKind == kLogicalDrive) {
      pane->HintLine.SetWindowText(kLogicalHint);
      pane->ShowVolumeInfo();
    } else {
      pane->ShowPartitionInfo(SelectedDriveIndex, PartitionParameters.logicalDriveIndex);
      pane->HintLine.SetWindowText(kPartitionHint);
    }
  }
  SetStepFlags(frame, 2);
  frame.ScanIdle = 1;
  frame.SelectedTreeRow = -1;
  if (CSecondView_HDD* scan = PartitionPage()) {
    scan->SetStatusText(CString());
    if (scan->ProgressBar.GetSafeHwnd() != nullptr) scan->ProgressBar.SendMessage(PBM_SETPOS, 0);
    scan->ShowChoosingLayout();
  }
  if (pane != nullptr) {
    if (DriveKind == kLogicalDrive) {
      pane->ShowVolumeSummary();
    } else if (DriveKind == kPhysicalDrive) {
      pane->ShowDiskRange();
      pane->ShowPartitionInfo(0, 0);
    }
    if (PartitionParameters.chosenType == kNtfs) {
      pane->CaptionStatics[4].SetWindowText(L"");
      pane->ValueStatics[4].SetWindowText(L"");
    }
  }
  FreeAdvanceScanLists();
  Ui().SwitchView(kScanPage);
}

void CFileSystemView::OnStartOver() {
  OnBackButton();
  if (CSecondView_HDD* scan = PartitionPage()) scan->OnBackButton();
  if (CFirstView_HDD* drive = DrivePage()) drive->OnBackButton();
}
