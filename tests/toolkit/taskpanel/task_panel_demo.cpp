// A frame whose view is a task panel: a special group of links with icons,
// a group with a text line and an edit box, a collapsed group and a group
// of icons only, in the theme "--theme N" and panel mode "--mode N" (both
// 0 by default). Run it to look at it; "--close-after MS" ends it.
#include <cwchar>

#include "close_after.h"
#include "demo_app.h"
#include "image_manager.h"
#include "task_panel.h"

namespace {

const UINT_PTR kCloseTimer = 1;

int IntArgument(LPCWSTR name) {
  int value = 0;
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  for (int i = 1; argv != nullptr && i + 1 < argc; ++i)
    if (std::wcscmp(argv[i], name) == 0) value = _wtoi(argv[i + 1]);
  ::LocalFree(argv);
  return value;
}

class DemoFrame : public CFrameWnd {
 public:
  CTkTaskPanel panel;
  CEdit edit;

  void Populate(int theme, int mode) {
    static const LPCWSTR icons[] = {IDI_APPLICATION, IDI_INFORMATION, IDI_WARNING, IDI_ERROR, IDI_QUESTION, IDI_WINLOGO};
    for (UINT i = 0; i < 6; ++i)
      panel.GetImageManager()->SetIcon(CTkIconHandle(::LoadIconW(nullptr, icons[i])), i, 32, 32);
    panel.SetPanelMode(mode);
    panel.SelectPaintTheme(theme);

    CTkTaskPanelGroup* tasks = panel.AddGroup(L"Recovery tasks", 0);
    tasks->SetSpecial(TRUE);
    tasks->AddItem(L"Scan a drive", kTaskItemLink, 1, 1)->SetTooltip(L"Looks for deleted files");
    tasks->AddItem(L"Open a snapshot", kTaskItemLink, 2, 2);
    tasks->AddItem(L"Recover selected files", kTaskItemLink, 3, 3);

    CTkTaskPanelGroup* filter = panel.AddGroup(L"Filter");
    filter->AddItem(L"Only names matching the pattern below are listed.", kTaskItemText);
    edit.Create(WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, CRect(0, 0, 0, 0), &panel, 200);
    edit.SetFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
    edit.SetWindowText(L"*.jpg");
    CTkTaskPanelGroupItem* control = filter->AddItem(L"", kTaskItemControl);
    control->SetItemSize(CSize(0, 22));
    control->SetControlWindow(edit.GetSafeHwnd());

    CTkTaskPanelGroup* details = panel.AddGroup(L"Details");
    details->AddItem(L"Drive: iPod (FAT32)", kTaskItemText);
    details->AddItem(L"Found: 412 files", kTaskItemText);
    details->SetExpanded(FALSE);

    CTkTaskPanelGroup* kinds = panel.AddGroup(L"File kinds");
    kinds->SetLayout(kLayoutImagesOnly);
    for (int i = 0; i < 6; ++i) kinds->AddItem(L"Kind", kTaskItemLink, i, 10 + i);
    if (mode != kPanelModeIndependent) tasks->SetExpanded(TRUE);
  }

 protected:
  int OnCreate(LPCREATESTRUCTW lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    return panel.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST) ? 0 : -1;
  }
  void OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kCloseTimer) PostMessage(WM_CLOSE);
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(DemoFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_TIMER()
END_MESSAGE_MAP()

class DemoApp : public CTkDemoApp {
 public:
  DemoApp() : CTkDemoApp(L"TaskPanelDemo") {}
  BOOL InitInstance() override {
    const UINT closeAfter = CloseAfterArgument();
    auto* frame = new DemoFrame;
    if (!frame->Create(nullptr, L"Task panel", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(20, 20, 300, 620)))
      return FALSE;
    m_pMainWnd = frame;
    frame->Populate(IntArgument(L"--theme"), IntArgument(L"--mode"));
    frame->ShowWindow(SW_SHOW);
    frame->RecalcLayout();
    if (closeAfter != 0) frame->SetTimer(kCloseTimer, closeAfter, nullptr);
    return TRUE;
  }
};

DemoApp theApp;

}  // namespace
