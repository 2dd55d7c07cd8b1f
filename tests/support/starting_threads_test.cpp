#include <gtest/gtest.h>
#include <windows.h>

#include "starting_threads.h"

namespace {

DWORD WINAPI WaitForRelease(LPVOID release) {
  ::WaitForSingleObject(static_cast<HANDLE>(release), INFINITE);
  return 0;
}

// A thread made suspended has not started: the wait gives up at its limit.
// Running (here blocked in a wait) it counts as started, and once it has
// ended nothing is left to wait for.
TEST(StartingThreads, AThreadIsWaitedForUntilItRuns) {
  HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE thread = ::CreateThread(nullptr, 0, WaitForRelease, release, CREATE_SUSPENDED, nullptr);
  ASSERT_NE(nullptr, thread);
  DWORD start = ::GetTickCount();
  EXPECT_FALSE(WaitForStartingThreads(100));
  EXPECT_GE(::GetTickCount() - start, 90u);
  ::ResumeThread(thread);
  EXPECT_TRUE(WaitForStartingThreads(10000));
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), ::WaitForSingleObject(thread, 0));
  ::SetEvent(release);
  ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(thread, 10000));
  EXPECT_TRUE(WaitForStartingThreads(10000));
  ::CloseHandle(thread);
  ::CloseHandle(release);
}

}  // namespace
