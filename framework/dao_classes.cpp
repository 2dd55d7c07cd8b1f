#include "dao_classes.h"

#include <oleauto.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <vector>

#include "module_state.h"
#include "ole_support.h"

namespace {

// The engine's automation classes, newest first: the module state's version
// picks DAO 3.6 from 0x0601 on, else 3.5.
struct EngineClass {
  DWORD minimumVersion;
  LPCWSTR progId;
};
const EngineClass kEngineClasses[] = {{0x0601, L"DAO.DBEngine.36"}, {0, L"DAO.DBEngine.35"}};

CLSID engineClass = {};
BOOL engineFound = FALSE;

[[noreturn]] void ThrowFromExcepInfo(SCODE scode, EXCEPINFO& error) {
  if (error.pfnDeferredFillIn != nullptr) error.pfnDeferredFillIn(&error);
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

// Calls a member of an engine object by name, the arguments in their
// natural order; the result (when wanted) is the caller's to clear.
void Call(IDispatch* object, LPCWSTR name, WORD flags, std::initializer_list<COleVariant> args,
          VARIANT* result = nullptr) {
  if (object == nullptr) AfxThrowDaoException(0, E_POINTER);
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) AfxThrowDaoException(0, hr);
  // Automation takes the arguments last first; these copies share the
  // list's values and free nothing.
  std::vector<VARIANT> reversed(args.begin(), args.end());
  std::reverse(reversed.begin(), reversed.end());
  DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  VARIANT ignored;
  ::VariantInit(&ignored);
  EXCEPINFO error = {};
  UINT argError = 0;
  hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result != nullptr ? result : &ignored,
                      &error, &argError);
  ::VariantClear(&ignored);
  if (hr == DISP_E_EXCEPTION) ThrowFromExcepInfo(hr, error);
  if (FAILED(hr)) AfxThrowDaoException(0, hr);
}

// An engine object the caller owns, released when it goes.
class EngineObject {
 public:
  explicit EngineObject(IDispatch* object = nullptr) : m_object(object) {}
  ~EngineObject() {
    if (m_object != nullptr) m_object->Release();
  }
  EngineObject(const EngineObject&) = delete;
  EngineObject& operator=(const EngineObject&) = delete;
  EngineObject(EngineObject&& other) noexcept : m_object(other.Detach()) {}
  IDispatch* Get() const { return m_object; }
  IDispatch* Detach() {
    IDispatch* object = m_object;
    m_object = nullptr;
    return object;
  }

 private:
  IDispatch* m_object;
};

EngineObject GetObject(IDispatch* object, LPCWSTR name, WORD flags = DISPATCH_PROPERTYGET,
                       std::initializer_list<COleVariant> args = {}) {
  COleVariant result;
  Call(object, name, flags, args, &result);
  if (result.vt != VT_DISPATCH || result.pdispVal == nullptr) AfxThrowDaoException(0, E_UNEXPECTED);
  IDispatch* found = result.pdispVal;
  found->AddRef();
  return EngineObject(found);
}

long GetLong(IDispatch* object, LPCWSTR name) {
  COleVariant result;
  Call(object, name, DISPATCH_PROPERTYGET, {}, &result);
  if (FAILED(::VariantChangeType(&result, &result, 0, VT_I4))) AfxThrowDaoException(0, DISP_E_TYPEMISMATCH);
  return result.lVal;
}

CString GetText(IDispatch* object, LPCWSTR name) {
  COleVariant result;
  Call(object, name, DISPATCH_PROPERTYGET, {}, &result);
  if (FAILED(::VariantChangeType(&result, &result, 0, VT_BSTR))) AfxThrowDaoException(0, DISP_E_TYPEMISMATCH);
  return CString(result.bstrVal != nullptr ? result.bstrVal : L"");
}

// Member n (or the named one) of a collection of the engine's.
EngineObject Item(IDispatch* collection, const COleVariant& key) {
  return GetObject(collection, L"Item", DISPATCH_METHOD | DISPATCH_PROPERTYGET, {key});
}

EngineObject Member(IDispatch* database, LPCWSTR collection, int index) {
  EngineObject members = GetObject(database, collection);
  return Item(members.Get(), COleVariant(static_cast<long>(index), VT_I4));
}

short Count(IDispatch* database, LPCWSTR collection) {
  EngineObject members = GetObject(database, collection);
  return static_cast<short>(GetLong(members.Get(), L"Count"));
}

}  // namespace

void AfxDaoInit() {
  const DWORD version = AfxGetModuleState()->m_dwVersion;
  for (const EngineClass& engine : kEngineClasses) {
    if (version < engine.minimumVersion) continue;
    engineFound = SUCCEEDED(::CLSIDFromProgID(engine.progId, &engineClass));
    return;
  }
}

void AfxDaoTerm() { engineFound = FALSE; }

void AfxDaoUseEngineClass(REFCLSID clsid) {
  engineClass = clsid;
  engineFound = TRUE;
}

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
  if (!engineFound) ThrowEngineMissing(REGDB_E_CLASSNOTREG);
  IDispatch* created = nullptr;
  HRESULT hr = ::CoCreateInstance(engineClass, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                  reinterpret_cast<void**>(&created));
  if (FAILED(hr)) ThrowEngineMissing(hr);
  EngineObject engine(created);
  EngineObject database = GetObject(engine.Get(), L"OpenDatabase", DISPATCH_METHOD,
                                    {COleVariant(lpszName), COleVariant(bExclusive ? 1L : 0L, VT_BOOL),
                                     COleVariant(bReadOnly ? 1L : 0L, VT_BOOL), COleVariant(lpszConnect)});
  m_pDatabase = database.Detach();
  m_strName = lpszName;
}

void CDaoDatabase::Close() {
  if (m_pDatabase == nullptr) return;
  try {
    Call(m_pDatabase, L"Close", DISPATCH_METHOD, {});
  } catch (CDaoException* e) {
    e->Delete();  // it goes anyway
  }
  m_pDatabase->Release();
  m_pDatabase = nullptr;
  m_strName.Empty();
}

IDispatch* CDaoDatabase::DatabaseObject() const {
  if (!engineFound) ThrowEngineMissing(REGDB_E_CLASSNOTREG);
  if (m_pDatabase == nullptr) AfxThrowDaoException(0, E_POINTER);
  return m_pDatabase;
}

short CDaoDatabase::GetTableDefCount() { return Count(DatabaseObject(), L"TableDefs"); }

void CDaoDatabase::GetTableDefInfo(int nIndex, CDaoTableDefInfo& info) {
  EngineObject table = Member(DatabaseObject(), L"TableDefs", nIndex);
  info.m_strName = GetText(table.Get(), L"Name");
  info.m_lAttributes = GetLong(table.Get(), L"Attributes");
}

short CDaoDatabase::GetQueryDefCount() { return Count(DatabaseObject(), L"QueryDefs"); }

void CDaoDatabase::GetQueryDefInfo(int nIndex, CDaoQueryDefInfo& info) {
  EngineObject query = Member(DatabaseObject(), L"QueryDefs", nIndex);
  info.m_strName = GetText(query.Get(), L"Name");
  info.m_nType = static_cast<short>(GetLong(query.Get(), L"Type"));
}

short CDaoDatabase::GetRelationCount() { return Count(DatabaseObject(), L"Relations"); }

void CDaoDatabase::GetRelationInfo(int nIndex, CDaoRelationInfo& info) {
  EngineObject relation = Member(DatabaseObject(), L"Relations", nIndex);
  info.m_strName = GetText(relation.Get(), L"Name");
  info.m_strTable = GetText(relation.Get(), L"Table");
  info.m_strForeignTable = GetText(relation.Get(), L"ForeignTable");
  info.m_lAttributes = GetLong(relation.Get(), L"Attributes");
}

void CDaoDatabase::DeleteTableDef(LPCWSTR lpszName) {
  EngineObject tables = GetObject(DatabaseObject(), L"TableDefs");
  Call(tables.Get(), L"Delete", DISPATCH_METHOD, {COleVariant(lpszName)});
}

void CDaoDatabase::DeleteQueryDef(LPCWSTR lpszName) {
  EngineObject queries = GetObject(DatabaseObject(), L"QueryDefs");
  Call(queries.Get(), L"Delete", DISPATCH_METHOD, {COleVariant(lpszName)});
}

std::unique_ptr<DaoTableSource> CDaoDatabase::OpenTableDef(LPCWSTR lpszName) {
  auto table = std::make_unique<CDaoTableDef>(this);
  table->Open(lpszName);
  return table;
}

std::unique_ptr<DaoRecordSource> CDaoDatabase::OpenDynaset(LPCWSTR lpszSQL) {
  auto records = std::make_unique<CDaoRecordset>(this);
  records->Open(dbOpenDynaset, lpszSQL);
  return records;
}

IMPLEMENT_DYNAMIC(CDaoTableDef, CObject)

void CDaoTableDef::Open(LPCWSTR lpszName) {
  Close();
  if (m_pDatabase == nullptr) AfxThrowDaoException(0, E_POINTER);
  EngineObject tables = GetObject(m_pDatabase->DatabaseObject(), L"TableDefs");
  m_pTableDef = Item(tables.Get(), COleVariant(lpszName)).Detach();
}

void CDaoTableDef::Close() {
  if (m_pTableDef != nullptr) m_pTableDef->Release();
  m_pTableDef = nullptr;
}

short CDaoTableDef::GetFieldCount() {
  if (m_pTableDef == nullptr) AfxThrowDaoException(0, E_POINTER);
  EngineObject fields = GetObject(m_pTableDef, L"Fields");
  return static_cast<short>(GetLong(fields.Get(), L"Count"));
}

void CDaoTableDef::GetFieldInfo(int nIndex, CDaoFieldInfo& info) {
  if (m_pTableDef == nullptr) AfxThrowDaoException(0, E_POINTER);
  EngineObject fields = GetObject(m_pTableDef, L"Fields");
  EngineObject field = Item(fields.Get(), COleVariant(static_cast<long>(nIndex), VT_I4));
  info.m_strName = GetText(field.Get(), L"Name");
  info.m_nType = static_cast<short>(GetLong(field.Get(), L"Type"));
  info.m_lSize = GetLong(field.Get(), L"Size");
}

IMPLEMENT_DYNAMIC(CDaoRecordset, CObject)

void CDaoRecordset::Open(int nOpenType, LPCWSTR lpszSQL, int nOptions) {
  Close();
  if (m_pDatabase == nullptr) AfxThrowDaoException(0, E_POINTER);
  EngineObject records =
      GetObject(m_pDatabase->DatabaseObject(), L"OpenRecordset", DISPATCH_METHOD,
                {COleVariant(lpszSQL), COleVariant(static_cast<long>(nOpenType), VT_I4),
                 COleVariant(static_cast<long>(nOptions), VT_I4)});
  EngineObject fields = GetObject(records.Get(), L"Fields");
  m_pRecordset = records.Detach();
  m_pFields = fields.Detach();
}

void CDaoRecordset::Close() {
  if (m_pFields != nullptr) m_pFields->Release();
  m_pFields = nullptr;
  if (m_pRecordset == nullptr) return;
  try {
    Call(m_pRecordset, L"Close", DISPATCH_METHOD, {});
  } catch (CDaoException* e) {
    e->Delete();
  }
  m_pRecordset->Release();
  m_pRecordset = nullptr;
}

BOOL CDaoRecordset::IsEOF() {
  if (m_pRecordset == nullptr) AfxThrowDaoException(0, E_POINTER);
  return GetLong(m_pRecordset, L"EOF") != 0;
}

short CDaoRecordset::GetFieldCount() {
  if (m_pFields == nullptr) AfxThrowDaoException(0, E_POINTER);
  return static_cast<short>(GetLong(m_pFields, L"Count"));
}

void CDaoRecordset::GetFieldValue(int nIndex, COleVariant& value) {
  if (m_pFields == nullptr) AfxThrowDaoException(0, E_POINTER);
  EngineObject field = Item(m_pFields, COleVariant(static_cast<long>(nIndex), VT_I4));
  value.Clear();
  Call(field.Get(), L"Value", DISPATCH_PROPERTYGET, {}, &value);
}

void CDaoRecordset::MoveNext() {
  if (m_pRecordset == nullptr) AfxThrowDaoException(0, E_POINTER);
  Call(m_pRecordset, L"MoveNext", DISPATCH_METHOD, {});
}
