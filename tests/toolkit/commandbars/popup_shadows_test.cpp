// Popup shadows: where the strips go, what they hold with and without
// layered windows, which looks cast them, and that they never cover a popup.
#include <gtest/gtest.h>

#include "bar_fixtures.h"
#include "bar_painter.h"
#include "command_bar.h"
#include "dib_canvas.h"
#include "popup_shadows.h"
#include "test_app.h"

namespace {

BOOL DropShadowOn() { return TRUE; }
BOOL DropShadowOff() { return FALSE; }

class PopupShadowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedLayered = GetPopupShadows().m_pUpdateLayeredWindow;
    savedQuery = CTkPopupShadows::QueryDropShadow;
    CTkPopupShadows::QueryDropShadow = DropShadowOn;
  }
  void TearDown() override {
    for (CTkCommandBar* bar : bars) {
      if (bar->GetSafeHwnd() != nullptr) bar->DestroyWindow();
      bar->InternalRelease();
    }
    PumpPending();
    GetPopupShadows().m_pUpdateLayeredWindow = savedLayered;
    CTkPopupShadows::QueryDropShadow = savedQuery;
  }
  // A popup-like bar window at a screen rectangle, painted by a look.
  CTkCommandBar* MakePopup(const CRect& rect, int theme) {
    auto* bar = new CTkCommandBar;
    bars.push_back(bar);
    bar->SetPosition(kBarPopupPosition);
    bar->SetPaintManager(CreateBarPainter(theme));
    bar->CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), L"", WS_POPUP | WS_VISIBLE, rect, nullptr, 0);
    return bar;
  }
  static CRect WindowOf(CTkPopupShadowWnd* shadow) {
    CRect rect;
    ::GetWindowRect(shadow->GetSafeHwnd(), &rect);
    return rect;
  }
  // Whether a screen point lies inside the shadow's window region.
  static bool RegionHolds(CTkPopupShadowWnd* shadow, CPoint screen) {
    const CRect window = WindowOf(shadow);
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    const int kind = ::GetWindowRgn(shadow->GetSafeHwnd(), region);
    const bool inside = kind == ERROR ? window.PtInRect(screen) != FALSE
                                      : ::PtInRegion(region, screen.x - window.left, screen.y - window.top) != FALSE;
    ::DeleteObject(region);
    return inside;
  }

  std::vector<CTkCommandBar*> bars;
  CTkPopupShadows::UpdateLayeredWindowProc savedLayered = nullptr;
  BOOL (*savedQuery)() = nullptr;
};

TEST_F(PopupShadowTest, StripsLieBelowAndRightOfThePopup) {
  ASSERT_TRUE(GetPopupShadows().IsLayered()) << "user32 has UpdateLayeredWindow";
  struct Case {
    const char* name;
    bool layered;
    CRect bottom, right;
  };
  const Case cases[] = {
      {"layered", true, CRect(14, 110, 214, 114), CRect(210, 14, 214, 110)},
      {"solid", false, CRect(12, 110, 212, 112), CRect(210, 12, 212, 110)},
  };
  for (const Case& c : cases) {
    GetPopupShadows().m_pUpdateLayeredWindow = c.layered ? savedLayered : nullptr;
    CTkCommandBar* popup = MakePopup(CRect(10, 10, 210, 110), 1);
    GetPopupShadows().AddBarShadows(popup, nullptr);
    ASSERT_EQ(2, GetPopupShadows().GetShadowCount()) << c.name;
    CTkPopupShadowWnd* bottom = GetPopupShadows().GetShadow(0);
    CTkPopupShadowWnd* right = GetPopupShadows().GetShadow(1);
    EXPECT_TRUE(bottom->m_bBottom) << c.name;
    EXPECT_EQ(c.bottom, WindowOf(bottom)) << c.name;
    EXPECT_EQ(c.right, WindowOf(right)) << c.name;
    EXPECT_TRUE(::IsWindowVisible(bottom->GetSafeHwnd())) << c.name;
    EXPECT_NE(0, ::GetWindowLongPtrW(bottom->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) << c.name;
    EXPECT_EQ(c.layered, (::GetWindowLongPtrW(bottom->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0) << c.name;
    EXPECT_EQ(HTTRANSPARENT, ::SendMessageW(bottom->GetSafeHwnd(), WM_NCHITTEST, 0, MAKELPARAM(20, 111))) << c.name;
    if (!c.layered) {
      // The solid strip paints itself in the button-shadow colour.
      DibCanvas canvas(200, 2);
      canvas.Fill(RGB(1, 2, 3));
      ::SendMessageW(bottom->GetSafeHwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc.GetSafeHdc()),
                     PRF_CLIENT);
      EXPECT_EQ(GetColorScheme()->GetColor(COLOR_BTNSHADOW), canvas.Pixel(100, 1)) << c.name;
    }
    // Hiding the popup hides its shadows; destroying it takes them away.
    popup->ShowWindow(SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(bottom->GetSafeHwnd())) << c.name;
    popup->ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(::IsWindowVisible(bottom->GetSafeHwnd())) << c.name;
    popup->DestroyWindow();
    EXPECT_EQ(0, GetPopupShadows().GetShadowCount()) << c.name;
  }
}

TEST_F(PopupShadowTest, LooksWithoutShadowsRelyOnTheSystemsDropShadow) {
  struct Case {
    const char* name;
    int theme;
    bool layered;
    BOOL (*dropShadow)();
    int shadows;
  };
  const Case cases[] = {
      {"flat, solid", 1, false, DropShadowOff, 2},
      {"gradient, solid", 2, false, DropShadowOff, 2},
      {"theme 4, layered", 4, true, DropShadowOff, 2},
      {"classic, layered with drop shadows", 0, true, DropShadowOn, 2},
      {"classic, drop shadows off", 0, true, DropShadowOff, 0},
      {"native, solid", 3, false, DropShadowOn, 0},
  };
  for (const Case& c : cases) {
    GetPopupShadows().m_pUpdateLayeredWindow = c.layered ? savedLayered : nullptr;
    CTkPopupShadows::QueryDropShadow = c.dropShadow;
    CTkCommandBar* popup = MakePopup(CRect(10, 10, 210, 110), c.theme);
    GetPopupShadows().AddBarShadows(popup, nullptr);
    EXPECT_EQ(c.shadows, GetPopupShadows().GetShadowCount()) << c.name;
    GetPopupShadows().RemoveShadows(popup->GetSafeHwnd());
    EXPECT_EQ(0, GetPopupShadows().GetShadowCount()) << c.name;
  }
  // A painter with shadows switched off casts none.
  GetPopupShadows().m_pUpdateLayeredWindow = savedLayered;
  CTkCommandBar* popup = MakePopup(CRect(10, 10, 210, 110), 1);
  popup->GetPaintManager()->m_bShadowsEnabled = FALSE;
  GetPopupShadows().AddBarShadows(popup, nullptr);
  EXPECT_EQ(0, GetPopupShadows().GetShadowCount());
}

TEST_F(PopupShadowTest, LayeredPixelsFadeOutwardsAndAtTheEnds) {
  const COLORREF color = RGB(100, 200, 40);
  struct Case {
    const char* name;
    BOOL bottom, soft;
    int x, y;
    int alpha;
    int red;
  };
  // A 200 x 4 bottom strip and a 4 x 96 right strip.
  const Case cases[] = {
      {"bottom, next to the popup", TRUE, TRUE, 100, 0, 60, 100},
      {"bottom, second row", TRUE, TRUE, 100, 1, 45, 75},
      {"bottom, outer row", TRUE, TRUE, 100, 3, 15, 25},
      {"bottom, outer row, hard owner", TRUE, FALSE, 100, 3, 30, 25},
      {"bottom-right corner", TRUE, TRUE, 199, 3, 3, 5},
      {"bottom-right corner, hard owner", TRUE, FALSE, 199, 3, 6, 5},
      {"bottom-left corner", TRUE, TRUE, 0, 3, 3, 5},
      {"bottom end, inner corner", TRUE, TRUE, 196, 0, 48, 80},
      {"right, next to the popup", FALSE, TRUE, 0, 50, 60, 100},
      {"right, outer column", FALSE, TRUE, 3, 50, 15, 25},
      {"right, top corner", FALSE, TRUE, 3, 0, 3, 5},
  };
  for (const Case& c : cases) {
    const int width = c.bottom ? 200 : 4;
    const int height = c.bottom ? 4 : 96;
    const DWORD pixel = CTkPopupShadowWnd::ShadowPixel(c.x, c.y, width, height, c.bottom, c.soft, color);
    EXPECT_EQ(c.alpha, static_cast<int>(pixel >> 24)) << c.name;
    EXPECT_EQ(c.red, static_cast<int>((pixel >> 16) & 0xFF)) << c.name;
  }
}

TEST_F(PopupShadowTest, ShadowsNeverCoverAPopup) {
  // A submenu that opened over its parent's lower left: its right strip
  // would run over the parent.
  CTkCommandBar* parent = MakePopup(CRect(100, 100, 300, 200), 1);
  CTkCommandBar* submenu = MakePopup(CRect(50, 60, 150, 120), 1);
  GetPopupShadows().AddBarShadows(parent, nullptr);
  GetPopupShadows().AddBarShadows(submenu, nullptr);
  ASSERT_EQ(4, GetPopupShadows().GetShadowCount());
  CTkPopupShadowWnd* right = GetPopupShadows().GetShadow(3);
  ASSERT_FALSE(right->m_bBottom);
  EXPECT_EQ(CRect(150, 64, 154, 120), WindowOf(right));
  EXPECT_TRUE(RegionHolds(right, CPoint(151, 80)));
  EXPECT_FALSE(RegionHolds(right, CPoint(151, 110))) << "over the parent";

  // A flat look's popup keeps its shadow off the control that opened it.
  CTkCommandBar* menu = MakePopup(CRect(400, 100, 500, 200), 1);
  const CRect button(380, 190, 480, 230);
  GetPopupShadows().AddBarShadows(menu, &button);
  CTkPopupShadowWnd* bottom = GetPopupShadows().GetShadow(4);
  ASSERT_TRUE(bottom->m_bBottom);
  EXPECT_FALSE(RegionHolds(bottom, CPoint(450, 201)));
  EXPECT_TRUE(RegionHolds(bottom, CPoint(490, 201)));
  menu->DestroyWindow();
  submenu->DestroyWindow();
  parent->DestroyWindow();
  EXPECT_EQ(0, GetPopupShadows().GetShadowCount());
}

// Popups cast their shadows as they show and lose them as they close; a
// menu title on a bar also shades its own face while its menu is open.
class PopupBarShadowTest : public BarWindowTest {
 protected:
  void SetUp() override {
    BarWindowTest::SetUp();
    SetCurrentTheme(1);
    commandBars->GetCommandBarsOptions()->nAnimationType = 5;
  }
  void TearDown() override {
    GetMouseTracker()->CloseTrackedBars();
    BarWindowTest::TearDown();
    EXPECT_EQ(0, GetPopupShadows().GetShadowCount());
  }
};

TEST_F(PopupBarShadowTest, ShownPopupsCastShadowsAndClosedOnesLoseThem) {
  CTkPopupBar* popup = CTkPopupBar::CreateForCommandBars(commandBars);
  popup->GetControls()->AddControl(new FixedControl(120, 20), kCmdPlain);
  ASSERT_TRUE(popup->PopupAt(100, 100, nullptr));
  ASSERT_EQ(2, GetPopupShadows().GetShadowCount());
  CRect window;
  popup->GetWindowRect(&window);
  const int s = GetPopupShadows().IsLayered() ? 4 : 2;
  CTkPopupShadowWnd* bottom = GetPopupShadows().GetShadow(0);
  EXPECT_EQ(popup->GetSafeHwnd(), bottom->m_hOwner);
  CRect strip;
  ::GetWindowRect(bottom->GetSafeHwnd(), &strip);
  EXPECT_EQ(CRect(window.left + s, window.bottom, window.right + s, window.bottom + s), strip);
  popup->SetMenuMode(0, TRUE, FALSE);
  EXPECT_EQ(0, GetPopupShadows().GetShadowCount());
  // Without its shadow option a popup casts none.
  popup->SetShowShadow(FALSE);
  ASSERT_TRUE(popup->PopupAt(100, 100, nullptr));
  EXPECT_EQ(0, GetPopupShadows().GetShadowCount());
  popup->SetMenuMode(0, TRUE, FALSE);
  popup->InternalRelease();

  // A menu title: the menu's two strips and two more along the title.
  CTkControl* title = bar->GetControls()->Add(kControlPopup, 0);
  title->SetCaption(L"&Menu");
  title->GetCommandBar()->GetControls()->AddControl(new FixedControl(120, 20), kCmdPlain);
  Layout();
  ASSERT_TRUE(bar->SetPopupControl(title->GetIndex(), FALSE));
  CTkCommandBar* menu = title->GetCommandBar();
  ASSERT_NE(nullptr, menu->GetSafeHwnd());
  EXPECT_EQ(4, GetPopupShadows().GetShadowCount());
  CRect face = title->GetRect();
  bar->ClientToScreen(&face);
  bool alongTheTitle = false;
  for (int i = 0; i < GetPopupShadows().GetShadowCount(); ++i) {
    CTkPopupShadowWnd* shadow = GetPopupShadows().GetShadow(i);
    ::GetWindowRect(shadow->GetSafeHwnd(), &strip);
    if (!shadow->m_bBottom && strip.left == face.right) alongTheTitle = true;
    EXPECT_EQ(menu->GetSafeHwnd(), shadow->m_hOwner);
  }
  EXPECT_TRUE(alongTheTitle);
  bar->SetPopupControl(-1, FALSE);
  EXPECT_EQ(0, GetPopupShadows().GetShadowCount());
}

}  // namespace
