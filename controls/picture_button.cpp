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

PictureButtonParts::PictureButtonParts()
    : m_hHoverCursor(LoadHandCursor(IDC_POINTING_HAND)), m_hPressCursor(LoadHandCursor(IDC_PRESSING_HAND)) {}

BOOL PictureButtonParts::SetStateBitmaps(CWnd* pButton, UINT nNormalId, UINT nHoverId) {
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
  pButton->SetWindowPos(nullptr, 0, 0, m_nWidth, m_nHeight, SWP_NOMOVE | SWP_NOOWNERZORDER);
  return TRUE;
}

void PictureButtonParts::Draw(LPDRAWITEMSTRUCT lpDIS) {
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

void PictureButtonParts::ArmTracking(CWnd* pButton) {
  if (m_bTracking) return;
  TRACKMOUSEEVENT track = {sizeof track, TME_HOVER | TME_LEAVE, pButton->m_hWnd, 1};
  m_bTracking = ::_TrackMouseEvent(&track);
}

BOOL PictureButtonParts::SetHoverCursorIfOver(CWnd* pButton, CPoint point) {
  pButton->ClientToScreen(&point);
  if (::WindowFromPoint(point) != pButton->m_hWnd || ::GetActiveWindow() == nullptr) return FALSE;
  ::SetCursor(m_hHoverCursor);
  return TRUE;
}

void PictureButtonParts::SetPressCursor() const { ::SetCursor(m_hPressCursor); }

void PictureButtonParts::OnHover(CWnd* pButton) {
  m_bHovering = TRUE;
  pButton->Invalidate(TRUE);
}

void PictureButtonParts::OnLeave(CWnd* pButton) {
  m_bTracking = FALSE;
  m_bHovering = FALSE;
  pButton->Invalidate(TRUE);
}
