#include "second_display.h"

#include "device/logical_drives.h"
#include "device/sector_access.h"
#include "engine_ui.h"
#include "scan_control.h"
#include "volumes/boot_params.h"
#include "volumes/partition_table.h"
#include "wizard_state.h"

namespace {

// Rows 1 to 5.
const UINT kCaptionIds[5] = {32812, 32813, 32814, 32815, 32816};
const UINT kValueIds[5] = {32818, 32819, 32820, 32817, 32821};
const int kRowY[5] = {70, 90, 110, 130, 150};
const UINT kRangeCaptionIds[3] = {61458, 61459, 61460};
const LPCWSTR kRangeCaptions[3] = {L"Select File System :", L"Start Sector           :",
                                   L"End Sector            :"};
const UINT kHintId = 170;
const UINT kModeId = 61482;
const UINT kNoteId = 61487;
const UINT kToggleId = 61486;
const UINT kStartEditId = 61462;
const UINT kEndEditId = 61461;
const UINT kComboId = 61463;
const UINT kGroupId = 61479;
const UINT kChartId = 61467;

const LPCWSTR kNote =
    L"Selecting \"Hide Progress\" will improve the performance. You may return to view the progress details at "
    L"any time by selecting \"Show Progress\".";

// Row 5 is null where a set leaves it unchanged.
const LPCWSTR kPartitionCaptions[5] = {L"Partition type\t :", L"Partition Start\t :", L"Partition End\t :",
                                       L"Partition Size     :", nullptr};
const LPCWSTR kClearedCaptions[5] = {L"Partition type\t :", L"Partition Start\t :", L"Partition End\t   :",
                                     L"Partition Size     :", nullptr};
const LPCWSTR kRangeSetCaptions[5] = {L"Partition type\t :", L"Partition Start\t :", L"Partition End\t  :",
                                      L"Partition Size     :", nullptr};
const LPCWSTR kVolumeCaptions[5] = {L"Volume Name :", L"Capacity         :", L"SPC               :",
                                    L"File System    :", L""};
const LPCWSTR kFatScanCaptions[5] = {L"Folder(s) Found  :", L"File(s) Found    :", L"Current Sector    :",
                                     L"Last File/Folder   :", L""};
const LPCWSTR kFatSweepCaptions[5] = {L"Boot Sector(s) Found :", L"Folder(s) Found\t        :",
                                      L"Current Sector\t        :", L"", nullptr};
const LPCWSTR kDeepScanCaptions[5] = {L"Boot Sector(s) Found :", L"Index Entries Found   :",
                                      L"File(s) Found             :", L"Folder(s) Found         :",
                                      L"Current Sector           :"};

CFont* MakeArial() {
  CFont* font = new CFont;
  font->CreateFont(16, 0, 0, 0, 400, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"Arial");
  return font;
}

CString Unsigned(uint32_t value) {
  CString text;
  text.Format(L"%lu", static_cast<unsigned long>(value));
  return text;
}

CString Signed(uint32_t value) {
  CString text;
  text.Format(L"%ld", static_cast<long>(static_cast<int32_t>(value)));
  return text;
}

CString Megabytes(uint32_t sectors) {
  CString text;
  text.Format(L"%d MB (Approx)", static_cast<int>(sectors >> 11));
  return text;
}

// The 8-bit root path of a LogicalDriveTable row.
void RootOf(int index, char (&root)[100]) {
  root[0] = 0;
  if (index < 0 || index >= kMaxLogicalDrives) return;
  int c = 0;
  for (; c < 99 && LogicalDriveTable[index].rootPath[c] != 0; ++c)
    root[c] = static_cast<char>(LogicalDriveTable[index].rootPath[c]);
  root[c] = 0;
}

}  // namespace

IMPLEMENT_DYNCREATE(CSecondDisplay, CView)

BEGIN_MESSAGE_MAP(CSecondDisplay, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_SHOWWINDOW()
  ON_WM_LBUTTONDOWN()
  ON_COMMAND(61486, OnToggleProgress)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CSecondDisplay::~CSecondDisplay() {
  if (WizardFrame().ScanInfoPane == this) WizardFrame().ScanInfoPane = nullptr;
  delete StartSectorEdit;
  delete EndSectorEdit;
  delete FileSystemCombo;
  delete HintFont;
  delete PaneFont;
  if (PaneBrush != nullptr) ::DeleteObject(PaneBrush);
}

int CSecondDisplay::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CView::OnCreate(lpcs) == -1) return -1;
  const CRect none(0, 0, 0, 0);
  const DWORD visible = WS_CHILD | WS_VISIBLE;
  PaneBrush = ::CreateSolidBrush(RGB(255, 255, 255));
  InfoGroup.Create(L"Partition Information", visible | BS_GROUPBOX | BS_CENTER | BS_NOTIFY, none, this, kGroupId);
  InfoGroup.SetBackgroundColor(RGB(255, 255, 255));
  HintLine.Create(L"", visible, none, this, kHintId);
  ModeLine.Create(L"", visible, none, this, kModeId);
  // Captions clip at their width rather than wrap into the row below.
  for (int row = 0; row < 5; ++row)
    CaptionStatics[row].Create(L"", visible | SS_LEFTNOWORDWRAP, none, this, kCaptionIds[row]);
  ProgressNote.Create(L"", visible, none, this, kNoteId);
  for (int row = 0; row < 5; ++row) ValueStatics[row].Create(L"", visible, none, this, kValueIds[row]);

  PaneFont = MakeArial();
  HintFont = MakeArial();
  HintLine.SetBaseFont(HintFont);
  ProgressNote.SetFont(HintFont);
  ProgressNote.SetWindowText(kNote);
  ModeLine.SetFont(PaneFont);
  for (int row = 0; row < 5; ++row) {
    CaptionStatics[row].SetFont(PaneFont);
    ValueStatics[row].SetFont(PaneFont);
  }

  CaptionStatics[4].ShowWindow(SW_HIDE);
  ValueStatics[4].ShowWindow(SW_HIDE);
  SetCaptions(kRangeSetCaptions);
  CaptionStatics[4].SetWindowText(L"");
  for (CStatic& value : ValueStatics) value.SetWindowText(L"");

  for (int n = 0; n < 3; ++n) RangeCaptions[n].Create(L"", visible, none, this, kRangeCaptionIds[n]);
  StartSectorEdit = new CEdit;
  EndSectorEdit = new CEdit;
  const DWORD edit = visible | WS_BORDER | ES_NUMBER | ES_AUTOHSCROLL;
  StartSectorEdit->Create(edit, none, this, kStartEditId);
  EndSectorEdit->Create(edit, none, this, kEndEditId);
  StartSectorEdit->SetFont(PaneFont);
  EndSectorEdit->SetFont(PaneFont);
  for (int n = 0; n < 3; ++n) {
    RangeCaptions[n].SetWindowText(kRangeCaptions[n]);
    RangeCaptions[n].SetFont(PaneFont);
  }

  FileSystemCombo = new CComboBox;
  FileSystemCombo->Create(visible | WS_BORDER | WS_VSCROLL | CBS_DROPDOWNLIST, none, this, kComboId);
  FileSystemCombo->AddString(L"NTFS");
  FileSystemCombo->AddString(L"FAT 32");
  FileSystemCombo->AddString(L"FAT 16");
  FileSystemCombo->SetFont(PaneFont);
  FileSystemCombo->SetCurSel(0);
  FileSystemCombo->SetFocus();
  FileSystemCombo->EnableWindow(TRUE);
  FileSystemCombo->Invalidate();

  HideRangeControls();

  UsageChart.Create(L"", visible, CRect(100, 0, 700, 200), this, kChartId);
  ProgressToggle.Create(L"Hide Progress", visible | WS_TABSTOP, none, this, kToggleId);

  WizardFrame().ScanInfoPane = this;
  ProgressToggle.ShowWindow(SW_HIDE);
  ProgressToggle.EnableWindow(FALSE);
  ProgressToggle.SetFont(PaneFont);
  ProgressNote.ShowWindow(SW_HIDE);
  ProgressNote.EnableWindow(FALSE);
  return 0;
}

void CSecondDisplay::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  if (FileSystemCombo == nullptr) return;
  if (DriveKind == kLogicalDrive) {
    ProgressToggle.MoveWindow(530, 150, 170, 40);
    ProgressNote.MoveWindow(530, 70, cx - 560, 80);
  } else {
    ProgressToggle.MoveWindow(80, 310, 100, 30);
    ProgressNote.MoveWindow(80, 220, 380, 50);
  }
  HintLine.MoveWindow(50, 20, cx - 60, 20);
  HintLine.Invalidate();
  ModeLine.MoveWindow(50, 350, cx - 60, cy - 355);
  InfoGroup.MoveWindow(50, 50, 470, 300);
  Invalidate();
  for (int row = 0; row < 5; ++row) {
    CaptionStatics[row].MoveWindow(80, kRowY[row], 140, row == 0 ? 15 : 20);
    ValueStatics[row].MoveWindow(280, kRowY[row], 220, 20);
  }
  FileSystemCombo->MoveWindow(280, 180, 130, 205);
  StartSectorEdit->MoveWindow(280, 210, 130, 23);
  EndSectorEdit->MoveWindow(280, 240, 130, 23);
  RangeCaptions[0].MoveWindow(80, 180, 330, 25);
  RangeCaptions[1].MoveWindow(80, 210, 330, 23);
  RangeCaptions[2].MoveWindow(80, 240, 330, 23);
  UsageChart.MoveWindow(60, 180, 200, 170);
}

void CSecondDisplay::OnDraw(CDC*) {
  if (FileSystemCombo != nullptr) FileSystemCombo->Invalidate();
  ModeLine.SetWindowText(SelectedModeText);
}

void CSecondDisplay::OnShowWindow(BOOL bShow, UINT nStatus) {
  CView::OnShowWindow(bShow, nStatus);
  Invalidate();
  if (FileSystemCombo != nullptr) FileSystemCombo->Invalidate();
}

void CSecondDisplay::OnLButtonDown(UINT, CPoint) {
  PageHooks().ActivatePage(kScanPage);
  Default();
}

void CSecondDisplay::OnToggleProgress() {
  if (ShowScanProgress == 1) {
    ProgressToggle.SetWindowText(L"Show Progress");
    ShowScanProgress = 0;
  } else {
    ProgressToggle.SetWindowText(L"Hide Progress");
    ShowScanProgress = 1;
  }
  PageHooks().ActivatePage(kScanPage);
}

HBRUSH CSecondDisplay::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  if (nCtlColor == CTLCOLOR_STATIC && pWnd != nullptr) {
    const int id = pWnd->GetDlgCtrlID();
    if (id == static_cast<int>(kModeId) || id == static_cast<int>(kHintId) || id == static_cast<int>(kNoteId)) {
      pDC->SetBkColor(RGB(255, 255, 255));
      pDC->SetTextColor(RGB(0, 0, 0));
      if (id != static_cast<int>(kModeId)) return PaneBrush;
    }
  }
  return ::GetSysColorBrush(COLOR_WINDOW);
}

void CSecondDisplay::SetCaptions(const LPCWSTR (&captions)[5]) {
  for (int row = 0; row < 5; ++row) {
    if (captions[row] != nullptr) CaptionStatics[row].SetWindowText(captions[row]);
  }
}

CString CSecondDisplay::TypeText(int type, LPCWSTR fallback) {
  int item = -1;
  switch (type) {
    case kFat16: item = 2; break;
    case kFat32: item = 1; break;
    case kNtfs: item = 0; break;
    default: return fallback;
  }
  FileSystemCombo->SetCurSel(item);
  return FileSystemTypeText(type);
}

void CSecondDisplay::ShowChartForSelection() {
  if (DriveKind == kLogicalDrive) {
    char root[100];
    RootOf(PartitionParameters.logicalDriveIndex, root);
    UsageChart.SetDrive(root);
    UsageChart.ShowWindow(SW_SHOW);
  } else {
    UsageChart.ShowWindow(SW_HIDE);
  }
}

void CSecondDisplay::ShowPartitionInfo(int, int row) {
  SetCaptions(kPartitionCaptions);
  if (row < 0 || row >= kMaxPartitions) {
    ClearInfo();
    return;
  }
  const PartitionEntry& entry = PartitionTable[row];
  PartitionParameters.endSector = entry.startSector + entry.sectorCount - 1;
  SetValue(0, TypeText(entry.fileSystemType, L""));
  const CString first = Signed(entry.startSector);
  const CString last = Signed(PartitionParameters.endSector);
  SetValue(1, first);
  StartSectorEdit->SetWindowText(first);
  SetValue(2, last);
  EndSectorEdit->SetWindowText(last);
  SetValue(3, Megabytes(entry.sectorCount));
  ShowChartForSelection();
}

void CSecondDisplay::ClearInfo() {
  SetCaptions(kClearedCaptions);
  ClearValues();
  UsageChart.ShowWindow(SW_HIDE);
}

void CSecondDisplay::ClearValues() {
  for (CStatic& value : ValueStatics) value.SetWindowText(L"");
  StartSectorEdit->SetWindowText(L"");
  EndSectorEdit->SetWindowText(L"");
}

void CSecondDisplay::FillVolumeRows(bool withName) {
  const LogicalDriveEntry& volume = LogicalDriveTable[SelectedVolumeRow];
  if (withName) {
    CString name = reinterpret_cast<const wchar_t*>(volume.volumeLabel);
    const uint16_t index = PartitionParameters.logicalDriveIndex;
    name += L" ( ";
    if (index < kMaxLogicalDrives) name += reinterpret_cast<const wchar_t*>(LogicalDriveTable[index].rootPath);
    name += L" )";
    SetValue(0, name);
  }
  CString capacity;
  capacity.Format(L"%d MB (Approx)", static_cast<int>(volume.size / 2 / 1024));
  SetValue(1, capacity);
  SetValue(2, Unsigned(volume.sectorsPerCluster));
  SetValue(3, TypeText(volume.type, L"UNKNOWN"));
  if (!withName) {
    StartSectorEdit->SetWindowText(capacity);
    EndSectorEdit->SetWindowText(capacity);
  }
}

void CSecondDisplay::ShowVolumeInfo() {
  SetCaptions(kVolumeCaptions);
  if (SelectedVolumeRow < 0 || SelectedVolumeRow >= kMaxLogicalDrives) {
    ClearInfo();
    return;
  }
  FillVolumeRows(true);
  ShowChartForSelection();
}

void CSecondDisplay::ShowVolumeSummary() {
  SetCaptions(kVolumeCaptions);
  if (SelectedVolumeRow < 0 || SelectedVolumeRow >= kMaxLogicalDrives) {
    ClearInfo();
  } else {
    FillVolumeRows(false);
  }
  SetValue(4, L"");
}

void CSecondDisplay::ShowDiskRange() {
  SetCaptions(kRangeSetCaptions);
  SetValue(0, TypeText(PartitionParameters.chosenType, L""));
  const CString first = Unsigned(PartitionParameters.startSector);
  const CString last = Unsigned(PartitionParameters.endSector);
  SetValue(1, first);
  StartSectorEdit->SetWindowText(first);
  SetValue(2, last);
  EndSectorEdit->SetWindowText(last);
  CString size;
  size.Format(L"%lu MB ( Aprox )", static_cast<unsigned long>(PartitionParameters.sectorCount >> 11));
  SetValue(3, size);
}

void CSecondDisplay::HideRangeControls() {
  CWnd* controls[6] = {&RangeCaptions[0], &RangeCaptions[1], &RangeCaptions[2],
                       StartSectorEdit,   EndSectorEdit,     FileSystemCombo};
  for (CWnd* control : controls) {
    control->EnableWindow(FALSE);
    control->ShowWindow(SW_HIDE);
  }
}

void CSecondDisplay::ShowFatScanCaptions() {
  SetCaptions(kFatScanCaptions);
  ClearValues();
}

void CSecondDisplay::ShowFatSweepCaptions() {
  SetCaptions(kFatSweepCaptions);
  for (int row = 0; row < 4; ++row) SetValue(row, L"");
}

void CSecondDisplay::ShowDeepScanCaptions() {
  for (int row = 0; row < 5; ++row) {
    CaptionStatics[row].ShowWindow(SW_SHOW);
    ValueStatics[row].ShowWindow(SW_SHOW);
  }
  SetCaptions(kDeepScanCaptions);
}
