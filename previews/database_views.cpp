#include "database_views.h"

#include "main_frame.h"

IMPLEMENT_DYNCREATE(CMDB_View, CView)

BEGIN_MESSAGE_MAP(CMDB_View, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

constexpr UINT kTreeId = 189;
constexpr UINT kListId = 190;
constexpr UINT kSplitterId = 157;
constexpr int kTreeWidth = 180;
constexpr int kListWidth = 620;

}  // namespace

int CMDB_View::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  // The panes join the frame's active document, which opens the database.
  CCreateContext context;
  CMainFrame* frame = GetMainFrame();
  context.m_pCurrentDoc = frame != nullptr && frame->GetActiveDocument() != nullptr ? frame->GetActiveDocument()
                                                                                      : GetDocument();
  Tree = new CDaoTreeView;
  Records = new CMDBListView;
  const CRect empty(0, 0, 0, 0);
  // A view whose window could not be made has deleted itself.
  if (!Tree->Create(nullptr, nullptr, WS_CHILD | WS_BORDER, empty, this, kTreeId, &context)) Tree = nullptr;
  if (!Records->Create(nullptr, nullptr, WS_CHILD | WS_BORDER, empty, this, kListId, &context)) Records = nullptr;
  if (Tree == nullptr || Records == nullptr) return -1;
  Tree->OnInitialUpdate();
  Tree->ShowWindow(SW_SHOW);
  Records->OnInitialUpdate();
  Records->ShowWindow(SW_SHOW);
  Splitter.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | kSplitVertical, this, Tree, Records, kSplitterId, empty,
                  kTreeWidth, kListWidth);
  return 0;
}

void CMDB_View::OnSize(UINT, int cx, int cy) {
  Default();
  if (Splitter.GetSafeHwnd() != nullptr) Splitter.MoveWindow(0, 0, cx, cy);
}
