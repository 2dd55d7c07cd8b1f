// The MDI frame and child: the client takes what the bars leave, the
// active child and its maximized state, command routing through the
// active child, and children that end through their client.
#include <gtest/gtest.h>

#include "framework.h"
#include "test_app.h"
#include "test_resources.h"

namespace {

// A bar along the top, of fixed height.
class TopBar : public CControlBar {
 public:
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? CSize(32767, 20) : CSize(20, 32767); }
};

class CountingChild : public CMDIChildWnd {
 public:
  int commands = 0;

 protected:
  void OnFrameCommand() { ++commands; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingChild, CMDIChildWnd)
  ON_COMMAND(ID_TEST_FRAMECMD, OnFrameCommand)
END_MESSAGE_MAP()

TEST(MDIFrame, ClientTakesTheRestAndTheActiveChildGetsCommands) {
  auto* frame = new CMDIFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, L"MDI", WS_POPUP | WS_VISIBLE, CRect(20, 20, 420, 320)));
  ASSERT_NE(nullptr, frame->m_hWndMDIClient);
  EXPECT_EQ(AFX_IDW_PANE_FIRST, ::GetDlgCtrlID(frame->m_hWndMDIClient));
  auto* bar = new TopBar;
  ASSERT_TRUE(bar->Create(nullptr, L"", WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 0, 0, 0), frame, 0xE881));
  frame->RecalcLayout();
  CRect client;
  frame->GetClientRect(&client);
  EXPECT_EQ(CRect(0, 20, client.right, client.bottom),
            ChildRect(frame, CWnd::FromHandle(frame->m_hWndMDIClient)));

  EXPECT_EQ(nullptr, frame->MDIGetActive());
  EXPECT_EQ(frame, frame->GetActiveFrame());
  auto* child = new CountingChild;
  ASSERT_TRUE(child->Create(nullptr, L"Child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                            frame));
  struct Case {
    bool maximize;
  } cases[] = {{false}, {true}, {false}};
  for (const Case& c : cases) {
    if (c.maximize)
      child->MDIMaximize();
    else
      child->MDIRestore();
    BOOL maximized = !c.maximize;
    EXPECT_EQ(child, frame->MDIGetActive(&maximized));
    EXPECT_EQ(c.maximize, maximized != FALSE);
  }
  EXPECT_EQ(child, frame->GetActiveFrame());
  frame->SendMessage(WM_COMMAND, ID_TEST_FRAMECMD);
  EXPECT_EQ(1, child->commands);

  // The child ends through the client; the frame stays.
  child->DestroyWindow();
  EXPECT_EQ(nullptr, frame->MDIGetActive());
  EXPECT_TRUE(::IsWindow(frame->m_hWnd));
  frame->DestroyWindow();
}

}  // namespace
