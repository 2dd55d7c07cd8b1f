// Line reading of text files whatever their encoding: UTF-16 in either
// byte order or UTF-8 behind a byte-order mark, else 8-bit text that the
// caller turns into UTF-16 line by line. The bytes come from a source the
// caller gives, so every build runs this over recovered files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum TextEncoding {
    kTextAnsi = 0,
    kTextUtf16BigEndian = 1,
    kTextUtf16LittleEndian = 2,
    kTextUtf8 = 3,
};

class TextByteSource {
public:
    virtual ~TextByteSource() = default;
    // Up to count bytes into buffer; how many were read (0 at the end or on an error).
    virtual size_t Read(uint8_t* buffer, size_t count) = 0;
    virtual void SeekToStart() = 0;
    virtual uint64_t Length() = 0;
};

// Turns one line of 8-bit text into UTF-16; an empty result leaves the line empty.
using TextAnsiDecoder = std::u16string (*)(const std::string& bytes);
// Each byte as the character of the same number.
std::u16string DecodeLatin1(const std::string& bytes);

class TextReaderCore {
public:
    static constexpr int kBlockSize = 1024;

    // A null source is a file that did not open: at the end from the start.
    TextReaderCore(TextByteSource* source, TextAnsiDecoder decoder);
    TextReaderCore(const TextReaderCore&) = delete;
    TextReaderCore& operator=(const TextReaderCore&) = delete;

    bool IsOpen() const { return source_ != nullptr; }
    bool IsEof() const { return atEnd_; }
    TextEncoding Encoding() const { return encoding_; }
    // The next line without its terminator; false when already at the end.
    bool ReadLine(std::u16string& line);
    // Every line, joined by separator; false (and an empty text) when not open.
    bool ReadAll(std::u16string& text, const std::u16string& separator);
    // The length in bytes, halved for UTF-16.
    uint64_t GetCharLength();
    // Forgets the source (the owner closes it).
    void Detach();

private:
    void DetectEncoding();
    void Rewind();
    uint8_t ReadByte();
    char16_t ReadChar();
    char16_t ReadUnit() { return encoding_ == kTextAnsi ? ReadByte() : ReadChar(); }

    TextByteSource* source_;
    TextAnsiDecoder decoder_;
    TextEncoding encoding_ = kTextAnsi;
    bool atEnd_ = false;
    uint8_t buffer_[kBlockSize] = {};
    int position_ = -1;
    int bytesInBuffer_ = 0;
    bool pushedBack_ = false;
    bool firstLine_ = true;
    char16_t heldBack_ = 0;
};

// A source over bytes in memory, for the fuzz target and the tests.
class MemoryTextSource : public TextByteSource {
public:
    MemoryTextSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    size_t Read(uint8_t* buffer, size_t count) override;
    void SeekToStart() override { offset_ = 0; }
    uint64_t Length() override { return size_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t offset_ = 0;
};
