#include "dbf_view.h"

#include "dbf_cells.h"
#include "preview_state.h"
#include "shell_document.h"

IMPLEMENT_DYNCREATE(CDBF_View, CView)

BEGIN_MESSAGE_MAP(CDBF_View, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
END_MESSAGE_MAP()

CDBF_View::~CDBF_View() { delete List; }

int CDBF_View::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  List = new CListCtrl;
  List->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, CRect(0, 0, 0, 0),
               this, kDbfListId);
  List->SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  CEx_StyleDoc* document = PreviewDocument(GetDocument());
  const CString path = document != nullptr ? document->PreviewPath : CString();
  List->DeleteAllItems();
  while (List->DeleteColumn(0)) {
  }
  PreviewLoadedFlag() = LoadDbfTable(path, *List) ? 1 : 0;
  return 0;
}

void CDBF_View::OnSize(UINT, int, int) {
  Default();
  if (List == nullptr || List->GetSafeHwnd() == nullptr) return;
  CRect client;
  GetClientRect(&client);
  List->MoveWindow(&client);
}
