#include "picture.h"

#include <gdiplus.h>

namespace {

// GDI+ is started once, on first use, and stays up for the process.
bool StartGdiplus() {
  static ULONG_PTR token = 0;
  static bool started = [] {
    Gdiplus::GdiplusStartupInput input;
    return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }();
  return started;
}

}  // namespace

CPicture::CPicture(LPCWSTR path, int format) { Load(path, format); }

CPicture::~CPicture() { Destroy(); }

BOOL CPicture::Load(LPCWSTR path, int format) {
  Destroy();
  if (path == nullptr || !StartGdiplus()) return FALSE;
  Gdiplus::GpImage* image = nullptr;
  if (Gdiplus::DllExports::GdipLoadImageFromFile(path, &image) != Gdiplus::Ok) return FALSE;
  m_image = image;
  m_format = format;
  return TRUE;
}

UINT CPicture::GetWidth() const {
  UINT width = 0;
  if (m_image != nullptr) Gdiplus::DllExports::GdipGetImageWidth(static_cast<Gdiplus::GpImage*>(m_image), &width);
  return width;
}

UINT CPicture::GetHeight() const {
  UINT height = 0;
  if (m_image != nullptr) Gdiplus::DllExports::GdipGetImageHeight(static_cast<Gdiplus::GpImage*>(m_image), &height);
  return height;
}

BOOL CPicture::Draw(HDC hdc, const RECT& rect) const {
  if (m_image == nullptr) return FALSE;
  Gdiplus::GpGraphics* graphics = nullptr;
  if (Gdiplus::DllExports::GdipCreateFromHDC(hdc, &graphics) != Gdiplus::Ok) return FALSE;
  Gdiplus::Status status = Gdiplus::DllExports::GdipDrawImageRectI(graphics, static_cast<Gdiplus::GpImage*>(m_image),
                                                                  rect.left, rect.top, rect.right - rect.left,
                                                                  rect.bottom - rect.top);
  Gdiplus::DllExports::GdipDeleteGraphics(graphics);
  return status == Gdiplus::Ok;
}

void CPicture::Destroy() {
  if (m_image != nullptr) Gdiplus::DllExports::GdipDisposeImage(static_cast<Gdiplus::GpImage*>(m_image));
  m_image = nullptr;
  m_format = 0;
}
