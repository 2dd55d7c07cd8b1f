// CPaneSplitter: lays two existing windows out side by side (vertical
// split) or one above the other (horizontal split) with a gap the user
// drags; the split position is kept in the profile per splitter id.
#pragma once

#include "framework.h"

const DWORD kSplitVertical = 0x1;
const DWORD kSplitHorizontal = 0x2;

// The bar centre kept within the minimums; the lower limit wins when the
// window is too narrow for both.
int LimitSplit(int centre, int low, int high, int minimumLow, int minimumHigh);

struct SplitLayout {
  CRect bar;     // the gap's sensitive area, twice the bar width across
  CRect first;   // left or top pane
  CRect second;  // right or bottom pane
};
SplitLayout VerticalSplitLayout(const CRect& client, int centre, int barWidth);
SplitLayout HorizontalSplitLayout(const CRect& client, int centre, int barWidth);

class CPaneSplitter : public CStatic {
 public:
  CPaneSplitter() = default;

  // Style bit 1: vertical split (first pane left); bit 2: horizontal (first
  // pane on top). The panes become the splitter's children and keep the
  // parent as their owner, so their notifications still reach it.
  BOOL Create(DWORD dwStyle, CWnd* pParentWnd, CWnd* pFirstPane, CWnd* pSecondPane, UINT nID, const RECT& rect,
              int nFirstMinimum, int nSecondMinimum);
  void HideFirstPane();
  void ShowFirstPane();

  BOOL PreTranslateMessage(MSG* pMsg) override;

  int GetBarWidth() const { return m_nBarWidth; }
  BOOL IsFirstPaneHidden() const { return m_bFirstPaneHidden; }
  BOOL IsDragging() const { return m_vertDrag.dragging || m_horzDrag.dragging; }
  const CRect& GetLeftRect() const { return m_rcLeft; }
  const CRect& GetBottomRect() const { return m_rcBottom; }
  const CRect& GetVerticalBarRect() const { return m_rcVertBar; }
  const CRect& GetHorizontalBarRect() const { return m_rcHorzBar; }

  static CString VerticalSection(UINT nID);
  static CString HorizontalSection(UINT nID);

 protected:
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnDestroy();
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  DECLARE_MESSAGE_MAP()

 private:
  void LayOutVertical(int centre);
  void LayOutHorizontal(int centre);
  void FillWithSecondPane();
  // One drag across the gap of either split.
  struct SplitDrag {
    CRect rect;                  // the splitter's window rectangle, moved with the drag
    CPoint last;                 // the mouse at the previous step
    BOOL tracking = FALSE;       // the cursor was set by the press
    BOOL dragging = FALSE;
    HWND focusBefore = nullptr;  // given back when the drag is cancelled
  };
  SplitDrag& Drag(BOOL vertical) { return vertical ? m_vertDrag : m_horzDrag; }
  static HCURSOR SizingCursor(BOOL vertical);
  int LimitAlong(BOOL vertical, CPoint point);
  void DrawBand(BOOL vertical);
  void InvertBand(const CRect& band);
  void BeginDrag(BOOL vertical, CPoint point);
  void FollowDrag(BOOL vertical, CPoint point);
  void EndDrag(BOOL vertical, CPoint point);
  // Ends a drag with the panes as they were (Escape or a lost capture).
  void CancelDrag(BOOL vertical);

  CWnd* m_pLeft = nullptr;
  CWnd* m_pRight = nullptr;
  CWnd* m_pTop = nullptr;
  CWnd* m_pBottom = nullptr;
  int m_nMinLeft = 0;
  int m_nMinRight = 0;
  int m_nMinTop = 0;
  int m_nMinBottom = 0;
  int m_nBarWidth = 5;
  UINT m_nID = 0;
  int m_nLeftWidth = 0;
  int m_nBottomHeight = 0;
  CRect m_rcLeft, m_rcRight, m_rcTop, m_rcBottom;
  CRect m_rcVertBar, m_rcHorzBar;
  BOOL m_bHorzMode = FALSE;
  BOOL m_bVertMode = FALSE;
  BOOL m_bFirstPaneHidden = FALSE;
  SplitDrag m_vertDrag;
  SplitDrag m_horzDrag;
};
