#include "html_painter_win32.h"

#include <string>

#include "html_string.h"

namespace {

constexpr COLORREF kNavy = 0x800000;
constexpr COLORREF kGrey = 0x808080;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = 0x0000FF;

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// Border rings, each a pixel inside the one before.
void DrawRings(HDC dc, const HtmlBox& box, RECT rect, bool hovered) {
    COLORREF first = box.borderColor == -1 ? kGrey : box.borderColor == -2 ? kWhite : COLORREF(box.borderColor);
    if (box.borderColor >= 0 && hovered) first = kRed;
    COLORREF second = box.borderColor == -1 ? kWhite : box.borderColor == -2 ? kGrey : first;
    HPEN firstPen = CreatePen(PS_SOLID, 1, first), secondPen = CreatePen(PS_SOLID, 1, second);
    HGDIOBJ old = SelectObject(dc, firstPen);
    for (int ring = 0; ring < box.borderThickness && rect.left < rect.right && rect.top < rect.bottom; ++ring) {
        SelectObject(dc, firstPen);
        if (box.borderFlags & 1) Line(dc, rect.left, rect.top, rect.left, rect.bottom);
        if (box.borderFlags & 2) Line(dc, rect.left, rect.top, rect.right, rect.top);
        SelectObject(dc, secondPen);
        if (box.borderFlags & 4) Line(dc, rect.right - 1, rect.top, rect.right - 1, rect.bottom);
        if (box.borderFlags & 8) Line(dc, rect.left, rect.bottom - 1, rect.right, rect.bottom - 1);
        if (box.borderFlags & 16) {
            int y = rect.bottom - (rect.bottom - rect.top) / 2 - 1;
            Line(dc, rect.left, y, rect.right, y);
        }
        InflateRect(&rect, -1, -1);
    }
    SelectObject(dc, old);
    DeleteObject(firstPen);
    DeleteObject(secondPen);
}

void Tile(HDC dc, const CHtmlImage& image, const RECT& area, int startX, int startY) {
    int width = image.GetWidth(), height = image.GetHeight();
    if (width <= 0 || height <= 0) return;
    for (int y = startY; y < area.bottom; y += height)
        for (int x = startX; x < area.right; x += width)
            image.DrawAt(dc, x, y, area.right - x, area.bottom - y);
}

CHtmlImage* Arrived(CHtmlImageList* images, int index) {
    CHtmlImage* image = images ? images->GetImage(index) : nullptr;
    return image && image->Decode(0) ? image : nullptr;
}

void PaintBoxes(const CHtmlDocument& document, CHtmlImageList* images, HDC dc, const RECT& window,
                const HtmlBoxList& list, int scrollX, int scrollY) {
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    for (int i = 0; i < list.count; ++i) {
        const HtmlBox& box = *list[i];
        if (box.control != -1) continue;
        RECT rect = {box.x - scrollX, box.y - scrollY, box.x - scrollX + box.width, box.y - scrollY + box.height};
        if (rect.right < window.left || rect.left > window.right || rect.bottom < window.top ||
            rect.top > window.bottom)
            continue;
        if (box.selected)
            Fill(dc, rect, kNavy);
        else if (box.backgroundColor != -1)
            Fill(dc, rect, COLORREF(box.backgroundColor));
        if (CHtmlImage* tile = Arrived(images, box.backgroundImage)) {
            if (tile->GetWidth() > 0 && tile->GetHeight() > 0) {
                HRGN clip = CreateRectRgnIndirect(&rect);
                SaveDC(dc);
                ExtSelectClipRgn(dc, clip, RGN_AND);
                Tile(dc, *tile, rect, rect.left, rect.top);
                RestoreDC(dc, -1);
                DeleteObject(clip);
            }
        }
        bool hovered = box.link >= 0 && box.link == document.HoveredLink();
        if (box.kind == kBoxImage) {
            if (CHtmlImage* picture = Arrived(images, box.image))
                picture->DrawStretched(dc, rect.left, rect.top, box.width, box.height);
        } else if (box.kind == kBoxCell) {
            PaintBoxes(document, images, dc, window, box.children, scrollX, scrollY);
        } else if (box.kind == kBoxText && box.width > 0 && box.text) {
            HFONT font = CreateHtmlFont(box.face, box.fontHeight, box.bold, box.italic, box.borderFlags == 8,
                                        (box.borderFlags & 16) != 0);
            HGDIOBJ old = SelectObject(dc, font);
            SetTextColor(dc, box.selected ? kWhite : hovered ? kRed : COLORREF(box.textColor));
            std::wstring text(box.text, box.text + HtmlLength(box.text));
            TextOutW(dc, rect.left + box.borderThickness * (box.borderFlags & 1),
                     rect.top + box.borderThickness * (box.borderFlags & 2), text.c_str(), int(text.size()));
            SelectObject(dc, old);
            DeleteObject(font);
        }
        bool fontLine = box.kind == kBoxText && (box.borderFlags == 8 || box.borderFlags == 16);
        if (box.borderFlags && box.borderThickness > 0 && !fontLine) DrawRings(dc, box, rect, hovered);
    }
}

}  // namespace

HFONT CreateHtmlFont(const char16_t* face, int height, int bold, int italic, int underline, int strikeOut) {
    std::wstring name(face, face + HtmlLength(face));
    bool symbol = HtmlEqualNoCase(face, "Wingdings");
    return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic ? TRUE : FALSE, underline ? TRUE : FALSE,
                       strikeOut ? TRUE : FALSE, symbol ? SYMBOL_CHARSET : ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name.c_str());
}

HtmlSize CGdiMeasurer::MeasureText(const char16_t* face, int height, int bold, int italic, const char16_t* text,
                                   int length) {
    HDC screen = GetDC(nullptr);
    HFONT font = CreateHtmlFont(face, height, bold, italic, 0, 0);
    HGDIOBJ old = SelectObject(screen, font);
    int n = length < 0 ? int(HtmlLength(text)) : length;
    std::wstring wide(text, text + n);
    SIZE size = {0, 0};
    GetTextExtentPoint32W(screen, wide.c_str(), n, &size);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return {int(size.cx), int(size.cy)};
}

void PaintHtmlDocument(const CHtmlDocument& document, CHtmlImageList* images, HDC dc, const RECT& window,
                       int scrollX, int scrollY) {
    if (document.BackgroundColor() != -1) Fill(dc, window, COLORREF(document.BackgroundColor()));
    CHtmlImage* background = Arrived(images, document.BackgroundImage());
    if (background && background->IsBackground() && background->GetWidth() > 0 && background->GetHeight() > 0) {
        // The first tile whose right (bottom) edge is at or past 0.
        int width = background->GetWidth(), height = background->GetHeight();
        int x = scrollX > 0 ? -(scrollX % width) : -scrollX, y = scrollY > 0 ? -(scrollY % height) : -scrollY;
        Tile(dc, *background, window, x, y);
    }
    PaintBoxes(document, images, dc, window, document.Boxes(), scrollX, scrollY);
}
