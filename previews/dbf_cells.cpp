#include "dbf_cells.h"

#include <cstdint>
#include <vector>

namespace {

CString FromAnsi(const std::string& text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::vector<WCHAR> wide(size_t(length) + 1);
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(), length);
    return CString(wide.data(), length);
}

// Each byte one character, as the C runtime widens narrow text.
CString Widened(const std::string& text) {
    CString wide;
    for (char c : text) wide += WCHAR(uint8_t(c));
    return wide;
}

}  // namespace

CString DbfFieldName(const DbfField& field) { return FromAnsi(field.name); }

CString DbfCellText(const DbfCell& cell) {
    switch (cell.kind) {
    case DbfCell::kAnsi:
        return FromAnsi(cell.text);
    case DbfCell::kCurrency: {
        CString digits = Widened(cell.text);
        WCHAR formatted[128];
        if (GetCurrencyFormatW(LOCALE_USER_DEFAULT, 0, digits, nullptr, formatted, 128) > 0) return formatted;
        return digits;
    }
    default:
        return Widened(cell.text);
    }
}

BOOL LoadDbfTable(LPCWSTR path, CListCtrl& list) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return FALSE;
    std::vector<uint8_t> bytes(kDbfReadLimit);
    DWORD read = 0;
    BOOL readOk = ReadFile(file, bytes.data(), kDbfReadLimit, &read, nullptr);
    CloseHandle(file);
    if (!readOk) return FALSE;
    bytes.resize(read);

    DbfTable table = ParseDbfTable(bytes.data(), bytes.size());
    if (table.status == DbfTable::kTooManyFields) {
        list.DeleteAllItems();
        while (list.DeleteColumn(0)) {
        }
        return FALSE;
    }
    list.InsertColumn(0, L"Index", LVCFMT_LEFT, 100);
    for (size_t k = 0; k < table.fields.size(); ++k)
        list.InsertColumn(int(k + 1), DbfFieldName(table.fields[k]), LVCFMT_LEFT, 100);
    if (table.status != DbfTable::kLoaded) return FALSE;

    list.SetRedraw(FALSE);
    for (size_t r = 0; r < table.rows.size(); ++r) {
        WCHAR index[16];
        wsprintfW(index, L"%d", int(r + 1));
        int row = list.InsertItem(int(r), index);
        for (size_t k = 0; k < table.rows[r].size(); ++k) {
            const DbfCell& cell = table.rows[r][k];
            if (!cell.text.empty()) list.SetItemText(row, int(k + 1), DbfCellText(cell));
        }
    }
    list.SetRedraw(TRUE);
    list.Invalidate();
    return TRUE;
}
