// The task panel: a scrolling child window showing a stack of groups, each
// a caption over a client area of links, text lines and controls. It lays
// the groups out, animates opening and closing, tracks the hot, focused and
// pressed items, and reports every user action to its owner window as one
// message. A frame holds one; it is made a window only when a program
// shows it.
#pragma once

#include "framework.h"
#include "task_panel_group.h"
#include "task_panel_group_item.h"
#include "task_panel_item.h"
#include "task_panel_items.h"
#include "task_panel_painter.h"

class CTkImageManager;
class CTkTaskPanelDropTarget;
class CTkTipContext;

// Sent to the owner (else the parent): wParam a code below, lParam its item.
const UINT TaskPanelOwnerMessage = 10220;
enum TaskPanelNotification {
  kTaskNotifyClick = 1,
  kTaskNotifyRightClick = 2,
  kTaskNotifyStartDrag = 3,
  kTaskNotifyRename = 4,
  kTaskNotifyDrop = 5,
  kTaskNotifyExpanding = 6,
  kTaskNotifyAnimationDone = 7,
  kTaskNotifyCaptionDoubleClick = 8,
  kTaskNotifyFocusChanged = 9,
};
// The parameter of notification 6.
struct TaskPanelExpandRequest {
  CTkTaskPanelGroup* group;
  BOOL expanded;
};

enum TaskPanelMode { kPanelModeIndependent = 0, kPanelModeList = 1, kPanelModeBox = 2 };
enum TaskPanelTimer { kAnimationTimer = 200, kScrollButtonTimer = 202, kHoverExpandTimer = 203 };

struct TaskPanelScrollButton {
  explicit TaskPanelScrollButton(int dir) : direction(dir) {}
  BOOL IsVisible(BOOL classic) const { return !rect.IsRectEmpty() && scrollGroup != nullptr && (enabled || classic); }

  int direction;  // 1 up, 0 down
  BOOL enabled = FALSE;
  BOOL pressed = FALSE;
  CRect rect{0, 0, 0, 0};  // document coordinates
  BOOL hot = FALSE;
  CTkTaskPanelGroup* scrollGroup = nullptr;
  CTkTaskPanelGroup* captionGroup = nullptr;
};

class CTkTaskPanel : public CWnd, public CTkMsaaSupport {
  DECLARE_DYNAMIC(CTkTaskPanel)
 public:
  CTkTaskPanel();
  ~CTkTaskPanel() override;

  BOOL Create(DWORD style, const RECT& rect, CWnd* pParentWnd, UINT id);

  virtual void OnItemClicked(CTkTaskPanelItem* item);
  virtual void SetGroupExpanded(CTkTaskPanelGroup* group, BOOL expanded);
  virtual void DrawPanel(CDC* pDC);
  virtual LRESULT SendOwnerNotification(WPARAM code, LPARAM param);
  virtual void DragItem(CTkTaskPanelItem* item);
  virtual void DragGroupCaption(CTkTaskPanelGroup* group);
  virtual void RenameItem(CTkTaskPanelItem* item, LPCWSTR text);
  // The effect a drag over a client point would have; it picks the drop
  // target. Null data clears the target.
  virtual DROPEFFECT OnDragOverPanel(COleDataObject* data, DWORD keyState, CPoint point);
  virtual BOOL OnDropOnPanel(COleDataObject* data, DROPEFFECT dropEffect, CPoint point);
  virtual void OnItemRemoved(CTkTaskPanelItem* item);
  virtual void UpdateScrollBar();

  INT_PTR OnToolHitTest(CPoint point, TTTOOLINFOW* pTI) const override;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  LPUNKNOWN GetInterface(const IID& iid) override;
  CCmdTarget* AccGetOwner() override { return this; }
  HRESULT AccGetParent(IDispatch** parent) override;
  HRESULT AccGetChildCount(long* count) override;
  HRESULT AccGetChild(VARIANT child, IDispatch** dispatch) override;
  HRESULT AccGetName(VARIANT child, BSTR* name) override;
  HRESULT AccGetRole(VARIANT child, VARIANT* role) override;
  HRESULT AccGetState(VARIANT child, VARIANT* state) override;
  HRESULT AccLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
  HRESULT AccHitTest(long x, long y, VARIANT* child) override;
  // Child ids count from 1: a group, its items, the next group...
  CTkTaskPanelItem* GetAccessibleChild(long childId) const;
  long GetAccessibleChildId(const CTkTaskPanelItem* item) const;

  void SelectPaintTheme(int theme);
  int GetPaintTheme() const { return m_theme; }
  CTkTaskPanelPainter* GetPaintManager() const { return m_pPainter; }
  void LayoutGroups(BOOL animate);
  // 1 after a lock, -1 after an unlock that leaves it locked, 0 when the
  // last unlock laid the panel out.
  int LockLayout(BOOL lock);
  BOOL IsLayoutLocked() const { return m_layoutLockCount > 0; }
  void SetAnimationMode(int mode);
  int GetAnimationMode() const { return m_animationMode; }
  BOOL IsAnimating() const { return m_animationTimer != 0; }
  BOOL IsGroupExpanded(const CTkTaskPanelGroup* group) const;
  int GetHotTrackStyle() const;
  int GetItemLayout() const;

  CTkTaskPanelGroup* AddGroup(LPCWSTR caption, int iconIndex = -1, int id = 0);
  CTkTaskPanelItems* GetGroups() const { return m_pGroups; }
  int GetGroupCount() const { return m_pGroups->GetCount(); }
  CTkTaskPanelGroup* GetGroupAt(int index) const;
  CTkImageManager* GetImageManager() const;

  TaskPanelScrollButton* HitTestScrollButton(CPoint point);
  CTkTaskPanelGroup* HitTestGroup(CPoint point, BOOL* onCaption = nullptr) const;
  CTkTaskPanelItem* HitTestItem(CPoint point, BOOL groupWhenNoItem = FALSE) const;
  void TrackHotItem(CTkTaskPanelItem* item);

  void TakeFocus();
  void MoveFocusTo(CTkTaskPanelItem* item, BOOL byKeyboard);
  CTkTaskPanelItem* NextFocusStop(CTkTaskPanelItem* from, BOOL forward, BOOL byGroup, BOOL byRow) const;
  BOOL IsFocusRectShown() const;

  void EnsureItemVisible(CTkTaskPanelItem* item);
  void ScrollRectIntoView(const CRect& rect);
  void SetScrollPosition(int position);
  int GetScrollPosition() const;
  int GetContentHeight() const { return m_contentHeight; }
  BOOL IsScrollBarShown() const { return m_bScrollBarShown; }
  const TaskPanelScrollButton& GetScrollButton(BOOL up) const { return up ? m_upButton : m_downButton; }
  // One step of every group (only the moving ones with onlyMoving); TRUE
  // when a group was stepped.
  BOOL AnimateGroups(BOOL onlyMoving);

  // Places the scroll buttons of modes 1 and 2 and enables them.
  void RepositionScrollButtons();
  // Starts the rename edit over the item's caption.
  BOOL EditItemCaption(CTkTaskPanelItem* item);

  CTkTaskPanelItem* GetHotItem() const { return m_pHotItem; }
  CTkTaskPanelItem* GetFocusedItem() const { return m_pFocusedItem; }
  CTkTaskPanelItem* GetPressedItem() const { return m_pPressedItem; }
  CTkTaskPanelItem* GetDraggedItem() const { return m_pDraggedItem; }
  CTkTaskPanelItem* GetDropTarget() const { return m_pDropTarget; }
  CTkTaskPanelGroup* GetActiveGroup() const { return m_pActiveGroup; }
  BOOL IsOleInitialized() const { return m_bOleInitialized; }

  void SetPanelMode(int mode);
  int GetPanelMode() const { return m_panelMode; }
  void SetMargins(const RECT& margins) { m_panelMargins = margins; }
  const RECT& GetMargins() const { return m_panelMargins; }
  void SetGroupSpacing(int spacing) { m_groupSpacing = spacing; }
  int GetGroupSpacingValue() const { return m_groupSpacing; }
  void SetItemLayout(int layout) { m_itemLayout = layout; }
  void SetHotTrackStyle(int style) { m_hotTrackStyle = style; }
  void SetItemsInColumns(BOOL columns, int columnWidth = 100);
  void SetItemIconSize(SIZE size) { m_itemIconSize = size; }
  void SetCaptionIconSize(SIZE size) { m_captionIconSize = size; }
  void SetGroupsExpandable(BOOL expandable) { m_bGroupsExpandable = expandable; }
  void SetTakesFocus(BOOL takes) { m_bTakesFocus = takes; }
  void SetSelectOnFocus(BOOL select) { m_bSelectOnFocus = select; }
  void SetSelectionIsFocus(BOOL selection) { m_bSelectionIsFocus = selection; }
  void SetDragFlags(int flags) { m_dragFlags = flags; }
  void SetAcceptsDrops(BOOL accepts) { m_bAcceptsDrops = accepts; }

  CTkTaskPanelItems* m_pGroups;
  CTkTaskPanelPainter* m_pPainter = nullptr;
  int m_theme = 2;
  int m_layoutLockCount = 0;
  int m_contentHeight = 0;
  int m_reportedContentHeight = 0;
  RECT m_panelMargins = kTaskPanelDefaultRect;
  int m_groupSpacing = kTaskPanelDefaultMetric;
  BOOL m_bScrollBarShown = FALSE;
  CTkTaskPanelItem* m_pHotItem = nullptr;
  CTkTaskPanelItem* m_pFocusedItem = nullptr;
  CTkTaskPanelItem* m_pPressedItem = nullptr;
  CTkTaskPanelItem* m_pDraggedItem = nullptr;
  CTkTaskPanelItem* m_pDropTarget = nullptr;
  BOOL m_bAnimate = TRUE;
  int m_animationMode = 0;
  HCURSOR m_hHandCursor = nullptr;
  UINT_PTR m_animationTimer = 0;
  int m_animationStepsLeft = 10;
  CTkImageManager* m_pImageManager;
  BOOL m_bGroupsExpandable = TRUE;
  BOOL m_bTakesFocus = TRUE;
  BOOL m_bFocusSetInternally = FALSE;
  BOOL m_bFocusRectShown = FALSE;
  CSize m_itemIconSize{16, 16};
  CSize m_captionIconSize{32, 32};
  BOOL m_bSelectOnFocus = FALSE;
  CPoint m_pressPoint{0, 0};
  int m_dragFlags = 0;
  BOOL m_bAcceptsDrops = TRUE;
  int m_itemLayout = 0;
  BOOL m_bItemsInColumns = FALSE;
  int m_columnWidth = 100;
  int m_hotTrackStyle = 0;
  int m_panelMode = kPanelModeIndependent;
  CTkTaskPanelGroup* m_pActiveGroup = nullptr;
  CTkTaskPanelDropTarget* m_pDropTargetObject;
  BOOL m_bHoverExpandPending = FALSE;
  TaskPanelScrollButton m_downButton{0};
  TaskPanelScrollButton m_upButton{1};
  BOOL m_bSelectionIsFocus = FALSE;
  CTkTipContext* m_pTipContext;
  BOOL m_bScrollBarUpdating = FALSE;

 protected:
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnPaint();
  void OnSize(UINT type, int cx, int cy);
  void OnVScroll(UINT code, UINT position, CScrollBar* pScrollBar);
  void OnMouseMove(UINT flags, CPoint point);
  BOOL OnSetCursor(CWnd* pWnd, UINT hitTest, UINT message);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnRButtonDown(UINT flags, CPoint point);
  void OnTimer(UINT_PTR id);
  void OnSysColorChange();
  void OnSettingChange(UINT flags, LPCWSTR section);
  void OnSetFocus(CWnd* pOldWnd);
  void OnKillFocus(CWnd* pNewWnd);
  void OnKeyDown(UINT key, UINT repeat, UINT flags);
  BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
  UINT OnGetDlgCode();
  void OnCaptureChanged(CWnd* pWnd);
  void OnDestroy();
  void OnMouseLeave();
  LRESULT OnPrint(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  void ReplaceReference(CTkTaskPanelItem*& slot, CTkTaskPanelItem* item);
  // The item still belongs to this panel (the owner may have removed it
  // while a notification was being answered).
  BOOL IsInPanel(const CTkTaskPanelItem* item) const;
  void RunScrollButtonLoop(TaskPanelScrollButton* button);
  void ScrollActiveGroupRow(TaskPanelScrollButton* button);
  int GetScrollLimit() const;
  CWnd* GetNextTabWindow(BOOL previous) const;
  BOOL SystemAnimatesMenus() const;
  void SetDropTarget(CTkTaskPanelItem* target);
  void StopHoverExpand();
  void OnHoverExpandTimer();

  BOOL m_bOleInitialized = FALSE;
};

// Hands OLE drags over the panel window to the panel.
class CTkTaskPanelDropTarget : public COleDropTarget {
 public:
  DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  void OnDragLeave(CWnd* pWnd) override;
  BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
};

// The rename edit over an item's caption; it deletes itself when closed.
class CTkTaskPanelEditItem : public CEdit {
  DECLARE_DYNAMIC(CTkTaskPanelEditItem)
 public:
  CTkTaskPanelEditItem(CTkTaskPanel* panel, CTkTaskPanelItem* item);
  ~CTkTaskPanelEditItem() override;

  BOOL m_bCancelled = FALSE;
  CTkTaskPanelItem* m_pItem;

 protected:
  void PostNcDestroy() override { delete this; }
  UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
  void OnChar(UINT ch, UINT repeat, UINT flags);
  void OnKillFocus(CWnd* pNewWnd);
  DECLARE_MESSAGE_MAP()

 private:
  void Finish();

  CTkTaskPanel* m_pPanel;
  BOOL m_bFinished = FALSE;
};
