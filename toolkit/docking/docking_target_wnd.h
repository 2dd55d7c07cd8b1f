// A docking sticker: a small arrow window a dragged pane is dropped onto.
// The compound sticker sits in the middle of the container under the
// pointer with an arrow per side and a centre square for joining it as a
// tab; a side sticker near each edge of the frame docks at that edge.
#pragma once

#include <map>
#include <memory>

#include "framework.h"

class CTkDockingPaneDragTracker;

// Part bits of a sticker.
enum DockingStickerPart {
  kStickerLeft = 1,
  kStickerRight = 2,
  kStickerTop = 4,
  kStickerBottom = 8,
  kStickerCentre = 16,
  kStickerCompound = 32,
};

// Sticker art: bitmaps of equal cells, one part image per cell at its
// top-left corner, green where transparent.
enum DockingStickerBitmap {
  kStickerBackgroundBitmap = 9903,
  kStickerArrowsBitmap = 9904,
  kStickerArrowsOliveBitmap = 9905,
  kStickerArrowsSilverBitmap = 9906,
  kStickerStyle1Bitmap = 9910,
};

class CTkDockingPaneTargetWnd : public CWnd {
 public:
  CTkDockingPaneTargetWnd(CTkDockingPaneDragTracker* tracker, int parts, int style);

  // The window size of a sticker with these parts in a sticker style.
  static CSize GetStickerSize(int parts, int style);
  // The part bit for a docking direction (0 left, 1 right, 2 top, 3 bottom).
  static int PartOfDirection(int direction);

  // Creates the window owned by owner with its top-left corner at origin.
  BOOL CreateSticker(CWnd* owner, CPoint origin);
  // The part under a screen point, 0 for none.
  int HitTest(CPoint screenPoint);
  // Draws the sticker's parts at their places onto a black background.
  void DrawSticker(CDC* pDC, int highlighted);

  int m_parts;
  int m_highlighted = 0;
  CTkDockingPaneDragTracker* m_pTracker;
  int m_style;

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  DECLARE_MESSAGE_MAP()

 private:
  // Draws one part; centre highlighted in style 1 is its background.
  void DrawPart(CDC* pDC, int part, BOOL highlighted, UINT arrowsBitmap);
  CRect PartRect(int part) const;
  // The image list of a sticker bitmap, loaded once per window.
  CImageList* Images(UINT bitmapId);

  std::map<UINT, std::unique_ptr<CImageList>> m_images;
};

// The region of the non-black pixels of a sticker drawn on black.
HRGN MakeStickerRegion(CTkDockingPaneTargetWnd* sticker);
