// What the tool and hover buttons share: a normal and a hover picture that
// size the button, the hand cursors and the hover and leave tracking.
#pragma once

#include "framework.h"

class PictureButtonParts {
 public:
  // Loads the hand cursors from the module that holds them.
  PictureButtonParts();
  PictureButtonParts(const PictureButtonParts&) = delete;
  PictureButtonParts& operator=(const PictureButtonParts&) = delete;

  // Loads both pictures from the application's instance with the 3-D
  // colours mapped and sizes the button to the normal one.
  BOOL SetStateBitmaps(CWnd* pButton, UINT nNormalId, UINT nHoverId);
  // The hover picture while hovering or pushed (the user is over it),
  // else the normal one; nothing outside either bitmap is read.
  void Draw(LPDRAWITEMSTRUCT lpDIS);
  // Arms hover and leave tracking once per entry.
  void ArmTracking(CWnd* pButton);
  // The hand cursor when the point (client) is over the button and the
  // program has an active window; TRUE then.
  BOOL SetHoverCursorIfOver(CWnd* pButton, CPoint point);
  void SetPressCursor() const;
  void OnHover(CWnd* pButton);
  void OnLeave(CWnd* pButton);

  BOOL IsHovering() const { return m_bHovering; }
  CSize GetSize() const { return CSize(m_nWidth, m_nHeight); }
  HCURSOR GetHoverCursor() const { return m_hHoverCursor; }
  HCURSOR GetPressCursor() const { return m_hPressCursor; }

 private:
  BOOL m_bHovering = FALSE;
  int m_nWidth = 0;
  int m_nHeight = 0;
  CBitmap m_normal;
  CBitmap m_hover;
  BOOL m_bTracking = FALSE;
  HCURSOR m_hHoverCursor = nullptr;
  HCURSOR m_hPressCursor = nullptr;
};
