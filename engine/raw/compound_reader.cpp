#include "raw/compound_reader.h"

#include <vector>

#include "byte_view.h"

namespace {

constexpr uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kHeaderDifatEntries = 109;
constexpr size_t kDirectoryEntrySize = 128;
constexpr uint8_t kStreamEntry = 2;
constexpr uint32_t kNoEntry = 0xFFFFFFFF;
constexpr uint32_t kAppNameProperty = 18;
constexpr uint32_t kStringType = 30;  // VT_LPSTR
constexpr size_t kMaxStream = 1u << 20;
// {F29F85E0-4FF9-1068-AB91-08002B27B3D9} as stored.
constexpr uint8_t kSummaryFormat[16] = {0xE0, 0x85, 0x9F, 0xF2, 0xF9, 0x4F, 0x68, 0x10,
                                        0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9};
const char16_t kSummaryName[] = u"\x0005SummaryInformation";

class CompoundFile {
public:
    explicit CompoundFile(ByteView file) : file_(file) {}

    bool Open() {
        if (!file_.Has(0, 512)) return false;
        for (size_t i = 0; i < sizeof kSignature; ++i)
            if (file_.u8(i) != kSignature[i]) return false;
        uint16_t shift = file_.u16(0x1E), miniShift = file_.u16(0x20);
        if ((shift != 9 && shift != 12) || miniShift != 6) return false;
        sectorSize_ = size_t(1) << shift;
        miniCutoff_ = file_.u32(0x38);
        sectorCount_ = file_.size() / sectorSize_;  // an upper bound for every chain
        return ReadFat() && ReadChain(file_.u32(0x30), directory_) &&
               ReadChain(file_.u32(0x3C), miniFat_);
    }

    // The bytes of the root-level stream with that name.
    bool ReadStream(const char16_t* name, std::vector<uint8_t>& stream) {
        ByteView dir(directory_.data(), directory_.size());
        uint32_t found = FindChild(dir, name);
        if (found == kNoEntry) return false;
        ByteView entry = dir.Sub(size_t(found) * kDirectoryEntrySize, kDirectoryEntrySize);
        if (entry.u8(0x42) != kStreamEntry) return false;
        uint64_t size = entry.u32(0x78);
        if (size > kMaxStream) return false;
        uint32_t start = entry.u32(0x74);
        if (size < miniCutoff_) {
            std::vector<uint8_t> miniStream;
            ByteView root = dir.Sub(0, kDirectoryEntrySize);
            if (!ReadChain(root.u32(0x74), miniStream)) return false;
            if (!ReadMiniChain(miniStream, start, stream)) return false;
        } else if (!ReadChain(start, stream)) {
            return false;
        }
        if (stream.size() < size) return false;
        stream.resize(size_t(size));
        return true;
    }

private:
    std::vector<uint32_t> Entries(ByteView sector) const {
        std::vector<uint32_t> values(sector.size() / 4);
        for (size_t i = 0; i < values.size(); ++i) values[i] = sector.u32(i * 4);
        return values;
    }

    ByteView Sector(uint32_t number) const {
        uint64_t offset = (uint64_t(number) + 1) * sectorSize_;
        if (offset > file_.size() || !file_.Has(size_t(offset), sectorSize_)) return ByteView();
        return file_.Sub(size_t(offset), sectorSize_);
    }

    bool ReadFat() {
        std::vector<uint32_t> fatSectors;
        uint32_t fatCount = file_.u32(0x2C);
        if (fatCount > sectorCount_) return false;
        for (uint32_t i = 0; i < kHeaderDifatEntries && fatSectors.size() < fatCount; ++i)
            fatSectors.push_back(file_.u32(0x4C + i * 4));
        uint32_t difat = file_.u32(0x44);
        for (size_t steps = 0; fatSectors.size() < fatCount; ++steps) {
            ByteView sector = Sector(difat);
            if (sector.size() == 0 || steps > sectorCount_) return false;
            std::vector<uint32_t> values = Entries(sector);
            for (size_t i = 0; i + 1 < values.size() && fatSectors.size() < fatCount; ++i)
                fatSectors.push_back(values[i]);
            difat = values.back();
        }
        for (uint32_t number : fatSectors) {
            ByteView sector = Sector(number);
            if (sector.size() == 0) return false;
            std::vector<uint32_t> values = Entries(sector);
            fat_.insert(fat_.end(), values.begin(), values.end());
        }
        return true;
    }

    // Follows a chain through the FAT; a chain longer than the file has
    // sectors goes round and is refused.
    bool ReadChain(uint32_t start, std::vector<uint8_t>& out) {
        out.clear();
        for (uint32_t sector = start, steps = 0; sector != kEndOfChain; ++steps) {
            if (sector >= fat_.size() || steps > sectorCount_ || out.size() > kMaxStream * 4)
                return false;
            ByteView bytes = Sector(sector);
            if (bytes.size() == 0) return false;
            out.insert(out.end(), bytes.data(), bytes.data() + bytes.size());
            sector = fat_[sector];
        }
        return true;
    }

    bool ReadMiniChain(const std::vector<uint8_t>& miniStream, uint32_t start,
                       std::vector<uint8_t>& out) {
        constexpr size_t kMiniSector = 64;
        ByteView table(miniFat_.data(), miniFat_.size());
        ByteView data(miniStream.data(), miniStream.size());
        size_t entries = miniFat_.size() / 4;
        out.clear();
        for (uint32_t sector = start, steps = 0; sector != kEndOfChain; ++steps) {
            if (sector >= entries || steps > entries) return false;
            if (!data.Has(size_t(sector) * kMiniSector, kMiniSector)) return false;
            const uint8_t* at = data.data() + size_t(sector) * kMiniSector;
            out.insert(out.end(), at, at + kMiniSector);
            sector = table.u32(size_t(sector) * 4);
        }
        return true;
    }

    bool NameIs(ByteView entry, const char16_t* name) const {
        size_t length = entry.u16(0x40);
        size_t i = 0;
        for (; name[i]; ++i)
            if (i * 2 + 2 > length || entry.u16(i * 2) != name[i]) return false;
        return length == i * 2 + 2;
    }

    // Searches the root's children (a tree by left, right and child links).
    uint32_t FindChild(ByteView dir, const char16_t* name) const {
        size_t count = dir.size() / kDirectoryEntrySize;
        if (count == 0) return kNoEntry;
        std::vector<uint32_t> pending{dir.u32(0x4C)};
        std::vector<bool> seen(count, false);
        while (!pending.empty()) {
            uint32_t id = pending.back();
            pending.pop_back();
            if (id >= count || seen[id]) continue;
            seen[id] = true;
            ByteView entry = dir.Sub(size_t(id) * kDirectoryEntrySize, kDirectoryEntrySize);
            if (NameIs(entry, name)) return id;
            pending.push_back(entry.u32(0x44));
            pending.push_back(entry.u32(0x48));
        }
        return kNoEntry;
    }

    ByteView file_;
    size_t sectorSize_ = 512;
    uint32_t miniCutoff_ = 4096;
    size_t sectorCount_ = 0;
    std::vector<uint32_t> fat_;
    std::vector<uint8_t> directory_;
    std::vector<uint8_t> miniFat_;
};

bool ReadAppName(ByteView set, std::string& appName) {
    if (set.u16(0) != 0xFFFE || set.u32(24) < 1 || !set.Has(28, 20)) return false;
    for (size_t i = 0; i < sizeof kSummaryFormat; ++i)
        if (set.u8(28 + i) != kSummaryFormat[i]) return false;
    size_t section = set.u32(44);
    if (!set.Has(section, 8)) return false;
    ByteView body = set.Sub(section, set.u32(section));
    uint32_t count = body.u32(4);
    for (uint32_t i = 0; i < count && body.Has(8 + size_t(i) * 8, 8); ++i) {
        if (body.u32(8 + size_t(i) * 8) != kAppNameProperty) continue;
        size_t at = body.u32(12 + size_t(i) * 8);
        if (!body.Has(at, 8) || (body.u32(at) & 0xFFFF) != kStringType) return false;
        size_t length = body.u32(at + 4);
        if (!body.Has(at + 8, length)) return false;
        const char* text = reinterpret_cast<const char*>(body.data() + at + 8);
        size_t end = 0;
        while (end < length && text[end]) ++end;
        appName.assign(text, end);
        return true;
    }
    return false;
}

}  // namespace

bool ReadCompoundAppName(const uint8_t* data, size_t size, std::string& appName) {
    appName.clear();
    CompoundFile file(ByteView(data, size));
    std::vector<uint8_t> stream;
    if (!file.Open() || !file.ReadStream(kSummaryName, stream)) return false;
    return ReadAppName(ByteView(stream.data(), stream.size()), appName);
}
