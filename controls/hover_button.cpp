#include "hover_button.h"

// Type identification only: the record names the framework's class as base.
IMPLEMENT_DYNAMIC(CHoverButton, CBitmapButton)

int (*StartPageActiveReader)() = nullptr;

BOOL CHoverButton::CanWriteHint() const {
  bool startPage = StartPageActiveReader != nullptr && StartPageActiveReader() != 0;
  return startPage && StatusWindow != nullptr && StatusWindow->GetSafeHwnd() != nullptr;
}

void CHoverButton::OnPointerOver() {
  // The description is written once per entry, on the first move.
  if (m_bEntered && CanWriteHint()) StatusWindow->SetWindowText(Description);
  m_bEntered = FALSE;
}

void CHoverButton::OnPointerLeft() {
  m_bEntered = TRUE;
  if (!CanWriteHint() || NextButtonHasWritten()) return;
  StatusWindow->SetWindowText(L"Please Select Recovery Option.");
}

BOOL CHoverButton::NextButtonHasWritten() const {
  // Wine notices a leave on a timer: by then the pointer may have entered
  // the next mode button, whose description must stay.
  POINT point;
  if (!::GetCursorPos(&point)) return FALSE;
  CWnd* pUnder = CWnd::FromHandlePermanent(::WindowFromPoint(point));
  if (pUnder == nullptr || pUnder == this || !pUnder->IsKindOf(RUNTIME_CLASS(CHoverButton))) return FALSE;
  const CHoverButton* pNext = static_cast<const CHoverButton*>(pUnder);
  return pNext->StatusWindow == StatusWindow && !pNext->m_bEntered;
}
