// Names a new tool bar, or a user's tool bar being renamed, and picks a
// free id for a new one.
#pragma once

#include "framework.h"

class CTkCommandBars;
class CTkCommandBar;

class CTkNewToolbarDialog : public CDialog {
 public:
  // First and last ids of tool bars the user makes (0xE8FF is never given).
  static const UINT kFirstUserBarId = 0xE800;
  static const UINT kUserBarIdLimit = 0xE8FF;

  // rename: the bar being renamed, none when creating.
  CTkNewToolbarDialog(CWnd* parent, CTkCommandBars* commandBars, CTkCommandBar* rename = nullptr);

  INT_PTR DoModal() override;
  // "Custom n" with the least n no bar is titled with.
  static CString SuggestName(CTkCommandBars* commandBars);
  // Checks the name (and picks the id when creating), telling the user
  // what is wrong: IDOK to close with them, IDCANCEL when no id is left,
  // 0 to stay open.
  int Validate();

  CString m_strName;
  UINT m_nBarId = 0;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

  CWnd* m_pParent;
  CTkCommandBars* m_pCommandBars;
  CTkCommandBar* m_pRename;
};
