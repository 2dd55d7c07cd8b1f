#include "command_bars.h"

#include "bar_painter.h"
#include "command_bar.h"
#include "draw_helpers.h"
#include "image_manager.h"
#include "menu_sound_player.h"
#include "popup_bar.h"
#include "window_hooks.h"

IMPLEMENT_DYNCREATE(CTkCommandBars, CCmdTarget)

CRuntimeClass* ToolBarClass = nullptr;
CRuntimeClass* MenuBarClass = nullptr;

namespace {
// Command id of the customize sheet: a frame that handles it allows customizing.
const UINT kCustomizeCommand = 35001;
// Popups hold popups; a bound keeps a popup that holds itself from looping.
const int kMaxPopupDepth = 32;
}  // namespace

CTkCommandBars::CTkCommandBars() : m_pOptions(new CTkCommandBarsSettings(this)) {}

CTkCommandBars::~CTkCommandBars() {
  if (m_pCustomizeSelection != nullptr) m_pCustomizeSelection->InternalRelease();
  m_pCustomizeSelection = nullptr;
  if (m_pAttachedObject != nullptr) m_pAttachedObject->InternalRelease();
  std::vector<CTkCommandBar*> bars;
  bars.swap(m_bars);
  for (CTkCommandBar* bar : bars) bar->InternalRelease();
  if (m_pPaintManager != nullptr) m_pPaintManager->InternalRelease();
  if (m_pImageManager != nullptr) m_pImageManager->InternalRelease();
  m_pOptions->InternalRelease();
  GetMenuSoundPlayer().Stop();
}

void CTkCommandBars::OnFinalRelease() {
  // Bars ending with these command bars hold them while their windows go;
  // the count must not reach 0 a second time.
  m_dwRef = 1;
  delete this;
}

BOOL CTkCommandBars::IsCommandHidden(UINT id) {
  BOOL flag = FALSE;
  return m_pOptions->m_mapHiddenCommands.Lookup(id, flag) && !m_pOptions->m_mapUsedCommands.Lookup(id, flag);
}

BOOL CTkCommandBars::IsControlHidden(CTkControl* control) {
  if (control == nullptr) return FALSE;
  if (IsCommandHidden(control->GetID())) return TRUE;
  if (!m_pOptions->bAutoHideUnusedPopups || !IsPopupControlType(control->GetType())) return FALSE;
  CTkCommandBar* popup = control->GetCommandBar();
  if (popup == nullptr || popup->GetControlCount() == 0 || m_nPopupDepth >= kMaxPopupDepth) return FALSE;
  struct DepthScope {
    int& depth;
    explicit DepthScope(int& d) : depth(d) { ++depth; }
    ~DepthScope() { --depth; }
  } scope(m_nPopupDepth);
  for (int i = 0; i < popup->GetControlCount(); ++i)
    if (!IsControlHidden(popup->GetControl(i))) return FALSE;
  return TRUE;
}

UINT CTkCommandBars::GetActiveMenuId() { return 0; }

void CTkCommandBars::ShowToolbarsContextMenu(WPARAM wParam, int, int) {
  if (m_bCustomizeMode) return;
  CTkPopupBar* popup = CreateToolbarsContextMenu();
  if (popup == nullptr) return;
  if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr)
    m_pFrame->SendMessage(WM_CMDBARS_CONTEXTMENU, wParam, reinterpret_cast<LPARAM>(popup));
  popup->InternalRelease();
}

CTkPopupBar* CTkCommandBars::CreateToolbarsContextMenu() {
  CTkPopupBar* popup = CTkPopupBar::CreateForCommandBars(this);
  if (popup != nullptr) popup->GetControls()->Add(kControlButton, AFX_IDW_TOOLBAR);
  return popup;
}

void CTkCommandBars::AddRowHiddenControls(CTkCommandBar*, CTkPopupBar*) {}

void CTkCommandBars::AddRowCustomizeEntries(CTkCommandBar*, CTkPopupBar*) {}

BOOL CTkCommandBars::AddBarToReBar(CTkCommandBar*) { return FALSE; }

BOOL CTkCommandBars::RemoveBarFromReBar(CTkCommandBar* bar) {
  if (reinterpret_cast<CTkCommandBar*>(m_pMenuBar) == bar) m_pMenuBar = nullptr;
  return FALSE;
}

int CTkCommandBars::HideCuesWhenIdle(CTkCommandBar*, int status) {
  if (status != 0) return status;
  if (m_bCuesUntilAlt && GetMouseTracker()->m_trackedBars.empty()) ShowKeyboardCues(FALSE);
  return status;
}

CTkCommandBar* CTkCommandBars::CreateToolBar(LPCWSTR title, UINT id, BOOL tearOff) {
  CRuntimeClass* barClass = ToolBarClass != nullptr ? ToolBarClass : CRuntimeClass::FromName("CTkToolBar");
  if (barClass == nullptr || !barClass->IsDerivedFrom(RUNTIME_CLASS(CTkCommandBar))) return nullptr;
  auto* bar = static_cast<CTkCommandBar*>(barClass->CreateObject());
  if (bar == nullptr) return nullptr;
  bar->SetCommandBars(this);
  BarCreateInfo info;
  info.pCommandBar = bar;
  info.bTearOff = tearOff;
  info.lpszTitle = title;
  info.nBarID = id;
  if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr)
    m_pFrame->SendMessage(WM_CMDBARS_CREATEBAR, 0, reinterpret_cast<LPARAM>(&info));
  bar->SetTitle(title);
  if (!bar->PlaceBar(tearOff ? kBarFloating : kBarTop)) {
    bar->InternalRelease();
    return nullptr;
  }
  AppendBar(bar);
  bar->SetBarID(id);
  if (!tearOff) RecalcFrameLayout();
  AddBarToReBar(bar);
  return bar;
}

BOOL CTkCommandBars::SaveBarsToExchange(CTkPropExchange*) { return FALSE; }

BOOL CTkCommandBars::LoadBarsFromExchange(CTkPropExchange*) { return FALSE; }

void CTkCommandBars::CollectBarsToSave(CPtrArray&) {}

void CTkCommandBars::ReconcileChangedToolbars() {}

void CTkCommandBars::SetFrame(CWnd* frame) {
  m_pFrame = frame;
  if (frame == nullptr || frame->GetSafeHwnd() == nullptr) return;
  AFX_CMDHANDLERINFO probe = {nullptr, nullptr};
  m_bCustomizeAllowed = frame->OnCmdMsg(kCustomizeCommand, CN_COMMAND, nullptr, &probe);
}

void CTkCommandBars::AddHiddenCommands(const UINT* ids, int count) {
  for (int i = 0; i < count; ++i) m_pOptions->m_mapHiddenCommands.SetAt(ids[i], TRUE);
}

void CTkCommandBars::SetCommandUsed(UINT id) {
  if (IsCommandHidden(id)) m_pOptions->m_mapUsedCommands.SetAt(id, TRUE);
}

void CTkCommandBars::ResetUsageData() { m_pOptions->m_mapUsedCommands.RemoveAll(); }

void CTkCommandBars::SetCustomizeMode(BOOL mode) {
  m_pOptions->bDirty = TRUE;
  m_bCustomizeMode = mode;
  SetCustomizeSelection(nullptr);
  std::vector<CTkCommandBar*> bars = m_bars;
  for (CTkCommandBar* bar : bars) bar->UpdateControls(TRUE, 0);
  RecalcFrameLayout();
  ShowKeyboardCues(mode);
}

void CTkCommandBars::SetQuickCustomizeMode(BOOL mode) {
  m_pOptions->bDirty = TRUE;
  m_bQuickCustomizeMode = mode;
  m_bCustomizeMode = mode;
  SetCustomizeSelection(nullptr);
  ShowKeyboardCues(mode);
}

namespace {
void InvalidateBarOf(CTkControl* control) {
  CTkCommandBar* bar = control->GetParent();
  if (bar != nullptr && bar->GetSafeHwnd() != nullptr) bar->Invalidate(FALSE);
}
}  // namespace

void CTkCommandBars::SetCustomizeSelection(CTkControl* control) {
  if (control == m_pCustomizeSelection) return;
  if (CTkControl* old = m_pCustomizeSelection) {
    m_pCustomizeSelection = nullptr;
    InvalidateBarOf(old);
    old->InternalRelease();
  }
  m_pCustomizeSelection = control;
  if (control != nullptr) {
    control->InternalAddRef();
    InvalidateBarOf(control);
  }
  CWnd* target = m_pCustomizeSheet != nullptr ? m_pCustomizeSheet : m_pFrame;
  if (target != nullptr && target->GetSafeHwnd() != nullptr) target->SendMessage(WM_CMDBARS_SELCHANGE, 0, 0);
}

void CTkCommandBars::ShowKeyboardCues(BOOL show) {
  if (m_bCustomizeMode) show = TRUE;
  if (!m_bCuesUntilAlt || m_bKeyboardCuesVisible == show) return;
  m_bKeyboardCuesVisible = show;
  for (CTkCommandBar* bar : m_bars)
    if (bar->GetSafeHwnd() != nullptr && bar->IsWindowVisible()) bar->Invalidate(FALSE);
}

CTkCommandBar* CTkCommandBars::GetAt(int index) const {
  if (index < 0 || index >= GetBarCount()) return nullptr;
  return m_bars[static_cast<size_t>(index)];
}

CTkCommandBar* CTkCommandBars::FindBarById(UINT id) const {
  if (id == 0) return nullptr;
  for (CTkCommandBar* bar : m_bars)
    if (bar->GetBarID() == id) return bar;
  return nullptr;
}

int CTkCommandBars::FindBarIndex(CTkCommandBar* bar) const {
  for (size_t i = 0; i < m_bars.size(); ++i)
    if (m_bars[i] == bar) return static_cast<int>(i);
  return -1;
}

void CTkCommandBars::RecalcFrameLayout(BOOL delay) {
  if (m_bLayoutLocked || m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr) return;
  if (m_pFrame->IsFrameWnd()) {
    auto* frame = static_cast<CFrameWnd*>(m_pFrame);
    if (delay)
      frame->DelayRecalcLayout();
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

CTkBarPainter* CTkCommandBars::GetPainterOrCurrent() const {
  return m_pPaintManager != nullptr ? m_pPaintManager : GetCurrentBarPainter();
}

void CTkCommandBars::SetPaintManager(CTkBarPainter* painter) {
  if (m_pPaintManager != nullptr) m_pPaintManager->InternalRelease();
  m_pPaintManager = painter;
  if (painter != nullptr) painter->UpdateFontsAndColors();
}

CTkImageManager* CTkCommandBars::GetImageManagerOrDefault() const {
  return m_pImageManager != nullptr ? m_pImageManager : GetSharedImageManager();
}

void CTkCommandBars::SetImageManager(CTkImageManager* manager) {
  if (m_pImageManager != nullptr) m_pImageManager->InternalRelease();
  m_pImageManager = manager;
}

CTkMouseTracker* CTkCommandBars::GetMouseTracker() {
  if (m_pMouseTracker == nullptr) m_pMouseTracker = ::GetMouseTracker();
  return m_pMouseTracker;
}

void CTkCommandBars::CloseAllPopups() { GetMouseTracker()->CloseTrackedBars(); }

BOOL CTkCommandBars::IsLayoutRTL() const {
  if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr && (m_pFrame->GetExStyle() & WS_EX_LAYOUTRTL) != 0)
    return TRUE;
  return m_bRightToLeft;
}
