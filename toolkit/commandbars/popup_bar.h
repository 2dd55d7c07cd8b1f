// A popup menu or popup tool bar. Showing popups comes with their own
// window code; here they are bars that controls open and commands close.
#pragma once

#include "command_bar.h"

class CTkControlPopup;

class CTkPopupBar : public CTkCommandBar {
  DECLARE_DYNCREATE(CTkPopupBar)

 public:
  CTkPopupBar();

  // A new popup bar of PopupBarClass with those command bars; null when
  // that class makes no popup bar.
  static CTkPopupBar* CreateForCommandBars(CTkCommandBars* commandBars);

  CTkCommandBar* GetParentBar() const override;
  CTkControl* GetOpeningControl() const { return m_pOpeningControl; }
  void SetOpeningControl(CTkControl* control) { m_pOpeningControl = control; }
  // Where an executed control writes its id instead of sending a command,
  // when the popup was tracked to return the chosen command.
  UINT* GetReturnCommandSlot() const { return m_pReturnCommand; }
  void SetReturnCommandSlot(UINT* slot) { m_pReturnCommand = slot; }

 protected:
  CTkControl* m_pOpeningControl = nullptr;
  UINT* m_pReturnCommand = nullptr;
};

// The class CreateForCommandBars makes; a program may put its own in place.
extern CRuntimeClass* PopupBarClass;
