// Cabinet files listed through the system's "Cabinet.dll", loaded by name:
// the library walks the cabinet and reports each file, which is recorded
// and skipped, so nothing is written.
#pragma once

#include "framework.h"

class CArchiveEntry : public CObject {
 public:
  CString Name;    // after the entry path's last "\"
  CString Folder;  // up to and including it, or empty
  UINT Size = 0;
  FILETIME Time = {};
  WORD Attributes = 0;
};

// The entries of the last cabinet listed, the newest at the head; the list
// owns them.
extern CObList CabEntryList;

void AddArchiveEntry(const CString& name, const CString& folder, UINT size, const FILETIME& time, WORD attributes);
void ClearCabEntryList();

// Walks the cabinet into CabEntryList; 1 when the library walked it, 0 when
// the library, one of its four entry points, or the walk failed.
int WalkCabinet(const CString& path);
