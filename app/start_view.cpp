#include "start_view.h"

#include <cmath>

#include "engine_ui.h"
#include "main_frame.h"
#include "scan_control.h"
#include "shell_app.h"
#include "shell_resources.h"
#include "wizard_views.h"

CString SelectedModeText;

namespace {

const wchar_t* const kStandardTip =
    L"<table>\r\n<tr><td><ilst idres=159 cx=32 cy=32 mask width=200% height=200% speed=1></td><td><h3>\r\n"
    L"<h3>SCAN TYPE</h3><br><hr color=green><br><h3>Standard Scan</h3>\t<font color=black size=10pt > Select "
    L"Standard Scan to recover <br><t><t><t></font><font color=black size=10pt > deleted iPod files. "
    L"<br><t><t><t></font><br><h3></h3>\t<font color=black size=10pt ><br><t><t><t><br><t><t><t><br><t><t><t>"
    L"<br></td></tr></table>";
const wchar_t* const kAdvanceTip =
    L"<table>\r\n<tr><td><ilst idres=159 cx=32 cy=32 mask width=200% height=200% speed=1></td><td><h3>\r\n"
    L"<h3>SCAN TYPE</h3><br><hr color=green><br><h3>Advance Scan</h3>\t<font color=black size=10pt >Select "
    L"Advance Scan to recover every<br><t><t><t></font><font color=black size=10pt > file in situations when "
    L"iPod could<br><t><t><t> not be recognized, is inaccessible,</font><br><h3></h3>\t\t\t<font color=black "
    L"size=10pt > gets frozen, and displays sad face <br><t><t><t> and exclamation marks.<br><t><t><t><br>"
    L"<t><t><t><br></td></tr></table>";
const wchar_t* const kRawTip =
    L"<table>\r\n<tr><td><ilst idres=159 cx=32 cy=32 mask width=200% height=200% speed=1></td><td><h3>\r\n"
    L"<h3>SCAN TYPE</h3><br><hr color=green><br><h3>Raw Scan</h3>\t<font color=black size=10pt >Select Raw "
    L"Scan to recover files in<br><t><t><t></font><font color=black size=10pt > any corruption case where iPod "
    L"gets<br><t><t><t> recognized as drive letter.</font><br><h3></h3>\t<font color=black size=10pt ><br>"
    L"<t><t><t><br><t><t><t><br><t><t><t><br></td></tr></table>";

struct BarButton {
  UINT id;
  UINT normal;
  UINT hover;
  LPCWSTR tip;
  int x;
};
const BarButton kBarButtons[6] = {
    {ID_BAR_RECOVER, IDB_TOOL_RECOVER, IDB_TOOL_RECOVER_HOT, L"Recover Selected", 10},
    {ID_BAR_SAVE, IDB_TOOL_SAVE, IDB_TOOL_SAVE_HOT, L"Save Snapshot", 55},
    {ID_BAR_LOAD, IDB_TOOL_LOAD, IDB_TOOL_LOAD_HOT, L"Load Snapshot", 99},
    {ID_BAR_FIND, IDB_TOOL_FIND, IDB_TOOL_FIND_HOT, L"Find", 143},
    {ID_BAR_SETTING, IDB_TOOL_SETTING, IDB_TOOL_SETTING_HOT, L"Setting", 187},
    {ID_BAR_HELP, IDB_TOOL_HELP, IDB_TOOL_HELP_HOT, L"Help", 319},
};
constexpr int kToolSize = 34;
constexpr int kToolTop = 20;
constexpr int kModeWidth = 223;
constexpr int kModeHeight = 87;
constexpr COLORREF kFrameColour = 0x99A8AC;
constexpr COLORREF kTitleColour = 0x552D00;

// The colour c laid over the pixel with coverage a.
void Blend(HDC hdc, int x, int y, COLORREF c, float a) {
  const COLORREF old = ::GetPixel(hdc, x, y);
  auto channel = [a](int o, int n) { return static_cast<int>(o * (1.0f - a)) + static_cast<int>(n * a); };
  ::SetPixel(hdc, x, y,
             RGB(channel(GetRValue(old), GetRValue(c)), channel(GetGValue(old), GetGValue(c)),
                 channel(GetBValue(old), GetBValue(c))));
}

float Radians(float degrees) { return degrees * 0.0055555557f * 3.1415f; }

int RoundHalfAway(float v) { return static_cast<int>(v < 0 ? v - 0.5f : v + 0.5f); }

void DrawArcPiece(HDC hdc, int xc, int yc, int rx, int ry, float a, float b, COLORREF colour) {
  const int x0 = RoundHalfAway(rx * std::cos(Radians(a)));
  const int x1 = static_cast<int>(rx * std::cos(Radians(b)));
  const int y0 = RoundHalfAway(ry * std::sin(Radians(a)));
  const int y1 = static_cast<int>(ry * std::sin(Radians(b)));
  if (x0 != x1) {
    const int step = x1 > x0 ? 1 : -1;
    int previous = std::abs(y0);
    for (int x = x0; x != x1; x += step) {
      const float ratio = static_cast<float>(x) * x / (static_cast<float>(rx) * rx);
      const float e = ry * std::sqrt(ratio < 1.0f ? 1.0f - ratio : 0.0f);
      const int ei = static_cast<int>(e);
      const float f = e - ei;
      if (std::abs(ei - previous) < 2) {
        if (step > 0) {
          Blend(hdc, xc + x, yc - ei, colour, 1.0f - f);
          Blend(hdc, xc + x, yc - ei - 1, colour, f);
        } else {
          Blend(hdc, xc + x, yc + ei, colour, 1.0f - f);
          Blend(hdc, xc + x, yc + ei + 1, colour, f);
        }
      }
      previous = ei;
    }
  }
  if (y0 != y1) {
    const int step = y1 > y0 ? 1 : -1;
    int previous = std::abs(x0);
    for (int y = y0; y != y1; y += step) {
      const float ratio = static_cast<float>(y) * y / (static_cast<float>(ry) * ry);
      const float e = rx * std::sqrt(ratio < 1.0f ? 1.0f - ratio : 0.0f);
      const int ei = static_cast<int>(e);
      const float f = e - ei;
      if (std::abs(ei - previous) < 2) {
        if (step > 0) {
          Blend(hdc, xc + ei, yc + y, colour, 1.0f - f);
          Blend(hdc, xc + ei + 1, yc + y, colour, f);
        } else {
          Blend(hdc, xc - ei, yc + y, colour, 1.0f - f);
          Blend(hdc, xc - ei - 1, yc + y, colour, f);
        }
      }
      previous = ei;
    }
  }
}

HBITMAP LoadPageBitmap(UINT id) {
  return static_cast<HBITMAP>(::LoadImageW(AfxFindResourceHandle(MAKEINTRESOURCEW(id), RT_BITMAP),
                                           MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
}

int ReadStartPageActive() {
  CMainFrame* frame = GetMainFrame();
  return frame != nullptr ? frame->StartPageActive : 0;
}

}  // namespace

void DrawSmoothLine(HDC hdc, int x1, int y1, int x2, int y2, COLORREF colour) {
  ::SetPixel(hdc, x1, y1, colour);
  const float dx = static_cast<float>(x2 - x1);
  const float dy = static_cast<float>(y2 - y1);
  int endX = x2, endY = y2;
  if (std::fabs(dy) < std::fabs(dx)) {
    const bool forward = x1 < x2;
    const int xs = forward ? x1 : x2, ys = forward ? y1 : y2;
    const int xe = forward ? x2 : x1;
    endX = xe;
    endY = forward ? y2 : y1;
    const float gradient = dy / dx;
    float y = ys + gradient;
    for (int x = xs + 1; x < xe; ++x, y += gradient) {
      const int yi = static_cast<int>(y);
      const float f = y - yi;
      Blend(hdc, x, yi, colour, 1.0f - f);
      Blend(hdc, x, yi + 1, colour, f);
    }
  } else if (dy != 0.0f) {
    const bool forward = y1 < y2;
    const int ys = forward ? y1 : y2, xs = forward ? x1 : x2;
    const int ye = forward ? y2 : y1;
    endY = ye;
    endX = forward ? x2 : x1;
    const float gradient = dx / dy;
    float x = xs + gradient;
    for (int y = ys + 1; y < ye; ++y, x += gradient) {
      const int xi = static_cast<int>(x);
      const float f = x - xi;
      Blend(hdc, xi, y, colour, 1.0f - f);
      Blend(hdc, xi + 1, y, colour, f);
    }
  }
  ::SetPixel(hdc, endX, endY, colour);
}

void DrawSmoothArc(HDC hdc, int left, int top, int right, int bottom, float startAngle, float endAngle,
                   COLORREF colour) {
  const int xc = (left + right) / 2, yc = (top + bottom) / 2;
  const int rx = std::abs(right - left) / 2, ry = std::abs(bottom - top) / 2;
  if (rx == 0 || ry == 0) return;
  float a = startAngle;
  while (a < endAngle) {
    const float quarterEnd = (std::floor(a / 90.0f) + 1.0f) * 90.0f;
    DrawArcPiece(hdc, xc, yc, rx, ry, a, quarterEnd < endAngle ? quarterEnd : endAngle, colour);
    a = quarterEnd;
  }
}

void DrawRoundFrame(HDC hdc, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight,
                    COLORREF colour) {
  const int hw = cornerWidth / 2, hh = cornerHeight / 2;
  const int w = 2 * hw, h = 2 * hh;
  DrawSmoothLine(hdc, left + hw, top, right - hw, top, colour);
  DrawSmoothArc(hdc, right - w, top, right, top + h, 270.0f, 360.0f, colour);
  DrawSmoothLine(hdc, right, top + hh, right, bottom - hh, colour);
  DrawSmoothArc(hdc, right - w, bottom - h, right, bottom, 0.0f, 90.0f, colour);
  DrawSmoothLine(hdc, right - hw, bottom, left + hw, bottom, colour);
  DrawSmoothArc(hdc, left, bottom - h, left + w, bottom, 90.0f, 180.0f, colour);
  DrawSmoothLine(hdc, left, bottom - hh, left, top + hh, colour);
  DrawSmoothArc(hdc, left, top, left + w, top + h, 180.0f, 270.0f, colour);
}

ModeButtonLayout LayoutModeButtons(int clientWidth, int clientHeight) {
  const int half = clientWidth / 2;
  return {half - 344, half - 111, half + 121, ((clientHeight / 2) + 174) / 2 + 43};
}

void CreateWizardButtonBar(CToolButton (&bar)[6], CWnd* page) {
  for (int i = 0; i < 6; ++i) {
    const BarButton& button = kBarButtons[i];
    bar[i].Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 0, 0), page, button.id);
    bar[i].SetStateBitmaps(button.normal, button.hover);
    const CString tip = button.tip;
    bar[i].SetTipText(&tip, TRUE);
  }
}

void PlaceWizardButtonBar(CToolButton (&bar)[6]) {
  for (int i = 0; i < 6; ++i)
    if (bar[i].GetSafeHwnd() != nullptr) bar[i].MoveWindow(kBarButtons[i].x, kToolTop, kToolSize, kToolSize, TRUE);
}

IMPLEMENT_DYNCREATE(CEx_StyleView, CView)

BEGIN_MESSAGE_MAP(CEx_StyleView, CView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_KEYDOWN()
ON_WM_ERASEBKGND()
ON_WM_CTLCOLOR()
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, CView::OnFilePrintPreview)
ON_COMMAND(IDC_STANDARD_SCAN, OnStandardScan)
ON_COMMAND(IDC_ADVANCE_SCAN, OnAdvanceScan)
ON_COMMAND(IDC_RAW_SCAN, OnRawScan)
ON_COMMAND_RANGE(ID_BAR_RECOVER, ID_BAR_SETTING, OnBarCommand)
ON_COMMAND_RANGE(ID_BAR_HELP, ID_BAR_HELP, OnBarCommand)
END_MESSAGE_MAP()

CEx_StyleView::CEx_StyleView() {
  LOGFONTW font = {};
  ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
  font.lfHeight = 20;
  font.lfWeight = 600;
  TitleFont.CreateFontIndirect(&font);
  TextFont.CreateFont(16, 0, 0, 0, 400, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
  StartPageActiveReader = ReadStartPageActive;
}

CEx_StyleView::~CEx_StyleView() = default;

BOOL CEx_StyleView::PreCreateWindow(CREATESTRUCTW& cs) {
  cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  return CView::PreCreateWindow(cs);
}

BOOL CEx_StyleView::PreTranslateMessage(MSG* pMsg) {
  for (CHtmlToolTip& tip : ModeTips) tip.RelayToolMessage(pMsg);
  return CWnd::PreTranslateMessage(pMsg);
}

int CEx_StyleView::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  const CRect none(0, 0, 0, 0);
  HintStatic.Create(L"", WS_CHILD | WS_VISIBLE, none, this, IDC_PAGE_HINT);
  HintStatic.SetWindowText(L"Please Select Recovery Option.");
  HintFont.CreateFont(20, 0, 0, 0, 500, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
  HintStatic.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(HintFont.GetSafeHandle()), TRUE);

  struct Mode {
    CHoverButton* button;
    UINT id;
    UINT normal;
    UINT hover;
    LPCWSTR description;
  };
  const Mode modes[3] = {
      {&StandardButton, IDC_STANDARD_SCAN, IDB_STANDARD_NORMAL, IDB_STANDARD_HOVER,
       L"Select Standard Scan to recover recently deleted iPod files."},
      {&RawButton, IDC_RAW_SCAN, IDB_RAW_NORMAL, IDB_RAW_HOVER,
       L"Select Raw Scan to recover files in any corruption case where iPod gets recognized as drive letter."},
      {&AdvanceButton, IDC_ADVANCE_SCAN, IDB_ADVANCE_NORMAL, IDB_ADVANCE_HOVER,
       L"Select Advance Scan to recover every file in situations when iPod could not be recognized, is "
       L"inaccessible, gets frozen, and displays sad face and exclamation marks."},
  };
  for (const Mode& mode : modes)
    mode.button->Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, none, this, mode.id);
  for (const Mode& mode : modes) {
    mode.button->SetStateBitmaps(mode.normal, mode.hover);
    mode.button->StatusWindow = &HintStatic;
    mode.button->Description = mode.description;
  }

  InfoStatic.Create(L"", WS_CHILD | WS_VISIBLE, none, this, IDC_PAGE_HINT);
  InfoStatic.SetWindowText(
      L"Please select scan mode for recovery. Select Standard Scan to recover recently deleted files. Select "
      L"Advance Scan for cases like hard disk format. If both modes fail then use Raw scan.");
  InfoStatic.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(TextFont.GetSafeHandle()), TRUE);

  struct Tip {
    int index;
    UINT id;
    LPCWSTR text;
  };
  const Tip tips[3] = {{0, IDC_STANDARD_SCAN, kStandardTip}, {2, IDC_ADVANCE_SCAN, kAdvanceTip},
                       {1, IDC_RAW_SCAN, kRawTip}};
  for (const Tip& tip : tips) {
    CHtmlToolTip& tooltip = ModeTips[tip.index];
    tooltip.Create(this, TRUE);
    tooltip.AddTool(GetDlgItem(tip.id), tip.text, nullptr, 0);
    tooltip.SetBackgroundColors(0x4AF7FB, 0xFFFFFF, 0x4AF7FB);
    tooltip.SetBackgroundEffect(13, 5);
    tooltip.SetBorder(0xFFFFFF, 1, 1);
    tooltip.SetDefaultDirection(2);
  }

  CreateWizardButtonBar(ButtonBar, this);
  return 0;
}

void CEx_StyleView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  CRect client;
  GetClientRect(&client);
  const ModeButtonLayout layout = LayoutModeButtons(cx, client.Height());
  const struct {
    CWnd* window;
    int left;
  } modes[3] = {{&StandardButton, layout.standardLeft}, {&AdvanceButton, layout.advanceLeft},
                {&RawButton, layout.rawLeft}};
  for (const auto& mode : modes)
    if (mode.window->GetSafeHwnd() != nullptr)
      mode.window->MoveWindow(mode.left, layout.top, kModeWidth, kModeHeight, TRUE);
  // The hints are written but never seen.
  if (HintStatic.GetSafeHwnd() != nullptr) HintStatic.MoveWindow(0, 0, 0, 0, TRUE);
  if (InfoStatic.GetSafeHwnd() != nullptr) InfoStatic.MoveWindow(0, 0, 0, 0, TRUE);
  PlaceWizardButtonBar(ButtonBar);
}

BOOL CEx_StyleView::OnEraseBkgnd(CDC*) { return TRUE; }

HBRUSH CEx_StyleView::OnCtlColor(CDC*, CWnd*, UINT) { return ::GetSysColorBrush(COLOR_WINDOW); }

LRESULT CEx_StyleView::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  UpdateDialogControls(this, FALSE);
  return 0;
}

void CEx_StyleView::OnBarCommand(UINT id) { OnWizardBarCommand(id); }

void CEx_StyleView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_RETURN) {
    const struct {
      CHoverButton* button;
      void (CEx_StyleView::*handler)();
    } modes[3] = {{&StandardButton, &CEx_StyleView::OnStandardScan},
                  {&RawButton, &CEx_StyleView::OnRawScan},
                  {&AdvanceButton, &CEx_StyleView::OnAdvanceScan}};
    for (const auto& mode : modes)
      if (mode.button->GetSafeHwnd() != nullptr && mode.button->SendMessage(BM_GETSTATE) == BST_PUSHED)
        (this->*mode.handler)();
  }
  CView::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CEx_StyleView::DrawPageBackground(CDC& dc, const CRect& client) {
  HBITMAP picture = LoadPageBitmap(IDB_PAGE_BACKGROUND);
  if (picture == nullptr) return;
  BITMAP info = {};
  ::GetObjectW(picture, sizeof info, &info);
  HDC source = ::CreateCompatibleDC(dc.GetSafeHdc());
  HGDIOBJ old = ::SelectObject(source, picture);
  ::SetStretchBltMode(dc.GetSafeHdc(), COLORONCOLOR);
  ::StretchBlt(dc.GetSafeHdc(), 0, 0, client.Width(), client.Height(), source, 0, 0, info.bmWidth, info.bmHeight,
               SRCCOPY);
  ::SelectObject(source, old);
  ::DeleteDC(source);
  ::DeleteObject(picture);
}

void CEx_StyleView::DrawBanner(CDC& dc) {
  HBITMAP picture = LoadPageBitmap(IDB_PAGE_BANNER);
  if (picture == nullptr) return;
  BITMAP info = {};
  ::GetObjectW(picture, sizeof info, &info);
  HDC source = ::CreateCompatibleDC(dc.GetSafeHdc());
  HGDIOBJ old = ::SelectObject(source, picture);
  ::BitBlt(dc.GetSafeHdc(), 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
  ::SelectObject(source, old);
  ::DeleteDC(source);
  ::DeleteObject(picture);
}

HFONT FitFontToWidth(HDC hdc, CFont& font, LPCWSTR text, int width) {
  LOGFONTW shape = {};
  if (::GetObjectW(font.GetSafeHandle(), sizeof shape, &shape) == 0) return nullptr;
  const int length = lstrlenW(text);
  // Below two thirds of its size a line would no longer read as the page's text.
  const int smallest = abs(static_cast<int>(shape.lfHeight)) * 2 / 3;
  HFONT smaller = nullptr;
  HGDIOBJ old = ::SelectObject(hdc, font.GetSafeHandle());
  for (;;) {
    SIZE size = {};
    ::GetTextExtentPoint32W(hdc, text, length, &size);
    if (size.cx <= width || abs(static_cast<int>(shape.lfHeight)) <= smallest) break;
    shape.lfHeight += shape.lfHeight > 0 ? -1 : 1;
    HFONT next = ::CreateFontIndirectW(&shape);
    if (next == nullptr) break;
    ::SelectObject(hdc, next);
    if (smaller != nullptr) ::DeleteObject(smaller);
    smaller = next;
  }
  ::SelectObject(hdc, old);
  return smaller;
}

void CEx_StyleView::OnDraw(CDC*) {
  CRect client;
  GetClientRect(&client);
  HDC window = ::GetDC(m_hWnd);
  CDC memory;
  memory.Attach(::CreateCompatibleDC(window));
  HBITMAP bitmap = ::CreateCompatibleBitmap(window, client.right, client.bottom);
  HGDIOBJ oldBitmap = ::SelectObject(memory.GetSafeHdc(), bitmap);
  HDC hdc = memory.GetSafeHdc();
  ::SetBkMode(hdc, TRANSPARENT);

  DrawPageBackground(memory, client);
  DrawBanner(memory);

  const int cx = client.Width() / 2, cy = client.Height() / 2;
  static const WCHAR kFirstLine[] =
      L"Please select recovery mode to perform iPod recovery. Recover photos, videos, audio books, images, "
      L"documents, podcasts";
  RECT line1 = {cx - 380, cy - 190, cx + 370, cy - 170};
  // Where the system draws Arial wider than the line's room, both lines
  // take a smaller size of it rather than lose the first line's end.
  HFONT fitted = FitFontToWidth(hdc, TextFont, kFirstLine, line1.right - line1.left);
  HGDIOBJ oldFont = ::SelectObject(hdc, fitted != nullptr ? fitted : TextFont.GetSafeHandle());
  ::DrawTextW(hdc, kFirstLine, -1, &line1, 0);
  RECT line2 = {cx - 380, cy - 170, cx + 350, cy - 150};
  ::DrawTextW(hdc, L"and MP3 music files from iPods.", -1, &line2, 0);

  const CPoint centre = client.CenterPoint();
  DrawRoundFrame(hdc, centre.x - 375, centre.y - 90, centre.x + 375, centre.y + 190, 100, 100, kFrameColour);

  ::SelectObject(hdc, TitleFont.GetSafeHandle());
  ::SetTextColor(hdc, kTitleColour);
  memory.FillSolidRect(centre.x - 75, centre.y - 100, 150, 20, 0xFFFFFF);
  const CString title = L" Recovery Modes ";
  ::TextOutW(hdc, centre.x - 75, centre.y - 100, title, title.GetLength());

  ::SelectObject(hdc, oldFont);
  if (fitted != nullptr) ::DeleteObject(fitted);
  ::BitBlt(window, 0, 0, client.Width(), client.Height(), hdc, 0, 0, SRCCOPY);
  ::SelectObject(hdc, oldBitmap);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory.Detach());
  ::ReleaseDC(m_hWnd, window);
}

void CEx_StyleView::ChooseMode(int mode, LPCWSTR modeText) {
  CMainFrame* frame = GetMainFrame();
  if (CheckDeviceConnected() == 0) return;
  if (frame != nullptr) {
    frame->StartPageActive = 0;
    frame->StepOneActive = 1;
    frame->StepTwoActive = 0;
    frame->StepThreeActive = 0;
    frame->StepFourActive = 0;
    frame->SelectedTreeRow = -1;
    frame->ScanModeChosen = 1;
  }
  ScanMode = mode;
  SelectedModeText = modeText;
  // Drive selection's Back takes the columns away again.
  if (CThirdView_HDD* results = ResultsView(); results != nullptr && results->FoundFiles.GetSafeHwnd() != nullptr)
    results->InsertModeColumns(mode == kRawScan);
  SwitchWizardView(frame, WizardViews, kDrivePage);
}

void CEx_StyleView::OnStandardScan() { ChooseMode(kStandardScan, L"Selected Mode : Standard Scan"); }
void CEx_StyleView::OnAdvanceScan() { ChooseMode(kAdvanceScan, L"Selected Mode : Advance Scan"); }
void CEx_StyleView::OnRawScan() { ChooseMode(kRawScan, L"Selected Mode : Raw Scan"); }
