// The Standard Scan: a volume read through its own structures.
#pragma once

#include <string>

#include "engine_ui.h"

// The worker: opens a logical drive's volume, establishes the geometry and
// runs the FAT or NTFS pass. 1 when a pass ran, 0 otherwise.
int StandardScanThread();

// Starts StandardScanThread on the scan thread (the scan page's Next).
void StartStandardScan();

void BuildFatTree();
void ScanMftRecords();
// Puts folders and files whose parent record was never found under "Lost Dir",
// one "Dir" folder per missing parent; a folder whose parents lead round in
// a circle goes there itself.
void GroupLostFolders();

// The end of a scan: the page's navigation disabled while the results tree
// is built, its "Root" inserted and returned.
TreeItem BeginResultsTree();

// What every scan worker does first: opens a logical drive's volume and
// establishes the geometry from the boot sector or by the parameter search,
// then shows the scan captions. 0 (the scan ended with a message) on failure.
int EstablishScanParameters();

// Ends a scan that could not run: shows the message and returns the scan
// page to a state from which the user can go back.
void EndScanWithFailure(const std::u16string& message);
