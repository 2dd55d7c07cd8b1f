#include "automation.h"

#include <cstdarg>
#include <vector>

IMPLEMENT_DYNAMIC(COleDispatchException, CException)

BOOL COleDispatchException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != nullptr) *pnHelpContext = 0;
  if (lpszError == nullptr || nMaxError == 0) return FALSE;
  lstrcpynW(lpszError, m_strDescription, static_cast<int>(nMaxError));
  return TRUE;
}

BOOL COleDispatchDriver::CreateDispatch(LPCWSTR progId) {
  ReleaseDispatch();
  CLSID clsid;
  if (FAILED(::CLSIDFromProgID(progId, &clsid))) return FALSE;
  IDispatch* dispatch = nullptr;
  if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
    return FALSE;
  m_lpDispatch = dispatch;
  return TRUE;
}

void COleDispatchDriver::AttachDispatch(IDispatch* dispatch) {
  ReleaseDispatch();
  m_lpDispatch = dispatch;
}

void COleDispatchDriver::ReleaseDispatch() {
  if (m_lpDispatch != nullptr) m_lpDispatch->Release();
  m_lpDispatch = nullptr;
}

void COleDispatchDriver::InvokeHelper(DISPID id, WORD flags, VARTYPE resultType, void* result, const BYTE* argTypes,
                                      ...) {
  va_list args;
  va_start(args, argTypes);
  try {
    InvokeHelperV(id, flags, resultType, result, argTypes, args);
  } catch (...) {
    va_end(args);
    throw;
  }
  va_end(args);
}

void COleDispatchDriver::InvokeHelperV(DISPID id, WORD flags, VARTYPE resultType, void* result, const BYTE* argTypes,
                                       va_list args) {
  if (m_lpDispatch == nullptr) AfxThrowOleException(E_POINTER);
  // Arguments go to IDispatch in reverse order.
  std::vector<VARIANT> values;
  for (const BYTE* type = argTypes; type != nullptr && *type != 0; ++type) {
    VARIANT value;
    ::VariantInit(&value);
    value.vt = *type;
    switch (*type) {
      case VT_BSTR: value.bstrVal = ::SysAllocString(va_arg(args, LPCWSTR)); break;
      case VT_I4: value.lVal = va_arg(args, int); break;
      case VT_BOOL: value.boolVal = va_arg(args, BOOL) ? VARIANT_TRUE : VARIANT_FALSE; break;
      case VT_DISPATCH:
        value.pdispVal = va_arg(args, IDispatch*);
        if (value.pdispVal != nullptr) value.pdispVal->AddRef();
        break;
      default:
        for (VARIANT& made : values) ::VariantClear(&made);
        AfxThrowOleException(DISP_E_BADVARTYPE);
    }
    values.insert(values.begin(), value);
  }
  DISPPARAMS params = {values.empty() ? nullptr : values.data(), nullptr, static_cast<UINT>(values.size()), 0};
  DISPID named = DISPID_PROPERTYPUT;
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &named;
    params.cNamedArgs = 1;
  }
  VARIANT answer;
  ::VariantInit(&answer);
  EXCEPINFO info = {};
  UINT badArgument = 0;
  const HRESULT hr = m_lpDispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                          resultType == VT_EMPTY ? nullptr : &answer, &info, &badArgument);
  for (VARIANT& value : values) ::VariantClear(&value);
  if (hr == DISP_E_EXCEPTION) {
    if (info.pfnDeferredFillIn != nullptr) info.pfnDeferredFillIn(&info);
    const SCODE sc = info.scode != 0 ? info.scode : E_FAIL;
    CString description = info.bstrDescription != nullptr ? CString(info.bstrDescription) : CString();
    ::SysFreeString(info.bstrSource);
    ::SysFreeString(info.bstrDescription);
    ::SysFreeString(info.bstrHelpFile);
    throw new COleDispatchException(description, sc);
  }
  if (FAILED(hr)) AfxThrowOleException(hr);
  if (resultType == VT_EMPTY || result == nullptr) {
    ::VariantClear(&answer);
    return;
  }
  if (answer.vt != resultType && FAILED(::VariantChangeType(&answer, &answer, 0, resultType))) {
    ::VariantClear(&answer);
    AfxThrowOleException(DISP_E_TYPEMISMATCH);
  }
  switch (resultType) {
    case VT_DISPATCH:
      // The reference in the answer passes to the caller.
      *static_cast<IDispatch**>(result) = answer.pdispVal;
      answer.vt = VT_EMPTY;
      break;
    case VT_BSTR: *static_cast<CString*>(result) = answer.bstrVal != nullptr ? answer.bstrVal : L""; break;
    case VT_I4: *static_cast<long*>(result) = answer.lVal; break;
    case VT_BOOL: *static_cast<BOOL*>(result) = answer.boolVal != VARIANT_FALSE; break;
    default: break;
  }
  ::VariantClear(&answer);
}
