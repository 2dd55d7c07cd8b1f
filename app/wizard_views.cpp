#include "wizard_views.h"

#include "advance/advance_ntfs.h"
#include "folder_listing.h"
#include "found_lists.h"
#include "command_bars.h"
#include "main_frame.h"
#include "preview_state.h"
#include "preview_host.h"
#include "program_ui.h"
#include "raw/raw_lists.h"
#include "raw/raw_results.h"
#include "scan_control.h"
#include "shell_app.h"
#include "shell_resources.h"
#include "snapshot/snapshot.h"
#include "start_view.h"
#include "wizard_state.h"

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
ON_COMMAND(IDC_RESULT_NEXT, OnNextButton)
ON_COMMAND(IDC_RESULT_BACK, OnBackButton)
ON_COMMAND(IDC_RESULT_START_OVER, OnStartOverButton)
END_MESSAGE_MAP()

namespace {
constexpr UINT kResultsPaneId = 1;
constexpr UINT kPreviewHostId = 59649;
}  // namespace

CThirdView_HDD::~CThirdView_HDD() {
  if (FoundFileListCtrl() == &FoundFiles) FoundFileListCtrl() = nullptr;
}

int CThirdView_HDD::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CWizardPageView::OnCreate(lpcs) == -1) return -1;
  FoundFileListCtrl() = &FoundFiles;
  FoundFiles.ShowEmptyPreview = [] {
    NoFileSelectedFlag() = 1;
    if (CMainFrame* frame = GetMainFrame()) frame->ShowPreview(CString(), CString());
  };
  Results.UseList(&FoundFiles);
  // The bar's commands reach the frame through this page's gates.
  Results.CommandsToParent = TRUE;
  Results.MakePreview = [this](CWnd* parent, const CRect& rect) -> CWnd* {
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CMainPreviewView);
    context.m_pCurrentDoc = GetDocument();
    auto* host = static_cast<CView*>(RUNTIME_CLASS(CMainPreviewView)->CreateObject());
    if (host == nullptr ||
        !host->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, rect, parent, kPreviewHostId, &context))
      return nullptr;  // the view has deleted itself
    host->OnInitialUpdate();
    return host;
  };
  // The list's preview road ends in the frame's preview pane.
  CFoundFileListCtrl::IsPreviewable = [](const CString& name, const CString& extension) {
    return ::IsPreviewable(name, extension);
  };
  CFoundFileListCtrl::ShowPreview = [](const CString& path, const CString& extension) {
    if (CMainFrame* frame = GetMainFrame()) frame->ShowPreview(path, extension);
  };
  // The list's menu as a popup bar of the frame's command bars.
  CFoundFileListCtrl::TrackMenu = [](CMenu* popup, CPoint screen, CWnd* owner) {
    CMainFrame* frame = GetMainFrame();
    return static_cast<UINT>(CTkCommandBars::TrackMenuAsPopupBar(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x,
                                                                 screen.y, owner, nullptr, nullptr,
                                                                 frame != nullptr ? frame->GetCommandBars() : nullptr));
  };
  if (!Results.Create(this, CRect(0, 0, 800, 500), kResultsPaneId)) return -1;
  Results.ModifyStyle(0, WS_CLIPSIBLINGS);
  Results.SetModeText(SelectedModeText);
  // Reached by the keyboard and the command ids; hidden until a snapshot
  // loaded from the command line shows them.
  const struct {
    CButton* button;
    LPCWSTR text;
    UINT id;
  } buttons[] = {{&NextButton, L"Next", IDC_RESULT_NEXT},
                 {&BackButton, L"Back", IDC_RESULT_BACK},
                 {&StartOverButton, L"Start Over", IDC_RESULT_START_OVER}};
  HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  for (const auto& b : buttons) {
    b.button->Create(b.text, WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON | WS_DISABLED, CRect(0, 0, 0, 0), this, b.id);
    b.button->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font));
  }
  return 0;
}

void CThirdView_HDD::OnDraw(CDC* pDC) {
  CWizardPageView::OnDraw(pDC);
  if (Results.ModeText.GetSafeHwnd() == nullptr) return;
  CString shown;
  Results.ModeText.GetWindowText(shown);
  if (shown != SelectedModeText) Results.SetModeText(SelectedModeText);
}

void CThirdView_HDD::OnSize(UINT nType, int cx, int cy) {
  CWizardPageView::OnSize(nType, cx, cy);
  if (Results.GetSafeHwnd() != nullptr) Results.MoveWindow(0, 0, cx, cy);
  if (NextButton.GetSafeHwnd() == nullptr) return;
  NextButton.MoveWindow(cx - 135, cy - 41, 85, 35);
  BackButton.MoveWindow(cx - 225, cy - 41, 85, 35);
  StartOverButton.MoveWindow(cx - 315, cy - 41, 85, 35);
}

void CThirdView_HDD::OnNextButton() {
  if (Results.GetSafeHwnd() != nullptr) Results.OnRecoverSelected();
}

void CThirdView_HDD::OnBackButton() {
  WizardFrameState& frame = WizardFrame();
  SelectionTotals = SelectionTotalsRecord();
  ListWithProgress = 0;
  LoadingSnapshot = 0;
  CarveSizeLimitMB = 3;
  ShowScanProgress = 1;
  DeletePreviewTempFiles();
  FoundFiles.PreviewTempFiles.RemoveAll();
  frame.StepOneActive = 0;
  frame.StepTwoActive = 1;
  frame.StepThreeActive = 0;
  frame.StepFourActive = 0;
  frame.ScanIdle = 1;
  frame.SelectedTreeRow = -1;
  if (CMainFrame* main = GetMainFrame()) {
    main->NoFileSelected = 1;
    main->PreviewSupported = 0;
  }
  Results.Tree.Clear();
  FoundFiles.DeleteAllItems();
  FoundFiles.Selection.ClearMarks();
  int page = kScanPage;
  if (ScanMode == kAdvanceScan) {
    FreeStandardScanLists();
    FreeNtfsLists();
    page = kFileSystemPage;
  } else if (ScanMode == kRawScan) {
    FreeCarvedFileList();
    FreeSignatureList();
  } else {
    FreeStandardScanLists();
  }
  if (page == kScanPage)
    if (CSecondView_HDD* scan = PartitionPage()) scan->ShowChoosingLayout();
  TheProgramUi().SwitchView(page);
}

void CThirdView_HDD::OnStartOverButton() {
  OnBackButton();
  if (CSecondView_HDD* scan = PartitionPage()) scan->OnBackButton();
  if (CFirstView_HDD* drives = DrivePage()) drives->OnBackButton();
}

void CThirdView_HDD::DeleteAllColumns() {
  const int count = static_cast<int>(FoundFiles.GetHeaderCtrl()->SendMessage(HDM_GETITEMCOUNT));
  for (int i = 0; i < count; ++i) FoundFiles.DeleteColumn(0);
}

void CThirdView_HDD::InsertModeColumns(bool rawScan) {
  if (ResultsUi* ui = Ui()) ui->SetResultColumns(rawScan);
}

void CThirdView_HDD::ShowButton(UINT id) {
  CWnd* button = GetDlgItem(id);
  if (button == nullptr) return;
  // Above the results pane, which fills the page.
  button->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  button->EnableWindow(TRUE);
}
