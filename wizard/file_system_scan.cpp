#include "file_system_scan.h"

#include "advance/found_volume_scan.h"
#include "app_message.h"
#include "engine_ui.h"
#include "found_lists.h"
#include "scan_control.h"

BOOL StartPickedVolumeScan(int selectedRow) {
  if (selectedRow < 0) {
    ShowAppMessage(1, u"Please select a file system from the left panel and then \r\n"
                      u"click [Next] to continue with recovery.");
    return FALSE;
  }
  FreeStandardScanLists();
  StartFileSystemScan();
  return TRUE;
}

int StopPickedVolumeScan() {
  if (!AskToStopScan(u"Do you want to stop file searching ?")) return 0;
  Ui().SetControl(ScanControl::FileSystemStop, false, false);
  return 1;
}
