// The navigate buttons at the end of a strip: placement, the held-button
// loop and their glyphs.
#include "draw_helpers.h"
#include "tab_painter.h"
#include "tab_palette.h"
#include "tab_set.h"
#include "tab_shape.h"

namespace {

const DWORD kRepeatInterval = 20;

BOOL IsShownByMode(const CTkTabScrollButton* button) {
  return button->m_displayMode == CTkTabScrollButton::kAlwaysShown ||
         (button->m_displayMode == CTkTabScrollButton::kShownWhenNeeded &&
          button->m_pOwner->IsNavigateButtonVisible(button));
}

int LengthOf(const RECT& rc, BOOL horizontal) { return horizontal ? rc.right - rc.left : rc.bottom - rc.top; }

void DrawGlyphTriangle(CDC* pDC, const POINT points[3], BOOL enabled) {
  CTkPenSelector pen(pDC->GetSafeHdc(), pDC->GetTextColor());
  if (enabled) {
    CTkBrushSelector brush(pDC->GetSafeHdc(), pDC->GetTextColor());
    pDC->Polygon(points, 3);
  } else {
    CTkObjectSelector brush(pDC->GetSafeHdc(), ::GetStockObject(NULL_BRUSH));
    pDC->Polygon(points, 3);
  }
}

}  // namespace

BOOL CTkTabScrollButton::IsHorizontal() const { return m_pOwner->IsHorizontal(); }

void CTkTabScrollButton::AdjustLength(int* length) {
  if (IsShownByMode(this)) *length -= IsHorizontal() ? m_width : m_height;
}

void CTkTabScrollButton::PlaceAtEnd(RECT* rc) {
  if (IsHorizontal()) {
    int middle = (rc->top + rc->bottom) / 2;
    m_rect.right = rc->right;
    m_rect.left = m_rect.right - m_width;
    m_rect.top = middle + m_height / 2 - m_height;
    m_rect.bottom = m_rect.top + m_height;
    rc->right = m_rect.left;
  } else {
    int middle = (rc->left + rc->right) / 2;
    m_rect.bottom = rc->bottom;
    m_rect.top = m_rect.bottom - m_height;
    m_rect.left = middle - m_width / 2;
    m_rect.right = m_rect.left + m_width;
    rc->bottom = m_rect.top;
  }
}

void CTkTabScrollButton::PlaceButton(RECT* rc) {
  if (IsShownByMode(this))
    PlaceAtEnd(rc);
  else
    m_rect.SetRectEmpty();
}

void CTkTabScrollButton::PlaceArrow(RECT* rc, BOOL enabled) {
  m_bEnabled = enabled;
  CTkTabPainter* painter = m_pOwner->GetPainter();
  int layout = painter->GetLayout();
  BOOL hidden = FALSE;
  if (layout == kTabLayoutMultiRow) {
    hidden = TRUE;
  } else if (m_displayMode == kShownWhenNeeded) {
    if (layout == kTabLayoutSizeToFit) {
      hidden = TRUE;
    } else {
      int leading = painter->GetAppearance()->GetHeaderMargin().left;
      int needed = m_pOwner->GetTabsLength() + m_pOwner->m_scrollOffset - leading - 1;
      hidden = !(needed > LengthOf(*rc, IsHorizontal()) || m_pOwner->m_scrollOffset < 0);
    }
  }
  if (hidden)
    m_rect.SetRectEmpty();
  else
    CTkTabScrollButton::PlaceButton(rc);
}

void CTkTabScrollButton::PerformClick(HWND hWnd, int x, int y) {
  if (::GetCapture() != nullptr || !m_bEnabled) return;
  ::SetCapture(hWnd);
  DWORD tick = ::GetTickCount();
  CPoint point(x, y);
  BOOL released = FALSE;
  MSG msg;
  for (;;) {
    if (m_bEnabled && ::GetTickCount() - tick > kRepeatInterval) {
      tick = ::GetTickCount();
      OnExecute(TRUE);
    }
    BOOL inside = m_rect.PtInRect(point);
    if (inside != m_bPressed) {
      m_bPressed = inside;
      m_pOwner->RedrawControl();
    }
    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      // Sleep until input arrives or the next step is due.
      DWORD elapsed = ::GetTickCount() - tick;
      DWORD wait = elapsed > kRepeatInterval ? 0 : kRepeatInterval + 1 - elapsed;
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
      continue;
    }
    if (!::GetMessageW(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (::GetCapture() != hWnd) {
      ::DispatchMessageW(&msg);
      break;
    }
    if (msg.message == WM_MOUSEMOVE) {
      point = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
      if (msg.hwnd != hWnd) {
        ::MapWindowPoints(msg.hwnd, hWnd, &point, 1);
      }
      continue;
    }
    if (msg.message == WM_LBUTTONUP) {
      released = m_bPressed;
      break;
    }
    if (msg.message == WM_CANCELMODE || msg.message == WM_RBUTTONDOWN) break;
    if (msg.message == WM_KEYDOWN) {
      if (msg.wParam == VK_ESCAPE) break;
      continue;
    }
    ::DispatchMessageW(&msg);
  }
  if (::GetCapture() == hWnd) ::ReleaseCapture();
  m_bPressed = FALSE;
  UpdateHover(hWnd, point.x, point.y);
  m_pOwner->RedrawControl();
  if (released) OnExecute(FALSE);
}

void CTkTabScrollButton::UpdateHover(HWND hWnd, int x, int y) {
  BOOL inside = m_rect.PtInRect(CPoint(x, y));
  if (!inside && m_bHot) {
    m_bHot = FALSE;
    m_pOwner->RedrawControl();
  } else if (inside && !m_bHot && m_bEnabled) {
    m_bHot = TRUE;
    m_pOwner->RedrawControl();
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, hWnd, 0};
    ::TrackMouseEvent(&track);
  }
}

void CTkTabScrollButton::Draw(CDC* pDC) {
  if (m_rect.IsRectEmpty()) return;
  CRect rc = m_rect;
  m_pOwner->GetPainter()->GetColorSet()->DrawNavigateButtonFace(pDC, this, &rc);
  DrawGlyph(pDC, rc);
}

void CTkTabBackButton::AdjustLength(int* length) {
  if (m_displayMode == kAlwaysShown) *length -= IsHorizontal() ? m_width : m_height;
}

void CTkTabBackButton::PlaceButton(RECT* rc) { PlaceArrow(rc, m_pOwner->m_scrollOffset < 0); }

void CTkTabBackButton::DrawGlyph(CDC* pDC, const CRect& rc) {
  int cx = (rc.left + rc.right) / 2, cy = (rc.top + rc.bottom) / 2;
  if (IsHorizontal()) {
    POINT points[3] = {{cx + 2, cy - 5}, {cx - 2, cy - 1}, {cx + 2, cy + 3}};
    DrawGlyphTriangle(pDC, points, m_bEnabled);
  } else {
    POINT points[3] = {{cx - 5, cy + 2}, {cx - 1, cy - 2}, {cx + 3, cy + 2}};
    DrawGlyphTriangle(pDC, points, m_bEnabled);
  }
}

void CTkTabBackButton::OnExecute(BOOL repeat) {
  if (repeat) m_pOwner->ScrollTabs(FALSE);
}

void CTkTabForwardButton::AdjustLength(int* length) {
  if (m_displayMode == kAlwaysShown) *length -= IsHorizontal() ? m_width : m_height;
}

void CTkTabForwardButton::PlaceButton(RECT* rc) {
  int available = LengthOf(*rc, IsHorizontal());
  PlaceArrow(rc, m_pOwner->GetTabsLength() + m_pOwner->m_scrollOffset > available - 28);
}

void CTkTabForwardButton::DrawGlyph(CDC* pDC, const CRect& rc) {
  int cx = (rc.left + rc.right) / 2, cy = (rc.top + rc.bottom) / 2;
  if (IsHorizontal()) {
    POINT points[3] = {{cx - 2, cy - 5}, {cx + 2, cy - 1}, {cx - 2, cy + 3}};
    DrawGlyphTriangle(pDC, points, m_bEnabled);
  } else {
    POINT points[3] = {{cx - 5, cy - 2}, {cx - 1, cy + 2}, {cx + 3, cy - 2}};
    DrawGlyphTriangle(pDC, points, m_bEnabled);
  }
}

void CTkTabForwardButton::OnExecute(BOOL repeat) {
  if (repeat) m_pOwner->ScrollTabs(TRUE);
}

void CTkTabCloseButton::DrawGlyph(CDC* pDC, const CRect& rc) {
  CTkPenSelector pen(pDC->GetSafeHdc(), pDC->GetTextColor());
  int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
  pDC->MoveTo(l + 3, t + 3);
  pDC->LineTo(r - 4, b - 5);
  pDC->MoveTo(l + 4, t + 3);
  pDC->LineTo(r - 3, b - 5);
  pDC->MoveTo(l + 3, b - 6);
  pDC->LineTo(r - 4, t + 2);
  pDC->MoveTo(l + 4, b - 6);
  pDC->LineTo(r - 3, t + 2);
}

void CTkTabCloseButton::OnExecute(BOOL repeat) {
  if (!repeat) m_pOwner->OnNavigateButtonClick(kClose);
}
