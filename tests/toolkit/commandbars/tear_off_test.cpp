// Popup loops that hold the mouse capture or need the focus, so they run
// alone: tearing a popup off into a floating tool bar, and the tool-bar
// context menu.
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

// A frame that puts one entry in the tool-bar context menu and counts a
// message the menu's loop dispatches.
class ContextMenuFrame : public CFrameWnd {
 public:
  int pumped = 0;

 protected:
  LRESULT OnContextMenu(WPARAM, LPARAM lParam) {
    reinterpret_cast<CTkPopupBar*>(lParam)->GetControls()->Add(kControlButton, kCmdPlain)->SetCaption(L"Entry");
    return 0;
  }
  LRESULT OnPumped(WPARAM, LPARAM) {
    ++pumped;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ContextMenuFrame, CFrameWnd)
ON_MESSAGE(WM_CMDBARS_CONTEXTMENU, OnContextMenu)
ON_MESSAGE(WM_APP, OnPumped)
END_MESSAGE_MAP()

// Fault: the context menu's message pump swallowed a quit message.
TEST(ToolBarContextMenu, PassesAQuitOn) {
  auto* frame = new ContextMenuFrame;
  ASSERT_TRUE(frame->Create(nullptr, L"Context menu test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 440, 240)));
  frame->SetForegroundWindow();
  auto* bars = new TestCommandBars;
  bars->SetFrame(frame);
  CRect rect;
  frame->GetWindowRect(&rect);
  // The menu's own loop dispatches the waiting message, then meets the quit.
  frame->PostMessage(WM_APP);
  ::PostQuitMessage(3);
  bars->ShowToolbarsContextMenu(0, rect.left + 40, rect.top + 40);
  EXPECT_EQ(1, frame->pumped);
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(3u, msg.wParam);
  EXPECT_TRUE(GetMouseTracker()->m_trackedBars.empty());
  frame->DestroyWindow();
  bars->InternalRelease();
}

}  // namespace
