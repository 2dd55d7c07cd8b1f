// Message maps: static tables of entries, one per class, each entry a
// message (or command, notification, update request) and a small function
// that calls the class's handler with the right arguments.
#pragma once

#include <windows.h>

#include "private_messages.h"

class CCmdTarget;
class CCmdUI;

// What a map entry's function gets: the window message, or for commands
// and notifications the id, code and extra record.
struct AFX_CALL {
  UINT nMessage;
  WPARAM wParam;
  LPARAM lParam;
  UINT nID;
  UINT nCode;
  void* pExtra;
};

typedef LRESULT (*AFX_PMSG)(CCmdTarget* pTarget, const AFX_CALL& call);

enum AfxSig : UINT {
  AfxSig_end = 0,
  AfxSig_msg,       // window message: the function's value is the result
  AfxSig_cmd,       // command or notification: always handled
  AfxSig_cmdEx,     // the function's value says whether it handled it
  AfxSig_update,    // update-UI request for a CCmdUI
};

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;
  UINT nCode;
  UINT nID;
  UINT nLastID;
  UINT nSig;
  AFX_PMSG pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// The record passed with notification commands (code MAKELONG(n, WM_NOTIFY)).
struct AFX_NOTIFY {
  LRESULT* pResult;
  NMHDR* pNMHDR;
};

// Filled by OnCmdMsg instead of calling the handler when asked.
struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget;
  AFX_PMSG pmf;
};

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg,
                                            UINT nCode, UINT nID);
// The first entry for the message in the map or the maps it derives from.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode, UINT nID);

#define afx_msg

#define DECLARE_MESSAGE_MAP()                       \
 protected:                                         \
  static const AFX_MSGMAP* GetThisMessageMap();     \
  const AFX_MSGMAP* GetMessageMap() const override; \
                                                    \
 protected:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                       \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                  \
    typedef theClass ThisClass;                                                      \
    typedef baseClass TheBaseClass;                                                  \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                         \
  { 0, 0, 0, 0, AfxSig_end, nullptr }                                             \
  }                                                                               \
  ;                                                                               \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, _messageEntries}; \
  return &messageMap;                                                             \
  }

// The body runs with pThis (the class) and call (the AFX_CALL).
#define AFX_THUNK(body)                                              \
  [](CCmdTarget * pTarget_, const AFX_CALL& call) -> LRESULT {       \
    ThisClass* pThis = static_cast<ThisClass*>(pTarget_);            \
    (void)pThis;                                                     \
    (void)call;                                                      \
    body                                                             \
  }

#define AFX_WM_ENTRY(message, body) {message, 0, 0, 0, AfxSig_msg, AFX_THUNK(body)},

// Commands, update-UI and control notifications.
#define ON_COMMAND(id, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxSig_cmd, AFX_THUNK(pThis->memberFxn(); return TRUE;)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                          \
  {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), AfxSig_cmd, \
   AFX_THUNK(pThis->memberFxn(call.nID); return TRUE;)},
#define ON_COMMAND_EX(id, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), AfxSig_cmdEx, AFX_THUNK(return pThis->memberFxn(call.nID);)},
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), AfxSig_cmdEx, AFX_THUNK(return pThis->memberFxn(call.nID);)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                   \
  {WM_COMMAND, (UINT)CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), AfxSig_update, \
   AFX_THUNK(pThis->memberFxn(static_cast<CCmdUI*>(call.pExtra)); return TRUE;)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                         \
  {WM_COMMAND, (UINT)CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(idLast), AfxSig_update, \
   AFX_THUNK(pThis->memberFxn(static_cast<CCmdUI*>(call.pExtra)); return TRUE;)},
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
  {WM_COMMAND, (WORD)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSig_cmd, AFX_THUNK(pThis->memberFxn(); return TRUE;)},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)                        \
  {WM_COMMAND, (WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxSig_cmd, \
   AFX_THUNK(pThis->memberFxn(call.nID); return TRUE;)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_CLBN_CHKCHANGE(id, memberFxn) ON_CONTROL(CLBN_CHKCHANGE, id, memberFxn)

#define AFX_NOTIFY_ARGS static_cast<AFX_NOTIFY*>(call.pExtra)->pNMHDR, static_cast<AFX_NOTIFY*>(call.pExtra)->pResult
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                \
  {WM_NOTIFY, (WORD)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSig_cmd, \
   AFX_THUNK(pThis->memberFxn(AFX_NOTIFY_ARGS); return TRUE;)},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                      \
  {WM_NOTIFY, (WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxSig_cmd, \
   AFX_THUNK(pThis->memberFxn(call.nID, AFX_NOTIFY_ARGS); return TRUE;)},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                               \
  {WM_NOTIFY, (WORD)(wNotifyCode), (UINT)(id), (UINT)(id), AfxSig_cmdEx, \
   AFX_THUNK(return pThis->memberFxn(call.nID, AFX_NOTIFY_ARGS);)},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn)                     \
  {WM_NOTIFY, (WORD)(wNotifyCode), (UINT)(id), (UINT)(idLast), AfxSig_cmdEx, \
   AFX_THUNK(return pThis->memberFxn(call.nID, AFX_NOTIFY_ARGS);)},

// Notifications a parent sends back to the control that raised them.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                    \
  {WM_REFLECT_BASE + WM_COMMAND, (WORD)(wNotifyCode), 0, 0, AfxSig_cmd, \
   AFX_THUNK(pThis->memberFxn(); return TRUE;)},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                   \
  {WM_REFLECT_BASE + WM_COMMAND, (WORD)(wNotifyCode), 0, 0, AfxSig_cmdEx, \
   AFX_THUNK(return pThis->memberFxn();)},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                    \
  {WM_REFLECT_BASE + WM_NOTIFY, (WORD)(wNotifyCode), 0, 0, AfxSig_cmd, \
   AFX_THUNK(pThis->memberFxn(AFX_NOTIFY_ARGS); return TRUE;)},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                   \
  {WM_REFLECT_BASE + WM_NOTIFY, (WORD)(wNotifyCode), 0, 0, AfxSig_cmdEx, \
   AFX_THUNK(return pThis->memberFxn(AFX_NOTIFY_ARGS);)},
// The control's HBRUSH CtlColor(CDC*, UINT nCtlColor); NULL lets the parent decide.
#define ON_WM_CTLCOLOR_REFLECT()                                             \
  AFX_WM_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR,                                \
               return reinterpret_cast<LRESULT>(pThis->CtlColor(             \
                   CDC::FromHandle(reinterpret_cast<HDC>(call.wParam)), call.nCode));)

#define ON_MESSAGE(message, memberFxn) \
  AFX_WM_ENTRY(message, return pThis->memberFxn(call.wParam, call.lParam);)
#define AFX_POINT CPoint(static_cast<short>(LOWORD(call.lParam)), static_cast<short>(HIWORD(call.lParam)))
#define AFX_HWND_WPARAM CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam))
#define AFX_HWND_LPARAM CWnd::FromHandle(reinterpret_cast<HWND>(call.lParam))
#define AFX_MOUSE_ENTRY(message, fn) \
  AFX_WM_ENTRY(message, pThis->fn(static_cast<UINT>(call.wParam), AFX_POINT); return 0;)
#define AFX_KEY_ENTRY(message, fn)                                                        \
  AFX_WM_ENTRY(message, pThis->fn(static_cast<UINT>(call.wParam), LOWORD(call.lParam), \
                                  HIWORD(call.lParam));                                 \
               return 0;)
#define AFX_VOID_ENTRY(message, fn) AFX_WM_ENTRY(message, pThis->fn(); return 0;)

#define ON_WM_CREATE() AFX_WM_ENTRY(WM_CREATE, return pThis->OnCreate(reinterpret_cast<LPCREATESTRUCT>(call.lParam));)
#define ON_WM_NCCREATE() AFX_WM_ENTRY(WM_NCCREATE, return pThis->OnNcCreate(reinterpret_cast<LPCREATESTRUCT>(call.lParam));)
#define ON_WM_DESTROY() AFX_VOID_ENTRY(WM_DESTROY, OnDestroy)
#define ON_WM_NCDESTROY() AFX_VOID_ENTRY(WM_NCDESTROY, OnNcDestroy)
#define ON_WM_PAINT() AFX_VOID_ENTRY(WM_PAINT, OnPaint)
#define ON_WM_NCPAINT() AFX_VOID_ENTRY(WM_NCPAINT, OnNcPaint)
#define ON_WM_CLOSE() AFX_VOID_ENTRY(WM_CLOSE, OnClose)
#define ON_WM_CANCELMODE() AFX_VOID_ENTRY(WM_CANCELMODE, OnCancelMode)
#define ON_WM_SYSCOLORCHANGE() AFX_VOID_ENTRY(WM_SYSCOLORCHANGE, OnSysColorChange)
#define ON_WM_MOUSELEAVE() AFX_VOID_ENTRY(WM_MOUSELEAVE, OnMouseLeave)
#define ON_WM_ERASEBKGND() \
  AFX_WM_ENTRY(WM_ERASEBKGND, return pThis->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(call.wParam)));)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_MOUSEHOVER() AFX_MOUSE_ENTRY(WM_MOUSEHOVER, OnMouseHover)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_MOUSE_ENTRY(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_MOUSE_ENTRY(WM_MBUTTONUP, OnMButtonUp)
// nFlags carries the whole wParam: GET_XBUTTON_WPARAM gives the button.
#define ON_WM_XBUTTONDOWN() AFX_MOUSE_ENTRY(WM_XBUTTONDOWN, OnXButtonDown)
#define ON_WM_XBUTTONUP() AFX_MOUSE_ENTRY(WM_XBUTTONUP, OnXButtonUp)
#define ON_WM_NCMOUSEMOVE() AFX_MOUSE_ENTRY(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_MOUSE_ENTRY(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_MOUSE_ENTRY(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_MOUSE_ENTRY(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_MOUSEWHEEL()                                                                        \
  AFX_WM_ENTRY(WM_MOUSEWHEEL, return pThis->OnMouseWheel(LOWORD(call.wParam),       \
                                                         static_cast<short>(HIWORD(call.wParam)), AFX_POINT);)
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY_ENTRY(WM_KEYUP, OnKeyUp)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_KEY_ENTRY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_CHAR() AFX_KEY_ENTRY(WM_CHAR, OnChar)
#define ON_WM_TIMER() AFX_WM_ENTRY(WM_TIMER, pThis->OnTimer(static_cast<UINT_PTR>(call.wParam)); return 0;)
#define ON_WM_NCHITTEST() AFX_WM_ENTRY(WM_NCHITTEST, return pThis->OnNcHitTest(AFX_POINT);)
#define ON_WM_NCCALCSIZE()                                                     \
  AFX_WM_ENTRY(WM_NCCALCSIZE, pThis->OnNcCalcSize(static_cast<BOOL>(call.wParam), \
                                                  reinterpret_cast<NCCALCSIZE_PARAMS*>(call.lParam)); \
               return 0;)
#define ON_WM_NCACTIVATE() AFX_WM_ENTRY(WM_NCACTIVATE, return pThis->OnNcActivate(static_cast<BOOL>(call.wParam));)
#define ON_WM_MOUSEACTIVATE()                                                             \
  AFX_WM_ENTRY(WM_MOUSEACTIVATE, return pThis->OnMouseActivate(AFX_HWND_WPARAM, LOWORD(call.lParam), \
                                                               HIWORD(call.lParam));)
#define ON_WM_SETFOCUS() AFX_WM_ENTRY(WM_SETFOCUS, pThis->OnSetFocus(AFX_HWND_WPARAM); return 0;)
#define ON_WM_KILLFOCUS() AFX_WM_ENTRY(WM_KILLFOCUS, pThis->OnKillFocus(AFX_HWND_WPARAM); return 0;)
#define ON_WM_CAPTURECHANGED() AFX_WM_ENTRY(WM_CAPTURECHANGED, pThis->OnCaptureChanged(AFX_HWND_LPARAM); return 0;)
#define ON_WM_SIZE()                                                                                \
  AFX_WM_ENTRY(WM_SIZE, pThis->OnSize(static_cast<UINT>(call.wParam), static_cast<short>(LOWORD(call.lParam)), \
                                      static_cast<short>(HIWORD(call.lParam)));                    \
               return 0;)
#define ON_WM_MOVE()                                                                      \
  AFX_WM_ENTRY(WM_MOVE, pThis->OnMove(static_cast<short>(LOWORD(call.lParam)),           \
                                      static_cast<short>(HIWORD(call.lParam)));          \
               return 0;)
#define ON_WM_SYSCOMMAND() AFX_WM_ENTRY(WM_SYSCOMMAND, pThis->OnSysCommand(static_cast<UINT>(call.wParam), call.lParam); return 0;)
#define ON_WM_SETTINGCHANGE() \
  AFX_WM_ENTRY(WM_SETTINGCHANGE, pThis->OnSettingChange(static_cast<UINT>(call.wParam), reinterpret_cast<LPCWSTR>(call.lParam)); return 0;)
#define ON_WM_ACTIVATEAPP() \
  AFX_WM_ENTRY(WM_ACTIVATEAPP, pThis->OnActivateApp(static_cast<BOOL>(call.wParam), static_cast<DWORD>(call.lParam)); return 0;)
#define ON_WM_ACTIVATE()                                                                  \
  AFX_WM_ENTRY(WM_ACTIVATE, pThis->OnActivate(LOWORD(call.wParam), AFX_HWND_LPARAM,      \
                                              static_cast<BOOL>(HIWORD(call.wParam)));   \
               return 0;)
#define ON_WM_ENABLE() AFX_WM_ENTRY(WM_ENABLE, pThis->OnEnable(static_cast<BOOL>(call.wParam)); return 0;)
#define ON_WM_SHOWWINDOW() \
  AFX_WM_ENTRY(WM_SHOWWINDOW, pThis->OnShowWindow(static_cast<BOOL>(call.wParam), static_cast<UINT>(call.lParam)); return 0;)
#define ON_WM_WINDOWPOSCHANGING() \
  AFX_WM_ENTRY(WM_WINDOWPOSCHANGING, pThis->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(call.lParam)); return 0;)
#define ON_WM_WINDOWPOSCHANGED() \
  AFX_WM_ENTRY(WM_WINDOWPOSCHANGED, pThis->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(call.lParam)); return 0;)
#define ON_WM_GETMINMAXINFO() \
  AFX_WM_ENTRY(WM_GETMINMAXINFO, pThis->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(call.lParam)); return 0;)
#define ON_WM_SETCURSOR() \
  AFX_WM_ENTRY(WM_SETCURSOR, return pThis->OnSetCursor(AFX_HWND_WPARAM, LOWORD(call.lParam), HIWORD(call.lParam));)
#define ON_WM_GETDLGCODE() AFX_WM_ENTRY(WM_GETDLGCODE, return pThis->OnGetDlgCode();)
// One handler for every WM_CTLCOLOR* message; nCtlColor tells which.
#define ON_WM_CTLCOLOR()                                                                         \
  AFX_WM_ENTRY(WM_CTLCOLOR, return reinterpret_cast<LRESULT>(pThis->OnCtlColor(                 \
                                CDC::FromHandle(reinterpret_cast<HDC>(call.wParam)), AFX_HWND_LPARAM, \
                                call.nCode));)
#define ON_WM_DRAWITEM()                                                                      \
  AFX_WM_ENTRY(WM_DRAWITEM, pThis->OnDrawItem(static_cast<int>(call.wParam),                 \
                                              reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam)); \
               return TRUE;)
#define ON_WM_MEASUREITEM()                                                                      \
  AFX_WM_ENTRY(WM_MEASUREITEM, pThis->OnMeasureItem(static_cast<int>(call.wParam),              \
                                                    reinterpret_cast<LPMEASUREITEMSTRUCT>(call.lParam)); \
               return TRUE;)
#define ON_WM_CONTEXTMENU() AFX_WM_ENTRY(WM_CONTEXTMENU, pThis->OnContextMenu(AFX_HWND_WPARAM, AFX_POINT); return 0;)
#define AFX_SCROLL_ENTRY(message, fn)                                                          \
  AFX_WM_ENTRY(message, pThis->fn(LOWORD(call.wParam), HIWORD(call.wParam),                     \
                                  reinterpret_cast<CScrollBar*>(AFX_HWND_LPARAM));             \
               return 0;)
#define ON_WM_HSCROLL() AFX_SCROLL_ENTRY(WM_HSCROLL, OnHScroll)
#define ON_WM_VSCROLL() AFX_SCROLL_ENTRY(WM_VSCROLL, OnVScroll)
#define ON_WM_INITMENUPOPUP()                                                                 \
  AFX_WM_ENTRY(WM_INITMENUPOPUP, pThis->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(call.wParam)), \
                                                        LOWORD(call.lParam), static_cast<BOOL>(HIWORD(call.lParam))); \
               return 0;)
#define ON_WM_MENUSELECT()                                                                   \
  AFX_WM_ENTRY(WM_MENUSELECT, pThis->OnMenuSelect(LOWORD(call.wParam), HIWORD(call.wParam), \
                                                  reinterpret_cast<HMENU>(call.lParam));    \
               return 0;)
