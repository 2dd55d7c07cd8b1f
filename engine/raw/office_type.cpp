#include "raw/office_type.h"

#include <algorithm>
#include <vector>

#include "raw/compound_file.h"
#include "platform_files.h"
#include "program_folder.h"
#include "recovered_file.h"
#include "text.h"
#include "device/sector_access.h"

std::u16string OfficeTypeFromAppName(const std::u16string& appName) {
    if (appName.find(u"PowerPoint") != std::u16string::npos) return u".ppt";
    if (appName.find(u"Excel") != std::u16string::npos) return u".xls";
    if (appName.find(u"Word") != std::u16string::npos) return u".doc";
    if (appName.find(u"Publisher") != std::u16string::npos) return u".pub";
    // No summary, or another program's: the generic compound document.
    return u".doc";
}

std::u16string OfficeProbePath(int attempt) {
    // The process's own name: two programs carving at once must not share it.
    std::u16string name = u"0001-" + Decimal(ProcessId());
    if (attempt > 0) name += u"-" + Decimal(uint64_t(attempt));
    return TemporaryFilePath(name);
}

std::u16string DetectOfficeType(uint64_t sector) {
    constexpr uint32_t kChunkSectors = 128;
    constexpr int kChunks = 16;  // one megabyte
    // The temporary folder is shared: whatever already exists at a name (a
    // file left by an earlier process, a user's file, a planted link) is
    // never opened, written or deleted; the next name is tried instead.
    RecoveredFile file;
    std::u16string path;
    bool created = false;
    for (int attempt = 0; attempt < kOfficeProbeNames && !created; ++attempt) {
        path = OfficeProbePath(attempt);
        created = file.CreateNew(path);
    }
    if (!created) return u".doc";
    std::vector<uint8_t> buffer(size_t(kChunkSectors) * kSectorSize);
    bool written = true;
    for (int i = 0; i < kChunks && written; ++i, sector += kChunkSectors) {
        std::fill(buffer.begin(), buffer.end(), 0);
        ReadSectors(SelectedDriveIndex, uint32_t(sector), uint32_t(sector >> 32), kChunkSectors,
                    buffer.data());
        written = file.Write(buffer.data(), buffer.size());
    }
    file.Close();
    std::u16string appName = written ? ReadFileAppName(path) : std::u16string();
    DeleteFileAt(path);
    return OfficeTypeFromAppName(appName);
}
