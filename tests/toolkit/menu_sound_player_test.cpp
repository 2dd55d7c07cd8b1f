#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu_sound_player.h"

namespace {

CRITICAL_SECTION lock;
std::vector<std::wstring> played;
HANDLE started = nullptr;  // set as each sound begins
HANDLE gate = nullptr;     // while reset, a sound that begins lasts

BOOL RecordSound(LPCWSTR alias, DWORD) {
  if (alias == nullptr) return TRUE;  // purge
  ::EnterCriticalSection(&lock);
  played.push_back(alias);
  ::LeaveCriticalSection(&lock);
  ::SetEvent(started);
  if (gate != nullptr) ::WaitForSingleObject(gate, 5000);
  return TRUE;
}

class MenuSoundPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::InitializeCriticalSection(&lock);
    played.clear();
    started = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    saved = MenuSoundFunction;
    MenuSoundFunction = RecordSound;
  }
  void TearDown() override {
    player.Stop();
    WaitFor([] { return CTkMenuSoundPlayer::RunningWorkers() == 0; });
    MenuSoundFunction = saved;
    if (gate != nullptr) ::CloseHandle(gate);
    gate = nullptr;
    ::CloseHandle(started);
    ::DeleteCriticalSection(&lock);
  }
  template <class F>
  static bool WaitFor(F done) {
    for (int i = 0; i < 400; ++i) {
      if (done()) return true;
      ::Sleep(5);
    }
    return done();
  }
  static size_t PlayedCount() {
    ::EnterCriticalSection(&lock);
    size_t count = played.size();
    ::LeaveCriticalSection(&lock);
    return count;
  }

  CTkMenuSoundPlayer player;
  BOOL (*saved)(LPCWSTR, DWORD) = nullptr;
};

TEST_F(MenuSoundPlayerTest, RequestsWhileASoundPlaysMergeIntoOneAndAreNotLost) {
  gate = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  player.Play(CTkMenuSoundPlayer::kMenuCommand);
  // A worker starts late under load: wait until it is inside the sound.
  ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(started, 5000));
  player.Play(CTkMenuSoundPlayer::kMenuPopup);
  player.Play(CTkMenuSoundPlayer::kMenuPopup);
  player.Play(CTkMenuSoundPlayer::kMenuPopup);
  ::SetEvent(gate);
  ASSERT_TRUE(WaitFor([] { return PlayedCount() >= 2; }));
  ::Sleep(50);
  EXPECT_EQ((std::vector<std::wstring>{L"MenuCommand", L"MenuPopup"}), played);
}

TEST_F(MenuSoundPlayerTest, StoppingIsHarmlessAndAPlayAfterAStopStartsAnewWorker) {
  player.Stop();  // no worker
  EXPECT_FALSE(player.HasWorker());
  player.Play(CTkMenuSoundPlayer::kMenuPopup);
  ASSERT_TRUE(WaitFor([] { return PlayedCount() == 1; }));
  player.Stop();
  player.Stop();
  EXPECT_FALSE(player.HasWorker());
  EXPECT_TRUE(WaitFor([] { return CTkMenuSoundPlayer::RunningWorkers() == 0; }));
  player.Play(CTkMenuSoundPlayer::kMenuPopup);
  EXPECT_TRUE(player.HasWorker());
  ASSERT_TRUE(WaitFor([] { return PlayedCount() == 2; }));
  player.m_bEnabled = FALSE;
  player.Play(CTkMenuSoundPlayer::kMenuCommand);
  ::Sleep(30);
  EXPECT_EQ(2u, PlayedCount());
}

TEST_F(MenuSoundPlayerTest, AWorkerSlowToStopEndsAndLeavesTheNextRequestToItsSuccessor) {
  gate = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  player.Play(CTkMenuSoundPlayer::kMenuCommand);
  ASSERT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(started, 5000));
  player.Stop();  // gives up after 100 ms: the worker is still in its sound
  EXPECT_EQ(1, CTkMenuSoundPlayer::RunningWorkers());
  player.Play(CTkMenuSoundPlayer::kMenuPopup);
  EXPECT_EQ(2, CTkMenuSoundPlayer::RunningWorkers());
  ::SetEvent(gate);
  // The old worker sees its own stop and ends; the new one plays once.
  ASSERT_TRUE(WaitFor([] { return CTkMenuSoundPlayer::RunningWorkers() == 1 && PlayedCount() == 2; }));
  ::Sleep(50);
  EXPECT_EQ((std::vector<std::wstring>{L"MenuCommand", L"MenuPopup"}), played);
  EXPECT_EQ(1, CTkMenuSoundPlayer::RunningWorkers());
  player.Stop();
  EXPECT_TRUE(WaitFor([] { return CTkMenuSoundPlayer::RunningWorkers() == 0; }));
}

}  // namespace
