// The content of the results page: the bar of program commands on top, the
// folder tree on the left, the found-file list on the right with the
// preview host below it, the chosen scan mode's text at the bottom. The
// page view of the wizard hosts it as its only child.
#pragma once

#include <functional>
#include <memory>

#include "folder_tree_ctrl.h"
#include "found_file_list_ctrl.h"
#include "framework.h"
#include "pane_splitter.h"
#include "results_ui.h"
#include "tool_button.h"

class CResultsPane : public CWnd {
 public:
  CResultsPane();
  ~CResultsPane() override;

  BOOL Create(CWnd* pParent, const RECT& rect, UINT nID);

  CFolderTreeCtrl Tree;
  // The list: one the page gives before Create, else one of the pane's own
  // on the heap.
  CFoundFileListCtrl* List = nullptr;
  void UseList(CFoundFileListCtrl* list) { List = list; }
  // The program gates its bar commands itself: every button then goes to the
  // parent, Recover Selected too.
  BOOL CommandsToParent = FALSE;
  // Makes the window below the list (the program's preview pane); without
  // it a blank static stands there.
  std::function<CWnd*(CWnd* parent, const CRect& rect)> MakePreview;
  CStatic ModeText;
  // Kept at zero size: the page's spare texts.
  CStatic SpareTexts[3];
  CStatic PreviewHost;
  ResultsUi& Ui() { return *m_ui; }

  // The scan mode's text, its static as wide as the text needs.
  void SetModeText(LPCWSTR text);
  // Recover Selected: the destination, then the Saving dialog.
  void OnRecoverSelected();
  // File Filters, then the root listed again with the new filters.
  void ShowFileFilters();
  // Where Recover Selected saves when a test or the program gives it; the
  // destination dialog starts with it.
  CString DefaultDestination;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  DECLARE_MESSAGE_MAP()

 private:
  void Layout(int cx, int cy);
  void DrawBackground(CDC& dc, const CRect& client);

  CPaneSplitter m_outer;
  CPaneSplitter m_inner;
  CToolButton m_buttons[6];
  CFont m_font;
  CBrush m_background;
  CBitmap m_pageBackground;
  CBitmap m_banner;
  CImageList m_shellIcons;
  std::unique_ptr<CFoundFileListCtrl> m_ownList;
  std::unique_ptr<ResultsUi> m_ui;
};

// Command ids of the page's bar.
enum : UINT {
  kRecoverSelectedCommand = 32822,
  kSaveSnapshotCommand = 32823,
  kLoadSnapshotCommand = 32824,
  kFindCommand = 32825,
  kSettingCommand = 32826,
  kHelpCommand = 32829,
};
