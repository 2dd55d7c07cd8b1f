#include "folder_tree_ctrl.h"

#include <set>
#include <vector>

#include "found_file_list_ctrl.h"
#include "folder_listing.h"
#include "found_lists.h"
#include "raw/raw_lists.h"
#include "results_resources.h"
#include "scan_control.h"
#include "shell_icon_list.h"

namespace {

enum : int { kNoImage = 0, kUncheckedImage = 1, kCheckedImage = 2, kPartlyImage = 3 };
const COLORREF kDeletedColor = RGB(255, 0, 0);

TreeItem AsTreeItem(HTREEITEM item) { return reinterpret_cast<TreeItem>(item); }

// One check box drawn into the image list's bitmap at x.
void DrawCheckBox(HDC dc, int x, int image, COLORREF partlyColor) {
  RECT box = {x + 2, 2, x + 14, 14};
  FillRect(dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HPEN frame = CreatePen(PS_SOLID, 1, RGB(28, 81, 128));
  HGDIOBJ oldPen = SelectObject(dc, frame);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, box.left, box.top, box.right, box.bottom);
  SelectObject(dc, oldBrush);
  if (image == kCheckedImage) {
    HPEN tick = CreatePen(PS_SOLID, 2, RGB(33, 161, 33));
    SelectObject(dc, tick);
    MoveToEx(dc, x + 4, 8, nullptr);
    LineTo(dc, x + 7, 11);
    LineTo(dc, x + 12, 4);
    SelectObject(dc, frame);
    DeleteObject(tick);
  } else if (image == kPartlyImage) {
    RECT inner = {x + 5, 5, x + 11, 11};
    HBRUSH fill = CreateSolidBrush(partlyColor);
    FillRect(dc, &inner, fill);
    DeleteObject(fill);
  }
  SelectObject(dc, oldPen);
  DeleteObject(frame);
}

}  // namespace

BOOL CreateCheckStateImages(CImageList& images, COLORREF partlyColor, BOOL leadingBlank) {
  if (!images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 4, 0)) return FALSE;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP strip = CreateCompatibleBitmap(screen, 64, 16);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, strip);
  // Magenta is the mask: image 0 stays wholly transparent.
  RECT all = {0, 0, 64, 16};
  HBRUSH mask = CreateSolidBrush(RGB(255, 0, 255));
  FillRect(dc, &all, mask);
  DeleteObject(mask);
  for (int image = kUncheckedImage; image <= kPartlyImage; ++image) DrawCheckBox(dc, image * 16, image, partlyColor);
  SelectObject(dc, old);
  DeleteDC(dc);
  const int added = ImageList_AddMasked(images.GetSafeHandle(), strip, RGB(255, 0, 255));
  DeleteObject(strip);
  if (added != 0) return FALSE;
  return leadingBlank || ImageList_Remove(images.GetSafeHandle(), 0);
}

BEGIN_MESSAGE_MAP(CFolderTreeCtrl, CTreeCtrl)
  ON_NOTIFY_REFLECT(TVN_KEYDOWN, OnKeyDownNotify)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_SETCURSOR()
  ON_WM_KEYUP()
END_MESSAGE_MAP()

void CFolderTreeCtrl::SetupImages(CImageList* shellIcons) {
  m_shellIcons = shellIcons;
  if (shellIcons != nullptr) SetImageList(shellIcons, TVSIL_NORMAL);
  if (m_stateImages.GetSafeHandle() == nullptr) CreateCheckStateImages(m_stateImages, RGB(33, 161, 33), TRUE);
  SetImageList(&m_stateImages, TVSIL_STATE);
  LoadCursors();
}

void CFolderTreeCtrl::LoadCursors() {
  const struct {
    CursorKind kind;
    UINT id;
    LPCWSTR fallback;
  } cursors[] = {{kExpandCursor, IDC_TREE_EXPAND_CURSOR, IDC_ARROW},
                 {kCheckCursor, IDC_HAND_CURSOR, IDC_HAND},
                 {kItemCursor, IDC_TREE_ITEM_CURSOR, IDC_HAND},
                 {kPressedCursor, IDC_TREE_PRESSED_CURSOR, IDC_HAND}};
  // A program without the pictures still gets a cursor of the system's.
  for (const auto& cursor : cursors) {
    if (m_cursors[cursor.kind] != nullptr) continue;
    HCURSOR loaded = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(cursor.id));
    m_cursors[cursor.kind] = loaded != nullptr ? loaded : ::LoadCursorW(nullptr, cursor.fallback);
  }
}

int CFolderTreeCtrl::GetCheckState(HTREEITEM item) const {
  return static_cast<int>(GetItemState(item, TVIS_STATEIMAGEMASK) >> 12) - 1;
}

void CFolderTreeCtrl::SetStateImage(HTREEITEM item, int image) {
  SetItemState(item, INDEXTOSTATEIMAGEMASK(image), TVIS_STATEIMAGEMASK);
}

void CFolderTreeCtrl::CheckItem(HTREEITEM item) {
  SetStateImage(item, kCheckedImage);
  SetItemState(item, TVIS_BOLD, TVIS_BOLD);
  if (m_selection == nullptr) return;
  m_selection->CheckedFolderItems.insert(AsTreeItem(item));
  m_selection->CheckedTreeItems.insert(AsTreeItem(item));
  if (GetParentItem(item) == RootItem() && item != RootItem())
    m_selection->SelectedFolderItems.insert(AsTreeItem(item));
}

void CFolderTreeCtrl::UncheckItem(HTREEITEM item) {
  SetStateImage(item, kUncheckedImage);
  SetItemState(item, 0, TVIS_BOLD);
  if (m_selection == nullptr) return;
  m_selection->CheckedFolderItems.erase(AsTreeItem(item));
  m_selection->CheckedTreeItems.erase(AsTreeItem(item));
  m_selection->SelectedFolderItems.erase(AsTreeItem(item));
}

// A folder checked in part is no longer checked as a whole: its row and
// its boldness say so too.
void CFolderTreeCtrl::SetPartlyChecked(HTREEITEM item) {
  SetStateImage(item, kPartlyImage);
  SetItemState(item, 0, TVIS_BOLD);
  if (m_selection == nullptr) return;
  m_selection->CheckedFolderItems.erase(AsTreeItem(item));
  m_selection->CheckedTreeItems.erase(AsTreeItem(item));
  m_selection->SelectedFolderItems.erase(AsTreeItem(item));
}

BOOL CFolderTreeCtrl::AreAllChildrenChecked(HTREEITEM item) const {
  for (HTREEITEM child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child))
    if (GetCheckState(child) == 0) return FALSE;
  return TRUE;
}

BOOL CFolderTreeCtrl::AreChildrenUnchecked(HTREEITEM item) const {
  for (HTREEITEM child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child))
    if (GetCheckState(child) != 0) return FALSE;
  return TRUE;
}

void CFolderTreeCtrl::UpdateAncestors(HTREEITEM item, bool uncheckEmpty) {
  if (item == RootItem()) return;
  for (HTREEITEM ancestor = GetParentItem(item); ancestor != nullptr; ancestor = GetParentItem(ancestor)) {
    if (AreAllChildrenChecked(ancestor))
      CheckItem(ancestor);
    else if (uncheckEmpty && AreChildrenUnchecked(ancestor))
      UncheckItem(ancestor);
    else
      SetPartlyChecked(ancestor);
  }
}

void CFolderTreeCtrl::CheckSubtree(HTREEITEM item) {
  // Below the item every item is checked; the ancestors then follow once.
  std::vector<HTREEITEM> pending{item};
  while (!pending.empty()) {
    HTREEITEM current = pending.back();
    pending.pop_back();
    CheckItem(current);
    for (HTREEITEM child = GetChildItem(current); child != nullptr; child = GetNextSiblingItem(child))
      pending.push_back(child);
  }
  UpdateAncestors(item, false);
}

void CFolderTreeCtrl::UncheckSubtree(HTREEITEM item) {
  std::vector<HTREEITEM> pending{item};
  while (!pending.empty()) {
    HTREEITEM current = pending.back();
    pending.pop_back();
    UncheckItem(current);
    for (HTREEITEM child = GetChildItem(current); child != nullptr; child = GetNextSiblingItem(child))
      pending.push_back(child);
  }
  UpdateAncestors(item, true);
}

void CFolderTreeCtrl::CheckItemAndChildren(HTREEITEM item) {
  CheckItem(item);
  for (HTREEITEM child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child)) CheckSubtree(child);
}

void CFolderTreeCtrl::UncheckItemAndChildren(HTREEITEM item) {
  UncheckItem(item);
  for (HTREEITEM child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child))
    UncheckSubtree(child);
}

void CFolderTreeCtrl::ToggleItemSubtree(HTREEITEM item) {
  if (GetCheckState(item) != 0)
    UncheckSubtree(item);
  else
    CheckSubtree(item);
}

void CFolderTreeCtrl::ClearEmptyAncestors(HTREEITEM item) {
  const HTREEITEM root = RootItem();
  if (item == nullptr || item == root) return;
  for (HTREEITEM ancestor = GetParentItem(item); ancestor != nullptr && ancestor != root;
       ancestor = GetParentItem(ancestor)) {
    if (!AreChildrenUnchecked(ancestor)) break;
    UncheckItem(ancestor);
  }
  if (root != nullptr && AreChildrenUnchecked(root)) UncheckItem(root);
}

namespace {

// Drive-type pictures of the top level: the system's icons for drives are
// not in the shell's file list, so the folder icon stands for them all.
int TopLevelImage(CShellIconList& shell) { return shell.GetFolderIconIndex(TRUE); }

}  // namespace

HTREEITEM CFolderTreeCtrl::InsertFolderItem(LPCWSTR text, HTREEITEM parent) {
  CShellIconList shell;
  const int image = parent == nullptr || parent == TVI_ROOT ? TopLevelImage(shell) : shell.GetFolderIconIndex(TRUE);
  HTREEITEM item = InsertItem(text, image, image, parent == nullptr ? TVI_ROOT : parent, TVI_LAST);
  if (item != nullptr) SetStateImage(item, kUncheckedImage);
  return item;
}

HTREEITEM CFolderTreeCtrl::FindOrInsertChild(const CString& textIn, HTREEITEM parent, BOOL fileIcon) {
  CString text(textIn);
  text.TrimLeft();
  text.TrimRight();
  for (HTREEITEM child = GetChildItem(parent); child != nullptr; child = GetNextSiblingItem(child))
    if (GetItemText(child) == text) return child;
  CShellIconList shell;
  int image = fileIcon ? shell.GetFileIconIndex(text, TRUE) : shell.GetFolderIconIndex(TRUE);
  if (parent == nullptr || parent == TVI_ROOT) image = TopLevelImage(shell);
  HTREEITEM item = InsertItem(text, image, image, parent == nullptr ? TVI_ROOT : parent, TVI_LAST);
  if (item != nullptr) SetStateImage(item, kUncheckedImage);
  return item;
}

template <typename Entry, typename KeyOf, typename ParentOf>
void CFolderTreeCtrl::AddFolders(HTREEITEM parent, uint32_t key, Entry* head, KeyOf keyOf, ParentOf parentOf) {
  if (ScanStopFlag == 1) return;
  if (FoldersFound == 0) FoldersFound = 1;
  // A folder's item is made once, and a key is expanded once: parent links
  // that lead back to an ancestor end here instead of looping.
  std::set<const Entry*> inserted;
  std::set<uint32_t> expanded{key};
  std::vector<std::pair<HTREEITEM, uint32_t>> pending{{parent, key}};
  for (size_t next = 0; next < pending.size() && ScanStopFlag != 1; ++next) {
    const auto [parentItem, parentKey] = pending[next];
    for (Entry* f = head; f != nullptr && ScanStopFlag != 1; f = f->next) {
      if (parentOf(*f) != parentKey || inserted.count(f) != 0) continue;
      inserted.insert(f);
      ++TreeProgressCount;
      HTREEITEM item = InsertFolderItem(reinterpret_cast<const wchar_t*>(f->name), parentItem);
      if (item == nullptr) continue;
      if (f->deleted) SetItemColor(item, kDeletedColor);
      f->treeItem = AsTreeItem(item);
      if (expanded.insert(keyOf(*f)).second) pending.push_back({item, keyOf(*f)});
    }
  }
}

void CFolderTreeCtrl::AddFatFolders(HTREEITEM parent, uint32_t key) {
  AddFolders(parent, key, FatFolderList.head, [](const FatFolderEntry& f) { return f.cluster; },
             [](const FatFolderEntry& f) { return f.parentCluster; });
}

void CFolderTreeCtrl::AddNtfsFolders(HTREEITEM parent, uint32_t key) {
  AddFolders(parent, key, NtfsFolderList.head, [](const NtfsFolderEntry& f) { return f.recordNumber; },
             [](const NtfsFolderEntry& f) { return f.parentRecord; });
}

void CFolderTreeCtrl::BuildRawTree(HTREEITEM root) {
  for (CarvedFileRecord* f = CarvedFileList.head; f != nullptr && ScanStopFlag != 1; f = f->next) {
    if (f->fileType == nullptr) continue;
    const CString type(reinterpret_cast<const wchar_t*>(f->fileType));
    HTREEITEM group = FindOrInsertChild(type, root, FALSE);
    if (group != nullptr) AddRawExtensions(group, type);
  }
}

void CFolderTreeCtrl::AddRawExtensions(HTREEITEM group, const CString& type) {
  for (CarvedFileRecord* f = CarvedFileList.head; f != nullptr; f = f->next) {
    if (f->fileType == nullptr || f->extension == nullptr) continue;
    if (type.CompareNoCase(reinterpret_cast<const wchar_t*>(f->fileType)) != 0) continue;
    ++TreeProgressCount;
    FindOrInsertChild(CString(reinterpret_cast<const wchar_t*>(f->extension)), group, TRUE);
  }
}

void CFolderTreeCtrl::SetItemColor(HTREEITEM item, COLORREF color) {
  m_itemStyles[item].color = static_cast<int>(color);
}

COLORREF CFolderTreeCtrl::ItemColor(HTREEITEM item) const {
  auto found = m_itemStyles.find(item);
  return found == m_itemStyles.end() || found->second.color == -1 ? GetSysColor(COLOR_WINDOWTEXT)
                                                                  : static_cast<COLORREF>(found->second.color);
}

CString CFolderTreeCtrl::GetItemPath(HTREEITEM item) const {
  CString path = GetItemText(item);
  const HTREEITEM root = RootItem();
  for (HTREEITEM ancestor = GetParentItem(item); ancestor != nullptr && ancestor != root;
       ancestor = GetParentItem(ancestor)) {
    CString text = GetItemText(ancestor);
    if (text.IsEmpty() || text[text.GetLength() - 1] != L'\\') text += L'\\';
    path = text + path;
  }
  return path;
}

std::vector<std::u16string> CFolderTreeCtrl::GetItemNames(HTREEITEM item) const {
  std::vector<std::u16string> names;
  const HTREEITEM root = RootItem();
  for (HTREEITEM at = item; at != nullptr && at != root; at = GetParentItem(at)) {
    const CString text = GetItemText(at);
    names.insert(names.begin(), std::u16string(reinterpret_cast<const char16_t*>(text.GetString()),
                                               static_cast<size_t>(text.GetLength())));
  }
  return names;
}

void CFolderTreeCtrl::Clear() {
  m_itemStyles.clear();
  DeleteAllItems();
}

BOOL CFolderTreeCtrl::OnEraseBkgnd(CDC*) {
  // The buffered paint covers everything.
  return TRUE;
}

void CFolderTreeCtrl::OnPaint() {
  CPaintDC screen(this);
  CRect update = screen.m_ps.rcPaint;
  CRect client;
  GetClientRect(&client);
  if (update.IsRectEmpty() || client.IsRectEmpty()) return;
  CDC memory;
  CBitmap bitmap;
  if (!memory.CreateCompatibleDC(&screen) || !bitmap.CreateCompatibleBitmap(&screen, client.Width(), client.Height()))
    return;
  CBitmap* oldBitmap = memory.SelectObject(&bitmap);
  memory.IntersectClipRect(&update);
  memory.FillSolidRect(&client, ::GetSysColor(COLOR_WINDOW));
  // The control paints itself into the buffer; the styled items follow.
  DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(memory.m_hDC), 0);
  DrawStyledItems(memory);
  screen.BitBlt(update.left, update.top, update.Width(), update.Height(), &memory, update.left, update.top, SRCCOPY);
  memory.SelectObject(oldBitmap);
}

void CFolderTreeCtrl::DrawStyledItems(CDC& dc) {
  CFont* treeFont = GetFont();
  LOGFONTW base = {};
  if (treeFont != nullptr)
    treeFont->GetLogFont(&base);
  else
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof base, &base);
  const bool focused = GetFocus() == this;
  const int oldMode = dc.SetBkMode(OPAQUE);
  const COLORREF oldText = dc.GetTextColor();
  const COLORREF oldBack = dc.SetBkColor(::GetSysColor(COLOR_WINDOW));
  HTREEITEM item = GetFirstVisibleItem();
  for (UINT drawn = 0; item != nullptr && drawn <= GetVisibleCount(); ++drawn, item = GetNextVisibleItem(item)) {
    const UINT state = GetItemState(item, TVIS_SELECTED | TVIS_DROPHILITED | TVIS_BOLD);
    if (focused && (state & (TVIS_SELECTED | TVIS_DROPHILITED)) != 0) continue;
    auto style = m_itemStyles.find(item);
    // A checked item is bold even where a later mark left the flag behind.
    const bool bold = (state & TVIS_BOLD) != 0 || GetCheckState(item) == 1;
    if (style == m_itemStyles.end() && !bold) continue;
    LOGFONTW font = style != m_itemStyles.end() && style->second.useFont ? style->second.font : base;
    if (bold) font.lfWeight = FW_BOLD;
    CFont itemFont;
    if (!itemFont.CreateFontIndirect(&font)) continue;
    CRect label;
    if (!GetItemRect(item, &label, TRUE)) continue;
    CFont* oldFont = dc.SelectObject(&itemFont);
    const CString text = GetItemText(item);
    // The bold text is wider than the plain one the control measured.
    CRect cover = label;
    cover.right = label.left + 2 + dc.GetTextExtent(text).cx + 2;
    if (cover.right < label.right) cover.right = label.right;
    if (!(state & TVIS_SELECTED)) dc.FillSolidRect(&cover, ::GetSysColor(COLOR_WINDOW));
    dc.SetTextColor(style != m_itemStyles.end() ? ItemColor(item) : ::GetSysColor(COLOR_WINDOWTEXT));
    if (state & TVIS_SELECTED) dc.SetBkMode(TRANSPARENT);
    dc.TextOut(label.left + 2, label.top + 1, text);
    dc.SetBkMode(OPAQUE);
    dc.SelectObject(oldFont);
  }
  dc.SetBkColor(oldBack);
  dc.SetTextColor(oldText);
  dc.SetBkMode(oldMode);
}

HCURSOR CFolderTreeCtrl::CursorAt(CPoint point, BOOL pressed) const {
  UINT flags = 0;
  if (const_cast<CFolderTreeCtrl*>(this)->HitTest(point, &flags) == nullptr) return nullptr;
  if (flags & TVHT_ONITEMSTATEICON) return m_cursors[kCheckCursor];
  if (flags & TVHT_ONITEMBUTTON) return m_cursors[kExpandCursor];
  if (flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL)) return m_cursors[pressed ? kPressedCursor : kItemCursor];
  return nullptr;
}

void CFolderTreeCtrl::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_heldCursor == nullptr)
    if (HCURSOR cursor = CursorAt(point, FALSE)) ::SetCursor(cursor);
  CTreeCtrl::OnMouseMove(nFlags, point);
}

BOOL CFolderTreeCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT) {
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    HCURSOR cursor = m_heldCursor != nullptr ? m_heldCursor : CursorAt(point, FALSE);
    if (cursor != nullptr) {
      ::SetCursor(cursor);
      return TRUE;
    }
  }
  return CTreeCtrl::OnSetCursor(pWnd, nHitTest, message);
}

void CFolderTreeCtrl::OnLButtonUp(UINT nFlags, CPoint point) {
  m_heldCursor = nullptr;
  UINT flags = 0;
  if (HitTest(point, &flags) != nullptr && (flags & (TVHT_ONITEM | TVHT_ONITEMBUTTON)) != 0)
    ::SetCursor(m_cursors[(flags & (TVHT_ONITEMSTATEICON | TVHT_ONITEMBUTTON)) ? kExpandCursor : kItemCursor]);
  CTreeCtrl::OnLButtonUp(nFlags, point);
}

void CFolderTreeCtrl::SetFoundFileList(CFoundFileListCtrl* list) {
  m_list = list;
  m_selection = list != nullptr ? &list->Selection : nullptr;
}

void CFolderTreeCtrl::ToggleCheckOfItem(HTREEITEM item) {
  if (item == nullptr || m_selection == nullptr) return;
  const ResultsKind kind = CurrentResultsKind();
  if (kind == ResultsKind::None) return;
  const HTREEITEM root = RootItem();
  const bool isRoot = item == root;
  const int state = GetCheckState(item);
  if (kind == ResultsKind::Raw) {
    std::u16string text = u"ROOT";
    bool group = false;
    if (!isRoot) {
      const CString itemText = GetItemText(item);
      text.assign(reinterpret_cast<const char16_t*>(itemText.GetString()), static_cast<size_t>(itemText.GetLength()));
      group = ItemHasChildren(item) != FALSE;
    }
    if (state == 0 || !AreAllChildrenChecked(item)) {
      CheckRawGroup(*m_selection, text, group);
      CheckSubtree(item);
    } else {
      UncheckRawGroup(*m_selection, text, group);
      UncheckSubtree(item);
      ClearEmptyAncestors(item);
    }
  } else {
    const uint32_t key = isRoot ? RootFolderKey(kind) : FolderKeyOfItem(kind, reinterpret_cast<TreeItem>(item));
    // An NTFS folder in any state but unchecked is unchecked; a FAT folder
    // is checked whole while any child is unchecked.
    const bool check = kind == ResultsKind::Fat ? (state == 0 || !AreAllChildrenChecked(item)) : state == 0;
    if (check) {
      if (isRoot) {
        CheckItemAndChildren(item);
        CheckFolderContents(*m_selection, kind, key, true);
      } else {
        CheckSubtree(item);
        m_selection->SelectedFolderItems.insert(reinterpret_cast<TreeItem>(item));
        AddFolderSubtree(*m_selection, kind, key, reinterpret_cast<TreeItem>(item));
      }
    } else {
      if (isRoot) {
        UncheckItemAndChildren(item);
        UncheckFolderContents(*m_selection, kind, key, true);
      } else {
        UncheckSubtree(item);
        m_selection->SelectedFolderItems.erase(reinterpret_cast<TreeItem>(item));
        RemoveFolderSubtree(*m_selection, kind, key, reinterpret_cast<TreeItem>(item));
      }
      ClearEmptyAncestors(item);
    }
  }
  if (m_list == nullptr) return;
  m_list->RefreshListChecks();
  if (m_list->SelectionChanged) m_list->SelectionChanged();
}

void CFolderTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
  UINT flags = 0;
  HTREEITEM item = HitTest(point, &flags);
  if (item == nullptr) {
    CTreeCtrl::OnLButtonDown(nFlags, point);
    return;
  }
  if ((flags & TVHT_ONITEMBUTTON) != 0) {
    ::SetCursor(m_heldCursor = m_cursors[kExpandCursor]);
    Expand(item, TVE_TOGGLE);
    return;
  }
  if ((flags & (TVHT_ONITEMSTATEICON | TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMRIGHT)) == 0) {
    CTreeCtrl::OnLButtonDown(nFlags, point);
    return;
  }
  ::SetCursor(m_heldCursor = CursorAt(point, TRUE));
  SelectItem(item);
  SetFocus();
  if ((flags & TVHT_ONITEMSTATEICON) != 0) {
    ToggleCheckOfItem(item);
  } else if (m_list != nullptr) {
    ListWithProgress = 1;
    m_list->ListTreeItem(item);
  }
}

void CFolderTreeCtrl::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
  switch (nChar) {
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
      if (m_list != nullptr && GetSelectedItem() != nullptr) m_list->ListTreeItem(GetSelectedItem());
      break;
    default:
      break;
  }
  CTreeCtrl::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CFolderTreeCtrl::OnKeyDownNotify(NMHDR* pNMHDR, LRESULT* pResult) {
  const NMTVKEYDOWN* key = reinterpret_cast<const NMTVKEYDOWN*>(pNMHDR);
  *pResult = 0;
  if (key->wVKey == VK_TAB && m_list != nullptr) m_list->SetFocus();
  // Space checks through the program's rules.
  if (key->wVKey == VK_SPACE) {
    ToggleCheckOfItem(GetSelectedItem());
    *pResult = 1;
  }
}
