// The balloon tooltip driven by relayed mouse messages. The tip shows only
// while the real pointer rests where the last move was, so these tests move
// the pointer and run alone.
#include <gtest/gtest.h>

#include <functional>

#include "html_tooltip.h"
#include "pump_until.h"
#include "start_page_tips.h"
#include "test_app.h"

namespace {

class TooltipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, L"STATIC", L"Page", WS_POPUP | WS_VISIBLE, 100, 100, 600, 400, nullptr,
                                nullptr));
    ASSERT_TRUE(button.CreateEx(0, L"BUTTON", L"Standard Scan", WS_CHILD | WS_VISIBLE, 40, 200, 160, 60,
                                parent.GetSafeHwnd(), reinterpret_cast<HMENU>(100)));
    ASSERT_TRUE(tip.Create(&parent, TRUE));
    tip.SetDelayTime(3, 100);
    PumpPending();
  }
  void TearDown() override {
    tip.DestroyWindow();
    button.DestroyWindow();
    parent.DestroyWindow();
  }
  // Puts the pointer at a point of the button and relays the move.
  void MoveTo(int x, int y, UINT message = WM_MOUSEMOVE) {
    POINT screen = {x, y};
    ::ClientToScreen(button.GetSafeHwnd(), &screen);
    ::SetCursorPos(screen.x, screen.y);
    MSG msg = {button.GetSafeHwnd(), message, 0, MAKELPARAM(x, y), ::GetTickCount(), screen};
    tip.RelayToolMessage(&msg);
  }
  bool Shown() {
    return PumpUntil([&] {
      return tip.IsWindowVisible() && tip.GetState() == CHtmlToolTip::kShown &&
             !::GetUpdateRect(tip.GetSafeHwnd(), nullptr, FALSE);
    });
  }
  bool InitialDelayRunning() {
    // KillTimer tells whether the timer was running.
    const bool running = ::KillTimer(tip.GetSafeHwnd(), 256) != FALSE;
    if (running) ::SetTimer(tip.GetSafeHwnd(), 256, 100, nullptr);
    return running;
  }

  CWnd parent;
  CWnd button;
  CHtmlToolTip tip;
};

TEST_F(TooltipTest, RestingShowsAMoveWithinTheToolHidesAClickHides) {
  tip.AddTool(&button, kTooltips[0], nullptr, 0);
  MoveTo(80, 30);
  ASSERT_TRUE(Shown());
  // A shaped window over the pointer's side.
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(::GetWindowRgn(tip.GetSafeHwnd(), region), ERROR);
  ::DeleteObject(region);
  EXPECT_EQ(tip.GetPlacementCode(), 16);

  // A move within the same tool hides it, and it does not come back...
  MoveTo(85, 32);
  EXPECT_FALSE(tip.IsWindowVisible());
  EXPECT_EQ(tip.GetState(), CHtmlToolTip::kHidden);
  MoveTo(90, 34);
  EXPECT_FALSE(InitialDelayRunning());
  EXPECT_FALSE(tip.IsWindowVisible());

  // ...until the pointer leaves the tool and enters it again.
  MoveTo(300, -100);
  MoveTo(80, 30);
  ASSERT_TRUE(Shown());
  MoveTo(80, 30, WM_LBUTTONDOWN);
  EXPECT_FALSE(tip.IsWindowVisible());
  EXPECT_EQ(tip.GetState(), CHtmlToolTip::kHidden);
}

TEST_F(TooltipTest, DisabledWindowsAndEmptyTextsShowNothing) {
  // Without an initial delay the tip is prepared at once.
  tip.SetDelayTime(3, 0);
  tip.AddTool(&button, L"", nullptr, 0);
  MoveTo(80, 30);
  PumpPending();
  EXPECT_FALSE(tip.IsWindowVisible());
  EXPECT_EQ(tip.GetState(), CHtmlToolTip::kHidden);

  tip.AddTool(&button, L"Text", nullptr, 0);
  button.EnableWindow(FALSE);
  MoveTo(60, 20);
  EXPECT_FALSE(InitialDelayRunning());
  EXPECT_FALSE(tip.IsWindowVisible());
}

TEST_F(TooltipTest, AToolWithAnEqualRectangleReplacesTheOld) {
  const RECT first = {0, 0, 80, 60}, second = {80, 0, 160, 60};
  tip.AddTool(&button, L"one", &first, 1);
  tip.AddTool(&button, L"two", &first, 2);
  tip.AddTool(&button, L"three", &second, 3);
  const std::vector<TooltipToolRecord>* tools = tip.GetTools(button.GetSafeHwnd());
  ASSERT_NE(tools, nullptr);
  ASSERT_EQ(tools->size(), 2u);
  EXPECT_EQ((*tools)[0].text, L"two");
  EXPECT_EQ((*tools)[0].id, 2u);
  EXPECT_EQ((*tools)[1].text, L"three");

  // Each rectangle shows its own text.
  MoveTo(120, 30);
  ASSERT_TRUE(Shown());
  MoveTo(20, 30);
  ASSERT_TRUE(PumpUntil([&] { return tip.IsWindowVisible() && tip.GetState() == CHtmlToolTip::kShown; }));
}

TEST_F(TooltipTest, FadeInRunsInTwentyPercentSteps) {
  tip.AddTool(&button, L"Fading", nullptr, 0);
  tip.SetDelayTime(4, 50);
  std::vector<int> seen;
  MoveTo(80, 30);
  PumpUntil([&] {
    if (tip.GetState() != CHtmlToolTip::kHidden &&
        (seen.empty() || seen.back() != tip.GetTransparency()))
      seen.push_back(tip.GetTransparency());
    return tip.GetState() == CHtmlToolTip::kShown;
  });
  EXPECT_EQ(seen, (std::vector<int>{100, 80, 60, 40, 20, 0}));
}

}  // namespace
