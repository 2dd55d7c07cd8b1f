// The GetSafe* members are called on null pointers by long habit. The
// compiler may take `this` as never null, so the pointer goes through a
// volatile copy whose value it cannot assume.
#include "dc.h"
#include "gdi.h"
#include "menu.h"
#include "wnd.h"

namespace {

template <class T, class H>
H SafeHandle(const T* object, H T::*member) {
  const T* volatile copy = object;
  const T* checked = copy;
  return checked != nullptr ? checked->*member : nullptr;
}

}  // namespace

HWND CWnd::GetSafeHwnd() const { return SafeHandle(this, &CWnd::m_hWnd); }
HDC CDC::GetSafeHdc() const { return SafeHandle(this, &CDC::m_hDC); }
HGDIOBJ CGdiObject::GetSafeHandle() const { return SafeHandle(this, &CGdiObject::m_hObject); }
HMENU CMenu::GetSafeHmenu() const { return SafeHandle(this, &CMenu::m_hMenu); }
