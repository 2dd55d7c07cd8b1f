// The native look with the visual-style entries played by fakes, and its
// classic fallback beside the default look.
#include <gtest/gtest.h>

#include <vssym32.h>

#include <string>
#include <vector>

#include "bar_painter_native.h"
#include "dib_canvas.h"
#include "popup_bar.h"
#include "ux_theme_slots.h"

namespace {

struct StyleCall {
  std::wstring style;
  int part;
  int state;
};

// Styles are handles 1 to 4 in the order they open; drawing is recorded.
struct FakeStyles {
  static std::vector<std::wstring> opened;
  static std::vector<StyleCall> drawn;
  static std::vector<std::wstring> closed;
  static HTHEME WINAPI Open(HWND, LPCWSTR name) {
    opened.push_back(name);
    return reinterpret_cast<HTHEME>(static_cast<INT_PTR>(opened.size()));
  }
  static HRESULT WINAPI Close(HTHEME theme) {
    closed.push_back(NameOf(theme));
    return S_OK;
  }
  static BOOL WINAPI Themed() { return TRUE; }
  static HRESULT WINAPI Draw(HTHEME theme, HDC, int part, int state, const RECT*, const RECT*) {
    drawn.push_back({NameOf(theme), part, state});
    return S_OK;
  }
  static HRESULT WINAPI Color(HTHEME, int, int, int property, COLORREF* color) {
    *color = RGB(property % 256, 10, 20);
    return S_OK;
  }
  static std::wstring NameOf(HTHEME theme) {
    const size_t index = static_cast<size_t>(reinterpret_cast<INT_PTR>(theme));
    return index >= 1 && index <= opened.size() ? opened[index - 1] : L"?";
  }
};
std::vector<std::wstring> FakeStyles::opened;
std::vector<StyleCall> FakeStyles::drawn;
std::vector<std::wstring> FakeStyles::closed;

class NativeLookTest : public UxThemeSlotsTest {
 protected:
  void SetUp() override {
    UxThemeSlotsTest::SetUp();
    ClearSlots();
    Install(kOpenThemeData, &FakeStyles::Open);
    Install(kCloseThemeData, &FakeStyles::Close);
    Install(kIsAppThemed, &FakeStyles::Themed);
    Install(kDrawThemeBackground, &FakeStyles::Draw);
    Install(kGetThemeColor, &FakeStyles::Color);
    FakeStyles::opened.clear();
    FakeStyles::drawn.clear();
    FakeStyles::closed.clear();
    CTkBarPainter* painter = CreateBarPainter(3);
    ASSERT_NE(nullptr, painter);
    ASSERT_STREQ("CTkBarPainterNative", painter->GetRuntimeClass()->m_lpszClassName);
    look = static_cast<CTkBarPainterNative*>(painter);
    look->UpdateFontsAndColors();
  }
  void TearDown() override {
    if (look != nullptr) look->InternalRelease();
    UxThemeSlotsTest::TearDown();
  }
  CTkBarPainterNative* look = nullptr;
};

TEST_F(NativeLookTest, OpensFourStylesTakesTheirColoursAndClosesThemInOrder) {
  // The colour scheme reads its own styles first.
  auto lastFour = [](const std::vector<std::wstring>& names) {
    return names.size() < 4 ? names : std::vector<std::wstring>(names.end() - 4, names.end());
  };
  EXPECT_EQ((std::vector<std::wstring>{L"TOOLBAR", L"REBAR", L"COMBOBOX", L"STATUS"}), lastFour(FakeStyles::opened));
  EXPECT_EQ(3, look->GetThemeFamily());
  EXPECT_EQ(RGB(TMT_TEXTCOLOR % 256, 10, 20), look->GetColor(COLOR_BTNTEXT));
  EXPECT_EQ(RGB(TMT_FILLCOLORHINT % 256, 10, 20), look->GetColor(COLOR_BTNFACE));
  EXPECT_EQ(RGB(TMT_EDGESHADOWCOLOR % 256, 10, 20), look->m_barEdgeColor);
  EXPECT_EQ(RGB(TMT_TEXTCOLOR % 256, 10, 20), look->m_statusTextColor);
  look->InternalRelease();
  look = nullptr;
  EXPECT_EQ((std::vector<std::wstring>{L"STATUS", L"COMBOBOX", L"TOOLBAR", L"REBAR"}), lastFour(FakeStyles::closed));
}

TEST_F(NativeLookTest, ButtonStatesByPartAndState) {
  struct Case {
    const char* name;
    BOOL selected, enabled, checked, popupOpen;
    int pressed;
    int state;
  };
  const Case cases[] = {
      {"hot checked", TRUE, TRUE, TRUE, FALSE, 0, TS_HOTCHECKED},
      {"checked", FALSE, TRUE, TRUE, FALSE, 0, TS_CHECKED},
      {"disabled checked", FALSE, FALSE, TRUE, FALSE, 0, TS_PRESSED},
      {"disabled", TRUE, FALSE, FALSE, FALSE, 0, TS_DISABLED},
      {"popup open", FALSE, TRUE, FALSE, TRUE, 0, TS_PRESSED},
      {"pressed under the mouse", TRUE, TRUE, FALSE, FALSE, 1, TS_PRESSED},
      {"running", FALSE, TRUE, FALSE, FALSE, 2, TS_PRESSED},
      {"hot", TRUE, TRUE, FALSE, FALSE, 0, TS_HOT},
      {"at rest", FALSE, TRUE, FALSE, FALSE, 0, TS_NORMAL},
  };
  DibCanvas canvas(30, 30);
  for (const Case& c : cases) {
    FakeStyles::drawn.clear();
    look->DrawControlFrame(&canvas.dc, CRect(0, 0, 20, 20), c.selected, c.pressed, c.enabled, c.checked, c.popupOpen,
                           TRUE, kBarTop);
    ASSERT_EQ(1u, FakeStyles::drawn.size()) << c.name;
    EXPECT_EQ(L"TOOLBAR", FakeStyles::drawn[0].style) << c.name;
    EXPECT_EQ(TP_BUTTON, FakeStyles::drawn[0].part) << c.name;
    EXPECT_EQ(c.state, FakeStyles::drawn[0].state) << c.name;
  }
}

TEST_F(NativeLookTest, AnOpenSplitButtonPressesItsArrowWhileTheMainPartIsHot) {
  CTkCommandBar bar;
  DibCanvas canvas(60, 30);
  // The open state alone, without showing a popup bar.
  class OpenSplit : public CTkControlPopup {
   public:
    OpenSplit() : CTkControlPopup(kControlSplitButtonPopup) { m_bPopuped = TRUE; }
  };
  auto* open = new OpenSplit;
  bar.GetControls()->AddControl(open, 101);
  FakeStyles::drawn.clear();
  look->DrawSplitButton(&canvas.dc, open, CRect(0, 0, 40, 22));
  ASSERT_EQ(2u, FakeStyles::drawn.size());
  EXPECT_EQ(TP_SPLITBUTTON, FakeStyles::drawn[0].part);
  EXPECT_EQ(TS_HOT, FakeStyles::drawn[0].state);
  EXPECT_EQ(TP_SPLITBUTTONDROPDOWN, FakeStyles::drawn[1].part);
  EXPECT_EQ(TS_PRESSED, FakeStyles::drawn[1].state);
}

TEST_F(NativeLookTest, PopupsFollowTheFlatMenuSetting) {
  CTkPopupBar popup;
  ASSERT_TRUE(popup.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), L"", WS_POPUP, CRect(0, 0, 40, 40), nullptr, 0));
  const COLORREF menu = look->GetColor(COLOR_MENU);
  for (BOOL flat : {TRUE, FALSE}) {
    look->m_bFlatMenus = flat;
    DibCanvas canvas(40, 40);
    look->FillCommandBar(&canvas.dc, &popup);
    EXPECT_EQ(menu, canvas.Pixel(20, 20)) << flat;
    EXPECT_EQ(flat ? look->GetColor(COLOR_BTNSHADOW) : look->GetColor(COLOR_3DDKSHADOW), canvas.Pixel(39, 20)) << flat;
  }
  popup.DestroyWindow();
}

// Without styles the native look is the classic one, but for popup fills
// and menu text.
TEST(NativeLookFallback, DrawsAsTheClassicLookWithoutStyles) {
  CTkBarPainter* classic = CreateBarPainter(0);
  CTkBarPainter* native = CreateBarPainter(3);
  ASSERT_NE(nullptr, classic);
  ASSERT_NE(nullptr, native);
  classic->UpdateFontsAndColors();
  native->UpdateFontsAndColors();
  static_cast<CTkBarPainterNative*>(native)->m_rebarStyle.CloseThemeData();
  static_cast<CTkBarPainterNative*>(native)->m_toolBarStyle.CloseThemeData();
  auto same = [](const DibCanvas& a, const DibCanvas& b, int width, int height) {
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
  };
  for (int state = 0; state < 8; ++state) {
    DibCanvas a(24, 24);
    DibCanvas b(24, 24);
    a.Fill(RGB(9, 9, 9));
    b.Fill(RGB(9, 9, 9));
    const BOOL selected = state & 1, checked = (state >> 1) & 1, enabled = (state >> 2) & 1;
    classic->DrawControlFrame(&a.dc, CRect(0, 0, 24, 24), selected, FALSE, enabled, checked, FALSE, TRUE, kBarTop);
    native->DrawControlFrame(&b.dc, CRect(0, 0, 24, 24), selected, FALSE, enabled, checked, FALSE, TRUE, kBarTop);
    EXPECT_TRUE(same(a, b, 24, 24)) << state;
  }
  CTkPopupBar popup;
  CTkControl* row = popup.GetControls()->Add(kControlButton, 100);
  row->SetCaption(L"Open");
  row->SetControlRect(CRect(0, 0, 120, 20));
  DibCanvas a(120, 20);
  DibCanvas b(120, 20);
  a.Fill(RGB(9, 9, 9));
  b.Fill(RGB(9, 9, 9));
  classic->DrawControlInPopupBar(&a.dc, row, TRUE);
  native->DrawControlInPopupBar(&b.dc, row, TRUE);
  EXPECT_EQ(::GetSysColor(COLOR_MENUTEXT) == ::GetSysColor(COLOR_BTNTEXT), same(a, b, 120, 20));
  classic->InternalRelease();
  native->InternalRelease();
}

}  // namespace
