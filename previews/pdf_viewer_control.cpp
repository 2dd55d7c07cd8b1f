#include "pdf_viewer_control.h"

IMPLEMENT_DYNCREATE(CWPViewPDFX, CWnd)

// {D8D3A8F6-46EF-4424-AE49-4376F1FE1EB4}
const CLSID CWPViewPDFX::kClassId = {0xd8d3a8f6, 0x46ef, 0x4424, {0xae, 0x49, 0x43, 0x76, 0xf1, 0xfe, 0x1e, 0xb4}};

namespace {
constexpr DISPID kLoadFile = 207;
}  // namespace

BOOL CWPViewPDFX::Create(LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CreateControl(kClassId, windowName, style, rect, parent, id);
}

BOOL CWPViewPDFX::LoadFile(LPCWSTR path) {
  static const BYTE arguments[] = {VT_BSTR, 0};
  BOOL result = FALSE;
  InvokeHelper(kLoadFile, DISPATCH_METHOD, VT_BOOL, &result, arguments, path);
  return result;
}
