#include "scope_index.h"

#include <algorithm>

#include "html_string.h"
#include "html_tags.h"

void HtmlScopeIndex::Clear() {
    text_ = nullptr;
    length_ = 0;
    div_ = Kind();
    p_ = Kind();
}

void HtmlScopeIndex::Build(const char16_t* text) {
    Clear();
    text_ = text;
    length_ = HtmlLength(text);
    div_.depth.resize(length_ + 1);
    p_.depth.resize(length_ + 1);
    int divDepth = 0, tableDepth = 0;
    for (size_t i = 0; i <= length_; ++i) {
        div_.depth[i] = divDepth;
        p_.depth[i] = tableDepth;
        if (i == length_ || text[i] != u'<') continue;
        int tag = MatchHtmlTag(text + i, false);
        // As the scan from a scope's start counts: tables (and for div
        // scopes divs) nest; an end is one met at the scope's own count.
        if (tag == kTagTable || tag == kTagDiv) ++divDepth;
        if (tag == kTagEndTable || tag == kTagEndDiv) div_.ends[divDepth--].push_back(i);
        if (tag == kTagTable) ++tableDepth;
        if (tag == kTagEndTable) p_.ends[tableDepth--].push_back(i);
        if (tag == kTagEndP || tag == kTagHr || HtmlStartsWithNoCase(text + i, "<p")) p_.ends[tableDepth].push_back(i);
    }
}

const char16_t* HtmlScopeIndex::FindEnd(const char16_t* start, const char16_t* limit, bool isDiv,
                                        bool& known) const {
    known = text_ && start >= text_ && start <= text_ + length_;
    if (!known) return nullptr;
    const Kind& kind = isDiv ? div_ : p_;
    size_t at = size_t(start - text_);
    auto found = kind.ends.find(kind.depth[at]);
    if (found == kind.ends.end()) return nullptr;
    auto next = std::lower_bound(found->second.begin(), found->second.end(), at);
    if (next == found->second.end()) return nullptr;
    const char16_t* end = text_ + *next;
    return end < limit ? end : nullptr;
}
