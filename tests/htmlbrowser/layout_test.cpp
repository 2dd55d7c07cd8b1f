#include <gtest/gtest.h>

#include <string>

#include "html_fakes.h"

namespace {

constexpr int W = FixedMeasurer::kCharWidth;

std::vector<HtmlBox*> All(const TestPage& page) {
    std::vector<HtmlBox*> all;
    Flatten(page.document.Boxes(), all);
    return all;
}

HtmlBox* Word(const TestPage& page, const std::u16string& text, int nth = 0) {
    for (HtmlBox* box : All(page))
        if (box->kind == kBoxText && text == box->text && nth-- == 0) return box;
    return nullptr;
}

HtmlBox* Kind(const TestPage& page, int kind, int nth = 0) {
    for (HtmlBox* box : All(page))
        if (box->kind == kind && nth-- == 0) return box;
    return nullptr;
}

TEST(HtmlLayout, LinesWrapAndRulesSpanTheWidth) {
    TestPage page;
    page.Load(u"one two three<hr>four");
    HtmlRect size = page.Layout(602);
    HtmlBox* rule = nullptr;
    for (HtmlBox* box : All(page))
        if (box->kind == kBoxBreak && box->height == 2) rule = box;
    ASSERT_TRUE(rule);
    EXPECT_EQ(rule->x, 0);
    EXPECT_EQ(rule->width, 600);
    // In the middle of its own line, as high as a space.
    EXPECT_EQ(rule->y, 15 + 15 / 2 - 1);
    EXPECT_EQ(Word(page, u"four")->y, 30);
    EXPECT_EQ(size.right, 600);
    EXPECT_EQ(size.bottom, 45);

    // A word wider than the line stands alone and overflows.
    page.Load(u"aa " + std::u16string(20, u'b') + u" cc");
    size = page.Layout(102);
    EXPECT_EQ(Word(page, u"aa")->y, 0);
    HtmlBox* wide = Word(page, std::u16string(20, u'b'));
    EXPECT_EQ(wide->x, 0);
    EXPECT_EQ(wide->y, 15);
    EXPECT_EQ(Word(page, u"cc")->y, 30);
    EXPECT_EQ(size.right, 20 * W);

    // Width 0: every word on its own line.
    page.Load(u"a b c");
    page.Layout(2);
    EXPECT_EQ(Word(page, u"a")->y, 0);
    EXPECT_EQ(Word(page, u"b")->y, 15);
    EXPECT_EQ(Word(page, u"c")->y, 30);
}

TEST(HtmlLayout, LinesAlignAndShareABottomEdge) {
    TestPage page;
    page.Load(u"<div align=right>ab</div><center>cd</center><font size=7>B</font>s");
    page.Layout(402);
    EXPECT_EQ(Word(page, u"ab")->x, 400 - 2 * W);
    // The space the closing tag puts after cd does not count for centring.
    EXPECT_EQ(Word(page, u"cd")->x, (400 - 2 * W) / 2);
    HtmlBox* big = Word(page, u"B");
    HtmlBox* small = Word(page, u"s");
    EXPECT_EQ(big->y + big->height, small->y + small->height);
    EXPECT_EQ(big->fontHeight, 36);

    page.Load(u"<p align=justify>aa bb cc dd ee ff gg hh ii jj kk ll mm nn oo pp</p>");
    page.Layout(102);
    // The first line is spread to the right edge; the last is not.
    HtmlBox* lastOfFirstLine = nullptr;
    for (HtmlBox* box : All(page))
        if (box->kind == kBoxText && !box->IsSpace() && box->y == Word(page, u"aa")->y) lastOfFirstLine = box;
    ASSERT_TRUE(lastOfFirstLine);
    EXPECT_EQ(lastOfFirstLine->x + lastOfFirstLine->width, 100);
    HtmlBox* last = Word(page, u"pp");
    EXPECT_LT(last->x + last->width, 100);
}

TEST(HtmlLayout, NoWrapTextEndsLinesOnlyAtBreaks) {
    TestPage page;
    page.Load(u"<pre>" + std::u16string(30, u'x') + u" " + std::u16string(30, u'y') + u"\nz</pre>");
    page.Layout(102);
    HtmlBox* y = Word(page, std::u16string(30, u'y'));
    HtmlBox* x = Word(page, std::u16string(30, u'x'));
    EXPECT_EQ(x->y, y->y);
    EXPECT_GT(Word(page, u"z")->y, y->y);
}

TEST(HtmlLayout, TablesTakeTheirWidthFromContentAndAttributes) {
    struct Case {
        std::u16string page;
        int window, width;
    } cases[] = {
        // spacing 4, padding 4, no border: 4 + (content + 8 + 4) per column.
        {u"<table><tr><td>aaa bbb</table>", 602, 4 + 7 * W + 12},
        {u"<table><tr><td>aaa bbb<td>c</table>", 602, 4 + 7 * W + 12 + W + 12},
        {u"<table width=50%><tr><td>x</table>", 602, 300},
        {u"<table width=250><tr><td>x</table>", 602, 250},
        {u"<table width=100 border=1><tr><td width=500>x</table>", 602, 100},
        // Too narrow for the widest content: the narrowest, then overflow.
        {u"<table><tr><td>aaaaaaaaaa bbbbbbbbbb</table>", 62, 4 + 10 * W + 12},
        {u"<table cellspacing=0 cellpadding=0><tr><td colspan=2>wide-wide-wide<tr><td>a<td>b</table>", 602,
         14 * W},
    };
    for (const Case& c : cases) {
        TestPage page;
        page.Load(c.page);
        page.Layout(c.window);
        HtmlBox* frame = page.document.Boxes()[0];
        EXPECT_EQ(frame->kind, kBoxBreak) << Narrow(c.page);
        EXPECT_EQ(frame->width, c.width) << Narrow(c.page);
    }
}

TEST(HtmlLayout, CellsArePlacedInRowsAndSpans) {
    TestPage page;
    page.Load(u"<table border=1 cellspacing=2 cellpadding=3>"
              u"<tr><td rowspan=2>tall<td>b"
              u"<tr><td>c"
              u"<tr><td colspan=2 height=40 valign=bottom>d</table>after");
    page.Layout(602);
    HtmlBox* frame = page.document.Boxes()[0];
    HtmlBox* tall = Kind(page, kBoxCell, 0);
    HtmlBox* b = Kind(page, kBoxCell, 1);
    HtmlBox* c = Kind(page, kBoxCell, 2);
    HtmlBox* d = Kind(page, kBoxCell, 3);
    const int pad = 4, space = 2, border = 1;  // padding 3 plus 1 for the border
    EXPECT_EQ(tall->x, frame->x + border + space);
    EXPECT_EQ(tall->y, frame->y + border + space);
    EXPECT_EQ(b->x, tall->x + tall->width + space);
    EXPECT_EQ(b->y, tall->y);
    // c sits under b: column 0 is still covered by the tall cell.
    EXPECT_EQ(c->x, b->x);
    EXPECT_EQ(c->y, b->y + b->height + space);
    EXPECT_EQ(tall->height, b->height + space + c->height);
    EXPECT_EQ(d->x, tall->x);
    EXPECT_EQ(d->width, tall->width + space + b->width);
    EXPECT_EQ(d->height, 40 + 2 * pad);
    EXPECT_EQ(frame->height, d->y + d->height + space + border - frame->y);
    // Content sits inside the padding; bottom alignment moves it down.
    EXPECT_EQ(Word(page, u"tall")->x, tall->x + pad);
    EXPECT_EQ(Word(page, u"d")->y + 15, d->y + d->height - pad);
    EXPECT_GE(Word(page, u"after")->y, frame->y + frame->height);
    // A raised frame around sunken cells.
    EXPECT_EQ(frame->borderColor, -2);
    EXPECT_EQ(frame->borderThickness, 1);
}

TEST(HtmlLayout, FloatingPicturesNarrowTheLinesBesideThem) {
    TestPage page;
    page.Load(u"<img src=p100x50.png align=left>aa bb cc dd ee ff gg hh<br clear=all>under");
    page.Layout(202);
    HtmlBox* picture = Kind(page, kBoxImage);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 100);
    EXPECT_EQ(picture->height, 50);
    EXPECT_EQ(picture->x, 4);
    HtmlBox* aa = Word(page, u"aa");
    EXPECT_EQ(aa->x, 108);  // the frame: the picture and its padding of 4
    EXPECT_EQ(aa->y, 0);
    // The clearing break moves below the float.
    EXPECT_GE(Word(page, u"under")->y, 58);
    EXPECT_EQ(Word(page, u"under")->x, 0);

    // Without clear the lines come back to the left edge below the float.
    std::u16string words;
    for (char16_t c = u'a'; c <= u'x'; ++c) words += std::u16string(2, c) + u" ";
    page.Load(u"<img src=p20x20.png align=right>" + words);
    page.Layout(202);
    HtmlBox* right = Kind(page, kBoxImage);
    EXPECT_EQ(right->x + right->width + 4, 200);
    int besideFloat = 0, below = 0;
    for (HtmlBox* box : All(page)) {
        if (box->kind != kBoxText || box->IsSpace()) continue;
        if (box->y < 28) besideFloat = std::max(besideFloat, box->x + box->width);
        else below = std::max(below, box->x + box->width);
    }
    EXPECT_LE(besideFloat, 200 - 28);
    EXPECT_GT(below, 200 - 28);
}

TEST(HtmlLayout, PicturesTakeTheirSizeFromAttributesAndPicture) {
    const struct {
        std::u16string tag;
        int width, height;
    } cases[] = {
        {u"<img src=p200x50.png width=100>", 100, 25},
        {u"<img src=p200x50.png height=100>", 400, 100},
        {u"<img src=p200x50.png>", 200, 50},
        {u"<img src=missing.png>", 60, 40},
        {u"<img src=missing.png width=10 height=70%>", 10, 6},
    };
    for (const auto& c : cases) {
        TestPage page;
        page.Load(c.tag);
        page.Layout(602);
        HtmlBox* picture = Kind(page, kBoxImage);
        ASSERT_TRUE(picture) << Narrow(c.tag);
        EXPECT_EQ(picture->width, c.width) << Narrow(c.tag);
        EXPECT_EQ(picture->height, c.height) << Narrow(c.tag);
    }
}

TEST(HtmlLayout, FormControlsArePlacedAtTheirBoxes) {
    TestPage page;
    page.Load(u"name <input name=q> <select name=s><option>a</select>");
    page.Layout(602);
    ASSERT_EQ(page.browser.controls.size(), 2u);
    HtmlBox* edit = nullptr;
    for (HtmlBox* box : All(page))
        if (box->control == 100) edit = box;
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->x, 5 * W);
    ASSERT_GE(page.browser.placed.size(), 2u);
    const auto& last = page.browser.placed[page.browser.placed.size() - 2];
    EXPECT_EQ(last.first, 100);
    EXPECT_EQ(last.second.first, edit->x);
    EXPECT_EQ(last.second.second, edit->y);
}

TEST(HtmlLayout, HugeAttributesAndSpansStayQuick) {
    TestPage page;
    std::u16string text = u"<table width=99999999 height=99999999 cellpadding=99999 cellspacing=99999 border=99999><tr>";
    for (int i = 0; i < 200; ++i) text += u"<td colspan=1000 rowspan=1000 width=99999999 height=99999999>x";
    text += u"</table><table width=100%><tr><td width=5000>a<td width=5000>b<td>c</table>";
    page.Load(text);
    HtmlRect size = page.Layout(602);
    EXPECT_GT(size.right, 0);
    EXPECT_GT(size.bottom, 0);
}

}  // namespace
