// The Standard Scan's NTFS pass: every record of the MFT, in the order of its
// extents, read in large blocks.
#include <cstring>
#include <unordered_set>
#include <vector>

#include "engine_ui.h"
#include "found_lists.h"
#include "volumes/boot_params.h"
#include "folder_listing.h"
#include "lost_folders.h"
#include "ntfs/mft_runs.h"
#include "ntfs/ntfs_record.h"
#include "scan_control.h"
#include "device/sector_access.h"
#include "standard_scan.h"
#include "text.h"

namespace {

constexpr uint32_t kRecordsPerRead = 64;

// Nothing to count shows 0.
int Percent(uint64_t done, uint64_t total) { return total ? RunningPercent(done, total) : 0; }

// The record at `sector` of an attribute-list entry; the one in hand for k 0.
const uint8_t* RecordOfEntry(int k, const uint8_t* inHand, uint32_t inHandSector,
                             uint8_t* buffer, uint32_t& sector) {
    if (k == 0) {
        sector = inHandSector;
        return inHand;
    }
    MftRecordToSector(AttributeListRecords[k], sector);
    if (!sector || !ReadMftRecord(sector, buffer)) return nullptr;
    return buffer;
}

// The name by namespace preference over the records of the attribute list.
bool FindName(const uint8_t* record, uint32_t sector, FileNameValue& name) {
    uint8_t other[kMftRecordSize];
    for (int k = 0; k < AttributeListCount; ++k) {
        uint32_t at = 0;
        const uint8_t* bytes = RecordOfEntry(k, record, sector, other, at);
        if (!bytes) continue;
        if (FindPreferredFileName(bytes, name)) return true;
    }
    return false;
}

// The data size and the sector of the record that holds the unnamed $DATA
// (the last one tried when none does).
uint64_t FindSize(const uint8_t* record, uint32_t sector, uint32_t& dataSector) {
    uint8_t other[kMftRecordSize];
    dataSector = sector;
    for (int k = 0; k < AttributeListCount; ++k) {
        uint32_t at = 0;
        const uint8_t* bytes = RecordOfEntry(k, record, sector, other, at);
        if (k) dataSector = at;
        if (!bytes) continue;
        uint64_t size = 0;
        if (FindDataSize(at, size, const_cast<uint8_t*>(bytes), 0)) return size;
    }
    return 0;
}

void ExamineRecord(uint8_t* record, uint32_t sector, uint32_t recordNumber) {
    EngineUi& ui = Ui();
    if (!IsFileRecord(record)) return;
    ApplyFixups(record, kMftRecordSize);
    AttributeListRecords[0] = recordNumber;
    AttributeListCount = 1;
    CollectAttributeList(record);

    FileNameValue name;
    bool named = FindName(record, sector, name);
    uint16_t flags = ByteView(record, kMftRecordSize).u16(22);
    if (flags == 2 || flags == 3) {
        if (!named || name.name == u".") return;
        AddNtfsFolder(name.name.c_str(), recordNumber, name.parentRecord, name.creationTime,
                      name.secondTime, 0, flags == 2 ? 1 : 0);
        if (FoldersFound % 20 == 0 && ShowScanProgress)
            ui.SetPaneValue(PaneValue::FoldersFound, Decimal(FoldersFound));
        return;
    }
    if (!named) return;
    uint32_t dataSector = sector;
    uint64_t size = FindSize(record, sector, dataSector);
    AddNtfsFile(dataSector, name.name.c_str(), recordNumber, name.parentRecord, name.creationTime,
                name.secondTime, flags == 0 ? 1 : 0, size);
    ++FilesFound;
    if (FilesFound % 50 == 0 && ShowScanProgress) {
        ui.SetPaneValue(PaneValue::FilesFound, Decimal(FilesFound));
        ui.SetPaneValue(PaneValue::LastItem, name.name);
    }
}

// Adds a "Dir" folder under "Lost Dir" for a parent record no folder has.
void AddMissingParent(uint32_t parentRecord, std::unordered_set<uint32_t>& known, uint32_t& n) {
    if (parentRecord == kNtfsRootRecord || known.count(parentRecord)) return;
    AddNtfsFolder((u"Dir" + Decimal(n)).c_str(), parentRecord, kLostDirRecord, 0, 0, 0, 0);
    known.insert(parentRecord);
    ++n;
}

}  // namespace

void GroupLostFolders() {
    EngineUi& ui = Ui();
    ScanStopFlag = 0;
    ui.SetStatusText(u"Searching for Lost Data ( Step 1/2 )...");
    ui.SetProgress(0);
    NtfsFolderEntry* firstFolder = NtfsFolderList.head;
    AddNtfsFolder(u"Lost Dir", kLostDirRecord, kNtfsRootRecord, 0, 0, 0, 0);
    if (!firstFolder) firstFolder = NtfsFolderList.head;

    std::unordered_set<uint32_t> known{kNtfsRootRecord};
    for (NtfsFolderEntry* f = NtfsFolderList.head; f; f = f->next) known.insert(f->recordNumber);

    uint32_t n = 0;
    uint64_t examined = 0;
    for (NtfsFolderEntry* f = firstFolder; f && !ScanStopRequested(); f = f->next) {
        if (f->parentRecord == kNtfsRootRecord) continue;
        AddMissingParent(f->parentRecord, known, n);
        ui.SetProgress(Percent(++examined, FoldersFound));
    }

    ui.SetStatusText(u"Searching for Lost Data ( Step 2/2 )...");
    examined = 0;
    for (NtfsFileEntry* f = NtfsFileList.head; f && !ScanStopRequested(); f = f->next) {
        ++examined;
        if (f->parentRecord == kNtfsRootRecord) continue;
        AddMissingParent(f->parentRecord, known, n);
        ui.SetProgress(Percent(examined, FilesFound));
    }
    BreakParentCircles(
        NtfsFolderList.head, kNtfsRootRecord, kLostDirRecord,
        [](NtfsFolderEntry* f) { return f->recordNumber; },
        [](NtfsFolderEntry* f) -> uint32_t& { return f->parentRecord; });
    ScanStopFlag = 0;
}

void ScanMftRecords() {
    EngineUi& ui = Ui();
    const PartitionParametersRecord& p = PartitionParameters;
    FreeStandardScanLists();
    ReadDataRuns(p.cluster0Sector, SelectedDriveIndex, p.mftStart, p.sectorsPerCluster,
                 p.mftMirrStart);
    uint64_t total = 0;
    for (uint16_t i = 0; i < MftRunCount; ++i) total += MftRunLengths[i];
    FoldersFound = FilesFound = 0;

    std::vector<uint8_t> block(size_t(kRecordsPerRead) * kMftRecordSize);
    uint64_t sectorsRead = 0;
    uint32_t recordNumber = 0;
    int shownPercent = -1;
    bool stopped = false;
    // A run that claims records past the device's end would have the scan
    // read nothing for hours: like sparse records, those are not read but
    // keep their numbers. A record cut by the end is read for what it holds.
    const uint64_t deviceSectors = SelectedDeviceSectors();
    for (uint16_t extent = 0; extent < MftRunCount && !stopped; ++extent) {
        const uint32_t start = MftRunStarts[extent];
        const uint32_t records = MftRunLengths[extent] / kMftRecordSectors;
        if (start == 0) {  // sparse: no records to read, but they keep their numbers
            recordNumber += records;
            sectorsRead += MftRunLengths[extent];
            continue;
        }
        uint32_t readable = records;
        if (deviceSectors) {
            uint64_t room = start < deviceSectors ? (deviceSectors - start + 1) / kMftRecordSectors : 0;
            if (room < readable) readable = uint32_t(room);
        }
        for (uint32_t first = 0; first < readable && !stopped; first += kRecordsPerRead) {
            uint32_t count = readable - first < kRecordsPerRead ? readable - first : kRecordsPerRead;
            uint64_t firstSector = uint64_t(start) + uint64_t(first) * kMftRecordSectors;
            if (firstSector + uint64_t(count) * kMftRecordSectors > 0x100000000ull) {
                stopped = true;
                break;
            }
            ReadSectors(SelectedDriveIndex, uint32_t(firstSector), 0, count * kMftRecordSectors,
                        block.data());
            for (uint32_t i = 0; i < count; ++i, ++recordNumber) {
                if (ScanStopRequested()) {
                    stopped = true;
                    break;
                }
                uint32_t sector = uint32_t(firstSector) + i * kMftRecordSectors;
                if (ShowScanProgress) ui.SetPaneValue(PaneValue::CurrentSector, Decimal(sector));
                ExamineRecord(block.data() + size_t(i) * kMftRecordSize, sector, recordNumber);
                sectorsRead += kMftRecordSectors;
                int percent = Percent(sectorsRead, total);
                if (percent != shownPercent) ui.SetProgress(shownPercent = percent);
                if (recordNumber % 20 == 0 && ShowScanProgress)
                    ui.SetStatusText(u"Reading Sector " + Decimal(sectorsRead) + u" Of " +
                                     Decimal(total));
            }
        }
        if (!stopped) {
            recordNumber += records - readable;
            sectorsRead += uint64_t(records - readable) * kMftRecordSectors;
        }
    }

    GroupLostFolders();

    TreeItem root = ui.InsertFolderItem(u"Root", 0);
    ui.SetStatusText(u"Please wait creating tree...");
    TreeProgressCount = 0;
    ScanStopFlag = 0;
    ui.SetControl(ScanControl::Stop, false, false);
    ui.AddNtfsFolders(root, kNtfsRootRecord);
    ui.ExpandItem(root);
    ui.SetReportView();
    ListNtfsFolder(kNtfsRootRecord);

    ScanStopFlag = 1;
    ScanRunning = 0;
}
