#include "string_table.h"

#include <cstdlib>
#include <new>

#include "html_string.h"

void CHtmlStringList::Clear() {
    strings_ = nullptr;
    lengths_ = nullptr;
    count_ = 0;
}

void CHtmlStringList::Destroy() {
    for (int i = 0; i < count_; ++i) std::free(strings_[i]);
    std::free(strings_);
    std::free(lengths_);
    Clear();
}

int CHtmlStringList::Append(const char16_t* text, int length) {
    if (!text) return 0;
    // Grown one entry at a time; on failure the list stays as it was.
    auto* strings = static_cast<char16_t**>(std::realloc(strings_, (count_ + 1) * sizeof(char16_t*)));
    if (!strings) return 0;
    strings_ = strings;
    auto* lengths = static_cast<int*>(std::realloc(lengths_, (count_ + 1) * sizeof(int)));
    if (!lengths) return 0;
    lengths_ = lengths;
    int n = length < 0 ? int(HtmlLength(text)) : length;
    strings_[count_] = HtmlCopy(text, n);
    lengths_[count_] = strings_[count_] ? n : 0;
    ++count_;
    return 1;
}

int CHtmlStringList::Set(int index, const char16_t* text, int length) {
    if (index < 0 || index >= count_ || !text) return 0;
    int n = length < 0 ? int(HtmlLength(text)) : length;
    char16_t* copy = HtmlCopy(text, n);
    std::free(strings_[index]);
    strings_[index] = copy;
    lengths_[index] = copy ? n : 0;
    return 1;
}

const char16_t* CHtmlStringList::Get(int index, int* length) const {
    if (index < 0 || index >= count_ || !strings_[index]) {
        if (length) *length = 0;
        return u"";
    }
    if (length) *length = lengths_[index];
    return strings_[index];
}

void CHtmlStringTable::Init() {
    rows_ = nullptr;
    count_ = 0;
    empty_.Clear();
}

void CHtmlStringTable::Destroy() {
    for (int i = 0; i < count_; ++i) {
        if (!rows_[i]) continue;
        rows_[i]->Destroy();
        delete rows_[i];
    }
    std::free(rows_);
    rows_ = nullptr;
    count_ = 0;
    empty_.Destroy();
}

int CHtmlStringTable::AddRow() {
    auto* rows = static_cast<CHtmlStringList**>(std::realloc(rows_, (count_ + 1) * sizeof(CHtmlStringList*)));
    if (!rows) return count_;
    rows_ = rows;
    rows_[count_] = new (std::nothrow) CHtmlStringList();
    return ++count_;
}

int CHtmlStringTable::AppendToRow(int row, const char16_t* text, int length) {
    if (row < 0 || row >= count_ || !rows_[row]) return 0;
    rows_[row]->Append(text, length);
    return 1;
}

int CHtmlStringTable::SetInRow(int row, int index, const char16_t* text, int length) {
    if (row < 0 || row >= count_ || !rows_[row]) return 0;
    return rows_[row]->Set(index, text, length);
}

int CHtmlStringTable::RemoveRow(int index) {
    if (index < 0 || index >= count_) return 0;
    if (rows_[index]) {
        rows_[index]->Destroy();
        delete rows_[index];
    }
    for (int i = index; i + 1 < count_; ++i) rows_[i] = rows_[i + 1];
    --count_;
    return 1;
}

const CHtmlStringList& CHtmlStringTable::GetRow(int index) const {
    if (index < 0 || index >= count_ || !rows_[index]) return empty_;
    return *rows_[index];
}

void CHtmlStringTable::ClearRows() {
    while (count_ > 0) RemoveRow(count_ - 1);
}
