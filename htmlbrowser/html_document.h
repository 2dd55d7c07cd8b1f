// One page of the browser: its boxes, links, background and selection.
// Load filters the page text and runs the tag interpreter; Layout places
// the boxes; the Windows side paints them.
#pragma once

#include <deque>
#include <string>

#include "html_interfaces.h"
#include "html_types.h"
#include "scope_index.h"
#include "string_table.h"

enum HtmlBoxKind { kBoxNone = -1, kBoxText = 0, kBoxImage = 1, kBoxBreak = 2, kBoxCell = 3 };

// Fills a missing width or height from a picture's size, keeping its
// proportions; what is still missing becomes the picture's own size.
void HtmlScaleSize(int& width, int& height, int pictureWidth, int pictureHeight);

// Regions nested deeper than this are not nested further: their tags are
// read as plain tags and their text stays.
constexpr int kHtmlMaxLevel = 40;

struct HtmlBox;

// An owned array of owned boxes; a null slot is never stored.
struct HtmlBoxList {
    HtmlBox** boxes = nullptr;
    int count = 0;
    int capacity = 0;

    HtmlBox* operator[](int index) const { return boxes[index]; }
};

struct HtmlBox {
    int kind = kBoxNone;
    int width = 0, height = 0;
    int x = 0, y = 0;
    // Bits: 1 left, 2 top, 4 right, 8 bottom, 16 a line through the middle.
    // On a text box 8 alone is an underline and 16 alone a strike-out.
    int borderFlags = 0;
    int borderThickness = 0;
    // -1 grey top and left, white bottom and right; -2 the reverse.
    HtmlColor borderColor = 0;
    const char16_t* face = u"";  // held by the document's face pool
    int fontHeight = 0;
    int bold = 0, italic = 0;
    HtmlColor textColor = 0;
    HtmlColor backgroundColor = -1;
    int alignment = 0;          // 0 left, 1 right, 2 centre, 3 justify
    int verticalAlignment = 0;  // cells: 0 top, 1 bottom, 2 middle
    char16_t* text = nullptr;   // owned
    int image = -1;
    int backgroundImage = -1;
    int row = 0, column = 0;
    int columnSpan = 0, rowSpan = 0;
    int cellWidth = 0;
    int tableWidth = 0;  // negative: a percentage of the available width
    int tableBorder = 0;
    int cellHeight = 0;
    int tableHeight = 0;
    int cellPadding = 0;
    int cellSpacing = 0;
    int link = -1;
    int layoutCache[4] = {-1, -1, -1, -1};
    int selected = 0;
    int noWrap = 0;
    HtmlWindow control = -1;
    int floatAlignment = -1;  // 0 left, 1 right
    int clear = 0;
    HtmlBoxList children;

    bool IsSpace() const { return kind == kBoxText && text && text[0] == u' ' && text[1] == 0; }
};

class CHtmlDocument {
public:
    CHtmlDocument(CHtmlBrowserBase* browser, int decodeWait, HtmlMeasurer& measurer, HtmlPictures* pictures);
    ~CHtmlDocument();
    CHtmlDocument(const CHtmlDocument&) = delete;
    CHtmlDocument& operator=(const CHtmlDocument&) = delete;

    void Load(const char16_t* text, const char16_t* face, int height, HtmlColor colour, const char16_t* baseUrl);
    // Lays out in rect's width less 2; rect comes back as the content's extent.
    void Layout(HtmlRect& rect);
    int OnMouseMove(int x, int y);
    int OnClick(int x, int y);
    void SetSelection(const HtmlRect& rect);
    void GetCounts(int* boxesMade, int* images, int* links, int* deepestLevel) const;
    void InvalidateLink(const char16_t* url);
    void InvalidateImage(int index);
    int IsBusy() const { return busy_; }
    void Shutdown();

    // Box constructors: a new box, or null when memory is exhausted.
    HtmlBox* CreateTextBox(const char16_t* text, int borderFlags, int thickness, HtmlColor borderColor,
                           const char16_t* face, int height, int bold, int italic, HtmlColor textColor,
                           HtmlColor background, int alignment, int verticalAlignment, int link, int noWrap);
    HtmlBox* CreateImageBox(const char16_t* url, int alignment, int link, int noWrap, int background, int border);
    HtmlBox* CreateBreakBox(int height, int width, int alignment, int clear);
    HtmlBox* CreateCellBox(int row, int column, int width, int alignment, int verticalAlignment,
                           HtmlColor background, int tableBorder, int columnSpan, int rowSpan, int padding,
                           int spacing, int tableWidth, int backgroundImage, int cellHeight, int tableHeight,
                           HtmlColor borderColor, int floatAlignment);
    // Moves every descendant of box (not the box itself).
    static void MoveBox(HtmlBox* box, int dx, int dy);
    HtmlSize MeasureText(const char16_t* face, int height, int bold, int italic, const char16_t* text, int length);
    // Appends box and counts it as made; when the list cannot grow the box
    // is freed and dropped, the list stays as it was (false).
    bool AppendSlot(HtmlBoxList& list, HtmlBox* box);
    static void FreeBox(HtmlBox* box);
    static void FreeBoxes(HtmlBoxList& list);

    // The tag interpreter. text is changed while it runs and restored.
    void ParseElements(char16_t* text, HtmlBoxList& list, const char16_t* face, int height, HtmlColor colour,
                       const char16_t* baseUrl, int level, int alignment, int noWrap);
    // One row (name, value) per attribute of the tag starting at tag's '<'.
    static void ParseAttributes(const char16_t* tag, CHtmlStringTable& attributes);

    void LayoutBoxes(HtmlRect& rect, HtmlBoxList& list);
    void ResetLayoutCache(HtmlBoxList& list);

    const HtmlBoxList& Boxes() const { return boxes_; }
    HtmlBoxList& Boxes() { return boxes_; }
    HtmlColor BackgroundColor() const { return backgroundColor_; }
    int BackgroundImage() const { return backgroundImage_; }
    int HoveredLink() const { return hoveredLink_; }
    const CHtmlStringTable& Links() const { return links_; }
    HtmlPictures* Pictures() const { return pictures_; }
    // A face text kept as long as the boxes that name it (cut at its first ',' and at 99 characters).
    const char16_t* KeepFace(const char16_t* face);

private:
    struct ParseState;
    friend struct HtmlParser;
    friend class HtmlLayout;

    int HitTest(const HtmlBoxList& list, int x, int y, bool click);
    void SelectBoxes(HtmlBoxList& list, const HtmlRect& rect);
    void InvalidateMatching(const HtmlBoxList& list, int link, int image);
    void FilterText(char16_t* text, int preDepth, const char16_t* baseUrl);
    int FindOrAddLink(const char16_t* url);

    int boxesMade_ = 0;
    int deepestLevel_ = 0;
    HtmlBoxList boxes_;
    CHtmlBrowserBase* browser_;
    HtmlPictures* pictures_;
    HtmlMeasurer& measurer_;
    CHtmlStringTable links_;
    HtmlColor backgroundColor_ = -1;
    int backgroundImage_ = -1;
    int hoveredLink_ = -1;
    int listLevel_ = 0;
    int currentForm_ = -1;
    int busy_ = 0;
    int decodeWait_ = 0;
    std::deque<std::u16string> faces_;
    HtmlScopeIndex scopes_;
};
