// dBASE tables loaded into a report list under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "dbf_cells.h"
#include "format_writers.h"
#include "test_images.h"

namespace {

std::wstring WriteTable(const Bytes& bytes) {
    std::string narrow = TemporaryFolder() + "/table.dbf";
    std::wstring path(narrow.begin(), narrow.end());
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

struct ListHost {
    ListHost() {
        EXPECT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)),
                                  L"dBASE", WS_POPUP | WS_VISIBLE, 20, 20, 520, 220, nullptr, nullptr));
        EXPECT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                    CRect(0, 0, 520, 220), &host, 186));
        list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    }
    ~ListHost() { host.DestroyWindow(); }
    int Columns() { return list.GetHeaderCtrl()->GetItemCount(); }
    CWnd host;
    CListCtrl list;
};

TEST(DbfList, ShowsAnIndexColumnAndARowPerRecord) {
    Bytes file = MakeDbf({{"NAME", 'C', 10}, {"AGE", 'N', 3}, {"BORN", 'D', 8}, {"OK", 'L', 1}},
                         {" Alice      4219800131y", "*Bob        7         n"});
    ListHost window;
    EXPECT_TRUE(LoadDbfTable(WriteTable(file).c_str(), window.list));
    ASSERT_EQ(window.Columns(), 5);
    ASSERT_EQ(window.list.GetItemCount(), 2);
    struct Cell {
        int row, column;
        const wchar_t* text;
    } cells[] = {
        {0, 0, L"1"}, {0, 1, L"Alice     "}, {0, 2, L"42.000000"}, {0, 3, L"1980/01/31"}, {0, 4, L"TRUE"},
        {1, 0, L"2"}, {1, 2, L"7.000000"}, {1, 3, L"    /  /  "}, {1, 4, L"FALSE"},
    };
    for (const Cell& c : cells) EXPECT_STREQ(window.list.GetItemText(c.row, c.column), c.text) << c.row << "," << c.column;
    // Kept on screen a while for a screenshot when asked.
    if (const char* pause = getenv("MULVARA_SHOT_PAUSE")) {
        DWORD end = GetTickCount() + DWORD(atoi(pause));
        while (GetTickCount() < end) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
    }
}

TEST(DbfList, ReportsTablesItCannotShow) {
    ListHost window;
    EXPECT_FALSE(LoadDbfTable(L"Z:\\no\\such\\table.dbf", window.list));
    EXPECT_EQ(window.Columns(), 0) << "a file that cannot be read leaves the list alone";

    EXPECT_FALSE(LoadDbfTable(WriteTable(MakeDbf({{"A", 'C', 5}}, {})).c_str(), window.list));
    EXPECT_EQ(window.Columns(), 2) << "the columns made stay";

    std::vector<DbfFixtureField> many(201, {"F", 'C', 1});
    ListHost other;
    other.list.InsertColumn(0, L"old", LVCFMT_LEFT, 50);
    EXPECT_FALSE(LoadDbfTable(WriteTable(MakeDbf(many, {std::string(202, ' ')})).c_str(), other.list));
    EXPECT_EQ(other.Columns(), 0);
    EXPECT_EQ(other.list.GetItemCount(), 0);
}

}  // namespace
