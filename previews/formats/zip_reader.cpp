#include "zip_reader.h"

#include <algorithm>
#include <cstring>

#include "byte_view.h"

namespace {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr size_t kEndSize = 22;
constexpr size_t kCentralSize = 46;
constexpr size_t kLocalSize = 30;
constexpr uint64_t kEndSearch = kEndSize + 0xFFFF;  // the record and the longest comment
constexpr uint16_t kExtendedTimeTag = 0x5455;       // "UT"
constexpr size_t kCopyPiece = 16384;

constexpr uint32_t kAttributeReadOnly = 0x01, kAttributeHidden = 0x02, kAttributeSystem = 0x04,
                   kAttributeDirectory = 0x10, kAttributeArchive = 0x20, kAttributeNormal = 0x80;

}  // namespace

bool MemoryZipInput::ReadAt(uint64_t offset, void* buffer, size_t size) {
    if (offset > size_ || size > size_ - offset) return false;
    if (size) memcpy(buffer, data_ + offset, size);
    return true;
}

uint32_t ZipEntryAttributes(uint32_t external) {
    uint32_t attributes = kAttributeNormal;
    if (external & 0x40000000 || external & 0x10) attributes = kAttributeNormal | kAttributeDirectory;
    if (external & 0x20) attributes |= kAttributeArchive;
    if (external & 0x02) attributes |= kAttributeHidden;
    if (!(external & 0x00800000) || external & 0x01) attributes |= kAttributeReadOnly;
    if (external & 0x04) attributes |= kAttributeSystem;
    return attributes;
}

void ReadExtendedTimes(const uint8_t* extra, size_t size, ZipEntryRecord& record) {
    ByteView field(extra, size);
    if (size <= 4) return;
    for (size_t at = 0; size - at > 4;) {
        uint16_t tag = field.u16(at);
        size_t length = field.u16(at + 2);
        size_t end = at + 4 + length;
        // A record that claims more than the field holds ends the walk.
        if (end > size) return;
        if (tag == kExtendedTimeTag) {
            if (length < 1) return;
            uint8_t flags = field.u8(at + 4);
            size_t next = at + 5;
            bool* present[] = {&record.hasModified, &record.hasAccessed, &record.hasCreated};
            int64_t* value[] = {&record.modified, &record.accessed, &record.created};
            for (int bit = 0; bit < 3; ++bit) {
                if (!(flags & 1 << bit)) continue;
                if (next + 4 > end) return;
                *value[bit] = int32_t(field.u32(next));
                *present[bit] = true;
                next += 4;
            }
            return;
        }
        at = end;
    }
}

uint64_t UnixTimeToFileTimeUnits(int64_t seconds) {
    return uint64_t(seconds + 11644473600LL) * 10000000ULL;
}

bool IsSafeArchiveFolder(const std::string& folder) {
    if (folder.empty()) return true;
    if (folder[0] == '/' || folder[0] == '\\') return false;
    if (folder.size() > 1 && folder[1] == ':') return false;
    size_t start = 0;
    while (start <= folder.size()) {
        size_t end = folder.find_first_of("/\\", start);
        if (end == std::string::npos) end = folder.size();
        if (folder.compare(start, end - start, "..") == 0 && end - start == 2) return false;
        start = end + 1;
    }
    return true;
}

std::vector<std::string> ArchiveFolderChain(const std::string& path) {
    std::vector<std::string> chain;
    for (size_t at = 0; at < path.size(); ++at) {
        if ((path[at] == '/' || path[at] == '\\') && at > 0) chain.push_back(path.substr(0, at));
    }
    if (!path.empty() && path.back() != '/' && path.back() != '\\') chain.push_back(path);
    return chain;
}

bool ZipDirectory::Read(ZipInput& input) {
    records_.clear();
    uint64_t size = input.Size();
    if (size < kEndSize) return false;
    uint64_t tailSize = std::min(size, kEndSearch);
    std::vector<uint8_t> tail(static_cast<size_t>(tailSize));
    if (!input.ReadAt(size - tailSize, tail.data(), tail.size())) return false;
    ByteView tailView(tail.data(), tail.size());
    size_t end = tail.size() - kEndSize + 1;
    bool found = false;
    while (end-- > 0) {
        if (tailView.u32(end) == kEndSignature) {
            found = true;
            break;
        }
    }
    if (!found) return false;
    uint64_t endOffset = size - tailSize + end;
    ByteView record = tailView.Sub(end, kEndSize);
    uint16_t disk = record.u16(4), directoryDisk = record.u16(6);
    uint16_t entriesHere = record.u16(8), entries = record.u16(10);
    uint32_t directorySize = record.u32(12), directoryOffset = record.u32(16);
    if (disk != 0 || directoryDisk != 0 || entriesHere != entries) return false;
    if (uint64_t(directoryOffset) + directorySize > endOffset) return false;
    if (uint64_t(entries) * kCentralSize > directorySize) return false;

    std::vector<uint8_t> directory(directorySize);
    if (!input.ReadAt(directoryOffset, directory.data(), directory.size())) return false;
    ByteView view(directory.data(), directory.size());
    size_t at = 0;
    records_.reserve(entries);
    for (unsigned i = 0; i < entries; ++i) {
        if (!view.Has(at, kCentralSize) || view.u32(at) != kCentralSignature) return false;
        size_t nameLength = view.u16(at + 28);
        size_t length = kCentralSize + nameLength + view.u16(at + 30) + view.u16(at + 32);
        if (!view.Has(at, length)) return false;
        ZipCentralRecord entry;
        entry.nameLength = uint16_t(nameLength);
        entry.flags = view.u16(at + 8);
        entry.method = view.u16(at + 10);
        entry.dosDateTime = uint32_t(view.u16(at + 14)) << 16 | view.u16(at + 12);
        entry.crc = view.u32(at + 16);
        entry.compressedSize = view.u32(at + 20);
        entry.uncompressedSize = view.u32(at + 24);
        entry.externalAttributes = view.u32(at + 38);
        entry.localOffset = view.u32(at + 42);
        entry.name.assign(reinterpret_cast<const char*>(directory.data() + at + kCentralSize),
                          std::min(nameLength, kZipNameMax));
        records_.push_back(std::move(entry));
        at += length;
    }
    return true;
}

bool ZipEntryData::Open(ZipInput& input, const ZipCentralRecord& record, uint64_t dataOffset) {
    Close();
    if (record.flags & 1) return false;  // encrypted
    if (record.method != 0 && record.method != Z_DEFLATED) return false;
    uint64_t size = input.Size();
    if (dataOffset > size || record.compressedSize > size - dataOffset) return false;
    input_ = &input;
    next_ = dataOffset;
    left_ = record.compressedSize;
    produced_ = 0;
    expected_ = record.uncompressedSize;
    expectedCrc_ = record.crc;
    crc_ = uint32_t(crc32(0, nullptr, 0));
    failed_ = false;
    inflating_ = record.method == Z_DEFLATED;
    if (!inflating_) expected_ = std::min<uint64_t>(expected_, left_);
    stream_ = z_stream{};
    if (inflating_ && inflateInit2(&stream_, -MAX_WBITS) != Z_OK) return false;
    open_ = true;
    return true;
}

bool ZipEntryData::Fill() {
    if (stream_.avail_in > 0 || left_ == 0) return true;
    size_t piece = size_t(std::min<uint64_t>(left_, kCopyPiece));
    chunk_.resize(piece);
    if (!input_->ReadAt(next_, chunk_.data(), piece)) return false;
    next_ += piece;
    left_ -= piece;
    stream_.next_in = chunk_.data();
    stream_.avail_in = uInt(piece);
    return true;
}

long ZipEntryData::Read(uint8_t* buffer, size_t size) {
    if (!open_ || failed_) return -1;
    size = size_t(std::min<uint64_t>({size, expected_ - produced_, 0x40000000}));
    if (size == 0) {
        // The end: the data must be whole and match its checksum.
        if (produced_ != expected_ || crc_ != expectedCrc_) return -1;
        return 0;
    }
    size_t done = 0;
    if (!inflating_) {
        if (!input_->ReadAt(next_, buffer, size)) return failed_ = true, -1;
        next_ += size;
        left_ -= size;
        done = size;
    } else {
        stream_.next_out = buffer;
        stream_.avail_out = uInt(size);
        while (stream_.avail_out > 0) {
            if (!Fill()) return failed_ = true, -1;
            if (stream_.avail_in == 0) break;  // all compressed bytes taken
            int status = inflate(&stream_, Z_NO_FLUSH);
            if (status == Z_STREAM_END) break;
            if (status != Z_OK) return failed_ = true, -1;
        }
        done = size - stream_.avail_out;
        if (done == 0) return failed_ = true, -1;  // the stream ended short of its size
    }
    crc_ = uint32_t(crc32(crc_, buffer, uInt(done)));
    produced_ += done;
    return long(done);
}

void ZipEntryData::Close() {
    if (open_ && inflating_) inflateEnd(&stream_);
    open_ = false;
    inflating_ = false;
}

uint32_t ZipReaderCore::Open(std::unique_ptr<ZipInput> input) {
    if (input_ || openIndex_ != -1) return kZipAlreadyOpen;
    if (!directory_.Read(*input)) return kZipBadArgument;
    input_ = std::move(input);
    return kZipOk;
}

void ZipReaderCore::CloseEntry() {
    data_.Close();
    openIndex_ = -1;
}

uint32_t ZipReaderCore::LocateData(int n, uint64_t* extraOffset, uint16_t* extraSize,
                                   uint64_t* dataOffset) {
    const ZipCentralRecord& record = directory_.Record(n);
    uint8_t header[kLocalSize];
    if (!input_->ReadAt(record.localOffset, header, sizeof header)) return kZipLocalHeaderMismatch;
    ByteView local(header, sizeof header);
    if (local.u32(0) != kLocalSignature || local.u16(8) != record.method) return kZipLocalHeaderMismatch;
    bool sizesFollow = record.flags & 8;
    if (!sizesFollow && (local.u32(14) != record.crc || local.u32(18) != record.compressedSize ||
                         local.u32(22) != record.uncompressedSize))
        return kZipLocalHeaderMismatch;
    uint16_t nameLength = local.u16(26);
    if (nameLength != record.nameLength) return kZipLocalHeaderMismatch;
    *extraOffset = uint64_t(record.localOffset) + kLocalSize + nameLength;
    *extraSize = local.u16(28);
    *dataOffset = *extraOffset + *extraSize;
    return kZipOk;
}

uint32_t ZipReaderCore::GetEntry(int n, ZipEntryRecord& out) {
    if (!input_ || n < -1 || n >= Count()) return kZipBadArgument;
    CloseEntry();
    if (n != -1 && n == cachedIndex_) {
        out = cached_;
        return kZipOk;
    }
    if (n == -1) {
        out = ZipEntryRecord();
        out.index = Count();
        return kZipOk;
    }
    const ZipCentralRecord& central = directory_.Record(n);
    uint64_t extraOffset = 0, dataOffset = 0;
    uint16_t extraSize = 0;
    uint32_t result = LocateData(n, &extraOffset, &extraSize, &dataOffset);
    if (result) return result;
    std::vector<uint8_t> extra(extraSize);
    if (!input_->ReadAt(extraOffset, extra.data(), extra.size())) return kZipExtraUnreadable;

    ZipEntryRecord record;
    record.index = n;
    record.name = central.name;
    record.attributes = ZipEntryAttributes(central.externalAttributes);
    record.dosDateTime = central.dosDateTime;
    record.compressedSize = central.compressedSize;
    record.uncompressedSize = central.uncompressedSize;
    ReadExtendedTimes(extra.data(), extra.size(), record);
    cached_ = record;
    cachedIndex_ = n;
    out = record;
    return kZipOk;
}

uint32_t ZipReaderCore::ExtractToMemory(int n, uint8_t* target, size_t length) {
    if (!input_) return kZipBadArgument;
    if (n != openIndex_) {
        CloseEntry();
        if (n < 0 || n >= Count()) return kZipBadArgument;
        uint64_t extraOffset = 0, dataOffset = 0;
        uint16_t extraSize = 0;
        if (LocateData(n, &extraOffset, &extraSize, &dataOffset) != kZipOk ||
            !data_.Open(*input_, directory_.Record(n), dataOffset))
            return kZipInflateFailed;
        openIndex_ = n;
    }
    long count = data_.Read(target, length);
    if (count > 0) return kZipMoreData;
    CloseEntry();
    return count == 0 ? kZipOk : kZipInflateFailed;
}

uint32_t ZipReaderCore::CopyEntry(int n, const std::function<bool(const uint8_t*, size_t)>& write) {
    CloseEntry();
    if (!input_ || n < 0 || n >= Count()) return kZipBadArgument;
    uint64_t extraOffset = 0, dataOffset = 0;
    uint16_t extraSize = 0;
    if (LocateData(n, &extraOffset, &extraSize, &dataOffset) != kZipOk ||
        !data_.Open(*input_, directory_.Record(n), dataOffset))
        return kZipCopyFailed;
    std::vector<uint8_t> piece(kCopyPiece);
    uint32_t result = kZipOk;
    for (;;) {
        long count = data_.Read(piece.data(), piece.size());
        if (count == 0) break;
        if (count < 0 || !write(piece.data(), size_t(count))) {
            result = kZipCopyFailed;
            break;
        }
    }
    data_.Close();
    return result;
}
