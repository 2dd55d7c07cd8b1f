// Drive Information, Device Not Found and About.
#include <gtest/gtest.h>

#include "about_dlg.h"
#include "advance/advance_lists.h"
#include "device_not_found_dlg.h"
#include "dialog_watch.h"
#include "drive_info_dlg.h"
#include "engine_state.h"
#include "found_lists.h"
#include "link_static.h"
#include "resource.h"
#include "scan_control.h"
#include "test_app.h"
#include "volumes/boot_params.h"

namespace {

const int kValueIds[8] = {IDC_FILE_SYSTEM_VALUE, IDC_START_SECTOR_VALUE, IDC_DIRECTORIES_VALUE,
                          IDC_FILES_VALUE,       IDC_SPC_VALUE,          IDC_FIRST_FAT_VALUE,
                          IDC_SECOND_FAT_VALUE,  IDC_MFT_START_VALUE};

struct DriveInfoCase {
  const char* name;
  int scanMode;
  uint16_t type;
  // File system, start sector, directories, files, SPC, FAT 1, FAT 2, MFT.
  const wchar_t* rows[8];
  uint32_t filesFoundAfter;
};

// The volume and counters every case starts from.
void SetVolume(int scanMode, uint16_t type) {
  ScanMode = scanMode;
  PartitionParameters.scannedType = type;
  PartitionParameters.cluster0Sector = 4000000000u;  // unsigned, past 2^31
  PartitionParameters.sectorsPerCluster = 8;
  PartitionParameters.fat1Start = 32;
  PartitionParameters.fat2Start = 1056;
  PartitionParameters.mftStart = 786432;
  FoldersFound = 12;
  FilesFound = 345;
  AdvanceFoundCounts[1] = 678;
}

const DriveInfoCase kDriveInfoCases[] = {
    {"standard NTFS", kStandardScan, 300,
     {L"NTFS", L"4000000000", L"12", L"345", L"8", L"N/A", L"N/A", L"786432"}, 345},
    {"standard FAT32", kStandardScan, 200,
     {L"FAT32", L"4000000000", L"12", L"345", L"8", L"32", L"1056", L"N/A"}, 345},
    {"advance NTFS counts its own files", kAdvanceScan, 300,
     {L"NTFS", L"4000000000", L"12", L"678", L"8", L"N/A", L"N/A", L"786432"}, 345},
    {"advance FAT16", kAdvanceScan, 100,
     {L"FAT16", L"4000000000", L"12", L"345", L"8", L"32", L"1056", L"N/A"}, 345},
    // Raw Scan: no folders; the carved count stands in FoldersFound and is
    // copied into FilesFound for later readers.
    {"raw", kRawScan, 200, {L"FAT32", L"4000000000", L"0", L"12", L"8", L"32", L"1056", L"N/A"}, 12},
    {"unknown type", kStandardScan, 400,
     {L"", L"4000000000", L"12", L"345", L"8", L"32", L"1056", L"N/A"}, 345},
};

class InfoDialogs : public ::testing::Test {
 protected:
  void SetUp() override { ResetEngineState(); }
  void TearDown() override { ResetEngineState(); }
};

TEST_F(InfoDialogs, DriveInformationRowsFollowModeAndFileSystem) {
  for (const DriveInfoCase& c : kDriveInfoCases) {
    SCOPED_TRACE(c.name);
    SetVolume(c.scanMode, c.type);
    CString shown[8];
    bool skinCovers = false;
    Watcher watcher([&] {
      HWND hDlg = WaitForDialog(L"Drive Information");
      ASSERT_NE(hDlg, nullptr);
      for (int n = 0; n < 8; ++n) shown[n] = ItemText(hDlg, kValueIds[n]);
      skinCovers = SkinCovers(IDB_DRIVE_INFO_SKIN, hDlg);
      ::PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
    });
    CDriveInfoDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    for (int n = 0; n < 8; ++n) EXPECT_EQ(shown[n], c.rows[n]) << "row " << n;
    EXPECT_EQ(FilesFound, c.filesFoundAfter);
    EXPECT_TRUE(skinCovers);
  }
}

TEST_F(InfoDialogs, DeviceNotFoundShowsABoldHeadingOverItsExplanation) {
  CString heading, text;
  LONG headingWeight = 0, textWeight = 0;
  bool textInDialogFont = false, headingFits = false, textFits = false, skinCovers = false;
  Watcher watcher([&] {
    HWND hDlg = WaitForDialog(L"Device Not Found");
    ASSERT_NE(hDlg, nullptr);
    HWND hHeading = ::GetDlgItem(hDlg, IDC_NOT_FOUND_HEADING);
    HWND hText = ::GetDlgItem(hDlg, IDC_NOT_FOUND_TEXT);
    heading = ItemText(hDlg, IDC_NOT_FOUND_HEADING);
    text = ItemText(hDlg, IDC_NOT_FOUND_TEXT);
    headingWeight = FontWeight(hHeading);
    textWeight = FontWeight(hText);
    textInDialogFont = ::SendMessageW(hText, WM_GETFONT, 0, 0) == ::SendMessageW(hDlg, WM_GETFONT, 0, 0);
    headingFits = TextFits(hHeading);
    textFits = TextFits(hText);
    skinCovers = SkinCovers(IDB_SETTINGS_SKIN, hDlg);
    ::PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
  });
  CDeviceNotFoundDlg dlg;
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(heading, L"Mulvara could not\r\nfind any iPod connected to your\r\nsystem.");
  EXPECT_EQ(text.Left(34), L"Either you have not connected your");
  EXPECT_NE(text.Find(L"Control Panel->User Accounts->User Account on or off->Uncheck UAC"), -1);
  EXPECT_EQ(headingWeight, FW_BOLD);
  EXPECT_LT(textWeight, FW_BOLD);
  EXPECT_TRUE(textInDialogFont);
  EXPECT_TRUE(headingFits);
  EXPECT_TRUE(textFits);
  EXPECT_TRUE(skinCovers);
}

TEST_F(InfoDialogs, AboutShowsTheProductInBoldAndUnderlinedLinks) {
  CString product;
  LONG productWeight = 0;
  CString urls[3];
  int underline[3] = {};
  bool skinCovers = false, makerFits = false;
  Watcher watcher([&] {
    HWND hDlg = WaitForDialog(L"About Mulvara");
    ASSERT_NE(hDlg, nullptr);
    product = ItemText(hDlg, IDC_ABOUT_PRODUCT);
    productWeight = FontWeight(::GetDlgItem(hDlg, IDC_ABOUT_PRODUCT));
    const int links[3] = {IDC_ABOUT_WEB, IDC_ABOUT_SUPPORT, IDC_ABOUT_SALES};
    for (int n = 0; n < 3; ++n) {
      auto* pLink = dynamic_cast<CLinkStatic*>(CWnd::FromHandlePermanent(::GetDlgItem(hDlg, links[n])));
      ASSERT_NE(pLink, nullptr);
      urls[n] = pLink->GetUrl();
      underline[n] = pLink->GetUnderlineMode();
    }
    makerFits = TextFits(::GetDlgItem(hDlg, IDC_ABOUT_MAKER));

    skinCovers = SkinCovers(IDB_ABOUT_SKIN, hDlg);
    ::PostMessageW(hDlg, WM_COMMAND, IDOK, 0);
  });
  CAboutDlg dlg;
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(product, L"Mulvara   9.04.01");
  EXPECT_EQ(productWeight, FW_BOLD);
  EXPECT_EQ(urls[0], CAboutDlg::kWebAddress);
  EXPECT_EQ(urls[1], L"mailto:support@tarnwick.example.com");
  EXPECT_EQ(urls[2], L"mailto:sales@tarnwick.example.com");
  for (int mode : underline) EXPECT_EQ(mode, CLinkStatic::kUnderlineAlways);
  EXPECT_TRUE(makerFits);
  EXPECT_TRUE(skinCovers);
}

// The skin is painted when it is there; a missing one leaves erasing to
// the dialog's default.
TEST(DialogSkin, PaintsTheBitmapOrReportsItMissing) {
  CDC screen;
  screen.Attach(::GetDC(nullptr));
  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(&screen));
  CBitmap target;
  ASSERT_TRUE(target.CreateCompatibleBitmap(&screen, 8, 8));
  CBitmap* pOld = memory.SelectObject(&target);
  memory.FillSolidRect(0, 0, 8, 8, RGB(1, 2, 3));

  CDialogSkin missing(9999);
  EXPECT_FALSE(missing.IsLoaded());
  EXPECT_FALSE(missing.Paint(&memory));
  EXPECT_EQ(memory.GetPixel(0, 0), RGB(1, 2, 3));

  CDialogSkin about(IDB_ABOUT_SKIN);
  ASSERT_TRUE(about.IsLoaded());
  EXPECT_TRUE(about.Paint(&memory));
  EXPECT_NE(memory.GetPixel(0, 0), RGB(1, 2, 3));

  memory.SelectObject(pOld);
  ::ReleaseDC(nullptr, screen.Detach());
}

}  // namespace
