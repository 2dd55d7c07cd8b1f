// The GetSafe* members are called on null pointers by long habit. They live
// in their own file so that the compiler, seeing only a plain pointer here,
// keeps the null test.
#include "dc.h"
#include "gdi.h"
#include "menu.h"
#include "wnd.h"

namespace {

template <class T, class H>
H SafeHandle(const T* object, H T::*member) {
  return object != nullptr ? object->*member : nullptr;
}

}  // namespace

HWND CWnd::GetSafeHwnd() const { return SafeHandle(static_cast<const CWnd*>(this), &CWnd::m_hWnd); }
HDC CDC::GetSafeHdc() const { return SafeHandle(static_cast<const CDC*>(this), &CDC::m_hDC); }
HGDIOBJ CGdiObject::GetSafeHandle() const {
  return SafeHandle(static_cast<const CGdiObject*>(this), &CGdiObject::m_hObject);
}
HMENU CMenu::GetSafeHmenu() const { return SafeHandle(static_cast<const CMenu*>(this), &CMenu::m_hMenu); }
