#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bar_fixtures.h"
#include "window_hooks.h"

namespace {

using Events = std::vector<std::string>;

std::string Command(UINT id) { return "command " + std::to_string(id); }
std::string Notify(UINT id) {
  return "notify " + std::to_string(id) + " " + std::to_string(CBN_TK_EXECUTE) + " " + std::to_string(id);
}

TEST_F(BarWindowTest, HighlightingTheSameControlAgainChangesNothing) {
  AddFixed(kCmdPlain);
  AddFixed(kCmdEnabled);
  Layout();
  EXPECT_TRUE(bar->SetHighlightedControl(0, FALSE));
  EXPECT_EQ(1, bar->GetControl(0)->GetSelected());
  EXPECT_TRUE(bar->KillTimer(CTkCommandBar::kHoverTimer)) << "a mouse highlight starts the hover timer";
  bar->ValidateRect(nullptr);
  EXPECT_FALSE(bar->SetHighlightedControl(0, FALSE));
  EXPECT_FALSE(bar->KillTimer(CTkCommandBar::kHoverTimer)) << "no second timer";
  EXPECT_FALSE(::GetUpdateRect(bar->m_hWnd, nullptr, FALSE)) << "no repaint";
  // A keyboard highlight starts none.
  EXPECT_TRUE(bar->SetHighlightedControl(1, TRUE));
  EXPECT_EQ(0, bar->GetControl(0)->GetSelected());
  EXPECT_EQ(2, bar->GetControl(1)->GetSelected());
  EXPECT_FALSE(bar->KillTimer(CTkCommandBar::kHoverTimer));
  EXPECT_EQ(static_cast<CTkTrackedBar*>(bar), GetMouseTracker()->m_pHighlightedBar);
}

TEST_F(BarWindowTest, ALockedBarIgnoresBothTimers) {
  FixedControl* control = AddFixed(kCmdPlain);
  Layout();
  bar->SetHighlightedControl(0, FALSE);
  bar->SetTimer(CTkCommandBar::kExpandTimer, 60000);
  bar->m_lockCount = 1;
  bar->SendMessage(WM_TIMER, CTkCommandBar::kHoverTimer);
  bar->SendMessage(WM_TIMER, CTkCommandBar::kExpandTimer);
  EXPECT_EQ(0, control->hovers);
  EXPECT_TRUE(bar->KillTimer(CTkCommandBar::kHoverTimer)) << "the locked bar left its timer running";
  EXPECT_TRUE(bar->KillTimer(CTkCommandBar::kExpandTimer));
  bar->m_lockCount = 0;
  bar->SetTimer(CTkCommandBar::kHoverTimer, 60000);
  bar->SendMessage(WM_TIMER, CTkCommandBar::kHoverTimer);
  EXPECT_EQ(1, control->hovers);
  EXPECT_FALSE(bar->KillTimer(CTkCommandBar::kHoverTimer));
}

TEST_F(BarWindowTest, MenuModeRegistersWithTheTrackerAndTheKeyboardHook) {
  AddFixed(kCmdPlain);
  AddFixed(kCmdEnabled);
  Layout();
  CTkCommandBar* second = new CTkCommandBar;
  second->SetCommandBars(commandBars);
  ASSERT_TRUE(second->CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE, CRect(0, 40, 100, 60), frame, 7));
  CTkMouseTracker* tracker = GetMouseTracker();
  auto tracked = [tracker](CTkCommandBar* b) {
    return std::find(tracker->m_trackedBars.begin(), tracker->m_trackedBars.end(), b) != tracker->m_trackedBars.end();
  };
  auto hooked = [](CTkCommandBar* b) {
    auto& clients = GetKeyboardHook()->m_clients;
    return std::find(clients.begin(), clients.end(), static_cast<CTkHookClient*>(b)) != clients.end();
  };

  EXPECT_TRUE(bar->SetMenuMode(1, TRUE, TRUE));
  EXPECT_TRUE(tracked(bar));
  EXPECT_TRUE(hooked(bar));
  EXPECT_EQ(0, bar->GetHotIndex()) << "select first highlights the first control";
  EXPECT_EQ(2, bar->GetControl(0)->GetSelected());
  EXPECT_FALSE(bar->SetMenuMode(2, FALSE, FALSE)) << "1 and 2 switch silently";
  EXPECT_EQ(2, bar->GetMenuMode());
  second->SetMenuMode(1, FALSE, FALSE);
  tracker->m_bExpanded = TRUE;

  bar->LeaveMenuMode();
  EXPECT_FALSE(tracked(bar));
  EXPECT_FALSE(hooked(bar));
  EXPECT_EQ(-1, bar->GetHotIndex());
  EXPECT_TRUE(tracker->m_bExpanded) << "another bar still tracks";
  second->LeaveMenuMode();
  EXPECT_FALSE(tracker->m_bExpanded) << "the last bar leaving clears the expanded mark";
  EXPECT_TRUE(tracker->m_trackedBars.empty());
  second->InternalRelease();
}

TEST_F(BarWindowTest, AClickElsewhereEndsMenuMode) {
  AddFixed(kCmdPlain);
  Layout();
  bar->SetMenuMode(1, FALSE, FALSE);
  CRect client;
  frame->GetClientRect(&client);
  CPoint outside(client.right - 10, client.bottom - 10);
  frame->ClientToScreen(&outside);
  ::SetCursorPos(outside.x, outside.y);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  EXPECT_TRUE(PumpUntil([&] { return bar->GetMenuMode() == 0; }));
}

TEST_F(BarWindowTest, RightButtonReleaseAskstheOwnerFirst) {
  struct Case {
    LRESULT answer;
    BOOL rightChooses;
    int leftUps, rightUps;
  };
  const Case cases[] = {{1, FALSE, 0, 0}, {0, FALSE, 0, 1}, {0, TRUE, 1, 0}};
  for (const Case& c : cases) {
    bar->GetControls()->RemoveAll();
    FixedControl* control = AddFixed(kCmdPlain);
    Layout();
    frame->events.clear();
    frame->rightButtonAnswer = c.answer;
    bar->SetRightButtonChoosing(c.rightChooses);
    const CPoint point = CentreOf(0);
    bar->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    EXPECT_EQ(Events{"rbuttonup " + std::to_string(kCmdPlain)}, frame->events) << c.answer;
    EXPECT_EQ(c.leftUps, control->leftUps) << c.answer;
    EXPECT_EQ(c.rightUps, control->rightUps) << c.answer;
  }
}

TEST_F(BarWindowTest, ControlsFollowTheFramesUpdateHandlers) {
  struct Case {
    UINT id;
    int flags;
    BOOL enabledBefore, checkedBefore;
    BOOL enabled, checked;
    LPCWSTR caption;
  };
  const Case cases[] = {
      {kCmdEnabled, 0, FALSE, FALSE, TRUE, FALSE, L"Item"},
      {kCmdDisabled, 0, TRUE, TRUE, FALSE, FALSE, L"Item"},
      {kCmdChecked, 0, TRUE, FALSE, TRUE, TRUE, L"Item"},
      {kCmdText, 0, TRUE, FALSE, TRUE, FALSE, L"Updated"},
      {kCmdNoHandler, 0, TRUE, FALSE, FALSE, FALSE, L"Item"},
      {kCmdPlain, 0, FALSE, FALSE, TRUE, FALSE, L"Item"},
      {kCmdDisabled, kFlagNoUpdate, TRUE, TRUE, TRUE, TRUE, L"Item"},
  };
  for (const Case& c : cases) {
    FixedControl* control = AddFixed(c.id);
    control->SetFlags(c.flags);
    control->SetEnabled(c.enabledBefore);
    control->SetChecked(c.checkedBefore);
    control->SetCaption(L"Item");
  }
  Layout();
  bar->UpdateControls(TRUE, 0);
  for (int i = 0; i < bar->GetControlCount(); ++i) {
    const Case& c = cases[i];
    CTkControl* control = bar->GetControl(i);
    EXPECT_EQ(c.enabled, control->GetEnabled()) << c.id << " " << c.flags;
    EXPECT_EQ(c.checked, control->GetChecked()) << c.id << " " << c.flags;
    EXPECT_EQ(CString(c.caption), control->GetCaption()) << c.id;
  }
  // The idle update reaches the bar as a message too.
  frame->text = L"Again";
  bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_EQ(CString(L"Again"), bar->GetControl(3)->GetCaption());

  // In customize mode every control can be used.
  commandBars->SetCustomizeMode(TRUE);
  for (int i = 0; i < bar->GetControlCount(); ++i) EXPECT_TRUE(bar->GetControl(i)->GetEnabled()) << i;
  commandBars->SetCustomizeMode(FALSE);
  EXPECT_FALSE(bar->GetControl(4)->GetEnabled());
}

TEST_F(BarWindowTest, ControlsShowForTheirDocumentTemplates) {
  FixedControl* assigned = AddFixed(kCmdPlain);
  assigned->GetAssignedDocTemplates().SetAt(100, TRUE);
  FixedControl* excluded = AddFixed(kCmdEnabled);
  excluded->GetExcludedDocTemplates().SetAt(100, TRUE);
  FixedControl* plain = AddFixed(kCmdChecked);
  Layout();
  struct Case {
    UINT active;
    int assignedHidden, excludedHidden;
  };
  const Case cases[] = {{100, 0, kHideByToolBar}, {200, kHideByToolBar, 0}, {0, kHideByToolBar, 0}};
  for (const Case& c : cases) {
    commandBars->activeMenuId = c.active;
    bar->UpdateControls(TRUE, 0);
    EXPECT_EQ(c.assignedHidden, assigned->GetHideFlags()) << c.active;
    EXPECT_EQ(c.excludedHidden, excluded->GetHideFlags()) << c.active;
    EXPECT_EQ(0, plain->GetHideFlags()) << c.active;
  }
}

TEST_F(BarWindowTest, ButtonPress) {
  struct Posted {
    UINT message;
    int control;  // the control whose centre is the point, -1 below the bar
  };
  struct Case {
    const char* name;
    std::vector<Posted> input;
    int executions;
  };
  const Case cases[] = {
      {"release inside", {{WM_LBUTTONUP, 0}}, 1},
      {"moved inside", {{WM_MOUSEMOVE, 0}, {WM_LBUTTONUP, 0}}, 1},
      {"release outside", {{WM_MOUSEMOVE, 1}, {WM_LBUTTONUP, 1}}, 0},
      {"out and back", {{WM_MOUSEMOVE, -1}, {WM_MOUSEMOVE, 0}, {WM_LBUTTONUP, 0}}, 1},
      {"capture lost", {{WM_CANCELMODE, 0}, {WM_LBUTTONUP, 0}}, 0},
  };
  FixedControl* pressed = AddFixed(kCmdPlain, 30, 20);
  AddFixed(kCmdEnabled, 30, 20);
  Layout();
  const CPoint centre = ScreenPoint(CentreOf(0));
  ::SetCursorPos(centre.x, centre.y);
  PumpPending();
  for (const Case& c : cases) {
    pressed->executions = 0;
    frame->events.clear();
    for (const Posted& p : c.input) {
      const CPoint point = p.control >= 0 ? CentreOf(p.control) : CPoint(5, 200);
      bar->PostMessage(p.message, 0, MAKELPARAM(point.x, point.y));
    }
    const CPoint down = CentreOf(0);
    bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
    PumpPending();
    EXPECT_EQ(c.executions, pressed->executions) << c.name;
    const Events expected = c.executions == 1 ? Events{Notify(kCmdPlain), Command(kCmdPlain)} : Events{};
    EXPECT_EQ(expected, frame->events) << c.name;
    EXPECT_EQ(0, pressed->GetPressed()) << c.name;
    EXPECT_EQ(0, pressed->GetSelected()) << c.name;
    EXPECT_NE(bar->m_hWnd, ::GetCapture()) << c.name;
  }
}

TEST_F(BarWindowTest, AQuitDuringAPressIsPostedAgain) {
  FixedControl* pressed = AddFixed(kCmdPlain);
  Layout();
  ::PostQuitMessage(7);
  const CPoint down = CentreOf(0);
  bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
  EXPECT_EQ(0, pressed->executions);
  EXPECT_NE(bar->m_hWnd, ::GetCapture());
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is not lost";
  EXPECT_EQ(7u, msg.wParam);
}

TEST_F(BarWindowTest, ExecutingSendsTheNotificationThenTheCommand) {
  struct Case {
    const char* name;
    UINT id;
    LRESULT notifyAnswer;
    Events events;
  };
  const Case cases[] = {
      {"not taken", kCmdPlain, 0, {Notify(kCmdPlain), Command(kCmdPlain)}},
      {"taken", kCmdPlain, 1, {Notify(kCmdPlain)}},
      {"id 0", 0, 0, {}},
  };
  for (const Case& c : cases) {
    bar->GetControls()->RemoveAll();
    FixedControl* control = AddFixed(c.id);
    frame->events.clear();
    frame->notifyAnswer = c.notifyAnswer;
    control->ExecuteCommand();
    EXPECT_EQ(c.events, frame->events) << c.name;
  }
}

TEST_F(BarWindowTest, ExecutingRecordsHiddenCommandsAsUsed) {
  const UINT hidden[] = {kCmdPlain, kCmdEnabled};
  commandBars->AddHiddenCommands(hidden, 2);
  FixedControl* control = AddFixed(kCmdPlain);
  EXPECT_TRUE(commandBars->IsCommandHidden(kCmdPlain));
  control->ExecuteCommand();
  EXPECT_FALSE(commandBars->IsCommandHidden(kCmdPlain));
  EXPECT_TRUE(commandBars->IsCommandHidden(kCmdEnabled));
  commandBars->ResetUsageData();
  EXPECT_TRUE(commandBars->IsCommandHidden(kCmdPlain));
}

TEST_F(BarWindowTest, APopupTrackedForItsCommandReturnsTheId) {
  CTkPopupBar* popup = CTkPopupBar::CreateForCommandBars(commandBars);
  CTkControl* control = popup->GetControls()->Add(kControlButton, kCmdPlain);
  UINT chosen = 0;
  popup->SetReturnCommandSlot(&chosen);
  frame->events.clear();
  control->ExecuteCommand();
  EXPECT_EQ(static_cast<UINT>(kCmdPlain), chosen);
  EXPECT_TRUE(frame->events.empty());
  popup->InternalRelease();
}

TEST_F(BarWindowTest, KeepingTheSubmenuOpenUpdatesTheBarAtOnce) {
  struct Case {
    BOOL closeSubMenu;
    int menuMode;
    BOOL checked;
  };
  const Case cases[] = {{TRUE, 0, FALSE}, {FALSE, 1, TRUE}};
  for (const Case& c : cases) {
    bar->GetControls()->RemoveAll();
    FixedControl* control = AddFixed(kCmdChecked);
    control->SetCloseSubMenuOnClick(c.closeSubMenu);
    bar->SetMenuMode(1, FALSE, FALSE);
    control->ExecuteCommand();
    EXPECT_EQ(c.menuMode, bar->GetMenuMode()) << c.closeSubMenu;
    EXPECT_EQ(c.checked, control->GetChecked()) << c.closeSubMenu;
    const Events expected = {Notify(kCmdChecked), Command(kCmdChecked)};
    ASSERT_GE(frame->events.size(), 2u);
    EXPECT_EQ(expected, Events(frame->events.end() - 2, frame->events.end()));
    bar->LeaveMenuMode();
  }
}

TEST_F(BarWindowTest, HighlightedControlsShowTheirPromptInTheStatusBar) {
  FixedControl* open = AddFixed(kCmdPlain);
  open->SetPrompt(L"Opens a file\nOpen");
  FixedControl* silent = AddFixed(kCmdEnabled);
  Layout();
  frame->recordHot = true;
  frame->recordPrompts = true;
  frame->events.clear();
  bar->SetHighlightedControl(0, TRUE);
  bar->SetHighlightedControl(1, TRUE);
  commandBars->GetCommandBarsOptions()->bShowStatusBarPrompts = FALSE;
  bar->SetHighlightedControl(0, TRUE);
  const std::string plain = std::to_string(kCmdPlain);
  const std::string enabled = std::to_string(kCmdEnabled);
  const Events expected = {"hot " + plain, "prompt Opens a file", "hot none", "idle prompt", "hot " + enabled,
                           "idle prompt", "hot none", "hot " + plain};
  EXPECT_EQ(expected, frame->events);
  (void)silent;
}

TEST_F(BarWindowTest, ClonedBarsCopyTheirControlsAndPopups) {
  bar->SetTitle(L"Standard");
  bar->SetBarID(5);
  bar->SetMRUWidth(120);
  AddFixed(kCmdPlain)->SetCaption(L"Open");
  CTkControl* popup = bar->GetControls()->Add(kControlButtonPopup, 0);
  popup->GetCommandBar()->GetControls()->Add(kControlButton, kCmdEnabled);
  for (BOOL recursive : {TRUE, FALSE}) {
    CTkCommandBar* clone = bar->CloneBar(recursive);
    ASSERT_NE(nullptr, clone);
    EXPECT_EQ(CString(L"Standard"), clone->GetTitle());
    EXPECT_EQ(5u, clone->GetBarID());
    EXPECT_EQ(120, clone->GetMRUWidth());
    EXPECT_EQ(commandBars, clone->GetCommandBars());
    EXPECT_TRUE(clone->GetControls()->IsEqual(bar->GetControls()));
    EXPECT_EQ(clone, clone->GetControl(0)->GetParent());
    CTkCommandBar* popupBar = clone->GetControl(1)->GetCommandBar();
    ASSERT_NE(nullptr, popupBar);
    EXPECT_EQ(recursive, popupBar != popup->GetCommandBar()) << "a recursive copy has popups of its own";
    EXPECT_TRUE(popupBar->GetControls()->IsEqual(popup->GetCommandBar()->GetControls()));
    clone->InternalRelease();
  }
}

TEST_F(BarWindowTest, TheOwnerSeesAndMayChangeControlsMadeFromMenuItems) {
  CMenu menu;
  menu.CreatePopupMenu();
  menu.AppendMenu(MF_STRING, kCmdPlain, L"&New");
  menu.AppendMenu(MF_STRING, kCmdText, L"&Text\tCtrl+T");
  frame->events.clear();
  ASSERT_TRUE(bar->BuildFromMenu(&menu, TRUE));
  const Events expected = {"create " + std::to_string(kCmdPlain) + " at 0", "created " + std::to_string(kCmdPlain),
                           "create " + std::to_string(kCmdText) + " at 1", "created " + std::to_string(kCmdText)};
  EXPECT_EQ(expected, frame->events);
  ASSERT_EQ(2, bar->GetControlCount());
  EXPECT_EQ(CString(L"&New"), bar->GetControl(0)->GetCaption());
  EXPECT_EQ(CString(L"Renamed"), bar->GetControl(1)->GetCaption());
  EXPECT_EQ(kButtonCaption, bar->GetControl(1)->GetStyle());
  EXPECT_EQ(CString(), bar->GetControl(1)->GetShortcutText()) << "the owner's caption replaces the menu text";
}

// A bar and a control that record when they end and when a press returns.
class LoggedBar : public CTkCommandBar {
 public:
  ~LoggedBar() override { lifetimeLog->push_back("bar deleted"); }
};

class LoggedControl : public FixedControl {
 public:
  ~LoggedControl() override { lifetimeLog->push_back("control deleted"); }
  void OnClick(BOOL keyboard, CPoint point) override {
    FixedControl::OnClick(keyboard, point);
    lifetimeLog->push_back("press returned");
  }
  void ExecuteCommand() override {
    FixedControl::ExecuteCommand();
    lifetimeLog->push_back("execution returned");
  }
};

TEST_F(BarWindowTest, ACommandThatDestroysTheFrameAndReleasesEverything) {
  std::vector<std::string> log;
  lifetimeLog = &log;
  auto* logged = new LoggedBar;
  logged->SetCommandBars(commandBars);
  ASSERT_TRUE(logged->CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE, CRect(0, 40, 100, 70), frame, 8));
  logged->InternalAddRef();
  commandBars->AppendBar(logged);
  auto* control = new LoggedControl;
  logged->GetControls()->AddControl(control, kCmdDestroy);
  control->SetControlRect(CRect(0, 0, 20, 20));
  const CPoint centre(10, 10);
  CPoint screen = centre;
  logged->ClientToScreen(&screen);
  ::SetCursorPos(screen.x, screen.y);
  PumpPending();
  HWND barWindow = logged->m_hWnd;
  // The frame holds the only references to the bar and the command bars now.
  frame->barToRelease = logged;
  frame->commandBarsToRelease = commandBars;
  commandBars = nullptr;
  const int exceptions = TheTestApp().exceptionsCaught;
  ::PostMessageW(barWindow, WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
  ::SendMessageW(barWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
  lifetimeLog = nullptr;
  EXPECT_FALSE(::IsWindow(frameWindow));
  EXPECT_FALSE(::IsWindow(barWindow));
  // Everything ends, and only once the handlers that use it have returned.
  ASSERT_EQ(5u, log.size());
  EXPECT_EQ((Events{"execution returned", "press returned"}), Events(log.begin(), log.begin() + 2));
  Events ended(log.begin() + 2, log.end());
  std::sort(ended.begin(), ended.end());
  EXPECT_EQ((Events{"bar deleted", "command bars deleted", "control deleted"}), ended);
  EXPECT_EQ(exceptions, TheTestApp().exceptionsCaught);
}

}  // namespace
