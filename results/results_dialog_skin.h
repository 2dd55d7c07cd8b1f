// The picture behind a results dialog: drawn at its natural size from the
// top-left corner, its last column and row stretched over any rest of a
// dialog that the fonts made larger. Statics, check boxes and group frames
// show the picture through their backgrounds.
#pragma once

#include "framework.h"

class CResultsDialogSkin {
 public:
  CResultsDialogSkin() = default;
  ~CResultsDialogSkin();
  CResultsDialogSkin(const CResultsDialogSkin&) = delete;
  CResultsDialogSkin& operator=(const CResultsDialogSkin&) = delete;

  // The bitmap resource, as a DIB section; FALSE when it is missing.
  BOOL Load(UINT bitmapId);
  BOOL IsLoaded() const { return m_bitmap != nullptr; }
  // WM_ERASEBKGND: FALSE without a picture, for the default erasing.
  BOOL Erase(CDC* pDC, CWnd* dialog);
  // WM_CTLCOLOR: the picture's brush for statics, null for the default.
  HBRUSH ControlBrush(CDC* pDC, CWnd* dialog, CWnd* control, UINT kind);

 private:
  HBITMAP m_bitmap = nullptr;
  HBRUSH m_brush = nullptr;
  SIZE m_size = {};
};
