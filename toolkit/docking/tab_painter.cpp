#include "tab_painter.h"

#include <algorithm>

#include "draw_helpers.h"
#include "global_settings.h"
#include "tab_palette.h"
#include "tab_shape.h"

void DeflateRectByPosition(int position, RECT& rc, int start, int tabSide, int end, int farSide) {
  switch (position) {
    case kTabLeft:
      rc.top += start, rc.left += tabSide, rc.bottom -= end, rc.right -= farSide;
      break;
    case kTabBottom:
      rc.left += start, rc.bottom -= tabSide, rc.right -= end, rc.top += farSide;
      break;
    case kTabRight:
      rc.top += start, rc.right -= tabSide, rc.bottom -= end, rc.left += farSide;
      break;
    default:
      rc.left += start, rc.top += tabSide, rc.right -= end, rc.bottom -= farSide;
      break;
  }
}

void InflateRectByPosition(int position, RECT& rc, int start, int tabSide, int end, int farSide) {
  DeflateRectByPosition(position, rc, -start, -tabSide, -end, -farSide);
}

CTkTabPainter::CTkTabPainter() {
  SetAppearance(0);
  RefreshMetrics();
}

CTkTabPainter::~CTkTabPainter() {
  delete m_pAppearance;
  delete m_pColorSet;
}

void CTkTabPainter::DrawTabControl(CTkTabSet* strip, CDC* pDC, CRect rc) {
  m_pAppearance->DrawTabControl(strip, pDC, rc);
}

void CTkTabPainter::AdjustClientRect(CTkTabSet* strip, RECT* rc) {
  if (strip->HasFrame()) DeflateRect(*rc, 2, 1, 2, 2);
  if (strip->GetTabCount() > 0) m_pAppearance->AdjustClientRect(strip, rc);
}

void CTkTabPainter::DrawSplitter(CDC* pDC, CRect rc, int style) {
  if (rc.IsRectEmpty()) return;
  pDC->FillSolidRect(&rc, m_pColorSet->m_face);
  // A bar in the strips' face, edged along its length in their border colour.
  const COLORREF border = m_pColorSet->m_border;
  if (style == kSplitterStacked) {
    pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, border);
    pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, border);
  } else {
    pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), border);
    pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), border);
  }
}

void CTkTabPainter::AdjustMdiClientBorder(RECT* rc) { ::InflateRect(rc, -1, -1); }

void CTkTabPainter::DrawMdiClientBorder(CDC* pDC, CRect window, CRect client) {
  const COLORREF face = m_pColorSet->m_face;
  pDC->FillSolidRect(window.left, window.top, window.Width(), client.top - window.top, face);
  pDC->FillSolidRect(window.left, client.bottom, window.Width(), window.bottom - client.bottom, face);
  pDC->FillSolidRect(window.left, client.top, client.left - window.left, client.Height(), face);
  pDC->FillSolidRect(client.right, client.top, window.right - client.right, client.Height(), face);
  const COLORREF border = m_pColorSet->m_border;
  pDC->Draw3dRect(&window, border, border);
}

void CTkTabPainter::LayoutTabs(CTkTabSet* strip, CDC* pDC, CRect rc) {
  strip->m_tabsArea.SetRectEmpty();
  strip->m_controlRect = rc;
  strip->m_clientRect = rc;
  strip->m_pRows->SetRowCount(1);
  for (CTkTabManagerItem* tab : strip->m_tabs) tab->m_row = 0;
  m_pAppearance->LayoutTabs(strip, pDC, rc);
  AdjustClientRect(strip, &strip->m_clientRect);
}

void CTkTabPainter::RefreshMetrics() {
  if (m_bUseSystemFont) {
    LOGFONTW lf = {};
    if (::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0)) SetFontIndirect(&lf, TRUE);
  }
  if (m_normalFont.GetSafeHandle() == nullptr) {
    // No system font to read: the standard face keeps the painter drawable.
    LOGFONTW lf = {};
    lf.lfHeight = -11;
    lstrcpynW(lf.lfFaceName, GetStandardFontFace(FALSE), LF_FACESIZE);
    SetFontIndirect(&lf, m_bUseSystemFont);
  }
  m_pColorSet->RefreshColors();
  m_pAppearance->RefreshMetrics();
}

void CTkTabPainter::RefreshStrips() {
  std::vector<CTkTabSet*> strips = m_strips;
  for (CTkTabSet* strip : strips) strip->NotifyOwnerRefresh();
}

void CTkTabPainter::RegisterStrip(CTkTabSet* strip) {
  if (std::find(m_strips.begin(), m_strips.end(), strip) == m_strips.end()) m_strips.push_back(strip);
}

void CTkTabPainter::UnregisterStrip(CTkTabSet* strip) {
  m_strips.erase(std::remove(m_strips.begin(), m_strips.end(), strip), m_strips.end());
}

void CTkTabPainter::DrawTabFocus(CDC* pDC, CTkTabManagerItem*, CRect rc) {
  if (!m_bFocusRect) return;
  rc.DeflateRect(3, 3);
  pDC->SetTextColor(RGB(0, 0, 0));
  pDC->SetBkColor(RGB(255, 255, 255));
  pDC->DrawFocusRect(&rc);
}

CTkTabPalette* CTkTabPainter::SetColorSet(int id) {
  m_colorSetId = id;
  return SetColorSet(CreateTabPalette(id));
}

CTkTabPalette* CTkTabPainter::SetColorSet(CTkTabPalette* colorSet) {
  if (colorSet != nullptr) {
    delete m_pColorSet;
    m_pColorSet = colorSet;
    colorSet->m_pPainter = this;
    colorSet->RefreshColors();
  }
  RefreshStrips();
  return colorSet;
}

CTkTabShape* CTkTabPainter::SetAppearance(int id) {
  m_appearanceId = id;
  return SetAppearance(CreateTabShape(id));
}

CTkTabShape* CTkTabPainter::SetAppearance(CTkTabShape* appearance) {
  if (appearance == nullptr) {
    RefreshStrips();
    return nullptr;
  }
  delete m_pAppearance;
  m_pAppearance = appearance;
  appearance->m_pPainter = this;
  appearance->RefreshMetrics();
  SetColorSet(appearance->GetDefaultColorSet());
  return appearance;
}

void CTkTabPainter::SetStripPosition(int position) {
  m_position = position;
  RefreshStrips();
}

void CTkTabPainter::SetLayout(int layout) {
  m_layout = layout;
  RefreshStrips();
}

BOOL CTkTabPainter::IsXPSchemeColorsDisabled() const {
  return m_bSchemeColorsOff || GetColorScheme()->IsXPSchemeDisabled();
}

void CTkTabPainter::SetFontIndirect(const LOGFONTW* lf, BOOL useSystem) {
  m_bUseSystemFont = useSystem;
  if (lf == nullptr) return;
  m_normalFont.DeleteObject();
  m_boldFont.DeleteObject();
  m_verticalFont.DeleteObject();
  m_verticalBoldFont.DeleteObject();

  LOGFONTW font = *lf;
  font.lfWeight = m_bBoldAll ? FW_BOLD : FW_NORMAL;
  m_normalFont.CreateFontIndirect(&font);
  font.lfWeight = FW_BOLD;
  m_boldFont.CreateFontIndirect(&font);

  lstrcpynW(font.lfFaceName, GetStandardFontFace(FALSE), LF_FACESIZE);
  font.lfEscapement = 2700;
  font.lfOrientation = 900;
  // Turned text below 11 pixels is unreadable.
  if (font.lfHeight >= -10 && font.lfHeight <= -1) font.lfHeight = -11;
  font.lfWeight = m_bBoldAll ? FW_BOLD : FW_NORMAL;
  m_verticalFont.CreateFontIndirect(&font);
  font.lfWeight = FW_BOLD;
  m_verticalBoldFont.CreateFontIndirect(&font);
}

BOOL CTkTabPainter::IsTextTurned() const {
  if (m_pAppearance != nullptr && m_pAppearance->KeepsTextLevel()) return FALSE;
  BOOL vertical = !IsHorizontal();
  return m_layout == kTabLayoutRotated ? !vertical : vertical;
}

CFont* CTkTabPainter::GetTabFont(const CTkTabSet* strip, const CTkTabManagerItem* item) {
  BOOL bold = m_bBoldSelected && strip != nullptr && strip->m_bActive && item == strip->m_pSelected;
  if (IsTextTurned()) return bold ? &m_verticalBoldFont : &m_verticalFont;
  return bold ? &m_boldFont : &m_normalFont;
}

int CTkTabPainter::MeasureCaption(CDC* pDC, CTkTabManagerItem* item, CFont* font) {
  CTkFontSelector selector(pDC, font);
  CString caption = item->GetCaption();
  CRect rc(0, 0, 0, 0);
  UINT format = DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | (m_bNoPrefix ? DT_NOPREFIX : 0);
  pDC->DrawText(caption, &rc, format);
  return rc.Width();
}

int CTkTabPainter::DrawTabContent(CDC* pDC, CTkTabManagerItem* item, CRect rc, BOOL draw) {
  CTkTabSet* strip = item->m_pOwner;
  BOOL turned = IsTextTurned();
  CSize image = m_imageSize;
  BOOL hasImage = strip->DrawTabIcon(pDC, CPoint(0, 0), item, FALSE, &image);
  int extent = turned ? image.cy : image.cx;

  if (!draw) {
    CSize fixed, least, greatest;
    strip->GetStripMetrics(&fixed, &least, &greatest);
    int length;
    if (m_layout == kTabLayoutFixed) {
      length = fixed.cx;
    } else if (m_layout == kTabLayoutCompact && item != strip->m_pSelected) {
      length = extent + 8;
    } else if (m_layout == kTabLayoutCompact) {
      CFont* font = GetTabFont(strip, item);
      int widest = 0;
      for (CTkTabManagerItem* tab : strip->m_tabs) widest = std::max(widest, MeasureCaption(pDC, tab, font));
      length = (hasImage ? extent : 0) + widest + 12;
    } else {
      length = (hasImage ? extent : 0) + MeasureCaption(pDC, item, GetTabFont(strip, item)) + 12;
    }
    // ClampLength: margins first, then the strip's least and greatest.
    length += m_contentMargin.left + m_contentMargin.right;
    if (least.cx > 0 && length < least.cx) length = least.cx;
    if (greatest.cx > 0 && length > greatest.cx) length = greatest.cx;
    return length;
  }

  CTkFontSelector selector(pDC, GetTabFont(strip, item));
  m_pColorSet->SetTabTextColor(pDC, item);

  // The text runs along the tab's length in every layout.
  BOOL alongX = !turned;
  if (item->m_currentLength > item->m_idealLength) {
    int half = (item->m_currentLength - item->m_idealLength) / 2;
    if (alongX)
      rc.DeflateRect(half, 0);
    else
      rc.DeflateRect(0, half);
  }
  int outer = m_contentMargin.top, inner = m_contentMargin.bottom;
  if (m_position == kTabBottom || m_position == kTabRight) std::swap(outer, inner);
  if (alongX)
    rc.top += outer, rc.bottom -= inner;
  else
    rc.left += outer, rc.right -= inner;

  int start = (alongX ? rc.left : rc.top) + m_contentMargin.left + 6;
  int end = alongX ? rc.right : rc.bottom;
  if (hasImage) {
    if (end - start > extent) {
      CPoint pt = alongX ? CPoint(start - 1, (rc.top + rc.bottom) / 2 - image.cy / 2)
                         : CPoint((rc.left + rc.right) / 2 - image.cx / 2, start - 1);
      strip->DrawTabIcon(pDC, pt, item, TRUE, &image);
    }
    start += extent + 2;
  }

  if (!(m_layout == kTabLayoutCompact && item != strip->m_pSelected)) {
    CString caption = item->GetCaption();
    if (alongX) {
      CRect text(start, rc.top, end - m_contentMargin.right - 2, rc.bottom);
      if (text.right > text.left) {
        UINT format = DT_SINGLELINE | DT_VCENTER | (m_bNoPrefix ? DT_NOPREFIX : 0);
        if (m_bOwnEllipsis)
          DrawTextEllipsis(pDC, caption, text, format);
        else
          pDC->DrawText(caption, &text, format | DT_END_ELLIPSIS);
      }
    } else {
      int room = end - 2 - m_contentMargin.right - start;
      if (room > 8) {
        TEXTMETRICW metrics = {};
        ::GetTextMetricsW(pDC->GetSafeHdc(), &metrics);
        int width = rc.Width();
        int x = rc.right - (width - (m_position == kTabRight ? 1 : 0) - metrics.tmHeight) / 2;
        if (!m_bNoPrefix) StripMnemonics(caption);
        // A font turned by a quarter lays the text out along the rectangle's
        // width from its top-left corner, growing downwards.
        CRect text(x, start, x + room, start + metrics.tmHeight);
        UINT format = DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX;
        if (m_bOwnEllipsis)
          DrawTextEllipsis(pDC, caption, text, format);
        else
          pDC->DrawText(caption, &text, format | DT_END_ELLIPSIS);
      }
    }
  }
  if (item == strip->m_pSelected && strip->HasFocus()) DrawTabFocus(pDC, item, item->m_rect);
  return 0;
}

void CTkTabPainter::DrawTextEllipsis(CDC* pDC, const CString& caption, CRect rc, UINT format) {
  if (caption.Find(L'\\') >= 0) {
    pDC->DrawText(caption, &rc, format | DT_PATH_ELLIPSIS);
    return;
  }
  CString plain = caption;
  if ((format & DT_NOPREFIX) == 0) RemoveMnemonicMarks(plain);
  int width = pDC->GetTextExtent(plain).cx;
  if (width <= rc.Width()) {
    pDC->DrawText(caption, &rc, format);
    return;
  }
  const CString dots = L"...";
  int room = rc.Width() - pDC->GetTextExtent(dots).cx;
  if (room < 0) {
    pDC->DrawText(dots, &rc, format);
    return;
  }
  int length = plain.GetLength();
  auto cut = [&](int d) { return plain.Left(d - d / 2) + dots + plain.Right(d / 2); };
  auto partsWidth = [&](int d) { return pDC->GetTextExtent(plain.Left(d - d / 2)).cx + pDC->GetTextExtent(plain.Right(d / 2)).cx; };
  int d = width > 0 ? static_cast<int>(static_cast<long long>(room) * length / width) : 0;
  d = std::max(0, std::min(d, length));
  while (d < length && partsWidth(d + 1) < room) ++d;
  while (d > 0 && partsWidth(d) > room) --d;
  pDC->DrawText(cut(d), &rc, format | DT_NOPREFIX);
}

void CTkTabPainter::DrawStrip(CTkTabSet* strip, CDC* pDC, CRect rc) {
  if (strip->HasFrame()) {
    pDC->Draw3dRect(&rc, m_pColorSet->m_border, m_pColorSet->m_border);
    DeflateRect(rc, 1, 1, 1, 1);
    pDC->Draw3dRect(&rc, m_pColorSet->m_controlBackground, m_pColorSet->m_controlBackground);
    DeflateRect(rc, 1, 0, 1, 1);
  }
  if (m_bFillBackground) pDC->FillSolidRect(&rc, m_pColorSet->m_controlBackground);
  DeflateRectByPosition(m_position, rc, m_controlMargin);
  pDC->SetBkMode(TRANSPARENT);

  CRect header = m_bFillBackground ? m_pAppearance->FillBackground(strip, pDC, rc)
                                   : m_pAppearance->GetHeaderRect(rc, strip);
  BOOL horizontal = IsHorizontal();
  for (CTkTabScrollButton* button : strip->m_buttons) {
    const CRect& b = button->m_rect;
    if (b.IsRectEmpty()) continue;
    if (horizontal && b.left > header.left && b.left < header.right) {
      header.right = b.left;
      break;
    }
    if (!horizontal && b.top > header.top && b.top < header.bottom) {
      header.bottom = b.top;
      break;
    }
  }
  int saved = pDC->SaveDC();
  pDC->IntersectClipRect(&header);
  m_pColorSet->DrawHeaderDecoration(pDC, header, strip);
  for (int row = strip->m_pRows->GetRowCount() - 1; row >= 0; --row) DrawRow(strip, pDC, header, row);
  pDC->RestoreDC(saved);
  for (int i = static_cast<int>(strip->m_buttons.size()) - 1; i >= 0; --i) strip->m_buttons[i]->Draw(pDC);
}

void CTkTabPainter::DrawRow(CTkTabSet* strip, CDC* pDC, const CRect& rc, int row) {
  const CTkTabRowTable::Row& range = (*strip->m_pRows)[row];
  int first = std::max(range.first, 0);
  int last = std::min(range.last, strip->GetTabCount() - 1);
  CTkTabManagerItem* selected = strip->m_pSelected;
  auto draw = [&](int i) {
    CTkTabManagerItem* tab = strip->m_tabs[i];
    CRect meet;
    if (tab->m_bVisible && meet.IntersectRect(&tab->m_rect, &rc)) m_pAppearance->DrawTab(pDC, tab);
  };
  int selectedIndex = selected != nullptr && selected->m_index >= first && selected->m_index <= last
                          ? selected->m_index : -1;
  if (m_pAppearance->m_bDrawTowardsSelected) {
    if (selectedIndex < 0) {
      for (int i = first; i <= last; ++i) draw(i);
      return;
    }
    for (int i = first; i < selectedIndex; ++i) draw(i);
    for (int i = last; i > selectedIndex; --i) draw(i);
  } else {
    for (int i = last; i >= first; --i)
      if (i != selectedIndex) draw(i);
  }
  if (selectedIndex >= 0) draw(selectedIndex);
}
