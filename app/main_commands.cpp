// The frame's commands: the menu, their enablement by the wizard's step and
// the scan mode, and the wizard pages' button bars.
#include "main_frame.h"

#include <shellapi.h>
#include <io.h>

#include "about_dlg.h"
#include "customize_pages.h"
#include "customize_settings_page.h"
#include "customize_sheet.h"
#include "toolkit_resources.h"
#include "app_message.h"
#include "app_message_dlg.h"
#include "drive_info_dlg.h"
#include "find_files_dlg.h"
#include "open_save_dialog.h"
#include "program_folder.h"
#include "recovery_settings_dlg.h"
#include "scan_control.h"
#include "shell_app.h"
#include "shell_resources.h"
#include "snapshot/snapshot.h"
#include "wizard_views.h"

namespace {

constexpr WCHAR kSnapshotFilter[] = L"*.wrx\0*.wrx\0";

// The results of a scan are current: step four after an Advance Scan,
// step three after the others.
bool ResultsCurrent(const CommandGate& gate) {
  return gate.scanMode == kAdvanceScan ? gate.stepFour != 0 : gate.stepThree != 0;
}

// Find Files and Drive Information: the results, by the step of the mode.
bool ModeStepCurrent(const CommandGate& gate) {
  if (gate.scanMode == kAdvanceScan) return gate.stepFour != 0;
  if (gate.scanMode == kStandardScan) return gate.stepThree != 0;
  return false;
}

CListCtrl* ResultsList() {
  CThirdView_HDD* results = ResultsView();
  return results != nullptr && results->FoundFiles.GetSafeHwnd() != nullptr ? &results->FoundFiles : nullptr;
}

// The results page's content, once the page exists.
CResultsPane* ResultsPane() {
  CThirdView_HDD* results = ResultsView();
  return results != nullptr && results->Results.GetSafeHwnd() != nullptr ? &results->Results : nullptr;
}

void SetListView(std::initializer_list<DWORD> styles) {
  CListCtrl* list = ResultsList();
  if (list == nullptr) return;
  for (DWORD style : styles) list->ModifyStyle(LVS_TYPEMASK, style);
  list->UpdateWindow();
}

CString FromU16(const std::u16string& text) { return CString(reinterpret_cast<LPCWSTR>(text.c_str())); }
std::u16string ToU16(LPCWSTR text) { return std::u16string(reinterpret_cast<const char16_t*>(text)); }

}  // namespace

int MenuCommandEnabled(UINT id, const CommandGate& gate) {
  switch (id) {
    case ID_RECOVER_SELECTED:
    case ID_SAVE_SNAPSHOT:
    case ID_VIEW_ICONS:
    case ID_VIEW_LIST_MODE:
    case ID_VIEW_DETAILS_MODE:
    case ID_FILE_FILTERS:
      return ResultsCurrent(gate) ? 1 : 0;
    case ID_LOAD_SNAPSHOT:
      return gate.modeChosen != 0 ? 1 : 0;
    case ID_FIND_FILES:
      return ModeStepCurrent(gate) ? 1 : 0;
    case ID_SETTINGS:
      return gate.scanMode == kRawScan ? 0 : -1;
    case ID_DRIVE_INFORMATION:
      return gate.scanMode == kRawScan ? -1 : (ModeStepCurrent(gate) ? 1 : 0);
    default:
      return -1;
  }
}

bool BarCommandPasses(UINT id, const CommandGate& gate) {
  switch (id) {
    case ID_BAR_RECOVER:
      return gate.scanMode == kRawScan || ResultsCurrent(gate);
    case ID_BAR_SAVE:
      return ResultsCurrent(gate);
    case ID_BAR_LOAD:
      return gate.modeChosen != 0;
    case ID_BAR_FIND:
      return ModeStepCurrent(gate);
    case ID_BAR_SETTING:
      return gate.scanMode != kRawScan;
    case ID_BAR_HELP:
      return true;
    default:
      return false;
  }
}

CommandGate CurrentGate(const CMainFrame* frame) {
  CommandGate gate = {ScanMode, 0, 0, 0};
  if (frame != nullptr) {
    gate.stepThree = frame->StepThreeActive;
    gate.stepFour = frame->StepFourActive;
    gate.modeChosen = frame->ScanModeChosen;
  }
  return gate;
}

void OnWizardBarCommand(UINT id) {
  CMainFrame* frame = GetMainFrame();
  if (frame == nullptr) return;
  // A failing gate does nothing and disables nothing.
  if (BarCommandPasses(id, CurrentGate(frame))) frame->RouteMainCommand(id);
}

void CMainFrame::RouteMainCommand(UINT id) {
  switch (id) {
    case ID_BAR_RECOVER:
      OnRecoverSelected();
      break;
    case ID_BAR_SAVE:
      OnSaveSnapshot();
      break;
    case ID_BAR_LOAD:
      OnLoadSnapshot();
      break;
    case ID_BAR_FIND:
      OnFindFiles();
      break;
    case ID_BAR_SETTING:
      ShowRecoverySettingsDlg();
      break;
    case ID_BAR_HELP:
      ShowHelpFile();
      break;
    default:
      break;
  }
}

void CMainFrame::OnUpdateResultsCommand(CCmdUI* pCmdUI) {
  pCmdUI->Enable(MenuCommandEnabled(pCmdUI->m_nID, CurrentGate(this)) == 1);
}

void CMainFrame::OnUpdateLoadSnapshot(CCmdUI* pCmdUI) { OnUpdateResultsCommand(pCmdUI); }
void CMainFrame::OnUpdateFindFiles(CCmdUI* pCmdUI) { OnUpdateResultsCommand(pCmdUI); }

// "Not changed" leaves the item as it is: no Enable call at all.
void CMainFrame::OnUpdateSettings(CCmdUI* pCmdUI) {
  const int enabled = MenuCommandEnabled(pCmdUI->m_nID, CurrentGate(this));
  if (enabled >= 0) pCmdUI->Enable(enabled);
}

void CMainFrame::OnUpdateDriveInformation(CCmdUI* pCmdUI) { OnUpdateSettings(pCmdUI); }

void CMainFrame::OnRecoverSelected() {
  if (CResultsPane* pane = ResultsPane()) pane->OnRecoverSelected();
}

void CMainFrame::OnFindFiles() {
  CResultsPane* pane = ResultsPane();
  if (pane == nullptr) return;
  CFindFilesDlg dialog(&pane->Tree, this);
  dialog.DefaultDestination = pane->DefaultDestination;
  dialog.DoModal();
}

void CMainFrame::OnFileFilters() {
  if (CResultsPane* pane = ResultsPane()) pane->ShowFileFilters();
}

void CMainFrame::OnSaveSnapshot() {
  COpenSaveDialog dialog(0, nullptr, nullptr, OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST,
                         kSnapshotFilter, nullptr);
  if (dialog.ShowModal() != IDOK) return;
  const std::u16string chosen = ToU16(dialog.GetFilePath());
  if (ScanMode == kRawScan)
    SaveRawSnapshot(chosen);
  else
    SaveSnapshot(chosen);
}

void CMainFrame::OnLoadSnapshot() {
  COpenSaveDialog dialog(1, nullptr, nullptr, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT,
                         kSnapshotFilter, nullptr);
  if (dialog.ShowModal() != IDOK) return;
  // Of several names the last counts.
  CString chosen;
  POSITION pos = dialog.GetStartPosition();
  while (pos != nullptr) chosen = dialog.GetNextSelectedPath(pos);
  if (chosen.IsEmpty()) return;
  OpenSnapshot(ToU16(chosen));
}

void CMainFrame::OnViewIcons() {
  // Through the list view and back, so that the small icons are arranged again.
  SetListView({LVS_AUTOARRANGE | LVS_SMALLICON, LVS_AUTOARRANGE | LVS_LIST, LVS_AUTOARRANGE | LVS_SMALLICON});
}

void CMainFrame::OnViewList() { SetListView({LVS_AUTOARRANGE | LVS_LIST}); }

void CMainFrame::OnViewDetails() { SetListView({LVS_AUTOARRANGE | LVS_REPORT}); }

void CMainFrame::OnSettings() { ShowRecoverySettingsDlg(); }

void CMainFrame::OnDriveInformation() {
  CDriveInfoDlg dialog;
  dialog.DoModal();
}

void CMainFrame::OnHelpCommand() { ShowHelpFile(); }

void CMainFrame::ShowHelpFile() {
  const CString path = FromU16(ProgramFolderPath()) + L"Mulvara.chm";
  if (_waccess(path, 0) == 0) {
    ::ShellExecuteW(nullptr, L"open", path, nullptr, nullptr, SW_SHOWNORMAL);
    return;
  }
  ShowAppMessage(2, u"Mulvara.chm not found");
}

void CMainFrame::OnCustomize() {
  CTkCommandBars* commandBars = GetCommandBars();
  if (commandBars == nullptr) return;
  auto* sheet = new CTkCustomizeSheet(commandBars, 0);
  auto* options = new CTkCustomizeSettingsPage(sheet);
  sheet->AddCustomizePage(options);
  CTkCustomizeCommandsPage* commands = sheet->GetCommandsPage();
  commands->AddCategoriesFromMenu(IDR_MAINFRAME, FALSE);
  commands->AddAllCommandsCategory(IDS_TK_ALL_COMMANDS, -1);
  commands->AddBuiltInMenusCategory(IDR_MAINFRAME, IDS_TK_BUILT_IN_MENUS, -1);
  commands->AddNewMenuCategory(IDS_TK_NEW_MENU, -1);
  sheet->DoModal();
  delete options;
  delete sheet;
}
