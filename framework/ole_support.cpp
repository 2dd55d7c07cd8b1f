#include "ole_support.h"

#include <ole2.h>
#include <oleauto.h>

#include <cstdio>
#include <cstdlib>

#include "module_state.h"
#include "win_app.h"

namespace {

BOOL controlContainer = FALSE;
BOOL oleInitialised = FALSE;
CLSID daoEngineClass = {};
BOOL daoEngineFound = FALSE;

void UninitialiseOle() {
  if (oleInitialised) ::OleUninitialize();
  oleInitialised = FALSE;
}

// Calls a method by name on an automation object.
HRESULT Invoke(IDispatch* object, LPCWSTR name, WORD flags, DISPPARAMS* params, VARIANT* result,
               EXCEPINFO* error) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  UINT argError = 0;
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, params, result, error, &argError);
}

[[noreturn]] void ThrowFromExcepInfo(SCODE scode, EXCEPINFO& error) {
  auto* e = new CDaoException;
  e->m_scode = scode;
  if (error.bstrDescription != nullptr || error.scode != 0 || error.wCode != 0) {
    e->m_pErrorInfo = new CDaoErrorInfo;
    e->m_pErrorInfo->m_lErrorCode = error.wCode != 0 ? error.wCode : error.scode;
    if (error.bstrSource != nullptr) e->m_pErrorInfo->m_strSource = error.bstrSource;
    if (error.bstrDescription != nullptr) e->m_pErrorInfo->m_strDescription = error.bstrDescription;
    if (error.bstrHelpFile != nullptr) e->m_pErrorInfo->m_strHelpFile = error.bstrHelpFile;
    e->m_pErrorInfo->m_lHelpContext = static_cast<long>(error.dwHelpContext);
  }
  ::SysFreeString(error.bstrSource);
  ::SysFreeString(error.bstrDescription);
  ::SysFreeString(error.bstrHelpFile);
  throw e;
}

// The engine is missing or cannot start: the user reads why, not a code.
[[noreturn]] void ThrowEngineMissing(SCODE scode) {
  auto* e = new CDaoException;
  e->m_scode = scode;
  e->m_pErrorInfo = new CDaoErrorInfo;
  e->m_pErrorInfo->m_lErrorCode = scode;
  e->m_pErrorInfo->m_strSource = L"DAO.DBEngine";
  e->m_pErrorInfo->m_strDescription =
      L"The Access database engine (DAO) is not installed on this computer, so Access databases cannot be "
      L"opened.";
  throw e;
}

}  // namespace

BOOL AfxOleInit() {
  if (oleInitialised) return TRUE;
  if (FAILED(::OleInitialize(nullptr))) return FALSE;
  oleInitialised = TRUE;
  std::atexit(UninitialiseOle);
  return TRUE;
}

void AfxEnableControlContainer() { controlContainer = TRUE; }
BOOL AfxControlContainerEnabled() { return controlContainer; }

void COleObjectFactory::UpdateRegistryAll(BOOL) {}
BOOL COleObjectFactory::RegisterAll() { return TRUE; }
int COleObjectFactory::FactoryCount() { return 0; }

void AfxDaoInit() {
  // DAO 3.6 by the module state's version, else 3.5.
  LPCWSTR progId = AfxGetModuleState()->m_dwVersion >= 0x0601 ? L"DAO.DBEngine.36" : L"DAO.DBEngine.35";
  daoEngineFound = SUCCEEDED(::CLSIDFromProgID(progId, &daoEngineClass));
}

void AfxDaoTerm() { daoEngineFound = FALSE; }

IMPLEMENT_DYNAMIC(CDaoException, CException)

BOOL CDaoException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (lpszError == nullptr || nMaxError == 0) return FALSE;
  if (pnHelpContext != nullptr) *pnHelpContext = 0;
  if (m_pErrorInfo != nullptr && !m_pErrorInfo->m_strDescription.IsEmpty())
    lstrcpynW(lpszError, m_pErrorInfo->m_strDescription, static_cast<int>(nMaxError));
  else
    _snwprintf(lpszError, nMaxError, L"DAO error 0x%08lX", static_cast<unsigned long>(m_scode));
  lpszError[nMaxError - 1] = 0;
  return TRUE;
}

void AfxThrowDaoException(int nAfxDaoError, SCODE scode) {
  auto* e = new CDaoException;
  e->m_nAfxDaoError = nAfxDaoError;
  e->m_scode = scode;
  throw e;
}

IMPLEMENT_DYNAMIC(CDaoDatabase, CObject)

CDaoDatabase::~CDaoDatabase() { Close(); }

void CDaoDatabase::Open(LPCWSTR lpszName, BOOL bExclusive, BOOL bReadOnly, LPCWSTR lpszConnect) {
  Close();
  if (!daoEngineFound) ThrowEngineMissing(REGDB_E_CLASSNOTREG);
  IDispatch* engine = nullptr;
  HRESULT hr = ::CoCreateInstance(daoEngineClass, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                  reinterpret_cast<void**>(&engine));
  if (FAILED(hr)) ThrowEngineMissing(hr);
  // DBEngine.OpenDatabase(name, exclusive, read-only, connect); the
  // arguments go in reverse order.
  VARIANT args[4];
  for (VARIANT& v : args) ::VariantInit(&v);
  args[3].vt = VT_BSTR;
  args[3].bstrVal = ::SysAllocString(lpszName != nullptr ? lpszName : L"");
  args[2].vt = VT_BOOL;
  args[2].boolVal = bExclusive ? VARIANT_TRUE : VARIANT_FALSE;
  args[1].vt = VT_BOOL;
  args[1].boolVal = bReadOnly ? VARIANT_TRUE : VARIANT_FALSE;
  args[0].vt = VT_BSTR;
  args[0].bstrVal = ::SysAllocString(lpszConnect != nullptr ? lpszConnect : L"");
  DISPPARAMS params = {args, nullptr, 4, 0};
  VARIANT result;
  ::VariantInit(&result);
  EXCEPINFO error = {};
  hr = Invoke(engine, L"OpenDatabase", DISPATCH_METHOD, &params, &result, &error);
  for (VARIANT& v : args) ::VariantClear(&v);
  engine->Release();
  if (FAILED(hr)) ThrowFromExcepInfo(hr, error);
  if (result.vt != VT_DISPATCH || result.pdispVal == nullptr) {
    ::VariantClear(&result);
    AfxThrowDaoException(0, E_UNEXPECTED);
  }
  m_pDatabase = result.pdispVal;  // the reference the result held
  m_strName = lpszName;
}

void CDaoDatabase::Close() {
  if (m_pDatabase == nullptr) return;
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  Invoke(m_pDatabase, L"Close", DISPATCH_METHOD, &none, nullptr, nullptr);
  m_pDatabase->Release();
  m_pDatabase = nullptr;
  m_strName.Empty();
}
