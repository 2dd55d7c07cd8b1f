#include "volumes/boot_params.h"

#include <cstdint>

#include "byte_view.h"
#include "engine_ui.h"
#include "scan_control.h"
#include "fat/fat_chain.h"
#include "device/sector_access.h"

PartitionParametersRecord PartitionParameters = {};

namespace {

constexpr uint8_t kMediaByte = 0xF8;
constexpr uint32_t kFat32BackupOffset = 6;
constexpr int kNumberOfFats = 2;

struct Sector {
    uint8_t bytes[kSectorSize];
    bool ok = false;
    ByteView view() const { return ByteView(bytes, sizeof bytes); }
    bool HasSignature() const { return ok && bytes[510] == 0x55 && bytes[511] == 0xAA; }
};

Sector Read(uint64_t sector) {
    Sector s;
    s.ok = sector <= 0xFFFFFFFFu &&
           ReadSectors(SelectedDriveIndex, uint32_t(sector), 0, 1, s.bytes) == 1;
    return s;
}

bool FirstByteIsMedia(uint64_t sector) {
    Sector s = Read(sector);
    return s.ok && s.bytes[0] == kMediaByte;
}

struct Fat32Fields {
    uint32_t sectorsPerCluster, reserved, sectorsPerFat, rootCluster;
};

Fat32Fields Fat32FieldsOf(const Sector& boot) {
    ByteView v = boot.view();
    return {v.u8(13), v.u16(14), v.u32(36), v.u32(44)};
}

// A boot sector's FAT32 geometry is usable when its cluster size is valid,
// its FAT has a size and FAT 2 begins with the media byte.
bool Fat32Usable(const Fat32Fields& f, uint32_t start) {
    return IsValidSectorsPerCluster(f.sectorsPerCluster) && f.sectorsPerFat != 0 &&
           FirstByteIsMedia(uint64_t(start) + f.reserved + f.sectorsPerFat);
}

int ReadFat32(uint32_t start) {
    PartitionParametersRecord& p = PartitionParameters;
    Sector boot = Read(start);
    if (!boot.HasSignature()) {
        boot = Read(uint64_t(start) + kFat32BackupOffset);
        if (!boot.HasSignature()) return 0;
    }
    Fat32Fields f = Fat32FieldsOf(boot);
    p.root = f.rootCluster;
    if (!Fat32Usable(f, start)) {
        Sector backup = Read(uint64_t(start) + kFat32BackupOffset);
        if (!backup.HasSignature()) return 0;
        f = Fat32FieldsOf(backup);
        p.root = f.rootCluster;
        if (!Fat32Usable(f, start)) return 0;
    }
    uint64_t fat2 = uint64_t(start) + f.reserved + f.sectorsPerFat;
    uint64_t firstData = fat2 + f.sectorsPerFat;
    uint64_t twoClusters = 2ull * f.sectorsPerCluster;
    if (firstData < twoClusters || firstData > 0xFFFFFFFFu) return 0;
    p.sectorsPerFat = f.sectorsPerFat;
    p.sectorsPerCluster = f.sectorsPerCluster;
    p.rootDirSectors = 0;
    p.reservedSectors = f.reserved;
    p.fat1Start = start + f.reserved;
    p.fat2Start = uint32_t(fat2);
    p.cluster0Sector = uint32_t(firstData - twoClusters);
    return 1;
}

int ReadFat16(uint32_t start) {
    PartitionParametersRecord& p = PartitionParameters;
    Sector boot = Read(start);
    if (!boot.HasSignature()) return 0;
    ByteView v = boot.view();
    uint32_t s = v.u8(13), r = v.u16(14), f = v.u16(22), e = v.u16(17);
    uint32_t d = e / 16;
    if (!IsValidSectorsPerCluster(s) || f == 0) return 0;
    if (!FirstByteIsMedia(uint64_t(start) + r + f)) return 0;
    uint64_t rootStart = uint64_t(start) + r + uint64_t(kNumberOfFats) * f;
    uint64_t firstData = rootStart + d;
    if (firstData < 2ull * s || firstData > 0xFFFFFFFFu) return 0;
    p.root = uint32_t(rootStart);
    p.sectorsPerFat = f;
    p.sectorsPerCluster = s;
    p.rootDirSectors = d;
    p.reservedSectors = r;
    p.fat1Start = start + r;
    p.fat2Start = start + r + f;
    p.cluster0Sector = uint32_t(firstData - 2ull * s);
    return 1;
}

bool BeginsWithFile(uint64_t sector) {
    Sector s = Read(sector);
    return s.ok && s.view().Matches(0, "FILE");
}

int ReadNtfs(uint32_t start) {
    PartitionParametersRecord& p = PartitionParameters;
    uint32_t otherSector = p.endSector;
    Sector copy = Read(start);
    if (!copy.HasSignature()) {
        copy = Read(p.endSector);
        if (!copy.HasSignature()) return 0;
        otherSector = start;
    }
    uint32_t s = copy.view().u8(13);
    if (!IsValidSectorsPerCluster(s)) {
        Sector other = Read(otherSector);
        uint32_t otherS = other.view().u8(13);
        if (!other.ok || !IsValidSectorsPerCluster(otherS)) return 0;
        copy = other;
        s = otherS;
    }
    auto mftSector = [&](const Sector& boot, size_t offset) {
        return uint64_t(start) + uint64_t(s) * boot.view().u32(offset);
    };
    uint64_t m = mftSector(copy, 48);
    if (!BeginsWithFile(m)) {
        Sector other = Read(otherSector);
        m = mftSector(other, 48);
        if (!BeginsWithFile(m)) {
            m = 0;
            copy = other;
        }
    }
    uint64_t n = mftSector(copy, 56);
    if (!BeginsWithFile(n)) {
        Sector other = Read(otherSector);
        n = mftSector(other, 56);
        if (!BeginsWithFile(n)) n = 0;
    }
    if (m > 0xFFFFFFFFu) m = 0;
    if (n > 0xFFFFFFFFu) n = 0;
    if (m == 0 && n == 0) return 0;
    uint32_t perIndex = copy.view().u32(68);
    p.sectorsPerCluster = s;
    p.cluster0Sector = start;
    p.mftStart = uint32_t(m);
    p.mftMirrStart = uint32_t(n);
    p.constantField = 2;
    p.indexRecordSectors = perIndex == 0xF4 ? 8 : s * perIndex;
    return 1;
}

bool IsDirectoryStart(ByteView v) {
    return v.Matches(0, ".          ") && v.Matches(32, "..         ");
}

}  // namespace

int IsValidSectorsPerCluster(uint64_t value) {
    return value >= 1 && value <= 128 && (value & (value - 1)) == 0;
}

int ReadBootParameters() {
    PartitionParametersRecord& p = PartitionParameters;
    p.scannedType = p.chosenType;
    if (DriveKind == kLogicalDrive) p.startSector = 0;
    switch (p.chosenType) {
        case kFat32: return ReadFat32(p.startSector);
        case kFat16: return ReadFat16(p.startSector);
        case kNtfs: return ReadNtfs(p.startSector);
        default: return 1;
    }
}

int SearchPartitionParameters() {
    PartitionParametersRecord& p = PartitionParameters;
    Ui().SetStatusText(u"Please wait, calculating partition parameters");
    const bool fat32 = p.chosenType == kFat32;
    if (p.chosenType != kFat32 && p.chosenType != kFat16) {
        ScanStopFlag = 1;
        ScanRunning = 0;
        return 0;
    }
    const uint32_t start = p.startSector;

    uint32_t reserved = fat32 ? 32 : 1;
    uint32_t firstCandidate = fat32 ? 30 : 0, lastCandidate = fat32 ? 59 : 9;
    for (uint32_t offset = firstCandidate; offset <= lastCandidate; ++offset) {
        Sector s = Read(uint64_t(start) + offset);
        if (s.ok && s.bytes[0] == 0xF8 && s.bytes[1] == 0xFF) {
            reserved = offset;
            break;
        }
    }
    if (fat32) {
        p.root = 2;
        p.rootDirSectors = 0;
    } else {
        p.rootDirSectors = 32;
    }

    bool haveAnchor = false;
    uint64_t anchorSector = 0, anchorCluster = 0;
    for (uint32_t examined = 0; examined < p.sectorCount; ++examined) {
        if (ScanStopFlag == 1) {
            ScanRunning = 0;
            return 0;
        }
        if (examined % 500 == 0 && examined) {
            Ui().SetProgress(RunningPercent(examined, p.sectorCount));
        }
        uint64_t i = uint64_t(start) + examined;
        Sector s = Read(i);
        if (!s.ok) continue;
        ByteView v = s.view();
        if (!IsDirectoryStart(v)) continue;
        uint64_t q = fat32 ? ComposeCluster(v.u8(26), v.u8(27), v.u8(20), v.u8(21)) : v.u16(26);
        if (!haveAnchor) {
            bool usable = q >= 2 && (fat32 ? q != 0xFFFFFFFFu : q < 0xFFFF);
            if (usable) {
                haveAnchor = true;
                anchorSector = i;
                anchorCluster = q;
            }
            continue;
        }
        uint64_t l = q;
        if (l == anchorCluster || (fat32 ? l == 0xFFFFFFFFu : l > 0xFFFE)) continue;
        if (l <= anchorCluster || l >= i || l >= anchorSector) continue;
        uint64_t gap = i - anchorSector, step = l - anchorCluster;
        if (gap % step != 0) continue;
        uint64_t spc = gap / step;
        if (!IsValidSectorsPerCluster(spc)) continue;
        // Geometry that would begin before the volume is not a geometry.
        uint64_t beforeData = spc * (anchorCluster - 2) + reserved + start + (fat32 ? 0 : 32);
        if (anchorSector < anchorCluster * spc || anchorSector <= beforeData) continue;
        uint64_t fatSize = (anchorSector - beforeData) / kNumberOfFats;
        if (fatSize == 0) continue;
        p.cluster0Sector = uint32_t(anchorSector - anchorCluster * spc);
        p.sectorsPerCluster = uint32_t(spc);
        p.reservedSectors = reserved;
        p.sectorsPerFat = uint32_t(fatSize);
        p.fat1Start = start + reserved;
        p.fat2Start = uint32_t(start + reserved + fatSize);
        if (!fat32) p.root = uint32_t(start + reserved + 2 * fatSize);
        return 1;
    }
    ScanStopFlag = 1;
    ScanRunning = 0;
    return 0;
}
