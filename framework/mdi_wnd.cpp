#include "mdi_wnd.h"

#include "document.h"
#include "module_state.h"
#include "win_app.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCTW lpcs, CCreateContext*) { return CreateClient(lpcs, nullptr); }

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCTW, CMenu* pWindowMenu) {
  CLIENTCREATESTRUCT client = {pWindowMenu != nullptr ? pWindowMenu->GetSafeHmenu() : nullptr, AFX_IDM_FIRST_MDICHILD};
  m_hWndMDIClient = ::CreateWindowExW(
      WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL | MDIS_ALLCHILDSTYLES, 0, 0,
      0, 0, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)), AfxGetInstanceHandle(),
      &client);
  return m_hWndMDIClient != nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
  BOOL maximized = FALSE;
  HWND active = m_hWndMDIClient != nullptr ? reinterpret_cast<HWND>(::SendMessageW(
                                                 m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)))
                                           : nullptr;
  if (pbMaximized != nullptr) *pbMaximized = active != nullptr && maximized;
  CWnd* child = CWnd::FromHandlePermanent(active);
  return child != nullptr && child->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? static_cast<CMDIChildWnd*>(child)
                                                                         : nullptr;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
  CMDIChildWnd* child = MDIGetActive();
  return child != nullptr ? static_cast<CFrameWnd*>(child) : this;
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (CFrameWnd::PreTranslateMessage(pMsg)) return TRUE;
  // Ctrl+F4, Ctrl+F6 and the child's system menu keys.
  return m_hWndMDIClient != nullptr && (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) &&
         ::TranslateMDISysAccel(m_hWndMDIClient, pMsg);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  CMDIChildWnd* child = MDIGetActive();
  if (child != nullptr && child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefFrameProcW(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivate)
END_MESSAGE_MAP()

CMDIChildWnd::~CMDIChildWnd() {
  if (m_hMenuShared != nullptr) ::DestroyMenu(m_hMenuShared);
}

BOOL CMDIChildWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext) {
  if (pParentWnd == nullptr) {
    CWinApp* app = AfxGetApp();
    CWnd* main = app != nullptr ? app->m_pMainWnd : nullptr;
    if (main != nullptr && main->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) pParentWnd = static_cast<CMDIFrameWnd*>(main);
  }
  if (pParentWnd == nullptr || pParentWnd->m_hWndMDIClient == nullptr) return FALSE;
  m_pMDIFrame = pParentWnd;
  m_strTitle = lpszWindowName;
  const bool useDefault = rect.left == CW_USEDEFAULT;
  CREATESTRUCTW cs = {};
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = dwStyle | WS_CHILD;
  cs.x = rect.left;
  cs.y = useDefault ? CW_USEDEFAULT : rect.top;
  cs.cx = useDefault ? CW_USEDEFAULT : rect.right - rect.left;
  cs.cy = useDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
  cs.hwndParent = pParentWnd->m_hWndMDIClient;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = pContext;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  MDICREATESTRUCTW mcs = {};
  mcs.szClass = cs.lpszClass;
  mcs.szTitle = cs.lpszName;
  mcs.hOwner = cs.hInstance;
  mcs.x = cs.x;
  mcs.y = cs.y;
  mcs.cx = cs.cx;
  mcs.cy = cs.cy;
  mcs.style = cs.style & ~WS_CHILD;
  mcs.lParam = reinterpret_cast<LPARAM>(pContext);
  AfxHookWindowCreate(this);
  HWND hWnd = reinterpret_cast<HWND>(
      ::SendMessageW(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  AfxUnhookWindowCreate();
  return hWnd != nullptr;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  CString full;
  if (full.LoadString(nIDResource)) AfxExtractSubString(m_strTitle, full, 0);
  LPCWSTR name = MAKEINTRESOURCEW(nIDResource);
  HICON hIcon = ::LoadIconW(AfxFindResourceHandle(name, RT_GROUP_ICON), name);
  LPCWSTR className = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                          reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon);
  HINSTANCE menuModule = AfxFindResourceHandle(name, RT_MENU);
  if (m_hMenuShared == nullptr && ::FindResourceW(menuModule, name, RT_MENU) != nullptr)
    m_hMenuShared = ::LoadMenuW(menuModule, name);
  CMDIFrameWnd* frame = pParentWnd != nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))
                            ? static_cast<CMDIFrameWnd*>(pParentWnd)
                            : nullptr;
  CString title = m_strTitle;
  if (!Create(className, title, dwDefaultStyle, rectDefault, frame, pContext)) return FALSE;
  if (pContext == nullptr) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  return TRUE;
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCTW lpcs) {
  auto* mcs = static_cast<MDICREATESTRUCTW*>(lpcs->lpCreateParams);
  return OnCreateHelper(lpcs, mcs != nullptr ? reinterpret_cast<CCreateContext*>(mcs->lParam) : nullptr);
}

void CMDIChildWnd::OnDestroy() {
  // The frame must not go on showing a menu that ends with this child.
  if (m_pMDIFrame != nullptr && m_hMenuShared != nullptr && ::GetMenu(m_pMDIFrame->m_hWnd) == m_hMenuShared) {
    ::SendMessageW(m_pMDIFrame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(m_pMDIFrame->m_hMenuDefault),
                   0);
    ::DrawMenuBar(m_pMDIFrame->m_hWnd);
  }
  CFrameWnd::OnDestroy();
}

BOOL CMDIChildWnd::DestroyWindow() {
  if (m_hWnd == nullptr) return FALSE;
  HWND client = ::GetParent(m_hWnd);
  if (client == nullptr) return CFrameWnd::DestroyWindow();
  // This object may be gone once the message returns.
  ::SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
  return TRUE;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefMDIChildProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CMDIChildWnd::OnMDIActivate(WPARAM, LPARAM lParam) {
  const LRESULT result = Default();
  CMDIFrameWnd* frame = m_pMDIFrame;
  if (frame == nullptr || frame->m_hWndMDIClient == nullptr) return result;
  const BOOL activated = reinterpret_cast<HWND>(lParam) == m_hWnd;
  if (activated && m_hMenuShared != nullptr) {
    ::SendMessageW(frame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(m_hMenuShared), 0);
    ::DrawMenuBar(frame->m_hWnd);
  } else if (!activated && lParam == 0 && m_hMenuShared != nullptr) {
    // The last child went: the frame's own menu again.
    ::SendMessageW(frame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(frame->m_hMenuDefault), 0);
    ::DrawMenuBar(frame->m_hWnd);
  }
  return result;
}
