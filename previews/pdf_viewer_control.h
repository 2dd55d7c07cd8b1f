// The window wrapper of the PDF viewer ActiveX control.
#pragma once

#include "framework.h"

class CWPViewPDFX : public CWnd {
  DECLARE_DYNCREATE(CWPViewPDFX)

 public:
  static const CLSID kClassId;

  using CWnd::Create;
  // The control by its class id; FALSE when it is not installed.
  BOOL Create(LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id);
  // Opens the file in the control; raises what the control raises.
  BOOL LoadFile(LPCWSTR path);
};
