// Seeing messages that are not sent to you: a chain of hook clients per
// subclassed window, and per thread a mouse hook for the bars in menu mode
// and keyboard and call-window hooks for key presses and deactivation.
#pragma once

#include <vector>

#include "framework.h"

class CTkHookClient {
 public:
  enum Result { kNotHandled = 0, kHandled = 1, kStopAsking = 2 };
  virtual ~CTkHookClient() = default;
  // For a window, kHandled returns *result without calling its procedure.
  virtual int OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result) = 0;
};

class CTkWindowHookChain {
 public:
  explicit CTkWindowHookChain(HWND hWnd);
  ~CTkWindowHookChain();
  CTkWindowHookChain(const CTkWindowHookChain&) = delete;
  CTkWindowHookChain& operator=(const CTkWindowHookChain&) = delete;

  std::vector<CTkHookClient*> m_clients;
  WNDPROC m_previousProc;
  HWND m_hWnd;
  AFX_MODULE_STATE* m_pModuleState;
};

class CTkWindowHookTable {
 public:
  static void AttachClient(HWND hWnd, CTkHookClient* client);
  static void DetachClient(HWND hWnd, CTkHookClient* client);
  static void DetachClientEverywhere(CTkHookClient* client);
  static CTkWindowHookChain* FindChain(HWND hWnd);
  // Destroys every chain; run at exit.
  static void RemoveAll();

 private:
  static LRESULT CALLBACK HookedWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// What the mouse tracker needs of a command bar in menu mode.
class CTkTrackedBar {
 public:
  virtual ~CTkTrackedBar() = default;
  virtual HWND GetTrackedWindow() const = 0;
  virtual void LeaveMenuMode() = 0;
  virtual void ClearHighlight() = 0;
  // 1 inside, -2 skip this bar, anything else: inside when the window at
  // the point is one of the bar's children.
  virtual int ContainsPoint(CPoint screenPoint) = 0;
  virtual void OnTrackedMouseMove(UINT flags, CPoint clientPoint) = 0;

  int m_lockCount = 0;
};

class CTkMouseTracker {
 public:
  enum { kHoverTimerId = 113341, kHoverTimerPeriod = 50 };

  CTkMouseTracker();
  ~CTkMouseTracker();
  CTkMouseTracker(const CTkMouseTracker&) = delete;
  CTkMouseTracker& operator=(const CTkMouseTracker&) = delete;

  void AddTrackedBar(CTkTrackedBar* bar);
  void RemoveTrackedBar(CTkTrackedBar* bar);
  void CloseTrackedBars();
  void CloseUnlockedBars();
  void LockTrackedBars(BOOL lock);
  BOOL IsTrackingOtherBar(CTkTrackedBar* bar) const;
  void AddExemptWindow(HWND hWnd) { m_exemptWindows.push_back(hWnd); }
  void RemoveExemptWindow(HWND hWnd);
  void TrackMouseLeave(HWND hWnd);

  // The mouse hook's work for one message; TRUE discards it.
  BOOL OnMouseMessage(UINT message, POINT point);
  // The hover timer's tick.
  void OnHoverTimer();

  int m_suppressCount = 0;
  std::vector<CTkTrackedBar*> m_trackedBars;
  HHOOK m_hMouseHook = nullptr;
  CTkTrackedBar* m_pHighlightedBar = nullptr;
  HWND m_hHoverWindow = nullptr;
  BOOL m_bExpanded = FALSE;
  std::vector<HWND> m_exemptWindows;
  BOOL m_bSwallowNextRelease = FALSE;
  AFX_MODULE_STATE* m_pModuleState = nullptr;

  static POINT LastMousePosition;

 private:
  void Route(UINT message, POINT point);
  static LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK HoverTimerProc(HWND hWnd, UINT, UINT_PTR, DWORD);
};

// This thread's tracker, made on first use.
CTkMouseTracker* GetMouseTracker();

class CTkKeyboardHook {
 public:
  CTkKeyboardHook() = default;
  ~CTkKeyboardHook();
  CTkKeyboardHook(const CTkKeyboardHook&) = delete;
  CTkKeyboardHook& operator=(const CTkKeyboardHook&) = delete;

  int AddClient(CTkHookClient* client);
  void RemoveClient(CTkHookClient* client);
  // TRUE when consumed: a client handled it, none objected, or none exist.
  BOOL OfferKey(UINT message, WPARAM wParam, LPARAM lParam);
  // The keyboard hook's work for one key; TRUE consumes it.
  BOOL OnKey(WPARAM key, LPARAM keyData);

  HHOOK m_hKeyboardHook = nullptr;
  HHOOK m_hMessageHook = nullptr;
  AFX_MODULE_STATE* m_pModuleState = nullptr;
  std::vector<CTkHookClient*> m_clients;

 private:
  void RemoveHooks();
  static LRESULT CALLBACK KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK MessageHookProc(int code, WPARAM wParam, LPARAM lParam);
};

CTkKeyboardHook* GetKeyboardHook();

BOOL IsTopLevelOwnerActive(HWND hWnd);
