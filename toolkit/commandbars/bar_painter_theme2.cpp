#include "bar_painter_theme2.h"

#include <vssym32.h>

#include <algorithm>
#include <cmath>

#include "command_bar.h"
#include "dock_bar.h"
#include "draw_helpers.h"
#include "popup_bar.h"
#include "tool_bar.h"

IMPLEMENT_DYNCREATE(CTkBarPainterTheme2, CTkBarPainterTheme1)
IMPLEMENT_DYNCREATE(CTkBarPainterTheme4, CTkBarPainterTheme2)

namespace {

COLORREF Blend(const CTkBarPainter* painter, int a, int b, int weight) {
  return CTkColorScheme::BlendColors(painter->GetColor(a), painter->GetColor(b), weight);
}

struct Gradient {
  COLORREF first, second;
  float factor;
};

// The fixed colours of theme 2 under the XP blue, olive and silver schemes.
struct SchemePalette {
  Gradient dock, bar, expandedStrip, openControl, expand, roundButton, face;
  COLORREF barShadow, caption, statusBorder, tearOff, shadow;
  COLORREF c53, c51, c52, c12, c56, c38, c39, c40, c41, c43, c32, c30;
};

const SchemePalette kPalettes[] = {
    // Blue.
    {{RGB(158, 190, 245), RGB(196, 218, 250), 0.5f}, {RGB(221, 236, 254), RGB(129, 169, 226), 0.75f},
     {RGB(203, 221, 246), RGB(121, 161, 220), 0.5f}, {RGB(227, 239, 255), RGB(147, 181, 231), 0.5f},
     {RGB(117, 166, 241), RGB(0, 53, 145), 0.75f},   {RGB(227, 239, 254), RGB(129, 169, 226), 0.5f},
     {RGB(233, 236, 242), RGB(97, 122, 172), 0.5f},  RGB(59, 97, 156), RGB(42, 102, 201), RGB(211, 211, 211),
     RGB(169, 199, 240), RGB(22, 30, 54), RGB(203, 225, 252), RGB(216, 231, 252), RGB(158, 190, 245),
     RGB(144, 153, 174), RGB(189, 211, 247), RGB(39, 65, 118), RGB(106, 140, 203), RGB(109, 150, 208),
     RGB(246, 246, 246), RGB(0, 45, 150), RGB(0, 0, 128), RGB(196, 219, 249)},
    // Olive.
    {{RGB(217, 217, 167), RGB(242, 241, 228), 0.5f}, {RGB(244, 247, 222), RGB(183, 198, 145), 0.3f},
     {RGB(230, 230, 209), RGB(164, 180, 120), 0.3f}, {RGB(236, 240, 213), RGB(194, 206, 159), 0.5f},
     {RGB(176, 194, 140), RGB(96, 119, 107), 0.3f},  {RGB(236, 240, 213), RGB(184, 198, 147), 0.5f},
     {RGB(243, 244, 240), RGB(131, 144, 113), 0.5f}, RGB(96, 128, 88), RGB(116, 134, 94), RGB(211, 211, 211),
     RGB(197, 212, 159), RGB(31, 34, 25), RGB(216, 227, 182), RGB(226, 231, 191), RGB(171, 192, 138),
     RGB(151, 160, 123), RGB(222, 227, 189), RGB(81, 94, 51), RGB(96, 128, 88), RGB(159, 174, 122),
     RGB(244, 244, 238), RGB(117, 141, 94), RGB(63, 93, 56), RGB(209, 222, 173)},
    // Silver.
    {{RGB(215, 215, 229), RGB(243, 243, 247), 0.5f}, {RGB(249, 249, 255), RGB(156, 155, 183), 0.75f},
     {RGB(215, 215, 226), RGB(133, 131, 162), 0.5f}, {RGB(233, 231, 241), RGB(186, 185, 205), 0.5f},
     {RGB(179, 178, 200), RGB(118, 116, 146), 0.75f}, {RGB(232, 232, 241), RGB(176, 174, 197), 0.5f},
     {RGB(247, 245, 249), RGB(122, 121, 153), 0.5f}, RGB(124, 124, 148), RGB(122, 121, 153), RGB(236, 234, 218),
     RGB(192, 192, 211), RGB(36, 32, 41), RGB(214, 211, 231), RGB(223, 223, 234), RGB(177, 176, 195),
     RGB(155, 154, 179), RGB(214, 215, 231), RGB(84, 84, 117), RGB(110, 109, 143), RGB(168, 167, 190),
     RGB(253, 250, 255), RGB(124, 124, 148), RGB(75, 75, 111), RGB(219, 218, 228)},
};

void Set(CTkGradientColor& target, const Gradient& g) { target.SetColors(g.first, g.second, g.factor); }

BOOL IsVerticalPosition(int position) { return position == kBarLeft || position == kBarRight; }

// The lowest (or, across, rightmost) edge of a visible control's row.
int LastRowEdge(CTkCommandBar* bar, BOOL across, int fallback) {
  int edge = -1;
  for (int i = 0; i < bar->GetControlCount(); ++i) {
    CTkControl* control = bar->GetControl(i);
    if (!control->IsVisible()) continue;
    const CRect row = control->GetRowRect().IsRectEmpty() ? control->GetRect() : control->GetRowRect();
    edge = std::max(edge, static_cast<int>(across ? row.right : row.bottom));
  }
  return edge < 0 ? fallback : edge;
}

CTkDockBar* DockBarOf(CTkCommandBar* bar) {
  if (!bar->IsKindOf(RUNTIME_CLASS(CTkToolBar))) return nullptr;
  return static_cast<CTkToolBar*>(bar)->GetDockBar();
}

}  // namespace

CTkBarPainterTheme2::CTkBarPainterTheme2() {
  m_bUseFadedIcons = FALSE;
  m_bIconsWithShadow = FALSE;
  m_checkedGradient.SetColors(RGB(255, 213, 140), RGB(255, 173, 85), 0.5f);
  m_pressedGradient.SetColors(RGB(254, 142, 75), RGB(255, 207, 139), 0.5f);
  m_hotGradient.SetColors(RGB(255, 242, 200), RGB(255, 212, 151), 0.5f);
}

CTkBarPainterTheme2::~CTkBarPainterTheme2() {
  m_roundButtonImages.DeleteImageList();
  m_statusStyle.CloseThemeData();
}

BYTE CTkBarPainterTheme2::RoundButtonShade(int x, int y) {
  // Two columns are the look's own; the rest is a disc shaded from the
  // upper left to the lower right.
  static const BYTE kFirstColumn[16] = {255, 255, 255, 255, 252, 234, 198, 180, 180, 180, 198, 252, 255, 255, 255, 255};
  static const BYTE kEighthColumn[16] = {198, 234, 234, 234, 198, 198, 198, 180, 144, 126, 126, 72, 54, 36, 18, 18};
  if (x < 0 || x > 15 || y < 0 || y > 15) return 255;
  if (x == 0) return kFirstColumn[y];
  if (x == 7) return kEighthColumn[y];
  const double dx = x - 7.5;
  const double dy = y - 7.5;
  if (dx * dx + dy * dy > 8.5 * 8.5) return 255;
  const int shade = 252 - (x + y) * 252 / 30;
  return static_cast<BYTE>(std::max(0, std::min(252, shade)));
}

void CTkBarPainterTheme2::RebuildRoundButtonImage() {
  m_roundButtonImages.DeleteImageList();
  const COLORREF mask = RGB(0, 255, 0);
  const COLORREF first = m_roundButtonGradient.m_first;
  const COLORREF second = m_roundButtonGradient.m_second;
  HDC screen = ::GetDC(nullptr);
  CBitmap bitmap;
  bitmap.Attach(::CreateCompatibleBitmap(screen, 16, 16));
  HDC memory = ::CreateCompatibleDC(screen);
  ::ReleaseDC(nullptr, screen);
  if (memory == nullptr || bitmap.GetSafeHandle() == nullptr) {
    if (memory != nullptr) ::DeleteDC(memory);
    return;
  }
  HGDIOBJ previous = ::SelectObject(memory, bitmap.GetSafeHandle());
  auto channel = [](int a, int b, int v) { return b - v * (b - a) / 255; };
  for (int index = 0; index < 256; ++index) {
    const int x = index / 16;
    const int y = index % 16;
    const int v = RoundButtonShade(x, y);
    const COLORREF color =
        v == 255 ? mask
                 : RGB(channel(GetRValue(first), GetRValue(second), v), channel(GetGValue(first), GetGValue(second), v),
                       channel(GetBValue(first), GetBValue(second), v));
    ::SetPixel(memory, x, y, color);
  }
  ::SelectObject(memory, previous);
  ::DeleteDC(memory);
  if (m_roundButtonImages.Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 0)) m_roundButtonImages.Add(&bitmap, mask);
}

void CTkBarPainterTheme2::UpdateFontsAndColors() {
  CTkBarPainterTheme1::UpdateFontsAndColors();
  m_statusStyle.CloseThemeData();
  CWnd* main = AfxGetMainWnd();
  m_statusStyle.OpenThemeData(main != nullptr ? main->GetSafeHwnd() : nullptr, L"STATUS");

  m_expandedStripGradient.SetColors(Blend(this, COLOR_WINDOW, 42, 550), GetColor(42));
  m_barGradient.SetColors(Blend(this, COLOR_BTNFACE, COLOR_WINDOW, 205), GetColor(COLOR_BTNFACE));
  m_dockGradient.SetColors(GetColor(COLOR_BTNFACE), Blend(this, COLOR_BTNFACE, COLOR_WINDOW, 205));
  m_tearOffColor.SetStandardValue(GetColor(30));
  m_barShadowColor.SetStandardValue(GetColor(30));
  m_captionColor.SetStandardValue(GetColor(COLOR_BTNSHADOW));
  m_openControlGradient.SetColors(GetColor(41), Blend(this, COLOR_WINDOW, COLOR_BTNFACE, 550));
  m_expandGradient.SetColors(Blend(this, 51, COLOR_BTNSHADOW, 51), GetColor(COLOR_BTNSHADOW));
  m_roundButtonGradient.SetColors(GetColor(41), Blend(this, COLOR_WINDOW, COLOR_BTNFACE, 550));
  m_statusBorderColor.SetStandardValue(Blend(this, COLOR_BTNFACE, COLOR_WINDOW, 70));
  m_colors[55].SetStandardValue(GetColorScheme()->GetGradient(1).m_second);
  m_bPaletteActive = FALSE;

  const XPSchemeId scheme = GetXPScheme();
  if (scheme >= xpBlue && scheme <= xpSilver) {
    const SchemePalette& p = kPalettes[scheme - xpBlue];
    Set(m_dockGradient, p.dock);
    Set(m_barGradient, p.bar);
    Set(m_expandedStripGradient, p.expandedStrip);
    Set(m_openControlGradient, p.openControl);
    Set(m_expandGradient, p.expand);
    Set(m_roundButtonGradient, p.roundButton);
    Set(m_faceGradient, p.face);
    m_barShadowColor.SetStandardValue(p.barShadow);
    m_captionColor.SetStandardValue(p.caption);
    m_statusBorderColor.SetStandardValue(p.statusBorder);
    m_tearOffColor.SetStandardValue(p.tearOff);
    m_shadowColor = p.shadow;
    const int indices[] = {53, 51, 52, 12, 56, 38, 39, 40, 41, 43, 32, 37, 50, 31, 33, 36, 47, 30, 58, 60, 35};
    const COLORREF grey = RGB(141, 141, 141);
    const COLORREF colors[] = {p.c53, p.c51, p.c52, p.c12, p.c56, p.c38, p.c39, p.c40, p.c41, p.c43, p.c32,
                               p.c32, p.c32, RGB(255, 238, 194), RGB(254, 128, 62), RGB(255, 192, 111),
                               RGB(0, 0, 0), p.c30, grey, grey, grey};
    SetColors(static_cast<int>(sizeof indices / sizeof indices[0]), indices, colors);
    m_bPaletteActive = TRUE;
  }
  RebuildRoundButtonImage();
}

void CTkBarPainterTheme2::FillGradient(CDC* pDC, const CRect& rect, const CTkGradientColor& color, BOOL horizontal,
                                       LPCRECT clip) {
  GetGradientPainter().FillGradientColor(pDC, &rect, color, horizontal, clip);
}

void CTkBarPainterTheme2::FillIconStrip(CDC* pDC, int x, int y, int width, int height, BOOL expanded) {
  FillGradient(pDC, CRect(x, y, x + width, y + height), expanded ? m_expandedStripGradient : m_barGradient, TRUE);
}

BOOL CTkBarPainterTheme2::IsGradientFloatingBar(CTkCommandBar* bar) const {
  if (bar == nullptr || bar->GetType() == kBarMenu || !bar->IsKindOf(RUNTIME_CLASS(CTkToolBar))) return FALSE;
  return (static_cast<CTkToolBar*>(bar)->GetDockFlags() & (kDockTop | kDockBottom | kDockLeft | kDockRight)) != 0;
}

void CTkBarPainterTheme2::DrawDoubleFrame(CDC* pDC, const CRect& client) {
  const COLORREF frame = GetColor(43);
  pDC->Draw3dRect(&client, frame, frame);
  CRect inner = client;
  inner.DeflateRect(1, 1);
  pDC->Draw3dRect(&inner, frame, frame);
  pDC->SetPixel(2, 2, frame);
  pDC->SetPixel(client.Width() - 3, 2, frame);
  pDC->SetPixel(2, client.Height() - 3, frame);
  pDC->SetPixel(client.Width() - 3, client.Height() - 3, frame);
}

void CTkBarPainterTheme2::FillDockedToolBar(CDC* pDC, CTkCommandBar* bar, const CRect& client) {
  const BOOL across = IsVerticalPosition(bar->GetPosition());
  pDC->FillSolidRect(&client, GetColor(COLOR_BTNFACE));
  // The margins continue the dock bar's background.
  CTkDockBar* dock = DockBarOf(bar);
  const int halfScreen = ::GetSystemMetrics(SM_CXFULLSCREEN) / 2;
  if (dock != nullptr && dock->GetSafeHwnd() != nullptr && dock->GetPosition() == 3) {
    pDC->FillSolidRect(&client, m_dockGradient.m_second);
  } else {
    CRect extent = client;
    if (dock != nullptr && dock->GetSafeHwnd() != nullptr) {
      ::GetWindowRect(dock->GetSafeHwnd(), &extent);
      ::MapWindowPoints(nullptr, bar->GetSafeHwnd(), reinterpret_cast<LPPOINT>(&extent), 2);
    }
    extent.right = extent.left + std::max(static_cast<int>(extent.Width()), halfScreen);
    FillGradient(pDC, extent, m_dockGradient, TRUE, &client);
  }
  const int saved = pDC->SaveDC();
  CRect body = client;
  if (across) {
    pDC->ExcludeClipRect(client.left, client.top, client.right, client.top + 3);
    body = CRect(client.left + 1, client.top + 3, client.right - 1, client.bottom);
  } else {
    pDC->ExcludeClipRect(client.left, client.top, client.left + 3, client.bottom);
    body = CRect(client.left + 3, client.top + 1, client.right, client.bottom - 1);
  }
  ExcludeCornerPixels(pDC->GetSafeHdc(), body);
  if (across) {
    const int edge = std::min(LastRowEdge(bar, TRUE, client.right - 2) + 1, static_cast<int>(body.right));
    FillGradient(pDC, CRect(body.left, body.top, edge, body.bottom), m_barGradient, TRUE);
    pDC->FillSolidRect(edge, body.top, body.right - edge, body.Height(), m_barGradient.m_second);
    pDC->FillSolidRect(client.right - 1, client.top + 5, 1, client.Height() - 7, m_barShadowColor);
  } else {
    const int edge = std::min(LastRowEdge(bar, FALSE, client.bottom - 2) + 1, static_cast<int>(body.bottom));
    FillGradient(pDC, CRect(body.left, body.top, body.right, edge), m_barGradient, FALSE);
    pDC->FillSolidRect(body.left, edge, body.Width(), body.bottom - edge, m_barGradient.m_second);
    pDC->FillSolidRect(client.left + 5, client.bottom - 1, client.Width() - 7, 1, m_barShadowColor);
  }
  pDC->RestoreDC(saved);
}

void CTkBarPainterTheme2::FillFloatingBar(CDC* pDC, CTkCommandBar* bar, const CRect& client) {
  pDC->FillSolidRect(&client, GetColor(30));
  int captionHeight = 17;
  {
    CTkFontSelector font(pDC, &m_smallCaptionFont);
    const int textHeight = pDC->GetTextExtent(CString(L" ")).cy;
    if (textHeight >= 15) captionHeight = textHeight + 2;
  }
  const CRect body(client.left + 2, client.top + captionHeight, client.right - 2, client.bottom - 2);
  FillGradient(pDC, body, m_barGradient, FALSE);
  // Every row of a wrapped bar gets a gradient of its own.
  int lastTop = -1;
  int rows = 0;
  for (int i = 0; i < bar->GetControlCount(); ++i) {
    CTkControl* control = bar->GetControl(i);
    if (control->IsVisible() && control->GetRowRect().top != lastTop && !control->GetRowRect().IsRectEmpty()) {
      lastTop = control->GetRowRect().top;
      ++rows;
    }
  }
  if (rows > 1) {
    lastTop = -1;
    for (int i = 0; i < bar->GetControlCount(); ++i) {
      CTkControl* control = bar->GetControl(i);
      const CRect row = control->GetRowRect();
      if (!control->IsVisible() || row.top == lastTop || row.IsRectEmpty()) continue;
      lastTop = row.top;
      CRect band(body.left, std::max(row.top, body.top), body.right, std::min(row.bottom, body.bottom));
      if (band.Height() > 0) FillGradient(pDC, band, m_barGradient, FALSE);
    }
  }
  DrawDoubleFrame(pDC, client);
}

void CTkBarPainterTheme2::FillCommandBar(CDC* pDC, CTkCommandBar* bar) {
  const CTkClientBounds client(bar);
  const int position = bar->GetPosition();
  if (bar->GetType() == kBarMenu) {
    const CRect extent(client.left, client.top,
                       client.left + std::max(static_cast<int>(client.Width()), ::GetSystemMetrics(SM_CXFULLSCREEN) / 2),
                       client.bottom);
    FillGradient(pDC, extent, m_dockGradient, TRUE, &client);
    if (position == kBarFloating) DrawDoubleFrame(pDC, client);
    return;
  }
  if (bar->GetType() == kBarTool && (position == kBarTop || position == kBarBottom || IsVerticalPosition(position))) {
    FillDockedToolBar(pDC, bar, client);
    return;
  }
  if (position == kBarFloating && IsGradientFloatingBar(bar)) {
    FillFloatingBar(pDC, bar, client);
    return;
  }
  if (position == kBarPopupPosition) {
    FillRectWithBorder(pDC, client, 43, 41);
    if (bar->GetType() == kBarPopup) FillIconStrip(pDC, 1, 2, GetIconColumnWidth(bar), client.Height() - 4, FALSE);
    const CRect overlap = GetOpeningOverlap(bar);
    if (!overlap.IsRectEmpty()) pDC->FillSolidRect(&overlap, GetColor(41));
    return;
  }
  CTkBarPainterTheme1::FillCommandBar(pDC, bar);
}

void CTkBarPainterTheme2::FillDockBar(CDC* pDC, CWnd* pWnd) {
  const CTkClientBounds client(pWnd);
  if (pWnd->IsKindOf(RUNTIME_CLASS(CTkDockBar)) && static_cast<CTkDockBar*>(pWnd)->GetPosition() == 3) {
    pDC->FillSolidRect(&client, m_dockGradient.m_second);
    return;
  }
  const CRect extent(client.left, client.top,
                     client.left + std::max(static_cast<int>(client.Width()), ::GetSystemMetrics(SM_CXFULLSCREEN) / 2),
                     client.bottom);
  FillGradient(pDC, extent, m_dockGradient, TRUE, &client);
}

void CTkBarPainterTheme2::DrawControlFrame(CDC* pDC, CRect rect, BOOL selected, BOOL pressed, BOOL enabled,
                                           BOOL checked, BOOL popupOpen, BOOL toolBar, int barPosition) {
  if (enabled && popupOpen) {
    FillGradient(pDC, rect, m_openControlGradient, FALSE);
    FillRectWithBorder(pDC, rect, 43, static_cast<COLORREF>(-1));
    return;
  }
  if (m_bPaletteActive && toolBar && barPosition >= kBarTop && barPosition <= kBarFloating) {
    const CTkGradientColor* gradient = nullptr;
    int border = 0;
    if (enabled) {
      if (checked && !selected && !pressed) {
        gradient = &m_checkedGradient;
        border = 50;
      } else if ((checked && selected) || pressed == 2 || (selected && pressed)) {
        gradient = &m_pressedGradient;
        border = 50;
      } else if (selected || pressed) {
        gradient = &m_hotGradient;
        border = 32;
      }
    } else if (selected == 2) {
      gradient = checked ? &m_pressedGradient : &m_hotGradient;
      border = 50;
    } else if (checked) {
      gradient = &m_checkedGradient;
      border = 58;
    }
    if (gradient == nullptr) return;
    FillGradient(pDC, rect, *gradient, IsVerticalPosition(barPosition));
    FillRectWithBorder(pDC, rect, static_cast<COLORREF>(border), static_cast<COLORREF>(-1));
    return;
  }
  CTkBarPainterTheme1::DrawControlFrame(pDC, rect, selected, pressed, enabled, checked, popupOpen, toolBar,
                                        barPosition);
}

CSize CTkBarPainterTheme2::DrawGripper(CDC* pDC, CTkCommandBar* bar, BOOL draw) {
  if (bar->HasFixedGripper()) return DrawFixedGripper(pDC, draw);
  const CTkClientBounds client(bar);
  const COLORREF light = GetColor(COLOR_BTNHIGHLIGHT);
  const COLORREF dark = GetColor(38);
  switch (bar->GetPosition()) {
    case kBarTop:
    case kBarBottom:
      if (draw)
        for (int y = 8; y - 3 < client.Height() - 8; y += 4) {
          pDC->FillSolidRect(6, y - 2, 2, 2, light);
          pDC->FillSolidRect(5, y - 3, 2, 2, dark);
        }
      return CSize(6, 0);
    case kBarLeft:
    case kBarRight:
      if (draw)
        for (int x = 8; x - 3 < client.Width() - 8; x += 4) {
          pDC->FillSolidRect(x - 2, 7, 2, 2, light);
          pDC->FillSolidRect(x - 3, 6, 2, 2, dark);
        }
      return CSize(0, 9);
    case kBarFloating:
      return DrawFloatingCaption(pDC, bar, draw, m_captionColor);
    default:
      return CSize(0, 0);
  }
}

CSize CTkBarPainterTheme2::DrawFixedGripper(CDC* pDC, BOOL draw) {
  const int height = std::max(m_controlHeight + 6, 25);
  if (draw) {
    CRect area;
    pDC->GetClipBox(&area);
    area.DeflateRect(3, 3);
    if (!area.IsRectEmpty()) FillGradient(pDC, area, m_barGradient, FALSE);
    const COLORREF light = GetColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = GetColor(38);
    for (int y = 4; y < height - 5; y += 4) {
      pDC->FillSolidRect(6, y + 1, 2, 2, light);
      pDC->FillSolidRect(5, y, 2, 2, dark);
    }
  }
  return CSize(8, height);
}

CSize CTkBarPainterTheme2::DrawSeparator(CDC* pDC, CTkCommandBar* bar, CTkControl* control, BOOL draw) {
  const int position = bar->GetPosition();
  const BOOL horizontal = position == kBarTop || position == kBarBottom || position == kBarFloating;
  if (bar->GetType() == kBarPopup || (!horizontal && !IsVerticalPosition(position)))
    return CTkBarPainterTheme1::DrawSeparator(pDC, bar, control, draw);
  if (!draw) return position == kBarFloating ? CSize(6, 0) : CSize(6, 6);
  const CRect rect = control->GetRect();
  const CRect row = control->GetRowRect();
  const COLORREF dark = GetColor(39);
  const COLORREF light = GetColor(COLOR_BTNHIGHLIGHT);
  const BOOL highlight = !m_bSlimSeparators;
  if (horizontal) {
    if (control->GetWrap()) {
      pDC->FillSolidRect(row.left + 4, row.top - 4, row.Width() - 8, 1, dark);
      if (highlight) pDC->FillSolidRect(5, row.top - 3, row.right - 3 - 5, 1, light);
    } else {
      pDC->FillSolidRect(rect.left - 4, row.top + 4, 1, row.Height() - 8, dark);
      if (highlight) pDC->FillSolidRect(rect.left - 3, row.top + 5, 1, row.Height() - 8, light);
    }
  } else {
    if (control->GetWrap()) {
      pDC->FillSolidRect(row.right + 2, row.top + 4, 1, row.Height() - 8, dark);
      if (highlight) pDC->FillSolidRect(row.right + 3, 5, 1, row.bottom - 3 - 5, light);
    } else {
      pDC->FillSolidRect(row.left + 4, rect.top - 4, row.Width() - 8, 1, dark);
      if (highlight) pDC->FillSolidRect(row.left + 5, rect.top - 3, row.Width() - 8, 1, light);
    }
  }
  return CSize(0, 0);
}

void CTkBarPainterTheme2::DrawStatusBarPaneBorder(CDC* pDC, CRect rect, BOOL) {
  pDC->Draw3dRect(&rect, m_statusBorderColor, m_statusBorderColor);
}

void CTkBarPainterTheme2::DrawStatusBarGripper(CDC* pDC, int left, int top, int right, int bottom) {
  if (m_statusStyle.GetHandle() != nullptr && m_statusStyle.IsAppThemed()) {
    const CRect gripper(std::max(left, right - 18), top, right, bottom);
    m_statusStyle.DrawThemeBackground(pDC->GetSafeHdc(), SP_GRIPPER, 0, &gripper, nullptr);
    return;
  }
  // Three groups of diagonals from the bottom edge to the right edge.
  for (int group = 0; group < 3; ++group) {
    const int d = 2 + group * 5;
    for (int line = 0; line < 4; ++line) {
      const int k = d + line;
      DrawColorSegment(pDC, right - k, bottom, right, bottom - k, line < 3 ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
    }
  }
}

CRect CTkBarPainterTheme2::GetCommandBarBorders(CTkCommandBar* bar) const {
  if (bar != nullptr && bar->GetType() == kBarTool &&
      (bar->GetPosition() == kBarTop || bar->GetPosition() == kBarBottom))
    return CRect(4, 2, 2, 2);
  return CTkBarPainterTheme1::GetCommandBarBorders(bar);
}

CSize CTkBarPainterTheme2::DrawTearOffStrip(CDC* pDC, CRect rect, BOOL selected, BOOL draw) {
  if (!draw) return CSize(0, 9);
  const CRect strip(1, 1, rect.right + 1, rect.bottom - rect.top + 1);
  pDC->FillSolidRect(&strip, GetColor(41));
  CRect inner = strip;
  inner.DeflateRect(1, 1);
  if (selected)
    FillRectWithBorder(pDC, inner, 32, 31);
  else
    pDC->FillSolidRect(&inner, m_tearOffColor);
  const int reach = std::min(32, rect.Width() / 2 - 10);
  if (reach <= 0) return CSize(0, 9);
  const int centre = (inner.left + inner.right) / 2;
  for (int x = centre - reach + 3; x <= centre + reach; x += 4) {
    pDC->FillSolidRect(x - 2, 5, 2, 2, GetColor(COLOR_BTNHIGHLIGHT));
    pDC->FillSolidRect(x - 3, 4, 2, 2, GetColor(38));
  }
  return CSize(0, 9);
}

void CTkBarPainterTheme2::DrawExpandButton(CDC* pDC, CTkControl* control, CTkCommandBar* bar, BOOL hiddenControls) {
  const CRect rect = control->GetRect();
  const int L = rect.left, T = rect.top, R = rect.right, B = rect.bottom;
  const int position = bar != nullptr ? bar->GetPosition() : kBarNone;
  const BOOL across = IsVerticalPosition(position) || position == kBarPopupPosition;
  const int saved = pDC->SaveDC();
  if (across) {
    pDC->ExcludeClipRect(L, B - 1, L + 1, B);
    pDC->ExcludeClipRect(R - 1, B - 1, R, B);
    pDC->ExcludeClipRect(L + 1, T, R - 1, T + 1);
  } else {
    pDC->ExcludeClipRect(R - 1, T, R, T + 1);
    pDC->ExcludeClipRect(R - 1, B - 1, R, B);
    pDC->ExcludeClipRect(L, T + 1, L + 1, B - 1);
  }
  const BOOL open = control->GetPopuped();
  const BOOL hot = control->GetSelected() != 0;
  if (open) {
    if (m_bPaletteActive)
      FillGradient(pDC, rect, m_pressedGradient, FALSE);
    else
      pDC->FillSolidRect(&rect, GetColor(36));
  } else if (hot) {
    if (m_bPaletteActive)
      FillGradient(pDC, rect, m_hotGradient, FALSE);
    else
      pDC->FillSolidRect(&rect, GetColor(31));
  } else {
    FillGradient(pDC, rect, m_expandGradient, across);
  }
  pDC->RestoreDC(saved);

  auto glyph = [&](int dx, int dy, COLORREF color) {
    CTkPenSelector pen(pDC->GetSafeHdc(), color);
    const int l = L + dx, t = T + dy, r = R + dx, b = B + dy;
    if (!across) {
      const int c = (l + r) / 2;
      DrawSegment(pDC, c - 2, b - 10, c + 3, b - 10);
      FillTriangle(pDC, CPoint(c - 2, b - 7), CPoint(c + 2, b - 7), CPoint(c, b - 5), color);
      if (hiddenControls) {
        FillTriangle(pDC, CPoint(l + 3, t + 5), CPoint(l + 4, t + 6), CPoint(l + 3, t + 7), color);
        FillTriangle(pDC, CPoint(l + 7, t + 5), CPoint(l + 8, t + 6), CPoint(l + 7, t + 7), color);
      }
    } else {
      const int m = (t + b) / 2;
      DrawSegment(pDC, r - 10, m - 2, r - 10, m + 3);
      FillTriangle(pDC, CPoint(r - 5, m), CPoint(r - 7, m - 2), CPoint(r - 7, m + 2), color);
      if (hiddenControls) {
        FillTriangle(pDC, CPoint(l + 5, t + 3), CPoint(l + 6, t + 4), CPoint(l + 7, t + 3), color);
        FillTriangle(pDC, CPoint(l + 5, t + 7), CPoint(l + 6, t + 8), CPoint(l + 7, t + 7), color);
      }
    }
  };
  glyph(1, 1, GetColor(COLOR_BTNHIGHLIGHT));
  glyph(0, 0, GetColor(open ? 46 : hot ? 45 : 46));
}

CSize CTkBarPainterTheme2::DrawSpecialControl(CDC* pDC, int kind, CTkControl* control, CTkCommandBar* bar,
                                              BOOL draw, void* extra) {
  if (kind == 1) {
    if (!draw) return CSize(0, 18);
    DrawControlFaceOf(pDC, control);
    const CRect rect = control->GetRect();
    const int c = (rect.left + rect.right) / 2;
    if (m_roundButtonImages.GetSafeHandle() != nullptr)
      ImageList_Draw(m_roundButtonImages, 0, pDC->GetSafeHdc(), c - 7, rect.top + 1, ILD_TRANSPARENT);
    CTkPenSelector pen(pDC->GetSafeHdc(), pDC->GetTextColor());
    for (int d : {0, 1, 3, 4}) {
      pDC->MoveTo(c - 2, rect.top + 5 + d);
      pDC->LineTo(c, rect.top + 7 + d);
      pDC->LineTo(c + 3, rect.top + 4 + d);
    }
    return CSize(0, 18);
  }
  if (kind == 0) {
    const int position = bar != nullptr ? bar->GetPosition() : kBarNone;
    const BOOL across = IsVerticalPosition(position) || position == kBarPopupPosition;
    if (!draw) {
      const CSize barSize = *static_cast<const CSize*>(extra);
      control->SetControlRect(across ? CRect(0, barSize.cy - 12, barSize.cx, barSize.cy)
                                     : CRect(barSize.cx - 12, 1, barSize.cx, barSize.cy));
      return CSize(0, 0);
    }
    DrawExpandButton(pDC, control, bar, extra != nullptr && *static_cast<const BOOL*>(extra));
    return CSize(0, 0);
  }
  return CTkBarPainterTheme1::DrawSpecialControl(pDC, kind, control, bar, draw, extra);
}

CTkBarPainterTheme4::CTkBarPainterTheme4() {
  m_xpScheme = xpNone;
  m_bSlimSeparators = TRUE;
}

void CTkBarPainterTheme4::UpdateFontsAndColors() {
  CTkBarPainterTheme2::UpdateFontsAndColors();
  m_expandGradient.SetColors(Blend(this, COLOR_WINDOW, COLOR_BTNFACE, 550), GetColor(COLOR_BTNSHADOW), 0.5f);
  const XPSchemeId scheme = GetColorScheme()->GetActiveXPScheme();
  if (scheme == xpSilver) {
    m_barGradient.SetColors(RGB(243, 244, 250), RGB(153, 151, 181), 0.75f);
    m_expandGradient.SetColors(RGB(179, 178, 200), RGB(118, 116, 146), 0.75f);
    m_dockGradient.SetColors(RGB(215, 215, 229), RGB(243, 243, 247), 0.5f);
    m_expandedStripGradient.SetColors(RGB(215, 215, 226), RGB(133, 131, 162), 0.5f);
    m_roundButtonGradient.SetColors(RGB(232, 232, 241), RGB(176, 174, 197), 0.5f);
    m_faceGradient.SetColors(RGB(247, 245, 249), RGB(122, 121, 153), 0.5f);
    m_barShadowColor.SetStandardValue(RGB(124, 124, 148));
    m_tearOffColor.SetStandardValue(RGB(192, 192, 211));
    m_captionColor.SetStandardValue(RGB(122, 121, 153));
    const COLORREF grey = RGB(141, 141, 141);
    const COLORREF border = RGB(75, 75, 111);
    const int indices[] = {60, 35, 39, 38, 30, 31, 32, 37, 50, 33, 36, 47};
    const COLORREF colors[] = {grey,       grey,   RGB(110, 109, 143), RGB(84, 84, 117),  RGB(219, 218, 228),
                               RGB(255, 238, 194), border, border, border, RGB(254, 128, 62), RGB(255, 192, 111),
                               RGB(0, 0, 0)};
    SetColors(static_cast<int>(sizeof indices / sizeof indices[0]), indices, colors);
  } else if (scheme == xpOlive || scheme == xpBlue) {
    m_barGradient.SetColors(RGB(250, 249, 245), RGB(192, 192, 168), 0.75f);
    m_expandGradient.SetColors(RGB(238, 237, 234), scheme == xpBlue ? RGB(152, 152, 126) : RGB(176, 172, 158),
                               0.75f);
    m_dockGradient.SetColors(RGB(229, 229, 215), RGB(244, 241, 231), 0.5f);
    m_expandedStripGradient.SetColors(RGB(204, 199, 186), RGB(204, 199, 186), 0.5f);
    m_roundButtonGradient.CopyFrom(m_barGradient);
    m_barShadowColor.SetStandardValue(RGB(163, 163, 124));
    if (scheme == xpBlue) {
      m_faceGradient.SetColors(RGB(247, 245, 249), RGB(122, 121, 153), 0.5f);
    } else {
      m_faceGradient.SetColors(RGB(236, 233, 216), RGB(172, 168, 153), 0.5f);
      const int indices[] = {31, 36, 33, 47};
      const COLORREF colors[] = {RGB(182, 198, 141), RGB(182, 198, 141), RGB(147, 160, 112), RGB(255, 255, 255)};
      SetColors(4, indices, colors);
    }
  }
  RebuildRoundButtonImage();
}
