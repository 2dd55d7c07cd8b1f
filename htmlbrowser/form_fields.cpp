// The boxes of form fields; their windows come from the browser.
#include <cstdlib>
#include <string>

#include "html_parser.h"
#include "html_string.h"
#include "html_text.h"

namespace {

constexpr const char16_t* kFieldFace = u"MS Sans serif";
constexpr int kFieldHeight = 15;
constexpr HtmlColor kWhite = 0xFFFFFF;
constexpr HtmlColor kSilver = 0xC0C0C0;

char16_t* PastTagEnd(char16_t* p) {
    while (*p && *p != u'>') ++p;
    return *p ? p + 1 : p;
}

// The box shows the value, decoded as page text is.
void SetBoxText(HtmlBox* box, const char16_t* text) {
    char16_t* copy = HtmlCopy(text ? text : u"");
    if (!copy) return;
    std::free(box->text);
    box->text = RepairUtf8Text(DecodeHtmlEntities(copy));
}

void Adopt(HtmlBox* box, HtmlWindow control) {
    if (box && control != 0 && control != -1) box->control = control;
}

}  // namespace

char16_t* HtmlParser::Input(char16_t* p) {
    CHtmlDocument::ParseAttributes(p, attributes_);
    char16_t* next = PastTagEnd(p);
    auto text = [&](const char* name) {
        const char16_t* value = Attribute(name);
        return std::u16string(value ? value : u"");
    };
    std::u16string type = attributes_.GetRowCount() && Attribute("type") ? text("type") : u"text";
    int size = Attribute("size") ? HtmlClamp(HtmlToInt(Attribute("size")), 0, 1000) : 10;
    int maxLength = HtmlClamp(HtmlToInt(Attribute("maxlength")), 0, 1 << 30);
    std::u16string value = text("value"), name = text("name");
    int form = doc_.currentForm_;
    CHtmlBrowserBase* browser = doc_.browser_;
    const char16_t* typeText = type.c_str();

    if (HtmlEqualNoCase(typeText, "text") || HtmlEqualNoCase(typeText, "password")) {
        std::u16string zeros(size_t(size), u'0');
        HtmlBox* box = Append(doc_.CreateTextBox(zeros.c_str(), 15, 2, -1, kFieldFace, kFieldHeight, 0, 0, 0, kWhite,
                                                 Align(), 0, -1, noWrap_));
        if (!box) return next;
        box->width += 8;
        box->height += 4;
        SetBoxText(box, value.c_str());
        if (browser)
            Adopt(box, browser->CreateEditControl(size, maxLength, box->width, box->height, box->text, 0,
                                                  name.c_str(), form, HtmlEqualNoCase(typeText, "password")));
    } else if (HtmlEqualNoCase(typeText, "button") || HtmlEqualNoCase(typeText, "submit")) {
        HtmlBox* box = Append(doc_.CreateTextBox(value.c_str(), 15, 2, -2, kFieldFace, kFieldHeight, 0, 0, 0,
                                                 kSilver, Align(), 0, -1, noWrap_));
        if (!box) return next;
        box->width += 8;
        box->height += 4;
        if (browser)
            Adopt(box, browser->CreatePushButton(box->width, box->height, box->text, name.c_str(), form));
    } else if (HtmlEqualNoCase(typeText, "radio") || HtmlEqualNoCase(typeText, "checkbox")) {
        HtmlBox* box = Append(doc_.CreateTextBox(u"    ", 15, 2, -1, face_, height_, 0, 0, 0, kWhite, Align(), 0,
                                                 -1, noWrap_));
        if (!box) return next;
        box->width = 13;
        box->height = 13;
        if (browser) {
            bool radio = HtmlEqualNoCase(typeText, "radio");
            Adopt(box, radio ? browser->CreateRadioButton(13, 13, value.c_str(), name.c_str(), form)
                             : browser->CreateCheckBox(13, 13, value.c_str(), name.c_str(), form));
        }
    } else if (HtmlEqualNoCase(typeText, "hidden")) {
        HtmlBox* box = Append(doc_.CreateTextBox(value.c_str(), 0, 0, 0, face_, height_, 0, 0, 0, -1, Align(), 0, -1,
                                                 noWrap_));
        if (!box) return next;
        box->width = 0;
        box->height = 0;
        if (browser) Adopt(box, browser->CreateEditControl(size, 0, 0, 0, box->text, 0, name.c_str(), form, 0));
    } else if (HtmlEqualNoCase(typeText, "image")) {
        char16_t url[kHtmlUrlSize];
        Resolve(text("src").c_str(), url);
        std::u16string submit = u"Submit(" + HtmlDecimal(form) + u")";
        int link = doc_.FindOrAddLink(submit.c_str());
        if (HtmlBox* box = Append(doc_.CreateImageBox(url, Align(), link, noWrap_, 0, 0))) {
            box->width = HtmlClamp(HtmlToInt(Attribute("width")), 0, kHtmlMaxLength);
            box->height = HtmlClamp(HtmlToInt(Attribute("height")), 0, kHtmlMaxLength);
        }
    }
    return next;
}

char16_t* HtmlParser::Select(char16_t* p) {
    CHtmlDocument::ParseAttributes(p, attributes_);
    std::u16string name = Attribute("name") ? Attribute("name") : u"";
    char16_t* content = PastTagEnd(p);
    char16_t* end = HtmlFindNoCase(content, "</select");
    if (!end) end = content + HtmlLength(content);
    char16_t endSaved = *end;
    *end = 0;

    CHtmlStringTable options;
    int selected = 0, widest = 0;
    CHtmlStringTable optionAttributes;
    for (char16_t* q = content; *q; ++q) {
        if (*q != u'<' || MatchHtmlTag(q, false) != kTagOption) continue;
        CHtmlDocument::ParseAttributes(q, optionAttributes);
        const char16_t* value = u"";
        bool isSelected = false;
        for (int i = 0; i < optionAttributes.GetRowCount(); ++i) {
            const CHtmlStringList& row = optionAttributes.GetRow(i);
            if (HtmlEqualNoCase(row.Get(0), "value")) value = row.Get(1);
            if (HtmlEqualNoCase(row.Get(0), "selected")) isSelected = true;
        }
        char16_t* start = PastTagEnd(q);
        char16_t* stop = start;
        while (*stop && !(*stop == u'<' && MatchHtmlTag(stop, false) == kTagOption)) ++stop;
        char16_t* label = HtmlCopy(start, int(stop - start));
        if (!label) break;
        RepairUtf8Text(DecodeHtmlEntities(label));
        int row = options.AddRow() - 1;
        options.AppendToRow(row, label, -1);
        options.AppendToRow(row, value, -1);
        if (isSelected) selected = row;
        HtmlSize size = doc_.MeasureText(kFieldFace, kFieldHeight, 0, 0, label, -1);
        if (size.width > widest) widest = size.width;
        std::free(label);
        q = stop - 1;
    }
    *end = endSaved;

    HtmlBox* box = Append(doc_.CreateTextBox(options.GetRow(0).Get(0), 15, 2, -1, kFieldFace, kFieldHeight, 0, 0,
                                             0, kWhite, Align(), 0, -1, noWrap_));
    if (box) {
        box->width = doc_.measurer_.ScrollArrowWidth() + widest + 8;
        box->height += 4;
        if (doc_.browser_)
            Adopt(box, doc_.browser_->CreateComboBox(box->width, box->height, options, selected, name.c_str(),
                                                     doc_.currentForm_));
    }
    return end;
}

char16_t* HtmlParser::TextArea(char16_t* p) {
    CHtmlDocument::ParseAttributes(p, attributes_);
    int columns = Attribute("cols") ? HtmlClamp(HtmlToInt(Attribute("cols")), 0, 1000) : 15;
    int rows = Attribute("rows") ? HtmlClamp(HtmlToInt(Attribute("rows")), 0, 1000) : 3;
    std::u16string name = Attribute("name") ? Attribute("name") : u"";
    char16_t* content = PastTagEnd(p);
    char16_t* end = HtmlFindNoCase(content, "</textarea");
    if (!end) end = content + HtmlLength(content);
    HtmlBox* box = Append(doc_.CreateTextBox(u" ", 15, 2, -1, u"Courier New", kFieldHeight, 0, 0, 0, kWhite,
                                             Align(), 0, -1, noWrap_));
    if (!box) return end;
    box->width = columns * box->width + 4;
    box->height = rows * box->height + 4;
    std::u16string text(content, end);
    SetBoxText(box, text.c_str());
    if (doc_.browser_)
        Adopt(box, doc_.browser_->CreateEditControl(-1, 0, box->width, box->height, box->text, 1, name.c_str(),
                                                    doc_.currentForm_, 0));
    return end;
}
