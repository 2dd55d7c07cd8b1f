// A tool bar's "Add or Remove Buttons" list in its expand popup: one check
// item per button, shown or hidden by the user, and Reset.
#include "command_bars.h"
#include "popup_bar.h"
#include "reference_scope.h"
#include "tool_bar.h"
#include "toolkit_resources.h"

IMPLEMENT_DYNCREATE(CTkControlButtonsListItem, CTkControlButton)
IMPLEMENT_DYNCREATE(CTkControlResetBarItem, CTkControlButton)

namespace {
// What the list shows of a button: its caption, else its tip.
CString ListCaptionOf(CTkControl* control) {
  CString caption = control->GetVisibleCaption();
  if (caption.IsEmpty()) caption = control->GetTooltipText();
  if (caption.IsEmpty()) caption = control->GetDescription();
  return caption;
}

BOOL IsListed(CTkControl* control) {
  const UINT id = control->GetID();
  if (id == CTkToolBar::kExpandButtonId || id == CTkToolBar::kCloseButtonId) return FALSE;
  if ((control->GetHideFlags() & (kHideByOwner | kHideByToolBar)) != 0) return FALSE;
  return (control->GetFlags() & kFlagNotCustomizable) == 0;
}
}  // namespace

void CTkToolBar::FillButtonsList(CTkPopupBar* list) {
  if (list == nullptr) return;
  // Buttons of the loaded set that the bar lost come back, hidden, at
  // their place, so that the list can show them again.
  CTkControls* original = m_pControls->GetOriginalControls();
  if (original != nullptr) {
    int insertAt = 0;
    for (int i = 0; i < original->GetCount(); ++i) {
      CTkControl* wanted = original->GetAt(i);
      if (wanted->IsTemporary()) continue;
      if (CTkControl* present = m_pControls->FindControl(wanted->GetType(), wanted->GetID(), FALSE, FALSE)) {
        insertAt = present->GetIndex() + 1;
        continue;
      }
      if (CTkControl* restored = m_pControls->AddClone(wanted, insertAt)) {
        restored->SetHideFlags(restored->GetHideFlags() | kHideByUser);
        insertAt = restored->GetIndex() + 1;
      }
    }
  }

  CTkControls* items = list->GetControls();
  for (int i = 0; i < m_pControls->GetCount(); ++i) {
    CTkControl* control = m_pControls->GetAt(i);
    if (!IsListed(control)) continue;
    auto* item = new CTkControlButtonsListItem;
    items->AddControl(item, control->GetID());
    item->SetCaption(ListCaptionOf(control));
    item->SetIconId(control->GetType() >= kControlButton && control->GetType() <= kControlSplitButtonPopup
                        ? static_cast<int>(control->GetResolvedIconId())
                        : static_cast<int>(control->GetID()));
    item->SetShortcutText(control->GetShortcutText());
    item->SetBeginGroup(control->GetBeginGroup());
    item->SetLinkedControl(control);
  }

  if (original == nullptr || !m_bBuiltIn || m_bTearOff) return;
  auto* reset = new CTkControlResetBarItem;
  items->AddControl(reset, 0);
  CString caption;
  caption.LoadString(IDS_TK_RESET);
  reset->SetCaption(caption);
  reset->SetBeginGroup(TRUE);
  reset->SetBar(this);
}

CTkControlButtonsListItem::~CTkControlButtonsListItem() { SetLinkedControl(nullptr); }

void CTkControlButtonsListItem::SetLinkedControl(CTkControl* control) {
  if (control != nullptr) control->InternalAddRef();
  if (m_pLinked != nullptr) m_pLinked->InternalRelease();
  m_pLinked = control;
  // The list stays open while the user picks, and the check is the button's.
  m_bCloseSubMenuOnClick = FALSE;
  m_nFlags |= kFlagNoUpdate;
  m_bChecked = control != nullptr && (control->GetHideFlags() & kHideByUser) == 0;
}

void CTkControlButtonsListItem::ExecuteCommand() {
  if (m_pLinked == nullptr) return;
  CTkReferenceScope hold;
  hold.Hold(this);
  hold.Hold(m_pLinked);
  CTkCommandBar* bar = m_pLinked->GetParent();
  hold.Hold(bar);
  if (CTkCommandBars* commandBars = bar != nullptr ? bar->GetCommandBars() : nullptr)
    commandBars->GetCommandBarsOptions()->bDirty = TRUE;
  m_pLinked->SetHideFlags(m_pLinked->GetHideFlags() ^ kHideByUser);
  m_bChecked = (m_pLinked->GetHideFlags() & kHideByUser) == 0;
  m_nPressed = 0;
  if (bar != nullptr) {
    bar->DelayLayout();
    bar->OnControlsChanged();
  }
  if (CTkCommandBar* list = GetParent()) list->InvalidateChain();
}

CTkControlResetBarItem::~CTkControlResetBarItem() { SetBar(nullptr); }

void CTkControlResetBarItem::SetBar(CTkToolBar* bar) {
  if (bar != nullptr) bar->InternalAddRef();
  if (m_pBar != nullptr) m_pBar->InternalRelease();
  m_pBar = bar;
  m_nFlags |= kFlagNoUpdate;
}

void CTkControlResetBarItem::ExecuteCommand() {
  if (m_pBar == nullptr) return;
  CTkReferenceScope hold;
  hold.Hold(this);
  hold.Hold(m_pBar);
  m_nPressed = 0;
  if (CTkCommandBars* commandBars = m_pBar->GetCommandBars()) commandBars->CloseAllPopups();
  m_pBar->ResetToolBar();
}
