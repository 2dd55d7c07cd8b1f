#include "results_dialog_skin.h"

CResultsDialogSkin::~CResultsDialogSkin() {
  if (m_brush != nullptr) ::DeleteObject(m_brush);
  if (m_bitmap != nullptr) ::DeleteObject(m_bitmap);
}

BOOL CResultsDialogSkin::Load(UINT bitmapId) {
  if (m_bitmap != nullptr) return TRUE;
  m_bitmap = static_cast<HBITMAP>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0,
                                               0, LR_CREATEDIBSECTION));
  if (m_bitmap == nullptr) return FALSE;
  BITMAP info = {};
  ::GetObjectW(m_bitmap, sizeof info, &info);
  m_size = {info.bmWidth, info.bmHeight};
  m_brush = ::CreatePatternBrush(m_bitmap);
  return TRUE;
}

BOOL CResultsDialogSkin::Erase(CDC* pDC, CWnd* dialog) {
  if (m_bitmap == nullptr || m_size.cx <= 0 || m_size.cy <= 0) return FALSE;
  CRect client;
  dialog->GetClientRect(&client);
  CDC picture;
  if (!picture.CreateCompatibleDC(pDC)) return FALSE;
  HGDIOBJ old = ::SelectObject(picture.m_hDC, m_bitmap);
  pDC->BitBlt(0, 0, m_size.cx, m_size.cy, &picture, 0, 0, SRCCOPY);
  const int oldMode = pDC->SetStretchBltMode(COLORONCOLOR);
  if (client.right > m_size.cx)
    pDC->StretchBlt(m_size.cx, 0, client.right - m_size.cx, m_size.cy, &picture, m_size.cx - 1, 0, 1, m_size.cy,
                    SRCCOPY);
  if (client.bottom > m_size.cy)
    pDC->StretchBlt(0, m_size.cy, client.right, client.bottom - m_size.cy, &picture, 0, m_size.cy - 1,
                    m_size.cx, 1, SRCCOPY);
  pDC->SetStretchBltMode(oldMode);
  ::SelectObject(picture.m_hDC, old);
  return TRUE;
}

HBRUSH CResultsDialogSkin::ControlBrush(CDC* pDC, CWnd* dialog, CWnd* control, UINT kind) {
  if (m_brush == nullptr || kind != CTLCOLOR_STATIC || control == nullptr) return nullptr;
  // Read-only edits come here too: they keep their own colours.
  wchar_t className[16] = {};
  ::GetClassNameW(control->m_hWnd, className, 16);
  if (_wcsicmp(className, L"Edit") == 0) return nullptr;
  CRect place;
  control->GetWindowRect(&place);
  dialog->ScreenToClient(&place);
  // The brush's pattern lines up with the picture behind the dialog.
  ::SetBrushOrgEx(pDC->m_hDC, -place.left, -place.top, nullptr);
  ::UnrealizeObject(m_brush);
  pDC->SetBkMode(TRANSPARENT);
  return m_brush;
}
