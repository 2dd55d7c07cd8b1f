#include "html_tags.h"

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
    for (int tag = 0; tag < kHtmlTagCount; ++tag) {
        const char* name = kHtmlTagTable[tag];
        size_t k = 0;
        while (name[k] && k < length && HtmlLower(text[k]) == char16_t(name[k])) ++k;
        if (k == length && !name[k]) return tag;
    }
    return -1;
}

const char* HtmlTagName(int tag) { return tag >= 0 && tag < kHtmlTagCount ? kHtmlTagTable[tag] : ""; }
