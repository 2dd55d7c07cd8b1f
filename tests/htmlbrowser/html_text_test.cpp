#include <gtest/gtest.h>

#include <string>

#include "html_text.h"

namespace {

std::u16string Decode(std::u16string text) {
    text.push_back(0);
    DecodeHtmlEntities(text.data());
    return std::u16string(text.c_str());
}

std::u16string Repair(std::u16string text) {
    text.push_back(0);
    RepairUtf8Text(text.data());
    return std::u16string(text.c_str());
}

std::u16string Resolve(const std::u16string& url, const std::u16string& base) {
    char16_t out[kHtmlUrlSize + 8];
    for (char16_t& c : out) c = u'#';
    ResolveUrl(url.c_str(), out, base.c_str());
    for (int k = kHtmlUrlSize; k < kHtmlUrlSize + 8; ++k) EXPECT_EQ(out[k], u'#') << "written past the buffer";
    return out;
}

TEST(HtmlText, EntitiesDecodeOncePerPassWithCase) {
    struct Case {
        std::u16string text, decoded;
    } cases[] = {
        {u"&amp;lt;", u"&lt;"},
        {u"&AMP;", u"&AMP;"},
        {u"&amp", u"&amp"},
        {u"a&lt;b&gt;c&quot;", u"a<b>c\""},
        {u"&#65;&#66;", u"AB"},
        {u"&#65 B", u"AB"},
        {u"&#65", u"A"},
        {u"x&#;y", u"x"},           // the number 0 ends the text
        {u"&#x41;", u""},           // no digits: the character 0 ends the text
        {u"&#65601;", u"A"},        // low 16 bits of 65601
        {u"&Agrave;&agrave;", u"\u00C0\u00E0"},
        {u"&nbsp;&yuml;&Yuml;", u"\u00A0\u00FF\u00FF"},
        {u"&mdash;&hellip;&trade;", u"-\u2026\u2122"},
        {u"a\u0097b\u00A0c", u"a-b c"},
        {u"&unknown;", u"&unknown;"},
    };
    for (const Case& c : cases) EXPECT_EQ(Decode(c.text), c.decoded);
    // A huge number neither overflows nor reads past the end.
    std::u16string huge = u"&#" + std::u16string(200, u'9') + u";z";
    Decode(huge);
}

TEST(HtmlText, Utf8PairsReadAsSingleBytesBecomeTheirCharacters) {
    EXPECT_EQ(Repair(u"\u00C3\u00A9"), u"\u00E9");
    EXPECT_EQ(Repair(u"caf\u00C3\u00A9 \u00C2\u00A0\u00C2\u00BF\u00C3\u00BF"), u"caf\u00E9 \u00A0\u00BF\u00FF");
    EXPECT_EQ(Repair(u"\u00C2A\u00C3"), u"\u00C2A\u00C3");
    EXPECT_EQ(Repair(u""), u"");
}

TEST(HtmlText, ColoursByNameOrHexadecimal) {
    struct Case {
        std::u16string text;
        HtmlColor colour;
    } cases[] = {
        {u"red", 0x0000FF},      {u"RED", 0x0000FF},         {u"#ff0000", 0x0000FF},
        {u"ff0000", 0x0000FF},   {u"ffff00", 0x00FFFF},      {u"#0080C0", 0xC08000},
        {u"AliceBlue", 0xFFF8F0}, {u"yellowgreen", 0x32CD8B}, {u"Gray", 0x7F7F7F},
        {u"BlanchedAlmond", 0xCDFFFF}, {u"lightgrey", 0xD3D3D3}, {u"burlywood", 0x87B8DE},
        {u"#f", 0x00000F},       {u"#zz10", 0x001000},       {u"", 0},
        {u"#12345", 0x053412},   {u"nosuchcolour", 0x0C0000},  // "ch" reads as 0x0c
    };
    for (const Case& c : cases) EXPECT_EQ(LookupHtmlColor(c.text.c_str()), c.colour);
}

TEST(HtmlText, UrlsResolveAgainstTheBase) {
    struct Case {
        std::u16string url, base, resolved;
    } cases[] = {
        {u"../img/a.gif", u"http://host/dir/sub/page.htm", u"http://host/dir/img/a.gif"},
        {u"/x.htm", u"http://host/dir/sub/page.htm", u"http://host/x.htm"},
        {u"b.htm", u"http://host", u"http://host/b.htm"},
        {u"../../x.htm", u"http://host/a/page.htm", u"http://host/x.htm"},
        {u"b.htm", u"file://C:\\docs\\a.htm", u"file://C:\\docs\\b.htm"},
        {u"pics/p.png", u"file://C:\\docs\\a.htm", u"file://C:\\docs\\pics\\p.png"},
        {u"http://other/y", u"http://host/a/", u"http://other/y"},
        {u"c.htm", u"http://host/a/b.htm?q=1/2", u"http://host/a/c.htm"},
        {u"?page=2", u"http://host/a/b.htm", u"http://host/a/?page=2"},
        {u"b.htm", u"", u"b.htm"},
        {u"", u"http://host/a/b.htm", u"http://host/a/"},
    };
    for (const Case& c : cases) EXPECT_EQ(Resolve(c.url, c.base), c.resolved) << std::string(c.url.begin(), c.url.end());
}

TEST(HtmlText, LongUrlsAndBasesAreCutToTheBuffer) {
    std::u16string longPath(5000, u'p');
    std::u16string longBase = u"http://host/" + std::u16string(3000, u'd') + u"/page.htm";
    struct Case {
        std::u16string url, base;
    } cases[] = {
        {u"http://host/" + longPath, u""},
        {longPath, u"http://host/a/"},
        {u"x.htm", longBase},
        {u"/" + longPath, longBase},
        {longPath, u""},
    };
    for (const Case& c : cases) {
        std::u16string resolved = Resolve(c.url, c.base);
        EXPECT_EQ(resolved.size(), size_t(kHtmlUrlSize - 1));
    }
}

}  // namespace
