// Plays the "MenuPopup" and "MenuCommand" system sounds on a worker thread
// so that menus never wait for the sound driver.
#pragma once

#include "framework.h"

// Every sound goes through this; tests replace it (PlaySound under Wine
// plays nothing and fails).
extern BOOL (*MenuSoundFunction)(LPCWSTR alias, DWORD flags);

class CTkMenuSoundPlayer {
 public:
  enum Request { kNone = 0, kMenuCommand = 1, kMenuPopup = 2, kStop = 3 };

  CTkMenuSoundPlayer() = default;
  ~CTkMenuSoundPlayer() { Stop(); }
  CTkMenuSoundPlayer(const CTkMenuSoundPlayer&) = delete;
  CTkMenuSoundPlayer& operator=(const CTkMenuSoundPlayer&) = delete;

  void Play(int sound);
  void Stop();
  BOOL HasWorker() const { return m_hThread != nullptr; }
  // Workers that have not ended yet, across all players.
  static LONG RunningWorkers();

  BOOL m_bEnabled = TRUE;

 private:
  struct Worker;
  static DWORD WINAPI MenuSoundThread(LPVOID parameter);
  void StartThread();

  // Each worker polls its own record, so a stopped worker that is slow to
  // end never takes the requests of its successor.
  Worker* m_pWorker = nullptr;
  HANDLE m_hThread = nullptr;
};

CTkMenuSoundPlayer& GetMenuSoundPlayer();
