#include "widget_host.h"

BEGIN_MESSAGE_MAP(WidgetHost, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

WidgetHost::WidgetHost(COLORREF background, COLORREF stripes, int width, int height)
    : m_background(background), m_stripes(stripes) {
  CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW)), L"Widgets",
           WS_POPUP | WS_VISIBLE, kLeft, kTop, width, height, nullptr, nullptr);
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(TestFont()));
  ::SetForegroundWindow(m_hWnd);
  ::SetActiveWindow(m_hWnd);
  UpdateWindow();
  PumpPending();
}

WidgetHost::~WidgetHost() { DestroyWindow(); }

BOOL WidgetHost::OnCommand(WPARAM wParam, LPARAM lParam) {
  BOOL handled = CWnd::OnCommand(wParam, lParam);
  ++commands[{LOWORD(wParam), HIWORD(wParam)}];
  return handled;
}

BOOL WidgetHost::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, m_background);
  if (m_stripes != CLR_NONE)
    for (int x = 0; x < client.right; x += 4) pDC->FillSolidRect(x, 0, 2, client.bottom, m_stripes);
  return TRUE;
}

void WidgetHost::OnPaint() {
  ++paints;
  CPaintDC dc(this);
}

COLORREF WidgetHost::Pixel(int x, int y) {
  HDC hDC = ::GetDC(m_hWnd);
  COLORREF colour = ::GetPixel(hDC, x, y);
  ::ReleaseDC(m_hWnd, hDC);
  return colour;
}

void WidgetHost::Capture(DibCanvas& canvas) {
  CRect client;
  GetClientRect(&client);
  HDC hDC = ::GetDC(m_hWnd);
  ::BitBlt(canvas.dc.m_hDC, 0, 0, client.Width(), client.Height(), hDC, 0, 0, SRCCOPY);
  ::ReleaseDC(m_hWnd, hDC);
}

bool PumpThroughPreTranslateUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  DWORD start = ::GetTickCount();
  for (;;) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!AfxGetThread()->PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
      }
    }
    if (condition()) return true;
    if (::GetTickCount() - start >= timeoutMs) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void MovePointerTo(CWnd* pWnd, CPoint point) {
  pWnd->ClientToScreen(&point);
  ::SetCursorPos(point.x, point.y);
}

int CountColour(DibCanvas& canvas, const CRect& area, COLORREF colour) {
  int count = 0;
  for (int x = area.left; x < area.right; ++x)
    for (int y = area.top; y < area.bottom; ++y) count += canvas.Pixel(x, y) == colour;
  return count;
}

bool CreateBarWithClient(CProgressCtrl& bar, CWnd* pParent, UINT nID, int width, int height, DWORD style) {
  if (!bar.Create(WS_CHILD | WS_VISIBLE | style, CRect(0, 0, width + 2, height + 2), pParent, nID)) return false;
  CRect client;
  bar.GetClientRect(&client);
  return client.Size() == CSize(width, height);
}

HFONT TestFont() {
  static HFONT font = ::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"DejaVu Sans");
  return font;
}
