// Character references, UTF-8 repair, colour names and URL resolution of
// the browser's page text.
#pragma once

#include "html_types.h"

// Size of every URL buffer ResolveUrl writes, terminator included.
constexpr int kHtmlUrlSize = 1024;

// Both rewrite the text in place (it never grows) and return it.
char16_t* DecodeHtmlEntities(char16_t* text);
char16_t* RepairUtf8Text(char16_t* text);

// A colour name (any case) or six hexadecimal digits, '#' optional.
HtmlColor LookupHtmlColor(const char16_t* text);

// Writes the absolute form of url against base into out (kHtmlUrlSize
// characters), cut to fit. Against an empty base the URL stays as it is.
void ResolveUrl(const char16_t* url, char16_t* out, const char16_t* base);
