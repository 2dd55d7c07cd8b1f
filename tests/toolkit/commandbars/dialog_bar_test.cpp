// The dialog bar: its size around the hosted window, the caption band with
// its popup and close button, the sizing edges docked and floating, and
// resizing down to the smallest size.
#include <gtest/gtest.h>

#include "../test_resources.h"
#include "bar_drag_tracker.h"
#include "bar_painter.h"
#include "command_bars.h"
#include "dialog_bar.h"
#include "dock_bar.h"
#include "draw_helpers.h"
#include "frame_window.h"
#include "popup_bar.h"
#include "bar_fixtures.h"
#include "test_app.h"

namespace {

class DialogBarFrame : public BarsTestFrame {
 public:
  // A dialog bar made by the command bars, hosting a list box.
  CTkDialogBar* AddDialogBar(LPCWSTR title, UINT id) {
    CRuntimeClass* saved = ToolBarClass;
    ToolBarClass = RUNTIME_CLASS(CTkDialogBar);
    auto* bar = static_cast<CTkDialogBar*>(m_pCommandBars->CreateToolBar(title, id, FALSE));
    ToolBarClass = saved;
    if (bar == nullptr) return nullptr;
    HWND child = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10,
                                   bar->GetSafeHwnd(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    bar->SetChild(child);
    RecalcLayout();
    return bar;
  }
};

CRect WindowOf(CWnd* window) {
  CRect rect;
  window->GetWindowRect(&rect);
  return rect;
}

LRESULT HitTest(CWnd* bar, int x, int y) { return bar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)); }

class DialogBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new DialogBarFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"Dialog bar test", WS_POPUP | WS_VISIBLE, CRect(40, 40, 700, 520)));
    frame->RecalcLayout();
    bar = frame->AddDialogBar(L"Properties", 900);
    ASSERT_NE(nullptr, bar);
  }
  void TearDown() override {
    if (::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();
    PumpPending();
  }
  int CaptionHeight() {
    CWindowDC dc(nullptr);
    return bar->GetPaintManager()->DrawGripper(&dc, bar, FALSE).cy;
  }

  DialogBarFrame* frame = nullptr;
  CTkDialogBar* bar = nullptr;
};

TEST_F(DialogBarTest, SizeComesFromTheClientSizeMarginsAndCaption) {
  EXPECT_FALSE(bar->IsCustomizable());
  EXPECT_TRUE(bar->QueryDialogBar());
  bar->SetDockedClientSize(CSize(150, 120));
  bar->SetFloatingClientSize(CSize(90, 70));
  const int caption = CaptionHeight();
  ASSERT_GT(caption, 0);
  struct Case {
    const char* name;
    BOOL captionVisible;
    int length;
    DWORD flags;
    bool floating;
    CSize expected;
  } cases[] = {
      {"docked top", TRUE, 32000, 0x4A, false, CSize(156, 126 + caption)},
      {"no caption", FALSE, 32000, 0x4A, false, CSize(156, 126)},
      {"narrow row", TRUE, 100, 0x4A, false, CSize(100, 126 + caption)},
      {"stretched row", TRUE, 400, 0x4B, false, CSize(400, 126 + caption)},
      {"docked left", TRUE, 80, 0x50, false, CSize(156, 80)},
      {"floating ignores the length", TRUE, 10, 0x46, true, CSize(96, 76 + caption)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bar->SetCaptionVisible(c.captionVisible);
    const CSize size = c.floating ? bar->CalcBarSize(c.length, c.flags) : bar->CalcDockedSize(c.length, c.flags);
    EXPECT_EQ(c.expected, size);
    EXPECT_EQ(c.captionVisible ? 3 + caption : 3, bar->GetCaptionBottom());
  }
}

TEST_F(DialogBarTest, TheHostedWindowFillsTheBarBelowTheCaption) {
  bar->SetDockedClientSize(CSize(180, 100));
  frame->RecalcLayout();
  CRect client;
  bar->GetClientRect(&client);
  const CRect child = ChildRect(bar, CWnd::FromHandle(bar->GetChild()));
  EXPECT_EQ(CRect(3, bar->GetCaptionBottom(), client.right - 3, client.bottom - 3), child);
  EXPECT_EQ(CSize(180, 100), child.Size());
  // The mouse tracker skips the bar outside its caption band.
  const CRect window = WindowOf(bar);
  EXPECT_EQ(1, bar->ContainsPoint(window.left + 40, window.top + 4));
  EXPECT_EQ(-2, bar->ContainsPoint(window.left + 40, window.top + bar->GetCaptionBottom() + 4));
  EXPECT_EQ(-2, bar->ContainsPoint(window.right + 5, window.top + 4));
}

TEST_F(DialogBarTest, SizingEdgesDependOnWhereTheBarIs) {
  struct Case {
    const char* name;
    int position;
    DWORD extraFlags;
    LRESULT top, bottom, left, right;
  } cases[] = {
      {"top", kBarTop, 0, HTCLIENT, HTBOTTOM, HTCLIENT, HTRIGHT},
      {"top, stretched", kBarTop, kDockStretch, HTCLIENT, HTBOTTOM, HTCLIENT, HTCLIENT},
      {"bottom", kBarBottom, 0, HTTOP, HTCLIENT, HTCLIENT, HTRIGHT},
      {"left", kBarLeft, 0, HTCLIENT, HTBOTTOM, HTCLIENT, HTRIGHT},
      {"left, stretched", kBarLeft, kDockStretch, HTCLIENT, HTCLIENT, HTCLIENT, HTRIGHT},
      {"right", kBarRight, 0, HTCLIENT, HTBOTTOM, HTLEFT, HTCLIENT},
      {"floating", kBarFloating, 0, HTTOP, HTBOTTOM, HTLEFT, HTRIGHT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bar->EnableDocking(kToolBarDockFlags | c.extraFlags);
    ASSERT_TRUE(bar->PlaceBar(c.position));
    frame->RecalcLayout();
    const CRect w = WindowOf(bar);
    const int midX = w.CenterPoint().x;
    const int midY = w.CenterPoint().y;
    EXPECT_EQ(c.top, HitTest(bar, midX, w.top + 1));
    EXPECT_EQ(c.bottom, HitTest(bar, midX, w.bottom - 2));
    EXPECT_EQ(c.left, HitTest(bar, w.left, midY));
    EXPECT_EQ(c.right, HitTest(bar, w.right - 3, midY));
    // Three pixels in is inside.
    EXPECT_EQ(HTCLIENT, HitTest(bar, midX, w.bottom - 4));
    if (c.position == kBarFloating) {
      EXPECT_EQ(HTTOPLEFT, HitTest(bar, w.left, w.top));
      EXPECT_EQ(HTTOPRIGHT, HitTest(bar, w.right - 1, w.top + 2));
      EXPECT_EQ(HTBOTTOMLEFT, HitTest(bar, w.left + 2, w.bottom - 1));
      EXPECT_EQ(HTBOTTOMRIGHT, HitTest(bar, w.right - 1, w.bottom - 1));
    }
  }
  bar->SetResizable(FALSE);
  const CRect w = WindowOf(bar);
  EXPECT_EQ(HTCLIENT, HitTest(bar, w.left, w.top));
}

TEST_F(DialogBarTest, ResizingStopsAtTheSmallestSize) {
  ASSERT_TRUE(bar->PlaceBar(kBarFloating));
  bar->SetWindowPos(nullptr, 200, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const CRect before = WindowOf(bar);
  const CSize floatingBefore = bar->GetFloatingClientSize();
  CTkBarDragTracker* tracker = bar->GetDragTracker();
  const HWND input = frame->GetSafeHwnd();
  auto drag = [&](int hit, CPoint from, CPoint to) {
    CPoint client = to;
    ::ScreenToClient(input, &client);
    ::PostMessageW(input, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    ::PostMessageW(input, WM_LBUTTONUP, 0, 0);
    tracker->StartResize(hit, from.x, from.y);
  };
  // The corner dragged to 40 x 40: nothing changes.
  const CPoint corner(before.right - 1, before.bottom - 1);
  drag(HTBOTTOMRIGHT, corner, CPoint(before.left + 40, before.top + 40));
  EXPECT_EQ(before, WindowOf(bar));
  EXPECT_EQ(floatingBefore, bar->GetFloatingClientSize());
  // To 60 x 55 it follows, and the floating client size with it.
  drag(HTBOTTOMRIGHT, corner, CPoint(before.left + 60 - 1, before.top + 55 - 1));
  EXPECT_EQ(CRect(before.left, before.top, before.left + 60, before.top + 55), WindowOf(bar));
  EXPECT_EQ(CSize(54, 55 - bar->GetCaptionBottom() - 3), bar->GetFloatingClientSize());
  // The top-left corner moves the other two edges.
  const CRect small = WindowOf(bar);
  drag(HTTOPLEFT, small.TopLeft(), CPoint(small.left - 30, small.top - 20));
  EXPECT_EQ(CRect(small.left - 30, small.top - 20, small.right, small.bottom), WindowOf(bar));

  // Docked at the top, the bottom edge sets the docked height.
  ASSERT_TRUE(bar->PlaceBar(kBarTop));
  frame->RecalcLayout();
  const CRect docked = WindowOf(bar);
  const int dockedWidth = bar->GetDockedClientSize().cx;
  drag(HTBOTTOM, CPoint(docked.CenterPoint().x, docked.bottom - 1),
       CPoint(docked.CenterPoint().x, docked.bottom + 29));
  EXPECT_EQ(docked.Height() + 30, WindowOf(bar).Height());
  EXPECT_EQ(dockedWidth, bar->GetDockedClientSize().cx);
}

TEST_F(DialogBarTest, TheCaptionShowsTheTitleAndOpensOnlyAPopupWithControls) {
  bar->SetDockedClientSize(CSize(220, 60));
  frame->RecalcLayout();
  CTkControl* caption = bar->GetControls()->FindControl(CTkDialogBar::kCaptionControlId);
  ASSERT_NE(nullptr, caption);
  EXPECT_EQ(0x1E, caption->GetFlags() & 0x1E);
  EXPECT_EQ(CString(L"Properties"), caption->GetCaption());
  EXPECT_EQ(CString(L"Properties"), bar->GetCaptionText());
  bar->SetCaption(L"Folders");
  frame->RecalcLayout();
  EXPECT_EQ(CString(L"Folders"), caption->GetCaption());

  // The triangle of the drop-down, read back from the bar's own drawing.
  auto triangleDrawn = [&]() {
    CRect client;
    bar->GetClientRect(&client);
    CWindowDC screen(nullptr);
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, client.Width(), client.Height());
    CGdiObject* old = memory.SelectObject(&bitmap);
    bar->SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(memory.m_hDC), PRF_CLIENT);
    const CRect rect = caption->GetRect();
    const COLORREF pixel = memory.GetPixel(rect.right - 9, (rect.top + rect.bottom) / 2 - 1);
    memory.SelectObject(old);
    return pixel == bar->GetPaintManager()->GetColor(COLOR_BTNTEXT);
  };
  EXPECT_FALSE(bar->HasCaptionDropDown());
  EXPECT_FALSE(triangleDrawn());
  // Opening does nothing and reports success.
  EXPECT_TRUE(caption->SetPopuped(TRUE));
  EXPECT_EQ(nullptr, bar->GetCaptionPopupBar()->GetSafeHwnd());

  bar->GetCaptionPopupBar()->GetControls()->Add(kControlButton, 2001);
  EXPECT_TRUE(bar->HasCaptionDropDown());
  EXPECT_TRUE(triangleDrawn());
  bar->SetCaptionPopup(FALSE);
  EXPECT_FALSE(bar->HasCaptionDropDown());
}

TEST_F(DialogBarTest, TheCaptionReadsAcrossTheBarOnEveryEdge) {
  for (int position : {kBarTop, kBarLeft, kBarRight, kBarFloating}) {
    SCOPED_TRACE(position);
    ASSERT_TRUE(bar->PlaceBar(position));
    frame->RecalcLayout();
    CTkControl* caption = bar->GetControls()->FindControl(CTkDialogBar::kCaptionControlId);
    ASSERT_NE(nullptr, caption);
    CRect client;
    bar->GetClientRect(&client);
    CWindowDC screen(nullptr);
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, client.Width(), client.Height());
    CGdiObject* old = memory.SelectObject(&bitmap);
    bar->SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(memory.m_hDC), PRF_CLIENT);
    // The title's letters lie in the caption control, left of its arrow.
    const CRect rect = caption->GetRect();
    const COLORREF text = bar->GetPaintManager()->GetColor(COLOR_BTNTEXT);
    int inked = 0;
    for (int x = rect.left; x < rect.left + 60; ++x)
      for (int y = rect.top; y < rect.bottom; ++y)
        if (memory.GetPixel(x, y) == text) ++inked;
    memory.SelectObject(old);
    EXPECT_GT(inked, 20);
  }
}

TEST_F(DialogBarTest, TheCloseButtonHidesTheBarAndCanBeLeftOut) {
  frame->RecalcLayout();
  CTkControl* close = bar->GetControls()->FindControl(CTkToolBar::kCloseButtonId);
  ASSERT_NE(nullptr, close);
  EXPECT_TRUE(close->IsVisible());
  CRect client;
  bar->GetClientRect(&client);
  EXPECT_EQ(client.right - 3, close->GetRect().right);
  EXPECT_EQ(16, close->GetRect().Width());
  close->ExecuteCommand();
  EXPECT_FALSE(bar->IsVisible());
  bar->SetVisible(TRUE);
  bar->SetCloseable(FALSE);
  frame->RecalcLayout();
  EXPECT_FALSE(close->IsVisible());
  CTkControl* caption = bar->GetControls()->FindControl(CTkDialogBar::kCaptionControlId);
  EXPECT_EQ(client.right - 3, caption->GetRect().right);
}

TEST_F(DialogBarTest, AClonedBarKeepsItsSizesAndOpensItsOwnPopup) {
  bar->SetDockedClientSize(CSize(111, 77));
  bar->SetFloatingClientSize(CSize(66, 55));
  bar->SetMargins(CRect(1, 2, 3, 4));
  bar->SetCaption(L"Copy me");
  frame->RecalcLayout();
  CTkCommandBar* clone = bar->CloneBar(TRUE);
  ASSERT_NE(nullptr, clone);
  ASSERT_TRUE(clone->IsKindOf(RUNTIME_CLASS(CTkDialogBar)));
  auto* copy = static_cast<CTkDialogBar*>(clone);
  EXPECT_EQ(CSize(111, 77), copy->GetDockedClientSize());
  EXPECT_EQ(CSize(66, 55), copy->GetFloatingClientSize());
  EXPECT_EQ(CRect(1, 2, 3, 4), copy->GetMargins());
  EXPECT_EQ(CString(L"Copy me"), copy->GetCaption());
  CTkControl* caption = copy->GetControls()->FindControl(CTkDialogBar::kCaptionControlId);
  ASSERT_NE(nullptr, caption);
  EXPECT_EQ(copy->GetCaptionPopupBar(), caption->GetCommandBar());
  clone->InternalRelease();
}

}  // namespace
