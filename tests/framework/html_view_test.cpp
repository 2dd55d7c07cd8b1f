// The web-browser view over a stand-in registered under the WebBrowser
// class id, and over Wine's own control (which renders nothing here).
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "browser_standin.h"
#include "framework.h"
#include "html_view.h"
#include "test_app.h"

namespace {

class HtmlViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::OleInitialize(nullptr);
    StandInControl::calls.clear();
    StandInBrowser::navigations.clear();
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Browser", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 420, 320)));
  }
  void TearDown() override {
    if (frame != nullptr && frame->GetSafeHwnd() != nullptr) frame->DestroyWindow();
    PumpPending();
    EXPECT_EQ(StandInControl::live, 0);
    registration.reset();
    ::OleUninitialize();
  }
  CHtmlView* MakeView() {
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CHtmlView);
    auto* view = static_cast<CHtmlView*>(frame->CreateView(&context));
    if (view != nullptr) {
      frame->SetActiveView(view, FALSE);
      frame->RecalcLayout();
    }
    return view;
  }

  std::optional<StandInControl::Registration> registration;
  CFrameWnd* frame = nullptr;
};

TEST_F(HtmlViewTest, ControlFillsTheViewAndGoesWithIt) {
  registration.emplace(CLSID_WebBrowser, &StandInBrowser::Make);
  ASSERT_TRUE(registration->ok());
  CHtmlView* view = MakeView();
  ASSERT_NE(view, nullptr);
  StandInControl* made = StandInControl::last;
  ASSERT_NE(made, nullptr);
  ASSERT_NE(view->m_pBrowserApp, nullptr);
  EXPECT_EQ(view->m_wndBrowser.GetSafeHwnd(), made->window);
  EXPECT_EQ(view->GetDlgItem(AFX_IDW_PANE_FIRST), &view->m_wndBrowser);
  for (CSize size : {CSize(420, 320), CSize(300, 500)}) {
    frame->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
    frame->RecalcLayout();
    PumpPending();
    CRect client;
    view->GetClientRect(&client);
    EXPECT_EQ(ChildRect(view, &view->m_wndBrowser), client) << size.cx;
    EXPECT_EQ(CRect(made->objectRect), client) << size.cx;
  }

  // Every reference the view and its container held is let go with the
  // view's window: the control ends.
  StandInControl::calls.clear();
  view->DestroyWindow();
  EXPECT_EQ(StandInControl::calls,
            (std::vector<std::string>{"InPlaceDeactivate", "Close", "SetClientSite(null)"}));
  EXPECT_EQ(StandInControl::live, 0);
}

TEST_F(HtmlViewTest, Navigate2PassesWhatItIsGiven) {
  registration.emplace(CLSID_WebBrowser, &StandInBrowser::Make);
  CHtmlView* view = MakeView();
  ASSERT_NE(view, nullptr);
  const char form[] = "a=1&b=2";
  EXPECT_EQ(view->Navigate2(L"C:\\pages\\book.xls"), S_OK);
  EXPECT_EQ(view->Navigate2(L"http://example.test/form", navNoHistory, L"_self", form, 7, L"X-Test: 1\r\n"), S_OK);
  ASSERT_EQ(StandInBrowser::navigations.size(), 2u);

  const StandInBrowser::Navigation& plain = StandInBrowser::navigations[0];
  EXPECT_EQ(plain.urlType, VT_BSTR);
  EXPECT_EQ(plain.url, L"C:\\pages\\book.xls");
  EXPECT_EQ(plain.flagsType, VT_I4);
  EXPECT_EQ(plain.flags, 0);
  EXPECT_EQ(plain.targetType, VT_EMPTY);
  EXPECT_EQ(plain.postType, VT_EMPTY);
  EXPECT_EQ(plain.headersType, VT_EMPTY);

  const StandInBrowser::Navigation& full = StandInBrowser::navigations[1];
  EXPECT_EQ(full.url, L"http://example.test/form");
  EXPECT_EQ(full.flags, navNoHistory);
  EXPECT_EQ(full.target, L"_self");
  EXPECT_EQ(full.postType, VT_ARRAY | VT_UI1);
  EXPECT_EQ(std::string(full.post.begin(), full.post.end()), "a=1&b=2");
  EXPECT_EQ(full.headers, L"X-Test: 1\r\n");

  view->DestroyWindow();
  EXPECT_EQ(StandInControl::live, 0);
}

TEST_F(HtmlViewTest, ControlWithoutBrowserInterfaceIsRefused) {
  // A control under the class id that is no browser: the view is not made
  // and nothing of the control is kept.
  registration.emplace(CLSID_WebBrowser);
  EXPECT_EQ(MakeView(), nullptr);
  EXPECT_EQ(StandInControl::live, 0);
}

TEST_F(HtmlViewTest, WinesOwnControlIsHostedAndNavigated) {
  WCHAR temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring page = std::wstring(temp) + L"html-view-" + std::to_wstring(::GetCurrentProcessId()) + L".htm";
  HANDLE file = ::CreateFileW(page.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const char text[] = "<html><body>Hello</body></html>";
  DWORD written = 0;
  ::WriteFile(file, text, sizeof text - 1, &written, nullptr);
  ::CloseHandle(file);

  CHtmlView* view = MakeView();
  ASSERT_NE(view, nullptr);
  ASSERT_NE(view->m_pBrowserApp, nullptr);
  EXPECT_TRUE(SUCCEEDED(view->Navigate2(page.c_str())));
  PumpPending();
  CRect client;
  view->GetClientRect(&client);
  EXPECT_EQ(ChildRect(view, &view->m_wndBrowser), client);
  view->DestroyWindow();
  PumpPending();
  ::DeleteFileW(page.c_str());
}

}  // namespace
