// The DAO database classes: a database with its tables, queries and
// relations, a table definition's fields and a dynaset. They reach the
// engine late, by name through its automation interface; where no engine
// is registered the first operation throws a CDaoException that says so.
// Nothing here reads a database file itself.
#pragma once

#include <oaidl.h>

#include "cstring.h"
#include "dao_source.h"
#include "exceptions.h"
#include "object.h"

struct CDaoErrorInfo {
  long m_lErrorCode = 0;
  CString m_strSource;
  CString m_strDescription;
  CString m_strHelpFile;
  long m_lHelpContext = 0;
};

class CDaoException : public CException {
  DECLARE_DYNAMIC(CDaoException)
 public:
  CDaoException() = default;
  ~CDaoException() override { delete m_pErrorInfo; }
  CDaoException(const CDaoException&) = delete;
  CDaoException& operator=(const CDaoException&) = delete;
  BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) override;

  SCODE m_scode = S_OK;
  int m_nAfxDaoError = 0;
  // Null when the engine gave no error information.
  CDaoErrorInfo* m_pErrorInfo = nullptr;
};

[[noreturn]] void AfxThrowDaoException(int nAfxDaoError, SCODE scode);

// The engine by its class, in place of the one AfxDaoInit finds by name:
// an engine that only the running process registered has no name.
void AfxDaoUseEngineClass(REFCLSID clsid);

// The record set types of OpenRecordset.
constexpr int dbOpenDynaset = 2;

class CDaoDatabase : public CObject, public DaoSource {
  DECLARE_DYNAMIC(CDaoDatabase)
 public:
  CDaoDatabase() = default;
  ~CDaoDatabase() override;
  CDaoDatabase(const CDaoDatabase&) = delete;
  CDaoDatabase& operator=(const CDaoDatabase&) = delete;

  // Throws a CDaoException when the engine or the file cannot be opened.
  virtual void Open(LPCWSTR lpszName, BOOL bExclusive = FALSE, BOOL bReadOnly = FALSE, LPCWSTR lpszConnect = L"");
  virtual void Close();
  BOOL IsOpen() const { return m_pDatabase != nullptr; }
  const CString& GetName() const { return m_strName; }

  short GetTableDefCount() override;
  void GetTableDefInfo(int nIndex, CDaoTableDefInfo& info) override;
  short GetQueryDefCount() override;
  void GetQueryDefInfo(int nIndex, CDaoQueryDefInfo& info) override;
  short GetRelationCount() override;
  void GetRelationInfo(int nIndex, CDaoRelationInfo& info) override;
  void DeleteTableDef(LPCWSTR lpszName) override;
  void DeleteQueryDef(LPCWSTR lpszName) override;
  std::unique_ptr<DaoTableSource> OpenTableDef(LPCWSTR lpszName) override;
  std::unique_ptr<DaoRecordSource> OpenDynaset(LPCWSTR lpszSQL) override;

  // The engine's database object; throws when there is no engine or the
  // database is not open.
  IDispatch* DatabaseObject() const;

  // The engine's database object (IDispatch), while open.
  IDispatch* m_pDatabase = nullptr;
  CString m_strName;
};

class CDaoTableDef : public CObject, public DaoTableSource {
  DECLARE_DYNAMIC(CDaoTableDef)
 public:
  explicit CDaoTableDef(CDaoDatabase* pDatabase) : m_pDatabase(pDatabase) {}
  ~CDaoTableDef() override { Close(); }
  CDaoTableDef(const CDaoTableDef&) = delete;
  CDaoTableDef& operator=(const CDaoTableDef&) = delete;

  void Open(LPCWSTR lpszName);
  void Close();
  BOOL IsOpen() const { return m_pTableDef != nullptr; }
  short GetFieldCount() override;
  void GetFieldInfo(int nIndex, CDaoFieldInfo& info) override;

  CDaoDatabase* m_pDatabase;
  IDispatch* m_pTableDef = nullptr;
};

class CDaoRecordset : public CObject, public DaoRecordSource {
  DECLARE_DYNAMIC(CDaoRecordset)
 public:
  explicit CDaoRecordset(CDaoDatabase* pDatabase) : m_pDatabase(pDatabase) {}
  ~CDaoRecordset() override { Close(); }
  CDaoRecordset(const CDaoRecordset&) = delete;
  CDaoRecordset& operator=(const CDaoRecordset&) = delete;

  void Open(int nOpenType, LPCWSTR lpszSQL, int nOptions = 0);
  void Close() override;
  BOOL IsOpen() const { return m_pRecordset != nullptr; }
  BOOL IsEOF() override;
  short GetFieldCount() override;
  void GetFieldValue(int nIndex, COleVariant& value) override;
  void MoveNext() override;

  CDaoDatabase* m_pDatabase;
  IDispatch* m_pRecordset = nullptr;
  IDispatch* m_pFields = nullptr;
};
