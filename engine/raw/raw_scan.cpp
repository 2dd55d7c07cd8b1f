#include "raw/raw_scan.h"

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

constexpr uint32_t kBlockSectors = 64;

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
    const uint64_t rangeSectors = p.sectorCount ? p.sectorCount : 1;
    // Past the device's end there is nothing to read; a device that does
    // not tell its size is read up to the range's last block.
    const uint64_t deviceSectors = SelectedDeviceSectors();
    const SignatureMatcher matcher;
    std::vector<uint8_t> block(size_t(kBlockSectors) * kSectorSize);
    EngineUi& ui = Ui();

    uint64_t next = p.startSector;
    uint64_t examined = 0;
    uint32_t hits = 0;
    int shownPercent = -1;
    bool lastBlock = false;
    while (!lastBlock && !ScanStopRequested()) {
        if (deviceSectors && next >= deviceSectors) break;
        if (next > 0xFFFFFFFFu) break;
        uint32_t count = kBlockSectors;
        if (deviceSectors && deviceSectors - next < count) count = uint32_t(deviceSectors - next);
        // An unreadable sector comes back zero-filled; the scan goes on past
        // it rather than ending as if the range were done.
        ReadSectors(SelectedDriveIndex, uint32_t(next), uint32_t(next >> 32), count, block.data());
        RawUnreadableSectors += LastReadFailedSectors;
        if (ShowScanProgress) {
            ui.SetPaneValue(PaneValue::CurrentSector, Decimal(next));
            ui.SetPaneValue(PaneValue::FoldersFound, u"0");
            ui.SetStatusText(u"Reading Sector " + Decimal(next) + u" Of " + Decimal(end));
        }
        uint32_t done = 0;
        for (; done < count && ScanStopFlag != 1; ++done) {
            uint64_t sector = next + done;
            if (sector > end) lastBlock = true;
            if (sector > 0xFFFFFFFFu) {
                lastBlock = true;
                break;
            }
            const int percent = RunningPercent(examined, rangeSectors);
            if (percent != shownPercent) {
                shownPercent = percent;
                ui.SetProgress(shownPercent);
            }
            const uint8_t* bytes = block.data() + size_t(done) * kSectorSize;
            if (const SignatureEntry* entry = matcher.Match(bytes, kSectorSize))
                RecordHit(*entry, sector, ++hits);
            ++examined;
        }
        next += done;
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
