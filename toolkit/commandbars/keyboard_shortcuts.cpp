#include "keyboard_shortcuts.h"

#include "command_bars.h"

IMPLEMENT_DYNCREATE(CTkKeyboardShortcuts, CCmdTarget)

namespace {

struct KeyName {
  UINT key;
  LPCWSTR name;
};

// In the order the map is filled; digits, letters, F1-F12 and Num 0-9 are
// made in code before and among these.
const KeyName kLowKeys[] = {
    {0x01, L"Left Button"}, {0x02, L"Right Button"}, {0x03, L"Ctrl+Break"}, {0x04, L"Middle Button"},
    {0x08, L"Backspace"},   {0x09, L"Tab"},          {0x0C, L"Clear"},      {0x0D, L"Enter"},
    {0x10, L"Shift"},       {0x11, L"Ctrl"},         {0x12, L"Alt"},        {0x13, L"Pause"},
    {0x14, L"Caps Lock"},   {0x1B, L"Esc"},          {0x20, L"Space"},      {0x21, L"Page Up"},
    {0x22, L"Page Down"},   {0x23, L"End"},          {0x24, L"Home"},       {0x25, L"Left Arrow"},
    {0x26, L"Up Arrow"},    {0x27, L"Right Arrow"},  {0x28, L"Down Arrow"}, {0x29, L"Select"},
    {0x2A, L"Print"},       {0x2B, L"Execute"},      {0x2C, L"Snapshot"},   {0x2D, L"Ins"},
    {0x2E, L"Del"},         {0x2F, L"Help"},
};
const KeyName kWindowsKeys[] = {
    {0x5B, L"Left Windows"}, {0x5C, L"Right Windows"}, {0x5D, L"Application"}, {0x6A, L"Num *"},
    {0x6B, L"Num +"},        {0x6C, L"Separator"},     {0x6D, L"Num -"},       {0x6E, L"Num ."},
    {0x6F, L"Num /"},
};
const KeyName kHighKeys[] = {
    {0x90, L"Num Lock"}, {0xF6, L"Attn"},    {0xF7, L"Crsel"},   {0xF8, L"Exsel"}, {0xF9, L"Ereof"},
    {0xFA, L"Play"},     {0xFB, L"Zoom"},    {0xFC, L"No Name"}, {0xFD, L"Pa1"},   {0xFE, L"Oem Clear"},
};
const UINT kScrollLock = 0x91;

// Accelerator flag bits.
const BYTE kAccelModifiers = FSHIFT | FCONTROL | FALT;
// Bytes of one stored accelerator: flags, padding, key, command.
const UINT kStoredAccelSize = 6;
const LPCWSTR kAcceleratorsValue = L"Accelerators";

int PriorityOf(BYTE flags) {
  if ((flags & FCONTROL) != 0) return 3;
  if ((flags & FALT) != 0) return 2;
  if ((flags & FSHIFT) != 0) return 1;
  return 4;
}

std::vector<HKL> InstalledLayouts() {
  const int count = ::GetKeyboardLayoutList(0, nullptr);
  std::vector<HKL> layouts(count > 0 ? static_cast<size_t>(count) : 0);
  if (count > 0) layouts.resize(static_cast<size_t>(::GetKeyboardLayoutList(count, layouts.data())));
  return layouts;
}

WCHAR TranslateInLayout(UINT key, const BYTE* keyState, HKL layout) {
  WCHAR buffer[4] = {};
  const UINT scan = ::MapVirtualKeyExW(key, MAPVK_VK_TO_VSC, layout);
  const int produced = ::ToUnicodeEx(key, scan, keyState, buffer, 4, 0, layout);
  return produced == 1 ? buffer[0] : 0;
}

// The system's case mapping: the C library's knows only the "C" locale.
WCHAR Upper(WCHAR character) {
  return static_cast<WCHAR>(reinterpret_cast<ULONG_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(character)))));
}

}  // namespace

std::vector<HKL> (*MnemonicLayouts)() = InstalledLayouts;
WCHAR (*TranslateKeyInLayout)(UINT key, const BYTE* keyState, HKL layout) = TranslateInLayout;

CTkKeyNameMap::CTkKeyNameMap() : m_names(10) {
  m_names.InitHashTable(17);
  for (WCHAR digit = L'0'; digit <= L'9'; ++digit) m_names.SetAt(digit, CString(digit));
  for (WCHAR letter = L'A'; letter <= L'Z'; ++letter) m_names.SetAt(letter, CString(letter));
  for (const KeyName& entry : kLowKeys) m_names.SetAt(entry.key, entry.name);
  for (const KeyName& entry : kWindowsKeys) m_names.SetAt(entry.key, entry.name);
  for (UINT i = 0; i < 12; ++i) {
    CString name;
    name.Format(L"F%u", i + 1);
    m_names.SetAt(VK_F1 + i, name);
  }
  for (UINT i = 0; i < 10; ++i) {
    CString name;
    name.Format(L"Num %u", i);
    m_names.SetAt(VK_NUMPAD0 + i, name);
  }
  m_names.SetAt(kHighKeys[0].key, kHighKeys[0].name);
  m_names.SetAt(kScrollLock, L"Scrl Lock");
  for (size_t i = 1; i < sizeof kHighKeys / sizeof kHighKeys[0]; ++i) m_names.SetAt(kHighKeys[i].key, kHighKeys[i].name);
}

CString CTkKeyNameMap::Lookup(UINT key) const {
  CString name;
  m_names.Lookup(key, name);
  return name;
}

void CTkKeyNameMap::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(m_names.GetCount());
    for (POSITION position = m_names.GetStartPosition(); position != nullptr;) {
      UINT key = 0;
      CString name;
      m_names.GetNextAssoc(position, key, name);
      ar << static_cast<DWORD>(key) << name;
    }
    return;
  }
  m_names.RemoveAll();
  DWORD count = 0;
  ar >> count;
  for (DWORD i = 0; i < count; ++i) {
    DWORD key = 0;
    CString name;
    ar >> key >> name;
    m_names.SetAt(key, name);
  }
}

std::vector<ACCEL> CopyAcceleratorEntries(HACCEL table) {
  if (table == nullptr) return {};
  const int count = ::CopyAcceleratorTableW(table, nullptr, 0);
  if (count <= 0) return {};
  std::vector<ACCEL> entries(static_cast<size_t>(count));
  // The padding byte of each record goes to the profile as it is here.
  ZeroMemory(entries.data(), entries.size() * sizeof(ACCEL));
  const int copied = ::CopyAcceleratorTableW(table, entries.data(), count);
  entries.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return entries;
}

HACCEL DuplicateAcceleratorTable(HACCEL source) {
  std::vector<ACCEL> entries = CopyAcceleratorEntries(source);
  if (entries.empty()) return nullptr;
  return ::CreateAcceleratorTableW(entries.data(), static_cast<int>(entries.size()));
}

CString GetSystemKeyName(UINT key) {
  if (key == VK_CANCEL) return CString();
  LONG code = static_cast<LONG>(::MapVirtualKeyExW(key, MAPVK_VK_TO_VSC, ::GetKeyboardLayout(0)) << 16) | 1;
  if (key >= VK_PRIOR && key <= VK_HELP) code |= 0x1000000;
  WCHAR buffer[50] = {};
  if (::GetKeyNameTextW(code, buffer, 50) <= 0) return CString();
  CString name(buffer);
  name.MakeLower();
  for (int i = 0; i < name.GetLength(); ++i) {
    if (::IsCharLowerW(name[i])) {
      name.SetAt(i, Upper(name[i]));
      break;
    }
  }
  return name;
}

BOOL IsKeyForMnemonic(WCHAR character, UINT key) {
  if (::MapVirtualKeyW(key, MAPVK_VK_TO_CHAR) == 0) return FALSE;
  if (key == character || key == Upper(character)) return TRUE;
  const std::vector<HKL> layouts = MnemonicLayouts();
  if (layouts.size() < 2) return FALSE;
  BYTE keyState[256] = {};
  if (!::GetKeyboardState(keyState)) return FALSE;
  for (HKL layout : layouts) {
    const WCHAR translated = TranslateKeyInLayout(key, keyState, layout);
    if (translated == 0) continue;
    if (translated == character || Upper(translated) == Upper(character)) return TRUE;
  }
  return FALSE;
}

CTkKeyboardShortcuts::CTkKeyboardShortcuts(CTkCommandBars* owner)
    : m_pOwner(owner), m_pKeyNameMap(new CTkKeyNameMap) {}

CTkKeyboardShortcuts::~CTkKeyboardShortcuts() {
  ReplaceTable(m_hAccelTable, nullptr);
  ReplaceTable(m_hOriginalAccelTable, nullptr);
  delete m_pKeyNameMap;
}

void CTkKeyboardShortcuts::ReplaceTable(HACCEL& table, HACCEL replacement) {
  if (table != nullptr) ::DestroyAcceleratorTable(table);
  table = replacement;
}

BOOL CTkKeyboardShortcuts::LoadFromResource(UINT id) {
  ReplaceTable(m_hAccelTable, nullptr);
  ReplaceTable(m_hOriginalAccelTable, nullptr);
  LPCWSTR name = MAKEINTRESOURCEW(id);
  HINSTANCE module = AfxFindResourceHandle(name, RT_ACCELERATOR);
  if (module == nullptr || ::FindResourceW(module, name, RT_ACCELERATOR) == nullptr) return FALSE;
  HACCEL loaded = ::LoadAcceleratorsW(module, name);
  if (loaded == nullptr) return FALSE;
  m_hOriginalAccelTable = DuplicateAcceleratorTable(loaded);
  m_hAccelTable = DuplicateAcceleratorTable(loaded);
  ::DestroyAcceleratorTable(loaded);
  return TRUE;
}

void CTkKeyboardShortcuts::SaveAccelerators(LPCWSTR section) {
  CWinApp* app = AfxGetApp();
  if (m_hOriginalAccelTable == nullptr || app == nullptr) return;
  const std::vector<ACCEL> entries = CopyAcceleratorEntries(m_hAccelTable);
  std::vector<BYTE> bytes(entries.size() * kStoredAccelSize, 0);
  for (size_t i = 0; i < entries.size(); ++i) {
    BYTE* record = &bytes[i * kStoredAccelSize];
    // The same six bytes in every build, whatever the compiler's layout.
    record[0] = entries[i].fVirt;
    record[1] = reinterpret_cast<const BYTE*>(&entries[i])[1];
    record[2] = LOBYTE(entries[i].key);
    record[3] = HIBYTE(entries[i].key);
    record[4] = LOBYTE(entries[i].cmd);
    record[5] = HIBYTE(entries[i].cmd);
  }
  BYTE none = 0;
  app->WriteProfileBinary(section, kAcceleratorsValue, bytes.empty() ? &none : bytes.data(),
                          static_cast<UINT>(bytes.size()));
}

int CTkKeyboardShortcuts::LoadAccelerators(LPCWSTR section) {
  CWinApp* app = AfxGetApp();
  if (m_hOriginalAccelTable == nullptr || app == nullptr) return 0;
  LPBYTE data = nullptr;
  UINT size = 0;
  if (!app->GetProfileBinary(section, kAcceleratorsValue, &data, &size) || data == nullptr) return 0;
  const UINT count = size / kStoredAccelSize;
  std::vector<ACCEL> entries(count);
  ZeroMemory(entries.data(), entries.size() * sizeof(ACCEL));
  for (UINT i = 0; i < count; ++i) {
    const BYTE* record = data + i * kStoredAccelSize;
    entries[i].fVirt = record[0];
    entries[i].key = MAKEWORD(record[2], record[3]);
    entries[i].cmd = MAKEWORD(record[4], record[5]);
  }
  delete[] data;
  // An empty value keeps the table the resources gave.
  if (count > 0) SetAccelerators(entries.data(), static_cast<int>(count));
  return 0;
}

void CTkKeyboardShortcuts::SetAccelerators(const ACCEL* accels, int count) {
  HACCEL table = accels != nullptr && count > 0 ? ::CreateAcceleratorTableW(const_cast<ACCEL*>(accels), count) : nullptr;
  ReplaceTable(m_hAccelTable, table);
}

void CTkKeyboardShortcuts::ResetAccelerators() {
  ReplaceTable(m_hAccelTable, DuplicateAcceleratorTable(m_hOriginalAccelTable));
}

BOOL CTkKeyboardShortcuts::TranslateAccelerator(HWND window, MSG* msg) {
  if (m_nDisableCount >= 1 || window == nullptr || msg == nullptr) return FALSE;
  HACCEL table = GetAcceleratorTable();
  return table != nullptr && ::TranslateAcceleratorW(window, table, msg) != 0;
}

BOOL CTkKeyboardShortcuts::FindAcceleratorText(UINT id, CString& text) {
  HACCEL table = GetAcceleratorTable();
  if (table == nullptr && m_hOriginalAccelTable == nullptr && m_pOwner != nullptr) {
    CWnd* frame = m_pOwner->GetFrame();
    if (frame != nullptr && frame->IsFrameWnd()) table = static_cast<CFrameWnd*>(frame)->m_hAccelTable;
  }
  if (table == nullptr) return FALSE;
  CString best;
  int bestPriority = 0;
  BOOL found = FALSE;
  BOOL incomingSeen = FALSE;
  for (const ACCEL& accel : CopyAcceleratorEntries(table)) {
    if (accel.cmd != id) continue;
    CString formatted;
    int priority = 0;
    FormatAcceleratorText(formatted, accel, &priority);
    if (formatted == text) incomingSeen = TRUE;
    if (!found || priority > bestPriority) {
      best = formatted;
      bestPriority = priority;
    }
    found = TRUE;
  }
  if (!found) {
    text.Empty();
    return FALSE;
  }
  if (!incomingSeen) text = best;
  return TRUE;
}

void CTkKeyboardShortcuts::FormatAcceleratorText(CString& text, const ACCEL& accel, int* priority) {
  CTkAcceleratorTextBuilder builder(this);
  if (!((accel.fVirt & FVIRTKEY) != 0 && accel.key == VK_CANCEL)) {
    if ((accel.fVirt & FCONTROL) != 0) builder.AddModifier(VK_CONTROL);
    if ((accel.fVirt & FSHIFT) != 0) builder.AddModifier(VK_SHIFT);
    if ((accel.fVirt & FALT) != 0) builder.AddModifier(VK_MENU);
  }
  builder.AddKey(accel);
  text = builder.GetText();
  if (priority != nullptr) *priority = PriorityOf(accel.fVirt & kAccelModifiers);
}

CString CTkKeyboardShortcuts::GetKeyName(UINT key) {
  const CString mapped = m_pKeyNameMap->Lookup(key);
  if (m_bUseSystemKeyNameText) {
    const CString system = GetSystemKeyName(key);
    return system.IsEmpty() ? mapped : system;
  }
  return mapped.IsEmpty() ? GetSystemKeyName(key) : mapped;
}

BOOL CTkKeyboardShortcuts::IsAcceleratorAllowed(const ACCEL& accel) {
  return (accel.fVirt & kAccelModifiers) != 0 || (accel.fVirt & FVIRTKEY) == 0 || accel.key != VK_ESCAPE ||
         m_bAllowEscape;
}

void CTkAcceleratorTextBuilder::AddModifier(UINT key) {
  const CString name = m_pShortcuts->GetKeyName(key);
  if (name.IsEmpty()) return;
  m_text += name;
  m_text += L'+';
}

void CTkAcceleratorTextBuilder::AddKey(const ACCEL& accel) {
  if ((accel.fVirt & FVIRTKEY) != 0) {
    m_text += m_pShortcuts->GetKeyName(accel.key);
    return;
  }
  if (accel.key == 0) {
    RemoveTrailingPlus();
    return;
  }
  // Escape and Tab as characters have no text of their own.
  if (accel.key == VK_ESCAPE || accel.key == VK_TAB) return;
  m_text += static_cast<WCHAR>(accel.key);
}

void CTkAcceleratorTextBuilder::RemoveTrailingPlus() {
  const int length = m_text.GetLength();
  if (length > 0 && m_text[length - 1] == L'+') m_text.Delete(length - 1);
}
