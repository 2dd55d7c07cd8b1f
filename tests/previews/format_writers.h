// Small writers of the formats the readers take, for fixtures that show one
// fault in a few bytes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <zlib.h>

using Bytes = std::vector<uint8_t>;

inline void PutLe(Bytes& out, uint64_t value, int width) {
    for (int i = 0; i < width; ++i) out.push_back(uint8_t(value >> (8 * i)));
}
inline void PutBe(Bytes& out, uint64_t value, int width) {
    for (int i = width - 1; i >= 0; --i) out.push_back(uint8_t(value >> (8 * i)));
}
inline void PutText(Bytes& out, const std::string& text) { out.insert(out.end(), text.begin(), text.end()); }

inline Bytes RawDeflate(const Bytes& data) {
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    Bytes out(deflateBound(&stream, uLong(data.size())) + 16);
    stream.next_in = const_cast<uint8_t*>(data.data());
    stream.avail_in = uInt(data.size());
    stream.next_out = out.data();
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// "UT" extra field records.
inline Bytes ExtendedTimes(uint8_t flags, std::vector<uint32_t> times, int declared = -1) {
    Bytes out = {'U', 'T'};
    PutLe(out, declared >= 0 ? unsigned(declared) : 1 + 4 * times.size(), 2);
    out.push_back(flags);
    for (uint32_t t : times) PutLe(out, t, 4);
    return out;
}

struct ZipFixtureEntry {
    ZipFixtureEntry(std::string entryName, Bytes entryData, bool deflated = false)
        : name(std::move(entryName)), data(std::move(entryData)), deflate(deflated) {}
    std::string name;
    Bytes data;
    bool deflate = false;
    uint32_t external = 0;
    Bytes localExtra;
    uint16_t flags = 0;
    uint16_t method = 0xFFFF;  // from `deflate` unless set
    uint32_t dosDateTime = 0x5A8C6000;  // 2025-04-12 12:00:00
};

// A zip archive, without comment.
inline Bytes MakeZip(const std::vector<ZipFixtureEntry>& entries) {
    Bytes out, directory;
    for (const ZipFixtureEntry& entry : entries) {
        Bytes stored = entry.deflate ? RawDeflate(entry.data) : entry.data;
        uint16_t method = entry.method != 0xFFFF ? entry.method : entry.deflate ? 8 : 0;
        uint32_t crc = uint32_t(crc32(0, entry.data.data(), uInt(entry.data.size())));
        uint32_t offset = uint32_t(out.size());
        PutLe(out, 0x04034b50, 4);
        PutLe(out, 20, 2);
        PutLe(out, entry.flags, 2);
        PutLe(out, method, 2);
        PutLe(out, entry.dosDateTime, 4);
        PutLe(out, crc, 4);
        PutLe(out, stored.size(), 4);
        PutLe(out, entry.data.size(), 4);
        PutLe(out, entry.name.size(), 2);
        PutLe(out, entry.localExtra.size(), 2);
        PutText(out, entry.name);
        out.insert(out.end(), entry.localExtra.begin(), entry.localExtra.end());
        out.insert(out.end(), stored.begin(), stored.end());

        PutLe(directory, 0x02014b50, 4);
        PutLe(directory, 20, 2);
        PutLe(directory, 20, 2);
        PutLe(directory, entry.flags, 2);
        PutLe(directory, method, 2);
        PutLe(directory, entry.dosDateTime, 4);
        PutLe(directory, crc, 4);
        PutLe(directory, stored.size(), 4);
        PutLe(directory, entry.data.size(), 4);
        PutLe(directory, entry.name.size(), 2);
        PutLe(directory, 0, 2);
        PutLe(directory, 0, 2);
        PutLe(directory, 0, 2);
        PutLe(directory, 0, 2);
        PutLe(directory, entry.external, 4);
        PutLe(directory, offset, 4);
        PutText(directory, entry.name);
    }
    uint32_t directoryOffset = uint32_t(out.size());
    out.insert(out.end(), directory.begin(), directory.end());
    PutLe(out, 0x06054b50, 4);
    PutLe(out, 0, 4);
    PutLe(out, entries.size(), 2);
    PutLe(out, entries.size(), 2);
    PutLe(out, directory.size(), 4);
    PutLe(out, directoryOffset, 4);
    PutLe(out, 0, 2);
    return out;
}

// Offset of the end record (the last 22 bytes of an archive without comment).
inline size_t EndRecord(const Bytes& zip) { return zip.size() - 22; }

// A tar header with a correct checksum, and its data padded to 512 bytes.
inline Bytes TarMember(const std::string& name, const Bytes& data, char type = '0',
                       uint64_t declaredSize = UINT64_MAX, uint64_t time = 01234567) {
    Bytes header(512, 0);
    memcpy(header.data(), name.data(), std::min<size_t>(name.size(), 100));
    snprintf(reinterpret_cast<char*>(&header[100]), 8, "%07o", 0644);
    snprintf(reinterpret_cast<char*>(&header[124]), 12, "%011llo",
             (unsigned long long)(declaredSize == UINT64_MAX ? data.size() : declaredSize));
    snprintf(reinterpret_cast<char*>(&header[136]), 12, "%011llo", (unsigned long long)time);
    header[156] = uint8_t(type);
    memcpy(&header[257], "ustar", 6);
    memset(&header[148], ' ', 8);
    unsigned sum = 0;
    for (uint8_t b : header) sum += b;
    snprintf(reinterpret_cast<char*>(&header[148]), 8, "%06o", sum);
    header[155] = ' ';
    Bytes out((512 + data.size() + 511) / 512 * 512, 0);
    std::copy(header.begin(), header.end(), out.begin());
    std::copy(data.begin(), data.end(), out.begin() + 512);
    return out;
}

struct PsdFixture {
    int channels = 3, width = 2, height = 1, depth = 8, mode = 3;
    Bytes colourData;
    Bytes resources;  // whole blocks
    int compression = 0;
    Bytes imageData;  // after the compression code
};

inline Bytes ResourceBlock(uint16_t id, const Bytes& data) {
    Bytes out;
    PutText(out, "8BIM");
    PutBe(out, id, 2);
    PutBe(out, 0, 2);  // empty name, padded to two bytes
    PutBe(out, data.size(), 4);
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2) out.push_back(0);
    return out;
}

inline Bytes MakePsd(const PsdFixture& psd) {
    Bytes out;
    PutText(out, "8BPS");
    PutBe(out, 1, 2);
    PutBe(out, 0, 6);
    PutBe(out, psd.channels, 2);
    PutBe(out, psd.height, 4);
    PutBe(out, psd.width, 4);
    PutBe(out, psd.depth, 2);
    PutBe(out, psd.mode, 2);
    PutBe(out, psd.colourData.size(), 4);
    out.insert(out.end(), psd.colourData.begin(), psd.colourData.end());
    PutBe(out, psd.resources.size(), 4);
    out.insert(out.end(), psd.resources.begin(), psd.resources.end());
    PutBe(out, 0, 4);  // no layers
    PutBe(out, psd.compression, 2);
    out.insert(out.end(), psd.imageData.begin(), psd.imageData.end());
    return out;
}

struct DbfFixtureField {
    std::string name;
    char type;
    uint8_t length;
};

// A table: header, descriptors, terminator, records (each starting with its
// deletion flag), and an end-of-file byte.
inline Bytes MakeDbf(const std::vector<DbfFixtureField>& fields, const std::vector<std::string>& records,
                     bool endOfFile = true) {
    Bytes out(32, 0);
    out[0] = 3;
    for (const DbfFixtureField& field : fields) {
        Bytes descriptor(32, 0);
        memcpy(descriptor.data(), field.name.data(), std::min<size_t>(field.name.size(), 11));
        descriptor[11] = uint8_t(field.type);
        descriptor[16] = field.length;
        out.insert(out.end(), descriptor.begin(), descriptor.end());
    }
    out.push_back(0x0D);
    for (const std::string& record : records) PutText(out, record);
    if (endOfFile) out.push_back(0x1A);
    return out;
}
