// CSecondDisplay: the partition and scan page's information pane. Before a
// scan it shows the selected partition, disk range or volume; while one
// runs its rows carry the workers' counters. It also holds the Advance
// Scan's hidden file-system choice and sector range, kept in step by its
// setters and read back by the page's Next, and the Hide/Show Progress
// toggle.
#pragma once

#include "drive_usage_chart.h"
#include "fitted_static.h"
#include "framework.h"
#include "xp_group_box.h"

class CSecondDisplay : public CView {
  DECLARE_DYNCREATE(CSecondDisplay)
 public:
  CSecondDisplay() = default;
  ~CSecondDisplay() override;

  void ShowPartitionInfo(int driveIndex, int row);
  void ClearInfo();
  void ClearValues();
  void ShowVolumeInfo();
  void ShowVolumeSummary();
  void ShowDiskRange();
  void HideRangeControls();
  void ShowFatScanCaptions();
  void ShowFatSweepCaptions();
  void ShowDeepScanCaptions();

  CStatic ModeLine;
  CFittedStatic HintLine;
  CFont* HintFont = nullptr;
  CStatic ValueStatics[5];    // by row
  CStatic CaptionStatics[5];  // by row
  CEdit* StartSectorEdit = nullptr;
  CEdit* EndSectorEdit = nullptr;
  CComboBox* FileSystemCombo = nullptr;
  CStatic RangeCaptions[3];
  CXPGroupBox InfoGroup;
  CDriveUsageChart UsageChart;
  CButton ProgressToggle;
  CStatic ProgressNote;
  HBRUSH PaneBrush = nullptr;
  CFont* PaneFont = nullptr;

 protected:
  void OnDraw(CDC* pDC) override;
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnToggleProgress();
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()

 private:
  void SetCaptions(const LPCWSTR (&captions)[5]);
  void SetValue(int row, LPCWSTR text) { ValueStatics[row].SetWindowText(text); }
  // The type's text, selecting its combo item; other types leave the
  // selection and give the fallback.
  CString TypeText(int type, LPCWSTR fallback);
  void ShowChartForSelection();
  void FillVolumeRows(bool withName);
};
