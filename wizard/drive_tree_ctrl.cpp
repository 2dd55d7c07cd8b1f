#include "drive_tree_ctrl.h"

#include "controls_resources.h"
#include "device/logical_drives.h"
#include "device/physical_drives.h"
#include "device/sector_access.h"
#include "first_display.h"
#include "engine_ui.h"
#include "file_system_tree.h"
#include "scan_control.h"
#include "second_display.h"
#include "volumes/boot_params.h"
#include "volumes/partition_table.h"
#include "wizard_resources.h"
#include "wizard_state.h"

namespace {

const UINT kIcons[7] = {IDI_TREE_DRIVE,    IDI_TREE_CDROM, IDI_TREE_DISC,    IDI_TREE_REMOVABLE,
                        IDI_TREE_FLOPPY,   IDI_TREE_DISK,  IDI_TREE_COMPUTER};
const int kComputerImage = 6;
const int kItemImage = 5;

bool IsItemHit(UINT flags) {
  return flags == TVHT_ONITEMICON || flags == TVHT_ONITEMLABEL || flags == TVHT_ONITEMRIGHT ||
         flags == TVHT_ONITEMSTATEICON;
}

// "Partition N" carries entry N - 1.
DWORD_PTR PartitionNumberOf(const CString& text) {
  const CString prefix = L"Partition ";
  if (text.GetLength() <= prefix.GetLength() || text.Left(prefix.GetLength()) != prefix)
    return CDriveTreeCtrl::kNoNumber;
  const int number = _wtoi(static_cast<LPCWSTR>(text) + prefix.GetLength());
  return number > 0 ? static_cast<DWORD_PTR>(number - 1) : CDriveTreeCtrl::kNoNumber;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDriveTreeCtrl, CTreeCtrl)
  ON_WM_LBUTTONDOWN()
  ON_WM_RBUTTONDOWN()
  ON_WM_KEYUP()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_NOTIFY_REFLECT(TVN_KEYDOWN, OnKeyDownNotify)
END_MESSAGE_MAP()

void CDriveTreeCtrl::LoadImages() {
  if (Images.GetSafeHandle() == nullptr) {
    Images.Create(16, 16, ILC_COLOR8 | ILC_MASK, 7, 1);
    AddDriveTreeIcons(Images);
  }
  SetImageList(&Images, TVSIL_NORMAL);
  ButtonCursor = AfxGetApp()->LoadCursor(IDC_TREE_BUTTON);
  ItemCursor = AfxGetApp()->LoadCursor(IDC_POINTING_HAND);
  PressCursor = AfxGetApp()->LoadCursor(IDC_PRESSING_HAND);
}

int CDriveTreeCtrl::ImageFor(const CString& text, HTREEITEM parent) const {
  if (text == L"My Computer") return kComputerImage;
  return parent == TVI_ROOT ? DriveTypeImage(text) : kItemImage;
}

HTREEITEM CDriveTreeCtrl::FindOrAddItem(const CString& text, HTREEITEM parent) {
  HTREEITEM child = parent == TVI_ROOT ? GetRootItem() : GetChildItem(parent);
  for (; child != nullptr; child = GetNextSiblingItem(child)) {
    if (GetItemText(child) == text) return child;
  }
  const int image = ImageFor(text, parent);
  HTREEITEM item = InsertItem(text, image, image, parent, TVI_SORT);
  SetItemData(item, kNoNumber);
  return item;
}

DWORD_PTR CDriveTreeCtrl::ItemNumber(HTREEITEM item) const {
  return item != nullptr && item != TVI_ROOT ? GetItemData(item) : kNoNumber;
}

void CDriveTreeCtrl::AddPath(const std::string& path, int drive) {
  HTREEITEM parent = TVI_ROOT;
  HTREEITEM last = nullptr;
  size_t begin = 0;
  for (size_t end = path.find('\\'); end != std::string::npos; end = path.find('\\', begin)) {
    CString component;
    for (size_t i = begin; i < end; ++i) component += static_cast<WCHAR>(static_cast<unsigned char>(path[i]));
    last = FindOrAddItem(component, parent);
    parent = last;
    begin = end + 1;
  }
  if (last == nullptr) return;
  SetItemData(last, static_cast<DWORD_PTR>(drive));
  HTREEITEM top = GetRootItem();
  if (top != nullptr) {
    CheckItem(top);
    for (HTREEITEM child = GetChildItem(top); child != nullptr; child = GetNextSiblingItem(child)) {
      CheckItem(child);
      Expand(child, TVE_EXPAND);
      UpdateAncestorsChecks(child);
      UpdateAncestorsBold(child);
    }
  }
}

void CDriveTreeCtrl::AddDiskItem(const CString& top, const CString& child) {
  HTREEITEM topItem = FindOrAddItem(top, TVI_ROOT);
  if (!child.IsEmpty()) {
    HTREEITEM item = FindOrAddItem(child, topItem);
    SetItemData(item, PartitionNumberOf(child));
  }
  CheckItem(topItem);
}

void CDriveTreeCtrl::ExpandRoot() {
  HTREEITEM top = GetRootItem();
  if (top != nullptr) Expand(top, TVE_EXPAND);
}

int CDriveTreeCtrl::GetCheckState(HTREEITEM item) const {
  return static_cast<int>((GetItemState(item, TVIS_STATEIMAGEMASK) >> 12)) - 1;
}

void CDriveTreeCtrl::CheckItem(HTREEITEM item) {
  SetItemState(item, INDEXTOSTATEIMAGEMASK(2) | TVIS_BOLD, TVIS_STATEIMAGEMASK | TVIS_BOLD);
}

void CDriveTreeCtrl::UncheckItem(HTREEITEM item) {
  SetItemState(item, INDEXTOSTATEIMAGEMASK(1), TVIS_STATEIMAGEMASK | TVIS_BOLD);
}

void CDriveTreeCtrl::CheckBranch(HTREEITEM item) {
  CheckItem(item);
  for (HTREEITEM child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child)) {
    CheckItem(child);
    Expand(child, TVE_EXPAND);
  }
}

void CDriveTreeCtrl::UncheckBranch(HTREEITEM item) {
  UncheckItem(item);
  for (HTREEITEM child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child))
    UncheckBranch(child);
}

int CDriveTreeCtrl::AreAllChildrenChecked(HTREEITEM item) const {
  for (HTREEITEM child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child)) {
    if (GetCheckState(child) == 0) return 0;
  }
  return 1;
}

void CDriveTreeCtrl::UpdateAncestorsChecks(HTREEITEM item) {
  for (HTREEITEM parent = GetParentItem(item); parent != nullptr; parent = GetParentItem(parent)) {
    if (AreAllChildrenChecked(parent))
      CheckItem(parent);
    else
      UncheckItem(parent);
  }
}

void CDriveTreeCtrl::UpdateAncestorsBold(HTREEITEM item) {
  for (HTREEITEM parent = GetParentItem(item); parent != nullptr; parent = GetParentItem(parent)) {
    bool anyBold = false;
    for (HTREEITEM child = GetChildItem(parent); child != nullptr; child = GetNextSiblingItem(child))
      anyBold = anyBold || IsBold(child);
    SetItemState(parent, anyBold ? TVIS_BOLD : 0, TVIS_BOLD);
  }
}

void CDriveTreeCtrl::SetCursorFor(UINT flags, bool pressing) {
  if (flags & TVHT_ONITEMBUTTON) {
    if (ButtonCursor != nullptr) ::SetCursor(ButtonCursor);
  } else if (IsItemHit(flags)) {
    HCURSOR cursor = pressing ? PressCursor : ItemCursor;
    if (cursor != nullptr) ::SetCursor(cursor);
  }
}

void CDriveTreeCtrl::OnLButtonDown(UINT, CPoint point) {
  UINT flags = 0;
  HTREEITEM item = HitTest(point, &flags);
  // The control's own button-down never runs: no drag, no selection of its own.
  if (item == nullptr) return;
  SelectItem(item);
  SetFocus();
  UpdateDriveSelection(*this, item);
  SetCursorFor(flags, true);
  if (flags & TVHT_ONITEMSTATEICON) {
    if (GetCheckState(item) >= 1)
      UncheckBranch(item);
    else
      CheckBranch(item);
    UpdateAncestorsChecks(item);
    UpdateAncestorsBold(item);
  } else if (flags & TVHT_ONITEMBUTTON) {
    Expand(item, TVE_TOGGLE);
  }
}

void CDriveTreeCtrl::OnLButtonUp(UINT, CPoint point) {
  UINT flags = 0;
  if (HitTest(point, &flags) != nullptr) {
    HCURSOR cursor = (flags & TVHT_ONITEMBUTTON) ? ButtonCursor : ItemCursor;
    if (cursor != nullptr) ::SetCursor(cursor);
  }
  Default();
}

void CDriveTreeCtrl::OnMouseMove(UINT, CPoint point) {
  UINT flags = 0;
  if (HitTest(point, &flags) != nullptr) SetCursorFor(flags, false);
  Default();
}

void CDriveTreeCtrl::OnRButtonDown(UINT, CPoint point) {
  HTREEITEM item = HitTest(point, nullptr);
  if (item == nullptr) return;
  SelectItem(item);
  SetFocus();
}

void CDriveTreeCtrl::OnKeyUp(UINT nChar, UINT, UINT) {
  if (nChar != VK_UP && nChar != VK_DOWN) return;
  HTREEITEM item = GetSelectedItem();
  if (item != nullptr) UpdateDriveSelection(*this, item);
}

void CDriveTreeCtrl::OnKeyDownNotify(NMHDR* pNMHDR, LRESULT* pResult) {
  const WizardFrameState& frame = WizardFrame();
  const WORD key = reinterpret_cast<NMTVKEYDOWN*>(pNMHDR)->wVKey;
  if (key == VK_TAB) {
    if (frame.StepOneActive)
      PageHooks().TabToPage(kDrivePage);
    else if (frame.StepTwoActive)
      PageHooks().TabToPage(kScanPage);
    else if (frame.StepThreeActive)
      PageHooks().FocusResultsList();
  } else if (key == VK_RETURN) {
    if (frame.StepOneActive)
      PageHooks().PressNext(kDrivePage);
    else if (frame.StepTwoActive)
      PageHooks().PressNext(kScanPage);
  }
  *pResult = 0;
}

namespace {

void ClearDrivePane() {
  if (CFirstDisplay* pane = WizardFrame().DriveInfoPane) pane->ClearInfo();
}

}  // namespace

CString UpdateDriveSelection(CDriveTreeCtrl& tree, HTREEITEM item) {
  WizardFrameState& frame = WizardFrame();
  CFirstDisplay* drivePane = frame.DriveInfoPane;
  CSecondDisplay* scanPane = frame.ScanInfoPane;
  const CString text = tree.GetItemText(item);
  HTREEITEM parentItem = tree.GetParentItem(item);
  const CString parent = parentItem != nullptr ? tree.GetItemText(parentItem) : CString();

  frame.SelectedTreeRow = CFileSystemTree::GetVisibleRowIndex(tree, item);
  if (frame.SelectedTreeRow < 0 && frame.StepOneActive) {
    ClearDrivePane();
    DriveKind = kNothingSelected;
    SelectedModeText.Empty();
  }

  if (text == L"Physical Devices" || text == L"Logical Devices") {
    if (drivePane != nullptr) {
      if (text == L"Physical Devices")
        drivePane->ShowDiskCaptions();
      else
        drivePane->ShowVolumeCaptions();
      drivePane->ClearInfo();
    }
    frame.SelectedTreeRow = -1;
    DriveKind = kNothingSelected;
    SelectedModeText.Empty();
  } else if (text == L"Hard Disk ") {
    if (scanPane != nullptr) scanPane->ClearInfo();
    ClearDrivePane();
    frame.SelectedTreeRow = -1;
    if (ScanMode == kAdvanceScan) {
      const uint32_t total =
          SelectedDriveIndex < kMaxPhysicalDrives ? uint32_t(PhysicalDriveTable[SelectedDriveIndex].totalSectors) : 0;
      PartitionParameters.chosenType = kFat32;
      PartitionParameters.startSector = 0;
      PartitionParameters.logicalDriveIndex = 0;
      PartitionParameters.sectorCount = total;
      PartitionParameters.endSector = total;
      if (scanPane != nullptr) scanPane->ShowDiskRange();
      ClearDrivePane();
      frame.SelectedTreeRow = -1;
    }
  }

  if (parent == L"Physical Devices" && frame.StepOneActive) {
    const DWORD_PTR disk = tree.ItemNumber(item);
    if (disk < kMaxPhysicalDrives) {
      const int n = static_cast<int>(disk);
      frame.SelectedTreeRow = n + 1;
      if (drivePane != nullptr) drivePane->ShowPhysicalDisk(n);
      DriveKind = kPhysicalDrive;
      SelectedDriveIndex = static_cast<uint16_t>(n);
      ScanPartitionTable(0);
      if (drivePane != nullptr) {
        drivePane->BuildPartitionPie();
        drivePane->Invalidate();
      }
    }
  } else if (parent.Find(L"Logical Devices") >= 0 && frame.StepOneActive) {
    HTREEITEM current = tree.GetSelectedItem();
    CString key = (current != nullptr ? tree.GetItemText(current) : text).Right(3);
    key.TrimLeft();
    key.TrimRight();
    key += L"\\";
    for (uint16_t i = 0; i < LogicalDriveCount; ++i) {
      const LogicalDriveEntry& volume = LogicalDriveTable[i];
      if (key != reinterpret_cast<const wchar_t*>(volume.rootPath)) continue;
      DriveKind = kLogicalDrive;
      PartitionParameters.chosenType = volume.type;
      PartitionParameters.sectorCount = uint32_t(volume.size);
      PartitionParameters.endSector = uint32_t(volume.size);
      PartitionParameters.startSector = 0;
      PartitionParameters.logicalDriveIndex = i;
      if (drivePane != nullptr) drivePane->ShowLogicalVolume(i);
      break;
    }
  } else if (parent == L"Hard Disk " && frame.StepTwoActive) {
    // The item's own number decides, never its place among the sorted items.
    const DWORD_PTR entry = tree.ItemNumber(item);
    if (entry < DWORD_PTR(PartitionCount)) {
      const int index = static_cast<int>(entry);
      frame.SelectedTreeRow = index;
      if (frame.ScanIdle) {
        const PartitionEntry& partition = PartitionTable[index];
        PartitionParameters.chosenType = partition.fileSystemType;
        PartitionParameters.startSector = partition.startSector;
        PartitionParameters.sectorCount = partition.sectorCount;
        PartitionParameters.logicalDriveIndex = static_cast<uint16_t>(index);
        if (scanPane != nullptr) scanPane->ShowPartitionInfo(SelectedDriveIndex, index);
      } else if (scanPane != nullptr) {
        const uint16_t type = PartitionTable[index].fileSystemType;
        if (type == kFat16 || type == kFat32) scanPane->ShowFatScanCaptions();
      }
    }
  }

  if (DriveKind == kPhysicalDrive || DriveKind == kLogicalDrive)
    SelectedModeText = DriveSelectionModeText(ScanMode, DriveKind);
  return text;
}

void AddDriveTreeIcons(CImageList& images) {
  for (UINT id : kIcons) {
    HICON icon =
        static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
    images.Add(icon);
    if (icon != nullptr) ::DestroyIcon(icon);
  }
}

int DriveTypeImage(const CString& text) {
  if (text.GetLength() == 3 && text[1] == L':' && text[2] == L'\\') {
    switch (::GetDriveTypeW(text)) {
      case DRIVE_FIXED: return 5;
      case DRIVE_CDROM: return 2;
      case DRIVE_REMOVABLE: return text[0] == L'A' ? 4 : 3;
      default: break;
    }
  }
  return kItemImage;
}
