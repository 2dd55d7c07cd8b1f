// Making controls by type and from menu items. Controls of kinds that
// live elsewhere in the toolkit are made by class name, so a program
// without them simply gets no control for those items.
#include "bar_painter.h"
#include "command_bar.h"
#include "command_bars.h"
#include "control_collection.h"
#include "control_combo_box.h"
#include "control_custom.h"
#include "control_edit.h"
#include "control_lists.h"
#include "control_selector.h"
#include "popup_bar.h"

namespace {

// Ids that stand for lists the toolkit fills itself.
const UINT kWindowListId = kIdWindowList;
const UINT kWorkspaceActionsId = kIdWorkspaceActions;
const UINT kRecentFileListId = kIdRecentFileList;
const UINT kMdiChildrenId = 0xFF00;
const wchar_t kOleVerbsCaption[] = L"<<OLE VERBS GO HERE>>";

// The class of a button by its id; menu items know the recent-file list
// by the framework's first recent-file id, added controls by ours.
CTkControl* CreateButton(UINT id, const CString& caption, BOOL fromMenu) {
  switch (id) {
    case kWindowListId: return new CTkControlWindowList;
    case kWorkspaceActionsId: return new CTkControlWorkspaceActions;
    case AFX_IDW_TOOLBAR: return new CTkControlToolbars;
    default: break;
  }
  if (!fromMenu && id == kRecentFileListId) return new CTkControlRecentFileList;
  if (fromMenu && id == ID_FILE_MRU_FIRST) return new CTkControlRecentFileList;
  if (fromMenu && id == ID_OLE_VERB_FIRST && caption == kOleVerbsCaption) return new CTkControlOleItems;
  return new CTkControlButton;
}

CTkControl* CreateOther(int type) {
  switch (type) {
    case kControlComboBox: return new CTkControlComboBox;
    case kControlEdit: return new CTkControlEdit;
    case kControlLabel: return new CTkControlLabel;
    default: return nullptr;
  }
}

// The first item's caption and first submenu of a menu resource.
struct MenuResource {
  CMenu menu;
  CString caption;
  CMenu* submenu = nullptr;

  explicit MenuResource(UINT id) {
    LPCWSTR name = MAKEINTRESOURCEW(LOWORD(id));
    HINSTANCE module = AfxFindResourceHandle(name, RT_MENU);
    if (!menu.Attach(::LoadMenuW(module, name))) return;
    if (menu.GetMenuItemCount() > 0 && menu.GetMenuItemCount() != static_cast<UINT>(-1)) {
      menu.GetMenuString(0, caption, MF_BYPOSITION);
      submenu = menu.GetSubMenu(0);
    }
  }
};

}  // namespace

CTkCommandBar* CTkControls::CreatePopupBarFor(UINT id, const CString& title) {
  CTkCommandBars* commandBars = GetCommandBars();
  if (static_cast<int>(id) > 0) {
    CWnd* site = nullptr;
    if (commandBars != nullptr && commandBars->GetFrame() != nullptr) site = commandBars->GetFrame();
    else if (m_pParent != nullptr) site = m_pParent->GetOwnerField() != nullptr ? m_pParent->GetOwnerField()
                                                                                 : m_pParent->GetOwnerSite();
    if (site != nullptr && site->GetSafeHwnd() != nullptr) {
      BarCreateInfo info;
      info.bPopupBar = TRUE;
      info.lpszTitle = title;
      info.nBarID = id;
      if (site->SendMessage(WM_CMDBARS_CREATEBAR, 0, reinterpret_cast<LPARAM>(&info)) != 0 &&
          info.pCommandBar != nullptr && info.pCommandBar->IsKindOf(RUNTIME_CLASS(CTkPopupBar)))
        return info.pCommandBar;
    }
  }
  CTkPopupBar* popup = CTkPopupBar::CreateForCommandBars(commandBars);
  return popup;
}

CTkControl* CTkControls::Add(int type, UINT id, LPCWSTR parameter, int before, BOOL temporary) {
  CTkControl* control = nullptr;
  if (type == kControlButton) {
    control = CreateButton(id, CString(), FALSE);
    if (control == nullptr) return nullptr;
    control->SetID(id);
  } else if (type == kControlComboBox || type == kControlEdit || type == kControlLabel) {
    control = CreateOther(type);
    if (control == nullptr) return nullptr;
    control->SetID(id);
  } else if (type == kControlCustom) {
    return AddControl(new CTkControlCustom, id, parameter, before, temporary);
  } else if (IsPopupControlType(type)) {
    CTkControlPopup* popup = CTkControlPopup::CreatePopup(type);
    CTkCommandBar* bar = nullptr;
    if (static_cast<int>(id) <= 0) {
      bar = CTkPopupBar::CreateForCommandBars(GetCommandBars());
    } else {
      // A missing menu resource still gives an empty popup bar.
      MenuResource resource(id);
      bar = CreatePopupBarFor(id, resource.caption);
      popup->SetCaption(resource.caption);
      if (bar != nullptr && resource.submenu != nullptr) bar->BuildFromMenu(resource.submenu, TRUE);
    }
    if (bar != nullptr) {
      popup->SetCommandBar(bar);
      bar->InternalRelease();
    }
    if (type != kControlPopup) popup->SetID(id);
    control = popup;
  } else {
    return nullptr;
  }
  control->m_nType = type;
  control->m_strParameter = parameter != nullptr ? parameter : L"";
  control->m_bTemporary = temporary;
  Insert(control, before);
  return control;
}

CTkControl* CTkControls::AddMenuItem(CMenu* menu, int position) {
  if (menu == nullptr || menu->GetSafeHmenu() == nullptr) return nullptr;
  MENUITEMINFOW item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_SUBMENU;
  if (!::GetMenuItemInfoW(menu->m_hMenu, static_cast<UINT>(position), TRUE, &item)) return nullptr;
  CMenu* submenu = item.hSubMenu != nullptr ? CMenu::FromHandle(item.hSubMenu) : nullptr;
  // As the menu reports it: -1 for an item that opens a submenu.
  UINT id = ::GetMenuItemID(menu->m_hMenu, position);
  const BOOL isDefault =
      ::GetMenuDefaultItem(menu->m_hMenu, TRUE, GMDI_USEDISABLED) == static_cast<UINT>(position);
  if (id == kMdiChildrenId) return nullptr;
  CString caption;
  menu->GetMenuString(static_cast<UINT>(position), caption, MF_BYPOSITION);
  int type = submenu != nullptr ? kControlPopup : kControlButton;
  int style = 0;

  CTkCommandBars* commandBars = GetCommandBars();
  CWnd* site = nullptr;
  if (commandBars != nullptr) site = m_pParent != nullptr ? m_pParent->GetOwnerSite() : commandBars->GetFrame();
  if (site != nullptr && site->GetSafeHwnd() == nullptr) site = nullptr;
  ControlCreateInfo info;
  info.nID = id;
  info.nPosition = position;
  info.pMenu = menu;
  info.pCommandBar = m_pParent;
  info.strCaption = caption;
  info.nType = type;
  info.nStyle = style;
  CTkControl* control = nullptr;
  if (site != nullptr && site->SendMessage(WM_CMDBARS_CREATECONTROL, 0, reinterpret_cast<LPARAM>(&info)) != 0) {
    id = info.nID;
    caption = info.strCaption;
    type = info.nType;
    style = info.nStyle;
    control = info.pControl;
  }

  if (control == nullptr) {
    if (type == kControlButton) {
      control = CreateButton(id, caption, TRUE);
    } else if (type == kControlComboBox || type == kControlEdit) {
      control = CreateOther(type);
    } else if (IsPopupControlType(type)) {
      CTkControlPopup* popup = CTkControlPopup::CreatePopup(type);
      CString title = caption;
      CTkBarPainter::StripMnemonics(title);
      CTkCommandBar* bar = CreatePopupBarFor(id, title);
      if (bar != nullptr) {
        if (submenu != nullptr) {
          bar->BuildFromMenu(submenu, TRUE);
        } else if (static_cast<int>(id) > 0) {
          MenuResource resource(id);
          if (resource.submenu != nullptr) bar->BuildFromMenu(resource.submenu, TRUE);
        }
        bar->SetTitle(title);
        bar->SetState(bar->GetState() & ~kStateLayoutDirty);
        if (bar->GetSafeHwnd() != nullptr && bar->GetRedrawLock() == 0) bar->Invalidate(FALSE);
        popup->SetCommandBar(bar);
        bar->InternalRelease();
      }
      control = popup;
    }
    if (control == nullptr) return nullptr;
    control->m_nType = type;
    control->m_nStyle = style;
    control->MarkControlsChanged();
  }

  control->SetID(id);
  control->SetCaption(caption);
  control->SetDefaultItem(isDefault);
  Insert(control, -1);
  if (site != nullptr) {
    info.pControl = control;
    site->SendMessage(WM_CMDBARS_CONTROLCREATED, 0, reinterpret_cast<LPARAM>(&info));
  }
  return control;
}
