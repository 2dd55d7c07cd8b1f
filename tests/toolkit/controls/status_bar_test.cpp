#include <gtest/gtest.h>

#include <vector>

#include "controls_test_resources.h"
#include "dib_canvas.h"
#include "status_bar.h"
#include "test_app.h"
#include "test_painter.h"

namespace {

// Records what the bar asks of the paint manager and draws as the base does.
class RecordingPainter : public TestPainter {
 public:
  void DrawStatusBarPane(CDC* pDC, CRect rect, CTkStatusPaneInfo* pane) override {
    paneStyles.push_back(pane->GetStyle());
    TestPainter::DrawStatusBarPane(pDC, rect, pane);
  }
  void DrawStatusBarPaneBorder(CDC* pDC, CRect rect, BOOL last) override {
    lastFlags.push_back(last);
    TestPainter::DrawStatusBarPaneBorder(pDC, rect, last);
  }
  void DrawStatusBarGripper(CDC* pDC, int left, int top, int right, int bottom) override {
    ++grippers;
    TestPainter::DrawStatusBarGripper(pDC, left, top, right, bottom);
  }
  void Clear() {
    paneStyles.clear();
    lastFlags.clear();
    grippers = 0;
  }
  std::vector<UINT> paneStyles;
  std::vector<BOOL> lastFlags;
  int grippers = 0;
};

// An owner with update handlers of its own: enabling, checking and texts.
class HandlerOwner : public CFrameWnd {
 public:
  void OnUpdateNum(CCmdUI* pCmdUI) {
    pCmdUI->Enable(FALSE);
    pCmdUI->SetCheck(1);
  }
  void OnUpdateScrl(CCmdUI* pCmdUI) { pCmdUI->SetText(L"LOCK"); }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(HandlerOwner, CFrameWnd)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateNum)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateScrl)
END_MESSAGE_MAP()

const UINT kFrameIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

// A sizable frame with the main frame's bar and panes.
class StatusBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    painter = new RecordingPainter;
    SetCurrentBarPainter(painter);
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Status bar test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 640, 400)));
    ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
    ASSERT_TRUE(bar.CreatePanesFromIds(kFrameIndicators, 4));
    frame->RecalcLayout();
    PumpPending();
  }
  void TearDown() override {
    if (frame != nullptr && ::IsWindow(frame->m_hWnd)) frame->DestroyWindow();
    PumpPending();
    ReleaseCurrentBarPainter();
  }
  std::vector<int> Parts() {
    int edges[16] = {};
    int count = static_cast<int>(bar.SendMessage(SB_GETPARTS, 16, reinterpret_cast<LPARAM>(edges)));
    return std::vector<int>(edges, edges + count);
  }
  // Draws the bar as it paints itself.
  void DrawInto(DibCanvas& canvas) {
    canvas.Fill(RGB(1, 2, 3));
    painter->Clear();
    bar.DrawBar(&canvas.dc);
  }
  CRect BarClient() {
    CRect client;
    bar.GetClientRect(&client);
    return client;
  }

  RecordingPainter* painter = nullptr;
  CFrameWnd* frame = nullptr;
  CTkStatusBar bar;
};

TEST(StatusBarLayout, SpareWidthGoesToTheStretchingPanes) {
  struct Case {
    const char* name;
    std::vector<CTkPaneSpan> panes;
    int inside;
    int borders[3];
    std::vector<int> edges;
  };
  const Case cases[] = {
      {"message pane and three indicators",
       {{100, TRUE, TRUE}, {20, TRUE, FALSE}, {25, TRUE, FALSE}, {25, TRUE, FALSE}},
       500,
       {0, 2, 2},
       {406, 434, 467, 500}},
      {"two stretching panes share 7 as 3 and 4", {{10, TRUE, TRUE}, {10, TRUE, TRUE}}, 39, {0, 0, 0}, {19, 39}},
      {"no spare width", {{10, TRUE, TRUE}, {10, TRUE, TRUE}}, 32, {0, 0, 0}, {16, 32}},
      {"too little width keeps the content width", {{10, TRUE, TRUE}, {10, TRUE, FALSE}}, 20, {0, 0, 0}, {16, 32}},
      {"an invisible pane takes no room", {{10, TRUE, TRUE}, {50, FALSE, TRUE}, {10, TRUE, FALSE}}, 40, {0, 0, 0},
       {24, 40}},
      {"the left border moves every edge", {{10, TRUE, FALSE}}, 30, {4, 0, 0}, {20}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.edges, CalcPaneRightEdges(c.panes, c.inside, c.borders)) << c.name;
}

TEST_F(StatusBarTest, MessagePaneFillsWhatTheIndicatorsLeave) {
  int borders[3] = {};
  bar.SendMessage(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
  CRect inside;
  bar.GetWindowRect(&inside);
  inside.OffsetRect(-inside.left, -inside.top);
  const int windowWidth = inside.Width();
  bar.CalcInsideRect(inside, TRUE);
  // The frame has a sizing border: room is left for the grip.
  EXPECT_LT(inside.right, windowWidth);

  std::vector<int> parts = Parts();
  ASSERT_EQ(4u, parts.size());
  EXPECT_EQ(inside.Width(), parts[3]);
  for (int i = 1; i < 4; ++i)
    EXPECT_EQ(bar.GetPane(i)->m_cxText + 6 + borders[2], parts[i] - parts[i - 1]) << "indicator " << i;
  EXPECT_GT(bar.GetPane(1)->m_cxText, 0);
  EXPECT_EQ(SBPS_STRETCH | SBPS_NOBORDERS, bar.GetPaneStyle(0));

  // "SCRL" does not stretch: its rectangle ends with its content.
  CRect last;
  bar.GetItemRect(3, &last);
  EXPECT_EQ(last.left + bar.GetPane(3)->m_cxText + 3 * ::GetSystemMetrics(SM_CXEDGE), last.right);
  CRect missing;
  bar.GetItemRect(4, &missing);
  EXPECT_TRUE(missing.IsRectEmpty());

  EXPECT_GE(bar.CalcFixedLayout(TRUE, TRUE).cy, 20);
  EXPECT_EQ(20, bar.GetMinHeight());
  CRect window;
  bar.GetWindowRect(&window);
  EXPECT_EQ(bar.CalcFixedLayout(TRUE, TRUE).cy, window.Height());
}

TEST_F(StatusBarTest, GripOnlyWhileTheParentCanBeSized) {
  CRect client = BarClient();
  DibCanvas canvas(client.Width(), client.Height());
  DrawInto(canvas);
  EXPECT_EQ(1, painter->grippers);
  // Borders for the three indicators, the last one marked as last.
  EXPECT_EQ((std::vector<BOOL>{FALSE, FALSE, TRUE}), painter->lastFlags);
  EXPECT_EQ(painter->GetColor(COLOR_BTNSHADOW), canvas.Pixel(client.Width() - 3, client.Height() - 2));

  frame->ShowWindow(SW_MAXIMIZE);
  frame->RecalcLayout();
  PumpPending();
  CRect inside;
  bar.GetWindowRect(&inside);
  inside.OffsetRect(-inside.left, -inside.top);
  const int width = inside.Width();
  bar.CalcInsideRect(inside, TRUE);
  EXPECT_EQ(width, inside.right);
  EXPECT_EQ(width, Parts().back());
  CRect maximised = BarClient();
  DibCanvas full(maximised.Width(), maximised.Height());
  DrawInto(full);
  EXPECT_EQ(0, painter->grippers);
}

TEST_F(StatusBarTest, TheGripSizesTheFrameAndTheRestIsClient) {
  CRect window;
  bar.GetWindowRect(&window);
  auto hit = [&](int x, int y) { return bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
  EXPECT_EQ(HTBOTTOMRIGHT, hit(window.right - 3, window.bottom - 3));
  EXPECT_EQ(HTCLIENT, hit(window.left + 5, window.top + 5));
  EXPECT_EQ(HTCLIENT, hit(window.right - 60, window.top + 5));
}

TEST_F(StatusBarTest, ADelayedHideHappensAtTheNextIdleUpdate) {
  frame->ShowControlBar(&bar, FALSE, TRUE);
  EXPECT_TRUE(bar.IsWindowVisible());
  bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_FALSE(bar.IsWindowVisible());
  frame->ShowControlBar(&bar, TRUE, TRUE);
  bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_TRUE(bar.IsWindowVisible());
  EXPECT_EQ(0, bar.m_nStateFlags & (CControlBar::delayHide | CControlBar::delayShow));
}

TEST_F(StatusBarTest, AMissingStringFailsAndKeepsThePaneAppended) {
  const UINT ids[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, IDS_TEST_MISSING, ID_INDICATOR_SCRL};
  EXPECT_FALSE(bar.CreatePanesFromIds(ids, 4));
  ASSERT_EQ(3, bar.GetPaneCount());
  EXPECT_EQ(static_cast<UINT>(IDS_TEST_MISSING), bar.GetPane(2)->m_nID);
  EXPECT_EQ(2, bar.CommandToIndex(IDS_TEST_MISSING));
  EXPECT_EQ(-1, bar.CommandToIndex(ID_INDICATOR_SCRL));
  EXPECT_TRUE(bar.CreatePanesFromIds(nullptr, 3));
  EXPECT_EQ(0, bar.GetPaneCount());
}

TEST_F(StatusBarTest, WindowTextIsTheMessagePanesText) {
  // SetWindowText reports success when the text was set.
  EXPECT_TRUE(::SetWindowTextW(bar.m_hWnd, L"Scanning"));
  EXPECT_EQ(CString(L"Scanning"), bar.GetPane(0)->GetText());
  CString text;
  bar.GetWindowText(text);
  EXPECT_EQ(CString(L"Scanning"), text);
  EXPECT_EQ(8, text.GetLength());
  EXPECT_EQ(8, bar.GetWindowTextLength());

  struct Case {
    WPARAM size;
    LRESULT copied;
    const wchar_t* text;
  };
  const Case cases[] = {{0, 0, L"untouched"}, {1, 0, L""}, {8, 7, L"Scannin"}, {9, 8, L"Scanning"}, {40, 8, L"Scanning"}};
  for (const Case& c : cases) {
    wchar_t buffer[40] = L"untouched";
    EXPECT_EQ(c.copied, bar.SendMessage(WM_GETTEXT, c.size, reinterpret_cast<LPARAM>(buffer))) << c.size;
    EXPECT_STREQ(c.text, buffer) << c.size;
  }

  // Without a message pane nothing can be set and nothing is read.
  const UINT indicatorsOnly[] = {ID_INDICATOR_CAPS};
  ASSERT_TRUE(bar.CreatePanesFromIds(indicatorsOnly, 1));
  EXPECT_FALSE(::SetWindowTextW(bar.m_hWnd, L"Ready"));
  wchar_t buffer[16] = L"untouched";
  EXPECT_EQ(0, bar.SendMessage(WM_GETTEXT, 16, reinterpret_cast<LPARAM>(buffer)));
  EXPECT_STREQ(L"", buffer);
  EXPECT_EQ(0, bar.GetWindowTextLength());
}

TEST_F(StatusBarTest, FramePromptsReachTheMessagePane) {
  frame->SetMessageText(L"Opens a snapshot");
  EXPECT_EQ(CString(L"Opens a snapshot"), bar.GetPane(0)->GetText());
  // The control got the text too.
  wchar_t sent[64] = {};
  bar.SendMessage(SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(sent));
  EXPECT_STREQ(L"Opens a snapshot", sent);
}

TEST_F(StatusBarTest, KeyIndicatorsFollowTheToggleStates) {
  BYTE keys[256] = {};
  ASSERT_TRUE(::GetKeyboardState(keys));
  BYTE saved[256];
  memcpy(saved, keys, sizeof saved);
  keys[VK_CAPITAL] = 1;
  keys[VK_NUMLOCK] = 0;
  keys[VK_SCROLL] = 0;
  ASSERT_TRUE(::SetKeyboardState(keys));
  bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_EQ(0u, bar.GetPaneStyle(1) & SBPS_DISABLED);
  EXPECT_NE(0u, bar.GetPaneStyle(2) & SBPS_DISABLED);
  EXPECT_NE(0u, bar.GetPaneStyle(3) & SBPS_DISABLED);
  // A disabled pane's text is not given to the control.
  EXPECT_EQ(3, LOWORD(bar.SendMessage(SB_GETTEXTLENGTHW, 1)));
  EXPECT_EQ(0, LOWORD(bar.SendMessage(SB_GETTEXTLENGTHW, 2)));

  // The painter draws the disabled text in its grey, the enabled one not.
  CRect client = BarClient();
  DibCanvas canvas(client.Width(), client.Height());
  DrawInto(canvas);
  ASSERT_EQ(4u, painter->paneStyles.size());
  EXPECT_NE(0u, painter->paneStyles[2] & SBPS_DISABLED);
  auto inkOf = [&](int index, COLORREF color) {
    CRect rect;
    bar.GetItemRect(index, &rect);
    rect.DeflateRect(2, 2);
    int count = 0;
    for (int x = rect.left; x < rect.right; ++x)
      for (int y = rect.top; y < rect.bottom; ++y) count += canvas.Pixel(x, y) == color ? 1 : 0;
    return count;
  };
  const COLORREF grey = painter->GetColor(COLOR_GRAYTEXT);
  EXPECT_GT(inkOf(2, grey), 0);
  EXPECT_EQ(0, inkOf(1, grey));
  EXPECT_GT(inkOf(1, painter->m_statusTextColor), 0);

  keys[VK_CAPITAL] = 0;
  ::SetKeyboardState(keys);
  bar.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_NE(0u, bar.GetPaneStyle(1) & SBPS_DISABLED);
  ::SetKeyboardState(saved);
}

TEST_F(StatusBarTest, OwnerHandlersMapToPaneStylesAndTexts) {
  HandlerOwner owner;
  bar.OnUpdateCmdUI(&owner, FALSE);
  EXPECT_EQ(static_cast<UINT>(SBPS_DISABLED | SBPS_POPOUT), bar.GetPaneStyle(2));
  EXPECT_EQ(CString(L"LOCK"), bar.GetPane(3)->GetText());
  wchar_t sent[16] = {};
  bar.SendMessage(SB_GETTEXTW, 3, reinterpret_cast<LPARAM>(sent));
  EXPECT_STREQ(L"LOCK", sent);
  // The message pane has no handler anywhere and stays as it was.
  EXPECT_EQ(static_cast<UINT>(SBPS_STRETCH | SBPS_NOBORDERS), bar.GetPaneStyle(0));
}

TEST(StatusBarWithoutLook, PaintsNothingAndKeepsRunning) {
  ReleaseCurrentBarPainter();
  if (GetCurrentBarPainter() != nullptr) {
    ReleaseCurrentBarPainter();
    GTEST_SKIP() << "this program links a look of its own";
  }
  CFrameWnd* frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, L"No look", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 400, 300)));
  CTkStatusBar bar;
  ASSERT_TRUE(bar.Create(frame));
  ASSERT_TRUE(bar.CreatePanesFromIds(kFrameIndicators, 4));
  frame->RecalcLayout();
  bar.Invalidate();
  bar.UpdateWindow();
  EXPECT_EQ(nullptr, CurrentBarPainter);
  EXPECT_FALSE(::GetUpdateRect(bar.m_hWnd, nullptr, FALSE));
  frame->DestroyWindow();
}

}  // namespace
