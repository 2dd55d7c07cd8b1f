// "Drive Information": the file-system facts of the volume in use and the
// folders and files found.
#pragma once

#include "framework.h"
#include "skinned_dialog.h"
#include "transparent_controls.h"

class CDriveInfoDlg : public CSkinnedDialog {
 public:
  explicit CDriveInfoDlg(CWnd* pParent = nullptr);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

 private:
  // Labels, then values, in the template's id order.
  CTransparentStatic m_rows[16];
};
