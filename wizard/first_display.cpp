#include "first_display.h"

#include "device/logical_drives.h"
#include "device/physical_drives.h"
#include "device/sector_access.h"
#include "engine_ui.h"
#include "scan_control.h"
#include "volumes/partition_table.h"
#include "wizard_state.h"

namespace {

const UINT kCaptionIds[5] = {32812, 32813, 32814, 32815, 32816};
const UINT kValueIds[5] = {32817, 32818, 32819, 32820, 32821};
const UINT kHintId = 170;
const UINT kModeId = 61482;
const UINT kInfoBoxId = 61479;
const UINT kUsageChartId = 61467;

const LPCWSTR kDiskCaptions[5] = {L"Model\t\t\t:", L"Capacity\t\t:", L"Cylinders\t\t:", L"Head\t\t\t:",
                                  L"Sectors Per Track\t:"};
const LPCWSTR kVolumeCaptions[5] = {L"Volume Name\t\t:", L"Capacity\t\t:", L"SPC\t\t\t:",
                                    L"Byte Per Sector\t\t:", L"File System\t\t:"};
const LPCWSTR kHint =
    L"Please select the logical drive that contains inaccessible data from left panel. If you don't see the "
    L"drive letter, then select the hard disk, which contain the lost drive and click [Next] to continue "
    L"with recovery.";

struct RowPlace {
  int y;
  int height;
};
const RowPlace kRows[5] = {{100, 20}, {120, 40}, {140, 60}, {160, 20}, {180, 20}};

CFont* MakeArial() {
  CFont* font = new CFont;
  font->CreateFont(16, 0, 0, 0, 400, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                   DEFAULT_QUALITY, FF_SWISS, L"Arial");
  return font;
}

CString Format(LPCWSTR format, long long value) {
  CString text;
  text.Format(format, value);
  return text;
}

}  // namespace

CString CapacityText(uint64_t sectors) {
  CString text;
  text.Format(L"%d MB (Approx)", static_cast<int>(sectors / 2 / 1024));
  return text;
}

IMPLEMENT_DYNCREATE(CFirstDisplay, CView)

BEGIN_MESSAGE_MAP(CFirstDisplay, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CFirstDisplay::~CFirstDisplay() {
  if (WizardFrame().DriveInfoPane == this) WizardFrame().DriveInfoPane = nullptr;
  delete CaptionFont;
  delete ValueFont;
}

int CFirstDisplay::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  const CRect none(0, 0, 0, 0);
  InfoBox.Create(L"Selected Drive Information", WS_CHILD | WS_VISIBLE | BS_GROUPBOX | BS_CENTER, none, this,
                 kInfoBoxId);
  InfoBox.SetBackgroundColor(RGB(255, 255, 255));
  for (int row = 0; row < 5; ++row) Captions[row].Create(L"", WS_CHILD | WS_VISIBLE, none, this, kCaptionIds[row]);
  HintText.Create(L"", WS_CHILD | WS_VISIBLE, none, this, kHintId);
  for (int row = 0; row < 5; ++row) Values[row].Create(L"", WS_CHILD | WS_VISIBLE, none, this, kValueIds[row]);
  UsageChart.Create(L"", WS_CHILD | WS_VISIBLE, none, this, kUsageChartId);
  ModeText.Create(L"", WS_CHILD | WS_VISIBLE, none, this, kModeId);

  CaptionFont = MakeArial();
  ValueFont = MakeArial();
  ModeText.SetFont(CaptionFont);
  HintText.SetFont(CaptionFont);
  for (int row = 0; row < 5; ++row) {
    Captions[row].SetFont(CaptionFont);
    Values[row].SetFont(ValueFont);
  }

  ShowDiskCaptions();
  HintText.SetWindowText(kHint);
  for (CStatic& value : Values) value.SetWindowText(L"");

  WizardFrame().DriveInfoPane = this;
  ShowPhysicalDisk(0);
  EnableWindow(FALSE);
  ClearInfo();
  return 0;
}

void CFirstDisplay::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  if (InfoBox.GetSafeHwnd() == nullptr) return;
  InfoBox.MoveWindow(10, 80, 510, 265);
  ModeText.MoveWindow(10, 350, cx - 20, cy - 360);
  HintText.MoveWindow(10, 20, cx - 20, 60);
  for (int row = 0; row < 5; ++row) {
    Captions[row].MoveWindow(30, kRows[row].y, 210, kRows[row].height);
    Values[row].MoveWindow(220, kRows[row].y, 190, kRows[row].height);
  }
  UsageChart.MoveWindow(60, 160, 200, 190);
}

void CFirstDisplay::OnDraw(CDC* pDC) {
  Pie.TextColor = RGB(128, 128, 128);
  Pie.Draw(pDC, 160, 270, 60, 1, CPieChart::kLegendRight, FALSE);
  pDC->SetViewportOrg(0, 0);
  ModeText.SetWindowText(SelectedModeText);
}

HBRUSH CFirstDisplay::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (nCtlColor == CTLCOLOR_STATIC && pWnd != nullptr) {
    const int id = pWnd->GetDlgCtrlID();
    if (id == static_cast<int>(kHintId) || id == static_cast<int>(kModeId)) {
      pDC->SetBkColor(RGB(255, 255, 255));
      pDC->SetTextColor(RGB(0, 0, 0));
    }
  }
  return ::GetSysColorBrush(COLOR_WINDOW);
}

void CFirstDisplay::OnLButtonDown(UINT, CPoint) {
  PageHooks().ActivatePage(kDrivePage);
  Default();
}

void CFirstDisplay::SetValues(const CString (&values)[5]) {
  for (int row = 0; row < 5; ++row) Values[row].SetWindowText(values[row]);
}

void CFirstDisplay::ShowDiskCaptions() {
  for (int row = 0; row < 5; ++row) Captions[row].SetWindowText(kDiskCaptions[row]);
}

void CFirstDisplay::ShowVolumeCaptions() {
  for (int row = 0; row < 5; ++row) Captions[row].SetWindowText(kVolumeCaptions[row]);
}

void CFirstDisplay::ShowPhysicalDisk(int n) {
  ShowDiskCaptions();
  if (n < 0 || n >= kMaxPhysicalDrives) {
    ClearInfo();
    return;
  }
  UsageChart.ShowWindow(SW_HIDE);
  UsageChart.EnableWindow(FALSE);
  const PhysicalDriveEntry& disk = PhysicalDriveTable[n];
  CString model;
  for (const char* c = disk.model; *c != '\0' && c < disk.model + sizeof disk.model; ++c)
    model += static_cast<WCHAR>(static_cast<unsigned char>(*c));
  const CString values[5] = {model, Format(L"%d MB (Approx)", static_cast<int>(disk.totalSectors >> 11)),
                             Format(L"%d", disk.cylinders), Format(L"%d", disk.tracksPerCylinder),
                             Format(L"%ld", disk.sectorsPerTrack)};
  SetValues(values);
}

void CFirstDisplay::ShowLogicalVolume(int i) {
  SelectedVolumeRow = i;
  ShowVolumeCaptions();
  if (i < 0 || i >= kMaxLogicalDrives) {
    for (CStatic& value : Values) value.SetWindowText(L"");
    return;
  }
  UsageChart.ShowWindow(SW_SHOW);
  UsageChart.EnableWindow(TRUE);
  Pie.RemoveAllSlices();
  Invalidate();
  const LogicalDriveEntry& volume = LogicalDriveTable[i];
  const LPCWSTR type = FileSystemTypeText(volume.type);
  const CString values[5] = {reinterpret_cast<const wchar_t*>(volume.volumeLabel), CapacityText(volume.size),
                             Format(L"%u", volume.sectorsPerCluster), L"512", type != nullptr ? type : L"UNKNOWN"};
  SetValues(values);
  char root[100] = {};
  for (int c = 0; c < 99 && volume.rootPath[c] != 0; ++c) root[c] = static_cast<char>(volume.rootPath[c]);
  UsageChart.SetDrive(root);
}

void CFirstDisplay::ClearInfo() {
  for (CStatic& value : Values) value.SetWindowText(L"");
  UsageChart.ShowWindow(SW_HIDE);
  UsageChart.EnableWindow(FALSE);
  Pie.RemoveAllSlices();
  Invalidate();
}

void CFirstDisplay::BuildPartitionPie() {
  Pie.RemoveAllSlices();
  Pie.OwnsSlices = 1;
  Pie.OutlineColor = RGB(0, 0, 0);
  Pie.TextColor = RGB(128, 128, 128);
  const uint64_t total =
      SelectedDriveIndex < kMaxPhysicalDrives ? PhysicalDriveTable[SelectedDriveIndex].totalSectors : 0;
  // A disk that reports no size gets one free slice, not a division by zero.
  const int count = total == 0 ? 0 : PartitionCount;
  long long sum = 0;
  for (int i = 0; i < count; ++i) {
    const PartitionEntry& entry = PartitionTable[i];
    const long long percent = static_cast<long long>(uint64_t(entry.sectorCount) * 100 / total);
    sum += percent;
    COLORREF colour = RGB(255, 255, 255);
    LPCWSTR text = L"UNKNOWN";
    switch (entry.fileSystemType) {
      case 100: colour = RGB(255, 0, 0); text = L"FAT16"; break;
      case 200: colour = RGB(0, 0, 255); text = L"FAT32"; break;
      case 300: colour = RGB(0, 255, 0); text = L"NTFS"; break;
      default: break;
    }
    Pie.AddSlice(new CPieSlice(static_cast<int>(percent > 100 ? 100 : percent), colour, text));
  }
  if (count == 0 || sum != 100) {
    const long long rest = 100 - sum;
    Pie.AddSlice(new CPieSlice(static_cast<int>(rest < 0 || rest > 100 ? 100 : rest), RGB(255, 0, 255), L"FREE"));
  }
}
