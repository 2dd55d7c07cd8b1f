// The test program's application object: it records exceptions caught at
// window procedures instead of showing a message box.
#pragma once

#include <functional>
#include <string>
#include <thread>

#include "framework.h"

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp(L"FrameworkTests") {}
  LRESULT ProcessWndProcException(CException* e, const MSG* pMsg) override;
  // With quitCodeOnIdle set, the first idle pass also ends the loop.
  BOOL OnIdle(LONG lCount) override;
  // With recordMessageBoxes set, message boxes are counted, not shown.
  int DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

  int quitCodeOnIdle = -1;

  int exceptionsCaught = 0;
  std::wstring lastExceptionText;
  UINT lastExceptionMessage = 0;

  bool recordMessageBoxes = false;
  int messageBoxes = 0;
  // What a recorded message box answers.
  int messageBoxAnswer = IDOK;
  std::wstring lastMessageBoxText;
};

TestApp& TheTestApp();

// A registry key name of the running test's own, beginning with `prefix`:
// ctest runs the tests side by side in one Wine prefix.
LPCWSTR KeyOfThisTest(LPCWSTR prefix);

// Dispatches everything waiting in this thread's queue.
void PumpPending();
// Dispatches messages until the handle is signalled (or the time is up).
bool PumpUntilSignalled(HANDLE handle, DWORD timeoutMs = 10000);
// Finds a top-level dialog by caption, waiting for it to appear; any thread.
HWND WaitForDialog(LPCWSTR caption, DWORD timeoutMs = 10000);
// A child window's rectangle in its parent's client coordinates.
CRect ChildRect(CWnd* pParent, CWnd* pChild);

// Runs body on its own thread while the caller runs a modal loop; the
// body finds the dialog with WaitForDialog and answers it.
class Watcher {
 public:
  explicit Watcher(std::function<void()> body) : m_thread(std::move(body)) {}
  ~Watcher() { m_thread.join(); }

 private:
  std::thread m_thread;
};
