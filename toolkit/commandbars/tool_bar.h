// The dockable command bar: docked in one of the frame's dock bars,
// floating in a window of its own, or a child of any window. It loads its
// buttons from a tool-bar resource, hides what does not fit behind an
// expand button, shows a close button while floating and follows the
// frame's floating-status and layout messages.
#pragma once

#include "bar_drag_tracker.h"
#include "command_bar.h"

class CTkDockBar;
class CTkPopupBar;

// Bits of a tool bar's dock flags.
enum BarDockFlag : DWORD {
  kDockTop = 0x01,
  kDockBottom = 0x02,
  kDockLeft = 0x04,
  kDockRight = 0x08,
  kDockFloating = 0x10,
  kDockHideWrapped = 0x20,
  kDockStretch = 0x40,
  kDockNoMinimizeBox = 0x100,
  kDockNoRestoreBox = 0x200,
  kDockNoMDISetMenu = 0x400,
  kDockNoCloseBox = 0x1000,
  kDockSystemMenuIcon = 0x2000,
  kDockFill = 0x100000,
};
const DWORD kToolBarDockFlags = 0x3f;
const DWORD kMenuBarDockFlags = 0x5f;

class CTkToolBar : public CTkCommandBar {
  DECLARE_DYNCREATE(CTkToolBar)

 public:
  enum { kExpandButtonId = 9400, kCloseButtonId = 9401 };

  CTkToolBar();
  ~CTkToolBar() override;

  void SetVisible(BOOL visible) override;
  BOOL IsVisible() const override { return m_bVisible; }
  BOOL PlaceBar(int position) override;
  void OnControlsChanged() override;
  // The floating size for the bar's last width.
  CSize CalcBarSize() override { return CalcBarSize(-1, kLayoutHorizontal | kLayoutMRUWidth); }
  void CopyBarFrom(CTkCommandBar* source, BOOL recursive) override;
  BOOL LoadToolBarResource(UINT id) override { return LoadToolBar(id, TRUE); }
  void ExchangeBarProperties(CTkPropExchange* exchange) override;
  int ProcessKey(UINT key, LPARAM lParam) override;
  // The virtual operations a tool bar adds, in their slot order.
  virtual CSize CalcDockedSize(int length, DWORD flags);
  virtual void ResetToolBar();
  virtual BOOL SetupBarWindow(CWnd* parent, BOOL floating);

  // Floating layout: a caption band on top, 3-pixel borders elsewhere.
  virtual CSize CalcBarSize(int length, DWORD flags);
  BOOL LoadToolBar(UINT id, BOOL loadImages);
  // Fills the bar from a tool-bar resource; FALSE when it is missing or
  // its images cannot be had.
  BOOL LoadControlsFromResource(UINT id, BOOL loadImages);
  void EnableDocking(DWORD flags);
  DWORD GetDockFlags() const { return m_dwFlags; }
  CTkBarDragTracker* GetDragTracker() const { return m_pDragTracker; }
  CTkDockBar* GetDockBar() const { return m_pDockBar; }
  void SetDockBar(CTkDockBar* dockBar) { m_pDockBar = dockBar; }
  BOOL IsBuiltIn() const { return m_bBuiltIn; }
  void SetBuiltIn(BOOL on) { m_bBuiltIn = on; }
  BOOL IsTearOff() const { return m_bTearOff; }
  void SetTearOff(BOOL on) { m_bTearOff = on; }
  BOOL GetShowExpandButton() const { return m_bShowExpandButton; }
  void SetShowExpandButton(BOOL on) { m_bShowExpandButton = on; }
  BOOL IsCloseable() const { return m_bCloseable; }
  void SetCloseable(BOOL on) { m_bCloseable = on; }
  // Removal from the command bars hides the bar without telling anyone.
  void ClearVisibleField() { m_bVisible = FALSE; }
  BOOL IsFloating() const { return m_barPosition == kBarFloating; }
  // Some control is hidden for lack of space.
  BOOL HasHiddenControls() const;
  void SetPreviewMode(BOOL preview);
  // Fills the expand button's popup: the hidden controls, then the
  // customize entries.
  void FillExpandPopup(CTkPopupBar* popup);
  // The "Add or Remove Buttons" list of this bar: a check item per button
  // that shows or hides it, and Reset when the bar can be reset. Buttons
  // of the loaded set the bar no longer has come back hidden by the user.
  void FillButtonsList(CTkPopupBar* list);

 protected:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
  afx_msg void OnNcLButtonDown(UINT hitTest, CPoint point);
  afx_msg void OnRButtonDown(UINT flags, CPoint point);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg int OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message);
  DECLARE_MESSAGE_MAP()

  // The bar's own buttons, made once.
  CTkControl* GetExpandButton();
  CTkControl* GetCloseButton();
  void ShowOwnControl(CTkControl* control, BOOL show);

  CTkDockBar* m_pDockBar = nullptr;
  CTkBarDragTracker* m_pDragTracker = nullptr;
  BOOL m_bBuiltIn = TRUE;
  BOOL m_bTearOff = FALSE;
  BOOL m_bVisibleBeforePreview = FALSE;
  BOOL m_bInPreview = FALSE;
  BOOL m_bShowExpandButton = TRUE;
  BOOL m_bCloseable = TRUE;
};

// The chevron at the end of a tool bar; its popup lists what is hidden.
class CTkControlToolBarExpand : public CTkControlPopup {
  DECLARE_DYNCREATE(CTkControlToolBarExpand)

 public:
  CTkControlToolBarExpand();
  void Draw(CDC* pDC) override;
  BOOL SetPopuped(BOOL popuped) override;
};

// The close button of a floating tool bar.
class CTkControlToolBarClose : public CTkControlButton {
  DECLARE_DYNCREATE(CTkControlToolBarClose)

 public:
  CTkControlToolBarClose();
  void Draw(CDC* pDC) override;
  void ExecuteCommand() override;
};

// An item of a bar's buttons list: checked while its button is not hidden
// by the user; choosing it hides or shows the button. It holds one
// reference on the button.
class CTkControlButtonsListItem : public CTkControlButton {
  DECLARE_DYNCREATE(CTkControlButtonsListItem)

 public:
  CTkControlButtonsListItem() = default;
  ~CTkControlButtonsListItem() override;
  void SetLinkedControl(CTkControl* control);
  CTkControl* GetLinkedControl() const { return m_pLinked; }
  void ExecuteCommand() override;

 protected:
  CTkControl* m_pLinked = nullptr;
};

// The last item of a buttons list: resets its bar. It holds one reference
// on the bar.
class CTkControlResetBarItem : public CTkControlButton {
  DECLARE_DYNCREATE(CTkControlResetBarItem)

 public:
  CTkControlResetBarItem() = default;
  ~CTkControlResetBarItem() override;
  void SetBar(CTkToolBar* bar);
  void ExecuteCommand() override;

 protected:
  CTkToolBar* m_pBar = nullptr;
};
