#include "docking_pane_gradient_themes.h"

#include <vssym32.h>

#include "corner_pixels.h"
#include "docking_mini_wnd.h"
#include "docking_tabbed_container.h"
#include "draw_helpers.h"
#include "tab_painter.h"
#include "tab_set.h"
#include "tab_shape.h"

namespace {

// Scheme colours of theme 2, one column per Windows XP scheme.
struct Theme2SchemeColors {
  COLORREF inactiveFirst, inactiveSecond;
  float inactiveFactor;
  COLORREF splitterFace;
  COLORREF table[13];
};

const int kTheme2TableIndices[13] = {38, 39, 40, 41, 43, 31, 32, 37, 50, 33, 36, 30, 47};

const Theme2SchemeColors kTheme2Schemes[3] = {
    {0xfeecdd, 0xe2a981, 0.75f, 0xfce7d8,
     {0x764127, 0xcb8c6a, 0xd0966d, 0xf6f6f6, 0x962d00, 0xc2eeff, 0x800000, 0x800000, 0x800000, 0x3e80fe, 0x6fc0ff,
      0xf5be9e, 0}},
    {0xdef7f4, 0x91c6b7, 0.3f, 0xbfe7e2,
     {0x335e51, 0x588060, 0x7aae9f, 0xeef4f4, 0x5e8d75, 0xc2eeff, 0x385d3f, 0x385d3f, 0x385d3f, 0x3e80fe, 0x6fc0ff,
      0xa7d9d9, 0}},
    {0xfff9f9, 0xb79b9c, 0.75f, 0xeadfdf,
     {0x755454, 0x8f6d6e, 0xbea7a8, 0xfffafd, 0x947c7c, 0xc2eeff, 0x6f4b4b, 0x6f4b4b, 0x6f4b4b, 0x3e80fe, 0x6fc0ff,
      0xe5d7d7, 0}},
};

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

BOOL IsXPSchemeColors(int scheme) { return scheme >= xpBlue && scheme <= xpSilver; }

CString WindowTextOf(CWnd* pWnd) {
  CString text;
  if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr) pWnd->GetWindowText(text);
  return text;
}

// A caption's owner counts as active unless it is a container or a
// floating frame without the focus.
BOOL IsOwnerActive(CTkDockingPaneNode* owner) {
  if (auto* container = dynamic_cast<CTkDockingPaneTabbedContainer*>(owner)) return container->IsContainerActive();
  if (auto* frame = dynamic_cast<CTkDockingPaneMiniWnd*>(owner)) return frame->m_bActive;
  return TRUE;
}

}  // namespace

// Theme 2.

CTkDockingPaneTheme2::CTkDockingPaneTheme2() {
  m_bDottedGrip = TRUE;
  m_bRoundedCaption = TRUE;
  m_captionSpacing = 7;
  m_bBoldCaption = TRUE;
  for (CTkTabPainter* painter : {m_pContainerTabPainter, m_pAutoHideTabPainter}) {
    painter->SetAppearance(2);
    painter->SetColorSet(4);
    painter->m_bHotTracking = TRUE;
  }
}

void CTkDockingPaneTheme2::RefreshMetrics() {
  CTkDockingPaneTheme1::RefreshMetrics();
  COLORREF face = GetColor(COLOR_BTNFACE);
  m_inactiveCaption.SetColors(CTkColorScheme::BlendColors(face, GetColor(COLOR_WINDOW), 205), face, 0.5f);
  m_inactiveCaptionText.SetStandardValue(GetColor(COLOR_BTNTEXT));
  m_activeCaption.SetColor(GetColor(36));
  m_activeCaptionText.SetStandardValue(GetColor(COLOR_BTNTEXT));
  m_bXPColors = FALSE;
  int scheme = GetXPScheme();
  if (!IsXPSchemeColors(scheme)) return;
  const Theme2SchemeColors& colors = kTheme2Schemes[scheme - xpBlue];
  m_inactiveCaption.SetColors(colors.inactiveFirst, colors.inactiveSecond, colors.inactiveFactor);
  m_splitterFace.SetStandardValue(colors.splitterFace);
  m_splitterShadow.SetStandardValue(GetColor(38));
  SetColors(13, kTheme2TableIndices, colors.table);
  m_bXPColors = TRUE;
  m_activeCaption.SetColors(0x8cd5ff, 0x4ca6ff, 0.5f);
  m_splitterGradient.CopyFrom(GetColorScheme()->GetGradient(1));
}

void CTkDockingPaneTheme2::DrawCaption(CDC* pDC, CTkDockingPaneTabbedContainer* container, CRect rect) {
  BOOL vertical = container->IsCaptionVertical();
  CRect caption = rect;
  CRect gradient;
  if (vertical) {
    caption.right = caption.left + m_captionHeight + 3;
    gradient = caption;
    gradient.top += 1;
  } else {
    caption.bottom = caption.top + m_captionHeight + 3;
    gradient = caption;
    gradient.left += 1;
  }
  BOOL active = m_bHighlightActiveCaption && container->IsContainerActive();
  int saved = pDC->SaveDC();
  if (m_bRoundedCaption) {
    pDC->FillSolidRect(caption, m_splitterFace);
    ExcludeCornerPixels(pDC->GetSafeHdc(), gradient);
  }
  GetGradientPainter().FillGradientColor(pDC, gradient, active ? m_activeCaption : m_inactiveCaption, vertical);
  pDC->RestoreDC(saved);
  if (!m_bRoundedCaption) {
    COLORREF line = GetColor(54);
    pDC->FillSolidRect(caption.left, caption.top, 1, caption.Height(), line);
    pDC->FillSolidRect(caption.left, caption.top, caption.Width(), 1, line);
    pDC->FillSolidRect(caption.right - 1, caption.top, 1, caption.Height(), line);
  }
  DrawCaptionContent(pDC, container, caption, container->GetTitle(), active, vertical);
}

void CTkDockingPaneTheme2::DrawCaptionContent(CDC* pDC, CTkDockingPaneNode* owner, CRect caption,
                                              const CString& title, BOOL active, BOOL vertical) {
  COLORREF color = active ? m_activeCaptionText : m_inactiveCaptionText;
  DeflateCaptionRect(caption, 0, 0, 4, 0, vertical);
  DrawCaptionButtons(pDC, ButtonsOf(owner), &caption, color, 16, 0, vertical);
  if (m_bDottedGrip && CaptionLength(caption, vertical) > 7) {
    int thickness = vertical ? caption.Width() : caption.Height();
    COLORREF light = GetColor(COLOR_BTNHIGHLIGHT);
    COLORREF dark = GetColor(38);
    for (int at = 5; at < thickness - 3; at += 4) {
      if (vertical) {
        pDC->FillSolidRect(caption.left + at + 1, caption.top + 6, 2, 2, light);
        pDC->FillSolidRect(caption.left + at, caption.top + 5, 2, 2, dark);
      } else {
        pDC->FillSolidRect(caption.left + 6, caption.top + at + 1, 2, 2, light);
        pDC->FillSolidRect(caption.left + 5, caption.top + at, 2, 2, dark);
      }
    }
    DeflateCaptionRect(caption, 8, 0, 0, 0, vertical);
  }
  pDC->SetTextColor(color);
  DeflateCaptionRect(caption, 6, 1, 2, 0, vertical);
  DrawCaptionText(pDC, title, caption, vertical, FALSE);
}

void CTkDockingPaneTheme2::DrawButtonFace(CDC* pDC, CTkDockingPaneCaptionButton* button, COLORREF* glyph) {
  CRect rect = button->m_rect;
  COLORREF frame = GetColor(32);
  if (button->m_bHot) {
    if (m_bXPColors) {
      GetGradientPainter().FillGradient(pDC, rect, 0xc8f2ff, 0x97d4ff, FALSE);
      pDC->Draw3dRect(rect, frame, frame);
      *glyph = kBlack;
    } else {
      FillRectWithBorder(pDC, rect, GetColor(31), frame);
      *glyph = GetColor(45);
    }
  }
  if (button->m_bPressed) {
    if (m_bXPColors) {
      GetGradientPainter().FillGradient(pDC, rect, 0x4b8efe, 0x8bcfff, FALSE);
      pDC->Draw3dRect(rect, frame, frame);
      *glyph = kBlack;
    } else {
      FillRectWithBorder(pDC, rect, GetColor(33), frame);
      *glyph = GetColor(47);
    }
  }
}

void CTkDockingPaneTheme2::DrawCaptionButton(CDC* pDC, CTkDockingPaneCaptionButton* button, COLORREF color) {
  DrawButtonFace(pDC, button, &color);
  CPoint center = button->m_rect.CenterPoint();
  DrawButtonGlyph(pDC, button, center.x, center.y, color);
}

void CTkDockingPaneTheme2::DrawFloatingFrame(CDC* pDC, CWnd* pFrame, CRect rect) {
  COLORREF frame = GetColor(43);
  for (int i = 0; i < 3; ++i) {
    pDC->Draw3dRect(rect, frame, frame);
    if (i < 2) rect.DeflateRect(1, 1);
  }
  // The innermost frame takes the caption's colour, its corners stay dark.
  int saved = pDC->SaveDC();
  ExcludeCornerPixels(pDC->GetSafeHdc(), rect);
  COLORREF inner = m_inactiveCaption.m_second;
  pDC->Draw3dRect(rect, inner, inner);
  pDC->RestoreDC(saved);
  rect.DeflateRect(1, 1);
  CRect caption = rect;
  caption.bottom = caption.top + m_captionHeight + 3;
  BOOL active = m_bHighlightActiveCaption && IsFloatingFrameActive(pFrame);
  CTkOffscreenDC buffer(pDC->GetSafeHdc(), caption.left, caption.top, caption.right, caption.bottom);
  buffer.SetBkMode(TRANSPARENT);
  GetGradientPainter().FillGradientColor(&buffer, caption, active ? m_activeCaption : m_inactiveCaption, FALSE);
  caption.DeflateRect(1, 0);
  DrawCaptionContent(&buffer, dynamic_cast<CTkDockingPaneNode*>(pFrame), caption, WindowTextOf(pFrame), active,
                     FALSE);
}

// Theme 7.

CTkDockingPaneTheme7::CTkDockingPaneTheme7() {
  m_bDottedGrip = FALSE;
  m_bRoundedCaption = FALSE;
  m_captionSpacing = 3;
}

void CTkDockingPaneTheme7::RefreshMetrics() {
  CTkDockingPaneTheme2::RefreshMetrics();
  if (m_bUseSystemCaptionFont) {
    LOGFONTW lf = {};
    if (::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0)) {
      lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
      lf.lfWeight = FW_BOLD;
      lf.lfHeight = 20;
      // Not the system's font any more: later refreshes keep this one.
      SetCaptionFont(&lf, FALSE);
    }
  }
  if (m_bXPColors) {
    m_inactiveCaption.CopyFrom(GetColorScheme()->GetGradient(0));
    m_inactiveCaptionText.SetStandardValue(kWhite);
  } else {
    COLORREF shadow = GetColor(COLOR_BTNSHADOW);
    m_inactiveCaption.SetColors(CTkColorScheme::BlendColors(shadow, GetColor(COLOR_WINDOW), 205), shadow, 0.5f);
  }
}

// Theme 3.

CTkDockingPaneTheme3::CTkDockingPaneTheme3() {
  m_bGradientCaptions = TRUE;
  m_captionSpacing = 7;
  for (CTkTabPainter* painter : {m_pContainerTabPainter, m_pAutoHideTabPainter}) {
    painter->SetAppearance(0);
    painter->SetColorSet(8);
    painter->m_bHotTracking = TRUE;
  }
}

void CTkDockingPaneTheme3::RefreshMetrics() {
  CTkDockingPaneTheme1::RefreshMetrics();
  m_windowTheme.OpenThemeData(nullptr, L"WINDOW");
  m_explorerBarTheme.OpenThemeData(nullptr, L"EXPLORERBAR");
}

void CTkDockingPaneTheme3::DrawCaption(CDC* pDC, CTkDockingPaneTabbedContainer* container, CRect rect) {
  if (!m_windowTheme.IsAppThemed()) {
    CTkDockingPaneTheme1::DrawCaption(pDC, container, rect);
    return;
  }
  BOOL vertical = container->IsCaptionVertical();
  CRect caption = rect;
  if (vertical) caption.right = caption.left + m_captionHeight + 1;
  else caption.bottom = caption.top + m_captionHeight + 1;
  BOOL active = m_bHighlightActiveCaption && container->IsContainerActive();
  m_windowTheme.DrawThemeBackground(pDC->GetSafeHdc(), WP_SMALLCAPTION, active ? 1 : 2, caption, nullptr);
  DrawCaptionContent(pDC, container, caption, container->GetTitle(), active, vertical);
}

void CTkDockingPaneTheme3::DrawCaptionContent(CDC* pDC, CTkDockingPaneNode* owner, CRect caption,
                                              const CString& title, BOOL active, BOOL vertical) {
  if (!m_windowTheme.IsAppThemed()) {
    CTkDockingPaneTheme1::DrawCaptionContent(pDC, owner, caption, title, active, vertical);
    return;
  }
  COLORREF color = GetColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
  DeflateCaptionRect(caption, 0, 0, 2, 0, vertical);
  DrawCaptionButtons(pDC, ButtonsOf(owner), &caption, color, 16, 3, vertical);
  pDC->SetTextColor(color);
  DeflateCaptionRect(caption, 4, 1, 0, 0, vertical);
  DrawCaptionText(pDC, title, caption, vertical, FALSE);
}

void CTkDockingPaneTheme3::DrawCaptionButton(CDC* pDC, CTkDockingPaneCaptionButton* button, COLORREF color) {
  int id = button->m_id;
  if (!m_explorerBarTheme.IsAppThemed() || (id != kButtonClose && id != kButtonAutoHide)) {
    CTkDockingPaneTheme4::DrawCaptionButton(pDC, button, color);
    return;
  }
  int state = button->m_bPressed ? 3 : (button->m_bHot ? 2 : 1);
  if (id == kButtonClose) {
    BOOL ownerActive = m_bHighlightActiveCaption && IsOwnerActive(button->m_pOwner);
    if (state == 1 && ownerActive) state = 2;
    m_explorerBarTheme.DrawThemeBackground(pDC->GetSafeHdc(), EBP_HEADERCLOSE, state, button->m_rect, nullptr);
    return;
  }
  // The selected pin states stand for a pane that is docked.
  if (!(button->m_state & 2)) state += 3;
  m_explorerBarTheme.DrawThemeBackground(pDC->GetSafeHdc(), EBP_HEADERPIN, state, button->m_rect, nullptr);
}

void CTkDockingPaneTheme3::DrawFloatingFrame(CDC* pDC, CWnd* pFrame, CRect rect) {
  if (!m_windowTheme.IsAppThemed()) {
    CTkDockingPaneTheme4::DrawFloatingFrame(pDC, pFrame, rect);
    return;
  }
  BOOL active = m_bHighlightActiveCaption && IsFloatingFrameActive(pFrame);
  int state = active ? 1 : 2;
  HDC hDC = pDC->GetSafeHdc();
  CRect left(rect.left, rect.top, rect.left + 3, rect.bottom);
  CRect right(rect.right - 3, rect.top, rect.right, rect.bottom);
  CRect bottom(rect.left, rect.bottom - 3, rect.right, rect.bottom);
  m_windowTheme.DrawThemeBackground(hDC, WP_SMALLFRAMELEFT, state, left, nullptr);
  m_windowTheme.DrawThemeBackground(hDC, WP_SMALLFRAMERIGHT, state, right, nullptr);
  m_windowTheme.DrawThemeBackground(hDC, WP_SMALLFRAMEBOTTOM, state, bottom, nullptr);
  CRect caption = rect;
  caption.bottom = caption.top + m_captionHeight + 5;
  CTkOffscreenDC buffer(hDC, caption.left, caption.top, caption.right, caption.bottom);
  buffer.SetBkMode(TRANSPARENT);
  m_windowTheme.DrawThemeBackground(buffer.GetSafeHdc(), WP_SMALLCAPTION, state, caption, nullptr);
  caption.DeflateRect(3, 0);
  DrawCaptionContent(&buffer, dynamic_cast<CTkDockingPaneNode*>(pFrame), caption, WindowTextOf(pFrame), active,
                     FALSE);
}

// Theme 6.

CTkDockingPaneTheme6::CTkDockingPaneTheme6() {
  m_captionMargins.SetRect(0, 0, 0, 0);
  m_bGradientCaptions = TRUE;
  m_bBoldCaption = FALSE;
  m_splitterStyle = 4;
  m_xpScheme = xpNone;
  struct {
    CTkTabPainter* painter;
    BOOL whiteSelectedFace;
  } painters[] = {{m_pContainerTabPainter, TRUE}, {m_pAutoHideTabPainter, FALSE}};
  for (const auto& p : painters) {
    p.painter->m_bSchemeColorsOff = TRUE;
    static_cast<CTkTabShapeBoxed*>(p.painter->SetAppearance(2))->m_bFramedTabs = FALSE;
    p.painter->SetColorSet(new CTkDockingPaneTabColorSet(p.whiteSelectedFace));
    p.painter->m_bHotTracking = FALSE;
  }
  m_pContainerTabPainter->m_clientFrameStyle = 2;
  m_pAutoHideTabPainter->SetLayout(kTabLayoutNatural);
}

void CTkDockingPaneTheme6::RefreshMetrics() {
  CTkDockingPaneTheme1::RefreshMetrics();
  m_inactiveCaptionText.SetStandardValue(GetColor(COLOR_INACTIVECAPTIONTEXT));
  XPSchemeId scheme = GetColorScheme()->GetActiveXPScheme();
  if (scheme == xpBlue || scheme == xpOlive) {
    m_splitterGradient.SetColors(0xd7e5e5, 0xe7f1f4, 0.5f);
    m_inactiveCaption.SetColors(0xc6d7d8, 0xe5efee, 0.5f);
    m_inactiveCaptionText.SetStandardValue(kBlack);
  } else if (scheme == xpSilver) {
    m_splitterGradient.SetColors(0xe5d7d7, 0xf7f3f3, 0.5f);
    m_inactiveCaption.SetColors(0xebe0e0, 0xf6f2f2, 0.5f);
    m_activeCaption.SetColors(0xba9ea0, 0xebe1e0, 0.5f);
    m_inactiveCaptionText.SetStandardValue(kBlack);
  }
}

// Theme 9.

namespace {

// A boxed appearance whose tabs are outlined by a rounded rectangle.
CTkTabShapeBoxed* MakeSlimTabs(BOOL selectedBoxOnly) {
  auto* shape = new CTkTabShapeBoxed;
  shape->m_headerMargin.SetRect(2, 2, 4, 0);
  shape->m_bFramedTabs = FALSE;
  shape->m_bSelectedBoxOnly = selectedBoxOnly;
  return shape;
}

}  // namespace

CTkDockingPaneTheme9::CTkDockingPaneTheme9() {
  struct {
    CTkTabPainter* painter;
    BOOL selectedBoxOnly;
    BOOL whiteSelectedFace;
  } painters[] = {{m_pContainerTabPainter, TRUE, TRUE}, {m_pAutoHideTabPainter, FALSE, FALSE}};
  for (const auto& p : painters) {
    p.painter->SetAppearance(9);
    p.painter->SetColorSet(new CTkDockingPaneTabColorSet(TRUE));
    // The appearance id stays 9: only the object is replaced.
    p.painter->SetAppearance(MakeSlimTabs(p.selectedBoxOnly));
    p.painter->SetColorSet(new CTkDockingPaneSlimTabColorSet(p.whiteSelectedFace, TRUE));
  }
  m_pContainerTabPainter->m_clientFrameStyle = 1;
  m_pContainerTabPainter->m_clientMargin.top = 1;
}

void CTkDockingPaneTheme9::RefreshMetrics() {
  CTkDockingPaneTheme6::RefreshMetrics();
  m_inactiveCaption.SetColor(GetColor(COLOR_INACTIVECAPTION));
  m_activeCaption.SetColor(GetColor(COLOR_ACTIVECAPTION));
  m_outline = GetColor(COLOR_BTNSHADOW);
  switch (GetColorScheme()->GetActiveXPScheme()) {
    case xpBlue:
      m_inactiveCaption.SetColor(0xbac7cc);
      m_activeCaption.SetColors(0xed803b, 0xc56a31, 0.5f);
      break;
    case xpOlive:
      m_inactiveCaption.SetColor(0xbac7cc);
      m_activeCaption.SetColors(0x92c3b6, 0x75a091, 0.5f);
      break;
    case xpSilver:
      m_inactiveCaption.SetColor(0xf5f0f0);
      m_activeCaption.SetColors(0xddd4d3, 0xbfa5a6, 0.5f);
      m_outline = 0x9c9b91;
      break;
    default:
      return;
  }
  m_inactiveCaptionText.SetCustomValue(kBlack);
}

COLORREF CTkDockingPaneTheme9::DrawCaptionBackground(CDC* pDC, CTkDockingPaneNode*, CRect caption, BOOL active,
                                                      BOOL vertical) {
  GetGradientPainter().FillGradientColor(pDC, caption, active ? m_activeCaption : m_inactiveCaption, vertical);
  // An open frame: the side towards the pane's content stays open.
  if (vertical) {
    pDC->FillSolidRect(caption.left, caption.top, caption.Width(), 1, m_outline);
    pDC->FillSolidRect(caption.left, caption.top, 1, caption.Height(), m_outline);
    pDC->FillSolidRect(caption.left, caption.bottom - 1, caption.Width(), 1, m_outline);
  } else {
    pDC->FillSolidRect(caption.left, caption.top, 1, caption.Height(), m_outline);
    pDC->FillSolidRect(caption.left, caption.top, caption.Width(), 1, m_outline);
    pDC->FillSolidRect(caption.right - 1, caption.top, 1, caption.Height(), m_outline);
  }
  return active ? m_activeCaptionText : m_inactiveCaptionText;
}

// The tab colour sets of themes 6 and 9.

void CTkDockingPaneTabColorSet::RefreshColors() {
  CTkTabPaletteDefault::RefreshColors();
  if (m_bWhiteSelectedFace) m_selectedFace.SetCustomValue(kWhite);
  COLORREF face = GetColorScheme()->GetColor(COLOR_BTNFACE);
  m_headerGradient.SetColors(face, CTkColorScheme::BlendColors(face, GetColorScheme()->GetColor(COLOR_WINDOW), 205),
                             0.5f);
  m_bGradientFills = FALSE;
  m_bXPFill = FALSE;
  XPSchemeId scheme = GetColorScheme()->GetActiveXPScheme();
  if (scheme == xpBlue || scheme == xpOlive) {
    m_bXPFill = TRUE;
    m_innerLine2.SetStandardValue(kWhite);
    m_headerGradient.SetColors(0xd7e5e5, 0xe7f1f4, 0.5f);
  } else if (scheme == xpSilver) {
    m_bXPFill = TRUE;
    m_face.SetStandardValue(0xf7f2f2);
    m_innerLine2.SetStandardValue(kWhite);
    m_outline.SetStandardValue(0x9c9b91);
    m_selectedOutline.SetStandardValue(0x9c9b91);
    m_innerLine1.SetStandardValue(0xd8bebe);
    m_headerGradient.SetColors(0xe5d7d7, 0xf7f3f3, 0.5f);
  }
  m_autoHideGradient.CopyFrom(m_headerGradient);
}

void CTkDockingPaneTabColorSet::FillHeader(CDC* pDC, const CRect& rc, const CTkTabSet* strip) {
  // The header gradient runs across the whole frame, so that the headers
  // of all the containers continue one another.
  CWnd* window = dynamic_cast<CWnd*>(const_cast<CTkTabSet*>(strip));
  if (window == nullptr || window->GetSafeHwnd() == nullptr) {
    CTkTabPalette::FillHeader(pDC, rc, strip);
    return;
  }
  CTkDockingPanePainter::FillFrameGradient(pDC, rc, window, &m_headerGradient);
}

COLORREF CTkDockingPaneTabColorSet::FillTab(CDC* pDC, const CRect& rc, const CTkTabManagerItem* item) {
  const CTkTabSet* strip = item->m_pOwner;
  if (m_bSelectedOnlyFill && (strip == nullptr || item != strip->m_pSelected)) return kColorUnset;
  if (m_bXPFill) return CTkTabPaletteXP::FillTab(pDC, rc, item);
  return CTkTabPalette::FillTab(pDC, rc, item);
}

void CTkDockingPaneTabColorSet::DrawNavigateButtonFace(CDC* pDC, CTkTabScrollButton* button, CRect* rc) {
  CTkTabPaletteDefault::DrawNavigateButtonFace(pDC, button, rc);
}

void CTkDockingPaneSlimTabColorSet::RefreshColors() {
  CTkDockingPaneTabColorSet::RefreshColors();
  m_bGradientFills = FALSE;
  m_bXPFill = FALSE;
  if (!IsXPSchemeColors(GetColorScheme()->GetActiveXPScheme())) return;
  m_text.SetStandardValue(0x646f71);
  if (!m_bWhiteSelectedFace) m_selectedText.SetStandardValue(0x646f71);
}
