// Stopping a running scan: the worker pauses at a poll point while the
// question is shown, and either goes on or stops and still lists its finds.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "found_lists.h"
#include "volumes/boot_params.h"
#include "engine_state.h"
#include "image_scan.h"
#include "memory_device.h"
#include "recording_ui.h"
#include "scan_control.h"
#include "device/sector_access.h"
#include "standard_scan.h"
#include "test_images.h"

namespace {

void WaitForEnd() {
    for (int i = 0; i < 3000 && !ScanHasEnded(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    JoinScanWorker();
}

// The image's device, wrapped so that the worker can be held at a sector.
class GatedImage : public testing::Test {
protected:
    RecordingUi ui;
    MemoryDevice* device = nullptr;

    void SetUp() override {
        std::string error;
        std::string path = ImagePath("fat32_s1");
        ASSERT_TRUE(SelectImage(path, 0, 0, 0, error)) << error;
        auto owned = std::make_unique<MemoryDevice>(0);
        owned->bytes = ReadBytes(path, 0, 64 << 20);
        device = owned.get();
        AdoptPhysicalDrive(std::move(owned));
        SetEngineUi(&ui);
    }
    void TearDown() override {
        JoinScanWorker();
        SetEngineUi(nullptr);
        ClosePhysicalDrive();
        ResetEngineState();
    }
    // Holds the worker at a read early in the folder walk.
    void HoldWorker() {
        device->GateAfter(3);
        StartStandardScan();
        device->WaitUntilHeld();
        EXPECT_FALSE(ScanHasEnded());
    }
    // Lets the held worker go on shortly after the Stop command has begun.
    std::thread ReleaseSoon() {
        return std::thread([this] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            device->Release();
        });
    }
};

TEST_F(GatedImage, NoLetsTheScanGoOnWhereItWas) {
    ui.questionAnswer = 2;
    ui.onQuestion = [](RecordingUi&) {};
    HoldWorker();
    std::thread answer = ReleaseSoon();
    EXPECT_EQ(OnStopScan(), 0);
    answer.join();
    WaitForEnd();
    EXPECT_EQ(ui.questions, 1);
    EXPECT_EQ(FilesFound, 57u);
    EXPECT_TRUE(ScanHasEnded());
}

TEST_F(GatedImage, YesStopsTheWalkAndStillBuildsTheTree) {
    ui.questionAnswer = 1;
    HoldWorker();
    std::thread release = ReleaseSoon();
    EXPECT_EQ(OnStopScan(), 1);
    release.join();
    WaitForEnd();
    EXPECT_TRUE(ScanHasEnded());
    EXPECT_LT(FilesFound, 57u);
    ASSERT_FALSE(ui.tree.empty());
    EXPECT_EQ(ui.tree[0].text, u"Root");
    EXPECT_EQ(ui.controls[ScanControl::Stop], std::make_pair(false, false));
}

TEST_F(GatedImage, TheEndIsNotTakenForAStopRequest) {
    ui.questionAnswer = 1;
    ui.onQuestion = [](RecordingUi&) {
        // While the question is shown both flags may already read "ended";
        // the scan has not ended until its worker has.
        EXPECT_FALSE(ScanHasEnded());
    };
    HoldWorker();
    std::thread release = ReleaseSoon();
    OnStopScan();
    release.join();
    WaitForEnd();
}

TEST(StopCommand, DoesNothingWhenNoScanRuns) {
    RecordingUi ui;
    SetEngineUi(&ui);
    ResetEngineState();
    EXPECT_EQ(OnStopScan(), 0);
    EXPECT_EQ(ui.questions, 0);
    SetEngineUi(nullptr);
}

// The worker reaches its end without a poll point while Stop waits for it to
// pause; answering No must not make the ended scan look running again.
TEST(StopCommand, NoAfterTheWorkerEndedLeavesTheScanEnded) {
    RecordingUi ui;
    SetEngineUi(&ui);
    ResetEngineState();
    ui.questionAnswer = 2;
    std::atomic<bool> go{false};
    StartScanWorker([&go] {
        while (!go) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ScanRunning = 0;
        ScanStopFlag = 1;
    });
    std::thread release([&go] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        go = true;
    });
    EXPECT_EQ(OnStopScan(), 0);
    release.join();
    WaitForEnd();
    EXPECT_EQ(ui.questions, 1);
    EXPECT_EQ(ScanHasEnded(), 1);
    SetEngineUi(nullptr);
    ResetEngineState();
}

TEST(ScanStart, VolumeThatCannotBeOpenedEndsWithAMessage) {
    RecordingUi ui;
    SetEngineUi(&ui);
    ResetEngineState();
    DriveKind = kLogicalDrive;
    PartitionParameters.chosenType = kFat32;
    EXPECT_EQ(StandardScanThread(), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find(u"could not open"), std::u16string::npos);
    EXPECT_EQ(ui.timerStops, 1);
    EXPECT_EQ(ui.controls[ScanControl::Back], std::make_pair(true, true));
    SetEngineUi(nullptr);
    ResetEngineState();
}

}  // namespace
