#include "command_bars.h"

#include "bar_painter.h"
#include "command_bar.h"
#include "customize_drag_tracker.h"
#include "dock_bar.h"
#include "draw_helpers.h"
#include "image_manager.h"
#include "keyboard_shortcuts.h"
#include "menu_sound_player.h"
#include "popup_bar.h"
#include "tip_context.h"
#include "tool_bar.h"
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

CTkCommandBars::CTkCommandBars() : m_pOptions(new CTkCommandBarsSettings(this)), m_pTipContext(new CTkTipContext) {
  // Captions keep their single ampersands out of the tips.
  m_pTipContext->ModifyTipStyle(TTS_NOPREFIX, 0);
  m_pShortcuts = new CTkKeyboardShortcuts(this);
  m_pDragTracker = new CTkCustomizeDragTracker(this);
}

CTkCommandBars::~CTkCommandBars() {
  if (m_pCustomizeSelection != nullptr) m_pCustomizeSelection->InternalRelease();
  m_pCustomizeSelection = nullptr;
  if (m_pAttachedObject != nullptr) m_pAttachedObject->InternalRelease();
  std::vector<CTkCommandBar*> bars;
  bars.swap(m_bars);
  for (CTkCommandBar* bar : bars) bar->InternalRelease();
  for (CTkDockBar*& dockBar : m_pDocks) {
    if (dockBar != nullptr && dockBar->GetSafeHwnd() != nullptr) dockBar->DestroyWindow();
    delete dockBar;
    dockBar = nullptr;
  }
  if (m_pPaintManager != nullptr) m_pPaintManager->InternalRelease();
  if (m_pImageManager != nullptr) m_pImageManager->InternalRelease();
  m_pOptions->InternalRelease();
  m_pTipContext->InternalRelease();
  m_pShortcuts->InternalRelease();
  delete m_pDragTracker;
  m_pDragTracker = nullptr;
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

UINT CTkCommandBars::GetActiveMenuId() {
  if (m_pFrame == nullptr || m_pFrame->GetSafeHwnd() == nullptr || !m_pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
    return 0;
  CMDIChildWnd* child = static_cast<CMDIFrameWnd*>(m_pFrame)->MDIGetActive();
  if (child == nullptr) return m_nDefaultMenuID;
  CDocument* document = child->GetActiveDocument();
  CDocTemplate* docTemplate = document != nullptr ? document->GetDocTemplate() : nullptr;
  if (docTemplate != nullptr && docTemplate->m_nIDResource == child->GetResourceId()) return docTemplate->m_nIDResource;
  return child->GetResourceId();
}

int CTkCommandBars::HideCuesWhenIdle(CTkCommandBar*, int status) {
  if (status != 0) return status;
  if (m_bCuesUntilAlt && GetMouseTracker()->m_trackedBars.empty()) ShowKeyboardCues(FALSE);
  return status;
}

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

void CTkCommandBars::SetCustomizeSheet(CWnd* sheet) {
  m_pCustomizeSheet = sheet;
  m_pDragTracker->SetCustomizeSheet(sheet);
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
