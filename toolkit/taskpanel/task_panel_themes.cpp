#include "task_panel_themes.h"

#include <algorithm>

#include "draw_helpers.h"
#include "global_settings.h"
#include "task_panel.h"

namespace {

COLORREF C(int index) { return ToolkitColor(index); }

COLORREF Blend(int a, int b, int weight) { return CTkColorScheme::BlendColors(C(a), C(b), weight); }

// 1 blue, 2 olive, 3 silver, 0 none.
int ActiveScheme() {
  XPSchemeId scheme = GetCurrentXPScheme();
  return scheme >= xpBlue && scheme <= xpSilver ? static_cast<int>(scheme) : 0;
}

int SpaceHeight(CFont& font) {
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ old = ::SelectObject(screen, font.GetSafeHandle());
  SIZE size = {0, 0};
  ::GetTextExtentPoint32W(screen, L" ", 1, &size);
  ::SelectObject(screen, old);
  ::ReleaseDC(nullptr, screen);
  return size.cy;
}

void SetLinks(TaskPanelGroupColors& colors, COLORREF link, COLORREF hot) {
  colors.link.SetStandardValue(link);
  colors.linkHot.SetStandardValue(hot);
}

void DrawClientContent(CTkTaskPanelPainter* painter, CDC* pDC, CTkTaskPanelGroup* group, const CRect& rect) {
  group->DrawClientImage(pDC, rect);
  if (group->IsExpanded() || group->IsExpanding()) painter->DrawGroupItems(pDC, group, rect);
}

}  // namespace

CTkTaskPanelPainter* CreateTaskPanelPainter(int theme) {
  switch (theme) {
    case 0: return new CTkTaskPanelPainter;
    case 1: return new TaskPanelThemeGradient;
    case 3: return new TaskPanelThemePlain;
    case 4: return new TaskPanelThemePlainFlat;
    case 5: return new TaskPanelThemePlainScheme;
    case 6: return new TaskPanelThemePlainGlyph;
    case 7: return new TaskPanelThemeClassic;
    case 8: return new TaskPanelThemeTree;
    case 9: return new TaskPanelThemeDark;
    case 10: return new TaskPanelThemeDarkFlat;
    case 11: return new TaskPanelThemeBar;
    case 12: return new TaskPanelThemeBarCentred;
    default: return new TaskPanelThemeDefault;
  }
}

// Theme 1.

TaskPanelThemeGradient::TaskPanelThemeGradient() {
  m_panelMargins = CRect(8, 8, 0, 8);
  m_highlightStyle = 2;
}

void TaskPanelThemeGradient::RefreshMetrics() {
  CTkTaskPanelPainter::RefreshMetrics();
  m_expandButtonStyle = 0;
  if (m_bCaptionFontFromSystem) {
    LOGFONTW font = {};
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0);
    font.lfWeight = FW_BOLD;
    font.lfUnderline = FALSE;
    font.lfHeight = 18;
    if (FontFaceExists(L"Tahoma")) wcscpy_s(font.lfFaceName, L"Tahoma");
    m_captionFont.DeleteObject();
    m_captionFont.CreateFontIndirect(&font);
    m_captionHeight = std::max(20, SpaceHeight(m_captionFont));
  }
  struct Colors {
    COLORREF panel1, panel2, caption1, caption2, text, client, link;
  };
  const Colors schemes[] = {
      {0xFEECDD, 0xC97A4A, 0xF9DBC4, 0xE08F65, 0x862D00, 0xFEECDD, 0xB23D00},
      {0xE7F2F3, 0x98C6BE, 0xAEDFD2, 0x80B0A1, 0x466B5A, 0xE7F2F3, 0xB23D00},
      {0xF4EEEE, 0xC3B0B1, 0xDECFCF, 0xBFA8A9, 0x795B5C, 0xF4EEEE, 0xB23D00},
  };
  int scheme = ActiveScheme();
  Colors c = scheme != 0 ? schemes[scheme - 1]
                         : Colors{Blend(COLOR_3DFACE, COLOR_WINDOW, 50), C(COLOR_3DFACE), Blend(COLOR_3DFACE, COLOR_WINDOW, 39),
                                  Blend(COLOR_3DFACE, COLOR_WINDOW, 70), C(COLOR_BTNTEXT),
                                  Blend(COLOR_3DFACE, COLOR_WINDOW, 49), 0xFF0000};
  m_panelBackground.SetColors(c.panel1, c.panel2);
  m_normalColors.captionBackground.SetColors(c.caption1, c.caption2);
  m_normalColors.captionText.SetStandardValue(c.text);
  m_normalColors.captionHotText.SetStandardValue(c.text);
  m_normalColors.clientBackground.SetColor(c.client);
  SetLinks(m_normalColors, c.link, c.link);
  m_normalColors.clientBorder.SetStandardValue(C(COLOR_WINDOW));
  m_specialColors = m_normalColors;
  m_bRoundedCaptionLeft = TRUE;
  m_bRoundedCaptionRight = FALSE;
  m_bClosedClientBorder = TRUE;
}

// Theme 2, the default.

void TaskPanelThemeDefault::RefreshMetrics() {
  CTkTaskPanelPainter::RefreshMetrics();
  int scheme = ActiveScheme();
  if (scheme == 0 && !m_bTintedWithoutScheme) return;
  m_expandButtonStyle = 1;
  m_bRoundedCaptionLeft = m_bRoundedCaptionRight = TRUE;
  m_normalColors.clientBorder.SetStandardValue(C(COLOR_WINDOW));
  m_specialColors.clientBorder.SetStandardValue(C(COLOR_WINDOW));
  TaskPanelGroupColors& special = m_specialColors;
  TaskPanelGroupColors& normal = m_normalColors;
  if (scheme == 0) {
    COLORREF specialClient = MixTaskPanelColors(C(COLOR_3DFACE), C(COLOR_WINDOW), 24);
    m_panelBackground.SetColors(MixTaskPanelColors(C(COLOR_INACTIVECAPTION), C(COLOR_WINDOW), 128),
                                MixTaskPanelColors(C(COLOR_ACTIVECAPTION), C(COLOR_WINDOW), 192));
    special.captionBackground.SetColors(C(COLOR_ACTIVECAPTION), MixTaskPanelColors(C(COLOR_ACTIVECAPTION), C(COLOR_WINDOW), 92));
    special.captionText.SetStandardValue(C(COLOR_CAPTIONTEXT));
    special.captionHotText.SetStandardValue(MixTaskPanelColors(C(COLOR_3DHILIGHT), C(COLOR_HIGHLIGHT), 128));
    special.clientBackground.SetColor(specialClient);
    normal.captionBackground.SetColors(C(COLOR_WINDOW), MixTaskPanelColors(C(COLOR_INACTIVECAPTION), C(COLOR_WINDOW), 92));
    normal.captionGradientStart = 0;
    normal.captionText.SetStandardValue(MixTaskPanelColors(C(COLOR_HIGHLIGHT), C(COLOR_BTNTEXT), 192));
    normal.captionHotText.SetStandardValue(MixTaskPanelColors(C(COLOR_HIGHLIGHT), C(COLOR_BTNTEXT), 240));
    SetLinks(normal, C(COLOR_BTNTEXT), C(COLOR_HIGHLIGHT));
    SetLinks(special, C(COLOR_BTNTEXT), C(COLOR_HIGHLIGHT));
    normal.clientBackground.SetColor(MixTaskPanelColors(specialClient, C(COLOR_ACTIVECAPTION), 230));
  } else {
    struct Colors {
      COLORREF panel1, panel2, special1, special2, specialHot, specialClient, normal1, normal2;
      double gradientStart;
      COLORREF text, hot, normalClient;
    };
    const Colors schemes[] = {
        {0xE7A27B, 0xD67563, 0xB54900, 0xCE5D29, 0xFF8E42, 0xFFF3EF, 0xFFFFFF, 0xF7D3C6, 0.5, 0xC65D21, 0xFF8E42, 0xF7DFD6},
        {0xADD9CC, 0x84BDA5, 0x408C77, 0x67A896, 0xB8E7E0, 0xECF6F6, 0xECFCFF, 0xB8E7E0, 0, 0x2D6656, 0x1D9272, 0xECF6F6},
        {0xD4C8C4, 0xC8B3B1, 0x927777, 0xC7B6B4, 0xE6E6E6, 0xF5F1F0, 0xFFFFFF, 0xE0D7D6, 0, 0x3D3D3F, 0x7C7C7E, 0xF5F1F0},
    };
    const Colors& c = schemes[scheme - 1];
    m_panelBackground.SetColors(c.panel1, c.panel2);
    special.captionBackground.SetColors(c.special1, c.special2);
    special.captionText.SetStandardValue(0xFFFFFF);
    special.captionHotText.SetStandardValue(c.specialHot);
    special.clientBackground.SetColor(c.specialClient);
    normal.captionBackground.SetColors(c.normal1, c.normal2);
    normal.captionGradientStart = c.gradientStart;
    normal.captionText.SetStandardValue(c.text);
    normal.captionHotText.SetStandardValue(c.hot);
    SetLinks(normal, c.text, c.hot);
    SetLinks(special, c.text, c.hot);
    normal.clientBackground.SetColor(c.normalClient);
  }
  LoadShellStylePictures();
}

// Theme 3 and its family.

TaskPanelThemePlain::TaskPanelThemePlain() {
  m_captionTextFormat = DT_NOPREFIX | DT_WORDBREAK;
  m_groupIconPadding = CRect(0, 0, 3, 0);
}

void TaskPanelThemePlain::RefreshMetrics() {
  CTkTaskPanelPainter::RefreshMetrics();
  m_expandButtonStyle = 3;
  m_panelBackground.SetColor(C(COLOR_BACKGROUND));
  m_normalColors.clientBackground.SetColor(C(COLOR_WINDOW));
  m_normalColors.clientBorder.SetStandardValue(C(COLOR_BTNTEXT));
  SetLinks(m_normalColors, C(COLOR_BTNTEXT), C(COLOR_HIGHLIGHT));
  m_specialColors = m_normalColors;
}

void TaskPanelThemePlain::FillPanelBackground(CDC* pDC, CTkTaskPanel* panel) {
  CTkTaskPanelPainter::FillPanelBackground(pDC, panel);
  CTkTaskPanelGroup* first = static_cast<CTkTaskPanelGroup*>(panel->GetGroups()->GetFirstVisible());
  CTkTaskPanelGroup* last = static_cast<CTkTaskPanelGroup*>(panel->GetGroups()->GetLastVisible());
  if (!m_bRoundedFrame || first == nullptr) return;
  CRect frame(first->GetCurrentRect().left, first->GetCurrentRect().top, last->GetCurrentRect().right,
              last->GetCurrentRect().bottom);
  frame.InflateRect(1, 3, 1, 8);
  CTkPenSelector pen(pDC->GetSafeHdc(), m_normalColors.clientBorder);
  CTkBrushSelector brush(pDC->GetSafeHdc(), m_normalColors.clientBackground.m_second);
  pDC->RoundRect(&frame, CPoint(10, 10));
}

void TaskPanelThemePlain::DrawGroupClientFace(CDC* pDC, CTkTaskPanelGroup* group, CRect rect) {
  pDC->FillSolidRect(&rect, GetGroupColors(group)->clientBackground.m_second);
  DrawClientContent(this, pDC, group, rect);
}

int TaskPanelThemePlain::DrawGroupCaption(CDC* pDC, CTkTaskPanelGroup* group, BOOL draw) {
  TaskPanelGroupColors* colors = GetGroupColors(group);
  if (!draw) {
    if (!group->IsCaptionVisible()) return 0;
    CTkTaskPanel* panel = group->GetPanel();
    CRect client;
    ::GetClientRect(panel->GetSafeHwnd(), &client);
    CRect margins = GetPanelMargins(panel), outer = GetGroupOuterMargins(group);
    CRect text(client.left + margins.left + outer.left, 0, client.right - margins.right - outer.right, 0);
    text.right -= GetCaptionButtonWidth(group, text);
    if (!m_bNoCaptionMargins) text.DeflateRect(13, 0);
    CSize icon = panel->m_captionIconSize;
    if (group->GetImage(icon.cx) != nullptr) {
      CRect padding = GetIconPadding(group);
      text.left += icon.cx + padding.left + padding.right;
    }
    if (text.Width() <= 0) text.right = text.left + 1;
    CTkFontSelector font(pDC, &m_captionFont);
    CString caption = group->GetCaption().IsEmpty() ? CString(L" ") : group->GetCaption();
    pDC->DrawText(caption, &text, m_captionTextFormat | DT_CALCRECT);
    return text.Height() + 5;
  }
  CRect rect = group->GetCaptionRect();
  if (rect.IsRectEmpty() || !group->IsCaptionVisible()) return rect.Height();
  CTkFontSelector font(pDC, &m_captionFont);
  CRect text = DrawCaptionButton(pDC, group, rect);
  if (!m_bNoCaptionMargins) text.DeflateRect(13, 5, 13, 0);
  DrawCaptionIcon(pDC, group, text);
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(group->IsEnabled() ? static_cast<COLORREF>(m_normalColors.textItem) : ::GetSysColor(COLOR_GRAYTEXT));
  DrawItemCaption(pDC, group, text, m_captionTextFormat);
  if (m_bNoCaptionMargins) pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, colors->captionBackground.m_first);
  if (group->IsFocused() && group->GetPanel()->IsFocusRectShown()) {
    CRect measured = text;
    pDC->DrawText(group->GetCaption(), &measured, m_captionTextFormat | DT_CALCRECT);
    DrawFocusRect(pDC, measured);
  }
  return rect.Height();
}

TaskPanelThemePlainFlat::TaskPanelThemePlainFlat() {
  m_bNoCaptionMargins = TRUE;
  m_bRoundedFrame = FALSE;
  m_highlightStyle = 1;
}

void TaskPanelThemePlainFlat::RefreshMetrics() {
  TaskPanelThemePlain::RefreshMetrics();
  m_expandButtonStyle = 0;
  m_panelBackground.SetColor(C(41));
  m_normalColors.clientBackground.SetColor(C(41));
  m_normalColors.captionBackground.SetColor(C(COLOR_3DSHADOW));
  SetLinks(m_normalColors, 0xFF0000, 0xFF0000);
  m_specialColors = m_normalColors;
}

void TaskPanelThemePlainScheme::RefreshMetrics() {
  TaskPanelThemePlainFlat::RefreshMetrics();
  m_expandButtonStyle = 0;
  static const COLORREF captions[] = {0xE0A47B, 0xB1BBBC, 0xBBA0A1};
  static const COLORREF backgrounds[] = {0xFEECDD, 0xE7F2F3, 0xF4EEEE};
  int scheme = ActiveScheme();
  COLORREF caption = scheme != 0 ? captions[scheme - 1] : C(COLOR_3DSHADOW);
  COLORREF background = scheme != 0 ? backgrounds[scheme - 1] : Blend(COLOR_3DFACE, COLOR_WINDOW, 50);
  m_panelBackground.SetColor(background);
  m_normalColors.clientBackground.SetColor(background);
  m_normalColors.captionBackground.SetColor(caption);
  SetLinks(m_normalColors, 0xFF0000, 0xFF0000);
  m_specialColors = m_normalColors;
}

void TaskPanelThemePlainGlyph::RefreshMetrics() {
  TaskPanelThemePlain::RefreshMetrics();
  m_bSchemeLook = FALSE;
  int scheme = ActiveScheme();
  if (scheme == 0 && !m_bTintedWithoutScheme) return;
  m_bSchemeLook = TRUE;
  m_expandButtonStyle = 1;
  m_normalColors.clientBorder.SetStandardValue(C(COLOR_WINDOW));
  m_specialColors.clientBorder.SetStandardValue(C(COLOR_WINDOW));
  struct Colors {
    COLORREF panel1, panel2, client, link, hot;
  };
  const Colors schemes[] = {{0xE7A27B, 0xD67563, 0xF7DFD6, 0xC65D21, 0xFF8E42},
                            {0xADD9CC, 0x84BDA5, 0xECF6F6, 0x2D6656, 0x1D9272},
                            {0xD4C8C4, 0xC8B3B1, 0xF5F1F0, 0x3D3D3F, 0x7C7C7E}};
  Colors c = scheme != 0 ? schemes[scheme - 1]
                         : Colors{MixTaskPanelColors(C(COLOR_INACTIVECAPTION), C(COLOR_WINDOW), 128),
                                  MixTaskPanelColors(C(COLOR_ACTIVECAPTION), C(COLOR_WINDOW), 192),
                                  MixTaskPanelColors(MixTaskPanelColors(C(COLOR_3DFACE), C(COLOR_WINDOW), 24),
                                                     C(COLOR_ACTIVECAPTION), 230),
                                  C(COLOR_BTNTEXT), C(COLOR_HIGHLIGHT)};
  m_panelBackground.SetColors(c.panel1, c.panel2);
  m_normalColors.clientBackground.SetColor(c.client);
  SetLinks(m_normalColors, c.link, c.hot);
  m_specialColors = m_normalColors;
  LoadShellStylePictures();
}

CRect TaskPanelThemePlainGlyph::DrawCaptionButton(CDC* pDC, CTkTaskPanelGroup* group, CRect rect) {
  if (!m_bSchemeLook) return TaskPanelThemePlain::DrawCaptionButton(pDC, group, rect);
  if (!group->CanExpand() || rect.Width() <= 25) return rect;
  DrawGlyphButton(pDC, group, group->IsExpanded(), group->IsHot(), rect);
  rect.right -= 23;
  return rect;
}
