// Program messages and questions, on the interface thread and on a worker.
#include <gtest/gtest.h>

#include <thread>

#include "app_message.h"
#include "app_message_dlg.h"
#include "box_probe.h"
#include "html_message_box.h"
#include "test_app.h"

namespace {

struct Seen {
  std::wstring caption;
  std::vector<UINT> ids;
  bool closeEnabled = true;
  RECT client = {};
};

Seen Look(HWND box) {
  Seen seen;
  seen.caption = WindowText(box);
  for (const BoxButton& button : ReadButtons(box)) seen.ids.push_back(button.id);
  seen.closeEnabled = CloseItemEnabled(box);
  ::GetClientRect(box, &seen.client);
  return seen;
}

class ProgramMessages : public ::testing::Test {
 protected:
  void TearDown() override { SetAppMessage(0, u""); }
};

TEST_F(ProgramMessages, EveryKindShowsOneOkButtonUnderTheProgramCaption) {
  std::vector<Seen> shown;
  for (int kind = 1; kind <= 3; ++kind) {
    SCOPED_TRACE(kind);
    SetAppMessage(kind, u"The same text");
    CAppMessageDlg dlg;
    const INT_PTR result = BoxProbe::Run([&] { return static_cast<int>(dlg.DoModal()); },
                                         [&](HWND box, int) {
                                           shown.push_back(Look(box));
                                           Click(box, IDOK);
                                         });
    EXPECT_EQ(result, IDOK);
    // Showing leaves the pair as it was.
    EXPECT_EQ(GetAppMessage().text, u"The same text");
    EXPECT_EQ(GetAppMessage().kind, kind);
  }
  ASSERT_EQ(shown.size(), 3u);
  for (const Seen& seen : shown) {
    EXPECT_EQ(seen.caption, L"Mulvara");
    EXPECT_EQ(seen.ids, std::vector<UINT>{IDOK});
    EXPECT_TRUE(seen.closeEnabled);
    EXPECT_EQ(seen.client.right, shown[0].client.right);
    EXPECT_EQ(seen.client.bottom, shown[0].client.bottom);
  }
}

TEST_F(ProgramMessages, AMessageEndsWithEscape) {
  SetAppMessage(2, u"Could not read the disk.");
  CAppMessageDlg dlg;
  EXPECT_EQ(BoxProbe::Run([&] { return static_cast<int>(dlg.DoModal()); }, [](HWND box, int) { PressEscape(box); }),
            IDCANCEL);
}

TEST_F(ProgramMessages, LineBreaksGiveSeveralLines) {
  RECT one = {}, three = {};
  for (RECT* client : {&one, &three}) {
    SetAppMessage(1, client == &one ? u"First line" : u"First line\nSecond line\nThird line");
    CAppMessageDlg dlg;
    BoxProbe::Run([&] { return static_cast<int>(dlg.DoModal()); },
                  [&](HWND box, int) {
                    ::GetClientRect(box, client);
                    Click(box, IDOK);
                  });
  }
  // The icon is taller than one line; three lines still need more room.
  EXPECT_GT(three.bottom, one.bottom);
}

TEST_F(ProgramMessages, AQuestionOffersYesAndNoAndIgnoresEscape) {
  struct Case {
    UINT press;
    INT_PTR result;
  } cases[] = {{IDYES, 1}, {IDNO, 2}};
  for (const Case& c : cases) {
    SetAppMessage(3, u"Stop the scan?");
    CQuestionDlg dlg;
    Seen seen;
    bool escapeIgnored = false;
    const INT_PTR result = BoxProbe::Run([&] { return static_cast<int>(dlg.DoModal()); },
                                         [&](HWND box, int tick) {
                                           if (tick == 0) {
                                             seen = Look(box);
                                             PressEscape(box);
                                           } else {
                                             escapeIgnored = true;
                                             Click(box, c.press);
                                           }
                                         });
    EXPECT_EQ(result, c.result);
    EXPECT_TRUE(escapeIgnored);
    EXPECT_EQ(seen.ids, (std::vector<UINT>{IDYES, IDNO}));
    EXPECT_FALSE(seen.closeEnabled);
    EXPECT_EQ(seen.caption, L"Mulvara");
  }
}

// A worker asks while the interface thread keeps pumping: the box comes up
// over the program's main window, and the worker gets the answer.
TEST_F(ProgramMessages, AWorkerAsksOverTheMainWindowWhileTheInterfaceThreadPumps) {
  CWnd frame;
  ASSERT_TRUE(frame.CreateEx(0, L"STATIC", L"Main window", WS_POPUP | WS_VISIBLE | WS_CAPTION, 100, 100, 400, 300,
                             nullptr, nullptr));
  CWnd* previousMain = TheTestApp().m_pMainWnd;
  TheTestApp().m_pMainWnd = &frame;

  HANDLE done = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  INT_PTR answer = 0;
  HWND owner = nullptr;
  bool ownerDisabled = false;
  std::thread worker([&] {
    SetAppMessage(3, u"Recover the files found so far?");
    CQuestionDlg dlg;
    answer = BoxProbe::Run([&] { return static_cast<int>(dlg.DoModal()); },
                           [&](HWND box, int) {
                             owner = ::GetWindow(box, GW_OWNER);
                             ownerDisabled = !::IsWindowEnabled(owner);
                             Click(box, IDYES);
                           });
    ::SetEvent(done);
  });
  EXPECT_TRUE(PumpUntilSignalled(done, 20000));
  worker.join();
  ::CloseHandle(done);
  TheTestApp().m_pMainWnd = previousMain;

  EXPECT_EQ(answer, 1);
  EXPECT_EQ(owner, frame.GetSafeHwnd());
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(frame.IsWindowEnabled());
  frame.DestroyWindow();
}

}  // namespace
