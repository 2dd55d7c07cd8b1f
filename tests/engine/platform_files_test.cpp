// What the engine writes besides the scanned devices: file times, temporary
// files, the preview folder, and the summary of compound documents.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#endif

#include "compound_document.h"
#include "raw/compound_file.h"
#include "platform_files.h"
#include "test_images.h"
#include "text.h"

namespace fs = std::filesystem;

namespace {

constexpr uint64_t kTicksPerSecond = 10000000;

std::u16string Wide(const std::string& path) { return Utf8ToUtf16(path); }

void MakeFile(const std::string& path, const std::string& content = "x") {
    std::FILE* f = OpenFile(Wide(path), "wb+");
    ASSERT_NE(f, nullptr) << path;
    std::fwrite(content.data(), 1, content.size(), f);
    std::fclose(f);
}

// Points the system's temporary folder at a fresh folder of the test.
class TemporaryFolderOfTest : public testing::Test {
protected:
    void SetUp() override {
        folder = TemporaryFolder();
#ifdef _WIN32
        saved = std::getenv("TMP") ? std::getenv("TMP") : "";
        SetEnvironmentVariableW(L"TMP", ToWide(Wide(folder)).c_str());
#else
        saved = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
        setenv("TMPDIR", folder.c_str(), 1);
#endif
    }
    void TearDown() override {
#ifdef _WIN32
        SetEnvironmentVariableW(L"TMP", saved.empty() ? nullptr : ToWide(Wide(saved)).c_str());
#else
        if (saved.empty()) unsetenv("TMPDIR");
        else setenv("TMPDIR", saved.c_str(), 1);
#endif
    }
    std::string folder, saved;
};

TEST(FileTimes, CalendarDatesBecomeFileTimes) {
    struct Case {
        int year, month, day, hour, minute, second;
        bool valid;
        uint64_t seconds;  // since 1601
    };
    const Case cases[] = {
        {1601, 1, 1, 0, 0, 0, true, 0},
        {1970, 1, 1, 0, 0, 0, true, 11644473600},
        {2000, 1, 1, 0, 0, 0, true, 12591158400},
        {2008, 2, 29, 23, 59, 59, true, 12848803199},
        {2009, 2, 29, 0, 0, 0, false, 0},
        {1900, 2, 29, 0, 0, 0, false, 0},
        {1980, 0, 0, 0, 0, 0, false, 0},
        {2009, 13, 1, 0, 0, 0, false, 0},
        {2009, 4, 31, 0, 0, 0, false, 0},
        {1600, 12, 31, 0, 0, 0, false, 0},
    };
    for (const Case& c : cases) {
        uint64_t fileTime = 1;
        bool valid =
            CalendarToFileTime(c.year, c.month, c.day, c.hour, c.minute, c.second, 0, fileTime);
        EXPECT_EQ(valid, c.valid) << c.year << "-" << c.month << "-" << c.day;
        if (valid) {
            EXPECT_EQ(fileTime, c.seconds * kTicksPerSecond) << c.year;
        }
    }
}

TEST(FileTimes, FatDateKeepsTodaysTimeOnTheDateOfTheWord) {
    auto word = [](int year, int month, int day) {
        return uint16_t((year - 1980) << 9 | month << 5 | day);
    };
    uint64_t dayStart = 0, fileTime = 0;
    ASSERT_TRUE(CalendarToFileTime(2009, 6, 15, 0, 0, 0, 0, dayStart));
    ASSERT_TRUE(FatDateToFileTime(word(2009, 6, 15), fileTime));
    EXPECT_GE(fileTime, dayStart);
    EXPECT_LT(fileTime, dayStart + 86400 * kTicksPerSecond);

    for (uint16_t invalid : {uint16_t(0), word(2009, 13, 1), word(2009, 2, 29), word(2009, 6, 0)})
        EXPECT_FALSE(FatDateToFileTime(invalid, fileTime)) << invalid;
}

TEST(FileTimes, SetFileTimesSetsAWrittenFilesTimeOrLeavesItAlone) {
    std::string path = TemporaryFolder() + "/recovered.txt";
    MakeFile(path);
    uint64_t when = 0, read = 0;
    ASSERT_TRUE(CalendarToFileTime(2009, 6, 15, 10, 20, 30, 0, when));
    ASSERT_TRUE(SetFileTimes(Wide(path), when));
    ASSERT_TRUE(GetFileWriteTime(Wide(path), read));
    EXPECT_EQ(read, when);

    // Time 0 (nothing known) leaves the file as it is.
    EXPECT_FALSE(SetFileTimes(Wide(path), 0));
    ASSERT_TRUE(GetFileWriteTime(Wide(path), read));
    EXPECT_EQ(read, when);

    EXPECT_FALSE(SetFileTimes(Wide(TemporaryFolder() + "/missing.txt"), when));
}

TEST_F(TemporaryFolderOfTest, TemporaryFileIsMadeAndDeletedInTheSystemsFolder) {
    std::u16string path = TemporaryFilePath(u"0001");
    EXPECT_EQ(path, TemporaryFolderPath() + u"0001");
    MakeFile(Utf16ToUtf8(path), std::string(1000, 'a'));
    EXPECT_EQ(fs::file_size(folder + "/0001"), 1000u);
    EXPECT_TRUE(DeleteFileAt(path));
    EXPECT_FALSE(fs::exists(Utf16ToUtf8(path)));
    EXPECT_FALSE(DeleteFileAt(path));
}

TEST_F(TemporaryFolderOfTest, PreviewFilesAndTheirFolderAreDeleted) {
    std::string preview = Utf16ToUtf8(PreviewFolderPath());
    EXPECT_EQ(fs::path(preview).filename(), "ssss");
    fs::create_directories(preview);
    MakeFile(preview + "/a.jpg");
    MakeFile(preview + "/b.txt");
    std::string extracted = folder + "/extracted.doc";
    MakeFile(extracted);
    std::string kept = folder + "/kept.txt";
    MakeFile(kept);

    DeletePreviewFiles({Wide(extracted), Wide(folder + "/already gone.txt")});
    EXPECT_FALSE(fs::exists(extracted));
    EXPECT_TRUE(fs::exists(kept));
    EXPECT_FALSE(fs::exists(preview)) << "the folder is removed once its files are gone";

    // A subfolder is not deleted, so the folder stays; its files go.
    fs::create_directories(preview + "/inner");
    MakeFile(preview + "/c.bin");
    DeletePreviewFiles({});
    EXPECT_FALSE(fs::exists(preview + "/c.bin"));
    EXPECT_TRUE(fs::exists(preview + "/inner"));
}

TEST(CompoundFile, FilesThatAreNoCompoundDocumentNameNoApplication) {
    std::string plain = TemporaryFolder() + "/plain.doc";
    MakeFile(plain, std::string(4096, 'x'));
    EXPECT_EQ(ReadFileAppName(Wide(plain)), u"");
    EXPECT_EQ(ReadFileAppName(Wide(TemporaryFolder() + "/missing.doc")), u"");
}

#ifdef _WIN32
TEST(CompoundFile, SummaryNamesTheApplicationThatWroteTheDocument) {
    std::string folder = TemporaryFolder();
    struct Case {
        const char* application;
        std::u16string expected;
    };
    const Case cases[] = {
        {"Microsoft Excel", u"Microsoft Excel (VT_LPSTR)\n"},
        {"Microsoft Office Word", u"Microsoft Office Word (VT_LPSTR)\n"},
        {nullptr, u""},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string path = folder + "/" + std::to_string(n++) + ".doc";
        MakeCompoundDocument(path, c.application);
        EXPECT_EQ(ReadFileAppName(Wide(path)), c.expected) << path;
    }
}
#endif

}  // namespace
