#include "file_filters_dlg.h"

#include <algorithm>

#include "results_resources.h"
#include "settings.h"

namespace {

const int kMostFilters = kMaxFilters - 1;

}  // namespace

std::function<void(LPCWSTR)> CFileFiltersDlg::ShowMessage = [](LPCWSTR text) {
  ::MessageBoxW(::GetActiveWindow(), text, L"File Filters", MB_OK | MB_ICONWARNING);
};

BEGIN_MESSAGE_MAP(CFileFiltersDlg, CDialog)
  ON_BN_CLICKED(IDC_FILTER_REMOVE, OnRemove)
  ON_WM_CLOSE()
  ON_WM_ERASEBKGND()
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CFileFiltersDlg::CFileFiltersDlg(CWnd* pParent) : CDialog(IDD_FILE_FILTERS, pParent) { m_skin.Load(IDB_FILTERS_SKIN); }

BOOL CFileFiltersDlg::OnEraseBkgnd(CDC* pDC) { return m_skin.Erase(pDC, this) || CDialog::OnEraseBkgnd(pDC); }

HBRUSH CFileFiltersDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH brush = m_skin.ControlBrush(pDC, this, pWnd, nCtlColor);
  return brush != nullptr ? brush : CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

BOOL CFileFiltersDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const HWND list = ::GetDlgItem(m_hWnd, IDC_FILTER_LIST);
  const int count = std::min(std::max(FilterCount, 0), kMaxFilters);
  for (int slot = 0; slot < count; ++slot) {
    wchar_t text[kFilterLength + 1] = {};
    for (int i = 0; i < kFilterLength && FilterTable[slot][i] != 0; ++i) text[i] = static_cast<wchar_t>(FilterTable[slot][i]);
    ::SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(slot), reinterpret_cast<LPARAM>(text));
  }
  FilterCount = count;
  return TRUE;
}

void CFileFiltersDlg::OnOK() {
  const HWND edit = ::GetDlgItem(m_hWnd, IDC_FILTER_EDIT);
  const HWND list = ::GetDlgItem(m_hWnd, IDC_FILTER_LIST);
  if (FilterCount >= kMostFilters) {
    ShowMessage(L"      You cannot add more Filters     ");
    return;
  }
  wchar_t text[301] = {};
  ::GetWindowTextW(edit, text, 301);
  const int length = static_cast<int>(wcslen(text));
  if (length >= kFilterLength) {
    ShowMessage(L"      Filter too long     ");
    ::SendMessageW(edit, EM_SETSEL, 0, kFilterLength - 1);
    ::SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    ::SetFocus(edit);
    return;
  }
  if (length == 0) {
    ShowMessage(L"      You can not add a blank entry.     ");
    ::SetFocus(edit);
    return;
  }
  const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t entry[kFilterLength + 1] = {};
    if (::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) > kFilterLength) continue;
    ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
    if (wcscmp(entry, text) == 0) {
      ShowMessage(L"      Filter already exists in the list     ");
      ::SetFocus(edit);
      ::SendMessageW(edit, EM_SETSEL, 0, -1);
      return;
    }
  }
  ::SendMessageW(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(text));
  ++FilterCount;
  ::SetWindowTextW(edit, L"");
  ::SetFocus(edit);
}

void CFileFiltersDlg::OnRemove() {
  const HWND list = ::GetDlgItem(m_hWnd, IDC_FILTER_LIST);
  const LRESULT selected = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (selected == LB_ERR) return;
  ::SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
  if (FilterCount > 0) --FilterCount;
}

void CFileFiltersDlg::OnCancel() {
  // The table follows the list, whatever FilterCount says, so the two agree.
  const HWND list = ::GetDlgItem(m_hWnd, IDC_FILTER_LIST);
  const int count = std::min(static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0)), kMostFilters);
  for (int slot = 0; slot < count; ++slot) {
    wchar_t entry[kFilterLength + 1] = {};
    if (::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(slot), 0) <= kFilterLength - 1)
      ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(slot), reinterpret_cast<LPARAM>(entry));
    std::fill(std::begin(FilterTable[slot]), std::end(FilterTable[slot]), u'\0');
    for (int i = 0; i < kFilterLength - 1 && entry[i] != 0; ++i) FilterTable[slot][i] = static_cast<char16_t>(entry[i]);
  }
  FilterCount = count;
  if (ListRootAgain) ListRootAgain();
  CDialog::OnCancel();
}

void CFileFiltersDlg::OnClose() { OnCancel(); }
