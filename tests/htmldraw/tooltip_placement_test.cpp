// The balloon tip's placement on the virtual screen, without windows.
#include <gtest/gtest.h>

#include "tooltip_placement.h"

namespace {

const TipRect kScreen = {0, 0, 1280, 1024};
const TipRect kBody = {0, 0, 200, 100};
const TipRect kText = {12, 12, 188, 88};
const TipStemSizes kStem = {12, 16, 16};  // the balloon's sizes

struct PlacementCase {
  const char* name;
  int code;
  TipPoint point;
  TipRect screen;
  int width;  // of the body
  int finalCode;
  TipPoint anchor;
  int bodyDx, bodyDy;  // how far the body moved clear of the stem
};

const PlacementCase kCases[] = {
    {"centred below, room everywhere", 2, {640, 500}, kScreen, 200, 2, {100, 0}, 0, 16},
    {"centred below, 5 px from the left edge: stem at the start", 2, {5, 300}, kScreen, 200, 0, {5, 0}, 0, 16},
    {"centred below on a screen left of the primary", 2, {-1275, 300}, {-1280, 0, 1280, 1024}, 200, 0, {5, 0}, 0,
     16},
    {"centred below, near the right edge: far end, clamped", 2, {1270, 300}, kScreen, 200, 1, {190, 0}, 0, 16},
    {"below near the bottom turns above", 0, {600, 1000}, kScreen, 200, 16, {16, 116}, 0, 0},
    {"above near the top turns below", 16, {600, 40}, kScreen, 200, 0, {16, 0}, 0, 16},
    {"start end near the right edge: far end", 0, {1200, 500}, kScreen, 200, 1, {184, 0}, 0, 16},
    {"far end near the left edge: start end", 1, {100, 500}, kScreen, 200, 0, {16, 0}, 0, 16},
    {"too wide for either end: centred", 0, {150, 500}, {0, 0, 300, 1024}, 250, 2, {125, 0}, 0, 16},
    {"centred above, one side overflows: moved back on", 18, {60, 500}, kScreen, 200, 18, {60, 116}, 0, 0},
    {"right of the point near the right edge turns left", 32, {1200, 500}, kScreen, 200, 48, {216, 16}, 0, 0},
    {"left of the point near the left edge turns right", 48, {50, 500}, kScreen, 200, 32, {0, 16}, 16, 0},
    {"right, centred, near the top: stem at the top, clamped", 34, {600, 10}, kScreen, 200, 32, {0, 10}, 16, 0},
    {"right, start end near the bottom: far end", 32, {600, 1000}, kScreen, 200, 33, {0, 84}, 16, 0},
    {"no stem code: no checks", 3, {1279, 1023}, kScreen, 200, 3, {0, 0}, 0, 0},
};

TEST(TooltipPlacement, KeepsTheTipOnTheVirtualScreen) {
  for (const PlacementCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const TipRect body = {0, 0, c.width, 100};
    const TipPlacement placement = PlaceTip(c.code, c.point, c.screen, body, kText, kStem);
    EXPECT_EQ(placement.code, c.finalCode);
    EXPECT_EQ(placement.anchor.x, c.anchor.x);
    EXPECT_EQ(placement.anchor.y, c.anchor.y);
    const bool stem = IsStemCode(c.code);
    const bool across = c.finalCode >= 32;
    EXPECT_EQ(placement.bounds.Width(), c.width + (stem && across ? 16 : 0));
    EXPECT_EQ(placement.bounds.Height(), 100 + (stem && !across ? 16 : 0));
    EXPECT_EQ(placement.body.left, c.bodyDx);
    EXPECT_EQ(placement.body.top, c.bodyDy);
    EXPECT_EQ(placement.text.left - placement.body.left, kText.left);
    EXPECT_EQ(placement.text.top - placement.body.top, kText.top);
    if (stem) {
      // The whole tip lies on the screen.
      const int left = c.point.x - placement.anchor.x, top = c.point.y - placement.anchor.y;
      EXPECT_GE(left, c.screen.left);
      EXPECT_LE(left + placement.bounds.Width(), c.screen.right);
      EXPECT_GE(top, c.screen.top);
      EXPECT_LE(top + placement.bounds.Height(), c.screen.bottom);
    }
  }
}

TEST(TooltipPlacement, StemRunsFromTheAnchorToTheBodysEdge) {
  struct Case {
    int code;
    TipPoint point;
    TipPoint points[3];
  } cases[] = {
      {0, {600, 500}, {{16, 0}, {16, 16}, {28, 16}}},
      {2, {640, 500}, {{100, 0}, {94, 16}, {106, 16}}},
      {17, {600, 500}, {{184, 116}, {172, 100}, {184, 100}}},
      {32, {600, 500}, {{0, 16}, {16, 16}, {16, 28}}},
      {49, {600, 500}, {{216, 84}, {200, 72}, {200, 84}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const TipPlacement placement = PlaceTip(c.code, c.point, kScreen, kBody, kText, kStem);
    ASSERT_EQ(placement.code, c.code);
    TipPoint points[3];
    ASSERT_TRUE(StemTriangle(placement, kStem, points));
    for (int n = 0; n < 3; ++n) {
      EXPECT_EQ(points[n].x, c.points[n].x) << n;
      EXPECT_EQ(points[n].y, c.points[n].y) << n;
    }
  }
  TipPoint points[3];
  const TipStemSizes plain = {0, 0, 0};
  EXPECT_FALSE(StemTriangle(PlaceTip(0, {600, 500}, kScreen, kBody, kText, plain), plain, points));
}

}  // namespace
