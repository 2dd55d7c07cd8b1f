// Placing tabs without a window: measuring, shrinking, scrolling, rows.
#include <gtest/gtest.h>

#include "tab_fixtures.h"

namespace {

TEST(TabLayout, ShrinkToFit) {
  struct Case {
    std::vector<int> lengths;
    int available;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {{100, 60, 40}, 150, {55, 55, 40}},
      {{100, 60, 60}, 150, {50, 50, 50}},
      {{80, 80, 80}, 200, {66, 66, 66}},
      {{60, 100, 40}, 150, {55, 55, 40}},  // longest first wherever it stands
      {{100, 50}, 200, {100, 50}},         // fits: unchanged
      {{300}, 120, {120}},
  };
  for (const Case& c : cases) {
    CTkTabPainter painter;
    TestTabStrip strip(&painter);
    for (size_t i = 0; i < c.lengths.size(); ++i) strip.InsertTab(-1);
    for (size_t i = 0; i < c.lengths.size(); ++i) strip.GetTab(static_cast<int>(i))->m_currentLength = c.lengths[i];
    painter.ShrinkToFit(&strip, c.available);
    std::vector<int> result;
    for (int i = 0; i < strip.GetTabCount(); ++i) result.push_back(strip.GetTab(i)->m_currentLength);
    EXPECT_EQ(c.expected, result) << c.available;
  }
}

TEST(TabLayout, MeasuringClampsAfterTheContentMargins) {
  struct Case {
    int fixed, least, greatest, margin;
    int expected;
  };
  const Case cases[] = {{70, 100, 0, 0, 100}, {70, 0, 50, 0, 50}, {70, 0, 0, 5, 80}, {70, 75, 0, 5, 80}};
  for (const Case& c : cases) {
    CTkTabPainter painter;
    painter.SetLayout(kTabLayoutFixed);
    painter.m_contentMargin = CRect(c.margin, 0, c.margin, 0);
    TestTabStrip strip(&painter);
    strip.m_fixedTabSize.cx = c.fixed;
    strip.m_leastTabSize.cx = c.least;
    strip.m_greatestTabSize.cx = c.greatest;
    strip.Add(L"A caption");
    EXPECT_EQ(c.expected, strip.GetTab(0)->m_currentLength) << c.fixed << " " << c.least << " " << c.greatest;
  }
}

TEST(TabLayout, CompactShowsOnlyTheSelectedCaptionAtTheWidestLength) {
  CTkTabPainter painter;
  TestTabStrip strip(&painter, CRect(0, 0, 600, 100));
  strip.Add(L"Go");
  strip.Add(L"A much longer caption");
  strip.Add(L"Mid caption");
  int widest = 0;
  for (int i = 0; i < 3; ++i) widest = std::max(widest, strip.GetTab(i)->m_idealLength);
  painter.SetLayout(kTabLayoutCompact);
  for (int selected : {0, 2}) {
    strip.SelectTab(strip.GetTab(selected));
    strip.Layout();
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(i == selected ? widest : 16 + 8, strip.GetTab(i)->m_currentLength) << selected << " " << i;
  }
}

TEST(TabLayout, HiddenTabsTakeNoRoomExceptWhenRotated) {
  CTkTabPainter painter;
  TestTabStrip strip(&painter, CRect(0, 0, 500, 200));
  strip.Add(L"One");
  strip.Add(L"Two")->m_bVisible = FALSE;
  strip.Add(L"Three");
  strip.Layout();
  EXPECT_EQ(strip.GetTab(0)->m_rect.right, strip.GetTab(2)->m_rect.left);
  painter.SetLayout(kTabLayoutRotated);
  int rowHeight = painter.GetAppearance()->GetRowHeight(&strip);
  EXPECT_EQ(strip.GetTab(0)->m_rect.left + 2 * rowHeight, strip.GetTab(2)->m_rect.left);
  // Rotated tabs stand on the client side of the header, as long as measured.
  const CTkTabManagerItem* tab = strip.GetTab(2);
  EXPECT_EQ(rowHeight, tab->m_rect.Width());
  EXPECT_EQ(tab->m_currentLength, tab->m_rect.Height());
  EXPECT_EQ(strip.m_tabsArea.bottom, tab->m_rect.bottom);
}

// Eight tabs of 60 in a strip of 200 overflow; the arrows appear.
void FillWithEqualTabs(TestTabStrip& strip, int count) {
  strip.m_leastTabSize.cx = strip.m_greatestTabSize.cx = 60;
  for (int i = 0; i < count; ++i) strip.Add(L"Tab");
}

TEST(TabLayout, ScrolledStripScrollsBackWhenWidened) {
  CTkTabPainter painter;
  TestTabStrip strip(&painter, CRect(0, 0, 200, 80));
  FillWithEqualTabs(strip, 8);
  EXPECT_FALSE(strip.FindNavigateButton(CTkTabScrollButton::kForward)->m_rect.IsRectEmpty());
  strip.SetScrollOffset(-1000);
  const CTkTabManagerItem* last = strip.GetTab(7);
  EXPECT_EQ(strip.m_tabsArea.right, last->m_rect.right);
  EXPECT_LT(strip.GetScrollOffset(), 0);

  strip.m_bounds.right = 400;
  strip.Layout();
  EXPECT_EQ(strip.m_tabsArea.right, last->m_rect.right);

  strip.m_bounds.right = 800;
  strip.Layout();
  EXPECT_EQ(0, strip.GetScrollOffset());
  strip.Layout();
  EXPECT_TRUE(strip.FindNavigateButton(CTkTabScrollButton::kForward)->m_rect.IsRectEmpty());
  EXPECT_TRUE(strip.FindNavigateButton(CTkTabScrollButton::kBack)->m_rect.IsRectEmpty());
}

TEST(TabLayout, SelectingATabBehindTheButtonsScrollsItIntoView) {
  CTkTabPainter painter;
  TestTabStrip strip(&painter, CRect(0, 0, 200, 80));
  FillWithEqualTabs(strip, 8);
  CTkTabManagerItem* hidden = strip.GetTab(2);
  ASSERT_GT(hidden->m_rect.right, strip.m_tabsArea.right);
  strip.SelectTab(hidden);
  EXPECT_EQ(strip.m_tabsArea.right, hidden->m_rect.right);
  strip.SelectTab(strip.GetTab(0));
  EXPECT_GE(strip.GetTab(0)->m_rect.left, strip.m_tabsArea.left);
}

TEST(TabLayout, SizeToFitNeverScrolls) {
  CTkTabPainter painter;
  painter.SetLayout(kTabLayoutSizeToFit);
  TestTabStrip strip(&painter, CRect(0, 0, 200, 80));
  FillWithEqualTabs(strip, 8);
  EXPECT_TRUE(strip.FindNavigateButton(CTkTabScrollButton::kForward)->m_rect.IsRectEmpty());
  EXPECT_LE(strip.GetTab(7)->m_rect.right, strip.m_bounds.right);
}

TEST(TabLayout, MultipleRowsBalancedAndSelectedRowNextToTheClient) {
  for (BOOL keepOrder : {FALSE, TRUE}) {
    CTkTabPainter painter;
    painter.SetLayout(kTabLayoutMultiRow);
    painter.m_bKeepRowOrder = keepOrder;
    TestTabStrip strip(&painter, CRect(0, 0, 200, 200));
    FillWithEqualTabs(strip, 7);
    strip.SelectTab(strip.GetTab(6));
    const CTkTabRowTable& rows = *strip.m_pRows;
    ASSERT_EQ(3, rows.GetRowCount());
    // Balanced: 2, 2 and 3 tabs rather than the greedy 3, 3 and 1.
    std::vector<int> sizes;
    for (int r = 0; r < 3; ++r) sizes.push_back(rows[r].last - rows[r].first + 1);
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ((std::vector<int>{2, 2, 3}), sizes);
    const CTkTabManagerItem* selected = strip.GetTab(6);
    EXPECT_EQ(keepOrder ? 2 : 0, selected->m_row);
    int clientSide = 0;
    for (const CTkTabManagerItem* tab : strip.m_tabs) clientSide = std::max(clientSide, static_cast<int>(tab->m_rect.bottom));
    EXPECT_EQ(!keepOrder, selected->m_rect.bottom == clientSide);
    // Justified rows all end at the same place.
    EXPECT_EQ(strip.GetTab(rows[0].last)->m_rect.right, strip.GetTab(rows[1].last)->m_rect.right);
    EXPECT_EQ(strip.GetTab(rows[1].last)->m_rect.right, strip.GetTab(rows[2].last)->m_rect.right);
    // No arrows in multi-row layout, and the header holds all rows.
    EXPECT_TRUE(strip.FindNavigateButton(CTkTabScrollButton::kForward)->m_rect.IsRectEmpty());
    EXPECT_GE(strip.m_clientRect.top, clientSide - 1);
  }
}

TEST(TabLayout, ManyTabsInRowsStayQuick) {
  CTkTabPainter painter;
  painter.SetLayout(kTabLayoutMultiRow);
  TestTabStrip strip(&painter, CRect(0, 0, 700, 900));
  const LPCWSTR captions[] = {L"a", L"Longer one", L"mid", L"A rather long caption", L"xx", L"Seven"};
  DWORD start = ::GetTickCount();
  for (int i = 0; i < 60; ++i) strip.Add(captions[i % 6]);
  strip.Layout();
  EXPECT_LT(::GetTickCount() - start, 3000u);
  int rowsSeen = 0;
  for (int r = 0; r < strip.m_pRows->GetRowCount(); ++r) rowsSeen += (*strip.m_pRows)[r].last >= (*strip.m_pRows)[r].first;
  EXPECT_EQ(strip.m_pRows->GetRowCount(), rowsSeen);
}

TEST(TabLayout, HeaderThicknessOfRows) {
  CTkTabPainter painter;
  TestTabStrip strip(&painter);
  CTkTabShape* shape = painter.GetAppearance();
  shape->m_textRowHeight = 18;  // with the 16-pixel image: rows of 20
  shape->m_headerMargin = CRect(0, 3, 0, 0);
  strip.m_pRows->SetRowCount(3);
  EXPECT_EQ(20, shape->GetRowHeight(&strip));
  EXPECT_EQ(59, shape->GetHeaderRect(CRect(0, 0, 300, 200), &strip).Height());
  painter.SetStripPosition(kTabRight);
  strip.m_pRows->SetRowCount(3);  // the refresh laid the strip out in one row
  CRect header = shape->GetHeaderRect(CRect(0, 0, 300, 200), &strip);
  EXPECT_EQ(CRect(241, 0, 300, 200), header);
}

TEST(TabLayout, ClientAreaOverlapsTheHeaderByOnePixelInEveryPosition) {
  for (int position : {kTabTop, kTabLeft, kTabBottom, kTabRight}) {
    CTkTabPainter painter;
    painter.SetStripPosition(position);
    painter.m_clientFrameStyle = 2;
    TestTabStrip strip(&painter, CRect(0, 0, 300, 200));
    strip.Add(L"Tab");
    strip.Layout();
    CRect header = painter.GetAppearance()->GetHeaderRect(strip.m_bounds, &strip);
    CRect client = strip.m_clientRect;
    CRect overlap;
    ASSERT_TRUE(overlap.IntersectRect(&header, &client)) << position;
    EXPECT_EQ(1, IsHorizontalPosition(position) ? overlap.Height() : overlap.Width()) << position;
    CRect tab = strip.GetTab(0)->m_rect;
    EXPECT_TRUE(CRect().IntersectRect(&tab, &header)) << position;
  }
}

}  // namespace
