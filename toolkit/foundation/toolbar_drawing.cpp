// The parts of tool-bar controls every theme draws alike: captions, check
// marks and drop-down arrows.
#include <algorithm>

#include "bar_painter.h"
#include "draw_helpers.h"

void CTkBarPainter::DrawCheckShape(CDC* pDC, const CRect& rect, COLORREF color, BOOL rightToLeft) {
  CTkPenSelector pen(pDC->GetSafeHdc(), GetColor(static_cast<int>(color)));
  // A 20 x 20 box centred in the rectangle.
  const int x0 = rect.left + rect.Width() / 2 - 10;
  const int y0 = rect.top + rect.Height() / 2 - 10;
  for (int stroke = 0; stroke < 2; ++stroke) {
    if (rightToLeft) {
      pDC->MoveTo(x0 + 6, y0 + 7 + stroke);
      pDC->LineTo(x0 + 10, y0 + 11 + stroke);
      pDC->LineTo(x0 + 13, y0 + 8 + stroke);
    } else {
      pDC->MoveTo(x0 + 6, y0 + 9 + stroke);
      pDC->LineTo(x0 + 8, y0 + 11 + stroke);
      pDC->LineTo(x0 + 13, y0 + 6 + stroke);
    }
  }
}

void CTkBarPainter::DrawCheckMark(CDC* pDC, const CRect& rect, COLORREF color, BOOL rightToLeft) {
  DrawCheckShape(pDC, rect, color, rightToLeft);
  if (m_bThickCheck) DrawCheckShape(pDC, CRect(rect.left, rect.top + 1, rect.right, rect.bottom + 1), color, rightToLeft);
}

void CTkBarPainter::DrawDropDownArrow(CDC* pDC, int left, int top, int right, int bottom, COLORREF color) {
  int s = (right - left) / 2;
  s = s > 5 ? s - 4 : 2;
  const int c = (left + right) / 2;
  const int y = (top + bottom) / 2 - s / 2;
  FillTriangle(pDC, CPoint(c - s, y), CPoint(c + s, y), CPoint(c, y + s), GetColor(static_cast<int>(color)));
}

CSize CTkBarPainter::DrawControlText(CDC* pDC, const CString& caption, CRect rect, BOOL draw, BOOL vertical,
                                     BOOL centre, BOOL arrow, BOOL embossed, BOOL showMnemonics) {
  if (m_keyboardCues == 0 || m_keyboardCues == 1) showMnemonics = m_keyboardCues;
  CString stripped = caption;
  StripMnemonics(stripped);
  CSize extent = pDC->GetTextExtent(stripped.IsEmpty() ? CString(L" ") : stripped);
  if (!draw) {
    if (arrow) extent.cx += 10;
    return vertical ? CSize(extent.cy, extent.cx) : extent;
  }
  // The disabled look: the text in the highlight colour one pixel down-right first.
  auto drawHighlight = [&](const CRect& at, UINT format) {
    const COLORREF textColor = pDC->SetTextColor(GetColor(COLOR_BTNHIGHLIGHT));
    CRect shadow = at;
    shadow.OffsetRect(1, 1);
    pDC->DrawText(stripped, &shadow, format);
    pDC->SetTextColor(textColor);
  };
  if (vertical) {
    rect.left = rect.right - (rect.Width() - extent.cy + 1) / 2;
    const int length = extent.cx + (arrow ? 5 : 0);
    if (centre) rect.top += (rect.Height() - length + 1) / 2;
    if (embossed) drawHighlight(rect, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    pDC->DrawText(stripped, &rect, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    if (arrow) {
      const int c = (rect.left + rect.right) / 2 + 2;
      const int y = rect.top + length - 1;
      FillTriangle(pDC, CPoint(c, y - 2), CPoint(c, y + 2), CPoint(c - 2, y), pDC->GetTextColor());
    }
    return CSize(0, 0);
  }
  const int length = extent.cx + (arrow ? 5 : 0);
  if (centre) rect.left += (rect.Width() - length) / 2;
  if (embossed) drawHighlight(rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (showMnemonics)
    pDC->DrawText(caption, &rect, DT_SINGLELINE | DT_VCENTER);
  else
    pDC->DrawText(stripped, &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (arrow) {
    const int x0 = rect.left + length - 2;
    const int y = (rect.top + rect.bottom) / 2 - 1;
    FillTriangle(pDC, CPoint(x0, y), CPoint(x0 + 4, y), CPoint(x0 + 2, y + 2), pDC->GetTextColor());
  }
  return CSize(0, 0);
}

CSize CTkBarPainter::DrawControlCaption(CDC* pDC, const CString& caption, CRect rect, BOOL vertical, BOOL draw,
                                        BOOL embossed, BOOL arrow, int buttonWidth, int buttonHeight, BOOL hasIcon,
                                        BOOL showMnemonics) {
  if (m_keyboardCues == 0 || m_keyboardCues == 1) showMnemonics = m_keyboardCues;
  const CSize text = DrawControlText(pDC, caption, rect, FALSE, vertical, FALSE, arrow, embossed, showMnemonics);
  const int lead = hasIcon ? buttonWidth + 3 : 7;
  if (!vertical) {
    rect.left += hasIcon ? buttonWidth - 1 : 4;
    if (draw) DrawControlText(pDC, caption, rect, TRUE, FALSE, FALSE, arrow, embossed, showMnemonics);
    return CSize(lead + text.cx, std::max(static_cast<int>(buttonHeight), static_cast<int>(text.cy) + 6));
  }
  rect.top += hasIcon ? buttonHeight : 4;
  if (draw) DrawControlText(pDC, caption, rect, TRUE, TRUE, FALSE, arrow, embossed, showMnemonics);
  return CSize(std::max(static_cast<int>(buttonWidth), static_cast<int>(text.cx) + 6), lead + text.cy);
}
