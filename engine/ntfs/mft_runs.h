// The extents of the MFT itself, from the $DATA runs of MFT record 0 (or its
// copy in $MFTMirr) and the records its attribute list names; they map an MFT
// record number to its sector.
#pragma once

#include <cstdint>
#include <vector>

// One entry per extent: first sector (absolute; 0 for a sparse extent) and
// length in sectors.
extern std::vector<uint32_t> MftRunStarts;
extern std::vector<uint32_t> MftRunLengths;
extern uint16_t MftRunCount;

// Rebuilds the tables. Record 0 is read at mftStart; when it is not a usable
// record 0 its copy at mftMirrStart is used.
void ReadDataRuns(uint32_t cluster0Sector, int deviceSlot, uint32_t mftStart,
                  uint32_t sectorsPerCluster, uint32_t mftMirrStart);

// Sector of an MFT record, or 0 (also in sector) when the tables do not
// reach it or it lies in a sparse extent.
uint32_t MftRecordToSector(uint32_t recordNumber, uint32_t& sector);
// The same over given tables; sector is left unchanged when they do not
// reach the record.
void MftRecordSectorIn(uint32_t recordNumber, const uint32_t* lengths, const uint32_t* starts,
                       uint32_t count, uint32_t& sector);

// The record numbers of the attribute-list entries of a record-0 image whose
// type equals wantedType, in list order, each once. A non-resident list is
// read from the device.
void CollectMftExtensionRecords(const uint8_t* record0, std::vector<uint32_t>& records,
                                uint32_t cluster0Sector, uint32_t wantedType,
                                uint32_t sectorsPerCluster);
