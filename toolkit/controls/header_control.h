// The toolkit's column header: drawn by its theme, with a sort arrow on
// the sorted column and a context menu to sort by a column or align it.
// Usually attached to a report list's header window by subclassing.
#pragma once

#include "framework.h"
#include "header_themes.h"
#include "theme_manager.h"
#include "toolkit_resources.h"

class CTkHeaderCtrl : public CHeaderCtrl, public CTkThemeClient {
  DECLARE_DYNAMIC(CTkHeaderCtrl)
 public:
  CTkHeaderCtrl();
  ~CTkHeaderCtrl() override;

  // The left button is down and the cursor lies on the item.
  virtual BOOL IsItemPressed(int item);
  virtual void SetFontBold(BOOL bold);
  // format: LVCFMT_LEFT, LVCFMT_CENTER or LVCFMT_RIGHT for the column under
  // the last right click.
  virtual void SetColumnAlignment(int format);

  // Stores the sort column and direction and redraws; the previous column.
  int SetSortImage(int column, BOOL ascending);
  int GetSortColumn(BOOL* ascending = nullptr) const;

  CTkHeaderCtrlTheme* GetHeaderTheme() const { return static_cast<CTkHeaderCtrlTheme*>(GetTheme()); }
  // The item under a client point, or -1.
  int ItemFromPoint(CPoint point);

  void OnThemeChanged() override;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  int m_nSortColumn = -1;
  BOOL m_bAscending = TRUE;
  BOOL m_bLButtonDown = FALSE;
  CPoint m_ptLastRClick{0, 0};

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg LRESULT OnLayout(WPARAM wParam, LPARAM lParam);
  afx_msg void OnSortAscending() { SortByLastClick(TRUE); }
  afx_msg void OnSortDescending() { SortByLastClick(FALSE); }
  afx_msg void OnAlignLeft() { SetColumnAlignment(LVCFMT_LEFT); }
  afx_msg void OnAlignCenter() { SetColumnAlignment(LVCFMT_CENTER); }
  afx_msg void OnAlignRight() { SetColumnAlignment(LVCFMT_RIGHT); }
  DECLARE_MESSAGE_MAP()

 private:
  void SortByLastClick(BOOL ascending);
  // The parent is a report list whose columns the header's items are.
  CWnd* GetParentList() const;
};

// A header that draws flat, with a theme of its own.
class CTkFlatHeaderCtrl : public CTkHeaderCtrl {
  DECLARE_DYNAMIC(CTkFlatHeaderCtrl)
 public:
  CTkFlatHeaderCtrl();
};
