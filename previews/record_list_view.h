// The Access preview's record list: a report list that shows the records
// of the table chosen in the database tree, one column per field, and
// colours its cells by column and by the status word in column 1.
#pragma once

#include "framework.h"

class DaoSource;

class CStatusListCtrl : public CListCtrl {
 public:
  CStatusListCtrl() = default;

 protected:
  afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnClick(NMHDR*, LRESULT*) {}
  afx_msg void OnDoubleClick(NMHDR*, LRESULT*) {}
  afx_msg int OnCreate(LPCREATESTRUCTW) { return static_cast<int>(Default()); }
  DECLARE_MESSAGE_MAP()

 private:
  // The control's own colours for the item being drawn, before any cell
  // changed them.
  COLORREF m_itemText = 0;
  COLORREF m_itemBackground = 0;
};

class CMDBListView : public CView {
  DECLARE_DYNCREATE(CMDBListView)

 public:
  CMDBListView() = default;
  ~CMDBListView() override;

  void OnDraw(CDC*) override {}
  // Deletes every row, then every column.
  void ClearList();

  DaoSource* Database = nullptr;  // the document's, not owned
  CStatusListCtrl List;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};

// Fills the list with the table's fields and its first MaxTableRows
// records; the rest are counted. Database errors are reported and end only
// the step they happen in.
void LoadDaoTable(CMDBListView* view, const CString& tableName);

// A field's value as the list shows it.
CString VariantToText(const VARIANT& value);
CString BoolToText(BOOL value);
