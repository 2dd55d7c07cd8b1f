#include <gtest/gtest.h>

#include "../toolkit/dib_canvas.h"
#include "gradient_progress.h"
#include "widget_host.h"

namespace {

const UINT kBarId = 300;
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kDarkBlue = 0x7F0000;

// The partition and scan page's settings.
void ConfigureAsTheWizard(CGradientProgressCtrl& bar) {
  bar.SetTextFormat(L"%d%%", 0x100);
  bar.BackgroundColor = 0xFFFFFF;
  bar.TextColorOnBar = 0xFFFFFF;
  bar.TextColorOffBar = kDarkBlue;
  bar.ColorStops.RemoveAll();
  bar.ColorStops.Add(0xFF0000);
  bar.ColorStops.Add(0xA00000);
  bar.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(TestFont()));
  bar.SetRange(0, 100);
}

bool IsBlueShade(COLORREF c) { return GetRValue(c) == 0 && GetGValue(c) == 0 && GetBValue(c) >= 0xA0; }

class GradientBar : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateBarWithClient(bar, &host, kBarId, kWidth, kHeight));
    ConfigureAsTheWizard(bar);
  }
  void Draw() {
    canvas.Fill(RGB(1, 2, 3));
    bar.DrawBar(&canvas.dc);
  }
  static const int kWidth = 300;
  static const int kHeight = 20;
  WidgetHost host;
  CGradientProgressCtrl bar;
  DibCanvas canvas{kWidth, kHeight};
};

TEST_F(GradientBar, WizardBarFillsTruncatedPixelsAndWritesTwoColouredText) {
  bar.SetPos(37);
  Draw();
  // 37 per cent of 300 pixels: 111 filled, blue to darker blue.
  EXPECT_EQ(canvas.Pixel(0, 0), static_cast<COLORREF>(RGB(0, 0, 255)));
  EXPECT_TRUE(IsBlueShade(canvas.Pixel(110, 0)));
  EXPECT_EQ(canvas.Pixel(111, 0), kWhite);
  EXPECT_EQ(canvas.Pixel(299, 19), kWhite);
  // The text at the centre lies over the white part: dark blue there, none
  // of it in the filled part.
  EXPECT_GT(CountColour(canvas, CRect(111, 0, kWidth, kHeight), kDarkBlue), 0);
  EXPECT_EQ(CountColour(canvas, CRect(0, 0, 111, kHeight), kDarkBlue), 0);
  EXPECT_EQ(CountColour(canvas, CRect(0, 0, 111, kHeight), kWhite), 0);

  // At 50 per cent the text straddles the edge: white over the bar.
  bar.SetPos(50);
  Draw();
  EXPECT_GT(CountColour(canvas, CRect(100, 0, 150, kHeight), kWhite), 0);
  EXPECT_GT(CountColour(canvas, CRect(150, 0, 200, kHeight), kDarkBlue), 0);
  EXPECT_EQ(CountColour(canvas, CRect(0, 0, 150, kHeight), kDarkBlue), 0);
}

TEST_F(GradientBar, EmptyRangeShowsTheBackgroundAndPaintsOnce) {
  bar.SetRange32(0, 0);
  bar.SetPos(0);
  Draw();
  EXPECT_EQ(CountColour(canvas, CRect(0, 0, kWidth, kHeight), kWhite), kWidth * kHeight);
  bar.Invalidate();
  bar.UpdateWindow();
  EXPECT_FALSE(::GetUpdateRect(bar.m_hWnd, nullptr, FALSE));
}

TEST_F(GradientBar, OneStopOrATextTooLongForTheFilledPartDrawsLess) {
  bar.ColorStops.RemoveAll();
  bar.ColorStops.Add(0xFF0000);
  bar.SetPos(50);
  Draw();
  EXPECT_EQ(CountColour(canvas, CRect(0, 0, kWidth, kHeight), RGB(0, 0, 255)), 0);
  EXPECT_GT(CountColour(canvas, CRect(0, 0, kWidth, kHeight), kDarkBlue), 0);

  // Text on the filled part only: 2 per cent (6 pixels) cannot hold it.
  bar.SendMessage(PBM_SETBARCOLOR, 0, 0x00FF00);
  ASSERT_EQ(bar.ColorStops.GetSize(), 2);
  EXPECT_EQ(bar.ColorStops[1], 0x00FF00u);
  bar.ModifyStyle(0, kBarTextOnFilled);
  bar.SetPos(2);
  Draw();
  EXPECT_EQ(CountColour(canvas, CRect(0, 0, kWidth, kHeight), kWhite), kWidth * kHeight - 6 * kHeight);
  bar.SetPos(60);
  Draw();
  EXPECT_GT(CountColour(canvas, CRect(0, 0, 180, kHeight), kWhite), 0) << "text centred on the filled part";
}

TEST_F(GradientBar, SnakeRunsItsSegmentAndComesBack) {
  bar.ModifyStyle(0, kBarSnake);
  bar.SetPos(50);
  EXPECT_EQ(bar.GetPos(), 50);
  EXPECT_EQ(bar.GetSnakeTail(), 10);
  Draw();
  EXPECT_EQ(canvas.Pixel(29, 5), kWhite);  // before the tail at 10 per cent
  EXPECT_TRUE(IsBlueShade(canvas.Pixel(31, 5)));
  for (int i = 0; i < 20 && !(bar.GetStyle() & kBarReversed); ++i) bar.StepIt();
  EXPECT_TRUE(bar.GetStyle() & kBarReversed);
}

}  // namespace
