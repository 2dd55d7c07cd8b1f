#include "tab_fixtures.h"

#include "dib_canvas.h"
#include "draw_helpers.h"

namespace {

LRESULT CALLBACK OwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* strip = reinterpret_cast<TestTabStrip*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
  if (strip == nullptr) return ::DefWindowProcW(hWnd, message, wParam, lParam);
  int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  switch (message) {
    case WM_LBUTTONDOWN:
      strip->HandleLeftButtonDown(hWnd, x, y, FALSE);
      return 0;
    case WM_MOUSEMOVE:
      strip->HandleMouseMove(hWnd, x, y);
      return 0;
    case WM_MOUSELEAVE:
      strip->HandleMouseMove(hWnd, -1, -1);
      return 0;
    case WM_KEYDOWN:
      strip->HandleKeyDown(hWnd, static_cast<UINT>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC hDC = ::BeginPaint(hWnd, &ps);
      {
        CTkOffscreenDC dc(hDC, strip->m_bounds.left, strip->m_bounds.top, strip->m_bounds.right,
                          strip->m_bounds.bottom);
        strip->Draw(&dc);
      }
      ::EndPaint(hWnd, &ps);
      return 0;
    }
  }
  return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

}  // namespace

HWND TestTabStrip::CreateOwnerWindow(int x, int y) {
  static ATOM atom = 0;
  if (atom == 0) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"TestTabStripOwner";
    atom = ::RegisterClassW(&wc);
  }
  RECT frame = {0, 0, m_bounds.right, m_bounds.bottom};
  ::AdjustWindowRect(&frame, WS_POPUP | WS_BORDER, FALSE);
  m_hWnd = ::CreateWindowExW(0, L"TestTabStripOwner", L"Tabs", WS_POPUP | WS_BORDER | WS_VISIBLE, x, y,
                             frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
  ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::SetForegroundWindow(m_hWnd);
  ::UpdateWindow(m_hWnd);
  return m_hWnd;
}

void DrawStripOn(TestTabStrip& strip, DibCanvas& canvas) {
  canvas.Fill(RGB(255, 255, 255));
  strip.Layout();
  strip.Draw(&canvas.dc);
  ::GdiFlush();
}
