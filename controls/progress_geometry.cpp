#include "progress_geometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cwchar>

CRect SpanToWindow(const CRect& client, DWORD style, BarSpan span) {
  bool reversed = (style & kBarReversed) != 0;
  if (style & kBarVertical) {
    if (reversed) return CRect(client.left, client.top + span.start, client.right, client.top + span.end);
    return CRect(client.left, client.bottom - span.end, client.right, client.bottom - span.start);
  }
  if (reversed)
    return CRect(client.left + client.Width() - span.end, client.top, client.left + client.Width() - span.start,
                 client.bottom);
  return CRect(client.left + span.start, client.top, client.left + span.end, client.bottom);
}

int BarLength(const CRect& client, DWORD style) { return (style & kBarVertical) ? client.Height() : client.Width(); }

int ScaleToBar(int length, int position, int lower, int upper) {
  if (upper <= lower) return 0;
  double scaled = static_cast<double>(length) * (static_cast<double>(position) - lower) / (static_cast<double>(upper) - lower);
  scaled = std::max(-1e9, std::min(1e9, scaled));
  return static_cast<int>(scaled);
}

std::vector<GradientBand> GradientBands(BarSpan gradient, BarSpan filled, int stopCount) {
  std::vector<GradientBand> bands;
  if (stopCount < 2) return bands;
  float width = static_cast<float>(gradient.end - gradient.start) / static_cast<float>(stopCount - 1);
  for (int i = 0; i < stopCount - 1; ++i) {
    BarSpan band = {gradient.start + static_cast<int>(i * width), gradient.start + static_cast<int>((i + 1) * width)};
    if (i == stopCount - 2) band.end = gradient.end;
    if (band.end < filled.start) continue;
    BarSpan visible = {std::max(band.start, filled.start), std::min(band.end, filled.end)};
    bands.push_back({band, visible, i});
    if (visible.end == filled.end) break;
  }
  return bands;
}

int GradientStepCount(COLORREF from, COLORREF to, int bandLength, BOOL lowColour) {
  int dR = std::abs(GetRValue(to) - GetRValue(from));
  int dG = std::abs(GetGValue(to) - GetGValue(from));
  int dB = std::abs(GetBValue(to) - GetBValue(from));
  int n = std::min(std::max(dR, std::max(dG, dB)), bandLength);
  if (n < 1) n = 1;
  if (lowColour && n > 1) n = 1;
  return n;
}

std::vector<GradientStep> GradientSteps(BarSpan band, BarSpan visible, COLORREF from, COLORREF to, BOOL lowColour) {
  std::vector<GradientStep> steps;
  int n = GradientStepCount(from, to, band.Length(), lowColour);
  float incR = static_cast<float>(GetRValue(to) - GetRValue(from)) / n;
  float incG = static_cast<float>(GetGValue(to) - GetGValue(from)) / n;
  float incB = static_cast<float>(GetBValue(to) - GetBValue(from)) / n;
  float stepWidth = static_cast<float>(band.Length()) / n;
  for (int i = 0; i < n; ++i) {
    BarSpan step = {band.start + static_cast<int>(i * stepWidth), band.start + static_cast<int>((i + 1) * stepWidth)};
    if (i == n - 1) step.end = band.end;
    if (step.end < visible.start) continue;
    step.start = std::max(step.start, visible.start);
    step.end = std::min(step.end, visible.end);
    BYTE r = static_cast<BYTE>(GetRValue(from) + static_cast<int>(i * incR));
    BYTE g = static_cast<BYTE>(GetGValue(from) + static_cast<int>(i * incG));
    BYTE b = static_cast<BYTE>(GetBValue(from) + static_cast<int>(i * incB));
    steps.push_back({step, RGB(r, g, b)});
    if (step.end >= visible.end) break;
  }
  return steps;
}

CString FormatBarValue(const CString& format, int value) {
  CString text;
  LPCWSTR p = format;
  while (*p != 0) {
    if (*p != L'%') {
      text += *p++;
      continue;
    }
    if (p[1] == L'%') {
      text += L'%';
      p += 2;
      continue;
    }
    // Flags, width and precision, then the conversion.
    LPCWSTR spec = p++;
    while (*p != 0 && std::wcschr(L"-+ #0123456789.", *p) != nullptr) ++p;
    if (*p != 0 && std::wcschr(L"diuxXoc", *p) != nullptr && p - spec < 24) {
      WCHAR conversion[32] = {};
      std::wmemcpy(conversion, spec, static_cast<size_t>(p - spec + 1));
      WCHAR piece[64] = {};
      _snwprintf(piece, 63, conversion, value);
      text += piece;
      ++p;
    } else {
      text += CString(spec, static_cast<int>(p - spec));
    }
  }
  return text;
}

CString BarText(DWORD style, const CString& format, int position, int lower, int upper) {
  DWORD mode = style & kBarTextBits;
  if (mode == 0) return CString();
  CString effective = format;
  int value = 0;
  if (mode == kBarPercentText) {
    if (effective.IsEmpty()) effective = L"%d%%";
    if (upper > lower)
      value = static_cast<int>((static_cast<long long>(position) - lower) * 100 / (static_cast<long long>(upper) - lower));
  } else if (mode == kBarPositionText) {
    if (effective.IsEmpty()) effective = L"%d";
    value = position;
  }
  if (effective.IsEmpty()) return CString();
  return FormatBarValue(effective, value);
}

SnakeStep AdvanceSnakeRun(int position, int tail, int snakeLength, int lower, int upper, int value, BOOL increment) {
  SnakeStep step = {0, 0, FALSE, FALSE};
  long long head;
  if (increment) {
    long long from = position;
    // The head keeps running past the end while the tail catches up.
    if (position == upper && position - tail < snakeLength) from = static_cast<long long>(tail) + snakeLength;
    head = from + std::llabs(static_cast<long long>(value));
  } else {
    head = value;
  }
  long long farthest = static_cast<long long>(upper) + snakeLength;
  if (head > farthest) {
    head -= static_cast<long long>(upper) - lower + snakeLength;
    head = std::min(head, farthest);
    step.reverse = TRUE;
  } else if (head >= upper) {
    step.invalidate = TRUE;
  }
  long long newTail = std::max(head - snakeLength, static_cast<long long>(lower));
  step.head = static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, head)));
  step.tail = static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, newTail)));
  return step;
}
