#include "file_properties_dlg.h"

#include "checked_selection.h"
#include "raw/raw_results.h"
#include "results_resources.h"

CString PropertiesSizeText(unsigned long long bytes) {
  CString text;
  text.Format(L"%llu KB", bytes / 1024 + 1);
  return text;
}

void FolderPropertiesTexts(uintptr_t treeItem, CString& contains, CString& size) {
  const ResultsKind kind = CurrentResultsKind();
  SelectionTotals.files = 0;
  SelectionTotals.bytes = 0;
  SelectionTotals.folders = 0;
  bool found = false;
  const uint32_t key = FolderKeyOfItem(kind, static_cast<TreeItem>(treeItem), &found);
  AddSubtreeTotals(kind, found ? key : RootFolderKey(kind));
  contains.Format(L"%u File(s) and %u Folder(s)", SelectionTotals.files,
                  SelectionTotals.folders > 0 ? SelectionTotals.folders - 1 : 0);
  const unsigned long long megabytes = SelectionTotals.bytes / 1024 / 1024;
  if (megabytes == 0)
    size = L"Less than 1 MB";
  else
    size.Format(L"%llu MB", megabytes);
}

BEGIN_MESSAGE_MAP(CFilePropertiesDlg, CDialog)
  ON_WM_ERASEBKGND()
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CFilePropertiesDlg::CFilePropertiesDlg(const FileProperties& properties, CWnd* pParent)
    : CDialog(IDD_FILE_PROPERTIES, pParent), m_properties(properties) {
  m_skin.Load(IDB_PROPERTIES_SKIN);
}

BOOL CFilePropertiesDlg::OnEraseBkgnd(CDC* pDC) { return m_skin.Erase(pDC, this) || CDialog::OnEraseBkgnd(pDC); }

HBRUSH CFilePropertiesDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH brush = m_skin.ControlBrush(pDC, this, pWnd, nCtlColor);
  return brush != nullptr ? brush : CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

BOOL CFilePropertiesDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  FillProperties();
  return TRUE;
}

void CFilePropertiesDlg::FillProperties() {
  SetDlgItemText(IDC_PROPERTIES_NAME, m_properties.name);
  SetDlgItemText(IDC_PROPERTIES_CREATED, m_properties.created);
  SetDlgItemText(IDC_PROPERTIES_MODIFIED, m_properties.modified);
  if (!m_properties.isFolder) {
    SetDlgItemText(IDC_PROPERTIES_SIZE, m_properties.size);
    SetDlgItemText(IDC_PROPERTIES_CONTAINS, L"");
    return;
  }
  CString contains, size;
  FolderPropertiesTexts(m_properties.id, contains, size);
  SetDlgItemText(IDC_PROPERTIES_CONTAINS, contains);
  SetDlgItemText(IDC_PROPERTIES_SIZE, size);
}
