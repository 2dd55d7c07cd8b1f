#include "hover_button.h"

IMPLEMENT_DYNAMIC(CHoverButton, CBitmapButton)

int (*StartPageActiveReader)() = nullptr;

BEGIN_MESSAGE_MAP(CHoverButton, CBitmapButton)
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
  ON_WM_MOUSEHOVER()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CHoverButton::StartPageActive() const {
  return StartPageActiveReader != nullptr && StartPageActiveReader() != 0;
}

void CHoverButton::OnLButtonDown(UINT, CPoint) {
  m_parts.SetPressCursor();
  Default();
}

void CHoverButton::OnMouseMove(UINT, CPoint point) {
  m_parts.ArmTracking(this);
  Default();
  if (!m_parts.SetHoverCursorIfOver(this, point)) return;
  // The description is written once per entry, on the first move.
  if (m_bEntered && StartPageActive() && StatusWindow != nullptr && StatusWindow->GetSafeHwnd() != nullptr)
    StatusWindow->SetWindowText(Description);
  m_bEntered = FALSE;
}

void CHoverButton::OnMouseLeave() {
  m_bEntered = TRUE;
  if (StartPageActive() && StatusWindow != nullptr && StatusWindow->GetSafeHwnd() != nullptr)
    StatusWindow->SetWindowText(L"Please Select Recovery Option.");
  m_parts.OnLeave(this);
}

void CHoverButton::OnMouseHover(UINT, CPoint) { m_parts.OnHover(this); }

BOOL CHoverButton::OnEraseBkgnd(CDC*) { return FALSE; }
