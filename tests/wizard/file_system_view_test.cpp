// The file-system page and the partition page's scan starts, made as
// start-up makes them in a frame, the engine reporting to a recorder: the
// page's first layout, Next's refusal, Stop's answers and the timer that
// moves on only once the worker has returned, Back to the partition page,
// and the starts that must not keep an earlier failure or a cancelled
// "File Types".
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "advance/advance_lists.h"
#include "device/sector_access.h"
#include "engine_state.h"
#include "engine_ui.h"
#include "file_system_form.h"
#include "file_system_view.h"
#include "scan_control.h"
#include "second_display.h"
#include "second_view_hdd.h"
#include "shell_app.h"
#include "test_app.h"
#include "volumes/boot_params.h"
#include "wizard_state.h"
#include "wizard_step_controls.h"
#include "wizard_test_frame.h"

namespace {

class PageRecorder : public EngineUi {
 public:
  void ShowAppMessage(int kind, const std::u16string& text) override { messages.push_back({kind, text}); }
  int AskQuestion(int kind, const std::u16string& text) override {
    messages.push_back({kind, text});
    return answer;
  }
  void ShowStopMessageBox(const std::u16string& text) override { messages.push_back({0, text}); }
  void SwitchView(int page) override { pages.push_back(page); }
  void SetControl(ScanControl control, bool shown, bool enabled) override {
    if (shown && enabled) shownControls.push_back(control);
  }
  struct Message {
    int kind;
    std::u16string text;
  };
  std::vector<Message> messages;
  std::vector<int> pages;
  std::vector<ScanControl> shownControls;
  int answer = 2;
};

bool Shown(CWnd& wnd) { return (wnd.GetStyle() & WS_VISIBLE) != 0; }

class ScanPages : public testing::Test {
 protected:
  void SetUp() override {
    ResetEngineState();
    WizardFrame() = WizardFrameState();
    SetEngineUi(&ui);
    std::memcpy(saved, WizardViews, sizeof saved);
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Pages", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 850, 625)));
    CCreateContext context;
    scan = new CSecondView_HDD;
    files = new CFileSystemView;
    WizardViews[kScanPage] = scan;
    WizardViews[kFileSystemPage] = files;
    ASSERT_TRUE(scan->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 840, 560), frame, 1, &context));
    ASSERT_TRUE(files->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 840, 560), frame, 2, &context));
    pane = WizardFrame().ScanInfoPane;
    ASSERT_NE(nullptr, pane);
  }
  void TearDown() override {
    ScanStopFlag = 1;
    JoinScanWorker();
    frame->DestroyWindow();
    std::memcpy(WizardViews, saved, sizeof saved);
    SetEngineUi(nullptr);
    FreeAdvanceScanLists();
    WizardFrame() = WizardFrameState();
    ResetEngineState();
  }

  PageRecorder ui;
  CFrameWnd* frame = nullptr;
  CView* saved[5] = {};
  CSecondView_HDD* scan = nullptr;
  CFileSystemView* files = nullptr;
  CSecondDisplay* pane = nullptr;
};

TEST_F(ScanPages, TheFileSystemPageWaitsWithEveryNavigationControlHidden) {
  for (CWnd* control : {static_cast<CWnd*>(&files->NextButton), static_cast<CWnd*>(&files->BackButton),
                        static_cast<CWnd*>(&files->StartOverButton), static_cast<CWnd*>(&files->StopButton),
                        static_cast<CWnd*>(&files->ProgressBar), static_cast<CWnd*>(&files->StatusLine)}) {
    EXPECT_FALSE(Shown(*control)) << control->GetDlgCtrlID();
    EXPECT_FALSE(control->IsWindowEnabled()) << control->GetDlgCtrlID();
  }
  EXPECT_EQ(156, files->VolumeTree.GetDlgCtrlID());
  EXPECT_EQ(157, files->Splitter.GetDlgCtrlID());
  EXPECT_EQ(files->Info, TheFileSystemForm());
  EXPECT_EQ(files->Info, files->VolumeTree.Form);
}

TEST_F(ScanPages, NextWithoutAVolumeKeepsThePageAsItWas) {
  ShowStepControl(files->NextButton, true);
  WizardFrame().SelectedTreeRow = -1;
  WizardFrame().StepThreeActive = 1;
  files->OnNextButton();
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(1, ui.messages[0].kind);
  EXPECT_EQ(0, ScanRunning.load());
  EXPECT_TRUE(Shown(files->NextButton));
  EXPECT_FALSE(Shown(files->StopButton));
  EXPECT_FALSE(files->ScanRunsHere());
  EXPECT_EQ(1, WizardFrame().StepThreeActive);
}

// A worker that polls as the scans do, until it is told to stop.
void StartPollingWorker(std::atomic<int>& polls) {
  polls = 0;
  StartScanWorker([&polls] {
    while (!ScanStopRequested()) ++polls;
    ScanRunning = 0;
    ScanStopFlag = 1;
  });
}

TEST_F(ScanPages, StopAsksAndYesEndsOnTheResultsOnlyAfterTheWorker) {
  std::atomic<int> polls{0};
  StartPollingWorker(polls);
  ShowStepControl(files->StopButton, true);
  ShowStepControl(files->ProgressBar, true);
  ui.answer = 2;
  files->OnStopScan();
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(u"Do you want to stop file searching ?", ui.messages[0].text);
  EXPECT_EQ(1, ScanRunning.load());
  EXPECT_TRUE(Shown(files->StopButton));
  EXPECT_TRUE(files->StopButton.IsWindowEnabled());
  files->SendMessage(WM_TIMER, 1);
  EXPECT_TRUE(ui.pages.empty());

  ui.answer = 1;
  files->OnStopScan();
  EXPECT_FALSE(Shown(files->StopButton));
  EXPECT_FALSE(Shown(files->ProgressBar));
  EXPECT_TRUE(Shown(files->StatusLine));
  EXPECT_EQ(1, WizardFrame().StepThreeActive);
  const DWORD start = ::GetTickCount();
  while (!ScanHasEnded() && ::GetTickCount() - start < 10000) ::Sleep(5);
  files->SendMessage(WM_TIMER, 1);
  ASSERT_EQ(std::vector<int>{kResultsPage}, ui.pages);
  EXPECT_EQ(1, WizardFrame().StepFourActive);
  EXPECT_EQ(0, WizardFrame().StepThreeActive);
  const std::vector<ScanControl> results = {ScanControl::ResultNext, ScanControl::ResultBack,
                                            ScanControl::ResultStartOver};
  EXPECT_EQ(results, ui.shownControls);
}

TEST_F(ScanPages, BackGivesThePartitionPageItsChoiceAgain) {
  CFileSystemTree& tree = files->VolumeTree;
  HTREEITEM root = tree.InsertVolumeItem(L"File System", TVI_ROOT);
  AddFoundVolume(kNtfs, FoundVolumeValues{}, reinterpret_cast<TreeItem>(tree.AddVolumeItem(L"NTFS @63", root)));
  files->Info->ValueStatics[1].SetWindowText(L"63");
  scan->ShowScanningLayout();
  scan->SetStatusText(L"Reading Sector 5 Of 10");
  scan->ProgressBar.SendMessage(PBM_SETPOS, 40);
  pane->CaptionStatics[4].SetWindowText(L"Current Sector           :");
  pane->ValueStatics[4].SetWindowText(L"77");
  DriveKind = kPhysicalDrive;
  PartitionParameters.chosenType = kNtfs;
  WizardFrame().StepFourActive = 1;
  WizardFrame().ScanIdle = 0;
  WizardFrame().SelectedTreeRow = 0;

  files->SendMessage(WM_COMMAND, 160);
  EXPECT_EQ(nullptr, tree.GetRootItem());
  EXPECT_EQ(CString(), WindowText(files->Info->ValueStatics[1]));
  EXPECT_EQ(nullptr, FoundVolumeList.head);
  EXPECT_TRUE(Shown(scan->NextButton));
  EXPECT_TRUE(Shown(scan->BackButton));
  EXPECT_TRUE(Shown(scan->StartOverButton));
  EXPECT_FALSE(Shown(scan->StopButton));
  EXPECT_FALSE(Shown(scan->ProgressBar));
  EXPECT_EQ(0, static_cast<int>(scan->ProgressBar.SendMessage(PBM_GETPOS)));
  EXPECT_EQ(CString(), WindowText(scan->StatusLine));
  EXPECT_TRUE(scan->PartitionTree.IsWindowEnabled());
  // NTFS: row 5 emptied.
  EXPECT_EQ(CString(), WindowText(pane->CaptionStatics[4]));
  EXPECT_EQ(CString(), WindowText(pane->ValueStatics[4]));
  const WizardFrameState& state = WizardFrame();
  EXPECT_EQ(1, state.StepTwoActive);
  EXPECT_EQ(0, state.StepFourActive);
  EXPECT_EQ(1, state.ScanIdle);
  EXPECT_EQ(-1, state.SelectedTreeRow);
  EXPECT_EQ(std::vector<int>{kScanPage}, ui.pages);
}

// An earlier scan's failed parameter search must not keep a new scan's
// results commands off.
TEST_F(ScanPages, StandardAndRawStartsForgetAnEarlierFailure) {
  for (bool raw : {false, true}) {
    SCOPED_TRACE(raw);
    ParametersNotFound = 1;
    // No drive open: the worker ends at once without a search.
    DriveKind = kNothingSelected;
    if (raw)
      scan->StartRawScan();
    else
      scan->StartStandardScan();
    EXPECT_EQ(0, ParametersNotFound);
    JoinScanWorker();
    EXPECT_EQ(0, ParametersNotFound);
  }
}

TEST_F(ScanPages, ACancelledFileTypesStartsNothingAndKeepsTheHint) {
  ScanMode = kRawScan;
  PartitionParameters.chosenType = kFat32;
  WizardFrame().SelectedTreeRow = 0;
  pane->HintLine.SetWindowText(L"Please select a partition");
  Watcher cancel([] {
    HWND dialog = WaitForDialog(L"File Types");
    if (dialog != nullptr) ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  scan->OnNextButton();
  EXPECT_EQ(CString(L"Please select a partition"), WindowText(pane->HintLine));
  EXPECT_EQ(0, ScanRunning.load());
  EXPECT_FALSE(Shown(scan->StopButton));
  EXPECT_TRUE(Shown(scan->NextButton));
  EXPECT_EQ(1, WizardFrame().ScanIdle);
}

}  // namespace
