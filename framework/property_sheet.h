// CPropertyPage and CPropertySheet: a tabbed dialog of pages made by the
// common controls' property sheet, run modally through the framework's
// own modal loop so that idle updates and message filtering keep working.
#pragma once

#include <vector>

#include "dialog.h"

#include <commctrl.h>
#include <prsht.h>

class CPropertySheet;

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)
 public:
  explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
  // The page is made from an in-memory template from now on.
  void SetTemplateIndirect(LPCDLGTEMPLATEW lpTemplate);
  UINT GetTemplateId() const { return m_nIDTemplate; }
  CPropertySheet* GetSheet() const { return m_pSheet; }
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void OnOK() override {}
  void OnCancel() override {}

  PROPSHEETPAGEW m_psp;

 protected:
  static INT_PTR CALLBACK PageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  UINT m_nIDTemplate;
  CString m_strCaption;
  CPropertySheet* m_pSheet = nullptr;

  friend class CPropertySheet;
};

class CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)
 public:
  explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  explicit CPropertySheet(LPCWSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

  void AddPage(CPropertyPage* pPage);
  int GetPageCount() const { return static_cast<int>(m_pages.size()); }
  CPropertyPage* GetPage(int nPage) const;
  int GetActiveIndex() const;
  BOOL SetActivePage(int nPage);
  CWnd* GetTabControl() const;
  void SetTitle(LPCWSTR title);

  // Modeless: the sheet shows at once and stays until destroyed.
  virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = static_cast<DWORD>(-1), DWORD dwExStyle = 0);
  // Modal: the owner is disabled while the sheet runs; IDOK or IDCANCEL.
  virtual INT_PTR DoModal();
  virtual BOOL OnInitDialog();
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL ContinueModal() override;

  PROPSHEETHEADERW m_psh;

 protected:
  // Makes the sheet window (modeless flag set for the call only).
  BOOL CreateModeless(CWnd* pParentWnd);
  // The common-control classes the sheet needs, and the page array.
  void BuildPropPageArray();
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);

  std::vector<CPropertyPage*> m_pages;
  std::vector<PROPSHEETPAGEW> m_pageArray;
  CString m_strCaption;
  CWnd* m_pParentWnd;
  int m_nResult = IDCANCEL;
};
