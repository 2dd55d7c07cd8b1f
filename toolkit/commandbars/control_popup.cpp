// The two workhorse controls: the button, pressed on bars and run on
// release in popups, and the popup control that opens its popup bar
// (plain, button and split popups).
#include "bar_painter.h"
#include "command_bar.h"
#include "command_bars.h"
#include "popup_bar.h"
#include "popup_shadows.h"
#include "prop_exchange.h"
#include "reference_scope.h"

IMPLEMENT_DYNCREATE(CTkControlButton, CTkControl)
IMPLEMENT_DYNCREATE(CTkControlPopup, CTkControl)

namespace {

// The arrow part of a split popup: the right edge of a bar button, a
// wider one in a menu row.
const int kSplitArrowOnBar = 11;
const int kSplitArrowInPopup = 20;
const int kMaxPopupDepth = 32;

BOOL IsInPopupBar(const CTkControl* control) {
  return control->GetParent() != nullptr && control->GetParent()->GetType() == kBarPopup;
}

BOOL IsOnPopupPosition(const CTkControl* control) {
  return control->GetParent() != nullptr && control->GetParent()->GetPosition() == kBarPopupPosition;
}

}  // namespace

void CTkControlButton::OnClick(BOOL byKeyboard, CPoint point) {
  if (!m_bEnabled) return;
  if (IsCustomizeMode()) {
    m_pParent->SetPopupControl(-1, FALSE);
    m_pParent->SetHighlightedControl(-1, FALSE);
    CustomizeMouseDown(point);
    return;
  }
  if (byKeyboard) {
    ExecuteCommand();
    return;
  }
  if (!IsInPopupBar(this)) TrackButtonPress();
}

void CTkControlButton::OnLButtonUp(CPoint) {
  if (m_bEnabled && IsOnPopupPosition(this)) ExecuteCommand();
}

void CTkControlButton::ExchangeControlProperties(CTkPropExchange* exchange) {
  CTkControl::ExchangeControlProperties(exchange);
  ExchangeInt(exchange, L"Style", &m_nStyle, 0);
}

CTkControlPopup::~CTkControlPopup() { SetCommandBar(nullptr); }

CTkControlPopup* CTkControlPopup::CreatePopup(int type) { return new CTkControlPopup(type); }

void CTkControlPopup::SetCommandBar(CTkCommandBar* bar) {
  if (bar == m_pCommandBar) return;
  CTkCommandBar* old = m_pCommandBar;
  m_pCommandBar = bar;
  if (bar != nullptr) bar->InternalAddRef();
  if (old != nullptr) old->InternalRelease();
}

void CTkControlPopup::CopyControlFrom(CTkControl* source, BOOL recursive) {
  CTkControl::CopyControlFrom(source, recursive);
  CTkCommandBar* bar = source != nullptr && source != this ? source->GetCommandBar() : nullptr;
  if (bar == nullptr) return;
  if (!recursive) {
    SetCommandBar(bar);
    return;
  }
  CTkCommandBar* clone = bar->CloneBar(TRUE);
  SetCommandBar(clone);
  if (clone != nullptr) clone->InternalRelease();
}

BOOL CTkControlPopup::IsEqualControl(CTkControl* other) {
  if (!CTkControl::IsEqualControl(other) || !other->IsKindOf(RUNTIME_CLASS(CTkControlPopup))) return FALSE;
  CTkCommandBar* otherBar = other->GetCommandBar();
  if (m_pCommandBar != nullptr && otherBar != nullptr)
    return m_pCommandBar->GetControls()->IsEqual(otherBar->GetControls());
  return TRUE;
}

BOOL CTkControlPopup::IsAncestorOf(CTkControlPopup* other, int depth) {
  if (other == nullptr || m_pCommandBar == nullptr || other->m_pCommandBar == nullptr || depth > kMaxPopupDepth)
    return FALSE;
  if (m_pCommandBar == other->m_pCommandBar) return TRUE;
  for (int i = 0; i < m_pCommandBar->GetControlCount(); ++i) {
    CTkControl* inner = m_pCommandBar->GetControl(i);
    if (!inner->IsKindOf(RUNTIME_CLASS(CTkControlPopup))) continue;
    auto* popup = static_cast<CTkControlPopup*>(inner);
    if (popup->IsAncestorOf(other, depth + 1) || other->IsAncestorOf(popup, depth + 1)) return TRUE;
  }
  return FALSE;
}

void CTkControlPopup::GetPopupPosition(CRect& rect) {
  CTkBarPainter* painter = GetPaintManager();
  if (painter == nullptr) return;
  const int position = m_pParent != nullptr ? m_pParent->GetPosition() : kBarNone;
  painter->AdjustControlRect(rect, this, position == kBarLeft || position == kBarRight || position == kBarPopupPosition);
}

void CTkControlPopup::ExchangeControlProperties(CTkPropExchange* exchange) {
  CTkControl::ExchangeControlProperties(exchange);
  int barId = 0;
  if (!exchange->IsLoading() && m_pCommandBar != nullptr) barId = static_cast<int>(m_pCommandBar->GetBarID());
  ExchangeInt(exchange, L"CommandBarId", &barId, 0);
  if (exchange->IsLoading()) m_nStoredBarId = static_cast<UINT>(barId);
  if (exchange->m_nSchema > 4) ExchangeInt(exchange, L"Style", &m_nStyle, 0);
}

void CTkControlPopup::OnMnemonicActivate() {
  if (m_pParent != nullptr) m_pParent->SetPopupControl(m_nIndex, FALSE);
}

BOOL CTkControlPopup::SetPopuped(BOOL popuped) {
  if (!popuped) {
    m_bPopuped = FALSE;
    if (m_pCommandBar != nullptr) m_pCommandBar->SetMenuMode(0, TRUE, FALSE);
    DelayRedrawParent();
    return TRUE;
  }
  m_bPopuped = TRUE;
  if (m_pCommandBar == nullptr) return FALSE;
  if (m_pCommandBar->GetMenuMode() != 0) return TRUE;
  if (!m_pCommandBar->QueryReserved(reinterpret_cast<WPARAM>(this), m_nSelected == 2)) return FALSE;
  OnPopupOpened();
  return TRUE;
}

void CTkControlPopup::OnPopupOpened() {
  // The looks with shadows also shade the button whose menu is open.
  if (m_pParent == nullptr || m_pParent->GetType() == kBarPopup || m_pCommandBar == nullptr) return;
  if (!m_pCommandBar->IsKindOf(RUNTIME_CLASS(CTkPopupBar))) return;
  if (static_cast<CTkPopupBar*>(m_pCommandBar)->GetShowShadow()) GetPopupShadows().AddControlShadows(this);
}

void CTkControlPopup::OnClick(BOOL byKeyboard, CPoint point) {
  if (!m_bEnabled || m_pParent == nullptr) return;
  CTkReferenceScope hold;
  hold.Hold(this);
  CTkCommandBar* parent = m_pParent;
  hold.Hold(parent);
  const BOOL customizing = IsCustomizeMode();
  CTkCommandBars* commandBars = GetCommandBars();
  if (customizing && commandBars != nullptr) commandBars->SetCustomizeSelection(this);
  const CPoint relative(point.x - m_rcControl.left, point.y - m_rcControl.top);
  if (m_bPopuped && parent->GetPosition() != kBarPopupPosition) {
    parent->SetMenuMode(0, FALSE, FALSE);
  } else if (!customizing && m_nType == kControlSplitButtonPopup && byKeyboard) {
    ExecuteCommand();
    return;
  } else if (!customizing && m_nType == kControlSplitButtonPopup && parent->GetType() == kBarPopup &&
             relative.x < m_rcControl.Width() - kSplitArrowInPopup) {
    // The command part of a menu row runs on release.
    if (parent->GetSafeHwnd() != nullptr) parent->KillTimer(CTkCommandBar::kHoverTimer);
    return;
  } else if (!customizing && m_nType == kControlSplitButtonPopup && parent->GetType() != kBarPopup &&
             relative.x < m_rcControl.Width() - kSplitArrowOnBar) {
    TrackButtonPress(CRect(m_rcControl.left, m_rcControl.top, m_rcControl.right - kSplitArrowOnBar,
                           m_rcControl.bottom));
  } else if (!(customizing && m_pCommandBar != nullptr && !m_pCommandBar->IsCustomizable())) {
    parent->SetPopupControl(m_nIndex, FALSE);
  }
  if (customizing) CustomizeMouseDown(relative);
}

void CTkControlPopup::OnLButtonUp(CPoint point) {
  if (m_bEnabled && m_nType == kControlSplitButtonPopup && IsInPopupBar(this) &&
      point.x + kSplitArrowInPopup < m_rcControl.right)
    ExecuteCommand();
}

BOOL CTkControlPopup::OnLButtonDblClk(CPoint point) {
  if (m_pParent == nullptr) return FALSE;
  const BOOL popupClass = m_pCommandBar != nullptr && m_pCommandBar->GetRuntimeClass() == PopupBarClass;
  if (!popupClass || (m_nType != kControlPopup && m_nType != kControlButtonPopup))
    return CTkControl::OnLButtonDblClk(point);
  CTkReferenceScope hold;
  hold.Hold(this);
  CTkCommandBar* bar = m_pCommandBar;
  hold.Hold(bar);
  if (!m_bPopuped) {
    m_pParent->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    if (m_pCommandBar != bar || m_pCommandBar->GetMenuMode() == 0) return FALSE;
  }
  auto* popup = static_cast<CTkPopupBar*>(m_pCommandBar);
  CTkControl* item = popup->GetControl(popup->GetDefaultItem(TRUE));
  if (item != nullptr) {
    item->ExecuteCommand();
    return TRUE;
  }
  if (popup->GetMenuMode() != 0 && popup->HasHiddenItems()) {
    popup->ExpandBar();
    return TRUE;
  }
  return FALSE;
}

void CTkControlPopup::OnMouseHover() {
  if (m_bEnabled && m_pParent != nullptr &&
      (m_pParent->GetMenuMode() == 2 || m_pParent->GetPosition() == kBarPopupPosition)) {
    m_pParent->SetPopupControl(m_nIndex, FALSE);
    return;
  }
  CTkControl::OnMouseHover();
}

BOOL CTkControlPopup::SetSelectionState(int state) {
  if (!CTkControl::SetSelectionState(state)) return FALSE;
  CTkCommandBar* parent = m_pParent;
  if (parent == nullptr) return TRUE;
  if ((m_nType == kControlButtonPopup || m_nType == kControlSplitButtonPopup) && parent->GetType() != kBarPopup) {
    if (m_bEnabled && state == 2 && parent->GetMenuMode() == 2) parent->SetPopupControl(m_nIndex, TRUE);
    return TRUE;
  }
  if (m_bEnabled && state != 0 && parent->GetMenuMode() == 2 && parent->GetPosition() != kBarPopupPosition) {
    parent->SetPopupControl(m_nIndex, state == 2);
    return TRUE;
  }
  if (state == 0 && m_bPopuped && parent->GetPosition() != kBarPopupPosition) parent->SetPopupControl(-1, FALSE);
  return TRUE;
}

void CTkControlPopup::CustomizeDragOver(CTkControl* dragged, CPoint, DROPEFFECT&) {
  if (m_pCommandBar == nullptr || !m_pCommandBar->IsCustomizable() || m_pParent == nullptr) return;
  if (dragged != nullptr && dragged->IsKindOf(RUNTIME_CLASS(CTkControlPopup)) &&
      static_cast<CTkControlPopup*>(dragged)->IsAncestorOf(this)) {
    m_pParent->SetPopupControl(-1, FALSE);
    m_pParent->SetHighlightedControl(-1, FALSE);
    return;
  }
  m_pParent->SetPopupControl(m_nIndex, FALSE);
}
