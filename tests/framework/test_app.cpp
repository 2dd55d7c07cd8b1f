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

int TestApp::DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT nIDPrompt) {
  if (!recordMessageBoxes) return CWinApp::DoMessageBox(lpszPrompt, nType, nIDPrompt);
  ++messageBoxes;
  lastMessageBoxText = lpszPrompt != nullptr ? lpszPrompt : L"";
  return IDOK;
}

bool PumpUntilSignalled(HANDLE handle, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return false;
    DWORD woken = MsgWaitForMultipleObjects(1, &handle, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    if (woken == WAIT_OBJECT_0) return true;
    if (woken != WAIT_OBJECT_0 + 1) return false;
    PumpPending();
  }
}

HWND WaitForDialog(LPCWSTR caption, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
    HWND hWnd = FindWindowW(L"#32770", caption);
    if (hWnd != nullptr && IsWindowVisible(hWnd)) return hWnd;
    Sleep(20);
  }
  return nullptr;
}
