// Text conversions for names kept as UTF-16.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

std::u16string Utf8ToUtf16(const std::string& text);
std::string Utf16ToUtf8(const std::u16string& text);
std::u16string Ascii(const char* text);
std::u16string Decimal(uint64_t value);
// Upper-cases ASCII letters and the Latin-1 letters that have an upper case.
std::u16string UpperCase(const std::u16string& text);

// Heap copies of a terminated UTF-16 name or 8-bit text (null copies as
// empty); end the process with the out-of-memory message when memory is
// exhausted.
char16_t* CopyName(const char16_t* name);
char* CopyText(const char* text);

// Length of a terminated UTF-16 text.
size_t NameLength(const char16_t* name);

#ifdef _WIN32
inline std::wstring ToWide(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}
inline std::u16string FromWide(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}
#endif
