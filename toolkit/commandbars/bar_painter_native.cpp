#include "bar_painter_native.h"

#include <vssym32.h>

#include <algorithm>

#include "command_bar.h"
#include "draw_helpers.h"

IMPLEMENT_DYNCREATE(CTkBarPainterNative, CTkBarPainterDefault)

CTkBarPainterNative::CTkBarPainterNative() {
  m_bUseFadedIcons = TRUE;
  m_bIconsWithShadow = FALSE;
  m_menuTextColor = COLOR_MENUTEXT;
  m_bFlatMenus = TRUE;
}

CTkBarPainterNative::~CTkBarPainterNative() { CloseStyles(); }

void CTkBarPainterNative::CloseStyles() {
  m_statusStyle.CloseThemeData();
  m_comboStyle.CloseThemeData();
  m_toolBarStyle.CloseThemeData();
  m_rebarStyle.CloseThemeData();
}

void CTkBarPainterNative::UpdateFontsAndColors() {
  CTkBarPainterDefault::UpdateFontsAndColors();
  CloseStyles();
  // The program installs this look while its frame is made, before there
  // is a main window: the styles then open for no window.
  CWnd* main = AfxGetMainWnd();
  const HWND window = main != nullptr ? main->GetSafeHwnd() : nullptr;
  m_toolBarStyle.OpenThemeData(window, L"TOOLBAR");
  m_rebarStyle.OpenThemeData(window, L"REBAR");
  m_comboStyle.OpenThemeData(window, L"COMBOBOX");
  m_statusStyle.OpenThemeData(window, L"STATUS");
  BOOL flat = FALSE;
  m_bFlatMenus = ::SystemParametersInfoW(SPI_GETFLATMENU, 0, &flat, 0) ? flat : FALSE;
  COLORREF color = 0;
  m_barEdgeColor = IsStyled(m_rebarStyle) && SUCCEEDED(m_rebarStyle.GetThemeColor(RP_BAND, 0, TMT_EDGESHADOWCOLOR, &color))
                       ? color
                       : GetColor(COLOR_BTNSHADOW);
  if (IsStyled(m_toolBarStyle) && SUCCEEDED(m_toolBarStyle.GetThemeColor(0, 0, TMT_TEXTCOLOR, &color)))
    m_colors[COLOR_BTNTEXT].SetStandardValue(color);
  if (IsStyled(m_rebarStyle) && SUCCEEDED(m_rebarStyle.GetThemeColor(0, 0, TMT_FILLCOLORHINT, &color)))
    m_colors[COLOR_BTNFACE].SetStandardValue(color);
  if (IsStyled(m_statusStyle) && SUCCEEDED(m_statusStyle.GetThemeColor(SP_PANE, 0, TMT_TEXTCOLOR, &color)))
    m_statusTextColor = color;
}

void CTkBarPainterNative::DrawControlFrame(CDC* pDC, CRect rect, BOOL selected, BOOL pressed, BOOL enabled,
                                           BOOL checked, BOOL popupOpen, BOOL toolBar, int barPosition) {
  if (!IsStyled(m_toolBarStyle)) {
    CTkBarPainterDefault::DrawControlFrame(pDC, rect, selected, pressed, enabled, checked, popupOpen, toolBar,
                                           barPosition);
    return;
  }
  int state = TS_NORMAL;
  if (!enabled)
    state = checked ? TS_PRESSED : TS_DISABLED;
  else if (popupOpen)
    state = TS_PRESSED;
  else if (checked && !pressed)
    state = selected ? TS_HOTCHECKED : TS_CHECKED;
  else if ((selected && pressed) || pressed == 2)
    state = TS_PRESSED;
  else if (selected)
    state = TS_HOT;
  m_toolBarStyle.DrawThemeBackground(pDC->GetSafeHdc(), TP_BUTTON, state, &rect, nullptr);
}

void CTkBarPainterNative::DrawSplitButton(CDC* pDC, CTkControl* control, const CRect& rect) {
  if (!IsStyled(m_toolBarStyle)) {
    CTkBarPainterDefault::DrawSplitButton(pDC, control, rect);
    return;
  }
  const BOOL enabled = control->GetEnabled();
  const BOOL selected = control->GetSelected() != 0;
  const BOOL popupOpen = control->GetPopuped();
  int state = TS_NORMAL;
  if (!enabled)
    state = TS_DISABLED;
  else if (control->GetPressed() && selected)
    state = TS_PRESSED;
  else if (control->GetChecked())
    state = TS_CHECKED;
  else if (selected || popupOpen)
    state = TS_HOT;
  const CRect main(rect.left, rect.top, rect.right - 12, rect.bottom);
  const CRect arrow(rect.right - 12, rect.top, rect.right, rect.bottom);
  m_toolBarStyle.DrawThemeBackground(pDC->GetSafeHdc(), TP_SPLITBUTTON, state, &main, nullptr);
  m_toolBarStyle.DrawThemeBackground(pDC->GetSafeHdc(), TP_SPLITBUTTONDROPDOWN, popupOpen ? TS_PRESSED : state, &arrow,
                                     nullptr);
  pDC->SetTextColor(GetColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  pDC->SetBkMode(TRANSPARENT);
}

void CTkBarPainterNative::FillCommandBar(CDC* pDC, CTkCommandBar* bar) {
  const CTkClientBounds client(bar);
  const int position = bar->GetPosition();
  // Popups follow the system's menus, styled or not.
  if (position == kBarPopupPosition) {
    if (m_bFlatMenus) {
      FillRectWithBorder(pDC, client, COLOR_BTNSHADOW, COLOR_MENU);
    } else {
      pDC->FillSolidRect(&client, GetColor(COLOR_MENU));
      DrawFloatingFrame(pDC, client);
    }
    return;
  }
  if (!IsStyled(m_rebarStyle)) {
    CTkBarPainterDefault::FillCommandBar(pDC, bar);
    return;
  }
  if (position == kBarFloating) {
    pDC->FillSolidRect(&client, GetColor(COLOR_BTNFACE));
    DrawFloatingFrame(pDC, client);
    return;
  }
  CWnd* dock = bar->GetParent();
  if (position == kBarTop && dock != nullptr && dock->GetSafeHwnd() != nullptr) {
    // The bar continues its dock bar's background.
    CRect dockRect;
    dock->GetWindowRect(&dockRect);
    ::MapWindowPoints(nullptr, bar->GetSafeHwnd(), reinterpret_cast<LPPOINT>(&dockRect), 2);
    m_rebarStyle.DrawThemeBackground(pDC->GetSafeHdc(), 0, 0, &dockRect, &client);
  } else {
    pDC->FillSolidRect(&client, GetColor(COLOR_BTNFACE));
  }
  pDC->Draw3dRect(&client, GetColor(COLOR_BTNHIGHLIGHT), m_barEdgeColor);
}

void CTkBarPainterNative::FillDockBar(CDC* pDC, CWnd* pWnd) {
  auto* dock = pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)) ? static_cast<CControlBar*>(pWnd)
                                                                            : nullptr;
  const BOOL top = dock != nullptr && (dock->GetBarStyle() & CBRS_ALIGN_TOP) != 0;
  if (top && IsStyled(m_rebarStyle)) {
    const CTkClientBounds client(pWnd);
    m_rebarStyle.DrawThemeBackground(pDC->GetSafeHdc(), 0, 0, &client, nullptr);
    return;
  }
  CTkBarPainterDefault::FillDockBar(pDC, pWnd);
}

void CTkBarPainterNative::FillStatusBar(CDC* pDC, CWnd* pWnd) {
  if (!IsStyled(m_statusStyle)) {
    CTkBarPainterDefault::FillStatusBar(pDC, pWnd);
    return;
  }
  const CTkClientBounds client(pWnd);
  m_statusStyle.DrawThemeBackground(pDC->GetSafeHdc(), 0, 0, &client, nullptr);
}

void CTkBarPainterNative::DrawStatusBarPaneBorder(CDC* pDC, CRect rect, BOOL gripperPane) {
  if (!IsStyled(m_statusStyle)) {
    CTkBarPainterDefault::DrawStatusBarPaneBorder(pDC, rect, gripperPane);
    return;
  }
  m_statusStyle.DrawThemeBackground(pDC->GetSafeHdc(), gripperPane ? SP_GRIPPERPANE : SP_PANE, 0, &rect, nullptr);
}

void CTkBarPainterNative::DrawStatusBarGripper(CDC* pDC, int left, int top, int right, int bottom) {
  if (!IsStyled(m_statusStyle)) {
    CTkBarPainterDefault::DrawStatusBarGripper(pDC, left, top, right, bottom);
    return;
  }
  const CRect gripper(std::max(left, right - 18), top, right, bottom);
  m_statusStyle.DrawThemeBackground(pDC->GetSafeHdc(), SP_GRIPPER, 0, &gripper, nullptr);
}

CSize CTkBarPainterNative::DrawGripper(CDC* pDC, CTkCommandBar* bar, BOOL draw) {
  if (!IsStyled(m_rebarStyle)) return CTkBarPainterDefault::DrawGripper(pDC, bar, draw);
  if (bar->HasFixedGripper()) return DrawFixedGripper(pDC, draw);
  const CTkClientBounds client(bar);
  switch (bar->GetPosition()) {
    case kBarTop:
    case kBarBottom: {
      const CRect rect(2, 0, 8, client.Height());
      if (draw) m_rebarStyle.DrawThemeBackground(pDC->GetSafeHdc(), RP_GRIPPER, 1, &rect, nullptr);
      return CSize(8, 0);
    }
    case kBarLeft:
    case kBarRight: {
      const CRect rect(0, 2, client.Width(), 8);
      if (draw) m_rebarStyle.DrawThemeBackground(pDC->GetSafeHdc(), RP_GRIPPERVERT, 1, &rect, nullptr);
      return CSize(0, 8);
    }
    case kBarFloating:
      return CTkBarPainterDefault::DrawGripper(pDC, bar, draw);
    default:
      return CSize(0, 0);
  }
}

CSize CTkBarPainterNative::DrawFixedGripper(CDC* pDC, BOOL draw) {
  if (!IsStyled(m_rebarStyle)) return CTkBarPainterDefault::DrawFixedGripper(pDC, draw);
  const int height = std::max(m_controlHeight + 4, 22);
  const CRect rect(2, 3, 8, height);
  if (draw) m_rebarStyle.DrawThemeBackground(pDC->GetSafeHdc(), RP_GRIPPER, 1, &rect, nullptr);
  return CSize(8, height);
}

void CTkBarPainterNative::AdjustControlRect(CRect& rect, CTkControl* control, BOOL vertical) {
  if (!IsStyled(m_rebarStyle)) {
    CTkBarPainterDefault::AdjustControlRect(rect, control, vertical);
    return;
  }
  if (control->GetType() == kControlComboBox) return;
  if (control->GetParent() != nullptr && control->GetParent()->GetType() == kBarPopup) {
    rect.DeflateRect(3, 0);
    rect.InflateRect(0, 3);
  }
}

void CTkBarPainterNative::DrawEditFrame(CDC* pDC, CRect rect, BOOL enabled, BOOL selected) {
  if (!IsStyled(m_comboStyle)) {
    CTkBarPainterDefault::DrawEditFrame(pDC, rect, enabled, selected);
    return;
  }
  COLORREF border = 0;
  if (FAILED(m_comboStyle.GetThemeColor(CP_DROPDOWNBUTTON, enabled ? 1 : 4, TMT_BORDERCOLOR, &border)))
    border = GetColor(COLOR_BTNSHADOW);
  pDC->Draw3dRect(&rect, border, border);
}

void CTkBarPainterNative::DrawComboDropButton(CDC* pDC, CRect rect, BOOL enabled, BOOL selected, BOOL dropped) {
  if (!IsStyled(m_comboStyle)) {
    CTkBarPainterDefault::DrawComboDropButton(pDC, rect, enabled, selected, dropped);
    return;
  }
  const int state = !enabled ? 4 : dropped ? 3 : selected ? 2 : 1;
  CRect button(rect.left - 2, rect.top + 1, rect.right - 1, rect.bottom - 1);
  m_comboStyle.DrawThemeBackground(pDC->GetSafeHdc(), CP_DROPDOWNBUTTON, state, &button, nullptr);
}
