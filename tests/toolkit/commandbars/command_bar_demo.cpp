// A frame with one command bar, for looking at: its buttons highlight under
// the pointer, press, send their commands to the frame and follow the
// frame's update handlers. "--script click:0,hover:3,press:1" drives the
// real pointer over the controls (one step every 600 ms); "--close-after MS"
// closes the frame by itself. "--theme 0" or "--theme 3" draws the bar in
// the classic or the native look instead of the demo's own, and "--popup"
// opens the bar's Edit menu (icons, a check, shortcuts, a submenu, a split
// item, separators, a disabled row and an expanded rarely used row).
#include "demo_app.h"
#include "framework.h"

#include <shellapi.h>

#include <cwchar>
#include <string>
#include <vector>

#include "command_bar.h"
#include "command_bars.h"
#include "image_manager.h"
#include "popup_bar.h"
#include "test_painter.h"
#include "window_hooks.h"

namespace {

enum DemoCommand : UINT { kNew = 3001, kOpen, kBold, kItalic, kPrint, kCount };
enum MenuCommand : UINT { kUndo = 3101, kCut, kPaste, kWrap, kStatistics, kRecentOne, kRecentTwo, kSend, kMail, kDisk };

// A 16 x 16 icon: a rounded tile of a colour with a light stripe.
HICON MakeTileIcon(COLORREF color) {
  HDC screen = ::GetDC(nullptr);
  HDC dc = ::CreateCompatibleDC(screen);
  HBITMAP image = ::CreateCompatibleBitmap(screen, 16, 16);
  HBITMAP mask = ::CreateBitmap(16, 16, 1, 1, nullptr);
  HGDIOBJ previous = ::SelectObject(dc, mask);
  ::PatBlt(dc, 0, 0, 16, 16, WHITENESS);
  HBRUSH black = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
  HGDIOBJ oldBrush = ::SelectObject(dc, black);
  ::RoundRect(dc, 1, 1, 15, 15, 5, 5);
  ::SelectObject(dc, image);
  ::PatBlt(dc, 0, 0, 16, 16, BLACKNESS);
  HBRUSH fill = ::CreateSolidBrush(color);
  ::SelectObject(dc, fill);
  HPEN pen = ::CreatePen(PS_SOLID, 1, RGB(40, 40, 40));
  HGDIOBJ oldPen = ::SelectObject(dc, pen);
  ::RoundRect(dc, 1, 1, 15, 15, 5, 5);
  RECT stripe = {4, 5, 12, 7};
  ::FillRect(dc, &stripe, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::SelectObject(dc, oldPen);
  ::SelectObject(dc, oldBrush);
  ::SelectObject(dc, previous);
  ICONINFO info = {TRUE, 0, 0, mask, image};
  HICON icon = ::CreateIconIndirect(&info);
  ::DeleteObject(pen);
  ::DeleteObject(fill);
  ::DeleteObject(image);
  ::DeleteObject(mask);
  ::DeleteDC(dc);
  ::ReleaseDC(nullptr, screen);
  return icon;
}

// A plain look: a flat face, a blue highlight, a darker press, a frame
// round checked buttons and a line between groups.
class DemoPainter : public TestPainter {
 public:
  void FillCommandBar(CDC* pDC, CTkCommandBar* bar) override {
    CRect client;
    bar->GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
  }
  void DrawControlFace(CDC* pDC, CRect rect, BOOL enabled, BOOL selected, BOOL pressed, BOOL checked, BOOL,
                       int) override {
    pDC->SetTextColor(::GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    const COLORREF border = RGB(10, 36, 106);
    if (enabled && pressed) {
      pDC->FillSolidRect(&rect, RGB(130, 160, 220));
      pDC->Draw3dRect(&rect, border, border);
    } else if (enabled && selected) {
      pDC->FillSolidRect(&rect, RGB(182, 200, 240));
      pDC->Draw3dRect(&rect, border, border);
    } else if (checked) {
      pDC->FillSolidRect(&rect, RGB(225, 230, 240));
      pDC->Draw3dRect(&rect, border, border);
    }
  }
  CSize DrawSeparator(CDC* pDC, CTkCommandBar*, CTkControl* control, BOOL draw) override {
    if (draw) {
      const CRect& rect = control->GetRect();
      pDC->FillSolidRect(rect.left - 4, rect.top + 2, 1, rect.Height() - 4, ::GetSysColor(COLOR_BTNSHADOW));
      pDC->FillSolidRect(rect.left - 3, rect.top + 2, 1, rect.Height() - 4, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    }
    return CSize(8, 8);
  }
};

// A tool-bar button: pressed by the mouse, run at once by the keyboard.
class DemoButton : public CTkControlButton {
 public:
  void OnClick(BOOL keyboard, CPoint) override {
    if (!GetEnabled()) return;
    if (keyboard)
      ExecuteCommand();
    else
      TrackButtonPress();
  }
};

struct Step {
  std::wstring action;
  int control;
};

class DemoFrame : public CFrameWnd {
 public:
  UINT closeAfter = 0;
  std::vector<Step> script;
  BOOL openPopup = FALSE;

  ~DemoFrame() override {
    if (m_pBar != nullptr) m_pBar->InternalRelease();
    if (m_pCommandBars != nullptr) m_pCommandBars->InternalRelease();
  }

 protected:
  int OnCreate(LPCREATESTRUCTW lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    m_font.CreatePointFont(100, L"Arial");
    m_pCommandBars = new CTkCommandBars;
    m_pCommandBars->SetFrame(this);
    m_pBar = new CTkCommandBar;
    m_pBar->SetCommandBars(m_pCommandBars);
    m_pBar->SetPosition(kBarTop);
    m_pBar->SetTitle(L"Standard");
    struct Item {
      UINT id;
      LPCWSTR caption;
      BOOL group;
    };
    const Item items[] = {{kNew, L"&New", FALSE},     {kOpen, L"&Open...", FALSE}, {kBold, L"&Bold", TRUE},
                          {kItalic, L"&Italic", FALSE}, {kPrint, L"&Print", TRUE},  {kCount, L"Commands: 0", TRUE}};
    for (const Item& item : items) {
      CTkControl* control = m_pBar->GetControls()->AddControl(new DemoButton, item.id);
      control->SetCaption(item.caption);
      control->SetStyle(kButtonCaption);
      control->SetBeginGroup(item.group);
    }
    AddEditMenu();
    if (!m_pBar->CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), L"Standard", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10),
                          this, AFX_IDW_PANE_FIRST + 1))
      return -1;
    if (closeAfter != 0) SetTimer(1, closeAfter, nullptr);
    if (openPopup) SetTimer(3, 300, nullptr);
    if (!script.empty()) SetTimer(2, 600, nullptr);
    return 0;
  }
  void OnSize(UINT type, int cx, int cy) {
    CFrameWnd::OnSize(type, cx, cy);
    if (m_pBar == nullptr || m_pBar->GetSafeHwnd() == nullptr) return;
    CClientDC dc(m_pBar);
    DWORD flags = kLayoutHorzDock | kLayoutCommit | kLayoutStretch;
    const CSize size = m_pBar->GetControls()->CalcDynamicSize(&dc, cx, flags, CRect(4, 3, 4, 3));
    m_pBar->MoveWindow(0, 0, cx, size.cy);
    m_pBar->Invalidate(FALSE);
  }
  // The Edit menu: a title on the bar whose popup shows every kind of row.
  void AddEditMenu() {
    auto* images = new CTkImageManager;
    const COLORREF colors[] = {RGB(70, 130, 220), RGB(220, 80, 60), RGB(90, 170, 80), RGB(230, 180, 40)};
    const UINT iconIds[] = {kUndo, kCut, kPaste, kSend};
    for (int i = 0; i < 4; ++i) {
      CTkIconHandle icon;
      icon.AttachIcon(MakeTileIcon(colors[i]));
      images->SetIcon(icon, iconIds[i], 16);
    }
    m_pCommandBars->SetImageManager(images);
    const UINT rarelyUsed[] = {kStatistics};
    m_pCommandBars->AddHiddenCommands(rarelyUsed, 1);
    m_pCommandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    m_pCommandBars->GetCommandBarsOptions()->nAnimationType = 5;

    CTkControl* title = m_pBar->GetControls()->Add(kControlPopup, 0);
    title->SetCaption(L"&Edit");
    title->SetBeginGroup(TRUE);
    CTkCommandBar* menu = title->GetCommandBar();
    m_editIndex = title->GetIndex();
    struct Row {
      int type;
      UINT id;
      LPCWSTR caption;
      BOOL group;
    };
    const Row rows[] = {{kControlButton, kUndo, L"&Undo\tCtrl+Z", FALSE},
                        {kControlButton, kCut, L"Cu&t\tCtrl+X", TRUE},
                        {kControlButton, kPaste, L"&Paste\tCtrl+V", FALSE},
                        {kControlButton, kWrap, L"&Word wrap", TRUE},
                        {kControlButton, kStatistics, L"&Statistics...", FALSE},
                        {kControlPopup, 0, L"&Recent files", TRUE},
                        {kControlSplitButtonPopup, kSend, L"Se&nd to", FALSE}};
    for (const Row& row : rows) {
      CTkControl* control = menu->GetControls()->Add(row.type, row.id);
      control->SetCaption(row.caption);
      control->SetBeginGroup(row.group);
      CTkCommandBar* sub = control->GetCommandBar();
      if (sub == nullptr) continue;
      const UINT first = row.id == kSend ? kMail : kRecentOne;
      sub->GetControls()->Add(kControlButton, first)->SetCaption(row.id == kSend ? L"&Mail recipient" : L"&1 notes.txt");
      sub->GetControls()->Add(kControlButton, first + 1)->SetCaption(row.id == kSend ? L"&Disk" : L"&2 report.txt");
    }
  }
  BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  void OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, RGB(255, 255, 255));
    CFont* old = dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(16, 60, m_lastCommand.IsEmpty() ? CString(L"No command yet") : L"Last command: " + m_lastCommand);
    dc.SelectObject(old);
  }
  void OnTimer(UINT_PTR id) {
    if (id == 3) {
      KillTimer(3);
      // As after an expansion: the rarely used row shows, on its own fill.
      GetMouseTracker()->m_bExpanded = TRUE;
      m_pBar->SetPopupControl(m_editIndex, FALSE);
      CTkCommandBar* menu = m_pBar->GetControl(m_editIndex)->GetCommandBar();
      if (menu != nullptr) menu->SetHighlightedControl(1, TRUE);
      return;
    }
    if (id == 1) {
      KillTimer(1);
      mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
      DestroyWindow();
      return;
    }
    if (m_nextStep >= script.size()) {
      KillTimer(2);
      return;
    }
    const Step step = script[m_nextStep++];
    CTkControl* control = m_pBar->GetControl(step.control);
    if (control == nullptr) return;
    CPoint point = control->GetRect().CenterPoint();
    m_pBar->ClientToScreen(&point);
    ::SetCursorPos(point.x, point.y);
    if (step.action == L"click" || step.action == L"press") mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    if (step.action == L"click") mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  }
  void OnCommandRange(UINT id) {
    static const wchar_t* const names[] = {L"New", L"Open", L"Bold", L"Italic", L"Print", L"Commands"};
    m_lastCommand = names[id - kNew];
    ++m_commands;
    if (id == kBold) m_bold = !m_bold;
    Invalidate(FALSE);
  }
  void OnUpdateBold(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bold); }
  void OnUpdatePrint(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  void OnMenuCommand(UINT id) {
    m_lastCommand.Format(L"menu %u", id);
    Invalidate(FALSE);
  }
  void OnUpdateMenu(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
  void OnUpdateWrap(CCmdUI* pCmdUI) { pCmdUI->SetCheck(TRUE); }
  void OnUpdateCount(CCmdUI* pCmdUI) {
    CString text;
    text.Format(L"Commands: %d", m_commands);
    pCmdUI->SetText(text);
  }
  DECLARE_MESSAGE_MAP()

 private:
  CFont m_font;
  CTkCommandBars* m_pCommandBars = nullptr;
  CTkCommandBar* m_pBar = nullptr;
  CString m_lastCommand;
  int m_commands = 0;
  BOOL m_bold = TRUE;
  size_t m_nextStep = 0;
  int m_editIndex = -1;
};

BEGIN_MESSAGE_MAP(DemoFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_TIMER()
ON_COMMAND_RANGE(kNew, kItalic, OnCommandRange)
ON_COMMAND_RANGE(kCount, kCount, OnCommandRange)
ON_UPDATE_COMMAND_UI(kBold, OnUpdateBold)
ON_UPDATE_COMMAND_UI(kPrint, OnUpdatePrint)
ON_UPDATE_COMMAND_UI(kCount, OnUpdateCount)
ON_COMMAND_RANGE(kUndo, kDisk, OnMenuCommand)
ON_UPDATE_COMMAND_UI(kPaste, OnUpdatePrint)
ON_UPDATE_COMMAND_UI(kWrap, OnUpdateWrap)
ON_UPDATE_COMMAND_UI_RANGE(kUndo, kDisk, OnUpdateMenu)
END_MESSAGE_MAP()

class DemoApp : public CTkDemoApp {
 public:
  DemoApp() : CTkDemoApp(L"Command bar demo") {}
  BOOL InitInstance() override {
    DemoFrame* frame = new DemoFrame;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    int theme = -1;
    for (int i = 1; i < argc; ++i)
      if (std::wcscmp(argv[i], L"--popup") == 0) frame->openPopup = TRUE;
    for (int i = 1; i + 1 < argc; ++i) {
      if (std::wcscmp(argv[i], L"--theme") == 0) theme = _wtoi(argv[i + 1]);
      if (std::wcscmp(argv[i], L"--close-after") == 0) frame->closeAfter = static_cast<UINT>(_wtoi(argv[i + 1]));
      if (std::wcscmp(argv[i], L"--script") != 0) continue;
      // action:index,action:index...
      std::wstring text = argv[i + 1];
      size_t start = 0;
      while (start < text.size()) {
        size_t end = text.find(L',', start);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring item = text.substr(start, end - start);
        const size_t colon = item.find(L':');
        if (colon != std::wstring::npos) frame->script.push_back({item.substr(0, colon), _wtoi(item.c_str() + colon + 1)});
        start = end + 1;
      }
    }
    LocalFree(argv);
    if (theme >= 0)
      SetCurrentTheme(theme);
    else
      SetCurrentBarPainter(new DemoPainter);
    m_pMainWnd = frame;
    if (!frame->Create(nullptr, L"Command bar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 560, 200)))
      return FALSE;
    frame->SetForegroundWindow();
    frame->UpdateWindow();
    return TRUE;
  }
};

DemoApp theApp;

}  // namespace
