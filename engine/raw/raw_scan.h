// The Raw Scan: files found by the bytes that begin a sector.
#pragma once

#include <cstdint>

// The worker: establishes the partition parameters as the Standard Scan
// does, then carves. 1 when the carving ran.
int RawScanThread();

// Starts RawScanThread on the scan thread (the scan page's Next, after the
// file types were chosen).
void StartRawScan();

// Matches every sector of the scanned range against SignatureList and
// appends a CarvedFileRecord per hit, then builds the results.
void CarveSignatures();

// Sectors of the last Raw Scan that could not be read (zero-filled and
// carved past).
extern uint32_t RawUnreadableSectors;
