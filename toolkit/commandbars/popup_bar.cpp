#include "popup_bar.h"

#include <cstdlib>

#include "bar_painter.h"
#include "keyboard_shortcuts.h"
#include "command_bars.h"
#include "draw_helpers.h"
#include "menu_sound_player.h"
#include "popup_shadows.h"
#include "reference_scope.h"

IMPLEMENT_DYNCREATE(CTkPopupBar, CTkCommandBar)
IMPLEMENT_DYNCREATE(CTkPopupToolBar, CTkPopupBar)
IMPLEMENT_DYNCREATE(CTkControlExpandButton, CTkControlButton)

CRuntimeClass* PopupBarClass = RUNTIME_CLASS(CTkPopupBar);

namespace {

const DWORD kPopupWindowStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | 0x100;

CTkMouseTracker* TrackerOf(const CTkCommandBar* bar) {
  CTkCommandBars* commandBars = bar->GetCommandBars();
  return commandBars != nullptr ? commandBars->GetMouseTracker() : GetMouseTracker();
}

void UpdateWindowOf(CWnd* window) {
  if (window != nullptr && window->GetSafeHwnd() != nullptr) window->UpdateWindow();
}

}  // namespace

CTkPopupBar::CTkPopupBar() {
  m_barType = kBarPopup;
  m_barPosition = kBarPopupPosition;
  m_nMRUWidth = 0;
}

CTkPopupBar::~CTkPopupBar() {
  if (m_nMenuMode != 0) SetMenuMode(0, TRUE, FALSE);
  if (GetSafeHwnd() != nullptr) DestroyWindow();
}

CTkPopupBar* CTkPopupBar::CreateForCommandBars(CTkCommandBars* commandBars) {
  CRuntimeClass* popupClass = PopupBarClass != nullptr ? PopupBarClass : RUNTIME_CLASS(CTkPopupBar);
  if (!popupClass->IsDerivedFrom(RUNTIME_CLASS(CTkPopupBar))) return nullptr;
  auto* popup = static_cast<CTkPopupBar*>(popupClass->CreateObject());
  if (popup != nullptr) popup->SetCommandBars(commandBars);
  return popup;
}

CTkPopupToolBar::CTkPopupToolBar() { m_barType = kBarTool; }

CTkPopupToolBar* CTkPopupToolBar::CreateForCommandBars(CTkCommandBars* commandBars) {
  auto* popup = new CTkPopupToolBar;
  popup->SetCommandBars(commandBars);
  return popup;
}

CTkCommandBar* CTkPopupBar::GetParentBar() const {
  return m_pOpeningControl != nullptr ? m_pOpeningControl->GetParent() : nullptr;
}

BOOL CTkPopupBar::CreatePopupWindow() {
  CWnd* site = GetOwnerSite();
  DWORD exStyle = WS_EX_TOOLWINDOW;
  CTkCommandBars* commandBars = GetCommandBars();
  if (commandBars != nullptr ? commandBars->IsLayoutRTL() : GetRootBar()->IsLayoutRTL()) exStyle |= WS_EX_LAYOUTRTL;
  LPCWSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS | CS_SAVEBITS, ::LoadCursorW(nullptr, IDC_ARROW));
  return CreateEx(exStyle, windowClass, L"", kPopupWindowStyle, CRect(0, 0, 0, 0),
                  site != nullptr && site->GetSafeHwnd() != nullptr ? site : nullptr, 0);
}

BOOL CTkPopupBar::QueryReserved(WPARAM wParam, LPARAM lParam) {
  return Popup(reinterpret_cast<CTkControl*>(wParam), static_cast<BOOL>(lParam));
}

BOOL CTkPopupBar::PopupAt(int x, int y, LPCRECT exclusion) {
  m_ptOrigin = CPoint(x, y);
  m_rcExclusion = exclusion != nullptr ? CRect(*exclusion) : CRect(0, 0, 0, 0);
  return Popup(nullptr, FALSE);
}

BOOL CTkPopupBar::Popup(CTkControl* control, BOOL selectFirst) {
  CTkReferenceScope hold;
  hold.Hold(this);
  m_pOpeningControl = control;
  if (GetSafeHwnd() == nullptr && !CreatePopupWindow()) return FALSE;
  RaiseRedrawLock();
  CWnd* site = GetOwnerSite();
  if (site != nullptr && site->GetSafeHwnd() != nullptr)
    site->SendMessage(WM_CMDBARS_POPUPSHOWING, 0, reinterpret_cast<LPARAM>(this));
  m_bTearOffHot = FALSE;
  m_bHasHiddenItems = FALSE;
  m_bExpanded = IsCustomizeMode() || TrackerOf(this)->m_bExpanded;

  UpdateLocation(control);
  const CSize size = CalcBarSize();
  const CRect rect = PlaceForSize(size);
  const BOOL wasVisible = IsWindowVisible();
  m_screenUnder.DeleteObject();
  if (!wasVisible && GetAnimationType() == 4) {
    // The window's own DC reads black once it shows: keep the screen now.
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, rect.Width(), rect.Height());
    if (memory != nullptr && bitmap != nullptr) {
      HGDIOBJ previous = ::SelectObject(memory, bitmap);
      ::BitBlt(memory, 0, 0, rect.Width(), rect.Height(), screen, rect.left, rect.top, SRCCOPY);
      ::SelectObject(memory, previous);
      m_screenUnder.Attach(bitmap);
    } else if (bitmap != nullptr) {
      ::DeleteObject(bitmap);
    }
    if (memory != nullptr) ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
  }
  // Shown again: the old shadows go, new ones follow the new place.
  GetPopupShadows().RemoveShadows(m_hWnd);
  SetWindowPos(wasVisible ? nullptr : &CWnd::wndTopMost, rect.left, rect.top, rect.Width(), rect.Height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW | (wasVisible ? SWP_NOZORDER : 0));

  CTkCommandBar* parent = control != nullptr ? control->GetParent() : nullptr;
  if (control != nullptr && (parent == nullptr || parent->GetSafeHwnd() == nullptr)) {
    LowerRedrawLock();
    DestroyWindow();
    return FALSE;
  }
  SetMenuMode(1, selectFirst, FALSE);
  m_dwState &= ~(kStateControlsChanged | kStateLayoutDirty);
  UpdateControls(TRUE, 0);
  if (GetSafeHwnd() != nullptr) {
    PlayOpeningAnimation();
    GetMenuSoundPlayer().Play(CTkMenuSoundPlayer::kMenuPopup);
    if (m_bShowShadow) GetPopupShadows().AddBarShadows(this, &m_rcExclusion);
  }
  LowerRedrawLock();
  return TRUE;
}

int CTkPopupBar::GetAnimationType() const {
  CTkCommandBars* commandBars = GetCommandBars();
  if (commandBars == nullptr) return 5;
  if (GetSafeHwnd() != nullptr && ::GetWindow(m_hWnd, GW_CHILD) != nullptr) return 5;
  const int option = commandBars->GetCommandBarsOptions()->nAnimationType;
  if (option == 0) {
    BOOL animation = FALSE;
    if (!::SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &animation, 0) || !animation) return 5;
    BOOL fade = FALSE;
    if (::SystemParametersInfoW(SPI_GETMENUFADE, 0, &fade, 0) && fade) return 4;
    return 3;
  }
  if (option == 1) {
    static const int kRandom[] = {4, 3, 2};
    return kRandom[std::rand() % 3];
  }
  return option >= 2 && option <= 4 ? option : 5;
}

void CTkPopupBar::PlayOpeningAnimation() {
  CTkCommandBar* parent = GetParentBar();
  if (parent != nullptr && !parent->IsEnteredByMouse()) return;
  if (IsCustomizeMode() || ::GetWindow(m_hWnd, GW_CHILD) != nullptr) return;
  const int type = GetAnimationType();
  if (type >= 2 && type <= 4) {
    CTkBarPainter* painter = GetPaintManager();
    if (parent != nullptr) UpdateWindowOf(parent);
    UpdateWindowOf(GetOwnerSite());
    const CTkClientBounds client(this);
    CDC* windowDC = GetDC();
    if (painter != nullptr && windowDC != nullptr) {
      CDC image;
      CBitmap bitmap;
      if (image.CreateCompatibleDC(windowDC) &&
          bitmap.CreateCompatibleBitmap(windowDC, client.Width(), client.Height())) {
        CBitmap* previous = image.SelectObject(&bitmap);
        DrawBar(&image);
        if (type == 4 && m_screenUnder.GetSafeHandle() != nullptr) {
          CTkMemoryBitmapDC under(windowDC, static_cast<HBITMAP>(m_screenUnder.GetSafeHandle()));
          windowDC->BitBlt(0, 0, client.Width(), client.Height(), &under, 0, 0, SRCCOPY);
        }
        painter->AnimatePopup(windowDC, &image, client, type);
        windowDC->BitBlt(0, 0, client.Width(), client.Height(), &image, 0, 0, SRCCOPY);
        image.SelectObject(previous);
      }
    }
    if (windowDC != nullptr) ReleaseDC(windowDC);
    ValidateRect(nullptr);
  }
  m_screenUnder.DeleteObject();
  if (parent != nullptr) parent->SetEnteredByMouse(FALSE);
}

void CTkPopupBar::PlayExpandAnimation(const CRect& oldRect) {
  const int type = GetAnimationType();
  CTkBarPainter* painter = GetPaintManager();
  if (type < 2 || type > 4 || painter == nullptr) return;
  CRect now;
  GetWindowRect(&now);
  const CTkClientBounds client(this);
  CDC* windowDC = GetDC();
  if (windowDC == nullptr) return;
  CDC image;
  CBitmap bitmap;
  if (image.CreateCompatibleDC(windowDC) && bitmap.CreateCompatibleBitmap(windowDC, client.Width(), client.Height())) {
    CBitmap* previous = image.SelectObject(&bitmap);
    DrawBar(&image);
    painter->AnimateExpandedPopup(this, windowDC, &image, now.bottom > oldRect.bottom);
    windowDC->BitBlt(0, 0, client.Width(), client.Height(), &image, 0, 0, SRCCOPY);
    image.SelectObject(previous);
    ValidateRect(nullptr);
  }
  ReleaseDC(windowDC);
}

void CTkPopupBar::Relayout() {
  if (m_bInLayout || GetSafeHwnd() == nullptr || m_nMenuMode == 0) return;
  CTkReferenceScope hold;
  hold.Hold(this);
  UpdateShortcuts();
  UpdateLocation(m_pOpeningControl);
  CRect oldRect;
  GetWindowRect(&oldRect);
  const CSize size = CalcBarSize();
  const CRect rect = PlaceForSize(size);
  if (m_bAnimate) {
    ShowWindow(SW_HIDE);
    UpdateWindowOf(GetOwnerSite());
  }
  SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
               SWP_NOACTIVATE | SWP_NOZORDER | SWP_SHOWWINDOW);
  GetPopupShadows().RemoveShadows(m_hWnd);
  if (m_bShowShadow) GetPopupShadows().AddBarShadows(this, &m_rcExclusion);
  if (m_bAnimate) {
    PlayExpandAnimation(oldRect);
    GetMenuSoundPlayer().Play(CTkMenuSoundPlayer::kMenuPopup);
  }
  if (m_pOpeningControl != nullptr && m_pOpeningControl->IsKindOf(RUNTIME_CLASS(CTkControlPopup)))
    static_cast<CTkControlPopup*>(m_pOpeningControl)->OnPopupOpened();
  if (m_nRedrawLock == 0) {
    m_dwState &= ~kStateLayoutDirty;
    Invalidate(FALSE);
  }
  m_bAnimate = FALSE;
}

BOOL CTkPopupBar::DestroyWindow() {
  if (GetSafeHwnd() == nullptr || m_bDestroying) return FALSE;
  m_bDestroying = TRUE;
  KillTimer(kScrollDownTimer);
  KillTimer(kScrollUpTimer);
  KillTimer(kTearOffTimer);
  KillTimer(kExpandButtonTimer);
  m_bScrollDownTimer = m_bScrollUpTimer = m_bTearOffTimer = FALSE;
  // Hosted windows belong to their controls and outlive the popup.
  CWnd* site = GetOwnerSite();
  const HWND hSite = site != nullptr ? site->GetSafeHwnd() : nullptr;
  HWND child = ::GetWindow(m_hWnd, GW_CHILD);
  while (child != nullptr) {
    const HWND next = ::GetWindow(child, GW_HWNDNEXT);
    ::ShowWindow(child, SW_HIDE);
    ::SetParent(child, hSite);
    child = next;
  }
  const BOOL destroyed = CTkCommandBar::DestroyWindow();
  m_bDestroying = FALSE;
  return destroyed;
}

BOOL CTkPopupBar::SetMenuMode(int mode, BOOL selectFirst, BOOL byKeyboard) {
  CTkReferenceScope hold;
  hold.Hold(this);
  if (!CTkCommandBar::SetMenuMode(mode, selectFirst, byKeyboard)) return FALSE;
  if (mode != 0) {
    CTkMsaaSupport::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
  } else {
    CTkMsaaSupport::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
    GetPopupShadows().RemoveShadows(m_hWnd);
    DestroyWindow();
    if (CTkCommandBar* parent = GetParentBar()) parent->SetPopupControl(-1, FALSE);
    CWnd* site = GetOwnerSite();
    if (site != nullptr && site->GetSafeHwnd() != nullptr)
      site->SendMessage(WM_CMDBARS_POPUPCLOSED, 0, reinterpret_cast<LPARAM>(this));
    ::Sleep(1);
    m_pOpeningControl = nullptr;
  }
  UpdateWindowOf(GetOwnerSite());
  return TRUE;
}

BOOL CTkPopupBar::SetHighlightedControl(int index, BOOL byKeyboard) {
  if (!CTkCommandBar::SetHighlightedControl(index, byKeyboard)) return FALSE;
  CTkControl* hot = GetControl(index);
  CTkCommandBars* commandBars = GetCommandBars();
  const BOOL delay = commandBars != nullptr && commandBars->GetCommandBarsOptions()->bShowFullAfterDelay;
  if (GetSafeHwnd() != nullptr) {
    if (hot != nullptr && hot->GetID() == kExpandButtonId && !byKeyboard && delay)
      SetTimer(kExpandButtonTimer, kExpandButtonDelay, nullptr);
    else
      KillTimer(kExpandButtonTimer);
  }
  if (m_bScrolling && hot != nullptr && (hot->GetHideFlags() & kHideScrolled) != 0 && GetSafeHwnd() != nullptr) {
    const CTkClientBounds client(this);
    if (index < m_nLastVisible) {
      m_nFirstVisible = index;
      LayoutScrolled(client.Size(), FALSE, TRUE);
    } else {
      m_nLastVisible = index + 1;
      LayoutScrolled(client.Size(), TRUE, TRUE);
    }
  }
  return TRUE;
}

int CTkPopupBar::ProcessKey(UINT key, LPARAM lParam) {
  if (m_bHasHiddenItems && key == VK_DOWN) {
    if (::GetKeyState(VK_CONTROL) < 0) {
      ExpandBar();
      return 1;
    }
    const int next = m_pControls->GetNextIndex(m_nHotControl, 1, TRUE, FALSE, TRUE);
    if (m_nHotControl != -1 && next != -1 && next <= m_nHotControl) {
      ExpandBar();
      return 1;
    }
  }
  return CTkCommandBar::ProcessKey(key, lParam);
}

void CTkPopupBar::UpdateShortcuts() {
  CTkCommandBars* commandBars = GetCommandBars();
  if (commandBars == nullptr || !commandBars->GetCommandBarsOptions()->bPopupOption) return;
  CTkKeyboardShortcuts* shortcuts = commandBars->GetKeyboardShortcuts();
  if (shortcuts == nullptr) return;
  for (int i = 0; i < GetControlCount(); ++i) {
    CTkControl* control = GetControl(i);
    if (!control->IsVisible() || control->GetID() == 0) continue;
    CString text = control->GetAutoShortcutText();
    shortcuts->FindAcceleratorText(control->GetID(), text);
    control->SetAutoShortcutText(text);
  }
}

void CTkPopupBar::ResetTrackingIndices() {
  CTkCommandBar::ResetTrackingIndices();
  Relayout();
}

void CTkPopupBar::CopyBarFrom(CTkCommandBar* source, BOOL recursive) {
  CTkCommandBar::CopyBarFrom(source, recursive);
  if (source == nullptr || source == this || !source->IsKindOf(RUNTIME_CLASS(CTkPopupBar))) return;
  auto* popup = static_cast<CTkPopupBar*>(source);
  m_bTearOff = popup->m_bTearOff;
  m_strTearOffCaption = popup->m_strTearOffCaption;
  m_nTearOffId = popup->m_nTearOffId;
  m_nTearOffWidth = popup->m_nTearOffWidth;
  m_bShowShadow = popup->m_bShowShadow;
  m_rcBorders = popup->m_rcBorders;
  m_bDoubleGripper = popup->m_bDoubleGripper;
}

void CTkPopupBar::DrawBar(CDC* pDC) {
  CTkCommandBar::DrawBar(pDC);
  CTkBarPainter* painter = GetPaintManager();
  if (painter == nullptr) return;
  if (m_bScrolling) {
    const COLORREF color = GetGlobalSettings().m_colors[COLOR_BTNTEXT];
    if (!m_rcScrollDown.IsRectEmpty()) {
      const int c = m_rcScrollDown.CenterPoint().x;
      const int m = m_rcScrollDown.CenterPoint().y - 1;
      CTkBarPainter::FillTriangle(pDC, CPoint(c - 3, m), CPoint(c + 3, m), CPoint(c, m + 3), color);
    }
    if (!m_rcScrollUp.IsRectEmpty()) {
      const int c = m_rcScrollUp.CenterPoint().x;
      const int m = m_rcScrollUp.CenterPoint().y + 1;
      CTkBarPainter::FillTriangle(pDC, CPoint(c - 3, m), CPoint(c + 3, m), CPoint(c, m - 3), color);
    }
  }
  if (m_bTearOff && GetControlCount() > 0) painter->DrawTearOffStrip(pDC, m_rcTearOff, m_bTearOffHot, TRUE);
}

void CTkPopupBar::OnPopupMouseMove(CPoint point) {
  CTkCommandBar* parent = GetParentBar();
  if (parent != nullptr && m_pOpeningControl != nullptr && parent->GetHotIndex() != m_pOpeningControl->GetIndex())
    parent->SetHighlightedControl(m_pOpeningControl->GetIndex(), FALSE);
  if (m_bScrolling) {
    const BOOL overDown = m_rcScrollDown.PtInRect(point);
    if (overDown && !m_bScrollDownTimer) {
      SetPopupControl(-1, FALSE);
      SetTimer(kScrollDownTimer, kScrollPeriod, nullptr);
      m_bScrollDownTimer = TRUE;
    } else if (!overDown && m_bScrollDownTimer) {
      KillTimer(kScrollDownTimer);
      m_bScrollDownTimer = FALSE;
    }
    const BOOL overUp = m_rcScrollUp.PtInRect(point);
    if (overUp && !m_bScrollUpTimer) {
      SetPopupControl(-1, FALSE);
      SetTimer(kScrollUpTimer, kScrollPeriod, nullptr);
      m_bScrollUpTimer = TRUE;
    } else if (!overUp && m_bScrollUpTimer) {
      KillTimer(kScrollUpTimer);
      m_bScrollUpTimer = FALSE;
    }
  }
  if (m_bTearOff && !IsCustomizeMode() && !m_bTearOffHot && m_rcTearOff.PtInRect(point)) {
    SetHighlightedControl(-1, FALSE);
    SetPopupControl(-1, FALSE);
    if (!m_bTearOffTimer) {
      SetTimer(kTearOffTimer, kScrollPeriod, nullptr);
      m_bTearOffTimer = TRUE;
    }
    OnPopupTimer(kTearOffTimer);
  }
}

void CTkPopupBar::OnPopupTimer(UINT_PTR id) {
  const CTkClientBounds client(this);
  switch (id) {
    case kScrollDownTimer:
      if (m_nLastVisible >= GetControlCount()) {
        KillTimer(kScrollDownTimer);
        m_bScrollDownTimer = FALSE;
        return;
      }
      ++m_nLastVisible;
      LayoutScrolled(client.Size(), TRUE, TRUE);
      return;
    case kScrollUpTimer:
      if (m_nFirstVisible <= 0) {
        KillTimer(kScrollUpTimer);
        m_bScrollUpTimer = FALSE;
        return;
      }
      --m_nFirstVisible;
      LayoutScrolled(client.Size(), FALSE, TRUE);
      return;
    case kTearOffTimer: {
      const CTkClientCursorPos cursor(this);
      const BOOL inside = m_rcTearOff.PtInRect(cursor);
      if (inside && !m_bTearOffHot) {
        m_bTearOffHot = TRUE;
        Invalidate(FALSE);
      } else if (!inside && !m_bTearing) {
        if (m_bTearOffHot) {
          m_bTearOffHot = FALSE;
          Invalidate(FALSE);
        }
        KillTimer(kTearOffTimer);
        m_bTearOffTimer = FALSE;
      }
      return;
    }
    case kExpandButtonTimer: {
      KillTimer(kExpandButtonTimer);
      CTkControl* hot = GetControl(m_nHotControl);
      if (hot != nullptr && hot->GetID() == kExpandButtonId) hot->ExecuteCommand();
      return;
    }
    default:
      return;
  }
}

BOOL CTkPopupBar::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT ignored = 0;
  LRESULT& result = pResult != nullptr ? *pResult : ignored;
  switch (message) {
    case WM_MOUSEACTIVATE:
      result = MA_NOACTIVATE;
      return TRUE;
    case WM_NCACTIVATE:
      if (wParam != 0) {
        result = 0;
        return TRUE;
      }
      break;
    case WM_MOUSEMOVE:
      if (m_lockCount > 0) return TRUE;
      {
        CTkReferenceScope hold;
        hold.Hold(this);
        OnPopupMouseMove(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        if (GetSafeHwnd() == nullptr) return TRUE;
      }
      break;
    case WM_LBUTTONDOWN: {
      const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      if (m_bTearOff && !IsCustomizeMode() && m_rcTearOff.PtInRect(point)) {
        CTkReferenceScope hold;
        hold.Hold(this);
        TearOff(point);
        if (GetSafeHwnd() == nullptr) return TRUE;
      }
      break;
    }
    case WM_TIMER:
      if (wParam >= kScrollDownTimer && wParam <= kExpandButtonTimer) {
        CTkReferenceScope hold;
        hold.Hold(this);
        OnPopupTimer(wParam);
        return TRUE;
      }
      break;
    default:
      break;
  }
  return CTkCommandBar::OnWndMsg(message, wParam, lParam, pResult);
}

CTkControlExpandButton::CTkControlExpandButton() {
  m_nFlags = 0x5A;
  m_nId = CTkPopupBar::kExpandButtonId;
}

CSize CTkControlExpandButton::GetSize(CDC* pDC) {
  CTkBarPainter* painter = GetPaintManager();
  return painter != nullptr ? painter->DrawSpecialControl(pDC, 1, this, m_pParent, FALSE, nullptr) : CSize(0, 12);
}

void CTkControlExpandButton::Draw(CDC* pDC) {
  if (CTkBarPainter* painter = GetPaintManager()) painter->DrawSpecialControl(pDC, 1, this, m_pParent, TRUE, nullptr);
}

void CTkControlExpandButton::ExecuteCommand() {
  if (m_pParent != nullptr && m_pParent->IsKindOf(RUNTIME_CLASS(CTkPopupBar)))
    static_cast<CTkPopupBar*>(m_pParent)->ExpandBar();
}
