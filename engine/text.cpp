#include "text.h"

#include <cstdlib>
#include <cstring>

#include "engine_ui.h"

std::u16string Utf8ToUtf16(const std::string& text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        uint32_t code;
        size_t extra;
        if (c < 0x80) { code = c; extra = 0; }
        else if ((c & 0xE0) == 0xC0) { code = c & 0x1F; extra = 1; }
        else if ((c & 0xF0) == 0xE0) { code = c & 0x0F; extra = 2; }
        else if ((c & 0xF8) == 0xF0) { code = c & 0x07; extra = 3; }
        else { out.push_back(u'\uFFFD'); ++i; continue; }
        if (extra && i + extra >= text.size()) {
            out.push_back(u'\uFFFD');
            break;
        }
        bool bad = false;
        for (size_t k = 1; k <= extra; ++k) {
            unsigned char d = static_cast<unsigned char>(text[i + k]);
            if ((d & 0xC0) != 0x80) { bad = true; break; }
            code = code << 6 | (d & 0x3F);
        }
        if (bad) { out.push_back(u'\uFFFD'); ++i; continue; }
        i += extra + 1;
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(char16_t(0xD800 + (code >> 10)));
            out.push_back(char16_t(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(char16_t(code));
        }
    }
    return out;
}

std::string Utf16ToUtf8(const std::u16string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t code = text[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code < 0xE000) {
            code = 0xFFFD;  // a lone surrogate from disk
        }
        if (code < 0x80) {
            out.push_back(char(code));
        } else if (code < 0x800) {
            out.push_back(char(0xC0 | code >> 6));
            out.push_back(char(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(char(0xE0 | code >> 12));
            out.push_back(char(0x80 | (code >> 6 & 0x3F)));
            out.push_back(char(0x80 | (code & 0x3F)));
        } else {
            out.push_back(char(0xF0 | code >> 18));
            out.push_back(char(0x80 | (code >> 12 & 0x3F)));
            out.push_back(char(0x80 | (code >> 6 & 0x3F)));
            out.push_back(char(0x80 | (code & 0x3F)));
        }
    }
    return out;
}

std::u16string Ascii(const char* text) {
    std::u16string out;
    for (; *text; ++text) out.push_back(char16_t(static_cast<unsigned char>(*text)));
    return out;
}

std::u16string Decimal(uint64_t value) {
    char16_t digits[24];
    int n = 0;
    do {
        digits[n++] = char16_t(u'0' + value % 10);
        value /= 10;
    } while (value);
    std::u16string out;
    while (n) out.push_back(digits[--n]);
    return out;
}

std::u16string UpperCase(const std::u16string& text) {
    std::u16string out = text;
    for (char16_t& c : out) {
        if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) c = char16_t(c - 32);
    }
    return out;
}

size_t NameLength(const char16_t* name) {
    size_t n = 0;
    if (name)
        while (name[n]) ++n;
    return n;
}

namespace {

template <typename Char>
Char* CopyTerminated(const Char* text) {
    size_t length = text ? std::char_traits<Char>::length(text) : 0;
    Char* copy = static_cast<Char*>(std::malloc((length + 1) * sizeof(Char)));
    if (!copy) OutOfMemory();
    if (length) std::memcpy(copy, text, length * sizeof(Char));
    copy[length] = 0;
    return copy;
}

}  // namespace

char16_t* CopyName(const char16_t* name) { return CopyTerminated(name); }
char* CopyText(const char* text) { return CopyTerminated(text); }
