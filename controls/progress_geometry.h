// The arithmetic of the progress bars, apart from any window: spans along
// the bar, the filled length, gradient bands and steps, the bar text and
// the snake's run.
#pragma once

#include <vector>

#include "framework.h"

// Style bits of the gradient bar.
const DWORD kBarVertical = PBS_VERTICAL;
const DWORD kBarPercentText = 0x0100;
const DWORD kBarPositionText = 0x0200;
const DWORD kBarTextBits = 0x0300;
const DWORD kBarTextOnFilled = 0x1000;
const DWORD kBarGradientOnFilled = 0x2000;
const DWORD kBarReversed = 0x4000;
const DWORD kBarSnake = 0x8000;

// A stretch along the bar's axis, from 0 to the bar's length.
struct BarSpan {
  int start;
  int end;
  int Length() const { return end - start; }
};

// The window rectangle of a span for the bar's style.
CRect SpanToWindow(const CRect& client, DWORD style, BarSpan span);
// The bar's length: its width, or its height when vertical.
int BarLength(const CRect& client, DWORD style);
// length x (position - lower) / (upper - lower), truncated; 0 for an empty
// or inverted range, so that nothing divides by zero.
int ScaleToBar(int length, int position, int lower, int upper);

struct GradientBand {
  BarSpan band;
  BarSpan visible;
  int stop;  // the band runs from stop to stop + 1
};
// The bands of a gradient over span with stopCount stops, cut to filled.
std::vector<GradientBand> GradientBands(BarSpan gradient, BarSpan filled, int stopCount);

struct GradientStep {
  BarSpan span;
  COLORREF colour;
};
// The number of steps of a band: the largest colour difference, at most
// the band's length, at least 1; 1 on devices of fewer than 8 bits.
int GradientStepCount(COLORREF from, COLORREF to, int bandLength, BOOL lowColour);
std::vector<GradientStep> GradientSteps(BarSpan band, BarSpan visible, COLORREF from, COLORREF to, BOOL lowColour);

// The text of the bar for its style, format and position; empty when none.
CString BarText(DWORD style, const CString& format, int position, int lower, int upper);
// printf-style integer formatting that takes only integer conversions
// from the format; any other conversion is written as it stands.
CString FormatBarValue(const CString& format, int value);

struct SnakeStep {
  int head;         // the position passed on (before the control clamps it)
  int tail;
  BOOL reverse;     // the reversed-direction bit toggles
  BOOL invalidate;  // the head reached the end
};
SnakeStep AdvanceSnakeRun(int position, int tail, int snakeLength, int lower, int upper, int value, BOOL increment);
