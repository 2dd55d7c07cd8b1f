// A drawer with a white DIB to paint on, and measurements in the fonts the
// drawer makes, taken from the same DC.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "dib_canvas.h"
#include "html_text_drawer.h"

class DrawerTest : public ::testing::Test {
 protected:
  DrawerTest() : canvas(600, 400) { canvas.Fill(RGB(255, 255, 255)); }

  int Dpi() { return canvas.dc.GetDeviceCaps(LOGPIXELSY); }
  // Body text: 10 pt Verdana.
  int BodyHeight() { return 10 * Dpi() / 72; }

  CSize Extent(LPCWSTR text, int height, int weight = 400, LPCWSTR face = L"Verdana") {
    HFONT font = ::CreateFontW(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    HGDIOBJ previous = ::SelectObject(canvas.dc.GetSafeHdc(), font);
    SIZE size = {};
    ::GetTextExtentPoint32W(canvas.dc.GetSafeHdc(), text, lstrlenW(text), &size);
    ::SelectObject(canvas.dc.GetSafeHdc(), previous);
    ::DeleteObject(font);
    return CSize(size.cx, size.cy);
  }
  TEXTMETRICW Metrics(int height, int weight = 400, LPCWSTR face = L"Verdana") {
    HFONT font = ::CreateFontW(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    HGDIOBJ previous = ::SelectObject(canvas.dc.GetSafeHdc(), font);
    TEXTMETRICW metrics = {};
    ::GetTextMetricsW(canvas.dc.GetSafeHdc(), &metrics);
    ::SelectObject(canvas.dc.GetSafeHdc(), previous);
    ::DeleteObject(font);
    return metrics;
  }
  CSize Measure(LPCWSTR text) {
    CSize size;
    drawer.Measure(&canvas.dc, text, size);
    return size;
  }
  // Rightmost and bottom-most non-white pixel in the rectangle, -1 when none.
  int RightmostInk(const RECT& area) {
    int right = -1;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (canvas.Pixel(x, y) != RGB(255, 255, 255)) right = std::max(right, x);
    return right;
  }
  int InkCount(const RECT& area) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (canvas.Pixel(x, y) != RGB(255, 255, 255)) ++count;
    return count;
  }
  std::wstring Handle(HGDIOBJ object) {
    wchar_t text[32];
    swprintf(text, 32, L"0x%X", static_cast<unsigned>(reinterpret_cast<uintptr_t>(object)));
    return text;
  }

  DibCanvas canvas;
  CHtmlTextDrawer drawer;
};
