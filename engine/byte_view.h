// Bounds-checked little-endian reads over bytes that came from a device.
// Disks lie: every field goes through here so that an offset from disk can
// never read outside the buffer it came with.
#pragma once

#include <cstddef>
#include <cstdint>

class ByteView {
public:
    ByteView() = default;
    ByteView(const void* data, size_t size)
        : data_(static_cast<const uint8_t*>(data)), size_(size) {}

    size_t size() const { return size_; }
    const uint8_t* data() const { return data_; }

    bool Has(size_t offset, size_t width) const {
        return offset <= size_ && width <= size_ - offset;
    }

    // Out-of-range reads yield 0; callers that must tell the difference
    // check Has() first.
    uint8_t u8(size_t offset) const { return Has(offset, 1) ? data_[offset] : 0; }
    uint16_t u16(size_t offset) const {
        if (!Has(offset, 2)) return 0;
        return uint16_t(data_[offset] | data_[offset + 1] << 8);
    }
    uint32_t u32(size_t offset) const {
        if (!Has(offset, 4)) return 0;
        return uint32_t(data_[offset]) | uint32_t(data_[offset + 1]) << 8 |
               uint32_t(data_[offset + 2]) << 16 | uint32_t(data_[offset + 3]) << 24;
    }
    uint64_t u64(size_t offset) const {
        if (!Has(offset, 8)) return 0;
        return uint64_t(u32(offset)) | uint64_t(u32(offset + 4)) << 32;
    }

    // True when the bytes at offset equal text (without its terminator).
    bool Matches(size_t offset, const char* text) const {
        for (size_t i = 0; text[i]; ++i)
            if (!Has(offset + i, 1) || data_[offset + i] != uint8_t(text[i])) return false;
        return true;
    }

    ByteView Sub(size_t offset, size_t width) const {
        if (!Has(offset, 0)) return ByteView();
        if (width > size_ - offset) width = size_ - offset;
        return ByteView(data_ + offset, width);
    }

private:
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
};
