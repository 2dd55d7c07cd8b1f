#include "ux_theme.h"

#include <shlwapi.h>

#include <cstring>

namespace {

const char* const kEntryNames[kUxThemeEntryCount] = {
    "OpenThemeData", "CloseThemeData", "DrawThemeBackground", "GetThemeColor", "GetCurrentThemeName",
    "IsAppThemed", "IsThemeActive", "DrawThemeText", "GetThemeBackgroundContentRect",
    "GetThemeBackgroundExtent", "GetThemePartSize", "GetThemeTextExtent", "GetThemeTextMetrics",
    "GetThemeBackgroundRegion", "HitTestThemeBackground", "DrawThemeEdge", "DrawThemeIcon",
    "IsThemePartDefined", "IsThemeBackgroundPartiallyTransparent", "GetThemeMetric", "GetThemeString",
    "GetThemeBool", "GetThemeInt", "GetThemeEnumValue", "GetThemePosition", "GetThemeFont", "GetThemeRect",
    "GetThemeMargins", "GetThemeIntList", "GetThemePropertyOrigin", "SetWindowTheme", "GetThemeFilename",
    "GetThemeSysColor", "GetThemeSysColorBrush", "GetThemeSysBool", "GetThemeSysSize", "GetThemeSysFont",
    "GetThemeSysString", "GetThemeSysInt", "GetWindowTheme", "EnableThemeDialogTexture",
    "IsThemeDialogTextureEnabled", "GetThemeAppProperties", "SetThemeAppProperties",
    "GetThemeDocumentationProperty", "DrawThemeParentBackground", "EnableTheming", "DrawThemeBackgroundEx"};

UxThemeModuleRecord theModule;
bool moduleLoaded = false;

// The entry of a slot, looked up on first use; null when unavailable (the
// next call tries again).
template <class F>
F Entry(UxThemeEntry slot) {
  UxThemeModuleRecord& module = GetUxThemeModule();
  if (module.entries[slot] == nullptr) {
    if (module.module == nullptr) return nullptr;
    module.entries[slot] = ::GetProcAddress(module.module, kEntryNames[slot]);
  }
  return reinterpret_cast<F>(reinterpret_cast<void*>(module.entries[slot]));
}

// Loaded before the program's own code runs.
struct LoadAtStart {
  LoadAtStart() { GetUxThemeModule(); }
} loadAtStart;

}  // namespace

DWORD ReadCommonControlsVersion() {
  HMODULE comctl = ::LoadLibraryW(L"comctl32.dll");
  if (comctl == nullptr) return 0;
  DWORD version = 0;
  auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
      reinterpret_cast<void*>(::GetProcAddress(comctl, "DllGetVersion")));
  if (getVersion != nullptr) {
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof info;  // 20 bytes
    if (SUCCEEDED(getVersion(&info))) version = (info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF);
  }
  ::FreeLibrary(comctl);
  return version;
}

void LoadUxThemeModule() {
  std::memset(&theModule, 0, sizeof theModule);
  theModule.module = ::LoadLibraryW(L"UxTheme.dll");
  theModule.commonControlsVersion = ReadCommonControlsVersion();
  moduleLoaded = true;
}

UxThemeModuleRecord& GetUxThemeModule() {
  if (!moduleLoaded) LoadUxThemeModule();
  return theModule;
}

BOOL IsUxThemeActive() {
  auto isThemeActive = Entry<BOOL(WINAPI*)()>(kIsThemeActive);
  return isThemeActive != nullptr ? isThemeActive() : FALSE;
}

CTkUxThemeHandle::~CTkUxThemeHandle() { CloseThemeData(); }

void CTkUxThemeHandle::OpenThemeData(HWND hWnd, LPCWSTR classList) {
  CloseThemeData();
  auto open = Entry<HTHEME(WINAPI*)(HWND, LPCWSTR)>(kOpenThemeData);
  if (open != nullptr) m_hTheme = open(hWnd, classList);
}

void CTkUxThemeHandle::CloseThemeData() {
  if (m_hTheme != nullptr) {
    auto close = Entry<HRESULT(WINAPI*)(HTHEME)>(kCloseThemeData);
    if (close != nullptr) close(m_hTheme);
  }
  m_hTheme = nullptr;
}

HRESULT CTkUxThemeHandle::DrawThemeBackground(HDC hDC, int part, int state, const RECT* rect, const RECT* clip) {
  auto draw = Entry<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*)>(kDrawThemeBackground);
  return draw != nullptr ? draw(m_hTheme, hDC, part, state, rect, clip) : E_FAIL;
}

HRESULT CTkUxThemeHandle::GetThemeColor(int part, int state, int property, COLORREF* color) {
  auto get = Entry<HRESULT(WINAPI*)(HTHEME, int, int, int, COLORREF*)>(kGetThemeColor);
  return get != nullptr ? get(m_hTheme, part, state, property, color) : E_FAIL;
}

HRESULT CTkUxThemeHandle::GetCurrentThemeName(LPWSTR fileName, int fileNameLength, LPWSTR colorName,
                                              int colorNameLength, LPWSTR sizeName, int sizeNameLength) {
  auto get = Entry<HRESULT(WINAPI*)(LPWSTR, int, LPWSTR, int, LPWSTR, int)>(kGetCurrentThemeName);
  return get != nullptr ? get(fileName, fileNameLength, colorName, colorNameLength, sizeName, sizeNameLength)
                        : E_FAIL;
}

BOOL CTkUxThemeHandle::IsAppThemed() {
  if (m_hTheme == nullptr) return FALSE;
  auto isAppThemed = Entry<BOOL(WINAPI*)()>(kIsAppThemed);
  return isAppThemed != nullptr ? isAppThemed() : FALSE;
}

BOOL CTkUxThemeHandle::IsThemingUsable() {
  const UxThemeModuleRecord& module = GetUxThemeModule();
  return module.module != nullptr && IsUxThemeActive() && (module.commonControlsVersion & 0xFFFF0000) > 0x50000;
}

CTkOsVersion::CTkOsVersion() {
  std::memset(&m_info, 0, sizeof m_info);
  m_info.dwOSVersionInfoSize = sizeof m_info;  // 276 bytes
  ::GetVersionExW(&m_info);
}

CTkOsVersion& GetOsVersion() {
  static CTkOsVersion version;
  return version;
}

namespace {
struct ReadVersionAtStart {
  ReadVersionAtStart() { GetOsVersion(); }
} readVersionAtStart;
}  // namespace
