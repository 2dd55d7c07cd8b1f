#include "database_views.h"

#include <oleauto.h>

#include "shell_app.h"
#include "shell_document.h"

IMPLEMENT_DYNCREATE(CMDBListView, CView)
IMPLEMENT_DYNCREATE(CDaoTreeView, CTreeView)
IMPLEMENT_DYNCREATE(CMDB_View, CView)

BEGIN_MESSAGE_MAP(CMDB_View, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMDBListView, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CDaoTreeView, CTreeView)
  ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {

constexpr UINT kRecordListId = 186;
// Tables and relations the engine keeps for itself.
constexpr long kSystemObject = static_cast<long>(0x80000002);
constexpr long kHiddenQueryType = 5;

BOOL ShowSystemObjects() {
  auto* app = dynamic_cast<CEx_StyleApp*>(AfxGetApp());
  return app != nullptr && app->ShowSystemObjects != 0;
}

// One property or method of an automation object by name; FALSE on any
// failure, result cleared.
BOOL CallByName(IDispatch* object, LPCWSTR name, WORD flags, VARIANT* argument, VARIANT* result) {
  ::VariantInit(result);
  if (object == nullptr) return FALSE;
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return FALSE;
  DISPPARAMS params = {argument, nullptr, argument != nullptr ? 1u : 0u, 0};
  return SUCCEEDED(object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr));
}

BOOL LongProperty(IDispatch* object, LPCWSTR name, long* value) {
  VARIANT result;
  if (!CallByName(object, name, DISPATCH_PROPERTYGET, nullptr, &result)) return FALSE;
  const BOOL ok = SUCCEEDED(::VariantChangeType(&result, &result, 0, VT_I4));
  if (ok) *value = result.lVal;
  ::VariantClear(&result);
  return ok;
}

CEx_StyleDoc* DocumentOf(CView* view) { return dynamic_cast<CEx_StyleDoc*>(view->GetDocument()); }

}  // namespace

CMDBListView::~CMDBListView() {
  // The document must not call a view that is gone.
  if (m_pDocument != nullptr)
    if (CEx_StyleDoc* document = dynamic_cast<CEx_StyleDoc*>(m_pDocument))
      if (document->RecordList == this) document->RecordList = nullptr;
}

int CMDBListView::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  List.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, CRect(0, 0, 0, 0),
              this, kRecordListId);
  ListView_SetExtendedListViewStyle(List.GetSafeHwnd(), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  if (CEx_StyleDoc* document = DocumentOf(this)) document->RecordList = this;
  ClearList();
  return 0;
}

void CMDBListView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  if (List.GetSafeHwnd() != nullptr) List.MoveWindow(0, 0, cx, cy);
}

void CMDBListView::ClearList() {
  if (List.GetSafeHwnd() == nullptr) return;
  List.DeleteAllItems();
  HWND header = ListView_GetHeader(List.GetSafeHwnd());
  for (int n = header != nullptr ? Header_GetItemCount(header) : 0; n > 0; --n) List.DeleteColumn(0);
}

CDaoTreeView::~CDaoTreeView() {
  if (m_pDocument != nullptr)
    if (CEx_StyleDoc* document = dynamic_cast<CEx_StyleDoc*>(m_pDocument))
      if (document->DatabaseTree == this) document->DatabaseTree = nullptr;
}

int CDaoTreeView::OnCreate(LPCREATESTRUCTW lpcs) {
  lpcs->style |= TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
  if (CTreeView::OnCreate(lpcs) == -1) return -1;
  if (CEx_StyleDoc* document = DocumentOf(this)) document->DatabaseTree = this;
  return 0;
}

void CDaoTreeView::AddObjectItem(int kind, const CString& name) {
  CTreeCtrl& tree = GetTreeCtrl();
  if (kind == 2) LastTableItem = tree.InsertItem(name, 2, 2, TablesItem);
  else if (kind == 10) tree.InsertItem(name, 10, 10, QueriesItem);
}

template <typename Wanted>
void CDaoTreeView::AddMembers(LPCWSTR collection, HTREEITEM parent, int image, Wanted wanted) {
  IDispatch* database = Database != nullptr ? Database->m_pDatabase : nullptr;
  VARIANT members;
  if (!CallByName(database, collection, DISPATCH_PROPERTYGET, nullptr, &members)) return;
  if (members.vt != VT_DISPATCH || members.pdispVal == nullptr) {
    ::VariantClear(&members);
    return;
  }
  long count = 0;
  if (LongProperty(members.pdispVal, L"Count", &count)) {
    for (long n = 0; n < count; ++n) {
      VARIANT index, member;
      ::VariantInit(&index);
      index.vt = VT_I4;
      index.lVal = n;
      if (!CallByName(members.pdispVal, L"Item", DISPATCH_METHOD | DISPATCH_PROPERTYGET, &index, &member)) break;
      VARIANT name;
      const BOOL named = member.vt == VT_DISPATCH &&
                         CallByName(member.pdispVal, L"Name", DISPATCH_PROPERTYGET, nullptr, &name) &&
                         name.vt == VT_BSTR;
      if (named && wanted(member.pdispVal)) {
        if (image == 8) GetTreeCtrl().InsertItem(name.bstrVal, 8, 8, parent);
        else AddObjectItem(image, name.bstrVal);
      }
      if (named) ::VariantClear(&name);
      ::VariantClear(&member);
      if (!named) break;
    }
  }
  ::VariantClear(&members);
}

void CDaoTreeView::PopulateTree() {
  Populating = 1;
  CTreeCtrl& tree = GetTreeCtrl();
  tree.DeleteAllItems();
  LastTableItem = nullptr;
  UpdateWindow();
  RootItem = tree.InsertItem(L"Access DataBase", 0, 0, TVI_ROOT);
  TablesItem = tree.InsertItem(L"Tables", 3, 3, RootItem);
  RelationsItem = tree.InsertItem(L"Relations", 9, 9, RootItem);
  QueriesItem = tree.InsertItem(L"QueryDefs", 11, 11, RootItem);

  const BOOL all = ShowSystemObjects();
  auto notSystem = [all](IDispatch* member) {
    long attributes = 0;
    return all || !LongProperty(member, L"Attributes", &attributes) || (attributes & kSystemObject) == 0;
  };
  AddMembers(L"TableDefs", TablesItem, 2, notSystem);
  AddMembers(L"QueryDefs", QueriesItem, 10, [all](IDispatch* member) {
    long type = 0;
    return all || !LongProperty(member, L"Type", &type) || type != kHiddenQueryType;
  });
  AddMembers(L"Relations", RelationsItem, 8, notSystem);

  tree.Expand(RootItem, TVE_EXPAND);
  Populating = 0;
  UpdateWindow();
}

int CMDB_View::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  CCreateContext context;
  context.m_pCurrentDoc = GetDocument();
  auto* frame = static_cast<CFrameWnd*>(static_cast<CWnd*>(this));
  context.m_pNewViewClass = RUNTIME_CLASS(CDaoTreeView);
  Tree = static_cast<CDaoTreeView*>(frame->CreateView(&context, AFX_IDW_PANE_FIRST));
  context.m_pNewViewClass = RUNTIME_CLASS(CMDBListView);
  Records = static_cast<CMDBListView*>(frame->CreateView(&context, AFX_IDW_PANE_FIRST + 1));
  return Tree != nullptr && Records != nullptr ? 0 : -1;
}

void CMDB_View::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  const int treeWidth = cx / 3;
  if (Tree != nullptr && Tree->GetSafeHwnd() != nullptr) Tree->MoveWindow(0, 0, treeWidth, cy);
  if (Records != nullptr && Records->GetSafeHwnd() != nullptr) Records->MoveWindow(treeWidth, 0, cx - treeWidth, cy);
}
