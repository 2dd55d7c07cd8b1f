// The program's engine interface on the interface thread: while the user
// interface waits for a worker it handles what other threads send, and
// nothing else, so no input handler re-enters.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "framework.h"
#include "program_ui.h"

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

}  // namespace
