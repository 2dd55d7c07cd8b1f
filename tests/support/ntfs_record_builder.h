// Synthesized 1,024-byte MFT records for the parser tests: a header with an
// update-sequence array of three words, attributes appended one by one, the
// end marker, and the sector ends moved into the array as a disk holds them.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ntfs/ntfs_record.h"

class RecordBuilder {
public:
    explicit RecordBuilder(uint16_t flags = kRecordInUse) : bytes_(kMftRecordSize, 0) {
        std::memcpy(bytes_.data(), "FILE", 4);
        Put16(4, 48);   // update-sequence array
        Put16(6, 3);    // sequence number and one word per sector
        Put16(20, 56);  // first attribute
        Put16(22, flags);
        Put16(48, 0x0101);  // the sequence number
        end_ = 56;
    }

    // A resident attribute with the value given; returns its offset.
    size_t Resident(uint32_t type, const std::vector<uint8_t>& value, const std::u16string& name = u"") {
        size_t header = 24 + 2 * name.size();
        header = (header + 7) & ~size_t(7);
        size_t length = (header + value.size() + 7) & ~size_t(7);
        size_t at = Begin(type, length, 0, name, 24);
        Put32(at + 16, uint32_t(value.size()));
        Put16(at + 20, uint16_t(header));
        if (!value.empty()) std::memcpy(&bytes_[at + header], value.data(), value.size());
        return at;
    }

    // A non-resident attribute with a run list; returns its offset.
    size_t NonResident(uint32_t type, const std::vector<uint8_t>& runs, uint64_t size,
                       const std::u16string& name = u"") {
        size_t header = 64 + 2 * name.size();
        header = (header + 7) & ~size_t(7);
        size_t length = (header + runs.size() + 1 + 7) & ~size_t(7);
        size_t at = Begin(type, length, 1, name, 64);
        Put16(at + 32, uint16_t(header));
        Put64(at + 40, size);
        Put64(at + 48, size);
        Put64(at + 56, size);
        if (!runs.empty()) std::memcpy(&bytes_[at + header], runs.data(), runs.size());
        return at;
    }

    // A $FILE_NAME value.
    static std::vector<uint8_t> FileName(const std::u16string& name, uint32_t parent, int nameSpace,
                                         uint64_t creation = 0, uint64_t second = 0) {
        std::vector<uint8_t> value(66 + 2 * name.size(), 0);
        std::memcpy(&value[0], &parent, 4);
        std::memcpy(&value[8], &creation, 8);
        std::memcpy(&value[24], &second, 8);
        value[64] = uint8_t(name.size());
        value[65] = uint8_t(nameSpace);
        for (size_t i = 0; i < name.size(); ++i) {
            value[66 + 2 * i] = uint8_t(name[i]);
            value[67 + 2 * i] = uint8_t(name[i] >> 8);
        }
        return value;
    }

    // An $ATTRIBUTE_LIST value naming records, one 32-byte entry each.
    static std::vector<uint8_t> AttributeList(const std::vector<std::pair<uint32_t, uint32_t>>& entries) {
        std::vector<uint8_t> value;
        for (auto [type, record] : entries) {
            std::vector<uint8_t> entry(32, 0);
            std::memcpy(&entry[0], &type, 4);
            entry[4] = 32;
            std::memcpy(&entry[16], &record, 4);
            value.insert(value.end(), entry.begin(), entry.end());
        }
        return value;
    }

    // The record as it lies on disk: the end marker, then each sector's last
    // two bytes saved into the array and replaced by the sequence number.
    std::vector<uint8_t> OnDisk() const {
        std::vector<uint8_t> disk = Finished();
        for (int i = 0; i < 2; ++i) {
            size_t end = 510 + 512 * size_t(i);
            disk[50 + 2 * i] = disk[end];
            disk[51 + 2 * i] = disk[end + 1];
            disk[end] = 0x01;
            disk[end + 1] = 0x01;
        }
        return disk;
    }

    // The record as the parsers see it after the fixups.
    std::vector<uint8_t> Finished() const {
        std::vector<uint8_t> done = bytes_;
        if (end_ + 4 <= done.size()) std::memset(&done[end_], 0xFF, 4);
        return done;
    }

    std::vector<uint8_t>& bytes() { return bytes_; }
    size_t end() const { return end_; }
    void Put16(size_t at, uint16_t v) { std::memcpy(&bytes_[at], &v, 2); }
    void Put32(size_t at, uint32_t v) { std::memcpy(&bytes_[at], &v, 4); }
    void Put64(size_t at, uint64_t v) { std::memcpy(&bytes_[at], &v, 8); }

private:
    size_t Begin(uint32_t type, size_t length, uint8_t nonResident, const std::u16string& name,
                 size_t nameOffset) {
        size_t at = end_;
        Put32(at, type);
        Put32(at + 4, uint32_t(length));
        bytes_[at + 8] = nonResident;
        bytes_[at + 9] = uint8_t(name.size());
        Put16(at + 10, uint16_t(nameOffset));
        for (size_t i = 0; i < name.size(); ++i) Put16(at + nameOffset + 2 * i, uint16_t(name[i]));
        end_ += length;
        return at;
    }

    std::vector<uint8_t> bytes_;
    size_t end_;
};
