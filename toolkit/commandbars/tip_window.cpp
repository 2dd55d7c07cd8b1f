#include "tip_window.h"

#include <algorithm>

#include "color_scheme.h"
#include "draw_helpers.h"
#include "global_settings.h"
#include "tip_context.h"

namespace {

// The thread's mouse hook, held by one tip window at a time.
HHOOK tipHook = nullptr;
CTkTipWindow* hookHolder = nullptr;

BOOL IsRelayedMouse(UINT message) {
  return (message >= 0x200 && message <= 0x209) || (message >= 0xA0 && message <= 0xA9);
}

}  // namespace

CTkTipWindow::~CTkTipWindow() {
  Unhook();
  m_tools.clear();
}

BOOL CTkTipWindow::CreateFor(CWnd* ownerFrame, DWORD style) {
  UINT classStyle = CS_SAVEBITS | CS_OWNDC;
  if (m_pContext != nullptr && (m_pContext->m_commonControlsVersion >> 16) >= 6 && (style & 0x2000) == 0)
    classStyle |= CS_DROPSHADOW;
  LPCWSTR windowClass = AfxRegisterWndClass(classStyle, ::LoadCursorW(nullptr, IDC_ARROW));
  CTkWindowMetrics metrics;
  m_font.CreateFontIndirect(&metrics.lfStatusFont);
  return CreateEx(WS_EX_TOOLWINDOW, windowClass, L"", WS_POPUP | style, 0, 0, 0, 0,
                  ownerFrame != nullptr ? ownerFrame->GetSafeHwnd() : nullptr, nullptr);
}

void CTkTipWindow::RemoveMnemonics(CString& text) const {
  if ((GetStyle() & TTS_NOPREFIX) != 0) return;
  RemoveMnemonicMarks(text);
}

CString CTkTipWindow::TextOf(const Tool& tool) {
  if (!tool.callback) {
    CString text = tool.text;
    RemoveMnemonics(text);
    return text;
  }
  NMTTDISPINFOW info = {};
  info.hdr.hwndFrom = m_hWnd;
  info.hdr.idFrom = tool.id;
  info.hdr.code = TTN_GETDISPINFOW;
  info.hinst = tool.instance;
  info.uFlags = tool.flags;
  HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
  if (owner == nullptr) owner = ::GetParent(m_hWnd);
  if (owner != nullptr) ::SendMessageW(owner, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&info));
  CString text = info.lpszText != nullptr && !IS_INTRESOURCE(info.lpszText) ? CString(info.lpszText)
                                                                            : CString(info.szText);
  RemoveMnemonics(text);
  return text;
}

const CTkTipWindow::Tool* CTkTipWindow::FindToolAt(POINT cursor) {
  if (::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0) return nullptr;
  HWND under = CTkToolTipCtrl::WindowFromPointForTips(cursor);
  for (const Tool& tool : m_tools) {
    CRect rect = tool.rect;
    if ((tool.flags & TTF_IDISHWND) != 0)
      ::GetWindowRect(reinterpret_cast<HWND>(tool.id), &rect);
    else
      ::MapWindowPoints(tool.window, nullptr, reinterpret_cast<LPPOINT>(&rect), 2);
    if (!rect.PtInRect(cursor)) continue;
    if ((tool.flags & TTF_IDISHWND) == 0 && under != tool.window) continue;
    return &tool;
  }
  return nullptr;
}

void CTkTipWindow::OnRelayEvent(const MSG* msg) {
  if (!m_bActive || msg == nullptr || !IsRelayedMouse(msg->message)) return;
  POINT cursor = {0, 0};
  ::GetCursorPos(&cursor);
  const Tool* found = FindToolAt(cursor);
  if (msg->message == WM_LBUTTONDOWN || (found == nullptr && ::GetKeyState(VK_LBUTTON) < 0)) {
    const Tool* pressed = found;
    if (pressed == nullptr) {
      // The press itself hides the tool from the search: take the shown one.
      if (!m_shown.IsEmpty()) m_clicked = m_shown;
    } else {
      m_clicked = *pressed;
    }
    HideTip();
    return;
  }
  if (found != nullptr && !m_clicked.IsEmpty() && !found->Is(m_clicked.window, m_clicked.id)) m_clicked = Tool();
  if (found != nullptr && found->Is(m_clicked.window, m_clicked.id)) found = nullptr;
  if (m_bTimer && (found == nullptr || !found->Is(m_pending.window, m_pending.id))) {
    KillTimer(kPendingTimer);
    m_bTimer = FALSE;
    m_pending = Tool();
  }
  if (found == nullptr) {
    HideTip();
    return;
  }
  if (found->Is(m_shown.window, m_shown.id)) return;
  if (::GetTickCount() - m_lastChange >= kQuickSwitch) {
    if (!m_bTimer) {
      m_pending = *found;
      SetTimer(kPendingTimer, kInitialDelay, nullptr);
      m_bTimer = TRUE;
    }
    return;
  }
  ShowTool(*found);
}

void CTkTipWindow::ShowTool(const Tool& tool) {
  if (!m_shown.IsEmpty() && tool.Is(m_shown.window, m_shown.id) && IsWindowVisible()) return;
  const CSize size = MeasureTip(tool);
  if (size.cx == 0 && size.cy == 0) {
    HideTip();
    return;
  }
  ShowWindow(SW_HIDE);
  POINT cursor = {0, 0};
  ::GetCursorPos(&cursor);
  m_shown = tool;
  SetWindowPos(&CWnd::wndTop, cursor.x, cursor.y + kCursorOffset, size.cx, size.cy,
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate(FALSE);
  UpdateWindow();
  Hook();
  m_lastChange = ::GetTickCount();
}

void CTkTipWindow::HideTip() {
  Unhook();
  if (GetSafeHwnd() != nullptr && IsWindowVisible()) ShowWindow(SW_HIDE);
  if (!m_shown.IsEmpty()) m_lastChange = ::GetTickCount();
  m_shown = Tool();
}

void CTkTipWindow::Hook() {
  if (tipHook != nullptr) return;
  tipHook = ::SetWindowsHookExW(WH_MOUSE, MouseHookProc, nullptr, ::GetCurrentThreadId());
  if (tipHook != nullptr) hookHolder = this;
}

void CTkTipWindow::Unhook() {
  if (hookHolder != this) return;
  ::UnhookWindowsHookEx(tipHook);
  tipHook = nullptr;
  hookHolder = nullptr;
}

LRESULT CALLBACK CTkTipWindow::MouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
  const HHOOK hook = tipHook;
  CTkTipWindow* holder = hookHolder;
  if (code == HC_ACTION && holder != nullptr && holder->GetSafeHwnd() != nullptr && !holder->m_shown.IsEmpty()) {
    const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    if (::WindowFromPoint(info->pt) != holder->m_shown.window) ::PostMessageW(holder->m_hWnd, TTM_RELAYEVENT, 0, 0);
  }
  return ::CallNextHookEx(hook, code, wParam, lParam);
}

CSize CTkTipWindow::MeasureTip(const Tool& tool) {
  const CString text = TextOf(tool);
  if (text.IsEmpty()) return CSize(0, 0);
  CClientDC dc(this);
  CTkFontSelector font(&dc, &m_font);
  const int maxWidth = m_pContext != nullptr ? m_pContext->m_maxTipWidth : 300;
  CRect rect(0, 0, maxWidth > 0 ? maxWidth : ::GetSystemMetrics(SM_CXSCREEN), 0);
  dc.DrawText(text, &rect, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
  CSize size = rect.Size();
  if (!m_strTitle.IsEmpty()) {
    CRect title(0, 0, 0, 0);
    dc.DrawText(m_strTitle, &title, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    size.cy += title.Height() + 8;
    size.cx = std::max(static_cast<int>(size.cx), title.Width());
  }
  const CRect margins = m_pContext != nullptr ? m_pContext->m_margins : CRect(0, 0, 0, 0);
  return CSize(size.cx + margins.left + margins.right + 6, size.cy + margins.top + margins.bottom + 6);
}

void CTkTipWindow::DrawTipBackground(CDC* pDC, const Tool&, CRect rect) {
  pDC->FillSolidRect(&rect, m_pContext != nullptr ? m_pContext->GetBackgroundColor() : ::GetSysColor(COLOR_INFOBK));
  const COLORREF topLeft = (GetStyle() & 0x1000) != 0 ? ::GetSysColor(COLOR_BTNFACE) : RGB(0, 0, 0);
  pDC->Draw3dRect(&rect, topLeft, RGB(0, 0, 0));
}

void CTkTipWindow::DrawTipText(CDC* pDC, const Tool& tool, CRect rect) {
  const CRect margins = m_pContext != nullptr ? m_pContext->m_margins : CRect(0, 0, 0, 0);
  rect.DeflateRect(margins.left + 3, margins.top + 3, margins.right + 3, margins.bottom + 3);
  if (!m_strTitle.IsEmpty()) {
    CRect title = rect;
    pDC->DrawText(m_strTitle, &title, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    pDC->DrawText(m_strTitle, &title, DT_SINGLELINE | DT_NOPREFIX);
    pDC->FillSolidRect(rect.left, title.bottom + 4, rect.Width(), 1, RGB(0, 0, 0));
    rect.top = title.bottom + 8;
  }
  pDC->DrawText(TextOf(tool), &rect, DT_NOPREFIX | DT_WORDBREAK);
}

void CTkTipWindowGradient::DrawTipBackground(CDC* pDC, const Tool&, CRect rect) {
  COLORREF first = m_pContext != nullptr ? m_pContext->GetBackgroundColor() : ::GetSysColor(COLOR_INFOBK);
  COLORREF second = RGB(255, 255, 255);
  COLORREF border = RGB(0, 0, 0);
  switch (GetColorScheme()->GetActiveXPScheme()) {
    case xpBlue: border = RGB(0, 0, 128); break;
    case xpOlive: border = RGB(63, 93, 56); break;
    case xpSilver: border = RGB(75, 75, 111); break;
    default: break;
  }
  if (border != RGB(0, 0, 0)) {
    first = RGB(255, 212, 151);
    second = RGB(255, 242, 200);
  }
  GetGradientPainter().FillGradientClipped(pDC, &rect, first, second, FALSE, &rect);
  pDC->Draw3dRect(&rect, border, border);
}

BOOL CTkTipWindow::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT ignored = 0;
  LRESULT& result = pResult != nullptr ? *pResult : ignored;
  result = 0;
  switch (message) {
    case TTM_ADDTOOLW: {
      const auto* info = reinterpret_cast<const TTTOOLINFOW*>(lParam);
      if (info == nullptr) return TRUE;
      Tool tool;
      tool.callback = info->lpszText == LPSTR_TEXTCALLBACKW;
      if (!tool.callback && info->lpszText != nullptr && !IS_INTRESOURCE(info->lpszText)) tool.text = info->lpszText;
      tool.flags = info->uFlags;
      tool.rect = info->rect;
      tool.instance = info->hinst;
      tool.window = info->hwnd;
      tool.id = info->uId;
      m_tools.push_back(tool);
      result = TRUE;
      return TRUE;
    }
    case TTM_DELTOOLW: {
      const auto* info = reinterpret_cast<const TTTOOLINFOW*>(lParam);
      if (info == nullptr) return TRUE;
      if (m_shown.Is(info->hwnd, info->uId)) HideTip();
      if (m_clicked.Is(info->hwnd, info->uId)) m_clicked = Tool();
      if (m_pending.Is(info->hwnd, info->uId)) {
        if (m_bTimer) KillTimer(kPendingTimer);
        m_bTimer = FALSE;
        m_pending = Tool();
      }
      m_tools.erase(std::remove_if(m_tools.begin(), m_tools.end(),
                                   [info](const Tool& tool) { return tool.Is(info->hwnd, info->uId); }),
                    m_tools.end());
      return TRUE;
    }
    case TTM_UPDATETIPTEXTW: {
      const auto* info = reinterpret_cast<const TTTOOLINFOW*>(lParam);
      if (info == nullptr) return TRUE;
      for (Tool& tool : m_tools)
        if (tool.Is(info->hwnd, info->uId)) {
          tool.callback = info->lpszText == LPSTR_TEXTCALLBACKW;
          tool.text = tool.callback || info->lpszText == nullptr ? CString() : CString(info->lpszText);
        }
      return TRUE;
    }
    case TTM_SETTITLEW:
      m_strTitle = lParam != 0 ? CString(reinterpret_cast<LPCWSTR>(lParam)) : CString();
      RemoveMnemonics(m_strTitle);
      result = TRUE;
      return TRUE;
    case TTM_ACTIVATE:
      m_bActive = wParam != 0;
      if (!m_bActive) {
        if (m_bTimer) KillTimer(kPendingTimer);
        m_bTimer = FALSE;
        m_pending = Tool();
        HideTip();
      }
      return TRUE;
    case TTM_RELAYEVENT: {
      const MSG* msg = reinterpret_cast<const MSG*>(lParam);
      MSG move = {};
      if (msg == nullptr) {
        // The mouse hook's nudge: look again where the cursor is.
        move.message = WM_MOUSEMOVE;
        msg = &move;
      }
      OnRelayEvent(msg);
      return TRUE;
    }
    case TTM_WINDOWFROMPOINT:
      result = lParam != 0 ? reinterpret_cast<LRESULT>(
                                 CTkToolTipCtrl::WindowFromPointForTips(*reinterpret_cast<const POINT*>(lParam)))
                           : 0;
      return TRUE;
    case WM_TIMER:
      if (wParam != kPendingTimer) break;
      KillTimer(kPendingTimer);
      m_bTimer = FALSE;
      if (!m_pending.IsEmpty()) {
        POINT cursor = {0, 0};
        ::GetCursorPos(&cursor);
        const Tool* under = FindToolAt(cursor);
        const Tool pending = m_pending;
        m_pending = Tool();
        if (under != nullptr && under->Is(pending.window, pending.id)) ShowTool(*under);
      }
      return TRUE;
    case WM_MOUSEMOVE:
      HideTip();
      return TRUE;
    case WM_NCHITTEST:
      result = HTTRANSPARENT;
      return TRUE;
    case WM_MOUSEACTIVATE:
      result = MA_NOACTIVATE;
      return TRUE;
    case WM_ERASEBKGND:
      result = TRUE;
      return TRUE;
    case WM_PAINT: {
      CPaintDC dc(this);
      const CTkClientBounds client(this);
      DrawTipBackground(&dc, m_shown, client);
      dc.SetTextColor(m_pContext != nullptr ? m_pContext->GetTextColor() : ::GetSysColor(COLOR_INFOTEXT));
      dc.SetBkMode(TRANSPARENT);
      CTkFontSelector font(&dc, &m_font);
      DrawTipText(&dc, m_shown, client);
      return TRUE;
    }
    default:
      break;
  }
  return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}
