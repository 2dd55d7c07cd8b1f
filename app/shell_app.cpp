#include "shell_app.h"

#include <cstdio>

#include "about_dlg.h"
#include "app_message.h"
#include "device/sector_access.h"
#include "file_type_access.h"
#include "main_frame.h"
#include "program_folder.h"
#include "program_ui.h"
#include "scan_control.h"
#include "shell_document.h"
#include "shell_resources.h"
#include "snapshot/snapshot.h"
#include "start_view.h"
#include "wizard_views.h"
#include "wizard_state.h"

CView* WizardViews[5] = {};

CFoundFileListCtrl*& FoundFileListCtrl() {
  static CFoundFileListCtrl* list = nullptr;
  return list;
}

CThirdView_HDD* ResultsView() { return dynamic_cast<CThirdView_HDD*>(WizardViews[kResultsPage]); }

CView* SwitchWizardView(CFrameWnd* frame, CView* const* views, int page) {
  if (frame == nullptr || page < 0 || page > 4) return nullptr;
  CView* view = views[page];
  CView* active = frame->GetActiveView();
  if (active == nullptr || view == nullptr) return nullptr;
  if (view == active) return active;
  // The frame lays out the window with the first pane's id: the visible view.
  const LONG_PTR activeId = ::GetWindowLongPtrW(active->GetSafeHwnd(), GWLP_ID);
  const LONG_PTR viewId = ::GetWindowLongPtrW(view->GetSafeHwnd(), GWLP_ID);
  ::SetWindowLongPtrW(view->GetSafeHwnd(), GWLP_ID, activeId);
  ::SetWindowLongPtrW(active->GetSafeHwnd(), GWLP_ID, viewId);
  active->ShowWindow(SW_HIDE);
  view->ShowWindow(SW_SHOW);
  frame->SetActiveView(view, TRUE);
  frame->RecalcLayout(TRUE);
  view->Invalidate(TRUE);
  return active;
}

CString SnapshotModeText(int mode, int driveKind) {
  const CString withDrive = DriveSelectionModeText(mode, driveKind);
  if (!withDrive.IsEmpty()) return withDrive;
  switch (mode) {
    case kStandardScan: return L"Selected Mode : Standard Scan";
    case kAdvanceScan: return L"Selected Mode : Advance Scan";
    case kRawScan: return L"Selected Mode : Raw Scan";
    default: return CString();
  }
}

int LoadCommandLineSnapshot(CMainFrame* frame, const CString& commandLine) {
  // The shell quotes the path; the loaders take it as typed, without them.
  CString path = commandLine;
  path.Remove(L'"');
  path.TrimLeft();
  path.TrimRight();
  // Read-only: a snapshot on a read-only medium loads as any other.
  std::FILE* file = _wfopen(path, L"rb");
  wchar_t letter = 0;
  const bool read = file != nullptr && std::fread(&letter, sizeof letter, 1, file) == 1;
  if (file != nullptr) std::fclose(file);
  int mode = -1;
  if (read && letter == L'D') mode = kStandardScan;
  if (read && letter == L'A') mode = kAdvanceScan;
  if (read && letter == L'R') mode = kRawScan;
  if (mode < 0) {
    ShowAppMessage(3, u"Invalid File.");
    return 0;
  }
  ScanMode = mode;
  frame->StepThreeActive = 1;
  CThirdView_HDD* results = ResultsView();
  if (results != nullptr) {
    results->DeleteAllColumns();
    results->InsertModeColumns(mode == kRawScan);
  }
  const std::u16string typed(reinterpret_cast<const char16_t*>(static_cast<LPCWSTR>(path)));
  const int loaded = mode == kRawScan ? LoadRawSnapshot(typed) : LoadSnapshot(typed);
  if (loaded) {
    SelectedModeText = SnapshotModeText(mode, DriveKind);
    if (results != nullptr) results->Results.SetModeText(SelectedModeText);
  }
  if (results != nullptr) {
    results->ShowButton(IDC_RESULT_NEXT);
    results->ShowButton(IDC_RESULT_START_OVER);
  }
  frame->StartPageActive = 0;
  return loaded;
}

BEGIN_MESSAGE_MAP(CEx_StyleApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CEx_StyleApp::CEx_StyleApp() : FoundFileList(FoundFileListCtrl()), Views(WizardViews) { PhysicalDriveHandle = nullptr; }

void CEx_StyleApp::OnAppAbout() {
  CAboutDlg dialog;
  dialog.DoModal();
}

BOOL CEx_StyleApp::InitInstance() {
  AfxEnableControlContainer();
  if (!AfxOleInit()) {
    AfxMessageBox(100, MB_OK, static_cast<UINT>(-1));
    return FALSE;
  }
  // DAO 3.6.
  AfxGetModuleState()->m_dwVersion = 0x0601;
  AfxDaoInit();
  Enable3dControls();
  // The program has no class factories of its own: neither registers any.
  if (RunEmbedded() || RunAutomated())
    COleTemplateServer::RegisterAll();
  else
    COleObjectFactory::UpdateRegistryAll();
  LoadingSnapshot = 0;

  WCHAR program[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, program, MAX_PATH);
  CString folder = program;
  folder = folder.Left(folder.ReverseFind(L'\\') + 1);
  ProgramFolder = reinterpret_cast<const char16_t*>(static_cast<LPCWSTR>(folder));
  RegisterSnapshotFileType(program);

  SetRegistryKey(L"Local AppWizard-Generated Applications");
  LoadStdProfileSettings(4);
  AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CEx_StyleDoc), RUNTIME_CLASS(CMainFrame),
                                        RUNTIME_CLASS(CEx_StyleView)));
  EnableShellOpen();
  RegisterShellFileTypes(TRUE);

  // The engine reports to the windows from here on: the drive page fills
  // its tables when it is made.
  SetEngineUi(&TheProgramUi());
  CCommandLineInfo commandLine;
  ParseCommandLine(commandLine);
  if (!ProcessShellCommand(commandLine)) return FALSE;

  auto* frame = dynamic_cast<CMainFrame*>(m_pMainWnd);
  if (frame == nullptr) return FALSE;
  frame->StartView = frame->GetActiveView();
  Views[kStartPage] = frame->StartView;
  CreateWizardViews(frame);

  frame->ShowWindow(SW_HIDE);
  frame->ShowWindow(SW_MINIMIZE);
  frame->ShowWindow(SW_SHOWNORMAL);
  frame->ShowWindow(SW_SHOW);
  CheckDeviceConnected();

  CString tail = m_lpCmdLine != nullptr ? m_lpCmdLine : L"";
  tail.TrimLeft();
  tail.TrimRight();
  if (!tail.IsEmpty()) {
    LoadCommandLineSnapshot(frame, tail);
  } else {
    CString recent = GetProfileString(L"Most Recent Check Book File", L"File", nullptr);
    if (!recent.IsEmpty()) OpenDocumentFile(recent);
  }
  frame->RestoreAndShowWindow(0);
  return TRUE;
}

void CEx_StyleApp::CreateWizardViews(CMainFrame* frame) {
  Views[kDrivePage] = new CFirstView_HDD;
  Views[kScanPage] = new CSecondView_HDD;
  Views[kFileSystemPage] = new CFileSystemView;
  Views[kResultsPage] = new CThirdView_HDD;
  CCreateContext context;
  context.m_pCurrentDoc = frame->GetActiveDocument();
  for (int page = kDrivePage; page <= kResultsPage; ++page)
    Views[page]->Create(nullptr, nullptr, WS_CHILD | WS_BORDER, CRect(0, 0, 0, 0), frame,
                        AFX_IDW_PANE_FIRST + page, &context);
  for (int page = kDrivePage; page <= kResultsPage; ++page) Views[page]->OnInitialUpdate();
}

CView* CEx_StyleApp::SwitchView(int page) { return SwitchWizardView(GetMainFrame(), Views, page); }
