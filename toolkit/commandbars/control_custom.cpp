#include "control_custom.h"

#include <algorithm>

#include "command_bar.h"
#include "command_bar_list.h"
#include "command_bars.h"
#include "control_collection.h"
#include "control_lists.h"
#include "prop_exchange.h"

IMPLEMENT_DYNCREATE(CTkControlCustom, CTkControlButton)

CTkControlCustom::~CTkControlCustom() { CTkWindowHookTable::DetachClientEverywhere(this); }

void CTkControlCustom::Attach(HWND hWnd) {
  if (hWnd == nullptr) return;
  if (std::find(m_attached.begin(), m_attached.end(), hWnd) != m_attached.end()) return;
  CTkWindowHookTable::AttachClient(hWnd, this);
  m_attached.push_back(hWnd);
}

void CTkControlCustom::SetControl(HWND hWnd) {
  if (m_hwndControl != nullptr && m_hwndControl != hWnd) {
    CTkWindowHookTable::DetachClient(m_hwndControl, this);
    m_attached.erase(std::remove(m_attached.begin(), m_attached.end(), m_hwndControl), m_attached.end());
  }
  m_hwndControl = hWnd;
  if (hWnd == nullptr) return;
  CRect rect;
  ::GetWindowRect(hWnd, &rect);
  m_szControl = rect.Size();
  Attach(hWnd);
  m_rcControl.SetRectEmpty();
  MarkControlsChanged();
}

CSize CTkControlCustom::GetSize(CDC* pDC) {
  if (m_hwndControl != nullptr && m_bShown)
    return CSize(m_szControl.cx + m_rcBorders.left + m_rcBorders.right,
                 m_szControl.cy + m_rcBorders.top + m_rcBorders.bottom);
  return CTkControlButton::GetSize(pDC);
}

void CTkControlCustom::Draw(CDC* pDC) {
  if (m_hwndControl != nullptr && ::IsWindowVisible(m_hwndControl)) return;
  CTkControlButton::Draw(pDC);
}

void CTkControlCustom::ShowHostedWindow() {
  if (m_hwndControl == nullptr) return;
  const BOOL show = m_bShown && m_nHideFlags == 0;
  ::SetWindowPos(m_hwndControl, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CTkControlCustom::SetControlRect(CRect rect) {
  HWND bar = m_pParent != nullptr ? m_pParent->GetSafeHwnd() : nullptr;
  if (rect == m_rcControl && m_hwndControl != nullptr && ::GetParent(m_hwndControl) == bar) return;
  m_rcControl = rect;
  if (m_hwndControl == nullptr) return;
  // A popup would not move with the bar; the window becomes the bar's child.
  const LONG_PTR style = ::GetWindowLongPtrW(m_hwndControl, GWL_STYLE);
  ::SetWindowLongPtrW(m_hwndControl, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_POPUP)) | WS_CHILD);
  ::SetParent(m_hwndControl, bar);
  CRect inner(rect.left + m_rcBorders.left, rect.top + m_rcBorders.top, rect.right - m_rcBorders.right,
              rect.bottom - m_rcBorders.bottom);
  ::MoveWindow(m_hwndControl, inner.left, inner.top, inner.Width(), inner.Height(), TRUE);
  ShowHostedWindow();
}

void CTkControlCustom::SetEnabled(BOOL enabled) {
  if (enabled == m_bEnabled) return;
  m_bEnabled = enabled;
  if (m_hwndControl != nullptr) ::EnableWindow(m_hwndControl, enabled);
  DelayRedrawParent();
}

void CTkControlCustom::SetHideFlags(int flags) {
  if (flags == m_nHideFlags) return;
  m_nHideFlags = flags;
  ShowHostedWindow();
  MarkControlsChanged();
}

void CTkControlCustom::OnCalcDynamicSize(DWORD flags) {
  const BOOL vertical = (flags & kLayoutVertical) != 0;
  if (m_nVerticalOptions == kVerticalHide) {
    SetHideFlags(vertical ? (m_nHideFlags | kHideVertical) : (m_nHideFlags & ~kHideVertical));
  } else if (m_nVerticalOptions == kVerticalHideWindow) {
    m_bShown = !vertical;
    ShowHostedWindow();
  }
}

void CTkControlCustom::OnClick(BOOL byKeyboard, CPoint point) {
  if (m_hwndControl == nullptr || !::IsWindowVisible(m_hwndControl) || IsCustomizeMode())
    CTkControlButton::OnClick(byKeyboard, point);
}

BOOL CTkControlCustom::IsCustomizeDragOverAvail(CTkCommandBar* target, CPoint, DROPEFFECT& effect) {
  return AcceptsDropOnPopupsOnly(target, effect);
}

void CTkControlCustom::CopyControlFrom(CTkControl* source, BOOL recursive) {
  if (source != nullptr && source->IsKindOf(RUNTIME_CLASS(CTkControlCustom))) {
    auto* custom = static_cast<CTkControlCustom*>(source);
    m_rcBorders = custom->m_rcBorders;
    m_szControl = custom->m_szControl;
    m_bShown = custom->m_bShown;
    m_nVerticalOptions = custom->m_nVerticalOptions;
    m_hwndControl = custom->m_hwndControl;
    m_nControlId = custom->m_nControlId;
    Attach(m_hwndControl);
  }
  CTkControlButton::CopyControlFrom(source, recursive);
}

void CTkControlCustom::ExchangeControlProperties(CTkPropExchange* exchange) {
  CTkControlButton::ExchangeControlProperties(exchange);
  ExchangeRect(exchange, L"Borders", &m_rcBorders, CRect(0, 0, 0, 0));
  ExchangeSize(exchange, L"ControlSize", &m_szControl, CSize(0, 0));
  ExchangeInt(exchange, L"VerticalOptions", &m_nVerticalOptions, 0);
  if (exchange->m_nSchema > 5) ExchangeInt(exchange, L"ControlId", &m_nControlId, 0);
  if (exchange->IsLoading() && m_nControlId != 0) {
    BarsExchangeParams* params = GetExchangeParams(exchange);
    HWND found = FindWindowById(params != nullptr ? params->pOwner : GetCommandBars(), m_nControlId);
    if (found != nullptr) {
      const CSize size = m_szControl;
      SetControl(found);
      // The stored size wins over the window's own.
      if (size.cx != 0 || size.cy != 0) m_szControl = size;
    }
  }
}

int CTkControlCustom::OnHookMessage(HWND hWnd, UINT message, WPARAM&, LPARAM& lParam, LRESULT&) {
  if (message != WM_MOUSEMOVE || m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr) return kNotHandled;
  CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
  ::MapWindowPoints(hWnd, m_pParent->GetSafeHwnd(), &point, 1);
  m_pParent->OnTrackedMouseMove(static_cast<UINT>(0), point);
  return kNotHandled;
}

HWND CTkControlCustom::FindWindowById(CTkCommandBars* commandBars, int id) {
  if (commandBars == nullptr) return nullptr;
  CWnd* frame = commandBars->GetFrame();
  if (frame != nullptr && frame->GetSafeHwnd() != nullptr) {
    if (HWND found = ::GetDlgItem(frame->GetSafeHwnd(), id)) return found;
  }
  for (int i = 0; i < commandBars->GetBarCount(); ++i) {
    CTkCommandBar* bar = commandBars->GetAt(i);
    if (bar == nullptr || bar->GetSafeHwnd() == nullptr) continue;
    if (HWND found = ::GetDlgItem(bar->GetSafeHwnd(), id)) return found;
  }
  return nullptr;
}
