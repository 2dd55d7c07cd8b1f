// CSecondView_HDD: the wizard's partition and scan page. The tree on the
// left lists the disk and the partitions the drive page's search found (a
// logical drive hides it); the pane on the right shows the choice and,
// while a scan runs, its counters. Next starts the mode's scan on the
// engine's scan worker, a one-second timer waits for its end; Back returns
// to the drive page. The choosing half is in second_view_hdd.cpp, the scan
// half in second_view_scan.cpp.
#pragma once

#include "drive_tree_ctrl.h"
#include "framework.h"
#include "gradient_progress.h"
#include "pane_splitter.h"
#include "styled_button.h"
#include "tool_button.h"
#include "transparent_controls.h"
#include "wizard_page_view.h"

class CSecondDisplay;

class CSecondView_HDD : public CWizardPageView {
  DECLARE_DYNCREATE(CSecondView_HDD)

 public:
  CSecondView_HDD();
  ~CSecondView_HDD() override;

  // The worker's status text.
  void SetStatusText(CString text);
  // Also run by Enter in the tree and on a highlighted Next.
  void OnNextButton();
  // Also the first step of start-over from the later pages.
  void OnBackButton();
  // Next, Back and start-over shown, Stop, bar and status line hidden, the
  // tree enabled: how the page is chosen from.
  void ShowChoosingLayout();
  // Bar and Stop shown, Next, Back and start-over hidden, the pane's
  // progress toggle shown, the tree disabled, the frame not idle.
  void ShowScanningLayout();

  // Each clears ScanStopFlag, sets ScanRunning, starts its worker on the
  // engine's scan thread and timer 1.
  void StartStandardScan();
  void StartAdvanceScan();
  void StartRawScan();

  CSecondDisplay* ScanInfo = nullptr;
  CDriveTreeCtrl PartitionTree;
  CPaneSplitter Splitter;
  int TreeFocus = 1;
  int NextFocus = 0;
  int BackFocus = 0;
  CGradientProgressCtrl ProgressBar;
  CStyledButton NextButton;
  CStyledButton BackButton;
  CStyledButton StopButton;
  CStyledButton StartOverButton;
  CTransparentStatic StatusLine;
  HBRUSH StatusBrush = nullptr;
  CFont BarFont;
  // 1 while the wait cursor is to stay (the result tree is being built).
  int BusyCursor = 0;
  CFont StatusFont;
  CToolButton ButtonBar[6];

 protected:
  void OnDraw(CDC* pDC) override;
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnScanTimer(UINT_PTR nIDEvent);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg void OnStopScan();
  afx_msg void OnStartOver();
  DECLARE_MESSAGE_MAP()
};
