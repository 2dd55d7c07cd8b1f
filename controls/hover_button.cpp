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
  if (CanWriteHint()) StatusWindow->SetWindowText(L"Please Select Recovery Option.");
}
