#include "pie_chart.h"

#include <cmath>

IMPLEMENT_SERIAL(CPieSlice, CObject, 1)
IMPLEMENT_SERIAL(CPieChart, CObject, 1)

namespace {
const double kPi = 3.1415926;
const int kRowHeight = 20;
}  // namespace

CPoint PieEndPoint(int total) {
  double angle = 2 * total * kPi * 0.01 + kPi;
  return CPoint(static_cast<int>(std::sin(angle) * 1000), static_cast<int>(std::cos(angle) * 3000) / 4);
}

void CPieSlice::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(1) << Percent << static_cast<DWORD>(Color) << Description;
    return;
  }
  DWORD version = 0;
  ar >> version;
  if (version != 1) return;
  DWORD colour = 0;
  ar >> Percent >> colour >> Description;
  Color = colour;
}

CPieChart::~CPieChart() {
  if (OwnsSlices == 1) RemoveAllSlices();
}

void CPieChart::RemoveAllSlices() {
  for (INT_PTR i = 0; i < Slices.GetSize(); ++i) delete Slices.GetAt(i);
  Slices.RemoveAll();
}

void CPieChart::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(1) << OwnsSlices << static_cast<DWORD>(OutlineColor) << static_cast<DWORD>(TextColor)
       << Title;
    Slices.Serialize(ar);
    return;
  }
  DWORD version = 0;
  ar >> version;
  if (version == 1) {
    DWORD outline = 0, text = 0;
    ar >> OwnsSlices >> outline >> text >> Title;
    OutlineColor = outline;
    TextColor = text;
  }
  RemoveAllSlices();
  Slices.Serialize(ar);
}

void CPieChart::Draw(CDC* pDC, int cx, int cy, int radius, int showTitle, int legend, BOOL bForce) {
  INT_PTR count = Slices.GetSize();
  if (!bForce) {
    int sum = 0;
    for (INT_PTR i = 0; i < count; ++i)
      if (CPieSlice* slice = SliceAt(i)) sum += slice->Percent;
    if (count == 0 || sum != 100) return;
  }
  pDC->SetViewportOrg(cx, cy);
  CPen pen(PS_SOLID, 0, OutlineColor);
  CPen* pOldPen = pDC->SelectObject(&pen);
  CPoint start(0, -1000);
  int total = 0;
  for (INT_PTR i = 0; i < count; ++i) {
    CPieSlice* slice = SliceAt(i);
    if (slice == nullptr) continue;
    total += slice->Percent;
    if (bForce && i == count - 1) total = 100;
    if (slice->Percent == 0 && !bForce) continue;
    CPoint end = PieEndPoint(total);
    CBrush brush(slice->Color);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->Pie(-radius, -radius, radius, radius, start.x, start.y, end.x, end.y);
    pDC->SelectObject(pOldBrush);
    start = end;
  }
  pDC->SelectObject(pOldPen);
  if (showTitle == 1) {
    pDC->SetTextAlign(TA_CENTER);
    COLORREF oldColour = pDC->SetTextColor(TextColor);
    pDC->SetBkMode(TRANSPARENT);
    CPoint at(cx, cy - radius - 20);
    pDC->DPtoLP(&at);
    pDC->TextOut(at.x, at.y, Title);
    pDC->SetTextAlign(TA_LEFT | TA_TOP);
    pDC->SetTextColor(oldColour);
  }
  if (legend == kLegendRight) {
    int top = cy - static_cast<int>(count * kRowHeight) / 2;
    if (top < cy - radius) top = cy - radius;
    DrawLegend(pDC, cx + radius + 30, top, bForce);
  } else if (legend == kLegendBelow) {
    DrawLegend(pDC, cx - radius, cy + radius + 30, bForce);
  }
}

void CPieChart::DrawLegend(CDC* pDC, int x, int y, BOOL bForce) {
  COLORREF oldColour = pDC->SetTextColor(TextColor);
  int sum = 0;
  INT_PTR count = Slices.GetSize();
  for (INT_PTR i = 0; i < count; ++i) {
    CPieSlice* slice = SliceAt(i);
    if (slice == nullptr) continue;
    int top = y + kRowHeight * static_cast<int>(i);
    CString line;
    if (bForce && i == count - 1) line.Format(L"%s(%d%%)", slice->Description.GetString(), 100 - sum);
    else line.Format(L"%s (%d%%)", slice->Description.GetString(), slice->Percent);
    sum += slice->Percent;
    CRect box(x, top, x + 30, top + 15);
    pDC->DPtoLP(&box);
    pDC->FillSolidRect(&box, slice->Color);
    pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(box.right + 5, box.top, line);
  }
  pDC->SetTextColor(oldColour);
}
