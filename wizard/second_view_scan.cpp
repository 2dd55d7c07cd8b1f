// The partition page's scan half: Next's checks. The scans themselves
// start from here once the scan workers join the page.
#include "app_message.h"
#include "main_frame.h"
#include "scan_control.h"
#include "second_view_hdd.h"
#include "volumes/boot_params.h"
#include "wizard_state.h"

void CSecondView_HDD::OnNextButton() {
  if (PartitionParameters.chosenType == kNtfs) {
    AfxMessageBox(L"Not work for NTFS.", MB_OK);
    return;
  }
  const int row = WizardFrame().SelectedTreeRow;
  if (ScanMode == kAdvanceScan ? row < -1 : row < 0) {
    ShowAppMessage(2, u"Please select the partition that you want to recover \r\nfrom the left panel and click [Next].");
    return;
  }
}

void CSecondView_HDD::StartStandardScan() {}
void CSecondView_HDD::StartAdvanceScan() {}
void CSecondView_HDD::StartRawScan() {}

void CSecondView_HDD::OnScanTimer(UINT_PTR nIDEvent) { CWizardPageView::OnTimer(nIDEvent); }

BOOL CSecondView_HDD::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (BusyCursor) {
    RestoreWaitCursor();
    return TRUE;
  }
  return CWizardPageView::OnSetCursor(pWnd, nHitTest, message);
}

void CSecondView_HDD::OnStopScan() { ::OnStopScan(); }
