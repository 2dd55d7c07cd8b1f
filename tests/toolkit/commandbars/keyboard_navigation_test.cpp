// Keyboard use of the command bars: Alt+letter through the frame, the
// letter search of a bar in menu mode, the arrow table, Ctrl+Tab, the
// row walk of multi-row bars and the frame's message pre-translation.
// Keys are given to the bars directly: a thread's keyboard hook sees only
// real input.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bar_fixtures.h"
#include "command_bars.h"
#include "frame_window.h"
#include "keyboard_navigation.h"
#include "keyboard_shortcuts.h"
#include "menu_bar.h"
#include "popup_bar.h"
#include "test_app.h"
#include "tool_bar.h"
#include "../test_resources.h"

namespace {

// Ends the test program when a walk does not come back: a loop that
// never ends fails the run instead of hanging it.
class Watchdog {
 public:
  explicit Watchdog(const char* what, DWORD timeoutMs = 10000) : m_what(what), m_timeout(timeoutMs) {
    m_done = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_thread = ::CreateThread(nullptr, 0, Watch, this, 0, nullptr);
  }
  ~Watchdog() {
    ::SetEvent(m_done);
    ::WaitForSingleObject(m_thread, INFINITE);
    ::CloseHandle(m_thread);
    ::CloseHandle(m_done);
  }

 private:
  static DWORD WINAPI Watch(LPVOID parameter) {
    auto* self = static_cast<Watchdog*>(parameter);
    if (::WaitForSingleObject(self->m_done, self->m_timeout) == WAIT_TIMEOUT) {
      std::fprintf(stderr, "watchdog: %s did not return\n", self->m_what);
      std::fflush(stderr);
      ::TerminateProcess(::GetCurrentProcess(), 3);
    }
    return 0;
  }
  const char* m_what;
  DWORD m_timeout;
  HANDLE m_done;
  HANDLE m_thread;
};

// Command bars whose cue and shift settings the tests choose.
class KeyCommandBars : public CTkCommandBars {
 public:
  void SetCuesUntilAlt(BOOL on) {
    m_bCuesUntilAlt = on;
    m_bKeyboardCuesVisible = !on;
  }
};

// The arrow table's codes, recorded instead of acted on.
class RecordingToolBar : public CTkToolBar {
  DECLARE_DYNCREATE(RecordingToolBar)

 public:
  BOOL NavigateByKey(int code) override {
    codes.push_back(code);
    return TRUE;
  }
  std::vector<int> codes;
};
IMPLEMENT_DYNCREATE(RecordingToolBar, CTkToolBar)

class KeysFrame : public CTkFrameWnd {
 public:
  std::vector<UINT> commands;
  KeyCommandBars* Bars() const { return static_cast<KeyCommandBars*>(m_pCommandBars); }

 protected:
  int OnCreate(LPCREATESTRUCTW lpcs) {
    if (CTkFrameWnd::OnCreate(lpcs) == -1) return -1;
    m_pCommandBars = new KeyCommandBars;
    m_pCommandBars->SetFrame(this);
    m_pCommandBars->CreateDockBars();
    if (m_pCommandBars->CreateMenuBar(L"Menu Bar", IDM_TK_TEST_KEYS) == nullptr) return -1;
    return 0;
  }
  void OnCommandRange(UINT id) { commands.push_back(id); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(KeysFrame, CTkFrameWnd)
ON_WM_CREATE()
ON_COMMAND_RANGE(3000, 3099, OnCommandRange)
END_MESSAGE_MAP()

CTkControl* AddButton(CTkCommandBar* bar, int type, UINT id, LPCWSTR caption) {
  CTkControl* control = bar->GetControls()->Add(type, id);
  control->SetCaption(caption);
  return control;
}

// The menu bar of the keys menu: File, Recovery, About, Tools, Edit,
// Exit, 5 Recent. Tool bar one: Next, Tune, Zoom and the Pick popup (One,
// Two); tool bar two: Go, Halt.
class KeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new KeysFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"Keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 320)));
    bars = frame->Bars();
    menuBar = bars->GetMenuBar();
    tools = bars->CreateToolBar(L"Tools", 100, FALSE);
    ASSERT_NE(nullptr, tools);
    // The bar's own expand button, made by its first layout, goes last again.
    tools->GetControls()->RemoveAll();
    AddButton(tools, kControlButton, 3041, L"&Next");
    AddButton(tools, kControlButton, 3042, L"&Tune");
    AddButton(tools, kControlButton, 3043, L"Zoom");
    pick = AddButton(tools, kControlPopup, 3044, L"&Pick");
    AddButton(pick->GetCommandBar(), kControlButton, 3045, L"&One");
    AddButton(pick->GetCommandBar(), kControlButton, 3046, L"&Two");
    second = bars->CreateToolBar(L"Second", 101, FALSE);
    ASSERT_NE(nullptr, second);
    second->GetControls()->RemoveAll();
    AddButton(second, kControlButton, 3051, L"&Go");
    AddButton(second, kControlButton, 3052, L"&Halt");
    tools->OnControlsChanged();
    second->OnControlsChanged();
    frame->RecalcLayout();
    PumpPending();
  }
  void TearDown() override {
    Reset();
    frame->DestroyWindow();
    PumpPending();
  }
  // Every bar out of menu mode, every popup closed, nothing recorded.
  void Reset() {
    bars->CloseAllPopups();
    for (int i = 0; i < bars->GetBarCount(); ++i) {
      bars->GetAt(i)->SetMenuMode(0, TRUE, FALSE);
      bars->GetAt(i)->SetHighlightedControl(-1, FALSE);
    }
    frame->commands.clear();
    PumpPending();
  }
  CString HotCaption(CTkCommandBar* bar) const {
    CTkControl* hot = bar->GetControl(bar->GetHotIndex());
    return hot != nullptr ? hot->GetCaption() : CString();
  }
  // The bar in menu mode with its hot control, "" when none.
  std::string Hot() const {
    for (int i = 0; i < bars->GetBarCount(); ++i)
      if (bars->GetAt(i)->GetMenuMode() != 0) return HotCaption(bars->GetAt(i)).ToAnsi();
    return "";
  }
  std::string OpenPopup() const {
    CTkControl* open = menuBar->GetControl(menuBar->GetPopupIndex());
    if (open == nullptr) open = tools->GetControl(tools->GetPopupIndex());
    return open != nullptr ? open->GetCaption().ToAnsi() : "";
  }

  KeysFrame* frame = nullptr;
  KeyCommandBars* bars = nullptr;
  CTkMenuBar* menuBar = nullptr;
  CTkCommandBar* tools = nullptr;
  CTkCommandBar* second = nullptr;
  CTkControl* pick = nullptr;
};

TEST_F(KeyboardTest, AltAndALetterFindTheControlByTheSearchRules) {
  const struct {
    UINT key;
    int cuesUse;
    BOOL handled;
    const char* hot;
    const char* opened;
    UINT command;
  } cases[] = {
      {'R', 1, TRUE, "&Recovery", "&Recovery", 0},
      {'A', 1, TRUE, "&About", "", 3020},
      // Two underlined E: the first is highlighted and nothing runs.
      {'E', 1, TRUE, "&Edit", "", 0},
      {'5', 1, TRUE, "&5 Recent", "", 3023},
      {VK_NUMPAD5, 1, FALSE, "", "", 0},
      // An underlined letter in a tool bar beats a plain one in the menu bar.
      {'T', 1, TRUE, "&Tune", "", 3042},
      {'T', 0, TRUE, "Tools", "", 3021},
      {'T', 4, FALSE, "", "", 0},
      {'T', 5, TRUE, "&Tune", "", 3042},
      {'N', 0, FALSE, "", "", 0},
      {'N', 1, TRUE, "&Next", "", 3041},
      {'G', 1, TRUE, "&Go", "", 3051},
      // Plain letters count in tool bars only in menu mode.
      {'Z', 1, FALSE, "", "", 0},
      {'R', 2, FALSE, "", "", 0},
      {'Q', 1, FALSE, "", "", 0},
      {VK_F3, 1, FALSE, "", "", 0},
  };
  for (const auto& entry : cases) {
    Reset();
    bars->GetCommandBarsOptions()->nKeyboardCuesUse = entry.cuesUse;
    BOOL handled;
    {
      Watchdog watchdog("HandleMnemonic");
      handled = bars->HandleMnemonic(entry.key);
    }
    PumpPending();
    const std::string what = std::to_string(entry.key) + " with " + std::to_string(entry.cuesUse);
    EXPECT_EQ(entry.handled, handled) << what;
    // A pressed button leaves menu mode again; the hot control is then gone.
    if (entry.command == 0) {
      EXPECT_EQ(std::string(entry.hot), Hot()) << what;
    }
    EXPECT_EQ(std::string(entry.opened), OpenPopup()) << what;
    EXPECT_EQ(entry.command == 0 ? std::vector<UINT>{} : std::vector<UINT>{entry.command}, frame->commands) << what;
  }
}

TEST_F(KeyboardTest, AMnemonicNobodyHasEndsWithoutAHotControlOrAnEligibleStart) {
  // The walk once went round for ever when it had no hot control to come
  // back to, or started on a control it skips.
  bars->GetCommandBarsOptions()->nKeyboardCuesUse = 1;
  {
    Watchdog watchdog("HandleMnemonic without a hot control");
    EXPECT_FALSE(bars->HandleMnemonic('Q'));
  }
  menuBar->GetControl(2)->SetFlags(kFlagSkipKeyboard);
  menuBar->SetMenuMode(1, FALSE, TRUE);
  menuBar->SetHighlightedControl(2, TRUE);
  for (int cuesUse : {0, 1, 5}) {
    bars->GetCommandBarsOptions()->nKeyboardCuesUse = cuesUse;
    Watchdog watchdog("HandleMnemonic from a skipped control");
    EXPECT_FALSE(bars->HandleMnemonic('Q')) << cuesUse;
  }
  // Every control skipped: still an end.
  for (int i = 0; i < menuBar->GetControlCount(); ++i) menuBar->GetControl(i)->SetFlags(kFlagSkipKeyboard);
  Watchdog watchdog("HandleMnemonic over skipped controls");
  EXPECT_FALSE(bars->HandleMnemonic('R'));
  EXPECT_TRUE(bars->HandleMnemonic('G'));
}

TEST_F(KeyboardTest, ALetterInAnOpenPopupHighlightsOrRunsItsItem) {
  ASSERT_TRUE(bars->HandleMnemonic('R'));
  auto* popup = static_cast<CTkPopupBar*>(menuBar->GetControl(1)->GetCommandBar());
  ASSERT_TRUE(popup->GetMenuMode() != 0);
  popup->SetHighlightedControl(-1, FALSE);
  // Two underlined S: the first becomes hot, neither runs.
  EXPECT_EQ(1, popup->ProcessKey('S', 0));
  EXPECT_EQ(CString(L"&Scan"), HotCaption(popup));
  EXPECT_TRUE(frame->commands.empty());
  EXPECT_EQ(1, popup->ProcessKey('S', 0));
  EXPECT_EQ(CString(L"&Stop"), HotCaption(popup));
  // A key no item has is consumed with a beep; a plain letter counts here.
  EXPECT_EQ(1, popup->ProcessKey('Q', 0));
  EXPECT_EQ(1, popup->ProcessKey('R', 0));
  PumpPending();
  EXPECT_EQ(std::vector<UINT>{3013}, frame->commands);
}

TEST_F(KeyboardTest, ArrowKeysFollowOrientationAndLayoutDirection) {
  CRuntimeClass* saved = ToolBarClass;
  ToolBarClass = RUNTIME_CLASS(RecordingToolBar);
  auto* bar = static_cast<RecordingToolBar*>(bars->CreateToolBar(L"Recording", 102, FALSE));
  ToolBarClass = saved;
  ASSERT_NE(nullptr, bar);
  AddButton(bar, kControlButton, 3061, L"&Alpha");
  const struct {
    UINT key;
    int codes[4];
  } table[] = {
      {VK_LEFT, {1, 0, 2, 3}}, {VK_RIGHT, {0, 1, 3, 2}}, {VK_UP, {2, 2, 1, 1}},
      {VK_DOWN, {3, 3, 0, 0}}, {VK_HOME, {6, 6, 6, 6}},  {VK_END, {7, 7, 7, 7}},
  };
  const struct {
    int position;
    BOOL rightToLeft;
    int column;
  } layouts[] = {{kBarTop, FALSE, 0}, {kBarFloating, TRUE, 1}, {kBarLeft, FALSE, 2}, {kBarRight, TRUE, 3},
                 {kBarBottom, FALSE, 0}};
  for (const auto& layout : layouts) {
    bar->SetPosition(layout.position);
    bar->ModifyStyleEx(layout.rightToLeft ? 0 : WS_EX_LAYOUTRTL, layout.rightToLeft ? WS_EX_LAYOUTRTL : 0);
    for (const auto& row : table) {
      bar->codes.clear();
      EXPECT_EQ(1, bar->ProcessKey(row.key, 0));
      EXPECT_EQ(std::vector<int>{row.codes[layout.column]}, bar->codes)
          << "key " << row.key << " position " << layout.position;
    }
  }
  // Enter runs, Escape backs out, Tab and Shift+Tab move.
  const struct {
    UINT key;
    int code;
  } others[] = {{VK_RETURN, 5}, {VK_ESCAPE, 4}, {VK_TAB, 0}};
  for (const auto& other : others) {
    bar->codes.clear();
    bar->ProcessKey(other.key, 0);
    EXPECT_EQ(std::vector<int>{other.code}, bar->codes) << other.key;
  }
  // A locked bar takes every key and does nothing with it.
  bar->codes.clear();
  bar->m_lockCount = 1;
  for (UINT key : {UINT(VK_LEFT), UINT(VK_RETURN), UINT('A')}) EXPECT_EQ(1, bar->ProcessKey(key, 0));
  EXPECT_TRUE(bar->codes.empty());
  bar->m_lockCount = 0;
  // In customize mode keys go by.
  bars->SetCustomizeMode(TRUE);
  EXPECT_EQ(2, bar->ProcessKey(VK_LEFT, 0));
  bars->SetCustomizeMode(FALSE);
}

TEST_F(KeyboardTest, MenuBarMovesOpensAndBacksOutByKeyboard) {
  // F10 or Alt alone: the system key-menu command reaches the menu bar.
  frame->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
  ASSERT_EQ(1, menuBar->GetMenuMode());
  EXPECT_EQ("&File", Hot());
  EXPECT_TRUE(menuBar->IsKeyboardSelection());
  EXPECT_EQ(1, menuBar->ProcessKey(VK_RIGHT, 0));
  EXPECT_EQ("&Recovery", Hot());
  EXPECT_EQ(1, menuBar->ProcessKey(VK_END, 0));
  EXPECT_EQ("&5 Recent", Hot());
  EXPECT_EQ(1, menuBar->ProcessKey(VK_RIGHT, 0));
  EXPECT_EQ("&File", Hot());
  // Up on a menu with a popup opens it, as Down does.
  EXPECT_EQ(1, menuBar->ProcessKey(VK_UP, 0));
  EXPECT_EQ("&File", OpenPopup());
  CTkCommandBar* filePopup = menuBar->GetControl(0)->GetCommandBar();
  EXPECT_NE(0, filePopup->GetMenuMode());
  EXPECT_EQ(CString(L"&Open"), HotCaption(filePopup));
  EXPECT_EQ(1, filePopup->ProcessKey(VK_DOWN, 0));
  EXPECT_EQ(CString(L"&Save"), HotCaption(filePopup));
  // Right on a plain item moves the menu bar on and opens the next menu.
  EXPECT_EQ(1, filePopup->ProcessKey(VK_RIGHT, 0));
  EXPECT_EQ("&Recovery", OpenPopup());
  CTkCommandBar* recoveryPopup = menuBar->GetControl(1)->GetCommandBar();
  // Escape closes the popup and leaves the menu bar in menu mode.
  EXPECT_EQ(1, recoveryPopup->ProcessKey(VK_ESCAPE, 0));
  EXPECT_EQ("", OpenPopup());
  EXPECT_EQ(1, menuBar->GetMenuMode());
  EXPECT_EQ("&Recovery", Hot());
  // Down opens it again; Enter runs the hot item.
  EXPECT_EQ(1, menuBar->ProcessKey(VK_DOWN, 0));
  EXPECT_EQ(1, recoveryPopup->ProcessKey(VK_RETURN, 0));
  PumpPending();
  EXPECT_EQ(std::vector<UINT>{3011}, frame->commands);
  EXPECT_EQ(0, menuBar->GetMenuMode());
  frame->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 0);
  EXPECT_EQ(1, menuBar->ProcessKey(VK_ESCAPE, 0));
  EXPECT_EQ(0, menuBar->GetMenuMode());
  EXPECT_EQ(-1, menuBar->GetHotIndex());
}

TEST_F(KeyboardTest, CtrlTabMovesToTheNextShownBar) {
  BYTE state[256];
  ASSERT_TRUE(::GetKeyboardState(state));
  BYTE withCtrl[256];
  memcpy(withCtrl, state, sizeof withCtrl);
  withCtrl[VK_CONTROL] = 0x80;

  // From a popup whose root is a tool bar: the next bar, not the next item.
  ASSERT_TRUE(bars->ActivateBarByKeyboard(tools, 0));
  tools->SetHighlightedControl(pick->GetIndex(), TRUE);
  ASSERT_EQ(1, tools->ProcessKey(VK_DOWN, 0));
  CTkCommandBar* pickPopup = pick->GetCommandBar();
  ASSERT_NE(0, pickPopup->GetMenuMode());
  ::SetKeyboardState(withCtrl);
  EXPECT_EQ(1, pickPopup->ProcessKey(VK_TAB, 0));
  ::SetKeyboardState(state);
  EXPECT_EQ(0, pickPopup->GetMenuMode());
  EXPECT_EQ(0, tools->GetMenuMode());
  EXPECT_EQ(1, second->GetMenuMode());
  EXPECT_EQ("&Go", HotCaption(second).ToAnsi());

  // Wrapping over the end to the menu bar; a hidden bar is passed over.
  ::SetKeyboardState(withCtrl);
  EXPECT_EQ(1, second->ProcessKey(VK_TAB, 0));
  EXPECT_EQ(1, menuBar->GetMenuMode());
  second->SetVisible(FALSE);
  EXPECT_EQ(1, menuBar->ProcessKey(VK_TAB, 0));
  EXPECT_EQ(1, tools->GetMenuMode());
  EXPECT_EQ(1, tools->ProcessKey(VK_TAB, 0));
  EXPECT_EQ(1, menuBar->GetMenuMode());
  ::SetKeyboardState(state);

  // The next-bar rule itself: bars 0 menu, 1 tools, 2 hidden.
  const struct {
    int start;
    int step;
    int next;
  } cases[] = {{0, 1, 1}, {1, 1, 0}, {1, -1, 0}, {0, -1, 1}, {-1, 1, 0}, {-1, -1, 1}, {2, 1, 0}};
  for (const auto& entry : cases)
    EXPECT_EQ(entry.next, bars->FindNextVisibleBar(entry.start, entry.step)) << entry.start << " " << entry.step;
  tools->SetVisible(FALSE);
  EXPECT_EQ(0, bars->FindNextVisibleBar(0, 1));
  EXPECT_FALSE(bars->ActivateBarByKeyboard(menuBar, 1));
  EXPECT_FALSE(bars->ActivateBarByKeyboard(nullptr, 0));
}

TEST_F(KeyboardTest, RowWalkOfAFloatingBarFindsTheNearestControlOrStops) {
  CTkCommandBar* bar = second;
  bar->GetControls()->RemoveAll();
  for (UINT id = 3071; id <= 3075; ++id) AddButton(bar, kControlButton, id, L"x");
  bar->SetPosition(kBarFloating);
  bar->SetMenuMode(1, FALSE, TRUE);
  // Row one: 0, 1, 2 at x 0, 30, 60; row two: 3, 4 at x 0, 40.
  auto place = [bar](bool twoRows) {
    const int lefts[5] = {0, 30, 60, 0, 40};
    for (int i = 0; i < 5; ++i) {
      const int top = twoRows && i >= 3 ? 30 : 0;
      const int left = twoRows ? lefts[i] : i * 30;
      bar->GetControl(i)->SetControlRect(CRect(left, top, left + 25, top + 25));
    }
  };
  const struct {
    bool twoRows;
    int hot;
    int code;
    BOOL moved;
    int result;
  } cases[] = {
      {true, 2, 3, TRUE, 4},  {true, 4, 2, TRUE, 1},  {true, 0, 2, TRUE, 3},  {true, 3, 3, TRUE, 0},
      {true, -1, 3, TRUE, 0}, {true, -1, 2, TRUE, 4},
      // One row only: the walk comes back to the hot control and stops.
      {false, 2, 3, FALSE, 2}, {false, 0, 2, FALSE, 0},
  };
  for (const auto& entry : cases) {
    place(entry.twoRows);
    bar->SetHighlightedControl(entry.hot, TRUE);
    BOOL moved;
    {
      Watchdog watchdog("the row walk");
      moved = bar->NavigateByKey(entry.code);
    }
    EXPECT_EQ(entry.moved, moved) << entry.hot << " " << entry.code;
    EXPECT_EQ(entry.result, bar->GetHotIndex()) << entry.hot << " " << entry.code;
  }
  // Every other control skipped or empty: no row to go to, and an end.
  place(true);
  for (int i = 1; i < 5; ++i) bar->GetControl(i)->SetFlags(kFlagSkipKeyboard);
  bar->SetHighlightedControl(0, TRUE);
  Watchdog watchdog("the row walk over skipped controls");
  EXPECT_FALSE(bar->NavigateByKey(3));
  EXPECT_EQ(0, bar->GetHotIndex());
}

TEST_F(KeyboardTest, TabInABarPlacedInADialogMovesTheFocusOn) {
  CWnd host;
  ASSERT_TRUE(host.CreateEx(WS_EX_CONTROLPARENT, AfxRegisterWndClass(0), L"Host", WS_POPUP | WS_VISIBLE,
                            CRect(0, 0, 300, 100), nullptr, 0));
  auto* bar = new CTkToolBar;
  ASSERT_TRUE(bar->CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 100, 30),
                            &host, 1));
  CWnd edit;
  ASSERT_TRUE(edit.Create(L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 40, 100, 60), &host, 2));
  AddButton(bar, kControlButton, 3081, L"&Only");
  bar->SetMenuMode(1, FALSE, TRUE);
  EXPECT_EQ(1, bar->ProcessKey(VK_TAB, 0));
  EXPECT_EQ(0, bar->GetMenuMode());
  EXPECT_EQ(edit.m_hWnd, ::GetFocus());
  bar->InternalRelease();
  host.DestroyWindow();
}

TEST_F(KeyboardTest, FramePreTranslationShowsCuesRunsMnemonicsAndSwallowsWhileTracking) {
  ::SetForegroundWindow(frame->m_hWnd);
  ::SetActiveWindow(frame->m_hWnd);
  ASSERT_TRUE(PumpUntil([this] { return ::GetActiveWindow() == frame->m_hWnd; }));
  bars->SetCuesUntilAlt(TRUE);
  auto message = [this](UINT id, WPARAM wParam, LPARAM lParam) {
    MSG msg = {frame->m_hWnd, id, wParam, lParam, 0, {0, 0}};
    return frame->PreTranslateMessage(&msg);
  };
  const LPARAM alt = 0x20000001;
  EXPECT_FALSE(message(WM_SYSKEYDOWN, VK_MENU, alt));
  EXPECT_TRUE(bars->AreKeyboardCuesVisible());
  EXPECT_FALSE(message(WM_SYSKEYUP, VK_MENU, alt));
  EXPECT_FALSE(bars->AreKeyboardCuesVisible());
  EXPECT_FALSE(message(WM_SYSKEYDOWN, 'Q', alt));
  // Without the Alt bit the key is no mnemonic.
  EXPECT_FALSE(message(WM_SYSKEYDOWN, 'R', 1));
  EXPECT_EQ("", OpenPopup());
  EXPECT_TRUE(message(WM_SYSKEYDOWN, 'R', alt));
  EXPECT_EQ("&Recovery", OpenPopup());
  EXPECT_TRUE(bars->AreKeyboardCuesVisible());
  // While a bar tracks, key-ups and context menus are swallowed.
  EXPECT_TRUE(message(WM_SYSKEYUP, 'R', alt));
  EXPECT_TRUE(message(WM_CONTEXTMENU, 0, 0));
  EXPECT_TRUE(bars->AreKeyboardCuesVisible());
  Reset();
  EXPECT_FALSE(message(WM_CONTEXTMENU, 0, 0));
  EXPECT_FALSE(message(WM_KEYDOWN, VK_F5, 1));
  // Alt and a key no control has goes on to the shortcuts.
  ACCEL altQ = {FVIRTKEY | FALT, 'Q', 3090};
  bars->GetKeyboardShortcuts()->SetAccelerators(&altQ, 1);
  BYTE state[256];
  ASSERT_TRUE(::GetKeyboardState(state));
  BYTE withAlt[256];
  memcpy(withAlt, state, sizeof withAlt);
  withAlt[VK_MENU] = 0x80;
  ::SetKeyboardState(withAlt);
  EXPECT_TRUE(message(WM_SYSKEYDOWN, 'Q', alt));
  ::SetKeyboardState(state);
  EXPECT_EQ(std::vector<UINT>{3090}, frame->commands);
}

}  // namespace
