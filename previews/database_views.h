// The two views of an open Access database: the tree of its tables,
// relations and stored queries, and the record list beside it. Each
// registers itself with the document, which hands them the database it
// opened and has them refill.
#pragma once

#include "framework.h"

class CEx_StyleDoc;

class CMDBListView : public CView {
  DECLARE_DYNCREATE(CMDBListView)

 public:
  CMDBListView() = default;
  ~CMDBListView() override;

  void OnDraw(CDC*) override {}
  // Deletes every row, then every column.
  void ClearList();

  CDaoDatabase* Database = nullptr;  // not owned
  CListCtrl List;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};

class CDaoTreeView : public CTreeView {
  DECLARE_DYNCREATE(CDaoTreeView)

 public:
  CDaoTreeView() = default;
  ~CDaoTreeView() override;

  // Rebuilds the tree: the root, its three groups and what the database
  // lists in each. Reading the structure never fails the preview: an error
  // only cuts that group short.
  void PopulateTree();
  // Kind 2 adds a table under "Tables", kind 10 a query under "QueryDefs".
  void AddObjectItem(int kind, const CString& name);

  CDaoDatabase* Database = nullptr;  // not owned
  int Populating = 0;
  HTREEITEM RootItem = nullptr;
  HTREEITEM TablesItem = nullptr;
  HTREEITEM RelationsItem = nullptr;
  HTREEITEM QueriesItem = nullptr;
  HTREEITEM LastTableItem = nullptr;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  DECLARE_MESSAGE_MAP()

 private:
  // Adds under parent the name of every member of the database's
  // collection that wanted(member) accepts; stops at the first error.
  template <typename Wanted>
  void AddMembers(LPCWSTR collection, HTREEITEM parent, int image, Wanted wanted);
};

// The Access preview: the database tree on the left, the record list on
// the right, both over the host's document.
class CMDB_View : public CView {
  DECLARE_DYNCREATE(CMDB_View)

 public:
  CMDB_View() = default;
  void OnDraw(CDC*) override {}

  CDaoTreeView* Tree = nullptr;  // child windows that delete themselves
  CMDBListView* Records = nullptr;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};
