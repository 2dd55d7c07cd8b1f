// Drawing of a laid-out page into a device context, and the fonts and
// measures of its text.
#pragma once

#include <windows.h>

#include "html_document.h"
#include "html_images_win32.h"

// Text measured in the font its box is drawn with, on a screen DC.
class CGdiMeasurer : public HtmlMeasurer {
public:
    HtmlSize MeasureText(const char16_t* face, int height, int bold, int italic, const char16_t* text,
                         int length) override;
    int ScrollArrowWidth() override { return GetSystemMetrics(SM_CXHSCROLL); }
};

HFONT CreateHtmlFont(const char16_t* face, int height, int bold, int italic, int underline, int strikeOut);

// Fills the background, tiles the page's picture and draws every box that
// meets window (client coordinates) at the scroll position.
void PaintHtmlDocument(const CHtmlDocument& document, CHtmlImageList* images, HDC dc, const RECT& window,
                       int scrollX, int scrollY);
