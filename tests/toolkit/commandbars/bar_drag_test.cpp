// Dragging docked and floating tool bars: the capture loop fed with posted
// input, the side flags that decide where a bar may go, tearing off,
// Escape, double-click toggling and resizing a floating bar.
#include <gtest/gtest.h>

#include "../test_resources.h"
#include "bar_drag_tracker.h"
#include "command_bars.h"
#include "dock_bar.h"
#include "frame_window.h"
#include "menu_bar.h"
#include "bar_fixtures.h"
#include "test_app.h"
#include "tool_bar.h"
#include "window_hooks.h"

namespace {

class DragFrame : public BarsTestFrame {
 public:
  CTkToolBar* AddToolBar(UINT id, DWORD dockFlags) {
    return AddTestToolBar(this, m_pCommandBars, id, dockFlags);
  }
};

// A hidden window whose client origin is the screen's: mouse moves posted
// to it carry screen points, whatever the dragged bar does meanwhile.
// A probe message, dispatched by the loop like any other, records the
// mouse tracker's suppression count.
class ScreenInput {
 public:
  ScreenInput() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"DragTestInput";
    ::RegisterClassW(&windowClass);
    m_hWnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"DragTestInput", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
  }
  void Probe() const {
    probed = -1;
    ::PostMessageW(m_hWnd, WM_APP, 0, 0);
  }
  static LRESULT CALLBACK Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) probed = GetMouseTracker()->m_suppressCount;
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
  }
  static int probed;
  ~ScreenInput() { ::DestroyWindow(m_hWnd); }
  void Move(CPoint screen) const {
    ::PostMessageW(m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(screen.x, screen.y));
  }
  void Up() const { ::PostMessageW(m_hWnd, WM_LBUTTONUP, 0, 0); }
  void Escape() const { ::PostMessageW(m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0); }
  HWND m_hWnd;
};

int ScreenInput::probed = -1;

CRect WindowOf(CWnd* window) {
  CRect rect;
  window->GetWindowRect(&rect);
  return rect;
}

// A point on the bar's gripper, away from its controls.
CPoint GripOf(CTkToolBar* bar) {
  const CRect rect = WindowOf(bar);
  return CPoint(rect.left + 2, rect.top + rect.Height() / 2);
}

class BarDragTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new DragFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"Drag test", WS_POPUP | WS_VISIBLE, CRect(40, 40, 640, 440)));
    frame->RecalcLayout();
  }
  void TearDown() override {
    ::ReleaseCapture();
    if (::IsWindow(frameWindow())) frame->DestroyWindow();
    PumpPending();
  }
  HWND frameWindow() const { return frame->GetSafeHwnd(); }
  CPoint Middle() const {
    const CRect rect = WindowOf(frame);
    return rect.CenterPoint();
  }
  // The left edge of the frame, half-way down: inside the left dock bar's
  // docking margin only.
  CPoint LeftEdge() const {
    const CRect rect = WindowOf(frame);
    return CPoint(rect.left + 4, rect.CenterPoint().y + 60);
  }
  // Drags the bar from its gripper through the points, then lets go.
  void Drag(CTkToolBar* bar, std::initializer_list<CPoint> points) {
    const CPoint start = GripOf(bar);
    for (CPoint point : points) input.Move(point);
    input.Up();
    bar->GetDragTracker()->StartDrag(start.x, start.y);
  }

  DragFrame* frame = nullptr;
  ScreenInput input;
};

TEST_F(BarDragTest, WhereABarGoesFollowsItsDockFlags) {
  struct Case {
    const char* name;
    DWORD flags;
    bool toLeftEdge;  // else to the middle of the frame, away from every dock bar
    int position;
  } cases[] = {
      {"left side allowed", kToolBarDockFlags, true, kBarLeft},
      {"left side refused, floating allowed", kDockTop | kDockBottom | kDockRight | kDockFloating, true, kBarFloating},
      {"left side refused, no floating", kDockTop | kDockBottom | kDockRight, true, kBarTop},
      {"torn off", kToolBarDockFlags, false, kBarFloating},
      {"no floating: stays", kDockTop | kDockBottom | kDockLeft | kDockRight, false, kBarTop},
  };
  UINT id = 700;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CTkToolBar* bar = frame->AddToolBar(++id, c.flags);
    ASSERT_NE(nullptr, bar);
    ASSERT_EQ(kBarTop, bar->GetPosition());
    frame->Bars()->GetCommandBarsOptions()->bDirty = FALSE;
    Drag(bar, {c.toLeftEdge ? LeftEdge() : Middle()});
    EXPECT_EQ(c.position, bar->GetPosition());
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_TRUE(frame->Bars()->GetCommandBarsOptions()->bDirty);
    if (c.position == kBarLeft) {
      EXPECT_EQ(frame->Bars()->GetDockBar(kBarLeft), bar->GetDockBar());
      EXPECT_EQ(frame->Bars()->GetDockBar(kBarLeft)->GetSafeHwnd(), ::GetParent(bar->GetSafeHwnd()));
    }
    if (c.position == kBarFloating) {
      EXPECT_EQ(nullptr, bar->GetDockBar());
      EXPECT_TRUE(WindowOf(bar).PtInRect(c.toLeftEdge ? LeftEdge() : Middle()) ||
                  WindowOf(bar).right == (c.toLeftEdge ? LeftEdge() : Middle()).x);
    }
    frame->Bars()->RemoveCommandBar(bar);
  }
}

TEST_F(BarDragTest, TearingOffKeepsTheDockedPlaceForTheToggleBack) {
  CTkToolBar* bar = frame->AddToolBar(701, kToolBarDockFlags);
  ASSERT_NE(nullptr, bar);
  CTkBarDragTracker* tracker = bar->GetDragTracker();
  // Dropped at a place in the top dock bar first, so there is a rectangle
  // to come back to.
  CRect place = WindowOf(bar);
  place.OffsetRect(60, 0);
  ASSERT_TRUE(frame->Bars()->DockCommandBar(bar, &place, frame->Bars()->GetDockBar(kBarTop)));
  frame->RecalcLayout();
  const CRect docked = tracker->GetLastDockedRect();
  ASSERT_FALSE(docked.IsRectEmpty());
  const CRect dockedWindow = WindowOf(bar);

  // Through the left dock bar on the way to the middle.
  Drag(bar, {LeftEdge(), Middle()});
  ASSERT_EQ(kBarFloating, bar->GetPosition());
  EXPECT_EQ(WindowOf(bar).TopLeft(), tracker->GetLastFloatingPos());
  EXPECT_EQ(kBarTop, tracker->GetLastDockPosition());
  EXPECT_EQ(docked, tracker->GetLastDockedRect());

  // A double click goes back to that place, and another floats the bar
  // where it floated, once the option allows it.
  const CPoint floated = WindowOf(bar).TopLeft();
  EXPECT_TRUE(tracker->ToggleDocking());
  EXPECT_EQ(kBarTop, bar->GetPosition());
  EXPECT_EQ(dockedWindow.TopLeft(), WindowOf(bar).TopLeft());
  EXPECT_FALSE(tracker->ToggleDocking());
  EXPECT_EQ(kBarTop, bar->GetPosition());
  frame->Bars()->GetCommandBarsOptions()->bDblClickFloat = TRUE;
  EXPECT_TRUE(tracker->ToggleDocking());
  EXPECT_EQ(kBarFloating, bar->GetPosition());
  EXPECT_EQ(floated, WindowOf(bar).TopLeft());
}

TEST_F(BarDragTest, DoubleClickOnTheGripperTogglesThroughTheBar) {
  CTkToolBar* bar = frame->AddToolBar(702, kToolBarDockFlags);
  ASSERT_NE(nullptr, bar);
  frame->Bars()->GetCommandBarsOptions()->bDblClickFloat = TRUE;
  CPoint grip = GripOf(bar);
  bar->ScreenToClient(&grip);
  bar->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(grip.x, grip.y));
  EXPECT_EQ(kBarFloating, bar->GetPosition());
  // A floating bar never docked at a place returns as a new last row.
  CRect client;
  bar->GetClientRect(&client);
  bar->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(1, client.bottom - 1));
  EXPECT_EQ(kBarTop, bar->GetPosition());
  CTkDockBar* top = frame->Bars()->GetDockBar(kBarTop);
  EXPECT_EQ(bar, top->GetBarAt(top->GetEntryCount() - 2));
}

TEST_F(BarDragTest, EscapeEndsTheDragWhereTheLastMoveLeftIt) {
  CTkToolBar* bar = frame->AddToolBar(703, kToolBarDockFlags);
  ASSERT_NE(nullptr, bar);
  const CPoint start = GripOf(bar);
  input.Move(Middle());
  input.Escape();
  input.Move(LeftEdge());
  bar->GetDragTracker()->StartDrag(start.x, start.y);
  EXPECT_EQ(kBarFloating, bar->GetPosition());
  EXPECT_TRUE(WindowOf(bar).PtInRect(Middle()));
  EXPECT_EQ(nullptr, ::GetCapture());
  // The move after Escape was not the loop's.
  MSG msg;
  EXPECT_TRUE(::PeekMessageW(&msg, input.m_hWnd, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
}

TEST_F(BarDragTest, ACaptureHeldElsewhereLeavesTheBarAlone) {
  CTkToolBar* bar = frame->AddToolBar(704, kToolBarDockFlags);
  ASSERT_NE(nullptr, bar);
  ::SetCapture(frameWindow());
  ASSERT_EQ(frameWindow(), ::GetCapture());
  const CRect before = WindowOf(bar);
  frame->Bars()->GetCommandBarsOptions()->bDirty = FALSE;
  Drag(bar, {Middle()});
  EXPECT_EQ(kBarTop, bar->GetPosition());
  EXPECT_EQ(before, WindowOf(bar));
  EXPECT_EQ(frameWindow(), ::GetCapture());
  EXPECT_FALSE(frame->Bars()->GetCommandBarsOptions()->bDirty);
  ::ReleaseCapture();
  PumpPending();
}

TEST_F(BarDragTest, TheMouseTrackerIsQuietOnlyWhileTheDragRuns) {
  CTkToolBar* bar = frame->AddToolBar(705, kToolBarDockFlags);
  ASSERT_NE(nullptr, bar);
  const int before = frame->Bars()->GetMouseTracker()->m_suppressCount;
  const CPoint start = GripOf(bar);
  input.Move(Middle());
  input.Probe();
  input.Up();
  bar->GetDragTracker()->StartDrag(start.x, start.y);
  EXPECT_EQ(before + 1, ScreenInput::probed);
  EXPECT_EQ(before, frame->Bars()->GetMouseTracker()->m_suppressCount);
}

TEST_F(BarDragTest, ResizingAFloatingBarKeepsTheOppositeEdge) {
  CTkToolBar* bar = frame->AddToolBar(706, kToolBarDockFlags);
  ASSERT_NE(nullptr, bar);
  ASSERT_TRUE(bar->PlaceBar(kBarFloating));
  bar->SetWindowPos(nullptr, 200, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const CRect before = WindowOf(bar);
  ASSERT_GT(before.Width(), 60);

  // Narrower from the left edge: the buttons wrap, the right edge stays.
  const CPoint grab(before.left + 1, before.CenterPoint().y);
  input.Move(CPoint(grab.x + before.Width() / 2, grab.y));
  input.Up();
  bar->GetDragTracker()->StartResize(HTLEFT, grab.x, grab.y);
  const CRect narrow = WindowOf(bar);
  EXPECT_LT(narrow.Width(), before.Width());
  EXPECT_GT(narrow.Height(), before.Height());
  EXPECT_EQ(before.right, narrow.right);
  EXPECT_EQ(before.top, narrow.top);
  EXPECT_EQ(narrow.Width(), bar->GetMRUWidth());
  EXPECT_EQ(narrow.TopLeft(), bar->GetDragTracker()->GetLastFloatingPos());

  // Wider again from the right edge: the left edge stays.
  const CPoint right(narrow.right - 1, narrow.CenterPoint().y);
  input.Move(CPoint(right.x + before.Width(), right.y));
  input.Up();
  bar->GetDragTracker()->StartResize(HTRIGHT, right.x, right.y);
  const CRect wide = WindowOf(bar);
  EXPECT_EQ(narrow.left, wide.left);
  EXPECT_GT(wide.Width(), narrow.Width());
}

TEST_F(BarDragTest, APressOnTheGripperDragsAndAQuitIsPassedOn) {
  CTkToolBar* bar = frame->AddToolBar(707, kToolBarDockFlags);
  ASSERT_NE(nullptr, bar);
  CPoint grip = GripOf(bar);
  bar->ScreenToClient(&grip);
  input.Move(Middle());
  ::PostThreadMessageW(::GetCurrentThreadId(), WM_QUIT, 3, 0);
  input.Up();
  bar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grip.x, grip.y));
  EXPECT_EQ(kBarFloating, bar->GetPosition());
  EXPECT_EQ(nullptr, ::GetCapture());
  // The quit ended the loop before the button went up, and waits again.
  MSG msg;
  bool quit = false;
  bool up = false;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT && msg.wParam == 3) quit = true;
    if (msg.message == WM_LBUTTONUP) up = true;
  }
  EXPECT_TRUE(quit);
  EXPECT_TRUE(up);
}

TEST_F(BarDragTest, TheMenuBarGoesToEveryEdgeFloatsAndComesBack) {
  CTkMenuBar* menuBar = frame->Bars()->GetMenuBar();
  ASSERT_NE(nullptr, menuBar);
  CRect client;
  frame->GetClientRect(&client);
  frame->ClientToScreen(&client);
  struct Case {
    CPoint target;
    int position;
  } cases[] = {
      {{client.CenterPoint().x, client.bottom - 2}, kBarBottom},
      {{client.left + 2, client.CenterPoint().y}, kBarLeft},
      {{client.right - 2, client.CenterPoint().y}, kBarRight},
      {{client.CenterPoint().x, client.top + 2}, kBarTop},
  };
  for (const Case& c : cases) {
    const CPoint start = GripOf(menuBar);
    input.Move(c.target);
    input.Up();
    menuBar->GetDragTracker()->StartDrag(start.x, start.y);
    EXPECT_EQ(c.position, menuBar->GetPosition());
    // Stretched over its whole edge.
    const CRect bar = WindowOf(menuBar);
    if (c.position == kBarLeft || c.position == kBarRight)
      EXPECT_EQ(client.Height(), bar.Height());
    else
      EXPECT_EQ(client.Width(), bar.Width());
  }
  // Torn off; its one menu cannot be laid out narrower, so a resize leaves
  // the window as it is; a double click docks it again where it was.
  const CRect docked = WindowOf(menuBar);
  Drag(menuBar, {Middle()});
  ASSERT_EQ(kBarFloating, menuBar->GetPosition());
  const CRect floating = WindowOf(menuBar);
  const CPoint edge(floating.right - 1, floating.CenterPoint().y);
  input.Move(CPoint(edge.x - floating.Width() / 2, edge.y));
  input.Up();
  menuBar->GetDragTracker()->StartResize(HTRIGHT, edge.x, edge.y);
  EXPECT_EQ(floating, WindowOf(menuBar));
  EXPECT_TRUE(menuBar->GetDragTracker()->ToggleDocking());
  EXPECT_EQ(kBarTop, menuBar->GetPosition());
  EXPECT_EQ(docked, WindowOf(menuBar));
}

// A window that answers WM_PAINT without validating itself is painted
// again and again; the loop still reaches the mouse.
LRESULT CALLBACK NeverValidated(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) return 0;
  return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

TEST_F(BarDragTest, AWindowThatNeverStopsPaintingDoesNotHoldTheDrag) {
  CTkToolBar* bar = frame->AddToolBar(708, kToolBarDockFlags);
  ASSERT_NE(nullptr, bar);
  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = NeverValidated;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"DragTestNeverValidated";
  ::RegisterClassW(&windowClass);
  HWND painter = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"DragTestNeverValidated", L"", WS_POPUP | WS_VISIBLE, 900, 700,
                                   40, 40, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, painter);
  ::InvalidateRect(painter, nullptr, FALSE);
  Drag(bar, {Middle()});
  EXPECT_EQ(kBarFloating, bar->GetPosition());
  ::DestroyWindow(painter);
}

TEST_F(BarDragTest, TearingABarOffLeavesTheFrameActive) {
  CTkToolBar* bar = frame->AddToolBar(709, kToolBarDockFlags);
  ASSERT_NE(nullptr, bar);
  frame->SetActiveWindow();
  PumpPending();
  ASSERT_EQ(frameWindow(), ::GetActiveWindow());
  Drag(bar, {Middle()});
  PumpPending();
  ASSERT_EQ(kBarFloating, bar->GetPosition());
  EXPECT_EQ(frameWindow(), ::GetActiveWindow());
  EXPECT_TRUE(bar->IsWindowVisible());
  // Above its frame in the window order.
  bool barFirst = false;
  for (HWND window = ::GetTopWindow(nullptr); window != nullptr; window = ::GetWindow(window, GW_HWNDNEXT)) {
    if (window == frameWindow()) break;
    if (window == bar->GetSafeHwnd()) barFirst = true;
  }
  EXPECT_TRUE(barFirst);
}

TEST(MoveRectToContainPoint, MovesByTheLeastAmount) {
  struct Case {
    CPoint point;
    CRect expected;
  } cases[] = {
      {{15, 15}, {10, 10, 20, 20}},
      {{5, 15}, {5, 10, 15, 20}},
      {{25, 15}, {15, 10, 25, 20}},
      {{15, 2}, {10, 2, 20, 12}},
      {{30, 40}, {20, 30, 30, 40}},
  };
  for (const Case& c : cases) {
    CRect rect(10, 10, 20, 20);
    MoveRectToContainPoint(rect, c.point.x, c.point.y);
    EXPECT_EQ(c.expected, rect) << c.point.x << "," << c.point.y;
  }
}

}  // namespace
