// File Filters: what Add accepts, in which order, and that closing writes
// the list into the engine's table and lists the root again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "file_filters_dlg.h"
#include "results_resources.h"
#include "settings.h"
#include "test_app.h"

namespace {

class FiltersDialog : public CFileFiltersDlg {
 public:
  void Add(LPCWSTR text) {
    SetDlgItemText(IDC_FILTER_EDIT, text);
    SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
  std::vector<std::wstring> Entries() {
    std::vector<std::wstring> entries;
    const HWND list = ::GetDlgItem(m_hWnd, IDC_FILTER_LIST);
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      wchar_t text[64] = {};
      ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      entries.push_back(text);
    }
    return entries;
  }
};

std::wstring Slot(int slot) {
  std::wstring text;
  for (int i = 0; i < kFilterLength && FilterTable[slot][i] != 0; ++i) text += static_cast<wchar_t>(FilterTable[slot][i]);
  return text;
}

class FileFiltersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FilterCount = 0;
    CFileFiltersDlg::ShowMessage = [this](LPCWSTR text) { messages.push_back(text); };
    ASSERT_TRUE(dialog.Create(IDD_FILE_FILTERS));
    dialog.ListRootAgain = [this] { ++listings; };
  }
  void TearDown() override {
    if (::IsWindow(dialog.m_hWnd)) dialog.DestroyWindow();
    FilterCount = 0;
  }
  FiltersDialog dialog;
  std::vector<std::wstring> messages;
  int listings = 0;
};

TEST_F(FileFiltersTest, AddChecksInOrder) {
  const struct {
    LPCWSTR text;
    LPCWSTR message;  // nullptr: accepted
  } cases[] = {
      {L"*.JPG", nullptr},
      {L"abcdefghijklmnopqrs", nullptr},  // 19 characters
      {L"abcdefghijklmnopqrst", L"      Filter too long     "},
      {L"", L"      You can not add a blank entry.     "},
      {L"*.JPG", L"      Filter already exists in the list     "},
      {L"*.jpg", nullptr},  // letter case makes another filter
  };
  for (const auto& c : cases) {
    messages.clear();
    dialog.Add(c.text);
    if (c.message == nullptr)
      EXPECT_TRUE(messages.empty()) << CString(c.text).ToAnsi();
    else
      EXPECT_EQ(messages, std::vector<std::wstring>{c.message}) << CString(c.text).ToAnsi();
  }
  // The newest first, in the list and, after Close, in the table.
  EXPECT_EQ(dialog.Entries(), (std::vector<std::wstring>{L"*.jpg", L"abcdefghijklmnopqrs", L"*.JPG"}));
  EXPECT_EQ(FilterCount, 3);
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_EQ(FilterCount, 3);
  EXPECT_EQ(Slot(0), L"*.jpg");
  EXPECT_EQ(Slot(2), L"*.JPG");
  EXPECT_EQ(listings, 1);
}

TEST_F(FileFiltersTest, NinetyNineAtMostAndRemovingAllClearsTheTable) {
  for (int i = 0; i < 99; ++i) dialog.Add((L"f" + std::to_wstring(i)).c_str());
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(FilterCount, 99);
  dialog.Add(L"");
  dialog.Add(L"one more");
  EXPECT_EQ(messages, (std::vector<std::wstring>(2, L"      You cannot add more Filters     ")));
  const HWND list = ::GetDlgItem(dialog.m_hWnd, IDC_FILTER_LIST);
  while (::SendMessageW(list, LB_GETCOUNT, 0, 0) > 0) {
    ::SendMessageW(list, LB_SETCURSEL, 0, 0);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FILTER_REMOVE, BN_CLICKED), 0);
  }
  // Remove without a selection changes nothing.
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FILTER_REMOVE, BN_CLICKED), 0);
  EXPECT_EQ(FilterCount, 0);
  dialog.SendMessage(WM_CLOSE);
  EXPECT_EQ(FilterCount, 0);
  EXPECT_EQ(listings, 1);
}

}  // namespace
