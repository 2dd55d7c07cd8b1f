// The strip's modal loops in a real window, driven by posted input.
#include <gtest/gtest.h>

#include "tab_fixtures.h"

namespace {

HWND g_upTarget = nullptr;
void CALLBACK PostButtonUp(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  ::PostMessageW(g_upTarget, WM_LBUTTONUP, 0, 0);
}

struct Fixture {
  Fixture() : strip(&painter, CRect(0, 0, 200, 80)) {
    strip.m_leastTabSize.cx = strip.m_greatestTabSize.cx = 60;
    for (int i = 0; i < 8; ++i) strip.Add(L"Tab");
    strip.CreateOwnerWindow();
  }
  CTkTabPainter painter;
  TestTabStrip strip;
};

TEST(TabWindow, HeldArrowScrollsAStepEveryTwentyMilliseconds) {
  Fixture f;
  CTkTabScrollButton* forward = f.strip.FindNavigateButton(CTkTabScrollButton::kForward);
  ASSERT_FALSE(forward->m_rect.IsRectEmpty());
  ASSERT_TRUE(forward->m_bEnabled);
  g_upTarget = f.strip.m_hWnd;
  ::SetTimer(nullptr, 0, 150, PostButtonUp);
  CPoint at = forward->m_rect.CenterPoint();
  DWORD start = ::GetTickCount();
  EXPECT_TRUE(f.strip.HandleLeftButtonDown(f.strip.m_hWnd, at.x, at.y, TRUE));
  DWORD held = ::GetTickCount() - start;
  int offset = f.strip.GetScrollOffset();
  EXPECT_LT(offset, 0);
  EXPECT_EQ(0, offset % 20);
  EXPECT_LE(-offset / 20, static_cast<int>(held / 20) + 1);
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_FALSE(forward->m_bPressed);
}

TEST(TabWindow, QuickClickAndDisabledArrowDoNotScroll) {
  Fixture f;
  CTkTabScrollButton* back = f.strip.FindNavigateButton(CTkTabScrollButton::kBack);
  ASSERT_FALSE(back->m_bEnabled);
  CPoint at = back->m_rect.CenterPoint();
  back->PerformClick(f.strip.m_hWnd, at.x, at.y);
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_EQ(0, f.strip.GetScrollOffset());

  CTkTabScrollButton* forward = f.strip.FindNavigateButton(CTkTabScrollButton::kForward);
  at = forward->m_rect.CenterPoint();
  ::PostMessageW(f.strip.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  forward->PerformClick(f.strip.m_hWnd, at.x, at.y);
  EXPECT_EQ(0, f.strip.GetScrollOffset());
}

TEST(TabWindow, CloseButtonActsOnceOnReleaseInside) {
  Fixture f;
  CTkTabScrollButton* close = f.strip.FindNavigateButton(CTkTabScrollButton::kClose);
  close->m_displayMode = CTkTabScrollButton::kAlwaysShown;
  f.strip.Layout();
  CPoint at = close->m_rect.CenterPoint();
  ::PostMessageW(f.strip.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(at.x + 1, at.y));
  ::PostMessageW(f.strip.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(at.x + 1, at.y));
  EXPECT_TRUE(f.strip.HandleLeftButtonDown(f.strip.m_hWnd, at.x, at.y, FALSE));
  EXPECT_EQ(std::vector<int>{CTkTabScrollButton::kClose}, f.strip.m_buttonClicks);
  // Released outside: nothing.
  ::PostMessageW(f.strip.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ::PostMessageW(f.strip.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  close->PerformClick(f.strip.m_hWnd, at.x, at.y);
  EXPECT_EQ(1u, f.strip.m_buttonClicks.size());
  // Escape ends the loop with nothing pressed.
  ::PostMessageW(f.strip.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
  close->PerformClick(f.strip.m_hWnd, at.x, at.y);
  EXPECT_EQ(1u, f.strip.m_buttonClicks.size());
  EXPECT_FALSE(close->m_bPressed);
}

TEST(TabWindow, DraggingSwapsWithTheTabWhosePlaceIsUnderThePoint) {
  struct Case {
    bool escape;
    std::vector<int> order;  // original positions after the drag
  };
  const Case cases[] = {{false, {2, 1, 0}}, {true, {1, 0, 2}}};
  for (const Case& c : cases) {
    CTkTabPainter painter;
    TestTabStrip strip(&painter, CRect(0, 0, 400, 80));
    std::vector<CTkTabManagerItem*> tabs = {strip.Add(L"Zero"), strip.Add(L"One"), strip.Add(L"Two")};
    strip.SelectTab(tabs[1]);
    strip.CreateOwnerWindow();
    HWND hWnd = strip.m_hWnd;
    CPoint target = (c.escape ? tabs[1] : tabs[2])->m_rect.CenterPoint();
    ::PostMessageW(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(target.x, target.y));
    if (c.escape) {
      ::PostMessageW(hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    } else {
      ::PostMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(target.x, target.y));
    }
    strip.m_clicks = 0;
    CPoint at = tabs[0]->m_rect.CenterPoint();
    EXPECT_TRUE(strip.HandleLeftButtonDown(hWnd, at.x, at.y, FALSE));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(tabs[c.order[i]], strip.GetTab(i)) << c.escape << " " << i;
    EXPECT_EQ(1, strip.m_clicks);
    EXPECT_EQ(tabs[0], strip.GetSelectedTab());
    EXPECT_EQ(nullptr, ::GetCapture());
    MSG msg;
    while (::PeekMessageW(&msg, hWnd, 0, 0, PM_REMOVE)) {}
  }
}

TEST(TabWindow, ClickWithoutReorderingSelects) {
  Fixture f;
  f.strip.SetReorderAllowed(FALSE);
  CTkTabManagerItem* tab = f.strip.GetTab(1);
  CPoint at = tab->m_rect.CenterPoint();
  EXPECT_TRUE(f.strip.HandleLeftButtonDown(f.strip.m_hWnd, at.x, at.y, FALSE));
  EXPECT_EQ(tab, f.strip.GetSelectedTab());
  EXPECT_FALSE(f.strip.HandleLeftButtonDown(f.strip.m_hWnd, at.x, at.y, TRUE));
  EXPECT_FALSE(f.strip.HandleLeftButtonDown(f.strip.m_hWnd, 5, 70, FALSE));
}

TEST(TabWindow, HotTrackingOnlyWhenAskedAndTheWindowIsActive) {
  Fixture f;
  ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == f.strip.m_hWnd; }));
  CPoint at = f.strip.GetTab(1)->m_rect.CenterPoint();
  f.strip.HandleMouseMove(f.strip.m_hWnd, at.x, at.y);
  EXPECT_EQ(nullptr, f.strip.GetHotTab());
  f.painter.m_bHotTracking = TRUE;
  f.strip.HandleMouseMove(f.strip.m_hWnd, at.x, at.y);
  EXPECT_EQ(f.strip.GetTab(1), f.strip.GetHotTab());
  f.strip.HandleMouseMove(f.strip.m_hWnd, -1, -1);
  EXPECT_EQ(nullptr, f.strip.GetHotTab());
  CTkTabScrollButton* forward = f.strip.FindNavigateButton(CTkTabScrollButton::kForward);
  CPoint on = forward->m_rect.CenterPoint();
  f.strip.HandleMouseMove(f.strip.m_hWnd, on.x, on.y);
  EXPECT_TRUE(forward->m_bHot);
  f.strip.HandleMouseMove(f.strip.m_hWnd, -1, -1);
  EXPECT_FALSE(forward->m_bHot);
}

}  // namespace
