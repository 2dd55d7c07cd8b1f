// The marked-up message box, driven in its own modal loop.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include "box_probe.h"
#include "html_message_box.h"
#include "test_app.h"
#include "test_resources.h"

namespace {

const UINT kQuiet = HMB_NOSOUND;

std::vector<UINT> Ids(const std::vector<BoxButton>& buttons) {
  std::vector<UINT> ids;
  for (const BoxButton& button : buttons) ids.push_back(button.id);
  return ids;
}

struct SetCase {
  UINT style;
  std::vector<UINT> ids;
  bool closeAllowed;
  int escapeResult;  // what Escape ends the box with; 0 = Escape is ignored
};

const SetCase kSetCases[] = {
    {0, {IDOK}, true, IDCANCEL},
    {1, {IDOK, IDCANCEL}, true, IDCANCEL},
    {2, {IDABORT, IDRETRY, IDIGNORE}, false, 0},
    {3, {IDYES, IDNO, IDCANCEL}, true, IDCANCEL},
    {3 | HMB_YESTOALL | HMB_NOTOALL, {IDYES, HMB_IDYESTOALL, IDNO, HMB_IDNOTOALL, IDCANCEL}, true, IDCANCEL},
    {4, {IDYES, IDNO}, false, 0},
    {4 | HMB_NOTOALL, {IDYES, IDNO, HMB_IDNOTOALL}, false, 0},
    {5, {IDRETRY, IDCANCEL}, true, IDCANCEL},
    {6, {IDCANCEL, IDRETRY, HMB_IDCONTINUE}, true, IDCANCEL},
    {7, {HMB_IDCONTINUE, IDABORT}, false, 0},
    {8, {HMB_IDSKIP, HMB_IDSKIPALL, IDCANCEL}, true, IDCANCEL},
    {9, {IDIGNORE, HMB_IDIGNOREALL, IDCANCEL}, true, IDCANCEL},
    // Sets 10 to 15 would have no buttons and no way out: they are set 0.
    {12, {IDOK}, true, IDCANCEL},
    {15, {IDOK}, true, IDCANCEL},
    // Yes to all is only for the yes/no sets.
    {1 | HMB_YESTOALL, {IDOK, IDCANCEL}, true, IDCANCEL},
};

TEST(HtmlMessageBox, ButtonSetsGiveTheirButtonsAndEscapeEndsOnlyClosableBoxes) {
  for (const SetCase& c : kSetCases) {
    SCOPED_TRACE(testing::Message() << "style " << std::hex << c.style);
    std::vector<UINT> ids;
    bool closeEnabled = false;
    bool escapeIgnored = false;
    const int result = BoxProbe::Run(
        [&] { return ShowHtmlMessageBox(nullptr, L"Message", L"Sets", c.style | kQuiet, nullptr); },
        [&](HWND box, int tick) {
          if (tick == 0) {
            ids = Ids(ReadButtons(box));
            closeEnabled = CloseItemEnabled(box);
            PressEscape(box);
          } else {
            // Still up after the Escape was handled: close with the first button.
            escapeIgnored = true;
            Click(box, ids.empty() ? IDOK : ids.front());
          }
        });
    EXPECT_EQ(ids, c.ids);
    EXPECT_EQ(closeEnabled, c.closeAllowed);
    if (c.escapeResult != 0) {
      EXPECT_FALSE(escapeIgnored);
      EXPECT_EQ(result, c.escapeResult);
    } else {
      EXPECT_TRUE(escapeIgnored);
      EXPECT_EQ(result, static_cast<int>(c.ids.front()));
    }
  }
}

TEST(HtmlMessageBox, CustomButtonsTakeNonEmptyLinesUpToFour) {
  struct Case {
    const wchar_t* text;
    std::vector<std::wstring> captions;
  } cases[] = {
      {L"A\r\n\r\nB\r\n", {L"A", L"B"}},
      {L"One\nTwo\nThree\nFour\nFive\nSix", {L"One", L"Two", L"Three", L"Four"}},
  };
  for (const Case& c : cases) {
    std::vector<BoxButton> buttons;
    bool closeEnabled = true;
    MessageBoxParams params;
    InitMessageBoxParams(params);
    params.customButtons = c.text;
    const int result = BoxProbe::Run(
        [&] { return ShowHtmlMessageBox(nullptr, L"Choose", L"Custom", kQuiet, &params); },
        [&](HWND box, int) {
          buttons = ReadButtons(box);
          closeEnabled = CloseItemEnabled(box);
          Click(box, buttons.back().id);
        });
    ASSERT_EQ(buttons.size(), c.captions.size());
    for (size_t n = 0; n < buttons.size(); ++n) {
      EXPECT_EQ(buttons[n].id, HMB_IDCUSTOM1 + n);
      EXPECT_EQ(buttons[n].text, c.captions[n]);
    }
    EXPECT_FALSE(closeEnabled);
    EXPECT_EQ(result, static_cast<int>(HMB_IDCUSTOM1 + c.captions.size() - 1));
  }
}

TEST(HtmlMessageBox, DefaultIndexPastTheLastButtonMeansTheFirst) {
  std::vector<BoxButton> buttons;
  BoxProbe::Run([&] { return ShowHtmlMessageBox(nullptr, L"Default", L"Default", MB_YESNOCANCEL | 0x500 | kQuiet, nullptr); },
                [&](HWND box, int) {
                  buttons = ReadButtons(box);
                  Click(box, IDCANCEL);
                });
  ASSERT_EQ(buttons.size(), 3u);
  EXPECT_TRUE(buttons[0].isDefault);
  EXPECT_FALSE(buttons[1].isDefault);
  EXPECT_FALSE(buttons[2].isDefault);
}

TEST(HtmlMessageBox, ButtonRowFollowsAlignment) {
  struct Case {
    int alignment;
    int firstX;  // -1: centred
  } cases[] = {{0, 11}, {1, -2}, {2, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.alignment);
    std::vector<BoxButton> buttons;
    RECT client = {};
    MessageBoxParams params;
    InitMessageBoxParams(params);
    params.buttonAlignment = c.alignment;
    BoxProbe::Run(
        [&] {
          return ShowHtmlMessageBox(nullptr, L"A message wide enough to leave room beside the two buttons of the row",
                                    L"Row", MB_OKCANCEL | kQuiet, &params);
        },
        [&](HWND box, int) {
          buttons = ReadButtons(box);
          ::GetClientRect(box, &client);
          Click(box, IDOK);
        });
    ASSERT_EQ(buttons.size(), 2u);
    const int width = buttons[0].rect.right - buttons[0].rect.left;
    EXPECT_EQ(width, 80);
    EXPECT_EQ(buttons[0].rect.bottom - buttons[0].rect.top, 23);
    EXPECT_EQ(buttons[1].rect.left - buttons[0].rect.right, 11);
    EXPECT_EQ(buttons[0].rect.bottom, client.bottom - 11);
    if (c.firstX >= 0) {
      EXPECT_EQ(buttons[0].rect.left, 11);
      EXPECT_EQ(buttons[1].rect.left, 102);
    } else if (c.firstX == -2) {
      EXPECT_EQ(buttons[1].rect.right, client.right - 11);
    } else {
      EXPECT_NEAR(buttons[0].rect.left, client.right - buttons[1].rect.right, 1);
    }
  }
}

class RememberedAnswers : public ::testing::Test {
 protected:
  void SetUp() override {
    company = KeyOfThisTest(L"MulvaraTests");
    SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\" + CString(company.c_str()));
    InitMessageBoxParams(params);
    params.companyKey = company.c_str();
    params.answerValueName = L"Question";
    params.answerValueNumber = 7;
  }
  void TearDown() override {
    BoxProbe::StopWatching();
    SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\" + CString(company.c_str()));
  }
  bool Stored(DWORD& value) {
    DWORD size = sizeof value;
    return ::RegGetValueW(HKEY_CURRENT_USER, AnswerKeyName(company.c_str()), L"Question7", RRF_RT_REG_DWORD,
                          nullptr, &value, &size) == ERROR_SUCCESS;
  }
  // Shows the box; the probe checks the check box when asked and presses Yes.
  int AnswerYes(UINT style, bool check) {
    return BoxProbe::Run([&] { return ShowHtmlMessageBox(nullptr, L"Again?", L"Remember", style, &params); },
                         [&](HWND box, int tick) {
                           if (tick == 0 && check) ::PostMessageW(FindCheckBox(box), BM_CLICK, 0, 0);
                           if (tick == 1) Click(box, IDYES);
                         });
  }
  std::wstring company;
  MessageBoxParams params;
};

TEST_F(RememberedAnswers, AClickedAnswerIsStoredAndReturnedWithoutAWindow) {
  struct Case {
    UINT extra;
    bool clickCheckBox;
    DWORD answer;
  } cases[] = {{0, true, IDYES}, {HMB_CHECKED, false, IDYES | HMB_CHECKED}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extra);
    SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\" + CString(company.c_str()));
    const UINT style = MB_YESNO | HMB_CHECKBOX | c.extra | kQuiet;
    EXPECT_EQ(AnswerYes(style, c.clickCheckBox), static_cast<int>(c.answer));
    DWORD stored = 0;
    ASSERT_TRUE(Stored(stored));
    EXPECT_EQ(stored, c.answer);
    BoxProbe::WatchCreations();
    EXPECT_EQ(ShowHtmlMessageBox(nullptr, L"Again?", L"Remember", style, &params), static_cast<int>(c.answer));
    EXPECT_EQ(BoxProbe::DialogsCreated(), 0);
    BoxProbe::StopWatching();
  }
}

TEST_F(RememberedAnswers, AnUncheckedBoxStoresNothing) {
  EXPECT_EQ(AnswerYes(MB_YESNO | HMB_CHECKBOX | kQuiet, false), IDYES);
  DWORD stored = 0;
  EXPECT_FALSE(Stored(stored));
}

// An auto-closed box did not hear from the user: its pre-checked box must
// not turn into an answer that silences every later call.
TEST_F(RememberedAnswers, AutoCloseNeverRemembersAnAnswer) {
  params.autoCloseSeconds = 1;
  const UINT style = MB_OK | HMB_CHECKBOX | HMB_CHECKED | kQuiet;
  const int result = BoxProbe::Run([&] { return ShowHtmlMessageBox(nullptr, L"Auto", L"Remember", style, &params); },
                                   [](HWND, int) {});
  EXPECT_EQ(result, static_cast<int>(IDOK | HMB_CHECKED));
  DWORD stored = 0;
  EXPECT_FALSE(Stored(stored));
  // The next call shows the box again.
  params.autoCloseSeconds = 0;
  bool shown = false;
  BoxProbe::Run([&] { return ShowHtmlMessageBox(nullptr, L"Auto", L"Remember", style, &params); },
                [&](HWND box, int) {
                  shown = true;
                  Click(box, IDOK);
                });
  EXPECT_TRUE(shown);
}

TEST(HtmlMessageBox, AutoCloseCountsDownOnTheDefaultButtonAndPressesIt) {
  MessageBoxParams params;
  InitMessageBoxParams(params);
  params.autoCloseSeconds = 3;
  std::vector<std::wstring> seen;
  const int result = BoxProbe::Run(
      [&] { return ShowHtmlMessageBox(nullptr, L"Closing soon", L"Auto", MB_OKCANCEL | MB_DEFBUTTON2 | kQuiet, &params); },
      [&](HWND box, int) {
        const std::wstring text = WindowText(::GetDlgItem(box, IDCANCEL));
        if (seen.empty() || seen.back() != text) seen.push_back(text);
      },
      40, 20000);
  EXPECT_EQ(result, IDCANCEL);
  const std::vector<std::wstring> expected = {L"Cancel = 3", L"Cancel = 2", L"Cancel = 1"};
  EXPECT_EQ(seen, expected);
}

TEST(HtmlMessageBox, DisableWithCountdownInCaptionEnablesButtonsAtTheEnd) {
  MessageBoxParams params;
  InitMessageBoxParams(params);
  params.disableSeconds = 2;
  params.countdownInCaption = TRUE;
  std::vector<std::wstring> captions;
  std::vector<BoxButton> atStart;
  bool closeAtStart = true;
  std::vector<BoxButton> atEnd;
  const int result = BoxProbe::Run(
      [&] { return ShowHtmlMessageBox(nullptr, L"Read this first", L"Wait", MB_OKCANCEL | kQuiet, &params); },
      [&](HWND box, int tick) {
        if (tick == 0) {
          atStart = ReadButtons(box);
          closeAtStart = CloseItemEnabled(box);
        }
        const std::wstring caption = WindowText(box);
        if (captions.empty() || captions.back() != caption) captions.push_back(caption);
        if (caption == L"Wait") {
          atEnd = ReadButtons(box);
          Click(box, IDOK);
        }
      },
      40, 20000);
  EXPECT_EQ(result, IDOK);
  const std::vector<std::wstring> expected = {L"Wait (2 seconds remaining)", L"Wait (1 seconds remaining)", L"Wait"};
  EXPECT_EQ(captions, expected);
  ASSERT_EQ(atStart.size(), 2u);
  EXPECT_FALSE(atStart[0].enabled);
  EXPECT_FALSE(atStart[1].enabled);
  EXPECT_FALSE(closeAtStart);
  ASSERT_EQ(atEnd.size(), 2u);
  EXPECT_TRUE(atEnd[0].enabled);
  EXPECT_TRUE(atEnd[1].enabled);
  EXPECT_TRUE(atEnd[0].isDefault);
}

// The countdown format may come from the caller; only a "%s" then "%d" is
// taken, and never as a printf format.
TEST(HtmlMessageBox, CountdownFormatAcceptsOnlyOneStringThenOneNumber) {
  struct Case {
    const wchar_t* format;
    const wchar_t* shown;
  } cases[] = {
      {L"%s - %d s", L"Box - 4 s"},
      {L"%s: 100%% in %d", L"Box: 100% in 4"},
      {L"%d %s", L"Box (4 seconds remaining)"},
      {L"%s %n %d", L"Box (4 seconds remaining)"},
      {L"%s %s %d", L"Box (4 seconds remaining)"},
      {L"%s %d %d", L"Box (4 seconds remaining)"},
      {L"%s %d %", L"Box (4 seconds remaining)"},
      {L"%S %d", L"Box (4 seconds remaining)"},
      {L"no conversions", L"Box (4 seconds remaining)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(std::wstring(FormatCountdown(c.format, L"Box", 4)), c.shown);
  }
  // The same check applies to a format from the caller's button texts.
  const std::map<UINT, LPCWSTR> texts = {{HMB_IDCOUNTDOWN, L"%s %n%n%n %d"}, {IDOK, L"Fine"}};
  MessageBoxParams params;
  InitMessageBoxParams(params);
  params.disableSeconds = 5;
  params.countdownInCaption = TRUE;
  params.buttonTexts = &texts;
  std::wstring caption, ok;
  BoxProbe::Run([&] { return ShowHtmlMessageBox(nullptr, L"Text", L"Box", MB_OK | kQuiet, &params); },
                [&](HWND box, int) {
                  caption = WindowText(box);
                  ok = WindowText(::GetDlgItem(box, IDOK));
                  ::EndDialog(box, IDOK);
                });
  EXPECT_EQ(caption, L"Box (5 seconds remaining)");
  EXPECT_EQ(ok, L"Fine");
}

TEST(HtmlMessageBox, CaptionsComeFromTheMapThenTheBuiltInTexts) {
  const std::map<UINT, LPCWSTR> texts = {{IDNO, L"Keep"}, {HMB_IDYESTOALL, MAKEINTRESOURCEW(IDS_TEST_STRING)}};
  MessageBoxParams params;
  InitMessageBoxParams(params);
  params.buttonTexts = &texts;
  std::vector<std::wstring> captions;
  BoxProbe::Run(
      [&] {
        return ShowHtmlMessageBox(nullptr, L"Replace?", L"Captions", MB_YESNOCANCEL | HMB_YESTOALL | HMB_NOTOALL | kQuiet,
                                  &params);
      },
      [&](HWND box, int) {
        for (const BoxButton& button : ReadButtons(box)) captions.push_back(button.text);
        Click(box, IDCANCEL);
      });
  // The program's module has no strings 9001 to 9020: the built-in texts show.
  const std::vector<std::wstring> expected = {L"Yes", L"Tip text\nSecond line", L"Keep", L"No to all", L"Cancel"};
  EXPECT_EQ(captions, expected);
}

TEST(HtmlMessageBox, TextsGivenAsIdsLoadUnlessResourcesAreOff) {
  struct Case {
    UINT style;
    std::vector<std::wstring> captions;
  } cases[] = {{0, {L"Tip text", L"Second line"}}, {HMB_NORESOURCE, {L"OK"}}};
  for (const Case& c : cases) {
    MessageBoxParams params;
    InitMessageBoxParams(params);
    params.customButtons = MAKEINTRESOURCEW(IDS_TEST_STRING);
    std::vector<std::wstring> captions;
    BoxProbe::Run([&] { return ShowHtmlMessageBox(nullptr, L"Ids", L"Ids", c.style | kQuiet, &params); },
                  [&](HWND box, int) {
                    const std::vector<BoxButton> buttons = ReadButtons(box);
                    for (const BoxButton& button : buttons) captions.push_back(button.text);
                    ::EndDialog(box, IDOK);
                  });
    EXPECT_EQ(captions, c.captions);
  }
}

int reportsReceived = 0;
WNDPROC ownerProc = nullptr;

LRESULT CALLBACK CountReports(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP + 5) ++reportsReceived;
  return ::CallWindowProcW(ownerProc, hWnd, message, wParam, lParam);
}

TEST(HtmlMessageBox, ReportTellsTheOwnerAndTheBoxStays) {
  HWND owner = ::CreateWindowExW(0, L"STATIC", L"Owner caption", WS_POPUP | WS_CAPTION | WS_VISIBLE, 50, 50, 300,
                                 200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  ownerProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountReports)));
  reportsReceived = 0;
  MessageBoxParams params;
  InitMessageBoxParams(params);
  params.reportMessage = WM_APP + 5;
  std::vector<UINT> ids;
  std::wstring caption;
  bool stayed = false;
  const int result = BoxProbe::Run(
      [&] { return ShowHtmlMessageBox(owner, L"Something failed", nullptr, MB_OK | MB_HELP | kQuiet, &params); },
      [&](HWND box, int tick) {
        if (tick == 0) {
          ids = Ids(ReadButtons(box));
          caption = WindowText(box);
          Click(box, HMB_IDREPORT);
        } else {
          stayed = reportsReceived == 1;
          Click(box, IDOK);
        }
      });
  ::DestroyWindow(owner);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(ids, (std::vector<UINT>{IDOK, HMB_IDHELP, HMB_IDREPORT}));
  // No caption given: the owner's.
  EXPECT_EQ(caption, L"Owner caption");
  EXPECT_TRUE(stayed);
}

TEST(HtmlMessageBox, ArgumentsOverrideTheBlockAndCaptionFallsBack) {
  MessageBoxParams params;
  InitMessageBoxParams(params);
  params.caption = L"Block caption";
  params.style = MB_YESNO;
  params.messageText = L"Block text";
  std::wstring caption;
  std::vector<UINT> ids;
  BoxProbe::Run([&] { return ShowHtmlMessageBox(nullptr, L"Argument text", nullptr, MB_OK | kQuiet, &params); },
                [&](HWND box, int) {
                  caption = WindowText(box);
                  ids = Ids(ReadButtons(box));
                  Click(box, IDOK);
                });
  EXPECT_EQ(caption, L"Error");
  EXPECT_EQ(ids, std::vector<UINT>{IDOK});
}

TEST(HtmlMessageBox, MoreGrowsAndShrinksTheBox) {
  MessageBoxParams params;
  InitMessageBoxParams(params);
  params.moreInfoText = L"Details<br>on two lines";
  std::vector<int> heights;
  std::vector<std::wstring> captions;
  BoxProbe::Run([&] { return ShowHtmlMessageBox(nullptr, L"Short", L"More", MB_OK | kQuiet, &params); },
                [&](HWND box, int tick) {
                  RECT client = {};
                  ::GetClientRect(box, &client);
                  heights.push_back(client.bottom);
                  captions.push_back(WindowText(::GetDlgItem(box, HMB_IDMORE)));
                  if (tick < 2) Click(box, HMB_IDMORE);
                  else Click(box, IDOK);
                });
  ASSERT_EQ(heights.size(), 3u);
  EXPECT_GT(heights[1], heights[0] + 20);
  EXPECT_EQ(heights[2], heights[0]);
  const std::vector<std::wstring> expected = {L"More >>", L"<< More", L"More >>"};
  EXPECT_EQ(captions, expected);
}

}  // namespace
