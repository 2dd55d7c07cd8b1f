#include "wizard_state.h"

#include "main_frame.h"
#include "scan_control.h"

int SelectedVolumeRow = -1;
CString SelectedTreeText;
HTREEITEM LastTreeItem = nullptr;

namespace {

WizardFrameState frameState;
WizardPageHooks silentHooks;
WizardPageHooks* currentHooks = &silentHooks;

}  // namespace

WizardFrameState& WizardFrame() {
  if (CMainFrame* frame = GetMainFrame()) return *frame;
  return frameState;
}

WizardPageHooks& PageHooks() { return *currentHooks; }

void SetPageHooks(WizardPageHooks* hooks) { currentHooks = hooks != nullptr ? hooks : &silentHooks; }

CString DriveSelectionModeText(int scanMode, int driveKind) {
  if (driveKind != 1 && driveKind != 2) return CString();
  const bool physical = driveKind == 1;
  // The Standard Scan lines keep their wider spacing.
  switch (scanMode) {
    case kStandardScan:
      return physical ? L"Selected Mode  : Standard Scan \r\nDrive Type         : Physical Drive"
                      : L"Selected Mode  : Standard Scan \r\nDrive Type         : Logical Drive";
    case kAdvanceScan:
      return physical ? L"Selected Mode : Advance Scan \r\nDrive Type        : Physical Drive"
                      : L"Selected Mode : Advance Scan \r\nDrive Type        : Logical Drive";
    case kRawScan:
      return physical ? L"Selected Mode : Raw Scan \r\nDrive Type        : Physical Drive"
                      : L"Selected Mode : Raw Scan \r\nDrive Type        : Logical Drive";
    default:
      return CString();
  }
}

LPCWSTR FileSystemTypeText(int type) {
  switch (type) {
    case 100: return L"FAT16";
    case 200: return L"FAT32";
    case 300: return L"NTFS";
    default: return nullptr;
  }
}
