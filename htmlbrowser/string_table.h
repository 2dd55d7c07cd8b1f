// Rows of owned UTF-16 strings: tag attributes, links, history, forms,
// controls and options all live in these.
#pragma once

class CHtmlStringList {
public:
    // Sets every field to zero without freeing: for a list whose memory was
    // handed on or never made.
    void Clear();
    void Destroy();
    // Copies exactly length characters (-1: up to the terminator) and a
    // terminator; a null text adds nothing and gives 0.
    int Append(const char16_t* text, int length);
    int Set(int index, const char16_t* text, int length);
    // The string, or "" for an index out of range or an entry never made.
    const char16_t* Get(int index, int* length = nullptr) const;
    int GetCount() const { return count_; }

private:
    char16_t** strings_ = nullptr;
    int* lengths_ = nullptr;
    int count_ = 0;
};

class CHtmlStringTable {
public:
    CHtmlStringTable() { Init(); }
    ~CHtmlStringTable() { Destroy(); }
    CHtmlStringTable(const CHtmlStringTable&) = delete;
    CHtmlStringTable& operator=(const CHtmlStringTable&) = delete;

    void Init();
    void Destroy();
    int AddRow();
    int AppendToRow(int row, const char16_t* text, int length);
    int SetInRow(int row, int index, const char16_t* text, int length);
    int RemoveRow(int index);
    // The row, or an empty row for an index out of range (or a row that
    // could not be made), so any cell of a missing row reads as "".
    const CHtmlStringList& GetRow(int index) const;
    int GetRowCount() const { return count_; }
    void ClearRows();

private:
    CHtmlStringList** rows_ = nullptr;
    CHtmlStringList empty_;
    int count_ = 0;
};
