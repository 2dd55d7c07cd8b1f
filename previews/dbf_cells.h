// The texts of dBASE fields and values as the table list shows them: the
// parts that need the ANSI code page and the user's currency format.
#pragma once

#include <windows.h>

#include "dbf_table.h"
#include "framework.h"

CString DbfFieldName(const DbfField& field);
CString DbfCellText(const DbfCell& cell);
