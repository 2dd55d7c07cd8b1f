// The messages command bars and controls send to their frame or owner,
// and the records some of them carry. Fields that hold pointers are
// pointer-sized; the order of the fields is what receivers rely on.
#pragma once

#include "framework.h"

class CTkCommandBar;
class CTkControl;

#define WM_CMDBARS_BARVISIBLE 0x2855       // wParam: the bar, lParam: its new visible value
#define WM_CMDBARS_HOTCONTROL 0x2856       // wParam: the selected control, or 0
#define WM_CMDBARS_SELCHANGE 0x2857        // the customize selection changed
#define WM_CMDBARS_MENUMODE 0x2858         // wParam: the menu bar entering menu mode
#define WM_CMDBARS_RBUTTONUP 0x2859        // wParam: client point, lParam: control; 1 = handled
#define WM_CMDBARS_KEY 0x285A              // wParam: {key, lParam}, lParam: the bar
#define WM_CMDBARS_POPUPSHOWING 0x285B     // lParam: the popup bar about to show
#define WM_CMDBARS_CONTEXTMENU 0x285C      // lParam: the tool-bar context popup
#define WM_CMDBARS_POPUPCLOSED 0x285D      // lParam: the popup bar that closed
#define WM_CMDBARS_CREATECONTROL 0x285E    // lParam: ControlCreateInfo*
#define WM_CMDBARS_CONTROLCREATED 0x285F   // lParam: ControlCreateInfo*
#define WM_CMDBARS_GETICON 0x2860          // asks an MDI child for its icon
#define WM_CMDBARS_CREATEBAR 0x2861        // lParam: BarCreateInfo*
#define WM_CMDBARS_NOTIFY 0x2862           // wParam: id, lParam: ControlNotifyInfo*

// Control notification codes carried by WM_CMDBARS_NOTIFY.
#define CBN_TK_EXECUTE 100
#define CBN_TK_EDIT_SETFOCUS 0x100
#define CBN_TK_EDIT_KILLFOCUS 0x200

// Asked before a control is made from a menu item or a tool-bar button;
// the receiver may change the id, caption, type and style, or supply the
// control itself.
struct ControlCreateInfo {
  UINT nID = 0;                          // in/out
  CTkControl* pControl = nullptr;        // out: a control the receiver made
  int nSource = 0;                       // 0 a menu item, 1 a tool-bar button
  int nPosition = 0;                     // the item's position
  CMenu* pMenu = nullptr;                // menu items only
  CTkCommandBar* pCommandBar = nullptr;  // the bar being filled
  CString strCaption;                    // in/out
  int nType = 0;                         // in/out
  int nStyle = 0;                        // in/out
};

// The record of a control's notification: a notify header (no window) and
// the control.
struct ControlNotifyInfo {
  NMHDR hdr;  // hwndFrom 0, idFrom the command id, code the notification
  CTkControl* pControl;
};

// Sent when a tool bar or a popup bar is being made; a receiver answering
// non-zero may put its own bar in the first field.
struct BarCreateInfo {
  CTkCommandBar* pCommandBar = nullptr;
  BOOL bPopupBar = FALSE;   // a popup bar is wanted
  DWORD dwReserved = 0;
  DWORD dwAlwaysOne = 1;
  BOOL bTearOff = FALSE;
  LPCWSTR lpszTitle = nullptr;
  UINT nBarID = 0;
};
