#include "starting_threads.h"

#ifdef _WIN32

#include <windows.h>
#include <tlhelp32.h>

namespace {

// Threads that have run their start-up and not yet begun to end, by id (0 is
// a free slot). Written from the loader's thread notifications, which come
// before any constructor runs: so plain zeroed memory and interlocked writes.
const int kSlots = 1024;
volatile LONG startedThreads[kSlots];

void Remember(LONG id) {
  for (volatile LONG& slot : startedThreads)
    if (::InterlockedCompareExchange(&slot, id, 0) == 0) return;
  // All slots taken: the thread is never seen as started and the wait
  // ends at its time limit.
}

void Forget(LONG id) {
  for (volatile LONG& slot : startedThreads)
    if (::InterlockedCompareExchange(&slot, 0, id) == id) return;
}

bool IsRemembered(LONG id) {
  for (volatile LONG& slot : startedThreads)
    if (::InterlockedCompareExchange(&slot, 0, 0) == id) return true;
  return false;
}

void NTAPI NoteThreadEvent(PVOID, DWORD reason, PVOID) {
  if (reason == DLL_THREAD_ATTACH) Remember(static_cast<LONG>(::GetCurrentThreadId()));
  if (reason == DLL_THREAD_DETACH) Forget(static_cast<LONG>(::GetCurrentThreadId()));
}

// Every thread that starts or ends calls the image's TLS callbacks.
__attribute__((section(".CRT$XLM"), used)) const PIMAGE_TLS_CALLBACK noteThreadEvent = NoteThreadEvent;

bool NoOtherThreadStartingOrEnding() {
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return true;  // nothing known to wait for
  const DWORD process = ::GetCurrentProcessId();
  const DWORD self = ::GetCurrentThreadId();
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  bool settled = true;
  for (BOOL more = ::Thread32First(snapshot, &entry); more && settled; more = ::Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == process && entry.th32ThreadID != self &&
        !IsRemembered(static_cast<LONG>(entry.th32ThreadID)))
      settled = false;
  }
  ::CloseHandle(snapshot);
  return settled;
}

}  // namespace

bool WaitForStartingThreads(unsigned timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!NoOtherThreadStartingOrEnding()) {
    if (::GetTickCount() - start >= timeoutMs) return false;
    ::Sleep(2);
  }
  return true;
}

#else

bool WaitForStartingThreads(unsigned) { return true; }

#endif
