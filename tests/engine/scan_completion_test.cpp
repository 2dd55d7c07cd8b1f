// The completion timer moves the wizard on once the worker has ended.
#include <gtest/gtest.h>

#include "engine_ui.h"
#include "engine_state.h"
#include "recording_ui.h"
#include "scan_completion.h"
#include "scan_control.h"

namespace {

class CompletionTimer : public testing::Test {
protected:
    RecordingUi ui;
    void SetUp() override {
        ResetEngineState();
        SetEngineUi(&ui);
    }
    void TearDown() override {
        SetEngineUi(nullptr);
        ResetEngineState();
    }
    void Ended() {
        ScanRunning = 0;
        ScanStopFlag = 1;
    }
};

TEST_F(CompletionTimer, WaitsForTheWorker) {
    ScanMode = kStandardScan;
    ScanRunning = 1;
    OnScanTimer(kScanTimer);
    EXPECT_TRUE(ui.views.empty());
    Ended();
    OnScanTimer(2);  // another timer
    EXPECT_TRUE(ui.views.empty());
}

TEST_F(CompletionTimer, StandardScanShowsTheResultsAndTheAdvice) {
    ScanMode = kStandardScan;
    Ended();
    ui.busy = true;
    OnScanTimer(kScanTimer);
    EXPECT_EQ(ui.views, std::vector<int>{kResultsPage});
    EXPECT_EQ(ui.timerStops, 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, 3);
    EXPECT_EQ(ui.stepFlags, std::vector<bool>{false});
    EXPECT_EQ(ui.controls[ScanControl::ResultNext], std::make_pair(true, true));
    EXPECT_FALSE(ui.busy);
}

TEST_F(CompletionTimer, AdvanceScanWaitsForBothPasses) {
    ScanMode = kAdvanceScan;
    Ended();
    AdvancePassDone[0] = 1;
    OnScanTimer(kScanTimer);
    EXPECT_TRUE(ui.views.empty());
    EXPECT_EQ(ui.timerStops, 0);
    AdvancePassDone[1] = 1;
    ui.fileSystemTreeItems = 1;  // only "File System": nothing found
    OnScanTimer(kScanTimer);
    EXPECT_EQ(ui.views, std::vector<int>{kFileSystemPage});
    EXPECT_EQ(AdvancePassDone[0] + AdvancePassDone[1], 0);
    EXPECT_NE(ui.fileSystemInfo.find(u"unable to identify a file system"), std::u16string::npos);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, 2);
}

TEST_F(CompletionTimer, RawScanAfterAFailedParameterSearchOnlyMarksIdle) {
    ScanMode = kRawScan;
    ParametersNotFound = 1;
    Ended();
    OnScanTimer(kScanTimer);
    EXPECT_EQ(ui.views, std::vector<int>{kResultsPage});
    EXPECT_EQ(ui.stepFlags, std::vector<bool>{true});
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
