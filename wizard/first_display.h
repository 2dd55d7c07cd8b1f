// CFirstDisplay: the drive page's information pane. For a disk its model,
// capacity and geometry with a pie of its partitions; for a volume its name,
// capacity, cluster size and file system with a usage chart; above them a
// hint and the scan-mode summary. It takes no mouse input of its own.
#pragma once

#include "drive_usage_chart.h"
#include "framework.h"
#include "pie_chart.h"
#include "xp_group_box.h"

class CFirstDisplay : public CView {
  DECLARE_DYNCREATE(CFirstDisplay)
 public:
  CFirstDisplay() = default;
  ~CFirstDisplay() override;

  void ShowPhysicalDisk(int n);
  void ShowLogicalVolume(int i);
  void ClearInfo();
  void ShowDiskCaptions();
  void ShowVolumeCaptions();
  void BuildPartitionPie();

  const CPieChart& GetPie() const { return Pie; }

  CStatic ModeText;
  CStatic Captions[5];
  CPieChart Pie;
  CStatic HintText;
  CFont* CaptionFont = nullptr;
  CStatic Values[5];
  CFont* ValueFont = nullptr;
  CXPGroupBox InfoBox;
  CDriveUsageChart UsageChart;

 protected:
  void OnDraw(CDC* pDC) override;
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()

 private:
  void SetValues(const CString (&values)[5]);
};

// The Capacity text of a sector count: "%d MB (Approx)" of count / 2048.
CString CapacityText(uint64_t sectors);
