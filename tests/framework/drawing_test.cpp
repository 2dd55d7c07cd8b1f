#include <gtest/gtest.h>

#include "framework.h"

namespace {

// A 64x64 memory canvas compatible with the screen.
class Canvas : public ::testing::Test {
 protected:
  void SetUp() override {
    CClientDC screen(nullptr);
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 64, 64));
    old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, 64, 64, RGB(255, 255, 255));
  }
  void TearDown() override { dc.SelectObject(old); }
  CDC dc;
  CBitmap bitmap;
  CBitmap* old = nullptr;
};

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0), kWhite = RGB(255, 255, 255),
               kBlack = RGB(0, 0, 0);

TEST_F(Canvas, FillsFramesAndDrawsShapes) {
  dc.FillSolidRect(CRect(2, 2, 10, 10), kRed);
  EXPECT_EQ(dc.GetPixel(2, 2), kRed);
  EXPECT_EQ(dc.GetPixel(9, 9), kRed);
  EXPECT_EQ(dc.GetPixel(10, 10), kWhite);

  dc.Draw3dRect(CRect(20, 2, 30, 12), kBlue, kGreen);
  EXPECT_EQ(dc.GetPixel(20, 2), kBlue);   // top left
  EXPECT_EQ(dc.GetPixel(28, 2), kBlue);   // top edge
  EXPECT_EQ(dc.GetPixel(29, 11), kGreen); // bottom right
  EXPECT_EQ(dc.GetPixel(20, 11), kGreen); // bottom edge
  EXPECT_EQ(dc.GetPixel(25, 6), kWhite);  // inside untouched

  CPen pen(PS_SOLID, 1, kBlack);
  CBrush brush(kBlue);
  CPen* oldPen = dc.SelectObject(&pen);
  CBrush* oldBrush = dc.SelectObject(&brush);
  dc.Rectangle(2, 20, 12, 30);
  EXPECT_EQ(dc.GetPixel(2, 20), kBlack);
  EXPECT_EQ(dc.GetPixel(6, 25), kBlue);
  dc.Ellipse(20, 20, 40, 40);
  EXPECT_EQ(dc.GetPixel(30, 30), kBlue);
  EXPECT_EQ(dc.GetPixel(21, 21), kWhite);  // outside the curve
  POINT triangle[] = {{44, 20}, {60, 20}, {52, 36}};
  dc.Polygon(triangle, 3);
  EXPECT_EQ(dc.GetPixel(52, 24), kBlue);
  dc.MoveTo(2, 50);
  dc.LineTo(30, 50);
  EXPECT_EQ(dc.GetPixel(15, 50), kBlack);
  EXPECT_EQ(dc.GetPixel(30, 50), kWhite);  // the end point is not drawn
  dc.SelectObject(oldPen);
  dc.SelectObject(oldBrush);

  dc.SetPixel(60, 60, kGreen);
  EXPECT_EQ(dc.GetPixel(60, 60), kGreen);
}

TEST_F(Canvas, BlitsAndPatterns) {
  dc.FillSolidRect(0, 0, 8, 8, kRed);
  CClientDC screen(nullptr);
  CDC other;
  ASSERT_TRUE(other.CreateCompatibleDC(&screen));
  CBitmap target;
  ASSERT_TRUE(target.CreateCompatibleBitmap(&screen, 16, 16));
  CBitmap* previous = other.SelectObject(&target);
  other.BitBlt(0, 0, 16, 16, &dc, 0, 0, SRCCOPY);
  EXPECT_EQ(other.GetPixel(7, 7), kRed);
  EXPECT_EQ(other.GetPixel(8, 8), kWhite);
  other.StretchBlt(0, 0, 16, 16, &dc, 0, 0, 4, 4, SRCCOPY);
  EXPECT_EQ(other.GetPixel(15, 15), kRed);
  other.PatBlt(0, 0, 16, 16, DSTINVERT);
  EXPECT_EQ(other.GetPixel(3, 3), RGB(0, 255, 255));
  other.SelectObject(previous);

  // The halftone brush is a checkerboard.
  CBrush* oldBrush = dc.SelectObject(AfxGetHalftoneBrush());
  dc.SetTextColor(kBlack);
  dc.SetBkColor(kWhite);
  dc.PatBlt(32, 32, 8, 8, PATCOPY);
  dc.SelectObject(oldBrush);
  EXPECT_NE(dc.GetPixel(32, 32), dc.GetPixel(33, 32));
  EXPECT_NE(dc.GetPixel(32, 32), dc.GetPixel(32, 33));
  EXPECT_EQ(dc.GetPixel(32, 32), dc.GetPixel(33, 33));
  CBitmap* current = dc.GetCurrentBitmap();
  BITMAP info;
  ASSERT_TRUE(current->GetBitmap(&info));
  EXPECT_EQ(info.bmWidth, 64);
}

TEST_F(Canvas, ClipsAndMaps) {
  int saved = dc.SaveDC();
  dc.IntersectClipRect(10, 10, 20, 20);
  dc.ExcludeClipRect(10, 10, 12, 12);
  CRect box;
  dc.GetClipBox(&box);
  EXPECT_EQ(box, CRect(10, 10, 20, 20));
  dc.FillSolidRect(0, 0, 64, 64, kRed);
  EXPECT_EQ(dc.GetPixel(15, 15), kRed);
  EXPECT_EQ(dc.GetPixel(11, 11), kWhite);
  EXPECT_EQ(dc.GetPixel(25, 25), kWhite);
  dc.RestoreDC(saved);
  dc.SetViewportOrg(5, 5);
  dc.FillSolidRect(0, 0, 1, 1, kBlue);
  dc.SetViewportOrg(0, 0);
  EXPECT_EQ(dc.GetPixel(5, 5), kBlue);
  EXPECT_EQ(dc.GetMapMode(), MM_TEXT);

  CRgn a, b, difference;
  a.CreateRectRgn(0, 0, 20, 20);
  b.CreateRectRgn(10, 0, 20, 20);
  difference.CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(difference.CombineRgn(&a, &b, RGN_DIFF), SIMPLEREGION);
  EXPECT_TRUE(difference.PtInRegion(5, 5));
  EXPECT_FALSE(difference.PtInRegion(15, 5));
}

TEST_F(Canvas, DrawsTextWithPointFonts) {
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(100, L"Arial"));
  LOGFONTW logFont;
  ASSERT_TRUE(font.GetLogFont(&logFont));
  // Ten points at the screen's resolution, as a character height.
  EXPECT_EQ(logFont.lfHeight, -MulDiv(dc.GetDeviceCaps(LOGPIXELSY), 100, 720));
  CFont* oldFont = dc.SelectObject(&font);
  CSize extent = dc.GetTextExtent(CString(L"Mulvara"));
  EXPECT_GT(extent.cx, 20);
  EXPECT_GT(extent.cy, 8);
  CRect measured(0, 0, 0, 0);
  dc.DrawText(CString(L"Mulvara"), &measured, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(measured.Width(), extent.cx);
  dc.SetTextColor(kBlack);
  dc.SetBkMode(TRANSPARENT);
  CRect line(0, 0, 64, 20);
  dc.DrawText(CString(L"Mulvara"), &line, DT_SINGLELINE | DT_LEFT | DT_TOP);
  dc.SelectObject(oldFont);
  int inked = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 64; ++x) inked += dc.GetPixel(x, y) != kWhite;
  EXPECT_GT(inked, 20);
}

}  // namespace
