#include "list_sorter.h"

#include <oleauto.h>

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

bool ParseDate(const CString& text, DATE* date) {
  // VarDateFromStr takes a non-const string.
  std::wstring copy(text.GetString());
  return SUCCEEDED(VarDateFromStr(copy.data(), LOCALE_USER_DEFAULT, 0, date));
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
      DATE a = 0, b = 0;
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
