#include "control_combo_box.h"

#include <algorithm>

#include "bar_painter.h"
#include "color_scheme.h"
#include "command_bar.h"
#include "command_bars.h"
#include "image_manager.h"
#include "prop_exchange.h"
#include "reference_scope.h"

IMPLEMENT_DYNCREATE(CTkControlComboBoxList, CTkPopupBar)
IMPLEMENT_DYNCREATE(CTkControlComboBox, CTkControlPopup)

namespace {

// The edit field sits inside the face's frame.
const int kFieldInset = 3;
// The list's two frames, one pixel each on every side.
const int kListFrames = 4;
const LONG_PTR kRightToLeftListStyles = WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;

BOOL IsKeyDown(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

}  // namespace

// The list bar.

CTkControlComboBoxList::CTkControlComboBoxList() {
  m_barPosition = kBarList;
  // The edit field keeps its caret while the list shows.
  m_bHideCaret = FALSE;
  m_bShowShadow = FALSE;
}

CTkControlComboBox* CTkControlComboBoxList::GetCombo() const {
  CTkControl* control = GetOpeningControl();
  return control != nullptr && control->IsKindOf(RUNTIME_CLASS(CTkControlComboBox))
             ? static_cast<CTkControlComboBox*>(control)
             : nullptr;
}

BOOL CTkControlComboBoxList::CreateListWindow() {
  if (GetSafeHwnd() != nullptr) return TRUE;
  const DWORD style = (m_dwStyle & 0xFFFF) | WS_POPUP | WS_BORDER | WS_VSCROLL | WS_CLIPCHILDREN;
  // Owned by the frame, so that it stays above it, and never activated.
  CWnd* site = GetOwnerSite();
  if (!CreateEx(WS_EX_STATICEDGE | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"LISTBOX", L"", style, CRect(0, 0, 0, 0),
                site, 0))
    return FALSE;
  for (INT_PTR i = 0; i < m_pendingItems.GetSize(); ++i)
    SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(m_pendingItems[i])));
  m_pendingItems.RemoveAll();
  return TRUE;
}

int CTkControlComboBoxList::GetCount() const {
  if (GetSafeHwnd() == nullptr) return static_cast<int>(m_pendingItems.GetSize());
  return static_cast<int>(SendMessage(LB_GETCOUNT));
}

int CTkControlComboBoxList::AddString(LPCWSTR text) {
  if (GetSafeHwnd() == nullptr) return static_cast<int>(m_pendingItems.Add(text));
  return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

CString CTkControlComboBoxList::GetItemText(int index) const {
  if (index < 0 || index >= GetCount()) return CString();
  if (GetSafeHwnd() == nullptr) return m_pendingItems[index];
  const int length = static_cast<int>(SendMessage(LB_GETTEXTLEN, index));
  CString text;
  if (length > 0) {
    SendMessage(LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.GetBuffer(length + 1)));
    text.ReleaseBuffer(length);
  }
  return text;
}

int CTkControlComboBoxList::GetListHeight(int rowsAtMost) const {
  const int itemHeight = GetSafeHwnd() != nullptr ? static_cast<int>(SendMessage(LB_GETITEMHEIGHT, 0)) : 0;
  return itemHeight * std::min(std::max(GetCount(), 1), std::max(rowsAtMost, 1)) + kListFrames;
}

BOOL CTkControlComboBoxList::QueryReserved(WPARAM wParam, LPARAM) {
  auto* control = reinterpret_cast<CTkControl*>(wParam);
  if (control == nullptr || !control->IsKindOf(RUNTIME_CLASS(CTkControlComboBox))) return FALSE;
  auto* combo = static_cast<CTkControlComboBox*>(control);
  CTkReferenceScope hold;
  hold.Hold(this);
  SetOpeningControl(combo);
  if (!CreateListWindow()) return FALSE;
  if (CTkBarPainter* painter = GetPaintManager()) {
    if (CFont* font = painter->GetControlFont(kBarPopupPosition, FALSE))
      SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font->GetSafeHandle()), FALSE);
  }
  CWnd* site = GetOwnerSite();
  const HWND owner = site != nullptr ? site->GetSafeHwnd() : nullptr;
  // A list made before its combo had a bar follows the combo's frame.
  if (owner != nullptr && ::GetWindow(m_hWnd, GW_OWNER) != owner)
    ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  if (owner != nullptr) site->SendMessage(WM_CMDBARS_POPUPSHOWING, 0, reinterpret_cast<LPARAM>(this));
  CTkCommandBars* commandBars = GetCommandBars();
  const BOOL rightToLeft = commandBars != nullptr && commandBars->IsLayoutRTL();
  const LONG_PTR exStyle = ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
  ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE,
                      rightToLeft ? (exStyle | kRightToLeftListStyles) : (exStyle & ~kRightToLeftListStyles));

  UpdateLocation(combo);
  // The list drops under the field, not under the label.
  if ((m_nDirection & kPopupLeft) == 0) m_ptOrigin.x = m_rcExclusion.right - combo->GetWidth();
  const int height = GetListHeight(combo->GetDropDownItemCount());
  const int width = m_nMRUWidth > 0 ? m_nMRUWidth : combo->GetWidth();
  const CRect rect = PlaceForSize(CSize(width, height));
  m_bScrolling = FALSE;
  SetWindowPos(&CWnd::wndTopMost, rect.left, rect.top, rect.Width(), rect.Height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
  EnableWindow(TRUE);
  SetMenuMode(1, FALSE, FALSE);
  return TRUE;
}

BOOL CTkControlComboBoxList::SetMenuMode(int mode, BOOL, BOOL byKeyboard) {
  CTkReferenceScope hold;
  hold.Hold(this);
  const int old = m_nMenuMode;
  // The list window stays made while closed; only its showing changes.
  if (!CTkCommandBar::SetMenuMode(mode, FALSE, byKeyboard)) return FALSE;
  CTkControlComboBox* combo = GetCombo();
  if (mode != 0 && old == 0) {
    if (combo != nullptr) combo->OnListOpened();
    return TRUE;
  }
  if (mode == 0) {
    if (GetSafeHwnd() != nullptr) ShowWindow(SW_HIDE);
    SetOpeningControl(nullptr);
    if (combo != nullptr) combo->OnListClosed();
  }
  return TRUE;
}

int CTkControlComboBoxList::ProcessKey(UINT key, LPARAM lParam) {
  CTkControlComboBox* combo = GetCombo();
  if (combo == nullptr) return CTkCommandBar::ProcessKey(key, lParam);
  CTkReferenceScope hold;
  hold.Hold(this);
  hold.Hold(combo);
  if (key == VK_RETURN) {
    combo->ExecuteCommand();
    return 1;
  }
  if (key == VK_ESCAPE && !combo->IsFocused()) {
    // The opening bar's own Escape: the list closes, nothing chosen.
    SetMenuMode(0, TRUE, FALSE);
    return 1;
  }
  if (key == VK_TAB) {
    // The combo's bar moves on as it does from any field.
    CTkCommandBar* parent = combo->GetParent();
    return parent != nullptr && combo->IsFocused() ? parent->ProcessKey(key, lParam) : 2;
  }
  const int answer = combo->OnHookKeyDown(key, lParam);
  if (answer != 0) return answer;
  // An unfocused drop-down list: the keys walk the list.
  if (key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT || key == VK_HOME || key == VK_END) {
    const int before = combo->GetCurSel();
    SendKeyToList(key);
    if (combo->GetCurSel() != before) combo->OnSelChanged();
    return 1;
  }
  return 2;
}

void CTkControlComboBoxList::SendKeyToList(UINT key) {
  if (CreateListWindow()) DefWindowProc(WM_KEYDOWN, key, 0);
}

int CTkControlComboBoxList::OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result) {
  if (m_nMenuMode != 0 && message == WM_MOUSEWHEEL && GetSafeHwnd() != nullptr) {
    DefWindowProc(message, wParam, lParam);
    return kHandled;
  }
  return CTkCommandBar::OnHookMessage(hWnd, message, wParam, lParam, result);
}

BOOL CTkControlComboBoxList::DestroyWindow() {
  if (GetSafeHwnd() == nullptr) return FALSE;
  return CWnd::DestroyWindow();
}

void CTkControlComboBoxList::DelayLayout() {
  if (GetSafeHwnd() == nullptr) return;
  Invalidate(TRUE);
  UpdateWindow();
}

void CTkControlComboBoxList::DrawListFrame() {
  CWindowDC dc(this);
  CRect rect;
  GetWindowRect(&rect);
  rect.OffsetRect(-rect.left, -rect.top);
  CTkBarPainter* painter = GetPaintManager();
  const COLORREF outer = painter != nullptr ? painter->GetColor(43) : ::GetSysColor(COLOR_BTNSHADOW);
  dc.Draw3dRect(&rect, outer, outer);
  rect.DeflateRect(1, 1);
  const COLORREF inner = GetColorScheme()->GetColor(COLOR_WINDOW);
  dc.Draw3dRect(&rect, inner, inner);
}

BOOL CTkControlComboBoxList::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  CTkReferenceScope hold;
  hold.Hold(this);
  CTkControlComboBox* combo = GetCombo();
  LRESULT ignored = 0;
  LRESULT& result = pResult != nullptr ? *pResult : ignored;
  switch (message) {
    case WM_MOUSEACTIVATE:
      // The list never takes the activation or the focus from the field.
      result = MA_NOACTIVATE;
      return TRUE;
    case WM_MOUSEMOVE: {
      const DWORD hit = static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, lParam));
      const int index = static_cast<int>(LOWORD(hit));
      if (HIWORD(hit) == 0 && index != static_cast<int>(SendMessage(LB_GETCURSEL))) SendMessage(LB_SETCURSEL, index);
      result = 0;
      return TRUE;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: result = 0; return TRUE;
    case WM_SETFOCUS: {
      // The window system may focus a list it shows; the field keeps it.
      CTkComboEditWnd* edit = combo != nullptr ? combo->GetEditWnd() : nullptr;
      if (edit != nullptr && edit->GetSafeHwnd() != nullptr && combo->IsFocused()) {
        ::SetFocus(edit->GetSafeHwnd());
        result = 0;
        return TRUE;
      }
      return FALSE;
    }
    case WM_LBUTTONUP:
      result = 0;
      if (combo != nullptr) {
        hold.Hold(combo);
        combo->OnSelChanged();
        combo->ExecuteCommand();
      }
      return TRUE;
    case WM_ERASEBKGND: {
      CRect client;
      GetClientRect(&client);
      HBRUSH brush = ::CreateSolidBrush(GetColorScheme()->GetColor(COLOR_WINDOW));
      ::FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
      ::DeleteObject(brush);
      result = 1;
      return TRUE;
    }
    case WM_NCPAINT:
      result = DefWindowProc(message, wParam, lParam);
      DrawListFrame();
      return TRUE;
    case WM_DESTROY: {
      // The items outlive the window.
      m_pendingItems.RemoveAll();
      const int count = static_cast<int>(SendMessage(LB_GETCOUNT));
      for (int i = 0; i < count; ++i) {
        const CString text = GetItemText(i);
        m_pendingItems.Add(text);
      }
      if (m_nMenuMode != 0) SetMenuMode(0, TRUE, FALSE);
      return FALSE;
    }
    default: return FALSE;
  }
}

void CTkControlComboBoxList::ExchangeBarProperties(CTkPropExchange* exchange) {
  CTkPopupBar::ExchangeBarProperties(exchange);
  CTkPropExchangeSectionHolder section(exchange->OpenSection(L"Items"));
  if (section.Get() == nullptr) return;
  CString name;
  if (exchange->IsLoading()) {
    CreateListWindow();
    const DWORD count = section->ReadCount();
    for (DWORD i = 0; i < count; ++i) {
      name.Format(L"Item%i", static_cast<int>(i));
      CString text;
      ExchangeText(section.Get(), name, &text, L"");
      AddString(text);
    }
    return;
  }
  const int count = GetCount();
  section->WriteCount(static_cast<DWORD>(count));
  for (int i = 0; i < count; ++i) {
    name.Format(L"Item%i", i);
    CString text = GetItemText(i);
    ExchangeText(section.Get(), name, &text, L"");
  }
}

void CTkControlComboBoxList::CopyBarFrom(CTkCommandBar* source, BOOL recursive) {
  CTkPopupBar::CopyBarFrom(source, recursive);
  if (source == nullptr || source == this || !source->IsKindOf(RUNTIME_CLASS(CTkControlComboBoxList))) return;
  auto* list = static_cast<CTkControlComboBoxList*>(source);
  if (GetSafeHwnd() != nullptr) SendMessage(LB_RESETCONTENT);
  m_pendingItems.RemoveAll();
  for (int i = 0; i < list->GetCount(); ++i) AddString(list->GetItemText(i));
}

// The edit field.

CTkControl* CTkComboEditWnd::GetFieldControl() const { return m_pCombo; }

void CTkComboEditWnd::OnFieldTextChanged() { m_pCombo->OnWindowTextChanged(); }

void CTkComboEditWnd::OnFieldDestroyed() { m_pCombo->OnWindowDestroyed(); }

void CTkComboEditWnd::OnFieldSetFocus(HWND oldFocus) { m_pCombo->OnSetFocus(oldFocus); }

void CTkComboEditWnd::OnFieldKillFocus(HWND newFocus) {
  // The list gives the focus straight back (see its WM_SETFOCUS).
  CTkControlComboBoxList* list = m_pCombo->GetListBox();
  if (list != nullptr && list->GetSafeHwnd() != nullptr && newFocus == list->GetSafeHwnd()) return;
  m_pCombo->OnKillFocus();
}

// Back from the combo's own list: still the same editing.
BOOL CTkComboEditWnd::IsEditingUnderWay() const { return m_pCombo->IsFocused(); }

void CTkComboEditWnd::OnFieldMenu(CTkCommandBar* bar) {
  if (m_pCombo->IsListOpen()) bar->SetPopupControl(-1, FALSE);
}

// The shell's drop-down stands where the list would.
void CTkComboEditWnd::OnAutoCompleteShown(CTkCommandBar* bar) {
  if (m_pCombo->IsListOpen()) bar->SetPopupControl(-1, FALSE);
}

void CTkComboEditWnd::PostNcDestroy() {
  if (m_pCombo != nullptr) m_pCombo->OnWindowGone(this);
  delete this;
}

// The combo box.

CTkControlComboBox::CTkControlComboBox() : CTkControlPopup(kControlComboBox) {
  auto* list = new CTkControlComboBoxList;
  SetCommandBar(list);
  list->InternalRelease();
}

CTkControlComboBox::~CTkControlComboBox() {
  CTkControlComboBoxList* list = GetListBox();
  if (list != nullptr && list->GetOpeningControl() == this) {
    list->SetOpeningControl(nullptr);
    list->SetMenuMode(0, TRUE, FALSE);
  }
  DestroyEditWindow();
}

CTkMouseTracker* CTkControlComboBox::Tracker() const {
  CTkCommandBars* commandBars = GetCommandBars();
  return commandBars != nullptr ? commandBars->GetMouseTracker() : GetMouseTracker();
}

BOOL CTkControlComboBox::IsListOpen() const {
  CTkControlComboBoxList* list = GetListBox();
  return list != nullptr && list->GetMenuMode() != 0 && list->GetOpeningControl() == this;
}

int CTkControlComboBox::GetCurSel() const {
  CTkControlComboBoxList* list = GetListBox();
  if (list != nullptr && list->GetSafeHwnd() != nullptr) return static_cast<int>(list->SendMessage(LB_GETCURSEL));
  return m_nCurSel;
}

void CTkControlComboBox::SetCurSel(int index) {
  m_nCurSel = index;
  CTkControlComboBoxList* list = GetListBox();
  if (list != nullptr && list->GetSafeHwnd() != nullptr && list->SendMessage(LB_GETCURSEL) != index)
    list->SendMessage(LB_SETCURSEL, index);
}

CString CTkControlComboBox::GetListText() {
  CTkControlComboBoxList* list = GetListBox();
  return list != nullptr ? list->GetItemText(GetCurSel()) : CString();
}

CString CTkControlComboBox::GetFieldText() const {
  auto* self = const_cast<CTkControlComboBox*>(this);
  return m_pEdit != nullptr ? self->GetEditText() : self->GetListText();
}

void CTkControlComboBox::SetEditHint(const CString& hint) {
  CTkBarFieldText::SetEditHint(hint);
  InvalidateParent();
}

void CTkControlComboBox::SetDropDown(BOOL dropDown) {
  m_bDropDown = dropDown;
  if (dropDown && m_pEdit == nullptr) {
    m_pEdit = CreateEditWindow();
    m_bRepositionPending = TRUE;
  } else if (!dropDown) {
    DestroyEditWindow();
  }
  MarkControlsChanged();
}

void CTkControlComboBox::DestroyEditWindow() {
  if (m_pEdit == nullptr) return;
  CTkComboEditWnd* edit = m_pEdit;
  if (edit->GetSafeHwnd() == nullptr) {
    m_pEdit = nullptr;
    delete edit;
    return;
  }
  // The focus goes back and the frame hears of it while the bar is known.
  if (m_bFocused) SetFocused(FALSE);
  if (m_pAutoComplete != nullptr) m_pAutoComplete->SetupWindowHook(FALSE);
  OnWindowDestroyed();
  edit->Detach();
  m_pEdit = nullptr;
  edit->DestroyWindow();
}

// Placement.

void CTkControlComboBox::SetControlRect(CRect rect) {
  const CString text = GetEditText();
  HWND bar = m_pParent != nullptr ? m_pParent->GetSafeHwnd() : nullptr;
  if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr) {
    const BOOL rightToLeft = (m_pEdit->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    if (rightToLeft || ::GetParent(m_pEdit->GetSafeHwnd()) != bar) {
      DestroyEditWindow();
      m_pEdit = CreateEditWindow();
    }
  }
  if (m_pEdit == nullptr) {
    m_rcControl = rect;
    return;
  }
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
  m_nLabelWidth = IsLabelShown() ? std::max(0, rect.Width() - m_nWidth) : 0;
  CRect inner(rect.left + m_nLabelWidth + 4, rect.top + kFieldInset, rect.right - m_nThumbWidth - kFieldInset,
              rect.bottom - kFieldInset);
  inner.left += GetIconWidth(0);
  m_pEdit->SetWindowPos(nullptr, inner.left, inner.top, inner.Width(), inner.Height(),
                        SWP_NOZORDER | SWP_NOACTIVATE | (m_nHideFlags == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  m_bRepositionPending = FALSE;
}

int CTkControlComboBox::GetIconWidth(int width) const {
  if (m_nEditIconId == 0) return width;
  CTkImageManager* images = GetImageManager();
  CTkImageIcon* icon = images != nullptr ? images->GetImage(static_cast<UINT>(m_nEditIconId), 16) : nullptr;
  return icon != nullptr ? width + icon->GetWidth() + 2 : width;
}

void CTkControlComboBox::DrawEditText(CDC* pDC, CRect rect) {
  CTkColorScheme* colors = GetColorScheme();
  if (m_pEdit == nullptr && m_bEnabled && m_bFocused) {
    CRect fill = rect;
    fill.DeflateRect(1, 1);
    pDC->FillSolidRect(&fill, colors->GetColor(COLOR_HIGHLIGHT));
  }
  if (m_nEditIconId != 0) {
    CTkImageManager* images = GetImageManager();
    CTkImageIcon* icon = images != nullptr ? images->GetImage(static_cast<UINT>(m_nEditIconId), 16) : nullptr;
    if (icon != nullptr) {
      const int top = rect.top + (rect.Height() - icon->GetHeight()) / 2;
      icon->Draw(pDC, rect.left + 1, top, m_bEnabled ? icon->GetNormalImage() : icon->GetDisabledImage());
      rect.left += icon->GetWidth() + 2;
    }
  }
  if (m_pEdit != nullptr) return;
  CString text = GetListText();
  int color = !m_bEnabled ? COLOR_GRAYTEXT : m_bFocused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
  if (text.IsEmpty() && m_bEnabled && !m_bFocused) {
    text = m_strEditHint;
    color = COLOR_GRAYTEXT;
  }
  pDC->SetTextColor(colors->GetColor(color));
  pDC->SetBkMode(TRANSPARENT);
  pDC->DrawText(text, &rect, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
}

void CTkControlComboBox::SetHideFlags(int flags) {
  if (flags == m_nHideFlags) return;
  m_nHideFlags = flags;
  if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr)
    m_pEdit->SetWindowPos(nullptr, 0, 0, 0, 0,
                          SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                              (flags == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  MarkControlsChanged();
}

void CTkControlComboBox::SetEnabled(BOOL enabled) {
  if (enabled == m_bEnabled) return;
  m_bEnabled = enabled;
  if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr) {
    m_pEdit->EnableWindow(enabled);
    ApplyCharFormat();
  }
  DelayRedrawParent();
}

void CTkControlComboBox::SetWidth(int width) {
  if (width == m_nWidth) return;
  m_nWidth = width;
  MarkControlsChanged();
}

void CTkControlComboBox::SetParentBar(CTkCommandBar* bar) {
  // The field ends while its bar still hears of the focus leaving.
  if (bar == nullptr) DestroyEditWindow();
  m_pParent = bar;
}

// Opening and closing.

BOOL CTkControlComboBox::SetPopuped(BOOL popuped) {
  if (popuped) {
    EnsureListWindow();
    m_bSelectionMade = FALSE;
    m_nSavedSelection = GetCurSel();
    if (m_pAutoComplete != nullptr && m_pAutoComplete->GetDropDown() != nullptr)
      ::ShowWindow(m_pAutoComplete->GetDropDown(), SW_HIDE);
    // The field takes the focus before the list shows: under Wine, focusing
    // a window of the frame restacks the frame over a list already shown.
    if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr && ::GetFocus() != m_pEdit->GetSafeHwnd())
      m_pEdit->SetFocus();
  } else if (m_bPopuped && !m_bSelectionMade) {
    if (!m_bFocused && m_pEdit == nullptr) SetCurSel(m_nSavedSelection);
    NotifySite(kComboSelEndCancel);
  }
  return CTkControlPopup::SetPopuped(popuped);
}

void CTkControlComboBox::OnListOpened() {
  ++Tracker()->m_suppressCount;
  if (m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr) OnEditChanged();
  NotifySite(kComboDropDown);
}

void CTkControlComboBox::OnListClosed() {
  CTkReferenceScope hold;
  hold.Hold(this);
  // The bar lets the combo go first, so a cancel comes before the close,
  // whichever side closes the list.
  if (m_pParent != nullptr) m_pParent->SetPopupControl(-1, FALSE);
  NotifySite(kComboCloseUp);
  --Tracker()->m_suppressCount;
  InvalidateParent();
}

CTkControlComboBoxList* CTkControlComboBox::EnsureListWindow() {
  CTkControlComboBoxList* list = GetListBox();
  if (list == nullptr) return nullptr;
  if (list->GetSafeHwnd() == nullptr) {
    if (!list->CreateListWindow()) return nullptr;
    list->SendMessage(LB_SETCURSEL, m_nCurSel);
  }
  return list;
}

void CTkControlComboBox::CloseList() {
  if (IsListOpen() && m_pParent != nullptr) {
    if (m_pParent->GetPopupIndex() == m_nIndex)
      m_pParent->SetPopupControl(-1, FALSE);
    else
      GetListBox()->SetMenuMode(0, TRUE, FALSE);
  }
}

void CTkControlComboBox::CancelSelection() {
  SetCurSel(m_nSavedSelection);
  NotifySite(kComboSelEndCancel);
}

void CTkControlComboBox::ExecuteCommand() {
  if (GetCurSel() != -1 && (IsListOpen() || (m_pEdit == nullptr && m_bFocused))) NotifySite(kComboSelEndOk);
  m_bSelectionMade = TRUE;
  m_nSavedSelection = GetCurSel();
  CTkControlPopup::ExecuteCommand();
}

void CTkControlComboBox::OnSelChanged() {
  const int index = GetCurSel();
  m_nCurSel = index;
  if (index != -1) SetEditText(GetListText());
  InvalidateParent();
  NotifySite(kComboSelChange);
}

void CTkControlComboBox::OnEditChanged() {
  CTkControlComboBoxList* list = GetListBox();
  const BOOL open = IsListOpen() && list->GetSafeHwnd() != nullptr;
  if (m_bAutoComplete && !m_bCompletionSuppressed) {
    if (m_pEdit == nullptr || m_pEdit->GetSafeHwnd() == nullptr) {
      NotifySite(kComboEditChange);
      return;
    }
    const CString typed = GetEditText();
    DWORD start = 0;
    DWORD end = 0;
    m_pEdit->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (open && !typed.IsEmpty() && start == end && static_cast<int>(end) == typed.GetLength()) {
      const int found = static_cast<int>(
          list->SendMessage(LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(typed))));
      if (found != LB_ERR) {
        const CString item = list->GetItemText(found);
        SetRawText(item);
        m_pEdit->SendMessage(EM_SETSEL, item.GetLength(), typed.GetLength());
        m_pEdit->SendMessage(EM_SCROLLCARET);
        m_bCompletionSuppressed = TRUE;
      }
    }
  }
  if (open) {
    const CString text = GetEditText();
    const LPARAM key = reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(text));
    const int exact = static_cast<int>(list->SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), key));
    if (exact != LB_ERR) {
      SetCurSel(exact);
    } else {
      const int prefix = text.IsEmpty() ? LB_ERR
                                        : static_cast<int>(list->SendMessage(LB_FINDSTRING, static_cast<WPARAM>(-1), key));
      if (prefix != LB_ERR) list->SendMessage(LB_SETTOPINDEX, prefix);
      SetCurSel(-1);
    }
  }
  NotifySite(kComboEditChange);
}

// Focus and keys.

void CTkControlComboBox::OnClick(BOOL byKeyboard, CPoint point) {
  if (m_pEdit != nullptr && m_pEdit->IsComposing()) return;
  if (IsCustomizeMode()) {
    if (m_pParent != nullptr) {
      m_pParent->SetPopupControl(-1, FALSE);
      m_pParent->SetHighlightedControl(-1, FALSE);
    }
    CustomizeMouseDown(point);
    return;
  }
  if (byKeyboard && m_bEnabled) {
    if (m_bFocused)
      ExecuteCommand();
    else
      SetFocused(TRUE);
    return;
  }
  if (IsListOpen() && m_bFocused) {
    CloseList();
    return;
  }
  CTkControlPopup::OnClick(byKeyboard, point);
}

void CTkControlComboBox::OnMouseHover() {
  if (Tracker()->m_suppressCount <= 0) CTkControlPopup::OnMouseHover();
}

BOOL CTkControlComboBox::SetSelectionState(int state) {
  if (state == 0 && m_bFocused) SetFocused(FALSE);
  return CTkControlPopup::SetSelectionState(state);
}

void CTkControlComboBox::OnSetFocus(HWND oldFocus) {
  ClearHint();
  m_strTextAtFocus = GetEditText();
  HWND bar = m_pParent != nullptr ? m_pParent->GetSafeHwnd() : nullptr;
  if (oldFocus != nullptr && ::IsWindow(oldFocus) && oldFocus != bar && !::IsChild(bar, oldFocus)) {
    m_hFocusReturn = oldFocus;
  } else if (m_hFocusReturn == nullptr || !::IsWindow(m_hFocusReturn)) {
    CWnd* site = m_pParent != nullptr ? m_pParent->GetOwnerSite() : nullptr;
    m_hFocusReturn = site != nullptr ? site->GetSafeHwnd() : nullptr;
  }
  // Another control's popup closes; the combo's own list stays.
  if (m_pParent != nullptr && m_pParent->GetPopupIndex() != m_nIndex) m_pParent->SetPopupControl(-1, FALSE);
  SetFocused(TRUE);
  if (m_pAutoComplete != nullptr) m_pAutoComplete->SetupWindowHook(TRUE);
}

void CTkControlComboBox::OnKillFocus() {
  if (GetRawText().IsEmpty()) ShowHint();
  CloseList();
  SetFocused(FALSE);
  if (m_pAutoComplete != nullptr) m_pAutoComplete->SetupWindowHook(FALSE);
}

void CTkControlComboBox::SetFocused(BOOL focused) {
  if (focused == m_bFocused) return;
  m_bFocused = focused;
  HWND edit = m_pEdit != nullptr ? m_pEdit->GetSafeHwnd() : nullptr;
  CTkMouseTracker* tracker = Tracker();
  if (focused) {
    if (edit != nullptr && ::GetFocus() != edit) ::SetFocus(edit);
    if (m_pParent != nullptr) {
      m_pParent->SetMenuMode(1, FALSE, FALSE);
      m_pParent->SetHighlightedControl(m_nIndex, FALSE);
    }
    ++tracker->m_suppressCount;
    m_nSavedSelection = GetCurSel();
    m_bSelectionMade = FALSE;
    NotifySite(kComboSetFocus);
  } else {
    if (edit != nullptr && ::GetFocus() == edit && m_hFocusReturn != nullptr && ::IsWindow(m_hFocusReturn))
      ::SetFocus(m_hFocusReturn);
    --tracker->m_suppressCount;
    NotifySite(kComboKillFocus);
    if (!m_bSelectionMade && !IsListOpen() && m_pEdit == nullptr) CancelSelection();
    HWND bar = m_pParent != nullptr ? m_pParent->GetSafeHwnd() : nullptr;
    HWND focus = ::GetFocus();
    if (bar != nullptr && m_pParent->GetMenuMode() != 0 && (focus == nullptr || !::IsChild(bar, focus)) &&
        m_pParent->GetType() != kBarPopup && !IsListOpen())
      m_pParent->SetMenuMode(0, TRUE, FALSE);
  }
  InvalidateParent();
}

int CTkControlComboBox::OnHookKeyDown(UINT key, LPARAM) {
  if (!m_bFocused) return 0;
  m_bCompletionSuppressed = key == VK_DELETE || key == VK_BACK;
  const HWND edit = m_pEdit != nullptr ? m_pEdit->GetSafeHwnd() : nullptr;
  if (m_pEdit != nullptr && m_pEdit->IsComposing()) return 2;
  const BOOL alt = IsKeyDown(VK_MENU);
  const BOOL shellTakesTab = m_pAutoComplete != nullptr && (m_dwAutoCompleteFlags & 0x8) != 0;
  if ((key == VK_TAB && !shellTakesTab) || key == VK_RETURN) return 0;
  if (key == VK_ESCAPE) {
    CTkReferenceScope hold;
    hold.Hold(this);
    CloseList();
    SetCurSel(m_nSavedSelection);
    SetRawText(m_strTextAtFocus);
    m_bSelectionMade = TRUE;
    SetFocused(FALSE);
    return 1;
  }
  if (((key == VK_UP || key == VK_DOWN) && alt) || (key == VK_F4 && !alt)) {
    if (IsListOpen())
      CloseList();
    else if (m_pParent != nullptr)
      m_pParent->SetPopupControl(m_nIndex, TRUE);
    return 1;
  }
  if (m_pAutoComplete != nullptr && m_pAutoComplete->ProcessKey(key)) return 1;
  const BOOL listKey = (key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN) && !alt;
  CTkControlComboBoxList* list = listKey || edit == nullptr ? EnsureListWindow() : nullptr;
  if (list != nullptr) {
    const int before = GetCurSel();
    list->SendKeyToList(key);
    if (GetCurSel() != before) OnSelChanged();
    return 1;
  }
  if (edit != nullptr && (key == VK_BACK || (key >= VK_PRIOR && key <= VK_DELETE))) {
    MSG msg = {edit, WM_KEYDOWN, key, 0, 0, {0, 0}};
    return ::IsDialogMessageW(edit, &msg) ? 1 : 2;
  }
  return 2;
}

// Stored form and copies.

void CTkControlComboBox::ExchangeControlProperties(CTkPropExchange* exchange) {
  CTkControlPopup::ExchangeControlProperties(exchange);
  ExchangeBool(exchange, L"DropDown", &m_bDropDown, TRUE);
  ExchangeInt(exchange, L"Width", &m_nWidth, 0);
  ExchangeInt(exchange, L"ComboStyle", &m_nComboStyle, 0);
  if (exchange->m_nSchema > 8) {
    ExchangeText(exchange, L"EditHint", &m_strEditHint, L"");
    int flags = static_cast<int>(m_dwAutoCompleteFlags);
    ExchangeInt(exchange, L"ShellAutoCompleteFlags", &flags, 0);
    m_dwAutoCompleteFlags = static_cast<DWORD>(flags);
    ExchangeBool(exchange, L"AutoComplete", &m_bAutoComplete, FALSE);
    ExchangeInt(exchange, L"EditIconId", &m_nEditIconId, 0);
    ExchangeInt(exchange, L"DropDownItemCount", &m_nDropDownItemCount, 12);
  }
  if (exchange->IsLoading()) {
    SetDropDown(m_bDropDown);
    SetAutoComplete(m_dwAutoCompleteFlags);
  }
}

void CTkControlComboBox::CopyControlFrom(CTkControl* source, BOOL recursive) {
  if (source != nullptr && source != this && source->IsKindOf(RUNTIME_CLASS(CTkControlComboBox))) {
    auto* combo = static_cast<CTkControlComboBox*>(source);
    SetDropDown(combo->m_bDropDown);
    m_nComboStyle = combo->m_nComboStyle;
    m_nWidth = combo->m_nWidth;
    m_strEditHint = combo->m_strEditHint;
    SetEditText(combo->GetEditText());
    m_bAutoComplete = combo->m_bAutoComplete;
    m_dwAutoCompleteFlags = combo->m_dwAutoCompleteFlags;
    m_nEditIconId = combo->m_nEditIconId;
    m_nDropDownItemCount = combo->m_nDropDownItemCount;
  }
  CTkControlPopup::CopyControlFrom(source, recursive);
}

BOOL CTkControlComboBox::IsEqualControl(CTkControl* other) {
  return CTkControlPopup::IsEqualControl(other) && other->IsKindOf(RUNTIME_CLASS(CTkControlComboBox)) &&
         static_cast<CTkControlComboBox*>(other)->m_nWidth == m_nWidth;
}
