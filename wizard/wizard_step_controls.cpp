#include "wizard_step_controls.h"

#include "main_frame.h"
#include "shell_resources.h"

namespace {

constexpr COLORREF kButtonKey = RGB(255, 235, 139);

HBITMAP LoadStepBitmap(UINT id) {
  return static_cast<HBITMAP>(::LoadImageW(AfxFindResourceHandle(MAKEINTRESOURCEW(id), RT_BITMAP),
                                           MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
}

void SetHoverSound(CStyledButton& button) {
  const LPCWSTR name = MAKEINTRESOURCEW(kHoverSound);
  button.SetEventSound(name, AfxFindResourceHandle(name, L"WAVE"));
}

void StyleNavigationButton(CStyledButton& button, UINT active, UINT resting, COLORREF stateColour) {
  button.SetBitmapsFromResources(active, kButtonKey, resting, kButtonKey);
  button.SetFlatBorder(FALSE);
  button.ShadeStateColor(CStyledButton::kActiveBack, 30);
  button.SetStateColor(CStyledButton::kActiveText, stateColour);
  button.SetStateColor(CStyledButton::kRestingBack, kButtonKey);
  button.SetStateColor(CStyledButton::kActiveBack, kButtonKey);
  button.SetStateColor(CStyledButton::kFocusBack, kButtonKey);
  SetHoverSound(button);
}

}  // namespace

void CreateInfoPane(CWnd* page, CView* pane, const CRect& rect) {
  CMainFrame* frame = GetMainFrame();
  CWnd* parent = frame != nullptr ? static_cast<CWnd*>(frame) : page->GetParent();
  CCreateContext context;
  context.m_pCurrentDoc = frame != nullptr ? frame->GetActiveDocument() : nullptr;
  pane->Create(nullptr, nullptr, WS_CHILD | WS_BORDER, rect, parent, kInfoPaneId, &context);
  pane->OnInitialUpdate();
  pane->ShowWindow(SW_SHOW);
}

void CreateArialFont(CFont& font, int height, int weight) {
  font.CreateFont(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

void CreateStepButtons(CWnd* page, CStyledButton& next, CStyledButton& back, CStyledButton& startOver,
                       CStyledButton& stop) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
  const CRect none(0, 0, 0, 0);
  next.Create(L"Next", style, none, page, kNextButtonId);
  back.Create(L"Back", style, none, page, kBackButtonId);
  startOver.Create(L"", style, none, page, kStartOverButtonId);
  startOver.SetBitmapsFromResources(kStartOverBitmap, RGB(0, 0, 255), CStyledButton::kGrayscaleImage);
  startOver.EnableTransparency(FALSE);
  SetHoverSound(startOver);
  StyleNavigationButton(back, kBackActiveBitmap, kBackRestingBitmap, RGB(0, 128, 0));
  StyleNavigationButton(next, kNextActiveBitmap, kNextRestingBitmap, RGB(0, 128, 0));
  next.SetContentAlignment(CStyledButton::kImageRight);
  stop.Create(L"Stop", style, none, page, kStopButtonId);
  StyleNavigationButton(stop, kStopActiveBitmap, kStopRestingBitmap, RGB(228, 0, 0));
  ShowStepControl(stop, false);
}

void CreateStepProgress(CWnd* page, CGradientProgressCtrl& bar, DWORD style, CFont& font) {
  bar.Create(style, CRect(0, 0, 0, 0), page, kProgressBarId);
  bar.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  // The bar stays at 0 until the search moves it.
  bar.SendMessage(PBM_SETPOS, 0);
  CreateArialFont(font, 18, 600);
  bar.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), TRUE);
  bar.SetTextFormat(L"%d%%", 0x100);
  bar.BackgroundColor = 0xFFFFFF;
  bar.TextColorOnBar = 0xFFFFFF;
  bar.TextColorOffBar = 0x7F0000;
  bar.ColorStops.RemoveAll();
  bar.ColorStops.Add(0xFF0000);
  bar.ColorStops.Add(0xA00000);
  bar.Invalidate();
  ShowStepControl(bar, false);
}

void LayOutStepPage(CWnd& page, UINT splitterId, int cx, int cy) {
  struct Place {
    UINT id;
    int x, y, width, height;
  };
  const Place places[] = {
      {kNextButtonId, cx - 135, cy - 41, 85, 35},    {kStopButtonId, cx - 135, cy - 41, 85, 35},
      {kBackButtonId, cx - 225, cy - 41, 85, 35},    {kStartOverButtonId, 60, cy - 43, 40, 38},
      {kProgressBarId, 60, cy - 28, cx / 2 - 60, 18}, {kStatusLineId, 60, cy - 45, cx / 2 - 60, 17},
      {splitterId, 5, 70, cx - 10, cy - 140},
  };
  for (const Place& place : places)
    if (CWnd* control = page.GetDlgItem(place.id))
      control->MoveWindow(place.x, place.y, place.width, place.height, TRUE);
}

void DrawStepPage(CWnd& page, CDC* dc) {
  CRect client;
  page.GetClientRect(&client);
  CDC memory;
  memory.CreateCompatibleDC(dc);
  if (HBITMAP background = LoadStepBitmap(IDB_PAGE_BACKGROUND)) {
    BITMAP info = {};
    ::GetObjectW(background, sizeof info, &info);
    HGDIOBJ old = ::SelectObject(memory.GetSafeHdc(), background);
    dc->StretchBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    ::SelectObject(memory.GetSafeHdc(), old);
    ::DeleteObject(background);
  } else {
    dc->FillSolidRect(&client, ::GetSysColor(COLOR_WINDOW));
  }
  if (HBITMAP banner = LoadStepBitmap(IDB_PAGE_BANNER)) {
    BITMAP info = {};
    ::GetObjectW(banner, sizeof info, &info);
    HGDIOBJ old = ::SelectObject(memory.GetSafeHdc(), banner);
    dc->BitBlt(0, 0, info.bmWidth, info.bmHeight, &memory, 0, 0, SRCCOPY);
    ::SelectObject(memory.GetSafeHdc(), old);
    ::DeleteObject(banner);
  }
}

void ShowStepControl(CWnd& control, bool shown) {
  if (control.GetSafeHwnd() == nullptr) return;
  control.EnableWindow(shown ? TRUE : FALSE);
  control.ShowWindow(shown ? SW_SHOW : SW_HIDE);
}

bool IsRingHighlighted(CButton& button) {
  return button.GetSafeHwnd() != nullptr && button.SendMessage(BM_GETSTATE) == BST_PUSHED;
}
