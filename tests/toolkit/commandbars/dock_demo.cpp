// A frame with bars in every kind of place, for looking at: the menu bar
// and a tool bar docked at the top, a tool bar docked on the left, a
// floating tool bar and a floating dialog bar hosting a list. Every bar
// can be dragged, torn off, resized while floating and docked again by a
// double click. "--drag-menu N" drags the menu bar to the top, bottom,
// left or right edge (0 to 3) or tears it off (4) as a user would, and
// "--print-menu FILE" then writes what the menu bar draws to a BMP file;
// "--dialog-bar N" docks the dialog bar at edge N (0 to 3) instead;
// "--close-after MS" closes the frame by itself.
#include "demo_app.h"
#include "framework.h"

#include <shellapi.h>

#include <cstdio>
#include <cwchar>

#include "bar_painter.h"
#include "command_bars.h"
#include "dialog_bar.h"
#include "frame_demo_resources.h"
#include "frame_window.h"
#include "menu_bar.h"
#include "popup_bar.h"
#include "tool_bar.h"

namespace {

enum DemoTimer : UINT { kCloseTimer = 1, kDragTimer = 2 };

class DemoView : public CWnd {
 public:
  BOOL CreateView(CWnd* parent) {
    LPCWSTR windowClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return CreateEx(WS_EX_CLIENTEDGE, windowClass, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), parent,
                    AFX_IDW_PANE_FIRST);
  }
};

class DockDemoFrame : public CTkFrameWnd {
 public:
  UINT closeAfter = 0;
  // The menu bar is dragged to this edge (0-3) or torn off (4) once the
  // frame shows; -1 leaves it.
  int dragMenuTo = -1;
  // The dialog bar's place: 0-3 an edge, 4 floating.
  int dialogPlace = kBarFloating;
  // After the drag the menu bar's own pixels go to this BMP file.
  CString printMenuTo;

 protected:
  CTkToolBar* AddToolBar(LPCWSTR title, UINT id) {
    CTkCommandBar* bar = m_pCommandBars->CreateToolBar(title, id, FALSE);
    if (bar == nullptr) return nullptr;
    auto* toolBar = static_cast<CTkToolBar*>(bar);
    if (!toolBar->LoadToolBar(IDR_DEMO_TOOLBAR, TRUE)) return nullptr;
    toolBar->SetBarID(id);
    return toolBar;
  }

  int OnCreate(LPCREATESTRUCTW lpcs) {
    if (CTkFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (!m_view.CreateView(this)) return -1;
    if (GetCurrentBarPainter() == nullptr) SetCurrentTheme(0);
    m_pCommandBars = static_cast<CTkCommandBars*>(RUNTIME_CLASS(CTkCommandBars)->CreateObject());
    m_pCommandBars->SetFrame(this);
    m_pCommandBars->CreateDockBars();
    if (m_pCommandBars->CreateMenuBar(L"Menu Bar", IDR_DEMO_MENU) == nullptr) return -1;
    SetCurrentTheme(3);
    m_pCommandBars->GetCommandBarsOptions()->bDblClickFloat = TRUE;

    if (AddToolBar(L"Standard", 201) == nullptr) return -1;
    CTkToolBar* side = AddToolBar(L"Side", 202);
    CTkToolBar* floating = AddToolBar(L"Floating", 203);
    if (side == nullptr || floating == nullptr) return -1;
    side->PlaceBar(kBarLeft);
    CRect frame;
    GetWindowRect(&frame);
    floating->GetDragTracker()->SetLastFloatingPos(CPoint(frame.right + 20, frame.top + 40));
    floating->PlaceBar(kBarFloating);

    CRuntimeClass* saved = ToolBarClass;
    ToolBarClass = RUNTIME_CLASS(CTkDialogBar);
    auto* dialogBar = static_cast<CTkDialogBar*>(m_pCommandBars->CreateToolBar(L"Found Files", 204, FALSE));
    ToolBarClass = saved;
    if (dialogBar == nullptr) return -1;
    dialogBar->SetFloatingClientSize(CSize(180, 120));
    dialogBar->GetCaptionPopupBar()->GetControls()->Add(kControlButton, ID_DEMO_FIND);
    HWND list = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 10,
                                  10, dialogBar->GetSafeHwnd(), nullptr, AfxGetInstanceHandle(), nullptr);
    for (LPCWSTR name : {L"holiday.jpg", L"report.doc", L"song.mp3", L"notes.txt"})
      ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    dialogBar->SetChild(list);
    dialogBar->GetDragTracker()->SetLastFloatingPos(CPoint(frame.right + 20, frame.top + 120));
    dialogBar->PlaceBar(dialogPlace);
    RecalcLayout();
    if (closeAfter != 0) SetTimer(kCloseTimer, closeAfter, nullptr);
    if (dragMenuTo >= 0) SetTimer(kDragTimer, 300, nullptr);
    return 0;
  }
  void OnTimer(UINT_PTR id) {
    KillTimer(id);
    if (id == kCloseTimer) PostMessage(WM_CLOSE);
    if (id == kDragTimer) DragMenuBar();
  }
  // The drag a user makes, fed to the drag loop as posted input.
  void DragMenuBar() {
    CTkMenuBar* menuBar = m_pCommandBars->GetMenuBar();
    CRect client;
    GetClientRect(&client);
    const CPoint targets[] = {CPoint(client.CenterPoint().x, 2), CPoint(client.CenterPoint().x, client.bottom - 2),
                              CPoint(2, client.CenterPoint().y), CPoint(client.right - 2, client.CenterPoint().y),
                              client.CenterPoint()};
    const CPoint target = targets[dragMenuTo % 5];
    PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(target.x, target.y));
    PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(target.x, target.y));
    CRect bar;
    menuBar->GetWindowRect(&bar);
    menuBar->GetDragTracker()->StartDrag(bar.left + 2, bar.top + 4);
    if (!printMenuTo.IsEmpty()) PrintToFile(menuBar, printMenuTo);
  }
  // The window's pixels as it draws them (WM_PRINT), whatever the screen shows.
  static void PrintToFile(CWnd* window, LPCWSTR path) {
    CRect rect;
    window->GetClientRect(&rect);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = rect.Width();
    header.biHeight = -rect.Height();
    header.biPlanes = 1;
    header.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits,
                                        nullptr, 0);
    HDC memory = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    if (bitmap == nullptr || memory == nullptr) return;
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    window->SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    ::GdiFlush();
    const DWORD size = static_cast<DWORD>(rect.Width()) * static_cast<DWORD>(rect.Height()) * 4;
    BITMAPFILEHEADER fileHeader = {};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = fileHeader.bfOffBits + size;
    if (FILE* file = _wfopen(path, L"wb")) {
      fwrite(&fileHeader, sizeof fileHeader, 1, file);
      fwrite(&header, sizeof header, 1, file);
      fwrite(bits, size, 1, file);
      fclose(file);
    }
    ::SelectObject(memory, previous);
    ::DeleteDC(memory);
    ::DeleteObject(bitmap);
  }
  void OnDemoCommand(UINT) {}
  void OnDestroy() {
    if (m_pCommandBars != nullptr) m_pCommandBars->CloseAllPopups();
    CTkFrameWnd::OnDestroy();
  }
  DECLARE_MESSAGE_MAP()

  DemoView m_view;
};

BEGIN_MESSAGE_MAP(DockDemoFrame, CTkFrameWnd)
ON_WM_CREATE()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_COMMAND_RANGE(ID_DEMO_NEW, ID_DEMO_ABOUT, OnDemoCommand)
END_MESSAGE_MAP()

class DockDemoApp : public CTkDemoApp {
 public:
  DockDemoApp() : CTkDemoApp(L"ToolkitDockDemo") {}
  BOOL InitInstance() override {
    auto* frame = new DockDemoFrame;
    int count = 0;
    LPWSTR* args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    for (int i = 1; args != nullptr && i < count; ++i)
      if (std::wcscmp(args[i], L"--close-after") == 0 && i + 1 < count)
        frame->closeAfter = static_cast<UINT>(std::wcstoul(args[++i], nullptr, 10));
      else if (std::wcscmp(args[i], L"--drag-menu") == 0 && i + 1 < count)
        frame->dragMenuTo = static_cast<int>(std::wcstol(args[++i], nullptr, 10));
      else if (std::wcscmp(args[i], L"--dialog-bar") == 0 && i + 1 < count)
        frame->dialogPlace = static_cast<int>(std::wcstol(args[++i], nullptr, 10));
      else if (std::wcscmp(args[i], L"--print-menu") == 0 && i + 1 < count)
        frame->printMenuTo = args[++i];
    ::LocalFree(args);
    if (!frame->Create(nullptr, L"Toolkit dock demo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 700, 520)))
      return FALSE;
    m_pMainWnd = frame;
    frame->SetForegroundWindow();
    frame->UpdateWindow();
    return TRUE;
  }
};

DockDemoApp theApp;

}  // namespace
