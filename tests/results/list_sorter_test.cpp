// Sorting the found-file list by a column's text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list_sorter.h"
#include "test_app.h"

namespace {

int Compare(LPCWSTR a, LPCWSTR b, int type) {
  ListSortRecord first{0, a}, second{0, b};
  return CompareListRows(reinterpret_cast<LPARAM>(&first), reinterpret_cast<LPARAM>(&second), type);
}

int Sign(int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

TEST(CompareListRows, ComparesByTypeAndDirection) {
  struct Case {
    LPCWSTR a, b;
    int type;
    int expected;  // sign of the result
  } cases[] = {
      {L"9", L"10", kCompareNumber, -1},
      {L"9", L"10", -kCompareNumber, 1},
      {L"1,024", L"1024", kCompareNumber, 0},
      {L"", L"0", kCompareNumber, 0},
      // Sizes of 2 GiB and more.
      {L"2147483648", L"1", kCompareNumber, 1},
      {L"4294967296", L"4294967295", kCompareNumber, 1},
      {L"1", L"6442450944", kCompareNumber, -1},
      {L"6442450944", L"1", -kCompareNumber, -1},
      {L"Readme.TXT", L"readme.txt", kCompareText, 0},
      {L"apple", L"Banana", kCompareText, -1},
      {L"apple", L"Banana", -kCompareText, 1},
      // Dates as the engine writes them, day first, whatever the locale:
      // FAT's "dd-mm-yyyy " and NTFS's "d-m-yyyy h:m:s".
      {L"13-01-2020 ", L"02-02-2020 ", kCompareDate, -1},
      {L"05-11-2020 ", L"11-05-2020 ", kCompareDate, 1},
      {L"31-12-1999 ", L"01-01-2000 ", kCompareDate, -1},
      {L"31-12-1999 ", L"01-01-2000 ", -kCompareDate, 1},
      {L"2-3-2021 9:5:7", L"2-3-2021 10:0:0", kCompareDate, -1},
      {L"2-3-2021 23:59:59", L"3-3-2021 0:0:0", kCompareDate, -1},
      {L"7-6-2021 0:0:0", L"06-07-2021 ", kCompareDate, -1},
      {L"1/2/2020 10:00:00", L"1/3/2020 10:00:00", kCompareDate, -1},
      // Equal dates never compare equal.
      {L"1-2-2020 10:0:0", L"1-2-2020 10:0:0", kCompareDate, 1},
      {L"1-2-2020 10:0:0", L"1-2-2020 10:0:0", -kCompareDate, -1},
      // Anything else is not a date.
      {L"not a date", L"1-2-2020", kCompareDate, 0},
      {L"1-2-2020", L"", kCompareDate, 0},
      {L"32-01-2020 ", L"01-01-2020 ", kCompareDate, 0},
      {L"01-13-2020 ", L"01-01-2020 ", kCompareDate, 0},
      {L"1-1-2020 24:0:0", L"1-1-2020 ", kCompareDate, 0},
      {L"1-1-2020 5", L"1-1-2020 ", kCompareDate, 0},
      {L"1-1-2020 1:2:3:4", L"1-1-2020 ", kCompareDate, 0},
      {L"1-1-20201", L"1-1-2020 ", kCompareDate, 0},
      {L"1.5", L"2.25", kCompareReal, -1},
      {L"2.25", L"1.5", kCompareReal, 1},
      {L"1.5", L"1.5", kCompareReal, 1},
      {L"1.5", L"2.25", -kCompareReal, 1},
      {L"1", L"2", 0, 0},
      {L"1", L"2", 5, 0},
      {L"1", L"2", -7, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << CString(c.a).ToAnsi() << " / " << CString(c.b).ToAnsi() << " type "
                                    << c.type);
    EXPECT_EQ(Sign(Compare(c.a, c.b, c.type)), c.expected);
  }
}

TEST(KeepDigits, LeavesOnlyDecimalDigits) {
  struct Case {
    LPCWSTR in, out;
  } cases[] = {{L"1,024 KB", L"1024"}, {L"", L""}, {L"abc", L""}, {L"0x1F", L"01"}, {L"\x0663" L"7", L"7"}};
  for (const Case& c : cases) {
    CString text(c.in);
    EXPECT_EQ(KeepDigits(text), static_cast<int>(wcslen(c.out)));
    EXPECT_STREQ(text, c.out);
  }
}

class SortedListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"Sort test", WS_POPUP, CRect(0, 0, 400, 300), nullptr, 0));
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 400, 300), &parent, 165));
    list.SetExtendedStyle(LVS_EX_CHECKBOXES);
    list.InsertColumn(0, L"File Name", LVCFMT_LEFT, 120);
    list.InsertColumn(1, L"Size", LVCFMT_LEFT, 80);
    const struct {
      LPCWSTR name, size;
      bool checked;
    } rows[] = {{L"b.bin", L"3221225472", true}, {L"a.txt", L"10", false}, {L"c.jpg", L"9", true}};
    for (int row = 0; row < 3; ++row) {
      list.InsertItem(row, rows[row].name);
      list.SetItemText(row, 1, rows[row].size);
      list.SetItemData(row, 1000 + row);
      list.SetCheck(row, rows[row].checked);
    }
  }
  void TearDown() override {
    if (::IsWindow(parent.m_hWnd)) parent.DestroyWindow();
    PumpPending();
  }
  std::vector<std::wstring> Names() {
    std::vector<std::wstring> names;
    for (int row = 0; row < list.GetItemCount(); ++row) names.push_back(list.GetItemText(row, 0).GetString());
    return names;
  }
  CWnd parent;
  CListCtrl list;
};

// Rows keep their texts, data and marks; only their order changes.
TEST_F(SortedListTest, RowsMoveWithTheirDataAndMarks) {
  {
    CListSorter sorter(&list, 1);
    ASSERT_TRUE(sorter.Sort(TRUE, kCompareNumber));
  }
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"c.jpg", L"a.txt", L"b.bin"}));
  const DWORD_PTR data[] = {1002, 1001, 1000};
  const BOOL checked[] = {TRUE, FALSE, TRUE};
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(list.GetItemData(row), data[row]) << row;
    EXPECT_EQ(list.GetCheck(row), checked[row]) << row;
  }
  {
    CListSorter sorter(&list, 0);
    sorter.Sort(FALSE, kCompareText);
  }
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"c.jpg", L"b.bin", L"a.txt"}));
  EXPECT_EQ(list.GetItemData(1), DWORD_PTR(1000));
}

}  // namespace

#include "results_fixture.h"

namespace {

// After any sort "Parent..." is first and the folders come before the files.
TEST(FoundFileListSort, ParentThenFoldersThenSortedFiles) {
  ResultsPanes panes;
  ASSERT_TRUE(panes.ScanAndShow("fat32_s1"));
  panes.list.ListTreeItem(panes.ItemByPath(L"Documents"));
  // Short names may show in capitals.
  auto notesRow = [&panes] {
    for (int row = 0; row < panes.list.GetItemCount(); ++row)
      if (panes.list.GetItemText(row, 0).CompareNoCase(L"notes.txt") == 0) return row;
    return -1;
  };
  const int notes = notesRow();
  ASSERT_GE(notes, 0);
  panes.list.ToggleRowCheck(notes);
  for (int column : {0, 2, 5}) {
    for (BOOL ascending : {TRUE, FALSE}) {
      SCOPED_TRACE(testing::Message() << "column " << column << (ascending ? " up" : " down"));
      ASSERT_TRUE(panes.list.SortList(column, ascending));
      ASSERT_GE(panes.list.GetItemCount(), 4);
      EXPECT_EQ(panes.list.GetItemText(0, 0), L"Parent...");
      EXPECT_EQ(panes.list.GetItemText(1, 0), L"Reports 2009");
      unsigned long long previous = ascending ? 0 : ~0ULL;
      for (int row = 2; row < panes.list.GetItemCount(); ++row) {
        EXPECT_FALSE(panes.list.IsFolderRow(row));
        if (column == 2) {
          const unsigned long long size = std::wcstoull(panes.list.GetItemText(row, 2), nullptr, 10);
          EXPECT_TRUE(ascending ? size >= previous : size <= previous) << row;
          previous = size;
        }
      }
      // Marks move with their rows.
      EXPECT_EQ(panes.list.IsRowChecked(notesRow()), 1);
      EXPECT_TRUE(panes.RowsAgreeWithSelection());
    }
  }
}

}  // namespace
