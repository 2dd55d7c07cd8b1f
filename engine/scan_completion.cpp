#include "scan_completion.h"

#include "app_message.h"
#include "engine_ui.h"
#include "scan_control.h"

namespace {

const char16_t kTryAdvanceMessage[] =
    u"If you don't find the required file(s) and folder(s) here then please go back \r\n"
    u"to the first step and select Advance Scan for recovery.";
const char16_t kNoFileSystemText[] =
    u"Mulvara was unable to identify a file system in the selected sector range.";
const char16_t kNoFileSystemMessage[] =
    u"Mulvara was unable to identify a file system in the selected sector range.\r\n"
    u"Please make sure that you made appropriate selections on the previous step.\r\n"
    u"Please go back to the previous step and select hard disk for full scan.";

void SetStepFlags(EngineUi& ui) { ui.SetStepFlags(ParametersNotFound != 0); }

void ShowResultButtons(EngineUi& ui) {
    ui.SetControl(ScanControl::ResultNext, true, true);
    ui.SetControl(ScanControl::ResultBack, true, true);
    ui.SetControl(ScanControl::ResultStartOver, true, true);
}

void EndStandardScan(EngineUi& ui) {
    ui.StopScanTimer();
    ui.ClearSelectedSize();
    ui.SwitchView(kResultsPage);
    ui.Wait(500);
    const AppMessage message = SetAppMessage(3, kTryAdvanceMessage);
    ui.ShowAppMessage(message.kind, message.text);
    SetStepFlags(ui);
    ShowResultButtons(ui);
}

void EndAdvanceScan(EngineUi& ui) {
    ui.StopScanTimer();
    ui.Wait(500);
    ui.SetControl(ScanControl::FileSystemNext, true, true);
    ui.SetControl(ScanControl::FileSystemBack, true, true);
    ui.SetControl(ScanControl::FileSystemStartOver, true, true);
    ui.SetControl(ScanControl::ProgressBar, false, false);
    ui.ClearSelectedSize();
    AdvancePassDone[0] = AdvancePassDone[1] = 0;
    ui.SetControl(ScanControl::ProgressToggle, false, false);
    ui.SetProgressToggleText(u"Hide Progress");
    ShowScanProgress = 1;
    ui.Wait(500);
    ui.SwitchView(kFileSystemPage);
    ui.RepaintView(kFileSystemPage);
    if (ui.FileSystemTreeVisibleItems() == 1) {
        ui.SetFileSystemInfoText(kNoFileSystemText);
        const AppMessage message = SetAppMessage(2, kNoFileSystemMessage);
        ui.ShowAppMessage(message.kind, message.text);
    }
    SetStepFlags(ui);
}

void EndRawScan(EngineUi& ui) {
    ui.StopScanTimer();
    ui.ClearSelectedSize();
    ui.SwitchView(kResultsPage);
    SetStepFlags(ui);
    ui.Wait(500);
    ShowResultButtons(ui);
}

}  // namespace

void OnScanTimer(int timerId) {
    if (timerId != kScanTimer || !ScanHasEnded()) return;
    EngineUi& ui = Ui();
    switch (ScanMode) {
        case kStandardScan:
            EndStandardScan(ui);
            break;
        case kAdvanceScan:
            if (AdvancePassDone[0] && AdvancePassDone[1]) EndAdvanceScan(ui);
            break;
        case kRawScan:
            EndRawScan(ui);
            break;
        default:
            break;
    }
    ui.SetSelectedTreeRow(-1);
    ui.SetBusy(false);
}
