// CDriveUsageChart: how full a volume is, as a flat three-dimensional pie
// (used red, free green) and a two-line legend. The pie reaches past the
// control's right edge and the legend lies beyond it: those parts are
// drawn on the owning pane, outside the control.
#pragma once

#include "framework.h"

// The free-space query (GetDiskFreeSpaceExW); tests replace it to give
// the chart byte counts of their own.
extern BOOL(WINAPI* DriveSpaceQuery)(LPCWSTR root, PULARGE_INTEGER available, PULARGE_INTEGER total,
                                      PULARGE_INTEGER free);

// "Used: %2.2f GB" and friends: each unit once the bytes exceed it.
CString DriveUsageLine(LPCWSTR lpszLabel, ULONGLONG bytes);

// The point for p per cent on the ellipse around (cx, cy) with half width r
// and half height d: 0 at the bottom, 25 the left end, 50 the top, 75 the
// right end.
CPoint EllipsePoint(int percent, int cx, int cy, int r, int d);

// Where the legend goes in a client area of width x height.
struct DriveLegendLayout {
  int top;
  int left;
  int upperLineTop;
  int lowerLineBase;
  int textX;
};
DriveLegendLayout DriveLegendGeometry(int width, int height);

class CDriveUsageChart : public CStatic {
 public:
  CDriveUsageChart() = default;

  // The root as 8-bit text; reads the volume's byte counts again. A failed
  // query leaves them 0, and then no legend and no pie show.
  void SetDrive(LPCSTR lpszRoot);

  ULONGLONG GetUsedBytes() const { return m_nUsed; }
  ULONGLONG GetTotalBytes() const { return m_nTotal; }
  ULONGLONG GetFreeBytes() const { return m_nFree; }
  // -1 while there is no drive to show.
  int GetUsedPercentage() const { return m_nUsedPercent; }
  // The pie rectangle for a client rectangle.
  static CRect PieRect(const CRect& client);

  // All draw in the control's coordinates; the pie's off-screen copy
  // covers the pie rectangle. No legend (no drive) means no pie.
  void DrawFigures(CDC* pDC);
  void DrawLegend(CDC* pDC);
  void DrawPie(CDC* pDC, CPoint centre, const CRect& pieRect);

 protected:
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  CString m_strRoot;
  ULONGLONG m_nUsed = 0;
  ULONGLONG m_nTotal = 0;
  ULONGLONG m_nFree = 0;
  int m_nUpper = 100;
  int m_nLower = 0;
  int m_nUsedPercent = -1;
};
