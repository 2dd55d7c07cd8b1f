#include "list_control.h"

#include "draw_helpers.h"

IMPLEMENT_DYNAMIC(CTkListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CTkListCtrl, CListCtrl)
  ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
  ON_WM_DESTROY()
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_WM_CREATE()
  ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CTkListCtrl::CTkListCtrl() { SetListWindow(this); }

CTkListCtrl::~CTkListCtrl() {
  // While the whole object is alive: its WM_DESTROY saves the widths.
  if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

void CTkListCtrl::PreSubclassWindow() {
  CListCtrl::PreSubclassWindow();
  if (m_bCreatedHere) Initialize();
}

BOOL CTkListCtrl::PreCreateWindow(CREATESTRUCTW& cs) {
  BOOL result = CListCtrl::PreCreateWindow(cs);
  m_bCreatedHere = 0;
  return result;
}

int CTkListCtrl::OnCreate(LPCREATESTRUCTW) {
  int result = static_cast<int>(Default());
  if (result != -1) Initialize();
  return result;
}

void CTkListCtrl::OnDestroy() {
  SaveColumnWidthsIfEnabled();
  CListCtrl::OnDestroy();
}

void CTkListCtrl::OnSettingChange(UINT flags, LPCWSTR section) {
  CListCtrl::OnSettingChange(flags, section);
  RefreshColors();
}

void CTkListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult) {
  NMLVCUSTOMDRAW* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
  *pResult = CDRF_DODEFAULT;
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
    case CDDS_ITEMPREPAINT:
      *pResult = CDRF_NOTIFYSUBITEMDRAW;
      break;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
      if (!IsWindowEnabled()) {
        draw->clrText = ::GetSysColor(COLOR_WINDOWTEXT);
        draw->clrTextBk = ::GetSysColor(COLOR_BTNFACE);
      } else if (m_bCustomColors) {
        draw->clrText = m_clrCustomText != static_cast<COLORREF>(-1) ? m_clrCustomText : ::GetSysColor(COLOR_WINDOWTEXT);
        draw->clrTextBk = m_clrCustomBackground != static_cast<COLORREF>(-1) ? m_clrCustomBackground
                                                                             : ::GetSysColor(COLOR_WINDOW);
      } else {
        draw->clrText = ::GetSysColor(COLOR_WINDOWTEXT);
        draw->clrTextBk = ::GetSysColor(COLOR_WINDOW);
      }
      break;
    default:
      break;
  }
}

void CTkListCtrl::OnPaint() {
  CPaintDC paint(this);
  CWnd* header = GetHeaderWnd();
  if (IsReportView() && header != nullptr) {
    CRect headerRect;
    header->GetWindowRect(&headerRect);
    ScreenToClient(&headerRect);
    paint.ExcludeClipRect(&headerRect);
  }
  PaintBuffered(&paint);
  if (header != nullptr) {
    header->Invalidate();
    header->UpdateWindow();
  }
}

void CTkListCtrl::PaintBuffered(CDC* pDC) {
  COLORREF background = ::GetSysColor(COLOR_WINDOW);
  if (!IsWindowEnabled()) background = ::GetSysColor(COLOR_BTNFACE);
  else if (m_bCustomColors && m_clrCustomBackground != static_cast<COLORREF>(-1)) background = m_clrCustomBackground;
  CRect client;
  GetClientRect(&client);
  CTkMemDC buffer(pDC, client, CTkGradientColor(background));
  // The control paints its background picture only when it erases; it
  // erases nothing when handed a DC, so the picture goes in first.
  LVBKIMAGEW image = {};
  image.ulFlags = LVBKIF_SOURCE_MASK;
  if (SendMessage(LVM_GETBKIMAGEW, 0, reinterpret_cast<LPARAM>(&image)) && (image.ulFlags & LVBKIF_SOURCE_MASK) != 0)
    DefWindowProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(buffer.m_hDC), 0);
  DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(buffer.m_hDC), 0);
}
