#include "recovery_settings_dlg.h"

#include <array>

#include "resource.h"
#include "settings.h"

namespace {

// The radio buttons of a value 1 to 3, in the order of the values.
using Choice = std::array<CButton*, 3>;

void CheckChoice(const Choice& buttons, uint16_t value) {
  if (value >= 1 && value <= 3) buttons[value - 1]->SetCheck(BST_CHECKED);
}

// A group with no checked button leaves the value as it was.
void ReadChoice(const Choice& buttons, uint16_t& value) {
  for (int n = 0; n < 3; ++n)
    if (buttons[n]->GetCheck() == BST_CHECKED) value = static_cast<uint16_t>(n + 1);
}

}  // namespace

CRecoverySettingsDlg::CRecoverySettingsDlg(CWnd* pParent)
    : CSkinnedDialog(IDD_RECOVERY_SETTINGS, IDB_SETTINGS_SKIN, pParent) {}

void CRecoverySettingsDlg::DoDataExchange(CDataExchange* pDX) {
  CSkinnedDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_SECTORS_LABEL, m_sectorsLabel);
  DDX_Control(pDX, IDC_RETRIES_LABEL, m_retriesLabel);
  DDX_Control(pDX, IDOK, m_okButton);
  DDX_Control(pDX, IDC_BAD_SECTORS_GROUP, m_badSectorsGroup);
  DDX_Control(pDX, IDC_DELETED_GROUP, m_deletedGroup);
  DDX_Control(pDX, IDC_DUPLICATES_GROUP, m_duplicatesGroup);
  DDX_Control(pDX, IDC_SECTORS_GROUP, m_sectorsGroup);
  DDX_Control(pDX, IDC_BAD_SECTOR_RETRIES, m_retriesCombo);
  DDX_Control(pDX, IDC_EXCLUDE_DELETED, m_excludeDeleted);
  DDX_Control(pDX, IDC_ONLY_DELETED, m_onlyDeleted);
  DDX_Control(pDX, IDC_INCLUDE_DELETED, m_includeDeleted);
  DDX_Control(pDX, IDC_SKIP_DUPLICATES, m_skipDuplicates);
  DDX_Control(pDX, IDC_OVERWRITE_DUPLICATES, m_overwriteDuplicates);
  DDX_Control(pDX, IDC_RENAME_DUPLICATES, m_renameDuplicates);
  DDX_Control(pDX, IDC_SECTORS_PER_READ, m_sectorsCombo);
}

Choice CRecoverySettingsDlg::DuplicateButtons() {
  return {&m_renameDuplicates, &m_overwriteDuplicates, &m_skipDuplicates};
}

Choice CRecoverySettingsDlg::DeletedButtons() { return {&m_includeDeleted, &m_onlyDeleted, &m_excludeDeleted}; }

BOOL CRecoverySettingsDlg::OnInitDialog() {
  CSkinnedDialog::OnInitDialog();
  m_sectorsCombo.SetCurSel(SectorsPerRead - 1);
  m_retriesCombo.SetCurSel(BadSectorRetries - 1);
  CXPGroupBox* groups[] = {&m_sectorsGroup, &m_duplicatesGroup, &m_deletedGroup, &m_badSectorsGroup};
  for (CXPGroupBox* pGroup : groups) pGroup->SetFontBold(TRUE);
  for (CXPGroupBox* pGroup : groups)
    pGroup->SetBackgroundColor(RGB(255, 255, 255)).SetCaptionAlignment(CXPGroupBox::kCenter);
  CheckChoice(DuplicateButtons(), DuplicatePolicy);
  CheckChoice(DeletedButtons(), DeletedFilesPolicy);
  return TRUE;
}

void CRecoverySettingsDlg::OnOK() {
  // A combo without selection (its value was out of range when the dialog
  // opened) keeps the value instead of storing 0.
  const int sectors = m_sectorsCombo.GetCurSel();
  if (sectors != CB_ERR) SectorsPerRead = sectors + 1;
  const int retries = m_retriesCombo.GetCurSel();
  if (retries != CB_ERR) BadSectorRetries = static_cast<uint16_t>(retries + 1);
  ReadChoice(DuplicateButtons(), DuplicatePolicy);
  ReadChoice(DeletedButtons(), DeletedFilesPolicy);
  CSkinnedDialog::OnOK();
}

void ShowRecoverySettingsDlg() {
  CRecoverySettingsDlg dlg;
  dlg.DoModal();
}
