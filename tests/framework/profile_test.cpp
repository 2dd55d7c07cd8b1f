#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework.h"
#include "test_app.h"

namespace {

// Uses the test prefix's registry under a key of its own.
class Profile : public ::testing::Test {
 protected:
  void SetUp() override {
    app.SetRegistryKey(KeyOfThisTest(L"Mulvara Framework Tests"));
    app.WriteProfileString(L"Settings", nullptr, nullptr);
  }
  void TearDown() override {
    app.WriteProfileString(L"Settings", nullptr, nullptr);
    app.WriteProfileString(L"Recent File List", nullptr, nullptr);
  }
  TestApp& app = TheTestApp();
};

TEST_F(Profile, KeepsIntegersStringsAndBinaryValues) {
  EXPECT_EQ(app.GetProfileInt(L"Settings", L"VertSplitPos", 250), 250u);
  EXPECT_TRUE(app.WriteProfileInt(L"Settings", L"VertSplitPos", 180));
  EXPECT_EQ(app.GetProfileInt(L"Settings", L"VertSplitPos", 250), 180u);

  EXPECT_EQ(app.GetProfileString(L"Settings", L"Folder", L"none"), L"none");
  EXPECT_TRUE(app.WriteProfileString(L"Settings", L"Folder", L"C:\\Recovered"));
  EXPECT_EQ(app.GetProfileString(L"Settings", L"Folder"), L"C:\\Recovered");

  BYTE placement[6] = {1, 2, 3, 0, 255, 7};
  EXPECT_TRUE(app.WriteProfileBinary(L"Settings", L"Placement", placement, sizeof placement));
  LPBYTE data = nullptr;
  UINT size = 0;
  ASSERT_TRUE(app.GetProfileBinary(L"Settings", L"Placement", &data, &size));
  ASSERT_EQ(size, sizeof placement);
  EXPECT_EQ(0, std::memcmp(data, placement, size));
  delete[] data;

  // A null value deletes the entry, a null entry the whole section.
  EXPECT_TRUE(app.WriteProfileString(L"Settings", L"Folder", nullptr));
  EXPECT_EQ(app.GetProfileString(L"Settings", L"Folder", L"gone"), L"gone");
  EXPECT_EQ(app.GetProfileInt(L"Settings", L"VertSplitPos", 1), 180u);
  EXPECT_TRUE(app.WriteProfileString(L"Settings", nullptr, nullptr));
  EXPECT_EQ(app.GetProfileInt(L"Settings", L"VertSplitPos", 1), 1u);
  EXPECT_FALSE(app.GetProfileBinary(L"Settings", L"Placement", &data, &size));

  HKEY direct;
  std::wstring path = std::wstring(L"Software\\") + KeyOfThisTest(L"Mulvara Framework Tests") + L"\\FrameworkTests";
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &direct),
            ERROR_SUCCESS);
  RegCloseKey(direct);
}

TEST_F(Profile, RecentFileListMovesReusedNamesToTheTop) {
  CRecentFileList list(0, L"Recent File List", L"File%d", 4, 24);
  for (LPCWSTR path : {L"C:\\scans\\a.wrx", L"C:\\scans\\b.wrx", L"C:\\scans\\A.WRX"}) list.Add(path);
  EXPECT_EQ(list[0], L"C:\\scans\\A.WRX");
  EXPECT_EQ(list[1], L"C:\\scans\\b.wrx");
  EXPECT_TRUE(list[2].IsEmpty());
  for (int i = 0; i < 5; ++i) {
    CString path;
    path.Format(L"C:\\scans\\%d.wrx", i);
    list.Add(path);
  }
  EXPECT_EQ(list[0], L"C:\\scans\\4.wrx");
  EXPECT_EQ(list[3], L"C:\\scans\\1.wrx");

  list.WriteList();
  CRecentFileList reread(0, L"Recent File List", L"File%d", 4);
  reread.ReadList();
  for (int i = 0; i < 4; ++i) EXPECT_EQ(reread[i], list[i]);
  EXPECT_EQ(app.GetProfileString(L"Recent File List", L"File1"), L"C:\\scans\\4.wrx");

  struct Case {
    LPCWSTR path;
    LPCWSTR currentDir;
    LPCWSTR expected;
  } cases[] = {
      {L"C:\\scans\\4.wrx", L"C:\\scans", L"4.wrx"},
      {L"C:\\scans\\4.wrx", L"C:\\other", L"C:\\scans\\4.wrx"},
      {L"C:\\deep\\folder\\tree\\of\\results.wrx", nullptr, L"C:\\...\\of\\results.wrx"},
      {L"C:\\x\\a-very-long-snapshot-name.wrx", nullptr, L"a-very-long-snapshot-name.wrx"},
  };
  for (const Case& c : cases) {
    list[0] = c.path;
    CString shown;
    int currentLength = c.currentDir != nullptr ? static_cast<int>(wcslen(c.currentDir)) : 0;
    ASSERT_TRUE(list.GetDisplayName(shown, 0, c.currentDir, currentLength));
    EXPECT_EQ(shown, c.expected) << c.path;
  }
  list.Remove(0);
  EXPECT_EQ(list[0], L"C:\\scans\\3.wrx");
  EXPECT_TRUE(list[3].IsEmpty());
  CString none;
  EXPECT_FALSE(list.GetDisplayName(none, 3, nullptr, 0));
}

}  // namespace
