#include "html_string.h"

#include <climits>
#include <cstdlib>
#include <cstring>

size_t HtmlLength(const char16_t* text) {
    size_t n = 0;
    if (text)
        while (text[n]) ++n;
    return n;
}

char16_t HtmlLower(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

bool HtmlStartsWithNoCase(const char16_t* text, const char* prefix) {
    for (; *prefix; ++prefix, ++text) {
        if (!*text || HtmlLower(*text) != HtmlLower(char16_t(static_cast<unsigned char>(*prefix))))
            return false;
    }
    return true;
}

bool HtmlEqualNoCase(const char16_t* a, const char16_t* b) {
    for (; *a && *b; ++a, ++b)
        if (HtmlLower(*a) != HtmlLower(*b)) return false;
    return *a == *b;
}

bool HtmlEqualNoCase(const char16_t* a, const char* b) {
    return HtmlStartsWithNoCase(a, b) && a[std::strlen(b)] == 0;
}

const char16_t* HtmlFindNoCase(const char16_t* text, const char* needle) {
    for (; *text; ++text)
        if (HtmlStartsWithNoCase(text, needle)) return text;
    return nullptr;
}

char16_t* HtmlFindNoCase(char16_t* text, const char* needle) {
    return const_cast<char16_t*>(HtmlFindNoCase(static_cast<const char16_t*>(text), needle));
}

int HtmlToInt(const char16_t* text) {
    if (!text) return 0;
    while (*text == u' ' || *text == u'\t' || *text == u'\r' || *text == u'\n') ++text;
    bool negative = false;
    if (*text == u'+' || *text == u'-') negative = *text++ == u'-';
    long long value = 0;
    for (; *text >= u'0' && *text <= u'9'; ++text) {
        value = value * 10 + (*text - u'0');
        if (value > INT_MAX) value = INT_MAX + 1LL;  // stays saturated
    }
    if (negative) return value > INT_MAX ? INT_MIN : int(-value);
    return value > INT_MAX ? INT_MAX : int(value);
}

std::u16string HtmlAscii(const char* text) {
    std::u16string out;
    for (; *text; ++text) out.push_back(char16_t(static_cast<unsigned char>(*text)));
    return out;
}

std::u16string HtmlDecimal(long long value) {
    std::string digits = std::to_string(value);
    return HtmlAscii(digits.c_str());
}

char16_t* HtmlCopy(const char16_t* text, int length) {
    size_t n = length < 0 ? HtmlLength(text) : size_t(length);
    auto* copy = static_cast<char16_t*>(std::malloc((n + 1) * sizeof(char16_t)));
    if (!copy) return nullptr;
    if (n) std::memcpy(copy, text, n * sizeof(char16_t));
    copy[n] = 0;
    return copy;
}
