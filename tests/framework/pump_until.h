// The tests' wait: the thread's windows keep working while a condition is
// polled, and the wait ends as soon as it holds.
#pragma once

#include <windows.h>

#include <functional>

// Dispatches this thread's messages until condition() holds; false once
// timeoutMs has passed without it. Pending messages are dispatched before
// each check, so a condition that a queued message settles is seen settled.
inline bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (condition()) return true;
    if (::GetTickCount() - start >= timeoutMs) return false;
    // Wakes at once for a new message, a sent one or a timer.
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}
