// Text conversions for names kept as UTF-16.
#pragma once

#include <cstdint>
#include <string>

std::u16string Utf8ToUtf16(const std::string& text);
std::string Utf16ToUtf8(const std::u16string& text);
std::u16string Ascii(const char* text);
std::u16string Decimal(uint64_t value);
// Upper-cases ASCII letters and the Latin-1 letters that have an upper case.
std::u16string UpperCase(const std::u16string& text);

#ifdef _WIN32
inline std::wstring ToWide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}
inline std::u16string FromWide(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}
#endif
