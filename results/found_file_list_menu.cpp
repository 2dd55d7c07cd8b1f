// The found-file list's context menu, its key filter, the hand cursor over
// the check boxes and the renaming of found entries.
#include <cwchar>

#include "advance/advance_lists.h"
#include "find_files_dlg.h"
#include "folder_tree_ctrl.h"
#include "found_file_list_ctrl.h"
#include "found_lists.h"
#include "raw/raw_lists.h"
#include "results_resources.h"
#include "text.h"

namespace {

// Frees an entry's name and gives it a copy of the new one.
void ReplaceName(char16_t*& name, const CString& text) {
  std::free(name);
  name = CopyName(reinterpret_cast<const char16_t*>(text.GetString()));
}

}  // namespace

// The system's popup menu; the program shows it as a popup bar of its
// command bars instead.
std::function<UINT(CMenu*, CPoint, CWnd*)> CFoundFileListCtrl::TrackMenu = [](CMenu* popup, CPoint screen,
                                                                              CWnd* owner) {
  return static_cast<UINT>(::TrackPopupMenu(popup->m_hMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0,
                                            owner->GetSafeHwnd(), nullptr));
};

std::function<void(UINT)> CFoundFileListCtrl::ProgramCommand = [](UINT id) {
  if (CWnd* main = AfxGetMainWnd()) main->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
};

BOOL CFoundFileListCtrl::LoadContextMenu(CMenu& menu, BOOL raw) {
  CMenu bar;
  if (!bar.LoadMenu(IDR_FOUND_FILE_MENU)) return FALSE;
  // The popup is taken out of its bar so that it outlives it.
  HMENU popup = ::GetSubMenu(bar.m_hMenu, 0);
  if (popup == nullptr || !::RemoveMenu(bar.m_hMenu, 0, MF_BYPOSITION)) return FALSE;
  menu.Attach(popup);
  if (raw)
    for (UINT id : {ID_FOUND_FIND, ID_FOUND_SETTINGS, ID_FOUND_PROPERTIES}) menu.RemoveMenu(id, MF_BYCOMMAND);
  return TRUE;
}

UINT CFoundFileListCtrl::ShowContextMenu(CPoint screen) {
  if (FindDialogOpen != 0 || GetSelectionMark() < 0) return 0;
  CMenu menu;
  if (!LoadContextMenu(menu, CurrentResultsKind() == ResultsKind::Raw)) return 0;
  const UINT id = TrackMenu(&menu, screen, this);
  if (id != 0) RunMenuCommand(id);
  return id;
}

void CFoundFileListCtrl::RunMenuCommand(UINT id) {
  switch (id) {
    case ID_FOUND_ICONS:
      SetViewStyle(LVS_SMALLICON);
      break;
    case ID_FOUND_LIST:
      SetViewStyle(LVS_LIST);
      break;
    case ID_FOUND_DETAILS:
      SetViewStyle(LVS_REPORT);
      break;
    case ID_FOUND_RENAME:
      StartRename();
      break;
    case ID_FOUND_PROPERTIES:
      ShowProperties();
      break;
    case ID_FOUND_RECOVER:
    case ID_FOUND_FIND:
    case ID_FOUND_SETTINGS:
      if (ProgramCommand) ProgramCommand(id);
      break;
    default:
      break;
  }
}

void CFoundFileListCtrl::SetViewStyle(DWORD style) {
  // Small icons through list, list through report, report through small icons.
  const DWORD through = style == LVS_SMALLICON ? LVS_LIST : style == LVS_LIST ? LVS_REPORT : LVS_SMALLICON;
  ModifyStyle(LVS_TYPEMASK, through | LVS_AUTOARRANGE);
  ModifyStyle(LVS_TYPEMASK, style | LVS_AUTOARRANGE);
  UpdateWindow();
}

void CFoundFileListCtrl::StartRename() {
  const int row = GetSelectionMark();
  if (row < 0 || row >= GetItemCount()) return;
  SetFocus();
  EditLabel(row);
}

void CFoundFileListCtrl::OnBeginRename(NMHDR* pNMHDR, LRESULT* pResult) {
  const NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(pNMHDR);
  const int row = info->item.iItem;
  // "Parent..." and the Raw type groups are told apart by their names: they
  // keep them.
  if (row < 0 || IsParentRow(row) || GetItemText(row, IdColumn()) == L"-") {
    *pResult = TRUE;
    return;
  }
  RenameOldName = GetItemText(row, 0);
  RenameInProgress = 1;
  *pResult = FALSE;
}

void CFoundFileListCtrl::OnEndRename(NMHDR* pNMHDR, LRESULT* pResult) {
  NMLVDISPINFOW* info = reinterpret_cast<NMLVDISPINFOW*>(pNMHDR);
  RenameInProgress = 0;
  *pResult = FALSE;
  // Cancelled, or an empty text: the old name stays.
  if (info->item.pszText == nullptr || info->item.pszText[0] == L'\0') return;
  const CString name = info->item.pszText;
  SetItemText(info->item.iItem, 0, name);
  RenameRowEntry(info->item.iItem, name);
  *pResult = TRUE;
}

void CFoundFileListCtrl::RenameRowEntry(int row, const CString& name) {
  if (row < 0 || row >= GetItemCount() || IsParentRow(row) || name.IsEmpty()) return;
  const ResultsKind kind = CurrentResultsKind();
  if (kind == ResultsKind::Raw) {
    const uint32_t number = RowId(row);
    for (CarvedFileRecord* f = CarvedFileList.head; f; f = f->next)
      if (f->runningNumber == number) ReplaceName(f->name, name);
    return;
  }
  if (IsFolderRow(row)) {
    const TreeItem item = static_cast<TreeItem>(std::wcstoull(GetItemText(row, 5), nullptr, 10));
    if (item == 0) return;
    if (m_tree != nullptr) m_tree->SetItemText(reinterpret_cast<HTREEITEM>(item), name);
    if (kind == ResultsKind::Fat) {
      for (FatFolderEntry* f = FatFolderList.head; f; f = f->next)
        if (f->treeItem == item) ReplaceName(f->name, name);
    } else {
      for (NtfsFolderEntry* f = NtfsFolderList.head; f; f = f->next)
        if (f->treeItem == item) ReplaceName(f->name, name);
    }
    return;
  }
  const uint32_t id = RowId(row);
  if (kind == ResultsKind::Fat) {
    for (FatFileEntry* f = FatFileList.head; f; f = f->next)
      if (f->fileNumber == id) ReplaceName(f->name, name);
  } else if (kind == ResultsKind::Ntfs) {
    for (NtfsFileEntry* f = NtfsFileList.head; f; f = f->next)
      if (f->dataRecordSector == id) ReplaceName(f->name, name);
  } else if (kind == ResultsKind::AdvanceNtfs) {
    for (AdvanceNtfsFileEntry* f = AdvanceNtfsFileList.head; f; f = f->next)
      if (f->sector == id) ReplaceName(f->name, name);
  }
}

BOOL CFoundFileListCtrl::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message != WM_KEYDOWN) return CTkListCtrl::PreTranslateMessage(pMsg);
  switch (pMsg->wParam) {
    case VK_TAB:
      // The label editor keeps its Tab.
      if (RenameInProgress != 0) return TRUE;
      if (m_tree != nullptr) m_tree->SetFocus();
      return TRUE;
    case VK_UP:
    case VK_DOWN:
      Invalidate();
      break;
    case VK_F2:
      if (RenameInProgress == 0) StartRename();
      return TRUE;
    case VK_APPS: {
      CRect rect;
      const int row = GetSelectionMark();
      if (row < 0 || !GetItemRect(row, &rect, LVIR_LABEL)) GetClientRect(&rect);
      ClientToScreen(&rect);
      ShowContextMenu(CPoint(rect.left, rect.bottom));
      return TRUE;
    }
    default:
      break;
  }
  return CTkListCtrl::PreTranslateMessage(pMsg);
}

void CFoundFileListCtrl::OnRButtonDown(UINT nFlags, CPoint point) {
  UINT flags = 0;
  const int row = HitTest(point, &flags);
  if (row >= 0 && (flags & LVHT_ONITEMSTATEICON) != 0) {
    if (m_handCursor != nullptr) ::SetCursor(m_handCursor);
    return;
  }
  CTkListCtrl::OnRButtonDown(nFlags, point);
  if (row < 0) return;
  SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  SendMessage(LVM_SETSELECTIONMARK, 0, row);
  CPoint screen = point;
  ClientToScreen(&screen);
  ShowContextMenu(screen);
}

void CFoundFileListCtrl::OnMouseMove(UINT nFlags, CPoint point) {
  UINT flags = 0;
  const int row = HitTest(point, &flags);
  if (row >= 0 && (flags & LVHT_ONITEMSTATEICON) != 0 && !IsParentRow(row) && m_handCursor != nullptr)
    ::SetCursor(m_handCursor);
  CTkListCtrl::OnMouseMove(nFlags, point);
}
