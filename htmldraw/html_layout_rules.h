// The drawer's layout arithmetic that needs no device context: breaking a
// run to fit a line, tab stops, and a table grid's spans and sizes.
#pragma once

#include <functional>

#include "html_draw_types.h"

// Width of a text in the current font.
using HtmlMeasure = std::function<int(const HtmlText&)>;

// Splits off the piece of run that fits in spaceLeft, leaving the rest in
// run; spaceLeft becomes the piece's width. A line with nothing on it yet
// (atLineStart) is cut between characters when no break fits; elsewhere
// the piece is then empty and the run moves to the next line whole.
HtmlText HtmlFitText(HtmlText& run, bool atLineStart, int& spaceLeft, const HtmlMeasure& measure);

// x after a tab of count stops (0 counts as 1) from a line starting at left.
int HtmlAdvanceTab(int x, int left, int tabWidth, int count);

// A rows x columns grid of empty cells.
HtmlTableGrid HtmlMakeTableGrid(int rows, int columns);
// The first grid column from column on that no span covers; columns when none.
int HtmlNextFreeColumn(const HtmlTableGrid& grid, int row, int column);
// Records a cell starting at (row, column) and marks the positions its spans
// cover -1; the parts outside the grid are left out. False when the cell
// itself lies outside.
bool HtmlPlaceCell(HtmlTableGrid& grid, int row, int column, const HtmlTableCell& cell);
// Column widths and row heights from the cells' outer sizes, spans last
// (column remainders to the last covered column, row remainders to the first).
void HtmlSizeTableGrid(HtmlTableGrid& grid);
// Table size from the grid: spacing around and between cells, one pixel
// between neighbours, and the border (6 for a double one).
int HtmlTableWidth(const HtmlTableGrid& grid, int spacing, int border);
int HtmlTableHeight(const HtmlTableGrid& grid, int spacing, int border);
// Shares extra pixels among the columns that are not fixed, later columns
// taking the remainder. False when no column can grow.
bool HtmlWidenColumns(HtmlTableGrid& grid, int extra);
// Left edge (relative to the inner left) and width of a cell's span.
int HtmlCellOffset(const std::vector<int>& sizes, int index, int spacing);
int HtmlCellExtent(const std::vector<int>& sizes, int index, int span, int spacing);
