#include "customize_sheet.h"

#include <cmath>

#include "bar_painter.h"
#include "button_editor_dlg.h"
#include "command_bar.h"
#include "command_bars.h"
#include "control.h"
#include "control_collection.h"
#include "customize_pages.h"
#include "icon_image.h"
#include "image_manager.h"
#include "keyboard_shortcuts.h"
#include "popup_bar.h"
#include "reference_scope.h"
#include "resource_loader.h"
#include "toolkit_resources.h"
#include "window_hooks.h"

IMPLEMENT_DYNAMIC(CTkCustomizeSheet, CPropertySheet)

namespace {

// The sheet that runs now and its input hooks; one per process.
CTkCustomizeSheet* RunningSheet = nullptr;
HHOOK MouseHook = nullptr;
HHOOK KeyboardHook = nullptr;

const UINT kFirstCommand = ID_TK_CUSTOMIZE_RESET;
const UINT kLastCommand = ID_TK_CUSTOMIZE_BEGIN_GROUP;
const int kHelpCommand = 9;
const int kPaletteButtonSize = 23;
const int kPaletteFrame = 6;

BOOL TakesImageAndStyle(const CTkControl* control) {
  return control != nullptr && control->GetType() >= kControlButton && control->GetType() <= kControlSplitButtonPopup;
}

int ImageIdOf(const CTkControl* control) {
  if (control->GetCustomIconId() != 0) return control->GetCustomIconId();
  if (control->GetIconId() > 0) return control->GetIconId();
  return static_cast<int>(control->GetID());
}

// The name box is the toolkit's edit control when the program has it.
CTkControl* AddNameBox(CTkControls* controls, UINT id) {
  CRuntimeClass* editClass = CRuntimeClass::FromName("CTkControlEdit");
  if (editClass != nullptr && editClass->IsDerivedFrom(RUNTIME_CLASS(CTkControl)))
    if (auto* edit = static_cast<CTkControl*>(editClass->CreateObject())) return controls->AddControl(edit, id);
  return controls->Add(kControlButton, id);
}

// What the user typed into the name box: the edit control keeps its text
// as its caption.
CString NameBoxText(CTkControl* control) { return control->GetCaption(); }

BOOL IsInside(HWND outer, HWND hWnd) { return outer != nullptr && (hWnd == outer || ::IsChild(outer, hWnd)); }

// A command bar window of any command bars, and which those are.
CTkCommandBar* CommandBarOf(HWND hWnd) {
  CWnd* window = CWnd::FromHandlePermanent(hWnd);
  return window != nullptr && window->IsKindOf(RUNTIME_CLASS(CTkCommandBar)) ? static_cast<CTkCommandBar*>(window)
                                                                             : nullptr;
}

LRESULT CALLBACK MouseFilter(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && RunningSheet != nullptr) {
    const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    if (!RunningSheet->FilterMouse(static_cast<UINT>(wParam), info->hwnd)) return 1;
  }
  return ::CallNextHookEx(MouseHook, code, wParam, lParam);
}

LRESULT CALLBACK KeyboardFilter(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && RunningSheet != nullptr && !RunningSheet->FilterKeyboard()) return 1;
  return ::CallNextHookEx(KeyboardHook, code, wParam, lParam);
}

}  // namespace

BEGIN_MESSAGE_MAP(CTkCustomizeSheet, CPropertySheet)
  ON_COMMAND(ID_TK_CUSTOMIZE_RESET, OnReset)
  ON_COMMAND(ID_TK_CUSTOMIZE_DELETE, OnDelete)
  ON_COMMAND(ID_TK_CUSTOMIZE_RESET_IMAGE, OnResetImage)
  ON_COMMAND(ID_TK_CUSTOMIZE_COPY_IMAGE, OnCopyImage)
  ON_COMMAND(ID_TK_CUSTOMIZE_PASTE_IMAGE, OnPasteImage)
  ON_COMMAND(ID_TK_CUSTOMIZE_EDIT_IMAGE, OnEditImage)
  ON_UPDATE_COMMAND_UI(ID_TK_CUSTOMIZE_PASTE_IMAGE, OnUpdatePasteImage)
  ON_COMMAND_RANGE(ID_TK_CUSTOMIZE_DEFAULT_STYLE, ID_TK_CUSTOMIZE_TEXT_ONLY, OnStyle)
  ON_COMMAND(ID_TK_CUSTOMIZE_BEGIN_GROUP, OnBeginGroup)
  ON_UPDATE_COMMAND_UI(ID_TK_CUSTOMIZE_RESET, OnUpdateReset)
  ON_UPDATE_COMMAND_UI(ID_TK_CUSTOMIZE_DELETE, OnUpdateDelete)
  ON_UPDATE_COMMAND_UI(ID_TK_CUSTOMIZE_NAME, OnUpdateName)
  ON_UPDATE_COMMAND_UI(ID_TK_CUSTOMIZE_COPY_IMAGE, OnUpdateImage)
  ON_UPDATE_COMMAND_UI(ID_TK_CUSTOMIZE_EDIT_IMAGE, OnUpdateImage)
  ON_UPDATE_COMMAND_UI(ID_TK_CUSTOMIZE_CHANGE_IMAGE, OnUpdateImage)
  ON_UPDATE_COMMAND_UI(ID_TK_CUSTOMIZE_RESET_IMAGE, OnUpdateResetImage)
  ON_UPDATE_COMMAND_UI_RANGE(ID_TK_CUSTOMIZE_DEFAULT_STYLE, ID_TK_CUSTOMIZE_TEXT_ONLY, OnUpdateStyle)
  ON_UPDATE_COMMAND_UI(ID_TK_CUSTOMIZE_BEGIN_GROUP, OnUpdateBeginGroup)
  ON_MESSAGE(WM_CMDBARS_NOTIFY, OnControlNotify)
  ON_MESSAGE(WM_CMDBARS_POPUPSHOWING, OnPopupShowing)
  ON_WM_SYSKEYDOWN()
END_MESSAGE_MAP()

CTkCustomizeSheet::CTkCustomizeSheet(CTkCommandBars* commandBars, UINT initialPage)
    : CPropertySheet(L"", commandBars != nullptr ? commandBars->GetFrame() : nullptr, initialPage),
      m_pFrame(commandBars != nullptr ? commandBars->GetFrame() : nullptr),
      m_pCommandBars(commandBars) {
  CString title;
  GetToolkitResourceLoader()->LoadString(title, IDS_TK_CUSTOMIZE);
  SetTitle(title);
  m_pToolbarsPage = new CTkCustomizeToolbarsPage(this);
  m_pCommandsPage = new CTkCustomizeCommandsPage(this);
  AddCustomizePage(m_pToolbarsPage);
  AddCustomizePage(m_pCommandsPage);
  m_pPaletteImages = new CTkImageManager;
  CBitmap palette;
  if (GetToolkitResourceLoader()->LoadBitmap(palette, IDB_TK_BUTTON_PALETTE)) {
    BITMAP info = {};
    palette.GetBitmap(&info);
    const int count = info.bmWidth / 16;
    std::vector<UINT> ids;
    for (int i = 1; i <= count; ++i) ids.push_back(static_cast<UINT>(i));
    m_pPaletteImages->AddIconsFromBitmap(static_cast<HBITMAP>(palette.GetSafeHandle()), ids.data(), count, 16, 16,
                                         kTkImageNormal, FALSE);
  }
  m_psh.dwFlags |= PSH_NOAPPLYNOW;
  BuildContextMenu();
}

CTkCustomizeSheet::~CTkCustomizeSheet() {
  delete m_pToolbarsPage;
  delete m_pCommandsPage;
  if (m_pContextMenu != nullptr) m_pContextMenu->InternalRelease();
  if (m_pPaletteImages != nullptr) m_pPaletteImages->InternalRelease();
}

CTkCustomizeSheet* CTkCustomizeSheet::GetRunningSheet() { return RunningSheet; }

void CTkCustomizeSheet::AddCustomizePage(CPropertyPage* page) {
  if (page == nullptr) return;
  if (LPCDLGTEMPLATEW pageTemplate = GetToolkitResourceLoader()->LoadDialogTemplate(page->GetTemplateId()))
    page->SetTemplateIndirect(pageTemplate);
  AddPage(page);
}

void CTkCustomizeSheet::BuildContextMenu() {
  if (m_pCommandBars == nullptr) return;
  CMenu menu;
  if (!GetToolkitResourceLoader()->LoadMenu(menu, IDM_TK_CUSTOMIZE)) return;
  CMenu* items = menu.GetSubMenu(0);
  if (items == nullptr) return;
  m_pContextMenu = CTkPopupBar::CreateForCommandBars(nullptr);
  if (m_pContextMenu == nullptr) return;
  m_pContextMenu->SetOwner(m_pFrame);
  m_pContextMenu->SetCommandTarget(this);
  if (CTkBarPainter* painter = m_pCommandBars->GetPainterOrCurrent()) {
    painter->InternalAddRef();
    m_pContextMenu->SetPaintManager(painter);
  }
  m_pPaletteImages->m_bDrawMirrored = m_pCommandBars->IsLayoutRTL();
  m_pPaletteImages->InternalAddRef();
  m_pContextMenu->AttachImageManager(m_pPaletteImages);
  CTkControls* controls = m_pContextMenu->GetControls();
  BOOL group = FALSE;
  const int count = items->GetMenuItemCount();
  for (int i = 0; i < count; ++i) {
    const UINT id = items->GetMenuItemID(i);
    if (id == 0) {
      group = TRUE;
      continue;
    }
    CString text;
    items->GetMenuString(i, text, MF_BYPOSITION);
    CTkControl* control = nullptr;
    if (id == ID_TK_CUSTOMIZE_CHANGE_IMAGE) {
      control = controls->Add(kControlPopup, 0);
      if (control != nullptr) {
        control->SetID(id);
        CTkPopupToolBar* palette = CTkPopupToolBar::CreateForCommandBars(nullptr);
        palette->SetBarID(IDB_TK_BUTTON_PALETTE);
        m_pPaletteImages->InternalAddRef();
        palette->AttachImageManager(m_pPaletteImages);
        static_cast<CTkControlPopup*>(control)->SetCommandBar(palette);
        palette->InternalRelease();
      }
    } else {
      control = id == ID_TK_CUSTOMIZE_NAME ? AddNameBox(controls, id) : controls->Add(kControlButton, id);
    }
    if (control == nullptr) continue;
    control->SetCaption(text);
    control->SetBeginGroup(group);
    group = FALSE;
  }
}

BOOL CTkCustomizeSheet::OnInitDialog() {
  CPropertySheet::OnInitDialog();
  if (CWnd* ok = GetDlgItem(IDOK)) ok->ShowWindow(SW_HIDE);
  CString close;
  if (GetToolkitResourceLoader()->LoadString(close, IDS_TK_CLOSE)) SetDlgItemText(IDCANCEL, close);
  return TRUE;
}

INT_PTR CTkCustomizeSheet::DoModal() {
  if (RunningSheet != nullptr || m_pCommandBars == nullptr) return IDCANCEL;
  CTkReferenceScope hold;
  hold.Hold(m_pCommandBars);
  m_pCommandBars->SetCustomizeMode(TRUE);
  m_pCommandBars->SetCustomizeSheet(this);
  CWinApp* app = AfxGetApp();
  if (app != nullptr) app->EnableModeless(FALSE);
  if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr) {
    MouseHook = ::SetWindowsHookExW(WH_MOUSE, &MouseFilter, nullptr, ::GetCurrentThreadId());
    KeyboardHook = ::SetWindowsHookExW(WH_KEYBOARD, &KeyboardFilter, nullptr, ::GetCurrentThreadId());
    RunningSheet = this;
  }
  if (HWND capture = ::GetCapture()) ::SendMessageW(capture, WM_CANCELMODE, 0, 0);
  m_nResult = IDCANCEL;
  INT_PTR result = -1;
  if (CreateModeless(m_pFrame)) {
    const BOOL noIdle = (GetStyle() & DS_NOIDLEMSG) != 0;
    RunModalLoop(MLF_SHOWONIDLE | (noIdle ? MLF_NOIDLEMSG : 0));
    result = m_nResult;
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (MouseHook != nullptr) ::UnhookWindowsHookEx(MouseHook);
  if (KeyboardHook != nullptr) ::UnhookWindowsHookEx(KeyboardHook);
  MouseHook = nullptr;
  KeyboardHook = nullptr;
  if (m_hWnd != nullptr) {
    if (::GetActiveWindow() == m_hWnd && m_pFrame != nullptr) m_pFrame->SetActiveWindow();
    DestroyWindow();
  }
  if (app != nullptr) app->EnableModeless(TRUE);
  m_pCommandBars->SetCustomizeMode(FALSE);
  m_pCommandBars->SetCustomizeSheet(nullptr);
  m_pCommandBars->CloseAllPopups();
  RunningSheet = nullptr;
  return result;
}

BOOL CTkCustomizeSheet::FilterMouse(UINT message, HWND hWnd) {
  if (message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE) return TRUE;
  CTkMouseTracker* tracker = m_pCommandBars->GetMouseTracker();
  if (!tracker->m_trackedBars.empty()) {
    // The context menu and its palette belong to no command bars.
    CTkCommandBar* bar = CommandBarOf(hWnd);
    if (bar == nullptr) bar = CommandBarOf(::GetParent(hWnd));
    if (bar != nullptr && bar->GetCommandBars() == nullptr) return TRUE;
    POINT point;
    ::GetCursorPos(&point);
    tracker->OnMouseMessage(message, point);
  }
  HWND frame = m_pFrame->GetSafeHwnd();
  if (!IsInside(frame, hWnd) || IsInside(m_hWnd, hWnd) || IsInside(::GetForegroundWindow(), hWnd)) {
    // The foreground window is the frame itself while the sheet is not active.
    if (!(IsInside(frame, hWnd) && ::GetForegroundWindow() == frame)) return TRUE;
  }
  for (HWND window : {hWnd, ::GetParent(hWnd)}) {
    CTkCommandBar* bar = CommandBarOf(window);
    if (bar != nullptr && bar->GetCommandBars() == m_pCommandBars) return TRUE;
  }
  return FALSE;
}

BOOL CTkCustomizeSheet::FilterKeyboard() {
  HWND focus = ::GetFocus();
  if (focus != nullptr && IsInside(m_hWnd, focus)) return TRUE;
  if (focus != nullptr && CommandBarOf(::GetParent(focus)) != nullptr) return TRUE;
  HWND foreground = ::GetForegroundWindow();
  if (focus != nullptr && IsInside(foreground, focus) && foreground != m_pFrame->GetSafeHwnd()) return TRUE;
  return ::GetCapture() != nullptr;
}

void CTkCustomizeSheet::ShowContextMenu(CPoint screenPoint) {
  if (m_pContextMenu == nullptr) return;
  UINT flags = TPM_RECURSE;
  if (m_pCommandBars->IsLayoutRTL()) flags |= TPM_RIGHTALIGN;
  // The menu's popups tell the sheet when they show, so the palette fills.
  CTkCommandBars::TrackPopupBar(m_pContextMenu, flags, screenPoint.x, screenPoint.y, this, nullptr, this);
}

LRESULT CTkCustomizeSheet::OnPopupShowing(WPARAM, LPARAM lParam) {
  auto* popup = reinterpret_cast<CTkCommandBar*>(lParam);
  if (popup == nullptr || popup->GetBarID() != IDB_TK_BUTTON_PALETTE || popup->GetControlCount() != 0) return 0;
  int count = 0;
  for (UINT id = 1; m_pPaletteImages->FindIconSet(id) != nullptr; ++id) {
    CTkControl* button = popup->GetControls()->Add(kControlButton, ID_TK_CUSTOMIZE_CHANGE_IMAGE);
    if (button == nullptr) break;
    button->SetIconId(static_cast<int>(id));
    // The command-state update leaves the palette's buttons alone.
    button->SetFlags(kFlagNoUpdate);
    ++count;
  }
  popup->SetMRUWidth(static_cast<int>(std::sqrt(static_cast<double>(count))) * kPaletteButtonSize + kPaletteFrame);
  return 0;
}

CTkControl* CTkCustomizeSheet::Selection() const {
  return m_pCommandBars != nullptr ? m_pCommandBars->GetCustomizeSelection() : nullptr;
}

void CTkCustomizeSheet::Changed(CTkControl* control) {
  if (CTkCommandBar* bar = control->GetParent()) bar->OnControlsChanged();
}

void CTkCustomizeSheet::OnReset() {
  CTkControl* control = Selection();
  if (control == nullptr) return;
  control->SetCustomIconId(0);
  control->SetCustomCaption(CString());
  control->SetStyle(0);
  Changed(control);
}

void CTkCustomizeSheet::OnDelete() {
  CTkControl* control = Selection();
  if (control == nullptr) return;
  CTkReferenceScope hold;
  hold.Hold(control);
  m_pCommandBars->SetCustomizeSelection(nullptr);
  CTkCommandBar* bar = control->GetParent();
  if (bar == nullptr) return;
  hold.Hold(bar);
  bar->GetControls()->Remove(control);
  bar->OnControlsChanged();
}

void CTkCustomizeSheet::OnResetImage() {
  CTkControl* control = Selection();
  if (control == nullptr) return;
  control->SetCustomIconId(0);
  Changed(control);
}

void CTkCustomizeSheet::OnCopyImage() {
  CTkControl* control = Selection();
  if (control == nullptr) return;
  CTkImageManager* images = m_pCommandBars->GetImageManagerOrDefault();
  const UINT imageId = static_cast<UINT>(ImageIdOf(control));
  CTkImageIcon* icon = images != nullptr ? images->GetImage(imageId, 16) : nullptr;
  if (icon == nullptr) return;
  CTkIconHandle& handle = icon->GetNormalImage();
  const BOOL alpha = handle.IsAlpha();
  HBITMAP bitmap = nullptr;
  if (alpha) {
    bitmap = CopyAlphaBitmap(handle.GetBitmap());
  } else if (!handle.IsEmpty()) {
    const CSize size = handle.GetExtent();
    HDC screen = ::GetDC(nullptr);
    bitmap = ::CreateCompatibleBitmap(screen, size.cx, size.cy);
    HDC memory = ::CreateCompatibleDC(screen);
    if (bitmap != nullptr && memory != nullptr) {
      HGDIOBJ old = ::SelectObject(memory, bitmap);
      RECT rect = {0, 0, size.cx, size.cy};
      ::FillRect(memory, &rect, ::GetSysColorBrush(COLOR_BTNFACE));
      ::DrawIconEx(memory, 0, 0, handle.GetIcon(), size.cx, size.cy, 0, nullptr, DI_NORMAL);
      ::SelectObject(memory, old);
    }
    if (memory != nullptr) ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
  }
  if (bitmap == nullptr) return;
  if (!::OpenClipboard(GetSafeHwnd())) {
    ::DeleteObject(bitmap);
    return;
  }
  if (!::EmptyClipboard()) {
    ::CloseClipboard();
    ::DeleteObject(bitmap);
    return;
  }
  ::SetClipboardData(CF_BITMAP, bitmap);
  if (alpha) {
    if (HGLOBAL marker = ::GlobalAlloc(GMEM_MOVEABLE, 1)) ::SetClipboardData(AlphaBitmapClipboardFormat, marker);
  }
  if (images->FindIconSet(imageId) != nullptr) images->CopyIconToClipboard(imageId);
  ::CloseClipboard();
}

void CTkCustomizeSheet::OnPasteImage() {
  CTkControl* control = Selection();
  if (control == nullptr) return;
  CTkImageManager* images = m_pCommandBars->GetImageManagerOrDefault();
  if (images == nullptr) return;
  IDataObject* data = nullptr;
  if (SUCCEEDED(::OleGetClipboard(&data)) && data != nullptr) {
    const UINT pasted = images->PasteIconFromClipboard(data);
    data->Release();
    if (pasted != 0) {
      control->SetCustomIconId(static_cast<int>(pasted));
      Changed(control);
      return;
    }
  }
  if (!::OpenClipboard(GetSafeHwnd())) return;
  CTkIconHandle picture;
  auto* bitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
  if (bitmap != nullptr && ::IsClipboardFormatAvailable(AlphaBitmapClipboardFormat)) {
    picture.SetBitmapCopy(bitmap);
  } else if (bitmap != nullptr) {
    BITMAP info = {};
    ::GetObjectW(bitmap, sizeof(info), &info);
    // The list masks the copy it is given; the clipboard's bitmap stays.
    auto* copy = static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0));
    HIMAGELIST list = ::ImageList_Create(info.bmWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 1);
    if (list != nullptr && copy != nullptr) {
      ::ImageList_AddMasked(list, copy, ::GetSysColor(COLOR_BTNFACE));
      if (::ImageList_GetImageCount(list) == 1) picture.AttachIcon(::ImageList_GetIcon(list, 0, ILD_NORMAL));
    }
    if (copy != nullptr) ::DeleteObject(copy);
    if (list != nullptr) ::ImageList_Destroy(list);
  }
  ::CloseClipboard();
  if (picture.IsEmpty()) return;
  control->SetCustomIconId(static_cast<int>(images->AddCustomIcon(picture)));
  Changed(control);
}

void CTkCustomizeSheet::OnEditImage() {
  CTkControl* control = Selection();
  if (control == nullptr) return;
  m_pCommandBars->CloseAllPopups();
  const int imageId = ImageIdOf(control);
  CTkImageManager* images = m_pCommandBars->GetImageManagerOrDefault();
  if (imageId <= 0 || images == nullptr) return;
  CTkReferenceScope hold;
  hold.Hold(control);
  CTkCommandBar* bar = control->GetParent();
  const CSize size = bar != nullptr ? bar->GetEffectiveIconSize() : CSize(16, 16);
  CTkButtonEditorDlg editor(this);
  CTkImageIcon* icon = images->GetImage(static_cast<UINT>(imageId), size.cx);
  if (icon != nullptr && !icon->GetNormalImage().IsEmpty())
    editor.SetPicture(icon->GetNormalImage());
  else
    editor.SetPictureSize(size.cx, size.cy);
  if (editor.DoModal() != IDOK) return;
  CTkIconHandle picture;
  editor.GetPicture(picture);
  if (picture.IsEmpty()) return;
  CTkImageIconSet* set = control->GetCustomIconId() > 0
                             ? images->FindIconSet(static_cast<UINT>(control->GetCustomIconId()))
                             : nullptr;
  if (set != nullptr)
    set->SetIcon(picture, picture.GetExtent().cx);
  else
    control->SetCustomIconId(static_cast<int>(images->AddCustomIcon(picture)));
  Changed(control);
}

void CTkCustomizeSheet::OnUpdatePasteImage(CCmdUI* pCmdUI) {
  pCmdUI->Enable(TakesImageAndStyle(Selection()) && ::IsClipboardFormatAvailable(CF_BITMAP));
}

void CTkCustomizeSheet::OnStyle(UINT id) {
  CTkControl* control = Selection();
  if (control == nullptr) return;
  control->SetStyle(id == ID_TK_CUSTOMIZE_TEXT_ONLY ? 1 : id == ID_TK_CUSTOMIZE_IMAGE_AND_TEXT ? 3 : 0);
  Changed(control);
}

void CTkCustomizeSheet::OnBeginGroup() {
  CTkControl* control = Selection();
  if (control == nullptr) return;
  control->SetBeginGroup(!control->GetBeginGroup());
  Changed(control);
}

void CTkCustomizeSheet::OnUpdateReset(CCmdUI* pCmdUI) {
  const CTkControl* control = Selection();
  pCmdUI->Enable(control != nullptr && (control->GetCustomIconId() > 0 || !control->GetCustomCaption().IsEmpty() ||
                                        control->GetStyle() != 0));
}

void CTkCustomizeSheet::OnUpdateDelete(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

void CTkCustomizeSheet::OnUpdateName(CCmdUI* pCmdUI) {
  const CTkControl* control = Selection();
  pCmdUI->Enable(TRUE);
  // Only an edit box shows the name; a plain button keeps its label.
  CTkControl* box = m_pContextMenu != nullptr ? m_pContextMenu->GetControls()->FindControl(ID_TK_CUSTOMIZE_NAME)
                                              : nullptr;
  if (control != nullptr && (box == nullptr || box->GetType() == kControlEdit))
    pCmdUI->SetText(control->GetVisibleCaption());
}

void CTkCustomizeSheet::OnUpdateImage(CCmdUI* pCmdUI) {
  const CTkControl* control = Selection();
  pCmdUI->Enable(TakesImageAndStyle(control) && ImageIdOf(control) > 0);
}

void CTkCustomizeSheet::OnUpdateResetImage(CCmdUI* pCmdUI) {
  const CTkControl* control = Selection();
  pCmdUI->Enable(control != nullptr && control->GetCustomIconId() > 0);
}

void CTkCustomizeSheet::OnUpdateStyle(CCmdUI* pCmdUI) {
  const CTkControl* control = Selection();
  const int style = pCmdUI->m_nID == ID_TK_CUSTOMIZE_TEXT_ONLY         ? 1
                    : pCmdUI->m_nID == ID_TK_CUSTOMIZE_IMAGE_AND_TEXT ? 3
                                                                       : 0;
  const BOOL applies = TakesImageAndStyle(control);
  pCmdUI->Enable(applies);
  pCmdUI->SetCheck(applies && control->GetStyle() == style);
}

void CTkCustomizeSheet::OnUpdateBeginGroup(CCmdUI* pCmdUI) {
  const CTkControl* control = Selection();
  pCmdUI->Enable(control != nullptr && control->GetIndex() > 0);
  pCmdUI->SetCheck(control != nullptr && control->GetBeginGroup());
}

LRESULT CTkCustomizeSheet::OnControlNotify(WPARAM wParam, LPARAM lParam) {
  auto* info = reinterpret_cast<ControlNotifyInfo*>(lParam);
  if (info == nullptr || info->hdr.code != CBN_TK_EXECUTE || info->pControl == nullptr) return 0;
  const UINT id = static_cast<UINT>(wParam);
  CTkControl* control = info->pControl;
  CTkControl* selection = Selection();
  if (id == ID_TK_CUSTOMIZE_NAME) {
    if (selection != nullptr) {
      selection->SetCustomCaption(NameBoxText(control));
      Changed(selection);
    }
    return 1;
  }
  if (id == ID_TK_CUSTOMIZE_CHANGE_IMAGE) {
    if (selection == nullptr) return 1;
    CTkImageIconSet* set = m_pPaletteImages->FindIconSet(static_cast<UINT>(control->GetIconId()));
    CTkImageIcon* icon = set != nullptr && set->GetIconCount() == 1 ? set->IconsInMapOrder().front().second : nullptr;
    if (icon != nullptr) {
      const UINT customId = m_pCommandBars->GetImageManagerOrDefault()->AddCustomIcon(icon->GetNormalImage());
      selection->SetCustomIconId(static_cast<int>(customId));
      Changed(selection);
    }
    return 1;
  }
  if (id >= kFirstCommand && id <= kLastCommand) return 0;
  if (CTkCommandBar* bar = control->GetParent()) bar->SetPopupControl(-1, FALSE);
  if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr &&
      m_pFrame->SendMessage(WM_CMDBARS_NOTIFY, wParam, lParam) == 0)
    m_pFrame->SendMessage(WM_COMMAND, id, 0);
  return 1;
}

void CTkCustomizeSheet::OnSysKeyDown(UINT key, UINT repeat, UINT flags) {
  Default();
  (void)key;
  (void)repeat;
  (void)flags;
}

BOOL CTkCustomizeSheet::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_SYSKEYDOWN && m_hWnd != nullptr) {
    HWND tab = PropSheet_GetTabControl(m_hWnd);
    const int count = tab != nullptr ? TabCtrl_GetItemCount(tab) : 0;
    for (int i = 0; i < count; ++i) {
      WCHAR caption[256] = {};
      TCITEMW item = {};
      item.mask = TCIF_TEXT;
      item.pszText = caption;
      item.cchTextMax = 256;
      if (!TabCtrl_GetItem(tab, i, &item)) continue;
      const WCHAR* mark = wcsrchr(caption, L'&');
      if (mark != nullptr && mark[1] != 0 && IsKeyForMnemonic(mark[1], static_cast<UINT>(pMsg->wParam))) {
        SetActivePage(i);
        return TRUE;
      }
    }
  }
  return CPropertySheet::PreTranslateMessage(pMsg);
}

BOOL CTkCustomizeSheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  const BOOL own = (nID >= kFirstCommand && nID <= kLastCommand) || nID == IDOK || nID == IDCANCEL ||
                   nID == static_cast<UINT>(kHelpCommand);
  if (own || m_pFrame == nullptr) return CPropertySheet::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
  return m_pFrame->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
