// A single-document application on the framework's frame, view and
// document classes: run it with a text file to look at the result.
//   framework_frame_demo.exe [FILE] [--close-after MS]
#include <cwchar>

#include "framework.h"

namespace {

const UINT IDR_DEMO_FRAME = 100;
const UINT ID_DEMO_REFRESH = 101;
const UINT kCloseTimer = 1;

// A status bar of the plain control-bar kind: it shows its window text.
class DemoStatusBar : public CControlBar {
 public:
  CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(32767, 22); }

 protected:
  void OnPaint() {
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    dc.FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    dc.Draw3dRect(&rect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    CString text;
    GetWindowText(text);
    rect.DeflateRect(6, 0);
    dc.SetBkMode(TRANSPARENT);
    HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), ::GetStockObject(DEFAULT_GUI_FONT));
    dc.DrawText(text, &rect, DT_SINGLELINE | DT_VCENTER);
    ::SelectObject(dc.GetSafeHdc(), old);
  }
  LRESULT OnSetText(WPARAM, LPARAM) {
    LRESULT result = Default();
    Invalidate();
    return result;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DemoStatusBar, CControlBar)
  ON_WM_PAINT()
  ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

class DemoDoc : public CDocument {
  DECLARE_DYNCREATE(DemoDoc)
 public:
  void Serialize(CArchive& ar) override {
    if (!ar.IsLoading()) return;
    char buffer[4096];
    UINT n = ar.Read(buffer, sizeof buffer - 1);
    buffer[n] = 0;
    text = CString(buffer);
  }
  CString text = L"(no file)";
};
IMPLEMENT_DYNCREATE(DemoDoc, CDocument)

class DemoView : public CView {
  DECLARE_DYNCREATE(DemoView)
 public:
  void OnDraw(CDC* pDC) override {
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, RGB(255, 252, 235));
    rect.DeflateRect(12, 10);
    DemoDoc* doc = static_cast<DemoDoc*>(GetDocument());
    HGDIOBJ old = ::SelectObject(pDC->GetSafeHdc(), ::GetStockObject(DEFAULT_GUI_FONT));
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(doc != nullptr ? doc->text : CString(), &rect, DT_WORDBREAK | DT_NOPREFIX);
    ::SelectObject(pDC->GetSafeHdc(), old);
  }

 protected:
  void OnRefresh() { Invalidate(); }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(DemoView, CView)
BEGIN_MESSAGE_MAP(DemoView, CView)
  ON_COMMAND(ID_DEMO_REFRESH, OnRefresh)
END_MESSAGE_MAP()

class DemoFrame : public CFrameWnd {
  DECLARE_DYNCREATE(DemoFrame)
 public:
  UINT closeAfter = 0;

 protected:
  int OnCreate(LPCREATESTRUCTW lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (!m_status.Create(nullptr, L"", WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, CRect(0, 0, 0, 0), this,
                         AFX_IDW_STATUS_BAR))
      return -1;
    return 0;
  }
  void OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kCloseTimer) PostMessage(WM_CLOSE);
  }
  DECLARE_MESSAGE_MAP()

 private:
  DemoStatusBar m_status;
};
IMPLEMENT_DYNCREATE(DemoFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(DemoFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_TIMER()
END_MESSAGE_MAP()

class DemoApp : public CWinApp {
 public:
  BOOL InitInstance() override {
    AddDocTemplate(new CSingleDocTemplate(IDR_DEMO_FRAME, RUNTIME_CLASS(DemoDoc), RUNTIME_CLASS(DemoFrame),
                                          RUNTIME_CLASS(DemoView)));
    // "--close-after MS" is ours; everything else is the shell's.
    CCommandLineInfo info;
    UINT closeAfter = 0;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; i < argc; ++i) {
      if (std::wcscmp(argv[i], L"--close-after") == 0 && i + 1 < argc) closeAfter = static_cast<UINT>(_wtoi(argv[++i]));
      else info.ParseParam(argv[i], FALSE, i == argc - 1);
    }
    LocalFree(argv);
    if (!ProcessShellCommand(info)) return FALSE;
    DemoFrame* frame = static_cast<DemoFrame*>(m_pMainWnd);
    frame->SetWindowPos(nullptr, 40, 40, 560, 360, SWP_NOZORDER);
    if (closeAfter != 0) frame->SetTimer(kCloseTimer, closeAfter, nullptr);
    return TRUE;
  }

 protected:
  void OnExit() {
    if (m_pMainWnd != nullptr) m_pMainWnd->SendMessage(WM_CLOSE);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DemoApp, CWinApp)
  ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
  ON_COMMAND(ID_APP_EXIT, OnExit)
END_MESSAGE_MAP()

DemoApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR, int nCmdShow) {
  return AfxWinMain(hInstance, hPrevInstance, GetCommandLineW(), nCmdShow);
}
