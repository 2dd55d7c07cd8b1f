// FAT directory sectors: 8.3 names, long names, deleted entries.
#pragma once

#include <cstdint>
#include <string>

#include "byte_view.h"

constexpr int kLongNameBufferLength = 261;
constexpr int kFatEntrySize = 32;
constexpr uint8_t kLongNameAttribute = 0x0F;
constexpr uint8_t kDirectoryAttribute = 0x10;
constexpr uint8_t kDeletedMark = 0xE5;

// Collects the long name of the short entry at byte offset `entryOffset` of a
// 512-byte directory sector from the long-name entries before it in the same
// sector. Returns 0 when a long name was put into `name` (at least 261
// characters), 1 when none precedes the entry.
int ReadLongFileName(const uint8_t* sector, char16_t* name, int entryOffset);
// The same over a view that may hold the directory's sectors before the
// entry's own.
int ReadLongFileName(ByteView view, char16_t* name, int entryOffset);

// The 8.3 name of a 32-byte entry: name and extension without blanks, a dot
// between them; a deleted entry keeps its 0xE5 first byte.
std::u16string ShortFileName(ByteView entry);

// 1 when a name may be listed: no control characters and none of "\/?*<>|.
int IsValidFileName(const char16_t* name);

// The name of the short entry at byte `entryOffset` of `view` as it is
// listed: its long name when one precedes it, else its 8.3 name with a
// deleted entry's 0xE5 shown as 'x' (which sets `deleted` to 1). False when
// the name may not be listed.
bool ListedEntryName(ByteView view, int entryOffset, std::u16string& name, uint32_t& deleted);

// Parses entries firstEntry..15 of one directory sector into the FAT lists.
// Sets endOfDirectory to 1 at an entry whose first byte is 0. previousSector,
// when given, is the sector before this one in the same directory: long-name
// entries there belong to the first entries of this one.
void ParseFatDirSector(const uint8_t* sector, uint32_t parentCluster, int& endOfDirectory,
                       uint32_t sectorNumber, uint32_t directoryDeleted, int firstEntry,
                       const uint8_t* previousSector = nullptr);
