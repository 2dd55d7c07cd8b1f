// Frames and their control bars: CFrameWnd lays its bars out from the
// edges through WM_SIZEPARENT and gives the view (id AFX_IDW_PANE_FIRST)
// the rest; commands go to the active view (and its document), the frame,
// then the application.
#pragma once

#include "lists.h"
#include "wnd.h"

class CDocument;
class CDocTemplate;
class CFrameWnd;
class CView;
struct CPrintPreviewState;

#ifndef CBRS_ORIENT_HORZ
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#endif
// Frame styles, in the class-specific low word of the window style.
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS 0x00002000L

// What a frame needs to make its view: passed through CreateWindowEx's
// parameter to OnCreate.
struct CCreateContext {
  CRuntimeClass* m_pNewViewClass = nullptr;
  CDocument* m_pCurrentDoc = nullptr;
  CDocTemplate* m_pNewDocTemplate = nullptr;
  CView* m_pLastView = nullptr;
  CFrameWnd* m_pCurrentFrame = nullptr;
};

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)
 public:
  // The size the bar wants; bHorz for bars along the top or bottom.
  virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
  // The client rectangle less the borders of m_dwStyle.
  virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
  virtual void OnUpdateCmdUI(CFrameWnd*, BOOL) {}
  virtual void OnBarStyleChange(DWORD, DWORD) {}
  void SetBarStyle(DWORD dwStyle);
  DWORD GetBarStyle() const { return m_dwStyle; }
  void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0) {
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
  }
  // Visible, counting a show or hide still waiting for the next layout.
  BOOL IsVisible() const;
  void DelayShow(BOOL bShow);
  CFrameWnd* GetDockingFrame() const;
  // Paints the non-client area: button face with the etched borders of
  // m_dwStyle.
  void EraseNonClient();

  enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4 };
  DWORD m_dwStyle = 0;
  int m_cxLeftBorder = 6;
  int m_cxRightBorder = 6;
  int m_cyTopBorder = 1;
  int m_cyBottomBorder = 1;
  int m_nStateFlags = 0;
  CFrameWnd* m_pDockSite = nullptr;
  CWnd* m_pDockBar = nullptr;

 protected:
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnDestroy();
  afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM);
  DECLARE_MESSAGE_MAP()
};

// Moves hWnd to rect, deferred in the layout's HDWP when there is one.
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)
 public:
  static const CRect rectDefault;
  CFrameWnd();
  ~CFrameWnd() override;

  // Every frame object of the calling thread, oldest first: idle
  // processing reaches frames that are not the main window's descendants.
  static const CPtrList& GetThreadFrameList();

  BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCWSTR lpszMenuName = nullptr,
              DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
  // Title (the first part of string nIDResource), menu, icon and
  // accelerators all come from the one resource id.
  virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

  // Layout.
  virtual void RecalcLayout(BOOL bNotify = TRUE);
  void DelayRecalcLayout(BOOL bNotify = TRUE) { m_nIdleFlags |= AFX_IDLE_LAYOUT | (bNotify ? AFX_IDLE_NOTIFY : 0); }
  void AddControlBar(CControlBar* pBar) { m_listControlBars.AddTail(pBar); }
  void RemoveControlBar(CControlBar* pBar);
  CControlBar* GetControlBar(UINT nID);
  void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);

  // Views and documents.
  CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
  virtual CDocument* GetActiveDocument();
  virtual CFrameWnd* GetActiveFrame() { return this; }
  virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
  virtual void ActivateFrame(int nCmdShow = -1);
  virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
  void OnUpdateFrameMenu(HMENU hMenuAlt);
  virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);

  // Status prompts.
  void SetMessageText(LPCWSTR lpszText) { SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText)); }
  void SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, nID); }
  virtual CWnd* GetMessageBar() { return GetDlgItem(AFX_IDW_STATUS_BAR); }
  // The prompt of a command: its string up to the first newline.
  virtual void GetMessageString(UINT nID, CString& rMessage) const;
  // Tells the frame's floating windows (FS_* flags).
  void NotifyFloatingWindows(DWORD dwFlags);

  BOOL IsFrameWnd() const override { return TRUE; }
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  HACCEL m_hAccelTable = nullptr;
  HMENU m_hMenuDefault = nullptr;
  CString m_strTitle;
  UINT m_nIDHelp = 0;
  UINT m_nIdleFlags = 0;
  UINT m_nIDTracking = 0;
  UINT m_nIDLastMessage = 0;
  BOOL m_bHelpMode = FALSE;
  BOOL m_bAutoMenuEnable = TRUE;
  CView* m_pViewActive = nullptr;
  CPtrList m_listControlBars;

 protected:
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  void PostNcDestroy() override { delete this; }
  virtual BOOL OnCreateClient(LPCREATESTRUCTW lpcs, CCreateContext* pContext);
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  // The creation with the context found: an MDI child's comes inside its
  // MDICREATESTRUCT.
  int OnCreateHelper(LPCREATESTRUCTW lpcs, CCreateContext* pContext);
  afx_msg void OnDestroy();
  afx_msg void OnClose();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM);
  // The Caps, Num and Scroll Lock panes show while their key is toggled on.
  afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()

 private:
  BOOL m_bInRecalcLayout = FALSE;
};
