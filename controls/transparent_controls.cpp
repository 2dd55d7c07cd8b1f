#include "transparent_controls.h"

IMPLEMENT_DYNAMIC(CTransparentStatic, CStatic)

namespace {

const DWORD kClipStyles = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

// The parent repaints its background under the control before the new
// text draws, so nothing of a longer old text remains.
LRESULT SetTextOverParent(CWnd* pControl) {
  LRESULT result = pControl->Default();
  CWnd* pParent = pControl->GetParent();
  if (pParent != nullptr) {
    CRect rect;
    pControl->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    pParent->InvalidateRect(&rect, TRUE);
    pParent->UpdateWindow();
  }
  return result;
}

HBRUSH TransparentColors(CDC* pDC) {
  pDC->SetBkMode(TRANSPARENT);
  return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

}  // namespace

BEGIN_MESSAGE_MAP(CTransparentStatic, CStatic)
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

LRESULT CTransparentStatic::OnSetText(WPARAM, LPARAM) { return SetTextOverParent(this); }

HBRUSH CTransparentStatic::CtlColor(CDC* pDC, UINT) { return TransparentColors(pDC); }

BEGIN_MESSAGE_MAP(CTransparentButton, CButton)
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

LRESULT CTransparentButton::OnSetText(WPARAM, LPARAM) { return SetTextOverParent(this); }

HBRUSH CTransparentButton::CtlColor(CDC* pDC, UINT) { return TransparentColors(pDC); }

BEGIN_MESSAGE_MAP(CClipDialog, CDialog)
  ON_WM_MOVE()
END_MESSAGE_MAP()

BOOL CClipDialog::PreCreateWindow(CREATESTRUCTW& cs) {
  cs.style |= kClipStyles;
  return CDialog::PreCreateWindow(cs);
}

BOOL CClipDialog::Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd) {
  if (pParentWnd == nullptr) pParentWnd = m_pParentWnd;
  if (!CDialog::Create(lpszTemplateName, pParentWnd)) return FALSE;
  ModifyStyle(0, kClipStyles);
  return TRUE;
}
