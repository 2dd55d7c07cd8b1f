// The panel window: notifications and vetoes, the mouse, renaming, the
// keyboard's focus order, items leaving while the panel points at them,
// and OLE set up only where it can be.
#include <gtest/gtest.h>

#include "task_panel_fixture.h"

namespace {

TEST(TaskPanelWindow, ConstructsWithItsDefaultsAndNeverNeedsAWindow) {
  CTkTaskPanel panel;
  EXPECT_EQ(2, panel.GetPaintTheme());
  EXPECT_EQ(0, panel.GetAnimationMode());
  EXPECT_EQ(kPanelModeIndependent, panel.GetPanelMode());
  EXPECT_EQ(1, panel.GetHotTrackStyle());
  EXPECT_EQ(kLayoutImageBesideText, panel.GetItemLayout());
  CTkTaskPanelGroup* group = panel.AddGroup(L"Alone");
  group->AddItem(L"link");
  EXPECT_EQ(0, panel.SendOwnerNotification(kTaskNotifyClick, 0));
  panel.SelectPaintTheme(99);
  EXPECT_EQ(99, panel.GetPaintTheme());
  EXPECT_EQ(nullptr, panel.GetGroupAt(1));
}

TEST(TaskPanelWindow, ModeDecidesHotTrackingAndLayout) {
  struct Case {
    int mode, style, layout;
  } cases[] = {{0, 1, 2}, {1, 2, 3}, {2, 3, 2}};
  for (const Case& c : cases) {
    CTkTaskPanel panel;
    panel.m_panelMode = c.mode;
    EXPECT_EQ(c.style, panel.GetHotTrackStyle()) << c.mode;
    EXPECT_EQ(c.layout, panel.GetItemLayout()) << c.mode;
    panel.SetHotTrackStyle(4);
    panel.SetItemLayout(1);
    EXPECT_EQ(4, panel.GetHotTrackStyle());
    EXPECT_EQ(1, panel.GetItemLayout());
  }
}

TEST(TaskPanelWindow, MouseSendsClicksToggleAndVetoes) {
  PanelFixture f;
  CTkTaskPanelGroup* group = f.AddGroup(L"Tasks", 2);
  CTkTaskPanelGroupItem* text = group->AddItem(L"Just text", kTaskItemText);
  CTkTaskPanelGroupItem* link = group->GetItemAt(0);

  f.Click(link);
  EXPECT_EQ(link, f.panel.GetFocusedItem());
  ASSERT_EQ(1, f.owner.Count(kTaskNotifyClick));
  EXPECT_EQ(reinterpret_cast<LPARAM>(link), f.owner.notes.back().param);

  // A text item is never hot, focused or clicked.
  f.Click(text);
  EXPECT_EQ(1, f.owner.Count(kTaskNotifyClick));
  EXPECT_NE(text, f.panel.GetFocusedItem());

  // A vetoed collapse leaves the group open; an accepted one closes it.
  f.owner.answers[kTaskNotifyExpanding] = -1;
  f.Click(group);
  EXPECT_TRUE(group->IsExpanded());
  ASSERT_EQ(1, f.owner.Count(kTaskNotifyExpanding));
  f.owner.answers.clear();
  f.Click(group);
  EXPECT_FALSE(group->IsExpanded());

  f.Send(WM_LBUTTONDBLCLK, f.CentreOf(group), MK_LBUTTON);
  f.Send(WM_LBUTTONUP, f.CentreOf(group));
  EXPECT_EQ(1, f.owner.Count(kTaskNotifyCaptionDoubleClick));
  group->SetExpanded(TRUE);

  f.owner.notes.clear();
  f.Send(WM_RBUTTONDOWN, f.CentreOf(group->GetItemAt(1)), MK_RBUTTON);
  ASSERT_EQ(1, f.owner.Count(kTaskNotifyRightClick));
  EXPECT_EQ(group->GetItemAt(1), f.panel.GetFocusedItem());

  // The hot item follows the mouse and leaves with it.
  f.Send(WM_MOUSEMOVE, f.CentreOf(link));
  EXPECT_EQ(link, f.panel.GetHotItem());
  f.panel.SendMessage(WM_MOUSELEAVE);
  EXPECT_EQ(nullptr, f.panel.GetHotItem());
}

TEST(TaskPanelWindow, RenameIsAcceptedOrRefusedByTheOwner) {
  struct Case {
    LRESULT answer;
    const wchar_t* text;
    const wchar_t* expected;
  } cases[] = {{0, L"Renamed", L"Renamed"}, {1, L"Renamed", L"Old"}, {0, L"", L"Old"}};
  for (const Case& c : cases) {
    PanelFixture f;
    CTkTaskPanelGroupItem* item = f.AddGroup(L"G", 0)->AddItem(L"Old");
    f.owner.answers[kTaskNotifyRename] = c.answer;
    ASSERT_TRUE(f.panel.EditItemCaption(item));
    HWND edit = ::GetFocus();
    ASSERT_NE(f.panel.GetSafeHwnd(), edit);
    ::SetWindowTextW(edit, c.text);
    ::SendMessageW(edit, WM_CHAR, VK_RETURN, 0);
    EXPECT_STREQ(c.expected, static_cast<LPCWSTR>(item->GetCaption())) << c.text;
    EXPECT_EQ(c.text[0] != 0 ? 1 : 0, f.owner.Count(kTaskNotifyRename));
    EXPECT_TRUE(WaitFor([edit] { return !::IsWindow(edit); }));
  }
  // Escape keeps the old caption without asking.
  PanelFixture f;
  CTkTaskPanelGroupItem* item = f.AddGroup(L"G", 0)->AddItem(L"Old");
  ASSERT_TRUE(f.panel.EditItemCaption(item));
  HWND edit = ::GetFocus();
  ::SetWindowTextW(edit, L"New");
  ::SendMessageW(edit, WM_CHAR, VK_ESCAPE, 0);
  EXPECT_STREQ(L"Old", static_cast<LPCWSTR>(item->GetCaption()));
  EXPECT_EQ(0, f.owner.Count(kTaskNotifyRename));
}

TEST(TaskPanelKeyboard, FocusOrderWalksCaptionsAndItems) {
  PanelFixture f(240, 500);
  CTkTaskPanelGroup* a = f.AddGroup(L"A", 2);
  CTkTaskPanelGroupItem* aText = a->AddItem(L"text", kTaskItemText);
  CTkTaskPanelGroup* b = f.AddGroup(L"B", 1);
  CTkTaskPanelGroup* c = f.AddGroup(L"C", 0);
  CTkTaskPanelGroup* grid = f.AddGroup(L"Grid", 7);
  grid->SetLayout(kLayoutImagesOnly);
  b->SetExpanded(FALSE);
  ASSERT_EQ(3, grid->GetColumnsPerRow() >= 3 ? 3 : grid->GetColumnsPerRow()) << "needs a grid of 3 or more";
  int columns = grid->GetColumnsPerRow();
  CTkTaskPanelItem* a0 = a->GetItemAt(0);
  CTkTaskPanelItem* a1 = a->GetItemAt(1);
  struct Case {
    const char* name;
    CTkTaskPanelItem* from;
    BOOL forward, byGroup, byRow;
    CTkTaskPanelItem* expected;
  } cases[] = {
      {"first stop", nullptr, TRUE, FALSE, FALSE, a},
      {"caption to its first item", a, TRUE, FALSE, FALSE, a0},
      {"text skipped, collapsed link skipped", a1, TRUE, FALSE, FALSE, b},
      {"empty group to the next", b, TRUE, FALSE, FALSE, c},
      {"by group", a0, TRUE, TRUE, FALSE, b},
      {"back from a caption to the last focusable", b, FALSE, FALSE, FALSE, a1},
      {"back from an item to its caption", a0, FALSE, FALSE, FALSE, a},
      {"back from the first caption", a, FALSE, FALSE, FALSE, nullptr},
      {"grid down a row", grid->GetItemAt(0), TRUE, FALSE, TRUE, grid->GetItemAt(columns)},
      {"grid across", grid->GetItemAt(0), TRUE, FALSE, FALSE, grid->GetItemAt(1)},
      {"grid up a row", grid->GetItemAt(columns), FALSE, FALSE, TRUE, grid->GetItemAt(0)},
      {"past the end", grid->GetItemAt(6), TRUE, FALSE, FALSE, nullptr},
  };
  for (const Case& k : cases) EXPECT_EQ(k.expected, f.panel.NextFocusStop(k.from, k.forward, k.byGroup, k.byRow)) << k.name;

  // Keys move the focus and show the focus rectangle.
  f.panel.SetFocus();
  f.panel.SendMessage(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(a, f.panel.GetFocusedItem());
  EXPECT_TRUE(f.panel.IsFocusRectShown());
  f.panel.SendMessage(WM_KEYDOWN, VK_DOWN);
  EXPECT_EQ(a0, f.panel.GetFocusedItem());
  f.panel.SendMessage(WM_KEYDOWN, VK_END);
  EXPECT_EQ(a0, f.panel.GetFocusedItem()) << "the last visible item is text";
  aText->SetVisible(FALSE);
  f.panel.SendMessage(WM_KEYDOWN, VK_END);
  EXPECT_EQ(a1, f.panel.GetFocusedItem());
  f.owner.notes.clear();
  f.panel.SendMessage(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(1, f.owner.Count(kTaskNotifyClick));
  EXPECT_EQ(static_cast<UINT>(0x83), static_cast<UINT>(f.panel.SendMessage(WM_GETDLGCODE)));
}

TEST(TaskPanelKeyboard, CtrlArrowsOpenTheNextGroupInListMode) {
  PanelFixture f(240, 400, kPanelModeList);
  CTkTaskPanelGroup* a = f.AddGroup(L"A", 2);
  CTkTaskPanelGroup* b = f.AddGroup(L"B", 2);
  a->SetExpanded(TRUE);
  f.panel.SetFocus();
  BYTE keys[256];
  ::GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  ::SetKeyboardState(keys);
  f.panel.SendMessage(WM_KEYDOWN, VK_DOWN);
  keys[VK_CONTROL] = 0;
  ::SetKeyboardState(keys);
  EXPECT_EQ(b, f.panel.GetActiveGroup());
  EXPECT_EQ(b, f.panel.GetFocusedItem());
}

TEST(TaskPanelKeyboard, NoGroupsPassTheFocusOn) {
  PanelFixture f;
  CEdit after;
  after.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 10, 10), &f.owner, 101);
  f.panel.SetFocus();
  f.panel.SendMessage(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(after.GetSafeHwnd(), ::GetFocus());
  EXPECT_EQ(nullptr, f.panel.GetFocusedItem());
}

// Items leaving while the panel points at them or into them.

TEST(TaskPanelRemoval, EveryReferenceIntoALeavingGroupIsCleared) {
  PanelFixture f;
  CTkTaskPanelGroup* keep = f.AddGroup(L"Keep", 1);
  CTkTaskPanelGroup* leaving = f.AddGroup(L"Leaving", 3);
  CTkTaskPanelItem* inside = leaving->GetItemAt(1);
  f.panel.MoveFocusTo(inside, TRUE);
  f.Send(WM_MOUSEMOVE, f.CentreOf(leaving->GetItemAt(2)));
  ASSERT_EQ(leaving->GetItemAt(2), f.panel.GetHotItem());
  f.panel.m_pDropTarget = leaving->GetItemAt(0);
  f.panel.m_pDraggedItem = inside;
  leaving->InternalAddRef();  // look at it after it left
  leaving->Remove();
  EXPECT_EQ(nullptr, f.panel.GetFocusedItem());
  EXPECT_EQ(nullptr, f.panel.GetHotItem());
  EXPECT_EQ(nullptr, f.panel.GetDropTarget());
  EXPECT_EQ(nullptr, f.panel.GetDraggedItem());
  EXPECT_EQ(nullptr, leaving->GetPanel());
  EXPECT_FALSE(inside->IsFocused());
  leaving->InternalRelease();
  // The panel goes on working.
  f.panel.SendMessage(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(keep, f.panel.GetFocusedItem());
  f.Send(WM_MOUSEMOVE, CPoint(5, 5));
  f.panel.UpdateWindow();
}

TEST(TaskPanelRemoval, OwnerRemovingTheItemDuringANotification) {
  struct Case {
    const char* name;
    WPARAM code;  // the notification during which the owner removes
    UINT message;
  } cases[] = {
      {"focus change on button down", kTaskNotifyFocusChanged, WM_LBUTTONDOWN},
      {"focus change on right button", kTaskNotifyFocusChanged, WM_RBUTTONDOWN},
      {"click", kTaskNotifyClick, WM_LBUTTONUP},
      {"expanding a group", kTaskNotifyExpanding, WM_LBUTTONUP},
  };
  for (const Case& c : cases) {
    PanelFixture f(240, 400, c.code == kTaskNotifyExpanding ? kPanelModeList : kPanelModeIndependent);
    f.AddGroup(L"Keep", 1);
    CTkTaskPanelGroup* leaving = f.AddGroup(L"Leaving", 2);
    CTkTaskPanelItem* target = c.code == kTaskNotifyExpanding ? static_cast<CTkTaskPanelItem*>(leaving)
                                                              : leaving->GetItemAt(0);
    CPoint point = f.CentreOf(target);
    f.owner.onNote = [&](WPARAM code, LPARAM) {
      if (code == c.code && leaving != nullptr) {
        f.panel.GetGroups()->Remove(leaving);
        leaving = nullptr;
      }
    };
    f.Send(WM_MOUSEMOVE, point);
    if (c.message == WM_LBUTTONUP) f.Send(WM_LBUTTONDOWN, point, MK_LBUTTON);
    f.Send(c.message, point, c.message == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON);
    f.Send(WM_LBUTTONUP, point);
    EXPECT_EQ(nullptr, leaving) << c.name;
    EXPECT_EQ(1, f.panel.GetGroupCount()) << c.name;
    EXPECT_EQ(nullptr, f.panel.GetPressedItem()) << c.name;
    EXPECT_EQ(nullptr, f.panel.GetActiveGroup()) << c.name;
    EXPECT_NE(f.panel.GetSafeHwnd(), ::GetCapture()) << c.name;
    f.Send(WM_MOUSEMOVE, point);
    f.panel.SendMessage(WM_KEYDOWN, VK_DOWN);
    f.panel.UpdateWindow();
  }
}

// A thread already in the multithreaded apartment keeps it after a panel
// came and went.
DWORD WINAPI PanelOnMultithreadedThread(LPVOID parameter) {
  auto* results = static_cast<HRESULT*>(parameter);
  results[0] = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  {
    CTkTaskPanel panel;
    results[1] = panel.IsOleInitialized() ? S_OK : E_FAIL;
  }
  results[2] = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (SUCCEEDED(results[2])) ::CoUninitialize();
  ::CoUninitialize();
  return 0;
}

TEST(TaskPanelWindow, LeavesAnotherApartmentAlone) {
  HRESULT results[3] = {E_FAIL, E_FAIL, E_FAIL};
  HANDLE thread = ::CreateThread(nullptr, 0, PanelOnMultithreadedThread, results, 0, nullptr);
  ASSERT_NE(nullptr, thread);
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(thread, 20000));
  ::CloseHandle(thread);
  EXPECT_EQ(S_OK, results[0]);
  EXPECT_EQ(E_FAIL, results[1]) << "OLE cannot start in a multithreaded apartment";
  EXPECT_EQ(S_FALSE, results[2]);
}

}  // namespace
