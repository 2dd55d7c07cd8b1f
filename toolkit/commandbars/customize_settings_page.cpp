#include "customize_settings_page.h"

#include "command_bars.h"
#include "customize_sheet.h"
#include "draw_helpers.h"
#include "resource_loader.h"
#include "toolkit_resources.h"

namespace {

const int kLineGap = 6;
// The theme's text colour and edge-fill colour of a group box.
const int kGroupBoxPart = 4;
const int kTextColorProperty = 3803;
const int kEdgeFillColorProperty = 3822;

}  // namespace

BEGIN_MESSAGE_MAP(CTkThemedGroupLine, CStatic)
  ON_WM_PAINT()
END_MESSAGE_MAP()

void CTkThemedGroupLine::OnPaint() {
  CPaintDC dc(this);
  const CTkClientBounds client(this);
  if (m_theme.GetHandle() == nullptr && CTkUxThemeHandle::IsThemingUsable()) m_theme.OpenThemeData(m_hWnd, L"BUTTON");
  const BOOL themed = m_theme.GetHandle() != nullptr && CTkUxThemeHandle::IsThemingUsable();
  COLORREF text = ::GetSysColor(COLOR_BTNTEXT);
  if (themed) m_theme.GetThemeColor(kGroupBoxPart, 1, kTextColorProperty, &text);
  const BOOL rtl = (GetExStyle() & WS_EX_RTLREADING) != 0;
  CString caption;
  GetWindowText(caption);
  CFont* old = dc.SelectObject(GetFont());
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(text);
  CRect textRect = client;
  dc.DrawText(caption, &textRect,
              DT_SINGLELINE | DT_VCENTER | (rtl ? DT_RIGHT | DT_RTLREADING : 0));
  const CSize extent = dc.GetTextExtent(caption);
  dc.SelectObject(old);
  const int y = (client.top + client.bottom) / 2;
  const int left = rtl ? client.left : client.left + extent.cx + kLineGap;
  const int right = rtl ? client.right - extent.cx - kLineGap : client.right;
  if (right <= left) return;
  COLORREF lineColor = 0;
  if (themed && SUCCEEDED(m_theme.GetThemeColor(kGroupBoxPart, 1, kEdgeFillColorProperty, &lineColor))) {
    dc.FillSolidRect(left, y, right - left, 1, lineColor);
    return;
  }
  dc.FillSolidRect(left, y, right - left, 1, ::GetSysColor(COLOR_BTNSHADOW));
  dc.FillSolidRect(left, y + 1, right - left, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

BEGIN_MESSAGE_MAP(CTkCustomizeSettingsPage, CPropertyPage)
  ON_BN_CLICKED(IDC_TK_FULL_MENUS, OnFullMenus)
  ON_BN_CLICKED(IDC_TK_FULL_AFTER_DELAY, OnFullAfterDelay)
  ON_BN_CLICKED(IDC_TK_LARGE_ICONS, OnLargeIcons)
  ON_BN_CLICKED(IDC_TK_SCREEN_TIPS, OnScreenTips)
  ON_BN_CLICKED(IDC_TK_SHORTCUT_TIPS, OnShortcutTips)
  ON_BN_CLICKED(IDC_TK_RESET_USAGE, OnResetUsage)
  ON_CBN_SELCHANGE(IDC_TK_ANIMATION, OnAnimation)
END_MESSAGE_MAP()

CTkCustomizeSettingsPage::CTkCustomizeSettingsPage(CTkCustomizeSheet* sheet)
    : CPropertyPage(IDD_TK_OPTIONS_PAGE), m_pSheet(sheet) {
  CTkCommandBars* commandBars = CommandBars();
  const CTkCommandBarsSettings* options = commandBars != nullptr ? commandBars->GetCommandBarsOptions() : nullptr;
  m_bAlwaysShowFullMenus = options != nullptr ? options->bAlwaysShowFullMenus : TRUE;
  m_bShowFullAfterDelay = options != nullptr ? options->bShowFullAfterDelay : TRUE;
  m_bLargeIcons = options != nullptr ? options->bLargeIcons : FALSE;
  m_bToolBarScreenTips = options != nullptr ? options->bToolBarScreenTips : TRUE;
  m_bToolBarAccelTips = options != nullptr ? options->bToolBarAccelTips : FALSE;
  m_nAnimation = options != nullptr ? options->nAnimationType : 0;
}

CTkCommandBars* CTkCustomizeSettingsPage::CommandBars() const {
  return m_pSheet != nullptr ? m_pSheet->GetCommandBars() : nullptr;
}

BOOL CTkCustomizeSettingsPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_lines[0].SubclassDlgItem(IDC_TK_GROUP_PERSONALIZED, this);
  m_lines[1].SubclassDlgItem(IDC_TK_GROUP_OTHER, this);
  m_animation.SubclassDlgItem(IDC_TK_ANIMATION, this);
  for (UINT id = IDS_TK_ANIMATION_FIRST; id <= IDS_TK_ANIMATION_LAST; ++id) {
    CString text;
    GetToolkitResourceLoader()->LoadString(text, id);
    m_animation.AddString(text);
  }
  ::CheckDlgButton(m_hWnd, IDC_TK_FULL_MENUS, m_bAlwaysShowFullMenus ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(m_hWnd, IDC_TK_FULL_AFTER_DELAY, m_bShowFullAfterDelay ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(m_hWnd, IDC_TK_LARGE_ICONS, m_bLargeIcons ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(m_hWnd, IDC_TK_SCREEN_TIPS, m_bToolBarScreenTips ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(m_hWnd, IDC_TK_SHORTCUT_TIPS, m_bToolBarAccelTips ? BST_CHECKED : BST_UNCHECKED);
  m_animation.SetCurSel(m_nAnimation);
  EnableDependents();
  return TRUE;
}

void CTkCustomizeSettingsPage::EnableDependents() {
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_TK_FULL_AFTER_DELAY), !m_bAlwaysShowFullMenus);
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_TK_SHORTCUT_TIPS), m_bToolBarScreenTips);
}

void CTkCustomizeSettingsPage::OnFullMenus() {
  m_bAlwaysShowFullMenus = ::IsDlgButtonChecked(m_hWnd, IDC_TK_FULL_MENUS) == BST_CHECKED;
  if (CTkCommandBars* commandBars = CommandBars())
    commandBars->GetCommandBarsOptions()->bAlwaysShowFullMenus = m_bAlwaysShowFullMenus;
  EnableDependents();
}

void CTkCustomizeSettingsPage::OnFullAfterDelay() {
  m_bShowFullAfterDelay = ::IsDlgButtonChecked(m_hWnd, IDC_TK_FULL_AFTER_DELAY) == BST_CHECKED;
  if (CTkCommandBars* commandBars = CommandBars())
    commandBars->GetCommandBarsOptions()->bShowFullAfterDelay = m_bShowFullAfterDelay;
}

void CTkCustomizeSettingsPage::OnLargeIcons() {
  m_bLargeIcons = ::IsDlgButtonChecked(m_hWnd, IDC_TK_LARGE_ICONS) == BST_CHECKED;
  if (CTkCommandBars* commandBars = CommandBars()) {
    commandBars->GetCommandBarsOptions()->bLargeIcons = m_bLargeIcons;
    commandBars->UpdateAllBars();
  }
}

void CTkCustomizeSettingsPage::OnScreenTips() {
  m_bToolBarScreenTips = ::IsDlgButtonChecked(m_hWnd, IDC_TK_SCREEN_TIPS) == BST_CHECKED;
  if (CTkCommandBars* commandBars = CommandBars())
    commandBars->GetCommandBarsOptions()->bToolBarScreenTips = m_bToolBarScreenTips;
  EnableDependents();
}

void CTkCustomizeSettingsPage::OnShortcutTips() {
  m_bToolBarAccelTips = ::IsDlgButtonChecked(m_hWnd, IDC_TK_SHORTCUT_TIPS) == BST_CHECKED;
  if (CTkCommandBars* commandBars = CommandBars())
    commandBars->GetCommandBarsOptions()->bToolBarAccelTips = m_bToolBarAccelTips;
}

void CTkCustomizeSettingsPage::OnAnimation() {
  const int selected = m_animation.GetCurSel();
  if (selected < 0) return;
  m_nAnimation = selected;
  if (CTkCommandBars* commandBars = CommandBars()) commandBars->GetCommandBarsOptions()->nAnimationType = selected;
}

void CTkCustomizeSettingsPage::OnResetUsage() {
  if (GetToolkitResourceLoader()->ShowMessage(IDS_TK_RESET_USAGE_QUESTION,
                                              MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
    return;
  if (CTkCommandBars* commandBars = CommandBars()) commandBars->ResetUsageData();
}
