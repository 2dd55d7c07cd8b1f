#include "color_scheme.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <cwctype>

#include "ux_theme.h"

namespace {

// Default of every toolkit colour: the number it starts from (-1 black).
const struct {
  int number;
  int from;
} kDefaults[] = {
    {30, 15}, {31, 5},  {32, 13}, {33, 13}, {34, 16}, {35, 17}, {36, 5},  {37, 13}, {38, 16}, {39, 16}, {40, 16},
    {41, 5},  {42, 16}, {43, 16}, {44, 8},  {45, 7},  {46, 18}, {47, 14}, {48, 15}, {49, 18}, {50, 13}, {51, 15},
    {52, 16}, {53, 15}, {54, 16}, {55, 15}, {56, 15}, {57, 16}, {58, 17}, {59, -1}, {60, 16},
};

// Colour = blend of a and b by weight (percent of a below 100, else per mille).
const struct {
  int number, a, b, weight;
} kBlends[] = {
    {30, 5, 15, 165}, {31, 13, 5, 30},   {33, 13, 5, 50},  {35, 17, 5, 70},   {38, 16, 5, 75},
    {39, 16, 5, 70},  {40, 16, 5, 90},   {41, 15, 5, 143}, {42, 15, 16, 90},  {43, 46, 16, 20},
};

// Target pushed away from base until they are threshold apart; "other" is
// the colour compared and replaced (the target itself but for 32).
const struct {
  int target, base, other, threshold;
} kKeptApart[] = {
    {31, 30, 31, 50},  {32, 30, 13, 100},  {33, 30, 33, 30},   {35, 41, 35, 80},   {37, 33, 37, 100},
    {38, 30, 38, 85},  {39, 30, 39, 50},   {43, 47, 43, 100},  {40, 30, 40, 80},   {44, 41, 44, 180},
    {45, 31, 45, 180}, {46, 30, 46, 180},  {47, 33, 47, 180},
};

// The colours of the blue, olive and silver XP styles.
const struct {
  int number;
  COLORREF colors[3];
} kXPColors[] = {
    {38, {RGB(39, 65, 118), RGB(81, 94, 51), RGB(84, 84, 117)}},
    {39, {RGB(106, 140, 203), RGB(96, 128, 88), RGB(110, 109, 143)}},
    {40, {RGB(109, 150, 208), RGB(159, 174, 122), RGB(168, 167, 190)}},
    {41, {RGB(246, 246, 246), RGB(244, 244, 238), RGB(253, 250, 255)}},
    {43, {RGB(0, 45, 150), RGB(117, 141, 94), RGB(124, 124, 148)}},
    {31, {RGB(255, 238, 194), RGB(255, 238, 194), RGB(255, 238, 194)}},
    {32, {RGB(0, 0, 128), RGB(63, 93, 56), RGB(75, 75, 111)}},
    {50, {RGB(0, 0, 128), RGB(63, 93, 56), RGB(75, 75, 111)}},
    {37, {RGB(0, 0, 128), RGB(63, 93, 56), RGB(75, 75, 111)}},
    {33, {RGB(254, 128, 62), RGB(254, 128, 62), RGB(254, 128, 62)}},
    {36, {RGB(255, 192, 111), RGB(255, 192, 111), RGB(255, 192, 111)}},
    {30, {RGB(158, 190, 245), RGB(217, 217, 167), RGB(215, 215, 229)}},
    {47, {RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0)}},
    {59, {RGB(22, 30, 54), RGB(31, 34, 25), RGB(36, 32, 41)}},
};

struct XPGradient {
  COLORREF first, second;
  float factor;
};

// Gradients 0-6 of the blue, olive and silver styles.
const XPGradient kXPGradients[3][7] = {
    {{RGB(89, 135, 214), RGB(0, 45, 150), 0.5f},
     {RGB(158, 190, 245), RGB(196, 218, 250), 0.5f},
     {RGB(89, 135, 214), RGB(0, 45, 150), 0.5f},
     {RGB(221, 236, 254), RGB(129, 169, 226), 0.75f},
     {RGB(227, 239, 255), RGB(135, 173, 228), 0.5f},
     {RGB(203, 221, 246), RGB(121, 161, 220), 0.5f},
     {RGB(227, 239, 255), RGB(147, 181, 231), 0.5f}},
    {{RGB(175, 192, 130), RGB(99, 122, 68), 0.5f},
     {RGB(217, 217, 167), RGB(242, 241, 228), 0.5f},
     {RGB(120, 142, 111), RGB(73, 91, 67), 0.5f},
     {RGB(244, 247, 222), RGB(183, 198, 145), 0.3f},
     {RGB(255, 255, 237), RGB(184, 199, 146), 0.3f},
     {RGB(230, 230, 209), RGB(164, 180, 120), 0.3f},
     {RGB(236, 240, 213), RGB(194, 206, 159), 0.5f}},
    {{RGB(168, 167, 191), RGB(112, 111, 145), 0.5f},
     {RGB(215, 215, 229), RGB(243, 243, 247), 0.5f},
     {RGB(168, 167, 191), RGB(119, 118, 151), 0.5f},
     {RGB(249, 249, 255), RGB(156, 155, 183), 0.75f},
     {RGB(249, 249, 255), RGB(159, 157, 185), 0.75f},
     {RGB(215, 215, 226), RGB(128, 126, 158), 0.75f},
     {RGB(233, 231, 241), RGB(186, 185, 205), 0.5f}},
};

const COLORREF kXPColor54[3] = {RGB(0, 45, 150), RGB(96, 128, 88), RGB(124, 124, 148)};

const int kThemeBorderColor = 3801;  // TMT_BORDERCOLOR

// A colour in the weighted space: red 0-195, green 0-390, blue 0-65.
struct Weighted {
  double r, g, b;
};

const double kRange[3] = {195, 390, 65};

Weighted Weigh(COLORREF c) {
  return {GetRValue(c) * 0.7647058823529411, GetGValue(c) * 1.5294117647058822, GetBValue(c) * 0.2549019607843137};
}

double Length(const Weighted& w) { return std::sqrt(w.r * w.r + w.g * w.g + w.b * w.b); }

Weighted FromWhite(const Weighted& w) { return {kRange[0] - w.r, kRange[1] - w.g, kRange[2] - w.b}; }

BYTE ToChannel(double value, double range, double scale) {
  value = std::clamp(value, 0.0, range) * scale;
  return static_cast<BYTE>(std::clamp(std::floor(value + 0.5), 0.0, 255.0));
}

COLORREF Unweigh(const Weighted& w) {
  return RGB(ToChannel(w.r, kRange[0], 1.3076923076923077), ToChannel(w.g, kRange[1], 0.6538461538461539),
             ToChannel(w.b, kRange[2], 3.923076923076923));
}

double Distance(COLORREF a, COLORREF b) {
  Weighted wa = Weigh(a), wb = Weigh(b);
  return Length({wa.r - wb.r, wa.g - wb.g, wa.b - wb.b});
}

BYTE MaxChannel(COLORREF c) { return std::max({GetRValue(c), GetGValue(c), GetBValue(c)}); }

COLORREF ScaleChannels(COLORREF c, int numerator, int denominator) {
  return RGB(GetRValue(c) * numerator / denominator, GetGValue(c) * numerator / denominator,
             GetBValue(c) * numerator / denominator);
}

DWORD SystemTicks() { return ::GetTickCount(); }

}  // namespace

DWORD (*ColorSchemeTickSource)() = &SystemTicks;

CTkColorScheme::CTkColorScheme(COLORREF (*systemColorSource)(int)) : m_systemColorSource(systemColorSource) {
  std::fill(std::begin(m_custom), std::end(m_custom), kColorUnset);
  std::fill(std::begin(m_xpColors), std::end(m_xpColors), kColorUnset);
  RefreshColors();
  m_gradients[7].SetColors(RGB(255, 213, 140), RGB(255, 173, 85));
  m_gradients[8].SetColors(RGB(254, 142, 75), RGB(255, 207, 139));
  m_gradients[9].SetColors(RGB(255, 242, 200), RGB(255, 212, 151));
}

COLORREF CTkColorScheme::GetColor(int number) const {
  if (number < 0 || number >= kColorCount) return static_cast<COLORREF>(number);
  return m_custom[number] != kColorUnset ? m_custom[number] : m_standard[number];
}

COLORREF CTkColorScheme::GetXPColor(int number) const {
  if (number >= 30 && number < kColorCount && m_xpColors[number] != kColorUnset) return m_xpColors[number];
  return GetColor(number);
}

XPSchemeId CTkColorScheme::GetActiveXPScheme() const {
  return m_chosenScheme == xpSystem || m_chosenScheme == xpDefault ? m_detectedScheme : m_chosenScheme;
}

COLORREF CTkColorScheme::BlendColors(COLORREF a, COLORREF b, int weight) {
  int d = weight < 100 ? 100 : 1000;
  auto mix = [&](int ca, int cb) { return (ca * weight + cb * (d - weight) + d / 2) / d; };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

double CTkColorScheme::ScaledThreshold(COLORREF a, double threshold) {
  int d = std::min(static_cast<int>(Length(Weigh(a))), 220);
  return (2 - d * 0.0045454544) * static_cast<int>(threshold);
}

BOOL CTkColorScheme::IsFar(COLORREF a, COLORREF b, BOOL scaled, double threshold) {
  double limit = scaled ? ScaledThreshold(a, threshold) : threshold;
  double d = Distance(a, b);
  return d * d > limit * limit;
}

COLORREF CTkColorScheme::PullToward(COLORREF a, COLORREF b, double threshold) {
  double g = ScaledThreshold(a, threshold);
  double d = Distance(a, b);
  if (d <= 0) return b;
  Weighted wa = Weigh(a), wb = Weigh(b);
  double f = (d - g) / d;
  return Unweigh({wb.r + (wa.r - wb.r) * f, wb.g + (wa.g - wb.g) * f, wb.b + (wa.b - wb.b) * f});
}

COLORREF CTkColorScheme::PushApart(COLORREF a, COLORREF b, double threshold) {
  double g = ScaledThreshold(a, threshold);
  Weighted wa = Weigh(a), wb = Weigh(b);
  double da = Length(wa), db = Length(wb);
  bool darker = da < db;
  bool fromWhite = darker ? da <= 442 - g : da <= g;
  if (fromWhite) {
    wa = FromWhite(wa);
    wb = FromWhite(wb);
  }
  double length = std::max(Length(wb), 0.001);
  Weighted u = {wb.r / length, wb.g / length, wb.b / length};
  double p = wa.r * u.r + wa.g * u.g + wa.b * u.b;
  Weighted off = {wa.r - p * u.r, wa.g - p * u.g, wa.b - p * u.b};
  // The ray may pass farther than g from a; the nearest point then.
  double reach = std::sqrt(std::max(g * g - (off.r * off.r + off.g * off.g + off.b * off.b), 0.0));
  double t = p - reach;
  Weighted result = {t * u.r, t * u.g, t * u.b};
  return Unweigh(fromWhite ? FromWhite(result) : result);
}

BOOL IsLowColorDisplay(HDC hDC) {
  HWND desktop = nullptr;
  if (hDC == nullptr) {
    desktop = ::GetDesktopWindow();
    hDC = ::GetDC(desktop);
  }
  int bits = ::GetDeviceCaps(hDC, BITSPIXEL) * ::GetDeviceCaps(hDC, PLANES);
  if (desktop != nullptr) ::ReleaseDC(desktop, hDC);
  return bits >= 1 && bits <= 8;
}

BOOL CTkColorScheme::IsLowColorDisplay() const { return ::IsLowColorDisplay(nullptr); }

void CTkColorScheme::RefreshColors() {
  m_detectedScheme = DetectXPScheme();
  BOOL lowColor = IsLowColorDisplay();

  m_standard[0] = RGB(0, 0, 0);
  for (int n = 1; n <= 27; ++n)
    m_standard[n] = m_systemColorSource != nullptr ? m_systemColorSource(n) : ::GetSysColor(n);
  for (const auto& d : kDefaults) m_standard[d.number] = d.from < 0 ? RGB(0, 0, 0) : GetColor(d.from);

  XPSchemeId scheme = m_bXPSchemeDisabled ? xpNone : GetActiveXPScheme();
  std::fill(std::begin(m_xpColors), std::end(m_xpColors), kColorUnset);
  if (scheme >= xpBlue && scheme <= xpSilver)
    for (const auto& x : kXPColors) m_xpColors[x.number] = x.colors[scheme - 1];

  if (!lowColor) {
    for (const auto& b : kBlends) m_standard[b.number] = BlendColors(GetColor(b.a), GetColor(b.b), b.weight);
    if (IsFar(GetColor(15), GetColor(30), TRUE, 35)) m_standard[30] = PullToward(GetColor(15), GetColor(30), 35);
    for (const auto& k : kKeptApart) {
      if (!IsFar(GetColor(k.base), GetColor(k.other), TRUE, k.threshold))
        m_standard[k.target] = PushApart(GetColor(k.base), GetColor(k.other), k.threshold);
    }
    if (IsFar(GetColor(41), GetColor(35), TRUE, 145)) m_standard[35] = PullToward(GetColor(41), GetColor(35), 145);
    SetDerivedColors();
  }
  SetGradients(scheme);
  if (lowColor) return;

  CTkUxThemeHandle tree;
  tree.OpenThemeData(nullptr, L"TREEVIEW");
  COLORREF border;
  if (tree.GetHandle() != nullptr && tree.IsAppThemed() &&
      SUCCEEDED(tree.GetThemeColor(0, 0, kThemeBorderColor, &border)))
    m_standard[57] = border;
}

void CTkColorScheme::SetDerivedColors() {
  COLORREF c30 = GetColor(30), c5 = GetColor(5), c13 = GetColor(13);
  auto mix36 = [](int a, int b, int c) { return static_cast<BYTE>(a * 50 / 100 + b * 40 / 100 + c * 10 / 100); };
  m_standard[36] = RGB(mix36(GetRValue(c30), GetRValue(c5), GetRValue(c13)),
                       mix36(GetGValue(c30), GetGValue(c5), GetGValue(c13)),
                       mix36(GetBValue(c30), GetBValue(c5), GetBValue(c13)));

  COLORREF face = GetColor(15);
  int m = MaxChannel(face);
  m_standard[48] = m == 0 ? RGB(35, 35, 35) : ScaleChannels(face, m + std::min(35, 255 - m), m);

  if (face == RGB(0, 0, 0)) {
    m_standard[49] = RGB(127, 127, 127);
  } else {
    COLORREF shadow = GetColor(16);
    m = MaxChannel(shadow);
    m_standard[49] = m == 0 ? RGB(0, 0, 0) : ScaleChannels(shadow, std::max(m - 43, 0), m);
  }

  COLORREF c31 = GetColor(31);
  m_standard[34] = RGB(static_cast<BYTE>(GetRValue(c31) * 0.75), static_cast<BYTE>(GetGValue(c31) * 0.75),
                       static_cast<BYTE>(GetBValue(c31) * 0.75));
  m_standard[22] = RGB(std::min(GetRValue(face) + 15, 255), std::min(GetGValue(face) + 15, 255),
                       std::min(GetBValue(face) + 15, 255));
  m_standard[53] = GetColor(30);
  m_standard[58] = GetColor(40);
  m_standard[60] = m_standard[40];
}

void CTkColorScheme::SetGradients(XPSchemeId scheme) {
  if (scheme >= xpBlue && scheme <= xpSilver) {
    for (int i = 0; i < 7; ++i) {
      const XPGradient& g = kXPGradients[scheme - 1][i];
      m_gradients[i].SetColors(g.first, g.second, g.factor);
    }
    m_standard[54] = kXPColor54[scheme - 1];
    return;
  }
  COLORREF face = GetColor(15), window = GetColor(5), shadow = GetColor(16);
  m_gradients[0].SetColors(shadow, shadow);
  m_gradients[1].SetColors(face, BlendColors(face, window, 215));
  m_gradients[2].SetColors(face, shadow);
  m_gradients[3].SetColors(BlendColors(face, window, 205), face);
  m_gradients[4].SetColors(BlendColors(face, window, 145), BlendColors(face, window, 93));
  m_gradients[5].SetColors(BlendColors(face, window, 40), BlendColors(face, shadow, 95));
  m_gradients[6].SetColors(BlendColors(face, window, 165), BlendColors(face, window, 42));
}

XPSchemeId DetectXPScheme() {
  if (!IsUxThemeActive()) return xpNone;
  WCHAR file[261] = {}, color[261] = {};
  CTkUxThemeHandle theme;
  if (FAILED(theme.GetCurrentThemeName(file, 260, color, 260, nullptr, 0))) return xpNone;
  for (WCHAR* p : {file, color})
    for (; *p != 0; ++p) *p = static_cast<WCHAR>(std::towlower(*p));
  if (std::wcsstr(file, L"luna.msstyles") != nullptr) {
    if (std::wcscmp(color, L"normalcolor") == 0) return xpBlue;
    if (std::wcscmp(color, L"homestead") == 0) return xpOlive;
    if (std::wcscmp(color, L"metallic") == 0) return xpSilver;
  }
  if (std::wcsstr(file, L"royale.msstyles") != nullptr && std::wcscmp(color, L"normalcolor") == 0) return xpBlue;
  return xpNone;
}

CTkColorScheme* GetColorScheme() {
  static CTkColorScheme scheme;
  return &scheme;
}

void RefreshColorScheme() {
  static bool recorded = false;
  static DWORD lastRefresh = 0;
  DWORD now = ColorSchemeTickSource();
  if (recorded && static_cast<LONG>(now - lastRefresh) <= 500) return;
  GetColorScheme()->RefreshColors();
  CWinThread* thread = AfxGetThread();
  if (thread != nullptr && thread->m_pMainWnd != nullptr) {
    lastRefresh = now;
    recorded = true;
  }
}
