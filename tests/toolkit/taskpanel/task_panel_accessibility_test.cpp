// The panel as screen readers see it: children numbered group by group,
// roles, states, default actions and the client object of WM_GETOBJECT.
#include <gtest/gtest.h>

#include "task_panel_fixture.h"

namespace {

VARIANT Self() {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = CHILDID_SELF;
  return v;
}

VARIANT Child(long id) {
  VARIANT v = Self();
  v.lVal = id;
  return v;
}

long StateOf(IAccessible* object) {
  VARIANT state;
  EXPECT_EQ(S_OK, object->get_accState(Self(), &state));
  return state.lVal;
}

TEST(TaskPanelAccessibility, ChildrenAreNumberedGroupByGroup) {
  PanelFixture f;
  CTkTaskPanelGroup* first = f.AddGroup(L"First", 3);
  CTkTaskPanelGroup* second = f.AddGroup(L"Second", 2);
  first->GetItemAt(1)->SetVisible(FALSE);
  IAccessible* panel = f.panel.GetAccessible();
  long count = 0;
  ASSERT_EQ(S_OK, panel->get_accChildCount(&count));
  EXPECT_EQ(7, count) << "a hidden item is still counted";
  IDispatch* dispatch = nullptr;
  ASSERT_EQ(S_OK, panel->get_accChild(Child(5), &dispatch));
  EXPECT_EQ(second->GetAccessible(), static_cast<IAccessible*>(static_cast<IDispatch*>(dispatch)));
  dispatch->Release();
  EXPECT_EQ(E_INVALIDARG, panel->get_accChild(Child(8), &dispatch));
  EXPECT_EQ(E_INVALIDARG, panel->get_accChild(Child(0), &dispatch));
  EXPECT_EQ(7, f.panel.GetAccessibleChildId(second->GetItemAt(1)));
  EXPECT_EQ(first->GetItemAt(2), f.panel.GetAccessibleChild(4));

  VARIANT role;
  ASSERT_EQ(S_OK, panel->get_accRole(Self(), &role));
  EXPECT_EQ(ROLE_SYSTEM_OUTLINE, role.lVal);
  EXPECT_EQ(STATE_SYSTEM_FOCUSABLE, StateOf(panel));

  // Items answer for themselves only.
  IAccessible* hidden = first->GetItemAt(1)->GetAccessible();
  EXPECT_NE(0, StateOf(hidden) & STATE_SYSTEM_INVISIBLE);
  EXPECT_EQ(E_INVALIDARG, hidden->get_accRole(Child(1), &role));
  BSTR name = nullptr;
  ASSERT_EQ(S_OK, hidden->get_accName(Self(), &name));
  EXPECT_STREQ(L"First 1", name);
  ::SysFreeString(name);
  first->GetItemAt(0)->SetEnabled(FALSE);
  EXPECT_NE(0, StateOf(first->GetItemAt(0)->GetAccessible()) & STATE_SYSTEM_UNAVAILABLE);
  EXPECT_FALSE(first->GetItemAt(0)->CanFocus());
  EXPECT_NE(0, StateOf(first->GetAccessible()) & STATE_SYSTEM_EXPANDED);

  // The client object is handed out for OBJID_CLIENT only.
  EXPECT_NE(0, f.panel.SendMessage(WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT)));
}

TEST(TaskPanelAccessibility, ScrolledOutItemsAreInvisible) {
  PanelFixture f(240, 150, kPanelModeBox);
  f.AddGroup(L"A", 0);
  CTkTaskPanelGroup* list = f.AddGroup(L"List", 12);
  list->SetExpanded(TRUE);
  list->ScrollItemsBy(2);
  ASSERT_EQ(2, list->GetFirstVisibleIndex());
  EXPECT_NE(0, StateOf(list->GetItemAt(0)->GetAccessible()) & STATE_SYSTEM_INVISIBLE);
  EXPECT_EQ(0, StateOf(list->GetItemAt(2)->GetAccessible()) & STATE_SYSTEM_INVISIBLE);
  EXPECT_NE(0, StateOf(list->GetItemAt(11)->GetAccessible()) & STATE_SYSTEM_INVISIBLE);
}

CRect LocationOf(IAccessible* object, long childId) {
  long left = 0, top = 0, width = 0, height = 0;
  EXPECT_EQ(S_OK, object->accLocation(&left, &top, &width, &height, Child(childId)));
  return CRect(left, top, left + width, top + height);
}

TEST(TaskPanelAccessibility, LocationsAndHitTestsOnTheScreen) {
  PanelFixture f(240, 200);
  CTkTaskPanelGroup* group = f.AddGroup(L"G", 12);
  ASSERT_TRUE(f.panel.IsScrollBarShown());
  f.panel.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
  IAccessible* panel = f.panel.GetAccessible();
  CRect window;
  f.panel.GetWindowRect(&window);
  EXPECT_EQ(window, LocationOf(panel, CHILDID_SELF)) << "the scroll bar included";

  CTkTaskPanelGroupItem* item = group->GetItemAt(11);
  CRect hit = item->GetHitRect();
  f.panel.ClientToScreen(&hit);
  EXPECT_EQ(hit, LocationOf(item->GetAccessible(), CHILDID_SELF)) << "after scrolling";
  EXPECT_EQ(hit, LocationOf(panel, f.panel.GetAccessibleChildId(item)));

  struct Case {
    const char* name;
    CPoint point;
    HRESULT result;
    CTkTaskPanelItem* found;  // null: the panel itself
  } cases[] = {
      {"an item", hit.CenterPoint(), S_OK, item},
      {"a margin", CPoint(window.left + 2, window.bottom - 2), S_OK, nullptr},
      {"outside", CPoint(window.right + 5, window.top), S_FALSE, nullptr},
  };
  for (const Case& c : cases) {
    VARIANT child;
    EXPECT_EQ(c.result, panel->accHitTest(c.point.x, c.point.y, &child)) << c.name;
    if (c.result != S_OK) continue;
    if (c.found == nullptr) {
      EXPECT_EQ(VT_I4, child.vt) << c.name;
      EXPECT_EQ(CHILDID_SELF, child.lVal) << c.name;
      continue;
    }
    ASSERT_EQ(VT_DISPATCH, child.vt) << c.name;
    EXPECT_EQ(c.found->GetAccessible(), static_cast<IAccessible*>(child.pdispVal)) << c.name;
    child.pdispVal->Release();
  }
  VARIANT self;
  EXPECT_EQ(S_OK, item->GetAccessible()->accHitTest(hit.left + 1, hit.top + 1, &self));
  EXPECT_EQ(CHILDID_SELF, self.lVal);
  EXPECT_EQ(S_FALSE, item->GetAccessible()->accHitTest(hit.left - 1, hit.top - 1, &self));
}

TEST(TaskPanelAccessibility, DefaultActionsExpandAndClick) {
  PanelFixture f;
  CTkTaskPanelGroup* group = f.AddGroup(L"G", 2);
  CTkTaskPanelGroupItem* link = group->GetItemAt(1);
  BSTR action = nullptr;
  ASSERT_EQ(S_OK, group->GetAccessible()->get_accDefaultAction(Self(), &action));
  EXPECT_STREQ(L"Expand", action);
  ::SysFreeString(action);
  ASSERT_EQ(S_OK, link->GetAccessible()->get_accDefaultAction(Self(), &action));
  EXPECT_STREQ(L"Click", action);
  ::SysFreeString(action);

  EXPECT_EQ(S_OK, group->GetAccessible()->accDoDefaultAction(Self()));
  EXPECT_FALSE(group->IsExpanded());
  EXPECT_NE(0, StateOf(group->GetAccessible()) & STATE_SYSTEM_COLLAPSED);
  group->SetExpanded(TRUE);

  f.owner.notes.clear();
  EXPECT_EQ(S_OK, link->GetAccessible()->accDoDefaultAction(Self()));
  EXPECT_EQ(link, f.panel.GetFocusedItem());
  ASSERT_EQ(1, f.owner.Count(kTaskNotifyClick));
  EXPECT_NE(0, StateOf(link->GetAccessible()) & STATE_SYSTEM_FOCUSED);

  EXPECT_EQ(S_OK, group->GetItemAt(0)->GetAccessible()->accSelect(SELFLAG_TAKESELECTION, Self()));
  EXPECT_NE(0, StateOf(group->GetItemAt(0)->GetAccessible()) & STATE_SYSTEM_SELECTED);
  EXPECT_EQ(E_INVALIDARG, link->GetAccessible()->accDoDefaultAction(Child(2)));
}

}  // namespace
