// Placing the tabs of a strip: one row, scrolled or shrunk to fit, or
// several balanced rows; the navigate buttons are cut off the header's end.
#include <algorithm>

#include "tab_painter.h"
#include "tab_shape.h"

namespace {

void MeasureTabs(CTkTabPainter* painter, CTkTabSet* strip, CDC* pDC) {
  for (CTkTabManagerItem* tab : strip->m_tabs) {
    int length = tab->m_bVisible ? painter->GetAppearance()->GetTabLength(pDC, tab) : 0;
    tab->m_currentLength = length;
    tab->m_idealLength = length;
  }
}

void SetRange(RECT& rc, BOOL horizontal, int start, int end) {
  if (horizontal)
    rc.left = start, rc.right = end;
  else
    rc.top = start, rc.bottom = end;
}

void SetAcross(RECT& rc, BOOL horizontal, int start, int end) { SetRange(rc, !horizontal, start, end); }

// The across range of a row of one row height lying `fromOuter` pixels in
// from the outer edge of rc.
void RowAcross(int position, const RECT& rc, int fromOuter, int rowHeight, int& start, int& end) {
  switch (position) {
    case kTabBottom: end = rc.bottom - fromOuter, start = end - rowHeight; break;
    case kTabRight: end = rc.right - fromOuter, start = end - rowHeight; break;
    case kTabLeft: start = rc.left + fromOuter, end = start + rowHeight; break;
    default: start = rc.top + fromOuter, end = start + rowHeight; break;
  }
}

}  // namespace

void CTkTabPainter::ArrangeStrip(CTkTabSet* strip, CDC* pDC, CRect rc) {
  if (strip->HasFrame()) DeflateRect(rc, 2, 1, 2, 2);
  DeflateRectByPosition(m_position, rc, m_controlMargin);
  if (m_layout == kTabLayoutMultiRow) {
    LayoutRows(strip, pDC, rc);
    return;
  }
  MeasureTabs(this, strip, pDC);
  strip->m_tabsArea = m_pAppearance->GetHeaderRect(rc, strip);
  if (strip->GetTabCount() == 0) return;

  BOOL horizontal = IsHorizontal();
  CRect margin = m_pAppearance->GetHeaderMargin();
  int rowHeight = m_pAppearance->GetRowHeight(strip);
  int acrossStart, acrossEnd;
  RowAcross(m_position, rc, margin.top, rowHeight, acrossStart, acrossEnd);
  int available = RectLength(rc, horizontal) - margin.left - margin.right;
  for (int i = static_cast<int>(strip->m_buttons.size()) - 1; i >= 0; --i)
    strip->m_buttons[i]->AdjustLength(&available);

  if (m_layout == kTabLayoutSizeToFit) ShrinkToFit(strip, available);

  int start = RectStart(rc, horizontal) + margin.left;
  if (strip->m_scrollOffset < 0) {
    CRect area = GetTabsArea(strip, strip->m_tabsArea);
    int tabsLength = strip->GetTabsLength();
    if (start + strip->m_scrollOffset + tabsLength < RectEnd(area, horizontal)) {
      int offset = RectLength(area, horizontal) - tabsLength;
      strip->m_scrollOffset = offset < 1 ? offset : 0;
    }
  }

  int position = start + strip->m_scrollOffset;
  const CRect& area = strip->m_tabsArea;
  for (CTkTabManagerItem* tab : strip->m_tabs) {
    RECT place = {0, 0, 0, 0};
    if (m_layout == kTabLayoutRotated) {
      SetRange(place, horizontal, position, position + rowHeight);
      position += rowHeight;
      switch (m_position) {
        case kTabBottom: place.top = area.top + margin.bottom, place.bottom = place.top + tab->m_currentLength; break;
        case kTabLeft: place.right = area.right - margin.bottom, place.left = place.right - tab->m_currentLength; break;
        case kTabRight: place.left = area.left + margin.bottom, place.right = place.left + tab->m_currentLength; break;
        default: place.bottom = area.bottom - margin.bottom, place.top = place.bottom - tab->m_currentLength; break;
      }
    } else {
      SetRange(place, horizontal, position, position + tab->m_currentLength);
      SetAcross(place, horizontal, acrossStart, acrossEnd);
      position += tab->m_currentLength;
    }
    tab->m_rect = place;
  }
  CRect tabsArea = GetTabsArea(strip, strip->m_tabsArea);
  SetRange(strip->m_tabsArea, horizontal, RectStart(strip->m_tabsArea, horizontal), RectEnd(tabsArea, horizontal));
}

CRect CTkTabPainter::GetTabsArea(CTkTabSet* strip, CRect rc) {
  BOOL horizontal = IsHorizontal();
  CRect margin = m_pAppearance->GetHeaderMargin();
  // The margins are taken one at each end, so that a strip scrolled to its
  // end has its last tab end exactly where the tabs area ends.
  SetRange(rc, horizontal, RectStart(rc, horizontal) + margin.left, RectEnd(rc, horizontal) - margin.right - 1);
  for (int i = static_cast<int>(strip->m_buttons.size()) - 1; i >= 0; --i) strip->m_buttons[i]->PlaceButton(&rc);
  return rc;
}

void CTkTabPainter::ShrinkToFit(CTkTabSet* strip, int available) {
  // Hidden tabs keep their zero length and take no share.
  std::vector<CTkTabManagerItem*> order;
  int total = 0;
  for (CTkTabManagerItem* tab : strip->m_tabs) {
    if (!tab->m_bVisible) continue;
    order.push_back(tab);
    total += tab->m_currentLength;
  }
  if (total <= available || order.empty()) return;
  int n = static_cast<int>(order.size());
  if (n == 1) {
    order[0]->m_currentLength = available;
    return;
  }
  std::stable_sort(order.begin(), order.end(), [](const CTkTabManagerItem* a, const CTkTabManagerItem* b) {
    return a->m_currentLength > b->m_currentLength;
  });
  int excess = total - available;
  int j = 1;
  for (;;) {
    int c = order[0]->m_currentLength;
    while (j < n && order[j]->m_currentLength == c) ++j;
    if (j == n) {
      for (CTkTabManagerItem* tab : order) tab->m_currentLength = available / n;
      return;
    }
    int d = order[j]->m_currentLength;
    int saving = (c - d) * j;
    if (saving < excess) {
      for (int i = 0; i < j; ++i) order[i]->m_currentLength = d;
      excess -= saving;
      continue;
    }
    for (int i = 0; i < j; ++i) order[i]->m_currentLength -= excess / j;
    return;
  }
}

int CTkTabPainter::CountRows(CTkTabSet* strip, CDC* pDC, int available) {
  MeasureTabs(this, strip, pDC);
  CTkTabRowTable& rows = *strip->m_pRows;
  std::vector<CTkTabRowTable::Row> greedy;
  greedy.push_back({0, -1});
  int rowLength = 0;
  for (int i = 0; i < strip->GetTabCount(); ++i) {
    int length = strip->m_tabs[i]->m_currentLength;
    if (strip->m_tabs[i]->m_bVisible && rowLength > 0 && rowLength + length > available) {
      greedy.back().last = i - 1;
      greedy.push_back({i, -1});
      rowLength = 0;
    }
    rowLength += length;
  }
  greedy.back().last = strip->GetTabCount() - 1;
  rows.SetRowCount(static_cast<int>(greedy.size()));
  for (size_t r = 0; r < greedy.size(); ++r) rows[static_cast<int>(r)] = greedy[r];
  return rows.GetRowCount();
}

BOOL CTkTabPainter::FillRows(CTkTabSet* strip, int available, int row, int remaining) {
  CTkTabRowTable& rows = *strip->m_pRows;
  int count = rows.GetRowCount();
  int first = rows[row].first;
  // A row that starts at a given tab either balances or never does: the
  // remaining total follows from the tab, so a failure is remembered.
  if (m_failedRows[row][first]) return FALSE;
  int target = m_bJustifyRows ? std::min(remaining / (count - row), available) : available;
  int length = 0;
  int n = strip->GetTabCount();
  for (int i = first; i < n; ++i) {
    CTkTabManagerItem* tab = strip->m_tabs[i];
    if (tab->m_bVisible && length > 0 && length + tab->m_currentLength > target) {
      if (row + 1 < count) {
        rows[row + 1].first = i;
        if (FillRows(strip, available, row + 1, remaining - length)) {
          rows[row].last = i - 1;
          return TRUE;
        }
        if (length + tab->m_currentLength <= available) {
          length += tab->m_currentLength;
          continue;
        }
      }
      m_failedRows[row][first] = 1;
      return FALSE;
    }
    length += tab->m_currentLength;
  }
  rows[row].last = n - 1;
  // Rows left empty would not be balanced rows at all.
  if (row + 1 < count) {
    m_failedRows[row][first] = 1;
    return FALSE;
  }
  return TRUE;
}

void CTkTabPainter::LayoutRows(CTkTabSet* strip, CDC* pDC, CRect rc) {
  strip->m_tabsArea = m_pAppearance->GetHeaderRect(rc, strip);
  strip->m_scrollOffset = 0;
  if (strip->GetTabCount() == 0) return;

  BOOL horizontal = IsHorizontal();
  CRect margin = m_pAppearance->GetHeaderMargin();
  int available = RectLength(GetTabsArea(strip, strip->m_tabsArea), horizontal);
  CTkTabRowTable& rows = *strip->m_pRows;
  int count = CountRows(strip, pDC, available);
  int n = strip->GetTabCount();
  if (count > 1) {
    std::vector<CTkTabRowTable::Row> greedy(rows.m_rows.begin(), rows.m_rows.end());
    int total = 0;
    for (CTkTabManagerItem* tab : strip->m_tabs) total += tab->m_currentLength;
    m_failedRows.assign(count, std::vector<char>(n + 1, 0));
    rows[0].first = 0;
    if (!FillRows(strip, available, 0, total)) {
      for (int r = 0; r < count; ++r) rows[r] = greedy[r];
    }
    m_failedRows.clear();
    if (!m_bKeepRowOrder && strip->m_pSelected != nullptr) {
      int selected = strip->m_pSelected->m_index;
      for (int r = 1; r < count; ++r) {
        if (selected >= rows[r].first && selected <= rows[r].last) {
          std::swap(rows[0], rows[r]);
          break;
        }
      }
    }
  }

  int rowHeight = m_pAppearance->GetRowHeight(strip);
  int pitch = rowHeight + m_pAppearance->m_rowSpacing;
  for (int r = 0; r < count; ++r) {
    int acrossStart, acrossEnd;
    RowAcross(m_position, rc, margin.top + (count - 1 - r) * pitch, rowHeight, acrossStart, acrossEnd);
    int rowTotal = 0, tabsInRow = 0;
    for (int i = rows[r].first; i <= rows[r].last; ++i) {
      rowTotal += strip->m_tabs[i]->m_currentLength;
      ++tabsInRow;
    }
    int spare = available - rowTotal;
    BOOL justify = count >= 2 && m_bJustifyRows && spare > 0;
    int position = RectStart(rc, horizontal) + margin.left;
    for (int i = rows[r].first; i <= rows[r].last; ++i, --tabsInRow) {
      CTkTabManagerItem* tab = strip->m_tabs[i];
      if (justify) {
        int extra = spare / tabsInRow;
        tab->m_currentLength += extra;
        spare -= extra;
      }
      RECT place = {0, 0, 0, 0};
      SetRange(place, horizontal, position, position + tab->m_currentLength);
      SetAcross(place, horizontal, acrossStart, acrossEnd);
      tab->m_rect = place;
      tab->m_row = r;
      position += tab->m_currentLength;
    }
  }
  strip->m_tabsArea = m_pAppearance->GetHeaderRect(rc, strip);
  CRect tabsArea = GetTabsArea(strip, strip->m_tabsArea);
  SetRange(strip->m_tabsArea, horizontal, RectStart(strip->m_tabsArea, horizontal), RectEnd(tabsArea, horizontal));
}

void CTkTabPainter::EnsureTabVisible(CTkTabSet* strip, CTkTabManagerItem* item) {
  const CRect& area = strip->m_tabsArea;
  const CRect& tab = item->m_rect;
  if (area.IsRectEmpty() || tab.IsRectEmpty()) return;
  BOOL horizontal = IsHorizontal();
  int offset = strip->m_scrollOffset;
  if (RectStart(tab, horizontal) < RectStart(area, horizontal))
    strip->SetScrollOffset(offset + (RectStart(area, horizontal) - RectStart(tab, horizontal)) +
                           m_pAppearance->GetHeaderMargin().left);
  else if (RectEnd(tab, horizontal) > RectEnd(area, horizontal))
    strip->SetScrollOffset(offset + (RectEnd(area, horizontal) - RectEnd(tab, horizontal)));
}
