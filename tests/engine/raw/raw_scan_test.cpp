// The Raw Scan: carving at sector starts, the Office detection, the dumps of
// carved files and the results listings.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "advance/advance_lists.h"
#include "compound_document.h"
#include "raw/compound_reader.h"
#include "found_lists.h"
#include "scan_control.h"
#include "settings.h"
#include "volumes/boot_params.h"
#include "engine_state.h"
#include "file_recovery.h"
#include "file_size_limit.h"
#include "raw/file_type_choice.h"
#include "raw/compound_file.h"
#include "platform_files.h"
#include "program_folder.h"
#include "memory_device.h"
#include "raw/office_type.h"
#include "raw/raw_lists.h"
#include "raw/raw_results.h"
#include "raw/raw_scan.h"
#include "device/sector_access.h"
#include "test_images.h"
#include "text.h"

namespace fs = std::filesystem;

namespace {

std::u16string TypeTextOf(const std::string& extension) {
    for (SignatureEntry* e = SignatureList.head; e; e = e->next)
        if (Narrow(e->extension) == extension) return e->fileType;
    return u"?";
}

std::vector<uint8_t> ReadWhole(const std::string& path) {
    return ReadBytes(path, 0, size_t(fs::file_size(path)));
}

const uint8_t kPng[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};

TEST(RawScan, CarvesTheFilesOfAVolumeWithoutBootSectorOrFats) {
    const std::string image = ImagePath("raw_fat16");
    const std::vector<uint8_t> bytes = ReadWhole(image);
    ASSERT_EQ(0, bytes[510]) << "the boot sector is wiped";

    RawOutcome outcome = RawScanImage(image, "all", 1);
    ASSERT_TRUE(outcome.ran);

    // Each sample lies at the sector where its first bytes are.
    struct Expected {
        uint64_t sector;
        std::string sample, extension;
    };
    std::vector<Expected> expected;
    for (const auto& [sample, extension] : RawSampleTypes()) {
        std::vector<uint8_t> first = ReadBytes(ImagesFolder() + "/raw-samples/" + sample, 0, 512);
        uint64_t found = 0;
        for (size_t at = 0; at + first.size() <= bytes.size() && !found; at += 512)
            if (std::equal(first.begin(), first.end(), bytes.begin() + at)) found = at / 512;
        ASSERT_NE(0u, found) << sample;
        expected.push_back({found, sample, extension});
    }
    std::sort(expected.begin(), expected.end(),
              [](const Expected& a, const Expected& b) { return a.sector < b.sector; });
    std::vector<std::string> lines;
    for (size_t i = 0; i < expected.size(); ++i)
        lines.push_back(std::to_string(i + 1) + expected[i].extension + " " +
                        Narrow(TypeTextOf(expected[i].extension)) + " " +
                        std::to_string(expected[i].sector));
    EXPECT_EQ(lines, outcome.lines);
    EXPECT_EQ(expected.size(), size_t(FilesFound));
    EXPECT_EQ(0u, RawUnreadableSectors);

    // Results: one tree group per type, the groups listed.
    EXPECT_EQ(u"Root", outcome.ui->tree.at(0).text);
    EXPECT_FALSE(outcome.ui->rows.empty());
    EXPECT_EQ(RowIcon::Folder, outcome.ui->rows[0].icon);

    // Dumps: one megabyte each, beginning with the sample.
    const std::string folder = TemporaryFolder();
    size_t index = 0;
    for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next, ++index) {
        ASSERT_EQ(1, RecoverCarvedFile(Utf8ToUtf16(folder + "/"), *f));
        const std::string dump = folder + "/" + Narrow(f->name);
        EXPECT_EQ(uint64_t(1) << 20, fs::file_size(dump));
        const std::vector<uint8_t> sample = ReadWhole(ImagesFolder() + "/raw-samples/" + expected[index].sample);
        EXPECT_EQ(sample, ReadBytes(dump, 0, sample.size())) << Narrow(f->name);
    }
}

TEST(RawScan, RangeEndsAfterTheBlockHoldingItsLastSectorAndDumpsStopAtTheDeviceEnd) {
    const std::string image = BlankImage(200);
    for (uint64_t sector : {0, 9, 40, 70, 195})
        WriteBytes(image, sector * 512, std::vector<uint8_t>(std::begin(kPng), std::end(kPng)));
    // Sectors 0 to 9 chosen: the block of 64 that holds sector 9 is examined whole.
    RawOutcome outcome = RawScanImage(image, ".png", 3, 0, 10);
    EXPECT_EQ((std::vector<std::string>{"1.png PNG Image 0", "2.png PNG Image 9", "3.png PNG Image 40"}),
              outcome.lines);

    outcome = RawScanImage(image, ".png", 3, 100, 100);
    ASSERT_EQ((std::vector<std::string>{"1.png PNG Image 195"}), outcome.lines);
    const std::string folder = TemporaryFolder() + "/";
    ASSERT_EQ(1, DumpRawRegion(Utf8ToUtf16(folder), u"end.png", 195));
    EXPECT_EQ(5u * 512, fs::file_size(folder + "end.png"));
    ASSERT_EQ(1, DumpRawRegion(Utf8ToUtf16(folder), u"start.png", 0));
    EXPECT_EQ(200u * 512, fs::file_size(folder + "start.png"));
}

// Several steps of 64 are read at once: the range still ends with the step
// that holds the sector after its end, or at the device's end, and every
// percent is shown once, in order.
TEST(RawScan, ReadsInLargeBlocksKeepTheRangesStepsAndPercents) {
    const uint64_t planted[] = {0, 9, 10, 63, 64, 65, 127, 128, 192, 511, 512, 600, 700, 1100, 1199};
    const std::string image = BlankImage(1200);
    for (uint64_t sector : planted)
        WriteBytes(image, sector * 512, std::vector<uint8_t>(std::begin(kPng), std::end(kPng)));
    const struct {
        uint64_t start, count, examinedEnd;
    } cases[] = {
        {0, 10, 64},   {0, 63, 64},    {0, 64, 128},   {1, 63, 65},      {1, 64, 129},
        {0, 150, 192}, {0, 600, 640}, {100, 500, 612}, {600, 600, 1200}, {0, 1200, 1200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("start " + std::to_string(c.start) + " count " + std::to_string(c.count));
        RawOutcome outcome = RawScanImage(image, ".png", 1, c.start, c.count);
        std::vector<std::string> expected;
        for (uint64_t sector : planted)
            if (sector >= c.start && sector < c.examinedEnd)
                expected.push_back(std::to_string(expected.size() + 1) + ".png PNG Image " +
                                   std::to_string(sector));
        EXPECT_EQ(expected, outcome.lines);
        std::vector<int> percents;
        for (uint64_t done = 0; done < c.examinedEnd - c.start; ++done) {
            const int percent = int(std::min<uint64_t>(99, done * 100 / c.count));
            if (percents.empty() || percents.back() != percent) percents.push_back(percent);
        }
        EXPECT_EQ(percents, outcome.ui->progress);
    }
}

TEST(RawScan, UnreadableSectorsAreCarvedPastNotTakenForTheEnd) {
    ResetEngineState();
    MemoryDevice* device = AdoptMemoryDevice(4096);
    std::memcpy(device->Sector(300), kPng, sizeof kPng);
    std::memcpy(device->Sector(3000), kPng, sizeof kPng);
    device->badSectors = {10, 11, 255, 2000};
    PartitionParameters.startSector = 0;
    PartitionParameters.sectorCount = 4096;
    PartitionParameters.endSector = 4095;
    FileTypeTree tree;
    ASSERT_EQ(1, LoadRawSignatureFile(tree));
    BuildSignatureList(tree, FileTypeTree::kRoot);
    RecordingUi ui;
    SetEngineUi(&ui);
    EXPECT_EQ(1, RawScanThread());
    SetEngineUi(nullptr);
    ASSERT_NE(nullptr, CarvedFileList.head);
    EXPECT_EQ(300u, CarvedFileList.head->startSector);
    ASSERT_NE(nullptr, CarvedFileList.head->next);
    EXPECT_EQ(3000u, CarvedFileList.head->next->startSector);
    EXPECT_EQ(4u, RawUnreadableSectors);
    EXPECT_EQ(99, ui.progress.back());
    ClosePhysicalDrive();
}

// Stopping takes effect at the next sector, not at the end of what was read.
TEST(RawScan, StopsAtTheSectorAfterTheStopWasAsked) {
    struct StopAtFirstHit : RecordingUi {
        void SetPaneValue(PaneValue which, const std::u16string& text) override {
            RecordingUi::SetPaneValue(which, text);
            if (which == PaneValue::FilesFound) ScanStopFlag = 1;
        }
    };
    ResetEngineState();
    MemoryDevice* device = AdoptMemoryDevice(1024);
    for (uint64_t sector : {10, 11, 700}) std::memcpy(device->Sector(sector), kPng, sizeof kPng);
    PartitionParameters.sectorCount = 1024;
    PartitionParameters.endSector = 1023;
    FreeSignatureList();
    AddSignatureEntry(u".png", u"PNG Image", 8, "89504E470D0A1A0A", 0);
    StopAtFirstHit ui;
    SetEngineUi(&ui);
    CarveSignatures();
    SetEngineUi(nullptr);
    std::vector<uint32_t> starts;
    for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next) starts.push_back(f->startSector);
    EXPECT_EQ(std::vector<uint32_t>{10}, starts);
    FreeSignatureList();
    ClosePhysicalDrive();
}

// A disk past 2 TiB: zeros up to the last sector a 32-bit number reaches, a
// PNG in that sector, and every sector after it unreadable.
class PastTwoTerabytes : public SectorDevice {
public:
    static constexpr uint64_t kLastSector = 0xFFFFFFFFu;
    uint64_t Size() const override { return (kLastSector + 1 + 1024) * kSectorSize; }
    int64_t ReadAt(uint64_t offset, void* buffer, size_t bytes) override {
        const uint64_t readable = (kLastSector + 1) * kSectorSize;
        if (offset >= readable) return -1;
        const size_t take = size_t(std::min<uint64_t>(bytes, readable - offset));
        std::memset(buffer, 0, take);
        const uint64_t png = kLastSector * kSectorSize;
        if (png >= offset && png < offset + take)
            std::memcpy(static_cast<uint8_t*>(buffer) + (png - offset), kPng, sizeof kPng);
        return int64_t(take);
    }
};

// Ranges ending at the last 32-bit sector: it is carved, and what lies past
// it is read (and counted) only as far as the step that holds it.
TEST(RawScan, TheLastThirtyTwoBitSectorEndsTheSteps) {
    const struct {
        uint32_t start;
        uint32_t expectedUnreadable;
    } cases[] = {
        {0xFFFFFF00u, 0},   // the last step ends with the last sector
        {0xFFFFFF01u, 1},   // the last step runs one sector past it
        {0xFFFFFF3Fu, 63},  // it begins with the last sector
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        ResetEngineState();
        AdoptPhysicalDrive(std::make_unique<PastTwoTerabytes>());
        PartitionParameters.startSector = c.start;
        PartitionParameters.sectorCount = uint32_t(PastTwoTerabytes::kLastSector - c.start + 1);
        PartitionParameters.endSector = uint32_t(PastTwoTerabytes::kLastSector);
        FreeSignatureList();
        AddSignatureEntry(u".png", u"PNG Image", 8, "89504E470D0A1A0A", 0);
        RecordingUi ui;
        SetEngineUi(&ui);
        CarveSignatures();
        SetEngineUi(nullptr);
        ASSERT_NE(nullptr, CarvedFileList.head);
        EXPECT_EQ(PastTwoTerabytes::kLastSector, CarvedFileList.head->startSector);
        EXPECT_EQ(nullptr, CarvedFileList.head->next);
        EXPECT_EQ(c.expectedUnreadable, RawUnreadableSectors);
        FreeSignatureList();
        ClosePhysicalDrive();
    }
}

struct OfficeCase {
    const char* appName;
    const char* types;
    const char* expected;
};

// A compound document naming the application; on Windows the system's
// structured storage makes it.
std::vector<uint8_t> DocumentOf(const char* appName) {
#ifdef _WIN32
    return SystemCompoundDocument(appName, TemporaryFolder() + "/made.doc");
#else
    return WriteCompoundDocument(appName, false);
#endif
}

class OfficeDetection : public testing::TestWithParam<OfficeCase> {};

TEST_P(OfficeDetection, CompoundDocumentsAreNamedByTheirApplication) {
    const OfficeCase& c = GetParam();
    std::vector<uint8_t> document = DocumentOf(c.appName);
    ASSERT_FALSE(document.empty()) << "structured storage could not make the document";
    const std::string image = BlankImage(8192);
    WriteBytes(image, 300 * 512, document);
    RawOutcome outcome = RawScanImage(image, c.types, 1);
    ASSERT_EQ(1u, outcome.lines.size());
    EXPECT_EQ(std::string("1") + c.expected + " Microsoft Office Document 300", outcome.lines[0]);
    EXPECT_FALSE(fs::exists(Narrow(TemporaryFilePath(u"0001-" + Decimal(ProcessId())))));
}

std::string CaseName(const testing::TestParamInfo<OfficeCase>& info) {
    return "Case" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(
    Applications, OfficeDetection,
    testing::Values(OfficeCase{"Microsoft Excel", ".doc,.xls", ".xls"},
                    OfficeCase{"Microsoft Excel", ".doc", ".doc"},
                    OfficeCase{"Microsoft Office PowerPoint", ".doc,.xls,.ppt,.pub", ".ppt"},
                    OfficeCase{"Microsoft Office Word", ".doc,.xls,.ppt,.pub", ".doc"},
                    OfficeCase{"Microsoft Publisher", ".doc,.pub", ".pub"},
                    OfficeCase{"Some Other Program", ".doc,.xls,.ppt,.pub", ".doc"}),
    CaseName);

TEST(OfficeDetection, WhatExistsAtItsTemporaryNameIsNeverWrittenOver) {
    std::vector<uint8_t> document = DocumentOf("Microsoft Excel");
    ASSERT_FALSE(document.empty());
    const std::string image = BlankImage(8192);
    WriteBytes(image, 300 * 512, document);
    struct Case {
        const char* label;
        int taken;  // the first names already in use
        bool link;  // the first of them a link to a file elsewhere
        const char* expected;
    };
    std::vector<Case> cases = {{"FirstNameTaken", 1, false, ".xls"},
                               {"EveryNameTaken", kOfficeProbeNames, false, ".doc"}};
#ifndef _WIN32
    cases.push_back({"FirstNameALink", 1, true, ".xls"});
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const fs::path elsewhere = fs::u8path(TemporaryFolder() + "/user.txt");
        std::ofstream(elsewhere) << "keep";
        std::vector<fs::path> taken;
        for (int i = 0; i < c.taken; ++i) {
            taken.push_back(fs::u8path(Narrow(OfficeProbePath(i))));
            if (i == 0 && c.link) {
                fs::create_symlink(elsewhere, taken.back());
            } else {
                std::ofstream(taken.back()) << "keep";
            }
        }
        RawOutcome outcome = RawScanImage(image, ".doc,.xls", 1);
        ASSERT_EQ(1u, outcome.lines.size());
        EXPECT_EQ(std::string("1") + c.expected + " Microsoft Office Document 300", outcome.lines[0]);
        auto kept = [](const fs::path& path) { return FileContent(path.u8string()) == "keep"; };
        EXPECT_TRUE(kept(elsewhere));
        for (const fs::path& path : taken) {
            EXPECT_TRUE(kept(path)) << path;
            fs::remove(path);
        }
        // The copy made under the next free name is gone again.
        if (c.taken < kOfficeProbeNames) {
            EXPECT_FALSE(fs::exists(fs::u8path(Narrow(OfficeProbePath(c.taken)))));
        }
    }
}

TEST(OfficeDetection, ACompoundDocumentWithoutSummaryStaysDoc) {
    const std::string image = BlankImage(4096);
    std::vector<uint8_t> header = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    WriteBytes(image, 64 * 512, header);
    RawOutcome outcome = RawScanImage(image, ".doc,.xls,.ppt,.pub", 1);
    EXPECT_EQ((std::vector<std::string>{"1.doc Microsoft Office Document 64"}), outcome.lines);
}

TEST(CompoundFileReader, ReadsTheSummaryFromTheMiniStreamAndFromSectors) {
    for (bool large : {false, true}) {
        std::vector<uint8_t> document = WriteCompoundDocument("Microsoft Excel", large);
        std::string name;
        ASSERT_TRUE(ReadCompoundAppName(document.data(), document.size(), name)) << large;
        EXPECT_EQ("Microsoft Excel", name);
        const std::string path = TemporaryFolder() + "/book.xls";
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(document.data()),
                                                    std::streamsize(document.size()));
#ifndef _WIN32
        // The system's reader on Windows; ours elsewhere.
        EXPECT_EQ(u"Microsoft Excel (VT_LPSTR)\n", ReadFileAppName(Utf8ToUtf16(path)));
#endif
    }
}

TEST(CompoundFileReader, DamagedFilesGiveNoNameAndNoCrash) {
    const std::vector<uint8_t> good = WriteCompoundDocument("Microsoft Word", false);
    struct Case {
        const char* name;
        size_t offset;
        uint32_t value;
    } cases[] = {
        {"FAT sector past the end", 0x4C, 0x00FFFFFF},
        {"directory chain loops", 512 + 4, 1},
        {"huge FAT count", 0x2C, 0xFFFFFFFF},
        {"unknown sector size", 0x1E, 10},
        {"stream size beyond the mini stream", 1024 + 128 + 0x78, 4000},
        {"mini FAT loops", 1536, 0},
        {"property offset past the section", 1024 + 512 * 2 + 48 + 20, 0x7FFFFFF0},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bad = good;
        ASSERT_LT(c.offset + 4, bad.size()) << c.name;
        for (int i = 0; i < 4; ++i) bad[c.offset + i] = uint8_t(c.value >> (8 * i));
        std::string name;
        EXPECT_FALSE(ReadCompoundAppName(bad.data(), bad.size(), name)) << c.name;
    }
    for (size_t size = 0; size < good.size(); size += 97) {
        std::string name;
        ReadCompoundAppName(good.data(), size, name);  // must not read past `size`
    }
}

#ifdef _WIN32
TEST(CompoundFileReader, AgreesWithTheSystemsStructuredStorage) {
    const std::string path = TemporaryFolder() + "/system.xls";
    std::vector<uint8_t> document = SystemCompoundDocument("Microsoft Excel", path);
    ASSERT_FALSE(document.empty());
    EXPECT_EQ(u"Microsoft Excel (VT_LPSTR)\n", ReadFileAppName(Utf8ToUtf16(path)));
    std::string name;
    ASSERT_TRUE(ReadCompoundAppName(document.data(), document.size(), name));
    EXPECT_EQ("Microsoft Excel", name);
}
#endif

class AnsweringUi : public RecordingUi {
public:
    std::vector<uint32_t> rootFiles;
    std::u16string sizeText;
    std::vector<uint32_t> SelectedRootFiles() override { return rootFiles; }
    void ShowSelectedSizeText(const std::u16string& text) override { sizeText = text; }
};

TEST(RawExtraction, AFileThatCannotBeCreatedAsksWhetherToGoOn) {
    ResetEngineState();
    AddCarvedFile(u"1.jpg", u".jpg", u"JPEG Image", 1, 0);
    const std::u16string folder = Utf8ToUtf16(TemporaryFolder() + "/missing/");
    for (int answer : {1, 2}) {
        AnsweringUi ui;
        ui.questionAnswer = answer;
        SetEngineUi(&ui);
        StopAllRecovery = 0;
        EXPECT_EQ(0, RecoverCarvedFile(folder, *CarvedFileList.head));
        SetEngineUi(nullptr);
        ASSERT_EQ(1u, ui.messages.size());
        EXPECT_EQ(u"Error creating file : " + folder + u"1.jpg.  Continue Recovery ? ",
                  ui.messages[0].text);
        EXPECT_EQ(answer == 1 ? 0 : 1, int(StopAllRecovery));
    }
    StopAllRecovery = 0;
    FreeCarvedFileList();
}

TEST(RawExtraction, ExtractingTwiceIntoOneFolderKeepsBothSets) {
    const std::string image = BlankImage(400);
    for (uint64_t sector : {10, 200}) {
        WriteBytes(image, sector * 512, std::vector<uint8_t>(std::begin(kPng), std::end(kPng)));
        WriteBytes(image, sector * 512 + 100, {uint8_t(sector)});
    }
    RawOutcome outcome = RawScanImage(image, ".png", 1);
    ASSERT_EQ((std::vector<std::string>{"1.png PNG Image 10", "2.png PNG Image 200"}), outcome.lines);
    const std::string folder = TemporaryFolder();
    for (int round = 0; round < 2; ++round)
        for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next)
            ASSERT_EQ(1, RecoverCarvedFile(Utf8ToUtf16(folder + "/"), *f));
    EXPECT_EQ((std::set<std::string>{"1.png", "2.png", "Copy (1 ) of 1.png", "Copy (1 ) of 2.png"}),
              FilesBelow(folder));
    // Each dump runs from its sector to the image's end.
    const std::vector<uint8_t> bytes = ReadWhole(image);
    const std::string first(bytes.begin() + 10 * 512, bytes.end());
    const std::string second(bytes.begin() + 200 * 512, bytes.end());
    EXPECT_EQ(first, FileContent(folder + "/1.png"));
    EXPECT_EQ(first, FileContent(folder + "/Copy (1 ) of 1.png"));
    EXPECT_EQ(second, FileContent(folder + "/2.png"));
    EXPECT_EQ(second, FileContent(folder + "/Copy (1 ) of 2.png"));
}

TEST(RawExtraction, DumpsLandInsideTheFolderGivenWithoutSeparatorWhateverTheirNames) {
    ResetEngineState();
    AdoptMemoryDevice(64);
    const std::string outer = TemporaryFolder();
    const std::string folder = outer + "/dest";
    fs::create_directory(fs::u8path(folder));
    // Names from a snapshot file may be anything.
    struct Case {
        const char16_t* name;
        const char* stored;
    };
    for (Case c : {Case{u"3.png", "3.png"}, Case{u"../3.png", ".._3.png"}, Case{u"..", "__"},
                   Case{u"sub/3.png", "sub_3.png"}, Case{u"3.png", "Copy (1 ) of 3.png"}}) {
        EXPECT_EQ(1, DumpRawRegion(Utf8ToUtf16(folder), c.name, 0)) << Narrow(c.name);
        // Compared as paths: Windows joins with its own separator.
        EXPECT_EQ(fs::u8path(folder) / fs::u8path(c.stored), fs::path(RecoveredFilePath));
    }
    EXPECT_EQ((std::set<std::string>{"dest", "dest/3.png", "dest/.._3.png", "dest/__", "dest/sub_3.png",
                                     "dest/Copy (1 ) of 3.png"}),
              FilesBelow(outer));
    EXPECT_EQ(64u * 512, fs::file_size(fs::u8path(folder + "/3.png")));
    ClosePhysicalDrive();
}

TEST(RawExtraction, ADumpCutShortByAFullDestinationFailsAndAsks) {
    ResetEngineState();
    AdoptMemoryDevice(4096);
    CarveSizeLimitMB = 1;
    AddCarvedFile(u"1.jpg", u".jpg", u"JPEG Image", 1, 0);
    const std::string folder = TemporaryFolder();
    AnsweringUi ui;
    ui.questionAnswer = 1;
    {
        FileSizeLimit limit(65536);
        if (!limit.active()) GTEST_SKIP() << "the system sets no file size limit";
        SetEngineUi(&ui);
        EXPECT_EQ(0, RecoverCarvedFile(Utf8ToUtf16(folder), *CarvedFileList.head));
        SetEngineUi(nullptr);
    }
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(u"Error creating file : " + Utf8ToUtf16(folder + "/1.jpg") + u".  Continue Recovery ? ",
              ui.messages[0].text);
    EXPECT_EQ(65536u, fs::file_size(fs::u8path(folder + "/1.jpg")));
    FreeCarvedFileList();
    ClosePhysicalDrive();
}

TEST(RawResults, GroupsAndFilesAreListedByTypeAndExtension) {
    ResetEngineState();
    FreeCarvedFileList();
    AddCarvedFile(u"1.jpg", u".jpg", u"JPEG Image", 1, 10);
    AddCarvedFile(u"2.JPG", u".JPG", u"jpeg image", 2, 20);
    AddCarvedFile(u"3.png", u".png", u" PNG Image ", 3, 30);
    AddCarvedFile(u"4.png", u".png", u"PNG Image", 4, 40);
    AnsweringUi ui;
    SetEngineUi(&ui);
    auto names = [&] {
        std::vector<std::string> out;
        for (const auto& row : ui.rows) out.push_back(Narrow(row.columns[0]) + "|" + Narrow(row.columns[2]));
        return out;
    };
    ListRawGroups();
    EXPECT_EQ((std::vector<std::string>{"JPEG Image|-", " PNG Image |-", "PNG Image|-"}), names());
    ListRawFolder(u"root", 0);
    EXPECT_EQ((std::vector<std::string>{"JPEG Image|-", "jpeg image|-", "PNG Image|-"}), names());
    ListRawFolder(u".JPG", 0);
    EXPECT_EQ((std::vector<std::string>{"1.jpg|1", "2.JPG|2"}), names());
    ListRawFolder(u"PNG Image", 1);
    EXPECT_EQ((std::vector<std::string>{"3.png|3", "4.png|4"}), names());
    FilterCount = 1;
    std::u16string filter = u"4*";
    std::copy(filter.begin(), filter.end(), FilterTable[0]);
    FilterTable[0][filter.size()] = 0;
    ListRawFolder(u"PNG Image", 1);
    EXPECT_EQ((std::vector<std::string>{"4.png|4"}), names());
    FilterCount = 0;

    ScanMode = kRawScan;
    ui.rootFiles = {2, 4, 99};
    ShowSelectedSize();
    EXPECT_EQ(u"Selected Size : 6 MB", ui.sizeText);
    SetEngineUi(nullptr);
    FreeCarvedFileList();
}

TEST(RawResults, SelectedSizeOfAFatFileInMegabytes) {
    ResetEngineState();
    PartitionParameters.scannedType = kFat32;
    AddFatFile(u"BIG.BIN", 5, 0, 0, 0, 1572864, 0);
    ++FilesFound;
    AnsweringUi ui;
    ui.rootFiles = {0};
    SetEngineUi(&ui);
    ShowSelectedSize();
    SetEngineUi(nullptr);
    EXPECT_EQ(u"Selected Size : 1 MB", ui.sizeText);
    FreeStandardScanLists();
}

TEST(RawResults, SelectedSizeOfAdvanceNtfsFilesComesFromTheirFileRecords) {
    ResetEngineState();
    PartitionParameters.scannedType = kNtfs;
    ScanMode = kAdvanceScan;
    AddAdvanceNtfsFile(u"a.bin", 4000, 5, 0, 0, 1048576, 0);
    AddAdvanceNtfsFile(u"b.bin", 4002, 5, 0, 0, 1048576, 0);
    AnsweringUi ui;
    ui.rootFiles = {4000, 4002};
    SetEngineUi(&ui);
    ShowSelectedSize();
    SetEngineUi(nullptr);
    EXPECT_EQ(u"Selected Size : 2 MB", ui.sizeText);
    ResetEngineState();
}

TEST(RawResults, PreviewTemporaryFilesAreDeleted) {
    const std::u16string folder = PreviewFolderPath();
    fs::create_directories(Narrow(folder));
    std::ofstream(Narrow(folder) + "/preview.jpg") << "x";
    DeletePreviewTempFiles();
    EXPECT_FALSE(fs::exists(Narrow(folder)));
}

}  // namespace
