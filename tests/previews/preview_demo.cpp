// The preview pane in a frame of its own, in a command-bar theme, showing a
// file or one of its notice cards:
//   previews_demo THEME select|notavailable|corrupted|large|PATH [--close-after MS]
#include <cwchar>

#include "bar_painter.h"
#include "close_after.h"
#include "preview_host.h"
#include "preview_state.h"
#include "shell_document.h"

namespace {

class DemoApp : public CWinApp {
 public:
  DemoApp() : CWinApp(L"PreviewDemo") {}

  BOOL InitInstance() override {
    ::CoInitialize(nullptr);
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    SetCurrentTheme(argc > 1 ? _wtoi(argv[1]) : 2);
    const CString what = argc > 2 ? argv[2] : L"select";
    ::LocalFree(argv);

    auto* frame = new CFrameWnd;
    frame->Create(nullptr, L"Preview", WS_OVERLAPPEDWINDOW, CRect(20, 20, 620, 480));
    m_pMainWnd = frame;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CMainPreviewView);
    context.m_pCurrentDoc = new CEx_StyleDoc;
    auto* host = static_cast<CMainPreviewView*>(frame->CreateView(&context));
    frame->SetActiveView(host, FALSE);
    frame->RecalcLayout();

    if (what != L"select") {
      NoFileSelectedFlag() = 0;
      PreviewInfoText = L"\\Documents\\Holiday\\" + what.Mid(what.ReverseFind(L'\\') + 1);
      const int dot = what.ReverseFind(L'.');
      const CString extension = what == L"notavailable" ? CString(L".xyz")
                                : what == L"corrupted"  ? CString(L".txt")
                                : what == L"large"      ? CString(L".largefile")
                                : dot >= 0              ? what.Mid(dot)
                                                        : CString(L".");
      host->CloseAllPreviews();
      host->ChoosePreview(what == L"corrupted" ? CString(L"C:\\no\\such.txt") : what, extension);
    }
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    const UINT closeAfter = CloseAfterArgument();
    if (closeAfter != 0) ::SetTimer(frame->GetSafeHwnd(), 1, closeAfter, [](HWND window, UINT, UINT_PTR, DWORD) {
        ::PostMessageW(window, WM_CLOSE, 0, 0);
      });
    return TRUE;
  }
};

DemoApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR, int nCmdShow) {
  return AfxWinMain(hInstance, hPrevInstance, GetCommandLineW(), nCmdShow);
}
