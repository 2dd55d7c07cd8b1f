#include "bar_painter.h"

#include <algorithm>
#include <vector>

#include "popup_bar.h"
#include "draw_helpers.h"
#include "icon_image.h"
#include "image_manager.h"

CTkBarPainter* CurrentBarPainter = nullptr;

namespace {
struct PainterRelease {
  ~PainterRelease() { ReleaseCurrentBarPainter(); }
} painterRelease;
}  // namespace

IMPLEMENT_DYNAMIC(CTkBarPainter, CCmdTarget)

extern const CRuntimeClass* const LinkedBarLooks[];

CTkBarPainter* CreateBarPainter(int theme) {
  // Looks are made by class name; the list keeps the toolkit's own linked.
  if (LinkedBarLooks[0] == nullptr) return nullptr;
  static const char* const kLooks[] = {"CTkBarPainterDefault", "CTkBarPainterTheme1", "CTkBarPainterTheme2",
                                       "CTkBarPainterNative", "CTkBarPainterTheme4"};
  const char* name = theme >= 1 && theme <= 4 ? kLooks[theme] : kLooks[0];
  CRuntimeClass* look = CRuntimeClass::FromName(name);
  if (look == nullptr || !look->IsDerivedFrom(RUNTIME_CLASS(CTkBarPainter))) return nullptr;
  auto* painter = static_cast<CTkBarPainter*>(look->CreateObject());
  if (painter != nullptr) painter->m_themeNumber = theme;
  return painter;
}

void SetCurrentTheme(int theme) {
  // A look the program lacks leaves the installed painter in place.
  CTkBarPainter* painter = CreateBarPainter(theme);
  if (painter == nullptr) return;
  SetCurrentBarPainter(painter);
  painter->m_themeNumber = theme;
}

CTkBarPainter* GetCurrentBarPainter() {
  if (CurrentBarPainter == nullptr) SetCurrentTheme(0);
  return CurrentBarPainter;
}

void SetCurrentBarPainter(CTkBarPainter* painter) {
  ReleaseCurrentBarPainter();
  CurrentBarPainter = painter;
  if (painter == nullptr) return;
  painter->m_themeNumber = CTkBarPainter::kThemeInstalledDirectly;
  painter->UpdateFontsAndColors();
}

void ReleaseCurrentBarPainter() {
  CTkBarPainter* painter = CurrentBarPainter;
  CurrentBarPainter = nullptr;
  if (painter != nullptr) painter->InternalRelease();
}

namespace {
void SleepFor(DWORD milliseconds) { ::Sleep(milliseconds); }
}  // namespace

void (*CTkBarPainter::AnimationSleep)(DWORD milliseconds) = SleepFor;

CTkBarPainter::CTkBarPainter() { GetSharedImageManager()->ResetDerivedImages(); }

COLORREF CTkBarPainter::GetColor(int index) const {
  if (index >= 0 && index < kColorCount) return m_colors[index];
  return static_cast<COLORREF>(index);
}

void CTkBarPainter::SetColors(int count, const int* indices, const COLORREF* colors) {
  for (int i = 0; i < count; ++i)
    if (indices[i] >= 0 && indices[i] < kColorCount) m_colors[indices[i]].SetStandardValue(colors[i]);
}

XPSchemeId CTkBarPainter::GetXPScheme() const {
  if (m_xpScheme == xpDefault)
    return GetColorScheme()->IsXPSchemeDisabled() ? xpNone : GetColorScheme()->GetActiveXPScheme();
  if (m_xpScheme == xpSystem) return GetColorScheme()->GetSystemXPScheme();
  return m_xpScheme;
}

void CTkBarPainter::UpdateFontsAndColors() {
  UpdateFonts();
  RefreshColorScheme();
  for (int i = 0; i < kColorCount; ++i) m_colors[i].SetStandardValue(GetColorScheme()->GetColor(i));
  m_shadowColor = 0;
  m_statusTextColor = GetColor(COLOR_BTNTEXT);
  m_faceGradient.SetColors(GetColor(COLOR_BTNFACE), GetColor(COLOR_BTNSHADOW), 0.5f);
}

void CTkBarPainter::UpdateFonts() {
  CTkWindowMetrics metrics;
  if (m_bFollowSystemFont) {
    LOGFONTW lf = metrics.MenuFontOnScreen();
    lf.lfHeight = PainterFontHeight(lf.lfHeight);
    SetFonts(&lf, TRUE);
  }
  auto rebuild = [](CTkSystemFont& font, LOGFONTW lf) {
    if (!font.m_bFollowSystem && font.GetSafeHandle() != nullptr) return;
    font.DeleteObject();
    font.CreateFontIndirect(&lf);
  };
  rebuild(m_smallCaptionFont, metrics.lfSmCaptionFont);
  LOGFONTW iconTitle = {};
  ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof iconTitle, &iconTitle, 0);
  rebuild(m_iconTitleFont, iconTitle);
  iconTitle.lfWeight = FW_BOLD;
  rebuild(m_boldIconTitleFont, iconTitle);
}

void CTkBarPainter::SetFonts(LOGFONTW* lf, BOOL followSystem) {
  m_bFollowSystemFont = followSystem;
  if (lf == nullptr) return;
  m_regularFont.DeleteObject();
  m_boldFont.DeleteObject();
  m_verticalFont.DeleteObject();
  m_verticalBoldFont.DeleteObject();
  m_boldIconTitleFont.DeleteObject();
  if (lstrcmpiW(lf->lfFaceName, L"Tahoma") == 0) m_bUseTahoma = TRUE;
  if (lf->lfCharSet <= 2 && followSystem && m_bUseTahoma && FontFaceExists(L"Tahoma"))
    lstrcpynW(lf->lfFaceName, L"Tahoma", LF_FACESIZE);

  m_regularFont.CreateFontIndirect(lf);
  const LONG weight = lf->lfWeight;
  lf->lfWeight = FW_BOLD;
  m_boldFont.CreateFontIndirect(lf);
  lf->lfWeight = weight;
  lf->lfEscapement = 2700;
  lf->lfOrientation = 900;
  lstrcpynW(lf->lfFaceName, GetStandardFontFace(m_bUseTahoma), LF_FACESIZE);
  m_verticalFont.CreateFontIndirect(lf);
  lf->lfWeight = FW_BOLD;
  m_verticalBoldFont.CreateFontIndirect(lf);

  HDC screen = ::GetDC(nullptr);
  HGDIOBJ previous = ::SelectObject(screen, m_regularFont.GetSafeHandle());
  SIZE size = {0, 0};
  ::GetTextExtentPoint32W(screen, L" ", 1, &size);
  ::SelectObject(screen, previous);
  ::ReleaseDC(nullptr, screen);
  m_controlHeight = size.cy + 6;
}

CFont* CTkBarPainter::GetControlFont(int barPosition, BOOL bold) {
  if (barPosition == 2 || barPosition == 3) return bold ? &m_verticalBoldFont : &m_verticalFont;
  return bold ? &m_boldFont : &m_regularFont;
}

void CTkBarPainter::FillTriangle(CDC* pDC, CPoint a, CPoint b, CPoint c, COLORREF color) {
  const POINT points[3] = {a, b, c};
  ::FillTriangle(pDC, points, color);
}

void CTkBarPainter::FillRectWithBorder(CDC* pDC, const CRect& rect, COLORREF border, COLORREF fill) {
  if (fill != static_cast<COLORREF>(-1)) pDC->FillSolidRect(&rect, GetColor(static_cast<int>(fill)));
  if (border != static_cast<COLORREF>(-1) && border != fill) {
    COLORREF color = GetColor(static_cast<int>(border));
    pDC->Draw3dRect(&rect, color, color);
  }
}

void CTkBarPainter::DrawBevelRect(CDC* pDC, const CRect& rect, COLORREF topLeft, COLORREF bottomRight) {
  pDC->Draw3dRect(&rect, GetColor(static_cast<int>(topLeft)), GetColor(static_cast<int>(bottomRight)));
}

void CTkBarPainter::DrawSegment(CDC* pDC, int x1, int y1, int x2, int y2) {
  pDC->MoveTo(x1, y1);
  pDC->LineTo(x2, y2);
}

void CTkBarPainter::DrawColorSegment(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF color) {
  CTkPenSelector pen(pDC->GetSafeHdc(), GetColor(static_cast<int>(color)));
  DrawSegment(pDC, x1, y1, x2, y2);
}

void CTkBarPainter::StripMnemonics(CString& text) { ::StripMnemonics(text); }

void CTkBarPainter::FillGradientClipped(CDC* pDC, LPCRECT rect, COLORREF first, COLORREF second, BOOL horizontal,
                                        LPCRECT clip) {
  GetGradientPainter().FillGradientClipped(pDC, rect, first, second, horizontal, clip);
}

void CTkBarPainter::FillDockBar(CDC* pDC, CWnd* pWnd) {
  CRect client;
  ::GetClientRect(pWnd->GetSafeHwnd(), &client);
  pDC->FillSolidRect(&client, GetColor(COLOR_BTNFACE));
}

void CTkBarPainter::FillStatusBar(CDC* pDC, CWnd* pWnd) { FillDockBar(pDC, pWnd); }

void CTkBarPainter::DrawStatusBarPane(CDC* pDC, CRect rect, CTkStatusPaneInfo* pane) {
  const UINT style = pane->GetStyle();
  const BOOL enabled = (style & SBPS_DISABLED) == 0;
  const BOOL drawText = enabled || pane->DrawsDisabledText();
  const COLORREF background = pane->GetBackgroundColor();
  if (background != static_cast<COLORREF>(-1)) {
    CRect fill = rect;
    if ((style & SBPS_NOBORDERS) == 0) fill.DeflateRect(1, 1);
    pDC->FillSolidRect(&fill, background);
  }
  CTkFontSelector font(pDC, pane->GetTextFont());
  rect.DeflateRect(2, 1);
  const CString text = pane->GetText();
  CTkImageIcon* icon = pane->GetImage();
  const int textWidth = text.IsEmpty() ? 0 : pDC->GetTextExtent(text).cx;
  const int alignment = pane->GetTextAlignment();
  if (alignment == CTkStatusPaneInfo::kAlignCenter || alignment == CTkStatusPaneInfo::kAlignRight) {
    int needed = textWidth + (icon != nullptr ? icon->GetWidth() + (textWidth > 0 ? 2 : 0) : 0);
    if (needed < rect.Width())
      rect.left = alignment == CTkStatusPaneInfo::kAlignRight ? rect.right - needed : (rect.left + rect.right - needed) / 2;
  }
  if (icon != nullptr) {
    if (rect.Width() >= icon->GetWidth()) {
      CTkIconHandle& image = enabled ? icon->GetNormalImage() : icon->GetDisabledImage(TRUE);
      icon->Draw(pDC, rect.left, (rect.top + rect.bottom - icon->GetHeight()) / 2, image);
    }
    rect.left += icon->GetWidth() + 2;
  }
  if (!drawText || text.IsEmpty()) return;
  int oldMode = pDC->SetBkMode(TRANSPARENT);
  COLORREF color = pane->GetTextColor();
  if (color == static_cast<COLORREF>(-1)) color = m_statusTextColor;
  if (!enabled) color = GetColor(COLOR_GRAYTEXT);
  COLORREF oldColor = pDC->SetTextColor(color);
  pDC->DrawText(text, &rect, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_NOPREFIX);
  pDC->SetTextColor(oldColor);
  pDC->SetBkMode(oldMode);
}

void CTkBarPainter::DrawStatusBarPaneBorder(CDC* pDC, CRect rect, BOOL) {
  DrawBevelRect(pDC, rect, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
}

void CTkBarPainter::DrawStatusBarGripper(CDC* pDC, int left, int top, int right, int bottom) {
  const int w = right - left;
  const int h = bottom - top;
  for (int k = 0; k < 3; ++k) {
    DrawColorSegment(pDC, w - 3 - 4 * k, h - 2, w - 1, h - 4 - 4 * k, COLOR_BTNSHADOW);
    DrawColorSegment(pDC, w - 4 - 4 * k, h - 2, w - 1, h - 5 - 4 * k, COLOR_BTNSHADOW);
  }
  for (int k = 0; k < 3; ++k) DrawColorSegment(pDC, w - 5 - 4 * k, h - 2, w - 1, h - 6 - 4 * k, COLOR_BTNHIGHLIGHT);
}

void CTkBarPainter::BlendBitmaps(const DWORD* image, const DWORD* screen, DWORD* mix, size_t count, int weight) {
  for (size_t i = 0; i < count; ++i) {
    DWORD result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      DWORD a = (image[i] >> shift) & 0xFF;
      DWORD b = (screen[i] >> shift) & 0xFF;
      result |= ((a * weight + b * (255 - weight)) >> 8) << shift;
    }
    mix[i] = result;
  }
}

void CTkBarPainter::AnimatePopup(CDC* pDestDC, CDC* pImageDC, CRect rect, int animationType) {
  const int steps = m_animationSteps;
  const int width = rect.Width();
  const int height = rect.Height();
  if ((animationType == 2 || animationType == 3) && steps > 0) {
    for (int i = 1; i <= steps; ++i) {
      if (animationType == 2) {
        int w = width * i / steps;
        int h = height * i / steps;
        pDestDC->BitBlt(0, 0, w, h, pImageDC, rect.right - w, rect.bottom - h, SRCCOPY);
      } else {
        int h = height * i / steps;
        pDestDC->BitBlt(0, 0, width, h, pImageDC, 0, height - h, SRCCOPY);
      }
      AnimationSleep(static_cast<DWORD>(m_animationTime / steps));
    }
    return;
  }
  if (animationType != 4 || steps < 2 || width <= 0 || height <= 0) return;
  HDC memory = ::CreateCompatibleDC(pDestDC->GetSafeHdc());
  DWORD* bits[3] = {};
  HBITMAP sections[3] = {};
  for (int i = 0; i < 3; ++i) sections[i] = CreateAlphaSection(width, height, reinterpret_cast<void**>(&bits[i]));
  if (memory != nullptr && sections[0] != nullptr && sections[1] != nullptr && sections[2] != nullptr) {
    HGDIOBJ previous = ::SelectObject(memory, sections[0]);
    ::BitBlt(memory, 0, 0, width, height, pImageDC->GetSafeHdc(), 0, 0, SRCCOPY);
    ::SelectObject(memory, sections[1]);
    ::BitBlt(memory, 0, 0, width, height, pDestDC->GetSafeHdc(), 0, 0, SRCCOPY);
    ::SelectObject(memory, sections[2]);
    ::GdiFlush();
    const size_t count = static_cast<size_t>(width) * height;
    for (int k = 1; k < steps; ++k) {
      DWORD start = ::GetTickCount();
      BlendBitmaps(bits[0], bits[1], bits[2], count, 255 * k / steps);
      ::BitBlt(pDestDC->GetSafeHdc(), rect.left, rect.top, width, height, memory, 0, 0, SRCCOPY);
      DWORD spent = ::GetTickCount() - start;
      DWORD step = static_cast<DWORD>(m_animationTime / steps);
      if (spent < step) AnimationSleep(step - spent);
    }
    ::SelectObject(memory, previous);
  }
  for (HBITMAP section : sections)
    if (section != nullptr) ::DeleteObject(section);
  if (memory != nullptr) ::DeleteDC(memory);
}

int CTkBarPainter::AnimateExpandedPopup(CTkPopupBar* popup, CDC* pDestDC, CDC* pImageDC, BOOL downward) {
  const int steps = m_animationSteps;
  if (steps <= 0) return 0;
  CRect client;
  popup->GetClientRect(&client);
  const int width = client.Width();
  const int height = client.Height();
  // Bands between rarely used and other controls: the rarely used ones grow
  // with the step, the others keep their height.
  auto drawBand = [&](int sourceTop, int band, int destTop, BOOL rare, int step) {
    band = std::max(band, 0);
    const int drawn = rare ? band * step / steps : band;
    if (!downward) destTop -= drawn;
    pDestDC->StretchBlt(0, destTop, width, drawn, pImageDC, 0, sourceTop, width, band, SRCCOPY);
    return drawn;
  };
  const int count = popup->GetControlCount();
  for (int step = 1; step <= steps; ++step) {
    BOOL rare = FALSE;
    if (downward) {
      int source = 0;
      int dest = 0;
      for (int i = 0; i < count; ++i) {
        CTkControl* control = popup->GetControl(i);
        if (!control->IsVisible() || control->IsRarelyUsed() == rare) continue;
        const int top = control->GetRect().top;
        dest += drawBand(source, top - source, dest, rare, step);
        source = top;
        rare = control->IsRarelyUsed();
      }
      drawBand(source, height - source, dest, rare, step);
    } else {
      int source = height;
      int dest = height;
      for (int i = count - 1; i >= 0; --i) {
        CTkControl* control = popup->GetControl(i);
        if (!control->IsVisible() || control->IsRarelyUsed() == rare) continue;
        const int bottom = control->GetRect().bottom;
        dest -= drawBand(bottom, source - bottom, dest, rare, step);
        source = bottom;
        rare = control->IsRarelyUsed();
      }
      drawBand(0, source, dest, rare, step);
    }
    AnimationSleep(static_cast<DWORD>(m_animationTime / steps));
  }
  return steps;
}
