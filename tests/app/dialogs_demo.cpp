// Shows one of the program's dialogs with its skin, over sample values, or
// a program message of each kind, or a message box using every area:
//   app_dialogs_demo settings|drive|notfound|about|information|error|question|yesno|box
//                    [--close-after MS] [--park-pointer]
// --park-pointer moves the pointer to the screen's corner, so that no link
// shows hovered in a screenshot.
#include <cwchar>

#include "about_dlg.h"
#include "app_message.h"
#include "app_message_dlg.h"
#include "html_message_box.h"
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

// The demo's dialog: a shown dialog window of this thread. Not the active
// window: on a busy display another program's window may hold the
// activation, and the dialog would then never be found.
BOOL CALLBACK FindShownDialog(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  ::GetClassNameW(window, name, 16);
  if (!::IsWindowVisible(window) || std::wcscmp(name, L"#32770") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND ShownDialog() {
  HWND found = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Ends the dialog once the time is over and it is up; until it is up the
// timer comes back.
void CALLBACK CloseDialog(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND dialog = ShownDialog()) ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

// A message box runs its own dialog loop, and a question cannot be
// cancelled: it is ended directly.
void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND dialog = ShownDialog()) ::EndDialog(dialog, IDCANCEL);
}

// Opens the box's more-information area once it is up.
void CALLBACK PressMore(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND more = ::GetDlgItem(ShownDialog(), HMB_IDMORE);
  if (more == nullptr) return;
  ::KillTimer(nullptr, timer);
  ::PostMessageW(more, BM_CLICK, 0, 0);
}

void ShowEveryArea() {
  MessageBoxParams params;
  FillAppMessageParams(params);
  params.headerHeight = 40;
  params.headerText = L"<b><font size=+2>Recovery finished</font></b>";
  params.headerArea.effect = 1;
  params.headerArea.beginColor = RGB(255, 255, 255);
  params.headerArea.endColor = RGB(160, 190, 235);
  params.headerArea.separatorKind = 1;
  params.headerArea.separatorAlignment = 2;
  params.headerArea.separatorText = L"Summary";
  params.buttonArea.effect = 0;
  params.buttonArea.beginColor = RGB(236, 236, 236);
  params.buttonArea.separatorKind = 2;
  params.buttonArea.separatorAlignment = 0;
  params.buttonArea.separatorText = L"Your choice";
  params.moreInfoText = L"Files written to <b>D:\\Recovered</b>.<br>Three files had unreadable sectors; they "
                        L"were filled with zeros.";
  params.moreInfoArea.separatorKind = 1;
  params.moreInfoArea.separatorAlignment = 1;
  params.moreInfoArea.separatorText = L"Details";
  ::SetTimer(nullptr, 0, 200, &PressMore);
  ShowHtmlMessageBox(nullptr,
                     L"<b>1,204</b> files were recovered.<br>Open the folder that holds them?",
                     L"Mulvara", MB_YESNOCANCEL | MB_ICONINFORMATION | HMB_CHECKBOX | HMB_NOSOUND, &params);
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
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const wchar_t* which = argc > 1 ? argv[1] : L"settings";
    const bool messageBox = std::wcscmp(which, L"information") == 0 || std::wcscmp(which, L"error") == 0 ||
                            std::wcscmp(which, L"question") == 0 || std::wcscmp(which, L"yesno") == 0 ||
                            std::wcscmp(which, L"box") == 0;
    const UINT closeAfter = CloseAfterArgument();
    if (closeAfter != 0) ::SetTimer(nullptr, 0, closeAfter, messageBox ? &CloseMessageBox : &CloseDialog);
    for (int i = 1; i < argc; ++i)
      if (std::wcscmp(argv[i], L"--park-pointer") == 0) ::SetCursorPos(0, 0);
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
    } else if (std::wcscmp(which, L"information") == 0 || std::wcscmp(which, L"error") == 0 ||
               std::wcscmp(which, L"question") == 0) {
      const int kind = which[0] == L'i' ? 1 : which[0] == L'e' ? 2 : 3;
      SetAppMessage(kind, u"The scan found 1,204 files.\nSelect the files to recover and press Next.");
      CAppMessageDlg dlg;
      dlg.DoModal();
    } else if (std::wcscmp(which, L"yesno") == 0) {
      SetAppMessage(3, u"Do you want to stop the scan?");
      CQuestionDlg dlg;
      dlg.DoModal();
    } else if (std::wcscmp(which, L"box") == 0) {
      ShowEveryArea();
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
