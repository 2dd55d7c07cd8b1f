// The gradient pane themes' pixels: theme 2's caption buttons in and out of
// an XP colour scheme, its grip, theme 7's square captions, theme 9's tabs
// and captions, the auto-hide strips' gradient, and theme 3's visual-style
// parts.
#include <gtest/gtest.h>

#include <windows.h>
#include <vssym32.h>

#include <algorithm>
#include <cstdlib>

#include "dib_canvas.h"
#include "docking_fixtures.h"
#include "docking_pane_gradient_themes.h"
#include "tab_painter.h"
#include "ux_theme_slots.h"

namespace {

// Chooses an XP colour scheme for the test's length.
class ChosenXPScheme {
 public:
  explicit ChosenXPScheme(XPSchemeId scheme) { Choose(scheme); }
  ~ChosenXPScheme() { Choose(xpSystem); }
  ChosenXPScheme(const ChosenXPScheme&) = delete;
  ChosenXPScheme& operator=(const ChosenXPScheme&) = delete;

 private:
  static void Choose(XPSchemeId scheme) {
    GetColorScheme()->SetChosenXPScheme(scheme);
    GetColorScheme()->RefreshColors();
  }
};

// A gradient's first and last rows inside a frame are a step or two off
// its ends.
bool Near(COLORREF a, COLORREF b, int tolerance = 10) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

int CountPixels(const DibCanvas& canvas, const CRect& area, COLORREF color) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (canvas.Pixel(x, y) == color) ++count;
  return count;
}

TEST(DockingGradientThemes, ThemeTwoButtonsFollowTheXPScheme) {
  const COLORREF kCaption = RGB(1, 2, 3);
  struct {
    const char* name;
    XPSchemeId chosen;
    int painterChoice;
    BOOL pressed;
    bool xp;
    COLORREF top;     // the face's first row inside the frame, XP gradients only
    COLORREF bottom;  // its last row
    int plainFace;    // colour index of a plain face
    int plainGlyph;   // colour index of the glyph on a plain face
  } cases[] = {
      {"blue scheme, hot", xpBlue, xpDefault, FALSE, true, 0xc8f2ff, 0x97d4ff, 0, 0},
      {"silver scheme, pressed", xpSilver, xpDefault, TRUE, true, 0x4b8efe, 0x8bcfff, 0, 0},
      {"no scheme, hot", xpNone, xpDefault, FALSE, false, 0, 0, 31, 45},
      {"no scheme, pressed", xpNone, xpDefault, TRUE, false, 0, 0, 33, 47},
      {"XP colours switched off", xpBlue, xpNone, FALSE, false, 0, 0, 31, 45},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ChosenXPScheme scheme(c.chosen);
    PainterPtr painter = MakeTheme(2);
    painter->m_xpScheme = c.painterChoice;
    painter->RefreshMetrics();
    auto* theme = static_cast<CTkDockingPaneTheme2*>(painter.get());
    EXPECT_EQ(c.xp, theme->m_bXPColors != FALSE);
    ButtonOwner owner;
    owner.shown = {kButtonClose};
    CTkDockingPaneCaptionButton* button = owner.FindCaptionButton(kButtonClose);
    button->SetRect(CRect(10, 10, 26, 26));
    button->m_bHot = TRUE;
    button->m_bPressed = c.pressed;
    DibCanvas canvas(40, 40);
    canvas.Fill(RGB(0, 0, 255));
    painter->DrawCaptionButton(&canvas.dc, button, kCaption);
    EXPECT_EQ(painter->GetColor(32), canvas.Pixel(10, 10)) << "frame";
    EXPECT_EQ(painter->GetColor(32), canvas.Pixel(25, 20)) << "frame";
    // The close cross starts at (x - 4, y - 3) of the centre (18, 18).
    COLORREF glyph = canvas.Pixel(14, 15);
    if (c.xp) {
      EXPECT_TRUE(Near(c.top, canvas.Pixel(20, 11))) << std::hex << canvas.Pixel(20, 11);
      EXPECT_TRUE(Near(c.bottom, canvas.Pixel(20, 24))) << std::hex << canvas.Pixel(20, 24);
      EXPECT_EQ(RGB(0, 0, 0), glyph);
    } else {
      EXPECT_EQ(painter->GetColor(c.plainFace), canvas.Pixel(20, 11));
      EXPECT_EQ(painter->GetColor(c.plainFace), canvas.Pixel(20, 24));
      EXPECT_EQ(painter->GetColor(c.plainGlyph), glyph);
    }
  }
  // Neither hot nor pressed: no face, the glyph in the caption's colour.
  PainterPtr painter = MakeTheme(2);
  ButtonOwner owner;
  owner.shown = {kButtonClose};
  CTkDockingPaneCaptionButton* button = owner.FindCaptionButton(kButtonClose);
  button->SetRect(CRect(10, 10, 26, 26));
  DibCanvas canvas(40, 40);
  canvas.Fill(RGB(0, 0, 255));
  painter->DrawCaptionButton(&canvas.dc, button, kCaption);
  EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(10, 10));
  EXPECT_EQ(kCaption, canvas.Pixel(14, 15));
}

TEST(DockingGradientThemes, ThemeTwoTakesTheSchemeTables) {
  ChosenXPScheme scheme(xpOlive);
  PainterPtr painter = MakeTheme(2);
  auto* theme = static_cast<CTkDockingPaneTheme2*>(painter.get());
  // The splitter's grip keeps the scheme's colour 38, not the table's.
  EXPECT_EQ(GetColorScheme()->GetColor(38), static_cast<COLORREF>(theme->m_splitterShadow));
  EXPECT_EQ(0x335e51u, painter->GetColor(38));
  EXPECT_EQ(0xbfe7e2u, static_cast<COLORREF>(theme->m_splitterFace));
  EXPECT_EQ(0.3f, theme->m_inactiveCaption.m_factor);
  EXPECT_EQ(0x8cd5ffu, static_cast<COLORREF>(theme->m_activeCaption.m_first));
  EXPECT_EQ(static_cast<COLORREF>(GetColorScheme()->GetGradient(1).m_second),
            static_cast<COLORREF>(theme->m_splitterGradient.m_second));
}

// A frame with two panes as tabs of one container, in a chosen theme.
class ThemedContainer {
 public:
  explicit ThemedContainer(int theme, int direction = kDockLeft) {
    f.site.SetPaneTheme(theme);
    CTkDockingPaneObject* a = f.MakePane(1, L"Alpha");
    f.site.DockPane(a, direction);
    f.site.AttachPane(f.MakePane(2, L"Beta"), a);
    f.Relayout();
    container = static_cast<CTkDockingPaneTabbedContainer*>(a->GetContainer());
    container->GetClientRect(&client);
  }
  CTkDockingPanePainter* Painter() { return f.site.GetPaintManager(); }
  int CaptionBand() { return Painter()->m_captionHeight + 3; }

  DockingFixture f;
  CTkDockingPaneTabbedContainer* container = nullptr;
  CRect client;
};

TEST(DockingGradientThemes, ThemeSevenSquaresTheCaptionThatThemeTwoRounds) {
  for (int theme : {2, 7}) {
    SCOPED_TRACE(theme);
    ThemedContainer t(theme);
    ASSERT_FALSE(t.container->IsContainerActive());
    DibCanvas canvas(t.client.Width(), t.client.Height());
    canvas.Fill(RGB(0, 0, 255));
    canvas.dc.SetBkMode(TRANSPARENT);
    t.Painter()->DrawCaption(&canvas.dc, t.container, t.client);
    const int band = t.CaptionBand();
    const int right = t.client.Width() - 1;
    COLORREF line = t.Painter()->GetColor(54);
    COLORREF face = t.Painter()->m_splitterFace;
    COLORREF light = t.Painter()->GetColor(COLOR_BTNHIGHLIGHT);
    COLORREF dark = t.Painter()->GetColor(38);
    if (theme == 7) {
      for (CPoint p : {CPoint(0, 0), CPoint(0, band - 1), CPoint(right / 2, 0), CPoint(right, 0), CPoint(right, band - 1)})
        EXPECT_EQ(line, canvas.Pixel(p.x, p.y)) << p.x << "," << p.y;
      EXPECT_NE(line, canvas.Pixel(right / 2, band - 1)) << "the bottom stays open";
      EXPECT_EQ(0, CountPixels(canvas, CRect(0, 0, 12, band), light)) << "no grip";
    } else {
      // Rounded: the gradient's corners show the splitter face beneath.
      for (CPoint p : {CPoint(0, 0), CPoint(1, 0), CPoint(right, 0), CPoint(1, band - 1), CPoint(right, band - 1)})
        EXPECT_EQ(face, canvas.Pixel(p.x, p.y)) << p.x << "," << p.y;
      EXPECT_NE(face, canvas.Pixel(2, 0));
      // The grip's first dot: dark at (5, 5), light one pixel below right.
      EXPECT_EQ(dark, canvas.Pixel(5, 5));
      EXPECT_EQ(light, canvas.Pixel(7, 7));
    }
  }
}

TEST(DockingGradientThemes, ThemeTwoGripNeedsEightPixels) {
  PainterPtr painter = MakeTheme(2);
  auto* theme = static_cast<CTkDockingPaneTheme2*>(painter.get());
  COLORREF dark = painter->GetColor(38);
  struct {
    int length;  // the caption less the 4 pixels kept free at its end
    BOOL vertical;
    bool grip;
  } cases[] = {{7, FALSE, false}, {8, FALSE, true}, {7, TRUE, false}, {8, TRUE, true}};
  for (const auto& c : cases) {
    DibCanvas canvas(40, 40);
    canvas.Fill(RGB(0, 0, 255));
    CRect caption = c.vertical ? CRect(2, 2, 26, 2 + c.length + 4) : CRect(2, 2, 2 + c.length + 4, 26);
    theme->DrawCaptionContent(&canvas.dc, nullptr, caption, CString(), FALSE, c.vertical);
    EXPECT_EQ(c.grip, CountPixels(canvas, CRect(0, 0, 40, 40), dark) > 0)
        << "length " << c.length << (c.vertical ? " vertical" : "");
  }
}

TEST(DockingGradientThemes, ThemeNineFillsOnlyTheSelectedTab) {
  // On the right the header's gradient is far from the tabs' face colour.
  ThemedContainer t(9, kDockRight);
  ASSERT_TRUE(t.container->IsTabsVisible());
  ASSERT_EQ(2, t.container->GetTabCount());
  DibCanvas canvas(t.client.Width(), t.client.Height());
  canvas.Fill(RGB(0, 0, 255));
  t.Painter()->DrawPane(&canvas.dc, t.container, t.client);
  CTkTabManagerItem* selected = t.container->GetSelectedTab();
  ASSERT_NE(nullptr, selected);
  CTkTabManagerItem* other = t.container->GetTab(selected->m_index == 0 ? 1 : 0);
  // A point left of the caption text, away from the rounded outline.
  auto inside = [](const CRect& tab) { return CPoint(tab.left + 3, (tab.top + tab.bottom) / 2); };
  CPoint s = inside(selected->m_rect);
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(s.x, s.y));
  // The other tab shows the header: the colour at its column just below it.
  CPoint o = inside(other->m_rect);
  int header = other->m_rect.bottom;
  ASSERT_LT(header, t.client.bottom);
  EXPECT_EQ(canvas.Pixel(o.x, header), canvas.Pixel(o.x, o.y));
  EXPECT_NE(RGB(255, 255, 255), canvas.Pixel(o.x, o.y));
  EXPECT_NE(static_cast<COLORREF>(t.Painter()->m_pContainerTabPainter->GetColorSet()->m_face),
            canvas.Pixel(o.x, o.y));

  // The auto-hide tabs are all boxed, but their colour set too fills only
  // the selected one.
  CTkTabPalette* autoHide = t.Painter()->m_pAutoHideTabPainter->GetColorSet();
  DibCanvas tabs(20, 20);
  tabs.Fill(RGB(0, 0, 255));
  EXPECT_EQ(kColorUnset, autoHide->FillTab(&tabs.dc, CRect(0, 0, 20, 20), other));
  EXPECT_EQ(RGB(0, 0, 255), tabs.Pixel(10, 10));
  EXPECT_NE(kColorUnset, autoHide->FillTab(&tabs.dc, CRect(0, 0, 20, 20), selected));
  EXPECT_NE(RGB(0, 0, 255), tabs.Pixel(10, 10));

  // The caption's outline is open towards the pane, whose area starts on
  // the caption's last row.
  COLORREF outline = static_cast<CTkDockingPaneTheme9*>(t.Painter())->m_outline;
  int band = t.Painter()->m_captionHeight;
  EXPECT_EQ(outline, canvas.Pixel(0, band - 1));
  EXPECT_EQ(outline, canvas.Pixel(t.client.Width() / 2, 0));
  EXPECT_NE(outline, canvas.Pixel(t.client.Width() / 2, band - 1));
}

// The auto-hide strips' background is the header gradient of the auto-hide
// tabs' colours, running from the frame's left edge across the left and the
// right strip as one gradient; equal ends fill plainly.
TEST(DockingGradientThemes, StripsContinueOneGradient) {
  struct {
    const char* name;
    int theme;
    XPSchemeId scheme;
    COLORREF first;  // the ends the scheme's table gives, kColorUnset: the system's
    COLORREF second;
  } cases[] = {
      {"theme 2, blue scheme", 2, xpBlue, 0xf5be9e, 0xfadac4},
      {"theme 7, silver scheme", 7, xpSilver, 0xe5d7d7, 0xf7f3f3},
      {"theme 9, olive scheme", 9, xpOlive, 0xd7e5e5, 0xe7f1f4},
      {"theme 6, no scheme", 6, xpNone, kColorUnset, kColorUnset},
      {"theme 0 fills plainly", 0, xpNone, kColorUnset, kColorUnset},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ChosenXPScheme scheme(c.scheme);
    DockingFixture f;
    f.site.SetPaneTheme(c.theme);
    for (int side : {kDockLeft, kDockRight}) {
      CTkDockingPaneObject* pane = f.MakePane(side + 1, L"Hidden");
      f.site.DockPane(pane, side);
      f.Relayout();
      f.site.HidePane(pane);
    }
    f.Relayout();
    const CTkGradientColor& gradient =
        f.site.GetPaintManager()->m_pAutoHideTabPainter->GetColorSet()->m_autoHideGradient;
    COLORREF first = gradient.m_first;
    COLORREF second = gradient.m_second;
    if (c.first != kColorUnset) {
      EXPECT_EQ(c.first, first) << std::hex << first;
      EXPECT_EQ(c.second, second) << std::hex << second;
    }
    bool plain = c.theme == 0;
    EXPECT_EQ(plain, first == second);
    if (!plain) {
      // Ends far enough apart for a place along the gradient to show.
      ASSERT_GT(std::abs(GetRValue(first) - GetRValue(second)) + std::abs(GetGValue(first) - GetGValue(second)) +
                    std::abs(GetBValue(first) - GetBValue(second)),
                20);
    }
    // The gradient spans at least half the screen from the frame's left edge.
    const int span = std::max(::GetSystemMetrics(SM_CXFULLSCREEN) / 2, 600);
    auto along = [&](int x) {
      auto mix = [&](int a, int b) { return a + (b - a) * x / span; };
      return RGB(mix(GetRValue(first), GetRValue(second)), mix(GetGValue(first), GetGValue(second)),
                 mix(GetBValue(first), GetBValue(second)));
    };
    for (int side : {kDockLeft, kDockRight}) {
      SCOPED_TRACE(side == kDockLeft ? "left strip" : "right strip");
      auto* strip = static_cast<CTkDockingPaneHiddenStrip*>(f.Layout()->m_strips[side]);
      ASSERT_NE(nullptr, strip->GetSafeHwnd());
      CRect band;
      strip->GetWindowRect(&band);
      f.frame->ScreenToClient(&band);
      DibCanvas canvas(band.Width(), band.Height());
      canvas.Fill(RGB(0, 0, 255));
      strip->DrawStrip(&canvas.dc);
      // Below the tabs, at both edges of the band.
      const int y = band.Height() - 3;
      for (int x : {0, band.Width() - 1}) {
        COLORREF expected = plain ? first : along(band.left + x);
        EXPECT_TRUE(Near(expected, canvas.Pixel(x, y), 3))
            << "x " << x << ": " << std::hex << canvas.Pixel(x, y) << " for " << expected;
      }
    }
  }
}

// Theme 3 on a system with visual styles, played through the library's
// entry slots: which part and state each drawing asks for.
class VisualStylePanes : public UxThemeSlotsTest {
 protected:
  enum { kWindow = 11, kExplorerBar = 12 };
  struct Call {
    INT_PTR theme;
    int part;
    int state;
  };
  static std::vector<Call>& Calls() {
    static std::vector<Call> calls;
    return calls;
  }
  static HTHEME WINAPI Open(HWND, LPCWSTR classList) {
    INT_PTR id = lstrcmpW(classList, L"WINDOW") == 0 ? kWindow : lstrcmpW(classList, L"EXPLORERBAR") == 0 ? kExplorerBar : 0;
    return reinterpret_cast<HTHEME>(id);
  }
  static HRESULT WINAPI Close(HTHEME) { return S_OK; }
  static BOOL WINAPI Themed() { return TRUE; }
  static HRESULT WINAPI Draw(HTHEME theme, HDC, int part, int state, const RECT*, const RECT*) {
    Calls().push_back({reinterpret_cast<INT_PTR>(theme), part, state});
    return S_OK;
  }
  void InstallFakes() {
    GetColorScheme();  // made before the fakes, from the real system
    ClearSlots();
    GetUxThemeModule().module = nullptr;
    Install(kOpenThemeData, &Open);
    Install(kCloseThemeData, &Close);
    Install(kIsAppThemed, &Themed);
    Install(kDrawThemeBackground, &Draw);
  }
  void TearDown() override {
    Calls().clear();
    UxThemeSlotsTest::TearDown();
  }
};

TEST_F(VisualStylePanes, ThemeThreeDrawsTheExplorerBarButtons) {
  InstallFakes();
  PainterPtr painter = MakeTheme(3);
  ButtonOwner owner;
  owner.shown = {kButtonClose, kButtonAutoHide};
  DibCanvas canvas(20, 20);
  struct {
    int id;
    int buttonState;  // bit 1: the pane is auto-hidden
    BOOL hot;
    BOOL pressed;
    int part;
    int state;
  } cases[] = {
      // Docked: the selected pin states.
      {kButtonAutoHide, 1, FALSE, FALSE, EBP_HEADERPIN, 4},
      {kButtonAutoHide, 1, TRUE, FALSE, EBP_HEADERPIN, 5},
      {kButtonAutoHide, 1, TRUE, TRUE, EBP_HEADERPIN, 6},
      // Auto-hidden: the plain ones.
      {kButtonAutoHide, 3, FALSE, FALSE, EBP_HEADERPIN, 1},
      {kButtonAutoHide, 3, TRUE, FALSE, EBP_HEADERPIN, 2},
      {kButtonAutoHide, 3, FALSE, TRUE, EBP_HEADERPIN, 3},
      // The owner here is no container: it counts as active.
      {kButtonClose, 1, FALSE, FALSE, EBP_HEADERCLOSE, 2},
      {kButtonClose, 1, TRUE, TRUE, EBP_HEADERCLOSE, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.id << " state " << c.buttonState << " hot " << c.hot << " pressed "
                                    << c.pressed);
    CTkDockingPaneCaptionButton* button = owner.FindCaptionButton(c.id);
    button->SetRect(CRect(2, 2, 18, 18));
    button->m_state = c.buttonState;
    button->m_bHot = c.hot;
    button->m_bPressed = c.pressed;
    Calls().clear();
    painter->DrawCaptionButton(&canvas.dc, button, 0);
    ASSERT_EQ(1u, Calls().size());
    EXPECT_EQ(kExplorerBar, Calls()[0].theme);
    EXPECT_EQ(c.part, Calls()[0].part);
    EXPECT_EQ(c.state, Calls()[0].state);
  }
  // An inactive floating frame: its three small-frame edges, then the caption.
  Calls().clear();
  DibCanvas frame(200, 100);
  painter->DrawFloatingFrame(&frame.dc, nullptr, CRect(0, 0, 200, 100));
  ASSERT_EQ(4u, Calls().size());
  const int parts[] = {WP_SMALLFRAMELEFT, WP_SMALLFRAMERIGHT, WP_SMALLFRAMEBOTTOM, WP_SMALLCAPTION};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(kWindow, Calls()[i].theme);
    EXPECT_EQ(parts[i], Calls()[i].part);
    EXPECT_EQ(2, Calls()[i].state);
  }
}

TEST(DockingGradientThemes, ThemeThreeWithoutVisualStylesDrawsAsThemesFourAndOne) {
  // The test prefix runs without visual styles.
  PainterPtr painter = MakeTheme(3);
  EXPECT_FALSE(painter->m_pContainerTabPainter->GetColorSet()->IsThemed());
  auto* theme = static_cast<CTkDockingPaneTheme3*>(painter.get());
  DibCanvas canvas(100, 30);
  canvas.Fill(RGB(0, 0, 255));
  theme->DrawCaptionContent(&canvas.dc, nullptr, CRect(0, 0, 100, 30), CString(), TRUE, FALSE);
  // Theme 1's gradient caption, left to right.
  EXPECT_TRUE(Near(static_cast<COLORREF>(theme->m_activeCaption.m_first), canvas.Pixel(0, 15)));
  EXPECT_TRUE(Near(static_cast<COLORREF>(theme->m_activeCaption.m_second), canvas.Pixel(99, 15)));
}

}  // namespace
