// Plain tips of the toolkit's own tip window, driven with the real pointer
// over a window whose tools are three rectangles.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "bar_fixtures.h"
#include "tip_context.h"
#include "tip_window.h"

namespace {

const CRect kToolRects[] = {CRect(10, 10, 60, 40), CRect(80, 10, 130, 40), CRect(150, 10, 200, 40)};

// A window with three tools; the third has no text. It relays every
// message to its tip context.
class ToolWindow : public CWnd {
 public:
  INT_PTR OnToolHitTest(CPoint point, TTTOOLINFOW* info) const override {
    for (int i = 0; i < 3; ++i) {
      if (!kToolRects[i].PtInRect(point)) continue;
      const CRect& r = kToolRects[i];
      FillToolInfo(info, m_hWnd, r.left, r.top, r.right, r.bottom, static_cast<UINT_PTR>(i + 1), texts[i]);
      info->uFlags |= flags;
      return i + 1;
    }
    return -1;
  }
  CTkTipContext* context = nullptr;
  LPCWSTR texts[3] = {L"First tool", L"Second tool", L""};
  UINT flags = 0;

 protected:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    if (context != nullptr) context->RelayMouseMessage(this, message, wParam, lParam);
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
  }
};

class TipWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Tips", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 460, 260)));
    frame->SetForegroundWindow();
    context = new CTkTipContext;
    context->m_tipKind = CTkTipContext::kPlainTip;
    tools.context = context;
    ASSERT_TRUE(tools.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 100), frame, 1));
    ::SetCursorPos(600, 600);
    PumpPending();
  }
  void TearDown() override {
    tools.context = nullptr;
    context->InternalRelease();
    tools.DestroyWindow();
    if (::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    PumpPending();
  }
  CPoint ScreenCentre(int tool) {
    CPoint point = kToolRects[tool].CenterPoint();
    tools.ClientToScreen(&point);
    return point;
  }
  CTkTipWindow* Tip() { return dynamic_cast<CTkTipWindow*>(context->GetTipWindow()); }
  bool Shows(UINT_PTR id) {
    CTkTipWindow* tip = Tip();
    return tip != nullptr && tip->IsWindowVisible() && tip->GetShownTool().id == id;
  }
  bool Hidden() { return Tip() == nullptr || !Tip()->IsWindowVisible(); }
  // Pumps for a while; the condition must stay false all the time.
  bool StaysFalse(std::function<bool()> condition, DWORD milliseconds) {
    return !PumpUntil(condition, milliseconds);
  }

  CFrameWnd* frame = nullptr;
  CTkTipContext* context = nullptr;
  ToolWindow tools;
};

TEST_F(TipWindowTest, AFirstTipWaitsThenTheNextSwitchesAtOnce) {
  const CPoint first = ScreenCentre(0);
  const DWORD start = ::GetTickCount();
  ::SetCursorPos(first.x, first.y);
  ASSERT_TRUE(PumpUntil([&] { return Shows(1); }, 3000));
  EXPECT_GE(::GetTickCount() - start, 450u);
  CRect window;
  Tip()->GetWindowRect(&window);
  EXPECT_EQ(CPoint(first.x, first.y + 21), window.TopLeft());
  EXPECT_GT(window.Width(), 20);

  const CPoint second = ScreenCentre(1);
  const DWORD moved = ::GetTickCount();
  ::SetCursorPos(second.x, second.y);
  ASSERT_TRUE(PumpUntil([&] { return Shows(2); }, 3000));
  EXPECT_LT(::GetTickCount() - moved, 400u) << "within 200 ms of the last tip the next shows at once";
}

TEST_F(TipWindowTest, AClickedToolStaysQuietUntilAnotherToolIsMet) {
  const CPoint second = ScreenCentre(1);
  ::SetCursorPos(second.x, second.y);
  ASSERT_TRUE(PumpUntil([&] { return Shows(2); }, 3000));
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return Hidden(); }, 3000));
  ::SetCursorPos(second.x + 2, second.y);
  EXPECT_TRUE(StaysFalse([&] { return !Hidden(); }, 900));
  const CPoint first = ScreenCentre(0);
  ::SetCursorPos(first.x, first.y);
  EXPECT_TRUE(PumpUntil([&] { return Shows(1); }, 3000));
}

TEST_F(TipWindowTest, NoTipForAnEmptyTextOrAnInactiveWindow) {
  const CPoint third = ScreenCentre(2);
  ::SetCursorPos(third.x, third.y);
  EXPECT_TRUE(StaysFalse([&] { return !Hidden(); }, 900));

  // Another window in front: no tip, unless the tool asks for one anyway.
  CWnd other;
  ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), L"Other", WS_POPUP | WS_VISIBLE, CRect(700, 500, 800, 600),
                             nullptr, 0));
  other.SetForegroundWindow();
  PumpPending();
  const CPoint first = ScreenCentre(0);
  ::SetCursorPos(first.x, first.y);
  EXPECT_TRUE(StaysFalse([&] { return !Hidden(); }, 900));
  tools.flags = kToolShowInactive;
  const CPoint second = ScreenCentre(1);
  ::SetCursorPos(second.x, second.y);
  EXPECT_TRUE(PumpUntil([&] { return Shows(2); }, 3000));
  other.DestroyWindow();
}

}  // namespace
