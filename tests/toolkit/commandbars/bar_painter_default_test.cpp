// The classic look drawn on a DIB canvas, and the placement rules of popups.
#include <gtest/gtest.h>

#include <string>

#include "bar_painter_default.h"
#include "dib_canvas.h"
#include "draw_helpers.h"
#include "icon_fixtures.h"
#include "icon_image.h"
#include "popup_bar.h"

namespace {

const COLORREF kCanvas = RGB(1, 2, 3);

// The default look, made by name as the program makes it.
CTkBarPainterDefault* MakeDefaultLook() {
  CTkBarPainter* painter = CreateBarPainter(0);
  if (painter == nullptr) return nullptr;
  painter->UpdateFontsAndColors();
  return static_cast<CTkBarPainterDefault*>(painter);
}

TEST(BarLooks, TheProgramCarriesTheLooksItMakesByNumber) {
  struct Case {
    int theme;
    const char* className;
  };
  const Case cases[] = {{0, "CTkBarPainterDefault"}, {5, "CTkBarPainterDefault"}, {-1, "CTkBarPainterDefault"},
                        {1, "CTkBarPainterTheme1"},  {2, "CTkBarPainterTheme2"},  {3, "CTkBarPainterNative"},
                        {4, "CTkBarPainterTheme4"}};
  for (const Case& c : cases) {
    CTkBarPainter* painter = CreateBarPainter(c.theme);
    ASSERT_NE(nullptr, painter) << c.theme;
    EXPECT_STREQ(c.className, painter->GetRuntimeClass()->m_lpszClassName) << c.theme;
    painter->InternalRelease();
  }
}

class DefaultLookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    look = MakeDefaultLook();
    ASSERT_NE(nullptr, look);
    face = look->GetColor(COLOR_BTNFACE);
    shadow = look->GetColor(COLOR_BTNSHADOW);
    light = look->GetColor(COLOR_BTNHIGHLIGHT);
  }
  void TearDown() override {
    if (look != nullptr) look->InternalRelease();
  }
  CTkBarPainterDefault* look = nullptr;
  COLORREF face = 0;
  COLORREF shadow = 0;
  COLORREF light = 0;
};

TEST_F(DefaultLookTest, ControlFramesByState) {
  enum Frame { kNone, kRaised, kSunken };
  struct Case {
    const char* name;
    BOOL enabled, checked;
    int selected, pressed;
    BOOL popupOpen;
    Frame frame;
    bool dither;
  };
  const Case cases[] = {
      {"disabled checked", FALSE, TRUE, 0, 0, FALSE, kSunken, false},
      {"disabled keyboard-selected", FALSE, FALSE, 2, 0, FALSE, kSunken, false},
      {"disabled plain", FALSE, FALSE, 1, 0, FALSE, kNone, false},
      {"checked under the mouse", TRUE, TRUE, 1, 0, FALSE, kSunken, false},
      {"checked at rest", TRUE, TRUE, 0, 0, FALSE, kSunken, true},
      {"popup open", TRUE, FALSE, 0, 0, TRUE, kSunken, false},
      {"running", TRUE, FALSE, 0, 2, FALSE, kSunken, false},
      {"pressed under the mouse", TRUE, FALSE, 1, 1, FALSE, kSunken, false},
      {"hot", TRUE, FALSE, 1, 0, FALSE, kRaised, false},
      {"pressed, mouse away", TRUE, FALSE, 0, 1, FALSE, kRaised, false},
      {"at rest", TRUE, FALSE, 0, 0, FALSE, kNone, false},
  };
  for (const Case& c : cases) {
    DibCanvas canvas(20, 20);
    canvas.Fill(kCanvas);
    look->DrawControlFrame(&canvas.dc, CRect(0, 0, 20, 20), c.selected, c.pressed, c.enabled, c.checked, c.popupOpen,
                           TRUE, kBarTop);
    const COLORREF topLeft = c.frame == kNone ? kCanvas : c.frame == kRaised ? light : shadow;
    const COLORREF bottomRight = c.frame == kNone ? kCanvas : c.frame == kRaised ? shadow : light;
    EXPECT_EQ(topLeft, canvas.Pixel(0, 5)) << c.name;
    EXPECT_EQ(bottomRight, canvas.Pixel(19, 5)) << c.name;
    const bool dithered = canvas.Pixel(5, 5) != canvas.Pixel(6, 5) && canvas.Pixel(5, 5) != kCanvas;
    EXPECT_EQ(c.dither, dithered) << c.name;
  }
}

TEST_F(DefaultLookTest, IconImagesByState) {
  const COLORREF red = RGB(200, 0, 0);
  const COLORREF green = RGB(0, 200, 0);
  const COLORREF blue = RGB(0, 0, 200);
  CTkImageIcon icon(1, 16, 16, static_cast<CTkImageIconSet*>(nullptr));
  icon.SetNormalImage(CTkIconHandle(MakeSolidIcon(16, 16, red)));
  icon.SetHotImage(CTkIconHandle(MakeSolidIcon(16, 16, green)));
  icon.SetCheckedImage(CTkIconHandle(MakeSolidIcon(16, 16, blue)));
  struct Case {
    const char* name;
    BOOL selected, pressed, enabled, checked, popupOpen;
    COLORREF color;
    int offset;
  };
  const Case cases[] = {
      {"at rest", FALSE, FALSE, TRUE, FALSE, FALSE, red, 0},
      {"hot", TRUE, FALSE, TRUE, FALSE, FALSE, green, 0},
      {"pressed under the mouse", TRUE, TRUE, TRUE, FALSE, FALSE, green, 1},
      {"checked", FALSE, FALSE, TRUE, TRUE, FALSE, blue, 0},
      {"popup open", TRUE, FALSE, TRUE, FALSE, TRUE, red, 0},
      {"disabled", FALSE, FALSE, FALSE, FALSE, FALSE, shadow, 0},
  };
  for (const Case& c : cases) {
    DibCanvas canvas(24, 24);
    canvas.Fill(kCanvas);
    look->DrawControlIcon(&canvas.dc, 4, 4, 16, 16, &icon, c.selected, c.pressed, c.enabled, c.checked, c.popupOpen,
                          TRUE);
    EXPECT_EQ(c.color, canvas.Pixel(10, 10)) << c.name;
    EXPECT_EQ(c.offset == 0 ? c.color : kCanvas, canvas.Pixel(4, 4)) << c.name;
  }
  // The disabled silhouette: the highlight one pixel right and down.
  DibCanvas canvas(24, 24);
  canvas.Fill(kCanvas);
  look->DrawControlIcon(&canvas.dc, 4, 4, 16, 16, &icon, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE);
  EXPECT_EQ(light, canvas.Pixel(20, 20));
}

TEST_F(DefaultLookTest, GrippersAndSeparatorsHaveTheirSizes) {
  DibCanvas canvas(40, 40);
  for (int height : {17, 18, 24}) {
    look->m_controlHeight = height;
    EXPECT_EQ(height >= 18 ? height + 4 : 22, look->DrawFixedGripper(&canvas.dc, FALSE).cy) << height;
  }
  CTkCommandBar bar;
  CTkPopupBar popup;
  CTkControl* onBar = bar.GetControls()->Add(kControlButton, 100);
  CTkControl* inPopup = popup.GetControls()->Add(kControlButton, 100);
  EXPECT_EQ(CSize(6, 6), look->DrawSeparator(&canvas.dc, &bar, onBar, FALSE));
  EXPECT_EQ(CSize(8, 8), look->DrawSeparator(&canvas.dc, &popup, inPopup, FALSE));
  EXPECT_EQ(CRect(3, 3, 3, 3), look->GetCommandBarBorders(&popup));
  EXPECT_EQ(CRect(2, 2, 2, 2), look->GetCommandBarBorders(&bar));
}

// A button in a popup bar with a caption, measured and drawn as a menu row.
class MenuRowTest : public DefaultLookTest {
 protected:
  void SetUp() override {
    DefaultLookTest::SetUp();
    look->m_controlHeight = 10;
    popup.SetIconSize(CSize(16, 16));
    control = popup.GetControls()->Add(kControlButton, 100);
    control->SetCaption(L"Open");
  }
  int CaptionWidth(CDC* pDC) { return pDC->GetTextExtent(CString(L"Open")).cx; }
  CTkPopupBar popup;
  CTkControl* control = nullptr;
};

TEST_F(MenuRowTest, RowWidthCountsTheColumnsAndTheShortcut) {
  DibCanvas canvas(300, 30);
  CTkFontSelector font(&canvas.dc, &look->m_regularFont);
  // A control height of 10 and 16-pixel icons give a 20-pixel column.
  const CSize one = look->DrawControlInPopupBar(&canvas.dc, control, FALSE);
  EXPECT_EQ(CaptionWidth(&canvas.dc) + 20 + 40, one.cx);
  EXPECT_EQ(20, one.cy);
  popup.SetDoubleGripper(TRUE);
  EXPECT_EQ(CaptionWidth(&canvas.dc) + 40 + 40, look->DrawControlInPopupBar(&canvas.dc, control, FALSE).cx);
  popup.SetDoubleGripper(FALSE);
  control->SetShortcutText(L"Ctrl+O");
  const int shortcut = canvas.dc.GetTextExtent(CString(L"Ctrl+O")).cx;
  EXPECT_EQ(CaptionWidth(&canvas.dc) + shortcut + 20 + 40, look->DrawControlInPopupBar(&canvas.dc, control, FALSE).cx);
}

TEST_F(MenuRowTest, ShortcutEndsNineteenPixelsFromTheRightAndSplitLineSitsAtRightMinusTwenty) {
  DibCanvas canvas(200, 20);
  canvas.Fill(kCanvas);
  CTkFontSelector font(&canvas.dc, &look->m_regularFont);
  control->SetShortcutText(L"F3");
  control->SetControlRect(CRect(0, 0, 200, 20));
  look->DrawControlInPopupBar(&canvas.dc, control, TRUE);
  int rightmost = -1;
  for (int x = 0; x < 200; ++x)
    for (int y = 0; y < 20; ++y)
      if (canvas.Pixel(x, y) != kCanvas) rightmost = std::max(rightmost, x);
  EXPECT_LE(rightmost, 200 - 19);
  EXPECT_GE(rightmost, 200 - 19 - 3);

  CTkControl* split = popup.GetControls()->Add(kControlSplitButtonPopup, 101);
  split->SetCaption(L"Send");
  split->SetControlRect(CRect(0, 0, 200, 20));
  canvas.Fill(kCanvas);
  look->DrawControlInPopupBar(&canvas.dc, split, TRUE);
  const COLORREF text = look->GetColor(COLOR_BTNTEXT);
  EXPECT_EQ(text, canvas.Pixel(180, 10));
  EXPECT_EQ(kCanvas, canvas.Pixel(179, 10));
  EXPECT_EQ(kCanvas, canvas.Pixel(181, 10));
  // The submenu arrow: a triangle 3 pixels deep at right - 11.
  EXPECT_EQ(text, canvas.Pixel(189, 10));
}

TEST_F(MenuRowTest, CheckedAndSelectedRowsFrameTheColumnAndHighlightTheRest) {
  DibCanvas canvas(200, 20);
  canvas.Fill(kCanvas);
  control->SetControlRect(CRect(0, 0, 200, 20));
  control->SetChecked(TRUE);
  control->SetSelected(1);
  look->DrawControlInPopupBar(&canvas.dc, control, TRUE);
  EXPECT_EQ(shadow, canvas.Pixel(0, 10));      // the column's sunken frame
  EXPECT_EQ(kCanvas, canvas.Pixel(20, 10));    // one pixel between column and highlight
  EXPECT_EQ(look->GetColor(COLOR_HIGHLIGHT), canvas.Pixel(21, 2));
  control->SetChecked(FALSE);
  control->SetSelected(0);
  control->SetRarelyUsed(TRUE);
  look->DrawControlInPopupBar(&canvas.dc, control, TRUE);
  EXPECT_EQ(look->GetColor(COLOR_3DLIGHT), canvas.Pixel(100, 1));
}

TEST(PopupPlacement, RulesOverTheWorkArea) {
  const CRect work(0, 0, 1000, 800);
  const int limit = 795;
  struct Case {
    const char* name;
    CRect exclusion;
    CPoint origin;
    int direction;
    CSize size;
    CRect expected;
    int direction2;
    bool shortened;
  };
  const Case cases[] = {
      {"below the item", CRect(100, 100, 160, 120), CPoint(100, 120), kPopupDown, CSize(200, 300),
       CRect(100, 120, 300, 420), kPopupDown, false},
      {"above when there is no room below", CRect(100, 700, 160, 720), CPoint(100, 720), kPopupDown,
       CSize(200, 300), CRect(100, 400, 300, 700), kPopupDown, false},
      {"shortened below, more room there", CRect(100, 300, 160, 320), CPoint(100, 320), kPopupDown,
       CSize(200, 600), CRect(100, 320, 300, limit), kPopupDown, true},
      {"shortened above, more room there", CRect(100, 500, 160, 520), CPoint(100, 520), kPopupDown,
       CSize(200, 600), CRect(100, 0, 300, 500), kPopupDown, true},
      {"beside the item", CRect(100, 100, 300, 120), CPoint(300, 100), 0, CSize(200, 300),
       CRect(300, 100, 500, 400), 0, false},
      {"flipped left near the right edge", CRect(700, 100, 900, 120), CPoint(900, 100), 0, CSize(200, 300),
       CRect(500, 100, 700, 400), kPopupLeft, false},
      {"a child of a left-opening popup opens left", CRect(500, 130, 700, 150), CPoint(700, 130), kPopupLeft,
       CSize(200, 300), CRect(300, 130, 500, 430), kPopupLeft, false},
      {"a point near the right edge", CRect(0, 0, 0, 0), CPoint(950, 100), kPopupDown, CSize(200, 300),
       CRect(800, 100, 1000, 400), kPopupDown, false},
      {"a left-opening point past the left edge", CRect(0, 0, 0, 0), CPoint(50, 100), kPopupLeft | kPopupDown,
       CSize(200, 300), CRect(0, 100, 200, 400), kPopupDown, false},
      {"a point low on the screen opens upward", CRect(0, 0, 0, 0), CPoint(100, 700), kPopupDown, CSize(200, 300),
       CRect(100, 400, 300, 700), kPopupDown, false},
      {"taller than the work area", CRect(0, 0, 0, 0), CPoint(100, 100), kPopupDown, CSize(200, 1000),
       CRect(100, 0, 300, limit), kPopupDown, true},
  };
  for (const Case& c : cases) {
    const PopupPlacement placement = PlacePopup(work, c.exclusion, c.origin, c.direction, c.size);
    EXPECT_EQ(c.expected, placement.rect) << c.name;
    EXPECT_EQ(c.direction2, placement.direction) << c.name;
    EXPECT_EQ(c.shortened, static_cast<bool>(placement.shortened)) << c.name;
  }
}

}  // namespace
