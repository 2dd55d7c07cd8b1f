#include "dock_bar.h"

#include <algorithm>
#include <climits>

#include "bar_painter.h"
#include "command_bars.h"
#include "tool_bar.h"

IMPLEMENT_DYNAMIC(CTkDockBar, CWnd)

BEGIN_MESSAGE_MAP(CTkDockBar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_WM_PAINT()
ON_MESSAGE(WM_PRINT, OnPrint)
ON_WM_ERASEBKGND()
ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

namespace {
const DWORD kDockStyleMask = 0x40FFFF;
}  // namespace

// A bar's place in a row while the row is laid out, in row coordinates:
// x runs along the row, y across it.
struct CTkDockBar::RowRecord {
  CTkToolBar* bar;
  CRect rect;
  CRect first;
  int order;
  int minExtent;
  int minBefore;
  DWORD flags;
  BOOL moved;
};

BOOL CTkDockBar::Create(CWnd* parent, DWORD style, UINT id) {
  m_dwDockStyle = style & kDockStyleMask;
  LPCWSTR windowClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW));
  return CWnd::Create(windowClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                      CRect(0, 0, 0, 0), parent, id);
}

BOOL CTkDockBar::PreCreateWindow(CREATESTRUCTW& cs) {
  if (!CWnd::PreCreateWindow(cs)) return FALSE;
  cs.style |= WS_CLIPSIBLINGS;
  return TRUE;
}

int CTkDockBar::GetPosition() const {
  if ((m_dwDockStyle & kDockStyleTop) == kDockStyleTop) return kBarTop;
  if ((m_dwDockStyle & kDockStyleBottom) == kDockStyleBottom) return kBarBottom;
  if ((m_dwDockStyle & kDockStyleLeft) == kDockStyleLeft) return kBarLeft;
  return kBarRight;
}

int CTkDockBar::FindBar(CTkToolBar* bar, int skip) const {
  for (size_t i = 0; i < m_bars.size(); ++i)
    if (m_bars[i] == bar && static_cast<int>(i) != skip) return static_cast<int>(i);
  return -1;
}

CTkToolBar* CTkDockBar::GetBarAt(int index) const {
  if (index < 0 || index >= GetEntryCount()) return nullptr;
  return m_bars[static_cast<size_t>(index)];
}

void CTkDockBar::GetRowBars(int index, std::vector<CTkToolBar*>& bars) const {
  bars.clear();
  if (index < 0 || index >= GetEntryCount()) return;
  int start = index;
  while (start > 0 && m_bars[static_cast<size_t>(start - 1)] != nullptr) --start;
  if (m_bars[static_cast<size_t>(start)] == nullptr && start == index && index > 0) return;
  for (int i = start; i < GetEntryCount() && m_bars[static_cast<size_t>(i)] != nullptr; ++i) {
    CTkToolBar* bar = m_bars[static_cast<size_t>(i)];
    if (bar->IsVisible()) bars.push_back(bar);
  }
  const BOOL horizontal = IsHorizontal();
  auto lead = [horizontal](CTkToolBar* bar) {
    CRect rect(0, 0, 0, 0);
    if (bar->GetSafeHwnd() != nullptr) bar->GetWindowRect(&rect);
    return horizontal ? rect.left : rect.top;
  };
  std::stable_sort(bars.begin(), bars.end(), [&](CTkToolBar* a, CTkToolBar* b) { return lead(a) < lead(b); });
}

int CTkDockBar::InsertIndexFor(CPoint center) {
  const BOOL horizontal = IsHorizontal();
  const int c = horizontal ? center.y : center.x;
  int previousEdge = 0;
  int farEdge = INT_MIN;
  size_t rowStart = 1;
  for (size_t i = 1; i < m_bars.size(); ++i) {
    CTkToolBar* bar = m_bars[i];
    if (bar != nullptr) {
      if (bar->IsVisible() && bar->GetSafeHwnd() != nullptr) {
        CRect rect;
        bar->GetWindowRect(&rect);
        ScreenToClient(&rect);
        farEdge = std::max(farEdge, static_cast<int>(horizontal ? rect.bottom : rect.right));
      }
      continue;
    }
    if (farEdge != INT_MIN && c < farEdge) {
      // On the line between two rows, or before the first: a row of its own.
      if (c <= previousEdge) m_bars.insert(m_bars.begin() + static_cast<std::ptrdiff_t>(rowStart), nullptr);
      m_bars.insert(m_bars.begin() + static_cast<std::ptrdiff_t>(rowStart), nullptr);
      return static_cast<int>(rowStart);
    }
    if (farEdge != INT_MIN) previousEdge = farEdge;
    farEdge = INT_MIN;
    rowStart = i + 1;
  }
  m_bars.push_back(nullptr);
  m_bars.push_back(nullptr);
  return static_cast<int>(m_bars.size()) - 2;
}

void CTkDockBar::DockCommandBar(CTkToolBar* bar, LPCRECT rect) {
  if (bar == nullptr) return;
  const int existing = FindBar(bar);
  if (existing >= 0) {
    if (rect == nullptr) return;
    CRect window(0, 0, 0, 0);
    if (bar->GetSafeHwnd() != nullptr) bar->GetWindowRect(&window);
    if (window == CRect(*rect)) return;
  }
  int index;
  CTkBarDragTracker* tracker = bar->GetDragTracker();
  if (rect != nullptr) {
    CRect client(*rect);
    ScreenToClient(&client);
    index = InsertIndexFor(client.CenterPoint());
    if (tracker != nullptr) tracker->SetLastDockedRect(client);
  } else {
    m_bars.push_back(nullptr);
    m_bars.push_back(nullptr);
    index = static_cast<int>(m_bars.size()) - 2;
    if (tracker != nullptr) tracker->SetLastDockedRect(CRect(0, 0, 0, 0));
  }
  // The slot is taken now; a row the insertion opened ends after it.
  m_bars[static_cast<size_t>(index)] = bar;
  if (bar->GetSafeHwnd() != nullptr && ::GetParent(bar->m_hWnd) != m_hWnd) bar->SetParent(this);
  if (existing >= 0)
    RemoveCommandBar(bar, index);
  else if (CTkDockBar* previous = bar->GetDockBar())
    previous->RemoveCommandBar(bar);
  bar->SetDockBar(this);
  IsolateStretched(bar);
  if (m_pCommandBars != nullptr) m_pCommandBars->RecalcFrameLayout(TRUE);
}

void CTkDockBar::IsolateStretched(CTkToolBar* bar) {
  if ((bar->GetDockFlags() & kDockStretch) == 0) return;
  int index = FindBar(bar);
  if (index < 0) return;
  if (index > 0 && m_bars[static_cast<size_t>(index) - 1] != nullptr) {
    m_bars.insert(m_bars.begin() + index, nullptr);
    ++index;
  }
  if (index + 1 < GetEntryCount() && m_bars[static_cast<size_t>(index) + 1] != nullptr)
    m_bars.insert(m_bars.begin() + index + 1, nullptr);
}

void CTkDockBar::RemoveCommandBar(CTkToolBar* bar, int keep) {
  const int index = FindBar(bar, keep);
  if (index < 0) return;
  m_bars.erase(m_bars.begin() + index);
  // A row left empty would show as two row ends in a row.
  if (index > 0 && index < GetEntryCount() && m_bars[static_cast<size_t>(index) - 1] == nullptr &&
      m_bars[static_cast<size_t>(index)] == nullptr)
    m_bars.erase(m_bars.begin() + index);
  if (keep < 0) bar->SetDockBar(nullptr);
  if (m_pCommandBars != nullptr) m_pCommandBars->RecalcFrameLayout(TRUE);
}

DWORD CTkDockBar::RowLayoutFlags(CTkToolBar* bar) const {
  DWORD flags = IsHorizontal() ? (kLayoutHorizontal | kLayoutHorzDock) : kLayoutVertical;
  if ((bar->GetDockFlags() & kDockStretch) != 0) flags |= kLayoutStretch;
  const BOOL customizing = m_pCommandBars != nullptr && m_pCommandBars->IsCustomizeMode() &&
                           !m_pCommandBars->IsQuickCustomizeMode();
  if ((bar->GetDockFlags() & kDockHideWrapped) != 0 && !customizing) flags |= kLayoutHideWrapped;
  return flags;
}

BOOL CTkDockBar::LayoutRow(std::vector<RowRecord>& records, int offset, int length, CTkToolBar*& wrap) {
  const BOOL horizontal = IsHorizontal();
  for (size_t k = 0; k < records.size(); ++k) {
    RowRecord& record = records[k];
    const CSize size = record.bar->CalcDockedSize(length, record.flags);
    const int along = horizontal ? size.cx : size.cy;
    const int across = horizontal ? size.cy : size.cx;
    CTkBarDragTracker* tracker = record.bar->GetDragTracker();
    const CRect& last = tracker != nullptr ? tracker->GetLastDockedRect() : CRect(0, 0, 0, 0);
    const int lead = horizontal ? last.left : last.top;
    record.rect.SetRect(lead, offset, lead + along, offset + across);
    record.first = record.rect;
    record.order = static_cast<int>(k);
    record.moved = FALSE;
  }
  std::stable_sort(records.begin(), records.end(),
                   [](const RowRecord& a, const RowRecord& b) { return a.rect.left < b.rect.left; });
  const size_t n = records.size();
  // Push right what overlaps a bar that came earlier or was pushed itself.
  for (size_t i = 0; i < n; ++i) {
    RowRecord& record = records[i];
    if (record.rect.left < 0) {
      record.rect.OffsetRect(-record.rect.left, 0);
      record.moved = TRUE;
    }
    if (i == 0) continue;
    const RowRecord& before = records[i - 1];
    if (record.rect.left < before.rect.right && (before.order < record.order || before.moved)) {
      record.rect.OffsetRect(before.rect.right - record.rect.left, 0);
      record.moved = TRUE;
    }
  }
  // Pull left what passes the row end.
  for (auto& record : records) record.moved = FALSE;
  int limit = length;
  for (size_t i = n; i-- > 0;) {
    RowRecord& record = records[i];
    const BOOL pull = i == n - 1 || records[i + 1].order < record.order || records[i + 1].moved;
    if (record.rect.right > limit && pull) {
      record.rect.OffsetRect(limit - record.rect.right, 0);
      record.moved = TRUE;
    }
    limit = record.rect.left;
  }
  // Pulling may have moved the first bar past the row start.
  if (n > 0 && records[0].rect.left < 0) records[0].rect.OffsetRect(-records[0].rect.left, 0);
  for (size_t i = 1; i < n; ++i)
    if (records[i].rect.left < records[i - 1].rect.right)
      records[i].rect.OffsetRect(records[i - 1].rect.right - records[i].rect.left, 0);
  if (n == 0 || records[n - 1].rect.right <= length) return TRUE;

  // Shrink from the end; bars that may hide buttons go down to their
  // smallest size, the others need the whole row.
  int before = 0;
  for (auto& record : records) {
    if ((record.flags & kLayoutHideWrapped) != 0) {
      const CSize smallest = record.bar->CalcDockedSize(1, record.flags);
      record.minExtent = horizontal ? smallest.cx : smallest.cy;
    } else {
      record.minExtent = length;
    }
    record.minBefore = before;
    before += record.minExtent;
  }
  limit = length;
  for (size_t i = n; i-- > 0;) {
    RowRecord& record = records[i];
    const int oldRight = record.rect.right;
    record.rect.right = limit;
    int left = std::max(std::min(record.rect.left, record.first.left), record.rect.left + (limit - oldRight));
    left = std::max(left, record.minBefore);
    left = std::min(left, limit - record.minExtent);
    record.rect.left = left;
    if ((record.rect.Width() < record.minExtent || record.rect.left < record.minBefore) && n > 1) {
      wrap = records[n - 1].bar;
      return FALSE;
    }
    limit = std::max(static_cast<int>(record.rect.left), 0);
  }
  return TRUE;
}

int CTkDockBar::PlaceRow(std::vector<RowRecord>& records, int offset, int length, HDWP& deferral) {
  const BOOL horizontal = IsHorizontal();
  int thickness = 0;
  for (auto& record : records) {
    const CSize size = record.bar->CalcDockedSize(record.rect.Width(), record.flags);
    thickness = std::max(thickness, static_cast<int>(horizontal ? size.cy : size.cx));
  }
  const int position = GetPosition();
  for (size_t i = 0; i < records.size(); ++i) {
    RowRecord& record = records[i];
    CTkToolBar* bar = record.bar;
    int start = record.rect.left;
    int extent = record.rect.Width();
    DWORD flags = record.flags | kLayoutCommit;
    if ((bar->GetDockFlags() & kDockFill) != 0) {
      start = i > 0 ? records[i - 1].rect.right : 0;
      extent = (i + 1 < records.size() ? records[i + 1].rect.left : length) - start;
      flags |= kLayoutStretch;
    }
    bar->SetPosition(position);
    const CSize size = bar->CalcDockedSize(extent, flags);
    const int along = std::min(extent, static_cast<int>(horizontal ? size.cx : size.cy));
    const CRect place = horizontal ? CRect(start, offset, start + along, offset + thickness)
                                   : CRect(offset, start, offset + thickness, start + along);
    if (bar->GetSafeHwnd() != nullptr) {
      if (deferral != nullptr)
        deferral = ::DeferWindowPos(deferral, bar->m_hWnd, nullptr, place.left, place.top, place.Width(),
                                    place.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
      else
        bar->SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
      bar->Invalidate(FALSE);
    }
    if (CTkBarDragTracker* tracker = bar->GetDragTracker()) tracker->SetLastDockPosition(position);
  }
  return thickness;
}

int CTkDockBar::LayoutRowWrapping(const std::vector<CTkToolBar*>& bars, int offset, int length, HDWP& deferral) {
  std::vector<CTkToolBar*> current = bars;
  int total = 0;
  while (!current.empty()) {
    std::vector<CTkToolBar*> overflow;
    std::vector<RowRecord> records;
    for (;;) {
      records.clear();
      for (CTkToolBar* bar : current) records.push_back(RowRecord{bar, {}, {}, 0, 0, 0, RowLayoutFlags(bar), FALSE});
      CTkToolBar* wrap = nullptr;
      if (LayoutRow(records, offset + total, length, wrap) || wrap == nullptr) break;
      // The wrapped bar opens the next row for this pass only.
      current.erase(std::find(current.begin(), current.end(), wrap));
      overflow.insert(overflow.begin(), wrap);
    }
    total += PlaceRow(records, offset + total, length, deferral);
    current.swap(overflow);
  }
  return total;
}

CSize CTkDockBar::CalcDockBarSize(int length, DWORD flags, AFX_SIZEPARENTPARAMS* layout) {
  const BOOL horizontal = IsHorizontal();
  CSize size(0, 0);
  if ((flags & kLayoutStretch) != 0) {
    if (horizontal)
      size.cx = 32767;
    else
      size.cy = 32767;
  }
  HDWP deferral = nullptr;
  if (layout != nullptr && layout->hDWP != nullptr) deferral = ::BeginDeferWindowPos(GetEntryCount());
  int offset = 0;
  std::vector<CTkToolBar*> bars;
  for (int i = 1; i < GetEntryCount(); ++i) {
    if (m_bars[static_cast<size_t>(i)] != nullptr) continue;
    // The entry before a row end closes a row; empty rows give no bars.
    GetRowBars(i - 1, bars);
    if (bars.empty()) continue;
    offset += LayoutRowWrapping(bars, offset, length, deferral);
    if (horizontal)
      size.cy = std::max(static_cast<int>(size.cy), offset);
    else
      size.cx = std::max(static_cast<int>(size.cx), offset);
  }
  if (deferral != nullptr) ::EndDeferWindowPos(deferral);
  return size;
}

LRESULT CTkDockBar::OnSizeParent(WPARAM, LPARAM lParam) {
  auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  if ((GetStyle() & WS_VISIBLE) == 0) return 0;
  const BOOL horizontal = IsHorizontal();
  DWORD flags = horizontal ? (kLayoutHorizontal | kLayoutHorzDock) : kLayoutVertical;
  if (layout->bStretch) flags |= kLayoutStretch;
  CRect rect(layout->rect);
  CSize size = CalcDockBarSize(horizontal ? rect.Width() : rect.Height(), flags, layout);
  size.cx = std::min(static_cast<int>(size.cx), rect.Width());
  size.cy = std::min(static_cast<int>(size.cy), rect.Height());
  const int position = GetPosition();
  if (horizontal) {
    layout->sizeTotal.cy += size.cy;
    layout->sizeTotal.cx = std::max(static_cast<int>(layout->sizeTotal.cx), static_cast<int>(size.cx));
    if (position == kBarTop) {
      layout->rect.top += size.cy;
    } else {
      rect.top = rect.bottom - size.cy;
      layout->rect.bottom -= size.cy;
    }
  } else {
    layout->sizeTotal.cx += size.cx;
    layout->sizeTotal.cy = std::max(static_cast<int>(layout->sizeTotal.cy), static_cast<int>(size.cy));
    if (position == kBarLeft) {
      layout->rect.left += size.cx;
    } else {
      rect.left = rect.right - size.cx;
      layout->rect.right -= size.cx;
    }
  }
  rect.right = rect.left + size.cx;
  rect.bottom = rect.top + size.cy;
  if (layout->hDWP != nullptr) AfxRepositionWindow(layout, m_hWnd, &rect);
  Invalidate(FALSE);
  return 0;
}

void CTkDockBar::OnPaint() {
  CPaintDC paint(this);
  CTkBarPainter* painter = m_pCommandBars != nullptr ? m_pCommandBars->GetPainterOrCurrent() : GetCurrentBarPainter();
  if (painter != nullptr) {
    painter->FillDockBar(&paint, this);
  } else {
    CRect client;
    GetClientRect(&client);
    paint.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
  }
}

LRESULT CTkDockBar::OnPrint(WPARAM wParam, LPARAM lParam) {
  HDC hDC = reinterpret_cast<HDC>(wParam);
  if (hDC == nullptr) return 0;
  CDC* dc = CDC::FromHandle(hDC);
  CTkBarPainter* painter = m_pCommandBars != nullptr ? m_pCommandBars->GetPainterOrCurrent() : GetCurrentBarPainter();
  if (painter != nullptr) painter->FillDockBar(dc, this);
  if ((lParam & PRF_CHILDREN) == 0) return 0;
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(child)) continue;
    CRect rect;
    ::GetWindowRect(child, &rect);
    ScreenToClient(&rect);
    POINT origin;
    ::OffsetViewportOrgEx(hDC, rect.left, rect.top, &origin);
    ::SendMessageW(child, WM_PRINT, wParam, lParam);
    ::SetViewportOrgEx(hDC, origin.x, origin.y, nullptr);
  }
  return 0;
}

void CTkDockBar::OnRButtonDown(UINT, CPoint point) {
  if (m_pCommandBars == nullptr) return;
  ClientToScreen(&point);
  m_pCommandBars->ShowToolbarsContextMenu(0, point.x, point.y);
}

void CTkDockBar::InsertEntry(int index, CTkToolBar* bar) {
  if (index < 0 || index > GetEntryCount()) index = GetEntryCount();
  m_bars.insert(m_bars.begin() + index, bar);
}

void CTkDockBar::RemoveEmptyRows() {
  for (size_t i = 1; i < m_bars.size();) {
    if (m_bars[i] == nullptr && m_bars[i - 1] == nullptr)
      m_bars.erase(m_bars.begin() + static_cast<std::ptrdiff_t>(i));
    else
      ++i;
  }
}
