// What the scan wizard's trees and panes share with the main frame and with
// each other: the frame's step flags, the row last selected, its two
// information panes, and the summaries the panes show.
#pragma once

#include "framework.h"
#include "wizard_frame_state.h"

// The main frame's wizard state; where no main frame exists (the wizard's
// own tests and demo) one kept here.
WizardFrameState& WizardFrame();

// What the trees and panes ask of the pages around them: the application
// implements it with its views; by default nothing happens.
class WizardPageHooks {
 public:
  virtual ~WizardPageHooks() = default;
  // The page of a WizardPage index becomes the frame's active view.
  virtual void ActivatePage(int /*page*/) {}
  // Tab in a page's tree: the page takes the focus and starts its ring.
  virtual void TabToPage(int /*page*/) {}
  // Enter in a page's tree: the page takes the focus and runs its Next.
  virtual void PressNext(int /*page*/) {}
  // Tab in the results page's tree.
  virtual void FocusResultsList() {}
};
WizardPageHooks& PageHooks();
// Null restores the silent hooks.
void SetPageHooks(WizardPageHooks* hooks);

// The two-line summary of scan mode and drive kind.
extern CString SelectedModeText;
// The LogicalDriveTable row of the volume the drive pane showed last; -1.
extern int SelectedVolumeRow;

// The summary the drive tree writes for a scan mode and drive kind (1
// physical, 2 logical); empty for any other kind.
CString DriveSelectionModeText(int scanMode, int driveKind);

// "FAT16", "FAT32", "NTFS" for 100, 200 and 300; null for anything else.
LPCWSTR FileSystemTypeText(int type);

// The text of the tree item clicked last (the main frame's), and the item
// the keyboard reached last in a tree.
extern CString SelectedTreeText;
extern HTREEITEM LastTreeItem;
