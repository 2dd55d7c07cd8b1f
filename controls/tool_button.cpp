#include "tool_button.h"

IMPLEMENT_DYNAMIC(CToolButton, CBitmapButton)

namespace {
const UINT_PTR kToolId = 1;
}

BEGIN_MESSAGE_MAP(CToolButton, CBitmapButton)
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
  ON_WM_MOUSEHOVER()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CToolButton::~CToolButton() {
  if (m_toolTip.m_hWnd != nullptr) m_toolTip.DestroyWindow();
}

void CToolButton::EnsureToolTip() {
  if (m_toolTip.m_hWnd != nullptr) return;
  if (m_toolTip.Create(this, 0)) m_toolTip.Activate(FALSE);
}

BOOL CToolButton::PreTranslateMessage(MSG* pMsg) {
  EnsureToolTip();
  if (m_toolTip.m_hWnd != nullptr) m_toolTip.RelayEvent(pMsg);
  return CBitmapButton::PreTranslateMessage(pMsg);
}

void CToolButton::SetTipText(const CString* pText, BOOL bActivate) {
  if (pText == nullptr) return;
  EnsureToolTip();
  if (m_toolTip.m_hWnd == nullptr) return;
  if (m_toolTip.GetToolCount() == 0) {
    CRect client;
    GetClientRect(&client);
    m_toolTip.AddTool(this, *pText, &client, kToolId);
  }
  m_toolTip.UpdateTipText(*pText, this, kToolId);
  m_toolTip.Activate(bActivate);
}

void CToolButton::OnLButtonDown(UINT, CPoint) {
  m_parts.SetPressCursor();
  Default();
}

void CToolButton::OnMouseMove(UINT, CPoint point) {
  m_parts.ArmTracking(this);
  Default();
  m_parts.SetHoverCursorIfOver(this, point);
}

void CToolButton::OnMouseLeave() { m_parts.OnLeave(this); }

void CToolButton::OnMouseHover(UINT, CPoint) { m_parts.OnHover(this); }

BOOL CToolButton::OnEraseBkgnd(CDC*) { return FALSE; }
