// The Windows focus coming into the panel by Tab and leaving it at the
// ends of its focus order, and the focus rectangle shown after keys only.
#include <gtest/gtest.h>

#include "task_panel_fixture.h"

namespace {

void HoldShift(bool down) {
  BYTE keys[256];
  ::GetKeyboardState(keys);
  keys[VK_SHIFT] = down ? 0x80 : 0;
  ::SetKeyboardState(keys);
}

// The panel between two tab stops of its parent.
struct TabStops {
  explicit TabStops(PanelFixture& f) {
    before.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 10, 10), &f.owner, 101);
    before.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 10, 10), &f.owner, 102);
  }
  CEdit before, after;
};

TEST(TaskPanelKeyboard, TabComesInAtTheEndsAndLeavesToTheNeighbours) {
  struct Case {
    const char* name;
    bool fromAfter, shift;
    int expected;  // 0 the first caption, 1 the last item, -1 none
  } cases[] = {
      {"Tab from the stop before", false, false, 0},
      {"Shift+Tab from the stop after", true, true, 1},
      {"Tab from the stop after is no tab arrival", true, false, -1},
  };
  for (const Case& c : cases) {
    PanelFixture f;
    CTkTaskPanelGroup* first = f.AddGroup(L"A", 1);
    CTkTaskPanelGroup* last = f.AddGroup(L"B", 2);
    TabStops stops(f);
    (c.fromAfter ? stops.after : stops.before).SetFocus();
    HoldShift(c.shift);
    f.panel.SetFocus();
    HoldShift(false);
    CTkTaskPanelItem* expected = c.expected == 0 ? static_cast<CTkTaskPanelItem*>(first)
                                 : c.expected == 1 ? last->GetItemAt(1) : nullptr;
    EXPECT_EQ(expected, f.panel.GetFocusedItem()) << c.name;
    EXPECT_EQ(expected != nullptr, f.panel.IsFocusRectShown() != FALSE) << c.name;
  }

  // At the ends of the order the focus goes on to the parent's stops.
  PanelFixture f;
  CTkTaskPanelGroup* group = f.AddGroup(L"A", 1);
  TabStops stops(f);
  f.panel.MoveFocusTo(group, TRUE);
  HoldShift(true);
  f.panel.SendMessage(WM_KEYDOWN, VK_TAB);
  HoldShift(false);
  EXPECT_EQ(stops.before.GetSafeHwnd(), ::GetFocus());
  EXPECT_FALSE(f.panel.IsFocusRectShown()) << "gone with the Windows focus";
  f.panel.MoveFocusTo(group->GetItemAt(0), TRUE);
  f.panel.SendMessage(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(stops.after.GetSafeHwnd(), ::GetFocus());
}

TEST(TaskPanelKeyboard, ClicksFocusWithoutAFocusRectangle) {
  PanelFixture f;
  CTkTaskPanelGroup* group = f.AddGroup(L"A", 2);
  f.Click(group->GetItemAt(1));
  EXPECT_EQ(group->GetItemAt(1), f.panel.GetFocusedItem());
  EXPECT_EQ(f.panel.GetSafeHwnd(), ::GetFocus());
  EXPECT_FALSE(f.panel.IsFocusRectShown());
  f.panel.SendMessage(WM_KEYDOWN, VK_UP);
  EXPECT_EQ(group->GetItemAt(0), f.panel.GetFocusedItem());
  EXPECT_TRUE(f.panel.IsFocusRectShown());
  // A click keeps the rectangle the keys brought.
  f.Click(group->GetItemAt(1));
  EXPECT_TRUE(f.panel.IsFocusRectShown());
}

}  // namespace
