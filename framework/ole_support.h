// OLE start-up for the program, the control-container flag, the class
// factories' registration and the DAO database classes. DAO is reached late
// through its engine's automation interface; where no engine is registered,
// start-up goes on and opening a database throws a CDaoException.
#pragma once

#include "cmd_target.h"
#include "cstring.h"
#include "exceptions.h"
#include "object.h"

// OLE for the calling thread; uninitialised again at process exit. FALSE
// when OLE cannot be initialised.
BOOL AfxOleInit();
// Windows may host ActiveX controls (the previews create them).
void AfxEnableControlContainer();
BOOL AfxControlContainerEnabled();

// The program's OLE class factories (it has none).
class COleObjectFactory : public CCmdTarget {
 public:
  static void UpdateRegistryAll(BOOL bRegister = TRUE);
  static BOOL RegisterAll();
  static int FactoryCount();
};

class COleTemplateServer : public COleObjectFactory {};

// Loads the DAO engine's class when it is registered; nothing fails here.
void AfxDaoInit();
void AfxDaoTerm();

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

class CDaoDatabase : public CObject {
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

  // The engine's database object (IDispatch), while open.
  IDispatch* m_pDatabase = nullptr;
  CString m_strName;
};
