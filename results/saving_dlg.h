// Recover Selected: the destination dialog (a typed folder, or one chosen
// with the shell's folder browser) and the "Saving" dialog that runs the
// worker writing the checked files. The worker never touches a window: it
// reports through shared progress, which the dialog shows on a timer, and
// posts its end; the dialog joins it before it closes.
#pragma once

#include <memory>
#include <thread>

#include "results_dialog_skin.h"
#include "framework.h"
#include "percent_progress.h"
#include "saving_run.h"

class CDestinationDlg : public CDialog {
 public:
  explicit CDestinationDlg(CWnd* pParent = nullptr);

  CString Destination;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  afx_msg void OnBrowse();
  DECLARE_MESSAGE_MAP()
};

class CSavingDlg : public CDialog {
 public:
  CSavingDlg(CWnd* pParent, std::u16string destination, std::vector<SaveItem> items, int mode);
  ~CSavingDlg() override;

  int WrittenCount() const { return m_written; }
  // The template's bar 1074, subclassed: the program's own percent bar.
  CPercentProgressCtrl PercentBar;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  // Stop (the default button): every writer returns at once.
  void OnOK() override;
  // Skip (and Esc): the current file ends early.
  void OnCancel() override;
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg LRESULT OnSavingDone(WPARAM, LPARAM);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()

 private:
  void ShowProgress();

  std::u16string m_destination;
  std::vector<SaveItem> m_items;
  int m_mode;
  SavingProgress m_progress;
  std::thread m_worker;
  int m_written = 0;
  CResultsDialogSkin m_skin;
};

// The message a finished worker posts to its dialog.
constexpr UINT kSavingDoneMessage = WM_APP + 223;

// Recover Selected from the results: checks the destination (a message box
// names the problem) and runs the Saving dialog. Returns the files written,
// -1 when nothing ran.
int RecoverSelected(CWnd* pParent, const std::u16string& destination, std::vector<SaveItem> items, int mode);
