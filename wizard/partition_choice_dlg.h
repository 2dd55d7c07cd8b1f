// "Please Select": whether the partition search keeps the partitions the
// disk's table lists or searches the whole disk. The answer is left in
// SearchPartitionsRequested.
#pragma once

#include "framework.h"
#include "skinned_dialog.h"
#include "transparent_controls.h"
#include "xp_group_box.h"

class CPartitionChoiceDlg : public CSkinnedDialog {
 public:
  explicit CPartitionChoiceDlg(CWnd* pParent = nullptr);

  CXPGroupBox ChoiceBox;
  CTransparentButton UseExistingRadio;
  CTransparentButton SearchRadio;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
};
