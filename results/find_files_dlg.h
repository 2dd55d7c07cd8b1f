// "Find File(s)": the found files of the scanned file system whose names fit
// a pattern, searched on a worker, listed with their folder paths, checked
// and saved. The worker never touches a window: it hands its rows over
// under a lock and posts; Stop pauses it between entries while the question
// is asked, and Yes lets it return and joins it, the rows so far kept.
#pragma once

#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "file_search.h"
#include "found_file_list_ctrl.h"
#include "results_dialog_skin.h"
#include "framework.h"
#include "styled_button.h"
#include "saving_run.h"

class CFolderTreeCtrl;

class CFindFilesDlg : public CDialog {
 public:
  // The tree gives the folders' paths; it belongs to the results page.
  explicit CFindFilesDlg(CFolderTreeCtrl* tree, CWnd* pParent = nullptr);
  ~CFindFilesDlg() override;

  CFoundFileListCtrl ResultList;
  BOOL IsSearching() const { return m_worker.joinable(); }
  // The checked rows, as the saving takes them.
  std::vector<SaveItem> CheckedRows() const;
  // Where Save Selected File saves; the destination dialog starts with it.
  CString DefaultDestination;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;  // Start Search
  void OnCancel() override;
  afx_msg void OnStopSearch();
  afx_msg void OnSelectAll();
  afx_msg void OnSaveSelected();
  afx_msg void OnDestroy();
  afx_msg LRESULT OnRowsFound(WPARAM, LPARAM);
  afx_msg LRESULT OnSearchDone(WPARAM, LPARAM);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()

 private:
  void TakeFoundRows();
  void EnableIdleControls(BOOL idle);
  void EndWorker();

  CFolderTreeCtrl* m_tree;
  ResultsKind m_kind = ResultsKind::None;
  std::thread m_worker;
  std::mutex m_lock;
  std::condition_variable m_resume;
  std::vector<FoundFileRow> m_pending;
  // The names as found, by the ID a row shows: rows may be sorted.
  std::map<uint32_t, std::u16string> m_names;
  bool m_paused = false;
  bool m_stop = false;
  CResultsDialogSkin m_skin;
  CStyledButton m_selectAll;
};

// 1 while a Find dialog is open: the results list then opens no menu.
extern int FindDialogOpen;
// The open Find dialog, null when none.
extern CFindFilesDlg* CurrentFindDialog;

constexpr UINT kFindRowsMessage = WM_APP + 195;
constexpr UINT kFindDoneMessage = WM_APP + 196;
