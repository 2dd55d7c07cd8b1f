#include "advance/advance_scan.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "app_message.h"
#include "advance/advance_fat.h"
#include "advance/advance_lists.h"
#include "advance/advance_ntfs.h"
#include "byte_view.h"
#include "engine_ui.h"
#include "found_lists.h"
#include "settings.h"
#include "volumes/boot_params.h"
#include "scan_control.h"
#include "device/sector_access.h"
#include "text.h"

namespace {

constexpr uint32_t kMaxSectorsPerRead = 100;
constexpr uint32_t kProgressEveryReads = 88;

// Rows of the scan page's information pane, top to bottom.
PaneValue PaneRow(int row) {
    static const PaneValue rows[5] = {PaneValue::FoldersFound, PaneValue::FilesFound,
                                      PaneValue::CurrentSector, PaneValue::LastItem,
                                      PaneValue::Fifth};
    return rows[row - 1];
}

void ShowRow(int row, uint64_t value) {
    if (ShowScanProgress) Ui().SetPaneValue(PaneRow(row), Decimal(value));
}

bool EndsWithBootSignature(ByteView sector) {
    return sector.u8(510) == 0x55 && sector.u8(511) == 0xAA;
}

enum class SectorVerdict { Continue, EndSweep };

// Examines one sector of a FAT sweep.
SectorVerdict ExamineFatSector(ByteView sector, uint32_t number) {
    if (EndsWithBootSignature(sector)) {
        if (sector.Matches(85, "32") || sector.Matches(57, "16")) {
            ++BootCandidateCount;
            AddBootSectorCandidate(number);
            if (BootCandidateCount > kMaxFatBootCandidates) {
                ShowAppMessage(2, u"Too many data structures found");
                ScanStopFlag = 1;
                return SectorVerdict::EndSweep;
            }
        }
        ShowRow(1, BootCandidateCount);
        return SectorVerdict::Continue;
    }
    if (sector.u8(0) == '.' && sector.u8(1) == ' ' && sector.u8(32) == '.' &&
        sector.u8(33) == '.' && sector.u8(34) == ' ') {
        uint32_t own = uint32_t(sector.u16(20)) << 16 | sector.u16(26);
        uint32_t parent = uint32_t(sector.u16(52)) << 16 | sector.u16(58);
        // Cluster 2 is the first data cluster of FAT16, where the first
        // folder made on a new volume lands; a root holds no "." entry.
        if (own >= 2 && own != 0xFFFFFFFF && parent != 0xFFFFFFFF && own < number) {
            AddDirClusterCandidate(number, own, parent, sector.u16(24), sector.u16(18));
            ++AdvanceFoundCounts[0];
        }
        ShowRow(2, AdvanceFoundCounts[0]);
    }
    return SectorVerdict::Continue;
}

SectorVerdict ExamineNtfsSector(ByteView sector, uint32_t number) {
    if (EndsWithBootSignature(sector)) {
        if (sector.Matches(3, "NTFS")) {
            ++BootCandidateCount;
            AddBootSectorCandidate(number);
            ShowRow(1, BootCandidateCount);
        }
        return SectorVerdict::Continue;
    }
    if (sector.Matches(0, "FILE") && sector.u16(28) == 1024) {
        ProcessMftRecord(number);
        ShowRow(4, AdvanceFoundCounts[0]);
        ShowRow(3, AdvanceFoundCounts[1]);
    } else if (sector.Matches(0, "INDX")) {
        AddIndexRecord(number);
        ShowRow(2, IndexRecordCount);
    }
    return SectorVerdict::Continue;
}

// Reads the chosen range once, in reads of SectorsPerRead sectors, and hands
// every sector to examine with its absolute number. The last read is cut to
// the range and to the device's end, and the buffer is cleared before each
// read, so no sector is ever examined under another sector's number.
template <typename Examine>
void Sweep(bool ntfs, Examine examine) {
    EngineUi& ui = Ui();
    ui.SetProgress(0);
    const uint32_t perRead = uint32_t(std::clamp(SectorsPerRead, 1, int(kMaxSectorsPerRead)));
    std::vector<uint8_t> buffer;
    try {
        buffer.assign(size_t(kMaxSectorsPerRead) * kSectorSize + 1, 0);
    } catch (const std::bad_alloc&) {
        OutOfMemory();
    }

    ScanStopFlag = 0;
    const uint64_t start = PartitionParameters.startSector;
    const uint64_t count = PartitionParameters.sectorCount;
    uint64_t deviceEnd = SelectedDeviceSectors();
    uint64_t rangeEnd = start + count;
    if (deviceEnd && deviceEnd < rangeEnd) rangeEnd = deviceEnd;
    if (rangeEnd > 0x100000000ull) rangeEnd = 0x100000000ull;  // sector numbers are 32-bit
    uint32_t reads = 0;

    for (uint64_t done = 0; done < count && !ScanStopRequested(); done += perRead) {
        const uint64_t first = start + done;
        if (first >= rangeEnd) break;
        if (ntfs) ShowRow(5, first);
        if (++reads % kProgressEveryReads == 0) {
            ui.SetProgress(RunningPercent(done, count));
            if (ShowScanProgress)
                ui.SetStatusText(u"Reading Sector " + Decimal(done) + u" Of " + Decimal(count));
        }
        uint32_t take = uint32_t(rangeEnd - first < perRead ? rangeEnd - first : perRead);
        std::memset(buffer.data(), 0, size_t(take) * kSectorSize);
        ReadSectors(SelectedDriveIndex, uint32_t(first), 0, take, buffer.data());
        for (uint32_t i = 0; i < take; ++i) {
            ByteView sector(buffer.data() + size_t(i) * kSectorSize, kSectorSize);
            if (examine(sector, uint32_t(first + i)) == SectorVerdict::EndSweep) return;
        }
        if (!ntfs) ShowRow(3, done);
    }
}

}  // namespace

void SweepFatStructures() {
    Sweep(false, ExamineFatSector);
    ScanStopFlag = 1;
    ScanRunning = 0;
}

void SweepNtfsStructures() { Sweep(true, ExamineNtfsSector); }

void FinishAdvanceScan() {
    switch (PartitionParameters.chosenType) {
        case kFat16:
        case kFat32:
            RebuildFatVolumes();
            break;
        case kNtfs:
            AnalyseNtfsVolumes();
            break;
        default:
            // Nothing was swept: let the page move on and say so.
            AdvancePassDone[0] = AdvancePassDone[1] = 1;
            ScanStopFlag = 1;
            ScanRunning = 0;
            break;
    }
}

void SweepChosenFileSystem() {
    switch (PartitionParameters.chosenType) {
        case kFat16:
        case kFat32:
            SweepFatStructures();
            break;
        case kNtfs:
            SweepNtfsStructures();
            break;
        default:
            break;
    }
}

int AdvanceScanThread() {
    SweepChosenFileSystem();
    FinishAdvanceScan();
    return 0;
}

void StartAdvanceScan() {
    JoinScanWorker();
    FreeAdvanceScanLists();
    StartScanWorker([] { AdvanceScanThread(); });
}
