#include "html_layout_rules.h"

#include <gtest/gtest.h>

namespace {

// Every character 10 pixels wide.
int TenEach(const HtmlText& text) { return 10 * static_cast<int>(text.size()); }

TEST(FitText, BreaksAtTheLastFittingBreakCharacter) {
  const struct {
    const char16_t* run;
    bool atLineStart;
    int space;
    const char16_t* piece;
    const char16_t* rest;
  } cases[] = {
      {u"one two three four", true, 100, u"one two", u"three four"},
      {u"well-known words", true, 60, u"well-", u"known words"},
      {u"end. Next", true, 50, u"end.", u"Next"},
      {u"abcdefghij", true, 35, u"abc", u"defghij"},
      {u"abcdefghij", false, 35, u"", u"abcdefghij"},
      {u"abcdefghij", true, 5, u"a", u"bcdefghij"},
      {u"-abc def", true, 45, u"-abc", u"def"},
      {u"x", true, 5, u"x", u""},
  };
  for (const auto& c : cases) {
    HtmlText run = c.run;
    int space = c.space;
    HtmlText piece = HtmlFitText(run, c.atLineStart, space, &TenEach);
    EXPECT_EQ(HtmlText(c.piece), piece);
    EXPECT_EQ(HtmlText(c.rest), run);
    EXPECT_EQ(TenEach(piece), space);
  }
}

TEST(AdvanceTab, StopsAndCounts) {
  EXPECT_EQ(64, HtmlAdvanceTab(40, 0, 32, 1));
  EXPECT_EQ(160, HtmlAdvanceTab(64, 0, 32, 3));
  EXPECT_EQ(32, HtmlAdvanceTab(0, 0, 32, 0));
  EXPECT_EQ(10 + 64, HtmlAdvanceTab(10 + 40, 10, 32, 1));
  EXPECT_EQ(2147483647, HtmlAdvanceTab(0, 0, 32, 2000000000));
}

TEST(TableGrid, SpansShareTheirRemainders) {
  HtmlTableGrid grid = HtmlMakeTableGrid(2, 2);
  HtmlTableCell wide;
  wide.columnSpan = 2;
  wide.rowSpan = 1;
  wide.outerWidth = 31;
  wide.outerHeight = 10;
  HtmlTableCell small;
  small.columnSpan = small.rowSpan = 1;
  small.outerWidth = 10;
  small.outerHeight = 10;
  HtmlPlaceCell(grid, 0, 0, wide);
  HtmlPlaceCell(grid, 1, 0, small);
  HtmlPlaceCell(grid, 1, 1, small);
  HtmlSizeTableGrid(grid);
  EXPECT_EQ(15, grid.columnWidths[0]);
  EXPECT_EQ(16, grid.columnWidths[1]);

  HtmlTableGrid tall = HtmlMakeTableGrid(2, 2);
  HtmlTableCell high = small;
  high.rowSpan = 2;
  high.outerHeight = 31;
  HtmlPlaceCell(tall, 0, 0, high);
  HtmlPlaceCell(tall, 0, 1, small);
  HtmlPlaceCell(tall, 1, 1, small);
  EXPECT_EQ(-1, tall.rows[1][0].columnSpan);
  EXPECT_EQ(1, HtmlNextFreeColumn(tall, 1, 0));
  HtmlSizeTableGrid(tall);
  EXPECT_EQ(16, tall.rowHeights[0]);
  EXPECT_EQ(15, tall.rowHeights[1]);
}

TEST(TableGrid, ABlockSpanKeepsItsPositions) {
  HtmlTableGrid grid = HtmlMakeTableGrid(3, 3);
  HtmlTableCell block;
  block.columnSpan = block.rowSpan = 2;
  HtmlPlaceCell(grid, 0, 0, block);
  EXPECT_EQ(2, HtmlNextFreeColumn(grid, 0, 1));
  EXPECT_EQ(2, HtmlNextFreeColumn(grid, 1, 0));
  EXPECT_EQ(0, HtmlNextFreeColumn(grid, 2, 0));
}

TEST(TableGrid, CellsAndSpansPastTheGridAreClipped) {
  HtmlTableGrid grid = HtmlMakeTableGrid(2, 2);
  HtmlTableCell cell;
  cell.columnSpan = 3;
  cell.rowSpan = 4;
  cell.outerWidth = 90;
  cell.outerHeight = 40;
  EXPECT_TRUE(HtmlPlaceCell(grid, 0, 1, cell));
  EXPECT_EQ(-1, grid.rows[1][1].rowSpan);
  EXPECT_EQ(2, HtmlNextFreeColumn(grid, 1, 1));
  EXPECT_FALSE(HtmlPlaceCell(grid, 1, 2, cell));
  EXPECT_FALSE(HtmlPlaceCell(grid, 2, 0, cell));
  HtmlSizeTableGrid(grid);  // spans reaching out of the grid stay inside it
  EXPECT_EQ(0, grid.columnWidths[0]);
  EXPECT_EQ(90, grid.columnWidths[1]);
  EXPECT_EQ(40, grid.rowHeights[0] + grid.rowHeights[1]);
}

TEST(TableGrid, SizesWideningAndCellPlaces) {
  HtmlTableGrid grid = HtmlMakeTableGrid(1, 3);
  grid.columnWidths = {10, 20, 30};
  grid.rowHeights = {12};
  grid.fixedColumns = {0, 1, 0};
  EXPECT_EQ(4 * 2 + 2 + 60 + 6, HtmlTableWidth(grid, 2, 6));
  EXPECT_TRUE(HtmlWidenColumns(grid, 7));
  EXPECT_EQ(13, grid.columnWidths[0]);
  EXPECT_EQ(20, grid.columnWidths[1]);
  EXPECT_EQ(34, grid.columnWidths[2]);
  EXPECT_EQ(2 + (2 + 13 + 1), HtmlCellOffset(grid.columnWidths, 1, 2));
  EXPECT_EQ(20 + 34 + 3, HtmlCellExtent(grid.columnWidths, 1, 2, 2));
  grid.fixedColumns = {1, 1, 1};
  EXPECT_FALSE(HtmlWidenColumns(grid, 5));
  HtmlTableGrid empty = HtmlMakeTableGrid(0, 0);
  EXPECT_EQ(3 - 1 + 2, HtmlTableHeight(empty, 3, 2));
}

}  // namespace
