// The program's application object: start-up, and the wizard's views with
// the switch between them.
#pragma once

#include "framework.h"

class CFoundFileListCtrl;
class CMainFrame;
class CThirdView_HDD;

// The wizard's five views, indexed by page (engine_ui.h names the pages).
extern CView* WizardViews[5];
// The results page's found-file list, stored by the list itself.
CFoundFileListCtrl*& FoundFileListCtrl();
// The results page, or null before start-up made it.
CThirdView_HDD* ResultsView();

// Makes views[page] the frame's visible, active view with id 59648; the
// view it replaces takes the id the new one had. Returns the previous
// view, or null (and does nothing) when the frame had no active view.
CView* SwitchWizardView(CFrameWnd* frame, CView* const* views, int page);

// The results page's mode text for a loaded snapshot: its scan mode, and
// the drive type when the snapshot names one.
CString SnapshotModeText(int mode, int driveKind);

// A snapshot named on the command line, as typed: quotes removed, case
// kept. Returns 1 when the results page shows it; on a file that cannot be
// read or whose mode letter is wrong "Invalid File." is shown and the
// start page stays.
int LoadCommandLineSnapshot(CMainFrame* frame, const CString& commandLine);

class CEx_StyleApp : public CWinApp {
 public:
  CEx_StyleApp();

  BOOL InitInstance() override;
  CView* SwitchView(int page);

  int ShowSystemObjects = 0;
  int ConfirmDelete = 1;
  int MaxTableRows = 10000;
  CFoundFileListCtrl*& FoundFileList;
  CView* (&Views)[5];

 protected:
  afx_msg void OnAppAbout();
  DECLARE_MESSAGE_MAP()

 private:
  void CreateWizardViews(CMainFrame* frame);
};
