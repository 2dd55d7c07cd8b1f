// CMemoryDC: draws off-screen and copies the picture to its target when it
// goes, so that frequent repaints do not flicker.
#pragma once

#include "framework.h"

class CMemoryDC : public CDC {
 public:
  // Over the target's clip box.
  explicit CMemoryDC(CDC* pDC);
  // Over a given rectangle of the target (logical units).
  CMemoryDC(CDC* pDC, const CRect& rect);
  ~CMemoryDC() override;
  CMemoryDC(const CMemoryDC&) = delete;
  CMemoryDC& operator=(const CMemoryDC&) = delete;

  const CRect& Area() const { return m_rect; }

 private:
  void Begin();

  CBitmap m_bitmap;
  HGDIOBJ m_hOldBitmap = nullptr;
  CDC* m_pDC;
  CRect m_rect;
  BOOL m_bMemDC;
};
