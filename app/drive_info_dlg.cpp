#include "drive_info_dlg.h"

#include "advance/advance_lists.h"
#include "found_lists.h"
#include "resource.h"
#include "scan_control.h"
#include "volumes/boot_params.h"

namespace {

const int kRowIds[16] = {IDC_FILES_LABEL,        IDC_SPC_LABEL,           IDC_FIRST_FAT_LABEL,
                         IDC_SECOND_FAT_LABEL,   IDC_MFT_START_LABEL,     IDC_DIRECTORIES_LABEL,
                         IDC_START_SECTOR_LABEL, IDC_FILE_SYSTEM_LABEL,   IDC_DIRECTORIES_VALUE,
                         IDC_SECOND_FAT_VALUE,   IDC_FIRST_FAT_VALUE,     IDC_SPC_VALUE,
                         IDC_START_SECTOR_VALUE, IDC_FILE_SYSTEM_VALUE,   IDC_MFT_START_VALUE,
                         IDC_FILES_VALUE};

CString Decimal(uint32_t value) {
  CString text;
  text.Format(L"%lu", static_cast<unsigned long>(value));
  return text;
}

LPCWSTR FileSystemName(uint16_t type) {
  switch (type) {
    case kNtfs: return L"NTFS";
    case kFat32: return L"FAT32";
    case kFat16: return L"FAT16";
    default: return L"";
  }
}

}  // namespace

CDriveInfoDlg::CDriveInfoDlg(CWnd* pParent) : CSkinnedDialog(IDD_DRIVE_INFO, IDB_DRIVE_INFO_SKIN, pParent) {}

void CDriveInfoDlg::DoDataExchange(CDataExchange* pDX) {
  CSkinnedDialog::DoDataExchange(pDX);
  for (int n = 0; n < 16; ++n) DDX_Control(pDX, kRowIds[n], m_rows[n]);
}

BOOL CDriveInfoDlg::OnInitDialog() {
  CSkinnedDialog::OnInitDialog();
  const PartitionParametersRecord& volume = PartitionParameters;
  const bool ntfs = volume.scannedType == kNtfs;
  SetDlgItemText(IDC_FILE_SYSTEM_VALUE, FileSystemName(volume.scannedType));
  SetDlgItemText(IDC_START_SECTOR_VALUE, Decimal(volume.cluster0Sector));
  uint32_t folders = FoldersFound;
  uint32_t files = FilesFound;
  if (ScanMode == kRawScan) {
    // Kept as the program has always done: later readers of the counter
    // see the carved count.
    FilesFound = FoldersFound;
    folders = 0;
    files = FilesFound;
  } else if (ScanMode == kAdvanceScan && ntfs) {
    files = AdvanceFoundCounts[1];
  }
  SetDlgItemText(IDC_DIRECTORIES_VALUE, Decimal(folders));
  SetDlgItemText(IDC_FILES_VALUE, Decimal(files));
  SetDlgItemText(IDC_SPC_VALUE, Decimal(volume.sectorsPerCluster));
  SetDlgItemText(IDC_FIRST_FAT_VALUE, ntfs ? CString(L"N/A") : Decimal(volume.fat1Start));
  SetDlgItemText(IDC_SECOND_FAT_VALUE, ntfs ? CString(L"N/A") : Decimal(volume.fat2Start));
  SetDlgItemText(IDC_MFT_START_VALUE, ntfs ? Decimal(volume.mftStart) : CString(L"N/A"));
  return TRUE;
}
