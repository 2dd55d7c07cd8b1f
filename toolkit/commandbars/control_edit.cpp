#include "control_edit.h"

#include <algorithm>

#include "bar_painter.h"
#include "command_bar.h"
#include "command_bars.h"
#include "prop_exchange.h"

IMPLEMENT_DYNCREATE(CTkControlEdit, CTkControl)

namespace {

// The edit window sits inside the field's frame.
const int kFieldInset = 3;

}  // namespace

// The window.

CTkControl* CTkControlEditWnd::GetFieldControl() const { return m_pControl; }

void CTkControlEditWnd::OnFieldTextChanged() { m_pControl->OnWindowTextChanged(); }

void CTkControlEditWnd::OnFieldDestroyed() { m_pControl->OnWindowDestroyed(); }

void CTkControlEditWnd::OnFieldSetFocus(HWND oldFocus) { m_pControl->OnWindowSetFocus(oldFocus); }

void CTkControlEditWnd::OnFieldKillFocus(HWND /*newFocus*/) { m_pControl->OnWindowKillFocus(); }

void CTkControlEditWnd::PostNcDestroy() {
  if (m_pControl != nullptr) m_pControl->OnWindowGone(this);
  delete this;
}

// The control.

CTkControlEdit::~CTkControlEdit() { DestroyEditWindow(); }

void CTkControlEdit::DestroyEditWindow() {
  if (m_pEdit == nullptr) return;
  CTkControlEditWnd* edit = m_pEdit;
  if (edit->GetSafeHwnd() == nullptr) {
    m_pEdit = nullptr;
    delete edit;
    return;
  }
  // The focus goes back and the frame hears of it while the bar is known;
  // the window then ends without touching the control's focus state.
  if (m_bFocused) SetFocused(FALSE);
  if (m_pAutoComplete != nullptr) m_pAutoComplete->SetupWindowHook(FALSE);
  OnWindowDestroyed();
  edit->Detach();
  m_pEdit = nullptr;
  edit->DestroyWindow();
}

void CTkControlEdit::SetReadOnly(BOOL readOnly) {
  m_bReadOnly = readOnly;
  if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr) m_pEdit->SendMessage(EM_SETREADONLY, readOnly);
}

void CTkControlEdit::SetControlRect(CRect rect) {
  const CString text = GetEditText();
  HWND bar = m_pParent != nullptr ? m_pParent->GetSafeHwnd() : nullptr;
  if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr) {
    const BOOL rightToLeft = (m_pEdit->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    if (rightToLeft || ::GetParent(m_pEdit->GetSafeHwnd()) != bar) DestroyEditWindow();
  }
  if (m_pEdit == nullptr) m_pEdit = CreateEditWindow();
  if (rect == m_rcControl && m_pEdit->GetSafeHwnd() != nullptr && !m_bRepositionPending) return;
  m_rcControl = rect;
  if (bar == nullptr) return;
  if (m_pEdit->GetSafeHwnd() == nullptr) {
    if (!m_pEdit->CreateEditWindow(WS_CHILD | ES_AUTOHSCROLL, m_pParent)) return;
    ResetTextCache();
    SetEditText(text);
    if (!m_bEnabled) m_pEdit->EnableWindow(FALSE);
    if (m_dwAutoCompleteFlags != 0) SetAutoComplete(m_dwAutoCompleteFlags);
  }
  if (CTkBarPainter* painter = GetPaintManager()) {
    if (CFont* font = painter->GetControlFont(m_pParent->GetPosition(), FALSE))
      m_pEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font->GetSafeHandle()), FALSE);
  }
  m_pEdit->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  ApplyCharFormat();
  m_pEdit->SendMessage(EM_SETREADONLY, m_bReadOnly);
  // The painter puts the label left of the field, which is as wide as the control asks.
  m_nLabelWidth = IsLabelShown() ? std::max(0, rect.Width() - m_nWidth) : 0;
  CRect inner(rect.left + m_nLabelWidth + 4, rect.top + kFieldInset, rect.right - kFieldInset,
              rect.bottom - kFieldInset);
  m_pEdit->SetWindowPos(nullptr, inner.left, inner.top, inner.Width(), inner.Height(),
                        SWP_NOZORDER | SWP_NOACTIVATE | (m_nHideFlags == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  m_bRepositionPending = FALSE;
}

BOOL CTkControlEdit::IsCaptionVisible() { return IsLabelShown(); }

BOOL CTkControlEdit::IsEqualControl(CTkControl* other) {
  return CTkControl::IsEqualControl(other) && other->IsKindOf(RUNTIME_CLASS(CTkControlEdit)) &&
         static_cast<CTkControlEdit*>(other)->m_nWidth == m_nWidth;
}

void CTkControlEdit::SetHideFlags(int flags) {
  if (flags == m_nHideFlags) return;
  m_nHideFlags = flags;
  if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr)
    m_pEdit->SetWindowPos(nullptr, 0, 0, 0, 0,
                          SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                              (flags == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  MarkControlsChanged();
}

void CTkControlEdit::OnCalcDynamicSize(DWORD flags) {
  if ((flags & 0x10) != 0)
    SetHideFlags(m_nHideFlags | kHideVertical);
  else
    SetHideFlags(m_nHideFlags & ~kHideVertical);
}

void CTkControlEdit::SetEnabled(BOOL enabled) {
  if (enabled == m_bEnabled) return;
  m_bEnabled = enabled;
  if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr) {
    m_pEdit->EnableWindow(enabled);
    ApplyCharFormat();
  }
  DelayRedrawParent();
}

void CTkControlEdit::SetWidth(int width) {
  if (width == m_nWidth) return;
  m_nWidth = width;
  MarkControlsChanged();
}

void CTkControlEdit::SetParentBar(CTkCommandBar* bar) {
  if (bar == nullptr) DestroyEditWindow();
  m_pParent = bar;
}

// Focus.

void CTkControlEdit::OnClick(BOOL byKeyboard, CPoint point) {
  if (IsCustomizeMode()) {
    if (m_pParent != nullptr) {
      m_pParent->SetPopupControl(-1, FALSE);
      m_pParent->SetHighlightedControl(-1, FALSE);
    }
    CustomizeMouseDown(point);
    return;
  }
  if (byKeyboard && m_bFocused) {
    ExecuteCommand();
    return;
  }
  if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr) m_pEdit->SetFocus();
}

void CTkControlEdit::OnWindowSetFocus(HWND oldFocus) { OnSetFocus(oldFocus); }

void CTkControlEdit::OnSetFocus(HWND oldFocus) {
  ClearHint();
  m_strTextAtFocus = GetEditText();
  HWND bar = m_pParent != nullptr ? m_pParent->GetSafeHwnd() : nullptr;
  // The focus goes back where it came from, unless that was the bar or
  // another field of it.
  if (oldFocus != nullptr && ::IsWindow(oldFocus) && oldFocus != bar && !::IsChild(bar, oldFocus)) {
    m_hFocusReturn = oldFocus;
  } else if (m_hFocusReturn == nullptr || !::IsWindow(m_hFocusReturn)) {
    CWnd* site = m_pParent != nullptr ? m_pParent->GetOwnerSite() : nullptr;
    m_hFocusReturn = site != nullptr ? site->GetSafeHwnd() : nullptr;
  }
  if (m_pParent != nullptr) m_pParent->SetPopupControl(-1, FALSE);
  SetFocused(TRUE);
  if (m_pAutoComplete != nullptr) m_pAutoComplete->SetupWindowHook(TRUE);
}

void CTkControlEdit::OnWindowKillFocus() { OnKillFocus(); }

void CTkControlEdit::OnKillFocus() {
  if (GetRawText().IsEmpty()) ShowHint();
  SetFocused(FALSE);
  if (m_pAutoComplete != nullptr) m_pAutoComplete->SetupWindowHook(FALSE);
}

void CTkControlEdit::SetFocused(BOOL focused) {
  if (focused == m_bFocused) return;
  m_bFocused = focused;
  HWND edit = m_pEdit != nullptr ? m_pEdit->GetSafeHwnd() : nullptr;
  CTkCommandBars* commandBars = GetCommandBars();
  CTkMouseTracker* tracker = commandBars != nullptr ? commandBars->GetMouseTracker() : GetMouseTracker();
  if (focused) {
    if (edit != nullptr && ::GetFocus() != edit) ::SetFocus(edit);
    if (m_pParent != nullptr) {
      m_pParent->SetMenuMode(1, FALSE, FALSE);
      m_pParent->SetHighlightedControl(m_nIndex, FALSE);
    }
    ++tracker->m_suppressCount;
    NotifySite(kNotifyEditFocus);
  } else {
    if (edit != nullptr && ::GetFocus() == edit && m_hFocusReturn != nullptr && ::IsWindow(m_hFocusReturn))
      ::SetFocus(m_hFocusReturn);
    --tracker->m_suppressCount;
    NotifySite(kNotifyEditFocusLost);
    // Done editing: keys go to the window again, not to the bar, unless
    // the focus moved on to another field of the bar.
    HWND bar = m_pParent != nullptr ? m_pParent->GetSafeHwnd() : nullptr;
    HWND focus = ::GetFocus();
    if (bar != nullptr && m_pParent->GetMenuMode() != 0 && (focus == nullptr || !::IsChild(bar, focus)) &&
        m_pParent->GetType() != kBarPopup)
      m_pParent->SetMenuMode(0, TRUE, FALSE);
  }
  InvalidateParent();
}

void CTkControlEdit::OnMouseHover() {
  CTkCommandBars* commandBars = GetCommandBars();
  CTkMouseTracker* tracker = commandBars != nullptr ? commandBars->GetMouseTracker() : GetMouseTracker();
  if (tracker->m_suppressCount <= 0) CTkControl::OnMouseHover();
}

int CTkControlEdit::OnHookKeyDown(UINT key, LPARAM) {
  if (!m_bFocused || m_pEdit == nullptr || m_pEdit->GetSafeHwnd() == nullptr) return 0;
  if (m_pEdit->IsComposing()) return 2;
  if (key == VK_RETURN || key == VK_TAB) return 0;
  if (key == VK_ESCAPE) {
    SetRawText(m_strTextAtFocus);
    SetFocused(FALSE);
    return 1;
  }
  if (m_pAutoComplete != nullptr && m_pAutoComplete->ProcessKey(key)) return 1;
  if (key == VK_BACK || (key >= VK_PRIOR && key <= VK_DELETE)) {
    MSG msg = {m_pEdit->GetSafeHwnd(), WM_KEYDOWN, key, 0, 0, {0, 0}};
    return ::IsDialogMessageW(m_pEdit->GetSafeHwnd(), &msg) ? 1 : 2;
  }
  return 2;
}

// Stored form and copies.

void CTkControlEdit::ExchangeControlProperties(CTkPropExchange* exchange) {
  CTkControl::ExchangeControlProperties(exchange);
  if (exchange->m_nSchema > 5) {
    ExchangeBool(exchange, L"HasLabel", &m_bHasLabel, FALSE);
    ExchangeInt(exchange, L"Width", &m_nWidth, 0);
  }
  if (exchange->m_nSchema > 7) ExchangeBool(exchange, L"ReadOnly", &m_bReadOnly, FALSE);
  if (exchange->m_nSchema > 8) {
    ExchangeText(exchange, L"EditHint", &m_strEditHint, L"");
    int flags = static_cast<int>(m_dwAutoCompleteFlags);
    ExchangeInt(exchange, L"ShellAutoCompleteFlags", &flags, 0);
    m_dwAutoCompleteFlags = static_cast<DWORD>(flags);
  }
  if (exchange->IsLoading()) SetAutoComplete(m_dwAutoCompleteFlags);
}

void CTkControlEdit::CopyControlFrom(CTkControl* source, BOOL recursive) {
  if (source != nullptr && source != this && source->IsKindOf(RUNTIME_CLASS(CTkControlEdit))) {
    auto* edit = static_cast<CTkControlEdit*>(source);
    m_nWidth = edit->m_nWidth;
    m_bHasLabel = edit->m_bHasLabel;
    m_bReadOnly = edit->m_bReadOnly;
    m_strEditHint = edit->m_strEditHint;
    m_dwAutoCompleteFlags = edit->m_dwAutoCompleteFlags;
    SetEditText(edit->GetEditText());
  }
  CTkControl::CopyControlFrom(source, recursive);
}
