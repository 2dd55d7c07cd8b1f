// The strip's model without a window: tabs, selection, colours, hit tests,
// keys and tool tips.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tab_fixtures.h"
#include "tip_context.h"

namespace {

std::vector<int> Indices(const CTkTabSet& strip) {
  std::vector<int> indices;
  for (int i = 0; i < strip.GetTabCount(); ++i) indices.push_back(strip.GetTab(i)->m_index);
  return indices;
}

TEST(TabSet, InsertClampsTheIndexAndRenumbers) {
  CTkTabPainter painter;
  TestTabStrip strip(&painter);
  CTkTabManagerItem* a = strip.InsertTab(-1);
  CTkTabManagerItem* b = strip.InsertTab(7);
  CTkTabManagerItem* c = strip.InsertTab(0);
  CTkTabManagerItem* d = strip.InsertTab(2);
  ASSERT_EQ(4, strip.GetTabCount());
  EXPECT_EQ(c, strip.GetTab(0));
  EXPECT_EQ(a, strip.GetTab(1));
  EXPECT_EQ(d, strip.GetTab(2));
  EXPECT_EQ(b, strip.GetTab(3));
  EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), Indices(strip));
  EXPECT_EQ(&strip, a->m_pOwner);
}

TEST(TabSet, SelectionAfterDeleting) {
  struct Case {
    int count, selected, deleted;
    int expected;  // index of the new selection among the remaining tabs, -1 none
  };
  const Case cases[] = {
      {3, 1, 1, 1},   // the neighbour now at the gap
      {3, 2, 2, 1},   // the last tab: the new last
      {1, 0, 0, -1},  // the only tab: nothing
      {3, 0, 2, 0},   // another tab: unchanged
  };
  for (const Case& c : cases) {
    CTkTabPainter painter;
    TestTabStrip strip(&painter);
    std::vector<CTkTabManagerItem*> tabs;
    for (int i = 0; i < c.count; ++i) tabs.push_back(strip.InsertTab(-1));
    tabs[1 % c.count]->m_bVisible = FALSE;  // hidden tabs are not skipped
    strip.SelectTab(tabs[c.selected]);
    EXPECT_TRUE(strip.DeleteTab(c.deleted));
    CTkTabManagerItem* expected = c.expected < 0 ? nullptr : strip.GetTab(c.expected);
    EXPECT_EQ(expected, strip.GetSelectedTab()) << c.count << " " << c.selected << " " << c.deleted;
  }
  CTkTabPainter painter;
  TestTabStrip strip(&painter);
  strip.InsertTab(-1);
  EXPECT_FALSE(strip.DeleteTab(1));
  EXPECT_FALSE(strip.DeleteTab(-1));
  EXPECT_EQ(1, strip.GetTabCount());
}

TEST(TabSet, RemovedTabLivesWhileHeldAndKeepsItsColourWhenMoved) {
  CTkTabPainter painter;
  TestTabStrip first(&painter), second(&painter);
  first.InsertTab(-1);
  CTkTabManagerItem* tab = first.InsertTab(-1);
  COLORREF color = tab->m_color;
  tab->InternalAddRef();
  tab->Remove();
  EXPECT_EQ(1, first.GetTabCount());
  EXPECT_EQ(nullptr, tab->m_pOwner);
  second.InsertTab(-1, tab);
  tab->SetColor(color);
  EXPECT_EQ(&second, tab->m_pOwner);
  EXPECT_EQ(ResolveTabAutoColor(color), tab->GetColor());
}

TEST(TabSet, AutomaticColoursRotateAcrossStripsOfOnePainter) {
  CTkTabPainter painter;
  TestTabStrip first(&painter), second(&painter);
  std::vector<COLORREF> colors;
  for (int i = 0; i < 9; ++i) colors.push_back((i % 2 ? second : first).InsertTab(-1)->GetColor());
  EXPECT_EQ(RGB(138, 168, 228), colors[0]);
  EXPECT_EQ(RGB(255, 219, 117), colors[1]);
  EXPECT_EQ(RGB(216, 171, 192), colors[7]);
  EXPECT_EQ(colors[0], colors[8]);
  // A colour that is not automatic comes back unchanged.
  first.GetTab(0)->SetColor(RGB(1, 2, 3));
  EXPECT_EQ(RGB(1, 2, 3), first.GetTab(0)->GetColor());
}

TEST(TabSet, SameCaptionDoesNotLayOutAgain) {
  CTkTabPainter painter;
  TestTabStrip strip(&painter);
  CTkTabManagerItem* tab = strip.Add(L"Files");
  int before = strip.m_repositions;
  tab->SetCaption(L"Files");
  EXPECT_EQ(before, strip.m_repositions);
  tab->SetCaption(L"files");
  EXPECT_EQ(before + 1, strip.m_repositions);
}

TEST(TabSet, ScrollOffsetNeverPositive) {
  CTkTabPainter painter;
  TestTabStrip strip(&painter);
  strip.m_leastTabSize.cx = strip.m_greatestTabSize.cx = 60;
  for (int i = 0; i < 10; ++i) strip.Add(L"Tab");
  int before = strip.m_repositions;
  strip.ScrollTabs(FALSE);
  EXPECT_EQ(0, strip.GetScrollOffset());
  EXPECT_EQ(before, strip.m_repositions);
  strip.SetScrollOffset(-30);
  EXPECT_EQ(-30, strip.GetScrollOffset());
  strip.SetScrollOffset(12);
  EXPECT_EQ(0, strip.GetScrollOffset());
}

TEST(TabSet, HitTestsOnlyVisibleEnabledTabsInTheTabsArea) {
  CTkTabPainter painter;
  TestTabStrip strip(&painter);
  CTkTabManagerItem* a = strip.Add(L"Alpha");
  CTkTabManagerItem* b = strip.Add(L"Beta");
  CTkTabManagerItem* c = strip.Add(L"Gamma");
  CPoint inB = b->m_rect.CenterPoint(), inC = c->m_rect.CenterPoint();
  EXPECT_EQ(b, strip.HitTest(inB.x, inB.y));
  b->m_bEnabled = FALSE;
  EXPECT_EQ(nullptr, strip.HitTest(inB.x, inB.y));
  c->m_bVisible = FALSE;
  EXPECT_EQ(nullptr, strip.HitTest(inC.x, inC.y));
  EXPECT_EQ(nullptr, strip.HitTest(a->m_rect.left + 3, strip.m_controlRect.bottom + 5));
  EXPECT_EQ(nullptr, strip.HitTest(a->m_rect.CenterPoint().x, strip.m_clientRect.bottom - 5));
}

TEST(TabSet, KeysByOrientation) {
  struct Case {
    int position;
    UINT key;
    int selected;
    int expected;
    BOOL rtl;
  };
  // Tab 1 is hidden and tab 4 disabled: the keys step over them.
  const Case cases[] = {
      {kTabTop, VK_HOME, 3, 0, FALSE},   {kTabTop, VK_END, 0, 3, FALSE},    {kTabTop, VK_RIGHT, 0, 2, FALSE},
      {kTabTop, VK_LEFT, 2, 0, FALSE},   {kTabTop, VK_DOWN, 0, 0, FALSE},   {kTabTop, VK_UP, 2, 2, FALSE},
      {kTabLeft, VK_DOWN, 0, 2, FALSE},  {kTabLeft, VK_LEFT, 2, 2, FALSE},  {kTabLeft, VK_UP, 2, 0, FALSE},
      {kTabTop, VK_LEFT, 0, 2, TRUE},    {kTabTop, VK_RIGHT, 2, 0, TRUE},   {kTabTop, VK_RIGHT, 3, 3, FALSE},
  };
  for (const Case& c : cases) {
    CTkTabPainter painter;
    painter.SetStripPosition(c.position);
    TestTabStrip strip(&painter);
    for (LPCWSTR caption : {L"a", L"b", L"c", L"d", L"e"}) strip.Add(caption);
    strip.GetTab(1)->m_bVisible = FALSE;
    strip.GetTab(4)->m_bEnabled = FALSE;
    strip.SelectTab(strip.GetTab(c.selected));
    HWND window = ::CreateWindowExW(c.rtl ? WS_EX_LAYOUTRTL : 0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr,
                                    nullptr, nullptr, nullptr);
    EXPECT_TRUE(strip.HandleKeyDown(window, c.key));
    EXPECT_EQ(strip.GetTab(c.expected), strip.GetSelectedTab())
        << c.position << " key " << c.key << " from " << c.selected << (c.rtl ? " rtl" : "");
    ::DestroyWindow(window);
  }
  CTkTabPainter painter;
  TestTabStrip strip(&painter);
  EXPECT_FALSE(strip.HandleKeyDown(nullptr, VK_HOME));
  strip.Add(L"a");
  EXPECT_FALSE(strip.HandleKeyDown(nullptr, VK_SPACE));
}

TEST(TabSet, ToolTipsByMode) {
  struct Case {
    int mode;
    bool shortened;
    LPCWSTR tip;
    bool shown;
  };
  const Case cases[] = {
      {0, true, L"Tip", false}, {1, false, L"Tip", true}, {2, false, L"Tip", false},
      {2, true, L"Tip", true},  {1, true, L"", false},
  };
  for (const Case& c : cases) {
    CTkTabPainter painter;
    painter.m_toolTipMode = c.mode;
    TestTabStrip strip(&painter);
    strip.Add(L"First");
    CTkTabManagerItem* tab = strip.Add(L"Second tab");
    tab->m_toolTip = c.tip;
    if (c.shortened) tab->m_currentLength = tab->m_idealLength - 10;
    TTTOOLINFOW info = {};
    info.cbSize = kToolInfoSize;
    INT_PTR hit = strip.GetToolTipInfo(nullptr, tab, &info);
    EXPECT_EQ(c.shown ? 1 : -1, hit) << c.mode << " " << c.shortened;
    if (c.shown) {
      EXPECT_STREQ(c.tip, info.lpszText);
      EXPECT_EQ(tab->m_rect, CRect(info.rect));
      EXPECT_EQ(1u, info.uId);
    }
    std::free(info.lpszText);
    EXPECT_EQ(-1, strip.GetToolTipInfo(nullptr, nullptr, &info));
  }
}

TEST(TabSet, CloseButtonShownByMode) {
  CTkTabPainter painter;
  TestTabStrip strip(&painter);
  CTkTabManagerItem* tab = strip.Add(L"Only");
  CTkTabScrollButton* close = strip.FindNavigateButton(CTkTabScrollButton::kClose);
  ASSERT_NE(nullptr, close);
  EXPECT_EQ(CTkTabScrollButton::kNeverShown, close->m_displayMode);
  strip.Layout();
  EXPECT_TRUE(close->m_rect.IsRectEmpty());
  close->m_displayMode = CTkTabScrollButton::kShownWhenNeeded;
  strip.Layout();
  EXPECT_TRUE(close->m_rect.IsRectEmpty());  // nothing selected
  strip.SelectTab(tab);
  EXPECT_EQ(CSize(14, 15), close->m_rect.Size());
  tab->m_bClosable = FALSE;
  strip.Layout();
  EXPECT_TRUE(close->m_rect.IsRectEmpty());
}

}  // namespace
