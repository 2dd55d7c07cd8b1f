#include "advance_run.h"

#include <chrono>

#include "advance/advance_lists.h"
#include "advance/advance_scan.h"
#include "engine_ui.h"
#include "scan_control.h"
#include "advance/found_volume_scan.h"

AdvanceTimes RunAdvanceScan(RecordingUi& ui) {
    using Clock = std::chrono::steady_clock;
    ScanMode = kAdvanceScan;
    FreeAdvanceScanLists();
    ScanStopFlag = 0;
    ScanRunning = 1;
    EngineUi* previous = &Ui();
    SetEngineUi(&ui);
    AdvanceTimes times;
    const Clock::time_point start = Clock::now();
    SweepChosenFileSystem();
    const Clock::time_point swept = Clock::now();
    FinishAdvanceScan();
    times.sweepSeconds = std::chrono::duration<double>(swept - start).count();
    times.analysisSeconds = std::chrono::duration<double>(Clock::now() - swept).count();
    SetEngineUi(previous);
    return times;
}

std::vector<std::u16string> FoundVolumeLabels(const RecordingUi& ui) {
    std::vector<std::u16string> labels;
    for (FoundVolume* v = FoundVolumeList.head; v; v = v->next)
        labels.push_back(v->treeItem && v->treeItem <= ui.volumeTree.size()
                             ? ui.volumeTree[v->treeItem - 1].text
                             : std::u16string());
    return labels;
}

bool ScanFoundVolume(RecordingUi& ui, uint32_t index) {
    if (!PickFoundVolume(index)) return false;
    EngineUi* previous = &Ui();
    SetEngineUi(&ui);
    FileSystemScanThread();
    SetEngineUi(previous);
    return true;
}
