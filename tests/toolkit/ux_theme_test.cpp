#include <gtest/gtest.h>

#include <vector>

#include "ux_theme.h"
#include "ux_theme_slots.h"

namespace {

// Plays a visual-style library through the module record's slots.
struct FakeTheme {
  static BOOL active;
  static BOOL appThemed;
  static int opened;
  static std::vector<HTHEME> closed;
  static HTHEME WINAPI Open(HWND, LPCWSTR) { return reinterpret_cast<HTHEME>(static_cast<INT_PTR>(++opened)); }
  static HRESULT WINAPI Close(HTHEME h) {
    closed.push_back(h);
    return S_OK;
  }
  static BOOL WINAPI IsActive() { return active; }
  static BOOL WINAPI IsAppThemed() { return appThemed; }
};
BOOL FakeTheme::active = TRUE;
BOOL FakeTheme::appThemed = TRUE;
int FakeTheme::opened = 0;
std::vector<HTHEME> FakeTheme::closed;

class UxTheme : public UxThemeSlotsTest {};

TEST_F(UxTheme, TheRunningSystemIsRead) {
  // Wine has the library and reports comctl32 5.81.
  EXPECT_NE(GetUxThemeModule().module, nullptr);
  EXPECT_NE(GetUxThemeModule().commonControlsVersion, 0u);
  CTkUxThemeHandle handle;
  handle.OpenThemeData(nullptr, L"TREEVIEW");
  RECT rect = {0, 0, 10, 10};
  HDC dc = CreateCompatibleDC(nullptr);
  if (handle.GetHandle() != nullptr) {
    EXPECT_EQ(handle.DrawThemeBackground(dc, 0, 0, &rect, nullptr), S_OK);
  }
  DeleteDC(dc);
}

TEST_F(UxTheme, WithoutTheLibraryEveryCallFails) {
  GetUxThemeModule().module = nullptr;
  ClearSlots();
  CTkUxThemeHandle handle;
  handle.OpenThemeData(nullptr, L"TREEVIEW");
  EXPECT_EQ(handle.GetHandle(), nullptr);
  RECT rect = {0, 0, 10, 10};
  EXPECT_EQ(handle.DrawThemeBackground(nullptr, 1, 1, &rect, nullptr), E_FAIL);
  COLORREF color = 7;
  EXPECT_EQ(handle.GetThemeColor(0, 0, 3801, &color), E_FAIL);
  EXPECT_EQ(color, 7u);
  WCHAR file[260], colorName[260];
  EXPECT_EQ(handle.GetCurrentThemeName(file, 260, colorName, 260, nullptr, 0), E_FAIL);
  EXPECT_FALSE(handle.IsAppThemed());
  EXPECT_FALSE(IsUxThemeActive());
  EXPECT_FALSE(CTkUxThemeHandle::IsThemingUsable());
}

TEST_F(UxTheme, AMissingEntryFailsAndIsLookedUpAgain) {
  // A library without the entries.
  GetUxThemeModule().module = GetModuleHandleW(L"kernel32.dll");
  ClearSlots();
  EXPECT_FALSE(IsUxThemeActive());
  EXPECT_EQ(GetUxThemeModule().entries[kIsThemeActive], nullptr);
  CTkUxThemeHandle handle;
  handle.OpenThemeData(nullptr, L"BUTTON");
  EXPECT_EQ(handle.GetHandle(), nullptr);
  // The real library later: the next call resolves the entry.
  GetUxThemeModule().module = saved.module;
  EXPECT_EQ(IsUxThemeActive(), reinterpret_cast<BOOL(WINAPI*)()>(
                                   reinterpret_cast<void*>(GetProcAddress(saved.module, "IsThemeActive")))());
  EXPECT_NE(GetUxThemeModule().entries[kIsThemeActive], nullptr);
}

TEST_F(UxTheme, ThemingNeedsActiveStylesAndCommonControlsSix) {
  GetUxThemeModule().module = GetModuleHandleW(L"kernel32.dll");
  Install(kIsThemeActive, &FakeTheme::IsActive);
  struct Case {
    BOOL active;
    DWORD version;
    BOOL usable;
  } cases[] = {
      {TRUE, MAKELONG(82, 5), FALSE}, {TRUE, MAKELONG(81, 5), FALSE}, {TRUE, MAKELONG(0, 6), TRUE},
      {TRUE, MAKELONG(10, 6), TRUE},  {FALSE, MAKELONG(0, 6), FALSE}, {TRUE, 0, FALSE},
  };
  for (const Case& c : cases) {
    FakeTheme::active = c.active;
    GetUxThemeModule().commonControlsVersion = c.version;
    EXPECT_EQ(CTkUxThemeHandle::IsThemingUsable(), c.usable) << std::hex << c.version << " " << c.active;
  }
  FakeTheme::active = TRUE;
  GetUxThemeModule().module = nullptr;
  GetUxThemeModule().commonControlsVersion = MAKELONG(0, 6);
  EXPECT_FALSE(CTkUxThemeHandle::IsThemingUsable());
}

TEST_F(UxTheme, ReopeningClosesTheFirstHandleBeforeOpeningTheSecond) {
  ClearSlots();
  Install(kOpenThemeData, &FakeTheme::Open);
  Install(kCloseThemeData, &FakeTheme::Close);
  Install(kIsAppThemed, &FakeTheme::IsAppThemed);
  FakeTheme::opened = 0;
  FakeTheme::closed.clear();
  {
    CTkUxThemeHandle handle;
    EXPECT_FALSE(handle.IsAppThemed());  // no handle yet
    handle.OpenThemeData(nullptr, L"TREEVIEW");
    HTHEME first = handle.GetHandle();
    EXPECT_TRUE(handle.IsAppThemed());
    handle.OpenThemeData(nullptr, L"BUTTON");
    ASSERT_EQ(FakeTheme::closed.size(), 1u);
    EXPECT_EQ(FakeTheme::closed[0], first);
    EXPECT_NE(handle.GetHandle(), first);
  }
  ASSERT_EQ(FakeTheme::closed.size(), 2u);
  EXPECT_EQ(FakeTheme::closed[1], reinterpret_cast<HTHEME>(2));
}

TEST(OsVersion, PredicatesMatchExactVersions) {
  struct Case {
    DWORD platform, major, minor;
    bool win95, win98, nt4, win2000, xp;
  } cases[] = {
      {VER_PLATFORM_WIN32_WINDOWS, 4, 0, true, false, false, false, false},
      {VER_PLATFORM_WIN32_WINDOWS, 4, 3, true, false, false, false, false},
      {VER_PLATFORM_WIN32_WINDOWS, 4, 10, false, true, false, false, false},
      {VER_PLATFORM_WIN32_WINDOWS, 4, 90, false, false, false, false, false},
      {VER_PLATFORM_WIN32_NT, 4, 0, false, false, true, false, false},
      {VER_PLATFORM_WIN32_NT, 5, 0, false, false, false, true, false},
      {VER_PLATFORM_WIN32_NT, 5, 1, false, false, false, false, true},
      {VER_PLATFORM_WIN32_NT, 5, 2, false, false, false, false, false},
      {VER_PLATFORM_WIN32_NT, 6, 1, false, false, false, false, false},
  };
  for (const Case& c : cases) {
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    info.dwPlatformId = c.platform;
    info.dwMajorVersion = c.major;
    info.dwMinorVersion = c.minor;
    CTkOsVersion version(info);
    SCOPED_TRACE(testing::Message() << c.platform << " " << c.major << "." << c.minor);
    EXPECT_EQ(!!version.IsWin95(), c.win95);
    EXPECT_EQ(!!version.IsWin98(), c.win98);
    EXPECT_EQ(!!version.IsWinNT4(), c.nt4);
    EXPECT_EQ(!!version.IsWin2000(), c.win2000);
    EXPECT_EQ(!!version.IsWinXP(), c.xp);
  }
  EXPECT_EQ(sizeof(GetOsVersion().m_info), 276u);
  EXPECT_NE(GetOsVersion().m_info.dwMajorVersion, 0u);
}

}  // namespace
