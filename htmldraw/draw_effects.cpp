#include "draw_effects.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// A top-down 32-bit DIB section selected into its own memory DC.
class PixelImage {
 public:
  PixelImage(int width, int height) : m_width(width), m_height(height) {
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = ::GetDC(nullptr);
    m_bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
    m_dc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    if (m_bitmap != nullptr && m_dc != nullptr) m_previous = ::SelectObject(m_dc, m_bitmap);
  }
  ~PixelImage() {
    if (m_dc != nullptr) {
      if (m_previous != nullptr) ::SelectObject(m_dc, m_previous);
      ::DeleteDC(m_dc);
    }
    if (m_bitmap != nullptr) ::DeleteObject(m_bitmap);
  }
  PixelImage(const PixelImage&) = delete;
  PixelImage& operator=(const PixelImage&) = delete;

  bool Ok() const { return m_bits != nullptr && m_dc != nullptr && m_previous != nullptr; }
  HDC Dc() const { return m_dc; }
  DWORD* Bits() const { return m_bits; }
  size_t Count() const { return static_cast<size_t>(m_width) * static_cast<size_t>(m_height); }
  // Hands the section to the caller, deselected.
  HBITMAP Release() {
    ::SelectObject(m_dc, m_previous);
    m_previous = nullptr;
    HBITMAP bitmap = m_bitmap;
    m_bitmap = nullptr;
    return bitmap;
  }

 private:
  int m_width;
  int m_height;
  HBITMAP m_bitmap = nullptr;
  DWORD* m_bits = nullptr;
  HDC m_dc = nullptr;
  HGDIOBJ m_previous = nullptr;
};

// A bitmap selected into a memory DC for the life of the object.
class SelectedBitmap {
 public:
  explicit SelectedBitmap(HBITMAP bitmap) {
    m_dc = ::CreateCompatibleDC(nullptr);
    if (m_dc != nullptr && bitmap != nullptr) m_previous = ::SelectObject(m_dc, bitmap);
  }
  ~SelectedBitmap() {
    if (m_previous != nullptr) ::SelectObject(m_dc, m_previous);
    if (m_dc != nullptr) ::DeleteDC(m_dc);
  }
  SelectedBitmap(const SelectedBitmap&) = delete;
  SelectedBitmap& operator=(const SelectedBitmap&) = delete;
  bool Ok() const { return m_previous != nullptr; }
  HDC Dc() const { return m_dc; }

 private:
  HDC m_dc = nullptr;
  HGDIOBJ m_previous = nullptr;
};

DWORD ToPixel(COLORREF colour) {
  return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

DWORD Channels(double red, double green, double blue) {
  return (static_cast<DWORD>(red) & 0xFF) << 16 | (static_cast<DWORD>(green) & 0xFF) << 8 |
         (static_cast<DWORD>(blue) & 0xFF);
}

DWORD Red(DWORD p) { return (p >> 16) & 0xFF; }
DWORD Green(DWORD p) { return (p >> 8) & 0xFF; }
DWORD Blue(DWORD p) { return p & 0xFF; }

DWORD Gray(DWORD p) {
  double v = 0.299 * Red(p) + 0.587 * Green(p) + 0.114 * Blue(p);
  return Channels(v, v, v) | (p & 0xFF000000);
}

DWORD Scale(DWORD p, double factor) {
  return Channels(std::min(255.0, Red(p) * factor), std::min(255.0, Green(p) * factor),
                  std::min(255.0, Blue(p) * factor)) |
         (p & 0xFF000000);
}

DWORD Darker(DWORD p, double factor) { return factor < 0 || factor >= 1 ? p : Scale(p, factor); }
// The factor names how much lighter: 0.25 gives x 1.25.
DWORD Lighter(DWORD p, double factor) { return factor <= 0 || factor > 1 ? p : Scale(p, 1 + factor); }

DWORD Invert(DWORD p) { return Channels(255 - Red(p), 255 - Green(p), 255 - Blue(p)); }

DWORD Mix(DWORD a, double fa, DWORD b, double fb) {
  return Channels(fa * Red(a) + fb * Red(b), fa * Green(a) + fb * Green(b), fa * Blue(a) + fb * Blue(b));
}

int PenStyleOf(int code) {
  switch (code) {
    case 2: return PS_DASH;
    case 3: return PS_DOT;
    case 4: return PS_DASHDOT;
    case 5: return PS_DASHDOTDOT;
    default: return PS_SOLID;
  }
}

int Channel(COLORREF c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

// A fresh rand() per noise term: rand() / D - G.
struct Noise {
  explicit Noise(int granularity) : g(granularity) {
    int q = std::max(1, 2 * granularity);
    d = std::max(1, 32767 / q);
  }
  int operator()() const { return std::rand() / d - g; }
  int Plain() const { return std::rand() / d; }
  int g;
  int d;
};

int Cube(int v) { return (v * v * v / 128) / 128; }

}  // namespace

// ---- fills ----

void CDrawEffects::FillGradient(CDC* pDC, const RECT& rect, COLORREF begin, COLORREF end, BOOL vertical) {
  int size = vertical ? rect.bottom - rect.top : rect.right - rect.left;
  int start = vertical ? rect.top : rect.left;
  for (int i = 0; i < 64; ++i) {
    int from = start + i * size / 64;
    int to = start + (i + 1) * size / 64;
    if (to <= from) continue;
    int channels[3];
    for (int k = 0; k < 3; ++k) {
      int b = Channel(begin, 8 * k);
      int e = Channel(end, 8 * k);
      channels[k] = (b * 64 + i * (e - b)) / 64;
    }
    CRect band = vertical ? CRect(rect.left, from, rect.right, to) : CRect(from, rect.top, to, rect.bottom);
    pDC->FillSolidRect(&band, RGB(channels[0], channels[1], channels[2]));
  }
}

void CDrawEffects::FillEffect(CDC* pDC, int effect, const RECT& rect, COLORREF begin, COLORREF middle,
                              COLORREF end, int granularity, int tint) {
  if (pDC == nullptr) return;
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  CRect first(rect);
  CRect second(rect);
  switch (effect) {
    case 1:
    case 2:
      FillGradient(pDC, rect, begin, end, effect == 2);
      return;
    case 3:
    case 5:
      first.right = rect.left + width / 2;
      second.left = first.right;
      FillGradient(pDC, first, begin, effect == 3 ? end : middle, FALSE);
      FillGradient(pDC, second, effect == 3 ? end : middle, effect == 3 ? begin : end, FALSE);
      return;
    case 4:
    case 6:
      first.bottom = rect.top + height / 2;
      second.top = first.bottom;
      FillGradient(pDC, first, begin, effect == 4 ? end : middle, TRUE);
      FillGradient(pDC, second, effect == 4 ? end : middle, effect == 4 ? begin : end, TRUE);
      return;
    default:
      if (effect >= 7 && effect <= 15) {
        FillPaletteEffect(pDC, effect, rect, begin, middle, end, granularity, tint);
        return;
      }
      pDC->FillSolidRect(&rect, begin);
  }
}

void CDrawEffects::FillPaletteEffect(CDC* pDC, int effect, const RECT& rect, COLORREF begin, COLORREF middle,
                                     COLORREF end, int granularity, int tint) {
  int w = rect.right - rect.left;
  int h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  if (m_dib.Create(w, h, 8) == nullptr) return;
  for (int i = 0; i <= 128; ++i) {
    int c[3];
    for (int k = 0; k < 3; ++k) c[k] = Channel(end, 8 * k) + (Channel(middle, 8 * k) - Channel(end, 8 * k)) * i / 128;
    m_dib.SetPaletteColor(i, static_cast<BYTE>(c[0]), static_cast<BYTE>(c[1]), static_cast<BYTE>(c[2]));
  }
  for (int j = 1; j <= 128; ++j) {
    int c[3];
    for (int k = 0; k < 3; ++k) c[k] = (j * Channel(begin, 8 * k) + (128 - j) * Channel(middle, 8 * k)) / 128;
    m_dib.SetPaletteColor(127 + j, static_cast<BYTE>(c[0]), static_cast<BYTE>(c[1]), static_cast<BYTE>(c[2]));
  }
  m_dib.TintPalette(begin, static_cast<UINT>(std::max(0, tint)));

  const int g = granularity;
  Noise noise(g);
  // Indexes by row from the bottom (r) and column (c); 8-bit arithmetic.
  std::vector<BYTE> index(static_cast<size_t>(w) * h, 0);
  auto at = [&](int r, int c) -> BYTE& { return index[static_cast<size_t>(r) * w + c]; };
  auto put = [](int value) { return static_cast<BYTE>(value & 0xFF); };
  if (effect == 15) {
    // Streaks; y counts from the top here. Sides over 32767 pixels make the
    // divisors 0, so such pictures get no streaks.
    int dw = 32767 / w;
    int dh = 32767 / h;
    int dm = 32767 / std::min(w, h);
    if (dw > 0 && dh > 0 && dm > 0) {
      for (int s = 0; s < 200; ++s) {
        int x0 = std::rand() / dw;
        int y0 = std::rand() / dh;
        int length = std::rand() / dm;
        BYTE value = put(std::rand() / 819);
        for (int k = 0; k < length / 2; ++k) {
          if (x0 - k > 0 && y0 + k < h && x0 - k < w && y0 + k >= 0) at(h - 1 - (y0 + k), x0 - k) = value;
          int x1 = w - x0 + k;
          if (x0 + k < w && y0 - k > 0 && x1 >= 0 && x1 < w && y0 - k < h) at(h - 1 - (y0 - k), x1) = value;
        }
      }
    }
  }
  int n = (255 - 2 * g) / 2;
  int metalN = (255 - 2 * g - 40) / 2;
  for (int r = 0; r < h; ++r) {
    int lr = r * 255 / h - 127;
    for (int c = 0; c < w; ++c) {
      int kc = (w - c) * 255 / w - 127;
      int value = 0;
      switch (effect) {
        case 7: value = 128 + noise(); break;
        case 8: value = g + r * n / h + (w - c) * n / w + noise(); break;
        case 9: value = g + r * (255 - 2 * g) / h + noise(); break;
        case 10: value = g + (w - c) * (255 - 2 * g) / w + noise(); break;
        case 11: value = 128 + Cube(lr) * (128 - g) / 128 + noise(); break;
        case 12: value = 128 + Cube(kc) * (128 - g) / 128 + noise(); break;
        case 13: {
          int v = 128 + (Cube(lr) + Cube(kc)) * (128 - g) / 128;
          v = std::max(g, std::min(255 - g, v));
          value = v + noise();
          break;
        }
        case 14: value = 128 + Cube(lr) * (64 - g) * 2 / 128 + noise(); break;
        case 15: value = at(r, c) + r * metalN / h + (w - c) * metalN / w + noise.Plain(); break;
      }
      at(r, c) = put(value);
    }
  }
  if (effect == 14) {
    int bevel = std::min(w / 6, 16);
    int lens = h * h / 4;
    // A picture 1 pixel high (lens 0) or under 6 wide (bevel 0) has no bevel.
    if (bevel > 0 && lens > 0) {
      for (int r = 0; r < h; ++r) {
        int m = ((r - h / 2) * (r - h / 2) * bevel) / lens - bevel + w / 2;
        for (int c = 0; c < w; ++c) {
          int d = c - w / 2;
          int value = at(r, c);
          if (d > m) value = g + ((w - c) * 128) / bevel;
          if (m + d < 0) value = (255 - g) - (c * 128) / bevel;
          at(r, c) = put(value + noise());
        }
      }
    }
  }
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c) m_dib.SetPixelIndex(c, h - 1 - r, at(r, c));
  m_dib.Draw(pDC, rect.left, rect.top);
}

// ---- lines ----

void CDrawEffects::DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF colour, int penCode, int width) {
  if (pDC == nullptr || penCode == 0 || width <= 0) return;
  HPEN pen = ::CreatePen(PenStyleOf(penCode), width, colour);
  if (pen == nullptr) return;
  HGDIOBJ previous = ::SelectObject(pDC->GetSafeHdc(), pen);
  ::MoveToEx(pDC->GetSafeHdc(), x1, y1, nullptr);
  ::LineTo(pDC->GetSafeHdc(), x2, y2);
  if (penCode == 6) {
    // Below a horizontal line, right of a vertical one, both for others.
    int dx = y1 == y2 ? 0 : 2 * width;
    int dy = x1 == x2 ? 0 : 2 * width;
    ::MoveToEx(pDC->GetSafeHdc(), x1 + dx, y1 + dy, nullptr);
    ::LineTo(pDC->GetSafeHdc(), x2 + dx, y2 + dy);
  }
  ::SelectObject(pDC->GetSafeHdc(), previous);
  ::DeleteObject(pen);
}

void CDrawEffects::DrawFrame(CDC* pDC, const RECT& rect, COLORREF topLeft, COLORREF bottomRight, int penCode,
                             int width) {
  if (pDC == nullptr || penCode == 0 || width <= 0) return;
  HDC dc = pDC->GetSafeHdc();
  int left = rect.left + width / 2;
  int top = rect.top + width / 2;
  int right = rect.right - 1 - width / 2;
  int bottom = rect.bottom - 1 - width / 2;
  int style = PenStyleOf(penCode);
  HPEN first = ::CreatePen(style, width, topLeft);
  if (first == nullptr) return;
  HPEN second = topLeft != bottomRight ? ::CreatePen(style, width, bottomRight) : nullptr;
  HGDIOBJ previous = ::SelectObject(dc, first);
  for (int pass = 0; pass < (penCode == 6 ? 2 : 1); ++pass) {
    int inset = pass * 2 * width;
    ::SelectObject(dc, first);
    ::MoveToEx(dc, left + inset, bottom - inset, nullptr);
    ::LineTo(dc, left + inset, top + inset);
    ::LineTo(dc, right - inset, top + inset);
    if (second != nullptr) ::SelectObject(dc, second);
    ::LineTo(dc, right - inset, bottom - inset);
    ::LineTo(dc, left + inset, bottom - inset);
  }
  ::SelectObject(dc, previous);
  ::DeleteObject(first);
  if (second != nullptr) ::DeleteObject(second);
}

void CDrawEffects::TileBitmap(CDC* pDC, int x, int y, int width, int height, CDC* pSource, int sourceX,
                              int sourceY, int tileWidth, int tileHeight) {
  if (pDC == nullptr || pSource == nullptr || tileWidth <= 0 || tileHeight <= 0) return;
  for (int tx = x; tx < x + width; tx += tileWidth)
    for (int ty = y; ty < y + height; ty += tileHeight)
      ::BitBlt(pDC->GetSafeHdc(), tx, ty, std::min(tileWidth, x + width - tx), std::min(tileHeight, y + height - ty),
               pSource->GetSafeHdc(), sourceX, sourceY, SRCCOPY);
}

// ---- pixels ----

HBITMAP CDrawEffects::CreateEffectBitmap(HBITMAP bitmap, int width, int height, UINT effects, BOOL keyFlag,
                                         COLORREF key, COLORREF colour) {
  if (bitmap == nullptr || width <= 0 || height <= 0) return nullptr;
  SelectedBitmap source(bitmap);
  if (!source.Ok()) return nullptr;
  PixelImage image(width, height);
  if (!image.Ok()) return nullptr;
  ::BitBlt(image.Dc(), 0, 0, width, height, source.Dc(), 0, 0, SRCCOPY);
  ::GdiFlush();
  DWORD keyPixel = ToPixel(key);
  DWORD flat = ToPixel(colour);
  DWORD* bits = image.Bits();
  for (size_t i = 0; i < image.Count(); ++i) {
    DWORD p = bits[i];
    if ((p & 0xFF000000) != 0) m_bHasAlpha = TRUE;
    DWORD value;
    if (keyFlag && (p & 0x00FFFFFF) == keyPixel) {
      value = 0;
    } else {
      value = (effects & kEffectGray) ? Gray(p) : p;
      if (effects & kEffectDarker) value = Darker(value, 0.75);
      if (effects & kEffectLighter) value = Lighter(value, 0.25);
      if (effects & kEffectFlatColor) value = flat;
    }
    if (effects & kEffectInvert) value = Invert(value);
    bits[i] = (value & 0x00FFFFFF) | (p & 0xFF000000);
  }
  return image.Release();
}

void CDrawEffects::PutImage(CDC* pDC, int x, int y, int width, int height, HBITMAP mask, HBITMAP image) {
  SelectedBitmap imageDc(image);
  if (!imageDc.Ok()) return;
  if (m_bHasAlpha) {
    CDC source;
    source.Attach(imageDc.Dc());
    AlphaBlendPixels(pDC, x, y, width, height, &source, 0, 0);
    source.Detach();
    return;
  }
  SelectedBitmap maskDc(mask);
  if (!maskDc.Ok()) return;
  COLORREF text = ::SetTextColor(pDC->GetSafeHdc(), RGB(0, 0, 0));
  COLORREF back = ::SetBkColor(pDC->GetSafeHdc(), RGB(255, 255, 255));
  ::BitBlt(pDC->GetSafeHdc(), x, y, width, height, maskDc.Dc(), 0, 0, SRCAND);
  ::BitBlt(pDC->GetSafeHdc(), x, y, width, height, imageDc.Dc(), 0, 0, SRCPAINT);
  ::SetTextColor(pDC->GetSafeHdc(), text);
  ::SetBkColor(pDC->GetSafeHdc(), back);
}

namespace {

HBITMAP CopyToSize(CDC* pDC, HBITMAP bitmap, int width, int height) {
  CSize size = CDrawEffects::GetBitmapSize(bitmap);
  if (size.cx <= 0 || size.cy <= 0) return nullptr;
  HBITMAP copy = ::CreateCompatibleBitmap(pDC->GetSafeHdc(), width, height);
  if (copy == nullptr) return nullptr;
  SelectedBitmap from(bitmap);
  SelectedBitmap to(copy);
  if (!from.Ok() || !to.Ok()) {
    ::DeleteObject(copy);
    return nullptr;
  }
  if (size.cx == width && size.cy == height) {
    ::BitBlt(to.Dc(), 0, 0, width, height, from.Dc(), 0, 0, SRCCOPY);
  } else {
    ::SetStretchBltMode(to.Dc(), COLORONCOLOR);
    ::StretchBlt(to.Dc(), 0, 0, width, height, from.Dc(), 0, 0, size.cx, size.cy, SRCCOPY);
  }
  return copy;
}

}  // namespace

void CDrawEffects::DrawKeyed(CDC* pDC, int x, int y, int width, int height, HBITMAP sized, BOOL keyFlag,
                            COLORREF key, HBITMAP shadowSource, BOOL shadowKeyFlag, COLORREF shadowKey,
                            UINT effects, BOOL shadow, int shadowDx, int shadowDy, int blurX, int blurY,
                            COLORREF colour) {
  HBITMAP mask = CreateEffectBitmap(sized, width, height, 0x8008, keyFlag, key, 0xFFFFFF);
  HBITMAP image = CreateEffectBitmap(sized, width, height, effects, keyFlag, key, colour);
  if (mask != nullptr && image != nullptr) {
    int drawX = x;
    int drawY = y;
    if (shadow) {
      if (effects & (kEffectShadow | kEffectBlurredShadow)) {
        // The shadow's mask must not change whether the picture has alpha.
        BOOL alpha = m_bHasAlpha;
        HBITMAP shadowMask = shadowSource != nullptr
                                 ? CreateEffectBitmap(shadowSource, width, height, 0x8008, shadowKeyFlag, shadowKey,
                                                      colour ^ 0xFFFFFF)
                                 : nullptr;
        m_bHasAlpha = alpha;
        if (shadowMask != nullptr) {
          DrawShadow(pDC, x + shadowDx, y + shadowDy, width, height, shadowMask, (effects & kEffectBlurredShadow) != 0,
                     blurX, blurY);
          ::DeleteObject(shadowMask);
        }
      } else {
        drawX += shadowDx;
        drawY += shadowDy;
      }
    }
    PutImage(pDC, drawX, drawY, width, height, mask, image);
  }
  if (mask != nullptr) ::DeleteObject(mask);
  if (image != nullptr) ::DeleteObject(image);
}

void CDrawEffects::DrawBitmap(CDC* pDC, int x, int y, int width, int height, HBITMAP bitmap, BOOL keyFlag,
                              COLORREF key, UINT effects, BOOL shadow, int shadowDx, int shadowDy, int blurX,
                              int blurY, COLORREF colour) {
  m_bHasAlpha = FALSE;
  if (pDC == nullptr || bitmap == nullptr || width <= 0 || height <= 0) return;
  HBITMAP copy = CopyToSize(pDC, bitmap, width, height);
  if (copy == nullptr) return;
  DrawKeyed(pDC, x, y, width, height, copy, keyFlag, key, copy, keyFlag, key, effects, shadow, shadowDx, shadowDy,
            blurX, blurY, colour);
  ::DeleteObject(copy);
}

void CDrawEffects::DrawIcon(CDC* pDC, int x, int y, int width, int height, HICON icon, UINT effects, BOOL shadow,
                            int shadowDx, int shadowDy, int blurX, int blurY, COLORREF colour) {
  m_bHasAlpha = FALSE;
  if (pDC == nullptr || icon == nullptr || width <= 0 || height <= 0) return;
  CSize size = GetIconSize(icon);
  HICON copy = size.cx == width && size.cy == height ? ::CopyIcon(icon) : StretchIcon(icon, width, height);
  if (copy == nullptr) return;
  ICONINFO info = {};
  if (!::GetIconInfo(copy, &info) || info.hbmColor == nullptr) {
    if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
    ::DestroyIcon(copy);
    return;
  }
  BOOL flat = (effects & kEffectFlatColor) != 0;
  HBITMAP source = flat ? info.hbmMask : info.hbmColor;
  COLORREF key = flat ? RGB(255, 255, 255) : RGB(0, 0, 0);
  HBITMAP sized = CopyToSize(pDC, source, width, height);
  // An icon's shadow follows its mask.
  const BOOL shadowed = shadow && (effects & (kEffectShadow | kEffectBlurredShadow)) != 0;
  HBITMAP maskSized = sized != nullptr && shadowed ? CopyToSize(pDC, info.hbmMask, width, height) : nullptr;
  if (sized != nullptr)
    DrawKeyed(pDC, x, y, width, height, sized, TRUE, key, maskSized, TRUE, RGB(255, 255, 255), effects, shadow,
              shadowDx, shadowDy, blurX, blurY, colour);
  if (maskSized != nullptr) ::DeleteObject(maskSized);
  if (sized != nullptr) ::DeleteObject(sized);
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  ::DestroyIcon(copy);
}

void CDrawEffects::DrawStripImage(CDC* pDC, int x, int y, int width, int height, HBITMAP strip, int index,
                                  int frameWidth, int frameHeight, BOOL keyFlag, COLORREF key, UINT effects,
                                  BOOL shadow, int shadowDx, int shadowDy, int blurX, int blurY, COLORREF colour) {
  if (pDC == nullptr || strip == nullptr || frameWidth <= 0 || frameHeight <= 0 || index < 0) return;
  CSize size = GetBitmapSize(strip);
  int columns = size.cx / frameWidth;
  int rows = size.cy / frameHeight;
  if (columns == 0 || rows == 0 || index >= columns * rows) return;
  HBITMAP frame = ::CreateCompatibleBitmap(pDC->GetSafeHdc(), frameWidth, frameHeight);
  if (frame == nullptr) return;
  {
    SelectedBitmap from(strip);
    SelectedBitmap to(frame);
    if (from.Ok() && to.Ok())
      ::BitBlt(to.Dc(), 0, 0, frameWidth, frameHeight, from.Dc(), frameWidth * (index % columns),
               frameHeight * (index / columns), SRCCOPY);
  }
  DrawBitmap(pDC, x, y, width, height, frame, keyFlag, key, effects, shadow, shadowDx, shadowDy, blurX, blurY,
             colour);
  ::DeleteObject(frame);
}

void CDrawEffects::DrawShadow(CDC* pDC, int x, int y, int width, int height, HBITMAP mask, BOOL blurred, int blurX,
                              int blurY) {
  if (pDC == nullptr || mask == nullptr || width <= 0 || height <= 0) return;
  PixelImage work(width, height);
  PixelImage area(width, height);
  if (!work.Ok() || !area.Ok()) return;
  SelectedBitmap maskDc(mask);
  if (!maskDc.Ok()) return;
  if (blurred) {
    if (blurX % 2 == 0) ++blurX;
    if (blurY % 2 == 0) ++blurY;
    blurX = std::max(1, blurX);
    blurY = std::max(1, blurY);
    ::PatBlt(work.Dc(), 0, 0, width, height, WHITENESS);
    CSize size = GetBitmapSize(mask);
    ::SetStretchBltMode(work.Dc(), COLORONCOLOR);
    ::StretchBlt(work.Dc(), blurX / 2, blurY / 2, width - blurX, height - blurY, maskDc.Dc(), 0, 0, size.cx, size.cy,
                 SRCCOPY);
  } else {
    ::BitBlt(work.Dc(), 0, 0, width, height, maskDc.Dc(), 0, 0, SRCCOPY);
  }
  ::BitBlt(area.Dc(), 0, 0, width, height, pDC->GetSafeHdc(), x, y, SRCCOPY);
  ::GdiFlush();
  std::vector<double> factor(static_cast<size_t>(width) * height);
  const DWORD* w = work.Bits();
  if (blurred) {
    // Box average with running sums: its cost does not grow with the blur.
    std::vector<double> rows(factor.size());
    std::vector<double> prefix(static_cast<size_t>(std::max(width, height)) + 1);
    int halfX = blurX / 2;
    int halfY = blurY / 2;
    for (int r = 0; r < height; ++r) {
      prefix[0] = 0;
      for (int c = 0; c < width; ++c) prefix[c + 1] = prefix[c] + Blue(w[static_cast<size_t>(r) * width + c]);
      for (int c = 0; c < width; ++c) {
        int lo = c - halfX;
        int hi = c + halfX;
        int outside = std::max(0, -lo) + std::max(0, hi - (width - 1));
        rows[static_cast<size_t>(r) * width + c] =
            prefix[std::min(hi, width - 1) + 1] - prefix[std::max(lo, 0)] + 255.0 * outside;
      }
    }
    for (int c = 0; c < width; ++c) {
      prefix[0] = 0;
      for (int r = 0; r < height; ++r) prefix[r + 1] = prefix[r] + rows[static_cast<size_t>(r) * width + c];
      for (int r = 0; r < height; ++r) {
        int lo = r - halfY;
        int hi = r + halfY;
        int outside = std::max(0, -lo) + std::max(0, hi - (height - 1));
        double sum = prefix[std::min(hi, height - 1) + 1] - prefix[std::max(lo, 0)] + 255.0 * blurX * outside;
        factor[static_cast<size_t>(r) * width + c] = sum / (static_cast<double>(blurX) * blurY) / 255.0;
      }
    }
  } else {
    for (size_t i = 0; i < factor.size(); ++i) factor[i] = Blue(w[i]) / 255.0;
  }
  DWORD* bits = area.Bits();
  for (size_t i = 0; i < factor.size(); ++i)
    if (factor[i] < 1.0) bits[i] = Scale(bits[i], std::max(0.0, factor[i]));
  ::BitBlt(pDC->GetSafeHdc(), x, y, width, height, area.Dc(), 0, 0, SRCCOPY);
}

void CDrawEffects::AlphaBitBlt(CDC* pDest, int x, int y, int width, int height, CDC* pSource, int sourceX,
                               int sourceY, int opacity) {
  if (pDest == nullptr || pSource == nullptr || width <= 0 || height <= 0) return;
  if (opacity >= 100) {
    ::BitBlt(pDest->GetSafeHdc(), x, y, width, height, pSource->GetSafeHdc(), sourceX, sourceY, SRCCOPY);
    return;
  }
  PixelImage source(width, height);
  PixelImage dest(width, height);
  if (!source.Ok() || !dest.Ok()) return;
  ::BitBlt(source.Dc(), 0, 0, width, height, pSource->GetSafeHdc(), sourceX, sourceY, SRCCOPY);
  ::BitBlt(dest.Dc(), 0, 0, width, height, pDest->GetSafeHdc(), x, y, SRCCOPY);
  ::GdiFlush();
  double f = opacity * 0.01;
  for (size_t i = 0; i < dest.Count(); ++i) dest.Bits()[i] = Mix(source.Bits()[i], f, dest.Bits()[i], 1 - f);
  ::BitBlt(pDest->GetSafeHdc(), x, y, width, height, dest.Dc(), 0, 0, SRCCOPY);
}

void CDrawEffects::AlphaBlendPixels(CDC* pDest, int x, int y, int width, int height, CDC* pSource, int sourceX,
                                    int sourceY) {
  if (pDest == nullptr || pSource == nullptr || width <= 0 || height <= 0) return;
  PixelImage source(width, height);
  PixelImage dest(width, height);
  if (!source.Ok() || !dest.Ok()) return;
  ::BitBlt(source.Dc(), 0, 0, width, height, pSource->GetSafeHdc(), sourceX, sourceY, SRCCOPY);
  ::BitBlt(dest.Dc(), 0, 0, width, height, pDest->GetSafeHdc(), x, y, SRCCOPY);
  ::GdiFlush();
  for (size_t i = 0; i < dest.Count(); ++i) {
    DWORD s = source.Bits()[i];
    double a = ((s >> 24) & 0xFF) / 255.0;
    dest.Bits()[i] = Mix(s, a, dest.Bits()[i], 1 - a);
  }
  ::BitBlt(pDest->GetSafeHdc(), x, y, width, height, dest.Dc(), 0, 0, SRCCOPY);
}

// ---- icons and sizes ----

HICON CDrawEffects::StretchIcon(HICON icon, int width, int height) {
  if (icon == nullptr || width <= 0 || height <= 0) return nullptr;
  ICONINFO info = {};
  if (!::GetIconInfo(icon, &info)) return nullptr;
  CSize size(static_cast<int>(info.xHotspot) * 2, static_cast<int>(info.yHotspot) * 2);
  HICON result = nullptr;
  HBITMAP bitmaps[2] = {info.hbmColor, info.hbmMask};
  HBITMAP stretched[2] = {nullptr, nullptr};
  HDC screen = ::GetDC(nullptr);
  HDC from = screen != nullptr ? ::CreateCompatibleDC(screen) : nullptr;
  HDC to = screen != nullptr ? ::CreateCompatibleDC(screen) : nullptr;
  if (from != nullptr && to != nullptr) {
    bool ok = true;
    for (int i = 0; i < 2 && ok; ++i) {
      if (bitmaps[i] == nullptr) continue;
      BITMAP bm = {};
      ::GetObjectW(bitmaps[i], sizeof bm, &bm);
      stretched[i] = ::CreateBitmap(width, height, bm.bmPlanes, bm.bmBitsPixel, nullptr);
      if (stretched[i] == nullptr) {
        ok = false;
        break;
      }
      HGDIOBJ oldFrom = ::SelectObject(from, bitmaps[i]);
      HGDIOBJ oldTo = ::SelectObject(to, stretched[i]);
      ::SetStretchBltMode(to, COLORONCOLOR);
      ::StretchBlt(to, 0, 0, width, height, from, 0, 0, size.cx, size.cy, SRCCOPY);
      ::SelectObject(from, oldFrom);
      ::SelectObject(to, oldTo);
    }
    if (ok && stretched[1] != nullptr) {
      ICONINFO made = {};
      made.fIcon = TRUE;
      made.hbmColor = stretched[0];
      made.hbmMask = stretched[1];
      result = ::CreateIconIndirect(&made);
    }
  }
  for (HBITMAP b : stretched)
    if (b != nullptr) ::DeleteObject(b);
  if (from != nullptr) ::DeleteDC(from);
  if (to != nullptr) ::DeleteDC(to);
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
  return result;
}

CSize CDrawEffects::GetIconSize(HICON icon) {
  ICONINFO info = {};
  if (icon == nullptr || !::GetIconInfo(icon, &info)) return CSize(0, 0);
  if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
  return CSize(static_cast<int>(info.xHotspot) * 2, static_cast<int>(info.yHotspot) * 2);
}

CSize CDrawEffects::GetBitmapSize(HBITMAP bitmap) {
  BITMAP bm = {};
  if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof bm, &bm) == 0) return CSize(0, 0);
  return CSize(bm.bmWidth, bm.bmHeight);
}
