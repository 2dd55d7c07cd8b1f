#include "drive_usage_chart.h"

#include <algorithm>
#include <cmath>

#include "memory_dc.h"

BOOL(WINAPI* DriveSpaceQuery)(LPCWSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER) = &::GetDiskFreeSpaceExW;

namespace {

const COLORREF kUsedColour = RGB(255, 0, 0);
const COLORREF kFreeColour = RGB(0, 255, 0);
const int kDiscGap = 10;

}  // namespace

CString DriveUsageLine(LPCWSTR lpszLabel, ULONGLONG bytes) {
  CString line;
  if (bytes > 1073741824ull) line.Format(L"%s: %2.2f GB", lpszLabel, static_cast<double>(bytes) / 1073741824.0);
  else if (bytes > 1048576ull) line.Format(L"%s: %2.2f MB", lpszLabel, static_cast<double>(bytes) / 1048576.0);
  else line.Format(L"%s: %2.2f KB", lpszLabel, static_cast<double>(bytes) / 1024.0);
  return line;
}

CPoint EllipsePoint(int percent, int cx, int cy, int r, int d) {
  int p = percent;
  int quarter = p <= 25 ? 4 * p : p <= 50 ? 4 * (50 - p) : p <= 75 ? 4 * (p - 50) : 4 * (100 - p);
  int dx = quarter * r / 100;
  int dy = r > 0 ? static_cast<int>(std::sqrt(std::max(0.0, static_cast<double>(r) * r - static_cast<double>(dx) * dx)) * d / r)
                 : 0;
  int x = p <= 50 ? cx - dx : cx + dx;
  int y = p >= 26 && p <= 75 ? cy - dy : cy + dy;
  return CPoint(x, y);
}

DriveLegendLayout DriveLegendGeometry(int width, int height) {
  DriveLegendLayout layout;
  int a = 3 * (0 - height) / 5;
  layout.top = height + a;
  layout.left = width + (3 * (height - layout.top)) / 2;
  layout.lowerLineBase = (height - 5) - ((height - 5 - layout.top) / 3);
  layout.upperLineTop = layout.top + (height - 5 - layout.top) / 3;
  layout.textX = layout.left + ((width + 5 - layout.left) / 10) + 5;
  return layout;
}

BEGIN_MESSAGE_MAP(CDriveUsageChart, CStatic)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CRect CDriveUsageChart::PieRect(const CRect& client) {
  return CRect(client.right - 200, client.top + 40, client.right + 100, client.bottom - 10);
}

void CDriveUsageChart::SetDrive(LPCSTR lpszRoot) {
  m_strRoot = lpszRoot != nullptr ? CString(lpszRoot) : CString();
  m_nUsed = m_nTotal = m_nFree = 0;
  // The previous drive's pie goes with its counts.
  m_nUsedPercent = -1;
  ULARGE_INTEGER available = {}, total = {}, free = {};
  if (!m_strRoot.IsEmpty() && DriveSpaceQuery(m_strRoot, &available, &total, &free)) {
    m_nTotal = total.QuadPart;
    m_nFree = free.QuadPart;
    m_nUsed = m_nTotal >= m_nFree ? m_nTotal - m_nFree : 0;
  }
  if (!m_strRoot.IsEmpty() && m_nTotal != 0) m_nUsedPercent = static_cast<int>(m_nUsed * 100 / m_nTotal);
  if (m_hWnd != nullptr) Invalidate(TRUE);
}

void CDriveUsageChart::OnPaint() {
  CPaintDC paint(this);
  DrawFigures(&paint);
  // The static class here paints only inside itself; what lies beyond the
  // control is drawn on the parent, as a static with its parent's DC would.
  CWnd* pParent = GetParent();
  if (pParent == nullptr) return;
  CRect window;
  GetWindowRect(&window);
  pParent->ScreenToClient(&window);
  CRect client;
  GetClientRect(&client);
  ::MapWindowPoints(m_hWnd, pParent->m_hWnd, reinterpret_cast<LPPOINT>(&client), 2);
  HDC hParentDC = ::GetDCEx(pParent->m_hWnd, nullptr, DCX_CACHE);
  if (hParentDC == nullptr) return;
  CDC parent;
  parent.Attach(hParentDC);
  parent.ExcludeClipRect(&window);
  parent.SetViewportOrg(client.left, client.top);
  parent.SetBkColor(paint.GetBkColor());
  DrawFigures(&parent);
  ::ReleaseDC(pParent->m_hWnd, parent.Detach());
}

void CDriveUsageChart::DrawFigures(CDC* pDC) {
  DrawLegend(pDC);
  if (m_nUsedPercent < m_nLower || m_nUsedPercent > m_nUpper) return;
  CRect client;
  GetClientRect(&client);
  CRect pieRect = PieRect(client);
  CMemoryDC memory(pDC, pieRect);
  DrawPie(&memory, pieRect.CenterPoint(), pieRect);
}

void CDriveUsageChart::DrawLegend(CDC* pDC) {
  if (m_strRoot.IsEmpty() || m_nTotal == 0) return;
  CRect client;
  GetClientRect(&client);
  DriveLegendLayout layout = DriveLegendGeometry(client.Width(), client.Height());
  CFont font;
  font.CreateFont(15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x10, L"Arial");
  CFont* pOldFont = pDC->SelectObject(&font);
  pDC->TextOut(layout.textX, layout.upperLineTop, DriveUsageLine(L"Used", m_nUsed));
  pDC->TextOut(layout.textX, layout.lowerLineBase - 5, DriveUsageLine(L"Free", m_nFree));
  CBrush used(kUsedColour), free(kFreeColour);
  CRect usedBox(layout.left - 25, layout.upperLineTop, layout.left - 12, layout.upperLineTop + 13);
  CRect freeBox(layout.left - 25, layout.lowerLineBase - 5, layout.left - 12, layout.lowerLineBase + 8);
  pDC->FillRect(&usedBox, &used);
  pDC->FillRect(&freeBox, &free);
  pDC->SelectObject(pOldFont);
}

void CDriveUsageChart::DrawPie(CDC* pDC, CPoint centre, const CRect& pieRect) {
  if (m_nUpper <= m_nLower) return;
  CBrush used(kUsedColour), free(kFreeColour);
  int depth = static_cast<int>((pieRect.bottom - pieRect.top) * 0.3);
  int half = (pieRect.right - pieRect.left) / 2;
  int p = (m_nUsedPercent - m_nLower) * 100 / (m_nUpper - m_nLower);
  CBrush* pOldBrush = pDC->SelectObject(&used);
  auto disc = [&](int cy) {
    CPoint bottom(centre.x, cy + depth);
    pDC->SelectObject(&used);
    pDC->Pie(centre.x - half, cy - depth, centre.x + half, cy + depth, bottom.x, bottom.y, bottom.x, bottom.y);
    // A full volume has no free wedge: coinciding end points would fill
    // the whole disc green.
    if (p < 100) {
      CPoint end = EllipsePoint(p, centre.x, cy, half, depth);
      pDC->SelectObject(&free);
      pDC->Pie(centre.x - half, cy - depth, centre.x + half, cy + depth, bottom.x, bottom.y, end.x, end.y);
    }
  };
  disc(centre.y);
  CRect leftBand(centre.x - half, centre.y - kDiscGap, centre.x, centre.y);
  CRect rightBand(centre.x, centre.y - kDiscGap, centre.x + half, centre.y);
  pDC->FillRect(&leftBand, p >= 25 ? &used : &free);
  pDC->FillRect(&rightBand, p >= 75 ? &used : &free);
  CPoint edge = EllipsePoint(p, centre.x, centre.y, half, depth);
  if (p <= 50) {
    int width = p <= 4 ? 2 * p : 10;
    CRect block(edge.x, edge.y - kDiscGap, edge.x + width, edge.y);
    pDC->FillRect(&block, &used);
  } else {
    int width = p >= 96 ? 2 * (100 - p) : 10;
    CRect block(edge.x - width, edge.y - kDiscGap, edge.x, edge.y);
    pDC->FillRect(&block, &free);
  }
  disc(centre.y - kDiscGap);
  pDC->MoveTo(centre.x - half, centre.y - kDiscGap);
  pDC->LineTo(centre.x - half, centre.y);
  pDC->MoveTo(centre.x + half, centre.y - kDiscGap);
  pDC->LineTo(centre.x + half, centre.y);
  pDC->SelectObject(pOldBrush);
}
