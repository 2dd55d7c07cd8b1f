// Lists, groups and the panel's layout: grids, columns, hidden entries,
// the one-open-group modes, sharing of spare height and the animation.
#include <gtest/gtest.h>

#include "task_panel_fixture.h"

namespace {

TEST(TaskPanelItems, InsertMoveRemoveAndVisibleNeighbours) {
  CTkTaskPanelItems list;
  CTkTaskPanelItem* items[4];
  for (auto*& item : items) item = new CTkTaskPanelItem;
  for (int i = 1; i < 4; ++i) list.Add(items[i]);
  list.InsertAt(0, items[0]);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(i, list.IndexOf(items[i]));
    EXPECT_EQ(&list, items[i]->GetParentItems());
  }
  list.Move(items[0], 0);
  EXPECT_EQ(items[0], list.GetAt(0));
  list.Move(items[0], 3);
  EXPECT_EQ(items[0], list.GetAt(3));
  EXPECT_EQ(items[1], list.GetAt(0));
  list.RemoveAt(7);
  list.RemoveAt(-1);
  EXPECT_EQ(4, list.GetCount());
  EXPECT_EQ(nullptr, list.GetAt(4));

  // Order now 1 2 3 0; hide 2 and 0 (indexes 1 and 3).
  items[2]->m_bVisible = FALSE;
  items[0]->m_bVisible = FALSE;
  struct Case {
    int from, step, expected;
  } cases[] = {{-1, 1, 0}, {0, 1, 2}, {2, 1, -1}, {4, -1, 2}, {-1, 2, -1}, {0, 2, 2}, {2, -2, 0}};
  // Step 2 from -1 looks at 1 and 3 only, both hidden.
  for (const Case& c : cases) EXPECT_EQ(c.expected, list.NextVisibleIndex(c.from, c.step)) << c.from << "," << c.step;
  EXPECT_EQ(items[1], list.GetFirstVisible());
  EXPECT_EQ(items[3], list.GetLastVisible());
  list.RemoveAll();
  EXPECT_EQ(0, list.GetCount());
}

TEST(TaskPanelItems, DragFlagsDeferToTheGroupThenThePanel) {
  struct Case {
    int item, group, panel, expected;
  } cases[] = {
      {1, 1, 0, 0}, {1, 1, 1, 0xCC}, {1, 4, 0, 4}, {2, 1, 0, 2}, {1, 1, 0x13, 0x13}, {0, 1, 1, 0},
  };
  for (const Case& c : cases) {
    CTkTaskPanel panel;
    CTkTaskPanelGroup* group = panel.AddGroup(L"G");
    CTkTaskPanelGroupItem* item = group->AddItem(L"i");
    item->SetAllowDrag(c.item);
    group->SetAllowDrag(c.group);
    panel.SetDragFlags(c.panel);
    EXPECT_EQ(c.expected, item->GetDragFlags()) << c.item << " " << c.group << " " << c.panel;
  }
}

TEST(TaskPanelLayout, ImagesOnlyGridColumnsAndRowScrolling) {
  // Cell 28 wide (16 + 6 + 6); room left for items: width - 24 - 22.
  struct Case {
    int width, columns;
  } cases[] = {{60, 1}, {46 + 27, 1}, {46 + 56, 2}, {46 + 84, 3}, {46 + 111, 3}};
  for (const Case& c : cases) {
    PanelFixture f(c.width, 300);
    CTkTaskPanelGroup* group = f.AddGroup(L"G", 7);
    group->SetLayout(kLayoutImagesOnly);
    EXPECT_EQ(c.columns, group->GetColumnsPerRow()) << c.width;
    CTkTaskPanelGroupItem* last = group->GetItemAt(6);
    int rows = (7 + c.columns - 1) / c.columns;
    EXPECT_EQ(8 + (rows - 1) * 28, last->GetItemRect().top) << c.width;
    EXPECT_EQ(11 + (6 % c.columns) * 28, last->GetItemRect().left - 12) << c.width;
  }

  // A short panel in mode 1: the open group scrolls by whole rows of three.
  PanelFixture f(46 + 84, 150, kPanelModeList);
  f.AddGroup(L"A", 0);
  CTkTaskPanelGroup* grid = f.AddGroup(L"Grid", 12);
  grid->SetLayout(kLayoutImagesOnly);
  grid->SetExpanded(TRUE);
  ASSERT_EQ(grid, f.panel.GetActiveGroup());
  ASSERT_TRUE(grid->CanScrollItems(FALSE));
  EXPECT_FALSE(grid->CanScrollItems(TRUE));
  grid->ScrollItemsBy(grid->GetColumnsPerRow());
  EXPECT_EQ(3, grid->GetFirstVisibleIndex());
  grid->SetFirstVisibleItem(5, TRUE);
  EXPECT_EQ(3, grid->GetFirstVisibleIndex()) << "rounded down to a whole row";
  EXPECT_TRUE(grid->CanScrollItems(TRUE));
  // An item before the first shown cannot be hit.
  EXPECT_NE(grid->GetItemAt(0), f.panel.HitTestItem(f.CentreOf(grid->GetItemAt(0))));
  EXPECT_EQ(grid->GetItemAt(3), f.panel.HitTestItem(f.CentreOf(grid->GetItemAt(3))));
}

TEST(TaskPanelLayout, ZeroSizesNeverDivideByZero) {
  PanelFixture f(200, 300);
  f.panel.GetPaintManager()->m_imageCellPadding = CRect(0, 0, 0, 0);
  f.panel.SetItemIconSize(CSize(0, 0));
  CTkTaskPanelGroup* grid = f.AddGroup(L"Grid", 3);
  grid->SetLayout(kLayoutImagesOnly);
  EXPECT_EQ(1, grid->GetColumnsPerRow());

  CTkTaskPanelGroup* text = f.AddGroup(L"Text", 3);
  f.panel.SetItemsInColumns(TRUE, 0);
  EXPECT_EQ(1, text->GetColumnsPerRow());

  // An opening group whose client is empty draws without a fade.
  text->m_bExpanding = TRUE;
  text->m_clientHeight = 0;
  text->m_currentRect = CRect(0, 0, 100, 40);
  CClientDC dc(&f.panel);
  f.panel.GetPaintManager()->DrawGroupClient(&dc, text);
}

TEST(TaskPanelLayout, TextItemsInColumnsAndHiddenEntries) {
  PanelFixture f(46 + 230, 400);
  CTkTaskPanelGroup* first = f.AddGroup(L"First", 5);
  CTkTaskPanelGroup* middle = f.AddGroup(L"Middle", 2);
  CTkTaskPanelGroup* last = f.AddGroup(L"Last", 1);
  f.panel.SetItemsInColumns(TRUE, 100);
  ASSERT_EQ(2, first->GetColumnsPerRow());
  CRect a = first->GetItemAt(0)->GetItemRect(), b = first->GetItemAt(1)->GetItemRect(),
        c = first->GetItemAt(2)->GetItemRect();
  EXPECT_EQ(a.left + 100, b.left);
  EXPECT_EQ(a.top, b.top);
  EXPECT_EQ(a.left, c.left);
  EXPECT_EQ(std::max(a.bottom, b.bottom), c.top);

  // A hidden item takes no space; a hidden group neither.
  int lastTop = last->GetTargetRect().top;
  int middleTop = middle->GetTargetRect().top;
  middle->SetVisible(FALSE);
  EXPECT_EQ(middleTop, last->GetTargetRect().top);
  middle->SetVisible(TRUE);
  EXPECT_EQ(lastTop, last->GetTargetRect().top);
  first->GetItemAt(1)->SetVisible(FALSE);
  EXPECT_EQ(first->GetItemAt(2)->GetItemRect().left, b.left) << "the third moves up into the gap";
  EXPECT_TRUE(first->GetItemAt(1)->GetHitRect().IsRectEmpty());

  // A collapsed group is its caption only, and its items are not hit.
  CPoint inFirst = f.CentreOf(first->GetItemAt(0));
  f.panel.SetAnimationMode(1);
  first->SetExpanded(FALSE);
  EXPECT_EQ(first->GetCaptionHeight(), first->GetTargetRect().Height());
  EXPECT_NE(first->GetItemAt(0), f.panel.HitTestItem(inFirst));
}

TEST(TaskPanelLayout, OneOpenGroupTakesTheRemainingHeight) {
  PanelFixture f(240, 400, kPanelModeList);
  f.panel.SetItemLayout(kLayoutImageBesideText);
  CTkTaskPanelGroup* a = f.AddGroup(L"A", 2);
  CTkTaskPanelGroup* b = f.AddGroup(L"B", 2);
  a->SetExpanded(TRUE);
  ASSERT_EQ(a, f.panel.GetActiveGroup());
  EXPECT_FALSE(b->IsExpanded());
  // Everything not taken by captions, margins and spacing is A's client.
  int used = 12 + 12 + a->GetCaptionHeight() + b->GetCaptionHeight() + 15;
  EXPECT_EQ(400 - used, a->GetClientHeight());

  // Clicking the open caption keeps it open; another caption opens that one.
  f.panel.SetAnimationMode(0);
  f.Click(a);
  EXPECT_EQ(a, f.panel.GetActiveGroup());
  EXPECT_TRUE(a->IsExpanded());
  f.owner.notes.clear();
  f.Click(b);
  EXPECT_EQ(b, f.panel.GetActiveGroup());
  EXPECT_TRUE(a->IsExpanding());
  EXPECT_TRUE(b->IsExpanding());
  EXPECT_TRUE(f.panel.IsAnimating());
  f.SettleAnimation();
  EXPECT_FALSE(a->IsExpanding());
  EXPECT_EQ(a->GetCaptionHeight(), a->GetCurrentRect().Height());
  EXPECT_EQ(2, f.owner.Count(kTaskNotifyAnimationDone));
  ASSERT_EQ(1, f.owner.Count(kTaskNotifyExpanding));
  for (const PanelNote& note : f.owner.notes) {
    if (note.code == kTaskNotifyExpanding) {
      EXPECT_EQ(b, note.group);
    }
  }
}

TEST(TaskPanelLayout, AvailableHeightHasAMinimumAndIsSharedByWeight) {
  {
    PanelFixture f(240, 100, kPanelModeBox);
    CTkTaskPanelGroup* a = f.AddGroup(L"A", 6);
    f.AddGroup(L"B", 1);
    f.AddGroup(L"C", 1);
    a->SetExpanded(TRUE);
    EXPECT_EQ(8 + 2 + 32, a->GetClientHeight()) << "inner top + 2 + 32";
    EXPECT_TRUE(a->CanScrollItems(FALSE));
  }
  PanelFixture f(240, 400, kPanelModeBox);
  CTkTaskPanelGroup* a = f.AddGroup(L"A", 0);
  CTkTaskPanelGroupItem* fixed = a->AddItem(L"fixed", kTaskItemText);
  CTkTaskPanelGroupItem* light = a->AddItem(L"light", kTaskItemText);
  CTkTaskPanelGroupItem* heavy = a->AddItem(L"heavy", kTaskItemText);
  light->SetItemSize(CSize(50, 10));
  heavy->SetItemSize(CSize(50, 30));
  light->SetAutoHeight(TRUE);
  heavy->SetAutoHeight(TRUE);
  a->SetExpanded(TRUE);
  int fixedHeight = fixed->GetItemRect().Height();
  int extra = a->GetClientHeight() - (8 + fixedHeight + 10 + 30 + 8);
  ASSERT_GT(extra, 40);
  EXPECT_EQ(10 + extra * 10 / 40, light->GetItemRect().Height());
  EXPECT_EQ(30 + extra - extra * 10 / 40, heavy->GetItemRect().Height());
  EXPECT_EQ(light->GetItemRect().bottom, heavy->GetItemRect().top);
}

TEST(TaskPanelLayout, AnimationModes) {
  PanelFixture f(240, 400);
  CTkTaskPanelGroup* a = f.AddGroup(L"A", 3);
  f.AddGroup(L"B", 3);
  // Mode 1: at once.
  a->SetExpanded(FALSE);
  EXPECT_EQ(a->GetTargetRect(), a->GetCurrentRect());
  EXPECT_FALSE(f.panel.IsAnimating());
  EXPECT_EQ(1, f.owner.Count(kTaskNotifyAnimationDone));

  // Mode 0: slides within ten 30 ms ticks, then notification 7.
  f.panel.SetAnimationMode(0);
  f.owner.notes.clear();
  a->SetExpanded(TRUE);
  EXPECT_NE(a->GetTargetRect(), a->GetCurrentRect());
  EXPECT_TRUE(f.panel.IsAnimating());
  EXPECT_TRUE(WaitFor([&] { return !f.panel.IsAnimating(); }, 5000));
  EXPECT_EQ(a->GetTargetRect(), a->GetCurrentRect());
  ASSERT_EQ(2u, f.owner.notes.size());
  EXPECT_EQ(static_cast<WPARAM>(kTaskNotifyAnimationDone), f.owner.notes[1].code);
  EXPECT_EQ(reinterpret_cast<LPARAM>(a), f.owner.notes[1].param);

  // A group laid out for the first time grows from the top of the panel
  // to its place; it was not opened, so no notification 7.
  f.owner.notes.clear();
  CTkTaskPanelGroup* c = f.AddGroup(L"C", 2);
  EXPECT_EQ(c->GetTargetRect().left, c->GetCurrentRect().left);
  EXPECT_EQ(c->GetTargetRect().right, c->GetCurrentRect().right);
  EXPECT_EQ(0, c->GetCurrentRect().top);
  EXPECT_TRUE(f.panel.IsAnimating());
  EXPECT_TRUE(WaitFor([&] { return !f.panel.IsAnimating(); }, 5000));
  EXPECT_EQ(c->GetTargetRect(), c->GetCurrentRect());
  EXPECT_EQ(0, f.owner.Count(kTaskNotifyAnimationDone));

  // Mode 2 follows the system setting.
  BOOL system = FALSE;
  ::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &system, 0);
  f.panel.SetAnimationMode(2);
  EXPECT_EQ(system, f.panel.m_bAnimate);
}

TEST(TaskPanelLayout, ScrollBarFollowsTheContent) {
  PanelFixture f(240, 200);
  CTkTaskPanelGroup* a = f.AddGroup(L"A", 1);
  EXPECT_FALSE(f.panel.IsScrollBarShown());
  EXPECT_EQ(0, f.panel.GetScrollPosition());
  f.panel.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(0, f.panel.GetScrollPosition());

  for (int i = 0; i < 12; ++i) a->AddItem(L"More", kTaskItemLink);
  ASSERT_TRUE(f.panel.IsScrollBarShown());
  f.panel.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(10, f.panel.GetScrollPosition());
  f.panel.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
  CRect client;
  f.panel.GetClientRect(&client);
  EXPECT_EQ(f.panel.GetContentHeight() - client.Height(), f.panel.GetScrollPosition());
  f.panel.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(f.panel.GetContentHeight() - client.Height(), f.panel.GetScrollPosition());
  f.panel.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(f.panel.GetContentHeight() - client.Height() - 6, f.panel.GetScrollPosition());
  // Hit rectangles follow the scroll position.
  CTkTaskPanelGroupItem* item = a->GetItemAt(10);
  EXPECT_EQ(item, f.panel.HitTestItem(f.CentreOf(item)));

  f.panel.SendMessage(WM_VSCROLL, SB_TOP, 0);
  f.panel.EnsureItemVisible(a->GetItemAt(12));
  CRect hit = a->GetItemAt(12)->GetHitRect();
  EXPECT_LE(hit.bottom, client.bottom);
  EXPECT_GE(hit.top, 0);
}

TEST(TaskPanelLayout, LockLayoutCountsAndLaysOutOnTheLastUnlock) {
  PanelFixture f;
  CTkTaskPanelGroup* a = f.AddGroup(L"A", 1);
  EXPECT_EQ(1, f.panel.LockLayout(TRUE));
  EXPECT_EQ(1, f.panel.LockLayout(TRUE));
  a->AddItem(L"new");
  EXPECT_TRUE(a->GetItemAt(1)->GetItemRect().IsRectEmpty()) << "not laid out while locked";
  EXPECT_EQ(-1, f.panel.LockLayout(FALSE));
  EXPECT_EQ(0, f.panel.LockLayout(FALSE));
  EXPECT_FALSE(a->GetItemAt(1)->GetItemRect().IsRectEmpty());
}

}  // namespace
