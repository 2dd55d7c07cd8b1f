// Writing found files into a folder: FAT files by their cluster chain (or
// consecutive clusters when the chain is gone), NTFS files from the data in
// their record or the clusters of their run list. Nothing is ever written to
// the scanned device, and no existing file is ever replaced.
#pragma once

#include <cstdint>
#include <string>

#include "engine_state.h"

// The time the writers give the file they wrote: an NTFS FILETIME, or for a
// FAT file its date word in the low 16 bits. The entry functions below fill
// it from each entry.
extern uint64_t RecoveredFileTime;

// The path the last writer call settled on (after "Copy (n ) of" naming).
extern std::u16string RecoveredFilePath;

enum : int { kPlainMode = 0, kInteractiveMode = 1 };

// A name from disk as a safe file name: no separators, ':', wildcards,
// quotes, angle brackets, bars or control characters, not "." or "..", not a
// device name, no trailing dot or blank; never empty.
std::u16string SafeFileName(const char16_t* name);
// The folder, a separator unless it ends with one, and the name.
std::u16string JoinPath(const std::u16string& folder, const std::u16string& name);
// 1 when path is a direct child of folder (one component, not "." or "..").
int LiesInsideFolder(const std::u16string& folder, const std::u16string& path);

// 1 when a file was written, 0 when not (stopped, filtered, skipped by a
// policy, not creatable, nothing readable).
int RecoverFatFile(const std::u16string& folder, uint32_t fileNumber, int mode,
                   uint32_t firstCluster, uint32_t size, const char16_t* name, uint32_t deleted);
int RecoverNtfsFile(const std::u16string& folder, const char16_t* name, uint32_t sizeLow,
                    uint32_t sizeHigh, uint32_t dataRecordSector, int mode, uint32_t deleted);
// Writes the clusters of DataRunList (sparse runs as zeros) into a new file
// at path. 1 when all size bytes were written or the user stopped or skipped
// the file, 0 when the runs end before the size or the file fails.
int WriteFileFromRuns(const std::u16string& path, uint32_t sizeLow, uint32_t sizeHigh, int mode);

// The recover functions above for a found entry, with RecoveredFileTime
// taken from it.
int RecoverFatEntry(const std::u16string& folder, const FatFileEntry& entry, int mode);
int RecoverNtfsEntry(const std::u16string& folder, const NtfsFileEntry& entry, int mode);

void SetNtfsFileTimes(const std::u16string& path);
// The FAT date of RecoveredFileTime at the current time of day (UTC); an
// impossible date leaves the times as the system set them.
void SetFatFileDate(const std::u16string& path);
