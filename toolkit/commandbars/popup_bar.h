// The command bar that shows as a menu: a submenu, the popup of a popup
// control, a context menu or a drop-down. It is a window only while it is
// shown: a tool window that never activates, placed clear of what opened
// it, shortened to the often used commands until expanded, scrolled when
// taller than the work area. The bar object lives on with its control.
#pragma once

#include "command_bar.h"

class CTkControlPopup;

// Direction bits of a popup.
enum PopupDirection { kPopupLeft = 1, kPopupDown = 2 };

// Where a popup of a size goes: a rule table over the work area, the
// rectangle to keep clear, the origin and the direction bits. Kept apart
// from any window so that it can be tested alone.
struct PopupPlacement {
  CRect rect;
  int direction = 0;
  // The popup was made shorter than it wants to be.
  BOOL shortened = FALSE;
};
PopupPlacement PlacePopup(const CRect& workArea, const CRect& exclusion, CPoint origin, int direction, CSize size);

class CTkPopupBar : public CTkCommandBar {
  DECLARE_DYNCREATE(CTkPopupBar)

 public:
  enum {
    kScrollDownTimer = 5001,
    kScrollUpTimer = 5002,
    kTearOffTimer = 5003,
    kExpandButtonTimer = 5004,
    kScrollPeriod = 80,
    kExpandButtonDelay = 900,
    kScrollBand = 16,
    kExpandButtonId = 9402,
  };

  CTkPopupBar();
  ~CTkPopupBar() override;

  // A new popup bar of PopupBarClass with those command bars; null when
  // that class makes no popup bar.
  static CTkPopupBar* CreateForCommandBars(CTkCommandBars* commandBars);

  BOOL DestroyWindow() override;
  BOOL SetMenuMode(int mode, BOOL selectFirst, BOOL byKeyboard) override;
  BOOL SetHighlightedControl(int index, BOOL byKeyboard) override;
  // The popup operation in the reserved slot: wParam the control, lParam
  // the select-first flag.
  BOOL QueryReserved(WPARAM wParam, LPARAM lParam) override;
  BOOL IsVisible() const override { return GetSafeHwnd() != nullptr && IsWindowVisible(); }
  CTkCommandBar* GetParentBar() const override;
  int ProcessKey(UINT key, LPARAM lParam) override;
  CSize CalcBarSize() override;
  void DrawBar(CDC* pDC) override;
  void CopyBarFrom(CTkCommandBar* source, BOOL recursive) override;
  void OnControlsChanged() override { Relayout(); }
  void ExchangeBarProperties(CTkPropExchange* exchange) override;
  void ResetTrackingIndices() override;
  virtual void UpdateShortcuts();
  virtual void UpdateLocation(CTkControl* control);

  // Shows the popup for a control; FALSE when it cannot be shown.
  BOOL Popup(CTkControl* control, BOOL selectFirst);
  // Shows it at a screen point, clear of the rectangle when given.
  BOOL PopupAt(int x, int y, LPCRECT exclusion);
  void ExpandBar();
  // The first visible default item: its index, or its id; -1 when none.
  int GetDefaultItem(BOOL byPosition) const;
  // 2 unfold, 3 slide, 4 fade, 5 none.
  int GetAnimationType() const;

  CTkControl* GetOpeningControl() const { return m_pOpeningControl; }
  void SetOpeningControl(CTkControl* control) { m_pOpeningControl = control; }
  // Where an executed control writes its id instead of sending a command,
  // while the popup is tracked to return the chosen command.
  UINT* GetReturnCommandSlot() const { return m_pReturnCommand; }
  void SetReturnCommandSlot(UINT* slot) { m_pReturnCommand = slot; }
  int GetDirection() const { return m_nDirection; }
  void SetDirection(int direction) { m_nDirection = direction; }
  BOOL IsExpanded() const { return m_bExpanded; }
  BOOL HasHiddenItems() const { return m_bHasHiddenItems; }
  BOOL IsScrolling() const { return m_bScrolling; }
  int GetFirstVisible() const { return m_nFirstVisible; }
  int GetLastVisible() const { return m_nLastVisible; }
  const CRect& GetScrollDownBand() const { return m_rcScrollDown; }
  const CRect& GetScrollUpBand() const { return m_rcScrollUp; }
  const CRect& GetExclusion() const { return m_rcExclusion; }
  BOOL IsTearOff() const { return m_bTearOff; }
  void SetTearOff(BOOL on) { m_bTearOff = on; }
  BOOL IsTearOffHot() const { return m_bTearOffHot; }
  const CRect& GetTearOffStrip() const { return m_rcTearOff; }
  void SetTearOffBar(LPCWSTR caption, UINT id, int width) {
    m_strTearOffCaption = caption;
    m_nTearOffId = id;
    m_nTearOffWidth = width;
  }
  BOOL IsDoubleGripper() const { return m_bDoubleGripper; }
  void SetDoubleGripper(BOOL on) { m_bDoubleGripper = on; }
  BOOL GetShowShadow() const { return m_bShowShadow; }
  void SetShowShadow(BOOL on) { m_bShowShadow = on; }
  // The work area the popup is placed in; tests give their own.
  static CRect (*WorkAreaOfRect)(const RECT& rect);
  static CRect (*WorkAreaOfPoint)(POINT point);

 protected:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  BOOL CreatePopupWindow();
  // The rectangle for a size by the placement rules; sets scrolling.
  CRect PlaceForSize(CSize size);
  // The rarely used pass of the size calculation.
  void MarkRarelyUsed();
  void LayoutScrolled(CSize size, BOOL fromBottom, BOOL redraw);
  void Relayout();
  // The margins of a popup menu: borders, and the tear-off strip on top.
  CRect GetMenuMargins(CDC* pDC, int& separatorHeight, int& tearOffHeight);
  CTkControl* FindExpandButton() const;
  void PlayOpeningAnimation();
  void PlayExpandAnimation(const CRect& oldRect);
  void OnPopupMouseMove(CPoint point);
  // Drags a floating tool bar with the popup's controls off the tear-off
  // strip; back over the strip the popup shows again.
  void TearOff(CPoint clientPoint);
  void RunTearLoop();
  // Shows the popup or the torn bar; whether the point now counts as inside.
  BOOL ToggleTearPreview(BOOL inside, CPoint screenPoint);
  void MoveTornBar(CPoint screenPoint);
  void OnPopupTimer(UINT_PTR id);

  CTkControl* m_pOpeningControl = nullptr;
  CPoint m_ptOrigin{0, 0};
  CRect m_rcExclusion{0, 0, 0, 0};
  int m_nDirection = 0;
  BOOL m_bHasHiddenItems = FALSE;
  BOOL m_bExpanded = FALSE;
  BOOL m_bAnimate = FALSE;
  BOOL m_bTearOff = FALSE;
  CRect m_rcTearOff{0, 0, 0, 0};
  BOOL m_bTearOffHot = FALSE;
  BOOL m_bTearOffTimer = FALSE;
  BOOL m_bTearing = FALSE;
  CTkCommandBar* m_pTornBar = nullptr;
  CSize m_szTorn{0, 0};
  CString m_strTearOffCaption;
  UINT m_nTearOffId = 0;
  int m_nTearOffWidth = 0;
  BOOL m_bShowShadow = TRUE;
  CRect m_rcBorders{2, 4, 2, 4};
  BOOL m_bDoubleGripper = FALSE;
  BOOL m_bScrolling = FALSE;
  int m_nFirstVisible = 0;
  int m_nLastVisible = 0;
  CRect m_rcScrollDown{0, 0, 0, 0};
  CRect m_rcScrollUp{0, 0, 0, 0};
  BOOL m_bScrollDownTimer = FALSE;
  BOOL m_bScrollUpTimer = FALSE;
  UINT* m_pReturnCommand = nullptr;
  BOOL m_bInLayout = FALSE;
  BOOL m_bDestroying = FALSE;
  // The screen under the popup, read before it shows, for the fade.
  CBitmap m_screenUnder;
};

// A popup whose controls are laid out in rows like a tool bar.
class CTkPopupToolBar : public CTkPopupBar {
  DECLARE_DYNCREATE(CTkPopupToolBar)

 public:
  CTkPopupToolBar();
  static CTkPopupToolBar* CreateForCommandBars(CTkCommandBars* commandBars);
};

// The button at the foot of a shortened popup that shows the rest.
class CTkControlExpandButton : public CTkControlButton {
  DECLARE_DYNCREATE(CTkControlExpandButton)

 public:
  CTkControlExpandButton();
  CSize GetSize(CDC* pDC) override;
  void Draw(CDC* pDC) override;
  void ExecuteCommand() override;
};

// The class CreateForCommandBars makes; a program may put its own in place.
extern CRuntimeClass* PopupBarClass;
