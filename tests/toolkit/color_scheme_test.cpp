#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>

#include "color_scheme.h"
#include "test_app.h"
#include "ux_theme.h"
#include "ux_theme_slots.h"

namespace {

// Windows 2000's classic colours, numbers 1-27.
const COLORREF kClassic[28] = {
    RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(181, 181, 181), RGB(0, 0, 128),     RGB(166, 202, 240)};

COLORREF Classic(int n) { return kClassic[n]; }

COLORREF blackFace[28];
COLORREF BlackFace(int n) { return blackFace[n]; }

int sourceCalls = 0;
COLORREF CountingSource(int n) {
  ++sourceCalls;
  return kClassic[n];
}

// The 62 colours for the classic system colours without visual styles.
const COLORREF kGolden[62] = {
    RGB(0, 0, 0),       RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(227, 223, 215), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(181, 181, 181), RGB(0, 0, 128),     RGB(166, 202, 240), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(219, 216, 209), RGB(182, 189, 210), RGB(10, 36, 106),   RGB(133, 146, 181), RGB(136, 141, 157),
    RGB(166, 166, 166), RGB(212, 213, 216), RGB(10, 36, 106),   RGB(160, 160, 160), RGB(166, 166, 166),
    RGB(141, 141, 141), RGB(249, 248, 247), RGB(204, 200, 193), RGB(102, 102, 102), RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255), RGB(247, 242, 233), RGB(85, 85, 85),
    RGB(10, 36, 106),   RGB(212, 208, 200), RGB(128, 128, 128), RGB(219, 216, 209), RGB(128, 128, 128),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(141, 141, 141), RGB(0, 0, 0),
    RGB(141, 141, 141), RGB(0, 0, 0)};

// Plays a visual-style library: active, Luna with the given colour name,
// a tree-view border colour.
struct FakeTheme {
  static const wchar_t* file;
  static const wchar_t* color;
  static BOOL active;
  static BOOL WINAPI IsActive() { return active; }
  static BOOL WINAPI IsAppThemed() { return TRUE; }
  static HTHEME WINAPI Open(HWND, LPCWSTR cls) {
    return std::wcscmp(cls, L"TREEVIEW") == 0 ? reinterpret_cast<HTHEME>(1) : nullptr;
  }
  static HRESULT WINAPI Close(HTHEME) { return S_OK; }
  static HRESULT WINAPI Color(HTHEME, int part, int state, int property, COLORREF* out) {
    if (part != 0 || state != 0 || property != 3801) return E_FAIL;
    *out = RGB(127, 157, 185);
    return S_OK;
  }
  static HRESULT WINAPI Name(LPWSTR f, int nf, LPWSTR c, int nc, LPWSTR, int) {
    if (file == nullptr) return E_FAIL;
    lstrcpynW(f, file, nf);
    lstrcpynW(c, color, nc);
    return S_OK;
  }
};
const wchar_t* FakeTheme::file = L"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";
const wchar_t* FakeTheme::color = L"NormalColor";
BOOL FakeTheme::active = TRUE;

class TestScheme : public CTkColorScheme {
 public:
  explicit TestScheme(COLORREF (*source)(int), BOOL lowColor = FALSE) : CTkColorScheme(source), lowColor(lowColor) {
    RefreshColors();
  }
  BOOL IsLowColorDisplay() const override { return lowColor; }
  BOOL lowColor;
};

class ColorScheme : public UxThemeSlotsTest {
 protected:
  void SetUp() override {
    UxThemeSlotsTest::SetUp();
    ThemingOff();
  }
  static void ThemingOff() {
    GetUxThemeModule().module = nullptr;
    ClearSlots();
  }
  static void ThemingOn() {
    FakeTheme::active = TRUE;
    Install(kIsThemeActive, &FakeTheme::IsActive);
    Install(kIsAppThemed, &FakeTheme::IsAppThemed);
    Install(kOpenThemeData, &FakeTheme::Open);
    Install(kCloseThemeData, &FakeTheme::Close);
    Install(kGetThemeColor, &FakeTheme::Color);
    Install(kGetCurrentThemeName, &FakeTheme::Name);
  }
};

TEST_F(ColorScheme, GoldenTableWithoutVisualStyles) {
  TestScheme scheme(&Classic);
  for (int n = 0; n < 62; ++n) EXPECT_EQ(scheme.GetColor(n), kGolden[n]) << "colour " << n;
  EXPECT_EQ(scheme.GetSystemXPScheme(), xpNone);
  EXPECT_EQ(scheme.GetActiveXPScheme(), xpNone);
  for (int n = 30; n < 62; ++n) EXPECT_EQ(scheme.GetXPColor(n), kGolden[n]) << "colour " << n;
}


// With Luna's blue: the same standard colours but for 54 (the style's) and
// 57 (the tree view's themed border); the style's colours through
// GetXPColor; the style's gradients.
TEST_F(ColorScheme, GoldenTableWithVisualStyles) {
  ThemingOn();
  TestScheme scheme(&Classic);
  EXPECT_EQ(scheme.GetSystemXPScheme(), xpBlue);
  EXPECT_EQ(scheme.GetActiveXPScheme(), xpBlue);
  for (int n = 0; n < 62; ++n) {
    COLORREF expected = n == 54 ? RGB(0, 45, 150) : n == 57 ? RGB(127, 157, 185) : kGolden[n];
    EXPECT_EQ(scheme.GetColor(n), expected) << "colour " << n;
  }
  const struct {
    int number;
    COLORREF color;
  } xp[] = {{38, RGB(39, 65, 118)},  {39, RGB(106, 140, 203)}, {40, RGB(109, 150, 208)}, {41, RGB(246, 246, 246)},
            {43, RGB(0, 45, 150)},   {31, RGB(255, 238, 194)}, {32, RGB(0, 0, 128)},     {50, RGB(0, 0, 128)},
            {37, RGB(0, 0, 128)},    {33, RGB(254, 128, 62)},  {36, RGB(255, 192, 111)}, {30, RGB(158, 190, 245)},
            {47, RGB(0, 0, 0)},      {59, RGB(22, 30, 54)},    {42, RGB(204, 200, 193)}, {57, RGB(127, 157, 185)}};
  for (const auto& c : xp) EXPECT_EQ(scheme.GetXPColor(c.number), c.color) << "colour " << c.number;
  EXPECT_EQ(scheme.GetXPColor(5), RGB(255, 255, 255));  // system colours have no style colour
  EXPECT_EQ(COLORREF(scheme.GetGradient(0).m_first), RGB(89, 135, 214));
  EXPECT_EQ(COLORREF(scheme.GetGradient(3).m_second), RGB(129, 169, 226));
  EXPECT_FLOAT_EQ(scheme.GetGradient(3).m_factor, 0.75f);
  EXPECT_EQ(COLORREF(scheme.GetGradient(7).m_first), RGB(255, 213, 140));

  // Without the style the gradients are blends of the system colours.
  ThemingOff();
  scheme.RefreshColors();
  EXPECT_EQ(COLORREF(scheme.GetGradient(0).m_first), RGB(128, 128, 128));
  EXPECT_EQ(COLORREF(scheme.GetGradient(1).m_second), CTkColorScheme::BlendColors(kClassic[15], kClassic[5], 215));
  EXPECT_EQ(COLORREF(scheme.GetGradient(5).m_second), CTkColorScheme::BlendColors(kClassic[15], kClassic[16], 95));
  EXPECT_EQ(scheme.GetXPColor(30), kGolden[30]);
  EXPECT_EQ(COLORREF(scheme.GetGradient(9).m_second), RGB(255, 212, 151));
}

TEST_F(ColorScheme, DetectsTheXPStyleByFileAndColourName) {
  ThemingOn();
  struct Case {
    const wchar_t* file;
    const wchar_t* color;
    XPSchemeId expected;
  } cases[] = {
      {L"C:\\Themes\\Luna\\luna.msstyles", L"NormalColor", xpBlue},
      {L"C:\\Themes\\LUNA.MSSTYLES", L"normalcolor", xpBlue},
      {L"luna.msstyles", L"HomeStead", xpOlive},
      {L"luna.msstyles", L"Metallic", xpSilver},
      {L"luna.msstyles", L"Royale", xpNone},
      {L"Royale.msstyles", L"NormalColor", xpBlue},
      {L"royale.msstyles", L"homestead", xpNone},
      {L"aero.msstyles", L"NormalColor", xpNone},
      {nullptr, nullptr, xpNone},  // the name cannot be read
  };
  for (const Case& c : cases) {
    FakeTheme::file = c.file;
    FakeTheme::color = c.color;
    EXPECT_EQ(DetectXPScheme(), c.expected) << (c.file ? c.file : L"(none)");
  }
  FakeTheme::file = L"luna.msstyles";
  FakeTheme::color = L"NormalColor";
  FakeTheme::active = FALSE;
  EXPECT_EQ(DetectXPScheme(), xpNone);
  FakeTheme::active = TRUE;
  ThemingOff();
  EXPECT_EQ(DetectXPScheme(), xpNone);
}

TEST_F(ColorScheme, BlendsAndNumbers) {
  struct Case {
    COLORREF a, b;
    int weight;
    COLORREF expected;
  } cases[] = {
      {RGB(255, 255, 255), RGB(0, 0, 0), 50, RGB(128, 128, 128)},
      {RGB(255, 255, 255), RGB(0, 0, 0), 500, RGB(128, 128, 128)},
      {RGB(255, 255, 255), RGB(0, 0, 0), 165, RGB(42, 42, 42)},
      {RGB(255, 0, 0), RGB(0, 0, 255), 0, RGB(0, 0, 255)},
      {RGB(10, 20, 30), RGB(200, 100, 0), 1000, RGB(10, 20, 30)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CTkColorScheme::BlendColors(c.a, c.b, c.weight), c.expected) << c.weight;

  TestScheme scheme(&Classic);
  EXPECT_EQ(scheme.GetColor(-1), kColorUnset);
  EXPECT_EQ(scheme.GetColor(62), 62u);
  EXPECT_EQ(scheme.GetColor(RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(scheme.GetXPColor(-1), kColorUnset);

  CTkGradientColor gradient(RGB(1, 2, 3));
  EXPECT_EQ(COLORREF(gradient.m_second), RGB(1, 2, 3));
  gradient.m_second.SetCustomValue(RGB(9, 9, 9));
  CTkGradientColor copy;
  EXPECT_EQ(COLORREF(copy.m_first), kColorUnset);
  copy.CopyFrom(gradient);
  EXPECT_EQ(copy.m_second.GetStandardColor(), RGB(9, 9, 9));
  EXPECT_TRUE(copy.m_second.IsDefaultValue());
}

// Pushing apart and pulling toward leave the colour at the scaled
// threshold from the base (within rounding back to 8-bit channels).
TEST_F(ColorScheme, ContrastCorrectionLandsOnTheThreshold) {
  struct Case {
    COLORREF base, other;
    int threshold;
  } cases[] = {
      {RGB(212, 208, 200), RGB(200, 200, 200), 50},  {RGB(40, 40, 40), RGB(50, 45, 60), 100},
      {RGB(255, 255, 255), RGB(250, 250, 240), 80},  {RGB(0, 0, 128), RGB(10, 10, 140), 30},
      {RGB(128, 128, 128), RGB(128, 128, 128), 60},
  };
  auto distance = [](COLORREF a, COLORREF b) {
    double r = (GetRValue(a) - GetRValue(b)) * 0.7647058823529411;
    double g = (GetGValue(a) - GetGValue(b)) * 1.5294117647058822;
    double bl = (GetBValue(a) - GetBValue(b)) * 0.2549019607843137;
    return std::sqrt(r * r + g * g + bl * bl);
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.threshold);
    double g = CTkColorScheme::ScaledThreshold(c.base, c.threshold);
    ASSERT_FALSE(CTkColorScheme::IsFar(c.base, c.other, TRUE, c.threshold));
    COLORREF pushed = CTkColorScheme::PushApart(c.base, c.other, c.threshold);
    EXPECT_NEAR(distance(c.base, pushed), g, 3.0);
    COLORREF distant = CTkColorScheme::BlendColors(c.other, c.base ^ 0xFFFFFF, 10);
    if (CTkColorScheme::IsFar(c.base, distant, TRUE, c.threshold)) {
      COLORREF pulled = CTkColorScheme::PullToward(c.base, distant, c.threshold);
      EXPECT_NEAR(distance(c.base, pulled), g, 3.0);
    }
  }
  // Dark colours ask for up to twice the distance.
  EXPECT_DOUBLE_EQ(CTkColorScheme::ScaledThreshold(RGB(0, 0, 0), 50.7), 100.0);
  EXPECT_NEAR(CTkColorScheme::ScaledThreshold(RGB(255, 255, 255), 50), 50.0, 1e-5);
}

TEST_F(ColorScheme, LowColourDisplayKeepsTheDefaults) {
  TestScheme scheme(&Classic, TRUE);
  EXPECT_EQ(scheme.GetColor(30), kClassic[15]);
  EXPECT_EQ(scheme.GetColor(36), kClassic[5]);
  EXPECT_EQ(scheme.GetColor(22), kClassic[22]);
  EXPECT_EQ(scheme.GetColor(49), kClassic[18]);
  EXPECT_EQ(COLORREF(scheme.GetGradient(2).m_second), kClassic[16]);
}

TEST_F(ColorScheme, BlackButtonFace) {
  for (int n = 0; n < 28; ++n) blackFace[n] = kClassic[n];
  blackFace[15] = RGB(0, 0, 0);
  TestScheme scheme(&BlackFace);
  EXPECT_EQ(scheme.GetColor(48), RGB(35, 35, 35));
  EXPECT_EQ(scheme.GetColor(49), RGB(127, 127, 127));
  EXPECT_EQ(scheme.GetColor(22), RGB(15, 15, 15));
}

DWORD fakeTicks = 0;
DWORD FakeTicks() { return fakeTicks; }

TEST_F(ColorScheme, RefreshesAtMostEvery500MsOnceThereIsAMainWindow) {
  CTkColorScheme* shared = GetColorScheme();
  ASSERT_EQ(shared, GetColorScheme());
  shared->SetSystemColorSource(&CountingSource);
  DWORD (*savedTicks)() = ColorSchemeTickSource;
  ColorSchemeTickSource = &FakeTicks;
  TestApp& app = TheTestApp();
  CWnd* savedMain = app.m_pMainWnd;

  app.m_pMainWnd = nullptr;
  sourceCalls = 0;
  fakeTicks = 100000;
  RefreshColorScheme();
  fakeTicks += 400;
  RefreshColorScheme();
  EXPECT_EQ(sourceCalls, 2 * 27);  // before the main window both refresh

  CWnd mainWindow;
  app.m_pMainWnd = &mainWindow;
  sourceCalls = 0;
  RefreshColorScheme();
  fakeTicks += 400;
  RefreshColorScheme();
  EXPECT_EQ(sourceCalls, 27);
  fakeTicks += 101;
  RefreshColorScheme();
  EXPECT_EQ(sourceCalls, 2 * 27);
  EXPECT_EQ(shared->GetColor(5), kClassic[5]);

  app.m_pMainWnd = savedMain;
  ColorSchemeTickSource = savedTicks;
  shared->SetSystemColorSource(nullptr);
}

}  // namespace
