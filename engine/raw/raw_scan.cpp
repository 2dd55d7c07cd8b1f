#include "raw/raw_scan.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine_ui.h"
#include "found_lists.h"
#include "volumes/boot_params.h"
#include "raw/office_type.h"
#include "raw/raw_lists.h"
#include "raw/raw_results.h"
#include "scan_control.h"
#include "device/sector_access.h"
#include "raw/signature_match.h"
#include "standard_scan.h"
#include "text.h"

uint32_t RawUnreadableSectors = 0;

namespace {

// Sectors read at once: large requests, small enough to stay in the
// processor's cache while they are matched.
constexpr uint32_t kReadSectors = 512;
// The range is examined in steps of this many sectors from its start, the
// last step being the one that holds the sector after the range's end.
constexpr uint64_t kStepSectors = 64;

// One past the last sector the steps cover.
uint64_t StepsEnd(uint64_t start, uint64_t end) {
    const uint64_t pastEnd = end + 1 > start ? end + 1 - start : 0;
    return start + (pastEnd / kStepSectors + 1) * kStepSectors;
}

// Shows the running percent whenever it changes, working out once per
// change where the next one falls rather than dividing at every sector.
class PercentShown {
public:
    PercentShown(EngineUi& ui, uint64_t total) : ui_(ui), total_(total ? total : 1) {}

    void At(uint64_t done) {
        if (done < nextChange_) return;
        const int percent = RunningPercent(done, total_);
        ui_.SetProgress(percent);
        // The first count whose percent passes this one.
        nextChange_ = percent >= 99 ? UINT64_MAX : (uint64_t(percent + 1) * total_ + 99) / 100;
    }

private:
    EngineUi& ui_;
    const uint64_t total_;
    uint64_t nextChange_ = 0;
};

bool SameIgnoringCase(const char16_t* a, const std::u16string& b) {
    return UpperCase(a) == UpperCase(b);
}

bool HasSignatureFor(const std::u16string& extension) {
    for (SignatureEntry* e = SignatureList.head; e; e = e->next)
        if (SameIgnoringCase(e->extension, extension)) return true;
    return false;
}

void RecordHit(const SignatureEntry& entry, uint64_t sector, uint32_t hits) {
    std::u16string extension = entry.extension;
    if (SameIgnoringCase(entry.extension, u".doc")) {
        std::u16string detected = DetectOfficeType(sector);
        if (HasSignatureFor(detected)) extension = detected;
    }
    std::u16string name = Decimal(hits) + extension;
    AddCarvedFile(name.c_str(), extension.c_str(), entry.fileType, hits, uint32_t(sector));
    ++FilesFound;
    if (hits > 1) FoldersFound = FilesFound;
    if (ShowScanProgress) {
        Ui().SetPaneValue(PaneValue::FilesFound, Decimal(hits));
        Ui().SetPaneValue(PaneValue::LastItem, name);
    }
}

void ShowRawResults() {
    ShowRawTree(BeginResultsTree());
    ScanStopFlag = 1;
    ScanRunning = 0;
}

}  // namespace

void CarveSignatures() {
    FreeCarvedFileList();
    RawUnreadableSectors = 0;
    const PartitionParametersRecord& p = PartitionParameters;
    const uint64_t end = p.endSector;
    // Past the device's end there is nothing to read; a device that does
    // not tell its size is read up to the range's last step. Sector numbers
    // are 32-bit: no step begins past the last one, and the sectors of the
    // step that holds it are read and counted but not carved past it.
    const uint64_t lastSector = 0xFFFFFFFFu;
    uint64_t readEnd = std::min(StepsEnd(p.startSector, end), StepsEnd(p.startSector, lastSector - 1));
    const uint64_t deviceSectors = SelectedDeviceSectors();
    if (deviceSectors && deviceSectors < readEnd) readEnd = deviceSectors;
    const uint64_t examineEnd = std::min(readEnd, lastSector + 1);
    const SignatureMatcher matcher;
    std::vector<uint8_t> block(size_t(kReadSectors) * kSectorSize);
    EngineUi& ui = Ui();
    PercentShown progress(ui, p.sectorCount);

    uint64_t next = p.startSector;
    uint64_t examined = 0;
    uint32_t hits = 0;
    while (next < readEnd && !ScanStopRequested()) {
        const uint32_t count = uint32_t(std::min<uint64_t>(kReadSectors, readEnd - next));
        // An unreadable sector comes back zero-filled; the scan goes on past
        // it rather than ending as if the range were done.
        ReadSectorsOnce(uint32_t(next), uint32_t(next >> 32), count, block.data());
        RawUnreadableSectors += LastReadFailedSectors;
        if (ShowScanProgress) {
            ui.SetPaneValue(PaneValue::CurrentSector, Decimal(next));
            ui.SetPaneValue(PaneValue::FoldersFound, u"0");
            ui.SetStatusText(u"Reading Sector " + Decimal(next) + u" Of " + Decimal(end));
        }
        const uint32_t examine =
            next < examineEnd ? uint32_t(std::min<uint64_t>(count, examineEnd - next)) : 0;
        for (uint32_t done = 0; done < examine && ScanStopFlag != 1; ++done) {
            progress.At(examined);
            const uint8_t* bytes = block.data() + size_t(done) * kSectorSize;
            if (const SignatureEntry* entry = matcher.Match(bytes, kSectorSize))
                RecordHit(*entry, next + done, ++hits);
            ++examined;
        }
        next += count;
    }
    ShowRawResults();
}

int RawScanThread() {
    if (!EstablishScanParameters()) return 0;
    Ui().SetStatusText(u"Please wait, Searching for Data...");
    CarveSignatures();
    ScanRunning = 0;
    ScanStopFlag = 1;
    return 1;
}

void StartRawScan() {
    StartScanWorker([] { RawScanThread(); });
}
