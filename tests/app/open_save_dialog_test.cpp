// The snapshot commands' file dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_watch.h"
#include "open_save_dialog.h"
#include "test_app.h"

namespace {

struct SelectionCase {
  const char* name;
  DWORD flags;
  std::wstring buffer;  // as the system leaves it, zeros included
  std::vector<std::wstring> paths;
};

const SelectionCase kSelectionCases[] = {
    {"single file", OFN_HIDEREADONLY, std::wstring(L"C:\\Scans\\a.wrx\0", 15), {L"C:\\Scans\\a.wrx"}},
    {"single file of a multiple selection", 0x206, std::wstring(L"C:\\Scans\\a.wrx\0\0", 16),
     {L"C:\\Scans\\a.wrx"}},
    {"two files", 0x206, std::wstring(L"C:\\Scans\0a.wrx\0b.wrx\0\0", 22),
     {L"C:\\Scans\\a.wrx", L"C:\\Scans\\b.wrx"}},
    {"three files in a drive's root", 0x206, std::wstring(L"D:\\\0x.wrx\0y.wrx\0z.wrx\0\0", 23),
     {L"D:\\x.wrx", L"D:\\y.wrx", L"D:\\z.wrx"}},
    {"folder ending in a slash", 0x206, std::wstring(L"E:/\0x.wrx\0\0", 11), {L"E:/x.wrx"}},
};

TEST(COpenSaveDialog, NextSelectedPathWalksTheSelection) {
  for (const SelectionCase& c : kSelectionCases) {
    SCOPED_TRACE(c.name);
    std::vector<WCHAR> buffer(MAX_PATH, 0);
    std::copy(c.buffer.begin(), c.buffer.end(), buffer.begin());
    COpenSaveDialog dialog(1, nullptr, buffer.data(), c.flags, L"*.wrx\0*.wrx\0", nullptr);
    std::vector<std::wstring> paths;
    for (POSITION pos = dialog.GetStartPosition(); pos != nullptr && paths.size() < 10;)
      paths.push_back(static_cast<LPCWSTR>(dialog.GetNextSelectedPath(pos)));
    EXPECT_EQ(paths, c.paths);
  }
}

// A buffer the system filled to its end without a closing zero is read
// only up to its capacity.
TEST(COpenSaveDialog, NextSelectedPathStaysInsideTheBuffer) {
  WCHAR buffer[12] = {L'C', L':', L'\\', 0, L'a', L'.', L'w', L'r', L'x', 0, L'b', L'c'};
  COpenSaveDialog dialog(1, nullptr, buffer, 0x206, nullptr, nullptr, 12);
  POSITION pos = dialog.GetStartPosition();
  EXPECT_EQ(dialog.GetNextSelectedPath(pos), L"C:\\a.wrx");
  ASSERT_NE(pos, nullptr);
  EXPECT_EQ(dialog.GetNextSelectedPath(pos), L"C:\\bc");
  EXPECT_EQ(pos, nullptr);
}

TEST(COpenSaveDialog, ConstructionAndStructureSize) {
  COpenSaveDialog dialog(0, L"wrx", nullptr, 0x1802, L"*.wrx\0*.wrx\0", nullptr);
  EXPECT_EQ(dialog.m_ofn.Flags, DWORD(0x1802 | OFN_EXPLORER));
  EXPECT_EQ(dialog.m_ofn.nMaxFile, DWORD(MAX_PATH));
  EXPECT_EQ(dialog.m_ofn.nMaxFileTitle, DWORD(MAX_PATH));
  EXPECT_EQ(dialog.GetFilePath(), L"");
  // Windows 2000 and later take the whole structure, older ones the short one.
  // GetVersion: major version in the low byte, minor in the next.
  EXPECT_EQ(COpenSaveDialog::StructureSize(0x05650004), DWORD(OPENFILENAME_SIZE_VERSION_400W));
  EXPECT_EQ(COpenSaveDialog::StructureSize(0x08930005), DWORD(sizeof(OPENFILENAMEW)));
  EXPECT_EQ(COpenSaveDialog::StructureSize(0x1DB10106), DWORD(sizeof(OPENFILENAMEW)));
#ifndef _WIN64
  EXPECT_EQ(sizeof(OPENFILENAMEW), 88u);
  EXPECT_EQ(OPENFILENAME_SIZE_VERSION_400W, 76u);
#endif
}

// The real dialogs: a chosen file comes back as the selection's only path,
// a cancelled one leaves the buffer empty.
TEST(COpenSaveDialog, ShowModalAnswersWithTheChoice) {
  WCHAR temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  CString path;
  path.Format(L"%lsopen_save_%lu.wrx", temp, GetCurrentProcessId());
  HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  CloseHandle(h);
  {
    WCHAR buffer[MAX_PATH] = {};
    wcscpy(buffer, path);
    COpenSaveDialog dialog(1, nullptr, buffer, 0x206, L"*.wrx\0*.wrx\0", nullptr);
    Watcher watcher([] {
      HWND hDlg = WaitForDialog(L"Open");
      ASSERT_NE(hDlg, nullptr);
      PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.ShowModal(), IDOK);
    EXPECT_EQ(dialog.m_ofn.lStructSize, DWORD(sizeof(OPENFILENAMEW)));
    POSITION pos = dialog.GetStartPosition();
    EXPECT_EQ(dialog.GetNextSelectedPath(pos).CompareNoCase(path), 0);
    EXPECT_EQ(pos, nullptr);
  }
  {
    COpenSaveDialog dialog(0, nullptr, nullptr, 0x1802, L"*.wrx\0*.wrx\0", nullptr);
    Watcher watcher([] {
      HWND hDlg = WaitForDialog(L"Save As");
      ASSERT_NE(hDlg, nullptr);
      PostMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dialog.ShowModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetFilePath(), L"");
  }
  DeleteFileW(path);
}

}  // namespace
