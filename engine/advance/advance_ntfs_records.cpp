// What the NTFS sweep keeps of one FILE record or INDX buffer, and the
// folder numbers read back from the kept index buffers.
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "advance/advance_lists.h"
#include "advance/advance_ntfs.h"
#include "byte_view.h"
#include "engine_ui.h"
#include "ntfs/ntfs_record.h"
#include "device/sector_access.h"
#include "text.h"

namespace {

constexpr uint32_t kAttrIndexRoot = 0x90;
constexpr size_t kIndexHeaderSize = 24;      // "INDX" header up to the node header
constexpr size_t kMaxIndexBufferSize = 65536;
constexpr uint32_t kDirectoryFlag = 0x10000000;  // $FILE_NAME flags of a folder
constexpr uint32_t kDotRecord = 5;
constexpr uint32_t kExtendRecord = 11;

// Index entry fields (from the entry's start).
constexpr size_t kEntryLength = 8;
constexpr size_t kEntryParent = 16;
constexpr size_t kEntryCreationTime = 24;
constexpr size_t kEntryFlags = 72;
constexpr size_t kEntryNameLength = 80;
constexpr size_t kEntryName = 82;

// An attribute's name is "$I30": four characters whose low bytes spell it.
bool NamedI30(const Attribute& a) {
    if (a.bytes.u8(9) != 4) return false;
    const size_t nameOffset = a.nonResident() ? 64 : 24;
    static const char kI30[] = "$I30";
    for (size_t i = 0; i < 4; ++i)
        if (!a.bytes.Has(nameOffset + 2 * i, 2) || a.bytes.u8(nameOffset + 2 * i) != uint8_t(kI30[i]))
            return false;
    return true;
}

// The first $I30 attribute of a type, resident or not.
bool FindI30(ByteView record, uint32_t type, Attribute& found) {
    bool have = false;
    ForEachAttribute(record, [&](const Attribute& a) {
        if (a.type() != type || !NamedI30(a)) return true;
        found = a;
        have = a.offset != 0 && a.offset < kMftRecordSize - 1;
        return false;
    });
    return have;
}

// The folder's own number: the parent reference of the first entry of its
// index root names the folder that holds the index. Every read stays inside
// the attribute.
uint32_t FolderRecordFromIndexRoot(ByteView record) {
    Attribute root{};
    if (!FindI30(record, kAttrIndexRoot, root)) return 0;
    if (root.offset + 64 >= kMftRecordSize - 1) return 0;
    if (!root.bytes.Has(144, 1) || root.bytes.u8(144) == 0) return 0;
    uint32_t number = root.bytes.u32(80);
    return number == 0xFFFFFFFF ? 0 : number;
}

// The start of the first run of the folder's $I30 allocation; 0 when none.
uint32_t FirstIndexCluster(ByteView record) {
    Attribute allocation{};
    if (!FindI30(record, kAttrIndexAllocation, allocation)) return 0;
    const int64_t runs = int16_t(allocation.bytes.u16(32));
    if (runs < 0 || !allocation.bytes.Has(size_t(runs), 1)) return 0;
    const uint8_t header = allocation.bytes.u8(size_t(runs));
    if (header == 0) return 0;
    const size_t lengthSize = header & 0x0F, offsetSize = header >> 4;
    if (offsetSize < 1 || offsetSize > 4) return 0;
    const size_t field = size_t(runs) + 1 + lengthSize;
    if (!allocation.bytes.Has(field, offsetSize)) return 0;
    uint32_t cluster = 0;
    for (size_t i = offsetSize; i-- > 0;) cluster = cluster << 8 | allocation.bytes.u8(field + i);
    return cluster;
}

bool SameNoCase(const std::u16string& name, const char16_t* text) {
    return UpperCase(name) == UpperCase(text);
}

// Folders still without a number, by what an index entry tells of them.
class UnnumberedFolders {
public:
    UnnumberedFolders() {
        for (AdvanceNtfsFolderEntry* f = AdvanceNtfsFolderList.head; f; f = f->next)
            if (f->recordNumber == 0)
                byKey_[Key{f->parentRecord, f->creationTime, f->name}].push_back(f);
    }
    // The first folder in list order that is still unnumbered.
    AdvanceNtfsFolderEntry* Find(uint32_t parent, uint64_t creationTime, const std::u16string& name) {
        auto found = byKey_.find(Key{parent, creationTime, name});
        if (found == byKey_.end()) return nullptr;
        for (AdvanceNtfsFolderEntry* f : found->second)
            if (f->recordNumber == 0) return f;
        return nullptr;
    }

private:
    using Key = std::tuple<uint32_t, uint64_t, std::u16string>;
    std::map<Key, std::vector<AdvanceNtfsFolderEntry*>> byKey_;
};

// Walks the entries of one fixed-up index buffer; every read lies inside it.
void NumberFromBuffer(ByteView buffer, UnnumberedFolders& folders) {
    size_t entry = kIndexHeaderSize + size_t(buffer.u32(kIndexHeaderSize));
    while (buffer.Has(entry, kEntryNameLength + 1)) {
        const size_t nameLength = buffer.u8(entry + kEntryNameLength);
        if (nameLength == 0 || !buffer.Has(entry + kEntryName, 2 * nameLength)) return;
        if (buffer.u32(entry + kEntryFlags) & kDirectoryFlag) {
            std::u16string name;
            for (size_t i = 0; i < nameLength; ++i)
                name.push_back(char16_t(buffer.u16(entry + kEntryName + 2 * i)));
            if (AdvanceNtfsFolderEntry* f = folders.Find(buffer.u32(entry + kEntryParent),
                                                         buffer.u64(entry + kEntryCreationTime), name))
                f->recordNumber = buffer.u32(entry);
        }
        const size_t length = buffer.u16(entry + kEntryLength);
        if (length == 0) return;
        entry += length;
    }
}

}  // namespace

void ProcessMftRecord(uint32_t sector) {
    uint8_t bytes[kMftRecordSize] = {};
    ReadMftRecord(sector, bytes);
    ByteView record(bytes, sizeof bytes);
    FileNameValue name;
    if (!FindPreferredFileName(bytes, name)) return;
    const uint8_t flags = record.u8(22);
    if (flags == 3 || flags == 2) {
        uint32_t number;
        if (name.name == u".")
            number = kDotRecord;
        else if (SameNoCase(name.name, u"$Extend"))
            number = kExtendRecord;
        else
            number = FolderRecordFromIndexRoot(record);
        AddAdvanceNtfsFolder(name.name.c_str(), sector, name.parentRecord, number, name.creationTime,
                             name.secondTime, FirstIndexCluster(record), flags == 2 ? 1 : 0);
    } else if (flags == 1 || flags == 0) {
        uint64_t size = 0;
        if (!FindDataSize(sector, size, bytes, 0)) size = 0;
        AddAdvanceNtfsFile(name.name.c_str(), sector, name.parentRecord, name.creationTime,
                           name.secondTime, size, flags == 0 ? 1 : 0);
    }
}

int AddIndexRecord(uint32_t sector) {
    uint8_t first[kSectorSize] = {};
    ReadSectors(SelectedDriveIndex, sector, 0, 1, first);
    const uint64_t size = uint64_t(ByteView(first, kSectorSize).u32(32)) + kIndexHeaderSize;
    if (size < kSectorSize || size > kMaxIndexBufferSize || size % kSectorSize) return 0;
    std::vector<uint8_t> bytes;
    try {
        bytes.assign(size_t(size), 0);
    } catch (const std::bad_alloc&) {
        OutOfMemory();
    }
    ReadSectors(SelectedDriveIndex, sector, 0, uint32_t(size / kSectorSize), bytes.data());
    ApplyFixups(bytes.data(), bytes.size());
    ByteView buffer(bytes.data(), bytes.size());
    const uint64_t entry = kIndexHeaderSize + uint64_t(buffer.u32(kIndexHeaderSize));
    if (!buffer.Has(size_t(entry), kEntryParent + 4)) return 0;
    const uint32_t folder = buffer.u32(size_t(entry) + kEntryParent);
    if (folder <= 4 || folder == 0xFFFFFFFF) return 0;
    AddIndexRecordNode(sector, folder, buffer.u32(16), uint8_t(size / kSectorSize));
    ++IndexRecordCount;
    return 1;
}

void NumberFoldersFromIndexBuffers() {
    EngineUi& ui = Ui();
    ui.SetProgress(0);
    ui.SetStatusText(u"Assigning MFT numbers ( Step 1/2 ) - ");
    UnnumberedFolders folders;
    std::vector<uint8_t> bytes;
    uint32_t k = 0;
    for (IndexRecord* r = IndexRecordList.head; r; r = r->next) {
        ++k;
        ui.SetStatusText(u"Assigning MFT numbers ( Step 1/2 ) - " + Decimal(k) + u" \\ " +
                         Decimal(IndexRecordCount));
        ui.SetProgress(RunningPercent(k, IndexRecordCount));
        bytes.assign(size_t(r->sectorCount) * kSectorSize, 0);
        if (bytes.empty()) continue;
        ReadSectors(SelectedDriveIndex, r->sector, 0, r->sectorCount, bytes.data());
        if (!ByteView(bytes.data(), bytes.size()).Matches(0, "INDX")) continue;
        ApplyFixups(bytes.data(), bytes.size());
        NumberFromBuffer(ByteView(bytes.data(), bytes.size()), folders);
    }
}
