#include "html_layout_rules.h"

#include <algorithm>
#include <climits>

namespace {

const char16_t kBreakCharacters[] = u" -.,!:;)}]?";

bool IsBreak(char16_t c) {
  for (const char16_t* b = kBreakCharacters; *b != 0; ++b)
    if (*b == c) return true;
  return false;
}

bool IsWhite(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

HtmlText HtmlFitText(HtmlText& run, bool atLineStart, int& spaceLeft, const HtmlMeasure& measure) {
  std::vector<size_t> candidates;
  for (size_t k = 1; k < run.size(); ++k)
    if (IsBreak(run[k])) candidates.push_back(k);
  candidates.push_back(run.size());
  size_t fit = 0;
  bool found = false;
  for (size_t k : candidates) {
    if (measure(run.substr(0, k)) > spaceLeft) break;
    fit = k;
    found = true;
  }
  HtmlText piece;
  if (found) {
    size_t end = std::min(fit + 1, run.size());
    piece = run.substr(0, end);
    HtmlText rest = run.substr(end);
    while (!piece.empty() && IsWhite(piece.back())) piece.pop_back();
    size_t first = 0;
    while (first < rest.size() && IsWhite(rest[first])) ++first;
    run = rest.substr(first);
  } else if (atLineStart) {
    // Every line takes at least one character, even one that does not fit.
    size_t c = 1;
    while (c < run.size() && measure(run.substr(0, c + 1)) <= spaceLeft) ++c;
    piece = run.substr(0, c);
    run = run.substr(c);
  } else {
    spaceLeft = 0;
    return HtmlText();
  }
  spaceLeft = measure(piece);
  return piece;
}

int HtmlAdvanceTab(int x, int left, int tabWidth, int count) {
  if (tabWidth <= 0) return x;
  if (count <= 0) count = 1;
  int offset = x - left;
  if (offset % tabWidth != 0) {
    int stop = offset >= 0 ? (offset / tabWidth + 1) * tabWidth : (offset / tabWidth) * tabWidth;
    x = left + stop;
    --count;
  }
  long long advanced = static_cast<long long>(x) + static_cast<long long>(count) * tabWidth;
  return static_cast<int>(std::min<long long>(advanced, INT_MAX));
}

HtmlTableGrid HtmlMakeTableGrid(int rows, int columns) {
  HtmlTableGrid grid;
  rows = std::max(rows, 0);
  columns = std::max(columns, 0);
  grid.rows.assign(rows, std::vector<HtmlTableCell>(columns));
  grid.columnWidths.assign(columns, 0);
  grid.rowHeights.assign(rows, 0);
  grid.fixedColumns.assign(columns, 0);
  return grid;
}

int HtmlNextFreeColumn(const HtmlTableGrid& grid, int row, int column) {
  int columns = static_cast<int>(grid.columnWidths.size());
  if (row < 0 || row >= static_cast<int>(grid.rows.size())) return columns;
  while (column < columns && grid.rows[row][column].columnSpan < 0) ++column;
  return column;
}

bool HtmlPlaceCell(HtmlTableGrid& grid, int row, int column, const HtmlTableCell& cell) {
  int rows = static_cast<int>(grid.rows.size());
  int columns = static_cast<int>(grid.columnWidths.size());
  if (row < 0 || row >= rows || column < 0 || column >= columns) return false;
  int lastRow = static_cast<int>(std::min<long long>(rows, static_cast<long long>(row) + std::max(cell.rowSpan, 1)));
  int lastColumn =
      static_cast<int>(std::min<long long>(columns, static_cast<long long>(column) + std::max(cell.columnSpan, 1)));
  HtmlTableCell& placed = grid.rows[row][column];
  placed = cell;
  placed.rowSpan = lastRow - row;
  placed.columnSpan = lastColumn - column;
  for (int r = row; r < lastRow; ++r)
    for (int c = column; c < lastColumn; ++c)
      if (r != row || c != column) {
        grid.rows[r][c] = HtmlTableCell();
        grid.rows[r][c].columnSpan = -1;
        grid.rows[r][c].rowSpan = -1;
      }
  return true;
}

namespace {

// One pass of the sizing along columns (byColumn) or rows.
void SizeAlong(HtmlTableGrid& grid, bool byColumn) {
  int rows = static_cast<int>(grid.rows.size());
  int columns = static_cast<int>(grid.columnWidths.size());
  std::vector<int>& sizes = byColumn ? grid.columnWidths : grid.rowHeights;
  int count = byColumn ? columns : rows;
  for (int span = 1; span <= count; ++span) {
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < columns; ++c) {
        const HtmlTableCell& cell = grid.rows[r][c];
        int cellSpan = byColumn ? cell.columnSpan : cell.rowSpan;
        if (cellSpan != span) continue;
        int start = byColumn ? c : r;
        int outer = byColumn ? cell.outerWidth : cell.outerHeight;
        // A span past the grid's edge covers only what is inside it.
        int last = std::min(count, start + span);
        if (span == 1) {
          sizes[start] = std::max(sizes[start], outer);
          if (byColumn && cell.fixed) grid.fixedColumns[start] = 1;
          continue;
        }
        int sum = 0;
        for (int i = start; i < last; ++i) {
          sum += sizes[i];
          if (byColumn && cell.fixed) grid.fixedColumns[i] = 1;
        }
        if (sum >= outer) continue;
        int difference = outer - sum;
        int share = difference / span;
        for (int i = start; i < last; ++i) sizes[i] += share;
        int remainder = difference - share * span;
        sizes[byColumn ? last - 1 : start] += remainder;
      }
    }
  }
}

}  // namespace

void HtmlSizeTableGrid(HtmlTableGrid& grid) {
  SizeAlong(grid, true);
  SizeAlong(grid, false);
}

namespace {

int GridExtent(const std::vector<int>& sizes, int spacing, int border) {
  int count = static_cast<int>(sizes.size());
  int total = (count + 1) * spacing + (count - 1);
  for (int size : sizes) total += size;
  return total + border;
}

}  // namespace

int HtmlTableWidth(const HtmlTableGrid& grid, int spacing, int border) {
  return GridExtent(grid.columnWidths, spacing, border);
}

int HtmlTableHeight(const HtmlTableGrid& grid, int spacing, int border) {
  return GridExtent(grid.rowHeights, spacing, border);
}

bool HtmlWidenColumns(HtmlTableGrid& grid, int extra) {
  int growing = 0;
  for (int fixed : grid.fixedColumns)
    if (!fixed) ++growing;
  if (growing == 0 || extra <= 0) return false;
  for (size_t c = 0; c < grid.columnWidths.size(); ++c) {
    if (grid.fixedColumns[c]) continue;
    int share = extra / growing;
    grid.columnWidths[c] += share;
    extra -= share;
    --growing;
  }
  return true;
}

int HtmlCellOffset(const std::vector<int>& sizes, int index, int spacing) {
  int offset = spacing;
  for (int i = 0; i < index && i < static_cast<int>(sizes.size()); ++i) offset += spacing + sizes[i] + 1;
  return offset;
}

int HtmlCellExtent(const std::vector<int>& sizes, int index, int span, int spacing) {
  int extent = 0;
  int count = static_cast<int>(sizes.size());
  int last = static_cast<int>(std::min<long long>(count, static_cast<long long>(index) + std::max(span, 1)));
  for (int i = index; i < last; ++i) extent += sizes[i];
  return extent + (spacing + 1) * (last - index - 1);
}
