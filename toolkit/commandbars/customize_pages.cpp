#include "customize_pages.h"

#include <memory>

#include "bar_painter.h"
#include "command_bar.h"
#include "command_bars.h"
#include "control.h"
#include "control_collection.h"
#include "customize_drag_tracker.h"
#include "customize_sheet.h"
#include "draw_helpers.h"
#include "menu_bar.h"
#include "new_toolbar_dialog.h"
#include "reference_scope.h"
#include "resource_loader.h"
#include "tool_bar.h"
#include "toolkit_resources.h"
#include "window_hooks.h"

namespace {

CTkToolBar* AsToolBar(CTkCommandBar* bar) {
  return bar != nullptr && bar->IsKindOf(RUNTIME_CLASS(CTkToolBar)) ? static_cast<CTkToolBar*>(bar) : nullptr;
}

BOOL IsUserBar(CTkCommandBar* bar) {
  CTkToolBar* toolBar = AsToolBar(bar);
  return toolBar != nullptr && !toolBar->IsBuiltIn();
}

}  // namespace

// The bar list.

BEGIN_MESSAGE_MAP(CTkBarCheckList, CListBox)
  ON_WM_LBUTTONDOWN()
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

void CTkBarCheckList::DrawItem(LPDRAWITEMSTRUCT item) {
  if (item->itemID == static_cast<UINT>(-1)) return;
  CDC* dc = CDC::FromHandle(item->hDC);
  const BOOL selected = (item->itemState & ODS_SELECTED) != 0;
  CRect rect(item->rcItem);
  CRect text = rect;
  text.left += kCheckWidth;
  dc->FillSolidRect(rect.left, rect.top, kCheckWidth, rect.Height(), ::GetSysColor(COLOR_WINDOW));
  dc->FillSolidRect(&text, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  CTkCommandBars* commandBars = m_pPage != nullptr ? m_pPage->GetSheet() != nullptr
                                                         ? static_cast<CTkCustomizeSheet*>(m_pPage->GetSheet())->GetCommandBars()
                                                         : nullptr
                                                   : nullptr;
  CTkCommandBar* bar = commandBars != nullptr ? commandBars->GetAt(static_cast<int>(item->itemData)) : nullptr;
  CRect box(rect.left + 2, rect.top + (rect.Height() - 12) / 2, rect.left + 14, rect.top + (rect.Height() - 12) / 2 + 12);
  ::DrawFrameControl(item->hDC, &box, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_FLAT | (bar != nullptr && bar->IsVisible() ? DFCS_CHECKED : 0));
  CString caption;
  GetText(static_cast<int>(item->itemID), caption);
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  text.left += 2;
  dc->DrawText(caption, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (item->itemState & ODS_FOCUS) dc->DrawFocusRect(&text);
}

void CTkBarCheckList::OnLButtonDown(UINT flags, CPoint point) {
  const DWORD hit = static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y)));
  CListBox::OnLButtonDown(flags, point);
  if (HIWORD(hit) == 0 && point.x < kCheckWidth && m_pPage != nullptr) m_pPage->OnCheckChange(LOWORD(hit));
}

void CTkBarCheckList::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key == VK_SPACE && m_pPage != nullptr && GetCurSel() >= 0) {
    m_pPage->OnCheckChange(GetCurSel());
    return;
  }
  CListBox::OnKeyDown(key, repeat, flags);
}

// The Toolbars page.

IMPLEMENT_DYNCREATE(CTkCustomizeToolbarsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CTkCustomizeToolbarsPage, CPropertyPage)
  ON_LBN_SELCHANGE(IDC_TK_TOOLBARS_LIST, OnSelectionChange)
  ON_BN_CLICKED(IDC_TK_TOOLBAR_NEW, OnNew)
  ON_BN_CLICKED(IDC_TK_TOOLBAR_RENAME, OnRename)
  ON_BN_CLICKED(IDC_TK_TOOLBAR_DELETE, OnDelete)
  ON_BN_CLICKED(IDC_TK_TOOLBAR_RESET, OnReset)
END_MESSAGE_MAP()

CTkCustomizeToolbarsPage::CTkCustomizeToolbarsPage(CTkCustomizeSheet* sheet)
    : CPropertyPage(IDD_TK_TOOLBARS_PAGE), m_pSheet(sheet) {
  m_list.m_pPage = this;
}

CTkCommandBars* CTkCustomizeToolbarsPage::CommandBars() const {
  return m_pSheet != nullptr ? m_pSheet->GetCommandBars() : nullptr;
}

BOOL CTkCustomizeToolbarsPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_list.SubclassDlgItem(IDC_TK_TOOLBARS_LIST, this);
  RefreshList();
  return TRUE;
}

int CTkCustomizeToolbarsPage::SelectedBarIndex() const {
  if (m_list.GetSafeHwnd() == nullptr) return -1;
  const int item = m_list.GetCurSel();
  return item < 0 ? -1 : static_cast<int>(m_list.GetItemData(item));
}

void CTkCustomizeToolbarsPage::RefreshList() {
  CTkCommandBars* commandBars = CommandBars();
  if (commandBars == nullptr || m_list.GetSafeHwnd() == nullptr) return;
  const int selected = SelectedBarIndex();
  const int top = m_list.GetTopIndex();
  m_list.SetRedraw(FALSE);
  m_list.ResetContent();
  for (int i = 0; i < commandBars->GetBarCount(); ++i) {
    CTkCommandBar* bar = commandBars->GetAt(i);
    if (bar == commandBars->GetMenuBar() && !bar->IsVisible()) continue;
    const int item = m_list.AddString(bar->GetTitle());
    m_list.SetItemData(item, static_cast<DWORD_PTR>(i));
    if (i == selected) m_list.SetCurSel(item);
  }
  m_list.SetTopIndex(top);
  m_list.SetRedraw(TRUE);
  m_list.Invalidate();
  UpdateButtons();
}

void CTkCustomizeToolbarsPage::UpdateButtons() {
  CTkCommandBars* commandBars = CommandBars();
  const int index = SelectedBarIndex();
  CTkCommandBar* bar = commandBars != nullptr && index >= 0 ? commandBars->GetAt(index) : nullptr;
  const BOOL user = IsUserBar(bar);
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_TK_TOOLBAR_RESET), bar != nullptr && !user);
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_TK_TOOLBAR_RENAME), user);
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_TK_TOOLBAR_DELETE), user);
  ::EnableWindow(::GetDlgItem(m_hWnd, IDC_TK_TOOLBAR_NEW), TRUE);
}

void CTkCustomizeToolbarsPage::OnSelectionChange() { UpdateButtons(); }

void CTkCustomizeToolbarsPage::OnCheckChange(int item) {
  CTkCommandBars* commandBars = CommandBars();
  if (commandBars == nullptr || item < 0 || item >= m_list.GetCount()) return;
  CTkCommandBar* bar = commandBars->GetAt(static_cast<int>(m_list.GetItemData(item)));
  CTkToolBar* toolBar = AsToolBar(bar);
  // The menu bar and bars that may not be closed keep their check.
  if (toolBar != nullptr && bar != commandBars->GetMenuBar() && toolBar->IsCloseable()) {
    toolBar->SetVisible(!toolBar->IsVisible());
    commandBars->RecalcFrameLayout();
  }
  RefreshList();
}

void CTkCustomizeToolbarsPage::OnNew() {
  CTkCommandBars* commandBars = CommandBars();
  if (commandBars == nullptr) return;
  CTkNewToolbarDialog dialog(m_pSheet, commandBars);
  if (dialog.DoModal() != IDOK) return;
  if (CTkCommandBar* bar = commandBars->CreateToolBar(dialog.m_strName, dialog.m_nBarId, FALSE)) {
    const int index = commandBars->FindBarIndex(bar);
    RefreshList();
    for (int item = 0; item < m_list.GetCount(); ++item)
      if (static_cast<int>(m_list.GetItemData(item)) == index) m_list.SetCurSel(item);
    UpdateButtons();
  }
}

void CTkCustomizeToolbarsPage::OnRename() {
  CTkCommandBars* commandBars = CommandBars();
  const int item = m_list.GetSafeHwnd() != nullptr ? m_list.GetCurSel() : -1;
  const int index = SelectedBarIndex();
  if (commandBars == nullptr || index < 0 || index >= commandBars->GetBarCount()) return;
  CTkCommandBar* bar = commandBars->GetAt(index);
  if (!IsUserBar(bar)) return;
  CTkNewToolbarDialog dialog(m_pSheet, commandBars, bar);
  if (dialog.DoModal() != IDOK) return;
  bar->SetTitle(dialog.m_strName);
  bar->Invalidate();
  if (CWnd* parent = bar->GetParent()) parent->Invalidate();
  m_list.DeleteString(static_cast<UINT>(item));
  m_list.InsertString(item, dialog.m_strName);
  m_list.SetItemData(item, static_cast<DWORD_PTR>(index));
  m_list.SetCurSel(item);
}

void CTkCustomizeToolbarsPage::OnDelete() {
  CTkCommandBars* commandBars = CommandBars();
  const int index = SelectedBarIndex();
  if (commandBars == nullptr || index < 0 || index >= commandBars->GetBarCount()) return;
  CTkCommandBar* bar = commandBars->GetAt(index);
  if (!IsUserBar(bar)) return;
  CString format;
  GetToolkitResourceLoader()->LoadString(format, IDS_TK_CONFIRM_DELETE);
  CString text;
  text.Format(format, static_cast<LPCWSTR>(bar->GetTitle()));
  if (AfxMessageBox(text, MB_OKCANCEL | MB_ICONWARNING) != IDOK) return;
  commandBars->RemoveCommandBar(bar);
  RefreshList();
}

void CTkCustomizeToolbarsPage::OnReset() {
  CTkCommandBars* commandBars = CommandBars();
  const int index = SelectedBarIndex();
  if (commandBars == nullptr || index < 0 || index >= commandBars->GetBarCount()) return;
  CTkToolBar* toolBar = AsToolBar(commandBars->GetAt(index));
  if (toolBar == nullptr || !toolBar->IsBuiltIn()) return;
  toolBar->ResetToolBar();
  RefreshList();
}

// Categories.

CTkCustomizeCategory::CTkCustomizeCategory(LPCWSTR name, CTkCommandBars* commandBars)
    : m_strName(name), m_pControls(new CTkControls) {
  m_pControls->SetCommandBars(commandBars);
}

CTkCustomizeCategory::~CTkCustomizeCategory() { m_pControls->InternalRelease(); }

// The command list.

BEGIN_MESSAGE_MAP(CTkCommandListBox, CListBox)
  ON_WM_LBUTTONDOWN()
  ON_WM_ERASEBKGND()
  ON_WM_PAINT()
END_MESSAGE_MAP()

void CTkCommandListBox::DrawItem(LPDRAWITEMSTRUCT item) {
  CTkBarPainter* painter = m_pCommandBars != nullptr ? m_pCommandBars->GetPainterOrCurrent() : nullptr;
  if (painter == nullptr || item->itemID == static_cast<UINT>(-1)) return;
  auto* control = reinterpret_cast<CTkControl*>(item->itemData);
  painter->DrawCommandListItem(CDC::FromHandle(item->hDC), control, CRect(item->rcItem),
                               (item->itemState & ODS_SELECTED) != 0, TRUE,
                               m_pCommandBars->GetImageManagerOrDefault());
}

BOOL CTkCommandListBox::OnEraseBkgnd(CDC* pDC) {
  CTkBarPainter* painter = m_pCommandBars != nullptr ? m_pCommandBars->GetPainterOrCurrent() : nullptr;
  if (painter == nullptr) return CListBox::OnEraseBkgnd(pDC);
  const CTkClientBounds client(this);
  painter->DrawCommandListItem(pDC, nullptr, client, FALSE, TRUE, m_pCommandBars->GetImageManagerOrDefault());
  return TRUE;
}

void CTkCommandListBox::OnPaint() {
  CPaintDC paint(this);
  const CTkClientBounds client(this);
  CTkMemDC offscreen(&paint, client);
  if (!offscreen.IsValid()) return;
  OnEraseBkgnd(&offscreen);
  // The list draws its rows into the buffer.
  DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(offscreen.GetSafeHdc()), 0);
}

void CTkCommandListBox::OnLButtonDown(UINT flags, CPoint point) {
  if (m_pCommandBars != nullptr) m_pCommandBars->SetCustomizeSelection(nullptr);
  const DWORD hit = static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y)));
  if (HIWORD(hit) != 0) {
    CListBox::OnLButtonDown(flags, point);
    return;
  }
  const int item = LOWORD(hit);
  SetCurSel(item);
  SetFocus();
  if (CWnd* parent = GetParent())
    parent->PostMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), LBN_SELCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
  auto* control = reinterpret_cast<CTkControl*>(GetItemData(item));
  if (control != nullptr && m_pCommandBars != nullptr && m_pCommandBars->GetCustomizeDragTracker() != nullptr)
    m_pCommandBars->GetCustomizeDragTracker()->TrackDrag(control, TRUE);
}

// The Commands page.

IMPLEMENT_DYNCREATE(CTkCustomizeCommandsPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CTkCustomizeCommandsPage, CPropertyPage)
  ON_LBN_SELCHANGE(IDC_TK_CATEGORIES_LIST, OnCategoryChanged)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CTkCustomizeCommandsPage::CTkCustomizeCommandsPage(CTkCustomizeSheet* sheet)
    : CPropertyPage(IDD_TK_COMMANDS_PAGE), m_pSheet(sheet) {
  m_commandList.m_pCommandBars = CommandBars();
}

CTkCustomizeCommandsPage::~CTkCustomizeCommandsPage() {
  for (CTkCustomizeCategory* category : m_categories) delete category;
}

CTkCommandBars* CTkCustomizeCommandsPage::CommandBars() const {
  return m_pSheet != nullptr ? m_pSheet->GetCommandBars() : nullptr;
}

void CTkCustomizeCommandsPage::Insert(CTkCustomizeCategory* category, int index) {
  if (index < 0 || index > GetCategoryCount())
    m_categories.push_back(category);
  else
    m_categories.insert(m_categories.begin() + index, category);
}

CTkCustomizeCategory* CTkCustomizeCommandsPage::FindCategory(LPCWSTR name) const {
  for (CTkCustomizeCategory* category : m_categories)
    if (category->m_strName == name) return category;
  return nullptr;
}

CTkCustomizeCategory* CTkCustomizeCommandsPage::GetCategory(int index) const {
  return index >= 0 && index < GetCategoryCount() ? m_categories[static_cast<size_t>(index)] : nullptr;
}

CTkControls* CTkCustomizeCommandsPage::GetCategoryControls(LPCWSTR name, int index) {
  CTkCustomizeCategory* category = FindCategory(name);
  if (category == nullptr) {
    category = new CTkCustomizeCategory(name, CommandBars());
    Insert(category, index);
  }
  return category->m_pControls;
}

void CTkCustomizeCommandsPage::AddCategory(LPCWSTR name, CMenu* menu, BOOL expandPopups) {
  CString plain(name);
  StripMnemonics(plain);
  CTkControls* controls = GetCategoryControls(plain);
  if (menu == nullptr) return;
  const int count = menu->GetMenuItemCount();
  for (int i = 0; i < count; ++i) {
    if (menu->GetMenuItemID(i) == 0) continue;
    CTkControl* control = controls->AddMenuItem(menu, i);
    if (!expandPopups || control == nullptr) continue;
    CTkCommandBar* popup = control->GetCommandBar();
    if (popup == nullptr) continue;
    for (int j = 0; j < popup->GetControlCount(); ++j) controls->AddClone(popup->GetControl(j), -1, TRUE);
  }
}

BOOL CTkCustomizeCommandsPage::AddCategoriesFromMenu(UINT menuId, BOOL expandPopups) {
  CMenu menu;
  if (!GetToolkitResourceLoader()->LoadMenu(menu, menuId)) return FALSE;
  const int count = menu.GetMenuItemCount();
  for (int i = 0; i < count; ++i) {
    CString text;
    menu.GetMenuString(i, text, MF_BYPOSITION);
    CMenu* submenu = menu.GetSubMenu(i);
    if (text.IsEmpty() || submenu == nullptr) continue;
    AddCategory(text, submenu, expandPopups);
  }
  return TRUE;
}

BOOL CTkCustomizeCommandsPage::AddBuiltInMenusCategory(UINT menuId, UINT nameId, int index) {
  CMenu menu;
  if (!GetToolkitResourceLoader()->LoadMenu(menu, menuId)) return FALSE;
  CString name;
  GetToolkitResourceLoader()->LoadString(name, nameId);
  auto* category = new CTkCustomizeCategory(name, CommandBars());
  const int count = menu.GetMenuItemCount();
  for (int i = 0; i < count; ++i) category->m_pControls->AddMenuItem(&menu, i);
  Insert(category, index);
  return TRUE;
}

void CTkCustomizeCommandsPage::AddNewMenuCategory(UINT nameId, int index) {
  CString name;
  GetToolkitResourceLoader()->LoadString(name, nameId);
  auto* category = new CTkCustomizeCategory(name, CommandBars());
  if (CTkControl* popup = category->m_pControls->Add(kControlPopup, 0)) popup->SetCaption(name);
  Insert(category, index);
}

void CTkCustomizeCommandsPage::AddAllCommandsCategory(UINT nameId, int index) {
  CString name;
  GetToolkitResourceLoader()->LoadString(name, nameId);
  auto* category = new CTkCustomizeCategory(name, CommandBars());
  for (CTkCustomizeCategory* other : m_categories)
    for (int i = 0; i < other->m_pControls->GetCount(); ++i)
      category->m_pControls->AddClone(other->m_pControls->GetAt(i), -1, TRUE);
  Insert(category, index);
}

BOOL CTkCustomizeCommandsPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_categoryList.SubclassDlgItem(IDC_TK_CATEGORIES_LIST, this);
  m_commandList.m_pCommandBars = CommandBars();
  m_commandList.SubclassDlgItem(IDC_TK_COMMANDS_LIST, this);
  for (int i = 0; i < GetCategoryCount(); ++i) {
    const int item = m_categoryList.AddString(m_categories[static_cast<size_t>(i)]->m_strName);
    m_categoryList.SetItemData(item, static_cast<DWORD_PTR>(i));
  }
  m_categoryList.SetCurSel(0);
  CTkCommandBars* commandBars = CommandBars();
  if (CTkBarPainter* painter = commandBars != nullptr ? commandBars->GetPainterOrCurrent() : nullptr) {
    CClientDC dc(&m_commandList);
    CFont* old = dc.SelectObject(m_commandList.GetFont());
    const CSize size = painter->DrawCommandListItem(&dc, nullptr, CRect(0, 0, 100, 100), FALSE, FALSE,
                                                    commandBars->GetImageManagerOrDefault());
    dc.SelectObject(old);
    if (size.cy > 0) m_commandList.SetItemHeight(0, static_cast<UINT>(size.cy));
  }
  if (commandBars != nullptr && commandBars->IsLayoutRTL()) {
    m_commandList.ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    m_categoryList.ModifyStyleEx(0, WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR);
  }
  GetMouseTracker()->AddExemptWindow(m_hWnd);
  OnCategoryChanged();
  return TRUE;
}

void CTkCustomizeCommandsPage::OnDestroy() {
  GetMouseTracker()->RemoveExemptWindow(m_hWnd);
  CPropertyPage::OnDestroy();
}

void CTkCustomizeCommandsPage::OnCategoryChanged() {
  if (m_commandList.GetSafeHwnd() == nullptr) return;
  m_commandList.ResetContent();
  const int item = m_categoryList.GetCurSel();
  CTkCustomizeCategory* category = item >= 0 ? GetCategory(static_cast<int>(m_categoryList.GetItemData(item))) : nullptr;
  if (category == nullptr) return;
  for (int i = 0; i < category->m_pControls->GetCount(); ++i) {
    CTkControl* control = category->m_pControls->GetAt(i);
    const int row = m_commandList.AddString(L"");
    m_commandList.SetItemData(row, reinterpret_cast<DWORD_PTR>(control));
  }
}
