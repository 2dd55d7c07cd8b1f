#include "partition_choice_dlg.h"

#include "resource.h"
#include "volumes/partition_table.h"
#include "wizard_resources.h"

// The drive information skin serves this dialog too.
CPartitionChoiceDlg::CPartitionChoiceDlg(CWnd* pParent)
    : CSkinnedDialog(IDD_PARTITION_CHOICE, IDB_DRIVE_INFO_SKIN, pParent) {}

void CPartitionChoiceDlg::DoDataExchange(CDataExchange* pDX) {
  CSkinnedDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_CHOICE_GROUP, ChoiceBox);
  DDX_Control(pDX, IDC_USE_EXISTING, UseExistingRadio);
  DDX_Control(pDX, IDC_SEARCH_PARTITION, SearchRadio);
}

BOOL CPartitionChoiceDlg::OnInitDialog() {
  CSkinnedDialog::OnInitDialog();
  // Over the program, which may be anywhere on the screen.
  CenterWindow();
  ChoiceBox.SetBackgroundColor(RGB(255, 255, 255));
  ::CheckRadioButton(GetSafeHwnd(), IDC_USE_EXISTING, IDC_SEARCH_PARTITION, IDC_USE_EXISTING);
  return TRUE;
}

void CPartitionChoiceDlg::OnOK() {
  SearchPartitionsRequested = ::IsDlgButtonChecked(GetSafeHwnd(), IDC_USE_EXISTING) ? 0 : 1;
  CSkinnedDialog::OnOK();
}
