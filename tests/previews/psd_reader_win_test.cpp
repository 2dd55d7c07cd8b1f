// The Photoshop bitmap and the dBASE cell texts under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include "dbf_cells.h"
#include "format_writers.h"
#include "psd_reader.h"
#include "test_images.h"

namespace {

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring WritePsd(const Bytes& bytes) {
    std::wstring path = Wide(TemporaryFolder()) + L"\\picture.psd";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

TEST(PsdReader, MakesABottomUpDibOfThePicture) {
    PsdFixture psd;
    psd.width = 2, psd.height = 2;
    // Red, green and blue planes of the pixels (top-left first).
    psd.imageData = {10, 11, 12, 13, 20, 21, 22, 23, 30, 31, 32, 33};
    Bytes resolution;
    PutBe(resolution, 254, 2), PutBe(resolution, 0, 4), PutBe(resolution, 1, 2);
    PutBe(resolution, 127, 2), PutBe(resolution, 0, 4), PutBe(resolution, 1, 2);
    psd.resources = ResourceBlock(1005, resolution);
    CPsdReader reader;
    ASSERT_EQ(reader.Load(WritePsd(MakePsd(psd)).c_str()), 0);
    EXPECT_EQ(reader.GetWidth(), 2);
    EXPECT_EQ(reader.GetHeight(), 2);
    HBITMAP bitmap = reader.DetachBitmap();
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION section;
    ASSERT_EQ(GetObjectW(bitmap, sizeof section, &section), int(sizeof section));
    EXPECT_EQ(section.dsBmih.biBitCount, 24);
    EXPECT_GT(section.dsBmih.biHeight, 0) << "bottom-up";
    EXPECT_EQ(section.dsBmih.biXPelsPerMeter, 10000);
    EXPECT_EQ(section.dsBmih.biYPelsPerMeter, 5000);
    const BYTE* bits = static_cast<const BYTE*>(section.dsBm.bmBits);
    int stride = section.dsBm.bmWidthBytes;
    // The bottom row holds pixels 2 and 3, blue first.
    EXPECT_EQ(bits[0], 32);
    EXPECT_EQ(bits[1], 22);
    EXPECT_EQ(bits[2], 12);
    EXPECT_EQ(bits[stride + 3], 31);
    EXPECT_EQ(bits[stride + 5], 11);
    DeleteObject(bitmap);
}

TEST(PsdReader, FailuresMakeNoBitmap) {
    CPsdReader missing;
    EXPECT_EQ(missing.Load(L"Z:\\no\\such\\picture.psd"), kPsdCannotOpen);
    PsdFixture psd;
    psd.imageData.assign(6, 1);
    Bytes file = MakePsd(psd);
    file[5] = 2;
    CPsdReader broken;
    EXPECT_EQ(broken.Load(WritePsd(file).c_str()), kPsdBadHeader);
    EXPECT_EQ(broken.GetBitmap(), nullptr);
    psd.channels = 4;
    psd.imageData.assign(8, 1);
    CPsdReader alpha;
    EXPECT_EQ(alpha.Load(WritePsd(MakePsd(psd)).c_str()), 0);
    EXPECT_EQ(alpha.GetBitmap(), nullptr) << "raw RGB with alpha gives no picture";
}

TEST(DbfCells, ShowTextsInTheirCodePagesAndCurrencies) {
    DbfCell text{DbfCell::kText, "caf\xE9"};
    EXPECT_STREQ(DbfCellText(text), L"caf\u00E9") << "each byte one character";
    DbfCell ansi{DbfCell::kAnsi, "caf\xE9"};
    WCHAR expected[8];
    MultiByteToWideChar(CP_ACP, 0, "caf\xE9", -1, expected, 8);
    EXPECT_STREQ(DbfCellText(ansi), expected);
    DbfCell money{DbfCell::kCurrency, "1234"};
    WCHAR formatted[64];
    ASSERT_GT(GetCurrencyFormatW(LOCALE_USER_DEFAULT, 0, L"1234", nullptr, formatted, 64), 0);
    EXPECT_STREQ(DbfCellText(money), formatted);
    DbfCell odd{DbfCell::kCurrency, "12-"};
    EXPECT_STREQ(DbfCellText(odd), L"12-") << "text that is no amount stays";
    DbfField field{"N\xC4ME", 'C', 5};
    MultiByteToWideChar(CP_ACP, 0, "N\xC4ME", -1, expected, 8);
    EXPECT_STREQ(DbfFieldName(field), expected);
}

}  // namespace
