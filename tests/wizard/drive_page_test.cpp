// The drive page's Next, Stop and search timer, with the page made in a
// test frame and the engine reporting to a recorder: the refusals and
// their texts per mode, the logical drive that needs no search, the
// physical drive searched on the scan worker, Stop's pause and answers,
// and the timer that moves on only once the worker has returned.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "device/image_devices.h"
#include "device/physical_drives.h"
#include "device/sector_access.h"
#include "engine_state.h"
#include "engine_ui.h"
#include "first_view_hdd.h"
#include "folder_listing.h"
#include "found_file_list_ctrl.h"
#include "pump_until.h"
#include "second_view_hdd.h"
#include "snapshot/snapshot.h"
#include "scan_control.h"
#include "test_images.h"
#include "volumes/boot_params.h"
#include "volumes/partition_table.h"
#include "wizard_state.h"
#include "wizard_test_frame.h"

namespace {

// Records the program messages; answers questions with a fixed choice,
// running a check while the question is up.
class RecordingUi : public EngineUi {
 public:
  void ShowAppMessage(int kind, const std::u16string& text) override { messages.push_back({kind, text}); }
  int AskQuestion(int kind, const std::u16string& text) override {
    messages.push_back({kind, text});
    if (whileAsking) whileAsking();
    return answer;
  }
  int AskPartitionChoice() override {
    ++choicesAsked;
    return 0;
  }
  struct Message {
    int kind;
    std::u16string text;
  };
  std::vector<Message> messages;
  int answer = 2;
  int choicesAsked = 0;
  std::function<void()> whileAsking;
};

// What the scan worker is waited for.
constexpr DWORD kWorkerWait = 20000;

class DrivePage : public testing::Test {
 protected:
  void SetUp() override {
    ResetEngineState();
    WizardFrame() = WizardFrameState();
    WizardFrame().StepOneActive = 1;
    SelectedModeText.Empty();
    SetEngineUi(&ui);
    page = static_cast<CFirstView_HDD*>(RUNTIME_CLASS(CFirstView_HDD)->CreateObject());
    ASSERT_TRUE(page->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 850, 560), &frame, 1, nullptr));
  }
  void TearDown() override {
    ScanStopFlag = 1;
    JoinScanWorker();
    frame.DestroyWindow();
    SetEngineUi(nullptr);
    SetPageHooks(nullptr);
    UseImageDevices("");
    ClosePhysicalDrive();
    ResetEngineState();
    WizardFrame() = WizardFrameState();
  }

  WizardTestFrame frame;
  RecordingUi ui;
  CFirstView_HDD* page = nullptr;
};

const char16_t kSelectDrive[] =
    u"Please select the drive that contain the lost data \r\nfrom the left panel and click [Next].";

TEST_F(DrivePage, NextRefusesWithTheModesWordingAndStartsNothing) {
  struct Case {
    int mode;
    uint16_t kind;
    uint32_t sectors;
    int row;
    const char16_t* text;
  };
  const Case cases[] = {
      {kStandardScan, kLogicalDrive, 0, 3, u"This partition is damaged, please select physical hard disk and proceed."},
      {kAdvanceScan, kLogicalDrive, 0, 3, u"This partition is damaged, please select physical Device and proceed."},
      {kRawScan, kLogicalDrive, 0, 3, u"This partition is damaged, please select physical hard drive and proceed."},
      {kStandardScan, kNothingSelected, 100, -1, kSelectDrive},
      {kAdvanceScan, kNothingSelected, 100, -1, kSelectDrive},
      {kRawScan, kPhysicalDrive, 100, -1, kSelectDrive},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode * 10 + c.row);
    ui.messages.clear();
    ScanMode = c.mode;
    DriveKind = c.kind;
    PartitionParameters.sectorCount = c.sectors;
    WizardFrame().SelectedTreeRow = c.row;
    page->OnNextButton();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, 2);
    EXPECT_EQ(ui.messages[0].text, c.text);
    EXPECT_EQ(ScanRunning.load(), 0);
    EXPECT_EQ(DriveKind, c.kind);
    EXPECT_TRUE(page->NextButton.IsWindowVisible());
  }
}

TEST_F(DrivePage, LogicalDriveGoesOnWithoutASearch) {
  const struct {
    int mode;
    const wchar_t* text;
  } cases[] = {
      {kStandardScan, L"Selected Mode : Standard Scan \r\nDrive Type        : Logical Drive"},
      {kAdvanceScan, L"Selected Mode : Advance Scan \r\nDrive Type        : Logical Drive"},
      {kRawScan, L"Selected Mode : Raw Scan \r\nDrive Type        : Logical Drive"},
  };
  for (const auto& c : cases) {
    ScanMode = c.mode;
    DriveKind = kLogicalDrive;
    PartitionParameters.sectorCount = 1000;
    WizardFrame().SelectedTreeRow = 2;
    page->OnNextButton();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ScanRunning.load(), 0);
    EXPECT_EQ(DriveKind, kLogicalDrive);
    EXPECT_EQ(SelectedModeText, c.text);
    EXPECT_FALSE(page->StopButton.IsWindowVisible());
  }
}

// A physical drive: the table read, the search on the worker, the drive
// kind and range each mode leaves, and page 2 only after the worker ended.
TEST_F(DrivePage, PhysicalDriveIsSearchedOnTheWorker) {
  for (int mode : {kStandardScan, kAdvanceScan, kRawScan}) {
    SCOPED_TRACE(mode);
    UseImageDevices(CopyOfImage("usb_fat32_mbr"));
    EnumeratePhysicalDrives();
    int slot = -1;
    for (int i = 0; i < kMaxPhysicalDrives && slot < 0; ++i)
      if (PhysicalDriveTable[i].removable && PhysicalDriveTable[i].totalSectors != 0) slot = i;
    ASSERT_GE(slot, 0);
    ScanMode = mode;
    DriveKind = kPhysicalDrive;
    SelectedDriveIndex = static_cast<uint16_t>(slot);
    WizardFrame().SelectedTreeRow = slot + 1;
    WizardFrame().StepTwoActive = 0;
    ui.choicesAsked = 0;
    page->OnNextButton();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(page->DriveTree.IsWindowEnabled());
    EXPECT_FALSE(page->NextButton.IsWindowVisible());
    if (mode == kAdvanceScan) {
      const uint64_t total = PhysicalDriveTable[slot].totalSectors;
      EXPECT_EQ(DriveKind, kPhysicalDrive);
      EXPECT_EQ(PartitionParameters.startSector, 0u);
      EXPECT_EQ(PartitionParameters.sectorCount, total);
      EXPECT_EQ(PartitionParameters.endSector, total);
      EXPECT_EQ(PartitionParameters.chosenType, kFat32);
    } else {
      EXPECT_EQ(DriveKind, kNothingSelected);
    }
    ASSERT_TRUE(PumpUntil([] { return ScanHasEnded() == 1; }, kWorkerWait));
    // The image's table lists a partition: Please Select was asked.
    EXPECT_EQ(ui.choicesAsked, 1);
    ASSERT_TRUE(PumpUntil([] { return WizardFrame().StepTwoActive == 1; }, kWorkerWait));
    EXPECT_EQ(WizardFrame().StepOneActive, 0);
    page->ShowIdleLayout();
    JoinScanWorker();
  }
}

// Stop's Yes sets the flags while the worker may still be working: the
// timer waits for the worker itself.
TEST_F(DrivePage, TimerMovesOnOnlyOnceTheWorkerHasReturned) {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  StartScanWorker([released] { released.wait(); });
  ScanRunning = 0;
  ScanStopFlag = 1;
  page->SendMessage(WM_TIMER, 1);
  EXPECT_EQ(WizardFrame().StepTwoActive, 0);
  release.set_value();
  JoinScanWorker();
  page->SendMessage(WM_TIMER, 1);
  EXPECT_EQ(WizardFrame().StepTwoActive, 1);
}

// Stop pauses the worker at its poll point (never suspends it), asks with
// Stop disabled, and No lets it go on with the flags as they were.
TEST_F(DrivePage, StopPausesAsksAndAnswers) {
  std::atomic<int> polls{0};
  for (int answer : {2, 1}) {
    SCOPED_TRACE(answer);
    polls = 0;
    StartScanWorker([&polls] {
      while (!ScanStopRequested()) ++polls;
    });
    ASSERT_TRUE(PumpUntil([&] { return polls > 100; }, kWorkerWait));
    page->StopButton.EnableWindow(TRUE);
    ui.answer = answer;
    bool pausedWhileAsking = false, stopDisabled = false;
    ui.whileAsking = [&] {
      const int seen = polls;
      ::Sleep(50);
      pausedWhileAsking = polls == seen;
      stopDisabled = !page->StopButton.IsWindowEnabled();
    };
    page->OnStopButton();
    EXPECT_TRUE(pausedWhileAsking);
    EXPECT_TRUE(stopDisabled);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, u"Do you want to stop partition searching ?");
    EXPECT_EQ(ui.messages[0].kind, 3);
    ui.messages.clear();
    if (answer == 2) {
      EXPECT_EQ(ScanRunning.load(), 1);
      EXPECT_EQ(ScanStopFlag.load(), 0);
      const int before = polls;
      EXPECT_TRUE(PumpUntil([&] { return polls > before + 100; }, kWorkerWait));
      EXPECT_TRUE(page->StopButton.IsWindowEnabled());
      // Stop a second time with Yes ends this worker.
      ui.answer = 1;
      page->OnStopButton();
      ui.messages.clear();
    }
    EXPECT_EQ(ScanRunning.load(), 0);
    EXPECT_EQ(ScanStopFlag.load(), 1);
    EXPECT_TRUE(PumpUntil([] { return ScanWorkerFinished.load() == 1; }, kWorkerWait));
    JoinScanWorker();
    // With the worker gone Stop does nothing.
    page->OnStopButton();
    EXPECT_TRUE(ui.messages.empty());
  }
}

// Back from either page starts the wizard over: step one active, the
// listing flags cleared and the results list asked to empty the preview.
TEST_F(DrivePage, BackOnEitherPageClearsTheFlagsAndAsksForAnEmptyPreview) {
  auto* scanPage = static_cast<CSecondView_HDD*>(RUNTIME_CLASS(CSecondView_HDD)->CreateObject());
  ASSERT_TRUE(scanPage->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 850, 560), &frame, 2, nullptr));
  const struct {
    const char* name;
    std::function<void()> back;
  } cases[] = {
      {"drive page", [&] { page->OnBackButton(); }},
      {"partition page", [&] { scanPage->OnBackButton(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WizardFrame().StepOneActive = 0;
    WizardFrame().StepTwoActive = 1;
    PreviewResetPending = 0;
    ListWithProgress = 1;
    LoadingSnapshot = 1;
    c.back();
    EXPECT_EQ(PreviewResetPending, 1);
    EXPECT_EQ(ListWithProgress, 0);
    EXPECT_EQ(LoadingSnapshot, 0);
    EXPECT_EQ(WizardFrame().StepOneActive, 1);
    EXPECT_EQ(WizardFrame().StepTwoActive, 0);
  }
  PreviewResetPending = 0;
}

// Printing the page draws what the screen shows.
TEST_F(DrivePage, PrintDrawsThePageAsOnScreen) {
  CRect client;
  page->GetClientRect(&client);
  CClientDC screen(page);
  auto render = [&](bool print) {
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, client.Width(), client.Height());
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(&client, RGB(1, 2, 3));
    CView* view = page;
    if (print) {
      view->OnPrint(&dc, nullptr);
    } else {
      view->OnDraw(&dc);
    }
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.Height(); y += 7)
      for (int x = 0; x < client.Width(); x += 7) pixels.push_back(dc.GetPixel(x, y));
    dc.SelectObject(old);
    return pixels;
  };
  const std::vector<COLORREF> printed = render(true);
  EXPECT_EQ(printed, render(false));
  EXPECT_EQ(std::count(printed.begin(), printed.end(), RGB(1, 2, 3)), 0);
}

}  // namespace
