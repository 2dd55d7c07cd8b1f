#include "file_type_dlg.h"

#include "app_message.h"
#include "file_system_tree.h"
#include "raw/raw_lists.h"
#include "resource.h"
#include "wizard_resources.h"
#include "wizard_state.h"
#include "window_placement.h"

namespace {

LPCWSTR Wide(const std::u16string& text) { return reinterpret_cast<LPCWSTR>(text.c_str()); }

constexpr int kSizeEntries = 20;

}  // namespace

BEGIN_MESSAGE_MAP(CFileTypeTree, CTreeCtrl)
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_KEYUP()
ON_NOTIFY_REFLECT(TVN_KEYDOWN, OnKeyDownNotify)
ON_COMMAND_RANGE(ID_FILE_TYPE_MENU_FIRST, ID_FILE_TYPE_MENU_LAST, OnMenuCommand)
END_MESSAGE_MAP()

CFileTypeTree::~CFileTypeTree() = default;

void CFileTypeTree::InitTree(FileTypeTree* model) {
  m_model = model;
  if (StateImages.GetSafeHandle() == nullptr) StateImages.Create(IDB_TREE_STATES, 16, 1, RGB(255, 255, 255));
  SetImageList(&StateImages, TVSIL_STATE);
  // The shell's list is shared: a tree never destroys its image lists.
  SendMessage(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(ShellIcons.GetSystemImageList(TRUE)));
  DeleteAllItems();
  const int folder = ImageFor(L"File Types", true);
  m_items.assign(1, InsertItem(L"File Types", folder, folder, TVI_ROOT));
}

int CFileTypeTree::ImageFor(const CString& text, bool topLevel) const {
  if (topLevel || text.IsEmpty() || text[0] != L'.') return ShellIcons.GetFolderIconIndex(TRUE);
  return ShellIcons.GetFileIconIndex(text, TRUE);
}

HTREEITEM CFileTypeTree::InsertTypeItem(FileTypeTree::Item item, HTREEITEM parent) {
  const CString text = Wide(m_model->Text(item));
  const int image = ImageFor(text, parent == TVI_ROOT);
  HTREEITEM inserted = InsertItem(text, image, image, parent);
  SetItemData(inserted, static_cast<DWORD_PTR>(item));
  return inserted;
}

void CFileTypeTree::ShowModel() {
  if (m_model == nullptr) return;
  if (m_items.empty()) InitTree(m_model);
  m_items.resize(m_model->ItemCount(), nullptr);
  // Parents come before their children in the model's numbering.
  for (FileTypeTree::Item item = 1; item < m_model->ItemCount(); ++item)
    if (m_items[item] == nullptr) m_items[item] = InsertTypeItem(item, m_items[m_model->Parent(item)]);
  RefreshStates();
}

void CFileTypeTree::RefreshStates() {
  if (m_model == nullptr) return;
  for (size_t item = 0; item < m_items.size(); ++item) {
    if (m_items[item] == nullptr) continue;
    const FileTypeTree::Item modelItem = static_cast<FileTypeTree::Item>(item);
    const UINT state =
        INDEXTOSTATEIMAGEMASK(m_model->State(modelItem)) | (m_model->IsBold(modelItem) ? TVIS_BOLD : 0);
    if (GetItemState(m_items[item], TVIS_STATEIMAGEMASK | TVIS_BOLD) != state)
      SetItemState(m_items[item], state, TVIS_STATEIMAGEMASK | TVIS_BOLD);
  }
}

int CFileTypeTree::ShownState(HTREEITEM item) const {
  return static_cast<int>(GetItemState(item, TVIS_STATEIMAGEMASK) >> 12);
}

FileTypeTree::Item CFileTypeTree::ModelItem(HTREEITEM item) const {
  for (size_t i = 0; i < m_items.size(); ++i)
    if (m_items[i] == item) return static_cast<FileTypeTree::Item>(i);
  return -1;
}

HTREEITEM CFileTypeTree::TreeItem(FileTypeTree::Item item) const {
  return item >= 0 && static_cast<size_t>(item) < m_items.size() ? m_items[item] : nullptr;
}

void CFileTypeTree::ToggleCheck(HTREEITEM item) {
  const FileTypeTree::Item modelItem = ModelItem(item);
  if (m_model == nullptr || modelItem < 0) return;
  m_model->ToggleItemCheck(modelItem);
  RefreshStates();
}

HTREEITEM CFileTypeTree::HandleItemRightClick() { return GetSelectedItem(); }

void CFileTypeTree::OnLButtonDown(UINT, CPoint point) {
  UINT flags = 0;
  HTREEITEM item = HitTest(point, &flags);
  if (item == nullptr) return;
  SelectedTreeText = GetItemText(item);
  WizardFrame().SelectedTreeRow = CFileSystemTree::GetVisibleRowIndex(*this, item);
  if (flags & TVHT_ONITEMSTATEICON) {
    ToggleCheck(item);
  } else if (flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMRIGHT)) {
    SelectItem(item);
    SetFocus();
  } else {
    Expand(item, TVE_TOGGLE);
  }
}

void CFileTypeTree::OnRButtonDown(UINT, CPoint) { HandleItemRightClick(); }

void CFileTypeTree::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  // The control would flip the mark on its own; the model decides instead.
  if (nChar == VK_SPACE) {
    if (HTREEITEM item = GetSelectedItem()) ToggleCheck(item);
    return;
  }
  CTreeCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CFileTypeTree::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == L' ') return;
  CTreeCtrl::OnChar(nChar, nRepCnt, nFlags);
}

void CFileTypeTree::OnKeyUp(UINT, UINT, UINT) {
  HTREEITEM item = GetSelectedItem();
  SelectItem(item);
  SetFocus();
  LastTreeItem = item;
}

void CFileTypeTree::OnKeyDownNotify(NMHDR*, LRESULT* pResult) { *pResult = 0; }

void CFileTypeTree::OnMenuCommand(UINT) {}

CFileTypeDlg::CFileTypeDlg(CWnd* pParent) : CSkinnedDialog(IDD_FILE_TYPES, IDB_SETTINGS_SKIN, pParent) {}

CFileTypeDlg::~CFileTypeDlg() = default;

void CFileTypeDlg::DoDataExchange(CDataExchange* pDX) {
  CSkinnedDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_FILE_TYPE_QUESTION, Question);
  DDX_Control(pDX, IDC_FILE_SIZE_LABEL, SizeLabel);
  DDX_Control(pDX, IDC_FILE_SIZE_COMBO, SizeCombo);
  DDX_Control(pDX, IDC_FILE_TYPE_TREE, TypeTree);
}

BOOL CFileTypeDlg::OnInitDialog() {
  CSkinnedDialog::OnInitDialog();
  m_boldFont.CreateFont(15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
  Question.SetFont(&m_boldFont);
  Question.SetWindowText(
      L"What file types would you like to recover? [Please check file types] and click [Ok] to continue with "
      L"recovery.");
  // windres writes no dialog init data: the sizes are filled here.
  for (int mb = 1; mb <= kSizeEntries; ++mb) {
    CString entry;
    entry.Format(L"%d MB", mb);
    SizeCombo.AddString(entry);
  }
  SizeCombo.SetCurSel(CarveSizeLimitMB >= 1 && CarveSizeLimitMB <= kSizeEntries ? CarveSizeLimitMB - 1 : 2);
  TypeTree.InitTree(&Model);
  LoadRawSignatureFile(Model);
  TypeTree.ShowModel();
  TypeTree.Expand(TypeTree.TreeItem(FileTypeTree::kRoot), TVE_EXPAND);
  PlaceOverOwner(this);
  return TRUE;
}

void CFileTypeDlg::OnOK() {
  if (AcceptFileTypes(Model, SizeCombo.GetCurSel()) == 0) return;
  EndDialog(IDOK);
}
