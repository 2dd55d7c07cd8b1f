// The wizard's panes filled with sample values, "Please Select", the
// progress dialog over a pane, "File Types" and the file-system step's tree
// and form: run it to look at them. Arguments: disk, volume, partition,
// scanning, choice, progress, filetypes or filesystem, and --close-after MS.
#include <cstring>
#include <string>

#include "device/logical_drives.h"
#include "device/physical_drives.h"
#include "device/sector_access.h"
#include "advance/advance_lists.h"
#include "file_system_form.h"
#include "file_system_tree.h"
#include "file_type_dlg.h"
#include "first_display.h"
#include "partition_choice_dlg.h"
#include "progress_dialog.h"
#include "scan_control.h"
#include "second_display.h"
#include "volumes/boot_params.h"
#include "volumes/partition_table.h"
#include "wizard_state.h"
#include "wizard_test_frame.h"

namespace {

void SampleDisk() {
  PhysicalDriveEntry& disk = PhysicalDriveTable[1];
  disk.removable = 1;
  disk.cylinders = 243;
  disk.tracksPerCylinder = 255;
  disk.sectorsPerTrack = 63;
  disk.totalSectors = 243ull * 255 * 63;
  strcpy(disk.model, "USB Device");
  SelectedDriveIndex = 1;
  PartitionCount = 3;
  PartitionTable[0] = {63, 1500000, kFat32};
  PartitionTable[1] = {1500063, 800000, kFat16};
  PartitionTable[2] = {2300063, 700000, kNtfs};
}

void SampleVolume() {
  LogicalDriveEntry& volume = LogicalDriveTable[0];
  std::u16string label = u"PHOTOS", root = u"E:\\";
  std::copy(label.begin(), label.end() + 1, volume.volumeLabel);
  std::copy(root.begin(), root.end() + 1, volume.rootPath);
  volume.size = 7811072;
  volume.sectorsPerCluster = 64;
  volume.type = kFat32;
  LogicalDriveCount = 1;
}

class DemoApp : public CWinApp {
 public:
  BOOL InitInstance() override {
    std::wstring what = __argc > 1 ? __wargv[1] : L"disk";
    int closeAfter = 0;
    for (int i = 1; i + 1 < __argc; ++i)
      if (std::wstring(__wargv[i]) == L"--close-after") closeAfter = _wtoi(__wargv[i + 1]);
    SampleDisk();
    SampleVolume();
    if (what == L"choice") {
      if (closeAfter > 0) ::SetTimer(nullptr, 0, closeAfter, CloseDialog);
      CPartitionChoiceDlg dialog;
      dialog.DoModal();
      return FALSE;
    }
    if (what == L"filetypes") {
      if (closeAfter > 0) ::SetTimer(nullptr, 0, closeAfter, CloseFileTypes);
      CFileTypeDlg dialog;
      dialog.DoModal();
      return FALSE;
    }
    frame = new WizardTestFrame;
    m_pMainWnd = frame;
    if (what == L"filesystem") {
      ShowFileSystemStep();
      if (closeAfter > 0) ::SetTimer(nullptr, 0, closeAfter, CloseFrame);
      return TRUE;
    }
    ScanMode = what == L"partition" || what == L"scanning" ? kAdvanceScan : kStandardScan;
    if (what == L"disk" || what == L"volume") {
      frame->tree.AddPath("My Computer\\Physical Devices\\Hard Disk 1 \\", 1);
      frame->tree.AddPath("My Computer\\Logical Devices\\Logical Drives E: \\", 0);
      frame->tree.ExpandRoot();
      CFirstDisplay* pane = static_cast<CFirstDisplay*>(frame->AddPane(RUNTIME_CLASS(CFirstDisplay)));
      WizardFrame().StepOneActive = 1;
      if (what == L"disk") {
        HTREEITEM disk = FindItem(frame->tree, L"Hard Disk 1 ");
        frame->tree.SelectItem(disk);
        // The sample table stands in for the disk's own.
        DriveKind = kPhysicalDrive;
        SelectedModeText = DriveSelectionModeText(ScanMode, DriveKind);
        WizardFrame().SelectedTreeRow = 2;
        pane->ShowPhysicalDisk(1);
        pane->BuildPartitionPie();
      } else {
        frame->tree.SelectItem(FindItem(frame->tree, L"Logical Drives E: "));
        UpdateDriveSelection(frame->tree, frame->tree.GetSelectedItem());
      }
    } else {
      for (int i = 0; i < PartitionCount; ++i)
        frame->tree.AddDiskItem(L"Hard Disk ", L"Partition " + CString(std::to_wstring(i + 1).c_str()));
      frame->tree.ExpandRoot();
      CSecondDisplay* pane = static_cast<CSecondDisplay*>(frame->AddPane(RUNTIME_CLASS(CSecondDisplay)));
      WizardFrame().StepTwoActive = 1;
      DriveKind = kPhysicalDrive;
      SelectedModeText = DriveSelectionModeText(ScanMode, DriveKind);
      pane->HintLine.SetWindowText(L"Select the partition to scan and click [Next].");
      HTREEITEM item = FindItem(frame->tree, L"Partition 2");
      frame->tree.SelectItem(item);
      UpdateDriveSelection(frame->tree, item);
      if (what == L"scanning") {
        pane->ShowDeepScanCaptions();
        const wchar_t* counters[5] = {L"2", L"1534", L"12873", L"311", L"1843200"};
        for (int row = 0; row < 5; ++row) pane->ValueStatics[row].SetWindowText(counters[row]);
        pane->ProgressToggle.ShowWindow(SW_SHOW);
        pane->ProgressToggle.EnableWindow(TRUE);
        pane->ProgressNote.ShowWindow(SW_SHOW);
        pane->ProgressNote.EnableWindow(TRUE);
      }
    }
    frame->pane->Invalidate();
    if (what == L"progress") {
      // Over the pane, as a listing shows it: 45 % done.
      progress.Create(frame->pane);
      progress.SetRange(0, 100);
      progress.ShowWindow(SW_SHOW);
      progress.SendMessage(WM_PROGRESS_SETPOS, 0);
      progress.SendMessage(WM_PROGRESS_SETPOS, 45);
    }
    if (closeAfter > 0) ::SetTimer(nullptr, 0, closeAfter, CloseFrame);
    return TRUE;
  }

  // Two rebuilt volumes, the second picked.
  void ShowFileSystemStep() {
    CFileSystemForm* form = static_cast<CFileSystemForm*>(frame->AddPane(RUNTIME_CLASS(CFileSystemForm)));
    frame->tree.ShowWindow(SW_HIDE);
    CRect client;
    frame->GetClientRect(&client);
    volumes.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                   CRect(0, 0, WizardTestFrame::kTreeWidth, client.bottom), frame, 156);
    volumes.SetupImages();
    volumes.Form = form;
    HTREEITEM root = volumes.InsertVolumeItem(L"File System", TVI_ROOT);
    HTREEITEM first = volumes.AddVolumeItem(L"FAT32 @ 63", TVI_ROOT);
    HTREEITEM second = volumes.AddVolumeItem(L"NTFS @ 1500063", TVI_ROOT);
    FoundVolumeValues fat = {};
    fat.cluster0Sector = 63;
    fat.sectorsPerCluster = 8;
    fat.endSector = 1500062;
    AddFoundVolume(200, fat, reinterpret_cast<TreeItem>(first));
    FoundVolumeValues ntfs = {};
    ntfs.cluster0Sector = 1500063;
    ntfs.sectorsPerCluster = 8;
    ntfs.mftStart = 1500063 + 6291456 / 512;
    ntfs.mftMirrStart = 1500063 + 8;
    ntfs.endSector = 2300062;
    AddFoundVolume(300, ntfs, reinterpret_cast<TreeItem>(second));
    volumes.Expand(root, TVE_EXPAND);
    volumes.SelectItem(second);
    SelectedModeText = DriveSelectionModeText(kAdvanceScan, kPhysicalDrive);
    form->HintLine.SetWindowText(
        L"Please select a file system from the left panel and click [Next] to continue with \r\n"
        L"recovery. Check all the file systems one by one for the required data.");
    volumes.SelectVolume(second);
    form->Invalidate();
  }

  // Ending after the dialog is no failure of the program.
  int ExitInstance() override {
    if (progress.GetSafeHwnd() != nullptr) progress.DestroyWindow();
    CWinApp::ExitInstance();
    return 0;
  }

 private:
  static void CALLBACK CloseFrame(HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(0); }
  static void CALLBACK CloseFileTypes(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND dialog = ::FindWindowW(nullptr, L"File Types")) ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  }
  static void CALLBACK CloseDialog(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND dialog = ::FindWindowW(nullptr, L"Please Select")) ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  }
  WizardTestFrame* frame = nullptr;
  CProgressDialog progress;
  CFileSystemTree volumes;
};

DemoApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR, int nCmdShow) {
  return AfxWinMain(hInstance, hPrevInstance, GetCommandLineW(), nCmdShow);
}
