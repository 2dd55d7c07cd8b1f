#include "results_pane.h"

#include "file_filters_dlg.h"
#include "file_recovery.h"
#include "raw/raw_results.h"
#include "results_resources.h"
#include "saving_dlg.h"
#include "shell_icon_list.h"
#include "shell_resources.h"

namespace {

const COLORREF kPageColor = RGB(255, 242, 183);
const COLORREF kWarningColor = RGB(255, 0, 0);
constexpr UINT kModeTextId = 61482;
constexpr UINT kSpareTextIds[3] = {61483, 61484, 61488};
constexpr int kToolSize = 34;
constexpr int kToolTop = 20;
// The tree and list start below the banner's bar and end above the mode text.
constexpr int kPanesTop = 70;
constexpr int kBottomBand = 90;
constexpr int kModeLeft = 50;
constexpr int kModeWidth = 210;
constexpr int kModeHeight = 35;

const struct {
  UINT id;
  UINT normal;
  UINT hover;
  LPCWSTR tip;
  int left;
} kBarButtons[] = {
    {kRecoverSelectedCommand, IDB_TOOL_RECOVER, IDB_TOOL_RECOVER_HOT, L"Recover Selected", 10},
    {kSaveSnapshotCommand, IDB_TOOL_SAVE, IDB_TOOL_SAVE_HOT, L"Save Snapshot", 55},
    {kLoadSnapshotCommand, IDB_TOOL_LOAD, IDB_TOOL_LOAD_HOT, L"Load Snapshot", 99},
    {kFindCommand, IDB_TOOL_FIND, IDB_TOOL_FIND_HOT, L"Find", 143},
    {kSettingCommand, IDB_TOOL_SETTING, IDB_TOOL_SETTING_HOT, L"Setting", 187},
    {kHelpCommand, IDB_TOOL_HELP, IDB_TOOL_HELP_HOT, L"Help", 319},
};

}  // namespace

BEGIN_MESSAGE_MAP(CResultsPane, CWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_ERASEBKGND()
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CResultsPane::CResultsPane() = default;

CResultsPane::~CResultsPane() {
  // The image list is the shell's: never destroyed here.
  m_shellIcons.Detach();
}

BOOL CResultsPane::Create(CWnd* pParent, const RECT& rect, UINT nID) {
  return CWnd::CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW)), L"Results",
                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, pParent, nID);
}

int CResultsPane::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  m_background.CreateSolidBrush(kPageColor);
  m_pageBackground.LoadBitmap(IDB_PAGE_BACKGROUND);
  m_banner.LoadBitmap(IDB_PAGE_BANNER);
  if (!Tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                       TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                   CRect(0, 0, 600, 300), this, 162))
    return -1;
  m_shellIcons.Attach(CShellIconList().GetSystemImageList(TRUE));
  Tree.SetupImages(&m_shellIcons);

  m_font.CreateFont(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  ModeText.Create(L"", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(100, 0, 700, 200), this,
                  kModeTextId);
  ModeText.SetFont(&m_font);
  for (int i = 0; i < 3; ++i) {
    SpareTexts[i].Create(L"", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(0, 0, 0, 0), this, kSpareTextIds[i]);
    SpareTexts[i].SetFont(&m_font);
  }

  if (List == nullptr) {
    m_ownList.reset(new CFoundFileListCtrl);
    List = m_ownList.get();
  }
  List->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS,
               CRect(0, 0, 400, 300), this, 165);
  List->SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  List->SetImageList(&m_shellIcons, LVSIL_SMALL);
  List->SetupStateImages();
  List->SetTiledBackground(IDB_RESULTS_LIST_BACKGROUND);
  List->SubclassHeader(FALSE);
  Tree.SetFoundFileList(List);
  List->SetFolderTree(&Tree);

  CWnd* preview = MakePreview ? MakePreview(this, CRect(0, 0, 400, 200)) : nullptr;
  if (preview == nullptr) {
    PreviewHost.Create(L"", WS_CHILD | WS_VISIBLE | WS_BORDER | SS_WHITERECT, CRect(0, 0, 400, 200), this, 59649);
    preview = &PreviewHost;
  }
  m_inner.Create(WS_CHILD | WS_VISIBLE | 2, this, List, preview, 181, CRect(0, 0, 600, 400), 90, 110);
  m_outer.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | 1, this, &Tree, &m_inner, 164, CRect(0, 0, 800, 400), 180, 620);

  for (int i = 0; i < 6; ++i) {
    const auto& button = kBarButtons[i];
    m_buttons[i].Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(button.left, kToolTop,
                        button.left + kToolSize, kToolTop + kToolSize), this, button.id);
    m_buttons[i].SetStateBitmaps(button.normal, button.hover);
    const CString tip = button.tip;
    m_buttons[i].SetTipText(&tip, TRUE);
  }
  m_ui.reset(new ResultsUi(&Tree, List));
  m_ui->SetSelectedSizeStatic(&SpareTexts[2]);
  List->SelectionChanged = [] { ShowSelectedSize(); };
  return 0;
}

void CResultsPane::Layout(int cx, int cy) {
  for (int i = 0; i < 6; ++i) m_buttons[i].MoveWindow(kBarButtons[i].left, kToolTop, kToolSize, kToolSize);
  m_outer.MoveWindow(5, kPanesTop, cx - 10 > 0 ? cx - 10 : 0, cy - kBottomBand - kPanesTop > 0 ? cy - kBottomBand - kPanesTop : 0);
  // As wide and as high as the mode's lines need (the mode, then the
  // drive type), never past the page's right edge.
  CString text;
  ModeText.GetWindowText(text);
  CClientDC dc(this);
  CFont* old = dc.SelectObject(&m_font);
  CRect needed(0, 0, 0, 0);
  dc.DrawText(text, &needed, DT_CALCRECT | DT_NOPREFIX);
  dc.SelectObject(old);
  int width = needed.Width() + 8;
  if (width < kModeWidth) width = kModeWidth;
  if (width > cx - kModeLeft - 5) width = cx - kModeLeft - 5 > 0 ? cx - kModeLeft - 5 : 0;
  int height = needed.Height() > kModeHeight ? needed.Height() : kModeHeight;
  ModeText.MoveWindow(kModeLeft, cy - kBottomBand, width, height);
  for (CStatic& spare : SpareTexts) spare.MoveWindow(0, 0, 0, 0);
}

void CResultsPane::SetModeText(LPCWSTR text) {
  ModeText.SetWindowText(text);
  CRect client;
  GetClientRect(&client);
  if (::IsWindow(m_outer.m_hWnd)) Layout(client.Width(), client.Height());
}

void CResultsPane::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (::IsWindow(m_outer.m_hWnd)) Layout(cx, cy);
}

BOOL CResultsPane::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  DrawBackground(*pDC, client);
  return TRUE;
}

void CResultsPane::DrawBackground(CDC& dc, const CRect& client) {
  CDC pictures;
  if (m_pageBackground.GetSafeHandle() == nullptr || !pictures.CreateCompatibleDC(&dc)) {
    dc.FillRect(&client, &m_background);
    return;
  }
  BITMAP size = {};
  m_pageBackground.GetBitmap(&size);
  CBitmap* old = pictures.SelectObject(&m_pageBackground);
  const int oldMode = dc.SetStretchBltMode(COLORONCOLOR);
  dc.StretchBlt(0, 0, client.Width(), client.Height(), &pictures, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
  dc.SetStretchBltMode(oldMode);
  if (m_banner.GetSafeHandle() != nullptr) {
    m_banner.GetBitmap(&size);
    pictures.SelectObject(&m_banner);
    dc.BitBlt(0, 0, size.bmWidth, size.bmHeight, &pictures, 0, 0, SRCCOPY);
  }
  pictures.SelectObject(old);
}

HBRUSH CResultsPane::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (nCtlColor != CTLCOLOR_STATIC || pWnd == nullptr) return ::GetSysColorBrush(COLOR_WINDOW);
  const UINT id = static_cast<UINT>(pWnd->GetDlgCtrlID());
  if (id != kModeTextId && id != kSpareTextIds[0] && id != kSpareTextIds[1] && id != kSpareTextIds[2])
    return ::GetSysColorBrush(COLOR_WINDOW);
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(id == kModeTextId ? RGB(0, 0, 0) : kWarningColor);
  return static_cast<HBRUSH>(m_background.GetSafeHandle());
}

BOOL CResultsPane::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  if (id == kRecoverSelectedCommand && HIWORD(wParam) == BN_CLICKED && !CommandsToParent) {
    OnRecoverSelected();
    return TRUE;
  }
  for (const auto& button : kBarButtons)
    if (button.id == id && GetParent() != nullptr) {
      // The program-wide commands belong to the frame.
      GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
      return TRUE;
    }
  return CWnd::OnCommand(wParam, lParam);
}

void CResultsPane::OnRecoverSelected() {
  const ResultsKind kind = CurrentResultsKind();
  std::vector<SaveItem> items = GatherCheckedFiles(List->Selection, kind, [this](TreeItem item) {
    return Tree.GetItemNames(reinterpret_cast<HTREEITEM>(item));
  });
  if (items.empty()) {
    MessageBox(L"No file is checked. Check the files and folders to recover first.", L"Recover Selected",
               MB_OK | MB_ICONINFORMATION);
    return;
  }
  CDestinationDlg destination(this);
  destination.Destination = DefaultDestination;
  if (destination.DoModal() != IDOK) return;
  const CString chosen = destination.Destination;
  RecoverSelected(this, std::u16string(reinterpret_cast<const char16_t*>(chosen.GetString())), std::move(items),
                  kInteractiveMode);
}

void CResultsPane::ShowFileFilters() {
  CFileFiltersDlg dialog(this);
  dialog.ListRootAgain = [this] {
    const HTREEITEM root = Tree.RootItem();
    if (root == nullptr) return;
    Tree.SetFocus();
    Tree.SelectItem(root);
    const ResultsKind kind = CurrentResultsKind();
    if (kind == ResultsKind::Fat || kind == ResultsKind::Ntfs || kind == ResultsKind::AdvanceNtfs) {
      List->ListFolder(RootFolderKey(kind));
      List->RefreshListChecks();
    }
  };
  dialog.DoModal();
}
