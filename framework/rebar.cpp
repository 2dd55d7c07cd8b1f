#include "rebar.h"

#include <algorithm>

#include "gdi.h"

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
  ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, OnHeightChange)
END_MESSAGE_MAP()

CReBar::~CReBar() {
  if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_COOL_CLASSES};
  ::InitCommonControlsEx(&controls);
  // The control's styles share the low word with the bar's CBRS_* bits:
  // the bar keeps its own, the window gets the control's.
  m_dwStyle = dwStyle & CBRS_ALL;
  const DWORD windowStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NODIVIDER;
  return CWnd::Create(REBARCLASSNAMEW, nullptr, windowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CReBar::PreCreateWindow(CREATESTRUCTW& cs) {
  // Not CControlBar's: it would take the control's styles for bar bits.
  if (!CWnd::PreCreateWindow(cs)) return FALSE;
  cs.style |= WS_CLIPSIBLINGS | WS_CHILD;
  return TRUE;
}

BOOL CReBar::AddBar(CWnd* pBar, LPCWSTR pszText, CBitmap* pbmp, DWORD dwStyle) {
  if (m_hWnd == nullptr || pBar == nullptr || pBar->GetSafeHwnd() == nullptr) return FALSE;
  CRect rect;
  pBar->GetWindowRect(&rect);
  REBARBANDINFOW band = {};
  band.cbSize = REBARBANDINFOW_V3_SIZE;
  band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
  band.fStyle = dwStyle;
  band.hwndChild = pBar->GetSafeHwnd();
  band.cxMinChild = static_cast<UINT>(rect.Width());
  band.cyMinChild = static_cast<UINT>(rect.Height());
  band.cx = static_cast<UINT>(rect.Width());
  if (pszText != nullptr) {
    band.fMask |= RBBIM_TEXT;
    band.lpText = const_cast<LPWSTR>(pszText);
  }
  if (pbmp != nullptr && pbmp->GetSafeHandle() != nullptr) {
    band.fMask |= RBBIM_BACKGROUND;
    band.hbmBack = static_cast<HBITMAP>(pbmp->GetSafeHandle());
  }
  return SendMessage(RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band)) != 0;
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CRect bounds(0, 0, 0, 0);
  for (int i = 0, count = GetBandCount(); i < count; ++i) {
    CRect band;
    if (SendMessage(RB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&band)) == 0) continue;
    ::UnionRect(&bounds, &bounds, &band);
  }
  const int thickness = static_cast<int>(SendMessage(RB_GETBARHEIGHT));
  CSize size = bHorz ? CSize(bounds.right, thickness) : CSize(thickness, bounds.bottom);
  if (bStretch && bHorz) size.cx = 32767;
  if (bStretch && !bHorz) size.cy = 32767;
  return size;
}

void CReBar::OnHeightChange(NMHDR*, LRESULT* pResult) {
  *pResult = 0;
  CFrameWnd* pFrame = GetDockingFrame();
  if (pFrame != nullptr) pFrame->RecalcLayout();
}
