// The pane paint manager's metrics and the plain themes' pixels.
#include <gtest/gtest.h>

#include "dib_canvas.h"
#include "docking_fixtures.h"
#include "draw_helpers.h"
#include "tab_painter.h"
#include "ux_theme_slots.h"

namespace {

int SpaceHeightOf(CFont& font) {
  CDC dc;
  dc.Attach(::CreateCompatibleDC(nullptr));
  CTkFontSelector select(&dc, &font);
  return dc.GetTextExtent(CString(L" ")).cy;
}

TEST(DockingPainter, MetricsFromTheFonts) {
  for (int theme : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}) {
    SCOPED_TRACE(theme);
    auto painter = MakeTheme(theme);
    int expected = std::max(13, painter->m_captionSpacing + SpaceHeightOf(painter->m_captionFont));
    EXPECT_EQ(expected, painter->m_captionHeight);
    EXPECT_GE(painter->m_tabStripHeight, 24);
    EXPECT_EQ(std::max(24, SpaceHeightOf(painter->m_pContainerTabPainter->m_normalFont) + 10),
              painter->m_tabStripHeight);
    EXPECT_EQ(62u, painter->GetColor(62));
    EXPECT_EQ(RGB(1, 2, 3), painter->GetColor(static_cast<int>(RGB(1, 2, 3))));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), painter->GetColor(COLOR_BTNFACE));
  }
  auto painter = MakeTheme(0);
  // The caption band: 2 above, the caption, 1 below.
  DockingFixture f;
  f.site.SetPaneTheme(0);
  CTkDockingPaneObject* pane = f.MakePane(1);
  f.site.DockPane(pane, kDockLeft);
  f.Relayout();
  auto* container = static_cast<CTkDockingPaneTabbedContainer*>(pane->GetContainer());
  CRect rect(0, 0, 100, 100);
  f.site.GetPaintManager()->AdjustCaptionRect(container, &rect);
  EXPECT_EQ(f.site.GetPaintManager()->m_captionHeight + 3, rect.top);
  f.site.m_verticalCaptionMode = 1;
  rect.SetRect(0, 0, 100, 100);
  f.site.GetPaintManager()->AdjustCaptionRect(container, &rect);
  EXPECT_EQ(CRect(f.site.GetPaintManager()->m_captionHeight + 3, 0, 100, 100), rect);
}

TEST(DockingPainter, CaptionButtonsTakeTheirShareOffTheCaption) {
  struct {
    std::set<int> shown;
    int size;
    int gap;
    int cut;
  } cases[] = {
      {{kButtonClose, kButtonAutoHide, kButtonMenu}, 14, 2, 48},
      {{kButtonClose}, 14, 2, 16},
      {{}, 14, 2, 0},
      {{kButtonClose, kButtonMaximize}, 16, 0, 32},
  };
  auto painter = MakeTheme(4);
  for (const auto& c : cases) {
    ButtonOwner owner;
    owner.shown = c.shown;
    DibCanvas canvas(200, 30);
    CRect caption(0, 5, 200, 25);
    painter->DrawCaptionButtons(&canvas.dc, owner.m_captionButtons, &caption, 0, c.size, c.gap, FALSE);
    EXPECT_EQ(200 - c.cut, caption.right) << c.shown.size() << " buttons of " << c.size;
    for (CTkDockingPaneCaptionButton* button : owner.m_captionButtons)
      EXPECT_EQ(c.shown.count(button->GetId()) == 0, button->GetRect().IsRectEmpty());
  }
}

// Red pixels a glyph leaves inside its button, and their extent.
struct GlyphInk {
  int count = 0;
  CRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
};

GlyphInk DrawGlyph(CTkDockingPanePainter* painter, int id, int state) {
  ButtonOwner owner;
  owner.shown = {id};
  DibCanvas canvas(40, 40);
  canvas.Fill(RGB(0, 0, 255));
  CTkDockingPaneCaptionButton* button = owner.FindCaptionButton(id);
  button->m_state = state;
  button->SetRect(CRect(10, 10, 26, 26));
  painter->DrawCaptionButton(&canvas.dc, button, RGB(255, 0, 0));
  GlyphInk ink;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      if (canvas.Pixel(x, y) == RGB(255, 0, 0)) {
        ++ink.count;
        ink.box.left = std::min<int>(ink.box.left, x);
        ink.box.top = std::min<int>(ink.box.top, y);
        ink.box.right = std::max<int>(ink.box.right, x + 1);
        ink.box.bottom = std::max<int>(ink.box.bottom, y + 1);
      }
  return ink;
}

TEST(DockingPainter, GlyphsPerTheme) {
  struct {
    int theme;
    int id;
    bool glyph;
  } cases[] = {
      {0, kButtonAutoHide, true}, {0, kButtonMaximize, false}, {0, kButtonRestore, false},
      {0, kButtonMenu, false},    {0, kButtonClose, false},    {4, kButtonAutoHide, true},
      {4, kButtonMaximize, true}, {4, kButtonRestore, true},   {4, kButtonMenu, true},
      {4, kButtonClose, true},    {1, kButtonMenu, true},      {5, kButtonRestore, true},
      {8, kButtonClose, true},
  };
  for (const auto& c : cases) {
    auto painter = MakeTheme(c.theme);
    EXPECT_EQ(c.glyph, DrawGlyph(painter.get(), c.id, 1).count > 0) << "theme " << c.theme << " button " << c.id;
  }
  // The pin stands for a docked pane and lies for an auto-hidden one.
  for (int theme : {0, 4, 1, 5, 8, 2, 7, 6, 9}) {
    auto painter = MakeTheme(theme);
    GlyphInk standing = DrawGlyph(painter.get(), kButtonAutoHide, 1);
    GlyphInk lying = DrawGlyph(painter.get(), kButtonAutoHide, 3);
    EXPECT_GT(standing.box.Height(), standing.box.Width()) << theme;
    EXPECT_GT(lying.box.Width(), lying.box.Height()) << theme;
  }
}

TEST(DockingPainter, ThemeOneInactiveCaptionIsAnOutlineWithCutCorners) {
  auto painter = MakeTheme(1);
  auto* theme = static_cast<CTkDockingPaneTheme1*>(painter.get());
  DibCanvas canvas(100, 30);
  canvas.Fill(RGB(0, 0, 255));
  CRect caption(10, 5, 90, 25);
  EXPECT_EQ(painter->GetColor(COLOR_BTNTEXT), theme->DrawCaptionBackground(&canvas.dc, nullptr, caption, FALSE, FALSE));
  COLORREF outline = painter->GetColor(52);
  EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(10, 5));
  EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(89, 24));
  EXPECT_EQ(outline, canvas.Pixel(11, 5));
  EXPECT_EQ(outline, canvas.Pixel(10, 6));
  EXPECT_EQ(outline, canvas.Pixel(88, 24));
  EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(50, 15));
  EXPECT_EQ(painter->GetColor(COLOR_CAPTIONTEXT),
            theme->DrawCaptionBackground(&canvas.dc, nullptr, caption, TRUE, FALSE));
  EXPECT_EQ(painter->GetColor(COLOR_ACTIVECAPTION), canvas.Pixel(10, 5));
  EXPECT_EQ(painter->GetColor(COLOR_ACTIVECAPTION), canvas.Pixel(50, 15));
}

TEST(DockingPainter, ThemeEightWithoutVisualStylesLooksLikeThemeFour) {
  auto painter = MakeTheme(8);
  // The test prefix runs without visual styles.
  EXPECT_EQ(5, painter->m_pContainerTabPainter->m_appearanceId);
  EXPECT_EQ(6, painter->m_pAutoHideTabPainter->m_appearanceId);
  EXPECT_FALSE(painter->m_pContainerTabPainter->m_bHotTracking);
  EXPECT_EQ(0, painter->m_captionMargins.top);
  EXPECT_EQ(9, painter->m_captionSpacing);
}

TEST(DockingPainter, OnlyTheFirstSplitterStyleApplies) {
  DockingFixture f;
  CTkDockingPaneObject* a = f.MakePane(1);
  f.site.DockPane(a, kDockLeft);
  f.site.DockPane(f.MakePane(2), kDockBottom, a);
  f.Relayout();
  auto* group = static_cast<CTkDockingPaneSplitGroup*>(a->GetContainer()->GetParentNode());
  ASSERT_EQ(1u, group->m_splitBars.size());
  CTkDockingPaneSplitBar* bar = group->m_splitBars[0];
  CRect client;
  bar->GetClientRect(&client);
  ASSERT_EQ(4, client.Height());
  CTkDockingPanePainter* painter = f.site.GetPaintManager();
  COLORREF face = painter->m_splitterFace;
  struct {
    int style;
    int firstRow;   // colour index of row 0, -1 the face
    int secondRow;  // colour index of row 1, -1 the face
  } cases[] = {
      {0, -1, -1},
      {1, COLOR_BTNHIGHLIGHT, -1},
      {1 | 2 | 4, COLOR_BTNHIGHLIGHT, -1},
      {2, COLOR_3DDKSHADOW, COLOR_WINDOW},
      {2 | 4, COLOR_3DDKSHADOW, COLOR_WINDOW},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.style);
    painter->m_splitterStyle = c.style;
    DibCanvas canvas(client.Width(), 4);
    canvas.Fill(RGB(1, 2, 3));
    painter->DrawSplitter(&canvas.dc, bar);
    EXPECT_EQ(c.firstRow < 0 ? face : painter->GetColor(c.firstRow), canvas.Pixel(3, 0));
    EXPECT_EQ(c.secondRow < 0 ? face : painter->GetColor(c.secondRow), canvas.Pixel(3, 1));
  }
  painter->m_splitterStyle = 0x100;
  DibCanvas canvas(client.Width(), 4);
  painter->DrawSplitter(&canvas.dc, bar);
  EXPECT_EQ(static_cast<COLORREF>(painter->m_splitterShadow), canvas.Pixel(client.Width() / 2 + 1, 2));
  EXPECT_EQ(face, canvas.Pixel(client.Width() / 2 + 1, 1));
}

}  // namespace

namespace {

// Theme 8 on a system with visual styles, played through the library's
// entry slots.
class ThemedPanes : public UxThemeSlotsTest {
 protected:
  struct Call {
    int part;
    int state;
  };
  static std::vector<Call>& Calls() {
    static std::vector<Call> calls;
    return calls;
  }
  static HTHEME WINAPI Open(HWND, LPCWSTR) { return reinterpret_cast<HTHEME>(static_cast<INT_PTR>(7)); }
  static HRESULT WINAPI Close(HTHEME) { return S_OK; }
  static BOOL WINAPI Themed() { return TRUE; }
  static HRESULT WINAPI Draw(HTHEME, HDC, int part, int state, const RECT*, const RECT*) {
    Calls().push_back({part, state});
    return S_OK;
  }
};

TEST_F(ThemedPanes, ThemeEightTakesTheRebarAndToolBarLooks) {
  GetColorScheme();  // made before the fakes, from the real system
  ClearSlots();
  GetUxThemeModule().module = nullptr;
  Install(kOpenThemeData, &Open);
  Install(kCloseThemeData, &Close);
  Install(kIsAppThemed, &Themed);
  Install(kDrawThemeBackground, &Draw);
  {
    auto painter = MakeTheme(8);
    for (CTkTabPainter* tabs : {painter->m_pContainerTabPainter, painter->m_pAutoHideTabPainter}) {
      EXPECT_EQ(0, tabs->m_appearanceId);
      EXPECT_EQ(8, tabs->m_colorSetId);
      EXPECT_TRUE(tabs->m_bHotTracking);
    }
    ButtonOwner owner;
    owner.shown = {kButtonClose};
    CTkDockingPaneCaptionButton* button = owner.FindCaptionButton(kButtonClose);
    button->SetRect(CRect(2, 2, 18, 18));
    DibCanvas canvas(20, 20);
    struct {
      BOOL hot;
      BOOL pressed;
      int calls;
      int state;
    } cases[] = {{FALSE, FALSE, 0, 0}, {TRUE, FALSE, 1, 2}, {TRUE, TRUE, 1, 3}, {FALSE, TRUE, 1, 3}};
    for (const auto& c : cases) {
      Calls().clear();
      button->m_bHot = c.hot;
      button->m_bPressed = c.pressed;
      painter->DrawCaptionButton(&canvas.dc, button, 0);
      ASSERT_EQ(static_cast<size_t>(c.calls), Calls().size()) << c.hot << c.pressed;
      if (c.calls > 0) {
        EXPECT_EQ(1, Calls()[0].part);
        EXPECT_EQ(c.state, Calls()[0].state);
      }
    }
  }
  Calls().clear();
}

}  // namespace
