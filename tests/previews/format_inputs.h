// One input of each format fuzz target, shared with the native test that
// replays the inputs that once failed. Caps keep one input small and quick.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "dbf_table.h"
#include "dxf_header.h"
#include "psd_decoder.h"
#include "tar_archive.h"
#include "text_reader.h"
#include "zip_reader.h"

constexpr size_t kFuzzEntryOutput = 4 << 20;  // bytes taken from one zip entry

// Open, count, look up every entry, extract each whole, in pieces and by copy.
inline void RunZipInput(const uint8_t* data, size_t size) {
    ZipReaderCore reader;
    if (reader.Open(std::make_unique<MemoryZipInput>(data, size)) != kZipOk) return;
    ZipEntryRecord record;
    reader.GetEntry(-1, record);
    std::vector<uint8_t> whole, piece(1000);
    for (int n = 0; n < reader.Count() && n < 64; ++n) {
        if (reader.GetEntry(n, record) != kZipOk) continue;
        whole.resize(std::min<size_t>(record.uncompressedSize, kFuzzEntryOutput) + 10);
        reader.ExtractToMemory(n, whole.data(), whole.size() - 10);
        size_t taken = 0;
        while (reader.ExtractToMemory(n, piece.data(), piece.size()) == kZipMoreData &&
               (taken += piece.size()) < kFuzzEntryOutput) {
        }
        size_t copied = 0;
        reader.CopyEntry(n, [&](const uint8_t*, size_t count) { return (copied += count) < kFuzzEntryOutput; });
    }
    reader.GetEntry(0, record);  // back to the first
}

// The bytes as a tar archive, and as a gzip stream read whole.
inline void RunArchiveInput(const uint8_t* data, size_t size) {
    if (IsTarArchive(data, size)) {
        int count = CountTarEntries(data, size);
        TarEntry entry;
        for (int n = 0; n <= count + 1 && n < 256; ++n) FindTarEntry(data, size, n, entry);
    }
    int fd = memfd_create("gzip", 0);
    if (fd < 0) return;
    if (write(fd, data, size) == ssize_t(size) && lseek(fd, 0, SEEK_SET) == 0) {
        gzFile file = gzdopen(fd, "rb");
        if (file) {
            std::vector<uint8_t> content;
            if (GzipReadAll(file, std::max<size_t>(size, 1), 16 << 20, content) && IsTarArchive(content.data(), content.size()))
                CountTarEntries(content.data(), content.size());
            gzclose(file);
            return;
        }
    }
    close(fd);
}

inline void RunPsdInput(const uint8_t* data, size_t size) { DecodePsd(data, size, 8 << 20); }

inline void RunDbfInput(const uint8_t* data, size_t size) {
    ParseDbfTable(data, size, 100000);
    LooksLikeDxf(data, size);
}

// The first byte picks the byte-order mark put in front of the rest; the
// text read whole must be the lines read one by one, joined.
inline void RunTextInput(const uint8_t* data, size_t size) {
    static const std::string kMarks[] = {"", "\xFF\xFE", "\xFE\xFF", "\xEF\xBB\xBF"};
    std::string bytes;
    if (size != 0) {
        bytes = kMarks[data[0] % 4];
        bytes.append(reinterpret_cast<const char*>(data) + 1, size - 1);
    }
    const auto* start = reinterpret_cast<const uint8_t*>(bytes.data());
    MemoryTextSource whole(start, bytes.size()), lines(start, bytes.size());
    TextReaderCore allReader(&whole, DecodeLatin1), lineReader(&lines, DecodeLatin1);
    std::u16string text, joined, line;
    allReader.ReadAll(text, u"\r\n");
    for (bool first = true; lineReader.ReadLine(line); first = false) joined += (first ? u"" : u"\r\n") + line;
    if (text != joined) __builtin_trap();
}
