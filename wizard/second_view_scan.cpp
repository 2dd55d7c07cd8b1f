// The partition page's scan half: Next in each mode, the scan starts, Stop,
// the completion timer and the wait cursor.
#include "second_view_hdd.h"

#include "advance/advance_scan.h"
#include "device/sector_access.h"
#include "engine_ui.h"
#include "file_system_form.h"
#include "file_type_dlg.h"
#include "raw/raw_scan.h"
#include "scan_completion.h"
#include "scan_control.h"
#include "scan_next.h"
#include "second_display.h"
#include "standard_scan.h"
#include "volumes/boot_params.h"
#include "wizard_state.h"

namespace {

const wchar_t kSearchingHint[] = L"Searching for lost data. Please wait...";
const wchar_t kFileSystemHint[] =
    L"Please select a file system from the left panel and click [Next] to continue with \r\n"
    L"recovery. Check all the file systems one by one for the required data.";

CString EditText(CEdit* edit) {
  CString text;
  if (edit != nullptr && edit->GetSafeHwnd() != nullptr) edit->GetWindowText(text);
  return text;
}

}  // namespace

void CSecondView_HDD::OnNextButton() {
  if (!CheckScanChoice(ScanMode, WizardFrame().SelectedTreeRow)) return;
  CSecondDisplay* pane = ScanInfo;
  switch (ScanMode) {
    case kAdvanceScan: {
      if (pane != nullptr && pane->FileSystemCombo != nullptr && pane->FileSystemCombo->GetSafeHwnd() != nullptr)
        ApplyFileSystemChoice(pane->FileSystemCombo->GetCurSel());
      if (DriveKind == kLogicalDrive) {
        if (!ReopenLogicalVolume()) return;
        SelectedModeText = DriveSelectionModeText(kAdvanceScan, kLogicalDrive);
      } else if (DriveKind == kPhysicalDrive) {
        if (pane == nullptr ||
            !ReadSectorRange(EditText(pane->StartSectorEdit), EditText(pane->EndSectorEdit), SelectedDeviceSectors()))
          return;
        SelectedModeText = DriveSelectionModeText(kAdvanceScan, kPhysicalDrive);
      }
      const int type = PartitionParameters.chosenType;
      if (pane != nullptr) {
        if (type == kNtfs) {
          pane->ClearValues();
          pane->ShowDeepScanCaptions();
        } else {
          pane->ShowFatSweepCaptions();
        }
      }
      ShowScanningLayout();
      if (pane != nullptr) pane->HideRangeControls();
      StartAdvanceScan();
      if (CFileSystemForm* form = TheFileSystemForm()) {
        form->ShowCaptionsForType(type);
        form->HintLine.SetWindowText(kFileSystemHint);
      }
      break;
    }
    case kStandardScan:
      ShowScanningLayout();
      if (DriveKind == kLogicalDrive || DriveKind == kPhysicalDrive)
        SelectedModeText = DriveSelectionModeText(kStandardScan, DriveKind);
      StartStandardScan();
      break;
    case kRawScan: {
      CFileTypeDlg dialog;
      // Cancelled: nothing runs, so the hint stays as it was.
      if (dialog.DoModal() != IDOK) return;
      ShowScanningLayout();
      if (DriveKind == kLogicalDrive || DriveKind == kPhysicalDrive)
        SelectedModeText = DriveSelectionModeText(kRawScan, DriveKind);
      StartRawScan();
      break;
    }
    default:
      return;
  }
  Ui().Wait(50);
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ALLCHILDREN | RDW_UPDATENOW);
  if (pane != nullptr) pane->HintLine.SetWindowText(kSearchingHint);
}

// A failed parameter search of an earlier scan must not keep this one's
// results commands off.
void CSecondView_HDD::StartStandardScan() {
  ParametersNotFound = 0;
  ::StartStandardScan();
  SetTimer(kScanTimer, 1000);
}

void CSecondView_HDD::StartAdvanceScan() {
  ::StartAdvanceScan();
  SetTimer(kScanTimer, 1000);
}

void CSecondView_HDD::StartRawScan() {
  ParametersNotFound = 0;
  ::StartRawScan();
  SetTimer(kScanTimer, 1000);
}

// The engine pauses the worker at a poll point while it asks; Stop stays
// disabled meanwhile so a second click cannot ask again.
void CSecondView_HDD::OnStopScan() {
  if (!ScanRunning || ScanStopFlag != 0) return;
  const BOOL hadStop = StopButton.GetSafeHwnd() != nullptr;
  if (hadStop) StopButton.EnableWindow(FALSE);
  if (::OnStopScan() == 0 && hadStop && ScanRunning) StopButton.EnableWindow(TRUE);
}

// The engine moves on only once the worker has ended.
void CSecondView_HDD::OnScanTimer(UINT_PTR nIDEvent) {
  ::OnScanTimer(static_cast<int>(nIDEvent));
  Default();
}

BOOL CSecondView_HDD::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (BusyCursor) {
    RestoreWaitCursor();
    return TRUE;
  }
  return CWizardPageView::OnSetCursor(pWnd, nHitTest, message);
}
