#include "icon_image.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "color_scheme.h"
#include "draw_helpers.h"
#include "image_manager.h"

namespace {

const int kSerialVersion = 16;
// Larger pictures than this are not command icons: refuse them as corrupt.
const int kMaxStoredSide = 4096;

int Stride(int width, int bitCount) { return ((width * bitCount + 31) / 32) * 4; }

// A bottom-up 32-bit picture without colour table.
BITMAPINFO AlphaBitmapInfo(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// The pixels of a system icon as 32-bit values, colour and mask alike.
struct IconPixels {
  int width = 0;
  int height = 0;
  std::vector<DWORD> color;
  std::vector<DWORD> mask;  // 0 where the icon shows its colour
  HBITMAP maskBitmap = nullptr;
  HBITMAP colorBitmap = nullptr;

  ~IconPixels() {
    if (maskBitmap != nullptr) ::DeleteObject(maskBitmap);
    if (colorBitmap != nullptr) ::DeleteObject(colorBitmap);
  }

  BITMAPINFO Info() const { return AlphaBitmapInfo(width, height); }

  BOOL Read(HICON icon) {
    ICONINFO iconInfo = {};
    if (icon == nullptr || !::GetIconInfo(icon, &iconInfo)) return FALSE;
    maskBitmap = iconInfo.hbmMask;
    colorBitmap = iconInfo.hbmColor;
    BITMAP bitmap = {};
    if (colorBitmap == nullptr || ::GetObjectW(colorBitmap, sizeof bitmap, &bitmap) == 0) return FALSE;
    width = bitmap.bmWidth;
    height = bitmap.bmHeight;
    if (width <= 0 || height <= 0) return FALSE;
    color.assign(static_cast<size_t>(width) * height, 0);
    mask.assign(color.size(), 0);
    BITMAPINFO info = Info();
    HDC screen = ::GetDC(nullptr);
    BOOL ok = ::GetDIBits(screen, colorBitmap, 0, height, color.data(), &info, DIB_RGB_COLORS) == height;
    info = Info();
    ok = ok && ::GetDIBits(screen, maskBitmap, 0, height, mask.data(), &info, DIB_RGB_COLORS) == height;
    ::ReleaseDC(nullptr, screen);
    return ok;
  }

  BOOL Inside(size_t i) const { return (mask[i] & 0xFFFFFF) == 0; }

  // A new icon from the colour pixels and the icon's own mask.
  HICON Build() {
    for (DWORD& pixel : color) pixel &= 0xFFFFFF;  // no alpha: the mask decides
    HDC screen = ::GetDC(nullptr);
    HBITMAP newColor = ::CreateCompatibleBitmap(screen, width, height);
    BITMAPINFO info = Info();
    ::SetDIBits(screen, newColor, 0, height, color.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    ICONINFO iconInfo = {TRUE, 0, 0, maskBitmap, newColor};
    HICON icon = ::CreateIconIndirect(&iconInfo);
    ::DeleteObject(newColor);
    return icon;
  }
};

BYTE* SectionBits(HBITMAP bitmap, int* width = nullptr, int* height = nullptr) {
  DIBSECTION section = {};
  if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof section, &section) != sizeof section ||
      section.dsBm.bmBitsPixel != 32)
    return nullptr;
  if (width != nullptr) *width = section.dsBm.bmWidth;
  if (height != nullptr) *height = section.dsBm.bmHeight;
  return static_cast<BYTE*>(section.dsBm.bmBits);
}

// Applies change to each blue-green-red-alpha pixel of a copy of an alpha image.
template <class F>
HBITMAP TransformAlpha(HBITMAP source, F change) {
  HBITMAP copy = CopyAlphaBitmap(source);
  int width = 0;
  int height = 0;
  BYTE* bits = SectionBits(copy, &width, &height);
  if (bits == nullptr) return copy;
  ::GdiFlush();
  for (size_t i = 0, n = static_cast<size_t>(width) * height; i < n; ++i) change(bits + i * 4);
  return copy;
}

// In thousandths, so that white is exactly 1.
double Luminance(BYTE red, BYTE green, BYTE blue) { return (299 * red + 587 * green + 114 * blue) / 255000.0; }

// Truncation that a representation error just below a whole number must not
// push down (0.7 x 255 + 76.5 is 255).
BYTE TruncateChannel(double value) { return static_cast<BYTE>(std::min(255.0, value + 1e-9)); }

// The disabled-image exponent and alpha divisor: process-wide, never changed.
const double kDisabledExponent = 0.5;
const double kDisabledAlphaDivisor = 1.0;

void MakeDisabledPixel(BYTE* bgr, COLORREF light, COLORREF dark, BOOL twoColors) {
  double l = Luminance(bgr[2], bgr[1], bgr[0]);
  if (twoColors) {
    bgr[2] = TruncateChannel((1 - l) * GetRValue(dark) + l * GetRValue(light));
    bgr[1] = TruncateChannel((1 - l) * GetGValue(dark) + l * GetGValue(light));
    bgr[0] = TruncateChannel((1 - l) * GetBValue(dark) + l * GetBValue(light));
  } else {
    BYTE grey = TruncateChannel(255.0 * std::pow(l, kDisabledExponent));
    bgr[0] = bgr[1] = bgr[2] = grey;
  }
}

}  // namespace

// --- CTkIconHandle ---

void CTkIconHandle::Clear() {
  if (m_bOwns) {
    if (m_hIcon != nullptr) ::DestroyIcon(m_hIcon);
    if (m_hBitmap != nullptr) ::DeleteObject(m_hBitmap);
  }
  if (m_hDrawCopy != nullptr) ::DeleteObject(m_hDrawCopy);
  m_hIcon = nullptr;
  m_hBitmap = nullptr;
  m_hDrawCopy = nullptr;
}

void CTkIconHandle::CopyFrom(const CTkIconHandle& other) {
  if (&other == this) return;
  Clear();
  m_bOwns = TRUE;
  if (other.m_hIcon != nullptr)
    m_hIcon = ::CopyIcon(other.m_hIcon);
  else if (other.m_hBitmap != nullptr)
    m_hBitmap = CopyAlphaBitmap(other.m_hBitmap);
}

void CTkIconHandle::SetBitmapCopy(HBITMAP bitmap) {
  Clear();
  m_bOwns = TRUE;
  m_hBitmap = CopyAlphaBitmap(bitmap);
}

void CTkIconHandle::AttachIcon(HICON icon) {
  Clear();
  m_bOwns = TRUE;
  m_hIcon = icon;
}

void CTkIconHandle::AttachBitmap(HBITMAP bitmap) {
  Clear();
  m_bOwns = TRUE;
  m_hBitmap = bitmap;
}

CSize CTkIconHandle::GetExtent() const {
  if (m_hIcon != nullptr) return GetIconExtent(m_hIcon);
  BITMAP bitmap = {};
  if (m_hBitmap != nullptr && ::GetObjectW(m_hBitmap, sizeof bitmap, &bitmap) != 0)
    return CSize(bitmap.bmWidth, std::abs(bitmap.bmHeight));
  return CSize(0, 0);
}

BOOL CTkIconHandle::LoadFromResource(UINT id, int width, int height, BOOL searchGroup) {
  LPCWSTR name = MAKEINTRESOURCEW(id);
  if (searchGroup) {
    HINSTANCE module = AfxFindResourceHandle(name, RT_GROUP_ICON);
    HRSRC resource = ::FindResourceW(module, name, RT_GROUP_ICON);
    if (resource != nullptr) {
      const BYTE* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module, resource)));
      DWORD size = ::SizeofResource(module, resource);
      if (data == nullptr || size < 6) return FALSE;
      const WORD count = *reinterpret_cast<const WORD*>(data + 4);
      const DWORD entrySize = 14;
      if (6 + static_cast<DWORD>(count) * entrySize > size) return FALSE;  // the count overruns the data
      for (int i = count - 1; i >= 0; --i) {
        const BYTE* entry = data + 6 + i * entrySize;
        if (entry[0] == static_cast<BYTE>(width) && entry[1] == static_cast<BYTE>(height) &&
            LoadFromResource(*reinterpret_cast<const WORD*>(entry + 12), width, height, FALSE))
          return TRUE;
      }
      return FALSE;
    }
  }
  HINSTANCE module = AfxFindResourceHandle(name, RT_ICON);
  HRSRC resource = ::FindResourceW(module, name, RT_ICON);
  if (resource == nullptr) return FALSE;
  BYTE* data = static_cast<BYTE*>(::LockResource(::LoadResource(module, resource)));
  DWORD size = ::SizeofResource(module, resource);
  if (data == nullptr || size < sizeof(BITMAPINFOHEADER)) return FALSE;
  const BITMAPINFOHEADER* header = reinterpret_cast<const BITMAPINFOHEADER*>(data);
  if (header->biBitCount == 32) {
    if (!GetSharedImageManager()->IsAlphaUsable()) return FALSE;
    int imageWidth = header->biWidth;
    int imageHeight = header->biHeight / 2;
    if (imageWidth <= 0 || imageHeight <= 0 || imageWidth > kMaxStoredSide || imageHeight > kMaxStoredSide)
      return FALSE;
    size_t pixels = static_cast<size_t>(imageWidth) * imageHeight * 4;
    if (header->biSize < sizeof(BITMAPINFOHEADER) || header->biSize > size || pixels > size - header->biSize)
      return FALSE;
    void* bits = nullptr;
    HBITMAP section = CreateAlphaSection(imageWidth, imageHeight, &bits);
    if (section == nullptr) return FALSE;
    memcpy(bits, data + header->biSize, pixels);
    AttachBitmap(section);
  } else {
    AttachIcon(::CreateIconFromResourceEx(data, size, TRUE, 0x30000, width, height, 0));
  }
  return !IsEmpty();
}

BOOL CTkIconHandle::PrepareDrawCache() {
  if (m_hDrawCopy != nullptr) return TRUE;
  if (m_hBitmap != nullptr) {
    m_hDrawCopy = PremultiplyAlphaBitmap(m_hBitmap);
  } else if (m_hIcon != nullptr) {
    ICONINFO info = {};
    if (::GetIconInfo(m_hIcon, &info)) {
      BITMAP bitmap = {};
      if (info.hbmColor != nullptr && ::GetObjectW(info.hbmColor, sizeof bitmap, &bitmap) != 0 &&
          bitmap.bmBitsPixel == 32) {
        HBITMAP straight = CopyAlphaBitmap(info.hbmColor);
        if (straight != nullptr) {
          m_hDrawCopy = PremultiplyAlphaBitmap(straight);
          ::DeleteObject(straight);
        }
      }
      if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
      if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
    }
  }
  return m_hDrawCopy != nullptr;
}

// --- CTkImageIcon ---

CTkImageIcon::CTkImageIcon(UINT commandId, int width, int height, CTkImageIconSet* owner)
    : m_commandId(commandId), m_width(width), m_height(height), m_pOwner(owner) {}

CTkImageIcon::CTkImageIcon(UINT commandId, int width, int height, CTkImageListSource* source)
    : m_commandId(commandId), m_width(width), m_height(height), m_pSource(source) {}

CTkImageManager* CTkImageIcon::GetImageManager() const {
  if (m_pOwner != nullptr && m_pOwner->m_pManager != nullptr) return m_pOwner->m_pManager;
  return GetSharedImageManager();
}

void CTkImageIcon::ClearDerivedImages() {
  m_faded.Clear();
  m_shadow.Clear();
  m_computedDisabled.Clear();
}

void CTkImageIcon::ClearImages(BOOL includingNormal) {
  ClearDerivedImages();
  m_hot.Clear();
  m_checked.Clear();
  m_disabled.Clear();
  if (includingNormal) m_normal.Clear();
}

void CTkImageIcon::SetNormalImage(const CTkIconHandle& handle) {
  ClearImages(TRUE);
  m_normal.CopyFrom(handle);
  CSize size = m_normal.GetExtent();
  m_width = size.cx;
  m_height = size.cy;
  m_bGenerated = FALSE;
  if (m_pOwner != nullptr) m_pOwner->RefreshIcons();
}

void CTkImageIcon::SetHotImage(const CTkIconHandle& handle) {
  ClearDerivedImages();
  m_hot.CopyFrom(handle);
}

void CTkImageIcon::SetCheckedImage(const CTkIconHandle& handle) {
  ClearDerivedImages();
  m_checked.CopyFrom(handle);
}

void CTkImageIcon::SetDisabledImage(const CTkIconHandle& handle) {
  ClearDerivedImages();
  m_disabled.CopyFrom(handle);
}

CTkIconHandle& CTkImageIcon::GetFadedImage() {
  if (!m_faded.IsEmpty() || m_normal.IsEmpty()) return m_faded;
  if (m_normal.IsAlpha()) {
    m_faded.AttachBitmap(TransformAlpha(m_normal.GetBitmap(), [](BYTE* bgr) {
      for (int c = 0; c < 3; ++c) bgr[c] = TruncateChannel(bgr[c] * 0.7 + 76.5);
    }));
    return m_faded;
  }
  IconPixels pixels;
  if (!pixels.Read(m_normal.GetIcon())) return m_faded;
  if (!IsLowColorDisplay(nullptr)) {
    for (size_t i = 0; i < pixels.color.size(); ++i) {
      if (!pixels.Inside(i)) continue;
      DWORD p = pixels.color[i];
      COLORREF lighter = LightenColor(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF), 0.3);
      pixels.color[i] = (GetRValue(lighter) << 16) | (GetGValue(lighter) << 8) | GetBValue(lighter);
    }
  }
  m_faded.AttachIcon(pixels.Build());
  return m_faded;
}

CTkIconHandle& CTkImageIcon::GetShadowImage() {
  CTkIconHandle& source = GetHotImage();
  if (!m_shadow.IsEmpty() || source.IsEmpty()) return m_shadow;
  COLORREF base = GetColorScheme()->GetColor(31);
  const BYTE red = static_cast<BYTE>(GetRValue(base) * 0.75);
  const BYTE green = static_cast<BYTE>(GetGValue(base) * 0.75);
  const BYTE blue = static_cast<BYTE>(GetBValue(base) * 0.75);
  if (source.IsAlpha()) {
    m_shadow.AttachBitmap(TransformAlpha(source.GetBitmap(), [=](BYTE* bgr) {
      bgr[0] = blue;
      bgr[1] = green;
      bgr[2] = red;
    }));
    return m_shadow;
  }
  IconPixels pixels;
  if (!pixels.Read(source.GetIcon())) return m_shadow;
  for (size_t i = 0; i < pixels.color.size(); ++i)
    if (pixels.Inside(i)) pixels.color[i] = (red << 16) | (green << 8) | blue;
  m_shadow.AttachIcon(pixels.Build());
  return m_shadow;
}

CTkIconHandle& CTkImageIcon::GetDisabledImage(BOOL create) {
  if (!m_disabled.IsEmpty()) return m_disabled;
  if (create && m_computedDisabled.IsEmpty()) MakeDisabledImage();
  return m_computedDisabled;
}

void CTkImageIcon::MakeDisabledImage(COLORREF light, COLORREF dark) {
  m_computedDisabled.Clear();
  if (m_normal.IsEmpty()) return;
  const BOOL twoColors = light != static_cast<COLORREF>(-1) && dark != static_cast<COLORREF>(-1);
  if (m_normal.IsAlpha()) {
    m_computedDisabled.AttachBitmap(TransformAlpha(m_normal.GetBitmap(), [=](BYTE* bgra) {
      MakeDisabledPixel(bgra, light, dark, twoColors);
      if (!twoColors) bgra[3] = static_cast<BYTE>(bgra[3] / kDisabledAlphaDivisor);
    }));
    return;
  }
  IconPixels pixels;
  if (!pixels.Read(m_normal.GetIcon())) return;
  for (size_t i = 0; i < pixels.color.size(); ++i)
    if (pixels.Inside(i)) MakeDisabledPixel(reinterpret_cast<BYTE*>(&pixels.color[i]), light, dark, twoColors);
  m_computedDisabled.AttachIcon(pixels.Build());
}

CTkImageIcon* CTkImageIcon::CreateScaledIcon(int width) {
  if (m_normal.IsEmpty() || m_normal.IsAlpha() || m_width <= 0 || width <= 0) return nullptr;
  int height = static_cast<int>(std::lround(static_cast<double>(m_height) * width / m_width));
  CTkImageIcon* scaled = new CTkImageIcon(m_commandId, width, height, m_pOwner);
  CSize size(m_width, m_height);
  scaled->m_normal.AttachIcon(ResizeIcon(m_normal.GetIcon(), size, width));
  if (!m_disabled.IsEmpty()) scaled->m_disabled.AttachIcon(ResizeIcon(m_disabled.GetIcon(), size, width));
  if (!m_hot.IsEmpty()) scaled->m_hot.AttachIcon(ResizeIcon(m_hot.GetIcon(), size, width));
  if (!m_checked.IsEmpty()) scaled->m_checked.AttachIcon(ResizeIcon(m_checked.GetIcon(), size, width));
  return scaled;
}

void CTkImageIcon::Draw(CDC* pDC, int x, int y, CTkIconHandle& handle, int width, int height) {
  if (m_width <= 0) return;  // a stored width of 0 gives nothing to scale by
  if (width == 0) width = m_width;
  if (height == 0) height = width * m_height / m_width;
  if (m_pSource != nullptr) {
    ::ImageList_DrawEx(m_pSource->imageList, static_cast<int>(m_commandId - m_pSource->firstId), pDC->GetSafeHdc(),
                       x, y, width, height, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
    return;
  }
  if (handle.IsEmpty()) return;
  if (!handle.IsAlpha()) {
    if (GetImageManager()->m_bDrawMirrored)
      ::DrawIconEx(pDC->GetSafeHdc(), x + width, y, handle.GetIcon(), -width, height, 0, nullptr, DI_NORMAL);
    else
      ::DrawIconEx(pDC->GetSafeHdc(), x, y, handle.GetIcon(), width, height, 0, nullptr, DI_NORMAL);
    return;
  }
  if (handle.PrepareDrawCache())
    DrawAlphaBitmap(pDC, handle.GetDrawCopy(), x, y, width, height, 0, 0, m_width, m_height);
}

void CTkImageIcon::DrawMonochrome(CDC* pDC, int x, int y, CTkIconHandle& handle, COLORREF color) {
  if (handle.IsEmpty() || handle.IsAlpha()) return;
  CBrush brush(color);
  if (!GetImageManager()->m_bDrawMirrored) {
    pDC->DrawState(CPoint(x, y), CSize(0, 0), handle.GetIcon(), DSS_MONO, static_cast<HBRUSH>(brush.GetSafeHandle()));
    return;
  }
  CDC memory;
  memory.Attach(::CreateCompatibleDC(pDC->GetSafeHdc()));
  CBitmap bitmap;
  bitmap.Attach(::CreateCompatibleBitmap(pDC->GetSafeHdc(), m_width, m_height));
  {
    CTkObjectSelector select(memory.GetSafeHdc(), bitmap.GetSafeHandle());
    memory.FillSolidRect(0, 0, m_width, m_height, RGB(255, 255, 255));
    ::DrawIconEx(memory.GetSafeHdc(), m_width, 0, handle.GetIcon(), -m_width, m_height, 0, nullptr, DI_NORMAL);
  }
  pDC->DrawState(CPoint(x, y), CSize(m_width, m_height), static_cast<HBITMAP>(bitmap.GetSafeHandle()), DSS_MONO,
                 static_cast<HBRUSH>(brush.GetSafeHandle()));
}

// --- serialization ---

namespace {

void WriteEmptyRecord(CArchive& ar) { ar.WriteCount(0); }

// A short read is a truncated record.
void ReadAll(CArchive& ar, void* buffer, UINT size) {
  if (ar.Read(buffer, size) != size) AfxThrowArchiveException(CArchiveException::endOfFile);
}

void WriteBitmapRecord(CArchive& ar, HBITMAP bitmap) {
  TkBitmapHeaderBlock header;
  std::vector<BYTE> bits;
  if (bitmap == nullptr || !ReadBitmapBits(bitmap, bits, header)) {
    WriteEmptyRecord(ar);
    return;
  }
  ar.WriteCount(sizeof header);
  ar.Write(&header, sizeof header);
  ar.WriteCount(bits.size());
  ar.Write(bits.data(), static_cast<UINT>(bits.size()));
}

// Null for an empty record; throws on data that cannot be a record.
HBITMAP ReadBitmapRecord(CArchive& ar) {
  DWORD_PTR headerSize = ar.ReadCount();
  if (headerSize == 0) return nullptr;
  if (headerSize != sizeof(TkBitmapHeaderBlock)) AfxThrowArchiveException(CArchiveException::badIndex);
  TkBitmapHeaderBlock header;
  ReadAll(ar, &header, sizeof header);
  const BITMAPINFOHEADER& h = header.header;
  const int width = h.biWidth;
  const int height = std::abs(h.biHeight);
  const BOOL usable = h.biSize == sizeof(BITMAPINFOHEADER) && width > 0 && height > 0 && width <= kMaxStoredSide &&
                      height <= kMaxStoredSide && h.biPlanes == 1 &&
                      (h.biBitCount == 1 || h.biBitCount == 16 || h.biBitCount == 24 || h.biBitCount == 32);
  DWORD_PTR pixelSize = ar.ReadCount();
  // Writers store width x height x 4 bytes; anything larger is not ours.
  if (pixelSize > static_cast<DWORD_PTR>(kMaxStoredSide) * kMaxStoredSide * 4 ||
      (usable && pixelSize > static_cast<DWORD_PTR>(width) * height * 4))
    AfxThrowArchiveException(CArchiveException::badIndex);
  std::vector<BYTE> pixels(pixelSize);
  if (pixelSize > 0) ReadAll(ar, pixels.data(), static_cast<UINT>(pixelSize));
  if (!usable) return nullptr;
  void* bits = nullptr;
  HBITMAP section = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits,
                                       nullptr, 0);
  if (section == nullptr) return nullptr;
  size_t sectionSize = static_cast<size_t>(Stride(width, h.biBitCount)) * height;
  memcpy(bits, pixels.data(), std::min(sectionSize, pixels.size()));
  return section;
}

}  // namespace

void CTkImageIcon::SerializeImage(CArchive& ar, CTkIconHandle& handle) {
  if (ar.IsStoring()) {
    if (handle.GetIcon() != nullptr) {
      ICONINFO info = {};
      if (::GetIconInfo(handle.GetIcon(), &info)) {
        WriteBitmapRecord(ar, info.hbmColor);
        WriteBitmapRecord(ar, info.hbmMask);
        if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
        if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
      } else {
        WriteEmptyRecord(ar);
        WriteEmptyRecord(ar);
      }
    } else if (handle.GetBitmap() != nullptr) {
      WriteBitmapRecord(ar, handle.GetBitmap());
      WriteEmptyRecord(ar);
    } else {
      WriteEmptyRecord(ar);
      WriteEmptyRecord(ar);
    }
    return;
  }
  handle.Clear();
  HBITMAP first = ReadBitmapRecord(ar);
  HBITMAP second = nullptr;
  try {
    second = ReadBitmapRecord(ar);
  } catch (...) {
    if (first != nullptr) ::DeleteObject(first);
    throw;
  }
  if (first != nullptr && second != nullptr) {
    BITMAP bitmap = {};
    ::GetObjectW(first, sizeof bitmap, &bitmap);
    HIMAGELIST list = ::ImageList_Create(bitmap.bmWidth, bitmap.bmHeight, ILC_COLOR24 | ILC_MASK, 0, 1);
    if (list != nullptr) {
      if (::ImageList_Add(list, first, second) == 0) handle.AttachIcon(::ImageList_GetIcon(list, 0, ILD_NORMAL));
      ::ImageList_Destroy(list);
    }
    ::DeleteObject(first);
    ::DeleteObject(second);
  } else if (first != nullptr) {
    handle.AttachBitmap(first);
  } else if (second != nullptr) {
    ::DeleteObject(second);
  }
}

void CTkImageIcon::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<int>(m_height) << static_cast<DWORD>(kSerialVersion);
    SerializeImage(ar, m_normal);
    SerializeImage(ar, m_disabled);
    SerializeImage(ar, m_hot);
    SerializeImage(ar, m_checked);
    return;
  }
  int height = 0;
  DWORD version = 0;
  ar >> height >> version;
  m_height = height;
  ClearDerivedImages();
  SerializeImage(ar, m_normal);
  SerializeImage(ar, m_disabled);
  SerializeImage(ar, m_hot);
  if (version > 7)
    SerializeImage(ar, m_checked);
  else
    m_checked.Clear();
}

// --- bitmap helpers ---

HBITMAP CreateAlphaSection(int width, int height, void** bits) {
  BITMAPINFO info = AlphaBitmapInfo(width, height);
  void* ignored = nullptr;
  return ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits != nullptr ? bits : &ignored, nullptr, 0);
}

BOOL GetAlphaBitmapBits(HDC hDC, HBITMAP bitmap, TkBitmapHeaderBlock& header, std::vector<BYTE>& bits) {
  BITMAP info = {};
  if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof info, &info) == 0 || info.bmBitsPixel != 32) return FALSE;
  ZeroMemory(&header, sizeof header);
  header.header.biSize = sizeof header.header;
  header.header.biWidth = info.bmWidth;
  header.header.biHeight = std::abs(info.bmHeight);
  header.header.biPlanes = 1;
  header.header.biBitCount = 32;
  header.header.biCompression = BI_RGB;
  header.header.biSizeImage = static_cast<DWORD>(info.bmWidth) * header.header.biHeight * 4;
  bits.assign(header.header.biSizeImage, 0);
  return ::GetDIBits(hDC, bitmap, 0, header.header.biHeight, bits.data(), reinterpret_cast<BITMAPINFO*>(&header),
                     DIB_RGB_COLORS) == header.header.biHeight;
}

BOOL ReadAlphaPixels(HBITMAP bitmap, TkBitmapHeaderBlock& header, std::vector<BYTE>& bits) {
  HDC screen = ::GetDC(nullptr);
  BOOL ok = GetAlphaBitmapBits(screen, bitmap, header, bits);
  ::ReleaseDC(nullptr, screen);
  return ok;
}

HBITMAP SectionFromAlphaPixels(const TkBitmapHeaderBlock& header, const std::vector<BYTE>& bits) {
  void* target = nullptr;
  HBITMAP section = CreateAlphaSection(header.header.biWidth, header.header.biHeight, &target);
  if (section != nullptr) memcpy(target, bits.data(), std::min(bits.size(), static_cast<size_t>(header.header.biSizeImage)));
  return section;
}

HBITMAP CopyAlphaBitmap(HBITMAP bitmap) {
  TkBitmapHeaderBlock header;
  std::vector<BYTE> bits;
  return ReadAlphaPixels(bitmap, header, bits) ? SectionFromAlphaPixels(header, bits) : nullptr;
}

HBITMAP PremultiplyAlphaBitmap(HBITMAP bitmap) {
  return TransformAlpha(bitmap, [](BYTE* p) {
    for (int c = 0; c < 3; ++c) p[c] = static_cast<BYTE>(p[c] * p[3] / 255);
  });
}

BOOL ReadBitmapBits(HBITMAP bitmap, std::vector<BYTE>& bits, TkBitmapHeaderBlock& header) {
  BITMAP info = {};
  if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight == 0)
    return FALSE;
  ZeroMemory(&header, sizeof header);
  header.header.biSize = sizeof header.header;
  header.header.biWidth = info.bmWidth;
  header.header.biHeight = std::abs(info.bmHeight);
  header.header.biPlanes = 1;
  // Masks keep one bit; colour is kept as 32 bits, which needs no colour table.
  header.header.biBitCount = static_cast<WORD>(info.bmBitsPixel == 1 ? 1 : 32);
  header.header.biCompression = BI_RGB;
  bits.assign(static_cast<size_t>(info.bmWidth) * header.header.biHeight * 4, 0);
  HDC screen = ::GetDC(nullptr);
  int lines = ::GetDIBits(screen, bitmap, 0, header.header.biHeight, bits.data(),
                          reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  header.header.biSize = sizeof header.header;
  return lines == header.header.biHeight;
}

namespace {
const BYTE* FindBitmapResource(UINT id, DWORD* size) {
  LPCWSTR name = MAKEINTRESOURCEW(id);
  HINSTANCE module = AfxFindResourceHandle(name, RT_BITMAP);
  HRSRC resource = ::FindResourceW(module, name, RT_BITMAP);
  if (resource == nullptr) return nullptr;
  *size = ::SizeofResource(module, resource);
  return static_cast<const BYTE*>(::LockResource(::LoadResource(module, resource)));
}
}  // namespace

BOOL IsAlphaBitmapResource(UINT id) {
  DWORD size = 0;
  const BYTE* data = FindBitmapResource(id, &size);
  return data != nullptr && size >= sizeof(BITMAPINFOHEADER) &&
         reinterpret_cast<const BITMAPINFOHEADER*>(data)->biBitCount == 32;
}

HBITMAP LoadAlphaBitmapResource(UINT id) {
  DWORD size = 0;
  const BYTE* data = FindBitmapResource(id, &size);
  if (data == nullptr || size < sizeof(BITMAPINFOHEADER)) return nullptr;
  const BITMAPINFOHEADER* header = reinterpret_cast<const BITMAPINFOHEADER*>(data);
  int width = header->biWidth;
  int height = std::abs(header->biHeight);
  if (header->biBitCount != 32 || width <= 0 || height <= 0 || width > 65536 || height > 65536) return nullptr;
  size_t pixels = static_cast<size_t>(width) * height * 4;
  if (pixels + sizeof(BITMAPINFOHEADER) > size) return nullptr;
  void* bits = nullptr;
  HBITMAP section = CreateAlphaSection(width, height, &bits);
  if (section != nullptr) memcpy(bits, data + size - pixels, pixels);
  return section;
}

BOOL IsBitmapFile32Bit(LPCWSTR path) {
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return FALSE;
  BYTE headers[14 + 40];
  if (file.Read(headers, sizeof headers) != sizeof headers || headers[0] != 'B' || headers[1] != 'M') return FALSE;
  return reinterpret_cast<const BITMAPINFOHEADER*>(headers + 14)->biBitCount == 32;
}

HBITMAP AlphaBitmapFromIconFileBytes(const BYTE* data, size_t size, int width) {
  if (data == nullptr || size < 6) return nullptr;
  const WORD* directory = reinterpret_cast<const WORD*>(data);
  if (directory[0] != 0 || directory[1] != 1) return nullptr;
  const size_t count = directory[2];
  const size_t entrySize = 16;
  if (6 + count * entrySize > size) return nullptr;  // the count overruns the file
  for (size_t i = 0; i < count; ++i) {
    const BYTE* entry = data + 6 + i * entrySize;
    DWORD imageSize = *reinterpret_cast<const DWORD*>(entry + 8);
    DWORD offset = *reinterpret_cast<const DWORD*>(entry + 12);
    if (offset > size || imageSize > size - offset || imageSize < sizeof(BITMAPINFOHEADER)) continue;
    const BITMAPINFOHEADER* header = reinterpret_cast<const BITMAPINFOHEADER*>(data + offset);
    if (header->biBitCount != 32 || header->biSize < sizeof(BITMAPINFOHEADER) || header->biSize > imageSize)
      continue;
    int imageWidth = header->biWidth;
    int imageHeight = header->biHeight / 2;
    if (imageWidth <= 0 || imageHeight <= 0 || imageWidth > kMaxStoredSide || imageHeight > kMaxStoredSide) continue;
    if (width != 0 && imageWidth != width) continue;
    size_t pixels = static_cast<size_t>(imageWidth) * imageHeight * 4;
    if (pixels > imageSize - header->biSize) continue;
    void* bits = nullptr;
    HBITMAP section = CreateAlphaSection(imageWidth, imageHeight, &bits);
    if (section == nullptr) return nullptr;
    memcpy(bits, data + offset + header->biSize, pixels);
    return section;
  }
  return nullptr;
}

HBITMAP LoadAlphaIconFile(LPCWSTR path, int width) {
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return nullptr;
  ULONGLONG length = file.GetLength();
  if (length > 16u * 1024 * 1024) return nullptr;
  std::vector<BYTE> data(static_cast<size_t>(length));
  if (!data.empty() && file.Read(data.data(), static_cast<UINT>(data.size())) != data.size()) return nullptr;
  return AlphaBitmapFromIconFileBytes(data.data(), data.size(), width);
}

CSize GetIconExtent(HICON icon) {
  ICONINFO info = {};
  if (icon == nullptr || !::GetIconInfo(icon, &info)) return CSize(0, 0);
  BITMAP mask = {};
  ::GetObjectW(info.hbmMask, sizeof mask, &mask);
  CSize size(mask.bmWidth, info.hbmColor != nullptr ? mask.bmHeight : mask.bmHeight / 2);
  if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
  return size;
}

HICON ResizeIcon(HICON icon, CSize size, int width) {
  if (icon == nullptr || width == 0 || size.cx <= 0 || size.cy <= 0) return nullptr;
  if (width == size.cx) return ::CopyIcon(icon);
  int height = static_cast<int>(std::lround(static_cast<double>(size.cy) * width / size.cx));
  HIMAGELIST list = ::ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 1, 1);
  if (list == nullptr) return nullptr;
  HICON resized = nullptr;
  if (::ImageList_AddIcon(list, icon) == 0) resized = ::ImageList_GetIcon(list, 0, ILD_NORMAL);
  ::ImageList_Destroy(list);
  return resized;
}

void DrawAlphaBitmap(CDC* pDC, HBITMAP premultiplied, int x, int y, int width, int height, int sourceX, int sourceY,
                     int sourceWidth, int sourceHeight) {
  auto alphaBlend = GetSharedImageManager()->m_alphaBlend;
  if (alphaBlend == nullptr || premultiplied == nullptr) return;
  if (sourceWidth == 0 && sourceHeight == 0) {
    sourceWidth = width;
    sourceHeight = height;
  }
  HDC memory = ::CreateCompatibleDC(pDC->GetSafeHdc());
  HGDIOBJ previous = ::SelectObject(memory, premultiplied);
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  alphaBlend(pDC->GetSafeHdc(), x, y, width, height, memory, sourceX, sourceY, sourceWidth, sourceHeight, blend);
  ::SelectObject(memory, previous);
  ::DeleteDC(memory);
}

COLORREF LightenColor(COLORREF color, double fraction) {
  auto channel = [fraction](int c) { return TruncateChannel(fraction * 255 + (1 - fraction) * c); };
  return RGB(channel(GetRValue(color)), channel(GetGValue(color)), channel(GetBValue(color)));
}
