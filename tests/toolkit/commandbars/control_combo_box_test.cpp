// The combo box of the bars: its list's height, completion from the list,
// Escape, the codes of a choice and of a cancel, the stored items, the
// focus hand-back when it leaves its bar and the list opened by real input.
// The focus and the pointer move between windows, so these run alone.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "bar_fixtures.h"
#include "command_bars.h"
#include "control_combo_box.h"
#include "prop_exchange.h"
#include "test_app.h"
#include "tool_bar.h"
#include "../test_resources.h"

namespace {

// What the thread's windows were told, in order: the list shown and the
// focus set on a window.
std::vector<std::pair<std::string, HWND>>* WindowEvents = nullptr;
HWND WatchedList = nullptr;

LRESULT CALLBACK RecordWindowEvents(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && WindowEvents != nullptr) {
    if (message->message == WM_SETFOCUS) WindowEvents->emplace_back("focus", message->hwnd);
    if (message->message == WM_WINDOWPOSCHANGED && message->hwnd == WatchedList &&
        (reinterpret_cast<const WINDOWPOS*>(message->lParam)->flags & SWP_SHOWWINDOW) != 0)
      WindowEvents->emplace_back("list shown", message->hwnd);
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void PressKeys(std::initializer_list<BYTE> keys) {
  for (BYTE key : keys) keybd_event(key, 0, 0, 0);
  for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) keybd_event(*it, 0, KEYEVENTF_KEYUP, 0);
}

class ComboBoxTest : public ToolBarFieldTest {
 protected:
  void SetUp() override {
    ToolBarFieldTest::SetUp();
    if (HasFatalFailure()) return;
    combo = static_cast<CTkControlComboBox*>(toolBar->GetControls()->Add(kControlComboBox, kCmdEnabled));
    ASSERT_NE(nullptr, combo);
    FocusOther();
  }
  void TearDown() override {
    GetMouseTracker()->CloseTrackedBars();
    ToolBarFieldTest::TearDown();
  }
  void Fill(std::initializer_list<const wchar_t*> items) {
    for (const wchar_t* item : items) combo->GetListBox()->AddString(item);
  }
  void Open() {
    toolBar->SetPopupControl(combo->GetIndex(), FALSE);
    PumpPending();
  }
  HWND ListWindow() const { return combo->GetListBox()->GetSafeHwnd(); }
  HWND EditWindow() const { return combo->GetEditWnd() != nullptr ? combo->GetEditWnd()->GetSafeHwnd() : nullptr; }
  // The notification codes the frame heard, in order.
  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const std::string& event : frame->events) {
      if (event.rfind("notify ", 0) != 0) continue;
      const size_t first = event.find(' ', 7);
      codes.push_back(std::stoi(event.substr(first + 1)));
    }
    return codes;
  }

  CTkControlComboBox* combo = nullptr;
};

TEST_F(ComboBoxTest, TheOpenListShowsAtMostItsRowCountAndOneRowWhenEmpty) {
  Relayout();
  const struct {
    int items;
    int rows;
  } cases[] = {{30, 12}, {3, 3}, {0, 1}};
  for (const auto& c : cases) {
    combo->GetListBox()->CreateListWindow();
    ::SendMessageW(ListWindow(), LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < c.items; ++i) combo->GetListBox()->AddString(std::to_wstring(i).c_str());
    Open();
    ASSERT_TRUE(combo->IsListOpen()) << c.items;
    EXPECT_TRUE(::IsWindowVisible(ListWindow()));
    const int itemHeight = static_cast<int>(::SendMessageW(ListWindow(), LB_GETITEMHEIGHT, 0, 0));
    CRect window;
    ::GetWindowRect(ListWindow(), &window);
    EXPECT_EQ(itemHeight * c.rows + 4, window.Height()) << c.items;
    EXPECT_EQ(combo->GetWidth(), window.Width());
    // It drops below the combo.
    CRect face = combo->GetRect();
    toolBar->ClientToScreen(&face);
    EXPECT_EQ(face.bottom, window.top);
    EXPECT_EQ(startCount + 1, GetMouseTracker()->m_suppressCount);
    GetMouseTracker()->CloseTrackedBars();
    PumpPending();
    EXPECT_FALSE(combo->IsListOpen());
    EXPECT_FALSE(::IsWindowVisible(ListWindow()));
    EXPECT_EQ(startCount, GetMouseTracker()->m_suppressCount);
  }
}

TEST_F(ComboBoxTest, TypingCompletesFromTheListAndBackspaceDoesNotCompleteAgain) {
  Fill({L"one", L"two", L"six"});
  combo->SetDropDown(TRUE);
  combo->SetAutoCompleteList(TRUE);
  Relayout();
  ASSERT_NE(nullptr, EditWindow());
  Open();
  ASSERT_EQ(EditWindow(), ::GetFocus());
  ASSERT_TRUE(combo->IsFocused());
  auto type = [this](UINT key, wchar_t character) {
    EXPECT_EQ(2, combo->OnHookKeyDown(key, 0));
    ::SendMessageW(EditWindow(), WM_CHAR, character, 0);
  };
  type('T', L't');
  type('W', L'w');
  EXPECT_EQ(CString(L"two"), combo->GetEditText());
  DWORD start = 0;
  DWORD end = 0;
  ::SendMessageW(EditWindow(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(2u, start);
  EXPECT_EQ(3u, end);
  // The exact item is the list's selection.
  EXPECT_EQ(1, combo->GetCurSel());
  // The bars' idle update leaves the list open.
  Relayout();
  EXPECT_TRUE(combo->IsListOpen());

  EXPECT_EQ(1, combo->OnHookKeyDown(VK_BACK, 0));
  PumpPending();
  EXPECT_EQ(CString(L"tw"), combo->GetEditText());
  EXPECT_EQ(-1, combo->GetCurSel());
}

// The field shows the hint in grey; a combo without a field keeps it out
// of its text, for the face draws it.
TEST_F(ComboBoxTest, TheHintShowsInTheFieldOrOnTheFaceButIsNeverTheText) {
  const struct {
    BOOL dropDown;
    const wchar_t* windowText;
  } cases[] = {{TRUE, L"File type"}, {FALSE, nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dropDown ? "field" : "list only");
    combo->SetDropDown(c.dropDown);
    combo->SetEditText(L"");
    combo->SetEditHint(L"File type");
    Relayout();
    EXPECT_EQ(CString(), combo->GetEditText());
    EXPECT_EQ(CString(), combo->GetFieldText());
    EXPECT_EQ(c.dropDown, combo->IsHintShown());
    if (c.windowText == nullptr) {
      EXPECT_EQ(nullptr, EditWindow());
      continue;
    }
    ASSERT_NE(nullptr, EditWindow());
    CString text;
    CWnd::FromHandle(EditWindow())->GetWindowText(text);
    EXPECT_EQ(CString(c.windowText), text);
    CHARFORMAT2W format = {};
    format.cbSize = sizeof format;
    ::SendMessageW(EditWindow(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(::GetSysColor(COLOR_GRAYTEXT), format.crTextColor);
    // Focused, the field is empty for typing.
    ::SetFocus(EditWindow());
    PumpPending();
    CWnd::FromHandle(EditWindow())->GetWindowText(text);
    EXPECT_EQ(CString(), text);
    FocusOther();
    PumpPending();
    CWnd::FromHandle(EditWindow())->GetWindowText(text);
    EXPECT_EQ(CString(c.windowText), text);
  }
}

TEST_F(ComboBoxTest, EscapeRestoresTheSelectionAndTheTextAndGivesTheFocusBack) {
  Fill({L"one", L"two", L"six"});
  combo->SetDropDown(TRUE);
  Relayout();
  combo->SetCurSel(1);
  combo->SetEditText(L"two");
  Open();
  ASSERT_TRUE(combo->IsFocused());
  EXPECT_EQ(1, combo->OnHookKeyDown(VK_DOWN, 0));
  EXPECT_EQ(2, combo->GetCurSel());
  EXPECT_EQ(CString(L"six"), combo->GetEditText());

  EXPECT_EQ(1, combo->OnHookKeyDown(VK_ESCAPE, 0));
  PumpPending();
  EXPECT_FALSE(combo->IsListOpen());
  EXPECT_FALSE(combo->IsFocused());
  EXPECT_EQ(1, combo->GetCurSel());
  EXPECT_EQ(CString(L"two"), combo->GetEditText());
  EXPECT_EQ(other, ::GetFocus());
  EXPECT_EQ(startCount, GetMouseTracker()->m_suppressCount);
}

TEST_F(ComboBoxTest, AChoiceByMouseSendsItsCodesAndAClickElsewhereCancels) {
  Fill({L"one", L"two", L"six"});
  Relayout();
  combo->SetCurSel(0);
  Open();
  frame->events.clear();
  CRect item;
  ::SendMessageW(ListWindow(), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  const LPARAM point = MAKELPARAM(item.left + 2, item.top + 2);
  ::SendMessageW(ListWindow(), WM_MOUSEMOVE, 0, point);
  EXPECT_EQ(2, combo->GetCurSel());
  ::SendMessageW(ListWindow(), WM_LBUTTONUP, 0, point);
  PumpPending();
  EXPECT_FALSE(combo->IsListOpen());
  std::vector<int> chosen;
  for (int code : Codes())
    if (code == kComboSelChange || code == kComboSelEndOk || code == CBN_TK_EXECUTE || code == kComboSelEndCancel)
      chosen.push_back(code);
  EXPECT_EQ(std::vector<int>({kComboSelChange, kComboSelEndOk, CBN_TK_EXECUTE}), chosen);
  EXPECT_EQ(CString(L"six"), combo->GetListText());

  // Browsing, then a click elsewhere: the old choice stays.
  Open();
  ::SendMessageW(ListWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(item.left + 2, 2));
  EXPECT_EQ(0, combo->GetCurSel());
  frame->events.clear();
  GetMouseTracker()->CloseTrackedBars();
  PumpPending();
  EXPECT_EQ(std::vector<int>({kComboSelEndCancel, kComboCloseUp}), Codes());
  EXPECT_EQ(2, combo->GetCurSel());
}

TEST_F(ComboBoxTest, RemovingAFocusedComboHandsTheFocusBackAndLowersTheCount) {
  combo->SetDropDown(TRUE);
  Relayout();
  ::SetFocus(EditWindow());
  PumpPending();
  ASSERT_TRUE(combo->IsFocused());
  EXPECT_EQ(startCount + 1, GetMouseTracker()->m_suppressCount);
  frame->events.clear();
  toolBar->GetControls()->Remove(combo);
  PumpPending();
  EXPECT_EQ(startCount, GetMouseTracker()->m_suppressCount);
  EXPECT_EQ(other, ::GetFocus());
  EXPECT_EQ(std::vector<int>({kComboKillFocus}), Codes());
}

// Under Wine, a window of the frame that takes the focus once the list is
// shown puts the frame above the list: the list stays open and visible to
// the program but cannot be seen. So the field takes the focus first.
TEST_F(ComboBoxTest, AListOpenedByTheArrowOrTheKeyboardStaysOpenAboveTheFrame) {
  Fill({L"Pictures", L"Documents", L"Music"});
  combo->SetDropDown(TRUE);
  combo->SetWidth(120);
  Relayout();
  ASSERT_NE(nullptr, EditWindow());
  ASSERT_TRUE(combo->GetListBox()->CreateListWindow());
  const struct {
    const char* name;
    bool byKeyboard;
    std::initializer_list<BYTE> keys;
  } cases[] = {{"arrow", false, {}}, {"F4", true, {VK_F4}}, {"Alt+Down", true, {VK_MENU, VK_DOWN}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FocusOther();
    PumpPending();
    CRect face = combo->GetRect();
    toolBar->ClientToScreen(&face);
    if (c.byKeyboard) {
      CRect field;
      ::GetWindowRect(EditWindow(), &field);
      ::SetCursorPos(field.left + 5, field.CenterPoint().y);
      mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
      mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
      ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == EditWindow() && combo->IsFocused(); }));
    }
    std::vector<std::pair<std::string, HWND>> events;
    WindowEvents = &events;
    WatchedList = ListWindow();
    HHOOK hook = ::SetWindowsHookExW(WH_CALLWNDPROC, RecordWindowEvents, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    if (c.byKeyboard) {
      PressKeys(c.keys);
    } else {
      ::SetCursorPos(face.right - 4, face.CenterPoint().y);
      mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
      mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
    const bool opened = PumpUntil([&] { return combo->IsListOpen() && ::IsWindowVisible(ListWindow()); });
    PumpPending();
    // Still open once the queue is drained and after a while of messages.
    EXPECT_FALSE(PumpUntil([&] { return !combo->IsListOpen() || !::IsWindowVisible(ListWindow()); }, 700));
    ::UnhookWindowsHookEx(hook);
    WindowEvents = nullptr;
    ASSERT_TRUE(opened);
    EXPECT_TRUE(combo->IsListOpen());
    EXPECT_TRUE(::IsWindowVisible(ListWindow()));
    EXPECT_EQ(EditWindow(), ::GetFocus());
    EXPECT_EQ(frame->m_hWnd, ::GetWindow(ListWindow(), GW_OWNER));
    // The list showed once, and no window of the frame took the focus after it.
    int shown = -1;
    for (size_t i = 0; i < events.size(); ++i) {
      if (events[i].first == "list shown" && shown == -1) shown = static_cast<int>(i);
      if (shown != -1 && events[i].first == "focus") {
        EXPECT_NE(frame->m_hWnd, ::GetAncestor(events[i].second, GA_ROOT)) << "focus after the list showed";
      }
    }
    EXPECT_NE(-1, shown);
    // The list lies over the frame where it drops.
    CRect list;
    ::GetWindowRect(ListWindow(), &list);
    EXPECT_EQ(ListWindow(), ::WindowFromPoint(list.CenterPoint()));
    EXPECT_EQ(face.bottom, list.top);
    GetMouseTracker()->CloseTrackedBars();
    PumpPending();
    EXPECT_FALSE(combo->IsListOpen());
  }
}

TEST(ComboBoxExchange, TheItemsAndTheFieldsGoThroughAnArchive) {
  auto* saved = new CTkControlComboBox;
  saved->GetListBox()->AddString(L"first");
  saved->GetListBox()->AddString(L"second & third");
  saved->SetWidth(180);
  saved->SetAutoCompleteList(TRUE);
  saved->SetDropDownItemCount(5);
  saved->SetEditHint(L"Pick one");
  auto* loaded = new CTkControlComboBox;
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    CTkPropExchangeArchive exchange(ar);
    saved->ExchangeControlProperties(&exchange);
    saved->GetListBox()->ExchangeBarProperties(&exchange);
    ar.Close();
  }
  file.SeekToBegin();
  {
    CArchive ar(&file, CArchive::load);
    CTkPropExchangeArchive exchange(ar);
    exchange.m_bLoading = TRUE;
    loaded->ExchangeControlProperties(&exchange);
    loaded->GetListBox()->ExchangeBarProperties(&exchange);
  }
  ASSERT_EQ(2, loaded->GetListBox()->GetCount());
  EXPECT_EQ(CString(L"first"), loaded->GetListBox()->GetItemText(0));
  EXPECT_EQ(CString(L"second & third"), loaded->GetListBox()->GetItemText(1));
  EXPECT_EQ(180, loaded->GetWidth());
  EXPECT_TRUE(loaded->GetAutoCompleteList());
  EXPECT_EQ(5, loaded->GetDropDownItemCount());
  EXPECT_EQ(CString(L"Pick one"), loaded->GetEditHint());
  EXPECT_FALSE(loaded->GetDropDown());

  // A deep copy has its own list with the same items.
  CTkControl* clone = saved->Clone(TRUE);
  auto* copy = static_cast<CTkControlComboBox*>(clone);
  EXPECT_NE(saved->GetListBox(), copy->GetListBox());
  EXPECT_EQ(2, copy->GetListBox()->GetCount());
  EXPECT_TRUE(copy->IsEqualControl(saved));
  for (CTkControl* control : {static_cast<CTkControl*>(saved), static_cast<CTkControl*>(loaded), clone})
    control->InternalRelease();
}

}  // namespace
