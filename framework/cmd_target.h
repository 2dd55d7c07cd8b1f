// CCmdTarget: the base of everything that receives commands, with the
// reference count of toolkit objects and their COM faces; CCmdUI: the
// update-UI request for one command.
#pragma once

#include <ole2.h>

#include "message_map.h"
#include "object.h"

class CMenu;
class CWnd;

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
 public:
  CCmdTarget() = default;

  // Commands (CN_COMMAND, control notification codes), update-UI requests
  // (CN_UPDATE_COMMAND_UI with a CCmdUI) and notifications
  // (MAKELONG(code, WM_NOTIFY) with an AFX_NOTIFY). With pHandlerInfo set,
  // only reports whether and where a handler exists.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

  // The object starts with one reference; the last release ends it.
  DWORD InternalAddRef() { return static_cast<DWORD>(InterlockedIncrement(&m_dwRef)); }
  DWORD InternalRelease();
  DWORD ExternalAddRef() { return InternalAddRef(); }
  DWORD ExternalRelease() { return InternalRelease(); }
  HRESULT ExternalQueryInterface(const void* iid, LPVOID* ppvObj);
  virtual void OnFinalRelease() { delete this; }
  // The COM face that answers iid (derived classes hold their faces as
  // members whose AddRef/Release/QueryInterface come back here).
  virtual LPUNKNOWN GetInterface(const IID& iid);
  void EnableAutomation() {}
  LPDISPATCH GetIDispatch(BOOL bAddRef);

  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;

  LONG m_dwRef = 1;
};

class CCmdUI {
 public:
  CCmdUI() = default;
  virtual ~CCmdUI() = default;

  virtual void Enable(BOOL bOn = TRUE);
  virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked, 2 indeterminate
  virtual void SetRadio(BOOL bOn = TRUE);
  virtual void SetText(LPCWSTR lpszText);
  void ContinueRouting() { m_bContinueRouting = TRUE; }

  // Asks pTarget's handlers; with bDisableIfNoHndler, a command nobody
  // handles shows disabled. Returns whether an update handler answered.
  BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

  UINT m_nID = 0;
  UINT m_nIndex = 0;
  CMenu* m_pMenu = nullptr;
  CMenu* m_pSubMenu = nullptr;
  CMenu* m_pParentMenu = nullptr;
  CWnd* m_pOther = nullptr;
  BOOL m_bEnableChanged = FALSE;
  BOOL m_bContinueRouting = FALSE;
  UINT m_nIndexMax = 0;
};
