// The program's one top-level window: command bars with the menu bar, the
// status bar, a fixed size, its remembered placement, the program's exit
// and the state the wizard pages share.
#pragma once

#include "framework.h"

#include "docking_pane_site.h"
#include "frame_window.h"
#include "profile_store.h"
#include "status_bar.h"
#include "task_panel.h"
#include "wizard_frame_state.h"

class CMainPreviewView;

// The frame's fixed outer size.
constexpr int kFrameWidth = 850;
constexpr int kFrameHeight = 625;

// The wizard state lives here (WizardFrameState); a page reaches it through
// the frame.
class CMainFrame : public CTkFrameWnd, public WizardFrameState {
  DECLARE_DYNCREATE(CMainFrame)

 public:
  CMainFrame() {
    StepOneActive = 1;
    StartPageActive = 1;
  }
  ~CMainFrame() override;

  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;

  // The stored placement applied, then the frame shown.
  void RestoreAndShowWindow(int unused = 0);
  // Shows a found file's preview once the preview host exists.
  void ShowPreview(CString path, CString extension);
  // The commands the wizard pages' button bars pass on, their gates
  // already applied.
  void RouteMainCommand(UINT id);

  void OnSaveSnapshot();
  void OnLoadSnapshot();
  void ShowHelpFile();

  CMainPreviewView* PreviewHost = nullptr;
  CView* StartView = nullptr;
  int PreviewLoaded = 0;
  int PreviewSupported = 0;
  int NoFileSelected = 1;
  CTkWindowPlacementStore PlacementStore;
  HWND SnapshotProgressWnd = nullptr;
  CTkTaskPanel TaskPanel;
  CTkStatusBar StatusBar;
  CTkDockingPaneSite PaneSite;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnClose();
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  afx_msg void OnExit();
  afx_msg void OnRecoverSelected();
  afx_msg void OnViewIcons();
  afx_msg void OnViewList();
  afx_msg void OnViewDetails();
  afx_msg void OnFindFiles();
  afx_msg void OnFileFilters();
  afx_msg void OnSettings();
  afx_msg void OnDriveInformation();
  afx_msg void OnHelpCommand();
  afx_msg void OnCustomize();
  afx_msg void OnUpdateResultsCommand(CCmdUI* pCmdUI);
  afx_msg void OnUpdateLoadSnapshot(CCmdUI* pCmdUI);
  afx_msg void OnUpdateFindFiles(CCmdUI* pCmdUI);
  afx_msg void OnUpdateSettings(CCmdUI* pCmdUI);
  afx_msg void OnUpdateDriveInformation(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};

// The main frame of the current thread, or null.
CMainFrame* GetMainFrame();

// Exit: preview files deleted, then the question; on Yes the state saved,
// the engine's lists freed and the process ended with code 0. 0 when the
// user declined, 1 when the process could not be ended.
int ConfirmExit();

// 1 when a removable "USB Device" is among the filled drive slots, else 0
// after "Device Not Found".
int CheckDeviceConnected();
// The test without the dialog.
bool UsbDeviceConnected();

// Enablement of the results commands for a mode and the frame's flags.
struct CommandGate {
  int scanMode;
  int stepThree;
  int stepFour;
  int modeChosen;
};
// The update handlers' rule: -1 when the command's state is left alone,
// else 0 or 1.
int MenuCommandEnabled(UINT id, const CommandGate& gate);
// The button bars' rule: whether a click is passed on.
bool BarCommandPasses(UINT id, const CommandGate& gate);
// The gate of the current frame and ScanMode.
CommandGate CurrentGate(const CMainFrame* frame);
// The shared handler of the wizard pages' bar buttons.
void OnWizardBarCommand(UINT id);
