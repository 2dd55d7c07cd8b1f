// "Device Not Found": shown when no iPod or other device is connected.
#pragma once

#include "framework.h"
#include "skinned_dialog.h"
#include "transparent_controls.h"

class CDeviceNotFoundDlg : public CSkinnedDialog {
 public:
  explicit CDeviceNotFoundDlg(CWnd* pParent = nullptr);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

 private:
  CTransparentStatic m_text;
  CTransparentStatic m_heading;
  CFont m_headingFont;
};
