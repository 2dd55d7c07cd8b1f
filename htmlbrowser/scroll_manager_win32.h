// Scroll bars and scrolling for a window whose content is larger than its
// client area: the window's handler passes on what it does not consume.
#pragma once

#include <windows.h>

constexpr UINT SCM_SETCONTENTSIZE = 1025;
constexpr UINT SCM_SETXPOS = 1026;
constexpr UINT SCM_SETYPOS = 1027;
constexpr UINT SCM_GETXPOS = 1028;
constexpr UINT SCM_GETYPOS = 1029;
constexpr UINT SCM_GETXMAX = 1030;
constexpr UINT SCM_GETYMAX = 1031;
constexpr UINT SCM_SCROLLED = 1033;

// A null window with message 0 releases every window's record.
LRESULT ScrollManagerProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// Sets the bar's page in percent (1..99) without redrawing; gives 100 - page.
int SetScrollPage(HWND window, int bar, int pagePercent);
