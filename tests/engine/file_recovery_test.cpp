// The recovery writers: files from FAT and NTFS images written byte for byte
// with their folders, names and times; never over an existing file, never
// outside the destination; and the cases the images cannot show, over
// synthesized records.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include "found_lists.h"
#include "settings.h"
#include "volumes/boot_params.h"
#include "engine_state.h"
#include "fat/fat_chain.h"
#include "file_recovery.h"
#include "file_size_limit.h"
#include "folder_listing.h"
#include "memory_device.h"
#include "ntfs_image_tree.h"
#include "ntfs/ntfs_record.h"
#include "ntfs_record_builder.h"
#include "partition_choice.h"
#include "recovery_run.h"
#include "device/sector_access.h"
#include "test_images.h"
#include "text.h"

namespace fs = std::filesystem;

namespace {

std::u16string Wide(const std::string& text) { return Utf8ToUtf16(text); }

// The file's last-write time as a FILETIME.
uint64_t ModificationTime(const std::u16string& path) {
#ifdef _WIN32
    HANDLE h = CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 0;
    FILETIME write;
    GetFileTime(h, nullptr, nullptr, &write);
    CloseHandle(h);
    return uint64_t(write.dwHighDateTime) << 32 | write.dwLowDateTime;
#else
    struct stat info {};
    if (stat(Utf16ToUtf8(path).c_str(), &info) != 0) return 0;
    return (uint64_t(info.st_mtim.tv_sec) + 11644473600ull) * 10000000ull +
           uint64_t(info.st_mtim.tv_nsec) / 100;
#endif
}

std::string DateOf(uint64_t fileTime) {
    std::u16string text;
    FileTimeToText(uint32_t(fileTime), uint32_t(fileTime >> 32), text);
    return Narrow(text.substr(0, text.find(u' ')));
}

// --- FAT volumes of the partitioned disk -----------------------------------

struct FatFile {
    const char* listed;  // path in the listing
    const char* source;  // path the image script wrote the content for
    size_t size;
};

// /Documents/xAP.BIN is left out: its clusters went to fragmented.bin.
const FatFile kFatFiles[] = {
    {"/SMALL.TXT", "/small.txt", 300},
    {"/A long name with spaces.txt", "/A long name with spaces.txt", 5000},
    {"/xONTIG.BIN", "/contig.bin", 20000},  // deleted, FAT chain cleared: consecutive clusters
    {"/Music/SAME.TXT", "/Music/same.txt", 1111},
    {"/Documents/SAME.TXT", "/Documents/same.txt", 2222},
    {"/Documents/AFTER.BIN", "/Documents/after.bin", 4096},
    {"/Documents/fragmented.bin", "/Documents/fragmented.bin", 30000},  // follows its chain
    {"/Old/xHOTO.JPG", "/Old/photo.jpg", 9000},  // deleted inside a deleted folder
};

ScanOutcome ScanPartition(uint32_t sector) {
    std::string error;
    EXPECT_TRUE(SelectImagePartition(ImagePath("disk"), sector, error)) << error;
    const PartitionParametersRecord chosen = PartitionParameters;
    return ScanImage(ImagePath("disk"), chosen.startSector, chosen.sectorCount, chosen.chosenType);
}

class FatRecovery : public testing::TestWithParam<uint32_t> {};

TEST_P(FatRecovery, WritesEveryFileByteForByteWithItsFolderAndDate) {
    ScanOutcome outcome = ScanPartition(GetParam());
    ASSERT_TRUE(outcome.ran);
    std::string folder = TemporaryFolder();
    std::vector<RecoveredItem> results = RecoverFoundFiles(*outcome.ui, Wide(folder), {});
    ASSERT_EQ(results.size(), 9u);
    for (const FatFile& f : kFatFiles) {
        SCOPED_TRACE(f.listed);
        auto found = std::find_if(results.begin(), results.end(),
                                  [&](const RecoveredItem& r) { return Narrow(r.path) == f.listed; });
        ASSERT_NE(found, results.end());
        ASSERT_TRUE(found->written);
        std::string expectedPath = folder + f.listed;
        EXPECT_EQ(FileContent(expectedPath), LineContent(f.source, f.size));
        EXPECT_EQ(DateOf(ModificationTime(found->target)), "15-6-2009");
    }
}

INSTANTIATE_TEST_SUITE_P(Volumes, FatRecovery, testing::Values(2048u, 43008u, 116736u));

const FatFileEntry& FatEntryAt(const char16_t* name, uint32_t parentCluster, bool anyParent = false) {
    for (FatFileEntry* f = FatFileList.head; f; f = f->next)
        if (std::u16string(f->name) == name && (anyParent || f->parentCluster == parentCluster)) return *f;
    static FatFileEntry none{};
    ADD_FAILURE() << Narrow(name);
    return none;
}

TEST(FatRecovery, SameNamesFromTwoFoldersBothSurviveInOne) {
    ScanOutcome outcome = ScanPartition(43008);
    std::vector<const FatFileEntry*> same;
    for (FatFileEntry* f = FatFileList.head; f; f = f->next)
        if (std::u16string(f->name) == u"SAME.TXT") same.push_back(f);
    ASSERT_EQ(same.size(), 2u);
    std::string folder = TemporaryFolder();
    for (const FatFileEntry* f : same) EXPECT_EQ(RecoverFatEntry(Wide(folder), *f, kPlainMode), 1);
    EXPECT_EQ(FilesBelow(folder), (std::set<std::string>{"SAME.TXT", "Copy (1 ) of SAME.TXT"}));
    EXPECT_EQ(FileContent(folder + "/SAME.TXT"), LineContent("/Music/same.txt", 1111));
    EXPECT_EQ(FileContent(folder + "/Copy (1 ) of SAME.TXT"), LineContent("/Documents/same.txt", 2222));
}

TEST(FatRecovery, AnEmptyFileIsCreatedEmpty) {
    ScanPartition(2048);
    std::string folder = TemporaryFolder();
    RecoveredFileTime = 0x3ACF;  // 15 June 2009
    EXPECT_EQ(RecoverFatFile(Wide(folder), 0, kPlainMode, 0, 0, u"empty.txt", 0), 1);
    EXPECT_TRUE(fs::exists(fs::u8path(folder + "/empty.txt")));
    EXPECT_EQ(fs::file_size(fs::u8path(folder + "/empty.txt")), 0u);
}

struct Policy {
    const char* label;
    int mode;
    uint16_t duplicates, deletedFiles;
    const char16_t* filter;
    std::vector<std::string> existing;  // created before, holding "keep"
    int result;
    const char* writtenAs;  // nullptr: nothing written
};

class RecoveryPolicy : public testing::TestWithParam<Policy> {};

TEST_P(RecoveryPolicy, NeverReplacesAFile) {
    const Policy& p = GetParam();
    ScanPartition(43008);
    const FatFileEntry& small = FatEntryAt(u"SMALL.TXT", 0);
    std::string folder = TemporaryFolder();
    for (const std::string& name : p.existing) {
        std::ofstream keep(fs::u8path(folder + "/" + name), std::ios::binary);
        keep << "keep";
    }
    DuplicatePolicy = p.duplicates;
    DeletedFilesPolicy = p.deletedFiles;
    FilterCount = 0;
    if (p.filter) {
        std::u16string filter = p.filter;
        std::copy(filter.begin(), filter.end(), FilterTable[0]);
        FilterTable[0][filter.size()] = 0;
        FilterCount = 1;
    }
    EXPECT_EQ(RecoverFatEntry(Wide(folder), small, p.mode), p.result);
    std::set<std::string> expected(p.existing.begin(), p.existing.end());
    if (p.writtenAs) expected.insert(p.writtenAs);
    EXPECT_EQ(FilesBelow(folder), expected);
    for (const std::string& name : p.existing) EXPECT_EQ(FileContent(folder + "/" + name), "keep");
    if (p.writtenAs) {
        EXPECT_EQ(FileContent(folder + "/" + p.writtenAs), LineContent("/small.txt", 300));
    }
    FilterCount = 0;
    DuplicatePolicy = 1;
    DeletedFilesPolicy = 1;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecoveryPolicy,
    testing::Values(
        Policy{"PlainTakesACopyName", kPlainMode, 1, 1, nullptr, {"SMALL.TXT"}, 1, "Copy (1 ) of SMALL.TXT"},
        Policy{"PlainIgnoresThePolicies", kPlainMode, 3, 2, u"*.BIN", {}, 1, "SMALL.TXT"},
        Policy{"SecondCopyName", kInteractiveMode, 1, 1, nullptr,
               {"SMALL.TXT", "Copy (1 ) of SMALL.TXT"}, 1, "Copy (2 ) of SMALL.TXT"},
        Policy{"OverwriteSettingStillKeepsTheFile", kInteractiveMode, 2, 1, nullptr, {"SMALL.TXT"}, 1,
               "Copy (1 ) of SMALL.TXT"},
        Policy{"SkipExisting", kInteractiveMode, 3, 1, nullptr, {"SMALL.TXT"}, 0, nullptr},
        Policy{"OnlyDeleted", kInteractiveMode, 1, 2, nullptr, {}, 0, nullptr},
        Policy{"OnlyLive", kInteractiveMode, 1, 3, nullptr, {}, 1, "SMALL.TXT"},
        Policy{"FilteredOut", kInteractiveMode, 1, 1, u"*.BIN", {}, 0, nullptr},
        Policy{"FilterMatches", kInteractiveMode, 1, 1, u"*.TXT", {}, 1, "SMALL.TXT"}),
    [](const testing::TestParamInfo<Policy>& info) { return std::string(info.param.label); });

TEST(FatRecovery, ACreationFailureAsksAndNoEndsTheRun) {
    ScanPartition(43008);
    const FatFileEntry& small = FatEntryAt(u"SMALL.TXT", 0);
    RecordingUi ui;
    ui.questionAnswer = 2;
    SetEngineUi(&ui);
    std::u16string missing = Wide(TemporaryFolder() + "/no such folder");
    EXPECT_EQ(RecoverFatEntry(missing, small, kPlainMode), 0);
    SetEngineUi(nullptr);
    ASSERT_EQ(ui.questions, 1);
    EXPECT_EQ(Narrow(ui.messages[0].text).rfind("Error creating file : ", 0), 0u);
    EXPECT_EQ(StopAllRecovery, 1);
    // Every later file returns at once until the run is cleared.
    std::string folder = TemporaryFolder();
    EXPECT_EQ(RecoverFatEntry(Wide(folder), small, kPlainMode), 0);
    EXPECT_TRUE(FilesBelow(folder).empty());
    StopAllRecovery = 0;
}

// --- Names from disk -------------------------------------------------------

TEST(SafeNames, NamesFromDiskBecomeOneSafeComponent) {
    struct Case {
        const char16_t* name;
        const char16_t* safe;
    };
    for (Case c : {Case{u"notes.txt", u"notes.txt"}, Case{u"..", u"__"}, Case{u".", u"_"},
                   Case{u"", u"_"}, Case{u"..\\..\\evil.txt", u".._.._evil.txt"},
                   Case{u"a/b", u"a_b"}, Case{u"C:stream", u"C_stream"},
                   Case{u"x*?\"<>|y", u"x______y"}, Case{u"tab\there\x01", u"tab_here_"},
                   Case{u"CON", u"_CON"}, Case{u"nul.txt", u"_nul.txt"}, Case{u"COM1", u"_COM1"},
                   Case{u"COM10", u"COM10"}, Case{u"console", u"console"},
                   Case{u"trailing. ", u"trailing__"}, Case{u"\u65E5\u672C.txt", u"\u65E5\u672C.txt"}})
        EXPECT_EQ(SafeFileName(c.name), c.safe) << Narrow(c.name);
    EXPECT_EQ(SafeFileName(std::u16string(300, u'a').c_str()).size(), 255u);
}

TEST(SafeNames, OnlyDirectChildrenLieInsideTheFolder) {
    std::u16string f = u"/dest";
    EXPECT_EQ(LiesInsideFolder(f, JoinPath(f, u"file")), 1);
    EXPECT_EQ(LiesInsideFolder(u"/dest/", u"/dest/file"), 1);
    for (const char16_t* path : {u"/dest", u"/dest/", u"/dest/..", u"/dest/.", u"/dest/a/b",
                                 u"/dest/..\\x", u"/destination/file", u"/other/file", u"/dest/c:x"})
        EXPECT_EQ(LiesInsideFolder(f, path), 0) << Narrow(path);
}

TEST(SafeNames, CraftedNamesStayInsideTheDestination) {
    ScanPartition(43008);
    const FatFileEntry& small = FatEntryAt(u"SMALL.TXT", 0);
    std::string outer = TemporaryFolder();
    std::string folder = outer + "/dest";
    fs::create_directory(fs::u8path(folder));
    for (const char16_t* name : {u"..\\..\\evil.txt", u"../../evil.txt", u"..", u"c:\\evil.txt", u"AUX"}) {
        FatFileEntry crafted = small;
        crafted.name = const_cast<char16_t*>(name);
        EXPECT_EQ(RecoverFatEntry(Wide(folder), crafted, kPlainMode), 1) << Narrow(name);
        EXPECT_EQ(LiesInsideFolder(Wide(folder), RecoveredFilePath), 1) << Narrow(RecoveredFilePath);
    }
    std::set<std::string> outside = FilesBelow(outer);
    for (const std::string& path : outside) EXPECT_EQ(path.rfind("dest", 0), 0u) << path;
    EXPECT_EQ(FilesBelow(folder).size(), 5u);
}

// --- NTFS images -------------------------------------------------------------

const NtfsFileEntry* NtfsEntryAt(const std::string& path, const std::vector<FoundItem>& items) {
    std::string name = path.substr(path.rfind('/') + 1);
    for (NtfsFileEntry* f = NtfsFileList.head; f; f = f->next) {
        if (Narrow(f->name) != name) continue;
        for (const FoundItem& item : items)
            if (!item.folder && Narrow(item.path) == path && item.id == Decimal(f->dataRecordSector))
                return f;
    }
    return nullptr;
}

class NtfsRecovery : public testing::TestWithParam<std::string> {};

TEST_P(NtfsRecovery, WritesLiveAndDeletedFilesByteForByteWithTheirTimes) {
    SKIP_WITHOUT_NTFS_IMAGES();
    ScanOutcome outcome = ScanImage(ImagePath(GetParam()));
    ASSERT_TRUE(outcome.ran);
    std::string folder = TemporaryFolder();
    std::vector<RecoveredItem> results = RecoverFoundFiles(*outcome.ui, Wide(folder), {});

    std::vector<std::pair<std::string, uint64_t>> files;
    for (const TreeEntry& e : NtfsImageTree())
        if (!std::get<0>(e)) files.push_back({std::get<1>(e), std::get<2>(e)});
    for (const FoundItem& item : outcome.items)
        if (Narrow(item.path) == "/Documents/fragmented.bin") files.push_back({"/Documents/fragmented.bin", item.size});
    ASSERT_EQ(files.size(), NtfsImageTree().size() - 9 + 1);  // less the folders, plus the fragmented file

    for (const auto& file : files) {
        const std::string& path = file.first;
        const uint64_t size = file.second;
        SCOPED_TRACE(path);
        auto found = std::find_if(results.begin(), results.end(),
                                  [&](const RecoveredItem& r) { return Narrow(r.path) == path; });
        ASSERT_NE(found, results.end());
        ASSERT_TRUE(found->written);
        EXPECT_EQ(FileContent(folder + path), LineContent(path, size_t(size)));
        const NtfsFileEntry* entry = NtfsEntryAt(path, outcome.items);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(ModificationTime(found->target), entry->secondTime);
    }
}

TEST_P(NtfsRecovery, ChosenPathsOnly) {
    SKIP_WITHOUT_NTFS_IMAGES();
    ScanOutcome outcome = ScanImage(ImagePath(GetParam()));
    std::string folder = TemporaryFolder();
    std::vector<RecoveredItem> results =
        RecoverFoundFiles(*outcome.ui, Wide(folder), {u"/Old", u"/small.txt"});
    EXPECT_EQ(results.size(), 4u);
    EXPECT_EQ(FilesBelow(folder), (std::set<std::string>{"Old", "Old/photo.jpg", "Old/Trip",
                                                         "Old/Trip/tiny.txt", "Old/Trip/big.jpg",
                                                         "small.txt"}));
}

INSTANTIATE_TEST_SUITE_P(ClusterSizes, NtfsRecovery, testing::Values("ntfs_c4k", "ntfs_c512"));

// --- Synthesized NTFS records ----------------------------------------------

// A device in memory with an NTFS geometry of one sector per cluster; the
// record under test at sector 50.
struct MemoryVolume {
    static constexpr uint32_t kSectors = 1024;
    MemoryDevice* device;
    std::string folder = TemporaryFolder();

    MemoryVolume() {
        ResetEngineState();
        device = AdoptMemoryDevice(kSectors);
        DriveKind = kPhysicalDrive;
        PartitionParameters.scannedType = kNtfs;
        PartitionParameters.sectorsPerCluster = 1;
        PartitionParameters.cluster0Sector = 0;
        for (uint32_t s = 0; s < kSectors; ++s) std::memset(device->Sector(s), 'a' + s % 26, kSectorSize);
    }

    void PutRecord(const RecordBuilder& builder) {
        std::vector<uint8_t> disk = builder.OnDisk();
        std::memcpy(device->Sector(50), disk.data(), disk.size());
        ClearSectorCache();
    }

    // FAT16 over the same sectors with its FATs gone: a file's clusters are
    // taken to follow each other, up to the device's last sector (1023).
    void UseFat() {
        PartitionParameters.scannedType = kFat16;
        PartitionParameters.fat1Start = PartitionParameters.fat2Start = 0;
    }

    int Recover(uint64_t size) {
        return RecoverNtfsFile(Wide(folder), u"out.bin", uint32_t(size), uint32_t(size >> 32), 50,
                               kPlainMode, 0);
    }
    std::string Output() { return FileContent(folder + "/out.bin"); }
    bool Exists() { return fs::exists(fs::u8path(folder + "/out.bin")); }
};

TEST(NtfsRecords, ResidentDataComesFromTheRecord) {
    MemoryVolume volume;
    RecordBuilder builder;
    std::vector<uint8_t> data(700);
    for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t(i * 7);
    builder.Resident(kAttrData, data);
    volume.PutRecord(builder);
    EXPECT_EQ(volume.Recover(700), 1);
    EXPECT_EQ(volume.Output(), std::string(data.begin(), data.end()));

    // A size past the value's end writes nothing.
    MemoryVolume other;
    other.PutRecord(builder);
    EXPECT_EQ(other.Recover(800), 0);
    EXPECT_FALSE(other.Exists());
}

TEST(NtfsRecords, SparseRunsAreZerosNotClusterZero) {
    MemoryVolume volume;
    RecordBuilder builder;
    // 2 clusters at 10, 3 sparse, 1 at 20.
    builder.NonResident(kAttrData, {0x11, 0x02, 0x0A, 0x01, 0x03, 0x11, 0x01, 0x0A}, 3000);
    volume.PutRecord(builder);
    EXPECT_EQ(volume.Recover(3000), 1);
    std::string expected = std::string(512, 'k') + std::string(512, 'l') + std::string(1536, '\0') +
                           std::string(3000 - 2560, 'u');
    EXPECT_EQ(volume.Output(), expected);
}

TEST(NtfsRecords, NonResidentDataWithoutRuns) {
    struct Case {
        const char* label;
        std::vector<uint8_t> runs;
        uint64_t size;
        int result;
        bool created;
    };
    for (const Case& c : {Case{"NoRunsAndData", {}, 5000, 0, false},
                          Case{"NoRunsEmpty", {}, 0, 1, true},
                          Case{"BrokenList", {0x11, 0x00, 0x0A}, 5000, 0, false},
                          Case{"ShortOfTheSize", {0x11, 0x01, 0x0A}, 5000, 0, true}}) {
        SCOPED_TRACE(c.label);
        MemoryVolume volume;
        RecordBuilder builder;
        builder.NonResident(kAttrData, c.runs, c.size);
        volume.PutRecord(builder);
        EXPECT_EQ(volume.Recover(c.size), c.result);
        EXPECT_EQ(volume.Exists(), c.created);
    }
}

TEST(NtfsRecords, SkipEndsTheFileAndTheNextIsWrittenWhole) {
    MemoryVolume volume;
    RecordBuilder builder;
    builder.NonResident(kAttrData, {0x12, 0x58, 0x02, 0x64}, 600 * 512);  // 600 clusters at 100
    volume.PutRecord(builder);
    // The first device read brings sectors 0 to 255 (the record and the run's
    // start); the second, of the next block, is held while Skip is pressed.
    volume.device->GateAfter(1);
    std::thread writer([&] { EXPECT_EQ(volume.Recover(600 * 512), 1); });
    volume.device->WaitUntilHeld();
    SkipCurrentFile = 1;
    volume.device->Release();
    writer.join();
    size_t written = volume.Output().size();
    EXPECT_GT(written, 0u);
    EXPECT_LT(written, 600u * 512);

    EXPECT_EQ(RecoverNtfsFile(Wide(volume.folder), u"next.bin", 600 * 512, 0, 50, kPlainMode, 0), 1);
    EXPECT_EQ(FileContent(volume.folder + "/next.bin").size(), 600u * 512);
}

TEST(NtfsRecords, TimesComeFromTheEntry) {
    MemoryVolume volume;
    RecordBuilder builder;
    builder.Resident(kAttrData, std::vector<uint8_t>(10, 'x'));
    volume.PutRecord(builder);
    NtfsFileEntry entry{};
    entry.name = const_cast<char16_t*>(u"timed.txt");
    entry.size = 10;
    entry.dataRecordSector = 50;
    entry.secondTime = 128895408000000000ull;  // 15 June 2009 12:00 UTC
    RecoveredFileTime = 0;
    EXPECT_EQ(RecoverNtfsEntry(Wide(volume.folder), entry, kPlainMode), 1);
    EXPECT_EQ(ModificationTime(RecoveredFilePath), entry.secondTime);
}

// --- Recovered, skipped or failed: one rule for both writers ---------------

struct OutcomeCase {
    const char* label;
    bool fat;  // else through an NTFS run
    uint32_t firstCluster, clusters;
    uint64_t sizeLimit;  // the destination fails past it; 0: no limit
    bool skip;           // Skip is pressed while the file is written
    int result;
    int64_t left;  // bytes of the file left behind; -1: some, not all
};

class WriterOutcome : public testing::TestWithParam<OutcomeCase> {};

TEST_P(WriterOutcome, AFileEndingShortIsAFailureAndASkippedOneIsNot) {
    const OutcomeCase& c = GetParam();
    MemoryVolume volume;
    const uint64_t size = uint64_t(c.clusters) * kSectorSize;
    if (c.fat) {
        volume.UseFat();
    } else {
        std::vector<uint8_t> run = {0x44};
        for (uint32_t field : {c.clusters, c.firstCluster})
            for (int i = 0; i < 4; ++i) run.push_back(uint8_t(field >> (8 * i)));
        RecordBuilder builder;
        builder.NonResident(kAttrData, run, size);
        volume.PutRecord(builder);
    }
    auto recover = [&] {
        return c.fat ? RecoverFatFile(Wide(volume.folder), 0, kPlainMode, c.firstCluster,
                                      uint32_t(size), u"out.bin", 0)
                     : volume.Recover(size);
    };
    int result = -1;
    {
        std::optional<FileSizeLimit> limit;
        if (c.sizeLimit) {
            limit.emplace(c.sizeLimit);
            if (!limit->active()) GTEST_SKIP() << "the system sets no file size limit";
        }
        if (c.skip) {
            // The second device read, of a later block, is held while Skip is
            // pressed.
            volume.device->GateAfter(1);
            std::thread writer([&] { result = recover(); });
            volume.device->WaitUntilHeld();
            SkipCurrentFile = 1;
            volume.device->Release();
            writer.join();
        } else {
            result = recover();
        }
    }
    EXPECT_EQ(result, c.result);
    ASSERT_TRUE(volume.Exists());
    const std::string output = volume.Output();
    if (c.left >= 0) {
        EXPECT_EQ(int64_t(output.size()), c.left);
    } else {
        EXPECT_GT(output.size(), 0u);
        EXPECT_LT(output.size(), size);
    }
    // What was written is the file's own beginning.
    const uint8_t* first = volume.device->Sector(c.firstCluster);
    EXPECT_EQ(output, std::string(first, first + output.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriterOutcome,
    testing::Values(
        OutcomeCase{"FatWhole", true, 100, 600, 0, false, 1, 600 * 512},
        OutcomeCase{"NtfsWhole", false, 100, 600, 0, false, 1, 600 * 512},
        OutcomeCase{"FatDestinationFull", true, 100, 600, 65536, false, 0, 65536},
        OutcomeCase{"NtfsDestinationFull", false, 100, 600, 65536, false, 0, 65536},
        OutcomeCase{"FatSkipped", true, 100, 600, 0, true, 1, -1},
        OutcomeCase{"NtfsSkipped", false, 100, 600, 0, true, 1, -1},
        OutcomeCase{"FatClustersRunPastTheVolumeEnd", true, 1020, 10, 0, false, 0, 4 * 512},
        OutcomeCase{"FatFirstClusterPastTheVolumeEnd", true, 1030, 2, 0, false, 0, 0},
        OutcomeCase{"NtfsRunPastTheVolumeEnd", false, 1020, 10, 0, false, 0, 4 * 512},
        OutcomeCase{"NtfsRunStartingPastTheVolumeEnd", false, 1030, 2, 0, false, 0, 0}),
    [](const testing::TestParamInfo<OutcomeCase>& info) { return std::string(info.param.label); });

TEST(FatRecovery, AFileWhoseClustersRunPastTheVolumeEndIsListedAsFailed) {
    ScanOutcome outcome = ScanPartition(43008);
    ASSERT_TRUE(outcome.ran);
    // Its first cluster made the volume's last: the rest would lie past the end.
    FatFileEntry& small = const_cast<FatFileEntry&>(FatEntryAt(u"SMALL.TXT", 0));
    const uint32_t clusterBytes = PartitionParameters.sectorsPerCluster * kSectorSize;
    small.firstCluster = LastClusterOfVolume();
    small.size = 3 * clusterBytes;
    std::string folder = TemporaryFolder();
    std::vector<RecoveredItem> results = RecoverFoundFiles(*outcome.ui, Wide(folder), {u"/SMALL.TXT"});
    ASSERT_EQ(results.size(), 1u);
    EXPECT_FALSE(results[0].written);
    EXPECT_EQ(fs::file_size(fs::u8path(folder + "/SMALL.TXT")), clusterBytes);
}

}  // namespace
