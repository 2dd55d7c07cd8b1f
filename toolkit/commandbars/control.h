// The items a command bar shows: buttons, menu items, popups. A control is
// reference counted; its collection holds it and releases it, nobody
// deletes it.
#pragma once

#include "command_bars_settings.h"
#include "framework.h"
#include "msaa_support.h"

// What a customize drop does with the dragged control (DROPEFFECT_* bits).
typedef DWORD DROPEFFECT;

class CTkBarPainter;
class CTkCommandBar;
class CTkCommandBars;
class CTkControls;
class CTkImageIcon;
class CTkImageManager;
class CTkPropExchange;

// Why a control is hidden; any bit set hides it.
enum HideReason {
  kHideByOwner = 0x01,
  kHideWrapped = 0x02,
  kHideVertical = 0x04,
  kHideScrolled = 0x08,
  kHideByUser = 0x10,
  kHideRarelyUsed = 0x20,
  kHideByToolBar = 0x40,
};

enum ControlType {
  kControlButton = 1,
  kControlPopup = 2,
  kControlButtonPopup = 3,
  kControlSplitButtonPopup = 4,
  kControlComboBox = 5,
  kControlEdit = 6,
  kControlCustom = 7,
  kControlLabel = 8,
};

// Types whose control opens a popup bar.
inline BOOL IsPopupControlType(int type) {
  return type == kControlPopup || type == kControlButtonPopup || type == kControlSplitButtonPopup;
}

// Behaviour bits of a control's flags word.
enum ControlFlag {
  kFlagRightAligned = 0x01,
  kFlagSkipKeyboard = 0x02,
  kFlagPopupLeft = 0x04,
  kFlagNoUpdate = 0x08,
  kFlagNotCustomizable = 0x10,
  kFlagStretched = 0x20,
  kFlagTipInPopups = 0x40,
};

// Button styles; the custom style wins when it is not automatic.
enum ButtonStyle { kButtonAutomatic = 0, kButtonCaption = 1, kButtonIcon = 2, kButtonIconAndCaption = 3 };

class CTkControl : public CCmdTarget, public CTkMsaaSupport {
  DECLARE_DYNCREATE(CTkControl)

 public:
  CTkControl() = default;
  ~CTkControl() override;

  // The virtual operations in their slot order.
  virtual CString GetDescription() const { return m_strDescriptionText; }
  virtual CString GetTooltip(LPPOINT point, LPRECT rect, INT_PTR* extra);
  virtual void SetBeginGroup(BOOL beginGroup);
  virtual void SetEnabled(BOOL enabled);
  virtual int GetSelected() const { return m_nSelected; }
  virtual void SetFocused(BOOL) {}
  virtual BOOL IsFocused() const { return FALSE; }
  virtual void SetControlRect(CRect rect) { m_rcControl = rect; }
  virtual BOOL IsCaptionVisible();
  virtual BOOL IsEqualControl(CTkControl* other);
  // The popup bar a popup control opens; null for the others.
  virtual CTkCommandBar* GetCommandBar() { return nullptr; }
  virtual BOOL IsLabel() const { return FALSE; }
  virtual void SetHideFlags(int flags) { m_nHideFlags = flags; }
  virtual void ExecuteCommand();
  virtual CSize GetSize(CDC* pDC);
  virtual void Draw(CDC* pDC);
  virtual void OnCalcDynamicSize(DWORD) {}
  // The icon at a width, null when the control has none.
  virtual CTkImageIcon* GetIconImage(int width);
  virtual void ExchangeControlProperties(CTkPropExchange* exchange);
  virtual void OnMnemonicActivate() { ExecuteCommand(); }
  virtual BOOL IsFocusable() const { return FALSE; }
  // 0 not handled (the bar navigates), 1 consumed, 2 the focused window gets it.
  virtual int OnHookKeyDown(UINT, LPARAM) { return 0; }
  virtual void SetParentBar(CTkCommandBar* bar) { m_pParent = bar; }
  virtual void CopyControlFrom(CTkControl* source, BOOL recursive);
  virtual BOOL SetPopuped(BOOL) { return FALSE; }
  virtual void OnClick(BOOL, CPoint) {}
  virtual void OnLButtonUp(CPoint) {}
  virtual void OnRButtonUp(CPoint) {}
  virtual BOOL OnLButtonDblClk(CPoint point);
  virtual void OnMouseMove(CPoint) {}
  virtual void OnMouseHover();
  // TRUE when the state changed.
  virtual BOOL SetSelectionState(int state);
  virtual void CustomizeMouseDown(CPoint point);
  virtual BOOL TrackCustomizeResize(CPoint point);
  virtual void CustomizeDragOver(CTkControl* dragged, CPoint point, DROPEFFECT& effect);
  virtual BOOL IsCustomizeDragOverAvail(CTkCommandBar* target, CPoint point, DROPEFFECT& effect);
  virtual BOOL IsCustomizeResizeAllowed() const { return FALSE; }
  virtual int GetCustomizeMinWidth() const { return 0; }
  virtual void SetWidth(int) {}
  // A new control of this class, filled by CopyControlFrom.
  virtual CTkControl* Clone(BOOL recursive);
  // Whether the control's popup is showing; only popups have one.
  virtual BOOL GetPopuped() const { return FALSE; }
  // What the looks read of edit and combo fields; the field controls
  // give their own.
  virtual int GetFieldWidth() const { return 0; }
  virtual BOOL IsLabelShown() const { return FALSE; }
  virtual CString GetFieldText() const { return CString(); }
  // The look tells a field how wide its drop button is, and lets it draw
  // its own text; FALSE leaves the text to the look.
  virtual void SetFieldThumbWidth(int) {}
  virtual BOOL DrawFieldText(CDC*, CRect) { return FALSE; }

  // Texts. A tab in a caption splits off the automatic shortcut text.
  void SetCaption(const CString& caption);
  CString GetCaption() const { return m_strCaption; }
  void SetCustomCaption(const CString& caption) { m_strCustomCaption = caption; }
  CString GetCustomCaption() const { return m_strCustomCaption; }
  CString GetVisibleCaption() const { return m_strCustomCaption.IsEmpty() ? m_strCaption : m_strCustomCaption; }
  CString GetShortcutText() const { return m_strShortcutText.IsEmpty() ? m_strAutoShortcutText : m_strShortcutText; }
  void SetShortcutText(const CString& text) { m_strShortcutText = text; }
  CString GetAutoShortcutText() const { return m_strAutoShortcutText; }
  void SetAutoShortcutText(const CString& text) { m_strAutoShortcutText = text; }
  // A prompt of two lines gives the description, then the tooltip.
  void SetPrompt(const CString& prompt);
  CString GetTooltipText() const { return m_strTooltipText; }
  void SetTooltip(const CString& text) { m_strTooltipText = text; }
  void SetDescription(const CString& text) { m_strDescriptionText = text; }
  CString GetParameter() const { return m_strParameter; }
  void SetParameter(const CString& text) { m_strParameter = text; }
  CString GetCategory() const { return m_strCategory; }
  void SetCategory(const CString& text) { m_strCategory = text; }

  int GetType() const { return m_nType; }
  void SetType(int type) { m_nType = type; }
  UINT GetID() const { return m_nId; }
  // A new id brings its string resource as the prompt.
  void SetID(UINT id);
  int GetTag() const { return m_nTag; }
  void SetTag(int tag) { m_nTag = tag; }
  int GetIconId() const { return m_nIconId; }
  void SetIconId(int id) { m_nIconId = id; }
  int GetCustomIconId() const { return m_nCustomIconId; }
  void SetCustomIconId(int id) { m_nCustomIconId = id; }
  // The custom icon id, else the icon id when set, else the command id.
  UINT GetResolvedIconId() const;
  BOOL GetBeginGroup() const { return m_bBeginGroup; }
  BOOL GetEnabled() const { return m_bEnabled; }
  BOOL GetChecked() const { return m_bChecked; }
  void SetChecked(BOOL checked) { m_bChecked = checked; }
  // The state alone, without the bar's notifications (SetSelectionState).
  void SetSelected(int state) { m_nSelected = state; }
  int GetPressed() const { return m_nPressed; }
  void SetPressed(int pressed) { m_nPressed = pressed; }
  BOOL IsTemporary() const { return m_bTemporary; }
  void SetTemporary(BOOL temporary) { m_bTemporary = temporary; }
  const CRect& GetRect() const { return m_rcControl; }
  const CRect& GetRowRect() const { return m_rcRow; }
  void SetRowRect(const CRect& rect) { m_rcRow = rect; }
  BOOL GetWrap() const { return m_bWrap; }
  void SetWrap(BOOL wrap) { m_bWrap = wrap; }
  int GetHideFlags() const { return m_nHideFlags; }
  BOOL IsVisible() const { return m_nHideFlags == 0; }
  int GetFlags() const { return m_nFlags; }
  void SetFlags(int flags) { m_nFlags = flags; }
  int GetStyle() const { return m_nStyle; }
  void SetStyle(int style) { m_nStyle = style; }
  int GetCustomStyle() const { return m_nCustomStyle; }
  void SetCustomStyle(int style) { m_nCustomStyle = style; }
  int GetEffectiveStyle() const { return m_nCustomStyle != 0 ? m_nCustomStyle : m_nStyle; }
  BOOL IsDefaultItem() const { return m_bDefaultItem; }
  void SetDefaultItem(BOOL on) { m_bDefaultItem = on; }
  BOOL IsRarelyUsed() const { return m_bRarelyUsed; }
  void SetRarelyUsed(BOOL on) { m_bRarelyUsed = on; }
  BOOL GetCloseSubMenuOnClick() const { return m_bCloseSubMenuOnClick; }
  void SetCloseSubMenuOnClick(BOOL on) { m_bCloseSubMenuOnClick = on; }
  CTkIdMap& GetAssignedDocTemplates() { return m_docTemplatesAssigned; }
  CTkIdMap& GetExcludedDocTemplates() { return m_docTemplatesExcluded; }
  int GetIndex() const { return m_nIndex; }
  CTkCommandBar* GetParent() const { return m_pParent; }
  CTkControls* GetControls() const { return m_pControls; }

  // Sends WM_CMDBARS_NOTIFY with the code to the bar's command target.
  LRESULT NotifySite(UINT code);
  // The modal press of a tool-bar button; an empty rectangle means the
  // control's own.
  void TrackButtonPress(CRect activeRect = CRect(0, 0, 0, 0));
  // In customize mode, the resize cursor near a resizable control's sides.
  void SetResizeCursor(CPoint point);

  // The cursor mapped into the parent bar lies on the control.
  BOOL IsCursorOver() const;
  BOOL IsCustomizeMode() const;
  // The parent bar's paint manager, else the command bars', else the
  // current one; null only when the program has no look.
  CTkBarPainter* GetPaintManager() const;
  // The parent bar's image manager, else the command bars', else the shared one.
  CTkImageManager* GetImageManager() const;
  CTkCommandBars* GetCommandBars() const;
  void DelayRedrawParent();
  void MarkControlsChanged();
  void InvalidateParent();
  // The control at an index of a command-bar window; null for other windows.
  static CTkControl* FromBarAndIndex(HWND hWnd, int index);

  // Accessibility.
  CCmdTarget* AccGetOwner() override { return this; }
  LPUNKNOWN GetInterface(const IID& iid) override;
  HRESULT AccGetParent(IDispatch** parent) override;
  HRESULT AccGetChildCount(long* count) override;
  HRESULT AccGetChild(VARIANT child, IDispatch** dispatch) override;
  HRESULT AccGetName(VARIANT child, BSTR* name) override;
  HRESULT AccGetDescription(VARIANT child, BSTR* description) override;
  HRESULT AccGetRole(VARIANT child, VARIANT* role) override;
  HRESULT AccGetState(VARIANT child, VARIANT* state) override;
  HRESULT AccGetDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT AccSelect(long flags, VARIANT child) override;
  HRESULT AccLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
  HRESULT AccHitTest(long x, long y, VARIANT* child) override;
  HRESULT AccDoDefaultAction(VARIANT child) override;
  // The accessible name: the caption without mnemonics, a tab and the shortcut.
  CString GetAccessibleName() const;
  long GetAccessibleState() const;

 protected:
  friend class CTkControls;
  // The next message of a private mouse loop while hCapture holds the
  // capture; FALSE ends the loop: the capture went, GetMessage failed, or
  // the program is ending (the quit is posted again for the outer loop).
  static BOOL NextCapturedMessage(HWND hCapture, MSG& msg);
  // Draws or erases the inverted frame of a customize resize.
  static void DrawResizeFrame(CDC* pDC, const CRect& rect);

  int m_nTag = 0;
  int m_nIndex = 0;
  UINT m_nId = 0;
  int m_nIconId = 0;
  int m_nCustomIconId = 0;
  BOOL m_bBeginGroup = FALSE;
  BOOL m_bEnabled = TRUE;
  BOOL m_bChecked = FALSE;
  int m_nSelected = 0;
  int m_nPressed = 0;
  BOOL m_bTemporary = FALSE;
  CRect m_rcRow{0, 0, 0, 0};
  CRect m_rcControl{0, 0, 0, 0};
  int m_nHideFlags = 0;
  int m_nFlags = 0;
  CString m_strCaption;
  CString m_strCustomCaption;
  CString m_strShortcutText;
  CString m_strAutoShortcutText;
  CString m_strTooltipText;
  CString m_strDescriptionText;
  CString m_strParameter;
  CTkControls* m_pControls = nullptr;
  int m_nType = 0;
  CTkCommandBar* m_pParent = nullptr;
  BOOL m_bRarelyUsed = FALSE;
  CString m_strCategory;
  BOOL m_bDefaultItem = FALSE;
  CTkIdMap m_docTemplatesAssigned;
  CTkIdMap m_docTemplatesExcluded;
  int m_nStyle = 0;
  int m_nCustomStyle = 0;
  BOOL m_bCloseSubMenuOnClick = TRUE;
  // The control starts a new row in the last layout.
  BOOL m_bWrap = FALSE;
};

class CTkControlButton : public CTkControl {
  DECLARE_DYNCREATE(CTkControlButton)

 public:
  CTkControlButton() { m_nType = kControlButton; }
  // Tool bars press it; popups run it when the button is released over it.
  void OnClick(BOOL byKeyboard, CPoint point) override;
  void OnLButtonUp(CPoint point) override;
  void ExchangeControlProperties(CTkPropExchange* exchange) override;
};

// A control that opens a popup bar: a menu title or submenu (2), a button
// popup (3) or a split button (4). It holds one reference on its bar.
class CTkControlPopup : public CTkControl {
  DECLARE_DYNCREATE(CTkControlPopup)

 public:
  explicit CTkControlPopup(int type = kControlPopup) { m_nType = type; }
  ~CTkControlPopup() override;
  // A popup control of type 2, 3 or 4.
  static CTkControlPopup* CreatePopup(int type);

  BOOL IsEqualControl(CTkControl* other) override;
  CTkCommandBar* GetCommandBar() override { return m_pCommandBar; }
  void ExchangeControlProperties(CTkPropExchange* exchange) override;
  void OnMnemonicActivate() override;
  // The base copy; the popup bar is shared, or cloned when recursive.
  void CopyControlFrom(CTkControl* source, BOOL recursive) override;
  BOOL SetPopuped(BOOL popuped) override;
  void OnClick(BOOL byKeyboard, CPoint point) override;
  void OnLButtonUp(CPoint point) override;
  BOOL OnLButtonDblClk(CPoint point) override;
  void OnMouseHover() override;
  BOOL SetSelectionState(int state) override;
  void CustomizeDragOver(CTkControl* dragged, CPoint point, DROPEFFECT& effect) override;
  BOOL GetPopuped() const override { return m_bPopuped; }
  virtual void OnPopupOpened();
  // Where the popup bar appears, adjusted by the look.
  virtual void GetPopupPosition(CRect& rect);

  // Takes a reference on the bar and releases the old one.
  void SetCommandBar(CTkCommandBar* bar);
  // Both open the same bar, or some popup inside this one's bar does.
  BOOL IsAncestorOf(CTkControlPopup* other, int depth = 0);
  UINT GetStoredBarId() const { return m_nStoredBarId; }
  void SetStoredBarId(UINT id) { m_nStoredBarId = id; }

 protected:
  BOOL m_bPopuped = FALSE;
  CTkCommandBar* m_pCommandBar = nullptr;
  UINT m_nStoredBarId = 0;
};
