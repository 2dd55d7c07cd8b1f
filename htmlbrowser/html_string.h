// Small helpers over terminated UTF-16 text, as the browser keeps it.
#pragma once

#include <cstddef>
#include <string>

size_t HtmlLength(const char16_t* text);
char16_t HtmlLower(char16_t c);
// Does text start with prefix (prefix is ASCII, compared without case)?
bool HtmlStartsWithNoCase(const char16_t* text, const char* prefix);
bool HtmlEqualNoCase(const char16_t* a, const char16_t* b);
bool HtmlEqualNoCase(const char16_t* a, const char* b);
// First place at or after text where needle (ASCII) starts, without case; null when none.
char16_t* HtmlFindNoCase(char16_t* text, const char* needle);
const char16_t* HtmlFindNoCase(const char16_t* text, const char* needle);
// Decimal conversion that gives 0 for text that is not a number: leading
// blanks, an optional sign, digits; saturates instead of overflowing.
int HtmlToInt(const char16_t* text);
std::u16string HtmlAscii(const char* text);
std::u16string HtmlDecimal(long long value);
// New terminated copy of length characters (-1: up to the terminator), made
// with malloc; null when memory is exhausted.
char16_t* HtmlCopy(const char16_t* text, int length = -1);
