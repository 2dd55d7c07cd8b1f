// The Recovery Settings dialog against the engine's settings.
#include <gtest/gtest.h>

#include "dialog_watch.h"
#include "engine_state.h"
#include "recovery_settings_dlg.h"
#include "resource.h"
#include "settings.h"
#include "test_app.h"
#include "xp_group_box.h"

namespace {

const wchar_t kCaption[] = L"Recovery Settings";

struct Shown {
  CString sectors, retries;
  int sectorItems = 0, retryItems = 0;
  CString firstSector, lastSector;
  int checked[6] = {};
  bool skinCovers = false;
  bool groupsBold = false;
};

int Checked(HWND hDlg, int nID) { return static_cast<int>(::SendDlgItemMessageW(hDlg, nID, BM_GETCHECK, 0, 0)); }

CString ComboItem(HWND hDlg, int nID, int index) {
  WCHAR text[16] = {};
  ::SendDlgItemMessageW(hDlg, nID, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

Shown Read(HWND hDlg) {
  Shown s;
  s.sectors = ItemText(hDlg, IDC_SECTORS_PER_READ);
  s.retries = ItemText(hDlg, IDC_BAD_SECTOR_RETRIES);
  s.sectorItems = static_cast<int>(::SendDlgItemMessageW(hDlg, IDC_SECTORS_PER_READ, CB_GETCOUNT, 0, 0));
  s.retryItems = static_cast<int>(::SendDlgItemMessageW(hDlg, IDC_BAD_SECTOR_RETRIES, CB_GETCOUNT, 0, 0));
  s.firstSector = ComboItem(hDlg, IDC_SECTORS_PER_READ, 0);
  s.lastSector = ComboItem(hDlg, IDC_SECTORS_PER_READ, 99);
  const int radios[6] = {IDC_RENAME_DUPLICATES, IDC_OVERWRITE_DUPLICATES, IDC_SKIP_DUPLICATES,
                         IDC_INCLUDE_DELETED,   IDC_ONLY_DELETED,         IDC_EXCLUDE_DELETED};
  for (int n = 0; n < 6; ++n) s.checked[n] = Checked(hDlg, radios[n]);
  s.skinCovers = SkinCovers(IDB_SETTINGS_SKIN, hDlg);
  s.groupsBold = true;
  for (int nID : {IDC_SECTORS_GROUP, IDC_DUPLICATES_GROUP, IDC_DELETED_GROUP, IDC_BAD_SECTORS_GROUP}) {
    auto* pGroup = dynamic_cast<CXPGroupBox*>(CWnd::FromHandlePermanent(::GetDlgItem(hDlg, nID)));
    s.groupsBold = s.groupsBold && pGroup != nullptr && pGroup->GetFontDescription().lfWeight == FW_BOLD &&
                   pGroup->GetCaptionAlignment() == CXPGroupBox::kCenter;
  }
  return s;
}

// Selects a combo item as the user does: the list then tells its owner.
void Choose(HWND hDlg, int nID, int index) {
  ::SendDlgItemMessageW(hDlg, nID, CB_SETCURSEL, index, 0);
}

class RecoverySettings : public ::testing::Test {
 protected:
  void SetUp() override { ResetEngineState(); }
  void TearDown() override { ResetEngineState(); }
};

TEST_F(RecoverySettings, OpensWithTheDefaultsAndStoresTheChoicesOnOk) {
  Shown shown;
  Watcher watcher([&] {
    HWND hDlg = WaitForDialog(kCaption);
    ASSERT_NE(hDlg, nullptr);
    shown = Read(hDlg);
    Choose(hDlg, IDC_SECTORS_PER_READ, 99);
    Choose(hDlg, IDC_BAD_SECTOR_RETRIES, 0);
    ::SendDlgItemMessageW(hDlg, IDC_SKIP_DUPLICATES, BM_CLICK, 0, 0);
    ::SendDlgItemMessageW(hDlg, IDC_ONLY_DELETED, BM_CLICK, 0, 0);
    ::PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
  });
  ShowRecoverySettingsDlg();
  // The combos hold "1" to "100" and "1" to "10" from the template's data.
  EXPECT_EQ(shown.sectorItems, 100);
  EXPECT_EQ(shown.retryItems, 10);
  EXPECT_EQ(shown.firstSector, L"1");
  EXPECT_EQ(shown.lastSector, L"100");
  EXPECT_EQ(shown.sectors, L"60");
  EXPECT_EQ(shown.retries, L"3");
  const int expected[6] = {BST_CHECKED, 0, 0, BST_CHECKED, 0, 0};
  for (int n = 0; n < 6; ++n) EXPECT_EQ(shown.checked[n], expected[n]) << "radio " << n;
  EXPECT_TRUE(shown.skinCovers);
  EXPECT_TRUE(shown.groupsBold);
  EXPECT_EQ(SectorsPerRead, 100);
  EXPECT_EQ(BadSectorRetries, 1);
  EXPECT_EQ(DuplicatePolicy, 3);
  EXPECT_EQ(DeletedFilesPolicy, 2);
}

TEST_F(RecoverySettings, CancelAndTheCloseBoxStoreNothing) {
  for (UINT close : {UINT(IDCANCEL), UINT(SC_CLOSE)}) {
    Watcher watcher([&] {
      HWND hDlg = WaitForDialog(kCaption);
      ASSERT_NE(hDlg, nullptr);
      Choose(hDlg, IDC_SECTORS_PER_READ, 0);
      Choose(hDlg, IDC_BAD_SECTOR_RETRIES, 9);
      ::SendDlgItemMessageW(hDlg, IDC_OVERWRITE_DUPLICATES, BM_CLICK, 0, 0);
      ::SendDlgItemMessageW(hDlg, IDC_EXCLUDE_DELETED, BM_CLICK, 0, 0);
      if (close == IDCANCEL)
        ::PostMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
      else
        ::PostMessageW(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    ShowRecoverySettingsDlg();
    EXPECT_EQ(SectorsPerRead, 60);
    EXPECT_EQ(BadSectorRetries, 3);
    EXPECT_EQ(DuplicatePolicy, 1);
    EXPECT_EQ(DeletedFilesPolicy, 1);
  }
}

// Values outside their ranges select and check nothing; OK then keeps them
// rather than storing 0 for a combo without selection.
TEST_F(RecoverySettings, OkKeepsValuesThatHaveNoChoice) {
  SectorsPerRead = 250;
  BadSectorRetries = 0;
  DuplicatePolicy = 7;
  DeletedFilesPolicy = 0;
  Shown shown;
  Watcher watcher([&] {
    HWND hDlg = WaitForDialog(kCaption);
    ASSERT_NE(hDlg, nullptr);
    shown = Read(hDlg);
    ::PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
  });
  ShowRecoverySettingsDlg();
  EXPECT_EQ(shown.sectors, L"");
  EXPECT_EQ(shown.retries, L"");
  for (int n = 0; n < 6; ++n) EXPECT_EQ(shown.checked[n], 0) << "radio " << n;
  EXPECT_EQ(SectorsPerRead, 250);
  EXPECT_EQ(BadSectorRetries, 0);
  EXPECT_EQ(DuplicatePolicy, 7);
  EXPECT_EQ(DeletedFilesPolicy, 0);
}

}  // namespace
