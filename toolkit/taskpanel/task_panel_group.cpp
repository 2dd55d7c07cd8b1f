#include "task_panel_group.h"

#include <algorithm>
#include <cstdlib>

#include "task_panel.h"

IMPLEMENT_DYNCREATE(CTkTaskPanelGroup, CTkTaskPanelItem)

namespace {

CTkTaskPanelGroupItem* AsGroupItem(CTkTaskPanelItem* item) {
  return item != nullptr && item->IsKindOf(RUNTIME_CLASS(CTkTaskPanelGroupItem)) ? static_cast<CTkTaskPanelGroupItem*>(item)
                                                                                 : nullptr;
}

int MoveToward(int current, int target, int steps) {
  int distance = target - current;
  if (distance == 0) return current;
  int step = std::max(1, std::abs(distance) / steps);
  return distance > 0 ? std::min(target, current + step) : std::max(target, current - step);
}

}  // namespace

CTkTaskPanelGroup::CTkTaskPanelGroup(CTkTaskPanel* panel) : m_pItems(new CTkTaskPanelGroupItems(panel)) {
  m_pPanel = panel;
  m_type = kTaskItemGroup;
  m_pItems->m_pOwner = this;
}

CTkTaskPanelGroup::~CTkTaskPanelGroup() {
  m_pItems->SetPanel(nullptr);
  m_pItems->InternalRelease();
  if (m_clientImages != nullptr) ImageList_Destroy(m_clientImages);
}

BOOL CTkTaskPanelGroup::CanFocus() const { return CTkTaskPanelItem::CanFocus() && CanExpand(); }

CRect CTkTaskPanelGroup::GetHitRect() const {
  if (!m_bVisible || m_pPanel == nullptr) return CRect(0, 0, 0, 0);
  CRect rect = GetCaptionRect();
  rect.OffsetRect(0, -m_pPanel->GetScrollPosition());
  return rect;
}

void CTkTaskPanelGroup::DrawClientImage(CDC* pDC, const CRect& clientRect) {
  if (m_clientImages == nullptr || ImageList_GetImageCount(m_clientImages) != 1) return;
  ImageList_Draw(m_clientImages, 0, pDC->GetSafeHdc(), clientRect.right - m_clientImageSize.cx,
                 clientRect.bottom - m_clientImageSize.cy, ILD_TRANSPARENT);
}

void CTkTaskPanelGroup::SetClientImage(HIMAGELIST images, SIZE size) {
  if (m_clientImages != nullptr) ImageList_Destroy(m_clientImages);
  m_clientImages = images;
  m_clientImageSize = size;
  Redraw();
}

BOOL CTkTaskPanelGroup::CanExpand() const {
  return m_bExpandable && m_bEnabled && (m_pPanel == nullptr || m_pPanel->m_bGroupsExpandable);
}

BOOL CTkTaskPanelGroup::IsExpanded() const { return m_pPanel != nullptr && m_pPanel->IsGroupExpanded(this); }

void CTkTaskPanelGroup::SetExpanded(BOOL expanded) {
  if (m_pPanel != nullptr) m_pPanel->SetGroupExpanded(this, expanded);
  else m_bExpanded = expanded;
}

CTkTaskPanelGroupItem* CTkTaskPanelGroup::GetItemAt(int index) const { return AsGroupItem(m_pItems->GetAt(index)); }

CTkTaskPanelGroupItem* CTkTaskPanelGroup::AddItem(LPCWSTR caption, int type, int iconIndex, int id) {
  auto* item = new CTkTaskPanelGroupItem;
  item->m_caption = caption;
  item->m_type = type;
  item->m_iconIndex = iconIndex;
  item->m_id = id;
  m_pItems->Add(item);
  return item;
}

int CTkTaskPanelGroup::GetLayout() const {
  if (m_layout != 0) return m_layout;
  return m_pPanel != nullptr ? m_pPanel->GetItemLayout() : kLayoutImageBesideText;
}

CSize CTkTaskPanelGroup::GetIconSize() const {
  if (m_iconSize.cx != 0 || m_iconSize.cy != 0) return m_iconSize;
  return m_pPanel != nullptr ? m_pPanel->m_itemIconSize : CSize(16, 16);
}

void CTkTaskPanelGroup::SetSpecial(BOOL special) {
  m_bSpecial = special;
  Redraw();
}

void CTkTaskPanelGroup::SetExpandable(BOOL expandable) {
  m_bExpandable = expandable;
  if (m_pPanel != nullptr) m_pPanel->LayoutGroups(TRUE);
}

void CTkTaskPanelGroup::SetCaptionVisible(BOOL visible) {
  m_bCaptionVisible = visible;
  if (m_pPanel != nullptr) m_pPanel->LayoutGroups(TRUE);
}

void CTkTaskPanelGroup::SetLayout(int layout) {
  m_layout = layout;
  if (m_pPanel != nullptr) m_pPanel->LayoutGroups(TRUE);
}

void CTkTaskPanelGroup::SetIconSize(SIZE size) {
  m_iconSize = size;
  if (m_pPanel != nullptr) m_pPanel->LayoutGroups(TRUE);
}

CRect CTkTaskPanelGroup::GetCaptionRect() const {
  return CRect(m_currentRect.left, m_currentRect.top, m_currentRect.right, m_currentRect.top + m_captionHeight);
}

CRect CTkTaskPanelGroup::GetClientRect() const {
  return CRect(m_currentRect.left, m_currentRect.top + m_captionHeight, m_currentRect.right,
               std::max(m_currentRect.bottom, m_currentRect.top + m_captionHeight));
}

// Layout.

void CTkTaskPanelGroup::CalcClientHeight(CDC* pDC, const CRect& widthRect) {
  CTkTaskPanelPainter* painter = m_pPanel->GetPaintManager();
  CRect outer = painter->GetGroupOuterMargins(this);
  CRect inner = painter->GetGroupInnerMargins(this);
  CRect r = widthRect;
  r.DeflateRect(outer.left, outer.top, outer.right, outer.bottom);
  r.DeflateRect(inner.left, inner.top, inner.right, inner.bottom);
  m_columnsPerRow = 1;
  int clientBottom = GetLayout() == kLayoutImagesOnly ? CalcImagesOnlyLayout(r, inner.bottom)
                                                      : CalcTextLayout(pDC, r, inner.bottom);
  m_clientHeight = clientBottom - widthRect.top;
  m_captionHeight = painter->DrawGroupCaption(pDC, this, FALSE);
  if (GetLayout() == kLayoutImagesOnly) SetFirstVisibleItem(m_firstVisibleItem, TRUE);
}

int CTkTaskPanelGroup::CalcImagesOnlyLayout(const CRect& r, int innerBottom) {
  CSize icon = GetIconSize();
  const CRect& padding = m_pPanel->GetPaintManager()->m_imageCellPadding;
  int cellWidth = icon.cx + padding.left + padding.right;
  int cellHeight = icon.cy + padding.top + padding.bottom;
  // A zero icon with zero padding still makes one column.
  int columns = cellWidth > 0 ? std::max(1, r.Width() / cellWidth) : 1;
  int column = 0, rows = 0, rowTop = r.top;
  for (int i = 0; i < GetItemCount(); ++i) {
    CTkTaskPanelGroupItem* item = GetItemAt(i);
    if (item == nullptr || !item->IsVisible()) continue;
    if (column == 0) ++rows;
    item->OnCalcItemRect(nullptr, CRect(r.left + column * cellWidth, rowTop, r.left + (column + 1) * cellWidth,
                                        rowTop + cellHeight));
    if (++column == columns) {
      column = 0;
      rowTop += cellHeight;
    }
  }
  m_columnsPerRow = columns;
  return r.top + rows * cellHeight + innerBottom;
}

int CTkTaskPanelGroup::CalcTextLayout(CDC* pDC, const CRect& r, int innerBottom) {
  CTkTaskPanelPainter* painter = m_pPanel->GetPaintManager();
  if (!m_pPanel->m_bItemsInColumns) {
    int top = r.top;
    for (int i = 0; i < GetItemCount(); ++i) {
      CTkTaskPanelGroupItem* item = GetItemAt(i);
      if (item == nullptr || !item->IsVisible()) continue;
      CRect rect = item->OnCalcItemRect(pDC, CRect(r.left, top, r.right, r.bottom));
      top = rect.bottom + painter->GetItemOuterMargins(item).bottom;
    }
    return top + innerBottom;
  }
  int columnWidth = m_pPanel->m_columnWidth;
  int columns = columnWidth > 0 ? std::max(1, r.Width() / columnWidth) : 1;
  int column = 0, rowTop = r.top, rowHeight = 0;
  for (int i = 0; i < GetItemCount(); ++i) {
    CTkTaskPanelGroupItem* item = GetItemAt(i);
    if (item == nullptr || !item->IsVisible()) continue;
    CRect rect = item->OnCalcItemRect(
        pDC, CRect(r.left + column * columnWidth, rowTop, r.left + (column + 1) * columnWidth, r.bottom));
    rowHeight = std::max(rowHeight, rect.Height() + static_cast<int>(painter->GetItemOuterMargins(item).bottom));
    if (++column == columns) {
      column = 0;
      rowTop += rowHeight;
      rowHeight = 0;
    }
  }
  m_columnsPerRow = columns;
  return rowTop + rowHeight + innerBottom;
}

int CTkTaskPanelGroup::AvailableClientHeight() const {
  CTkTaskPanelPainter* painter = m_pPanel->GetPaintManager();
  CRect client;
  ::GetClientRect(m_pPanel->GetSafeHwnd(), &client);
  CRect panelMargins = painter->GetPanelMargins(m_pPanel);
  int available = client.Height() - panelMargins.top - panelMargins.bottom;
  int visibleGroups = 0;
  for (int i = 0; i < m_pPanel->GetGroupCount(); ++i) {
    CTkTaskPanelGroup* group = m_pPanel->GetGroupAt(i);
    if (group == nullptr || !group->IsVisible()) continue;
    ++visibleGroups;
    CRect outer = painter->GetGroupOuterMargins(group);
    available -= group->m_captionHeight + outer.top + outer.bottom;
    if (group != this && group->IsExpanded()) available -= group->m_clientHeight;
  }
  if (visibleGroups > 1) available -= (visibleGroups - 1) * painter->GetGroupSpacing(m_pPanel);
  CRect inner = painter->GetGroupInnerMargins(this);
  int minimum = inner.top + 2 + std::max(32, static_cast<int>(GetIconSize().cy + inner.bottom));
  return std::max(available, minimum);
}

void CTkTaskPanelGroup::ShareExtraHeight(int extra) {
  if (GetLayout() == kLayoutImagesOnly) return;
  int count = 0, totalWeight = 0;
  auto weightOf = [](const CTkTaskPanelGroupItem* item) {
    return item->m_itemSize.cy > 0 ? static_cast<int>(item->m_itemSize.cy) : 1;
  };
  for (int i = 0; i < GetItemCount(); ++i) {
    CTkTaskPanelGroupItem* item = GetItemAt(i);
    if (item != nullptr && item->IsVisible() && item->m_bAutoHeight) {
      ++count;
      totalWeight += weightOf(item);
    }
  }
  int given = 0;
  for (int i = 0; i < GetItemCount(); ++i) {
    CTkTaskPanelGroupItem* item = GetItemAt(i);
    if (item == nullptr) continue;
    item->m_itemRect.OffsetRect(0, given);
    if (count == 0 || !item->IsVisible() || !item->m_bAutoHeight) continue;
    int weight = weightOf(item);
    int share = count == 1 ? extra : extra * weight / totalWeight;
    item->m_itemRect.bottom += share;
    given += share;
    extra -= share;
    totalWeight -= weight;
    --count;
  }
}

void CTkTaskPanelGroup::ClampFirstVisibleItem() {
  int last = m_pItems->NextVisibleIndex(GetItemCount(), -1);
  if (last >= 0) {
    CRect inner = m_pPanel->GetPaintManager()->GetGroupInnerMargins(this);
    int lastBottom = GetItemAt(last)->m_itemRect.bottom;
    int first = std::min(GetFirstVisibleIndex(), last);
    while (first > 0) {
      CTkTaskPanelGroupItem* before = GetItemAt(first - 1);
      if (before->IsVisible() && lastBottom + inner.top - before->m_itemRect.top >= m_clientHeight) break;
      --first;
    }
    m_firstVisibleItem = first;
  }
  CTkTaskPanelItem* focused = m_pPanel->GetFocusedItem();
  if (focused != nullptr && focused->GetGroup() == this && focused != this) {
    EnsureItemVisibleInGroup(focused, FALSE);
  } else if (m_pPanel->m_bSelectOnFocus) {
    for (int i = 0; i < GetItemCount(); ++i) {
      if (GetItemAt(i)->IsSelected()) {
        EnsureItemVisibleInGroup(GetItemAt(i), FALSE);
        break;
      }
    }
  }
}

CRect CTkTaskPanelGroup::OnReposition(const CRect& rect, BOOL animate) {
  int mode = m_pPanel->GetPanelMode();
  if (mode == kPanelModeIndependent) m_firstVisibleItem = 0;
  CRect outer = m_pPanel->GetPaintManager()->GetGroupOuterMargins(this);
  m_targetRect = CRect(rect.left + outer.left, rect.top + outer.top, rect.right - outer.right, rect.top + outer.top);
  if (mode != kPanelModeIndependent && (this == m_pPanel->GetActiveGroup() || m_bExpanding)) {
    int available = AvailableClientHeight();
    if (available > m_clientHeight) ShareExtraHeight(available - m_clientHeight);
    m_clientHeight = available;
    ClampFirstVisibleItem();
  }
  m_targetRect.bottom = m_targetRect.top + m_captionHeight + (IsExpanded() ? m_clientHeight : 0);
  m_currentRect.left = m_targetRect.left;
  m_currentRect.right = m_targetRect.right;
  // A group laid out for the first time grows from the top of the panel.
  if (!animate || !m_pPanel->m_bAnimate || m_currentRect == m_targetRect) UpdateAnimation(0);
  return m_targetRect;
}

void CTkTaskPanelGroup::UpdateAnimation(int steps) {
  if (steps < 1) {
    m_currentRect = m_targetRect;
  } else {
    m_currentRect.top = MoveToward(m_currentRect.top, m_targetRect.top, steps);
    m_currentRect.bottom = MoveToward(m_currentRect.bottom, m_targetRect.bottom, steps);
  }
  if ((m_currentRect == m_targetRect || !m_bVisible) && m_bExpanding) {
    m_bExpanding = FALSE;
    if (m_pPanel != nullptr) {
      CTkTaskPanel* panel = m_pPanel;
      CTkTaskPanelItemHold hold(this);
      panel->SendOwnerNotification(kTaskNotifyAnimationDone, reinterpret_cast<LPARAM>(this));
      // The owner may have taken the group out meanwhile.
      if (m_pPanel != panel) return;
    }
  }
  for (int i = 0; i < GetItemCount(); ++i) {
    if (CTkTaskPanelGroupItem* item = GetItemAt(i)) item->UpdateControlPosition(steps);
  }
}

void CTkTaskPanelGroup::DrawGroup(CDC* pDC) {
  CTkTaskPanelPainter* painter = m_pPanel->GetPaintManager();
  painter->DrawGroupCaption(pDC, this, TRUE);
  painter->DrawGroupClient(pDC, this);
}

CTkTaskPanelGroupItem* CTkTaskPanelGroup::HitTestItem(CPoint point, CRect* itemRect) const {
  if (!IsExpanded() || !GetClientRect().PtInRect(point)) return nullptr;
  int dy = m_currentRect.top + m_captionHeight - GetScrollOffset();
  for (int i = GetFirstVisibleIndex(); i >= 0 && i < GetItemCount(); ++i) {
    CTkTaskPanelGroupItem* item = GetItemAt(i);
    if (item == nullptr || !item->IsVisible()) continue;
    CRect rect = item->m_itemRect;
    rect.OffsetRect(0, dy);
    if (rect.PtInRect(point)) {
      if (itemRect != nullptr) *itemRect = rect;
      return item;
    }
  }
  return nullptr;
}

void CTkTaskPanelGroup::SelectItem(CTkTaskPanelItem* selected) {
  for (int i = 0; i < GetItemCount(); ++i) {
    if (CTkTaskPanelGroupItem* item = GetItemAt(i)) item->SetSelected(item == selected);
  }
}

// Scrolling of the items in modes 1 and 2.

int CTkTaskPanelGroup::GetFirstVisibleIndex() const {
  int index = m_firstVisibleItem;
  if (index <= 0 || index >= GetItemCount()) return 0;
  if (m_pItems->GetAt(index)->IsVisible()) return index;
  int next = m_pItems->NextVisibleIndex(index, 1);
  if (next >= 0) return next;
  int previous = m_pItems->NextVisibleIndex(index, -1);
  return previous >= 0 ? previous : 0;
}

int CTkTaskPanelGroup::GetScrollOffset() const {
  int index = GetFirstVisibleIndex();
  if (index == 0 || m_pPanel == nullptr) return 0;
  CTkTaskPanelGroupItem* item = GetItemAt(index);
  if (item == nullptr) return 0;
  return item->m_itemRect.top - m_pPanel->GetPaintManager()->GetGroupInnerMargins(this).top;
}

void CTkTaskPanelGroup::SetFirstVisibleItem(int index, BOOL refresh) {
  int columns = std::max(1, m_columnsPerRow);
  index = std::max(0, std::min(index, GetItemCount() - 1));
  index -= index % columns;
  if (index == m_firstVisibleItem) return;
  m_firstVisibleItem = index;
  if (refresh && m_pPanel != nullptr) {
    UpdateAnimation(0);
    m_pPanel->RepositionScrollButtons();
    if (m_pPanel->GetSafeHwnd() != nullptr) m_pPanel->Invalidate(FALSE);
  }
}

void CTkTaskPanelGroup::ScrollItemsBy(int step) {
  int index = m_pItems->NextVisibleIndex(GetFirstVisibleIndex(), step);
  if (index >= 0) SetFirstVisibleItem(index, TRUE);
}

BOOL CTkTaskPanelGroup::CanScrollItems(BOOL up) const {
  CTkTaskPanelGroupItem* last = GetItemAt(m_pItems->NextVisibleIndex(GetItemCount(), -1));
  if (last == nullptr) return FALSE;
  if (up) return GetFirstVisibleIndex() != 0;
  return GetTargetClientHeight() < last->m_itemRect.bottom - GetScrollOffset();
}

BOOL CTkTaskPanelGroup::IsItemShown(const CTkTaskPanelItem* item, BOOL partly) const {
  const CTkTaskPanelGroupItem* groupItem = AsGroupItem(const_cast<CTkTaskPanelItem*>(item));
  if (groupItem == nullptr || !groupItem->IsVisible() || groupItem->GetGroup() != this || !IsExpanded()) return FALSE;
  if (m_pPanel->GetPanelMode() == kPanelModeIndependent) return TRUE;
  if (groupItem->GetIndex() < GetFirstVisibleIndex()) return FALSE;
  int offset = GetScrollOffset();
  const CRect& rect = groupItem->m_itemRect;
  return GetTargetClientHeight() >= (partly ? rect.top : rect.bottom) - offset;
}

void CTkTaskPanelGroup::EnsureItemVisibleInGroup(CTkTaskPanelItem* item, BOOL refresh) {
  CTkTaskPanelGroupItem* target = AsGroupItem(item);
  if (m_pPanel == nullptr || m_pPanel->GetPanelMode() == kPanelModeIndependent) return;
  if (target == nullptr || !target->IsVisible() || target->GetGroup() != this || !IsExpanded() || GetItemCount() == 0)
    return;
  int index = target->GetIndex();
  int first = GetFirstVisibleIndex();
  if (index < first) {
    SetFirstVisibleItem(index, refresh);
    return;
  }
  int offset = GetScrollOffset();
  int innerTop = m_pPanel->GetPaintManager()->GetGroupInnerMargins(this).top;
  const CRect& rect = target->m_itemRect;
  if (rect.bottom - offset <= m_clientHeight || rect.top - offset <= innerTop) return;
  for (int candidate = first + 1; candidate <= index; ++candidate) {
    CTkTaskPanelGroupItem* c = GetItemAt(candidate);
    if (c == nullptr || !c->IsVisible()) continue;
    if (m_clientHeight >= innerTop + rect.bottom - c->m_itemRect.top ||
        innerTop >= innerTop + rect.top - c->m_itemRect.top) {
      SetFirstVisibleItem(candidate, refresh);
      return;
    }
  }
}
