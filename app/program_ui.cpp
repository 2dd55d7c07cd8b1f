#include "program_ui.h"

#include "framework.h"

#include "app_message.h"
#include "app_message_dlg.h"
#include "html_message_box.h"
#include "main_frame.h"
#include "scan_control.h"
#include "shell_app.h"
#include "wizard_views.h"

namespace {

LPCWSTR Wide(const std::u16string& text) { return reinterpret_cast<LPCWSTR>(text.c_str()); }

CListCtrl* ResultsList() {
  CThirdView_HDD* results = ResultsView();
  return results != nullptr && results->FoundFiles.GetSafeHwnd() != nullptr ? &results->FoundFiles : nullptr;
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
    PumpMessages();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void ProgramUi::PumpMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (msg.message == WM_QUIT || !AfxPumpMessage()) return;
  }
}

void ProgramUi::ShowStopMessageBox(const std::u16string& text) {
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
}

void ProgramUi::ShowAppMessage(int, const std::u16string&) {
  CAppMessageDlg dialog;
  dialog.DoModal();
}

int ProgramUi::AskQuestion(int, const std::u16string&) {
  CQuestionDlg dialog;
  return static_cast<int>(dialog.DoModal());
}

void ProgramUi::ShowMessageBox(const std::u16string& text, const std::u16string& caption) {
  CWnd* main = AfxGetMainWnd();
  ::MessageBoxW(main != nullptr ? main->GetSafeHwnd() : nullptr, Wide(text), Wide(caption), MB_OK);
}

void ProgramUi::SetResultColumns(bool rawScan) {
  CThirdView_HDD* results = ResultsView();
  if (results == nullptr || results->FoundFiles.GetSafeHwnd() == nullptr) return;
  results->DeleteAllColumns();
  results->InsertModeColumns(rawScan);
  if (CMainFrame* frame = GetMainFrame()) frame->StartPageActive = 0;
}

void ProgramUi::DeleteAllRows() {
  if (CListCtrl* list = ResultsList()) list->DeleteAllItems();
}

int ProgramUi::InsertRow(int index, const std::u16string (&columns)[6], RowIcon) {
  CListCtrl* list = ResultsList();
  if (list == nullptr) return -1;
  const int row = list->InsertItem(index, Wide(columns[0]));
  if (row < 0) return -1;
  const int count = static_cast<int>(list->GetHeaderCtrl()->SendMessage(HDM_GETITEMCOUNT));
  // A Raw Scan row fills name, type and ID.
  if (count == 3) {
    list->SetItemText(row, 1, Wide(columns[1]));
    list->SetItemText(row, 2, Wide(columns[5]));
  } else {
    for (int i = 1; i < 6 && i < count; ++i) list->SetItemText(row, i, Wide(columns[i]));
  }
  return row;
}

void ProgramUi::SetReportView() {
  if (CListCtrl* list = ResultsList()) list->ModifyStyle(LVS_TYPEMASK, LVS_REPORT);
}

void ProgramUi::RedrawList() {
  if (CListCtrl* list = ResultsList()) {
    list->Invalidate(TRUE);
    list->UpdateWindow();
  }
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
