#include "picture_button.h"

#include <algorithm>

#include "controls_resources.h"

namespace {

HCURSOR LoadHandCursor(UINT nId) {
  LPCWSTR name = MAKEINTRESOURCEW(nId);
  return ::LoadCursorW(AfxFindResourceHandle(name, RT_GROUP_CURSOR), name);
}

HBITMAP LoadMappedBitmap(UINT nId) {
  return static_cast<HBITMAP>(::LoadImageW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(LOWORD(nId)), IMAGE_BITMAP, 0,
                                           0, LR_LOADMAP3DCOLORS));
}

}  // namespace

BEGIN_MESSAGE_MAP(CPictureButton, CBitmapButton)
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
  ON_WM_MOUSEHOVER()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CPictureButton::CPictureButton()
    : m_hHoverCursor(LoadHandCursor(IDC_POINTING_HAND)), m_hPressCursor(LoadHandCursor(IDC_PRESSING_HAND)) {}

BOOL CPictureButton::SetStateBitmaps(UINT nNormalId, UINT nHoverId) {
  m_normal.DeleteObject();
  m_hover.DeleteObject();
  m_normal.Attach(LoadMappedBitmap(nNormalId));
  m_hover.Attach(LoadMappedBitmap(nHoverId));
  BITMAP bm = {};
  m_nWidth = m_nHeight = 0;
  if (m_normal.GetSafeHandle() != nullptr && m_normal.GetBitmap(&bm) != 0) {
    m_nWidth = bm.bmWidth;
    m_nHeight = bm.bmHeight;
  }
  SetWindowPos(nullptr, 0, 0, m_nWidth, m_nHeight, SWP_NOMOVE | SWP_NOOWNERZORDER);
  return TRUE;
}

void CPictureButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  bool pushed = (lpDIS->itemState & ODS_SELECTED) != 0;
  CBitmap* picture = (pushed || m_bHovering) && m_hover.GetSafeHandle() != nullptr ? &m_hover : &m_normal;
  BITMAP bm = {};
  if (picture->GetSafeHandle() == nullptr || picture->GetBitmap(&bm) == 0) return;
  HDC hMemDC = ::CreateCompatibleDC(lpDIS->hDC);
  if (hMemDC == nullptr) return;
  HGDIOBJ old = ::SelectObject(hMemDC, picture->GetSafeHandle());
  ::BitBlt(lpDIS->hDC, 0, 0, std::min<int>(m_nWidth, bm.bmWidth), std::min<int>(m_nHeight, bm.bmHeight), hMemDC, 0,
           0, SRCCOPY);
  ::SelectObject(hMemDC, old);
  ::DeleteDC(hMemDC);
}

void CPictureButton::OnLButtonDown(UINT, CPoint) {
  ::SetCursor(m_hPressCursor);
  Default();
}

void CPictureButton::OnMouseMove(UINT, CPoint point) {
  // Hover and leave are asked for once per entry; the hover comes after
  // a millisecond of rest.
  if (!m_bTracking) {
    TRACKMOUSEEVENT track = {sizeof track, TME_HOVER | TME_LEAVE, m_hWnd, 1};
    m_bTracking = ::_TrackMouseEvent(&track);
  }
  Default();
  ClientToScreen(&point);
  if (::WindowFromPoint(point) != m_hWnd || ::GetActiveWindow() == nullptr) return;
  ::SetCursor(m_hHoverCursor);
  OnPointerOver();
}

void CPictureButton::OnMouseLeave() {
  m_bTracking = FALSE;
  OnPointerLeft();
  m_bHovering = FALSE;
  Invalidate(TRUE);
}

void CPictureButton::OnMouseHover(UINT, CPoint) {
  m_bHovering = TRUE;
  Invalidate(TRUE);
}

BOOL CPictureButton::OnEraseBkgnd(CDC*) { return FALSE; }
