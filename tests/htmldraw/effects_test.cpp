#include <gtest/gtest.h>

#include <map>
#include <set>

#include "dib_canvas.h"
#include "draw_effects.h"

namespace {

struct Effects : ::testing::Test {
  Effects() : canvas(400, 100) { canvas.Fill(RGB(255, 255, 255)); }
  DibCanvas canvas;
  CDrawEffects effects;
};

TEST_F(Effects, GradientsAreSixtyFourBands) {
  effects.FillEffect(&canvas.dc, 1, CRect(0, 0, 32, 10), RGB(0, 0, 0), 0, RGB(255, 255, 255), 0, 0);
  std::set<COLORREF> colours;
  for (int x = 0; x < 32; ++x) colours.insert(canvas.Pixel(x, 5));
  EXPECT_EQ(32u, colours.size());
  // Band 0 is empty at this width: the first pixel is band 1.
  EXPECT_EQ(RGB(3, 3, 3), canvas.Pixel(0, 5));

  effects.FillEffect(&canvas.dc, 1, CRect(0, 20, 200, 30), RGB(0, 0, 0), 0, RGB(255, 0, 0), 0, 0);
  std::map<COLORREF, int> bands;
  for (int x = 0; x < 200; ++x) ++bands[canvas.Pixel(x, 25)];
  EXPECT_EQ(64u, bands.size());
  for (const auto& band : bands) EXPECT_TRUE(band.second == 3 || band.second == 4);
  // The last band stops a 64th short of the end colour.
  EXPECT_EQ(RGB(63 * 255 / 64, 0, 0), canvas.Pixel(199, 25));

  effects.FillEffect(&canvas.dc, 2, CRect(300, 0, 310, 64), RGB(0, 0, 0), 0, RGB(0, 0, 128), 0, 0);
  EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(305, 0));
  EXPECT_EQ(RGB(0, 0, 126), canvas.Pixel(305, 63));
}

TEST_F(Effects, UnknownCodesAreSolidInTheBeginColour) {
  for (int code : {0, -1, 16, 1000}) {
    canvas.Fill(RGB(255, 255, 255));
    effects.FillEffect(&canvas.dc, code, CRect(10, 10, 20, 20), RGB(1, 2, 3), RGB(9, 9, 9), RGB(7, 7, 7), 5, 0);
    EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(15, 15)) << code;
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(20, 20)) << code;
  }
}

TEST_F(Effects, NoiseAtGranularityZeroIsTheMiddleColour) {
  effects.FillEffect(&canvas.dc, 7, CRect(0, 0, 100, 50), RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), 0, 0);
  // Index 128 is the middle colour with a 128th of the begin colour.
  int middle = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 100; ++x)
      if (canvas.Pixel(x, y) == RGB(1, 253, 0)) ++middle;
  EXPECT_GT(middle, 4900);
}

TEST_F(Effects, SoftBumpStaysInsideTheGranularityBand) {
  // Begin white, middle gray, end black: the palette is a ramp, so the
  // index a pixel used reads back as its gray level.
  const int g = 40;
  effects.FillEffect(&canvas.dc, 13, CRect(0, 0, 120, 60), RGB(255, 255, 255), RGB(128, 128, 128), RGB(0, 0, 0), g, 0);
  int lowest = 255;
  int highest = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 120; ++x) {
      int level = GetGValue(canvas.Pixel(x, y));
      lowest = std::min(lowest, level);
      highest = std::max(highest, level);
    }
  // Noise adds -G to +G on top of the limited index.
  EXPECT_GE(lowest, 0);
  EXPECT_LE(highest, 255);
  EXPECT_GT(highest - lowest, 40);
}

TEST_F(Effects, PatternsDrawAndTheirEdgeSizesDoNotCrash) {
  for (int code = 7; code <= 15; ++code) {
    canvas.Fill(RGB(255, 255, 255));
    effects.FillEffect(&canvas.dc, code, CRect(0, 0, 80, 40), RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), 10, 0);
    EXPECT_NE(RGB(255, 255, 255), canvas.Pixel(40, 20)) << code;
  }
  // A hard bump one pixel high, or narrower than 6, has no bevel to divide by.
  effects.FillEffect(&canvas.dc, 14, CRect(0, 50, 80, 51), RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), 10, 0);
  effects.FillEffect(&canvas.dc, 14, CRect(0, 60, 3, 70), RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), 10, 0);
  // Metal over 32767 pixels wide gets no streaks instead of dividing by 0.
  DibCanvas wide(40000, 1, 32);
  effects.FillEffect(&wide.dc, 15, CRect(0, 0, 40000, 1), RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200), 10, 0);
  SUCCEED();
}

TEST_F(Effects, AlphaBitBltCopiesAtFullAndKeepsAtNone) {
  DibCanvas source(50, 50);
  source.Fill(RGB(10, 200, 30));
  canvas.Fill(RGB(100, 100, 100));
  effects.AlphaBitBlt(&canvas.dc, 0, 0, 20, 20, &source.dc, 0, 0, 100);
  EXPECT_EQ(RGB(10, 200, 30), canvas.Pixel(10, 10));
  effects.AlphaBitBlt(&canvas.dc, 30, 0, 20, 20, &source.dc, 0, 0, 0);
  EXPECT_EQ(RGB(100, 100, 100), canvas.Pixel(40, 10));
  effects.AlphaBitBlt(&canvas.dc, 60, 0, 20, 20, &source.dc, 0, 0, 50);
  EXPECT_EQ(RGB(55, 150, 65), canvas.Pixel(70, 10));
}

TEST_F(Effects, StripFramesAndKeys) {
  DibCanvas strip(30, 10);
  strip.Fill(RGB(255, 0, 255));
  strip.dc.FillSolidRect(12, 2, 6, 6, RGB(0, 0, 200));
  ::GdiFlush();
  HBITMAP bitmap = strip.Bitmap();
  // The bitmap must be free for the drawer's own DC.
  HBITMAP placeholder = ::CreateBitmap(1, 1, 1, 1, nullptr);
  ::SelectObject(strip.dc.GetSafeHdc(), placeholder);
  effects.DrawStripImage(&canvas.dc, 0, 0, 10, 10, bitmap, 3, 10, 10, TRUE, RGB(255, 0, 255), 0, FALSE, 0, 0, 0, 0, 0);
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(5, 5));
  effects.DrawStripImage(&canvas.dc, 0, 0, 10, 10, bitmap, 1, 10, 10, TRUE, RGB(255, 0, 255), 0, FALSE, 0, 0, 0, 0, 0);
  EXPECT_EQ(RGB(0, 0, 200), canvas.Pixel(5, 5));
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(0, 0));
  effects.DrawStripImage(&canvas.dc, 20, 0, 10, 10, bitmap, 1, 10, 10, TRUE, RGB(255, 0, 255), kEffectGray, FALSE, 0,
                         0, 0, 0, 0);
  COLORREF gray = canvas.Pixel(25, 5);
  EXPECT_EQ(GetRValue(gray), GetBValue(gray));
  // A shadow darkens below and right of the shape, not the shape's own key area.
  canvas.Fill(RGB(255, 255, 255));
  effects.DrawStripImage(&canvas.dc, 40, 0, 10, 10, bitmap, 1, 10, 10, TRUE, RGB(255, 0, 255), kEffectShadow, TRUE, 4,
                         4, 7, 7, RGB(128, 128, 128));
  EXPECT_EQ(RGB(128, 128, 128), canvas.Pixel(40 + 7 + 4, 7 + 4 - 1));
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(40, 0));
  ::SelectObject(strip.dc.GetSafeHdc(), bitmap);
  ::DeleteObject(placeholder);
}

TEST_F(Effects, PenCodesAndFrames) {
  effects.DrawLine(&canvas.dc, 10, 10, 50, 10, RGB(0, 0, 0), 6, 1);
  EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(20, 10));
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(20, 11));
  EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(20, 12));
  effects.DrawLine(&canvas.dc, 10, 30, 50, 30, RGB(0, 0, 0), 0, 1);
  effects.DrawLine(&canvas.dc, 10, 30, 50, 30, RGB(0, 0, 0), 1, 0);
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(20, 30));

  effects.DrawFrame(&canvas.dc, CRect(100, 10, 140, 50), RGB(255, 0, 0), RGB(0, 0, 255), 1, 1);
  EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(100, 30));
  EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(120, 10));
  EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(139, 30));
  EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(120, 49));
  effects.DrawFrame(&canvas.dc, CRect(200, 10, 240, 50), RGB(0, 128, 0), RGB(0, 128, 0), 6, 1);
  EXPECT_EQ(RGB(0, 128, 0), canvas.Pixel(200, 30));
  EXPECT_EQ(RGB(0, 128, 0), canvas.Pixel(202, 30));
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(201, 30));
}

TEST_F(Effects, SizesOfPicturesAndIcons) {
  EXPECT_EQ(CSize(0, 0), CDrawEffects::GetBitmapSize(nullptr));
  EXPECT_EQ(CSize(0, 0), CDrawEffects::GetIconSize(nullptr));
  EXPECT_EQ(CSize(400, 100), CDrawEffects::GetBitmapSize(canvas.Bitmap()));
  HICON icon = ::LoadIconW(nullptr, IDI_ERROR);
  CSize size = CDrawEffects::GetIconSize(icon);
  EXPECT_GT(size.cx, 0);
  HICON big = CDrawEffects::StretchIcon(icon, 48, 48);
  ASSERT_NE(nullptr, big);
  effects.DrawIcon(&canvas.dc, 0, 0, 48, 48, big, 0, FALSE, 0, 0, 0, 0, 0);
  ::DestroyIcon(big);
  int ink = 0;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 48; ++x)
      if (canvas.Pixel(x, y) != RGB(255, 255, 255)) ++ink;
  EXPECT_GT(ink, 100);
}

}  // namespace
