#include "tab_palette.h"

#include <vector>

#include "draw_helpers.h"
#include "tab_painter.h"
#include "tab_set.h"
#include "tab_shape.h"

namespace {

COLORREF Sys(int index) { return GetColorScheme()->GetColor(index); }

void DrawFrame(CDC* pDC, const CRect& rc, COLORREF topLeft, COLORREF bottomRight) {
  pDC->Draw3dRect(&rc, topLeft, bottomRight);
}

}  // namespace

int CTkTabPalette::GetAppearanceId() const { return m_pPainter != nullptr ? m_pPainter->m_appearanceId : 0; }
int CTkTabPalette::GetPosition() const { return m_pPainter != nullptr ? m_pPainter->GetStripPosition() : kTabTop; }

void CTkTabPalette::RefreshColors() {
  m_headerGradient.SetColor(Sys(COLOR_BTNFACE));
  m_autoHideGradient.CopyFrom(m_headerGradient);
  m_border.SetStandardValue(Sys(COLOR_BTNSHADOW));
  m_controlBackground.SetStandardValue(Sys(COLOR_BTNFACE));
  m_highlight.SetStandardValue(Sys(COLOR_BTNHIGHLIGHT));
  m_selectedFace.SetStandardValue(Sys(GetAppearanceId() == 7 ? COLOR_WINDOW : COLOR_BTNFACE));
  m_face.SetStandardValue(Sys(COLOR_BTNFACE));
  m_text.SetStandardValue(Sys(COLOR_BTNTEXT));
  m_inactiveText.SetStandardValue(Sys(COLOR_BTNTEXT));
  m_selectedText.SetStandardValue(Sys(COLOR_BTNTEXT));
  m_hotText.SetStandardValue(RGB(0, 0, 128));
  m_disabledText.SetStandardValue(Sys(COLOR_GRAYTEXT));
  m_selectedButtonGradient.SetColor(Sys(COLOR_WINDOW));
  m_buttonFrameGradient.SetColor(Sys(COLOR_HIGHLIGHT));
  m_edgeLight.SetStandardValue(Sys(COLOR_BTNHIGHLIGHT));
  m_edgeShadow.SetStandardValue(Sys(COLOR_BTNSHADOW));
  m_edgeDark.SetStandardValue(Sys(COLOR_3DDKSHADOW));
  m_outline.SetStandardValue(Sys(COLOR_BTNSHADOW));
  m_selectedOutline.SetStandardValue(Sys(COLOR_BTNSHADOW));
  m_innerLine1.SetStandardValue(Sys(COLOR_BTNFACE));
  m_innerLine2.SetStandardValue(Sys(COLOR_BTNFACE));
  const COLORREF trapezoid[6] = {Sys(COLOR_BTNTEXT), Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNTEXT),
                                 kColorUnset, kColorUnset, kColorUnset};
  for (int i = 0; i < 6; ++i) m_selectedTrapezoid[i].SetStandardValue(trapezoid[i]);
  CopyTrapezoidLines(6);
  m_trapezoid[3].SetStandardValue(Sys(COLOR_WINDOW));
  m_trapezoid[4].SetStandardValue(Sys(COLOR_BTNSHADOW));
}

void CTkTabPalette::CopyTrapezoidLines(int firstUnset) {
  for (int i = 0; i < 6; ++i)
    m_trapezoid[i].SetStandardValue(i >= firstUnset ? kColorUnset : COLORREF(m_selectedTrapezoid[i]));
}

void CTkTabPalette::SetTabTextColor(CDC* pDC, const CTkTabManagerItem* item) {
  const CTkTabSet* strip = item->m_pOwner;
  COLORREF color;
  if (!item->m_bEnabled)
    color = m_disabledText;
  else if (strip != nullptr && !strip->m_bActive)
    color = m_inactiveText;
  else if (strip != nullptr && item == strip->m_pSelected)
    color = m_selectedText;
  else if (strip != nullptr && item == strip->m_pHot)
    color = m_hotText;
  else
    color = m_text;
  pDC->SetTextColor(color);
}

void CTkTabPalette::FillGradientByPosition(CDC* pDC, const CRect& rc, COLORREF first, COLORREF second,
                                           int position) const {
  if (first == kTabCheckerColor) {
    static const WORD kChecker[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    CBitmap pattern;
    pattern.Attach(::CreateBitmap(8, 8, 1, 1, kChecker));
    HBRUSH brush = ::CreatePatternBrush(static_cast<HBITMAP>(pattern.GetSafeHandle()));
    COLORREF oldText = pDC->SetTextColor(Sys(COLOR_BTNFACE));
    COLORREF oldBack = pDC->SetBkColor(Sys(COLOR_BTNHIGHLIGHT));
    HGDIOBJ old = ::SelectObject(pDC->GetSafeHdc(), brush);
    pDC->PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
    ::SelectObject(pDC->GetSafeHdc(), old);
    pDC->SetTextColor(oldText);
    pDC->SetBkColor(oldBack);
    ::DeleteObject(brush);
    return;
  }
  if (m_pPainter != nullptr && m_pPainter->m_bReverseGradient) std::swap(first, second);
  // Outer edge first: a bottom or right strip runs the other way.
  if (position == kTabBottom || position == kTabRight) std::swap(first, second);
  GetGradientPainter().FillGradient(pDC, &rc, first, second, !IsHorizontalPosition(position));
}

void CTkTabPalette::FillHeader(CDC* pDC, const CRect& rc, const CTkTabSet*) {
  FillGradientByPosition(pDC, rc, m_headerGradient.m_first, m_headerGradient.m_second, GetPosition());
}

COLORREF CTkTabPalette::FillClient(CDC* pDC, const CRect& rc, const CTkTabSet* strip) {
  COLORREF color = strip->m_pSelected != nullptr ? GetTabFaceColor(strip->m_pSelected) : COLORREF(m_selectedFace);
  pDC->FillSolidRect(&rc, color);
  return color;
}

void CTkTabPalette::FillButtonTab(CDC* pDC, const CRect& rc, const CTkTabManagerItem* item) {
  const CTkTabSet* strip = item->m_pOwner;
  if (strip != nullptr && item == strip->m_pSelected) {
    if (m_pPainter->m_bTabColors)
      pDC->FillSolidRect(&rc, item->GetColor());
    else
      FillGradientByPosition(pDC, rc, m_selectedButtonGradient.m_first, m_selectedButtonGradient.m_second,
                             GetPosition());
    DrawFrame(pDC, rc, m_buttonFrameGradient.m_first, m_buttonFrameGradient.m_second);
    return;
  }
  if (IsHorizontalPosition(GetPosition()))
    pDC->Draw3dRect(rc.right, rc.top + 2, 2, rc.Height() - 4, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
  else
    pDC->Draw3dRect(rc.left + 2, rc.bottom, rc.Width() - 4, 2, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
}

COLORREF CTkTabPalette::FillTab(CDC* pDC, const CRect& rc, const CTkTabManagerItem* item) {
  COLORREF color = GetTabFaceColor(item);
  pDC->FillSolidRect(&rc, color);
  return color;
}

void CTkTabPalette::DrawHeaderDecoration(CDC*, const CRect&, const CTkTabSet*) {}

COLORREF CTkTabPalette::GetTabFaceColor(const CTkTabManagerItem* item) const {
  if (m_pPainter != nullptr && m_pPainter->m_bTabColors) return item->GetColor();
  const CTkTabSet* strip = item->m_pOwner;
  return strip != nullptr && item == strip->m_pSelected ? COLORREF(m_selectedFace) : COLORREF(m_face);
}

void CTkTabPaletteDefault::RefreshColors() {
  CTkTabPalette::RefreshColors();
  m_selectedButtonGradient.SetColor(kTabCheckerColor);
  m_buttonFrameGradient.SetColors(Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
  for (int i = 0; i < 3; ++i) m_selectedTrapezoid[i].SetStandardValue(Sys(COLOR_BTNTEXT));
  m_selectedTrapezoid[3].SetStandardValue(Sys(COLOR_WINDOW));
  m_selectedTrapezoid[4].SetStandardValue(Sys(COLOR_BTNSHADOW));
  m_selectedTrapezoid[5].SetStandardValue(Sys(COLOR_BTNSHADOW));
  CopyTrapezoidLines(3);
  if (GetAppearanceId() == 7) {
    m_selectedFace.SetStandardValue(Sys(COLOR_BTNFACE));
    m_face.SetStandardValue(Sys(COLOR_WINDOW));
    m_border.SetStandardValue(Sys(COLOR_BTNTEXT));
  }
}

void CTkTabPaletteDefault::DrawNavigateButtonFace(CDC* pDC, CTkTabScrollButton* button, CRect* rc) {
  if (button->m_bEnabled) {
    if (button->m_bPressed) {
      DrawFrame(pDC, *rc, Sys(COLOR_BTNSHADOW), Sys(COLOR_BTNHIGHLIGHT));
      rc->OffsetRect(1, 1);
    } else if (button->m_bHot) {
      DrawFrame(pDC, *rc, Sys(COLOR_BTNHIGHLIGHT), Sys(COLOR_BTNSHADOW));
    }
  }
  pDC->SetTextColor(Sys(COLOR_BTNTEXT));
}

void CTkTabPaletteFlat::RefreshColors() {
  CTkTabPaletteDefault::RefreshColors();
  int appearance = GetAppearanceId();
  if (appearance != 7 && appearance != 4) m_headerGradient.SetColor(Sys(48));
  if (appearance == 5) {
    m_text.SetStandardValue(Sys(49));
    m_inactiveText.SetStandardValue(Sys(49));
  }
  m_autoHideGradient.CopyFrom(m_headerGradient);
}

void CTkTabPaletteFlat::DrawNavigateButtonFace(CDC* pDC, CTkTabScrollButton* button, CRect* rc) {
  int appearance = GetAppearanceId();
  if (appearance == 7 || appearance == 4) {
    CTkTabPaletteDefault::DrawNavigateButtonFace(pDC, button, rc);
    return;
  }
  if (button->m_bEnabled) {
    if (button->m_bPressed) {
      DrawFrame(pDC, *rc, Sys(COLOR_BTNTEXT), Sys(COLOR_BTNFACE));
      rc->OffsetRect(1, 1);
    } else if (button->m_bHot) {
      DrawFrame(pDC, *rc, Sys(COLOR_BTNFACE), Sys(COLOR_BTNTEXT));
    }
  }
  pDC->SetTextColor(Sys(49));
}

namespace {

struct XPSchemeColors {
  COLORREF border, edgeDark, edgeShadow, innerLine2, selectedButton, buttonFrame;
  COLORREF headerLight, headerDark, autoHideLight, autoHideDark, face, selectedFace, hotFace;
};

const XPSchemeColors kXPSchemes[3] = {
    {0x9c613b, 0x9a3500, 0xf1a675, 0xffffff, 0x6fc0ff, 0x800000, 0xfadac4, 0xfefdfc, 0xf5be9e, 0xfadac4,
     0xf6c0a2, 0x73c2ff, 0xc9f0ff},
    {0x588060, 0x6b7760, 0x8cc2b0, 0xffffff, 0x6fc0ff, 0x385d3f, 0xe4f1f2, 0xfefefc, 0xa7d9d9, 0xe4f1f2,
     0xaaded0, 0x73c2ff, 0xc7f0ff},
    {0x947c7c, 0x927476, 0xceb9ba, 0xffffff, 0x6fc0ff, 0x6f4b4b, 0xf7f3f3, 0xfefefc, 0xe5d7d7, 0xf7f3f3,
     0xe6d9d9, 0x73c2ff, 0xc2eeff},
};

}  // namespace

void CTkTabPaletteXP::RefreshColors() {
  CTkTabPalette::RefreshColors();
  COLORREF face = Sys(COLOR_BTNFACE);
  m_headerGradient.SetColors(face, CTkColorScheme::BlendColors(face, Sys(COLOR_WINDOW), 205));
  m_selectedButtonGradient.SetColor(Sys(36));
  m_buttonFrameGradient.SetColor(Sys(37));
  m_hotFace.SetStandardValue(Sys(36));
  m_navigateFrame.SetStandardValue(Sys(37));
  m_hotText.SetStandardValue(Sys(COLOR_BTNTEXT));
  m_autoHideGradient.CopyFrom(m_headerGradient);
  m_bGradientFills = FALSE;

  int scheme = m_pPainter != nullptr && m_pPainter->IsXPSchemeColorsDisabled() ? xpNone : GetCurrentXPScheme();
  if (scheme >= xpBlue && scheme <= xpSilver) {
    const XPSchemeColors& c = kXPSchemes[scheme - xpBlue];
    m_border.SetStandardValue(c.border);
    m_selectedOutline.SetStandardValue(c.border);
    m_edgeDark.SetStandardValue(c.edgeDark);
    m_outline.SetStandardValue(c.edgeDark);
    m_edgeShadow.SetStandardValue(c.edgeShadow);
    m_innerLine1.SetStandardValue(c.edgeShadow);
    m_innerLine2.SetStandardValue(c.innerLine2);
    m_selectedButtonGradient.SetColor(c.selectedButton);
    m_buttonFrameGradient.SetColor(c.buttonFrame);
    m_navigateFrame.SetStandardValue(c.buttonFrame);
    m_headerGradient.SetColors(c.headerLight, c.headerDark);
    m_autoHideGradient.SetColors(c.autoHideLight, c.autoHideDark);
    m_face.SetStandardValue(c.face);
    m_selectedFace.SetStandardValue(c.selectedFace);
    m_hotFace.SetStandardValue(c.hotFace);
    m_bGradientFills = TRUE;
  } else {
    m_selectedFace.SetStandardValue(Sys(36));
  }
  for (int i = 0; i < 3; ++i) m_selectedTrapezoid[i].SetStandardValue(m_border);
  for (int i = 3; i < 6; ++i) m_selectedTrapezoid[i].SetStandardValue(kColorUnset);
  CopyTrapezoidLines(3);
  if (GetAppearanceId() == 4) {
    m_headerGradient.SetColor(face);
    m_autoHideGradient.SetColor(face);
  }
}

COLORREF CTkTabPaletteXP::GetFillColor(const CTkTabManagerItem* item) const {
  const CTkTabSet* strip = item->m_pOwner;
  if (strip != nullptr && item == strip->m_pHot && !(m_pPainter != nullptr && m_pPainter->m_bTabColors))
    return m_hotFace;
  return GetTabFaceColor(item);
}

void CTkTabPaletteXP::FillGradientTab(CDC* pDC, const CRect& rc, COLORREF color) const {
  COLORREF light = CTkColorScheme::BlendColors(color, RGB(255, 255, 255), 300);
  FillGradientByPosition(pDC, rc, light, color, GetPosition());
}

COLORREF CTkTabPaletteXP::FillTab(CDC* pDC, const CRect& rc, const CTkTabManagerItem* item) {
  COLORREF color = GetFillColor(item);
  FillGradientTab(pDC, rc, color);
  return color;
}

void CTkTabPaletteXP::DrawNavigateButtonFace(CDC* pDC, CTkTabScrollButton* button, CRect* rc) {
  COLORREF text = Sys(COLOR_BTNTEXT);
  if (button->m_bEnabled && button->m_bHot && button->m_bPressed) {
    if (m_bGradientFills) {
      GetGradientPainter().FillGradient(pDC, rc, 0x4b8efe, 0x8bcfff, FALSE);
      DrawFrame(pDC, *rc, m_navigateFrame, m_navigateFrame);
    } else {
      pDC->FillSolidRect(rc, Sys(50));
      DrawFrame(pDC, *rc, Sys(33), Sys(33));
      text = Sys(47);
    }
  } else if (button->m_bEnabled && (button->m_bHot || button->m_bPressed)) {
    if (m_bGradientFills) {
      GetGradientPainter().FillGradient(pDC, rc, 0xc8f2ff, 0x97d4ff, FALSE);
      DrawFrame(pDC, *rc, m_navigateFrame, m_navigateFrame);
    } else {
      pDC->FillSolidRect(rc, Sys(32));
      DrawFrame(pDC, *rc, Sys(31), Sys(31));
      text = Sys(45);
    }
  }
  pDC->SetTextColor(text);
}

void CTkTabPaletteThemed::RefreshColors() {
  CTkTabPaletteDefault::RefreshColors();
  m_tabTheme.OpenThemeData(nullptr, L"TAB");
  if (m_tabTheme.IsAppThemed()) {
    m_edgeLight.SetStandardValue(kColorUnset);
    m_edgeShadow.SetStandardValue(kColorUnset);
    m_edgeDark.SetStandardValue(kColorUnset);
    m_hotText.SetStandardValue(m_text);
  }
  m_toolbarTheme.OpenThemeData(nullptr, L"TOOLBAR");
}

BOOL CTkTabPaletteThemed::IsThemed() const { return const_cast<CTkUxThemeHandle&>(m_tabTheme).IsAppThemed(); }

BOOL CTkTabPaletteThemed::IsToolbarThemed() const {
  return const_cast<CTkUxThemeHandle&>(m_toolbarTheme).IsAppThemed();
}

namespace {

// A 32-bit top-down DIB section and its memory DC.
struct DibSurface {
  DibSurface(int width, int height) : width(width), height(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    dc = ::CreateCompatibleDC(nullptr);
    previous = ::SelectObject(dc, bitmap);
  }
  ~DibSurface() {
    if (previous != nullptr) ::SelectObject(dc, previous);
    ::DeleteDC(dc);
    ::DeleteObject(bitmap);
  }
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;
  BOOL IsValid() const { return bitmap != nullptr && bits != nullptr; }

  int width, height;
  HBITMAP bitmap = nullptr;
  DWORD* bits = nullptr;
  HDC dc = nullptr;
  HGDIOBJ previous = nullptr;
};

}  // namespace

COLORREF CTkTabPaletteThemed::FillTab(CDC* pDC, const CRect& rc, const CTkTabManagerItem* item) {
  if (!IsThemed()) return CTkTabPaletteDefault::FillTab(pDC, rc, item);
  const CTkTabSet* strip = item->m_pOwner;
  BOOL selected = strip != nullptr && item == strip->m_pSelected;
  int state = selected ? 3 : (strip != nullptr && item == strip->m_pHot ? 5 : 1);
  int position = GetPosition();
  CRect target = rc;
  if (selected && position == kTabTop) target.bottom += 1;
  if (selected && position == kTabLeft) target.right += 1;
  if (position == kTabTop) {
    target.InflateRect(1, 1, 1, 0);
    m_tabTheme.DrawThemeBackground(pDC->GetSafeHdc(), 1, state, &target, nullptr);
    return kColorUnset;
  }
  // The part exists only for a top strip: render it so and turn it.
  if (position == kTabBottom) target.InflateRect(1, 0, 1, 2);
  if (position == kTabLeft) target.InflateRect(1, 1, 0, 1);
  if (position == kTabRight) target.InflateRect(0, 1, 2, 1);
  int width = target.Width(), height = target.Height();
  if (width <= 0 || height <= 0) return kColorUnset;
  BOOL turn = position != kTabBottom;
  int sourceWidth = turn ? height : width, sourceHeight = turn ? width : height;
  DibSurface source(sourceWidth, sourceHeight), turned(width, height);
  if (!source.IsValid() || !turned.IsValid()) return kColorUnset;
  ::BitBlt(source.dc, 0, 0, sourceWidth, sourceHeight, pDC->GetSafeHdc(), target.left, target.top, SRCCOPY);
  RECT part = {0, 0, sourceWidth, sourceHeight};
  m_tabTheme.DrawThemeBackground(source.dc, 1, state, &part, nullptr);
  ::GdiFlush();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int sx, sy;
      if (position == kTabBottom)
        sx = x, sy = height - 1 - y;  // mirrored rows
      else if (position == kTabLeft)
        sx = height - 1 - y, sy = x;  // the top edge comes to the left
      else
        sx = y, sy = width - 1 - x;  // the top edge comes to the right
      turned.bits[y * width + x] = source.bits[sy * sourceWidth + sx];
    }
  }
  // A bitmap is drawn by DrawState only when no other DC holds it.
  ::SelectObject(turned.dc, turned.previous);
  turned.previous = nullptr;
  pDC->DrawState(target.TopLeft(), target.Size(), turned.bitmap, DST_BITMAP);
  return kColorUnset;
}

COLORREF CTkTabPaletteThemed::FillClient(CDC* pDC, const CRect& rc, const CTkTabSet* strip) {
  if (!IsThemed()) return CTkTabPaletteDefault::FillClient(pDC, rc, strip);
  CRect pane = rc;
  if (GetPosition() == kTabBottom) pane.bottom += 1;
  if (GetPosition() == kTabRight) pane.right += 1;
  m_tabTheme.DrawThemeBackground(pDC->GetSafeHdc(), 9, 0, &pane, nullptr);
  return 0;
}

void CTkTabPaletteThemed::DrawHeaderDecoration(CDC* pDC, const CRect& rc, const CTkTabSet* strip) {
  if (!IsThemed()) {
    CTkTabPaletteDefault::DrawHeaderDecoration(pDC, rc, strip);
    return;
  }
  // Keeps the pane's corner next to the tabs visible.
  const CRect& client = strip->m_clientRect;
  switch (GetPosition()) {
    case kTabBottom: pDC->ExcludeClipRect(client.left, client.bottom - 2, client.left + 1, client.bottom - 1); break;
    case kTabRight: pDC->ExcludeClipRect(client.right - 2, client.top, client.right - 1, client.top + 1); break;
    default: pDC->ExcludeClipRect(client.left, client.top, client.left + 1, client.top + 1); break;
  }
}

void CTkTabPaletteThemed::FillButtonTab(CDC* pDC, const CRect& rc, const CTkTabManagerItem* item) {
  const CTkTabSet* strip = item->m_pOwner;
  if (!IsToolbarThemed() || strip == nullptr || item != strip->m_pSelected) {
    CTkTabPaletteDefault::FillButtonTab(pDC, rc, item);
    return;
  }
  m_toolbarTheme.DrawThemeBackground(pDC->GetSafeHdc(), 1, item == strip->m_pHot ? 6 : 5, &rc, nullptr);
}

void CTkTabPaletteThemed::DrawNavigateButtonFace(CDC* pDC, CTkTabScrollButton* button, CRect* rc) {
  if (!IsToolbarThemed()) {
    CTkTabPaletteDefault::DrawNavigateButtonFace(pDC, button, rc);
    return;
  }
  if (button->m_bEnabled) {
    int state = button->m_bPressed ? 3 : (button->m_bHot ? 2 : 1);
    m_toolbarTheme.DrawThemeBackground(pDC->GetSafeHdc(), 1, state, rc, nullptr);
  }
  pDC->SetTextColor(Sys(COLOR_BTNTEXT));
}

void CTkTabPaletteOffice::RefreshColors() {
  m_bSecondGradient = FALSE;
  if (m_pPainter == nullptr || !m_pPainter->IsXPSchemeColorsDisabled()) {
    CTkTabPaletteXP::RefreshColors();
    return;
  }
  CTkTabPalette::RefreshColors();
  m_selectedFace.SetStandardValue(RGB(255, 255, 255));
  m_bGradientFills = FALSE;
  m_hotFace.SetStandardValue(Sys(36));
  m_navigateFrame.SetStandardValue(Sys(37));
  m_hotText.SetStandardValue(Sys(COLOR_BTNTEXT));
  int scheme = GetCurrentXPScheme();
  if (scheme == xpBlue || scheme == xpOlive) {
    m_headerGradient.SetColor(0xd5e2e4);
    m_bSecondGradient = TRUE;
  } else if (scheme == xpSilver) {
    m_face.SetStandardValue(0xf8f5f5);
    m_headerGradient.SetColor(0xeeeeee);
    m_bSecondGradient = TRUE;
  }
  m_selectedOutline.SetStandardValue(Sys(57));
  m_border.SetStandardValue(Sys(57));
}

COLORREF CTkTabPaletteOffice::FillTab(CDC* pDC, const CRect& rc, const CTkTabManagerItem* item) {
  if (m_bSecondGradient) return CTkTabPaletteXP::FillTab(pDC, rc, item);
  COLORREF color = GetFillColor(item);
  pDC->FillSolidRect(&rc, color);
  return color;
}

CTkTabPalette* CreateTabPalette(int id) {
  switch (id) {
    case 2: return new CTkTabPaletteFlat;
    case 4: return new CTkTabPaletteXP;
    case 8: return new CTkTabPaletteThemed;
    case 16: return new CTkTabPaletteOffice;
    default: return new CTkTabPaletteDefault;
  }
}
