#include "cstring.h"

#include <cwchar>
#include <cwctype>

#include "module_state.h"

namespace {

const WCHAR kWhitespace[] = L" \t\r\n\v\f";

}  // namespace

CString::CString(LPCSTR lpsz) {
  if (lpsz == nullptr || *lpsz == 0) return;
  int n = MultiByteToWideChar(CP_ACP, 0, lpsz, -1, nullptr, 0);
  if (n <= 1) return;
  m_str.resize(n);
  MultiByteToWideChar(CP_ACP, 0, lpsz, -1, &m_str[0], n);
  m_str.resize(n - 1);
}

std::string CString::ToAnsi() const {
  if (m_str.empty()) return std::string();
  int n = WideCharToMultiByte(CP_ACP, 0, m_str.c_str(), GetLength(), nullptr, 0, nullptr,
                              nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0)
    WideCharToMultiByte(CP_ACP, 0, m_str.c_str(), GetLength(), &out[0], n, nullptr, nullptr);
  return out;
}

int CString::Compare(LPCWSTR lpsz) const {
  return std::wcscmp(m_str.c_str(), lpsz != nullptr ? lpsz : L"");
}

int CString::CompareNoCase(LPCWSTR lpsz) const {
  return _wcsicmp(m_str.c_str(), lpsz != nullptr ? lpsz : L"");
}

CString CString::Mid(int nFirst, int nCount) const {
  if (nFirst < 0) nFirst = 0;
  if (nCount < 0) nCount = 0;
  if (nFirst >= GetLength()) return CString();
  return CString(m_str.c_str() + nFirst, nCount > GetLength() - nFirst ? GetLength() - nFirst : nCount);
}

CString CString::Right(int nCount) const {
  if (nCount < 0) nCount = 0;
  if (nCount >= GetLength()) return *this;
  return CString(m_str.c_str() + GetLength() - nCount, nCount);
}

CString CString::SpanExcluding(LPCWSTR lpszCharSet) const {
  return Left(static_cast<int>(std::wcscspn(m_str.c_str(), lpszCharSet)));
}

void CString::MakeUpper() {
  if (!m_str.empty()) CharUpperBuffW(&m_str[0], static_cast<DWORD>(m_str.size()));
}

void CString::MakeLower() {
  if (!m_str.empty()) CharLowerBuffW(&m_str[0], static_cast<DWORD>(m_str.size()));
}

void CString::MakeReverse() { m_str.assign(m_str.rbegin(), m_str.rend()); }

int CString::Find(WCHAR ch, int nStart) const {
  if (nStart < 0 || nStart >= GetLength()) return -1;
  size_t at = m_str.find(ch, nStart);
  return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Find(LPCWSTR lpszSub, int nStart) const {
  if (lpszSub == nullptr || nStart < 0 || nStart > GetLength()) return -1;
  size_t at = m_str.find(lpszSub, nStart);
  return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(WCHAR ch) const {
  size_t at = m_str.rfind(ch);
  return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::FindOneOf(LPCWSTR lpszCharSet) const {
  size_t at = m_str.find_first_of(lpszCharSet);
  return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

int CString::Replace(WCHAR chOld, WCHAR chNew) {
  int count = 0;
  for (WCHAR& c : m_str)
    if (c == chOld) {
      c = chNew;
      ++count;
    }
  return count;
}

int CString::Replace(LPCWSTR lpszOld, LPCWSTR lpszNew) {
  if (lpszOld == nullptr || *lpszOld == 0) return 0;
  std::wstring oldText(lpszOld), newText(lpszNew != nullptr ? lpszNew : L"");
  int count = 0;
  for (size_t at = m_str.find(oldText); at != std::wstring::npos;
       at = m_str.find(oldText, at + newText.size())) {
    m_str.replace(at, oldText.size(), newText);
    ++count;
  }
  return count;
}

int CString::Remove(WCHAR ch) {
  int before = GetLength();
  std::wstring kept;
  for (WCHAR c : m_str)
    if (c != ch) kept += c;
  m_str.swap(kept);
  return before - GetLength();
}

int CString::Insert(int nIndex, WCHAR ch) {
  if (nIndex < 0) nIndex = 0;
  if (nIndex > GetLength()) nIndex = GetLength();
  m_str.insert(m_str.begin() + nIndex, ch);
  return GetLength();
}

int CString::Insert(int nIndex, LPCWSTR psz) {
  if (nIndex < 0) nIndex = 0;
  if (nIndex > GetLength()) nIndex = GetLength();
  if (psz != nullptr) m_str.insert(nIndex, psz);
  return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
  if (nIndex < 0) nIndex = 0;
  if (nCount > 0 && nIndex < GetLength()) m_str.erase(nIndex, nCount);
  return GetLength();
}

void CString::TrimLeft() { TrimLeft(kWhitespace); }
void CString::TrimRight() { TrimRight(kWhitespace); }

void CString::TrimLeft(WCHAR chTarget) {
  WCHAR set[2] = {chTarget, 0};
  TrimLeft(set);
}

void CString::TrimRight(WCHAR chTarget) {
  WCHAR set[2] = {chTarget, 0};
  TrimRight(set);
}

void CString::TrimLeft(LPCWSTR lpszTargets) {
  size_t at = m_str.find_first_not_of(lpszTargets);
  m_str.erase(0, at == std::wstring::npos ? m_str.size() : at);
}

void CString::TrimRight(LPCWSTR lpszTargets) {
  size_t at = m_str.find_last_not_of(lpszTargets);
  m_str.erase(at == std::wstring::npos ? 0 : at + 1);
}

void CString::Format(LPCWSTR lpszFormat, ...) {
  va_list args;
  va_start(args, lpszFormat);
  FormatV(lpszFormat, args);
  va_end(args);
}

void CString::Format(UINT nFormatID, ...) {
  CString format;
  format.LoadString(nFormatID);
  va_list args;
  va_start(args, nFormatID);
  FormatV(format, args);
  va_end(args);
}

void CString::FormatV(LPCWSTR lpszFormat, va_list argList) {
  m_str = AfxFormatText(lpszFormat, argList);
}

BOOL CString::LoadString(UINT nID) {
  HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEW((nID >> 4) + 1), RT_STRING);
  // A string resource is at most 4,096 characters long.
  std::wstring buffer(4097, L'\0');
  int n = ::LoadStringW(hInst, nID, &buffer[0], static_cast<int>(buffer.size()));
  if (n <= 0) {
    m_str.clear();
    return FALSE;
  }
  m_str.assign(buffer.c_str(), n);
  return TRUE;
}

LPWSTR CString::GetBuffer(int nMinBufLength) {
  if (nMinBufLength > GetLength()) m_str.resize(nMinBufLength);
  return &m_str[0];
}

LPWSTR CString::GetBufferSetLength(int nNewLength) {
  m_str.resize(nNewLength > 0 ? nNewLength : 0);
  return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength) {
  if (nNewLength < 0) nNewLength = static_cast<int>(std::wcslen(m_str.c_str()));
  if (nNewLength < GetLength()) m_str.resize(nNewLength);
}

BSTR CString::AllocSysString() const {
  return SysAllocStringLen(m_str.c_str(), static_cast<UINT>(m_str.size()));
}

BOOL AfxExtractSubString(CString& rString, LPCWSTR lpszFullString, int iSubString, WCHAR chSep) {
  rString.Empty();
  if (lpszFullString == nullptr) return FALSE;
  while (iSubString-- > 0) {
    lpszFullString = std::wcschr(lpszFullString, chSep);
    if (lpszFullString == nullptr) return FALSE;
    ++lpszFullString;
  }
  LPCWSTR end = std::wcschr(lpszFullString, chSep);
  int length = end != nullptr ? static_cast<int>(end - lpszFullString)
                              : static_cast<int>(std::wcslen(lpszFullString));
  rString = CString(lpszFullString, length);
  return TRUE;
}
