// CDrawEffects: the draw manager of the marked-up text family. Background
// effects, pictures with colour effects, masks and soft shadows, blends and
// pen-coded lines, all drawn by our own code (no msimg32).
#pragma once

#include "dib_buffer.h"
#include "html_draw_types.h"
#include "framework.h"

class CDrawEffects {
 public:
  CDrawEffects() = default;
  virtual ~CDrawEffects() = default;
  CDrawEffects(const CDrawEffects&) = delete;
  CDrawEffects& operator=(const CDrawEffects&) = delete;

  // Effect codes 1 to 15; any other code is a solid fill in the begin colour.
  void FillEffect(CDC* pDC, int effect, const RECT& rect, COLORREF begin, COLORREF middle, COLORREF end,
                  int granularity, int tint);
  void DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF colour, int penCode, int width);
  void DrawFrame(CDC* pDC, const RECT& rect, COLORREF topLeft, COLORREF bottomRight, int penCode, int width);
  void TileBitmap(CDC* pDC, int x, int y, int width, int height, CDC* pSource, int sourceX, int sourceY,
                  int tileWidth, int tileHeight);
  void DrawBitmap(CDC* pDC, int x, int y, int width, int height, HBITMAP bitmap, BOOL keyFlag, COLORREF key,
                  UINT effects, BOOL shadow, int shadowDx, int shadowDy, int blurX, int blurY, COLORREF colour);
  void DrawIcon(CDC* pDC, int x, int y, int width, int height, HICON icon, UINT effects, BOOL shadow,
                int shadowDx, int shadowDy, int blurX, int blurY, COLORREF colour);
  void DrawStripImage(CDC* pDC, int x, int y, int width, int height, HBITMAP strip, int index, int frameWidth,
                      int frameHeight, BOOL keyFlag, COLORREF key, UINT effects, BOOL shadow, int shadowDx,
                      int shadowDy, int blurX, int blurY, COLORREF colour);
  void DrawShadow(CDC* pDC, int x, int y, int width, int height, HBITMAP mask, BOOL blurred, int blurX, int blurY);
  void AlphaBitBlt(CDC* pDest, int x, int y, int width, int height, CDC* pSource, int sourceX, int sourceY,
                   int opacity);
  void AlphaBlendPixels(CDC* pDest, int x, int y, int width, int height, CDC* pSource, int sourceX, int sourceY);
  // A new 32-bit DIB section owned by the caller, or null.
  HBITMAP CreateEffectBitmap(HBITMAP bitmap, int width, int height, UINT effects, BOOL keyFlag, COLORREF key,
                             COLORREF colour);
  static HICON StretchIcon(HICON icon, int width, int height);
  static CSize GetIconSize(HICON icon);
  static CSize GetBitmapSize(HBITMAP bitmap);

  BOOL HasAlpha() const { return m_bHasAlpha; }

 private:
  void FillGradient(CDC* pDC, const RECT& rect, COLORREF begin, COLORREF end, BOOL vertical);
  void FillPaletteEffect(CDC* pDC, int effect, const RECT& rect, COLORREF begin, COLORREF middle, COLORREF end,
                         int granularity, int tint);
  void PutImage(CDC* pDC, int x, int y, int width, int height, HBITMAP mask, HBITMAP image);
  // Draws a picture already at its size through its key, after its shadow;
  // the shadow's mask is made from shadowSource through shadowKey.
  void DrawKeyed(CDC* pDC, int x, int y, int width, int height, HBITMAP sized, BOOL keyFlag, COLORREF key,
                 HBITMAP shadowSource, BOOL shadowKeyFlag, COLORREF shadowKey, UINT effects, BOOL shadow,
                 int shadowDx, int shadowDy, int blurX, int blurY, COLORREF colour);

  CDibBuffer m_dib;
  BOOL m_bHasAlpha = FALSE;
};
