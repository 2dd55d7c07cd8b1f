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

// The system tooltip control: a plain tip is one line high, with no room
// kept for a title.
TEST_F(TipWindowTest, ASystemTipWithoutTitleIsOneLineHigh) {
  context->m_tipKind = CTkTipContext::kSystemTip;
  auto systemTip = [&] {
    CWnd* tip = context->GetTipWindow();
    return tip != nullptr && tip->IsWindowVisible() ? tip : nullptr;
  };
  const CPoint first = ScreenCentre(0);
  ::SetCursorPos(first.x, first.y);
  ASSERT_TRUE(PumpUntil([&] { return systemTip() != nullptr; }, 3000));
  CRect window;
  systemTip()->GetWindowRect(&window);
  const int line = ::GetSystemMetrics(SM_CYMENU);
  EXPECT_LT(window.Height(), 2 * line) << "no room kept for an empty title";
}

// Rich tips measured directly: the rich edit's text tells how the tip's
// text was read, the sizes how it was laid out.
class RichTipTest : public TipWindowTest {
 protected:
  void SetUp() override {
    TipWindowTest::SetUp();
    context->m_tipKind = CTkTipContext::kRichTip;
    rich = new CTkTipWindowRich(context);
    ASSERT_TRUE(rich->CreateFor(frame, 0));
  }
  void TearDown() override {
    rich->DestroyWindow();
    TipWindowTest::TearDown();
  }
  CSize Measure(LPCWSTR text) {
    CTkTipWindow::Tool tool;
    tool.text = text;
    tool.window = tools.m_hWnd;
    tool.id = 1;
    return rich->MeasureTip(tool);
  }
  CString RichText() {
    CString text;
    const int length = ::GetWindowTextLengthW(rich->GetRichEdit());
    ::GetWindowTextW(rich->GetRichEdit(), text.GetBuffer(length + 1), length + 1);
    text.ReleaseBuffer();
    return text;
  }
  CTkTipWindowRich* rich = nullptr;
};

TEST_F(RichTipTest, TextIsReadAsRichTextElseAsPlainText) {
  const struct {
    LPCWSTR text;
    LPCWSTR shown;
  } cases[] = {
      {L"{\\rtf1 Hello \\b bold\\b0  world}", L"Hello bold world"},
      {L"Plain <b>words</b> {", L"Plain <b>words</b> {"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.text);
    const CSize size = Measure(c.text);
    EXPECT_GT(size.cx, 10);
    EXPECT_GT(size.cy, 5);
    CString shown = RichText();
    shown.TrimRight(L"\r\n");
    EXPECT_EQ(CString(c.shown), shown);
  }
  EXPECT_EQ(CSize(0, 0), Measure(L""));
}

TEST_F(RichTipTest, LongTextsWrapWithinTwiceTheMaximumWidthAndAlignedOnesGetRoom) {
  context->m_maxTipWidth = 120;
  const CSize shortTip = Measure(L"OK");
  const CSize longTip = Measure(
      L"A tip long enough to need several lines when its width is held to a hundred and twenty pixels");
  EXPECT_LT(shortTip.cx, 80);
  EXPECT_LE(longTip.cx, 120 + 4);
  EXPECT_GT(longTip.cy, 2 * shortTip.cy) << "the long text wraps";
  const CSize left = Measure(L"{\\rtf1 Centre}");
  EXPECT_GT(left.cx, 10);
  const CSize centred = Measure(L"{\\rtf1\\qc Centre}");
  EXPECT_EQ(left.cx + 5, centred.cx);
}

TEST_F(RichTipTest, TheTextIsDrawn) {
  const CSize size = Measure(L"{\\rtf1 Some \\b words\\b0}");
  CClientDC screen(frame);
  CDC dc;
  dc.CreateCompatibleDC(&screen);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&screen, size.cx, size.cy);
  CBitmap* old = dc.SelectObject(&bitmap);
  dc.FillSolidRect(0, 0, size.cx, size.cy, RGB(255, 255, 255));
  CTkTipWindow::Tool tool;
  rich->DrawTipText(&dc, tool, CRect(0, 0, size.cx, size.cy));
  int dark = 0;
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x)
      if (GetRValue(dc.GetPixel(x, y)) < 128) ++dark;
  dc.SelectObject(old);
  EXPECT_GT(dark, 20) << "the words are drawn";
}

TEST_F(TipWindowTest, ARichTipShowsUnderTheCursor) {
  context->m_tipKind = CTkTipContext::kRichTip;
  const CPoint first = ScreenCentre(0);
  ::SetCursorPos(first.x, first.y);
  ASSERT_TRUE(PumpUntil([&] { return Shows(1); }, 3000));
  EXPECT_NE(nullptr, dynamic_cast<CTkTipWindowRich*>(context->GetTipWindow()));
  CRect window;
  Tip()->GetWindowRect(&window);
  EXPECT_EQ(CPoint(first.x, first.y + 21), window.TopLeft());
}

}  // namespace
