#include "tool_button.h"

// Type identification only: the record names the framework's class as base.
IMPLEMENT_DYNAMIC(CToolButton, CBitmapButton)

namespace {
const UINT_PTR kToolId = 1;
}

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
  return CPictureButton::PreTranslateMessage(pMsg);
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
