#include "screen_png.h"

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

void PutBigEndian(std::vector<unsigned char>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(value >> shift));
}

void WriteChunk(FILE* file, const char* type, const std::vector<unsigned char>& data) {
  std::vector<unsigned char> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  std::vector<unsigned char> framed;
  PutBigEndian(framed, static_cast<uint32_t>(data.size()));
  framed.insert(framed.end(), body.begin(), body.end());
  PutBigEndian(framed, static_cast<uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
  std::fwrite(framed.data(), 1, framed.size(), file);
}

}  // namespace

BOOL SaveScreenAsPng(const RECT& area, const std::wstring& path) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return FALSE;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  BOOL copied = FALSE;
  if (bitmap != nullptr) {
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    copied = ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    ::GdiFlush();
    ::SelectObject(memory, old);
  }
  // Each row: filter byte 0, then red, green and blue.
  std::vector<unsigned char> raw;
  if (copied) {
    raw.reserve(static_cast<size_t>(height) * (static_cast<size_t>(width) * 3 + 1));
    const auto* pixels = static_cast<const uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
      raw.push_back(0);
      for (int x = 0; x < width; ++x) {
        uint32_t pixel = pixels[static_cast<size_t>(y) * width + x];
        raw.push_back(static_cast<unsigned char>(pixel >> 16));
        raw.push_back(static_cast<unsigned char>(pixel >> 8));
        raw.push_back(static_cast<unsigned char>(pixel));
      }
    }
  }
  if (bitmap != nullptr) ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  if (!copied) return FALSE;
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::vector<unsigned char> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK) return FALSE;
  packed.resize(packedSize);
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (file == nullptr) return FALSE;
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::fwrite(kSignature, 1, sizeof kSignature, file);
  std::vector<unsigned char> header;
  PutBigEndian(header, static_cast<uint32_t>(width));
  PutBigEndian(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, no interlace
  WriteChunk(file, "IHDR", header);
  WriteChunk(file, "IDAT", packed);
  WriteChunk(file, "IEND", {});
  return std::fclose(file) == 0;
}
