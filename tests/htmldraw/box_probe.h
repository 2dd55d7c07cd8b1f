// Drives the message box in-process: a thread timer ticks inside the box's
// own modal loop, finds the box among the calling thread's windows, reads
// its buttons and clicks them. A tick comes only when the queue is empty,
// so each tick sees the effects of what the previous one posted.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework.h"

struct BoxButton {
  UINT id;
  std::wstring text;
  RECT rect;  // in the box's client coordinates
  bool enabled;
  bool isDefault;
  HWND hWnd;
};

inline std::wstring WindowText(HWND hWnd) {
  WCHAR text[512] = {};
  ::GetWindowTextW(hWnd, text, 512);
  return text;
}

// The box's push buttons, left to right (the check box is left out).
inline std::vector<BoxButton> ReadButtons(HWND box) {
  std::vector<BoxButton> buttons;
  for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    WCHAR className[32] = {};
    ::GetClassNameW(child, className, 32);
    const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
    if (lstrcmpiW(className, L"Button") != 0 || (style & 0xF) == BS_AUTOCHECKBOX) continue;
    RECT rect = {};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&rect), 2);
    buttons.push_back({static_cast<UINT>(::GetDlgCtrlID(child)), WindowText(child), rect,
                       ::IsWindowEnabled(child) != FALSE, (style & 0xF) == BS_DEFPUSHBUTTON, child});
  }
  return buttons;
}

inline HWND FindCheckBox(HWND box) {
  for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
    if ((::GetWindowLongPtrW(child, GWL_STYLE) & 0xF) == BS_AUTOCHECKBOX) return child;
  return nullptr;
}

inline bool CloseItemEnabled(HWND box) {
  return (::GetMenuState(::GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

inline void Click(HWND box, UINT id) { ::PostMessageW(::GetDlgItem(box, static_cast<int>(id)), BM_CLICK, 0, 0); }

inline void PressEscape(HWND box) {
  HWND focus = ::GetFocus();
  ::PostMessageW(focus != nullptr ? focus : box, WM_KEYDOWN, VK_ESCAPE, 0);
}

// Runs show() with probe(box, tick) called on every tick while a box of this
// thread is up; the probe ends the box itself. A box still up after the
// time limit is ended with -7 so that a failing test cannot hang.
class BoxProbe {
 public:
  using Probe = std::function<void(HWND box, int tick)>;

  static int Run(const std::function<int()>& show, Probe probe, UINT periodMs = 40, DWORD limitMs = 15000) {
    BoxProbe self(std::move(probe), limitMs);
    Current() = &self;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, periodMs, OnTimer);
    const int result = show();
    ::KillTimer(nullptr, timer);
    Current() = nullptr;
    return result;
  }

  // Dialogs this thread created since the last reset, seen by a CBT hook.
  static int DialogsCreated() { return Created(); }
  static void WatchCreations() {
    Created() = 0;
    if (Hook() == nullptr) Hook() = ::SetWindowsHookExW(WH_CBT, OnCbt, nullptr, ::GetCurrentThreadId());
  }
  static void StopWatching() {
    if (Hook() != nullptr) ::UnhookWindowsHookEx(Hook());
    Hook() = nullptr;
  }

  static HWND FindBox() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), OnThreadWindow, reinterpret_cast<LPARAM>(&found));
    return found;
  }

 private:
  BoxProbe(Probe probe, DWORD limitMs) : m_probe(std::move(probe)), m_deadline(::GetTickCount() + limitMs) {}

  static BoxProbe*& Current() {
    static thread_local BoxProbe* current = nullptr;
    return current;
  }
  static int& Created() {
    static thread_local int created = 0;
    return created;
  }
  static HHOOK& Hook() {
    static thread_local HHOOK hook = nullptr;
    return hook;
  }

  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    BoxProbe* self = Current();
    if (self == nullptr || self->m_busy) return;
    HWND box = FindBox();
    if (box == nullptr) return;
    if (static_cast<int>(::GetTickCount() - self->m_deadline) > 0) {
      ::EndDialog(box, -7);
      return;
    }
    self->m_busy = true;
    self->m_probe(box, self->m_tick++);
    self->m_busy = false;
  }

  static BOOL CALLBACK OnThreadWindow(HWND hWnd, LPARAM lParam) {
    WCHAR className[16] = {};
    ::GetClassNameW(hWnd, className, 16);
    if (lstrcmpW(className, L"#32770") != 0 || !::IsWindowVisible(hWnd)) return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
  }

  static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
      const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
      if ((create->style & WS_CHILD) == 0 && (create->style & WS_CAPTION) == WS_CAPTION) ++Created();
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }

  Probe m_probe;
  DWORD m_deadline;
  int m_tick = 0;
  bool m_busy = false;
};
