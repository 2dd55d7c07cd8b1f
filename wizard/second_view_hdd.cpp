#include "second_view_hdd.h"

#include "first_display.h"
#include "first_view_hdd.h"
#include "folder_listing.h"
#include "found_file_list_ctrl.h"
#include "main_frame.h"
#include "raw/raw_results.h"
#include "scan_control.h"
#include "second_display.h"
#include "shell_app.h"
#include "snapshot/snapshot.h"
#include "start_view.h"
#include "wizard_state.h"
#include "wizard_step_controls.h"

namespace {

constexpr UINT kPartitionTreeId = 162;
constexpr UINT kSplitterId = 164;

}  // namespace

IMPLEMENT_DYNCREATE(CSecondView_HDD, CWizardPageView)

BEGIN_MESSAGE_MAP(CSecondView_HDD, CWizardPageView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_KEYDOWN()
AFX_WM_ENTRY(WM_TIMER, pThis->OnScanTimer(static_cast<UINT_PTR>(call.wParam)); return 0;)
ON_WM_SETCURSOR()
ON_WM_CTLCOLOR()
ON_COMMAND(kNextButtonId, OnNextButton)
ON_COMMAND(kBackButtonId, OnBackButton)
ON_COMMAND(kStopButtonId, OnStopScan)
ON_COMMAND(kStartOverButtonId, OnStartOver)
END_MESSAGE_MAP()

CSecondView_HDD::CSecondView_HDD() { CreateArialFont(StatusFont, 16, 400); }

CSecondView_HDD::~CSecondView_HDD() {
  if (StatusBrush != nullptr) ::DeleteObject(StatusBrush);
}

int CSecondView_HDD::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CWizardPageView::OnCreate(lpcs) == -1) return -1;
  if (!PartitionTree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                            CRect(0, 0, 600, 300), this, kPartitionTreeId))
    return -1;

  CRect client;
  GetClientRect(&client);
  client.DeflateRect(20, 20);
  ScanInfo = new CSecondDisplay;
  CreateInfoPane(this, ScanInfo, client);
  Splitter.Create(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_BORDER | kSplitVertical, this, &PartitionTree,
                  ScanInfo, kSplitterId, client, 180, 620);
  PartitionTree.LoadImages();

  CreateStepButtons(this, NextButton, BackButton, StartOverButton, StopButton);
  StatusLine.Create(L"", WS_CHILD | WS_VISIBLE, CRect(100, 0, 700, 200), this, kStatusLineId);
  StatusLine.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(StatusFont.GetSafeHandle()), TRUE);
  CreateStepProgress(this, ProgressBar, WS_CHILD | WS_VISIBLE | WS_BORDER, BarFont);
  ShowStepControl(StatusLine, false);
  StatusBrush = ::CreateSolidBrush(RGB(255, 237, 150));
  WizardFrame().StepTwoView = this;
  CreateWizardButtonBar(ButtonBar, this);
  SendMessage(WM_SIZE, 0, 0);
  return 0;
}

void CSecondView_HDD::OnSize(UINT nType, int cx, int cy) {
  CWizardPageView::OnSize(nType, cx, cy);
  CRect client;
  GetClientRect(&client);
  LayOutStepPage(*this, kSplitterId, client.Width(), client.Height());
  PlaceWizardButtonBar(ButtonBar);
}

void CSecondView_HDD::OnDraw(CDC* pDC) { DrawStepPage(*this, pDC); }

HBRUSH CSecondView_HDD::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (nCtlColor == CTLCOLOR_STATIC && pWnd != nullptr && pWnd->GetDlgCtrlID() == static_cast<int>(kStatusLineId)) {
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));
    return StatusBrush;
  }
  return ::GetSysColorBrush(COLOR_WINDOW);
}

void CSecondView_HDD::SetStatusText(CString text) {
  if (StatusLine.GetSafeHwnd() != nullptr) StatusLine.SetWindowText(text);
}

void CSecondView_HDD::ShowChoosingLayout() {
  if (PartitionTree.GetSafeHwnd() == nullptr) return;
  PartitionTree.EnableWindow(TRUE);
  ShowStepControl(ProgressBar, false);
  ShowStepControl(StopButton, false);
  ShowStepControl(StatusLine, false);
  ShowStepControl(NextButton, true);
  ShowStepControl(BackButton, true);
  ShowStepControl(StartOverButton, true);
}

void CSecondView_HDD::ShowScanningLayout() {
  ShowStepControl(ProgressBar, true);
  ShowStepControl(StopButton, true);
  ShowStepControl(NextButton, false);
  ShowStepControl(BackButton, false);
  ShowStepControl(StartOverButton, false);
  if (ScanInfo != nullptr) {
    ShowStepControl(ScanInfo->ProgressToggle, true);
    ShowStepControl(ScanInfo->ProgressNote, true);
  }
  ShowStepControl(StatusLine, true);
  PartitionTree.EnableWindow(FALSE);
  WizardFrame().ScanIdle = 0;
}

void CSecondView_HDD::OnBackButton() {
  PartitionTree.DeleteAllItems();
  WizardFrameState& frame = WizardFrame();
  frame.ScanModeChosen = 1;
  if (ScanInfo != nullptr) ScanInfo->ClearValues();
  frame.StepOneActive = 1;
  frame.StepTwoActive = 0;
  frame.StepThreeActive = 0;
  frame.StepFourActive = 0;
  PreviewResetPending = 1;
  ListWithProgress = 0;
  LoadingSnapshot = 0;
  ShowScanProgress = 1;
  if (ScanInfo != nullptr) ScanInfo->ProgressToggle.SetWindowText(L"Hide Progress");
  if (CFirstDisplay* drivePane = frame.DriveInfoPane) {
    drivePane->HintText.SetWindowText(
        L"Please select the logical drive that contains inaccessible data from left panel. If you don't see the "
        L"drive letter, then select the hard disk, which contain the lost drive and click [Next] to continue with "
        L"recovery.");
    drivePane->ClearInfo();
  }
  DeletePreviewTempFiles();
  DeletePreviewTempFiles();
  if (CFirstView_HDD* drive = DrivePage()) drive->ShowIdleLayout();
  switch (ScanMode) {
    case kAdvanceScan: SelectedModeText = L"Selected Mode : Advance Scan"; break;
    case kStandardScan: SelectedModeText = L"Selected Mode : Standard Scan"; break;
    case kRawScan: SelectedModeText = L"Selected Mode : Raw Scan"; break;
    default: break;
  }
  frame.SelectedTreeRow = -1;
  if (CMainFrame* main = GetMainFrame()) SwitchWizardView(main, WizardViews, kDrivePage);
}

void CSecondView_HDD::OnStartOver() {
  OnBackButton();
  if (CFirstView_HDD* drive = DrivePage()) drive->OnBackButton();
}

void CSecondView_HDD::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_TAB) {
    if (TreeFocus) {
      NextButton.SendMessage(BM_SETSTATE, 1);
      TreeFocus = 0;
      NextFocus = 1;
      PartitionTree.SendMessage(WM_KILLFOCUS);
    } else if (NextFocus) {
      NextFocus = 0;
      BackFocus = 1;
      NextButton.SendMessage(BM_SETSTATE, 0);
      BackButton.SendMessage(BM_SETSTATE, 1);
    } else if (BackFocus) {
      BackFocus = 0;
      TreeFocus = 1;
      BackButton.SendMessage(BM_SETSTATE, 0);
      PartitionTree.SetActiveWindow();
      PartitionTree.SetFocus();
    }
  } else if (nChar == VK_RETURN) {
    if (IsRingHighlighted(NextButton)) OnNextButton();
    if (IsRingHighlighted(BackButton)) OnBackButton();
  }
  CWizardPageView::OnKeyDown(nChar, nRepCnt, nFlags);
}
