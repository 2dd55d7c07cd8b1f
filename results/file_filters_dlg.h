// "File Filters": the name patterns ("*" and "?") that the listings and the
// recovery mode keep to. The list is copied into the engine's table when
// the dialog closes, by any way out, and the root folder listed again.
#pragma once

#include <functional>

#include "results_dialog_skin.h"
#include "framework.h"

class CFileFiltersDlg : public CDialog {
 public:
  explicit CFileFiltersDlg(CWnd* pParent = nullptr);

  // Shows one of the dialog's messages; tests replace it.
  static std::function<void(LPCWSTR)> ShowMessage;
  // Called after the table was written: the results list their root again.
  std::function<void()> ListRootAgain;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;      // Add (and Enter)
  void OnCancel() override;  // Close (and Esc)
  afx_msg void OnRemove();
  afx_msg void OnClose();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()

 private:
  CResultsDialogSkin m_skin;
};
