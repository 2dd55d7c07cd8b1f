#include "recording_ui.h"

#include "engine_ui.h"
#include "found_lists.h"
#include "raw/raw_lists.h"

void RecordingUi::SetStatusText(const std::u16string& text) {
    std::lock_guard<std::mutex> hold(lock_);
    statusTexts.push_back(text);
}

void RecordingUi::SetProgress(int percent) {
    std::lock_guard<std::mutex> hold(lock_);
    progress.push_back(percent);
}

void RecordingUi::SetPaneValue(PaneValue which, const std::u16string& text) {
    std::lock_guard<std::mutex> hold(lock_);
    pane[which] = text;
}

void RecordingUi::SetControl(ScanControl control, bool shown, bool enabled) {
    std::lock_guard<std::mutex> hold(lock_);
    controls[control] = {shown, enabled};
}

void RecordingUi::StopScanTimer() { ++timerStops; }

void RecordingUi::ShowStopMessageBox(const std::u16string& text) {
    std::lock_guard<std::mutex> hold(lock_);
    messages.push_back({0, text});
}

void RecordingUi::ShowAppMessage(int kind, const std::u16string& text) {
    std::lock_guard<std::mutex> hold(lock_);
    messages.push_back({kind, text});
}

int RecordingUi::AskQuestion(int kind, const std::u16string& text) {
    {
        std::lock_guard<std::mutex> hold(lock_);
        messages.push_back({kind, text});
        ++questions;
    }
    if (onQuestion) onQuestion(*this);
    return questionAnswer;
}

void RecordingUi::ShowMessageBox(const std::u16string& text, const std::u16string&) {
    std::lock_guard<std::mutex> hold(lock_);
    messages.push_back({2, text});
}

void RecordingUi::AddDriveTreePath(const std::string& path, int drive) {
    drivePaths.push_back({path, drive});
}

void RecordingUi::ExpandDriveTree() { ++driveTreeExpands; }

void RecordingUi::ClearFolderTree() { tree.clear(); }

TreeItem RecordingUi::InsertFolderItem(const std::u16string& text, TreeItem parent) {
    tree.push_back({text, parent});
    return TreeItem(tree.size());
}

// Every folder whose parent is the key goes below the parent item, and its
// own children below it; a folder is placed once.
void RecordingUi::AddFatFolders(TreeItem parent, uint32_t parentCluster) {
    for (FatFolderEntry* f = FatFolderList.head; f; f = f->next) {
        if (f->parentCluster != parentCluster || f->treeItem) continue;
        f->treeItem = InsertFolderItem(f->name, parent);
        ++TreeProgressCount;
        AddFatFolders(f->treeItem, f->cluster);
    }
}

void RecordingUi::AddNtfsFolders(TreeItem parent, uint32_t parentRecord) {
    for (NtfsFolderEntry* f = NtfsFolderList.head; f; f = f->next) {
        if (f->parentRecord != parentRecord || f->treeItem || f->recordNumber == parentRecord)
            continue;
        f->treeItem = InsertFolderItem(f->name, parent);
        ++TreeProgressCount;
        AddNtfsFolders(f->treeItem, f->recordNumber);
    }
}

void RecordingUi::BuildRawTree(TreeItem parent) {
    std::vector<std::pair<std::u16string, TreeItem>> groups;
    std::vector<std::pair<TreeItem, std::u16string>> extensions;
    for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next) {
        TreeItem group = 0;
        for (const auto& g : groups)
            if (g.first == f->fileType) group = g.second;
        if (!group) {
            group = InsertFolderItem(f->fileType, parent);
            groups.push_back({f->fileType, group});
        }
        bool known = false;
        for (const auto& e : extensions) known = known || (e.first == group && e.second == f->extension);
        if (!known) {
            InsertFolderItem(f->extension, group);
            extensions.push_back({group, f->extension});
        }
    }
}

void RecordingUi::ExpandItem(TreeItem item) {
    if (item && item <= tree.size()) tree[item - 1].expanded = true;
}

TreeItem RecordingUi::AddVolumeItem(const std::u16string& text, TreeItem parent) {
    volumeTree.push_back({text, parent});
    fileSystemTreeItems = int(volumeTree.size());
    return TreeItem(volumeTree.size());
}

void RecordingUi::ExpandVolumeItem(TreeItem item) {
    if (item && item <= volumeTree.size()) volumeTree[item - 1].expanded = true;
}

void RecordingUi::SetFileSystemStatus(const std::u16string& text) {
    std::lock_guard<std::mutex> hold(lock_);
    fileSystemStatus.push_back(text);
}

void RecordingUi::DeleteAllRows() { rows.clear(); }

int RecordingUi::InsertRow(int index, const std::u16string (&columns)[6], RowIcon icon) {
    Row row;
    for (int i = 0; i < 6; ++i) row.columns[i] = columns[i];
    row.icon = icon;
    if (index < 0 || size_t(index) > rows.size()) index = int(rows.size());
    rows.insert(rows.begin() + index, row);
    return index;
}

void RecordingUi::SetRowChecked(int row) {
    if (row >= 0 && size_t(row) < rows.size()) rows[row].checked = true;
}

void RecordingUi::OpenListProgress() { listProgress.push_back(-1); }
void RecordingUi::SetListProgress(int percent) { listProgress.push_back(percent); }
void RecordingUi::CloseListProgress() { listProgress.push_back(-2); }

std::u16string RecordingUi::ItemPath(TreeItem item) const {
    std::u16string path;
    size_t guard = 0;
    while (item && item <= tree.size() && guard++ < tree.size()) {
        const TreeNode& node = tree[item - 1];
        if (!node.parent) break;  // the root item itself is not part of the path
        path = u"/" + node.text + path;
        item = node.parent;
    }
    return path.empty() ? u"/" : path;
}
