#include <gtest/gtest.h>

#include <string>

#include "html_fakes.h"

namespace {

struct Sketched {
    std::u16string page, sketch;
};

TEST(HtmlDocument, LoadFiltersScriptsCommentsStylesAndUnknownTags) {
    const Sketched cases[] = {
        {u"a<span class=x>b</span>c", u"abc"},
        {u"  \t\r\n a", u"a"},  // one space, dropped at the start of a line
        {u"a <script>x<y</script> b", u"a b"},
        {u"a<script>never closed b c", u"a"},
        {u"a<!-- note <b> -->b", u"ab"},
        {u"a<!-- never closed", u"a"},
        {u"a<style>p{}</style>b", u"ab"},
        {u"a<style>p{} b", u"ap{} b"},
        {u"<h4>x</h4>y", u"xy"},
        {u"a  b\n\nc", u"a b c"},
        {u"a<", u"a"},
        {u"<br", u" |"},
        {u"<title", u""},
        {u"<!--", u""},
    };
    for (const Sketched& c : cases) EXPECT_EQ(SketchOfPage(c.page), Narrow(c.sketch)) << Narrow(c.page);
}

TEST(HtmlDocument, TitleGoesToTheBrowserDecoded) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"<title>  My &amp; Page \r\n</title>body", u"My & Page"},
        {u"<title lang=en>T</title>", u"lang=en>T"},
        {u"<title>unterminated  ", u"unterminated"},
        {u"<title>caf\u00C3\u00A9</title>", u"caf\u00E9"},
    };
    for (const auto& c : cases) {
        TestPage page;
        page.Load(c.first);
        ASSERT_EQ(page.browser.titles.size(), 1u) << Narrow(c.first);
        EXPECT_EQ(page.browser.titles[0], c.second) << Narrow(c.first);
    }
}

TEST(HtmlDocument, BodyColourAndBackgroundPicture) {
    TestPage page;
    page.Load(u"<body bgcolor=#102030 background=\"pics/tile.png\">x</body>");
    EXPECT_EQ(page.document.BackgroundColor(), 0x302010);
    ASSERT_EQ(page.pictures.pictures.size(), 1u);
    EXPECT_EQ(page.pictures.pictures[0].url, u"http://host/dir/pics/tile.png");
    EXPECT_EQ(page.pictures.pictures[0].background, 1);
    EXPECT_EQ(page.document.BackgroundImage(), 0);
    EXPECT_EQ(Narrow(Sketch(page.document.Boxes())), "x");
    // The next page starts white again; its pictures are released, not forgotten.
    page.Load(u"y");
    EXPECT_EQ(page.document.BackgroundColor(), 0xFFFFFF);
    EXPECT_EQ(page.document.BackgroundImage(), -1);
    EXPECT_EQ(page.pictures.released, 2);
    EXPECT_EQ(page.pictures.pictures.size(), 1u);
}

TEST(HtmlDocument, TextPagesKeepLinesAndSpacesInCourier) {
    TestPage page;
    page.Load(u"a  b\r\nc", u"file://C:\\notes\\READ.TXT");
    const HtmlBoxList& boxes = page.document.Boxes();
    EXPECT_EQ(Narrow(Sketch(boxes)), "a  b |c");
    for (int i = 0; i < boxes.count; ++i) {
        if (boxes[i]->kind != kBoxText) continue;
        EXPECT_EQ(std::u16string(boxes[i]->face), u"Courier New");
        EXPECT_EQ(boxes[i]->noWrap, 1);
    }
}

TEST(HtmlDocument, ProgressCountsAndBusyFlag) {
    TestPage page;
    page.Load(u"  \t a");
    EXPECT_EQ(page.browser.lastTotal, 2);  // white space at the start folds to one space

    page.Load(u"<a href=x.htm>one</a> <a href=y.htm>two</a> <img src=a.png><a href=X.HTM>three</a>");
    EXPECT_EQ(page.browser.lastPosition, page.browser.lastTotal);
    EXPECT_GT(page.browser.progressCalls, 10);
    int boxes = 0, images = 0, links = 0, level = 0;
    page.document.GetCounts(&boxes, &images, &links, &level);
    EXPECT_EQ(boxes, 6);
    EXPECT_EQ(images, 1);
    EXPECT_EQ(links, 2);  // X.HTM is x.htm without regard to case
    EXPECT_EQ(level, 0);
    EXPECT_EQ(page.document.IsBusy(), 0);
}

TEST(HtmlDocument, LinksAreHitNavigatedHoveredAndRepainted) {
    TestPage page;
    page.Load(u"plain <a href=next.htm>go there</a><table><tr><td><a href=/cell.htm>in</a></table>");
    page.Layout(600);
    std::vector<HtmlBox*> all;
    Flatten(page.document.Boxes(), all);
    HtmlBox* go = nullptr;
    HtmlBox* inCell = nullptr;
    for (HtmlBox* box : all) {
        if (box->kind == kBoxText && std::u16string(box->text) == u"go") go = box;
        if (box->kind == kBoxText && std::u16string(box->text) == u"in") inCell = box;
    }
    ASSERT_TRUE(go && inCell);
    EXPECT_EQ(page.document.OnMouseMove(go->x, go->y), 1);
    EXPECT_EQ(page.document.HoveredLink(), go->link);
    // Right and bottom edges are outside.
    EXPECT_EQ(page.document.OnMouseMove(go->x + go->width + go->width, go->y + go->height), 0);
    EXPECT_EQ(page.document.HoveredLink(), -1);
    EXPECT_EQ(page.document.OnClick(inCell->x + 1, inCell->y + 1), 1);
    ASSERT_EQ(page.browser.hovers.size(), 2u);
    EXPECT_EQ(page.browser.hovers[0], u"http://host/dir/next.htm");
    EXPECT_EQ(page.browser.hovers[1], u"(none)");
    ASSERT_EQ(page.browser.navigations.size(), 1u);
    EXPECT_EQ(page.browser.navigations[0], u"http://host/cell.htm");

    page.document.InvalidateLink(u"http://host/dir/next.htm");
    EXPECT_EQ(page.browser.invalidated.size(), 3u);  // "go", " ", "there"
    page.document.InvalidateLink(u"HTTP://HOST/DIR/NEXT.HTM");
    EXPECT_EQ(page.browser.invalidated.size(), 3u);
}

TEST(HtmlDocument, SelectionMarksTextAndBreaksInTheRectangle) {
    TestPage page;
    page.Load(u"one two<br>three four<br>five");
    page.Layout(600);
    std::vector<HtmlBox*> all;
    Flatten(page.document.Boxes(), all);
    auto find = [&](const char16_t* word) {
        for (HtmlBox* box : all)
            if (box->kind == kBoxText && std::u16string(box->text) == word) return box;
        return static_cast<HtmlBox*>(nullptr);
    };
    HtmlBox* two = find(u"two");
    HtmlBox* four = find(u"four");
    ASSERT_TRUE(two && four);
    page.document.SetSelection({two->x + 1, two->y, four->x + 2, four->y + 2});
    std::u16string selected;
    for (HtmlBox* box : all)
        if (box->selected && box->kind == kBoxText) selected += box->text;
    EXPECT_EQ(Narrow(selected), "two three four");
    page.document.SetSelection({0, 0, 0, 0});
    for (HtmlBox* box : all) {
        if (box->kind == kBoxText && box->y > 0) {
            EXPECT_EQ(box->selected, 0);
        }
    }
}

}  // namespace
