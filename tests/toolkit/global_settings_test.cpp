#include <gtest/gtest.h>

#include "color_scheme.h"
#include "global_settings.h"
#include "ux_theme.h"

namespace {

int CALLBACK TakeFirstFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM face) {
  *reinterpret_cast<CString*>(face) = font->lfFaceName;
  return 0;
}

// A face the system has; Wine's menu font face may be one it lacks.
CString InstalledFace() {
  LOGFONTW query = {};
  query.lfCharSet = DEFAULT_CHARSET;
  CString face;
  HDC screen = ::GetDC(nullptr);
  ::EnumFontFamiliesExW(screen, &query, TakeFirstFace, reinterpret_cast<LPARAM>(&face), 0);
  ::ReleaseDC(nullptr, screen);
  return face;
}

LOGFONTW LogFontOf(const CFont& font) {
  LOGFONTW logFont = {};
  font.GetLogFont(&logFont);
  return logFont;
}

TEST(GlobalSettings, HoldsTheCursorsMetricsAndColoursOfTheStart) {
  CTkGlobalSettings& settings = GetGlobalSettings();
  EXPECT_EQ(&settings, &GetGlobalSettings());
  for (int i = 0; i < CTkGlobalSettings::kCursors; ++i) EXPECT_NE(nullptr, settings.m_cursors[i]) << i;
  EXPECT_TRUE(settings.LoadCursors());
  EXPECT_EQ(18, settings.m_buttonWidth);
  EXPECT_EQ(18, settings.m_buttonHeight);
  EXPECT_EQ(::GetSystemMetrics(SM_CYMENU), settings.m_menuHeight);
  for (int i = 0; i < CTkGlobalSettings::kCachedColors; ++i)
    EXPECT_EQ(GetColorScheme()->GetColor(CTkGlobalSettings::kCachedColorNumbers[i]), settings.m_colors[i]) << i;
  EXPECT_GT(settings.GetComCtlVersion(), 5 << 16);
  EXPECT_FALSE(settings.m_bUseTahoma);
}

TEST(GlobalSettings, FontsFollowTheMenuFontWithTheirOwnVariations) {
  CTkGlobalSettings& settings = GetGlobalSettings();
  for (const CFont& font : settings.m_fonts) ASSERT_NE(nullptr, font.GetSafeHandle());
  CTkWindowMetrics metrics;
  LOGFONTW regular = LogFontOf(settings.m_fonts[CTkGlobalSettings::kFontRegular]);
  EXPECT_EQ(metrics.lfMenuFont.lfHeight, regular.lfHeight);
  EXPECT_EQ(FW_BOLD, LogFontOf(settings.m_fonts[CTkGlobalSettings::kFontBold]).lfWeight);
  EXPECT_EQ(1, LogFontOf(settings.m_fonts[CTkGlobalSettings::kFontUnderline]).lfUnderline);
  LOGFONTW vertical = LogFontOf(settings.m_fonts[CTkGlobalSettings::kFontVerticalBold]);
  EXPECT_EQ(2700, vertical.lfEscapement);
  EXPECT_EQ(900, vertical.lfOrientation);
  EXPECT_EQ(FW_BOLD, vertical.lfWeight);
  LOGFONTW symbol = LogFontOf(settings.m_fonts[CTkGlobalSettings::kFontSymbol]);
  EXPECT_STREQ(L"Marlett", symbol.lfFaceName);
  EXPECT_EQ(DEFAULT_CHARSET, symbol.lfCharSet);
  EXPECT_EQ(LogFontOf(settings.m_fonts[CTkGlobalSettings::kFontIconTitle]).lfHeight, symbol.lfHeight);
}

TEST(GlobalSettings, AnInstalledFaceReplacesTheMenuFace) {
  CTkGlobalSettings& settings = GetGlobalSettings();
  CTkWindowMetrics metrics;
  ASSERT_TRUE(settings.CreateFonts(L"No Such Face 7", nullptr));
  EXPECT_STREQ(metrics.lfMenuFont.lfFaceName, LogFontOf(settings.m_fonts[0]).lfFaceName);
  CString face = InstalledFace();
  ASSERT_FALSE(face.IsEmpty());
  ASSERT_TRUE(settings.CreateFonts(face, face));
  EXPECT_STREQ(face, LogFontOf(settings.m_fonts[CTkGlobalSettings::kFontRegular]).lfFaceName);
  EXPECT_STREQ(face, LogFontOf(settings.m_fonts[CTkGlobalSettings::kFontVertical]).lfFaceName);
  EXPECT_STREQ(face, LogFontOf(settings.m_fonts[CTkGlobalSettings::kFontStatus]).lfFaceName);
  ASSERT_TRUE(settings.CreateFonts());
}

TEST(FontHelpers, FaceLookupIgnoresCase) {
  CString face = InstalledFace();
  ASSERT_FALSE(face.IsEmpty());
  EXPECT_TRUE(FontFaceExists(face));
  face.MakeUpper();
  EXPECT_TRUE(FontFaceExists(face));
  EXPECT_FALSE(FontFaceExists(L"No Such Face 7"));
}

TEST(FontHelpers, StandardFaceKeepsTheGuiFontForWideCharacterSets) {
  LOGFONTW gui = {};
  lstrcpyW(gui.lfFaceName, L"MS UI Gothic");
  OSVERSIONINFOW info = {};
  info.dwPlatformId = VER_PLATFORM_WIN32_NT;
  info.dwMajorVersion = 5;
  struct Case {
    BYTE charset;
    DWORD platform;
    BOOL useTahoma;
    BOOL guiFace;
  };
  const Case cases[] = {
      {128, VER_PLATFORM_WIN32_NT, TRUE, TRUE},
      {128, VER_PLATFORM_WIN32_WINDOWS, FALSE, FALSE},
      {0, VER_PLATFORM_WIN32_NT, FALSE, FALSE},
  };
  BOOL hasArial = FontFaceExists(L"Arial");
  for (const Case& c : cases) {
    gui.lfCharSet = c.charset;
    info.dwPlatformId = c.platform;
    CString face = ChooseStandardFontFace(gui, CTkOsVersion(info), c.useTahoma);
    if (c.guiFace || !hasArial)
      EXPECT_STREQ(L"MS UI Gothic", face) << c.charset;
    else
      EXPECT_STREQ(L"Arial", face) << c.charset;
  }
}

}  // namespace
