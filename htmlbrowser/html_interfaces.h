// What the portable core asks of the world outside it: the browser that
// owns the document, the measuring of text and the page's pictures.
#pragma once

#include <cstdint>

#include "html_types.h"

class CHtmlStringTable;
struct HtmlBox;

// The browser's callbacks, in their fixed slot order. Texts and bytes that
// the fetches return are allocated with malloc and freed by the caller.
class CHtmlBrowserBase {
public:
    virtual int OnParseProgress(int kind, int position, int total) = 0;
    virtual void Navigate(const char16_t* url) = 0;
    virtual int OnLinkHover(int over, const char16_t* url) = 0;
    virtual int SetTitle(const char16_t* title) = 0;
    virtual char16_t* FetchUrl(const char16_t* url, int* length) = 0;
    virtual uint8_t* FetchImageData(const char16_t* url, int* length) = 0;
    virtual int OnImageProgress(int loaded, int total) = 0;
    virtual int AddForm(const char16_t* action, const char16_t* method) = 0;
    virtual HtmlWindow CreateEditControl(int limit, int maxLength, int width, int height, const char16_t* text,
                                         int multiLine, const char16_t* name, int form, int password) = 0;
    virtual HtmlWindow CreatePushButton(int width, int height, const char16_t* text, const char16_t* name,
                                        int form) = 0;
    virtual HtmlWindow CreateRadioButton(int width, int height, const char16_t* value, const char16_t* name,
                                         int form) = 0;
    virtual HtmlWindow CreateCheckBox(int width, int height, const char16_t* value, const char16_t* name,
                                      int form) = 0;
    // options: one row per option, its text and its value.
    virtual HtmlWindow CreateComboBox(int width, int height, const CHtmlStringTable& options, int selected,
                                      const char16_t* name, int form) = 0;
    virtual int PlaceControl(HtmlWindow control, int x, int y) = 0;
    virtual int InvalidateBox(const HtmlRect* rect) = 0;

protected:
    ~CHtmlBrowserBase() = default;
};

// Text sizes in the font a box will be drawn with (GDI on Windows).
class HtmlMeasurer {
public:
    // length -1: the whole text.
    virtual HtmlSize MeasureText(const char16_t* face, int height, int bold, int italic, const char16_t* text,
                                 int length) = 0;
    // Width of a horizontal scroll bar's arrow: drop-down lists are that much wider.
    virtual int ScrollArrowWidth() = 0;

protected:
    ~HtmlMeasurer() = default;
};

// The page's pictures, keyed by URL and background flag and kept across
// loads (on Windows the image list with its loader threads).
class HtmlPictures {
public:
    // The index of the picture, added (and its fetch started) when new; -1 when it cannot be added.
    virtual int FindOrAddImage(const char16_t* url, int background) = 0;
    virtual int GetCount() = 0;
    // Decodes the box's picture (waiting for its bytes only when wait is set)
    // and fills the box's missing width or height from it.
    virtual void SizeImageBox(HtmlBox& box, int wait) = 0;
    // Drops every decoded picture; fetched bytes stay for the next page.
    virtual void ReleaseBitmaps() = 0;
    // Ends all fetching and frees the pictures.
    virtual void Shutdown() = 0;

protected:
    ~HtmlPictures() = default;
};
