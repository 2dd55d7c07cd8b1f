// The scan page's Next before a scan starts: the refusals of each mode, the
// file-system choice and the sector range kept by one rule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/logical_drives.h"
#include "device/sector_access.h"
#include "engine_state.h"
#include "engine_ui.h"
#include "scan_control.h"
#include "scan_next.h"
#include "second_display.h"
#include "test_app.h"
#include "volumes/boot_params.h"
#include "volumes/partition_table.h"
#include "wizard_test_frame.h"

namespace {

class MessageRecorder : public EngineUi {
 public:
  void ShowAppMessage(int kind, const std::u16string& text) override {
    kinds.push_back(kind);
    texts.push_back(text);
  }
  std::vector<int> kinds;
  std::vector<std::u16string> texts;
};

class ScanNext : public testing::Test {
 protected:
  void SetUp() override {
    ResetEngineState();
    SetEngineUi(&recorder);
    TheTestApp().recordMessageBoxes = true;
    TheTestApp().messageBoxes = 0;
  }
  void TearDown() override {
    TheTestApp().recordMessageBoxes = false;
    SetEngineUi(nullptr);
    CloseVolume();
    ResetEngineState();
  }
  MessageRecorder recorder;
};

CString EditTextOf(CEdit* edit) {
  CString text;
  edit->GetWindowText(text);
  return text;
}

const char16_t kNoRow[] = u"Please select the partition that you want to recover \r\nfrom the left panel and click [Next].";

TEST_F(ScanNext, EachModeRefusesNtfsAndRowsItCannotScan) {
  struct Case {
    const char* name;
    int mode;
    uint16_t type;
    int row;
    BOOL passes;
    int boxes;      // "Not work for NTFS."
    bool rowMessage;
  };
  const Case cases[] = {
      {"Standard, NTFS", kStandardScan, 300, 0, FALSE, 1, false},
      {"Advance, NTFS", kAdvanceScan, 300, -1, FALSE, 1, false},
      {"Raw, NTFS", kRawScan, 300, 2, FALSE, 1, false},
      {"Standard, row -1", kStandardScan, 200, -1, FALSE, 0, true},
      {"Raw, row -1", kRawScan, 100, -1, FALSE, 0, true},
      {"Advance, row -1", kAdvanceScan, 200, -1, TRUE, 0, false},
      {"Advance, row -2", kAdvanceScan, 200, -2, FALSE, 0, true},
      {"Standard, row 0", kStandardScan, 200, 0, TRUE, 0, false},
      {"Raw, row 3", kRawScan, 0, 3, TRUE, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    recorder.kinds.clear();
    recorder.texts.clear();
    TheTestApp().messageBoxes = 0;
    PartitionParameters.chosenType = c.type;
    EXPECT_EQ(c.passes, CheckScanChoice(c.mode, c.row));
    EXPECT_EQ(c.boxes, TheTestApp().messageBoxes);
    if (c.boxes) {
      EXPECT_EQ(L"Not work for NTFS.", TheTestApp().lastMessageBoxText);
    }
    ASSERT_EQ(c.rowMessage ? 1u : 0u, recorder.texts.size());
    if (c.rowMessage) {
      EXPECT_EQ(2, recorder.kinds[0]);
      EXPECT_EQ(kNoRow, recorder.texts[0]);
    }
  }
}

TEST_F(ScanNext, TheComboChoosesTheFileSystemToSweep) {
  const struct {
    int selection;
    uint16_t before, after;
  } cases[] = {{0, 200, 300}, {1, 100, 200}, {2, 300, 100}, {-1, 200, 200}, {3, 100, 100}};
  for (const auto& c : cases) {
    PartitionParameters.chosenType = c.before;
    ApplyFileSystemChoice(c.selection);
    EXPECT_EQ(c.after, PartitionParameters.chosenType) << c.selection;
  }
}

TEST_F(ScanNext, TheRangeIncludesTheLastSectorAndStopsAtTheDeviceEnd) {
  const char16_t kBadStart[] = u"Start sector value is not valid, It should be a positive number";
  const char16_t kBadEnd[] = u"End sector value is not valid, It should be a positive number";
  const char16_t kNotAbove[] = u"End sector should be bigger than start sector";
  struct Case {
    const wchar_t* start;
    const wchar_t* end;
    uint64_t device;
    BOOL read;
    const char16_t* message;
    uint32_t first, last, count;
  };
  const Case cases[] = {
      {L"100", L"200", 1000, TRUE, nullptr, 100, 200, 101},
      {L"0", L"0", 1000, FALSE, kNotAbove, 0, 0, 7},
      {L"300", L"200", 1000, FALSE, kNotAbove, 300, 200, 7},
      {L"", L"200", 1000, FALSE, kBadStart, 0, 7, 7},
      {L"-5", L"200", 1000, FALSE, kBadStart, 0, 7, 7},
      {L"12ab", L"200", 1000, FALSE, kBadStart, 0, 7, 7},
      {L"100", L"", 1000, FALSE, kBadEnd, 100, 0, 7},
      {L"100", L"2x", 1000, FALSE, kBadEnd, 100, 0, 7},
      {L"100", L"99999999999", 1000, FALSE, kBadEnd, 100, 0, 7},
      // The whole disk: its end edit holds the total, one past the last sector.
      {L"0", L"1000", 1000, TRUE, nullptr, 0, 1000, 1000},
      {L"63", L"1000", 1000, TRUE, nullptr, 63, 1000, 937},
      // An unknown device size cuts nothing.
      {L" 5 ", L"10", 0, TRUE, nullptr, 5, 10, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
    recorder.texts.clear();
    PartitionParameters.startSector = 7;
    PartitionParameters.endSector = 7;
    PartitionParameters.sectorCount = 7;
    EXPECT_EQ(c.read, ReadSectorRange(c.start, c.end, c.device));
    EXPECT_EQ(c.first, PartitionParameters.startSector);
    EXPECT_EQ(c.last, PartitionParameters.endSector);
    EXPECT_EQ(c.count, PartitionParameters.sectorCount);
    if (c.message != nullptr) {
      ASSERT_EQ(1u, recorder.texts.size());
      EXPECT_EQ(c.message, recorder.texts[0]);
    } else {
      EXPECT_TRUE(recorder.texts.empty());
    }
  }
}

// Back from the file-system step refills the pane's edits; Next reads them
// again. Three round trips must scan the same sectors.
TEST_F(ScanNext, BackAndNextAgainScanTheSameRange) {
  WizardTestFrame frame;
  CSecondDisplay& pane = *static_cast<CSecondDisplay*>(frame.AddPane(RUNTIME_CLASS(CSecondDisplay)));
  PartitionTable[1] = {1500063, 800000, kFat16};
  const uint64_t device = 3000000;
  for (int trip = 0; trip < 3; ++trip) {
    SCOPED_TRACE(trip);
    pane.ShowPartitionInfo(0, 1);
    ASSERT_TRUE(ReadSectorRange(EditTextOf(pane.StartSectorEdit), EditTextOf(pane.EndSectorEdit), device));
    EXPECT_EQ(1500063u, PartitionParameters.startSector);
    EXPECT_EQ(800000u, PartitionParameters.sectorCount);
  }
  // The whole disk: its range as the drive page leaves it.
  for (int trip = 0; trip < 3; ++trip) {
    SCOPED_TRACE(trip);
    PartitionParameters.chosenType = kFat32;
    PartitionParameters.startSector = 0;
    PartitionParameters.endSector = static_cast<uint32_t>(device);
    PartitionParameters.sectorCount = static_cast<uint32_t>(device);
    pane.ShowDiskRange();
    ASSERT_TRUE(ReadSectorRange(EditTextOf(pane.StartSectorEdit), EditTextOf(pane.EndSectorEdit), device));
    EXPECT_EQ(0u, PartitionParameters.startSector);
    EXPECT_EQ(device, PartitionParameters.sectorCount);
  }
}

TEST_F(ScanNext, AVolumeThatCannotBeOpenedIsReported) {
  // A letter the test prefix does not map.
  const std::u16string root = u"Q:\\";
  std::copy(root.begin(), root.end() + 1, LogicalDriveTable[0].rootPath);
  PartitionParameters.logicalDriveIndex = 0;
  EXPECT_FALSE(ReopenLogicalVolume());
  EXPECT_EQ(nullptr, VolumeHandle);
  ASSERT_EQ(1u, recorder.texts.size());
  EXPECT_EQ(2, recorder.kinds[0]);
  EXPECT_NE(std::u16string::npos, recorder.texts[0].find(u"could not open the selected drive"));
}

}  // namespace
