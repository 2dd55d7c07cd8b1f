#include "scan_control.h"

#include <chrono>
#include <condition_variable>
#include <thread>

#include "app_message.h"
#include "engine_ui.h"

std::mutex ScanLock;
std::atomic<int> ScanWorkerFinished{1};

int ScanMode = kStandardScan;

std::atomic<uint8_t> ScanRunning{0};
std::atomic<int> ScanStopFlag{0};
std::atomic<int> ShowScanProgress{1};
int ParametersNotFound = 0;
std::atomic<int> AdvancePassDone[2] = {{0}, {0}};

namespace {

std::thread scanThread;
std::mutex pauseMutex;
std::condition_variable pauseChanged;
bool pauseRequested = false;
bool workerPaused = false;

}  // namespace

void JoinScanWorker() {
    if (scanThread.joinable()) {
        if (scanThread.get_id() == std::this_thread::get_id()) return;
        scanThread.join();
    }
}

void StartScanWorker(std::function<void()> body) {
    JoinScanWorker();
    ScanStopFlag = 0;
    ScanRunning = 1;
    ScanWorkerFinished = 0;
    {
        std::lock_guard<std::mutex> hold(pauseMutex);
        pauseRequested = false;
        workerPaused = false;
    }
    scanThread = std::thread([body] {
        body();
        std::lock_guard<std::mutex> hold(pauseMutex);
        ScanWorkerFinished = 1;
        pauseChanged.notify_all();
    });
}

bool ScanStopRequested() {
    std::unique_lock<std::mutex> hold(pauseMutex);
    if (pauseRequested) {
        workerPaused = true;
        pauseChanged.notify_all();
        pauseChanged.wait(hold, [] { return !pauseRequested; });
        workerPaused = false;
    }
    return ScanStopFlag == 1;
}

void PauseScanWorker() {
    std::lock_guard<std::mutex> lock(ScanLock);
    std::unique_lock<std::mutex> hold(pauseMutex);
    pauseRequested = true;
    while (!workerPaused && !ScanWorkerFinished) {
        hold.unlock();
        Ui().PumpMessages();
        hold.lock();
        pauseChanged.wait_for(hold, std::chrono::milliseconds(10));
    }
}

void ResumeScanWorker() {
    std::lock_guard<std::mutex> lock(ScanLock);
    std::lock_guard<std::mutex> hold(pauseMutex);
    pauseRequested = false;
    pauseChanged.notify_all();
}

int AskToStopScan(const std::u16string& question) {
    if (!ScanRunning || ScanStopFlag != 0) return 0;
    PauseScanWorker();
    if (AskAppQuestion(3, question) == 1) {
        ScanStopFlag = 1;
        ScanRunning = 0;
        ResumeScanWorker();
        return 1;
    }
    // No: the flags stay as they are. A worker that ended while the
    // question was open has marked the scan ended; writing "running" over
    // that would leave the page waiting for a worker that is gone.
    ResumeScanWorker();
    return 0;
}

int OnStopScan() {
    if (!AskToStopScan(u"Do you want to stop file searching? This may result in incomplete \r\n"
                       u"recovery and you will need to restart the process again."))
        return 0;
    EngineUi& ui = Ui();
    ui.SetControl(ScanControl::Stop, false, false);
    ui.SetControl(ScanControl::ProgressToggle, false, false);
    ui.SetControl(ScanControl::StatusLine, true, true);
    return 1;
}

int ScanHasEnded() {
    return ScanRunning == 0 && ScanStopFlag != 0 && ScanWorkerFinished ? 1 : 0;
}
