#include "file_recovery.h"

#include <vector>

#include "app_message.h"
#include "fat/fat_chain.h"
#include "folder_listing.h"
#include "ntfs/ntfs_record.h"
#include "platform_files.h"
#include "recovered_file.h"
#include "device/sector_access.h"
#include "text.h"
#include "found_lists.h"
#include "settings.h"
#include "volumes/boot_params.h"

std::u16string RecoveryDestination;
std::atomic<int> StopAllRecovery{0};
std::atomic<int> SkipCurrentFile{0};
int RecoveredCount = 0;

uint64_t RecoveredFileTime = 0;
std::u16string RecoveredFilePath;

namespace {

constexpr uint32_t kSectorsPerRead = 128;
constexpr uint32_t kMaxCopyNumber = 100000;
constexpr size_t kMaxNameUnits = 255;

bool IsSeparator(char16_t c) { return c == u'/' || c == u'\\'; }

bool IsReservedDeviceName(const std::u16string& name) {
    std::u16string base = UpperCase(name.substr(0, name.find(u'.')));
    while (!base.empty() && base.back() == u' ') base.pop_back();
    if (base == u"CON" || base == u"PRN" || base == u"AUX" || base == u"NUL") return true;
    return base.size() == 4 && (base.compare(0, 3, u"COM") == 0 || base.compare(0, 3, u"LPT") == 0) &&
           base[3] >= u'1' && base[3] <= u'9';
}

// Stop and skip requests, polled between blocks.
bool Interrupted() { return StopAllRecovery == 1 || SkipCurrentFile == 1; }

bool CreateOrAsk(RecoveredFile& file, const std::u16string& path) {
    if (file.CreateNew(path)) return true;
    AskToContinueRecovery(path);
    return false;
}

// Writes consecutive sectors (or zeros for a sparse stretch) into the file
// until the file's size is reached; false when stopped, skipped or the file
// could not be written.
class SectorCopier {
public:
    SectorCopier(RecoveredFile& file, uint64_t size, int mode)
        : file_(file), size_(size), mode_(mode), buffer_(size_t(kSectorsPerRead) * kSectorSize) {}

    bool done() const { return written_ >= size_; }
    // The rule of every writer: a file is recovered when all its bytes were
    // written, and one the user stopped or skipped was handled; one that ends
    // short (a write error, clusters outside the volume, runs that end before
    // its size) failed, and is left as far as it was written.
    int Outcome() const { return done() || Interrupted() ? 1 : 0; }

    bool Copy(uint64_t firstSector, uint64_t sectors, bool zeros) {
        for (uint64_t at = 0; at < sectors && !done(); at += kSectorsPerRead) {
            if (Interrupted()) return false;
            if (mode_ == kInteractiveMode) Ui().SetRecoveryProgress(RunningPercent(written_, size_));
            uint32_t count = uint32_t(sectors - at < kSectorsPerRead ? sectors - at : kSectorsPerRead);
            uint64_t bytes = uint64_t(count) * kSectorSize;
            if (bytes > size_ - written_) bytes = size_ - written_;
            uint64_t sector = firstSector + at;
            if (zeros) {
                std::fill(buffer_.begin(), buffer_.end(), 0);
            } else {
                ReadSectors(SelectedDriveIndex, uint32_t(sector), uint32_t(sector >> 32), count,
                            buffer_.data());
            }
            if (!file_.Write(buffer_.data(), size_t(bytes))) return false;
            written_ += bytes;
        }
        return true;
    }

private:
    RecoveredFile& file_;
    uint64_t size_;
    int mode_;
    std::vector<uint8_t> buffer_;
    uint64_t written_ = 0;
};

uint64_t ClusterSector(uint64_t cluster) {
    const PartitionParametersRecord& p = PartitionParameters;
    return p.cluster0Sector + cluster * p.sectorsPerCluster;
}

// The common start of both writers: settles the path the file is written to.
// False when the file is not to be written.
bool PrepareTarget(const std::u16string& folder, const char16_t* name, int mode,
                   uint32_t deleted, bool showFullPath, std::u16string& path) {
    if (StopAllRecovery == 1) return false;
    SkipCurrentFile = 0;
    if (mode == kInteractiveMode) {
        if (!PassesFilters(name)) return false;
        if (DeletedFilesPolicy == 2 && !deleted) return false;
        if (DeletedFilesPolicy == 3 && deleted) return false;
        if (FileExists(JoinPath(folder, SafeFileName(name))) && DuplicatePolicy == 3) return false;
    }
    if (!ChooseNewFilePath(folder, name, path)) return false;
    RecoveredFilePath = path;
    if (mode == kInteractiveMode) {
        ++RecoveredCount;
        Ui().SetRecoveryTexts(showFullPath ? path : folder, name, Decimal(uint64_t(RecoveredCount)));
        Ui().SetRecoveryProgress(0);
    }
    return true;
}

}  // namespace

std::u16string SafeFileName(const char16_t* name) {
    std::u16string safe;
    for (size_t i = 0; name && name[i] && safe.size() < kMaxNameUnits; ++i) {
        char16_t c = name[i];
        bool bad = c < 0x20 || c == 0x7F || IsSeparator(c) || c == u':' || c == u'*' ||
                   c == u'?' || c == u'"' || c == u'<' || c == u'>' || c == u'|';
        safe.push_back(bad ? u'_' : c);
    }
    // Windows drops trailing dots and blanks, which would make another name.
    for (size_t i = safe.size(); i > 0 && (safe[i - 1] == u'.' || safe[i - 1] == u' '); --i)
        safe[i - 1] = u'_';
    if (safe.empty()) safe = u"_";
    if (IsReservedDeviceName(safe)) safe.insert(safe.begin(), u'_');
    return safe;
}

std::u16string JoinPath(const std::u16string& folder, const std::u16string& name) {
    if (folder.empty() || IsSeparator(folder.back())) return folder + name;
    return folder + kPathSeparator + name;
}

int LiesInsideFolder(const std::u16string& folder, const std::u16string& path) {
    size_t prefix = folder.size();
    if (path.compare(0, prefix, folder) != 0) return 0;
    if (prefix && !IsSeparator(folder.back())) {
        if (path.size() <= prefix || !IsSeparator(path[prefix])) return 0;
        ++prefix;
    }
    std::u16string rest = path.substr(prefix);
    if (rest.empty() || rest == u"." || rest == u"..") return 0;
    for (char16_t c : rest)
        if (IsSeparator(c) || c == u':') return 0;
    return 1;
}

bool ChooseNewFilePath(const std::u16string& folder, const char16_t* name, std::u16string& path) {
    const std::u16string safe = SafeFileName(name);
    path = JoinPath(folder, safe);
    // An existing file is never replaced: the new one takes a free
    // "Copy (n ) of" name.
    for (uint32_t n = 1; FileExists(path); ++n) {
        if (n > kMaxCopyNumber) return false;
        path = JoinPath(folder, SafeFileName((u"Copy (" + Decimal(n) + u" ) of " + safe).c_str()));
    }
    return LiesInsideFolder(folder, path) == 1;
}

void AskToContinueRecovery(const std::u16string& path) {
    if (AskAppQuestion(2, u"Error creating file : " + path + u".  Continue Recovery ? ") != 1)
        StopAllRecovery = 1;
}

void SetNtfsFileTimes(const std::u16string& path) { SetFileTimes(path, RecoveredFileTime); }

void SetFatFileDate(const std::u16string& path) {
    uint64_t time = 0;
    if (FatDateToFileTime(uint16_t(RecoveredFileTime), time)) SetFileTimes(path, time);
}

int RecoverFatFile(const std::u16string& folder, uint32_t, int mode, uint32_t firstCluster,
                   uint32_t size, const char16_t* name, uint32_t deleted) {
    std::u16string path;
    RecoveredFilePath.clear();
    if (!PrepareTarget(folder, name, mode, deleted, false, path)) return 0;
    RecoveredFile file;
    if (!CreateOrAsk(file, path)) return 0;

    const PartitionParametersRecord& p = PartitionParameters;
    const uint64_t clusterBytes = uint64_t(p.sectorsPerCluster) * kSectorSize;
    const uint32_t needed = clusterBytes ? uint32_t((size + clusterBytes - 1) / clusterBytes) : 0;
    BuildClusterChain(firstCluster, needed, 1);
    if (ClusterChain.size() != needed) BuildClusterChain(firstCluster, needed, 2);
    // Without a chain of the file's length (a deleted file whose FAT entries
    // were cleared) its clusters are taken to follow each other.
    bool consecutive = ClusterChain.size() != needed;
    const uint32_t lastCluster = LastClusterOfVolume();

    SectorCopier copier(file, size, mode);
    for (uint32_t i = 0; i < needed && !copier.done(); ++i) {
        uint64_t cluster = consecutive ? uint64_t(firstCluster) + i : ClusterChain[i];
        if (cluster < 2 || cluster > lastCluster) break;
        // Neighbouring clusters are read together.
        uint32_t run = 1;
        while (i + run < needed && run < kSectorsPerRead &&
               (consecutive || ClusterChain[i + run] == cluster + run) &&
               cluster + run <= lastCluster)
            ++run;
        if (!copier.Copy(ClusterSector(cluster), uint64_t(run) * p.sectorsPerCluster, false)) break;
        i += run - 1;
    }
    file.Close();
    SetFatFileDate(path);
    return copier.Outcome();
}

int WriteFileFromRuns(const std::u16string& path, uint32_t sizeLow, uint32_t sizeHigh, int mode) {
    SkipCurrentFile = 0;
    if (mode == kInteractiveMode) {
        if (StopAllRecovery == 1) return 0;
        Ui().SetRecoveryProgress(0);
    }
    RecoveredFile file;
    if (!CreateOrAsk(file, path)) return 0;
    const uint64_t size = uint64_t(sizeHigh) << 32 | sizeLow;
    const uint32_t perCluster = PartitionParameters.sectorsPerCluster;
    // Runs are read only up to the end of the volume: past it lies another
    // volume's data, or nothing, and the file ends short there.
    const uint64_t rangeEnd = ScannedRangeEnd();
    SectorCopier copier(file, size, mode);
    for (const DataRun& run : DataRunList) {
        if (copier.done()) break;
        uint64_t sectors = uint64_t(run.length) * perCluster;
        // A sparse run has no clusters: it reads as zeros.
        const uint64_t first = run.sparse ? 0 : ClusterSector(run.startCluster);
        const bool cut = !run.sparse && rangeEnd && first + sectors > rangeEnd;
        if (cut) sectors = first < rangeEnd ? rangeEnd - first : 0;
        if (!copier.Copy(first, sectors, run.sparse) || cut) break;
    }
    return copier.Outcome();
}

int RecoverNtfsFile(const std::u16string& folder, const char16_t* name, uint32_t sizeLow,
                    uint32_t sizeHigh, uint32_t dataRecordSector, int mode, uint32_t deleted) {
    std::u16string path;
    RecoveredFilePath.clear();
    if (!PrepareTarget(folder, name, mode, deleted, true, path)) return 0;
    uint8_t record[kMftRecordSize] = {};
    if (!ReadMftRecord(dataRecordSector, record)) return 0;
    const uint64_t size = uint64_t(sizeHigh) << 32 | sizeLow;
    size_t offset = 0;
    switch (LocateDataAttribute(record, offset)) {
        case 1: {
            ByteView view(record, kMftRecordSize);
            Attribute data{offset, view.Sub(offset, view.u32(offset + 4))};
            ByteView value = data.ResidentValue();
            if (size > value.size() || (size && !value.data())) return 0;
            RecoveredFile file;
            if (!CreateOrAsk(file, path)) return 0;
            bool ok = file.Write(value.data(), size_t(size));
            file.Close();
            SetNtfsFileTimes(path);
            return ok ? 1 : 0;
        }
        case 2: {
            int ok = BuildDataRunList(kMftRecordSize, record, offset);
            if (!ok || DataRunList.empty()) {
                FreeDataRunList();
                if (!ok || size != 0) return 0;
                RecoveredFile file;
                if (!CreateOrAsk(file, path)) return 0;
                file.Close();
                SetNtfsFileTimes(path);
                return 1;
            }
            int written = WriteFileFromRuns(path, sizeLow, sizeHigh, mode);
            SetNtfsFileTimes(path);
            FreeDataRunList();
            return written;
        }
        default:
            return 0;
    }
}

int RecoverFatEntry(const std::u16string& folder, const FatFileEntry& entry, int mode) {
    RecoveredFileTime = entry.writeDate;
    return RecoverFatFile(folder, entry.fileNumber, mode, entry.firstCluster, entry.size,
                          entry.name, entry.deleted);
}

int RecoverNtfsEntry(const std::u16string& folder, const NtfsFileEntry& entry, int mode) {
    RecoveredFileTime = entry.secondTime;
    return RecoverNtfsFile(folder, entry.name, uint32_t(entry.size), uint32_t(entry.size >> 32),
                           entry.dataRecordSector, mode, entry.deleted);
}
