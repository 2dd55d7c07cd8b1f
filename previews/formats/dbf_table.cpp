#include "dbf_table.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

constexpr size_t kHeaderSize = 32, kDescriptorSize = 32;
constexpr size_t kNameSize = 11, kTypeOffset = 11, kLengthOffset = 16;
constexpr uint8_t kTerminator = 0x0D, kRecordStart = 0x20;

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The value's bytes up to the first zero, as the file's reader stops there.
std::string NarrowText(const uint8_t* bytes, size_t length) {
    const uint8_t* end = std::find(bytes, bytes + length, uint8_t(0));
    return std::string(bytes, end);
}

std::string FormatFixed(double value) {
    char text[400];
    auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    return result.ec == std::errc() ? std::string(text, result.ptr) : std::string("0.000000");
}

double ParseNumber(const std::string& text) {
    size_t at = 0;
    while (at < text.size() && IsBlank(text[at])) ++at;
    if (at < text.size() && text[at] == '+') ++at;
    double value = 0;
    auto result = std::from_chars(text.data() + at, text.data() + text.size(), value);
    return result.ec == std::errc() ? value : 0.0;
}

// The field's own bytes, at most four, as a little-endian signed integer.
int32_t SmallInteger(const uint8_t* bytes, size_t length) {
    uint32_t value = 0;
    for (size_t i = 0; i < std::min<size_t>(length, 4); ++i) value |= uint32_t(bytes[i]) << (8 * i);
    return int32_t(value);
}

// Upper case for ASCII and for the Cyrillic letters of code page 1251.
std::string UpperCase(std::string text) {
    for (char& c : text) {
        uint8_t byte = uint8_t(c);
        if (byte >= 'a' && byte <= 'z') c = char(byte - 32);
        else if (byte >= 0xE0) c = char(byte - 32);
    }
    return text;
}

bool IsTrueWord(const std::string& value) {
    static const char* const words[] = {"T", "Y", "YES", "TRUE", "\xC4\xC0", "\xC8\xD1\xD2\xC8\xCD\xC0"};
    size_t first = 0, last = value.size();
    while (first < last && IsBlank(value[first])) ++first;
    while (last > first && IsBlank(value[last - 1])) --last;
    std::string word = UpperCase(value.substr(first, last - first));
    for (const char* candidate : words)
        if (word == candidate) return true;
    return false;
}

std::string Insert(std::string text, size_t at, char c) {
    text.insert(std::min(at, text.size()), 1, c);
    return text;
}

}  // namespace

DbfCell DecodeDbfValue(char type, const uint8_t* bytes, size_t length) {
    DbfCell cell;
    switch (type) {
    case 'N':
    case 'F':
        cell.text = FormatFixed(ParseNumber(NarrowText(bytes, length)));
        break;
    case 'C':
        cell.text = NarrowText(bytes, length);
        break;
    case 'Y': {
        std::string digits = std::to_string(SmallInteger(bytes, length));
        if (digits.size() > 4) digits.resize(digits.size() - 4);
        cell.kind = DbfCell::kCurrency;
        cell.text = digits;
        break;
    }
    case 'I':
        cell.text = std::to_string(SmallInteger(bytes, length));
        break;
    case 'D':
        cell.text = Insert(Insert(NarrowText(bytes, length), 4, '/'), 7, '/');
        break;
    case 'T':
        break;
    case 'B':
        cell.kind = DbfCell::kAnsi;
        cell.text = NarrowText(bytes, length);
        break;
    case 'L':
        cell.text = IsTrueWord(NarrowText(bytes, length)) ? "TRUE" : "FALSE";
        break;
    case 'M': cell.text = "Memo"; break;
    case 'G': cell.text = "General"; break;
    case 'P': cell.text = "Picture"; break;
    default:
        if (type) cell.text.assign(1, type);
        break;
    }
    return cell;
}

DbfTable ParseDbfTable(const uint8_t* data, size_t size, uint64_t cellCap) {
    DbfTable table;
    size_t terminator = 0;
    bool terminated = false;
    for (size_t at = kHeaderSize; at < size; at += kDescriptorSize) {
        if (data[at] == kTerminator) {
            terminator = at;
            terminated = true;
            break;
        }
        if (table.fields.size() == size_t(kDbfMaxFields)) {
            table.fields.clear();
            table.status = DbfTable::kTooManyFields;
            return table;
        }
        // A descriptor cut by the end of the file is not read.
        if (size - at < kDescriptorSize) return table;
        DbfField field;
        const uint8_t* descriptor = data + at;
        field.name = NarrowText(descriptor, kNameSize);
        field.type = char(descriptor[kTypeOffset]);
        field.length = descriptor[kLengthOffset];
        table.fields.push_back(field);
    }
    if (!terminated || size - terminator <= 11 || table.fields.empty()) return table;

    const uint8_t* first = std::find(data + terminator, data + size, kRecordStart);
    if (first == data + size) return table;
    table.status = DbfTable::kLoaded;
    size_t fieldCount = table.fields.size();
    table.rows.emplace_back(fieldCount);
    size_t at = size_t(first - data) + 1;
    size_t k = 0;
    while (at < size) {
        size_t length = std::min<size_t>(table.fields[k].length, size - at);
        table.rows.back()[k] = DecodeDbfValue(table.fields[k].type, data + at, length);
        at += table.fields[k].length;
        if (++k < fieldCount) continue;
        k = 0;
        ++at;  // the next record's deletion flag, shown like any other
        if (at >= size) break;
        if (uint64_t(table.rows.size() + 1) * fieldCount > cellCap) break;
        table.rows.emplace_back(fieldCount);
    }
    return table;
}
