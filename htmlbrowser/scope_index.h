// Answers, for the page text of one load, where an alignment scope's
// content ends, without scanning the rest of the page for every scope: a
// page of unclosed divs would otherwise take time growing with its square.
#pragma once

#include <cstddef>
#include <unordered_map>
#include <vector>

class HtmlScopeIndex {
public:
    void Build(const char16_t* text);
    void Clear();
    // The first end of a div scope (isDiv) or p scope whose content starts
    // at start, before limit; null when there is none before it, or when
    // start lies outside the indexed text (the caller scans instead).
    const char16_t* FindEnd(const char16_t* start, const char16_t* limit, bool isDiv, bool& known) const;

private:
    struct Kind {
        // Nesting count before each position of the text.
        std::vector<int> depth;
        // Positions of the ends, by the nesting count at them.
        std::unordered_map<int, std::vector<size_t>> ends;
    };
    const char16_t* text_ = nullptr;
    size_t length_ = 0;
    Kind div_, p_;
};
