// The file-system step's Next and Stop over the engine's scan worker: the
// refusal without a volume, and Stop at any moment ending in results only
// once the worker has returned.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <thread>
#include <vector>

#include "engine_state.h"
#include "engine_ui.h"
#include "file_system_scan.h"
#include "scan_control.h"

namespace {

class AnsweringUi : public EngineUi {
 public:
  void ShowAppMessage(int kind, const std::u16string& text) override {
    kinds.push_back(kind);
    texts.push_back(text);
  }
  int AskQuestion(int kind, const std::u16string& text) override {
    kinds.push_back(kind);
    texts.push_back(text);
    return answer;
  }
  void SetControl(ScanControl control, bool shown, bool enabled) override {
    if (control == ScanControl::FileSystemStop) stopShown = shown && enabled;
  }
  int answer = 2;
  bool stopShown = true;
  std::vector<int> kinds;
  std::vector<std::u16string> texts;
};

bool WaitForEnd(int timeoutMs = 10000) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!ScanHasEnded()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  JoinScanWorker();
  return true;
}

class FileSystemScan : public testing::Test {
 protected:
  void SetUp() override {
    ResetEngineState();
    SetEngineUi(&ui);
  }
  void TearDown() override {
    ScanStopFlag = 1;
    JoinScanWorker();
    SetEngineUi(nullptr);
    ResetEngineState();
  }
  AnsweringUi ui;
};

TEST_F(FileSystemScan, NextWithoutAVolumeRefusesAndStartsNothing) {
  EXPECT_FALSE(StartPickedVolumeScan(-1));
  ASSERT_EQ(1u, ui.kinds.size());
  EXPECT_EQ(1, ui.kinds[0]);
  EXPECT_EQ(u"Please select a file system from the left panel and then \r\nclick [Next] to continue with recovery.",
            ui.texts[0]);
  EXPECT_EQ(0, ScanRunning.load());
}

TEST_F(FileSystemScan, APreviousScansEndIsNotTakenForThisOnes) {
  // No volume geometry: the worker ends at once. Whatever the timing, the
  // end seen after Next is this worker's: it has returned by then.
  for (int run = 0; run < 20; ++run) {
    ScanRunning = 0;
    ScanStopFlag = 1;
    ASSERT_TRUE(StartPickedVolumeScan(0));
    if (ScanHasEnded()) {
      EXPECT_EQ(1, ScanWorkerFinished.load()) << run;
    }
    ASSERT_TRUE(WaitForEnd()) << run;
  }
}

// A worker that polls like the scans do, sometimes away from a poll point
// for a while, ends on its own after a number of steps.
void PollingWorker(std::atomic<int>& steps, int total) {
  for (int i = 0; i < total; ++i) {
    if (ScanStopRequested()) break;
    if (i % 7 == 0) std::this_thread::sleep_for(std::chrono::microseconds(300));
    ++steps;
  }
  ScanRunning = 0;
  ScanStopFlag = 1;
}

TEST_F(FileSystemScan, StopAtRandomMomentsNeverHangsAndEndsOnlyAfterTheWorker) {
  std::mt19937 random(26);
  int stopped = 0;
  for (int run = 0; run < 40; ++run) {
    SCOPED_TRACE(run);
    std::atomic<int> steps{0};
    const int total = 200 + static_cast<int>(random() % 400);
    StartScanWorker([&steps, total] { PollingWorker(steps, total); });
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
    ui.answer = (random() % 2) ? 1 : 2;
    ui.stopShown = true;
    const int result = StopPickedVolumeScan();
    if (result == 1) {
      ++stopped;
      EXPECT_FALSE(ui.stopShown);
      EXPECT_EQ(u"Do you want to stop file searching ?", ui.texts.back());
    }
    ASSERT_TRUE(WaitForEnd()) << "the scan never ended";
    if (result == 0) {
      EXPECT_TRUE(steps == total || ui.answer == 2);
    }
    EXPECT_EQ(1, ScanWorkerFinished.load());
  }
  EXPECT_GT(stopped, 0);
}

}  // namespace
