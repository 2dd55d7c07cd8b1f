// An EngineUi that remembers what the engine showed, for the harness and the
// tests: status texts, progress, pane values, messages, the result tree and
// the found-file list.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "engine_ui.h"

class RecordingUi : public EngineUi {
public:
    struct TreeNode {
        std::u16string text;
        TreeItem parent;
        bool expanded = false;
    };
    struct Row {
        std::u16string columns[6];
        RowIcon icon;
        bool checked = false;
    };
    struct DrivePath {
        std::string path;
        int drive;
    };
    struct Message {
        int kind;  // 0 for the stop message box
        std::u16string text;
    };

    // Answer given to questions (1 Yes, 2 No).
    int questionAnswer = 2;
    // Called while a question is shown (the worker is paused then).
    void (*onQuestion)(RecordingUi&) = nullptr;

    void SetStatusText(const std::u16string& text) override;
    void SetProgress(int percent) override;
    void SetPaneValue(PaneValue, const std::u16string&) override;
    void SetControl(ScanControl, bool shown, bool enabled) override;
    void StopScanTimer() override;
    void ShowStopMessageBox(const std::u16string&) override;
    void ShowAppMessage(int kind, const std::u16string&) override;
    int AskQuestion(int kind, const std::u16string&) override;
    void ShowMessageBox(const std::u16string& text, const std::u16string& caption) override;
    void AddDriveTreePath(const std::string& path, int drive) override;
    void ExpandDriveTree() override;

    void SwitchView(int page) override { views.push_back(page); }
    void SetStepFlags(bool scanIdleOnly) override { stepFlags.push_back(scanIdleOnly); }
    int FileSystemTreeVisibleItems() override { return fileSystemTreeItems; }
    void SetFileSystemInfoText(const std::u16string& text) override { fileSystemInfo = text; }
    void SetBusy(bool busy) override { this->busy = busy; }

    void ClearFolderTree() override;
    TreeItem InsertFolderItem(const std::u16string&, TreeItem parent) override;
    void AddFatFolders(TreeItem parent, uint32_t parentCluster) override;
    void AddNtfsFolders(TreeItem parent, uint32_t parentRecord) override;
    void BuildRawTree(TreeItem parent) override;
    void ExpandItem(TreeItem) override;

    void DeleteAllRows() override;
    int InsertRow(int index, const std::u16string (&columns)[6], RowIcon) override;
    void SetRowChecked(int row) override;
    TreeItem AddVolumeItem(const std::u16string&, TreeItem parent) override;
    void ExpandVolumeItem(TreeItem) override;
    void SetFileSystemStatus(const std::u16string& text) override;

    void OpenListProgress() override;
    void SetListProgress(int) override;
    void CloseListProgress() override;

    // What was recorded; read after the worker has ended.
    std::vector<std::u16string> statusTexts;
    std::vector<int> progress;
    std::map<PaneValue, std::u16string> pane;
    std::map<ScanControl, std::pair<bool, bool>> controls;
    std::vector<Message> messages;
    std::vector<TreeNode> tree;  // item n is tree[n - 1]
    // The file-system page's tree of found volumes: item n is volumeTree[n - 1].
    std::vector<TreeNode> volumeTree;
    std::vector<std::u16string> fileSystemStatus;
    std::vector<Row> rows;
    std::vector<int> listProgress;
    std::vector<DrivePath> drivePaths;
    int driveTreeExpands = 0;
    int timerStops = 0;
    std::vector<int> views;
    std::vector<bool> stepFlags;
    int fileSystemTreeItems = 1;  // follows volumeTree once it has items
    std::u16string fileSystemInfo;
    bool busy = false;
    int questions = 0;

    // Path of a tree item from the root item down, "/" between names.
    std::u16string ItemPath(TreeItem item) const;

private:
    std::mutex lock_;
};
