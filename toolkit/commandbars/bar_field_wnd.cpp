#include "bar_field_wnd.h"

#include "color_scheme.h"
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

// The text.

CTkBarFieldText::~CTkBarFieldText() { delete m_pAutoComplete; }

CString CTkBarFieldText::GetRawText() {
  CTkBarFieldWnd* window = GetFieldWindow();
  if (window != nullptr && window->GetSafeHwnd() != nullptr && m_bCacheDirty) {
    window->GetWindowText(m_strTextCache);
    m_bCacheDirty = FALSE;
  }
  return m_strTextCache;
}

void CTkBarFieldText::SetRawText(const CString& text) {
  CTkBarFieldWnd* window = GetFieldWindow();
  if (window != nullptr && window->GetSafeHwnd() != nullptr && GetRawText() != text) {
    m_bSettingText = TRUE;
    window->SetWindowText(nullptr);
    window->SetWindowText(text);
    m_bSettingText = FALSE;
  }
  m_strTextCache = text;
  m_bCacheDirty = FALSE;
}

CString CTkBarFieldText::GetEditText() {
  const CString raw = GetRawText();
  if (m_bHintShown && !m_strEditHint.IsEmpty() && raw == m_strEditHint) return CString();
  return raw;
}

void CTkBarFieldText::SetEditText(const CString& text) {
  m_bHintShown = FALSE;
  SetRawText(text);
  if (text.IsEmpty() && !IsFieldFocused()) ShowHint();
  ApplyCharFormat();
}

void CTkBarFieldText::ShowHint() {
  if (!KeepsHintWithoutWindow() && GetFieldWindow() == nullptr) return;
  if (m_strEditHint.IsEmpty() || !GetRawText().IsEmpty()) return;
  m_bHintShown = TRUE;
  SetRawText(m_strEditHint);
  ApplyCharFormat();
}

void CTkBarFieldText::ClearHint() {
  if (!m_bHintShown) return;
  m_bHintShown = FALSE;
  SetRawText(CString());
  ApplyCharFormat();
}

void CTkBarFieldText::SetEditHint(const CString& hint) {
  ClearHint();
  m_strEditHint = hint;
  if (!IsFieldFocused()) ShowHint();
}

void CTkBarFieldText::SetAutoComplete(DWORD flags) {
  m_dwAutoCompleteFlags = flags;
  delete m_pAutoComplete;
  m_pAutoComplete = nullptr;
  CTkBarFieldWnd* window = GetFieldWindow();
  if (window == nullptr || window->GetSafeHwnd() == nullptr || flags == 0) return;
  m_pAutoComplete = new CTkAutoCompleteHelper;
  if (!m_pAutoComplete->SetAutoComplete(window->GetSafeHwnd(), flags)) {
    delete m_pAutoComplete;
    m_pAutoComplete = nullptr;
  }
}

BOOL CTkBarFieldText::GetCharFormat(CHARFORMAT2W& format) {
  const CTkRichEditLibrary& library = GetRichEditLibrary();
  if (library.module == nullptr) return FALSE;
  ::ZeroMemory(&format, sizeof format);
  format.cbSize = library.version == 1 ? sizeof(CHARFORMAT2W) : sizeof(CHARFORMATW);
  format.dwMask = CFM_COLOR | CFM_BACKCOLOR;
  CTkColorScheme* colors = GetColorScheme();
  if (IsFieldEnabled()) {
    format.crTextColor = colors->GetColor(m_bHintShown ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    format.crBackColor = colors->GetColor(COLOR_WINDOW);
  } else {
    format.crTextColor = colors->GetColor(COLOR_GRAYTEXT);
    format.crBackColor = colors->GetColor(COLOR_BTNFACE);
  }
  return TRUE;
}

void CTkBarFieldText::ApplyCharFormat() {
  CTkBarFieldWnd* window = GetFieldWindow();
  if (window == nullptr || window->GetSafeHwnd() == nullptr) return;
  CHARFORMAT2W format;
  if (!GetCharFormat(format)) return;
  window->SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  // The older library's record has no back colour; the window's fills the rest.
  window->SendMessage(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(format.crBackColor));
}

void CTkBarFieldText::OnWindowTextChanged() {
  m_bCacheDirty = TRUE;
  CTkBarFieldWnd* window = GetFieldWindow();
  if (window != nullptr && !m_bSettingText && ::GetFocus() == window->GetSafeHwnd()) OnEditChanged();
  window = GetFieldWindow();
  if (window != nullptr) window->SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  ApplyCharFormat();
}
