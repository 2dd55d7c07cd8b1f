#include <gtest/gtest.h>

#include "bar_painter.h"
#include "dib_canvas.h"
#include "draw_helpers.h"
#include "test_painter.h"

namespace {

// A painter with the system's fonts and colours.
class UpdatedPainter : public TestPainter {
 public:
  UpdatedPainter() { UpdateFontsAndColors(); }
};

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kInk = RGB(0, 0, 0);

// Lowest row and the column range holding ink.
struct Ink {
  int left = -1;
  int right = -1;
  int bottom = -1;
};

Ink FindInk(const DibCanvas& canvas, int width, int height, COLORREF color) {
  Ink ink;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (canvas.Pixel(x, y) == color) {
        if (ink.left < 0 || x < ink.left) ink.left = x;
        ink.right = std::max(ink.right, x);
        ink.bottom = y;
      }
  return ink;
}

TEST(ToolBarDrawing, DropDownArrowSizes) {
  UpdatedPainter painter;
  struct Case {
    int width;
    int halfWidth;
  };
  const Case cases[] = {{10, 2}, {14, 3}, {20, 6}};
  for (const Case& c : cases) {
    DibCanvas canvas(30, 30);
    canvas.Fill(kWhite);
    painter.DrawDropDownArrow(&canvas.dc, 0, 0, c.width, 20, static_cast<COLORREF>(RGB(200, 0, 0)));
    Ink ink = FindInk(canvas, 30, 30, RGB(200, 0, 0));
    EXPECT_EQ(c.width / 2 - c.halfWidth, ink.left) << c.width;
    EXPECT_EQ(c.width / 2 + c.halfWidth, ink.right) << c.width;
  }
}

TEST(ToolBarDrawing, ThickCheckMarksRepeatOnePixelLower) {
  UpdatedPainter painter;
  DibCanvas canvas(20, 20);
  const CRect box(0, 0, 20, 20);
  for (BOOL rightToLeft : {FALSE, TRUE}) {
    painter.m_bThickCheck = FALSE;
    canvas.Fill(kWhite);
    painter.DrawCheckMark(&canvas.dc, box, kInk, rightToLeft);
    Ink thin = FindInk(canvas, 20, 20, kInk);
    EXPECT_EQ(6, thin.left);
    painter.m_bThickCheck = TRUE;
    canvas.Fill(kWhite);
    painter.DrawCheckMark(&canvas.dc, box, kInk, rightToLeft);
    Ink thick = FindInk(canvas, 20, 20, kInk);
    EXPECT_EQ(thin.bottom + 1, thick.bottom) << rightToLeft;
  }
  canvas.Fill(kWhite);
  painter.m_bThickCheck = FALSE;
  painter.DrawCheckMark(&canvas.dc, box, kInk, FALSE);
  EXPECT_EQ(kInk, canvas.Pixel(6, 9));
  EXPECT_EQ(kInk, canvas.Pixel(6, 10));
  painter.DrawCheckMark(&canvas.dc, box, kInk, TRUE);
  EXPECT_EQ(kInk, canvas.Pixel(6, 7));
}

class CaptionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    canvas.Fill(kWhite);
    canvas.dc.SelectObject(&painter.m_regularFont);
    canvas.dc.SetBkMode(TRANSPARENT);
    canvas.dc.SetTextColor(kInk);
    file = canvas.dc.GetTextExtent(CString(L"File"));
  }

  UpdatedPainter painter;
  DibCanvas canvas{120, 40};
  CSize file;
};

TEST_F(CaptionTest, MeasuringStripsMnemonicsAndAllowsForTheArrow) {
  CRect none(0, 0, 0, 0);
  EXPECT_EQ(file, painter.DrawControlText(&canvas.dc, L"&File", none, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE));
  EXPECT_EQ(CSize(file.cx + 10, file.cy),
            painter.DrawControlText(&canvas.dc, L"&File", none, FALSE, FALSE, FALSE, TRUE, FALSE, TRUE));
  EXPECT_EQ(CSize(file.cy, file.cx),
            painter.DrawControlText(&canvas.dc, L"File", none, FALSE, TRUE, FALSE, FALSE, FALSE, TRUE));
  EXPECT_EQ(canvas.dc.GetTextExtent(CString(L" ")),
            painter.DrawControlText(&canvas.dc, L"", none, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE));
  EXPECT_EQ(CSize(0, 0), painter.DrawControlText(&canvas.dc, L"File", CRect(0, 0, 100, 30), TRUE, FALSE, FALSE,
                                                 FALSE, FALSE, TRUE));

  // Beside an icon of a 23 x 22 button, and alone.
  EXPECT_EQ(CSize(23 + 3 + file.cx, std::max(22, static_cast<int>(file.cy) + 6)),
            painter.DrawControlCaption(&canvas.dc, L"File", none, FALSE, FALSE, FALSE, FALSE, 23, 22, TRUE, TRUE));
  EXPECT_EQ(CSize(7 + file.cx, std::max(23, static_cast<int>(file.cy) + 6)),
            painter.DrawControlCaption(&canvas.dc, L"File", none, FALSE, FALSE, FALSE, FALSE, 23, 23, FALSE, TRUE));
  EXPECT_EQ(CSize(std::max(23, static_cast<int>(file.cy) + 6), 23 + 3 + file.cx),
            painter.DrawControlCaption(&canvas.dc, L"File", none, TRUE, FALSE, FALSE, FALSE, 23, 22, TRUE, TRUE));
}

TEST_F(CaptionTest, MnemonicsFollowTheCuesUnlessOverridden) {
  const CRect rect(0, 0, 120, 40);
  painter.DrawControlText(&canvas.dc, L"&File", rect, TRUE, FALSE, FALSE, FALSE, FALSE, TRUE);
  Ink underlined = FindInk(canvas, 120, 40, kInk);
  canvas.Fill(kWhite);
  painter.DrawControlText(&canvas.dc, L"&File", rect, TRUE, FALSE, FALSE, FALSE, FALSE, FALSE);
  Ink plain = FindInk(canvas, 120, 40, kInk);
  EXPECT_GT(underlined.bottom, plain.bottom);
  canvas.Fill(kWhite);
  painter.m_keyboardCues = 0;
  painter.DrawControlText(&canvas.dc, L"&File", rect, TRUE, FALSE, FALSE, FALSE, FALSE, TRUE);
  EXPECT_EQ(plain.bottom, FindInk(canvas, 120, 40, kInk).bottom);
}

TEST_F(CaptionTest, EmbossedTextHasAHighlightOnePixelDownRight) {
  const COLORREF highlight = RGB(250, 200, 50);
  const int index[] = {COLOR_BTNHIGHLIGHT};
  const COLORREF value[] = {highlight};
  painter.SetColors(1, index, value);
  canvas.Fill(RGB(128, 128, 128));
  painter.DrawControlText(&canvas.dc, L"File", CRect(0, 0, 120, 40), TRUE, FALSE, FALSE, FALSE, TRUE, FALSE);
  Ink text = FindInk(canvas, 120, 40, kInk);
  Ink shadow = FindInk(canvas, 120, 40, highlight);
  EXPECT_EQ(text.right + 1, shadow.right);
  EXPECT_EQ(text.bottom + 1, shadow.bottom);
  EXPECT_EQ(kInk, canvas.dc.GetTextColor());
}

}  // namespace
