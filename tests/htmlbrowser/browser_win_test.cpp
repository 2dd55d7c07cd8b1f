// The browser in its host window under Wine: local pages, resource pages,
// pictures, links, forms and the scroll manager.
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>
#include <wininet.h>

#include <cstdlib>

#include <string>

#include "browser_host.h"
#include "browser_rules.h"
#include "html_string.h"
#include "scroll_manager_win32.h"

namespace {

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
// ASCII text for a failure message.
std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }
std::u16string Utf16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

std::wstring ModulePageText() {
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    return Wide(PageTextPath(Utf16(module)));
}

std::string ReadBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, &bytes[0], DWORD(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::u16string ReadPageText() {
    std::string bytes = ReadBytes(ModulePageText());
    std::u16string text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(char16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8));
    return text;
}

bool PageTextExists() { return GetFileAttributesW(ModulePageText().c_str()) != INVALID_FILE_ATTRIBUTES; }

class BrowserWindow : public ::testing::Test {
protected:
    void SetUp() override {
        OleInitialize(nullptr);
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"mulvara_browser_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(folder_.c_str(), nullptr);
        DeleteFileW(ModulePageText().c_str());
        ASSERT_TRUE(host_.Create(480, 360));
    }
    void TearDown() override {
        host_.Destroy();
        DeleteFileW(ModulePageText().c_str());
        for (const std::wstring& file : files_) DeleteFileW(file.c_str());
        RemoveDirectoryW(folder_.c_str());
        OleUninitialize();
    }
    std::u16string Write(const std::wstring& name, const std::string& bytes) {
        std::wstring path = folder_ + name;
        WriteBytes(path, bytes);
        files_.push_back(path);
        return u"file://" + Utf16(path);
    }
    std::vector<HtmlBox*> Boxes() {
        std::vector<HtmlBox*> all;
        Collect(host_.Browser()->Document()->Boxes(), all);
        return all;
    }
    HtmlBox* Word(const std::u16string& word) {
        for (HtmlBox* box : Boxes())
            if (box->kind == kBoxText && word == box->text) return box;
        return nullptr;
    }
    static void Collect(const HtmlBoxList& list, std::vector<HtmlBox*>& out) {
        for (int i = 0; i < list.count; ++i) {
            out.push_back(list[i]);
            Collect(list[i]->children, out);
        }
    }

    BrowserHost host_;
    std::wstring folder_;
    std::vector<std::wstring> files_;
};

TEST_F(BrowserWindow, LocalPagesAreShownRecordedAndWrittenToThePageTextFile) {
    std::string page = std::string("<title>Notes &amp; more</title><b>Hello</b> wor") + '\0' + "ld";
    std::u16string url = Write(L"page.htm", page);
    host_.Navigate(url);
    EXPECT_EQ(host_.Title(), u"Notes & more");
    EXPECT_EQ(host_.Browser()->CurrentUrl(), url);
    ASSERT_TRUE(Word(u"Hello"));
    // The zero byte became a space.
    EXPECT_TRUE(Word(u"wor") && Word(u"ld"));
    // No pictures: the parsing text stays, position and total alike.
    EXPECT_EQ(host_.StatusText(), u"Parsing 19 of 19");
    std::u16string expected(page.begin(), page.end());
    expected[expected.find(u'\0')] = u' ';
    EXPECT_EQ(ReadPageText(), expected);
    const CHtmlStringTable& history = host_.Browser()->History();
    ASSERT_EQ(history.GetRowCount(), 1);
    EXPECT_EQ(std::u16string(history.GetRow(0).Get(0)), url);

    // A missing page changes nothing.
    host_.Navigate(url + u".missing");
    EXPECT_EQ(history.GetRowCount(), 1);
    EXPECT_TRUE(Word(u"Hello"));
    EXPECT_EQ(host_.StatusText(), u"From Internet");
}

TEST_F(BrowserWindow, PictureUrlsShowAYellowPageWithoutAPageTextFile) {
    std::u16string url = u"file://" + Utf16(folder_) + u"missing.JPG";
    host_.Navigate(url);
    EXPECT_FALSE(PageTextExists());
    EXPECT_EQ(host_.Browser()->Document()->BackgroundColor(), 0x00FFFF);
    const CHtmlStringTable& history = host_.Browser()->History();
    ASSERT_EQ(history.GetRowCount(), 1);
    EXPECT_EQ(std::u16string(history.GetRow(0).Get(1)), PicturePage(url.c_str()));
    // The picture fails: once it has arrived the page is laid out with the 60 x 40 placeholder.
    ASSERT_TRUE(PumpUntil([&] { return host_.StatusText().rfind(u"Ready, items:", 0) == 0; }, 10000))
        << Wide(host_.StatusText()).size();
    ASSERT_TRUE(PumpUntil([&] {
        for (HtmlBox* box : Boxes())
            if (box->kind == kBoxImage) return box->width == 60 && box->height == 40;
        return false;
    }, 5000));
    EXPECT_EQ(host_.StatusText(), u"Ready, items:1, images:1, links:0, level:0");
}

TEST_F(BrowserWindow, ResourcePagesComeFromTheProgramsModule) {
    for (const char16_t* url : {u"res://resource_page.htm", u"RES://any/folder/resource_page.htm"}) {
        host_.Navigate(url);
        EXPECT_EQ(host_.Title(), u"From a resource");
        EXPECT_TRUE(Word(u"Resource") && Word(u"text"));
        EXPECT_EQ(host_.Browser()->CurrentUrl(), url);
    }
    int rows = host_.Browser()->History().GetRowCount();
    host_.Navigate(u"res://no_such_page.htm");
    EXPECT_EQ(host_.Browser()->History().GetRowCount(), rows);
}

TEST_F(BrowserWindow, LinksShowTheirUrlWhileHoveredAndNavigateWhenClicked) {
    std::u16string second = Write(L"second.htm", "<title>Second</title>Arrived");
    std::u16string first = Write(L"first.htm", "Text before <a href=\"second.htm\">the link</a><br><br><br>after");
    host_.Navigate(first);
    HtmlBox* link = Word(u"link");
    HtmlBox* after = Word(u"after");
    ASSERT_TRUE(link && after);
    HWND page = host_.Page();
    SendMessageW(page, WM_MOUSEMOVE, 0, MAKELPARAM(link->x + 2, link->y + 2));
    EXPECT_EQ(host_.StatusText(), second);
    EXPECT_EQ(host_.Browser()->Document()->HoveredLink(), link->link);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    SendMessageW(page, WM_MOUSEMOVE, 0, MAKELPARAM(after->x + 2, after->y + 2));
    EXPECT_EQ(host_.StatusText(), u"");  // the last "Ready" text: none on a page without pictures
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
    SendMessageW(page, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(link->x + 2, link->y + 2));
    SendMessageW(page, WM_LBUTTONUP, 0, MAKELPARAM(link->x + 2, link->y + 2));
    EXPECT_EQ(host_.Title(), u"Second");
    EXPECT_EQ(host_.Browser()->CurrentUrl(), second);
    // The history keeps where the first page was scrolled to.
    const CHtmlStringTable& history = host_.Browser()->History();
    ASSERT_EQ(history.GetRowCount(), 2);
    EXPECT_EQ(std::u16string(history.GetRow(0).Get(2)), u"0");
}

TEST_F(BrowserWindow, DraggingPastTheBottomSelectsAndScrolls) {
    std::string text;
    for (int line = 0; line < 60; ++line) text += "line" + std::to_string(line) + "<br>";
    host_.Navigate(Write(L"long.htm", text));
    HWND window = host_.Page();
    RECT client;
    GetClientRect(window, &client);
    ASSERT_GT(SendMessageW(window, SCM_GETYMAX, 0, 0), 100);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(GetCapture(), window);
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, client.bottom + 30));
    EXPECT_EQ(SendMessageW(window, SCM_GETYPOS, 0, 0), 30);
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, client.bottom + 30));
    EXPECT_EQ(SendMessageW(window, SCM_GETYPOS, 0, 0), 60);
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(40, client.bottom + 30));
    EXPECT_NE(GetCapture(), window);
    // The selection runs from the first line to what the drag reached.
    EXPECT_EQ(Word(u"line0")->selected, 1);
    HtmlBox* reached = nullptr;
    for (HtmlBox* box : Boxes())
        if (box->kind == kBoxText && box->selected && (!reached || box->y > reached->y)) reached = box;
    ASSERT_TRUE(reached);
    EXPECT_GE(reached->y + reached->height, client.bottom + 30);
    EXPECT_EQ(Word(u"line59")->selected, 0);
}

TEST_F(BrowserWindow, FormsSendTheirFieldsWithGet) {
    std::u16string page = Write(L"form.htm",
                                "<form action=\"result.htm?x=1\" method=get>"
                                "<input name=q><input type=checkbox name=c value=yes>"
                                "<input type=checkbox name=d value=on checked>"
                                "<select name=s><option value=v1>One<option value=v2>Two</select>"
                                "<input type=submit value=Go name=b></form>");
    host_.Navigate(page);
    const CHtmlStringTable& controls = host_.Browser()->Controls();
    ASSERT_EQ(controls.GetRowCount(), 5);
    auto control = [&](int row) {
        return reinterpret_cast<HWND>(static_cast<INT_PTR>(_wtoi64(Wide(controls.GetRow(row).Get(0)).c_str())));
    };
    SetWindowTextW(control(0), L"a b&c\u00e9");
    SendMessageW(control(2), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(control(3), CB_SETCURSEL, 1, 0);
    EXPECT_TRUE(IsWindowVisible(control(0)));
    host_.Navigate(u"Submit(0)");
    // The reply page does not exist; the browser tried the URL of the form's query.
    std::u16string base = page.substr(0, page.rfind(u'\\') + 1);
    EXPECT_EQ(host_.Browser()->CurrentUrl(), base + u"result.htm?x=1&q=a+b%26c%e9&d=on&s=v2");
}

// --- Against the local HTTP test server ----------------------------------------

std::u16string ServerUrl(const char* path) {
    const char* state = std::getenv("MULVARA_HTTP_STATE");
    if (!state) return u"";
    HANDLE file = CreateFileA(state, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char text[64] = {};
    DWORD read = 0;
    if (file != INVALID_HANDLE_VALUE) {
        ReadFile(file, text, sizeof(text) - 1, &read, nullptr);
        CloseHandle(file);
    }
    std::string url = "http://127.0.0.1:" + std::to_string(std::atoi(text)) + path;
    return std::u16string(url.begin(), url.end());
}

std::string HttpGet(const std::u16string& url) {
    HINTERNET internet = InternetOpenW(L"test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    HINTERNET request = InternetOpenUrlW(internet, Wide(url).c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
    std::string body;
    char buffer[4096];
    DWORD read = 0;
    while (request && InternetReadFile(request, buffer, sizeof(buffer), &read) && read) body.append(buffer, read);
    if (request) InternetCloseHandle(request);
    InternetCloseHandle(internet);
    return body;
}

std::vector<std::string> Requests() {
    std::string text = HttpGet(ServerUrl("/requests"));
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

int CountRequests(const std::string& prefix) {
    int count = 0;
    for (const std::string& line : Requests()) count += line.rfind(prefix, 0) == 0;
    return count;
}

TEST_F(BrowserWindow, HttpPagesCarryTheUserAgentAndRefererAndFollowRedirects) {
    std::u16string page = ServerUrl("/page.htm");
    ASSERT_FALSE(page.empty()) << "no test server";
    host_.Navigate(page);
    EXPECT_EQ(host_.Title(), u"Served page");
    host_.Navigate(ServerUrl("/redirect/3"));
    EXPECT_EQ(host_.Browser()->CurrentUrl(), page);
    const CHtmlStringTable& history = host_.Browser()->History();
    ASSERT_EQ(history.GetRowCount(), 2);
    EXPECT_EQ(std::u16string(history.GetRow(1).Get(0)), page);
    std::string referer(page.begin(), page.end());
    bool seen = false;
    for (const std::string& line : Requests())
        if (line.rfind("GET\t/redirect/3\t", 0) == 0) {
            EXPECT_EQ(line, "GET\t/redirect/3\tFennors Browser\t" + referer + "\t");
            seen = true;
        }
    EXPECT_TRUE(seen);
}

TEST_F(BrowserWindow, RedirectLoopsAndOverlongLocationsFailLikeUnopenableUrls) {
    host_.Navigate(ServerUrl("/page.htm"));
    ASSERT_EQ(host_.Title(), u"Served page");
    int before = CountRequests("GET\t/loop\t");
    host_.Navigate(ServerUrl("/loop"));
    EXPECT_EQ(CountRequests("GET\t/loop\t") - before, CHtmlBrowser::kMaxRedirects + 1);
    host_.Navigate(ServerUrl("/long"));
    EXPECT_EQ(host_.Browser()->History().GetRowCount(), 1);
    EXPECT_TRUE(Word(u"Served"));
}

TEST_F(BrowserWindow, PostFormsReachTheirPortAndShowTheReplyWithoutPageTextFile) {
    std::u16string action = ServerUrl("/echo");
    ASSERT_FALSE(action.empty());
    std::string form = "<form action=\"" + std::string(action.begin(), action.end()) +
                       "\" method=post><input name=q value=\"a b\"><input type=image src=go.png></form>";
    std::u16string page = Write(L"post.htm", form);
    host_.Navigate(page);
    std::u16string written = ReadPageText();
    host_.Navigate(u"Submit(0)");
    EXPECT_EQ(host_.Title(), u"Echo");
    EXPECT_TRUE(Word(u"q=a+b"));
    EXPECT_TRUE(Word(u"application/x-www-form-urlencoded"));
    const CHtmlStringTable& history = host_.Browser()->History();
    ASSERT_EQ(history.GetRowCount(), 2);
    EXPECT_EQ(std::u16string(history.GetRow(1).Get(0)), action);
    EXPECT_EQ(host_.Browser()->CurrentUrl(), page);
    EXPECT_EQ(ReadPageText(), written);
}

TEST_F(BrowserWindow, AtMostElevenPicturesAreFetchedAtOnce) {
    host_.Navigate(ServerUrl("/pictures/12"));
    ASSERT_TRUE(PumpUntil([&] { return host_.StatusText().rfind(u"Ready, items:12, images:12", 0) == 0; }, 20000))
        << Narrow(host_.StatusText());
    std::string stats = HttpGet(ServerUrl("/stats"));
    int most = std::atoi(stats.c_str() + 5);
    EXPECT_LE(most, CHtmlImageList::kMaxFetches);
    EXPECT_GE(most, 2);
    for (HtmlBox* box : Boxes())
        if (box->kind == kBoxImage) {
            EXPECT_EQ(box->width, 16);
            EXPECT_EQ(box->height, 8);
        }
}

TEST_F(BrowserWindow, PicturesAreKeptByUrlAndBackgroundFlagAcrossPages) {
    std::u16string picture = ServerUrl("/pic/reused.png");
    std::string url(picture.begin(), picture.end());
    int before = CountRequests("GET\t/pic/reused.png\t");
    std::u16string first = Write(L"first.htm", "<img src=\"" + url + "\"><img src=\"" + url +
                                                   "\"><table background=\"" + url + "\"><tr><td>x</table>");
    host_.Navigate(first);
    ASSERT_TRUE(PumpUntil([&] { return host_.StatusText().rfind(u"Ready", 0) == 0; }, 10000));
    EXPECT_EQ(CountRequests("GET\t/pic/reused.png\t") - before, 2);  // as a picture and as a background
    std::u16string second = Write(L"second.htm", "again <img src=\"" + url + "\">");
    host_.Navigate(second);
    PumpUntil([&] { return false; }, 300);
    EXPECT_EQ(CountRequests("GET\t/pic/reused.png\t") - before, 2);
    HtmlBox* box = nullptr;
    for (HtmlBox* candidate : Boxes())
        if (candidate->kind == kBoxImage) box = candidate;
    ASSERT_TRUE(box);
    EXPECT_EQ(box->width, 16);  // decoded again from the kept bytes
}

TEST_F(BrowserWindow, SelectedWordsAreWhiteOnNavyAndHoveredLinksRed) {
    std::u16string page = Write(L"paint.htm", "<a href=\"x.htm\">MMMM</a> WWWW");
    host_.Navigate(page);
    HtmlBox* link = Word(u"MMMM");
    HtmlBox* plain = Word(u"WWWW");
    ASSERT_TRUE(link && plain);
    HWND window = host_.Page();
    auto pixels = [&](const HtmlBox* box, COLORREF colour) {
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(memory, host_.Browser()->BackBuffer());
        int count = 0;
        for (int y = box->y; y < box->y + box->height; ++y)
            for (int x = box->x; x < box->x + box->width; ++x) count += GetPixel(memory, x, y) == colour;
        SelectObject(memory, old);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return count;
    };
    // Drag across the plain word: it is selected and painted white on navy.
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(plain->x + 1, plain->y + 2));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(plain->x + plain->width - 1, plain->y + plain->height - 2));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(plain->x + plain->width - 1, plain->y + plain->height - 2));
    EXPECT_EQ(plain->selected, 1);
    EXPECT_EQ(link->selected, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(pixels(plain, 0x800000), plain->width * plain->height / 3);
    EXPECT_GT(pixels(plain, 0xFFFFFF), 4);
    // Hovering the link paints it red, its underline too.
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(link->x + 2, link->y + 2));
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(pixels(link, 0x0000FF), 4);
    EXPECT_EQ(pixels(link, 0xFF0000), 0);
}

TEST_F(BrowserWindow, ClosingWhileAPictureTricklesInEndsPromptly) {
    std::u16string slow = ServerUrl("/slow.png");
    std::u16string page = Write(L"slow.htm", "<img src=\"" + std::string(slow.begin(), slow.end()) + "\">text");
    host_.Navigate(page);
    ASSERT_TRUE(PumpUntil([&] { return CountRequests("GET\t/slow.png\t") > 0; }, 10000));
    DWORD start = GetTickCount();
    host_.Destroy();
    EXPECT_LT(GetTickCount() - start, 3000u);
}

// The scroll manager alone, in a plain window that passes it every message.
LRESULT CALLBACK ScrolledWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == SCM_SCROLLED) {
        SetWindowLongPtrW(window, GWLP_USERDATA, GetWindowLongPtrW(window, GWLP_USERDATA) + LONG_PTR(lparam));
        return 0;
    }
    LRESULT result = ScrollManagerProc(window, message, wparam, lparam);
    if (message == WM_PAINT || message == WM_NCPAINT || message == WM_NCCALCSIZE || message == WM_NCCREATE ||
        message == WM_ERASEBKGND || message == WM_NCHITTEST || message == WM_SETCURSOR || message == WM_WINDOWPOSCHANGED ||
        message == WM_SHOWWINDOW || message == WM_STYLECHANGED)
        return DefWindowProcW(window, message, wparam, lparam);
    return message < WM_USER ? DefWindowProcW(window, message, wparam, lparam) : result;
}

TEST(ScrollManager, BarsFollowTheContentAndTheWheel) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ScrolledWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"MulvaraScrolled";
    RegisterClassW(&windowClass);
    RECT frame = {0, 0, 200, 200};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window = CreateWindowExW(0, L"MulvaraScrolled", L"", WS_OVERLAPPEDWINDOW, 0, 0, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(window);
    ShowWindow(window, SW_SHOWNA);
    SendMessageW(window, SCM_SETCONTENTSIZE, 100, 300);
    EXPECT_EQ(SendMessageW(window, SCM_GETYMAX, 0, 0), 100);
    EXPECT_EQ(SendMessageW(window, SCM_GETXMAX, 0, 0), 0);
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_PAGE | SIF_POS;
    GetScrollInfo(window, SB_VERT, &info);
    EXPECT_EQ(info.nPage, 66u);
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_STYLE) & WS_VSCROLL);

    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 0);
    int position = -1;
    EXPECT_EQ(SendMessageW(window, SCM_GETYPOS, 0, LPARAM(&position)), 30);
    EXPECT_EQ(position, 30);
    EXPECT_EQ(GetWindowLongPtrW(window, GWLP_USERDATA), -30);  // the content moved up by 30
    for (int i = 0; i < 5; ++i) SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 0);
    EXPECT_EQ(SendMessageW(window, SCM_GETYPOS, 0, 0), 100);
    SendMessageW(window, SCM_SETYPOS, 0, 1);
    EXPECT_EQ(SendMessageW(window, SCM_GETYPOS, 0, 0), 1);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), 1);  // one pixel already moves the thumb
    SendMessageW(window, SCM_SETYPOS, 0, 5000);
    EXPECT_EQ(SendMessageW(window, SCM_GETYPOS, 0, 0), 100);

    // A hand drag moves the content with the pointer, within the range.
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    EXPECT_EQ(GetCapture(), window);
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 80));
    EXPECT_EQ(SendMessageW(window, SCM_GETYPOS, 0, 0), 70);
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 400));
    EXPECT_EQ(SendMessageW(window, SCM_GETYPOS, 0, 0), 0);
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(50, 400));
    EXPECT_NE(GetCapture(), window);
    SendMessageW(window, SCM_SETYPOS, 0, 100);

    // Grown past the content: no bar, back at the top.
    frame = {0, 0, 200, 400};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(SendMessageW(window, SCM_GETYMAX, 0, 0), 0);
    EXPECT_EQ(SendMessageW(window, SCM_GETYPOS, 0, 0), 0);
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_STYLE) & WS_VSCROLL);
    DestroyWindow(window);
    ScrollManagerProc(nullptr, 0, 0, 0);
}

}  // namespace
