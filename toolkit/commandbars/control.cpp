#include "control.h"

#include "bar_painter.h"
#include "command_bar.h"
#include "command_bars.h"
#include "image_manager.h"
#include "menu_sound_player.h"
#include "popup_bar.h"
#include "reference_scope.h"
#include "resource_loader.h"

IMPLEMENT_DYNCREATE(CTkControl, CCmdTarget)

CTkControl::~CTkControl() {
  m_docTemplatesAssigned.RemoveAll();
  m_docTemplatesExcluded.RemoveAll();
}

CString CTkControl::GetTooltip(LPPOINT, LPRECT, INT_PTR*) { return m_strTooltipText; }

void CTkControl::SetBeginGroup(BOOL beginGroup) {
  m_bBeginGroup = beginGroup;
  MarkControlsChanged();
}

void CTkControl::SetEnabled(BOOL enabled) {
  if (m_bEnabled == enabled) return;
  m_bEnabled = enabled;
  DelayRedrawParent();
}

void CTkControl::SetCaption(const CString& caption) {
  CString text = caption;
  const int tab = caption.Find(L'\t');
  if (tab >= 0) {
    m_strAutoShortcutText = caption.Mid(tab + 1);
    text = caption.Left(tab);
  }
  if (text == m_strCaption) return;
  m_strCaption = text;
  MarkControlsChanged();
}

void CTkControl::SetPrompt(const CString& prompt) {
  if (prompt.IsEmpty()) return;
  const int lineFeed = prompt.Find(L'\n');
  if (lineFeed >= 0) {
    m_strDescriptionText = prompt.Left(lineFeed);
    CString rest = prompt.Mid(lineFeed + 1);
    const int next = rest.Find(L'\n');
    m_strTooltipText = next >= 0 ? rest.Left(next) : rest;
  } else {
    m_strDescriptionText = prompt;
    m_strTooltipText = prompt;
  }
  if (m_strCaption.IsEmpty()) m_strCaption = m_strTooltipText;
}

void CTkControl::SetID(UINT id) {
  if (id == m_nId) return;
  CString prompt;
  if (GetToolkitResourceLoader()->LoadString(prompt, id)) SetPrompt(prompt);
  m_nId = id;
}

UINT CTkControl::GetResolvedIconId() const {
  if (m_nCustomIconId != 0) return static_cast<UINT>(m_nCustomIconId);
  if (m_nIconId > 0) return static_cast<UINT>(m_nIconId);
  return m_nId;
}

CTkImageIcon* CTkControl::GetIconImage(int width) {
  const UINT id = GetResolvedIconId();
  if (id == 0) return nullptr;
  return GetImageManager()->GetImage(id, width);
}

BOOL CTkControl::IsCaptionVisible() {
  if (m_pParent != nullptr && m_pParent->GetType() == kBarPopup) return TRUE;
  if (GetVisibleCaption().IsEmpty()) return FALSE;
  switch (GetEffectiveStyle()) {
    case kButtonCaption:
    case kButtonIconAndCaption:
      return TRUE;
    case kButtonIcon:
      return FALSE;
    default:
      break;
  }
  switch (m_nType) {
    case kControlButton:
    case kControlButtonPopup:
    case kControlSplitButtonPopup:
      return GetIconImage(0) == nullptr;
    case kControlPopup:
    case kControlLabel:
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL CTkControl::IsEqualControl(CTkControl* other) {
  if (other == nullptr) return FALSE;
  return GetEffectiveStyle() == other->GetEffectiveStyle() && m_nType == other->m_nType && m_nId == other->m_nId &&
         m_nFlags == other->m_nFlags && m_bBeginGroup == other->m_bBeginGroup &&
         GetResolvedIconId() == other->GetResolvedIconId() && m_strCaption == other->m_strCaption &&
         m_strTooltipText == other->m_strTooltipText && m_strDescriptionText == other->m_strDescriptionText &&
         m_strCustomCaption == other->m_strCustomCaption && m_nCustomStyle == other->m_nCustomStyle &&
         m_strParameter == other->m_strParameter &&
         ((m_nHideFlags & kHideByUser) != 0) == ((other->m_nHideFlags & kHideByUser) != 0);
}

CSize CTkControl::GetSize(CDC* pDC) {
  CTkBarPainter* painter = GetPaintManager();
  return painter != nullptr ? painter->PaintControl(pDC, this, FALSE) : CSize(0, 0);
}

void CTkControl::Draw(CDC* pDC) {
  if (CTkBarPainter* painter = GetPaintManager()) painter->PaintControl(pDC, this, TRUE);
}

void CTkControl::CopyControlFrom(CTkControl* source, BOOL) {
  if (source == nullptr || source == this) return;
  m_nId = source->m_nId;
  m_nTag = source->m_nTag;
  m_nFlags = source->m_nFlags;
  m_nType = source->m_nType;
  m_strCaption = source->m_strCaption;
  m_strShortcutText = source->m_strShortcutText;
  m_strAutoShortcutText = source->m_strAutoShortcutText;
  m_strTooltipText = source->m_strTooltipText;
  m_strDescriptionText = source->m_strDescriptionText;
  m_strParameter = source->m_strParameter;
  m_nCustomIconId = source->m_nCustomIconId;
  m_nIconId = source->m_nIconId;
  m_bTemporary = source->m_bTemporary;
  m_strCustomCaption = source->m_strCustomCaption;
  m_strCategory = source->m_strCategory;
  m_nHideFlags = source->m_nHideFlags;
  m_bDefaultItem = source->m_bDefaultItem;
  m_bEnabled = source->m_bEnabled;
  m_bChecked = source->m_bChecked;
  m_nCustomStyle = source->m_nCustomStyle;
  m_nStyle = source->m_nStyle;
  m_bBeginGroup = source->m_bBeginGroup;
  m_bCloseSubMenuOnClick = source->m_bCloseSubMenuOnClick;
  CopyIdMap(m_docTemplatesExcluded, source->m_docTemplatesExcluded);
  CopyIdMap(m_docTemplatesAssigned, source->m_docTemplatesAssigned);
}

CTkControl* CTkControl::Clone(BOOL recursive) {
  CObject* object = GetRuntimeClass()->CreateObject();
  if (object == nullptr) return nullptr;
  auto* clone = static_cast<CTkControl*>(object);
  clone->CopyControlFrom(this, recursive);
  return clone;
}

BOOL CTkControl::OnLButtonDblClk(CPoint point) {
  OnClick(FALSE, point);
  return TRUE;
}

void CTkControl::OnMouseHover() {
  CTkCommandBar* parent = m_pParent;
  if (parent == nullptr) return;
  const BOOL popupWasOpen = parent->GetPopupIndex() != -1;
  parent->SetPopupControl(-1, FALSE);
  if (popupWasOpen && parent->GetMenuMode() == 2 && parent->GetPosition() != kBarPopupPosition)
    parent->SetMenuMode(0, TRUE, FALSE);
}

BOOL CTkControl::SetSelectionState(int state) {
  if (state == m_nSelected) return FALSE;
  if (state == 2 && m_pParent != nullptr) m_pParent->SetPopupControl(-1, FALSE);
  m_nSelected = state;
  if (m_pParent != nullptr) m_pParent->OnControlSelected(state, this);
  DelayRedrawParent();
  return TRUE;
}

CTkCommandBars* CTkControl::GetCommandBars() const {
  if (m_pParent != nullptr) return m_pParent->GetCommandBars();
  return m_pControls != nullptr ? m_pControls->GetCommandBars() : nullptr;
}

BOOL CTkControl::IsCursorOver() const {
  if (m_pParent == nullptr || m_pParent->GetSafeHwnd() == nullptr) return FALSE;
  POINT cursor = {0, 0};
  ::GetCursorPos(&cursor);
  m_pParent->ScreenToClient(&cursor);
  return m_rcControl.PtInRect(cursor);
}

BOOL CTkControl::IsCustomizeMode() const {
  if (m_pParent == nullptr) return FALSE;
  CTkCommandBars* commandBars = m_pParent->GetCommandBars();
  return commandBars != nullptr && commandBars->IsCustomizeMode();
}

CTkBarPainter* CTkControl::GetPaintManager() const {
  if (m_pParent != nullptr) return m_pParent->GetPaintManager();
  CTkCommandBars* commandBars = GetCommandBars();
  return commandBars != nullptr ? commandBars->GetPainterOrCurrent() : GetCurrentBarPainter();
}

CTkImageManager* CTkControl::GetImageManager() const {
  if (m_pParent != nullptr) return m_pParent->GetImageManager();
  CTkCommandBars* commandBars = GetCommandBars();
  return commandBars != nullptr ? commandBars->GetImageManagerOrDefault() : GetSharedImageManager();
}

void CTkControl::DelayRedrawParent() {
  if (m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr) m_pParent->DelayLayout();
}

void CTkControl::MarkControlsChanged() {
  if (m_pParent != nullptr) m_pParent->SetState(m_pParent->GetState() | kStateControlsChanged);
}

void CTkControl::InvalidateParent() {
  if (m_pParent != nullptr && m_pParent->GetSafeHwnd() != nullptr) m_pParent->Invalidate(FALSE);
}

CTkControl* CTkControl::FromBarAndIndex(HWND hWnd, int index) {
  CWnd* window = CWnd::FromHandlePermanent(hWnd);
  if (window == nullptr || !window->IsKindOf(RUNTIME_CLASS(CTkCommandBar))) return nullptr;
  return static_cast<CTkCommandBar*>(window)->GetControl(index);
}

LRESULT CTkControl::NotifySite(UINT code) {
  if (m_pParent == nullptr) return 0;
  CWnd* target = m_pParent->GetCommandTarget();
  if (target == nullptr || target->GetSafeHwnd() == nullptr) return 0;
  ControlNotifyInfo info = {{nullptr, m_nId, code}, this};
  return target->SendMessage(WM_CMDBARS_NOTIFY, m_nId, reinterpret_cast<LPARAM>(&info));
}

namespace {

// Closes the open popups: a nested root only leaves its own menu mode.
void ClosePopups(CTkCommandBar* root, CTkCommandBars* commandBars) {
  if (root != nullptr && root->IsNested())
    root->LeaveMenuMode();
  else if (commandBars != nullptr)
    commandBars->CloseAllPopups();
  else
    GetMouseTracker()->CloseTrackedBars();
}

}  // namespace

void CTkControl::ExecuteCommand() {
  // The command may destroy the frame, release the command bars, this
  // control's bars and the control. The command bars go last: the bars
  // still reach them while they end.
  CTkReferenceScope hold;
  CTkCommandBars* commandBars = GetCommandBars();
  hold.Hold(commandBars);
  hold.Hold(this);
  CTkCommandBar* parent = m_pParent;
  hold.Hold(parent);
  CTkCommandBar* root = parent != nullptr ? parent->GetRootBar() : nullptr;
  hold.Hold(root);
  GetMenuSoundPlayer().Play(CTkMenuSoundPlayer::kMenuCommand);
  m_nPressed = 2;
  CWnd* target = parent != nullptr ? parent->GetCommandTarget() : nullptr;
  const HWND hTarget = target != nullptr ? target->GetSafeHwnd() : nullptr;
  const UINT id = m_nId;

  auto* rootPopup = root != nullptr && root->IsKindOf(RUNTIME_CLASS(CTkPopupBar)) ? static_cast<CTkPopupBar*>(root)
                                                                                     : nullptr;
  if (rootPopup != nullptr && rootPopup->GetReturnCommandSlot() != nullptr) {
    UINT* slot = rootPopup->GetReturnCommandSlot();
    ClosePopups(root, commandBars);
    *slot = id;
    m_nPressed = 0;
    return;
  }
  if (commandBars != nullptr) {
    if (id != 0) commandBars->SetCommandUsed(id);
    if (parent != nullptr && parent->IsKindOf(RUNTIME_CLASS(CTkPopupBar))) {
      CTkControl* opening = static_cast<CTkPopupBar*>(parent)->GetOpeningControl();
      if (opening != nullptr && opening->GetID() != 0) commandBars->SetCommandUsed(opening->GetID());
    }
  }
  const BOOL closeSubMenu = m_bCloseSubMenuOnClick;
  if (closeSubMenu) ClosePopups(root, commandBars);
  if (id != 0 && ::IsWindow(hTarget)) {
    ControlNotifyInfo info = {{nullptr, id, CBN_TK_EXECUTE}, this};
    if (::SendMessageW(hTarget, WM_CMDBARS_NOTIFY, id, reinterpret_cast<LPARAM>(&info)) == 0 && ::IsWindow(hTarget))
      ::SendMessageW(hTarget, WM_COMMAND, id, 0);
  }
  // Execution is over: a button must not stay drawn pressed.
  m_nPressed = 0;
  if (!closeSubMenu && parent != nullptr && parent->GetSafeHwnd() != nullptr) {
    parent->UpdateControls(FALSE, 0);
    parent->Invalidate(FALSE);
  }
}

BOOL CTkControl::NextCapturedMessage(HWND hCapture, MSG& msg) {
  if (::GetCapture() != hCapture) return FALSE;
  const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
  if (got == -1) return FALSE;
  if (got == 0) {
    ::PostQuitMessage(static_cast<int>(msg.wParam));
    return FALSE;
  }
  return TRUE;
}

void CTkControl::TrackButtonPress(CRect activeRect) {
  CTkCommandBar* parent = m_pParent;
  if (parent == nullptr || parent->GetSafeHwnd() == nullptr) return;
  CTkReferenceScope hold;
  hold.Hold(GetCommandBars());
  hold.Hold(this);
  hold.Hold(parent);
  hold.Hold(parent->GetRootBar());
  const HWND hBar = parent->GetSafeHwnd();
  const CRect active = activeRect.IsRectEmpty() ? m_rcControl : activeRect;

  parent->SetHighlightedControl(m_nIndex, FALSE);
  m_nPressed = 1;
  InvalidateParent();
  ::SetCapture(hBar);

  BOOL execute = FALSE;
  BOOL moved = FALSE;
  CPoint last(0, 0);
  MSG msg;
  while (NextCapturedMessage(hBar, msg)) {
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == hBar) {
      last = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
      moved = TRUE;
      if (SetSelectionState(m_rcControl.PtInRect(last) ? 1 : 0)) InvalidateParent();
      continue;
    }
    if (msg.message == WM_LBUTTONUP && msg.hwnd == hBar) {
      execute = m_nSelected != 0 && (!moved || active.PtInRect(last));
      break;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }

  if (::GetCapture() == hBar) ::ReleaseCapture();
  if (m_nSelected != 0 && m_pParent == parent && parent->GetSafeHwnd() != nullptr) {
    parent->SetHighlightedControl(-1, FALSE);
    m_nSelected = 0;
    parent->RememberPrompt(m_nId);
  }
  m_nPressed = 0;
  DelayRedrawParent();
  if (execute) ExecuteCommand();
}

