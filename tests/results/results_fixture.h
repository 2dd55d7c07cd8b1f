// A folder tree and a found-file list side by side in a window of their
// own, the engine's interface pointed at them, filled from a scan.
#pragma once

#include <functional>
#include <string>

#include "folder_tree_ctrl.h"
#include "find_files_dlg.h"
#include "found_file_list_ctrl.h"
#include "results_ui.h"

class ResultsPanes {
 public:
  ResultsPanes();
  ~ResultsPanes();

  // Scans a test image (Standard Scan) and fills tree and root listing.
  bool ScanAndShow(const std::string& imageName);
  // Fills from the found-entry lists as they stand.
  void ShowFatResults();
  void ShowNtfsResults();
  void ShowRawResults();

  HTREEITEM ItemByPath(const CString& path) const;  // "Music\\Artist"; "" the root
  int RowByName(const CString& name) const;
  // Every row's mark as the selection says it should be.
  ::testing::AssertionResult RowsAgreeWithSelection() const;

  CWnd parent;
  CFolderTreeCtrl tree;
  CFoundFileListCtrl list;
  ResultsUi ui{&tree, &list};
};

// A modal Find dialog that runs something while it shows, then takes Esc.
class WhileShownFindDlg : public CFindFilesDlg {
 public:
  WhileShownFindDlg(CFolderTreeCtrl* tree, CWnd* parent, std::function<void()> whileShown)
      : CFindFilesDlg(tree, parent), m_whileShown(std::move(whileShown)) {}

 protected:
  BOOL OnInitDialog() override {
    CFindFilesDlg::OnInitDialog();
    if (m_whileShown) m_whileShown();
    PostMessage(WM_COMMAND, IDCANCEL);
    return TRUE;
  }

 private:
  std::function<void()> m_whileShown;
};
