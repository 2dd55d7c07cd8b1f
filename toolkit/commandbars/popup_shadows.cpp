#include "popup_shadows.h"

#include <algorithm>

#include "bar_painter.h"
#include "command_bar.h"
#include "control.h"
#include "draw_helpers.h"
#include "icon_image.h"

namespace {

BOOL SystemDropShadow() {
  BOOL on = FALSE;
  return ::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &on, 0) && on;
}

}  // namespace

BOOL (*CTkPopupShadows::QueryDropShadow)() = SystemDropShadow;

CTkPopupShadows& GetPopupShadows() {
  // Never destroyed: at exit the shadows have gone with their popups, and
  // the window maps they would need may be gone already.
  static auto* shadows = new CTkPopupShadows;
  return *shadows;
}

DWORD CTkPopupShadowWnd::ShadowPixel(int x, int y, int width, int height, BOOL bottom, BOOL soft, COLORREF color) {
  const int m = soft ? 1 : 2;
  // Distance from the popup (0 next to it) and the position along the strip.
  const int across = bottom ? y : x;
  int alpha = 0;
  double k = 0.0;
  // The fading ends are 4 x 4 squares; i and j count 1 to 4 from the outer edges.
  int i = 0;
  if (bottom) {
    if (x < 4)
      i = x + 1;
    else if (x >= width - 4)
      i = width - x;
  } else if (y < 4) {
    i = y + 1;
  }
  const int thickness = bottom ? height : width;
  const int j = thickness - across;
  if (i > 0) {
    alpha = 3 * m * i * j;
    k = 0.05 * i * j;
  } else {
    static const int kAlpha[] = {60, 45, 30, 15};
    static const double kFade[] = {1.0, 0.75, 0.5, 0.25};
    const int band = std::min(std::max(across, 0), 3);
    alpha = kAlpha[band] * m;
    k = kFade[band];
  }
  auto scale = [k](int channel) { return static_cast<DWORD>(std::min(255.0, channel * k)); };
  return (static_cast<DWORD>(std::min(alpha, 255)) << 24) | (scale(GetRValue(color)) << 16) |
         (scale(GetGValue(color)) << 8) | scale(GetBValue(color));
}

void CTkPopupShadowWnd::FillShadowPixels(DWORD* bits, int width, int height, BOOL bottom, BOOL soft,
                                         COLORREF color) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      bits[static_cast<size_t>(y) * width + x] = ShadowPixel(x, y, width, height, bottom, soft, color);
}

void CTkPopupShadowWnd::UpdateLayeredBitmap(int width, int height) {
  CTkPopupShadows& shadows = GetPopupShadows();
  if (!shadows.IsLayered() || m_hOwner == nullptr || width <= 0 || height <= 0) return;
  void* bits = nullptr;
  HBITMAP section = CreateAlphaSection(width, height, &bits);
  if (section == nullptr) return;
  // The section is bottom-up: fill top-down, then flip the rows in.
  std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
  FillShadowPixels(pixels.data(), width, height, m_bBottom, m_bSoft, m_shadowColor);
  auto* rows = static_cast<DWORD*>(bits);
  for (int y = 0; y < height; ++y)
    std::copy_n(pixels.data() + static_cast<size_t>(y) * width, width,
                rows + static_cast<size_t>(height - 1 - y) * width);
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HGDIOBJ previous = ::SelectObject(memory, section);
  CRect window;
  GetWindowRect(&window);
  POINT position = {window.left, window.top};
  SIZE size = {width, height};
  POINT source = {0, 0};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  shadows.m_pUpdateLayeredWindow(m_hWnd, screen, &position, &size, memory, &source, 0, &blend, ULW_ALPHA);
  ::SelectObject(memory, previous);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  ::DeleteObject(section);
}

BOOL CTkPopupShadowWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_ERASEBKGND:
      *pResult = TRUE;
      return TRUE;
    case WM_NCHITTEST:
      *pResult = HTTRANSPARENT;
      return TRUE;
    case WM_MOUSEACTIVATE:
      *pResult = MA_NOACTIVATE;
      return TRUE;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC hDC = ::BeginPaint(m_hWnd, &paint);
      if (!GetPopupShadows().IsLayered()) {
        CRect client;
        GetClientRect(&client);
        ::SetBkColor(hDC, GetColorScheme()->GetColor(COLOR_BTNSHADOW));
        ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
      }
      ::EndPaint(m_hWnd, &paint);
      *pResult = 0;
      return TRUE;
    }
    case WM_PRINTCLIENT:
      if (!GetPopupShadows().IsLayered()) {
        CRect client;
        GetClientRect(&client);
        ::SetBkColor(reinterpret_cast<HDC>(wParam), GetColorScheme()->GetColor(COLOR_BTNSHADOW));
        ::ExtTextOutW(reinterpret_cast<HDC>(wParam), 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
      }
      *pResult = 0;
      return TRUE;
    case WM_SIZE:
      if (LOWORD(lParam) > 0 && HIWORD(lParam) > 0) UpdateLayeredBitmap(LOWORD(lParam), HIWORD(lParam));
      break;
    default:
      break;
  }
  return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

int CTkPopupShadowWnd::OnHookMessage(HWND, UINT message, WPARAM& wParam, LPARAM&, LRESULT&) {
  if (message == WM_SHOWWINDOW) {
    if (GetSafeHwnd() != nullptr) ::ShowWindow(m_hWnd, wParam != 0 ? SW_SHOWNA : SW_HIDE);
  } else if (message == WM_DESTROY) {
    GetPopupShadows().DestroyShadow(this);
  }
  return kNotHandled;
}

CTkPopupShadows::CTkPopupShadows() {
  if (HMODULE user = ::GetModuleHandleW(L"user32.dll"))
    m_pUpdateLayeredWindow =
        reinterpret_cast<UpdateLayeredWindowProc>(reinterpret_cast<void*>(::GetProcAddress(user, "UpdateLayeredWindow")));
}

CTkPopupShadows::~CTkPopupShadows() {
  // At exit the windows are gone with their thread; only the objects remain.
  for (CTkPopupShadowWnd* shadow : m_shadows) {
    CTkWindowHookTable::DetachClientEverywhere(shadow);
    if (shadow->GetSafeHwnd() != nullptr && ::IsWindow(shadow->GetSafeHwnd())) shadow->DestroyWindow();
    delete shadow;
  }
  m_shadows.clear();
}

void CTkPopupShadows::AddBarShadows(CTkCommandBar* popup, LPCRECT excluded) {
  if (popup == nullptr || popup->GetSafeHwnd() == nullptr || popup->IsCustomizeMode()) return;
  CTkBarPainter* painter = popup->GetPaintManager();
  if (painter == nullptr) return;
  if (!painter->HasPopupShadow() && (!IsLayered() || !QueryDropShadow())) return;
  CRect window;
  ::GetWindowRect(popup->GetSafeHwnd(), &window);
  const CRect none(0, 0, 0, 0);
  const CRect cut = excluded != nullptr ? CRect(*excluded) : none;
  CreateShadow(TRUE, window, cut, popup, popup->GetSafeHwnd());
  CreateShadow(FALSE, window, cut, popup, popup->GetSafeHwnd());
}

void CTkPopupShadows::AddControlShadows(CTkControl* control) {
  if (control == nullptr || control->IsCustomizeMode()) return;
  CTkBarPainter* painter = control->GetPaintManager();
  if (painter == nullptr || !painter->HasPopupShadow()) return;
  CTkCommandBar* parent = control->GetParent();
  CTkCommandBar* popup = control->GetCommandBar();
  if (parent == nullptr || parent->GetSafeHwnd() == nullptr || popup == nullptr || popup->GetSafeHwnd() == nullptr)
    return;
  CRect rect = control->GetRect();
  ::MapWindowPoints(parent->GetSafeHwnd(), nullptr, reinterpret_cast<LPPOINT>(&rect), 2);
  const CRect none(0, 0, 0, 0);
  CreateShadow(TRUE, rect, none, popup, popup->GetSafeHwnd());
  CreateShadow(FALSE, rect, none, popup, popup->GetSafeHwnd());
}

void CTkPopupShadows::CreateShadow(BOOL bottom, CRect ownerRect, const CRect& excluded, CTkCommandBar* ownerBar,
                                   HWND owner) {
  CTkBarPainter* painter = ownerBar->GetPaintManager();
  if (painter == nullptr || !painter->m_bShadowsEnabled) return;
  const BOOL layered = IsLayered();
  const int s = layered ? 4 : 2;
  CRect rect = bottom ? CRect(ownerRect.left + s, ownerRect.bottom, ownerRect.right + s, ownerRect.bottom + s)
                      : CRect(ownerRect.right, ownerRect.top + s, ownerRect.right + s, ownerRect.bottom);
  // A shadow meeting another popup's shadow continues it.
  for (CTkPopupShadowWnd* other : m_shadows) {
    CRect at;
    ::GetWindowRect(other->GetSafeHwnd(), &at);
    if (bottom && !other->m_bBottom && at.right == rect.left + 1 && at.top < rect.top && at.bottom > rect.bottom)
      rect.left -= 2 * at.Width() + 1;
    else if (!bottom && other->m_bBottom && at.bottom == rect.top + 1 && at.left <= rect.right &&
             at.right >= rect.right)
      rect.top -= 2 * at.Height();
  }

  auto* shadow = new CTkPopupShadowWnd(bottom, painter->HasPopupShadow(), owner, painter->m_shadowColor);
  CWnd* site = ownerBar->GetOwnerSite();
  const HWND parent = site != nullptr && site->GetSafeHwnd() != nullptr ? site->GetSafeHwnd() : owner;
  LPCWSTR windowClass = AfxRegisterWndClass(CS_SAVEBITS | CS_OWNDC, ::LoadCursorW(nullptr, IDC_ARROW));
  const DWORD exStyle = layered ? WS_EX_LAYERED | WS_EX_TOOLWINDOW : WS_EX_TOOLWINDOW;
  if (!shadow->CreateEx(exStyle, windowClass, L"", WS_POPUP, 0, 0, 0, 0, parent, nullptr)) {
    delete shadow;
    return;
  }
  ::SetWindowRgn(shadow->GetSafeHwnd(), nullptr, FALSE);
  ::SetWindowPos(shadow->GetSafeHwnd(), nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOZORDER);
  m_shadows.push_back(shadow);

  // No shadow covers a popup, nor, for the soft looks, the opening control.
  HRGN region = ::CreateRectRgn(0, 0, rect.Width(), rect.Height());
  auto cut = [&](const CRect& screen) {
    if (screen.IsRectEmpty()) return;
    CRect local = screen;
    local.OffsetRect(-rect.left, -rect.top);
    HRGN hole = ::CreateRectRgnIndirect(&local);
    ::CombineRgn(region, region, hole, RGN_DIFF);
    ::DeleteObject(hole);
  };
  if (shadow->m_bSoft) cut(excluded);
  for (CTkPopupShadowWnd* other : m_shadows) {
    CRect ownerWindow;
    if (other->m_hOwner != nullptr && ::GetWindowRect(other->m_hOwner, &ownerWindow)) cut(ownerWindow);
  }
  ::SetWindowRgn(shadow->GetSafeHwnd(), region, FALSE);

  ::SetWindowPos(shadow->GetSafeHwnd(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  CTkWindowHookTable::AttachClient(owner, shadow);
}

void CTkPopupShadows::Forget(CTkPopupShadowWnd* shadow) {
  m_shadows.erase(std::remove(m_shadows.begin(), m_shadows.end(), shadow), m_shadows.end());
}

void CTkPopupShadows::DestroyShadow(CTkPopupShadowWnd* shadow) {
  if (shadow->GetSafeHwnd() != nullptr) ::ShowWindow(shadow->GetSafeHwnd(), SW_HIDE);
  if (shadow->m_hOwner != nullptr) CTkWindowHookTable::DetachClient(shadow->m_hOwner, shadow);
  shadow->m_hOwner = nullptr;
  Forget(shadow);
  if (shadow->GetSafeHwnd() != nullptr) shadow->DestroyWindow();
  delete shadow;
}

void CTkPopupShadows::RemoveShadows(HWND owner) {
  if (owner == nullptr) return;
  std::vector<CTkPopupShadowWnd*> doomed;
  for (CTkPopupShadowWnd* shadow : m_shadows)
    if (shadow->m_hOwner == owner) doomed.push_back(shadow);
  for (CTkPopupShadowWnd* shadow : doomed) DestroyShadow(shadow);
}
