// The customize drag: a capture loop fed with posted input over two bars
// that record what the tracker tells them, and a control dragged off its
// own bar.
#include <gtest/gtest.h>

#include "bar_fixtures.h"
#include "customize_drag_tracker.h"
#include "resource_loader.h"
#include "test_painter.h"
#include "toolkit_resources.h"

namespace {

// A bar that records the drag operations it receives.
class RecordingBar : public CTkCommandBar {
 public:
  DROPEFFECT OnCustomizeDragEnter(CTkControl* dragged, CPoint point, DROPEFFECT effect) override {
    events.push_back("enter");
    return CTkCommandBar::OnCustomizeDragEnter(dragged, point, effect);
  }
  void OnCustomizeDragLeave() override {
    events.push_back("leave");
    CTkCommandBar::OnCustomizeDragLeave();
  }
  void OnCustomizeDrop(CTkControl* control, DROPEFFECT& effect, CPoint start, CPoint point) override {
    events.push_back("drop " + std::to_string(effect));
    CTkCommandBar::OnCustomizeDrop(control, effect, start, point);
  }
  std::vector<std::string> events;
};

// A hidden window at the screen's origin: input posted to it carries
// screen points. Its probe records the tracker's cursor mid-drag.
class ScreenInput {
 public:
  ScreenInput() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"CustomizeDragInput";
    ::RegisterClassW(&windowClass);
    m_hWnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"CustomizeDragInput", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
  }
  ~ScreenInput() { ::DestroyWindow(m_hWnd); }
  void Move(CPoint screen, WPARAM keys = MK_LBUTTON) const {
    ::PostMessageW(m_hWnd, WM_MOUSEMOVE, keys, MAKELPARAM(screen.x, screen.y));
  }
  void Up(CPoint screen) const { ::PostMessageW(m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(screen.x, screen.y)); }
  void Key(UINT message, WPARAM key) const { ::PostMessageW(m_hWnd, message, key, 0); }
  void Probe() const { ::PostMessageW(m_hWnd, WM_APP, 0, 0); }
  static LRESULT CALLBACK Procedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP && tracker != nullptr) probedCursors.push_back(tracker->GetCurrentCursor());
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
  }
  static CTkCustomizeDragTracker* tracker;
  static std::vector<HCURSOR> probedCursors;
  HWND m_hWnd;
};

CTkCustomizeDragTracker* ScreenInput::tracker = nullptr;
std::vector<HCURSOR> ScreenInput::probedCursors;

class CustomizeDragTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCurrentBarPainter(new TestPainter);
    frame = RecordingFrame::Make(400, 300);
    ASSERT_NE(nullptr, frame);
    commandBars = new TestCommandBars;
    commandBars->SetFrame(frame);
    // The second bar lies over the right half of the first.
    first = MakeBar(CRect(100, 100, 300, 130));
    second = MakeBar(CRect(200, 100, 400, 130));
    source = new FixedControl;
    first->GetControls()->AddControl(source, kCmdEnabled);
    first->GetControls()->Add(kControlButton, kCmdPlain);
    source->SetControlRect(CRect(2, 2, 22, 22));
    first->GetControl(1)->SetControlRect(CRect(22, 2, 42, 22));
    commandBars->SetCustomizeMode(TRUE);
    ScreenInput::tracker = commandBars->GetCustomizeDragTracker();
    ScreenInput::probedCursors.clear();
    PumpPending();
  }
  void TearDown() override {
    ScreenInput::tracker = nullptr;
    ::ReleaseCapture();
    for (RecordingBar* bar : {first, second}) {
      bar->DestroyWindow();
      bar->InternalRelease();
    }
    commandBars->InternalRelease();
    frame->DestroyWindow();
    PumpPending();
    ReleaseCurrentBarPainter();
  }
  RecordingBar* MakeBar(const CRect& rect) {
    auto* bar = new RecordingBar;
    bar->SetCommandBars(commandBars);
    bar->SetPosition(kBarTop);
    bar->InternalAddRef();
    commandBars->AppendBar(bar);
    EXPECT_TRUE(bar->CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(CS_DBLCLKS), L"Bar", WS_POPUP | WS_VISIBLE,
                              rect, frame, 0));
    return bar;
  }

  RecordingFrame* frame = nullptr;
  TestCommandBars* commandBars = nullptr;
  RecordingBar* first = nullptr;
  RecordingBar* second = nullptr;
  FixedControl* source = nullptr;
  ScreenInput input;
};

const CPoint kOnFirstOnly(150, 115);
const CPoint kOnBoth(250, 115);
const CPoint kOutside(150, 250);

TEST_F(CustomizeDragTest, DropEffects) {
  struct Step {
    enum Kind { kMove, kCtrlMove, kCtrlDown, kCtrlUp, kUp, kEscape, kRight } kind;
    CPoint point;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    DROPEFFECT effect;
    std::vector<std::string> firstEvents;
    std::vector<std::string> secondEvents;
  };
  const Case cases[] = {
      {"released without moving", {{Step::kUp, kOnFirstOnly}}, kDragCancelled, {}, {}},
      {"released outside after moving", {{Step::kMove, kOnFirstOnly}, {Step::kMove, kOutside}, {Step::kUp, kOutside}},
       kDragOutside, {"enter", "leave"}, {}},
      {"moved onto a bar", {{Step::kMove, kOnFirstOnly}, {Step::kUp, kOnFirstOnly}}, DROPEFFECT_MOVE,
       {"enter", "drop 2"}, {}},
      {"Ctrl held onto a bar", {{Step::kCtrlMove, kOnFirstOnly}, {Step::kUp, kOnFirstOnly}}, DROPEFFECT_COPY,
       {"enter", "drop 1"}, {}},
      {"Ctrl pressed, then let go again",
       {{Step::kMove, kOnFirstOnly}, {Step::kCtrlDown, {}}, {Step::kCtrlUp, {}}, {Step::kUp, kOnFirstOnly}},
       DROPEFFECT_MOVE, {"enter", "drop 2"}, {}},
      {"the later of two overlapping bars", {{Step::kMove, kOnBoth}, {Step::kUp, kOnBoth}}, DROPEFFECT_MOVE, {},
       {"enter", "drop 2"}},
      {"Escape over a bar", {{Step::kMove, kOnFirstOnly}, {Step::kEscape, {}}}, kDragCancelled, {"enter", "leave"},
       {}},
      {"a right click", {{Step::kMove, kOnFirstOnly}, {Step::kRight, {}}}, kDragCancelled, {"enter", "leave"}, {}},
      // A copy let go outside every bar must not cost the source its control.
      {"Ctrl held, released outside", {{Step::kCtrlMove, kOnFirstOnly}, {Step::kCtrlMove, kOutside},
                                       {Step::kUp, kOutside}},
       kDragCancelled, {"enter", "leave"}, {}},
  };
  for (const Case& c : cases) {
    first->events.clear();
    second->events.clear();
    for (const Step& step : c.steps) {
      switch (step.kind) {
        case Step::kMove: input.Move(step.point); break;
        case Step::kCtrlMove: input.Move(step.point, MK_LBUTTON | MK_CONTROL); break;
        case Step::kCtrlDown: input.Key(WM_KEYDOWN, VK_CONTROL); break;
        case Step::kCtrlUp: input.Key(WM_KEYUP, VK_CONTROL); break;
        case Step::kUp: input.Up(step.point); break;
        case Step::kEscape: input.Key(WM_KEYDOWN, VK_ESCAPE); break;
        case Step::kRight: ::PostMessageW(input.m_hWnd, WM_RBUTTONDOWN, 0, 0); break;
      }
    }
    EXPECT_EQ(c.effect, commandBars->GetCustomizeDragTracker()->TrackDrag(source, FALSE)) << c.name;
    EXPECT_EQ(c.firstEvents, first->events) << c.name;
    EXPECT_EQ(c.secondEvents, second->events) << c.name;
    EXPECT_NE(frame->m_hWnd, ::GetCapture()) << c.name;
    EXPECT_EQ(nullptr, commandBars->GetCustomizeDragTracker()->GetDropTarget()) << c.name;
    // Drops of the source beside itself leave the bar as it was; copies go.
    while (first->GetControlCount() > 2) first->GetControls()->Remove(first->GetControl(2));
    while (second->GetControlCount() > 0) second->GetControls()->Remove(second->GetControl(0));
  }
}

TEST_F(CustomizeDragTest, CursorsShowMoveCopyAndNoDrop) {
  CTkResourceLoader* loader = GetToolkitResourceLoader();
  const HCURSOR copy = loader->LoadCursor(IDC_TK_DRAG_COPY_CONTROL);
  const HCURSOR move = loader->LoadCursor(IDC_TK_DRAG_MOVE_CONTROL);
  const HCURSOR noDrop = loader->LoadCursor(IDC_TK_DRAG_NO_DROP);
  ASSERT_NE(nullptr, copy);
  ASSERT_NE(nullptr, move);
  ASSERT_NE(nullptr, noDrop);
  struct Case {
    BOOL copyOnly;
    std::vector<HCURSOR> expected;  // over the bar, with Ctrl, outside
  };
  const Case cases[] = {{FALSE, {move, copy, noDrop}}, {TRUE, {copy, copy, noDrop}}};
  for (const Case& c : cases) {
    ScreenInput::probedCursors.clear();
    input.Move(kOnFirstOnly);
    input.Probe();
    input.Move(kOnFirstOnly, MK_LBUTTON | MK_CONTROL);
    input.Probe();
    input.Move(kOutside);
    input.Probe();
    input.Key(WM_KEYDOWN, VK_ESCAPE);
    commandBars->GetCustomizeDragTracker()->TrackDrag(source, c.copyOnly);
    EXPECT_EQ(c.expected, ScreenInput::probedCursors) << c.copyOnly;
  }
}

TEST_F(CustomizeDragTest, BarsRegisterWhileTheyHaveWindows) {
  CTkCustomizeDragTracker* tracker = commandBars->GetCustomizeDragTracker();
  EXPECT_EQ(2, tracker->GetDropTargetCount());
  second->DestroyWindow();
  EXPECT_EQ(1, tracker->GetDropTargetCount());
  // A bar gone from under the pointer takes no drop.
  input.Move(kOnBoth);
  input.Up(kOnBoth);
  EXPECT_EQ(DROPEFFECT_MOVE, tracker->TrackDrag(source, FALSE));
  EXPECT_EQ((std::vector<std::string>{"enter", "drop 2"}), first->events);
}

TEST_F(CustomizeDragTest, DraggingAControlOffItsBar) {
  struct Case {
    const char* name;
    WPARAM keys;
    int controlsLeft;
  };
  const Case cases[] = {
      {"moved off every bar: removed", MK_LBUTTON, 1},
      {"copied off every bar: kept", MK_LBUTTON | MK_CONTROL, 2},
  };
  for (const Case& c : cases) {
    first->GetControls()->RemoveAll();
    auto* control = new FixedControl;
    first->GetControls()->AddControl(control, kCmdEnabled);
    first->GetControls()->Add(kControlButton, kCmdPlain)->SetBeginGroup(TRUE);
    control->SetControlRect(CRect(2, 2, 22, 22));
    input.Move(kOnFirstOnly, c.keys);
    input.Move(kOutside, c.keys);
    input.Up(kOutside);
    control->CustomizeMouseDown(CPoint(10, 10));
    EXPECT_EQ(c.controlsLeft, first->GetControlCount()) << c.name;
    if (c.controlsLeft == 1) {
      // The new first control begins no group.
      EXPECT_FALSE(first->GetControl(0)->GetBeginGroup()) << c.name;
      EXPECT_EQ(nullptr, commandBars->GetCustomizeSelection()) << c.name;
    }
  }
}

}  // namespace
