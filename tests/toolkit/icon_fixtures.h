// Small icons and alpha sections of known pixels for the icon tests.
#pragma once

#include <vector>

#include "icon_image.h"

// A system icon of one colour, opaque except where transparentColumns
// (from the left) are masked out.
inline HICON MakeSolidIcon(int width, int height, COLORREF color, int transparentColumns = 0) {
  HDC screen = ::GetDC(nullptr);
  HBITMAP colorBitmap = ::CreateCompatibleBitmap(screen, width, height);
  HBITMAP mask = ::CreateBitmap(width, height, 1, 1, nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HGDIOBJ previous = ::SelectObject(memory, colorBitmap);
  RECT all = {0, 0, width, height};
  HBRUSH brush = ::CreateSolidBrush(color);
  ::FillRect(memory, &all, brush);
  ::DeleteObject(brush);
  ::PatBlt(memory, 0, 0, transparentColumns, height, BLACKNESS);  // black where the mask shows through
  ::SelectObject(memory, mask);
  ::PatBlt(memory, 0, 0, width, height, BLACKNESS);
  ::PatBlt(memory, 0, 0, transparentColumns, height, WHITENESS);
  ::SelectObject(memory, previous);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  ICONINFO info = {TRUE, 0, 0, mask, colorBitmap};
  HICON icon = ::CreateIconIndirect(&info);
  ::DeleteObject(colorBitmap);
  ::DeleteObject(mask);
  return icon;
}

// A section of pixels given as blue, green, red, alpha (bottom row first).
inline HBITMAP MakeAlphaSection(int width, int height, const std::vector<DWORD>& bgra) {
  void* bits = nullptr;
  HBITMAP section = CreateAlphaSection(width, height, &bits);
  memcpy(bits, bgra.data(), bgra.size() * 4);
  return section;
}

inline DWORD Bgra(int red, int green, int blue, int alpha) {
  return static_cast<DWORD>(blue | green << 8 | red << 16 | alpha << 24);
}

inline std::vector<DWORD> SectionPixels(HBITMAP bitmap) {
  DIBSECTION section = {};
  ::GetObjectW(bitmap, sizeof section, &section);
  ::GdiFlush();
  const DWORD* bits = static_cast<const DWORD*>(section.dsBm.bmBits);
  return std::vector<DWORD>(bits, bits + section.dsBm.bmWidth * section.dsBm.bmHeight);
}
