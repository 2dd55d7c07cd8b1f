// dBASE tables read straight from the file's bytes: the field descriptors,
// the records and each value decoded by its field type without the C
// locale. What needs the code pages or the user's locale (names, "B"
// values, currency) is marked for the caller to finish.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kDbfMaxFields = 200;
// The most cells loaded: zero-length fields could ask for millions of rows.
constexpr uint64_t kDbfCellCap = 1000000;

struct DbfField {
    std::string name;  // 8-bit, up to its first zero byte
    char type = 0;
    uint8_t length = 0;
};

struct DbfCell {
    enum Kind {
        kText,      // bytes shown one character each
        kAnsi,      // bytes taken through the ANSI code page
        kCurrency,  // decimal digits to format as currency, or shown as they are
    };
    Kind kind = kText;
    std::string text;
};

struct DbfTable {
    enum Status {
        kLoaded,
        kTooManyFields,  // the list is emptied, rows and columns
        kRejected,       // the columns made stay
    };
    Status status = kRejected;
    std::vector<DbfField> fields;
    std::vector<std::vector<DbfCell>> rows;  // each with one cell per field
};

DbfTable ParseDbfTable(const uint8_t* data, size_t size, uint64_t cellCap = kDbfCellCap);

// One value decoded by its type letter.
DbfCell DecodeDbfValue(char type, const uint8_t* bytes, size_t length);
