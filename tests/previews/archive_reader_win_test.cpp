// The gzip file and the archive reader under Wine, over zip, gzip and tar
// files written by the tests.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "archive_reader.h"
#include "format_writers.h"
#include "test_images.h"

namespace {

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

void WriteBytes(const std::wstring& path, const Bytes& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

void WriteGzip(const std::wstring& path, const Bytes& content) {
    CGzipFile file;
    ASSERT_TRUE(file.Open(path.c_str(), 1));
    ASSERT_TRUE(file.Write(content.data(), DWORD(content.size())));
    ASSERT_TRUE(file.Close());
}

struct Entry {
    const BYTE* data = nullptr;
    DWORD length = 0;
    BOOL isFile = FALSE;
    CString name, typeText = L"unset";
    FILETIME access = {}, creation = {}, modification = {};
    ULONGLONG tarTime = 0;
    BOOL Get(CArchiveReader& reader, int index) {
        return reader.GetEntry(index, &data, &length, &isFile, &name, &typeText, &access, &creation, &modification,
                               &tarTime);
    }
};

class ArchiveReader : public testing::Test {
protected:
    void SetUp() override { folder = Wide(TemporaryFolder()); }
    std::wstring folder;
};

TEST_F(ArchiveReader, GzipFilesWriteAndReadInTheirOwnModes) {
    std::wstring path = folder + L"\\text.gz";
    CGzipFile writer;
    ASSERT_TRUE(writer.Open(path.c_str(), 1));
    EXPECT_FALSE(writer.Open(path.c_str(), 1)) << "already open";
    char buffer[64];
    EXPECT_EQ(writer.Read(buffer, 64), 0);
    EXPECT_TRUE(writer.WriteString(L"hi"));
    EXPECT_TRUE(writer.Close());
    EXPECT_FALSE(writer.Close());

    CGzipFile reader;
    EXPECT_FALSE(reader.Open(path.c_str(), 3));
    ASSERT_TRUE(reader.Open(path.c_str(), 2));
    EXPECT_FALSE(reader.Write("x", 1));
    EXPECT_EQ(reader.Read(buffer, 64), 4);
    EXPECT_EQ(memcmp(buffer, L"hi", 4), 0);
}

TEST_F(ArchiveReader, OpensAZipAndHandsOutItsEntries) {
    ZipFixtureEntry file("docs/readme.txt", Text("read me"), true);
    file.external = 0x00800020;
    ZipFixtureEntry dir("docs/", {});
    dir.external = 0x10;
    std::wstring path = folder + L"\\a.zip";
    WriteBytes(path, MakeZip({file, dir}));
    CArchiveReader reader;
    ASSERT_TRUE(reader.Open(path.c_str()));
    EXPECT_EQ(reader.GetArchiveType(), kArchiveZip);
    EXPECT_EQ(reader.GetEntryCount(), 2);
    Entry entry;
    ASSERT_TRUE(entry.Get(reader, 0));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(entry.data), entry.length), "read me");
    EXPECT_EQ(entry.data[entry.length], 0) << "a zero byte after the data";
    EXPECT_TRUE(entry.isFile);
    EXPECT_STREQ(entry.typeText, L"FILE_ATTRIBUTE_ARCHIVE");
    EXPECT_STREQ(entry.name, L"docs/readme.txt");
    ASSERT_TRUE(entry.Get(reader, 1));
    EXPECT_STREQ(entry.typeText, L"FILE_ATTRIBUTE_DIRECTORY");
    EXPECT_FALSE(entry.Get(reader, 2));
    EXPECT_STREQ(reader.GetErrorText(), L"Could not get file at the specified position from the archive !");
    reader.CloseArchive();
    EXPECT_STREQ(reader.GetErrorText(), L"");
}

// fault: a declared size near 4 GB neither wraps nor is written into a
// small buffer.
TEST_F(ArchiveReader, RefusesZipEntriesTooLargeToHold) {
    Bytes zip = MakeZip({{"huge.bin", Text("small")}});
    const uint8_t huge[4] = {0xF8, 0xFF, 0xFF, 0xFF};
    size_t directory = zip[EndRecord(zip) + 16] | zip[EndRecord(zip) + 17] << 8;
    memcpy(&zip[22], huge, 4);
    memcpy(&zip[directory + 24], huge, 4);
    std::wstring path = folder + L"\\huge.zip";
    WriteBytes(path, zip);
    CArchiveReader reader;
    ASSERT_TRUE(reader.Open(path.c_str()));
    Entry entry;
    EXPECT_FALSE(entry.Get(reader, 0));
    EXPECT_STREQ(reader.GetErrorText(), L"Could not unzip file at the specified position from the archive !");
}

TEST_F(ArchiveReader, ShortGzipContentIsOneUnknownEntry) {
    std::wstring path = folder + L"\\short.gz";
    WriteGzip(path, Text("shorter than a tar block"));
    CArchiveReader reader;
    ASSERT_TRUE(reader.Open(path.c_str()));
    EXPECT_EQ(reader.GetArchiveType(), kArchiveGzip);
    EXPECT_EQ(reader.GetEntryCount(), 1);
    Entry entry;
    ASSERT_TRUE(entry.Get(reader, 0));
    EXPECT_EQ(entry.length, 24u);
    EXPECT_STREQ(entry.name, L"unknown");
    EXPECT_STREQ(entry.typeText, L"unset");
}

TEST_F(ArchiveReader, WalksATarInsideGzip) {
    Bytes tar = TarMember("one.txt", Text("first"));
    Bytes second = TarMember("dir", {}, '5', UINT64_MAX, 1700000000);
    tar.insert(tar.end(), second.begin(), second.end());
    tar.resize(tar.size() + 1024, 0);
    std::wstring path = folder + L"\\two.tar.gz";
    WriteGzip(path, tar);
    CArchiveReader reader;
    ASSERT_TRUE(reader.Open(path.c_str()));
    EXPECT_EQ(reader.GetArchiveType(), kArchiveTar);
    EXPECT_EQ(reader.GetEntryCount(), 2);
    Entry entry;
    ASSERT_TRUE(entry.Get(reader, 1));
    EXPECT_FALSE(entry.isFile);
    EXPECT_STREQ(entry.typeText, L"directory");
    EXPECT_STREQ(entry.name, L"dir");
    EXPECT_EQ(entry.tarTime, 1700000000u);
    EXPECT_FALSE(entry.Get(reader, 2));
    EXPECT_STREQ(reader.GetErrorText(), L"");
    EXPECT_FALSE(entry.Get(reader, 3));
    EXPECT_STREQ(reader.GetErrorText(), L"Invalid file position !");
}

// fault: reading an archive needs read access only.
TEST_F(ArchiveReader, OpensAReadOnlyArchive) {
    std::wstring path = folder + L"\\read_only.gz";
    WriteGzip(path, Text("content"));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    CArchiveReader reader;
    EXPECT_TRUE(reader.Open(path.c_str()));
    reader.CloseArchive();
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ArchiveReader, ReportsWhyItFailed) {
    CArchiveReader reader;
    EXPECT_EQ(reader.GetEntryCount(), -1);
    EXPECT_STREQ(reader.GetErrorText(), L"Archive not opened");
    EXPECT_FALSE(reader.Open((folder + L"\\missing.gz").c_str()));
    EXPECT_STREQ(reader.GetErrorText(), L"Could not determine archive type !");
    std::wstring empty = folder + L"\\empty.gz";
    WriteBytes(empty, {});
    CArchiveReader none;
    EXPECT_FALSE(none.Open(empty.c_str()));
    EXPECT_STREQ(none.GetErrorText(), L"Could not read data from gzip archive !");
}

}  // namespace
