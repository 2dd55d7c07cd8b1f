#include "browser_rules.h"

#include "html_string.h"

bool IsPictureUrl(const char16_t* url) {
    const char16_t* dot = nullptr;
    for (const char16_t* p = url; p && *p; ++p)
        if (*p == u'.') dot = p;
    return dot && (HtmlEqualNoCase(dot + 1, "jpg") || HtmlEqualNoCase(dot + 1, "gif") ||
                   HtmlEqualNoCase(dot + 1, "png"));
}

std::u16string PicturePage(const char16_t* url) {
    return u"<body bgcolor=ffff00><img src=\"" + std::u16string(url) + u"\"></body>";
}

std::u16string UrlEncode(const char16_t* text) {
    static const char digits[] = "0123456789abcdef";
    std::u16string out;
    for (const char16_t* p = text; p && *p; ++p) {
        char16_t c = *p;
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')) {
            out += c;
        } else if (c == u' ') {
            out += u'+';
        } else {
            std::u16string hex;
            for (unsigned value = c; value || hex.size() < 2; value >>= 4) hex.insert(hex.begin(), char16_t(digits[value & 15]));
            out += u'%';
            out += hex;
        }
    }
    return out;
}

PostTarget SplitPostTarget(const char16_t* action) {
    std::u16string text = action ? action : u"";
    size_t scheme = text.find(u"://");
    size_t start = scheme == std::u16string::npos ? 0 : scheme + 3;
    size_t slash = text.find(u'/', start);
    PostTarget target;
    target.host = text.substr(start, slash == std::u16string::npos ? std::u16string::npos : slash - start);
    target.path = slash == std::u16string::npos ? u"/" : text.substr(slash);
    size_t colon = target.host.rfind(u':');
    if (colon != std::u16string::npos) {
        int port = HtmlToInt(target.host.c_str() + colon + 1);
        target.host.resize(colon);
        target.port = port > 0 && port < 65536 ? port : 80;
    }
    return target;
}

bool RelayoutAfterPicture(int loaded, int total) {
    long long power = 10;
    while (power < total) power *= 10;
    return loaded == total || loaded % (power / 10) == 0;
}

std::u16string PageTextPath(const std::u16string& modulePath) {
    size_t dot = modulePath.rfind(u'.');
    size_t slash = modulePath.find_last_of(u"\\/");
    if (dot == std::u16string::npos || (slash != std::u16string::npos && dot < slash)) return modulePath + u".txt";
    return modulePath.substr(0, dot) + u".txt";
}

int SubmitLinkForm(const char16_t* url, bool& isSubmit) {
    isSubmit = url && HtmlStartsWithNoCase(url, "Submit(");
    return isSubmit ? HtmlToInt(url + 7) : -1;
}
