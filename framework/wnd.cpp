#include "wnd.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "module_state.h"
#include "win_app.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

// Holds a critical section for the life of a scope.
class ScopedLock {
 public:
  explicit ScopedLock(CRITICAL_SECTION& cs) : m_cs(cs) { EnterCriticalSection(&m_cs); }
  ~ScopedLock() { LeaveCriticalSection(&m_cs); }
  ScopedLock(const ScopedLock&) = delete;
  ScopedLock& operator=(const ScopedLock&) = delete;

 private:
  CRITICAL_SECTION& m_cs;
};

// The handle maps are shared by all threads: workers send messages to
// windows they did not create and look their objects up.
class HandleMaps {
 public:
  HandleMaps() { InitializeCriticalSection(&m_lock); }
  ~HandleMaps() = delete;

  CWnd* FindPermanent(HWND hWnd) {
    ScopedLock lock(m_lock);
    auto found = m_permanent.find(hWnd);
    return found != m_permanent.end() ? found->second : nullptr;
  }
  bool IsPermanent(HWND hWnd, const CWnd* pWnd) {
    ScopedLock lock(m_lock);
    auto found = m_permanent.find(hWnd);
    return found != m_permanent.end() && found->second == pWnd;
  }
  void SetPermanent(HWND hWnd, CWnd* pWnd) {
    ScopedLock lock(m_lock);
    m_permanent[hWnd] = pWnd;
  }
  void RemovePermanent(HWND hWnd, const CWnd* pWnd) {
    ScopedLock lock(m_lock);
    auto found = m_permanent.find(hWnd);
    if (found != m_permanent.end() && found->second == pWnd) m_permanent.erase(found);
  }
  // Temporary wrappers hold nothing but the handle and stay for the life
  // of the process, so a pointer handed to any thread stays valid.
  CWnd* FindOrMake(HWND hWnd) {
    ScopedLock lock(m_lock);
    auto found = m_permanent.find(hWnd);
    if (found != m_permanent.end()) return found->second;
    CWnd*& temporary = m_temporary[hWnd];
    if (temporary == nullptr) {
      temporary = new CWnd;
      temporary->AttachTempHandle(hWnd);
    }
    return temporary;
  }

 private:
  CRITICAL_SECTION m_lock;
  std::unordered_map<HWND, CWnd*> m_permanent;
  std::unordered_map<HWND, CWnd*> m_temporary;
};

HandleMaps& Maps() {
  // Never destroyed: windows may still send messages while the process ends.
  static HandleMaps* maps = new HandleMaps;
  return *maps;
}

// Per-thread window state: the message being handled (for Default) and the
// window being created under the CBT hook.
struct ThreadWindowState {
  MSG lastSentMsg = {};
  CWnd* pWndInit = nullptr;
  HHOOK hHookCbt = nullptr;
  int hookDepth = 0;
};

ThreadWindowState& WindowState() {
  thread_local ThreadWindowState state;
  return state;
}

bool IsImeWindow(HWND hWnd) {
  WCHAR name[32];
  if (GetClassNameW(hWnd, name, 32) == 0) return false;
  return _wcsicmp(name, L"IME") == 0 || _wcsicmp(name, L"MSCTFIME UI") == 0;
}

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  ThreadWindowState& state = WindowState();
  if (code == HCBT_CREATEWND && state.pWndInit != nullptr) {
    HWND hWnd = reinterpret_cast<HWND>(wParam);
    if (!IsImeWindow(hWnd)) {
      CWnd* pWnd = state.pWndInit;
      state.pWndInit = nullptr;
      AfxExceptionBarrier(0, [&] {
        pWnd->Attach(hWnd);
        pWnd->PreSubclassWindow();
        WNDPROC old = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
        if (old != &AfxWndProc) pWnd->m_pfnSuper = old;
        return 0;
      });
    }
  }
  return CallNextHookEx(state.hHookCbt, code, wParam, lParam);
}

// Stands for an exception that is not a CException when it is reported.
class ForeignException : public CException {
 public:
  explicit ForeignException(const char* what) {
    std::snprintf(m_text, sizeof m_text, "An unexpected error occurred%s%s.", what != nullptr ? ": " : "",
                  what != nullptr ? what : "");
  }
  BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) override {
    if (pnHelpContext != nullptr) *pnHelpContext = 0;
    if (lpszError == nullptr || nMaxError == 0) return FALSE;
    int n = MultiByteToWideChar(CP_ACP, 0, m_text, -1, lpszError, static_cast<int>(nMaxError));
    lpszError[n > 0 ? n - 1 : 0] = 0;
    return TRUE;
  }

 private:
  char m_text[256];
};

}  // namespace

void AfxHookWindowCreate(CWnd* pWnd) {
  ThreadWindowState& state = WindowState();
  if (state.hHookCbt == nullptr)
    state.hHookCbt = SetWindowsHookExW(WH_CBT, &CbtFilterHook, nullptr, GetCurrentThreadId());
  state.pWndInit = pWnd;
  ++state.hookDepth;
}

BOOL AfxUnhookWindowCreate() {
  ThreadWindowState& state = WindowState();
  if (--state.hookDepth <= 0 && state.hHookCbt != nullptr) {
    UnhookWindowsHookEx(state.hHookCbt);
    state.hHookCbt = nullptr;
    state.hookDepth = 0;
  }
  if (state.pWndInit != nullptr) {
    state.pWndInit = nullptr;
    return FALSE;
  }
  return TRUE;
}

LRESULT AfxProcessWndProcException(CException* e, const MSG* pMsg) {
  if (CWinThread* thread = AfxGetThread()) return thread->ProcessWndProcException(e, pMsg);
  return CWinThread::ReportWndProcException(e, pMsg);
}

LRESULT AfxProcessForeignException(const char* what, const MSG* pMsg) {
  ForeignException e(what);
  e.m_bAutoDelete = FALSE;
  return AfxProcessWndProcException(&e, pMsg);
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (pWnd == nullptr) return DefWindowProcW(hWnd, nMsg, wParam, lParam);
  return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  ThreadWindowState& state = WindowState();
  MSG saved = state.lastSentMsg;
  state.lastSentMsg.hwnd = hWnd;
  state.lastSentMsg.message = nMsg;
  state.lastSentMsg.wParam = wParam;
  state.lastSentMsg.lParam = lParam;
  MSG current = state.lastSentMsg;
  LRESULT result = 0;
  try {
    result = pWnd->WindowProc(nMsg, wParam, lParam);
  } catch (CException* e) {
    result = AfxProcessWndProcException(e, &current);
    e->Delete();
  } catch (const std::exception& e) {
    result = AfxProcessForeignException(e.what(), &current);
  } catch (...) {
    result = AfxProcessForeignException(nullptr, &current);
  }
  state.lastSentMsg = saved;
  return result;
}

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
  ON_WM_NCDESTROY()
  ON_WM_CTLCOLOR()
  ON_WM_DRAWITEM()
  ON_WM_MEASUREITEM()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

CWnd::~CWnd() {
  // Only a window this object owns goes with it.
  if (m_hWnd != nullptr && Maps().IsPermanent(m_hWnd, this)) DestroyWindow();
  if (m_pCtrlSite != nullptr) DestroyControlSite();
}

CWnd* CWnd::FromHandle(HWND hWnd) { return hWnd != nullptr ? Maps().FindOrMake(hWnd) : nullptr; }

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return hWnd != nullptr ? Maps().FindPermanent(hWnd) : nullptr; }

BOOL CWnd::Attach(HWND hWndNew) {
  if (hWndNew == nullptr) return FALSE;
  m_hWnd = hWndNew;
  Maps().SetPermanent(hWndNew, this);
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (hWnd != nullptr) Maps().RemovePermanent(hWnd, this);
  m_hWnd = nullptr;
  return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  WNDPROC old = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  if (old == nullptr) {
    Detach();
    return FALSE;
  }
  if (old != &AfxWndProc) m_pfnSuper = old;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, nID);
  return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow() {
  if (m_pfnSuper != nullptr) SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  return Detach();
}

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  CREATESTRUCTW cs;
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = dwStyle;
  cs.x = x;
  cs.y = y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.hwndParent = hWndParent;
  cs.hMenu = nIDorHMenu;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = lpParam;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  AfxUnhookWindowCreate();
  // On failure the window (if it existed) has been destroyed and detached,
  // and this object may be gone with it.
  return hWnd != nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTW& cs) {
  if (cs.lpszClass == nullptr) {
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  }
  return TRUE;
}

BOOL CWnd::DestroyWindow() {
  // A control ends its own window when it is deactivated.
  if (m_pCtrlSite != nullptr) return DestroyControlSite();
  HWND hWnd = m_hWnd;
  if (hWnd == nullptr) return FALSE;
  BOOL destroyed = ::DestroyWindow(hWnd);
  // A window that was attached but not subclassed never saw WM_NCDESTROY
  // here; if this object is still mapped it is still alive: detach it.
  if (Maps().IsPermanent(hWnd, this)) Detach();
  return destroyed;
}

void CWnd::OnNcDestroy() {
  // The main window's end is the end of its thread's message loop.
  CWinThread* thread = AfxGetThread();
  if (thread != nullptr && thread->m_pMainWnd == this) {
    thread->m_pMainWnd = nullptr;
    ::PostQuitMessage(0);
  }
  Default();
  if (m_pfnSuper != nullptr &&
      reinterpret_cast<WNDPROC>(GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == &AfxWndProc)
    SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  Detach();
  // The parent took the control's window with it: the control goes too.
  if (m_pCtrlSite != nullptr) DestroyControlSite();
  PostNcDestroy();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (message == WM_WINDOWPOSCHANGED && m_pCtrlSite != nullptr) OnControlMoved();
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT result = 0;
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    result = 1;
  } else if (message == WM_NOTIFY) {
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR->hwndFrom == nullptr || !OnNotify(wParam, lParam, &result)) return FALSE;
  } else {
    AFX_CALL call = {message, wParam, lParam, 0, 0, nullptr};
    UINT lookup = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
      lookup = WM_CTLCOLOR;
      call.nCode = message - WM_CTLCOLORMSGBOX;
    }
    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), lookup, 0, 0);
    if (entry == nullptr || entry->nSig != AfxSig_msg) return FALSE;
    result = entry->pfn(this, call);
  }
  if (pResult != nullptr) *pResult = result;
  return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper != nullptr) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

MSG& AfxLastSentMessage() { return WindowState().lastSentMsg; }

LRESULT CWnd::Default() {
  const MSG& msg = WindowState().lastSentMsg;
  return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    // A hosted control sees its keys before any window above it does.
    if (pWnd != nullptr && pWnd->PreTranslateControlMessage(pMsg)) return TRUE;
    if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg)) return TRUE;
    if (hWnd == hWndStop) break;
  }
  return FALSE;
}

namespace {

// Offers a message to the permanent CWnd of a child control.
BOOL ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
  return pChild != nullptr && pChild->OnChildNotify(message, wParam, lParam, pResult);
}

}  // namespace

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT nID = LOWORD(wParam);
  HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
  int nCode = HIWORD(wParam);
  if (hWndCtrl == nullptr) {
    // A menu item or accelerator: a command shown disabled is not run.
    struct TestCmdUI : CCmdUI {
      BOOL enabled = TRUE;
      void Enable(BOOL bOn) override { enabled = bOn; m_bEnableChanged = TRUE; }
      void SetCheck(int) override {}
      void SetRadio(BOOL) override {}
      void SetText(LPCWSTR) override {}
    } test;
    test.m_nID = nID;
    OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &test, nullptr);
    if (!test.enabled) return TRUE;
    nCode = CN_COMMAND;
  } else {
    if (ReflectToChild(hWndCtrl, WM_COMMAND, wParam, lParam, nullptr)) return TRUE;
    if (nID == 0) return FALSE;
  }
  return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
  if (ReflectToChild(pNMHDR->hwndFrom, WM_NOTIFY, pNMHDR->idFrom, lParam, pResult)) return TRUE;
  AFX_NOTIFY notify = {pResult, pNMHDR};
  return OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom), static_cast<int>(MAKELONG(pNMHDR->code, WM_NOTIFY)), &notify,
                  nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_COMMAND: {
      int code = HIWORD(wParam);
      if (!CCmdTarget::OnCmdMsg(0, static_cast<int>(MAKELONG(code, WM_REFLECT_BASE + WM_COMMAND)), nullptr, nullptr))
        return FALSE;
      if (pResult != nullptr) *pResult = 1;
      return TRUE;
    }
    case WM_NOTIFY: {
      NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
      LRESULT ignored = 0;
      AFX_NOTIFY notify = {pResult != nullptr ? pResult : &ignored, pNMHDR};
      return CCmdTarget::OnCmdMsg(0, static_cast<int>(MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY)), &notify,
                                  nullptr);
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
      if (entry == nullptr) return FALSE;
      AFX_CALL call = {message, wParam, lParam, 0, message - WM_CTLCOLORMSGBOX, nullptr};
      LRESULT brush = entry->pfn(this, call);
      // A null brush leaves the colours to the parent.
      if (brush == 0) return FALSE;
      if (pResult != nullptr) *pResult = brush;
      return TRUE;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
      return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    default:
      return FALSE;
  }
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  const MSG& msg = WindowState().lastSentMsg;
  return ReflectToChild(hWndChild, msg.message, msg.wParam, msg.lParam, pResult);
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
  LRESULT result = 0;
  if (pWnd != nullptr && pWnd->m_hWnd != m_hWnd && ReflectLastMsg(pWnd->m_hWnd, &result))
    return reinterpret_cast<HBRUSH>(result);
  return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem)) return;
  Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (lpMeasureItemStruct->CtlType != ODT_MENU) {
    HWND hWndChild = ::GetDlgItem(m_hWnd, nIDCtl);
    if (hWndChild != nullptr && ReflectLastMsg(hWndChild)) return;
  }
  Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar) {
  CWnd* pBar = reinterpret_cast<CWnd*>(pScrollBar);
  if (pBar != nullptr && ReflectLastMsg(pBar->m_hWnd)) return;
  Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar) {
  CWnd* pBar = reinterpret_cast<CWnd*>(pScrollBar);
  if (pBar != nullptr && ReflectLastMsg(pBar->m_hWnd)) return;
  Default();
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TTTOOLINFOW* pTI) const {
  // The visible, enabled child under the point answers with its id.
  HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED | CWP_SKIPTRANSPARENT);
  if (hWndChild == nullptr || hWndChild == m_hWnd) return -1;
  int nID = ::GetDlgCtrlID(hWndChild);
  if (nID == 0) return -1;
  if (pTI != nullptr) {
    pTI->hwnd = m_hWnd;
    pTI->uId = reinterpret_cast<UINT_PTR>(hWndChild);
    pTI->uFlags |= TTF_IDISHWND;
    pTI->lpszText = LPSTR_TEXTCALLBACKW;
  }
  return nID;
}

BOOL CWnd::EnableToolTips(BOOL bEnable) {
  BOOL old = (m_nFlags & WF_TOOLTIPS) != 0;
  if (bEnable) m_nFlags |= WF_TOOLTIPS;
  else m_nFlags &= ~WF_TOOLTIPS;
  return old;
}

namespace {

void SendToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
  for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != nullptr; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    if (bOnlyPerm) {
      CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
      if (pWnd != nullptr) AfxCallWndProc(pWnd, hWndChild, message, wParam, lParam);
    } else {
      ::SendMessageW(hWndChild, message, wParam, lParam);
    }
    if (bDeep && ::GetTopWindow(hWndChild) != nullptr)
      SendToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
  }
}

}  // namespace

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
  SendToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  CCmdUI state;
  for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr;
       hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    state.m_nID = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
    state.m_pOther = FromHandle(hWndChild);
    if (state.m_nID == 0 || state.m_nID == 0xFFFF) continue;
    // The control may keep its own state up to date.
    CWnd* pPermanent = FromHandlePermanent(hWndChild);
    if (pPermanent != nullptr &&
        pPermanent->OnCmdMsg(0, static_cast<int>(MAKELONG(0xFFFF, WM_REFLECT_BASE + WM_COMMAND)), &state, nullptr))
      continue;
    // Buttons that check themselves stay usable without a handler.
    BOOL bDisable = bDisableIfNoHndler;
    if (bDisable && (::SendMessageW(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)) {
      DWORD type = static_cast<DWORD>(::GetWindowLongW(hWndChild, GWL_STYLE)) & 0x0F;
      if (type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE || type == BS_GROUPBOX || type == BS_AUTORADIOBUTTON)
        bDisable = FALSE;
    }
    state.DoUpdate(pTarget, bDisable);
  }
}

int CWnd::RunModalLoop(DWORD dwFlags) {
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
  HWND hWndParent = ::GetParent(m_hWnd);
  m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
  MSG msg;
  for (;;) {
    while (bIdle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (bShowIdle) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        bShowIdle = FALSE;
      }
      if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != nullptr && lIdleCount == 0)
        ::SendMessageW(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
      if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++)) bIdle = FALSE;
    }
    do {
      if (!AfxPumpMessage()) {
        ::PostQuitMessage(0);
        m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
        return -1;
      }
      if (bShowIdle && (msg.message == 0x118 || msg.message == WM_SYSKEYDOWN)) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        bShowIdle = FALSE;
      }
      if (!ContinueModal()) {
        m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
        return m_nModalResult;
      }
      if (AfxIsIdleMessage(&msg)) {
        bIdle = TRUE;
        lIdleCount = 0;
      }
    } while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
  }
}

void CWnd::EndModalLoop(int nResult) {
  m_nModalResult = nResult;
  if (m_nFlags & WF_CONTINUEMODAL) {
    m_nFlags &= ~WF_CONTINUEMODAL;
    PostMessage(WM_NULL);
  }
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
  HWND hWndCenter = pAlternateOwner != nullptr ? pAlternateOwner->m_hWnd
                    : (GetStyle() & WS_CHILD)  ? ::GetParent(m_hWnd)
                                               : ::GetWindow(m_hWnd, GW_OWNER);
  CRect area;
  if (hWndCenter != nullptr && !(GetStyle() & WS_CHILD) && !::IsWindowVisible(hWndCenter)) hWndCenter = nullptr;
  if (hWndCenter != nullptr) ::GetWindowRect(hWndCenter, &area);
  else ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  CRect rect;
  GetWindowRect(&rect);
  int x = area.left + (area.Width() - rect.Width()) / 2;
  int y = area.top + (area.Height() - rect.Height()) / 2;
  if (GetStyle() & WS_CHILD) {
    POINT p = {x, y};
    ::ScreenToClient(::GetParent(m_hWnd), &p);
    x = p.x;
    y = p.y;
  }
  SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CWnd* CWnd::GetParentOwner() const {
  HWND hWnd = m_hWnd;
  for (HWND hParent; (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD) && (hParent = ::GetParent(hWnd)) != nullptr;)
    hWnd = hParent;
  return FromHandle(hWnd);
}

CWnd* CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop) {
  if (pWndTop != nullptr) *pWndTop = nullptr;
  HWND hWnd = pParent != nullptr ? pParent->m_hWnd : nullptr;
  if (hWnd == nullptr) {
    CWnd* pMain = AfxGetMainWnd();
    hWnd = pMain != nullptr ? pMain->m_hWnd : nullptr;
  }
  while (hWnd != nullptr && (::GetWindowLongW(hWnd, GWL_STYLE) & WS_CHILD)) hWnd = ::GetParent(hWnd);
  return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelParent() const {
  HWND hTop = m_hWnd;
  while (hTop != nullptr && (::GetWindowLongW(hTop, GWL_STYLE) & WS_CHILD)) hTop = ::GetParent(hTop);
  for (HWND hOwner = hTop != nullptr ? ::GetWindow(hTop, GW_OWNER) : nullptr; hOwner != nullptr;
       hOwner = ::GetWindow(hTop, GW_OWNER))
    hTop = hOwner;
  return FromHandle(hTop);
}

CWnd* CWnd::GetTopLevelOwner() const {
  HWND hOwner = m_hWnd;
  for (HWND h = ::GetWindow(hOwner, GW_OWNER); h != nullptr; h = ::GetWindow(hOwner, GW_OWNER)) hOwner = h;
  return FromHandle(hOwner);
}

// CFrameWnd derives from CWnd alone, so the pointers are the same.
CFrameWnd* CWnd::GetParentFrame() const {
  for (CWnd* pParent = GetParent(); pParent != nullptr; pParent = pParent->GetParent())
    if (pParent->IsFrameWnd()) return reinterpret_cast<CFrameWnd*>(pParent);
  return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
  CWnd* pFrame = const_cast<CWnd*>(this);
  if (!IsFrameWnd()) pFrame = reinterpret_cast<CWnd*>(GetParentFrame());
  for (CWnd* pParent = pFrame; pParent != nullptr;) {
    pFrame = pParent;
    pParent = reinterpret_cast<CWnd*>(pParent->GetParentFrame());
  }
  return reinterpret_cast<CFrameWnd*>(pFrame);
}

namespace {

BOOL ModifyWindowLong(HWND hWnd, int index, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD style = static_cast<DWORD>(::GetWindowLongW(hWnd, index));
  DWORD newStyle = (style & ~dwRemove) | dwAdd;
  if (style == newStyle) return FALSE;
  ::SetWindowLongW(hWnd, index, static_cast<LONG>(newStyle));
  if (nFlags != 0)
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyWindowLong(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyWindowLong(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  HWND hWndItem = ::GetDlgItem(m_hWnd, nID);
  if (hWndItem == nullptr) {
    rString.Empty();
    return 0;
  }
  CWnd(hWndItem).GetWindowText(rString);
  return rString.GetLength();
}

void CWnd::GetWindowText(CString& rString) const {
  int length = ::GetWindowTextLengthW(m_hWnd);
  int n = ::GetWindowTextW(m_hWnd, rString.GetBufferSetLength(length + 1), length + 1);
  rString.ReleaseBuffer(n);
}

int CWnd::MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType) {
  if (lpszCaption == nullptr) lpszCaption = AfxGetAppName();
  return ::MessageBoxW(m_hWnd, lpszText, lpszCaption, nType);
}

LPCWSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  // One name per combination, kept for the life of the process.
  static CRITICAL_SECTION* lock = [] {
    CRITICAL_SECTION* cs = new CRITICAL_SECTION;
    InitializeCriticalSection(cs);
    return cs;
  }();
  static auto* names = new std::unordered_map<std::wstring, std::wstring>;
  WCHAR name[96];
  _snwprintf(name, 96, L"Mulvara:%p:%x:%p:%p:%p", static_cast<void*>(AfxGetInstanceHandle()), nClassStyle,
             static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
  name[95] = 0;
  // Held until the name is returned, also when registering throws.
  ScopedLock hold(*lock);
  auto found = names->find(name);
  if (found == names->end()) {
    WNDCLASSW wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = name;
    AfxRegisterClass(&wc);
    found = names->emplace(name, name).first;
  }
  return found->second.c_str();
}

BOOL AfxRegisterClass(WNDCLASSW* lpWndClass) {
  WNDCLASSW existing;
  if (::GetClassInfoW(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing)) return TRUE;
  if (::RegisterClassW(lpWndClass) == 0) AfxThrowResourceException();
  return TRUE;
}
