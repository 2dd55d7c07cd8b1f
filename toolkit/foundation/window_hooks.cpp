#include "window_hooks.h"

#include <algorithm>

#include "draw_helpers.h"

namespace {

struct HookTable {
  CMapPtrToPtr chains;
  ~HookTable() { CTkWindowHookTable::RemoveAll(); }
};

HookTable& Table() {
  static HookTable table;
  return table;
}

// Puts the thread's current-message record back however the procedure ends.
class CurrentMessageScope {
 public:
  CurrentMessageScope(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
      : m_record(AfxLastSentMessage()), m_saved(m_record) {
    m_record.hwnd = hWnd;
    m_record.message = message;
    m_record.wParam = wParam;
    m_record.lParam = lParam;
  }
  ~CurrentMessageScope() { m_record = m_saved; }
  CurrentMessageScope(const CurrentMessageScope&) = delete;
  CurrentMessageScope& operator=(const CurrentMessageScope&) = delete;
  const MSG* Current() const { return &m_record; }

 private:
  MSG& m_record;
  MSG m_saved;
};

}  // namespace

CTkWindowHookChain::CTkWindowHookChain(HWND hWnd)
    : m_previousProc(reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC))),
      m_hWnd(hWnd),
      m_pModuleState(AfxGetModuleState()) {}

CTkWindowHookChain::~CTkWindowHookChain() {
  if (::IsWindow(m_hWnd)) ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
}

CTkWindowHookChain* CTkWindowHookTable::FindChain(HWND hWnd) {
  void* chain = nullptr;
  return Table().chains.Lookup(hWnd, chain) ? static_cast<CTkWindowHookChain*>(chain) : nullptr;
}

void CTkWindowHookTable::AttachClient(HWND hWnd, CTkHookClient* client) {
  CTkWindowHookChain* chain = FindChain(hWnd);
  if (chain == nullptr) {
    chain = new CTkWindowHookChain(hWnd);
    Table().chains.SetAt(hWnd, chain);
    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HookedWindowProc));
  }
  chain->m_pModuleState = AfxGetModuleState();
  if (std::find(chain->m_clients.begin(), chain->m_clients.end(), client) == chain->m_clients.end())
    chain->m_clients.push_back(client);
}

void CTkWindowHookTable::DetachClient(HWND hWnd, CTkHookClient* client) {
  CTkWindowHookChain* chain = FindChain(hWnd);
  if (chain == nullptr) return;
  auto& clients = chain->m_clients;
  clients.erase(std::remove(clients.begin(), clients.end(), client), clients.end());
  if (clients.empty()) {
    Table().chains.RemoveKey(hWnd);
    delete chain;
  }
}

void CTkWindowHookTable::DetachClientEverywhere(CTkHookClient* client) {
  std::vector<HWND> windows;
  CMapPtrToPtr& chains = Table().chains;
  for (POSITION pos = chains.GetStartPosition(); pos != nullptr;) {
    void* key = nullptr;
    void* value = nullptr;
    chains.GetNextAssoc(pos, key, value);
    windows.push_back(static_cast<HWND>(key));
  }
  for (HWND hWnd : windows) DetachClient(hWnd, client);
}

void CTkWindowHookTable::RemoveAll() {
  CMapPtrToPtr& chains = Table().chains;
  for (POSITION pos = chains.GetStartPosition(); pos != nullptr;) {
    void* key = nullptr;
    void* value = nullptr;
    chains.GetNextAssoc(pos, key, value);
    delete static_cast<CTkWindowHookChain*>(value);
  }
  chains.RemoveAll();
}

LRESULT CALLBACK CTkWindowHookTable::HookedWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CurrentMessageScope scope(hWnd, message, wParam, lParam);
  CTkWindowHookChain* chain = FindChain(hWnd);
  if (chain == nullptr) return ::DefWindowProcW(hWnd, message, wParam, lParam);
  WNDPROC previous = chain->m_previousProc;
  if (message == WM_NCDESTROY) {
    Table().chains.RemoveKey(hWnd);
    delete chain;
    return ::CallWindowProcW(previous, hWnd, message, wParam, lParam);
  }
  LRESULT result = 0;
  BOOL handled = AfxExceptionBarrier(
      FALSE,
      [&]() -> BOOL {
        // A client may detach itself while asked, so walk a copy.
        std::vector<CTkHookClient*> clients = chain->m_clients;
        for (auto it = clients.rbegin(); it != clients.rend(); ++it) {
          int answer = (*it)->OnHookMessage(hWnd, message, wParam, lParam, result);
          if (answer == CTkHookClient::kHandled) return TRUE;
          if (answer == CTkHookClient::kStopAsking) break;
        }
        return FALSE;
      },
      scope.Current());
  if (handled) return result;
  return ::CallWindowProcW(previous, hWnd, message, wParam, lParam);
}

POINT CTkMouseTracker::LastMousePosition = {0, 0};

namespace {
int mouseTrackerSlot;
int keyboardHookSlot;
}  // namespace

CTkMouseTracker* GetMouseTracker() {
  return static_cast<CTkMouseTracker*>(AfxGetThreadSlot(
      &mouseTrackerSlot, []() -> void* { return new CTkMouseTracker; },
      [](void* tracker) { delete static_cast<CTkMouseTracker*>(tracker); }));
}

CTkKeyboardHook* GetKeyboardHook() {
  return static_cast<CTkKeyboardHook*>(AfxGetThreadSlot(
      &keyboardHookSlot, []() -> void* { return new CTkKeyboardHook; },
      [](void* hook) { delete static_cast<CTkKeyboardHook*>(hook); }));
}

BOOL IsTopLevelOwnerActive(HWND hWnd) { return IsTopLevelWindowActive(hWnd); }

CTkMouseTracker::CTkMouseTracker() {
  m_hMouseHook = ::SetWindowsHookExW(WH_MOUSE, MouseHookProc, nullptr, ::GetCurrentThreadId());
}

CTkMouseTracker::~CTkMouseTracker() {
  if (m_hMouseHook != nullptr) ::UnhookWindowsHookEx(m_hMouseHook);
}

void CTkMouseTracker::AddTrackedBar(CTkTrackedBar* bar) {
  m_pModuleState = AfxGetModuleState();
  if (m_trackedBars.empty() && m_pHighlightedBar != nullptr && m_pHighlightedBar != bar)
    m_pHighlightedBar->ClearHighlight();
  if (std::find(m_trackedBars.begin(), m_trackedBars.end(), bar) == m_trackedBars.end())
    m_trackedBars.push_back(bar);
}

void CTkMouseTracker::RemoveTrackedBar(CTkTrackedBar* bar) {
  auto it = std::find(m_trackedBars.begin(), m_trackedBars.end(), bar);
  if (it == m_trackedBars.end()) return;
  m_trackedBars.erase(it);
  if (m_trackedBars.empty()) {
    // A fresh mouse move reaches the window under the cursor.
    POINT cursor;
    if (::GetCursorPos(&cursor)) ::SetCursorPos(cursor.x, cursor.y);
  }
  m_bSwallowNextRelease = FALSE;
}

void CTkMouseTracker::CloseTrackedBars() {
  while (!m_trackedBars.empty()) {
    CTkTrackedBar* first = m_trackedBars.front();
    first->LeaveMenuMode();
    // A bar that does not leave the list itself must not loop forever.
    if (!m_trackedBars.empty() && m_trackedBars.front() == first) RemoveTrackedBar(first);
  }
}

void CTkMouseTracker::CloseUnlockedBars() {
  if (m_trackedBars.empty() || m_trackedBars.front()->m_lockCount <= 0) return;
  std::vector<CTkTrackedBar*> bars = m_trackedBars;
  for (CTkTrackedBar* bar : bars)
    if (bar->m_lockCount == 0 &&
        std::find(m_trackedBars.begin(), m_trackedBars.end(), bar) != m_trackedBars.end())
      bar->LeaveMenuMode();
}

void CTkMouseTracker::LockTrackedBars(BOOL lock) {
  for (CTkTrackedBar* bar : m_trackedBars) bar->m_lockCount += lock ? 1 : -1;
}

BOOL CTkMouseTracker::IsTrackingOtherBar(CTkTrackedBar* bar) const {
  if (m_trackedBars.empty()) return FALSE;
  if (bar == nullptr || bar->m_lockCount > 0) return TRUE;
  return std::find(m_trackedBars.begin(), m_trackedBars.end(), bar) == m_trackedBars.end();
}

void CTkMouseTracker::RemoveExemptWindow(HWND hWnd) {
  auto it = std::find(m_exemptWindows.begin(), m_exemptWindows.end(), hWnd);
  if (it != m_exemptWindows.end()) m_exemptWindows.erase(it);
}

void CTkMouseTracker::TrackMouseLeave(HWND hWnd) {
  if (hWnd == m_hHoverWindow) return;
  if (m_hHoverWindow != nullptr && ::IsWindow(m_hHoverWindow)) ::SendMessageW(m_hHoverWindow, WM_MOUSELEAVE, 0, 0);
  m_hHoverWindow = hWnd;
  ::SetTimer(hWnd, kHoverTimerId, kHoverTimerPeriod, HoverTimerProc);
}

void CALLBACK CTkMouseTracker::HoverTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  AfxExceptionBarrier(0, [] {
    GetMouseTracker()->OnHoverTimer();
    return 0;
  });
}

void CTkMouseTracker::OnHoverTimer() {
  HWND hWnd = m_hHoverWindow;
  if (hWnd == nullptr) return;
  if (!::IsWindow(hWnd)) {
    m_hHoverWindow = nullptr;
    return;
  }
  POINT cursor = {0, 0};
  ::GetCursorPos(&cursor);
  CRect bounds;
  ::GetWindowRect(hWnd, &bounds);
  if (bounds.PtInRect(cursor) && (::GetParent(hWnd) == nullptr ||
                                  (::GetWindowLongW(hWnd, GWL_STYLE) & WS_POPUP) != 0 ||
                                  IsTopLevelOwnerActive(hWnd)))
    return;
  ::KillTimer(hWnd, kHoverTimerId);
  m_hHoverWindow = nullptr;
  ::PostMessageW(hWnd, WM_MOUSELEAVE, 0, 0);
}

BOOL CTkMouseTracker::OnMouseMessage(UINT message, POINT point) {
  if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN) m_bSwallowNextRelease = FALSE;
  if ((message == WM_LBUTTONUP || message == WM_NCLBUTTONUP) && m_bSwallowNextRelease) {
    m_bSwallowNextRelease = FALSE;
    return TRUE;
  }
  if (!m_trackedBars.empty() && (message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE) &&
      point.x == LastMousePosition.x && point.y == LastMousePosition.y)
    return TRUE;
  LastMousePosition = point;
  if (!m_trackedBars.empty()) Route(message, point);
  return FALSE;
}

void CTkMouseTracker::Route(UINT message, POINT point) {
  HWND under = ::WindowFromPoint(point);
  for (auto it = m_trackedBars.rbegin(); it != m_trackedBars.rend(); ++it) {
    CTkTrackedBar* bar = *it;
    HWND barWindow = bar->GetTrackedWindow();
    if (barWindow == nullptr) continue;
    int answer = bar->ContainsPoint(point);
    if (answer == -2) continue;
    if (answer == 1 || (under != nullptr && ::IsChild(barWindow, under))) {
      BOOL move = message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE;
      if (bar->m_lockCount > 0 && !move && !m_bSwallowNextRelease) {
        CloseUnlockedBars();
        LastMousePosition = {0, 0};
      }
      return;
    }
  }
  for (HWND exempt : m_exemptWindows) {
    CRect bounds;
    if (::IsWindowVisible(exempt) && ::GetWindowRect(exempt, &bounds) && bounds.PtInRect(point)) return;
  }
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
      std::vector<CTkTrackedBar*> bars = m_trackedBars;
      for (CTkTrackedBar* bar : bars) {
        if (std::find(m_trackedBars.begin(), m_trackedBars.end(), bar) == m_trackedBars.end()) continue;
        if (bar->m_lockCount > 0) continue;
        POINT client = point;
        ::ScreenToClient(bar->GetTrackedWindow(), &client);
        bar->OnTrackedMouseMove(0, client);
      }
      break;
    }
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
      if (m_suppressCount <= 0) CloseTrackedBars();
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
      CloseTrackedBars();
      break;
    default:
      break;
  }
}

LRESULT CALLBACK CTkMouseTracker::MouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
  CTkMouseTracker* tracker = GetMouseTracker();
  if (code == HC_ACTION) {
    const MOUSEHOOKSTRUCT* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    UINT message = static_cast<UINT>(wParam);
    BOOL discard = AfxExceptionBarrier(FALSE, [&] { return tracker->OnMouseMessage(message, info->pt); });
    if (discard) return 1;
  }
  return ::CallNextHookEx(tracker->m_hMouseHook, code, wParam, lParam);
}

CTkKeyboardHook::~CTkKeyboardHook() { RemoveHooks(); }

void CTkKeyboardHook::RemoveHooks() {
  if (m_hKeyboardHook != nullptr) ::UnhookWindowsHookEx(m_hKeyboardHook);
  if (m_hMessageHook != nullptr) ::UnhookWindowsHookEx(m_hMessageHook);
  m_hKeyboardHook = nullptr;
  m_hMessageHook = nullptr;
}

int CTkKeyboardHook::AddClient(CTkHookClient* client) {
  DWORD thread = ::GetCurrentThreadId();
  if (m_hKeyboardHook == nullptr)
    m_hKeyboardHook = ::SetWindowsHookExW(WH_KEYBOARD, KeyboardHookProc, nullptr, thread);
  if (m_hMessageHook == nullptr)
    m_hMessageHook = ::SetWindowsHookExW(WH_CALLWNDPROC, MessageHookProc, nullptr, thread);
  m_pModuleState = AfxGetModuleState();
  auto it = std::find(m_clients.begin(), m_clients.end(), client);
  if (it != m_clients.end()) return static_cast<int>(it - m_clients.begin());
  m_clients.push_back(client);
  return static_cast<int>(m_clients.size() - 1);
}

void CTkKeyboardHook::RemoveClient(CTkHookClient* client) {
  m_clients.erase(std::remove(m_clients.begin(), m_clients.end(), client), m_clients.end());
  if (m_clients.empty()) RemoveHooks();
}

BOOL CTkKeyboardHook::OfferKey(UINT message, WPARAM wParam, LPARAM lParam) {
  std::vector<CTkHookClient*> clients = m_clients;
  for (auto it = clients.rbegin(); it != clients.rend(); ++it) {
    LRESULT result = 0;
    WPARAM w = wParam;
    LPARAM l = lParam;
    int answer = (*it)->OnHookMessage(nullptr, message, w, l, result);
    if (answer == CTkHookClient::kHandled) return TRUE;
    if (answer == CTkHookClient::kStopAsking) return FALSE;
  }
  return TRUE;
}

BOOL CTkKeyboardHook::OnKey(WPARAM key, LPARAM keyData) {
  if (m_clients.empty() || (keyData & 0x80000000) != 0) return FALSE;
  if (key == VK_MENU && (keyData & 0x20000000) != 0 && GetMouseTracker()->m_suppressCount <= 0) {
    if ((keyData & 0x40000000) != 0) return FALSE;  // a repeat
    GetMouseTracker()->CloseTrackedBars();
    return TRUE;
  }
  return OfferKey(WM_KEYDOWN, key, keyData);
}

LRESULT CALLBACK CTkKeyboardHook::KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
  CTkKeyboardHook* hook = GetKeyboardHook();
  if (code == HC_ACTION && AfxExceptionBarrier(FALSE, [&] { return hook->OnKey(wParam, lParam); })) return 1;
  return ::CallNextHookEx(hook->m_hKeyboardHook, code, wParam, lParam);
}

LRESULT CALLBACK CTkKeyboardHook::MessageHookProc(int code, WPARAM wParam, LPARAM lParam) {
  CTkKeyboardHook* hook = GetKeyboardHook();
  const CWPSTRUCT* info = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && info->message == WM_ACTIVATEAPP && !info->wParam)
    AfxExceptionBarrier(0, [] {
      GetMouseTracker()->CloseTrackedBars();
      return 0;
    });
  return ::CallNextHookEx(hook->m_hMessageHook, code, wParam, lParam);
}
