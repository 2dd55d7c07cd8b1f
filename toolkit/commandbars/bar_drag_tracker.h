// Moves a dockable bar with the mouse, docking it into the dock bar under
// the pointer or floating it, resizes a floating bar (or any dialog bar)
// from its edges, and toggles a bar between its docked and its floating
// place. It remembers where the bar was: the dock bar it last sat in, the
// rectangle it was dropped at, and where it last floated; dock bars and
// the bar's window set-up read that memory.
#pragma once

#include "framework.h"

class CTkToolBar;

// Moves the rectangle by the least amount that puts the point inside it.
void MoveRectToContainPoint(CRect& rect, int x, int y);

class CTkBarDragTracker {
 public:
  enum { kModeNone = 0, kModeMove = 1 };

  explicit CTkBarDragTracker(CTkToolBar* bar) : m_pBar(bar) {}
  virtual ~CTkBarDragTracker() = default;
  CTkBarDragTracker(const CTkBarDragTracker&) = delete;
  CTkBarDragTracker& operator=(const CTkBarDragTracker&) = delete;

  // The virtual operations in their slot order. Screen points; the loops
  // return when the button goes up or Escape is pressed.
  virtual void StartDrag(int x, int y);
  // hit: the sizing hit-test code (HTLEFT to HTBOTTOMRIGHT).
  virtual void StartResize(int hit, int x, int y);
  // FALSE when the bar can go neither way.
  virtual BOOL ToggleDocking();
  virtual void TrackLoop();

  CTkToolBar* GetBar() const { return m_pBar; }
  int GetMode() const { return m_nMode; }
  int GetLastDockPosition() const { return m_nLastDockPosition; }
  void SetLastDockPosition(int position) { m_nLastDockPosition = position; }
  // In the dock bar's client coordinates; empty when the bar was docked
  // without a place.
  const CRect& GetLastDockedRect() const { return m_rcLastDocked; }
  void SetLastDockedRect(const CRect& rect) { m_rcLastDocked = rect; }
  CPoint GetLastFloatingPos() const { return m_ptLastFloating; }
  void SetLastFloatingPos(CPoint point) { m_ptLastFloating = point; }

 protected:
  // One mouse move to a screen point, by mode.
  void MoveTo(CPoint point);
  void ResizeToolBarTo(CPoint point);
  void ResizeDialogBarTo(CPoint point);
  void MarkOptionsDirty();

 private:
  CTkToolBar* m_pBar;
  int m_nMode = kModeNone;
  CPoint m_ptLast{0, 0};
  int m_nLastDockPosition = 0;
  CRect m_rcLastDocked{0, 0, 0, 0};
  CPoint m_ptLastFloating{100, 100};
  CRect m_rcDrag{0, 0, 0, 0};
  CRect m_rcFloating{0, 0, 0, 0};
};
