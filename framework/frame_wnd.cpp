#include "frame_wnd.h"

#include "document.h"
#include "module_state.h"
#include "view.h"
#include "win_app.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect) {
  HWND hWndParent = ::GetParent(hWnd);
  CRect old;
  ::GetWindowRect(hWnd, &old);
  ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<LPPOINT>(&old), 2);
  if (::EqualRect(&old, lpRect)) return;
  if (lpLayout != nullptr && lpLayout->hDWP != nullptr)
    lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top,
                                      lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                                      SWP_NOACTIVATE | SWP_NOZORDER);
  else
    ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                   lpRect->bottom - lpRect->top, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch) {
  AFX_SIZEPARENTPARAMS layout = {};
  layout.bStretch = bStretch;
  if (lpRectClient != nullptr) layout.rect = *lpRectClient;
  else ::GetClientRect(m_hWnd, &layout.rect);
  layout.hDWP = nFlag == reposQuery ? nullptr : ::BeginDeferWindowPos(8);
  HWND hWndLeftOver = nullptr;
  for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    UINT nID = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
    if (nID == nIDLeftOver) hWndLeftOver = hWndChild;
    else if (nID >= nIDFirst && nID <= nIDLast)
      ::SendMessageW(hWndChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
  }
  if (nFlag == reposQuery) {
    if (lpRectParam != nullptr) *lpRectParam = layout.rect;
    return;
  }
  if (hWndLeftOver != nullptr) {
    CRect rect(layout.rect);
    if (nFlag == reposExtra && lpRectParam != nullptr) {
      rect.left += lpRectParam->left;
      rect.top += lpRectParam->top;
      rect.right -= lpRectParam->right;
      rect.bottom -= lpRectParam->bottom;
    }
    if (rect.right < rect.left) rect.right = rect.left;
    if (rect.bottom < rect.top) rect.bottom = rect.top;
    AfxRepositionWindow(&layout, hWndLeftOver, &rect);
  }
  if (layout.hDWP != nullptr) ::EndDeferWindowPos(layout.hDWP);
}

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size;
  size.cx = (bStretch && bHorz) ? 32767 : 0;
  size.cy = (bStretch && !bHorz) ? 32767 : 0;
  return size;
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
  DWORD dwStyle = m_dwStyle;
  if (dwStyle & CBRS_BORDER_LEFT) rect.left += 2;
  if (dwStyle & CBRS_BORDER_TOP) rect.top += 2;
  if (dwStyle & CBRS_BORDER_RIGHT) rect.right -= 2;
  if (dwStyle & CBRS_BORDER_BOTTOM) rect.bottom -= 2;
  if (bHorz) {
    rect.left += m_cxLeftBorder;
    rect.top += m_cyTopBorder;
    rect.right -= m_cxRightBorder;
    rect.bottom -= m_cyBottomBorder;
  } else {
    rect.left += m_cyTopBorder;
    rect.top += m_cxLeftBorder;
    rect.right -= m_cyBottomBorder;
    rect.bottom -= m_cxRightBorder;
  }
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
  if (m_dwStyle == dwStyle) return;
  DWORD old = m_dwStyle;
  m_dwStyle = dwStyle;
  OnBarStyleChange(old, dwStyle);
}

BOOL CControlBar::IsVisible() const {
  if (m_nStateFlags & delayHide) return FALSE;
  if (m_nStateFlags & delayShow) return TRUE;
  return (GetStyle() & WS_VISIBLE) != 0;
}

void CControlBar::DelayShow(BOOL bShow) {
  m_nStateFlags &= ~(delayHide | delayShow);
  BOOL visible = (GetStyle() & WS_VISIBLE) != 0;
  if (bShow && !visible) m_nStateFlags |= delayShow;
  else if (!bShow && visible) m_nStateFlags |= delayHide;
}

CFrameWnd* CControlBar::GetDockingFrame() const {
  return m_pDockSite != nullptr ? m_pDockSite : GetParentFrame();
}

void CControlBar::EraseNonClient() {
  CRect window;
  GetWindowRect(&window);
  CRect client;
  GetClientRect(&client);
  ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(&client), 2);
  client.OffsetRect(-window.left, -window.top);
  window.OffsetRect(-window.left, -window.top);
  CWindowDC dc(this);
  ::ExcludeClipRect(dc.m_hDC, client.left, client.top, client.right, client.bottom);
  ::FillRect(dc.m_hDC, &window, ::GetSysColorBrush(COLOR_BTNFACE));
  UINT edges = ((m_dwStyle & CBRS_BORDER_LEFT) ? BF_LEFT : 0) | ((m_dwStyle & CBRS_BORDER_TOP) ? BF_TOP : 0) |
               ((m_dwStyle & CBRS_BORDER_RIGHT) ? BF_RIGHT : 0) | ((m_dwStyle & CBRS_BORDER_BOTTOM) ? BF_BOTTOM : 0);
  if (edges != 0) ::DrawEdge(dc.m_hDC, &window, EDGE_ETCHED, edges);
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCTW& cs) {
  if (!CWnd::PreCreateWindow(cs)) return FALSE;
  // The bar's own layout bits live in m_dwStyle, not in the window style.
  m_dwStyle = cs.style & CBRS_ALL;
  cs.style &= ~CBRS_ALL;
  cs.style |= WS_CLIPSIBLINGS | WS_CHILD;
  return TRUE;
}

int CControlBar::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  CWnd* pParent = GetParent();
  m_pDockSite = pParent != nullptr && pParent->IsFrameWnd() ? static_cast<CFrameWnd*>(pParent) : GetParentFrame();
  if (m_pDockSite != nullptr) {
    m_pDockSite->AddControlBar(this);
    m_pDockSite->DelayRecalcLayout();
  }
  return 0;
}

void CControlBar::OnDestroy() {
  if (m_pDockSite != nullptr) {
    m_pDockSite->RemoveControlBar(this);
    m_pDockSite->DelayRecalcLayout();
    m_pDockSite = nullptr;
  }
  CWnd::OnDestroy();
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
  AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  // A show or hide asked for with a delay happens now, with the layout.
  if (lpLayout->hDWP != nullptr && (m_nStateFlags & (delayShow | delayHide))) {
    BOOL show = (m_nStateFlags & delayShow) != 0;
    m_nStateFlags &= ~(delayShow | delayHide);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  }
  if (!IsVisible() || !(m_dwStyle & CBRS_ALIGN_ANY)) return 0;
  CRect rect(lpLayout->rect);
  CSize available(rect.Width(), rect.Height());
  BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  CSize size = CalcFixedLayout(lpLayout->bStretch, bHorz);
  if (size.cx > available.cx) size.cx = available.cx;
  if (size.cy > available.cy) size.cy = available.cy;
  if (bHorz) {
    lpLayout->sizeTotal.cy += size.cy;
    if (size.cx > lpLayout->sizeTotal.cx) lpLayout->sizeTotal.cx = size.cx;
    if (m_dwStyle & CBRS_ALIGN_TOP) {
      lpLayout->rect.top += size.cy;
    } else {
      rect.top = rect.bottom - size.cy;
      lpLayout->rect.bottom -= size.cy;
    }
  } else {
    lpLayout->sizeTotal.cx += size.cx;
    if (size.cy > lpLayout->sizeTotal.cy) lpLayout->sizeTotal.cy = size.cy;
    if (m_dwStyle & CBRS_ALIGN_LEFT) {
      lpLayout->rect.left += size.cx;
    } else {
      rect.left = rect.right - size.cx;
      lpLayout->rect.right -= size.cx;
    }
  }
  rect.right = rect.left + size.cx;
  rect.bottom = rect.top + size.cy;
  if (lpLayout->hDWP != nullptr) AfxRepositionWindow(lpLayout, m_hWnd, &rect);
  return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  if (!(GetStyle() & WS_VISIBLE)) return 0;
  CWnd* pOwner = GetOwner();
  CFrameWnd* pTarget = pOwner != nullptr && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : GetParentFrame();
  if (pTarget != nullptr) OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
  return 0;
}

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_CLOSE()
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
  ON_WM_ACTIVATE()
  ON_WM_ENABLE()
  ON_WM_INITMENUPOPUP()
  ON_WM_MENUSELECT()
  ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
  ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_UPDATE_COMMAND_UI_RANGE(ID_INDICATOR_CAPS, ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
END_MESSAGE_MAP()

namespace {

CPtrList& ThreadFrames() {
  thread_local CPtrList frames;
  return frames;
}

}  // namespace

CFrameWnd::CFrameWnd() { ThreadFrames().AddTail(this); }

const CPtrList& CFrameWnd::GetThreadFrameList() { return ThreadFrames(); }

CFrameWnd::~CFrameWnd() {
  POSITION pos = ThreadFrames().Find(this);
  if (pos != nullptr) ThreadFrames().RemoveAt(pos);
  if (m_hMenuDefault != nullptr && ::GetMenu(m_hWnd) != m_hMenuDefault) ::DestroyMenu(m_hMenuDefault);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTW& cs) {
  if (cs.lpszClass == nullptr)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  if (cs.style & FWS_ADDTOTITLE) cs.style |= FWS_PREFIXTITLE;
  return TRUE;
}

BOOL CFrameWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCWSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
  HMENU hMenu = nullptr;
  if (lpszMenuName != nullptr) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszMenuName, RT_MENU);
    if (::FindResourceW(hInst, lpszMenuName, RT_MENU) != nullptr) hMenu = ::LoadMenuW(hInst, lpszMenuName);
  }
  m_strTitle = lpszWindowName;
  bool useDefault = rect.left == CW_USEDEFAULT;
  if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, useDefault ? CW_USEDEFAULT : rect.top,
                useDefault ? CW_USEDEFAULT : rect.right - rect.left, useDefault ? CW_USEDEFAULT : rect.bottom - rect.top,
                pParentWnd->GetSafeHwnd(), hMenu, pContext)) {
    if (hMenu != nullptr) ::DestroyMenu(hMenu);
    return FALSE;
  }
  return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  CString full;
  if (full.LoadString(nIDResource)) AfxExtractSubString(m_strTitle, full, 0);
  LPCWSTR name = MAKEINTRESOURCEW(nIDResource);
  HINSTANCE hInst = AfxFindResourceHandle(name, RT_GROUP_ICON);
  HICON hIcon = ::LoadIconW(hInst, name);
  LPCWSTR className = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                          reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon);
  CString title = m_strTitle;
  if (!Create(className, title, dwDefaultStyle, rectDefault, pParentWnd, name, 0, pContext)) return FALSE;
  m_hMenuDefault = ::GetMenu(m_hWnd);
  m_hAccelTable = ::LoadAcceleratorsW(AfxFindResourceHandle(name, RT_ACCELERATOR), name);
  if (pContext == nullptr) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
  // Only CWnd members of this are used: the host of a view may be any window.
  CObject* pObject = pContext->m_pNewViewClass->CreateObject();
  CWnd* pView = static_cast<CWnd*>(pObject);
  if (pView == nullptr) return nullptr;
  if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, nID, pContext))
    return nullptr;  // the view has deleted itself
  if (pView->GetExStyle() & WS_EX_CLIENTEDGE) ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
  return pView;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCTW, CCreateContext* pContext) {
  if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
    return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
  return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCTW lpcs) {
  return OnCreateHelper(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCTW lpcs, CCreateContext* pContext) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  if (!OnCreateClient(lpcs, pContext)) return -1;
  PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
  RecalcLayout();
  return 0;
}

void CFrameWnd::OnDestroy() {
  // The view goes with the frame; nothing may route to it any more.
  m_pViewActive = nullptr;
  CWnd::OnDestroy();
}

void CFrameWnd::OnClose() {
  CDocument* pDocument = GetActiveDocument();
  if (pDocument != nullptr && !pDocument->SaveModified()) return;
  DestroyWindow();
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
  if (m_pViewActive != nullptr) m_pViewActive->SetFocus();
  else CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CWnd::OnActivate(nState, pWndOther, bMinimized);
  NotifyFloatingWindows(nState != WA_INACTIVE && !bMinimized ? FS_ACTIVATE : FS_DEACTIVATE);
  if (nState != WA_INACTIVE && !bMinimized && m_pViewActive != nullptr) m_pViewActive->OnActivateFrame(nState, this);
}

void CFrameWnd::OnEnable(BOOL bEnable) {
  CWnd::OnEnable(bEnable);
  NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags) {
  for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
    if (::GetWindow(hWnd, GW_OWNER) != m_hWnd) continue;
    if (CWnd::FromHandlePermanent(hWnd) != nullptr) ::SendMessageW(hWnd, WM_FLOATSTATUS, dwFlags, 0);
  }
}

void CFrameWnd::RecalcLayout(BOOL) {
  if (m_bInRecalcLayout || m_hWnd == nullptr) return;
  m_bInRecalcLayout = TRUE;
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
  m_bInRecalcLayout = FALSE;
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
  POSITION pos = m_listControlBars.Find(pBar);
  if (pos != nullptr) m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) {
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;) {
    CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
    if (static_cast<UINT>(pBar->GetDlgCtrlID()) == nID) return pBar;
  }
  return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
  if (bDelay) {
    pBar->DelayShow(bShow);
    DelayRecalcLayout();
    return;
  }
  pBar->m_nStateFlags &= ~(CControlBar::delayShow | CControlBar::delayHide);
  pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
  RecalcLayout();
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
  CView* pViewOld = m_pViewActive;
  if (pViewNew == pViewOld) return;
  m_pViewActive = nullptr;
  if (bNotify && pViewOld != nullptr) pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
  m_pViewActive = pViewNew;
  if (bNotify && pViewNew != nullptr) pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument() {
  CView* pView = GetActiveView();
  return pView != nullptr ? pView->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
  CView* pView = GetActiveView();
  if (pView == nullptr) {
    CWnd* pWnd = CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST));
    if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CView))) {
      pView = static_cast<CView*>(pWnd);
      SetActiveView(pView, FALSE);
    }
  }
  if (bMakeVisible) {
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    int nCmdShow = -1;
    CWinApp* app = AfxGetApp();
    if (!IsWindowVisible() && app != nullptr && app->m_pMainWnd == this) nCmdShow = app->m_nCmdShow;
    ActivateFrame(nCmdShow);
    if (pView != nullptr) pView->OnActivateView(TRUE, pView, pView);
  }
  (void)pDoc;
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
  if (nCmdShow == -1) nCmdShow = IsIconic() ? SW_RESTORE : SW_SHOW;
  ShowWindow(nCmdShow);
  if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE) BringWindowToTop();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (!(GetStyle() & FWS_ADDTOTITLE)) return;
  CDocument* pDocument = GetActiveDocument();
  CString title = m_strTitle;
  if (bAddToTitle && pDocument != nullptr && !pDocument->GetTitle().IsEmpty()) {
    if (GetStyle() & FWS_PREFIXTITLE) title = pDocument->GetTitle() + L" - " + m_strTitle;
    else title = m_strTitle + L" - " + pDocument->GetTitle();
  }
  CString current;
  GetWindowText(current);
  if (current != title) SetWindowText(title);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  HMENU hMenu = hMenuAlt != nullptr ? hMenuAlt : m_hMenuDefault;
  if (::GetMenu(m_hWnd) != hMenu) ::SetMenu(m_hWnd, hMenu);
}

void CFrameWnd::OnSetPreviewMode(BOOL, CPrintPreviewState*) {
  // No print preview in this program; the menu is refreshed as after one.
  OnUpdateFrameMenu(nullptr);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
  CString full;
  if (!full.LoadString(nID)) {
    rMessage.Empty();
    return;
  }
  AfxExtractSubString(rMessage, full, 0);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != nullptr)
    return ::TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg);
  return FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // The active view first (it asks its document), then the frame, then the application.
  CView* pView = GetActiveView();
  if (pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app != nullptr && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu) {
  if (bSysMenu) return;
  CCmdUI state;
  state.m_pMenu = pMenu;
  state.m_nIndexMax = pMenu->GetMenuItemCount();
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
    // Separators and submenus have no command of their own.
    if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) continue;
    state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
    // A handler may have removed items.
    state.m_nIndexMax = pMenu->GetMenuItemCount();
  }
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
  if (nFlags == 0xFFFF && hSysMenu == nullptr) {
    // The menu has closed.
    m_nIDTracking = AFX_IDS_IDLEMESSAGE;
  } else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP))) {
    m_nIDTracking = 0;
  } else if (nItemID >= 0xF000 && nItemID < 0xF1F0) {
    m_nIDTracking = ((nItemID - 0xF000) >> 4) + AFX_IDS_SCFIRST;
  } else {
    m_nIDTracking = nItemID;
  }
  if (m_nIDTracking != m_nIDLastMessage) SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  UINT nIDLast = m_nIDLastMessage;
  CWnd* pMessageBar = GetMessageBar();
  if (pMessageBar != nullptr) {
    CString message;
    LPCWSTR text = reinterpret_cast<LPCWSTR>(lParam);
    if (text == nullptr && wParam != 0) {
      GetMessageString(static_cast<UINT>(wParam), message);
      text = message;
    }
    pMessageBar->SetWindowText(text != nullptr ? text : L"");
  }
  m_nIDLastMessage = static_cast<UINT>(wParam);
  m_nIDTracking = static_cast<UINT>(wParam);
  return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam) {
  return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI) {
  int key = pCmdUI->m_nID == ID_INDICATOR_CAPS ? VK_CAPITAL : pCmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK : VK_SCROLL;
  pCmdUI->Enable((::GetKeyState(key) & 1) != 0);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  UINT flags = m_nIdleFlags;
  m_nIdleFlags = 0;
  if (flags & AFX_IDLE_TITLE) OnUpdateFrameTitle(TRUE);
  if (flags & AFX_IDLE_LAYOUT) RecalcLayout((flags & AFX_IDLE_NOTIFY) != 0);
  if (flags & AFX_IDLE_MENU) OnUpdateFrameMenu(nullptr);
  return 0;
}
