#include "found_items.h"

#include <map>

#include "advance/advance_lists.h"
#include "found_lists.h"
#include "scan_control.h"
#include "volumes/boot_params.h"
#include "folder_listing.h"
#include "raw/raw_lists.h"
#include "text.h"

namespace {

std::u16string FatDate(uint16_t date) {
    std::u16string text;
    FatDateToText(date, text);
    while (!text.empty() && text.back() == u' ') text.pop_back();
    return text;
}

std::u16string NtfsTime(uint64_t time) {
    std::u16string text;
    FileTimeToText(uint32_t(time), uint32_t(time >> 32), text);
    return text;
}

std::u16string Join(std::u16string folder, const char16_t* name) {
    if (folder.empty() || folder.back() != u'/') folder += u'/';
    return folder + name;
}

}  // namespace

std::vector<FoundItem> CollectFoundItems(const RecordingUi& ui) {
    std::vector<FoundItem> items;
    if (PartitionParameters.scannedType == kNtfs) {
        std::map<uint32_t, std::u16string> paths{{kNtfsRootRecord, u"/"}};
        for (NtfsFolderEntry* f = NtfsFolderList.head; f; f = f->next)
            paths[f->recordNumber] = ui.ItemPath(f->treeItem);
        for (NtfsFolderEntry* f = NtfsFolderList.head; f; f = f->next)
            items.push_back({true, paths[f->recordNumber], 0, f->deleted != 0,
                             NtfsTime(f->creationTime), NtfsTime(f->secondTime),
                             Decimal(f->treeItem)});
        for (NtfsFileEntry* f = NtfsFileList.head; f; f = f->next)
            items.push_back({false, Join(paths[f->parentRecord], f->name), f->size,
                             f->deleted != 0, NtfsTime(f->creationTime), NtfsTime(f->secondTime),
                             Decimal(f->dataRecordSector)});
        // A volume rebuilt by the Advance Scan keeps its files in the Advance
        // list; those whose parent is not a listed folder are not shown.
        if (ScanMode == kAdvanceScan)
            for (AdvanceNtfsFileEntry* f = AdvanceNtfsFileList.head; f; f = f->next) {
                auto parent = paths.find(f->parentRecord);
                if (!LiesInPickedVolume(f->sector) || parent == paths.end()) continue;
                items.push_back({false, Join(parent->second, f->name), f->size, f->deleted != 0,
                                 NtfsTime(f->creationTime), NtfsTime(f->secondTime),
                                 Decimal(f->sector)});
            }
        return items;
    }
    std::map<uint32_t, std::u16string> paths{{0, u"/"}};
    for (FatFolderEntry* f = FatFolderList.head; f; f = f->next)
        paths[f->cluster] = ui.ItemPath(f->treeItem);
    for (FatFolderEntry* f = FatFolderList.head; f; f = f->next)
        items.push_back({true, paths[f->cluster], 0, f->deleted != 0, FatDate(f->writeDate),
                         FatDate(f->accessDate), Decimal(f->treeItem)});
    for (FatFileEntry* f = FatFileList.head; f; f = f->next)
        items.push_back({false, Join(paths[f->parentCluster], f->name), f->size, f->deleted != 0,
                         FatDate(f->writeDate), FatDate(f->accessDate), Decimal(f->fileNumber)});
    return items;
}

std::u16string FoundItemLine(const FoundItem& item) {
    std::u16string line = item.folder ? u"folder\t" : u"file\t";
    line += item.path;
    if (!item.folder) line += u"\t" + Decimal(item.size);
    line += item.deleted ? u"\t1" : u"\t0";
    line += u"\t" + item.time1 + u"\t" + item.time2 + u"\t" + item.id;
    return line;
}

std::u16string CarvedItemLine(const CarvedFileRecord& file) {
    return u"carved\t" + std::u16string(file.name) + u"\t" + file.fileType + u"\t" +
           Decimal(file.startSector);
}
