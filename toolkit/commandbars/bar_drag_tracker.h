// What a dockable bar remembers of where it was: the dock bar it last sat
// in, the rectangle it was dropped at, and where it last floated. Dock bars
// and the bar's window set-up read it; dragging the bar writes it.
#pragma once

#include "framework.h"

class CTkToolBar;

class CTkBarDragTracker {
 public:
  explicit CTkBarDragTracker(CTkToolBar* bar) : m_pBar(bar) {}

  CTkToolBar* GetBar() const { return m_pBar; }
  int GetLastDockPosition() const { return m_nLastDockPosition; }
  void SetLastDockPosition(int position) { m_nLastDockPosition = position; }
  // In the dock bar's client coordinates; empty when the bar was docked
  // without a place.
  const CRect& GetLastDockedRect() const { return m_rcLastDocked; }
  void SetLastDockedRect(const CRect& rect) { m_rcLastDocked = rect; }
  CPoint GetLastFloatingPos() const { return m_ptLastFloating; }
  void SetLastFloatingPos(CPoint point) { m_ptLastFloating = point; }

 private:
  CTkToolBar* m_pBar;
  int m_nLastDockPosition = 0;
  CRect m_rcLastDocked{0, 0, 0, 0};
  CPoint m_ptLastFloating{100, 100};
};
