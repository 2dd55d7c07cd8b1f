// Where a popup goes and how its rows are laid out: the placement rules,
// the menu rows with their rarely used commands, the expand button and the
// scrolled layout of a popup taller than its work area.
#include <algorithm>

#include "bar_painter.h"
#include "command_bars.h"
#include "draw_helpers.h"
#include "popup_bar.h"

namespace {

// A DC of the screen for measuring.
class ScreenDC : public CDC {
 public:
  ScreenDC() { Attach(::GetDC(nullptr)); }
  ~ScreenDC() override { ::ReleaseDC(nullptr, Detach()); }
};

const int kMinimumExtent = 22;

}  // namespace

PopupPlacement PlacePopup(const CRect& work, const CRect& exclusion, CPoint origin, int direction, CSize size) {
  PopupPlacement result;
  const int limit = work.bottom - 5;
  const BOOL hasWidth = exclusion.Width() > 0;
  const BOOL hasHeight = exclusion.Height() > 0;
  const BOOL down = (direction & kPopupDown) != 0;
  int x = origin.x;
  int y = origin.y;
  const int cx = size.cx;
  int cy = size.cy;

  if ((direction & (kPopupLeft | kPopupDown)) == (kPopupLeft | kPopupDown) && hasWidth)
    x = exclusion.right - cx;
  else if ((direction & kPopupLeft) != 0 && hasWidth)
    x = exclusion.left - cx;
  else if ((direction & kPopupLeft) != 0)
    x -= cx;

  if (hasHeight || y < limit) {
    if (y + cy > limit) {
      if (down && hasHeight) {
        y = exclusion.top - cy;
        if (y < work.top) {
          // Neither side has room: the side with more room gets a shortened popup.
          if (work.top + (limit - work.top) / 2 >= (exclusion.top + exclusion.bottom) / 2) {
            y = exclusion.bottom;
            cy = limit - y;
          } else {
            y = work.top;
            cy = exclusion.top - work.top;
          }
        }
      } else {
        const BOOL upperHalf = origin.y < work.top + (work.bottom - work.top) / 2;
        y = (hasHeight || upperHalf ? limit : origin.y) - cy;
      }
    }
    y = std::max(y, static_cast<int>(work.top));
    if (y + cy > limit) cy = limit - y;
  } else {
    y -= cy;
  }

  if (x + cx > work.right) {
    if (!hasWidth) {
      x = origin.x > work.right ? x - cx : work.right - cx;
    } else {
      x = (down ? work.right : exclusion.left) - cx;
      direction |= kPopupLeft;
    }
  }
  if (x < work.left) {
    if (hasWidth) {
      x = down ? work.left : exclusion.right;
      direction &= ~kPopupLeft;
    } else if ((direction & kPopupLeft) != 0) {
      x = work.left;
      direction &= ~kPopupLeft;
    }
  }
  result.rect = CRect(x, y, x + cx, y + cy);
  result.direction = direction;
  result.shortened = cy < size.cy;
  return result;
}

CRect (*CTkPopupBar::WorkAreaOfRect)(const RECT& rect) = FindWorkAreaOfRect;
CRect (*CTkPopupBar::WorkAreaOfPoint)(POINT point) = FindWorkAreaOfPoint;

CRect CTkPopupBar::PlaceForSize(CSize size) {
  const CRect work = m_rcExclusion.IsRectEmpty() ? WorkAreaOfPoint(m_ptOrigin) : WorkAreaOfRect(m_rcExclusion);
  const PopupPlacement placement = PlacePopup(work, m_rcExclusion, m_ptOrigin, m_nDirection, size);
  m_nDirection = placement.direction;
  if (placement.shortened && m_barType == kBarPopup) {
    m_bScrolling = TRUE;
    m_nFirstVisible = 0;
    LayoutScrolled(placement.rect.Size(), FALSE, FALSE);
  } else {
    m_bScrolling = FALSE;
  }
  return placement.rect;
}

void CTkPopupBar::UpdateLocation(CTkControl* control) {
  if (control == nullptr) return;
  CTkCommandBar* parent = control->GetParent();
  m_nDirection = (control->GetFlags() & kFlagPopupLeft) != 0 || IsLayoutRTL() ? kPopupLeft : 0;
  const int position = parent != nullptr ? parent->GetPosition() : kBarNone;
  if (position == kBarLeft || position == kBarPopupPosition) {
    if (parent != nullptr && parent->IsKindOf(RUNTIME_CLASS(CTkPopupBar)) &&
        (static_cast<CTkPopupBar*>(parent)->GetDirection() & kPopupLeft) != 0)
      m_nDirection = kPopupLeft;
  } else if (position == kBarRight) {
    m_nDirection = kPopupLeft;
  } else {
    m_nDirection |= kPopupDown;
  }
  CRect rect = control->GetRect();
  if (control->GetType() == kControlComboBox && parent != nullptr && parent->GetType() != kBarPopup)
    m_nDirection |= kPopupDown;
  else if (control->IsKindOf(RUNTIME_CLASS(CTkControlPopup)))
    static_cast<CTkControlPopup*>(control)->GetPopupPosition(rect);
  if (parent != nullptr && parent->GetSafeHwnd() != nullptr)
    ::MapWindowPoints(parent->GetSafeHwnd(), nullptr, reinterpret_cast<LPPOINT>(&rect), 2);
  m_rcExclusion = rect;
  m_ptOrigin = (m_nDirection & kPopupDown) != 0 ? CPoint(rect.left, rect.bottom) : CPoint(rect.right, rect.top);
}

CTkControl* CTkPopupBar::FindExpandButton() const {
  for (int i = 0; i < GetControlCount(); ++i)
    if (GetControl(i)->GetID() == kExpandButtonId && GetControl(i)->IsKindOf(RUNTIME_CLASS(CTkControlExpandButton)))
      return GetControl(i);
  return nullptr;
}

void CTkPopupBar::MarkRarelyUsed() {
  CTkCommandBars* commandBars = GetCommandBars();
  if (commandBars != nullptr && commandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus) {
    for (int i = 0; i < GetControlCount(); ++i) GetControl(i)->SetRarelyUsed(FALSE);
    m_bExpanded = TRUE;
    return;
  }
  m_bHasHiddenItems = FALSE;
  BOOL anyFrequent = FALSE;
  for (int i = 0; i < GetControlCount(); ++i) {
    CTkControl* control = GetControl(i);
    const BOOL visibleApart = (control->GetHideFlags() & ~(kHideScrolled | kHideRarelyUsed)) == 0;
    if (commandBars != nullptr && commandBars->IsControlHidden(control)) {
      control->SetRarelyUsed(visibleApart);
    } else {
      control->SetRarelyUsed(FALSE);
      if (visibleApart && control->GetID() != kExpandButtonId) anyFrequent = TRUE;
    }
  }
  for (int i = 0; i < GetControlCount(); ++i) {
    CTkControl* control = GetControl(i);
    int reasons = control->GetHideFlags() & ~kHideRarelyUsed;
    if (control->IsRarelyUsed() && !m_bExpanded && anyFrequent) {
      reasons |= kHideRarelyUsed;
      m_bHasHiddenItems = TRUE;
    }
    if (reasons != control->GetHideFlags()) control->SetHideFlags(reasons);
  }
}

CRect CTkPopupBar::GetMenuMargins(CDC* pDC, int& separatorHeight, int& tearOffHeight) {
  CTkBarPainter* painter = GetPaintManager();
  CRect margins = painter->GetCommandBarBorders(this);
  separatorHeight = 0;
  for (int i = 0; i < GetControlCount() && separatorHeight == 0; ++i)
    separatorHeight = painter->DrawSeparator(pDC, this, GetControl(i), FALSE).cy;
  tearOffHeight = m_bTearOff ? painter->DrawTearOffStrip(pDC, CRect(0, 0, 0, 0), FALSE, FALSE).cy : 0;
  margins.top += tearOffHeight;
  return margins;
}

CSize CTkPopupBar::CalcBarSize() {
  CTkBarPainter* painter = GetPaintManager();
  if (painter == nullptr) return CSize(kMinimumExtent, kMinimumExtent);
  ScreenDC dc;
  m_bInLayout = TRUE;
  if (m_barType == kBarTool) {
    int tearOffHeight = m_bTearOff ? painter->DrawTearOffStrip(&dc, CRect(0, 0, 0, 0), FALSE, FALSE).cy : 0;
    CRect margins = m_rcBorders;
    margins.top += tearOffHeight;
    UpdateShortcuts();
    DWORD flags = kLayoutFloatingShape | kLayoutCommit | kLayoutHorizontal;
    const CSize size = m_pControls->CalcDynamicSize(&dc, 0, flags, margins);
    m_rcTearOff = CRect(margins.left, margins.top - tearOffHeight, size.cx - margins.right, margins.top);
    m_bInLayout = FALSE;
    return size;
  }

  CRect work(0, 0, 0, 0);
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int separatorHeight = 0;
  int tearOffHeight = 0;
  CRect margins = GetMenuMargins(&dc, separatorHeight, tearOffHeight);
  UpdateShortcuts();
  for (int i = 0; i < GetControlCount(); ++i) GetControl(i)->OnCalcDynamicSize(0);
  MarkRarelyUsed();

  CTkControl* expand = FindExpandButton();
  int expandHeight = 0;
  if (m_bHasHiddenItems) {
    if (expand == nullptr) {
      expand = m_pControls->AddControl(new CTkControlExpandButton, kExpandButtonId, L"", -1, TRUE);
    }
    expandHeight = expand->GetSize(&dc).cy;
    margins.bottom += expandHeight;
  }
  if (expand != nullptr) expand->SetHideFlags(kHideByOwner);

  int y = margins.top;
  int widest = 0;
  BOOL first = TRUE;
  const int widthCap = work.right / 3;
  for (int i = 0; i < GetControlCount(); ++i) {
    CTkControl* control = GetControl(i);
    if ((control->GetHideFlags() & kHideScrolled) != 0) control->SetHideFlags(control->GetHideFlags() & ~kHideScrolled);
    if (!control->IsVisible()) continue;
    if (control->GetBeginGroup() && !first) y += separatorHeight;
    first = FALSE;
    CTkFontSelector font(&dc, painter->GetControlFont(m_barPosition, control->IsDefaultItem()));
    const CSize size = control->GetSize(&dc);
    const int width = std::min(static_cast<int>(size.cx), widthCap);
    control->SetControlRect(CRect(margins.left, y, margins.left + width, y + size.cy));
    widest = std::max(widest, width);
    y += size.cy;
  }
  for (int i = 0; i < GetControlCount(); ++i) {
    CTkControl* control = GetControl(i);
    if (!control->IsVisible()) continue;
    CRect rect = control->GetRect();
    rect.right = rect.left + widest;
    control->SetControlRect(rect);
  }
  if (m_bHasHiddenItems && expand != nullptr) {
    expand->SetHideFlags(0);
    expand->SetControlRect(CRect(margins.left, y, margins.left + widest, y + expandHeight));
  }
  m_rcTearOff = CRect(margins.left, margins.top - tearOffHeight, margins.left + widest, margins.top);
  m_bInLayout = FALSE;
  return CSize(margins.left + margins.right + std::max(widest, kMinimumExtent),
               (first ? kMinimumExtent : y) + margins.bottom);
}

void CTkPopupBar::LayoutScrolled(CSize size, BOOL fromBottom, BOOL redraw) {
  CTkBarPainter* painter = GetPaintManager();
  if (painter == nullptr) return;
  ScreenDC dc;
  m_rcScrollDown.SetRectEmpty();
  m_rcScrollUp.SetRectEmpty();
  int separatorHeight = 0;
  int tearOffHeight = 0;
  CRect margins = GetMenuMargins(&dc, separatorHeight, tearOffHeight);
  CTkControl* expand = FindExpandButton();
  int expandHeight = 0;
  if (m_bHasHiddenItems && expand != nullptr) {
    expandHeight = expand->GetSize(&dc).cy;
    margins.bottom += expandHeight;
  }
  if (expand != nullptr) expand->SetHideFlags(kHideByOwner);
  const int count = GetControlCount();
  const int left = margins.left;
  const int right = size.cx - margins.right;
  auto heightOf = [&](CTkControl* control) {
    CTkFontSelector font(&dc, painter->GetControlFont(m_barPosition, control->IsDefaultItem()));
    return static_cast<int>(control->GetSize(&dc).cy);
  };
  auto hide = [](CTkControl* control) { control->SetHideFlags(control->GetHideFlags() | kHideScrolled); };
  auto show = [](CTkControl* control) { control->SetHideFlags(control->GetHideFlags() & ~kHideScrolled); };

  if (fromBottom) {
    if (m_nLastVisible == count - 1) m_nLastVisible = count;
    m_nLastVisible = std::min(std::max(m_nLastVisible, 0), count);
    int limit = size.cy - margins.bottom;
    if (m_nLastVisible < count) {
      m_rcScrollDown = CRect(left, limit - kScrollBand, right, limit);
      limit -= kScrollBand;
    }
    for (int i = m_nLastVisible; i < count; ++i) hide(GetControl(i));
    int firstPlaced = m_nLastVisible;
    int i = m_nLastVisible - 1;
    for (; i >= 0; --i) {
      CTkControl* control = GetControl(i);
      show(control);
      if (!control->IsVisible() || control == expand) continue;
      const int height = heightOf(control);
      if (limit - height < kScrollBand + margins.top) break;
      control->SetControlRect(CRect(left, limit - height, right, limit));
      limit -= height;
      firstPlaced = i;
      if (control->GetBeginGroup()) limit -= separatorHeight;
    }
    for (int k = 0; k < firstPlaced; ++k) hide(GetControl(k));
    m_nFirstVisible = firstPlaced;
    BOOL above = FALSE;
    for (int k = 0; k < firstPlaced; ++k)
      if ((GetControl(k)->GetHideFlags() & ~kHideScrolled) == 0) above = TRUE;
    if (above) m_rcScrollUp = CRect(left, margins.top, right, margins.top + kScrollBand);
  } else {
    if (m_nFirstVisible == 1) m_nFirstVisible = 0;
    m_nFirstVisible = std::min(std::max(m_nFirstVisible, 0), count);
    int y = margins.top;
    if (m_nFirstVisible > 0) {
      m_rcScrollUp = CRect(left, margins.top, right, margins.top + kScrollBand);
      y += kScrollBand;
    }
    for (int k = 0; k < m_nFirstVisible; ++k) hide(GetControl(k));
    int i = m_nFirstVisible;
    BOOL first = TRUE;
    for (; i < count; ++i) {
      CTkControl* control = GetControl(i);
      show(control);
      if (!control->IsVisible() || control == expand) continue;
      const int separator = control->GetBeginGroup() && !first ? separatorHeight : 0;
      const int height = heightOf(control);
      if (y + separator + height > size.cy - margins.bottom - kScrollBand) break;
      y += separator;
      control->SetControlRect(CRect(left, y, right, y + height));
      y += height;
      first = FALSE;
    }
    m_nLastVisible = i;
    BOOL below = FALSE;
    for (int k = i; k < count; ++k) {
      CTkControl* control = GetControl(k);
      if (control == expand) continue;
      hide(control);
      if ((control->GetHideFlags() & ~kHideScrolled) == 0) below = TRUE;
    }
    if (below) {
      const int bottom = size.cy - margins.bottom;
      m_rcScrollDown = CRect(left, bottom - kScrollBand, right, bottom);
    }
  }
  if (m_bHasHiddenItems && expand != nullptr) {
    expand->SetHideFlags(0);
    const int bottom = size.cy - margins.bottom + expandHeight;
    expand->SetControlRect(CRect(left, bottom - expandHeight, right, bottom));
  }
  m_rcTearOff = CRect(left, margins.top - tearOffHeight, right, margins.top);
  if (redraw && m_nRedrawLock == 0 && GetSafeHwnd() != nullptr) {
    m_dwState &= ~kStateLayoutDirty;
    Invalidate(FALSE);
  }
}

void CTkPopupBar::ExpandBar() {
  if (m_bExpanded || !m_bHasHiddenItems) return;
  m_bAnimate = TRUE;
  m_bExpanded = TRUE;
  SetPopupControl(-1, FALSE);
  SetHighlightedControl(-1, FALSE);
  OnControlsChanged();
  CTkCommandBars* commandBars = GetCommandBars();
  CTkMouseTracker* tracker = commandBars != nullptr ? commandBars->GetMouseTracker() : GetMouseTracker();
  tracker->m_bExpanded = TRUE;
  tracker->m_bSwallowNextRelease = TRUE;
}

int CTkPopupBar::GetDefaultItem(BOOL byPosition) const {
  for (int i = 0; i < GetControlCount(); ++i) {
    CTkControl* control = GetControl(i);
    if (control->IsVisible() && control->IsDefaultItem())
      return byPosition ? i : static_cast<int>(control->GetID());
  }
  return -1;
}
