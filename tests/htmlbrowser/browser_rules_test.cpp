#include <gtest/gtest.h>

#include "browser_rules.h"

namespace {

TEST(BrowserRules, PictureUrlsAndTheirPage) {
    const std::pair<const char16_t*, bool> cases[] = {
        {u"http://h/a.JPG", true}, {u"file://C:\\x.png", true}, {u"a.gif", true},  {u"a.jpeg", false},
        {u"a.png.htm", false},     {u"png", false},             {u"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsPictureUrl(c.first), c.second);
    EXPECT_EQ(PicturePage(u"http://h/a.jpg"), u"<body bgcolor=ffff00><img src=\"http://h/a.jpg\"></body>");
}

TEST(BrowserRules, FormValuesAreUrlEncoded) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"a b&c", u"a+b%26c"},
        {u"\u00e9", u"%e9"},
        {u"\u20ac", u"%20ac"},
        {u"x\u0001y", u"x%01y"},
        {u"Az09-_.", u"Az09%2d%5f%2e"},
        {u"", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(UrlEncode(c.first), c.second);
}

TEST(BrowserRules, PostTargetsKeepTheirPort) {
    struct Case {
        const char16_t* action;
        const char16_t* host;
        int port;
        const char16_t* path;
    } cases[] = {
        {u"http://127.0.0.1:8123/f?x=1", u"127.0.0.1", 8123, u"/f?x=1"},
        {u"http://host/cgi/post", u"host", 80, u"/cgi/post"},
        {u"http://host", u"host", 80, u"/"},
        {u"host:99999/x", u"host", 80, u"/x"},
        {u"", u"", 80, u"/"},
    };
    for (const Case& c : cases) {
        PostTarget target = SplitPostTarget(c.action);
        EXPECT_EQ(target.host, c.host);
        EXPECT_EQ(target.port, c.port);
        EXPECT_EQ(target.path, c.path);
    }
}

TEST(BrowserRules, PicturesAskForALayoutAtPowerOfTenSteps) {
    std::vector<int> relayouts;
    for (int loaded = 1; loaded <= 25; ++loaded)
        if (RelayoutAfterPicture(loaded, 25)) relayouts.push_back(loaded);
    EXPECT_EQ(relayouts, (std::vector<int>{10, 20, 25}));
    for (int loaded = 1; loaded <= 7; ++loaded) EXPECT_TRUE(RelayoutAfterPicture(loaded, 7));
    EXPECT_TRUE(RelayoutAfterPicture(100, 1000));
    EXPECT_FALSE(RelayoutAfterPicture(150, 1000));
}

TEST(BrowserRules, PageTextFileAndSubmitLinks) {
    EXPECT_EQ(PageTextPath(u"C:\\prog\\mulvara.exe"), u"C:\\prog\\mulvara.txt");
    EXPECT_EQ(PageTextPath(u"C:\\my.dir\\prog"), u"C:\\my.dir\\prog.txt");
    bool submit = false;
    EXPECT_EQ(SubmitLinkForm(u"Submit(3)", submit), 3);
    EXPECT_TRUE(submit);
    EXPECT_EQ(SubmitLinkForm(u"submit(-1)", submit), -1);
    EXPECT_TRUE(submit);
    SubmitLinkForm(u"http://h/Submit(3)", submit);
    EXPECT_FALSE(submit);
}

}  // namespace
