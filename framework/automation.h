// Automation: an object made from a ProgID and called by dispatch id as a
// method or a property, with typed arguments and result. Failures throw a
// COleDispatchException (the object's own error text) or a COleException.
#pragma once

#include <oaidl.h>

#include "cstring.h"
#include "exceptions.h"

class COleDispatchException : public CException {
  DECLARE_DYNAMIC(COleDispatchException)
 public:
  COleDispatchException(LPCWSTR description, SCODE sc) : m_strDescription(description), m_scError(sc) {}
  BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override;

  CString m_strDescription;
  SCODE m_scError;
};

class COleDispatchDriver {
 public:
  COleDispatchDriver() = default;
  ~COleDispatchDriver() { ReleaseDispatch(); }
  COleDispatchDriver(const COleDispatchDriver&) = delete;
  COleDispatchDriver& operator=(const COleDispatchDriver&) = delete;

  // FALSE when the ProgID is not registered or the object cannot be made.
  BOOL CreateDispatch(LPCWSTR progId);
  // Takes over one reference.
  void AttachDispatch(IDispatch* dispatch);
  void ReleaseDispatch();
  IDispatch* m_lpDispatch = nullptr;

  // flags: DISPATCH_METHOD, DISPATCH_PROPERTYGET or DISPATCH_PROPERTYPUT.
  // resultType VT_EMPTY takes no result; VT_DISPATCH stores an IDispatch*
  // the caller owns, VT_BSTR a CString, VT_I4 a long, VT_BOOL a BOOL.
  // argTypes lists the arguments' types up to a 0 (VT_BSTR: LPCWSTR,
  // VT_I4: int, VT_BOOL: BOOL, VT_DISPATCH: IDispatch*), or is null.
  void InvokeHelper(DISPID id, WORD flags, VARTYPE resultType, void* result, const BYTE* argTypes, ...);
  void InvokeHelperV(DISPID id, WORD flags, VARTYPE resultType, void* result, const BYTE* argTypes,
                     va_list args);
};
