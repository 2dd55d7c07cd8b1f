// Children side by side or one above the other, sharing the group's
// rectangle by their preferred and limiting sizes, with a split bar the
// user drags between every two of them.
#pragma once

#include <vector>

#include "docking_pane_node.h"

class CTkDockingPaneSplitGroup;

class CTkDockingPaneSplitBar : public CWnd {
 public:
  CTkDockingPaneSplitBar() = default;
  ~CTkDockingPaneSplitBar() override;

  BOOL Create(CTkDockingPaneSplitGroup* group, CTkDockingPaneNode* first, CTkDockingPaneNode* second);
  // TRUE for a bar between stacked children: its long side runs across.
  BOOL IsHorizontal() const;
  // The range the bar's leading edge may move in, and the two nodes' span.
  BOOL GetTrackRect(CRect& track, CRect& span) const;
  // The two nodes' preferred sizes from the bar at barRect (screen).
  void ApplyPosition(const CRect& barRect, const CRect& span);
  BOOL CanDrag() const;

  CTkDockingPaneSplitGroup* m_pGroup = nullptr;
  CTkDockingPaneNode* m_pFirst = nullptr;
  CTkDockingPaneNode* m_pSecond = nullptr;
  HCURSOR m_hCursor = nullptr;

 protected:
  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg BOOL OnEraseBkgnd(CDC*);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  DECLARE_MESSAGE_MAP()

 private:
  void TrackLive(CPoint point, const CRect& track, const CRect& span);
};

class CTkDockingPaneSplitGroup : public CTkDockingPaneNode {
 public:
  explicit CTkDockingPaneSplitGroup(CTkDockingPaneArrangement* arrangement);
  ~CTkDockingPaneSplitGroup() override;

  BOOL ContainsPane(CTkDockingPaneNode* node) override;
  void FindPanes(int type, std::vector<CTkDockingPaneNode*>& list) override;
  void GetMinMaxInfo(MINMAXINFO* pInfo) override;
  void OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* pParams) override;
  void OnChildContainerChanged(CTkDockingPaneNode* node) override;
  void OnParentContainerChanged(CTkDockingPaneNode* parent) override;
  BOOL DoPropExchange(CTkPropExchange* pPX) override;
  CTkDockingPaneNode* Clone(CTkDockingPaneArrangement* pArrangement, CMapPtrToPtr* pMap, DWORD flags) override;
  void RemovePane(CTkDockingPaneNode* node) override;
  BOOL IsEmpty() override;
  virtual CTkDockingPaneSplitBar* CreateSplitBar() { return new CTkDockingPaneSplitBar; }

  void Init(CTkDockingPaneNode* first, BOOL horizontal, CWnd* pSite);
  void InsertPane(CTkDockingPaneNode* node, CTkDockingPaneNode* neighbour, BOOL bAfter);
  void ReplacePane(CTkDockingPaneNode* oldNode, CTkDockingPaneNode* newNode);
  // Unlinks a child without telling anybody (used while collapsing).
  void RemovePaneQuietly(CTkDockingPaneNode* node);
  void FindChildPanes(int type, std::vector<CTkDockingPaneNode*>& list);
  BOOL IsChildBefore(CTkDockingPaneNode* node, int position) const;
  void CopyFrom(CTkDockingPaneSplitGroup* other, CMapPtrToPtr* pMap);
  CRect GetDockingRect(CTkDockingPaneNode* pane, int direction, CTkDockingPaneNode* neighbour);
  CRect GetSplitDockingRect(CTkDockingPaneNode* node, CTkDockingPaneNode* pane, int direction);
  void RebuildSplitBars();

  // Shares rect among the nodes; the nodes' layout lengths carry the result.
  static void DistributeSizes(CTkDockingPaneSite* site, const std::vector<CTkDockingPaneNode*>& list,
                              const CRect& rect, BOOL horizontal, BOOL bApply, int& total, int& extra);
  // The rectangles DistributeSizes gives inside rect, in list order.
  static std::vector<CRect> PlaceNodes(CTkDockingPaneSite* site, const std::vector<CTkDockingPaneNode*>& list,
                                       const CRect& rect, BOOL horizontal, BOOL bApply);

  std::vector<CTkDockingPaneNode*> m_children;
  std::vector<CTkDockingPaneSplitBar*> m_splitBars;
  BOOL m_bHorizontal = FALSE;
  BOOL m_bBusy = FALSE;

 private:
  void DestroySplitBars();
};

int GetSplitterWidth(CTkDockingPaneSite* site);
