#include "docking_pane_painter.h"

#include <algorithm>

#include "docking_split_group.h"
#include "docking_tabbed_container.h"
#include "draw_helpers.h"
#include "global_settings.h"
#include "tab_painter.h"
#include "tab_palette.h"

namespace {

// The non-client metrics record without the padded-border field, which
// every Windows version and Wine accept.
const UINT kNonClientMetricsSize = 500;

int SpaceHeight(CFont* font) {
  HDC hDC = ::GetDC(::GetDesktopWindow());
  HGDIOBJ old = ::SelectObject(hDC, font->GetSafeHandle() != nullptr ? font->GetSafeHandle() : ::GetStockObject(DEFAULT_GUI_FONT));
  SIZE size = {};
  ::GetTextExtentPoint32W(hDC, L" ", 1, &size);
  ::SelectObject(hDC, old);
  ::ReleaseDC(::GetDesktopWindow(), hDC);
  return size.cy;
}

}  // namespace

CTkDockingPanePainter::CTkDockingPanePainter() {
  m_splitterShadow.SetStandardValue(::GetSysColor(COLOR_BTNSHADOW));
  m_splitterFace.SetStandardValue(::GetSysColor(COLOR_BTNFACE));
  m_pContainerTabPainter = new CTkTabPainter;
  m_pContainerTabPainter->SetLayout(kTabLayoutSizeToFit);
  m_pContainerTabPainter->SetStripPosition(kTabBottom);
  m_pContainerTabPainter->m_clientFrameStyle = 1;
  m_pContainerTabPainter->m_bBoldSelected = FALSE;
  m_pContainerTabPainter->m_toolTipMode = 1;
  m_pAutoHideTabPainter = new CTkTabPainter;
  m_pAutoHideTabPainter->SetLayout(kTabLayoutCompact);
  m_pAutoHideTabPainter->m_clientFrameStyle = 2;
  m_pAutoHideTabPainter->m_bBoldSelected = FALSE;
  m_pAutoHideTabPainter->m_bReverseGradient = TRUE;
  m_pAutoHideTabPainter->m_bFillBackground = FALSE;
}

CTkDockingPanePainter::~CTkDockingPanePainter() {
  if (m_pContainerTabPainter != nullptr) m_pContainerTabPainter->InternalRelease();
  if (m_pAutoHideTabPainter != nullptr) m_pAutoHideTabPainter->InternalRelease();
}

COLORREF CTkDockingPanePainter::GetColor(int index) const {
  if (index >= 0 && index < kColorCount) return m_colors[index];
  return static_cast<COLORREF>(index);
}

void CTkDockingPanePainter::SetColors(int count, const int* indices, const COLORREF* values) {
  for (int i = 0; i < count; ++i)
    if (indices[i] >= 0 && indices[i] < kColorCount) m_colors[indices[i]] = values[i];
}

int CTkDockingPanePainter::GetXPScheme() const {
  if (m_xpScheme == xpDefault) {
    CTkColorScheme* scheme = GetColorScheme();
    return scheme->IsXPSchemeDisabled() ? xpNone : GetCurrentXPScheme();
  }
  if (m_xpScheme == xpSystem) return GetColorScheme()->GetSystemXPScheme();
  return m_xpScheme;
}

void CTkDockingPanePainter::RefreshMetrics() {
  RefreshColorScheme();
  CTkColorScheme* scheme = GetColorScheme();
  for (int i = 0; i < kColorCount; ++i) m_colors[i] = scheme->GetColor(i);
  m_splitterShadow.SetStandardValue(m_colors[COLOR_BTNSHADOW]);
  m_splitterFace.SetStandardValue(m_colors[COLOR_BTNFACE]);
  m_splitterGradient.SetColors(::GetSysColor(COLOR_BTNFACE),
                               CTkColorScheme::BlendColors(::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_WINDOW), 205),
                               0.5f);
  if (m_bUseSystemCaptionFont) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = kNonClientMetricsSize;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0)) {
      if (!m_bBoldCaption) metrics.lfSmCaptionFont.lfWeight = FW_NORMAL;
      SetCaptionFont(&metrics.lfSmCaptionFont, TRUE);
    }
  }
  if (m_captionFont.GetSafeHandle() == nullptr) {
    LOGFONTW lf = {};
    lf.lfHeight = -11;
    lstrcpynW(lf.lfFaceName, GetStandardFontFace(FALSE), LF_FACESIZE);
    SetCaptionFont(&lf, m_bUseSystemCaptionFont);
  }
  m_pContainerTabPainter->RefreshMetrics();
  m_pAutoHideTabPainter->RefreshMetrics();
  m_tabStripHeight = std::max(24, SpaceHeight(&m_pContainerTabPainter->m_normalFont) + 10);
}

void CTkDockingPanePainter::SetCaptionFont(const LOGFONTW* font, BOOL bUseSystem) {
  m_bUseSystemCaptionFont = bUseSystem;
  if (font == nullptr) return;
  LOGFONTW lf = *font;
  if (m_bPreferTahoma && lf.lfCharSet <= SYMBOL_CHARSET && bUseSystem && FontFaceExists(L"Tahoma"))
    lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
  m_captionFont.DeleteObject();
  m_captionFont.CreateFontIndirect(&lf);
  lf.lfOrientation = 900;
  lf.lfEscapement = 2700;
  if (lf.lfHeight < 0 && lf.lfHeight >= -10) lf.lfHeight = -11;
  lstrcpynW(lf.lfFaceName, GetStandardFontFace(m_bPreferTahoma), LF_FACESIZE);
  m_verticalCaptionFont.DeleteObject();
  m_verticalCaptionFont.CreateFontIndirect(&lf);
  m_captionHeight = std::max(13, m_captionSpacing + SpaceHeight(&m_captionFont));
}

void CTkDockingPanePainter::DrawPane(CDC* pDC, CTkDockingPaneTabbedContainer* container, CRect rect) {
  pDC->FillSolidRect(rect, GetColor(COLOR_BTNFACE));
  if (container->IsCaptionVisible() && m_bDrawCaption) {
    pDC->SetBkMode(TRANSPARENT);
    DrawCaption(pDC, container, rect);
  }
  AdjustCaptionRect(container, &rect);
  if (container->IsTabsVisible()) m_pContainerTabPainter->DrawTabControl(container, pDC, rect);
}

void CTkDockingPanePainter::AdjustCaptionRect(CTkDockingPaneTabbedContainer* container, CRect* rect) {
  if (!container->IsCaptionVisible() || !m_bDrawCaption) return;
  int band = m_captionMargins.top + m_captionMargins.bottom + m_captionHeight;
  if (container->IsCaptionVertical()) rect->left += band;
  else rect->top += band;
}

void CTkDockingPanePainter::AdjustClientRect(CTkDockingPaneTabbedContainer* container, CRect* rect, BOOL bApply) {
  AdjustCaptionRect(container, rect);
  if (!container->IsTabsVisible()) return;
  if (bApply && container->GetSafeHwnd() != nullptr) {
    CRect local = *rect;
    local.OffsetRect(-container->m_paneRect.left, -container->m_paneRect.top);
    CClientDC dc(container);
    m_pContainerTabPainter->LayoutTabs(container, &dc, local);
  }
  m_pContainerTabPainter->AdjustClientRect(container, rect);
}

void CTkDockingPanePainter::DrawCaptionButtons(CDC* pDC, std::vector<CTkDockingPaneCaptionButton*>& buttons,
                                               CRect* caption, COLORREF color, int size, int gap, BOOL vertical) {
  CRect square;
  if (vertical) {
    int x = (caption->left + caption->right) / 2 - size / 2;
    square = CRect(x, caption->bottom - size, x + size, caption->bottom);
  } else {
    int y = (caption->top + caption->bottom) / 2 - size / 2;
    square = CRect(caption->right - size, y, caption->right, y + size);
  }
  for (CTkDockingPaneCaptionButton* button : buttons) {
    if (!button->IsVisible()) {
      button->SetRect(CRect(0, 0, 0, 0));
      continue;
    }
    button->SetRect(square);
    DrawCaptionButton(pDC, button, color);
    if (vertical) square.OffsetRect(0, -(size + gap));
    else square.OffsetRect(-(size + gap), 0);
  }
  if (vertical) caption->bottom = square.bottom;
  else caption->right = square.right;
}

void CTkDockingPanePainter::DrawSplitter(CDC* pDC, CTkDockingPaneSplitBar* bar) {
  CRect rect;
  bar->GetClientRect(&rect);
  BOOL across = bar->IsHorizontal();
  COLORREF face = m_splitterFace;
  // A line along the bar at offset i from its leading edge.
  auto line = [&](int i, COLORREF color) {
    if (across) pDC->FillSolidRect(rect.left, rect.top + i, rect.Width(), 1, color);
    else pDC->FillSolidRect(rect.left + i, rect.top, 1, rect.Height(), color);
  };
  int thickness = across ? rect.Height() : rect.Width();
  if (m_splitterStyle & 1) {
    pDC->FillSolidRect(rect, face);
    line(0, GetColor(COLOR_BTNHIGHLIGHT));
    line(thickness - 2, GetColor(52));
    line(thickness - 1, GetColor(COLOR_BTNTEXT));
  } else if (m_splitterStyle & 2) {
    pDC->FillSolidRect(rect, face);
    int half = m_splitterWidth / 2;
    for (int i = 1; i < half; ++i) line(i, GetColor(COLOR_WINDOW));
    line(0, GetColor(COLOR_3DDKSHADOW));
    line(thickness - 1, GetColor(COLOR_3DDKSHADOW));
  } else if (m_splitterStyle & 4) {
    FillFrameGradient(pDC, rect, bar, &m_splitterGradient);
  } else {
    pDC->FillSolidRect(rect, face);
  }
  int length = across ? rect.Width() : rect.Height();
  int middle = length / 2;
  if (m_splitterStyle & 0x100) {
    for (int row : {2, 4}) {
      if (across) pDC->FillSolidRect(rect.left + middle, rect.top + row, 11, 1, m_splitterShadow);
      else pDC->FillSolidRect(rect.left + row, rect.top + middle, 1, 11, m_splitterShadow);
    }
  }
  if (m_splitterStyle & 0x200) {
    int reach = middle > 42 ? 32 : middle - 10;
    for (int offset = -reach; offset <= reach; offset += 4) {
      int along = middle + offset;
      int x = across ? rect.left + along : rect.left + 1;
      int y = across ? rect.top + 1 : rect.top + along;
      pDC->FillSolidRect(x, y, 2, 2, GetColor(COLOR_BTNHIGHLIGHT));
      pDC->FillSolidRect(x - 1, y - 1, 2, 2, m_splitterShadow);
    }
  }
}

void CTkDockingPanePainter::FillFrameGradient(CDC* pDC, const CRect& rect, CWnd* pWnd,
                                              const CTkGradientColor* gradient) {
  CFrameWnd* frame = pWnd != nullptr ? pWnd->GetParentFrame() : nullptr;
  if (frame == nullptr || frame->GetSafeHwnd() == nullptr) return;
  CRect frameRect;
  frame->GetWindowRect(&frameRect);
  CRect screen = rect;
  pWnd->ClientToScreen(&screen);
  int width = std::max<int>(frameRect.Width(), ::GetSystemMetrics(SM_CXFULLSCREEN) / 2);
  auto colorAt = [&](int x) {
    float weight = static_cast<float>(x - frameRect.left) / static_cast<float>(width);
    return CTkGradientPainter::MixColors(gradient->m_second, gradient->m_first, weight);
  };
  GetGradientPainter().FillGradient(pDC, rect, colorAt(screen.left), colorAt(screen.right), TRUE);
}

void CTkDockingPanePainter::DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF color) {
  CTkPenSelector pen(pDC->GetSafeHdc(), color);
  pDC->MoveTo(x1, y1);
  pDC->LineTo(x2, y2);
}

void CTkDockingPanePainter::FillRectWithBorder(CDC* pDC, const CRect& rect, COLORREF fill, COLORREF border) {
  pDC->FillSolidRect(rect, fill);
  pDC->Draw3dRect(rect, border, border);
}

void CTkDockingPanePainter::DeflateCaptionRect(CRect& rect, int l, int t, int r, int b, BOOL vertical) {
  if (vertical) rect.DeflateRect(t, l, b, r);
  else rect.DeflateRect(l, t, r, b);
}

int CTkDockingPanePainter::DrawCaptionText(CDC* pDC, const CString& title, CRect rect, BOOL vertical, BOOL measure) {
  if (title.IsEmpty()) return 0;
  if (vertical) {
    CTkFontSelector font(pDC, &m_verticalCaptionFont);
    CSize extent = pDC->GetTextExtent(title);
    if (rect.Height() > 0) {
      // Escapement 2700 writes downwards with the glyphs' tops to the right
      // of the reference point: x centres the text across the caption.
      int x = rect.right - (rect.right - extent.cy - rect.left) / 2;
      pDC->TextOut(x, rect.top, title);
    }
    return extent.cx;
  }
  CTkFontSelector font(pDC, &m_captionFont);
  pDC->DrawText(title, rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (!measure) return 0;
  CRect calc = rect;
  pDC->DrawText(title, calc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_CALCRECT);
  return calc.Width();
}

void CTkDockingPanePainter::DrawPushPin(CDC* pDC, int x, int y, COLORREF color, BOOL lying) {
  CTkPenSelector pen(pDC->GetSafeHdc(), color);
  if (!lying) {
    // Head 5 x 6 above, crossbar, needle below.
    pDC->MoveTo(x - 2, y - 4);
    pDC->LineTo(x + 2, y - 4);
    pDC->LineTo(x + 2, y + 1);
    pDC->LineTo(x - 2, y + 1);
    pDC->LineTo(x - 2, y - 4);
    pDC->MoveTo(x + 1, y - 4);
    pDC->LineTo(x + 1, y + 1);
    pDC->MoveTo(x - 3, y + 1);
    pDC->LineTo(x + 4, y + 1);
    pDC->MoveTo(x, y + 2);
    pDC->LineTo(x, y + 5);
    return;
  }
  // Lying: head to the right, needle to the left.
  pDC->MoveTo(x - 1, y - 2);
  pDC->LineTo(x + 4, y - 2);
  pDC->LineTo(x + 4, y + 2);
  pDC->LineTo(x - 1, y + 2);
  pDC->LineTo(x - 1, y - 2);
  pDC->MoveTo(x - 1, y + 1);
  pDC->LineTo(x + 4, y + 1);
  pDC->MoveTo(x - 1, y - 3);
  pDC->LineTo(x - 1, y + 4);
  pDC->MoveTo(x - 4, y);
  pDC->LineTo(x - 1, y);
}

void CTkDockingPanePainter::DrawMaximizeGlyph(CDC* pDC, int x, int y, COLORREF color, BOOL restore) {
  if (!restore) {
    pDC->Draw3dRect(x - 5, y - 5, 9, 9, color, color);
    pDC->FillSolidRect(x - 5, y - 4, 9, 1, color);
    return;
  }
  pDC->Draw3dRect(x - 4, y - 2, 6, 6, color, color);
  pDC->FillSolidRect(x - 4, y - 1, 6, 1, color);
  pDC->FillSolidRect(x - 2, y - 5, 6, 2, color);
  pDC->FillSolidRect(x + 3, y - 5, 1, 6, color);
  pDC->FillSolidRect(x + 2, y + 0, 2, 1, color);
}
