// CRichEditCtrl: the rich edit control (riched20), loaded on first use.
#pragma once

#include <windows.h>
#include <richedit.h>
#include <richole.h>

#include "wnd.h"

class CRichEditCtrl : public CWnd {
  DECLARE_DYNAMIC(CRichEditCtrl)
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  long StreamIn(int nFormat, EDITSTREAM& es) {
    return static_cast<long>(SendMessage(EM_STREAMIN, static_cast<WPARAM>(nFormat), reinterpret_cast<LPARAM>(&es)));
  }
  long StreamOut(int nFormat, EDITSTREAM& es) {
    return static_cast<long>(SendMessage(EM_STREAMOUT, static_cast<WPARAM>(nFormat), reinterpret_cast<LPARAM>(&es)));
  }
  BOOL SetReadOnly(BOOL bReadOnly = TRUE) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, bReadOnly)); }
  BOOL SetOLECallback(IRichEditOleCallback* pCallback) {
    return static_cast<BOOL>(SendMessage(EM_SETOLECALLBACK, 0, reinterpret_cast<LPARAM>(pCallback)));
  }
  void SetSel(long nStartChar, long nEndChar) {
    CHARRANGE range = {nStartChar, nEndChar};
    SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  }
  void GetSel(long& nStartChar, long& nEndChar) const {
    CHARRANGE range = {};
    SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    nStartChar = range.cpMin;
    nEndChar = range.cpMax;
  }
  DWORD SetEventMask(DWORD dwEventMask) { return static_cast<DWORD>(SendMessage(EM_SETEVENTMASK, 0, static_cast<LPARAM>(dwEventMask))); }
  COLORREF SetBackgroundColor(BOOL bSysColor, COLORREF cr) {
    return static_cast<COLORREF>(SendMessage(EM_SETBKGNDCOLOR, bSysColor, static_cast<LPARAM>(cr)));
  }
  void LimitText(long nChars = 0) { SendMessage(EM_EXLIMITTEXT, 0, nChars); }
  long GetTextLength() const { return static_cast<long>(SendMessage(WM_GETTEXTLENGTH)); }
};
