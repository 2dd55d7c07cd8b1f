#include "command_bar.h"

#include "bar_painter.h"
#include "command_bars.h"
#include "image_manager.h"
#include "popup_bar.h"
#include "reference_scope.h"
#include "tip_context.h"

IMPLEMENT_DYNCREATE(CTkCommandBar, CWnd)

namespace {
// Chains of popups are short; a bound keeps a bar that opens itself from looping.
const int kMaxChain = 32;
}  // namespace

CTkCommandBar::CTkCommandBar() : m_pControls(new CTkControls) { m_pControls->SetParent(this); }

CTkCommandBar::~CTkCommandBar() {
  // The window goes while this is still a command bar, so its last
  // messages reach the bar's handlers.
  if (GetSafeHwnd() != nullptr) DestroyWindow();
  SetMenuMode(0, TRUE, FALSE);
  CTkWindowHookTable::DetachClientEverywhere(this);
  CTkMouseTracker* tracker = ::GetMouseTracker();
  if (tracker->m_pHighlightedBar == this) tracker->m_pHighlightedBar = nullptr;
  tracker->RemoveTrackedBar(this);
  GetKeyboardHook()->RemoveClient(this);
  m_pControls->RemoveAll();
  m_pControls->SetParent(nullptr);
  m_pControls->InternalRelease();
  if (m_pPaintManager != nullptr) m_pPaintManager->InternalRelease();
  if (m_pImageManager != nullptr) m_pImageManager->InternalRelease();
  if (m_pTipContext != nullptr) m_pTipContext->InternalRelease();
}

void CTkCommandBar::OnFinalRelease() {
  // Messages sent while the window goes hold and drop references; the
  // count must not reach 0 a second time.
  m_dwRef = 1;
  if (GetSafeHwnd() != nullptr) DestroyWindow();
  delete this;
}

BOOL CTkCommandBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  // A handler may run a command that releases this bar's last reference.
  CTkReferenceScope hold;
  hold.Hold(GetCommandBars());
  hold.Hold(this);
  if (m_pTipContext != nullptr) m_pTipContext->RelayMouseMessage(this, message, wParam, lParam);
  return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

CTkCommandBars* CTkCommandBar::GetCommandBars() const {
  const CTkCommandBar* bar = this;
  for (int depth = 0; bar != nullptr && depth < kMaxChain; ++depth, bar = bar->GetParentBar())
    if (bar->m_pCommandBars != nullptr) return bar->m_pCommandBars;
  return nullptr;
}

CTkCommandBar* CTkCommandBar::GetRootBar() const {
  const CTkCommandBar* bar = this;
  for (int depth = 0; depth < kMaxChain; ++depth) {
    CTkCommandBar* parent = bar->GetParentBar();
    if (parent == nullptr) break;
    bar = parent;
  }
  return const_cast<CTkCommandBar*>(bar);
}

CWnd* CTkCommandBar::GetOwnerSite() const {
  CTkCommandBars* commandBars = GetCommandBars();
  if (commandBars != nullptr && commandBars->GetFrame() != nullptr) return commandBars->GetFrame();
  CTkCommandBar* root = GetRootBar();
  if (root->m_pOwner != nullptr) return root->m_pOwner;
  if (root->GetSafeHwnd() != nullptr) {
    if (HWND owner = ::GetWindow(root->m_hWnd, GW_OWNER)) return CWnd::FromHandle(owner);
    if (HWND parent = ::GetParent(root->m_hWnd)) return CWnd::FromHandle(parent);
  }
  return AfxGetMainWnd();
}

CWnd* CTkCommandBar::GetCommandTarget() const {
  CTkCommandBar* root = GetRootBar();
  return root->m_pCommandTarget != nullptr ? root->m_pCommandTarget : GetOwnerSite();
}

CFrameWnd* CTkCommandBar::GetSiteFrame() const {
  CTkCommandBars* commandBars = GetCommandBars();
  CWnd* frame = commandBars != nullptr ? commandBars->GetFrame() : nullptr;
  return frame != nullptr && frame->IsFrameWnd() ? static_cast<CFrameWnd*>(frame) : nullptr;
}

BOOL CTkCommandBar::IsHelpMode() const {
  CFrameWnd* frame = GetSiteFrame();
  return frame != nullptr && frame->m_bHelpMode;
}

BOOL CTkCommandBar::IsCustomizeMode() const {
  CTkCommandBars* commandBars = GetCommandBars();
  return commandBars != nullptr && commandBars->IsCustomizeMode();
}

CTkBarPainter* CTkCommandBar::GetPaintManager() const {
  if (m_pPaintManager != nullptr) return m_pPaintManager;
  CTkCommandBars* commandBars = GetCommandBars();
  if (commandBars != nullptr && commandBars->GetOwnPaintManager() != nullptr)
    return commandBars->GetOwnPaintManager();
  CTkCommandBar* root = GetRootBar();
  if (root->m_pPaintManager != nullptr) return root->m_pPaintManager;
  return GetCurrentBarPainter();
}

void CTkCommandBar::SetPaintManager(CTkBarPainter* painter) {
  if (m_pPaintManager != nullptr) m_pPaintManager->InternalRelease();
  m_pPaintManager = painter;
  if (painter != nullptr) painter->UpdateFontsAndColors();
}

CTkImageManager* CTkCommandBar::GetImageManager() const {
  if (m_pImageManager != nullptr) return m_pImageManager;
  CTkCommandBars* commandBars = GetCommandBars();
  if (commandBars != nullptr && commandBars->GetOwnImageManager() != nullptr)
    return commandBars->GetOwnImageManager();
  CTkCommandBar* root = GetRootBar();
  if (root->m_pImageManager != nullptr) return root->m_pImageManager;
  return GetSharedImageManager();
}

void CTkCommandBar::AttachImageManager(CTkImageManager* manager) {
  if (m_pImageManager != nullptr) m_pImageManager->InternalRelease();
  m_pImageManager = manager;
}

namespace {
BOOL IsSet(CSize size) { return size.cx != 0 || size.cy != 0; }
}  // namespace

CSize CTkCommandBar::GetEffectiveIconSize() const {
  CTkCommandBars* commandBars = GetCommandBars();
  if (commandBars == nullptr) return IsSet(m_szIcons) ? m_szIcons : CSize(16, 16);
  const CTkCommandBarsSettings* options = commandBars->GetCommandBarsOptions();
  if (m_barType == kBarPopup) return IsSet(m_szIcons) ? m_szIcons : options->szPopupIcons;
  CSize size = IsSet(m_szIcons) ? m_szIcons : IsSet(options->szIcons) ? options->szIcons : CSize(16, 16);
  if (options->bLargeIcons && !IsSet(m_szButtons))
    size = IsSet(options->szLargeIcons) ? options->szLargeIcons : CSize(size.cx * 2, size.cy * 2);
  return size;
}

CSize CTkCommandBar::GetEffectiveButtonSize() const {
  if (IsSet(m_szButtons)) return m_szButtons;
  const CSize icons = GetEffectiveIconSize();
  return CSize(icons.cx + 7, icons.cy + 7);
}

BOOL CTkCommandBar::IsTextBelowIcons() const {
  if (m_textBelowIcons != 2) return m_textBelowIcons;
  CTkCommandBars* commandBars = GetCommandBars();
  return commandBars != nullptr ? commandBars->GetCommandBarsOptions()->bShowTextBelowIcons : FALSE;
}

BOOL CTkCommandBar::AreKeyboardCuesVisible() const {
  CTkCommandBars* commandBars = GetCommandBars();
  return commandBars != nullptr ? commandBars->AreKeyboardCuesVisible() : TRUE;
}

namespace {
CTkMouseTracker* TrackerOf(const CTkCommandBar* bar) {
  CTkCommandBars* commandBars = bar->GetCommandBars();
  return commandBars != nullptr ? commandBars->GetMouseTracker() : GetMouseTracker();
}
}  // namespace

void CTkCommandBar::LowerRedrawLock() {
  if (--m_nRedrawLock > 0) return;
  m_nRedrawLock = 0;
  m_dwState &= ~kStateLayoutDirty;
  if (GetSafeHwnd() != nullptr) Invalidate(FALSE);
}

BOOL CTkCommandBar::SetHighlightedControl(int index, BOOL byKeyboard) {
  if (index == m_nHotControl) return FALSE;
  m_bKeyboardSelection = byKeyboard;
  if (GetSafeHwnd() == nullptr) return FALSE;
  RaiseRedrawLock();
  if (CTkControl* old = GetControl(m_nHotControl)) old->SetSelectionState(0);
  m_nHotControl = index;
  if (index == -1) {
    KillTimer(kHoverTimer);
  } else {
    if (m_nMenuMode != 0) CTkMsaaSupport::NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, index + 1);
    if (CTkControl* control = GetControl(index)) control->SetSelectionState(byKeyboard ? 2 : 1);
    TrackerOf(this)->m_pHighlightedBar = this;
    if (!byKeyboard) SetTimer(kHoverTimer, kHoverDelay);
  }
  LowerRedrawLock();
  return TRUE;
}

BOOL CTkCommandBar::SetPopupControl(int index, BOOL byKeyboard) {
  if (index == m_nPopupControl) return FALSE;
  RaiseRedrawLock();
  if (m_nPopupControl != -1) {
    CTkControl* open = GetControl(m_nPopupControl);
    m_nPopupControl = -1;
    if (open != nullptr) open->SetPopuped(FALSE);
  }
  CTkControl* control = GetControl(index);
  if (control != nullptr && control->GetEnabled() && control->IsKindOf(RUNTIME_CLASS(CTkControlPopup))) {
    m_nPopupControl = index;
    SetMenuMode(2, FALSE, byKeyboard);
    SetHighlightedControl(index, byKeyboard);
    control->SetPopuped(TRUE);
    CTkCommandBars* commandBars = GetCommandBars();
    if (commandBars != nullptr && commandBars->GetCommandBarsOptions()->bShowFullAfterDelay && GetSafeHwnd())
      SetTimer(kExpandTimer, kExpandDelay);
  }
  LowerRedrawLock();
  return TRUE;
}

BOOL CTkCommandBar::SetMenuMode(int mode, BOOL selectFirst, BOOL byKeyboard) {
  if ((m_nMenuMode != 0 && mode != 0) || mode == m_nMenuMode) {
    m_nMenuMode = mode;
    return FALSE;
  }
  CTkMouseTracker* tracker = TrackerOf(this);
  m_nMenuMode = mode;
  if (mode != 0) {
    if (m_barType == kBarMenu) {
      CWnd* site = GetOwnerSite();
      if (site != nullptr && site->GetSafeHwnd() != nullptr)
        site->SendMessage(WM_CMDBARS_MENUMODE, reinterpret_cast<WPARAM>(this), 0);
    }
    m_bEnteredByMouse = !selectFirst && !byKeyboard;
    if (m_bHideCaret) {
      HWND focus = ::GetFocus();
      if (focus == nullptr) {
        CWnd* site = GetOwnerSite();
        focus = site != nullptr ? site->GetSafeHwnd() : nullptr;
      }
      m_hCaretWnd = focus;
      if (focus != nullptr) ::HideCaret(focus);
    }
    tracker->AddTrackedBar(this);
    GetKeyboardHook()->AddClient(this);
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    if (selectFirst) SetHighlightedControl(m_pControls->GetNextIndex(-1, 1, TRUE, FALSE, TRUE), TRUE);
  } else {
    m_bEnteredByMouse = FALSE;
    tracker->RemoveTrackedBar(this);
    GetKeyboardHook()->RemoveClient(this);
    SetPopupControl(-1, FALSE);
    if (selectFirst) SetHighlightedControl(-1, FALSE);
    if (m_hCaretWnd != nullptr) {
      ::ShowCaret(m_hCaretWnd);
      m_hCaretWnd = nullptr;
    }
    m_dwState &= ~kStateLayoutDirty;
    if (m_nRedrawLock == 0 && GetSafeHwnd() != nullptr) Invalidate(FALSE);
    if (tracker->m_trackedBars.empty()) tracker->m_bExpanded = FALSE;
    if (GetSafeHwnd() != nullptr && ::GetFocus() == m_hWnd) {
      HWND parent = ::GetParent(m_hWnd);
      HWND next = parent != nullptr ? ::GetNextDlgTabItem(parent, m_hWnd, FALSE) : nullptr;
      if (next != nullptr && next != m_hWnd) ::SetFocus(next);
    }
    m_lockCount = 0;
  }
  if (CTkCommandBars* commandBars = GetCommandBars()) commandBars->HideCuesWhenIdle(this, mode);
  return TRUE;
}

int CTkCommandBar::OnHookMessage(HWND, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT&) {
  if (m_nMenuMode == 0) return kNotHandled;
  if (message == WM_KEYDOWN) return ProcessKey(static_cast<UINT>(wParam), lParam) == 1 ? kHandled : kStopAsking;
  if (message == WM_MOUSEWHEEL) return kHandled;
  return kNotHandled;
}

void CTkCommandBar::OnControlSelected(int selected, CTkControl* control) {
  CWnd* site = GetOwnerSite();
  const HWND hSite = site != nullptr ? site->GetSafeHwnd() : nullptr;
  if (hSite != nullptr)
    ::SendMessageW(hSite, WM_CMDBARS_HOTCONTROL, selected != 0 ? reinterpret_cast<WPARAM>(control) : 0, 0);
  if (static_cast<int>(control->GetID()) != m_nLastPromptId) {
    CTkCommandBars* commandBars = GetCommandBars();
    const CString prompt = selected != 0 ? control->GetDescription() : CString();
    if ((commandBars == nullptr || commandBars->GetCommandBarsOptions()->bShowStatusBarPrompts) &&
        ::IsWindow(hSite)) {
      if (!prompt.IsEmpty())
        ::SendMessageW(hSite, WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCWSTR>(prompt)));
      else
        ::SendMessageW(hSite, WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    }
    m_nLastPromptId = -1;
  } else if (selected == 0) {
    m_nLastPromptId = -1;
  }
}

void CTkCommandBar::ResetTrackingIndices() {
  m_nHotControl = -1;
  m_nPopupControl = -1;
  m_dwState |= kStateControlsChanged;
}

void CTkCommandBar::CopyBarFrom(CTkCommandBar* source, BOOL recursive) {
  if (source == nullptr || source == this) return;
  m_barType = source->m_barType;
  m_barPosition = source->m_barPosition;
  m_nBarID = source->m_nBarID;
  m_dwFlags = source->m_dwFlags;
  m_dwStyle = source->m_dwStyle;
  m_strTitle = source->m_strTitle;
  m_bCustomizable = source->m_bCustomizable;
  m_nMRUWidth = source->m_nMRUWidth;
  m_szIcons = source->m_szIcons;
  m_szButtons = source->m_szButtons;
  m_pCommandTarget = source->m_pCommandTarget;
  m_pCommandBars = source->m_pCommandBars;
  m_pControls->RemoveAll();
  for (int i = 0; i < source->GetControlCount(); ++i) m_pControls->AddClone(source->GetControl(i), -1, recursive);
}

CTkCommandBar* CTkCommandBar::CloneBar(BOOL recursive) {
  CObject* object = GetRuntimeClass()->CreateObject();
  if (object == nullptr) return nullptr;
  auto* bar = static_cast<CTkCommandBar*>(object);
  bar->CopyBarFrom(this, recursive);
  return bar;
}

int CTkCommandBar::ContainsPoint(int x, int y) {
  if (GetSafeHwnd() == nullptr) return 0;
  CRect window;
  GetWindowRect(&window);
  return window.PtInRect(CPoint(x, y)) ? 1 : 0;
}

BOOL CTkCommandBar::BuildFromMenu(CMenu* menu, BOOL clear) {
  if (menu == nullptr || !::IsMenu(menu->GetSafeHmenu())) return FALSE;
  if (clear) {
    m_pControls->RemoveAll();
    ResetTrackingIndices();
  }
  BOOL pendingGroup = FALSE;
  const int count = ::GetMenuItemCount(menu->m_hMenu);
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STATE;
    if (!::GetMenuItemInfoW(menu->m_hMenu, static_cast<UINT>(position), TRUE, &item)) continue;
    if ((item.fType & MFT_SEPARATOR) != 0 || ::GetMenuItemID(menu->m_hMenu, position) == 0) {
      pendingGroup = TRUE;
      continue;
    }
    CTkControl* control = m_pControls->AddMenuItem(menu, position);
    if (control == nullptr) continue;
    if (pendingGroup) control->SetBeginGroup(TRUE);
    pendingGroup = FALSE;
    if ((item.fState & MFS_CHECKED) != 0) control->SetChecked(TRUE);
    if ((item.fState & (MFS_DISABLED | MFS_GRAYED)) != 0) control->SetEnabled(FALSE);
  }
  // The frame lays out its bars again, and tells them, at its next idle time.
  if (GetSafeHwnd() != nullptr)
    if (CFrameWnd* frame = GetParentFrame()) frame->DelayRecalcLayout(TRUE);
  return TRUE;
}

void CTkCommandBar::InvalidateChain() {
  CTkCommandBar* bar = this;
  for (int depth = 0; bar != nullptr && depth < kMaxChain; ++depth, bar = bar->GetParentBar())
    if (bar->GetSafeHwnd() != nullptr) bar->Invalidate(FALSE);
}

BOOL CTkCommandBar::IsLayoutRTL() const {
  return GetSafeHwnd() != nullptr && (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

CTkCommandBar* CTkCommandBar::FindBarInList(const CPtrArray& bars, UINT id) {
  for (INT_PTR i = 0; i < bars.GetSize(); ++i) {
    auto* bar = static_cast<CTkCommandBar*>(bars.GetAt(i));
    if (bar != nullptr && bar->GetBarID() == id) return bar;
  }
  return nullptr;
}
