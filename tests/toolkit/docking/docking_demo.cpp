// A frame whose view is flanked by docking panes: three panes as tabs of
// one container on the left, a pane along the bottom and two panes stacked
// on the right, and a floating frame holding two containers, in the pane
// theme given by "--theme N" (0 to 9, 0 by default). "--themed-frames"
// lets the theme draw the floating frame, "--roll-up" rolls it up to its
// caption, "--scheme N" forces the Windows XP colour scheme N (1 blue,
// 2 olive, 3 silver). A pane hidden on the right edge slides out with
// "--slide-out". "--previews" shows drag targets with translucent windows,
// "--stickers" with docking stickers; "--drag" drags the Properties pane
// over the folder tree by itself and holds it there for three seconds.
// A task panel docks on the left in the paint theme "--panel-theme N" (0 to
// 12, 2 by default) and panel mode "--panel-mode N" (0 to 2, 0 by default);
// "--task-panel-alone" shows it alone in the frame instead of the panes.
// Run it to look at them; "--close-after MS" ends it, and
// "--screenshot FILE" saves its windows as a PNG file just before.
#include <cwchar>
#include <string>
#include <thread>

#include "demo_app.h"
#include "close_after.h"
#include "docking_mini_wnd.h"
#include "docking_pane.h"
#include "docking_pane_site.h"
#include "screen_png.h"
#include "taskpanel/task_panel_demo.h"
#include "test_painter.h"

namespace {

const UINT_PTR kCloseTimer = 1;

// The number after name, or fallback without one.
int NumberArgument(LPCWSTR name, int fallback) {
  int number = fallback;
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  for (int i = 1; argv != nullptr && i + 1 < argc; ++i)
    if (std::wcscmp(argv[i], name) == 0) number = _wtoi(argv[i + 1]);
  ::LocalFree(argv);
  return number;
}

std::wstring ScreenshotArgument() {
  std::wstring path;
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  for (int i = 1; argv != nullptr && i + 1 < argc; ++i)
    if (std::wcscmp(argv[i], L"--screenshot") == 0) path = argv[i + 1];
  ::LocalFree(argv);
  return path;
}

BOOL CALLBACK AddWindowRect(HWND hWnd, LPARAM lParam) {
  if (!::IsWindowVisible(hWnd)) return TRUE;
  RECT window;
  ::GetWindowRect(hWnd, &window);
  auto* area = reinterpret_cast<RECT*>(lParam);
  ::UnionRect(area, area, &window);
  return TRUE;
}

bool screenshotFailed = false;

// The main frame and the floating frames, painted as they stand.
void SaveScreenshot(const std::wstring& path) {
  RECT area = {0, 0, 0, 0};
  ::EnumThreadWindows(::GetCurrentThreadId(), AddWindowRect, reinterpret_cast<LPARAM>(&area));
  RECT screen = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  ::IntersectRect(&area, &area, &screen);
  screenshotFailed = !SaveScreenAsPng(area, path);
}

bool HasSwitch(LPCWSTR name) {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  bool found = false;
  for (int i = 1; argv != nullptr && i < argc; ++i)
    if (std::wcscmp(argv[i], name) == 0) found = true;
  ::LocalFree(argv);
  return found;
}

class DemoFrame : public CFrameWnd {
 public:
  CTkDockingPaneSite site;
  CWnd view;
  CTkTaskPanel taskPanel;
  CEdit taskEdit;
  std::wstring screenshot;

  HWND MakeWindow(LPCWSTR text) {
    return ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text, WS_CHILD | ES_MULTILINE | ES_READONLY, 0, 0, 0, 0,
                             m_hWnd, nullptr, nullptr, nullptr);
  }

  void Populate(int theme) {
    if (HasSwitch(L"--task-panel-alone")) {
      PopulateTaskPanel();
      return;
    }
    site.InstallInFrame(this);
    site.SetPaneTheme(theme);
    site.m_bShowMaximizeButtons = TRUE;
    CTkDockingPaneObject* folders = site.CreatePane(101, L"Folder tree\nFolders", MakeWindow(L"C:\\\r\n  Documents\r\n  Pictures"));
    CTkDockingPaneObject* files = site.CreatePane(102, L"Found files\nFiles", MakeWindow(L"holiday.jpg\r\nreport.doc"));
    CTkDockingPaneObject* log = site.CreatePane(103, L"Scan log\nLog", MakeWindow(L"Scan finished."));
    CTkDockingPaneObject* output = site.CreatePane(104, L"Output", MakeWindow(L"12 files found."));
    CTkDockingPaneObject* properties = site.CreatePane(105, L"Properties", MakeWindow(L"Size: 48213"));
    CTkDockingPaneObject* preview = site.CreatePane(106, L"Preview", MakeWindow(L"(no preview)"));
    folders->DockingCX = 190;
    output->DockingCY = 110;
    properties->DockingCX = 170;
    preview->m_options = kPaneMenuButton;
    site.DockPane(folders, kDockLeft);
    site.AttachPane(files, folders);
    site.AttachPane(log, folders);
    AddTaskPanelPane();
    site.DockPane(output, kDockBottom);
    site.DockPane(properties, kDockRight);
    site.DockPane(preview, kDockBottom, properties);
    site.m_floatingTitle = L"Find";
    site.m_bThemedFloatingFrames = HasSwitch(L"--themed-frames") || HasSwitch(L"--roll-up");
    CTkDockingPaneObject* search = site.CreatePane(107, L"Search", MakeWindow(L"*.jpg"));
    CTkDockingPaneObject* bookmarks = site.CreatePane(108, L"Bookmarks", MakeWindow(L"Last scan"));
    site.FloatPane(search, CRect(860, 120, 1160, 330));
    site.DockPane(bookmarks, kDockBottom, search);
    CTkDockingPaneObject* recovered =
        site.CreatePane(109, L"Recovered files\nRecovered", MakeWindow(L"holiday.jpg\r\nletter.doc\r\nsong.mp3"));
    recovered->DockingCX = 220;
    site.DockPane(recovered, kDockRight);
    RecalcLayout();
    site.HidePane(recovered);
    RecalcLayout();
    // The Properties pane holds the focus: its caption shows active.
    ::SetActiveWindow(m_hWnd);
    ::SetFocus(properties->m_hwndChild);
    site.UpdatePaneFocus();
    auto* floating = dynamic_cast<CTkDockingPaneMiniWnd*>(search->GetPaneDockingSite());
    if (floating != nullptr && HasSwitch(L"--roll-up")) floating->ToggleCollapse();
    // With the focus inside it the pane stays out.
    if (HasSwitch(L"--slide-out")) site.ShowPane(recovered, TRUE);
    site.m_bPreviewWindows = HasSwitch(L"--previews") || HasSwitch(L"--stickers");
    site.m_bDockingStickers = HasSwitch(L"--stickers");
    if (HasSwitch(L"--drag")) StartDrag(properties, folders);
  }

  void PopulateTaskPanel() {
    PopulateDemoTaskPanel(taskPanel, taskEdit, NumberArgument(L"--panel-theme", 2), NumberArgument(L"--panel-mode", 0));
  }

  // The task panel as a pane of its own left of the tabbed panes.
  void AddTaskPanelPane() {
    if (!taskPanel.Create(WS_CHILD | WS_TABSTOP, CRect(0, 0, 0, 0), this, 0)) return;
    PopulateTaskPanel();
    CTkDockingPaneObject* tasks = site.CreatePane(110, L"Tasks", taskPanel.GetSafeHwnd());
    tasks->DockingCX = 200;
    site.DockPane(tasks, kDockLeft);
  }

  // Presses the caption of the dragged pane's container and moves the
  // pointer over the target pane's container as a user would; Escape ends
  // the drag.
  void StartDrag(CTkDockingPaneObject* dragged, CTkDockingPaneObject* target) {
    CRect from = dragged->GetContainer()->GetScreenRect();
    CRect over = target->GetContainer()->GetScreenRect();
    CPoint press(from.CenterPoint().x, from.top + 6);
    // Near the left edge, or on the left arrow of the stickers.
    CPoint to(site.m_bDockingStickers ? over.CenterPoint().x - 31 : over.left + 12, over.CenterPoint().y + 10);
    m_dragger = std::thread([press, to] {
      auto button = [](DWORD flags) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        ::SendInput(1, &input, sizeof(input));
      };
      ::Sleep(300);
      ::SetCursorPos(press.x, press.y);
      button(MOUSEEVENTF_LEFTDOWN);
      for (int step = 1; step <= 10; ++step) {
        ::Sleep(30);
        ::SetCursorPos(press.x + (to.x - press.x) * step / 10, press.y + (to.y - press.y) * step / 10);
      }
      ::Sleep(3000);
      INPUT escape[2] = {};
      escape[0].type = escape[1].type = INPUT_KEYBOARD;
      escape[0].ki.wVk = escape[1].ki.wVk = VK_ESCAPE;
      escape[1].ki.dwFlags = KEYEVENTF_KEYUP;
      ::SendInput(2, escape, sizeof(INPUT));
      button(MOUSEEVENTF_LEFTUP);
    });
  }
  ~DemoFrame() override {
    if (m_dragger.joinable()) m_dragger.join();
  }
  std::thread m_dragger;

 protected:
  int OnCreate(LPCREATESTRUCTW lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (HasSwitch(L"--task-panel-alone"))
      return taskPanel.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST) ? 0 : -1;
    return view.Create(L"EDIT", L"The view", WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 0, 0), this,
                       AFX_IDW_PANE_FIRST)
               ? 0
               : -1;
  }
  void OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kCloseTimer) return;
    KillTimer(kCloseTimer);
    if (!screenshot.empty()) SaveScreenshot(screenshot);
    PostMessage(WM_CLOSE);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(DemoFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_TIMER()
END_MESSAGE_MAP()

class DemoApp : public CTkDemoApp {
 public:
  DemoApp() : CTkDemoApp(L"DockingDemo") {}
  BOOL InitInstance() override {
    const UINT closeAfter = CloseAfterArgument();
    SetCurrentBarPainter(new TestPainter);
    auto* frame = new DemoFrame;
    const bool alone = HasSwitch(L"--task-panel-alone");
    if (!frame->Create(nullptr, alone ? L"Task panel" : L"Docking panes", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                       alone ? CRect(20, 20, 300, 620) : CRect(20, 20, 860, 620)))
      return FALSE;
    m_pMainWnd = frame;
    frame->ShowWindow(SW_SHOW);
    ::SetActiveWindow(frame->m_hWnd);
    int scheme = NumberArgument(L"--scheme", -1);
    if (scheme >= 0) {
      GetColorScheme()->SetChosenXPScheme(static_cast<XPSchemeId>(scheme));
      GetColorScheme()->RefreshColors();
    }
    frame->Populate(NumberArgument(L"--theme", 0));
    frame->screenshot = ScreenshotArgument();
    if (closeAfter != 0) frame->SetTimer(kCloseTimer, closeAfter, nullptr);
    return TRUE;
  }
  int ExitInstance() override {
    int code = CTkDemoApp::ExitInstance();
    return screenshotFailed ? 1 : code;
  }
};

DemoApp theApp;

}  // namespace
