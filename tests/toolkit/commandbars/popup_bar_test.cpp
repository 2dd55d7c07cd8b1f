// Popup bars on screen: tracking, rows, shortened and scrolled popups,
// and the button and popup controls driven with the real pointer.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "bar_fixtures.h"
#include "bar_painter.h"
#include "draw_helpers.h"
#include "image_manager.h"
#include "toolkit_resources.h"
#include "window_hooks.h"

namespace {

// A menu row of a fixed size: layouts do not depend on fonts.
class MenuItem : public CTkControlButton {
 public:
  explicit MenuItem(int width = 120, int height = 20) : m_size(width, height) {}
  CSize GetSize(CDC*) override { return m_size; }
  CSize m_size;
};

class FixedPopupControl : public CTkControlPopup {
 public:
  explicit FixedPopupControl(int type = kControlPopup, int width = 120) : CTkControlPopup(type), m_width(width) {}
  CSize GetSize(CDC*) override { return CSize(m_width, 20); }
  int m_width;
};

// A popup bar that says when it ends.
class WatchedPopup : public CTkPopupBar {
 public:
  ~WatchedPopup() override {
    if (lifetimeLog != nullptr) lifetimeLog->push_back("popup deleted");
  }
};

// A popup whose window cannot be made.
class FailingPopup : public CTkPopupBar {
 public:
  BOOL CreateEx(DWORD, LPCWSTR, LPCWSTR, DWORD, int, int, int, int, HWND, HMENU, LPVOID) override { return FALSE; }
};

// Runs an action once from a thread timer, inside whatever loop is running.
std::function<void()> pendingAction;
void CALLBACK RunPendingAction(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  std::function<void()> action = std::move(pendingAction);
  pendingAction = nullptr;
  if (action) action();
}
void After(UINT milliseconds, std::function<void()> action) {
  pendingAction = std::move(action);
  ::SetTimer(nullptr, 0, milliseconds, RunPendingAction);
}

void ClickAt(CPoint screen) {
  ::SetCursorPos(screen.x, screen.y);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

// The centre of a control of a shown bar, on the screen.
CPoint ScreenCentre(CTkCommandBar* bar, int index) {
  CPoint point = bar->GetControl(index)->GetRect().CenterPoint();
  bar->ClientToScreen(&point);
  return point;
}

// The popup the thread tracks last, while a popup loop runs.
CTkPopupBar* TrackedPopup() {
  CTkMouseTracker* tracker = GetMouseTracker();
  if (tracker->m_trackedBars.empty()) return nullptr;
  CWnd* window = CWnd::FromHandlePermanent(tracker->m_trackedBars.back()->GetTrackedWindow());
  return window != nullptr && window->IsKindOf(RUNTIME_CLASS(CTkPopupBar)) ? static_cast<CTkPopupBar*>(window)
                                                                           : nullptr;
}

class PopupBarTest : public BarWindowTest {
 protected:
  void SetUp() override {
    BarWindowTest::SetUp();
    SetCurrentTheme(0);
    commandBars->GetCommandBarsOptions()->nAnimationType = 5;
    popup = CTkPopupBar::CreateForCommandBars(commandBars);
  }
  void TearDown() override {
    GetMouseTracker()->CloseTrackedBars();
    if (popup != nullptr) popup->InternalRelease();
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    BarWindowTest::TearDown();
  }
  MenuItem* AddItem(CTkCommandBar* to, UINT id, BOOL group = FALSE, int width = 120) {
    auto* item = new MenuItem(width);
    to->GetControls()->AddControl(item, id);
    item->SetBeginGroup(group);
    return item;
  }
  CTkPopupBar* popup = nullptr;
};

TEST_F(PopupBarTest, TrackingReturnsTheClickedCommandOnlyWhileItRuns) {
  AddItem(popup, kCmdPlain);
  AddItem(popup, kCmdEnabled);
  frame->events.clear();
  After(150, [] {
    if (CTkPopupBar* shown = TrackedPopup()) ClickAt(ScreenCentre(shown, 1));
  });
  EXPECT_EQ(static_cast<int>(kCmdEnabled),
            CTkCommandBars::TrackPopupBar(popup, TPM_RETURNCMD, 200, 200, frame, nullptr, nullptr));
  EXPECT_EQ(nullptr, popup->GetSafeHwnd()) << "the popup's window goes when it closes";
  EXPECT_EQ(0, popup->GetMenuMode());
  EXPECT_TRUE(frame->events.empty()) << "a returned command is not sent";
  // The result's slot was the finished call's: a later execution must not write there.
  EXPECT_EQ(nullptr, popup->GetReturnCommandSlot());
  popup->GetControl(0)->ExecuteCommand();
  ASSERT_FALSE(frame->events.empty());
  EXPECT_EQ("command " + std::to_string(kCmdPlain), frame->events.back());

  frame->events.clear();
  After(150, [] {
    if (CTkPopupBar* shown = TrackedPopup()) ClickAt(ScreenCentre(shown, 0));
  });
  EXPECT_EQ(1, CTkCommandBars::TrackPopupBar(popup, 0, 200, 200, frame, nullptr, nullptr));
  ASSERT_FALSE(frame->events.empty());
  EXPECT_EQ("command " + std::to_string(kCmdPlain), frame->events.back());
}

TEST_F(PopupBarTest, TrackingEndsWithoutAChoiceOrAWindowOrWhenTheProgramQuits) {
  AddItem(popup, kCmdPlain);
  // Closed from outside: 1 without TPM_RETURNCMD, 0 with it.
  for (UINT flags : {0u, static_cast<UINT>(TPM_RETURNCMD)}) {
    After(100, [this] { commandBars->CloseAllPopups(); });
    EXPECT_EQ(flags == 0 ? 1 : 0, CTkCommandBars::TrackPopupBar(popup, flags, 200, 200, frame, nullptr, nullptr));
  }
  FailingPopup* failing = new FailingPopup;
  failing->SetCommandBars(commandBars);
  AddItem(failing, kCmdPlain);
  EXPECT_EQ(0, CTkCommandBars::TrackPopupBar(failing, 0, 200, 200, frame, nullptr, nullptr));
  failing->InternalRelease();

  // The quit of a program closing under an open context menu reaches its loop.
  After(100, [] { ::PostQuitMessage(7); });
  const DWORD start = ::GetTickCount();
  EXPECT_EQ(0, CTkCommandBars::TrackPopupBar(popup, TPM_RETURNCMD, 200, 200, frame, nullptr, nullptr));
  EXPECT_LT(::GetTickCount() - start, 3000u);
  EXPECT_EQ(nullptr, popup->GetSafeHwnd());
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(7u, msg.wParam);
}

TEST_F(PopupBarTest, RowsStackWithSeparatorsAndAreCutToAThirdOfTheWorkArea) {
  AddItem(popup, kCmdPlain);
  AddItem(popup, kCmdEnabled, TRUE);
  AddItem(popup, kCmdChecked, FALSE, 4000);
  ASSERT_TRUE(popup->PopupAt(100, 100, nullptr));
  CRect work;
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = work.right / 3;
  EXPECT_EQ(CRect(3, 3, 3 + width, 23), popup->GetControl(0)->GetRect());
  EXPECT_EQ(CRect(3, 31, 3 + width, 51), popup->GetControl(1)->GetRect()) << "a separator of 8 pixels";
  EXPECT_EQ(CRect(3, 51, 3 + width, 71), popup->GetControl(2)->GetRect());
  CRect window;
  popup->GetWindowRect(&window);
  EXPECT_EQ(CRect(100, 100, 106 + width, 174), window);
  popup->SetMenuMode(0, TRUE, FALSE);
  EXPECT_EQ(nullptr, popup->GetSafeHwnd());
}

TEST_F(PopupBarTest, RarelyUsedCommandsHideBehindTheExpandButton) {
  CTkCommandBarsSettings* options = commandBars->GetCommandBarsOptions();
  options->bAlwaysShowFullMenus = FALSE;
  const UINT hidden[] = {kCmdEnabled, kCmdChecked};
  commandBars->AddHiddenCommands(hidden, 2);
  struct Case {
    const char* name;
    std::vector<UINT> ids;
    BOOL fullMenus;
    bool expandButton;
  };
  const Case cases[] = {
      {"one often used command", {kCmdPlain, kCmdEnabled, kCmdChecked}, FALSE, true},
      {"all rarely used", {kCmdEnabled, kCmdChecked}, FALSE, false},
      {"full menus always", {kCmdPlain, kCmdEnabled}, TRUE, false},
  };
  for (const Case& c : cases) {
    options->bAlwaysShowFullMenus = c.fullMenus;
    popup->GetControls()->RemoveAll();
    for (UINT id : c.ids) AddItem(popup, id);
    ASSERT_TRUE(popup->PopupAt(100, 100, nullptr)) << c.name;
    EXPECT_EQ(c.expandButton, static_cast<bool>(popup->HasHiddenItems())) << c.name;
    CTkControl* last = popup->GetControl(popup->GetControlCount() - 1);
    EXPECT_EQ(c.expandButton, last->GetID() == CTkPopupBar::kExpandButtonId && last->IsVisible()) << c.name;
    for (int i = 0; i < static_cast<int>(c.ids.size()); ++i)
      EXPECT_EQ(c.expandButton && c.ids[i] != kCmdPlain, !popup->GetControl(i)->IsVisible()) << c.name << " " << i;
    popup->SetMenuMode(0, TRUE, FALSE);
  }

  // Expanding marks the thread: the next popup opens expanded until every menu closes.
  options->bAlwaysShowFullMenus = FALSE;
  popup->GetControls()->RemoveAll();
  AddItem(popup, kCmdPlain);
  AddItem(popup, kCmdEnabled);
  ASSERT_TRUE(popup->PopupAt(100, 100, nullptr));
  popup->ExpandBar();
  EXPECT_TRUE(popup->GetControl(1)->IsVisible());
  EXPECT_TRUE(popup->GetControl(1)->IsRarelyUsed());
  CTkPopupBar* second = CTkPopupBar::CreateForCommandBars(commandBars);
  AddItem(second, kCmdPlain);
  AddItem(second, kCmdChecked);
  ASSERT_TRUE(second->PopupAt(400, 100, nullptr));
  EXPECT_TRUE(second->IsExpanded());
  EXPECT_TRUE(second->GetControl(1)->IsVisible());
  commandBars->CloseAllPopups();
  ASSERT_TRUE(second->PopupAt(400, 100, nullptr));
  EXPECT_FALSE(second->IsExpanded());
  EXPECT_FALSE(second->GetControl(1)->IsVisible());
  commandBars->CloseAllPopups();
  second->InternalRelease();
}

TEST_F(PopupBarTest, APopupTallerThanTheScreenScrolls) {
  for (int i = 0; i < 60; ++i) AddItem(popup, kCmdPlain);
  ASSERT_TRUE(popup->PopupAt(100, 10, nullptr));
  ASSERT_TRUE(popup->IsScrolling());
  CRect window;
  popup->GetWindowRect(&window);
  EXPECT_LE(window.bottom, ::GetSystemMetrics(SM_CYSCREEN));
  EXPECT_FALSE(popup->GetScrollDownBand().IsRectEmpty());
  EXPECT_TRUE(popup->GetScrollUpBand().IsRectEmpty());
  const int last = popup->GetLastVisible();
  EXPECT_LT(last, 60);
  EXPECT_FALSE(popup->GetControl(last)->IsVisible());
  EXPECT_TRUE(popup->GetControl(last - 1)->IsVisible());
  EXPECT_EQ(window.Height() - 3, popup->GetScrollDownBand().bottom);
  EXPECT_EQ(16, popup->GetScrollDownBand().Height());

  // The band's timer shows one more row at the bottom.
  popup->SendMessage(WM_TIMER, CTkPopupBar::kScrollDownTimer);
  EXPECT_EQ(last + 1, popup->GetLastVisible());
  EXPECT_TRUE(popup->GetControl(last)->IsVisible());
  EXPECT_FALSE(popup->GetControl(0)->IsVisible());
  EXPECT_FALSE(popup->GetScrollUpBand().IsRectEmpty());

  // Highlighting a row scrolled out brings it into view, at either end.
  popup->SetHighlightedControl(59, TRUE);
  EXPECT_TRUE(popup->GetControl(59)->IsVisible());
  EXPECT_TRUE(popup->GetScrollDownBand().IsRectEmpty());
  popup->SetHighlightedControl(0, TRUE);
  EXPECT_TRUE(popup->GetControl(0)->IsVisible());
  EXPECT_TRUE(popup->GetScrollUpBand().IsRectEmpty());
  EXPECT_EQ(3, popup->GetControl(0)->GetRect().top);
}

TEST_F(PopupBarTest, SplitButtonsRunOnTheirCommandPartAndOpenOnTheirArrow) {
  // On a bar: the right 11 pixels open, a release on the rest runs.
  auto* split = new FixedPopupControl(kControlSplitButtonPopup, 60);
  bar->GetControls()->AddControl(split, kCmdPlain);
  split->SetCommandBar(popup);
  AddItem(popup, kCmdEnabled);
  auto* submenu = new FixedPopupControl(kControlSplitButtonPopup);
  popup->GetControls()->AddControl(submenu, kCmdChecked);
  CTkPopupBar* inner = CTkPopupBar::CreateForCommandBars(commandBars);
  AddItem(inner, kCmdText);
  submenu->SetCommandBar(inner);
  inner->InternalRelease();
  Layout();
  frame->events.clear();
  const CRect rect = split->GetRect();
  ClickAt(ScreenPoint(CPoint(rect.left + 10, rect.CenterPoint().y)));
  ASSERT_TRUE(PumpUntil([&] { return !frame->events.empty(); }));
  EXPECT_EQ("command " + std::to_string(kCmdPlain), frame->events.back());
  EXPECT_EQ(nullptr, popup->GetSafeHwnd());

  ClickAt(ScreenPoint(CPoint(rect.right - 4, rect.CenterPoint().y)));
  ASSERT_TRUE(PumpUntil([&] { return popup->IsVisible() != FALSE; }));
  EXPECT_TRUE(split->GetPopuped());

  // In the popup: the right 20 pixels open the submenu, the rest runs on release.
  const CRect row = submenu->GetRect();
  CPoint arrow(row.right - 8, row.CenterPoint().y);
  popup->ClientToScreen(&arrow);
  ClickAt(arrow);
  ASSERT_TRUE(PumpUntil([&] { return inner->IsVisible() != FALSE; }));
  EXPECT_TRUE(popup->GetSafeHwnd() != nullptr);
  frame->events.clear();
  CPoint command(row.left + 20, row.CenterPoint().y);
  popup->ClientToScreen(&command);
  ClickAt(command);
  ASSERT_TRUE(PumpUntil([&] { return !frame->events.empty(); }));
  EXPECT_EQ("command " + std::to_string(kCmdChecked), frame->events.back());
  EXPECT_TRUE(PumpUntil([&] { return popup->GetSafeHwnd() == nullptr; }));
}

TEST_F(PopupBarTest, ClickingAnOpenMenuTitleClosesIt) {
  auto* title = new FixedPopupControl(kControlPopup, 50);
  bar->GetControls()->AddControl(title, 0);
  title->SetCommandBar(popup);
  AddItem(popup, kCmdPlain);
  Layout();
  ClickAt(ScreenPoint(CentreOf(0)));
  ASSERT_TRUE(PumpUntil([&] { return popup->IsVisible() != FALSE; }));
  EXPECT_EQ(2, bar->GetMenuMode());
  // Away from the first click, so that the system sees no double click.
  ClickAt(ScreenPoint(CentreOf(0) + CPoint(12, 0)));
  ASSERT_TRUE(PumpUntil([&] { return popup->GetSafeHwnd() == nullptr; }));
  EXPECT_EQ(0, bar->GetMenuMode());
  EXPECT_FALSE(title->GetPopuped());
  EXPECT_EQ(-1, bar->GetPopupIndex());
}

TEST_F(PopupBarTest, CopiesShareTheirPopupBarAndMenusDoNotOpenOverThemselves) {
  std::vector<std::string> log;
  lifetimeLog = &log;
  auto* watched = new WatchedPopup;
  auto* original = new FixedPopupControl;
  original->SetCommandBar(watched);
  watched->InternalRelease();
  CTkControl* copy = original->Clone(FALSE);
  EXPECT_EQ(static_cast<CTkCommandBar*>(watched), copy->GetCommandBar());
  original->InternalRelease();
  EXPECT_TRUE(log.empty()) << "the copy still holds the bar";
  copy->InternalRelease();
  EXPECT_EQ(std::vector<std::string>{"popup deleted"}, log);
  lifetimeLog = nullptr;

  // A menu dragged over its own submenu leaves it shut; another menu opens it.
  auto* menu = new FixedPopupControl;
  bar->GetControls()->AddControl(menu, 0);
  menu->SetCommandBar(popup);
  auto* submenu = new FixedPopupControl;
  popup->GetControls()->AddControl(submenu, 0);
  CTkPopupBar* inner = CTkPopupBar::CreateForCommandBars(commandBars);
  submenu->SetCommandBar(inner);
  inner->InternalRelease();
  AddItem(inner, kCmdPlain);
  auto* stranger = new FixedPopupControl;
  CTkPopupBar* strangerBar = CTkPopupBar::CreateForCommandBars(commandBars);
  stranger->SetCommandBar(strangerBar);
  strangerBar->InternalRelease();
  DROPEFFECT effect = DROPEFFECT_MOVE;
  submenu->CustomizeDragOver(menu, CPoint(0, 0), effect);
  EXPECT_EQ(-1, popup->GetPopupIndex());
  EXPECT_TRUE(menu->IsAncestorOf(submenu));
  EXPECT_FALSE(stranger->IsAncestorOf(submenu));
  submenu->CustomizeDragOver(stranger, CPoint(0, 0), effect);
  EXPECT_EQ(0, popup->GetPopupIndex());
  popup->SetMenuMode(0, TRUE, FALSE);
  stranger->InternalRelease();
}

TEST_F(PopupBarTest, ContextMenusArePopupBarsWithTheToolBarsImages) {
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, ID_TK_HEADER_SORT_ASCENDING, L"Ascending");
  menu.AppendMenu(MF_STRING, ID_TK_HEADER_ALIGN_LEFT, L"Left");
  bool images = false;
  After(150, [&images] {
    CTkPopupBar* shown = TrackedPopup();
    if (shown == nullptr) return;
    images = shown->GetImageManager()->GetImage(ID_TK_HEADER_ALIGN_LEFT, 16) != nullptr;
    ClickAt(ScreenCentre(shown, 1));
  });
  EXPECT_EQ(static_cast<UINT>(ID_TK_HEADER_ALIGN_LEFT),
            TrackContextMenu(&menu, TPM_RETURNCMD, 150, 150, frame, IDR_TK_HEADER_MENU_IMAGES));
  EXPECT_TRUE(images);
  EXPECT_TRUE(GetMouseTracker()->m_trackedBars.empty());
}

}  // namespace
