// Reading the program's dialogs from a watcher thread (test_app.h) while
// the test thread runs them.
#pragma once

#include "framework.h"
#include "test_app.h"

inline CString ItemText(HWND hDlg, int nID) {
  WCHAR text[1024] = {};
  ::GetDlgItemTextW(hDlg, nID, text, 1024);
  return text;
}

// The weight of the font a control draws with.
inline LONG FontWeight(HWND hWnd) {
  LOGFONTW font = {};
  HFONT hFont = reinterpret_cast<HFONT>(::SendMessageW(hWnd, WM_GETFONT, 0, 0));
  ::GetObjectW(hFont != nullptr ? hFont : ::GetStockObject(SYSTEM_FONT), sizeof font, &font);
  return font.lfWeight;
}

// Whether a static's text fits its rectangle, wrapped as the static wraps it.
inline bool TextFits(HWND hStatic) {
  WCHAR text[1024] = {};
  ::GetWindowTextW(hStatic, text, 1024);
  RECT client = {};
  ::GetClientRect(hStatic, &client);
  HDC hdc = ::GetDC(hStatic);
  HGDIOBJ old = ::SelectObject(hdc, reinterpret_cast<HFONT>(::SendMessageW(hStatic, WM_GETFONT, 0, 0)));
  RECT needed = {0, 0, client.right, 0};
  ::DrawTextW(hdc, text, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  ::SelectObject(hdc, old);
  ::ReleaseDC(hStatic, hdc);
  return needed.right <= client.right && needed.bottom <= client.bottom;
}

// Whether the skin bitmap covers the dialog's client area.
inline bool SkinCovers(UINT nIDBitmap, HWND hDlg) {
  HBITMAP hBitmap = static_cast<HBITMAP>(
      ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDBitmap), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (hBitmap == nullptr) return false;
  BITMAP info = {};
  ::GetObjectW(hBitmap, sizeof info, &info);
  ::DeleteObject(hBitmap);
  RECT client = {};
  ::GetClientRect(hDlg, &client);
  return info.bmWidth >= client.right && info.bmHeight >= client.bottom;
}
