#include "mini_frame_wnd.h"

#include "private_messages.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
ON_WM_NCACTIVATE()
ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONDBLCLK()
ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

LPCWSTR CMiniFrameWnd::GetWindowClass() {
  return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCTW& cs) {
  if (cs.lpszClass == nullptr) cs.lpszClass = GetWindowClass();
  // The small caption: a tool window never shows in the task bar either.
  if (cs.style & WS_CAPTION) cs.dwExStyle |= WS_EX_TOOLWINDOW;
  return TRUE;
}

BOOL CMiniFrameWnd::Create(LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID) {
  return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID) {
  m_strTitle = lpWindowName != nullptr ? lpWindowName : L"";
  m_bActive = FALSE;
  // A child mini frame takes its id in the menu slot; a popup is owned by
  // the parent and never gets a menu.
  HMENU idOrMenu = (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr;
  return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), idOrMenu, nullptr);
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive) {
  if (GetStyle() & MFS_SYNCACTIVE) {
    // The caption follows the owner: deactivating the mini frame in favour
    // of its owner keeps it drawn active.
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    HWND active = ::GetActiveWindow();
    if (!bActive && owner != nullptr && (active == owner || ::GetWindow(active, GW_OWNER) == owner))
      bActive = TRUE;
  }
  m_bActive = bActive;
  return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, 0));
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM) {
  if (!(GetStyle() & MFS_SYNCACTIVE)) return 0;
  if (wParam & (FS_ACTIVATE | FS_DEACTIVATE)) {
    BOOL active = (wParam & FS_ACTIVATE) != 0;
    if (active != m_bActive) {
      m_bActive = active;
      DefWindowProc(WM_NCACTIVATE, active, 0);
    }
  }
  return 1;
}

void CMiniFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  // The icon's menu is blocked: a click there does nothing.
  if (nHitTest == HTSYSMENU && (GetStyle() & MFS_BLOCKSYSMENU)) return;
  CFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  // Double-clicking the icon would close the window.
  if (nHitTest == HTSYSMENU && (GetStyle() & MFS_BLOCKSYSMENU)) return;
  CFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

void CMiniFrameWnd::OnSysCommand(UINT nID, LPARAM lParam) {
  // The keyboard road to the system menu (Alt+Space) is blocked as well.
  if ((nID & 0xFFF0) == SC_KEYMENU && (GetStyle() & MFS_BLOCKSYSMENU) && lParam == ' ') return;
  CFrameWnd::OnSysCommand(nID, lParam);
}
