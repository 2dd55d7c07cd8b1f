// The results page's texts: the mode and the drive type on two lines, both
// inside the static; the checked size after every check.
#include <gtest/gtest.h>

#include "found_lists.h"
#include "results_pane.h"
#include "scan_control.h"
#include "test_app.h"
#include "test_images.h"

TEST(ResultsPane, ModeTextShowsBothLinesWhole) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"Results", WS_POPUP | WS_VISIBLE, CRect(0, 0, 850, 600),
                              nullptr, 0));
  CResultsPane pane;
  ASSERT_TRUE(pane.Create(&parent, CRect(0, 0, 850, 600), 1));
  const CString text = L"Selected Mode : Standard Scan \r\nDrive Type        : Physical Drive";
  pane.SetModeText(text);
  PumpPending();

  EXPECT_EQ(pane.ModeText.GetStyle() & SS_CENTERIMAGE, 0u) << "a centred static shows one line only";
  CRect shown;
  pane.ModeText.GetClientRect(&shown);
  CClientDC dc(&pane.ModeText);
  CFont* old = dc.SelectObject(pane.ModeText.GetFont());
  CRect needed(0, 0, 0, 0);
  dc.DrawText(text, &needed, DT_CALCRECT | DT_NOPREFIX);
  const int lineHeight = dc.GetTextExtent(L"Drive").cy;
  dc.SelectObject(old);
  EXPECT_GE(needed.Height(), 2 * lineHeight) << "two lines";
  EXPECT_GE(shown.Height(), needed.Height());
  EXPECT_GE(shown.Width(), needed.Width());
  pane.DestroyWindow();
  parent.DestroyWindow();
}

namespace {

// Where a click lands on the check box of a tree item or a list row.
CPoint TreeBoxOf(CFolderTreeCtrl& tree, HTREEITEM item) {
  CRect row;
  tree.GetItemRect(item, &row, FALSE);
  for (int x = row.left; x < row.right; ++x) {
    UINT flags = 0;
    if (tree.HitTest(CPoint(x, row.CenterPoint().y), &flags) == item && (flags & TVHT_ONITEMSTATEICON) != 0)
      return CPoint(x + 2, row.CenterPoint().y);
  }
  return CPoint(-1, -1);
}

CPoint ListBoxOf(CFoundFileListCtrl& list, int row) {
  CRect bounds;
  list.GetItemRect(row, &bounds, LVIR_BOUNDS);
  for (int x = bounds.left; x < bounds.right; ++x) {
    UINT flags = 0;
    if (list.HitTest(CPoint(x, bounds.CenterPoint().y), &flags) == row && (flags & LVHT_ONITEMSTATEICON) != 0)
      return CPoint(x + 2, bounds.CenterPoint().y);
  }
  return CPoint(-1, -1);
}

void ClickAt(CWnd& window, CPoint at) {
  window.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  window.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  PumpPending();
}

FatFileEntry* FatFileNamed(const std::u16string& name) {
  for (FatFileEntry* f = FatFileList.head; f; f = f->next)
    if (f->name != nullptr && name == f->name) return f;
  return nullptr;
}

}  // namespace

// A check in the tree or in the list shows the checked size at once in
// the page's selection static, whole megabytes of the checked files.
TEST(ResultsPane, AChecksSizeShowsInTheSelectionText) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"Results", WS_POPUP | WS_VISIBLE, CRect(0, 0, 850, 600),
                              nullptr, 0));
  CResultsPane pane;
  ASSERT_TRUE(pane.Create(&parent, CRect(0, 0, 850, 600), 1));
  ScanMode = kStandardScan;
  ASSERT_TRUE(ScanImage(ImagePath("fat32_s1")).ran);
  ResultsUi& ui = pane.Ui();
  SetEngineUi(&ui);
  ScanStopFlag = 0;
  ui.SetResultColumns(false);
  ui.ClearFolderTree();
  const TreeItem root = ui.InsertFolderItem(u"Root", 0);
  ui.AddFatFolders(root, 0);
  ui.ExpandItem(root);
  pane.List->ListFolder(0);
  pane.List->RefreshListChecks();
  // Sizes of whole megabytes, so that every step shows in the text.
  FatFileEntry* rootFile = FatFileNamed(u"SHORT.TXT");
  FatFileEntry* track = FatFileNamed(u"Track 01.mp3");
  ASSERT_NE(rootFile, nullptr);
  ASSERT_NE(track, nullptr);
  rootFile->size = 2u << 20;
  track->size = 3u << 20;
  HTREEITEM music = pane.Tree.GetChildItem(pane.Tree.RootItem());
  while (music != nullptr && pane.Tree.GetItemText(music) != L"Music") music = pane.Tree.GetNextSiblingItem(music);
  ASSERT_NE(music, nullptr);
  const int row = [&] {
    for (int r = 0; r < pane.List->GetItemCount(); ++r)
      if (pane.List->GetItemText(r, 0) == L"SHORT.TXT") return r;
    return -1;
  }();
  ASSERT_GE(row, 0);
  PumpPending();

  CString text;
  pane.SpareTexts[2].GetWindowText(text);
  EXPECT_EQ(text, L"");
  const struct {
    const char* step;
    CWnd* window;
    CPoint at;
    LPCWSTR shown;
  } steps[] = {
      {"the root file's row checked", pane.List, ListBoxOf(*pane.List, row), L"Selected Size : 2 MB"},
      {"the folder checked in the tree", &pane.Tree, TreeBoxOf(pane.Tree, music), L"Selected Size : 5 MB"},
      {"the row unchecked", pane.List, ListBoxOf(*pane.List, row), L"Selected Size : 3 MB"},
      {"the folder unchecked", &pane.Tree, TreeBoxOf(pane.Tree, music), L"Selected Size : 0 MB"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.step);
    ASSERT_GE(step.at.x, 0);
    ClickAt(*step.window, step.at);
    pane.SpareTexts[2].GetWindowText(text);
    EXPECT_EQ(text, step.shown);
  }
  EXPECT_EQ(pane.SpareTexts[2].GetDlgCtrlID(), 61488);
  ui.ClearSelectedSize();
  pane.SpareTexts[2].GetWindowText(text);
  EXPECT_EQ(text, L"");
  SetEngineUi(nullptr);
  pane.DestroyWindow();
  parent.DestroyWindow();
}
