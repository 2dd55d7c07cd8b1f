#include "snapshot/snapshot_format.h"

#include <cstring>

#include "byte_view.h"
#include "device/sector_access.h"
#include "volumes/boot_params.h"

namespace {

constexpr uint8_t kTag[7] = {0x76, 0x00, 0x66, 0x00, 0x6A, 0x00, 0x34};  // "vfj4.03"
constexpr uint8_t kVersion[3] = {0x31, 0x00, 0x2E};                      // "1.0"
// A length field holds the name's bytes plus these.
constexpr size_t kFatFolderFixed = 15, kFatFileFixed = 21;
constexpr size_t kNtfsFolderFixed = 27, kNtfsFileFixed = 37;
constexpr size_t kSignatureStringFixed = 15, kCarvedStringFixed = 21;
constexpr size_t kMaxLength = 0xFFFF;

class Writer {
public:
    void u8(uint8_t v) { bytes.push_back(v); }
    void u16(uint16_t v) {
        u8(uint8_t(v));
        u8(uint8_t(v >> 8));
    }
    void u32(uint32_t v) {
        u16(uint16_t(v));
        u16(uint16_t(v >> 16));
    }
    void u64(uint64_t v) {
        u32(uint32_t(v));
        u32(uint32_t(v >> 32));
    }
    void raw(const uint8_t* data, size_t size) { bytes.insert(bytes.end(), data, data + size); }

    // The length field (name bytes + fixed) and the name with its zero and
    // `extraZeros` more zero bytes. Names too long for the field are cut.
    void Name(const std::u16string& name, size_t fixed, size_t extraZeros) {
        NameBytes(name, LengthField(name.size(), fixed, extraZeros), extraZeros);
    }

    // The length field of a name of `characters`, cut to what the field can
    // count; returns the characters it counts.
    size_t LengthField(size_t characters, size_t fixed, size_t extraZeros) {
        size_t n = characters;
        size_t limit = (kMaxLength - fixed - extraZeros - 2) / 2;
        if (n > limit) n = limit;
        u16(uint16_t(2 * n + 2 + extraZeros + fixed));
        return n;
    }
    void NameBytes(const std::u16string& name, size_t n, size_t extraZeros) {
        for (size_t i = 0; i < n; ++i) u16(uint16_t(name[i]));
        u16(0);
        for (size_t i = 0; i < extraZeros; ++i) u8(0);
    }

    // An 8-bit text takes the bytes of a name as long: the text, its zero
    // and as many zero bytes again as it has.
    void Text(const std::string& text, size_t fixed) {
        size_t k = LengthField(text.size(), fixed, 0);
        raw(reinterpret_cast<const uint8_t*>(text.data()), k);
        for (size_t i = 0; i < k + 2; ++i) u8(0);
    }

    std::vector<uint8_t> bytes;
};

class Reader {
public:
    Reader(const uint8_t* data, size_t size) : view_(data, size) {}

    bool ok() const { return ok_; }
    size_t Remaining() const { return view_.size() - offset_; }

    uint8_t u8() { return Take(1) ? view_.u8(offset_ - 1) : 0; }
    uint16_t u16() { return Take(2) ? view_.u16(offset_ - 2) : 0; }
    uint32_t u32() { return Take(4) ? view_.u32(offset_ - 4) : 0; }
    uint64_t u64() { return Take(8) ? view_.u64(offset_ - 8) : 0; }

    // A length field and the name that follows: the name's size is the
    // length less `fixed`; the text runs up to its first zero, which must lie
    // within it.
    std::u16string Name(size_t fixed) { return NameOfLength(u16(), fixed); }
    std::u16string NameOfLength(size_t length, size_t fixed) {
        return TextOfLength<char16_t>(length, fixed);
    }

    // The same for an 8-bit text.
    std::string Text(size_t fixed) { return TextOfLength<char>(u16(), fixed); }

    // A count of records of at least `smallest` bytes each: one that the
    // rest of the file cannot hold is refused before anything is allocated.
    uint32_t Count(size_t smallest) {
        uint32_t count = u32();
        if (ok_ && uint64_t(count) * smallest > Remaining()) Fail();
        return ok_ ? count : 0;
    }

    bool Matches(const uint8_t* expected, size_t size) {
        size_t start = offset_;
        if (!Take(size)) return false;
        return std::memcmp(view_.data() + start, expected, size) == 0;
    }

    void Fail() { ok_ = false; }

private:
    bool Take(size_t size) {
        if (!ok_ || !view_.Has(offset_, size)) {
            ok_ = false;
            return false;
        }
        offset_ += size;
        return true;
    }
    template <typename Char>
    std::basic_string<Char> TextOfLength(size_t length, size_t fixed) {
        std::basic_string<Char> text;
        if (!ok_ || length < fixed + 2 || (length - fixed) % sizeof(Char)) {
            Fail();
            return text;
        }
        size_t size = length - fixed, start = offset_;
        if (!Take(size)) return text;
        for (size_t i = 0; i < size; i += sizeof(Char)) {
            Char c = Char(sizeof(Char) == 1 ? view_.u8(start + i) : view_.u16(start + i));
            if (!c) return text;
            text.push_back(c);
        }
        Fail();
        return text;
    }

    ByteView view_;
    size_t offset_ = 0;
    bool ok_ = true;
};

void WriteVolume(Writer& w, const PartitionParametersRecord& p) {
    w.u16(p.chosenType);
    w.u32(p.startSector);
    w.u32(p.sectorCount);
    w.u32(p.endSector);
    w.u16(p.logicalDriveIndex);
    w.u16(p.scannedType);
    for (uint32_t v : {p.sectorsPerFat, p.sectorsPerCluster, p.rootDirSectors, p.reservedSectors,
                       p.cluster0Sector, p.fat1Start, p.fat2Start, p.mftStart, p.mftMirrStart,
                       p.constantField, p.indexRecordSectors, p.volumeEndSector})
        w.u32(v);
    w.u16(p.foundVolumeIndex);
}

void ReadVolume(Reader& r, PartitionParametersRecord& p) {
    p.chosenType = r.u16();
    p.startSector = r.u32();
    p.sectorCount = r.u32();
    p.endSector = r.u32();
    p.logicalDriveIndex = r.u16();
    p.scannedType = r.u16();
    // One by one: the record is packed, so its fields cannot be pointed at.
    p.sectorsPerFat = r.u32();
    p.sectorsPerCluster = r.u32();
    p.rootDirSectors = r.u32();
    p.reservedSectors = r.u32();
    p.cluster0Sector = r.u32();
    p.fat1Start = r.u32();
    p.fat2Start = r.u32();
    p.mftStart = r.u32();
    p.mftMirrStart = r.u32();
    p.constantField = r.u32();
    p.indexRecordSectors = r.u32();
    p.volumeEndSector = r.u32();
    p.foundVolumeIndex = r.u16();
}

bool IsFat(uint16_t type) { return type == kFat16 || type == kFat32; }

void WriteFileSystemBody(Writer& w, const SnapshotContents& c) {
    if (IsFat(c.volume.scannedType)) {
        w.u32(uint32_t(c.fatFolders.size()));
        for (const SnapshotFatFolder& f : c.fatFolders) {
            w.Name(f.name, kFatFolderFixed, 0);
            w.u32(f.cluster);
            w.u32(f.parentCluster);
            w.u16(f.writeDate);
            w.u16(f.accessDate);
            w.u8(f.deleted);
            w.u16(f.spare);
        }
        w.u32(uint32_t(c.fatFiles.size()));
        for (const SnapshotFatFile& f : c.fatFiles) {
            w.Name(f.name, kFatFileFixed, 2);
            w.u32(f.firstCluster);
            w.u32(f.parentCluster);
            w.u16(f.writeDate);
            w.u16(f.accessDate);
            w.u32(f.size);
            w.u8(f.deleted);
            w.u32(f.fileNumber);
        }
    } else if (c.volume.scannedType == kNtfs) {
        w.u32(uint32_t(c.ntfsFolders.size()));
        for (const SnapshotNtfsFolder& f : c.ntfsFolders) {
            w.Name(f.name, kNtfsFolderFixed, 2);
            w.u32(f.recordNumber);
            w.u32(f.parentRecord);
            w.u64(f.creationTime);
            w.u64(f.secondTime);
            w.u8(f.deleted);
            w.u16(f.spare);
        }
        w.u32(uint32_t(c.ntfsFiles.size()));
        for (const SnapshotNtfsFile& f : c.ntfsFiles) {
            // The ID lies between the length field and the name.
            size_t n = w.LengthField(f.name.size(), kNtfsFileFixed, 2);
            w.u32(f.id);
            w.NameBytes(f.name, n, 2);
            w.u32(f.recordNumber);
            w.u32(f.parentRecord);
            w.u64(f.creationTime);
            w.u64(f.secondTime);
            w.u8(f.deleted);
            w.u64(f.size);
        }
    }
}

bool ReadFileSystemBody(Reader& r, SnapshotContents& c) {
    // The smallest record: a length field and an empty name's zero.
    if (IsFat(c.volume.scannedType)) {
        uint32_t folders = r.Count(2 + 2 + kFatFolderFixed);
        for (uint32_t i = 0; i < folders && r.ok(); ++i) {
            SnapshotFatFolder f;
            f.name = r.Name(kFatFolderFixed);
            f.cluster = r.u32();
            f.parentCluster = r.u32();
            f.writeDate = r.u16();
            f.accessDate = r.u16();
            f.deleted = r.u8();
            f.spare = r.u16();
            c.fatFolders.push_back(std::move(f));
        }
        uint32_t files = r.Count(2 + 2 + kFatFileFixed);
        for (uint32_t i = 0; i < files && r.ok(); ++i) {
            SnapshotFatFile f;
            f.name = r.Name(kFatFileFixed);
            f.firstCluster = r.u32();
            f.parentCluster = r.u32();
            f.writeDate = r.u16();
            f.accessDate = r.u16();
            f.size = r.u32();
            f.deleted = r.u8();
            f.fileNumber = r.u32();
            c.fatFiles.push_back(std::move(f));
        }
        return r.ok();
    }
    if (c.volume.scannedType != kNtfs) return false;
    uint32_t folders = r.Count(2 + 2 + kNtfsFolderFixed);
    for (uint32_t i = 0; i < folders && r.ok(); ++i) {
        SnapshotNtfsFolder f;
        f.name = r.Name(kNtfsFolderFixed);
        f.recordNumber = r.u32();
        f.parentRecord = r.u32();
        f.creationTime = r.u64();
        f.secondTime = r.u64();
        f.deleted = r.u8();
        f.spare = r.u16();
        c.ntfsFolders.push_back(std::move(f));
    }
    uint32_t files = r.Count(2 + 2 + kNtfsFileFixed);
    for (uint32_t i = 0; i < files && r.ok(); ++i) {
        SnapshotNtfsFile f;
        // The ID lies between the length field and the name.
        uint16_t length = r.u16();
        f.id = r.u32();
        f.name = r.NameOfLength(length, kNtfsFileFixed);
        f.recordNumber = r.u32();
        f.parentRecord = r.u32();
        f.creationTime = r.u64();
        f.secondTime = r.u64();
        f.deleted = r.u8();
        f.size = r.u64();
        c.ntfsFiles.push_back(std::move(f));
    }
    return r.ok();
}

void WriteRawBody(Writer& w, const SnapshotContents& c) {
    w.u32(uint32_t(c.signatures.size()));
    for (const SnapshotSignature& s : c.signatures) {
        w.Name(s.extension, kSignatureStringFixed, 0);
        w.Name(s.fileType, kSignatureStringFixed, 0);
        w.Text(s.signature, kSignatureStringFixed);
        w.u32(s.signatureLength);
        w.u32(s.number);
    }
    w.u32(uint32_t(c.carvedFiles.size()));
    for (const SnapshotCarvedFile& f : c.carvedFiles) {
        w.Name(f.extension, kCarvedStringFixed, 2);
        w.Name(f.name, kCarvedStringFixed, 2);
        w.Name(f.fileType, kCarvedStringFixed, 2);
        w.u32(f.runningNumber);
        w.u32(f.startSector);
    }
}

bool ReadRawBody(Reader& r, SnapshotContents& c) {
    uint32_t signatures = r.Count(3 * (2 + 2) + 8);
    for (uint32_t i = 0; i < signatures && r.ok(); ++i) {
        SnapshotSignature s;
        s.extension = r.Name(kSignatureStringFixed);
        s.fileType = r.Name(kSignatureStringFixed);
        s.signature = r.Text(kSignatureStringFixed);
        s.signatureLength = r.u32();
        s.number = r.u32();
        c.signatures.push_back(std::move(s));
    }
    uint32_t files = r.Count(3 * (2 + 2) + 8);
    for (uint32_t i = 0; i < files && r.ok(); ++i) {
        SnapshotCarvedFile f;
        f.extension = r.Name(kCarvedStringFixed);
        f.name = r.Name(kCarvedStringFixed);
        f.fileType = r.Name(kCarvedStringFixed);
        f.runningNumber = r.u32();
        f.startSector = r.u32();
        c.carvedFiles.push_back(std::move(f));
    }
    return r.ok();
}

}  // namespace

std::vector<uint8_t> EncodeSnapshot(const SnapshotContents& c) {
    Writer w;
    w.u16(uint16_t(uint8_t(c.mode)));
    w.raw(kTag, sizeof kTag);
    w.raw(kVersion, sizeof kVersion);
    WriteVolume(w, c.volume);
    if (c.mode == kRawSnapshot)
        WriteRawBody(w, c);
    else
        WriteFileSystemBody(w, c);
    w.u16(c.selectedDriveIndex);
    w.u16(c.driveKind);
    return std::move(w.bytes);
}

SnapshotStatus DecodeSnapshot(const uint8_t* data, size_t size, SnapshotContents& c) {
    c = SnapshotContents();
    Reader r(data, size);
    uint16_t mode = r.u16();
    if (!r.ok() || (mode != kStandardSnapshot && mode != kAdvanceSnapshot && mode != kRawSnapshot))
        return SnapshotStatus::NotSnapshot;
    c.mode = char(mode);
    if (!r.Matches(kTag, sizeof kTag)) return r.ok() ? SnapshotStatus::WrongTag : SnapshotStatus::Damaged;
    if (!r.Matches(kVersion, sizeof kVersion))
        return r.ok() ? SnapshotStatus::WrongVersion : SnapshotStatus::Damaged;
    ReadVolume(r, c.volume);
    if (!r.ok()) return SnapshotStatus::Damaged;
    bool body = c.mode == kRawSnapshot ? ReadRawBody(r, c) : ReadFileSystemBody(r, c);
    if (!body) return SnapshotStatus::Damaged;
    c.selectedDriveIndex = r.u16();
    c.driveKind = r.u16();
    // The trailer ends the file; a drive the program cannot have is damage.
    if (!r.ok() || r.Remaining() != 0 || c.selectedDriveIndex >= 10 || c.driveKind < kPhysicalDrive ||
        c.driveKind > kNothingSelected)
        return SnapshotStatus::Damaged;
    return SnapshotStatus::Ok;
}
