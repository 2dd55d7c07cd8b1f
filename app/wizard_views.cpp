#include "wizard_views.h"

#include "main_frame.h"
#include "preview_state.h"
#include "shell_app.h"
#include "shell_resources.h"

IMPLEMENT_DYNAMIC(CWizardPageView, CView)

BEGIN_MESSAGE_MAP(CWizardPageView, CView)
ON_WM_ERASEBKGND()
ON_COMMAND_RANGE(ID_BAR_RECOVER, ID_BAR_SETTING, OnBarCommand)
ON_COMMAND_RANGE(ID_BAR_HELP, ID_BAR_HELP, OnBarCommand)
END_MESSAGE_MAP()

BOOL CWizardPageView::PreCreateWindow(CREATESTRUCTW& cs) {
  cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  return CView::PreCreateWindow(cs);
}

void CWizardPageView::OnDraw(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, ::GetSysColor(COLOR_WINDOW));
}

BOOL CWizardPageView::OnEraseBkgnd(CDC*) { return TRUE; }

void CWizardPageView::OnBarCommand(UINT id) { OnWizardBarCommand(id); }

IMPLEMENT_DYNCREATE(CThirdView_HDD, CWizardPageView)

BEGIN_MESSAGE_MAP(CThirdView_HDD, CWizardPageView)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 26;
constexpr int kMargin = 8;
}  // namespace

CThirdView_HDD::~CThirdView_HDD() {
  if (FoundFileListCtrl() == &FoundFiles) FoundFileListCtrl() = nullptr;
}

int CThirdView_HDD::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CWizardPageView::OnCreate(lpcs) == -1) return -1;
  FoundFileListCtrl() = &FoundFiles;
  FoundFiles.ShowEmptyPreview = [] {
    NoFileSelectedFlag() = 1;
    if (CMainFrame* frame = GetMainFrame()) frame->ShowPreview(L"", L"");
  };
  if (!FoundFiles.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 0, 0), this,
                         1))
    return -1;
  NextButton.Create(L"Next", WS_CHILD | BS_PUSHBUTTON | WS_DISABLED, CRect(0, 0, 0, 0), this, IDC_RESULT_NEXT);
  StartOverButton.Create(L"Start Over", WS_CHILD | BS_PUSHBUTTON | WS_DISABLED, CRect(0, 0, 0, 0), this,
                         IDC_RESULT_START_OVER);
  HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  NextButton.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font));
  StartOverButton.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font));
  return 0;
}

void CThirdView_HDD::OnSize(UINT nType, int cx, int cy) {
  CWizardPageView::OnSize(nType, cx, cy);
  const int buttonsTop = cy - kMargin - kButtonHeight;
  if (FoundFiles.GetSafeHwnd() != nullptr)
    FoundFiles.MoveWindow(kMargin, 64, cx - 2 * kMargin, buttonsTop - kMargin - 64);
  if (StartOverButton.GetSafeHwnd() != nullptr)
    StartOverButton.MoveWindow(cx - 2 * (kMargin + kButtonWidth), buttonsTop, kButtonWidth, kButtonHeight);
  if (NextButton.GetSafeHwnd() != nullptr)
    NextButton.MoveWindow(cx - kMargin - kButtonWidth, buttonsTop, kButtonWidth, kButtonHeight);
}

void CThirdView_HDD::DeleteAllColumns() {
  const int count = static_cast<int>(FoundFiles.GetHeaderCtrl()->SendMessage(HDM_GETITEMCOUNT));
  for (int i = 0; i < count; ++i) FoundFiles.DeleteColumn(0);
}

void CThirdView_HDD::InsertModeColumns(bool rawScan) {
  struct Column {
    LPCWSTR title;
    int width;
  };
  static const Column fileSystem[] = {{L"File Name", 200}, {L"Type", 100},          {L"Size", 100},
                                      {L"Creation Time", 150}, {L"Modification Time", 150}, {L"ID", 150}};
  static const Column raw[] = {{L"File Name", 200}, {L"Type", 100}, {L"ID", 150}};
  const Column* columns = rawScan ? raw : fileSystem;
  const int count = rawScan ? 3 : 6;
  for (int i = 0; i < count; ++i) FoundFiles.InsertColumn(i, columns[i].title, LVCFMT_LEFT, columns[i].width);
}

void CThirdView_HDD::ShowButton(UINT id) {
  CWnd* button = GetDlgItem(id);
  if (button == nullptr) return;
  button->ShowWindow(SW_SHOW);
  button->EnableWindow(TRUE);
}
