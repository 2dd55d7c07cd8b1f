#include "saving_dlg.h"

#include <shlobj.h>

#include "file_recovery.h"
#include "results_resources.h"
#include "window_placement.h"

namespace {

const UINT_PTR kProgressTimer = 1;
const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

}  // namespace

BEGIN_MESSAGE_MAP(CDestinationDlg, CDialog)
  ON_BN_CLICKED(IDC_DESTINATION_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CDestinationDlg::CDestinationDlg(CWnd* pParent) : CDialog(IDD_DESTINATION, pParent) {}

BOOL CDestinationDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetDlgItemText(IDC_DESTINATION_PATH, Destination);
  PlaceOverOwner(this);
  return TRUE;
}

void CDestinationDlg::OnOK() {
  GetDlgItemText(IDC_DESTINATION_PATH, Destination);
  Destination.TrimLeft();
  Destination.TrimRight();
  CDialog::OnOK();
}

void CDestinationDlg::OnBrowse() {
  BROWSEINFOW info = {};
  info.hwndOwner = m_hWnd;
  info.lpszTitle = L"Choose the folder to save the checked files in:";
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
  LPITEMIDLIST chosen = SHBrowseForFolderW(&info);
  if (chosen == nullptr) return;
  wchar_t path[MAX_PATH] = {};
  if (SHGetPathFromIDListW(chosen, path)) SetDlgItemText(IDC_DESTINATION_PATH, path);
  CoTaskMemFree(chosen);
}

BEGIN_MESSAGE_MAP(CSavingDlg, CDialog)
  ON_WM_TIMER()
  ON_MESSAGE(kSavingDoneMessage, OnSavingDone)
  ON_WM_ERASEBKGND()
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CSavingDlg::CSavingDlg(CWnd* pParent, std::u16string destination, std::vector<SaveItem> items, int mode)
    : CDialog(IDD_SAVING, pParent), m_destination(std::move(destination)), m_items(std::move(items)), m_mode(mode) {
  m_skin.Load(IDB_SAVING_SKIN);
}

BOOL CSavingDlg::OnEraseBkgnd(CDC* pDC) { return m_skin.Erase(pDC, this) || CDialog::OnEraseBkgnd(pDC); }

HBRUSH CSavingDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH brush = m_skin.ControlBrush(pDC, this, pWnd, nCtlColor);
  return brush != nullptr ? brush : CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

CSavingDlg::~CSavingDlg() {
  if (m_worker.joinable()) {
    StopAllRecovery = 1;
    m_worker.join();
  }
}

void CSavingDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_SAVING_PROGRESS, PercentBar);
}

BOOL CSavingDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  PercentBar.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  SetDlgItemText(IDC_SAVING_CAPTION, L"Saving :");
  StopAllRecovery = 0;
  SkipCurrentFile = 0;
  RecoveryDestination = m_destination;
  const HWND dialog = m_hWnd;
  m_worker = std::thread([this, dialog] {
    const int written = SaveItems(m_destination, m_items, m_mode, m_progress);
    // The end is posted after the run's resets, so the next run starts clean.
    ::PostMessageW(dialog, kSavingDoneMessage, static_cast<WPARAM>(written), 0);
  });
  SetTimer(kProgressTimer, 100, nullptr);
  return TRUE;
}

void CSavingDlg::ShowProgress() {
  std::u16string file;
  int percent = 0, written = 0;
  {
    std::lock_guard<std::mutex> hold(m_progress.lock);
    file = m_progress.currentFile;
    percent = m_progress.percent;
    written = m_progress.written;
  }
  SetDlgItemText(IDC_SAVING_FILE, Wide(file));
  PercentBar.SendMessage(PBM_SETPOS, static_cast<WPARAM>(percent > 99 ? 99 : percent), 0);
  CString count;
  count.Format(L"%d of %d files", written, static_cast<int>(m_items.size()));
  SetDlgItemText(IDC_SAVING_COUNT, count);
}

void CSavingDlg::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kProgressTimer) ShowProgress();
}

void CSavingDlg::OnOK() { StopAllRecovery = 1; }

void CSavingDlg::OnCancel() { SkipCurrentFile = 1; }

LRESULT CSavingDlg::OnSavingDone(WPARAM wParam, LPARAM) {
  KillTimer(kProgressTimer);
  if (m_worker.joinable()) m_worker.join();
  m_written = static_cast<int>(wParam);
  EndDialog(IDOK);
  return 0;
}

int RecoverSelected(CWnd* pParent, const std::u16string& destination, std::vector<SaveItem> items, int mode) {
  const std::u16string problem = DestinationProblem(destination);
  if (!problem.empty()) {
    ::MessageBoxW(pParent != nullptr ? pParent->GetSafeHwnd() : nullptr, Wide(problem), L"Recover Selected",
                  MB_OK | MB_ICONERROR);
    return -1;
  }
  CSavingDlg dialog(pParent, destination, std::move(items), mode);
  dialog.DoModal();
  return dialog.WrittenCount();
}
