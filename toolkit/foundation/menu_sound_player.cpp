#include "menu_sound_player.h"

#include <mmsystem.h>

namespace {
BOOL PlaySystemSound(LPCWSTR alias, DWORD flags) { return ::PlaySoundW(alias, nullptr, flags); }
volatile LONG runningWorkers = 0;
}  // namespace

BOOL (*MenuSoundFunction)(LPCWSTR alias, DWORD flags) = PlaySystemSound;

struct CTkMenuSoundPlayer::Worker {
  volatile LONG request = kNone;
  volatile LONG references = 2;  // the player and the thread

  void Release() {
    if (::InterlockedDecrement(&references) == 0) delete this;
  }
};

LONG CTkMenuSoundPlayer::RunningWorkers() { return ::InterlockedCompareExchange(&runningWorkers, 0, 0); }

DWORD WINAPI CTkMenuSoundPlayer::MenuSoundThread(LPVOID parameter) {
  Worker* worker = static_cast<Worker*>(parameter);
  for (;;) {
    LONG request = ::InterlockedCompareExchange(&worker->request, 0, 0);
    if (request == kStop) break;
    if (request == kMenuCommand || request == kMenuPopup) {
      MenuSoundFunction(request == kMenuCommand ? L"MenuCommand" : L"MenuPopup",
                        SND_ALIAS | SND_NOWAIT | SND_NODEFAULT);
      // Only the request just played is cleared: one written meanwhile stays.
      ::InterlockedCompareExchange(&worker->request, kNone, request);
    }
    ::Sleep(5);
  }
  MenuSoundFunction(nullptr, SND_PURGE);
  worker->Release();
  ::InterlockedDecrement(&runningWorkers);
  return 0;
}

void CTkMenuSoundPlayer::StartThread() {
  Worker* worker = new Worker;
  ::InterlockedIncrement(&runningWorkers);
  HANDLE thread = ::CreateThread(nullptr, 0, MenuSoundThread, worker, CREATE_SUSPENDED, nullptr);
  if (thread == nullptr) {
    ::InterlockedDecrement(&runningWorkers);
    delete worker;
    return;  // the next request tries again
  }
  ::SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL);
  m_pWorker = worker;
  m_hThread = thread;
  ::ResumeThread(thread);
}

void CTkMenuSoundPlayer::Play(int sound) {
  if (!m_bEnabled || (sound != kMenuCommand && sound != kMenuPopup)) return;
  if (m_hThread == nullptr) StartThread();
  if (m_pWorker != nullptr) ::InterlockedExchange(&m_pWorker->request, sound);
}

void CTkMenuSoundPlayer::Stop() {
  if (m_hThread == nullptr) return;
  ::InterlockedExchange(&m_pWorker->request, kStop);
  ::WaitForSingleObject(m_hThread, 100);
  ::CloseHandle(m_hThread);
  m_hThread = nullptr;
  m_pWorker->Release();
  m_pWorker = nullptr;
}

CTkMenuSoundPlayer& GetMenuSoundPlayer() {
  static CTkMenuSoundPlayer MenuSoundPlayer;
  return MenuSoundPlayer;
}
