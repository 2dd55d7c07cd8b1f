// The Access preview: the database tree on the left and the record list on
// the right, side by side in a splitter, over the document that opens the
// database.
#pragma once

#include "database_tree_view.h"
#include "framework.h"
#include "pane_splitter.h"
#include "record_list_view.h"

class CMDB_View : public CView {
  DECLARE_DYNCREATE(CMDB_View)

 public:
  CMDB_View() = default;
  void OnDraw(CDC*) override {}

  CDaoTreeView* Tree = nullptr;  // child windows that delete themselves
  CMDBListView* Records = nullptr;
  CPaneSplitter Splitter;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};
