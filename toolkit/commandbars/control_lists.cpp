#include "control_lists.h"

#include "command_bar.h"
#include "command_bars.h"
#include "control_collection.h"
#include "mdi_wnd.h"
#include "popup_bar.h"
#include "tool_bar.h"
#include "win_app.h"

IMPLEMENT_DYNCREATE(CTkControlWindowList, CTkControlButton)
IMPLEMENT_DYNCREATE(CTkControlToolbars, CTkControlButton)
IMPLEMENT_DYNCREATE(CTkControlOleItems, CTkControlButton)
IMPLEMENT_DYNCREATE(CTkControlRecentFileList, CTkControlButton)
IMPLEMENT_DYNCREATE(CTkControlWorkspaceActions, CTkControlButton)

namespace {

const wchar_t kToolbarItemParameter[] = L"CTkControlToolbar";
const wchar_t kOlePopupParameter[] = L"OLEMENUPOPUP";
const int kMaxWindowItems = 9;

// An item of the tool-bars list: runs by showing or hiding its bar, whose
// index is the tag.
class CTkControlToolbarItem : public CTkControlButton {
 public:
  void ExecuteCommand() override {
    CTkCommandBars* commandBars = GetCommandBars();
    if (commandBars == nullptr) return;
    commandBars->CloseAllPopups();
    commandBars->ToggleBarVisible(GetTag());
  }
};

// Removes the temporary controls after the list that the test picks.
template <class Test>
void RemoveItemsAfter(CTkControl* list, Test test) {
  CTkControls* controls = list->GetControls();
  if (controls == nullptr) return;
  for (int i = controls->GetCount() - 1; i > list->GetIndex(); --i) {
    CTkControl* control = controls->GetAt(i);
    if (control->IsTemporary() && test(control)) controls->Remove(control);
  }
}

// The MDI client of the bar's owner site, when that is an MDI frame.
HWND OwnerMdiClient(CTkControl* list) {
  CTkCommandBar* parent = list->GetParent();
  CWnd* site = parent != nullptr ? parent->GetOwnerSite() : nullptr;
  if (site == nullptr) {
    CTkCommandBars* commandBars = list->GetCommandBars();
    site = commandBars != nullptr ? commandBars->GetFrame() : nullptr;
  }
  if (site == nullptr || !site->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) return nullptr;
  HWND client = static_cast<CMDIFrameWnd*>(site)->m_hWndMDIClient;
  return ::IsWindow(client) ? client : nullptr;
}

// Records whether a handler enabled the command.
class CEnableQuery : public CCmdUI {
 public:
  void Enable(BOOL on) override {
    enabled = on;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int) override {}
  void SetRadio(BOOL) override {}
  void SetText(LPCWSTR) override {}
  BOOL enabled = FALSE;
};

}  // namespace

CString NumberedListCaption(const CString& text, int number) {
  CString doubled = text;
  doubled.Replace(L"&", L"&&");
  CString caption;
  if (number >= 1 && number <= 9)
    caption.Format(L"&%i %s", number, static_cast<LPCWSTR>(doubled));
  else if (number == 10)
    caption.Format(L"1&0 %s", static_cast<LPCWSTR>(doubled));
  else if (number > 10)
    caption.Format(L"%i %s", number, static_cast<LPCWSTR>(doubled));
  else
    caption = doubled;
  return caption;
}

BOOL AcceptsDropOnPopupsOnly(CTkCommandBar* target, DROPEFFECT& effect) {
  if (target != nullptr && target->GetType() == kBarPopup) return TRUE;
  effect = DROPEFFECT_NONE;
  return FALSE;
}

#define ACCEPT_DROPS_ON_POPUPS_ONLY(cls)                                                      \
  BOOL cls::IsCustomizeDragOverAvail(CTkCommandBar* target, CPoint, DROPEFFECT& effect) { \
    return AcceptsDropOnPopupsOnly(target, effect);                                       \
  }
ACCEPT_DROPS_ON_POPUPS_ONLY(CTkControlWindowList)
ACCEPT_DROPS_ON_POPUPS_ONLY(CTkControlToolbars)
ACCEPT_DROPS_ON_POPUPS_ONLY(CTkControlOleItems)
ACCEPT_DROPS_ON_POPUPS_ONLY(CTkControlRecentFileList)
ACCEPT_DROPS_ON_POPUPS_ONLY(CTkControlWorkspaceActions)

void CTkControlWindowList::OnCalcDynamicSize(DWORD) {
  const UINT firstId = m_nFirstChildId;
  RemoveItemsAfter(this, [firstId](CTkControl* c) { return c->GetID() >= firstId; });
  HWND client = OwnerMdiClient(this);
  if (client == nullptr || IsCustomizeMode()) {
    m_nHideFlags = 0;
    return;
  }
  m_nHideFlags = kHideByOwner;
  HWND active = reinterpret_cast<HWND>(::SendMessageW(client, WM_MDIGETACTIVE, 0, 0));
  if (active != nullptr) {
    const UINT activeId = static_cast<UINT>(::GetDlgCtrlID(active));
    if (activeId >= 0x8000 && activeId <= 0x800E)
      m_nFirstChildId = 0x8000;
    else if (activeId >= 1 && activeId <= 14)
      m_nFirstChildId = 1;
  }
  int items = 0;
  int insertAt = GetIndex() + 1;
  for (UINT id = m_nFirstChildId; items < kMaxWindowItems; ++id) {
    HWND child = ::GetDlgItem(client, static_cast<int>(id));
    if (child == nullptr) break;
    if (!::IsWindowVisible(child)) continue;
    CTkControl* item = m_pControls->Add(kControlButton, id, L"", insertAt++, TRUE);
    if (item == nullptr) break;
    ++items;
    wchar_t title[257] = {};
    ::GetWindowTextW(child, title, 257);
    item->SetCaption(NumberedListCaption(title, items));
    item->SetFlags(item->GetFlags() | kFlagNoUpdate);
    item->SetBeginGroup(items == 1);
    item->SetChecked(child == active);
  }
}

void CTkControlToolbars::OnCalcDynamicSize(DWORD) { AddToolbarItems(FALSE); }

void CTkControlToolbars::AddToolbarItems(BOOL withCustomize) {
  RemoveItemsAfter(this, [](CTkControl* c) { return c->GetParameter() == kToolbarItemParameter; });
  if (IsCustomizeMode()) {
    m_nHideFlags = 0;
    return;
  }
  m_nHideFlags = kHideByOwner;
  CTkCommandBars* commandBars = GetCommandBars();
  if (commandBars == nullptr || m_pControls == nullptr) return;
  int insertAt = GetIndex() + 1;
  for (int i = 0; i < commandBars->GetBarCount(); ++i) {
    CTkCommandBar* bar = commandBars->GetAt(i);
    if (bar == nullptr || bar->GetType() != kBarTool || !bar->IsKindOf(RUNTIME_CLASS(CTkToolBar))) continue;
    if (!static_cast<CTkToolBar*>(bar)->IsCloseable() || !bar->IsListedInContextMenu()) continue;
    CTkControl* item = m_pControls->AddControl(new CTkControlToolbarItem, m_nId, kToolbarItemParameter,
                                                insertAt++, TRUE);
    item->SetTag(i);
    item->SetCaption(bar->GetTitle());
    item->SetChecked(bar->IsVisible());
    item->SetFlags(item->GetFlags() | kFlagNoUpdate);
  }
  if (withCustomize && commandBars->IsCustomizeAllowed()) {
    CTkControl* entry = m_pControls->Add(kControlButton, kIdCustomizeEntry, L"", -1, TRUE);
    if (entry != nullptr) entry->SetBeginGroup(TRUE);
  }
}

void CTkControlOleItems::OnCalcDynamicSize(DWORD) {
  CTkControl* next = m_pControls != nullptr ? m_pControls->GetNext(this) : nullptr;
  if (next != nullptr && next->GetParameter() == kOlePopupParameter) m_pControls->Remove(next);
  if (IsCustomizeMode()) {
    m_nHideFlags = 0;
    return;
  }
  m_nHideFlags = kHideByOwner;
  HMENU verbs = GetActiveItemVerbMenu();
  if (verbs == nullptr) return;
  HMENU submenu = ::GetMenuItemCount(verbs) == 1 ? ::GetSubMenu(verbs, 0) : nullptr;
  if (submenu != nullptr && m_pControls != nullptr) {
    CTkPopupBar* bar = CTkPopupBar::CreateForCommandBars(GetCommandBars());
    if (bar != nullptr) {
      bar->BuildFromMenu(CMenu::FromHandle(submenu), TRUE);
      CTkControlPopup* popup = CTkControlPopup::CreatePopup(kControlPopup);
      popup->SetCommandBar(bar);
      bar->InternalRelease();
      wchar_t text[256] = {};
      ::GetMenuStringW(verbs, 0, text, 256, MF_BYPOSITION);
      popup->SetCaption(text);
      m_pControls->AddControl(popup, 0, kOlePopupParameter, GetIndex() + 1, TRUE);
    }
  }
  ::DestroyMenu(verbs);
}

CRecentFileList* CTkControlRecentFileList::GetFileList() {
  CWinApp* app = AfxGetApp();
  return app != nullptr ? app->m_pRecentFileList : nullptr;
}

void CTkControlRecentFileList::OnCalcDynamicSize(DWORD) {
  CRecentFileList* list = GetFileList();
  if (list == nullptr) return;
  const UINT firstId = GetFirstCommandId();
  const UINT lastId = firstId + static_cast<UINT>(list->GetSize());
  RemoveItemsAfter(this, [firstId, lastId](CTkControl* c) { return c->GetID() >= firstId && c->GetID() <= lastId; });
  if (IsCustomizeMode()) {
    m_nHideFlags = 0;
    m_bEnabled = TRUE;
    return;
  }
  if (list->GetSize() == 0 || (*list)[0].IsEmpty()) {
    m_nHideFlags = 0;
    m_bEnabled = FALSE;
    return;
  }
  m_nHideFlags = kHideByOwner;
  wchar_t directory[MAX_PATH + 2] = {};
  DWORD length = ::GetCurrentDirectoryW(MAX_PATH, directory);
  if (length == 0 || length >= MAX_PATH) length = 0;
  if (length > 0 && directory[length - 1] != L'\\') directory[length++] = L'\\';
  directory[length] = 0;
  int insertAt = GetIndex() + 1;
  for (int i = 0; i < list->GetSize(); ++i) {
    CString name;
    // The list compares the folder without its closing backslash.
    if (!list->GetDisplayName(name, i, directory, length > 0 ? static_cast<int>(length) - 1 : 0)) break;
    CTkControl* item = m_pControls->Add(kControlButton, firstId + static_cast<UINT>(i), L"", insertAt++, TRUE);
    if (item == nullptr) break;
    item->SetCaption(NumberedListCaption(name, i + 1));
    item->SetFlags(item->GetFlags() | kFlagNoUpdate);
    if (i == 0 && GetIndex() > 0) item->SetBeginGroup(TRUE);
  }
}

void CTkControlWorkspaceActions::OnCalcDynamicSize(DWORD) {
  RemoveItemsAfter(this, [](CTkControl* c) {
    return c->GetID() >= kIdMoveToPreviousGroup && c->GetID() <= kIdNewVerticalGroup;
  });
  HWND client = OwnerMdiClient(this);
  CWnd* tabClient = client != nullptr ? CWnd::FromHandlePermanent(client) : nullptr;
  CRuntimeClass* tabClientClass = CRuntimeClass::FromName("CTkTabClientWnd");
  if (tabClient == nullptr || tabClientClass == nullptr || !tabClient->IsKindOf(tabClientClass)) return;
  m_nHideFlags = kHideByOwner;
  const UINT order[] = {kIdNewHorizontalGroup, kIdNewVerticalGroup, kIdMoveToPreviousGroup, kIdMoveToNextGroup};
  int insertAt = GetIndex() + 1;
  BOOL first = TRUE;
  for (UINT id : order) {
    CEnableQuery query;
    query.m_nID = id;
    if (!tabClient->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &query, nullptr) || !query.enabled) continue;
    CTkControl* item = m_pControls->Add(kControlButton, id, L"", insertAt++, TRUE);
    if (item == nullptr) break;
    if (first) item->SetBeginGroup(m_bBeginGroup);
    first = FALSE;
  }
}
