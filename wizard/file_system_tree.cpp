#include "file_system_tree.h"

#include "advance/advance_lists.h"
#include "controls_resources.h"
#include "drive_tree_ctrl.h"
#include "file_system_form.h"
#include "volumes/boot_params.h"
#include "wizard_resources.h"
#include "wizard_state.h"

int CFileSystemTree::GetVisibleRowIndex(const CTreeCtrl& tree, HTREEITEM item) {
  if (item == nullptr || item == TVI_ROOT) return -1;
  int count = 0;
  for (HTREEITEM at = item; at != nullptr; at = tree.GetPrevVisibleItem(at)) ++count;
  return count - 2;
}

BEGIN_MESSAGE_MAP(CFileSystemTree, CTreeCtrl)
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_KEYUP()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_NOTIFY_REFLECT(TVN_KEYDOWN, IgnoreTreeKeyDown)
END_MESSAGE_MAP()

namespace {

const int kVolumeImage = 5;

bool OnItemBody(UINT flags) { return (flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMRIGHT)) != 0; }

}  // namespace

void CFileSystemTree::SetupImages() {
  if (Images.GetSafeHandle() == nullptr) {
    Images.Create(16, 16, ILC_COLOR8 | ILC_MASK, 7, 1);
    AddDriveTreeIcons(Images);
  }
  SetImageList(&Images, TVSIL_NORMAL);
  if (StateImages.GetSafeHandle() == nullptr) StateImages.Create(IDB_TREE_STATES, 16, 1, RGB(255, 255, 255));
  SetImageList(&StateImages, TVSIL_STATE);
  ButtonCursor = AfxGetApp()->LoadCursor(IDC_TREE_BUTTON);
  ItemCursor = AfxGetApp()->LoadCursor(IDC_POINTING_HAND);
  PressCursor = AfxGetApp()->LoadCursor(IDC_PRESSING_HAND);
}

HTREEITEM CFileSystemTree::InsertVolumeItem(const CString& text, HTREEITEM parent) {
  const int image = parent == TVI_ROOT ? DriveTypeImage(text) : kVolumeImage;
  return InsertItem(text, image, image, parent, TVI_LAST);
}

HTREEITEM CFileSystemTree::AddVolumeItem(const CString& text, HTREEITEM parent) {
  if (parent == TVI_ROOT || parent == nullptr) parent = GetRootItem();
  if (parent == nullptr) parent = TVI_ROOT;
  return InsertVolumeItem(text, parent);
}

void CFileSystemTree::RecordSelection(HTREEITEM item) { WizardFrame().SelectedTreeRow = GetVisibleRowIndex(item); }

void CFileSystemTree::SelectVolume(HTREEITEM item) {
  const CString text = GetItemText(item);
  if (text.IsEmpty() || text == L"File System") {
    if (Form != nullptr) Form->ShowCaptionsForType(PartitionParameters.chosenType);
    return;
  }
  if (PickFoundVolumeByItem(reinterpret_cast<TreeItem>(item)) == 0) return;
  if (Form != nullptr) Form->ShowPickedVolume();
}

void CFileSystemTree::SetCursorFor(UINT flags, bool pressing) const {
  HCURSOR cursor = nullptr;
  if (flags & TVHT_ONITEMBUTTON)
    cursor = ButtonCursor;
  else if (OnItemBody(flags))
    cursor = pressing ? PressCursor : ItemCursor;
  if (cursor != nullptr) ::SetCursor(cursor);
}

void CFileSystemTree::OnLButtonDown(UINT, CPoint point) {
  UINT flags = 0;
  HTREEITEM item = HitTest(point, &flags);
  // The control's own button-down never runs.
  if (item == nullptr) return;
  SetCursorFor(flags, true);
  RecordSelection(item);
  SelectItem(item);
  SetFocus();
  if (OnItemBody(flags) && !GetItemText(item).IsEmpty())
    SelectVolume(item);
  else
    Expand(item, TVE_TOGGLE);
}

void CFileSystemTree::OnLButtonUp(UINT, CPoint point) {
  UINT flags = 0;
  if (HitTest(point, &flags) != nullptr) SetCursorFor(flags, false);
}

void CFileSystemTree::OnMouseMove(UINT, CPoint point) {
  UINT flags = 0;
  if (HitTest(point, &flags) != nullptr) SetCursorFor(flags, false);
  Default();
}

void CFileSystemTree::OnRButtonDown(UINT, CPoint point) {
  HTREEITEM item = HitTest(point, nullptr);
  if (item == nullptr) return;
  SelectItem(item);
  SetFocus();
}

void CFileSystemTree::OnKeyUp(UINT, UINT, UINT) {
  HTREEITEM item = GetSelectedItem();
  SelectItem(item);
  SetFocus();
  LastTreeItem = item;
  if (item != nullptr && !GetItemText(item).IsEmpty()) SelectVolume(item);
  Default();
}

void CFileSystemTree::IgnoreTreeKeyDown(NMHDR*, LRESULT* pResult) { *pResult = 0; }
