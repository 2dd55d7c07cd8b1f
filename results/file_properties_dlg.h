// "File/Folder Properties" of a found-file list row: name, size, dates and,
// for a folder, the files and folders of its whole subtree.
#pragma once

#include "results_dialog_skin.h"
#include "framework.h"

struct FileProperties {
  bool isFolder = false;
  uintptr_t id = 0;  // a file's ID, a folder's tree item
  CString name;
  CString size;  // "N KB" of a file
  CString created;
  CString modified;
};

// A file's size as the dialog shows it: whole kilobytes plus one.
CString PropertiesSizeText(unsigned long long bytes);
// What a folder's subtree holds: the "Contains" and size texts.
void FolderPropertiesTexts(uintptr_t treeItem, CString& contains, CString& size);

class CFilePropertiesDlg : public CDialog {
 public:
  CFilePropertiesDlg(const FileProperties& properties, CWnd* pParent = nullptr);

  void FillProperties();

 protected:
  BOOL OnInitDialog() override;
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()

 private:
  FileProperties m_properties;
  CResultsDialogSkin m_skin;
};
