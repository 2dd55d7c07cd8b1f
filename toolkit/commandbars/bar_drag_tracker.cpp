#include "bar_drag_tracker.h"

#include <algorithm>

#include "command_bars.h"
#include "dialog_bar.h"
#include "dock_bar.h"
#include "draw_helpers.h"
#include "tool_bar.h"
#include "window_hooks.h"

namespace {
// The layout of a floating bar at its last width: horizontal, MRU width,
// commit.
const DWORD kFloatingLayout = 0x46;
const DWORD kResizeByWidth = 0x42;
const DWORD kResizeByHeight = 0x62;
const int kPaintsPerEvent = 256;

// The dock flag a dock bar's side needs.
DWORD SideFlag(int position) {
  switch (position) {
    case kBarTop:
      return kDockTop;
    case kBarBottom:
      return kDockBottom;
    case kBarLeft:
      return kDockLeft;
    case kBarRight:
      return kDockRight;
    default:
      return 0;
  }
}

BOOL IntersectsWorkArea(const CRect& rect, HWND window) {
  const CRect work = FindWorkAreaOfWindow(window);
  CRect common;
  return common.IntersectRect(&rect, &work);
}
}  // namespace

void MoveRectToContainPoint(CRect& rect, int x, int y) {
  if (x < rect.left)
    rect.OffsetRect(x - rect.left, 0);
  else if (x > rect.right)
    rect.OffsetRect(x - rect.right, 0);
  if (y < rect.top)
    rect.OffsetRect(0, y - rect.top);
  else if (y > rect.bottom)
    rect.OffsetRect(0, y - rect.bottom);
}

void CTkBarDragTracker::MarkOptionsDirty() {
  if (CTkCommandBars* commandBars = m_pBar->GetCommandBars()) commandBars->GetCommandBarsOptions()->bDirty = TRUE;
}

void CTkBarDragTracker::StartDrag(int x, int y) {
  m_nMode = kModeMove;
  const int savedPosition = m_nLastDockPosition;
  const CRect savedRect = m_rcLastDocked;
  const BOOL wasFloating = m_pBar->IsFloating();
  CRect rect;
  m_pBar->GetWindowRect(&rect);
  MoveRectToContainPoint(rect, x, y);
  m_rcDrag = rect;
  m_rcFloating = rect;
  m_ptLast = CPoint(x, y);
  ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));

  CTkCommandBars* commandBars = m_pBar->GetCommandBars();
  CTkMouseTracker* mouse = commandBars != nullptr ? commandBars->GetMouseTracker() : GetMouseTracker();
  ++mouse->m_suppressCount;
  TrackLoop();
  --mouse->m_suppressCount;
  m_nMode = kModeNone;

  if (!m_pBar->IsFloating()) return;
  m_ptLastFloating = m_rcFloating.TopLeft();
  // Passing over dock bars on the way out rewrote the docking memory; a
  // later toggle goes back to where the bar was docked before the drag.
  if (!wasFloating) {
    m_nLastDockPosition = savedPosition;
    m_rcLastDocked = savedRect;
  }
}

void CTkBarDragTracker::StartResize(int hit, int x, int y) {
  m_nMode = hit;
  m_ptLast = CPoint(x, y);
  m_pBar->GetWindowRect(&m_rcFloating);
  TrackLoop();
  m_nMode = kModeNone;
  if (m_pBar->GetSafeHwnd() == nullptr) return;
  CRect window;
  m_pBar->GetWindowRect(&window);
  m_pBar->SetMRUWidth(window.Width());
  if (m_pBar->IsFloating()) m_ptLastFloating = window.TopLeft();
}

void CTkBarDragTracker::TrackLoop() {
  if (::GetCapture() != nullptr || m_pBar->GetSafeHwnd() == nullptr) return;
  CTkCommandBars* commandBars = m_pBar->GetCommandBars();
  const HWND bar = m_pBar->GetSafeHwnd();
  ::SetCapture(bar);
  while (::GetCapture() == bar) {
    MSG msg;
    // Bars moved by the last event show where they are before the next. A
    // window that never validates itself must not keep the loop from the
    // mouse: a bounded number of paints per event.
    for (int paints = 0; paints < kPaintsPerEvent && ::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE);
         ++paints)
      ::DispatchMessageW(&msg);
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    if (msg.message == WM_LBUTTONUP) break;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) break;
    if (msg.message == WM_MOUSEMOVE) {
      CPoint point(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
      ::ClientToScreen(msg.hwnd != nullptr ? msg.hwnd : bar, &point);
      if (point != m_ptLast) {
        if (m_nMode == kModeMove)
          MoveTo(point);
        else if (m_pBar->QueryDialogBar())
          ResizeDialogBarTo(point);
        else
          ResizeToolBarTo(point);
        if (commandBars != nullptr) commandBars->FlushDelayedLayout();
        continue;
      }
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    if (commandBars != nullptr) commandBars->FlushDelayedLayout();
  }
  if (::GetCapture() == bar) ::ReleaseCapture();
  MarkOptionsDirty();
}

void CTkBarDragTracker::MoveTo(CPoint point) {
  const CSize offset = point - m_ptLast;
  m_rcDrag.OffsetRect(offset);
  m_rcFloating.OffsetRect(offset);
  CTkCommandBars* commandBars = m_pBar->GetCommandBars();
  if (commandBars == nullptr) return;
  const DWORD flags = m_pBar->GetDockFlags();
  CTkDockBar* current = m_pBar->GetDockBar();
  CTkDockBar* candidate = commandBars->CanDock(point, current);
  if (candidate != nullptr && (flags & SideFlag(candidate->GetPosition())) != 0) {
    const BOOL wasFloating = m_pBar->IsFloating();
    commandBars->DockCommandBar(m_pBar, &m_rcDrag, candidate);
    if (candidate != current || wasFloating) {
      commandBars->RecalcFrameLayout(FALSE);
      m_pBar->GetWindowRect(&m_rcDrag);
    }
  } else if ((flags & kDockFloating) != 0) {
    if (!m_pBar->IsFloating()) commandBars->FloatCommandBar(m_pBar);
    const CSize size = m_pBar->CalcBarSize(0, kFloatingLayout);
    m_rcFloating = CRect(m_rcFloating.TopLeft(), size);
    MoveRectToContainPoint(m_rcFloating, point.x, point.y);
    m_pBar->SetWindowPos(nullptr, m_rcFloating.left, m_rcFloating.top, m_rcFloating.Width(), m_rcFloating.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE);
  }
  m_ptLast = point;
}

void CTkBarDragTracker::ResizeToolBarTo(CPoint point) {
  const int dx = point.x - m_ptLast.x;
  const int dy = point.y - m_ptLast.y;
  CRect rect = m_rcFloating;
  int length = 0;
  DWORD flags = kResizeByHeight;
  switch (m_nMode) {
    case HTLEFT:
      rect.left += dx;
      length = rect.Width();
      flags = kResizeByWidth;
      break;
    case HTRIGHT:
      rect.right += dx;
      length = rect.Width();
      flags = kResizeByWidth;
      break;
    case HTTOP:
      rect.top += dy;
      length = rect.Height();
      break;
    default:
      rect.bottom += dy;
      length = rect.Height();
      break;
  }
  const CSize size = m_pBar->CalcBarSize(std::max(length, 0), flags);
  if (size == m_rcFloating.Size()) return;
  // The edge opposite the dragged one stays.
  const CRect& old = m_rcFloating;
  switch (m_nMode) {
    case HTLEFT:
      rect = CRect(old.right - size.cx, old.top, old.right, old.top + size.cy);
      break;
    case HTTOP:
      rect = CRect(old.left, old.bottom - size.cy, old.left + size.cx, old.bottom);
      break;
    default:
      rect = CRect(old.TopLeft(), size);
      break;
  }
  if (!IntersectsWorkArea(rect, m_pBar->GetSafeHwnd())) return;
  m_rcFloating = rect;
  m_ptLast = point;
  m_pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  m_pBar->Invalidate(FALSE);
}

void CTkBarDragTracker::ResizeDialogBarTo(CPoint point) {
  const int dx = point.x - m_ptLast.x;
  const int dy = point.y - m_ptLast.y;
  CRect rect = m_rcFloating;
  if (m_nMode == HTLEFT || m_nMode == HTTOPLEFT || m_nMode == HTBOTTOMLEFT) rect.left += dx;
  if (m_nMode == HTRIGHT || m_nMode == HTTOPRIGHT || m_nMode == HTBOTTOMRIGHT) rect.right += dx;
  if (m_nMode >= HTTOP && m_nMode <= HTTOPRIGHT) rect.top += dy;
  if (m_nMode >= HTBOTTOM && m_nMode <= HTBOTTOMRIGHT) rect.bottom += dy;
  if (rect.Size() == m_rcFloating.Size()) return;
  if (!IntersectsWorkArea(rect, m_pBar->GetSafeHwnd())) return;
  auto* dialogBar = static_cast<CTkDialogBar*>(m_pBar);
  if (!dialogBar->ResizeFromTracker(rect, m_nMode)) return;
  // A docked bar is placed by its dock bar: follow where it went.
  if (dialogBar->IsFloating())
    m_rcFloating = rect;
  else
    dialogBar->GetWindowRect(&m_rcFloating);
  m_ptLast = point;
}

BOOL CTkBarDragTracker::ToggleDocking() {
  CTkCommandBars* commandBars = m_pBar->GetCommandBars();
  if (commandBars == nullptr) return FALSE;
  const DWORD flags = m_pBar->GetDockFlags();
  if (m_pBar->IsFloating() && (flags & (kDockTop | kDockBottom | kDockLeft | kDockRight)) != 0) {
    CTkDockBar* dockBar = commandBars->GetDockBar(m_nLastDockPosition);
    if (dockBar == nullptr) return FALSE;
    CRect rect = m_rcLastDocked;
    const BOOL place = !rect.IsRectEmpty();
    dockBar->ClientToScreen(&rect);
    commandBars->DockCommandBar(m_pBar, place ? &rect : nullptr, dockBar);
    commandBars->RecalcFrameLayout(FALSE);
  } else if (!m_pBar->IsFloating() && (flags & kDockFloating) != 0 &&
             commandBars->GetCommandBarsOptions()->bDblClickFloat) {
    CPoint origin = m_ptLastFloating;
    if (origin.x <= 0 || origin.y <= 0) {
      origin = m_rcLastDocked.TopLeft();
      if (CTkDockBar* dockBar = m_pBar->GetDockBar()) dockBar->ClientToScreen(&origin);
    }
    if (!commandBars->FloatCommandBar(m_pBar)) return FALSE;
    const CSize size = m_pBar->CalcBarSize(0, kFloatingLayout);
    m_pBar->SetWindowPos(nullptr, origin.x, origin.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    return FALSE;
  }
  MarkOptionsDirty();
  return TRUE;
}
