// The start page's tooltip over a button, as the program sets it up:
//   htmldraw_tooltip_demo [--close-after MS]
// The pointer is put on the button, so that the tip comes up by itself.
#include "close_after.h"
#include "html_tooltip.h"
#include "start_page_tips.h"

namespace {

class DemoWindow : public CWnd {
 public:
  BOOL PreTranslateMessage(MSG* pMsg) override {
    tip.RelayToolMessage(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
  }
  CWnd button;
  CHtmlToolTip tip;
};

void CALLBACK Quit(HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(0); }

class DemoApp : public CWinApp {
 public:
  DemoApp() : CWinApp(L"TooltipDemo") {}

  BOOL InitInstance() override {
    m_window.CreateEx(0, L"STATIC", L"Start page", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 200, 200,
                      640, 420, nullptr, nullptr);
    m_window.button.CreateEx(0, L"BUTTON", L"Standard Scan", WS_CHILD | WS_VISIBLE, 240, 300, 160, 50,
                             m_window.GetSafeHwnd(), reinterpret_cast<HMENU>(100));
    CHtmlToolTip& tip = m_window.tip;
    tip.Create(&m_window, TRUE);
    tip.AddTool(&m_window.button, kTooltips[0], nullptr, 0);
    tip.SetBackgroundColors(0x4AF7FB, 0xFFFFFF, 0x4AF7FB);
    tip.SetBackgroundEffect(13, 5);
    tip.SetBorder(RGB(255, 255, 255), 1, 1);
    tip.SetDefaultDirection(2);
    m_pMainWnd = &m_window;
    POINT point = {320, 325};
    ::ClientToScreen(m_window.GetSafeHwnd(), &point);
    ::SetCursorPos(point.x, point.y);
    MSG msg = {m_window.button.GetSafeHwnd(), WM_MOUSEMOVE, 0, 0, ::GetTickCount(), point};
    tip.RelayToolMessage(&msg);
    const UINT closeAfter = CloseAfterArgument();
    if (closeAfter != 0) ::SetTimer(nullptr, 0, closeAfter, &Quit);
    return TRUE;
  }

 private:
  DemoWindow m_window;
};

DemoApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR, int nCmdShow) {
  return AfxWinMain(hInstance, hPrevInstance, GetCommandLineW(), nCmdShow);
}
