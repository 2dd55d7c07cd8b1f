#include <gtest/gtest.h>

#include "color_scheme.h"
#include "dib_canvas.h"
#include "icon_fixtures.h"
#include "icon_image.h"
#include "image_manager.h"

namespace {

CTkIconHandle AlphaHandle(int width, int height, const std::vector<DWORD>& pixels) {
  CTkIconHandle handle;
  handle.AttachBitmap(MakeAlphaSection(width, height, pixels));
  return handle;
}

TEST(IconImage, FadedShadowAndDisabledPixelsOfAlphaImages) {
  CTkImageIcon icon(1, 4, 1, static_cast<CTkImageIconSet*>(nullptr));
  icon.SetNormalImage(AlphaHandle(
      4, 1, {Bgra(255, 0, 0, 128), Bgra(255, 255, 255, 255), Bgra(0, 0, 0, 255), Bgra(255, 0, 0, 40)}));
  EXPECT_EQ(4, icon.GetWidth());
  EXPECT_EQ(1, icon.GetHeight());

  EXPECT_EQ(Bgra(255, 0, 0, 128), SectionPixels(icon.GetNormalImage().GetBitmap())[0]);
  std::vector<DWORD> faded = SectionPixels(icon.GetFadedImage().GetBitmap());
  EXPECT_EQ(Bgra(255, 76, 76, 128), faded[0]);
  EXPECT_EQ(Bgra(76, 76, 76, 255), faded[2]);

  std::vector<DWORD> grey = SectionPixels(icon.GetDisabledImage().GetBitmap());
  EXPECT_EQ(Bgra(139, 139, 139, 128), grey[0]);
  EXPECT_EQ(Bgra(255, 255, 255, 255), grey[1]);
  EXPECT_EQ(Bgra(0, 0, 0, 255), grey[2]);
  EXPECT_EQ(Bgra(139, 139, 139, 40), grey[3]);

  const COLORREF light = RGB(250, 240, 230);
  const COLORREF dark = RGB(10, 20, 30);
  icon.MakeDisabledImage(light, dark);
  std::vector<DWORD> twoColors = SectionPixels(icon.GetDisabledImage().GetBitmap());
  EXPECT_EQ(Bgra(250, 240, 230, 255), twoColors[1]);
  EXPECT_EQ(Bgra(10, 20, 30, 255), twoColors[2]);

  COLORREF base = GetColorScheme()->GetColor(31);
  DWORD shadow = Bgra(static_cast<int>(GetRValue(base) * 0.75), static_cast<int>(GetGValue(base) * 0.75),
                      static_cast<int>(GetBValue(base) * 0.75), 128);
  EXPECT_EQ(shadow, SectionPixels(icon.GetShadowImage().GetBitmap())[0]);
}

TEST(IconImage, ShadowFollowsTheHotImage) {
  CTkImageIcon icon(1, 1, 1, static_cast<CTkImageIconSet*>(nullptr));
  icon.SetNormalImage(AlphaHandle(1, 1, {Bgra(1, 2, 3, 255)}));
  EXPECT_EQ(CSize(1, 1), icon.GetShadowImage().GetExtent());
  icon.SetHotImage(AlphaHandle(2, 1, {Bgra(1, 2, 3, 255), Bgra(1, 2, 3, 0)}));
  EXPECT_TRUE(icon.GetShadowImage().IsEmpty() == FALSE);
  EXPECT_EQ(CSize(2, 1), icon.GetShadowImage().GetExtent());
  EXPECT_EQ(nullptr, icon.CreateScaledIcon(32));  // alpha icons scale when drawn
}

TEST(IconImage, SystemIconImagesChangeOnlyInsideTheMask) {
  CTkImageIcon icon(1, 0, 0, static_cast<CTkImageIconSet*>(nullptr));
  CTkIconHandle source(MakeSolidIcon(8, 8, RGB(255, 0, 0), 2));
  icon.SetNormalImage(source);
  ::DestroyIcon(source.GetIcon());
  EXPECT_EQ(8, icon.GetWidth());
  EXPECT_FALSE(icon.IsAlpha());

  DibCanvas canvas(8, 8);
  canvas.Fill(RGB(0, 0, 0));
  icon.Draw(&canvas.dc, 0, 0, icon.GetDisabledImage());
  EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(1, 4));  // masked out
  EXPECT_EQ(RGB(139, 139, 139), canvas.Pixel(5, 4));
  canvas.Fill(RGB(0, 0, 0));
  icon.Draw(&canvas.dc, 0, 0, icon.GetFadedImage());
  EXPECT_EQ(RGB(255, 76, 76), canvas.Pixel(5, 4));
}

TEST(IconImage, DrawingScalesTheHeightWithTheWidth) {
  HICON solid = MakeSolidIcon(16, 15, RGB(0, 0, 255));
  CTkImageIcon icon(1, 0, 0, static_cast<CTkImageIconSet*>(nullptr));
  icon.SetNormalImage(CTkIconHandle(solid));
  ::DestroyIcon(solid);
  ASSERT_EQ(15, icon.GetHeight());
  DibCanvas canvas(30, 30);
  canvas.Fill(RGB(0, 0, 0));
  icon.Draw(&canvas.dc, 0, 0, icon.GetNormalImage(), 24, 0);
  EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(23, 21));
  EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(23, 22));
  EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(24, 0));

  // A stored width of 0 gives nothing to scale by: nothing is drawn.
  CTkImageIcon zero(1, 0, 15, static_cast<CTkImageIconSet*>(nullptr));
  zero.GetNormalImage().CopyFrom(icon.GetNormalImage());
  canvas.Fill(RGB(0, 0, 0));
  zero.Draw(&canvas.dc, 0, 0, zero.GetNormalImage(), 0, 0);
  zero.Draw(&canvas.dc, 0, 0, zero.GetNormalImage(), 24, 0);
  EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(5, 5));
}

TEST(IconImage, AlphaImagesBlendOverTheBackground) {
  ASSERT_TRUE(GetSharedImageManager()->IsAlphaUsable());
  CTkImageIcon icon(1, 2, 1, static_cast<CTkImageIconSet*>(nullptr));
  icon.SetNormalImage(AlphaHandle(2, 1, {Bgra(255, 0, 0, 255), Bgra(0, 255, 0, 0)}));
  DibCanvas canvas(2, 1);
  canvas.Fill(RGB(0, 0, 255));
  icon.Draw(&canvas.dc, 0, 0, icon.GetNormalImage());
  EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(0, 0));
  EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(1, 0));
}

std::vector<BYTE> Store(CTkImageIcon& icon) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    icon.Serialize(ar);
  }
  std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

// Loads bytes into icon; FALSE when the archive rejected them.
BOOL Load(CTkImageIcon& icon, std::vector<BYTE> bytes, int* trailer = nullptr) {
  CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
  CArchive ar(&file, CArchive::load);
  try {
    icon.Serialize(ar);
    if (trailer != nullptr) ar >> *trailer;
  } catch (CArchiveException* e) {
    e->Delete();
    return FALSE;
  }
  return TRUE;
}

TEST(IconSerialization, SystemIconRecordsAndRoundTrip) {
  HICON solid = MakeSolidIcon(16, 16, RGB(0, 128, 255), 3);
  CTkImageIcon icon(5, 0, 0, static_cast<CTkImageIconSet*>(nullptr));
  icon.SetNormalImage(CTkIconHandle(solid));
  ::DestroyIcon(solid);
  std::vector<BYTE> bytes = Store(icon);
  ASSERT_GT(bytes.size(), 8u + 2 * (2 + 52 + 6));
  EXPECT_EQ(16, *reinterpret_cast<const int*>(&bytes[0]));
  EXPECT_EQ(16u, *reinterpret_cast<const DWORD*>(&bytes[4]));
  EXPECT_EQ(52, *reinterpret_cast<const WORD*>(&bytes[8]));
  EXPECT_EQ(40u, *reinterpret_cast<const DWORD*>(&bytes[10]));
  // Disabled, hot and checked: two empty records each.
  for (size_t i = bytes.size() - 12; i < bytes.size(); ++i) EXPECT_EQ(0, bytes[i]) << i;

  CTkImageIcon loaded(5, 16, 15, static_cast<CTkImageIconSet*>(nullptr));
  ASSERT_TRUE(Load(loaded, bytes));
  EXPECT_EQ(16, loaded.GetHeight());
  ASSERT_FALSE(loaded.GetNormalImage().IsEmpty());
  EXPECT_FALSE(loaded.IsAlpha());
  EXPECT_EQ(CSize(16, 16), loaded.GetExtent());
  EXPECT_TRUE(loaded.GetHotImage().GetIcon() == loaded.GetNormalImage().GetIcon());
  DibCanvas canvas(16, 16);
  canvas.Fill(RGB(9, 9, 9));
  loaded.Draw(&canvas.dc, 0, 0, loaded.GetNormalImage());
  EXPECT_EQ(RGB(9, 9, 9), canvas.Pixel(1, 8));
  EXPECT_EQ(RGB(0, 128, 255), canvas.Pixel(8, 8));
}

TEST(IconSerialization, AlphaRoundTripAndOlderVersionsWithoutCheckedImages) {
  CTkImageIcon icon(5, 2, 1, static_cast<CTkImageIconSet*>(nullptr));
  icon.SetNormalImage(AlphaHandle(2, 1, {Bgra(1, 2, 3, 4), Bgra(5, 6, 7, 8)}));
  icon.SetCheckedImage(AlphaHandle(2, 1, {Bgra(9, 9, 9, 9), Bgra(9, 9, 9, 9)}));
  std::vector<BYTE> bytes = Store(icon);

  CTkImageIcon loaded(5, 2, 15, static_cast<CTkImageIconSet*>(nullptr));
  ASSERT_TRUE(Load(loaded, bytes));
  ASSERT_TRUE(loaded.IsAlpha());
  EXPECT_EQ(SectionPixels(icon.GetNormalImage().GetBitmap()), SectionPixels(loaded.GetNormalImage().GetBitmap()));
  EXPECT_EQ(Bgra(9, 9, 9, 9), SectionPixels(loaded.GetCheckedImage().GetBitmap())[0]);

  // Version 7: three image records, then whatever follows in the archive.
  CTkImageIcon older(5, 2, 1, static_cast<CTkImageIconSet*>(nullptr));
  older.SetNormalImage(AlphaHandle(2, 1, {Bgra(1, 2, 3, 4), Bgra(5, 6, 7, 8)}));
  std::vector<BYTE> v7 = Store(older);
  v7.resize(v7.size() - 4);  // drop the empty checked record
  *reinterpret_cast<DWORD*>(&v7[4]) = 7;
  const BYTE trailer[4] = {0x78, 0x56, 0x34, 0x12};
  v7.insert(v7.end(), trailer, trailer + 4);
  int after = 0;
  ASSERT_TRUE(Load(loaded, v7, &after));
  EXPECT_EQ(0x12345678, after);
  EXPECT_TRUE(loaded.GetCheckedImage().GetBitmap() == loaded.GetNormalImage().GetBitmap());
}

TEST(IconSerialization, CorruptRecordsAreRejectedBeforeUse) {
  CTkImageIcon icon(5, 2, 1, static_cast<CTkImageIconSet*>(nullptr));
  icon.SetNormalImage(AlphaHandle(2, 1, {Bgra(1, 2, 3, 4), Bgra(5, 6, 7, 8)}));
  const std::vector<BYTE> good = Store(icon);
  // Offsets: 8 header count, 10 the header block, 62 the pixel count.
  struct Case {
    const char* name;
    size_t offset;
    std::vector<BYTE> bytes;
    BOOL truncate;
  };
  const Case cases[] = {
      {"header count not 52", 8, {51, 0}, FALSE},
      {"pixel count beyond the picture", 62, {0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}, FALSE},
      {"pixel count of a huge picture", 62, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, FALSE},
      {"truncated pixels", 70, {}, TRUE},
  };
  for (const Case& c : cases) {
    std::vector<BYTE> bytes = good;
    if (c.truncate)
      bytes.resize(c.offset);
    else
      std::copy(c.bytes.begin(), c.bytes.end(), bytes.begin() + static_cast<long>(c.offset));
    CTkImageIcon loaded(5, 2, 15, static_cast<CTkImageIconSet*>(nullptr));
    EXPECT_FALSE(Load(loaded, bytes)) << c.name;
  }
  // A header that cannot make a picture reads as an empty image.
  std::vector<BYTE> zeroWidth = good;
  *reinterpret_cast<LONG*>(&zeroWidth[14]) = 0;
  CTkImageIcon loaded(5, 2, 15, static_cast<CTkImageIconSet*>(nullptr));
  ASSERT_TRUE(Load(loaded, zeroWidth));
  EXPECT_TRUE(loaded.GetNormalImage().IsEmpty());
}

std::vector<BYTE> IconFile(int width, int height, int bitCount, size_t pixelBytes) {
  std::vector<BYTE> file(6 + 16 + 40 + pixelBytes, 0);
  WORD* directory = reinterpret_cast<WORD*>(file.data());
  directory[1] = 1;
  directory[2] = 1;
  BYTE* entry = file.data() + 6;
  entry[0] = static_cast<BYTE>(width);
  entry[1] = static_cast<BYTE>(height);
  *reinterpret_cast<DWORD*>(entry + 8) = static_cast<DWORD>(40 + pixelBytes);
  *reinterpret_cast<DWORD*>(entry + 12) = 22;
  BITMAPINFOHEADER* header = reinterpret_cast<BITMAPINFOHEADER*>(file.data() + 22);
  header->biSize = 40;
  header->biWidth = width;
  header->biHeight = height * 2;
  header->biPlanes = 1;
  header->biBitCount = static_cast<WORD>(bitCount);
  for (size_t i = 0; i < pixelBytes; ++i) file[62 + i] = static_cast<BYTE>(i);
  return file;
}

TEST(IconFiles, EveryCountOffsetAndSizeIsCheckedAgainstTheFile) {
  std::vector<BYTE> good = IconFile(2, 2, 32, 2 * 2 * 4 + 4);
  HBITMAP bitmap = AlphaBitmapFromIconFileBytes(good.data(), good.size(), 2);
  ASSERT_NE(nullptr, bitmap);
  EXPECT_EQ(CSize(2, 2), CTkIconHandle(bitmap).GetExtent());
  EXPECT_EQ(0x03020100u, SectionPixels(bitmap)[0]);
  ::DeleteObject(bitmap);
  EXPECT_EQ(nullptr, AlphaBitmapFromIconFileBytes(good.data(), good.size(), 16));  // no such width

  struct Case {
    const char* name;
    size_t offset;
    DWORD value;
    int width;  // of the write: 2 or 4 bytes
  };
  const Case cases[] = {
      {"count beyond the file", 4, 200, 2},
      {"offset beyond the file", 6 + 12, 5000, 4},
      {"size beyond the file", 6 + 8, 5000, 4},
      {"offset plus size wraps", 6 + 12, 0xFFFFFFF0u, 4},
      {"size smaller than a header", 6 + 8, 20, 4},
      {"header size beyond the image", 22, 4000, 4},
      {"picture taller than the image", 22 + 8, 400, 4},
      {"eight bits per pixel", 22 + 14, 8, 2},
  };
  for (const Case& c : cases) {
    std::vector<BYTE> bytes = good;
    if (c.width == 2)
      *reinterpret_cast<WORD*>(&bytes[c.offset]) = static_cast<WORD>(c.value);
    else
      *reinterpret_cast<DWORD*>(&bytes[c.offset]) = c.value;
    EXPECT_EQ(nullptr, AlphaBitmapFromIconFileBytes(bytes.data(), bytes.size(), 0)) << c.name;
  }
  EXPECT_EQ(nullptr, AlphaBitmapFromIconFileBytes(good.data(), 5, 0));
  EXPECT_EQ(nullptr, AlphaBitmapFromIconFileBytes(good.data(), 40, 0));
}

TEST(IconHelpers, ResizeAndLighten) {
  HICON solid = MakeSolidIcon(16, 15, RGB(0, 0, 255));
  EXPECT_EQ(nullptr, ResizeIcon(solid, CSize(16, 15), 0));
  EXPECT_EQ(nullptr, ResizeIcon(solid, CSize(0, 0), 24));
  HICON resized = ResizeIcon(solid, CSize(16, 15), 24);
  ASSERT_NE(nullptr, resized);
  EXPECT_EQ(CSize(24, 23), GetIconExtent(resized));  // 22.5 rounds up
  ::DestroyIcon(resized);
  ::DestroyIcon(solid);
  EXPECT_EQ(RGB(76, 255, 165), LightenColor(RGB(0, 255, 127), 0.3));
}

}  // namespace
