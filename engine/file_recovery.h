// Writing found files into a folder: FAT files by their cluster chain (or
// consecutive clusters when the chain is gone), NTFS files from the data in
// their record or the clusters of their run list. Nothing is ever written to
// the scanned device, and no existing file is ever replaced.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "found_lists.h"

// Recovery run state.
extern std::u16string RecoveryDestination;
extern std::atomic<int> StopAllRecovery;
extern std::atomic<int> SkipCurrentFile;
extern int RecoveredCount;

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
// The path every writer gives a new file: the safe name in folder or, when
// that exists, the first free "Copy (n ) of" name. False when none is free
// or the path would not lie inside the folder.
bool ChooseNewFilePath(const std::u16string& folder, const char16_t* name, std::u16string& path);
// Tells the user a file could not be written and asks whether to go on;
// "No" stops the recovery run (StopAllRecovery).
void AskToContinueRecovery(const std::u16string& path);

// 1 when all the file's bytes were written, or the user stopped or skipped
// it while it was written. 0 when nothing was written (stopped before,
// filtered, skipped by a policy, not creatable) or the file ends short: a
// write error, clusters outside the volume, runs that end before its size.
// A file that ends short is left as far as it was written.
int RecoverFatFile(const std::u16string& folder, uint32_t fileNumber, int mode,
                   uint32_t firstCluster, uint32_t size, const char16_t* name, uint32_t deleted);
int RecoverNtfsFile(const std::u16string& folder, const char16_t* name, uint32_t sizeLow,
                    uint32_t sizeHigh, uint32_t dataRecordSector, int mode, uint32_t deleted);
// Writes the clusters of DataRunList (sparse runs as zeros) into a new file
// at path; returns as the recover functions do.
int WriteFileFromRuns(const std::u16string& path, uint32_t sizeLow, uint32_t sizeHigh, int mode);

// The recover functions above for a found entry, with RecoveredFileTime
// taken from it.
int RecoverFatEntry(const std::u16string& folder, const FatFileEntry& entry, int mode);
int RecoverNtfsEntry(const std::u16string& folder, const NtfsFileEntry& entry, int mode);

void SetNtfsFileTimes(const std::u16string& path);
// The FAT date of RecoveredFileTime at the current time of day (UTC); an
// impossible date leaves the times as the system set them.
void SetFatFileDate(const std::u16string& path);
