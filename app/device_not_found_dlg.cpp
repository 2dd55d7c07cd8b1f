#include "device_not_found_dlg.h"

#include "resource.h"

namespace {

const wchar_t kHeading[] = L"Mulvara could not\r\nfind any iPod connected to your\r\nsystem.";
const wchar_t kExplanation[] =
    L"Either you have not connected your ipod to your computer or iTunes preferences\r\n"
    L"configuration is not allowing direct access to your ipod storage. Please uninstall\r\n"
    L"iTunes from your computer and reconnect iPod to your computer or try using Mulvara\r\n"
    L"for iPod on a machine where iTunes Recovery is not installed. If you are using\r\n"
    L"Windows Vista, please make sure User Account Control (UAC) is disabled. To\r\n"
    L"disable UAC : Go to \r\n\r\n"
    L"Control Panel->User Accounts->User Account on or off->Uncheck UAC and restart your computer.";

}  // namespace

CDeviceNotFoundDlg::CDeviceNotFoundDlg(CWnd* pParent)
    : CSkinnedDialog(IDD_DEVICE_NOT_FOUND, IDB_SETTINGS_SKIN, pParent) {}

void CDeviceNotFoundDlg::DoDataExchange(CDataExchange* pDX) {
  CSkinnedDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_NOT_FOUND_TEXT, m_text);
  DDX_Control(pDX, IDC_NOT_FOUND_HEADING, m_heading);
}

BOOL CDeviceNotFoundDlg::OnInitDialog() {
  CSkinnedDialog::OnInitDialog();
  m_headingFont.CreateFont(15, 12, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"Arial");
  m_heading.SetWindowText(kHeading);
  m_heading.SetFont(&m_headingFont, TRUE);
  m_text.SetWindowText(kExplanation);
  return TRUE;
}
