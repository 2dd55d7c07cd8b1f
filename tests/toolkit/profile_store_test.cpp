#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "profile_store.h"
#include "test_app.h"

namespace {

LPCWSTR CompanyKey() { return KeyOfThisTest(L"Mulvara Toolkit Tests"); }

// Uses the test prefix's registry under a key of its own.
class ProfileStore : public ::testing::Test {
 protected:
  void SetUp() override {
    app.SetRegistryKey(CompanyKey());
    CTkProfileStore(HKEY_CURRENT_USER).WriteText(L"Settings", nullptr, nullptr);
  }
  void TearDown() override {
    ProfileIniFileName.Empty();
    app.SetRegistryKey(CompanyKey());
    CTkProfileStore(HKEY_CURRENT_USER).WriteText(L"Settings", nullptr, nullptr);
  }
  HKEY OpenSection(LPCWSTR section) {
    CTkProfileStore store(HKEY_CURRENT_USER);
    return store.OpenSectionKey(section, KEY_READ | KEY_WRITE);
  }
  TestApp& app = TheTestApp();
};

TEST_F(ProfileStore, KeepsTextAndBytesInTheRegistry) {
  CTkProfileStore store(HKEY_CURRENT_USER);
  EXPECT_EQ(store.ReadText(L"Settings", L"Folder", L"none"), L"none");
  EXPECT_EQ(store.ReadText(L"Missing", L"Folder", nullptr), L"");
  EXPECT_EQ(store.WriteText(L"Settings", L"Folder", L"C:\\Recovered"), 1);
  EXPECT_EQ(store.WriteText(L"Settings", L"Widths", L"80,120"), 1);
  EXPECT_EQ(store.ReadText(L"Settings", L"Folder", L"none"), L"C:\\Recovered");

  const BYTE bytes[] = {0x3C, 0x00, 0xFF};
  EXPECT_EQ(store.WriteBytes(L"Settings", L"Blob", bytes, sizeof bytes), 1);
  BYTE* read = nullptr;
  UINT count = 0;
  ASSERT_TRUE(store.ReadBytes(L"Settings", L"Blob", &read, &count));
  ASSERT_EQ(count, sizeof bytes);
  EXPECT_EQ(0, std::memcmp(read, bytes, count));
  delete[] read;

  // The layout: HKCU\Software\<key>\<profile name>\<section>.
  HKEY direct;
  std::wstring path = std::wstring(L"Software\\") + CompanyKey() + L"\\FrameworkTests\\Settings";
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &direct),
            ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  EXPECT_EQ(RegQueryValueExW(direct, L"Folder", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, sizeof L"C:\\Recovered");
  RegCloseKey(direct);

  // A null text removes the value only; a null name the whole section.
  EXPECT_EQ(store.WriteText(L"Settings", L"Folder", nullptr), 1);
  EXPECT_EQ(store.ReadText(L"Settings", L"Folder", L"gone"), L"gone");
  EXPECT_EQ(store.ReadText(L"Settings", L"Widths", nullptr), L"80,120");
  EXPECT_EQ(store.WriteText(L"Settings", nullptr, nullptr), 1);
  EXPECT_EQ(store.ReadText(L"Settings", L"Widths", L"none"), L"none");
  EXPECT_FALSE(store.ReadBytes(L"Settings", L"Blob", &read, &count));
  EXPECT_EQ(read, nullptr);
  EXPECT_FALSE(store.ReadBytes(L"Nowhere", L"Blob", &read, &count));
  EXPECT_EQ(read, nullptr);
}

// Text values are read whole, always terminated, and only as text.
TEST_F(ProfileStore, TextValuesAreCheckedAndTerminated) {
  HKEY key = OpenSection(L"Settings");
  ASSERT_NE(key, nullptr);
  const WCHAR unterminated[] = {L'a', L'b', L'c'};
  RegSetValueExW(key, L"NoZero", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated), sizeof unterminated);
  RegSetValueExW(key, L"OddSize", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"xyz"), 7);
  DWORD number = 0x00410041;
  RegSetValueExW(key, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  RegSetValueExW(key, L"Empty", 0, REG_SZ, reinterpret_cast<const BYTE*>(L""), 0);
  RegCloseKey(key);

  CTkProfileStore store(HKEY_CURRENT_USER);
  struct Case {
    LPCWSTR name;
    LPCWSTR expected;
  } cases[] = {{L"NoZero", L"abc"}, {L"OddSize", L"xyz"}, {L"Number", L"default"}, {L"Empty", L""}};
  for (const Case& c : cases) EXPECT_EQ(store.ReadText(L"Settings", c.name, L"default"), c.expected) << c.name;
}

TEST_F(ProfileStore, WithoutApplicationNamesTheRegistryIsLeftAlone) {
  app.SetRegistryKey(static_cast<LPCWSTR>(nullptr));
  CTkProfileStore store(HKEY_CURRENT_USER);
  EXPECT_FALSE(store.ResolveAppNames());
  EXPECT_EQ(store.WriteText(L"Settings", L"Folder", L"x"), 0);
  EXPECT_EQ(store.ReadText(L"Settings", L"Folder", L"default"), L"default");
  BYTE one = 1;
  EXPECT_EQ(store.WriteBytes(L"Settings", L"Blob", &one, 1), 0);
  BYTE* read = reinterpret_cast<BYTE*>(&one);
  UINT count = 5;
  EXPECT_FALSE(store.ReadBytes(L"Settings", L"Blob", &read, &count));
  EXPECT_EQ(read, nullptr);
  EXPECT_EQ(store.OpenAppKey(KEY_READ), nullptr);
}

TEST_F(ProfileStore, KeepsTextAndLetterPairsInAnIniFile) {
  WCHAR folder[MAX_PATH], path[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  GetTempFileNameW(folder, L"tki", 0, path);
  ProfileIniFileName = path;
  CTkProfileStore store(HKEY_CURRENT_USER);

  EXPECT_NE(store.WriteText(L"Settings", L"Folder", L"C:\\Recovered"), 0);
  EXPECT_EQ(store.ReadText(L"Settings", L"Folder", L"none"), L"C:\\Recovered");
  EXPECT_EQ(store.ReadText(L"Settings", L"Missing", L"none"), L"none");

  const BYTE bytes[] = {0x3C, 0x00, 0xFF};
  EXPECT_NE(store.WriteBytes(L"Settings", L"Blob", bytes, sizeof bytes), 0);
  EXPECT_EQ(store.ReadText(L"Settings", L"Blob", nullptr), L"MDAAPP");
  BYTE* read = nullptr;
  UINT count = 0;
  ASSERT_TRUE(store.ReadBytes(L"Settings", L"Blob", &read, &count));
  ASSERT_EQ(count, 3u);
  EXPECT_EQ(0, std::memcmp(read, bytes, 3));
  delete[] read;

  // A trailing unpaired letter is ignored; an empty value is no value.
  store.WriteText(L"Settings", L"Odd", L"PPB");
  ASSERT_TRUE(store.ReadBytes(L"Settings", L"Odd", &read, &count));
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(read[0], 0xFF);
  delete[] read;
  store.WriteText(L"Settings", L"Empty", L"");
  EXPECT_FALSE(store.ReadBytes(L"Settings", L"Empty", &read, &count));
  EXPECT_EQ(read, nullptr);

  // The registry is not touched.
  EXPECT_EQ(CTkProfileStore(HKEY_CURRENT_USER).OpenSectionKey(L"Settings", KEY_READ) != nullptr, true);
  ProfileIniFileName.Empty();
  EXPECT_EQ(store.ReadText(L"Settings", L"Folder", L"none"), L"none");
  ProfileIniFileName = path;

  EXPECT_NE(store.WriteText(L"Settings", L"Folder", nullptr), 0);
  EXPECT_EQ(store.ReadText(L"Settings", L"Folder", L"gone"), L"gone");
  EXPECT_NE(store.WriteText(L"Settings", nullptr, nullptr), 0);
  EXPECT_EQ(store.ReadText(L"Settings", L"Blob", L"gone"), L"gone");
  DeleteFileW(path);
}

class WindowPlacement : public ProfileStore {
 protected:
  void SetUp() override {
    ProfileStore::SetUp();
    ASSERT_TRUE(window.CreateEx(0, AfxRegisterWndClass(0), L"Placement", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 120,
                                300, 200, nullptr, nullptr));
    PumpPending();
  }
  void TearDown() override {
    if (window.m_hWnd != nullptr) window.DestroyWindow();
    ProfileStore::TearDown();
  }
  CRect NormalRect() {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(window.m_hWnd, &placement);
    return CRect(placement.rcNormalPosition);
  }
  CWnd window;
};

TEST_F(WindowPlacement, SavedChangedAndRestored) {
  CTkWindowPlacementStore store;
  CRect saved = NormalRect();
  ASSERT_TRUE(store.SaveWindowPlacement(&window));

  // The stored value: 48 bytes, a zero word, then the length 48.
  CTkProfileStore profile(HKEY_CURRENT_USER);
  BYTE* bytes = nullptr;
  UINT count = 0;
  ASSERT_TRUE(profile.ReadBytes(L"Settings", L"Window Position", &bytes, &count));
  ASSERT_EQ(count, 48u);
  DWORD words[3];
  std::memcpy(words, bytes, sizeof words);
  EXPECT_EQ(words[0], 0u);
  EXPECT_EQ(words[1], 48u);
  delete[] bytes;

  window.MoveWindow(10, 10, 150, 100);
  PumpPending();
  EXPECT_NE(NormalRect(), saved);
  CTkWindowPlacementStore restorer;
  ASSERT_TRUE(restorer.RestoreWindowPlacement(&window));
  PumpPending();
  EXPECT_EQ(NormalRect(), saved);
  EXPECT_EQ(restorer.m_record.placement.length, 48u);
}

TEST_F(WindowPlacement, MaximisedStaysMaximisedMinimisedComesBackNormal) {
  CTkWindowPlacementStore store;
  CRect normal = NormalRect();
  window.ShowWindow(SW_MAXIMIZE);
  PumpPending();
  ASSERT_TRUE(store.SaveWindowPlacement(&window, L"Maximised"));
  EXPECT_EQ(store.m_record.placement.showCmd, static_cast<UINT>(SW_SHOWMAXIMIZED));
  window.ShowWindow(SW_RESTORE);
  PumpPending();
  ASSERT_FALSE(window.IsZoomed());
  ASSERT_TRUE(CTkWindowPlacementStore().RestoreWindowPlacement(&window, L"Maximised"));
  PumpPending();
  EXPECT_TRUE(window.IsZoomed());

  window.ShowWindow(SW_RESTORE);
  window.ShowWindow(SW_MINIMIZE);
  PumpPending();
  ASSERT_TRUE(store.SaveWindowPlacement(&window, L"Minimised"));
  EXPECT_EQ(store.m_record.placement.showCmd, static_cast<UINT>(SW_SHOWNORMAL));
  window.ShowWindow(SW_RESTORE);
  window.MoveWindow(5, 5, 120, 90);
  PumpPending();
  ASSERT_TRUE(CTkWindowPlacementStore().RestoreWindowPlacement(&window, L"Minimised"));
  PumpPending();
  EXPECT_FALSE(window.IsIconic());
  EXPECT_EQ(NormalRect(), normal);
}

TEST_F(WindowPlacement, NothingOrAWrongSizedValueRestoresNothing) {
  CRect before = NormalRect();
  CTkWindowPlacementStore store;
  EXPECT_FALSE(store.RestoreWindowPlacement(&window));
  EXPECT_EQ(NormalRect(), before);

  CTkProfileStore profile(HKEY_CURRENT_USER);
  BYTE bytes[49] = {};
  for (UINT size : {0u, 44u, 47u, 49u}) {
    profile.WriteBytes(L"Settings", L"Window Position", bytes, size);
    CTkWindowPlacementStore other;
    EXPECT_FALSE(other.LoadWindowPlacement()) << size;
    EXPECT_EQ(other.m_record.placement.length, 48u);
    EXPECT_EQ(other.m_record.placement.showCmd, static_cast<UINT>(SW_SHOW));
    EXPECT_FALSE(other.RestoreWindowPlacement(&window));
  }
  EXPECT_EQ(NormalRect(), before);

  // A placement that could not be written is not reported as saved.
  app.SetRegistryKey(static_cast<LPCWSTR>(nullptr));
  EXPECT_FALSE(store.SaveWindowPlacement(&window));
  app.SetRegistryKey(CompanyKey());

  CWnd none;
  EXPECT_FALSE(store.SaveWindowPlacement(&none));
  EXPECT_FALSE(store.SaveWindowPlacement(nullptr));
  EXPECT_FALSE(store.RestoreWindowPlacement(nullptr));
}

}  // namespace
