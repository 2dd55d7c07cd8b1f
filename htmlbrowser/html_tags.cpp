#include "html_tags.h"

#include <cstring>
#include <vector>

#include "html_string.h"

namespace {

const char* const kHtmlTagTable[kHtmlTagCount] = {
    "<br",
    "<i",
    "</i",
    "<b",
    "</b",
    "<strong",
    "</strong",
    "<u",
    "</u",
    "<a",
    "</a",
    "<small",
    "</small",
    "<big",
    "</big",
    "<center",
    "</center",
    "<p",
    "<font",
    "</font",
    "<img",
    "<h1",
    "</h1",
    "<div",
    "</div",
    "<hr",
    "<table",
    "</table",
    "<tr",
    "</tr",
    "<td",
    "</td",
    "<h2",
    "</h2",
    "<h3",
    "</h3",
    "<pre",
    "</pre",
    "<input",
    "<ul",
    "<ol",
    "<li",
    "</ul",
    "</ol",
    "<sub",
    "</sub",
    "<sup",
    "</sup",
    "<strike",
    "</strike",
    "<select",
    "</select",
    "<option",
    "<textarea",
    "</textarea",
    "<th",
    "</th",
    "<form",
    "</form",
    "<blockquote",
    "</blockquote",
    "</p",
};

bool EndsTagName(char16_t c, bool filtering) {
    return c == 0 || c == u' ' || c == u'>' || (filtering && (c == u'\t' || c == u'\r' || c == u'\n'));
}

}  // namespace

int MatchHtmlTag(const char16_t* text, bool filtering) {
    if (text[0] != u'<') return -1;
    size_t length = 1;
    while (length < 13 && !EndsTagName(text[length], filtering)) ++length;
    if (!EndsTagName(text[length], filtering)) return -1;
    // The names by length, built once: a '<' is compared with few of them.
    static const std::vector<std::vector<int>> byLength = [] {
        std::vector<std::vector<int>> table(14);
        for (int tag = 0; tag < kHtmlTagCount; ++tag) table[std::strlen(kHtmlTagTable[tag])].push_back(tag);
        return table;
    }();
    for (int tag : byLength[length]) {
        const char* name = kHtmlTagTable[tag];
        size_t k = 1;
        while (k < length && HtmlLower(text[k]) == char16_t(name[k])) ++k;
        if (k == length) return tag;
    }
    return -1;
}

const char* HtmlTagName(int tag) { return tag >= 0 && tag < kHtmlTagCount ? kHtmlTagTable[tag] : ""; }
