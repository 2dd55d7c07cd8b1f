#include <gtest/gtest.h>

#include "../toolkit/dib_canvas.h"
#include "drive_usage_chart.h"
#include "pie_chart.h"
#include "widget_host.h"

namespace {

const UINT kChartId = 800;
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);

TEST(PieGeometry, WedgesRunCounterClockwiseFromTheTop) {
  struct Case {
    int total;
    CPoint end;
  } cases[] = {{0, CPoint(0, -749)}, {25, CPoint(-999, 0)}, {50, CPoint(0, 749)}, {75, CPoint(999, 0)},
               {100, CPoint(0, -749)}};  // the formula's pi is 3.1415926, and it truncates
  for (const Case& c : cases) EXPECT_EQ(PieEndPoint(c.total), c.end) << c.total;
}

TEST(CPieChart, DrawsOnlySlicesThatMakeAWholePie) {
  CPieChart chart;
  chart.OwnsSlices = 1;
  chart.Title = L"Partitions";
  chart.AddSlice(new CPieSlice(30, RGB(255, 0, 0), L"Partition 1"));
  chart.AddSlice(new CPieSlice(30, RGB(0, 0, 255), L"Partition 2"));
  chart.AddSlice(new CPieSlice(30, RGB(255, 255, 0), L"Partition 3"));
  DibCanvas canvas(400, 300);
  canvas.Fill(RGB(255, 255, 255));
  chart.Draw(&canvas.dc, 160, 150, 60, 1, CPieChart::kLegendRight, FALSE);
  EXPECT_EQ(CountColour(canvas, CRect(0, 0, 400, 300), RGB(255, 255, 255)), 400 * 300) << "30+30+30: nothing";

  chart.SliceAt(2)->Percent = 40;
  chart.Draw(&canvas.dc, 160, 150, 60, 1, CPieChart::kLegendRight, FALSE);
  canvas.dc.SetViewportOrg(0, 0);
  // Counter-clockwise from the top: the first slice on the upper left,
  // the last one on the right.
  EXPECT_EQ(canvas.Pixel(160 - 30, 150 - 30), RGB(255, 0, 0));
  EXPECT_EQ(canvas.Pixel(160 - 30, 150 + 30), RGB(0, 0, 255));
  EXPECT_EQ(canvas.Pixel(160 + 30, 150), RGB(255, 255, 0));
  // Legend to the right: three rows from 30 above the centre.
  EXPECT_EQ(canvas.Pixel(160 + 60 + 30 + 2, 150 - 30 + 2), RGB(255, 0, 0));
  EXPECT_EQ(canvas.Pixel(160 + 60 + 30 + 2, 150 - 30 + 40 + 2), RGB(255, 255, 0));

  // No slices: not even the title.
  CPieChart empty;
  DibCanvas blank(100, 100);
  blank.Fill(RGB(255, 255, 255));
  empty.Draw(&blank.dc, 50, 50, 20, 1, CPieChart::kLegendBelow, FALSE);
  EXPECT_EQ(CountColour(blank, CRect(0, 0, 100, 100), RGB(255, 255, 255)), 100 * 100);
}

TEST(CPieChart, SurvivesAnArchiveRoundTripAndIsMadeByName) {
  CMemFile file;
  {
    CPieChart chart;
    chart.OwnsSlices = 1;
    chart.Title = L"Disk 1";
    chart.OutlineColor = RGB(1, 2, 3);
    chart.TextColor = 0x808080;
    chart.AddSlice(new CPieSlice(70, RGB(10, 20, 30), L"FAT32"));
    chart.AddSlice(new CPieSlice(30, RGB(40, 50, 60), L"NTFS"));
    CArchive ar(&file, CArchive::store);
    ar << &chart;
  }
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  CObject* object = nullptr;
  ar >> object;
  ASSERT_NE(object, nullptr);
  ASSERT_TRUE(object->IsKindOf(RUNTIME_CLASS(CPieChart)));
  CPieChart* loaded = static_cast<CPieChart*>(object);
  EXPECT_EQ(loaded->Title, CString(L"Disk 1"));
  EXPECT_EQ(loaded->OutlineColor, RGB(1, 2, 3));
  EXPECT_EQ(loaded->TextColor, 0x808080u);
  EXPECT_EQ(loaded->OwnsSlices, 1);
  ASSERT_EQ(loaded->Slices.GetSize(), 2);
  EXPECT_EQ(loaded->SliceAt(0)->Percent, 70);
  EXPECT_EQ(loaded->SliceAt(1)->Description, CString(L"NTFS"));
  EXPECT_EQ(loaded->SliceAt(1)->Color, RGB(40, 50, 60));
  delete loaded;
  EXPECT_NE(CRuntimeClass::FromName("CPieSlice"), nullptr);
  EXPECT_EQ(RUNTIME_CLASS(CPieSlice)->m_wSchema, 1u);
}

TEST(DriveUsageGeometry, LegendUnitsPointsAndPlaces) {
  struct Case {
    ULONGLONG bytes;
    LPCWSTR expected;
  } cases[] = {
      {1048576, L"Used: 1024.00 KB"},      {1048577, L"Used: 1.00 MB"},
      {1073741824, L"Used: 1024.00 MB"},   {1073741825, L"Used: 1.00 GB"},
      {0, L"Used: 0.00 KB"},               {5368709120ull, L"Used: 5.00 GB"},
  };
  for (const Case& c : cases) EXPECT_EQ(DriveUsageLine(L"Used", c.bytes), CString(c.expected)) << c.bytes;

  struct Point {
    int percent;
    CPoint expected;
  } points[] = {{0, CPoint(150, 130)},  {25, CPoint(50, 100)},  {50, CPoint(150, 70)},
                {75, CPoint(250, 100)}, {100, CPoint(150, 130)}, {40, CPoint(110, 73)}};
  for (const Point& p : points) EXPECT_EQ(EllipsePoint(p.percent, 150, 100, 100, 30), p.expected) << p.percent;

  DriveLegendLayout layout = DriveLegendGeometry(200, 190);
  EXPECT_EQ(layout.top, 76);
  EXPECT_EQ(layout.left, 371);
  EXPECT_EQ(layout.upperLineTop, 112);
  EXPECT_EQ(layout.lowerLineBase, 149);
  EXPECT_EQ(layout.textX, 360);
}

// The volume as the tests describe it.
ULONGLONG g_total = 0;
ULONGLONG g_free = 0;
BOOL g_queryFails = FALSE;

BOOL WINAPI FakeDiskSpace(LPCWSTR, PULARGE_INTEGER available, PULARGE_INTEGER total, PULARGE_INTEGER free) {
  if (g_queryFails) return FALSE;
  available->QuadPart = g_free;
  total->QuadPart = g_total;
  free->QuadPart = g_free;
  return TRUE;
}

class DriveChart : public ::testing::Test {
 protected:
  void SetUp() override {
    g_total = 1000;
    g_free = 600;
    g_queryFails = FALSE;
    DriveSpaceQuery = &FakeDiskSpace;
    ASSERT_TRUE(chart.Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 190), &host, kChartId));
  }
  void TearDown() override { DriveSpaceQuery = &::GetDiskFreeSpaceExW; }
  // The pie as a paint draws it, into a canvas over the pie rectangle.
  void DrawPie(DibCanvas& canvas) {
    canvas.Fill(RGB(255, 255, 255));
    CRect pie = CDriveUsageChart::PieRect(CRect(0, 0, 200, 190));
    chart.DrawPie(&canvas.dc, pie.CenterPoint(), pie);
  }
  WidgetHost host;
  CDriveUsageChart chart;
};

TEST_F(DriveChart, ANewDriveResetsThePieOfThePreviousOne) {
  EXPECT_EQ(chart.GetUsedPercentage(), -1) << "no pie before a drive";
  chart.SetDrive("E:\\");
  EXPECT_EQ(chart.GetUsedPercentage(), 40);
  EXPECT_EQ(chart.GetUsedBytes(), 400u);
  chart.SetDrive("");
  EXPECT_EQ(chart.GetUsedPercentage(), -1);
  chart.SetDrive("E:\\");
  g_queryFails = TRUE;
  chart.SetDrive("F:\\");
  EXPECT_EQ(chart.GetUsedPercentage(), -1);
  EXPECT_EQ(chart.GetTotalBytes(), 0u);
  g_queryFails = FALSE;
  g_total = 0;
  chart.SetDrive("G:\\");
  EXPECT_EQ(chart.GetUsedPercentage(), -1);
}

TEST_F(DriveChart, FortyPerCentFullAndFullAndEmptyVolumesShowTheirShares) {
  DibCanvas canvas(400, 200);
  CRect all(0, 0, 400, 200);
  chart.SetDrive("E:\\");
  DrawPie(canvas);
  // Pie rectangle (0, 40)-(300, 180): centre (150, 110), half width 150.
  EXPECT_EQ(canvas.Pixel(20, 105), kRed) << "left half of the band";
  EXPECT_EQ(canvas.Pixel(280, 105), kGreen) << "right half of the band";
  EXPECT_GT(CountColour(canvas, all, kRed), 0);

  g_free = 0;
  chart.SetDrive("E:\\");
  ASSERT_EQ(chart.GetUsedPercentage(), 100);
  DrawPie(canvas);
  EXPECT_EQ(CountColour(canvas, all, kGreen), 0) << "a full volume is all used";
  EXPECT_EQ(canvas.Pixel(100, 120), kRed);

  g_free = 1000;
  chart.SetDrive("E:\\");
  DrawPie(canvas);
  EXPECT_EQ(CountColour(canvas, all, kRed), 0) << "an empty volume is all free";
  EXPECT_EQ(canvas.Pixel(100, 120), kGreen);
}

}  // namespace
