#include "results_pane.h"

#include "file_filters_dlg.h"
#include "file_recovery.h"
#include "saving_dlg.h"
#include "shell_icon_list.h"

namespace {

const COLORREF kPageColor = RGB(255, 242, 183);

const struct {
  UINT id;
  LPCWSTR caption;
} kBarButtons[] = {
    {kRecoverSelectedCommand, L"Recover Selected"}, {kSaveSnapshotCommand, L"Save Snapshot"},
    {kLoadSnapshotCommand, L"Load Snapshot"},       {kFindCommand, L"Find"},
    {kSettingCommand, L"Setting"},                  {kHelpCommand, L"Help"},
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
  if (!Tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                       TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                   CRect(0, 0, 600, 300), this, 162))
    return -1;
  m_shellIcons.Attach(CShellIconList().GetSystemImageList(TRUE));
  Tree.SetupImages(&m_shellIcons);

  m_font.CreateFont(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
  ModeText.Create(L"", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(100, 0, 700, 200), this, 61482);
  ModeText.SetFont(&m_font);

  if (List == nullptr) {
    m_ownList.reset(new CFoundFileListCtrl);
    List = m_ownList.get();
  }
  List->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS,
               CRect(0, 0, 400, 300), this, 165);
  List->SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  List->SetImageList(&m_shellIcons, LVSIL_SMALL);
  List->SetupStateImages();
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
    m_buttons[i].Create(kBarButtons[i].caption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 10, 10), this,
                        kBarButtons[i].id);
    m_buttons[i].SetFont(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
  }
  m_ui.reset(new ResultsUi(&Tree, List));
  return 0;
}

void CResultsPane::Layout(int cx, int cy) {
  // The bar's buttons as wide as their captions.
  CClientDC dc(this);
  CFont* old = dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT))));
  int left = 10;
  for (CButton& button : m_buttons) {
    CString caption;
    button.GetWindowText(caption);
    const int width = dc.GetTextExtent(caption).cx + 20;
    button.MoveWindow(left, 20, width, 34);
    left += width + 8;
  }
  dc.SelectObject(old);
  m_outer.MoveWindow(5, 70, cx - 10 > 0 ? cx - 10 : 0, cy - 160 > 0 ? cy - 160 : 0);
  ModeText.MoveWindow(50, cy - 80, 420, 35);
}

void CResultsPane::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (::IsWindow(m_outer.m_hWnd)) Layout(cx, cy);
}

BOOL CResultsPane::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillRect(&client, &m_background);
  return TRUE;
}

HBRUSH CResultsPane::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (nCtlColor == CTLCOLOR_STATIC && pWnd != nullptr && pWnd->GetDlgCtrlID() == 61482) {
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(RGB(0, 0, 0));
    return static_cast<HBRUSH>(m_background.GetSafeHandle());
  }
  return ::GetSysColorBrush(COLOR_WINDOW);
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
