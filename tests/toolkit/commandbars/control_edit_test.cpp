// The edit field of the bars: its hint, focus hand-back, Escape, the
// notifications, the context menu's rules, the vertical hiding and the
// rich edit library it is made from. The focus moves between windows, so
// these run alone.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bar_fixtures.h"
#include "command_bars.h"
#include "control_edit.h"
#include "test_app.h"
#include "tool_bar.h"
#include "../test_resources.h"

namespace {

class EditControlTest : public ToolBarFieldTest {
 protected:
  void SetUp() override {
    ToolBarFieldTest::SetUp();
    if (HasFatalFailure()) return;
    edit = static_cast<CTkControlEdit*>(toolBar->GetControls()->Add(kControlEdit, kCmdEnabled));
    ASSERT_NE(nullptr, edit);
    edit->SetCaption(L"Find");
    edit->SetEditHint(L"Search words");
    Relayout();
    // Where the focus is before the user clicks the field.
    FocusOther();
    frame->events.clear();
  }
  HWND EditWindow() const { return edit->GetEditWnd() != nullptr ? edit->GetEditWnd()->GetSafeHwnd() : nullptr; }
  CString WindowText() const {
    CString text;
    ::SendMessageW(EditWindow(), WM_GETTEXTLENGTH, 0, 0);
    CWnd::FromHandle(EditWindow())->GetWindowText(text);
    return text;
  }
  std::vector<std::string> Notifications() const {
    std::vector<std::string> codes;
    for (const std::string& event : frame->events)
      if (event.rfind("notify ", 0) == 0) codes.push_back(event);
    return codes;
  }

  CTkControlEdit* edit = nullptr;
};

TEST_F(EditControlTest, AnEmptyFieldShowsItsHintInGreyButGivesNoText) {
  ASSERT_NE(nullptr, EditWindow());
  EXPECT_TRUE(::IsWindowVisible(EditWindow()));
  EXPECT_EQ(CString(L"Search words"), WindowText());
  EXPECT_EQ(CString(), edit->GetEditText());
  CHARFORMAT2W format = {};
  format.cbSize = sizeof format;
  ::SendMessageW(EditWindow(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  EXPECT_EQ(::GetSysColor(COLOR_GRAYTEXT), format.crTextColor);

  edit->SetEditText(L"words");
  EXPECT_EQ(CString(L"words"), WindowText());
  ::SendMessageW(EditWindow(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), format.crTextColor);
  edit->SetEditText(L"");
  EXPECT_EQ(CString(L"Search words"), WindowText());
  EXPECT_EQ(CString(), edit->GetEditText());
}

TEST_F(EditControlTest, FocusInTypingAndEscapeNotifyRestoreTheTextAndGiveTheFocusBack) {
  edit->SetEditText(L"old");
  edit->OnClick(FALSE, edit->GetRect().CenterPoint());
  PumpPending();
  EXPECT_EQ(EditWindow(), ::GetFocus());
  EXPECT_TRUE(edit->IsFocused());
  EXPECT_EQ(startCount + 1, GetMouseTracker()->m_suppressCount);
  EXPECT_EQ(1, toolBar->GetMenuMode());

  ::SendMessageW(EditWindow(), EM_SETSEL, 0, -1);
  ::SendMessageW(EditWindow(), WM_CHAR, 'n', 0);
  EXPECT_EQ(CString(L"n"), edit->GetEditText());
  EXPECT_EQ(1, edit->OnHookKeyDown(VK_ESCAPE, 0));
  EXPECT_EQ(CString(L"old"), edit->GetEditText());
  EXPECT_EQ(other, ::GetFocus());
  EXPECT_FALSE(edit->IsFocused());
  EXPECT_EQ(startCount, GetMouseTracker()->m_suppressCount);
  EXPECT_EQ(0, toolBar->GetMenuMode());
  EXPECT_EQ(std::vector<std::string>({"notify 2001 256 2001", "notify 2001 768 2001", "notify 2001 512 2001"}),
            Notifications());
}

TEST_F(EditControlTest, KeysWhileEditingGoToTheFieldOrBackToTheBar) {
  edit->OnClick(FALSE, edit->GetRect().CenterPoint());
  PumpPending();
  const struct {
    UINT key;
    int answer;
  } cases[] = {{VK_RETURN, 0}, {VK_TAB, 0}, {'A', 2}, {VK_LEFT, 1}, {VK_HOME, 1}, {VK_BACK, 1}};
  for (const auto& c : cases) EXPECT_EQ(c.answer, edit->OnHookKeyDown(c.key, 0)) << c.key;
  ::SetFocus(other);
  PumpPending();
  EXPECT_FALSE(edit->IsFocused());
  EXPECT_EQ(0, edit->OnHookKeyDown(VK_LEFT, 0));
  EXPECT_EQ(startCount, GetMouseTracker()->m_suppressCount);
  // Leaving empty shows the hint again.
  EXPECT_EQ(CString(L"Search words"), WindowText());
}

TEST_F(EditControlTest, RemovingAFocusedFieldHandsTheFocusBackAndLowersTheCount) {
  edit->OnClick(FALSE, edit->GetRect().CenterPoint());
  PumpPending();
  ASSERT_TRUE(edit->IsFocused());
  frame->events.clear();
  toolBar->GetControls()->Remove(edit);
  PumpPending();
  EXPECT_EQ(startCount, GetMouseTracker()->m_suppressCount);
  EXPECT_EQ(other, ::GetFocus());
  EXPECT_EQ(std::vector<std::string>({"notify 2001 512 2001"}), Notifications());
}

TEST_F(EditControlTest, DockedAtTheSideTheFieldHidesAndAtTheTopItShowsAgain) {
  bars->DockCommandBarAt(toolBar, kBarLeft);
  Relayout();
  EXPECT_NE(0, edit->GetHideFlags() & kHideVertical);
  EXPECT_FALSE(::IsWindowVisible(EditWindow()));
  bars->DockCommandBarAt(toolBar, kBarTop);
  Relayout();
  EXPECT_EQ(0, edit->GetHideFlags());
  EXPECT_TRUE(::IsWindowVisible(EditWindow()));
}

TEST_F(EditControlTest, CutAndCopyNeedASelectionAndPasteNeedsTextOnTheClipboard) {
  edit->SetEditText(L"some text");
  CTkEdit* window = edit->GetEditWnd();
  auto enabled = [window](UINT id) {
    struct Query : CCmdUI {
      BOOL on = FALSE;
      void Enable(BOOL value) override { on = value; }
      void SetCheck(int) override {}
      void SetRadio(BOOL) override {}
      void SetText(LPCWSTR) override {}
    } query;
    query.m_nID = id;
    EXPECT_TRUE(window->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &query, nullptr));
    return query.on != FALSE;
  };
  ASSERT_TRUE(::OpenClipboard(frame->m_hWnd));
  ::EmptyClipboard();
  ::CloseClipboard();
  window->SendMessage(EM_SETSEL, 0, 0);
  EXPECT_FALSE(enabled(kEditCut));
  EXPECT_FALSE(enabled(kEditCopy));
  EXPECT_FALSE(enabled(kEditPaste));
  window->SendMessage(EM_SETSEL, 0, 4);
  EXPECT_TRUE(enabled(kEditCut));
  window->OnCmdMsg(kEditCopy, CN_COMMAND, nullptr, nullptr);
  EXPECT_TRUE(enabled(kEditPaste));
}

TEST(RichEditLibrary, FallsBackToTheOlderLibraryAndThenToThePlainEdit) {
  const struct {
    const wchar_t* newer;
    const wchar_t* older;
    const wchar_t* windowClass;
    int version;
  } cases[] = {
      {L"RICHED20.DLL", L"RICHED32.DLL", L"RichEdit20W", 1},
      {L"no-such-riched20.dll", L"RICHED32.DLL", L"RICHEDIT", 0},
      {L"no-such-riched20.dll", L"no-such-riched32.dll", L"Edit", 0},
  };
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"Parent", WS_POPUP, 0, 0, 100, 40, nullptr, nullptr));
  for (const auto& c : cases) {
    SetRichEditLibraryNames(c.newer, c.older);
    EXPECT_EQ(c.version, GetRichEditLibrary().version) << c.windowClass;
    CTkEdit window;
    ASSERT_TRUE(window.CreateEditWindow(WS_CHILD, &parent));
    wchar_t className[64] = {};
    ::GetClassNameW(window.GetSafeHwnd(), className, 64);
    EXPECT_EQ(0, ::lstrcmpiW(c.windowClass, className)) << c.windowClass;
    window.DestroyWindow();
  }
  SetRichEditLibraryNames(nullptr, nullptr);
  parent.DestroyWindow();
}

TEST(AutoComplete, TheShellsDropDownIsWatchedWhileShownAndTakesThePageAndArrowKeys) {
  WNDCLASSW dropDownClass = {};
  dropDownClass.lpfnWndProc = ::DefWindowProcW;
  dropDownClass.hInstance = ::GetModuleHandleW(nullptr);
  dropDownClass.lpszClassName = L"Auto-Suggest Dropdown";
  ::RegisterClassW(&dropDownClass);
  HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
  HWND dropDown = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"Auto-Suggest Dropdown", L"", WS_POPUP, 0, 30, 100, 60,
                                    nullptr, nullptr, nullptr, nullptr);
  HWND stranger = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 30, 100, 60, nullptr, nullptr, nullptr, nullptr);
  CTkAutoCompleteHelper helper;
  // Whether the shell takes it or not, the helper watches for its drop-down.
  helper.SetAutoComplete(edit, SHACF_FILESYSTEM);
  helper.SetupWindowHook(TRUE);
  const auto exempt = [&] {
    const auto& windows = GetMouseTracker()->m_exemptWindows;
    return std::find(windows.begin(), windows.end(), dropDown) != windows.end();
  };

  ::SetWindowPos(stranger, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  EXPECT_EQ(nullptr, helper.GetDropDown());
  EXPECT_FALSE(helper.ProcessKey(VK_DOWN));
  ::SetWindowPos(dropDown, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  EXPECT_EQ(dropDown, helper.GetDropDown());
  EXPECT_TRUE(exempt());
  MSG posted = {};
  EXPECT_TRUE(::PeekMessageW(&posted, edit, WM_TK_AUTOCOMPLETE_SHOWN, WM_TK_AUTOCOMPLETE_SHOWN, PM_REMOVE));
  const struct {
    UINT key;
    BOOL taken;
  } keys[] = {{VK_DOWN, TRUE}, {VK_UP, TRUE}, {VK_NEXT, TRUE}, {VK_PRIOR, TRUE}, {VK_LEFT, FALSE}, {'A', FALSE}};
  for (const auto& k : keys) EXPECT_EQ(k.taken, helper.ProcessKey(k.key)) << k.key;

  ::SetWindowPos(dropDown, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  EXPECT_EQ(nullptr, helper.GetDropDown());
  EXPECT_FALSE(exempt());
  helper.SetupWindowHook(FALSE);
  ::SetWindowPos(dropDown, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  EXPECT_EQ(nullptr, helper.GetDropDown());
  for (HWND window : {edit, dropDown, stranger}) ::DestroyWindow(window);
}

}  // namespace
