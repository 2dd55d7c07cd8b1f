#include "bar_field_wnd.h"

#include "command_bar.h"
#include "command_bars.h"
#include "control.h"
#include "tip_context.h"

namespace {

CPoint PointInBar(HWND from, CTkCommandBar* bar, LPARAM lParam) {
  CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
  ::MapWindowPoints(from, bar->GetSafeHwnd(), &point, 1);
  return point;
}

}  // namespace

BOOL CTkBarFieldWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && GetFieldControl() != nullptr) {
    OnFieldTextChanged();
    return TRUE;
  }
  return CTkEdit::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CTkBarFieldWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  CTkControl* control = GetFieldControl();
  CTkCommandBar* bar = control != nullptr ? control->GetParent() : nullptr;
  if (bar != nullptr && bar->GetSafeHwnd() == nullptr) bar = nullptr;
  if (message == WM_TK_SHARESPARENTTIPS) return 1;
  if (bar == nullptr) {
    if (message == WM_DESTROY && control != nullptr) OnFieldDestroyed();
    return CTkEdit::WindowProc(message, wParam, lParam);
  }
  // The bar's tips go on over the field.
  if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
    if (CTkCommandBars* commandBars = bar->GetCommandBars()) {
      if (CTkTipContext* tips = commandBars->GetTipContext()) {
        const CPoint point = PointInBar(m_hWnd, bar, lParam);
        tips->RelayMouseMessage(bar, message, wParam, MAKELPARAM(point.x, point.y));
      }
    }
  }
  switch (message) {
    case WM_LBUTTONDOWN:
      if (control->IsCustomizeMode()) {
        if (bar->IsCustomizable() && (control->GetFlags() & kFlagNotCustomizable) == 0)
          control->OnClick(FALSE, PointInBar(m_hWnd, bar, lParam));
        return 0;
      }
      break;
    case WM_RBUTTONDOWN: {
      if (control->IsCustomizeMode()) {
        const CPoint point = PointInBar(m_hWnd, bar, lParam);
        bar->SendMessage(WM_RBUTTONDOWN, wParam, MAKELPARAM(point.x, point.y));
        return 0;
      }
      OnFieldMenu(bar);
      SetFocus();
      CPoint screen(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      ClientToScreen(&screen);
      if (ShowContextMenu(control, screen.x, screen.y)) return 0;
      break;
    }
    case WM_CONTEXTMENU: return 0;
    case WM_MOUSEMOVE: {
      const LRESULT result = CTkEdit::WindowProc(message, wParam, lParam);
      if (GetFieldControl() != nullptr && bar->GetSafeHwnd() != nullptr)
        bar->OnTrackedMouseMove(static_cast<UINT>(wParam), PointInBar(m_hWnd, bar, lParam));
      return result;
    }
    case WM_SETFOCUS: {
      if (control->IsCustomizeMode() || IsEditingUnderWay()) return CTkEdit::WindowProc(message, wParam, lParam);
      OnFieldSetFocus(reinterpret_cast<HWND>(wParam));
      const LRESULT result = CTkEdit::WindowProc(message, wParam, lParam);
      PostMessage(EM_SETSEL, 0, -1);
      return result;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = CTkEdit::WindowProc(message, wParam, lParam);
      if (GetFieldControl() != nullptr) OnFieldKillFocus(reinterpret_cast<HWND>(wParam));
      return result;
    }
    case WM_DESTROY: OnFieldDestroyed(); break;
    case WM_TK_AUTOCOMPLETE_SHOWN: OnAutoCompleteShown(bar); return 0;
    default: break;
  }
  return CTkEdit::WindowProc(message, wParam, lParam);
}
