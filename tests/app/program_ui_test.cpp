// The program's engine interface on the interface thread: while the user
// interface waits for a worker it handles what other threads send, and
// nothing else, so no input handler re-enters; the scan pages' controls,
// bars, tree and dialogs as the workers reach them from their own thread.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

#include "engine_state.h"
#include "engine_ui.h"
#include "file_system_form.h"
#include "framework.h"
#include "program_ui.h"
#include "progress_dialog.h"
#include "pump_until.h"
#include "scan_control.h"
#include "second_display.h"
#include "shell_app.h"
#include "test_app.h"
#include "wizard_state.h"
#include "wizard_views.h"

namespace {

const UINT kPosted = WM_APP + 1;
const UINT kSent = WM_APP + 2;
std::atomic<int> postedHandled{0};
std::atomic<int> sentHandled{0};

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kPosted) ++postedHandled;
  if (message == kSent) {
    ++sentHandled;
    return 7;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

TEST(ProgramUi, PumpMessagesHandlesSentMessagesOnly) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = CountingProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"PumpProbe";
  ::RegisterClassW(&wc);
  HWND window = ::CreateWindowW(L"PumpProbe", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  postedHandled = sentHandled = 0;
  ::PostMessageW(window, kPosted, 0, 0);
  ::PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
  LRESULT answer = 0;
  std::thread worker([&] { answer = ::SendMessageW(window, kSent, 0, 0); });
  const DWORD start = ::GetTickCount();
  while (sentHandled == 0 && ::GetTickCount() - start < 10000) {
    TheProgramUi().PumpMessages();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
  }
  worker.join();
  EXPECT_EQ(sentHandled.load(), 1);
  EXPECT_EQ(answer, 7);
  EXPECT_EQ(postedHandled.load(), 0);
  // The posted message and the key are still queued.
  MSG msg;
  EXPECT_TRUE(::PeekMessageW(&msg, window, kPosted, kPosted, PM_REMOVE));
  EXPECT_TRUE(::PeekMessageW(&msg, window, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
  ::DestroyWindow(window);
}

// The drive, partition, file-system and results pages in a frame, as
// start-up makes them; the engine reports to the program's interface.
class ScanPagesUi : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetEngineState();
    WizardFrame() = WizardFrameState();
    std::memcpy(saved, WizardViews, sizeof saved);
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Pages", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 850, 625)));
    CCreateContext context;
    CView* views[5] = {nullptr, new CFirstView_HDD, new CSecondView_HDD, new CFileSystemView, new CThirdView_HDD};
    for (int page = kDrivePage; page <= kResultsPage; ++page) {
      WizardViews[page] = views[page];
      ASSERT_TRUE(views[page]->Create(nullptr, nullptr, WS_CHILD | (page == kScanPage ? WS_VISIBLE : 0),
                                      CRect(0, 0, 840, 560), frame, AFX_IDW_PANE_FIRST + page, &context));
    }
    SetEngineUi(&TheProgramUi());
    scan = PartitionPage();
    files = FileSystemPage();
  }
  void TearDown() override {
    ScanStopFlag = 1;
    JoinScanWorker();
    SetEngineUi(nullptr);
    frame->DestroyWindow();
    std::memcpy(WizardViews, saved, sizeof saved);
    SetPageHooks(nullptr);
    WizardFrame() = WizardFrameState();
    ResetEngineState();
  }
  // Runs body on a worker thread while this thread handles what it sends.
  static void OnWorker(const std::function<void()>& body) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
      body();
      done = true;
    });
    EXPECT_TRUE(PumpUntil([&] { return done.load(); }, 10000));
    worker.join();
  }
  static bool Shown(CWnd& wnd) { return (wnd.GetStyle() & WS_VISIBLE) != 0; }
  static bool Enabled(CWnd& wnd) { return wnd.IsWindowEnabled() != FALSE; }

  CFrameWnd* frame = nullptr;
  CView* saved[5] = {};
  CSecondView_HDD* scan = nullptr;
  CFileSystemView* files = nullptr;
};

TEST_F(ScanPagesUi, EveryScanControlOfBothPagesFollowsTheEngine) {
  CSecondDisplay* pane = WizardFrame().ScanInfoPane;
  ASSERT_NE(nullptr, pane);
  struct Case {
    ScanControl control;
    CWnd* window;
    CWnd* companion;
  };
  const Case cases[] = {
      {ScanControl::Next, &scan->NextButton, nullptr},
      {ScanControl::Back, &scan->BackButton, nullptr},
      {ScanControl::StartOver, &scan->StartOverButton, nullptr},
      {ScanControl::Stop, &scan->StopButton, nullptr},
      {ScanControl::ProgressBar, &scan->ProgressBar, nullptr},
      {ScanControl::StatusLine, &scan->StatusLine, nullptr},
      {ScanControl::ProgressToggle, &pane->ProgressToggle, &pane->ProgressNote},
      {ScanControl::FileSystemNext, &files->NextButton, nullptr},
      {ScanControl::FileSystemBack, &files->BackButton, nullptr},
      {ScanControl::FileSystemStartOver, &files->StartOverButton, nullptr},
      {ScanControl::FileSystemStop, &files->StopButton, nullptr},
  };
  // Shown and enabled, shown but disabled (the tree being built), hidden.
  const bool states[3][2] = {{true, true}, {true, false}, {false, false}};
  for (const Case& c : cases) {
    for (const auto& state : states) {
      SCOPED_TRACE(testing::Message() << static_cast<int>(c.control) << " " << state[0] << state[1]);
      TheProgramUi().SetControl(c.control, state[0], state[1]);
      for (CWnd* window : {c.window, c.companion}) {
        if (window == nullptr) continue;
        EXPECT_EQ(state[0], Shown(*window));
        EXPECT_EQ(state[1], Enabled(*window));
      }
    }
  }
  // A logical drive's page keeps its tree hidden: only its input follows.
  scan->PartitionTree.ShowWindow(SW_HIDE);
  TheProgramUi().SetControl(ScanControl::PartitionTree, true, true);
  EXPECT_FALSE(Shown(scan->PartitionTree));
  EXPECT_TRUE(Enabled(scan->PartitionTree));
  TheProgramUi().SetControl(ScanControl::PartitionTree, true, false);
  EXPECT_FALSE(Enabled(scan->PartitionTree));
}

TEST_F(ScanPagesUi, CountersAreWrittenOnlyWhileProgressIsShown) {
  CSecondDisplay* pane = WizardFrame().ScanInfoPane;
  ASSERT_NE(nullptr, pane);
  const struct {
    int show;
    PaneValue row;
    int index;
    const char16_t* text;
    const wchar_t* shown;
  } cases[] = {
      {1, PaneValue::FoldersFound, 0, u"12", L"12"},
      {1, PaneValue::LastItem, 3, u"report.doc", L"report.doc"},
      {1, PaneValue::Fifth, 4, u"2048", L"2048"},
      {0, PaneValue::FilesFound, 1, u"99", L""},
  };
  for (const auto& c : cases) {
    pane->ValueStatics[c.index].SetWindowText(L"");
    ShowScanProgress = c.show;
    OnWorker([&] { TheProgramUi().SetPaneValue(c.row, c.text); });
    CString text;
    pane->ValueStatics[c.index].GetWindowText(text);
    EXPECT_EQ(CString(c.shown), text) << c.index;
  }
  ShowScanProgress = 1;
}

// The bar and the timer are those of the page whose scan runs: the
// file-system page from its Next until its timer has seen the end.
TEST_F(ScanPagesUi, ProgressAndTimerFollowThePageWhoseScanRuns) {
  auto position = [](CWnd& bar) { return static_cast<int>(bar.SendMessage(PBM_GETPOS)); };
  OnWorker([] { TheProgramUi().SetProgress(37); });
  EXPECT_EQ(37, position(scan->ProgressBar));
  EXPECT_EQ(0, position(files->ProgressBar));

  // Page 2's timer is killed from the worker that failed.
  ASSERT_NE(0u, scan->SetTimer(1, 60000, nullptr));
  OnWorker([] { TheProgramUi().StopScanTimer(); });
  EXPECT_FALSE(scan->KillTimer(1));

  WizardFrame().SelectedTreeRow = 0;
  files->OnNextButton();
  ASSERT_TRUE(files->ScanRunsHere());
  OnWorker([] { TheProgramUi().SetProgress(64); });
  EXPECT_EQ(64, position(files->ProgressBar));
  EXPECT_EQ(37, position(scan->ProgressBar));
  const DWORD start = ::GetTickCount();
  while (!ScanHasEnded() && ::GetTickCount() - start < 10000) ::Sleep(5);
  ASSERT_TRUE(ScanHasEnded());
  files->SendMessage(WM_TIMER, 1);
  EXPECT_FALSE(files->ScanRunsHere());
  EXPECT_EQ(1, WizardFrame().StepFourActive);
  // The timer was killed: a second one set now is new.
  EXPECT_FALSE(files->KillTimer(1));
  OnWorker([] { TheProgramUi().SetProgress(5); });
  EXPECT_EQ(5, position(scan->ProgressBar));
}

TEST_F(ScanPagesUi, VolumesAndTheWaitCursorAreMadeOnTheInterfaceThread) {
  TreeItem root = 0, first = 0, second = 0;
  OnWorker([&] {
    root = TheProgramUi().AddVolumeItem(u"File System", 0);
    first = TheProgramUi().AddVolumeItem(u"FAT32 @63", root);
    second = TheProgramUi().AddVolumeItem(u"FAT16 @4096", root);
  });
  ASSERT_NE(0u, root);
  CTreeCtrl& tree = files->VolumeTree;
  EXPECT_EQ(reinterpret_cast<HTREEITEM>(root), tree.GetRootItem());
  EXPECT_EQ(reinterpret_cast<HTREEITEM>(root), tree.GetParentItem(reinterpret_cast<HTREEITEM>(second)));
  EXPECT_EQ(CString(L"FAT32 @63"), tree.GetItemText(reinterpret_cast<HTREEITEM>(first)));
  // Collapsed only the root counts; that alone means nothing was found.
  EXPECT_EQ(1, TheProgramUi().FileSystemTreeVisibleItems());
  OnWorker([&] { TheProgramUi().ExpandVolumeItem(root); });
  EXPECT_EQ(3, TheProgramUi().FileSystemTreeVisibleItems());

  OnWorker([] { TheProgramUi().SetBusy(true); });
  EXPECT_EQ(1, scan->BusyCursor);
  TheProgramUi().SetBusy(false);
  EXPECT_EQ(0, scan->BusyCursor);

  OnWorker([] {
    TheProgramUi().SetFileSystemStatus(u"Please wait creating tree");
    TheProgramUi().SetFileSystemInfoText(u"Mulvara was unable to identify a file system in the selected sector range.");
    TheProgramUi().SetProgressToggleText(u"Hide Progress");
  });
  CString status, hint;
  files->StatusLine.GetWindowText(status);
  EXPECT_EQ(CString(L"Please wait creating tree"), status);
  TheFileSystemForm()->HintLine.GetWindowText(hint);
  EXPECT_EQ(0, hint.Find(L"Mulvara was unable"));
}

// The listing's progress dialog: made by the interface thread over the
// results page, moved by message 1025, gone at the end with the frame's
// input given back.
TEST_F(ScanPagesUi, ListProgressOverTheResultsPage) {
  DWORD dialogThread = 0;
  CString label;
  bool frameDisabled = false;
  OnWorker([&] {
    TheProgramUi().OpenListProgress();
    TheProgramUi().SetListProgress(45);
    if (CProgressDialog* dialog = ListProgressDialog()) {
      dialogThread = ::GetWindowThreadProcessId(dialog->GetSafeHwnd(), nullptr);
      WCHAR text[32] = {};
      ::GetWindowTextW(dialog->PercentLabel.GetSafeHwnd(), text, 32);
      label = text;
      frameDisabled = !::IsWindowEnabled(frame->GetSafeHwnd());
    }
    TheProgramUi().CloseListProgress();
  });
  EXPECT_EQ(::GetCurrentThreadId(), dialogThread);
  EXPECT_EQ(CString(L"45%"), label);
  EXPECT_TRUE(frameDisabled);
  EXPECT_EQ(nullptr, ListProgressDialog());
  EXPECT_TRUE(frame->IsWindowEnabled());
}

// A failing worker's stop message box belongs to the interface thread.
TEST_F(ScanPagesUi, TheStopMessageBoxRunsOnTheInterfaceThread) {
  std::atomic<DWORD> boxThread{0};
  Watcher watcher([&] {
    HWND box = WaitForDialog(L"Mulvara");
    if (box == nullptr) return;
    boxThread = ::GetWindowThreadProcessId(box, nullptr);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  OnWorker([] { TheProgramUi().ShowStopMessageBox(u"Mulvara was unable to find correct partition parameters."); });
  EXPECT_EQ(::GetCurrentThreadId(), boxThread.load());
}

}  // namespace
