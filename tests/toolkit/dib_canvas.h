// A memory DC on a top-down 32-bit DIB section whose pixels tests read
// straight from memory.
#pragma once

#include "framework.h"

class DibCanvas {
 public:
  DibCanvas(int width, int height, int bits = 32) : m_width(width) {
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD colors[256];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = -height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bits);
    info.header.biCompression = BI_RGB;
    for (int i = 0; i < 256; ++i)
      info.colors[i] = {static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
    if (bits == 8) info.header.biClrUsed = 256;
    m_bitmap = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                  reinterpret_cast<void**>(&m_bits), nullptr, 0);
    dc.Attach(::CreateCompatibleDC(nullptr));
    m_previous = ::SelectObject(dc.GetSafeHdc(), m_bitmap);
  }
  ~DibCanvas() {
    ::SelectObject(dc.GetSafeHdc(), m_previous);
    dc.DeleteDC();
    ::DeleteObject(m_bitmap);
  }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;

  // 32-bit canvases only.
  COLORREF Pixel(int x, int y) const {
    DWORD value = m_bits[y * m_width + x];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
  }
  void Fill(COLORREF color) {
    CRect all(0, 0, m_width, 1 << 15);
    dc.FillSolidRect(&all, color);
  }
  HBITMAP Bitmap() const { return m_bitmap; }

  CDC dc;

 private:
  int m_width;
  HBITMAP m_bitmap = nullptr;
  DWORD* m_bits = nullptr;
  HGDIOBJ m_previous = nullptr;
};
