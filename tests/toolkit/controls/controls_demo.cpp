// A frame with the toolkit's status bar (a message, the key indicators,
// Caps shown on) over two report lists: one with the flat header and a
// tiled background picture, one with the classic header; both sorted on a
// column. Run it to look at them; "--close-after MS" ends it.
#include "demo_app.h"
#include "close_after.h"
#include "list_control.h"
#include "status_bar.h"
#include "test_painter.h"

namespace {

const UINT_PTR kCloseTimer = 1;
const UINT_PTR kMessageTimer = 2;
const UINT kFlatList = 101;
const UINT kClassicList = 102;

// A small tiled picture, as the results page gives its list.
HBITMAP MakeTile() {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 32;
  info.bmiHeader.biHeight = -32;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  DWORD* bits = nullptr;
  HBITMAP tile = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
  if (tile == nullptr) return nullptr;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) bits[y * 32 + x] = ((x / 16 + y / 16) % 2) != 0 ? 0xFFF2B7 : 0xFFFAE0;
  return tile;
}

void FillList(CTkListCtrl& list) {
  const int widths[] = {150, 90, 70, 150};
  const LPCWSTR headings[] = {L"File Name", L"Type", L"Size", L"Modification Time"};
  list.InsertColumns(4, widths, headings);
  const wchar_t* const rows[][4] = {
      {L"holiday.jpg", L"Picture", L"48213", L"12-03-2008"},
      {L"report.doc", L"Document", L"120832", L"02-11-2007"},
      {L"notes.txt", L"Text", L"912", L"30-06-2008"},
      {L"song.mp3", L"Audio", L"3512004", L"18-01-2008"},
  };
  for (int row = 0; row < 4; ++row) {
    list.InsertItem(row, rows[row][0]);
    for (int column = 1; column < 4; ++column) list.SetItemText(row, column, rows[row][column]);
  }
  list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
}

// Lays the two lists out one above the other.
class DemoPage : public CWnd {
 public:
  CTkListCtrl flatList;
  CTkListCtrl classicList;
  CTkHeaderCtrl classicHeader;

  BOOL CreatePage(CWnd* parent) {
    if (!CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), L"",
                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), parent, AFX_IDW_PANE_FIRST))
      return FALSE;
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS;
    if (!flatList.Create(style, CRect(0, 0, 0, 0), this, kFlatList)) return FALSE;
    if (!classicList.Create(style, CRect(0, 0, 0, 0), this, kClassicList)) return FALSE;
    FillList(flatList);
    FillList(classicList);
    flatList.SubclassHeader(FALSE);
    flatList.SetSortColumn(0, 1);
    if (HBITMAP tile = MakeTile()) {
      LVBKIMAGEW image = {};
      image.ulFlags = LVBKIF_SOURCE_HBITMAP | LVBKIF_STYLE_TILE;
      image.hbm = tile;
      flatList.SendMessage(LVM_SETBKIMAGEW, 0, reinterpret_cast<LPARAM>(&image));
      flatList.SendMessage(LVM_SETTEXTBKCOLOR, 0, CLR_NONE);
    }
    classicHeader.SubclassWindow(::GetDlgItem(classicList.m_hWnd, 0));
    classicList.SetSortColumn(2, 0);
    return TRUE;
  }

 protected:
  void OnSize(UINT, int cx, int cy) {
    const int half = (cy - 24) / 2;
    flatList.MoveWindow(8, 8, cx - 16, half);
    classicList.MoveWindow(8, 16 + half, cx - 16, half);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(DemoPage, CWnd)
  ON_WM_SIZE()
END_MESSAGE_MAP()

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

class DemoFrame : public CFrameWnd {
 public:
  CTkStatusBar bar;
  DemoPage page;

 protected:
  int OnCreate(LPCREATESTRUCTW lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (!bar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !bar.CreatePanesFromIds(kIndicators, 4))
      return -1;
    if (!page.CreatePage(this)) return -1;
    return 0;
  }
  // Caps shows on whatever the keyboard says; Num and Scroll Lock follow it.
  void OnUpdateCaps(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
  void OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kCloseTimer) PostMessage(WM_CLOSE);
    if (nIDEvent == kMessageTimer) {
      KillTimer(kMessageTimer);
      SetMessageText(L"Scanning sector 1024 of 65536");
    }
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(DemoFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_TIMER()
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateCaps)
END_MESSAGE_MAP()

class DemoApp : public CTkDemoApp {
 public:
  DemoApp() : CTkDemoApp(L"ControlsDemo") {}
  BOOL InitInstance() override {
    const UINT closeAfter = CloseAfterArgument();

    // The look every bar shares until the program's own theme is installed.
    SetCurrentBarPainter(new TestPainter);
    auto* frame = new DemoFrame;
    if (!frame->Create(nullptr, L"Toolkit controls", WS_OVERLAPPEDWINDOW, CRect(40, 40, 640, 460))) return FALSE;
    m_pMainWnd = frame;
    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    // After the frame's own "Ready", as a menu prompt would come.
    frame->SetTimer(kMessageTimer, 200, nullptr);
    if (closeAfter != 0) frame->SetTimer(kCloseTimer, closeAfter, nullptr);
    return TRUE;
  }
};

DemoApp theApp;

}  // namespace
