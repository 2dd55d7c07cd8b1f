// Keyboard shortcuts: key names, the texts of accelerators and of
// commands, the profile value "Accelerators", translation under the
// disable count, and a frame whose menus show its shortcuts.
#include <gtest/gtest.h>

#include <cwctype>
#include <vector>

#include "command_bars.h"
#include "frame_window.h"
#include "keyboard_shortcuts.h"
#include "menu_bar.h"
#include "popup_bar.h"
#include "bar_fixtures.h"
#include "test_app.h"
#include "../test_resources.h"

namespace {

const UINT kOptionsCommand = 2006;
const UINT kCustomizeCommand = 2001;
// No accelerator resource has this id in the test program.
const UINT kMissingAccelId = 128;

ACCEL Accel(BYTE flags, WORD key, WORD command = 1) {
  ACCEL accel;
  ZeroMemory(&accel, sizeof accel);
  accel.fVirt = flags;
  accel.key = key;
  accel.cmd = command;
  return accel;
}

CTkKeyboardShortcuts* MakeShortcuts(CTkCommandBars* owner = nullptr) { return new CTkKeyboardShortcuts(owner); }

TEST(KeyNameMap, HoldsTheTableNamesAndSerializesThem) {
  CTkKeyNameMap map;
  EXPECT_EQ(108, map.GetCount());
  const struct {
    UINT key;
    LPCWSTR name;
  } cases[] = {
      {'0', L"0"},          {'9', L"9"},          {'A', L"A"},           {'Z', L"Z"},
      {0x01, L"Left Button"}, {0x03, L"Ctrl+Break"}, {0x0D, L"Enter"},    {0x11, L"Ctrl"},
      {0x1B, L"Esc"},       {0x21, L"Page Up"},   {0x2E, L"Del"},        {0x2F, L"Help"},
      {0x5B, L"Left Windows"}, {0x5D, L"Application"}, {0x6B, L"Num +"}, {0x6E, L"Num ."},
      {0x60, L"Num 0"},     {0x69, L"Num 9"},     {0x70, L"F1"},         {0x7B, L"F12"},
      {0x90, L"Num Lock"},  {0x91, L"Scrl Lock"}, {0xF6, L"Attn"},       {0xFC, L"No Name"},
      {0xFE, L"Oem Clear"}, {0x07, L""},          {0x7C, L""},           {0xFF, L""},
  };
  for (const auto& entry : cases) EXPECT_EQ(CString(entry.name), map.Lookup(entry.key)) << std::hex << entry.key;

  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    map.Serialize(ar);
    ar.Close();
  }
  file.SeekToBegin();
  DWORD count = 0;
  ASSERT_EQ(sizeof count, file.Read(&count, sizeof count));
  EXPECT_EQ(108u, count);
  file.SeekToBegin();
  CTkKeyNameMap loaded;
  CArchive ar(&file, CArchive::load);
  loaded.Serialize(ar);
  EXPECT_EQ(108, loaded.GetCount());
  EXPECT_EQ(CString(L"Scrl Lock"), loaded.Lookup(0x91));
}

TEST(KeyboardShortcuts, FormatsAcceleratorsWithTheirPriorities) {
  CTkKeyboardShortcuts* shortcuts = MakeShortcuts();
  const struct {
    BYTE flags;
    WORD key;
    LPCWSTR text;
    int priority;
  } cases[] = {
      {FVIRTKEY | FCONTROL, 'O', L"Ctrl+O", 3},
      {FCONTROL, 'o', L"Ctrl+o", 3},
      // The character Tab and Escape add nothing after the modifiers.
      {FCONTROL, 9, L"Ctrl+", 3},
      {FCONTROL, 27, L"Ctrl+", 3},
      {FVIRTKEY | FCONTROL, VK_CANCEL, L"Ctrl+Break", 3},
      {FVIRTKEY, VK_ADD, L"Num +", 4},
      {FVIRTKEY | FCONTROL | FSHIFT, 'S', L"Ctrl+Shift+S", 3},
      {FVIRTKEY | FALT, VK_F4, L"Alt+F4", 2},
      {FVIRTKEY | FCONTROL | FALT, VK_DELETE, L"Ctrl+Alt+Del", 3},
      {FVIRTKEY | FSHIFT, VK_F5, L"Shift+F5", 1},
      {FVIRTKEY | FSHIFT | FALT, 'R', L"Shift+Alt+R", 2},
      // A key of 0 takes back the "+" before it, and only a "+".
      {FCONTROL, 0, L"Ctrl", 3},
      {0, 0, L"", 4},
  };
  for (const auto& entry : cases) {
    CString text = L"old";
    int priority = 0;
    shortcuts->FormatAcceleratorText(text, Accel(entry.flags, entry.key), &priority);
    EXPECT_EQ(CString(entry.text), text) << int(entry.flags) << " " << entry.key;
    EXPECT_EQ(entry.priority, priority) << CString(entry.text).ToAnsi();
  }
  shortcuts->InternalRelease();
}

TEST(KeyboardShortcuts, FindsTheTextOfTheBestAcceleratorAndKeepsAKnownOne) {
  CTkKeyboardShortcuts* shortcuts = MakeShortcuts();
  const ACCEL table[] = {
      Accel(FVIRTKEY | FSHIFT, VK_F5, 1), Accel(FVIRTKEY, VK_F5, 1),          Accel(FVIRTKEY | FALT, 'R', 2),
      Accel(FVIRTKEY | FCONTROL, 'R', 2), Accel(FVIRTKEY | FCONTROL, 'A', 3), Accel(FVIRTKEY | FCONTROL, 'B', 3),
      Accel(FVIRTKEY | FSHIFT, 'Q', 4),
  };
  shortcuts->SetAccelerators(table, 7);
  const struct {
    UINT command;
    LPCWSTR incoming;
    BOOL found;
    LPCWSTR text;
  } cases[] = {
      {1, L"", TRUE, L"F5"},
      {1, L"Shift+F5", TRUE, L"Shift+F5"},
      {1, L"Ctrl+F5", TRUE, L"F5"},
      {2, L"", TRUE, L"Ctrl+R"},
      {2, L"Alt+R", TRUE, L"Alt+R"},
      {3, L"", TRUE, L"Ctrl+A"},
      {4, L"", TRUE, L"Shift+Q"},
      {9, L"Ctrl+Z", FALSE, L""},
  };
  for (const auto& entry : cases) {
    CString text = entry.incoming;
    EXPECT_EQ(entry.found, shortcuts->FindAcceleratorText(entry.command, text)) << entry.command;
    EXPECT_EQ(CString(entry.text), text) << entry.command << " " << CString(entry.incoming).ToAnsi();
  }
  shortcuts->InternalRelease();
}

TEST(KeyboardShortcuts, RefusesOnlyPlainEscapeUnlessAllowed) {
  CTkKeyboardShortcuts* shortcuts = MakeShortcuts();
  const struct {
    BYTE flags;
    WORD key;
    BOOL allowed;
  } cases[] = {
      {FVIRTKEY, VK_ESCAPE, FALSE},          {FVIRTKEY | FSHIFT, VK_ESCAPE, TRUE}, {FVIRTKEY | FCONTROL, VK_ESCAPE, TRUE},
      {0, VK_ESCAPE, TRUE},                  {FVIRTKEY, VK_F5, TRUE},              {FVIRTKEY, 'A', TRUE},
  };
  for (const auto& entry : cases)
    EXPECT_EQ(entry.allowed, shortcuts->IsAcceleratorAllowed(Accel(entry.flags, entry.key))) << entry.key;
  shortcuts->AllowPlainEscape(TRUE);
  EXPECT_TRUE(shortcuts->IsAcceleratorAllowed(Accel(FVIRTKEY, VK_ESCAPE)));
  shortcuts->InternalRelease();
}

TEST(KeyboardShortcuts, SystemKeyNamesHaveOnlyTheirFirstLetterInUpperCase) {
  // Wine's names differ from Windows' ones: only the case rule is ours.
  for (UINT key : {UINT('A'), UINT(VK_NEXT), UINT(VK_CONTROL), UINT(VK_F5), UINT(VK_INSERT), UINT(VK_SPACE)}) {
    const CString name = GetSystemKeyName(key);
    BOOL firstLetterSeen = FALSE;
    for (int i = 0; i < name.GetLength(); ++i) {
      const WCHAR c = name[i];
      if (!std::iswalpha(c)) continue;
      if (!firstLetterSeen) {
        EXPECT_FALSE(std::iswlower(c)) << name.ToAnsi();
        firstLetterSeen = TRUE;
      } else {
        EXPECT_FALSE(std::iswupper(c)) << name.ToAnsi();
      }
    }
  }
  EXPECT_TRUE(GetSystemKeyName(VK_CANCEL).IsEmpty());

  CTkKeyboardShortcuts* shortcuts = MakeShortcuts();
  EXPECT_EQ(CString(L"Page Down"), shortcuts->GetKeyName(VK_NEXT));
  shortcuts->UseSystemKeyNames(TRUE);
  const CString system = GetSystemKeyName(VK_NEXT);
  EXPECT_EQ(system.IsEmpty() ? CString(L"Page Down") : system, shortcuts->GetKeyName(VK_NEXT));
  // Ctrl+Break has no system name: the table's stays.
  EXPECT_EQ(CString(L"Ctrl+Break"), shortcuts->GetKeyName(VK_CANCEL));
  shortcuts->InternalRelease();
}

// Two layouts: the second gives Cyrillic letters for A and F.
std::vector<HKL> TwoLayouts() {
  return {reinterpret_cast<HKL>(static_cast<INT_PTR>(0x04090409)), reinterpret_cast<HKL>(static_cast<INT_PTR>(0x04190419))};
}
WCHAR CyrillicInSecond(UINT key, const BYTE*, HKL layout) {
  if (layout == TwoLayouts()[0]) return static_cast<WCHAR>(std::towlower(static_cast<wint_t>(key)));
  if (key == 'A') return L'\x0444';  // ef
  if (key == 'F') return L'\x0430';  // a
  return 0;
}

TEST(KeyboardShortcuts, MatchesMnemonicsInEveryInstalledLayout) {
  const struct {
    WCHAR character;
    UINT key;
    BOOL oneLayout;
    BOOL twoLayouts;
  } cases[] = {
      {L'a', 'A', TRUE, TRUE},          {L'A', 'A', TRUE, TRUE},         {L'1', '1', TRUE, TRUE},
      {L'b', 'A', FALSE, FALSE},        {L'\x0444', 'A', FALSE, TRUE},   {L'\x0424', 'A', FALSE, TRUE},
      {L'\x0430', 'F', FALSE, TRUE},    {L'\x0430', 'A', FALSE, FALSE},  {L'x', VK_F1, FALSE, FALSE},
  };
  auto savedLayouts = MnemonicLayouts;
  auto savedTranslate = TranslateKeyInLayout;
  MnemonicLayouts = [] { return std::vector<HKL>{::GetKeyboardLayout(0)}; };
  for (const auto& entry : cases)
    EXPECT_EQ(entry.oneLayout, IsKeyForMnemonic(entry.character, entry.key)) << int(entry.character);
  MnemonicLayouts = TwoLayouts;
  TranslateKeyInLayout = CyrillicInSecond;
  for (const auto& entry : cases)
    EXPECT_EQ(entry.twoLayouts, IsKeyForMnemonic(entry.character, entry.key)) << int(entry.character);
  MnemonicLayouts = savedLayouts;
  TranslateKeyInLayout = savedTranslate;
}

// The raw bytes of a value in a profile section, or -1 as size when absent.
std::vector<BYTE> ReadValue(LPCWSTR section, LPCWSTR name, LONG* size) {
  std::vector<BYTE> bytes;
  *size = -1;
  HKEY key = TheTestApp().GetSectionKey(section);
  if (key == nullptr) return bytes;
  DWORD length = 0;
  if (::RegQueryValueExW(key, name, nullptr, nullptr, nullptr, &length) == ERROR_SUCCESS) {
    bytes.resize(length);
    ::RegQueryValueExW(key, name, nullptr, nullptr, bytes.data(), &length);
    *size = static_cast<LONG>(length);
  }
  ::RegCloseKey(key);
  return bytes;
}

class AcceleratorProfile : public ::testing::Test {
 protected:
  void SetUp() override {
    TheTestApp().SetRegistryKey(KeyOfThisTest(L"Mulvara Shortcut Tests"));
    shortcuts = MakeShortcuts();
    ASSERT_TRUE(shortcuts->LoadFromResource(IDR_TK_TEST_ACCEL));
  }
  void TearDown() override { shortcuts->InternalRelease(); }
  int CurrentCount() const { return static_cast<int>(CopyAcceleratorEntries(shortcuts->GetAcceleratorTable()).size()); }

  CTkKeyboardShortcuts* shortcuts = nullptr;
};

TEST_F(AcceleratorProfile, TwelveEntriesWriteSeventyTwoBytesAndSeventyThreeReadBackTwelve) {
  std::vector<ACCEL> twelve;
  for (WORD i = 0; i < 12; ++i) twelve.push_back(Accel(FVIRTKEY | FCONTROL, static_cast<WORD>('A' + i), 0x1234 + i));
  shortcuts->SetAccelerators(twelve.data(), 12);
  shortcuts->SaveAccelerators(L"Twelve");
  LONG size = 0;
  std::vector<BYTE> bytes = ReadValue(L"Twelve", L"Accelerators", &size);
  ASSERT_EQ(72, size);
  // Little-endian records, the padding byte zero.
  const BYTE first[6] = {FVIRTKEY | FCONTROL, 0, 'A', 0, 0x34, 0x12};
  EXPECT_EQ(0, memcmp(first, bytes.data(), 6));
  EXPECT_EQ(0x3F, bytes[66 + 4]);
  for (size_t i = 1; i < bytes.size(); i += 6) EXPECT_EQ(0, bytes[i]);

  bytes.push_back(0xEE);
  TheTestApp().WriteProfileBinary(L"Twelve", L"Accelerators", bytes.data(), 73);
  shortcuts->ResetAccelerators();
  EXPECT_EQ(3, CurrentCount());
  EXPECT_EQ(0, shortcuts->LoadAccelerators(L"Twelve"));
  const std::vector<ACCEL> loaded = CopyAcceleratorEntries(shortcuts->GetAcceleratorTable());
  ASSERT_EQ(12u, loaded.size());
  EXPECT_EQ('L', loaded[11].key);
  EXPECT_EQ(0x1234 + 11, loaded[11].cmd);
}

TEST_F(AcceleratorProfile, MissingOrEmptyValueKeepsTheResourceTable) {
  EXPECT_EQ(0, shortcuts->LoadAccelerators(L"Nothing Stored"));
  EXPECT_EQ(3, CurrentCount());
  BYTE none = 0;
  TheTestApp().WriteProfileBinary(L"Empty", L"Accelerators", &none, 0);
  shortcuts->LoadAccelerators(L"Empty");
  EXPECT_EQ(3, CurrentCount());
  // A table without entries is stored as an empty value.
  shortcuts->SetAccelerators(nullptr, 0);
  shortcuts->SaveAccelerators(L"Cleared");
  LONG size = 0;
  ReadValue(L"Cleared", L"Accelerators", &size);
  EXPECT_EQ(0, size);
}

TEST_F(AcceleratorProfile, TablesAreIndependentCopiesAndResetRestoresTheOriginal) {
  HACCEL original = shortcuts->GetOriginalAcceleratorTable();
  ASSERT_NE(nullptr, original);
  EXPECT_NE(original, shortcuts->GetAcceleratorTable());
  const ACCEL one[] = {Accel(FVIRTKEY, VK_F9, 7)};
  shortcuts->SetAccelerators(one, 1);
  EXPECT_EQ(1, CurrentCount());
  EXPECT_EQ(3u, CopyAcceleratorEntries(original).size());
  shortcuts->ResetAccelerators();
  EXPECT_EQ(3, CurrentCount());
  EXPECT_NE(original, shortcuts->GetAcceleratorTable());
  EXPECT_FALSE(shortcuts->LoadFromResource(kMissingAccelId));
  EXPECT_EQ(nullptr, shortcuts->GetAcceleratorTable());
  EXPECT_EQ(nullptr, shortcuts->GetOriginalAcceleratorTable());
}

// A frame made as the program makes its main frame: command bars in the
// creation handler, shortcuts from an accelerator resource.
class ShortcutFrame : public CTkFrameWnd {
 public:
  UINT accelId = IDR_TK_TEST_ACCEL;
  UINT menuId = IDM_TK_TEST_TOOLS;
  std::vector<UINT> commands;
  CTkCommandBars* Bars() const { return m_pCommandBars; }
  CTkKeyboardShortcuts* Shortcuts() const { return m_pCommandBars->GetKeyboardShortcuts(); }
  BOOL Key(UINT key) {
    MSG msg = {m_hWnd, WM_KEYDOWN, key, 0x00000001, 0, {0, 0}};
    return PreTranslateMessage(&msg);
  }

 protected:
  int OnCreate(LPCREATESTRUCTW lpcs) {
    if (CTkFrameWnd::OnCreate(lpcs) == -1) return -1;
    if (!CreateFrameCommandBars(this, menuId, m_pCommandBars)) return -1;
    m_pCommandBars->GetKeyboardShortcuts()->LoadFromResource(accelId);
    return 0;
  }
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    if (message == WM_COMMAND) commands.push_back(LOWORD(wParam));
    return CTkFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ShortcutFrame, CTkFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

CTkControl* MenuItem(ShortcutFrame* frame, UINT id) {
  CTkMenuBar* menuBar = frame->Bars()->GetMenuBar();
  if (menuBar == nullptr) return nullptr;
  for (int i = 0; i < menuBar->GetControlCount(); ++i) {
    CTkCommandBar* popup = menuBar->GetControl(i)->GetCommandBar();
    if (popup == nullptr) continue;
    if (popup->IsKindOf(RUNTIME_CLASS(CTkPopupBar))) static_cast<CTkPopupBar*>(popup)->UpdateShortcuts();
    if (CTkControl* control = popup->GetControls()->FindControl(id)) return control;
  }
  return nullptr;
}

TEST(ShortcutFrame, MenusShowTheShortcutsAndOnlyTheShortcutsTranslateKeys) {
  auto* frame = new ShortcutFrame;
  ASSERT_TRUE(frame->LoadFrame(IDM_TK_TEST_TOOLS, WS_OVERLAPPEDWINDOW));
  // The frame's own table of the same id gave way to the shortcuts'.
  EXPECT_EQ(nullptr, frame->m_hAccelTable);
  ASSERT_NE(nullptr, frame->Shortcuts()->GetAcceleratorTable());
  CTkControl* options = MenuItem(frame, kOptionsCommand);
  ASSERT_NE(nullptr, options);
  EXPECT_EQ(CString(L"Ctrl+O"), options->GetShortcutText());
  CTkControl* customize = MenuItem(frame, kCustomizeCommand);
  ASSERT_NE(nullptr, customize);
  EXPECT_EQ(CString(L"F5"), customize->GetShortcutText());

  EXPECT_TRUE(frame->Key(VK_F5));
  EXPECT_EQ(std::vector<UINT>{kCustomizeCommand}, frame->commands);
  // Two disables need two enables; print preview is one of them.
  frame->Shortcuts()->DisableAccelerators(TRUE);
  frame->Bars()->SetPreviewMode(TRUE);
  EXPECT_FALSE(frame->Key(VK_F5));
  frame->Bars()->SetPreviewMode(FALSE);
  EXPECT_FALSE(frame->Key(VK_F5));
  frame->Shortcuts()->DisableAccelerators(FALSE);
  EXPECT_TRUE(frame->Key(VK_F5));
  EXPECT_EQ(2u, frame->commands.size());
  frame->DestroyWindow();
}

TEST(ShortcutFrame, WithoutAnAcceleratorResourceNothingIsLoadedSavedOrTranslated) {
  TheTestApp().SetRegistryKey(KeyOfThisTest(L"Mulvara Shortcut Tests"));
  const ACCEL stored[] = {Accel(FVIRTKEY, VK_F5, kCustomizeCommand)};
  BYTE bytes[6] = {stored[0].fVirt, 0, LOBYTE(stored[0].key), 0, LOBYTE(stored[0].cmd), HIBYTE(stored[0].cmd)};
  TheTestApp().WriteProfileBinary(L"No Resource", L"Accelerators", bytes, 6);

  auto* frame = new ShortcutFrame;
  frame->accelId = kMissingAccelId;
  frame->menuId = IDM_TK_TEST_TOOLS;
  ASSERT_TRUE(frame->Create(nullptr, L"No shortcuts", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
  CTkKeyboardShortcuts* shortcuts = frame->Shortcuts();
  EXPECT_EQ(nullptr, shortcuts->GetAcceleratorTable());
  EXPECT_EQ(nullptr, shortcuts->GetOriginalAcceleratorTable());
  EXPECT_EQ(0, shortcuts->LoadAccelerators(L"No Resource"));
  EXPECT_EQ(nullptr, shortcuts->GetAcceleratorTable());
  shortcuts->SaveAccelerators(L"No Resource Saved");
  LONG size = 0;
  ReadValue(L"No Resource Saved", L"Accelerators", &size);
  EXPECT_EQ(-1, size);
  EXPECT_FALSE(frame->Key(VK_F5));
  EXPECT_TRUE(frame->commands.empty());
  // No table anywhere: the text stays as the menu gave it.
  CString text = L"F5";
  EXPECT_FALSE(shortcuts->FindAcceleratorText(kCustomizeCommand, text));
  EXPECT_EQ(CString(L"F5"), text);
  // The frame's own table is the fallback for the texts.
  frame->m_hAccelTable = ::LoadAcceleratorsW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_TK_TEST_ACCEL));
  text.Empty();
  EXPECT_TRUE(shortcuts->FindAcceleratorText(kOptionsCommand, text));
  EXPECT_EQ(CString(L"Ctrl+O"), text);
  frame->DestroyWindow();
}

}  // namespace
