// One block of the task panel: a caption line over a client area holding
// the group's items. The group lays its items out, keeps a target and a
// current rectangle for the panel's animation, and scrolls its own items
// when the panel shows one open group at a time.
#pragma once

#include "framework.h"
#include "task_panel_item.h"
#include "task_panel_items.h"

class CTkTaskPanelGroupItem;

enum TaskPanelItemLayout { kLayoutImagesOnly = 1, kLayoutImageBesideText = 2, kLayoutImageAboveText = 3 };

class CTkTaskPanelGroup : public CTkTaskPanelItem {
  DECLARE_DYNCREATE(CTkTaskPanelGroup)
 public:
  explicit CTkTaskPanelGroup(CTkTaskPanel* panel = nullptr);
  ~CTkTaskPanelGroup() override;

  BOOL CanFocus() const override;
  CTkTaskPanelGroup* GetGroup() const override { return const_cast<CTkTaskPanelGroup*>(this); }
  CRect GetHitRect() const override;
  void DoPropExchange(CTkPropExchange* exchange) override;
  long GetAccessibleState() const override;
  HRESULT AccGetDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT AccDoDefaultAction(VARIANT child) override;
  // Draws the client image at the client rectangle's bottom right.
  virtual void DrawClientImage(CDC* pDC, const CRect& clientRect);

  BOOL CanExpand() const;
  BOOL IsExpanded() const;
  void SetExpanded(BOOL expanded);
  BOOL IsExpanding() const { return m_bExpanding; }
  BOOL IsCaptionVisible() const { return m_bCaptionVisible; }
  BOOL IsSpecial() const { return m_bSpecial; }
  CTkTaskPanelItems* GetItems() const { return m_pItems; }
  int GetItemCount() const { return m_pItems->GetCount(); }
  CTkTaskPanelGroupItem* GetItemAt(int index) const;
  // A new group item of the type, added at the end.
  CTkTaskPanelGroupItem* AddItem(LPCWSTR caption, int type = kTaskItemLink, int iconIndex = -1, int id = 0);
  int GetLayout() const;
  CSize GetIconSize() const;
  int GetCaptionHeight() const { return m_captionHeight; }
  int GetClientHeight() const { return m_clientHeight; }
  const CRect& GetTargetRect() const { return m_targetRect; }
  const CRect& GetCurrentRect() const { return m_currentRect; }
  CRect GetCaptionRect() const;
  CRect GetClientRect() const;
  // The target client height: the target rectangle below the caption.
  int GetTargetClientHeight() const { return m_targetRect.Height() - m_captionHeight; }
  int GetColumnsPerRow() const { return m_columnsPerRow; }

  void SetSpecial(BOOL special);
  void SetExpandable(BOOL expandable);
  void SetCaptionVisible(BOOL visible);
  void SetLayout(int layout);
  void SetIconSize(SIZE size);
  void SetInnerMargins(const RECT& margins) { m_innerMargins = margins; }
  void SetOuterMargins(const RECT& margins) { m_outerMargins = margins; }
  // One picture (the list's first) drawn at the client's bottom right.
  void SetClientImage(HIMAGELIST images, SIZE size);

  void CalcClientHeight(CDC* pDC, const CRect& widthRect);
  CRect OnReposition(const CRect& rect, BOOL animate);
  void UpdateAnimation(int steps);
  void DrawGroup(CDC* pDC);
  // The item under a document point, and its document rectangle.
  CTkTaskPanelGroupItem* HitTestItem(CPoint point, CRect* itemRect) const;
  void SelectItem(CTkTaskPanelItem* item);

  int GetFirstVisibleIndex() const;
  int GetScrollOffset() const;
  BOOL CanScrollItems(BOOL up) const;
  void ScrollItemsBy(int step);
  void SetFirstVisibleItem(int index, BOOL refresh);
  void EnsureItemVisibleInGroup(CTkTaskPanelItem* item, BOOL refresh);
  BOOL IsItemShown(const CTkTaskPanelItem* item, BOOL partly) const;

  CRect m_targetRect{0, 0, 0, 0};
  CRect m_currentRect{0, 0, 0, 0};
  RECT m_outerMargins = kTaskPanelDefaultRect;
  RECT m_innerMargins = kTaskPanelDefaultRect;
  int m_captionHeight = 0;
  BOOL m_bSpecial = FALSE;
  BOOL m_bExpandable = TRUE;
  BOOL m_bExpanded = TRUE;
  BOOL m_bExpanding = FALSE;
  int m_clientHeight = 0;
  BOOL m_bCaptionVisible = TRUE;
  HIMAGELIST m_clientImages = nullptr;
  CSize m_clientImageSize{0, 0};
  int m_firstVisibleItem = 0;
  int m_columnsPerRow = 1;
  CSize m_iconSize{0, 0};
  CTkTaskPanelItems* m_pItems;
  int m_layout = 0;

 private:
  int CalcImagesOnlyLayout(const CRect& r, int innerBottom);
  int CalcTextLayout(CDC* pDC, const CRect& r, int innerBottom);
  int AvailableClientHeight() const;
  void ShareExtraHeight(int extra);
  void ClampFirstVisibleItem();
};
