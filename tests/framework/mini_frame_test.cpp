// Mini frames: the small caption, the caption that follows the owner's
// activation, the blocked system menu, and the idle pass that reaches
// frames outside the main window.
#include <gtest/gtest.h>

#include "framework.h"
#include "test_app.h"

namespace {

// Counts its layout passes.
class CountingMiniFrame : public CMiniFrameWnd {
 public:
  void RecalcLayout(BOOL bNotify = TRUE) override {
    ++layouts;
    CMiniFrameWnd::RecalcLayout(bNotify);
  }
  void PostNcDestroy() override {}
  int layouts = 0;
};

struct MiniFrameFixture {
  MiniFrameFixture() {
    owner = new CFrameWnd;
    owner->Create(nullptr, L"Owner", WS_OVERLAPPEDWINDOW, CRect(20, 20, 420, 320));
    owner->ShowWindow(SW_SHOW);
    other = new CFrameWnd;
    other->Create(nullptr, L"Other", WS_OVERLAPPEDWINDOW, CRect(500, 20, 700, 220));
    other->ShowWindow(SW_SHOW);
  }
  ~MiniFrameFixture() {
    if (mini.GetSafeHwnd() != nullptr) mini.DestroyWindow();
    other->DestroyWindow();
    owner->DestroyWindow();
  }
  CFrameWnd* owner;
  CFrameWnd* other;
  CountingMiniFrame mini;
};

TEST(CMiniFrameWnd, SmallCaptionOwnedByItsFrame) {
  MiniFrameFixture f;
  ASSERT_TRUE(f.mini.CreateEx(0, nullptr, L"Tools", WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_SYNCACTIVE,
                              CRect(100, 400, 300, 500), f.owner));
  EXPECT_TRUE(f.mini.GetExStyle() & WS_EX_TOOLWINDOW);
  EXPECT_EQ(f.owner->GetSafeHwnd(), ::GetWindow(f.mini.GetSafeHwnd(), GW_OWNER));
  CRect rect;
  f.mini.GetWindowRect(&rect);
  EXPECT_EQ(CRect(100, 400, 300, 500), rect);
  // A child mini frame keeps its id.
  CMiniFrameWnd child;
  ASSERT_TRUE(child.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), f.owner, 77));
  EXPECT_EQ(77, child.GetDlgCtrlID());
  EXPECT_FALSE(child.GetExStyle() & WS_EX_TOOLWINDOW);
  child.DestroyWindow();
}

TEST(CMiniFrameWnd, SyncActiveFollowsTheOwner) {
  MiniFrameFixture f;
  for (BOOL sync : {TRUE, FALSE}) {
    SCOPED_TRACE(sync ? "synchronised" : "on its own");
    DWORD style = WS_POPUP | WS_CAPTION | WS_VISIBLE | (sync ? MFS_SYNCACTIVE : 0);
    ASSERT_TRUE(f.mini.CreateEx(0, nullptr, L"Tools", style, CRect(100, 400, 300, 500), f.owner));
    // The owner's activation as its window procedure hears it; the real
    // foreground belongs to whichever test program runs beside this one.
    f.owner->SendMessage(WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(sync, f.mini.m_bActive);
    // Another program window takes over: the caption goes inactive.
    f.owner->SendMessage(WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(f.mini.m_bActive);
    f.mini.DestroyWindow();
  }
}

TEST(CMiniFrameWnd, BlockedSystemMenuIgnoresTheIcon) {
  MiniFrameFixture f;
  ASSERT_TRUE(f.mini.CreateEx(0, nullptr, L"Tools", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | MFS_BLOCKSYSMENU,
                              CRect(100, 400, 300, 500), f.owner));
  // A double click on the icon would close the window.
  f.mini.SendMessage(WM_NCLBUTTONDBLCLK, HTSYSMENU, MAKELPARAM(105, 405));
  f.mini.SendMessage(WM_SYSCOMMAND, SC_KEYMENU, ' ');
  PumpPending();
  EXPECT_TRUE(::IsWindow(f.mini.GetSafeHwnd()));
}

TEST(CMiniFrameWnd, IdlePassReachesTopLevelFrames) {
  MiniFrameFixture f;
  ASSERT_TRUE(f.mini.CreateEx(0, nullptr, L"Tools", WS_POPUP | WS_CAPTION, CRect(100, 400, 300, 500), f.owner));
  // Hidden, with a layout asked for: the pass still runs it, once.
  f.mini.layouts = 0;
  f.mini.DelayRecalcLayout();
  TheTestApp().OnIdle(0);
  EXPECT_EQ(1, f.mini.layouts);
  EXPECT_EQ(0u, f.mini.m_nIdleFlags);
  TheTestApp().OnIdle(0);
  EXPECT_EQ(1, f.mini.layouts);
  // A frame object that went away is not visited.
  {
    CountingMiniFrame gone;
    gone.CreateEx(0, nullptr, L"", WS_POPUP | WS_CAPTION | WS_VISIBLE, CRect(0, 0, 50, 50), f.owner);
    gone.DestroyWindow();
  }
  TheTestApp().OnIdle(0);
  EXPECT_EQ(1, f.mini.layouts);
}

}  // namespace
