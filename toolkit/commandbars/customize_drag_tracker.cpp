#include "customize_drag_tracker.h"

#include <algorithm>

#include "command_bar.h"
#include "command_bars.h"
#include "control.h"
#include "reference_scope.h"
#include "resource_loader.h"
#include "toolkit_resources.h"

namespace {

CPoint ScreenPointOf(const MSG& msg) {
  CPoint point(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
  ::ClientToScreen(msg.hwnd, &point);
  return point;
}

}  // namespace

CTkCustomizeDragTracker::CTkCustomizeDragTracker(CTkCommandBars* owner) : m_pOwner(owner) {
  CTkResourceLoader* loader = GetToolkitResourceLoader();
  m_hNoDrop = loader->LoadCursor(IDC_TK_DRAG_NO_DROP);
  m_hMove = loader->LoadCursor(IDC_TK_DRAG_MOVE_CONTROL);
  m_hCopy = loader->LoadCursor(IDC_TK_DRAG_COPY_CONTROL);
}

void CTkCustomizeDragTracker::AddDropTarget(CTkCommandBar* bar) { m_targets.push_back(bar); }

void CTkCustomizeDragTracker::RemoveDropTarget(CTkCommandBar* bar) {
  m_targets.erase(std::remove(m_targets.begin(), m_targets.end(), bar), m_targets.end());
  if (m_pTarget == bar) m_pTarget = nullptr;
}

HCURSOR CTkCustomizeDragTracker::GetCurrentCursor() const {
  if (m_pTarget == nullptr) return m_hNoDrop;
  return m_bMove && !m_bCopyOnly ? m_hMove : m_hCopy;
}

void CTkCustomizeDragTracker::UpdateCursor() {
  if (HCURSOR cursor = GetCurrentCursor()) ::SetCursor(cursor);
}

DROPEFFECT CTkCustomizeDragTracker::TrackDrag(CTkControl* control, BOOL copyOnly) {
  CWnd* window = m_pSheet != nullptr ? m_pSheet : m_pOwner != nullptr ? m_pOwner->GetFrame() : nullptr;
  if (control == nullptr || window == nullptr || window->GetSafeHwnd() == nullptr) return kDragCancelled;
  CTkReferenceScope hold;
  hold.Hold(control);
  m_hCapture = window->GetSafeHwnd();
  ::SetCapture(m_hCapture);
  m_pControl = control;
  m_bMove = FALSE;
  m_pTarget = nullptr;
  m_bCopyOnly = copyOnly;
  ::GetCursorPos(&m_ptStart);
  const DROPEFFECT effect = TrackLoop();
  if (m_pTarget != nullptr) m_pTarget->OnCustomizeDragLeave();
  m_pTarget = nullptr;
  if (::GetCapture() == m_hCapture) ::ReleaseCapture();
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  m_pControl = nullptr;
  m_hCapture = nullptr;
  return effect;
}

DROPEFFECT CTkCustomizeDragTracker::TrackLoop() {
  DROPEFFECT effect = kDragCancelled;
  BOOL moved = FALSE;
  MSG msg;
  while (::GetCapture() == m_hCapture) {
    // Bars redraw while the drag goes on.
    while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessageW(&msg);
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) return kDragCancelled;
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return kDragCancelled;
    }
    if (::GetCapture() != m_hCapture) return kDragCancelled;
    switch (msg.message) {
      case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE) return kDragCancelled;
        if (msg.wParam == VK_CONTROL && m_bMove) {
          m_bMove = FALSE;
          UpdateCursor();
        }
        break;
      case WM_KEYUP:
        if (msg.wParam == VK_CONTROL && !m_bMove) {
          m_bMove = TRUE;
          UpdateCursor();
        }
        break;
      case WM_MOUSEMOVE: {
        if (!moved) {
          moved = TRUE;
          // The source bar closes its open popup and drops its highlight.
          if (m_pControl->GetParent() != nullptr) {
            DROPEFFECT none = DROPEFFECT_NONE;
            m_pControl->CustomizeDragOver(m_pControl, m_pControl->GetRect().TopLeft(), none);
          }
        }
        m_bMove = (msg.wParam & MK_CONTROL) == 0;
        const CPoint point = ScreenPointOf(msg);
        DragOver(point);
        effect = kDragOutside;
        if ((msg.wParam & MK_LBUTTON) == 0) return Finish(effect, point);
        break;
      }
      case WM_LBUTTONUP:
        return Finish(effect, ScreenPointOf(msg));
      case WM_RBUTTONDOWN:
        return kDragCancelled;
      default:
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        break;
    }
  }
  return kDragCancelled;
}

void CTkCustomizeDragTracker::DragOver(CPoint screenPoint) {
  CTkCommandBar* found = nullptr;
  for (auto it = m_targets.rbegin(); it != m_targets.rend(); ++it) {
    CTkCommandBar* bar = *it;
    if (bar->GetSafeHwnd() == nullptr || !bar->IsWindowVisible()) continue;
    CRect rect;
    bar->GetWindowRect(&rect);
    if (rect.PtInRect(screenPoint)) {
      found = bar;
      break;
    }
  }
  CPoint client = screenPoint;
  if (found != nullptr) found->ScreenToClient(&client);
  if (found == nullptr) {
    if (m_pTarget != nullptr) m_pTarget->OnCustomizeDragLeave();
    m_pTarget = nullptr;
  } else if (found == m_pTarget) {
    found->OnCustomizeDragOver(m_pControl, client, DROPEFFECT_MOVE);
  } else {
    if (m_pTarget != nullptr) m_pTarget->OnCustomizeDragLeave();
    m_pTarget = nullptr;
    if (found->OnCustomizeDragEnter(m_pControl, client, DROPEFFECT_MOVE) != DROPEFFECT_NONE) m_pTarget = found;
  }
  UpdateCursor();
}

DROPEFFECT CTkCustomizeDragTracker::Finish(DROPEFFECT effect, CPoint screenPoint) {
  const BOOL copying = !m_bMove || m_bCopyOnly;
  if (m_pTarget == nullptr) {
    // A copy released outside every bar must not cost the source control.
    return effect == kDragOutside && copying ? kDragCancelled : effect;
  }
  // The copy-only flag changes only the cursor.
  effect = m_bMove ? DROPEFFECT_MOVE : DROPEFFECT_COPY;
  CTkCommandBar* target = m_pTarget;
  CPoint point = screenPoint;
  CPoint start = m_ptStart;
  target->ScreenToClient(&point);
  target->ScreenToClient(&start);
  target->OnCustomizeDrop(m_pControl, effect, start, point);
  m_pTarget = nullptr;
  return effect;
}
