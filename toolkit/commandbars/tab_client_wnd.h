// The MDI client shown as tab strips: every MDI child is a tab, the
// children lose their captions and frames, a click on a tab activates its
// child, and the tabs may be split into groups side by side or one above
// the other, with splitters between them that the user drags.
#pragma once

#include <vector>

#include "framework.h"
#include "tab_set.h"

class CMDIFrameWnd;
class CTkTabClientWnd;
class CTkTabPainter;

// Dragging the splitter of group i to a position along the stacking
// direction, in an area from start to end that holds both groups: the two
// groups share their sizes and the splitter width as the position says.
void SplitGroupExtents(int splitterWidth, double& first, double& second, int position, int areaStart, int areaEnd);

// One group of tabs: its strip, the rectangle it covers, and its extent
// along the stacking direction.
class CTkTabClientGroup : public CTkTabSet {
 public:
  explicit CTkTabClientGroup(CTkTabClientWnd* client) : m_pClient(client) { m_bReorderAllowed = FALSE; }

  CTkTabPainter* GetPainter() const override;
  void RedrawControl() override;
  void Reposition() override;
  BOOL DrawTabIcon(CDC*, POINT, CTkTabManagerItem*, BOOL, SIZE*) override { return FALSE; }
  CString GetTabCaption(const CTkTabManagerItem* item) const override;
  // A tab clicked activates its child.
  void OnTabClicked(CTkTabManagerItem* item) override;

  static HWND ChildOf(const CTkTabManagerItem* item) { return reinterpret_cast<HWND>(item->GetItemData()); }
  CTkTabManagerItem* FindTab(HWND child) const;

  CTkTabClientWnd* m_pClient;
  double m_extent = 0;
  CRect m_rect{0, 0, 0, 0};
  CRect m_splitter{0, 0, 0, 0};
};

class CTkTabClientWnd : public CWnd {
  DECLARE_DYNAMIC(CTkTabClientWnd)

 public:
  CTkTabClientWnd();
  ~CTkTabClientWnd() override;

  // Takes over the frame's MDI client; FALSE when the frame has none.
  BOOL Attach(CMDIFrameWnd* frame, BOOL grouping = TRUE);
  // Lays the groups out again; with updateFrame the frame lays itself out too.
  void Refresh(BOOL updateFrame = FALSE);
  // The tab standing for a child, searching the groups in order.
  CTkTabManagerItem* FindTab(HWND child) const;
  CTkTabClientGroup* FindGroup(HWND child) const;
  // The group commands: moving the active child's tab to the previous or
  // next group, or into a new group below or to the right.
  BOOL IsGroupCommandEnabled(UINT id) const;
  BOOL RunGroupCommand(UINT id);
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  int GetGroupCount() const { return static_cast<int>(m_groups.size()); }
  CTkTabClientGroup* GetGroup(int index) const { return m_groups[index]; }
  BOOL IsStackedVertically() const { return m_bStackedVertically; }
  BOOL IsGrouping() const { return m_bGrouping; }
  CTkTabPainter* GetTabPainter() const { return m_pPainter; }
  int GetSplitterWidth() const { return m_splitterWidth; }
  void SetUseTracker(BOOL on) { m_bUseTracker = on; }
  BOOL IsInRefresh() const { return m_bInRefresh; }
  // Applies a splitter position of group i (client coordinates).
  void MoveSplitter(int group, CPoint point, const CRect& area);

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The visible MDI children, in the client's order.
  std::vector<HWND> VisibleChildren() const;
  HWND ActiveChild() const;
  // Every visible child one tab; empty groups go.
  void SyncTabs();
  void LayoutGroups();
  void PlaceChildren();
  void RemoveEmptyGroups();
  void StripChild(HWND child);
  void Paint();
  void PaintBorder();
  void TrackSplitter(int group, CPoint point);
  int SplitterAt(CPoint point) const;
  void StoreExtents();
  double ExtentOf(const CRect& rect) const { return m_bStackedVertically ? rect.Height() : rect.Width(); }

  CMDIFrameWnd* m_pFrame = nullptr;
  std::vector<CTkTabClientGroup*> m_groups;
  BOOL m_bGrouping = TRUE;
  BOOL m_bStackedVertically = FALSE;
  int m_splitterWidth = 5;
  BOOL m_bUseTracker = FALSE;
  BOOL m_bTabsAttached = TRUE;
  BOOL m_bLayoutLock = FALSE;
  BOOL m_bInRefresh = FALSE;
  CTkTabPainter* m_pPainter = nullptr;
};
