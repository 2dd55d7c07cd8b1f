#include <gtest/gtest.h>

#include <string>

#include "html_fakes.h"

namespace {

std::vector<HtmlBox*> Words(const HtmlBoxList& list) {
    std::vector<HtmlBox*> all, words;
    Flatten(list, all);
    for (HtmlBox* box : all)
        if (box->kind == kBoxText && !box->IsSpace()) words.push_back(box);
    return words;
}

HtmlBox* Word(const HtmlBoxList& list, const std::u16string& text) {
    for (HtmlBox* box : Words(list))
        if (text == box->text) return box;
    return nullptr;
}

TEST(TagInterpreter, BoxesOfBreaksParagraphsListsAndBlocks) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"a<br>b", u"a |b"},
        {u"a<br><br>b", u"a | |b"},
        {u"a<p>b", u"a | |b"},
        {u"<p>b", u"|b"},
        {u"a<hr>b", u"a | |b"},
        {u"<h1>T</h1>x", u" | |T |x"},
        {u"a<center>b</center>c", u"a |b |c"},
        {u"a<div align=right>b</div>c", u"a|b|c"},
        {u"a<div align=left>b</div>c", u"a |b |c"},  // the alignment it has: no scope
        {u"a<p align=center>b<p>c", u"a||b| | |c"},
        {u"<ul><li>x<li>y</ul>z", u"|{ l }{x}|{ l }{y}|z"},
        {u"<ol><li>x<ul><li>y</ul></ol>", u"|{   1.    }{x|{ m }{y}|}|"},
        {u"<ol><li>a<ol><li>b<li>c</ol></ol>", u"|{   1.    }{a|{   a.    }{b}|{   b.    }{c}|}|"},
        {u"a<pre>x  y\nz</pre> b", u"a|{x  y |z}|b"},
        {u"a<blockquote>q</blockquote>b", u"a|{q}|b"},
        {u"<img src=a.png width=0>x", u"x"},
        {u"<img src=a.png width=abc>x", u"x"},
        {u"<img src=a.png width=50%>x", u"#x"},
        {u"<img width=5>x", u"x"},
        {u"<img src=a.png align=left>x", u"|{#}||x"},
        {u"<table><tr><td>a<td>b<tr><td>c</table>d", u"|{a}{b}|{c}||d"},
        {u"<table><td>a</td><th>b</th></table>", u"|{a}{b}||"},
        {u"<table><tr></tr><tr><td>a</table>", u"|{a}||"},
        {u"<table><tr><td>a<table><tr><td>b</table>c</table>", u"|{a|{b}||c}||"},
        {u"<table><tr><td>", u"||"},
    };
    for (const auto& c : cases) EXPECT_EQ(SketchOfPage(c.first), Narrow(c.second)) << Narrow(c.first);
}

TEST(TagInterpreter, TabsPadTheTextBeforeThemToFiveCharacters) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"abc\tx", u"abc  x"},
        {u"abcde\tx", u"abcde     x"},
        {u"a\tb\tc", u"a    b    c"},
        {u"\tx", u"     x"},
    };
    for (const auto& c : cases) EXPECT_EQ(SketchOfPage(c.first, u"file://C:\\t.txt"), Narrow(c.second)) << Narrow(c.first);
}

TEST(TagInterpreter, WordStyles) {
    TestPage page;
    page.Load(u"<font size=3>f3</font> <font size=+2 color=red face=\"Times, serif\">f2</font> plain "
              u"<a href=x.htm>link</a> <b>bold</b> <i>it</i> <u>under</u> <strike>gone</strike> "
              u"<sub>low</sub> <sup>high</sup> <small>s</small> <big>B</big> <h2>h2</h2>");
    const HtmlBoxList& boxes = page.document.Boxes();
    struct Case {
        const char16_t* word;
        int height, bold, italic, flags;
        HtmlColor colour;
        int link;
    } cases[] = {
        {u"f3", 20, 0, 0, 0, 0, -1},
        {u"f2", 17, 0, 0, 0, 0x0000FF, -1},
        {u"plain", 15, 0, 0, 0, 0, -1},
        {u"link", 15, 0, 0, 8, 0xFF0000, 0},
        {u"bold", 15, 1, 0, 0, 0, -1},
        {u"it", 15, 0, 1, 0, 0, -1},
        {u"under", 15, 0, 0, 8, 0, -1},
        {u"gone", 15, 0, 0, 16, 0, -1},
        {u"low", 10, 0, 0, 0, 0, -1},
        {u"high", 10, 0, 0, 0, 0, -1},
        {u"s", 10, 0, 0, 0, 0, -1},
        {u"B", 20, 0, 0, 0, 0, -1},
        {u"h2", 22, 1, 0, 0, 0, -1},
    };
    for (const Case& c : cases) {
        HtmlBox* box = Word(boxes, c.word);
        ASSERT_TRUE(box) << Narrow(c.word);
        EXPECT_EQ(box->fontHeight, c.height) << Narrow(c.word);
        EXPECT_EQ(box->bold, c.bold) << Narrow(c.word);
        EXPECT_EQ(box->italic, c.italic) << Narrow(c.word);
        EXPECT_EQ(box->borderFlags, c.flags) << Narrow(c.word);
        EXPECT_EQ(box->textColor, c.colour) << Narrow(c.word);
        EXPECT_EQ(box->link, c.link) << Narrow(c.word);
    }
    EXPECT_EQ(std::u16string(Word(boxes, u"f2")->face), u"Times");
    // A raised word is measured at the full height, a lowered one at its own.
    EXPECT_EQ(Word(boxes, u"high")->height, 15);
    EXPECT_EQ(Word(boxes, u"low")->height, 10);
    EXPECT_EQ(page.document.Links().GetRow(0).Get(0), std::u16string(u"http://host/dir/x.htm"));
}

TEST(TagInterpreter, StylesStayInsideTheirRegions) {
    TestPage page;
    page.Load(u"<b><table><tr><td>cell<font face=Courier>inner</font><font face=Courier>open</table>after");
    const HtmlBoxList& boxes = page.document.Boxes();
    EXPECT_EQ(Word(boxes, u"cell")->bold, 0);
    EXPECT_EQ(Word(boxes, u"after")->bold, 1);
    EXPECT_EQ(std::u16string(Word(boxes, u"open")->face), u"Courier");
    EXPECT_EQ(std::u16string(Word(boxes, u"after")->face), u"Arial");

    page.Load(u"<table><tr><th>head<td>data</table>");
    HtmlBox* head = Word(page.document.Boxes(), u"head");
    HtmlBox* data = Word(page.document.Boxes(), u"data");
    EXPECT_EQ(head->fontHeight, 19);
    EXPECT_EQ(head->bold, 0);
    EXPECT_EQ(head->alignment, 2);
    EXPECT_EQ(data->fontHeight, 15);
    EXPECT_EQ(data->alignment, 0);
}

TEST(TagInterpreter, TableAttributesReachTheCells) {
    TestPage page;
    page.Load(u"<table width=400 border=2 cellpadding=3 cellspacing=5 bgcolor=yellow bordercolor=red height=90>"
              u"<tr align=right bgcolor=blue><td width=50% colspan=2 rowspan=9999 valign=middle nowrap>a"
              u"<td bgcolor=white width=20 nowrap align=justify background=t.gif>b"
              u"<tr><td colspan=-3>c</table>");
    std::vector<HtmlBox*> cells;
    for (int i = 0; i < page.document.Boxes().count; ++i)
        if (page.document.Boxes()[i]->kind == kBoxCell) cells.push_back(page.document.Boxes()[i]);
    ASSERT_EQ(cells.size(), 3u);
    HtmlBox* frame = page.document.Boxes()[0];
    EXPECT_EQ(frame->kind, kBoxBreak);
    EXPECT_EQ(frame->backgroundColor, 0x00FFFF);
    HtmlBox* a = cells[0];
    EXPECT_EQ(a->cellWidth, 200);
    EXPECT_EQ(a->columnSpan, 2);
    EXPECT_EQ(a->rowSpan, 1000);
    EXPECT_EQ(a->verticalAlignment, 2);
    EXPECT_EQ(a->noWrap, 0);  // a width clears nowrap
    EXPECT_EQ(a->backgroundColor, 0xFF0000);
    EXPECT_EQ(a->cellPadding, 4);  // plus one for the border
    EXPECT_EQ(a->cellSpacing, 5);
    EXPECT_EQ(a->tableBorder, 2);
    EXPECT_EQ(a->borderFlags, 15);
    EXPECT_EQ(a->borderColor, 0x0000FF);
    EXPECT_EQ(a->tableWidth, 400);
    EXPECT_EQ(a->tableHeight, 90);
    EXPECT_EQ(Word(a->children, u"a")->alignment, 1);
    HtmlBox* b = cells[1];
    EXPECT_EQ(b->column, 2);
    EXPECT_EQ(b->backgroundColor, 0xFFFFFF);
    EXPECT_EQ(b->backgroundImage, 0);
    EXPECT_EQ(Word(b->children, u"b")->alignment, 3);
    HtmlBox* c = cells[2];
    EXPECT_EQ(c->row, 1);
    EXPECT_EQ(c->columnSpan, 1);
    EXPECT_EQ(c->backgroundColor, -1);
    EXPECT_EQ(Word(c->children, u"c")->alignment, 1);  // the row alignment carries on

    page.Load(u"<table width=50%><tr><td width=10%>x</table>");
    EXPECT_EQ(page.document.Boxes()[1]->tableWidth, -50);
    EXPECT_EQ(page.document.Boxes()[1]->cellWidth, 0);  // no pixel width to take a share of
}

TEST(TagInterpreter, FormFieldsGetBoxesAndControls) {
    TestPage page;
    page.Load(u"<form action=\"go.cgi?x=1\" method=post>"
              u"<input name=q value=\"a&amp;b\" size=4 maxlength=9>"
              u"<input type=password name=p>"
              u"<input type=checkbox name=c value=yes>"
              u"<input type=radio name=r value=1>"
              u"<input type=submit value=Send name=s>"
              u"<input type=hidden name=h value=secret>"
              u"<input type=bogus name=b>"
              u"<select name=sel><option value=1>One<option selected value=2>Second &amp; more</select>"
              u"<textarea name=t cols=10 rows=2>some text</textarea>"
              u"</form><input type=image src=go.png width=30>");
    ASSERT_EQ(page.browser.forms.size(), 1u);
    EXPECT_EQ(page.browser.forms[0].first, u"http://host/dir/go.cgi?x=1");
    EXPECT_EQ(page.browser.forms[0].second, u"post");
    const auto& controls = page.browser.controls;
    ASSERT_EQ(controls.size(), 8u);
    struct Case {
        const char* kind;
        int width, height;
        std::u16string text, name;
        int form;
    } cases[] = {
        {"edit", 4 * 8 + 8, 15 + 4, u"a&b", u"q", 0},
        {"edit", 10 * 8 + 8, 15 + 4, u"", u"p", 0},
        {"checkbox", 13, 13, u"yes", u"c", 0},
        {"radio", 13, 13, u"1", u"r", 0},
        {"button", 4 * 8 + 8, 15 + 4, u"Send", u"s", 0},
        {"edit", 0, 0, u"secret", u"h", 0},
        {"combo", 17 + 13 * 8 + 8, 15 + 4, u"", u"sel", 0},
        {"edit", 10 * 8 + 4, 2 * 15 + 4, u"some text", u"t", 0},
    };
    for (size_t i = 0; i < controls.size(); ++i) {
        EXPECT_EQ(controls[i].kind, cases[i].kind) << i;
        EXPECT_EQ(controls[i].width, cases[i].width) << i;
        EXPECT_EQ(controls[i].height, cases[i].height) << i;
        EXPECT_EQ(controls[i].text, cases[i].text) << i;
        EXPECT_EQ(controls[i].name, cases[i].name) << i;
        EXPECT_EQ(controls[i].form, cases[i].form) << i;
    }
    EXPECT_EQ(controls[0].limit, 4);
    EXPECT_EQ(controls[0].maxLength, 9);
    EXPECT_EQ(controls[1].password, 1);
    EXPECT_EQ(controls[7].multiLine, 1);
    EXPECT_EQ(controls[7].limit, -1);
    EXPECT_EQ(controls[6].selected, 1);
    ASSERT_EQ(controls[6].options.size(), 2u);
    EXPECT_EQ(controls[6].options[1].first, u"Second & more");
    EXPECT_EQ(controls[6].options[1].second, u"2");
    // The image input links to the submission of the form it is in (none here).
    EXPECT_EQ(page.document.Links().GetRow(0).Get(0), std::u16string(u"Submit(-1)"));
    std::vector<HtmlBox*> all;
    Flatten(page.document.Boxes(), all);
    int withControl = 0;
    for (HtmlBox* box : all) withControl += box->control != -1;
    EXPECT_EQ(withControl, 8);
    EXPECT_EQ(all.back()->kind, kBoxImage);
    EXPECT_EQ(all.back()->width, 30);

    // A control that cannot be made leaves its box without one.
    page.browser.failControls = true;
    page.Load(u"<input name=q>");
    EXPECT_EQ(page.document.Boxes()[0]->control, -1);
}

TEST(TagInterpreter, DeepNestingStopsAtTheLimitAndKeepsTheText) {
    const char16_t* openers[] = {u"<table><tr><td>", u"<div align=right>x<div align=left>", u"<ul><li>",
                                 u"<blockquote>", u"<pre>", u"<p align=center>y<p align=right>"};
    for (const char16_t* opener : openers) {
        std::u16string text;
        for (int i = 0; i < 3000; ++i) text += opener;
        text += u"deep";
        TestPage page;
        page.Load(text);
        int level = 0;
        page.document.GetCounts(nullptr, nullptr, nullptr, &level);
        EXPECT_LE(level, kHtmlMaxLevel) << Narrow(opener);
        EXPECT_TRUE(Word(page.document.Boxes(), u"deep")) << Narrow(opener);
        page.Layout(500);
    }
}

TEST(TagInterpreter, ParsingInPlaceRestoresTheText) {
    TestPage page;
    std::u16string text = u"<table><tr><td>a<td>b</table><ul><li>c</ul><pre>d</pre><div align=right>e</div> f";
    std::u16string buffer = text;
    HtmlBoxList boxes;
    page.document.ParseElements(buffer.data(), boxes, u"Arial", 15, 0, u"", 0, 0, 0);
    EXPECT_EQ(buffer, text);
    EXPECT_EQ(Narrow(Sketch(boxes)), "|{a}{b}|||{ l }{c}||{d}||e|f");
    CHtmlDocument::FreeBoxes(boxes);
}

TEST(TagInterpreter, AttributesKeepCaseAndLaterDuplicatesWin) {
    CHtmlStringTable attributes;
    CHtmlDocument::ParseAttributes(u"<img SRC = 'a b.png' alt=\"x>y\" width=10 ismap width=20>", attributes);
    // The tag ends at its first '>', inside the quotes.
    ASSERT_EQ(attributes.GetRowCount(), 3);
    EXPECT_EQ(std::u16string(attributes.GetRow(0).Get(0)), u"SRC");
    EXPECT_EQ(attributes.GetRow(0).GetCount(), 1);  // the name ends at the space, no value
    EXPECT_EQ(std::u16string(attributes.GetRow(1).Get(0)), u"");
    EXPECT_EQ(std::u16string(attributes.GetRow(1).Get(1)), u"a b.png");
    EXPECT_EQ(std::u16string(attributes.GetRow(2).Get(1)), u"x");
    CHtmlDocument::ParseAttributes(u"<a href='x.htm' Title=\"T\" NAME=n>", attributes);
    ASSERT_EQ(attributes.GetRowCount(), 3);
    EXPECT_EQ(std::u16string(attributes.GetRow(0).Get(1)), u"x.htm");
    EXPECT_EQ(std::u16string(attributes.GetRow(1).Get(0)), u"Title");
    EXPECT_EQ(std::u16string(attributes.GetRow(2).Get(1)), u"n");
    CHtmlDocument::ParseAttributes(u"<br>", attributes);
    EXPECT_EQ(attributes.GetRowCount(), 0);
    CHtmlDocument::ParseAttributes(u"<a href=\"unterminated", attributes);
    EXPECT_EQ(std::u16string(attributes.GetRow(0).Get(1)), u"unterminated");
}

}  // namespace
