#include "database_tree_view.h"

#include "record_list_view.h"
#include "shell_app.h"
#include "shell_document.h"
#include "shell_resources.h"

IMPLEMENT_DYNCREATE(CDaoTreeView, CTreeView)

BEGIN_MESSAGE_MAP(CDaoTreeView, CTreeView)
  ON_WM_CREATE()
  ON_WM_SYSCOLORCHANGE()
  ON_NOTIFY_REFLECT(TVN_KEYDOWN, OnKeyDown)
  ON_NOTIFY_REFLECT(TVN_SELCHANGEDW, OnSelChanged)
  ON_NOTIFY_REFLECT(TVN_BEGINDRAGW, OnBeginDrag)
  ON_NOTIFY_REFLECT(NM_RCLICK, OnRightClick)
END_MESSAGE_MAP()

namespace {

// Tables and relations the engine keeps for itself.
constexpr long kSystemObject = static_cast<long>(0x80000002);
// Queries the engine keeps for itself.
constexpr short kHiddenQueryType = 5;
constexpr COLORREF kImageMask = RGB(255, 0, 255);
constexpr int kImageWidth = 16;

LPCWSTR const kWarningCaption = L"ZizArid - Warning";

CEx_StyleApp* App() { return dynamic_cast<CEx_StyleApp*>(AfxGetApp()); }

BOOL ShowSystemObjects() {
  CEx_StyleApp* app = App();
  return app != nullptr && app->ShowSystemObjects != 0;
}

BOOL ConfirmDelete() {
  CEx_StyleApp* app = App();
  return app == nullptr || app->ConfirmDelete != 0;
}

}  // namespace

CTreeItemRef CTreeItemRef::AddChild(LPCWSTR text, int image) const {
  TVINSERTSTRUCTW insert = {};
  insert.hParent = Item != nullptr ? Item : TVI_ROOT;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<LPWSTR>(text);
  if (image != -1) {
    insert.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
  }
  return CTreeItemRef(Tree->InsertItem(&insert), Tree);
}

int CTreeItemRef::GetImage() const {
  int image = -1, selected = -1;
  if (Item == nullptr || Tree == nullptr || !Tree->GetItemImage(Item, image, selected)) return -1;
  return image;
}

CString CTreeItemRef::GetText() const {
  if (Item == nullptr || Tree == nullptr) return CString();
  return Tree->GetItemText(Item);
}

CDaoTreeView::CDaoTreeView() : ClipboardFormat(::RegisterClipboardFormatW(L"ZizArid")) {}

CDaoTreeView::~CDaoTreeView() {
  if (auto* document = dynamic_cast<CEx_StyleDoc*>(m_pDocument))
    if (document->DatabaseTree == this) document->DatabaseTree = nullptr;
}

BOOL CDaoTreeView::PreCreateWindow(CREATESTRUCTW& cs) {
  // The tree takes its styles when it is made; later changes would not show.
  cs.style |= TVS_HASBUTTONS | TVS_HASLINES;
  return CTreeView::PreCreateWindow(cs);
}

int CDaoTreeView::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CTreeView::OnCreate(lpcs) == -1) return -1;
  if (auto* document = dynamic_cast<CEx_StyleDoc*>(GetDocument())) document->DatabaseTree = this;
  Images.Create(IDB_DATABASE_TREE, kImageWidth, 1, kImageMask);
  Images.SetBkColor(::GetSysColor(COLOR_WINDOW));
  GetTreeCtrl().SetImageList(&Images, TVSIL_NORMAL);
  DropTarget.Register(this);
  return 0;
}

void CDaoTreeView::OnSysColorChange() {
  CTreeView::OnSysColorChange();
  if (Images.GetSafeHandle() != nullptr) Images.SetBkColor(::GetSysColor(COLOR_WINDOW));
}

void CDaoTreeView::AddObjectItem(int kind, const CString& name) {
  if (kind == kImageTable) LastTableItem = TablesItem.AddChild(name, kImageTable);
  else if (kind == kImageQuery) QueriesItem.AddChild(name, kImageQuery);
}

void CDaoTreeView::PopulateTree() {
  Populating = 1;
  CTreeCtrl& tree = GetTreeCtrl();
  tree.DeleteAllItems();
  // The old items are gone; nothing may point at them.
  CurrentItem = CTreeItemRef();
  LastTableItem = CTreeItemRef();
  UpdateWindow();

  RootItem = CTreeItemRef(nullptr, &tree).AddChild(L"Access DataBase", kImageDatabase);
  TablesItem = RootItem.AddChild(L"Tables", kImageTables);
  RelationsItem = RootItem.AddChild(L"Relations", kImageRelations);
  QueriesItem = RootItem.AddChild(L"QueryDefs", kImageQueries);

  const BOOL all = ShowSystemObjects();
  if (Database != nullptr) {
    // An error in one group ends only that group.
    try {
      const short count = Database->GetTableDefCount();
      for (int n = 0; n < count; ++n) {
        CDaoTableDefInfo table;
        Database->GetTableDefInfo(n, table);
        if (all || (table.m_lAttributes & kSystemObject) == 0) AddObjectItem(kImageTable, table.m_strName);
      }
    } catch (CDaoException* e) {
      e->Delete();
    }
    try {
      const short count = Database->GetQueryDefCount();
      for (int n = 0; n < count; ++n) {
        CDaoQueryDefInfo query;
        Database->GetQueryDefInfo(n, query);
        if (all || query.m_nType != kHiddenQueryType) AddObjectItem(kImageQuery, query.m_strName);
      }
    } catch (CDaoException* e) {
      e->Delete();
    }
    try {
      const short count = Database->GetRelationCount();
      for (int n = 0; n < count; ++n) {
        CDaoRelationInfo relation;
        Database->GetRelationInfo(n, relation);
        if (all || (relation.m_lAttributes & kSystemObject) == 0)
          RelationsItem.AddChild(relation.m_strName, kImageRelation);
      }
    } catch (CDaoException* e) {
      e->Delete();
    }
  }

  tree.Expand(RootItem.Item, TVE_EXPAND);
  Populating = 0;
  UpdateWindow();
}

void CDaoTreeView::OnSelChanged(NMHDR*, LRESULT* pResult) {
  *pResult = 0;
  if (Populating != 0) return;
  CurrentItem = CTreeItemRef::Selected(&GetTreeCtrl());
  auto* document = dynamic_cast<CEx_StyleDoc*>(GetDocument());
  CMDBListView* records = document != nullptr ? document->RecordList : nullptr;
  if (records == nullptr || records->GetSafeHwnd() == nullptr) return;
  records->SetRedraw(FALSE);
  if (CurrentItem.GetImage() == kImageTable) LoadDaoTable(records, CurrentItem.GetText());
  records->SetRedraw(TRUE);
  records->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CDaoTreeView::OnRightClick(NMHDR*, LRESULT* pResult) {
  *pResult = 0;
  CPoint point;
  ::GetCursorPos(&point);
  ScreenToClient(&point);
  CurrentItem = CTreeItemRef::At(&GetTreeCtrl(), point);
}

void CDaoTreeView::OnKeyDown(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  if (reinterpret_cast<NMTVKEYDOWN*>(pNMHDR)->wVKey != VK_DELETE) return;
  if (ConfirmDelete() && MessageBox(L"Are you sure you want to delete this item ?", kWarningCaption, MB_YESNO) != IDYES)
    return;
  DeleteObject(CurrentItem);
}

void CDaoTreeView::DeleteObject(CTreeItemRef item) {
  const int image = item.GetImage();
  if ((image != kImageTable && image != kImageQuery) || Database == nullptr) return;
  try {
    if (image == kImageTable) Database->DeleteTableDef(item.GetText());
    else Database->DeleteQueryDef(item.GetText());
  } catch (CDaoException* e) {
    WCHAR text[512] = {};
    e->GetErrorMessage(text, 512);
    MessageBox(text, kWarningCaption, MB_OK);
    e->Delete();
    return;
  }
  if (LastTableItem.Item == item.Item) LastTableItem = CTreeItemRef();
  item.Tree->DeleteItem(item.Item);
  // The deleted item's handle must not serve a second Delete.
  if (CurrentItem.Item == item.Item) CurrentItem = CTreeItemRef();
}

BOOL CDaoTreeView::AcceptsDrag(COleDataObject* pDataObject) const {
  return CurrentItem.Item != nullptr && pDataObject != nullptr &&
         pDataObject->IsDataAvailable(static_cast<CLIPFORMAT>(ClipboardFormat));
}

DROPEFFECT CDaoTreeView::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  return AcceptsDrag(pDataObject) ? DROPEFFECT_COPY : CTreeView::OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CDaoTreeView::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  return AcceptsDrag(pDataObject) ? DROPEFFECT_COPY : CTreeView::OnDragOver(pDataObject, dwKeyState, point);
}
