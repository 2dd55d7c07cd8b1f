#include "about_dlg.h"

#include "resource.h"

const wchar_t CAboutDlg::kWebAddress[] = L"http://www.tarnwick.example.com/";
const wchar_t CAboutDlg::kSupportAddress[] = L"mailto:support@tarnwick.example.com";
const wchar_t CAboutDlg::kSalesAddress[] = L"mailto:sales@tarnwick.example.com";

CAboutDlg::CAboutDlg(CWnd* pParent) : CSkinnedDialog(IDD_ABOUTBOX, IDB_ABOUT_SKIN, pParent) {
  // Shrunk to their measured text, the links lost the last pixels of some
  // addresses under Wine's fonts: they keep the template's widths.
  for (CLinkStatic* pLink : {&m_web, &m_support, &m_sales}) pLink->AdjustToTextSize = FALSE;
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
  CSkinnedDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_ABOUT_SPARE, m_spare);
  DDX_Control(pDX, IDC_ABOUT_MAKER, m_maker);
  DDX_Control(pDX, IDC_ABOUT_WEB, m_web);
  DDX_Control(pDX, IDC_ABOUT_SUPPORT, m_support);
  DDX_Control(pDX, IDC_ABOUT_SALES, m_sales);
  DDX_Control(pDX, IDC_ABOUT_PRODUCT, m_product);
}

BOOL CAboutDlg::OnInitDialog() {
  CSkinnedDialog::OnInitDialog();
  m_productFont.CreateFont(16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Arial");
  m_product.SetFont(&m_productFont, TRUE);
  m_web.SetUrl(kWebAddress);
  m_web.SetUnderlineMode(CLinkStatic::kUnderlineAlways);
  m_support.SetUrl(kSupportAddress);
  m_support.SetUnderlineMode(CLinkStatic::kUnderlineAlways);
  m_sales.SetUrl(kSalesAddress);
  m_sales.SetUnderlineMode(CLinkStatic::kUnderlineAlways);
  return TRUE;
}
