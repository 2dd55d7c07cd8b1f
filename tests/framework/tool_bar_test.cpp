#include <gtest/gtest.h>

#include "framework.h"
#include "test_app.h"
#include "test_resources.h"

namespace {

class ToolFrame : public CFrameWnd {
 public:
  CToolBar toolBar;
  CWnd pane;
  int runs = 0;

 protected:
  void OnRun() { ++runs; }
  void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
  void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ToolFrame, CFrameWnd)
  ON_COMMAND(ID_TEST_TOOL_RUN, OnRun)
  ON_COMMAND(ID_TEST_TOOL_CHECKED, OnRun)
  ON_COMMAND(ID_TEST_TOOL_DISABLED, OnRun)
  ON_UPDATE_COMMAND_UI(ID_TEST_TOOL_CHECKED, OnUpdateChecked)
  ON_UPDATE_COMMAND_UI(ID_TEST_TOOL_DISABLED, OnUpdateDisabled)
END_MESSAGE_MAP()

// The button's rectangle in the frame's client coordinates.
CRect ButtonRect(CFrameWnd* pFrame, CToolBar& bar, int nIndex) {
  CRect rect;
  bar.GetItemRect(nIndex, &rect);
  bar.MapWindowPoints(pFrame, &rect);
  return rect;
}

BYTE ButtonState(CToolBar& bar, UINT nID) { return static_cast<BYTE>(bar.SendMessage(TB_GETSTATE, nID)); }

// A frame with a tool bar and a pane that takes the rest.
class ToolBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new ToolFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"Tool bar test", WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
    ASSERT_TRUE(frame->pane.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_PANE_FIRST));
  }
  void TearDown() override {
    if (TheTestApp().m_pMainWnd == frame) TheTestApp().m_pMainWnd = nullptr;
    frame->DestroyWindow();
  }
  void CreateBar(DWORD dwAlign) {
    ASSERT_TRUE(frame->toolBar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | dwAlign, CRect(2, 1, 2, 1)));
    ASSERT_TRUE(frame->toolBar.LoadToolBar(IDR_TEST_TOOLBAR));
    frame->RecalcLayout();
  }
  void ExpectTheLoadedBar() {
    struct Item {
      UINT id;
      int image;  // -1 for a separator
    } items[] = {{ID_TEST_TOOL_RUN, 0},     {ID_SEPARATOR, -1}, {ID_TEST_TOOL_CHECKED, 1},
                 {ID_TEST_TOOL_DISABLED, 2}, {ID_SEPARATOR, -1}, {ID_TEST_TOOL_UNHANDLED, 3}};
    CToolBar& bar = frame->toolBar;
    ASSERT_EQ(bar.GetCount(), 6);
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(bar.GetItemID(i), items[i].id) << i;
      TBBUTTON button = {};
      bar.SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
      EXPECT_EQ((button.fsStyle & TBSTYLE_SEP) != 0, items[i].image == -1) << i;
      if (items[i].image != -1) {
        EXPECT_EQ(button.iBitmap, items[i].image) << i;
        EXPECT_EQ(bar.CommandToIndex(items[i].id), i);
      }
    }
    EXPECT_EQ(bar.CommandToIndex(9999), -1);
    EXPECT_EQ(bar.GetItemID(6), static_cast<UINT>(ID_SEPARATOR));
  }
  ToolFrame* frame = nullptr;
};

TEST_F(ToolBarTest, LoadsButtonsSeparatorsAndPicturesFromTheResource) {
  CreateBar(CBRS_TOP);
  ExpectTheLoadedBar();
  CToolBar& bar = frame->toolBar;
  EXPECT_EQ(bar.GetBarStyle(), static_cast<DWORD>(CBRS_TOP));
  EXPECT_TRUE(bar.GetStyle() & TBSTYLE_FLAT);
  EXPECT_EQ(bar.m_sizeImage, CSize(16, 16));
  EXPECT_EQ(bar.m_sizeButton, CSize(23, 23));
  HIMAGELIST pictures = reinterpret_cast<HIMAGELIST>(bar.SendMessage(TB_GETIMAGELIST));
  ASSERT_NE(pictures, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(pictures), 4);
  CRect button;
  bar.GetItemRect(0, &button);
  EXPECT_EQ(button.Size(), CSize(23, 23));
  EXPECT_EQ(frame->GetControlBar(AFX_IDW_TOOLBAR), &bar);

  // A new bitmap replaces the pictures; a missing one leaves them.
  EXPECT_FALSE(bar.LoadBitmap(4199));
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(bar.SendMessage(TB_GETIMAGELIST)), pictures);
  EXPECT_TRUE(bar.LoadBitmap(IDR_TEST_TOOLBAR_EMPTY));
  EXPECT_NE(reinterpret_cast<HIMAGELIST>(bar.SendMessage(TB_GETIMAGELIST)), nullptr);
}

TEST_F(ToolBarTest, MalformedOrMissingResourcesFailAndKeepTheBar) {
  CreateBar(CBRS_TOP);
  struct Case {
    UINT id;
    const char* fault;
  } cases[] = {
      {IDR_TEST_TOOLBAR_OVERRUN, "count runs past the end"},
      {IDR_TEST_TOOLBAR_EMPTY, "no buttons"},
      {IDR_TEST_TOOLBAR_NO_BITMAP, "no bitmap"},
      {IDR_TEST_TOOLBAR_TOO_MANY, "more buttons than pictures"},
      {IDR_TEST_TOOLBAR_VERSION, "unknown version"},
      {IDR_TEST_TOOLBAR_SHORT, "header cut short"},
      {4199, "no resource"},
  };
  HIMAGELIST pictures = reinterpret_cast<HIMAGELIST>(frame->toolBar.SendMessage(TB_GETIMAGELIST));
  for (const Case& c : cases) {
    EXPECT_FALSE(frame->toolBar.LoadToolBar(c.id)) << c.fault;
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(frame->toolBar.SendMessage(TB_GETIMAGELIST)), pictures) << c.fault;
  }
  ExpectTheLoadedBar();
  EXPECT_EQ(frame->toolBar.m_sizeButton, CSize(23, 23));
}

TEST_F(ToolBarTest, TakesItsPlaceInTheFrameLayout) {
  CreateBar(CBRS_TOP);
  CToolBar& bar = frame->toolBar;
  for (CSize size : {CSize(400, 300), CSize(640, 480), CSize(250, 160)}) {
    frame->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    CRect client;
    frame->GetClientRect(&client);
    CRect top = ChildRect(frame, &bar);
    EXPECT_EQ(top.TopLeft(), CPoint(0, 0)) << size.cx;
    EXPECT_EQ(top.right, client.right) << size.cx;
    // Room for the buttons and the borders, no more.
    EXPECT_GE(top.Height(), 23 + 1 + 1 + 2) << size.cx;
    EXPECT_LE(top.Height(), 23 + 1 + 1 + 2 + 4) << size.cx;
    EXPECT_EQ(ChildRect(frame, &frame->pane), CRect(0, top.bottom, client.right, client.bottom)) << size.cx;
    // The first button sits inside the bar.
    CRect first = ButtonRect(frame, bar, 0);
    CRect inside = top;
    inside.DeflateRect(2, 1, 2, 3);
    EXPECT_TRUE(first.left >= inside.left && first.top >= inside.top && first.bottom <= inside.bottom)
        << first.left << "," << first.top << "," << first.bottom;
  }

  // Along the left edge the buttons make a column.
  frame->SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
  bar.SetBarStyle(CBRS_LEFT);
  frame->RecalcLayout();
  CRect client;
  frame->GetClientRect(&client);
  CRect left = ChildRect(frame, &bar);
  EXPECT_EQ(left.TopLeft(), CPoint(0, 0));
  EXPECT_EQ(left.bottom, client.bottom);
  EXPECT_GE(left.Width(), 23);
  EXPECT_LE(left.Width(), 23 + 2 + 2 + 2 + 4);
  EXPECT_EQ(ChildRect(frame, &frame->pane), CRect(left.right, 0, client.right, client.bottom));
  int below = 0;
  for (int i = 0; i < bar.GetCount(); ++i) {
    CRect item = ButtonRect(frame, bar, i);
    EXPECT_GE(item.top, below) << i;
    EXPECT_LE(item.right, left.right) << i;
    below = item.bottom;
  }
  EXPECT_LE(below, client.bottom);

  // Hidden, it gives its room back to the pane.
  frame->ShowControlBar(&bar, FALSE, FALSE);
  EXPECT_EQ(ChildRect(frame, &frame->pane), client);
}

TEST_F(ToolBarTest, IdleTimeFollowsTheUpdateHandlersAndClicksRunCommands) {
  CreateBar(CBRS_TOP);
  CToolBar& bar = frame->toolBar;
  frame->ShowWindow(SW_SHOWNA);
  TheTestApp().m_pMainWnd = frame;
  TheTestApp().OnIdle(0);
  struct Expected {
    UINT id;
    BYTE state;
  } expected[] = {
      {ID_TEST_TOOL_RUN, TBSTATE_ENABLED},
      {ID_TEST_TOOL_CHECKED, TBSTATE_ENABLED | TBSTATE_CHECKED},
      {ID_TEST_TOOL_DISABLED, 0},
      {ID_TEST_TOOL_UNHANDLED, 0},
  };
  for (const Expected& e : expected)
    EXPECT_EQ(ButtonState(bar, e.id) & (TBSTATE_ENABLED | TBSTATE_CHECKED), e.state) << e.id;

  // A click on an enabled button reaches the frame; a disabled one does nothing.
  for (UINT id : {ID_TEST_TOOL_RUN, ID_TEST_TOOL_DISABLED}) {
    CRect item;
    bar.GetItemRect(bar.CommandToIndex(id), &item);
    LPARAM point = MAKELPARAM(item.CenterPoint().x, item.CenterPoint().y);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, point);
    bar.SendMessage(WM_LBUTTONUP, 0, point);
    PumpPending();
  }
  EXPECT_EQ(frame->runs, 1);
}

}  // namespace
