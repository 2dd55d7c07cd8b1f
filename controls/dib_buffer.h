// CDibBuffer: a device-independent bitmap in one heap block (header,
// colour table, pixel rows) that its owner fills and then blits.
#pragma once

#include "framework.h"

class CDibBuffer {
 public:
  CDibBuffer() = default;
  virtual ~CDibBuffer();
  CDibBuffer(const CDibBuffer&) = delete;
  CDibBuffer& operator=(const CDibBuffer&) = delete;

  // Releases everything, then allocates a block for the picture; returns
  // the block, or null when it cannot be had (also when its size does not
  // fit in 32 bits). Colour table and pixels are left uninitialised.
  void* Create(int width, int height, UINT bitsPerPixel);
  BYTE* GetBits() const;
  void SetPaletteColor(UINT index, BYTE red, BYTE green, BYTE blue);
  // Moves every colour-table entry percent of the way toward colour.
  void TintPalette(COLORREF colour, UINT percent);
  void FillBits(UINT value);
  // One palette index; y = 0 is the picture's top row. 8-bit buffers only:
  // rows of the smaller depths hold fewer bytes than pixels.
  void SetPixelIndex(int x, int y, UINT value);
  void Draw(CDC* pDC, int x, int y);

  int GetStride() const { return m_nStride; }
  WORD GetPaletteEntries() const { return m_nPaletteEntries; }
  const BITMAPINFOHEADER& GetHeader() const { return m_header; }
  const RGBQUAD* GetPalette() const;

  // The row length in bytes of a picture width x bits, padded to 4 bytes;
  // 0 when it does not fit in 32 bits.
  static UINT StrideOf(UINT width, UINT bitsPerPixel);
  static WORD PaletteEntriesOf(UINT bitsPerPixel);

 private:
  void Release();

  BYTE* m_pBlock = nullptr;
  BITMAPINFOHEADER m_header = {};
  int m_nStride = 0;
  WORD m_nPaletteEntries = 0;
  HBITMAP m_hSection = nullptr;
  HDC m_hMemDC = nullptr;
  void* m_pSectionBits = nullptr;
};
