// Docking by dragging: a modal mouse loop that shows where a dragged pane,
// container or floating frame would go (an inverted frame on the desktop,
// translucent preview windows, or docking stickers) and on release floats
// it, docks it beside a container or at a frame edge, or adds it to a
// container as tabs.
#pragma once

#include <map>
#include <vector>

#include "docking_pane_node.h"
#include "framework.h"

class CTkDockingPaneSite;
class CTkDockingPaneTargetWnd;

// The translucent rectangle of window mode: a plain highlight-coloured popup.
class CTkDockingPanePreviewWnd : public CWnd {
 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  DECLARE_MESSAGE_MAP()
};

class CTkDockingPaneDragTracker {
 public:
  explicit CTkDockingPaneDragTracker(CTkDockingPaneSite* site);
  virtual ~CTkDockingPaneDragTracker();
  CTkDockingPaneDragTracker(const CTkDockingPaneDragTracker&) = delete;
  CTkDockingPaneDragTracker& operator=(const CTkDockingPaneDragTracker&) = delete;

  // Runs a whole drag of node from the screen point (x, y).
  virtual void BeginDrag(CTkDockingPaneNode* node, int x, int y);
  virtual void Track();
  virtual void Move(int x, int y);
  virtual void InitTracking();
  virtual void EndTracking();
  virtual void DrawDragRect(BOOL bRemove);
  virtual void FindDockingTarget(int x, int y);

  // Places, makes and destroys the sticker windows for the present
  // sticker target.
  void UpdateStickers();
  // The first steps of BeginDrag: what is dragged, from where, and how the
  // target is shown. The loop itself is InitTracking and Track.
  void PrepareDrag(CTkDockingPaneNode* node, int x, int y);
  // The window region of a sticker with these parts, made once per drag.
  HRGN GetStickerRegion(int parts);
  CTkDockingPaneSite* GetSite() const { return m_pSite; }

  typedef BOOL(WINAPI* SetLayeredWindowAttributesProc)(HWND, COLORREF, BYTE, DWORD);

  CTkDockingPanePreviewWnd m_previewWnd;
  CTkDockingPanePreviewWnd m_tabPreviewWnd;
  SetLayeredWindowAttributesProc m_pSetLayeredWindowAttributes = nullptr;
  BOOL m_bStickersOn = FALSE;
  BOOL m_bWindowMode = FALSE;
  CRect m_stickerTargetRect{0, 0, 0, 0};
  CTkDockingPaneNode* m_pStickerContainer = nullptr;
  CTkDockingPaneNode* m_pPreviousStickerContainer = nullptr;
  std::vector<CTkDockingPaneTargetWnd*> m_stickers;
  CPoint m_lastPoint{0, 0};
  CPoint m_pressPoint{0, 0};
  // The press point still counts: the pointer has not really moved yet.
  BOOL m_bPressPending = FALSE;
  CRect m_dragRect{0, 0, 0, 0};
  CTkDockingPaneSite* m_pSite;
  CTkDockingPaneNode* m_pNode = nullptr;
  CTkDockingPaneNode* m_pTarget = nullptr;
  CRect m_targetRect{0, 0, 0, 0};
  BOOL m_bAsTabDrawn = FALSE;
  BOOL m_bAsTab = FALSE;
  BOOL m_bFloatAllowed = TRUE;
  CRect m_lastDrawnRect{0, 0, 0, 0};
  std::map<int, HRGN> m_stickerRegions;
  int m_direction = kDockLeft;
  CDC* m_pDesktopDC = nullptr;
  BOOL m_bDesktopLocked = FALSE;
  // The window the loop gave the mouse to, NULL outside the loop.
  HWND m_hCaptureWnd = nullptr;

 private:
  // While BeginDrag runs: a flag on its stack that the destructor sets, for
  // a loop whose manager went away with a message it dispatched.
  BOOL* m_pDestroyed = nullptr;
  // TRUE when the frame refuses the action for any pane of the dragged node.
  BOOL IsRefused(int action, CTkDockingPaneNode* container, int direction);
  // The docking zone test near the edges of rect, inside or just outside.
  BOOL HitDockingZone(const CRect& rect, CPoint point, CTkDockingPaneNode* node, BOOL inside);
  void HitTestStickers(CPoint point);
  void DrawPreviewWindows(const CRect& rect);
  void ShowPreview(CTkDockingPanePreviewWnd& wnd, const CRect& rect);
  void DestroyStickers();
  void Drop();
  std::vector<CTkDockingPaneNode*> DraggedPanes() const;
  CWnd* OwnerFrame() const;
};
