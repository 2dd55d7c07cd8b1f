// Late-bound access to the visual-style library and the Windows version.
// UxTheme.dll is loaded by name once; each entry is looked up on first use,
// so a system without visual styles gets failure codes instead of a crash.
#pragma once

#include <windows.h>
#include <uxtheme.h>

// Slots of the entry-point table; only the first seven are called.
enum UxThemeEntry {
  kOpenThemeData,
  kCloseThemeData,
  kDrawThemeBackground,
  kGetThemeColor,
  kGetCurrentThemeName,
  kIsAppThemed,
  kIsThemeActive,
  kUxThemeEntryCount = 48
};

struct UxThemeModuleRecord {
  FARPROC entries[kUxThemeEntryCount];
  HMODULE module;                  // null when the library is missing; never freed
  DWORD commonControlsVersion;     // major << 16 | minor, 0 when unknown
};

// The process-wide record. Tests may replace its slots, module and version
// to play any system.
UxThemeModuleRecord& GetUxThemeModule();
// Clears the record and loads it again from the running system.
void LoadUxThemeModule();

BOOL IsUxThemeActive();

// The running comctl32's major << 16 | minor, 0 when it cannot be read.
DWORD ReadCommonControlsVersion();

class CTkUxThemeHandle {
 public:
  CTkUxThemeHandle() = default;
  virtual ~CTkUxThemeHandle();
  CTkUxThemeHandle(const CTkUxThemeHandle&) = delete;
  CTkUxThemeHandle& operator=(const CTkUxThemeHandle&) = delete;

  void OpenThemeData(HWND hWnd, LPCWSTR classList);
  void CloseThemeData();
  HTHEME GetHandle() const { return m_hTheme; }

  HRESULT DrawThemeBackground(HDC hDC, int part, int state, const RECT* rect, const RECT* clip);
  HRESULT GetThemeColor(int part, int state, int property, COLORREF* color);
  HRESULT GetCurrentThemeName(LPWSTR fileName, int fileNameLength, LPWSTR colorName, int colorNameLength,
                              LPWSTR sizeName, int sizeNameLength);
  BOOL IsAppThemed();

  // Visual styles are on, the library is there and comctl32 is 6 or later.
  static BOOL IsThemingUsable();

 private:
  HTHEME m_hTheme = nullptr;
};

class CTkOsVersion {
 public:
  CTkOsVersion();  // reads the running system
  explicit CTkOsVersion(const OSVERSIONINFOW& info) : m_info(info) {}

  BOOL IsWin95() const {
    return m_info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && m_info.dwMajorVersion == 4 &&
           m_info.dwMinorVersion < 10;
  }
  BOOL IsWin98() const { return Is(VER_PLATFORM_WIN32_WINDOWS, 4, 10); }
  BOOL IsWinNT4() const { return Is(VER_PLATFORM_WIN32_NT, 4, 0); }
  BOOL IsWin2000() const { return Is(VER_PLATFORM_WIN32_NT, 5, 0); }
  BOOL IsWinXP() const { return Is(VER_PLATFORM_WIN32_NT, 5, 1); }

  OSVERSIONINFOW m_info;

 private:
  BOOL Is(DWORD platform, DWORD major, DWORD minor) const {
    return m_info.dwPlatformId == platform && m_info.dwMajorVersion == major && m_info.dwMinorVersion == minor;
  }
};

// The process-wide version record, read before the program starts.
CTkOsVersion& GetOsVersion();
