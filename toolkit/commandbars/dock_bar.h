// The window along one edge of the frame that holds docked tool bars in
// rows. The bars sit in one array in which a null entry ends a row; the
// layout keeps bars where they were put where it can, pushes, pulls and
// shrinks them where it must, and wraps what does not fit into further
// rows for that layout only.
#pragma once

#include <vector>

#include "framework.h"

class CTkCommandBars;
class CTkToolBar;

// Dock styles: the edge a dock bar aligns to and its border bit.
const DWORD kDockStyleTop = 0x2800;
const DWORD kDockStyleBottom = 0x8200;
const DWORD kDockStyleLeft = 0x1400;
const DWORD kDockStyleRight = 0x4100;

class CTkDockBar : public CWnd {
  DECLARE_DYNAMIC(CTkDockBar)

 public:
  explicit CTkDockBar(CTkCommandBars* commandBars) : m_pCommandBars(commandBars) {}

  BOOL Create(CWnd* parent, DWORD style, UINT id);
  // Docks a bar at a screen rectangle (its centre picks the row), or in a
  // new last row without one.
  void DockCommandBar(CTkToolBar* bar, LPCRECT rect);
  // Removes the bar's entry, except the one at the kept index.
  void RemoveCommandBar(CTkToolBar* bar, int keep = -1);
  int FindBar(CTkToolBar* bar, int skip = -1) const;
  // Null for row ends and outside the array.
  CTkToolBar* GetBarAt(int index) const;
  int GetEntryCount() const { return static_cast<int>(m_bars.size()); }
  // 0 top, 1 bottom, 2 left, 3 right.
  int GetPosition() const;
  BOOL IsHorizontal() const { return (m_dwDockStyle & (0x2000 | 0x8000)) != 0; }
  // The visible bars of the row holding an index, by their leading edge.
  void GetRowBars(int index, std::vector<CTkToolBar*>& bars) const;
  CSize CalcDockBarSize(int length, DWORD flags, AFX_SIZEPARENTPARAMS* layout);
  // A bar, or a row end for null, put in at an entry index (clamped).
  void InsertEntry(int index, CTkToolBar* bar);
  // Runs of row ends become one.
  void RemoveEmptyRows();

 protected:
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg void OnPaint();
  afx_msg LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  afx_msg void OnRButtonDown(UINT flags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  struct RowRecord;
  int InsertIndexFor(CPoint center);
  void IsolateStretched(CTkToolBar* bar);
  DWORD RowLayoutFlags(CTkToolBar* bar) const;
  // Lays one row's bars out; FALSE and the bar to wrap when they do not fit.
  BOOL LayoutRow(std::vector<RowRecord>& records, int offset, int length, CTkToolBar*& wrap);
  // Lays a row out, wrapping its overflow into further rows; the thickness.
  int LayoutRowWrapping(const std::vector<CTkToolBar*>& bars, int offset, int length, HDWP& deferral);
  int PlaceRow(std::vector<RowRecord>& records, int offset, int length, HDWP& deferral);

  DWORD m_dwDockStyle = 0;
  std::vector<CTkToolBar*> m_bars{nullptr};
  CTkCommandBars* m_pCommandBars;
};
