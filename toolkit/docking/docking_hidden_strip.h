// The band along one edge of a frame that shows the tabs of the containers
// auto-hidden on that side, one group of tabs per container. A click or a
// hover on a tab slides its pane out in an auto-hide window.
#pragma once

#include <memory>
#include <vector>

#include "docking_pane_node.h"
#include "tab_set.h"

class COleDropTarget;
class CTkDockingPaneAutoHideWnd;
class CTkDockingPaneHiddenStrip;
class CTkDockingPaneObject;
class CTkDockingPaneTabbedContainer;

// The tabs of one container in the strip.
class CTkDockingPaneStripTabs : public CTkTabSet {
 public:
  explicit CTkDockingPaneStripTabs(CTkDockingPaneHiddenStrip* strip);
  ~CTkDockingPaneStripTabs() override;

  CTkTabPainter* GetPainter() const override;
  void RedrawControl() override;
  void Reposition() override { RedrawControl(); }
  BOOL IsReorderAllowed() const override { return m_bReorderAllowed; }
  BOOL DrawTabIcon(CDC* pDC, POINT pt, CTkTabManagerItem* item, BOOL draw, SIZE* size) override;
  int GetStripPosition() const override;

  CTkDockingPaneHiddenStrip* m_pStrip;
  CTkDockingPaneTabbedContainer* m_pContainer = nullptr;
  CRect m_rect{0, 0, 0, 0};
};

class CTkDockingPaneHiddenStrip : public CWnd, public CTkDockingPaneNode {
  DECLARE_DYNAMIC(CTkDockingPaneHiddenStrip)
 public:
  explicit CTkDockingPaneHiddenStrip(CTkDockingPaneArrangement* arrangement);
  ~CTkDockingPaneHiddenStrip() override;

  // Cuts the strip's band off rect; an empty strip takes nothing.
  using CTkDockingPaneNode::OnSizeParent;
  virtual void OnSizeParent(CWnd* pSite, RECT* rect, AFX_SIZEPARENTPARAMS* pParams);
  virtual void AddContainer(CTkDockingPaneTabbedContainer* container);
  virtual BOOL Create(CWnd* pParent);

  // Node operations.
  void Invalidate() override {
    if (m_hWnd != nullptr) CWnd::Invalidate(FALSE);
  }
  void OnChildContainerChanged(CTkDockingPaneNode* node) override;
  int RefreshLayout(BOOL bUpdatePanes) override;
  BOOL DoPropExchange(CTkPropExchange* pPX) override;
  CTkDockingPaneNode* Clone(CTkDockingPaneArrangement* pArrangement, CMapPtrToPtr* pMap, DWORD flags) override;
  void RemovePane(CTkDockingPaneNode* node) override;
  BOOL IsEmpty() override;
  HWND GetPaneHwnd() override { return m_hWnd; }

  void ShowAutoHideWindow(CTkDockingPaneObject* pane, BOOL bSetFocus);
  void CloseAutoHideWindow(BOOL bDelayed);
  CTkDockingPaneObject* HitTestTab(CPoint point) const;
  int GetThickness() const;
  void LayoutTabs(CDC* pDC, CRect rect);
  // Paints the band over the client area: the header gradient, then the
  // tab groups.
  void DrawStrip(CDC* pDC);
  void SetSide(int side) { m_side = side; }
  int GetSide() const { return m_side; }
  const std::vector<CTkDockingPaneTabbedContainer*>& GetContainers() const { return m_containers; }
  // The pane shown in the present auto-hide window, or NULL.
  CTkDockingPaneObject* GetShownPane() const;
  // Destroys the auto-hide window and every window still closing, at once
  // and without asking the frame: the strip or its layout is going away.
  void DestroyAutoHideWindows();
  // A window whose delayed close has started: destroyed with the strip
  // when it is still there.
  void AddClosingWindow(CTkDockingPaneAutoHideWnd* window);
  // The pane of a tab dragged over by OLE is shown; nothing is dropped.
  void OnDragOverTab(CPoint point);

  CTkDockingPaneAutoHideWnd* m_pAutoHideWnd = nullptr;
  int m_side = kDockLeft;
  std::vector<CTkDockingPaneTabbedContainer*> m_containers;
  std::vector<std::unique_ptr<CTkDockingPaneStripTabs>> m_tabGroups;
  COleDropTarget* m_pDropTarget = nullptr;

 protected:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg LRESULT OnMouseHover(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  CTkTabPainter* GetTabPainter() const;
  CTkDockingPaneTabbedContainer* ContainerOf(CTkDockingPaneObject* pane) const;
  // Windows whose delayed close has started, with the handle they had.
  std::vector<std::pair<CTkDockingPaneAutoHideWnd*, HWND>> m_closing;
};
