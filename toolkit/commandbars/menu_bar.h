// The tool bar that stands for the frame's menu: its controls are built
// from a menu resource, the frame's own menu is taken away, and the frame
// is hooked so that menu changes and keyboard activation reach the bar.
#pragma once

#include <map>

#include "tool_bar.h"

class CTkMenuBar : public CTkToolBar {
  DECLARE_DYNCREATE(CTkMenuBar)

 public:
  enum {
    kRefreshTimer = 12223,
    // The maximized MDI child's controls.
    kMDICloseId = 9403,
    kMDIRestoreId = 9404,
    kMDIMinimizeId = 9405,
    kMDISystemMenuId = 9406,
  };

  CTkMenuBar();
  ~CTkMenuBar() override;

  void CopyBarFrom(CTkCommandBar* source, BOOL recursive) override;
  void ResetToolBar() override;
  int OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result) override;

  BOOL LoadMenuBar(UINT menuId);
  // Shows the controls of another menu, keeping the current set when the
  // bar may be customized.
  void SwitchMenu(HMENU menu);
  void RefreshMDIButtons();
  // Before the layout is saved: back to the frame's menu, and drops the
  // stored sets that still equal what they were built from.
  void FoldMenuSets();
  // Null in a frame that is not an MDI frame.
  HWND GetActiveMDIChild(BOOL* maximized) const;
  UINT GetDefaultMenuId() const { return m_nDefaultMenuId; }
  UINT GetCurrentMenuId() const { return m_nCurrentMenuId; }
  HMENU GetFrameMenu() const { return m_hFrameMenu; }
  BOOL HasMenuSets() const { return !m_menuControlSets.empty(); }
  // Whether a save switched the bar back to the frame's menu; asking clears it.
  BOOL TakeSetsRestored() {
    const BOOL restored = m_bSetsRestored;
    m_bSetsRestored = FALSE;
    return restored;
  }

  // The per-document menus travel with the bar.
  void ExchangeBarProperties(CTkPropExchange* exchange) override;
  void CollectForSave(UINT& nextId, CTkCommandBarList& list, const BarsExchangeParams& params) override;
  void RestorePopupLinks(CTkCommandBarList& list) override;

 protected:
  afx_msg void OnTimer(UINT_PTR id);
  DECLARE_MESSAGE_MAP()

  // Rebuilds the controls from the menu resource of an id.
  BOOL RebuildFromMenuId(UINT menuId);
  void ReleaseMenuSets();
  // Brings the MDI child controls in line with the active child; TRUE
  // when the controls changed.
  BOOL UpdateMDIControls(HWND child, BOOL maximized);
  // TRUE when there were any.
  BOOL RemoveMDIControls();

  BOOL m_bMDIFrame = FALSE;
  HWND m_hHookedChild = nullptr;
  HMENU m_hFrameMenu = nullptr;
  UINT m_nDefaultMenuId = 0;
  UINT m_nCurrentMenuId = 0;
  std::map<UINT, CTkControls*> m_menuControlSets;
  BOOL m_bSetsRestored = FALSE;
};

// A system command of the maximized MDI child: an item of its system menu,
// sent to the child as WM_SYSCOMMAND.
class CTkControlMDISysCommand : public CTkControlButton {
  DECLARE_DYNCREATE(CTkControlMDISysCommand)

 public:
  explicit CTkControlMDISysCommand(UINT command = SC_CLOSE);
  void ExecuteCommand() override;
  UINT GetSysCommand() const { return m_nSysCommand; }

 protected:
  UINT m_nSysCommand;
};

// Minimize, restore and close of the maximized child at the end of the
// menu bar, drawn as their Marlett glyph.
class CTkControlMDIButton : public CTkControlMDISysCommand {
  DECLARE_DYNCREATE(CTkControlMDIButton)

 public:
  CTkControlMDIButton() = default;
  CTkControlMDIButton(UINT command, LPCWSTR glyph, LPCWSTR tip);
  CSize GetSize(CDC* pDC) override;
  void Draw(CDC* pDC) override;
};

// The maximized child's icon at the start of the menu bar; it opens the
// child's system menu. The icon is a 16 x 16 copy the control owns.
class CTkControlMDISystemMenu : public CTkControlPopup {
  DECLARE_DYNCREATE(CTkControlMDISystemMenu)

 public:
  CTkControlMDISystemMenu();
  ~CTkControlMDISystemMenu() override;
  CSize GetSize(CDC* pDC) override;
  void Draw(CDC* pDC) override;
  void GetPopupPosition(CRect& rect) override;
  // Rebuilds the popup and the icon when the child or its system menu
  // changed; TRUE when it did.
  BOOL UpdateFromChild(HWND child);
  HICON GetIcon() const { return m_hIcon; }

 protected:
  void SetIcon(HICON icon);

  HICON m_hIcon = nullptr;
  HWND m_hChild = nullptr;
  HMENU m_hSystemMenu = nullptr;
};
