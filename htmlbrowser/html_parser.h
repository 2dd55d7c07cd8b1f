// The tag interpreter's state for one call: a nested region gets a parser
// of its own, so styles never leak out of it.
#pragma once

#include "html_document.h"
#include "html_tags.h"

struct HtmlParser {
    HtmlParser(CHtmlDocument& document, char16_t* text, HtmlBoxList& list, const char16_t* face, int height,
               HtmlColor colour, const char16_t* baseUrl, int level, int alignment, int noWrap);
    void Run();

    // The interpreter's pieces; each returns where reading goes on.
    char16_t* Tag(char16_t* p);
    char16_t* Scope(char16_t* p, bool isDiv);
    char16_t* Preformatted(char16_t* p);
    char16_t* Quotation(char16_t* p);
    char16_t* List(char16_t* p, bool ordered);
    char16_t* Image(char16_t* p);
    char16_t* Table(char16_t* p);
    char16_t* Input(char16_t* p);
    char16_t* Select(char16_t* p);
    char16_t* TextArea(char16_t* p);
    void Form(const char16_t* p);
    void BlockBreak(int tag, int clear);
    void Tab();
    void Word(const char16_t* word);
    void Space(bool blockBreak);
    void Break(int alignment, int height = 0, int width = 0, int clear = 0);
    // Appends box to the list; a text box continues the run of text a tab pads.
    HtmlBox* Append(HtmlBox* box);
    // Parses text[0..end) into list at the next level, the character at end
    // set to 0 meanwhile.
    void Nested(char16_t* text, char16_t* end, HtmlBoxList& into, const char16_t* face, int height,
                HtmlColor colour, int alignment, int noWrap);
    int Align() const { return centre_ ? 2 : alignment_; }
    bool CanNest() const { return level_ + 1 < kHtmlMaxLevel; }
    const char16_t* Attribute(const char* name) const;
    void Progress(const char16_t* at);
    // The next tag among wanted (a mask of 1 << tag) at or after p before the
    // end, registering forms met on the way; null when none.
    char16_t* MoveTo(char16_t* p, unsigned long long wanted);
    void Resolve(const char16_t* url, char16_t* out) const;

    CHtmlDocument& doc_;
    char16_t* text_;
    HtmlBoxList& list_;
    const char16_t* faceArg_;
    int heightArg_;
    HtmlColor colourArg_;
    const char16_t* baseUrl_;
    int level_;
    int alignmentArg_;
    int noWrap_;

    const char16_t* face_;
    int height_;
    HtmlColor colour_;
    int alignment_;
    int bold_ = 0, italic_ = 0, underline_ = 0;
    int inLink_ = 0, link_ = -1;
    int centre_ = 0;
    int sub_ = 0, sup_ = 0, strike_ = 0;
    int lineHasWord_ = 0;
    int textRun_ = 0;  // characters of the text boxes since the last other box
    int textLength_ = 0;
    char16_t* end_;  // the region's end: nothing past it is read
    CHtmlStringTable attributes_;
};

constexpr unsigned long long HtmlTagBit(int tag) { return 1ULL << tag; }

// Sizes read from attributes stay within these, so that no layout sum overflows.
constexpr int kHtmlMaxLength = 10000;
constexpr int kHtmlMaxFontHeight = 500;
constexpr int kHtmlMaxBorder = 100;
int HtmlClamp(int value, int low, int high);
bool HtmlHasPercent(const char16_t* value);
