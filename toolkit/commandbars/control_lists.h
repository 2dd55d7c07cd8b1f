// Controls that stand in a menu for a list the program keeps elsewhere:
// the MDI windows, the tool bars, the recent files, the verbs of the
// active OLE item and the tab-group actions. Each lays out as a
// placeholder; on every layout of its bar it removes the items it made
// last time, inserts fresh temporary items after itself and hides itself
// while they show. In customize mode only the placeholder shows, so the
// user can move it.
#pragma once

#include "control.h"

class CRecentFileList;

// Ids of the lists and of their items.
enum ListControlId : UINT {
  kIdWindowList = 35000,
  kIdCustomizeEntry = 35001,
  kIdWorkspaceActions = 35002,
  kIdRecentFileList = 35003,
  kIdNewHorizontalGroup = 9422,
  kIdNewVerticalGroup = 9423,
  kIdMoveToPreviousGroup = 9420,
  kIdMoveToNextGroup = 9421,
};

// A caption numbered for a list: every '&' doubled, then "&1 " to "&9 ",
// "1&0 ", plain "11 " and up, or no number for 0.
CString NumberedListCaption(const CString& text, int number);
// Lists are dropped only on popup bars; elsewhere the effect becomes none.
BOOL AcceptsDropOnPopupsOnly(CTkCommandBar* target, DROPEFFECT& effect);

class CTkControlWindowList : public CTkControlButton {
  DECLARE_DYNCREATE(CTkControlWindowList)

 public:
  void OnCalcDynamicSize(DWORD flags) override;
  BOOL IsCustomizeDragOverAvail(CTkCommandBar* target, CPoint point, DROPEFFECT& effect) override;
  // The id of the first MDI child as last seen (0xFF00 until a child says otherwise).
  UINT GetFirstChildId() const { return m_nFirstChildId; }

 private:
  UINT m_nFirstChildId = 0xFF00;
};

class CTkControlToolbars : public CTkControlButton {
  DECLARE_DYNCREATE(CTkControlToolbars)

 public:
  void OnCalcDynamicSize(DWORD flags) override;
  BOOL IsCustomizeDragOverAvail(CTkCommandBar* target, CPoint point, DROPEFFECT& effect) override;
  // One checked item per listed, closeable tool bar after this control,
  // and with withCustomize (when the frame allows customizing) the
  // "&Customize..." entry.
  void AddToolbarItems(BOOL withCustomize);
};

class CTkControlOleItems : public CTkControlButton {
  DECLARE_DYNCREATE(CTkControlOleItems)

 public:
  void OnCalcDynamicSize(DWORD flags) override;
  BOOL IsCustomizeDragOverAvail(CTkCommandBar* target, CPoint point, DROPEFFECT& effect) override;

 protected:
  // The verb menu of the active in-place OLE item (owned by the caller,
  // who destroys it); this framework keeps no OLE documents, so none.
  virtual HMENU GetActiveItemVerbMenu() { return nullptr; }
};

class CTkControlRecentFileList : public CTkControlButton {
  DECLARE_DYNCREATE(CTkControlRecentFileList)

 public:
  void OnCalcDynamicSize(DWORD flags) override;
  BOOL IsCustomizeDragOverAvail(CTkCommandBar* target, CPoint point, DROPEFFECT& effect) override;

 protected:
  // The application's list by default.
  virtual CRecentFileList* GetFileList();
  virtual UINT GetFirstCommandId() { return ID_FILE_MRU_FIRST; }
};

class CTkControlWorkspaceActions : public CTkControlButton {
  DECLARE_DYNCREATE(CTkControlWorkspaceActions)

 public:
  void OnCalcDynamicSize(DWORD flags) override;
  BOOL IsCustomizeDragOverAvail(CTkCommandBar* target, CPoint point, DROPEFFECT& effect) override;
};
