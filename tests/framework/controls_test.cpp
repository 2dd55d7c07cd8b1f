#include <gtest/gtest.h>

#include <vector>

#include "framework.h"
#include "test_app.h"

namespace {

const UINT kListId = 100;
const UINT kButtonId = 101;
const UINT kCheckListId = 102;

// A visible top-level window that hosts the controls under test and
// counts what reaches it.
class HostWindow : public CWnd {
 public:
  HostWindow() {
    CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)), L"Controls",
             WS_POPUP | WS_VISIBLE, 10, 10, 400, 300, nullptr, nullptr);
  }
  ~HostWindow() override { DestroyWindow(); }
  int checkChanges = 0;
  int parentClicks = 0;

 protected:
  void OnCheckChange() { ++checkChanges; }
  void OnTreeClick(NMHDR*, LRESULT*) { ++parentClicks; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HostWindow, CWnd)
  ON_CLBN_CHKCHANGE(kCheckListId, OnCheckChange)
  ON_NOTIFY(NM_CLICK, kListId, OnTreeClick)
END_MESSAGE_MAP()

// The button-up goes first into the queue: controls that track the mouse
// after a button-down wait for it there.
void Click(CWnd& wnd, CPoint point, UINT down = WM_LBUTTONDOWN) {
  wnd.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
  wnd.SendMessage(down, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  PumpPending();
}

TEST(CTreeCtrl, ClickOnTheStateIconTogglesExactlyOnce) {
  HostWindow host;
  CTreeCtrl tree;
  ASSERT_TRUE(tree.Create(WS_VISIBLE | WS_BORDER | TVS_CHECKBOXES | TVS_HASBUTTONS, CRect(0, 0, 200, 200), &host,
                          kListId));
  HTREEITEM root = tree.InsertItem(L"Root");
  HTREEITEM child = tree.InsertItem(L"Child", root);
  tree.Expand(root, TVE_EXPAND);
  EXPECT_EQ(tree.GetItemText(child), L"Child");
  EXPECT_EQ(tree.GetParentItem(child), root);
  EXPECT_TRUE(tree.ItemHasChildren(root));
  tree.SetCheck(child, FALSE);
  CRect label;
  ASSERT_TRUE(tree.GetItemRect(child, &label, TRUE));
  // The state icon sits just before the label (there is no normal image list).
  CPoint onIcon(label.left - 8, label.CenterPoint().y);
  UINT flags = 0;
  ASSERT_EQ(tree.HitTest(onIcon, &flags), child);
  ASSERT_TRUE(flags & TVHT_ONITEMSTATEICON);
  Click(tree, onIcon);
  EXPECT_TRUE(tree.GetCheck(child));
  EXPECT_EQ(host.parentClicks, 1);
  Click(tree, onIcon, WM_LBUTTONDBLCLK);
  EXPECT_FALSE(tree.GetCheck(child));
  // A click on the label selects, and leaves the box alone.
  Click(tree, label.CenterPoint());
  EXPECT_FALSE(tree.GetCheck(child));
  EXPECT_EQ(tree.GetSelectedItem(), child);
}

TEST(CListCtrl, ClickOnTheStateIconTogglesExactlyOnce) {
  HostWindow host;
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &host, kListId));
  list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  EXPECT_EQ(list.InsertColumn(0, L"Name", LVCFMT_LEFT, 120), 0);
  EXPECT_EQ(list.InsertColumn(1, L"Size", LVCFMT_RIGHT, 80), 1);
  EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);
  ASSERT_EQ(list.InsertItem(0, L"a.txt"), 0);
  list.SetItemText(0, 1, L"12 KB");
  list.SetItemData(0, 77);
  EXPECT_EQ(list.GetItemText(0, 1), L"12 KB");
  EXPECT_EQ(list.GetItemData(0), 77u);
  list.SetCheck(0, FALSE);
  CRect row;
  ASSERT_TRUE(list.GetItemRect(0, &row, LVIR_BOUNDS));
  CPoint onIcon(row.left + 8, row.CenterPoint().y);
  UINT flags = 0;
  ASSERT_EQ(list.HitTest(onIcon, &flags), 0);
  ASSERT_TRUE(flags & LVHT_ONITEMSTATEICON);
  Click(list, onIcon);
  EXPECT_TRUE(list.GetCheck(0));
  Click(list, onIcon);
  EXPECT_FALSE(list.GetCheck(0));
  EXPECT_TRUE(list.DeleteColumn(1));
  EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 1);
}

// Records the owner-draw and custom-draw calls that reach the control.
class DrawnList : public CListBox {
 public:
  std::vector<UINT> drawn;
  int measured = 0;
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override { drawn.push_back(lpDIS->itemID); }
  void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override {
    ++measured;
    lpMIS->itemHeight = 20;
  }
};

class DrawnButton : public CButton {
 public:
  int drawCalls = 0;
  void DrawItem(LPDRAWITEMSTRUCT) override { ++drawCalls; }
};

class CustomDrawList : public CListCtrl {
 public:
  int prePaints = 0;
  int itemPrePaints = 0;

 protected:
  void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult) {
    NMLVCUSTOMDRAW* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
      ++prePaints;
      *pResult = CDRF_NOTIFYITEMDRAW;
    } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
      ++itemPrePaints;
      draw->clrText = RGB(255, 0, 0);
      *pResult = CDRF_DODEFAULT;
    }
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CustomDrawList, CListCtrl)
  ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

TEST(OwnerDraw, DrawAndMeasureReachTheControl) {
  HostWindow host;
  DrawnList list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, CRect(0, 0, 150, 100), &host, kListId));
  list.AddString(L"one");
  list.AddString(L"two");
  DrawnButton button;
  ASSERT_TRUE(button.Create(L"b", WS_VISIBLE | BS_OWNERDRAW, CRect(200, 0, 260, 30), &host, kButtonId));
  host.UpdateWindow();
  list.RedrawWindow();
  button.RedrawWindow();
  EXPECT_GE(list.measured, 1);
  EXPECT_EQ(list.GetItemHeight(0), 20);
  ASSERT_GE(list.drawn.size(), 2u);
  EXPECT_GE(button.drawCalls, 1);
}

TEST(CustomDraw, ReachesTheControlsOwnHandler) {
  HostWindow host;
  CustomDrawList list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &host, kListId));
  list.InsertColumn(0, L"Name", LVCFMT_LEFT, 120);
  list.InsertItem(0, L"one");
  list.InsertItem(1, L"two");
  list.RedrawWindow();
  EXPECT_GE(list.prePaints, 1);
  EXPECT_GE(list.itemPrePaints, 2);
}

TEST(CCheckListBox, ClickOnTheBoxTogglesAndTellsTheParent) {
  HostWindow host;
  CCheckListBox list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | WS_BORDER, CRect(0, 0, 200, 150), &host, kCheckListId));
  list.AddString(L"first");
  list.AddString(L"second");
  list.SetItemData(1, 55);
  list.SetCheck(1, 1);
  EXPECT_EQ(list.GetCheck(0), 0);
  EXPECT_EQ(list.GetCheck(1), 1);
  EXPECT_EQ(list.GetItemData(1), 55u);
  CRect item;
  list.GetItemRect(0, &item);
  Click(list, CPoint(item.left + 4, item.CenterPoint().y));
  EXPECT_EQ(list.GetCheck(0), 1);
  EXPECT_EQ(host.checkChanges, 1);
  // The text of an item selects it without a change of check.
  Click(list, CPoint(item.right - 10, item.CenterPoint().y));
  EXPECT_EQ(list.GetCheck(0), 1);
  EXPECT_EQ(host.checkChanges, 1);
  list.Enable(1, FALSE);
  list.GetItemRect(1, &item);
  Click(list, CPoint(item.left + 4, item.CenterPoint().y));
  EXPECT_EQ(list.GetCheck(1), 1);
  list.DeleteString(1);
  EXPECT_EQ(list.GetCount(), 1);
}

struct RtfSource {
  const char* text;
  LONG at;
  static DWORD CALLBACK Read(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
    RtfSource* s = reinterpret_cast<RtfSource*>(cookie);
    LONG left = static_cast<LONG>(strlen(s->text)) - s->at;
    *read = left < size ? left : size;
    memcpy(buffer, s->text + s->at, static_cast<size_t>(*read));
    s->at += *read;
    return 0;
  }
};

TEST(Controls, WrappersDriveTheirControls) {
  HostWindow host;
  CComboBox combo;
  ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 100, 100), &host, 1));
  combo.AddString(L"a");
  combo.AddString(L"bb");
  combo.SetCurSel(1);
  CString text;
  combo.GetLBText(combo.GetCurSel(), text);
  EXPECT_EQ(text, L"bb");

  CProgressCtrl progress;
  ASSERT_TRUE(progress.Create(WS_VISIBLE, CRect(0, 110, 100, 130), &host, 2));
  progress.SetRange32(0, 500);
  progress.SetStep(50);
  progress.SetPos(100);
  progress.StepIt();
  int low = -1, high = -1;
  progress.GetRange(low, high);
  EXPECT_EQ(high, 500);
  EXPECT_EQ(progress.GetPos(), 150);

  CTabCtrl tabs;
  ASSERT_TRUE(tabs.Create(WS_VISIBLE, CRect(110, 0, 300, 100), &host, 3));
  tabs.InsertItem(0, L"One");
  tabs.InsertItem(1, L"Two");
  WCHAR buffer[16] = {};
  TCITEMW tab = {};
  tab.mask = TCIF_TEXT;
  tab.pszText = buffer;
  tab.cchTextMax = 16;
  ASSERT_TRUE(tabs.GetItem(1, &tab));
  EXPECT_STREQ(buffer, L"Two");

  CToolTipCtrl tips;
  ASSERT_TRUE(tips.Create(&host));
  EXPECT_TRUE(tips.AddTool(&combo, L"the combo"));
  EXPECT_TRUE(tips.AddTool(&host, L"an area", CRect(0, 200, 50, 250), 7));
  EXPECT_EQ(tips.GetToolCount(), 2);

  CImageList images;
  ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 2));
  EXPECT_EQ(images.Add(LoadIconW(nullptr, IDI_APPLICATION)), 0);
  EXPECT_EQ(images.GetImageCount(), 1);

  CRichEditCtrl rich;
  ASSERT_TRUE(rich.Create(WS_VISIBLE | ES_MULTILINE, CRect(0, 140, 200, 200), &host, 4));
  RtfSource source = {"{\\rtf1 Hello {\\b bold} world}", 0};
  EDITSTREAM stream = {};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  stream.pfnCallback = &RtfSource::Read;
  rich.StreamIn(SF_RTF, stream);
  rich.SetReadOnly();
  rich.GetWindowText(text);
  EXPECT_EQ(text, L"Hello bold world");
  EXPECT_TRUE(rich.GetStyle() & ES_READONLY);
}

TEST(CFileFind, WalksAFolder) {
  WCHAR temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  CString folder(temp);
  folder += L"mulvara_find_test";
  CreateDirectoryW(folder, nullptr);
  for (LPCWSTR name : {L"\\a.txt", L"\\b.dat"}) {
    HANDLE h = CreateFileW(folder + name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, "abc", 3, &written, nullptr);
    CloseHandle(h);
  }
  CreateDirectoryW(folder + L"\\sub", nullptr);
  CFileFind finder;
  std::vector<std::wstring> files, folders;
  int dots = 0;
  for (BOOL more = finder.FindFile(folder + L"\\*.*"); more;) {
    more = finder.FindNextFile();
    if (finder.IsDots()) ++dots;
    else if (finder.IsDirectory()) folders.push_back(static_cast<LPCWSTR>(finder.GetFileName()));
    else {
      files.push_back(static_cast<LPCWSTR>(finder.GetFileName()));
      EXPECT_EQ(finder.GetLength(), 3u);
      EXPECT_EQ(finder.GetFilePath(), folder + L"\\" + finder.GetFileName());
    }
  }
  EXPECT_EQ(dots, 2);
  EXPECT_EQ(files.size(), 2u);
  ASSERT_EQ(folders.size(), 1u);
  EXPECT_EQ(folders[0], L"sub");
  EXPECT_FALSE(finder.FindFile(folder + L"\\*.none"));
  DeleteFileW(folder + L"\\a.txt");
  DeleteFileW(folder + L"\\b.dat");
  RemoveDirectoryW(folder + L"\\sub");
  RemoveDirectoryW(folder);
}

}  // namespace
