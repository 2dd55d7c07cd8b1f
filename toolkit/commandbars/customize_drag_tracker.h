// Moves or copies a control with the mouse while the command bars are
// customized: between bars, within one, or from the customize sheet's
// command list onto a bar. Every command bar registers itself as a drop
// target; the tracker finds the bar under the pointer, feeds it the
// drag-enter, drag-over, drag-leave and drop operations and returns the
// drop effect. What a bar does with a drop is the bar's business.
#pragma once

#include <vector>

#include "control.h"

class CTkCommandBar;
class CTkCommandBars;
class CTkControl;

// Effects TrackDrag returns besides DROPEFFECT_COPY and DROPEFFECT_MOVE:
// released outside every bar after moving, and cancelled.
const DROPEFFECT kDragOutside = 0;
const DROPEFFECT kDragCancelled = 5;

class CTkCustomizeDragTracker {
 public:
  explicit CTkCustomizeDragTracker(CTkCommandBars* owner);
  virtual ~CTkCustomizeDragTracker() = default;
  CTkCustomizeDragTracker(const CTkCustomizeDragTracker&) = delete;
  CTkCustomizeDragTracker& operator=(const CTkCustomizeDragTracker&) = delete;

  // Runs until the button goes up, Escape, a right click or the loss of
  // the capture. A copy-only drag shows the copy cursor throughout.
  DROPEFFECT TrackDrag(CTkControl* control, BOOL copyOnly);
  void AddDropTarget(CTkCommandBar* bar);
  // Removes every occurrence of the bar.
  void RemoveDropTarget(CTkCommandBar* bar);
  int GetDropTargetCount() const { return static_cast<int>(m_targets.size()); }
  // The running customize sheet: the drag captures the mouse in its window.
  void SetCustomizeSheet(CWnd* sheet) { m_pSheet = sheet; }
  CWnd* GetCustomizeSheet() const { return m_pSheet; }
  CTkCommandBar* GetDropTarget() const { return m_pTarget; }
  // The cursor shown for the drag's state: no drop, move or copy.
  HCURSOR GetCurrentCursor() const;

 protected:
  DROPEFFECT TrackLoop();
  void DragOver(CPoint screenPoint);
  void UpdateCursor();
  DROPEFFECT Finish(DROPEFFECT effect, CPoint screenPoint);

  HWND m_hCapture = nullptr;
  CTkControl* m_pControl = nullptr;
  BOOL m_bMove = FALSE;
  BOOL m_bCopyOnly = FALSE;
  CTkCommandBar* m_pTarget = nullptr;
  CWnd* m_pSheet = nullptr;
  CPoint m_ptStart;
  std::vector<CTkCommandBar*> m_targets;
  CTkCommandBars* m_pOwner;
  HCURSOR m_hNoDrop = nullptr;
  HCURSOR m_hMove = nullptr;
  HCURSOR m_hCopy = nullptr;
};
