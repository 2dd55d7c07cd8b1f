// The toolkit's status bar: a control bar over the common status control
// that keeps its panes as objects, computes their edges itself, updates
// them through the frame's command handlers and draws itself through the
// current paint manager.
#pragma once

#include <vector>

#include "bar_painter.h"
#include "framework.h"
#include "status_bar_pane.h"

class CTkImageManager;
class CTkTipContext;

// What the part layout reads of a pane.
struct CTkPaneSpan {
  int width;
  BOOL visible;
  BOOL stretch;
};

// The right edges of the visible panes: each pane is its width + 6 wide,
// with borders[2] between panes, starting at borders[0]; what is left of
// insideWidth goes to the stretching panes, shared by integer division with
// the earlier ones taking the smaller shares. Panes never get narrower
// than their width.
std::vector<int> CalcPaneRightEdges(const std::vector<CTkPaneSpan>& panes, int insideWidth, const int borders[3]);

class CTkStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CTkStatusBar)
 public:
  CTkStatusBar();
  ~CTkStatusBar() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
  BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID);

  // Id 0 makes a separator pane (stretching and borderless when first);
  // other ids take their string. FALSE when a string is missing: the
  // panes made so far stay.
  BOOL CreatePanesFromIds(const UINT* ids, int count);
  void RemoveAllPanes();
  CTkStatusBarPane* GetPane(int index) const;
  int GetPaneCount() const { return static_cast<int>(m_panes.GetSize()); }
  int CommandToIndex(UINT id) const;
  int GetVisiblePaneCount() const;
  UINT GetPaneStyle(int index) const;
  void SetPaneStyle(int index, UINT style);
  // Without update the text waits for the next paint.
  BOOL SetPaneText(int index, LPCWSTR text, BOOL update = TRUE);
  void GetItemRect(int index, LPRECT rect) const;
  CTkStatusBarPane* HitTestPane(CPoint point, CRect* rect) const;
  void UpdateAllPanes(BOOL updateRects, BOOL updateTexts);

  // The installed paint manager (the default look installed when none is);
  // null when the program has no look at all.
  CTkBarPainter* GetPaintManager() const { return GetCurrentBarPainter(); }
  CTkImageManager* GetImageManager() const;
  CFont* GetStatusFont() { return &m_font; }
  int GetMinHeight() const { return m_nMinHeight; }

  void CalcInsideRect(CRect& rect, BOOL bHorz) const override;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
  INT_PTR OnToolHitTest(CPoint point, TTTOOLINFOW* pTI) const override;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  // The whole bar as WM_PAINT shows it, drawn off-screen and copied to pDC.
  void DrawBar(CDC* pDC);
  virtual void DrawPane(CDC* pDC, int index, CRect rect);
  virtual void DrawSizeGripper(CDC* pDC, CRect rect);

  CArray<CTkStatusBarPane*, CTkStatusBarPane*> m_panes;
  int m_nMinHeight = 0;
  CFont m_font;
  BOOL m_bDrawDisabledText = TRUE;
  // Shows the panes' tips.
  CTkTipContext* m_pTipContext = nullptr;

 protected:
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint() { EraseNonClient(); }
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  // Update-UI for every pane: the bar's own handlers, then the target's.
  void UpdatePanes(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
  // The parent has a sizing border and is not maximised.
  BOOL ParentShowsGrip() const;
  int GetLastVisibleIndex() const;
};
