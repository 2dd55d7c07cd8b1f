#include "app_message_dlg.h"

#include "app_message.h"
#include "html_message_box.h"
#include "resource.h"

namespace {

const wchar_t kProgramCaption[] = L"Mulvara";

// Kinds 1 information, 2 error, 3 question; no caller sets another, and it
// shows as information.
UINT IconOfKind(int kind) {
  switch (kind) {
    case 2: return MB_ICONHAND;
    case 3: return MB_ICONQUESTION;
    default: return MB_ICONINFORMATION;
  }
}

int ShowAppMessageBox(UINT buttons) {
  // The pair as it stood when the box was asked for: a worker may set the
  // next one while this box is up.
  const AppMessage message = GetAppMessage();
  const CString text(reinterpret_cast<const wchar_t*>(message.text.c_str()));
  MessageBoxParams params;
  FillAppMessageParams(params);
  return ShowHtmlMessageBox(nullptr, text, kProgramCaption, IconOfKind(message.kind) | buttons, &params);
}

}  // namespace

void FillAppMessageParams(MessageBoxParams& params) {
  InitMessageBoxParams(params);
  params.background.separatorAlignment = 2;
  params.background.effect = 12;
  params.background.beginColor = 0x00CAFA;
  params.background.middleColor = 0xFFFFFF;
  params.background.endColor = 0x00CAFA;
}

CAppMessageDlg::CAppMessageDlg(CWnd* pParent) : CDialog(IDD_APP_MESSAGE, pParent) {}

INT_PTR CAppMessageDlg::DoModal() { return ShowAppMessageBox(MB_OK); }

CQuestionDlg::CQuestionDlg(CWnd* pParent) : CDialog(IDD_APP_MESSAGE, pParent) {}

INT_PTR CQuestionDlg::DoModal() { return ShowAppMessageBox(MB_YESNO) == IDYES ? 1 : 2; }
