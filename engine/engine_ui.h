// What the engine asks of the user interface. The window program implements
// this with its wizard pages, result tree and dialogs; tests and the harness
// implement it with recorders. The engine links nothing of the framework.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using TreeItem = uintptr_t;  // a result-tree item; 0 = none

// Rows of the scan page's information pane.
enum class PaneValue { FoldersFound, FilesFound, CurrentSector, LastItem, Fifth };

// Buttons and controls of the scan page that the workers show and enable.
enum class ScanControl {
    Next = 159,
    Back = 160,
    StartOver = 61481,
    Stop = 132,
    ProgressBar = 1,
    StatusLine = 170,
    PartitionTree = 2,
    ProgressToggle = 3,  // the pane's Hide/Show Progress button and its companion
    ResultNext = 4,      // the result page's navigation buttons
    ResultBack = 5,
    ResultStartOver = 6,
    FileSystemNext = 7,  // the file-system page's navigation buttons
    FileSystemBack = 8,
    FileSystemStartOver = 9,
    FileSystemStop = 10,  // the file-system page's Stop button
};

// Icon of a found-file list row.
enum class RowIcon { Folder, File };

class EngineUi {
public:
    virtual ~EngineUi() = default;

    // Scan page.
    virtual void SetStatusText(const std::u16string&) {}
    virtual void SetProgress(int) {}  // PBM_SETPOS to the visible page's bar
    virtual void SetPaneValue(PaneValue, const std::u16string&) {}
    virtual void ShowFatScanCaptions() {}
    virtual void SetControl(ScanControl, bool /*shown*/, bool /*enabled*/) {}
    virtual void SetBusy(bool) {}  // wait cursor and the view's busy flag
    virtual void StopScanTimer() {}
    // Lets the interface thread handle pending window messages while it
    // waits for the worker.
    virtual void PumpMessages() {}

    // Wizard and main frame, for the end of a scan.
    virtual void SwitchView(int /*wizardPage*/) {}
    virtual void RepaintView(int /*wizardPage*/) {}
    virtual void ClearSelectedSize() {}
    // The main frame's step flags: ScanIdle alone, or step three current.
    virtual void SetStepFlags(bool /*scanIdleOnly*/) {}
    virtual void SetSelectedTreeRow(int) {}
    virtual void SetProgressToggleText(const std::u16string&) {}
    virtual int FileSystemTreeVisibleItems() { return 0; }
    virtual void SetFileSystemInfoText(const std::u16string&) {}
    virtual void Wait(int /*milliseconds*/) {}

    // Messages. Kinds: 1 information, 2 error, 3 question.
    virtual void ShowStopMessageBox(const std::u16string&) {}  // the program's HTML message box
    virtual void ShowAppMessage(int /*kind*/, const std::u16string&) {}
    virtual int AskQuestion(int /*kind*/, const std::u16string&) { return 2; }  // 1 Yes, 2 No
    virtual void ShowMessageBox(const std::u16string& /*text*/, const std::u16string& /*caption*/) {}

    // Drive page: its drive tree. A path is backslash-terminated components,
    // one item per component; the items carry the drive's slot or index.
    virtual void AddDriveTreePath(const std::string& /*path*/, int /*drive*/) {}
    virtual void ExpandDriveTree() {}

    // Result tree.
    virtual void ClearFolderTree() {}
    virtual TreeItem InsertFolderItem(const std::u16string&, TreeItem /*parent*/) { return 0; }
    virtual void AddFatFolders(TreeItem /*parent*/, uint32_t /*parentCluster*/) {}
    virtual void AddNtfsFolders(TreeItem /*parent*/, uint32_t /*parentRecord*/) {}
    // One child per file-type text of CarvedFileList, each with one child per
    // extension of that group.
    virtual void BuildRawTree(TreeItem /*parent*/) {}
    virtual void ExpandItem(TreeItem) {}
    virtual void FocusFolderTree() {}

    // Found-file list: six columns (name, type, size, two times, ID).
    virtual void SetReportView() {}
    virtual void DeleteAllRows() {}
    virtual int InsertRow(int /*index*/, const std::u16string (&/*columns*/)[6], RowIcon) { return -1; }
    virtual void SetRowChecked(int /*row*/) {}
    virtual std::u16string ShellTypeName(const std::u16string& /*fileName*/) { return u"File"; }

    // The listing's progress dialog (message 1025 carries the per cent).
    virtual void OpenListProgress() {}
    virtual void SetListProgress(int) {}
    virtual void CloseListProgress() {}
    virtual void RedrawList() {}

    // Results page: the found-file list's columns for a loaded snapshot
    // (Raw Scan: name, type, ID).
    virtual void SetResultColumns(bool /*rawScan*/) {}

    // The checked results: folders heading a selection, and the IDs of
    // checked files lying directly in the root.
    virtual std::vector<TreeItem> SelectedFolderItems() { return {}; }
    virtual std::vector<uint32_t> SelectedRootFiles() { return {}; }
    // Adds the files and bytes of a folder's subtree to SelectionTotals.
    virtual void AddSubtreeTotals(TreeItem) {}
    virtual void ShowSelectedSizeText(const std::u16string&) {}
    // Temporary files made for previews.
    virtual std::vector<std::u16string> PreviewTempFiles() { return {}; }

    // File-system page of the Advance Scan: the tree of found volumes (parent
    // 0 = top level) and the page's status line.
    virtual TreeItem AddVolumeItem(const std::u16string&, TreeItem /*parent*/) { return 0; }
    virtual void ExpandVolumeItem(TreeItem) {}
    virtual void SetFileSystemStatus(const std::u16string&) {}

    // Drive page: the partition search's texts, progress and partition tree,
    // and the "Please Select" choice (1 = search the disk).
    virtual void SetDrivePageStatus(const std::u16string&) {}
    virtual void SetDriveInfoStatus(const std::u16string&) {}
    virtual void SetDrivePageProgress(int) {}
    virtual void AddDiskItem(const std::u16string& /*top*/, const std::u16string& /*child*/) {}
    virtual void ExpandPartitionTree() {}
    virtual int AskPartitionChoice() { return 0; }

    // The recovery's progress dialog (interactive mode).
    virtual void SetRecoveryTexts(const std::u16string& /*destination*/,
                                  const std::u16string& /*name*/,
                                  const std::u16string& /*count*/) {}
    virtual void SetRecoveryProgress(int) {}
};

// The interface the engine reports to; never null (a silent one by default).
EngineUi& Ui();
void SetEngineUi(EngineUi* ui);

// Pages of the wizard, by their index in the application's view array.
enum : int { kStartPage = 0, kDrivePage = 1, kScanPage = 2, kFileSystemPage = 3, kResultsPage = 4 };

// Shows the out-of-memory message and ends the process.
[[noreturn]] void OutOfMemory();

// The percent a running task shows: below 100 until the task has ended. A
// total of 0 counts as 1.
inline int RunningPercent(uint64_t done, uint64_t total) {
    const uint64_t percent = done * 100 / (total ? total : 1);
    return int(percent > 99 ? 99 : percent);
}
