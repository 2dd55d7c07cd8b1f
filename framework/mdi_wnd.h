// The multiple-document frame and its children: the frame keeps an MDI
// client window (id AFX_IDW_PANE_FIRST, so the frame's layout gives it
// what the bars leave), and both pass what they do not handle to the
// system's frame and child procedures.
#pragma once

#include "frame_wnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIFrameWnd)
 public:
  CMDIFrameWnd() = default;

  // The MDI client; the window menu gets the list of children when given.
  virtual BOOL CreateClient(LPCREATESTRUCTW lpcs, CMenu* pWindowMenu);
  // The active child (null when none, or when it is not one of ours);
  // *pbMaximized tells whether it fills the client.
  CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
  void MDIActivate(CWnd* pWndActivate) {
    ::SendMessageW(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->GetSafeHwnd()), 0);
  }

  CFrameWnd* GetActiveFrame() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // The active child (its view and document) first, then the frame.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  HWND m_hWndMDIClient = nullptr;

 protected:
  BOOL OnCreateClient(LPCREATESTRUCTW lpcs, CCreateContext* pContext) override;
};

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)
 public:
  CMDIChildWnd() = default;
  ~CMDIChildWnd() override;

  // Made through the frame's MDI client; the context reaches OnCreate.
  virtual BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName,
                      DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                      CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  // Title, icon and the menu the frame shows while this child is active
  // come from the one resource id, which the child keeps.
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
  // Children end through their MDI client.
  BOOL DestroyWindow() override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  CMDIFrameWnd* GetMDIFrame() const { return m_pMDIFrame; }
  UINT GetResourceId() const { return m_nIDHelp; }
  void MDIActivate() { ::SendMessageW(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0); }
  void MDIMaximize() { ::SendMessageW(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0); }
  void MDIRestore() { ::SendMessageW(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0); }

  // The menu the frame shows while this child is active; owned.
  HMENU m_hMenuShared = nullptr;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnDestroy();
  afx_msg LRESULT OnMDIActivate(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  CMDIFrameWnd* m_pMDIFrame = nullptr;
};
