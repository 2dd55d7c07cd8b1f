// The menu bar's side of an MDI frame: while the active child is
// maximized, its system-menu icon leads the bar and its minimize, restore
// and close buttons end it.
#include "bar_painter.h"
#include "command_bars.h"
#include "draw_helpers.h"
#include "menu_bar.h"
#include "popup_bar.h"

IMPLEMENT_DYNCREATE(CTkControlMDISysCommand, CTkControlButton)
IMPLEMENT_DYNCREATE(CTkControlMDIButton, CTkControlMDISysCommand)
IMPLEMENT_DYNCREATE(CTkControlMDISystemMenu, CTkControlPopup)

namespace {
// Items of a system menu whose ids are system commands.
const UINT kFirstSysCommand = 0xF000;
const UINT kLastSysCommand = 0xF1EF;
// Their prompts: one string per command, from the framework's first.
const UINT kFirstSysCommandPrompt = 0xEF00;
const int kIconSize = 16;

// The child's icon as a 16 x 16 copy of our own: the child keeps its icon.
HICON CopyChildIcon(HWND child) {
  auto icon = reinterpret_cast<HICON>(::SendMessageW(child, WM_CMDBARS_GETICON, 0, 0));
  if (icon == nullptr) icon = reinterpret_cast<HICON>(::SendMessageW(child, WM_GETICON, ICON_SMALL, 0));
  if (icon == nullptr) icon = reinterpret_cast<HICON>(::SendMessageW(child, WM_GETICON, ICON_BIG, 0));
  if (icon == nullptr) icon = reinterpret_cast<HICON>(::GetClassLongPtrW(child, GCLP_HICONSM));
  if (icon == nullptr) icon = ::LoadIconW(nullptr, IDI_APPLICATION);
  return icon != nullptr ? static_cast<HICON>(::CopyImage(icon, IMAGE_ICON, kIconSize, kIconSize, 0)) : nullptr;
}

CTkMenuBar* MenuBarOf(CTkControl* control) {
  CTkCommandBar* bar = control->GetParent();
  CTkCommandBar* root = bar != nullptr ? bar->GetRootBar() : nullptr;
  return root != nullptr && root->IsKindOf(RUNTIME_CLASS(CTkMenuBar)) ? static_cast<CTkMenuBar*>(root) : nullptr;
}
}  // namespace

CTkControlMDISysCommand::CTkControlMDISysCommand(UINT command) : m_nSysCommand(command) {
  // Their state is the child's, not the frame's command handlers'.
  m_nFlags |= kFlagNoUpdate | kFlagNotCustomizable;
}

void CTkControlMDISysCommand::ExecuteCommand() {
  CTkMenuBar* menuBar = MenuBarOf(this);
  HWND child = menuBar != nullptr ? menuBar->GetActiveMDIChild(nullptr) : nullptr;
  if (child != nullptr) ::SendMessageW(child, WM_SYSCOMMAND, m_nSysCommand, 0);
}

CTkControlMDIButton::CTkControlMDIButton(UINT command, LPCWSTR glyph, LPCWSTR tip)
    : CTkControlMDISysCommand(command) {
  m_strCaption = glyph;
  m_strTooltipText = tip;
  m_nFlags |= kFlagRightAligned;
}

CSize CTkControlMDIButton::GetSize(CDC*) {
  return CSize(::GetSystemMetrics(SM_CXMENUSIZE), ::GetSystemMetrics(SM_CYMENUSIZE));
}

void CTkControlMDIButton::Draw(CDC* pDC) {
  if (CTkBarPainter* painter = GetPaintManager()) painter->DrawControlFaceOf(pDC, this);
  CFont glyphs;
  if (!glyphs.CreatePointFont(::MulDiv(80, 96, pDC->GetDeviceCaps(LOGPIXELSX)), L"Marlett", pDC)) return;
  CTkFontSelector font(pDC, &glyphs);
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(::GetSysColor(m_bEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  CRect rect = m_rcControl;
  pDC->DrawText(m_strCaption, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

CTkControlMDISystemMenu::CTkControlMDISystemMenu() : CTkControlPopup(kControlPopup) {
  m_nFlags |= kFlagNoUpdate | kFlagNotCustomizable;
}

CTkControlMDISystemMenu::~CTkControlMDISystemMenu() { SetIcon(nullptr); }

void CTkControlMDISystemMenu::SetIcon(HICON icon) {
  if (m_hIcon != nullptr) ::DestroyIcon(m_hIcon);
  m_hIcon = icon;
}

CSize CTkControlMDISystemMenu::GetSize(CDC*) { return CSize(kIconSize, kIconSize); }

void CTkControlMDISystemMenu::Draw(CDC* pDC) {
  if (m_hIcon == nullptr) return;
  ::DrawStateW(pDC->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(m_hIcon), 0, m_rcControl.left,
               m_rcControl.top, kIconSize, kIconSize, DST_ICON);
}

void CTkControlMDISystemMenu::GetPopupPosition(CRect& rect) {
  CTkControlPopup::GetPopupPosition(rect);
  rect.InflateRect(1, 1);
}

BOOL CTkControlMDISystemMenu::UpdateFromChild(HWND child) {
  HMENU systemMenu = ::GetSystemMenu(child, FALSE);
  if (child == m_hChild && systemMenu == m_hSystemMenu && m_hIcon != nullptr) return FALSE;
  m_hChild = child;
  m_hSystemMenu = systemMenu;
  SetIcon(CopyChildIcon(child));
  CTkCommandBar* popup = GetCommandBar();
  if (popup == nullptr) {
    popup = CTkPopupBar::CreateForCommandBars(GetCommandBars());
    if (popup == nullptr) return TRUE;
    SetCommandBar(popup);
    popup->InternalRelease();
  }
  CTkControls* items = popup->GetControls();
  items->RemoveAll();
  if (systemMenu == nullptr) return TRUE;
  CMenu* menu = CMenu::FromHandle(systemMenu);
  const UINT defaultItem = ::GetMenuDefaultItem(systemMenu, FALSE, GMDI_USEDISABLED);
  BOOL beginGroup = FALSE;
  const int count = ::GetMenuItemCount(systemMenu);
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    if (!::GetMenuItemInfoW(systemMenu, static_cast<UINT>(position), TRUE, &item)) continue;
    if ((item.fType & MFT_SEPARATOR) != 0) {
      beginGroup = TRUE;
      continue;
    }
    CTkControl* control = nullptr;
    if (item.hSubMenu == nullptr && item.wID >= kFirstSysCommand && item.wID <= kLastSysCommand) {
      control = items->AddControl(new CTkControlMDISysCommand(item.wID), item.wID);
      CString text;
      menu->GetMenuString(static_cast<UINT>(position), text, MF_BYPOSITION);
      control->SetCaption(text);
      CString prompt;
      if (prompt.LoadString(((item.wID - kFirstSysCommand) >> 4) + kFirstSysCommandPrompt)) control->SetPrompt(prompt);
      control->SetDefaultItem(item.wID == defaultItem);
      control->SetEnabled((item.fState & (MFS_GRAYED | MFS_DISABLED)) == 0);
    } else {
      control = items->AddMenuItem(menu, position);
    }
    if (control == nullptr) continue;
    if (beginGroup) control->SetBeginGroup(TRUE);
    beginGroup = FALSE;
  }
  return TRUE;
}

BOOL CTkMenuBar::RemoveMDIControls() {
  BOOL removed = FALSE;
  for (UINT id = kMDICloseId; id <= kMDISystemMenuId; ++id) {
    while (CTkControl* control = m_pControls->FindControl(id)) {
      m_pControls->Remove(control);
      removed = TRUE;
    }
  }
  return removed;
}

BOOL CTkMenuBar::UpdateMDIControls(HWND child, BOOL maximized) {
  if (child == nullptr || !maximized) return RemoveMDIControls();
  BOOL changed = FALSE;
  const DWORD style = static_cast<DWORD>(::GetWindowLongW(child, GWL_STYLE));

  CTkControl* systemMenu = m_pControls->FindControl(kMDISystemMenuId);
  if ((m_dwFlags & kDockSystemMenuIcon) != 0) {
    if (systemMenu == nullptr) {
      systemMenu = m_pControls->AddControl(new CTkControlMDISystemMenu, kMDISystemMenuId, L"", 0, TRUE);
      changed = TRUE;
    }
    if (systemMenu->IsKindOf(RUNTIME_CLASS(CTkControlMDISystemMenu)) &&
        static_cast<CTkControlMDISystemMenu*>(systemMenu)->UpdateFromChild(child))
      changed = TRUE;
  } else if (systemMenu != nullptr) {
    m_pControls->Remove(systemMenu);
    changed = TRUE;
  }

  struct Button {
    UINT id;
    UINT command;
    LPCWSTR glyph;
    LPCWSTR tip;
    BOOL wanted;
  } const buttons[] = {
      {kMDIMinimizeId, SC_MINIMIZE, L"0", L"\nMinimize Window",
       (style & WS_MINIMIZEBOX) != 0 && (m_dwFlags & kDockNoMinimizeBox) == 0},
      {kMDIRestoreId, SC_RESTORE, L"2", L"\nRestore Window",
       (style & WS_MAXIMIZEBOX) != 0 && (m_dwFlags & kDockNoRestoreBox) == 0},
      {kMDICloseId, SC_CLOSE, L"r", L"\nClose Window", (m_dwFlags & kDockNoCloseBox) == 0},
  };
  BOOL same = TRUE;
  for (const Button& button : buttons)
    if ((m_pControls->FindControl(button.id) != nullptr) != (button.wanted != FALSE)) same = FALSE;
  if (same) return changed;
  // Appended in their order: the ones there go first.
  for (const Button& button : buttons)
    if (CTkControl* control = m_pControls->FindControl(button.id)) m_pControls->Remove(control);
  for (const Button& button : buttons)
    if (button.wanted)
      m_pControls->AddControl(new CTkControlMDIButton(button.command, button.glyph, button.tip), button.id, L"", -1,
                              TRUE);
  return TRUE;
}

void CTkMenuBar::RefreshMDIButtons() {
  BOOL maximized = FALSE;
  HWND child = GetActiveMDIChild(&maximized);
  if (child != m_hHookedChild) {
    if (m_hHookedChild != nullptr) CTkWindowHookTable::DetachClient(m_hHookedChild, this);
    m_hHookedChild = child;
    if (child != nullptr) CTkWindowHookTable::AttachClient(child, this);
  }
  if (!m_bVisible) return;
  if (UpdateMDIControls(child, maximized)) {
    ResetTrackingIndices();
    OnControlsChanged();
    if (GetSafeHwnd() != nullptr) Invalidate(FALSE);
  }
}
