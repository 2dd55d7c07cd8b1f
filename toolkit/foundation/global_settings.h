// What every toolkit component draws with besides the paint manager: the
// colours, cursors, metrics and fonts of the program's start, the Windows
// and common-controls versions, and the font-face helpers.
#pragma once

#include "framework.h"

// The system's non-client metrics, read on construction.
class CTkWindowMetrics : public NONCLIENTMETRICSW {
 public:
  CTkWindowMetrics();
  // The menu font's height, weight, slant and face in the screen's
  // character set: what toolkit text starts from.
  LOGFONTW MenuFontOnScreen() const;
};

class CTkGlobalSettings {
 public:
  enum { kCachedColors = 40, kCursors = 7, kMetrics = 7 };
  enum CursorIndex { kCursorDragMove, kCursorSplitColumns, kCursorSplitRows, kCursorHand,
                     kCursorSplitBarColumns, kCursorSplitBarRows, kCursorSizeAll };
  enum FontIndex { kFontRegular, kFontBold, kFontUnderline, kFontVertical, kFontVerticalBold,
                   kFontIconTitle, kFontIconTitleBold, kFontSymbol, kFontStatus, kFontSmallCaption,
                   kFontCount };

  CTkGlobalSettings();
  virtual ~CTkGlobalSettings() = default;
  CTkGlobalSettings(const CTkGlobalSettings&) = delete;
  CTkGlobalSettings& operator=(const CTkGlobalSettings&) = delete;

  BOOL LoadCursors();
  void CacheColors();
  void LoadMetrics();
  BOOL CreateFonts(LPCWSTR face = nullptr, LPCWSTR verticalFace = nullptr);
  int GetComCtlVersion();

  // The scheme's colour numbers behind m_colors, in order.
  static const int kCachedColorNumbers[kCachedColors];

  COLORREF m_colors[kCachedColors] = {};
  HCURSOR m_cursors[kCursors] = {};
  int m_smallIconWidth = 0;
  int m_smallIconHeight = 0;
  int m_buttonWidth = 0;
  int m_buttonHeight = 0;
  int m_horizontalThumb = 0;
  int m_verticalThumb = 0;
  int m_menuHeight = 0;
  CFont m_fonts[kFontCount];
  BOOL m_bWin95 = FALSE;
  BOOL m_bWin98 = FALSE;
  BOOL m_bWinNT4 = FALSE;
  BOOL m_bWin2000 = FALSE;
  BOOL m_bWinXP = FALSE;
  BOOL m_bUseTahoma = FALSE;
  BOOL m_bFlagA = FALSE;
  BOOL m_bFlagB = TRUE;
  int m_comCtlVersion = -1;
  CString* m_pIniFileName;

 private:
  BOOL CreateFontVariant(CFont& font, const LOGFONTW& base, int weight = -1, int underline = -1,
                         int orientation = -1, int escapement = -1);
};

CTkGlobalSettings& GetGlobalSettings();

// The face is installed (compared without case).
BOOL FontFaceExists(LPCWSTR face);
// The face for toolkit text: the default GUI font's on systems whose
// character set Arial and Tahoma do not cover, else Tahoma or Arial.
CString GetStandardFontFace(BOOL useTahoma);
class CTkOsVersion;
CString ChooseStandardFontFace(const LOGFONTW& guiFont, const CTkOsVersion& version, BOOL useTahoma);
