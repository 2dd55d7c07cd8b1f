// The "Recovery Settings" dialog: the sectors read at once, what happens to
// duplicate names and deleted files, and the retries of a bad sector.
#pragma once

#include <array>

#include "framework.h"
#include "skinned_dialog.h"
#include "transparent_controls.h"
#include "xp_group_box.h"

class CRecoverySettingsDlg : public CSkinnedDialog {
 public:
  explicit CRecoverySettingsDlg(CWnd* pParent = nullptr);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  // The radio buttons of the values 1 to 3.
  std::array<CButton*, 3> DuplicateButtons();
  std::array<CButton*, 3> DeletedButtons();

  CTransparentStatic m_sectorsLabel;
  CTransparentStatic m_retriesLabel;
  CButton m_okButton;
  CXPGroupBox m_badSectorsGroup;
  CXPGroupBox m_deletedGroup;
  CXPGroupBox m_duplicatesGroup;
  CXPGroupBox m_sectorsGroup;
  CComboBox m_retriesCombo;
  CTransparentButton m_excludeDeleted;
  CTransparentButton m_onlyDeleted;
  CTransparentButton m_includeDeleted;
  CTransparentButton m_skipDuplicates;
  CTransparentButton m_overwriteDuplicates;
  CTransparentButton m_renameDuplicates;
  CComboBox m_sectorsCombo;
};

// Runs the dialog; OK stores the values in the engine's settings.
void ShowRecoverySettingsDlg();
