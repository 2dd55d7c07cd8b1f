#include "window_placement.h"

#include <algorithm>

void PlaceOverOwner(CWnd* window) {
  HWND self = window->GetSafeHwnd();
  if (self == nullptr) return;
  HWND owner = ::GetWindow(self, GW_OWNER);
  RECT rect = {};
  ::GetWindowRect(self, &rect);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(owner != nullptr ? owner : self, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT area = monitor.rcWork;
  RECT around = area;
  if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &around);
  const int width = static_cast<int>(rect.right - rect.left), height = static_cast<int>(rect.bottom - rect.top);
  int x = static_cast<int>(around.left + around.right - width) / 2;
  int y = static_cast<int>(around.top + around.bottom - height) / 2;
  x = std::max(static_cast<int>(area.left), std::min(x, static_cast<int>(area.right) - width));
  y = std::max(static_cast<int>(area.top), std::min(y, static_cast<int>(area.bottom) - height));
  ::SetWindowPos(self, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
