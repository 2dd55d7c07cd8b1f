// What the engine asks of the window program: the wizard's view switch and
// flags, the drive and partition trees, the scan pages' counters, bars and
// buttons, the file-system step's tree, the program's messages and the
// results page's list. Dialogs asked for by a worker run on the interface
// thread: the worker sends and waits, it never opens a window itself.
#pragma once

#include "engine_ui.h"

class ProgramUi : public EngineUi {
 public:
  void SetStatusText(const std::u16string& text) override;
  // The bar, and below the timer, of the page whose scan runs: the
  // file-system page during its scan, the partition page otherwise.
  void SetProgress(int percent) override;
  void SetPaneValue(PaneValue row, const std::u16string& text) override;
  void ShowFatScanCaptions() override;
  void SetControl(ScanControl control, bool shown, bool enabled) override;
  void SetBusy(bool busy) override;
  void StopScanTimer() override;
  void SetProgressToggleText(const std::u16string& text) override;
  int FileSystemTreeVisibleItems() override;
  void SetFileSystemInfoText(const std::u16string& text) override;
  TreeItem AddVolumeItem(const std::u16string& text, TreeItem parent) override;
  void ExpandVolumeItem(TreeItem item) override;
  void SetFileSystemStatus(const std::u16string& text) override;
  void OpenListProgress() override;
  void SetListProgress(int percent) override;
  void CloseListProgress() override;

  void SwitchView(int wizardPage) override;
  void RepaintView(int wizardPage) override;
  void SetStepFlags(bool scanIdleOnly) override;
  void SetSelectedTreeRow(int row) override;
  void Wait(int milliseconds) override;
  void PumpMessages() override;

  void ShowStopMessageBox(const std::u16string& text) override;
  void ShowAppMessage(int kind, const std::u16string& text) override;
  int AskQuestion(int kind, const std::u16string& text) override;
  void ShowMessageBox(const std::u16string& text, const std::u16string& caption) override;

  void AddDriveTreePath(const std::string& path, int drive) override;
  void ExpandDriveTree() override;
  void SetDrivePageStatus(const std::u16string& text) override;
  void SetDriveInfoStatus(const std::u16string& text) override;
  void SetDrivePageProgress(int percent) override;
  void AddDiskItem(const std::u16string& top, const std::u16string& child) override;
  void ExpandPartitionTree() override;
  int AskPartitionChoice() override;

  // The results page's tree and list: forwarded to the page's own
  // interface on the interface thread.
  void ClearFolderTree() override;
  TreeItem InsertFolderItem(const std::u16string& text, TreeItem parent) override;
  void AddFatFolders(TreeItem parent, uint32_t parentCluster) override;
  void AddNtfsFolders(TreeItem parent, uint32_t parentRecord) override;
  void BuildRawTree(TreeItem parent) override;
  void ExpandItem(TreeItem item) override;
  void FocusFolderTree() override;
  void SetResultColumns(bool rawScan) override;
  void DeleteAllRows() override;
  int InsertRow(int index, const std::u16string (&columns)[6], RowIcon icon) override;
  void SetRowChecked(int row) override;
  std::u16string ShellTypeName(const std::u16string& fileName) override;
  void SetReportView() override;
  void RedrawList() override;
  std::vector<TreeItem> SelectedFolderItems() override;
  std::vector<uint32_t> SelectedRootFiles() override;
  void AddSubtreeTotals(TreeItem folder) override;
  void ShowSelectedSizeText(const std::u16string& text) override;
  void ClearSelectedSize() override;
  std::vector<std::u16string> PreviewTempFiles() override;
};

// The program's interface, installed before the views are made.
ProgramUi& TheProgramUi();
