// The flat and gradient looks drawn on DIB canvases: frames by state, menu
// columns, grippers, tear-off strips, the scheme palettes and the docked
// tool bar's gradient body.
#include <gtest/gtest.h>

#include <cstdlib>

#include "bar_painter_theme1.h"
#include "bar_painter_theme2.h"
#include "corner_pixels.h"
#include "dib_canvas.h"
#include "draw_helpers.h"
#include "popup_bar.h"
#include "test_app.h"

namespace {

const COLORREF kCanvas = RGB(1, 2, 3);

template <class Look>
Look* MakeLook(int theme) {
  CTkBarPainter* painter = CreateBarPainter(theme);
  if (painter == nullptr) return nullptr;
  painter->UpdateFontsAndColors();
  return static_cast<Look*>(painter);
}

// Gradients reach their end colours only at the ends: one row in they are close.
bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 8 && std::abs(GetGValue(a) - GetGValue(b)) <= 8 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 8;
}

// Releases a painter at the end of a scope.
struct Release {
  CTkBarPainter* painter;
  ~Release() {
    if (painter != nullptr) painter->InternalRelease();
  }
};

TEST(FlatLook, ControlFramesByState) {
  CTkBarPainterTheme1* look = MakeLook<CTkBarPainterTheme1>(1);
  ASSERT_NE(nullptr, look);
  Release release{look};
  EXPECT_TRUE(look->HasPopupShadow());
  struct Case {
    const char* name;
    BOOL enabled, checked;
    int selected, pressed;
    BOOL popupOpen;
    int position;
    int border, fill;  // -1: nothing painted
  };
  const Case cases[] = {
      {"disabled keyboard-selected in a menu", FALSE, FALSE, 2, 0, FALSE, kBarPopupPosition, 32, 41},
      {"disabled keyboard-selected checked", FALSE, TRUE, 2, 0, FALSE, kBarTop, 32, 33},
      {"disabled keyboard-selected", FALSE, FALSE, 2, 0, FALSE, kBarTop, 32, 31},
      {"disabled checked menu item", FALSE, TRUE, 0, 0, FALSE, kBarPopupPosition, 58, -1},
      {"disabled checked button", FALSE, TRUE, 0, 0, FALSE, kBarTop, 58, 36},
      {"disabled plain", FALSE, FALSE, 1, 0, FALSE, kBarTop, -1, -1},
      {"popup open", TRUE, FALSE, 1, 0, TRUE, kBarTop, 43, 30},
      {"checked at rest", TRUE, TRUE, 0, 0, FALSE, kBarTop, 50, 36},
      {"checked under the mouse", TRUE, TRUE, 1, 0, FALSE, kBarTop, 37, 33},
      {"checked and pressed", TRUE, TRUE, 1, 1, FALSE, kBarTop, 50, 33},
      {"running", TRUE, FALSE, 0, 2, FALSE, kBarTop, 50, 33},
      {"hot", TRUE, FALSE, 1, 0, FALSE, kBarTop, 32, 31},
      {"pressed, mouse away", TRUE, FALSE, 0, 1, FALSE, kBarTop, 32, 31},
      {"at rest", TRUE, FALSE, 0, 0, FALSE, kBarTop, -1, -1},
  };
  for (const Case& c : cases) {
    DibCanvas canvas(20, 20);
    canvas.Fill(kCanvas);
    look->DrawControlFrame(&canvas.dc, CRect(0, 0, 20, 20), c.selected, c.pressed, c.enabled, c.checked,
                           c.popupOpen, TRUE, c.position);
    EXPECT_EQ(c.border < 0 ? kCanvas : look->GetColor(c.border), canvas.Pixel(0, 5)) << c.name;
    EXPECT_EQ(c.border < 0 ? kCanvas : look->GetColor(c.border), canvas.Pixel(19, 19)) << c.name;
    EXPECT_EQ(c.fill < 0 ? kCanvas : look->GetColor(c.fill), canvas.Pixel(8, 8)) << c.name;
  }
}

TEST(FlatLook, MenuColumnsGrippersAndSeparatorsHaveTheirSizes) {
  CTkBarPainterTheme1* look = MakeLook<CTkBarPainterTheme1>(1);
  ASSERT_NE(nullptr, look);
  Release release{look};
  CTkPopupBar popup;
  popup.SetIconSize(CSize(16, 16));
  look->m_controlHeight = 22;
  EXPECT_EQ(27, look->GetIconColumnWidth(&popup));
  popup.SetDoubleGripper(TRUE);
  EXPECT_EQ(53, look->GetIconColumnWidth(&popup));
  popup.SetDoubleGripper(FALSE);

  // A fixed gripper: the larger of control height + 4 and 22, dashes every
  // other row from 6 while below the height - 2.
  look->m_controlHeight = 16;
  DibCanvas canvas(10, 40);
  canvas.Fill(kCanvas);
  EXPECT_EQ(CSize(6, 22), look->DrawFixedGripper(&canvas.dc, TRUE));
  const COLORREF dash = look->GetColor(38);
  for (int y = 0; y < 24; ++y) {
    const bool dashed = y >= 6 && y <= 18 && y % 2 == 0;
    EXPECT_EQ(dashed ? dash : kCanvas, canvas.Pixel(4, y)) << y;
  }
  look->m_controlHeight = 24;
  EXPECT_EQ(28, look->DrawFixedGripper(&canvas.dc, FALSE).cy);

  CTkCommandBar bar;
  CTkControl* onBar = bar.GetControls()->Add(kControlButton, 100);
  CTkControl* inPopup = popup.GetControls()->Add(kControlButton, 100);
  EXPECT_EQ(CSize(6, 6), look->DrawSeparator(&canvas.dc, &bar, onBar, FALSE));
  EXPECT_EQ(CSize(3, 3), look->DrawSeparator(&canvas.dc, &popup, inPopup, FALSE));

  // Popup rows are widened by a pixel, tool-bar buttons lose one on top and bottom.
  CRect rect(10, 10, 30, 30);
  look->AdjustControlRect(rect, inPopup, TRUE);
  EXPECT_EQ(CRect(9, 10, 31, 30), rect);
  rect = CRect(10, 10, 30, 30);
  look->AdjustControlRect(rect, onBar, FALSE);
  EXPECT_EQ(CRect(10, 11, 30, 29), rect);
}

TEST(FlatLook, TearOffLinesReachByTheStripWidth) {
  CTkBarPainterTheme1* look = MakeLook<CTkBarPainterTheme1>(1);
  ASSERT_NE(nullptr, look);
  Release release{look};
  struct Case {
    int width;
    int reach;  // 0: no lines
  };
  const Case cases[] = {{40, 10}, {60, 16}, {20, 0}};
  for (const Case& c : cases) {
    DibCanvas canvas(c.width + 4, 12);
    canvas.Fill(kCanvas);
    EXPECT_EQ(CSize(0, 9), look->DrawTearOffStrip(&canvas.dc, CRect(0, 0, c.width, 9), FALSE, TRUE));
    // The inner strip runs from 2 to the width; its centre holds the lines.
    const int centre = (2 + c.width) / 2;
    const COLORREF line = look->GetColor(38);
    const COLORREF face = look->GetColor(30);
    if (c.reach == 0) {
      EXPECT_EQ(face, canvas.Pixel(centre, 3)) << c.width;
      continue;
    }
    for (int y : {3, 5, 7}) {
      EXPECT_EQ(line, canvas.Pixel(centre - c.reach, y)) << c.width << " " << y;
      EXPECT_EQ(line, canvas.Pixel(centre + c.reach - 1, y)) << c.width << " " << y;
      EXPECT_EQ(face, canvas.Pixel(centre - c.reach - 1, y)) << c.width << " " << y;
      EXPECT_EQ(face, canvas.Pixel(centre + c.reach, y)) << c.width << " " << y;
    }
    EXPECT_EQ(face, canvas.Pixel(centre, 4)) << c.width;
  }
}

TEST(FlatLook, MenuRowsAreFramedWhenSelectedAndCheckedBoxesSitInTheColumn) {
  CTkBarPainterTheme1* look = MakeLook<CTkBarPainterTheme1>(1);
  ASSERT_NE(nullptr, look);
  Release release{look};
  look->m_controlHeight = 22;
  CTkPopupBar popup;
  popup.SetIconSize(CSize(16, 16));
  CTkControl* control = popup.GetControls()->Add(kControlButton, 100);
  control->SetCaption(L"Open");
  control->SetControlRect(CRect(0, 0, 200, 22));
  control->SetSelected(1);
  control->SetChecked(TRUE);
  DibCanvas canvas(200, 22);
  canvas.Fill(kCanvas);
  CTkFontSelector font(&canvas.dc, &look->m_regularFont);
  EXPECT_EQ(22, look->DrawControlInPopupBar(&canvas.dc, control, FALSE).cy);
  look->DrawControlInPopupBar(&canvas.dc, control, TRUE);
  EXPECT_EQ(look->GetColor(32), canvas.Pixel(0, 11));    // the selected row's frame
  EXPECT_EQ(look->GetColor(31), canvas.Pixel(150, 2));   // and fill
  // A 20 x 20 check box centred in the 26-pixel column, framed 37 (checked and hot).
  EXPECT_EQ(look->GetColor(37), canvas.Pixel(3, 11));
  EXPECT_EQ(look->GetColor(33), canvas.Pixel(4, 2));
  EXPECT_EQ(look->GetColor(45), canvas.dc.GetTextColor());
}

TEST(GradientLook, GrippersAndBordersHaveTheirSizes) {
  CTkBarPainterTheme2* look = MakeLook<CTkBarPainterTheme2>(2);
  ASSERT_NE(nullptr, look);
  Release release{look};
  EXPECT_EQ(2, look->GetThemeFamily());
  DibCanvas canvas(10, 40);
  struct Case {
    int controlHeight, height;
  };
  for (const Case& c : {Case{16, 25}, Case{22, 28}}) {
    look->m_controlHeight = c.controlHeight;
    EXPECT_EQ(CSize(8, c.height), look->DrawFixedGripper(&canvas.dc, FALSE)) << c.controlHeight;
  }
  CTkCommandBar toolBar;
  toolBar.SetPosition(kBarTop);
  EXPECT_EQ(CRect(4, 2, 2, 2), look->GetCommandBarBorders(&toolBar));
  toolBar.SetPosition(kBarLeft);
  EXPECT_EQ(CRect(2, 2, 2, 2), look->GetCommandBarBorders(&toolBar));

  // The tool-bar expand button: 12 pixels at the bar's end, across on
  // vertical bars and popups; the popup expand button is 18 high.
  CTkControl* expand = toolBar.GetControls()->Add(kControlButton, 9400);
  struct Place {
    int position;
    CRect rect;
  };
  for (const Place& p : {Place{kBarTop, CRect(88, 1, 100, 24)}, Place{kBarFloating, CRect(88, 1, 100, 24)},
                         Place{kBarLeft, CRect(0, 12, 100, 24)}, Place{kBarPopupPosition, CRect(0, 12, 100, 24)}}) {
    toolBar.SetPosition(p.position);
    CSize barSize(100, 24);
    EXPECT_EQ(CSize(0, 0), look->DrawSpecialControl(&canvas.dc, 0, expand, &toolBar, FALSE, &barSize));
    EXPECT_EQ(p.rect, expand->GetRect()) << p.position;
  }
  EXPECT_EQ(CSize(0, 18), look->DrawSpecialControl(&canvas.dc, 1, expand, &toolBar, FALSE, nullptr));
}

TEST(GradientLook, SchemePalettesReplaceTheDerivedColours) {
  CTkBarPainterTheme2* look = MakeLook<CTkBarPainterTheme2>(2);
  ASSERT_NE(nullptr, look);
  Release release{look};
  struct Case {
    XPSchemeId scheme;
    COLORREF colour30, colour47, shadow;
  };
  const Case cases[] = {
      {xpSilver, RGB(219, 218, 228), RGB(0, 0, 0), RGB(36, 32, 41)},
      {xpBlue, RGB(196, 219, 249), RGB(0, 0, 0), RGB(22, 30, 54)},
      {xpOlive, RGB(209, 222, 173), RGB(0, 0, 0), RGB(31, 34, 25)},
  };
  for (const Case& c : cases) {
    look->m_xpScheme = c.scheme;
    look->UpdateFontsAndColors();
    EXPECT_TRUE(look->m_bPaletteActive) << c.scheme;
    EXPECT_EQ(c.colour30, look->GetColor(30)) << c.scheme;
    EXPECT_EQ(c.colour47, look->GetColor(47)) << c.scheme;
    EXPECT_EQ(RGB(141, 141, 141), look->GetColor(60)) << c.scheme;
    EXPECT_EQ(c.shadow, look->m_shadowColor) << c.scheme;
    // Hot tool-bar buttons take the hot gradient, from its first colour at the top.
    DibCanvas canvas(20, 20);
    canvas.Fill(kCanvas);
    look->DrawControlFrame(&canvas.dc, CRect(0, 0, 20, 20), 1, 0, TRUE, FALSE, FALSE, TRUE, kBarTop);
    EXPECT_EQ(look->GetColor(32), canvas.Pixel(0, 10)) << c.scheme;
    EXPECT_TRUE(Near(RGB(255, 242, 200), canvas.Pixel(10, 1))) << c.scheme;
    EXPECT_TRUE(Near(RGB(255, 212, 151), canvas.Pixel(10, 18))) << c.scheme;
  }
  // The classic look: no palette, colours from the scheme, flat fills.
  look->m_xpScheme = xpNone;
  look->UpdateFontsAndColors();
  EXPECT_FALSE(look->m_bPaletteActive);
  EXPECT_EQ(GetColorScheme()->GetColor(30), look->GetColor(30));
  EXPECT_EQ(0u, look->m_shadowColor);
  DibCanvas canvas(20, 20);
  look->DrawControlFrame(&canvas.dc, CRect(0, 0, 20, 20), 1, 0, TRUE, FALSE, FALSE, TRUE, kBarTop);
  EXPECT_EQ(look->GetColor(31), canvas.Pixel(10, 10));
  // The open control's gradient and frame in every scheme.
  look->DrawControlFrame(&canvas.dc, CRect(0, 0, 20, 20), 0, 0, TRUE, FALSE, TRUE, TRUE, kBarTop);
  EXPECT_EQ(look->GetColor(43), canvas.Pixel(0, 10));
  EXPECT_TRUE(Near(look->m_openControlGradient.m_first, canvas.Pixel(10, 1)));
}

TEST(GradientLook, ThemeFourKeepsItsOwnPalettesAndSlimSeparators) {
  CTkBarPainterTheme2* two = MakeLook<CTkBarPainterTheme2>(2);
  CTkBarPainterTheme2* four = MakeLook<CTkBarPainterTheme2>(4);
  ASSERT_NE(nullptr, two);
  ASSERT_NE(nullptr, four);
  Release releaseTwo{two};
  Release releaseFour{four};
  EXPECT_EQ(4, four->GetThemeFamily());
  // The desktop's scheme is blue: theme 4 still applies none of theme 2's palettes.
  GetColorScheme()->SetChosenXPScheme(xpBlue);
  four->UpdateFontsAndColors();
  EXPECT_EQ(xpNone, four->GetXPScheme());
  EXPECT_FALSE(four->m_bPaletteActive);
  EXPECT_NE(RGB(196, 219, 249), four->GetColor(30));
  EXPECT_EQ(RGB(250, 249, 245), static_cast<COLORREF>(four->m_barGradient.m_first));
  EXPECT_EQ(RGB(152, 152, 126), static_cast<COLORREF>(four->m_expandGradient.m_second));
  GetColorScheme()->SetChosenXPScheme(xpSilver);
  four->UpdateFontsAndColors();
  EXPECT_EQ(RGB(219, 218, 228), four->GetColor(30));
  EXPECT_EQ(RGB(75, 75, 111), four->GetColor(32));
  GetColorScheme()->SetChosenXPScheme(xpSystem);
  four->UpdateFontsAndColors();

  // A separator on a tool bar: a dark line, and in theme 2 a highlight beside it.
  CTkCommandBar bar;
  bar.SetPosition(kBarTop);
  CTkControl* control = bar.GetControls()->Add(kControlButton, 100);
  control->SetControlRect(CRect(20, 2, 40, 24));
  control->SetRowRect(CRect(2, 2, 80, 24));
  for (CTkBarPainterTheme2* look : {two, four}) {
    DibCanvas canvas(80, 26);
    canvas.Fill(kCanvas);
    look->DrawSeparator(&canvas.dc, &bar, control, TRUE);
    EXPECT_EQ(look->GetColor(39), canvas.Pixel(16, 12)) << look->GetThemeFamily();
    const COLORREF highlight = look == two ? look->GetColor(COLOR_BTNHIGHLIGHT) : kCanvas;
    EXPECT_EQ(highlight, canvas.Pixel(17, 12)) << look->GetThemeFamily();
  }
}

TEST(GradientLook, RoundButtonShadesADiscWithTheGivenColumns) {
  EXPECT_EQ(255, CTkBarPainterTheme2::RoundButtonShade(0, 0));
  EXPECT_EQ(252, CTkBarPainterTheme2::RoundButtonShade(0, 4));
  EXPECT_EQ(180, CTkBarPainterTheme2::RoundButtonShade(0, 8));
  EXPECT_EQ(198, CTkBarPainterTheme2::RoundButtonShade(7, 0));
  EXPECT_EQ(18, CTkBarPainterTheme2::RoundButtonShade(7, 15));
  // Transparent outside the disc, lighter at the upper left than the lower right.
  EXPECT_EQ(255, CTkBarPainterTheme2::RoundButtonShade(15, 15));
  EXPECT_GT(CTkBarPainterTheme2::RoundButtonShade(4, 4), CTkBarPainterTheme2::RoundButtonShade(11, 11));
}

TEST(GradientLook, DockedToolBarGetsItsGradientDownToTheLastRowAndABandBelow) {
  CTkBarPainterTheme2* look = MakeLook<CTkBarPainterTheme2>(2);
  ASSERT_NE(nullptr, look);
  Release release{look};
  CWnd host;
  ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), L"Host", WS_POPUP, CRect(0, 0, 200, 60), nullptr, 0));
  CTkCommandBar* bar = new CTkCommandBar;
  bar->SetPosition(kBarTop);
  ASSERT_TRUE(bar->CreateEx(0, AfxRegisterWndClass(0), L"Bar", WS_CHILD, CRect(0, 0, 120, 40), &host, 1));
  CTkControl* control = bar->GetControls()->Add(kControlButton, 100);
  control->SetControlRect(CRect(6, 2, 40, 28));
  DibCanvas canvas(120, 40);
  canvas.Fill(kCanvas);
  look->FillCommandBar(&canvas.dc, bar);
  // The body: the gradient from its first colour at the top to the row's
  // end at 29, then the second colour down to the shadow line.
  EXPECT_TRUE(Near(look->m_barGradient.m_first, canvas.Pixel(60, 1)));
  for (int y : {30, 34, 38}) EXPECT_EQ(static_cast<COLORREF>(look->m_barGradient.m_second), canvas.Pixel(60, y)) << y;
  EXPECT_EQ(static_cast<COLORREF>(look->m_barShadowColor), canvas.Pixel(60, 39));
  // The left margin and the rounded corners show the dock gradient.
  EXPECT_NE(static_cast<COLORREF>(look->m_barGradient.m_first), canvas.Pixel(1, 1));
  EXPECT_NE(canvas.Pixel(4, 2), canvas.Pixel(3, 1));
  bar->DestroyWindow();
  bar->InternalRelease();
  host.DestroyWindow();
}

TEST(CornerPixels, AreLeftUnpainted) {
  DibCanvas canvas(12, 12);
  canvas.Fill(kCanvas);
  ExcludeCornerPixels(canvas.dc.GetSafeHdc(), CRect(0, 0, 10, 10));
  canvas.dc.FillSolidRect(CRect(0, 0, 10, 10), RGB(200, 0, 0));
  for (CPoint corner : {CPoint(0, 0), CPoint(9, 0), CPoint(0, 9), CPoint(9, 9)})
    EXPECT_EQ(kCanvas, canvas.Pixel(corner.x, corner.y)) << corner.x << "," << corner.y;
  EXPECT_EQ(RGB(200, 0, 0), canvas.Pixel(1, 0));
  EXPECT_EQ(RGB(200, 0, 0), canvas.Pixel(9, 1));
}

}  // namespace
