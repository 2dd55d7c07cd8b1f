#include "recovery_run.h"

#include <deque>
#include <map>

#include "advance/advance_lists.h"
#include "engine_ui.h"
#include "found_lists.h"
#include "scan_control.h"
#include "volumes/boot_params.h"
#include "file_recovery.h"
#include "recovered_file.h"

namespace {

using Components = std::vector<std::u16string>;

// Names from below the root item down to the item.
Components ItemComponents(const RecordingUi& ui, TreeItem item) {
    Components names;
    size_t guard = 0;
    while (item && item <= ui.tree.size() && guard++ < ui.tree.size()) {
        const RecordingUi::TreeNode& node = ui.tree[item - 1];
        if (!node.parent) break;
        names.insert(names.begin(), node.text);
        item = node.parent;
    }
    return names;
}

std::u16string ListingPath(const Components& folder, const char16_t* name) {
    std::u16string path;
    for (const std::u16string& c : folder) path += u"/" + c;
    return path + u"/" + name;
}

bool IsChosen(const std::u16string& path, const std::vector<std::u16string>& chosen) {
    if (chosen.empty()) return true;
    for (const std::u16string& c : chosen)
        if (LiesAtOrBelow(path, c)) return true;
    return false;
}

// Creates the folder tree below the destination; empty when it cannot.
std::u16string MakeFolders(const std::u16string& destination, const Components& folder) {
    std::u16string current = destination;
    for (const std::u16string& name : folder) {
        std::u16string next = JoinPath(current, SafeFileName(name.c_str()));
        if (!LiesInsideFolder(current, next) || !CreateFolder(next)) return u"";
        current = next;
    }
    return current;
}

struct Pending {
    std::u16string path;
    Components folder;
    const FatFileEntry* fat;
    const NtfsFileEntry* ntfs;
};

}  // namespace

bool LiesAtOrBelow(const std::u16string& path, const std::u16string& chosen) {
    if (path == chosen) return true;
    std::u16string folder = chosen.empty() || chosen.back() != u'/' ? chosen + u'/' : chosen;
    return path.compare(0, folder.size(), folder) == 0;
}

std::vector<RecoveredItem> RecoverFoundFiles(const RecordingUi& ui, const std::u16string& destination,
                                             const std::vector<std::u16string>& chosen,
                                             const RecoveryProgress& progress) {
    std::vector<Pending> pending;
    std::deque<NtfsFileEntry> advanceFiles;
    if (PartitionParameters.scannedType == kNtfs) {
        std::map<uint32_t, Components> folders{{kNtfsRootRecord, {}}};
        for (NtfsFolderEntry* f = NtfsFolderList.head; f; f = f->next)
            folders[f->recordNumber] = ItemComponents(ui, f->treeItem);
        for (NtfsFileEntry* f = NtfsFileList.head; f; f = f->next) {
            const Components& folder = folders[f->parentRecord];
            pending.push_back({ListingPath(folder, f->name), folder, nullptr, f});
        }
        // A volume rebuilt by the Advance Scan keeps its files in the Advance
        // list, identified by the sector of their FILE record.
        if (ScanMode == kAdvanceScan)
            for (AdvanceNtfsFileEntry* f = AdvanceNtfsFileList.head; f; f = f->next) {
                auto folder = folders.find(f->parentRecord);
                if (!LiesInPickedVolume(f->sector) || folder == folders.end()) continue;
                advanceFiles.push_back({f->name, 0, f->parentRecord, f->creationTime, f->secondTime,
                                        f->size, f->deleted, f->sector, nullptr});
                pending.push_back({ListingPath(folder->second, f->name), folder->second, nullptr,
                                   &advanceFiles.back()});
            }
    } else {
        std::map<uint32_t, Components> folders{{0, {}}};
        for (FatFolderEntry* f = FatFolderList.head; f; f = f->next)
            folders[f->cluster] = ItemComponents(ui, f->treeItem);
        for (FatFileEntry* f = FatFileList.head; f; f = f->next) {
            const Components& folder = folders[f->parentCluster];
            pending.push_back({ListingPath(folder, f->name), folder, f, nullptr});
        }
    }

    std::vector<const Pending*> picked;
    for (const Pending& p : pending)
        if (IsChosen(p.path, chosen)) picked.push_back(&p);

    std::vector<RecoveredItem> results;
    StopAllRecovery = 0;
    RecoveredCount = 0;
    for (const Pending* entry : picked) {
        const Pending& p = *entry;
        if (progress) progress(results.size(), picked.size());
        RecoveredItem item{p.path, u"", false};
        std::u16string folder = MakeFolders(destination, p.folder);
        if (!folder.empty()) {
            item.written = p.fat ? RecoverFatEntry(folder, *p.fat, kPlainMode) == 1
                                 : RecoverNtfsEntry(folder, *p.ntfs, kPlainMode) == 1;
            if (item.written) item.target = RecoveredFilePath;
        }
        results.push_back(item);
    }
    StopAllRecovery = 0;
    return results;
}
