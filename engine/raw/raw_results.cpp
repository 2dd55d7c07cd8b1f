#include "raw/raw_results.h"

#include <algorithm>
#include <vector>

#include "advance/advance_lists.h"
#include "engine_ui.h"
#include "found_lists.h"
#include "scan_control.h"
#include "volumes/boot_params.h"
#include "file_recovery.h"
#include "folder_listing.h"
#include "platform_files.h"
#include "recovered_file.h"
#include "device/sector_access.h"
#include "text.h"

SelectionTotalsRecord SelectionTotals;

namespace {

std::u16string TrimBlanks(const std::u16string& text) {
    size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string::npos) return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

void AddRow(const std::u16string& name, const std::u16string& type, const std::u16string& id,
            RowIcon icon) {
    const std::u16string columns[6] = {name, type, id};
    Ui().InsertRow(-1, columns, icon);
}

void AddGroupRows(bool ignoreCase) {
    std::vector<std::u16string> seen;
    for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next) {
        std::u16string key = ignoreCase ? UpperCase(f->fileType) : TrimBlanks(f->fileType);
        bool known = false;
        for (const std::u16string& s : seen) known = known || s == key;
        if (known) continue;
        seen.push_back(key);
        AddRow(ignoreCase ? std::u16string(f->fileType) : key, u"-", u"-", RowIcon::Folder);
    }
}

}  // namespace

void ShowRawTree(TreeItem root) {
    EngineUi& ui = Ui();
    ui.BuildRawTree(root);
    ui.ExpandItem(root);
    ui.SetReportView();
    CurrentFolderItem = root;
    ListRawGroups();
}

void ListRawGroups() {
    Ui().DeleteAllRows();
    AddGroupRows(true);
}

void ListRawFolder(const std::u16string& text, int kind) {
    EngineUi& ui = Ui();
    ui.DeleteAllRows();
    uint64_t total = 0;
    for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next) ++total;
    if (ListWithProgress) {
        ui.OpenListProgress();
        ui.SetListProgress(0);
    }
    if (kind == 0 && UpperCase(text) == u"ROOT") {
        AddGroupRows(false);
    } else {
        const std::u16string upperText = UpperCase(text);
        uint64_t position = 0;
        for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next) {
            bool wanted = kind == 0 ? UpperCase(f->extension) == upperText
                                    : TrimBlanks(f->fileType) == text;
            if (wanted && PassesFilters(f->name))
                AddRow(f->name, ui.ShellTypeName(f->name), Decimal(f->runningNumber),
                       RowIcon::File);
            if (ListWithProgress) ui.SetListProgress(int(++position * 100 / total));
        }
    }
    if (ListWithProgress) {
        ui.SetListProgress(100);
        ui.CloseListProgress();
    }
    ui.FocusFolderTree();
}

int DumpRawRegion(const std::u16string& folder, const std::u16string& fileName,
                  uint32_t startSector) {
    constexpr uint32_t kChunkSectors = 128;  // 64 KB
    RecoveredFilePath.clear();
    std::u16string path;
    if (!ChooseNewFilePath(folder, fileName.c_str(), path)) return 0;
    RecoveredFilePath = path;
    RecoveredFile file;
    if (!file.CreateNew(path)) return 0;
    const uint64_t deviceSectors = SelectedDeviceSectors();
    const uint64_t chunks = uint64_t(CarveSizeLimitMB > 0 ? CarveSizeLimitMB : 0) * 16;
    std::vector<uint8_t> buffer(size_t(kChunkSectors) * kSectorSize);
    bool written = true;
    for (uint64_t i = 0; i < chunks && written; ++i) {
        uint64_t sector = startSector + i * kChunkSectors;
        // Nothing lies past the device's end: the dump stops there.
        if (deviceSectors && sector >= deviceSectors) break;
        uint32_t count = kChunkSectors;
        if (deviceSectors && deviceSectors - sector < count) count = uint32_t(deviceSectors - sector);
        std::fill(buffer.begin(), buffer.end(), 0);
        ReadSectors(SelectedDriveIndex, uint32_t(sector), uint32_t(sector >> 32), count,
                    buffer.data());
        written = file.Write(buffer.data(), size_t(count) * kSectorSize);
    }
    return written ? 1 : 0;
}

int RecoverCarvedFile(const std::u16string& folder, const CarvedFileRecord& file) {
    if (DumpRawRegion(folder, file.name, file.startSector)) return 1;
    AskToContinueRecovery(RecoveredFilePath.empty() ? JoinPath(folder, SafeFileName(file.name))
                                                    : RecoveredFilePath);
    return 0;
}

void ShowSelectedSize() {
    EngineUi& ui = Ui();
    SelectionTotals = {};
    const std::vector<uint32_t> rootFiles = ui.SelectedRootFiles();
    if (ScanMode == kRawScan) {
        // Every carved file is written at the chosen size.
        for (uint32_t number : rootFiles)
            for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next)
                if (f->runningNumber == number) {
                    ++SelectionTotals.files;
                    SelectionTotals.bytes += uint64_t(CarveSizeLimitMB) << 20;
                    break;
                }
    } else {
        for (TreeItem folder : ui.SelectedFolderItems()) ui.AddSubtreeTotals(folder);
        const uint16_t type = PartitionParameters.scannedType;
        for (uint32_t number : rootFiles) {
            if (type == kFat16 || type == kFat32) {
                for (FatFileEntry* f = FatFileList.head; f; f = f->next)
                    if (f->fileNumber == number) {
                        ++SelectionTotals.files;
                        SelectionTotals.bytes += f->size;
                        break;
                    }
            } else if (type == kNtfs && ScanMode == kAdvanceScan) {
                for (AdvanceNtfsFileEntry* f = AdvanceNtfsFileList.head; f; f = f->next)
                    if (f->sector == number) {
                        ++SelectionTotals.files;
                        SelectionTotals.bytes += f->size;
                        break;
                    }
            } else if (type == kNtfs) {
                for (NtfsFileEntry* f = NtfsFileList.head; f; f = f->next)
                    if (f->dataRecordSector == number) {
                        ++SelectionTotals.files;
                        SelectionTotals.bytes += f->size;
                        break;
                    }
            }
        }
    }
    SelectionTotals.bytes = SelectionTotals.bytes / 1024 / 1024;
    ui.ShowSelectedSizeText(u"Selected Size : " + Decimal(SelectionTotals.bytes) + u" MB");
}

void DeletePreviewTempFiles() {
    DeletePreviewFiles(Ui().PreviewTempFiles());
}
