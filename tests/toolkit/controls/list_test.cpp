#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "controls_test_resources.h"
#include "dib_canvas.h"
#include "list_control.h"
#include "profile_store.h"
#include "test_app.h"

namespace {

// A derived list as the results page has one: it records the sorts asked of it.
class SortingList : public CTkListCtrl {
 public:
  BOOL SortList(int column, BOOL ascending) override {
    sorts.push_back({column, ascending != FALSE});
    return TRUE;
  }
  std::vector<std::pair<int, bool>> sorts;
};

// Counts how often the shared behaviour is set up.
class CountingList : public CTkListCtrl {
 public:
  BOOL Initialize() override {
    ++initializations;
    return CTkListCtrl::Initialize();
  }
  int initializations = 0;
};

class ListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TheTestApp().SetRegistryKey(KeyOfThisTest(L"Mulvara Controls Tests"));
    CTkProfileStore(HKEY_CURRENT_USER).WriteText(L"Settings", nullptr, nullptr);
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"List test", WS_POPUP | WS_VISIBLE,
                                CRect(80, 80, 640, 400), nullptr, 0));
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 520, 300), &parent, 165));
    const int widths[] = {120, 80, 200};
    const LPCWSTR headings[] = {L"Name", L"Type", L"Size"};
    ASSERT_TRUE(list.InsertColumns(3, widths, headings));
    for (int row = 0; row < 3; ++row) {
      static const wchar_t* const names[] = {L"alpha.txt", L"beta.jpg", L"gamma.doc"};
      list.InsertItem(row, names[row]);
      list.SetItemText(row, 1, row == 1 ? L"Picture" : L"Document");
      list.SetItemText(row, 2, std::to_wstring(100 * (row + 1)).c_str());
    }
  }
  void TearDown() override {
    if (::IsWindow(parent.m_hWnd)) parent.DestroyWindow();
    PumpPending();
    CTkProfileStore(HKEY_CURRENT_USER).WriteText(L"Settings", nullptr, nullptr);
  }
  CRect HeaderItem(int item) {
    CRect rect;
    list.GetHeaderWnd()->SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect));
    return rect;
  }
  void ClickHeader(int item) {
    CWnd* header = list.GetHeaderWnd();
    CPoint point = HeaderItem(item).CenterPoint();
    header->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    header->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
  }
  // Drags the divider after column 0 by dx.
  void DragDivider(int dx) {
    CWnd* header = list.GetHeaderWnd();
    CRect item = HeaderItem(0);
    int y = item.CenterPoint().y;
    header->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.right - 1, y));
    header->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(item.right - 1 + dx, y));
    header->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(item.right - 1 + dx, y));
  }
  std::vector<int> Widths() {
    return {list.GetColumnWidth(0), list.GetColumnWidth(1), list.GetColumnWidth(2)};
  }
  void SetWidths(int a, int b, int c) {
    list.SetColumnWidth(0, a);
    list.SetColumnWidth(1, b);
    list.SetColumnWidth(2, c);
  }
  void SetOrder(std::vector<int> order) {
    list.SendMessage(LVM_SETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
  }
  CString Stored() { return CTkProfileStore(HKEY_CURRENT_USER).ReadText(L"Settings", L"Column Info", L"<none>"); }

  CWnd parent;
  SortingList list;
};

TEST_F(ListTest, SetUpOnceWhetherCreatedHereOrTakenOver) {
  CountingList created;
  ASSERT_TRUE(created.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 100, 100), &parent, 166));
  EXPECT_EQ(1, created.initializations);

  HWND existing = ::CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 0, 100, 100, parent.m_hWnd,
                                    reinterpret_cast<HMENU>(167), nullptr, nullptr);
  ASSERT_NE(nullptr, existing);
  CountingList taken;
  ASSERT_TRUE(taken.SubclassWindow(existing));
  EXPECT_EQ(1, taken.initializations);
}

TEST_F(ListTest, LeftClicksToggleTheSortAndAnotherColumnStartsAscending) {
  ASSERT_TRUE(list.SubclassHeader(FALSE));
  EXPECT_FALSE(list.SubclassHeader(FALSE));  // once only
  ASSERT_EQ(static_cast<CWnd*>(&list.m_header), list.GetHeaderWnd());
  for (int i = 0; i < 3; ++i) ClickHeader(1);
  ClickHeader(2);
  const std::vector<std::pair<int, bool>> expected = {{1, true}, {1, false}, {1, true}, {2, true}};
  EXPECT_EQ(expected, list.sorts);
  BOOL ascending = FALSE;
  EXPECT_EQ(2, list.m_header.GetSortColumn(&ascending));
  EXPECT_TRUE(ascending);
  EXPECT_EQ(2, list.GetSortColumn());

  // The header's own sort command: the direction it asks for.
  list.m_header.m_ptLastRClick = HeaderItem(2).CenterPoint();
  list.m_header.SendMessage(WM_COMMAND, ID_TK_HEADER_SORT_DESCENDING);
  ASSERT_EQ(5u, list.sorts.size());
  EXPECT_EQ(std::make_pair(2, false), list.sorts.back());
  EXPECT_FALSE(list.IsAscending());
}

TEST_F(ListTest, SortColumnShowsOnAToolkitHeaderOnly) {
  EXPECT_EQ(-1, list.SetSortColumn(1, 1));  // a plain header: the list's own previous column
  EXPECT_EQ(1, list.SetSortColumn(2, 0));
  EXPECT_FALSE(list.IsAscending());
  ASSERT_TRUE(list.SubclassHeader(TRUE));
  EXPECT_EQ(-1, list.SetSortColumn(0, 1));  // now the header answers, and it had none
  EXPECT_EQ(0, list.m_header.GetSortColumn());
}

TEST_F(ListTest, LockedColumnsRefuseTrackingAndDividerDoubleClicks) {
  list.SetColumnsLocked(TRUE);
  DragDivider(40);
  EXPECT_EQ(120, list.GetColumnWidth(0));
  CRect item = HeaderItem(0);
  list.GetHeaderWnd()->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(item.right - 1, item.CenterPoint().y));
  EXPECT_EQ(120, list.GetColumnWidth(0));

  list.SetColumnsLocked(FALSE);
  DragDivider(40);
  EXPECT_EQ(160, list.GetColumnWidth(0));
}

TEST_F(ListTest, DisabledAndCustomColouredListsPaintTheirBackgroundAndCells) {
  CRect client;
  list.GetClientRect(&client);
  CRect row;
  list.GetItemRect(0, &row, LVIR_BOUNDS);
  DibCanvas canvas(client.Width(), client.Height());
  const CPoint empty(client.Width() / 2, client.bottom - 5);   // below the rows
  const CPoint cell(row.left + 120 + 70, row.CenterPoint().y);  // right of "Document"

  struct Case {
    const char* name;
    BOOL enabled;
    BOOL custom;
    COLORREF background;
  };
  const Case cases[] = {
      {"enabled", TRUE, FALSE, ::GetSysColor(COLOR_WINDOW)},
      {"custom colours", TRUE, TRUE, RGB(250, 240, 200)},
      {"disabled", FALSE, TRUE, ::GetSysColor(COLOR_BTNFACE)},
  };
  for (const Case& c : cases) {
    if (c.custom) list.SetListColors(RGB(0, 0, 160), RGB(250, 240, 200));
    list.EnableWindow(c.enabled);
    canvas.Fill(RGB(1, 2, 3));
    list.PaintBuffered(&canvas.dc);
    EXPECT_EQ(c.background, canvas.Pixel(empty.x, empty.y)) << c.name;
    EXPECT_EQ(c.background, canvas.Pixel(cell.x, cell.y)) << c.name;
    // The cells' text colour: window text unless custom and enabled.
    const COLORREF text = c.custom && c.enabled ? RGB(0, 0, 160) : ::GetSysColor(COLOR_WINDOWTEXT);
    int ink = 0;
    for (int x = row.left; x < row.left + 120; ++x)
      for (int y = row.top; y < row.bottom; ++y) ink += canvas.Pixel(x, y) == text ? 1 : 0;
    EXPECT_GT(ink, 0) << c.name;
  }
}

TEST(ListWidthText, FieldsAreReadSafely) {
  struct Case {
    LPCWSTR text;
    int field;
    int value;
  };
  const Case cases[] = {
      {L"120,80,200,", 0, 120}, {L"120,80,200,", 2, 200}, {L"120,80,200,", 3, 0}, {L"120,80,200,", 9, 0},
      {L"", 0, 0},              {nullptr, 0, 0},          {L"x,5", 0, 0},          {L"x,5", 1, 5},
      {L" 7,", 0, 7},           {L"12abc,3", 0, 12},      {L"-4,", 0, -4},         {L"99999999999999,", 0, INT_MAX},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.value, CTkListCommon::ParseWidthField(c.text, c.field)) << (c.text ? "text" : "null") << " " << c.field;
}

TEST_F(ListTest, WidthsAreKeptByDisplayPosition) {
  // Nothing stored and no default: every column becomes 0 wide.
  EXPECT_EQ(3, list.SetProfileNames(nullptr, nullptr, nullptr));
  EXPECT_EQ((std::vector<int>{0, 0, 0}), Widths());
  // A default text stands in for the missing value.
  EXPECT_EQ(3, list.SetProfileNames(nullptr, nullptr, L"100,100,"));
  EXPECT_EQ((std::vector<int>{100, 100, 0}), Widths());

  SetWidths(120, 80, 200);
  EXPECT_TRUE(list.SaveColumnWidths());
  EXPECT_EQ(CString(L"120,80,200,"), Stored());
  SetWidths(10, 10, 10);
  EXPECT_EQ(3, list.LoadColumnWidths());
  EXPECT_EQ((std::vector<int>{120, 80, 200}), Widths());

  // Shown as Size, Name, Type: stored in that order and restored alike.
  SetOrder({2, 0, 1});
  EXPECT_TRUE(list.SaveColumnWidths());
  EXPECT_EQ(CString(L"200,120,80,"), Stored());
  SetWidths(10, 10, 10);
  list.LoadColumnWidths();
  EXPECT_EQ((std::vector<int>{120, 80, 200}), Widths());

  // Garbage in the registry gives 0 where a field is not a number.
  CTkProfileStore(HKEY_CURRENT_USER).WriteText(L"Settings", L"Column Info", L"abc,75");
  SetOrder({0, 1, 2});
  list.LoadColumnWidths();
  EXPECT_EQ((std::vector<int>{0, 75, 0}), Widths());
}

TEST_F(ListTest, WidthsAreSavedOnDestructionOnlyOnceNamed) {
  parent.DestroyWindow();
  EXPECT_EQ(CString(L"<none>"), Stored());

  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"List test", WS_POPUP, CRect(80, 80, 640, 400), nullptr, 0));
  SortingList named;
  ASSERT_TRUE(named.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 520, 300), &parent, 165));
  named.AddColumn(L"Name", 90, LVCFMT_LEFT);
  EXPECT_EQ(1, named.AddColumn(L"Type", -1, LVCFMT_LEFT));  // as wide as the last one
  named.SetProfileNames(L"Results", L"Widths", L"90,90,");
  named.SetColumnWidth(1, 55);
  parent.DestroyWindow();
  EXPECT_EQ(CString(L"90,55,"), CTkProfileStore(HKEY_CURRENT_USER).ReadText(L"Results", L"Widths", L""));
  CTkProfileStore(HKEY_CURRENT_USER).WriteText(L"Results", nullptr, nullptr);
}

TEST_F(ListTest, MoveRowPutsTheCopyBeforeTheTargetRow) {
  struct Case {
    int from;
    int to;
    BOOL moved;
    std::vector<std::wstring> names;
  };
  const Case cases[] = {
      {0, 2, TRUE, {L"beta.jpg", L"alpha.txt", L"gamma.doc"}},
      {2, 0, TRUE, {L"gamma.doc", L"alpha.txt", L"beta.jpg"}},
      {1, 1, FALSE, {L"alpha.txt", L"beta.jpg", L"gamma.doc"}},
      {-1, 0, FALSE, {L"alpha.txt", L"beta.jpg", L"gamma.doc"}},
  };
  for (const Case& c : cases) {
    list.DeleteAllItems();
    const wchar_t* names[] = {L"alpha.txt", L"beta.jpg", L"gamma.doc"};
    for (int row = 0; row < 3; ++row) {
      list.InsertItem(row, names[row]);
      list.SetItemText(row, 2, std::to_wstring(row).c_str());
    }
    EXPECT_EQ(c.moved, list.MoveRow(c.from, c.to)) << c.from << "->" << c.to;
    ASSERT_EQ(3, list.GetItemCount());
    for (int row = 0; row < 3; ++row) {
      EXPECT_EQ(CString(c.names[row].c_str()), list.GetItemText(row, 0)) << c.from << "->" << c.to << " row " << row;
      // Sub-items travel with their row.
      int original = c.names[row] == L"alpha.txt" ? 0 : c.names[row] == L"beta.jpg" ? 1 : 2;
      EXPECT_EQ(CString(std::to_wstring(original).c_str()), list.GetItemText(row, 2));
    }
  }
}

TEST_F(ListTest, SubItemHitTestWalksTheColumnsInDisplayOrder) {
  SetOrder({2, 0, 1});  // Size (200), Name (120), Type (80)
  CRect row;
  list.GetItemRect(1, &row, LVIR_BOUNDS);
  struct Case {
    int x;
    int row;
    int position;
  };
  const Case cases[] = {{10, 1, 0}, {250, 1, 1}, {330, 1, 2}, {row.left + 450, -1, 0}};
  for (const Case& c : cases) {
    int position = -7;
    EXPECT_EQ(c.row, list.SubItemHitTest(CPoint(row.left + c.x, row.CenterPoint().y), &position)) << c.x;
    EXPECT_EQ(c.position, position) << c.x;
  }
  int position = -7;
  EXPECT_EQ(-1, list.SubItemHitTest(CPoint(10, row.bottom + 200), &position));
}

TEST_F(ListTest, AutoSizeTakesTheHeadingWhenItIsWider) {
  list.SetColumnWidth(2, 20);
  CWnd* header = list.GetHeaderWnd();
  HDITEMW item = {};
  item.mask = HDI_TEXT;
  item.pszText = const_cast<LPWSTR>(L"A much longer heading than any size");
  header->SendMessage(HDM_SETITEMW, 2, reinterpret_cast<LPARAM>(&item));
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ previous = ::SelectObject(screen, reinterpret_cast<HGDIOBJ>(header->SendMessage(WM_GETFONT)));
  SIZE heading = {};
  ::GetTextExtentPoint32W(screen, item.pszText, lstrlenW(item.pszText), &heading);
  ::SelectObject(screen, previous);
  ::ReleaseDC(nullptr, screen);

  list.AutoSizeColumns(2);
  EXPECT_EQ(heading.cx + 12, list.GetColumnWidth(2));
  // The flat header's sort column keeps room for its arrow.
  ASSERT_TRUE(list.SubclassHeader(FALSE));
  list.SetSortColumn(2, 1);
  list.AutoSizeColumns(-1);
  EXPECT_EQ(heading.cx + 12 + 24, list.GetColumnWidth(2));
  // Cells wider than their heading keep their own width; no column passes the cap.
  EXPECT_GT(list.GetColumnWidth(0), 0);
  list.m_nMaxColumnWidth = 50;
  list.AutoSizeColumns(2);
  EXPECT_EQ(50, list.GetColumnWidth(2));
}

TEST_F(ListTest, ColumnOperationsNeedAReportView) {
  EXPECT_EQ(3, list.GetColumnCount());
  const int widths[] = {60, 60};
  const UINT ids[] = {IDS_TEST_HEADING_NAME, IDS_TEST_HEADING_SIZE};
  EXPECT_TRUE(list.InsertColumnsFromIds(2, widths, ids));
  EXPECT_EQ(5, list.GetColumnCount());
  EXPECT_TRUE(list.InsertColumnsFromIds(0, nullptr, nullptr));
  list.ModifyStyle(LVS_TYPEMASK, LVS_LIST);
  EXPECT_EQ(-1, list.GetColumnCount());
  EXPECT_EQ(-1, list.AddColumn(L"More", 50, LVCFMT_LEFT));
  EXPECT_EQ(-1, list.LoadColumnWidths());
  EXPECT_FALSE(list.SaveColumnWidths());
}

TEST_F(ListTest, ExtendedStylesAreAddedAndModified) {
  list.SetExtendedStyle(LVS_EX_GRIDLINES);
  list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
  EXPECT_EQ(static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
            list.GetExtendedStyle() & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
  EXPECT_TRUE(list.ModifyExtendedStyle(LVS_EX_GRIDLINES, 0));
  EXPECT_FALSE(list.ModifyExtendedStyle(LVS_EX_GRIDLINES, 0));
  EXPECT_EQ(0u, list.GetExtendedStyle() & LVS_EX_GRIDLINES);
}

}  // namespace
