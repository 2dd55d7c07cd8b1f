// One input of the page fuzz target: its first byte chooses the window
// width and whether the page is a text file; the rest, read as UTF-16, is a
// page that is loaded, laid out, hit and selected, and the text routines
// get the same text. The native tests replay the inputs that once failed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "html_fakes.h"
#include "html_text.h"

inline void RunPageInput(const uint8_t* data, size_t size) {
    if (size < 1) return;
    uint8_t mode = data[0];
    std::u16string text;
    for (size_t i = 1; i + 1 < size; i += 2) text.push_back(char16_t(data[i] | data[i + 1] << 8));

    TestPage page;
    page.Load(text, mode & 1 ? u"file://C:\\dir\\page.txt" : u"http://host/dir/page.htm");
    int width = (mode >> 1) * 8;  // 0 asks for the narrowest layout
    HtmlRect extent = page.Layout(width);
    page.document.OnMouseMove(extent.right / 2, extent.bottom / 2);
    page.document.OnClick(extent.right / 3, extent.bottom / 3);
    page.document.SetSelection({0, 0, extent.right / 2, extent.bottom / 2});
    page.document.InvalidateImage(0);
    // A second load over the first: boxes, links and faces are replaced.
    page.Load(text.substr(0, text.size() / 2));
    page.Layout(width + 50);

    std::u16string url = text.substr(0, text.size() / 2), base = text.substr(text.size() / 2);
    char16_t out[kHtmlUrlSize];
    ResolveUrl(url.c_str(), out, base.c_str());
    std::u16string decoded = text;
    decoded.push_back(0);
    RepairUtf8Text(DecodeHtmlEntities(decoded.data()));
    LookupHtmlColor(text.c_str());
    CHtmlStringTable attributes;
    CHtmlDocument::ParseAttributes(text.c_str(), attributes);
}
