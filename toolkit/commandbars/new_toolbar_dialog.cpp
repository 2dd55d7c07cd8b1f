#include "new_toolbar_dialog.h"

#include "command_bar.h"
#include "command_bars.h"
#include "resource_loader.h"
#include "toolkit_resources.h"

CTkNewToolbarDialog::CTkNewToolbarDialog(CWnd* parent, CTkCommandBars* commandBars, CTkCommandBar* rename)
    : m_pParent(parent), m_pCommandBars(commandBars), m_pRename(rename) {}

INT_PTR CTkNewToolbarDialog::DoModal() {
  LPCDLGTEMPLATEW dialogTemplate = GetToolkitResourceLoader()->LoadDialogTemplate(IDD_TK_NEW_TOOLBAR);
  if (dialogTemplate == nullptr || !InitModalIndirect(dialogTemplate, m_pParent)) return -1;
  return CDialog::DoModal();
}

CString CTkNewToolbarDialog::SuggestName(CTkCommandBars* commandBars) {
  CString format;
  GetToolkitResourceLoader()->LoadString(format, IDS_TK_CUSTOM_BAR_NAME);
  if (format.IsEmpty()) format = L"Custom %d";
  CString candidate;
  for (int n = 1;; ++n) {
    candidate.Format(format, n);
    BOOL taken = FALSE;
    for (int i = 0; i < commandBars->GetBarCount() && !taken; ++i)
      taken = commandBars->GetAt(i)->GetTitle() == candidate;
    if (!taken) return candidate;
  }
}

BOOL CTkNewToolbarDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_pRename == nullptr) {
    m_strName = SuggestName(m_pCommandBars);
  } else {
    m_strName = m_pRename->GetTitle();
    CString caption;
    if (GetToolkitResourceLoader()->LoadString(caption, IDS_TK_RENAME_TOOLBAR)) SetWindowText(caption);
  }
  SetDlgItemText(IDC_TK_TOOLBAR_NAME, m_strName);
  ::SendDlgItemMessageW(m_hWnd, IDC_TK_TOOLBAR_NAME, EM_SETSEL, 0, -1);
  return TRUE;
}

int CTkNewToolbarDialog::Validate() {
  CTkResourceLoader* loader = GetToolkitResourceLoader();
  if (m_strName.IsEmpty()) {
    loader->ShowMessage(IDS_TK_ERROR_BLANK_NAME, MB_OK | MB_ICONERROR);
    return 0;
  }
  UINT id = kFirstUserBarId;
  for (int i = 0; i < m_pCommandBars->GetBarCount(); ++i) {
    CTkCommandBar* bar = m_pCommandBars->GetAt(i);
    if (m_pRename == nullptr && bar->GetBarID() == id) {
      ++id;
      if (id >= kUserBarIdLimit) {
        loader->ShowMessage(IDS_TK_ERROR_LIMIT, MB_OK | MB_ICONERROR);
        return IDCANCEL;
      }
      i = -1;
      continue;
    }
    if (bar != m_pRename && bar->GetTitle() == m_strName) {
      CString format;
      loader->LoadString(format, IDS_TK_ERROR_EXISTS);
      CString text;
      text.Format(format, static_cast<LPCWSTR>(m_strName));
      AfxMessageBox(text, MB_OK | MB_ICONERROR);
      return 0;
    }
  }
  if (m_pRename == nullptr) m_nBarId = id;
  return IDOK;
}

void CTkNewToolbarDialog::OnOK() {
  GetDlgItemText(IDC_TK_TOOLBAR_NAME, m_strName);
  const int result = Validate();
  if (result != 0) EndDialog(result);
}
