#include "progress_dialog.h"

#include "wizard_resources.h"

BEGIN_MESSAGE_MAP(CProgressDialog, CDialog)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_MESSAGE(WM_PROGRESS_SETPOS, OnSetPosMessage)
END_MESSAGE_MAP()

CProgressDialog::CProgressDialog(UINT captionId)
    : CDialog(IDD_PROGRESS), CaptionId(captionId != 0 ? captionId : IDS_PROGRESS_CAPTION), m_skin(IDB_PROGRESS_SKIN) {}

CProgressDialog::~CProgressDialog() {
  if (GetSafeHwnd() != nullptr) DestroyWindow();
}

BOOL CProgressDialog::Create(CWnd* pParent) {
  CWnd* owner = CWnd::GetSafeOwner(pParent);
  m_owner = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
  if (m_owner != nullptr && ::IsWindowEnabled(m_owner)) {
    ::EnableWindow(m_owner, FALSE);
    OwnerDisabled = 1;
  }
  if (CDialog::Create(IDD_PROGRESS, owner)) return TRUE;
  if (OwnerDisabled && m_owner != nullptr) ::EnableWindow(m_owner, TRUE);
  OwnerDisabled = 0;
  return FALSE;
}

void CProgressDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PROGRESS_PERCENT, PercentLabel);
  DDX_Control(pDX, IDC_PROGRESS_BAR, Bar);
}

BOOL CProgressDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  Bar.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(Lower, Upper));
  Bar.SetStep(Step);
  Bar.SetPos(Lower);
  CString caption;
  if (!caption.LoadString(CaptionId)) caption.Empty();
  SetWindowText(caption);
  return TRUE;
}

int CProgressDialog::SetRange(int lower, int upper) {
  Lower = lower;
  Upper = upper;
  return static_cast<int>(Bar.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper)));
}

CString CProgressDialog::PercentText(int position, int lower, int upper) {
  int percent = 0;
  if (upper != lower) {
    percent = static_cast<int>(static_cast<long long>(position - lower) * 100 / (upper - lower));
    if (percent != 100) percent %= 100;
  }
  CString text;
  text.Format(L"%d%c", percent, L'%');
  return text;
}

int CProgressDialog::SetPos(int position) {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    // The quit belongs to the loop around us.
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (GetSafeHwnd() != nullptr && ::IsDialogMessageW(GetSafeHwnd(), &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  if (GetSafeHwnd() == nullptr) return 0;
  const int previous = Bar.SetPos(position);
  const CString text = PercentText(position, Lower, Upper);
  CString shown;
  PercentLabel.GetWindowText(shown);
  if (shown != text) PercentLabel.SetWindowText(text);
  return previous;
}

LRESULT CProgressDialog::OnSetPosMessage(WPARAM wParam, LPARAM) {
  return SetPos(static_cast<int>(wParam));
}

BOOL CProgressDialog::DestroyWindow() {
  if (OwnerDisabled && m_owner != nullptr) ::EnableWindow(m_owner, TRUE);
  OwnerDisabled = 0;
  return CDialog::DestroyWindow();
}

void CProgressDialog::OnPaint() { CPaintDC dc(this); }

BOOL CProgressDialog::OnEraseBkgnd(CDC* pDC) {
  if (m_skin.Paint(pDC)) return TRUE;
  return CDialog::OnEraseBkgnd(pDC);
}

namespace {
CProgressDialog* listProgress = nullptr;
}  // namespace

CProgressDialog* ListProgressDialog() { return listProgress; }

void OpenListProgress(CWnd* owner) {
  CloseListProgress();
  listProgress = new CProgressDialog(0);
  if (!listProgress->Create(owner)) {
    delete listProgress;
    listProgress = nullptr;
    return;
  }
  listProgress->SetRange(0, 100);
  listProgress->ShowWindow(SW_SHOW);
  listProgress->SendMessage(WM_PROGRESS_SETPOS, 0);
}

void SetListProgress(int percent) {
  if (listProgress != nullptr && listProgress->GetSafeHwnd() != nullptr)
    listProgress->SendMessage(WM_PROGRESS_SETPOS, static_cast<WPARAM>(percent));
}

void CloseListProgress() {
  if (listProgress == nullptr) return;
  listProgress->DestroyWindow();
  delete listProgress;
  listProgress = nullptr;
}
