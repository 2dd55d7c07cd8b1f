// The themes: which paint manager a number gives, the tinting without an
// XP scheme, and spot pixels of panels drawn in each.
#include <gtest/gtest.h>

#include <cstdlib>
#include <typeinfo>

#include "../dib_canvas.h"
#include "color_scheme.h"
#include "draw_helpers.h"
#include "task_panel_fixture.h"
#include "task_panel_themes.h"

namespace {

COLORREF Sys(int index) { return ::GetSysColor(index); }

// Gradients may round a channel by one, and change a little over a row.
bool Near(COLORREF a, COLORREF b, int tolerance = 1) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

bool XPSchemeActive() { return GetCurrentXPScheme() >= xpBlue && GetCurrentXPScheme() <= xpSilver; }

TEST(TaskPanelThemes, NumbersGiveTheirPaintManagers) {
  CTkTaskPanel panel;
  panel.SelectPaintTheme(2);
  const std::type_info& standard = typeid(*panel.GetPaintManager());
  EXPECT_EQ(typeid(TaskPanelThemeDefault), standard);
  for (int unknown : {-1, 13, 1000}) {
    panel.SelectPaintTheme(unknown);
    EXPECT_EQ(standard, typeid(*panel.GetPaintManager())) << unknown;
  }
  panel.SelectPaintTheme(0);
  EXPECT_EQ(typeid(CTkTaskPanelPainter), typeid(*panel.GetPaintManager()));
  panel.SelectPaintTheme(12);
  EXPECT_NE(nullptr, dynamic_cast<TaskPanelThemeClassic*>(panel.GetPaintManager()));
}

TEST(TaskPanelThemes, MixWeighsTheFirstColour) {
  EXPECT_EQ(RGB(128, 128, 128), MixTaskPanelColors(RGB(255, 255, 255), RGB(0, 0, 0), 128));
  EXPECT_EQ(RGB(10, 20, 30), MixTaskPanelColors(RGB(10, 20, 30), RGB(200, 200, 200), 255));
  EXPECT_EQ(RGB(200, 200, 200), MixTaskPanelColors(RGB(10, 20, 30), RGB(200, 200, 200), 0));
}

TEST(TaskPanelThemes, DefaultAndGlyphThemesTintWithoutAScheme) {
  if (GetCurrentXPScheme() >= xpBlue && GetCurrentXPScheme() <= xpSilver) GTEST_SKIP() << "an XP scheme is active";
  COLORREF top = MixTaskPanelColors(Sys(COLOR_INACTIVECAPTION), Sys(COLOR_WINDOW), 128);
  for (int theme : {2, 6}) {
    CTkTaskPanel panel;
    panel.SelectPaintTheme(theme);
    CTkTaskPanelPainter* painter = panel.GetPaintManager();
    EXPECT_EQ(top, static_cast<COLORREF>(painter->m_panelBackground.m_first)) << theme;
    EXPECT_EQ(1, painter->m_expandButtonStyle) << theme;
    painter->m_bTintedWithoutScheme = FALSE;
    painter->RefreshMetrics();
    EXPECT_NE(1, painter->m_expandButtonStyle) << theme;
  }
}

TEST(TaskPanelThemes, SpotPixelsOfEachTheme) {
  struct Case {
    int theme;
    COLORREF background;  // at the panel's bottom left, below the groups
    COLORREF captionTopLeft;  // one pixel inside the first caption, or -1
    bool withoutScheme;  // the colours are those without an XP scheme
    int tolerance;  // the end of a vertical gradient is near its colour
  } cases[] = {
      {0, Sys(COLOR_WINDOW), Sys(COLOR_ACTIVECAPTION), false, 1},
      {1, Sys(COLOR_3DFACE), kColorUnset, true, 3},
      {2, MixTaskPanelColors(Sys(COLOR_ACTIVECAPTION), Sys(COLOR_WINDOW), 192), kColorUnset, true, 3},
      {3, Sys(COLOR_BACKGROUND), kColorUnset, false, 1},
      {4, ToolkitColor(41), kColorUnset, false, 1},
      {5, CTkColorScheme::BlendColors(Sys(COLOR_3DFACE), Sys(COLOR_WINDOW), 50), kColorUnset, true, 1},
      {6, MixTaskPanelColors(Sys(COLOR_ACTIVECAPTION), Sys(COLOR_WINDOW), 192), kColorUnset, true, 3},
      {7, Sys(COLOR_3DFACE), Sys(COLOR_3DFACE), false, 1},
      {8, Sys(COLOR_3DFACE), kColorUnset, true, 1},
      {9, Sys(COLOR_3DSHADOW), Sys(COLOR_3DFACE), false, 1},
      {10, ToolkitColor(30), Sys(COLOR_3DFACE), false, 1},
      {11, ToolkitColor(30), kColorUnset, false, 1},
      {12, GetColorScheme()->GetGradient(0).m_second, kColorUnset, false, 3},
  };
  for (const Case& c : cases) {
    if (c.withoutScheme && XPSchemeActive()) continue;
    PanelFixture f(240, 300);
    f.panel.SelectPaintTheme(c.theme);
    CTkTaskPanelGroup* group = f.AddGroup(L"Group", 2);
    group->SetSpecial(TRUE);
    DibCanvas canvas(240, 300);
    f.panel.DrawPanel(&canvas.dc);
    ::GdiFlush();
    EXPECT_TRUE(Near(c.background, canvas.Pixel(0, 298), c.tolerance))
        << c.theme << std::hex << " " << canvas.Pixel(0, 298) << " expected " << c.background;
    CRect caption = group->GetCaptionRect();
    if (c.captionTopLeft != kColorUnset) {
      EXPECT_TRUE(Near(c.captionTopLeft, canvas.Pixel(caption.left + 4, caption.top + 2))) << c.theme;
    }
    if (c.theme == 7) {
      EXPECT_EQ(Sys(COLOR_3DHILIGHT), canvas.Pixel(caption.left, caption.top) & 0xFFFFFF) << "raised caption";
      EXPECT_EQ(Sys(COLOR_3DSHADOW), canvas.Pixel(caption.right - 1, caption.bottom - 1) & 0xFFFFFF);
    }
  }
}

TEST(TaskPanelThemes, EveryThemeLaysOutAndDrawsEveryMode) {
  for (int mode = 0; mode < 3; ++mode) {
    for (int theme = 0; theme <= 12; ++theme) {
      PanelFixture f(200, 260, mode);
      f.panel.SelectPaintTheme(theme);
      CTkTaskPanelGroup* a = f.AddGroup(L"A long caption that does not fit", 3);
      CTkTaskPanelGroup* grid = f.AddGroup(L"Grid", 9);
      grid->SetLayout(kLayoutImagesOnly);
      f.AddGroup(L"Hidden caption", 1)->SetCaptionVisible(FALSE);
      a->SetExpanded(TRUE);
      EXPECT_GT(a->GetCaptionHeight(), 0) << theme;
      EXPECT_GE(a->GetTargetRect().Height(), a->GetCaptionHeight()) << theme;
      f.panel.MoveFocusTo(grid, TRUE);
      DibCanvas canvas(200, 260);
      f.panel.DrawPanel(&canvas.dc);
    }
  }
}

}  // namespace

namespace {

TEST(TaskPanelThemes, TintedGlyphsTakeTheCaptionHue) {
  HICON icon = nullptr;
  CTkTaskPanelPainter::CreateTintedGlyph(icon, 9197, RGB(200, 80, 20));
  ASSERT_NE(nullptr, icon);
  DibCanvas canvas(19, 19);
  canvas.Fill(RGB(1, 2, 3));
  ::DrawIconEx(canvas.dc.GetSafeHdc(), 0, 0, icon, 19, 19, 0, nullptr, DI_NORMAL);
  ::GdiFlush();
  EXPECT_EQ(RGB(1, 2, 3), canvas.Pixel(0, 0) & 0xFFFFFF) << "the corner is transparent";
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(9, 5) & 0xFFFFFF) << "the white face stays white";
  COLORREF rim = canvas.Pixel(9, 1);
  EXPECT_GT(GetRValue(rim), GetGValue(rim)) << "the rim takes the tint's hue";
  EXPECT_GT(GetGValue(rim), GetBValue(rim));
  ::DestroyIcon(icon);

  // Without an XP scheme the default theme draws with the tinted icons.
  if (GetCurrentXPScheme() >= xpBlue && GetCurrentXPScheme() <= xpSilver) return;
  CTkTaskPanel panel;
  EXPECT_FALSE(panel.GetPaintManager()->m_bGlyphPicturesLoaded);
  EXPECT_NE(nullptr, panel.GetPaintManager()->m_hNormalGlyph);
  EXPECT_NE(nullptr, panel.GetPaintManager()->m_hSpecialGlyph);
}

}  // namespace
