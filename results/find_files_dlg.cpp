#include "find_files_dlg.h"

#include "app_message.h"
#include "file_recovery.h"
#include "folder_tree_ctrl.h"
#include "results_resources.h"
#include "saving_dlg.h"
#include "shell_icon_list.h"

int FindDialogOpen = 0;
CFindFilesDlg* CurrentFindDialog = nullptr;

namespace {

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

std::u16string Text16(const CString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.GetString()), static_cast<size_t>(text.GetLength()));
}

}  // namespace

BEGIN_MESSAGE_MAP(CFindFilesDlg, CDialog)
  ON_BN_CLICKED(IDC_FIND_STOP, OnStopSearch)
  ON_BN_CLICKED(IDC_FIND_SELECT_ALL, OnSelectAll)
  ON_BN_CLICKED(IDC_FIND_SAVE, OnSaveSelected)
  ON_WM_DESTROY()
  ON_MESSAGE(kFindRowsMessage, OnRowsFound)
  ON_MESSAGE(kFindDoneMessage, OnSearchDone)
  ON_WM_ERASEBKGND()
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CFindFilesDlg::CFindFilesDlg(CFolderTreeCtrl* tree, CWnd* pParent) : CDialog(IDD_FIND_FILES, pParent), m_tree(tree) {
  m_skin.Load(IDB_FIND_SKIN);
}

BOOL CFindFilesDlg::OnEraseBkgnd(CDC* pDC) { return m_skin.Erase(pDC, this) || CDialog::OnEraseBkgnd(pDC); }

HBRUSH CFindFilesDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH brush = m_skin.ControlBrush(pDC, this, pWnd, nCtlColor);
  return brush != nullptr ? brush : CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

CFindFilesDlg::~CFindFilesDlg() { EndWorker(); }

BOOL CFindFilesDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  ResultList.SubclassDlgItem(IDC_FIND_LIST, this);
  ResultList.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  ResultList.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL,
                         reinterpret_cast<LPARAM>(CShellIconList().GetSystemImageList(TRUE)));
  ResultList.SetupStateImages();
  ResultList.SetTiledBackground(IDB_RESULTS_LIST_BACKGROUND);
  const struct {
    LPCWSTR heading;
    int width;
  } columns[] = {{L"File Name", 200}, {L"Path", 100}, {L"Size", 100},
                 {L"Creation Time", 150}, {L"Modification Time", 150}, {L"ID", 150}};
  for (int column = 0; column < 6; ++column)
    ResultList.InsertColumn(column, columns[column].heading, LVCFMT_LEFT, columns[column].width);
  // The check box with its pictures: the empty box, and the ticked one.
  m_selectAll.SubclassDlgItem(IDC_FIND_SELECT_ALL, this);
  m_selectAll.SetIconsFromResources(IDI_SELECT_ALL_HOVER, IDI_SELECT_ALL);
  m_selectAll.EnableTransparency();
  SetDlgItemText(IDC_FIND_SELECT_ALL, L"Select All");
  CurrentFindDialog = this;
  FindDialogOpen = 1;
  return TRUE;
}

void CFindFilesDlg::OnDestroy() {
  // However the dialog ends: the results list opens its menu again, and
  // no saving reads a list that is gone.
  EndWorker();
  FindDialogOpen = 0;
  if (CurrentFindDialog == this) CurrentFindDialog = nullptr;
  CDialog::OnDestroy();
}

void CFindFilesDlg::EnableIdleControls(BOOL idle) {
  GetDlgItem(IDOK)->EnableWindow(idle);
  GetDlgItem(IDC_FIND_STOP)->EnableWindow(!idle);
  GetDlgItem(IDC_FIND_STATUS)->EnableWindow(idle);
  GetDlgItem(IDC_FIND_SELECT_ALL)->EnableWindow(idle);
  GetDlgItem(IDC_FIND_SAVE)->EnableWindow(idle);
  ResultList.EnableWindow(idle);
}

void CFindFilesDlg::OnOK() {
  if (IsSearching()) return;
  SetDlgItemText(IDC_FIND_SELECT_ALL, L"Select All");
  ::CheckDlgButton(m_hWnd, IDC_FIND_SELECT_ALL, BST_UNCHECKED);
  EnableIdleControls(FALSE);
  ResultList.DeleteAllItems();
  m_names.clear();
  SetDlgItemText(IDC_FIND_STATUS, L"");
  SetDlgItemText(IDC_FIND_COUNT, L"0");
  SetDlgItemText(IDC_FIND_LAST_FILE, L"");
  CString pattern;
  GetDlgItemText(IDC_FIND_PATTERN, pattern);
  m_kind = CurrentResultsKind();
  // The paths are read from the tree here, on the interface thread.
  FolderPaths paths = MakeFolderPaths(m_kind, [this](TreeItem item) {
    return m_tree != nullptr ? Text16(m_tree->GetItemPath(reinterpret_cast<HTREEITEM>(item))) : std::u16string();
  });
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_pending.clear();
    m_paused = false;
    m_stop = false;
  }
  const HWND dialog = m_hWnd;
  m_worker = std::thread([this, dialog, kind = m_kind, text = Text16(pattern), paths = std::move(paths)] {
    auto proceed = [this] {
      std::unique_lock<std::mutex> hold(m_lock);
      m_resume.wait(hold, [this] { return !m_paused || m_stop; });
      return !m_stop;
    };
    const int found = SearchFoundFiles(kind, text, paths, proceed, [this, dialog](FoundFileRow row) {
      bool first = false;
      {
        std::lock_guard<std::mutex> hold(m_lock);
        first = m_pending.empty();
        m_pending.push_back(std::move(row));
      }
      // One message per batch: the interface takes all that waits.
      if (first) ::PostMessageW(dialog, kFindRowsMessage, 0, 0);
    });
    ::PostMessageW(dialog, kFindDoneMessage, static_cast<WPARAM>(found), 0);
  });
}

void CFindFilesDlg::TakeFoundRows() {
  std::vector<FoundFileRow> rows;
  {
    std::lock_guard<std::mutex> hold(m_lock);
    rows.swap(m_pending);
  }
  if (rows.empty()) return;
  CShellIconList icons;
  for (FoundFileRow& found : rows) {
    const int row = ResultList.InsertItem(ResultList.GetItemCount(), Wide(found.name),
                                          icons.GetFileIconIndex(Wide(found.name), TRUE));
    ResultList.SetItemText(row, 1, Wide(found.path));
    ResultList.SetItemText(row, 2, Wide(found.size));
    ResultList.SetItemText(row, 3, Wide(found.created));
    ResultList.SetItemText(row, 4, Wide(found.modified));
    CString id;
    id.Format(L"%u", found.id);
    ResultList.SetItemText(row, 5, id);
    ResultList.SetRowUnchecked(row);
    m_names[found.id] = found.original;
  }
  CString count;
  count.Format(L"%d", ResultList.GetItemCount());
  SetDlgItemText(IDC_FIND_COUNT, count);
  SetDlgItemText(IDC_FIND_LAST_FILE, Wide(rows.back().name));
}

LRESULT CFindFilesDlg::OnRowsFound(WPARAM, LPARAM) {
  TakeFoundRows();
  return 0;
}

LRESULT CFindFilesDlg::OnSearchDone(WPARAM, LPARAM) {
  // After Stop and Yes the worker was joined already, and the end reports
  // nothing.
  if (!m_worker.joinable()) return 0;
  m_worker.join();
  TakeFoundRows();
  if (ResultList.GetItemCount() > 0) {
    CString status;
    status.Format(L"There were %d files found.", ResultList.GetItemCount());
    SetDlgItemText(IDC_FIND_STATUS, status);
  } else {
    SetDlgItemText(IDC_FIND_COUNT, L"0");
    SetDlgItemText(IDC_FIND_LAST_FILE, L"");
    SetDlgItemText(IDC_FIND_STATUS, L"Search is complete. There are no results to display.");
  }
  EnableIdleControls(TRUE);
  return 0;
}

void CFindFilesDlg::EndWorker() {
  if (!m_worker.joinable()) return;
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_stop = true;
  }
  m_resume.notify_all();
  m_worker.join();
}

void CFindFilesDlg::OnStopSearch() {
  if (!IsSearching()) return;
  GetDlgItem(IDC_FIND_STOP)->EnableWindow(FALSE);
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_paused = true;
  }
  const bool yes = AskAppQuestion(3, u"Do you want to stop file searching ?") == 1;
  if (yes) {
    EndWorker();
    TakeFoundRows();
    EnableIdleControls(TRUE);
    return;
  }
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_paused = false;
  }
  m_resume.notify_all();
  // The search may have ended while the question was open.
  GetDlgItem(IDC_FIND_STOP)->EnableWindow(IsSearching());
}

void CFindFilesDlg::OnCancel() {
  // No way out while searching: Stop is.
  if (IsSearching()) return;
  CDialog::OnCancel();
}

void CFindFilesDlg::OnSelectAll() {
  if (::IsDlgButtonChecked(m_hWnd, IDC_FIND_SELECT_ALL) == BST_CHECKED && ResultList.GetItemCount() > 0) {
    SetDlgItemText(IDC_FIND_SELECT_ALL, L"Deselect All");
    ResultList.CheckAllRows();
  } else {
    SetDlgItemText(IDC_FIND_SELECT_ALL, L"Select All");
    ::CheckDlgButton(m_hWnd, IDC_FIND_SELECT_ALL, BST_UNCHECKED);
    ResultList.UncheckAllRows();
  }
  ResultList.Invalidate();
}

std::vector<SaveItem> CFindFilesDlg::CheckedRows() const {
  std::vector<SaveItem> items;
  for (int row = 0; row < ResultList.GetItemCount(); ++row) {
    if (ResultList.IsRowChecked(row) != 1) continue;
    const auto name = m_names.find(ResultList.RowId(row));
    if (name != m_names.end()) items.push_back(SaveItem{m_kind, name->first, {}, name->second});
  }
  return items;
}

void CFindFilesDlg::OnSaveSelected() {
  std::vector<SaveItem> items = CheckedRows();
  if (items.empty()) {
    MessageBox(L"No file is checked. Check the files to save first.", L"Find File(s)", MB_OK | MB_ICONINFORMATION);
    return;
  }
  CDestinationDlg destination(this);
  destination.Destination = DefaultDestination;
  if (destination.DoModal() != IDOK) return;
  RecoverSelected(this, Text16(destination.Destination), std::move(items), kPlainMode);
}
