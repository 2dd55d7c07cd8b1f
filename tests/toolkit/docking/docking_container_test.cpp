// Panes in tabbed containers: closing and showing, activation, tabs,
// caption buttons, the help hit test and the split bars.
#include <gtest/gtest.h>

#include "docking_fixtures.h"
#include "ole_drop_target.h"

namespace {

CTkDockingPaneTabbedContainer* ContainerOf(CTkDockingPaneObject* pane) {
  return static_cast<CTkDockingPaneTabbedContainer*>(pane->GetContainer());
}

TEST(DockingPane, TitleTabCaptionAndAutomaticColour) {
  DockingFixture f;
  struct {
    LPCWSTR title;
    LPCWSTR caption;
    LPCWSTR tab;
  } cases[] = {
      {L"Solution Explorer\nSolution", L"Solution Explorer", L"Solution"},
      {L"Output", L"Output", L"Output"},
      {L"Ends\n", L"Ends", L""},
      {L"a\nb\nc", L"a", L"b\nc"},
  };
  CTkDockingPaneObject* pane = f.site.CreatePane(13, L"");
  for (const auto& c : cases) {
    pane->m_title = c.title;
    EXPECT_EQ(CString(c.caption), pane->GetTitle());
    EXPECT_EQ(CString(c.tab), pane->GetTabCaption());
  }
  EXPECT_EQ(0x1000000u + 5, pane->GetTabColor());
  pane->m_tabColor = RGB(1, 2, 3);
  EXPECT_EQ(RGB(1, 2, 3), pane->GetTabColor());

  CTkDockingPaneObject* copy = f.site.CreatePane(0, L"");
  pane->m_helpId = 77;
  copy->CopyFrom(pane);
  EXPECT_EQ(13, copy->m_id);
  EXPECT_EQ(nullptr, copy->m_hwndChild);
  EXPECT_EQ(static_cast<COLORREF>(-1), copy->m_tabColor);
  EXPECT_EQ(0u, copy->m_helpId);
}

TEST(DockingPane, CloseVetoedOrDoneAndShownAgain) {
  DockingFixture f;
  CTkDockingPaneObject* pane = f.MakePane(7);
  f.site.DockPane(pane, kDockLeft);
  f.Relayout();
  CTkDockingPaneTabbedContainer* container = ContainerOf(pane);
  ASSERT_NE(nullptr, container);

  f.frame->vetoClose = TRUE;
  f.site.ClosePane(pane);
  EXPECT_EQ(container, pane->GetContainer());
  EXPECT_TRUE(::IsWindowVisible(pane->m_hwndChild));

  f.frame->vetoClose = FALSE;
  f.site.ClosePane(pane);
  EXPECT_TRUE(pane->IsClosed());
  EXPECT_FALSE(::IsWindowVisible(pane->m_hwndChild));
  EXPECT_EQ(f.site.GetSafeHwnd(), ::GetParent(pane->m_hwndChild));
  EXPECT_EQ(nullptr, container->GetSafeHwnd());
  EXPECT_EQ(pane, f.site.FindPane(7));

  f.frame->notes.clear();
  f.site.ShowPane(pane, FALSE);
  EXPECT_EQ(container, pane->GetContainer());
  ASSERT_NE(nullptr, container->GetSafeHwnd());
  EXPECT_EQ(container->GetSafeHwnd(), ::GetParent(pane->m_hwndChild));
  ASSERT_FALSE(f.frame->notes.empty());
  EXPECT_EQ(static_cast<WPARAM>(kNotifyShowWindow), f.frame->notes.back().code);
  f.Relayout();
  EXPECT_TRUE(::IsWindowVisible(pane->m_hwndChild));
}

TEST(DockingPane, ActivationNotices) {
  DockingFixture f;
  CTkDockingPaneObject* a = f.MakePane(1);
  CTkDockingPaneObject* b = f.MakePane(2);
  f.site.SetActivePane(FALSE, a);
  EXPECT_TRUE(f.frame->notes.empty());
  f.site.SetActivePane(TRUE, a);
  f.site.SetActivePane(TRUE, a);
  f.site.SetActivePane(TRUE, b);
  f.site.SetActivePane(FALSE, a);
  f.site.SetActivePane(FALSE, b);
  std::vector<std::pair<int, int>> seen;
  for (const DockingNote& note : f.frame->notes) seen.push_back({note.action, note.pane->m_id});
  std::vector<std::pair<int, int>> expected = {{14, 1}, {15, 1}, {14, 2}, {15, 2}};
  EXPECT_EQ(expected, seen);
  EXPECT_EQ(nullptr, f.site.GetActivePane());
}

TEST(DockingContainer, TabsComeWithTheSecondPaneAndSelectionFollowsRemoval) {
  DockingFixture f;
  CTkDockingPaneObject* a = f.MakePane(1, L"One");
  f.site.DockPane(a, kDockLeft);
  CTkDockingPaneTabbedContainer* container = ContainerOf(a);
  f.Relayout();
  EXPECT_FALSE(container->IsTabsVisible());
  CTkDockingPaneObject* b = f.MakePane(2, L"Two");
  CTkDockingPaneObject* c = f.MakePane(3, L"Three");
  f.site.AttachPane(b, a);
  f.site.AttachPane(c, a);
  f.Relayout();
  EXPECT_TRUE(container->IsTabsVisible());
  EXPECT_EQ(3, container->GetTabCount());
  EXPECT_EQ(c, container->GetSelected());
  EXPECT_TRUE(::IsWindowVisible(c->m_hwndChild));
  EXPECT_FALSE(::IsWindowVisible(a->m_hwndChild));

  container->SelectPane(a, FALSE, FALSE);
  container->RemovePane(a);
  EXPECT_EQ(c, container->GetSelected());
  container->RemovePane(b);
  container->RemovePane(c);
  EXPECT_EQ(nullptr, container->GetSelected());
  EXPECT_EQ(nullptr, container->GetSafeHwnd());
  EXPECT_TRUE(container->IsEmpty());
}

TEST(DockingContainer, TabDragSwapsOncePerCrossing) {
  DockingFixture f;
  CTkDockingPaneObject* a = f.MakePane(1, L"One");
  CTkDockingPaneObject* b = f.MakePane(2, L"Two");
  CTkDockingPaneObject* c = f.MakePane(3, L"Three");
  a->DockingCX = 300;
  f.site.DockPane(a, kDockLeft);
  f.site.AttachPane(b, a);
  f.site.AttachPane(c, a);
  f.Relayout();
  CTkDockingPaneTabbedContainer* container = ContainerOf(a);
  HWND hWnd = container->GetSafeHwnd();
  CRect first = container->GetTab(0)->m_rect;
  CRect second = container->GetTab(1)->m_rect;
  ASSERT_FALSE(first.IsRectEmpty());
  auto ids = [&] {
    std::string text;
    for (CTkDockingPaneObject* pane : container->GetPanes()) text += std::to_string(pane->m_id);
    return text;
  };
  ::SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.left + 3, first.CenterPoint().y));
  EXPECT_EQ(hWnd, ::GetCapture());
  EXPECT_EQ(a, container->GetSelected());
  ::SendMessageW(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(second.left + 2, second.CenterPoint().y));
  EXPECT_EQ("213", ids());
  ::SendMessageW(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(second.CenterPoint().x, second.CenterPoint().y));
  EXPECT_EQ("213", ids());
  ::SendMessageW(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(first.left + 2, first.CenterPoint().y));
  EXPECT_EQ("123", ids());
  ::SendMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(first.left + 2, first.CenterPoint().y));
  EXPECT_EQ(nullptr, ::GetCapture());
  EXPECT_EQ(nullptr, container->m_pTabDragPane);
}

TEST(DockingContainer, DragOutOfTheStripAsksTheFrame) {
  DockingFixture f;
  CTkDockingPaneObject* a = f.MakePane(1, L"One");
  f.site.DockPane(a, kDockLeft);
  f.site.AttachPane(f.MakePane(2, L"Two"), a);
  f.Relayout();
  CTkDockingPaneTabbedContainer* container = ContainerOf(a);
  HWND hWnd = container->GetSafeHwnd();
  CRect tab = container->GetTab(0)->m_rect;
  f.frame->vetoedActions = {kActionDraggingOut};
  ::SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab.left + 3, tab.CenterPoint().y));
  ::SendMessageW(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(tab.left + 3, 10));
  EXPECT_EQ(1, f.CountActions(kActionDraggingOut));
  EXPECT_NE(nullptr, container->m_pTabDragPane);
  f.frame->vetoedActions.clear();
  // The pane goes to the drag's loop, which this Escape ends.
  ::PostMessageW(hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
  ::SendMessageW(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(tab.left + 3, 12));
  EXPECT_EQ(2, f.CountActions(kActionDraggingOut));
  EXPECT_EQ(nullptr, container->m_pTabDragPane);
  EXPECT_EQ(nullptr, ::GetCapture());
}

TEST(DockingContainer, DraggingDataOverATabShowsItsPane) {
  DockingFixture f;
  CTkDockingPaneObject* a = f.MakePane(1, L"One");
  CTkDockingPaneObject* b = f.MakePane(2, L"Two");
  f.site.DockPane(a, kDockLeft);
  f.site.AttachPane(b, a);
  f.Relayout();
  CTkDockingPaneTabbedContainer* container = ContainerOf(a);
  COleDropTarget* target = container->m_pDropTarget;
  ASSERT_EQ(container->GetSafeHwnd(), target->GetRegisteredWindow());
  ASSERT_EQ(b, container->GetSelected());
  CPoint first = container->GetTab(0)->m_rect.CenterPoint();
  EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_NONE), target->OnDragOver(container, nullptr, 0, first));
  EXPECT_EQ(a, container->GetSelected());
  EXPECT_FALSE(target->OnDrop(container, nullptr, DROPEFFECT_COPY, first));
  // The window's last pane goes: the target is revoked with the window.
  container->RemovePane(a);
  container->RemovePane(b);
  EXPECT_EQ(nullptr, target->GetRegisteredWindow());
}

TEST(DockingContainer, CaptionButtonVisibility) {
  DockingFixture f;
  CTkDockingPaneObject* a = f.MakePane(1);
  CTkDockingPaneObject* b = f.MakePane(2);
  f.site.DockPane(a, kDockLeft);
  f.Relayout();
  CTkDockingPaneTabbedContainer* left = ContainerOf(a);
  auto visible = [&](CTkDockingPaneTabbedContainer* container) {
    std::string text;
    for (CTkDockingPaneCaptionButton* button : container->m_captionButtons)
      if (button->IsVisible()) text += std::to_string(button->GetId() - 9900) + " ";
    return text;
  };
  EXPECT_EQ("1 0 ", visible(left));
  a->m_options = kPaneNoClose | kPaneMenuButton;
  EXPECT_EQ("0 9 ", visible(left));
  a->m_options = 0;
  f.site.m_defaultOptions = kPaneNoAutoHide;
  EXPECT_EQ("1 ", visible(left));
  f.site.m_defaultOptions = 0;

  // Maximize needs the setting and two containers in one group.
  f.site.m_bShowMaximizeButtons = TRUE;
  EXPECT_EQ("1 0 ", visible(left));
  f.site.DockPane(b, kDockBottom, a);
  f.Relayout();
  CTkDockingPaneTabbedContainer* below = ContainerOf(b);
  EXPECT_EQ("1 7 0 ", visible(left));
  left->OnCaptionButtonClick(left->FindCaptionButton(kButtonMaximize));
  EXPECT_TRUE(left->IsMaximized());
  EXPECT_EQ("1 8 0 ", visible(left));
  EXPECT_EQ("1 7 0 ", visible(below));
  // The other container collapses to its minimum.
  EXPECT_LT(below->m_paneRect.Height(), 60);
  left->OnCaptionButtonClick(left->FindCaptionButton(kButtonRestore));
  EXPECT_FALSE(left->IsMaximized());
  f.site.m_bShowMaximizeButtons = FALSE;
  EXPECT_EQ("1 0 ", visible(left));
}

TEST(DockingContainer, CloseButtonAsksFirstAndMayCloseAll) {
  for (BOOL closeAll : {FALSE, TRUE}) {
    SCOPED_TRACE(closeAll ? "close all" : "selected only");
    DockingFixture f;
    f.site.m_bCloseAll = closeAll;
    CTkDockingPaneObject* a = f.MakePane(1);
    CTkDockingPaneObject* b = f.MakePane(2);
    CTkDockingPaneObject* c = f.MakePane(3);
    f.site.DockPane(a, kDockLeft);
    f.site.AttachPane(b, a);
    f.site.AttachPane(c, a);
    c->m_options = kPaneNoClose;
    CTkDockingPaneTabbedContainer* container = ContainerOf(a);
    container->SelectPane(b, FALSE, FALSE);
    f.frame->vetoedActions = {kActionClosing};
    container->OnCaptionButtonClick(container->FindCaptionButton(kButtonClose));
    EXPECT_EQ(3u, container->GetPanes().size());
    EXPECT_EQ(0, f.CountActions(kActionClosed));
    f.frame->vetoedActions.clear();
    container->OnCaptionButtonClick(container->FindCaptionButton(kButtonClose));
    EXPECT_EQ(closeAll ? "T(3)" : "T(1,3)", DescribeNode(container));
    EXPECT_EQ(closeAll ? 2 : 1, f.CountActions(kActionClosed));
  }
}

TEST(DockingContainer, HelpHitTestGivesHelpIdOrPaneId) {
  DockingFixture f;
  CTkDockingPaneObject* pane = f.MakePane(200);
  f.site.DockPane(pane, kDockLeft);
  f.Relayout();
  HWND hWnd = ContainerOf(pane)->GetSafeHwnd();
  EXPECT_EQ(200 + 0x20000, ::SendMessageW(hWnd, WM_HELPHITTEST, 0, MAKELPARAM(5, 5)));
  pane->m_helpId = 31;
  EXPECT_EQ(31 + 0x20000, ::SendMessageW(hWnd, WM_HELPHITTEST, 0, MAKELPARAM(5, 5)));
}

// Posts a sequence of mouse and key messages, then runs the press loop.
struct PostedInput {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
struct ClickCase {
  const char* name;
  std::vector<PostedInput> input;
  BOOL expected;
};

TEST(DockingContainer, CaptionButtonPressLoop) {
  DockingFixture f;
  CTkDockingPaneObject* pane = f.MakePane(1);
  f.site.DockPane(pane, kDockLeft);
  f.Relayout();
  CTkDockingPaneTabbedContainer* container = ContainerOf(pane);
  CTkDockingPaneCaptionButton* button = container->FindCaptionButton(kButtonClose);
  container->UpdateWindow();
  CRect rect = button->GetRect();
  ASSERT_FALSE(rect.IsRectEmpty());
  LPARAM inside = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
  LPARAM outside = MAKELPARAM(rect.left - 30, rect.top + 40);
  const ClickCase cases[] = {
      {"release inside", {{WM_LBUTTONUP, 0, inside}}, TRUE},
      {"release outside", {{WM_MOUSEMOVE, MK_LBUTTON, outside}, {WM_LBUTTONUP, 0, outside}}, FALSE},
      {"out and back in",
       {{WM_MOUSEMOVE, MK_LBUTTON, outside},
        {WM_MOUSEMOVE, MK_LBUTTON, inside},
        {WM_LBUTTONUP, 0, inside}},
       TRUE},
      {"escape", {{WM_KEYDOWN, VK_ESCAPE, 0}, {WM_LBUTTONUP, 0, inside}}, FALSE},
      {"right button", {{WM_RBUTTONDOWN, 0, inside}, {WM_LBUTTONUP, 0, inside}}, FALSE},
      {"cancel mode", {{WM_CANCELMODE, 0, 0}, {WM_LBUTTONUP, 0, inside}}, FALSE},
  };
  HWND hWnd = container->GetSafeHwnd();
  for (const ClickCase& c : cases) {
    SCOPED_TRACE(c.name);
    for (const PostedInput& msg : c.input) ::PostMessageW(hWnd, msg.message, msg.wParam, msg.lParam);
    EXPECT_EQ(c.expected, button->Click(container, rect.CenterPoint(), TRUE));
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_FALSE(button->IsPressed());
    MSG leftover;
    while (::PeekMessageW(&leftover, hWnd, 0, 0, PM_REMOVE)) {
    }
  }
  // Another window holds the capture: no press at all.
  ::SetCapture(f.frame->GetSafeHwnd());
  EXPECT_FALSE(button->Click(container, rect.CenterPoint(), TRUE));
  EXPECT_EQ(f.frame->GetSafeHwnd(), ::GetCapture());
  ::ReleaseCapture();
}

TEST(DockingContainer, HotTrackingAsksForOneLeaveNotice) {
  DockingFixture f;
  CTkDockingPaneObject* pane = f.MakePane(1);
  f.site.DockPane(pane, kDockLeft);
  f.Relayout();
  CTkDockingPaneCaptionButton* button = ContainerOf(pane)->FindCaptionButton(kButtonClose);
  ContainerOf(pane)->UpdateWindow();
  CPoint inside = button->GetRect().CenterPoint();
  EXPECT_TRUE(button->OnMouseMove(inside));
  EXPECT_TRUE(button->IsHot());
  EXPECT_FALSE(button->OnMouseMove(inside));
  EXPECT_FALSE(button->OnMouseMove(CPoint(-1, -1)));
  EXPECT_FALSE(button->IsHot());
}

TEST(DockingSplitBar, DragKeepsTheSumAndTheLockStopsIt) {
  DockingFixture f;
  CTkDockingPaneObject* a = f.MakePane(1);
  CTkDockingPaneObject* b = f.MakePane(2);
  a->DockingCX = 120;
  f.site.DockPane(a, kDockLeft);
  f.site.DockPane(b, kDockBottom, a);
  f.Relayout();
  CTkDockingPaneSplitGroup* group = static_cast<CTkDockingPaneSplitGroup*>(a->GetContainer()->GetParentNode());
  ASSERT_EQ(1u, group->m_splitBars.size());
  CTkDockingPaneSplitBar* bar = group->m_splitBars[0];
  EXPECT_TRUE(bar->IsHorizontal());
  CRect track;
  CRect span;
  ASSERT_TRUE(bar->GetTrackRect(track, span));
  CTkDockingPaneNode* first = bar->m_pFirst;
  CTkDockingPaneNode* second = bar->m_pSecond;
  first->DockingCY = first->m_paneRect.Height();
  second->DockingCY = second->m_paneRect.Height();
  int sum = first->DockingCY + second->DockingCY;
  CRect moved;
  bar->GetWindowRect(&moved);
  moved.OffsetRect(0, 50);
  bar->ApplyPosition(moved, span);
  EXPECT_EQ(sum, first->DockingCY + second->DockingCY);
  f.Relayout();
  CRect now;
  bar->GetWindowRect(&now);
  EXPECT_EQ(moved.top, now.top);

  EXPECT_TRUE(bar->CanDrag());
  f.site.m_bLockAutoHideSize = TRUE;
  EXPECT_FALSE(bar->CanDrag());
  HCURSOR before = ::SetCursor(nullptr);
  ::SendMessageW(bar->GetSafeHwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(bar->GetSafeHwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_NE(bar->m_hCursor, ::GetCursor());
  int height = first->DockingCY;
  ::SendMessageW(bar->GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 1));
  EXPECT_EQ(height, first->DockingCY);
  EXPECT_EQ(nullptr, ::GetCapture());
  ::SetCursor(before);
}

// A bar dragged with the line tracker moves once, on release; dragged live
// it moves with every step, and Escape keeps where it got to.
TEST(DockingSplitBar, DraggedByTheTrackerOrLive) {
  struct {
    const char* name;
    BOOL tracker;
    bool released;  // else Escape ends the drag
    int moved;
  } cases[] = {
      {"tracker released", TRUE, true, 30},
      {"tracker cancelled", TRUE, false, 0},
      {"live released", FALSE, true, 30},
      {"live ended by Escape", FALSE, false, 30},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DockingFixture f;
    f.site.m_bResizeWithTracker = c.tracker;
    CTkDockingPaneObject* a = f.MakePane(1);
    f.site.DockPane(a, kDockLeft);
    f.site.DockPane(f.MakePane(2), kDockBottom, a);
    f.Relayout();
    auto* group = static_cast<CTkDockingPaneSplitGroup*>(a->GetContainer()->GetParentNode());
    ASSERT_EQ(1u, group->m_splitBars.size());
    CTkDockingPaneSplitBar* bar = group->m_splitBars[0];
    CTkDockingPaneNode* first = bar->m_pFirst;
    CTkDockingPaneNode* second = bar->m_pSecond;
    int sum = first->m_paneRect.Height() + second->m_paneRect.Height();
    CRect before;
    bar->GetWindowRect(&before);
    HWND hWnd = bar->GetSafeHwnd();
    ::PostMessageW(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 1 + 30));
    if (c.released) ::PostMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 1 + 30));
    else ::PostMessageW(hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    ::SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 1));
    EXPECT_EQ(nullptr, ::GetCapture());
    f.Relayout();
    ASSERT_EQ(1u, group->m_splitBars.size());
    CRect after;
    group->m_splitBars[0]->GetWindowRect(&after);
    EXPECT_EQ(before.top + c.moved, after.top);
    EXPECT_EQ(sum, first->DockingCY + second->DockingCY);
    EXPECT_EQ(sum, first->m_paneRect.Height() + second->m_paneRect.Height());
  }
}

}  // namespace
