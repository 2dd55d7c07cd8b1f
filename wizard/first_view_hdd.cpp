#include "first_view_hdd.h"

#include "app_message.h"
#include "device/logical_drives.h"
#include "device/physical_drives.h"
#include "device/sector_access.h"
#include "folder_listing.h"
#include "found_file_list_ctrl.h"
#include "first_display.h"
#include "main_frame.h"
#include "raw/raw_results.h"
#include "scan_control.h"
#include "second_display.h"
#include "second_view_hdd.h"
#include "shell_app.h"
#include "snapshot/snapshot.h"
#include "start_view.h"
#include "volumes/boot_params.h"
#include "volumes/partition_table.h"
#include "wizard_state.h"
#include "wizard_step_controls.h"
#include "wizard_views.h"

namespace {

constexpr UINT kDriveTreeId = 156;
constexpr UINT kSplitterId = 157;
constexpr UINT_PTR kSearchTimer = 1;

const char16_t kSelectDrive[] =
    u"Please select the drive that contain the lost data \r\nfrom the left panel and click [Next].";
const wchar_t kLogicalHint[] =
    L"You have selected logical drive for recovery. Please click [Next] to continue with recovery.";
const wchar_t kPartitionHint[] =
    L"Please select a partition from the left panel and press [Next] to continue with recovery";

// The tree's Tab and Enter reach the pages through these.
class ProgramPageHooks : public WizardPageHooks {
 public:
  void ActivatePage(int page) override {
    if (CMainFrame* frame = GetMainFrame())
      if (page >= 0 && page < 5 && WizardViews[page] != nullptr) frame->SetActiveView(WizardViews[page]);
  }
  void TabToPage(int page) override {
    if (page == kDrivePage) {
      if (CFirstView_HDD* drive = DrivePage()) {
        drive->SetFocus();
        drive->TabStart = 1;
        drive->TabNext = drive->TabBack = drive->TabTree = 0;
      }
    } else if (page == kScanPage) {
      if (CSecondView_HDD* scan = PartitionPage()) {
        scan->SetFocus();
        scan->TreeFocus = 1;
        scan->NextFocus = scan->BackFocus = 0;
      }
    }
  }
  void PressNext(int page) override {
    if (page == kDrivePage) {
      if (CFirstView_HDD* drive = DrivePage()) {
        drive->SetFocus();
        drive->OnNextButton();
      }
    } else if (page == kScanPage) {
      if (CSecondView_HDD* scan = PartitionPage()) {
        scan->SetFocus();
        scan->OnNextButton();
      }
    }
  }
};
ProgramPageHooks programHooks;

CSecondDisplay* ScanPane() { return WizardFrame().ScanInfoPane; }

void SwitchPage(int page) {
  if (CMainFrame* frame = GetMainFrame()) SwitchWizardView(frame, WizardViews, page);
}

void RepaintScanPane() {
  if (CSecondDisplay* pane = ScanPane()) {
    pane->Invalidate(TRUE);
    pane->UpdateWindow();
  }
}

// Page 2's tree and its splitter's first pane shown or hidden.
void ShowPartitionTree(bool shown) {
  CSecondView_HDD* scan = PartitionPage();
  if (scan == nullptr || scan->PartitionTree.GetSafeHwnd() == nullptr) return;
  scan->PartitionTree.ShowWindow(shown ? SW_SHOW : SW_HIDE);
  if (scan->Splitter.GetSafeHwnd() == nullptr) return;
  if (shown) {
    scan->Splitter.ShowFirstPane();
    // Laid out again within the panes' minimums for the page's width.
    scan->Splitter.SendMessage(WM_SIZE);
  } else {
    scan->Splitter.HideFirstPane();
  }
}

void SetScanHint(LPCWSTR text) {
  if (CSecondDisplay* pane = ScanPane()) pane->HintLine.SetWindowText(text);
}

void SetScanGroupCaption(LPCWSTR text) {
  if (CSecondDisplay* pane = ScanPane()) pane->InfoGroup.SetWindowText(text);
}

void ClearDrivePane() {
  if (CFirstDisplay* pane = WizardFrame().DriveInfoPane) pane->ClearInfo();
}

bool DamagedVolume() { return DriveKind == kLogicalDrive && PartitionParameters.sectorCount == 0; }

}  // namespace

CFirstView_HDD* DrivePage() { return dynamic_cast<CFirstView_HDD*>(WizardViews[kDrivePage]); }
CSecondView_HDD* PartitionPage() { return dynamic_cast<CSecondView_HDD*>(WizardViews[kScanPage]); }

IMPLEMENT_DYNCREATE(CFirstView_HDD, CWizardPageView)

BEGIN_MESSAGE_MAP(CFirstView_HDD, CWizardPageView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_KEYDOWN()
ON_WM_TIMER()
ON_WM_SHOWWINDOW()
ON_WM_CTLCOLOR()
ON_MESSAGE(WM_RUN_ON_UI_THREAD, OnRunOnUiThread)
ON_COMMAND(kNextButtonId, OnNextButton)
ON_COMMAND(kBackButtonId, OnBackButton)
ON_COMMAND(kStopButtonId, OnStopButton)
ON_COMMAND(kStartOverButtonId, OnBackButton)
END_MESSAGE_MAP()

CFirstView_HDD::CFirstView_HDD() { CreateArialFont(StatusFont, 16, 400); }

CFirstView_HDD::~CFirstView_HDD() {
  if (StatusBrush != nullptr) ::DeleteObject(StatusBrush);
}

int CFirstView_HDD::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CWizardPageView::OnCreate(lpcs) == -1) return -1;
  if (!DriveTree.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TVS_HASLINES |
                            TVS_HASBUTTONS | TVS_LINESATROOT,
                        CRect(0, 150, 600, 300), this, kDriveTreeId))
    return -1;

  CRect client;
  GetClientRect(&client);
  client.DeflateRect(20, 20);
  DriveInfo = new CFirstDisplay;
  CreateInfoPane(this, DriveInfo, client);
  Splitter.Create(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_BORDER | kSplitVertical, this, &DriveTree, DriveInfo,
                  kSplitterId, client, 180, 620);

  SetPageHooks(&programHooks);
  DriveTree.LoadImages();
  DriveKind = kNothingSelected;
  EnumeratePhysicalDrives();
  EnumerateLogicalDrives();

  CreateStepButtons(this, NextButton, BackButton, StartOverButton, StopButton);
  StatusText.Create(L"", WS_CHILD, CRect(0, 0, 0, 0), this, kStatusLineId);
  StatusText.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(StatusFont.GetSafeHandle()), TRUE);
  CreateStepProgress(this, Progress, WS_CHILD | WS_VISIBLE | WS_GROUP, ProgressFont);
  ShowStepControl(StatusText, false);
  StatusBrush = ::CreateSolidBrush(RGB(255, 237, 150));
  CreateWizardButtonBar(ButtonBar, this);
  return 0;
}

void CFirstView_HDD::OnSize(UINT nType, int cx, int cy) {
  CWizardPageView::OnSize(nType, cx, cy);
  LayOutStepPage(*this, kSplitterId, cx, cy);
  PlaceWizardButtonBar(ButtonBar);
}

void CFirstView_HDD::OnDraw(CDC* pDC) { DrawStepPage(*this, pDC); }

void CFirstView_HDD::OnPrint(CDC* pDC, CPrintInfo* pInfo) { CWizardPageView::OnPrint(pDC, pInfo); }

void CFirstView_HDD::OnShowWindow(BOOL bShow, UINT nStatus) {
  CWizardPageView::OnShowWindow(bShow, nStatus);
  Invalidate();
  if (DriveTree.GetSafeHwnd() != nullptr) DriveTree.Invalidate();
}

HBRUSH CFirstView_HDD::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (nCtlColor == CTLCOLOR_STATIC && pWnd != nullptr && pWnd->GetDlgCtrlID() == static_cast<int>(kStatusLineId)) {
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));
    return StatusBrush;
  }
  return ::GetSysColorBrush(COLOR_WINDOW);
}

LRESULT CFirstView_HDD::OnRunOnUiThread(WPARAM, LPARAM lParam) {
  return reinterpret_cast<UiThreadCall*>(lParam)->Run();
}

void CFirstView_HDD::SetProgressPos(int percent) {
  if (Progress.GetSafeHwnd() != nullptr) Progress.SendMessage(PBM_SETPOS, static_cast<WPARAM>(percent));
}

void CFirstView_HDD::SetStatusText(CString text) {
  if (StatusText.GetSafeHwnd() != nullptr) StatusText.SetWindowText(text);
}

void CFirstView_HDD::ShowIdleLayout() {
  if (DriveTree.GetSafeHwnd() == nullptr) return;
  DriveTree.EnableWindow(TRUE);
  Progress.SendMessage(PBM_SETPOS, 0);
  ShowStepControl(Progress, false);
  ShowStepControl(StopButton, false);
  ShowStepControl(NextButton, true);
  ShowStepControl(BackButton, true);
  ShowStepControl(StatusText, false);
  ShowStepControl(StartOverButton, true);
}

void CFirstView_HDD::OnNextButton() {
  WizardFrameState& frame = WizardFrame();
  CSecondDisplay* pane = ScanPane();
  switch (ScanMode) {
    case kStandardScan:
      if (DamagedVolume()) {
        ShowAppMessage(2, u"This partition is damaged, please select physical hard disk and proceed.");
        return;
      }
      if (frame.SelectedTreeRow < 0) {
        ShowAppMessage(2, kSelectDrive);
        return;
      }
      if (DriveKind == kPhysicalDrive)
        StartPartitionSearch(L"Selected Mode : Standard Scan \r\nDrive Type        : Physical Drive");
      if (DriveKind == kLogicalDrive) {
        GoToVolumePage(L"Selected Mode : Standard Scan \r\nDrive Type        : Logical Drive");
      } else {
        if (pane != nullptr) pane->ClearInfo();
        SetScanHint(L"Please Select a Partition From The Left Panel and press [Next] to continue with recovery.");
        SetScanGroupCaption(L"Partition Information");
        ShowPartitionTree(true);
        DriveKind = kNothingSelected;
      }
      break;

    case kAdvanceScan:
      frame.ScanModeChosen = 0;
      if (pane != nullptr) pane->ShowPartitionInfo(0, 0);
      if (DamagedVolume()) {
        ShowAppMessage(2, u"This partition is damaged, please select physical Device and proceed.");
        return;
      }
      if (frame.SelectedTreeRow < 0) {
        ShowAppMessage(2, kSelectDrive);
        return;
      }
      if (DriveKind == kPhysicalDrive) {
        StartPartitionSearch(L"Selected Mode : Advance Scan \r\nDrive Type        : Physical Drive");
        SetScanHint(kPartitionHint);
      }
      if (DriveKind == kLogicalDrive) {
        if (pane != nullptr) pane->HideRangeControls();
        GoToVolumePage(L"Selected Mode : Advance Scan \r\nDrive Type        : Logical Drive");
        return;
      }
      ShowPartitionTree(true);
      {
        const uint64_t total = SelectedDriveIndex < kMaxPhysicalDrives
                                   ? PhysicalDriveTable[SelectedDriveIndex].totalSectors
                                   : 0;
        PartitionParameters.chosenType = kFat32;
        PartitionParameters.startSector = 0;
        PartitionParameters.logicalDriveIndex = 0;
        PartitionParameters.sectorCount = static_cast<uint32_t>(total);
        PartitionParameters.endSector = static_cast<uint32_t>(total);
      }
      if (pane != nullptr) pane->ShowDiskRange();
      SetScanGroupCaption(L"Partition Information");
      ClearDrivePane();
      frame.SelectedTreeRow = -1;
      RepaintScanPane();
      return;

    case kRawScan:
      frame.ScanModeChosen = 0;
      if (DamagedVolume()) {
        ShowAppMessage(2, u"This partition is damaged, please select physical hard drive and proceed.");
        return;
      }
      if (frame.SelectedTreeRow < 0) {
        ShowAppMessage(2, kSelectDrive);
        return;
      }
      if (DriveKind == kPhysicalDrive)
        StartPartitionSearch(L"Selected Mode : Raw Scan \r\nDrive Type        : Physical Drive");
      if (DriveKind == kLogicalDrive) {
        GoToVolumePage(L"Selected Mode : Raw Scan \r\nDrive Type        : Logical Drive");
      } else {
        ShowPartitionTree(true);
        SetScanHint(kPartitionHint);
        SetScanGroupCaption(L"Partition Information");
        ClearDrivePane();
        if (pane != nullptr) pane->ClearInfo();
        frame.SelectedTreeRow = -1;
        DriveKind = kNothingSelected;
      }
      break;

    default:
      return;
  }
  if (pane != nullptr) pane->HideRangeControls();
  RepaintScanPane();
  frame.ScanModeChosen = 0;
}

void CFirstView_HDD::GoToVolumePage(LPCWSTR modeText) {
  CSecondDisplay* pane = ScanPane();
  SetScanHint(kLogicalHint);
  SelectedModeText = modeText;
  if (pane != nullptr) pane->ShowVolumeInfo();
  SetScanGroupCaption(L"Selected Drive Information");
  ShowPartitionTree(false);
  SwitchPage(kScanPage);
}

void CFirstView_HDD::StartPartitionSearch(LPCWSTR modeText) {
  WizardFrame().SelectedTreeRow = -1;
  PartitionCount = 0;
  DriveTree.EnableWindow(FALSE);
  // The table at sector 0, tried again at 0, then where some tools leave a
  // copy.
  const uint32_t tableSectors[4] = {0, 0, 61, 62};
  for (uint32_t sector : tableSectors) {
    ScanPartitionTable(sector);
    if (PartitionCount != 0) break;
  }
  ShowStepControl(Progress, true);
  ShowStepControl(StopButton, true);
  ShowStepControl(NextButton, false);
  ShowStepControl(BackButton, false);
  ShowStepControl(StartOverButton, false);
  ShowStepControl(StatusText, true);
  SetStatusText(L"Please wait...");
  SelectedModeText = modeText;
  Invalidate();
  UpdateWindow();
  // The worker's end is seen by the timer through ScanHasEnded.
  StartScanWorker([] {
    SearchPartitions();
    ScanRunning = 0;
    ScanStopFlag = 1;
  });
  SetTimer(kSearchTimer, 1000, nullptr);
}

void CFirstView_HDD::OnTimer(UINT_PTR nIDEvent) {
  // The flags alone are set by Stop's Yes while the worker may still add
  // partitions: move on only once it has returned.
  if (ScanHasEnded()) {
    KillTimer(kSearchTimer);
    WizardFrameState& frame = WizardFrame();
    frame.StepOneActive = 0;
    frame.StepTwoActive = 1;
    frame.StepThreeActive = 0;
    frame.StepFourActive = 0;
    SwitchPage(kScanPage);
    if (CSecondView_HDD* scan = PartitionPage()) {
      ShowStepControl(scan->NextButton, true);
      ShowStepControl(scan->BackButton, true);
      scan->StartOverButton.EnableWindow(TRUE);
    }
    RepaintScanPane();
  }
  CWizardPageView::OnTimer(nIDEvent);
}

void CFirstView_HDD::OnStopButton() {
  if (!ScanRunning || ScanStopFlag != 0) return;
  // Disabled while asking: a second press cannot ask again.
  StopButton.EnableWindow(FALSE);
  PauseScanWorker();
  if (AskAppQuestion(3, u"Do you want to stop partition searching ?") == 1) {
    ScanStopFlag = 1;
    ScanRunning = 0;
  } else {
    ScanStopFlag = 0;
    ScanRunning = 1;
    StopButton.EnableWindow(TRUE);
  }
  ResumeScanWorker();
}

void CFirstView_HDD::OnBackButton() {
  if (CThirdView_HDD* results = ResultsView()) {
    if (results->FoundFiles.GetSafeHwnd() != nullptr) results->DeleteAllColumns();
    DeletePreviewTempFiles();
    DeletePreviewTempFiles();
    results->FoundFiles.PreviewTempFiles.RemoveAll();
  }
  WizardFrameState& frame = WizardFrame();
  frame.ScanModeChosen = 0;
  frame.StartPageActive = 1;
  ClosePhysicalDrive();
  frame.StepOneActive = 1;
  frame.StepTwoActive = 0;
  frame.StepThreeActive = 0;
  frame.StepFourActive = 0;
  PreviewResetPending = 1;
  ListWithProgress = 0;
  LoadingSnapshot = 0;
  ClearDrivePane();
  DriveKind = kNothingSelected;
  SwitchPage(kStartPage);
}

void CFirstView_HDD::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_TAB) {
    if (TabStart) {
      NextButton.SendMessage(BM_SETSTATE, 1);
      DriveTree.SendMessage(WM_KILLFOCUS);
      TabStart = 0;
      TabNext = 1;
    } else if (TabNext) {
      BackButton.SendMessage(BM_SETSTATE, 1);
      NextButton.SendMessage(BM_SETSTATE, 0);
      TabNext = 0;
      TabBack = 1;
    } else if (TabBack) {
      BackButton.SendMessage(BM_SETSTATE, 0);
      DriveTree.SetActiveWindow();
      DriveTree.SetFocus();
      TabBack = 0;
      TabTree = 1;
    } else if (TabTree) {
      TabTree = 0;
      TabStart = 1;
    }
  } else if (nChar == VK_RETURN) {
    if (IsRingHighlighted(NextButton)) OnNextButton();
    if (IsRingHighlighted(BackButton)) OnBackButton();
  }
  CWizardPageView::OnKeyDown(nChar, nRepCnt, nFlags);
}
