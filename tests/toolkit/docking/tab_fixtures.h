// A test owner of a tab strip: it lays the strip out in a set rectangle on
// every refresh, counts refreshes and redraws, and, when given a window,
// forwards that window's mouse and key messages and paints the strip.
#pragma once

#include <string>
#include <vector>

#include "framework.h"
#include "pump_until.h"
#include "tab_painter.h"
#include "tab_palette.h"
#include "tab_set.h"
#include "tab_shape.h"

class TestTabStrip : public CTkTabSet {
 public:
  explicit TestTabStrip(CTkTabPainter* painter, CRect bounds = CRect(0, 0, 300, 100))
      : m_bounds(bounds), m_pPainter(painter) {
    painter->RegisterStrip(this);
  }
  ~TestTabStrip() override {
    m_pPainter->UnregisterStrip(this);
    if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
  }

  CTkTabPainter* GetPainter() const override { return m_pPainter; }
  void Reposition() override {
    ++m_repositions;
    Layout();
  }
  void RedrawControl() override {
    ++m_redraws;
    if (m_hWnd != nullptr) ::InvalidateRect(m_hWnd, nullptr, FALSE);
  }
  BOOL DrawTabIcon(CDC* pDC, POINT pt, CTkTabManagerItem* item, BOOL draw, SIZE*) override {
    if (!m_bImages || item == nullptr) return m_bImages;
    if (draw) pDC->FillSolidRect(pt.x, pt.y, 16, 16, RGB(0, 128, 0));
    return TRUE;
  }
  void OnTabClicked(CTkTabManagerItem* item) override {
    ++m_clicks;
    CTkTabSet::OnTabClicked(item);
  }
  void OnNavigateButtonClick(int id) override { m_buttonClicks.push_back(id); }

  void Layout() {
    CDC dc;
    dc.Attach(::CreateCompatibleDC(nullptr));
    m_pPainter->LayoutTabs(this, &dc, m_bounds);
  }
  void Draw(CDC* pDC) { m_pPainter->DrawTabControl(this, pDC, m_bounds); }
  CTkTabManagerItem* Add(LPCWSTR caption) {
    CTkTabManagerItem* tab = InsertTab(-1);
    tab->SetCaption(caption);
    return tab;
  }
  // A top-level window of the bounds' size that forwards to the strip.
  HWND CreateOwnerWindow(int x = 40, int y = 40);

  CRect m_bounds;
  CTkTabPainter* m_pPainter;
  HWND m_hWnd = nullptr;
  BOOL m_bImages = FALSE;
  int m_repositions = 0;
  int m_redraws = 0;
  int m_clicks = 0;
  std::vector<int> m_buttonClicks;
};

// Pumps messages until the condition holds or the time runs out.
template <class Condition>
bool WaitFor(Condition condition, DWORD timeout = 3000) {
  return PumpUntil(condition, timeout);
}

// Draws the strip in its bounds on a white 32-bit canvas.
void DrawStripOn(TestTabStrip& strip, class DibCanvas& canvas);
