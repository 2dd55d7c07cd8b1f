// Named text and binary values in the application's profile: the registry
// under HKCU\Software\<registry key>\<profile name>\<section>, or an INI
// file while ProfileIniFileName is set. And the window-placement store.
#pragma once

#include "framework.h"

// While not empty, every profile store reads and writes this INI file.
extern CString ProfileIniFileName;

// Bytes as capital letters, two per byte: 'A' + low nibble, 'A' + high
// nibble. Decoding ignores a trailing unpaired letter.
CString EncodeLetterPairs(const BYTE* bytes, UINT count);
void DecodeLetterPairs(LPCWSTR text, BYTE* bytes, UINT count);

// A REG_SZ value read whole and always terminated; FALSE for a missing
// value or one of another type.
BOOL ReadRegistryText(HKEY key, LPCWSTR name, CString& text);

class CTkProfileStore {
 public:
  explicit CTkProfileStore(HKEY root) : m_hRoot(root) {}
  virtual ~CTkProfileStore() = default;
  CTkProfileStore(const CTkProfileStore&) = delete;
  CTkProfileStore& operator=(const CTkProfileStore&) = delete;

  // A null value name deletes the section, a null text the value.
  // 1 done, 0 failed, -1 access denied (INI: the writer's own result).
  int WriteText(LPCWSTR section, LPCWSTR valueName, LPCWSTR text);
  CString ReadText(LPCWSTR section, LPCWSTR valueName, LPCWSTR defaultText);
  int WriteBytes(LPCWSTR section, LPCWSTR valueName, const BYTE* bytes, UINT count);
  // *bytes is new[]-allocated for the caller; null on failure.
  BOOL ReadBytes(LPCWSTR section, LPCWSTR valueName, BYTE** bytes, UINT* count);

  BOOL ResolveAppNames();
  virtual HKEY OpenAppKey(REGSAM access);
  virtual HKEY OpenSectionKey(LPCWSTR section, REGSAM access);

 private:
  HKEY m_hRoot;
  LPCWSTR m_pszRegistryKey = nullptr;  // borrowed from the application
  LPCWSTR m_pszProfileName = nullptr;
};

// A window's position, size and show state as one 48-byte value: a zero
// word, then the window manager's 44-byte placement record with its length
// field holding 48.
class CTkWindowPlacementStore {
 public:
  CTkWindowPlacementStore();

  BOOL SaveWindowPlacement(CWnd* pWnd, LPCWSTR valueName = nullptr, LPCWSTR section = nullptr);
  BOOL LoadWindowPlacement(LPCWSTR valueName = nullptr, LPCWSTR section = nullptr);
  BOOL RestoreWindowPlacement(CWnd* pWnd, LPCWSTR valueName = nullptr, LPCWSTR section = nullptr);

  struct Record {
    DWORD reserved;
    WINDOWPLACEMENT placement;
  };
  static_assert(sizeof(Record) == 48, "the stored value is 48 bytes");
  Record m_record;
};
