// What the scan page's Next decides before a scan starts, without the page:
// the refusals, the file-system choice and the sector range. Each refusal
// shows its message and leaves the scan unstarted.
#pragma once

#include <cstdint>

#include "framework.h"

// The NTFS refusal (the framework's message box) and the row check (a
// program message): the Advance Scan passes row -1, the others need a row
// of 0 or more. TRUE when Next may go on.
BOOL CheckScanChoice(int scanMode, int selectedRow);

// The hidden file-system combo's selection: 0 NTFS, 1 FAT32, 2 FAT16; any
// other leaves the chosen type.
void ApplyFileSystemChoice(int comboSelection);

// The start and end edits' texts as unsigned sector numbers. The last
// sector is included: count = last - first + 1, cut at the device's end so
// a whole-disk end stays in range. First and last are stored as soon as
// they are read; FALSE after a message when a text is not a number or the
// end is not above the start.
BOOL ReadSectorRange(const CString& startText, const CString& endText, uint64_t deviceSectors);

// The logical drive's volume closed and opened again through the engine;
// FALSE after a message when it cannot be opened.
BOOL ReopenLogicalVolume();

// An unsigned decimal number as GetDlgItemInt reads one: optional blanks,
// digits, optional blanks; FALSE for anything else or past 32 bits.
BOOL ParseUnsigned(const CString& text, uint32_t& value);
