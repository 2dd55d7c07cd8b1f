#include "shell_icon_list.h"

#include <shellapi.h>

namespace {

UINT SizeFlag(BOOL bSmall) { return bSmall ? SHGFI_SMALLICON : SHGFI_LARGEICON; }

// The shell takes the attributes given instead of asking the disk.
int IconIndexFor(LPCWSTR lpszName, DWORD dwAttributes, BOOL bSmall) {
  SHFILEINFOW info = {};
  if (SHGetFileInfoW(lpszName, dwAttributes, &info, sizeof(info),
                     SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | SizeFlag(bSmall)) == 0)
    return -1;
  return info.iIcon;
}

}  // namespace

HIMAGELIST CShellIconList::GetSystemImageList(BOOL bSmall) const {
  SHFILEINFOW info = {};
  return reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"c:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SizeFlag(bSmall)));
}

int CShellIconList::GetFileIconIndex(LPCWSTR lpszName, BOOL bSmall) const {
  return IconIndexFor(lpszName != nullptr ? lpszName : L"", FILE_ATTRIBUTE_NORMAL, bSmall);
}

int CShellIconList::GetFolderIconIndex(BOOL bSmall) const {
  return IconIndexFor(L"Doesn't matter", FILE_ATTRIBUTE_DIRECTORY, bSmall);
}

CString CShellIconList::GetFileTypeName(LPCWSTR lpszName) const {
  SHFILEINFOW info = {};
  if (SHGetFileInfoW(lpszName != nullptr ? lpszName : L"", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                     SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES) == 0)
    return CString();
  return CString(info.szTypeName);
}
