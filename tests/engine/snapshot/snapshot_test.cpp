// Snapshot files: byte-identical round trips of every kind of result, and
// damaged or foreign files refused with a message and empty lists.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "advance/advance_lists.h"
#include "device/device.h"
#include "engine_ui.h"
#include "found_lists.h"
#include "scan_control.h"
#include "volumes/boot_params.h"
#include "engine_state.h"
#include "raw/raw_lists.h"
#include "raw/raw_scan.h"
#include "recording_ui.h"
#include "device/sector_access.h"
#include "snapshot/snapshot.h"
#include "test_images.h"
#include "text.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
    return ReadBytes(path, 0, size_t(fs::file_size(path)));
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Loading reopens the snapshot's drive: every slot stands for an image, so
// that no test opens a real device.
void ResetEverything() {
    ResetEngineState();
    ClosePhysicalDrive();
    for (int slot = 0; slot < 10; ++slot) MapDeviceToImage(DeviceNameTable[slot], ImagePath("raw_fat16"));
}

bool ListsAreEmpty() {
    return !FatFolderList.head && !FatFileList.head && !NtfsFolderList.head && !NtfsFileList.head &&
           !CarvedFileList.head && !SignatureList.head && SignatureCount == 0 && FilesFound == 0;
}

std::vector<std::string> CarvedLines() {
    std::vector<std::string> lines;
    for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next)
        lines.push_back(Narrow(f->name) + "|" + Narrow(f->extension) + "|" + Narrow(f->fileType) +
                        "|" + std::to_string(f->runningNumber) + "|" + std::to_string(f->startSector));
    for (SignatureEntry* s = SignatureList.head; s; s = s->next)
        lines.push_back(Narrow(s->extension) + "|" + s->signature);
    return lines;
}

std::vector<std::string> ItemLines(const RecordingUi& ui) {
    std::vector<std::string> lines;
    for (const FoundItem& item : CollectFoundItems(ui)) lines.push_back(Narrow(FoundItemLine(item)));
    return lines;
}

// Loads through the load command; returns the interface that recorded it.
std::unique_ptr<RecordingUi> Load(const std::string& path, int* loaded) {
    std::unique_ptr<RecordingUi> ui(new RecordingUi);
    SetEngineUi(ui.get());
    *loaded = OpenSnapshot(Utf8ToUtf16(path));
    SetEngineUi(nullptr);
    return ui;
}

int Save(const std::string& path, bool raw) {
    RecordingUi ui;
    ui.questionAnswer = 1;
    SetEngineUi(&ui);
    int saved = raw ? SaveRawSnapshot(Utf8ToUtf16(path)) : SaveSnapshot(Utf8ToUtf16(path));
    SetEngineUi(nullptr);
    return saved;
}

class ScanRoundTrip : public testing::TestWithParam<const char*> {};

TEST_P(ScanRoundTrip, SnapshotsLoadBackIdentically) {
    // An Advance NTFS snapshot is browsed as a Standard one after loading.
    const bool ntfs = std::string(GetParam()).rfind("ntfs", 0) == 0;
    for (int mode : {kStandardScan, kAdvanceScan}) {
        if (ntfs && mode == kAdvanceScan) continue;
        ScanOutcome scan = ScanImage(ImagePath(GetParam()));
        ASSERT_TRUE(scan.ran);
        ScanMode = mode;
        const std::vector<std::string> scanned = ItemLines(*scan.ui);
        const std::string folder = TemporaryFolder();
        ASSERT_EQ(1, Save(folder + "/first", false));
        const std::vector<uint8_t> first = ReadFile(folder + "/FIRST.wrx");
        EXPECT_EQ(mode == kAdvanceScan ? 'A' : 'D', first[0]);

        ResetEverything();
        MapDeviceToImage(DeviceNameTable[0], ImagePath(GetParam()));
        int loaded = 0;
        std::unique_ptr<RecordingUi> ui = Load(folder + "/FIRST.wrx", &loaded);
        ASSERT_EQ(1, loaded);
        EXPECT_EQ(mode, ScanMode);
        EXPECT_EQ(scanned, ItemLines(*ui));
        EXPECT_EQ(std::vector<int>{kResultsPage}, ui->views);
        EXPECT_EQ(std::vector<bool>{false}, ui->stepFlags);
        EXPECT_NE(nullptr, PhysicalDriveHandle) << "the snapshot's drive is opened again";
        ASSERT_EQ(1, Save(folder + "/second.wrx", false));
        EXPECT_EQ(first, ReadFile(folder + "/SECOND.WRX"));
        ResetEverything();
    }
}

INSTANTIATE_TEST_SUITE_P(Images, ScanRoundTrip, testing::Values("fat16_s4", "fat32_s1", "ntfs_c4k"));

void FillNtfsLists() {
    ResetEverything();
    PartitionParameters.chosenType = PartitionParameters.scannedType = kNtfs;
    PartitionParameters.startSector = 2048;
    PartitionParameters.sectorsPerCluster = 8;
    PartitionParameters.mftStart = 2048 + 32;
    PartitionParameters.volumeEndSector = 99999;
    AddNtfsFolder(u"Documents", 64, kNtfsRootRecord, 0x01D0000000000001ull, 0x01D0000000000002ull, 0, 0);
    AddNtfsFolder(u"\u00C6ble \u65E5\u672C", 65, 64, 1, 2, 0, 1);
    NtfsFolderList.tail->spare = 0x1234;
    AddNtfsFile(40000, u"report.txt", 70, 64, 3, 4, 0, 12345);
    ++FilesFound;
    AddNtfsFile(40002, u"gone.bin", 71, 65, 5, 6, 1, 0x123456789ull);
    ++FilesFound;
    SelectedDriveIndex = 3;
}

TEST(NtfsRoundTrip, StandardSnapshotLoadsBackIdentically) {
    FillNtfsLists();
    const std::string folder = TemporaryFolder();
    ASSERT_EQ(1, Save(folder + "/ntfs.wrx", false));
    const std::vector<uint8_t> first = ReadFile(folder + "/NTFS.WRX");
    ResetEverything();
    int loaded = 0;
    std::unique_ptr<RecordingUi> ui = Load(folder + "/NTFS.WRX", &loaded);
    ASSERT_EQ(1, loaded);
    EXPECT_EQ(3, SelectedDriveIndex);
    EXPECT_NE(nullptr, PhysicalDriveHandle);
    EXPECT_EQ(kStandardScan, ScanMode);
    std::vector<std::string> paths;
    for (const FoundItem& item : CollectFoundItems(*ui)) paths.push_back(Narrow(item.path));
    EXPECT_EQ((std::vector<std::string>{"/Documents", "/Documents/\xC3\x86" "ble \xE6\x97\xA5\xE6\x9C\xAC",
                                        "/Documents/report.txt",
                                        "/Documents/\xC3\x86" "ble \xE6\x97\xA5\xE6\x9C\xAC/gone.bin"}),
              paths);
    EXPECT_EQ(0x1234, NtfsFolderList.tail->spare);
    ASSERT_EQ(1, Save(folder + "/again.wrx", false));
    EXPECT_EQ(first, ReadFile(folder + "/AGAIN.WRX"));
    ResetEverything();
}

TEST(NtfsRoundTrip, AdvanceSnapshotHoldsTheChosenVolumesFilesAndLoadsAsStandard) {
    FillNtfsLists();
    PartitionParameters.cluster0Sector = 1000;
    PartitionParameters.volumeEndSector = 5000;
    ScanMode = kAdvanceScan;
    for (uint32_t sector : {500u, 1000u, 1500u, 5000u, 6000u})
        AddAdvanceNtfsFile((u"file" + Decimal(sector)).c_str(), sector, 64, 7, 8, sector * 2, 0);
    const std::string folder = TemporaryFolder();
    ASSERT_EQ(1, Save(folder + "/advance", false));
    const std::vector<uint8_t> bytes = ReadFile(folder + "/ADVANCE.wrx");
    EXPECT_EQ('A', bytes[0]);
    EXPECT_EQ(2u, FilesFound);

    ResetEverything();
    int loaded = 0;
    Load(folder + "/ADVANCE.wrx", &loaded);
    ASSERT_EQ(1, loaded);
    EXPECT_EQ(kStandardScan, ScanMode);
    std::vector<std::string> files;
    for (NtfsFileEntry* f = NtfsFileList.head; f; f = f->next)
        files.push_back(Narrow(f->name) + "|" + std::to_string(f->dataRecordSector) + "|" +
                        std::to_string(f->recordNumber) + "|" + std::to_string(f->size));
    EXPECT_EQ((std::vector<std::string>{"file1500|1500|0|3000", "file5000|5000|0|10000"}), files);
    ResetEverything();
}

TEST(RawRoundTrip, RawSnapshotLoadsBackIdentically) {
    RawOutcome scan = RawScanImage(ImagePath("raw_fat16"), "all", 1);
    ASSERT_TRUE(scan.ran);
    const std::vector<std::string> carved = CarvedLines();
    const uint32_t signatures = SignatureCount;
    ASSERT_GT(signatures, 40u);
    const std::string folder = TemporaryFolder();
    ASSERT_EQ(1, Save(folder + "/carved.wrx", true));
    const std::vector<uint8_t> first = ReadFile(folder + "/CARVED.WRX");
    EXPECT_EQ('R', first[0]);

    ResetEverything();
    int loaded = 0;
    std::unique_ptr<RecordingUi> ui = Load(folder + "/CARVED.WRX", &loaded);
    ASSERT_EQ(1, loaded);
    EXPECT_EQ(kRawScan, ScanMode);
    EXPECT_EQ(carved, CarvedLines());
    EXPECT_EQ(signatures, SignatureCount);
    EXPECT_FALSE(ui->rows.empty());
    ASSERT_EQ(1, Save(folder + "/again.wrx", true));
    EXPECT_EQ(first, ReadFile(folder + "/AGAIN.WRX"));
    ResetEverything();
}

// A small snapshot of each body kind for the damage table.
std::vector<uint8_t> SmallFatSnapshot() {
    ResetEverything();
    PartitionParameters.chosenType = PartitionParameters.scannedType = kFat32;
    PartitionParameters.sectorsPerCluster = 1;
    AddFatFolder(u"Lost Dir", 9, 0, 1, 2, 0, 0);
    AddFatFile(u"A.TXT", 10, 9, 1, 2, 100, 1);
    ++FilesFound;
    const std::string folder = TemporaryFolder();
    EXPECT_EQ(1, Save(folder + "/small", false));
    ResetEverything();
    return ReadFile(folder + "/SMALL.wrx");
}

std::vector<uint8_t> SmallRawSnapshot() {
    ResetEverything();
    AddSignatureEntry(u".jpg", u"JPEG Image", 3, "FFD8FF", 0);
    ++SignatureCount;
    AddCarvedFile(u"1.jpg", u".jpg", u"JPEG Image", 1, 77);
    ++FilesFound;
    const std::string folder = TemporaryFolder();
    EXPECT_EQ(1, Save(folder + "/small", true));
    ResetEverything();
    return ReadFile(folder + "/SMALL.wrx");
}

struct Refusal {
    int loaded;
    std::u16string message;
};

Refusal LoadBytes(const std::vector<uint8_t>& bytes) {
    const std::string path = TemporaryFolder() + "/damaged.wrx";
    WriteFile(path, bytes);
    // Stale results must not survive a refused load.
    AddCarvedFile(u"9.jpg", u".jpg", u"JPEG Image", 9, 9);
    AddFatFolder(u"OLD", 3, 0, 0, 0, 0, 0);
    int loaded = 0;
    std::unique_ptr<RecordingUi> ui = Load(path, &loaded);
    Refusal r{loaded, ui->messages.empty() ? u"" : ui->messages.back().text};
    return r;
}

std::vector<uint8_t> With(std::vector<uint8_t> bytes, size_t offset, std::vector<uint8_t> patch) {
    for (size_t i = 0; i < patch.size(); ++i) bytes.at(offset + i) = patch[i];
    return bytes;
}

TEST(DamagedSnapshots, EveryTruncationIsRefusedWithEmptyLists) {
    for (const std::vector<uint8_t>& whole : {SmallFatSnapshot(), SmallRawSnapshot()}) {
        ASSERT_EQ(1, LoadBytes(whole).loaded);
        ResetEverything();
        for (size_t size = 0; size < whole.size(); ++size) {
            Refusal r = LoadBytes(std::vector<uint8_t>(whole.begin(), whole.begin() + size));
            EXPECT_EQ(0, r.loaded) << "cut at " << size;
            EXPECT_EQ(u"Invalid File.", r.message) << "cut at " << size;
            // Under two bytes there is no mode letter: nothing is loaded or freed.
            EXPECT_EQ(size >= 2, ListsAreEmpty()) << "cut at " << size;
            ResetEverything();
        }
    }
}

TEST(DamagedSnapshots, BadFieldsAreRefusedWithTheirMessage) {
    const std::vector<uint8_t> fat = SmallFatSnapshot(), raw = SmallRawSnapshot();
    // FAT body: folder count at 80, the folder's length at 84 and name at 86
    // ("Lost Dir" and its zero end at 104).
    const size_t folderEnd = 86 + 18 + 15;  // the file count follows the folder
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char16_t* message;
    } cases[] = {
        {"mode letter X", With(fat, 0, {'X', 0}), u"Invalid File."},
        {"mode letter not UTF-16", With(fat, 0, {'D', 'D'}), u"Invalid File."},
        {"tag", With(fat, 2, {'w'}), u"Invalid version of the file found : "},
        {"version", With(fat, 9, {'2'}), u"version of file does not match with current version 1.0"},
        {"huge folder count", With(fat, 80, {0xFF, 0xFF, 0xFF, 0xFF}), u"Invalid File."},
        {"huge file count", With(fat, folderEnd, {0xFF, 0xFF, 0xFF, 0x7F}), u"Invalid File."},
        {"huge name length", With(fat, 84, {0xFF, 0xFF}), u"Invalid File."},
        {"length shorter than the fixed fields", With(fat, 84, {10, 0}), u"Invalid File."},
        {"odd name length", With(fat, 84, {18, 0}), u"Invalid File."},
        {"missing terminator", With(fat, 86 + 16, {'x', 0}), u"Invalid File."},
        {"no file system", With(fat, 28, {0, 0}), u"Invalid File."},
        {"byte after the trailer", [&] { auto b = fat; b.push_back(0); return b; }(), u"Invalid File."},
        {"drive slot 10", With(fat, fat.size() - 4, {10, 0}), u"Invalid File."},
        {"drive kind 9", With(fat, fat.size() - 2, {9, 0}), u"Invalid File."},
        {"huge signature count", With(raw, 80, {0xFF, 0xFF, 0xFF, 0xFF}), u"Invalid File."},
        // ".jpg" and "JPEG Image" with their length fields, then "FFD8FF" and eight zeros.
        {"signature text without zero", With(raw, 84 + 12 + 24 + 2 + 6, std::vector<uint8_t>(8, 'F')),
         u"Invalid File."},
        {"raw mode on a file-system body", With(fat, 0, {'R', 0}), u"Invalid File."},
    };
    for (const Case& c : cases) {
        Refusal r = LoadBytes(c.bytes);
        EXPECT_EQ(0, r.loaded) << c.name;
        EXPECT_EQ(std::u16string(c.message), r.message) << c.name;
        // A file that is no snapshot at all is refused before anything is
        // freed: the results on screen stay; any other refusal empties them.
        bool notSnapshot = c.bytes[0] == 'X' || c.bytes[1] != 0;
        EXPECT_EQ(!notSnapshot, ListsAreEmpty()) << c.name;
        ResetEverything();
    }
}

TEST(SnapshotFiles, ReadOnlySnapshotsLoad) {
    const std::vector<uint8_t> bytes = SmallRawSnapshot();
    const std::string path = TemporaryFolder() + "/READONLY.wrx";
    WriteFile(path, bytes);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    int loaded = 0;
    Load(path, &loaded);
    EXPECT_EQ(1, loaded);
    fs::permissions(path, fs::perms::owner_all);
    ResetEverything();
}

TEST(SnapshotFiles, NamesExistingFilesAndMissingFiles) {
    EXPECT_EQ(u"/tmp/x/SCAN.wrx", SnapshotSavePath(u"/tmp/x/scan"));
    EXPECT_EQ(u"/tmp/x/SCAN.WRX", SnapshotSavePath(u"/tmp/x/scan.wrx"));
    EXPECT_EQ(u"C:\\Data\\MY SCAN.WRX", SnapshotSavePath(u"C:\\Data\\My Scan.Wrx"));

    const std::string folder = TemporaryFolder();
    WriteFile(folder + "/KEEP.wrx", {'k'});
    ResetEverything();
    RecordingUi ui;
    ui.questionAnswer = 2;
    SetEngineUi(&ui);
    EXPECT_EQ(0, SaveSnapshot(Utf8ToUtf16(folder + "/keep")));
    EXPECT_EQ((std::vector<uint8_t>{'k'}), ReadFile(folder + "/KEEP.wrx"));
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(Utf8ToUtf16(folder) + u"/KEEP.wrx already exists.\r\nDo you want to replace it?",
              ui.messages[0].text);

    EXPECT_EQ(0, SaveSnapshot(Utf8ToUtf16(folder + "/no such folder/scan")));
    EXPECT_EQ(u"Unable to open the file", ui.messages.back().text);
    EXPECT_EQ(2, ui.messages.back().kind);

    EXPECT_EQ(0, OpenSnapshot(Utf8ToUtf16(folder + "/absent")));
    EXPECT_EQ(Utf8ToUtf16(folder) + u"/ABSENT.wrx does not exists.", ui.messages.back().text);
    EXPECT_EQ(3, ui.messages.back().kind);
    SetEngineUi(nullptr);
}

}  // namespace
