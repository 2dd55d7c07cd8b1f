// The keyboard shortcuts of a frame's command bars: the accelerator table
// the frame's keys are translated through, the table as the resources gave
// it, the user's table in the profile, and the shortcut texts shown beside
// menu items and in tips, named from a table of our own.
#pragma once

#include <vector>

#include "framework.h"

class CTkCommandBars;

// The names of the virtual keys: a hash map filled once from a fixed table.
class CTkKeyNameMap : public CObject {
 public:
  CTkKeyNameMap();

  // Empty for a key the table does not name.
  CString Lookup(UINT key) const;
  INT_PTR GetCount() const { return m_names.GetCount(); }
  // The entry count, then per entry a 4-byte key and the name.
  void Serialize(CArchive& ar) override;

 private:
  CMap<UINT, UINT, CString, LPCWSTR> m_names;
};

// A new table with the entries of another; null for none or no entries.
HACCEL DuplicateAcceleratorTable(HACCEL source);
// The entries of a table, the padding bytes zeroed.
std::vector<ACCEL> CopyAcceleratorEntries(HACCEL table);
// The system's name of a key in the thread's layout, with only its first
// letter in upper case; empty when the system has none.
CString GetSystemKeyName(UINT key);
// Whether Alt and that key choose a caption letter: the key gives the
// character (either case) in the current layout or, with several layouts
// installed, in any of them.
BOOL IsKeyForMnemonic(WCHAR character, UINT key);

// The installed keyboard layouts and a key's character in one of them;
// tests give their own, as a prefix has one layout only.
extern std::vector<HKL> (*MnemonicLayouts)();
// 0 when the key gives no single character in that layout.
extern WCHAR (*TranslateKeyInLayout)(UINT key, const BYTE* keyState, HKL layout);

class CTkKeyboardShortcuts : public CCmdTarget {
  DECLARE_DYNCREATE(CTkKeyboardShortcuts)

 public:
  explicit CTkKeyboardShortcuts(CTkCommandBars* owner = nullptr);
  ~CTkKeyboardShortcuts() override;

  // The virtual operations in their slot order.
  // The shortcut text of a command; an incoming text that is one of the
  // command's texts stays. FALSE (text emptied) when no entry has the id.
  virtual BOOL FindAcceleratorText(UINT id, CString& text);
  // Priority: 4 no modifier, 3 Ctrl, 2 Alt, 1 Shift alone.
  virtual void FormatAcceleratorText(CString& text, const ACCEL& accel, int* priority = nullptr);
  virtual CString GetKeyName(UINT key);
  virtual BOOL IsAcceleratorAllowed(const ACCEL& accel);
  virtual HACCEL GetAcceleratorTable() { return m_hAccelTable; }
  virtual void ResetAccelerators();

  // Loads both tables from the module that holds the resource; FALSE when none does.
  BOOL LoadFromResource(UINT id);
  void SaveAccelerators(LPCWSTR section);
  int LoadAccelerators(LPCWSTR section);
  void SetAccelerators(const ACCEL* accels, int count);
  BOOL TranslateAccelerator(HWND window, MSG* msg);
  void DisableAccelerators(BOOL disable) { m_nDisableCount += disable ? 1 : -1; }

  HACCEL GetOriginalAcceleratorTable() const { return m_hOriginalAccelTable; }
  int GetDisableCount() const { return m_nDisableCount; }
  void SetOwner(CTkCommandBars* owner) { m_pOwner = owner; }
  BOOL IsPlainEscapeAllowed() const { return m_bAllowEscape; }
  void AllowPlainEscape(BOOL allow) { m_bAllowEscape = allow; }
  BOOL IsUsingSystemKeyNames() const { return m_bUseSystemKeyNameText; }
  void UseSystemKeyNames(BOOL use) { m_bUseSystemKeyNameText = use; }
  CTkKeyNameMap* GetKeyNameMap() const { return m_pKeyNameMap; }

 protected:
  void OnFinalRelease() override { delete this; }
  void ReplaceTable(HACCEL& table, HACCEL replacement);

  BOOL m_bAllowEscape = FALSE;
  BOOL m_bUseSystemKeyNameText = FALSE;
  int m_nDisableCount = 0;
  CTkCommandBars* m_pOwner;
  HACCEL m_hAccelTable = nullptr;
  HACCEL m_hOriginalAccelTable = nullptr;
  CTkKeyNameMap* m_pKeyNameMap;
};

// Puts one accelerator's text together: modifier names each followed by
// "+", then the key.
class CTkAcceleratorTextBuilder {
 public:
  explicit CTkAcceleratorTextBuilder(CTkKeyboardShortcuts* shortcuts) : m_pShortcuts(shortcuts) {}

  // The name of a key followed by "+"; nothing for an empty name.
  void AddModifier(UINT key);
  void AddKey(const ACCEL& accel);
  // Drops the trailing "+", when there is one.
  void RemoveTrailingPlus();
  const CString& GetText() const { return m_text; }

 private:
  CTkKeyboardShortcuts* m_pShortcuts;
  CString m_text;
};
