#include <gtest/gtest.h>

#include "progress_geometry.h"

namespace {

TEST(ProgressGeometry, SpansMapToTheWindowForEachDirection) {
  CRect client(10, 20, 110, 40);
  struct Case {
    DWORD style;
    CRect expected;
  } cases[] = {
      {0, CRect(15, 20, 40, 40)},
      {kBarReversed, CRect(80, 20, 105, 40)},
      {kBarVertical, CRect(10, 10, 110, 35)},
      {kBarVertical | kBarReversed, CRect(10, 25, 110, 50)},
  };
  for (const Case& c : cases) EXPECT_EQ(SpanToWindow(client, c.style, {5, 30}), c.expected) << c.style;
  EXPECT_EQ(BarLength(client, 0), 100);
  EXPECT_EQ(BarLength(client, kBarVertical), 20);
}

TEST(ProgressGeometry, FilledLengthsTruncateAndEmptyRangesDivideNothing) {
  struct Case {
    int length, position, lower, upper, expected;
  } cases[] = {
      {300, 37, 0, 100, 111}, {301, 37, 0, 100, 111}, {100, 50, 0, 100, 50}, {100, 0, 0, 100, 0},
      {100, 100, 0, 100, 100}, {100, 5, 5, 5, 0},     {100, 7, 9, 3, 0},     {7, 1, 0, 3, 2},
      {100, -20, 0, 100, -20}, {100, 150, 0, 100, 150},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScaleToBar(c.length, c.position, c.lower, c.upper), c.expected)
        << c.length << " " << c.position << " " << c.lower << ".." << c.upper;
}

TEST(ProgressGeometry, StepsAreLimitedByPixelsAndColourDifference) {
  EXPECT_EQ(GradientStepCount(RGB(0, 0, 0), RGB(255, 0, 0), 3, FALSE), 3);
  EXPECT_EQ(GradientStepCount(RGB(0, 0, 0), RGB(0, 10, 0), 300, FALSE), 10);
  EXPECT_EQ(GradientStepCount(RGB(5, 5, 5), RGB(5, 5, 5), 300, FALSE), 1);
  EXPECT_EQ(GradientStepCount(RGB(0, 0, 0), RGB(0, 0, 200), 300, TRUE), 1);

  std::vector<GradientStep> steps = GradientSteps({0, 3}, {0, 3}, RGB(0, 0, 0), RGB(255, 0, 0), FALSE);
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0].colour, RGB(0, 0, 0));
  EXPECT_EQ(steps[1].colour, RGB(85, 0, 0));
  EXPECT_EQ(steps[2].colour, RGB(170, 0, 0));  // one step short of the end colour
  EXPECT_EQ(steps[2].span.end, 3);

  // The wizard's blue to darker blue over 100 pixels: 95 steps, falling.
  steps = GradientSteps({0, 100}, {0, 100}, 0xFF0000, 0xA00000, FALSE);
  ASSERT_EQ(steps.size(), 95u);
  EXPECT_EQ(steps.front().colour, static_cast<COLORREF>(0xFF0000));
  EXPECT_EQ(GetBValue(steps.back().colour), 0xA1);
  EXPECT_EQ(steps.back().span.end, 100);

  // Cut to the visible part: the steps before it are skipped.
  steps = GradientSteps({0, 10}, {4, 6}, RGB(0, 0, 0), RGB(0, 0, 10), FALSE);
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0].span.start, 4);
  EXPECT_EQ(steps.back().span.end, 6);
}

TEST(ProgressGeometry, BandsSpreadTheStopsEvenlyAndStopAtTheFilledEnd) {
  std::vector<GradientBand> bands = GradientBands({0, 100}, {0, 100}, 3);
  ASSERT_EQ(bands.size(), 2u);
  EXPECT_EQ(bands[0].band.end, 50);
  EXPECT_EQ(bands[1].band.start, 50);
  EXPECT_EQ(bands[1].band.end, 100);
  bands = GradientBands({0, 100}, {0, 30}, 3);
  ASSERT_EQ(bands.size(), 1u);
  EXPECT_EQ(bands[0].visible.end, 30);
  bands = GradientBands({0, 100}, {60, 80}, 5);  // a snake across the third and fourth bands
  ASSERT_EQ(bands.size(), 2u);
  EXPECT_EQ(bands[0].stop, 2);
  EXPECT_EQ(bands[0].visible.start, 60);
  EXPECT_EQ(bands[1].visible.end, 80);
  EXPECT_TRUE(GradientBands({0, 100}, {0, 100}, 1).empty());
}

TEST(ProgressGeometry, TextFollowsTheModeAndTakesOnlyIntegerConversions) {
  struct Case {
    DWORD style;
    LPCWSTR format;
    int position, lower, upper;
    LPCWSTR expected;
  } cases[] = {
      {kBarPercentText, L"%d%%", 37, 0, 100, L"37%"},
      {kBarPercentText, L"", 1, 0, 3, L"33%"},
      {kBarPercentText, L"", 5, 5, 5, L"0%"},  // empty range: nothing divides
      {kBarPositionText, L"", 37, 0, 200, L"37"},
      {kBarPositionText, L"at %03d", 7, 0, 200, L"at 007"},
      {kBarTextBits, L"Scanning", 50, 0, 100, L"Scanning"},
      {kBarPercentText, L"%s and %n %d", 10, 0, 100, L"%s and %n 10"},
      {0, L"%d", 10, 0, 100, L""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BarText(c.style, c.format, c.position, c.lower, c.upper), CString(c.expected)) << c.format;
}

TEST(ProgressGeometry, TheSnakeShrinksIntoTheEndThenComesBackReversed) {
  // Range 0..100, snake 40 long, head at the end with its tail 70 behind.
  SnakeStep step = AdvanceSnakeRun(100, 70, 40, 0, 100, 10, TRUE);
  EXPECT_EQ(step.head, 120);  // tail + length + step: the tail catches up
  EXPECT_EQ(step.tail, 80);
  EXPECT_FALSE(step.reverse);
  EXPECT_TRUE(step.invalidate);
  step = AdvanceSnakeRun(100, 100, 40, 0, 100, 10, TRUE);
  EXPECT_EQ(step.head, 10);  // past upper + length: back from the other side
  EXPECT_TRUE(step.reverse);
  EXPECT_EQ(step.tail, 0);
  step = AdvanceSnakeRun(20, 0, 40, 0, 100, -5, TRUE);  // an increment counts by its size
  EXPECT_EQ(step.head, 25);
  step = AdvanceSnakeRun(0, 0, 40, 0, 100, 55, FALSE);
  EXPECT_EQ(step.head, 55);
  EXPECT_EQ(step.tail, 15);
  step = AdvanceSnakeRun(0, 0, 40, 0, 0, 500, FALSE);  // an empty range still ends inside the bounds
  EXPECT_EQ(step.head, 40);
  EXPECT_TRUE(step.reverse);
}

}  // namespace
