#include "global_settings.h"

#include "color_scheme.h"
#include "profile_store.h"
#include "resource_loader.h"
#include "toolkit_resources.h"
#include "ux_theme.h"

namespace {
// The size of the record before Vista added a padded border.
const UINT kNonClientMetricsSize = 500;
}

CTkWindowMetrics::CTkWindowMetrics() {
  NONCLIENTMETRICSW* metrics = this;
  ZeroMemory(metrics, sizeof(NONCLIENTMETRICSW));
  cbSize = kNonClientMetricsSize;
  ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, metrics, 0);
}

LOGFONTW CTkWindowMetrics::MenuFontOnScreen() const {
  LOGFONTW font = {};
  font.lfHeight = lfMenuFont.lfHeight;
  font.lfWeight = lfMenuFont.lfWeight;
  font.lfItalic = lfMenuFont.lfItalic;
  lstrcpynW(font.lfFaceName, lfMenuFont.lfFaceName, LF_FACESIZE);
  HDC screen = ::GetDC(nullptr);
  font.lfCharSet = static_cast<BYTE>(::GetTextCharsetInfo(screen, nullptr, 0));
  ::ReleaseDC(nullptr, screen);
  return font;
}

const int CTkGlobalSettings::kCachedColorNumbers[kCachedColors] = {
    15, 16, 21, 20, 22, 18, 17, 13, 14, 4, 7, 5, 6, 8, 2, 3, 27, 28, 9, 19,
    30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49};

CTkGlobalSettings::CTkGlobalSettings() : m_pIniFileName(&ProfileIniFileName) {
  CTkOsVersion& version = GetOsVersion();
  m_bWin95 = version.IsWin95();
  m_bWin98 = version.IsWin98();
  m_bWinNT4 = version.IsWinNT4();
  m_bWin2000 = version.IsWin2000();
  m_bWinXP = version.IsWinXP();
  GetComCtlVersion();
  CacheColors();
  LoadMetrics();
  LoadCursors();
  CreateFonts();
}

int CTkGlobalSettings::GetComCtlVersion() {
  // Unread until a read succeeds; 0 meanwhile.
  if (m_comCtlVersion == -1) {
    const DWORD version = ReadCommonControlsVersion();
    if (version != 0) m_comCtlVersion = static_cast<int>(version);
  }
  return m_comCtlVersion == -1 ? 0 : m_comCtlVersion;
}

void CTkGlobalSettings::CacheColors() {
  RefreshColorScheme();
  for (int i = 0; i < kCachedColors; ++i) m_colors[i] = GetColorScheme()->GetColor(kCachedColorNumbers[i]);
}

void CTkGlobalSettings::LoadMetrics() {
  m_smallIconWidth = ::GetSystemMetrics(SM_CXSMICON);
  m_smallIconHeight = ::GetSystemMetrics(SM_CYSMICON);
  m_buttonWidth = 18;
  m_buttonHeight = 18;
  m_horizontalThumb = ::GetSystemMetrics(SM_CXHTHUMB);
  m_verticalThumb = ::GetSystemMetrics(SM_CYVTHUMB);
  m_menuHeight = ::GetSystemMetrics(SM_CYMENU);
}

BOOL CTkGlobalSettings::LoadCursors() {
  CTkResourceLoader* loader = GetToolkitResourceLoader();
  struct Step {
    int index;
    UINT id;
  };
  const Step toolkitFirst[] = {{kCursorDragMove, IDC_TK_DRAG_MOVE},
                               {kCursorSplitColumns, IDC_TK_SPLIT_COLUMNS},
                               {kCursorSplitRows, IDC_TK_SPLIT_ROWS}};
  for (const Step& step : toolkitFirst) {
    m_cursors[step.index] = loader->LoadCursor(step.id);
    if (m_cursors[step.index] == nullptr) return FALSE;
  }
  m_cursors[kCursorHand] = ::LoadCursorW(nullptr, IDC_HAND);
  if (m_cursors[kCursorHand] == nullptr) m_cursors[kCursorHand] = loader->LoadCursor(IDC_TK_HAND);
  if (m_cursors[kCursorHand] == nullptr) return FALSE;
  const Step toolkitBars[] = {{kCursorSplitBarColumns, IDC_TK_SPLIT_BAR_COLUMNS},
                              {kCursorSplitBarRows, IDC_TK_SPLIT_BAR_ROWS}};
  for (const Step& step : toolkitBars) {
    m_cursors[step.index] = loader->LoadCursor(step.id);
    if (m_cursors[step.index] == nullptr) return FALSE;
  }
  m_cursors[kCursorSizeAll] = ::LoadCursorW(nullptr, IDC_SIZEALL);
  return m_cursors[kCursorSizeAll] != nullptr;
}

BOOL CTkGlobalSettings::CreateFontVariant(CFont& font, const LOGFONTW& base, int weight, int underline,
                                          int orientation, int escapement) {
  LOGFONTW logFont = base;
  if (weight != -1) logFont.lfWeight = weight;
  if (underline != -1) logFont.lfUnderline = static_cast<BYTE>(underline);
  if (orientation != -1) logFont.lfOrientation = orientation;
  if (escapement != -1) logFont.lfEscapement = escapement;
  return font.CreateFontIndirect(&logFont);
}

BOOL CTkGlobalSettings::CreateFonts(LPCWSTR face, LPCWSTR verticalFace) {
  for (CFont& font : m_fonts) font.DeleteObject();

  CTkWindowMetrics metrics;
  LOGFONTW base = metrics.MenuFontOnScreen();

  if (face != nullptr && *face != L'\0') {
    if (FontFaceExists(face)) {
      lstrcpynW(base.lfFaceName, face, LF_FACESIZE);
      lstrcpynW(metrics.lfStatusFont.lfFaceName, face, LF_FACESIZE);
      lstrcpynW(metrics.lfSmCaptionFont.lfFaceName, face, LF_FACESIZE);
    }
  } else if (m_bUseTahoma && metrics.lfMenuFont.lfCharSet <= 2 && FontFaceExists(L"Tahoma")) {
    lstrcpynW(base.lfFaceName, L"Tahoma", LF_FACESIZE);
  }

  if (!CreateFontVariant(m_fonts[kFontRegular], base) || !CreateFontVariant(m_fonts[kFontBold], base, FW_BOLD) ||
      !CreateFontVariant(m_fonts[kFontUnderline], base, -1, 1))
    return FALSE;

  if (verticalFace != nullptr && *verticalFace != L'\0') {
    if (FontFaceExists(verticalFace)) lstrcpynW(base.lfFaceName, verticalFace, LF_FACESIZE);
  } else if (lstrcmpiW(metrics.lfMenuFont.lfFaceName, L"Tahoma") != 0 && FontFaceExists(L"Arial")) {
    lstrcpynW(base.lfFaceName, L"Arial", LF_FACESIZE);
  }
  if (!CreateFontVariant(m_fonts[kFontVertical], base, -1, -1, 900, 2700) ||
      !CreateFontVariant(m_fonts[kFontVerticalBold], base, FW_BOLD, -1, 900, 2700))
    return FALSE;

  LOGFONTW iconTitle = {};
  ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0);
  if (!CreateFontVariant(m_fonts[kFontIconTitle], iconTitle) ||
      !CreateFontVariant(m_fonts[kFontIconTitleBold], iconTitle, FW_BOLD))
    return FALSE;
  if (!CreateFontVariant(m_fonts[kFontStatus], metrics.lfStatusFont) ||
      !CreateFontVariant(m_fonts[kFontSmallCaption], metrics.lfSmCaptionFont))
    return FALSE;

  LOGFONTW symbol = {};
  symbol.lfHeight = iconTitle.lfHeight;
  symbol.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(symbol.lfFaceName, L"Marlett", LF_FACESIZE);
  return CreateFontVariant(m_fonts[kFontSymbol], symbol);
}

CTkGlobalSettings& GetGlobalSettings() {
  static CTkGlobalSettings SharedGlobalSettings;
  return SharedGlobalSettings;
}

namespace {
int CALLBACK StopAtFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM face) {
  return lstrcmpiW(font->lfFaceName, reinterpret_cast<LPCWSTR>(face)) == 0 ? 0 : 1;
}
}  // namespace

BOOL FontFaceExists(LPCWSTR face) {
  LOGFONTW query = {};
  query.lfCharSet = DEFAULT_CHARSET;
  HDC screen = ::GetDC(nullptr);
  int result = ::EnumFontFamiliesExW(screen, &query, StopAtFace, reinterpret_cast<LPARAM>(face), 0);
  ::ReleaseDC(nullptr, screen);
  return result == 0;
}

CString ChooseStandardFontFace(const LOGFONTW& guiFont, const CTkOsVersion& version, BOOL useTahoma) {
  BOOL wideCharset = guiFont.lfCharSet > 2 && version.m_info.dwPlatformId == VER_PLATFORM_WIN32_NT &&
                     version.m_info.dwMajorVersion >= 5;
  if (wideCharset || !FontFaceExists(L"Arial")) return guiFont.lfFaceName;
  if (useTahoma && FontFaceExists(L"Tahoma")) return L"Tahoma";
  return L"Arial";
}

CString GetStandardFontFace(BOOL useTahoma) {
  LOGFONTW gui = {};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
  return ChooseStandardFontFace(gui, GetOsVersion(), useTahoma);
}
