#include "tip_context.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "color_scheme.h"
#include "tip_window.h"
#include "ux_theme.h"

namespace {

LPWSTR CopyText(LPCWSTR text) {
  if (text == nullptr) return nullptr;
  const size_t length = std::wcslen(text) + 1;
  auto* copy = static_cast<LPWSTR>(std::malloc(length * sizeof(wchar_t)));
  if (copy != nullptr) std::memcpy(copy, text, length * sizeof(wchar_t));
  return copy;
}

BOOL IsClientMouseMessage(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST; }

BOOL AnyMouseButtonDown() {
  return ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0;
}

BOOL IsHidingMessage(UINT message) {
  if (message >= WM_KEYFIRST && message <= WM_KEYLAST) return TRUE;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
      return TRUE;
    default:
      return FALSE;
  }
}

// The first window from this one up that is not a child.
HWND TopOfChildren(HWND hWnd) {
  while (hWnd != nullptr && (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) != 0) hWnd = ::GetParent(hWnd);
  return hWnd;
}

// The window's top-level window is the active one (its last active popup
// is in the foreground).
BOOL IsTopLevelActive(HWND hWnd) {
  HWND top = TopOfChildren(hWnd);
  while (top != nullptr && ::GetWindow(top, GW_OWNER) != nullptr) top = ::GetWindow(top, GW_OWNER);
  return top != nullptr && ::GetLastActivePopup(top) == ::GetForegroundWindow();
}

}  // namespace

void FillToolInfo(TTTOOLINFOW* info, HWND window, int left, int top, int right, int bottom, UINT_PTR id,
                  LPCWSTR text, LPCWSTR title, LPCWSTR description) {
  if (info == nullptr || info->cbSize < kToolInfoSize) return;
  info->hwnd = window;
  info->uId = id;
  info->rect = {left, top, right, bottom};
  info->lpszText = CopyText(text != nullptr ? text : L"");
  if (info->cbSize != kExtendedToolInfoSize || info->lParam == 0) return;
  if (title == nullptr || *title == 0 || description == nullptr || *description == 0) return;
  auto* block = reinterpret_cast<TipTextBlock*>(info->lParam);
  block->description = CopyText(description);
  block->title = CopyText(title);
}

CTkTipContext::CTkTipContext() {
  ::LoadLibraryW(L"riched20.dll");
  m_commonControlsVersion = ReadCommonControlsVersion();
  m_maxTipWidth = ::GetSystemMetrics(SM_CXSCREEN) / 2;
  std::memset(&m_lastTool, 0, sizeof m_lastTool);
}

CTkTipContext::~CTkTipContext() { DestroyTipWindow(); }

COLORREF CTkTipContext::GetBackgroundColor() const {
  return m_backgroundColor != static_cast<COLORREF>(-1) ? m_backgroundColor : GetColorScheme()->GetColor(COLOR_INFOBK);
}

COLORREF CTkTipContext::GetTextColor() const {
  return m_textColor != static_cast<COLORREF>(-1) ? m_textColor : GetColorScheme()->GetColor(COLOR_INFOTEXT);
}

CWnd* CTkTipContext::CreateTipWindow(CWnd* ownerFrame) {
  if (m_tipKind == kSystemTip || m_tipKind == kBalloonTip) {
    auto* tip = new CTkToolTipCtrl;
    DWORD style = m_tipStyle | TTS_ALWAYSTIP;
    if (m_tipKind == kBalloonTip) style |= TTS_BALLOON;
    if (!tip->Create(ownerFrame, style)) {
      delete tip;
      return nullptr;
    }
    return tip;
  }
  CTkTipWindow* tip = nullptr;
  if (m_tipKind == kGradientTip)
    tip = new CTkTipWindowGradient(this);
  else if (m_tipKind == kRichTip)
    tip = new CTkTipWindowRich(this);
  else
    tip = new CTkTipWindow(this);
  if (!tip->CreateFor(ownerFrame, m_tipStyle)) {
    delete tip;
    return nullptr;
  }
  return tip;
}

void CTkTipContext::DestroyTipWindow() {
  CWnd* tip = m_pTipWindow;
  m_pTipWindow = nullptr;
  m_hOwnerFrame = nullptr;
  m_bTitleShown = FALSE;
  std::memset(&m_lastTool, 0, sizeof m_lastTool);
  if (tip == nullptr) return;
  // The toolkit's windows delete themselves; the system control is ours.
  const BOOL own = dynamic_cast<CTkTipWindow*>(tip) == nullptr;
  if (tip->GetSafeHwnd() != nullptr) tip->DestroyWindow();
  if (own) delete tip;
}

LRESULT CTkTipContext::SendToTip(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pTipWindow == nullptr || m_pTipWindow->GetSafeHwnd() == nullptr) return 0;
  return ::SendMessageW(m_pTipWindow->GetSafeHwnd(), message, wParam, lParam);
}

void CTkTipContext::ModifyTipStyle(DWORD remove, DWORD add) {
  const DWORD style = (m_tipStyle | add) & ~remove;
  if (style == m_tipStyle) return;
  m_tipStyle = style;
  DestroyTipWindow();
}

void CTkTipContext::HideTip() { SendToTip(TTM_ACTIVATE, FALSE); }

void CTkTipContext::ConfigureTipWindow() {
  SendToTip(TTM_SETMAXTIPWIDTH, 0, m_maxTipWidth);
  SendToTip(TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&m_margins));
  if (m_backgroundColor != static_cast<COLORREF>(-1)) SendToTip(TTM_SETTIPBKCOLOR, m_backgroundColor);
  if (m_textColor != static_cast<COLORREF>(-1)) SendToTip(TTM_SETTIPTEXTCOLOR, m_textColor);
  if (m_reshowDelay != -1) SendToTip(TTM_SETDELAYTIME, TTDT_RESHOW, m_reshowDelay);
  if (m_initialDelay != -1) SendToTip(TTM_SETDELAYTIME, TTDT_INITIAL, m_initialDelay);
  if (m_autoPopDelay != -1) SendToTip(TTM_SETDELAYTIME, TTDT_AUTOPOP, m_autoPopDelay);
  SendToTip(TTM_ACTIVATE, FALSE);
}

void CTkTipContext::RelayMouseMessage(CWnd* window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == nullptr || window->GetSafeHwnd() == nullptr) return;
  MSG msg = {};
  msg.hwnd = window->GetSafeHwnd();
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  ::GetCursorPos(&msg.pt);
  Filter(msg, window, TRUE);
}

void CTkTipContext::Filter(const MSG& msg, CWnd* owner, BOOL fromOwner) {
  const UINT message = msg.message;
  const BOOL mouse = message == WM_NCMOUSEMOVE || message == WM_MOUSEMOVE || message == WM_LBUTTONUP ||
                     message == WM_RBUTTONUP || message == WM_MBUTTONUP;
  const BOOL hiding = IsHidingMessage(message);
  if (!(mouse && !AnyMouseButtonDown()) && !hiding) return;
  if (!fromOwner) {
    // The nearest window that shows tips must be the owner.
    HWND hWnd = msg.hwnd;
    for (; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
      CWnd* window = CWnd::FromHandlePermanent(hWnd);
      if (window != nullptr && (window->m_nFlags & (WF_TOOLTIPS | WF_TRACKINGTOOLTIPS)) != 0) break;
    }
    if (hWnd != owner->GetSafeHwnd()) return;
  }
  if (hiding) {
    HideTip();
    return;
  }
  OnMouseMessage(msg, owner);
}

void CTkTipContext::FreeCopies(TTTOOLINFOW& info) {
  if (info.lpszText != LPSTR_TEXTCALLBACKW && info.lpszText != nullptr) std::free(info.lpszText);
  info.lpszText = nullptr;
}

void CTkTipContext::OnMouseMessage(const MSG& msg, CWnd* owner) {
  const HWND hOwner = owner->GetSafeHwnd();
  if (m_pTipWindow != nullptr && m_pTipWindow->IsWindowVisible() && !IsTopLevelActive(hOwner)) {
    HideTip();
    return;
  }
  HWND frame = TopOfChildren(hOwner);
  if (m_pTipWindow != nullptr && m_hOwnerFrame != frame) DestroyTipWindow();
  if (m_pTipWindow == nullptr) {
    m_pTipWindow = CreateTipWindow(CWnd::FromHandle(frame));
    if (m_pTipWindow == nullptr) return;
    m_hOwnerFrame = frame;
    ConfigureTipWindow();
  }

  TTTOOLINFOW info;
  std::memset(&info, 0, sizeof info);
  info.cbSize = m_bExtendedTips ? kExtendedToolInfoSize : kToolInfoSize;
  TipTextBlock block = {nullptr, nullptr};
  if (m_bExtendedTips) info.lParam = reinterpret_cast<LPARAM>(&block);
  POINT cursor = msg.pt;
  POINT client = cursor;
  ::ScreenToClient(hOwner, &client);
  const INT_PTR hit = owner->OnToolHitTest(client, &info);
  auto freeAll = [&] {
    FreeCopies(info);
    std::free(block.description);
    std::free(block.title);
    block = {nullptr, nullptr};
  };

  const BOOL sameId = m_lastTool.cbSize != 0 && info.hwnd == m_lastTool.hwnd && info.uId == m_lastTool.uId;
  if (sameId && ::EqualRect(&info.rect, &m_lastTool.rect)) {
    if (hit != -1) Relay(msg, cursor);
    freeAll();
    return;
  }
  const BOOL hadTool = m_lastTool.cbSize != 0;
  TTTOOLINFOW last = m_lastTool;
  if (sameId) SendToTip(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&last));
  if (hit == -1) {
    SendToTip(TTM_ACTIVATE, FALSE);
  } else {
    TTTOOLINFOW added = info;
    added.uFlags &= ~0xC0000000u;
    added.lParam = 0;
    SendToTip(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&added));
    const BOOL titles = m_tipKind != kRichTip &&
                        (m_tipKind != kSystemTip || m_commonControlsVersion >= ((5u << 16) | 80u));
    if (titles) {
      if (m_bExtendedTips && block.title != nullptr && block.description != nullptr) {
        SendToTip(TTM_SETTITLEW, static_cast<WPARAM>(m_titleIcon), reinterpret_cast<LPARAM>(block.title));
        TTTOOLINFOW update = added;
        update.lpszText = block.description;
        SendToTip(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&update));
        m_bTitleShown = TRUE;
      } else if (m_bTitleShown) {
        // Only an earlier title is cleared: some tooltip controls keep room
        // for an empty title and would draw a plain tip twice as tall.
        SendToTip(TTM_SETTITLEW, 0, reinterpret_cast<LPARAM>(L""));
        m_bTitleShown = FALSE;
      }
    }
    if ((info.uFlags & kToolShowInactive) != 0 || IsTopLevelActive(hOwner)) {
      SendToTip(TTM_ACTIVATE, TRUE);
      m_pTipWindow->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
      // Still active from a tool met while the window was active, the tip
      // would show over an inactive window.
      SendToTip(TTM_ACTIVATE, FALSE);
    }
  }
  Relay(msg, cursor);
  if (hadTool && !sameId) SendToTip(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&last));
  m_lastTool = info;
  m_lastTool.lpszText = nullptr;
  m_lastTool.lParam = 0;
  if (hit == -1) m_lastTool.cbSize = 0;
  freeAll();
}

void CTkTipContext::Relay(const MSG& msg, POINT cursor) {
  MSG relayed = msg;
  relayed.pt = cursor;
  HWND under = reinterpret_cast<HWND>(SendToTip(TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&cursor)));
  if (under != nullptr) relayed.hwnd = under;
  if (IsClientMouseMessage(msg.message) && under != nullptr) {
    POINT client = cursor;
    ::ScreenToClient(under, &client);
    relayed.lParam = MAKELPARAM(client.x, client.y);
  }
  SendToTip(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

HWND CTkToolTipCtrl::WindowFromPointForTips(POINT point) {
  HWND under = ::WindowFromPoint(point);
  if (under != nullptr && (::GetWindowLongPtrW(under, GWL_STYLE) & WS_CHILD) != 0 &&
      ::SendMessageW(under, WM_TK_SHARESPARENTTIPS, 0, 0) == 1)
    return ::GetParent(under);
  return under;
}

BOOL CTkToolTipCtrl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == TTM_WINDOWFROMPOINT && lParam != 0) {
    const LRESULT own = Default();
    HWND hWnd = reinterpret_cast<HWND>(own);
    if (hWnd != nullptr && (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) != 0 &&
        ::SendMessageW(hWnd, WM_TK_SHARESPARENTTIPS, 0, 0) == 1)
      hWnd = ::GetParent(hWnd);
    if (pResult != nullptr) *pResult = reinterpret_cast<LRESULT>(hWnd);
    return TRUE;
  }
  return CToolTipCtrl::OnWndMsg(message, wParam, lParam, pResult);
}
