// The Access preview's database tree: a root with the groups of tables,
// relations and stored queries of the document's database. Choosing a
// table loads it into the record list; Delete removes a table or a query
// from the database.
#pragma once

#include "framework.h"

class DaoSource;

// An item of a tree control, with the tree it lives in.
class CTreeItemRef {
 public:
  CTreeItemRef() = default;
  CTreeItemRef(HTREEITEM item, CTreeCtrl* tree) : Item(item), Tree(tree) {}

  // Appended after the last child; image -1 gives the item no image.
  CTreeItemRef AddChild(LPCWSTR text, int image) const;
  // -1 for no item.
  int GetImage() const;
  CString GetText() const;
  static CTreeItemRef Selected(CTreeCtrl* tree) { return CTreeItemRef(tree->GetSelectedItem(), tree); }
  static CTreeItemRef FirstRoot(CTreeCtrl* tree) { return CTreeItemRef(tree->GetRootItem(), tree); }
  static CTreeItemRef At(CTreeCtrl* tree, CPoint point) { return CTreeItemRef(tree->HitTest(point), tree); }

  HTREEITEM Item = nullptr;
  CTreeCtrl* Tree = nullptr;
};

// The tree's images (bitmap 181) that tell its items apart.
enum DatabaseTreeImage {
  kImageDatabase = 0,
  kImageTable = 2,
  kImageTables = 3,
  kImageRelation = 8,
  kImageRelations = 9,
  kImageQuery = 10,
  kImageQueries = 11,
};

class CDaoTreeView : public CTreeView {
  DECLARE_DYNCREATE(CDaoTreeView)

 public:
  CDaoTreeView();
  ~CDaoTreeView() override;

  // Rebuilds the tree: the root, its three groups and what the database
  // lists in each. Reading the structure never fails the preview: an error
  // only cuts that group short.
  void PopulateTree();
  // Kind 2 adds a table under "Tables", kind 10 a query under "QueryDefs".
  void AddObjectItem(int kind, const CString& name);
  // Deletes a table or query from the database and its item from the tree.
  void DeleteObject(CTreeItemRef item);

  DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  BOOL OnDrop(COleDataObject*, DROPEFFECT, CPoint) override { return FALSE; }

  DaoSource* Database = nullptr;  // the document's, not owned
  UINT ClipboardFormat = 0;       // "ZizArid"
  CTreeItemRef CurrentItem;
  int Populating = 0;
  CImageList Images;
  CTreeItemRef RootItem;
  CTreeItemRef TablesItem;
  CTreeItemRef LastTableItem;
  CTreeItemRef RelationsItem;
  CTreeItemRef QueriesItem;
  COleDropTarget DropTarget;

 protected:
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSysColorChange();
  afx_msg void OnKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnBeginDrag(NMHDR*, LRESULT* pResult) { *pResult = 0; }
  afx_msg void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

 private:
  // A current item and "ZizArid" data.
  BOOL AcceptsDrag(COleDataObject* pDataObject) const;
};
