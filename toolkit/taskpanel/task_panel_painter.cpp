#include "task_panel_painter.h"

#include <algorithm>

#include "draw_helpers.h"
#include "icon_image.h"
#include "task_panel.h"

namespace {

void SetColors(TaskPanelGroupColors& colors, int captionBackground, int clientBackground, int border, int captionText) {
  colors.captionBackground.SetColor(ToolkitColor(captionBackground));
  colors.clientBackground.SetColor(ToolkitColor(clientBackground));
  colors.clientBorder.SetStandardValue(ToolkitColor(border));
  colors.captionGradientStart = 0;
  colors.captionText.SetStandardValue(ToolkitColor(captionText));
  colors.captionHotText.SetStandardValue(ToolkitColor(captionText));
  colors.textItem.SetStandardValue(ToolkitColor(COLOR_BTNTEXT));
  colors.link.SetStandardValue(ToolkitColor(COLOR_BTNTEXT));
  colors.linkSelected.SetStandardValue(ToolkitColor(COLOR_BTNTEXT));
  colors.linkHot.SetStandardValue(ToolkitColor(COLOR_HIGHLIGHT));
}

void DrawFrame(CDC* pDC, const CRect& rect, COLORREF topLeft, COLORREF bottomRight) {
  pDC->Draw3dRect(&rect, topLeft, bottomRight);
}

void FrameRect(CDC* pDC, const CRect& rect, COLORREF color) { pDC->Draw3dRect(&rect, color, color); }

CTkTaskPanelGroupItem* AsGroupItem(CTkTaskPanelItem* item) {
  return item != nullptr && item->IsKindOf(RUNTIME_CLASS(CTkTaskPanelGroupItem)) ? static_cast<CTkTaskPanelGroupItem*>(item)
                                                                                 : nullptr;
}

BOOL IsSelectedItem(const CTkTaskPanelItem* item) {
  const CTkTaskPanelGroupItem* groupItem = AsGroupItem(const_cast<CTkTaskPanelItem*>(item));
  return groupItem != nullptr && groupItem->IsSelected();
}

}  // namespace

CRect ResolveMargins(const RECT& margins, const RECT& defaults) {
  return CRect(margins.left == kTaskPanelDefaultMetric ? defaults.left : margins.left,
               margins.top == kTaskPanelDefaultMetric ? defaults.top : margins.top,
               margins.right == kTaskPanelDefaultMetric ? defaults.right : margins.right,
               margins.bottom == kTaskPanelDefaultMetric ? defaults.bottom : margins.bottom);
}

COLORREF MixTaskPanelColors(COLORREF a, COLORREF b, int weight) {
  auto channel = [weight](int x, int y) { return std::max(0, std::min(255, x * weight / 255 + y * (255 - weight) / 255)); };
  return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
             channel(GetBValue(a), GetBValue(b)));
}

COLORREF ToolkitColor(int index) {
  if (index >= 0 && index <= 27) return ::GetSysColor(index);
  return GetColorScheme()->GetColor(index);
}

CTkTaskPanelPainter::CTkTaskPanelPainter() {
  m_hMsimg = ::LoadLibraryW(L"msimg32.dll");
  if (m_hMsimg != nullptr)
    m_alphaBlend = reinterpret_cast<AlphaBlendProc>(reinterpret_cast<void*>(::GetProcAddress(m_hMsimg, "AlphaBlend")));
}

CTkTaskPanelPainter::~CTkTaskPanelPainter() {
  FreeGlyphs();
  if (m_hMsimg != nullptr) ::FreeLibrary(m_hMsimg);
}

void CTkTaskPanelPainter::RefreshMetrics() {
  RefreshColorScheme();
  LOGFONTW font = {};
  ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0);
  if (m_bItemFontsFromSystem) {
    CFont* fonts[4] = {&m_itemFont, &m_underlinedItemFont, &m_boldItemFont, &m_boldUnderlinedItemFont};
    for (int i = 0; i < 4; ++i) {
      LOGFONTW lf = font;
      lf.lfWeight = i < 2 ? FW_NORMAL : FW_BOLD;
      lf.lfUnderline = static_cast<BYTE>(i % 2);
      fonts[i]->DeleteObject();
      fonts[i]->CreateFontIndirect(&lf);
    }
  }
  if (m_bCaptionFontFromSystem) {
    LOGFONTW lf = font;
    lf.lfWeight = m_bBoldCaptions ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = FALSE;
    m_captionFont.DeleteObject();
    m_captionFont.CreateFontIndirect(&lf);
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(screen, m_captionFont.GetSafeHandle());
    SIZE space = {0, 0};
    ::GetTextExtentPoint32W(screen, L" ", 1, &space);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    m_captionHeight = std::max(25, static_cast<int>(space.cy));
  }
  m_panelBackground.SetColor(ToolkitColor(COLOR_WINDOW));
  SetColors(m_specialColors, COLOR_ACTIVECAPTION, COLOR_WINDOW, COLOR_ACTIVECAPTION, COLOR_CAPTIONTEXT);
  SetColors(m_normalColors, COLOR_3DFACE, COLOR_WINDOW, COLOR_3DFACE, COLOR_BTNTEXT);
  m_bClosedClientBorder = FALSE;
  m_bRoundedCaptionLeft = m_bRoundedCaptionRight = FALSE;
  m_expandButtonStyle = 2;
  if (m_highlightStyle == 0) {
    m_hotFill.SetStandardValue(ToolkitColor(COLOR_3DFACE));
    m_highlightFrame.SetColors(0x808080, 0xC6C6C6);
    return;
  }
  m_hotFill.SetStandardValue(ToolkitColor(31));
  m_selectedFill.SetStandardValue(ToolkitColor(36));
  m_pressedFill.SetStandardValue(ToolkitColor(33));
  m_highlightFrame.SetColor(ToolkitColor(32));
  XPSchemeId scheme = GetCurrentXPScheme();
  if (m_highlightStyle == 2 && scheme >= xpBlue && scheme <= xpSilver) {
    static const COLORREF frames[] = {0x800000, 0x385D3F, 0x6F4B4B};
    m_hotFill.SetStandardValue(0xC2EEFF);
    m_pressedFill.SetStandardValue(0x3E80FE);
    m_selectedFill.SetStandardValue(0x6FC0FF);
    m_highlightFrame.SetColor(frames[scheme - xpBlue]);
  }
}

TaskPanelGroupColors* CTkTaskPanelPainter::GetGroupColors(const CTkTaskPanelGroup* group) {
  return group != nullptr && group->IsSpecial() ? &m_specialColors : &m_normalColors;
}

// Metrics.

CRect CTkTaskPanelPainter::GetItemOuterMargins(const CTkTaskPanelItem* item) {
  const CTkTaskPanelGroupItem* groupItem = AsGroupItem(const_cast<CTkTaskPanelItem*>(item));
  return groupItem != nullptr ? ResolveMargins(groupItem->m_margins, m_itemOuterMargins) : m_itemOuterMargins;
}

CRect CTkTaskPanelPainter::GetItemPadding(const CTkTaskPanelItem*) { return m_itemPadding; }

CRect CTkTaskPanelPainter::GetGroupOuterMargins(const CTkTaskPanelGroup* group) {
  return ResolveMargins(group->m_outerMargins, m_groupOuterMargins);
}

CRect CTkTaskPanelPainter::GetIconPadding(const CTkTaskPanelItem* item) {
  return ResolveMargins(item->m_iconPadding,
                        item->GetType() == kTaskItemGroup ? m_groupIconPadding : m_itemIconPadding);
}

CRect CTkTaskPanelPainter::GetGroupInnerMargins(const CTkTaskPanelGroup* group) {
  return ResolveMargins(group->m_innerMargins, m_groupInnerMargins);
}

CRect CTkTaskPanelPainter::GetPanelMargins(const CTkTaskPanel* panel) {
  return ResolveMargins(panel->m_panelMargins, m_panelMargins);
}

int CTkTaskPanelPainter::GetGroupSpacing(const CTkTaskPanel* panel) {
  return panel->m_groupSpacing == kTaskPanelDefaultMetric ? m_groupSpacing : panel->m_groupSpacing;
}

// The panel and the captions.

void CTkTaskPanelPainter::FillPanelBackground(CDC* pDC, CTkTaskPanel* panel) {
  CRect client;
  panel->GetClientRect(&client);
  client.bottom = std::max(static_cast<int>(client.bottom), panel->GetContentHeight());
  client.top = 0;
  GetGradientPainter().FillGradientColor(pDC, &client, m_panelBackground, FALSE);
}

int CTkTaskPanelPainter::DrawGroupCaption(CDC* pDC, CTkTaskPanelGroup* group, BOOL draw) {
  if (!draw) {
    if (group->IsCaptionVisible()) return m_captionHeight;
    return m_bClosedClientBorder ? 0 : 1;
  }
  CRect rect = group->GetCaptionRect();
  if (rect.IsRectEmpty()) return group->GetCaptionHeight();
  TaskPanelGroupColors* colors = GetGroupColors(group);
  if (!group->IsCaptionVisible()) {
    pDC->FillSolidRect(&rect, colors->clientBorder);
    return rect.Height();
  }
  int saved = pDC->SaveDC();
  if (m_bRoundedCaptionLeft) {
    pDC->ExcludeClipRect(rect.left, rect.top, rect.left + 2, rect.top + 1);
    pDC->ExcludeClipRect(rect.left, rect.top + 1, rect.left + 1, rect.top + 2);
  }
  if (m_bRoundedCaptionRight) {
    pDC->ExcludeClipRect(rect.right - 2, rect.top, rect.right, rect.top + 1);
    pDC->ExcludeClipRect(rect.right - 1, rect.top + 1, rect.right, rect.top + 2);
  }
  pDC->FillSolidRect(&rect, colors->captionBackground.m_first);
  CRect gradient = rect;
  gradient.left += static_cast<int>(rect.Width() * colors->captionGradientStart);
  GetGradientPainter().FillGradientColor(pDC, &gradient, colors->captionBackground, TRUE);
  pDC->RestoreDC(saved);
  if (group->IsFocused() && group->GetPanel()->IsFocusRectShown()) {
    CRect focus = rect;
    focus.DeflateRect(2, 2);
    DrawFocusRect(pDC, focus);
  }

  CTkFontSelector font(pDC, &m_captionFont);
  CRect text = DrawCaptionButton(pDC, group, rect);
  if (!DrawCaptionIcon(pDC, group, text)) text.left += 13;
  text.bottom += 2;
  pDC->SetBkMode(TRANSPARENT);
  COLORREF color = group->IsHot() ? colors->captionHotText : colors->captionText;
  if (!group->IsEnabled()) color = ::GetSysColor(COLOR_GRAYTEXT);
  pDC->SetTextColor(color);
  DrawItemCaption(pDC, group, text, m_captionTextFormat);
  if (group->IsDropTarget() && (!group->IsExpanded() || group->GetItems()->GetFirstVisible() == nullptr))
    DrawDropMarker(pDC, group, rect, TRUE);
  return rect.Height();
}

BOOL CTkTaskPanelPainter::DrawCaptionIcon(CDC* pDC, CTkTaskPanelGroup* group, CRect& text) {
  CSize iconSize = group->GetPanel()->m_captionIconSize;
  CTkImageIcon* image = group->GetImage(iconSize.cx);
  if (image == nullptr || iconSize.cx >= text.Width() || image->GetWidth() <= 0) return FALSE;
  int width = iconSize.cx;
  int height = width * image->GetHeight() / image->GetWidth();
  CRect padding = GetIconPadding(group);
  int y = std::min(static_cast<int>(text.CenterPoint().y) + height / 2, static_cast<int>(text.bottom)) + padding.top -
          padding.bottom - height;
  DrawItemImage(pDC, group, text.left + padding.left, y, image, width, height);
  text.left += padding.left + padding.right + width + 1;
  return TRUE;
}

int CTkTaskPanelPainter::GetCaptionButtonWidth(const CTkTaskPanelGroup* group, const CRect& rect) {
  if (!group->CanExpand() || rect.Width() < 26) return 0;
  if (m_expandButtonStyle == 1 || m_expandButtonStyle == 2) return 23;
  return m_expandButtonStyle == 3 ? 19 : 0;
}

CRect CTkTaskPanelPainter::DrawCaptionButton(CDC* pDC, CTkTaskPanelGroup* group, CRect rect) {
  if (!group->CanExpand() || rect.Width() <= 25) return rect;
  int cy = rect.CenterPoint().y;
  BOOL hot = group->IsHot();
  BOOL expanded = group->IsExpanded();
  TaskPanelGroupColors* colors = GetGroupColors(group);
  switch (m_expandButtonStyle) {
    case 1:
      DrawGlyphButton(pDC, group, expanded, hot, rect);
      rect.right -= 23;
      break;
    case 2: {
      CRect box(rect.right - 23, cy - 8, rect.right - 6, cy + 8);
      if (hot) DrawFrame(pDC, box, ::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_3DSHADOW));
      DrawDoubleChevron(pDC, box.CenterPoint().x, box.CenterPoint().y, expanded,
                        hot ? colors->captionHotText : colors->captionText);
      rect.right = box.left;
      break;
    }
    case 3: {
      POINT down[3] = {{rect.right - 19, cy}, {rect.right - 9, cy}, {rect.right - 14, cy + 5}};
      POINT right[3] = {{rect.right - 16, cy - 3}, {rect.right - 11, cy + 2}, {rect.right - 16, cy + 7}};
      FillTriangle(pDC, expanded ? down : right, m_normalColors.textItem);
      rect.right -= 19;
      break;
    }
    default:
      break;
  }
  return rect;
}

void CTkTaskPanelPainter::DrawGlyphButton(CDC* pDC, CTkTaskPanelGroup* group, BOOL expanded, BOOL hot,
                                          const CRect& rect) {
  int y = std::max(static_cast<int>(rect.top), static_cast<int>(rect.CenterPoint().y) - 10);
  TaskPanelGroupColors* colors = GetGroupColors(group);
  if (m_bGlyphPicturesLoaded && m_alphaBlend != nullptr) {
    HBITMAP picture = m_glyphPictures[(group->IsSpecial() ? 4 : 0) + (expanded ? 0 : 2) + (hot ? 1 : 0)];
    BITMAP info = {};
    ::GetObjectW(picture, sizeof(info), &info);
    HDC memory = ::CreateCompatibleDC(pDC->GetSafeHdc());
    HGDIOBJ old = ::SelectObject(memory, picture);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    m_alphaBlend(pDC->GetSafeHdc(), rect.right - 23, y, info.bmWidth, info.bmHeight, memory, 0, 0, info.bmWidth,
                 info.bmHeight, blend);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    return;
  }
  HICON icon = group->IsSpecial() ? m_hSpecialGlyph : m_hNormalGlyph;
  if (icon != nullptr)
    ::DrawStateW(pDC->GetSafeHdc(), nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, rect.right - 23, y, 19, 19,
                 DST_ICON | DSS_NORMAL);
  DrawDoubleChevron(pDC, rect.right - 14, y + 10, expanded, hot ? colors->captionHotText : colors->captionText);
}

void CTkTaskPanelPainter::DrawDoubleChevron(CDC* pDC, int x, int y, BOOL up, COLORREF color) {
  static const int upLines[4][6] = {{-3, -2, 0, -5, 4, -1}, {-2, -2, 0, -4, 3, -1}, {-3, 2, 0, -1, 4, 3}, {-2, 2, 0, 0, 3, 3}};
  static const int downLines[4][6] = {{-3, -4, 0, -1, 4, -5}, {-2, -4, 0, -2, 3, -5}, {-3, 0, 0, 3, 4, -1}, {-2, 0, 0, 2, 3, -1}};
  const int(*lines)[6] = up ? upLines : downLines;
  CTkPenSelector pen(pDC->GetSafeHdc(), color);
  for (int i = 0; i < 4; ++i) {
    POINT points[3] = {{x + lines[i][0], y + lines[i][1]}, {x + lines[i][2], y + lines[i][3]},
                       {x + lines[i][4], y + lines[i][5]}};
    ::Polyline(pDC->GetSafeHdc(), points, 3);
  }
}

// The client area.

void CTkTaskPanelPainter::DrawGroupClient(CDC* pDC, CTkTaskPanelGroup* group) {
  CRect rect = group->GetClientRect();
  if (rect.IsRectEmpty()) return;
  int clientHeight = group->GetClientHeight();
  if (!group->IsExpanding() || clientHeight <= 0 || rect.Height() >= clientHeight) {
    DrawGroupClientFace(pDC, group, rect);
    return;
  }
  // An opening group slides down and fades in: the whole client is drawn
  // off-screen and its lower part shown.
  int hidden = clientHeight - rect.Height();
  CRect full(0, 0, rect.Width(), clientHeight);
  CDC memory;
  memory.CreateCompatibleDC(pDC);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(pDC, full.Width(), full.Height());
  CTkObjectSelector selectBitmap(memory.GetSafeHdc(), bitmap.GetSafeHandle());
  // Draw at the group's own coordinates, shifted into the bitmap.
  memory.SetWindowOrg(rect.left, rect.top);
  CRect faceRect(rect.left, rect.top, rect.right, rect.top + clientHeight);
  DrawGroupClientFace(&memory, group, faceRect);
  memory.SetWindowOrg(0, 0);
  int alpha = rect.Height() * 255 / clientHeight;
  if (m_alphaBlend != nullptr && alpha < 255) {
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0};
    m_alphaBlend(pDC->GetSafeHdc(), rect.left, rect.top, rect.Width(), rect.Height(), memory.GetSafeHdc(), 0, hidden,
                 rect.Width(), rect.Height(), blend);
  } else {
    pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &memory, 0, hidden, SRCCOPY);
  }
}

void CTkTaskPanelPainter::DrawGroupClientFace(CDC* pDC, CTkTaskPanelGroup* group, CRect rect) {
  TaskPanelGroupColors* colors = GetGroupColors(group);
  pDC->FillSolidRect(&rect, colors->clientBackground.m_second);
  group->DrawClientImage(pDC, rect);
  if (group->IsExpanded() || group->IsExpanding()) {
    COLORREF border = colors->clientBorder;
    pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), border);
    pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, border);
    if (m_bClosedClientBorder) pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, border);
    else pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), border);
  }
  DrawGroupItems(pDC, group, rect);
}

void CTkTaskPanelPainter::DrawGroupItems(CDC* pDC, CTkTaskPanelGroup* group, CRect rect) {
  int dy = rect.top - group->GetScrollOffset();
  for (int i = group->GetFirstVisibleIndex(); i >= 0 && i < group->GetItemCount(); ++i) {
    CTkTaskPanelGroupItem* item = group->GetItemAt(i);
    if (item == nullptr || !item->IsVisible()) continue;
    CRect itemRect = item->GetItemRect();
    itemRect.OffsetRect(0, dy);
    item->DrawItem(pDC, itemRect);
  }
}

// Items.

CFont* CTkTaskPanelPainter::GetItemFont(const CTkTaskPanelItem* item) {
  const CTkTaskPanelGroupItem* groupItem = AsGroupItem(const_cast<CTkTaskPanelItem*>(item));
  BOOL bold = groupItem != nullptr && groupItem->IsBold();
  BOOL underlined = item->IsHot() && item->GetPanel() != nullptr && item->GetPanel()->GetHotTrackStyle() == 1;
  if (underlined) return bold ? &m_boldUnderlinedItemFont : &m_underlinedItemFont;
  return bold ? &m_boldItemFont : &m_itemFont;
}

BOOL CTkTaskPanelPainter::IsFocusShown(const CTkTaskPanelItem* item) const {
  return item->GetPanel() != nullptr && item->GetPanel()->GetFocusedItem() == item &&
         item->GetPanel()->IsFocusRectShown();
}

CRect CTkTaskPanelPainter::DrawGroupItem(CDC* pDC, CTkTaskPanelItem* item, CRect rect, BOOL draw) {
  CTkTaskPanelGroup* group = item->GetGroup();
  int layout = group != nullptr ? group->GetLayout() : kLayoutImageBesideText;
  if (draw && group != nullptr) {
    if (item->IsDropTarget() && !item->IsDragged()) DrawDropMarker(pDC, item, rect, FALSE);
    if (group->IsDropTarget() && group->GetItems()->GetLastVisible() == item) DrawDropMarker(pDC, item, rect, TRUE);
  }
  CTkFontSelector font(pDC, GetItemFont(item));
  CRect result = layout == kLayoutImageAboveText ? DrawImageAboveText(pDC, item, rect, draw)
                 : layout == kLayoutImagesOnly   ? DrawImageOnly(pDC, item, rect, draw)
                                                 : DrawImageBesideText(pDC, item, rect, draw);
  if (draw && IsFocusShown(item)) {
    CRect padding = GetItemPadding(item);
    CRect focus = rect;
    focus.DeflateRect(padding.left, padding.top, padding.right, padding.bottom);
    DrawFocusRect(pDC, focus);
  }
  return result;
}

CRect CTkTaskPanelPainter::DrawImageBesideText(CDC* pDC, CTkTaskPanelItem* item, CRect rect, BOOL draw) {
  int style = item->GetPanel()->GetHotTrackStyle();
  CSize icon = item->GetGroup()->GetIconSize();
  CTkImageIcon* image = item->GetImage(icon.cx);
  CRect d = GetItemPadding(item);
  CRect p = GetIconPadding(item);
  BOOL isLink = item->GetType() == kTaskItemLink;
  int indent = p.left + p.right + icon.cx + 7;
  if (draw) {
    if (style == 3) DrawItemHighlight(pDC, item, rect);
    CRect text = rect;
    text.DeflateRect(d.left, d.top, d.right, d.bottom);
    CPoint offset = GetHighlightOffset(item);
    if (style == 3) text.OffsetRect(offset);
    if (item->GetType() != kTaskItemControl) {
      if (image != nullptr) {
        if (style == 2)
          DrawItemHighlight(pDC, item,
                            CRect(text.left - d.left, text.top - d.top, text.left + p.left + p.right + icon.cx + 2,
                                  text.top + p.top + p.bottom + icon.cy + 2));
        CPoint at(text.left + p.left, text.top + p.top);
        if (style == 2 || style == 3) at.Offset(offset);
        DrawItemImage(pDC, item, at.x, at.y, image, icon.cx, icon.cy);
      }
      if (image != nullptr || isLink) text.left += indent;
    }
    if (text.Width() > 0) DrawItemCaption(pDC, item, text, m_itemTextFormat);
    return rect;
  }
  CRect text(rect.left + d.left + (isLink || image != nullptr ? indent : 0), rect.top, rect.right - d.right, rect.top);
  if (text.Width() <= 0) text.right = text.left + 1;
  pDC->DrawText(item->GetCaption(), &text, (m_itemTextFormat | DT_CALCRECT) & ~(DT_CENTER | DT_VCENTER));
  int imageHeight = image != nullptr ? p.top + p.bottom + icon.cy : 0;
  int right = style == 3 ? rect.right : std::min(static_cast<int>(rect.right), static_cast<int>(text.right + d.right));
  return CRect(rect.left, rect.top, right, rect.top + std::max(text.Height(), imageHeight) + d.top + d.bottom);
}

CRect CTkTaskPanelPainter::DrawImageAboveText(CDC* pDC, CTkTaskPanelItem* item, CRect rect, BOOL draw) {
  int style = item->GetPanel()->GetHotTrackStyle();
  CSize icon = item->GetGroup()->GetIconSize();
  BOOL isLink = item->GetType() == kTaskItemLink;
  CTkImageIcon* image = isLink ? item->GetImage(icon.cx) : nullptr;
  CRect d = GetItemPadding(item);
  if (draw) {
    if (style == 3) DrawItemHighlight(pDC, item, rect);
    CRect text = rect;
    text.DeflateRect(d.left, d.top, d.right, d.bottom);
    CPoint offset = GetHighlightOffset(item);
    if (style == 3) text.OffsetRect(offset);
    if (image != nullptr) {
      CPoint at((text.left + text.right - icon.cx + 1) / 2, text.top);
      if (style == 2) {
        CRect frame(at.x, at.y, at.x + icon.cx, at.y + icon.cy);
        frame.InflateRect(2, 2);
        DrawItemHighlight(pDC, item, frame);
      }
      if (style == 2 || style == 3) at.Offset(offset);
      DrawItemImage(pDC, item, at.x, at.y, image, icon.cx, icon.cy);
    }
    if (isLink) text.top += icon.cy + 3;
    DrawItemCaption(pDC, item, text, m_itemTextFormat | DT_CENTER);
    return rect;
  }
  CRect text(rect.left + d.left, rect.top, rect.right - d.right, rect.top);
  if (text.Width() <= 0) text.right = text.left + 1;
  pDC->DrawText(item->GetCaption(), &text, (m_itemTextFormat | DT_CALCRECT) & ~(DT_CENTER | DT_VCENTER));
  int width = text.Width();
  if (image != nullptr) width = std::max(width, static_cast<int>(icon.cx) + 4);
  width = std::min(width + static_cast<int>(d.left + d.right), rect.Width());
  int centre = rect.CenterPoint().x;
  int imageHeight = image != nullptr ? icon.cy + 3 : 0;
  return CRect(style == 3 ? rect.left : centre + width / 2 - width, rect.top, style == 3 ? rect.right : centre + width / 2,
               rect.top + imageHeight + text.Height() + d.top + d.bottom);
}

CRect CTkTaskPanelPainter::DrawImageOnly(CDC* pDC, CTkTaskPanelItem* item, CRect rect, BOOL draw) {
  CSize icon = item->GetGroup()->GetIconSize();
  CRect d = GetItemPadding(item);
  if (!draw) {
    int width = d.left + d.right + icon.cx;
    int left = rect.CenterPoint().x - width / 2;
    return CRect(left, rect.top, left + width, rect.top + icon.cy + d.top + d.bottom);
  }
  CPoint at(rect.left + m_imageCellPadding.left, rect.top + m_imageCellPadding.top);
  if (item->GetPanel()->GetHotTrackStyle() != 4) {
    DrawItemHighlight(pDC, item, rect);
    at.Offset(GetHighlightOffset(item));
  }
  if (CTkImageIcon* image = item->GetImage(icon.cx)) DrawItemImage(pDC, item, at.x, at.y, image, icon.cx, icon.cy);
  return rect;
}

void CTkTaskPanelPainter::DrawItemCaption(CDC* pDC, CTkTaskPanelItem* item, CRect rect, UINT format) {
  if (item->GetType() != kTaskItemGroup) {
    TaskPanelGroupColors* colors = GetGroupColors(item->GetGroup());
    int style = item->GetPanel()->GetHotTrackStyle();
    COLORREF color = colors->link;
    if (!item->IsEnabled()) {
      if (m_bEmbossedDisabledText) {
        CRect light = rect;
        light.OffsetRect(1, 1);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(::GetSysColor(COLOR_3DHILIGHT));
        pDC->DrawText(item->GetCaption(), &light, format);
      }
      color = ::GetSysColor(COLOR_GRAYTEXT);
    } else if (item->GetType() == kTaskItemText) {
      color = colors->textItem;
    } else if (style == 1 && item->IsHot()) {
      color = colors->linkHot;
    } else if (style == 3 && (IsSelectedItem(item) || item->IsHot())) {
      color = colors->linkSelected;
    }
    pDC->SetTextColor(color);
  }
  pDC->SetBkMode(TRANSPARENT);
  pDC->DrawText(item->GetCaption(), &rect, format);
}

void CTkTaskPanelPainter::DrawItemImage(CDC* pDC, CTkTaskPanelItem* item, int x, int y, CTkImageIcon* image, int width,
                                        int height) {
  if (image == nullptr) return;
  CTkIconHandle* handle = &image->GetNormalImage();
  if (!item->IsEnabled()) handle = &image->GetDisabledImage();
  else if (item->IsHot() || item->IsPressed()) handle = &image->GetHotImage();
  else if (IsSelectedItem(item)) handle = &image->GetCheckedImage();
  image->Draw(pDC, x, y, *handle, width, height);
}

void CTkTaskPanelPainter::DrawItemHighlight(CDC* pDC, CTkTaskPanelItem* item, const CRect& rect) {
  BOOL selected = IsSelectedItem(item), hot = item->IsHot(), pressed = item->IsPressed();
  if (m_highlightStyle == 0) {
    if ((selected && !hot) || pressed) pDC->FillSolidRect(&rect, m_hotFill);
    if (selected || (pressed && hot)) DrawFrame(pDC, rect, m_highlightFrame.m_first, m_highlightFrame.m_second);
    else if (hot || pressed) DrawFrame(pDC, rect, m_highlightFrame.m_second, m_highlightFrame.m_first);
    return;
  }
  COLORREF fill;
  if ((selected && hot && !pressed) || (hot && pressed)) fill = m_pressedFill;
  else if (selected) fill = m_selectedFill;
  else if (hot || pressed) fill = m_hotFill;
  else return;
  pDC->FillSolidRect(&rect, fill);
  FrameRect(pDC, rect, m_highlightFrame.m_first);
}

CPoint CTkTaskPanelPainter::GetHighlightOffset(const CTkTaskPanelItem* item) {
  return IsSelectedItem(item) && m_highlightStyle == 0 ? CPoint(1, 1) : CPoint(0, 0);
}

void CTkTaskPanelPainter::DrawScrollButton(CDC* pDC, const TaskPanelScrollButton& button) {
  if (!button.IsVisible(m_bClassicScrollButtons)) return;
  CRect rect = button.rect;
  if (m_highlightStyle == 0 || m_bClassicScrollButtons) {
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_3DFACE));
    COLORREF light = ::GetSysColor(COLOR_3DHILIGHT), dark = ::GetSysColor(COLOR_3DSHADOW);
    if (button.pressed) DrawFrame(pDC, rect, dark, light);
    else DrawFrame(pDC, rect, light, dark);
  } else {
    COLORREF fill = button.pressed ? static_cast<COLORREF>(m_pressedFill)
                    : button.hot   ? static_cast<COLORREF>(m_hotFill)
                                   : static_cast<COLORREF>(GetGroupColors(button.scrollGroup)->clientBackground.m_second);
    pDC->FillSolidRect(&rect, fill);
    FrameRect(pDC, rect, m_highlightFrame.m_first);
  }
  CPoint c = rect.CenterPoint();
  POINT up[3] = {{c.x - 5, c.y + 1}, {c.x - 1, c.y - 3}, {c.x + 3, c.y + 1}};
  POINT down[3] = {{c.x - 5, c.y - 2}, {c.x - 1, c.y + 2}, {c.x + 3, c.y - 2}};
  POINT* arrow = button.direction == 1 ? up : down;
  if (button.enabled) {
    FillTriangle(pDC, arrow, RGB(0, 0, 0));
    return;
  }
  POINT shifted[3];
  for (int i = 0; i < 3; ++i) shifted[i] = {arrow[i].x + 1, arrow[i].y + 1};
  FillTriangle(pDC, shifted, ::GetSysColor(COLOR_3DHILIGHT));
  FillTriangle(pDC, arrow, ::GetSysColor(COLOR_3DSHADOW));
}

void CTkTaskPanelPainter::DrawDropMarker(CDC* pDC, CTkTaskPanelItem* item, CRect rect, BOOL after) {
  if (m_bInvertedDropMarker) {
    pDC->InvertRect(&rect);
    return;
  }
  int x0 = rect.left, x1 = rect.right;
  CTkTaskPanelGroup* group = item->GetGroup();
  if (item->GetType() != kTaskItemGroup && group != nullptr && group->GetLayout() != kLayoutImagesOnly) {
    CTkTaskPanel* panel = item->GetPanel();
    CRect client;
    panel->GetClientRect(&client);
    CRect margins = GetPanelMargins(panel);
    CRect outer = GetGroupOuterMargins(group);
    x0 = client.left + margins.left + outer.left + 2;
    x1 = client.right - margins.right - outer.right - 2;
  }
  int y = after ? rect.bottom : rect.top;
  pDC->FillSolidRect(x0, y - 1, x1 - x0, 1, RGB(0, 0, 0));
  static const int heights[3] = {7, 5, 3};
  for (int i = 0; i < 3; ++i) {
    pDC->FillSolidRect(x0 + i, y - 1 - heights[i] / 2, 1, heights[i], RGB(0, 0, 0));
    pDC->FillSolidRect(x1 - 1 - i, y - 1 - heights[i] / 2, 1, heights[i], RGB(0, 0, 0));
  }
}

void CTkTaskPanelPainter::DrawFocusRect(CDC* pDC, const CRect& rect) {
  pDC->SetTextColor(RGB(0, 0, 0));
  pDC->SetBkColor(RGB(255, 255, 255));
  pDC->DrawFocusRect(&rect);
}
