#include "popup_bar.h"

IMPLEMENT_DYNCREATE(CTkPopupBar, CTkCommandBar)

CRuntimeClass* PopupBarClass = RUNTIME_CLASS(CTkPopupBar);

CTkPopupBar::CTkPopupBar() {
  m_barType = kBarPopup;
  m_barPosition = kBarPopupPosition;
  m_nMRUWidth = 0;
}

CTkPopupBar* CTkPopupBar::CreateForCommandBars(CTkCommandBars* commandBars) {
  CRuntimeClass* popupClass = PopupBarClass != nullptr ? PopupBarClass : RUNTIME_CLASS(CTkPopupBar);
  if (!popupClass->IsDerivedFrom(RUNTIME_CLASS(CTkPopupBar))) return nullptr;
  auto* popup = static_cast<CTkPopupBar*>(popupClass->CreateObject());
  if (popup != nullptr) popup->SetCommandBars(commandBars);
  return popup;
}

CTkCommandBar* CTkPopupBar::GetParentBar() const {
  return m_pOpeningControl != nullptr ? m_pOpeningControl->GetParent() : nullptr;
}
