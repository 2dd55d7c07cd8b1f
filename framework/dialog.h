// CDialog: modal and modeless dialogs from resource or in-memory templates,
// with data exchange and the dialog init data that fills combo and list
// boxes (resource type 240, which windres does not write from a DIALOG).
#pragma once

#include "wnd.h"

class CDialog;

// Moves values between a dialog's controls and its members.
class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

  // The control with id nID; a missing control is a programming error and
  // ends the exchange.
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  // Gives the focus back to the control last prepared and ends the
  // exchange (throws CUserException).
  [[noreturn]] void Fail();

  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  HWND m_hWndLastControl = nullptr;
  BOOL m_bEditLastControl = FALSE;
};

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);

// Sends the init data records (control id, message, length, bytes; ended
// by a zero id) to the controls of hWndDlg. Strings are 8-bit text in the
// ANSI code page. FALSE when a control is missing.
BOOL AfxExecuteDlgInit(HWND hWndDlg, const BYTE* lpResource, DWORD cbResource);

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
 public:
  CDialog() = default;
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  explicit CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

  // Modeless.
  virtual BOOL Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr) {
    return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
  }
  virtual BOOL CreateIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd = nullptr,
                              const void* lpDialogInit = nullptr, DWORD cbDialogInit = 0);

  // Modal. The owner is the parent given, else the main window (also when
  // called from a worker thread); it is disabled while the dialog runs.
  BOOL InitModalIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd = nullptr,
                         const void* lpDialogInit = nullptr, DWORD cbDialogInit = 0);
  virtual INT_PTR DoModal();
  void EndDialog(int nResult);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  // The init data stored under lpszResourceName (type 240), else the one
  // given with an in-memory template.
  BOOL ExecuteDlgInit(LPCWSTR lpszResourceName);
  BOOL ExecuteDlgInit(const void* lpResource, DWORD cbResource);
  void NextDlgCtrl() const { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
  void PrevDlgCtrl() const { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
  void GotoDlgCtrl(CWnd* pWndCtrl) { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->GetSafeHwnd()), 1); }
  void SetDefID(UINT nID) { ::SendMessageW(m_hWnd, DM_SETDEFID, nID, 0); }

  BOOL PreTranslateMessage(MSG* pMsg) override;

  LPCWSTR m_lpszTemplateName = nullptr;
  LPCDLGTEMPLATEW m_lpDialogTemplate = nullptr;
  const void* m_lpDialogInit = nullptr;
  DWORD m_cbDialogInit = 0;
  CWnd* m_pParentWnd = nullptr;
  UINT m_nIDHelp = 0;

 protected:
  virtual void DoDataExchange(CDataExchange*) {}
  BOOL CreateDlgIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd);
  afx_msg LRESULT HandleInitDialog(WPARAM, LPARAM);

  DECLARE_MESSAGE_MAP()

 private:
  LPCDLGTEMPLATEW LoadTemplate() const;
};

// The dialog procedure of our dialogs: everything goes through the
// window's message map first, so it leaves the rest to the dialog manager.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);

#define RT_DLGINIT MAKEINTRESOURCEW(240)
