#include "dib_buffer.h"

#include <cstdlib>
#include <cstring>

CDibBuffer::~CDibBuffer() { Release(); }

void CDibBuffer::Release() {
  if (m_hMemDC != nullptr) ::DeleteDC(m_hMemDC);
  if (m_hSection != nullptr) ::DeleteObject(m_hSection);
  std::free(m_pBlock);
  m_hMemDC = nullptr;
  m_hSection = nullptr;
  m_pSectionBits = nullptr;
  m_pBlock = nullptr;
}

UINT CDibBuffer::StrideOf(UINT width, UINT bitsPerPixel) {
  unsigned long long bits = static_cast<unsigned long long>(width) * bitsPerPixel + 31;
  unsigned long long stride = (bits >> 5) << 2;
  return stride > 0xFFFFFFFFull ? 0 : static_cast<UINT>(stride);
}

WORD CDibBuffer::PaletteEntriesOf(UINT bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

void* CDibBuffer::Create(int width, int height, UINT bitsPerPixel) {
  Release();
  WORD depth = LOWORD(bitsPerPixel);
  m_nPaletteEntries = PaletteEntriesOf(depth);
  UINT stride = StrideOf(static_cast<UINT>(width), depth);
  m_nStride = static_cast<int>(stride);
  unsigned long long image = static_cast<unsigned long long>(stride) * static_cast<UINT>(height);
  unsigned long long block = sizeof(BITMAPINFOHEADER) + 4ull * m_nPaletteEntries + image;
  m_header = {};
  m_header.biSize = sizeof(BITMAPINFOHEADER);
  m_header.biWidth = width;
  m_header.biHeight = height;
  m_header.biPlanes = 1;
  m_header.biBitCount = depth;
  m_header.biCompression = BI_RGB;
  m_header.biSizeImage = static_cast<DWORD>(image);
  // A block whose size (or a row of it) does not fit in 32 bits is a
  // failed allocation: every other operation then does nothing.
  bool rowTooLong = (stride == 0 && width != 0 && depth != 0) || stride > 0x7FFFFFFFu;
  if (rowTooLong || block > 0xFFFFFFFFull) return nullptr;
  m_pBlock = static_cast<BYTE*>(std::malloc(static_cast<size_t>(block)));
  if (m_pBlock == nullptr) return nullptr;
  std::memcpy(m_pBlock, &m_header, sizeof m_header);
  return m_pBlock;
}

BYTE* CDibBuffer::GetBits() const {
  if (m_pBlock == nullptr) return nullptr;
  DWORD headerSize = reinterpret_cast<const BITMAPINFOHEADER*>(m_pBlock)->biSize;
  return m_pBlock + headerSize + 4 * m_nPaletteEntries;
}

const RGBQUAD* CDibBuffer::GetPalette() const {
  if (m_pBlock == nullptr || m_nPaletteEntries == 0) return nullptr;
  return reinterpret_cast<const RGBQUAD*>(m_pBlock + sizeof(BITMAPINFOHEADER));
}

void CDibBuffer::SetPaletteColor(UINT index, BYTE red, BYTE green, BYTE blue) {
  if (m_pBlock == nullptr || index >= m_nPaletteEntries) return;
  RGBQUAD* entry = reinterpret_cast<RGBQUAD*>(m_pBlock + sizeof(BITMAPINFOHEADER)) + index;
  *entry = {blue, green, red, 0};
}

void CDibBuffer::TintPalette(COLORREF colour, UINT percent) {
  if (m_pBlock == nullptr || m_nPaletteEntries == 0) return;
  if (percent > 100) percent = 100;
  RGBQUAD* table = reinterpret_cast<RGBQUAD*>(m_pBlock + sizeof(BITMAPINFOHEADER));
  for (WORD i = 0; i < m_nPaletteEntries; ++i) {
    RGBQUAD& e = table[i];
    e.rgbBlue = static_cast<BYTE>((GetBValue(colour) * percent + e.rgbBlue * (100 - percent)) / 100);
    e.rgbGreen = static_cast<BYTE>((GetGValue(colour) * percent + e.rgbGreen * (100 - percent)) / 100);
    e.rgbRed = static_cast<BYTE>((GetRValue(colour) * percent + e.rgbRed * (100 - percent)) / 100);
  }
}

void CDibBuffer::FillBits(UINT value) {
  if (m_pBlock == nullptr) return;
  std::memset(GetBits(), static_cast<BYTE>(value), m_header.biSizeImage);
}

void CDibBuffer::SetPixelIndex(int x, int y, UINT value) {
  if (m_pBlock == nullptr || m_header.biBitCount != 8) return;
  if (x < 0 || y < 0 || x >= m_header.biWidth || y >= m_header.biHeight) return;
  GetBits()[static_cast<size_t>(m_header.biHeight - 1 - y) * m_nStride + x] = static_cast<BYTE>(value);
}

void CDibBuffer::Draw(CDC* pDC, int x, int y) {
  if (m_pBlock == nullptr || pDC == nullptr) return;
  if (m_hSection == nullptr) {
    void* bits = nullptr;
    m_hSection = ::CreateDIBSection(pDC->GetSafeHdc(), reinterpret_cast<const BITMAPINFO*>(m_pBlock),
                                    DIB_RGB_COLORS, &bits, nullptr, 0);
    if (m_hSection == nullptr) return;
    if (bits == nullptr) {
      ::DeleteObject(m_hSection);
      m_hSection = nullptr;
      return;
    }
    m_pSectionBits = bits;
  }
  std::memcpy(m_pSectionBits, GetBits(), m_header.biSizeImage);
  if (m_hMemDC == nullptr) {
    m_hMemDC = ::CreateCompatibleDC(pDC->GetSafeHdc());
    if (m_hMemDC == nullptr) return;
  }
  HGDIOBJ old = ::SelectObject(m_hMemDC, m_hSection);
  ::BitBlt(pDC->GetSafeHdc(), x, y, m_header.biWidth, m_header.biHeight, m_hMemDC, 0, 0, SRCCOPY);
  ::SelectObject(m_hMemDC, old);
}
