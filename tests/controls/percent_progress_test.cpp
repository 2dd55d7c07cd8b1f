#include <gtest/gtest.h>

#include "../toolkit/dib_canvas.h"
#include "percent_progress.h"
#include "widget_host.h"

namespace {

const UINT kBarId = 310;
const COLORREF kFill = RGB(0, 0, 0x90);
const COLORREF kWhite = RGB(255, 255, 255);

// Counts the paints that reach the control.
class CountingBar : public CPercentProgressCtrl {
 public:
  int paints = 0;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_PAINT) ++paints;
    return CPercentProgressCtrl::WindowProc(message, wParam, lParam);
  }
};

class PercentBar : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateBarWithClient(bar, &host, kBarId, kWidth, kHeight));
    bar.SendMessage(PBM_SETBKCOLOR, 0, kWhite);
    bar.SetRange(0, 100);
    host.UpdateWindow();
    PumpPending();
  }
  void Draw() {
    canvas.Fill(RGB(1, 2, 3));
    bar.DrawBar(&canvas.dc);
  }
  static const int kWidth = 200;
  static const int kHeight = 20;
  WidgetHost host;
  CountingBar bar;
  DibCanvas canvas{kWidth, kHeight};
};

TEST_F(PercentBar, ShowsTheSplitAndInverseTextAtFortyFivePerCent) {
  bar.SetPos(45);
  Draw();
  EXPECT_EQ(canvas.Pixel(0, 0), kFill);
  EXPECT_EQ(canvas.Pixel(89, 0), kFill);
  EXPECT_EQ(canvas.Pixel(90, 0), kWhite);
  // "45%" straddles the edge: background-coloured over the fill, dark blue
  // over the rest.
  EXPECT_GT(CountColour(canvas, CRect(60, 0, 90, kHeight), kWhite), 0);
  EXPECT_GT(CountColour(canvas, CRect(90, 0, 140, kHeight), kFill), 0);
}

TEST_F(PercentBar, OutOfRangePositionsFillAllOrNothingAndSayTheTruePercentage) {
  struct Case {
    int position;
    COLORREF first, last;
  } cases[] = {{150, kFill, kFill}, {-20, kWhite, kWhite}, {100, kFill, kFill}, {0, kWhite, kWhite}};
  for (const Case& c : cases) {
    bar.SendMessage(PBM_SETPOS, static_cast<WPARAM>(c.position));
    EXPECT_EQ(bar.GetPos(), c.position);
    Draw();
    EXPECT_EQ(canvas.Pixel(0, 0), c.first) << c.position;
    EXPECT_EQ(canvas.Pixel(kWidth - 1, kHeight - 1), c.last) << c.position;
  }
  // The text of 150 per cent is drawn in the background colour over the
  // full bar.
  bar.SetPos(150);
  Draw();
  EXPECT_GT(CountColour(canvas, CRect(0, 0, kWidth, kHeight), kWhite), 0);
}

TEST_F(PercentBar, EmptyOrInvertedRangesPaintTheBackgroundOnceAndStayQuiet) {
  for (auto range : {std::pair<int, int>{0, 0}, {50, 10}}) {
    bar.SetRange32(range.first, range.second);
    bar.SendMessage(PBM_SETPOS, 30);
    EXPECT_EQ(bar.GetDrawnLength(), 0);
    Draw();
    EXPECT_EQ(CountColour(canvas, CRect(0, 0, kWidth, kHeight), kWhite), kWidth * kHeight);
    bar.paints = 0;
    bar.Invalidate();
    ASSERT_TRUE(PumpUntil([&] { return bar.paints >= 1; }));
    PumpPending();
    EXPECT_EQ(bar.paints, 1);
    EXPECT_FALSE(::GetUpdateRect(bar.m_hWnd, nullptr, FALSE));
  }
}

TEST_F(PercentBar, RepaintsOnlyWhenTheEdgeMovesByAWholePixel) {
  bar.SetRange32(0, 1000);
  bar.SetPos(100);  // 20 pixels
  bar.paints = 0;
  EXPECT_EQ(bar.SetPos(101), 100);  // 20.2 pixels: the same edge
  EXPECT_EQ(bar.SetPos(104), 101);
  EXPECT_EQ(bar.paints, 0);
  bar.SetPos(105);  // 21 pixels
  EXPECT_EQ(bar.paints, 1);
  // A new range shows only at the next repaint.
  bar.SetRange32(0, 10);
  EXPECT_EQ(bar.paints, 1);
  EXPECT_EQ(bar.SendMessage(PBM_GETRANGE, TRUE), 0);
  EXPECT_EQ(bar.SendMessage(PBM_GETRANGE, FALSE), 10);
  EXPECT_EQ(bar.SendMessage(PBM_DELTAPOS, 3), 105);
  EXPECT_EQ(bar.SendMessage(PBM_STEPIT), 108);  // step 1
  EXPECT_EQ(bar.GetPos(), 109);
}

TEST_F(PercentBar, OwnTextReplacesThePercentageAndGetTextCutsToTheBuffer) {
  bar.SetWindowText(L"Saving");
  WCHAR buffer[4] = {L'x', L'x', L'x', L'x'};
  EXPECT_EQ(bar.SendMessage(WM_GETTEXT, 4, reinterpret_cast<LPARAM>(buffer)), 3);
  EXPECT_STREQ(buffer, L"Sav");
  buffer[0] = L'q';
  EXPECT_EQ(bar.SendMessage(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)), 0);
  EXPECT_EQ(buffer[0], L'q') << "a buffer of 0 characters is not written";
  bar.SetPos(0);
  Draw();
  EXPECT_GT(CountColour(canvas, CRect(0, 0, kWidth, kHeight), kFill), 0) << "Saving, dark blue on white";
  bar.SetWindowText(L"");
  WCHAR empty[8] = {L'x'};
  EXPECT_EQ(bar.SendMessage(WM_GETTEXT, 8, reinterpret_cast<LPARAM>(empty)), 0);

  // The private messages: text colour and showing the text.
  EXPECT_EQ(static_cast<COLORREF>(bar.SendMessage(PBM_SETTEXTCOLOR_PRIVATE, 0, RGB(255, 0, 0))), CLR_DEFAULT);
  bar.SetPos(50);
  Draw();
  EXPECT_GT(CountColour(canvas, CRect(0, 0, kWidth, kHeight), RGB(255, 0, 0)), 0);
  bar.SendMessage(PBM_SHOWTEXT_PRIVATE, FALSE);
  Draw();
  EXPECT_EQ(CountColour(canvas, CRect(0, 0, kWidth, kHeight), RGB(255, 0, 0)), 0);
}

TEST_F(PercentBar, AVerticalBarFillsFromTheBottomWithoutText) {
  bar.ModifyStyle(0, PBS_VERTICAL);
  bar.SetPos(45);
  Draw();
  EXPECT_EQ(CountColour(canvas, CRect(0, 0, kWidth, kHeight), kFill), kWidth * 9);
  EXPECT_EQ(canvas.Pixel(0, kHeight - 1), kFill);
  EXPECT_EQ(canvas.Pixel(0, 0), kWhite);
}

}  // namespace
