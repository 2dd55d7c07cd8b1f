#include <gtest/gtest.h>

#include "test_app.h"

namespace {
TestApp theApp;
}

TestApp& TheTestApp() { return theApp; }

LPCWSTR KeyOfThisTest(LPCWSTR prefix) {
  static std::wstring key;
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(" ") + info->test_suite_name() + "." + info->name() : "";
  key = prefix;
  key.append(name.begin(), name.end());
  return key.c_str();
}

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
  return messageBoxAnswer;
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

namespace {

struct DialogSearch {
  LPCWSTR caption;
  HWND found;
};

// Tests run in parallel processes: only this process's dialogs count.
BOOL CALLBACK MatchDialog(HWND hWnd, LPARAM lParam) {
  DialogSearch* search = reinterpret_cast<DialogSearch*>(lParam);
  DWORD process = 0;
  GetWindowThreadProcessId(hWnd, &process);
  WCHAR className[16] = {};
  WCHAR caption[128] = {};
  GetClassNameW(hWnd, className, 16);
  GetWindowTextW(hWnd, caption, 128);
  if (process == GetCurrentProcessId() && IsWindowVisible(hWnd) && wcscmp(className, L"#32770") == 0 &&
      wcscmp(caption, search->caption) == 0) {
    search->found = hWnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND WaitForDialog(LPCWSTR caption, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
    DialogSearch search = {caption, nullptr};
    EnumWindows(&MatchDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    Sleep(20);
  }
  return nullptr;
}

CRect ChildRect(CWnd* pParent, CWnd* pChild) {
  CRect rect;
  pChild->GetWindowRect(&rect);
  pParent->ScreenToClient(&rect);
  return rect;
}
