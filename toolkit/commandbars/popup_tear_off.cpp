// Tearing a popup off into a floating tool bar: the strip at the popup's
// top starts a drag; away from the strip a tool bar with the popup's
// controls follows the cursor, back over it the popup shows again.
#include "command_bars.h"
#include "popup_bar.h"
#include "reference_scope.h"
#include "tool_bar.h"
#include "window_hooks.h"

namespace {
// How far from the strip the cursor may go before the popup tears.
const int kTearMargin = 10;

CTkMouseTracker* TrackerOf(const CTkCommandBar* bar) {
  CTkCommandBars* commandBars = bar->GetCommandBars();
  return commandBars != nullptr ? commandBars->GetMouseTracker() : GetMouseTracker();
}
}  // namespace

void CTkPopupBar::TearOff(CPoint) {
  ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
  CTkMouseTracker* tracker = TrackerOf(this);
  ++tracker->m_suppressCount;
  m_bTearing = TRUE;
  RunTearLoop();
  m_bTearing = FALSE;
  --tracker->m_suppressCount;
}

void CTkPopupBar::RunTearLoop() {
  if (::GetCapture() != nullptr || GetSafeHwnd() == nullptr) return;
  CTkReferenceScope hold;
  hold.Hold(this);
  m_pTornBar = nullptr;
  CRect zone = m_rcTearOff;
  ClientToScreen(&zone);
  zone.InflateRect(kTearMargin, kTearMargin);
  BOOL inside = TRUE;
  CPoint last(-32768, -32768);
  const HWND self = m_hWnd;
  SetCapture();
  for (;;) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessageW(&msg);
    if (!::GetMessageW(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!::IsWindow(self) || ::GetCapture() != self) break;
    if (msg.message == WM_LBUTTONUP) break;
    if (msg.message == WM_KEYDOWN) {
      if (msg.wParam == VK_ESCAPE) break;
      continue;
    }
    if (msg.message == WM_MOUSEMOVE) {
      CPoint point(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
      ::ClientToScreen(msg.hwnd, &point);
      if (point != last) {
        last = point;
        // The zone's edges count as inside.
        const BOOL now = point.x >= zone.left && point.x <= zone.right && point.y >= zone.top && point.y <= zone.bottom;
        if (now != inside) {
          inside = ToggleTearPreview(now, point);
        }
        MoveTornBar(point);
        continue;
      }
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  if (::IsWindow(self) && ::GetCapture() == self) ::ReleaseCapture();
  if (m_pTornBar != nullptr) {
    m_pTornBar = nullptr;
    if (CTkCommandBars* commandBars = GetCommandBars()) commandBars->CloseAllPopups();
  }
}

BOOL CTkPopupBar::ToggleTearPreview(BOOL inside, CPoint screenPoint) {
  SetWindowPos(nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (inside ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  CTkCommandBars* commandBars = GetCommandBars();
  if (inside) {
    CTkCommandBar* torn = m_pTornBar;
    m_pTornBar = nullptr;
    if (torn != nullptr) torn->SetVisible(FALSE);
    return TRUE;
  }
  if (m_pTornBar != nullptr || commandBars == nullptr) return FALSE;
  CTkCommandBar* bar = commandBars->FindBarById(m_nTearOffId);
  if (bar != nullptr) {
    bar->PlaceBar(kBarFloating);
    bar->SetVisible(TRUE);
    commandBars->RecalcFrameLayout();
  } else {
    bar = commandBars->CreateToolBar(m_strTearOffCaption, m_nTearOffId, TRUE);
    if (bar == nullptr) {
      // Without a tool bar the menu stays: the popup shows again and the
      // point counts as inside.
      SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
      return TRUE;
    }
    bar->SetMRUWidth(m_nTearOffWidth);
    for (int i = 0; i < GetControlCount(); ++i) {
      CTkControl* control = GetControl(i);
      if (control->GetParent() != this || control->GetID() == kExpandButtonId) continue;
      if (CTkControl* copy = bar->GetControls()->AddClone(control, -1, FALSE))
        copy->SetHideFlags(copy->GetHideFlags() & ~(kHideScrolled | kHideRarelyUsed));
    }
  }
  m_pTornBar = bar;
  if (bar->IsKindOf(RUNTIME_CLASS(CTkToolBar)))
    m_szTorn = static_cast<CTkToolBar*>(bar)->CalcBarSize(-1, kLayoutHorizontal | kLayoutMRUWidth | kLayoutCommit);
  MoveTornBar(screenPoint);
  bar->UpdateControls(TRUE, 0);
  bar->Invalidate(FALSE);
  return FALSE;
}

void CTkPopupBar::MoveTornBar(CPoint screenPoint) {
  if (m_pTornBar == nullptr || m_pTornBar->GetSafeHwnd() == nullptr) return;
  m_pTornBar->SetWindowPos(nullptr, screenPoint.x - m_szTorn.cx / 2, screenPoint.y - kTearMargin, m_szTorn.cx,
                           m_szTorn.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  m_pTornBar->Invalidate(FALSE);
}
