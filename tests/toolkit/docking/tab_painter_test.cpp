// The painter's fonts and parts, and pixels that tell the looks apart.
#include <gtest/gtest.h>

#include <vector>

#include "color_scheme.h"
#include "dib_canvas.h"
#include "draw_helpers.h"
#include "global_settings.h"
#include "tab_fixtures.h"
#include "ux_theme_slots.h"

namespace {

COLORREF Sys(int index) { return GetColorScheme()->GetColor(index); }

TEST(TabPainter, AppearanceInstallsItsDefaultColourSet) {
  const int expected[10] = {1, 1, 1, 4, 2, 2, 2, 2, 1, 4};
  for (int id = 0; id < 10; ++id) {
    CTkTabPainter painter;
    painter.SetColorSet(16);
    painter.SetAppearance(id);
    EXPECT_EQ(expected[id], painter.m_colorSetId) << id;
    EXPECT_EQ(expected[id], painter.GetAppearance()->GetDefaultColorSet()) << id;
    EXPECT_NE(0u, painter.GetAppearance()->GetSupportedColorSets() & expected[id]) << id;
    EXPECT_EQ(painter.GetColorSet()->m_pPainter, &painter);
  }
  CTkTabPainter painter;
  painter.SetAppearance(3);
  EXPECT_NE(nullptr, dynamic_cast<CTkTabPaletteXP*>(painter.GetColorSet()));
  painter.SetAppearance(5);
  EXPECT_NE(nullptr, dynamic_cast<CTkTabPaletteFlat*>(painter.GetColorSet()));
  painter.SetAppearance(42);
  EXPECT_NE(nullptr, dynamic_cast<CTkTabShapeRaised*>(painter.GetAppearance()));
  // NULL parts are ignored but the strips are still refreshed.
  TestTabStrip strip(&painter);
  int before = strip.m_repositions;
  CTkTabPalette* colors = painter.GetColorSet();
  painter.SetColorSet(static_cast<CTkTabPalette*>(nullptr));
  painter.SetAppearance(static_cast<CTkTabShape*>(nullptr));
  EXPECT_EQ(colors, painter.GetColorSet());
  EXPECT_EQ(before + 2, strip.m_repositions);
}

TEST(TabPainter, VerticalFontsAreTurnedAndNeverTiny) {
  struct Case {
    int height, normal, vertical;
  };
  const Case cases[] = {{-8, -8, -11}, {-1, -1, -11}, {-10, -10, -11}, {-12, -12, -12}, {14, 14, 14}};
  for (const Case& c : cases) {
    CTkTabPainter painter;
    LOGFONTW lf = {};
    lf.lfHeight = c.height;
    lstrcpyW(lf.lfFaceName, L"Arial");
    painter.SetFontIndirect(&lf, FALSE);
    LOGFONTW normal, bold, vertical;
    painter.m_normalFont.GetLogFont(&normal);
    painter.m_boldFont.GetLogFont(&bold);
    painter.m_verticalFont.GetLogFont(&vertical);
    EXPECT_EQ(c.normal, normal.lfHeight);
    EXPECT_EQ(FW_NORMAL, normal.lfWeight);
    EXPECT_EQ(FW_BOLD, bold.lfWeight);
    EXPECT_EQ(c.vertical, vertical.lfHeight) << c.height;
    EXPECT_EQ(2700, vertical.lfEscapement);
    EXPECT_EQ(900, vertical.lfOrientation);
    EXPECT_STREQ(GetStandardFontFace(FALSE), vertical.lfFaceName);
    EXPECT_FALSE(painter.m_bUseSystemFont);
  }
}

TEST(TabPainter, TextRowHeightFollowsTheFont) {
  CTkTabPainter painter;
  LOGFONTW lf = {};
  lstrcpyW(lf.lfFaceName, GetStandardFontFace(FALSE));
  lf.lfHeight = 4;
  painter.SetFontIndirect(&lf, FALSE);
  painter.RefreshMetrics();
  EXPECT_EQ(18, painter.GetAppearance()->m_textRowHeight);
  lf.lfHeight = 20;  // a cell, and so a space, 20 pixels high
  painter.SetFontIndirect(&lf, FALSE);
  painter.RefreshMetrics();
  EXPECT_EQ(23, painter.GetAppearance()->m_textRowHeight);
}

TEST(TabPainter, SelectedRaisedTabJoinsTheClientArea) {
  for (int position : {kTabTop, kTabBottom}) {
    CTkTabPainter painter;
    painter.SetStripPosition(position);
    TestTabStrip strip(&painter, CRect(0, 0, 300, 80));
    CTkTabManagerItem* first = strip.Add(L"First");
    CTkTabManagerItem* second = strip.Add(L"Second");
    strip.SelectTab(first);
    DibCanvas canvas(300, 80);
    DrawStripOn(strip, canvas);
    // The client frame runs along the tabs' inner pixel row; the selected
    // tab covers it with its face.
    int joinY = position == kTabTop ? first->m_rect.bottom - 1 : first->m_rect.top;
    EXPECT_EQ(Sys(COLOR_BTNFACE), canvas.Pixel(first->m_rect.left + 4, joinY)) << position;
    COLORREF frame = canvas.Pixel(second->m_rect.left + 4, joinY);
    EXPECT_EQ(position == kTabTop ? Sys(COLOR_BTNHIGHLIGHT) : Sys(COLOR_3DDKSHADOW), frame) << position;
  }
}

TEST(TabPainter, DefaultSetDrawsTheSelectedButtonTabChecked) {
  CTkTabPainter painter;
  painter.SetAppearance(4);
  painter.SetColorSet(1);
  TestTabStrip strip(&painter, CRect(0, 0, 300, 60));
  CTkTabManagerItem* tab = strip.Add(L"Pressed");
  strip.Add(L"Other");
  strip.SelectTab(tab);
  DibCanvas canvas(300, 60);
  DrawStripOn(strip, canvas);
  COLORREF a = canvas.Pixel(tab->m_rect.left + 2, tab->m_rect.top + 1);
  COLORREF b = canvas.Pixel(tab->m_rect.left + 3, tab->m_rect.top + 1);
  EXPECT_NE(a, b);
  EXPECT_TRUE(a == Sys(COLOR_BTNFACE) || a == Sys(COLOR_BTNHIGHLIGHT));
  EXPECT_TRUE(b == Sys(COLOR_BTNFACE) || b == Sys(COLOR_BTNHIGHLIGHT));
}

TEST(TabPainter, XPSetFillsTabsWithAGradient) {
  CTkTabPainter painter;
  painter.SetAppearance(6);
  painter.SetColorSet(4);
  TestTabStrip strip(&painter, CRect(0, 0, 300, 60));
  strip.Add(L"Selected");
  CTkTabManagerItem* tab = strip.Add(L"Plain");
  strip.SelectTab(strip.GetTab(0));
  DibCanvas canvas(300, 60);
  DrawStripOn(strip, canvas);
  int x = tab->m_rect.right - 2;
  COLORREF outer = canvas.Pixel(x, tab->m_rect.top + 1), inner = canvas.Pixel(x, tab->m_rect.bottom - 2);
  EXPECT_GT(GetRValue(outer) + GetGValue(outer) + GetBValue(outer), GetRValue(inner) + GetGValue(inner) + GetBValue(inner));
}

TEST(TabPainter, TabColoursFillTheClientAreaWithTheSelectedTabsColour) {
  CTkTabPainter painter;
  painter.m_bTabColors = TRUE;
  TestTabStrip strip(&painter, CRect(0, 0, 300, 80));
  CTkTabManagerItem* a = strip.Add(L"A");
  CTkTabManagerItem* b = strip.Add(L"B");
  DibCanvas canvas(300, 80);
  for (CTkTabManagerItem* tab : {a, b}) {
    strip.SelectTab(tab);
    DrawStripOn(strip, canvas);
    EXPECT_EQ(tab->GetColor(), canvas.Pixel(150, 60));
  }
}

TEST(TabPainter, TextColourByState) {
  CTkTabPainter painter;
  TestTabStrip strip(&painter);
  CTkTabManagerItem* tab = strip.Add(L"Tab");
  CTkTabPalette* colors = painter.GetColorSet();
  colors->m_disabledText.SetStandardValue(RGB(1, 1, 1));
  colors->m_inactiveText.SetStandardValue(RGB(2, 2, 2));
  colors->m_selectedText.SetStandardValue(RGB(3, 3, 3));
  colors->m_text.SetStandardValue(RGB(4, 4, 4));
  DibCanvas canvas(4, 4);
  colors->SetTabTextColor(&canvas.dc, tab);
  EXPECT_EQ(RGB(4, 4, 4), canvas.dc.GetTextColor());
  strip.SelectTab(tab);
  colors->SetTabTextColor(&canvas.dc, tab);
  EXPECT_EQ(RGB(3, 3, 3), canvas.dc.GetTextColor());
  strip.m_bActive = FALSE;
  colors->SetTabTextColor(&canvas.dc, tab);
  EXPECT_EQ(RGB(2, 2, 2), canvas.dc.GetTextColor());
  tab->m_bEnabled = FALSE;
  colors->SetTabTextColor(&canvas.dc, tab);
  EXPECT_EQ(RGB(1, 1, 1), canvas.dc.GetTextColor());
}

TEST(TabPainter, XPSetWithoutAKnownSchemeKeepsIndexColours) {
  CTkTabPainter painter;
  painter.m_bSchemeColorsOff = TRUE;
  painter.SetColorSet(4);
  auto* colors = dynamic_cast<CTkTabPaletteXP*>(painter.GetColorSet());
  ASSERT_NE(nullptr, colors);
  EXPECT_FALSE(colors->m_bGradientFills);
  EXPECT_EQ(Sys(36), COLORREF(colors->m_selectedFace));
  EXPECT_EQ(COLORREF(colors->m_border), COLORREF(colors->m_selectedTrapezoid[0]));
  EXPECT_EQ(kColorUnset, COLORREF(colors->m_trapezoid[4]));
}

TEST(TabPainter, OwnEllipsisCutsTheMiddle) {
  CTkTabPainter painter;
  DibCanvas canvas(400, 40);
  CTkFontSelector font(&canvas.dc, &painter.m_normalFont);
  const CString caption = L"Beginning of a long caption and its end";
  int full = canvas.dc.GetTextExtent(caption).cx;
  // Draws into a white canvas in black and finds the inked columns.
  auto inked = [&](int width, const CString& text) {
    canvas.Fill(RGB(255, 255, 255));
    canvas.dc.SetTextColor(RGB(0, 0, 0));
    canvas.dc.SetBkMode(TRANSPARENT);
    painter.DrawTextEllipsis(&canvas.dc, text, CRect(0, 0, width, 30), DT_SINGLELINE | DT_NOPREFIX);
    ::GdiFlush();
    int right = 0;
    for (int x = 0; x < 400; ++x)
      for (int y = 0; y < 30; ++y)
        if (canvas.Pixel(x, y) != RGB(255, 255, 255)) right = x;
    return right;
  };
  EXPECT_LT(inked(full / 2, caption), full / 2);
  EXPECT_GT(inked(full / 2, caption), full / 4);  // not the end ellipsis of a tiny prefix
  EXPECT_GT(inked(full + 10, caption), full - 8);
}

class ThemedTabs : public UxThemeSlotsTest {
 protected:
  struct Call {
    int part, state;
    CRect rect;
  };
  static std::vector<Call>& Calls() {
    static std::vector<Call> calls;
    return calls;
  }
  static HTHEME WINAPI Open(HWND, LPCWSTR) { return reinterpret_cast<HTHEME>(static_cast<INT_PTR>(7)); }
  static HRESULT WINAPI Close(HTHEME) { return S_OK; }
  static BOOL WINAPI Themed() { return TRUE; }
  static HRESULT WINAPI Draw(HTHEME, HDC hDC, int part, int state, const RECT* rect, const RECT*) {
    Calls().push_back({part, state, *rect});
    HBRUSH brush = ::CreateSolidBrush(RGB(10, 200, 30));
    ::FillRect(hDC, rect, brush);
    ::DeleteObject(brush);
    return S_OK;
  }
};

TEST_F(ThemedTabs, SetEightDrawsTabPartsTurnedForTheStripsPosition) {
  GetColorScheme();  // made before the fakes, from the real system
  ClearSlots();
  GetUxThemeModule().module = nullptr;  // no real entry behind the fakes
  Install(kOpenThemeData, &Open);
  Install(kCloseThemeData, &Close);
  Install(kIsAppThemed, &Themed);
  Install(kDrawThemeBackground, &Draw);
  for (int position : {kTabTop, kTabBottom, kTabLeft, kTabRight}) {
    Calls().clear();
    CTkTabPainter painter;
    painter.SetStripPosition(position);
    painter.SetColorSet(8);
    ASSERT_TRUE(painter.GetColorSet()->IsThemed());
    EXPECT_EQ(kColorUnset, COLORREF(painter.GetColorSet()->m_edgeDark));
    TestTabStrip strip(&painter, CRect(0, 0, 240, 160));
    CTkTabManagerItem* selected = strip.Add(L"Selected");
    strip.Add(L"Other");
    strip.SelectTab(selected);
    DibCanvas canvas(240, 160);
    DrawStripOn(strip, canvas);
    bool pane = false, selectedPart = false, otherPart = false;
    for (const Call& call : Calls()) {
      pane |= call.part == 9;
      if (call.part != 1) continue;
      if (call.state == 3) {
        selectedPart = true;
        // Rendered as a top-strip part (the raised selected tab less its
        // frame, grown for the theme): turned strips swap width and height.
        CRect tab = selected->m_rect;
        int along = IsHorizontalPosition(position) ? tab.Width() : tab.Height();
        EXPECT_EQ(along + 4, call.rect.Width()) << position;
        if (position != kTabTop) {
          EXPECT_EQ(CPoint(0, 0), call.rect.TopLeft()) << position;
        }
      }
      otherPart |= call.state == 1;
    }
    EXPECT_TRUE(pane) << position;
    EXPECT_TRUE(selectedPart) << position;
    EXPECT_TRUE(otherPart) << position;
    // The fake part's colour lands on the tab, turned or not.
    CRect tab = selected->m_rect;
    bool found = false;
    for (int x = tab.left; x < tab.right && !found; ++x)
      for (int y = tab.top; y < tab.bottom && !found; ++y) found = canvas.Pixel(x, y) == RGB(10, 200, 30);
    EXPECT_TRUE(found) << position;
  }
}

TEST(TabPainter, ThemedSetWithoutVisualStylesDrawsAsTheDefault) {
  auto draw = [](int colorSet, DibCanvas& canvas) {
    CTkTabPainter painter;
    painter.SetColorSet(colorSet);
    TestTabStrip strip(&painter, CRect(0, 0, 200, 60));
    strip.SelectTab(strip.Add(L"One"));
    strip.Add(L"Two");
    DrawStripOn(strip, canvas);
  };
  UxThemeModuleRecord saved = GetUxThemeModule();
  for (FARPROC& slot : GetUxThemeModule().entries) slot = nullptr;
  DibCanvas a(200, 60), b(200, 60);
  draw(1, a);
  draw(8, b);
  GetUxThemeModule() = saved;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 200; ++x) ASSERT_EQ(a.Pixel(x, y), b.Pixel(x, y)) << std::hex << a.Pixel(x, y) << " " << b.Pixel(x, y) << std::dec << " at " << x << "," << y;
}

}  // namespace
