// The expand-button glyphs of the task panel's themes: the visual style's
// pictures when an XP colour scheme is active, else our glyph bitmaps
// tinted with the caption colours.
#include <algorithm>
#include <cmath>
#include <cwctype>
#include <vector>

#include "draw_helpers.h"
#include "resource_loader.h"
#include "task_panel_painter.h"
#include "toolkit_resources.h"
#include "ux_theme.h"

namespace {

struct Hsl {
  double h, s, l;
};

Hsl ToHsl(COLORREF color) {
  double r = GetRValue(color) / 255.0, g = GetGValue(color) / 255.0, b = GetBValue(color) / 255.0;
  double high = std::max(r, std::max(g, b)), low = std::min(r, std::min(g, b));
  Hsl hsl = {0, 0, (high + low) / 2};
  double d = high - low;
  if (d <= 0) return hsl;
  hsl.s = hsl.l > 0.5 ? d / (2 - high - low) : d / (high + low);
  if (high == r) hsl.h = (g - b) / d + (g < b ? 6 : 0);
  else if (high == g) hsl.h = (b - r) / d + 2;
  else hsl.h = (r - g) / d + 4;
  hsl.h /= 6;
  return hsl;
}

double HueToChannel(double p, double q, double t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (t < 1.0 / 6) return p + (q - p) * 6 * t;
  if (t < 0.5) return q;
  if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
  return p;
}

COLORREF FromHsl(const Hsl& hsl) {
  auto byte = [](double v) { return static_cast<BYTE>(std::lround(std::max(0.0, std::min(1.0, v)) * 255)); };
  if (hsl.s <= 0) return RGB(byte(hsl.l), byte(hsl.l), byte(hsl.l));
  double q = hsl.l < 0.5 ? hsl.l * (1 + hsl.s) : hsl.l + hsl.s - hsl.l * hsl.s;
  double p = 2 * hsl.l - q;
  return RGB(byte(HueToChannel(p, q, hsl.h + 1.0 / 3)), byte(HueToChannel(p, q, hsl.h)),
             byte(HueToChannel(p, q, hsl.h - 1.0 / 3)));
}

const COLORREF kKeyGreen = RGB(0, 255, 0);

// Colour channels times alpha / 255, in place.
void Premultiply(HBITMAP picture) {
  DIBSECTION section = {};
  if (::GetObjectW(picture, sizeof(section), &section) != sizeof(section) || section.dsBm.bmBitsPixel != 32 ||
      section.dsBm.bmBits == nullptr)
    return;
  auto* pixels = static_cast<BYTE*>(section.dsBm.bmBits);
  size_t count = static_cast<size_t>(section.dsBm.bmWidth) * static_cast<size_t>(std::abs(section.dsBm.bmHeight));
  for (size_t i = 0; i < count; ++i) {
    BYTE* p = pixels + i * 4;
    for (int c = 0; c < 3; ++c) p[c] = static_cast<BYTE>(p[c] * p[3] / 255);
  }
}

}  // namespace

void CTkTaskPanelPainter::FreeGlyphs() {
  if (m_hNormalGlyph != nullptr) ::DestroyIcon(m_hNormalGlyph);
  if (m_hSpecialGlyph != nullptr) ::DestroyIcon(m_hSpecialGlyph);
  m_hNormalGlyph = m_hSpecialGlyph = nullptr;
  for (HBITMAP& picture : m_glyphPictures) {
    if (picture != nullptr) ::DeleteObject(picture);
    picture = nullptr;
  }
  m_bGlyphPicturesLoaded = FALSE;
}

void CTkTaskPanelPainter::CreateTintedGlyph(HICON& icon, UINT bitmapId, COLORREF tint) {
  if (icon != nullptr) ::DestroyIcon(icon);
  icon = nullptr;
  CBitmap glyph;
  if (!GetToolkitResourceLoader()->LoadBitmap(glyph, bitmapId)) return;
  BITMAP info = {};
  ::GetObjectW(glyph.GetSafeHandle(), sizeof(info), &info);
  int width = info.bmWidth, height = info.bmHeight;
  if (width <= 0 || height <= 0) return;
  BITMAPINFO header = {};
  header.bmiHeader.biSize = sizeof(header.bmiHeader);
  header.bmiHeader.biWidth = width;
  header.bmiHeader.biHeight = -height;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  header.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  HDC screen = ::GetDC(nullptr);
  ::GetDIBits(screen, static_cast<HBITMAP>(glyph.GetSafeHandle()), 0, static_cast<UINT>(height), pixels.data(),
              &header, DIB_RGB_COLORS);
  // DIB pixels are 0x00RRGGBB; COLORREF is 0x00BBGGRR.
  auto toColor = [](DWORD p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); };
  auto toPixel = [](COLORREF c) { return static_cast<DWORD>((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c)); };
  DWORD key = pixels[0];
  double keyLightness = ToHsl(toColor(key)).l;
  Hsl tinted = ToHsl(tint);
  for (DWORD& pixel : pixels) {
    if (pixel == key) {
      pixel = toPixel(kKeyGreen);
      continue;
    }
    double lightness = ToHsl(toColor(pixel)).l;
    Hsl result = tinted;
    if (lightness > 0.9 && tinted.l <= 0.9) result.l = lightness;
    else result.l = keyLightness > 0 ? std::min(1.0, tinted.l * lightness / keyLightness) : lightness;
    pixel = toPixel(FromHsl(result));
  }
  header.bmiHeader.biBitCount = 32;
  HBITMAP tintedBitmap = ::CreateCompatibleBitmap(screen, width, height);
  ::SetDIBits(screen, tintedBitmap, 0, static_cast<UINT>(height), pixels.data(), &header, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 1, 0);
  if (list != nullptr) {
    ImageList_AddMasked(list, tintedBitmap, kKeyGreen);
    icon = ImageList_GetIcon(list, 0, ILD_NORMAL);
    ImageList_Destroy(list);
  }
  ::DeleteObject(tintedBitmap);
}

CString CTkTaskPanelPainter::GetShellStylePath(int scheme) {
  WCHAR themeFile[MAX_PATH] = {};
  CTkUxThemeHandle theme;
  CString folder;
  if (SUCCEEDED(theme.GetCurrentThemeName(themeFile, MAX_PATH, nullptr, 0, nullptr, 0))) {
    CString lower(themeFile);
    lower.MakeLower();
    int slash = lower.ReverseFind(L'\\');
    if (lower.Find(L"luna.msstyles") >= 0 && slash >= 0) folder = CString(themeFile).Left(slash + 1);
  }
  if (folder.IsEmpty()) {
    WCHAR windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    folder = CString(windows) + L"\\Resources\\Themes\\Luna\\";
  }
  LPCWSTR colour = scheme == xpOlive ? L"Homestead" : scheme == xpSilver ? L"Metallic" : L"NormalColor";
  return folder + L"shell\\" + colour + L"\\shellstyle.dll";
}

void CTkTaskPanelPainter::LoadShellStylePictures() {
  FreeGlyphs();
  XPSchemeId scheme = GetCurrentXPScheme();
  if (scheme >= xpBlue && scheme <= xpSilver) {
    CString path = GetShellStylePath(scheme);
    HMODULE library = ::LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (library != nullptr) {
      int loaded = 0;
      for (int i = 0; i < 8; ++i) {
        m_glyphPictures[i] = static_cast<HBITMAP>(
            ::LoadImageW(library, MAKEINTRESOURCEW(100 + i), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        if (m_glyphPictures[i] == nullptr) continue;
        Premultiply(m_glyphPictures[i]);
        ++loaded;
      }
      m_bGlyphPicturesLoaded = loaded == 8;
      ::FreeLibrary(library);
    }
  }
  if (m_bGlyphPicturesLoaded) return;
  CreateTintedGlyph(m_hNormalGlyph, IDB_TK_TASK_PANEL_GLYPH, m_normalColors.captionBackground.m_second);
  CreateTintedGlyph(m_hSpecialGlyph, IDB_TK_TASK_PANEL_GLYPH_SPECIAL, m_specialColors.captionBackground.m_second);
}
