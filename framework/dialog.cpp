#include "dialog.h"

#include <cwchar>
#include <vector>

#include "module_state.h"
#include "win_app.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

namespace {

// Win16 record messages, as older resource compilers store them.
const WORD kWin16ListAddString = 0x0401;
const WORD kWin16ComboAddString = 0x0403;
const WORD kWin16ComboBoxExAddString = 0x1234;

}  // namespace

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
  if (hWndCtrl == nullptr) AfxThrowNotSupportedException();
  m_hWndLastControl = hWndCtrl;
  m_bEditLastControl = FALSE;
  return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND hWndCtrl = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return hWndCtrl;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_hWndLastControl != nullptr) {
    ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl) ::SendMessageW(m_hWndLastControl, EM_SETSEL, 0, -1);
  }
  AfxThrowUserException();
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd != nullptr) return;
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (!rControl.SubclassWindow(hWndCtrl)) AfxThrowNotSupportedException();
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = static_cast<int>(::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0));
  else
    ::SendMessageW(hWndCtrl, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    CWnd::FromHandle(hWndCtrl)->GetWindowText(value);
  else
    ::SetWindowTextW(hWndCtrl, value);
}

namespace {

// Reads a whole decimal number (optionally signed) with surrounding blanks.
bool ParseNumber(const CString& text, bool allowSign, long long& result) {
  const wchar_t* p = text;
  while (*p == L' ' || *p == L'\t') ++p;
  bool negative = false;
  if (allowSign && (*p == L'-' || *p == L'+')) negative = *p++ == L'-';
  if (*p < L'0' || *p > L'9') return false;
  long long value = 0;
  for (; *p >= L'0' && *p <= L'9'; ++p) {
    value = value * 10 + (*p - L'0');
    if (value > 0xFFFFFFFFLL) return false;
  }
  while (*p == L' ' || *p == L'\t') ++p;
  if (*p != 0) return false;
  result = negative ? -value : value;
  return true;
}

void ExchangeNumber(CDataExchange* pDX, int nIDC, long long& value, bool isSigned) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (!pDX->m_bSaveAndValidate) {
    WCHAR text[32];
    _snwprintf(text, 32, isSigned ? L"%lld" : L"%llu", value);
    text[31] = 0;
    ::SetWindowTextW(hWndCtrl, text);
    return;
  }
  CString text;
  CWnd::FromHandle(hWndCtrl)->GetWindowText(text);
  long long parsed = 0;
  bool inRange = ParseNumber(text, isSigned, parsed) &&
                 (isSigned ? parsed >= INT_MIN && parsed <= INT_MAX : parsed >= 0 && parsed <= UINT_MAX);
  if (!inRange) {
    AfxMessageBox(isSigned ? L"Please enter an integer." : L"Please enter a positive integer.",
                  MB_ICONEXCLAMATION);
    pDX->Fail();
  }
  value = parsed;
}

}  // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
  long long wide = value;
  ExchangeNumber(pDX, nIDC, wide, true);
  value = static_cast<int>(wide);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
  long long wide = value;
  ExchangeNumber(pDX, nIDC, wide, false);
  value = static_cast<UINT>(wide);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = static_cast<int>(::SendMessageW(hWndCtrl, CB_GETCURSEL, 0, 0));
  else
    ::SendMessageW(hWndCtrl, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

BOOL AfxExecuteDlgInit(HWND hWndDlg, const BYTE* lpResource, DWORD cbResource) {
  BOOL allFound = TRUE;
  DWORD at = 0;
  // Each record: WORD id, WORD message, DWORD length, then length bytes.
  while (at + 2 <= cbResource) {
    WORD nIDC = static_cast<WORD>(lpResource[at] | (lpResource[at + 1] << 8));
    if (nIDC == 0 || at + 8 > cbResource) break;
    WORD nMsg = static_cast<WORD>(lpResource[at + 2] | (lpResource[at + 3] << 8));
    DWORD length = lpResource[at + 4] | (lpResource[at + 5] << 8) | (lpResource[at + 6] << 16) |
                   (static_cast<DWORD>(lpResource[at + 7]) << 24);
    at += 8;
    if (length > cbResource - at) break;
    const BYTE* data = lpResource + at;
    at += length;
    UINT message = nMsg == kWin16ListAddString         ? LB_ADDSTRING
                   : nMsg == kWin16ComboAddString      ? CB_ADDSTRING
                   : nMsg == kWin16ComboBoxExAddString ? CBEM_INSERTITEMW
                                                       : nMsg;
    if (message != LB_ADDSTRING && message != CB_ADDSTRING && message != CBEM_INSERTITEMW) continue;
    HWND hWndCtrl = ::GetDlgItem(hWndDlg, nIDC);
    if (hWndCtrl == nullptr) {
      allFound = FALSE;
      continue;
    }
    // The text runs to its terminating zero or the end of the record.
    DWORD textLength = 0;
    while (textLength < length && data[textLength] != 0) ++textLength;
    int wideLength = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(data), static_cast<int>(textLength),
                                         nullptr, 0);
    std::vector<WCHAR> text(static_cast<size_t>(wideLength) + 1);
    MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(data), static_cast<int>(textLength), text.data(),
                        wideLength);
    if (message == CBEM_INSERTITEMW) {
      COMBOBOXEXITEMW item = {};
      item.mask = CBEIF_TEXT;
      item.iItem = -1;
      item.pszText = text.data();
      ::SendMessageW(hWndCtrl, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    } else {
      ::SendMessageW(hWndCtrl, message, 0, reinterpret_cast<LPARAM>(text.data()));
    }
  }
  return allFound;
}

INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_pParentWnd(pParentWnd), m_nIDHelp(nIDTemplate) {}

CDialog::CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}

LPCDLGTEMPLATEW CDialog::LoadTemplate() const {
  if (m_lpszTemplateName == nullptr) return m_lpDialogTemplate;
  HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
  HRSRC hResource = ::FindResourceW(hInst, m_lpszTemplateName, RT_DIALOG);
  HGLOBAL hTemplate = hResource != nullptr ? ::LoadResource(hInst, hResource) : nullptr;
  // Resources stay loaded for the life of the module.
  return hTemplate != nullptr ? static_cast<LPCDLGTEMPLATEW>(::LockResource(hTemplate)) : nullptr;
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd) {
  if (lpDialogTemplate == nullptr) return FALSE;
  HINSTANCE hInst = AfxGetResourceHandle();
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateDialogIndirectParamW(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(), &AfxDlgProc, 0);
  AfxUnhookWindowCreate();
  if (hWnd == nullptr && m_hWnd != nullptr) Detach();
  return hWnd != nullptr;
}

BOOL CDialog::Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd) {
  m_lpszTemplateName = lpszTemplateName;
  if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
    m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
  if (pParentWnd == nullptr) pParentWnd = AfxGetMainWnd();
  m_pParentWnd = pParentWnd;
  return CreateDlgIndirect(LoadTemplate(), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd, const void* lpDialogInit,
                             DWORD cbDialogInit) {
  m_lpszTemplateName = nullptr;
  m_lpDialogTemplate = lpDialogTemplate;
  m_lpDialogInit = lpDialogInit;
  m_cbDialogInit = cbDialogInit;
  if (pParentWnd == nullptr) pParentWnd = AfxGetMainWnd();
  m_pParentWnd = pParentWnd;
  return CreateDlgIndirect(lpDialogTemplate, pParentWnd);
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd, const void* lpDialogInit,
                                DWORD cbDialogInit) {
  m_lpszTemplateName = nullptr;
  m_lpDialogTemplate = lpDialogTemplate;
  m_lpDialogInit = lpDialogInit;
  m_cbDialogInit = cbDialogInit;
  m_pParentWnd = pParentWnd;
  return TRUE;
}

INT_PTR CDialog::DoModal() {
  LPCDLGTEMPLATEW lpTemplate = LoadTemplate();
  if (lpTemplate == nullptr) return -1;
  CWnd* pOwner = CWnd::GetSafeOwner(m_pParentWnd);
  HWND hWndOwner = pOwner->GetSafeHwnd();
  BOOL bEnableOwner = FALSE;
  if (hWndOwner != nullptr && ::IsWindowEnabled(hWndOwner)) {
    ::EnableWindow(hWndOwner, FALSE);
    bEnableOwner = TRUE;
  }
  // EndDialog may come as early as OnInitDialog.
  m_nFlags |= WF_CONTINUEMODAL;
  m_nModalResult = -1;
  try {
    if (CreateDlgIndirect(lpTemplate, pOwner) && (m_nFlags & WF_CONTINUEMODAL)) {
      DWORD dwFlags = MLF_SHOWONIDLE;
      if (GetStyle() & DS_NOIDLEMSG) dwFlags |= MLF_NOIDLEMSG;
      RunModalLoop(dwFlags);
    }
  } catch (...) {
    m_nFlags &= ~(WF_CONTINUEMODAL | WF_MODALLOOP);
    if (bEnableOwner) ::EnableWindow(hWndOwner, TRUE);
    DestroyWindow();
    throw;
  }
  m_nFlags &= ~(WF_CONTINUEMODAL | WF_MODALLOOP);
  if (m_hWnd != nullptr)
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  // The owner gets the activation back before the dialog goes.
  if (bEnableOwner) ::EnableWindow(hWndOwner, TRUE);
  if (hWndOwner != nullptr && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(hWndOwner);
  DestroyWindow();
  return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
  if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) {
    m_nModalResult = nResult;
    EndModalLoop(nResult);
  }
  ::EndDialog(m_hWnd, nResult);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog() {
  BOOL initialised = m_lpszTemplateName != nullptr ? ExecuteDlgInit(m_lpszTemplateName)
                                                   : ExecuteDlgInit(m_lpDialogInit, m_cbDialogInit);
  if (!initialised) {
    // A control named by the init data is missing: the dialog cannot work.
    EndDialog(-1);
    return FALSE;
  }
  UpdateData(FALSE);
  return TRUE;
}

BOOL CDialog::ExecuteDlgInit(LPCWSTR lpszResourceName) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_DLGINIT);
  HRSRC hResource = ::FindResourceW(hInst, lpszResourceName, RT_DLGINIT);
  if (hResource == nullptr) return TRUE;
  HGLOBAL hData = ::LoadResource(hInst, hResource);
  if (hData == nullptr) return FALSE;
  return ExecuteDlgInit(::LockResource(hData), ::SizeofResource(hInst, hResource));
}

BOOL CDialog::ExecuteDlgInit(const void* lpResource, DWORD cbResource) {
  if (lpResource == nullptr) return TRUE;
  return AfxExecuteDlgInit(m_hWnd, static_cast<const BYTE*>(lpResource), cbResource);
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  try {
    DoDataExchange(&dx);
  } catch (CUserException* e) {
    // Already reported to the user; the focus is on the control at fault.
    e->Delete();
    return FALSE;
  }
  return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  // Keyboard navigation (tab, arrows, Enter, Escape) for the dialog and
  // its controls.
  bool input = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
               (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
  if (!input || m_hWnd == nullptr) return FALSE;
  if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)) return FALSE;
  return ::IsDialogMessageW(m_hWnd, pMsg);
}
