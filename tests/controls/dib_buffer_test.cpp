#include <gtest/gtest.h>

#include "../toolkit/dib_canvas.h"
#include "dib_buffer.h"

namespace {

TEST(CDibBuffer, RowsArePaddedToFourBytesAndTablesFollowTheDepth) {
  struct Case {
    int width;
    UINT bits;
    int stride;
    WORD entries;
  } cases[] = {
      {10, 8, 12, 256}, {3, 1, 4, 2}, {5, 24, 16, 0}, {9, 4, 8, 16}, {7, 32, 28, 0}, {1, 16, 4, 0},
  };
  for (const Case& c : cases) {
    CDibBuffer dib;
    ASSERT_NE(dib.Create(c.width, 2, c.bits), nullptr);
    EXPECT_EQ(dib.GetStride(), c.stride) << c.width << " x " << c.bits;
    EXPECT_EQ(dib.GetPaletteEntries(), c.entries) << c.bits;
    EXPECT_EQ(dib.GetHeader().biSizeImage, static_cast<DWORD>(c.stride * 2));
    if (c.entries != 0)
      EXPECT_EQ(reinterpret_cast<const BYTE*>(dib.GetPalette()) + 4 * c.entries, dib.GetBits()) << "pixels follow";
    else
      EXPECT_EQ(dib.GetPalette(), nullptr);
  }
}

TEST(CDibBuffer, SizesThatDoNotFitInThirtyTwoBitsFailLikeAnAllocation) {
  CDibBuffer dib;
  EXPECT_EQ(dib.Create(0x40000000, 0x40000000, 32), nullptr);
  EXPECT_EQ(dib.GetBits(), nullptr);
  EXPECT_EQ(dib.Create(0x7FFFFFFF, 1, 32), nullptr);
  EXPECT_EQ(dib.Create(-1, 4, 8), nullptr);
  // Nothing happens on an empty buffer.
  dib.FillBits(7);
  dib.SetPixelIndex(0, 0, 1);
  dib.SetPaletteColor(0, 1, 2, 3);
  dib.TintPalette(RGB(1, 2, 3), 50);
  DibCanvas canvas(4, 4);
  dib.Draw(&canvas.dc, 0, 0);
}

TEST(CDibBuffer, TintMovesEveryEntryTowardTheColour) {
  CDibBuffer dib;
  ASSERT_NE(dib.Create(4, 4, 8), nullptr);
  for (UINT i = 0; i < 256; ++i) dib.SetPaletteColor(i, 200, 100, 0);
  dib.SetPaletteColor(256, 1, 1, 1);  // past the table: ignored
  dib.TintPalette(RGB(0, 0, 200), 0);
  EXPECT_EQ(dib.GetPalette()[5].rgbRed, 200);
  dib.TintPalette(RGB(0, 0, 200), 50);
  const RGBQUAD& e = dib.GetPalette()[255];
  EXPECT_EQ(e.rgbRed, 100);
  EXPECT_EQ(e.rgbGreen, 50);
  EXPECT_EQ(e.rgbBlue, 100);
  dib.TintPalette(RGB(9, 8, 7), 150);
  EXPECT_EQ(dib.GetPalette()[0].rgbRed, 9);
  EXPECT_EQ(dib.GetPalette()[0].rgbGreen, 8);
  EXPECT_EQ(dib.GetPalette()[0].rgbBlue, 7);
}

TEST(CDibBuffer, PixelIndicesAreWrittenOnlyInsideEightBitBuffers) {
  CDibBuffer dib;
  ASSERT_NE(dib.Create(10, 3, 8), nullptr);
  dib.FillBits(0);
  dib.SetPixelIndex(0, 0, 0x1FF);
  // y = 0 is the top row, stored last.
  EXPECT_EQ(dib.GetBits()[2 * 12], 0xFF);
  dib.SetPixelIndex(10, 0, 5);
  dib.SetPixelIndex(0, -1, 5);
  dib.SetPixelIndex(0, 3, 5);
  for (int i = 0; i < 36; ++i) EXPECT_EQ(dib.GetBits()[i], i == 24 ? 0xFF : 0) << i;

  // Rows of 1- and 4-bit buffers hold fewer bytes than pixels: a byte per
  // pixel would run past the block, so nothing is written.
  for (UINT bits : {1u, 4u, 24u}) {
    ASSERT_NE(dib.Create(64, 2, bits), nullptr);
    dib.FillBits(0xAA);
    dib.SetPixelIndex(63, 1, 0x55);
    for (DWORD i = 0; i < dib.GetHeader().biSizeImage; ++i) ASSERT_EQ(dib.GetBits()[i], 0xAA) << bits;
  }
}

TEST(CDibBuffer, DrawShowsThePixelsOfTheMomentWithTheFirstTable) {
  CDibBuffer dib;
  ASSERT_NE(dib.Create(4, 2, 8), nullptr);
  dib.SetPaletteColor(0, 255, 0, 0);
  dib.SetPaletteColor(1, 0, 0, 255);
  dib.FillBits(0);
  dib.SetPixelIndex(3, 0, 1);
  DibCanvas canvas(8, 4);
  canvas.Fill(RGB(0, 255, 0));
  dib.Draw(&canvas.dc, 2, 1);
  EXPECT_EQ(canvas.Pixel(2, 1), RGB(255, 0, 0));
  EXPECT_EQ(canvas.Pixel(5, 1), RGB(0, 0, 255));
  EXPECT_EQ(canvas.Pixel(1, 1), RGB(0, 255, 0));
  // Later pixel changes show; the section keeps the table it was made with.
  dib.SetPixelIndex(0, 1, 1);
  dib.SetPaletteColor(0, 0, 0, 0);
  dib.Draw(&canvas.dc, 2, 1);
  EXPECT_EQ(canvas.Pixel(2, 2), RGB(0, 0, 255));
  EXPECT_EQ(canvas.Pixel(3, 2), RGB(255, 0, 0));
  // A new Create builds a new section with the new table.
  ASSERT_NE(dib.Create(2, 1, 24), nullptr);
  dib.FillBits(0x40);
  dib.Draw(&canvas.dc, 0, 0);
  EXPECT_EQ(canvas.Pixel(0, 0), RGB(0x40, 0x40, 0x40));
}

}  // namespace
