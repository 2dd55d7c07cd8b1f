// CFileSystemView: the Advance Scan's file-system step. The volumes the
// scan rebuilt are listed in the tree on the left under a "File System"
// root; the form on the right describes the one clicked. Next scans the
// picked volume on the engine's scan worker, with a bar, a status line and
// Stop; a one-second timer moves on to the results once the worker has
// returned. Back returns to the partition page as it was chosen from.
#pragma once

#include "file_system_tree.h"
#include "framework.h"
#include "gradient_progress.h"
#include "pane_splitter.h"
#include "styled_button.h"
#include "tool_button.h"
#include "wizard_page_view.h"

class CFileSystemForm;

class CFileSystemView : public CWizardPageView {
  DECLARE_DYNCREATE(CFileSystemView)

 public:
  CFileSystemView();
  ~CFileSystemView() override;

  void OnNextButton();
  // Also the first step of start-over from the results page.
  void OnBackButton();
  void OnStopScan();
  void OnStartOver();
  void SetStatusText(CString text);
  // True from Next until the timer has seen the scan's end (or Back): the
  // worker's progress goes to this page's bar meanwhile.
  bool ScanRunsHere() const { return m_scanRunsHere; }

  CToolButton ButtonBar[6];
  CFileSystemForm* Info = nullptr;
  CFileSystemTree VolumeTree;
  CPaneSplitter Splitter;
  CStyledButton NextButton;
  CStyledButton BackButton;
  CGradientProgressCtrl ProgressBar;
  CStyledButton StopButton;
  CStyledButton StartOverButton;
  CStatic StatusLine;
  CFont BarFont;
  HBRUSH StatusBrush = nullptr;
  CFont StatusFont;

 protected:
  void OnDraw(CDC* pDC) override;
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnScanTimer(UINT_PTR nIDEvent);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()

 private:
  bool m_scanRunsHere = false;
};

// The wizard's file-system page, or null before it exists.
CFileSystemView* FileSystemPage();
