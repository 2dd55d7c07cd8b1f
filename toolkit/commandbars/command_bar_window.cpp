// The bar as a window: mouse input routed to the controls, the hover and
// expand timers, help-mode hit tests, painting and the update of the
// controls' command state.
#include "bar_painter.h"
#include "command_bar.h"
#include "command_bars.h"
#include "customize_drag_tracker.h"
#include "customize_sheet.h"
#include "draw_helpers.h"
#include "keyboard_shortcuts.h"
#include "popup_bar.h"
#include "reference_scope.h"
#include "tip_context.h"

BEGIN_MESSAGE_MAP(CTkCommandBar, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_MESSAGE(WM_PRINT, OnPrint)
ON_MESSAGE(WM_PRINTCLIENT, OnPrint)
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_WM_NCMOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONUP()
ON_WM_RBUTTONDOWN()
ON_WM_TIMER()
ON_WM_NCHITTEST()
ON_WM_NCLBUTTONDOWN()
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdate)
ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

namespace {

CTkMouseTracker* TrackerOf(const CTkCommandBar* bar) {
  CTkCommandBars* commandBars = bar->GetCommandBars();
  return commandBars != nullptr ? commandBars->GetMouseTracker() : GetMouseTracker();
}

// The update request of a bar's control: it changes the control, not a
// menu item or a child window.
class CTkControlCmdUI : public CCmdUI {
 public:
  explicit CTkControlCmdUI(CTkControl* control) : m_pControl(control) { m_nID = control->GetID(); }
  void Enable(BOOL on) override {
    m_pControl->SetEnabled(on);
    if (!on) SetCheck(0);
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int check) override {
    const BOOL checked = check != 0;
    if (m_pControl->GetChecked() == checked) return;
    m_pControl->SetChecked(checked);
    m_pControl->DelayRedrawParent();
  }
  void SetText(LPCWSTR text) override { m_pControl->SetCaption(text != nullptr ? text : L""); }

 private:
  CTkControl* m_pControl;
};

}  // namespace

int CTkCommandBar::OnCreate(LPCREATESTRUCTW lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  CTkCommandBars* commandBars = GetCommandBars();
  if (commandBars == nullptr && m_barType != kBarPopup) EnableToolTips(TRUE);
  // Bars of a frame share their command bars' tips.
  if (commandBars != nullptr && m_pTipContext == nullptr && commandBars->GetTipContext() != nullptr) {
    m_pTipContext = commandBars->GetTipContext();
    m_pTipContext->InternalAddRef();
  }
  if (commandBars != nullptr && m_barPosition != kBarList && commandBars->GetCustomizeDragTracker() != nullptr)
    commandBars->GetCustomizeDragTracker()->AddDropTarget(this);
  return 0;
}

INT_PTR CTkCommandBar::OnToolHitTest(CPoint point, TTTOOLINFOW* pTI) const {
  CTkCommandBars* commandBars = GetCommandBars();
  CTkMouseTracker* tracker = TrackerOf(this);
  if ((m_nPopupControl != -1 && m_barType != kBarPopup) || tracker->m_suppressCount > 0 ||
      tracker->IsTrackingOtherBar(const_cast<CTkCommandBar*>(this)))
    return -1;
  const CTkCommandBarsSettings* options = commandBars != nullptr ? commandBars->GetCommandBarsOptions() : nullptr;
  if (options != nullptr && !options->bToolBarScreenTips) return -1;
  CTkControl* control = m_pControls->HitTest(point);
  if (control == nullptr) return -1;
  if (m_barType == kBarPopup && (options == nullptr || !options->bShowPopupBarToolTips) &&
      (control->GetFlags() & kFlagTipInPopups) == 0)
    return -1;
  CPoint at = point;
  CRect rect = control->GetRect();
  CString tip = control->GetTooltip(&at, &rect, nullptr);
  // "description\ntip": the tip is what follows the line break.
  const int newline = tip.Find(L'\n');
  if (newline >= 0) tip = tip.Mid(newline + 1);
  if (tip.IsEmpty()) return -1;
  CString title = control->GetCaption();
  if (options != nullptr && options->bToolBarAccelTips) {
    CString shortcut = control->GetShortcutText();
    CTkCommandBars* commandBars = GetCommandBars();
    if (shortcut.IsEmpty() && commandBars != nullptr && commandBars->GetKeyboardShortcuts() != nullptr)
      commandBars->GetKeyboardShortcuts()->FindAcceleratorText(control->GetID(), shortcut);
    if (!shortcut.IsEmpty()) {
      tip += L" (" + shortcut + L")";
      title += L" (" + shortcut + L")";
    }
  }
  FillToolInfo(pTI, m_hWnd, rect.left, rect.top, rect.right, rect.bottom, control->GetID(), tip, title, tip);
  return control->GetID() == 0 ? -1 : static_cast<INT_PTR>(control->GetID());
}

void CTkCommandBar::OnDestroy() {
  CTkCommandBars* commandBars = GetCommandBars();
  if (commandBars != nullptr && commandBars->GetCustomizeDragTracker() != nullptr)
    commandBars->GetCustomizeDragTracker()->RemoveDropTarget(this);
  SetMenuMode(0, TRUE, FALSE);
  CWnd::OnDestroy();
}

void CTkCommandBar::OnPaint() {
  CPaintDC paint(this);
  const CTkClientBounds client(this);
  CTkMemDC offscreen(&paint, client);
  if (offscreen.IsValid()) DrawBar(&offscreen);
}

LRESULT CTkCommandBar::OnPrint(WPARAM wParam, LPARAM) {
  HDC hDC = reinterpret_cast<HDC>(wParam);
  if (hDC != nullptr) DrawBar(CDC::FromHandle(hDC));
  return 0;
}

void CTkCommandBar::DrawBar(CDC* pDC) {
  const CTkClientBounds client(this);
  CTkBarPainter* painter = GetPaintManager();
  if (painter == nullptr) {
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    return;
  }
  // Captions go on whatever face the look painted.
  pDC->SetBkMode(TRANSPARENT);
  painter->FillCommandBar(pDC, this);
  if ((m_dwStyle & kBarStyleGripper) != 0) painter->DrawGripper(pDC, this, TRUE);
  CTkCommandBars* commandBars = GetCommandBars();
  const BOOL customizing = commandBars != nullptr && commandBars->IsCustomizeMode();
  CTkControl* selection = customizing ? commandBars->GetCustomizeSelection() : nullptr;
  BOOL first = TRUE;
  for (int i = 0; i < GetControlCount(); ++i) {
    CTkControl* control = GetControl(i);
    if (!control->IsVisible()) continue;
    if (control->GetBeginGroup() && !first) painter->DrawSeparator(pDC, this, control, TRUE);
    first = FALSE;
    CTkFontSelector font(pDC, painter->GetControlFont(m_barPosition, control->IsDefaultItem()));
    control->Draw(pDC);
    if (control == selection) {
      CRect frame = control->GetRect();
      const COLORREF black = RGB(0, 0, 0);
      pDC->Draw3dRect(&frame, black, black);
      frame.DeflateRect(1, 1);
      pDC->Draw3dRect(&frame, black, black);
    }
  }
  if (!customizing || m_rcMarker.IsRectEmpty()) return;
  // An I-beam, inverted so that a second drawing takes it away.
  CTkObjectSelector brush(pDC->GetSafeHdc(), ::GetSysColorBrush(COLOR_3DFACE));
  const CRect& m = m_rcMarker;
  if (!m_bVerticalMarker) {
    pDC->PatBlt(m.left, m.top, 6, 1, PATINVERT);
    pDC->PatBlt(m.left, m.bottom - 1, 6, 1, PATINVERT);
    pDC->PatBlt(m.left + 1, m.top + 1, 4, 1, PATINVERT);
    pDC->PatBlt(m.left + 1, m.bottom - 2, 4, 1, PATINVERT);
    pDC->PatBlt(m.left + 2, m.top + 2, 2, m.Height() - 4, PATINVERT);
  } else {
    pDC->PatBlt(m.left, m.top, 1, 6, PATINVERT);
    pDC->PatBlt(m.right - 1, m.top, 1, 6, PATINVERT);
    pDC->PatBlt(m.left + 1, m.top + 1, 1, 4, PATINVERT);
    pDC->PatBlt(m.right - 2, m.top + 1, 1, 4, PATINVERT);
    pDC->PatBlt(m.left + 2, m.top + 2, m.Width() - 4, 2, PATINVERT);
  }
}

void CTkCommandBar::UpdateControls(BOOL disableIfNoHandler, LPARAM) {
  if (GetSafeHwnd() == nullptr || !IsWindowVisible()) return;
  CWnd* target = GetCommandTarget();
  CTkCommandBars* commandBars = GetCommandBars();
  CTkReferenceScope hold;
  hold.Hold(this);
  hold.Hold(commandBars);

  if (commandBars != nullptr) {
    const UINT active = commandBars->GetActiveMenuId();
    for (int i = 0; active != 0 && i < GetControlCount(); ++i) {
      CTkControl* control = GetControl(i);
      CTkIdMap& assigned = control->GetAssignedDocTemplates();
      CTkIdMap& excluded = control->GetExcludedDocTemplates();
      if (assigned.IsEmpty() && excluded.IsEmpty()) continue;
      BOOL flag = FALSE;
      const BOOL hide = (!assigned.IsEmpty() && !assigned.Lookup(active, flag)) ||
                        (!excluded.IsEmpty() && excluded.Lookup(active, flag));
      const int reasons = control->GetHideFlags();
      const int wanted = hide ? reasons | kHideByToolBar : reasons & ~kHideByToolBar;
      if (wanted == reasons) continue;
      control->SetHideFlags(wanted);
      m_dwState |= kStateControlsChanged;
    }
  }

  const BOOL noNotify = GetRootBar()->IsNoNotify();
  const BOOL customizing = IsCustomizeMode();
  for (int i = 0; i < GetControlCount(); ++i) {
    CTkControl* control = GetControl(i);
    if (noNotify || (control->GetFlags() & kFlagNoUpdate) != 0) continue;
    // Separators and submenus carry no command to ask about.
    const int id = static_cast<int>(control->GetID());
    if (id == 0 || (IsPopupControlType(control->GetType()) && id < 0)) continue;
    CTkControlCmdUI state(control);
    if (OnCmdMsg(0, static_cast<int>(MAKELONG(0xFFFF, WM_REFLECT_BASE + WM_COMMAND)), &state, nullptr)) continue;
    if (OnCmdMsg(control->GetID(), static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr)) continue;
    if (customizing) {
      control->SetEnabled(TRUE);
      continue;
    }
    if (target != nullptr && target->GetSafeHwnd() != nullptr) state.DoUpdate(target, disableIfNoHandler);
  }

  if (GetSafeHwnd() == nullptr) return;
  if ((m_dwState & kStateLayoutDirty) != 0) {
    Invalidate(FALSE);
    m_dwState &= ~kStateLayoutDirty;
  }
  if ((m_dwState & kStateControlsChanged) != 0) {
    OnControlsChanged();
    m_dwState &= ~kStateControlsChanged;
  }
  if (target != nullptr && target->GetSafeHwnd() != nullptr) UpdateDialogControls(target, disableIfNoHandler);
}

LRESULT CTkCommandBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  UpdateControls(static_cast<BOOL>(wParam), 0);
  return 0;
}

LRESULT CTkCommandBar::OnInitialUpdate(WPARAM, LPARAM) {
  UpdateControls(TRUE, 0);
  return 0;
}

void CTkCommandBar::OnMouseMove(UINT, CPoint point) {
  CTkMouseTracker* tracker = TrackerOf(this);
  if (tracker->IsTrackingOtherBar(this) || tracker->m_suppressCount > 0) return;
  if (m_nMenuMode == 0 && m_barType != kBarPopup && !IsTopLevelOwnerActive(m_hWnd)) return;
  if (IsCustomizeMode()) {
    CTkControl* selection = GetCommandBars()->GetCustomizeSelection();
    if (selection != nullptr && selection->GetParent() == this) selection->SetResizeCursor(point);
    return;
  }
  int hot = -1;
  if (m_nMenuMode != 0 && (m_barType != kBarPopup || m_nPopupControl != -1 || m_bKeyboardSelection))
    hot = m_nHotControl;
  if (CTkControl* control = m_pControls->HitTest(point)) {
    hot = control->GetIndex();
    tracker->TrackMouseLeave(m_hWnd);
    control->OnMouseMove(point);
  }
  SetHighlightedControl(hot, FALSE);
}

void CTkCommandBar::OnMouseLeave() {
  CTkMouseTracker* tracker = TrackerOf(this);
  if (tracker->m_suppressCount > 0 || m_bKeyboardSelection) return;
  if (m_nMenuMode == 0 || (m_barType == kBarPopup && m_nPopupControl == -1)) SetHighlightedControl(-1, FALSE);
}

void CTkCommandBar::OnNcMouseMove(UINT flags, CPoint point) {
  OnMouseLeave();
  CWnd::OnNcMouseMove(flags, point);
}

void CTkCommandBar::OnLButtonDown(UINT flags, CPoint point) {
  CTkControl* control = m_pControls->HitTest(point);
  if (control == nullptr) {
    CWnd::OnLButtonDown(flags, point);
    return;
  }
  CTkReferenceScope hold;
  hold.Hold(control);
  CTkCommandBars* commandBars = GetCommandBars();
  const BOOL customizable = (control->GetFlags() & kFlagNotCustomizable) == 0;
  if (::GetKeyState(VK_MENU) < 0 && m_barType != kBarPopup && IsCustomizable() && !IsCustomizeMode() &&
      customizable && commandBars != nullptr && commandBars->IsCustomizeAllowed() &&
      commandBars->GetCommandBarsOptions()->bAltDragCustomization) {
    hold.Hold(commandBars);
    commandBars->SetQuickCustomizeMode(TRUE);
    SetPopupControl(-1, FALSE);
    SetHighlightedControl(-1, FALSE);
    control->CustomizeMouseDown(point);
    commandBars->SetQuickCustomizeMode(FALSE);
    commandBars->RecalcFrameLayout();
    commandBars->CloseAllPopups();
    return;
  }
  if (!IsCustomizeMode() || (IsCustomizable() && customizable)) control->OnClick(FALSE, point);
}

void CTkCommandBar::OnLButtonUp(UINT flags, CPoint point) {
  CTkControl* control = m_pControls->HitTest(point);
  if (control == nullptr) {
    CWnd::OnLButtonUp(flags, point);
    return;
  }
  if (!IsCustomizeMode()) control->OnLButtonUp(point);
}

void CTkCommandBar::OnLButtonDblClk(UINT flags, CPoint point) {
  CTkControl* control = m_pControls->HitTest(point);
  if (control == nullptr) {
    CWnd::OnLButtonDblClk(flags, point);
    return;
  }
  if (!IsCustomizeMode()) control->OnLButtonDblClk(point);
}

void CTkCommandBar::OnRButtonUp(UINT flags, CPoint point) {
  CTkControl* control = IsCustomizeMode() ? nullptr : m_pControls->HitTest(point);
  if (control == nullptr) {
    CWnd::OnRButtonUp(flags, point);
    return;
  }
  CTkReferenceScope hold;
  hold.Hold(control);
  CWnd* site = GetOwnerSite();
  if (site != nullptr && site->GetSafeHwnd() != nullptr &&
      site->SendMessage(WM_CMDBARS_RBUTTONUP, reinterpret_cast<WPARAM>(&point), reinterpret_cast<LPARAM>(control)) == 1)
    return;
  if (GetRootBar()->IsRightButtonChoosing())
    control->OnLButtonUp(point);
  else
    control->OnRButtonUp(point);
}

void CTkCommandBar::OnRButtonDown(UINT flags, CPoint point) {
  CTkControl* control = m_pControls->HitTest(point);
  CTkCommandBars* commandBars = GetCommandBars();
  if (control != nullptr && IsCustomizeMode() && IsCustomizable() && control->GetHideFlags() == 0 &&
      (control->GetFlags() & kFlagNotCustomizable) == 0) {
    SetPopupControl(-1, FALSE);
    SetHighlightedControl(-1, FALSE);
    commandBars->SetCustomizeSelection(control);
    // Quick customization has no context menu; the sheet's comes up here.
    CWnd* sheet = commandBars->GetCustomizeSheet();
    if (sheet != nullptr && sheet->IsKindOf(RUNTIME_CLASS(CTkCustomizeSheet))) {
      CPoint screen = point;
      ClientToScreen(&screen);
      static_cast<CTkCustomizeSheet*>(sheet)->ShowContextMenu(screen);
    }
    return;
  }
  CWnd::OnRButtonDown(flags, point);
}

void CTkCommandBar::OnTimer(UINT_PTR id) {
  if (id == kHoverTimer) {
    if (m_lockCount > 0) return;
    KillTimer(kHoverTimer);
    if (CTkControl* hot = GetControl(m_nHotControl)) hot->OnMouseHover();
    return;
  }
  if (id == kExpandTimer) {
    if (m_lockCount > 0) return;
    KillTimer(kExpandTimer);
    // The open popup shows its rarely used commands after a while.
    CTkControl* open = GetControl(m_nPopupControl);
    CTkCommandBar* popup = open != nullptr ? open->GetCommandBar() : nullptr;
    if (popup != nullptr && popup->IsKindOf(RUNTIME_CLASS(CTkPopupBar))) static_cast<CTkPopupBar*>(popup)->ExpandBar();
    return;
  }
  CWnd::OnTimer(id);
}

LRESULT CTkCommandBar::OnNcHitTest(CPoint point) {
  if (!IsHelpMode()) return CWnd::OnNcHitTest(point);
  CPoint client = point;
  ScreenToClient(&client);
  CTkControl* control = m_pControls->HitTest(client);
  if (control != nullptr && IsPopupControlType(control->GetType()) && static_cast<int>(control->GetID()) <= 0)
    return HTMENU;
  return HTCLIENT;
}

void CTkCommandBar::OnNcLButtonDown(UINT hitTest, CPoint point) {
  if (!IsHelpMode()) {
    CWnd::OnNcLButtonDown(hitTest, point);
    return;
  }
  CPoint client = point;
  ScreenToClient(&client);
  OnLButtonDown(0, client);
}

LRESULT CTkCommandBar::OnHelpHitTest(WPARAM, LPARAM lParam) {
  const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
  if (CTkControl* control = m_pControls->HitTest(point)) return control->GetID() + 0x10000;
  const int id = GetDlgCtrlID();
  return id != 0 ? id + 0x50000 : 0;
}

LRESULT CTkCommandBar::OnGetObject(WPARAM wParam, LPARAM lParam) {
  const LONG object = static_cast<LONG>(lParam);
  if (object == OBJID_CLIENT || object == OBJID_MENU) {
    const LRESULT result = CTkMsaaSupport::LresultFromObject(IID_IAccessible, wParam, GetAccessible());
    if (result >= 0) return result;
  }
  return Default();
}
