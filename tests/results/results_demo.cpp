// The results page filled from a scan of a test image: run it to look at
// it. Arguments: fat, ntfs, raw, or the dialogs destination, saving, filters,
// properties or find, or the list's menu (menu, raw-menu),
// and --close-after MS. The images come from MULVARA_TEST_IMAGES.
#include <gtest/gtest.h>

#include <string>

#include "file_recovery.h"
#include "find_files_dlg.h"
#include "found_lists.h"
#include "raw/raw_results.h"
#include "settings.h"
#include "results_fixture.h"
#include "results_pane.h"
#include "saving_dlg.h"
#include "scan_control.h"
#include "test_images.h"

namespace {

class DemoFrame : public CFrameWnd {
 public:
  CResultsPane pane;

 protected:
  int OnCreate(LPCREATESTRUCTW lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
    return pane.Create(this, CRect(0, 0, 850, 600), 1) ? 0 : -1;
  }
  void OnSize(UINT nType, int cx, int cy) {
    CFrameWnd::OnSize(nType, cx, cy);
    if (::IsWindow(pane.m_hWnd)) pane.MoveWindow(0, 0, cx, cy);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DemoFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
END_MESSAGE_MAP()

CFoundFileListCtrl* MenuList = nullptr;

void CALLBACK OpenMenu(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  CRect row;
  MenuList->GetItemRect(1, &row, LVIR_LABEL);
  MenuList->ClientToScreen(&row);
  MenuList->ShowContextMenu(CPoint(row.left + 20, row.bottom));
}

void CALLBACK CloseAll(HWND, UINT, UINT_PTR, DWORD) {
  ::EndMenu();
  for (LPCWSTR caption :
       {L"Recover Selected", L"Saving", L"File Filters", L"File/Folder Properties", L"Find File(s)"})
    if (HWND dialog = ::FindWindowW(nullptr, caption)) ::PostMessageW(dialog, WM_CLOSE, 0, 0);
  ::PostQuitMessage(0);
}

class DemoApp : public CWinApp {
 public:
  BOOL InitInstance() override {
    const std::wstring what = __argc > 1 ? __wargv[1] : L"fat";
    int closeAfter = 0;
    for (int i = 1; i + 1 < __argc; ++i)
      if (std::wstring(__wargv[i]) == L"--close-after") closeAfter = _wtoi(__wargv[i + 1]);
    DemoFrame* frame = new DemoFrame;
    m_pMainWnd = frame;
    frame->Create(nullptr, L"Results", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 870, 645));
    CResultsPane& pane = frame->pane;
    SetEngineUi(&pane.Ui());
    ResultsUi& ui = pane.Ui();
    if (what == L"raw" || what == L"raw-menu") {
      ScanMode = kRawScan;
      RawScanImage(ImagePath("raw_fat16"), "all", 1);
      SetEngineUi(&ui);
      ScanMode = kRawScan;
      ScanStopFlag = 0;
      ui.SetResultColumns(true);
      ui.ClearFolderTree();
      const TreeItem root = ui.InsertFolderItem(u"Root", 0);
      ui.BuildRawTree(root);
      ui.ExpandItem(root);
      ListRawGroups();
      pane.List->RefreshListChecks();
      pane.Tree.ToggleCheckOfItem(pane.Tree.GetChildItem(reinterpret_cast<HTREEITEM>(root)));
      pane.SetModeText(L"Raw Scan: Removable Disk");
    } else {
      ScanMode = kStandardScan;
      ScanImage(ImagePath(what == L"ntfs" ? "ntfs_c4k" : "fat32_s1"));
      SetEngineUi(&ui);
      ScanStopFlag = 0;
      ui.SetResultColumns(false);
      ui.ClearFolderTree();
      const TreeItem root = ui.InsertFolderItem(u"Root", 0);
      const bool ntfs = NtfsFolderList.head != nullptr || NtfsFileList.head != nullptr;
      if (ntfs)
        ui.AddNtfsFolders(root, kNtfsRootRecord);
      else
        ui.AddFatFolders(root, 0);
      ui.ExpandItem(root);
      // A deleted folder's content with a few rows checked.
      HTREEITEM music = pane.Tree.GetChildItem(reinterpret_cast<HTREEITEM>(root));
      if (music != nullptr) pane.Tree.ToggleCheckOfItem(music);
      pane.List->ListFolder(ntfs ? kNtfsRootRecord : 0);
      pane.List->RefreshListChecks();
      for (int row = 4; row < pane.List->GetItemCount() && row < 10; row += 3) pane.List->ToggleRowCheck(row);
      // Then into the checked folder, below the root.
      if (music != nullptr) pane.List->ListTreeItem(pane.Tree.GetChildItem(music));
      pane.SetModeText(L"Standard Scan: Removable Disk (E:)");
      pane.Tree.SelectItem(reinterpret_cast<HTREEITEM>(root));
    }
    if (closeAfter > 0) ::SetTimer(nullptr, 0, closeAfter, CloseAll);
    if (what == L"properties") {
      // The root's first folder.
      pane.List->ListFolder(CurrentResultsKind() == ResultsKind::Fat ? 0 : kNtfsRootRecord);
      pane.List->RefreshListChecks();
      pane.List->SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      pane.List->SendMessage(LVM_SETSELECTIONMARK, 0, 0);
      pane.List->ShowProperties();
      return FALSE;
    }
    if (what == L"find") {
      // A finished search with its rows, some checked.
      struct SearchingDlg : CFindFilesDlg {
        using CFindFilesDlg::CFindFilesDlg;
        BOOL OnInitDialog() override {
          CFindFilesDlg::OnInitDialog();
          SetDlgItemText(1032, L"*.mp3");
          PostMessage(WM_COMMAND, IDOK);
          return TRUE;
        }
      } dialog(&pane.Tree, &pane);
      dialog.DoModal();
      return FALSE;
    }
    if (what == L"menu" || what == L"raw-menu") {
      pane.List->ListFolder(CurrentResultsKind() == ResultsKind::Fat || CurrentResultsKind() == ResultsKind::Raw ? 0 : kNtfsRootRecord);
      pane.List->RefreshListChecks();
      pane.List->SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      pane.List->SendMessage(LVM_SETSELECTIONMARK, 0, 1);
      // The menu's own loop needs the program's loop running first.
      MenuList = pane.List;
      ::SetTimer(nullptr, 0, 300, OpenMenu);
    }
    if (what == L"filters") {
      const char16_t* samples[] = {u"*.JPG", u"IMG_????.*", u"*.MP3"};
      for (int i = 0; i < 3; ++i) std::char_traits<char16_t>::copy(FilterTable[i], samples[i], std::char_traits<char16_t>::length(samples[i]) + 1);
      FilterCount = 3;
      pane.ShowFileFilters();
      return FALSE;
    }
    if (what == L"destination" || what == L"saving") {
      pane.DefaultDestination = L"C:\\Recovered";
      if (what == L"saving") {
        // A long run to look at: every file, written over and over.
        ::CreateDirectoryW(L"C:\\Recovered", nullptr);
        pane.Tree.ToggleCheckOfItem(pane.Tree.RootItem());
        std::vector<SaveItem> items = GatherCheckedFiles(pane.List->Selection, CurrentResultsKind(), {});
        std::vector<SaveItem> many;
        for (int i = 0; i < 200; ++i) many.insert(many.end(), items.begin(), items.end());
        RecoverSelected(&pane, u"C:\\Recovered", std::move(many), kPlainMode);
      } else {
        pane.OnRecoverSelected();
      }
      return FALSE;
    }
    return TRUE;
  }
  int ExitInstance() override {
    CWinApp::ExitInstance();
    return 0;
  }
};

DemoApp theApp;

}  // namespace
