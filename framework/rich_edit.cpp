#include "rich_edit.h"

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  // The library registers the class; it stays loaded for the process.
  static HMODULE library = ::LoadLibraryW(L"riched20.dll");
  if (library == nullptr) return FALSE;
  return CWnd::Create(RICHEDIT_CLASSW, nullptr, dwStyle, rect, pParentWnd, nID);
}
