// The drive selection that a click in the drive trees writes, over trees
// the engine fills itself: the drive page's from image devices, the
// partition page's from the partition search.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/image_devices.h"
#include "device/logical_drives.h"
#include "device/physical_drives.h"
#include "device/sector_access.h"
#include "engine_state.h"
#include "file_system_tree.h"
#include "first_display.h"
#include "scan_control.h"
#include "second_display.h"
#include "test_images.h"
#include "volumes/boot_params.h"
#include "volumes/partition_table.h"
#include "wizard_state.h"
#include "wizard_test_frame.h"

namespace {

class DriveSelection : public testing::Test {
 protected:
  void SetUp() override {
    ResetEngineState();
    WizardFrame() = WizardFrameState();
    SelectedModeText.Empty();
  }
  void TearDown() override {
    SetEngineUi(nullptr);
    UseImageDevices("");
    ClosePhysicalDrive();
    CloseVolume();
    ResetEngineState();
    WizardFrame() = WizardFrameState();
  }

  // The drive page: three USB disks after the system's own drive, their
  // FAT32 volumes with letters, filled as the page's OnCreate fills it.
  void FillDrivePage(WizardTestFrame& frame) {
    std::string list;
    for (int n = 0; n < 3; ++n) list += (n ? std::string(1, kImageListSeparator) : "") + CopyOfImage("usb_fat32_mbr");
    UseImageDevices(list);
    TreeFillingUi ui(frame.tree);
    SetEngineUi(&ui);
    EnumeratePhysicalDrives();
    EnumerateLogicalDrives();
    SetEngineUi(nullptr);
    frame.AddPane(RUNTIME_CLASS(CFirstDisplay));
    WizardFrame().StepOneActive = 1;
  }

  // The visible row of an item as the tree shows it, counted here by hand.
  static int RowOf(const CTreeCtrl& tree, HTREEITEM item) {
    int row = -1;
    for (HTREEITEM at = tree.GetRootItem(); at != nullptr && at != item; at = tree.GetNextVisibleItem(at)) ++row;
    return row;
  }
};

struct SelectionCase {
  const char* item;  // item text; "%d" is the last image disk's slot, "%c" a volume letter
  int scanMode;
  int driveKind;
  int row;          // -2: the item's visible row
  const wchar_t* modeText;
};

TEST_F(DriveSelection, EachItemOfTheDrivePageWritesItsSelection) {
  WizardTestFrame frame;
  FillDrivePage(frame);
  CFirstDisplay* pane = static_cast<CFirstDisplay*>(frame.pane);
  ASSERT_GE(PhysicalSlotCount, 3);
  const int lastDisk = PhysicalSlotCount - 1;
  ASSERT_GE(LogicalDriveCount, 1);
  const int volume = LogicalDriveCount - 1;
  const wchar_t letter = static_cast<wchar_t>(LogicalDriveTable[volume].rootPath[0]);

  const SelectionCase cases[] = {
      {"My Computer", kStandardScan, kNothingSelected, -1, L""},
      {"Physical Devices", kStandardScan, kNothingSelected, -1, L""},
      {"Logical Devices", kRawScan, kNothingSelected, -1, L""},
      {"Hard Disk %d ", kStandardScan, kPhysicalDrive, lastDisk + 1,
       L"Selected Mode  : Standard Scan \r\nDrive Type         : Physical Drive"},
      {"Hard Disk %d ", kAdvanceScan, kPhysicalDrive, lastDisk + 1,
       L"Selected Mode : Advance Scan \r\nDrive Type        : Physical Drive"},
      {"Hard Disk %d ", kRawScan, kPhysicalDrive, lastDisk + 1,
       L"Selected Mode : Raw Scan \r\nDrive Type        : Physical Drive"},
      {"Logical Drives %c: ", kStandardScan, kLogicalDrive, -2,
       L"Selected Mode  : Standard Scan \r\nDrive Type         : Logical Drive"},
      {"Logical Drives %c: ", kAdvanceScan, kLogicalDrive, -2,
       L"Selected Mode : Advance Scan \r\nDrive Type        : Logical Drive"},
      {"Logical Drives %c: ", kRawScan, kLogicalDrive, -2,
       L"Selected Mode : Raw Scan \r\nDrive Type        : Logical Drive"},
  };
  for (const SelectionCase& c : cases) {
    SCOPED_TRACE(std::string(c.item) + " in mode " + std::to_string(c.scanMode));
    CString text(c.item);
    text.Replace(L"%d", std::to_wstring(lastDisk).c_str());
    text.Replace(L"%c", std::wstring(1, letter).c_str());
    HTREEITEM item = FindItem(frame.tree, text);
    ASSERT_NE(item, nullptr);
    ScanMode = c.scanMode;
    DriveKind = kNothingSelected;
    SelectedModeText = L"previous";
    EXPECT_EQ(UpdateDriveSelection(frame.tree, item), text);
    EXPECT_EQ(DriveKind, c.driveKind);
    EXPECT_EQ(WizardFrame().SelectedTreeRow, c.row == -2 ? RowOf(frame.tree, item) : c.row);
    EXPECT_EQ(SelectedModeText, CString(c.modeText));
    if (c.driveKind == kNothingSelected) {
      EXPECT_EQ(WindowText(pane->Values[0]), L"");
      EXPECT_EQ(pane->GetPie().Slices.GetSize(), 0);
    } else if (c.driveKind == kPhysicalDrive) {
      // The disk's number comes from the item, wherever the item sits.
      EXPECT_EQ(SelectedDriveIndex, lastDisk);
      EXPECT_EQ(PartitionCount, 1);  // its table was read
      EXPECT_EQ(WindowText(pane->Values[0]), CString(PhysicalDriveTable[lastDisk].model));
      EXPECT_GE(pane->GetPie().Slices.GetSize(), 1);
    } else {
      EXPECT_EQ(PartitionParameters.logicalDriveIndex, volume);
      EXPECT_EQ(PartitionParameters.chosenType, kFat32);
      EXPECT_EQ(PartitionParameters.startSector, 0u);
      EXPECT_EQ(PartitionParameters.sectorCount, uint32_t(LogicalDriveTable[volume].size));
      EXPECT_EQ(PartitionParameters.endSector, uint32_t(LogicalDriveTable[volume].size));
      EXPECT_EQ(SelectedVolumeRow, volume);
      EXPECT_EQ(WindowText(pane->Values[4]), L"FAT32");
    }
  }
}

TEST_F(DriveSelection, AVolumeWithoutEntryKeepsTheSelectionButTheRow) {
  WizardTestFrame frame;
  FillDrivePage(frame);
  frame.tree.AddPath("My Computer\\Logical Devices\\Logical Drives Q: \\", 20);
  ScanMode = kRawScan;
  HTREEITEM disk = FindItem(frame.tree, L"Hard Disk 1 ");
  ASSERT_NE(disk, nullptr);
  UpdateDriveSelection(frame.tree, disk);
  const CString modeText = SelectedModeText;
  HTREEITEM stray = FindItem(frame.tree, L"Logical Drives Q: ");
  ASSERT_NE(stray, nullptr);
  frame.tree.SelectItem(stray);
  UpdateDriveSelection(frame.tree, stray);
  EXPECT_EQ(DriveKind, kPhysicalDrive);
  EXPECT_EQ(SelectedDriveIndex, 1);
  EXPECT_EQ(SelectedModeText, modeText);
  EXPECT_EQ(WizardFrame().SelectedTreeRow, RowOf(frame.tree, stray));
}

TEST_F(DriveSelection, TheDrivePageTreeIsCheckedBoldAndAddsNothingTwice) {
  WizardTestFrame frame;
  FillDrivePage(frame);
  const UINT count = frame.tree.GetCount();
  frame.tree.AddPath("My Computer\\Physical Devices\\Hard Disk 1 \\", 1);
  EXPECT_EQ(frame.tree.GetCount(), count);
  HTREEITEM top = frame.tree.GetRootItem();
  EXPECT_EQ(frame.tree.GetItemText(top), L"My Computer");
  for (HTREEITEM branch = frame.tree.GetChildItem(top); branch; branch = frame.tree.GetNextSiblingItem(branch)) {
    EXPECT_EQ(frame.tree.GetCheckState(branch), 1);
    EXPECT_TRUE(frame.tree.IsBold(branch));
    EXPECT_TRUE(frame.tree.GetItemState(branch, TVIS_EXPANDED) & TVIS_EXPANDED);
  }
  EXPECT_TRUE(frame.tree.IsBold(top));
  EXPECT_EQ(frame.tree.GetImageList(TVSIL_NORMAL)->GetImageCount(), 7);
  int image = -1, selected = -1;
  frame.tree.GetItemImage(top, image, selected);
  EXPECT_EQ(image, 6);
  frame.tree.GetItemImage(frame.tree.GetChildItem(top), image, selected);
  EXPECT_EQ(image, 5);
}

TEST_F(DriveSelection, ClicksSelectOnlyOnItemsAndTheRightButtonOnlyHighlights) {
  WizardTestFrame frame;
  FillDrivePage(frame);
  ScanMode = kStandardScan;
  HTREEITEM disk = FindItem(frame.tree, L"Hard Disk 1 ");
  ASSERT_NE(disk, nullptr);
  CRect label;
  ASSERT_TRUE(frame.tree.GetItemRect(disk, &label, TRUE));
  const LPARAM onDisk = MAKELPARAM(label.CenterPoint().x, label.CenterPoint().y);
  frame.tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, onDisk);
  frame.tree.SendMessage(WM_LBUTTONUP, 0, onDisk);
  EXPECT_EQ(frame.tree.GetSelectedItem(), disk);
  EXPECT_EQ(DriveKind, kPhysicalDrive);
  EXPECT_EQ(SelectedDriveIndex, 1);

  // Empty space below the items: nothing changes.
  CRect client;
  frame.tree.GetClientRect(&client);
  frame.tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, client.bottom - 5));
  EXPECT_EQ(frame.tree.GetSelectedItem(), disk);
  EXPECT_EQ(DriveKind, kPhysicalDrive);

  // The right button moves the highlight and leaves the selection.
  HTREEITEM group = FindItem(frame.tree, L"Physical Devices");
  CRect groupLabel;
  ASSERT_TRUE(frame.tree.GetItemRect(group, &groupLabel, TRUE));
  frame.tree.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON,
                         MAKELPARAM(groupLabel.CenterPoint().x, groupLabel.CenterPoint().y));
  EXPECT_EQ(frame.tree.GetSelectedItem(), group);
  EXPECT_EQ(DriveKind, kPhysicalDrive);
  EXPECT_EQ(WizardFrame().SelectedTreeRow, 2);

  // The arrow keys select as a click does, on release.
  frame.tree.SendMessage(WM_KEYUP, VK_DOWN, 0);
  EXPECT_EQ(DriveKind, kNothingSelected);
  EXPECT_EQ(SelectedModeText, L"");
}

// The partition page: twelve partitions listed by the table, so that
// "Partition 10" sorts before "Partition 2".
class PartitionSelection : public DriveSelection {
 protected:
  void FillPartitionPage(WizardTestFrame& frame) {
    frame.AddPane(RUNTIME_CLASS(CSecondDisplay));
    PartitionCount = 12;
    for (int i = 0; i < 12; ++i)
      PartitionTable[i] = {uint32_t(1000 * (i + 1)), uint32_t(100 * (i + 1)), uint16_t(i == 9 ? kFat32 : kNtfs)};
    TreeFillingUi ui(frame.tree, 0);
    SetEngineUi(&ui);
    SearchPartitions(DiskGeometry{0, 255, 63});
    SetEngineUi(nullptr);
    WizardFrame().StepTwoActive = 1;
  }
};

TEST_F(PartitionSelection, APartitionItemSelectsTheEntryItsNumberShows) {
  WizardTestFrame frame;
  FillPartitionPage(frame);
  CSecondDisplay* pane = static_cast<CSecondDisplay*>(frame.pane);
  HTREEITEM tenth = FindItem(frame.tree, L"Partition 10");
  ASSERT_NE(tenth, nullptr);
  // Sorted by text, the item sits on the row of the second entry.
  ASSERT_EQ(CFileSystemTree::GetVisibleRowIndex(frame.tree, tenth), 1);
  for (int n : {10, 2, 12, 1}) {
    SCOPED_TRACE(n);
    HTREEITEM item = FindItem(frame.tree, L"Partition " + CString(std::to_wstring(n).c_str()));
    ASSERT_NE(item, nullptr);
    UpdateDriveSelection(frame.tree, item);
    const PartitionEntry& entry = PartitionTable[n - 1];
    EXPECT_EQ(PartitionParameters.startSector, entry.startSector);
    EXPECT_EQ(PartitionParameters.sectorCount, entry.sectorCount);
    EXPECT_EQ(PartitionParameters.logicalDriveIndex, n - 1);
    EXPECT_EQ(WizardFrame().SelectedTreeRow, n - 1);
    EXPECT_EQ(WindowText(pane->ValueStatics[1]), CString(std::to_wstring(entry.startSector).c_str()));
  }
}

TEST_F(PartitionSelection, WhileAScanRunsTheSelectedPartitionChoosesTheCaptions) {
  WizardTestFrame frame;
  FillPartitionPage(frame);
  CSecondDisplay* pane = static_cast<CSecondDisplay*>(frame.pane);
  WizardFrame().ScanIdle = 0;
  SelectedDriveIndex = 0;  // entry 0 is NTFS; the selected entry 9 is FAT32
  const PartitionParametersRecord before = PartitionParameters;
  UpdateDriveSelection(frame.tree, FindItem(frame.tree, L"Partition 10"));
  EXPECT_EQ(WindowText(pane->CaptionStatics[0]), L"Folder(s) Found  :");
  EXPECT_EQ(PartitionParameters.startSector, before.startSector);
  pane->ShowPartitionInfo(0, 0);
  UpdateDriveSelection(frame.tree, FindItem(frame.tree, L"Partition 1"));
  EXPECT_EQ(WindowText(pane->CaptionStatics[0]), L"Partition type\t :");
}

TEST_F(PartitionSelection, TheDiskRootInAdvanceScanIsTheWholeDisk) {
  WizardTestFrame frame;
  FillPartitionPage(frame);
  CSecondDisplay* pane = static_cast<CSecondDisplay*>(frame.pane);
  SelectedDriveIndex = 2;
  PhysicalDriveTable[2].totalSectors = 4194304;
  ScanMode = kAdvanceScan;
  UpdateDriveSelection(frame.tree, FindItem(frame.tree, L"Hard Disk "));
  EXPECT_EQ(WizardFrame().SelectedTreeRow, -1);
  EXPECT_EQ(PartitionParameters.chosenType, kFat32);
  EXPECT_EQ(PartitionParameters.startSector, 0u);
  EXPECT_EQ(PartitionParameters.sectorCount, 4194304u);
  EXPECT_EQ(PartitionParameters.endSector, 4194304u);
  EXPECT_EQ(PartitionParameters.logicalDriveIndex, 0);
  EXPECT_EQ(WindowText(pane->ValueStatics[3]), L"2048 MB ( Aprox )");
  EXPECT_EQ(WindowText(*pane->EndSectorEdit), L"4194304");
}

}  // namespace
