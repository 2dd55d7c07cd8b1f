#include "gradient_progress.h"

#include "memory_dc.h"

namespace {

// Restores what the text drawing selects and sets, and the viewport origin.
class TextState {
 public:
  explicit TextState(CDC* pDC) : m_pDC(pDC), m_saved(pDC->SaveDC()) {}
  ~TextState() { m_pDC->RestoreDC(m_saved); }
  TextState(const TextState&) = delete;
  TextState& operator=(const TextState&) = delete;

 private:
  CDC* m_pDC;
  int m_saved;
};

}  // namespace

BEGIN_MESSAGE_MAP(CGradientProgressCtrl, CProgressCtrl)
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
  ON_MESSAGE(PBM_SETBARCOLOR, OnSetBarColor)
  ON_MESSAGE(PBM_SETBKCOLOR, OnSetBkColor)
  ON_MESSAGE(PBM_SETPOS, OnSetPos)
  ON_MESSAGE(PBM_DELTAPOS, OnDeltaPos)
  ON_MESSAGE(PBM_STEPIT, OnStepIt)
  ON_MESSAGE(PBM_SETSTEP, OnSetStep)
END_MESSAGE_MAP()

CGradientProgressCtrl::CGradientProgressCtrl()
    : BackgroundColor(::GetSysColor(COLOR_BTNFACE)),
      TextColorOnBar(::GetSysColor(COLOR_CAPTIONTEXT)),
      TextColorOffBar(::GetSysColor(COLOR_BTNTEXT)) {
  BOOL gradientCaptions = FALSE;
  ::SystemParametersInfoW(SPI_GETGRADIENTCAPTIONS, 0, &gradientCaptions, 0);
  ColorStops.Add(::GetSysColor(COLOR_ACTIVECAPTION));
  ColorStops.Add(::GetSysColor(gradientCaptions ? COLOR_GRADIENTACTIVECAPTION : COLOR_ACTIVECAPTION));
}

void CGradientProgressCtrl::SetTextFormat(LPCWSTR lpszFormat, DWORD dwMode) {
  if (lpszFormat == nullptr || *lpszFormat == 0 || dwMode == 0) {
    ModifyStyle(kBarTextBits, 0);
    SetWindowText(L"");
    return;
  }
  ModifyStyle(kBarTextBits, dwMode & kBarTextBits);
  SetWindowText(lpszFormat);
}

BOOL CGradientProgressCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

void CGradientProgressCtrl::OnPaint() {
  CPaintDC paint(this);
  CMemoryDC memory(&paint);
  DrawBar(&memory);
}

void CGradientProgressCtrl::DrawBar(CDC* pDC) {
  ProgressDrawInfo info;
  info.pDC = pDC;
  GetClientRect(&info.client);
  info.style = GetStyle();
  info.position = GetPos();
  GetRange(info.lower, info.upper);
  pDC->FillSolidRect(&info.client, BackgroundColor);
  // An empty or inverted range, or a position outside it: background only.
  if (info.upper <= info.lower || info.position < info.lower || info.position > info.upper) return;
  int length = BarLength(info.client, info.style);
  BarSpan filled = {0, ScaleToBar(length, info.position, info.lower, info.upper)};
  if (info.style & kBarSnake) filled.start = ScaleToBar(length, m_nSnakeTail, info.lower, info.upper);
  BarSpan full = {0, length};
  DrawGradient(info, (info.style & kBarGradientOnFilled) ? filled : full, filled);
  DrawBarText(info, full, filled);
}

void CGradientProgressCtrl::DrawGradient(const ProgressDrawInfo& info, BarSpan gradient, BarSpan filled) {
  int stops = static_cast<int>(ColorStops.GetSize());
  for (const GradientBand& band : GradientBands(gradient, filled, stops))
    DrawGradientBand(info, band.band, band.visible, ColorStops[band.stop], ColorStops[band.stop + 1]);
}

void CGradientProgressCtrl::DrawGradientBand(const ProgressDrawInfo& info, BarSpan band, BarSpan visible,
                                             COLORREF from, COLORREF to) {
  CDC* pDC = info.pDC;
  BOOL palette = (pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
  BOOL lowColour = !palette && pDC->GetDeviceCaps(BITSPIXEL) * pDC->GetDeviceCaps(PLANES) < 8;
  for (const GradientStep& step : GradientSteps(band, visible, from, to, lowColour)) {
    CRect rect = SpanToWindow(info.client, info.style, step.span);
    if (palette) {
      CBrush brush(step.colour);
      pDC->FillRect(&rect, &brush);
    } else {
      pDC->FillSolidRect(&rect, step.colour);
    }
  }
}

void CGradientProgressCtrl::DrawBarText(const ProgressDrawInfo& info, BarSpan full, BarSpan filled) {
  CString format;
  GetWindowText(format);
  CString text = BarText(info.style, format, info.position, info.lower, info.upper);
  if (text.IsEmpty()) return;
  CDC* pDC = info.pDC;
  TextState restore(pDC);
  HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  if (hFont != nullptr) pDC->SelectObject(hFont);
  pDC->SetTextColor(TextColorOnBar);
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextAlign(TA_CENTER | TA_BOTTOM);
  CSize extent = pDC->GetTextExtent(text);
  LOGFONTW font = {};
  ::GetObjectW(::GetCurrentObject(pDC->m_hDC, OBJ_FONT), sizeof font, &font);
  bool vertical = (info.style & kBarVertical) != 0;
  int dx = 0, dy = 0, along = 0;
  switch (font.lfEscapement / 10) {
    case 0: dy = extent.cy; along = vertical ? extent.cy : extent.cx; break;
    case 90: dx = extent.cy; along = vertical ? extent.cx : extent.cy; break;
    case 180: dy = -extent.cy; along = vertical ? extent.cy : extent.cx; break;
    case 270: dx = -extent.cy; along = vertical ? extent.cx : extent.cy; break;
    default: break;
  }
  CRect area = info.client;
  if (info.style & kBarTextOnFilled) {
    if (along > filled.Length()) return;
    area = SpanToWindow(info.client, info.style, filled);
  }
  CPoint anchor(area.left + (area.Width() + dx) / 2, area.top + (area.Height() + dy) / 2);
  CPoint windowOrigin = pDC->GetWindowOrg();
  pDC->OffsetViewportOrg(anchor.x, anchor.y);
  if (info.style & kBarTextOnFilled) {
    DrawClippedText(info, filled, text, windowOrigin);
  } else if (TextColorOnBar == TextColorOffBar) {
    DrawClippedText(info, full, text, windowOrigin);
  } else {
    if (filled.Length() > 0) DrawClippedText(info, filled, text, windowOrigin);
    pDC->SetTextColor(TextColorOffBar);
    if (full.end > filled.end) DrawClippedText(info, {filled.end, full.end}, text, windowOrigin);
    if (filled.start > full.start) DrawClippedText(info, {full.start, filled.start}, text, windowOrigin);
  }
}

void CGradientProgressCtrl::DrawClippedText(const ProgressDrawInfo& info, BarSpan span, const CString& text,
                                            CPoint windowOrigin) {
  CRect clip = SpanToWindow(info.client, info.style, span);
  clip.OffsetRect(-windowOrigin.x, -windowOrigin.y);
  CRgn region;
  region.CreateRectRgnIndirect(&clip);
  info.pDC->SelectClipRgn(&region);
  info.pDC->TextOut(0, 0, text);
  region.DeleteObject();
}

LRESULT CGradientProgressCtrl::OnSetBarColor(WPARAM wParam, LPARAM lParam) {
  ColorStops.RemoveAll();
  ColorStops.Add(static_cast<COLORREF>(lParam));
  ColorStops.Add(static_cast<COLORREF>(wParam != 0 ? wParam : lParam));
  return CLR_DEFAULT;
}

LRESULT CGradientProgressCtrl::OnSetBkColor(WPARAM, LPARAM lParam) {
  BackgroundColor = static_cast<COLORREF>(lParam);
  return CLR_DEFAULT;
}

LRESULT CGradientProgressCtrl::OnSetPos(WPARAM wParam, LPARAM) {
  LRESULT result = 0;
  if (AdvanceSnake(&result, static_cast<int>(wParam), FALSE)) return result;
  return Default();
}

LRESULT CGradientProgressCtrl::OnDeltaPos(WPARAM wParam, LPARAM) {
  LRESULT result = 0;
  if (AdvanceSnake(&result, static_cast<int>(wParam), TRUE)) return result;
  return Default();
}

LRESULT CGradientProgressCtrl::OnStepIt(WPARAM, LPARAM) {
  LRESULT result = 0;
  if (AdvanceSnake(&result, m_nStep, TRUE)) return result;
  return Default();
}

LRESULT CGradientProgressCtrl::OnSetStep(WPARAM wParam, LPARAM) {
  m_nStep = static_cast<int>(wParam);
  return Default();
}

BOOL CGradientProgressCtrl::AdvanceSnake(LRESULT* pResult, int value, BOOL bIncrement) {
  if (!(GetStyle() & kBarSnake)) return FALSE;
  int lower = 0, upper = 0;
  GetRange(lower, upper);
  SnakeStep step = AdvanceSnakeRun(GetPos(), m_nSnakeTail, m_nSnakeLength, lower, upper, value, bIncrement);
  if (step.reverse) {
    DWORD style = GetStyle();
    ModifyStyle(kBarReversed, (style & kBarReversed) ? 0 : kBarReversed);
  } else if (step.invalidate) {
    Invalidate(TRUE);
  }
  m_nSnakeTail = step.tail;
  *pResult = DefWindowProc(PBM_SETPOS, static_cast<WPARAM>(step.head), 0);
  return TRUE;
}
