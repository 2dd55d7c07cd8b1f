// The docking-pane manager of one frame: an invisible child window of the
// frame that owns the live layout and the pane paint manager, places the
// docked panes during the frame's own layout pass, offers the operations
// on panes and tells the frame about every user action.
#pragma once

#include <vector>

#include "docking_pane_node.h"
#include "framework.h"

class CTkDockingPaneArrangement;
class CTkDockingPaneDragTracker;
class CTkDockingPaneObject;
class CTkDockingPanePainter;
class CTkDockingPaneTabbedContainer;
class CTkImageManager;
class CTkImageIcon;
class CTkTipContext;

class CTkDockingPaneSite : public CWnd {
 public:
  CTkDockingPaneSite();
  ~CTkDockingPaneSite() override;

  virtual CTkDockingPaneArrangement* CreateLayout();
  // The node factory by type; NULL for a type this build cannot make.
  virtual CTkDockingPaneNode* CreatePaneNode(int type, CTkDockingPaneArrangement* layout);
  virtual void SetActivePane(BOOL bActive, CTkDockingPaneObject* pane);

  // Creates the manager's window and live layout in the frame, once.
  BOOL InstallInFrame(CFrameWnd* pFrame);
  void SetPaneTheme(int theme);
  int GetPaneTheme() const { return m_paneTheme; }
  CTkDockingPaneObject* FindPane(int id) const;
  void ShowPane(CTkDockingPaneObject* pane, BOOL bSetFocus = TRUE);
  void ClosePane(CTkDockingPaneObject* pane);
  // Puts a pane or container into a new floating frame at rect (screen).
  void FloatPane(CTkDockingPaneNode* node, CRect rect);
  void DockPane(CTkDockingPaneNode* node, int direction, CTkDockingPaneNode* neighbour = nullptr);
  // Auto-hides a pane or container; for an auto-hidden one it only closes
  // the slid-out window.
  void HidePane(CTkDockingPaneNode* node);
  void AttachPane(CTkDockingPaneNode* node, CTkDockingPaneNode* container);
  BOOL ToggleDocking(CTkDockingPaneNode* node);
  CRect CalcDockingRect(CTkDockingPaneNode* node, int direction, CTkDockingPaneNode* neighbour);
  int GetPaneDirection(CTkDockingPaneNode* node) const;
  CTkDockingPaneTabbedContainer* GetPaneHolder(CTkDockingPaneObject* pane, BOOL bFloating) const;
  // TRUE when the frame vetoed the action.
  BOOL NotifyAction(int action, CTkDockingPaneObject* pane, CTkDockingPaneNode* container, int extra);
  CTkImageIcon* GetPaneImage(int id, int width) const;
  void RedrawPanes();
  BOOL IsLayoutRTL() const;
  int MirrorDirection(int direction) const;
  void RecordPaneHolders();
  BOOL MovePaneToHolder(CTkDockingPaneObject* pane, CTkDockingPaneTabbedContainer* holder);
  // Makes a pane with an entry in the live layout, closed until docked.
  CTkDockingPaneObject* CreatePane(int id, LPCWSTR title, HWND hwndChild = nullptr);
  // Every pane tells its container whether the focus is inside it.
  void UpdatePaneFocus();

  CFrameWnd* GetSite() const { return m_pFrame; }
  CTkDockingPaneArrangement* GetLayout() const { return m_pLayout; }
  CTkDockingPanePainter* GetPaintManager() const { return m_pPaintManager; }
  CTkDockingPaneObject* GetActivePane() const { return m_pActivePane; }
  CTkDockingPaneNode* GetTopContainer() const;
  CTkDockingPaneNode* GetClientNode() const;
  BOOL IsLaidOut() const { return m_bLaidOut; }
  BOOL IsOleInitialized() const { return m_bOleInitialized; }

  int m_autoHideMargin = 22;
  BOOL m_bCloseAll = FALSE;
  BOOL m_bHideWholeContainers = TRUE;
  CFrameWnd* m_pFrame = nullptr;
  CTkDockingPaneArrangement* m_pLayout = nullptr;
  CTkDockingPanePainter* m_pPaintManager = nullptr;
  CTkDockingPaneObject* m_pActivePane = nullptr;
  CTkImageManager* m_pImageManager = nullptr;
  BOOL m_bHideClient = FALSE;
  BOOL m_bResizeWithTracker = TRUE;
  BOOL m_bShowMaximizeButtons = FALSE;
  BOOL m_bLockAutoHideSize = FALSE;
  BOOL m_bPreviewWindows = FALSE;
  BOOL m_bDockingStickers = FALSE;
  BOOL m_bThemedFloatingFrames = FALSE;
  BOOL m_bSyncActiveFloatingFrames = TRUE;
  DWORD m_defaultOptions = 0;
  int m_verticalCaptionMode = 0;
  CString m_floatingTitle;
  int m_stickerStyle = 0;
  CTkDockingPaneDragTracker* m_pDragTracker = nullptr;
  CTkTipContext* m_pTipContext = nullptr;
  BOOL m_bAttaching = FALSE;
  BOOL m_bLaidOut = FALSE;

 protected:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM);
  afx_msg void OnSysColorChange();
  afx_msg void OnSettingChange(UINT uFlags, LPCWSTR lpszSection);
  DECLARE_MESSAGE_MAP()

 private:
  void InsertNode(CTkDockingPaneNode* node, int direction, CTkDockingPaneNode* neighbour);
  // Takes a pane out of its container, or gives a container's panes to a
  // new container of the same kind.
  CTkDockingPaneNode* DetachForMove(CTkDockingPaneNode* node);

  int m_paneTheme = 0;
  BOOL m_bOleInitialized = FALSE;
};
