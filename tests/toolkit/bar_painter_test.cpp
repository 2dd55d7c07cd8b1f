#include <gtest/gtest.h>

#include <vector>

#include "bar_painter.h"
#include "popup_bar.h"
#include "dib_canvas.h"
#include "draw_helpers.h"
#include "test_painter.h"
#include "icon_fixtures.h"

namespace {

class TestPane : public CTkStatusPaneInfo {
 public:
  CString GetText() const override { return text; }
  UINT GetStyle() const override { return style; }
  CFont* GetTextFont() override { return font; }
  CTkImageIcon* GetImage() override { return icon; }
  COLORREF GetTextColor() const override { return textColor; }
  COLORREF GetBackgroundColor() const override { return background; }
  int GetTextAlignment() const override { return alignment; }
  BOOL DrawsDisabledText() const override { return drawDisabled; }

  CString text;
  UINT style = 0;
  CFont* font = nullptr;
  CTkImageIcon* icon = nullptr;
  COLORREF textColor = RGB(0, 0, 0);
  COLORREF background = static_cast<COLORREF>(-1);
  int alignment = kAlignLeft;
  BOOL drawDisabled = FALSE;
};

// The first and last column holding a pixel other than the background.
std::pair<int, int> InkColumns(const DibCanvas& canvas, int width, int height, COLORREF background) {
  int first = -1;
  int last = -1;
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y)
      if (canvas.Pixel(x, y) != background) {
        if (first < 0) first = x;
        last = x;
        break;
      }
  return {first, last};
}

TEST(BarPainter, ColoursAreIndicesOrThemselves) {
  TestPainter painter;
  painter.UpdateFontsAndColors();
  EXPECT_EQ(GetColorScheme()->GetColor(61), painter.GetColor(61));
  EXPECT_EQ(62u, painter.GetColor(62));
  EXPECT_EQ(RGB(0, 0, 255), painter.GetColor(static_cast<int>(RGB(0, 0, 255))));
  const int indices[] = {5, 61};
  const COLORREF colors[] = {RGB(1, 2, 3), RGB(4, 5, 6)};
  painter.SetColors(2, indices, colors);
  EXPECT_EQ(RGB(4, 5, 6), painter.GetColor(61));
  painter.m_colors[61].SetCustomValue(RGB(7, 8, 9));
  EXPECT_EQ(RGB(7, 8, 9), painter.GetColor(61));
  EXPECT_EQ(GetColorScheme()->GetColor(COLOR_BTNTEXT), painter.m_statusTextColor);
  EXPECT_EQ(GetColorScheme()->GetColor(COLOR_BTNFACE), static_cast<COLORREF>(painter.m_faceGradient.m_first));
  EXPECT_EQ(&painter.m_bUseFadedIcons, painter.GetIconOptions());
}

TEST(BarPainter, FontHeightsAndFaces) {
  struct Case {
    LONG menu;
    LONG painter;
  };
  const Case cases[] = {{-8, -11}, {-1, -11}, {-10, -11}, {-12, -12}, {8, 8}, {0, 0}};
  for (const Case& c : cases) EXPECT_EQ(c.painter, CTkBarPainter::PainterFontHeight(c.menu)) << c.menu;

  TestPainter painter;
  LOGFONTW lf = {};
  lf.lfHeight = -11;
  lstrcpyW(lf.lfFaceName, L"tAHOMA");
  painter.SetFonts(&lf, FALSE);
  EXPECT_TRUE(painter.m_bUseTahoma);

  TestPainter arial;
  LOGFONTW plain = {};
  plain.lfHeight = -11;
  lstrcpyW(plain.lfFaceName, L"Arial");
  arial.SetFonts(&plain, TRUE);
  EXPECT_FALSE(arial.m_bUseTahoma);
  LOGFONTW regular = {};
  arial.m_regularFont.GetLogFont(&regular);
  EXPECT_STREQ(L"Arial", regular.lfFaceName);
  LOGFONTW vertical = {};
  arial.GetControlFont(2, TRUE)->GetLogFont(&vertical);
  EXPECT_EQ(2700, vertical.lfEscapement);
  EXPECT_EQ(FW_BOLD, vertical.lfWeight);
  EXPECT_EQ(&arial.m_regularFont, arial.GetControlFont(0, FALSE));

  // The control height follows the measured text.
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ previous = ::SelectObject(screen, arial.m_regularFont.GetSafeHandle());
  SIZE space = {};
  ::GetTextExtentPoint32W(screen, L" ", 1, &space);
  ::SelectObject(screen, previous);
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(space.cy + 6, arial.m_controlHeight);

  painter.SetFonts(nullptr, TRUE);
  EXPECT_TRUE(painter.m_bFollowSystemFont);
  EXPECT_NE(nullptr, painter.m_regularFont.GetSafeHandle());
}

class StatusPaneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    painter.UpdateFontsAndColors();
    pane.font = &painter.m_regularFont;
    pane.text = L"Ready";
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ previous = ::SelectObject(screen, painter.m_regularFont.GetSafeHandle());
    SIZE size = {};
    ::GetTextExtentPoint32W(screen, L"Ready", 5, &size);
    ::SelectObject(screen, previous);
    ::ReleaseDC(nullptr, screen);
    textWidth = size.cx;
  }
  std::pair<int, int> Draw(int width) {
    DibCanvas canvas(width, 24);
    canvas.Fill(kBackground);
    painter.DrawStatusBarPane(&canvas.dc, CRect(0, 0, width, 24), &pane);
    return InkColumns(canvas, width, 24, kBackground);
  }

  const COLORREF kBackground = RGB(255, 255, 255);
  TestPainter painter;
  TestPane pane;
  int textWidth = 0;
};

TEST_F(StatusPaneTest, AlignmentPlacesTheTextAndAWideTextStaysLeft) {
  const int width = textWidth + 60;
  auto left = Draw(width);
  ASSERT_GE(left.first, 0);
  EXPECT_LE(left.first, 2 + 2);  // rectangle shrunk by 2
  pane.alignment = CTkStatusPaneInfo::kAlignRight;
  auto right = Draw(width);
  EXPECT_GE(right.first, width - 2 - textWidth);
  EXPECT_LE(right.second, width - 3);
  pane.alignment = CTkStatusPaneInfo::kAlignCenter;
  auto centre = Draw(width);
  EXPECT_NEAR((centre.first + centre.second) / 2, width / 2, 4);

  pane.alignment = CTkStatusPaneInfo::kAlignRight;
  auto narrow = Draw(textWidth / 2);
  EXPECT_LE(narrow.first, 4);
}

TEST_F(StatusPaneTest, DisabledPanesAndBackgrounds) {
  pane.style = SBPS_DISABLED;
  EXPECT_EQ(-1, Draw(textWidth + 20).first);  // no text, no background
  pane.drawDisabled = TRUE;
  DibCanvas canvas(textWidth + 20, 24);
  canvas.Fill(kBackground);
  painter.DrawStatusBarPane(&canvas.dc, CRect(0, 0, textWidth + 20, 24), &pane);
  BOOL grey = FALSE;
  for (int x = 0; x < textWidth + 20 && !grey; ++x)
    for (int y = 0; y < 24; ++y) grey = grey || canvas.Pixel(x, y) == painter.GetColor(COLOR_GRAYTEXT);
  EXPECT_TRUE(grey);

  pane.style = 0;
  pane.text = L"";
  pane.background = RGB(0, 200, 0);
  canvas.Fill(kBackground);
  painter.DrawStatusBarPane(&canvas.dc, CRect(0, 0, 20, 24), &pane);
  EXPECT_EQ(kBackground, canvas.Pixel(0, 0));
  EXPECT_EQ(RGB(0, 200, 0), canvas.Pixel(1, 1));
  pane.style = SBPS_NOBORDERS;
  painter.DrawStatusBarPane(&canvas.dc, CRect(0, 0, 20, 24), &pane);
  EXPECT_EQ(RGB(0, 200, 0), canvas.Pixel(0, 0));
}

TEST_F(StatusPaneTest, AnIconComesBeforeTheText) {
  HICON solid = MakeSolidIcon(16, 16, RGB(0, 0, 255));
  CTkImageIcon icon(1, 0, 0, static_cast<CTkImageIconSet*>(nullptr));
  icon.SetNormalImage(CTkIconHandle(solid));
  ::DestroyIcon(solid);
  pane.icon = &icon;
  DibCanvas canvas(textWidth + 60, 24);
  canvas.Fill(kBackground);
  painter.DrawStatusBarPane(&canvas.dc, CRect(0, 0, textWidth + 60, 24), &pane);
  EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(2, 4));
  EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(17, 19));
  EXPECT_EQ(kBackground, canvas.Pixel(18, 12));
  auto ink = InkColumns(canvas, textWidth + 60, 24, kBackground);
  EXPECT_EQ(2, ink.first);
}

TEST(BarPainter, BorderAndGripperLines) {
  TestPainter painter;
  painter.UpdateFontsAndColors();
  DibCanvas canvas(30, 20);
  canvas.Fill(RGB(1, 1, 1));
  painter.DrawStatusBarPaneBorder(&canvas.dc, CRect(0, 0, 10, 10), FALSE);
  EXPECT_EQ(painter.GetColor(COLOR_BTNSHADOW), canvas.Pixel(0, 5));
  EXPECT_EQ(painter.GetColor(COLOR_BTNHIGHLIGHT), canvas.Pixel(9, 5));
  canvas.Fill(RGB(1, 1, 1));
  painter.DrawStatusBarGripper(&canvas.dc, 0, 0, 30, 20);
  EXPECT_EQ(painter.GetColor(COLOR_BTNSHADOW), canvas.Pixel(27, 18));   // (W - 3, H - 2)
  EXPECT_EQ(painter.GetColor(COLOR_BTNHIGHLIGHT), canvas.Pixel(25, 18));  // (W - 5, H - 2)
  EXPECT_EQ(painter.GetColor(COLOR_BTNSHADOW), canvas.Pixel(19, 18));   // k = 2
  EXPECT_EQ(RGB(1, 1, 1), canvas.Pixel(29, 19));
}

int sleeps = 0;
void CountSleep(DWORD) { ++sleeps; }

TEST(BarPainter, PopupAnimations) {
  TestPainter painter;
  auto savedSleep = CTkBarPainter::AnimationSleep;
  CTkBarPainter::AnimationSleep = CountSleep;
  DibCanvas image(10, 10);
  image.Fill(RGB(200, 100, 0));
  DibCanvas screen(10, 10);
  screen.Fill(RGB(0, 0, 0));
  sleeps = 0;
  painter.AnimatePopup(&screen.dc, &image.dc, CRect(0, 0, 10, 10), 2);
  EXPECT_EQ(10, sleeps);
  EXPECT_EQ(RGB(200, 100, 0), screen.Pixel(9, 9));

  screen.Fill(RGB(0, 0, 100));
  painter.AnimatePopup(&screen.dc, &image.dc, CRect(0, 0, 10, 10), 4);
  // The last of nine frames: weight 255 x 9 / 10 = 229.
  EXPECT_EQ(RGB(200 * 229 >> 8, 100 * 229 >> 8, 100 * 26 >> 8), screen.Pixel(5, 5));

  screen.Fill(RGB(0, 0, 0));
  sleeps = 0;
  painter.AnimatePopup(&screen.dc, &image.dc, CRect(0, 0, 10, 10), 7);
  painter.m_animationSteps = 0;
  painter.AnimatePopup(&screen.dc, &image.dc, CRect(0, 0, 10, 10), 2);
  EXPECT_EQ(0, sleeps);
  EXPECT_EQ(RGB(0, 0, 0), screen.Pixel(5, 5));
  CTkBarPainter::AnimationSleep = savedSleep;
}

TEST(BarPainter, InstallingAPainterUpdatesItAndMarksItDirect) {
  TestPainter* painter = new TestPainter;
  SetCurrentBarPainter(painter);
  EXPECT_EQ(painter, CurrentBarPainter);
  EXPECT_EQ(CTkBarPainter::kThemeInstalledDirectly, painter->m_themeNumber);
  EXPECT_EQ(GetColorScheme()->GetColor(COLOR_BTNFACE), painter->GetColor(COLOR_BTNFACE));
  ReleaseCurrentBarPainter();
  EXPECT_EQ(nullptr, CurrentBarPainter);
}

// Rows of the first column after each animation step.
std::vector<std::vector<COLORREF>> frames;
DibCanvas* animated = nullptr;
void RecordFrame(DWORD) {
  std::vector<COLORREF> rows;
  for (int y = 0; y < 60; ++y) rows.push_back(animated->Pixel(0, y));
  frames.push_back(rows);
}

COLORREF ImageRow(int row) { return RGB(row * 4, 0, 0); }

TEST(BarPainter, ExpandedPopupGrowsItsRarelyUsedBands) {
  TestPainter painter;
  painter.m_animationSteps = 2;
  auto savedSleep = CTkBarPainter::AnimationSleep;
  CTkBarPainter::AnimationSleep = RecordFrame;
  auto* popup = new CTkPopupBar;
  ASSERT_TRUE(popup->CreateEx(0, L"STATIC", L"", WS_POPUP, CRect(0, 0, 40, 60), nullptr, 0));
  // Common 0-20, rarely used 20-40, common 40-60; a hidden rarely used control counts for nothing.
  struct Item {
    int top, bottom;
    BOOL rare;
    int hide;
  };
  for (const Item& item : {Item{0, 20, FALSE, 0}, Item{20, 40, TRUE, 0}, Item{30, 35, FALSE, kHideScrolled},
                           Item{40, 60, FALSE, 0}}) {
    CTkControl* control = popup->GetControls()->AddControl(new CTkControlButton, 0);
    control->SetControlRect(CRect(0, item.top, 40, item.bottom));
    control->SetRarelyUsed(item.rare);
    control->SetHideFlags(item.hide);
  }
  DibCanvas image(40, 60);
  for (int y = 0; y < 60; ++y) image.dc.FillSolidRect(CRect(0, y, 40, y + 1), ImageRow(y));
  DibCanvas screen(40, 60);
  animated = &screen;

  for (BOOL downward : {TRUE, FALSE}) {
    frames.clear();
    screen.Fill(RGB(0, 0, 255));
    EXPECT_EQ(2, painter.AnimateExpandedPopup(popup, &screen.dc, &image.dc, downward));
    ASSERT_EQ(2u, frames.size());
    const std::vector<COLORREF>& half = frames[0];
    // Halfway: the rarely used band is 10 rows high, the others keep theirs.
    const int first = downward ? 0 : 10;
    for (int y = 0; y < 20; ++y) EXPECT_EQ(ImageRow(y), half[first + y]) << downward << " " << y;
    for (int y = 0; y < 20; ++y) EXPECT_EQ(ImageRow(40 + y), half[first + 30 + y]) << downward << " " << y;
    for (int y = first + 20; y < first + 30; ++y) {
      EXPECT_GE(GetRValue(half[y]), 20 * 4) << downward << " " << y;
      EXPECT_LT(GetRValue(half[y]), 40 * 4) << downward << " " << y;
    }
    for (int y = 0; y < 60; ++y) EXPECT_EQ(ImageRow(y), frames[1][y]) << downward << " " << y;
  }
  painter.m_animationSteps = 0;
  frames.clear();
  EXPECT_EQ(0, painter.AnimateExpandedPopup(popup, &screen.dc, &image.dc, TRUE));
  EXPECT_TRUE(frames.empty());
  CTkBarPainter::AnimationSleep = savedSleep;
  popup->InternalRelease();
}

TEST(BarPainter, ThemesAreMadeByNumber) {
  for (int theme : {1, 2, 3, 4}) {
    CTkBarPainter* painter = CreateBarPainter(theme);
    ASSERT_NE(nullptr, painter) << theme;
    EXPECT_EQ(theme, painter->GetThemeFamily());
    EXPECT_EQ(theme, painter->m_themeNumber);
    painter->InternalRelease();
  }

  SetCurrentTheme(4);
  CTkBarPainter* installed = CurrentBarPainter;
  ASSERT_NE(nullptr, installed);
  EXPECT_EQ(4, installed->m_themeNumber);
  EXPECT_EQ(GetColorScheme()->GetColor(COLOR_BTNFACE), installed->GetColor(COLOR_BTNFACE));
  // Another number replaces the installed look.
  SetCurrentTheme(1);
  ASSERT_NE(nullptr, GetCurrentBarPainter());
  EXPECT_EQ(1, GetCurrentBarPainter()->GetThemeFamily());
  ReleaseCurrentBarPainter();
  EXPECT_EQ(nullptr, CurrentBarPainter);
}

}  // namespace
