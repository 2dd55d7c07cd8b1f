// The wizard's pages after the start page, as far as start-up and the
// results of a loaded snapshot need them: drive selection enumerates the
// drives when it is made, the results page holds the found-file list and
// its navigation buttons.
#pragma once

#include "framework.h"
#include "wizard_page_view.h"

class CFoundFileListCtrl : public CListCtrl {
 public:
  CFoundFileListCtrl();
  // Preview temporary files: path to extension.
  CMapStringToString PreviewTempFiles;
};

class CFirstView_HDD : public CWizardPageView {
  DECLARE_DYNCREATE(CFirstView_HDD)

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  DECLARE_MESSAGE_MAP()
};

class CSecondView_HDD : public CWizardPageView {
  DECLARE_DYNCREATE(CSecondView_HDD)
};

class CFileSystemView : public CWizardPageView {
  DECLARE_DYNCREATE(CFileSystemView)
};

class CThirdView_HDD : public CWizardPageView {
  DECLARE_DYNCREATE(CThirdView_HDD)

 public:
  CFoundFileListCtrl FoundFiles;
  CButton NextButton;
  CButton StartOverButton;

  // Every column removed (the header's count, column 0 that many times).
  void DeleteAllColumns();
  // The mode's columns: Raw Scan three, the others six.
  void InsertModeColumns(bool rawScan);
  // Shows and enables a navigation button by its id.
  void ShowButton(UINT id);

 protected:
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};
