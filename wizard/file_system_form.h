// CFileSystemForm: the file-system step's information form. It describes
// the rebuilt volume chosen in the step's tree (FAT: start, sectors per
// cluster, size; NTFS: start, sectors per cluster, $MFT, $MFTMirr, size).
// It takes no input of its own.
#pragma once

#include <cstdint>

#include "framework.h"
#include "xp_group_box.h"

class CFileSystemForm : public CView {
  DECLARE_DYNCREATE(CFileSystemForm)
 public:
  CFileSystemForm() = default;
  ~CFileSystemForm() override;

  void ShowFatCaptions();
  void ShowNtfsCaptions();
  // The FAT captions with row 1 hidden; start, sectors per cluster and size
  // in rows 2 to 4.
  void ShowFatValues(const CString& start, const CString& sectorsPerCluster, const CString& size);
  // Rows 1 to 5 in order (the NTFS captions are shown first).
  void ShowNtfsValues(const CString (&values)[5]);
  void ClearValues();
  // The captions of a chosen type: FAT for 100 and 200, NTFS for 300.
  void ShowCaptionsForType(int type);
  // The values of the volume last picked into PartitionParameters, by its
  // scanned type; other types change nothing.
  void ShowPickedVolume();

  CFont* FormFont = nullptr;
  CXPGroupBox FormGroup;
  CStatic ModeLine;
  CStatic ValueStatics[5];    // by row
  CStatic CaptionStatics[5];  // by row
  CStatic HintLine;
  HBRUSH FormBrush = nullptr;

 protected:
  void OnDraw(CDC* pDC) override;
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()

 private:
  void SetCaptions(const LPCWSTR (&captions)[5]);
};

// A rebuilt volume's size as the form shows it: (end - first sector) / 2048
// followed by " MB", or "Unknown" when the end is not known (0).
CString FoundVolumeSizeText(uint32_t firstSector, uint32_t endSector);

// The file-system step's form once it exists (the scan page prepares it
// before an Advance Scan); null before and after.
CFileSystemForm* TheFileSystemForm();
