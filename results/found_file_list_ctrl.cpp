#include "found_file_list_ctrl.h"

#include <cwchar>

#include "folder_listing.h"
#include "file_properties_dlg.h"
#include "folder_tree_ctrl.h"
#include "list_sorter.h"
#include "found_lists.h"
#include "raw/raw_lists.h"
#include "raw/raw_results.h"
#include "results_resources.h"

namespace {

enum : int { kNoImage = 0, kUncheckedImage = 1, kCheckedImage = 2, kParentImage = 3 };

TreeItem AsTreeItem(HTREEITEM item) { return reinterpret_cast<TreeItem>(item); }
HTREEITEM AsHandle(TreeItem item) { return reinterpret_cast<HTREEITEM>(item); }

std::u16string Text16(const CString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.GetString()), static_cast<size_t>(text.GetLength()));
}

}  // namespace

BEGIN_MESSAGE_MAP(CFoundFileListCtrl, CTkListCtrl)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_WM_CHAR()
  ON_NOTIFY_REFLECT(LVN_BEGINLABELEDITW, OnBeginRename)
  ON_NOTIFY_REFLECT(LVN_ENDLABELEDITW, OnEndRename)
  ON_WM_RBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnRowCustomDraw)
END_MESSAGE_MAP()

int PreviewResetPending = 0;

CFoundFileListCtrl::CFoundFileListCtrl() = default;
CFoundFileListCtrl::~CFoundFileListCtrl() = default;

void CFoundFileListCtrl::SetupStateImages() {
  if (m_stateImages.GetSafeHandle() == nullptr) CreateCheckStateImages(m_stateImages, RGB(255, 128, 0), FALSE);
  SetImageList(&m_stateImages, LVSIL_STATE);
  if (m_rowFont.GetSafeHandle() == nullptr)
    m_rowFont.CreateFont(-14, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  if (m_handCursor == nullptr) {
    m_handCursor = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDC_HAND_CURSOR));
    if (m_handCursor == nullptr) m_handCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));
  }
}

BOOL CFoundFileListCtrl::SetTiledBackground(UINT bitmapId) {
  HBITMAP tile = static_cast<HBITMAP>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP,
                                                   0, 0, LR_CREATEDIBSECTION));
  if (tile == nullptr) return FALSE;
  LVBKIMAGEW image = {};
  image.ulFlags = LVBKIF_SOURCE_HBITMAP | LVBKIF_STYLE_TILE;
  image.hbm = tile;
  // From here the control owns the bitmap.
  if (!SendMessage(LVM_SETBKIMAGEW, 0, reinterpret_cast<LPARAM>(&image))) {
    ::DeleteObject(tile);
    return FALSE;
  }
  return TRUE;
}

int CFoundFileListCtrl::IsRowChecked(int row) const {
  return static_cast<int>(GetItemState(row, LVIS_STATEIMAGEMASK) >> 12) - 1;
}

void CFoundFileListCtrl::SetStateImage(int row, int image) {
  SetItemState(row, INDEXTOSTATEIMAGEMASK(image), LVIS_STATEIMAGEMASK);
}

void CFoundFileListCtrl::ClearRowState(int row) { SetStateImage(row, kNoImage); }
void CFoundFileListCtrl::SetRowUnchecked(int row) { SetStateImage(row, kUncheckedImage); }
void CFoundFileListCtrl::SetRowChecked(int row) { SetStateImage(row, kCheckedImage); }

void CFoundFileListCtrl::CheckAllRows() {
  for (int row = 0; row < GetItemCount(); ++row)
    if (!IsParentRow(row)) SetRowChecked(row);
}

void CFoundFileListCtrl::UncheckAllRows() {
  for (int row = 0; row < GetItemCount(); ++row)
    if (!IsParentRow(row)) SetRowUnchecked(row);
}

BOOL CFoundFileListCtrl::AreAllRowsChecked() const {
  for (int row = 0; row < GetItemCount(); ++row)
    if (!IsParentRow(row) && IsRowChecked(row) == 0) return FALSE;
  return TRUE;
}

BOOL CFoundFileListCtrl::AreNoRowsChecked() const {
  for (int row = 0; row < GetItemCount(); ++row)
    if (!IsParentRow(row) && IsRowChecked(row) == 1) return FALSE;
  return TRUE;
}

BOOL CFoundFileListCtrl::IsParentRow(int row) const {
  return GetItemText(row, 0).CompareNoCase(L"Parent...") == 0;
}

BOOL CFoundFileListCtrl::IsFolderRow(int row) const {
  CString type = GetItemText(row, 1);
  type.MakeUpper();
  return type == L"FOLDER" || type == L"DELETED FOLDER";
}

int CFoundFileListCtrl::IdColumn() const { return CurrentResultsKind() == ResultsKind::Raw ? 2 : 5; }

uint32_t CFoundFileListCtrl::RowId(int row) const {
  return static_cast<uint32_t>(std::wcstoull(GetItemText(row, IdColumn()), nullptr, 10));
}

void CFoundFileListCtrl::ListFolder(uint32_t key) {
  const ResultsKind kind = CurrentResultsKind();
  m_listedKey = key;
  if (kind == ResultsKind::Fat)
    ListFatFolder(key);
  else if (kind == ResultsKind::Ntfs || kind == ResultsKind::AdvanceNtfs)
    ListNtfsFolder(key);
}

void CFoundFileListCtrl::ListTreeItem(HTREEITEM item) {
  if (m_tree == nullptr || item == nullptr) return;
  const ResultsKind kind = CurrentResultsKind();
  if (kind == ResultsKind::Raw) {
    if (item == m_tree->RootItem()) {
      ListRawFolder(u"Root", 0);
    } else {
      ListRawFolder(Text16(m_tree->GetItemText(item)), m_tree->ItemHasChildren(item) ? 1 : 0);
    }
  } else {
    ListFolder(item == m_tree->RootItem() ? RootFolderKey(kind) : FolderKeyOfItem(kind, AsTreeItem(item)));
  }
  RefreshListChecks();
}

void CFoundFileListCtrl::RefreshListChecks() {
  const int column = IdColumn();
  const bool raw = CurrentResultsKind() == ResultsKind::Raw;
  for (int row = 0; row < GetItemCount(); ++row) {
    if (IsParentRow(row)) {
      SetStateImage(row, kParentImage);
      continue;
    }
    SetRowUnchecked(row);
    const CString id = GetItemText(row, column);
    if (id.IsEmpty()) continue;
    const uint32_t value = static_cast<uint32_t>(std::wcstoull(id, nullptr, 10));
    const bool folder = IsFolderRow(row);
    if ((!folder && id != L"-" && Selection.CheckedFileIds.count(value) != 0) ||
        (folder && Selection.CheckedFolderItems.count(static_cast<TreeItem>(std::wcstoull(id, nullptr, 10))) != 0))
      SetRowChecked(row);
    if (raw && id == L"-" && m_tree != nullptr) {
      // A group row follows its tree item.
      const CString name = GetItemText(row, 0);
      for (TreeItem item : Selection.CheckedTreeItems)
        if (m_tree->GetItemText(AsHandle(item)) == name) SetRowChecked(row);
    }
  }
  Invalidate();
}

HTREEITEM CFoundFileListCtrl::TreeItemOfKey(uint32_t key) const {
  if (m_tree == nullptr) return nullptr;
  const ResultsKind kind = CurrentResultsKind();
  if (key == RootFolderKey(kind)) return m_tree->RootItem();
  if (kind == ResultsKind::Fat) {
    for (FatFolderEntry* f = FatFolderList.head; f; f = f->next)
      if (f->cluster == key) return AsHandle(f->treeItem);
  } else {
    for (NtfsFolderEntry* f = NtfsFolderList.head; f; f = f->next)
      if (f->recordNumber == key) return AsHandle(f->treeItem);
  }
  return nullptr;
}

void CFoundFileListCtrl::ToggleRowCheck(int row) {
  if (row < 0 || row >= GetItemCount() || IsParentRow(row)) return;
  const ResultsKind kind = CurrentResultsKind();
  if (kind == ResultsKind::None) return;
  const bool wasChecked = IsRowChecked(row) != 0;
  if (kind == ResultsKind::Raw) {
    const CString id = GetItemText(row, IdColumn());
    if (id == L"-") {
      const std::u16string group = Text16(GetItemText(row, 0));
      if (wasChecked)
        UncheckRawGroup(Selection, group, true);
      else
        CheckRawGroup(Selection, group, true);
    } else {
      const uint32_t number = RowId(row);
      if (wasChecked) {
        Selection.CheckedFileIds.erase(number);
        Selection.SelectedRootFiles.erase(number);
      } else {
        Selection.CheckedFileIds.insert(number);
        Selection.SelectedRootFiles.insert(number);
      }
    }
    if (wasChecked)
      SetRowUnchecked(row);
    else
      SetRowChecked(row);
    SyncRawItems(row);
    Invalidate();
    if (SelectionChanged) SelectionChanged();
    return;
  }
  if (IsFolderRow(row)) {
    const TreeItem item = static_cast<TreeItem>(std::wcstoull(GetItemText(row, 5), nullptr, 10));
    const uint32_t key = FolderKeyOfItem(kind, item);
    if (m_tree != nullptr && item != 0) m_tree->ToggleItemSubtree(AsHandle(item));
    if (wasChecked) {
      SetRowUnchecked(row);
      Selection.SelectedFolderItems.erase(item);
      RemoveFolderSubtree(Selection, kind, key, item);
    } else {
      SetRowChecked(row);
      Selection.SelectedFolderItems.insert(item);
      AddFolderSubtree(Selection, kind, key, item);
    }
  } else {
    const uint32_t id = RowId(row);
    if (wasChecked) {
      SetRowUnchecked(row);
      Selection.CheckedFileIds.erase(id);
      Selection.SelectedRootFiles.erase(id);
    } else {
      SetRowChecked(row);
      Selection.CheckedFileIds.insert(id);
      Selection.SelectedRootFiles.insert(id);
    }
  }
  SyncFolderItem(m_listedKey);
  Invalidate();
  if (SelectionChanged) SelectionChanged();
}

void CFoundFileListCtrl::SyncFolderItem(uint32_t key) {
  if (m_tree == nullptr) return;
  HTREEITEM item = TreeItemOfKey(key);
  if (item == nullptr) return;
  bool anyRow = false;
  for (int row = 0; row < GetItemCount(); ++row)
    if (!IsParentRow(row)) anyRow = true;
  if (anyRow && AreAllRowsChecked()) {
    if (item != m_tree->RootItem()) m_tree->CheckSubtree(item);
    else m_tree->CheckItem(item);
  } else if (AreNoRowsChecked()) {
    if (m_tree->AreChildrenUnchecked(item)) {
      m_tree->UncheckItem(item);
      m_tree->ClearEmptyAncestors(item);
    } else {
      for (HTREEITEM at = item; at != nullptr; at = m_tree->GetParentItem(at)) m_tree->SetPartlyChecked(at);
    }
  } else {
    // Some rows checked: the folder is in part, and so is every ancestor.
    if (m_tree->GetCheckState(item) == 1) {
      m_tree->UncheckItem(item);
    }
    for (HTREEITEM at = item; at != nullptr; at = m_tree->GetParentItem(at)) m_tree->SetPartlyChecked(at);
  }
}

void CFoundFileListCtrl::SyncRawItems(int row) {
  if (m_tree == nullptr) return;
  const HTREEITEM root = m_tree->RootItem();
  if (root == nullptr) return;
  const CString id = GetItemText(row, IdColumn());
  const CString name = GetItemText(row, 0);
  if (id == L"-") {
    for (HTREEITEM group = m_tree->GetChildItem(root); group != nullptr; group = m_tree->GetNextSiblingItem(group)) {
      if (m_tree->GetItemText(group).CompareNoCase(name) != 0) continue;
      if (IsRowChecked(row) == 1) {
        m_tree->CheckSubtree(group);
      } else {
        m_tree->UncheckSubtree(group);
        m_tree->ClearEmptyAncestors(group);
      }
    }
    return;
  }
  // A carved file: its group and extension items follow the rows shown.
  const CString type = GetItemText(row, 1);
  CString extension = name.Mid(name.ReverseFind(L'.') + 1);
  const bool all = AreAllRowsChecked() != FALSE, none = AreNoRowsChecked() != FALSE;
  for (HTREEITEM group = m_tree->GetChildItem(root); group != nullptr; group = m_tree->GetNextSiblingItem(group)) {
    for (HTREEITEM ext = m_tree->GetChildItem(group); ext != nullptr; ext = m_tree->GetNextSiblingItem(ext)) {
      if (m_tree->GetItemText(ext).CompareNoCase(extension) != 0) continue;
      if (all) m_tree->CheckSubtree(ext);
      else if (none) {
        m_tree->UncheckSubtree(ext);
        m_tree->ClearEmptyAncestors(ext);
      } else {
        m_tree->UncheckItem(ext);
        for (HTREEITEM at = ext; at != nullptr; at = m_tree->GetParentItem(at)) m_tree->SetPartlyChecked(at);
      }
    }
  }
  (void)type;
}

void CFoundFileListCtrl::GoToParentFolder(uint32_t key) {
  const ResultsKind kind = CurrentResultsKind();
  const uint32_t parent = key == RootFolderKey(kind) ? key : ParentFolderKey(kind, key);
  ListFolder(parent);
  if (m_tree != nullptr) {
    HTREEITEM item = TreeItemOfKey(parent);
    if (item != nullptr) m_tree->SelectItem(item);
  }
  RefreshListChecks();
}

void CFoundFileListCtrl::OpenRow(int row) {
  if (row < 0 || row >= GetItemCount()) return;
  const ResultsKind kind = CurrentResultsKind();
  if (kind == ResultsKind::Raw) {
    if (GetItemText(row, IdColumn()) == L"-") {
      ListRawFolder(Text16(GetItemText(row, 0)), 1);
      RefreshListChecks();
    }
    return;
  }
  if (IsParentRow(row)) {
    GoToParentFolder(m_listedKey);
    return;
  }
  if (!IsFolderRow(row)) return;
  const bool checked = IsRowChecked(row) == 1;
  const TreeItem item = static_cast<TreeItem>(std::wcstoull(GetItemText(row, 5), nullptr, 10));
  bool found = false;
  const uint32_t key = FolderKeyOfItem(kind, item, &found);
  ListFolder(found ? key : RootFolderKey(kind));
  if (checked)
    CheckAllRows();
  else
    RefreshListChecks();
  if (m_tree != nullptr && item != 0) {
    m_tree->SelectItem(AsHandle(item));
    m_tree->Expand(AsHandle(item), TVE_EXPAND);
  }
}

void CFoundFileListCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
  UINT flags = 0;
  const int row = HitTest(point, &flags);
  // The program sets the final state itself: the control's own toggle
  // differs between systems.
  if (row >= 0 && (flags & LVHT_ONITEMSTATEICON) != 0) {
    ToggleRowCheck(row);
    return;
  }
  CTkListCtrl::OnLButtonDown(nFlags, point);
  if (row >= 0) PreviewRow(row);
}

void CFoundFileListCtrl::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_UP || nChar == VK_DOWN) {
    PreviewRow(GetSelectionMark());
    return;
  }
  CTkListCtrl::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CFoundFileListCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) {
  UINT flags = 0;
  const int row = HitTest(point, &flags);
  if (row >= 0 && (flags & LVHT_ONITEMSTATEICON) != 0) {
    ToggleRowCheck(row);
    return;
  }
  CTkListCtrl::OnLButtonDblClk(nFlags, point);
  if (row >= 0) OpenRow(row);
}

void CFoundFileListCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_RETURN) {
    const int row = GetSelectionMark();
    if (row >= 0 && (IsFolderRow(row) || IsParentRow(row))) {
      OpenRow(row);
      return;
    }
  }
  if (nChar == VK_SPACE) {
    // Space checks through the program's rules, never the control's own.
    ToggleRowCheck(GetSelectionMark());
    return;
  }
  CTkListCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CFoundFileListCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == L' ') return;
  CTkListCtrl::OnChar(nChar, nRepCnt, nFlags);
}

void CFoundFileListCtrl::TakePendingPreviewReset() {
  if (PreviewResetPending == 0) return;
  PreviewResetPending = 0;
  if (ShowEmptyPreview) ShowEmptyPreview();
}

void CFoundFileListCtrl::OnRowCustomDraw(NMHDR* pNMHDR, LRESULT* pResult) {
  NMLVCUSTOMDRAW* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
  *pResult = CDRF_DODEFAULT;
  TakePendingPreviewReset();
  if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
    *pResult = CDRF_NOTIFYITEMDRAW;
    return;
  }
  if (draw->nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return;
  const int row = static_cast<int>(draw->nmcd.dwItemSpec);
  if (IsParentRow(row)) {
    draw->clrText = RGB(255, 0, 0);
    draw->clrTextBk = RGB(255, 202, 149);
  } else if (GetItemText(row, 1).Left(7) == L"Deleted") {
    draw->clrText = RGB(255, 0, 0);
    draw->clrTextBk = RGB(255, 255, 255);
  } else {
    draw->clrText = RGB(0, 0, 0);
    draw->clrTextBk = RGB(255, 255, 255);
  }
  if (IsRowChecked(row) == 1 && m_rowFont.GetSafeHandle() != nullptr) {
    SelectObject(draw->nmcd.hdc, m_rowFont.GetSafeHandle());
    *pResult = CDRF_NEWFONT;
  }
}

BOOL CFoundFileListCtrl::SortList(int column, BOOL ascending) {
  int type = 0;
  if (CurrentResultsKind() == ResultsKind::Raw) {
    type = column == 2 ? kCompareNumber : (column < 2 ? kCompareText : 0);
  } else {
    static const int kTypes[] = {kCompareText, kCompareText, kCompareNumber, kCompareDate, kCompareDate, kCompareNumber};
    type = column >= 0 && column < 6 ? kTypes[column] : 0;
  }
  if (type == 0) return FALSE;
  {
    CListSorter sorter(this, column);
    sorter.Sort(ascending, type);
  }
  GroupFoldersFirst();
  return TRUE;
}

namespace {

struct RowCopy {
  CString texts[6];
  int image;
  UINT state;
};

}  // namespace

void CFoundFileListCtrl::GroupFoldersFirst() {
  const int columns = GetColumnCount() < 6 ? GetColumnCount() : 6;
  auto take = [&](int row) {
    RowCopy copy;
    for (int column = 0; column < columns; ++column) copy.texts[column] = GetItemText(row, column);
    LVITEMW item = {};
    item.mask = LVIF_IMAGE | LVIF_STATE;
    item.iItem = row;
    item.stateMask = LVIS_STATEIMAGEMASK;
    GetItem(&item);
    copy.image = item.iImage;
    copy.state = item.state & LVIS_STATEIMAGEMASK;
    DeleteItem(row);
    return copy;
  };
  auto put = [&](int row, const RowCopy& copy) {
    const int at = InsertItem(row, copy.texts[0], copy.image);
    for (int column = 1; column < columns; ++column) SetItemText(at, column, copy.texts[column]);
    SetItemState(at, copy.state, LVIS_STATEIMAGEMASK);
  };
  int insertAt = 0;
  for (int row = 0; row < GetItemCount(); ++row) {
    if (!IsFolderRow(row) || IsParentRow(row)) continue;
    const RowCopy copy = take(row);
    put(insertAt++, copy);
  }
  for (int row = 0; row < GetItemCount(); ++row) {
    if (!IsParentRow(row)) continue;
    const RowCopy copy = take(row);
    put(0, copy);
    break;
  }
}

void CFoundFileListCtrl::ShowProperties() {
  const int row = GetSelectionMark();
  if (row < 0 || row >= GetItemCount() || IsParentRow(row)) return;
  FileProperties properties;
  properties.isFolder = IsFolderRow(row) != FALSE;
  properties.id = static_cast<uintptr_t>(std::wcstoull(GetItemText(row, IdColumn()), nullptr, 10));
  properties.name = GetItemText(row, 0);
  properties.size = PropertiesSizeText(std::wcstoull(GetItemText(row, 2), nullptr, 10));
  properties.created = GetItemText(row, 3);
  properties.modified = GetItemText(row, 4);
  CFilePropertiesDlg dialog(properties, this);
  dialog.DoModal();
}
