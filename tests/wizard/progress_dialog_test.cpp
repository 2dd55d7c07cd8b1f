// The progress dialog over an owner window: the label's per cent, the
// owner's input, and keys that must not close it.
#include <gtest/gtest.h>

#include "progress_dialog.h"
#include "test_app.h"
#include "wizard_resources.h"
#include "wizard_test_frame.h"

namespace {

// Counts WM_SETTEXT sent to one window of this thread.
class SetTextCounter {
 public:
  explicit SetTextCounter(HWND target) {
    s_target = target;
    s_count = 0;
    m_hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &Hook, nullptr, ::GetCurrentThreadId());
  }
  ~SetTextCounter() { ::UnhookWindowsHookEx(m_hook); }
  int Count() const { return s_count; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->hwnd == s_target && message->message == WM_SETTEXT) ++s_count;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static HWND s_target;
  static int s_count;
  HHOOK m_hook = nullptr;
};
HWND SetTextCounter::s_target = nullptr;
int SetTextCounter::s_count = 0;

class ProgressDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    owner.ShowWindow(SW_SHOW);
    PumpPending();
  }
  WizardTestFrame owner;
};

struct PercentCase {
  const char* name;
  int lower, upper, position;
  const wchar_t* label;
};

TEST_F(ProgressDialogTest, TheLabelShowsThePerCentOfEachPositionSentToIt) {
  const PercentCase cases[] = {
      {"start", 0, 100, 0, L"0%"},
      {"middle", 0, 100, 45, L"45%"},
      {"end", 0, 100, 100, L"100%"},
      {"past the end wraps", 0, 100, 150, L"50%"},
      {"a range not from 0", 50, 250, 150, L"50%"},
      {"empty range", 30, 30, 30, L"0%"},
      {"empty range past it", 30, 30, 60, L"0%"},
  };
  for (const PercentCase& c : cases) {
    SCOPED_TRACE(c.name);
    CProgressDialog dialog;
    ASSERT_TRUE(dialog.Create(&owner));
    dialog.SetRange(c.lower, c.upper);
    dialog.ShowWindow(SW_SHOW);
    dialog.SendMessage(WM_PROGRESS_SETPOS, static_cast<WPARAM>(c.position));
    EXPECT_EQ(CString(c.label), WindowText(dialog.PercentLabel));
    dialog.DestroyWindow();
  }
}

TEST_F(ProgressDialogTest, TheCaptionIsProgressAndTheBarFollowsThePosition) {
  CProgressDialog dialog;
  ASSERT_TRUE(dialog.Create(&owner));
  dialog.SetRange(0, 100);
  dialog.ShowWindow(SW_SHOW);
  EXPECT_EQ(CString(L"Progress..."), WindowText(dialog));
  EXPECT_EQ(0, dialog.SendMessage(WM_PROGRESS_SETPOS, 30));
  EXPECT_EQ(30, dialog.SendMessage(WM_PROGRESS_SETPOS, 60));
  EXPECT_EQ(60, dialog.Bar.GetPos());
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog.GetSafeHwnd(), IDCANCEL)));
}

TEST_F(ProgressDialogTest, TheSamePositionTwiceLeavesTheLabelUntouched) {
  CProgressDialog dialog;
  ASSERT_TRUE(dialog.Create(&owner));
  dialog.SetRange(0, 100);
  dialog.ShowWindow(SW_SHOW);
  dialog.SendMessage(WM_PROGRESS_SETPOS, 45);
  SetTextCounter counter(dialog.PercentLabel.GetSafeHwnd());
  dialog.SendMessage(WM_PROGRESS_SETPOS, 45);
  EXPECT_EQ(0, counter.Count());
  dialog.SendMessage(WM_PROGRESS_SETPOS, 46);
  EXPECT_EQ(1, counter.Count());
}

TEST_F(ProgressDialogTest, TheOwnerIsDisabledWhileItIsShownAndEnabledOnce) {
  {
    CProgressDialog dialog;
    ASSERT_TRUE(dialog.Create(&owner));
    EXPECT_FALSE(owner.IsWindowEnabled());
    dialog.DestroyWindow();
    EXPECT_TRUE(owner.IsWindowEnabled());
    // Someone else disables it now: a second destroy must not enable it.
    owner.EnableWindow(FALSE);
    dialog.DestroyWindow();
    EXPECT_FALSE(owner.IsWindowEnabled());
  }
  EXPECT_FALSE(owner.IsWindowEnabled());
  owner.EnableWindow(TRUE);
}

TEST_F(ProgressDialogTest, AnOwnerDisabledBeforeStaysDisabled) {
  owner.EnableWindow(FALSE);
  {
    CProgressDialog dialog;
    ASSERT_TRUE(dialog.Create(&owner));
    dialog.ShowWindow(SW_SHOW);
    dialog.SendMessage(WM_PROGRESS_SETPOS, 100);
  }
  EXPECT_FALSE(owner.IsWindowEnabled());
  owner.EnableWindow(TRUE);
}

TEST_F(ProgressDialogTest, EscapeAndEnterLeaveItOpenAndPendingMessagesRun) {
  CProgressDialog dialog;
  ASSERT_TRUE(dialog.Create(&owner));
  dialog.SetRange(0, 100);
  dialog.ShowWindow(SW_SHOW);
  dialog.SetForegroundWindow();
  dialog.Bar.SetFocus();
  // An edit of its own: its limit changes only when the posted message runs.
  CEdit other;
  ASSERT_TRUE(other.Create(WS_CHILD, CRect(0, 0, 10, 10), &owner, 77));
  other.PostMessage(EM_SETLIMITTEXT, 7);
  for (UINT key : {VK_ESCAPE, VK_RETURN}) {
    dialog.Bar.PostMessage(WM_KEYDOWN, key, 0);
    dialog.Bar.PostMessage(WM_CHAR, key == VK_ESCAPE ? 27 : 13, 0);
    dialog.PostMessage(WM_COMMAND, key == VK_ESCAPE ? IDCANCEL : IDOK);
  }
  dialog.SendMessage(WM_PROGRESS_SETPOS, 10);
  EXPECT_EQ(7u, static_cast<UINT>(other.SendMessage(EM_GETLIMITTEXT)));
  EXPECT_TRUE(::IsWindow(dialog.GetSafeHwnd()));
  EXPECT_TRUE(dialog.IsWindowVisible());
  other.DestroyWindow();
}

}  // namespace

namespace {

TEST_F(ProgressDialogTest, AListingOpensOneDialogMovesItAndGivesTheOwnerBack) {
  SetListProgress(50);  // nothing open: nothing happens
  OpenListProgress(&owner);
  CProgressDialog* dialog = ListProgressDialog();
  ASSERT_NE(nullptr, dialog);
  EXPECT_TRUE(dialog->IsWindowVisible());
  EXPECT_FALSE(owner.IsWindowEnabled());
  EXPECT_EQ(CString(L"0%"), WindowText(dialog->PercentLabel));
  for (int percent : {10, 55, 100}) SetListProgress(percent);
  EXPECT_EQ(CString(L"100%"), WindowText(dialog->PercentLabel));
  CloseListProgress();
  EXPECT_EQ(nullptr, ListProgressDialog());
  EXPECT_TRUE(owner.IsWindowEnabled());
  CloseListProgress();
  EXPECT_TRUE(owner.IsWindowEnabled());
}

}  // namespace
