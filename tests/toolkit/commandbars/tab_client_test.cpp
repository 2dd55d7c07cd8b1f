// The MDI client as tab strips: children stripped of their frames with one
// tab each, the group commands and when they are offered, moving tabs
// between groups, the sizes of a new group, the splitter's shares and the
// border and splitters drawn on the screen.
// MDI activation moves the focus, so these run alone.
#include <gtest/gtest.h>

#include <vector>

#include "control_lists.h"
#include "tab_painter.h"
#include "tab_palette.h"
#include "tab_client_wnd.h"
#include "test_app.h"
#include "../test_resources.h"

namespace {

class TabClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new CMDIFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Tab client test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 640, 440),
                              nullptr, MAKEINTRESOURCEW(IDM_TK_TEST_TOOLS)));
    frame->RecalcLayout();
    ASSERT_TRUE(client.Attach(frame));
  }
  void TearDown() override {
    frame->DestroyWindow();
    PumpPending();
  }
  HWND AddChild(LPCWSTR title) {
    auto* child = new CMDIChildWnd;
    if (!child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, frame))
      return nullptr;
    child->MDIActivate();
    PumpPending();
    return child->GetSafeHwnd();
  }
  std::vector<int> TabCounts() const {
    std::vector<int> counts;
    for (int i = 0; i < client.GetGroupCount(); ++i) counts.push_back(client.GetGroup(i)->GetTabCount());
    return counts;
  }
  std::vector<bool> Enabled() const {
    std::vector<bool> enabled;
    for (UINT id : {kIdMoveToPreviousGroup, kIdMoveToNextGroup, kIdNewHorizontalGroup, kIdNewVerticalGroup})
      enabled.push_back(client.IsGroupCommandEnabled(id) != FALSE);
    return enabled;
  }

  CMDIFrameWnd* frame = nullptr;
  CTkTabClientWnd client;
};

TEST_F(TabClientTest, EveryChildLosesItsFrameAndGetsOneTab) {
  const HWND first = AddChild(L"First");
  const HWND second = AddChild(L"Second");
  ASSERT_NE(nullptr, second);
  for (HWND child : {first, second}) {
    const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
    EXPECT_EQ(0, style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(0, ::GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    CTkTabManagerItem* tab = client.FindTab(child);
    ASSERT_NE(nullptr, tab);
    EXPECT_EQ(child, CTkTabClientGroup::ChildOf(tab));
  }
  EXPECT_EQ(nullptr, client.FindTab(frame->GetSafeHwnd()));
  EXPECT_EQ(std::vector<int>({2}), TabCounts());
  EXPECT_EQ(CString(L"Second"), client.GetGroup(0)->GetTabCaption(client.FindTab(second)));
  // The active child fills the room under the strip.
  CRect area;
  ::GetWindowRect(second, &area);
  client.ScreenToClient(&area);
  EXPECT_EQ(client.GetGroup(0)->m_clientRect, area);

  ::SendMessageW(client.GetSafeHwnd(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(second), 0);
  PumpPending();
  EXPECT_EQ(nullptr, client.FindTab(second));
  EXPECT_EQ(std::vector<int>({1}), TabCounts());
}

TEST_F(TabClientTest, GroupCommandsAreOfferedByTheActiveTabsPlace) {
  AddChild(L"One");
  AddChild(L"Two");
  const HWND three = AddChild(L"Three");
  const struct {
    UINT run;  // 0: none
    std::vector<int> tabs;
    std::vector<bool> enabled;  // previous, next, below, right
  } steps[] = {
      {0, {3}, {false, false, true, true}},
      // The active tab goes to a new group on the right.
      {kIdNewVerticalGroup, {2, 1}, {true, false, false, false}},
      {kIdMoveToPreviousGroup, {3}, {false, false, true, true}},
      {kIdNewHorizontalGroup, {2, 1}, {true, false, false, false}},
  };
  for (const auto& step : steps) {
    if (step.run != 0) {
      EXPECT_TRUE(client.RunGroupCommand(step.run)) << step.run;
    }
    EXPECT_EQ(step.tabs, TabCounts()) << step.run;
    EXPECT_EQ(step.enabled, Enabled()) << step.run;
    EXPECT_NE(nullptr, client.FindTab(three));
  }
  EXPECT_TRUE(client.IsStackedVertically());
  // Refused commands change nothing.
  EXPECT_FALSE(client.RunGroupCommand(kIdMoveToNextGroup));
  EXPECT_EQ(std::vector<int>({2, 1}), TabCounts());
  // The moved tab's child is the selected tab of its group.
  EXPECT_EQ(client.FindTab(three), client.GetGroup(1)->GetSelectedTab());
}

TEST_F(TabClientTest, ANewGroupTakesHalfTheRoomLessTheSplitter) {
  AddChild(L"One");
  AddChild(L"Two");
  CRect room;
  client.GetClientRect(&room);
  ASSERT_TRUE(client.RunGroupCommand(kIdNewVerticalGroup));
  ASSERT_EQ(2, client.GetGroupCount());
  const int splitter = client.GetSplitterWidth();
  const int created = (room.Width() - splitter) / 2;
  EXPECT_NEAR(created, client.GetGroup(1)->m_rect.Width(), 1);
  EXPECT_NEAR(room.Width() - created - splitter, client.GetGroup(0)->m_rect.Width(), 1);
  EXPECT_EQ(client.GetGroup(0)->m_rect.right, client.GetGroup(0)->m_splitter.left);
  EXPECT_EQ(client.GetGroup(0)->m_splitter.right, client.GetGroup(1)->m_rect.left);

  // Dragging the splitter to a quarter of the way.
  CRect area;
  area.UnionRect(&client.GetGroup(0)->m_rect, &client.GetGroup(1)->m_rect);
  client.MoveSplitter(0, CPoint(area.left + area.Width() / 4, 10), area);
  EXPECT_NEAR((area.Width()) / 4, client.GetGroup(0)->m_rect.Width(), 1);
  EXPECT_EQ(room.Width(), client.GetGroup(0)->m_rect.Width() + splitter + client.GetGroup(1)->m_rect.Width());
}

TEST_F(TabClientTest, TheClientHasTheTabBorderAndEachSplitterIsDrawnAlongItsGroups) {
  AddChild(L"One");
  AddChild(L"Two");
  AddChild(L"Three");
  const COLORREF border = client.GetTabPainter()->GetColorSet()->m_border;
  const COLORREF face = client.GetTabPainter()->GetColorSet()->m_face;
  ASSERT_NE(border, face);
  const struct {
    UINT command;
    bool stacked;
  } cases[] = {{kIdNewVerticalGroup, false}, {kIdNewHorizontalGroup, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stacked ? "stacked" : "side by side");
    if (client.GetGroupCount() > 1) {
      ASSERT_TRUE(client.RunGroupCommand(kIdMoveToPreviousGroup));
    }
    ASSERT_TRUE(client.RunGroupCommand(c.command));
    ASSERT_EQ(2, client.GetGroupCount());
    ASSERT_EQ(c.stacked, client.IsStackedVertically() != FALSE);
    client.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpPending();

    // The border: the window's frame outside the client edge.
    CRect window;
    client.GetWindowRect(&window);
    CRect inner;
    client.GetClientRect(&inner);
    client.ClientToScreen(&inner);
    EXPECT_EQ(window.left + 1 + ::GetSystemMetrics(SM_CXEDGE), inner.left);
    EXPECT_EQ(window.bottom - 1 - ::GetSystemMetrics(SM_CYEDGE), inner.bottom);
    CWindowDC frameDC(&client);
    const CPoint edges[] = {CPoint(0, 0), CPoint(window.Width() - 1, window.Height() / 2),
                            CPoint(window.Width() / 2, window.Height() - 1)};
    for (CPoint at : edges)
      EXPECT_EQ(border, frameDC.GetPixel(at)) << at.x << "," << at.y;
    EXPECT_EQ(face, frameDC.GetPixel(1, window.Height() / 2));

    // The splitter: the face between two border lines along the groups.
    const CRect splitter = client.GetGroup(0)->m_splitter;
    ASSERT_FALSE(splitter.IsRectEmpty());
    CClientDC dc(&client);
    const CPoint middle = splitter.CenterPoint();
    EXPECT_EQ(face, dc.GetPixel(middle));
    if (c.stacked) {
      EXPECT_EQ(border, dc.GetPixel(middle.x, splitter.top));
      EXPECT_EQ(border, dc.GetPixel(middle.x, splitter.bottom - 1));
    } else {
      EXPECT_EQ(border, dc.GetPixel(splitter.left, middle.y));
      EXPECT_EQ(border, dc.GetPixel(splitter.right - 1, middle.y));
    }
  }
}

TEST(TabClientSplitter, TheTwoGroupsShareTheirRoomAsThePositionSays) {
  const struct {
    double first, second;
    int position, start, end;
    double wantFirst, wantSecond;
  } cases[] = {
      {100, 100, 50, 0, 205, 50, 150},
      {100, 100, 0, 0, 205, 0, 200},
      {300, 100, 310, 10, 410, 303.75, 96.25},
  };
  for (const auto& c : cases) {
    double first = c.first;
    double second = c.second;
    SplitGroupExtents(5, first, second, c.position, c.start, c.end);
    EXPECT_DOUBLE_EQ(c.wantFirst, first) << c.position;
    EXPECT_DOUBLE_EQ(c.wantSecond, second) << c.position;
  }
}

}  // namespace
