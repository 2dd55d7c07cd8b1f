// The program's messages and yes/no questions: each shows the current
// program message (engine/app_message.h) in the marked-up message box with
// the program's caption and background, on whichever thread calls it.
#pragma once

#include "framework.h"

struct MessageBoxParams;

// The message box block every program message starts from.
void FillAppMessageParams(MessageBoxParams& params);

class CAppMessageDlg : public CDialog {
 public:
  explicit CAppMessageDlg(CWnd* pParent = nullptr);
  // The box's result: 1 for OK, 2 when it was closed.
  INT_PTR DoModal() override;
};

class CQuestionDlg : public CDialog {
 public:
  explicit CQuestionDlg(CWnd* pParent = nullptr);
  // 1 for Yes, 2 for anything else.
  INT_PTR DoModal() override;
};
