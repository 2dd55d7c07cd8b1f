// The row layout of a bar's controls: measure each control, wrap rows at
// a length (moving back to a group start), search the narrowest width for
// a shape, then centre rows, right-align and stretch what asks for it.
#include <algorithm>
#include <vector>

#include "bar_painter.h"
#include "command_bar.h"
#include "command_bars.h"
#include "control_collection.h"

namespace {

// A group start needs this much more room when rows are wrapped.
const int kGroupGap = 6;
// Bisections halve an int range; this many steps always reach the end.
const int kMaxSearchSteps = 64;
const int kWidest = 32767;

struct LayoutRecord {
  CRect rect;
  CRect rowRect;
  CSize size;
  BOOL visible;
  BOOL wrap;
  BOOL hidden;
  BOOL beginGroup;
};

class RowLayout {
 public:
  RowLayout(std::vector<LayoutRecord>& records, DWORD flags, CSize separator)
      : m_records(records), m_flags(flags), m_separator(separator), m_vertical((flags & kLayoutVertical) != 0) {}

  // Marks the rows for a length; the number of rows.
  int Wrap(int length);
  // Places the records from 0; their extent.
  CSize Place();
  void SquareShape();
  void FitToWidth(int width);
  void FitToHeight(int height);
  BOOL WrappedOrHidden() const { return m_wrappedOrHidden; }

 private:
  int Along(const LayoutRecord& record) const { return m_vertical ? record.size.cy : record.size.cx; }
  int AlongExtent(CSize size) const { return m_vertical ? size.cy : size.cx; }

  std::vector<LayoutRecord>& m_records;
  DWORD m_flags;
  CSize m_separator;
  BOOL m_vertical;
  BOOL m_wrappedOrHidden = FALSE;
};

int RowLayout::Wrap(int length) {
  for (LayoutRecord& record : m_records) record.wrap = record.hidden = FALSE;
  m_wrappedOrHidden = FALSE;
  int rows = 1;
  int running = 0;
  int rowStart = -1;
  const int count = static_cast<int>(m_records.size());
  for (int i = 0; i < count; ++i) {
    LayoutRecord& record = m_records[static_cast<size_t>(i)];
    if (!record.visible) continue;
    if (rowStart == -1) {
      // The first record stays in the first row however long it is.
      rowStart = i;
      running = Along(record);
      continue;
    }
    running += Along(record) + (record.beginGroup ? kGroupGap : 0);
    const BOOL groupRow = (m_flags & kLayoutFloatingShape) != 0 && record.beginGroup;
    if (running <= length && !groupRow) continue;
    m_wrappedOrHidden = TRUE;
    if ((m_flags & kLayoutHideWrapped) != 0) {
      for (int k = i; k < count; ++k)
        if (m_records[static_cast<size_t>(k)].visible) m_records[static_cast<size_t>(k)].hidden = TRUE;
      break;
    }
    // Back to the nearest group start in this row, else wrap here.
    int wrapAt = i;
    for (int j = i; j > rowStart; --j) {
      const LayoutRecord& earlier = m_records[static_cast<size_t>(j)];
      if (earlier.visible && earlier.beginGroup) {
        wrapAt = j;
        break;
      }
    }
    m_records[static_cast<size_t>(wrapAt)].wrap = TRUE;
    ++rows;
    rowStart = wrapAt;
    running = Along(m_records[static_cast<size_t>(wrapAt)]);
    i = wrapAt;
  }
  return rows;
}

CSize RowLayout::Place() {
  int along = 0;
  int across = 0;
  int lineExtent = 0;
  int farthestAlong = 0;
  int farthestAcross = 0;
  BOOL first = TRUE;
  for (LayoutRecord& record : m_records) {
    if (!record.visible || record.hidden) continue;
    if (record.wrap && !first) {
      across += lineExtent + (record.beginGroup ? m_separator.cy : 0);
      along = 0;
      lineExtent = 0;
    } else if (record.beginGroup && !first) {
      along += m_separator.cx;
    }
    first = FALSE;
    if (m_vertical) {
      // Columns go leftwards from 0; the caller moves them right afterwards.
      record.rect.SetRect(-across - record.size.cx, along, -across, along + record.size.cy);
      lineExtent = std::max(lineExtent, static_cast<int>(record.size.cx));
      farthestAcross = std::max(farthestAcross, across + static_cast<int>(record.size.cx));
      farthestAlong = std::max(farthestAlong, static_cast<int>(record.rect.bottom));
    } else {
      record.rect.SetRect(along, across, along + record.size.cx, across + record.size.cy);
      lineExtent = std::max(lineExtent, static_cast<int>(record.size.cy));
      farthestAcross = std::max(farthestAcross, static_cast<int>(record.rect.bottom));
      farthestAlong = std::max(farthestAlong, static_cast<int>(record.rect.right));
    }
    along += m_vertical ? record.size.cy : record.size.cx;
  }
  return m_vertical ? CSize(farthestAcross, farthestAlong) : CSize(farthestAlong, farthestAcross);
}

void RowLayout::SquareShape() {
  Wrap(0);
  CSize narrow = Place();
  Wrap(kWidest);
  CSize wide = Place();
  int low = narrow.cx;
  int high = wide.cx;
  for (int step = 0; step < kMaxSearchSteps && low < high; ++step) {
    const int middle = low + (high - low) / 2;
    Wrap(middle);
    const CSize trial = Place();
    if (trial == narrow || trial == wide) break;
    if (trial.cx < trial.cy) {
      if (middle == low) break;
      low = middle;
      narrow = trial;
    } else {
      if (middle == high) break;
      high = middle;
      wide = trial;
    }
    if (narrow.cx >= wide.cx) break;
  }
  Wrap(high);
}

void RowLayout::FitToWidth(int width) {
  const int rows = Wrap(width);
  int fitted = width;
  if (width > 0 && rows != Wrap(0)) {
    int low = 0;
    for (int step = 0; step < kMaxSearchSteps && fitted - low > 1; ++step) {
      const int middle = low + (fitted - low) / 2;
      if (Wrap(middle) == rows)
        fitted = middle;
      else
        low = middle;
    }
  }
  Wrap(fitted);
  Wrap(AlongExtent(Place()));
}

void RowLayout::FitToHeight(int height) {
  Wrap(0);
  int low = Place().cx;
  Wrap(kWidest);
  int high = Place().cx;
  Wrap(low);
  if (Place().cy <= height || high <= low) {
    if (high <= low) Wrap(kWidest);
    return;
  }
  for (int step = 0; step < kMaxSearchSteps && high - low > 1; ++step) {
    const int middle = low + (high - low) / 2;
    Wrap(middle);
    if (Place().cy <= height)
      high = middle;
    else
      low = middle;
  }
  Wrap(high);
}

// Right-aligns the flagged controls of the last row, then shares each
// row's free space among its stretched controls.
void AlignRows(std::vector<LayoutRecord>& records, const std::vector<CTkControl*>& controls, BOOL vertical,
               int nearBorder, int farEnd) {
  auto start = [vertical](const CRect& r) { return vertical ? r.top : r.left; };
  auto end = [vertical](const CRect& r) { return vertical ? r.bottom : r.right; };
  auto moveBy = [vertical](CRect& r, int offset) { vertical ? r.OffsetRect(0, offset) : r.OffsetRect(offset, 0); };
  auto placed = [&records](size_t i) { return records[i].visible && !records[i].hidden; };
  auto flags = [&controls](size_t i) { return controls[i]->GetFlags(); };

  std::vector<BOOL> rightAligned(records.size(), FALSE);
  int limit = farEnd;
  for (size_t i = records.size(); i-- > 0;) {
    if (!placed(i)) continue;
    if ((flags(i) & kFlagRightAligned) == 0) break;
    CRect& rect = records[i].rect;
    const int offset = limit - end(rect);
    if (start(rect) + offset < nearBorder) break;
    moveBy(rect, offset);
    rightAligned[i] = TRUE;
    limit = start(rect);
    if (records[i].wrap) break;
  }

  // Rows, as index ranges of placed records, from the last to the first.
  std::vector<std::pair<size_t, size_t>> rows;
  for (size_t i = 0; i < records.size(); ++i) {
    if (!placed(i)) continue;
    if (rows.empty() || records[i].wrap) rows.emplace_back(i, i);
    rows.back().second = i;
  }
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    int contentEnd = -1;
    int freeEnd = farEnd;
    int stretchable = 0;
    for (size_t i = row->first; i <= row->second; ++i) {
      if (!placed(i)) continue;
      if (rightAligned[i]) {
        freeEnd = std::min(freeEnd, static_cast<int>(start(records[i].rect)));
        continue;
      }
      contentEnd = end(records[i].rect);
      if ((flags(i) & kFlagStretched) != 0) ++stretchable;
    }
    int free = freeEnd - contentEnd;
    if (contentEnd < 0 || free < 1 || stretchable == 0) continue;
    int handedOut = 0;
    for (size_t i = row->first; i <= row->second; ++i) {
      if (!placed(i) || rightAligned[i]) continue;
      CRect& rect = records[i].rect;
      moveBy(rect, handedOut);
      if ((flags(i) & kFlagStretched) == 0) continue;
      const int grow = free / stretchable;
      if (vertical)
        rect.bottom += grow;
      else
        rect.right += grow;
      handedOut += grow;
      free -= grow;
      --stretchable;
    }
  }
}

}  // namespace

CSize CTkControls::CalcDynamicSize(CDC* pDC, int length, DWORD& flags, const CRect& borders, int minimumExtent) {
  CTkBarPainter* painter = nullptr;
  if (m_pParent != nullptr) {
    painter = m_pParent->GetPaintManager();
  } else {
    CTkCommandBars* commandBars = GetCommandBars();
    painter = commandBars != nullptr ? commandBars->GetPainterOrCurrent() : GetCurrentBarPainter();
  }
  CSize separator(0, 0);
  if (painter != nullptr && !m_controls.empty()) separator = painter->DrawSeparator(pDC, m_pParent, m_controls[0], FALSE);

  // By index: a list control inserts and removes its items after itself here.
  for (int i = GetCount() - 1; i >= 0; --i) {
    if (i < GetCount()) GetAt(i)->OnCalcDynamicSize(flags);
  }

  const int left = borders.left;
  const int top = borders.top;
  const int right = borders.right;
  const int bottom = borders.bottom;
  if (GetVisibleCount(FALSE) == 0) {
    CSize size(left + right + 23, top + bottom + 22);
    if (minimumExtent > 0) {
      if ((flags & kLayoutHorzDock) != 0)
        size.cy = std::max(static_cast<int>(size.cy), minimumExtent);
      else
        size.cx = std::max(static_cast<int>(size.cx), minimumExtent);
    }
    return size;
  }

  std::vector<LayoutRecord> records;
  records.reserve(m_controls.size());
  for (CTkControl* control : m_controls) {
    LayoutRecord record;
    record.size = control->GetSize(pDC);
    record.rect = control->GetRect();
    record.rowRect.SetRectEmpty();
    record.visible = (control->GetHideFlags() & ~kHideWrapped) == 0;
    record.wrap = FALSE;
    record.hidden = FALSE;
    record.beginGroup = control->GetBeginGroup();
    records.push_back(record);
  }

  const int mruWidth = m_pParent != nullptr ? m_pParent->GetMRUWidth() : kWidest;
  const int lengthL = (flags & kLayoutMRUWidth) != 0 ? mruWidth : length;
  const BOOL vertical = (flags & kLayoutVertical) != 0;
  RowLayout layout(records, flags, separator);
  if ((flags & kLayoutFloatingShape) != 0) {
    layout.Wrap(mruWidth);
    const CSize measured = layout.Place();
    if (measured.cx * 3 < measured.cy && mruWidth < 1)
      layout.SquareShape();
    else
      layout.Wrap(measured.cx);
  } else if ((flags & kLayoutHorzDock) != 0) {
    layout.Wrap(lengthL - left - right);
  } else if (vertical) {
    layout.Wrap(lengthL - top - bottom);
  } else if ((flags & kLayoutLengthIsHeight) != 0) {
    layout.FitToHeight(lengthL - top - bottom);
  } else {
    layout.FitToWidth(lengthL - left - right);
  }
  CSize size = layout.Place();
  const BOOL stretch = (flags & kLayoutStretch) != 0;
  if (layout.WrappedOrHidden()) flags |= kLayoutStretch;

  if (minimumExtent > 0) {
    if ((flags & kLayoutHorzDock) != 0)
      size.cy = std::max(static_cast<int>(size.cy), minimumExtent - top - bottom);
    else
      size.cx = std::max(static_cast<int>(size.cx), minimumExtent - left - right);
  }
  if (stretch) {
    if (vertical)
      size.cy = std::max(static_cast<int>(size.cy), lengthL - top - bottom);
    else
      size.cx = std::max(static_cast<int>(size.cx), lengthL - left - right);
  }

  if ((flags & kLayoutCommit) != 0) {
    const int shiftX = left + (vertical ? size.cx : 0);
    for (LayoutRecord& record : records)
      if (record.visible && !record.hidden) record.rect.OffsetRect(shiftX, top);
    // Centre each record across its row (its column, when vertical).
    size_t i = 0;
    while (i < records.size()) {
      if (!records[i].visible || records[i].hidden) {
        ++i;
        continue;
      }
      size_t last = i;
      int lineStart = vertical ? records[i].rect.left : records[i].rect.top;
      int lineEnd = vertical ? records[i].rect.right : records[i].rect.bottom;
      for (size_t k = i + 1; k < records.size(); ++k) {
        if (!records[k].visible || records[k].hidden) continue;
        if (records[k].wrap) break;
        last = k;
        if (vertical) {
          lineStart = std::min(lineStart, static_cast<int>(records[k].rect.left));
          lineEnd = std::max(lineEnd, static_cast<int>(records[k].rect.right));
        } else {
          lineEnd = std::max(lineEnd, static_cast<int>(records[k].rect.bottom));
        }
      }
      for (size_t k = i; k <= last; ++k) {
        LayoutRecord& record = records[k];
        if (!record.visible || record.hidden) continue;
        if (vertical) {
          record.rowRect.SetRect(lineStart, 0, lineEnd, size.cy + top + bottom);
          record.rect.OffsetRect(lineStart + (lineEnd - lineStart - record.rect.Width()) / 2 - record.rect.left, 0);
        } else {
          record.rowRect.SetRect(0, lineStart, size.cx + left + right, lineEnd);
          record.rect.OffsetRect(0, (lineEnd - lineStart - record.rect.Height()) / 2);
        }
      }
      i = last + 1;
    }
    const int nearBorder = vertical ? top : left;
    const int farEnd = vertical ? size.cy + top : size.cx + left;
    AlignRows(records, m_controls, vertical, nearBorder, farEnd);
    for (size_t k = 0; k < records.size(); ++k) {
      CTkControl* control = m_controls[k];
      const LayoutRecord& record = records[k];
      const int reasons = control->GetHideFlags();
      control->SetHideFlags(record.hidden ? reasons | kHideWrapped : reasons & ~kHideWrapped);
      control->SetRowRect(record.rowRect);
      if (!record.hidden) control->SetControlRect(record.rect);
      control->SetWrap(record.wrap);
    }
  }
  return CSize(size.cx + left + right, size.cy + top + bottom);
}
