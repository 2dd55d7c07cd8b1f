#include "property_sheet.h"

#include <commctrl.h>

#include "module_state.h"
#include "win_app.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate), m_nIDTemplate(nIDTemplate) {
  m_psp = {};
  m_psp.dwSize = sizeof(m_psp);
  m_psp.hInstance = AfxGetResourceHandle();
  m_psp.pszTemplate = MAKEINTRESOURCEW(nIDTemplate);
  m_psp.pfnDlgProc = &PageDlgProc;
  m_psp.lParam = reinterpret_cast<LPARAM>(this);
  if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption)) {
    m_psp.dwFlags |= PSP_USETITLE;
    m_psp.pszTitle = m_strCaption;
  }
}

void CPropertyPage::SetTemplateIndirect(LPCDLGTEMPLATEW lpTemplate) {
  if (lpTemplate == nullptr) return;
  m_psp.dwFlags |= PSP_DLGINDIRECT;
  m_psp.pResource = lpTemplate;
  m_lpszTemplateName = nullptr;
  m_lpDialogTemplate = lpTemplate;
}

INT_PTR CALLBACK CPropertyPage::PageDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  // The page arrives with a copy of its sheet-page record; its data names
  // the page object, which from now on gets the page's messages.
  const auto* record = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
  auto* page = reinterpret_cast<CPropertyPage*>(record->lParam);
  if (page == nullptr || !page->SubclassWindow(hWnd)) return TRUE;
  return page->OnInitDialog();
}

BOOL CPropertyPage::PreTranslateMessage(MSG*) {
  // The sheet moves the focus between pages, tabs and its buttons.
  return FALSE;
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) : m_pParentWnd(pParentWnd) {
  m_psh = {};
  m_strCaption.LoadString(nIDCaption);
  m_psh.nStartPage = iSelectPage;
}

CPropertySheet::CPropertySheet(LPCWSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_strCaption(pszCaption != nullptr ? pszCaption : L""), m_pParentWnd(pParentWnd) {
  m_psh = {};
  m_psh.nStartPage = iSelectPage;
}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
  if (pPage == nullptr) return;
  pPage->m_pSheet = this;
  m_pages.push_back(pPage);
  if (m_hWnd != nullptr) {
    HPROPSHEETPAGE handle = ::CreatePropertySheetPageW(&pPage->m_psp);
    if (handle != nullptr) PropSheet_AddPage(m_hWnd, handle);
  }
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
  return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<size_t>(nPage)] : nullptr;
}

int CPropertySheet::GetActiveIndex() const {
  if (m_hWnd == nullptr) return static_cast<int>(m_psh.nStartPage);
  HWND tab = PropSheet_GetTabControl(m_hWnd);
  return tab != nullptr ? TabCtrl_GetCurSel(tab) : -1;
}

BOOL CPropertySheet::SetActivePage(int nPage) {
  if (m_hWnd == nullptr) {
    m_psh.nStartPage = static_cast<UINT>(nPage);
    return TRUE;
  }
  return PropSheet_SetCurSel(m_hWnd, nullptr, nPage);
}

CWnd* CPropertySheet::GetTabControl() const {
  return m_hWnd != nullptr ? CWnd::FromHandle(PropSheet_GetTabControl(m_hWnd)) : nullptr;
}

void CPropertySheet::SetTitle(LPCWSTR title) {
  m_strCaption = title != nullptr ? title : L"";
  if (m_hWnd != nullptr) ::SetWindowTextW(m_hWnd, m_strCaption);
}

void CPropertySheet::BuildPropPageArray() {
  static bool registered = false;
  if (!registered) {
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&classes);
    registered = true;
  }
  m_pageArray.clear();
  for (CPropertyPage* page : m_pages) m_pageArray.push_back(page->m_psp);
  m_psh.dwSize = sizeof(m_psh);
  m_psh.dwFlags |= PSH_PROPSHEETPAGE | PSH_USECALLBACK;
  m_psh.pfnCallback = &SheetCallback;
  m_psh.hInstance = AfxGetResourceHandle();
  m_psh.pszCaption = m_strCaption;
  m_psh.nPages = static_cast<UINT>(m_pageArray.size());
  m_psh.ppsp = m_pageArray.empty() ? nullptr : m_pageArray.data();
}

int CALLBACK CPropertySheet::SheetCallback(HWND hWnd, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED) {
    if (auto* sheet = dynamic_cast<CPropertySheet*>(CWnd::FromHandlePermanent(hWnd))) sheet->OnInitDialog();
  }
  return 0;
}

BOOL CPropertySheet::CreateModeless(CWnd* pParentWnd) {
  BuildPropPageArray();
  m_psh.hwndParent = pParentWnd->GetSafeHwnd();
  m_psh.dwFlags |= PSH_MODELESS;
  AfxHookWindowCreate(this);
  const INT_PTR made = ::PropertySheetW(&m_psh);
  AfxUnhookWindowCreate();
  m_psh.dwFlags &= ~PSH_MODELESS;
  if (made == 0 || made == -1) {
    if (m_hWnd != nullptr) Detach();
    return FALSE;
  }
  return m_hWnd != nullptr;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD) {
  if (dwStyle != static_cast<DWORD>(-1)) (void)dwStyle;
  if (pParentWnd == nullptr) pParentWnd = m_pParentWnd;
  return CreateModeless(pParentWnd);
}

INT_PTR CPropertySheet::DoModal() {
  CWnd* owner = CWnd::GetSafeOwner(m_pParentWnd);
  HWND hOwner = owner->GetSafeHwnd();
  const BOOL enable = hOwner != nullptr && ::IsWindowEnabled(hOwner);
  if (CWinApp* app = AfxGetApp()) app->EnableModeless(FALSE);
  m_nResult = IDCANCEL;
  INT_PTR result = -1;
  if (CreateModeless(owner)) {
    if (enable) ::EnableWindow(hOwner, FALSE);
    RunModalLoop(MLF_SHOWONIDLE);
    result = m_nResult;
    if (enable) ::EnableWindow(hOwner, TRUE);
    if (::GetActiveWindow() == m_hWnd && hOwner != nullptr) ::SetActiveWindow(hOwner);
    DestroyWindow();
  }
  if (CWinApp* app = AfxGetApp()) app->EnableModeless(TRUE);
  return result;
}

BOOL CPropertySheet::OnInitDialog() { return TRUE; }

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg) {
  if (m_hWnd == nullptr) return FALSE;
  if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)) return FALSE;
  return PropSheet_IsDialogMessage(m_hWnd, pMsg);
}

BOOL CPropertySheet::ContinueModal() {
  // A modeless sheet has no current page once it has been closed.
  if (m_hWnd == nullptr || PropSheet_GetCurrentPageHwnd(m_hWnd) == nullptr) return FALSE;
  return CWnd::ContinueModal();
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  if (id == IDOK || id == IDCANCEL) m_nResult = static_cast<int>(id);
  return CWnd::OnCommand(wParam, lParam);
}
