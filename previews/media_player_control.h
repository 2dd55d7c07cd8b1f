// The window wrapper of the Windows Media Player ActiveX control.
#pragma once

#include "framework.h"

class CWMPPlayer4 : public CWnd {
  DECLARE_DYNCREATE(CWMPPlayer4)

 public:
  static const CLSID kClassId;

  using CWnd::Create;
  // The control by its class id; FALSE when it cannot be made.
  BOOL Create(LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // Each raises what the control raises, and COleException while there is
  // no control.
  void Close();
  // The media to open; the control starts playing it.
  void SetURL(LPCWSTR url);
  long GetOpenState();
  long GetPlayState();
  CString GetStatus();
};
