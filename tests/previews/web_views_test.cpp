// The web view and the HTML viewer in the preview pane. Wine has no HTML
// engine here, so the web view's navigation is checked on a stand-in
// registered under the WebBrowser class id.
#include <gtest/gtest.h>

#include <commctrl.h>

#include <optional>
#include <string>

#include "browser_standin.h"
#include "html_browser_win32.h"
#include "html_views.h"
#include "placeholder_views.h"
#include "preview_frame.h"
#include "preview_host.h"
#include "preview_state.h"
#include "test_app.h"
#include "transparent_controls.h"

namespace {

void WriteText(const std::wstring& path, const std::string& text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

std::wstring Lowered(std::wstring text) {
  CharLowerW(text.data());
  return text;
}

CRect WindowRectIn(CWnd* parent, HWND child) {
  CRect rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent->GetSafeHwnd(), reinterpret_cast<LPPOINT>(&rect), 2);
  return rect;
}

class WebViews : public PreviewFrameTest {
 protected:
  void SetUp() override {
    OleInitialize(nullptr);
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    MakeFolder(std::wstring(temp) + L"web-views-" + std::to_wstring(GetCurrentProcessId()));
    StandInControl::calls.clear();
    StandInBrowser::navigations.clear();
    OpenFrame();
  }
  void TearDown() override {
    CloseFrameAndFolder();
    EXPECT_EQ(StandInControl::live, 0);
    registration.reset();
    CoUninitialize();
    OleUninitialize();
  }
  void Resize(int width, int height) {
    frame->SetWindowPos(nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE);
    frame->RecalcLayout();
    PumpPending();
  }

  std::optional<StandInControl::Registration> registration;
};

TEST_F(WebViews, NavigationReachesTheControlAsThePathAlone) {
  registration.emplace(CLSID_WebBrowser, &StandInBrowser::Make);
  ASSERT_TRUE(registration->ok());
  const struct {
    const wchar_t* name;
    DWORD leastMs;  // the pause before the view shows
  } cases[] = {{L"page.htm", 0}, {L"Book.XLS", 100}, {L"picture.gif", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + wcslen(c.name)));
    WriteText(File(c.name), "<html><body>x</body></html>");
    StandInBrowser::navigations.clear();
    const DWORD start = GetTickCount();
    Show(File(c.name));
    const DWORD took = GetTickCount() - start;
    EXPECT_GE(took, c.leastMs);
    ASSERT_NE(host->WebView, nullptr);
    EXPECT_EQ(PreviewLoadedFlag(), 1);
    EXPECT_EQ(host->Placeholder, nullptr);
    EXPECT_TRUE(host->WebView->IsWindowVisible());
    ASSERT_EQ(StandInBrowser::navigations.size(), 1u);
    const StandInBrowser::Navigation& made = StandInBrowser::navigations[0];
    EXPECT_EQ(made.url, Lowered(File(c.name)));
    EXPECT_EQ(made.flagsType, VT_I4);
    EXPECT_EQ(made.flags, 0);
    EXPECT_EQ(made.targetType, VT_EMPTY);
    EXPECT_EQ(made.postType, VT_EMPTY);
    EXPECT_EQ(made.headersType, VT_EMPTY);
    // Closing lets go of every reference to the control.
    host->CloseAllPreviews();
    PumpPending();
    EXPECT_EQ(StandInControl::live, 0);
  }
}

TEST_F(WebViews, DialogStaysShortOfTheEdgesAndTakesTheFocus) {
  registration.emplace(CLSID_WebBrowser, &StandInBrowser::Make);
  WriteText(File(L"page.htm"), "<html></html>");
  Show(File(L"page.htm"));
  CHtml_View* view = host->WebView;
  ASSERT_NE(view, nullptr);
  ASSERT_NE(view->m_dialog, nullptr);
  HWND dialog = view->m_dialog->GetSafeHwnd();
  ASSERT_TRUE(IsWindow(dialog));
  EXPECT_EQ(GetParent(dialog), view->GetSafeHwnd());
  EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
  EXPECT_TRUE(IsWindowVisible(dialog));
  for (CSize size : {CSize(640, 480), CSize(500, 420)}) {
    SetFocus(frame->GetSafeHwnd());
    Resize(size.cx, size.cy);
    CRect client;
    view->GetClientRect(&client);
    EXPECT_EQ(WindowRectIn(view, dialog), CRect(0, 0, client.right - 8, client.bottom - 8)) << size.cx;
    EXPECT_EQ(ChildRect(view, &view->m_wndBrowser), client) << size.cx;
    EXPECT_EQ(GetFocus(), dialog) << size.cx;
  }
}

TEST_F(WebViews, WinesControlShowsTheViewWithoutACard) {
  // Wine's own WebBrowser: blank here, yet the view is made and shown.
  WriteText(File(L"book.xls"), "not really a workbook");
  Show(File(L"book.xls"));
  ASSERT_NE(host->WebView, nullptr);
  EXPECT_NE(host->WebView->m_pBrowserApp, nullptr);
  EXPECT_EQ(PreviewLoadedFlag(), 1);
  EXPECT_EQ(host->Placeholder, nullptr);
}

TEST_F(WebViews, HtmlViewerShowsThePageAboveTheStatusBar) {
  const std::wstring path = File(L"small.html");
  WriteText(path, "<html><head><title>Small</title></head><body><b>Hello</b> page</body></html>");
  Show(path);
  ASSERT_NE(host->HtmlViewer, nullptr);
  EXPECT_EQ(PreviewLoadedFlag(), 1);
  EXPECT_EQ(host->Placeholder, nullptr);
  ASSERT_NE(HtmlViewerBrowser, nullptr);
  ASSERT_TRUE(IsWindow(HtmlPageWindow));
  ASSERT_TRUE(IsWindow(HtmlStatusBar));
  EXPECT_EQ(GetDlgCtrlID(HtmlStatusBar), 0);
  // The backslashes stay as the path has them.
  const std::wstring url = L"file://" + Lowered(path);
  EXPECT_EQ(HtmlViewerBrowser->CurrentUrl(), std::u16string(url.begin(), url.end()));
  ASSERT_NE(HtmlViewerBrowser->Document(), nullptr);
  EXPECT_EQ(HtmlViewerBrowser->History().GetRowCount(), 1);
  for (CSize size : {CSize(700, 500), CSize(520, 380)}) {
    Resize(size.cx, size.cy);
    CRect client;
    host->HtmlViewer->GetClientRect(&client);
    EXPECT_EQ(WindowRectIn(host->HtmlViewer, HtmlStatusBar), CRect(0, client.bottom - 20, client.right, client.bottom))
        << size.cx;
    EXPECT_EQ(WindowRectIn(host->HtmlViewer, HtmlPageWindow), CRect(0, 0, client.right, client.bottom - 20))
        << size.cx;
  }
  HWND page = HtmlPageWindow;
  host->CloseAllPreviews();
  PumpPending();
  EXPECT_FALSE(IsWindow(page));
  EXPECT_EQ(HtmlPageWindow, nullptr);
  EXPECT_EQ(HtmlViewerBrowser, nullptr);
}

}  // namespace
