// CFirstView_HDD: the wizard's drive page. The drive tree on the left, the
// selected drive's information on the right. Next checks the selection
// against the scan mode: a logical drive goes to the partition page at
// once, a physical drive has its partitions searched on the engine's scan
// worker first, with a bar, a status line and Stop; a one-second timer
// moves on once the worker has ended. Back returns to the start page.
#pragma once

#include "drive_tree_ctrl.h"
#include "framework.h"
#include "gradient_progress.h"
#include "pane_splitter.h"
#include "styled_button.h"
#include "tool_button.h"
#include "wizard_page_view.h"

class CFirstDisplay;

// Sent to the drive page by a worker: runs the UiThreadCall the lParam
// points to on the interface thread and returns its result.
const UINT WM_RUN_ON_UI_THREAD = WM_APP + 0x125;
struct UiThreadCall {
  virtual ~UiThreadCall() = default;
  virtual LRESULT Run() = 0;
};

class CFirstView_HDD : public CWizardPageView {
  DECLARE_DYNCREATE(CFirstView_HDD)

 public:
  CFirstView_HDD();
  ~CFirstView_HDD() override;

  void OnNextButton();
  void OnBackButton();
  void OnStopButton();
  void SetProgressPos(int percent);
  void SetStatusText(CString text);
  // Next, Back and start-over shown, bar, Stop and status line hidden, the
  // tree enabled, the bar at 0: the page as it is chosen from.
  void ShowIdleLayout();

  CToolButton ButtonBar[6];
  CFirstDisplay* DriveInfo = nullptr;
  CDriveTreeCtrl DriveTree;
  CPaneSplitter Splitter;
  CStyledButton NextButton;
  CStyledButton BackButton;
  CStyledButton StartOverButton;
  CGradientProgressCtrl Progress;
  int TabStart = 1;
  int TabNext = 0;
  int TabBack = 0;
  int TabTree = 0;
  CStyledButton StopButton;
  CStatic StatusText;
  CFont ProgressFont;
  HBRUSH StatusBrush = nullptr;
  CFont StatusFont;

 protected:
  void OnDraw(CDC* pDC) override;
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg LRESULT OnRunOnUiThread(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  // A physical drive: its table read, the searching layout, the search
  // started on the scan worker and timer 1.
  void StartPartitionSearch(LPCWSTR modeText);
  // The partition page prepared for a logical drive, then shown.
  void GoToVolumePage(LPCWSTR modeText);
};

// The wizard's drive and partition pages, or null before they exist.
CFirstView_HDD* DrivePage();
class CSecondView_HDD;
CSecondView_HDD* PartitionPage();
