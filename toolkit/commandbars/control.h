// The items a command bar shows: buttons, menu items, popups. A control is
// reference counted; its collection holds it and releases it, nobody
// deletes it.
#pragma once

#include "framework.h"

class CTkBarPainter;
class CTkCommandBar;
class CTkControls;
class CTkImageIcon;
class CTkImageManager;

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

// Button styles; the custom style wins when it is not automatic.
enum ButtonStyle { kButtonAutomatic = 0, kButtonCaption = 1, kButtonIcon = 2, kButtonIconAndCaption = 3 };

class CTkControl : public CCmdTarget {
  DECLARE_DYNCREATE(CTkControl)

 public:
  CTkControl() = default;

  virtual BOOL GetSelected() const { return m_nSelected; }
  virtual void SetControlRect(const CRect& rect) { m_rcControl = rect; }
  virtual BOOL IsCaptionVisible();
  virtual void SetHideFlags(int flags) { m_nHideFlags = flags; }
  // The icon at a width, null when the control has none.
  virtual CTkImageIcon* GetIconImage(int width);
  virtual CSize GetSize(CDC* pDC);
  virtual void Draw(CDC* pDC);
  virtual void SetParentBar(CTkCommandBar* bar) { m_pParent = bar; }
  // Whether the control's popup is showing; only popups have one.
  virtual BOOL GetPopuped() const { return FALSE; }

  // Text after a tab becomes the automatic shortcut text.
  void SetCaption(const CString& caption);
  CString GetCaption() const { return m_strCaption; }
  void SetCustomCaption(const CString& caption) { m_strCustomCaption = caption; }
  CString GetVisibleCaption() const { return m_strCustomCaption.IsEmpty() ? m_strCaption : m_strCustomCaption; }
  CString GetShortcutText() const { return m_strShortcutText.IsEmpty() ? m_strAutoShortcutText : m_strShortcutText; }

  int GetType() const { return m_nType; }
  void SetType(int type) { m_nType = type; }
  UINT GetID() const { return m_nId; }
  void SetID(UINT id) { m_nId = id; }
  void SetIconId(int id) { m_nIconId = id; }
  void SetCustomIconId(int id) { m_nCustomIconId = id; }
  // The custom icon id, else the icon id when set, else the command id.
  UINT GetResolvedIconId() const;
  BOOL GetEnabled() const { return m_bEnabled; }
  void SetEnabled(BOOL enabled) { m_bEnabled = enabled; }
  BOOL GetChecked() const { return m_bChecked; }
  void SetChecked(BOOL checked) { m_bChecked = checked; }
  int GetPressed() const { return m_nPressed; }
  void SetPressed(int pressed) { m_nPressed = pressed; }
  void SetSelected(int state) { m_nSelected = state; }
  const CRect& GetRect() const { return m_rcControl; }
  int GetHideFlags() const { return m_nHideFlags; }
  BOOL IsVisible() const { return m_nHideFlags == 0; }
  int GetStyle() const { return m_nStyle; }
  void SetStyle(int style) { m_nStyle = style; }
  int GetCustomStyle() const { return m_nCustomStyle; }
  void SetCustomStyle(int style) { m_nCustomStyle = style; }
  int GetEffectiveStyle() const { return m_nCustomStyle != 0 ? m_nCustomStyle : m_nStyle; }
  BOOL IsDefaultItem() const { return m_bDefaultItem; }
  void SetDefaultItem(BOOL on) { m_bDefaultItem = on; }
  BOOL IsRarelyUsed() const { return m_bRarelyUsed; }
  void SetRarelyUsed(BOOL on) { m_bRarelyUsed = on; }
  int GetIndex() const { return m_nIndex; }
  CTkCommandBar* GetParent() const { return m_pParent; }
  CTkControls* GetControls() const { return m_pControls; }

  // The parent bar's paint manager, else the current one.
  CTkBarPainter* GetPaintManager() const;
  // The parent bar's image manager, else the shared one.
  CTkImageManager* GetImageManager() const;

 protected:
  friend class CTkControls;

  int m_nIndex = 0;
  UINT m_nId = 0;
  int m_nIconId = 0;
  int m_nCustomIconId = 0;
  BOOL m_bEnabled = TRUE;
  BOOL m_bChecked = FALSE;
  int m_nSelected = 0;
  int m_nPressed = 0;
  CRect m_rcControl{0, 0, 0, 0};
  int m_nHideFlags = 0;
  CString m_strCaption;
  CString m_strCustomCaption;
  CString m_strShortcutText;
  CString m_strAutoShortcutText;
  CTkControls* m_pControls = nullptr;
  int m_nType = 0;
  CTkCommandBar* m_pParent = nullptr;
  BOOL m_bRarelyUsed = FALSE;
  BOOL m_bDefaultItem = FALSE;
  int m_nStyle = 0;
  int m_nCustomStyle = 0;
};

class CTkControlButton : public CTkControl {
  DECLARE_DYNCREATE(CTkControlButton)

 public:
  CTkControlButton() { m_nType = kControlButton; }
};

// A control that opens a popup bar: a menu title or submenu (2), a button
// popup (3) or a split button (4).
class CTkControlPopup : public CTkControl {
  DECLARE_DYNCREATE(CTkControlPopup)

 public:
  explicit CTkControlPopup(int type = kControlPopup) { m_nType = type; }
  BOOL GetPopuped() const override { return m_bPopuped; }
  void SetPopuped(BOOL popuped) { m_bPopuped = popuped; }

 protected:
  BOOL m_bPopuped = FALSE;
};
