// A frame that carries command bars, made in the order a program's main
// frame makes them: the menu bar in place of the native menu, dock bars
// laying bars out in rows through the frame's layout, tool bars docked and
// floating, and the messages the frame passes through its command bars.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "command_bars.h"
#include "dock_bar.h"
#include "frame_window.h"
#include "menu_bar.h"
#include "popup_bar.h"
#include "prop_exchange.h"
#include "tip_context.h"
#include "bar_fixtures.h"
#include "test_app.h"
#include "../test_resources.h"
#include "tool_bar.h"
#include "toolkit_resources.h"

namespace {

const UINT kCustomizeCommand = 35001;
const UINT kNotifiedCommand = 2006;

class BarsFrame : public CTkFrameWnd {
 public:
  UINT menuId = IDM_TK_TEST_TOOLS;
  UINT notifiedCode = 0;
  CTkCommandBars* Bars() const { return m_pCommandBars; }
  CTkDockBar* Top() const { return m_pCommandBars->GetDockBar(kBarTop); }
  BOOL Relay(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return OnWndMsg(message, wParam, lParam, result);
  }
  // A docked tool bar filled from the test tool-bar resource.
  CTkToolBar* AddToolBar(UINT id, DWORD dockFlags = kToolBarDockFlags) {
    return AddTestToolBar(this, m_pCommandBars, id, dockFlags);
  }

 protected:
  int OnCreate(LPCREATESTRUCTW lpcs) {
    if (CTkFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (!CreateFrameCommandBars(this, menuId, m_pCommandBars)) return -1;
    m_pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    return 0;
  }
  void OnNotifyExecute(NMHDR* header, LRESULT* result) {
    notifiedCode = header->code;
    *result = 7;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BarsFrame, CTkFrameWnd)
ON_WM_CREATE()
ON_NOTIFY(CBN_TK_EXECUTE, kNotifiedCommand, OnNotifyExecute)
END_MESSAGE_MAP()

class CustomizingFrame : public BarsFrame {
 protected:
  void OnCustomize() {}
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CustomizingFrame, BarsFrame)
ON_COMMAND(kCustomizeCommand, OnCustomize)
END_MESSAGE_MAP()

// A frame of a given client size: a popup window has no frame edges and
// no smallest size of its own.
template <class Frame = BarsFrame>
Frame* MakeFrame(int width = 500, int height = 300, DWORD style = WS_POPUP | WS_VISIBLE, LPCWSTR menu = nullptr,
                 UINT menuId = IDM_TK_TEST_TOOLS) {
  auto* frame = new Frame;
  frame->menuId = menuId;
  if (!frame->Create(nullptr, L"Frame test", style, CRect(30, 30, 30 + width, 30 + height), nullptr, menu))
    return nullptr;
  frame->RecalcLayout();
  return frame;
}

CRect WindowIn(CWnd* window, CWnd* parent) {
  CRect rect;
  window->GetWindowRect(&rect);
  parent->ScreenToClient(&rect);
  return rect;
}

// The dock bar's entries: the bars, with 0 for each row end.
std::vector<CTkToolBar*> Entries(CTkDockBar* dockBar) {
  std::vector<CTkToolBar*> entries;
  for (int i = 0; i < dockBar->GetEntryCount(); ++i) entries.push_back(dockBar->GetBarAt(i));
  return entries;
}

void ExpectRowsSound(CTkDockBar* dockBar) {
  const std::vector<CTkToolBar*> entries = Entries(dockBar);
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(nullptr, entries.front());
  EXPECT_EQ(nullptr, entries.back());
  for (size_t i = 1; i < entries.size(); ++i)
    EXPECT_FALSE(entries[i] == nullptr && entries[i - 1] == nullptr) << "empty row at " << i;
}

void SetClientWidth(CWnd* frame, int width, int height = 300) {
  frame->SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  static_cast<CFrameWnd*>(frame)->RecalcLayout();
}

TEST(FrameWindow, MenuBarTakesTheNativeMenuAndSpansTheTopRowAlone) {
  auto* frame = MakeFrame(500, 300, WS_OVERLAPPEDWINDOW | WS_VISIBLE, MAKEINTRESOURCEW(IDM_TK_TEST_TOOLS));
  ASSERT_NE(nullptr, frame);
  EXPECT_EQ(nullptr, ::GetMenu(frame->m_hWnd));
  CTkMenuBar* menuBar = frame->Bars()->GetMenuBar();
  ASSERT_NE(nullptr, menuBar);
  EXPECT_EQ(1u, menuBar->GetBarID());
  EXPECT_EQ(IDM_TK_TEST_TOOLS, frame->Bars()->GetDefaultMenuId());
  EXPECT_EQ((std::vector<CTkToolBar*>{nullptr, menuBar, nullptr}), Entries(frame->Top()));
  CRect client;
  frame->GetClientRect(&client);
  const CRect top = WindowIn(frame->Top(), frame);
  EXPECT_EQ(CRect(0, 0, client.Width(), top.Height()), top);
  const CRect bar = WindowIn(menuBar, frame->Top());
  EXPECT_EQ(0, bar.left);
  EXPECT_EQ(client.Width(), bar.Width());
  EXPECT_GT(bar.Height(), 0);
  // The framework's menu refresh keeps the frame without a menu.
  frame->OnUpdateFrameMenu(nullptr);
  EXPECT_EQ(nullptr, ::GetMenu(frame->m_hWnd));
  frame->DestroyWindow();
}

TEST(FrameWindow, MissingMenuResourceFailsCreation) {
  auto* frame = new BarsFrame;
  frame->menuId = 4321;
  EXPECT_FALSE(frame->Create(nullptr, L"Frame test", WS_POPUP, CRect(0, 0, 200, 100)));
}

TEST(FrameWindow, CustomizeAllowedFollowsTheCustomizeHandler) {
  auto* plain = MakeFrame<BarsFrame>();
  auto* customizing = MakeFrame<CustomizingFrame>();
  ASSERT_NE(nullptr, plain);
  ASSERT_NE(nullptr, customizing);
  EXPECT_FALSE(plain->Bars()->IsCustomizeAllowed());
  EXPECT_TRUE(customizing->Bars()->IsCustomizeAllowed());
  plain->DestroyWindow();
  customizing->DestroyWindow();
}

TEST(FrameWindow, CanDockWithinTwentyPixelsOfADockBar) {
  auto* frame = MakeFrame();
  ASSERT_NE(nullptr, frame);
  CTkDockBar* top = frame->Top();
  CRect rect;
  top->GetWindowRect(&rect);
  const int midX = rect.CenterPoint().x;
  const int midY = rect.CenterPoint().y;
  struct Case {
    CPoint point;
    bool accepted;
  } cases[] = {
      {{rect.left - 20, midY}, false},
      {{rect.left - 19, midY}, true},
      {{midX, rect.top - 20}, false},
      {{midX, rect.top - 19}, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.accepted, frame->Bars()->CanDock(c.point, top) == top) << c.point.x << "," << c.point.y;
  frame->DestroyWindow();
}

TEST(DockBar, RowsStaySoundAsBarsComeAndGo) {
  auto* frame = MakeFrame();
  ASSERT_NE(nullptr, frame);
  CTkMenuBar* menuBar = frame->Bars()->GetMenuBar();
  CTkToolBar* first = frame->AddToolBar(601);
  CTkToolBar* second = frame->AddToolBar(602);
  ASSERT_NE(nullptr, first);
  ASSERT_NE(nullptr, second);
  // Docking without a place opens a new last row each time.
  EXPECT_EQ((std::vector<CTkToolBar*>{nullptr, menuBar, nullptr, first, nullptr, second, nullptr}),
            Entries(frame->Top()));
  frame->Bars()->RemoveCommandBar(first);
  EXPECT_EQ((std::vector<CTkToolBar*>{nullptr, menuBar, nullptr, second, nullptr}), Entries(frame->Top()));
  // The stretched menu bar dropped onto the tool bar's row keeps a row of
  // its own.
  CRect place;
  second->GetWindowRect(&place);
  place.OffsetRect(place.Width(), 0);
  ASSERT_TRUE(frame->Bars()->DockCommandBar(menuBar, &place, frame->Top()));
  ExpectRowsSound(frame->Top());
  const std::vector<CTkToolBar*> entries = Entries(frame->Top());
  const auto at = std::find(entries.begin(), entries.end(), menuBar);
  ASSERT_NE(entries.end(), at);
  EXPECT_EQ(nullptr, *(at - 1));
  EXPECT_EQ(nullptr, *(at + 1));
  frame->DestroyWindow();
}

TEST(DockBar, AnOverfullRowWrapsForThisLayoutOnly) {
  auto* frame = MakeFrame(600, 300);
  ASSERT_NE(nullptr, frame);
  // Bars that may not hide buttons need the whole row once it is full.
  CTkToolBar* first = frame->AddToolBar(601, kToolBarDockFlags & ~kDockHideWrapped);
  CTkToolBar* second = frame->AddToolBar(602, kToolBarDockFlags & ~kDockHideWrapped);
  ASSERT_NE(nullptr, second);
  CRect place = WindowIn(first, frame->Top());
  place.OffsetRect(place.Width() + 4, 0);
  frame->Top()->ClientToScreen(&place);
  ASSERT_TRUE(frame->Bars()->DockCommandBar(second, &place, frame->Top()));
  frame->RecalcLayout();
  const std::vector<CTkToolBar*> oneRow = Entries(frame->Top());
  EXPECT_EQ(WindowIn(first, frame->Top()).top, WindowIn(second, frame->Top()).top);
  const int width = WindowIn(first, frame->Top()).Width() + WindowIn(second, frame->Top()).Width();

  SetClientWidth(frame, width - 10);
  EXPECT_GT(WindowIn(second, frame->Top()).top, WindowIn(first, frame->Top()).top);
  EXPECT_EQ(oneRow, Entries(frame->Top()));
  SetClientWidth(frame, 600);
  EXPECT_EQ(WindowIn(first, frame->Top()).top, WindowIn(second, frame->Top()).top);

  // A hidden bar keeps its entry and takes no room.
  const int height = WindowIn(frame->Top(), frame).Height();
  SetClientWidth(frame, width - 10);
  const int wrappedHeight = WindowIn(frame->Top(), frame).Height();
  EXPECT_GT(wrappedHeight, height);
  second->SetVisible(FALSE);
  frame->RecalcLayout();
  EXPECT_EQ(height, WindowIn(frame->Top(), frame).Height());
  EXPECT_EQ(oneRow, Entries(frame->Top()));
  frame->DestroyWindow();
}

TEST(ToolBar, ResourceOfWidthSixteenFollowsTheIconOptions) {
  auto* frame = MakeFrame();
  ASSERT_NE(nullptr, frame);
  CTkToolBar* bar = frame->AddToolBar(601);
  ASSERT_NE(nullptr, bar);
  EXPECT_EQ(3, bar->GetControls()->GetVisibleCount(FALSE) - (bar->GetControls()->FindControl(9400) ? 1 : 0));
  EXPECT_EQ(CSize(16, 16), bar->GetEffectiveIconSize());
  frame->Bars()->GetCommandBarsOptions()->bLargeIcons = TRUE;
  EXPECT_EQ(CSize(32, 32), bar->GetEffectiveIconSize());
  frame->DestroyWindow();
}

TEST(ToolBar, ExpandButtonShowsOnlyWhenAskedOrNeeded) {
  auto* frame = MakeFrame();
  ASSERT_NE(nullptr, frame);
  CTkToolBar* bar = frame->AddToolBar(601);
  ASSERT_NE(nullptr, bar);
  struct Case {
    BOOL always;
    bool shown;
  } cases[] = {{TRUE, true}, {FALSE, false}};
  for (const Case& c : cases) {
    frame->Bars()->GetCommandBarsOptions()->bShowExpandButtonAlways = c.always;
    frame->RecalcLayout();
    CTkControl* expand = bar->GetControls()->FindControl(CTkToolBar::kExpandButtonId);
    ASSERT_NE(nullptr, expand);
    EXPECT_EQ(c.shown, expand->GetHideFlags() == 0) << c.always;
    EXPECT_FALSE(bar->HasHiddenControls());
  }
  frame->DestroyWindow();
}

TEST(ToolBar, FloatingEdgeBandIsThreePixels) {
  auto* frame = MakeFrame();
  ASSERT_NE(nullptr, frame);
  CTkToolBar* bar = frame->AddToolBar(601);
  ASSERT_TRUE(frame->Bars()->FloatCommandBar(bar));
  EXPECT_EQ(nullptr, bar->GetDockBar());
  CRect window;
  bar->GetWindowRect(&window);
  ASSERT_GT(window.Width(), 10);
  const int midX = window.CenterPoint().x;
  const int midY = window.CenterPoint().y;
  struct Case {
    CPoint point;
    LRESULT hit;
  } cases[] = {
      {{window.left + 2, midY}, HTLEFT},     {{window.right - 3, midY}, HTRIGHT},
      {{midX, window.top + 2}, HTTOP},       {{midX, window.bottom - 3}, HTBOTTOM},
      {{window.left + 3, midY + 4}, HTCLIENT},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.hit, bar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(c.point.x, c.point.y)))
        << c.point.x << "," << c.point.y;
  frame->DestroyWindow();
}

TEST(ToolBar, FloatStatusFollowsTheSyncOption) {
  auto* frame = MakeFrame();
  ASSERT_NE(nullptr, frame);
  CTkToolBar* bar = frame->AddToolBar(601);
  ASSERT_TRUE(frame->Bars()->FloatCommandBar(bar));
  for (BOOL sync : {FALSE, TRUE}) {
    frame->Bars()->GetCommandBarsOptions()->bSyncFloatingBars = sync;
    bar->ShowWindow(SW_SHOWNOACTIVATE);
    bar->SendMessage(WM_FLOATSTATUS, FS_HIDE);
    EXPECT_EQ(!sync, bar->IsWindowVisible() != FALSE) << sync;
  }
  frame->DestroyWindow();
}

// Fault: a torn-off bar's close button removed the bar from its command
// bars, dropping the last reference while the button's handler still ran.
TEST(ToolBar, ClosingATornOffBarRemovesItSafely) {
  auto* frame = MakeFrame();
  ASSERT_NE(nullptr, frame);
  CTkCommandBars* bars = frame->Bars();
  auto* tearOff = static_cast<CTkToolBar*>(bars->CreateToolBar(L"Torn", 701, TRUE));
  ASSERT_NE(nullptr, tearOff);
  tearOff->LoadToolBar(IDR_TK_TEST_TOOLBAR, TRUE);
  tearOff->SetBarID(701);
  tearOff->OnControlsChanged();
  CTkControl* close = tearOff->GetControls()->FindControl(CTkToolBar::kCloseButtonId);
  ASSERT_NE(nullptr, close);
  EXPECT_EQ(0, close->GetHideFlags());
  const int count = bars->GetBarCount();
  close->ExecuteCommand();
  EXPECT_EQ(count - 1, bars->GetBarCount());
  EXPECT_EQ(nullptr, bars->FindBarById(701));

  CTkToolBar* docked = frame->AddToolBar(601);
  docked->SetVisible(FALSE);
  EXPECT_EQ(docked, bars->FindBarById(601));
  EXPECT_FALSE(docked->IsWindowVisible());
  frame->DestroyWindow();
}

TEST(FrameWindow, ControlNotificationsReachNotifyHandlers) {
  auto* frame = MakeFrame();
  ASSERT_NE(nullptr, frame);
  struct Case {
    UINT id;
    BOOL handled;
    LRESULT result;
  } cases[] = {{kNotifiedCommand, TRUE, 7}, {kNotifiedCommand + 1, FALSE, 55}};
  for (const Case& c : cases) {
    ControlNotifyInfo info = {};
    info.hdr.idFrom = c.id;
    info.hdr.code = CBN_TK_EXECUTE;
    LRESULT result = 55;
    EXPECT_EQ(c.handled, frame->Relay(WM_CMDBARS_NOTIFY, c.id, reinterpret_cast<LPARAM>(&info), &result)) << c.id;
    EXPECT_EQ(c.result, result) << c.id;
  }
  EXPECT_EQ(static_cast<UINT>(CBN_TK_EXECUTE), frame->notifiedCode);
  frame->DestroyWindow();
}

// A bar the mouse tracker tracks, counting how often it is closed.
class FakeTrackedBar : public CTkTrackedBar {
 public:
  HWND GetTrackedWindow() const override { return nullptr; }
  void LeaveMenuMode() override {
    ++closed;
    GetMouseTracker()->RemoveTrackedBar(this);
  }
  void ClearHighlight() override {}
  int ContainsPoint(CPoint) override { return 0; }
  void OnTrackedMouseMove(UINT, CPoint) override {}
  int closed = 0;
};

TEST(FrameWindow, FrameMessagesCloseOpenPopupsButTheMenuKey) {
  auto* frame = MakeFrame();
  ASSERT_NE(nullptr, frame);
  struct Case {
    UINT message;
    WPARAM wParam;
    bool closes;
  } cases[] = {
      {WM_SYSCOMMAND, SC_KEYMENU, false},
      {WM_SYSCOMMAND, SC_MINIMIZE + 1, true},
      {WM_SYSCOMMAND, 0x10000, false},
      {WM_ACTIVATEAPP, 1, false},
      {WM_ACTIVATEAPP, 0, true},
  };
  for (const Case& c : cases) {
    FakeTrackedBar popup;
    GetMouseTracker()->AddTrackedBar(&popup);
    LRESULT result = 0;
    EXPECT_FALSE(frame->Bars()->OnFrameMessage(c.message, c.wParam, 0, &result));
    EXPECT_EQ(c.closes ? 1 : 0, popup.closed) << c.message << " " << c.wParam;
    GetMouseTracker()->RemoveTrackedBar(&popup);
  }
  frame->DestroyWindow();
}

TEST(MenuBar, LeavesAltLetterAndAnSdiFrameAlone) {
  auto* frame = MakeFrame();
  ASSERT_NE(nullptr, frame);
  CTkMenuBar* menuBar = frame->Bars()->GetMenuBar();
  WPARAM wParam = SC_KEYMENU;
  LPARAM lParam = 'f';
  LRESULT result = 0;
  EXPECT_EQ(CTkHookClient::kNotHandled, menuBar->OnHookMessage(frame->m_hWnd, WM_SYSCOMMAND, wParam, lParam, result));
  BOOL maximized = TRUE;
  EXPECT_EQ(nullptr, menuBar->GetActiveMDIChild(&maximized));
  EXPECT_FALSE(maximized);
  EXPECT_EQ(0u, frame->Bars()->GetActiveMenuId());
  for (UINT id = 9403; id <= 9406; ++id) EXPECT_EQ(nullptr, menuBar->GetControls()->FindControl(id)) << id;
  frame->DestroyWindow();
}

TEST(ToolBar, PopupTipsOnlyForControlsThatAskWhilePopupTipsAreOff) {
  auto* frame = MakeFrame();
  ASSERT_NE(nullptr, frame);
  CTkPopupBar* popup = CTkPopupBar::CreateForCommandBars(frame->Bars());
  ASSERT_NE(nullptr, popup);
  CTkControl* plain = popup->GetControls()->Add(kControlButton, 801);
  CTkControl* asking = popup->GetControls()->Add(kControlButton, 802);
  plain->SetControlRect(CRect(0, 0, 20, 20));
  asking->SetControlRect(CRect(0, 20, 20, 40));
  plain->SetTooltip(L"\nPlain");
  asking->SetTooltip(L"\nAsking");
  asking->SetFlags(asking->GetFlags() | kFlagTipInPopups);
  struct Case {
    BOOL popupTips;
    CPoint point;
    INT_PTR id;
  } cases[] = {
      {FALSE, {5, 5}, -1}, {FALSE, {5, 25}, 802}, {TRUE, {5, 5}, 801}, {TRUE, {5, 25}, 802},
  };
  for (const Case& c : cases) {
    frame->Bars()->GetCommandBarsOptions()->bShowPopupBarToolTips = c.popupTips;
    TTTOOLINFOW info = {};
    info.cbSize = kToolInfoSize;
    EXPECT_EQ(c.id, popup->OnToolHitTest(c.point, &info)) << c.popupTips << " " << c.point.y;
    if (info.lpszText != nullptr && info.lpszText != LPSTR_TEXTCALLBACKW) std::free(info.lpszText);
  }
  popup->InternalRelease();
  frame->DestroyWindow();
}

BOOL HasValue(HKEY key, LPCWSTR name) {
  return ::RegQueryValueExW(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

TEST(CommandBarsOptions, RegistryFormHoldsTheUserOptionsOnly) {
  TestApp& app = TheTestApp();
  app.SetRegistryKey(KeyOfThisTest(L"Mulvara Frame Tests"));
  auto* bars = static_cast<CTkCommandBars*>(RUNTIME_CLASS(CTkCommandBars)->CreateObject());
  CTkCommandBarsSettings* options = bars->GetCommandBarsOptions();
  options->bLargeIcons = TRUE;
  options->nAnimationType = 3;
  bars->SaveOptions(L"Options Test");
  HKEY appKey = app.GetAppRegistryKey();
  ASSERT_NE(nullptr, appKey);
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(appKey, L"Options Test-Options", 0, KEY_READ, &key));
  for (LPCWSTR name : {L"Schema", L"AlwaysShowFullMenus", L"LargeIcons", L"Animation"})
    EXPECT_TRUE(HasValue(key, name)) << name;
  for (LPCWSTR name : {L"SyncFloatingBars", L"IconsSize", L"KeyboardCuesShow", L"KeyboardCuesUse", L"UsedCommands"})
    EXPECT_FALSE(HasValue(key, name)) << name;
  ::RegCloseKey(key);

  // Loading keeps what the profile does not hold.
  const UINT hidden[] = {0xE107};
  bars->AddHiddenCommands(hidden, 1);
  bars->SetCommandUsed(0xE107);
  options->bLargeIcons = FALSE;
  options->bSyncFloatingBars = FALSE;
  options->szIcons = CSize(24, 24);
  bars->LoadOptions(L"Options Test");
  EXPECT_TRUE(options->bLargeIcons);
  EXPECT_EQ(3, options->nAnimationType);
  EXPECT_FALSE(options->bSyncFloatingBars);
  EXPECT_EQ(CSize(24, 24), options->szIcons);
  EXPECT_EQ(1, static_cast<int>(options->m_mapUsedCommands.GetCount()));

  // A used command is stored and read back.
  bars->SaveOptions(L"Options Test");
  bars->ResetUsageData();
  bars->LoadOptions(L"Options Test");
  BOOL flag = FALSE;
  EXPECT_TRUE(options->m_mapUsedCommands.Lookup(0xE107, flag));
  ::RegDeleteKeyW(appKey, L"Options Test-Options");
  ::RegCloseKey(appKey);
  bars->InternalRelease();
}

TEST(CommandBarsOptions, ArchiveFormRunsToTheEnd) {
  auto* saved = static_cast<CTkCommandBars*>(RUNTIME_CLASS(CTkCommandBars)->CreateObject());
  auto* loaded = static_cast<CTkCommandBars*>(RUNTIME_CLASS(CTkCommandBars)->CreateObject());
  CTkCommandBarsSettings* from = saved->GetCommandBarsOptions();
  from->bSyncFloatingBars = FALSE;
  from->szIcons = CSize(24, 24);
  from->szPopupIcons = CSize(20, 20);
  from->nKeyboardCuesUse = 4;
  from->nAnimationType = 2;
  const UINT hidden[] = {0xE107, 0xE109};
  saved->AddHiddenCommands(hidden, 2);
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    from->Serialize(ar);
    ar.Close();
  }
  file.SeekToBegin();
  CTkCommandBarsSettings* to = loaded->GetCommandBarsOptions();
  {
    CArchive ar(&file, CArchive::load);
    CTkPropExchangeArchive exchange(ar);
    exchange.m_bLoading = TRUE;
    to->ExchangeOptions(&exchange, FALSE);
  }
  EXPECT_FALSE(to->bSyncFloatingBars);
  EXPECT_EQ(CSize(24, 24), to->szIcons);
  EXPECT_EQ(CSize(20, 20), to->szPopupIcons);
  EXPECT_EQ(4, to->nKeyboardCuesUse);
  EXPECT_EQ(2, to->nAnimationType);
  EXPECT_EQ(2, static_cast<int>(to->m_mapHiddenCommands.GetCount()));
  EXPECT_EQ(file.GetLength(), file.GetPosition());
  saved->InternalRelease();
  loaded->InternalRelease();
}

// The expand popup of a docked tool bar, filled as when it opens.
CTkPopupBar* FillExpandPopupOf(CTkToolBar* bar) {
  CTkPopupBar* popup = CTkPopupBar::CreateForCommandBars(bar->GetCommandBars());
  bar->FillExpandPopup(popup);
  return popup;
}

// The popup of "Add or Remove Buttons".
CTkCommandBar* EntriesOf(CTkPopupBar* expandPopup) {
  CString addRemove;
  addRemove.LoadString(IDS_TK_ADD_REMOVE_BUTTONS);
  for (int i = 0; i < expandPopup->GetControlCount(); ++i)
    if (expandPopup->GetControl(i)->GetCaption() == addRemove) return expandPopup->GetControl(i)->GetCommandBar();
  return nullptr;
}

// The bar's list there: the popup of the entry titled with the bar's title.
CTkCommandBar* ButtonsListOf(CTkPopupBar* expandPopup, CTkToolBar* bar) {
  CTkCommandBar* entries = EntriesOf(expandPopup);
  for (int j = 0; entries != nullptr && j < entries->GetControlCount(); ++j)
    if (entries->GetControl(j)->GetCaption() == bar->GetTitle()) return entries->GetControl(j)->GetCommandBar();
  return nullptr;
}

CTkControlButtonsListItem* ListItemFor(CTkCommandBar* list, UINT id) {
  for (int i = 0; i < list->GetControlCount(); ++i) {
    auto* item = dynamic_cast<CTkControlButtonsListItem*>(list->GetControl(i));
    if (item != nullptr && item->GetLinkedControl()->GetID() == id) return item;
  }
  return nullptr;
}

TEST(ToolBar, ExpandPopupOffersTheButtonsListOnlyWhenCustomizingIsAllowed) {
  auto* plain = MakeFrame<BarsFrame>();
  auto* customizing = MakeFrame<CustomizingFrame>();
  ASSERT_NE(nullptr, plain);
  ASSERT_NE(nullptr, customizing);
  struct Case {
    BarsFrame* frame;
    bool listed;
  } cases[] = {{plain, false}, {customizing, true}};
  for (const Case& c : cases) {
    CTkToolBar* bar = c.frame->AddToolBar(601);
    // Bars the command bars make are not built in; the program's are.
    bar->SetBuiltIn(TRUE);
    CTkPopupBar* popup = FillExpandPopupOf(bar);
    CTkCommandBar* list = ButtonsListOf(popup, bar);
    EXPECT_EQ(c.listed, list != nullptr);
    if (list != nullptr) {
      // The bar's entry and the customize command share the entries popup.
      CTkCommandBar* entries = EntriesOf(popup);
      EXPECT_EQ(nullptr, popup->GetControls()->FindControl(kCustomizeCommand));
      EXPECT_TRUE(entries->GetControl(0)->GetEnabled());
      CTkControl* customize = entries->GetControls()->FindControl(kCustomizeCommand);
      ASSERT_NE(nullptr, customize);
      EXPECT_TRUE(customize->GetBeginGroup());
    }
    popup->InternalRelease();
    c.frame->DestroyWindow();
  }
}

TEST(ToolBar, ButtonsListTogglesTheUserHiddenReason) {
  auto* frame = MakeFrame<CustomizingFrame>();
  ASSERT_NE(nullptr, frame);
  CTkToolBar* bar = frame->AddToolBar(601);
  ASSERT_NE(nullptr, bar);
  bar->SetBuiltIn(TRUE);
  // A button the user may not customize, one its owner hid, and one the
  // program removed since the bar was loaded.
  CTkControl* fixed = bar->GetControls()->FindControl(801);
  fixed->SetFlags(fixed->GetFlags() | kFlagNotCustomizable);
  CTkControl* ownerHidden = bar->GetControls()->FindControl(802);
  ownerHidden->SetHideFlags(kHideByOwner);
  bar->GetControls()->Remove(bar->GetControls()->FindControl(803));

  CTkPopupBar* popup = FillExpandPopupOf(bar);
  CTkCommandBar* list = ButtonsListOf(popup, bar);
  ASSERT_NE(nullptr, list);
  EXPECT_EQ(nullptr, ListItemFor(list, 801)) << "flag 0x10 keeps a button out of the list";
  EXPECT_EQ(nullptr, ListItemFor(list, 802));
  EXPECT_EQ(nullptr, ListItemFor(list, CTkToolBar::kExpandButtonId));
  CTkControlButtonsListItem* item = ListItemFor(list, 803);
  ASSERT_NE(nullptr, item) << "the removed button is back, hidden by the user";
  CTkControl* removed = item->GetLinkedControl();
  EXPECT_EQ(bar, removed->GetParent());
  EXPECT_EQ(kHideByUser, removed->GetHideFlags());
  EXPECT_FALSE(item->GetChecked());

  frame->Bars()->GetCommandBarsOptions()->bDirty = FALSE;
  for (bool shown : {true, false}) {
    item->ExecuteCommand();
    EXPECT_EQ(shown ? 0 : kHideByUser, removed->GetHideFlags() & kHideByUser) << shown;
    EXPECT_EQ(shown, item->GetChecked() != FALSE) << shown;
  }
  EXPECT_TRUE(frame->Bars()->GetCommandBarsOptions()->bDirty);
  // The owner's reason stays whatever the user does.
  EXPECT_EQ(kHideByOwner, ownerHidden->GetHideFlags());
  popup->InternalRelease();
  frame->DestroyWindow();
}

TEST(ToolBar, ResetAnsweredCancelChangesNothingAndOkRestoresTheButtons) {
  auto* frame = MakeFrame<CustomizingFrame>();
  ASSERT_NE(nullptr, frame);
  CTkToolBar* bar = frame->AddToolBar(601);
  ASSERT_NE(nullptr, bar);
  bar->SetBuiltIn(TRUE);
  CTkPopupBar* popup = FillExpandPopupOf(bar);
  CTkCommandBar* list = ButtonsListOf(popup, bar);
  ASSERT_NE(nullptr, list);
  ListItemFor(list, 802)->ExecuteCommand();
  ASSERT_EQ(kHideByUser, bar->GetControls()->FindControl(802)->GetHideFlags() & kHideByUser);
  CTkControl* reset = list->GetControl(list->GetControlCount() - 1);
  ASSERT_TRUE(reset->IsKindOf(RUNTIME_CLASS(CTkControlResetBarItem)));
  CString resetCaption;
  resetCaption.LoadString(IDS_TK_RESET);
  EXPECT_EQ(resetCaption, reset->GetCaption());

  struct Case {
    int answer;
    int hideFlags;
  } cases[] = {{IDCANCEL, kHideByUser}, {IDOK, 0}};
  for (const Case& c : cases) {
    bool answered = false;
    {
      const CString title = bar->GetTitle();
      Watcher watcher([&] {
        HWND box = WaitForDialog(title);
        if (box == nullptr) return;
        answered = true;
        ::PostMessageW(box, WM_COMMAND, c.answer, 0);
      });
      reset->ExecuteCommand();
    }
    EXPECT_TRUE(answered) << c.answer;
    CTkControl* button = bar->GetControls()->FindControl(802);
    ASSERT_NE(nullptr, button) << c.answer;
    EXPECT_EQ(c.hideFlags, button->GetHideFlags() & kHideByUser) << c.answer;
  }
  popup->InternalRelease();
  frame->DestroyWindow();
}

// Fault: the frame's command-state update disabled the expand and close
// buttons, which no command handler answers for, so the expand popup
// never opened.
TEST(ToolBar, OwnButtonsStayEnabledThroughCommandUpdates) {
  auto* frame = MakeFrame();
  ASSERT_NE(nullptr, frame);
  CTkToolBar* bar = frame->AddToolBar(601);
  ASSERT_TRUE(frame->Bars()->FloatCommandBar(bar));
  bar->OnControlsChanged();
  bar->UpdateControls(TRUE, 0);
  for (UINT id : {CTkToolBar::kExpandButtonId, CTkToolBar::kCloseButtonId}) {
    CTkControl* own = bar->GetControls()->FindControl(id);
    ASSERT_NE(nullptr, own) << id;
    EXPECT_TRUE(own->GetEnabled()) << id;
  }
  // The tool-bar resource's buttons have no handler here and are disabled.
  EXPECT_FALSE(bar->GetControls()->FindControl(801)->GetEnabled());
  frame->DestroyWindow();
}

}  // namespace
