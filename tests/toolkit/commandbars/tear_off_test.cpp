// Tearing a popup off into a floating tool bar. The drag holds the mouse
// capture, so the test runs alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "bar_fixtures.h"
#include "tool_bar.h"

namespace {

TEST(PopupBar, TearingOffFollowsTheCursorAndReturnsOverTheStrip) {
  RecordingFrame* frame = RecordingFrame::Make();
  ASSERT_NE(nullptr, frame);
  auto* bars = new TestCommandBars;
  bars->SetFrame(frame);
  CRect frameRect;
  frame->GetWindowRect(&frameRect);
  enum Step { kAway, kBack, kRelease, kEscape };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    bool kept;
    bool barsMade;
  } cases[] = {
      {"released away", {kAway, kRelease}, true, true},
      {"escape away", {kAway, kEscape}, true, true},
      {"back over the strip", {kAway, kBack, kRelease}, false, true},
      // Without a tool bar the menu stays open.
      {"no tool bar", {kAway, kRelease}, false, false},
  };
  for (const Case& c : cases) {
    CRuntimeClass* toolBarClass = ToolBarClass;
    if (!c.barsMade) ToolBarClass = RUNTIME_CLASS(CTkControls);
    CTkPopupBar* popup = CTkPopupBar::CreateForCommandBars(bars);
    ASSERT_NE(nullptr, popup);
    popup->SetTearOff(TRUE);
    popup->SetTearOffBar(L"Torn", 720, 0);
    popup->GetControls()->Add(kControlButton, 801)->SetCaption(L"First");
    popup->GetControls()->Add(kControlButton, 802)->SetCaption(L"Second");
    ASSERT_TRUE(popup->PopupAt(frameRect.left + 40, frameRect.top + 40, nullptr)) << c.name;
    const CRect strip = popup->GetTearOffStrip();
    ASSERT_FALSE(strip.IsRectEmpty()) << c.name;
    const CPoint onStrip = strip.CenterPoint();
    const CPoint away(onStrip.x, strip.bottom + 60);
    CPoint cursor = away;
    popup->ClientToScreen(&cursor);
    for (Step step : c.steps) {
      const CPoint at = step == kBack ? onStrip : away;
      if (step == kAway || step == kBack) popup->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
      if (step == kRelease) popup->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
      if (step == kEscape) popup->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    }
    popup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onStrip.x, onStrip.y));
    ToolBarClass = toolBarClass;
    CTkCommandBar* torn = bars->FindBarById(720);
    EXPECT_EQ(c.kept, torn != nullptr) << c.name;
    if (torn != nullptr) {
      CRect rect;
      torn->GetWindowRect(&rect);
      EXPECT_LE(std::abs(rect.CenterPoint().x - cursor.x), 1) << c.name;
      EXPECT_EQ(cursor.y - 10, rect.top) << c.name;
      EXPECT_EQ(kBarFloating, torn->GetPosition()) << c.name;
      EXPECT_NE(nullptr, torn->GetControls()->FindControl(802)) << c.name;
      EXPECT_EQ(0, popup->GetMenuMode()) << c.name;
      torn->SetVisible(FALSE);
    } else {
      EXPECT_TRUE(popup->IsWindowVisible()) << c.name;
    }
    popup->SetMenuMode(0, TRUE, FALSE);
    popup->InternalRelease();
  }
  frame->DestroyWindow();
  bars->InternalRelease();
}

}  // namespace
