// Panes shown in one place: a caption with the selected pane's title and
// caption buttons, the selected pane's window, and a tab per pane when
// there is more than one.
#pragma once

#include <vector>

#include "docking_pane_node.h"
#include "tab_set.h"

class COleDropTarget;

class CTkDockingPaneTabbedContainer : public CWnd, public CTkDockingPaneNode, public CTkTabSet {
  DECLARE_DYNAMIC(CTkDockingPaneTabbedContainer)
 public:
  explicit CTkDockingPaneTabbedContainer(CTkDockingPaneArrangement* arrangement);
  ~CTkDockingPaneTabbedContainer() override;

  virtual void SelectPane(CTkDockingPaneObject* pane, BOOL bSetFocus = TRUE, BOOL bDelayRecalc = TRUE);
  virtual BOOL IsCaptionVertical();
  BOOL IsTabsVisible();
  virtual BOOL HitTestDockingArea(RECT* rect, CPoint point);
  virtual void OnCaptionButtonClick(CTkDockingPaneCaptionButton* button);
  virtual void CopyFrom(CTkDockingPaneTabbedContainer* other, CMapPtrToPtr* pMap, DWORD excludeOptions);
  virtual void UpdateTabs();

  // Node operations.
  void Invalidate() override;
  BOOL ContainsPane(CTkDockingPaneNode* node) override;
  void FindPanes(int type, std::vector<CTkDockingPaneNode*>& list) override;
  void GetMinMaxInfo(MINMAXINFO* pInfo) override;
  void OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* pParams) override;
  void OnFocusChanged() override;
  void SetDockingSite(CWnd* pSite) override;
  int RefreshLayout(BOOL bUpdatePanes) override;
  void OnParentContainerChanged(CTkDockingPaneNode* parent) override;
  BOOL DoPropExchange(CTkPropExchange* pPX) override;
  CTkDockingPaneNode* Clone(CTkDockingPaneArrangement* pArrangement, CMapPtrToPtr* pMap, DWORD flags) override;
  void RemovePane(CTkDockingPaneNode* node) override;
  BOOL IsEmpty() override { return m_panes.empty(); }
  BOOL IsCaptionButtonVisible(CTkDockingPaneCaptionButton* button) override;
  HWND GetPaneHwnd() override { return m_hWnd; }
  BOOL IsHidden() override;

  // Tab-set operations.
  void Reposition() override;
  void RedrawControl() override;
  CTkTabPainter* GetPainter() const override;
  BOOL DrawTabIcon(CDC* pDC, POINT pt, CTkTabManagerItem* item, BOOL draw, SIZE* size) override;

  void InitFromPane(CTkDockingPaneObject* pane, CWnd* pSite);
  void AddPane(CTkDockingPaneObject* pane, BOOL bSetFocus = TRUE);
  void ShowContainer(BOOL bSetFocus);
  // Drags the whole container while the left button is still down.
  void OnCaptionDrag(CPoint screenPoint);
  CString GetTitle() const;
  void SetCaptionVisible(BOOL visible);
  BOOL IsCaptionVisible() const;
  // -2 the caption, a tab index, or -1.
  int HitTest(CPoint point);
  CTkDockingPaneObject* GetPaneAt(int index) const;
  CTkDockingPaneObject* GetSelected() const { return m_pSelectedPane; }
  const std::vector<CTkDockingPaneObject*>& GetPanes() const { return m_panes; }
  BOOL IsContainerActive() const { return m_bContainerActive; }
  BOOL IsMaximized() const { return m_bMaximized; }
  BOOL IsMaximizePossible();

  INT_PTR OnToolHitTest(CPoint point, TTTOOLINFOW* pTI) const override;

  BOOL m_bMaximized = FALSE;
  BOOL m_bContainerActive = FALSE;
  BOOL m_bCaptionShown = TRUE;
  int m_layoutGuard = 0;
  CTkDockingPaneObject* m_pSelectedPane = nullptr;
  CTkDockingPaneObject* m_pTabDragPane = nullptr;
  std::vector<CRect> m_tabRects;
  std::vector<CTkDockingPaneObject*> m_panes;
  COleDropTarget* m_pDropTarget = nullptr;

  // A drag over a tab shows that tab's pane; nothing is dropped here.
  void OnDragOverTab(CPoint point);

 protected:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  afx_msg void OnPaint();
  afx_msg void OnDestroy();
  afx_msg BOOL OnEraseBkgnd(CDC*);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg LRESULT OnMouseLeave(WPARAM, LPARAM);
  afx_msg LRESULT OnHelpHitTest(WPARAM, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  BOOL CreateContainerWindow();
  void FocusSelected();
  void EndTabDrag();
  void RunMenuRequest(CTkDockingPaneCaptionButton* button);
  void RecalcSiteNow();
  CRect ClientRectForPanes();
};
