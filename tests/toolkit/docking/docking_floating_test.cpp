// Floating frames: placement, floating and docking back, the system menu,
// closing, captions and titles, idle layout, copies, and rolling up.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "docking_fixtures.h"
#include "test_app.h"

namespace {

CRect WindowRectOf(CWnd* wnd) {
  CRect rect;
  wnd->GetWindowRect(&rect);
  return rect;
}

CTkDockingPaneMiniWnd* FrameOf(CTkDockingPaneObject* pane) {
  return dynamic_cast<CTkDockingPaneMiniWnd*>(pane->GetPaneDockingSite());
}

TEST(DockingFloating, RectanglesOffTheWorkAreaAreBroughtInside) {
  const CRect work(0, 0, 1000, 700);
  struct {
    const char* name;
    CRect rect;
    CRect expected;
  } cases[] = {
      {"overlapping stays", CRect(-50, -20, 150, 100), CRect(-50, -20, 150, 100)},
      {"wholly left", CRect(-600, 100, -400, 250), CRect(0, 100, 200, 250)},
      {"wholly right", CRect(1500, 100, 1700, 250), CRect(800, 100, 1000, 250)},
      {"wholly above", CRect(100, -900, 300, -700), CRect(100, 0, 300, 200)},
      {"wholly below", CRect(100, 800, 300, 950), CRect(100, 550, 300, 700)},
      {"beyond a corner", CRect(-500, -500, -300, -300), CRect(0, 0, 200, 200)},
      // Too big to fit: the top-left corner is inside, so the caption is.
      {"wider than the area", CRect(1200, 100, 2400, 200), CRect(0, 100, 1200, 200)},
      {"taller than the area", CRect(100, 900, 200, 1700), CRect(100, 0, 200, 800)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.expected, CTkDockingPaneMiniWnd::PlaceOnWorkArea(c.rect, work));
  }
}

TEST(DockingFloating, FloatingAndDockingBack) {
  DockingFixture f;
  CTkDockingPaneObject* a = f.MakePane(1, L"Alpha");
  f.site.DockPane(a, kDockLeft);
  f.Relayout();
  CRect docked = a->GetContainer()->GetScreenRect();
  ASSERT_FALSE(docked.IsRectEmpty());

  // Never floated: the pane gets a new frame where its container was.
  ASSERT_TRUE(f.site.ToggleDocking(a));
  CTkDockingPaneMiniWnd* frame = FrameOf(a);
  ASSERT_NE(nullptr, frame);
  EXPECT_EQ(1, f.CountActions(kActionFloating));
  EXPECT_EQ(1, f.CountActions(kActionFloated));
  EXPECT_EQ(docked.TopLeft(), WindowRectOf(frame).TopLeft());
  // Owned by the main frame, not its child.
  EXPECT_EQ(f.frame->GetSafeHwnd(), ::GetWindow(frame->GetSafeHwnd(), GW_OWNER));
  EXPECT_FALSE(frame->GetStyle() & WS_CHILD);
  EXPECT_TRUE(frame->GetExStyle() & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(frame->IsWindowVisible());
  // The emptied container stays in the tree as the pane's docking holder.
  EXPECT_EQ("H[T(),C]", DescribeNode(f.Top()));
  // The idle pass lays the floating frame out and records its holder.
  TheTestApp().OnIdle(0);
  EXPECT_EQ(a->GetContainer(), f.site.GetPaneHolder(a, TRUE));
  // The pane's window lives in the floating frame now.
  EXPECT_TRUE(::IsChild(frame->GetSafeHwnd(), a->m_hwndChild));

  // Back to the container it was docked in, and the frame hides.
  ASSERT_TRUE(f.site.ToggleDocking(a));
  EXPECT_EQ(f.frame, a->GetPaneDockingSite());
  EXPECT_EQ(1, f.CountActions(kActionDocking));
  EXPECT_EQ(1, f.CountActions(kActionDocked));
  f.Relayout();
  EXPECT_EQ("H[T(1),C]", DescribeNode(f.Top()));
  PumpPending();
  frame->RecalcLayout();
  EXPECT_FALSE(frame->IsWindowVisible());

  // A second float goes to the floating holder recorded the first time.
  ASSERT_TRUE(f.site.ToggleDocking(a));
  EXPECT_EQ(frame, FrameOf(a));

  // A vetoed float leaves the pane where it is and reports nothing done.
  ASSERT_TRUE(f.site.ToggleDocking(a));
  f.frame->vetoedActions = {kActionFloating};
  int floated = f.CountActions(kActionFloated);
  EXPECT_FALSE(f.site.ToggleDocking(a));
  EXPECT_EQ(f.frame, a->GetPaneDockingSite());
  EXPECT_EQ(floated, f.CountActions(kActionFloated));
}

TEST(DockingFloating, NeverDockedPanesFloatAnewWhenDocked) {
  DockingFixture f;
  CTkDockingPaneObject* a = f.MakePane(1, L"Alpha");
  CTkDockingPaneObject* b = f.MakePane(2, L"Beta");
  f.site.FloatPane(a, CRect(200, 200, 400, 350));
  f.site.AttachPane(b, a);
  CTkDockingPaneMiniWnd* frame = FrameOf(a);
  ASSERT_NE(nullptr, frame);
  EXPECT_EQ("F{H[T(1,2)]}", DescribeNode(frame));
  // The caption's double click: no docking holders, so each pane floats on
  // its own again.
  ASSERT_TRUE(f.site.ToggleDocking(frame->m_pTopContainer));
  ASSERT_NE(nullptr, FrameOf(a));
  ASSERT_NE(nullptr, FrameOf(b));
  EXPECT_NE(frame, FrameOf(a));
  EXPECT_NE(FrameOf(a), FrameOf(b));
  EXPECT_EQ("H[C]", DescribeNode(f.Top()));
  // They went the docking road: the frame hears of docking, not floating.
  EXPECT_EQ(2, f.CountActions(kActionDocked));
  EXPECT_EQ(0, f.CountActions(kActionFloated));
}

TEST(DockingFloating, SystemMenuAndClosing) {
  DockingFixture f;
  CTkDockingPaneObject* a = f.MakePane(1, L"Alpha");
  CTkDockingPaneObject* b = f.MakePane(2, L"Beta");
  f.site.FloatPane(a, CRect(200, 200, 400, 350));
  f.site.AttachPane(b, a);
  CTkDockingPaneMiniWnd* frame = FrameOf(a);
  ASSERT_NE(nullptr, frame);
  HMENU menu = ::GetSystemMenu(frame->GetSafeHwnd(), FALSE);
  ASSERT_NE(nullptr, menu);
  for (UINT command : {SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE})
    EXPECT_EQ(static_cast<UINT>(-1), ::GetMenuState(menu, command, MF_BYCOMMAND)) << command;
  WCHAR text[64] = {};
  ::GetMenuStringW(menu, SC_CLOSE, text, 64, MF_BYCOMMAND);
  EXPECT_STREQ(L"&Hide", text);
  // The close item comes last.
  EXPECT_EQ(static_cast<UINT>(SC_CLOSE), ::GetMenuItemID(menu, ::GetMenuItemCount(menu) - 1));

  // Panes that may not close: no Close button, a greyed item, and closing
  // the frame does nothing.
  a->m_options = kPaneNoClose;
  b->m_options = kPaneNoClose;
  frame->RefreshLayout(TRUE);
  EXPECT_FALSE(frame->m_bCloseAllowed);
  EXPECT_FALSE(frame->FindCaptionButton(kButtonClose)->IsVisible());
  EXPECT_TRUE(::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
  frame->SendMessage(WM_CLOSE);
  EXPECT_EQ(frame, FrameOf(a));
  EXPECT_EQ(0, f.CountActions(kActionClosing));
  EXPECT_TRUE(::IsWindow(frame->GetSafeHwnd()));

  // One closable pane: it closes, the other stays, and the item is enabled.
  b->m_options = 0;
  frame->RefreshLayout(TRUE);
  EXPECT_FALSE(::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
  frame->SendMessage(WM_CLOSE);
  EXPECT_TRUE(b->IsClosed());
  EXPECT_EQ(frame, FrameOf(a));
  EXPECT_EQ(1, f.CountActions(kActionClosed));

  // With every pane gone the window hides but lives on.
  a->m_options = 0;
  frame->SendMessage(WM_CLOSE);
  EXPECT_TRUE(a->IsClosed());
  frame->RecalcLayout();
  EXPECT_TRUE(::IsWindow(frame->GetSafeHwnd()));
  EXPECT_FALSE(frame->IsWindowVisible());
  // Shown again, the pane comes back into its floating frame.
  f.site.ShowPane(a, FALSE);
  EXPECT_EQ(frame, FrameOf(a));
  EXPECT_TRUE(frame->IsWindowVisible());
}

TEST(DockingFloating, CaptionsAndTitleFollowTheContainers) {
  DockingFixture f;
  f.site.m_floatingTitle = L"Panes";
  CTkDockingPaneObject* a = f.MakePane(1, L"Alpha");
  CTkDockingPaneObject* b = f.MakePane(2, L"Beta");
  f.site.FloatPane(a, CRect(200, 200, 500, 400));
  CTkDockingPaneMiniWnd* frame = FrameOf(a);
  ASSERT_NE(nullptr, frame);
  auto* first = static_cast<CTkDockingPaneTabbedContainer*>(a->GetContainer());
  CString title;
  frame->GetWindowText(title);
  EXPECT_EQ(CString(L"Alpha"), title);
  EXPECT_FALSE(first->IsCaptionVisible());
  EXPECT_EQ(a, frame->GetSinglePane());

  // A second container beside the first, inside the frame.
  f.site.DockPane(b, kDockRight, a);
  EXPECT_EQ(frame, FrameOf(b));
  EXPECT_EQ("F{H[T(1),T(2)]}", DescribeNode(frame));
  auto* second = static_cast<CTkDockingPaneTabbedContainer*>(b->GetContainer());
  frame->GetWindowText(title);
  EXPECT_EQ(CString(L"Panes"), title);
  EXPECT_TRUE(first->IsCaptionVisible());
  EXPECT_TRUE(second->IsCaptionVisible());
  EXPECT_EQ(nullptr, frame->GetSinglePane());

  // The idle pass of the thread lays out the floating frame too.
  CRect client;
  frame->DelayRecalcLayout();
  TheTestApp().OnIdle(0);
  EXPECT_EQ(0u, frame->m_nIdleFlags);
  frame->GetClientRect(&client);
  CRect left = WindowRectOf(first);
  CRect right = WindowRectOf(second);
  frame->ScreenToClient(&left);
  frame->ScreenToClient(&right);
  EXPECT_EQ(client.left, left.left);
  EXPECT_EQ(client.right, right.right);
  EXPECT_EQ(client.Height(), left.Height());
  // The content's drag rectangle is the whole window.
  EXPECT_EQ(WindowRectOf(frame), frame->m_pTopContainer->GetScreenRect());
}

TEST(DockingFloating, SnapshotCopiesMakeNoWindows) {
  DockingFixture f;
  CTkDockingPaneObject* a = f.MakePane(1, L"Alpha");
  f.site.FloatPane(a, CRect(200, 200, 400, 350));
  CTkDockingPaneMiniWnd* frame = FrameOf(a);
  ASSERT_NE(nullptr, frame);
  frame->m_bCollapsed = TRUE;
  frame->m_expandedHeight = 150;
  CTkDockingPaneArrangement* snapshot = f.site.CreateLayout();
  CMapPtrToPtr map;
  auto* copy = static_cast<CTkDockingPaneMiniWnd*>(frame->Clone(snapshot, &map, 0));
  frame->m_bCollapsed = FALSE;
  ASSERT_NE(nullptr, copy);
  EXPECT_EQ(nullptr, copy->GetSafeHwnd());
  EXPECT_EQ("F{H[T(1)]}", DescribeNode(copy));
  EXPECT_TRUE(copy->m_bCollapsed);
  EXPECT_EQ(150, copy->m_expandedHeight);
  // A rolled-up copy keeps only its caption's height.
  CRect rect = WindowRectOf(frame);
  EXPECT_EQ(rect.top, copy->m_paneRect.top);
  EXPECT_EQ(rect.top + f.site.GetPaintManager()->m_captionHeight + 8, copy->m_paneRect.bottom);
  void* mapped = nullptr;
  EXPECT_TRUE(map.Lookup(static_cast<CTkDockingPaneNode*>(frame), mapped));
  EXPECT_EQ(static_cast<CTkDockingPaneNode*>(copy), mapped);
  snapshot->InternalRelease();
}

TEST(DockingFloating, WindowsPlacedOffScreenCanBeReached) {
  DockingFixture f;
  CTkDockingPaneObject* a = f.MakePane(1, L"Alpha");
  f.site.FloatPane(a, CRect(-3000, -3000, -2800, -2850));
  CTkDockingPaneMiniWnd* frame = FrameOf(a);
  ASSERT_NE(nullptr, frame);
  CRect work;
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  CRect rect = WindowRectOf(frame);
  EXPECT_EQ(work.TopLeft(), rect.TopLeft());
  EXPECT_EQ(CSize(200, 150), rect.Size());
}

TEST(DockingFloating, ThemedFramesDrawTheirCaptionButtons) {
  for (int theme : {0, 4, 5}) {
    SCOPED_TRACE(theme);
    DockingFixture f;
    f.site.SetPaneTheme(theme);
    f.site.m_bThemedFloatingFrames = TRUE;
    CTkDockingPaneObject* a = f.MakePane(1, L"Alpha");
    f.site.FloatPane(a, CRect(300, 300, 500, 450));
    CTkDockingPaneMiniWnd* frame = FrameOf(a);
    ASSERT_NE(nullptr, frame);
    EXPECT_FALSE(frame->GetStyle() & WS_BORDER);
    frame->SendMessage(WM_NCPAINT);
    CRect close = frame->FindCaptionButton(kButtonClose)->GetRect();
    CRect rollUp = frame->FindCaptionButton(kButtonAutoHide)->GetRect();
    // Both sit in the caption band at the top, Close at the right end.
    EXPECT_FALSE(close.IsRectEmpty());
    EXPECT_FALSE(rollUp.IsRectEmpty());
    EXPECT_LT(rollUp.right, close.right);
    EXPECT_LT(close.bottom, f.site.GetPaintManager()->m_captionHeight + 8);
    // No Menu button unless the single pane asks for one.
    EXPECT_TRUE(frame->FindCaptionButton(kButtonMenu)->GetRect().IsRectEmpty());
    // The caption is a caption: pressing it moves the frame.
    CRect window = WindowRectOf(frame);
    EXPECT_EQ(HTCAPTION, frame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(window.left + 20, window.top + 4)));
  }
}

// The heights a window takes, seen as its position changes.
HWND g_watched = nullptr;
std::vector<int>* g_heights = nullptr;

LRESULT CALLBACK WatchHeights(int code, WPARAM wParam, LPARAM lParam) {
  auto* message = reinterpret_cast<CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && message->hwnd == g_watched && message->message == WM_WINDOWPOSCHANGED && g_heights) {
    int height = reinterpret_cast<WINDOWPOS*>(message->lParam)->cy;
    if (g_heights->empty() || g_heights->back() != height) g_heights->push_back(height);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Rolling up waits for the pointer to stay away, then takes 8 steps.
TEST(DockingFloatingPointer, RollsUpAfterThePointerLeavesAndDownOnHover) {
  DockingFixture f;
  f.site.m_bThemedFloatingFrames = TRUE;
  CTkDockingPaneObject* a = f.MakePane(1, L"Alpha");
  f.site.FloatPane(a, CRect(700, 300, 900, 500));
  CTkDockingPaneMiniWnd* frame = FrameOf(a);
  ASSERT_NE(nullptr, frame);
  ::SetCursorPos(5, 900);
  // The focus in the frame keeps it rolled down: give it to the main frame.
  f.frame->SetActiveWindow();
  f.frame->SetFocus();
  int rolledUp = f.site.GetPaintManager()->m_captionHeight + 8;
  frame->ToggleCollapse();
  EXPECT_TRUE(frame->m_bCollapsed);
  EXPECT_TRUE(frame->FindCaptionButton(kButtonAutoHide)->IsVisible());
  EXPECT_TRUE(frame->FindCaptionButton(kButtonAutoHide)->m_state & 2);
  DWORD start = GetTickCount();
  std::vector<int> heights;
  g_watched = frame->GetSafeHwnd();
  g_heights = &heights;
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, WatchHeights, nullptr, GetCurrentThreadId());
  bool rolled = PumpUntil([&] { return !frame->m_bRolledDown; });
  DWORD elapsed = GetTickCount() - start;
  UnhookWindowsHookEx(hook);
  g_heights = nullptr;
  ASSERT_TRUE(rolled);
  EXPECT_GE(elapsed, 550u);
  EXPECT_EQ(rolledUp, WindowRectOf(frame).Height());
  EXPECT_EQ(200, frame->m_expandedHeight);
  // Eight steps of 16 ms: 200 * step / 8, never below the caption.
  std::vector<int> expected;
  for (int step = 7; step >= 0; --step) {
    int height = std::max(step * 200 / 8, rolledUp);
    if (expected.empty() || expected.back() != height) expected.push_back(height);
  }
  EXPECT_EQ(expected, heights);

  // Hovering the caption brings it back at once.
  CRect rect = WindowRectOf(frame);
  ::SetCursorPos(rect.left + 40, rect.top + 5);
  ASSERT_TRUE(PumpUntil([&] { return WindowRectOf(frame).Height() == 200; }));
  EXPECT_TRUE(frame->m_bRolledDown);
  // Leaving the rolled-up mode keeps the full height.
  frame->ToggleCollapse();
  EXPECT_FALSE(frame->m_bCollapsed);
  EXPECT_EQ(200, WindowRectOf(frame).Height());
  ::SetCursorPos(5, 900);
}

}  // namespace
