// Saving a scan's results as a snapshot file and loading one back.
#pragma once

#include <string>

// 1 from the first LoadSnapshot on.
extern int LoadingSnapshot;

// The path a snapshot is saved under: the chosen file name upper-cased,
// ".wrx" appended unless it already ends so in any letter case.
std::u16string SnapshotSavePath(const std::u16string& chosen);

// Save: asks before replacing a file; tells the user when it cannot be
// written. 1 when saved. SaveSnapshot writes 'D' or 'A' by ScanMode.
int SaveSnapshot(const std::u16string& chosen);
int SaveRawSnapshot(const std::u16string& chosen);

// The load command after the file dialog: finds the file, reads its mode
// letter, sets ScanMode and the result columns and runs the loader. 1 when
// loaded.
int OpenSnapshot(const std::u16string& chosen);

// Loaders. Every list is freed first; a file that is not a whole, sound
// snapshot is refused with a message and leaves them empty. On success the
// results tree and list are rebuilt, the drive reopened and the results
// page shown.
int LoadSnapshot(const std::u16string& path);
int LoadRawSnapshot(const std::u16string& path);

// Opens the logical drive's volume when DriveKind is 2.
void OpenVolumeByLetter(uint16_t logicalDriveIndex);
