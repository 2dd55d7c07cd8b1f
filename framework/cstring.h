// CString: a UTF-16 string value with the framework's member names.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <string>

class CArchive;

class CString {
 public:
  CString() = default;
  CString(const CString&) = default;
  CString(CString&&) noexcept = default;
  CString(LPCWSTR lpsz) : m_str(lpsz != nullptr ? lpsz : L"") {}
  CString(LPCWSTR lpch, int nLength) : m_str(lpch != nullptr ? lpch : L"", nLength > 0 ? nLength : 0) {}
  CString(LPCSTR lpsz);  // 8-bit text in the ANSI code page
  explicit CString(WCHAR ch, int nRepeat = 1) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}

  CString& operator=(const CString&) = default;
  CString& operator=(CString&&) noexcept = default;
  CString& operator=(LPCWSTR lpsz) { m_str = lpsz != nullptr ? lpsz : L""; return *this; }
  CString& operator=(LPCSTR lpsz) { return *this = CString(lpsz); }
  CString& operator=(WCHAR ch) { m_str.assign(1, ch); return *this; }

  int GetLength() const { return static_cast<int>(m_str.size()); }
  BOOL IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }
  WCHAR GetAt(int nIndex) const { return m_str.at(nIndex); }
  WCHAR operator[](int nIndex) const { return m_str.at(nIndex); }
  void SetAt(int nIndex, WCHAR ch) { m_str.at(nIndex) = ch; }
  operator LPCWSTR() const { return m_str.c_str(); }
  LPCWSTR GetString() const { return m_str.c_str(); }
  // The text in the ANSI code page, for the few 8-bit interfaces.
  std::string ToAnsi() const;

  CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
  CString& operator+=(LPCWSTR lpsz) { if (lpsz != nullptr) m_str += lpsz; return *this; }
  CString& operator+=(WCHAR ch) { m_str += ch; return *this; }
  friend CString operator+(const CString& a, const CString& b) { CString r(a); r += b; return r; }
  friend CString operator+(const CString& a, LPCWSTR b) { CString r(a); r += b; return r; }
  friend CString operator+(LPCWSTR a, const CString& b) { CString r(a); r += b; return r; }
  friend CString operator+(const CString& a, WCHAR b) { CString r(a); r += b; return r; }
  friend CString operator+(WCHAR a, const CString& b) { CString r(a); r += b; return r; }

  int Compare(LPCWSTR lpsz) const;
  int CompareNoCase(LPCWSTR lpsz) const;
  friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
  friend bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }
  friend bool operator==(LPCWSTR a, const CString& b) { return b.Compare(a) == 0; }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator!=(const CString& a, LPCWSTR b) { return !(a == b); }
  friend bool operator!=(LPCWSTR a, const CString& b) { return !(a == b); }
  friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

  CString Mid(int nFirst) const { return Mid(nFirst, GetLength()); }
  CString Mid(int nFirst, int nCount) const;
  CString Left(int nCount) const { return Mid(0, nCount); }
  CString Right(int nCount) const;
  CString SpanExcluding(LPCWSTR lpszCharSet) const;

  void MakeUpper();
  void MakeLower();
  void MakeReverse();

  int Find(WCHAR ch, int nStart = 0) const;
  int Find(LPCWSTR lpszSub, int nStart = 0) const;
  int ReverseFind(WCHAR ch) const;
  int FindOneOf(LPCWSTR lpszCharSet) const;

  int Replace(WCHAR chOld, WCHAR chNew);
  int Replace(LPCWSTR lpszOld, LPCWSTR lpszNew);
  int Remove(WCHAR ch);
  int Insert(int nIndex, WCHAR ch);
  int Insert(int nIndex, LPCWSTR psz);
  int Delete(int nIndex, int nCount = 1);

  void TrimLeft();
  void TrimLeft(WCHAR chTarget);
  void TrimLeft(LPCWSTR lpszTargets);
  void TrimRight();
  void TrimRight(WCHAR chTarget);
  void TrimRight(LPCWSTR lpszTargets);

  // printf forms with the Windows meaning: %s and %c take wide text, %S and
  // %C 8-bit text, %ls/%ws and %hs force either; plus %I64d and friends.
  void Format(LPCWSTR lpszFormat, ...);
  void Format(UINT nFormatID, ...);
  void FormatV(LPCWSTR lpszFormat, va_list argList);
  BOOL LoadString(UINT nID);

  LPWSTR GetBuffer(int nMinBufLength);
  LPWSTR GetBufferSetLength(int nNewLength);
  void ReleaseBuffer(int nNewLength = -1);
  BSTR AllocSysString() const;

 private:
  std::wstring m_str;
};

CArchive& operator<<(CArchive& ar, const CString& string);
CArchive& operator>>(CArchive& ar, CString& string);

// Formats like CString::Format into a std::wstring.
std::wstring AfxFormatText(LPCWSTR lpszFormat, va_list argList);

// The nth piece of a string of pieces separated by chSep; FALSE past the last.
BOOL AfxExtractSubString(CString& rString, LPCWSTR lpszFullString, int iSubString,
                         WCHAR chSep = L'\n');
