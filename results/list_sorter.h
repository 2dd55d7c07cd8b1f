// Sorting a report list by the text of one column. While the sorter lives
// each row's item data is its own record (the row's data and its text), so
// that the control's comparison callback sees the texts; the destructor
// gives every row its data back.
#pragma once

#include "framework.h"

// Comparison types of a column; a negative type sorts descending.
enum : int { kCompareNumber = 1, kCompareText = 2, kCompareDate = 3, kCompareReal = 4 };

struct ListSortRecord {
  DWORD_PTR previousData;
  CString text;
};

class CListSorter {
 public:
  CListSorter(CListCtrl* pList, int nColumn);
  ~CListSorter();
  CListSorter(const CListSorter&) = delete;
  CListSorter& operator=(const CListSorter&) = delete;

  BOOL Sort(BOOL bAscending, int nType);

 private:
  CListCtrl* m_pList;
};

int CALLBACK CompareListRows(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
// Removes every character that is not a decimal digit; returns the length left.
int KeepDigits(CString& text);
