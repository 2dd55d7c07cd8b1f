// Where a balloon tip goes: which side of the point it takes, where its
// stem sits, and how it is kept on the virtual screen. Pure arithmetic, so
// that every case can be tested without a window.
//
// Codes 0 to 2 put the tip below the point (stem on its top edge), 16 to 18
// above, 32 to 34 to the right (stem on its left edge), 48 to 50 to the
// left; the last digit puts the stem at the start end (0), the far end (1)
// or centred on the point (2). Other codes get no stem and no screen checks.
#pragma once

struct TipRect {
  int left, top, right, bottom;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const TipRect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
};

struct TipPoint {
  int x, y;
  bool operator==(const TipPoint& other) const { return x == other.x && y == other.y; }
};

struct TipStemSizes {
  int width;   // along the edge
  int height;  // away from the body
  int margin;  // distance of the stem from the tip's end
};

struct TipPlacement {
  int code;         // the placement after the screen checks
  TipPoint anchor;  // the stem's apex in the tip's own coordinates
  TipRect bounds;   // body plus stem, from (0, 0)
  TipRect body;     // moved clear of the stem
  TipRect text;
};

bool IsStemCode(int code);

// point and screen in screen coordinates; body and text in the tip's own,
// the body from (0, 0). The tip's window goes at point - anchor.
TipPlacement PlaceTip(int code, TipPoint point, const TipRect& screen, const TipRect& body, const TipRect& text,
                      const TipStemSizes& stem);

// The stem's triangle: the apex at the anchor, the base on the body's edge.
// False when the code has no stem or the stem has no size.
bool StemTriangle(const TipPlacement& placement, const TipStemSizes& stem, TipPoint (&points)[3]);
