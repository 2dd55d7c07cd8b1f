#include "html_document.h"

#include <cstdlib>
#include <new>

#include "html_string.h"
#include "html_tags.h"
#include "html_text.h"

CHtmlDocument::CHtmlDocument(CHtmlBrowserBase* browser, int decodeWait, HtmlMeasurer& measurer,
                             HtmlPictures* pictures)
    : browser_(browser), pictures_(pictures), measurer_(measurer), decodeWait_(decodeWait) {}

CHtmlDocument::~CHtmlDocument() { Shutdown(); }

void CHtmlDocument::Shutdown() {
    FreeBoxes(boxes_);
    links_.Destroy();
    if (pictures_) pictures_->Shutdown();
    faces_.clear();
}

const char16_t* CHtmlDocument::KeepFace(const char16_t* face) {
    for (const std::u16string& kept : faces_)
        if (kept.c_str() == face) return face;
    std::u16string name;
    for (const char16_t* p = face ? face : u""; *p && *p != u',' && name.size() < 99; ++p) name += *p;
    for (const std::u16string& kept : faces_)
        if (kept == name) return kept.c_str();
    faces_.push_back(name);
    return faces_.back().c_str();
}

// --- Load -------------------------------------------------------------------

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// Position just past the first '>' at or after p, or the end.
const char16_t* PastTagEnd(const char16_t* p) {
    while (*p && *p != u'>') ++p;
    return *p ? p + 1 : p;
}

// Position past the '>' of the first needle at or after p, or the end.
const char16_t* SkipPast(const char16_t* p, const char* needle) {
    const char16_t* found = HtmlFindNoCase(p, needle);
    if (!found) return p + HtmlLength(p);
    return PastTagEnd(found);
}

bool EndsWithTxt(const char16_t* url) {
    const char16_t* dot = nullptr;
    for (const char16_t* p = url; p && *p; ++p)
        if (*p == u'.') dot = p;
    return dot && HtmlEqualNoCase(dot + 1, "txt");
}

}  // namespace

void CHtmlDocument::Load(const char16_t* text, const char16_t* face, int height, HtmlColor colour,
                         const char16_t* baseUrl) {
    busy_ = 1;
    backgroundColor_ = 0xFFFFFF;
    backgroundImage_ = -1;
    boxesMade_ = 0;
    deepestLevel_ = 0;
    currentForm_ = -1;
    hoveredLink_ = -1;
    listLevel_ = 0;
    links_.ClearRows();
    FreeBoxes(boxes_);
    faces_.clear();
    if (pictures_) pictures_->ReleaseBitmaps();
    if (!baseUrl) baseUrl = u"";

    char16_t* copy = HtmlCopy(text ? text : u"");
    if (!copy) {
        busy_ = 0;
        return;
    }
    int noWrap = 0;
    if (EndsWithTxt(baseUrl)) {
        face = u"Courier New";
        noWrap = 1;
    }
    FilterText(copy, noWrap, baseUrl);
    int length = int(HtmlLength(copy));
    scopes_.Build(copy);
    ParseElements(copy, boxes_, KeepFace(face), height, colour, baseUrl, 0, 0, noWrap);
    scopes_.Clear();
    std::free(copy);
    if (browser_) browser_->OnParseProgress(0, length, length);
    busy_ = 0;
}

void CHtmlDocument::FilterText(char16_t* text, int preDepth, const char16_t* baseUrl) {
    const char16_t* read = text;
    char16_t* write = text;
    bool inUnknownTag = false;
    bool noStyleEnd = false;  // once none is found, none lies further on
    CHtmlStringTable attributes;
    while (*read) {
        if (inUnknownTag) {
            inUnknownTag = *read++ != u'>';
            continue;
        }
        if (*read == u'<') {
            if (HtmlStartsWithNoCase(read, "<script")) {
                read = SkipPast(read, "</script");
                continue;
            }
            if (HtmlStartsWithNoCase(read, "<!--")) {
                const char16_t* end = HtmlFindNoCase(read + 4, "-->");
                read = end ? PastTagEnd(end) : read + HtmlLength(read);
                continue;
            }
            if (HtmlStartsWithNoCase(read, "<title")) {
                const char16_t* start = read;
                for (int k = 0; k < 7 && *start; ++k) ++start;
                while (IsBlank(*start)) ++start;
                const char16_t* end = HtmlFindNoCase(start, "</title>");
                size_t length = end ? size_t(end - start) : HtmlLength(start);
                while (length > 0 && IsBlank(start[length - 1])) --length;
                if (char16_t* title = HtmlCopy(start, int(length))) {
                    RepairUtf8Text(DecodeHtmlEntities(title));
                    if (browser_) browser_->SetTitle(title);
                    std::free(title);
                }
                read = SkipPast(start, "</title");
                continue;
            }
            if (HtmlStartsWithNoCase(read, "<style")) {
                const char16_t* end = noStyleEnd ? nullptr : HtmlFindNoCase(read, "</style");
                noStyleEnd = !end;
                read = end ? PastTagEnd(end) : PastTagEnd(read);
                continue;
            }
            if (HtmlStartsWithNoCase(read, "<body")) {
                ParseAttributes(read, attributes);
                for (int i = 0; i < attributes.GetRowCount(); ++i) {
                    const CHtmlStringList& row = attributes.GetRow(i);
                    if (HtmlEqualNoCase(row.Get(0), "bgcolor")) {
                        backgroundColor_ = LookupHtmlColor(row.Get(1));
                    } else if (HtmlEqualNoCase(row.Get(0), "background") && *row.Get(1)) {
                        char16_t url[kHtmlUrlSize];
                        ResolveUrl(row.Get(1), url, baseUrl);
                        if (HtmlBox* box = CreateImageBox(url, 0, -1, 0, 1, 0)) {
                            backgroundImage_ = box->image;
                            FreeBox(box);
                        }
                    }
                }
                inUnknownTag = true;
                continue;
            }
            int tag = MatchHtmlTag(read, true);
            if (tag == kTagPre) ++preDepth;
            if (tag == kTagEndPre && preDepth > 0) --preDepth;
            if (tag < 0) {
                inUnknownTag = true;
                continue;
            }
        }
        char16_t c = *read++;
        if (preDepth == 0 && IsBlank(c)) {
            if (write > text && write[-1] == u' ') continue;
            c = u' ';
        }
        *write++ = c;
    }
    *write = 0;
}

void HtmlScaleSize(int& width, int& height, int pictureWidth, int pictureHeight) {
    if (width && !height && pictureWidth)
        height = int(static_cast<long long>(width) * pictureHeight / pictureWidth);
    else if (!width && height && pictureHeight)
        width = int(static_cast<long long>(height) * pictureWidth / pictureHeight);
    if (!width) width = pictureWidth;
    if (!height) height = pictureHeight;
}

// --- Boxes ------------------------------------------------------------------

namespace {

HtmlBox* NewBox() { return new (std::nothrow) HtmlBox(); }

}  // namespace

HtmlSize CHtmlDocument::MeasureText(const char16_t* face, int height, int bold, int italic, const char16_t* text,
                                    int length) {
    return measurer_.MeasureText(face, height, bold, italic, text, length);
}

HtmlBox* CHtmlDocument::CreateTextBox(const char16_t* text, int borderFlags, int thickness, HtmlColor borderColor,
                                      const char16_t* face, int height, int bold, int italic,
                                      HtmlColor textColor, HtmlColor background, int alignment,
                                      int verticalAlignment, int link, int noWrap) {
    HtmlBox* box = NewBox();
    if (!box) return nullptr;
    box->kind = kBoxText;
    box->borderFlags = borderFlags;
    box->borderThickness = thickness;
    box->borderColor = borderColor;
    box->face = KeepFace(face);
    box->fontHeight = height;
    box->bold = bold;
    box->italic = italic;
    box->textColor = textColor;
    box->backgroundColor = background;
    box->alignment = alignment;
    box->verticalAlignment = verticalAlignment;
    box->link = link;
    box->noWrap = noWrap;
    box->text = HtmlCopy(text ? text : u"");
    if (!box->text) {
        delete box;
        return nullptr;
    }
    RepairUtf8Text(DecodeHtmlEntities(box->text));
    HtmlSize size = MeasureText(box->face, height, bold, italic, box->text, -1);
    box->width = size.width;
    box->height = size.height;
    return box;
}

HtmlBox* CHtmlDocument::CreateImageBox(const char16_t* url, int alignment, int link, int noWrap, int background,
                                       int border) {
    HtmlBox* box = NewBox();
    if (!box) return nullptr;
    box->kind = kBoxImage;
    box->alignment = alignment;
    box->link = link;
    box->noWrap = noWrap;
    box->image = pictures_ ? pictures_->FindOrAddImage(url, background) : -1;
    if (border) {
        box->borderFlags = 15;
        box->borderThickness = border;
    }
    return box;
}

HtmlBox* CHtmlDocument::CreateBreakBox(int height, int width, int alignment, int clear) {
    HtmlBox* box = NewBox();
    if (!box) return nullptr;
    box->kind = kBoxBreak;
    box->height = height;
    box->width = width;
    box->alignment = alignment;
    box->clear = clear;
    box->borderThickness = 1;
    box->borderColor = -1;
    if (width) box->borderFlags = 15;
    return box;
}

HtmlBox* CHtmlDocument::CreateCellBox(int row, int column, int width, int alignment, int verticalAlignment,
                                      HtmlColor background, int tableBorder, int columnSpan, int rowSpan,
                                      int padding, int spacing, int tableWidth, int backgroundImage,
                                      int cellHeight, int tableHeight, HtmlColor borderColor,
                                      int floatAlignment) {
    HtmlBox* box = NewBox();
    if (!box) return nullptr;
    box->kind = kBoxCell;
    box->row = row;
    box->column = column;
    box->cellWidth = width;
    box->alignment = alignment;
    box->verticalAlignment = verticalAlignment;
    box->backgroundColor = background;
    box->tableBorder = tableBorder;
    if (tableBorder) {
        box->borderFlags = 15;
        box->borderThickness = 1;
    }
    box->columnSpan = columnSpan < 1 ? 1 : columnSpan > 1000 ? 1000 : columnSpan;
    box->rowSpan = rowSpan < 1 ? 1 : rowSpan > 1000 ? 1000 : rowSpan;
    box->cellPadding = padding + (tableBorder ? 1 : 0);
    box->cellSpacing = spacing;
    box->tableWidth = tableWidth;
    box->backgroundImage = backgroundImage;
    box->cellHeight = cellHeight;
    box->tableHeight = tableHeight;
    box->borderColor = borderColor;
    box->floatAlignment = floatAlignment;
    return box;
}

void CHtmlDocument::MoveBox(HtmlBox* box, int dx, int dy) {
    for (int i = 0; i < box->children.count; ++i) {
        HtmlBox* child = box->children[i];
        child->x += dx;
        child->y += dy;
        MoveBox(child, dx, dy);
    }
}

bool CHtmlDocument::AppendSlot(HtmlBoxList& list, HtmlBox* box) {
    if (!box) return false;
    if (list.count == list.capacity) {
        int capacity = list.capacity ? list.capacity * 2 : 8;
        auto* grown = static_cast<HtmlBox**>(std::realloc(list.boxes, size_t(capacity) * sizeof(HtmlBox*)));
        if (!grown) {
            FreeBox(box);
            return false;
        }
        list.boxes = grown;
        list.capacity = capacity;
    }
    list.boxes[list.count++] = box;
    ++boxesMade_;
    return true;
}

void CHtmlDocument::FreeBox(HtmlBox* box) {
    if (!box) return;
    FreeBoxes(box->children);
    std::free(box->text);
    delete box;
}

void CHtmlDocument::FreeBoxes(HtmlBoxList& list) {
    for (int i = 0; i < list.count; ++i) FreeBox(list.boxes[i]);
    std::free(list.boxes);
    list = HtmlBoxList();
}

// --- Links, selection, repaints -----------------------------------------------

int CHtmlDocument::FindOrAddLink(const char16_t* url) {
    if (links_.GetRowCount() == 0) links_.AddRow();
    const CHtmlStringList& row = links_.GetRow(0);
    int count = row.GetCount();
    for (int i = 0; i < count; ++i)
        if (HtmlEqualNoCase(row.Get(i), url)) return i;
    links_.AppendToRow(0, url, -1);
    return links_.GetRow(0).GetCount() > count ? count : -1;
}

int CHtmlDocument::HitTest(const HtmlBoxList& list, int x, int y, bool click) {
    for (int i = 0; i < list.count; ++i) {
        HtmlBox* box = list[i];
        if (box->kind == kBoxCell && HitTest(box->children, x, y, click)) return 1;
        if (box->link < 0) continue;
        if (x < box->x || y < box->y || x >= box->x + box->width || y >= box->y + box->height) continue;
        hoveredLink_ = box->link;
        // The URL is copied: navigating loads a page, which frees the link list.
        std::u16string url = links_.GetRow(0).Get(box->link);
        if (click)
            browser_->Navigate(url.c_str());
        else
            browser_->OnLinkHover(1, url.c_str());
        return 1;
    }
    return 0;
}

int CHtmlDocument::OnMouseMove(int x, int y) {
    if (!browser_) return 0;
    if (HitTest(boxes_, x, y, false)) return 1;
    hoveredLink_ = -1;
    browser_->OnLinkHover(0, u"");
    return 0;
}

int CHtmlDocument::OnClick(int x, int y) {
    if (!browser_) return 0;
    if (HitTest(boxes_, x, y, true)) return 1;
    hoveredLink_ = -1;
    return 0;
}

void CHtmlDocument::SelectBoxes(HtmlBoxList& list, const HtmlRect& r) {
    for (int i = 0; i < list.count; ++i) {
        HtmlBox* box = list[i];
        if (box->kind == kBoxCell) SelectBoxes(box->children, r);
        bool frame = box->kind == kBoxBreak && i + 1 < list.count && list[i + 1]->kind == kBoxCell;
        if ((box->kind != kBoxText && box->kind != kBoxBreak) || frame) continue;
        long long x = box->x, y = box->y, w = box->width, h = box->height;
        bool hit = (r.top < y && y <= r.bottom && x < r.right) ||
                   (r.top < y + h && y + h <= r.bottom && r.left < x) ||
                   (x <= r.right && x + w >= r.left && y <= r.bottom && y + h >= r.top);
        box->selected = hit ? 1 : 0;
    }
}

void CHtmlDocument::SetSelection(const HtmlRect& rect) { SelectBoxes(boxes_, rect); }

void CHtmlDocument::GetCounts(int* boxesMade, int* images, int* links, int* deepestLevel) const {
    if (boxesMade) *boxesMade = boxesMade_;
    if (images) *images = pictures_ ? pictures_->GetCount() : 0;
    if (links) *links = links_.GetRow(0).GetCount();
    if (deepestLevel) *deepestLevel = deepestLevel_;
}

void CHtmlDocument::InvalidateMatching(const HtmlBoxList& list, int link, int image) {
    for (int i = 0; i < list.count; ++i) {
        HtmlBox* box = list[i];
        if ((link >= 0 && box->link == link) || (image >= 0 && box->kind == kBoxImage && box->image == image)) {
            HtmlRect rect{box->x, box->y, box->x + box->width, box->y + box->height};
            browser_->InvalidateBox(&rect);
        }
        InvalidateMatching(box->children, link, image);
    }
}

void CHtmlDocument::InvalidateLink(const char16_t* url) {
    if (!browser_ || !url) return;
    const CHtmlStringList& row = links_.GetRow(0);
    for (int i = 0; i < row.GetCount(); ++i) {
        const char16_t* known = row.Get(i);
        size_t k = 0;
        while (known[k] && known[k] == url[k]) ++k;
        if (known[k] == url[k]) return InvalidateMatching(boxes_, i, -1);
    }
}

void CHtmlDocument::InvalidateImage(int index) {
    if (browser_ && index >= 0) InvalidateMatching(boxes_, -1, index);
}
