// RAR archives listed through "unrar.dll", loaded by name. Entry points
// use the standard Win32 calling convention.
#pragma once

#include "framework.h"
#include "rar_records.h"

struct RarEntry {
  CString Name;
  ULONGLONG Flags = 0;
  ULONGLONG PackedSize = 0;
  ULONGLONG UnpackedSize = 0;
  ULONGLONG Time = 0;  // the DOS date-time word in both halves
  ULONGLONG Attributes = 0;
};

class CRarReader {
 public:
  CRarReader();
  ~CRarReader();
  CRarReader(const CRarReader&) = delete;
  CRarReader& operator=(const CRarReader&) = delete;

  BOOL List(const char* name);
  int GetEntryCount() const { return static_cast<int>(m_entries.GetSize()); }
  RarEntry GetEntry(int index) const { return m_entries[index]; }

  CString ErrorText;
  CString ArchiveName;

 private:
  HMODULE m_library = nullptr;
  CArray<RarEntry, const RarEntry&> m_entries;
};
