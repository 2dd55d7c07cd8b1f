// The zip reader API under Wine: sources of each kind, entry records with
// their times and names, extraction to memory, files and folders, and the
// handle checks.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "format_writers.h"
#include "test_images.h"
#include "zip_api.h"

namespace {

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

void WriteFile(const std::wstring& path, const Bytes& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

ULONGLONG Units(const FILETIME& time) { return ULONGLONG(time.dwHighDateTime) << 32 | time.dwLowDateTime; }

// Runs a test inside its own folder, the base folder of extraction.
class ZipApi : public testing::Test {
protected:
    void SetUp() override {
        folder = Wide(TemporaryFolder());
        GetCurrentDirectoryW(MAX_PATH, previous);
        SetCurrentDirectoryW(folder.c_str());
    }
    void TearDown() override { SetCurrentDirectoryW(previous); }
    std::wstring folder;
    WCHAR previous[MAX_PATH];
};

TEST_F(ZipApi, ReadsAMemoryBlock) {
    ZipFixtureEntry timed("timed.txt", Text("with times"));
    timed.localExtra = ExtendedTimes(1, {1700000000});
    Bytes zip = MakeZip({timed, {"packed.txt", Text(std::string(5000, 'p')), true}});
    ZipHandle handle = OpenZipArchive(zip.data(), DWORD(zip.size()), kZipSourceMemory);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(LastZipReaderResult, 0u);
    ZipEntryInfo info;
    ASSERT_EQ(GetZipEntry(handle, -1, &info), 0u);
    EXPECT_EQ(info.index, 2);
    EXPECT_STREQ(info.name, L"");
    EXPECT_EQ(GetZipEntry(handle, 2, &info), DWORD(kZipBadArgument));
    EXPECT_EQ(LastZipReaderResult, DWORD(kZipBadArgument));

    ASSERT_EQ(GetZipEntry(handle, 0, &info), 0u);
    EXPECT_STREQ(info.name, L"timed.txt");
    EXPECT_EQ(info.attributes, 0x81u);
    FILETIME dos;
    DosDateTimeToFileTime(0x5A8C, 0x6000, &dos);
    EXPECT_EQ(Units(info.accessTime), Units(dos));
    EXPECT_EQ(Units(info.creationTime), Units(dos));
    EXPECT_EQ(Units(info.modificationTime), 1700000000ULL * 10000000 + 116444736000000000ULL);

    Bytes out(5000);
    EXPECT_EQ(ExtractZipEntry(handle, 1, out.data(), DWORD(out.size()), 3), DWORD(kZipMoreData));
    EXPECT_EQ(out, Bytes(5000, 'p'));
    EXPECT_EQ(ExtractZipEntry(handle, 1, out.data(), DWORD(out.size()), 3), 0u);
    EXPECT_EQ(ExtractZipEntry(handle, 0, out.data(), 0, 4), DWORD(kZipBadArgument));
    EXPECT_EQ(CloseZipReader(handle), 0u);
}

TEST_F(ZipApi, ConvertsNamesThroughTheAnsiCodePageAndCutsThem) {
    std::string longName(300, 'n');
    Bytes zip = MakeZip({{longName, Text("x")}, {"caf\xE9.txt", Text("y")}});
    ZipHandle handle = OpenZipArchive(zip.data(), DWORD(zip.size()), kZipSourceMemory);
    ASSERT_NE(handle, nullptr);
    ZipEntryInfo info;
    ASSERT_EQ(GetZipEntry(handle, 0, &info), 0u);
    EXPECT_EQ(wcslen(info.name), 259u);
    ASSERT_EQ(GetZipEntry(handle, 1, &info), 0u);
    WCHAR expected[16];
    MultiByteToWideChar(CP_ACP, 0, "caf\xE9.txt", -1, expected, 16);
    EXPECT_STREQ(info.name, expected);
    CloseZipReader(handle);
}

TEST_F(ZipApi, ReadsFromAHandleAtItsFilePointer) {
    Bytes file(100, 'j');
    Bytes zip = MakeZip({{"a.txt", Text("alpha")}});
    file.insert(file.end(), zip.begin(), zip.end());
    std::wstring path = folder + L"\\inside.bin";
    WriteFile(path, file);
    HANDLE source = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(source, INVALID_HANDLE_VALUE);
    SetFilePointer(source, 100, nullptr, FILE_BEGIN);
    ZipHandle handle = OpenZipArchive(source, 0, kZipSourceHandle);
    CloseHandle(source);  // the reader keeps its own duplicate
    ASSERT_NE(handle, nullptr);
    char out[5];
    EXPECT_EQ(ExtractZipEntry(handle, 0, out, 5, 3), DWORD(kZipMoreData));
    EXPECT_EQ(std::string(out, 5), "alpha");
    CloseZipReader(handle);

    HANDLE readEnd, writeEnd;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, nullptr, 0));
    EXPECT_EQ(OpenZipArchive(readEnd, 0, kZipSourceHandle), nullptr);
    EXPECT_EQ(LastZipReaderResult, DWORD(kZipNotDiskFile));
    // The source's own seek cannot move on a pipe.
    ZipSource pipe;
    ASSERT_EQ(pipe.ZipSourceOpen(readEnd, 0, kZipSourceHandle), 0u);
    EXPECT_EQ(pipe.ZipSourceSeek(0, 0), 29);
    CloseHandle(readEnd);
    CloseHandle(writeEnd);
}

TEST_F(ZipApi, FileNameSourcesAndBrokenArchivesGiveNoHandle) {
    EXPECT_EQ(OpenZipArchive((folder + L"\\missing.zip").c_str(), 0, kZipSourceFileName), nullptr);
    EXPECT_EQ(LastZipReaderResult, DWORD(kZipCannotOpen));
    Bytes zip = MakeZip({{"a.txt", Text("alpha")}});
    zip[EndRecord(zip) + 10] = 9;
    WriteFile(folder + L"\\broken.zip", zip);
    EXPECT_EQ(OpenZipArchive((folder + L"\\broken.zip").c_str(), 0, kZipSourceFileName), nullptr);
    EXPECT_NE(LastZipReaderResult, 0u);
    EXPECT_EQ(OpenZipArchive(zip.data(), DWORD(zip.size()), 7), nullptr);
    EXPECT_EQ(LastZipReaderResult, DWORD(kZipBadArgument));
}

TEST_F(ZipApi, MemorySourceSeeksStayInsideTheBlock) {
    Bytes block(10, 1);
    ZipSource source;
    ASSERT_EQ(source.ZipSourceOpen(block.data(), 10, kZipSourceMemory), 0u);
    EXPECT_EQ(source.ZipSourceSeek(4, 0), 0);
    EXPECT_EQ(source.ZipSourceTell(), 4);
    EXPECT_EQ(source.ZipSourceSeek(-2, 2), 0);
    EXPECT_EQ(source.ZipSourceTell(), 8);
    EXPECT_NE(source.ZipSourceSeek(3, 1), 0);
    EXPECT_NE(source.ZipSourceSeek(-1, 0), 0);
    EXPECT_EQ(source.ZipSourceSeek(0, 3), 19);
    uint8_t out[8];
    EXPECT_EQ(source.ZipSourceRead(out, 1, 8), 2u) << "clamped to the bytes left";
    EXPECT_EQ(source.ZipSourceRead(out, 2, 4), 0u);
    EXPECT_FALSE(source.ZipSourceError());
}

TEST_F(ZipApi, ExtractsToFilesAndFoldersUnderTheBaseFolder) {
    ZipFixtureEntry timed("x.txt", Text("extracted"));
    timed.localExtra = ExtendedTimes(1, {1700000000});
    timed.external = 0x00800000;
    ZipFixtureEntry good("good/dir/", {});
    good.external = 0x10;
    ZipFixtureEntry evil("../evil/", {});
    evil.external = 0x10;
    ZipFixtureEntry last("deep/..", {});
    last.external = 0x10;
    Bytes zip = MakeZip({timed, good, evil, last});
    ZipHandle handle = OpenZipArchive(zip.data(), DWORD(zip.size()), kZipSourceMemory);
    ASSERT_NE(handle, nullptr);

    EXPECT_EQ(ExtractZipEntry(handle, 0, const_cast<wchar_t*>(L"sub\\deeper/x.txt"), 0, 2), 0u);
    HANDLE file = CreateFileW((folder + L"\\sub\\deeper\\x.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char content[32] = {};
    DWORD read = 0;
    ReadFile(file, content, sizeof content, &read, nullptr);
    EXPECT_EQ(std::string(content, read), "extracted");
    FILETIME created, accessed, modified;
    GetFileTime(file, &created, &accessed, &modified);
    EXPECT_EQ(Units(modified), 1700000000ULL * 10000000 + 116444736000000000ULL);
    CloseHandle(file);

    // fault: a ".." in the target's folder creates no folders.
    EXPECT_EQ(ExtractZipEntry(handle, 0, const_cast<wchar_t*>(L"a/../b/x.txt"), 0, 2), DWORD(kZipCannotOpen));
    EXPECT_FALSE(Exists(folder + L"\\a"));
    EXPECT_FALSE(Exists(folder + L"\\b"));

    EXPECT_EQ(ExtractZipEntry(handle, 1, const_cast<wchar_t*>(L"ignored"), 0, 2), 0u);
    EXPECT_TRUE(Exists(folder + L"\\good\\dir"));
    // fault: directory entries that climb out create nothing.
    EXPECT_EQ(ExtractZipEntry(handle, 2, const_cast<wchar_t*>(L"ignored"), 0, 2), 0u);
    EXPECT_FALSE(Exists(folder + L"\\..\\evil"));
    EXPECT_EQ(ExtractZipEntry(handle, 3, const_cast<wchar_t*>(L"ignored"), 0, 2), 0u);
    EXPECT_FALSE(Exists(folder + L"\\deep"));

    // Into an open handle, left open and written at its position.
    HANDLE target = CreateFileW((folder + L"\\handle.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::WriteFile(target, "head:", 5, &read, nullptr);
    EXPECT_EQ(ExtractZipEntry(handle, 0, target, 0, 1), 0u);
    EXPECT_EQ(GetFileSize(target, nullptr), 14u);
    EXPECT_EQ(ExtractZipEntry(handle, 1, target, 0, 1), 0u) << "a directory into a handle";
    CloseHandle(target);
    EXPECT_EQ(ExtractZipEntry(handle, 4, target, 0, 1), DWORD(kZipBadArgument));
    CloseZipReader(handle);
}

TEST_F(ZipApi, ChecksHandlesOfEachKind) {
    ZipHandleRecord writer = {2, nullptr};
    ZipEntryInfo info;
    EXPECT_TRUE(IsZipReaderHandle(nullptr));
    EXPECT_FALSE(IsZipReaderHandle(&writer));
    EXPECT_EQ(CloseZipReader(nullptr), DWORD(kZipBadArgument));
    EXPECT_EQ(GetZipEntry(nullptr, 0, &info), DWORD(kZipBadArgument));
    EXPECT_EQ(GetZipEntry(&writer, 0, &info), DWORD(kZipWrongKind));
    EXPECT_EQ(ExtractZipEntry(&writer, 0, nullptr, 0, 3), DWORD(kZipWrongKind));
    EXPECT_EQ(CloseZipReader(&writer), DWORD(kZipWrongKind));
    EXPECT_EQ(LastZipReaderResult, DWORD(kZipWrongKind));
    EXPECT_EQ(CloseZipWriter(nullptr), DWORD(kZipBadArgument));
    EXPECT_EQ(LastZipWriterResult, DWORD(kZipBadArgument));
    Bytes zip = MakeZip({});
    ZipHandle reader = OpenZipArchive(zip.data(), DWORD(zip.size()), kZipSourceMemory);
    ASSERT_NE(reader, nullptr);
    EXPECT_TRUE(IsZipReaderHandle(reader));
    EXPECT_EQ(CloseZipWriter(reader), DWORD(kZipWrongKind));
    EXPECT_EQ(CloseZipReader(reader), 0u);
}

}  // namespace
