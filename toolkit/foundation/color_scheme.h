// The toolkit's colours by number: 0-27 the system colours, 30-61 colours
// derived from them (kept far enough apart to be told apart), above 61 a
// colour value itself, -1 unset. Also the Windows XP visual-style colours
// and the ten gradients the paint managers use.
#pragma once

#include "framework.h"

const int kColorCount = 62;
const COLORREF kColorUnset = static_cast<COLORREF>(-1);

// A colour the toolkit computes and a custom one that overrides it.
class CTkColorValue {
 public:
  CTkColorValue() = default;
  explicit CTkColorValue(COLORREF standard) : m_standard(standard) {}
  operator COLORREF() const { return m_custom != kColorUnset ? m_custom : m_standard; }
  void SetStandardValue(COLORREF color) { m_standard = color; }
  void SetCustomValue(COLORREF color) { m_custom = color; }
  COLORREF GetStandardColor() const { return m_standard; }
  BOOL IsDefaultValue() const { return m_custom == kColorUnset; }

 private:
  COLORREF m_standard = kColorUnset;
  COLORREF m_custom = kColorUnset;
};

// Two colours and a mixing factor; 0.5 is a plain two-colour gradient.
class CTkGradientColor {
 public:
  CTkGradientColor() = default;
  explicit CTkGradientColor(COLORREF color) { SetColor(color); }
  void SetColor(COLORREF color) { SetColors(color, color, 0.5f); }
  void SetColors(COLORREF first, COLORREF second, float factor = 0.5f) {
    m_first.SetStandardValue(first);
    m_second.SetStandardValue(second);
    m_factor = factor;
  }
  void CopyFrom(const CTkGradientColor& other) {
    SetColors(other.m_first, other.m_second, other.m_factor);
  }

  CTkColorValue m_first;
  CTkColorValue m_second;
  float m_factor = 0.5f;
};

enum XPSchemeId { xpNone = 0, xpBlue = 1, xpOlive = 2, xpSilver = 3, xpSystem = 4, xpDefault = 5 };

class CTkColorScheme : public CCmdTarget {
 public:
  // source, when given, replaces GetSysColor for the numbers 1-27.
  explicit CTkColorScheme(COLORREF (*systemColorSource)(int) = nullptr);

  COLORREF GetColor(int number) const;
  COLORREF GetXPColor(int number) const;
  XPSchemeId GetActiveXPScheme() const;
  XPSchemeId GetSystemXPScheme() const { return m_detectedScheme; }
  BOOL IsXPSchemeDisabled() const { return m_bXPSchemeDisabled; }
  // xpSystem follows the detected scheme; any other value is used as it is.
  void SetChosenXPScheme(XPSchemeId scheme) { m_chosenScheme = scheme; }
  const CTkGradientColor& GetGradient(int index) const { return m_gradients[index]; }

  void RefreshColors();
  void SetSystemColorSource(COLORREF (*source)(int)) { m_systemColorSource = source; }

  // Per channel (a * w + b * (d - w) + d / 2) / d with d = 100 for weights
  // below 100 (percent of a), else 1000 (per mille).
  static COLORREF BlendColors(COLORREF a, COLORREF b, int weight);

  // The colour distance operations of the contrast correction, in a space
  // weighted by how the eye sees red, green and blue.
  static double ScaledThreshold(COLORREF a, double threshold);
  static BOOL IsFar(COLORREF a, COLORREF b, BOOL scaled, double threshold);
  static COLORREF PullToward(COLORREF a, COLORREF b, double threshold);
  static COLORREF PushApart(COLORREF a, COLORREF b, double threshold);

 protected:
  // The display has 1 to 8 bits per pixel.
  virtual BOOL IsLowColorDisplay() const;

  CTkGradientColor m_gradients[10];
  BOOL m_bXPSchemeDisabled = FALSE;
  COLORREF m_standard[kColorCount] = {};
  COLORREF m_custom[kColorCount];
  COLORREF m_xpColors[kColorCount];
  COLORREF (*m_systemColorSource)(int) = nullptr;
  XPSchemeId m_chosenScheme = xpSystem;
  XPSchemeId m_detectedScheme = xpNone;

 private:
  void SetDerivedColors();
  void SetGradients(XPSchemeId scheme);
};

CTkColorScheme* GetColorScheme();
// RefreshColors on the shared scheme, at most every 500 ms once the
// thread has a main window.
void RefreshColorScheme();
// The tick count the refresh throttle reads; tests replace it.
extern DWORD (*ColorSchemeTickSource)();
XPSchemeId DetectXPScheme();
// 1 to 8 bits per pixel on that DC, or on the desktop's when null.
BOOL IsLowColorDisplay(HDC hDC);
