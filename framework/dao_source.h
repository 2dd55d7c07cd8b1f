// What the database views read of an open database, and all they change in
// it. The DAO classes answer it in the program; every operation may throw a
// CDaoException.
#pragma once

#include <memory>

#include "cstring.h"
#include "ole_variant.h"

struct CDaoTableDefInfo {
  CString m_strName;
  long m_lAttributes = 0;  // dbSystemObject and friends
};

struct CDaoQueryDefInfo {
  CString m_strName;
  short m_nType = 0;  // 5: a query the engine keeps for itself
};

struct CDaoRelationInfo {
  CString m_strName;
  CString m_strTable;
  CString m_strForeignTable;
  long m_lAttributes = 0;
};

struct CDaoFieldInfo {
  CString m_strName;
  short m_nType = 0;
  long m_lSize = 0;
};

// One table definition's fields.
class DaoTableSource {
 public:
  virtual ~DaoTableSource() = default;
  virtual short GetFieldCount() = 0;
  virtual void GetFieldInfo(int nIndex, CDaoFieldInfo& info) = 0;
};

// A record set walked from its first record to its end.
class DaoRecordSource {
 public:
  virtual ~DaoRecordSource() = default;
  virtual BOOL IsEOF() = 0;
  virtual short GetFieldCount() = 0;
  virtual void GetFieldValue(int nIndex, COleVariant& value) = 0;
  virtual void MoveNext() = 0;
  virtual void Close() = 0;
};

class DaoSource {
 public:
  virtual ~DaoSource() = default;
  virtual short GetTableDefCount() = 0;
  virtual void GetTableDefInfo(int nIndex, CDaoTableDefInfo& info) = 0;
  virtual short GetQueryDefCount() = 0;
  virtual void GetQueryDefInfo(int nIndex, CDaoQueryDefInfo& info) = 0;
  virtual short GetRelationCount() = 0;
  virtual void GetRelationInfo(int nIndex, CDaoRelationInfo& info) = 0;
  virtual void DeleteTableDef(LPCWSTR lpszName) = 0;
  virtual void DeleteQueryDef(LPCWSTR lpszName) = 0;
  // The named table definition, open; never null.
  virtual std::unique_ptr<DaoTableSource> OpenTableDef(LPCWSTR lpszName) = 0;
  // A dynaset over the query, open; never null.
  virtual std::unique_ptr<DaoRecordSource> OpenDynaset(LPCWSTR lpszSQL) = 0;
};
