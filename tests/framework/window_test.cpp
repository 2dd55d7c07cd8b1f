#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "framework.h"
#include "test_app.h"

namespace {

const UINT WM_TEST_PING = WM_APP + 1;
const UINT WM_TEST_THROW = WM_APP + 2;
const UINT WM_TEST_THROW_STD = WM_APP + 3;
const UINT WM_TEST_END_MODAL = WM_APP + 4;

// Records every message from the first one on.
class RecordingEdit : public CWnd {
 public:
  std::vector<UINT> messages;
  int createCalls = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    messages.push_back(message);
    return CWnd::WindowProc(message, wParam, lParam);
  }
  int OnCreate(LPCREATESTRUCTW lpCreateStruct) {
    ++createCalls;
    return CWnd::OnCreate(lpCreateStruct);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingEdit, CWnd)
  ON_WM_CREATE()
END_MESSAGE_MAP()

bool Contains(const std::vector<UINT>& messages, UINT message) {
  for (UINT m : messages)
    if (m == message) return true;
  return false;
}

TEST(CWnd, SystemClassWindowIsOursFromItsFirstMessage) {
  for (LPCWSTR className : {L"EDIT", L"LISTBOX", WC_TREEVIEWW}) {
    RecordingEdit edit;
    ASSERT_TRUE(edit.CreateEx(0, className, L"text", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr)) << className;
    ASSERT_FALSE(edit.messages.empty());
    EXPECT_TRUE(Contains(edit.messages, WM_NCCREATE)) << className;
    EXPECT_TRUE(Contains(edit.messages, WM_CREATE)) << className;
    // Nothing reached the window before our map did.
    EXPECT_TRUE(edit.messages.front() == WM_NCCREATE || edit.messages.front() == WM_GETMINMAXINFO) << className;
    EXPECT_EQ(edit.createCalls, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(edit.m_hWnd), &edit);
    EXPECT_NE(edit.m_pfnSuper, nullptr);
    if (className == std::wstring(L"EDIT")) {
      // The control's own procedure still does its work.
      edit.SetWindowText(L"changed");
      CString text;
      edit.GetWindowText(text);
      EXPECT_EQ(text, L"changed");
    }
    HWND hWnd = edit.m_hWnd;
    edit.DestroyWindow();
    EXPECT_EQ(edit.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
  }
}

TEST(CWnd, SubclassesAndReleasesAnExistingWindow) {
  HWND hWnd = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(hWnd, nullptr);
  WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
  RecordingEdit edit;
  ASSERT_TRUE(edit.SubclassWindow(hWnd));
  SetWindowTextW(hWnd, L"x");
  EXPECT_TRUE(Contains(edit.messages, WM_SETTEXT));
  EXPECT_EQ(CWnd::FromHandle(hWnd), &edit);
  EXPECT_EQ(edit.UnsubclassWindow(), hWnd);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC)), original);
  // Not ours any more: a lasting temporary wrapper answers.
  CWnd* temporary = CWnd::FromHandle(hWnd);
  EXPECT_NE(temporary, &edit);
  EXPECT_EQ(temporary->m_hWnd, hWnd);
  EXPECT_EQ(CWnd::FromHandle(hWnd), temporary);
  DestroyWindow(hWnd);
}

// A parent with controls: reflection and idle update-UI.
class ReflectingButton : public CWnd {
 public:
  int clicks = 0;
  int notifies = 0;
  BOOL passOn = FALSE;
  CBrush brush{RGB(1, 2, 3)};

 protected:
  BOOL OnReflectedClick() {
    ++clicks;
    return !passOn;
  }
  void OnReflectedNotify(NMHDR*, LRESULT* pResult) {
    ++notifies;
    *pResult = 77;
  }
  HBRUSH CtlColor(CDC*, UINT nCtlColor) {
    return nCtlColor == CTLCOLOR_STATIC ? static_cast<HBRUSH>(brush.GetSafeHandle()) : nullptr;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingButton, CWnd)
  ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectedClick)
  ON_NOTIFY_REFLECT(NM_CLICK, OnReflectedNotify)
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class TestParent : public CWnd {
 public:
  int parentClicks = 0;
  int opened = 0;
  int pings = 0;
  DWORD pingThread = 0;
  int preTranslated = 0;

  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F9) {
      ++preTranslated;
      return TRUE;
    }
    return FALSE;
  }

 protected:
  void OnButtonClicked() { ++parentClicks; }
  void OnOpen() { ++opened; }
  LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM) {
    UpdateDialogControls(this, TRUE);
    return 0;
  }
  LRESULT OnPing(WPARAM wParam, LPARAM) {
    ++pings;
    pingThread = GetCurrentThreadId();
    return static_cast<LRESULT>(wParam) * 2;
  }
  LRESULT OnThrow(WPARAM, LPARAM) { throw new CFileException(CFileException::accessDenied, 5, L"C:\\locked.wrx"); }
  LRESULT OnThrowStd(WPARAM, LPARAM) { throw std::runtime_error("broken"); }
  LRESULT OnEndModal(WPARAM wParam, LPARAM) {
    EndModalLoop(static_cast<int>(wParam));
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestParent, CWnd)
  ON_BN_CLICKED(100, OnButtonClicked)
  ON_COMMAND(101, OnOpen)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_TEST_PING, OnPing)
  ON_MESSAGE(WM_TEST_THROW, OnThrow)
  ON_MESSAGE(WM_TEST_THROW_STD, OnThrowStd)
  ON_MESSAGE(WM_TEST_END_MODAL, OnEndModal)
END_MESSAGE_MAP()

class WindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, nullptr, L"Parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr,
                                nullptr));
    ASSERT_TRUE(button.Create(L"BUTTON", L"Reflect", WS_VISIBLE | BS_PUSHBUTTON, CRect(5, 5, 80, 30), &parent, 100));
    ASSERT_TRUE(open.Create(L"BUTTON", L"Open", WS_VISIBLE | BS_PUSHBUTTON, CRect(5, 40, 80, 65), &parent, 101));
    ASSERT_TRUE(orphan.Create(L"BUTTON", L"None", WS_VISIBLE | BS_PUSHBUTTON, CRect(5, 70, 80, 95), &parent, 102));
    ASSERT_TRUE(check.Create(L"BUTTON", L"Auto", WS_VISIBLE | BS_AUTOCHECKBOX, CRect(5, 100, 80, 125), &parent, 103));
  }
  void TearDown() override {
    if (TheTestApp().m_pMainWnd == &parent) TheTestApp().m_pMainWnd = nullptr;
    parent.DestroyWindow();
    PumpPending();
  }
  TestParent parent;
  ReflectingButton button;
  CWnd open, orphan, check;
};

TEST_F(WindowFixture, ReflectsNotificationsToTheControlFirst) {
  WPARAM clicked = MAKEWPARAM(100, BN_CLICKED);
  LPARAM from = reinterpret_cast<LPARAM>(button.m_hWnd);
  parent.SendMessage(WM_COMMAND, clicked, from);
  EXPECT_EQ(button.clicks, 1);
  EXPECT_EQ(parent.parentClicks, 0);
  button.passOn = TRUE;  // the control lets the parent handle it afterwards
  parent.SendMessage(WM_COMMAND, clicked, from);
  EXPECT_EQ(button.clicks, 2);
  EXPECT_EQ(parent.parentClicks, 1);

  NMHDR header = {button.m_hWnd, 100, static_cast<UINT>(NM_CLICK)};
  EXPECT_EQ(parent.SendMessage(WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&header)), 77);
  EXPECT_EQ(button.notifies, 1);

  HDC hdc = GetDC(parent.m_hWnd);
  EXPECT_EQ(parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc), from),
            reinterpret_cast<LRESULT>(button.brush.GetSafeHandle()));
  // For other kinds the control returns null and Windows' default applies.
  EXPECT_NE(parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(hdc), from),
            reinterpret_cast<LRESULT>(button.brush.GetSafeHandle()));
  ReleaseDC(parent.m_hWnd, hdc);

  // A real click goes the same way.
  button.SendMessage(BM_CLICK);
  EXPECT_EQ(button.clicks, 3);
}

TEST_F(WindowFixture, IdleUpdateDisablesCommandsWithoutHandlers) {
  TestApp& app = TheTestApp();
  app.m_pMainWnd = &parent;
  PumpPending();
  // One idle pass as the message loop makes it.
  app.OnIdle(0);
  EXPECT_TRUE(button.IsWindowEnabled());   // ON_BN_CLICKED handler
  EXPECT_TRUE(open.IsWindowEnabled());     // ON_COMMAND handler
  EXPECT_FALSE(orphan.IsWindowEnabled());  // nobody handles 102
  EXPECT_TRUE(check.IsWindowEnabled());    // checks itself
  EXPECT_FALSE(app.OnIdle(1));
}

TEST_F(WindowFixture, MessageLoopRunsIdleWorkAndPreTranslatesUpTheParents) {
  TestApp& app = TheTestApp();
  app.m_pMainWnd = &parent;
  // F9 on the child is taken by the parent's PreTranslateMessage; once the
  // queue is empty the idle pass updates the buttons and ends the loop.
  PostMessageW(open.m_hWnd, WM_KEYDOWN, VK_F9, 0);
  app.quitCodeOnIdle = 3;
  EXPECT_TRUE(orphan.IsWindowEnabled());
  EXPECT_EQ(app.Run(), 3);
  EXPECT_EQ(parent.preTranslated, 1);
  EXPECT_FALSE(orphan.IsWindowEnabled());
  EXPECT_TRUE(open.IsWindowEnabled());
}

TEST_F(WindowFixture, WorkerThreadsSendToWindowsTheyDidNotCreate) {
  struct Job {
    HWND hWnd;
    CWnd* seen;
    LRESULT answer;
    HANDLE done;
  } job = {parent.m_hWnd, nullptr, 0, CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  CWinThread* worker = AfxBeginThread(
      [](LPVOID p) -> UINT {
        Job* job = static_cast<Job*>(p);
        job->seen = CWnd::FromHandlePermanent(job->hWnd);
        job->answer = CWnd::FromHandle(job->hWnd)->SendMessage(WM_TEST_PING, 21);
        CWnd::FromHandle(job->hWnd)->SetWindowText(L"From the worker");
        SetEvent(job->done);
        return 0;
      },
      &job);
  ASSERT_NE(worker, nullptr);
  // Keep pumping: the worker's sends are handled on this thread.
  EXPECT_TRUE(PumpUntilSignalled(job.done, 10000));
  CloseHandle(job.done);
  EXPECT_EQ(job.seen, &parent);
  EXPECT_EQ(job.answer, 42);
  EXPECT_EQ(parent.pings, 1);
  EXPECT_EQ(parent.pingThread, GetCurrentThreadId());
  CString title;
  parent.GetWindowText(title);
  EXPECT_EQ(title, L"From the worker");
}

TEST_F(WindowFixture, ExceptionsStopAtTheWindowProcedure) {
  TestApp& app = TheTestApp();
  int before = app.exceptionsCaught;
  EXPECT_EQ(parent.SendMessage(WM_TEST_THROW), 0);
  EXPECT_EQ(app.exceptionsCaught, before + 1);
  EXPECT_EQ(app.lastExceptionMessage, WM_TEST_THROW);
  EXPECT_NE(app.lastExceptionText.find(L"locked.wrx"), std::wstring::npos);
  EXPECT_EQ(parent.SendMessage(WM_TEST_THROW_STD), 0);
  EXPECT_EQ(app.exceptionsCaught, before + 2);
  EXPECT_NE(app.lastExceptionText.find(L"broken"), std::wstring::npos);
  EXPECT_TRUE(IsWindow(parent.m_hWnd));
}

TEST_F(WindowFixture, ModalLoopRunsUntilEnded) {
  parent.PostMessage(WM_TEST_END_MODAL, 7);
  EXPECT_EQ(parent.RunModalLoop(MLF_NOIDLEMSG), 7);
  EXPECT_EQ(parent.m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL), 0u);
}

TEST_F(WindowFixture, ToolHitTestNamesTheChildUnderThePoint) {
  TTTOOLINFOW info = {};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  EXPECT_EQ(parent.OnToolHitTest(CPoint(20, 50), &info), 101);
  EXPECT_EQ(info.hwnd, parent.m_hWnd);
  EXPECT_EQ(info.uId, reinterpret_cast<UINT_PTR>(open.m_hWnd));
  EXPECT_TRUE(info.uFlags & TTF_IDISHWND);
  EXPECT_EQ(parent.OnToolHitTest(CPoint(200, 150), nullptr), -1);
}

// Answers the next message box of this process titled with the
// application's name.
struct MessageBoxWatcher {
  std::wstring text;
  CWinThread* thread = nullptr;
  void Start() {
    thread = AfxBeginThread(
        [](LPVOID p) -> UINT {
          MessageBoxWatcher* self = static_cast<MessageBoxWatcher*>(p);
          HWND box = WaitForDialog(AfxGetAppName(), 5000);
          if (box == nullptr) return 1;
          WCHAR text[512] = {};
          GetDlgItemTextW(box, 0xFFFF, text, 512);
          self->text = text;
          PostMessageW(box, WM_COMMAND, IDOK, 0);
          return 0;
        },
        this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
  }
  void Finish() {
    WaitForSingleObject(thread->m_hThread, 10000);
    delete thread;
  }
};

TEST(CWinThread, ReportsExceptionsInAMessageBox) {
  MessageBoxWatcher watcher;
  watcher.Start();
  CFileException error(CFileException::fileNotFound, 2, L"Raw.dat");
  error.m_bAutoDelete = FALSE;
  MSG msg = {};
  msg.message = WM_CREATE;
  // The base report shows the error and makes creation fail.
  EXPECT_EQ(CWinThread::ReportWndProcException(&error, &msg), -1);
  watcher.Finish();
  EXPECT_NE(watcher.text.find(L"Raw.dat was not found"), std::wstring::npos);

  MessageBoxWatcher second;
  second.Start();
  EXPECT_EQ(AfxMessageBox(L"Scan finished", MB_OKCANCEL), IDOK);
  second.Finish();
  EXPECT_EQ(second.text, L"Scan finished");
}

struct Slot : CNoTrackObject {
  DWORD owner = GetCurrentThreadId();
};

TEST(CThreadLocal, GivesEachThreadItsOwnData) {
  static CThreadLocal<Slot> perThread;
  static CProcessLocal<Slot> perProcess;
  Slot* mine = perThread.GetData();
  EXPECT_EQ(perThread.GetData(), mine);
  EXPECT_EQ(mine->owner, GetCurrentThreadId());
  struct Seen {
    Slot* thread;
    Slot* process;
  } seen = {nullptr, nullptr};
  CWinThread* worker = AfxBeginThread(
      [](LPVOID p) -> UINT {
        Seen* seen = static_cast<Seen*>(p);
        seen->thread = perThread.GetData();
        seen->process = perProcess.GetData();
        return seen->thread->owner == GetCurrentThreadId() ? 0 : 1;
      },
      &seen, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  worker->m_bAutoDelete = FALSE;
  worker->ResumeThread();
  WaitForSingleObject(worker->m_hThread, 10000);
  DWORD code = 1;
  GetExitCodeThread(worker->m_hThread, &code);
  delete worker;
  EXPECT_EQ(code, 0u);
  EXPECT_NE(seen.thread, mine);
  EXPECT_EQ(seen.process, perProcess.GetData());
}

class FailingWindow : public CWnd {
 public:
  bool throwIt = true;
  int postNcDestroyCalls = 0;

 protected:
  int OnCreate(LPCREATESTRUCTW) {
    if (throwIt) throw new CFileException(CFileException::fileNotFound, 2, L"Raw.dat");
    return -1;
  }
  void PostNcDestroy() override { ++postNcDestroyCalls; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FailingWindow, CWnd)
  ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(CWnd, FailingOnCreateMakesCreateFail) {
  TestApp& app = TheTestApp();
  for (bool throwIt : {true, false}) {
    int before = app.exceptionsCaught;
    FailingWindow window;
    window.throwIt = throwIt;
    EXPECT_FALSE(window.CreateEx(0, nullptr, L"Fails", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(window.m_hWnd, nullptr);
    EXPECT_EQ(window.postNcDestroyCalls, 1);
    EXPECT_EQ(app.exceptionsCaught, before + (throwIt ? 1 : 0));
    if (throwIt) {
      EXPECT_EQ(app.lastExceptionMessage, static_cast<UINT>(WM_CREATE));
    }
  }
}

TEST(CWnd, WaitCursorCountsNesting) {
  TestApp& app = TheTestApp();
  CCmdTarget target;
  target.BeginWaitCursor();
  target.BeginWaitCursor();
  EXPECT_EQ(app.m_nWaitCursorCount, 2);
  target.EndWaitCursor();
  target.RestoreWaitCursor();
  EXPECT_EQ(app.m_nWaitCursorCount, 1);
  target.EndWaitCursor();
  EXPECT_EQ(app.m_nWaitCursorCount, 0);
}

}  // namespace
