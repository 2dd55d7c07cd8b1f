// The frame half of the command bars: the dock bars along the frame's
// edges, creating, docking and floating bars, the frame's layout, the
// messages the frame passes on, and the tool-bar context menu.
#include "bar_painter.h"
#include "command_bars.h"
#include "control_lists.h"
#include "dock_bar.h"
#include "draw_helpers.h"
#include "global_settings.h"
#include "image_manager.h"
#include "keyboard_shortcuts.h"
#include "menu_bar.h"
#include "popup_bar.h"
#include "prop_exchange.h"
#include "reference_scope.h"
#include "tool_bar.h"
#include "tool_rebar.h"

namespace {
// Ids of the dock bars: top, bottom, left, right.
const UINT kDockBarIds[4] = {59419, 59422, 59420, 59421};
const DWORD kDockBarStyles[4] = {kDockStyleTop, kDockStyleBottom, kDockStyleLeft, kDockStyleRight};
// The rebar's child id, and the toolkit's rebar class that owns it.
const UINT kReBarId = 59396;
// Room around a dock bar that still docks a dragged bar.
const int kDockMargin = 20;
// The tool-bar list of the context menu.
const UINT kToolBarListId = 59392;
// The customize sheet's command.
const UINT kCustomizeCommandId = 35001;

CTkToolBar* AsToolBar(CTkCommandBar* bar) {
  return bar != nullptr && bar->IsKindOf(RUNTIME_CLASS(CTkToolBar)) ? static_cast<CTkToolBar*>(bar) : nullptr;
}

CTkCommandBar* CreateBarOfClass(CRuntimeClass* chosen, LPCSTR fallback) {
  CRuntimeClass* barClass = chosen != nullptr ? chosen : CRuntimeClass::FromName(fallback);
  if (barClass == nullptr || !barClass->IsDerivedFrom(RUNTIME_CLASS(CTkCommandBar))) return nullptr;
  return static_cast<CTkCommandBar*>(barClass->CreateObject());
}
}  // namespace

void CTkCommandBars::CreateDockBars() {
  for (int i = 0; i < 4; ++i) {
    if (m_pDocks[i] != nullptr) continue;
    auto* dockBar = new CTkDockBar(this);
    if (m_pFrame == nullptr || !dockBar->Create(m_pFrame, kDockBarStyles[i], kDockBarIds[i])) {
      delete dockBar;
      AfxThrowResourceException();
    }
    m_pDocks[i] = dockBar;
  }
}

CTkMenuBar* CTkCommandBars::CreateMenuBar(LPCWSTR title, UINT menuId) {
  CTkCommandBar* created = CreateBarOfClass(MenuBarClass, "CTkMenuBar");
  if (created == nullptr) return nullptr;
  if (!created->IsKindOf(RUNTIME_CLASS(CTkMenuBar))) {
    created->InternalRelease();
    return nullptr;
  }
  auto* bar = static_cast<CTkMenuBar*>(created);
  bar->SetCommandBars(this);
  bar->EnableDocking(kMenuBarDockFlags);
  bar->SetTitle(title);
  bar->DelayLayout();
  bar->SetBarID(1);
  if (!bar->PlaceBar(kBarTop) || !bar->LoadMenuBar(menuId)) {
    for (CTkDockBar* dockBar : m_pDocks)
      if (dockBar != nullptr) dockBar->RemoveCommandBar(bar);
    bar->InternalRelease();
    return nullptr;
  }
  if (menuId != 0) {
    bar->GetControls()->CreateOriginalControls();
    m_nDefaultMenuID = menuId;
  }
  AppendBar(bar);
  m_pMenuBar = bar;
  return bar;
}

CTkCommandBar* CTkCommandBars::CreateToolBar(LPCWSTR title, UINT id, BOOL tearOff) {
  CTkCommandBar* bar = CreateBarOfClass(ToolBarClass, "CTkToolBar");
  if (bar == nullptr) return nullptr;
  bar->SetCommandBars(this);
  BarCreateInfo info;
  info.pCommandBar = bar;
  info.bTearOff = tearOff;
  info.lpszTitle = title;
  info.nBarID = id;
  if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr)
    m_pFrame->SendMessage(WM_CMDBARS_CREATEBAR, 0, reinterpret_cast<LPARAM>(&info));
  CTkToolBar* toolBar = AsToolBar(bar);
  if (toolBar != nullptr && toolBar->GetDragTracker() == nullptr) toolBar->EnableDocking(kToolBarDockFlags);
  bar->SetTitle(title);
  if (!bar->PlaceBar(tearOff ? kBarFloating : kBarTop)) {
    if (toolBar != nullptr && toolBar->GetDockBar() != nullptr) toolBar->GetDockBar()->RemoveCommandBar(toolBar);
    bar->InternalRelease();
    return nullptr;
  }
  AppendBar(bar);
  bar->SetBarID(id);
  if (toolBar != nullptr) {
    toolBar->SetBuiltIn(FALSE);
    toolBar->SetTearOff(tearOff);
  }
  if (!tearOff) RecalcFrameLayout();
  AddBarToReBar(bar);
  return bar;
}

void CTkCommandBars::RemoveCommandBar(CTkCommandBar* bar) {
  const int index = FindBarIndex(bar);
  if (index < 0) return;
  CTkReferenceScope hold;
  hold.Hold(this);
  if (bar->GetSafeHwnd() != nullptr) bar->ShowWindow(SW_HIDE);
  if (CTkToolBar* toolBar = AsToolBar(bar)) {
    toolBar->ClearVisibleField();
    if (CTkDockBar* dockBar = toolBar->GetDockBar()) dockBar->RemoveCommandBar(toolBar);
  }
  RecalcFrameLayout();
  RemoveBarFromReBar(bar);
  m_bars.erase(m_bars.begin() + index);
  bar->InternalRelease();
}

BOOL CTkCommandBars::DockCommandBar(CTkCommandBar* bar, LPCRECT rect, CTkDockBar* dockBar) {
  CTkToolBar* toolBar = AsToolBar(bar);
  if (toolBar == nullptr || dockBar == nullptr) return FALSE;
  if (!toolBar->SetupBarWindow(dockBar, FALSE)) return FALSE;
  dockBar->DockCommandBar(toolBar, rect);
  toolBar->SetPosition(dockBar->GetPosition());
  return TRUE;
}

BOOL CTkCommandBars::DockCommandBarAt(CTkCommandBar* bar, int dockIndex) {
  return DockCommandBar(bar, nullptr, GetDockBar(dockIndex));
}

BOOL CTkCommandBars::FloatCommandBar(CTkCommandBar* bar) {
  CTkToolBar* toolBar = AsToolBar(bar);
  if (toolBar == nullptr || !toolBar->SetupBarWindow(m_pFrame, TRUE)) return FALSE;
  if (CTkDockBar* dockBar = toolBar->GetDockBar()) dockBar->RemoveCommandBar(toolBar);
  toolBar->SetPosition(kBarFloating);
  // A bar that was docked keeps its place in the dock bar's coordinates;
  // it floats where it floated last.
  CTkBarDragTracker* tracker = toolBar->GetDragTracker();
  const CPoint origin = tracker != nullptr ? tracker->GetLastFloatingPos() : CPoint(100, 100);
  const CSize size = toolBar->CalcBarSize(-1, kLayoutHorizontal | kLayoutMRUWidth | kLayoutCommit);
  toolBar->SetWindowPos(&CWnd::wndTop, origin.x, origin.y, size.cx, size.cy,
                        SWP_NOACTIVATE | (toolBar->IsVisible() ? SWP_SHOWWINDOW : 0));
  return TRUE;
}

CTkDockBar* CTkCommandBars::CanDock(CPoint screenPoint, CTkDockBar* preferred) const {
  auto accepts = [&screenPoint](CTkDockBar* dockBar) {
    if (dockBar == nullptr || dockBar->GetSafeHwnd() == nullptr) return FALSE;
    CRect rect;
    dockBar->GetWindowRect(&rect);
    rect.InflateRect(kDockMargin, kDockMargin);
    return static_cast<BOOL>(screenPoint.x > rect.left && screenPoint.x < rect.right && screenPoint.y > rect.top &&
                             screenPoint.y < rect.bottom);
  };
  if (accepts(preferred)) return preferred;
  for (CTkDockBar* dockBar : m_pDocks)
    if (accepts(dockBar)) return dockBar;
  return nullptr;
}

void CTkCommandBars::RecalcFrameLayout(BOOL delay) {
  if (m_bLayoutLocked || m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr) return;
  if (m_pFrame->IsFrameWnd()) {
    auto* frame = static_cast<CFrameWnd*>(m_pFrame);
    if (delay)
      frame->DelayRecalcLayout(FALSE);
    else
      frame->RecalcLayout(FALSE);
    return;
  }
  const CTkClientBounds client(m_pFrame);
  const LPARAM size = MAKELPARAM(client.Width(), client.Height());
  if (delay)
    m_pFrame->PostMessage(WM_SIZE, 0, size);
  else
    m_pFrame->SendMessage(WM_SIZE, 0, size);
}

void CTkCommandBars::FlushDelayedLayout() {
  if (m_pFrame == nullptr || !m_pFrame->IsFrameWnd()) return;
  auto* frame = static_cast<CFrameWnd*>(m_pFrame);
  if ((frame->m_nIdleFlags & AFX_IDLE_LAYOUT) == 0) return;
  frame->RecalcLayout(FALSE);
  frame->m_nIdleFlags &= ~AFX_IDLE_LAYOUT;
}

void CTkCommandBars::UpdateAllBars() {
  m_bLayoutLocked = TRUE;
  std::vector<CTkCommandBar*> bars = m_bars;
  for (CTkCommandBar* bar : bars)
    if (bar->IsVisible()) bar->OnControlsChanged();
  m_bLayoutLocked = FALSE;
  RecalcFrameLayout();
}

void CTkCommandBars::InvalidateBars() {
  for (CTkCommandBar* bar : m_bars) {
    if (!bar->IsVisible() || bar->GetSafeHwnd() == nullptr) continue;
    bar->DelayLayout();
    bar->Invalidate(FALSE);
  }
}

void CTkCommandBars::ToggleBarVisible(int index) {
  if (CTkCommandBar* bar = GetAt(index)) bar->SetVisible(!bar->IsVisible());
}

void CTkCommandBars::SetPreviewMode(BOOL preview) {
  if (m_pShortcuts != nullptr) m_pShortcuts->DisableAccelerators(preview);
  std::vector<CTkCommandBar*> bars = m_bars;
  for (CTkCommandBar* bar : bars)
    if (CTkToolBar* toolBar = AsToolBar(bar)) toolBar->SetPreviewMode(preview);
}

namespace {
// The frame's rebar child when it is the toolkit's rebar.
CTkReBar* FrameReBar(CWnd* frame) {
  CWnd* rebar = frame != nullptr && frame->GetSafeHwnd() != nullptr ? frame->GetDlgItem(kReBarId) : nullptr;
  CWnd* permanent = rebar != nullptr ? CWnd::FromHandlePermanent(rebar->m_hWnd) : nullptr;
  return permanent != nullptr && permanent->IsKindOf(RUNTIME_CLASS(CTkReBar)) ? static_cast<CTkReBar*>(permanent)
                                                                              : nullptr;
}
// The band style the command bars give their bars: a break before the
// band, and a gripper always.
const DWORD kBandStyle = 0x81;
}  // namespace

BOOL CTkCommandBars::AddBarToReBar(CTkCommandBar* bar) {
  CTkReBar* rebar = FrameReBar(m_pFrame);
  CTkToolBar* toolBar = AsToolBar(bar);
  if (rebar == nullptr || toolBar == nullptr) return FALSE;
  return rebar->AddToolBar(toolBar, kBandStyle);
}

BOOL CTkCommandBars::RemoveBarFromReBar(CTkCommandBar* bar) {
  if (reinterpret_cast<CTkCommandBar*>(m_pMenuBar) == bar) m_pMenuBar = nullptr;
  CTkReBar* rebar = FrameReBar(m_pFrame);
  CTkToolBar* toolBar = AsToolBar(bar);
  if (rebar == nullptr || toolBar == nullptr) return FALSE;
  return rebar->RemoveToolBar(toolBar) >= 0;
}

CTkPopupBar* CTkCommandBars::CreateToolbarsContextMenu() {
  CTkPopupBar* popup = CTkPopupBar::CreateForCommandBars(this);
  if (popup == nullptr) return nullptr;
  CTkControl* list = popup->GetControls()->Add(kControlButton, kToolBarListId, L"", -1, FALSE);
  if (list != nullptr && list->IsKindOf(RUNTIME_CLASS(CTkControlToolbars)))
    static_cast<CTkControlToolbars*>(list)->AddToolbarItems(TRUE);
  return popup;
}

namespace {
// The bars of a docked bar's row, or the bar alone.
std::vector<CTkToolBar*> RowOf(CTkToolBar* toolBar) {
  std::vector<CTkToolBar*> row;
  if (CTkDockBar* dockBar = toolBar->GetDockBar()) dockBar->GetRowBars(dockBar->FindBar(toolBar), row);
  if (row.empty()) row.push_back(toolBar);
  return row;
}
}  // namespace

void CTkCommandBars::AddRowHiddenControls(CTkCommandBar* bar, CTkPopupBar* expandPopup) {
  CTkToolBar* toolBar = AsToolBar(bar);
  if (toolBar == nullptr || expandPopup == nullptr) return;
  for (CTkToolBar* member : RowOf(toolBar)) {
    for (int i = 0; i < member->GetControlCount(); ++i) {
      CTkControl* control = member->GetControl(i);
      if ((control->GetHideFlags() & kHideWrapped) == 0) continue;
      CTkControl* copy = expandPopup->GetControls()->AddClone(control);
      if (copy == nullptr) continue;
      copy->SetHideFlags(0);
      copy->SetBeginGroup(FALSE);
    }
  }
}

void CTkCommandBars::AddRowCustomizeEntries(CTkCommandBar* bar, CTkPopupBar* expandPopup) {
  CTkToolBar* toolBar = AsToolBar(bar);
  if (toolBar == nullptr || expandPopup == nullptr) return;
  for (CTkToolBar* member : RowOf(toolBar)) {
    CTkControl* entry = expandPopup->GetControls()->Add(kControlPopup, 0);
    if (entry == nullptr) continue;
    entry->SetCaption(member->GetTitle());
    entry->SetEnabled(m_bCustomizeAllowed && member->IsBuiltIn() && member->IsCustomizable());
    // Its state is the bar's, not a command's.
    entry->SetFlags(entry->GetFlags() | kFlagNoUpdate);
    CTkCommandBar* list = entry->GetCommandBar();
    if (list != nullptr && list->IsKindOf(RUNTIME_CLASS(CTkPopupBar)))
      member->FillButtonsList(static_cast<CTkPopupBar*>(list));
  }
  if (!m_bCustomizeAllowed) return;
  CTkControl* customize = expandPopup->GetControls()->Add(kControlButton, kCustomizeCommandId);
  if (customize == nullptr) return;
  if (customize->GetCaption().IsEmpty()) customize->SetCaption(L"&Customize...");
  customize->SetBeginGroup(TRUE);
}

BOOL CTkCommandBars::OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  (void)lParam;
  switch (message) {
    case WM_IDLEUPDATECMDUI: {
      std::vector<CTkCommandBar*> bars = m_bars;
      for (CTkCommandBar* bar : bars)
        if (bar->GetPosition() == kBarFloating) bar->UpdateControls(TRUE, 0);
      return FALSE;
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE: {
      if (message == WM_SYSCOLORCHANGE) {
        GetGlobalSettings().CacheColors();
        GetImageManagerOrDefault()->ResetDerivedImages();
      }
      if (CTkBarPainter* painter = GetPainterOrCurrent()) painter->UpdateFontsAndColors();
      RecalcFrameLayout();
      if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr)
        m_pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      return FALSE;
    }
    case WM_CLOSE:
      // The customize sheet's drag tracker comes with the customize sheet.
      return m_pCustomizeSheet != nullptr;
    case WM_COMMAND: {
      CWnd* focus = CWnd::GetFocus();
      CRuntimeClass* editClass = CRuntimeClass::FromName("CTkEdit");
      if (focus == nullptr || editClass == nullptr || !focus->IsKindOf(editClass)) return FALSE;
      if (!focus->OnCmdMsg(LOWORD(wParam), CN_COMMAND, nullptr, nullptr)) return FALSE;
      if (result != nullptr) *result = 1;
      return TRUE;
    }
    case WM_ACTIVATEAPP:
      if (wParam == 0) CloseAllPopups();
      return FALSE;
    case WM_SYSCOMMAND: {
      const BOOL keepOpen = (wParam != 0 && LOWORD(wParam) == 0) || (wParam & 0xFFF0) == SC_KEYMENU || m_bCustomizeMode;
      if (!keepOpen) CloseAllPopups();
      return FALSE;
    }
    default:
      return FALSE;
  }
}

namespace {
void ExchangeRegistryOptions(CTkCommandBarsSettings* options, LPCWSTR profile, BOOL loading) {
  CWinApp* app = AfxGetApp();
  HKEY key = app != nullptr ? app->GetAppRegistryKey() : nullptr;
  if (key == nullptr) return;
  CString section;
  section.Format(L"%s-Options", profile);
  {
    CTkPropExchangeRegistry exchange(loading, key, section);
    options->ExchangeOptions(&exchange, TRUE);
  }
  ::RegCloseKey(key);
}
}  // namespace

void CTkCommandBars::LoadOptions(LPCWSTR profile) { ExchangeRegistryOptions(m_pOptions, profile, TRUE); }

void CTkCommandBars::SaveOptions(LPCWSTR profile) { ExchangeRegistryOptions(m_pOptions, profile, FALSE); }

void CTkCommandBars::ApplyKeyboardCuesShow() {
  m_bCuesUntilAlt = FALSE;
  switch (m_pOptions->nKeyboardCuesShow) {
    case 0:
      m_bCuesUntilAlt = TRUE;
      ShowKeyboardCues(TRUE);
      m_bCuesUntilAlt = FALSE;
      break;
    case 1:
      m_bCuesUntilAlt = TRUE;
      ShowKeyboardCues(FALSE);
      m_bCuesUntilAlt = FALSE;
      break;
    default: {
      BOOL cues = TRUE;
      if (::SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &cues, 0) && !cues) {
        m_bCuesUntilAlt = TRUE;
        ShowKeyboardCues(FALSE);
      }
      break;
    }
  }
}
