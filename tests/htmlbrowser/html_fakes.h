// Stand-ins for GDI, the pictures and the browser window, for the native
// tests and the fuzz target of the browser's portable core.
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "html_document.h"
#include "html_string.h"
#include "string_table.h"

// Every character is 8 pixels wide; a text is as high as its font.
class FixedMeasurer : public HtmlMeasurer {
public:
    static constexpr int kCharWidth = 8;
    HtmlSize MeasureText(const char16_t*, int height, int, int, const char16_t* text, int length) override {
        int n = length < 0 ? int(HtmlLength(text)) : length;
        return {n * kCharWidth, height};
    }
    int ScrollArrowWidth() override { return 17; }
};

// Pictures are known by URL; a URL with "WxH" in its name is a picture of
// that size, any other fails and shows the 60 x 40 placeholder.
class FakePictures : public HtmlPictures {
public:
    struct Picture {
        std::u16string url;
        int background;
    };
    std::vector<Picture> pictures;
    int released = 0;
    bool shutDown = false;

    int FindOrAddImage(const char16_t* url, int background) override {
        for (size_t i = 0; i < pictures.size(); ++i)
            if (pictures[i].url == url && pictures[i].background == background) return int(i);
        pictures.push_back({url, background});
        return int(pictures.size()) - 1;
    }
    int GetCount() override { return int(pictures.size()); }
    void SizeImageBox(HtmlBox& box, int) override {
        int width = 60, height = 40;
        if (box.image >= 0 && size_t(box.image) < pictures.size()) PictureSize(pictures[size_t(box.image)].url, width, height);
        HtmlScaleSize(box.width, box.height, width, height);
    }
    void ReleaseBitmaps() override { ++released; }
    void Shutdown() override { shutDown = true; }

private:
    // Pictures are at most 5000 pixels a side, however many digits a name has.
    static int Number(const std::string& digits) {
        int value = 0;
        for (char c : digits) value = std::min(value * 10 + (c - '0'), 5000);
        return value;
    }
    static void PictureSize(const std::u16string& url, int& width, int& height) {
        std::string text(url.begin(), url.end());
        size_t x = text.find('x');
        while (x != std::string::npos) {
            size_t start = x, end = x + 1;
            while (start > 0 && isdigit(static_cast<unsigned char>(text[start - 1]))) --start;
            while (end < text.size() && isdigit(static_cast<unsigned char>(text[end]))) ++end;
            if (start < x && end > x + 1) {
                width = Number(text.substr(start, x - start));
                height = Number(text.substr(x + 1, end - x - 1));
                return;
            }
            x = text.find('x', x + 1);
        }
    }
};

// Records what the document asks of its browser; controls get handles from 100 on.
class RecordingBrowser : public CHtmlBrowserBase {
public:
    struct Control {
        Control(std::string kind, int width, int height, std::u16string text, std::u16string name, int form)
            : kind(std::move(kind)), width(width), height(height), text(std::move(text)), name(std::move(name)),
              form(form) {}
        std::string kind;
        int width, height;
        std::u16string text, name;
        int form;
        int limit = 0, maxLength = 0, multiLine = 0, password = 0, selected = 0;
        std::vector<std::pair<std::u16string, std::u16string>> options;
    };
    std::vector<std::u16string> titles, navigations, hovers;
    std::vector<std::pair<std::u16string, std::u16string>> forms;
    std::vector<Control> controls;
    std::vector<std::pair<HtmlWindow, std::pair<int, int>>> placed;
    std::vector<HtmlRect> invalidated;
    int progressCalls = 0, lastPosition = -1, lastTotal = -1;
    bool failControls = false;

    int OnParseProgress(int kind, int position, int total) override {
        ++progressCalls;
        lastPosition = position;
        lastTotal = total;
        return kind;
    }
    void Navigate(const char16_t* url) override { navigations.push_back(url); }
    int OnLinkHover(int over, const char16_t* url) override {
        hovers.push_back(over ? std::u16string(url) : u"(none)");
        return 0;
    }
    int SetTitle(const char16_t* title) override {
        titles.push_back(title);
        return 1;
    }
    char16_t* FetchUrl(const char16_t*, int*) override { return nullptr; }
    uint8_t* FetchImageData(const char16_t*, int*) override { return nullptr; }
    int OnImageProgress(int, int) override { return 0; }
    int AddForm(const char16_t* action, const char16_t* method) override {
        forms.push_back({action, method});
        return int(forms.size()) - 1;
    }
    HtmlWindow CreateEditControl(int limit, int maxLength, int width, int height, const char16_t* text,
                                 int multiLine, const char16_t* name, int form, int password) override {
        Control control("edit", width, height, text, name, form);
        control.limit = limit;
        control.maxLength = maxLength;
        control.multiLine = multiLine;
        control.password = password;
        return Add(control);
    }
    HtmlWindow CreatePushButton(int width, int height, const char16_t* text, const char16_t* name, int form) override {
        return Add(Control("button", width, height, text, name, form));
    }
    HtmlWindow CreateRadioButton(int width, int height, const char16_t* value, const char16_t* name, int form) override {
        return Add(Control("radio", width, height, value, name, form));
    }
    HtmlWindow CreateCheckBox(int width, int height, const char16_t* value, const char16_t* name, int form) override {
        return Add(Control("checkbox", width, height, value, name, form));
    }
    HtmlWindow CreateComboBox(int width, int height, const CHtmlStringTable& options, int selected,
                              const char16_t* name, int form) override {
        Control control("combo", width, height, u"", name, form);
        control.selected = selected;
        for (int i = 0; i < options.GetRowCount(); ++i)
            control.options.push_back({options.GetRow(i).Get(0), options.GetRow(i).Get(1)});
        return Add(control);
    }
    int PlaceControl(HtmlWindow control, int x, int y) override {
        placed.push_back({control, {x, y}});
        return 1;
    }
    int InvalidateBox(const HtmlRect* rect) override {
        invalidated.push_back(*rect);
        return 1;
    }

private:
    HtmlWindow Add(const Control& control) {
        if (failControls) return 0;
        controls.push_back(control);
        return HtmlWindow(99 + controls.size());
    }
};

// A document with its fakes.
struct TestPage {
    FixedMeasurer measurer;
    FakePictures pictures;
    RecordingBrowser browser;
    CHtmlDocument document{&browser, 0, measurer, &pictures};

    void Load(const std::u16string& text, const std::u16string& base = u"http://host/dir/page.htm",
              int height = 15) {
        document.Load(text.c_str(), u"Arial", height, 0, base.c_str());
    }
    // Lays the page out in a window of this width; gives the content's size.
    HtmlRect Layout(int width) {
        HtmlRect rect{0, 0, width, 400};
        document.Layout(rect);
        return rect;
    }
};

// The boxes as text: words as they stand, "|" a break, "{...}" a cell with
// its children, "#" a picture.
inline std::u16string Sketch(const HtmlBoxList& list) {
    std::u16string out;
    for (int i = 0; i < list.count; ++i) {
        const HtmlBox* box = list[i];
        switch (box->kind) {
        case kBoxText: out += box->text; break;
        case kBoxBreak: out += u"|"; break;
        case kBoxImage: out += u"#"; break;
        case kBoxCell: out += u"{" + Sketch(box->children) + u"}"; break;
        default: out += u"?"; break;
        }
    }
    return out;
}

// Every box, depth first, parents before their children.
inline void Flatten(const HtmlBoxList& list, std::vector<HtmlBox*>& out) {
    for (int i = 0; i < list.count; ++i) {
        out.push_back(list[i]);
        Flatten(list[i]->children, out);
    }
}

inline std::string Narrow(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) out += c < 128 ? char(c) : '?';
    return out;
}

// The sketch of a page loaded on its own, as readable text.
inline std::string SketchOfPage(const std::u16string& text, const std::u16string& base = u"http://host/dir/page.htm") {
    TestPage page;
    page.Load(text, base);
    return Narrow(Sketch(page.document.Boxes()));
}
