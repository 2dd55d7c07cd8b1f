// Themes 7 to 12: captions drawn as bars over their own background.
#include <algorithm>

#include "draw_helpers.h"
#include "icon_image.h"
#include "task_panel.h"
#include "task_panel_themes.h"

namespace {

COLORREF C(int index) { return ToolkitColor(index); }

int SpaceHeight(CFont& font) {
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(screen, font.GetSafeHandle());
  SIZE size = {0, 0};
  ::GetTextExtentPoint32W(screen, L" ", 1, &size);
  ::SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  return size.cy;
}

int ActiveScheme() {
  XPSchemeId scheme = GetCurrentXPScheme();
  return scheme >= xpBlue && scheme <= xpSilver ? static_cast<int>(scheme) : 0;
}

void SetTexts(TaskPanelGroupColors& colors, COLORREF text, COLORREF link, COLORREF hot) {
  colors.textItem.SetStandardValue(text);
  colors.link.SetStandardValue(link);
  colors.linkHot.SetStandardValue(hot);
}

void DrawClientContent(CTkTaskPanelPainter* painter, CDC* pDC, CTkTaskPanelGroup* group, const CRect& rect) {
  group->DrawClientImage(pDC, rect);
  if (group->IsExpanded() || group->IsExpanding()) painter->DrawGroupItems(pDC, group, rect);
}

}  // namespace

// Theme 7.

TaskPanelThemeClassic::TaskPanelThemeClassic() {
  m_groupInnerMargins = CRect(0, 4, 0, 2);
  m_bBoldCaptions = FALSE;
  m_bRoundedFrame = FALSE;
  m_highlightStyle = 0;
  m_panelMargins = CRect(2, 2, 2, 2);
  m_bInvertedDropMarker = TRUE;
  m_bClassicScrollButtons = TRUE;
  m_groupSpacing = 1;
  m_groupIconPadding = CRect(2, 2, 0, 2);
  m_captionTextFormat = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;
}

void TaskPanelThemeClassic::RefreshMetrics() {
  TaskPanelThemePlain::RefreshMetrics();
  COLORREF face = C(COLOR_3DFACE);
  m_panelBackground.SetColor(face);
  m_normalColors.captionBackground.SetColor(face);
  m_normalColors.clientBackground.SetColor(face);
  m_normalColors.clientBorder.SetStandardValue(face);
  m_normalColors.captionText.SetStandardValue(C(COLOR_BTNTEXT));
  m_normalColors.captionHotText.SetStandardValue(C(COLOR_BTNTEXT));
  SetTexts(m_normalColors, m_normalColors.textItem, C(COLOR_BTNTEXT), C(COLOR_HIGHLIGHT));
  m_specialColors = m_normalColors;
  int space = SpaceHeight(m_captionFont);
  m_captionHeight = space >= 13 ? space + 5 : 18;
  if (m_highlightStyle == 0) {
    m_highlightFrame.SetColors(C(COLOR_3DSHADOW), C(COLOR_3DHILIGHT));
    COLORREF light = C(COLOR_3DHILIGHT);
    int r = GetRValue(face), g = GetGValue(face), b = GetBValue(face);
    int m = r >= g && r >= b ? r : std::min(r, std::min(g, b));
    auto clamp = [](int v) { return std::max(0, std::min(255, v)); };
    m_hotFill.SetStandardValue(RGB(clamp((r + GetRValue(light)) / 2), clamp((GetGValue(light) + 2 * g - m) / 2),
                                   clamp((GetBValue(light) + 2 * b - m) / 2)));
  }
}

CRect TaskPanelThemeClassic::DrawCaptionBackground(CDC* pDC, CTkTaskPanelGroup* group, CRect rect) {
  COLORREF fill = GetGroupColors(group)->captionBackground.m_second;
  pDC->FillSolidRect(&rect, fill);
  if (group->IsPressed() && group->IsHot()) {
    CRect inner = rect;
    pDC->Draw3dRect(&inner, C(COLOR_3DDKSHADOW), C(COLOR_3DHILIGHT));
    inner.DeflateRect(1, 1);
    pDC->Draw3dRect(&inner, C(COLOR_3DSHADOW), fill);
    rect.OffsetRect(1, 1);
  } else {
    pDC->Draw3dRect(&rect, C(COLOR_3DHILIGHT), C(COLOR_3DSHADOW));
  }
  return rect;
}

int TaskPanelThemeClassic::DrawGroupCaption(CDC* pDC, CTkTaskPanelGroup* group, BOOL draw) {
  if (!draw) {
    if (!group->IsCaptionVisible()) return 0;
    int height = m_captionHeight;
    CSize icon = group->GetPanel() != nullptr ? group->GetPanel()->m_captionIconSize : CSize(32, 32);
    CTkImageIcon* image = group->GetImage(icon.cx);
    if (image != nullptr && image->GetWidth() > 0) {
      CRect padding = GetIconPadding(group);
      height = std::max(height, static_cast<int>(icon.cx * image->GetHeight() / image->GetWidth() + padding.top +
                                                 padding.bottom));
    }
    return height;
  }
  CRect rect = group->GetCaptionRect();
  if (rect.IsRectEmpty() || !group->IsCaptionVisible()) return rect.Height();
  TaskPanelGroupColors* colors = GetGroupColors(group);
  CRect text = DrawCaptionBackground(pDC, group, rect);
  CTkFontSelector font(pDC, &m_captionFont);
  DrawCaptionIcon(pDC, group, text);
  text.DeflateRect(3, 0);
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(group->IsEnabled() ? static_cast<COLORREF>(colors->captionText) : ::GetSysColor(COLOR_GRAYTEXT));
  DrawItemCaption(pDC, group, text, m_captionTextFormat);
  if (group->IsDragged()) pDC->InvertRect(&rect);
  CTkTaskPanelItem* target = group->GetPanel()->GetDropTarget();
  if (group->IsDropTarget() &&
      (m_bInvertedDropMarker || !group->IsExpanded() || group->GetItems()->GetFirstVisible() == nullptr))
    DrawDropMarker(pDC, group, rect, TRUE);
  if (m_bInvertedDropMarker && target != nullptr && target != group && target->GetGroup() == group)
    pDC->InvertRect(&rect);
  if (group->IsFocused() && group->GetPanel()->IsFocusRectShown()) {
    CRect focus = text;
    focus.InflateRect(1, -2);
    DrawFocusRect(pDC, focus);
  }
  return rect.Height();
}

// Theme 8.

TaskPanelThemeTree::TaskPanelThemeTree() {
  m_highlightStyle = 1;
  m_bBoldCaptions = TRUE;
  m_bInvertedDropMarker = FALSE;
  m_bClassicScrollButtons = FALSE;
}

void TaskPanelThemeTree::RefreshMetrics() {
  TaskPanelThemeClassic::RefreshMetrics();
  CTkGradientColor& caption = m_normalColors.captionBackground;
  switch (ActiveScheme()) {
    case 1:
      caption.SetColors(0xCBDCDE, 0xB0C1C4);
      m_panelBackground.SetColors(0xE6F1F3, 0xD0E1E4);
      break;
    case 2:
      caption.SetColors(0xD1E4DF, 0xCEE3DE);
      m_panelBackground.SetColors(0xE6F1F3, 0xD0E1E4);
      m_hotFill.SetStandardValue(0x8DC6B6);
      m_pressedFill.SetStandardValue(0x70A093);
      m_selectedFill.SetStandardValue(0x9ECFC2);
      break;
    case 3:
      caption.SetColors(0xEDE8E9, 0xE3E0DF);
      m_panelBackground.SetColors(0xEEE9EA, 0xDAD5D7);
      m_hotFill.SetStandardValue(0xC2EEFF);
      m_pressedFill.SetStandardValue(0x3280FE);
      m_selectedFill.SetStandardValue(0x6FC0FF);
      m_highlightFrame.SetColor(0x6F4B4B);
      break;
    default:
      caption.SetColors(C(COLOR_3DSHADOW), C(COLOR_3DFACE));
      m_panelBackground.SetColor(C(COLOR_3DFACE));
      break;
  }
  m_normalColors.clientBackground.CopyFrom(m_panelBackground);
  m_specialColors = m_normalColors;
}

void TaskPanelThemeTree::FillPanelBackground(CDC* pDC, CTkTaskPanel* panel) {
  CRect client;
  panel->GetClientRect(&client);
  client.bottom = std::max(static_cast<int>(client.bottom), panel->GetContentHeight());
  GetGradientPainter().FillGradientColor(pDC, &client, m_panelBackground, TRUE);
}

void TaskPanelThemeTree::DrawGroupClientFace(CDC* pDC, CTkTaskPanelGroup* group, CRect rect) {
  GetGradientPainter().FillGradientColor(pDC, &rect, GetGroupColors(group)->clientBackground, TRUE);
  DrawClientContent(this, pDC, group, rect);
}

CRect TaskPanelThemeTree::DrawCaptionBackground(CDC* pDC, CTkTaskPanelGroup* group, CRect rect) {
  CTkGradientColor& caption = GetGroupColors(group)->captionBackground;
  if (group->IsFocused()) {
    COLORREF fill = group->IsHot() ? static_cast<COLORREF>(m_pressedFill)
                    : group->IsPressed() ? static_cast<COLORREF>(m_hotFill)
                                         : static_cast<COLORREF>(m_selectedFill);
    pDC->FillSolidRect(&rect, fill);
    pDC->Draw3dRect(&rect, m_highlightFrame.m_first, m_highlightFrame.m_first);
  } else {
    CRect band(rect.left, rect.top, rect.right, rect.bottom - 2);
    GetGradientPainter().FillGradientColor(pDC, &band, caption, FALSE);
    pDC->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 2, caption.m_second);
    pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, caption.m_first);
  }
  int cy = rect.CenterPoint().y;
  CRect box(rect.left + 6, cy - 6, rect.left + 15, cy + 3);
  pDC->FillSolidRect(&box, caption.m_first);
  CRect inside = box;
  inside.DeflateRect(1, 1);
  pDC->FillSolidRect(&inside, C(COLOR_3DFACE));
  COLORREF shadow = C(COLOR_3DSHADOW);
  pDC->FillSolidRect(box.left + 1, box.top, box.Width() - 2, 1, shadow);
  pDC->FillSolidRect(box.left + 1, box.bottom - 1, box.Width() - 2, 1, shadow);
  pDC->FillSolidRect(box.left, box.top + 1, 1, box.Height() - 2, shadow);
  pDC->FillSolidRect(box.right - 1, box.top + 1, 1, box.Height() - 2, shadow);
  pDC->FillSolidRect(box.left + 1, box.top + 1, box.Width() - 2, 3, RGB(255, 255, 255));
  pDC->FillSolidRect(box.left + 1, box.top + 4, box.Width() - 4, 2, RGB(255, 255, 255));
  pDC->FillSolidRect(box.left + 2, box.top + 4, box.Width() - 4, 1, RGB(0, 0, 0));
  if (!group->IsExpanded()) pDC->FillSolidRect(box.left + 4, box.top + 2, 1, box.Height() - 4, RGB(0, 0, 0));
  return CRect(rect.left + 19, rect.top, rect.right, rect.bottom - 2);
}

// Themes 9 and 10.

TaskPanelThemeDark::TaskPanelThemeDark() {
  m_groupInnerMargins = CRect(8, 6, 8, 6);
  m_panelMargins = CRect(0, 0, 0, 0);
  m_bEmbossedDisabledText = TRUE;
  m_groupSpacing = 0;
  m_highlightStyle = 0;
  m_bInvertedDropMarker = FALSE;
  m_bClassicScrollButtons = FALSE;
}

void TaskPanelThemeDark::RefreshMetrics() {
  TaskPanelThemeClassic::RefreshMetrics();
  m_panelBackground.SetColor(C(COLOR_3DSHADOW));
  m_normalColors.clientBackground.SetColor(C(COLOR_3DSHADOW));
  SetTexts(m_normalColors, C(COLOR_WINDOW), C(COLOR_WINDOW), C(COLOR_WINDOW));
  m_normalColors.linkSelected.SetStandardValue(C(COLOR_WINDOW));
  m_captionHeight = std::max(m_captionHeight, 20);
  if (m_highlightStyle == 0) {
    m_hotFill.SetStandardValue(C(COLOR_3DSHADOW));
    m_highlightFrame.SetColors(C(COLOR_BTNTEXT), C(COLOR_3DFACE));
  }
  m_specialColors = m_normalColors;
}

TaskPanelThemeDarkFlat::TaskPanelThemeDarkFlat() {
  m_highlightStyle = 1;
  m_bEmbossedDisabledText = FALSE;
}

void TaskPanelThemeDarkFlat::RefreshMetrics() {
  TaskPanelThemeDark::RefreshMetrics();
  m_panelBackground.SetColor(C(30));
  m_normalColors.clientBackground.SetColor(C(30));
  SetTexts(m_normalColors, C(COLOR_BTNTEXT), C(COLOR_BTNTEXT), C(COLOR_BTNTEXT));
  m_normalColors.linkSelected.SetStandardValue(C(45));
  m_captionHeight = std::max(m_captionHeight, 20);
  m_specialColors = m_normalColors;
}

// Themes 11 and 12.

void TaskPanelThemeBar::RefreshMetrics() {
  TaskPanelThemeDarkFlat::RefreshMetrics();
  m_pressedCaption.SetColor(C(33));
  m_hotCaption.SetColor(C(31));
  int scheme = ActiveScheme();
  if (!GetColorScheme()->IsXPSchemeDisabled() && scheme != 0) {
    static const COLORREF colors[] = {0xFCE7D8, 0xBFE7E2, 0xEADFDF};
    m_normalColors.captionBackground.SetColor(colors[scheme - 1]);
    m_normalColors.clientBackground.SetColor(colors[scheme - 1]);
    m_pressedCaption.SetColors(0x087FE8, 0x7CDAF7);
    m_hotCaption.SetColors(0xDCFFFF, 0x5BC0F7);
  }
  m_specialColors = m_normalColors;
}

CRect TaskPanelThemeBar::DrawCaptionBackground(CDC* pDC, CTkTaskPanelGroup* group, CRect rect) {
  if (group->IsPressed() || group->IsHot()) {
    GetGradientPainter().FillGradientColor(pDC, &rect, group->IsPressed() ? m_pressedCaption : m_hotCaption, FALSE);
  } else {
    const CTkGradientColor& bar = GetColorScheme()->GetGradient(1);
    GetGradientPainter().FillGradient(pDC, &rect, bar.m_first, bar.m_second, FALSE);
  }
  pDC->Draw3dRect(&rect, C(COLOR_3DHILIGHT), C(54));
  return rect;
}

void TaskPanelThemeBarCentred::RefreshMetrics() {
  TaskPanelThemeBar::RefreshMetrics();
  int space = SpaceHeight(m_captionFont);
  m_captionHeight = space >= 19 ? space + 3 : 22;
  m_normalColors.clientBackground.SetColor(C(COLOR_WINDOW));
  SetTexts(m_normalColors, m_normalColors.textItem, C(COLOR_WINDOW), C(COLOR_WINDOW));
  m_specialColors = m_normalColors;
}

void TaskPanelThemeBarCentred::FillPanelBackground(CDC* pDC, CTkTaskPanel* panel) {
  CRect client;
  panel->GetClientRect(&client);
  client.bottom = std::max(static_cast<int>(client.bottom), panel->GetContentHeight());
  GetGradientPainter().FillGradientColor(pDC, &client, GetColorScheme()->GetGradient(0), FALSE);
}

void TaskPanelThemeBarCentred::DrawGroupClientFace(CDC* pDC, CTkTaskPanelGroup* group, CRect rect) {
  GetGradientPainter().FillGradientColor(pDC, &rect, GetColorScheme()->GetGradient(0), FALSE);
  DrawClientContent(this, pDC, group, rect);
  pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, C(54));
}

CRect TaskPanelThemeBarCentred::DrawCaptionBackground(CDC* pDC, CTkTaskPanelGroup* group, CRect rect) {
  if (group->IsPressed() || group->IsHot()) return TaskPanelThemeBar::DrawCaptionBackground(pDC, group, rect);
  GetGradientPainter().FillGradientColor(pDC, &rect, GetColorScheme()->GetGradient(3), FALSE);
  CTkTaskPanel* panel = group->GetPanel();
  if (panel != nullptr && panel->GetGroups()->GetFirstVisible() != group)
    pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, C(54));
  return rect;
}
