#include "tar_archive.h"

#include <algorithm>
#include <new>

namespace {

constexpr size_t kChecksumOffset = 148, kChecksumSize = 8;
constexpr size_t kSizeOffset = 124, kSizeSize = 12;
constexpr size_t kTimeOffset = 136, kTimeSize = 12;
constexpr size_t kTypeOffset = 156;
constexpr size_t kNameSize = 100;

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

uint64_t EntrySize(const uint8_t* header) {
    return ParseOctalField(reinterpret_cast<const char*>(header + kSizeOffset), kSizeSize);
}

}  // namespace

uint64_t ParseOctalField(const char* field, size_t length) {
    size_t at = 0;
    while (at < length && IsBlank(field[at])) ++at;
    uint64_t value = 0;
    for (; at < length && field[at] >= '0' && field[at] <= '7'; ++at) {
        if (value >> 61) return UINT64_MAX;  // more digits than 64 bits hold
        value = value << 3 | uint64_t(field[at] - '0');
    }
    return value;
}

bool IsTarHeader(const uint8_t* header) {
    uint64_t sum = 0;
    for (size_t i = 0; i < kTarBlock; ++i)
        sum += i >= kChecksumOffset && i < kChecksumOffset + kChecksumSize ? ' ' : header[i];
    return sum == ParseOctalField(reinterpret_cast<const char*>(header + kChecksumOffset), kChecksumSize);
}

bool IsTarArchive(const uint8_t* data, size_t size) {
    return size >= kTarBlock && IsTarHeader(data);
}

namespace {

// The header at `offset` if it is valid and its data lies inside the buffer;
// sets `next` to the header after it.
bool StepTarHeader(const uint8_t* data, size_t size, size_t offset, size_t& next) {
    if (offset > size || size - offset < kTarBlock || !IsTarHeader(data + offset)) return false;
    uint64_t length = EntrySize(data + offset);
    size_t start = offset + kTarBlock;
    if (length > size - start) return false;
    uint64_t padded = (length + kTarBlock - 1) / kTarBlock * kTarBlock;
    next = padded > size - start ? size : start + size_t(padded);
    return true;
}

}  // namespace

int CountTarEntries(const uint8_t* data, size_t size) {
    int count = 0;
    size_t offset = 0, next = 0;
    while (offset < size && StepTarHeader(data, size, offset, next)) {
        ++count;
        offset = next;
    }
    return count;
}

TarLookup FindTarEntry(const uint8_t* data, size_t size, int n, TarEntry& entry) {
    if (n < 0) return TarLookup::kInvalidPosition;
    size_t offset = 0, next = 0;
    for (int i = 0; i < n; ++i) {
        if (!StepTarHeader(data, size, offset, next)) return TarLookup::kInvalidPosition;
        offset = next;
    }
    if (offset > size || size - offset < kTarBlock) return TarLookup::kInvalidPosition;
    const uint8_t* header = data + offset;
    if (!IsTarHeader(header)) return TarLookup::kNotAnEntry;
    uint64_t length = EntrySize(header);
    if (length > size - offset - kTarBlock) return TarLookup::kInvalidPosition;

    entry.data = header + kTarBlock;
    entry.length = length;
    char type = char(header[kTypeOffset]);
    entry.isFile = type == '0' || type == 0;
    entry.typeText = nullptr;
    switch (type) {
    case 0: case '0': entry.typeText = "regular file"; break;
    case '1': entry.typeText = "link"; break;
    case '2': case '7': entry.typeText = "reserved"; break;
    case '3': entry.typeText = "character special"; break;
    case '4': entry.typeText = "block special"; break;
    case '5': entry.typeText = "directory"; break;
    case '6': entry.typeText = "FIFO special"; break;
    }
    const char* name = reinterpret_cast<const char*>(header);
    entry.name.assign(name, std::find(name, name + kNameSize, '\0'));
    entry.modified = ParseOctalField(reinterpret_cast<const char*>(header + kTimeOffset), kTimeSize);
    return TarLookup::kFound;
}

bool GzipReadAll(gzFile file, size_t chunk, size_t cap, std::vector<uint8_t>& out) {
    out.clear();
    if (!file || chunk == 0) return false;
    chunk = std::min(chunk, cap);
    try {
        for (;;) {
            size_t total = out.size();
            out.resize(total + chunk);
            int count = gzread(file, out.data() + total, unsigned(chunk));
            if (count < 0) {
                out.clear();
                return false;
            }
            out.resize(total + size_t(count));
            if (count == 0) break;
            if (out.size() > cap) {
                out.clear();
                return false;
            }
        }
    } catch (const std::bad_alloc&) {
        out.clear();
        out.shrink_to_fit();
        return false;
    }
    out.shrink_to_fit();
    return !out.empty();
}
