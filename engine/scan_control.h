// Running one scan worker at a time and stopping it safely. The worker is
// never suspended from outside: at its poll points it honours a pause
// request and waits until the user interface resumes it.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

// Scan modes (snapshot letters 'A', 'R', 'D').
enum : int { kAdvanceScan = 0, kRawScan = 1, kStandardScan = 2 };

extern int ScanMode;

// Scan control, shared by the scan workers and the scan pages.
extern std::atomic<uint8_t> ScanRunning;
extern std::atomic<int> ScanStopFlag;
extern std::atomic<int> ShowScanProgress;
extern int ParametersNotFound;
// One flag per pass of the Advance Scan's second stage.
extern std::atomic<int> AdvancePassDone[2];

// Held around pausing and resuming the worker.
extern std::mutex ScanLock;
// 1 once the worker's body has returned: its lists are complete.
extern std::atomic<int> ScanWorkerFinished;

// Starts body on the scan thread: clears ScanStopFlag, sets ScanRunning.
// A previous worker is joined first.
void StartScanWorker(std::function<void()> body);
// Waits for the worker to end (the program's exit, tests).
void JoinScanWorker();

// Worker side: waits here while a pause is requested; returns true when the
// scan should stop (ScanStopFlag is 1).
bool ScanStopRequested();

// User-interface side. PauseScanWorker returns once the worker waits at a
// poll point or has finished, pumping the interface's messages meanwhile so
// that a worker blocked on a window update can reach its poll point.
void PauseScanWorker();
void ResumeScanWorker();

// The Stop command of a scan page: asks whether to stop; returns 1 when the
// user chose to stop.
int OnStopScan();
// What every Stop does while a scan runs: the worker paused at a poll point,
// the question asked (kind 3), the worker resumed; 1 when the user chose to
// stop (the flags then say so). 0 at once when no scan runs.
int AskToStopScan(const std::u16string& question);

// 1 when the worker has ended and the scan's results are complete.
int ScanHasEnded();
