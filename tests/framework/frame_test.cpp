#include <gtest/gtest.h>

#include "framework.h"
#include "test_app.h"
#include "test_resources.h"

namespace {

// A plain control bar along one edge, of fixed thickness.
class EdgeBar : public CControlBar {
 public:
  EdgeBar(int thickness) : m_thickness(thickness) {}
  BOOL Create(CWnd* pParent, DWORD dwAlign, UINT nID) {
    return CWnd::Create(nullptr, L"", WS_CHILD | WS_VISIBLE | dwAlign, CRect(0, 0, 0, 0), pParent, nID);
  }
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override {
    return bHorz ? CSize(32767, m_thickness) : CSize(m_thickness, 32767);
  }
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override { ++updates; }
  int updates = 0;

 private:
  int m_thickness;
};

class TestDoc : public CDocument {
  DECLARE_DYNCREATE(TestDoc)
 public:
  TestDoc() { last = this; }
  ~TestDoc() override {
    ++destroyed;
    if (last == this) last = nullptr;
  }
  void Serialize(CArchive& ar) override {
    if (ar.IsLoading()) ar >> content;
    else ar << content;
  }
  CString content;
  int commands = 0;
  static TestDoc* last;
  static int destroyed;

 protected:
  void OnDocCommand() { ++commands; }
  DECLARE_MESSAGE_MAP()
};
TestDoc* TestDoc::last = nullptr;
int TestDoc::destroyed = 0;
IMPLEMENT_DYNCREATE(TestDoc, CDocument)
BEGIN_MESSAGE_MAP(TestDoc, CDocument)
  ON_COMMAND(ID_TEST_DOCCMD, OnDocCommand)
END_MESSAGE_MAP()

class TestView : public CView {
  DECLARE_DYNCREATE(TestView)
 public:
  void OnDraw(CDC* pDC) override {
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, RGB(255, 255, 220));
    if (TestDoc* doc = static_cast<TestDoc*>(GetDocument())) pDC->TextOut(10, 10, doc->content);
  }
  void OnInitialUpdate() override {
    ++initialUpdates;
    CView::OnInitialUpdate();
  }
  int commands = 0;
  int initialUpdates = 0;

 protected:
  void OnViewCommand() { ++commands; }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestView, CView)
BEGIN_MESSAGE_MAP(TestView, CView)
  ON_COMMAND(ID_TEST_VIEWCMD, OnViewCommand)
END_MESSAGE_MAP()

class TestFrame : public CFrameWnd {
  DECLARE_DYNCREATE(TestFrame)
 public:
  EdgeBar topBar{24};
  EdgeBar statusBar{20};
  int commands = 0;

 protected:
  int OnCreate(LPCREATESTRUCTW lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (!topBar.Create(this, CBRS_TOP, AFX_IDW_TOOLBAR) || !statusBar.Create(this, CBRS_BOTTOM, AFX_IDW_STATUS_BAR))
      return -1;
    return 0;
  }
  void OnFrameCommand() { ++commands; }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(TestFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_COMMAND(ID_TEST_FRAMECMD, OnFrameCommand)
END_MESSAGE_MAP()

// A single-document application opened with a file named on its command line.
class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A folder per process: the tests run in parallel processes.
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder.Format(L"%lsframe_test_%lu", temp, GetCurrentProcessId());
    CreateDirectoryW(folder, nullptr);
    path = folder + L"\\frame_test.tst";
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    ar << CString(L"hello document");
    ar.Close();
    file.Close();
    TheTestApp().AddDocTemplate(new CSingleDocTemplate(IDR_TEST_FRAME, RUNTIME_CLASS(TestDoc),
                                                       RUNTIME_CLASS(TestFrame), RUNTIME_CLASS(TestView)));
  }
  void TearDown() override {
    CWinApp& app = TheTestApp();
    if (app.m_pMainWnd != nullptr) app.m_pMainWnd->SendMessage(WM_CLOSE);
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    while (!app.m_templateList.IsEmpty()) delete static_cast<CDocTemplate*>(app.m_templateList.RemoveHead());
    DeleteFileW(path);
    RemoveDirectoryW(folder);
  }
  TestFrame* OpenFromCommandLine() {
    CCommandLineInfo info;
    info.ParseParam(path, FALSE, TRUE);
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);
    if (!TheTestApp().ProcessShellCommand(info)) return nullptr;
    return static_cast<TestFrame*>(TheTestApp().m_pMainWnd);
  }
  CString folder;
  CString path;
};

TEST_F(FrameTest, OpensTheDocumentNamedOnTheCommandLine) {
  TestFrame* frame = OpenFromCommandLine();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(frame->IsKindOf(RUNTIME_CLASS(TestFrame)));
  TestDoc* doc = static_cast<TestDoc*>(frame->GetActiveDocument());
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->content, L"hello document");
  TestView* view = static_cast<TestView*>(frame->GetActiveView());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
  EXPECT_EQ(view->GetDocument(), doc);
  EXPECT_EQ(view->initialUpdates, 1);
  CString title;
  frame->GetWindowText(title);
  EXPECT_EQ(title, L"frame_test.tst - Frame Test");
  EXPECT_NE(frame->GetMenu(), nullptr);
  CString docName;
  doc->GetDocTemplate()->GetDocString(docName, CDocTemplate::filterExt);
  EXPECT_EQ(docName, L".tst");

  // Closing the frame ends view and document.
  int destroyedBefore = TestDoc::destroyed;
  frame->SendMessage(WM_CLOSE);
  EXPECT_EQ(TestDoc::destroyed, destroyedBefore + 1);
  EXPECT_EQ(TheTestApp().m_pMainWnd, nullptr);
}

TEST_F(FrameTest, CommandsRouteThroughViewDocumentAndFrame) {
  TestFrame* frame = OpenFromCommandLine();
  ASSERT_NE(frame, nullptr);
  TestView* view = static_cast<TestView*>(frame->GetActiveView());
  TestDoc* doc = static_cast<TestDoc*>(frame->GetActiveDocument());
  frame->SendMessage(WM_COMMAND, ID_TEST_VIEWCMD);
  frame->SendMessage(WM_COMMAND, ID_TEST_DOCCMD);
  frame->SendMessage(WM_COMMAND, ID_TEST_FRAMECMD);
  EXPECT_EQ(view->commands, 1);
  EXPECT_EQ(doc->commands, 1);
  EXPECT_EQ(frame->commands, 1);

  // The accelerator of the frame's resource reaches the document.
  MSG msg = {};
  msg.hwnd = view->m_hWnd;
  msg.message = WM_KEYDOWN;
  msg.wParam = VK_F5;
  EXPECT_TRUE(frame->PreTranslateMessage(&msg));
  EXPECT_EQ(doc->commands, 2);

  // A menu command nobody handles shows greyed when the popup opens.
  CMenu* popup = frame->GetMenu()->GetSubMenu(0);
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup->m_hMenu), 0);
  EXPECT_TRUE(popup->GetMenuState(ID_TEST_NOHANDLER, MF_BYCOMMAND) & MF_GRAYED);
  for (UINT id : {ID_TEST_VIEWCMD, ID_TEST_DOCCMD, ID_TEST_FRAMECMD})
    EXPECT_FALSE(popup->GetMenuState(id, MF_BYCOMMAND) & MF_GRAYED) << id;
}

TEST_F(FrameTest, RecalcLayoutPlacesBarsAndViewWithoutOverlap) {
  TestFrame* frame = OpenFromCommandLine();
  ASSERT_NE(frame, nullptr);
  CView* view = frame->GetActiveView();
  for (CSize size : {CSize(400, 300), CSize(640, 480), CSize(250, 160)}) {
    frame->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    CRect client;
    frame->GetClientRect(&client);
    CRect top = ChildRect(frame, &frame->topBar);
    CRect bottom = ChildRect(frame, &frame->statusBar);
    CRect middle = ChildRect(frame, view);
    EXPECT_EQ(top, CRect(0, 0, client.right, 24)) << size.cx;
    EXPECT_EQ(bottom, CRect(0, client.bottom - 20, client.right, client.bottom)) << size.cx;
    EXPECT_EQ(middle, CRect(0, 24, client.right, client.bottom - 20)) << size.cx;
  }
  // A delayed hide waits for the idle-time layout.
  frame->ShowControlBar(&frame->topBar, FALSE, TRUE);
  EXPECT_FALSE(frame->topBar.IsVisible());
  EXPECT_TRUE(frame->topBar.IsWindowVisible());
  frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_FALSE(frame->topBar.IsWindowVisible());
  EXPECT_EQ(ChildRect(frame, view).top, 0);
  EXPECT_EQ(frame->GetControlBar(AFX_IDW_STATUS_BAR), &frame->statusBar);
  // The idle update reaches the bars.
  int updates = frame->statusBar.updates;
  TheTestApp().OnIdle(0);
  EXPECT_GT(frame->statusBar.updates, updates);
}

TEST_F(FrameTest, StatusPromptsGoToTheStatusBar) {
  TestFrame* frame = OpenFromCommandLine();
  ASSERT_NE(frame, nullptr);
  PumpPending();
  CString text;
  frame->statusBar.GetWindowText(text);
  EXPECT_EQ(text, L"Ready");
  frame->SetMessageText(ID_TEST_VIEWCMD);
  frame->statusBar.GetWindowText(text);
  EXPECT_EQ(text, L"Runs the view command");
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_DOCCMD, MF_STRING), 0);
  frame->statusBar.GetWindowText(text);
  EXPECT_EQ(text, L"Runs the document command");
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  frame->statusBar.GetWindowText(text);
  EXPECT_EQ(text, L"Ready");
  frame->SetMessageText(L"Scanning");
  frame->statusBar.GetWindowText(text);
  EXPECT_EQ(text, L"Scanning");
}

TEST_F(FrameTest, AFileThatCannotBeOpenedIsReported) {
  TheTestApp().recordMessageBoxes = true;
  int boxes = TheTestApp().messageBoxes;
  EXPECT_EQ(TheTestApp().OpenDocumentFile(L"C:\\no\\such\\file.tst"), nullptr);
  TheTestApp().recordMessageBoxes = false;
  EXPECT_EQ(TheTestApp().messageBoxes, boxes + 1);
  EXPECT_EQ(TheTestApp().m_pMainWnd, nullptr);
}

TEST(CCommandLineInfo, ReadsFlagsAndTheFileName) {
  CCommandLineInfo info;
  info.ParseParam(L"Embedding", TRUE, FALSE);
  info.ParseParam(L"a.snp", FALSE, FALSE);
  info.ParseParam(L"b.snp", FALSE, TRUE);
  EXPECT_TRUE(info.m_bRunEmbedded);
  EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);
  EXPECT_EQ(info.m_strFileName, L"a.snp");
}

TEST(CListView, IsAListControlAndAView) {
  CFrameWnd* frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, L"List view host", WS_OVERLAPPEDWINDOW));
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(CListView);
  CListView* view = static_cast<CListView*>(frame->CreateView(&context));
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->IsKindOf(RUNTIME_CLASS(CView)));
  CString name;
  view->GetWindowText(name);
  EXPECT_EQ(name, L"ListView");
  CListCtrl& list = view->GetListCtrl();
  list.ModifyStyle(LVS_TYPEMASK, LVS_REPORT);
  list.InsertColumn(0, L"Name", LVCFMT_LEFT, 100);
  list.InsertItem(0, L"one");
  EXPECT_EQ(list.GetItemText(0, 0), L"one");
  frame->DestroyWindow();
}

}  // namespace

namespace {

class TallView : public CScrollView {
  DECLARE_DYNCREATE(TallView)
 public:
  void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(TallView, CScrollView)

TEST(CScrollView, ScrollsWithinTheTotalSize) {
  CFrameWnd* frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, L"Scroll host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 300)));
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(TallView);
  TallView* view = static_cast<TallView*>(frame->CreateView(&context));
  ASSERT_NE(view, nullptr);
  frame->RecalcLayout();
  view->SetScrollSizes(MM_TEXT, CSize(1000, 2000));
  CRect client;
  view->GetClientRect(&client);
  view->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(view->GetScrollPosition(), CPoint(0, client.Height()));
  view->ScrollToPosition(CPoint(50, 100000));
  CPoint end = view->GetScrollPosition();
  EXPECT_EQ(end.x, 50);
  EXPECT_EQ(end.y, 2000 - client.Height());
  // Drawing follows the scroll position.
  CClientDC dc(view);
  view->OnPrepareDC(&dc);
  POINT origin;
  ::GetViewportOrgEx(dc.GetSafeHdc(), &origin);
  EXPECT_EQ(origin.x, -end.x);
  EXPECT_EQ(origin.y, -end.y);
  frame->DestroyWindow();
}

}  // namespace
