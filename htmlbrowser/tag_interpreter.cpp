#include <cstdlib>
#include <cstring>

#include "html_parser.h"
#include "html_string.h"
#include "html_text.h"

namespace {

constexpr HtmlColor kLinkBlue = 0xFF0000;

bool EndsWord(char16_t c) { return c == 0 || c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'<'; }

char16_t* PastTagEnd(char16_t* p) {
    while (*p && *p != u'>') ++p;
    return *p ? p + 1 : p;
}

char16_t* SkipSpaces(char16_t* p) {
    while (*p == u' ') ++p;
    return p;
}

bool IsTag(const char16_t* p, int tag) { return *p == u'<' && MatchHtmlTag(p, false) == tag; }

}  // namespace

int HtmlClamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

bool HtmlHasPercent(const char16_t* value) {
    for (; value && *value; ++value)
        if (*value == u'%') return true;
    return false;
}

void CHtmlDocument::ParseElements(char16_t* text, HtmlBoxList& list, const char16_t* face, int height,
                                  HtmlColor colour, const char16_t* baseUrl, int level, int alignment,
                                  int noWrap) {
    if (!text) return;
    if (level > deepestLevel_) deepestLevel_ = level;
    HtmlParser parser(*this, text, list, KeepFace(face), height, colour, baseUrl ? baseUrl : u"", level,
                      alignment, noWrap);
    parser.Run();
}

HtmlParser::HtmlParser(CHtmlDocument& document, char16_t* text, HtmlBoxList& list, const char16_t* face,
                       int height, HtmlColor colour, const char16_t* baseUrl, int level, int alignment,
                       int noWrap)
    : doc_(document), text_(text), list_(list), faceArg_(face), heightArg_(height), colourArg_(colour),
      baseUrl_(baseUrl), level_(level), alignmentArg_(alignment), noWrap_(noWrap), face_(face), height_(height),
      colour_(colour), alignment_(alignment) {
    textLength_ = int(HtmlLength(text));
    end_ = text + textLength_;
}

void HtmlParser::Progress(const char16_t* at) {
    if (level_ == 0 && doc_.browser_) doc_.browser_->OnParseProgress(0, int(at - text_), textLength_);
}

void HtmlParser::Run() {
    char16_t* p = text_;
    while (*p) {
        Progress(p);
        char16_t c = *p;
        if (c == u'\t') {
            Tab();
            ++p;
        } else if (c == u' ' || c == u'\r' || c == u'\n') {
            if (lineHasWord_ || noWrap_) Space(false);
            if (c != u' ') {
                Break(alignmentArg_);
                if (c == u'\r' && p[1] == u'\n') ++p;
            }
            ++p;
        } else if (c == u'<') {
            p = Tag(p);
        } else {
            char16_t* end = p;
            while (!EndsWord(*end)) ++end;
            char16_t saved = *end;
            *end = 0;
            Word(p);
            *end = saved;
            lineHasWord_ = 1;
            p = end;
            Progress(p);
        }
    }
}

// --- Boxes of the running text ---------------------------------------------

HtmlBox* HtmlParser::Append(HtmlBox* box) {
    if (!box) return nullptr;
    bool text = box->kind == kBoxText;
    int length = text ? int(HtmlLength(box->text)) : 0;
    if (!doc_.AppendSlot(list_, box)) return nullptr;
    textRun_ = text ? (textRun_ + length) % 5 : 0;
    return box;
}

void HtmlParser::Word(const char16_t* word) {
    int flags = inLink_ || underline_ ? 8 : 0;
    int thickness = flags ? 1 : 0;
    if (strike_) {
        flags += 16;
        thickness = 1;
    }
    int height = sub_ ? 2 * height_ / 3 : height_;
    HtmlBox* box = doc_.CreateTextBox(word, flags, thickness, inLink_ ? kLinkBlue : 0, face_, height, bold_,
                                      italic_, inLink_ ? kLinkBlue : colour_, -1, Align(), 0, link_, noWrap_);
    if (box && sup_) box->fontHeight = 2 * height_ / 3;
    Append(box);
}

void HtmlParser::Space(bool blockBreak) {
    if (!blockBreak) return Word(u" ");
    int flags = inLink_ || underline_ ? 8 : 0;
    Append(doc_.CreateTextBox(u" ", flags, flags ? 1 : 0, inLink_ ? kLinkBlue : 0, face_, height_, bold_,
                              italic_, inLink_ ? kLinkBlue : colour_, -1, Align(), 0, link_, noWrap_));
}

void HtmlParser::Tab() {
    char16_t spaces[6] = u"     ";
    spaces[5 - textRun_] = 0;
    Word(spaces);
}

void HtmlParser::Break(int alignment, int height, int width, int clear) {
    Append(doc_.CreateBreakBox(height, width, alignment, clear));
}

void HtmlParser::BlockBreak(int tag, int clear) {
    if (tag == kTagH1 || tag == kTagH2 || tag == kTagH3) {
        Space(true);
        Break(Align());
        Space(true);
    }
    if (lineHasWord_ || tag == kTagBr) Space(true);
    if (tag == kTagHr)
        Break(Align(), 2, 1);
    else
        Break(Align(), 0, 0, clear);
    if (tag == kTagHr || (tag == kTagP && lineHasWord_)) {
        Space(true);
        Break(Align());
    }
    if (!noWrap_ && (tag == kTagBr || tag == kTagP)) lineHasWord_ = 0;
}

// --- Tags -------------------------------------------------------------------

const char16_t* HtmlParser::Attribute(const char* name) const {
    const char16_t* value = nullptr;
    for (int i = 0; i < attributes_.GetRowCount(); ++i) {
        const CHtmlStringList& row = attributes_.GetRow(i);
        if (HtmlEqualNoCase(row.Get(0), name)) value = row.Get(1);
    }
    return value;
}

void HtmlParser::Resolve(const char16_t* url, char16_t* out) const { ResolveUrl(url, out, baseUrl_); }

void HtmlParser::Nested(char16_t* text, char16_t* end, HtmlBoxList& into, const char16_t* face, int height,
                        HtmlColor colour, int alignment, int noWrap) {
    char16_t saved = *end;
    *end = 0;
    doc_.ParseElements(text, into, face, height, colour, baseUrl_, level_ + 1, alignment, noWrap);
    *end = saved;
}

void HtmlParser::Form(const char16_t* p) {
    if (!doc_.browser_) return;
    CHtmlDocument::ParseAttributes(p, attributes_);
    char16_t action[kHtmlUrlSize] = {};
    if (const char16_t* value = Attribute("action")) Resolve(value, action);
    const char16_t* method = Attribute("method");
    doc_.currentForm_ = doc_.browser_->AddForm(action, method ? method : u"get");
}

char16_t* HtmlParser::Tag(char16_t* p) {
    int tag = MatchHtmlTag(p, false);
    switch (tag) {
    case kTagBr:
        CHtmlDocument::ParseAttributes(p, attributes_);
        BlockBreak(tag, Attribute("clear") ? 1 : 0);
        break;
    case kTagI: italic_ = 1; break;
    case kTagEndI: italic_ = 0; break;
    case kTagB:
    case kTagStrong: bold_ = 1; break;
    case kTagEndB:
    case kTagEndStrong: bold_ = 0; break;
    case kTagU: underline_ = 1; break;
    case kTagEndU: underline_ = 0; break;
    case kTagA: {
        CHtmlDocument::ParseAttributes(p, attributes_);
        if (const char16_t* href = Attribute("href")) {
            char16_t url[kHtmlUrlSize];
            Resolve(href, url);
            link_ = doc_.FindOrAddLink(url);
            inLink_ = link_ >= 0;
        }
        break;
    }
    case kTagEndA:
        inLink_ = 0;
        link_ = -1;
        break;
    case kTagSmall: height_ -= height_ / 3; break;
    case kTagBig: height_ = HtmlClamp(height_ + height_ / 3, 0, kHtmlMaxFontHeight); break;
    case kTagEndSmall:
    case kTagEndBig: height_ = heightArg_; break;
    case kTagCenter:
    case kTagEndCenter:
        centre_ = tag == kTagCenter;
        BlockBreak(tag, 0);
        break;
    case kTagP:
    case kTagDiv:
        if (p[tag == kTagP ? 2 : 4] == u' ' && CanNest()) return Scope(p, tag == kTagDiv);
        BlockBreak(tag, 0);
        break;
    case kTagEndDiv:
    case kTagHr: BlockBreak(tag, 0); break;
    case kTagFont: {
        CHtmlDocument::ParseAttributes(p, attributes_);
        if (const char16_t* face = Attribute("face")) face_ = doc_.KeepFace(face);
        if (const char16_t* colour = Attribute("color")) colour_ = LookupHtmlColor(colour);
        if (const char16_t* size = Attribute("size")) {
            int number = HtmlClamp(HtmlToInt(size), -kHtmlMaxFontHeight, kHtmlMaxFontHeight);
            if (number) {
                const char16_t* first = size;
                while (*first == u' ') ++first;
                int height = *first == u'+' || *first == u'-' ? heightArg_ + number : number * 4 + 8;
                height_ = HtmlClamp(height, 1, kHtmlMaxFontHeight);
            }
        }
        break;
    }
    case kTagEndFont:
        face_ = faceArg_;
        height_ = heightArg_;
        colour_ = colourArg_;
        break;
    case kTagImg: return Image(p);
    case kTagH1:
    case kTagH2:
    case kTagH3:
        bold_ = 1;
        height_ = HtmlClamp(tag == kTagH1   ? 2 * height_
                            : tag == kTagH2 ? height_ + height_ / 2
                                            : height_ + height_ / 3,
                            0, kHtmlMaxFontHeight);
        BlockBreak(tag, 0);
        break;
    case kTagEndH1:
    case kTagEndH2:
    case kTagEndH3:
        height_ = heightArg_;
        bold_ = 0;
        BlockBreak(tag, 0);
        break;
    case kTagTable:
        if (CanNest()) return Table(p);
        break;
    case kTagPre:
        if (CanNest()) return Preformatted(p);
        break;
    case kTagUl:
    case kTagOl:
        if (CanNest()) return List(p, tag == kTagOl);
        break;
    case kTagSub: sub_ = 1; break;
    case kTagEndSub: sub_ = 0; break;
    case kTagSup: sup_ = 1; break;
    case kTagEndSup: sup_ = 0; break;
    case kTagStrike: strike_ = 1; break;
    case kTagEndStrike: strike_ = 0; break;
    case kTagInput: return Input(p);
    case kTagSelect: return Select(p);
    case kTagTextarea: return TextArea(p);
    case kTagForm: Form(p); break;
    case kTagEndForm: doc_.currentForm_ = -1; break;
    case kTagBlockquote:
        if (CanNest()) return Quotation(p);
        break;
    default: break;
    }
    return PastTagEnd(p);
}

// --- Alignment scopes -------------------------------------------------------

namespace {

bool HasAlign(char16_t* tag, CHtmlStringTable& attributes) {
    CHtmlDocument::ParseAttributes(tag, attributes);
    for (int i = 0; i < attributes.GetRowCount(); ++i)
        if (HtmlEqualNoCase(attributes.GetRow(i).Get(0), "align")) return true;
    return false;
}

// Where a div or p scope's content ends: a closing tag, or for p the next
// paragraph or rule; tables (and for div, divs) nest.
char16_t* FindScopeEnd(char16_t* content, char16_t* limit, bool isDiv, const HtmlScopeIndex& index,
                       CHtmlStringTable& attributes) {
    bool known = false;
    if (const char16_t* end = index.FindEnd(content, limit, isDiv, known)) return const_cast<char16_t*>(end);
    // Without the index (a text it was not made for) the first scan looks itself.
    int depth = 0;
    for (char16_t* q = content; !known && *q; ++q) {
        if (*q != u'<') continue;
        int tag = MatchHtmlTag(q, false);
        if (tag == kTagTable || (isDiv && tag == kTagDiv)) {
            ++depth;
        } else if (tag == kTagEndTable || (isDiv && tag == kTagEndDiv)) {
            if (depth == 0) return q;
            --depth;
        } else if (!isDiv && depth == 0 && (tag == kTagEndP || tag == kTagHr || HtmlStartsWithNoCase(q, "<p"))) {
            return q;
        }
    }
    // No end: the next scope tag with an alignment of its own ends this one.
    int counter = 0;
    for (char16_t* q = content; *q; ++q) {
        if (*q != u'<') continue;
        int tag = MatchHtmlTag(q, false);
        if (tag == kTagTable) {
            ++counter;
        } else if (tag == kTagEndTable) {
            if (counter > 0) --counter;
        } else if (counter == 0 && tag == (isDiv ? kTagDiv : kTagP)) {
            if (HasAlign(q, attributes)) return q;
            ++counter;
        }
    }
    return content + HtmlLength(content);
}

int AlignmentCode(const char16_t* value, int otherwise) {
    if (!value) return otherwise;
    if (HtmlEqualNoCase(value, "left")) return 0;
    if (HtmlEqualNoCase(value, "right")) return 1;
    if (HtmlEqualNoCase(value, "center") || HtmlEqualNoCase(value, "middle")) return 2;
    if (HtmlEqualNoCase(value, "justify")) return 3;
    return otherwise;
}

}  // namespace

char16_t* HtmlParser::Scope(char16_t* p, bool isDiv) {
    CHtmlDocument::ParseAttributes(p, attributes_);
    const char16_t* align = Attribute("align");
    int scopeAlignment = AlignmentCode(align, alignmentArg_);
    if (!align && centre_) scopeAlignment = 2;
    char16_t* content = PastTagEnd(p);
    int current = Align();
    if (scopeAlignment == current) {
        BlockBreak(isDiv ? kTagDiv : kTagP, 0);
        return content;
    }
    char16_t* end = FindScopeEnd(content, end_, isDiv, doc_.scopes_, attributes_);
    Break(scopeAlignment);
    if (!isDiv) Break(scopeAlignment);
    Nested(content, end, list_, face_, height_, colour_, scopeAlignment, noWrap_);
    Break(current);
    if (end[0] == u'<' && end[1] == u'/') return PastTagEnd(end);
    return end;
}

// --- Preformatted blocks, quotations, lists ----------------------------------

char16_t* HtmlParser::Preformatted(char16_t* p) {
    char16_t* content = PastTagEnd(p);
    char16_t* end = content;
    for (int depth = 0; *end; ++end) {
        if (*end != u'<') continue;
        if (HtmlStartsWithNoCase(end, "<pre")) ++depth;
        if (HtmlStartsWithNoCase(end, "</pre") && depth-- == 0) break;
    }
    Break(Align());
    if (HtmlBox* cell = Append(doc_.CreateCellBox(0, 0, 0, Align(), 0, -1, 0, 1, 1, 0, 0, 0, -1, 0, 0, 0, -1)))
        Nested(content, end, cell->children, u"Courier New", heightArg_, colourArg_, 0, 1);
    Break(Align());
    return SkipSpaces(PastTagEnd(end));
}

char16_t* HtmlParser::Quotation(char16_t* p) {
    char16_t* content = PastTagEnd(p);
    char16_t* end = HtmlFindNoCase(content, "</blockquote");
    if (!end) end = content + HtmlLength(content);
    Break(Align());
    if (HtmlBox* cell = Append(doc_.CreateCellBox(0, 0, 0, Align(), 0, -1, 0, 1, 1, 15, 0, 0, -1, 0, 0, -1, -1)))
        Nested(content, end, cell->children, faceArg_, heightArg_, colourArg_, alignmentArg_, noWrap_);
    Break(Align());
    lineHasWord_ = 0;
    return PastTagEnd(end);
}

char16_t* HtmlParser::List(char16_t* p, bool ordered) {
    const int open = ordered ? kTagOl : kTagUl, close = ordered ? kTagEndOl : kTagEndUl;
    Break(Align());
    char16_t* end = p + 1;
    for (int depth = 0; *end; ++end) {
        if (*end != u'<') continue;
        int tag = MatchHtmlTag(end, false);
        if (tag == open) ++depth;
        if (tag == close && depth-- == 0) break;
    }
    char16_t endSaved = *end;
    *end = 0;  // items never read past the list
    char16_t* item = PastTagEnd(p);
    while (*item && !IsTag(item, kTagLi)) ++item;
    for (int counter = 0; *item; ++counter) {
        char16_t* content = PastTagEnd(item);
        char16_t* next = content;
        for (int depth = 0; *next; ++next) {
            if (*next != u'<') continue;
            int tag = MatchHtmlTag(next, false);
            if (tag == kTagUl || tag == kTagOl) ++depth;
            if ((tag == kTagEndUl || tag == kTagEndOl) && depth > 0) --depth;
            if (tag == kTagLi && depth == 0) break;
        }
        std::u16string bullet;
        if (!ordered)
            bullet = doc_.listLevel_ % 2 == 0 ? u" l " : u" m ";
        else if (doc_.listLevel_ % 2 == 0)
            bullet = u"   " + HtmlDecimal(counter + 1) + u".    ";
        else
            bullet = u"   " + std::u16string(1, char16_t(u'a' + counter)) + u".    ";
        if (HtmlBox* cell = Append(doc_.CreateCellBox(counter, 0, 0, Align(), 0, -1, 0, 1, 1, 2, 0, 0, -1, 0, 0, 0, -1))) {
            doc_.ParseElements(bullet.data(), cell->children, ordered ? faceArg_ : u"Wingdings", heightArg_,
                               colourArg_, baseUrl_, level_ + 1, 0, 1);
        }
        ++doc_.listLevel_;
        if (HtmlBox* cell = Append(doc_.CreateCellBox(counter, 1, 0, Align(), 0, -1, 0, 1, 1, 2, 0, 0, -1, 0, 0, 0, -1)))
            Nested(content, next, cell->children, faceArg_, heightArg_, colourArg_, alignmentArg_, noWrap_);
        Break(Align());
        lineHasWord_ = 0;
        --doc_.listLevel_;
        item = next;
    }
    *end = endSaved;
    return IsTag(end, close) ? PastTagEnd(end) : end;
}

// --- Images -----------------------------------------------------------------

char16_t* HtmlParser::Image(char16_t* p) {
    CHtmlDocument::ParseAttributes(p, attributes_);
    char16_t* tagEnd = PastTagEnd(p);
    int width = 0, height = 0;
    for (const char* name : {"width", "height"}) {
        const char16_t* value = Attribute(name);
        if (!value || HtmlHasPercent(value)) continue;
        int number = HtmlClamp(HtmlToInt(value), 0, kHtmlMaxLength);
        if (number == 0) return tagEnd;  // a zero size hides the picture
        (name[0] == 'w' ? width : height) = number;
    }
    const char16_t* align = Attribute("align");
    int floatAlignment = !align ? -1 : HtmlEqualNoCase(align, "left") ? 0 : HtmlEqualNoCase(align, "right") ? 1 : -1;
    int border = HtmlClamp(HtmlToInt(Attribute("border")), 0, kHtmlMaxBorder);
    if (floatAlignment >= 0 && CanNest()) {
        Break(floatAlignment);
        HtmlBox* cell = Append(doc_.CreateCellBox(0, 0, 0, floatAlignment, 0, -1, 0, 1, 1, 4, 0, 0, -1, 0, 0, -1,
                                                  floatAlignment));
        // The nested call must see an image without alignment.
        for (char16_t* q = p; q < tagEnd; ++q)
            if (HtmlStartsWithNoCase(q, "align")) *q = u'_';
        if (cell) Nested(p, tagEnd, cell->children, faceArg_, heightArg_, colourArg_, floatAlignment, noWrap_);
        Break(Align());
        Break(Align());
        return tagEnd;
    }
    const char16_t* source = Attribute("src");
    if (!source) return tagEnd;
    char16_t url[kHtmlUrlSize];
    Resolve(source, url);
    if (HtmlBox* box = Append(doc_.CreateImageBox(url, Align(), link_, noWrap_, 0, border))) {
        box->width = width;
        box->height = height;
    }
    return tagEnd;
}

// --- Tables -----------------------------------------------------------------

char16_t* HtmlParser::MoveTo(char16_t* p, unsigned long long wanted) {
    for (; *p; ++p) {
        if (*p != u'<') continue;
        int tag = MatchHtmlTag(p, false);
        if (tag < 0) continue;
        if (wanted & HtmlTagBit(tag)) return p;
        if (tag == kTagForm) Form(p);
        if (tag == kTagEndForm) doc_.currentForm_ = -1;
    }
    return nullptr;
}

namespace {

constexpr int kHtmlMaxColumn = 4000;

// The end of a cell's content: the next cell or row tag outside nested tables.
char16_t* FindCellEnd(char16_t* p) {
    const unsigned long long ends = HtmlTagBit(kTagTd) | HtmlTagBit(kTagEndTd) | HtmlTagBit(kTagTh) |
                                    HtmlTagBit(kTagEndTh) | HtmlTagBit(kTagEndTr) | HtmlTagBit(kTagTr);
    int depth = 0;
    for (; *p; ++p) {
        if (*p != u'<') continue;
        int tag = MatchHtmlTag(p, false);
        if (tag == kTagTable) ++depth;
        else if (tag == kTagEndTable && depth > 0) --depth;
        else if (tag >= 0 && depth == 0 && (ends & HtmlTagBit(tag))) return p;
    }
    return p;
}

}  // namespace

char16_t* HtmlParser::Table(char16_t* p) {
    CHtmlDocument::ParseAttributes(p, attributes_);
    HtmlColor background = -1, borderColour = -1;
    if (const char16_t* value = Attribute("bgcolor")) background = LookupHtmlColor(value);
    if (const char16_t* value = Attribute("bordercolor")) borderColour = LookupHtmlColor(value);
    int tableWidth = 0, tableHeight = 0, border = 0, padding = 4, spacing = 4;
    if (const char16_t* value = Attribute("width"))
        tableWidth = HtmlHasPercent(value) ? -HtmlClamp(HtmlToInt(value), 0, 1000)
                                           : HtmlClamp(HtmlToInt(value), 0, kHtmlMaxLength);
    if (const char16_t* value = Attribute("height"); value && !HtmlHasPercent(value))
        tableHeight = HtmlClamp(HtmlToInt(value), 0, kHtmlMaxLength);
    if (const char16_t* value = Attribute("border")) border = HtmlClamp(HtmlToInt(value), 0, kHtmlMaxBorder);
    if (const char16_t* value = Attribute("cellpadding")) padding = HtmlClamp(HtmlToInt(value), 0, kHtmlMaxBorder);
    if (const char16_t* value = Attribute("cellspacing")) spacing = HtmlClamp(HtmlToInt(value), 0, kHtmlMaxBorder);
    int backgroundImage = -1;
    if (const char16_t* value = Attribute("background"); value && *value) {
        char16_t url[kHtmlUrlSize];
        Resolve(value, url);
        if (HtmlBox* box = doc_.CreateImageBox(url, 0, -1, 0, 1, 0)) {
            backgroundImage = box->image;
            CHtmlDocument::FreeBox(box);
        }
    }
    int savedCentre = centre_, savedAlignment = alignment_, floatAlignment = -1;
    if (const char16_t* align = Attribute("align")) {
        if (HtmlEqualNoCase(align, "center") || HtmlEqualNoCase(align, "middle")) {
            centre_ = 1;
            alignment_ = 2;
        } else if (HtmlEqualNoCase(align, "right")) {
            floatAlignment = alignment_ = 1;
        } else if (HtmlEqualNoCase(align, "left")) {
            floatAlignment = alignment_ = 0;
        }
    }
    if (HtmlBox* frame = Append(doc_.CreateBreakBox(0, 0, Align(), 0))) {
        frame->backgroundColor = background;
        frame->backgroundImage = backgroundImage;
    }

    char16_t* content = PastTagEnd(p);
    char16_t* end = content;
    for (int depth = 0; *end; ++end) {
        if (*end != u'<') continue;
        int tag = MatchHtmlTag(end, false);
        if (tag == kTagTable) ++depth;
        if (tag == kTagEndTable && depth-- == 0) break;
    }
    char16_t endSaved = *end;
    *end = 0;

    int rowAlignment = 0, row = 0;
    char16_t* q = content;
    bool ended = false;
    while (!ended) {
        q = MoveTo(q, HtmlTagBit(kTagTr) | HtmlTagBit(kTagTd) | HtmlTagBit(kTagTh));
        if (!q) break;
        int column = 0, cells = 0;
        HtmlColor rowColour = -1;
        if (IsTag(q, kTagTr)) {
            CHtmlDocument::ParseAttributes(q, attributes_);
            if (const char16_t* value = Attribute("bgcolor")) rowColour = LookupHtmlColor(value);
            if (const char16_t* value = Attribute("align"); value && !HtmlEqualNoCase(value, "left"))
                rowAlignment = AlignmentCode(value, rowAlignment);
            q = PastTagEnd(q);
        }
        for (;;) {
            char16_t* cell = MoveTo(q, HtmlTagBit(kTagTr) | HtmlTagBit(kTagEndTr) | HtmlTagBit(kTagTd) |
                                           HtmlTagBit(kTagTh));
            if (!cell) {
                ended = true;
                break;
            }
            if (IsTag(cell, kTagTr)) {
                q = cell;
                break;
            }
            if (IsTag(cell, kTagEndTr)) {
                q = PastTagEnd(cell);
                break;
            }
            bool heading = IsTag(cell, kTagTh);
            CHtmlDocument::ParseAttributes(cell, attributes_);
            char16_t* start = PastTagEnd(cell);
            if (!*start) {
                ended = true;
                break;
            }
            int alignment = heading ? 2 : rowAlignment, verticalAlignment = 0, width = 0, height = 0;
            int cellImage = -1, noWrap = 0, columnSpan = 1, rowSpan = 1;
            HtmlColor colour = rowColour;
            if (const char16_t* value = Attribute("width")) {
                int number = HtmlClamp(HtmlToInt(value), 0, kHtmlMaxLength);
                if (!HtmlHasPercent(value))
                    width = number;
                else if (tableWidth > 0)
                    width = int(static_cast<long long>(number) * tableWidth / 100 > kHtmlMaxLength
                                    ? kHtmlMaxLength
                                    : static_cast<long long>(number) * tableWidth / 100);
            }
            if (const char16_t* value = Attribute("height"); value && !HtmlHasPercent(value))
                height = HtmlClamp(HtmlToInt(value), 0, kHtmlMaxLength);
            if (const char16_t* value = Attribute("bgcolor")) colour = LookupHtmlColor(value);
            if (const char16_t* value = Attribute("colspan")) columnSpan = HtmlToInt(value);
            if (const char16_t* value = Attribute("rowspan")) rowSpan = HtmlToInt(value);
            if (const char16_t* value = Attribute("align"); value && !HtmlEqualNoCase(value, "left"))
                alignment = AlignmentCode(value, alignment);
            if (const char16_t* value = Attribute("valign")) {
                if (HtmlEqualNoCase(value, "bottom")) verticalAlignment = 1;
                if (HtmlEqualNoCase(value, "center") || HtmlEqualNoCase(value, "middle")) verticalAlignment = 2;
            }
            if (const char16_t* value = Attribute("background"); value && *value) {
                char16_t url[kHtmlUrlSize];
                Resolve(value, url);
                if (HtmlBox* box = doc_.CreateImageBox(url, 0, -1, 0, 1, 0)) {
                    cellImage = box->image;
                    CHtmlDocument::FreeBox(box);
                }
            }
            if (Attribute("nobreak") || Attribute("nowrap")) noWrap = 1;
            if (width) noWrap = 0;
            char16_t* cellEnd = FindCellEnd(start);
            HtmlBox* box = Append(doc_.CreateCellBox(row, column, width, Align(), verticalAlignment, colour, border,
                                                     columnSpan, rowSpan, padding, spacing, tableWidth, cellImage,
                                                     height, tableHeight, borderColour, floatAlignment));
            if (box) {
                Nested(SkipSpaces(start) < cellEnd ? SkipSpaces(start) : cellEnd, cellEnd, box->children,
                       faceArg_, heightArg_ + (heading ? 4 : 0), colourArg_, alignment, noWrap);
                column = HtmlClamp(column + box->columnSpan, 0, kHtmlMaxColumn);
                ++cells;
            }
            q = cellEnd;
            Progress(q);
        }
        if (cells) {
            Break(Align());
            ++row;
        }
    }
    *end = endSaved;
    centre_ = savedCentre;
    alignment_ = savedAlignment;
    Break(Align());
    Progress(end);
    return IsTag(end, kTagEndTable) ? SkipSpaces(PastTagEnd(end)) : end;
}

// --- Attributes -------------------------------------------------------------

void CHtmlDocument::ParseAttributes(const char16_t* tag, CHtmlStringTable& attributes) {
    attributes.ClearRows();
    const char16_t* end = tag;
    while (*end && *end != u'>') ++end;
    const char16_t* p = tag;
    while (p < end && *p != u' ') ++p;
    while (p < end) {
        while (p < end && *p == u' ') ++p;
        if (p >= end) break;
        const char16_t* name = p;
        while (p < end && *p != u'=' && *p != u' ') ++p;
        int row = attributes.AddRow() - 1;
        attributes.AppendToRow(row, name, int(p - name));
        if (p < end && *p == u'=') {
            ++p;
            while (p < end && *p == u' ') ++p;
            const char16_t* value = p;
            if (p < end && (*p == u'"' || *p == u'\'')) {
                char16_t quote = *p++;
                value = p;
                while (p < end && *p != quote) ++p;
                attributes.AppendToRow(row, value, int(p - value));
                if (p < end) ++p;
            } else {
                while (p < end && *p != u' ') ++p;
                attributes.AppendToRow(row, value, int(p - value));
            }
        }
    }
}
