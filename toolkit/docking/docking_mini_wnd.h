// A small top-level frame owned by the main frame that holds floating
// panes: one split group of tabbed containers, a caption the pane paint
// manager may draw with Close, Auto Hide (roll up) and Menu buttons, and a
// rolled-up mode that shows only the caption until the pointer comes back.
#pragma once

#include <vector>

#include "docking_pane_node.h"
#include "framework.h"

class CTkDockingPaneSplitGroup;
class CTkDockingPaneObject;

class CTkDockingPaneMiniWnd : public CMiniFrameWnd, public CTkDockingPaneNode {
  DECLARE_DYNAMIC(CTkDockingPaneMiniWnd)
 public:
  explicit CTkDockingPaneMiniWnd(CTkDockingPaneArrangement* arrangement);
  ~CTkDockingPaneMiniWnd() override;

  virtual void CopyFrom(CTkDockingPaneMiniWnd* other, CMapPtrToPtr* pMap);
  virtual BOOL CreateAt(CRect rect);
  virtual void OnCaptionButtonClick(CTkDockingPaneCaptionButton* button);
  virtual BOOL OnCaptionButtonDown(CTkDockingPaneCaptionButton* button);

  // Node operations.
  void Invalidate() override;
  BOOL ContainsPane(CTkDockingPaneNode* node) override;
  void FindPanes(int type, std::vector<CTkDockingPaneNode*>& list) override;
  void OnChildContainerChanged(CTkDockingPaneNode* node) override;
  int RefreshLayout(BOOL bUpdatePanes) override;
  BOOL DoPropExchange(CTkPropExchange* pPX) override;
  CTkDockingPaneNode* Clone(CTkDockingPaneArrangement* pArrangement, CMapPtrToPtr* pMap, DWORD flags) override;
  void RemovePane(CTkDockingPaneNode* node) override;
  BOOL IsEmpty() override;
  BOOL IsCaptionButtonVisible(CTkDockingPaneCaptionButton* button) override;
  HWND GetPaneHwnd() override { return m_hWnd; }

  void RecalcLayout(BOOL bNotify = TRUE) override;
  INT_PTR OnToolHitTest(CPoint point, TTTOOLINFOW* pTI) const override;

  // Creates the window at rect and puts node (a pane or a container) inside.
  void Float(CTkDockingPaneNode* node, CRect rect);
  void ToggleCollapse();
  // The selected pane when the frame holds exactly one tabbed container.
  CTkDockingPaneObject* GetSinglePane();
  void RedrawFrame();
  BOOL IsThemed() const;
  CTkDockingPaneSplitGroup* GetTopContainer() const { return m_pTopContainer; }
  // The rectangle a frame created at rect gets: one that misses its
  // monitor's work area is moved the least distance that brings it inside.
  static CRect PlaceOnWorkArea(const CRect& rect, const CRect& workArea);

  CTkDockingPaneSplitGroup* m_pTopContainer = nullptr;
  BOOL m_bCloseAllowed = FALSE;
  int m_expandedHeight = 0;
  int m_steps = 8;
  int m_step = 0;
  int m_countdown = 0;
  BOOL m_bCollapsed = FALSE;
  BOOL m_bRolledDown = FALSE;
  BOOL m_bRolling = FALSE;

  enum { kTimerWatch = 1, kTimerRoll = 3, kTimerHot = 2345 };

 protected:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void PostNcDestroy() override {}
  afx_msg void OnClose();
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  afx_msg void OnDestroy();
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnNcPaint();
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  DECLARE_MESSAGE_MAP()

 private:
  int CollapsedHeight() const;
  BOOL HasFocusInside() const;
  void SetTopContainer(CTkDockingPaneSplitGroup* group);
  void UpdateSystemMenuClose(BOOL allowed);
};
