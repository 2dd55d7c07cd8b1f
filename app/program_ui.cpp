#include "program_ui.h"

#include "framework.h"

#include "app_message.h"
#include "app_message_dlg.h"
#include "file_system_form.h"
#include "file_system_view.h"
#include "html_message_box.h"
#include "first_display.h"
#include "first_view_hdd.h"
#include "main_frame.h"
#include "partition_choice_dlg.h"
#include "progress_dialog.h"
#include "scan_completion.h"
#include "second_display.h"
#include "second_view_hdd.h"
#include "volumes/partition_table.h"
#include "wizard_state.h"
#include "scan_control.h"
#include "shell_app.h"
#include "wizard_views.h"

namespace {

LPCWSTR Wide(const std::u16string& text) { return reinterpret_cast<LPCWSTR>(text.c_str()); }

// Runs body on the interface thread: directly there, else sent to the drive
// page, which runs it while the worker waits. Without the page (no
// windows yet) it runs here.
template <class Body>
LRESULT OnUiThread(Body body) {
  CFirstView_HDD* page = DrivePage();
  HWND target = page != nullptr ? page->GetSafeHwnd() : nullptr;
  if (target == nullptr || ::GetWindowThreadProcessId(target, nullptr) == ::GetCurrentThreadId()) return body();
  struct Call : UiThreadCall {
    explicit Call(Body& b) : body(b) {}
    LRESULT Run() override { return body(); }
    Body& body;
  } call(body);
  return ::SendMessageW(target, WM_RUN_ON_UI_THREAD, 0, reinterpret_cast<LPARAM>(&call));
}

// Runs body with the results page's interface on the interface thread;
// nothing before the page exists.
template <class Body>
void OnResultsPage(Body body) {
  OnUiThread([&]() -> LRESULT {
    CThirdView_HDD* page = ResultsView();
    if (ResultsUi* ui = page != nullptr ? page->Ui() : nullptr) body(*ui);
    return 0;
  });
}

CWnd* DialogOwner() {
  CMainFrame* frame = GetMainFrame();
  return frame != nullptr ? static_cast<CWnd*>(frame) : AfxGetMainWnd();
}

}  // namespace

ProgramUi& TheProgramUi() {
  static ProgramUi ui;
  return ui;
}

void ProgramUi::SwitchView(int wizardPage) {
  if (CMainFrame* frame = GetMainFrame()) SwitchWizardView(frame, WizardViews, wizardPage);
}

void ProgramUi::RepaintView(int wizardPage) {
  if (wizardPage < 0 || wizardPage > 4 || WizardViews[wizardPage] == nullptr) return;
  WizardViews[wizardPage]->Invalidate(TRUE);
  WizardViews[wizardPage]->UpdateWindow();
}

void ProgramUi::SetStepFlags(bool scanIdleOnly) {
  CMainFrame* frame = GetMainFrame();
  if (frame == nullptr) return;
  if (scanIdleOnly) {
    frame->ScanIdle = 1;
    return;
  }
  frame->StepOneActive = 0;
  frame->StepTwoActive = 0;
  frame->StepThreeActive = 1;
  frame->StepFourActive = 0;
  frame->StartPageActive = 0;
}

void ProgramUi::SetSelectedTreeRow(int row) {
  if (CMainFrame* frame = GetMainFrame()) frame->SelectedTreeRow = row;
}

void ProgramUi::Wait(int milliseconds) {
  // Waiting on the interface thread keeps the windows painted.
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
  while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (msg.message == WM_QUIT || !AfxPumpMessage()) return;
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void ProgramUi::PumpMessages() {
  // Only what other threads sent: a worker blocked on a window update gets
  // its answer, and no input reaches a handler while the worker is paused.
  MSG msg;
  ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

void ProgramUi::ShowStopMessageBox(const std::u16string& text) {
  // A failing scan worker asks for it: the box is made where the pages live.
  OnUiThread([&]() -> LRESULT {
    MessageBoxParams params = {};
    FillAppMessageParams(params);
    // The button face, no effect, the scan view over it.
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    params.background.effect = -1;
    params.background.beginColor = face;
    params.background.middleColor = face;
    params.background.endColor = face;
    HWND owner = WizardViews[kScanPage] != nullptr ? WizardViews[kScanPage]->GetSafeHwnd() : nullptr;
    ShowHtmlMessageBox(owner, Wide(text), L"Mulvara", MB_ICONHAND, &params);
    return 0;
  });
}

void ProgramUi::ShowAppMessage(int, const std::u16string&) {
  OnUiThread([]() -> LRESULT {
    CAppMessageDlg dialog;
    dialog.DoModal();
    return 0;
  });
}

int ProgramUi::AskQuestion(int, const std::u16string&) {
  return static_cast<int>(OnUiThread([]() -> LRESULT {
    CQuestionDlg dialog;
    return dialog.DoModal();
  }));
}

void ProgramUi::ShowMessageBox(const std::u16string& text, const std::u16string& caption) {
  OnUiThread([&]() -> LRESULT {
    CWnd* main = AfxGetMainWnd();
    return ::MessageBoxW(main != nullptr ? main->GetSafeHwnd() : nullptr, Wide(text), Wide(caption), MB_OK);
  });
}

int ProgramUi::AskPartitionChoice() {
  return static_cast<int>(OnUiThread([]() -> LRESULT {
    CPartitionChoiceDlg dialog(DialogOwner());
    dialog.DoModal();
    return SearchPartitionsRequested == 1 ? 1 : 0;
  }));
}

void ProgramUi::AddDriveTreePath(const std::string& path, int drive) {
  if (CFirstView_HDD* page = DrivePage()) page->DriveTree.AddPath(path, drive);
}

void ProgramUi::ExpandDriveTree() {
  if (CFirstView_HDD* page = DrivePage()) page->DriveTree.ExpandRoot();
}

void ProgramUi::SetDrivePageStatus(const std::u16string& text) {
  if (CFirstView_HDD* page = DrivePage()) page->SetStatusText(Wide(text));
}

void ProgramUi::SetDriveInfoStatus(const std::u16string& text) {
  if (CFirstDisplay* pane = WizardFrame().DriveInfoPane)
    if (pane->HintText.GetSafeHwnd() != nullptr) pane->HintText.SetWindowText(Wide(text));
}

void ProgramUi::SetDrivePageProgress(int percent) {
  if (CFirstView_HDD* page = DrivePage()) page->SetProgressPos(percent);
}

void ProgramUi::AddDiskItem(const std::u16string& top, const std::u16string& child) {
  // Tree items are made where the tree lives.
  OnUiThread([&]() -> LRESULT {
    if (CSecondView_HDD* page = PartitionPage()) page->PartitionTree.AddDiskItem(Wide(top), Wide(child));
    return 0;
  });
}

void ProgramUi::ExpandPartitionTree() {
  OnUiThread([]() -> LRESULT {
    if (CSecondView_HDD* page = PartitionPage()) page->PartitionTree.ExpandRoot();
    return 0;
  });
}

void ProgramUi::ClearFolderTree() {
  OnResultsPage([](ResultsUi& ui) { ui.ClearFolderTree(); });
}

TreeItem ProgramUi::InsertFolderItem(const std::u16string& text, TreeItem parent) {
  TreeItem item = 0;
  OnResultsPage([&](ResultsUi& ui) { item = ui.InsertFolderItem(text, parent); });
  return item;
}

void ProgramUi::AddFatFolders(TreeItem parent, uint32_t parentCluster) {
  OnResultsPage([&](ResultsUi& ui) { ui.AddFatFolders(parent, parentCluster); });
}

void ProgramUi::AddNtfsFolders(TreeItem parent, uint32_t parentRecord) {
  OnResultsPage([&](ResultsUi& ui) { ui.AddNtfsFolders(parent, parentRecord); });
}

void ProgramUi::BuildRawTree(TreeItem parent) {
  OnResultsPage([&](ResultsUi& ui) { ui.BuildRawTree(parent); });
}

void ProgramUi::ExpandItem(TreeItem item) {
  OnResultsPage([&](ResultsUi& ui) { ui.ExpandItem(item); });
}

void ProgramUi::FocusFolderTree() {
  OnResultsPage([](ResultsUi& ui) { ui.FocusFolderTree(); });
}

void ProgramUi::SetResultColumns(bool rawScan) {
  OnResultsPage([&](ResultsUi& ui) { ui.SetResultColumns(rawScan); });
  if (CMainFrame* frame = GetMainFrame()) frame->StartPageActive = 0;
}

void ProgramUi::DeleteAllRows() {
  OnResultsPage([](ResultsUi& ui) { ui.DeleteAllRows(); });
}

int ProgramUi::InsertRow(int index, const std::u16string (&columns)[6], RowIcon icon) {
  int row = -1;
  OnResultsPage([&](ResultsUi& ui) { row = ui.InsertRow(index, columns, icon); });
  return row;
}

void ProgramUi::SetRowChecked(int row) {
  OnResultsPage([&](ResultsUi& ui) { ui.SetRowChecked(row); });
}

std::u16string ProgramUi::ShellTypeName(const std::u16string& fileName) {
  std::u16string type = u"File";
  OnResultsPage([&](ResultsUi& ui) { type = ui.ShellTypeName(fileName); });
  return type;
}

void ProgramUi::SetReportView() {
  OnResultsPage([](ResultsUi& ui) { ui.SetReportView(); });
}

void ProgramUi::RedrawList() {
  OnResultsPage([](ResultsUi& ui) { ui.RedrawList(); });
}

std::vector<TreeItem> ProgramUi::SelectedFolderItems() {
  std::vector<TreeItem> items;
  OnResultsPage([&](ResultsUi& ui) { items = ui.SelectedFolderItems(); });
  return items;
}

std::vector<uint32_t> ProgramUi::SelectedRootFiles() {
  std::vector<uint32_t> files;
  OnResultsPage([&](ResultsUi& ui) { files = ui.SelectedRootFiles(); });
  return files;
}

void ProgramUi::AddSubtreeTotals(TreeItem folder) {
  OnResultsPage([&](ResultsUi& ui) { ui.AddSubtreeTotals(folder); });
}

void ProgramUi::ShowSelectedSizeText(const std::u16string& text) {
  OnResultsPage([&](ResultsUi& ui) { ui.ShowSelectedSizeText(text); });
}

void ProgramUi::ClearSelectedSize() {
  OnResultsPage([](ResultsUi& ui) { ui.ClearSelectedSize(); });
}

std::vector<std::u16string> ProgramUi::PreviewTempFiles() {
  std::vector<std::u16string> files;
  CFoundFileListCtrl* list = FoundFileListCtrl();
  if (list == nullptr) return files;
  POSITION pos = list->PreviewTempFiles.GetStartPosition();
  while (pos != nullptr) {
    CString key, value;
    list->PreviewTempFiles.GetNextAssoc(pos, key, value);
    files.emplace_back(reinterpret_cast<const char16_t*>(static_cast<LPCWSTR>(key)));
  }
  return files;
}

namespace {

CSecondDisplay* ScanPane() { return WizardFrame().ScanInfoPane; }

// The file-system page while its own scan runs.
CFileSystemView* FileSystemScanPage() {
  CFileSystemView* page = FileSystemPage();
  return page != nullptr && page->ScanRunsHere() ? page : nullptr;
}

void SetWindowShown(CWnd* window, bool shown, bool enabled) {
  if (window == nullptr || window->GetSafeHwnd() == nullptr) return;
  window->ShowWindow(shown ? SW_SHOW : SW_HIDE);
  window->EnableWindow(enabled ? TRUE : FALSE);
}

// The last position each bar was sent: workers report per entry read, the
// bar moves per cent, and every message to it crosses threads.
std::atomic<HWND> lastBar{nullptr};
std::atomic<int> lastPosition{-1};

}  // namespace

void ProgramUi::SetStatusText(const std::u16string& text) {
  if (CSecondView_HDD* page = PartitionPage()) page->SetStatusText(Wide(text));
}

void ProgramUi::SetProgress(int percent) {
  CGradientProgressCtrl* bar = nullptr;
  if (CFileSystemView* files = FileSystemScanPage())
    bar = &files->ProgressBar;
  else if (CSecondView_HDD* page = PartitionPage())
    bar = &page->ProgressBar;
  if (bar == nullptr || bar->GetSafeHwnd() == nullptr) return;
  if (lastBar.exchange(bar->GetSafeHwnd()) == bar->GetSafeHwnd() && lastPosition.exchange(percent) == percent) return;
  lastPosition = percent;
  bar->SendMessage(PBM_SETPOS, static_cast<WPARAM>(percent));
}

void ProgramUi::SetPaneValue(PaneValue row, const std::u16string& text) {
  const int index = static_cast<int>(row);
  if (!ShowScanProgress || index < 0 || index >= 5) return;
  if (CSecondDisplay* pane = ScanPane())
    if (pane->ValueStatics[index].GetSafeHwnd() != nullptr) pane->ValueStatics[index].SetWindowText(Wide(text));
}

void ProgramUi::ShowFatScanCaptions() {
  OnUiThread([]() -> LRESULT {
    if (CSecondDisplay* pane = ScanPane()) pane->ShowFatScanCaptions();
    return 0;
  });
}

void ProgramUi::SetControl(ScanControl control, bool shown, bool enabled) {
  CSecondView_HDD* page = PartitionPage();
  CFileSystemView* files = FileSystemPage();
  switch (control) {
    case ScanControl::Next:
      if (page != nullptr) SetWindowShown(&page->NextButton, shown, enabled);
      break;
    case ScanControl::Back:
      if (page != nullptr) SetWindowShown(&page->BackButton, shown, enabled);
      break;
    case ScanControl::StartOver:
      if (page != nullptr) SetWindowShown(&page->StartOverButton, shown, enabled);
      break;
    case ScanControl::Stop:
      if (page != nullptr) SetWindowShown(&page->StopButton, shown, enabled);
      break;
    case ScanControl::ProgressBar:
      if (page != nullptr) SetWindowShown(&page->ProgressBar, shown, enabled);
      break;
    case ScanControl::StatusLine:
      if (page != nullptr) SetWindowShown(&page->StatusLine, shown, enabled);
      break;
    case ScanControl::PartitionTree:
      // A logical drive's page hides its tree: only the input follows.
      if (page != nullptr && page->PartitionTree.GetSafeHwnd() != nullptr)
        page->PartitionTree.EnableWindow(enabled ? TRUE : FALSE);
      break;
    case ScanControl::ProgressToggle:
      if (CSecondDisplay* pane = ScanPane()) {
        SetWindowShown(&pane->ProgressToggle, shown, enabled);
        SetWindowShown(&pane->ProgressNote, shown, enabled);
      }
      break;
    case ScanControl::FileSystemNext:
      if (files != nullptr) SetWindowShown(&files->NextButton, shown, enabled);
      break;
    case ScanControl::FileSystemBack:
      if (files != nullptr) SetWindowShown(&files->BackButton, shown, enabled);
      break;
    case ScanControl::FileSystemStartOver:
      if (files != nullptr) SetWindowShown(&files->StartOverButton, shown, enabled);
      break;
    case ScanControl::FileSystemStop:
      if (files != nullptr) SetWindowShown(&files->StopButton, shown, enabled);
      break;
    default:
      break;
  }
}

void ProgramUi::SetBusy(bool busy) {
  // The wait cursor is the interface thread's.
  OnUiThread([busy]() -> LRESULT {
    CSecondView_HDD* page = PartitionPage();
    if (page == nullptr) return 0;
    if (busy && !page->BusyCursor) {
      page->BeginWaitCursor();
      page->BusyCursor = 1;
    } else if (!busy && page->BusyCursor) {
      page->EndWaitCursor();
      page->BusyCursor = 0;
    }
    return 0;
  });
}

void ProgramUi::StopScanTimer() {
  // A window's timer is killed by the thread that owns it.
  OnUiThread([]() -> LRESULT {
    CWnd* page = FileSystemScanPage();
    if (page == nullptr) page = PartitionPage();
    if (page != nullptr && page->GetSafeHwnd() != nullptr) page->KillTimer(kScanTimer);
    return 0;
  });
}

void ProgramUi::SetProgressToggleText(const std::u16string& text) {
  if (CSecondDisplay* pane = ScanPane())
    if (pane->ProgressToggle.GetSafeHwnd() != nullptr) pane->ProgressToggle.SetWindowText(Wide(text));
}

int ProgramUi::FileSystemTreeVisibleItems() {
  CFileSystemView* files = FileSystemPage();
  if (files == nullptr || files->VolumeTree.GetSafeHwnd() == nullptr) return 0;
  int count = 0;
  for (HTREEITEM item = files->VolumeTree.GetRootItem(); item != nullptr;
       item = files->VolumeTree.GetNextVisibleItem(item))
    ++count;
  return count;
}

void ProgramUi::SetFileSystemInfoText(const std::u16string& text) {
  if (CFileSystemForm* form = TheFileSystemForm())
    if (form->HintLine.GetSafeHwnd() != nullptr) form->HintLine.SetWindowText(Wide(text));
}

TreeItem ProgramUi::AddVolumeItem(const std::u16string& text, TreeItem parent) {
  // Tree items are made where the tree lives.
  return static_cast<TreeItem>(OnUiThread([&]() -> LRESULT {
    CFileSystemView* files = FileSystemPage();
    if (files == nullptr || files->VolumeTree.GetSafeHwnd() == nullptr) return 0;
    HTREEITEM item = parent == 0 ? files->VolumeTree.InsertVolumeItem(Wide(text), TVI_ROOT)
                                 : files->VolumeTree.AddVolumeItem(Wide(text), reinterpret_cast<HTREEITEM>(parent));
    return reinterpret_cast<LRESULT>(item);
  }));
}

void ProgramUi::ExpandVolumeItem(TreeItem item) {
  OnUiThread([item]() -> LRESULT {
    CFileSystemView* files = FileSystemPage();
    if (files != nullptr && files->VolumeTree.GetSafeHwnd() != nullptr && item != 0)
      files->VolumeTree.Expand(reinterpret_cast<HTREEITEM>(item), TVE_EXPAND);
    return 0;
  });
}

void ProgramUi::SetFileSystemStatus(const std::u16string& text) {
  if (CFileSystemView* files = FileSystemPage()) files->SetStatusText(Wide(text));
}

void ProgramUi::OpenListProgress() {
  // A modeless window: made on the interface thread, whose loop runs it.
  OnUiThread([]() -> LRESULT {
    ::OpenListProgress(ResultsView());
    return 0;
  });
}

void ProgramUi::SetListProgress(int percent) { ::SetListProgress(percent); }

void ProgramUi::CloseListProgress() {
  OnUiThread([]() -> LRESULT {
    ::CloseListProgress();
    return 0;
  });
}
