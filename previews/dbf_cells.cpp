#include "dbf_cells.h"

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
