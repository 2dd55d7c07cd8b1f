// The bytes of a snapshot file (".wrx"): header, volume block, a body by
// scan mode and file system, trailer. Numbers are little-endian; names are
// UTF-16 with their terminators. Encoding and decoding are kept apart from
// the engine's lists so that a file is checked whole before anything of it
// is used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "volumes/boot_params.h"

enum : char { kStandardSnapshot = 'D', kAdvanceSnapshot = 'A', kRawSnapshot = 'R' };

struct SnapshotFatFolder {
    std::u16string name;
    uint32_t cluster, parentCluster;
    uint16_t writeDate, accessDate;
    uint8_t deleted;
    uint16_t spare;
};

struct SnapshotFatFile {
    std::u16string name;
    uint32_t firstCluster, parentCluster;
    uint16_t writeDate, accessDate;
    uint32_t size;
    uint8_t deleted;
    uint32_t fileNumber;
};

struct SnapshotNtfsFolder {
    std::u16string name;
    uint32_t recordNumber, parentRecord;
    uint64_t creationTime, secondTime;
    uint8_t deleted;
    uint16_t spare;
};

// Standard: the ID is the sector of the record holding $DATA; Advance: the
// FILE-record sector, with record number 0.
struct SnapshotNtfsFile {
    uint32_t id;
    std::u16string name;
    uint32_t recordNumber, parentRecord;
    uint64_t creationTime, secondTime;
    uint8_t deleted;
    uint64_t size;
};

struct SnapshotSignature {
    std::u16string extension, fileType;
    std::string signature;
    uint32_t signatureLength, number;
};

struct SnapshotCarvedFile {
    std::u16string extension, name, fileType;
    uint32_t runningNumber, startSector;
};

struct SnapshotContents {
    char mode = kStandardSnapshot;
    PartitionParametersRecord volume = {};  // its root field is not stored
    // 'D' and 'A' bodies, by the volume's scanned file system.
    std::vector<SnapshotFatFolder> fatFolders;
    std::vector<SnapshotFatFile> fatFiles;
    std::vector<SnapshotNtfsFolder> ntfsFolders;
    std::vector<SnapshotNtfsFile> ntfsFiles;
    // 'R' body.
    std::vector<SnapshotSignature> signatures;
    std::vector<SnapshotCarvedFile> carvedFiles;
    uint16_t selectedDriveIndex = 0;
    uint16_t driveKind = 0;
};

enum class SnapshotStatus {
    Ok,
    NotSnapshot,   // the mode letter is not 'D', 'A' or 'R'
    WrongTag,      // not written by this program
    WrongVersion,  // another version of the format
    Damaged,       // truncated, a length or count that does not fit, no terminator
};

std::vector<uint8_t> EncodeSnapshot(const SnapshotContents& contents);

// Checks every length, count and terminator against the data's size.
SnapshotStatus DecodeSnapshot(const uint8_t* data, size_t size, SnapshotContents& contents);

constexpr size_t kSnapshotHeaderSize = 12;
constexpr size_t kSnapshotBodyOffset = 80;
