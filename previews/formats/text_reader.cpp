#include "text_reader.h"

#include <cstring>
#include <vector>

std::u16string DecodeLatin1(const std::string& bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (unsigned char byte : bytes) text.push_back(byte);
    return text;
}

size_t MemoryTextSource::Read(uint8_t* buffer, size_t count) {
    const size_t available = size_ - offset_;
    if (count > available) count = available;
    if (count != 0) std::memcpy(buffer, data_ + offset_, count);
    offset_ += count;
    return count;
}

TextReaderCore::TextReaderCore(TextByteSource* source, TextAnsiDecoder decoder)
    : source_(source), decoder_(decoder != nullptr ? decoder : DecodeLatin1) {
    if (source_ == nullptr) {
        atEnd_ = true;
        return;
    }
    DetectEncoding();
}

void TextReaderCore::Detach() {
    source_ = nullptr;
    atEnd_ = true;
}

void TextReaderCore::Rewind() {
    pushedBack_ = false;
    source_->SeekToStart();
    position_ = -1;
    bytesInBuffer_ = 0;
    firstLine_ = true;
    atEnd_ = false;
}

void TextReaderCore::DetectEncoding() {
    const uint8_t b0 = ReadByte();
    const uint8_t b1 = ReadByte();
    if (b0 == 0xFF && b1 == 0xFE) {
        encoding_ = kTextUtf16LittleEndian;
    } else if (b0 == 0xFE && b1 == 0xFF) {
        encoding_ = kTextUtf16BigEndian;
    } else if (b0 == 0xEF && b1 == 0xBB && ReadByte() == 0xBF) {
        encoding_ = kTextUtf8;
    } else {
        encoding_ = kTextAnsi;
        Rewind();
    }
}

uint8_t TextReaderCore::ReadByte() {
    if (pushedBack_) {
        pushedBack_ = false;
        return static_cast<uint8_t>(heldBack_);
    }
    if (position_ == -1 || position_ == kBlockSize - 1) {
        bytesInBuffer_ = static_cast<int>(source_->Read(buffer_, kBlockSize));
        if (bytesInBuffer_ <= 0) {
            // Stay on an empty buffer, so a later call asks the source again.
            bytesInBuffer_ = 0;
            position_ = -1;
            atEnd_ = true;
            return 0;
        }
        position_ = 0;
    } else if (++position_ >= bytesInBuffer_) {
        position_ = bytesInBuffer_ - 1;
        atEnd_ = true;
        return 0;
    }
    return buffer_[position_];
}

char16_t TextReaderCore::ReadChar() {
    if (pushedBack_) {
        pushedBack_ = false;
        return heldBack_;
    }
    if (encoding_ == kTextUtf8) {
        const uint8_t b = ReadByte();
        if ((b & 0x80) == 0) return b;
        int ones = 0;
        while (ones < 8 && (b & (0x80 >> ones)) != 0) ++ones;
        if (ones == 2) {
            const uint8_t c1 = ReadByte();
            return static_cast<char16_t>(((b & 0x1F) << 6) | (c1 & 0x3F));
        }
        if (ones == 3) {
            const uint8_t c1 = ReadByte();
            const uint8_t c2 = ReadByte();
            return static_cast<char16_t>(((((b & 0x0F) << 6) | (c1 & 0x3F)) << 6) | (c2 & 0x3F));
        }
        return 0xFFFD;
    }
    const uint8_t b0 = ReadByte();
    const uint8_t b1 = ReadByte();
    if (encoding_ == kTextUtf16BigEndian) return static_cast<char16_t>((b0 << 8) | b1);
    return static_cast<char16_t>(b0 | (b1 << 8));
}

bool TextReaderCore::ReadLine(std::u16string& line) {
    line.clear();
    if (atEnd_) return false;
    char16_t unit = ReadUnit();
    if (firstLine_) {
        firstLine_ = false;
    } else if (unit == u'\n') {
        unit = ReadUnit();
    } else if (unit == u'\r') {
        unit = ReadUnit();
        if (unit == u'\n') unit = ReadUnit();
    }
    // Units gather in a work buffer that is flushed into the line whenever
    // it holds 1023, so a line of any length comes back whole.
    char16_t work[kBlockSize];
    int used = 0;
    std::string bytes;
    auto flush = [&] {
        if (encoding_ == kTextAnsi) {
            for (int n = 0; n < used; ++n) bytes.push_back(static_cast<char>(work[n]));
        } else {
            line.append(work, static_cast<size_t>(used));
        }
        used = 0;
    };
    while (unit != u'\r' && unit != u'\n' && !atEnd_) {
        work[used++] = unit;
        if (used == kBlockSize - 1) flush();
        unit = ReadUnit();
    }
    flush();
    heldBack_ = unit;
    pushedBack_ = true;
    if (encoding_ == kTextAnsi && !bytes.empty()) line = decoder_(bytes);
    return true;
}

uint64_t TextReaderCore::GetCharLength() {
    if (source_ == nullptr) return 0;
    const uint64_t length = source_->Length();
    if (encoding_ == kTextUtf16BigEndian || encoding_ == kTextUtf16LittleEndian) return length / 2;
    return length;
}

bool TextReaderCore::ReadAll(std::u16string& text, const std::u16string& separator) {
    text.clear();
    if (source_ == nullptr) return false;
    // The work area is sized from the file, but line ends may grow ("\n"
    // becomes the separator), so a line that does not fit goes to the text
    // directly and the work area starts again.
    const uint64_t capacity = GetCharLength() + 2;
    std::u16string work;
    // Previews get files of at most a few megabytes; the reserve is only a hint.
    const size_t hint = static_cast<size_t>(capacity < (uint64_t{1} << 24) ? capacity : (uint64_t{1} << 24));
    work.reserve(hint);
    text.reserve(hint);
    std::u16string line;
    bool first = true;
    while (!atEnd_) {
        if (!ReadLine(line)) break;
        if (!first) line.insert(0, separator);
        first = false;
        if (work.size() + line.size() < capacity) {
            work += line;
        } else {
            text += work;
            text += line;
            work.clear();
        }
    }
    text += work;
    return true;
}
