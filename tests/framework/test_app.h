// The test program's application object: it records exceptions caught at
// window procedures instead of showing a message box.
#pragma once

#include <string>

#include "framework.h"

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp(L"FrameworkTests") {}
  LRESULT ProcessWndProcException(CException* e, const MSG* pMsg) override;
  // With quitCodeOnIdle set, the first idle pass also ends the loop.
  BOOL OnIdle(LONG lCount) override;

  int quitCodeOnIdle = -1;

  int exceptionsCaught = 0;
  std::wstring lastExceptionText;
  UINT lastExceptionMessage = 0;
};

TestApp& TheTestApp();

// Dispatches everything waiting in this thread's queue.
void PumpPending();
