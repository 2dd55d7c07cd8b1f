#include "tool_rebar.h"

#include "draw_helpers.h"
#include "dock_bar.h"
#include "menu_bar.h"
#include "tool_bar.h"

IMPLEMENT_DYNAMIC(CTkReBar, CReBar)

BEGIN_MESSAGE_MAP(CTkReBar, CReBar)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_NOTIFY_REFLECT(RBN_CHILDSIZE, OnChildSize)
END_MESSAGE_MAP()

namespace {
// The band record as the oldest rebar that knows band ids reads it.
const UINT kBandInfoSize = REBARBANDINFOW_V6_SIZE;
// Layouts: horizontal, horizontal dock, commit; the fitted tool bar also
// hides what does not fit, the fitted menu bar stretches.
const DWORD kAddLayout = 0x4A;
const DWORD kFullLayout = 0x0A;
const DWORD kFittedToolBar = 0xCA;
const DWORD kFittedMenuBar = 0x4B;
const int kUnlimited = 32000;
}  // namespace

BOOL CTkReBar::AddToolBar(CTkToolBar* bar, DWORD style) {
  if (bar == nullptr || bar->GetSafeHwnd() == nullptr || GetSafeHwnd() == nullptr) return FALSE;
  const CSize size = bar->CalcDockedSize(kUnlimited, kAddLayout);
  bar->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  CTkDockBar* dockBar = bar->GetDockBar();
  const DWORD dockFlags = bar->GetDockFlags();
  const DWORD barStyle = bar->GetBarStyle();
  if (dockBar != nullptr) dockBar->RemoveCommandBar(bar);
  // Bands are moved by the rebar's own grippers.
  bar->EnableDocking(0);
  bar->SetBarStyle(barStyle & ~kBarStyleGripper);
  if (!AddBar(bar, nullptr, nullptr, style)) {
    // The bar goes back where it was rather than nowhere.
    bar->EnableDocking(dockFlags);
    bar->SetBarStyle(barStyle);
    if (dockBar != nullptr) dockBar->DockCommandBar(bar, nullptr);
    return FALSE;
  }
  REBARBANDINFOW band = {};
  band.cbSize = kBandInfoSize;
  band.fMask = RBBIM_ID;
  band.wID = bar->GetBarID();
  SendMessage(RB_SETBANDINFOW, static_cast<WPARAM>(GetBandCount() - 1), reinterpret_cast<LPARAM>(&band));
  return TRUE;
}

int CTkReBar::RemoveToolBar(CTkToolBar* bar) {
  const int index = FindBand(bar);
  if (index >= 0) SendMessage(RB_DELETEBAND, static_cast<WPARAM>(index));
  return index;
}

CTkToolBar* CTkReBar::GetBandToolBar(int index) const {
  REBARBANDINFOW band = {};
  band.cbSize = kBandInfoSize;
  band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_SIZE;
  if (SendMessage(RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&band)) == 0) return nullptr;
  CWnd* child = band.hwndChild != nullptr ? CWnd::FromHandlePermanent(band.hwndChild) : nullptr;
  return child != nullptr && child->IsKindOf(RUNTIME_CLASS(CTkToolBar)) ? static_cast<CTkToolBar*>(child) : nullptr;
}

int CTkReBar::FindBand(CTkToolBar* bar) const {
  if (bar == nullptr || GetSafeHwnd() == nullptr) return -1;
  for (int i = GetBandCount() - 1; i >= 0; --i)
    if (GetBandToolBar(i) == bar) return i;
  return -1;
}

CSize CTkReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  const CSize size = CReBar::CalcFixedLayout(bStretch, bHorz);
  Invalidate(FALSE);
  for (int i = GetBandCount() - 1; i >= 0; --i) {
    CTkToolBar* bar = GetBandToolBar(i);
    if (bar == nullptr) continue;
    const CSize full = bar->CalcDockedSize(kUnlimited, kFullLayout);
    CRect window;
    bar->GetWindowRect(&window);
    const DWORD fitted = bar->GetType() == kBarMenu ? kFittedMenuBar : kFittedToolBar;
    const CSize fit = bar->CalcDockedSize(window.Width(), fitted);
    REBARBANDINFOW band = {};
    band.cbSize = kBandInfoSize;
    band.fMask = RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
    band.cxMinChild = static_cast<UINT>(full.cx);
    band.cyMinChild = static_cast<UINT>(fit.cy);
    band.cxIdeal = static_cast<UINT>(fit.cx);
    SendMessage(RB_SETBANDINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&band));
    bar->Invalidate(FALSE);
  }
  return size;
}

void CTkReBar::OnPaint() {
  CPaintDC paint(this);
  const CTkClientBounds client(this);
  CTkOffscreenDC buffer(paint.m_hDC, 0, 0, client.Width(), client.Height());
  ::FillRect(buffer.m_hDC, &client, ::GetSysColorBrush(COLOR_BTNFACE));
  DefWindowProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(buffer.m_hDC), 0);
  DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(buffer.m_hDC), 0);
}

void CTkReBar::OnChildSize(NMHDR* pNMHDR, LRESULT* pResult) { OnHeightChange(pNMHDR, pResult); }
