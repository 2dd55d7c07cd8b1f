#include "cmd_target.h"

#include "menu.h"
#include "win_app.h"
#include "wnd.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg,
                                            UINT nCode, UINT nID) {
  for (; lpEntry->nSig != AfxSig_end; ++lpEntry) {
    if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID &&
        nID <= lpEntry->nLastID)
      return lpEntry;
  }
  return nullptr;
}

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode, UINT nID) {
  for (; pMap != nullptr; pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(pMap->lpEntries, nMsg, nCode, nID);
    if (entry != nullptr) return entry;
  }
  return nullptr;
}

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
  static const AFX_MSGMAP map = {nullptr, entries};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  UINT nMsg = WM_COMMAND;
  UINT code = static_cast<UINT>(nCode);
  if (code != CN_UPDATE_COMMAND_UI && HIWORD(code) != 0) {
    nMsg = HIWORD(code);
    code = LOWORD(code);
  }
  const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), nMsg, code, nID);
  if (entry == nullptr) return FALSE;
  if (pHandlerInfo != nullptr) {
    pHandlerInfo->pTarget = this;
    pHandlerInfo->pmf = entry->pfn;
    return TRUE;
  }
  AFX_CALL call = {nMsg, 0, 0, nID, code, pExtra};
  if (entry->nSig == AfxSig_update) {
    CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
    pCmdUI->m_bContinueRouting = FALSE;
    entry->pfn(this, call);
    return !pCmdUI->m_bContinueRouting;
  }
  LRESULT handled = entry->pfn(this, call);
  return entry->nSig == AfxSig_cmdEx ? handled != 0 : TRUE;
}

DWORD CCmdTarget::InternalRelease() {
  LONG left = InterlockedDecrement(&m_dwRef);
  if (left == 0) OnFinalRelease();
  return static_cast<DWORD>(left);
}

LPUNKNOWN CCmdTarget::GetInterface(const IID&) { return nullptr; }

HRESULT CCmdTarget::ExternalQueryInterface(const void* iid, LPVOID* ppvObj) {
  if (ppvObj == nullptr) return E_POINTER;
  LPUNKNOWN face = GetInterface(*static_cast<const IID*>(iid));
  *ppvObj = face;
  if (face == nullptr) return E_NOINTERFACE;
  ExternalAddRef();
  return S_OK;
}

LPDISPATCH CCmdTarget::GetIDispatch(BOOL bAddRef) {
  LPDISPATCH dispatch = reinterpret_cast<LPDISPATCH>(GetInterface(IID_IDispatch));
  if (dispatch != nullptr && bAddRef) ExternalAddRef();
  return dispatch;
}

void CCmdTarget::BeginWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(1);
}

void CCmdTarget::EndWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor() {
  if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(0);
}

void CCmdUI::Enable(BOOL bOn) {
  if (m_pMenu != nullptr) {
    if (m_pSubMenu == nullptr)
      m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
  } else if (m_pOther != nullptr) {
    // Focus must not stay on a control that is being disabled.
    if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
      CWnd* parent = m_pOther->GetParent();
      if (parent != nullptr) parent->SendMessage(WM_NEXTDLGCTL, 0, FALSE);
    }
    m_pOther->EnableWindow(bOn);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
  if (m_pMenu != nullptr) {
    if (m_pSubMenu == nullptr)
      m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
  } else if (m_pOther != nullptr) {
    if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON) m_pOther->SendMessage(BM_SETCHECK, nCheck);
  }
}

void CCmdUI::SetRadio(BOOL bOn) {
  if (m_pMenu != nullptr && m_pSubMenu == nullptr) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE;
    if (GetMenuItemInfoW(m_pMenu->m_hMenu, m_nIndex, TRUE, &info)) {
      info.fType = bOn ? (info.fType | MFT_RADIOCHECK) : (info.fType & ~MFT_RADIOCHECK);
      info.fState = bOn ? (info.fState | MFS_CHECKED) : (info.fState & ~MFS_CHECKED);
      SetMenuItemInfoW(m_pMenu->m_hMenu, m_nIndex, TRUE, &info);
    }
    return;
  }
  SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCWSTR lpszText) {
  if (m_pMenu != nullptr) {
    if (m_pSubMenu != nullptr) return;
    UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
    state &= ~(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_POPUP | MF_HILITE);
    m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, lpszText);
  } else if (m_pOther != nullptr) {
    CString current;
    m_pOther->GetWindowText(current);
    if (current != lpszText) m_pOther->SetWindowText(lpszText);
  }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  m_bEnableChanged = FALSE;
  BOOL handled = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, nullptr);
  if (bDisableIfNoHndler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info = {nullptr, nullptr};
    Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
  }
  return handled;
}
