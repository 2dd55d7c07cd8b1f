#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu_sound_player.h"

namespace {

CRITICAL_SECTION lock;
std::vector<std::wstring> played;
HANDLE gate = nullptr;  // while reset, the next sound blocks

BOOL RecordSound(LPCWSTR alias, DWORD) {
  if (alias == nullptr) return TRUE;  // purge
  if (gate != nullptr) ::WaitForSingleObject(gate, 5000);
  ::EnterCriticalSection(&lock);
  played.push_back(alias);
  ::LeaveCriticalSection(&lock);
  return TRUE;
}

class MenuSoundPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::InitializeCriticalSection(&lock);
    played.clear();
    saved = MenuSoundFunction;
    MenuSoundFunction = RecordSound;
  }
  void TearDown() override {
    player.Stop();
    WaitFor([] { return CTkMenuSoundPlayer::RunningWorkers() == 0; });
    MenuSoundFunction = saved;
    if (gate != nullptr) ::CloseHandle(gate);
    gate = nullptr;
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
  ::Sleep(50);  // the worker is now inside the blocked sound
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
  ::Sleep(50);
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
