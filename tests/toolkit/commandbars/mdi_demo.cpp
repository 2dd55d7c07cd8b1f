// An MDI frame with command bars, for looking at: a menu bar and a tool
// bar in the native look (theme 3) over the MDI client, and one child,
// maximized, whose icon and window buttons join the menu bar.
// "--restored" leaves the child as it is made, "--list" opens the tool
// bar's expand popup and then its buttons list, "--system-menu" opens the
// child's system menu from its icon,
// "--windows" opens two more children and a Window menu listing them,
// "--save-popups FOLDER" then writes the open popups' own pixels there as
// bitmaps, "--tabs" shows the children as tabs in two groups side by side
// ("--tabs-below" one above the other), "--close-after MS" closes the
// frame by itself.
#include "demo_app.h"
#include "framework.h"

#include <shellapi.h>

#include <cstdio>
#include <cwchar>

#include "bar_painter.h"
#include "command_bars.h"
#include "frame_demo_resources.h"
#include "menu_bar.h"
#include "popup_bar.h"
#include "control_lists.h"
#include "tab_client_wnd.h"
#include "tool_bar.h"
#include "toolkit_resources.h"

namespace {

enum DemoTimer : UINT {
  kCloseTimer = 1,
  kExpandTimer = 2,
  kAddRemoveTimer = 3,
  kListTimer = 4,
  kSaveTimer = 5,
  kSystemMenuTimer = 6,
  kWindowsTimer = 7,
};

// Writes what a window paints of itself (WM_PRINT) as a 32-bit bitmap
// named after its screen position: popups over the frame may show black
// on a virtual display while their own pixels are right.
void SavePrinted(CWnd* window, const CString& folder) {
  if (window == nullptr || window->GetSafeHwnd() == nullptr || !window->IsWindowVisible()) return;
  CRect rect;
  window->GetWindowRect(&rect);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = rect.Width();
  info.bmiHeader.biHeight = -rect.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = ::CreateCompatibleDC(screen);
  ::ReleaseDC(nullptr, screen);
  if (bitmap == nullptr || memory == nullptr) return;
  HGDIOBJ previous = ::SelectObject(memory, bitmap);
  window->SendMessage(WM_PRINT, reinterpret_cast<WPARAM>(memory),
                      PRF_CLIENT | PRF_NONCLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
  ::GdiFlush();
  CString path;
  path.Format(L"%s\\popup_%d_%d.bmp", static_cast<LPCWSTR>(folder), rect.left, rect.top);
  if (FILE* file = _wfopen(path, L"wb")) {
    const DWORD size = static_cast<DWORD>(rect.Width()) * rect.Height() * 4;
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + size;
    fwrite(&header, sizeof header, 1, file);
    fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, file);
    fwrite(bits, size, 1, file);
    fclose(file);
  }
  ::SelectObject(memory, previous);
  ::DeleteDC(memory);
  ::DeleteObject(bitmap);
}

// Opens a control's popup as a click on it does.
void OpenPopupOf(CTkCommandBar* bar, CTkControl* control) {
  if (bar == nullptr || control == nullptr || bar->GetSafeHwnd() == nullptr) return;
  bar->SetPopupControl(control->GetIndex(), FALSE);
}

// The control of a popup whose caption is the text.
CTkControl* FindByCaption(CTkCommandBar* bar, const CString& caption) {
  for (int i = 0; bar != nullptr && i < bar->GetControlCount(); ++i)
    if (bar->GetControl(i)->GetCaption() == caption) return bar->GetControl(i);
  return nullptr;
}

class DemoFrame : public CMDIFrameWnd {
 public:
  UINT closeAfter = 0;
  BOOL maximized = TRUE;
  BOOL openList = FALSE;
  BOOL openSystemMenu = FALSE;
  BOOL openWindows = FALSE;
  // 0 no tabs, else the command that makes the second group.
  UINT tabGroups = 0;
  CString saveFolder;
  CTkTabClientWnd tabClient;

  // The tabs of the children in two groups.
  void ShowTabs() {
    tabClient.Attach(this);
    for (LPCWSTR title : {L"Totals.csv", L"R&D notes.txt", L"Scan log.txt"}) OpenChild(title);
    tabClient.RunGroupCommand(tabGroups);
  }
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
    if (tabClient.GetSafeHwnd() != nullptr && tabClient.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    return CMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
  }

  ~DemoFrame() override {
    if (m_pCommandBars != nullptr) m_pCommandBars->InternalRelease();
  }

  void OpenChild(LPCWSTR title = L"Report.txt") {
    auto* child = new CMDIChildWnd;
    if (!child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(20, 20, 300, 160),
                       this))
      return;
    child->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(::LoadIconW(nullptr, IDI_INFORMATION)));
    if (maximized) child->MDIMaximize();
    m_pCommandBars->GetMenuBar()->RefreshMDIButtons();
  }

 protected:
  int OnCreate(LPCREATESTRUCTW lpcs) {
    if (CMDIFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (GetCurrentBarPainter() == nullptr) SetCurrentTheme(0);
    m_pCommandBars = static_cast<CTkCommandBars*>(RUNTIME_CLASS(CTkCommandBars)->CreateObject());
    m_pCommandBars->SetFrame(this);
    m_pCommandBars->CreateDockBars();
    CTkMenuBar* menuBar = m_pCommandBars->CreateMenuBar(L"Menu Bar", IDR_DEMO_MENU);
    if (menuBar == nullptr) return -1;
    menuBar->EnableDocking(kMenuBarDockFlags | kDockSystemMenuIcon);
    SetCurrentTheme(3);
    m_pCommandBars->GetCommandBarsOptions()->nAnimationType = 5;
    auto* bar = static_cast<CTkToolBar*>(m_pCommandBars->CreateToolBar(L"Standard", IDR_DEMO_TOOLBAR, FALSE));
    if (bar == nullptr || !bar->LoadToolBar(IDR_DEMO_TOOLBAR, TRUE)) return -1;
    bar->SetBuiltIn(TRUE);
    bar->OnControlsChanged();
    if (closeAfter != 0) SetTimer(kCloseTimer, closeAfter, nullptr);
    if (openList) SetTimer(kExpandTimer, 500, nullptr);
    if (openSystemMenu) SetTimer(kSystemMenuTimer, 500, nullptr);
    if (openWindows) SetTimer(kWindowsTimer, 500, nullptr);
    return 0;
  }

  void OnTimer(UINT_PTR id) {
    KillTimer(id);
    if (id == kCloseTimer) {
      DestroyWindow();
      return;
    }
    CTkCommandBar* bar = m_pCommandBars->FindBarById(IDR_DEMO_TOOLBAR);
    CTkControl* expand = bar != nullptr ? bar->GetControls()->FindControl(CTkToolBar::kExpandButtonId) : nullptr;
    CTkCommandBar* expandPopup = expand != nullptr ? expand->GetCommandBar() : nullptr;
    CString addRemove;
    addRemove.LoadString(IDS_TK_ADD_REMOVE_BUTTONS);
      if (id == kExpandTimer) {
      OpenPopupOf(bar, expand);
      SetTimer(kAddRemoveTimer, 700, nullptr);
    } else if (id == kAddRemoveTimer) {
      OpenPopupOf(expandPopup, FindByCaption(expandPopup, addRemove));
      SetTimer(kListTimer, 900, nullptr);
    } else if (id == kListTimer) {
      CTkControl* entry = FindByCaption(expandPopup, addRemove);
      CTkCommandBar* entries = entry != nullptr ? entry->GetCommandBar() : nullptr;
      OpenPopupOf(entries, FindByCaption(entries, L"Standard"));
      if (!saveFolder.IsEmpty()) SetTimer(kSaveTimer, 900, nullptr);
    } else if (id == kWindowsTimer) {
      // A Window menu whose list shows the children, numbered, the active one checked.
      OpenChild(L"R&D notes.txt");
      OpenChild(L"Totals.csv");
      CTkMenuBar* menuBar = m_pCommandBars->GetMenuBar();
      CTkControl* window = menuBar->GetControls()->Add(kControlPopup, 0, L"", menuBar->GetControlCount() - 1);
      window->SetCaption(L"&Window");
      CTkControl* tile = window->GetCommandBar()->GetControls()->Add(kControlButton, ID_DEMO_TOOLBAR);
      tile->SetCaption(L"&Tile");
      CTkControl* list = window->GetCommandBar()->GetControls()->Add(kControlButton, 35000);
      list->SetCaption(L"Windows");
      menuBar->OnControlsChanged();
      RecalcLayout();
      OpenPopupOf(menuBar, window);
    } else if (id == kSystemMenuTimer) {
      CTkMenuBar* menuBar = m_pCommandBars->GetMenuBar();
      CTkControl* systemMenu = menuBar->GetControls()->FindControl(CTkMenuBar::kMDISystemMenuId);
      OpenPopupOf(menuBar, systemMenu);
      if (!saveFolder.IsEmpty() && systemMenu != nullptr) {
        ::UpdateWindow(systemMenu->GetCommandBar()->GetSafeHwnd());
        SavePrinted(systemMenu->GetCommandBar(), saveFolder);
      }
    } else if (id == kSaveTimer) {
      CTkControl* entry = FindByCaption(expandPopup, addRemove);
      CTkCommandBar* entries = entry != nullptr ? entry->GetCommandBar() : nullptr;
      CTkControl* standard = FindByCaption(entries, L"Standard");
      SavePrinted(expandPopup, saveFolder);
      SavePrinted(entries, saveFolder);
      SavePrinted(standard != nullptr ? standard->GetCommandBar() : nullptr, saveFolder);
    }
  }

  void OnCommand(UINT id) {
    if (id == ID_DEMO_EXIT) PostMessage(WM_CLOSE);
    if (id == ID_DEMO_NEW) OpenChild();
  }
  void OnCustomize() {}
  DECLARE_MESSAGE_MAP()

  CTkCommandBars* m_pCommandBars = nullptr;
};

BEGIN_MESSAGE_MAP(DemoFrame, CMDIFrameWnd)
ON_WM_CREATE()
ON_WM_TIMER()
ON_COMMAND_RANGE(ID_DEMO_NEW, ID_DEMO_ABOUT, OnCommand)
ON_COMMAND(35001, OnCustomize)
END_MESSAGE_MAP()

class DemoApp : public CTkDemoApp {
 public:
  DemoApp() : CTkDemoApp(L"MDI demo") {}
  BOOL InitInstance() override {
    auto* frame = new DemoFrame;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; i < argc; ++i) {
      if (std::wcscmp(argv[i], L"--restored") == 0) frame->maximized = FALSE;
      if (std::wcscmp(argv[i], L"--list") == 0) frame->openList = TRUE;
      if (std::wcscmp(argv[i], L"--windows") == 0) frame->openWindows = TRUE;
      if (std::wcscmp(argv[i], L"--tabs") == 0) frame->tabGroups = kIdNewVerticalGroup;
      if (std::wcscmp(argv[i], L"--tabs-below") == 0) frame->tabGroups = kIdNewHorizontalGroup;
      if (std::wcscmp(argv[i], L"--system-menu") == 0) frame->openSystemMenu = TRUE;
      if (i + 1 < argc && std::wcscmp(argv[i], L"--save-popups") == 0) frame->saveFolder = argv[i + 1];
      if (i + 1 < argc && std::wcscmp(argv[i], L"--close-after") == 0)
        frame->closeAfter = static_cast<UINT>(_wtoi(argv[i + 1]));
    }
    LocalFree(argv);
    m_pMainWnd = frame;
    if (!frame->Create(nullptr, L"MDI demo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 600, 360))) return FALSE;
    if (frame->tabGroups != 0) {
      frame->maximized = FALSE;
      frame->ShowTabs();
    } else {
      frame->OpenChild();
    }
    frame->SetForegroundWindow();
    frame->UpdateWindow();
    return TRUE;
  }
};

DemoApp theApp;

}  // namespace
