// dBASE tables written by the tests, the value decoding table, and the
// drawing exchange header test.
#include <gtest/gtest.h>

#include "dbf_table.h"
#include "dxf_header.h"
#include "format_writers.h"

namespace {

DbfTable Parse(const Bytes& file, uint64_t cap = kDbfCellCap) { return ParseDbfTable(file.data(), file.size(), cap); }

Bytes Cut(Bytes bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

std::vector<std::string> Column(const DbfTable& table, size_t k) {
    std::vector<std::string> texts;
    for (const auto& row : table.rows) texts.push_back(row[k].text);
    return texts;
}

TEST(DbfTable, LoadsFieldsAndRecords) {
    Bytes file = MakeDbf({{"NAME", 'C', 10}, {"AGE", 'N', 3}}, {" Alice      42", "*Bob        7 "});
    DbfTable table = Parse(file);
    ASSERT_EQ(table.status, DbfTable::kLoaded);
    ASSERT_EQ(table.fields.size(), 2u);
    EXPECT_EQ(table.fields[0].name, "NAME");
    EXPECT_EQ(table.fields[1].type, 'N');
    EXPECT_EQ(table.fields[1].length, 3);
    ASSERT_EQ(table.rows.size(), 2u) << "a deleted record is shown like another";
    EXPECT_EQ(Column(table, 0), (std::vector<std::string>{"Alice     ", "Bob       "}));
    EXPECT_EQ(Column(table, 1), (std::vector<std::string>{"42.000000", "7.000000"}));
}

TEST(DbfTable, DecodesValuesByType) {
    struct Case {
        char type;
        std::string bytes;
        std::string text;
        DbfCell::Kind kind;
    } cases[] = {
        {'N', "  -3.5", "-3.500000", DbfCell::kText},
        {'F', "+12", "12.000000", DbfCell::kText},
        {'N', "abc", "0.000000", DbfCell::kText},
        {'N', "   ", "0.000000", DbfCell::kText},
        {'C', std::string("ab\0cd", 5), "ab", DbfCell::kText},
        {'D', "20240131", "2024/01/31", DbfCell::kText},
        {'D', "        ", "    /  /  ", DbfCell::kText},
        {'T', "12345678", "", DbfCell::kText},
        {'B', "\xE9t\xE9", "\xE9t\xE9", DbfCell::kAnsi},
        {'L', "y", "TRUE", DbfCell::kText},
        {'L', " t ", "TRUE", DbfCell::kText},
        {'L', "yes", "TRUE", DbfCell::kText},
        {'L', "n", "FALSE", DbfCell::kText},
        {'L', " ", "FALSE", DbfCell::kText},
        {'L', "\xC4\xC0", "TRUE", DbfCell::kText},
        {'L', "\xE4\xE0", "TRUE", DbfCell::kText},
        {'L', "\xC8\xD1\xD2\xC8\xCD\xC0", "TRUE", DbfCell::kText},
        {'M', "0000000001", "Memo", DbfCell::kText},
        {'G', "1", "General", DbfCell::kText},
        {'P', "1", "Picture", DbfCell::kText},
        {'0', "x", "0", DbfCell::kText},
        {'I', std::string("\xFF\xFF\xFF\xFF", 4), "-1", DbfCell::kText},
        {'I', std::string("\x10\x27\0\0", 4), "10000", DbfCell::kText},
        {'Y', std::string("\x40\x42\x0F\0\0\0\0\0", 8), "100", DbfCell::kCurrency},  // 1000000
        {'Y', std::string("\x0C\0\0\0", 4), "12", DbfCell::kCurrency},
        // fault: shorter fields give only their own bytes
        {'I', std::string("\x05", 1), "5", DbfCell::kText},
        {'Y', std::string("\x01\x01", 2), "257", DbfCell::kCurrency},
        {'I', "", "0", DbfCell::kText},
    };
    for (const Case& c : cases) {
        DbfCell cell = DecodeDbfValue(c.type, reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size());
        EXPECT_EQ(cell.text, c.text) << c.type << " " << c.bytes;
        EXPECT_EQ(cell.kind, c.kind) << c.type << " " << c.bytes;
    }
}

TEST(DbfTable, RejectsBadHeaders) {
    std::vector<DbfFixtureField> many;
    for (int i = 0; i < 201; ++i) many.push_back({"F" + std::to_string(i), 'C', 1});
    std::string record201(202, ' ');
    Bytes tooMany = MakeDbf(many, {record201});
    DbfTable table = Parse(tooMany);
    EXPECT_EQ(table.status, DbfTable::kTooManyFields);
    EXPECT_TRUE(table.fields.empty());

    many.pop_back();
    DbfTable exactly = Parse(MakeDbf(many, {record201.substr(1)}));
    EXPECT_EQ(exactly.status, DbfTable::kLoaded);
    EXPECT_EQ(exactly.fields.size(), 200u);

    struct Case {
        const char* what;
        Bytes file;
    } cases[] = {
        {"empty records area", MakeDbf({{"A", 'C', 5}}, {})},
        {"no field", MakeDbf({}, {" abcdefghijklmnop"})},
        {"no terminator", Cut(MakeDbf({{"A", 'C', 5}, {"B", 'C', 5}}, {}, false), 96)},
        {"descriptor cut by the end", Cut(MakeDbf({{"A", 'C', 5}}, {}), 50)},
        {"no record start", MakeDbf({{"A", 'C', 5}}, {"*abcdefghijklmn"})},
        {"header only", Bytes(32, 0)},
    };
    for (const Case& c : cases) EXPECT_EQ(Parse(c.file).status, DbfTable::kRejected) << c.what;
    DbfTable kept = Parse(MakeDbf({{"A", 'C', 5}}, {}));
    EXPECT_EQ(kept.fields.size(), 1u) << "the columns made stay";
}

TEST(DbfTable, StopsAtTheEndOfTheFile) {
    // The last record is cut after its first field.
    Bytes file = MakeDbf({{"A", 'C', 3}, {"B", 'C', 3}}, {" abcdef", " ghijkl", " mn"}, false);
    DbfTable table = Parse(file);
    ASSERT_EQ(table.status, DbfTable::kLoaded);
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[2][0].text, "mn");
    EXPECT_EQ(table.rows[2][1].text, "");
    // A record start on the file's last byte leaves one empty row.
    Bytes single = MakeDbf({{"A", 'C', 3}}, {"**********", " "}, false);
    DbfTable one = Parse(single);
    EXPECT_EQ(one.status, DbfTable::kLoaded);
    ASSERT_EQ(one.rows.size(), 1u);
    EXPECT_EQ(one.rows[0][0].text, "");
}

// fault: zero-length fields cannot ask for more cells than the cap.
TEST(DbfTable, StopsAtTheCellCap) {
    std::vector<DbfFixtureField> fields(10, {"Z", 'C', 0});
    Bytes file = MakeDbf(fields, {std::string(5000, ' ')}, false);
    DbfTable table = Parse(file, 1000);
    EXPECT_EQ(table.status, DbfTable::kLoaded);
    EXPECT_EQ(table.rows.size(), 100u);
}

TEST(DxfHeader, NeedsSectionAndHeaderBeforeTheFirstZero) {
    struct Case {
        const char* what;
        std::string text;
        bool drawing;
    } cases[] = {
        {"a drawing", "  0\nSECTION\n  2\nHEADER\n", true},
        {"header alone", "  2\nHEADER\n", false},
        {"lower case", "  0\nsection\n  2\nheader\n", false},
        {"a zero before both words", std::string("  0\n\0SECTION\n  2\nHEADER\n", 24), false},
        {"words past byte 511", std::string(505, ' ') + "SECTION HEADER", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LooksLikeDxf(reinterpret_cast<const uint8_t*>(c.text.data()), c.text.size()), c.drawing) << c.what;
}

}  // namespace
