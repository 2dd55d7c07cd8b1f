// Tar archives held in memory (the whole content of a gzip stream), and
// reading a whole gzip stream with a bound on what it may expand to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <zlib.h>

constexpr size_t kTarBlock = 512;

// Octal digits after leading blanks, up to the first other character.
uint64_t ParseOctalField(const char* field, size_t length);

// A header whose checksum matches, counting its checksum field as spaces.
bool IsTarHeader(const uint8_t* header);

// Data whose first 512 bytes are a tar header.
bool IsTarArchive(const uint8_t* data, size_t size);

// Consecutive valid headers whose data lies inside the buffer.
int CountTarEntries(const uint8_t* data, size_t size);

enum class TarLookup {
    kFound,
    kNotAnEntry,       // the header reached is not a valid one
    kInvalidPosition,  // a header before it is invalid, or it runs past the data
};

struct TarEntry {
    const uint8_t* data = nullptr;
    uint64_t length = 0;
    bool isFile = false;
    const char* typeText = nullptr;  // null for type flags without a text
    std::string name;
    uint64_t modified = 0;  // seconds since 1970
};

TarLookup FindTarEntry(const uint8_t* data, size_t size, int n, TarEntry& entry);

// The most a gzip stream may expand to before reading it is given up.
constexpr size_t kGzipReadCap = size_t(256) << 20;

// The whole stream, read in chunks of `chunk` bytes; false on a read error,
// past `cap` bytes, when memory runs out, or when nothing was read.
bool GzipReadAll(gzFile file, size_t chunk, size_t cap, std::vector<uint8_t>& out);
