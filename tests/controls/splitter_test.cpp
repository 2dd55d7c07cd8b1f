#include <gtest/gtest.h>

#include "pane_splitter.h"
#include "widget_host.h"

namespace {

const UINT kTreeId = 600;
const UINT kPaneId = 601;
const int kWidth = 1000;
const int kHeight = 300;

TEST(SplitterGeometry, LimitsKeepTheMinimumsAndTheLowerOneWins) {
  struct Case {
    int centre, low, high, minLow, minHigh, expected;
  } cases[] = {
      {500, 0, 1000, 180, 620, 380}, {100, 0, 1000, 180, 620, 180}, {300, 0, 1000, 180, 620, 300},
      {300, 0, 700, 180, 620, 180},  // narrower than both: at the left minimum
      {50, 0, 300, 90, 110, 90},      {280, 0, 300, 90, 110, 190},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LimitSplit(c.centre, c.low, c.high, c.minLow, c.minHigh), c.expected) << c.centre;
  SplitLayout vertical = VerticalSplitLayout(CRect(0, 0, 1000, 300), 362, 5);
  EXPECT_EQ(vertical.first, CRect(0, 0, 360, 300));
  EXPECT_EQ(vertical.second, CRect(365, 0, 1000, 300));
  EXPECT_EQ(vertical.bar, CRect(357, 0, 367, 300));
  SplitLayout horizontal = HorizontalSplitLayout(CRect(0, 0, 400, 300), 78, 5);
  EXPECT_EQ(horizontal.second, CRect(0, 80, 400, 300));
  EXPECT_EQ(horizontal.first, CRect(0, 0, 400, 75));
  EXPECT_EQ(horizontal.bar, CRect(0, 73, 400, 83));
}

// A splitter of the wizard's kind (id 157, minimums 180 and 620) over a
// tree and a pane, with its profile under this test's own key.
class Splitter : public ::testing::Test {
 protected:
  void SetUp() override {
    TheTestApp().SetRegistryKey(KeyOfThisTest(L"Mulvara Controls Tests"));
    ClearProfile();
    CreatePanes();
  }
  void TearDown() override {
    if (splitter.m_hWnd != nullptr) splitter.DestroyWindow();
    ClearProfile();
  }
  void ClearProfile() {
    TheTestApp().WriteProfileString(CPaneSplitter::VerticalSection(157), nullptr, nullptr);
    TheTestApp().WriteProfileString(CPaneSplitter::HorizontalSection(181), nullptr, nullptr);
  }
  void CreatePanes() {
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, CRect(), &host, kTreeId));
    ASSERT_TRUE(pane.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, CRect(), &host, kPaneId));
  }
  void CreateVertical() {
    ASSERT_TRUE(splitter.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kSplitVertical, &host, &tree, &pane, 157,
                                CRect(0, 0, kWidth, kHeight), 180, 620));
  }
  void Press(CPoint point) { splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y)); }
  void Move(CPoint point) { splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(point.x, point.y)); }
  void Release(CPoint point) { splitter.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y)); }

  WidgetHost host{RGB(255, 255, 255), CLR_NONE, kWidth, kHeight};
  CEdit tree;
  CEdit pane;
  CPaneSplitter splitter;
};

TEST_F(Splitter, FirstUsePutsTheEdgeAtTwiceTheMinimumAndKeepsItsPaneOwners) {
  CreateVertical();
  EXPECT_TRUE(splitter.GetStyle() & SS_NOTIFY);
  EXPECT_EQ(tree.GetParent(), &splitter);
  EXPECT_EQ(::GetWindow(tree.m_hWnd, GW_OWNER), nullptr);
  EXPECT_EQ(tree.GetOwner(), &host) << "notifications still reach the owner";
  EXPECT_EQ(ChildRect(&splitter, &tree), CRect(0, 0, 360, kHeight));
  EXPECT_EQ(ChildRect(&splitter, &pane), CRect(365, 0, kWidth, kHeight));
  // Resizing keeps the left width; the second pane takes the change.
  splitter.MoveWindow(0, 0, 1100, kHeight);
  EXPECT_EQ(ChildRect(&splitter, &tree).right, 360);
  EXPECT_EQ(ChildRect(&splitter, &pane), CRect(365, 0, 1100, kHeight));
  // Narrower than both minimums: the bar sits at the left minimum.
  splitter.MoveWindow(0, 0, 500, kHeight);
  EXPECT_EQ(ChildRect(&splitter, &tree).right, 178);
}

TEST_F(Splitter, DraggingPastTheLimitStopsAtTheSecondMinimum) {
  CreateVertical();
  Press(CPoint(361, 50));
  EXPECT_TRUE(splitter.IsDragging());
  EXPECT_EQ(::GetCapture(), splitter.m_hWnd);
  EXPECT_EQ(::GetFocus(), splitter.m_hWnd);
  Move(CPoint(900, 50));
  Release(CPoint(950, 50));
  EXPECT_FALSE(splitter.IsDragging());
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(ChildRect(&splitter, &tree).right, kWidth - 620 - 2);
  EXPECT_EQ(ChildRect(&splitter, &pane).left, kWidth - 620 + 3);
  // Pressing outside the gap starts nothing.
  Press(CPoint(100, 50));
  EXPECT_FALSE(splitter.IsDragging());
}

TEST_F(Splitter, EscapeOrALostCaptureEndsTheDragWithThePanesAsTheyWere) {
  CreateVertical();
  pane.SetFocus();
  Press(CPoint(360, 50));
  Move(CPoint(500, 50));
  MSG escape = {splitter.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
  EXPECT_TRUE(splitter.PreTranslateMessage(&escape));
  EXPECT_FALSE(splitter.IsDragging());
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(::GetFocus(), pane.m_hWnd) << "the focus goes back";
  Release(CPoint(500, 50));
  EXPECT_EQ(ChildRect(&splitter, &tree).right, 360);

  Press(CPoint(360, 50));
  Move(CPoint(500, 50));
  host.SetCapture();  // another window takes the mouse
  EXPECT_FALSE(splitter.IsDragging());
  ::ReleaseCapture();
  Release(CPoint(500, 50));
  EXPECT_EQ(ChildRect(&splitter, &tree).right, 360);
}

TEST_F(Splitter, AHiddenFirstPaneCannotBeDraggedAndComesBackInPlace) {
  CreateVertical();
  splitter.HideFirstPane();
  EXPECT_TRUE(splitter.IsFirstPaneHidden());
  EXPECT_FALSE(tree.IsWindowVisible());
  EXPECT_EQ(ChildRect(&splitter, &pane), CRect(0, 0, kWidth, kHeight));
  Press(CPoint(361, 50));
  EXPECT_FALSE(splitter.IsDragging());
  splitter.MoveWindow(0, 0, 800, kHeight);
  EXPECT_EQ(ChildRect(&splitter, &pane), CRect(0, 0, 800, kHeight));
  splitter.ShowFirstPane();
  EXPECT_TRUE(tree.IsWindowVisible());
  EXPECT_EQ(ChildRect(&splitter, &tree).right, 360);
  EXPECT_EQ(ChildRect(&splitter, &pane).left, 365);
}

TEST_F(Splitter, PositionsAreKeptPerSplitterIdAcrossCreations) {
  CreateVertical();
  Press(CPoint(361, 50));
  Release(CPoint(302, 50));
  EXPECT_EQ(ChildRect(&splitter, &tree).right, 300);
  splitter.DestroyWindow();
  EXPECT_EQ(TheTestApp().GetProfileInt(L"splt\\init_v157", L"VertSplitPos", 0), 300u);
  // The panes went with the splitter: make them again, then the splitter.
  CreatePanes();
  CreateVertical();
  EXPECT_EQ(ChildRect(&splitter, &tree).right, 300);
  splitter.DestroyWindow();

  // The results page's horizontal splitter keeps the bottom height.
  CreatePanes();
  ASSERT_TRUE(splitter.Create(WS_CHILD | WS_VISIBLE | kSplitHorizontal, &host, &tree, &pane, 181,
                              CRect(0, 0, 400, kHeight), 90, 110));
  EXPECT_EQ(ChildRect(&splitter, &pane), CRect(0, kHeight - 220, 400, kHeight));
  EXPECT_EQ(ChildRect(&splitter, &tree), CRect(0, 0, 400, kHeight - 225));
  Press(CPoint(50, kHeight - 222));
  Release(CPoint(50, 150));
  EXPECT_EQ(ChildRect(&splitter, &pane).top, 152);
  splitter.DestroyWindow();
  EXPECT_EQ(TheTestApp().GetProfileInt(L"splt\\init_h181", L"HorizSplitPos", 0), static_cast<UINT>(kHeight - 152));
}

}  // namespace
