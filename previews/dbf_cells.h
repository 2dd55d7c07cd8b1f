// dBASE tables in a report list: the texts of fields and values (through
// the ANSI code page and the user's currency format) and the loading of a
// whole table.
#pragma once

#include <windows.h>

#include "dbf_table.h"
#include "framework.h"

CString DbfFieldName(const DbfField& field);
CString DbfCellText(const DbfCell& cell);

constexpr DWORD kDbfReadLimit = 5 * 1024 * 1024;  // bytes of a table read

// Fills the list with an "Index" column, a column per field and a row per
// record, from the file's first 5 MB read at once. Returns what the preview
// reports as loaded: FALSE for a file that cannot be read, a rejected header
// or more than 200 fields (the list is then emptied).
BOOL LoadDbfTable(LPCWSTR path, CListCtrl& list);
