// CPieChart: a drawing object that paints a pie of percentage slices, a
// title above it and a legend of coloured boxes, on any device context.
// Both classes are kept in and loaded from a framework archive.
#pragma once

#include "framework.h"

class CPieSlice : public CObject {
  DECLARE_SERIAL(CPieSlice)
 public:
  CPieSlice() = default;
  CPieSlice(int percent, COLORREF colour, LPCWSTR lpszDescription)
      : Percent(percent), Color(colour), Description(lpszDescription) {}
  void Serialize(CArchive& ar) override;

  int Percent = 50;
  COLORREF Color = RGB(255, 0, 0);
  CString Description = L"<no description>";
};

// The wedge end point (in the pie's 1000-unit frame) once the running
// total reaches total per cent, counter-clockwise from the top.
CPoint PieEndPoint(int total);

class CPieChart : public CObject {
  DECLARE_SERIAL(CPieChart)
 public:
  enum LegendPlace { kNoLegend = 0, kLegendRight = 1, kLegendBelow = 2 };

  CPieChart() = default;
  ~CPieChart() override;
  CPieChart(const CPieChart&) = delete;
  CPieChart& operator=(const CPieChart&) = delete;

  INT_PTR AddSlice(CPieSlice* pSlice) { return Slices.Add(pSlice); }
  void RemoveAllSlices();
  // Draws nothing, unless forced, when there are no slices or they do not
  // add up to exactly 100. Leaves the viewport origin at the centre.
  void Draw(CDC* pDC, int cx, int cy, int radius, int showTitle, int legend, BOOL bForce);
  void Serialize(CArchive& ar) override;

  CPieSlice* SliceAt(INT_PTR index) const { return static_cast<CPieSlice*>(Slices.GetAt(index)); }

  int OwnsSlices = 0;
  CString Title;
  CObArray Slices;
  COLORREF OutlineColor = RGB(0, 255, 0);
  COLORREF TextColor = RGB(0, 0, 0);

 private:
  void DrawLegend(CDC* pDC, int x, int y, BOOL bForce);
};
