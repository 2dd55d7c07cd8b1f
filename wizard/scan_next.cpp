#include "scan_next.h"

#include "app_message.h"
#include "device/logical_drives.h"
#include "device/sector_access.h"
#include "scan_control.h"
#include "volumes/boot_params.h"

namespace {

const char16_t kNoRowMessage[] =
    u"Please select the partition that you want to recover \r\nfrom the left panel and click [Next].";
const char16_t kCannotOpenMessage[] =
    u"Mulvara could not open the selected drive. \r\n"
    u"Please make sure that it is connected and go back to the first step.";

}  // namespace

BOOL ParseUnsigned(const CString& text, uint32_t& value) {
  value = 0;
  int at = 0;
  const int length = text.GetLength();
  while (at < length && text[at] == L' ') ++at;
  const int digitsFrom = at;
  uint64_t number = 0;
  for (; at < length && text[at] >= L'0' && text[at] <= L'9'; ++at) {
    number = number * 10 + static_cast<uint64_t>(text[at] - L'0');
    if (number > 0xFFFFFFFFull) return FALSE;
  }
  if (at == digitsFrom) return FALSE;
  while (at < length && text[at] == L' ') ++at;
  if (at != length) return FALSE;
  value = static_cast<uint32_t>(number);
  return TRUE;
}

BOOL CheckScanChoice(int scanMode, int selectedRow) {
  if (PartitionParameters.chosenType == kNtfs) {
    AfxMessageBox(L"Not work for NTFS.", MB_OK);
    return FALSE;
  }
  const int lowest = scanMode == kAdvanceScan ? -1 : 0;
  if (selectedRow < lowest) {
    ShowAppMessage(2, kNoRowMessage);
    return FALSE;
  }
  return TRUE;
}

void ApplyFileSystemChoice(int comboSelection) {
  static const uint16_t kTypes[3] = {kNtfs, kFat32, kFat16};
  if (comboSelection >= 0 && comboSelection < 3) PartitionParameters.chosenType = kTypes[comboSelection];
}

BOOL ReadSectorRange(const CString& startText, const CString& endText, uint64_t deviceSectors) {
  PartitionParametersRecord& p = PartitionParameters;
  uint32_t first = 0, last = 0;
  const BOOL firstRead = ParseUnsigned(startText, first);
  p.startSector = first;
  if (!firstRead) {
    ShowAppMessage(2, u"Start sector value is not valid, It should be a positive number");
    return FALSE;
  }
  const BOOL lastRead = ParseUnsigned(endText, last);
  p.endSector = last;
  if (!lastRead) {
    ShowAppMessage(2, u"End sector value is not valid, It should be a positive number");
    return FALSE;
  }
  if (last <= first) {
    ShowAppMessage(2, u"End sector should be bigger than start sector");
    return FALSE;
  }
  uint64_t count = uint64_t(last) - first + 1;
  if (deviceSectors > first && uint64_t(first) + count > deviceSectors) count = deviceSectors - first;
  p.sectorCount = static_cast<uint32_t>(count);
  return TRUE;
}

BOOL ReopenLogicalVolume() {
  CloseVolume();
  if (OpenVolume(LogicalVolumePath(PartitionParameters.logicalDriveIndex))) return TRUE;
  ShowAppMessage(2, kCannotOpenMessage);
  return FALSE;
}
