// Drag and drop on the panel: the drag flags, the drop effects and targets,
// where a drop lands with either drop marker, opening a collapsed group a
// drag hovers over, reordering groups by their captions, and one real drag
// driven by injected input.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "ole_data_source.h"
#include "screen_png.h"
#include "task_panel_fixture.h"

namespace {

// A data object over a data source that holds the item's drag data.
class DragData {
 public:
  DragData(CTkTaskPanelGroupItem* item, BOOL withText) : source(new COleDataSource) {
    item->PutOnDataSource(source, withText);
    auto* face = static_cast<LPDATAOBJECT>(source->GetInterface(IID_IDataObject));
    face->AddRef();
    data.Attach(face);
  }
  ~DragData() {
    data.Release();
    source->InternalRelease();
  }

  COleDataSource* source;
  COleDataObject data;
};

CPoint UpperHalf(CTkTaskPanelItem* item) {
  CRect rect = item->GetHitRect();
  return CPoint(rect.CenterPoint().x, rect.top + 1);
}

CPoint LowerHalf(CTkTaskPanelItem* item) {
  CRect rect = item->GetHitRect();
  return CPoint(rect.CenterPoint().x, rect.bottom - 2);
}

CPoint CaptionOf(CTkTaskPanelGroup* group) {
  CRect caption = group->GetCaptionRect();
  caption.OffsetRect(0, -group->GetPanel()->GetScrollPosition());
  return caption.CenterPoint();
}

void SaveShot(CWnd& window, const wchar_t* name) {
  window.UpdateWindow();
  CRect rect;
  window.GetWindowRect(&rect);
  SaveScreenAsPng(rect, name);
}

TEST(TaskPanelDrag, FlagsComeFromTheItemItsGroupOrThePanel) {
  struct Case {
    int item, group, panel, expected;
  } cases[] = {
      {1, 1, 0, 0},       {1, 1, 1, 0xCC},    {1, 0x44, 0, 0x44}, {0x20, 0x44, 1, 0x20},
      {1, 1, 0x88, 0x88}, {0, 0x44, 1, 0},
  };
  for (const Case& c : cases) {
    CTkTaskPanel panel;
    panel.SetDragFlags(c.panel);
    CTkTaskPanelGroup* group = panel.AddGroup(L"G");
    group->SetAllowDrag(c.group);
    CTkTaskPanelGroupItem* item = group->AddItem(L"item");
    item->SetAllowDrag(c.item);
    EXPECT_EQ(c.expected, item->GetDragFlags()) << c.item << " " << c.group << " " << c.panel;
  }
  // A detached item has no panel to ask.
  CTkTaskPanelGroupItem loose;
  EXPECT_EQ(0xCC, loose.GetDragFlags());
}

TEST(TaskPanelDrag, PressingAndMovingStartsADragOnlyWithFlags) {
  struct Case {
    int panelFlags;
    int startNotes;
  } cases[] = {{0, 0}, {1, 1}};
  for (const Case& c : cases) {
    PanelFixture f;
    f.panel.SetDragFlags(c.panelFlags);
    CTkTaskPanelGroup* group = f.AddGroup(L"G", 2);
    CTkTaskPanelGroupItem* item = group->GetItemAt(0);
    // The owner cancels: no OLE drag loop starts.
    f.owner.answers[kTaskNotifyStartDrag] = -1;
    CPoint point = f.CentreOf(item);
    f.Send(WM_MOUSEMOVE, point);
    f.Send(WM_LBUTTONDOWN, point, MK_LBUTTON);
    f.Send(WM_MOUSEMOVE, point + CPoint(0, 5), MK_LBUTTON);
    EXPECT_EQ(c.startNotes, f.owner.Count(kTaskNotifyStartDrag)) << c.panelFlags;
    EXPECT_EQ(nullptr, f.panel.GetDraggedItem());
    EXPECT_EQ(2, group->GetItemCount());
    // A cancelled drag lets go of the mouse; an undraggable item stays
    // pressed and is clicked.
    EXPECT_EQ(c.panelFlags == 0, ::GetCapture() == f.panel.GetSafeHwnd()) << c.panelFlags;
    f.Send(WM_LBUTTONUP, point + CPoint(0, 5));
    EXPECT_EQ(c.panelFlags == 0 ? 1 : 0, f.owner.Count(kTaskNotifyClick)) << c.panelFlags;
  }
}

TEST(TaskPanelDrag, EffectsFollowTheFlagsTheGroupAndCtrl) {
  struct Case {
    const char* name;
    int flags;           // of the dragged item; -1: dragged from elsewhere
    BOOL otherGroup;     // over the other group's item
    BOOL ctrl;
    BOOL withText;       // the data carries CF_TEXT
    DROPEFFECT expected;
  } cases[] = {
      {"default in own group", 0xCC, FALSE, FALSE, FALSE, DROPEFFECT_MOVE},
      {"default with Ctrl", 0xCC, FALSE, TRUE, FALSE, DROPEFFECT_COPY},
      {"default to another group", 0xCC, TRUE, FALSE, FALSE, DROPEFFECT_MOVE},
      {"default to another group with Ctrl", 0xCC, TRUE, TRUE, FALSE, DROPEFFECT_COPY},
      {"move in group only", 0x20, FALSE, FALSE, FALSE, DROPEFFECT_MOVE},
      {"move in group only, Ctrl has no copy", 0x20, FALSE, TRUE, FALSE, DROPEFFECT_MOVE},
      {"move in group only, other group", 0x20, TRUE, FALSE, FALSE, DROPEFFECT_NONE},
      {"both in group only, other group", 0x22, TRUE, TRUE, FALSE, DROPEFFECT_NONE},
      {"both in group only, Ctrl", 0x22, FALSE, TRUE, FALSE, DROPEFFECT_COPY},
      {"copy in panel", 0x04, TRUE, FALSE, FALSE, DROPEFFECT_COPY},
      {"move in panel, Ctrl has no copy", 0x40, TRUE, TRUE, FALSE, DROPEFFECT_MOVE},
      {"only out of the panel", 0x88, FALSE, FALSE, TRUE, DROPEFFECT_NONE},
      {"from elsewhere with text", -1, TRUE, FALSE, TRUE, DROPEFFECT_MOVE},
      {"from elsewhere with text and Ctrl", -1, TRUE, TRUE, TRUE, DROPEFFECT_COPY},
      {"from elsewhere without text", -1, TRUE, FALSE, FALSE, DROPEFFECT_NONE},
  };
  for (const Case& c : cases) {
    PanelFixture f;
    CTkTaskPanelGroup* a = f.AddGroup(L"A", 3);
    CTkTaskPanelGroup* b = f.AddGroup(L"B", 3);
    CTkTaskPanelGroupItem* dragged = a->GetItemAt(0);
    dragged->SetDragText(L"A 0");
    if (c.flags >= 0) {
      dragged->SetAllowDrag(c.flags);
      f.panel.m_pDraggedItem = dragged;
    }
    CTkTaskPanelItem* over = c.otherGroup ? b->GetItemAt(1) : a->GetItemAt(2);
    DragData drag(dragged, c.withText);
    DROPEFFECT effect = f.panel.OnDragOverPanel(&drag.data, c.ctrl ? MK_CONTROL : 0, UpperHalf(over));
    EXPECT_EQ(c.expected, effect) << c.name;
    EXPECT_EQ(c.expected != DROPEFFECT_NONE ? over : nullptr, f.panel.GetDropTarget()) << c.name;
    // Leaving clears the target.
    f.panel.OnDragOverPanel(nullptr, 0, CPoint(-1, -1));
    EXPECT_EQ(nullptr, f.panel.GetDropTarget()) << c.name;
    f.panel.m_pDraggedItem = nullptr;
  }
}

TEST(TaskPanelDrag, TargetsRespectWhatTakesDrops) {
  PanelFixture f;
  f.panel.SetDragFlags(1);
  CTkTaskPanelGroup* a = f.AddGroup(L"A", 2);
  CTkTaskPanelGroup* b = f.AddGroup(L"B", 2);
  CTkTaskPanelGroupItem* dragged = a->GetItemAt(0);
  f.panel.m_pDraggedItem = dragged;
  DragData drag(dragged, FALSE);
  // An item that takes no drops leaves its group as the target.
  b->GetItemAt(1)->SetAllowDrop(FALSE);
  EXPECT_EQ(DROPEFFECT_MOVE, f.panel.OnDragOverPanel(&drag.data, 0, UpperHalf(b->GetItemAt(1))));
  EXPECT_EQ(b, f.panel.GetDropTarget());
  // A group that takes none is no target at all, nor is a panel.
  b->SetAllowDrop(FALSE);
  EXPECT_EQ(DROPEFFECT_NONE, f.panel.OnDragOverPanel(&drag.data, 0, UpperHalf(b->GetItemAt(0))));
  EXPECT_EQ(nullptr, f.panel.GetDropTarget());
  f.panel.SetAcceptsDrops(FALSE);
  EXPECT_EQ(DROPEFFECT_NONE, f.panel.OnDragOverPanel(&drag.data, 0, UpperHalf(a->GetItemAt(1))));
  EXPECT_EQ(nullptr, f.panel.GetDropTarget());
  EXPECT_FALSE(f.panel.OnDropOnPanel(&drag.data, DROPEFFECT_MOVE, UpperHalf(a->GetItemAt(1))));
  f.panel.m_pDraggedItem = nullptr;
}

TEST(TaskPanelDrag, DropIndexWithTheInsertionLineAndTheInvertedMarker) {
  enum Where { kUpper, kLower, kBelowItems, kCaption };
  struct Case {
    const char* name;
    int theme;        // 2 draws an insertion line, 7 inverts the target
    int draggedFrom;  // -1: group B's first item, else that index of A
    int over;         // item of A
    Where where;
    int expected;     // index of the copy in A
  } cases[] = {
      {"line: upper half", 2, -1, 1, kUpper, 1},
      {"line: lower half goes before the next", 2, -1, 1, kLower, 2},
      {"line: lower half of the last stays before it", 2, -1, 3, kLower, 3},
      {"line: below the items appends", 2, -1, 0, kBelowItems, 4},
      {"line: on the caption appends", 2, -1, 0, kCaption, 4},
      {"line: own list, dragged before", 2, 0, 2, kUpper, 2},
      {"inverted: after the target", 7, -1, 1, kUpper, 2},
      {"inverted: lower half changes nothing", 7, -1, 1, kLower, 2},
      {"inverted: dragged from before it", 7, 0, 1, kUpper, 2},
      {"inverted: dragged from after it", 7, 3, 1, kUpper, 1},
      {"inverted: onto itself", 7, 1, 1, kUpper, 2},
  };
  bool shotLine = false, shotInverted = false;
  for (const Case& c : cases) {
    PanelFixture f(240, 420);
    f.panel.SetDragFlags(1);
    f.panel.SelectPaintTheme(c.theme);
    CTkTaskPanelGroup* a = f.AddGroup(L"A", 4);
    CTkTaskPanelGroup* b = f.AddGroup(L"B", 2);
    CTkTaskPanelGroupItem* dragged = c.draggedFrom < 0 ? b->GetItemAt(0) : a->GetItemAt(c.draggedFrom);
    dragged->SetCaption(L"Dragged");
    f.panel.m_pDraggedItem = dragged;
    CTkTaskPanelItem* over = a->GetItemAt(c.over);
    CPoint point = c.where == kUpper   ? UpperHalf(over)
                   : c.where == kLower ? LowerHalf(over)
                   : c.where == kCaption
                       ? CaptionOf(a)
                       : CPoint(a->GetClientRect().CenterPoint().x, a->GetClientRect().bottom - 1);
    DragData drag(dragged, FALSE);
    DROPEFFECT effect = f.panel.OnDragOverPanel(&drag.data, MK_CONTROL, point);
    ASSERT_EQ(DROPEFFECT_COPY, effect) << c.name;
    if (c.theme == 2 && c.where == kLower && !shotLine) {
      shotLine = true;
      SaveShot(f.owner, L"taskpanel_drop_line.png");
    }
    if (c.theme == 7 && c.draggedFrom < 0 && !shotInverted) {
      shotInverted = true;
      SaveShot(f.owner, L"taskpanel_drop_inverted.png");
    }
    f.owner.notes.clear();
    ASSERT_TRUE(f.panel.OnDropOnPanel(&drag.data, effect, point)) << c.name;
    EXPECT_EQ(nullptr, f.panel.GetDropTarget());
    int count = a->GetItemCount();
    ASSERT_EQ(5, count) << c.name;
    int index = -1;
    for (int i = 0; i < count; ++i) {
      if (a->GetItemAt(i) != dragged && a->GetItemAt(i)->GetCaption() == L"Dragged") index = i;
    }
    EXPECT_EQ(c.expected, index) << c.name;
    CTkTaskPanelItem* copy = a->GetItemAt(index);
    EXPECT_EQ(copy, f.panel.GetFocusedItem()) << c.name;
    ASSERT_EQ(1, f.owner.Count(kTaskNotifyDrop)) << c.name;
    for (const PanelNote& note : f.owner.notes) {
      if (note.code == kTaskNotifyDrop) {
        EXPECT_EQ(reinterpret_cast<LPARAM>(copy), note.param) << c.name;
      }
    }
    f.panel.m_pDraggedItem = nullptr;
  }
}

TEST(TaskPanelDrag, DropsThatMakeNothing) {
  PanelFixture f;
  CTkTaskPanelGroup* a = f.AddGroup(L"A", 2);
  CTkTaskPanelGroup* b = f.AddGroup(L"B", 1);
  CTkTaskPanelGroupItem* dragged = a->GetItemAt(0);
  dragged->SetDragText(L"text");
  // Without a target there is nothing to do.
  DragData drag(dragged, TRUE);
  EXPECT_FALSE(f.panel.OnDropOnPanel(&drag.data, DROPEFFECT_COPY, UpperHalf(b->GetItemAt(0))));
  // Effects other than copy and move succeed without adding anything.
  f.panel.OnDragOverPanel(&drag.data, 0, UpperHalf(b->GetItemAt(0)));
  EXPECT_TRUE(f.panel.OnDropOnPanel(&drag.data, DROPEFFECT_LINK, UpperHalf(b->GetItemAt(0))));
  EXPECT_EQ(1, b->GetItemCount());

  // Data naming a group, from another program, is no item of a group.
  auto* source = new COleDataSource;
  source->CacheGlobalData(GetTaskPanelClipboardFormat(), a->CopyToGlobalMemory());
  HGLOBAL text = ::GlobalAlloc(GMEM_MOVEABLE, 2);
  static_cast<char*>(::GlobalLock(text))[0] = 'x';
  ::GlobalUnlock(text);
  source->CacheGlobalData(CF_TEXT, text);
  COleDataObject groupData;
  auto* face = static_cast<LPDATAOBJECT>(source->GetInterface(IID_IDataObject));
  face->AddRef();
  groupData.Attach(face);
  EXPECT_EQ(DROPEFFECT_MOVE, f.panel.OnDragOverPanel(&groupData, 0, UpperHalf(b->GetItemAt(0))));
  f.owner.notes.clear();
  EXPECT_FALSE(f.panel.OnDropOnPanel(&groupData, DROPEFFECT_MOVE, UpperHalf(b->GetItemAt(0))));
  EXPECT_EQ(1, b->GetItemCount());
  EXPECT_EQ(2, f.panel.GetGroupCount());
  EXPECT_EQ(0, f.owner.Count(kTaskNotifyDrop));
  groupData.Release();
  source->InternalRelease();
}

TEST(TaskPanelDrag, HoveringOverACollapsedGroupOpensItAfterTheHoverTime) {
  UINT hover = 0;
  if (!::SystemParametersInfoW(SPI_GETMOUSEHOVERTIME, 0, &hover, 0) || hover == 0) hover = 500;
  PanelFixture f;
  f.panel.SetDragFlags(1);
  CTkTaskPanelGroup* a = f.AddGroup(L"A", 2);
  CTkTaskPanelGroup* closed = f.AddGroup(L"Closed", 2);
  closed->SetExpanded(FALSE);
  f.panel.m_pDraggedItem = a->GetItemAt(0);
  DragData drag(a->GetItemAt(0), FALSE);
  DWORD start = ::GetTickCount();
  ASSERT_EQ(DROPEFFECT_MOVE, f.panel.OnDragOverPanel(&drag.data, 0, CaptionOf(closed)));
  EXPECT_EQ(closed, f.panel.GetDropTarget());
  EXPECT_FALSE(closed->IsExpanded());
  // More drag-overs on the same group do not restart the wait.
  f.panel.OnDragOverPanel(&drag.data, 0, CaptionOf(closed));
  ASSERT_TRUE(WaitFor([&] { return closed->IsExpanded(); }, hover + 5000));
  EXPECT_GE(::GetTickCount() - start + 20, hover);
  EXPECT_FALSE(f.panel.m_bHoverExpandPending);

  // Leaving before the time is up leaves the group closed.
  closed->SetExpanded(FALSE);
  f.panel.OnDragOverPanel(&drag.data, 0, CaptionOf(closed));
  EXPECT_TRUE(f.panel.m_bHoverExpandPending);
  f.panel.OnDragOverPanel(nullptr, 0, CPoint(-1, -1));
  EXPECT_FALSE(f.panel.m_bHoverExpandPending);
  DWORD waited = ::GetTickCount();
  WaitFor([&] { return closed->IsExpanded(); }, hover + 200);
  EXPECT_FALSE(closed->IsExpanded()) << ::GetTickCount() - waited;
  f.panel.m_pDraggedItem = nullptr;
}

TEST(TaskPanelDrag, DraggingACaptionReordersTheGroupsLive) {
  enum End { kEscape, kButtonUp, kQuit };
  struct Case {
    const char* name;
    End end;
    bool overC;  // also over C's caption before the end
    const wchar_t* expected;
  } cases[] = {
      {"Escape keeps the order reached", kEscape, true, L"BCA"},
      {"button up", kButtonUp, false, L"BAC"},
      {"quit ends the loop and comes back", kQuit, false, L"BAC"},
  };
  ::SetCursorPos(1200, 1000);
  for (const Case& c : cases) {
    PanelFixture f(240, 420);
    f.panel.SetDragFlags(1);
    CTkTaskPanelGroup* a = f.AddGroup(L"A", 2);
    CTkTaskPanelGroup* b = f.AddGroup(L"B", 2);
    CTkTaskPanelGroup* cGroup = f.AddGroup(L"C", 2);
    CPoint press = CaptionOf(a);
    CPoint overB = CaptionOf(b);
    CPoint overC = CaptionOf(cGroup);
    f.Send(WM_LBUTTONDOWN, press, MK_LBUTTON);
    ASSERT_EQ(f.panel.GetSafeHwnd(), ::GetCapture());
    // The loop owns the thread: its input waits in the queue.
    HWND hWnd = f.panel.GetSafeHwnd();
    ::PostMessageW(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(overB.x, overB.y));
    if (c.overC) ::PostMessageW(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(overC.x, overC.y));
    ::PostMessageW(hWnd, WM_KEYDOWN, 'X', 0);  // swallowed
    if (c.end == kEscape) ::PostMessageW(hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    if (c.end == kButtonUp) ::PostMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(overB.x, overB.y));
    if (c.end == kQuit) ::PostThreadMessageW(::GetCurrentThreadId(), WM_QUIT, 7, 0);
    f.Send(WM_MOUSEMOVE, press + CPoint(0, 6), MK_LBUTTON);
    std::wstring order;
    for (int i = 0; i < f.panel.GetGroupCount(); ++i) order += f.panel.GetGroupAt(i)->GetCaption().GetString();
    EXPECT_EQ(std::wstring(c.expected), order) << c.name;
    EXPECT_EQ(nullptr, f.panel.GetDraggedItem()) << c.name;
    EXPECT_NE(hWnd, ::GetCapture()) << c.name;
    // The loop handed the quit on.
    MSG msg;
    BOOL quit = FALSE;
    while (!quit && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      quit = msg.message == WM_QUIT;
      if (!quit) ::DispatchMessageW(&msg);
    }
    EXPECT_EQ(c.end == kQuit, quit != FALSE) << c.name;
    if (quit) {
      EXPECT_EQ(7u, static_cast<UINT>(msg.wParam));
    }
    EXPECT_EQ(0, f.owner.Count(kTaskNotifyExpanding)) << c.name << ": the press was no click";
  }
}

// One real drag: OLE's loop polls the mouse, so the input comes from a
// helper thread that waits for each state the drag reaches.

class RecordingPanel : public CTkTaskPanel {
 public:
  DROPEFFECT OnDragOverPanel(COleDataObject* data, DWORD keyState, CPoint point) override {
    DROPEFFECT effect = CTkTaskPanel::OnDragOverPanel(data, keyState, point);
    target.store(GetDropTarget());
    return effect;
  }
  std::atomic<CTkTaskPanelItem*> target{nullptr};
};

void SendButton(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof(input));
}

template <class Condition>
bool Await(Condition condition, DWORD timeout = 5000) {
  DWORD start = ::GetTickCount();
  while (!condition()) {
    if (::GetTickCount() - start > timeout) return false;
    ::Sleep(5);
  }
  return true;
}

HWND CaptureOf(DWORD threadId) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  return ::GetGUIThreadInfo(threadId, &info) ? info.hwndCapture : nullptr;
}

TEST(TaskPanelDragInput, AMoveInsertsTheCopyBeforeTheOriginalGoes) {
  PanelOwner owner;
  owner.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW)), L"Task panel",
                 WS_POPUP | WS_BORDER | WS_VISIBLE, 30, 30, 242, 402, nullptr, nullptr);
  RecordingPanel panel;
  panel.SetAnimationMode(1);
  panel.SetDragFlags(1);
  panel.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 240, 400), &owner, 100);
  owner.SetForegroundWindow();
  CTkTaskPanelGroup* a = panel.AddGroup(L"A");
  CTkTaskPanelGroup* b = panel.AddGroup(L"B");
  for (LPCWSTR caption : {L"A 0", L"A 1", L"A 2"}) a->AddItem(caption);
  for (LPCWSTR caption : {L"B 0", L"B 1"}) b->AddItem(caption);
  owner.UpdateWindow();
  CTkTaskPanelGroupItem* original = a->GetItemAt(0);
  CTkTaskPanelGroupItem* over = b->GetItemAt(1);
  CPoint from = original->GetHitRect().CenterPoint();
  CPoint to = UpperHalf(over) + CPoint(0, 1);
  panel.ClientToScreen(&from);
  panel.ClientToScreen(&to);

  std::atomic<bool> started{false};
  bool originalThereAtDrop = false;
  int itemsOfAAtDrop = -1;
  owner.onNote = [&](WPARAM code, LPARAM) {
    if (code == kTaskNotifyStartDrag) started = true;
    if (code == kTaskNotifyDrop) {
      originalThereAtDrop = a->GetItems()->IndexOf(original) == 0;
      itemsOfAAtDrop = a->GetItemCount();
    }
  };
  original->InternalAddRef();  // looked at after it left

  DWORD uiThread = ::GetCurrentThreadId();
  HWND panelWnd = panel.GetSafeHwnd();
  std::atomic<bool> done{false}, sawTarget{false}, inLoop{false};
  std::thread player([&] {
    ::SetCursorPos(from.x, from.y);
    SendButton(MOUSEEVENTF_LEFTDOWN);
    ::SetCursorPos(from.x, from.y + 3);
    ::SetCursorPos(from.x, from.y + 8);
    // OLE's loop holds the mouse with a window of its own.
    inLoop = Await([&] {
      HWND capture = CaptureOf(uiThread);
      return started && capture != nullptr && capture != panelWnd;
    });
    ::SetCursorPos((from.x + to.x) / 2, (from.y + to.y) / 2);
    ::SetCursorPos(to.x, to.y);
    sawTarget = Await([&] { return panel.target.load() == over; });
    if (sawTarget) {
      ::UpdateWindow(panelWnd);  // painted on its own thread, inside the drag loop
      CRect shot;
      ::GetWindowRect(owner.GetSafeHwnd(), &shot);
      SaveScreenAsPng(shot, L"taskpanel_drag.png");
    }
    SendButton(MOUSEEVENTF_LEFTUP);
    if (!Await([&] { return CaptureOf(uiThread) == nullptr; })) {
      INPUT escape[2] = {};
      escape[0].type = escape[1].type = INPUT_KEYBOARD;
      escape[0].ki.wVk = escape[1].ki.wVk = VK_ESCAPE;
      escape[1].ki.dwFlags = KEYEVENTF_KEYUP;
      ::SendInput(2, escape, sizeof(INPUT));
    }
    done = true;
  });
  bool finished = WaitFor([&] { return done.load() && panel.GetDraggedItem() == nullptr; }, 20000);
  player.join();
  ASSERT_TRUE(finished);
  EXPECT_TRUE(inLoop);
  EXPECT_TRUE(sawTarget);
  EXPECT_TRUE(originalThereAtDrop) << "the copy goes in first";
  EXPECT_EQ(3, itemsOfAAtDrop);
  ASSERT_EQ(2, a->GetItemCount());
  EXPECT_EQ(nullptr, original->GetPanel());
  ASSERT_EQ(3, b->GetItemCount());
  EXPECT_STREQ(L"A 0", b->GetItemAt(1)->GetCaption());
  EXPECT_EQ(b->GetItemAt(1), panel.GetFocusedItem());
  EXPECT_EQ(nullptr, panel.GetDropTarget());
  original->InternalRelease();
  owner.onNote = nullptr;
  panel.DestroyWindow();
  owner.DestroyWindow();
}

}  // namespace
