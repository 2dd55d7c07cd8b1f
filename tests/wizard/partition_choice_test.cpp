// "Please Select", answered from a watcher as a user would.
#include <gtest/gtest.h>

#include "partition_choice_dlg.h"
#include "test_app.h"
#include "volumes/partition_table.h"
#include "wizard_resources.h"

namespace {

enum class Answer { OkUntouched, SearchThenOk, Escape };

void AnswerDialog(Answer answer) {
  HWND dialog = WaitForDialog(L"Please Select");
  if (dialog == nullptr) return;
  HWND ok = ::GetDlgItem(dialog, IDOK);
  switch (answer) {
    case Answer::OkUntouched:
      ::SendMessageW(ok, BM_CLICK, 0, 0);
      break;
    case Answer::SearchThenOk:
      ::SendMessageW(::GetDlgItem(dialog, IDC_SEARCH_PARTITION), BM_CLICK, 0, 0);
      ::SendMessageW(ok, BM_CLICK, 0, 0);
      break;
    case Answer::Escape:
      ::PostMessageW(ok, WM_KEYDOWN, VK_ESCAPE, 0);
      break;
  }
}

struct ChoiceCase {
  const char* name;
  Answer answer;
  int before;
  INT_PTR result;
  int after;
};

TEST(PartitionChoice, OkWritesTheChoiceAndEscapeKeepsIt) {
  const ChoiceCase cases[] = {
      {"OK untouched", Answer::OkUntouched, 1, IDOK, 0},
      {"Search partition", Answer::SearchThenOk, 0, IDOK, 1},
      {"Escape after a table read", Answer::Escape, 0, IDCANCEL, 0},
      {"Escape keeps a previous search", Answer::Escape, 1, IDCANCEL, 1},
  };
  for (const ChoiceCase& c : cases) {
    SCOPED_TRACE(c.name);
    SearchPartitionsRequested = c.before;
    CPartitionChoiceDlg dialog;
    INT_PTR result = 0;
    {
      Watcher watcher([&] { AnswerDialog(c.answer); });
      result = dialog.DoModal();
    }
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(SearchPartitionsRequested, c.after);
  }
}

TEST(PartitionChoice, TheTemplateHidesCancelAndStartsOnTheExistingPartitions) {
  CPartitionChoiceDlg dialog;
  bool cancelVisible = true, existingChecked = false, searchChecked = true;
  CString group;
  {
    Watcher watcher([&] {
      HWND hDlg = WaitForDialog(L"Please Select");
      if (hDlg == nullptr) return;
      cancelVisible = ::IsWindowVisible(::GetDlgItem(hDlg, IDCANCEL)) != FALSE;
      existingChecked = ::SendMessageW(::GetDlgItem(hDlg, IDC_USE_EXISTING), BM_GETCHECK, 0, 0) == BST_CHECKED;
      searchChecked = ::SendMessageW(::GetDlgItem(hDlg, IDC_SEARCH_PARTITION), BM_GETCHECK, 0, 0) == BST_CHECKED;
      WCHAR text[64] = {};
      ::GetDlgItemTextW(hDlg, IDC_CHOICE_GROUP, text, 64);
      group = text;
      ::SendMessageW(::GetDlgItem(hDlg, IDOK), BM_CLICK, 0, 0);
    });
    dialog.DoModal();
  }
  EXPECT_FALSE(cancelVisible);
  EXPECT_TRUE(existingChecked);
  EXPECT_FALSE(searchChecked);
  EXPECT_EQ(group, L"Please Select");
}

}  // namespace
