// Every widget as the program sets it up, resting, hovered, pressed,
// checked and disabled, in one window to look at.
// "--close-after MS" closes it by itself.
#include <memory>
#include <vector>

#include "close_after.h"
#include "controls.h"
#include "test_resources.h"

namespace {

const COLORREF kButtonFace = RGB(255, 235, 139);
const UINT kFirstId = 1000;

// Shows a state the mouse would give it.
class GalleryButton : public CStyledButton {
 public:
  void ShowHovered() {
    m_bHovered = TRUE;
    Invalidate();
  }
};

// A volume of 32 GB, 40 per cent used, for the drive chart.
BOOL WINAPI GalleryDiskSpace(LPCWSTR, PULARGE_INTEGER available, PULARGE_INTEGER total, PULARGE_INTEGER free) {
  total->QuadPart = 32ull << 30;
  free->QuadPart = total->QuadPart * 6 / 10;
  available->QuadPart = free->QuadPart;
  return TRUE;
}

int StartPageIsActive() { return 1; }

class GalleryWindow : public CWnd {
 public:
  UINT closeAfter = 0;

  ~GalleryWindow() override { m_pie.RemoveAllSlices(); }

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnTimer(UINT_PTR) { DestroyWindow(); }
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  UINT NextId() { return m_nextId++; }
  void Label(LPCWSTR text, int x, int y, int width = 120);
  template <class T>
  T* Keep(T* control) {
    m_controls.emplace_back(control);
    return control;
  }
  GalleryButton* WizardButton(LPCWSTR caption, int x, int y, UINT active, UINT resting, BYTE alignment);
  void CreateButtons();
  void CreateBars();
  void CreatePanes();
  void CreateCharts();

  UINT m_nextId = kFirstId;
  HFONT m_hFont = nullptr;
  std::vector<std::unique_ptr<CWnd>> m_controls;
  CPieChart m_pie;
  CDibBuffer m_dib;
  CRect m_skin;
};

BEGIN_MESSAGE_MAP(GalleryWindow, CWnd)
  ON_WM_CREATE()
  ON_WM_TIMER()
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
END_MESSAGE_MAP()

void GalleryWindow::Label(LPCWSTR text, int x, int y, int width) {
  CTransparentStatic* label = Keep(new CTransparentStatic);
  label->Create(text, WS_CHILD | WS_VISIBLE, CRect(x, y, x + width, y + 16), this, NextId());
  label->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont));
}

GalleryButton* GalleryWindow::WizardButton(LPCWSTR caption, int x, int y, UINT active, UINT resting, BYTE alignment) {
  GalleryButton* button = Keep(new GalleryButton);
  button->Create(caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(x, y, x + 90, y + 30), this, NextId());
  button->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont));
  // The partition and scan page's Next and Back.
  button->SetBitmapsFromResources(active, kButtonFace, resting, kButtonFace);
  button->SetFlatBorder(FALSE);
  button->ShadeStateColor(CStyledButton::kActiveBack, 30);
  button->SetStateColor(CStyledButton::kActiveText, RGB(0, 128, 0));
  for (BYTE index : {CStyledButton::kRestingBack, CStyledButton::kActiveBack, CStyledButton::kFocusBack})
    button->SetStateColor(index, kButtonFace);
  button->SetContentAlignment(alignment);
  return button;
}

void GalleryWindow::CreateButtons() {
  Label(L"Styled buttons: resting, hovered, pressed, disabled, checked, bordered, transparent", 10, 8, 560);
  const LPCWSTR states[] = {L"resting", L"hovered", L"pressed", L"disabled"};
  for (int i = 0; i < 4; ++i) {
    GalleryButton* next = WizardButton(L"Next", 10 + i * 100, 30, IDB_TEST_NEXT_ACTIVE, IDB_TEST_NEXT_RESTING, 2);
    GalleryButton* back = WizardButton(L"Back", 10 + i * 100, 66, IDB_TEST_BACK_ACTIVE, IDB_TEST_BACK_RESTING, 0);
    Label(states[i], 10 + i * 100, 100, 90);
    if (i == 1) {
      next->ShowHovered();
      back->ShowHovered();
    } else if (i == 2) {
      next->SetState(TRUE);
      back->SetState(TRUE);
    } else if (i == 3) {
      next->EnableWindow(FALSE);
      back->EnableWindow(FALSE);
    }
  }
  // The find dialog's "Select All" switch, checked, with the flat border.
  GalleryButton* selectAll = Keep(new GalleryButton);
  selectAll->Create(L"Select All", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CHECKBOX, CRect(410, 30, 500, 60), this,
                    NextId());
  selectAll->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont));
  selectAll->SetStateColor(CStyledButton::kActiveBack, RGB(200, 220, 255));
  selectAll->SetChecked(TRUE);
  Label(L"checked", 410, 100, 90);
  GalleryButton* bordered = Keep(new GalleryButton);
  bordered->Create(L"Stop", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(410, 66, 500, 96), this, NextId());
  bordered->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont));
  bordered->SetIconsFromResources(IDI_TEST_DISC, CStyledButton::kGrayscaleImage);
  bordered->ShowHovered();
  // Start over: a captionless picture on the parent's own background.
  GalleryButton* restart = Keep(new GalleryButton);
  restart->Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(510, 30, 550, 70), this, NextId());
  restart->SetBitmapsFromResources(IDB_TEST_RESTART, RGB(0, 0, 255), CStyledButton::kGrayscaleImage, 0);
  restart->EnableTransparency(FALSE);
  GalleryButton* restartActive = Keep(new GalleryButton);
  restartActive->Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(510, 72, 550, 112), this, NextId());
  restartActive->SetBitmapsFromResources(IDB_TEST_RESTART, RGB(0, 0, 255), CStyledButton::kGrayscaleImage, 0);
  restartActive->EnableTransparency(FALSE);
  restartActive->ShowHovered();

  Label(L"Tool: normal, hover, pushed", 580, 8, 150);
  const LPCWSTR tips[] = {L"Recover Selected", L"Save Snapshot", L"Load Snapshot"};
  for (int i = 0; i < 3; ++i) {
    CToolButton* tool = Keep(new CToolButton);
    tool->Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(), this, 32822 + i);
    tool->SetWindowPos(nullptr, 580 + i * 44, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    tool->SetStateBitmaps(IDB_TEST_TOOL_NORMAL, IDB_TEST_TOOL_HOVER);
    CString tip(tips[i]);
    tool->SetTipText(&tip, TRUE);
    if (i == 1) tool->SendMessage(WM_MOUSEHOVER);
    if (i == 2) tool->SetState(TRUE);
  }

  Label(L"Hover buttons: normal, hover; the status line", 740, 8, 300);
  CTransparentStatic* status = Keep(new CTransparentStatic);
  status->Create(L"Please Select Recovery Option.", WS_CHILD | WS_VISIBLE, CRect(740, 210, 1030, 228), this,
                 NextId());
  status->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont));
  StartPageActiveReader = &StartPageIsActive;
  for (int i = 0; i < 2; ++i) {
    CHoverButton* mode = Keep(new CHoverButton);
    mode->Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, CRect(), this, 131 + i);
    mode->SetWindowPos(nullptr, 740, 30 + i * 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    mode->SetStateBitmaps(IDB_TEST_MODE_NORMAL, IDB_TEST_MODE_HOVER);
    mode->StatusWindow = status;
    mode->Description = L"Select Standard Scan to recover recently deleted iPod files.";
    if (i == 1) mode->SendMessage(WM_MOUSEHOVER);
  }
}

void GalleryWindow::CreateBars() {
  Label(L"Gradient bars: 37 %, 60 % over three stops, snake, empty range", 10, 130, 420);
  const int positions[] = {37, 60, 50, 0};
  for (int i = 0; i < 4; ++i) {
    CGradientProgressCtrl* bar = Keep(new CGradientProgressCtrl);
    bar->Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 152 + i * 28, 430, 174 + i * 28), this, NextId());
    bar->SetRange(0, 100);
    bar->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont));
    bar->SetTextFormat(L"%d%%", 0x100);
    bar->BackgroundColor = 0xFFFFFF;
    bar->TextColorOnBar = 0xFFFFFF;
    bar->TextColorOffBar = 0x7F0000;
    bar->ColorStops.RemoveAll();
    bar->ColorStops.Add(0xFF0000);
    bar->ColorStops.Add(0xA00000);
    if (i == 1) {
      bar->ColorStops.RemoveAll();
      for (COLORREF stop : {RGB(0, 160, 0), RGB(240, 200, 0), RGB(220, 0, 0)}) bar->ColorStops.Add(stop);
    }
    if (i == 2) {
      bar->ModifyStyle(0, kBarSnake);
      bar->SetTextFormat(nullptr, 0);
    }
    if (i == 3) bar->SetRange(0, 0);
    bar->SetPos(positions[i]);
  }
  Label(L"Percent bars: 45 %, 120 %, vertical", 450, 130, 260);
  for (int i = 0; i < 2; ++i) {
    CPercentProgressCtrl* bar = Keep(new CPercentProgressCtrl);
    bar->Create(WS_CHILD | WS_VISIBLE, CRect(450, 152 + i * 28, 690, 174 + i * 28), this, NextId());
    bar->SetRange(0, 100);
    bar->SetPos(i == 0 ? 45 : 120);
  }
  CPercentProgressCtrl* vertical = Keep(new CPercentProgressCtrl);
  vertical->Create(WS_CHILD | WS_VISIBLE | PBS_VERTICAL, CRect(450, 210, 470, 260), this, NextId());
  vertical->SetRange(0, 100);
  vertical->SetPos(45);
}

void GalleryWindow::CreatePanes() {
  // A skin under transparent statics and buttons.
  m_skin = CRect(740, 256, 1030, 340);
  Label(L"Transparent statics and radio buttons on a skin", 740, 236, 290);
  CTransparentStatic* onSkin = Keep(new CTransparentStatic);
  onSkin->Create(L"Sectors per read: 60", WS_CHILD | WS_VISIBLE, CRect(750, 264, 1020, 282), this, NextId());
  onSkin->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont));
  for (int i = 0; i < 2; ++i) {
    CTransparentButton* radio = Keep(new CTransparentButton);
    radio->Create(i == 0 ? L"Search partitions" : L"Use the partition table",
                  WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(750, 286 + i * 24, 1020, 306 + i * 24), this,
                  NextId());
    radio->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont));
    if (i == 0) radio->SetCheck(BST_CHECKED);
  }

  Label(L"Group boxes: frame, window, bold and centred", 10, 268, 360);
  const LPCWSTR captions[] = {L"Drive Information", L"Scan Progress", L"Recovery Settings"};
  for (int i = 0; i < 3; ++i) {
    CXPGroupBox* box = Keep(new CXPGroupBox);
    box->Create(captions[i], WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(10 + i * 150, 290, 150 + i * 150, 370), this,
                NextId());
    LOGFONTW font = {};
    ::GetObjectW(m_hFont, sizeof font, &font);
    box->SetFontDescription(font).SetBackgroundColor(0xFFFFFF);
    if (i == 1) box->SetBoxStyle(CXPGroupBox::kWindow).SetBackgroundColors(RGB(200, 220, 255), 0xFFFFFF);
    if (i == 2) box->SetFontBold(TRUE).SetCaptionAlignment(CXPGroupBox::kCenter);
  }

  Label(L"Pane splitter: tree | pane", 480, 268, 240);
  CListBox* left = Keep(new CListBox);
  left->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOINTEGRALHEIGHT, CRect(), this, NextId());
  left->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont));
  for (LPCWSTR item : {L"My Computer", L"Physical Devices", L"Hard Disk 1"}) left->AddString(item);
  CEdit* right = Keep(new CEdit);
  right->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE, CRect(), this, NextId());
  right->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont));
  right->SetWindowText(L"The information pane");
  CPaneSplitter* splitter = Keep(new CPaneSplitter);
  splitter->Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_BORDER | kSplitVertical, this, left, right, 157,
                   CRect(480, 290, 720, 370), 60, 80);

  Label(L"Link statics: resting, visited", 10, 380, 300);
  CDialog* links = Keep(new CDialog);
  links->Create(IDD_TEST_LINKS, this);
  links->SetWindowPos(nullptr, 10, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  CLinkStatic* home = Keep(new CLinkStatic);
  home->SetUrl(L"http://www.mulvara.example/");
  home->SubclassDlgItem(IDC_TEST_LINK_FIRST, links);
  home->SetUnderlineMode(CLinkStatic::kUnderlineAlways);
  CLinkStatic* mail = Keep(new CLinkStatic);
  mail->SetUrl(L"mailto:support@mulvara.example");
  mail->SubclassDlgItem(IDC_TEST_LINK_SECOND, links);
  mail->SetUnderlineMode(CLinkStatic::kUnderlineAlways);
  mail->SetVisited(TRUE);
  CLinkStatic* centred = Keep(new CLinkStatic);
  centred->SubclassDlgItem(IDC_TEST_LINK_CENTRED, links);
  links->ShowWindow(SW_SHOW);
}

void GalleryWindow::CreateCharts() {
  Label(L"Pie chart (drawn on the window)", 10, 540, 260);
  m_pie.OwnsSlices = 0;
  m_pie.Title = L"Hard Disk 1";
  m_pie.TextColor = 0x808080;
  m_pie.AddSlice(new CPieSlice(55, RGB(70, 130, 220), L"Partition 1"));
  m_pie.AddSlice(new CPieSlice(30, RGB(240, 160, 40), L"Partition 2"));
  m_pie.AddSlice(new CPieSlice(15, RGB(120, 190, 90), L"Partition 3"));

  Label(L"Drive usage chart: the control is the black frame", 560, 440, 320);
  DriveSpaceQuery = &GalleryDiskSpace;
  CDriveUsageChart* chart = Keep(new CDriveUsageChart);
  chart->Create(L"", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(560, 470, 760, 660), this, NextId());
  chart->SetDrive("E:\\");

  // An 8-bit picture through a palette tinted toward orange.
  m_dib.Create(64, 32, 8);
  for (UINT i = 0; i < 256; ++i) m_dib.SetPaletteColor(i, static_cast<BYTE>(i), static_cast<BYTE>(i), 255);
  m_dib.TintPalette(RGB(255, 140, 0), 40);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 64; ++x) m_dib.SetPixelIndex(x, y, static_cast<UINT>(x * 4));
}

int GalleryWindow::OnCreate(LPCREATESTRUCTW) {
  if (Default() == -1) return -1;
  m_hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  CreateButtons();
  CreateBars();
  CreatePanes();
  CreateCharts();
  if (closeAfter != 0) SetTimer(1, closeAfter);
  return 0;
}

BOOL GalleryWindow::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, RGB(255, 255, 255));
  // The skin: a soft gradient in bands.
  for (int y = m_skin.top; y < m_skin.bottom; y += 2)
    pDC->FillSolidRect(m_skin.left, y, m_skin.Width(), 2,
                       RGB(200 - (y - m_skin.top) / 2, 220 - (y - m_skin.top) / 3, 250));
  return TRUE;
}

void GalleryWindow::OnPaint() {
  CPaintDC dc(this);
  HGDIOBJ oldFont = dc.SelectObject(m_hFont);
  m_pie.Draw(&dc, 100, 630, 50, 1, CPieChart::kLegendRight, FALSE);
  dc.SetViewportOrg(0, 0);
  dc.SetBkMode(TRANSPARENT);
  dc.TextOut(340, 380, CString(L"DIB buffer, 8-bit, tinted"));
  m_dib.Draw(&dc, 340, 400);
  dc.SelectObject(oldFont);
}

class GalleryApp : public CWinApp {
 public:
  GalleryApp() : CWinApp(L"Controls gallery") {}
  BOOL InitInstance() override {
    SetRegistryKey(L"Mulvara Controls Gallery");
    m_window.closeAfter = CloseAfterArgument();
    m_pMainWnd = &m_window;
    return m_window.CreateEx(0, nullptr, L"Mulvara widgets", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 1060, 720,
                             nullptr, nullptr);
  }

 private:
  GalleryWindow m_window;
};

GalleryApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR, int nCmdShow) {
  return AfxWinMain(hInstance, hPrevInstance, GetCommandLineW(), nCmdShow);
}
