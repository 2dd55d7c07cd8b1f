// Tables: counted and measured into a grid in the measuring pass, painted
// from it in the drawing pass.
#include <algorithm>

#include "html_text_drawer.h"
#include "html_text_drawer_internal.h"

namespace {

// The attribute text of the tag that starts text, and the position after it.
HtmlText StartTagAttributes(const HtmlText& text, size_t& after) {
  size_t close = text.find(u'>');
  if (close == HtmlText::npos) {
    after = text.size();
    return HtmlText();
  }
  after = close + 1;
  HtmlText tag = text.substr(1, close - 1);
  return HtmlMarkupRules::SplitTagName(tag);
}

size_t AfterTag(const HtmlText& text, size_t at) {
  size_t close = text.find(u'>', at);
  return close == HtmlText::npos ? text.size() : close + 1;
}

}  // namespace

void CHtmlTextDrawer::CountTableGrid(const HtmlText& text, int& rows, int& columns) {
  rows = 0;
  columns = 0;
  size_t pos = 0;
  while (HtmlMarkupRules::FindTag(text, pos, u"tr")) {
    size_t rowEnd = HtmlMarkupRules::FindRowEnd(text, pos);
    ++rows;
    int sum = 0;
    size_t cell = pos;
    while (HtmlMarkupRules::FindTag(text, cell, u"td") && cell < rowEnd) {
      size_t after = 0;
      HtmlText attributes = StartTagAttributes(text.substr(cell), after);
      HtmlStyleState scratch = m_state;
      sum += std::max(0, m_rules.ParseTableAttributes(attributes, scratch, false).first);
      cell = HtmlMarkupRules::FindCellEnd(text, cell);
    }
    columns = std::max(columns, sum);
    if (rowEnd >= text.size()) break;
    pos = rowEnd + 1;
  }
}

CSize CHtmlTextDrawer::LayoutTable(const HtmlText& text, const RECT& rect) {
  int index = ++m_tableCounter;
  if (m_mode == kMeasuring) {
    int rows = 0;
    int columns = 0;
    CountTableGrid(text, rows, columns);
    if (static_cast<int>(m_grids.size()) <= index) m_grids.resize(index + 1);
    m_grids[index] = HtmlMakeTableGrid(rows, columns);
  }
  if (index >= static_cast<int>(m_grids.size())) return CSize(0, 0);
  HtmlTableGrid grid = m_grids[index];

  size_t pos = 0;
  HtmlText attributes = StartTagAttributes(text, pos);
  m_state.name = u"table";
  SaveOrRestoreState(FALSE);
  m_rules.ApplyNamedStyle(u"table", m_state);
  m_rules.ParseTableAttributes(attributes, m_state, true);
  SelectStateFont();
  const HtmlStyleState table = m_state;
  int spacing = table.cellSpacing;
  int border = table.borderStyle == 6 ? 6 : 2 * table.borderWidth;

  CRect inner(rect);
  CRect frame(rect);
  if (m_mode == kDrawing) {
    int width = HtmlTableWidth(grid, spacing, border);
    int height = HtmlTableHeight(grid, spacing, border);
    int available = rect.right - rect.left;
    int left = rect.left;
    if (width < available) {
      if (HtmlWidenColumns(grid, available - width)) {
        width = HtmlTableWidth(grid, spacing, border);
      } else if (table.textAlignment == 1) {
        left = rect.left + (available - width) / 2;
      } else if (table.textAlignment == 2) {
        left = rect.right - width;
      }
    }
    frame = CRect(left, rect.top, left + width, rect.top + height);
    if (table.backgroundEffect < 0) {
      if (!table.backgroundImage.empty())
        DrawBackgroundImage(frame.left, frame.top, frame.Width(), frame.Height(), table.backgroundImage);
    } else {
      m_effects.FillEffect(m_pDC, table.backgroundEffect, frame, table.backgroundColor, table.backgroundMiddleColor,
                           table.backgroundEndColor, 5, 0);
    }
    if (table.borderWidth > 0) {
      COLORREF light = m_rules.colorsEnabled ? table.borderLightColor : m_rules.disabledColor;
      COLORREF dark = m_rules.colorsEnabled ? table.borderDarkColor : m_rules.disabledColor;
      m_effects.DrawFrame(m_pDC, frame, light, dark, table.borderStyle, table.borderWidth);
    }
    inner = frame;
    int inset = table.borderStyle == 6 ? 3 : table.borderWidth;
    inner.DeflateRect(inset, inset);
  }

  int rows = static_cast<int>(grid.rows.size());
  for (int row = 0; row < rows; ++row) {
    if (!HtmlMarkupRules::FindTag(text, pos, u"tr")) break;
    size_t rowEnd = HtmlMarkupRules::FindRowEnd(text, pos);
    LayoutTableRow(text.substr(pos, rowEnd - pos), inner, grid, row);
    pos = AfterTag(text, rowEnd);
  }

  CSize size = frame.Size();
  if (m_mode == kMeasuring) {
    HtmlSizeTableGrid(grid);
    size = CSize(HtmlTableWidth(grid, spacing, border), HtmlTableHeight(grid, spacing, border));
  }
  m_grids[index] = grid;
  m_state.name = u"table";
  SaveOrRestoreState(TRUE);
  SelectStateFont();
  return size;
}

void CHtmlTextDrawer::LayoutTableRow(const HtmlText& text, const RECT& inner, HtmlTableGrid& grid, int row) {
  size_t pos = 0;
  HtmlText attributes = StartTagAttributes(text, pos);
  m_state.name = u"tr";
  SaveOrRestoreState(FALSE);
  m_rules.ApplyNamedStyle(u"tr", m_state);
  m_rules.ParseTableAttributes(attributes, m_state, false);
  SelectStateFont();
  int spacing = m_state.cellSpacing;
  int columns = static_cast<int>(grid.columnWidths.size());
  int column = 0;
  while (HtmlMarkupRules::FindTag(text, pos, u"td")) {
    size_t cellEnd = HtmlMarkupRules::FindCellEnd(text, pos);
    HtmlText cellText = text.substr(pos, cellEnd - pos);
    column = HtmlNextFreeColumn(grid, row, column);
    size_t after = 0;
    HtmlStyleState scratch = m_state;
    int span = std::max(1, m_rules.ParseTableAttributes(StartTagAttributes(cellText, after), scratch, false).first);
    // A cell pushed past the last column has no place in the grid.
    if (column < columns) {
      if (m_mode == kMeasuring) {
        HtmlTableCell cell;
        LayoutTableCell(cellText, CRect(inner.left, inner.top, inner.left, inner.top), cell);
        HtmlPlaceCell(grid, row, column, cell);
      } else {
        HtmlTableCell cell = grid.rows[row][column];
        CRect cellRect;
        cellRect.left = inner.left + HtmlCellOffset(grid.columnWidths, column, spacing);
        cellRect.right = cellRect.left + HtmlCellExtent(grid.columnWidths, column, cell.columnSpan, spacing);
        cellRect.top = inner.top + HtmlCellOffset(grid.rowHeights, row, spacing);
        cellRect.bottom = cellRect.top + HtmlCellExtent(grid.rowHeights, row, cell.rowSpan, spacing);
        LayoutTableCell(cellText, cellRect, cell);
      }
    }
    column = std::min(column + span, columns);
    pos = AfterTag(text, cellEnd);
  }
  m_state.name = u"tr";
  SaveOrRestoreState(TRUE);
  SelectStateFont();
}

void CHtmlTextDrawer::LayoutTableCell(const HtmlText& text, const RECT& rect, HtmlTableCell& cell) {
  size_t pos = 0;
  HtmlText attributes = StartTagAttributes(text, pos);
  m_state.name = u"td";
  SaveOrRestoreState(FALSE);
  m_rules.ApplyNamedStyle(u"td", m_state);
  m_state.width = 0;
  m_state.height = 0;
  auto spans = m_rules.ParseTableAttributes(attributes, m_state, false);
  SelectStateFont();
  const HtmlStyleState state = m_state;
  int inset = state.cellPadding + state.borderWidth;
  CRect content(rect);
  if (m_mode == kMeasuring) {
    cell.columnSpan = spans.first;
    cell.rowSpan = spans.second;
    cell.contentWidth = state.width;
    cell.contentHeight = 0;
    cell.fixed = state.width > 0;
    content = CRect(rect.left, rect.top, rect.left + state.width, rect.top);
  } else {
    if (state.backgroundEffect >= 0)
      m_effects.FillEffect(m_pDC, state.backgroundEffect, rect, state.backgroundColor, state.backgroundMiddleColor,
                           state.backgroundEndColor, 5, 0);
    if (state.borderStyle != 0) {
      COLORREF light = m_rules.colorsEnabled ? state.borderLightColor : m_rules.disabledColor;
      COLORREF dark = m_rules.colorsEnabled ? state.borderDarkColor : m_rules.disabledColor;
      m_effects.DrawFrame(m_pDC, rect, dark, light, state.borderStyle, 1);
    }
    content.DeflateRect(inset, inset);
    if (state.verticalAlignment == 1) content.top += (content.Height() - cell.contentHeight) / 2;
    if (state.verticalAlignment == 2) content.top = content.bottom - cell.contentHeight;
  }
  int contentWidth = cell.contentWidth;
  int contentHeight = 0;
  while (pos < text.size()) {
    size_t table = pos;
    bool found = HtmlMarkupRules::FindTag(text, table, u"table");
    CSize piece(0, 0);
    if (table > pos) {
      piece = LayoutFlow(text.substr(pos, table - pos), content);
      content.top += piece.cy;
      contentWidth = std::max<int>(contentWidth, piece.cx);
      contentHeight += piece.cy;
    }
    if (!found) break;
    size_t end = HtmlMarkupRules::FindTableEnd(text, table);
    piece = LayoutTable(text.substr(table, end - table), content);
    content.top += piece.cy;
    contentWidth = std::max<int>(contentWidth, piece.cx);
    contentHeight += piece.cy;
    pos = AfterTag(text, end);
  }
  if (m_mode == kMeasuring) {
    cell.contentWidth = contentWidth;
    cell.contentHeight = contentHeight;
    cell.outerWidth = std::max(contentWidth, state.width) + 2 * state.cellPadding + 2 * state.borderWidth;
    cell.outerHeight = std::max(contentHeight, state.height) + 2 * inset;
  }
  m_state.name = u"td";
  SaveOrRestoreState(TRUE);
  SelectStateFont();
}

void CHtmlTextDrawer::DrawBackgroundImage(int x, int y, int width, int height, const HtmlText& text) {
  if (!m_rules.colorsEnabled || text.size() <= 5) return;
  size_t pos = 0;
  if (!HtmlMarkupRules::SkipToWord(text, pos)) return;
  size_t start = pos;
  HtmlMarkupRules::FindAnyOf(text, pos, u" :");
  HtmlText source = text.substr(start, pos - start);
  size_t colon = text.find(u':', pos);
  if (colon == HtmlText::npos) return;
  size_t valueStart = text.find_first_not_of(u' ', colon + 1);
  if (valueStart == HtmlText::npos) return;
  size_t valueEnd = text.find(u';', valueStart);
  HtmlText value = text.substr(valueStart, valueEnd == HtmlText::npos ? HtmlText::npos : valueEnd - valueStart);
  HBITMAP bitmap = nullptr;
  if (source == u"idres")
    bitmap = LoadResourceBitmap(m_rules.ParseSize(value, 0, 0));
  else if (source == u"iddll")
    bitmap = LoadModuleBitmap(m_rules.ParseSize(value, 0, 0), HtmlText());
  else if (source == u"file")
    bitmap = LoadBitmapFile(value);
  if (bitmap == nullptr) return;
  CSize size = CDrawEffects::GetBitmapSize(bitmap);
  CDC memory;
  if (size.cx > 0 && size.cy > 0 && memory.CreateCompatibleDC(m_pDC)) {
    HGDIOBJ previous = memory.SelectObject(bitmap);
    m_effects.TileBitmap(m_pDC, x, y, width, height, &memory, 0, 0, size.cx, size.cy);
    memory.SelectObject(previous);
    memory.DeleteDC();
  }
  ::DeleteObject(bitmap);
}
