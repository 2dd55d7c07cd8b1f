// One entry of a group: a link, a line of text, or a control that shows a
// child window of the application. A control's window follows the layout;
// while its group moves, a picture of the window stands in for it.
#pragma once

#include "framework.h"
#include "task_panel_item.h"

class COleDataSource;

class CTkTaskPanelGroupItem : public CTkTaskPanelItem {
  DECLARE_DYNCREATE(CTkTaskPanelGroupItem)
 public:
  CTkTaskPanelGroupItem();
  ~CTkTaskPanelGroupItem() override;

  CTkTaskPanelGroup* GetGroup() const override;
  CRect GetHitRect() const override;
  void DoPropExchange(CTkPropExchange* exchange) override;
  long GetAccessibleState() const override;
  HRESULT AccSelect(long flags, VARIANT child) override;
  HRESULT AccGetDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT AccDoDefaultAction(VARIANT child) override;
  // The item rectangle for a place the group offers (relative to the
  // group's client top).
  virtual CRect OnCalcItemRect(CDC* pDC, const CRect& rect);
  virtual void DrawItem(CDC* pDC, const CRect& rect);
  virtual CString GetDragText() const { return m_dragText; }

  BOOL IsSelected() const;
  void SetSelected(BOOL selected);
  BOOL IsBold() const { return m_bBold; }
  void SetBold(BOOL bold);
  const CRect& GetItemRect() const { return m_itemRect; }
  void SetItemRect(const CRect& rect) { m_itemRect = rect; }
  HWND GetControlWindow() const { return m_hControlWindow; }
  // Makes the item a control showing the window.
  void SetControlWindow(HWND window);
  void SetItemSize(SIZE size);
  SIZE GetItemSize() const { return m_itemSize; }
  void SetMargins(const RECT& margins) { m_margins = margins; }
  void SetDragText(LPCWSTR text) { m_dragText = text; }
  void SetAutoHeight(BOOL autoHeight) { m_bAutoHeight = autoHeight; }
  BOOL IsAutoHeight() const { return m_bAutoHeight; }
  BOOL HasControlPicture() const { return m_controlPicture.GetSafeHandle() != nullptr; }

  void UpdateControlPosition(int steps);
  void CaptureControlPicture(HWND window, CBitmap& picture);
  // The item's clipboard data and, withText, its drag text as CF_TEXT;
  // FALSE when the data cannot be made.
  BOOL PutOnDataSource(COleDataSource* source, BOOL withText);

  RECT m_margins = kTaskPanelDefaultRect;
  CRect m_itemRect{0, 0, 0, 0};
  BOOL m_bBold = FALSE;
  BOOL m_bSelected = FALSE;
  HWND m_hControlWindow = nullptr;
  SIZE m_itemSize = {0, 0};
  CBitmap m_controlPicture;
  CSize m_pictureSize{0, 0};
  CString m_dragText;
  BOOL m_bAutoHeight = FALSE;

 private:
  void DropPicture();
};
