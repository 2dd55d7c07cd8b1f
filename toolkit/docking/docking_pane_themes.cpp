#include <algorithm>

#include "docking_pane_gradient_themes.h"
#include "docking_pane_painter.h"
#include "docking_tabbed_container.h"
#include "draw_helpers.h"
#include "tab_painter.h"
#include "tab_palette.h"

CTkDockingPanePainter* CreateDockingPanePainter(int theme) {
  switch (theme) {
    case 1:
      return new CTkDockingPaneTheme1;
    case 2:
      return new CTkDockingPaneTheme2;
    case 3:
      return new CTkDockingPaneTheme3;
    case 4:
      return new CTkDockingPaneTheme4;
    case 5:
      return new CTkDockingPaneTheme5;
    case 6:
      return new CTkDockingPaneTheme6;
    case 7:
      return new CTkDockingPaneTheme7;
    case 8:
      return new CTkDockingPaneTheme8;
    case 9:
      return new CTkDockingPaneTheme9;
    default:
      return new CTkDockingPaneTheme0;
  }
}

namespace {

// A point along (x) and across (y) a caption, turned for a vertical one.
int CaptionStart(const CRect& rect, BOOL vertical) { return vertical ? rect.top : rect.left; }
int CaptionEnd(const CRect& rect, BOOL vertical) { return vertical ? rect.bottom : rect.right; }
int CaptionMiddle(const CRect& rect, BOOL vertical) {
  return vertical ? (rect.left + rect.right) / 2 : (rect.top + rect.bottom) / 2;
}

}  // namespace

// Theme 0.

std::vector<CTkDockingPaneCaptionButton*>& CTkDockingPaneTheme0::ButtonsOf(CTkDockingPaneNode* owner) {
  static std::vector<CTkDockingPaneCaptionButton*> NoButtons;
  return owner != nullptr ? owner->m_captionButtons : NoButtons;
}

BOOL CTkDockingPaneTheme0::IsFloatingFrameActive(CWnd* pFrame) {
  if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr) return FALSE;
  auto* miniFrame = dynamic_cast<CMiniFrameWnd*>(pFrame);
  return miniFrame != nullptr ? miniFrame->m_bActive : pFrame->GetSafeHwnd() == ::GetActiveWindow();
}

void CTkDockingPaneTheme0::DrawCaptionBand(CDC* pDC, CTkDockingPaneTabbedContainer* container, CRect rect,
                                           COLORREF fill, int start) {
  BOOL vertical = container->IsCaptionVertical();
  CRect caption = rect;
  CRect band = rect;
  if (vertical) {
    caption.left = rect.left + start;
    caption.right = caption.left + m_captionHeight + 1;
    band.right = caption.right + 2;
  } else {
    caption.top = rect.top + start;
    caption.bottom = caption.top + m_captionHeight + 1;
    band.bottom = caption.bottom + 2;
  }
  pDC->FillSolidRect(band, fill);
  BOOL active = m_bHighlightActiveCaption && container->IsContainerActive();
  DrawCaptionContent(pDC, container, caption, container->GetTitle(), active, vertical);
}

void CTkDockingPaneTheme0::DrawCaption(CDC* pDC, CTkDockingPaneTabbedContainer* container, CRect rect) {
  DrawCaptionBand(pDC, container, rect, GetColor(COLOR_BTNFACE), 2);
}

void CTkDockingPaneTheme0::DrawCaptionContent(CDC* pDC, CTkDockingPaneNode* owner, CRect caption,
                                              const CString& title, BOOL active, BOOL vertical) {
  pDC->FillSolidRect(caption, GetColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  DeflateCaptionRect(caption, 0, 0, 2, 0, vertical);
  DrawCaptionButtons(pDC, ButtonsOf(owner), &caption, GetColor(COLOR_BTNTEXT), 12, 2, vertical);
  pDC->SetTextColor(GetColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  DeflateCaptionRect(caption, 4, 1, 0, 0, vertical);
  DrawCaptionText(pDC, title, caption, vertical, FALSE);
}

void CTkDockingPaneTheme0::DrawCaptionButton(CDC* pDC, CTkDockingPaneCaptionButton* button, COLORREF color) {
  CRect rect = button->m_rect;
  UINT pressed = button->m_bPressed ? DFCS_PUSHED : 0;
  if (button->m_id == kButtonClose) {
    pDC->DrawFrameControl(rect, DFC_CAPTION, DFCS_CAPTIONCLOSE | pressed);
    return;
  }
  pDC->DrawFrameControl(rect, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | pressed);
  // Maximize, Restore and Menu show a plain button in this theme.
  if (button->m_id != kButtonAutoHide) return;
  CPoint center = button->m_rect.CenterPoint();
  if (!button->m_bPressed) center.Offset(-1, -1);
  DrawPushPin(pDC, center.x, center.y, color, (button->m_state & 2) != 0);
}

void CTkDockingPaneTheme0::DrawFloatingFrame(CDC* pDC, CWnd* pFrame, CRect rect) {
  pDC->Draw3dRect(rect, GetColor(COLOR_BTNFACE), RGB(0, 0, 0));
  rect.DeflateRect(1, 1);
  pDC->Draw3dRect(rect, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNSHADOW));
  rect.DeflateRect(1, 1);
  pDC->Draw3dRect(rect, GetColor(COLOR_BTNFACE), GetColor(COLOR_BTNFACE));
  rect.DeflateRect(1, 1);
  CRect caption = rect;
  caption.bottom = caption.top + m_captionHeight + 3;
  CTkOffscreenDC buffer(pDC->GetSafeHdc(), caption.left, caption.top, caption.right, caption.bottom);
  buffer.SetBkMode(TRANSPARENT);
  buffer.FillSolidRect(caption, GetColor(COLOR_BTNFACE));
  caption.DeflateRect(1, 2, 1, 2);
  CString title;
  if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr) pFrame->GetWindowText(title);
  BOOL active = m_bHighlightActiveCaption && IsFloatingFrameActive(pFrame);
  // A floating frame is also a node: its caption buttons are drawn with it.
  DrawCaptionContent(&buffer, dynamic_cast<CTkDockingPaneNode*>(pFrame), caption, title, active, FALSE);
}

// Theme 4.

void CTkDockingPaneTheme4::DrawCaption(CDC* pDC, CTkDockingPaneTabbedContainer* container, CRect rect) {
  DrawCaptionBand(pDC, container, rect, m_splitterFace, m_captionMargins.top);
}

void CTkDockingPaneTheme4::DrawFloatingFrame(CDC* pDC, CWnd* pFrame, CRect rect) {
  CTkDockingPaneTheme0::DrawFloatingFrame(pDC, pFrame, rect);
}

void CTkDockingPaneTheme4::DrawCaptionContent(CDC* pDC, CTkDockingPaneNode* owner, CRect caption,
                                              const CString& title, BOOL, BOOL vertical) {
  DeflateCaptionRect(caption, 0, 0, 2, 0, vertical);
  DrawCaptionButtons(pDC, ButtonsOf(owner), &caption, GetColor(COLOR_BTNTEXT), 14, 2, vertical);
  DeflateCaptionRect(caption, 4, 1, 2, 0, vertical);
  int grip = CaptionStart(caption, vertical) + 4;
  if (!title.IsEmpty()) {
    pDC->SetTextColor(GetColor(COLOR_BTNTEXT));
    grip = CaptionStart(caption, vertical) + DrawCaptionText(pDC, title, caption, vertical, TRUE) + 4;
  }
  int end = CaptionEnd(caption, vertical);
  if (grip >= end) return;
  int middle = CaptionMiddle(caption, vertical);
  COLORREF light = GetColor(COLOR_BTNHIGHLIGHT);
  COLORREF dark = GetColor(COLOR_BTNSHADOW);
  for (int at : {middle - 3, middle + 1}) {
    if (vertical) pDC->Draw3dRect(at, grip, 3, end - grip, light, dark);
    else pDC->Draw3dRect(grip, at, end - grip, 3, light, dark);
  }
}

void CTkDockingPaneTheme4::DrawCaptionButton(CDC* pDC, CTkDockingPaneCaptionButton* button, COLORREF color) {
  CRect rect = button->m_rect;
  CPoint center = rect.CenterPoint();
  if (button->m_bPressed) {
    pDC->Draw3dRect(rect, GetColor(COLOR_BTNTEXT), GetColor(COLOR_BTNHIGHLIGHT));
    center.Offset(1, 1);
  } else if (button->m_bHot) {
    pDC->Draw3dRect(rect, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNTEXT));
  }
  DrawButtonGlyph(pDC, button, center.x, center.y, color);
}

void CTkDockingPaneTheme4::DrawButtonGlyph(CDC* pDC, CTkDockingPaneCaptionButton* button, int x, int y,
                                           COLORREF color) {
  switch (button->m_id) {
    case kButtonClose: {
      CTkPenSelector pen(pDC->GetSafeHdc(), color);
      for (int dx : {0, 1}) {
        pDC->MoveTo(x - 4 + dx, y - 3);
        pDC->LineTo(x + 4 + dx, y + 5);
        pDC->MoveTo(x - 4 + dx, y + 3);
        pDC->LineTo(x + 4 + dx, y - 5);
      }
      break;
    }
    case kButtonAutoHide:
      DrawPushPin(pDC, x, y, color, (button->m_state & 2) != 0);
      break;
    case kButtonMaximize:
      DrawMaximizeGlyph(pDC, x, y, color, FALSE);
      break;
    case kButtonRestore:
      DrawMaximizeGlyph(pDC, x, y, color, TRUE);
      break;
    case kButtonMenu: {
      POINT points[4] = {{x - 4, y - 1}, {x - 1, y + 2}, {x, y + 2}, {x + 3, y - 1}};
      CTkPenSelector pen(pDC->GetSafeHdc(), color);
      CTkBrushSelector brush(pDC->GetSafeHdc(), color);
      pDC->Polygon(points, 4);
      break;
    }
    default:
      break;
  }
}

// Theme 1.

CTkDockingPaneTheme1::CTkDockingPaneTheme1() {
  m_pContainerTabPainter->SetAppearance(5);
  m_pAutoHideTabPainter->SetAppearance(6);
  m_bBoldCaption = FALSE;
}

void CTkDockingPaneTheme1::RefreshMetrics() {
  CTkDockingPaneTheme4::RefreshMetrics();
  m_activeCaption.SetColors(GetColor(COLOR_ACTIVECAPTION), GetColor(COLOR_GRADIENTACTIVECAPTION), 0.5f);
  m_inactiveCaption.SetColors(GetColor(COLOR_INACTIVECAPTION), ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION), 0.5f);
  m_inactiveCaptionText.SetStandardValue(GetColor(COLOR_BTNTEXT));
  m_activeCaptionText.SetStandardValue(GetColor(COLOR_CAPTIONTEXT));
  const OSVERSIONINFOW& version = GetOsVersion().m_info;
  // Systems before 4.1 have no gradient captions.
  if (version.dwMajorVersion < 4 || (version.dwMajorVersion == 4 && version.dwMinorVersion == 0)) {
    m_inactiveCaption.SetColor(GetColor(COLOR_INACTIVECAPTION));
    m_activeCaption.SetColor(GetColor(COLOR_ACTIVECAPTION));
  }
}

COLORREF CTkDockingPaneTheme1::DrawCaptionBackground(CDC* pDC, CTkDockingPaneNode*, CRect caption, BOOL active,
                                                      BOOL) {
  if (m_bGradientCaptions) {
    GetGradientPainter().FillGradientColor(pDC, caption, active ? m_activeCaption : m_inactiveCaption, TRUE);
  } else if (active) {
    pDC->FillSolidRect(caption, m_activeCaption.m_first);
  } else {
    COLORREF outline = GetColor(52);
    DrawLine(pDC, caption.left + 1, caption.top, caption.right - 1, caption.top, outline);
    DrawLine(pDC, caption.left, caption.top + 1, caption.left, caption.bottom - 1, outline);
    DrawLine(pDC, caption.left + 1, caption.bottom - 1, caption.right - 1, caption.bottom - 1, outline);
    DrawLine(pDC, caption.right - 1, caption.top + 1, caption.right - 1, caption.bottom - 1, outline);
  }
  return GetColor(active ? COLOR_CAPTIONTEXT : COLOR_BTNTEXT);
}

void CTkDockingPaneTheme1::DrawCaptionContent(CDC* pDC, CTkDockingPaneNode* owner, CRect caption,
                                              const CString& title, BOOL active, BOOL vertical) {
  COLORREF buttons = DrawCaptionBackground(pDC, owner, caption, active, vertical);
  DeflateCaptionRect(caption, 0, 0, 2, 0, vertical);
  DrawCaptionButtons(pDC, ButtonsOf(owner), &caption, buttons, 14, 2, vertical);
  pDC->SetTextColor(active ? m_activeCaptionText : m_inactiveCaptionText);
  DeflateCaptionRect(caption, 4, 1, 0, 0, vertical);
  DrawCaptionText(pDC, title, caption, vertical, FALSE);
}

// Theme 5.

CTkDockingPaneTheme5::CTkDockingPaneTheme5() {
  m_pContainerTabPainter->SetAppearance(8);
  m_pContainerTabPainter->SetStripPosition(kTabTop);
  m_pAutoHideTabPainter->SetAppearance(6);
  m_captionSpacing = 2;
}

void CTkDockingPaneTheme5::DrawPane(CDC* pDC, CTkDockingPaneTabbedContainer* container, CRect rect) {
  BOOL active = m_bHighlightActiveCaption && container->IsContainerActive();
  pDC->FillSolidRect(rect, GetColor(active ? 31 : 30));
  pDC->SetBkMode(TRANSPARENT);
  CRect outer = rect;
  CRect rest = rect;
  if (container->IsCaptionVisible() && m_bDrawCaption) {
    pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, m_splitterFace);
    DrawCaption(pDC, container, rect);
    rest.top += 1;
  }
  AdjustCaptionRect(container, &rest);
  if (container->IsTabsVisible()) {
    m_pContainerTabPainter->DrawTabControl(container, pDC, rest);
  } else if (m_pContainerTabPainter->m_clientFrameStyle != 2) {
    CRect frame = rest;
    frame.InflateRect(1, 1);
    COLORREF border = m_pContainerTabPainter->GetColorSet()->m_border;
    pDC->Draw3dRect(frame, border, border);
  }
  COLORREF corner = GetColor(51);
  int top = rest.top;
  for (CPoint point : {CPoint(outer.left, top), CPoint(outer.right - 1, top), CPoint(outer.left, outer.bottom - 1),
                       CPoint(outer.right - 1, outer.bottom - 1)})
    pDC->SetPixel(point, corner);
}

void CTkDockingPaneTheme5::AdjustCaptionRect(CTkDockingPaneTabbedContainer* container, CRect* rect) {
  CTkDockingPanePainter::AdjustCaptionRect(container, rect);
  BOOL vertical = container->IsCaptionVertical();
  BOOL caption = container->IsCaptionVisible() && m_bDrawCaption;
  DeflateCaptionRect(*rect, 3, caption ? 0 : 3, 3, 3, vertical);
  if (!container->IsTabsVisible() && m_pContainerTabPainter->m_clientFrameStyle != 2) rect->DeflateRect(1, 1);
}

void CTkDockingPaneTheme5::DrawGrip(CDC* pDC, const CRect& caption, int start, int end, COLORREF color,
                                    BOOL vertical) {
  if (start >= end) return;
  int middle = CaptionMiddle(caption, vertical);
  for (int at : {middle - 3, middle - 1, middle + 1, middle + 3}) {
    if (vertical) pDC->FillSolidRect(at, start, 1, end - start, color);
    else pDC->FillSolidRect(start, at, end - start, 1, color);
  }
}

void CTkDockingPaneTheme5::DrawCaption(CDC* pDC, CTkDockingPaneTabbedContainer* container, CRect rect) {
  BOOL vertical = container->IsCaptionVertical();
  BOOL active = m_bHighlightActiveCaption && container->IsContainerActive();
  CRect caption = rect;
  if (vertical) {
    caption.left += 2;
    caption.right = caption.left + m_captionHeight;
  } else {
    caption.top += 2;
    caption.bottom = caption.top + m_captionHeight;
  }
  DeflateCaptionRect(caption, 0, 0, 1, 0, vertical);
  DrawCaptionButtons(pDC, container->m_captionButtons, &caption, RGB(0, 0, 0), 16, 0, vertical);
  pDC->SetTextColor(GetColor(COLOR_BTNTEXT));
  DeflateCaptionRect(caption, 4, 1, 2, 0, vertical);
  CString title = container->GetTitle();
  int start = CaptionStart(caption, vertical);
  int grip = title.IsEmpty() ? start : start + DrawCaptionText(pDC, title, caption, vertical, TRUE) + 10;
  DrawGrip(pDC, caption, grip, CaptionEnd(caption, vertical), active ? GetColor(COLOR_BTNTEXT) : GetColor(38),
           vertical);
}

void CTkDockingPaneTheme5::DrawCaptionButton(CDC* pDC, CTkDockingPaneCaptionButton* button, COLORREF color) {
  CRect rect = button->m_rect;
  if (button->m_bHot) {
    FillRectWithBorder(pDC, rect, GetColor(31), GetColor(32));
    color = GetColor(45);
  }
  if (button->m_bPressed) {
    FillRectWithBorder(pDC, rect, GetColor(33), GetColor(32));
    color = GetColor(47);
  }
  CPoint center = rect.CenterPoint();
  DrawButtonGlyph(pDC, button, center.x, center.y, color);
}

void CTkDockingPaneTheme5::DrawFloatingFrame(CDC* pDC, CWnd* pFrame, CRect rect) {
  BOOL active = m_bHighlightActiveCaption && IsFloatingFrameActive(pFrame);
  COLORREF a = GetColor(active ? 31 : 30);
  pDC->Draw3dRect(rect, a, RGB(0, 0, 0));
  rect.DeflateRect(1, 1);
  pDC->Draw3dRect(rect, GetColor(COLOR_BTNHIGHLIGHT), GetColor(COLOR_BTNSHADOW));
  rect.DeflateRect(1, 1);
  pDC->Draw3dRect(rect, a, a);
  rect.DeflateRect(1, 1);
  CRect caption = rect;
  caption.bottom = caption.top + m_captionHeight + 3;
  pDC->FillSolidRect(caption, a);
  DrawCaptionButtons(pDC, ButtonsOf(dynamic_cast<CTkDockingPaneNode*>(pFrame)), &caption, GetColor(COLOR_BTNTEXT), 16, 0,
                     FALSE);
  CString title;
  if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr) pFrame->GetWindowText(title);
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(GetColor(COLOR_BTNTEXT));
  CRect text = caption;
  text.left += 4;
  CSize extent;
  {
    CTkFontSelector font(pDC, &m_captionFont);
    pDC->DrawText(title, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    extent = title.IsEmpty() ? CSize(0, 0) : pDC->GetTextExtent(title);
  }
  DrawGrip(pDC, caption, text.left + extent.cx + 14, caption.right - 4, GetColor(active ? COLOR_BTNTEXT : 38), FALSE);
}

// Theme 8.

CTkDockingPaneTheme8::CTkDockingPaneTheme8() {
  m_bBoldCaption = FALSE;
  m_captionMargins.SetRect(0, 0, 0, 0);
  m_captionSpacing = 9;
}

void CTkDockingPaneTheme8::RefreshMetrics() {
  CTkDockingPaneTheme4::RefreshMetrics();
  m_rebarTheme.OpenThemeData(nullptr, L"REBAR");
  m_toolbarTheme.OpenThemeData(nullptr, L"TOOLBAR");
  BOOL themed = m_rebarTheme.IsAppThemed();
  if (themed) {
    for (CTkTabPainter* painter : {m_pContainerTabPainter, m_pAutoHideTabPainter}) {
      painter->SetAppearance(0);
      painter->SetColorSet(8);
      painter->m_bHotTracking = TRUE;
    }
  } else {
    m_pAutoHideTabPainter->SetAppearance(6);
    m_pContainerTabPainter->SetAppearance(5);
    m_pAutoHideTabPainter->m_bHotTracking = FALSE;
    m_pContainerTabPainter->m_bHotTracking = FALSE;
  }
}

void CTkDockingPaneTheme8::DrawCaptionContent(CDC* pDC, CTkDockingPaneNode* owner, CRect caption,
                                              const CString& title, BOOL, BOOL vertical) {
  HWND hWnd = owner != nullptr ? owner->GetPaneHwnd() : nullptr;
  if (m_rebarTheme.IsAppThemed() && hWnd != nullptr) {
    // The rebar background continues the frame's across the caption.
    HWND frame = ::GetParent(hWnd);
    CRect back;
    ::GetClientRect(hWnd, &back);
    if (frame != nullptr) {
      CRect window;
      CRect frameRect;
      ::GetWindowRect(hWnd, &window);
      ::GetWindowRect(frame, &frameRect);
      back.left -= window.left - frameRect.left;
      back.top -= window.top - frameRect.top;
      back.right += frameRect.right - window.right;
      back.bottom += frameRect.bottom - window.bottom;
    }
    m_rebarTheme.DrawThemeBackground(pDC->GetSafeHdc(), 0, 0, back, caption);
  }
  DeflateCaptionRect(caption, 0, 0, 2, 0, vertical);
  DrawCaptionButtons(pDC, ButtonsOf(owner), &caption, GetColor(COLOR_BTNTEXT), 16, 2, vertical);
  pDC->SetTextColor(GetColor(COLOR_BTNTEXT));
  DeflateCaptionRect(caption, 4, 1, 0, 0, vertical);
  DrawCaptionText(pDC, title, caption, vertical, FALSE);
}

void CTkDockingPaneTheme8::DrawCaptionButton(CDC* pDC, CTkDockingPaneCaptionButton* button, COLORREF color) {
  if (!m_toolbarTheme.IsAppThemed()) {
    CTkDockingPaneTheme4::DrawCaptionButton(pDC, button, color);
    return;
  }
  CRect rect = button->m_rect;
  if (button->m_bPressed) m_toolbarTheme.DrawThemeBackground(pDC->GetSafeHdc(), 1, 3, rect, nullptr);
  else if (button->m_bHot) m_toolbarTheme.DrawThemeBackground(pDC->GetSafeHdc(), 1, 2, rect, nullptr);
  CPoint center = rect.CenterPoint();
  DrawButtonGlyph(pDC, button, center.x, center.y, color);
}
