#include "tab_shape.h"

#include <algorithm>

#include "color_scheme.h"
#include "corner_pixels.h"
#include "draw_helpers.h"
#include "tab_painter.h"
#include "tab_palette.h"
#include "tab_set.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

// A tab's figure written once for a top strip, in (u along the strip from
// the tab's start, v across it from the outer edge), and turned with the
// strip: a bottom strip mirrors it, left and right strips lay it on its
// side with the outer edge at their own outer side.
class TabFigure {
 public:
  TabFigure(int position, const CRect& rc) : m_position(position), m_rc(rc) {}
  int Length() const { return IsHorizontalPosition(m_position) ? m_rc.Width() : m_rc.Height(); }
  int Height() const { return IsHorizontalPosition(m_position) ? m_rc.Height() : m_rc.Width(); }
  POINT P(int u, int v) const {
    switch (m_position) {
      case kTabBottom: return {m_rc.left + u, m_rc.bottom - 1 - v};
      case kTabLeft: return {m_rc.left + v, m_rc.top + u};
      case kTabRight: return {m_rc.right - 1 - v, m_rc.top + u};
      default: return {m_rc.left + u, m_rc.top + v};
    }
  }

 private:
  int m_position;
  CRect m_rc;
};

}  // namespace

int CTkTabShape::Position() const { return m_pPainter->GetStripPosition(); }

BOOL CTkTabShape::IsSelected(const CTkTabManagerItem* item) const {
  return item->m_pOwner != nullptr && item == item->m_pOwner->m_pSelected;
}

void CTkTabShape::RefreshMetrics() {
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ previous = ::SelectObject(screen, m_pPainter->m_normalFont.GetSafeHandle());
  SIZE size = {0, 0};
  ::GetTextExtentPoint32W(screen, L" ", 1, &size);
  ::SelectObject(screen, previous);
  ::ReleaseDC(nullptr, screen);
  m_textRowHeight = std::max(static_cast<int>(size.cy) + 3, 18);
}

CRect CTkTabShape::GetHeaderRect(CRect rc, CTkTabSet* strip) {
  int rows = strip->m_pRows->GetRowCount();
  int thickness = rows * GetRowHeight(strip) + (rows - 1) * m_rowSpacing;
  if (m_pPainter->GetLayout() == kTabLayoutRotated)
    for (const CTkTabManagerItem* tab : strip->m_tabs) thickness = std::max(thickness, tab->m_currentLength);
  CRect margin = GetHeaderMargin();
  thickness += margin.top + margin.bottom;
  switch (Position()) {
    case kTabLeft: rc.right = rc.left + thickness; break;
    case kTabBottom: rc.top = rc.bottom - thickness; break;
    case kTabRight: rc.left = rc.right - thickness; break;
    default: rc.bottom = rc.top + thickness; break;
  }
  return rc;
}

CRect CTkTabShape::GetClientRect(CRect rc, CTkTabSet* strip) {
  CRect header = GetHeaderRect(rc, strip);
  switch (Position()) {
    case kTabLeft: rc.left = header.right - 1; break;
    case kTabBottom: rc.bottom = header.top + 1; break;
    case kTabRight: rc.right = header.left + 1; break;
    default: rc.top = header.bottom - 1; break;
  }
  return rc;
}

CRect CTkTabShape::GetClientMargin() const { return m_pPainter->m_clientMargin; }

int CTkTabShape::GetTabLength(CDC* pDC, CTkTabManagerItem* item) {
  return m_pPainter->DrawTabContent(pDC, item, CRect(0, 0, 0, 0), FALSE);
}

int CTkTabShape::GetRowHeight(CTkTabSet* strip) {
  const CRect& content = m_pPainter->m_contentMargin;
  int height = content.top + content.bottom + m_textRowHeight;
  height = std::max(height, static_cast<int>(strip->m_leastTabSize.cy));
  if (m_pPainter->m_bImageInRowHeight) {
    CSize image = m_pPainter->m_imageSize;
    strip->DrawTabIcon(nullptr, CPoint(0, 0), nullptr, FALSE, &image);
    height = std::max(height, static_cast<int>(content.top + content.bottom + std::max(image.cx, image.cy) + 4));
  }
  return height;
}

void CTkTabShape::DrawTabControl(CTkTabSet* strip, CDC* pDC, CRect rc) { m_pPainter->DrawStrip(strip, pDC, rc); }

CRect CTkTabShape::FillBackground(CTkTabSet*, CDC*, CRect) { return CRect(0, 0, 0, 0); }

void CTkTabShape::LayoutTabs(CTkTabSet* strip, CDC* pDC, CRect rc) { m_pPainter->ArrangeStrip(strip, pDC, rc); }

void CTkTabShape::AdjustClientRect(CTkTabSet* strip, RECT* rc) {
  int position = Position();
  DeflateRectByPosition(position, *rc, m_pPainter->m_controlMargin);
  *rc = GetClientRect(*rc, strip);
  DeflateRectByPosition(position, *rc, GetClientMargin());
  if (m_pPainter->m_clientFrameStyle == 0) DeflateRectByPosition(position, *rc, 2, 2, 2, 2);
  if (m_pPainter->m_clientFrameStyle == 1) DeflateRectByPosition(position, *rc, 0, 2, 0, 0);
}

void CTkTabShape::DrawClientEdge(CDC* pDC, RECT* rc, int part) {
  CTkTabPalette* colors = m_pPainter->GetColorSet();
  CRect r = *rc;
  if (!m_pPainter->m_bControlFrame) {
    if (part == 1) ::InflateRect(rc, 2, 2);
    if (part == 2 || part == 3) pDC->FillSolidRect(&r, colors->m_headerGradient.m_first);
    return;
  }
  switch (part) {
    case 0:
      pDC->Draw3dRect(r.left + 1, r.top, r.Width() - 2, r.Height() - 1, GetColorScheme()->GetColor(COLOR_BTNFACE),
                      GetColorScheme()->GetColor(COLOR_BTNFACE));
      pDC->Draw3dRect(r.left, r.top, r.Width(), r.Height(), colors->m_border, colors->m_border);
      break;
    case 1: rc->top -= 1; break;
    case 2:
      pDC->FillSolidRect(&r, colors->m_controlBackground);
      pDC->FillSolidRect(r.right - 1, r.top, 1, r.Height(), colors->m_border);
      break;
    case 3:
      pDC->FillSolidRect(&r, colors->m_controlBackground);
      pDC->FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, colors->m_border);
      break;
  }
}

void CTkTabShape::DrawPolyline(CDC* pDC, COLORREF color, const POINT* points, int count) {
  if (color == kColorUnset) return;
  CTkPenSelector pen(pDC->GetSafeHdc(), color);
  pDC->Polyline(points, count);
}

COLORREF CTkTabShape::FillPolygonTab(CDC* pDC, const CTkTabManagerItem* item, const POINT* points, int count) {
  CRgn region;
  region.CreatePolygonRgn(points, count, WINDING);
  CRect bounds;
  ::GetRgnBox(static_cast<HRGN>(region.GetSafeHandle()), &bounds);
  int saved = pDC->SaveDC();
  pDC->SelectClipRgn(&region, RGN_AND);
  COLORREF color = m_pPainter->GetColorSet()->FillTab(pDC, bounds, item);
  pDC->RestoreDC(saved);
  return color;
}

void CTkTabShape::DrawLine(CDC* pDC, COLORREF color, int x1, int y1, int x2, int y2) {
  if (color == kColorUnset) return;
  CTkPenSelector pen(pDC->GetSafeHdc(), color);
  pDC->MoveTo(x1, y1);
  pDC->LineTo(x2, y2);
}

void CTkTabShape::DrawEdgeLineByPosition(CDC* pDC, const CRect& rc, int position, COLORREF first, COLORREF second) {
  COLORREF color = position == kTabTop || position == kTabLeft ? first : second;
  if (color == kColorUnset) return;
  switch (position) {
    case kTabLeft: pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), color); break;
    case kTabBottom: pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, color); break;
    case kTabRight: pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), color); break;
    default: pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, color); break;
  }
}

CRect CTkTabShape::FillHeaderAndClient(CTkTabSet* strip, CDC* pDC, CRect rc, COLORREF topLeft,
                                       COLORREF bottomRight, COLORREF firstLine, COLORREF secondLine) {
  CTkTabPalette* colors = m_pPainter->GetColorSet();
  CRect header = GetHeaderRect(rc, strip);
  colors->FillHeader(pDC, header, strip);
  CRect client = GetClientRect(rc, strip);
  if (m_pPainter->m_clientFrameStyle == 0) {
    colors->FillClient(pDC, client, strip);
    pDC->Draw3dRect(&client, topLeft, bottomRight);
  } else if (m_pPainter->m_clientFrameStyle == 1) {
    DrawEdgeLineByPosition(pDC, client, Position(), firstLine, secondLine);
  }
  return header;
}

void CTkTabShape::DrawContent(CDC* pDC, CTkTabManagerItem* item, const CRect& rc) {
  m_pPainter->DrawTabContent(pDC, item, rc, TRUE);
}

// Appearances 0 and 1: raised tabs, lit from the top-left in every position.

CTkTabShapeRaised::CTkTabShapeRaised(BOOL flat) : m_bFlat(flat) { m_headerMargin = CRect(2, 3, 6, 0); }

CRect CTkTabShapeRaised::GetClientMargin() const {
  CRect margin = CTkTabShape::GetClientMargin();
  if (m_pPainter->GetColorSet()->IsThemed() && m_pPainter->m_clientFrameStyle == 0) {
    margin.right += 2;
    if (Position() == kTabTop || Position() == kTabLeft) margin.bottom += 2;
  }
  return margin;
}

CRect CTkTabShapeRaised::FillBackground(CTkTabSet* strip, CDC* pDC, CRect rc) {
  CTkTabPalette* colors = m_pPainter->GetColorSet();
  int position = Position();
  CRect header = GetHeaderRect(rc, strip);
  CRect grown = header;
  InflateRectByPosition(position, grown, 0, 0, 0, 1);
  colors->FillHeader(pDC, grown, strip);
  CRect client = GetClientRect(rc, strip);
  if (m_pPainter->m_clientFrameStyle == 0) {
    colors->FillClient(pDC, client, strip);
    pDC->Draw3dRect(&client, colors->m_edgeLight, colors->m_edgeDark);
    if (colors->m_edgeShadow != kColorUnset) {
      pDC->FillSolidRect(client.left + 1, client.bottom - 2, client.Width() - 2, 1, colors->m_edgeShadow);
      pDC->FillSolidRect(client.right - 2, client.top + 1, 1, client.Height() - 2, colors->m_edgeShadow);
    }
  } else if (m_pPainter->m_clientFrameStyle == 1) {
    if (position == kTabTop || position == kTabLeft) {
      DrawEdgeLineByPosition(pDC, client, position, colors->m_edgeLight, colors->m_edgeLight);
    } else {
      DrawEdgeLineByPosition(pDC, client, position, colors->m_edgeDark, colors->m_edgeDark);
      CRect inside = client;
      DeflateRectByPosition(position, inside, 0, 1, 0, 0);
      DrawEdgeLineByPosition(pDC, inside, position, colors->m_edgeShadow, colors->m_edgeShadow);
    }
  }
  return header;
}

void CTkTabShapeRaised::DrawTab(CDC* pDC, CTkTabManagerItem* item) {
  CTkTabSet* strip = item->m_pOwner;
  BOOL selected = IsSelected(item);
  if (m_bFlat && !selected && item != strip->m_pHot) {
    DrawContent(pDC, item, item->m_rect);
    return;
  }
  CTkTabPalette* colors = m_pPainter->GetColorSet();
  int position = Position();
  CRect rc = item->m_rect;
  if (selected) {
    if (position == kTabBottom || position == kTabRight)
      rc.InflateRect(2, 2);
    else
      InflateRectByPosition(position, rc, 2, 2, 2, 0);
  }
  CRect inside(rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1);
  COLORREF fill = colors->FillTab(pDC, inside, item);
  COLORREF light = colors->m_edgeLight, dark = colors->m_edgeDark, shadow = colors->m_edgeShadow;
  int l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
  switch (position) {
    case kTabBottom:  // open at the top
      DrawLine(pDC, light, l, t, l, b - 2);
      DrawLine(pDC, light, l + 1, b - 2, l + 2, b - 2);
      DrawLine(pDC, dark, l + 2, b - 1, r - 2, b - 1);
      DrawLine(pDC, dark, r - 2, b - 2, r - 1, b - 2);
      DrawLine(pDC, dark, r - 1, t, r - 1, b - 2);
      DrawLine(pDC, shadow, l + 2, b - 2, r - 2, b - 2);
      DrawLine(pDC, shadow, r - 2, t, r - 2, b - 2);
      if (selected && item->m_row == 0) DrawLine(pDC, fill, l + 1, t, r - 2, t);
      break;
    case kTabLeft:  // open at the right
      DrawLine(pDC, light, l + 2, t, r, t);
      DrawLine(pDC, light, l + 1, t + 1, l + 2, t + 1);
      DrawLine(pDC, light, l, t + 2, l, b - 2);
      DrawLine(pDC, dark, l + 1, b - 2, l + 2, b - 2);
      DrawLine(pDC, dark, l + 2, b - 1, r, b - 1);
      DrawLine(pDC, shadow, l + 2, b - 2, r, b - 2);
      if (selected && item->m_row == 0) DrawLine(pDC, fill, r - 1, t + 1, r - 1, b - 2);
      break;
    case kTabRight:  // open at the left
      DrawLine(pDC, light, l, t, r - 2, t);
      DrawLine(pDC, dark, r - 2, t + 1, r - 1, t + 1);
      DrawLine(pDC, dark, r - 1, t + 2, r - 1, b - 2);
      DrawLine(pDC, dark, r - 2, b - 2, r - 1, b - 2);
      DrawLine(pDC, dark, l, b - 1, r - 2, b - 1);
      DrawLine(pDC, shadow, r - 2, t + 2, r - 2, b - 2);
      DrawLine(pDC, shadow, l, b - 2, r - 2, b - 2);
      if (selected && item->m_row == 0) DrawLine(pDC, fill, l, t + 1, l, b - 2);
      break;
    default:  // open at the bottom
      DrawLine(pDC, light, l, t + 2, l, b - 1);
      DrawLine(pDC, light, l + 1, t + 1, l + 2, t + 1);
      DrawLine(pDC, light, l + 2, t, r - 3, t);
      DrawLine(pDC, dark, r - 2, t + 1, r - 1, t + 1);
      DrawLine(pDC, dark, r - 1, t + 2, r - 1, b - 2);
      DrawLine(pDC, shadow, r - 2, t + 2, r - 2, b - 2);
      if (selected && item->m_row == 0 && fill != kColorUnset)
        pDC->FillSolidRect(l + 1, b - 1, rc.Width() - 3, 1, fill);
      break;
  }
  DrawContent(pDC, item, item->m_rect);
}

// Appearance 2: boxed tabs with rounded, softened corners.

CTkTabShapeBoxed::CTkTabShapeBoxed() { m_headerMargin = CRect(2, 2, 4, 0); }

CRect CTkTabShapeBoxed::FillBackground(CTkTabSet* strip, CDC* pDC, CRect rc) {
  CTkTabPalette* colors = m_pPainter->GetColorSet();
  return FillHeaderAndClient(strip, pDC, rc, colors->m_border, colors->m_border, colors->m_border, colors->m_border);
}

void CTkTabShapeBoxed::DrawTab(CDC* pDC, CTkTabManagerItem* item) {
  CTkTabPalette* colors = m_pPainter->GetColorSet();
  int position = Position();
  BOOL selected = IsSelected(item);
  CRect rc = item->m_rect;
  InflateRectByPosition(position, rc, 0, 0, 1, 0);

  if (!m_bFramedTabs) {
    if (m_bSelectedBoxOnly && !selected) {
      if (item->m_index < item->m_pOwner->GetTabCount() - 1) {
        if (IsHorizontalPosition(position))
          pDC->FillSolidRect(rc.right - 1, rc.top + 3, 1, rc.Height() - 6, colors->m_border);
        else
          pDC->FillSolidRect(rc.left + 3, rc.bottom - 1, rc.Width() - 6, 1, colors->m_border);
      }
      DrawContent(pDC, item, item->m_rect);
      return;
    }
    if (!selected && m_pPainter->m_clientFrameStyle != 2)
      DrawEdgeLineByPosition(pDC, rc, (position + 2) % 4, colors->m_border, colors->m_border);
    CRect box = rc;
    InflateRectByPosition(position, box, 0, 0, 0, 2);
    CRect inside = box;
    DeflateRectByPosition(position, inside, 1, 1, 1, 0);
    if (selected || !m_bSelectedBoxOnly) colors->FillTab(pDC, inside, item);
    CTkPenSelector pen(pDC->GetSafeHdc(), colors->m_border);
    CTkObjectSelector brush(pDC->GetSafeHdc(), ::GetStockObject(NULL_BRUSH));
    pDC->RoundRect(box.left, box.top, box.right, box.bottom, 6, 6);
    DrawContent(pDC, item, item->m_rect);
    return;
  }

  if (selected) InflateRectByPosition(position, rc, 0, 0, 0, 1);
  CRect corners = rc;
  InflateRectByPosition(position, corners, 0, 0, 0, 1);
  int saved = pDC->SaveDC();
  ExcludeCornerPixels(pDC->GetSafeHdc(), corners);
  CRect inside = rc;
  DeflateRectByPosition(position, inside, 1, 1, 1, 0);
  colors->FillTab(pDC, inside, item);
  pDC->Draw3dRect(&corners, colors->m_border, colors->m_border);
  pDC->RestoreDC(saved);

  // Soften the two outer corners: each pixel takes half of a neighbour.
  TabFigure figure(position, corners);
  int len = figure.Length();
  POINT a = figure.P(1, 0), b = figure.P(0, 1), c = figure.P(1, 1), d = figure.P(len - 2, 0),
        e = figure.P(len - 1, 1), f = figure.P(len - 2, 1);
  POINT corner1 = figure.P(0, 0), corner2 = figure.P(len - 1, 0);
  const int pairs[] = {
      a.x, a.y, corner1.x - a.x, corner1.y - a.y,
      b.x, b.y, corner1.x - b.x, corner1.y - b.y,
      c.x, c.y, corner1.x - c.x, corner1.y - c.y,
      figure.P(2, 0).x, figure.P(2, 0).y, c.x - figure.P(2, 0).x, c.y - figure.P(2, 0).y,
      figure.P(0, 2).x, figure.P(0, 2).y, c.x - figure.P(0, 2).x, c.y - figure.P(0, 2).y,
      d.x, d.y, corner2.x - d.x, corner2.y - d.y,
      e.x, e.y, corner2.x - e.x, corner2.y - e.y,
      f.x, f.y, corner2.x - f.x, corner2.y - f.y,
      figure.P(len - 3, 0).x, figure.P(len - 3, 0).y, f.x - figure.P(len - 3, 0).x, f.y - figure.P(len - 3, 0).y,
      figure.P(len - 1, 2).x, figure.P(len - 1, 2).y, f.x - figure.P(len - 1, 2).x, f.y - figure.P(len - 1, 2).y,
  };
  CTkGradientPainter::BlendPixelPairs(pDC, pairs, static_cast<int>(std::size(pairs) / 2));
  DrawContent(pDC, item, item->m_rect);
}

// Appearance 3: a long sloped leading edge.

CTkTabShapeSloped::CTkTabShapeSloped() { m_headerMargin = CRect(2, 3, 6, 0); }

CRect CTkTabShapeSloped::GetHeaderMargin() const {
  CRect margin = m_headerMargin;
  margin.left += m_textRowHeight;
  return margin;
}

CRect CTkTabShapeSloped::FillBackground(CTkTabSet* strip, CDC* pDC, CRect rc) {
  COLORREF outline = m_pPainter->GetColorSet()->m_selectedOutline;
  return FillHeaderAndClient(strip, pDC, rc, outline, outline, outline, outline);
}

void CTkTabShapeSloped::DrawTab(CDC* pDC, CTkTabManagerItem* item) {
  CTkTabPalette* colors = m_pPainter->GetColorSet();
  BOOL selected = IsSelected(item);
  TabFigure f(Position(), item->m_rect);
  int len = f.Length(), h = f.Height();
  const POINT fill[] = {f.P(len - 1, h - 1), f.P(len - 1, 2), f.P(4, 2), f.P(8 - h, h - 2)};
  COLORREF color = FillPolygonTab(pDC, item, fill, 4);
  const POINT outline[] = {f.P(len, h - 2), f.P(len, 2), f.P(len - 2, 0), f.P(7, 0),
                           f.P(2, 2), f.P(6 - h, h - 2), f.P(4 - h, h - 2)};
  DrawPolyline(pDC, selected ? colors->m_selectedOutline : colors->m_outline, outline, 7);
  const POINT inner1[] = {f.P(len - 1, h - 2), f.P(len - 1, 2), f.P(len - 3, 0)};
  DrawPolyline(pDC, selected ? kWhite : COLORREF(colors->m_innerLine1), inner1, 3);
  const POINT inner2[] = {f.P(len - 3, 1), f.P(6, 1), f.P(1, 4), f.P(6 - h, h - 1)};
  DrawPolyline(pDC, selected ? kWhite : COLORREF(colors->m_innerLine2), inner2, 4);
  if (selected && color != kColorUnset) {
    const POINT join[] = {f.P(5 - h, h - 1), f.P(len + 1, h - 1)};
    DrawPolyline(pDC, color, join, 2);
  }
  DrawContent(pDC, item, item->m_rect);
}

// Appearance 4: button tabs.

CTkTabShapeButtons::CTkTabShapeButtons() {
  m_headerMargin = CRect(2, 2, 4, 2);
  m_rowSpacing = 0;
}

CRect CTkTabShapeButtons::FillBackground(CTkTabSet* strip, CDC*, CRect rc) { return GetHeaderRect(rc, strip); }

void CTkTabShapeButtons::DrawTab(CDC* pDC, CTkTabManagerItem* item) {
  m_pPainter->GetColorSet()->FillButtonTab(pDC, item->m_rect, item);
  DrawContent(pDC, item, item->m_rect);
}

// Appearance 5: flat tabs with separators, the selected one raised.

CTkTabShapeSeparated::CTkTabShapeSeparated() { m_headerMargin = CRect(4, 2, 4, 0); }

CRect CTkTabShapeSeparated::FillBackground(CTkTabSet* strip, CDC* pDC, CRect rc) {
  CTkTabPalette* colors = m_pPainter->GetColorSet();
  return FillHeaderAndClient(strip, pDC, rc, colors->m_highlight, colors->m_selectedText, colors->m_highlight,
                             colors->m_selectedText);
}

void CTkTabShapeSeparated::DrawTab(CDC* pDC, CTkTabManagerItem* item) {
  CTkTabPalette* colors = m_pPainter->GetColorSet();
  const CRect& rc = item->m_rect;
  if (IsSelected(item)) {
    colors->FillTab(pDC, rc, item);
    CRect frame = rc;
    InflateRectByPosition(Position(), frame, 0, 0, 0, 1);
    pDC->Draw3dRect(&frame, colors->m_highlight, colors->m_selectedText);
  } else if (IsHorizontalPosition(Position())) {
    pDC->FillSolidRect(rc.right, rc.top + 2, 1, rc.Height() - 4, colors->m_border);
  } else {
    pDC->FillSolidRect(rc.left + 2, rc.bottom, rc.Width() - 4, 1, colors->m_border);
  }
  DrawContent(pDC, item, rc);
}

// Appearance 6: flat boxed tabs.

CTkTabShapeFlatBoxed::CTkTabShapeFlatBoxed() { m_headerMargin = CRect(2, 2, 4, 0); }

CRect CTkTabShapeFlatBoxed::FillBackground(CTkTabSet* strip, CDC* pDC, CRect rc) {
  CTkTabPalette* colors = m_pPainter->GetColorSet();
  return FillHeaderAndClient(strip, pDC, rc, colors->m_border, colors->m_border, colors->m_border, colors->m_border);
}

void CTkTabShapeFlatBoxed::DrawTab(CDC* pDC, CTkTabManagerItem* item) {
  CTkTabPalette* colors = m_pPainter->GetColorSet();
  int position = Position();
  CRect rc = item->m_rect;
  InflateRectByPosition(position, rc, 0, 0, 1, 0);
  colors->FillTab(pDC, rc, item);
  if (IsSelected(item)) InflateRectByPosition(position, rc, 0, 0, 0, 1);
  pDC->Draw3dRect(&rc, colors->m_border, colors->m_border);
  DrawContent(pDC, item, item->m_rect);
}

// Appearance 7: trapezoid tabs.

CTkTabShapeTrapezoid::CTkTabShapeTrapezoid() { m_headerMargin = CRect(2, 3, 2, 0); }

CRect CTkTabShapeTrapezoid::GetHeaderMargin() const {
  CRect margin = m_headerMargin;
  margin.left += m_textRowHeight / 2;
  margin.right += m_textRowHeight / 2;
  return margin;
}

CRect CTkTabShapeTrapezoid::FillBackground(CTkTabSet* strip, CDC* pDC, CRect rc) {
  CTkTabPalette* colors = m_pPainter->GetColorSet();
  return FillHeaderAndClient(strip, pDC, rc, colors->m_border, colors->m_border, colors->m_border, colors->m_border);
}

void CTkTabShapeTrapezoid::DrawTab(CDC* pDC, CTkTabManagerItem* item) {
  CTkTabPalette* colors = m_pPainter->GetColorSet();
  int position = Position();
  BOOL selected = IsSelected(item);
  CRect rc = item->m_rect;
  DeflateRectByPosition(position, rc, 0, 0, 0, 1);
  int quarter = (IsHorizontalPosition(position) ? rc.Height() : rc.Width()) / 4;
  if (IsHorizontalPosition(position))
    rc.OffsetRect(-quarter, 0);
  else
    rc.OffsetRect(0, -quarter);
  TabFigure f(position, rc);
  int len = f.Length(), h = f.Height(), e = h / 2;
  const POINT fill[] = {f.P(0, h), f.P(e, h - 2 * e), f.P(len, h - 2 * e), f.P(len + e, h)};
  COLORREF color = FillPolygonTab(pDC, item, fill, 4);
  const CTkColorValue* lines = selected ? colors->m_selectedTrapezoid : colors->m_trapezoid;
  BOOL bottom = position == kTabBottom;
  const POINT leading[] = {f.P(0, h), f.P(e, h - 2 * e)};
  const POINT edge[] = {f.P(e, h - 2 * e), f.P(len, h - 2 * e)};
  const POINT trailing[] = {f.P(len, h - 2 * e), f.P(len + e, h)};
  DrawPolyline(pDC, lines[0], leading, 2);
  DrawPolyline(pDC, bottom ? lines[1] : lines[0], edge, 2);
  DrawPolyline(pDC, lines[2], trailing, 2);
  const POINT innerLeading[] = {f.P(1, h), f.P(e + 1, h - 2 * e + 1)};
  const POINT innerEdge[] = {f.P(e + 1, h - 2 * e + 1), f.P(len, h - 2 * e + 1)};
  const POINT innerTrailing[] = {f.P(len - 1, h - 2 * e + 1), f.P(len + e - 1, h)};
  DrawPolyline(pDC, lines[3], innerLeading, 2);
  DrawPolyline(pDC, bottom ? lines[5] : lines[3], innerEdge, 2);
  DrawPolyline(pDC, lines[4], innerTrailing, 2);
  if (selected && color != kColorUnset) {
    const POINT join[] = {f.P(0, h), f.P(len + e + 1, h)};
    DrawPolyline(pDC, color, join, 2);
  }
  DrawContent(pDC, item, item->m_rect);
}

// Appearance 8: stacked bars, the selected page opening between them.

CRect CTkTabShapeStacked::GetHeaderRect(CRect, CTkTabSet*) { return CRect(0, 0, 0, 0); }

void CTkTabShapeStacked::LayoutTabs(CTkTabSet* strip, CDC*, CRect rc) {
  DeflateRectByPosition(Position(), rc, m_pPainter->m_controlMargin);
  for (CTkTabScrollButton* button : strip->m_buttons) button->m_rect.SetRectEmpty();
  if (strip->GetTabCount() == 0) return;
  int rowHeight = GetRowHeight(strip);
  int left = rc.left + (m_pPainter->m_clientFrameStyle != 2 ? 1 : 0);
  int top = rc.top + 1;
  int count = strip->GetTabCount();
  for (int i = 0; i < count; ++i) {
    CTkTabManagerItem* tab = strip->m_tabs[i];
    tab->m_rect = CRect(left, top, rc.right, top + rowHeight);
    tab->m_currentLength = tab->m_idealLength = tab->m_rect.Width();
    top += rowHeight;
    if (tab == strip->m_pSelected) {
      int after = count - 1 - i;
      int next = std::min(std::max(static_cast<int>(rc.bottom) - after * rowHeight, static_cast<int>(tab->m_rect.bottom) + rowHeight),
                          static_cast<int>(rc.bottom) - 1);
      if (next >= tab->m_rect.bottom) top = next;
    }
  }
}

CRect CTkTabShapeStacked::GetClientRect(CRect rc, CTkTabSet* strip) {
  BOOL framed = m_pPainter->m_clientFrameStyle != 2;
  if (strip->m_pSelected != nullptr) {
    int rowHeight = GetRowHeight(strip);
    int selected = strip->m_pSelected->m_index;
    int after = strip->GetTabCount() - 1 - selected;
    int top = rc.top + rowHeight * (selected + 1) + 1;
    int bottom = std::max(static_cast<int>(rc.bottom) - rowHeight * after, top + rowHeight);
    if (after == 0 && framed) bottom -= 1;
    rc.top = top;
    rc.bottom = bottom;
  }
  if (framed) rc.DeflateRect(1, 0);
  return rc;
}

void CTkTabShapeStacked::AdjustClientRect(CTkTabSet* strip, RECT* rc) {
  DeflateRectByPosition(Position(), *rc, m_pPainter->m_controlMargin);
  *rc = GetClientRect(*rc, strip);
  DeflateRectByPosition(Position(), *rc, GetClientMargin());
}

void CTkTabShapeStacked::DrawTabControl(CTkTabSet* strip, CDC* pDC, CRect rc) {
  CTkTabPalette* colors = m_pPainter->GetColorSet();
  pDC->FillSolidRect(&rc, colors->m_controlBackground);
  DeflateRectByPosition(Position(), rc, m_pPainter->m_controlMargin);
  int saved = pDC->SaveDC();
  pDC->IntersectClipRect(&rc);
  if (m_pPainter->m_clientFrameStyle != 2)
    pDC->Draw3dRect(&rc, colors->m_border, colors->m_border);
  else if (strip->GetTabCount() > 0)
    pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, colors->m_border);
  pDC->SetBkMode(TRANSPARENT);
  for (int i = strip->GetTabCount() - 1; i >= 0; --i) {
    CTkTabManagerItem* tab = strip->m_tabs[i];
    CRect meet;
    if (!tab->m_rect.IsRectEmpty() && meet.IntersectRect(&tab->m_rect, &rc)) DrawTab(pDC, tab);
  }
  pDC->RestoreDC(saved);
}

void CTkTabShapeStacked::DrawTab(CDC* pDC, CTkTabManagerItem* item) {
  CTkTabPalette* colors = m_pPainter->GetColorSet();
  const CRect& rc = item->m_rect;
  colors->FillTab(pDC, rc, item);
  pDC->Draw3dRect(&rc, colors->m_highlight, colors->m_border);
  COLORREF grip = GetColorScheme()->GetColor(38);
  for (int y = rc.top + 4; y < rc.bottom - 3; y += 2) pDC->FillSolidRect(rc.right - 7, y, 3, 1, grip);
  CRect content = rc;
  content.right -= 7;
  DrawContent(pDC, item, content);
}

// Appearance 9: two sloped edges and rounded top corners.

CTkTabShapeTwoSlopes::CTkTabShapeTwoSlopes() {
  m_headerMargin = CRect(2, 3, 6, 0);
  m_bDrawTowardsSelected = TRUE;
}

CRect CTkTabShapeTwoSlopes::GetHeaderMargin() const {
  CRect margin = m_headerMargin;
  margin.left += m_textRowHeight / 2;
  return margin;
}

CRect CTkTabShapeTwoSlopes::FillBackground(CTkTabSet* strip, CDC* pDC, CRect rc) {
  COLORREF outline = m_pPainter->GetColorSet()->m_selectedOutline;
  return FillHeaderAndClient(strip, pDC, rc, outline, outline, outline, outline);
}

void CTkTabShapeTwoSlopes::DrawTab(CDC* pDC, CTkTabManagerItem* item) {
  CTkTabPalette* colors = m_pPainter->GetColorSet();
  BOOL selected = IsSelected(item);
  TabFigure f(Position(), item->m_rect);
  int len = f.Length(), h = f.Height(), k = h / 2;
  const POINT outline[] = {f.P(len + k - 4, h - 1), f.P(len - 1, 5), f.P(len - 5, 1), f.P(len - 8, 0),
                           f.P(8, 0), f.P(5, 1), f.P(2, 4), f.P(4 - k, h)};
  FillPolygonTab(pDC, item, outline, 8);
  DrawPolyline(pDC, selected ? colors->m_selectedOutline : colors->m_outline, outline, 8);
  const POINT inner1[] = {f.P(len + k - 5, h - 1), f.P(len - 2, 5), f.P(len - 5, 2), f.P(len - 8, 1)};
  DrawPolyline(pDC, selected ? kWhite : COLORREF(colors->m_innerLine1), inner1, 4);
  const POINT inner2[] = {f.P(len - 7, 1), f.P(8, 1), f.P(5, 2), f.P(3, 4), f.P(5 - k, h)};
  DrawPolyline(pDC, selected ? kWhite : COLORREF(colors->m_innerLine2), inner2, 5);
  DrawContent(pDC, item, item->m_rect);
}

CTkTabShape* CreateTabShape(int id) {
  switch (id) {
    case 1: return new CTkTabShapeRaised(TRUE);
    case 2: return new CTkTabShapeBoxed;
    case 3: return new CTkTabShapeSloped;
    case 4: return new CTkTabShapeButtons;
    case 5: return new CTkTabShapeSeparated;
    case 6: return new CTkTabShapeFlatBoxed;
    case 7: return new CTkTabShapeTrapezoid;
    case 8: return new CTkTabShapeStacked;
    case 9: return new CTkTabShapeTwoSlopes;
    default: return new CTkTabShapeRaised(FALSE);
  }
}
