#include <gtest/gtest.h>

#include "bar_painter.h"
#include "dib_canvas.h"
#include "draw_helpers.h"
#include "test_app.h"

namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kMarker = RGB(1, 2, 3);

int Red(COLORREF c) { return GetRValue(c); }

TEST(GradientPainter, BandColumnsFollowTheMixFormulaAndStopShortOfTheSecondColour) {
  CTkGradientPainter bands(FALSE);
  ASSERT_FALSE(bands.HasGradientFill());
  DibCanvas canvas(4, 4);
  CRect rect(0, 0, 4, 4);
  bands.FillGradient(&canvas.dc, &rect, kBlack, kWhite, TRUE);
  const int expected[4] = {0, 63, 127, 191};
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(RGB(expected[x], expected[x], expected[x]), canvas.Pixel(x, 0)) << x;
    EXPECT_EQ(canvas.Pixel(x, 0), canvas.Pixel(x, 3)) << x;
  }
  bands.FillGradient(&canvas.dc, &rect, kBlack, kWhite, FALSE);
  for (int y = 0; y < 4; ++y) EXPECT_EQ(expected[y], Red(canvas.Pixel(3, y))) << y;
}

TEST(GradientPainter, GradientFillPathRunsFromTheFirstColourUpward) {
  CTkGradientPainter painter;
  ASSERT_TRUE(painter.HasGradientFill());
  DibCanvas canvas(64, 8);
  CRect rect(0, 0, 64, 8);
  painter.FillGradient(&canvas.dc, &rect, kBlack, kWhite, TRUE);
  EXPECT_LE(Red(canvas.Pixel(0, 4)), 8);
  EXPECT_NEAR(128, Red(canvas.Pixel(32, 4)), 8);
  EXPECT_GE(Red(canvas.Pixel(63, 4)), 240);
  for (int x = 1; x < 64; ++x) EXPECT_GE(Red(canvas.Pixel(x, 4)), Red(canvas.Pixel(x - 1, 4))) << x;
  painter.FillGradient(&canvas.dc, &rect, kBlack, kWhite, FALSE);
  EXPECT_EQ(canvas.Pixel(0, 0), canvas.Pixel(63, 0));
  EXPECT_LT(Red(canvas.Pixel(0, 0)), Red(canvas.Pixel(0, 7)));
}

// A memory DC reports the display's depth, so only equal colours show the
// solid fill here.
TEST(GradientPainter, EqualColoursFillSolid) {
  for (BOOL useGradientFill : {FALSE, TRUE}) {
    CTkGradientPainter painter(useGradientFill);
    DibCanvas canvas(8, 2);
    CRect rect(0, 0, 8, 2);
    painter.FillGradient(&canvas.dc, &rect, RGB(10, 20, 30), RGB(10, 20, 30), TRUE);
    EXPECT_EQ(RGB(10, 20, 30), canvas.Pixel(7, 1));
    EXPECT_EQ(RGB(10, 20, 30), canvas.Pixel(0, 0));
  }
  DibCanvas trueColour(1, 1);
  EXPECT_FALSE(IsLowColorDisplay(trueColour.dc.GetSafeHdc()));
}

TEST(GradientPainter, ClippedGradientsDrawOnlyInsideTheClip) {
  CTkGradientPainter bands(FALSE);
  DibCanvas canvas(12, 4);
  CRect rect(0, 0, 8, 4);

  canvas.Fill(kMarker);
  CRect right(9, 0, 12, 4);
  bands.FillGradientClipped(&canvas.dc, &rect, kBlack, kWhite, TRUE, &right);
  for (int x = 0; x < 12; ++x) EXPECT_EQ(kMarker, canvas.Pixel(x, 0)) << x;

  // A clip from column 4 to 6 and rows 1 to 3: the part keeps the colours
  // the whole gradient has there.
  canvas.Fill(kMarker);
  CRect inside(4, 1, 6, 3);
  bands.FillGradientClipped(&canvas.dc, &rect, kBlack, kWhite, TRUE, &inside);
  EXPECT_EQ(kMarker, canvas.Pixel(3, 1));
  EXPECT_EQ(kMarker, canvas.Pixel(6, 1));
  EXPECT_EQ(kMarker, canvas.Pixel(4, 0));
  EXPECT_EQ(kMarker, canvas.Pixel(4, 3));
  EXPECT_EQ(CTkGradientPainter::MixColors(kBlack, kWhite, 0.5f), canvas.Pixel(4, 1));
  EXPECT_GT(Red(canvas.Pixel(5, 2)), Red(canvas.Pixel(4, 2)));
}

TEST(GradientPainter, GradientColourWithAFactorMeetsAtTheMiddleColour) {
  CTkGradientPainter bands(FALSE);
  DibCanvas canvas(8, 1);
  CRect rect(0, 0, 8, 1);
  CTkGradientColor color;
  color.SetColors(kBlack, kWhite, 0.25f);
  bands.FillGradientColor(&canvas.dc, &rect, color, TRUE);
  COLORREF middle = CTkGradientPainter::MixColors(kBlack, kWhite, 0.25f);
  EXPECT_EQ(kBlack, canvas.Pixel(0, 0));
  EXPECT_EQ(middle, canvas.Pixel(4, 0));
}

TEST(GradientPainter, MixAndBlendTruncate) {
  EXPECT_EQ(RGB(63, 63, 255), CTkGradientPainter::MixColors(RGB(0, 0, 255), RGB(255, 255, 255), 0.75f));
  EXPECT_EQ(RGB(255, 0, 0), CTkGradientPainter::MixColors(RGB(200, 0, 0), RGB(255, 0, 0), -1.0f));
  DibCanvas canvas(2, 1);
  canvas.dc.SetPixel(0, 0, RGB(10, 101, 0));
  canvas.dc.SetPixel(1, 0, RGB(20, 0, 255));
  const int pairs[4] = {0, 0, 1, 0};
  CTkGradientPainter::BlendPixelPairs(&canvas.dc, pairs, 1);
  EXPECT_EQ(RGB(15, 50, 127), canvas.Pixel(0, 0));
  EXPECT_EQ(RGB(20, 0, 255), canvas.Pixel(1, 0));
}

TEST(Mnemonics, StripAndRemoveFollowTheirOwnRules) {
  struct Case {
    const wchar_t* text;
    const wchar_t* stripped;
    const wchar_t* marksRemoved;
  };
  const Case cases[] = {
      {L"&File", L"File", L"File"},     {L"a&&b", L"a&b", L"a&&b"},  {L"x&", L"x", L"x&"},
      {L"Save &As", L"Save As", L"Save As"}, {L"&&&x", L"&&x", L"&&x"}, {L"", L"", L""},
      {L"&", L"", L"&"},                 {L"a&b&c", L"abc", L"abc"},
  };
  for (const Case& c : cases) {
    CString stripped(c.text);
    StripMnemonics(stripped);
    EXPECT_STREQ(c.stripped, stripped) << c.text;
    CString removed(c.text);
    RemoveMnemonicMarks(removed);
    EXPECT_STREQ(c.marksRemoved, removed) << c.text;
  }
}

TEST(ScopedGdi, SelectorsRestoreTheDeviceContext) {
  DibCanvas canvas(4, 4);
  HDC hDC = canvas.dc.GetSafeHdc();
  HGDIOBJ pen = ::GetCurrentObject(hDC, OBJ_PEN);
  HGDIOBJ brush = ::GetCurrentObject(hDC, OBJ_BRUSH);
  HGDIOBJ font = ::GetCurrentObject(hDC, OBJ_FONT);
  {
    CTkPenSelector penSelector(hDC, RGB(255, 0, 0));
    CTkBrushSelector brushSelector(hDC, RGB(0, 255, 0));
    EXPECT_NE(pen, ::GetCurrentObject(hDC, OBJ_PEN));
    penSelector.SetColor(RGB(0, 0, 255));
    EXPECT_EQ(RGB(0, 0, 255), penSelector.GetColor());
    brushSelector.SetColor(RGB(0, 0, 255));
    LOGBRUSH logBrush = {};
    ::GetObjectW(::GetCurrentObject(hDC, OBJ_BRUSH), sizeof logBrush, &logBrush);
    EXPECT_EQ(RGB(0, 0, 255), logBrush.lbColor);
    CFont other;
    other.CreateStockObject(ANSI_FIXED_FONT);
    CTkFontSelector fontSelector(&canvas.dc, &other);
    EXPECT_EQ(other.GetSafeHandle(), ::GetCurrentObject(hDC, OBJ_FONT));
    CTkObjectSelector objectSelector(hDC, ::GetStockObject(NULL_BRUSH));
  }
  EXPECT_EQ(pen, ::GetCurrentObject(hDC, OBJ_PEN));
  EXPECT_EQ(brush, ::GetCurrentObject(hDC, OBJ_BRUSH));
  EXPECT_EQ(font, ::GetCurrentObject(hDC, OBJ_FONT));
}

TEST(ScopedGdi, OffscreenAndMemDcCopyTheirRectangleBack) {
  DibCanvas canvas(10, 10);
  canvas.Fill(kMarker);
  {
    CTkOffscreenDC offscreen(canvas.dc.GetSafeHdc(), 2, 2, 6, 6);
    offscreen.FillSolidRect(0, 0, 10, 10, RGB(200, 0, 0));
  }
  EXPECT_EQ(RGB(200, 0, 0), canvas.Pixel(2, 2));
  EXPECT_EQ(RGB(200, 0, 0), canvas.Pixel(5, 5));
  EXPECT_EQ(kMarker, canvas.Pixel(6, 6));
  EXPECT_EQ(kMarker, canvas.Pixel(1, 1));

  canvas.Fill(kMarker);
  {
    CTkGradientColor background(RGB(0, 90, 0));
    CTkMemDC memory(&canvas.dc, CRect(4, 4, 8, 8), background);
    ASSERT_TRUE(memory.IsValid());
    EXPECT_TRUE(memory.IsKindOf(RUNTIME_CLASS(CDC)));
    memory.SetPixel(0, 0, RGB(0, 0, 200));  // the rectangle's top-left
  }
  EXPECT_EQ(RGB(0, 0, 200), canvas.Pixel(4, 4));
  EXPECT_EQ(RGB(0, 90, 0), canvas.Pixel(7, 7));
  EXPECT_EQ(kMarker, canvas.Pixel(3, 3));
  EXPECT_EQ(kMarker, canvas.Pixel(8, 8));
}

TEST(ScopedGdi, WindowRectanglesAreEmptyWithoutAWindow) {
  EXPECT_TRUE(CTkScreenBounds(static_cast<HWND>(nullptr)).IsRectEmpty());
  EXPECT_TRUE(CTkClientBounds(static_cast<HWND>(nullptr)).IsRectEmpty());
  EXPECT_TRUE(CTkZeroRect().IsRectEmpty());
}

TEST(DrawHelpers, HalftoneAlternatesFaceAndHighlightAndRestoresColours) {
  DibCanvas canvas(4, 2);
  canvas.dc.SetBkColor(kMarker);
  CRect rect(0, 0, 4, 2);
  FillHalftoneRect(&canvas.dc, &rect);
  COLORREF face = GetColorScheme()->GetColor(COLOR_BTNFACE);
  COLORREF highlight = GetColorScheme()->GetColor(COLOR_BTNHIGHLIGHT);
  EXPECT_NE(canvas.Pixel(0, 0), canvas.Pixel(1, 0));
  EXPECT_EQ(canvas.Pixel(0, 0), canvas.Pixel(1, 1));
  for (int x = 0; x < 2; ++x) {
    COLORREF pixel = canvas.Pixel(x, 0);
    EXPECT_TRUE(pixel == face || pixel == highlight);
  }
  EXPECT_EQ(kMarker, canvas.dc.GetBkColor());
}

TEST(DrawHelpers, IconFromBitmapUsesTheTopLeftPixelAsTransparent) {
  EXPECT_EQ(nullptr, CTkBitmapIconMaker(nullptr).MakeIcon());
  HDC screen = ::GetDC(nullptr);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 16);
  ::ReleaseDC(nullptr, screen);
  {
    CTkMemoryBitmapDC paint(nullptr, bitmap);
    paint.FillSolidRect(0, 0, 16, 16, RGB(255, 0, 255));
    paint.FillSolidRect(4, 4, 8, 8, RGB(0, 0, 255));
  }
  HICON icon = CTkBitmapIconMaker(bitmap).MakeIcon();
  ::DeleteObject(bitmap);
  ASSERT_NE(nullptr, icon);
  ICONINFO info = {};
  ASSERT_TRUE(::GetIconInfo(icon, &info));
  BITMAP mask = {};
  ::GetObjectW(info.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(16, mask.bmWidth);
  CDC maskDC;
  maskDC.Attach(::CreateCompatibleDC(nullptr));
  HGDIOBJ previous = ::SelectObject(maskDC.GetSafeHdc(), info.hbmMask);
  EXPECT_EQ(kWhite, maskDC.GetPixel(0, 0));  // transparent
  EXPECT_EQ(kBlack, maskDC.GetPixel(8, 8));
  ::SelectObject(maskDC.GetSafeHdc(), previous);
  ::DeleteObject(info.hbmMask);
  ::DeleteObject(info.hbmColor);
  ::DestroyIcon(icon);
}

TEST(DrawHelpers, WorkAreaOutsideEveryMonitorIsThePrimaryOne) {
  CRect primary;
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0);
  EXPECT_EQ(primary, FindWorkAreaOfPoint(CPoint(-30000, -30000)));
  EXPECT_EQ(primary, FindWorkAreaOfRect(CRect(-30000, -30000, -29990, -29990)));
  EXPECT_FALSE(FindWorkAreaOfPoint(CPoint(1, 1)).IsRectEmpty());
}

TEST(DrawHelpers, ArrowKeysSwapOnlyInRightToLeftWindows) {
  HWND leftToRight = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HWND rightToLeft =
      ::CreateWindowExW(WS_EX_LAYOUTRTL, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  UINT key = VK_LEFT;
  MirrorArrowKey(leftToRight, key);
  EXPECT_EQ(static_cast<UINT>(VK_LEFT), key);
  MirrorArrowKey(rightToLeft, key);
  EXPECT_EQ(static_cast<UINT>(VK_RIGHT), key);
  MirrorArrowKey(rightToLeft, key);
  EXPECT_EQ(static_cast<UINT>(VK_LEFT), key);
  key = VK_UP;
  MirrorArrowKey(rightToLeft, key);
  EXPECT_EQ(static_cast<UINT>(VK_UP), key);
  ::DestroyWindow(leftToRight);
  ::DestroyWindow(rightToLeft);
}

class DragLineTrackerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, nullptr, nullptr,
                               nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    PumpPending();
  }
  void TearDown() override { ::DestroyWindow(window); }
  void PostMove(int clientX, int clientY) {
    ::PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(clientX, clientY));
  }

  HWND window = nullptr;
};

TEST_F(DragLineTrackerTest, EscapeCancelsAndLeavesTheLineWhereItWas) {
  CRect line(150, 100, 154, 200);
  const CRect original = line;
  PostMove(80, 10);
  ::PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
  CTkDragLineTracker tracker;
  EXPECT_FALSE(tracker.Track(CWnd::FromHandle(window), CRect(100, 0, 300, 0), line, CPoint(150, 150), TRUE));
  EXPECT_NE(original, line);  // it followed the mouse before Escape
  EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(DragLineTrackerTest, ButtonUpAcceptsTheLastClampedPosition) {
  struct Case {
    int clientX;
    int expectedLeft;
  };
  // Start at screen x 150 with the line at 152: an offset of 2.
  const Case cases[] = {{60, 162}, {-90, 110}, {190, 242}};
  for (const Case& c : cases) {
    CRect line(152, 100, 156, 200);
    PostMove(c.clientX, 10);
    ::PostMessageW(window, WM_LBUTTONUP, 0, 0);
    CTkDragLineTracker tracker(TRUE);
    EXPECT_TRUE(tracker.Track(CWnd::FromHandle(window), CRect(110, 0, 242, 0), line, CPoint(150, 150), TRUE));
    EXPECT_EQ(c.expectedLeft, line.left) << c.clientX;
    EXPECT_EQ(4, line.Width());
    EXPECT_EQ(100, line.top);
  }
}

TEST_F(DragLineTrackerTest, VerticalDragsMoveAlongY) {
  CRect line(100, 130, 300, 134);
  PostMove(5, 50);  // screen y 150
  ::PostMessageW(window, WM_LBUTTONUP, 0, 0);
  CTkDragLineTracker tracker;
  EXPECT_TRUE(tracker.Track(CWnd::FromHandle(window), CRect(0, 0, 0, 400), line, CPoint(120, 120), FALSE));
  EXPECT_EQ(160, line.top);
  EXPECT_EQ(100, line.left);
}

}  // namespace
