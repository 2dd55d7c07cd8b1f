// The wizard's pages after the start page: the drive, partition and
// file-system pages (the wizard library's), and as far as start-up and the
// results of a loaded snapshot need it the results page.
#pragma once

#include "framework.h"
#include "file_system_view.h"
#include "first_view_hdd.h"
#include "found_file_list_ctrl.h"
#include "results_pane.h"
#include "second_view_hdd.h"
#include "wizard_page_view.h"

class CThirdView_HDD : public CWizardPageView {
  DECLARE_DYNCREATE(CThirdView_HDD)

 public:
  ~CThirdView_HDD() override;

  // The results pane shows this list; the program finds it through
  // FoundFileListCtrl().
  CFoundFileListCtrl FoundFiles;
  CResultsPane Results;
  CButton NextButton;
  CButton BackButton;
  CButton StartOverButton;

  // What the engine asks of the page, once the page exists.
  ResultsUi* Ui() { return Results.GetSafeHwnd() != nullptr ? &Results.Ui() : nullptr; }
  // Back: the results forgotten, the page before them shown.
  void OnBackButton();
  // Back, then the Back of every earlier page down to the start page.
  void OnStartOverButton();
  // Next: Recover Selected, without the bar's gate.
  void OnNextButton();

  // Every column removed (the header's count, column 0 that many times).
  void DeleteAllColumns();
  // The mode's columns: Raw Scan three, the others six.
  void InsertModeColumns(bool rawScan);
  // Shows and enables a navigation button by its id.
  void ShowButton(UINT id);

 protected:
  // The mode text follows SelectedModeText whenever the page is drawn.
  void OnDraw(CDC* pDC) override;
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};
