#include "tool_bar.h"

#include <algorithm>
#include <vector>

#include "bar_measure_dc.h"
#include "bar_painter.h"
#include "command_bars.h"
#include "dock_bar.h"
#include "draw_helpers.h"
#include "image_manager.h"
#include "popup_bar.h"
#include "reference_scope.h"
#include "toolkit_resources.h"

IMPLEMENT_DYNCREATE(CTkToolBar, CTkCommandBar)
IMPLEMENT_DYNCREATE(CTkControlToolBarExpand, CTkControlPopup)
IMPLEMENT_DYNCREATE(CTkControlToolBarClose, CTkControlButton)

BEGIN_MESSAGE_MAP(CTkToolBar, CTkCommandBar)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_NCHITTEST()
ON_WM_NCLBUTTONDOWN()
ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

namespace {
// Room the expand button takes along a docked bar.
const int kExpandExtent = 11;
// The sizing band along a floating bar's window edges.
const int kFloatingEdge = 3;
// A floating window style bit: the bar follows its frame's activation.
const DWORD kSyncActiveStyle = 0x100;
}  // namespace

CTkToolBar::CTkToolBar() {
  m_barType = kBarTool;
  m_dwStyle = kBarStyleGripper;
}

CTkToolBar::~CTkToolBar() {
  if (GetSafeHwnd() != nullptr) DestroyWindow();
  if (m_pDockBar != nullptr) m_pDockBar->RemoveCommandBar(this);
  delete m_pDragTracker;
}

BOOL CTkToolBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  // The close button may remove the bar from its command bars while its
  // handler runs: the bar stays until the handler returns.
  CTkReferenceScope hold;
  hold.Hold(this);
  return CTkCommandBar::OnWndMsg(message, wParam, lParam, pResult);
}

void CTkToolBar::EnableDocking(DWORD flags) {
  if (m_pDragTracker == nullptr) m_pDragTracker = new CTkBarDragTracker(this);
  m_dwFlags = flags;
}

BOOL CTkToolBar::PlaceBar(int position) {
  CTkCommandBars* commandBars = GetCommandBars();
  if (commandBars == nullptr) return FALSE;
  if (position >= kBarTop && position <= kBarRight) return commandBars->DockCommandBarAt(this, position);
  if (position == kBarFloating) return commandBars->FloatCommandBar(this);
  return FALSE;
}

BOOL CTkToolBar::SetupBarWindow(CWnd* parent, BOOL floating) {
  HWND parentWindow = parent != nullptr ? parent->GetSafeHwnd() : nullptr;
  if (GetSafeHwnd() == nullptr) {
    CTkCommandBars* commandBars = GetCommandBars();
    const DWORD exStyle = commandBars != nullptr && commandBars->IsLayoutRTL() ? WS_EX_LAYOUTRTL : 0;
    LPCWSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    const CPoint origin = m_pDragTracker != nullptr ? m_pDragTracker->GetLastFloatingPos() : CPoint(100, 100);
    if (!CreateEx(exStyle, windowClass, m_strTitle, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | kSyncActiveStyle,
                  origin.x, origin.y, 0, 0, parentWindow, nullptr))
      return FALSE;
    if (m_bVisible) SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  if (floating) {
    // Wine activates a window that becomes top-level; a torn-off bar must
    // leave the frame active.
    const HWND active = ::GetActiveWindow();
    ModifyStyle(WS_CHILD, WS_POPUP | kSyncActiveStyle);
    ::SetParent(m_hWnd, nullptr);
    ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(parentWindow));
    if (active != nullptr && active != m_hWnd && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(active);
  } else {
    ModifyStyle(WS_POPUP, WS_CHILD);
  }
  return TRUE;
}

BOOL CTkToolBar::LoadToolBar(UINT id, BOOL loadImages) {
  m_nBarID = id;
  const BOOL loaded = LoadControlsFromResource(id, loadImages);
  m_pControls->CreateOriginalControls();
  return loaded;
}

BOOL CTkToolBar::LoadControlsFromResource(UINT id, BOOL loadImages) {
  m_pControls->RemoveAll();
  CSize imageSize(0, 0);
  std::vector<UINT> items;
  if (!AfxReadToolBarResource(MAKEINTRESOURCEW(id), imageSize, items)) return FALSE;
  CWnd* site = GetOwnerSite();
  const BOOL canAsk = site != nullptr && site->GetSafeHwnd() != nullptr;
  std::vector<UINT> commands;
  BOOL beginGroup = FALSE;
  for (size_t position = 0; position < items.size(); ++position) {
    const UINT command = items[position];
    if (command == 0) {
      beginGroup = TRUE;
      continue;
    }
    commands.push_back(command);
    ControlCreateInfo info;
    info.nID = command;
    info.nSource = 1;
    info.nPosition = static_cast<int>(position);
    info.pCommandBar = this;
    info.strCaption = m_strTitle;
    info.nType = kControlButton;
    const LRESULT answered =
        canAsk ? site->SendMessage(WM_CMDBARS_CREATECONTROL, 0, reinterpret_cast<LPARAM>(&info)) : 0;
    CTkControl* control = answered != 0 && info.pControl != nullptr ? m_pControls->AddControl(info.pControl, command)
                                                                     : m_pControls->Add(info.nType, info.nID);
    if (control == nullptr) continue;
    control->SetStyle(info.nStyle);
    if (control->GetType() == kControlPopup && control->GetID() != command) control->SetID(command);
    if (beginGroup) control->SetBeginGroup(TRUE);
    beginGroup = FALSE;
    info.pControl = control;
    if (canAsk) site->SendMessage(WM_CMDBARS_CONTROLCREATED, 0, reinterpret_cast<LPARAM>(&info));
  }
  if (!loadImages) return TRUE;
  if (!commands.empty() &&
      !GetImageManager()->AddIconsFromResource(id, commands.data(), static_cast<int>(commands.size()), imageSize.cx,
                                               imageSize.cy))
    return FALSE;
  // Bars of the usual icon size follow the options' sizes.
  if (imageSize.cx != 16) m_szIcons = imageSize;
  return TRUE;
}

CTkControl* CTkToolBar::GetExpandButton() {
  if (CTkControl* control = m_pControls->FindControl(kExpandButtonId)) return control;
  // The bar's own controls are temporary: they are no customization.
  CTkControl* control = m_pControls->AddControl(new CTkControlToolBarExpand, kExpandButtonId, L"", -1, TRUE);
  control->SetHideFlags(kHideByOwner);
  return control;
}

CTkControl* CTkToolBar::GetCloseButton() {
  if (CTkControl* control = m_pControls->FindControl(kCloseButtonId)) return control;
  CTkControl* control = m_pControls->AddControl(new CTkControlToolBarClose, kCloseButtonId, L"", -1, TRUE);
  control->SetHideFlags(kHideByOwner);
  return control;
}

void CTkToolBar::ShowOwnControl(CTkControl* control, BOOL show) {
  if (control == nullptr) return;
  const int reasons = control->GetHideFlags();
  control->SetHideFlags(show ? reasons & ~(kHideByOwner | kHideWrapped) : reasons | kHideByOwner);
}

BOOL CTkToolBar::HasHiddenControls() const {
  for (int i = 0; i < GetControlCount(); ++i) {
    CTkControl* control = GetControl(i);
    if (control->GetID() == kExpandButtonId || control->GetID() == kCloseButtonId) continue;
    if ((control->GetHideFlags() & kHideWrapped) != 0) return TRUE;
  }
  return FALSE;
}

CSize CTkToolBar::CalcBarSize(int length, DWORD flags) {
  CTkBarMeasureDC dc(this);
  CTkBarPainter* painter = GetPaintManager();
  const int caption = painter != nullptr ? painter->DrawGripper(dc.Get(), this, FALSE).cy : 15;
  const CRect borders(kFloatingEdge, caption + 4, kFloatingEdge, kFloatingEdge);
  CTkCommandBars* commandBars = GetCommandBars();
  const BOOL closeButton = m_barType != kBarMenu && m_bCloseable;
  if (closeButton) ShowOwnControl(GetCloseButton(), FALSE);
  CTkControl* expand = m_bShowExpandButton && commandBars != nullptr ? GetExpandButton() : nullptr;
  ShowOwnControl(expand, FALSE);
  CSize size = m_pControls->CalcDynamicSize(dc.Get(), length, flags, borders);
  int right = size.cx - kFloatingEdge;
  if (closeButton) {
    CTkControl* close = GetCloseButton();
    ShowOwnControl(close, TRUE);
    close->SetControlRect(CRect(right - caption, kFloatingEdge, right, caption + kFloatingEdge));
    right -= caption;
    if (expand != nullptr) expand->SetWrap(TRUE);
  }
  const BOOL always = commandBars == nullptr || commandBars->GetCommandBarsOptions()->bShowExpandButtonAlways;
  if (expand != nullptr && right - caption > 0 && always) {
    ShowOwnControl(expand, TRUE);
    expand->SetControlRect(CRect(right - caption, kFloatingEdge, right, caption + kFloatingEdge));
  }
  return size;
}

CSize CTkToolBar::CalcDockedSize(int length, DWORD flags) {
  CTkBarMeasureDC dc(this);
  CTkBarPainter* painter = GetPaintManager();
  CRect borders = painter != nullptr ? painter->GetCommandBarBorders(this) : CRect(2, 2, 2, 2);
  const BOOL horizontal = (flags & kLayoutHorzDock) != 0;
  if ((m_dwStyle & kBarStyleGripper) != 0 && painter != nullptr) {
    const CSize gripper = painter->DrawGripper(dc.Get(), this, FALSE);
    if (horizontal)
      borders.left += gripper.cx;
    else
      borders.top += gripper.cy;
  }
  ShowOwnControl(m_pControls->FindControl(kCloseButtonId), FALSE);
  CTkCommandBars* commandBars = GetCommandBars();
  if (!m_bShowExpandButton || commandBars == nullptr)
    return m_pControls->CalcDynamicSize(dc.Get(), length, flags, borders);

  CTkControl* expand = GetExpandButton();
  ShowOwnControl(expand, FALSE);
  CRect grown = borders;
  if (horizontal)
    grown.right += kExpandExtent;
  else
    grown.bottom += kExpandExtent;
  CSize size;
  if (!commandBars->GetCommandBarsOptions()->bShowExpandButtonAlways) {
    DWORD measured = flags;
    size = m_pControls->CalcDynamicSize(dc.Get(), length, measured, borders);
    if ((flags & kLayoutCommit) == 0) {
      DWORD smallest = flags;
      const CSize minimal = m_pControls->CalcDynamicSize(dc.Get(), 1, smallest, borders);
      // Room for the expand button once the bar is made smaller.
      if (m_pControls->GetVisibleCount(TRUE) > 1) {
        if (horizontal)
          size.cx = std::max(static_cast<int>(size.cx), static_cast<int>(minimal.cx) + kExpandExtent);
        else
          size.cy = std::max(static_cast<int>(size.cy), static_cast<int>(minimal.cy) + kExpandExtent);
      }
      return size;
    }
    if (!HasHiddenControls()) return size;
    size = m_pControls->CalcDynamicSize(dc.Get(), length, flags, grown);
  } else {
    size = m_pControls->CalcDynamicSize(dc.Get(), length, flags, grown);
  }
  ShowOwnControl(expand, TRUE);
  if (painter != nullptr) painter->DrawSpecialControl(dc.Get(), 0, expand, this, FALSE, &size);
  return size;
}

void CTkToolBar::OnControlsChanged() {
  if (IsFloating() && GetSafeHwnd() != nullptr) {
    const CSize size = CalcBarSize(-1, kLayoutHorizontal | kLayoutMRUWidth | kLayoutCommit);
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate(FALSE);
    return;
  }
  if (CTkCommandBars* commandBars = GetCommandBars()) commandBars->RecalcFrameLayout(FALSE);
}

void CTkToolBar::SetVisible(BOOL visible) {
  visible = visible ? TRUE : FALSE;
  if (m_bVisible == visible) return;
  CTkReferenceScope hold;
  hold.Hold(this);
  CTkCommandBars* commandBars = GetCommandBars();
  hold.Hold(commandBars);
  m_bVisible = visible;
  if (!visible) SetMenuMode(0, TRUE, FALSE);
  if (GetSafeHwnd() != nullptr) ShowWindow(visible ? SW_SHOWNOACTIVATE : SW_HIDE);
  if (m_pDockBar != nullptr && commandBars != nullptr) commandBars->RecalcFrameLayout(FALSE);
  CWnd* frame = commandBars != nullptr ? commandBars->GetFrame() : nullptr;
  if (frame != nullptr && frame->GetSafeHwnd() != nullptr)
    frame->SendMessage(WM_CMDBARS_BARVISIBLE, reinterpret_cast<WPARAM>(this), visible);
  if (m_bTearOff && !visible && commandBars != nullptr) commandBars->RemoveCommandBar(this);
}

void CTkToolBar::SetPreviewMode(BOOL preview) {
  if (preview) {
    if (m_bInPreview) return;
    m_bInPreview = TRUE;
    m_bVisibleBeforePreview = m_bVisible;
    SetVisible(FALSE);
    return;
  }
  if (!m_bInPreview) return;
  m_bInPreview = FALSE;
  if (m_bVisibleBeforePreview) SetVisible(TRUE);
  if (m_barType == kBarMenu) {
    if (CFrameWnd* frame = GetSiteFrame()) frame->DelayRecalcLayout();
  }
}

void CTkToolBar::CopyBarFrom(CTkCommandBar* source, BOOL recursive) {
  CTkCommandBar::CopyBarFrom(source, recursive);
  if (source == nullptr || !source->IsKindOf(RUNTIME_CLASS(CTkToolBar))) return;
  auto* bar = static_cast<CTkToolBar*>(source);
  m_bBuiltIn = bar->m_bBuiltIn;
  m_bTearOff = bar->m_bTearOff;
  m_bCloseable = bar->m_bCloseable;
}

void CTkToolBar::ResetToolBar() {
  if (!m_bBuiltIn || m_nBarID == 0 || !IsCustomizable()) return;
  CString format;
  format.LoadString(IDS_TK_RESET_TOOLBAR_QUESTION);
  CString question;
  question.Format(format, static_cast<LPCWSTR>(m_strTitle));
  CWnd* site = GetOwnerSite();
  if (::MessageBoxW(site != nullptr ? site->GetSafeHwnd() : nullptr, question, m_strTitle,
                    MB_OKCANCEL | MB_ICONWARNING) != IDOK)
    return;
  if (CTkControls* original = m_pControls->GetOriginalControls()) {
    original->InternalAddRef();
    m_pControls->RemoveAll();
    for (int i = 0; i < original->GetCount(); ++i)
      if (!original->GetAt(i)->IsTemporary()) m_pControls->AddClone(original->GetAt(i));
    original->InternalRelease();
  } else {
    LoadControlsFromResource(m_nBarID, FALSE);
  }
  UpdateControls(TRUE, 0);
  OnControlsChanged();
}

LRESULT CTkToolBar::OnSizeParent(WPARAM, LPARAM lParam) {
  auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  if (!m_bVisible) return 0;
  DWORD flags = (m_dwFlags & kDockStretch) != 0 ? 0x4B : 0x4A;
  if ((m_dwFlags & kDockHideWrapped) != 0) flags |= kLayoutHideWrapped;
  if (layout->hDWP == nullptr) flags &= ~kLayoutCommit;
  CRect rect(layout->rect);
  CSize size = CalcDockedSize(rect.Width(), flags);
  size.cx = std::min(static_cast<int>(size.cx), rect.Width());
  size.cy = std::min(static_cast<int>(size.cy), rect.Height());
  layout->rect.top += size.cy;
  layout->sizeTotal.cy += size.cy;
  layout->sizeTotal.cx = std::max(static_cast<int>(layout->sizeTotal.cx), static_cast<int>(size.cx));
  rect.right = rect.left + size.cx;
  rect.bottom = rect.top + size.cy;
  if (layout->hDWP != nullptr) AfxRepositionWindow(layout, m_hWnd, &rect);
  m_dwState &= ~kStateLayoutDirty;
  if (m_nRedrawLock == 0) Invalidate(FALSE);
  return 0;
}

LRESULT CTkToolBar::OnFloatStatus(WPARAM wParam, LPARAM) {
  CTkCommandBars* commandBars = GetCommandBars();
  if (!IsFloating() || !m_bVisible || GetSafeHwnd() == nullptr) return 0;
  if (commandBars != nullptr && !commandBars->GetCommandBarsOptions()->bSyncFloatingBars) return 0;
  const DWORD status = static_cast<DWORD>(wParam);
  CWnd* topParent = commandBars != nullptr ? commandBars->GetFrame() : GetOwner();
  HWND top = topParent != nullptr ? ::GetAncestor(topParent->GetSafeHwnd(), GA_ROOT) : nullptr;
  const UINT quiet = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  if ((status & FS_DEACTIVATE) != 0) {
    if (top == nullptr || ::GetActiveWindow() != top) SetWindowPos(nullptr, 0, 0, 0, 0, quiet | SWP_HIDEWINDOW);
  } else if ((status & FS_ACTIVATE) != 0) {
    HWND foreground = ::GetForegroundWindow();
    if (!IsWindowVisible() && top != nullptr && ::GetActiveWindow() == top && foreground != nullptr &&
        ::IsWindowVisible(foreground) && !::IsIconic(foreground))
      SetWindowPos(nullptr, 0, 0, 0, 0, quiet | SWP_SHOWWINDOW);
  }
  if ((status & FS_SHOW) != 0) SetWindowPos(nullptr, 0, 0, 0, 0, quiet | SWP_SHOWWINDOW);
  if ((status & FS_HIDE) != 0) SetWindowPos(nullptr, 0, 0, 0, 0, quiet | SWP_HIDEWINDOW);
  if ((status & FS_ENABLE) != 0) EnableWindow(TRUE);
  if ((status & FS_DISABLE) != 0) EnableWindow(FALSE);
  return (GetStyle() & kSyncActiveStyle) != 0 && (status & FS_SYNCACTIVE) != 0;
}

void CTkToolBar::OnLButtonDown(UINT flags, CPoint point) {
  if (IsFloating()) SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  if (m_pControls->HitTest(point) != nullptr) {
    CTkCommandBar::OnLButtonDown(flags, point);
    return;
  }
  if (CTkCommandBars* commandBars = GetCommandBars()) commandBars->CloseAllPopups();
  if (m_pDragTracker == nullptr || (m_dwFlags & (kDockTop | kDockBottom | kDockLeft | kDockRight | kDockFloating)) == 0)
    return;
  CPoint screen = point;
  ClientToScreen(&screen);
  m_pDragTracker->StartDrag(screen.x, screen.y);
}

void CTkToolBar::OnLButtonDblClk(UINT flags, CPoint point) {
  if (m_pDragTracker != nullptr && m_pControls->HitTest(point) == nullptr) {
    m_pDragTracker->ToggleDocking();
    return;
  }
  CTkCommandBar::OnLButtonDblClk(flags, point);
}

void CTkToolBar::OnNcLButtonDown(UINT hitTest, CPoint point) {
  if (m_pDragTracker == nullptr || hitTest < HTLEFT || hitTest > HTBOTTOMRIGHT) {
    CTkCommandBar::OnNcLButtonDown(hitTest, point);
    return;
  }
  if (CWnd* top = GetTopLevelParent()) top->SetActiveWindow();
  SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  if (CTkCommandBars* commandBars = GetCommandBars()) commandBars->CloseAllPopups();
  m_pDragTracker->StartResize(static_cast<int>(hitTest), point.x, point.y);
}

void CTkToolBar::OnRButtonDown(UINT flags, CPoint point) {
  CTkCommandBars* commandBars = GetCommandBars();
  if (IsCustomizeMode() || commandBars == nullptr) {
    CTkCommandBar::OnRButtonDown(flags, point);
    return;
  }
  SetMenuMode(0, TRUE, FALSE);
  SetHighlightedControl(-1, FALSE);
  Invalidate(FALSE);
  CPoint screen = point;
  ClientToScreen(&screen);
  commandBars->ShowToolbarsContextMenu(0, screen.x, screen.y);
}

LRESULT CTkToolBar::OnNcHitTest(CPoint point) {
  if (!IsFloating()) return CTkCommandBar::OnNcHitTest(point);
  CRect window;
  GetWindowRect(&window);
  if (point.y < window.top + kFloatingEdge) return HTTOP;
  if (point.y >= window.bottom - kFloatingEdge) return HTBOTTOM;
  if (point.x < window.left + kFloatingEdge) return HTLEFT;
  if (point.x >= window.right - kFloatingEdge) return HTRIGHT;
  return CTkCommandBar::OnNcHitTest(point);
}

int CTkToolBar::OnMouseActivate(CWnd*, UINT, UINT) {
  if (IsFloating() || IsCustomizeMode()) return MA_NOACTIVATE;
  return static_cast<int>(Default());
}

void CTkToolBar::FillExpandPopup(CTkPopupBar* popup) {
  CTkCommandBars* commandBars = GetCommandBars();
  if (commandBars == nullptr) return;
  commandBars->AddRowHiddenControls(this, popup);
  if (!commandBars->IsCustomizeAllowed() && !commandBars->IsQuickCustomizeMode()) return;
  const BOOL beginGroup = popup->GetControlCount() > 1;
  CTkControl* addRemove = popup->GetControls()->Add(kControlPopup, 0);
  if (addRemove == nullptr) return;
  CString caption;
  caption.LoadString(IDS_TK_ADD_REMOVE_BUTTONS);
  addRemove->SetCaption(caption);
  addRemove->SetBeginGroup(beginGroup);
  CTkCommandBar* entries = addRemove->GetCommandBar();
  if (entries != nullptr && entries->IsKindOf(RUNTIME_CLASS(CTkPopupBar)))
    commandBars->AddRowCustomizeEntries(this, static_cast<CTkPopupBar*>(entries));
}

CTkControlToolBarExpand::CTkControlToolBarExpand() : CTkControlPopup(kControlButtonPopup) {
  // Its state is the bar's: no command handler enables it.
  m_nFlags |= kFlagNotCustomizable | kFlagNoUpdate;
  m_strTooltipText = L"\nToolbar Options";
}

void CTkControlToolBarExpand::Draw(CDC* pDC) {
  CTkCommandBar* bar = GetParent();
  CTkBarPainter* painter = bar != nullptr ? bar->GetPaintManager() : nullptr;
  if (painter == nullptr) return;
  BOOL hidden = bar->IsKindOf(RUNTIME_CLASS(CTkToolBar)) && static_cast<CTkToolBar*>(bar)->HasHiddenControls();
  painter->DrawSpecialControl(pDC, bar->GetPosition() == kBarFloating ? 3 : 0, this, bar, TRUE, &hidden);
}

BOOL CTkControlToolBarExpand::SetPopuped(BOOL popuped) {
  CTkCommandBar* bar = GetParent();
  if (popuped && bar != nullptr && bar->IsKindOf(RUNTIME_CLASS(CTkToolBar))) {
    CTkCommandBars* commandBars = bar->GetCommandBars();
    CTkCommandBar* supplied = nullptr;
    BarCreateInfo info;
    info.bPopupBar = TRUE;
    CWnd* site = bar->GetOwnerSite();
    if (site != nullptr && site->GetSafeHwnd() != nullptr &&
        site->SendMessage(WM_CMDBARS_CREATEBAR, 0, reinterpret_cast<LPARAM>(&info)) != 0)
      supplied = info.pCommandBar;
    CTkCommandBar* popup = supplied != nullptr ? supplied : CTkPopupBar::CreateForCommandBars(commandBars);
    if (popup == nullptr || !popup->IsKindOf(RUNTIME_CLASS(CTkPopupBar))) return FALSE;
    popup->SetCustomizable(FALSE);
    SetCommandBar(popup);
    popup->InternalRelease();
    static_cast<CTkToolBar*>(bar)->FillExpandPopup(static_cast<CTkPopupBar*>(popup));
  }
  return CTkControlPopup::SetPopuped(popuped);
}

CTkControlToolBarClose::CTkControlToolBarClose() {
  m_nFlags |= kFlagNotCustomizable | kFlagNoUpdate;
  m_strTooltipText = L"\nClose";
}

void CTkControlToolBarClose::Draw(CDC* pDC) {
  CTkCommandBar* bar = GetParent();
  if (CTkBarPainter* painter = bar != nullptr ? bar->GetPaintManager() : nullptr)
    painter->DrawSpecialControl(pDC, 2, this, bar, TRUE, nullptr);
}

void CTkControlToolBarClose::ExecuteCommand() {
  CTkCommandBar* bar = GetParent();
  if (bar == nullptr) return;
  CTkReferenceScope hold;
  hold.Hold(this);
  hold.Hold(bar);
  bar->SetVisible(FALSE);
}
