#include "fat/fat_dir.h"

#include <cstring>

#include "byte_view.h"
#include "device/sector_access.h"
#include "engine_ui.h"
#include "found_lists.h"
#include "volumes/boot_params.h"
#include "fat/fat_chain.h"
#include "text.h"

namespace {

constexpr int kEntriesPerSector = 16;
constexpr int kLongNameLimit = 255;
// Byte offsets of the 13 UTF-16 characters of a long-name entry.
constexpr int kLongNameCharOffsets[13] = {1, 3, 5, 7, 9, 14, 16, 18, 20, 22, 24, 28, 30};

}  // namespace

std::u16string ShortFileName(ByteView entry) {
    std::u16string name;
    for (int i = 0; i < 8; ++i)
        if (entry.u8(i) != ' ') name.push_back(char16_t(entry.u8(i)));
    bool extensionBlank = entry.u8(8) == ' ' && entry.u8(9) == ' ' && entry.u8(10) == ' ';
    if (!extensionBlank) {
        if (entry.u8(8) != ' ') name.push_back(u'.');
        for (int i = 8; i < 11; ++i)
            if (entry.u8(i) != ' ') name.push_back(char16_t(entry.u8(i)));
    }
    return name;
}

int ReadLongFileName(ByteView view, char16_t* name, int entryOffset) {
    int count = 0;
    int sequence = 1;
    name[0] = 0;
    int p = entryOffset;
    while (p > 0 && view.u8(p - kFatEntrySize + 11) == kLongNameAttribute) {
        int entry = p - kFatEntrySize;
        for (int offset : kLongNameCharOffsets) {
            char16_t c = char16_t(view.u16(entry + offset));
            if (c == 0) return 0;
            name[count++] = c;
            name[count] = 0;
        }
        if (view.u8(entry) == 0x40 + sequence) return 0;
        ++sequence;
        p -= kFatEntrySize;
        if (count > kLongNameLimit) return 0;
    }
    return count == 0 ? 1 : 0;
}

int ReadLongFileName(const uint8_t* sector, char16_t* name, int entryOffset) {
    return ReadLongFileName(ByteView(sector, kSectorSize), name, entryOffset);
}

int IsValidFileName(const char16_t* name) {
    for (; *name; ++name) {
        char16_t c = *name;
        if (c >= 1 && c <= 31) return 0;
        switch (c) {
            case u'"': case u'\\': case u'/': case u'?':
            case u'*': case u'<': case u'>': case u'|':
                return 0;
            default:
                break;
        }
    }
    return 1;
}

bool ListedEntryName(ByteView view, int entryOffset, std::u16string& name, uint32_t& deleted) {
    name = ShortFileName(view.Sub(size_t(entryOffset), kFatEntrySize));
    if (!name.empty() && name[0] == kDeletedMark) {
        name[0] = u'x';
        deleted = 1;
    }
    char16_t longName[kLongNameBufferLength + kFatEntrySize / 2];
    if (ReadLongFileName(view, longName, entryOffset) == 0) name = longName;
    return IsValidFileName(name.c_str()) != 0;
}

void ParseFatDirSector(const uint8_t* sector, uint32_t parentCluster, int& endOfDirectory,
                       uint32_t sectorNumber, uint32_t directoryDeleted, int firstEntry,
                       const uint8_t* previousSector) {
    // A long name may begin in the directory's previous sector.
    uint8_t joined[2 * kSectorSize];
    ByteView nameView(sector, kSectorSize);
    int nameBase = 0;
    if (previousSector) {
        std::memcpy(joined, previousSector, kSectorSize);
        std::memcpy(joined + kSectorSize, sector, kSectorSize);
        nameView = ByteView(joined, sizeof joined);
        nameBase = kSectorSize;
    }
    EngineUi& ui = Ui();
    ui.SetPaneValue(PaneValue::CurrentSector, Decimal(sectorNumber));
    const bool fat32 = PartitionParameters.scannedType == kFat32;
    ByteView view(sector, kSectorSize);
    for (int i = firstEntry < 0 ? 0 : firstEntry; i < kEntriesPerSector; ++i) {
        ByteView entry = view.Sub(size_t(i) * kFatEntrySize, kFatEntrySize);
        uint32_t deleted = directoryDeleted == 1 ? 1 : 0;
        if (entry.u8(0) == 0) {
            endOfDirectory = 1;
            return;
        }
        uint8_t attributes = entry.u8(11);
        if (attributes == kLongNameAttribute) continue;
        uint32_t cluster = fat32 ? ComposeCluster(entry.u8(26), entry.u8(27), entry.u8(20), entry.u8(21))
                                 : entry.u16(26);
        if (cluster == 0) continue;

        std::u16string name;
        if (!ListedEntryName(nameView, nameBase + i * kFatEntrySize, name, deleted)) continue;

        uint16_t writeDate = entry.u16(24);
        uint16_t accessDate = entry.u16(18);
        if (attributes & kDirectoryAttribute) {
            AddFatFolder(name.c_str(), cluster, parentCluster, writeDate, accessDate, 0, deleted);
            if (FoldersFound % 10 == 0) ui.SetPaneValue(PaneValue::FoldersFound, Decimal(FoldersFound));
        } else {
            uint32_t size = entry.u32(28);
            AddFatFile(name.c_str(), cluster, parentCluster, writeDate, accessDate, size, deleted);
            TotalFoundSize += size;
            ++FilesFound;
            if (FilesFound % 10 == 0) ui.SetPaneValue(PaneValue::FilesFound, Decimal(FilesFound));
        }
        ++EntriesParsed;
        uint32_t clusters = PartitionParameters.sectorsPerCluster
                                ? PartitionParameters.sectorCount / PartitionParameters.sectorsPerCluster
                                : 0;
        ui.SetProgress(int(uint64_t(EntriesParsed) * 100 / (clusters ? clusters : 1)));
        ui.SetPaneValue(PaneValue::LastItem, name);
    }
}
