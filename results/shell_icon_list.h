// The shell's system image list, and the icon index and type name of a file
// or folder by its name alone: no file is ever opened or looked up on disk,
// so found names that exist nowhere get the icon of their extension.
#pragma once

#include "framework.h"

class CShellIconList {
 public:
  HIMAGELIST GetSystemImageList(BOOL bSmall) const;
  // -1 when the shell has no icon for the name.
  int GetFileIconIndex(LPCWSTR lpszName, BOOL bSmall) const;
  int GetFolderIconIndex(BOOL bSmall) const;
  CString GetFileTypeName(LPCWSTR lpszName) const;
};
