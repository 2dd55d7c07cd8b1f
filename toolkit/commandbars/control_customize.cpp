// A control in customize mode: selected by a click, resized by dragging a
// side with an inverted frame on the desktop.
#include <algorithm>

#include "command_bar.h"
#include "command_bars.h"
#include "control.h"
#include "customize_drag_tracker.h"
#include "reference_scope.h"
#include "resource_loader.h"
#include "toolkit_resources.h"

namespace {

// How near a side a press must be to resize.
const int kResizeMargin = 2;
const int kFrameWidth = 2;

BOOL NearASide(const CRect& rect, CPoint point) {
  return rect.PtInRect(point) && (point.x - rect.left <= kResizeMargin || rect.right - point.x <= kResizeMargin);
}

}  // namespace

void CTkControl::SetResizeCursor(CPoint point) {
  if (!IsCustomizeResizeAllowed() || !NearASide(m_rcControl, point)) return;
  if (HCURSOR cursor = GetToolkitResourceLoader()->LoadCursor(IDC_TK_CUSTOMIZE_RESIZE)) ::SetCursor(cursor);
}

void CTkControl::CustomizeMouseDown(CPoint point) {
  CTkCommandBars* commandBars = GetCommandBars();
  if (commandBars == nullptr) return;
  CTkReferenceScope hold;
  hold.Hold(this);
  if (commandBars->GetCustomizeSelection() == this && IsCustomizeResizeAllowed() && TrackCustomizeResize(point))
    return;
  commandBars->SetCustomizeSelection(this);
  CTkCustomizeDragTracker* tracker = commandBars->GetCustomizeDragTracker();
  if (tracker == nullptr) return;
  hold.Hold(commandBars);
  const DROPEFFECT effect = tracker->TrackDrag(this, FALSE);
  CTkCommandBar* parent = m_pParent;
  if ((effect == DROPEFFECT_NONE || effect == DROPEFFECT_MOVE) && parent != nullptr) {
    hold.Hold(parent);
    parent->SetPopupControl(-1, FALSE);
    parent->ClearHighlight();
    if (commandBars->GetCustomizeSelection() == this) commandBars->SetCustomizeSelection(nullptr);
    const int count = parent->GetControlCount();
    if (GetBeginGroup() && m_nIndex < count - 1) parent->GetControl(m_nIndex + 1)->SetBeginGroup(TRUE);
    if (m_nIndex == 0 && count > 1) parent->GetControl(1)->SetBeginGroup(FALSE);
    parent->GetControls()->Remove(this);
    parent->OnControlsChanged();
  }
  commandBars->SetCustomizeSelection(commandBars->GetCustomizeSelection());
}

void CTkControl::DrawResizeFrame(CDC* pDC, const CRect& rect) {
  const int width = rect.Width();
  const int height = rect.Height();
  pDC->PatBlt(rect.left, rect.top, width, kFrameWidth, DSTINVERT);
  pDC->PatBlt(rect.left, rect.bottom - kFrameWidth, width, kFrameWidth, DSTINVERT);
  pDC->PatBlt(rect.left, rect.top + kFrameWidth, kFrameWidth, height - 2 * kFrameWidth, DSTINVERT);
  pDC->PatBlt(rect.right - kFrameWidth, rect.top + kFrameWidth, kFrameWidth, height - 2 * kFrameWidth, DSTINVERT);
}

BOOL CTkControl::TrackCustomizeResize(CPoint point) {
  CTkCommandBar* parent = m_pParent;
  if (parent == nullptr || parent->GetSafeHwnd() == nullptr || !NearASide(m_rcControl, point)) return FALSE;
  CTkReferenceScope hold;
  CTkCommandBars* commandBars = GetCommandBars();
  hold.Hold(commandBars);
  hold.Hold(this);
  hold.Hold(parent);
  const HWND hBar = parent->GetSafeHwnd();

  if (commandBars != nullptr) commandBars->SetCustomizeSelection(nullptr);
  parent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  CRect frame = m_rcControl;
  ::MapWindowPoints(parent->GetSafeHwnd(), nullptr, reinterpret_cast<LPPOINT>(&frame), 2);
  const CRect original = frame;
  ::SetCapture(hBar);
  if (HCURSOR cursor = GetToolkitResourceLoader()->LoadCursor(IDC_TK_CUSTOMIZE_RESIZE)) ::SetCursor(cursor);
  HWND desktop = ::GetDesktopWindow();
  const BOOL locked = ::LockWindowUpdate(desktop);
  HDC hDC = ::GetDCEx(desktop, nullptr, DCX_WINDOW | DCX_CACHE | (locked ? DCX_LOCKWINDOWUPDATE : 0));
  CDC dc;
  dc.Attach(hDC);
  DrawResizeFrame(&dc, frame);

  CPoint screenPoint = point;
  parent->ClientToScreen(&screenPoint);
  const BOOL rightEdge = point.x - m_rcControl.left > kResizeMargin;
  const int grabOffset = screenPoint.x - (rightEdge ? frame.right : frame.left);
  const int minimumWidth = GetCustomizeMinWidth();
  BOOL accepted = FALSE;
  MSG msg;
  while (NextCapturedMessage(hBar, msg)) {
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == hBar) {
      CPoint cursor(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
      ::ClientToScreen(hBar, &cursor);
      CRect moved = frame;
      if (rightEdge)
        moved.right = std::max(static_cast<int>(cursor.x) - grabOffset, static_cast<int>(moved.left) + minimumWidth);
      else
        moved.left = std::min(static_cast<int>(cursor.x) - grabOffset, static_cast<int>(moved.right) - minimumWidth);
      if (moved != frame) {
        DrawResizeFrame(&dc, frame);
        frame = moved;
        DrawResizeFrame(&dc, frame);
      }
      continue;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) break;
    if (msg.message == WM_LBUTTONUP && msg.hwnd == hBar) {
      accepted = TRUE;
      break;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }

  DrawResizeFrame(&dc, frame);
  if (::GetCapture() == hBar) ::ReleaseCapture();
  if (locked) ::LockWindowUpdate(nullptr);
  ::ReleaseDC(desktop, dc.Detach());
  if (commandBars != nullptr) commandBars->SetCustomizeSelection(this);
  if (accepted && frame.Width() != original.Width()) {
    SetWidth(frame.Width());
    parent->OnControlsChanged();
  }
  parent->SetState(parent->GetState() & ~kStateLayoutDirty);
  if (parent->GetSafeHwnd() != nullptr && parent->GetRedrawLock() == 0) parent->Invalidate(FALSE);
  return TRUE;
}

void CTkControl::CustomizeDragOver(CTkControl*, CPoint, DROPEFFECT&) {
  if (m_pParent == nullptr) return;
  m_pParent->SetPopupControl(-1, FALSE);
  m_pParent->ClearHighlight();
}

BOOL CTkControl::IsCustomizeDragOverAvail(CTkCommandBar*, CPoint, DROPEFFECT&) { return TRUE; }
