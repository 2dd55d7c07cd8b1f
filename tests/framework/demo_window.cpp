// A menu-less frame that paints text and shapes, for looking at.
// "--close-after MS" closes it by itself.
#include "close_after.h"
#include "framework.h"

#include <shellapi.h>

#include <cwchar>

namespace {

class DemoWindow : public CWnd {
 public:
  UINT closeAfter = 0;

 protected:
  int OnCreate(LPCREATESTRUCTW lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1) return -1;
    m_titleFont.CreatePointFont(180, L"Arial");
    m_textFont.CreatePointFont(100, L"Arial");
    if (closeAfter != 0) SetTimer(1, closeAfter);
    return 0;
  }
  void OnTimer(UINT_PTR) { DestroyWindow(); }
  BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  void OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, RGB(255, 237, 150));
    dc.SetBkMode(TRANSPARENT);

    CFont* oldFont = dc.SelectObject(&m_titleFont);
    dc.SetTextColor(RGB(20, 40, 120));
    CRect title(20, 16, client.right - 20, 60);
    dc.DrawText(CString(L"Mulvara framework"), &title, DT_SINGLELINE | DT_LEFT | DT_VCENTER);
    dc.SelectObject(&m_textFont);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.TextOut(20, 64, CString(L"Text, pens, brushes, shapes and blits through CDC."));
    dc.SelectObject(oldFont);

    CPen pen(PS_SOLID, 2, RGB(0, 0, 0));
    CBrush red(RGB(220, 40, 40)), blue(RGB(40, 90, 220)), green(RGB(40, 170, 70));
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&red);
    dc.Rectangle(20, 100, 140, 200);
    dc.SelectObject(&blue);
    dc.Ellipse(170, 100, 290, 200);
    dc.SelectObject(&green);
    POINT triangle[] = {{380, 100}, {440, 200}, {320, 200}};
    dc.Polygon(triangle, 3);
    dc.RoundRect(470, 100, 590, 200, 30, 30);
    dc.MoveTo(20, 230);
    dc.LineTo(590, 230);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    dc.Draw3dRect(CRect(20, 250, 590, 290), RGB(255, 255, 255), RGB(90, 90, 90));
    CRect inner(22, 252, 588, 288);
    dc.FillSolidRect(&inner, RGB(200, 200, 200));
    CRect progress(22, 252, 22 + (566 * 60) / 100, 288);
    dc.FillSolidRect(&progress, RGB(40, 90, 220));
  }
  DECLARE_MESSAGE_MAP()

 private:
  CFont m_titleFont, m_textFont;
};

BEGIN_MESSAGE_MAP(DemoWindow, CWnd)
  ON_WM_CREATE()
  ON_WM_TIMER()
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
END_MESSAGE_MAP()

class DemoApp : public CWinApp {
 public:
  DemoApp() : CWinApp(L"Framework demo") {}
  BOOL InitInstance() override {
    DemoWindow* window = new DemoWindow;
    window->closeAfter = CloseAfterArgument();
    m_pMainWnd = window;
    if (!window->CreateEx(0, nullptr, L"Mulvara framework demo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 620, 340,
                          nullptr, nullptr))
      return FALSE;
    window->UpdateWindow();
    return TRUE;
  }
  int ExitInstance() override {
    delete m_pMainWnd;
    m_pMainWnd = nullptr;
    return CWinApp::ExitInstance();
  }
};

DemoApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR, int nCmdShow) {
  return AfxWinMain(hInstance, hPrevInstance, GetCommandLineW(), nCmdShow);
}
