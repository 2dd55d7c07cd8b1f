// A stand-in for the RAR library, built for the tests only and placed
// beside them in a folder of its own: any archive whose name does not end
// in "broken.rar" holds the same three canned entries.
#include <windows.h>

#include <cstring>

#include "rar_records.h"

namespace {

struct Canned {
  const char* name;
  unsigned int flags, unpackSize, unpackSizeHigh, attributes;
};
const Canned kEntries[] = {
    {"docs", 32992, 0, 0, FILE_ATTRIBUTE_DIRECTORY},
    {"docs\\big.bin", 32960, 0x40000000, 1, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY},
    {"odd.txt", 0x8000, 12, 0, FILE_ATTRIBUTE_HIDDEN},
};

struct Archive {
  int next = 0;
};

}  // namespace

#define STANDIN extern "C" __declspec(dllexport)

STANDIN HANDLE WINAPI RAROpenArchiveEx(RarOpenRecord* record) {
  const size_t length = record->archiveName != nullptr ? strlen(record->archiveName) : 0;
  const bool broken = length >= 10 && strcmp(record->archiveName + length - 10, "broken.rar") == 0;
  // The caller must ask for a listing without a comment buffer.
  if (broken || record->openMode != 0 || record->commentBuffer != nullptr) {
    record->openResult = 12;
    return nullptr;
  }
  record->openResult = 0;
  return new Archive;
}

STANDIN int WINAPI RARReadHeaderEx(HANDLE handle, RarHeaderRecord* header) {
  auto* archive = static_cast<Archive*>(handle);
  if (archive->next >= int(sizeof kEntries / sizeof kEntries[0])) return 10;
  if (header->commentBuffer == nullptr || header->commentBufferSize != 16384) return 12;
  const Canned& entry = kEntries[archive->next];
  strcpy(header->fileName, entry.name);
  header->flags = entry.flags;
  header->packSize = 7;
  header->packSizeHigh = 0;
  header->unpackSize = entry.unpackSize;
  header->unpackSizeHigh = entry.unpackSizeHigh;
  header->fileTime = 0x5A8C6000;  // 2025-04-12 12:00:00
  header->fileAttributes = entry.attributes;
  return 0;
}

STANDIN int WINAPI RARProcessFile(HANDLE handle, int operation, char*, char*) {
  // Only skipping is allowed: a listing extracts nothing.
  if (operation != 0) return 22;
  ++static_cast<Archive*>(handle)->next;
  return 0;
}

STANDIN int WINAPI RARCloseArchive(HANDLE handle) {
  delete static_cast<Archive*>(handle);
  return 0;
}
