// The styled button's images: loading, measuring, masks and the derived
// grayscale and darker copies, made once when the images are set.
#include "styled_button.h"

namespace {

bool IsDerivedSelector(INT_PTR value) {
  return value == CStyledButton::kGrayscaleImage || value == CStyledButton::kDarkerImage;
}

BYTE GrayOf(COLORREF pixel) {
  return static_cast<BYTE>(0.299 * GetRValue(pixel) + 0.587 * GetGValue(pixel) + 0.114 * GetBValue(pixel));
}

// Copies width x height pixels of source into a new bitmap made by make,
// converting every pixel for which keep() is false.
template <class Keep, class Convert>
HBITMAP CopyPixels(HBITMAP hSource, HBITMAP hTarget, int width, int height, Keep keep, Convert convert) {
  HDC hScreen = ::GetDC(nullptr);
  HDC hFrom = ::CreateCompatibleDC(hScreen);
  HDC hTo = ::CreateCompatibleDC(hScreen);
  ::ReleaseDC(nullptr, hScreen);
  if (hFrom == nullptr || hTo == nullptr || hTarget == nullptr) {
    if (hFrom != nullptr) ::DeleteDC(hFrom);
    if (hTo != nullptr) ::DeleteDC(hTo);
    if (hTarget != nullptr) ::DeleteObject(hTarget);
    return nullptr;
  }
  HGDIOBJ oldFrom = ::SelectObject(hFrom, hSource);
  HGDIOBJ oldTo = ::SelectObject(hTo, hTarget);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      COLORREF pixel = ::GetPixel(hFrom, x, y);
      ::SetPixel(hTo, x, y, keep(pixel) ? pixel : convert(pixel));
    }
  }
  ::SelectObject(hFrom, oldFrom);
  ::SelectObject(hTo, oldTo);
  ::DeleteDC(hFrom);
  ::DeleteDC(hTo);
  return hTarget;
}

HBITMAP ScreenCompatibleBitmap(int width, int height) {
  HDC hScreen = ::GetDC(nullptr);
  HBITMAP hBitmap = hScreen != nullptr ? ::CreateCompatibleBitmap(hScreen, width, height) : nullptr;
  if (hScreen != nullptr) ::ReleaseDC(nullptr, hScreen);
  return hBitmap;
}

COLORREF Gray(COLORREF pixel) {
  BYTE g = GrayOf(pixel);
  return RGB(g, g, g);
}

COLORREF Darker(COLORREF pixel) { return CStyledButton::DarkenColor(pixel, 0.25); }

template <class Convert>
HICON DerivedIcon(HICON hIcon, Convert convert) {
  ICONINFO info = {};
  if (hIcon == nullptr || !::GetIconInfo(hIcon, &info)) return nullptr;
  HICON hResult = nullptr;
  BITMAP colour = {};
  if (info.hbmColor != nullptr && ::GetObjectW(info.hbmColor, sizeof colour, &colour) != 0) {
    int width = static_cast<int>(info.xHotspot) * 2;
    int height = static_cast<int>(info.yHotspot) * 2;
    HBITMAP hTarget = ::CreateBitmap(width, height, colour.bmPlanes, colour.bmBitsPixel, nullptr);
    hTarget = CopyPixels(
        info.hbmColor, hTarget, width, height, [](COLORREF p) { return p == 0; }, convert);
    if (hTarget != nullptr) {
      ICONINFO made = {TRUE, 0, 0, info.hbmMask, hTarget};
      hResult = ::CreateIconIndirect(&made);
      ::DeleteObject(hTarget);
    }
  }
  if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
  return hResult;
}

// Twice the hot spot, as the icon's own information gives it.
bool MeasureIcon(HICON hIcon, int& width, int& height) {
  ICONINFO info = {};
  if (!::GetIconInfo(hIcon, &info)) return false;
  width = static_cast<int>(info.xHotspot) * 2;
  height = static_cast<int>(info.yHotspot) * 2;
  if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
  return true;
}

bool MeasureBitmap(HBITMAP hBitmap, int& width, int& height) {
  BITMAP bm = {};
  if (::GetObjectW(hBitmap, sizeof bm, &bm) == 0) return false;
  width = bm.bmWidth;
  height = bm.bmHeight;
  return true;
}

HANDLE LoadImageFrom(int nId, LPCWSTR type, UINT imageType) {
  LPCWSTR name = MAKEINTRESOURCEW(nId);
  HINSTANCE hModule = AfxFindResourceHandle(name, type);
  return ::LoadImageW(hModule, name, imageType, 0, 0, LR_DEFAULTCOLOR);
}

}  // namespace

COLORREF CStyledButton::DarkenColor(COLORREF colour, double factor) {
  if (!(factor > 0.0 && factor <= 1.0)) return colour;
  auto dark = [factor](BYTE v) { return static_cast<BYTE>(v - v * factor); };
  return RGB(dark(GetRValue(colour)), dark(GetGValue(colour)), dark(GetBValue(colour)));
}

HBITMAP CStyledButton::CreateMask(HBITMAP hBitmap, int width, int height, COLORREF crKey) {
  HBITMAP hMask = ::CreateBitmap(width, height, 1, 1, nullptr);
  if (hMask == nullptr) return nullptr;
  HDC hImageDC = ::CreateCompatibleDC(nullptr);
  HDC hMaskDC = ::CreateCompatibleDC(nullptr);
  if (hImageDC == nullptr || hMaskDC == nullptr) {
    if (hImageDC != nullptr) ::DeleteDC(hImageDC);
    if (hMaskDC != nullptr) ::DeleteDC(hMaskDC);
    ::DeleteObject(hMask);
    return nullptr;
  }
  HGDIOBJ oldImage = ::SelectObject(hImageDC, hBitmap);
  HGDIOBJ oldMask = ::SelectObject(hMaskDC, hMask);
  ::SetBkColor(hImageDC, crKey);
  ::BitBlt(hMaskDC, 0, 0, width, height, hImageDC, 0, 0, SRCCOPY);
  ::SetTextColor(hImageDC, RGB(255, 255, 255));
  ::SetBkColor(hImageDC, RGB(0, 0, 0));
  ::BitBlt(hImageDC, 0, 0, width, height, hMaskDC, 0, 0, SRCAND);
  ::SelectObject(hImageDC, oldImage);
  ::SelectObject(hMaskDC, oldMask);
  ::DeleteDC(hImageDC);
  ::DeleteDC(hMaskDC);
  return hMask;
}

HBITMAP CStyledButton::CreateGrayscaleBitmap(HBITMAP hBitmap, int width, int height, COLORREF crKey) {
  return CopyPixels(
      hBitmap, ScreenCompatibleBitmap(width, height), width, height, [crKey](COLORREF p) { return p == crKey; },
      Gray);
}

HBITMAP CStyledButton::CreateDarkerBitmap(HBITMAP hBitmap, int width, int height, COLORREF crKey) {
  return CopyPixels(
      hBitmap, ScreenCompatibleBitmap(width, height), width, height, [crKey](COLORREF p) { return p == crKey; },
      Darker);
}

HICON CStyledButton::CreateGrayscaleIcon(HICON hIcon) { return DerivedIcon(hIcon, Gray); }

HICON CStyledButton::CreateDarkerIcon(HICON hIcon) { return DerivedIcon(hIcon, Darker); }

void CStyledButton::FreeImages() {
  if (m_activeIcon.icon != nullptr) ::DestroyIcon(m_activeIcon.icon);
  if (m_restingIcon.icon != nullptr) ::DestroyIcon(m_restingIcon.icon);
  for (BitmapImage* image : {&m_activeBitmap, &m_restingBitmap}) {
    if (image->bitmap != nullptr) ::DeleteObject(image->bitmap);
    if (image->mask != nullptr) ::DeleteObject(image->mask);
  }
  m_activeIcon = {};
  m_restingIcon = {};
  m_activeBitmap = {};
  m_restingBitmap = {};
}

DWORD CStyledButton::SetIconsFromResources(int nActiveIcon, int nRestingIcon) {
  HICON hActive = static_cast<HICON>(LoadImageFrom(nActiveIcon, RT_GROUP_ICON, IMAGE_ICON));
  HICON hResting = nullptr;
  if (IsDerivedSelector(nRestingIcon)) hResting = reinterpret_cast<HICON>(static_cast<INT_PTR>(nRestingIcon));
  else if (nRestingIcon != 0) hResting = static_cast<HICON>(LoadImageFrom(nRestingIcon, RT_GROUP_ICON, IMAGE_ICON));
  return SetIcons(hActive, hResting);
}

DWORD CStyledButton::SetIcons(HICON hActive, HICON hResting) {
  FreeImages();
  if (hActive == nullptr) {
    Redraw(TRUE);
    return kOk;
  }
  m_activeIcon.icon = hActive;
  if (!MeasureIcon(hActive, m_activeIcon.width, m_activeIcon.height)) {
    FreeImages();
    return kBadImage;
  }
  INT_PTR selector = reinterpret_cast<INT_PTR>(hResting);
  if (selector == kGrayscaleImage) hResting = CreateGrayscaleIcon(hActive);
  else if (selector == kDarkerImage) hResting = CreateDarkerIcon(hActive);
  if (hResting != nullptr) {
    m_restingIcon.icon = hResting;
    if (!MeasureIcon(hResting, m_restingIcon.width, m_restingIcon.height)) {
      FreeImages();
      return kBadImage;
    }
  }
  Redraw(TRUE);
  return kOk;
}

DWORD CStyledButton::SetBitmapsFromResources(int nActiveBitmap, COLORREF crActiveKey, int nRestingBitmap,
                                             COLORREF crRestingKey) {
  HBITMAP hActive = static_cast<HBITMAP>(LoadImageFrom(nActiveBitmap, RT_BITMAP, IMAGE_BITMAP));
  HBITMAP hResting = nullptr;
  if (IsDerivedSelector(nRestingBitmap)) hResting = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(nRestingBitmap));
  else if (nRestingBitmap != 0) hResting = static_cast<HBITMAP>(LoadImageFrom(nRestingBitmap, RT_BITMAP, IMAGE_BITMAP));
  return SetBitmaps(hActive, crActiveKey, hResting, crRestingKey);
}

DWORD CStyledButton::SetBitmaps(HBITMAP hActive, COLORREF crActiveKey, HBITMAP hResting, COLORREF crRestingKey) {
  FreeImages();
  if (hActive == nullptr) {
    Redraw(TRUE);
    return kOk;
  }
  m_activeBitmap.bitmap = hActive;
  m_activeBitmap.key = crActiveKey;
  if (!MeasureBitmap(hActive, m_activeBitmap.width, m_activeBitmap.height)) {
    FreeImages();
    return kBadImage;
  }
  // The derived copy is made from the bitmap before its mask alters it.
  INT_PTR selector = reinterpret_cast<INT_PTR>(hResting);
  if (IsDerivedSelector(selector)) {
    int w = m_activeBitmap.width, h = m_activeBitmap.height;
    hResting = selector == kDarkerImage ? CreateDarkerBitmap(hActive, w, h, crActiveKey)
                                        : CreateGrayscaleBitmap(hActive, w, h, crActiveKey);
    crRestingKey = crActiveKey;
  }
  m_activeBitmap.mask = CreateMask(hActive, m_activeBitmap.width, m_activeBitmap.height, crActiveKey);
  if (m_activeBitmap.mask == nullptr) {
    if (IsDerivedSelector(selector) && hResting != nullptr) ::DeleteObject(hResting);
    FreeImages();
    return kMaskFailed;
  }
  if (hResting != nullptr) {
    m_restingBitmap.bitmap = hResting;
    m_restingBitmap.key = crRestingKey;
    if (!MeasureBitmap(hResting, m_restingBitmap.width, m_restingBitmap.height)) {
      FreeImages();
      return kBadImage;
    }
    m_restingBitmap.mask = CreateMask(hResting, m_restingBitmap.width, m_restingBitmap.height, crRestingKey);
    if (m_restingBitmap.mask == nullptr) {
      FreeImages();
      return kMaskFailed;
    }
  }
  Redraw(TRUE);
  return kOk;
}
