// The framework's private messages, command codes and well-known ids.
#pragma once

#include <windows.h>

// Private window messages (values of our own in the WM_USER-free range
// below 0x0400 that Windows leaves to applications' frameworks).
#define WM_SIZEPARENT 0x0361       // lParam: AFX_SIZEPARENTPARAMS*
#define WM_SETMESSAGESTRING 0x0362 // wParam: string id, or lParam: text
#define WM_IDLEUPDATECMDUI 0x0363  // wParam: disable commands without handlers
#define WM_INITIALUPDATE 0x0364    // sent to views once their frame is ready
#define WM_COMMANDHELP 0x0365
#define WM_HELPHITTEST 0x0366      // lParam: point; answers a help context
#define WM_EXITHELPMODE 0x0367
#define WM_RECALCPARENT 0x0368
#define WM_SIZECHILD 0x0369
#define WM_KICKIDLE 0x036A         // sent to a modal loop's owner to run idle work
#define WM_QUERYCENTERWND 0x036B
#define WM_DISABLEMODAL 0x036C
#define WM_FLOATSTATUS 0x036D      // wParam: FS_* flags
#define WM_ACTIVATETOPLEVEL 0x036E
#define WM_POPMESSAGESTRING 0x0375

// Reflected messages reach the control as WM_REFLECT_BASE + message.
#define WM_REFLECT_BASE 0xBC00

#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019  // stands for all WM_CTLCOLOR* in message maps
#endif

// WM_FLOATSTATUS flags.
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40

// Command codes passed to OnCmdMsg.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// The record of WM_SIZEPARENT: bars take their room from rect.
struct AFX_SIZEPARENTPARAMS {
  HDWP hDWP;
  RECT rect;
  SIZE sizeTotal;
  BOOL bStretch;
};

// Window ids.
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_TOOLBAR 0xE800     // 59392
#define AFX_IDS_APP_TITLE 0xE000  // 57344: the application's name
#define AFX_IDW_STATUS_BAR 0xE801  // 59393
#define AFX_IDW_PREVIEW_BAR 0xE802
#define AFX_IDW_RESIZE_BAR 0xE803
#define AFX_IDW_REBAR 0xE804       // 59396
#define AFX_IDW_DIALOGBAR 0xE805
#define AFX_IDW_DOCKBAR_TOP 0xE81B     // 59419
#define AFX_IDW_DOCKBAR_LEFT 0xE81C    // 59420
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D   // 59421
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E  // 59422
#define AFX_IDW_DOCKBAR_FLOAT 0xE81F
#define AFX_IDW_PANE_FIRST 0xE900
#define AFX_IDW_PANE_LAST 0xE9FF
#define AFX_IDW_SIZE_BOX 0xEA20
#define AFX_IDW_PANE_SAVE 0xEA21

#define AFX_IDS_IDLEMESSAGE 0xE001  // 57345: the status bar's idle prompt
#define AFX_IDS_SCFIRST 0xEF00      // system-command prompts: 0xEF00 + n
#define AFX_IDS_HIDE 0xF011         // 61457: the close item of a floating tool frame

#define ID_SEPARATOR 0
#define ID_INDICATOR_EXT 0xE700
#define ID_INDICATOR_CAPS 0xE701    // 59137
#define ID_INDICATOR_NUM 0xE702     // 59138
#define ID_INDICATOR_SCRL 0xE703    // 59139
#define ID_INDICATOR_OVR 0xE704
#define ID_INDICATOR_REC 0xE705

#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_FILE_PRINT_SETUP 0xE106
#define ID_FILE_PRINT 0xE107
#define ID_FILE_PRINT_DIRECT 0xE108
#define ID_FILE_PRINT_PREVIEW 0xE109
#define ID_FILE_MRU_FIRST 0xE110    // 57616
#define ID_FILE_MRU_FILE1 0xE110
#define ID_FILE_MRU_LAST 0xE11F
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#define ID_EDIT_CLEAR 0xE120
#define ID_EDIT_COPY 0xE122         // 57634
#define ID_EDIT_CUT 0xE123          // 57635
#define ID_EDIT_PASTE 0xE125        // 57637
#define ID_EDIT_SELECT_ALL 0xE12A
#define ID_EDIT_UNDO 0xE12B
#define ID_OLE_VERB_FIRST 0xE210    // 57872
#define ID_OLE_VERB_LAST 0xE21F     // 57887
#define ID_VIEW_TOOLBAR 0xE800
#define ID_VIEW_STATUS_BAR 0xE801
#define ID_VIEW_REBAR 0xE804
#define ID_HELP 0xE146
#define ID_CONTEXT_HELP 0xE145
#define AFX_IDM_FIRST_MDICHILD 0xFF00

// Control-bar style bits.
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// CWnd::m_nFlags bits.
#define WF_TOOLTIPS 0x0001
#define WF_TEMPHIDE 0x0002
#define WF_STAYDISABLED 0x0004
#define WF_MODALLOOP 0x0008
#define WF_CONTINUEMODAL 0x0010
#define WF_OLECTLCONTAINER 0x0100
#define WF_TRACKINGTOOLTIPS 0x0400

// RunModalLoop flags.
#define MLF_NOIDLEMSG 0x0001
#define MLF_NOKICKIDLE 0x0002
#define MLF_SHOWONIDLE 0x0004

// CFrameWnd::m_nIdleFlags bits.
#define AFX_IDLE_LAYOUT 0x0001
#define AFX_IDLE_NOTIFY 0x0002
#define AFX_IDLE_TITLE 0x0004
#define AFX_IDLE_MENU 0x0008
