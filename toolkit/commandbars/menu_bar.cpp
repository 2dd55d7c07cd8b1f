#include "menu_bar.h"

#include "command_bars.h"
#include "image_manager.h"
#include "toolkit_resources.h"

IMPLEMENT_DYNCREATE(CTkMenuBar, CTkToolBar)

namespace {
BOOL IsMDIClient(HWND window) {
  if (window == nullptr) return FALSE;
  wchar_t name[16] = {};
  ::GetClassNameW(window, name, 16);
  return ::lstrcmpiW(name, L"MDIClient") == 0;
}
}  // namespace

BEGIN_MESSAGE_MAP(CTkMenuBar, CTkToolBar)
ON_WM_TIMER()
END_MESSAGE_MAP()

CTkMenuBar::CTkMenuBar() {
  m_barType = kBarMenu;
  m_bShowExpandButton = FALSE;
}

CTkMenuBar::~CTkMenuBar() {
  CTkWindowHookTable::DetachClientEverywhere(this);
  ReleaseMenuSets();
  if (m_hFrameMenu != nullptr) ::DestroyMenu(m_hFrameMenu);
}

void CTkMenuBar::ReleaseMenuSets() {
  std::map<UINT, CTkControls*> sets;
  sets.swap(m_menuControlSets);
  for (auto& entry : sets) entry.second->InternalRelease();
}

BOOL CTkMenuBar::RebuildFromMenuId(UINT menuId) {
  LPCWSTR name = MAKEINTRESOURCEW(menuId);
  HINSTANCE module = AfxFindResourceHandle(name, RT_MENU);
  HMENU loaded = ::FindResourceW(module, name, RT_MENU) != nullptr ? ::LoadMenuW(module, name) : nullptr;
  if (loaded == nullptr) return FALSE;
  const BOOL built = BuildFromMenu(CMenu::FromHandle(loaded), TRUE);
  ::DestroyMenu(loaded);
  return built;
}

BOOL CTkMenuBar::LoadMenuBar(UINT menuId) {
  if (menuId != 0) {
    if (!RebuildFromMenuId(menuId)) return FALSE;
    m_nDefaultMenuId = m_nCurrentMenuId = menuId;
  }
  CTkCommandBars* commandBars = GetCommandBars();
  CWnd* frame = commandBars != nullptr ? commandBars->GetFrame() : nullptr;
  if (frame == nullptr || frame->GetSafeHwnd() == nullptr) return TRUE;
  CWnd* client = frame->GetDlgItem(AFX_IDW_PANE_FIRST);
  m_bMDIFrame = client != nullptr && IsMDIClient(client->GetSafeHwnd());
  CTkWindowHookTable::AttachClient(frame->m_hWnd, this);
  if (m_bMDIFrame) CTkWindowHookTable::AttachClient(client->m_hWnd, this);
  // The maximized child's system menu shows these for its commands.
  const UINT systemCommands[] = {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};
  commandBars->GetImageManagerOrDefault()->AddIconsFromResource(IDB_TK_SYSTEM_COMMANDS, systemCommands, 4, 16, 16);
  // The frame shows the bar instead of its own menu.
  m_hFrameMenu = ::GetMenu(frame->m_hWnd);
  if (m_hFrameMenu != nullptr) ::SetMenu(frame->m_hWnd, nullptr);
  return TRUE;
}

HWND CTkMenuBar::GetActiveMDIChild(BOOL* maximized) const {
  if (maximized != nullptr) *maximized = FALSE;
  if (!m_bMDIFrame) return nullptr;
  CTkCommandBars* commandBars = GetCommandBars();
  CWnd* frame = commandBars != nullptr ? commandBars->GetFrame() : nullptr;
  CWnd* client = frame != nullptr ? frame->GetDlgItem(AFX_IDW_PANE_FIRST) : nullptr;
  if (client == nullptr) return nullptr;
  BOOL zoomed = FALSE;
  HWND child = reinterpret_cast<HWND>(client->SendMessage(WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&zoomed)));
  if (maximized != nullptr) *maximized = zoomed;
  return child;
}

void CTkMenuBar::SwitchMenu(HMENU menu) {
  CTkCommandBars* commandBars = GetCommandBars();
  if (commandBars == nullptr || menu == nullptr) return;
  UINT wanted = commandBars->GetActiveMenuId();
  if (menu == m_hFrameMenu) wanted = m_nDefaultMenuId;
  if (wanted == 0 || wanted == m_nCurrentMenuId || ::GetMenuItemCount(menu) <= 0) return;
  // The child controls belong to no menu; they come back with the refresh.
  RemoveMDIControls();
  if (commandBars->IsCustomizeAllowed()) {
    auto current = m_menuControlSets.find(m_nCurrentMenuId);
    if (current != m_menuControlSets.end()) current->second->InternalRelease();
    m_pControls->InternalAddRef();
    m_menuControlSets[m_nCurrentMenuId] = m_pControls;
    auto stored = m_menuControlSets.find(wanted);
    CTkControls* next = nullptr;
    if (stored != m_menuControlSets.end()) {
      next = stored->second;
      m_menuControlSets.erase(stored);
    }
    CTkControls* old = m_pControls;
    m_pControls = next != nullptr ? next : new CTkControls;
    m_pControls->SetParent(this);
    old->SetParent(nullptr);
    old->InternalRelease();
    if (next == nullptr) {
      BuildFromMenu(CMenu::FromHandle(menu), TRUE);
      m_pControls->CreateOriginalControls();
    } else if (m_pControls->GetOriginalControls() == nullptr) {
      m_pControls->CreateOriginalControls();
    }
  } else {
    BuildFromMenu(CMenu::FromHandle(menu), TRUE);
  }
  m_nCurrentMenuId = wanted;
  OnControlsChanged();
}

void CTkMenuBar::FoldMenuSets() {
  if (!m_menuControlSets.empty() && m_hFrameMenu != nullptr) {
    SwitchMenu(m_hFrameMenu);
    m_bSetsRestored = TRUE;
  }
  for (auto it = m_menuControlSets.begin(); it != m_menuControlSets.end();) {
    CTkControls* set = it->second;
    if (set->GetOriginalControls() != nullptr && set->IsEqual(set->GetOriginalControls())) {
      set->InternalRelease();
      it = m_menuControlSets.erase(it);
    } else {
      ++it;
    }
  }
}

void CTkMenuBar::CopyBarFrom(CTkCommandBar* source, BOOL recursive) {
  CTkToolBar::CopyBarFrom(source, recursive);
  if (source == nullptr || !source->IsKindOf(RUNTIME_CLASS(CTkMenuBar))) return;
  auto* bar = static_cast<CTkMenuBar*>(source);
  m_nDefaultMenuId = bar->m_nDefaultMenuId;
  ReleaseMenuSets();
  for (const auto& entry : bar->m_menuControlSets) m_menuControlSets[entry.first] = entry.second->Duplicate(TRUE);
}

void CTkMenuBar::ResetToolBar() {
  if ((!m_menuControlSets.empty() || m_pControls->GetOriginalControls() == nullptr) && m_nCurrentMenuId != 0) {
    CString format;
    format.LoadString(IDS_TK_RESET_TOOLBAR_QUESTION);
    CString question;
    question.Format(format, static_cast<LPCWSTR>(m_strTitle));
    CWnd* site = GetOwnerSite();
    if (::MessageBoxW(site != nullptr ? site->GetSafeHwnd() : nullptr, question, m_strTitle,
                      MB_OKCANCEL | MB_ICONWARNING) == IDOK)
      RebuildFromMenuId(m_nCurrentMenuId);
  } else if (m_pControls->GetOriginalControls() != nullptr) {
    CTkToolBar::ResetToolBar();
  }
  RefreshMDIButtons();
  UpdateControls(TRUE, 0);
  OnControlsChanged();
}

void CTkMenuBar::OnTimer(UINT_PTR id) {
  if (id == kRefreshTimer) {
    KillTimer(kRefreshTimer);
    RefreshMDIButtons();
  }
  CTkToolBar::OnTimer(id);
}

int CTkMenuBar::OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result) {
  CTkCommandBars* commandBars = GetCommandBars();
  if ((hWnd == m_hHookedChild && (message == WM_SIZE || message == WM_WINDOWPOSCHANGED)) ||
      message == WM_MDICREATE || message == WM_MDIDESTROY || message == WM_MDIACTIVATE) {
    if (GetSafeHwnd() != nullptr) PostMessage(WM_TIMER, kRefreshTimer);
  }
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU && lParam == 0 && m_bVisible &&
      commandBars != nullptr && commandBars->GetMouseTracker()->m_suppressCount == 0 && ::GetKeyState(VK_SHIFT) >= 0 &&
      !commandBars->IsCustomizeMode()) {
    commandBars->ActivateBarByKeyboard(this, 0);
    result = 0;
    return kHandled;
  }
  if (message == WM_MDISETMENU) {
    CTkCommandBars* bars = commandBars;
    CWnd* frame = bars != nullptr ? bars->GetFrame() : nullptr;
    if (m_bVisible) {
      if ((m_dwFlags & kDockNoMDISetMenu) == 0) {
        HMENU menu = reinterpret_cast<HMENU>(wParam);
        if (menu != nullptr)
          SwitchMenu(menu);
        else if (m_hFrameMenu != nullptr)
          SwitchMenu(m_hFrameMenu);
      }
      if (frame != nullptr && frame->GetSafeHwnd() != nullptr && ::GetMenu(frame->m_hWnd) != nullptr)
        ::SetMenu(frame->m_hWnd, nullptr);
      RefreshMDIButtons();
      wParam = 0;
      result = 0;
      return kHandled;
    }
    if (frame != nullptr && ::GetMenu(frame->m_hWnd) == nullptr) {
      result = 0;
      return kHandled;
    }
  }
  return CTkCommandBar::OnHookMessage(hWnd, message, wParam, lParam, result);
}
