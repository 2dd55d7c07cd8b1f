// The two information panes: the drive pane's partition pie and rows, and
// the scan pane's setters with the hidden range edits and combo they keep
// in step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/logical_drives.h"
#include "device/physical_drives.h"
#include "device/sector_access.h"
#include "engine_state.h"
#include "first_display.h"
#include "scan_control.h"
#include "second_display.h"
#include "volumes/boot_params.h"
#include "volumes/partition_table.h"
#include "wizard_state.h"
#include "wizard_test_frame.h"

namespace {

class Panes : public testing::Test {
 protected:
  void SetUp() override {
    ResetEngineState();
    WizardFrame() = WizardFrameState();
    SelectedVolumeRow = -1;
  }
  void TearDown() override {
    ResetEngineState();
    WizardFrame() = WizardFrameState();
  }
};

struct PieCase {
  const char* name;
  uint64_t total;
  std::vector<std::pair<uint32_t, uint16_t>> partitions;  // sectors, type
  std::vector<std::pair<int, std::wstring>> slices;       // per cent, text
};

TEST_F(Panes, ThePartitionPieShowsEachTypeAndTheFreeRest) {
  const PieCase cases[] = {
      {"no partitions", 1000, {}, {{100, L"FREE"}}},
      {"40 and 35 per cent", 1000, {{400, 100}, {350, 300}}, {{40, L"FAT16"}, {35, L"NTFS"}, {25, L"FREE"}}},
      {"three truncated thirds", 999, {{333, 200}, {333, 200}, {333, 7}},
       {{33, L"FAT32"}, {33, L"FAT32"}, {33, L"UNKNOWN"}, {1, L"FREE"}}},
      {"a whole disk", 1000, {{1000, 200}}, {{100, L"FAT32"}}},
      {"overlap above 100", 1000, {{700, 200}, {600, 100}}, {{70, L"FAT32"}, {60, L"FAT16"}, {100, L"FREE"}}},
      // A disk that reports no size: one free slice, no division by zero.
      {"total 0", 0, {{700, 200}}, {{100, L"FREE"}}},
  };
  WizardTestFrame frame;
  CFirstDisplay* pane = static_cast<CFirstDisplay*>(frame.AddPane(RUNTIME_CLASS(CFirstDisplay)));
  SelectedDriveIndex = 1;
  for (const PieCase& c : cases) {
    SCOPED_TRACE(c.name);
    PhysicalDriveTable[1].totalSectors = c.total;
    PartitionCount = int(c.partitions.size());
    uint32_t start = 63;
    for (size_t i = 0; i < c.partitions.size(); ++i) {
      PartitionTable[i] = {start, c.partitions[i].first, c.partitions[i].second};
      start += c.partitions[i].first;
    }
    pane->BuildPartitionPie();
    const CPieChart& pie = pane->GetPie();
    ASSERT_EQ(pie.Slices.GetSize(), INT_PTR(c.slices.size()));
    for (size_t i = 0; i < c.slices.size(); ++i) {
      EXPECT_EQ(pie.SliceAt(INT_PTR(i))->Percent, c.slices[i].first);
      EXPECT_EQ(pie.SliceAt(INT_PTR(i))->Description, CString(c.slices[i].second.c_str()));
    }
  }
  const COLORREF kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00, kMagenta = 0xFF00FF;
  PartitionCount = 3;
  PhysicalDriveTable[1].totalSectors = 400;
  PartitionTable[0] = {0, 100, 100};
  PartitionTable[1] = {100, 100, 200};
  PartitionTable[2] = {200, 100, 300};
  pane->BuildPartitionPie();
  const COLORREF colours[4] = {kRed, kBlue, kGreen, kMagenta};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(pane->GetPie().SliceAt(i)->Color, colours[i]) << i;
}

TEST_F(Panes, TheDrivePaneShowsDiskAndVolumeRows) {
  WizardTestFrame frame;
  CFirstDisplay* pane = static_cast<CFirstDisplay*>(frame.AddPane(RUNTIME_CLASS(CFirstDisplay)));
  EXPECT_EQ(WizardFrame().DriveInfoPane, pane);
  EXPECT_FALSE(pane->IsWindowEnabled());  // it takes no input of its own
  EXPECT_EQ(WindowText(pane->Captions[0]), L"Model\t\t\t:");
  EXPECT_EQ(WindowText(pane->Values[0]), L"");

  PhysicalDriveEntry& disk = PhysicalDriveTable[2];
  disk.totalSectors = 1000000;
  disk.cylinders = 62;
  disk.tracksPerCylinder = 255;
  disk.sectorsPerTrack = 63;
  strcpy(disk.model, "USB Device");
  pane->ShowPhysicalDisk(2);
  const wchar_t* diskRows[5] = {L"USB Device", L"488 MB (Approx)", L"62", L"255", L"63"};
  for (int row = 0; row < 5; ++row) EXPECT_EQ(WindowText(pane->Values[row]), diskRows[row]) << row;
  EXPECT_FALSE(pane->UsageChart.IsWindowVisible());

  LogicalDriveEntry& volume = LogicalDriveTable[4];
  std::u16string label = u"CARD", root = u"Q:\\";
  std::copy(label.begin(), label.end() + 1, volume.volumeLabel);
  std::copy(root.begin(), root.end() + 1, volume.rootPath);
  volume.size = 4194304;
  volume.sectorsPerCluster = 8;
  volume.type = 400;
  pane->ShowLogicalVolume(4);
  EXPECT_EQ(SelectedVolumeRow, 4);
  const wchar_t* volumeRows[5] = {L"CARD", L"2048 MB (Approx)", L"8", L"512", L"UNKNOWN"};
  for (int row = 0; row < 5; ++row) EXPECT_EQ(WindowText(pane->Values[row]), volumeRows[row]) << row;
  EXPECT_EQ(WindowText(pane->Captions[0]), L"Volume Name\t\t:");
  EXPECT_TRUE(pane->UsageChart.IsWindowVisible());
  // No such letter answers: the chart shows its no-answer look.
  EXPECT_EQ(pane->UsageChart.GetUsedPercentage(), -1);

  pane->ShowLogicalVolume(-1);
  EXPECT_EQ(WindowText(pane->Captions[0]), L"Volume Name\t\t:");
  EXPECT_EQ(WindowText(pane->Values[1]), L"");
}

TEST_F(Panes, TheScanPaneSettersKeepTheRangeEditsAndComboInStep) {
  WizardTestFrame frame;
  CSecondDisplay* pane = static_cast<CSecondDisplay*>(frame.AddPane(RUNTIME_CLASS(CSecondDisplay)));
  EXPECT_EQ(WizardFrame().ScanInfoPane, pane);
  EXPECT_EQ(pane->FileSystemCombo->GetCurSel(), 0);
  EXPECT_FALSE(pane->FileSystemCombo->IsWindowVisible());
  EXPECT_FALSE(pane->StartSectorEdit->IsWindowVisible());
  EXPECT_FALSE(pane->ProgressToggle.IsWindowVisible());

  PartitionTable[3] = {63, 1000, kFat32};
  pane->ShowPartitionInfo(0, 3);
  EXPECT_EQ(PartitionParameters.endSector, 1062u);
  EXPECT_EQ(WindowText(pane->ValueStatics[0]), L"FAT32");
  EXPECT_EQ(WindowText(pane->ValueStatics[1]), L"63");
  EXPECT_EQ(WindowText(pane->ValueStatics[2]), L"1062");
  EXPECT_EQ(WindowText(pane->ValueStatics[3]), L"0 MB (Approx)");
  EXPECT_EQ(WindowText(*pane->StartSectorEdit), L"63");
  EXPECT_EQ(WindowText(*pane->EndSectorEdit), L"1062");
  EXPECT_EQ(::GetDlgItemInt(pane->GetSafeHwnd(), 61461, nullptr, FALSE), 1062u);
  EXPECT_EQ(pane->FileSystemCombo->GetCurSel(), 1);
  EXPECT_EQ(WindowText(pane->CaptionStatics[2]), L"Partition End\t :");

  PartitionTable[4] = {2048, 2097152, kFat16};
  pane->ShowPartitionInfo(0, 4);
  EXPECT_EQ(WindowText(pane->ValueStatics[3]), L"1024 MB (Approx)");
  EXPECT_EQ(pane->FileSystemCombo->GetCurSel(), 2);

  // A volume the engine could not read: "UNKNOWN", the combo as it was.
  LogicalDriveEntry& volume = LogicalDriveTable[1];
  std::u16string label = u"STICK", root = u"R:\\";
  std::copy(label.begin(), label.end() + 1, volume.volumeLabel);
  std::copy(root.begin(), root.end() + 1, volume.rootPath);
  volume.size = 4194304;
  volume.sectorsPerCluster = 16;
  volume.type = 400;
  SelectedVolumeRow = 1;
  PartitionParameters.logicalDriveIndex = 1;
  DriveKind = kLogicalDrive;
  pane->ShowVolumeInfo();
  EXPECT_EQ(WindowText(pane->ValueStatics[0]), L"STICK ( R:\\ )");
  EXPECT_EQ(WindowText(pane->ValueStatics[1]), L"2048 MB (Approx)");
  EXPECT_EQ(WindowText(pane->ValueStatics[2]), L"16");
  EXPECT_EQ(WindowText(pane->ValueStatics[3]), L"UNKNOWN");
  EXPECT_EQ(pane->FileSystemCombo->GetCurSel(), 2);
  EXPECT_EQ(WindowText(pane->CaptionStatics[0]), L"Volume Name :");
  EXPECT_TRUE(pane->UsageChart.IsWindowVisible());

  pane->ShowVolumeSummary();
  EXPECT_EQ(WindowText(*pane->StartSectorEdit), L"2048 MB (Approx)");

  // Cleared, an Advance Scan has no start sector to read.
  pane->ClearInfo();
  EXPECT_EQ(WindowText(*pane->StartSectorEdit), L"");
  EXPECT_EQ(WindowText(*pane->EndSectorEdit), L"");
  EXPECT_EQ(WindowText(pane->CaptionStatics[2]), L"Partition End\t   :");
  EXPECT_FALSE(pane->UsageChart.IsWindowVisible());

  pane->ShowDeepScanCaptions();
  EXPECT_TRUE(pane->CaptionStatics[4].IsWindowVisible());
  EXPECT_EQ(WindowText(pane->CaptionStatics[4]), L"Current Sector           :");
  pane->ShowFatSweepCaptions();
  EXPECT_EQ(WindowText(pane->CaptionStatics[3]), L"");
  EXPECT_EQ(WindowText(pane->CaptionStatics[4]), L"Current Sector           :");
}

// The hint line is one line high: a face wider than Arial would wrap its
// end out of view, so the line takes a smaller copy of its font instead,
// and the base font again once the text fits.
TEST_F(Panes, TheHintLineKeepsItsWholeTextInOneLine) {
  WizardTestFrame frame;
  CSecondDisplay* pane = static_cast<CSecondDisplay*>(frame.AddPane(RUNTIME_CLASS(CSecondDisplay)));
  const HFONT base = static_cast<HFONT>(pane->HintFont->GetSafeHandle());
  const wchar_t* hint = L"Please Select a Partition From The Left Panel and press [Next] to continue with recovery.";
  auto widthIn = [&](HFONT font, const wchar_t* text) {
    HDC hdc = ::GetDC(pane->HintLine.GetSafeHwnd());
    HGDIOBJ old = ::SelectObject(hdc, font);
    SIZE size = {};
    ::GetTextExtentPoint32W(hdc, text, lstrlenW(text), &size);
    ::SelectObject(hdc, old);
    ::ReleaseDC(pane->HintLine.GetSafeHwnd(), hdc);
    return static_cast<int>(size.cx);
  };
  const int room = widthIn(base, hint) * 9 / 10;
  pane->HintLine.MoveWindow(50, 20, room, 20);
  pane->HintLine.SetWindowText(hint);
  EXPECT_EQ(reinterpret_cast<HFONT>(pane->HintLine.SendMessage(WM_GETFONT)), pane->HintLine.ShownFont());
  EXPECT_NE(base, pane->HintLine.ShownFont());
  EXPECT_LE(widthIn(pane->HintLine.ShownFont(), hint), room);

  pane->HintLine.SetWindowText(L"Scanning");
  EXPECT_EQ(base, pane->HintLine.ShownFont());
  pane->HintLine.SetWindowText(hint);
  pane->HintLine.MoveWindow(50, 20, room * 2, 20);
  EXPECT_EQ(base, pane->HintLine.ShownFont());
}

TEST_F(Panes, TheProgressToggleTellsTheWorkersWhetherToWrite) {
  WizardTestFrame frame;
  CSecondDisplay* pane = static_cast<CSecondDisplay*>(frame.AddPane(RUNTIME_CLASS(CSecondDisplay)));
  ShowScanProgress = 1;
  pane->SendMessage(WM_COMMAND, 61486);
  EXPECT_EQ(ShowScanProgress.load(), 0);
  EXPECT_EQ(WindowText(pane->ProgressToggle), L"Show Progress");
  pane->SendMessage(WM_COMMAND, 61486);
  EXPECT_EQ(ShowScanProgress.load(), 1);
  EXPECT_EQ(WindowText(pane->ProgressToggle), L"Hide Progress");
}

}  // namespace
