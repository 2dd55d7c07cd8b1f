#include "html_text.h"

#include <string>
#include <vector>

#include "html_string.h"

namespace {

struct HtmlColorEntry {
    const char16_t* name;
    uint32_t rgb;  // 0xRRGGBB as written
};

struct HtmlEntity {
    const char16_t* name;
    char16_t code;
};

// The colour keywords, alphabetical, with this browser's own spellings and values.
const HtmlColorEntry kHtmlColorTable[] = {
    {u"AliceBlue", 0xF0F8FF},
    {u"AntiqueWhite", 0xFAEBD7},
    {u"Aqua", 0x00FFFF},
    {u"Aquamarine", 0x7FFFD4},
    {u"Azure", 0xF0FFFF},
    {u"Beige", 0xF5F5DC},
    {u"Bisque", 0xFFE4C4},
    {u"Black", 0x000000},
    {u"BlanchedAlmond", 0xFFFFCD},
    {u"Blue", 0x0000FF},
    {u"BlueViolet", 0x8A2BE2},
    {u"Brown", 0xA52A2A},
    {u"Burlywood", 0xDEB887},
    {u"CadetBlue", 0x5F9EA0},
    {u"Chartreuse", 0x7FFF00},
    {u"Chocolate", 0xD2691E},
    {u"Coral", 0xFF7F50},
    {u"CornflowerBlue", 0x6495ED},
    {u"Cornsilk", 0xFFF8DC},
    {u"Crimson", 0xDC143C},
    {u"Cyan", 0x00FFFF},
    {u"DarkBlue", 0x00008B},
    {u"DarkCyan", 0x008B8B},
    {u"DarkGoldenRod", 0xB8860B},
    {u"DarkGray", 0xA9A9A9},
    {u"DarkGreen", 0x006400},
    {u"DarkKhaki", 0xBDB76B},
    {u"DarkMagenta", 0x8B008B},
    {u"DarkOliveGreen", 0x556B2F},
    {u"DarkOrange", 0xFF8C00},
    {u"DarkOrchid", 0x9932CC},
    {u"DarkRed", 0x8B0000},
    {u"DarkSalmon", 0xE9967A},
    {u"DarkSeaGreen", 0x8FBC8F},
    {u"DarkSlateBlue", 0x483D8B},
    {u"DarkSlateGray", 0x2F4F4F},
    {u"DarkTurquoise", 0x00CED1},
    {u"DarkViolet", 0x9400D3},
    {u"DeepPink", 0xFF1493},
    {u"DeepSkyBlue", 0x00BFFF},
    {u"DimGray", 0x696969},
    {u"DodgerBlue", 0x1E90FF},
    {u"FireBrick", 0xB22222},
    {u"FloralWhite", 0xFFFAF0},
    {u"ForestGreen", 0x228B22},
    {u"Fuchsia", 0xFF00FF},
    {u"Gainsboro", 0xDCDCDC},
    {u"GhostWhite", 0xF8F8FF},
    {u"Gold", 0xFFD700},
    {u"GoldenRod", 0xDAA520},
    {u"Gray", 0x7F7F7F},
    {u"Green", 0x008000},
    {u"GreenYellow", 0xADFF2F},
    {u"HoneyDew", 0xF0FFF0},
    {u"HotPink", 0xFF69B4},
    {u"IndianRed", 0xCD5C5C},
    {u"Indigo", 0x4B0082},
    {u"Ivory", 0xFFFFF0},
    {u"Khaki", 0xF0E68C},
    {u"Lavender", 0xE6E6FA},
    {u"LavenderBlush", 0xFFF0F5},
    {u"Lawngreen", 0x7CFC00},
    {u"LemonChiffon", 0xFFFACD},
    {u"LightBlue", 0xADD8E6},
    {u"LightCoral", 0xF08080},
    {u"LightCyan", 0xE0FFFF},
    {u"LightGoldenRodYellow", 0xFAFAD2},
    {u"LightGreen", 0x90EE90},
    {u"LightGrey", 0xD3D3D3},
    {u"LightPink", 0xFFB6C1},
    {u"LightSalmon", 0xFFA07A},
    {u"LightSeaGreen", 0x20B2AA},
    {u"LightSkyBlue", 0x87CEFA},
    {u"LightSlateGray", 0x778899},
    {u"LightSteelBlue", 0xB0C4DE},
    {u"LightYellow", 0xFFFFE0},
    {u"Lime", 0x00FF00},
    {u"LimeGreen", 0x32CD32},
    {u"Linen", 0xFAF0E6},
    {u"Magenta", 0xFF00FF},
    {u"Maroon", 0x800000},
    {u"MediumAquaMarine", 0x66CDAA},
    {u"MediumBlue", 0x0000CD},
    {u"MediumOrchid", 0xBA55D3},
    {u"MediumPurple", 0x9370DB},
    {u"MediumSeaGreen", 0x3CB371},
    {u"MediumSlateBlue", 0x7B68EE},
    {u"MediumSpringGreen", 0x00FA9A},
    {u"MediumTurquoise", 0x48D1CC},
    {u"MediumVioletRed", 0xC71585},
    {u"MidnightBlue", 0x191970},
    {u"MintCream", 0xF5FFFA},
    {u"MistyRose", 0xFFE4E1},
    {u"Moccasin", 0xFFE4B5},
    {u"NavajoWhite", 0xFFDEAD},
    {u"Navy", 0x000080},
    {u"OldLace", 0xFDF5E6},
    {u"Olive", 0x808000},
    {u"OliveDrab", 0x6B8E23},
    {u"Orange", 0xFFA500},
    {u"OrangeRed", 0xFF4500},
    {u"Orchid", 0xDA70D6},
    {u"PaleGoldenRod", 0xEEE8AA},
    {u"PaleGreen", 0x98FB98},
    {u"PaleTurquoise", 0xAFEEEE},
    {u"PaleVioletRed", 0xDB7093},
    {u"PapayaWhip", 0xFFEFD5},
    {u"PeachPuff", 0xFFDAB9},
    {u"Peru", 0xCD853F},
    {u"Pink", 0xFFC0CB},
    {u"Plum", 0xDDA0DD},
    {u"PowderBlue", 0xB0E0E6},
    {u"Purple", 0x800080},
    {u"Red", 0xFF0000},
    {u"RosyBrown", 0xBC8F8F},
    {u"RoyalBlue", 0x4169E1},
    {u"SaddleBrown", 0x8B4513},
    {u"Salmon", 0xFA8072},
    {u"SandyBrown", 0xF4A460},
    {u"SeaGreen", 0x2E8B57},
    {u"SeaShell", 0xFFF5EE},
    {u"Sienna", 0xA0522D},
    {u"Silver", 0xC0C0C0},
    {u"SkyBlue", 0x87CEEB},
    {u"SlateBlue", 0x6A5ACD},
    {u"SlateGray", 0x708090},
    {u"Snow", 0xFFFAFA},
    {u"SpringGreen", 0x00FF7F},
    {u"SteelBlue", 0x4682B4},
    {u"Tan", 0xD2B48C},
    {u"Teal", 0x008080},
    {u"Thistle", 0xD8BFD8},
    {u"Tomato", 0xFF6347},
    {u"Turquoise", 0x40E0D0},
    {u"Violet", 0xEE82EE},
    {u"Wheat", 0xF5DEB3},
    {u"White", 0xFFFFFF},
    {u"WhiteSmoke", 0xF5F5F5},
    {u"Yellow", 0xFFFF00},
    {u"YellowGreen", 0x8BCD32},
};

// HTML 4's Latin-1 entities, U+00A0 on in code order.
const char16_t* const kLatin1Names[96] = {
    u"&nbsp;", u"&iexcl;", u"&cent;", u"&pound;", u"&curren;", u"&yen;", u"&brvbar;", u"&sect;",
    u"&uml;", u"&copy;", u"&ordf;", u"&laquo;", u"&not;", u"&shy;", u"&reg;", u"&macr;", u"&deg;",
    u"&plusmn;", u"&sup2;", u"&sup3;", u"&acute;", u"&micro;", u"&para;", u"&middot;", u"&cedil;",
    u"&sup1;", u"&ordm;", u"&raquo;", u"&frac14;", u"&frac12;", u"&frac34;", u"&iquest;",
    u"&Agrave;", u"&Aacute;", u"&Acirc;", u"&Atilde;", u"&Auml;", u"&Aring;", u"&AElig;",
    u"&Ccedil;", u"&Egrave;", u"&Eacute;", u"&Ecirc;", u"&Euml;", u"&Igrave;", u"&Iacute;",
    u"&Icirc;", u"&Iuml;", u"&ETH;", u"&Ntilde;", u"&Ograve;", u"&Oacute;", u"&Ocirc;", u"&Otilde;",
    u"&Ouml;", u"&times;", u"&Oslash;", u"&Ugrave;", u"&Uacute;", u"&Ucirc;", u"&Uuml;",
    u"&Yacute;", u"&THORN;", u"&szlig;", u"&agrave;", u"&aacute;", u"&acirc;", u"&atilde;",
    u"&auml;", u"&aring;", u"&aelig;", u"&ccedil;", u"&egrave;", u"&eacute;", u"&ecirc;", u"&euml;",
    u"&igrave;", u"&iacute;", u"&icirc;", u"&iuml;", u"&eth;", u"&ntilde;", u"&ograve;",
    u"&oacute;", u"&ocirc;", u"&otilde;", u"&ouml;", u"&divide;", u"&oslash;", u"&ugrave;",
    u"&uacute;", u"&ucirc;", u"&uuml;", u"&yacute;", u"&thorn;", u"&yuml;",
};

// Matched in order and with case; the first whole name that fits wins.
const std::vector<HtmlEntity>& HtmlEntityTable() {
    static const std::vector<HtmlEntity> table = [] {
        std::vector<HtmlEntity> t = {{u"&quot;", 0x22}, {u"&amp;", 0x26}, {u"&lt;", 0x3C}, {u"&gt;", 0x3E}};
        for (int i = 0; i < 96; ++i) t.push_back({kLatin1Names[i], char16_t(0xA0 + i)});
        const HtmlEntity rest[] = {
            {u"&OElig;", u'E'}, {u"&oelig;", u'e'}, {u"&Scaron;", u'S'}, {u"&scaron;", u's'},
            {u"&Yuml;", 0xFF}, {u"&fnof;", u'f'}, {u"&circ;", u'^'}, {u"&tilde;", u'~'},
            {u"&ndash;", u'-'}, {u"&mdash;", u'-'}, {u"&lsquo;", 0x2018}, {u"&rsquo;", 0x2019},
            {u"&sbquo;", u','}, {u"&ldquo;", u'"'}, {u"&rdquo;", u'"'}, {u"&bdquo;", 0x201E},
            {u"&dagger;", 0x2020}, {u"&Dagger;", 0x2021}, {u"&bull;", 0x2022}, {u"&hellip;", 0x2026},
            {u"&permil;", 0x2030}, {u"&lsaquo;", 0x2039}, {u"&rsaquo;", 0x203A}, {u"&euro;", 0x20AC},
            {u"&trade;", 0x2122}, {u"\u0097", u'-'}, {u"\u00A0", u' '},
        };
        t.insert(t.end(), std::begin(rest), std::end(rest));
        return t;
    }();
    return table;
}

// Length of name when text starts with it (with case), else 0.
size_t MatchExact(const char16_t* text, const char16_t* name) {
    size_t n = 0;
    for (; name[n]; ++n)
        if (text[n] != name[n]) return 0;
    return n;
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

}  // namespace

char16_t* DecodeHtmlEntities(char16_t* text) {
    if (!text) return text;
    const auto& table = HtmlEntityTable();
    size_t read = 0, write = 0;
    while (text[read]) {
        size_t matched = 0;
        char16_t c = text[read];
        bool candidate = c == u'&' || c == 0x97 || c == 0xA0;
        for (const HtmlEntity& entity : table) {
            if (!candidate) break;
            if (text[read] != entity.name[0]) continue;
            if ((matched = MatchExact(text + read, entity.name)) != 0) {
                text[write++] = entity.code;
                read += matched;
                break;
            }
        }
        if (matched) continue;
        if (text[read] == u'&' && text[read + 1] == u'#') {
            read += 2;
            unsigned code = 0;  // only the low 16 bits are kept
            for (size_t k = read; text[k] >= u'0' && text[k] <= u'9'; ++k) code = (code * 10 + (text[k] - u'0')) & 0xFFFF;
            while (text[read] && text[read] != u';' && text[read] != u' ') ++read;
            if (code == 0) break;
            text[write++] = char16_t(code);
            if (!text[read]) break;
            ++read;  // the ';' or space that ends the reference
            continue;
        }
        text[write++] = text[read++];
    }
    text[write] = 0;
    return text;
}

char16_t* RepairUtf8Text(char16_t* text) {
    if (!text || !*text) return text;
    size_t read = 0, write = 0;
    while (text[read]) {
        char16_t first = text[read], second = text[read + 1];
        // The pairs are the two bytes of U+00A0..U+00FF in UTF-8.
        if (first == 0xC2 && second >= 0xA0 && second <= 0xBF) {
            text[write++] = second;
            read += 2;
        } else if (first == 0xC3 && second >= 0x80 && second <= 0xBF) {
            text[write++] = char16_t(second + 0x40);
            read += 2;
        } else {
            text[write++] = text[read++];
        }
    }
    text[write] = 0;
    return text;
}

HtmlColor LookupHtmlColor(const char16_t* text) {
    if (!text) return 0;
    for (const HtmlColorEntry& entry : kHtmlColorTable) {
        if (HtmlEqualNoCase(text, entry.name)) {
            uint32_t rgb = entry.rgb;
            return HtmlColor((rgb >> 16) | (rgb & 0xFF00) | (rgb & 0xFF) << 16);
        }
    }
    if (*text == u'#') ++text;
    size_t length = HtmlLength(text);
    int parts[3] = {};
    for (int group = 0; group < 3; ++group) {
        size_t at = size_t(group) * 2;
        int value = 0;
        for (size_t k = at; k < at + 2 && k < length; ++k) {
            int digit = HexDigit(text[k]);
            if (digit < 0) break;
            value = value * 16 + digit;
        }
        parts[group] = value;
    }
    return HtmlColor(parts[0] | parts[1] << 8 | parts[2] << 16);
}

void ResolveUrl(const char16_t* url, char16_t* out, const char16_t* base) {
    const size_t limit = kHtmlUrlSize - 1;
    auto finish = [&](const std::u16string& text) {
        size_t n = text.size() < limit ? text.size() : limit;
        text.copy(out, n);
        out[n] = 0;
    };
    if (!url) url = u"";
    // An absolute URL: "://" before any '/'.
    for (const char16_t* p = url; *p; ++p) {
        if (p[0] == u':' && p[1] == u'/' && p[2] == u'/') return finish(url);
        if (*p == u'/') break;
    }
    if (!base || !*base) return finish(url);

    // The base without its query; n is where "://" starts.
    std::u16string o(base);
    size_t query = o.rfind(u'?');
    if (query != std::u16string::npos) o.resize(query);
    size_t found = o.find(u"://");
    size_t n = found == std::u16string::npos ? 0 : found;
    size_t host = n + 3;
    for (char16_t& c : o)
        if (c == u'\\') c = u'/';
    // A host without a path gets one.
    if (host >= o.size() || o.find(u'/', host) == std::u16string::npos) o += u'/';
    // The base's directory.
    size_t last = o.rfind(u'/');
    if (found != std::u16string::npos && last == host) {
        if (o.back() != u'/') o += u'/';
    } else {
        o.resize(last + 1);
    }
    // Each "../" climbs one folder, never above the host.
    while (url[0] == u'.' && url[1] == u'.' && url[2] == u'/') {
        if (!o.empty() && o.back() == u'/') o.pop_back();
        last = o.rfind(u'/');
        if (last != std::u16string::npos && last > 8) o.resize(last + 1);
        url += 3;
    }
    // A URL from the root keeps only scheme and host.
    if (url[0] == u'/' && host + 1 < o.size()) {
        size_t slash = o.find(u'/', host + 1);
        if (slash != std::u16string::npos) o.resize(slash);
    }
    if (url[0] != u'/' && (o.empty() || o.back() != u'/')) o += u'/';
    // Cut to the buffer.
    for (; *url && o.size() < limit; ++url) o += *url;
    // Local files get Windows paths.
    if (found == 4 && HtmlStartsWithNoCase(o.c_str(), "file://")) {
        for (size_t k = 7; k < o.size(); ++k)
            if (o[k] == u'/') o[k] = u'\\';
    }
    finish(o);
}
