#include "main_frame.h"

#include <process.h>

#include "advance/advance_lists.h"
#include "advance/advance_ntfs.h"
#include "app_message.h"
#include "app_message_dlg.h"
#include "bar_painter.h"
#include "command_bars.h"
#include "command_bars_settings.h"
#include "device/physical_drives.h"
#include "device_not_found_dlg.h"
#include "docking_arrangement.h"
#include "found_lists.h"
#include "keyboard_shortcuts.h"
#include "preview_host.h"
#include "raw/raw_lists.h"
#include "raw/raw_results.h"
#include "shell_app.h"
#include "shell_resources.h"
#include "wizard_views.h"

IMPLEMENT_DYNCREATE(CMainFrame, CTkFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CTkFrameWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_GETMINMAXINFO()
ON_COMMAND(ID_RECOVER_SELECTED, OnRecoverSelected)
ON_COMMAND(ID_SAVE_SNAPSHOT, OnSaveSnapshot)
ON_COMMAND(ID_LOAD_SNAPSHOT, OnLoadSnapshot)
ON_COMMAND(ID_EXIT_PROGRAM, OnExit)
ON_COMMAND(ID_VIEW_ICONS, OnViewIcons)
ON_COMMAND(ID_VIEW_LIST_MODE, OnViewList)
ON_COMMAND(ID_VIEW_DETAILS_MODE, OnViewDetails)
ON_COMMAND(ID_FIND_FILES, OnFindFiles)
ON_COMMAND(ID_FILE_FILTERS, OnFileFilters)
ON_COMMAND(ID_SETTINGS, OnSettings)
ON_COMMAND(ID_DRIVE_INFORMATION, OnDriveInformation)
ON_COMMAND(ID_HELP_FILE, OnHelpCommand)
ON_COMMAND(ID_CUSTOMIZE, OnCustomize)
ON_UPDATE_COMMAND_UI(ID_RECOVER_SELECTED, OnUpdateResultsCommand)
ON_UPDATE_COMMAND_UI(ID_SAVE_SNAPSHOT, OnUpdateResultsCommand)
ON_UPDATE_COMMAND_UI(ID_LOAD_SNAPSHOT, OnUpdateLoadSnapshot)
ON_UPDATE_COMMAND_UI(ID_VIEW_ICONS, OnUpdateResultsCommand)
ON_UPDATE_COMMAND_UI(ID_VIEW_LIST_MODE, OnUpdateResultsCommand)
ON_UPDATE_COMMAND_UI(ID_VIEW_DETAILS_MODE, OnUpdateResultsCommand)
ON_UPDATE_COMMAND_UI(ID_FIND_FILES, OnUpdateFindFiles)
ON_UPDATE_COMMAND_UI(ID_FILE_FILTERS, OnUpdateResultsCommand)
ON_UPDATE_COMMAND_UI(ID_SETTINGS, OnUpdateSettings)
ON_UPDATE_COMMAND_UI(ID_DRIVE_INFORMATION, OnUpdateDriveInformation)
END_MESSAGE_MAP()

CMainFrame::~CMainFrame() = default;

CMainFrame* GetMainFrame() { return dynamic_cast<CMainFrame*>(AfxGetMainWnd()); }

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTW& cs) {
  if (!CTkFrameWnd::PreCreateWindow(cs)) return FALSE;
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCEW(IDR_MAINFRAME), RT_GROUP_ICON);
  cs.lpszClass = AfxRegisterWndClass(0, nullptr, nullptr, ::LoadIconW(module, MAKEINTRESOURCEW(IDR_MAINFRAME)));
  // The title is the program's alone, never joined with a document name.
  cs.style &= ~FWS_ADDTOTITLE;
  return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CTkFrameWnd::OnCreate(lpcs) == -1) return -1;
  // Fixed size: no sizing border, no maximise box.
  ModifyStyle(WS_THICKFRAME | WS_MAXIMIZEBOX, 0, 0);
  m_strTitle = L"Mulvara";

  static const UINT panes[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
  if (!StatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
      !StatusBar.CreatePanesFromIds(panes, 4))
    return -1;

  if (GetCurrentBarPainter() == nullptr) SetCurrentTheme(0);
  m_pCommandBars = static_cast<CTkCommandBars*>(RUNTIME_CLASS(CTkCommandBars)->CreateObject());
  if (m_pCommandBars == nullptr) return -1;
  m_pCommandBars->SetFrame(this);
  m_pCommandBars->CreateDockBars();
  if (m_pCommandBars->CreateMenuBar(L"Menu Bar", IDR_MAINFRAME) == nullptr) return -1;
  SetCurrentTheme(3);

  static const UINT hidden[] = {ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW};
  m_pCommandBars->AddHiddenCommands(hidden, 2);
  m_pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
  // The program has no accelerator resource: its shortcuts are the ones
  // the user made, restored from the profile below.
  m_pCommandBars->GetKeyboardShortcuts()->LoadFromResource(IDR_MAINFRAME);
  m_pCommandBars->LoadOptions(L"CommandBars");
  m_pCommandBars->LoadCommandBarsLayout(L"CommandBars", FALSE);
  m_pCommandBars->GetKeyboardShortcuts()->LoadAccelerators(L"CommandBars");

  PaneSite.InstallInFrame(this);
  PaneSite.SetPaneTheme(2);
  PaneSite.ClosePane(PaneSite.FindPane(4001));

  // The preview's browser control shows workbooks inside itself. Without
  // the rights to open the key this is skipped.
  for (LPCWSTR value : {L"EditFlags", L"BrowserFlags"}) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\Excel.Sheet.8", 0, KEY_ALL_ACCESS, &key) !=
        ERROR_SUCCESS)
      break;
    const DWORD data = value[0] == L'E' ? 0x00010000 : 0;
    RegSetValueExW(key, value, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
    RegCloseKey(key);
  }
  return 0;
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
  lpMMI->ptMinTrackSize = CPoint(kFrameWidth, kFrameHeight);
  lpMMI->ptMaxTrackSize = CPoint(kFrameWidth, kFrameHeight);
}

void CMainFrame::RestoreAndShowWindow(int) {
  PlacementStore.RestoreWindowPlacement(this);
  ShowWindow(SW_SHOW);
}

void CMainFrame::OnClose() {
  if (IsIconic()) {
    // The question shows over a visible frame.
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(&placement);
    placement.showCmd = SW_RESTORE;
    SetWindowPlacement(&placement);
  }
  if (ConfirmExit() != 0) CTkFrameWnd::OnClose();
}

void CMainFrame::OnExit() {
  // When the process cannot end itself, it still ends here.
  if (ConfirmExit() != 0) ::ExitProcess(0);
}

void CMainFrame::ShowPreview(CString path, CString extension) {
  if (PreviewHost == nullptr) return;
  // The pane lies inside the results page: the page stays the active view,
  // which the wizard's view switch relies on.
  CView* active = GetActiveView();
  SetActiveView(PreviewHost, FALSE);
  PreviewHost->CloseAllPreviews();
  PreviewHost->ChoosePreview(path, extension);
  if (active != nullptr && active != PreviewHost) SetActiveView(active, FALSE);
}

int ConfirmExit() {
  DeletePreviewTempFiles();
  if (CFoundFileListCtrl* list = FoundFileListCtrl()) list->PreviewTempFiles.RemoveAll();
  SetAppMessage(3, u"Do you really want to exit ?");
  CQuestionDlg question;
  if (question.DoModal() != 1) return 0;

  CMainFrame* frame = GetMainFrame();
  if (frame != nullptr) {
    if (CTkCommandBars* bars = frame->GetCommandBars()) {
      bars->SaveOptions(L"CommandBars");
      bars->SaveCommandBarsLayout(L"CommandBars", TRUE);
      bars->GetKeyboardShortcuts()->SaveAccelerators(L"CommandBars");
    }
    frame->PlacementStore.SaveWindowPlacement(frame);
    // The panes' layout is built at exit but not kept.
    if (CTkDockingPaneArrangement* layout = frame->PaneSite.CreateLayout()) layout->InternalRelease();
  }
  FreeStandardScanLists();
  FreeNtfsLists();
  FreeAdvanceScanLists();
  FreeCarvedFileList();
  FreeSignatureList();
  HANDLE self = ::OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(_getpid()));
  if (self == nullptr) return 1;
  ::TerminateProcess(self, 0);
  ::CloseHandle(self);
  return 1;
}

bool UsbDeviceConnected() {
  for (int slot = 0; slot < PhysicalSlotCount && slot < kMaxPhysicalDrives; ++slot) {
    const PhysicalDriveEntry& drive = PhysicalDriveTable[slot];
    if (IsUsbModel(drive.model) && drive.removable != 0) return true;
  }
  return false;
}

int CheckDeviceConnected() {
  if (UsbDeviceConnected()) return 1;
  CDeviceNotFoundDlg dialog;
  dialog.DoModal();
  return 0;
}
