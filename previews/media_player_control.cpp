#include "media_player_control.h"

IMPLEMENT_DYNCREATE(CWMPPlayer4, CWnd)

// {6BF52A52-394A-11D3-B153-00C04F79FAA6}
const CLSID CWMPPlayer4::kClassId = {0x6bf52a52, 0x394a, 0x11d3, {0xb1, 0x53, 0x00, 0xc0, 0x4f, 0x79, 0xfa, 0xa6}};

namespace {
constexpr DISPID kClose = 3;
constexpr DISPID kURL = 1;
constexpr DISPID kOpenState = 2;
constexpr DISPID kPlayState = 10;
constexpr DISPID kStatus = 18;
}  // namespace

BOOL CWMPPlayer4::Create(LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CreateControl(kClassId, windowName, style, rect, parent, id);
}

void CWMPPlayer4::Close() { InvokeHelper(kClose, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr); }

void CWMPPlayer4::SetURL(LPCWSTR url) {
  static const BYTE arguments[] = {VT_BSTR, 0};
  InvokeHelper(kURL, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, arguments, url);
}

long CWMPPlayer4::GetOpenState() {
  long state = 0;
  InvokeHelper(kOpenState, DISPATCH_PROPERTYGET, VT_I4, &state, nullptr);
  return state;
}

long CWMPPlayer4::GetPlayState() {
  long state = 0;
  InvokeHelper(kPlayState, DISPATCH_PROPERTYGET, VT_I4, &state, nullptr);
  return state;
}

CString CWMPPlayer4::GetStatus() {
  CString status;
  InvokeHelper(kStatus, DISPATCH_PROPERTYGET, VT_BSTR, &status, nullptr);
  return status;
}
