// The Raw Scan's process-wide lists: the signatures chosen for carving and
// the files carved by them.
#pragma once

#include <cstdint>
#include <string>

#include "entry_list.h"

// One checked file type. The signature is upper-case hexadecimal text; the
// scan compares that many leading bytes of a sector with it.
struct SignatureEntry {
    char16_t* extension;
    char16_t* fileType;
    uint32_t signatureLength;
    char* signature;
    uint32_t number;  // kept in Raw Scan snapshots only
    SignatureEntry* next;
};

struct CarvedFileRecord {
    char16_t* name;  // running number and extension, "12.jpg"
    char16_t* extension;
    char16_t* fileType;
    uint32_t startSector;
    uint32_t runningNumber;
    CarvedFileRecord* next;
};

extern EntryList<SignatureEntry> SignatureList;
extern uint32_t SignatureCount;
extern EntryList<CarvedFileRecord> CarvedFileList;

// Megabytes written for every carved file (1 to 20).
extern int CarveSizeLimitMB;

// Append a copy at the tail. AddSignatureEntry leaves SignatureCount alone.
void AddSignatureEntry(const char16_t* extension, const char16_t* fileType,
                       uint32_t signatureLength, const char* signature, uint32_t number);
void AddCarvedFile(const char16_t* name, const char16_t* extension, const char16_t* fileType,
                   uint32_t runningNumber, uint32_t startSector);

void FreeSignatureList();
void FreeCarvedFileList();
