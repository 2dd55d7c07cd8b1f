// Docking by dragging: drops driven by real input, the preview windows, the
// desktop lock, and the docking stickers.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "docking_drag_tracker.h"
#include "docking_fixtures.h"
#include "docking_target_wnd.h"
#include "test_app.h"

namespace {

HWND CaptureOf(DWORD threadId) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  return ::GetGUIThreadInfo(threadId, &info) ? info.hwndCapture : nullptr;
}

// One step of injected input: 'm' move to (x, y), 'd' left button down at
// (x, y), 'u' left button up where the last step left the pointer, 'c' / 'C'
// Ctrl down / up, 'e' Escape, 'w' wait until `holder` holds the mouse (any
// window of the test thread when it is null).
struct InputStep {
  char kind;
  int x = 0;
  int y = 0;
  HWND holder = nullptr;
};

void SendKey(WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &input, sizeof(input));
}

// A button goes down or up together with a move to its place, in one input:
// under Wine a pointer move made from another thread comes back later as an
// echo of that place, and a button queued alone would take whatever place
// the pointer has then.
void SendButtonAt(CPoint point, DWORD button) {
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  // Rounded up, the normalised place maps back onto the same pixel.
  input.mi.dx = static_cast<LONG>((point.x * 65536LL + width - 1) / width);
  input.mi.dy = static_cast<LONG>((point.y * 65536LL + height - 1) / height);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
  ::SendInput(1, &input, sizeof(input));
}

// Plays input from another thread, since the drag's loop owns the test
// thread; a loop still holding the mouse afterwards is sent Escape.
class InputPlayer {
 public:
  explicit InputPlayer(std::vector<InputStep> steps) : m_target(::GetCurrentThreadId()) {
    m_worker = std::thread([this, steps] { Play(steps); });
  }
  ~InputPlayer() { Join(); }
  void Join() {
    if (m_worker.joinable()) m_worker.join();
  }
  bool Done() const { return m_done; }
  bool Rescued() const { return m_rescued; }
  // Every wait ended on its condition.
  bool Waited() const { return m_waited; }

 private:
  template <typename Condition>
  bool WaitFor(Condition condition) {
    DWORD start = GetTickCount();
    while (!condition()) {
      if (GetTickCount() - start > 5000) return false;
      Sleep(2);
    }
    return true;
  }
  void Play(const std::vector<InputStep>& steps) {
    CPoint last;
    ::GetCursorPos(&last);
    for (const InputStep& step : steps) {
      switch (step.kind) {
        case 'w':
          // A late echo may have put the pointer back: the step's place is
          // part of what the holder waits for.
          if (!WaitFor([&] {
                CPoint now;
                if (::GetCursorPos(&now) && now != last) ::SetCursorPos(last.x, last.y);
                HWND capture = CaptureOf(m_target);
                return step.holder != nullptr ? capture == step.holder : capture != nullptr;
              }))
            m_waited = false;
          break;
        case 'm':
          last = CPoint(step.x, step.y);
          ::SetCursorPos(step.x, step.y);
          break;
        case 'd':
          last = CPoint(step.x, step.y);
          SendButtonAt(last, MOUSEEVENTF_LEFTDOWN);
          break;
        case 'u':
          SendButtonAt(last, MOUSEEVENTF_LEFTUP);
          break;
        case 'c':
        case 'C':
          SendKey(VK_CONTROL, step.kind == 'C');
          break;
        case 'e':
          SendKey(VK_ESCAPE, false);
          SendKey(VK_ESCAPE, true);
          break;
        default:
          break;
      }
    }
    if (!WaitFor([this] { return CaptureOf(m_target) == nullptr; })) {
      m_rescued = true;
      HWND capture = CaptureOf(m_target);
      if (capture != nullptr) ::PostMessageW(capture, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    m_done = true;
  }

  DWORD m_target;
  std::atomic<bool> m_done{false};
  std::atomic<bool> m_rescued{false};
  std::atomic<bool> m_waited{true};
  std::thread m_worker;
};

CRect ScreenRectOf(HWND hWnd) {
  CRect rect;
  ::GetWindowRect(hWnd, &rect);
  return rect;
}

CTkDockingPaneTabbedContainer* ContainerOf(CTkDockingPaneObject* pane) {
  return dynamic_cast<CTkDockingPaneTabbedContainer*>(pane->GetContainer());
}

// Pane 1 docked left of the view, pane 2 along the bottom.
struct DragScene {
  explicit DragScene(BOOL rightToLeft = FALSE) : f(0, !rightToLeft) {
    if (rightToLeft) {
      f.frame->ModifyStyleEx(0, WS_EX_LAYOUTRTL);
      f.site.InstallInFrame(f.frame);
    }
    a = f.MakePane(1, L"One");
    b = f.MakePane(2, L"Two");
    f.site.DockPane(a, kDockLeft);
    f.site.DockPane(b, kDockBottom);
    f.Relayout();
    f.frame->SetForegroundWindow();
    f.frame->SetActiveWindow();
    f.frame->SetFocus();
    PumpPending();
  }
  CRect Client() const { return f.site.GetClientNode()->GetScreenRect(); }
  CRect Top() const { return f.site.GetTopContainer()->GetScreenRect(); }
  CPoint CaptionOf(CTkDockingPaneObject* pane) const {
    CRect rect = pane->GetContainer()->GetScreenRect();
    return CPoint(rect.CenterPoint().x, rect.top + 5);
  }

  DockingFixture f;
  CTkDockingPaneObject* a;
  CTkDockingPaneObject* b;
};

// A drag run by hand, without the loop: stickers and previews can be looked
// at between moves.
class ManualDrag {
 public:
  ManualDrag(CTkDockingPaneSite& site, CTkDockingPaneNode* node, CPoint from) : m_tracker(site.m_pDragTracker) {
    m_tracker->PrepareDrag(node, from.x, from.y);
    m_tracker->InitTracking();
  }
  ~ManualDrag() {
    m_tracker->EndTracking();
    m_tracker->m_pNode = nullptr;
  }
  ManualDrag(const ManualDrag&) = delete;
  ManualDrag& operator=(const ManualDrag&) = delete;
  void MoveTo(CPoint point) { m_tracker->Move(point.x, point.y); }
  CTkDockingPaneDragTracker* operator->() const { return m_tracker; }

 private:
  CTkDockingPaneDragTracker* m_tracker;
};

enum DragStart { kFromTracker, kFromCaption, kFromFloatingCaption, kFromTab };
const int kNoFrame = -100;
const int kAnyTop = -1;

TEST(DockingDragInput, DropOutcomes) {
  struct Case {
    const char* name;
    DragStart start;
    BOOL rightToLeft;
    BOOL stickers;
    DWORD options;  // of pane 2
    std::vector<int> vetoed;
    int vetoedDirection;  // action 4 refused for this direction only, -1 none
    // The pointer's way, from the press point; 'P' entries are filled in.
    std::function<std::vector<InputStep>(DragScene&, CPoint press)> steps;
    const char* layout;
    int action;  // the completed action reported, -1 none
    int floatTop;  // top of the new floating frame, kAnyTop, or kNoFrame
  };
  auto to = [](CPoint point) { return InputStep{'m', point.x, point.y}; };
  const InputStep up{'u'};
  Case cases[] = {
      {"over a caption joins as tab", kFromTracker, FALSE, FALSE, 0, {}, -1,
       [&](DragScene& s, CPoint) { return std::vector<InputStep>{to(s.CaptionOf(s.a)), up}; },
       "V[H[T(1,2),C],T()]", kActionAttached, kNoFrame},
      {"10 px inside the client's left edge", kFromTracker, FALSE, FALSE, 0, {}, -1,
       [&](DragScene& s, CPoint) {
         return std::vector<InputStep>{to({s.Client().left + 10, s.Client().CenterPoint().y}), up};
       },
       "V[H[T(1),T(2),C],T()]", kActionDocked, kNoFrame},
      {"10 px outside the right edge", kFromTracker, FALSE, FALSE, 0, {}, -1,
       [&](DragScene& s, CPoint) {
         return std::vector<InputStep>{to({s.Top().right + 10, s.Top().CenterPoint().y}), up};
       },
       "H[V[H[T(1),C],T()],T(2)]", kActionDocked, kNoFrame},
      {"25 px outside floats", kFromTracker, FALSE, FALSE, 0, {}, -1,
       [&](DragScene& s, CPoint) {
         return std::vector<InputStep>{to({s.Top().right + 25, s.Top().CenterPoint().y}), up};
       },
       "V[H[T(1),C],T()]", kActionFloated, kAnyTop},
      {"Ctrl held floats", kFromTracker, FALSE, FALSE, 0, {}, -1,
       [&](DragScene& s, CPoint) {
         return std::vector<InputStep>{{'c'}, to({s.Client().left + 10, s.Client().CenterPoint().y}), up, {'C'}};
       },
       "V[H[T(1),C],T()]", kActionFloated, kAnyTop},
      {"Escape cancels", kFromTracker, FALSE, FALSE, 0, {}, -1,
       [&](DragScene& s, CPoint) {
         return std::vector<InputStep>{to({s.Client().left + 10, s.Client().CenterPoint().y}), {'e'}, up};
       },
       "V[H[T(1),C],T(2)]", -1, kNoFrame},
      {"a pane that cannot float outside every zone", kFromTracker, FALSE, FALSE, kPaneNoFloating, {}, -1,
       [&](DragScene& s, CPoint) {
         return std::vector<InputStep>{to({s.Top().right + 60, s.Top().CenterPoint().y}), up};
       },
       "V[H[T(1),C],T(2)]", -1, kNoFrame},
      {"a pane that cannot float docks to the nearest edge", kFromTracker, FALSE, FALSE, kPaneNoFloating, {}, -1,
       [&](DragScene& s, CPoint) {
         return std::vector<InputStep>{to({s.Client().left + 40, s.Client().CenterPoint().y}), up};
       },
       "V[H[T(1),T(2),C],T()]", kActionDocked, kNoFrame},
      {"a 3-pixel move is a click", kFromTracker, FALSE, FALSE, 0, {}, -1,
       [&](DragScene&, CPoint press) { return std::vector<InputStep>{to({press.x + 3, press.y - 3}), up}; },
       "V[H[T(1),C],T(2)]", -1, kNoFrame},
      {"a top above the screen is clamped to 0", kFromTracker, FALSE, FALSE, 0, {}, -1,
       [&](DragScene&, CPoint press) {
         // The press lies 60 pixels below the container's top.
         (void)press;
         return std::vector<InputStep>{to({1000, 30}), up};
       },
       "V[H[T(1),C],T()]", kActionFloated, 0},
      {"joining refused docks above the container", kFromTracker, FALSE, FALSE, 0, {kActionAttaching}, -1,
       [&](DragScene& s, CPoint) { return std::vector<InputStep>{to(s.CaptionOf(s.a)), up}; },
       "V[H[V[T(2),T(1)],C],T()]", kActionDocked, kNoFrame},
      {"docking refused floats", kFromTracker, FALSE, FALSE, 0, {}, kDockLeft,
       [&](DragScene& s, CPoint) {
         return std::vector<InputStep>{to({s.Client().left + 10, s.Client().CenterPoint().y}), up};
       },
       "V[H[T(1),C],T()]", kActionFloated, kAnyTop},
      {"right to left: the left zone docks after the view", kFromTracker, TRUE, FALSE, 0, {}, -1,
       [&](DragScene& s, CPoint) {
         return std::vector<InputStep>{to({s.Client().left + 10, s.Client().CenterPoint().y}), up};
       },
       "V[H[T(1),C,T(2)],T()]", kActionDocked, kNoFrame},
      {"the caption pressed", kFromCaption, FALSE, FALSE, 0, {}, -1,
       [&](DragScene& s, CPoint) {
         return std::vector<InputStep>{to({s.Client().left + 10, s.Client().CenterPoint().y}), up};
       },
       "V[H[T(1),T(2),C],T()]", kActionDocked, kNoFrame},
      {"a tab torn out", kFromTab, FALSE, FALSE, 0, {}, -1,
       [&](DragScene& s, CPoint press) {
         // Off the strip the container hands the pane to the drag, which
         // takes the mouse: moves queued together merge, so the next one
         // waits for that.
         return std::vector<InputStep>{to({press.x, press.y - 40}), {'w', 0, 0, s.f.frame->GetSafeHwnd()},
                                       to({s.Client().right - 10, s.Client().CenterPoint().y}), up};
       },
       "V[H[T(1),C,T(3)],T(2)]", kActionDocked, kNoFrame},
      {"a floating frame's caption", kFromFloatingCaption, FALSE, FALSE, 0, {}, -1,
       [&](DragScene& s, CPoint) {
         return std::vector<InputStep>{to({s.Client().left + 10, s.Client().CenterPoint().y}), up};
       },
       "V[H[T(1),T(3),C],T(2)]", kActionDocked, kNoFrame},
      {"a sticker's left arrow", kFromTracker, FALSE, TRUE, 0, {}, -1,
       [&](DragScene& s, CPoint) {
         CPoint centre = s.a->GetContainer()->GetScreenRect().CenterPoint();
         return std::vector<InputStep>{to({centre.x - 46 + 15, centre.y + 10}), up};
       },
       "V[H[T(2),T(1),C],T()]", kActionDocked, kNoFrame},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    DragScene s(c.rightToLeft);
    s.b->m_options = c.options;
    s.f.site.m_bPreviewWindows = c.stickers;
    s.f.site.m_bDockingStickers = c.stickers;
    CTkDockingPaneNode* dragged = s.b->GetContainer();
    CPoint press = s.CaptionOf(s.b);
    std::vector<InputStep> steps;
    HWND pressed = nullptr;  // the window the press gives the mouse to
    if (c.start == kFromTab) {
      CTkDockingPaneObject* third = s.f.MakePane(3, L"Three");
      s.f.site.AttachPane(third, s.a);
      s.f.Relayout();
      auto* container = ContainerOf(s.a);
      container->SelectPane(s.a, FALSE, FALSE);
      s.f.Relayout();
      ASSERT_TRUE(container->IsTabsVisible());
      CRect tab = container->GetTab(1)->m_rect;
      press = tab.CenterPoint();
      container->ClientToScreen(&press);
      pressed = container->GetSafeHwnd();
      steps.push_back({'d', press.x, press.y});
    } else if (c.start == kFromFloatingCaption) {
      CTkDockingPaneObject* third = s.f.MakePane(3, L"Three");
      s.f.site.FloatPane(third, CRect(800, 300, 1000, 450));
      PumpPending();
      CRect window = ScreenRectOf(third->GetPaneDockingSite()->GetSafeHwnd());
      press = CPoint(window.left + 40, window.top + ::GetSystemMetrics(SM_CYFRAME) + 4);
      steps.push_back({'d', press.x, press.y});
    } else if (c.start == kFromCaption) {
      steps.push_back({'d', press.x, press.y});
    } else if (std::string(c.name).find("above the screen") != std::string::npos) {
      press = CPoint(dragged->GetScreenRect().CenterPoint().x, dragged->GetScreenRect().top + 60);
    }
    ::SetCursorPos(press.x, press.y);
    PumpPending();
    s.f.frame->vetoedActions = c.vetoed;
    int vetoedDirection = c.vetoedDirection;
    s.f.frame->veto = [vetoedDirection](const DockingPaneAction& action) {
      return action.action == kActionDocking && action.extra == vetoedDirection;
    };
    steps.push_back({'w', 0, 0, pressed});
    for (const InputStep& step : c.steps(s, press)) steps.push_back(step);
    s.f.frame->notes.clear();
    InputPlayer player(steps);
    if (c.start == kFromTracker) s.f.site.m_pDragTracker->BeginDrag(dragged, press.x, press.y);
    EXPECT_TRUE(PumpUntil([&] { return player.Done(); }, 5000));
    player.Join();
    EXPECT_TRUE(player.Waited());
    EXPECT_FALSE(player.Rescued());
    EXPECT_EQ(nullptr, ::GetCapture());
    s.f.frame->vetoedActions.clear();
    s.f.frame->veto = nullptr;
    s.f.Relayout();
    EXPECT_EQ(c.layout, DescribeNode(s.f.Top()));
    for (int action : {kActionFloated, kActionDocked, kActionAttached})
      EXPECT_EQ(action == c.action ? 1 : 0, s.f.CountActions(action)) << action;
    std::vector<CTkDockingPaneMiniWnd*> frames = FloatingFrames(s.f.Layout());
    if (c.floatTop != kNoFrame) {
      ASSERT_EQ(1u, frames.size());
      if (c.floatTop != kAnyTop) {
        EXPECT_EQ(c.floatTop, ScreenRectOf(frames[0]->GetSafeHwnd()).top);
      }
      EXPECT_EQ(frames[0], dynamic_cast<CTkDockingPaneMiniWnd*>(s.b->GetPaneDockingSite()));
    } else if (c.start != kFromFloatingCaption) {
      EXPECT_TRUE(frames.empty());
    }
  }
}

// The drop lands where the button comes up, also when no move to that place
// came first: a move queued just before the release may be merged away.
TEST(DockingDragInput, TheReleasePointDecides) {
  struct Case {
    const char* name;
    bool nearPress;  // released 3 pixels from the press, else 10 px inside the view's left edge
    const char* layout;
    int docked;
  } cases[] = {
      {"far from the press", false, "V[H[T(1),T(2),C],T()]", 1},
      {"within the click threshold", true, "V[H[T(1),C],T(2)]", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DragScene s;
    CPoint press = s.CaptionOf(s.b);
    CPoint release = c.nearPress ? press + CPoint(3, -3) : CPoint(s.Client().left + 10, s.Client().CenterPoint().y);
    s.f.frame->ScreenToClient(&release);
    s.f.frame->notes.clear();
    s.f.frame->PostMessageW(WM_LBUTTONUP, 0, MAKELPARAM(release.x, release.y));
    s.f.site.m_pDragTracker->BeginDrag(s.b->GetContainer(), press.x, press.y);
    EXPECT_EQ(nullptr, ::GetCapture());
    s.f.Relayout();
    EXPECT_EQ(c.layout, DescribeNode(s.f.Top()));
    EXPECT_EQ(c.docked, s.f.CountActions(kActionDocked));
  }
}

// A frame closed while a drag runs (a timer of its own, Alt+F4) frees the
// manager and its tracker inside the loop: the loop ends at once, and the
// desktop's lock and DC are given back.
DragScene* g_closedScene = nullptr;

void CALLBACK CloseTheScene(HWND, UINT, UINT_PTR timer, DWORD) {
  ::KillTimer(nullptr, timer);
  delete g_closedScene;
  g_closedScene = nullptr;
}

TEST(DockingDragInput, ClosingTheFrameEndsTheDrag) {
  for (BOOL previews : {FALSE, TRUE}) {
    SCOPED_TRACE(previews ? "preview windows" : "inverted frame");
    g_closedScene = new DragScene;
    g_closedScene->f.site.m_bPreviewWindows = previews;
    CTkDockingPaneDragTracker* tracker = g_closedScene->f.site.m_pDragTracker;
    CPoint press = g_closedScene->CaptionOf(g_closedScene->b);
    HWND frame = g_closedScene->f.frame->GetSafeHwnd();
    // A move first, so that a frame or preview is showing when it closes.
    CPoint over(g_closedScene->Client().left + 10, g_closedScene->Client().CenterPoint().y);
    g_closedScene->f.frame->ScreenToClient(&over);
    ::PostMessageW(frame, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(over.x, over.y));
    ::SetTimer(nullptr, 0, 50, CloseTheScene);
    tracker->BeginDrag(g_closedScene->b->GetContainer(), press.x, press.y);
    EXPECT_EQ(nullptr, g_closedScene);
    EXPECT_FALSE(::IsWindow(frame));
    EXPECT_EQ(nullptr, ::GetCapture());
    HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr,
                                   nullptr, nullptr);
    EXPECT_TRUE(::LockWindowUpdate(other));
    ::LockWindowUpdate(nullptr);
    ::DestroyWindow(other);
  }
}

// Without a drop the desktop is unlocked and its DC given back, also when
// another window already held the mouse and the loop never ran.
TEST(DockingDragInput, EndingTheLoopUndoesItsStart) {
  DragScene s;
  HWND frame = s.f.frame->GetSafeHwnd();
  {
    ManualDrag drag(s.f.site, s.b->GetContainer(), s.CaptionOf(s.b));
    if (drag->m_bDesktopLocked) {
      EXPECT_FALSE(::LockWindowUpdate(frame));
    }
    drag.MoveTo({s.Top().right + 25, s.Top().CenterPoint().y});
    EXPECT_EQ(drag->m_dragRect, drag->m_lastDrawnRect);
  }
  EXPECT_TRUE(::LockWindowUpdate(frame));
  ::LockWindowUpdate(nullptr);

  ::SetCapture(frame);
  CPoint press = s.CaptionOf(s.b);
  s.f.site.m_pDragTracker->BeginDrag(s.b->GetContainer(), press.x, press.y);
  EXPECT_EQ(frame, ::GetCapture());
  EXPECT_EQ(nullptr, s.f.site.m_pDragTracker->m_pDesktopDC);
  EXPECT_TRUE(::LockWindowUpdate(frame));
  ::LockWindowUpdate(nullptr);
  ::ReleaseCapture();
  EXPECT_EQ("V[H[T(1),C],T(2)]", DescribeNode(s.f.Top()));
}

// A pane that cannot float shows no frame away from every zone.
TEST(DockingDragInput, NoFrameWhereNothingCanHappen) {
  DragScene s;
  s.b->m_options = kPaneNoFloating;
  ManualDrag drag(s.f.site, s.b->GetContainer(), s.CaptionOf(s.b));
  EXPECT_FALSE(drag->m_bFloatAllowed);
  drag.MoveTo({s.Top().right + 60, s.Top().CenterPoint().y});
  EXPECT_TRUE(drag->m_lastDrawnRect.IsRectEmpty());
  drag.MoveTo(s.CaptionOf(s.a));
  EXPECT_TRUE(drag->m_bAsTab);
  EXPECT_EQ(s.a->GetContainer()->GetScreenRect(), drag->m_lastDrawnRect);
}

TEST(DockingDrag, PreviewWindowsAreTranslucentToolWindows) {
  DragScene s;
  s.f.site.m_bPreviewWindows = TRUE;
  ManualDrag drag(s.f.site, s.b->GetContainer(), s.CaptionOf(s.b));
  ASSERT_TRUE(drag->m_bWindowMode);
  EXPECT_EQ(nullptr, drag->m_pDesktopDC);
  auto checkLayered = [](HWND hWnd) {
    ASSERT_TRUE(::IsWindow(hWnd));
    DWORD exStyle = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, GWL_EXSTYLE));
    const DWORD wanted = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    EXPECT_EQ(wanted, exStyle & wanted);
    EXPECT_TRUE(::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_POPUP);
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(hWnd, &key, &alpha, &flags));
    EXPECT_EQ(100, alpha);
    EXPECT_EQ(static_cast<DWORD>(LWA_ALPHA), flags);
  };
  CPoint dock(s.Client().left + 10, s.Client().CenterPoint().y);
  drag.MoveTo(dock);
  HWND preview = drag->m_previewWnd.GetSafeHwnd();
  checkLayered(preview);
  EXPECT_EQ(s.f.frame->GetSafeHwnd(), ::GetWindow(preview, GW_OWNER));
  EXPECT_EQ(drag->m_targetRect, ScreenRectOf(preview));
  EXPECT_EQ(nullptr, drag->m_tabPreviewWnd.GetSafeHwnd());
  // Over a caption the body and a small tab show where the panes go.
  drag.MoveTo(s.CaptionOf(s.a));
  HWND tab = drag->m_tabPreviewWnd.GetSafeHwnd();
  checkLayered(tab);
  CRect container = s.a->GetContainer()->GetScreenRect();
  CRect tabRect = ScreenRectOf(tab);
  EXPECT_EQ(container.left + 5, tabRect.left);
  EXPECT_EQ(std::min(container.Height() / 2, 20), tabRect.Height());
  EXPECT_EQ(std::min(container.Width() - 5, 50), tabRect.Width());
  CRect body = ScreenRectOf(drag->m_previewWnd.GetSafeHwnd());
  EXPECT_EQ(container.Height() - tabRect.Height(), body.Height());
  drag.MoveTo(dock);
  EXPECT_FALSE(::IsWindow(tab));
  preview = drag->m_previewWnd.GetSafeHwnd();
  drag->EndTracking();
  EXPECT_FALSE(::IsWindow(preview));
}

struct StickerScene : DragScene {
  StickerScene() {
    f.site.m_bPreviewWindows = TRUE;
    f.site.m_bDockingStickers = TRUE;
  }
  // Over the container of pane 1, below its caption.
  CPoint OverA() const {
    CRect rect = a->GetContainer()->GetScreenRect();
    return CPoint(rect.CenterPoint().x, rect.top + 40);
  }
  CPoint OverClient() const { return Client().CenterPoint(); }
};

std::vector<int> PartsOf(CTkDockingPaneDragTracker* tracker) {
  std::vector<int> parts;
  for (CTkDockingPaneTargetWnd* sticker : tracker->m_stickers) parts.push_back(sticker->m_parts);
  return parts;
}

TEST(DockingStickers, PartsFollowTheTargetAndTheRefusals) {
  const int arrows = kStickerLeft | kStickerRight | kStickerTop | kStickerBottom;
  struct Case {
    const char* name;
    bool overClient;
    int refusedDirection;
    BOOL joiningRefused;
    std::vector<int> parts;
  } cases[] = {
      {"over a container", false, -1, FALSE,
       {kStickerCompound | arrows | kStickerCentre, kStickerTop, kStickerLeft, kStickerBottom, kStickerRight}},
      {"over the view: no centre", true, -1, FALSE,
       {kStickerCompound | arrows, kStickerTop, kStickerLeft, kStickerBottom, kStickerRight}},
      {"left refused", false, kDockLeft, FALSE,
       {kStickerCompound | kStickerRight | kStickerTop | kStickerBottom | kStickerCentre, kStickerTop,
        kStickerBottom, kStickerRight}},
      {"joining refused", false, -1, TRUE,
       {kStickerCompound | arrows, kStickerTop, kStickerLeft, kStickerBottom, kStickerRight}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StickerScene s;
    int refused = c.refusedDirection;
    BOOL joining = c.joiningRefused;
    s.f.frame->veto = [refused, joining](const DockingPaneAction& action) {
      return (action.action == kActionDocking && action.extra == refused) ||
             (joining && action.action == kActionAttaching);
    };
    ManualDrag drag(s.f.site, s.b->GetContainer(), s.CaptionOf(s.b));
    ASSERT_TRUE(drag->m_bStickersOn);
    drag.MoveTo(c.overClient ? s.OverClient() : s.OverA());
    EXPECT_EQ(c.parts, PartsOf(drag.operator->()));
    CRect target = c.overClient ? s.Client() : s.a->GetContainer()->GetScreenRect();
    // A container's stickers centre on it below its caption.
    if (!c.overClient) ContainerOf(s.a)->HitTestDockingArea(&target, CPoint(-10000, -10000));
    ASSERT_FALSE(drag->m_stickers.empty());
    EXPECT_EQ(target.CenterPoint(), ScreenRectOf(drag->m_stickers[0]->GetSafeHwnd()).CenterPoint());
    s.f.frame->veto = nullptr;
  }
}

TEST(DockingStickers, SizesPlacesAndHits) {
  for (int theme : {0, 9}) {
    SCOPED_TRACE(theme);
    StickerScene s;
    s.f.site.SetPaneTheme(theme);
    ManualDrag drag(s.f.site, s.b->GetContainer(), s.CaptionOf(s.b));
    drag.MoveTo(s.OverA());
    ASSERT_EQ(5u, drag->m_stickers.size());
    bool second = theme == 9;
    std::vector<CSize> sizes;
    for (CTkDockingPaneTargetWnd* sticker : drag->m_stickers) sizes.push_back(ScreenRectOf(sticker->GetSafeHwnd()).Size());
    std::vector<CSize> expected = second ? std::vector<CSize>{{89, 89}, {29, 32}, {32, 29}, {29, 32}, {32, 29}}
                                         : std::vector<CSize>{{93, 93}, {43, 30}, {30, 43}, {43, 30}, {30, 43}};
    EXPECT_EQ(expected, sizes);
    // The side stickers sit 16 pixels inside the docking area.
    CRect area = s.Top();
    EXPECT_EQ(area.top + 16, ScreenRectOf(drag->m_stickers[1]->GetSafeHwnd()).top);
    EXPECT_EQ(area.left + 16, ScreenRectOf(drag->m_stickers[2]->GetSafeHwnd()).left);
    EXPECT_EQ(area.bottom - 16, ScreenRectOf(drag->m_stickers[3]->GetSafeHwnd()).bottom);
    EXPECT_EQ(area.right - 16, ScreenRectOf(drag->m_stickers[4]->GetSafeHwnd()).right);

    CTkDockingPaneTargetWnd* compound = drag->m_stickers[0];
    CPoint origin = ScreenRectOf(compound->GetSafeHwnd()).TopLeft();
    int middle = second ? 44 : 46;
    struct {
      const char* name;
      CPoint offset;
      int part;
    } hits[] = {
        {"transparent corner", {1, 1}, 0},
        {"left arrow", {12, middle}, kStickerLeft},
        {"right arrow", {(second ? 89 : 93) - 12, middle}, kStickerRight},
        {"top arrow", {middle, 12}, kStickerTop},
        {"bottom arrow", {middle, (second ? 89 : 93) - 12}, kStickerBottom},
        {"centre", {middle, middle}, kStickerCentre},
        {"outside", {-3, middle}, 0},
    };
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(compound->GetSafeHwnd(), region));
    for (const auto& hit : hits) {
      SCOPED_TRACE(hit.name);
      EXPECT_EQ(hit.part, compound->HitTest(origin + hit.offset));
      if (hit.offset.x >= 0) {
        EXPECT_EQ(hit.part != 0, !!::PtInRegion(region, hit.offset.x, hit.offset.y));
      }
    }
    ::DeleteObject(region);

    // Over the left arrow: the container is the target, on its left.
    drag.MoveTo(origin + CPoint(12, middle));
    EXPECT_EQ(s.a->GetContainer(), drag->m_pTarget);
    EXPECT_EQ(kDockLeft, drag->m_direction);
    EXPECT_FALSE(drag->m_bAsTab);
    EXPECT_EQ(kStickerLeft, compound->m_highlighted);
    drag.MoveTo(origin + CPoint(middle, middle));
    EXPECT_TRUE(drag->m_bAsTab);
    EXPECT_EQ(kStickerCentre, compound->m_highlighted);
    // A side sticker docks at the frame's edge.
    CPoint side = ScreenRectOf(drag->m_stickers[4]->GetSafeHwnd()).CenterPoint();
    drag.MoveTo(side);
    EXPECT_EQ(s.f.site.GetTopContainer(), drag->m_pTarget);
    EXPECT_EQ(kDockRight, drag->m_direction);
    EXPECT_EQ(kStickerRight, drag->m_stickers.back()->m_highlighted);
  }
}

TEST(DockingStickers, RebuiltOnlyWhenTheContainerChanges) {
  StickerScene s;
  ManualDrag drag(s.f.site, s.b->GetContainer(), s.CaptionOf(s.b));
  drag.MoveTo(s.OverA());
  std::vector<HWND> first;
  for (CTkDockingPaneTargetWnd* sticker : drag->m_stickers) first.push_back(sticker->GetSafeHwnd());
  drag.MoveTo(s.OverA() + CPoint(3, 20));
  std::vector<HWND> again;
  for (CTkDockingPaneTargetWnd* sticker : drag->m_stickers) again.push_back(sticker->GetSafeHwnd());
  EXPECT_EQ(first, again);
  drag.MoveTo(s.OverClient());
  EXPECT_FALSE(::IsWindow(first[0]));
  EXPECT_EQ(kStickerCompound | kStickerLeft | kStickerRight | kStickerTop | kStickerBottom,
            drag->m_stickers[0]->m_parts);
  // Away from every container and the docking area: no sticker is left.
  drag.MoveTo({s.Top().right + 80, s.Top().CenterPoint().y});
  EXPECT_TRUE(drag->m_stickers.empty());
  drag.MoveTo(s.OverA());
  HWND compound = drag->m_stickers[0]->GetSafeHwnd();
  drag->EndTracking();
  EXPECT_FALSE(::IsWindow(compound));
  EXPECT_TRUE(drag->m_stickerRegions.empty());
}

}  // namespace
