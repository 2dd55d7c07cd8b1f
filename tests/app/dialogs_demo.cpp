// Shows one of the program's dialogs with its skin, over sample values:
//   app_dialogs_demo settings|drive|notfound|about [--close-after MS] [--park-pointer]
// --park-pointer moves the pointer to the screen's corner, so that no link
// shows hovered in a screenshot.
#include <cwchar>

#include "about_dlg.h"
#include "advance/advance_lists.h"
#include "close_after.h"
#include "device_not_found_dlg.h"
#include "drive_info_dlg.h"
#include "engine_state.h"
#include "found_lists.h"
#include "recovery_settings_dlg.h"
#include "scan_control.h"
#include "volumes/boot_params.h"

namespace {

// Ends whichever dialog is up when the time is over.
void CALLBACK CloseDialog(HWND, UINT, UINT_PTR, DWORD) {
  HWND hDlg = ::GetActiveWindow();
  if (hDlg != nullptr) ::PostMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
}

void SampleNtfsVolume() {
  ScanMode = kStandardScan;
  PartitionParameters.scannedType = 300;
  PartitionParameters.cluster0Sector = 63;
  PartitionParameters.sectorsPerCluster = 8;
  PartitionParameters.mftStart = 786432;
  FoldersFound = 214;
  FilesFound = 3187;
}

class DemoApp : public CWinApp {
 public:
  DemoApp() : CWinApp(L"DialogsDemo") {}

  BOOL InitInstance() override {
    ResetEngineState();
    const UINT closeAfter = CloseAfterArgument();
    if (closeAfter != 0) ::SetTimer(nullptr, 0, closeAfter, &CloseDialog);
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    for (int i = 1; i < argc; ++i)
      if (std::wcscmp(argv[i], L"--park-pointer") == 0) ::SetCursorPos(0, 0);
    const wchar_t* which = argc > 1 ? argv[1] : L"settings";
    if (std::wcscmp(which, L"drive") == 0) {
      SampleNtfsVolume();
      CDriveInfoDlg dlg;
      dlg.DoModal();
    } else if (std::wcscmp(which, L"notfound") == 0) {
      CDeviceNotFoundDlg dlg;
      dlg.DoModal();
    } else if (std::wcscmp(which, L"about") == 0) {
      CAboutDlg dlg;
      dlg.DoModal();
    } else {
      ShowRecoverySettingsDlg();
    }
    ::LocalFree(argv);
    return FALSE;
  }
  // The dialog's answer is no failure of the program.
  int ExitInstance() override {
    CWinApp::ExitInstance();
    return 0;
  }
};

DemoApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR, int nCmdShow) {
  return AfxWinMain(hInstance, hPrevInstance, GetCommandLineW(), nCmdShow);
}
