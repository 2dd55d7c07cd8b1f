// The common part of every element of a docking layout (panes, tabbed
// containers, split groups and the client node that stands for the frame's
// view), the caption buttons of a container, and the records the manager
// sends its frame.
#pragma once

#include <vector>

#include "framework.h"

class CTkDockingPaneArrangement;
class CTkDockingPaneSite;
class CTkDockingPanePainter;
class CTkDockingPaneNode;
class CTkDockingPaneObject;
class CTkPropExchange;

// Node kinds; the same numbers are stored as "Type" in a saved layout.
enum DockingNodeType {
  kNodePane = 0,
  kNodeTabbedContainer = 1,
  kNodeSplitGroup = 2,
  kNodeMiniFrame = 3,
  kNodeClient = 4,
  kNodeHiddenStrip = 5,
};

// Sides: 0 and 1 side by side, 2 and 3 stacked; 1 and 3 after the neighbour.
enum DockingDirection { kDockLeft = 0, kDockRight = 1, kDockTop = 2, kDockBottom = 3 };

// Pane option bits.
enum DockingPaneOption : DWORD {
  kPaneNoClose = 0x01,
  kPaneNoAutoHide = 0x02,
  kPaneNoFloating = 0x04,
  kPaneNoCaption = 0x08,
  kPaneMenuButton = 0x10,
};

// Caption button ids, which are also the ids of their tool-tip strings.
enum DockingCaptionButtonId {
  kButtonAutoHide = 9900,
  kButtonClose = 9901,
  kButtonMaximize = 9907,
  kButtonRestore = 9908,
  kButtonMenu = 9909,
};

// The frame message of the manager and its wParam codes.
const UINT DockingPaneNotify = 10925;
enum DockingNotifyCode {
  kNotifyShowWindow = 1,
  kNotifyContextMenu = 2,
  kNotifyClosePane = 3,
  kNotifyAction = 4,
  kNotifyMenuRequest = 5,
};
// Sent to a pane's window for its tab colour.
const UINT DockingPaneTabColorRequest = 10425;

enum DockingActionCode {
  kActionFloating = 0,
  kActionFloated = 1,
  kActionClosing = 2,
  kActionClosed = 3,
  kActionDocking = 4,
  kActionDocked = 5,
  kActionAttaching = 6,
  kActionAttached = 7,
  kActionPinning = 8,
  kActionPinned = 9,
  kActionSlidingIn = 10,
  kActionSlidIn = 11,
  kActionSlidingOut = 12,
  kActionSlidOut = 13,
  kActionActivated = 14,
  kActionDeactivated = 15,
  kActionDraggingOut = 16,
};

struct DockingPaneAction {
  int action;
  BOOL cancel;
  CTkDockingPaneObject* pane;
  CTkDockingPaneNode* container;
  int extra;
};

struct DockingPaneMenuRequest {
  CTkDockingPaneObject* pane;
  int x;
  int y;
  RECT exclude;
};

class CTkDockingPaneCaptionButton {
 public:
  CTkDockingPaneCaptionButton(int id, CTkDockingPaneNode* owner) : m_pOwner(owner), m_id(id) {}
  virtual ~CTkDockingPaneCaptionButton() = default;
  CTkDockingPaneCaptionButton(const CTkDockingPaneCaptionButton&) = delete;
  CTkDockingPaneCaptionButton& operator=(const CTkDockingPaneCaptionButton&) = delete;

  virtual BOOL IsVisible();

  void SetRect(const RECT& rect);
  CRect GetRect() const { return m_rect; }
  // TRUE only when the button has just become hot.
  BOOL OnMouseMove(CPoint point);
  // Modal press loop; TRUE when released inside the button.
  BOOL Click(CWnd* pWnd, CPoint point, BOOL bClientCoords = TRUE);
  void Redraw();
  int GetId() const { return m_id; }
  BOOL IsPressed() const { return m_bPressed; }
  BOOL IsHot() const { return m_bHot; }
  CTkDockingPaneNode* GetOwner() const { return m_pOwner; }

  CRect m_rect{0, 0, 0, 0};
  CTkDockingPaneNode* m_pOwner;
  int m_id;
  BOOL m_bPressed = FALSE;
  BOOL m_bHot = FALSE;
  // Bit 0: may be shown; bit 1: the pane is auto-hidden.
  int m_state = 0;
};

class CTkDockingPaneNode {
 public:
  CTkDockingPaneNode(int type, CTkDockingPaneArrangement* arrangement);
  virtual ~CTkDockingPaneNode();
  CTkDockingPaneNode(const CTkDockingPaneNode&) = delete;
  CTkDockingPaneNode& operator=(const CTkDockingPaneNode&) = delete;

  virtual void Invalidate();
  virtual BOOL ContainsPane(CTkDockingPaneNode* node);
  virtual void FindPanes(int type, std::vector<CTkDockingPaneNode*>& list);
  virtual void GetMinMaxInfo(MINMAXINFO* pInfo);
  virtual void OnSizeParent(CWnd* pSite, CRect rect, AFX_SIZEPARENTPARAMS* pParams);
  virtual void OnFocusChanged() {}
  virtual void SetDockingSite(CWnd* pSite) { m_pDockingSite = pSite; }
  virtual void SetParentContainer(CTkDockingPaneNode* pParent) { m_pParent = pParent; }
  virtual void OnChildContainerChanged(CTkDockingPaneNode*) {}
  virtual int RefreshLayout(BOOL bUpdatePanes);
  virtual void OnParentContainerChanged(CTkDockingPaneNode*) {}
  virtual BOOL DoPropExchange(CTkPropExchange* pPX);
  virtual CTkDockingPaneNode* Clone(CTkDockingPaneArrangement* pArrangement, CMapPtrToPtr* pMap, DWORD flags);
  virtual void RemovePane(CTkDockingPaneNode*) {}
  virtual BOOL IsEmpty();
  virtual void OnCaptionButtonRectChanged(CTkDockingPaneCaptionButton*) {}
  virtual BOOL IsCaptionButtonVisible(CTkDockingPaneCaptionButton*) { return TRUE; }
  virtual HWND GetPaneHwnd() { return nullptr; }
  virtual BOOL IsHidden() { return FALSE; }

  CTkDockingPaneSite* GetDockingPaneManager() const;
  CTkDockingPanePainter* GetPaintManager() const;
  CRect GetScreenRect() const;
  CTkDockingPaneCaptionButton* FindCaptionButton(int id) const;
  int GetType() const { return m_type; }
  CTkDockingPaneNode* GetParentNode() const { return m_pParent; }
  CWnd* GetDockingSite() const { return m_pDockingSite; }
  CTkDockingPaneArrangement* GetArrangement() const { return m_pArrangement; }
  // The docking site as a frame that can be asked for a delayed layout.
  void DelayRecalcSite();

  int DockingCX = 0;
  int DockingCY = 0;
  CTkDockingPaneArrangement* m_pArrangement;
  CTkDockingPaneNode* m_pParent = nullptr;
  CWnd* m_pDockingSite = nullptr;
  int m_type;
  CRect m_paneRect{0, 0, 0, 0};
  std::vector<CTkDockingPaneCaptionButton*> m_captionButtons;
  int m_layoutLength = 0;
  int m_persistId = 0;
};

// Sets count pointer elements to null.
void ConstructPointerElements(void** elements, int count);
