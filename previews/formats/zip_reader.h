// The zip directory and entry reader under the zip reader API: the end
// record, the central directory, local header checks, the "UT" times and
// the stored or deflated data of one entry. Archives come from recovered,
// often damaged files: every offset and size is checked against the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <zlib.h>

// Result codes of the zip reader API.
enum : uint32_t {
    kZipOk = 0,
    kZipCannotDuplicate = 0x100,
    kZipCannotOpen = 0x200,
    kZipCopyFailed = 0x400,
    kZipMoreData = 0x600,
    kZipLocalHeaderMismatch = 0x700,
    kZipExtraUnreadable = 0x800,
    kZipBadArgument = 0x10000,
    kZipWrongKind = 0x80000,
    kZipAlreadyOpen = 0x1000000,
    kZipNotDiskFile = 0x2000000,
    kZipInflateFailed = 0x5000000,
};

// Where the archive's bytes come from, relative to the archive's start.
class ZipInput {
public:
    virtual ~ZipInput() = default;
    virtual uint64_t Size() = 0;
    // All `size` bytes at `offset`, or false.
    virtual bool ReadAt(uint64_t offset, void* buffer, size_t size) = 0;
};

// A memory block the caller keeps alive.
class MemoryZipInput : public ZipInput {
public:
    MemoryZipInput(const void* data, size_t size)
        : data_(static_cast<const uint8_t*>(data)), size_(size) {}
    uint64_t Size() override { return size_; }
    bool ReadAt(uint64_t offset, void* buffer, size_t size) override;

private:
    const uint8_t* data_;
    size_t size_;
};

constexpr size_t kZipNameMax = 259;  // bytes of a name kept, without the terminator

struct ZipCentralRecord {
    std::string name;  // as stored, cut at kZipNameMax bytes
    uint16_t nameLength = 0;  // as stored
    uint16_t flags = 0;
    uint16_t method = 0;
    uint32_t dosDateTime = 0;  // date in the high 16 bits, time in the low
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
    uint32_t externalAttributes = 0;
    uint32_t localOffset = 0;
};

// What a lookup of one entry yields; times not in a "UT" record keep the
// DOS time, which the caller converts.
struct ZipEntryRecord {
    int index = 0;
    std::string name;
    uint32_t attributes = 0;
    uint32_t dosDateTime = 0;
    bool hasModified = false, hasAccessed = false, hasCreated = false;
    int64_t modified = 0, accessed = 0, created = 0;  // Unix seconds
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
};

// Windows file attributes from a central record's external attributes.
uint32_t ZipEntryAttributes(uint32_t external);

// The times of the first "UT" record of an extra field.
void ReadExtendedTimes(const uint8_t* extra, size_t size, ZipEntryRecord& record);

// Windows FILETIME units (100 ns since 1601) of a Unix time.
uint64_t UnixTimeToFileTimeUnits(int64_t seconds);

// False for a folder part that could reach outside the base folder: a
// leading separator, a drive letter, or a ".." component.
bool IsSafeArchiveFolder(const std::string& folder);

// The folder prefixes of a path split at "/" and "\", outermost first.
std::vector<std::string> ArchiveFolderChain(const std::string& path);

// The central directory, read whole and checked before use.
class ZipDirectory {
public:
    bool Read(ZipInput& input);
    int Count() const { return int(records_.size()); }
    const ZipCentralRecord& Record(int n) const { return records_[size_t(n)]; }

private:
    std::vector<ZipCentralRecord> records_;
};

// Decompressed data of one entry, stored or deflated.
class ZipEntryData {
public:
    ~ZipEntryData() { Close(); }
    // False for other methods, encrypted entries and data outside the input.
    bool Open(ZipInput& input, const ZipCentralRecord& record, uint64_t dataOffset);
    // Bytes produced (> 0), 0 at the end of good data, -1 on an error.
    long Read(uint8_t* buffer, size_t size);
    void Close();
    bool IsOpen() const { return open_; }

private:
    bool Fill();

    ZipInput* input_ = nullptr;
    bool open_ = false, inflating_ = false, failed_ = false;
    z_stream stream_{};
    uint64_t next_ = 0, left_ = 0;  // compressed bytes not yet taken from the input
    uint64_t produced_ = 0, expected_ = 0;
    uint32_t crc_ = 0, expectedCrc_ = 0;
    std::vector<uint8_t> chunk_;
};

// The reader behind a zip reader handle: the directory, the entry open for
// reading into memory, and the last entry looked up.
class ZipReaderCore {
public:
    // 0, or a result code when the input holds no consistent directory.
    uint32_t Open(std::unique_ptr<ZipInput> input);
    bool IsOpen() const { return input_ != nullptr; }
    int Count() const { return directory_.Count(); }
    bool HasOpenEntry() const { return openIndex_ != -1; }

    uint32_t GetEntry(int n, ZipEntryRecord& out);
    // Streaming extraction to memory: 0x600 while data came, 0 at the end.
    uint32_t ExtractToMemory(int n, uint8_t* target, size_t length);
    // Copies entry n in pieces of 16384 bytes: 0 or 0x400.
    uint32_t CopyEntry(int n, const std::function<bool(const uint8_t*, size_t)>& write);
    void CloseEntry();

private:
    uint32_t LocateData(int n, uint64_t* extraOffset, uint16_t* extraSize, uint64_t* dataOffset);

    std::unique_ptr<ZipInput> input_;
    ZipDirectory directory_;
    ZipEntryData data_;
    int openIndex_ = -1;
    int cachedIndex_ = -1;
    ZipEntryRecord cached_;
};
