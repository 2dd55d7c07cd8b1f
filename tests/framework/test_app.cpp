#include "test_app.h"

namespace {
TestApp theApp;
}

TestApp& TheTestApp() { return theApp; }

LRESULT TestApp::ProcessWndProcException(CException* e, const MSG* pMsg) {
  ++exceptionsCaught;
  WCHAR text[512];
  lastExceptionText = e->GetErrorMessage(text, 512) ? text : L"";
  lastExceptionMessage = pMsg != nullptr ? pMsg->message : 0;
  return pMsg != nullptr && pMsg->message == WM_CREATE ? -1 : 0;
}

void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

BOOL TestApp::OnIdle(LONG lCount) {
  BOOL more = CWinApp::OnIdle(lCount);
  if (lCount == 0 && quitCodeOnIdle >= 0) {
    PostQuitMessage(quitCodeOnIdle);
    quitCodeOnIdle = -1;
  }
  return more;
}
