#include <gtest/gtest.h>

#include <string>

#include "string_table.h"

namespace {

std::u16string Cell(const CHtmlStringList& row, int index, int* length = nullptr) {
    return row.Get(index, length);
}

TEST(StringList, AppendCopiesExactlyTheLengthAsked) {
    CHtmlStringList list;
    list.Clear();
    // A text without a terminator within the length: only that many characters.
    const char16_t unterminated[] = {u'a', u'b', u'c', u'd'};
    EXPECT_EQ(list.Append(unterminated, 2), 1);
    EXPECT_EQ(list.Append(u"hello", -1), 1);
    EXPECT_EQ(list.Append(u"", -1), 1);
    EXPECT_EQ(list.Append(nullptr, 3), 0);
    ASSERT_EQ(list.GetCount(), 3);
    int length = -1;
    EXPECT_EQ(Cell(list, 0, &length), u"ab");
    EXPECT_EQ(length, 2);
    EXPECT_EQ(Cell(list, 1, &length), u"hello");
    EXPECT_EQ(length, 5);
    EXPECT_EQ(Cell(list, 2, &length), u"");
    EXPECT_EQ(length, 0);
    list.Destroy();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(StringList, OutOfRangeIndexesAnswerEmptyAndZero) {
    CHtmlStringList list;
    list.Clear();
    for (const char16_t* text : {u"x", u"y", u"z"}) list.Append(text, -1);
    for (int index : {-1, 3, 5, 1 << 30}) {
        int length = 7;
        EXPECT_EQ(Cell(list, index, &length), u"") << index;
        EXPECT_EQ(length, 0) << index;
        EXPECT_EQ(list.Set(index, u"q", -1), 0) << index;
    }
    // Set replaces with the new text's own length.
    EXPECT_EQ(list.Set(0, u"sixsix", -1), 1);
    int length = 0;
    EXPECT_EQ(Cell(list, 0, &length), u"sixsix");
    EXPECT_EQ(length, 6);
    EXPECT_EQ(list.Set(2, u"abcdef", 3), 1);
    EXPECT_EQ(Cell(list, 2), u"abc");
    list.Destroy();
}

TEST(StringTable, RowsGrowRemoveAndAnswerMissingRowsWithAnEmptyRow) {
    CHtmlStringTable table;
    EXPECT_EQ(table.AddRow(), 1);
    EXPECT_EQ(table.AddRow(), 2);
    EXPECT_EQ(table.AddRow(), 3);
    EXPECT_EQ(table.AppendToRow(0, u"r0", -1), 1);
    EXPECT_EQ(table.AppendToRow(1, u"r1", -1), 1);
    EXPECT_EQ(table.AppendToRow(2, u"r2a", -1), 1);
    EXPECT_EQ(table.AppendToRow(2, u"r2b", -1), 1);
    EXPECT_EQ(table.AppendToRow(3, u"none", -1), 0);
    EXPECT_EQ(table.AppendToRow(-1, u"none", -1), 0);
    EXPECT_EQ(table.SetInRow(2, 1, u"new", -1), 1);
    EXPECT_EQ(table.SetInRow(2, 2, u"new", -1), 0);
    EXPECT_EQ(table.SetInRow(9, 0, u"new", -1), 0);

    EXPECT_EQ(Cell(table.GetRow(-1), 0), u"");
    EXPECT_EQ(table.GetRow(-1).GetCount(), 0);
    EXPECT_EQ(Cell(table.GetRow(3), 0), u"");

    EXPECT_EQ(table.RemoveRow(3), 0);
    EXPECT_EQ(table.RemoveRow(-1), 0);
    EXPECT_EQ(table.RemoveRow(0), 1);
    ASSERT_EQ(table.GetRowCount(), 2);
    EXPECT_EQ(Cell(table.GetRow(0), 0), u"r1");
    EXPECT_EQ(Cell(table.GetRow(1), 0), u"r2a");
    EXPECT_EQ(Cell(table.GetRow(1), 1), u"new");

    table.ClearRows();
    EXPECT_EQ(table.GetRowCount(), 0);
    EXPECT_EQ(table.AddRow(), 1);
}

}  // namespace
