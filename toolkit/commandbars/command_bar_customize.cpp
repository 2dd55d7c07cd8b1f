// Controls dragged onto a bar in customize mode: where they would land,
// the marker that shows it, and the drop.
#include <cstdlib>

#include "command_bar.h"
#include "command_bars.h"
#include "draw_helpers.h"

namespace {

const int kMarkerSize = 6;
// A control dropped back on its place moves more than this to count as moved.
const int kDropSlack = 4;

BOOL IsVerticalBar(const CTkCommandBar* bar) {
  const int position = bar->GetPosition();
  return position == kBarLeft || position == kBarRight || bar->GetType() == kBarPopup;
}

}  // namespace

void CTkCommandBar::FindDropPosition(CPoint point, CTkControl* dragged, int& insertIndex, BOOL& after,
                                     CRect& marker) const {
  const BOOL vertical = IsVerticalBar(this);
  const int coordinate = vertical ? point.y : point.x;
  int best = -1;
  int bestDistance = 0;
  for (int i = 0; i < GetControlCount(); ++i) {
    const CTkControl* control = GetControl(i);
    if (!control->IsVisible() || (control->GetFlags() & kFlagNotCustomizable) != 0) continue;
    const CRect& rect = control->GetRect();
    if (!vertical && control->GetWrap() && best != -1) {
      // Rows below the point end the search; a row above it loses to this one.
      if (rect.top > point.y) break;
      best = -1;
    }
    const int centre = vertical ? (rect.top + rect.bottom) / 2 : (rect.left + rect.right) / 2;
    const int distance = std::abs(coordinate - centre);
    if (best == -1 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  after = FALSE;
  if (best == -1) {
    const CTkClientBounds client(this);
    insertIndex = -1;
    marker.SetRect(2, 2, 2 + kMarkerSize, client.bottom - 2);
    return;
  }
  insertIndex = best;
  const CTkControl* control = GetControl(best);
  const CRect& rect = control->GetRect();
  const int centre = vertical ? (rect.top + rect.bottom) / 2 : (rect.left + rect.right) / 2;
  after = centre < coordinate;
  if (after) {
    const CTkControl* next = GetControl(best + 1);
    const BOOL onEdge = next != nullptr && !next->GetBeginGroup() && !next->GetWrap();
    const int edge = vertical ? rect.bottom : rect.right;
    const int start = onEdge ? edge - kMarkerSize / 2 : edge - kMarkerSize;
    if (vertical)
      marker.SetRect(rect.left, start, rect.right, start + kMarkerSize);
    else
      marker.SetRect(start, rect.top, start + kMarkerSize, rect.bottom);
  } else if (vertical) {
    marker.SetRect(rect.left, rect.top, rect.right, rect.top + kMarkerSize);
  } else {
    marker.SetRect(rect.left, rect.top, rect.left + kMarkerSize, rect.bottom);
  }
  if (dragged != nullptr && control == dragged) marker.SetRectEmpty();
}

DROPEFFECT CTkCommandBar::OnCustomizeDragEnter(CTkControl* dragged, CPoint point, DROPEFFECT effect) {
  m_rcMarker.SetRectEmpty();
  return OnCustomizeDragOver(dragged, point, effect);
}

void CTkCommandBar::OnCustomizeDragLeave() {
  if (m_rcMarker.IsRectEmpty()) return;
  m_rcMarker.SetRectEmpty();
  if (GetSafeHwnd() != nullptr) Invalidate(FALSE);
}

DROPEFFECT CTkCommandBar::OnCustomizeDragOver(CTkControl* dragged, CPoint point, DROPEFFECT effect) {
  if (!IsCustomizable() || GetSafeHwnd() == nullptr || !IsWindowVisible()) return DROPEFFECT_NONE;
  int index = -1;
  BOOL after = FALSE;
  CRect marker;
  FindDropPosition(point, dragged, index, after, marker);
  if (CTkControl* under = m_pControls->HitTest(point)) {
    if (m_barType != kBarPopup)
      if (CTkCommandBars* commandBars = GetCommandBars()) commandBars->CloseAllPopups();
    under->CustomizeDragOver(dragged, point, effect);
  }
  if (dragged == nullptr || dragged->IsCustomizeDragOverAvail(this, point, effect)) {
    m_rcMarker = marker;
    m_bVerticalMarker = IsVerticalBar(this);
    Invalidate(FALSE);
  }
  return effect;
}

void CTkCommandBar::OnCustomizeDrop(CTkControl* control, DROPEFFECT& effect, CPoint start, CPoint point) {
  if (control == nullptr) return;
  int index = -1;
  BOOL after = FALSE;
  CRect marker;
  FindDropPosition(point, control, index, after, marker);
  const int insertAt = index == -1 ? GetControlCount() : after ? index + 1 : index;
  const BOOL ownPlace = control->GetParent() == this &&
                        (index == control->GetIndex() || insertAt == control->GetIndex() ||
                         insertAt == control->GetIndex() + 1);
  if (ownPlace) {
    if (std::abs(point.x - start.x) > kDropSlack || std::abs(point.y - start.y) > kDropSlack)
      control->SetBeginGroup(after && control->GetIndex() > 0);
    effect = DROPEFFECT_NONE;
  } else {
    CTkControl* displaced = GetControl(insertAt);
    CTkControl* copy = m_pControls->AddClone(control, insertAt, TRUE);
    if (copy != nullptr) {
      if (displaced != nullptr && displaced->GetBeginGroup()) {
        displaced->SetBeginGroup(FALSE);
        copy->SetBeginGroup(TRUE);
      }
      if (CTkCommandBars* commandBars = GetCommandBars()) commandBars->SetCustomizeSelection(copy);
    }
  }
  OnControlsChanged();
  m_rcMarker.SetRectEmpty();
  if (GetSafeHwnd() != nullptr) Invalidate(FALSE);
}
