#include "list_sorter.h"

#include <cstdlib>
#include <cwchar>
#include <string>

namespace {

// Digits beyond what 64 bits hold saturate rather than wrap.
unsigned long long DigitValue(const CString& text) {
  CString digits(text);
  KeepDigits(digits);
  unsigned long long value = 0;
  for (int i = 0; i < digits.GetLength(); ++i) {
    const unsigned digit = static_cast<unsigned>(digits[i] - L'0');
    if (value > (~0ULL - digit) / 10) return ~0ULL;
    value = value * 10 + digit;
  }
  return value;
}

// The engine writes dates day first ("dd-mm-yyyy " for FAT entries,
// "d-m-yyyy h:m:s" for NTFS records) whatever the user's locale, so they
// are read in that order: day, month, year, then up to three time fields.
// The key orders by year, month, day, hour, minute and second.
bool ParseDate(const CString& text, unsigned long long* key) {
  unsigned fields[6] = {};
  int count = 0;
  const int length = text.GetLength();
  int at = 0;
  while (at < length && text[at] == L' ') ++at;
  while (at < length && count < 6) {
    if (text[at] < L'0' || text[at] > L'9') return false;
    unsigned value = 0;
    int digits = 0;
    for (; at < length && text[at] >= L'0' && text[at] <= L'9'; ++at, ++digits) {
      if (digits == 4) return false;
      value = value * 10 + static_cast<unsigned>(text[at] - L'0');
    }
    fields[count++] = value;
    if (at == length) break;
    const WCHAR separator = text[at];
    const bool inDate = count < 3, atTime = count == 3;
    if (inDate && separator != L'-' && separator != L'/' && separator != L'.') return false;
    if (atTime && separator != L' ') return false;
    if (count > 3 && separator != L':') return false;
    ++at;
    // A date alone may end in a blank.
    if (atTime) {
      while (at < length && text[at] == L' ') ++at;
      if (at == length) break;
    }
  }
  if (at != length || count < 3 || count == 4) return false;
  const unsigned day = fields[0], month = fields[1], year = fields[2];
  if (day < 1 || day > 31 || month < 1 || month > 12 || fields[3] > 23 || fields[4] > 59 || fields[5] > 59)
    return false;
  *key = ((((static_cast<unsigned long long>(year) * 13 + month) * 32 + day) * 24 + fields[3]) * 60 + fields[4]) * 60 +
         fields[5];
  return true;
}

double RealValue(const CString& text) {
  char bytes[256] = {};
  WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, sizeof(bytes) - 1, nullptr, nullptr);
  return std::atof(bytes);
}

}  // namespace

int KeepDigits(CString& text) {
  CString digits;
  for (int i = 0; i < text.GetLength(); ++i) {
    if (text[i] >= L'0' && text[i] <= L'9') digits += text[i];
  }
  text = digits;
  return text.GetLength();
}

int CALLBACK CompareListRows(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort) {
  const ListSortRecord* first = reinterpret_cast<const ListSortRecord*>(lParam1);
  const ListSortRecord* second = reinterpret_cast<const ListSortRecord*>(lParam2);
  if (first == nullptr || second == nullptr) return 0;
  const bool descending = lParamSort < 0;
  int result = 0;
  switch (descending ? -lParamSort : lParamSort) {
    case kCompareNumber: {
      // Sizes pass 2 GiB: a difference of ints would wrap.
      const unsigned long long a = DigitValue(first->text), b = DigitValue(second->text);
      result = a < b ? -1 : (a > b ? 1 : 0);
      break;
    }
    case kCompareText:
      result = first->text.CompareNoCase(second->text);
      break;
    case kCompareDate: {
      unsigned long long a = 0, b = 0;
      if (!ParseDate(first->text, &a) || !ParseDate(second->text, &b)) return 0;
      result = a < b ? -1 : 1;
      break;
    }
    case kCompareReal:
      result = RealValue(second->text) > RealValue(first->text) ? -1 : 1;
      break;
    default:
      return 0;
  }
  return descending ? -result : result;
}

CListSorter::CListSorter(CListCtrl* pList, int nColumn) : m_pList(pList) {
  const int count = m_pList->GetItemCount();
  for (int row = 0; row < count; ++row) {
    ListSortRecord* record = new ListSortRecord{m_pList->GetItemData(row), m_pList->GetItemText(row, nColumn)};
    m_pList->SetItemData(row, reinterpret_cast<DWORD_PTR>(record));
  }
}

CListSorter::~CListSorter() {
  const int count = m_pList->GetItemCount();
  for (int row = 0; row < count; ++row) {
    ListSortRecord* record = reinterpret_cast<ListSortRecord*>(m_pList->GetItemData(row));
    if (record == nullptr) continue;
    m_pList->SetItemData(row, record->previousData);
    delete record;
  }
}

BOOL CListSorter::Sort(BOOL bAscending, int nType) {
  return m_pList->SortItems(CompareListRows, static_cast<DWORD_PTR>(static_cast<LPARAM>(bAscending ? nType : -nType)));
}
