#include "html_tooltip.h"

#include <algorithm>

namespace {

const wchar_t kClassName[] = L"CHtmlToolTip";

const int kBalloonSizes[9] = {16, 16, 12, 12, 12, 16, 16, 0, 0};
const int kPlainSizes[9] = {0, 0, 3, 1, 0, 0, 0, 0, 0};

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool IsEmpty(const RECT& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

// A memory DC over a bitmap, released with it.
class CBitmapDC : public CDC {
 public:
  CBitmapDC(HDC like, HBITMAP bitmap) {
    Attach(::CreateCompatibleDC(like));
    m_old = ::SelectObject(GetSafeHdc(), bitmap);
  }
  ~CBitmapDC() override {
    ::SelectObject(GetSafeHdc(), m_old);
    ::DeleteDC(Detach());
  }

 private:
  HGDIOBJ m_old;
};

}  // namespace

BEGIN_MESSAGE_MAP(CHtmlToolTip, CWnd)
  ON_WM_PAINT()
  ON_WM_TIMER()
  ON_WM_SETCURSOR()
  ON_WM_ACTIVATEAPP()
  ON_MESSAGE(CHtmlToolTip::kLinkNotice, OnLinkNotice)
END_MESSAGE_MAP()

CHtmlToolTip::CHtmlToolTip() {
  WNDCLASSW wc = {};
  wc.style = CS_SAVEBITS;
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = AfxGetInstanceHandle();
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  AfxRegisterClass(&wc);  // throws the resource exception when it fails
  m_colors[0] = m_colors[1] = m_colors[2] = ::GetSysColor(COLOR_INFOBK);
  m_borderBrush = ::CreateSolidBrush(::GetSysColor(COLOR_INFOTEXT));
  SetDefaultSizes(TRUE);
  m_drawer.SetMaximumWidth(0);
}

CHtmlToolTip::~CHtmlToolTip() {
  if (GetSafeHwnd() != nullptr) DestroyWindow();
  FreeTip();
  if (m_borderBrush != nullptr) ::DeleteObject(m_borderBrush);
}

BOOL CHtmlToolTip::Create(CWnd* pParentWnd, BOOL balloon) {
  m_parent = pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr;
  if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, nullptr, WS_POPUP, 0, 0, 0, 0, m_parent, nullptr))
    return FALSE;
  SetDefaultSizes(balloon);
  m_drawer.SetCallbackMessage(GetSafeHwnd(), kLinkNotice, 0);
  SetTimer(kAnimationTimer, 100);
  return TRUE;
}

BOOL CHtmlToolTip::DestroyWindow() {
  HideAtOnce();
  KillTimer(kAnimationTimer);
  return CWnd::DestroyWindow();
}

BOOL CHtmlToolTip::PreTranslateMessage(MSG* pMsg) {
  RelayToolMessage(pMsg);
  return CWnd::PreTranslateMessage(pMsg);
}

const std::vector<TooltipToolRecord>* CHtmlToolTip::GetTools(HWND hWnd) const {
  const auto found = m_tools.find(hWnd);
  return found != m_tools.end() ? &found->second : nullptr;
}

void CHtmlToolTip::AddTool(CWnd* pWnd, LPCWSTR text, const RECT* rect, UINT id) {
  if (pWnd == nullptr) return;
  TooltipToolRecord record = {};
  record.id = id;
  if (rect != nullptr) record.rect = *rect;
  record.text = text;
  std::vector<TooltipToolRecord>& records = m_tools[pWnd->GetSafeHwnd()];
  for (TooltipToolRecord& existing : records) {
    if (SameRect(existing.rect, record.rect)) {
      existing = record;
      return;
    }
  }
  records.push_back(record);
}

void CHtmlToolTip::SetBackgroundColors(COLORREF begin, COLORREF middle, COLORREF end) {
  m_colors[0] = begin;
  m_colors[1] = middle;
  m_colors[2] = end;
}

void CHtmlToolTip::SetBackgroundEffect(int effect, BYTE granularity) {
  m_defaultEffect = effect;
  m_defaultGranularity = granularity;
}

void CHtmlToolTip::SetBorder(COLORREF colour, int width, int height) {
  if (m_borderBrush != nullptr) ::DeleteObject(m_borderBrush);
  m_borderBrush = ::CreateSolidBrush(colour);
  m_borderWidth = width;
  m_borderHeight = height;
}

void CHtmlToolTip::SetDelayTime(UINT kind, UINT milliseconds) {
  switch (kind) {
    case 2: m_autoHideDelay = milliseconds; break;
    case 3: m_initialDelay = milliseconds; break;
    case 4: m_fadeInStep = milliseconds; break;
    case 5: m_fadeOutStep = milliseconds; break;
    case 6:
      if (GetSafeHwnd() == nullptr) break;
      KillTimer(kAnimationTimer);
      if (milliseconds != 0) SetTimer(kAnimationTimer, milliseconds);
      break;
    default: break;
  }
}

void CHtmlToolTip::SetSize(int index, int value) {
  if (index >= 0 && index < 9) m_sizes[index] = value;
}

void CHtmlToolTip::SetDefaultSizes(BOOL balloon) {
  std::copy(balloon ? kBalloonSizes : kPlainSizes, (balloon ? kBalloonSizes : kPlainSizes) + 9, m_sizes);
}

void CHtmlToolTip::SetShadow(int offsetX, int offsetY, int darkness, BOOL blurred, int blurX, int blurY) {
  m_shadowX = offsetX;
  m_shadowY = offsetY;
  m_darkness = static_cast<BYTE>(std::min(std::max(darkness, 0), 100));
  m_shadowBlurred = blurred;
  m_blurX = blurX;
  m_blurY = blurY;
}

LRESULT CHtmlToolTip::RelayToolMessage(MSG* pMsg) {
  if (pMsg == nullptr || GetSafeHwnd() == nullptr) return 0;
  switch (pMsg->message) {
    case WM_MOUSEMOVE:
      OnMouseMove(pMsg->pt);
      break;
    case WM_LBUTTONDOWN:
      if (IsWindowVisible() && ::WindowFromPoint(pMsg->pt) == GetSafeHwnd()) {
        POINT point = pMsg->pt;
        ::ScreenToClient(GetSafeHwnd(), &point);
        m_drawer.OnLButtonDown(point);
      }
      HideAtOnce();
      break;
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: case WM_MOUSEWHEEL: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK: case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK:
    case WM_KEYDOWN: case WM_SYSKEYDOWN:
      HideAtOnce();
      break;
    default: break;
  }
  return 0;
}

void CHtmlToolTip::OnMouseMove(POINT screen) {
  if (screen.x == m_lastMouse.x && screen.y == m_lastMouse.y) return;
  m_lastMouse = screen;
  POINT client = screen;
  ::ScreenToClient(m_parent, &client);

  if (IsWindowVisible() && ::WindowFromPoint(screen) == GetSafeHwnd()) {
    if ((m_displayed.behaviour & 0x02) == 0) {
      if ((m_displayed.behaviour & 0x08) != 0) StartAutoHide(m_displayed);
      else BeginToHide();
      return;
    }
  }
  HWND toolWnd = nullptr;
  TooltipToolRecord tool = {};
  if (!FindTool(client, toolWnd, tool)) {
    ClearCurrentTool();
    KillTimer(kInitialTimer);
    BeginToHide();
    return;
  }
  if (toolWnd == m_currentToolWnd && SameRect(tool.rect, m_displayed.rect)) {
    if ((m_displayed.behaviour & 0x02) != 0) {
      StartAutoHide(m_displayed);
      ::SetWindowPos(GetSafeHwnd(), nullptr, screen.x, screen.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else if ((m_displayed.behaviour & 0x04) != 0) {
      StartAutoHide(m_displayed);
    } else if ((m_displayed.behaviour & 0x01) == 0) {
      BeginToHide();
    } else {
      ShowTool(toolWnd, tool, TRUE);
    }
    return;
  }
  ShowTool(toolWnd, tool, TRUE);
}

BOOL CHtmlToolTip::FindTool(POINT client, HWND& toolWnd, TooltipToolRecord& tool) const {
  POINT screen = client;
  ::ClientToScreen(m_parent, &screen);
  HWND under = ::WindowFromPoint(screen);
  if (under == nullptr) return FALSE;
  HWND underParent = ::GetParent(under);
  WCHAR className[32] = {};
  if (underParent != nullptr) ::GetClassNameW(underParent, className, 32);
  if (underParent != nullptr && lstrcmpiW(className, L"combobox") == 0 &&
      (::GetWindowLongPtrW(underParent, GWL_STYLE) & 3) == CBS_DROPDOWN) {
    toolWnd = underParent;
  } else {
    POINT inUnder = screen;
    ::ScreenToClient(under, &inUnder);
    HWND child = ::ChildWindowFromPoint(under, inUnder);
    toolWnd = child != nullptr ? child : under;
    if (!::IsWindowEnabled(toolWnd)) return FALSE;
  }
  const auto found = m_tools.find(toolWnd);
  if (found == m_tools.end() || found->second.empty()) return FALSE;
  const std::vector<TooltipToolRecord>& records = found->second;
  if (records.size() == 1 && IsEmpty(records[0].rect)) {
    tool = records[0];
    return TRUE;
  }
  POINT inTool = screen;
  ::ScreenToClient(toolWnd, &inTool);
  if (CScrollView* view = dynamic_cast<CScrollView*>(CWnd::FromHandlePermanent(toolWnd))) {
    const CPoint scroll = view->GetScrollPosition();
    inTool.x += scroll.x;
    inTool.y += scroll.y;
  }
  for (const TooltipToolRecord& record : records) {
    if (::PtInRect(&record.rect, inTool)) {
      tool = record;
      return TRUE;
    }
  }
  return FALSE;
}

void CHtmlToolTip::ShowTool(HWND toolWnd, const TooltipToolRecord& tool, BOOL delayed) {
  m_pendingShow = FALSE;
  if (m_state == kAppearing || m_state == kShown) BeginToHide();
  m_pending = tool;
  m_pendingToolWnd = toolWnd;
  if (m_state == kDisappearing) {
    m_pendingShow = TRUE;
    m_pendingDelayed = delayed && m_initialDelay != 0;
    return;
  }
  if (delayed && m_initialDelay != 0) SetTimer(kInitialTimer, m_initialDelay);
  else OnInitialDelay();
}

void CHtmlToolTip::ClearCurrentTool() {
  m_currentToolWnd = nullptr;
  m_displayed.rect = RECT();
}

void CHtmlToolTip::StartAutoHide(const TooltipToolRecord& tool) {
  if (m_autoHideDelay != 0 && (tool.behaviour & 0x10) == 0) SetTimer(kAutoHideTimer, m_autoHideDelay);
}

void CHtmlToolTip::OnTimer(UINT_PTR nIDEvent) {
  switch (nIDEvent) {
    case kInitialTimer: OnInitialDelay(); break;
    case kAutoHideTimer: OnAutoHide(); break;
    case kFadeInTimer: OnFadeIn(); break;
    case kFadeOutTimer: OnFadeOut(); break;
    case kAnimationTimer:
      if (IsWindowVisible() && m_state == kShown && m_drawer.StepAnimations()) {
        CClientDC dc(this);
        PaintTip(&dc, m_transparency);
      }
      break;
    default: CWnd::OnTimer(nIDEvent); break;
  }
}

void CHtmlToolTip::OnInitialDelay() {
  KillTimer(kInitialTimer);
  POINT cursor;
  ::GetCursorPos(&cursor);
  if (cursor.x != m_lastMouse.x || cursor.y != m_lastMouse.y) {
    BeginToHide();
    return;
  }
  if (m_state != kHidden) return;
  m_state = kAppearing;
  if (!PrepareTip(cursor)) {
    m_state = kHidden;
    return;
  }
  if (m_fadeInStep != 0) {
    SetTimer(kFadeInTimer, m_fadeInStep);
  } else {
    m_state = kShown;
    StartAutoHide(m_pending);
  }
}

void CHtmlToolTip::OnAutoHide() {
  KillTimer(kInitialTimer);
  KillTimer(kFadeInTimer);
  KillTimer(kAutoHideTimer);
  if (m_state == kDisappearing) return;
  m_state = kDisappearing;
  if (m_fadeOutStep != 0) {
    SetTimer(kFadeOutTimer, m_fadeOutStep);
  } else {
    m_transparency = 100;
    OnFadeOut();
  }
}

void CHtmlToolTip::OnFadeIn() {
  m_transparency = m_transparency <= 20 ? 0 : m_transparency - 20;
  if (m_transparency <= m_displayed.transparency) {
    m_transparency = m_displayed.transparency;
    KillTimer(kFadeInTimer);
    m_state = kShown;
    StartAutoHide(m_displayed);
  }
  CClientDC dc(this);
  PaintTip(&dc, m_transparency);
}

void CHtmlToolTip::OnFadeOut() {
  m_transparency = m_transparency >= 80 ? 100 : m_transparency + 20;
  if (m_transparency < 100) {
    CClientDC dc(this);
    PaintTip(&dc, m_transparency);
    return;
  }
  KillTimer(kFadeOutTimer);
  if ((m_displayed.behaviour & 0x01) != 0) ClearCurrentTool();
  ShowWindow(SW_HIDE);
  m_state = kHidden;
  if (m_pendingShow) {
    m_pendingShow = FALSE;
    if (m_pendingDelayed) SetTimer(kInitialTimer, m_initialDelay);
    else OnInitialDelay();
  }
}

void CHtmlToolTip::BeginToHide() {
  if (m_state == kAppearing) {
    KillTimer(kFadeInTimer);
    OnAutoHide();
  } else if (m_state == kShown) {
    OnAutoHide();
  }
}

void CHtmlToolTip::HideAtOnce() {
  m_state = kHidden;
  for (UINT timer = kInitialTimer; timer <= kFadeOutTimer; ++timer) KillTimer(timer);
  if (GetSafeHwnd() != nullptr && IsWindowVisible()) {
    if ((m_displayed.behaviour & 0x01) != 0) ClearCurrentTool();
    ShowWindow(SW_HIDE);
  }
}

void CHtmlToolTip::FreeTip() {
  if (m_region != nullptr) ::DeleteObject(m_region);
  if (m_background != nullptr) ::DeleteObject(m_background);
  if (m_capture != nullptr) ::DeleteObject(m_capture);
  m_region = nullptr;
  m_background = m_capture = nullptr;
}

HRGN CHtmlToolTip::BuildRegion() const {
  const TipRect& body = m_placement.body;
  HRGN region = ::CreateRoundRectRgn(body.left, body.top, body.right + 1, body.bottom + 1, m_sizes[0], m_sizes[1]);
  TipPoint stem[3];
  if (StemTriangle(m_placement, {m_sizes[4], m_sizes[5], m_sizes[6]}, stem)) {
    POINT points[3];
    for (int n = 0; n < 3; ++n) points[n] = {stem[n].x, stem[n].y};
    HRGN triangle = ::CreatePolygonRgn(points, 3, WINDING);
    ::CombineRgn(region, region, triangle, RGN_OR);
    ::DeleteObject(triangle);
  }
  return region;
}

// The stem has no body of its own: one line of the body next to it is
// repeated through it, so that the effect runs on into the stem.
void CHtmlToolTip::FillStem(CDC& dc) {
  const TipRect& body = m_placement.body;
  const TipRect& bounds = m_placement.bounds;
  const int code = m_placement.code;
  HDC hdc = dc.GetSafeHdc();
  if (code >= 0 && code <= 2) {
    for (int y = body.top - 1; y >= bounds.top; --y)
      ::BitBlt(hdc, body.left, y, body.Width(), 1, hdc, body.left, body.top + 1, SRCCOPY);
  } else if (code >= 16 && code <= 18) {
    for (int y = body.bottom; y < bounds.bottom; ++y)
      ::BitBlt(hdc, body.left, y, body.Width(), 1, hdc, body.left, body.bottom - 2, SRCCOPY);
  } else if (code >= 32 && code <= 34) {
    for (int x = body.left - 1; x >= bounds.left; --x)
      ::BitBlt(hdc, x, body.top, 1, body.Height(), hdc, body.left + 1, body.top, SRCCOPY);
  } else if (code >= 48 && code <= 50) {
    for (int x = body.right; x < bounds.right; ++x)
      ::BitBlt(hdc, x, body.top, 1, body.Height(), hdc, body.right - 2, body.top, SRCCOPY);
  }
}

BOOL CHtmlToolTip::PrepareTip(POINT screen) {
  TooltipToolRecord& tool = m_pending;
  if ((tool.mask & 0x02) == 0) {
    tool.effect = m_defaultEffect;
    tool.granularity = m_defaultGranularity;
  }
  if ((tool.mask & 0x04) == 0) {
    tool.beginColor = m_colors[0];
    tool.middleColor = m_colors[1];
    tool.endColor = m_colors[2];
  }
  if ((tool.mask & 0x08) == 0) tool.direction = m_defaultDirection;
  if ((tool.mask & 0x10) == 0) tool.behaviour = m_defaultBehaviour;
  if ((tool.mask & 0x20) == 0) tool.transparency = m_defaultTransparency;
  if (tool.text.IsEmpty()) return FALSE;

  CClientDC windowDC(this);
  CSize size;
  m_drawer.Measure(&windowDC, tool.text, size);
  const TipRect text = {m_sizes[2], m_sizes[3], m_sizes[2] + size.cx, m_sizes[3] + size.cy};
  const TipRect body = {0, 0, size.cx + 2 * m_sizes[2], size.cy + 2 * m_sizes[3]};
  const TipRect screenRect = {::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                              ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                              ::GetSystemMetrics(SM_YVIRTUALSCREEN) + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  m_placement = PlaceTip(tool.direction, {screen.x, screen.y}, screenRect, body, text,
                         {m_sizes[4], m_sizes[5], m_sizes[6]});
  m_placementCode = m_placement.code;

  FreeTip();
  m_region = BuildRegion();
  const TipRect& bounds = m_placement.bounds;
  m_background = ::CreateCompatibleBitmap(windowDC.GetSafeHdc(), bounds.Width(), bounds.Height());
  {
    CBitmapDC dc(windowDC.GetSafeHdc(), m_background);
    const RECT bodyRect = {m_placement.body.left, m_placement.body.top, m_placement.body.right,
                           m_placement.body.bottom};
    m_drawer.GetDrawEffects().FillEffect(&dc, tool.effect, bodyRect, tool.beginColor, tool.middleColor,
                                         tool.endColor, tool.granularity, 5);
    FillStem(dc);
  }
  m_transparency = m_fadeInStep != 0 ? 100 : tool.transparency;

  HRGN windowRegion = ::CreateRectRgn(0, 0, 0, 0);
  ::CombineRgn(windowRegion, m_region, nullptr, RGN_COPY);
  m_windowSize = {bounds.Width(), bounds.Height()};
  if (m_shadowX != 0 || m_shadowY != 0) {
    HRGN shadow = ::CreateRectRgn(0, 0, 0, 0);
    ::CombineRgn(shadow, m_region, nullptr, RGN_COPY);
    ::OffsetRgn(shadow, m_shadowX, m_shadowY);
    ::CombineRgn(windowRegion, windowRegion, shadow, RGN_OR);
    ::DeleteObject(shadow);
    m_windowSize.cx += m_shadowX;
    m_windowSize.cy += m_shadowY;
  }

  const int left = screen.x - m_placement.anchor.x, top = screen.y - m_placement.anchor.y;
  // Under X a fresh popup's own DC does not reliably hold the screen
  // beneath it: take the picture from the screen before showing.
  HDC screenDC = ::GetDC(nullptr);
  m_capture = ::CreateCompatibleBitmap(screenDC, m_windowSize.cx, m_windowSize.cy);
  {
    CBitmapDC capture(screenDC, m_capture);
    ::BitBlt(capture.GetSafeHdc(), 0, 0, m_windowSize.cx, m_windowSize.cy, screenDC, left, top, SRCCOPY);
  }
  ::ReleaseDC(nullptr, screenDC);
  // The region is set at the window's final size: Wine clips a shape set on
  // the empty window to its old size.
  ::SetWindowPos(GetSafeHwnd(), HWND_TOPMOST, left, top, m_windowSize.cx, m_windowSize.cy, SWP_NOACTIVATE);
  ::SetWindowRgn(GetSafeHwnd(), windowRegion, FALSE);  // the window owns it now
  ::SetWindowPos(GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  return TRUE;
}

void CHtmlToolTip::DrawBorder(CDC* pDC, HRGN region) {
  ::FrameRgn(pDC->GetSafeHdc(), region, m_borderBrush, m_borderWidth, m_borderHeight);
}

void CHtmlToolTip::PaintTip(CDC* pDC, int transparency) {
  if (m_background == nullptr || m_capture == nullptr || m_region == nullptr) return;
  transparency = std::min(std::max(transparency, 0), 100);
  HDC like = pDC->GetSafeHdc();
  const int width = m_windowSize.cx, height = m_windowSize.cy;
  const int tipWidth = m_placement.bounds.Width(), tipHeight = m_placement.bounds.Height();

  HBITMAP composedBitmap = ::CreateCompatibleBitmap(like, width, height);
  HBITMAP tipBitmap = ::CreateCompatibleBitmap(like, tipWidth, tipHeight);
  {
    CBitmapDC composed(like, composedBitmap);
    CBitmapDC tip(like, tipBitmap);
    {
      CBitmapDC capture(like, m_capture);
      ::BitBlt(composed.GetSafeHdc(), 0, 0, width, height, capture.GetSafeHdc(), 0, 0, SRCCOPY);
      CBitmapDC background(like, m_background);
      ::BitBlt(tip.GetSafeHdc(), 0, 0, tipWidth, tipHeight, background.GetSafeHdc(), 0, 0, SRCCOPY);
    }
    const TipRect& text = m_placement.text;
    m_drawer.Draw(&tip, CRect(text.left, text.top, text.right, text.bottom));
    if (m_borderBrush != nullptr && m_borderWidth > 0 && m_borderHeight > 0) DrawBorder(&tip, m_region);

    if (m_shadowX != 0 || m_shadowY != 0) {
      HBITMAP mask = ::CreateCompatibleBitmap(like, tipWidth, tipHeight);
      {
        CBitmapDC maskDC(like, mask);
        const RECT all = {0, 0, tipWidth, tipHeight};
        ::FillRect(maskDC.GetSafeHdc(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        const int darkest = ::MulDiv(255, 100 - m_darkness, 100);
        const int level = darkest + (255 - darkest) * transparency / 100;
        HBRUSH gray = ::CreateSolidBrush(RGB(level, level, level));
        ::FillRgn(maskDC.GetSafeHdc(), m_region, gray);
        ::DeleteObject(gray);
      }
      m_drawer.GetDrawEffects().DrawShadow(&composed, m_shadowX, m_shadowY, tipWidth, tipHeight, mask,
                                           m_shadowBlurred, m_blurX, m_blurY);
      ::DeleteObject(mask);
    }
    ::SelectClipRgn(composed.GetSafeHdc(), m_region);
    m_drawer.GetDrawEffects().AlphaBitBlt(&composed, 0, 0, tipWidth, tipHeight, &tip, 0, 0, 100 - transparency);
    ::SelectClipRgn(composed.GetSafeHdc(), nullptr);
    ::BitBlt(like, 0, 0, width, height, composed.GetSafeHdc(), 0, 0, SRCCOPY);
  }
  ::DeleteObject(tipBitmap);
  ::DeleteObject(composedBitmap);
}

void CHtmlToolTip::OnPaint() {
  CPaintDC dc(this);
  m_displayed = m_pending;
  m_currentToolWnd = m_pendingToolWnd;
  PaintTip(&dc, m_transparency);
}

BOOL CHtmlToolTip::OnSetCursor(CWnd*, UINT, UINT) {
  POINT point;
  ::GetCursorPos(&point);
  ::ScreenToClient(GetSafeHwnd(), &point);
  if (!m_drawer.OnSetCursor(point)) ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  return TRUE;
}

void CHtmlToolTip::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
  CWnd::OnActivateApp(bActive, dwThreadID);
  if (!bActive) HideAtOnce();
}

LRESULT CHtmlToolTip::OnLinkNotice(WPARAM, LPARAM) {
  if (m_repaintOnNotice) {
    CClientDC dc(this);
    PaintTip(&dc, 0);
  }
  return 0;
}
