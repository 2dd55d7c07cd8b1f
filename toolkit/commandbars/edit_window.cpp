#include "edit_window.h"

#include "command_bar.h"
#include "command_bars.h"
#include "control.h"
#include "popup_bar.h"
#include "resource_loader.h"

IMPLEMENT_DYNAMIC(CTkEdit, CEdit)

namespace {

class RichEditLibraryHolder {
 public:
  ~RichEditLibraryHolder() { Release(); }
  void Release() {
    if (m_library.module != nullptr) ::FreeLibrary(m_library.module);
    m_library = CTkRichEditLibrary();
    m_bLoaded = FALSE;
  }
  const CTkRichEditLibrary& Get() {
    if (!m_bLoaded) {
      m_bLoaded = TRUE;
      if ((m_library.module = ::LoadLibraryW(m_newer)) != nullptr) {
        m_library.className = L"RichEdit20W";
        m_library.version = 1;
      } else if ((m_library.module = ::LoadLibraryW(m_older)) != nullptr) {
        m_library.className = L"RICHEDIT";
        m_library.version = 0;
      }
    }
    return m_library;
  }
  LPCWSTR m_newer = L"RICHED20.DLL";
  LPCWSTR m_older = L"RICHED32.DLL";

 private:
  CTkRichEditLibrary m_library;
  BOOL m_bLoaded = FALSE;
};

RichEditLibraryHolder& RichEditLibrary() {
  static RichEditLibraryHolder holder;
  return holder;
}

// The right-to-left bits of a bar's extended style.
const LONG_PTR kRightToLeftBits = WS_EX_LAYOUTRTL | WS_EX_RIGHT;

HHOOK s_autoCompleteHook = nullptr;
CTkAutoCompleteHelper* s_currentAutoComplete = nullptr;

}  // namespace

const CTkRichEditLibrary& GetRichEditLibrary() { return RichEditLibrary().Get(); }

void SetRichEditLibraryNames(LPCWSTR newer, LPCWSTR older) {
  RichEditLibraryHolder& holder = RichEditLibrary();
  holder.Release();
  holder.m_newer = newer != nullptr ? newer : L"RICHED20.DLL";
  holder.m_older = older != nullptr ? older : L"RICHED32.DLL";
}

BOOL CTkEdit::CreateEditWindow(DWORD style, CWnd* parent) {
  const CTkRichEditLibrary& library = GetRichEditLibrary();
  if (library.module == nullptr) return Create(style, CRect(0, 0, 0, 0), parent, 0);
  if (!CWnd::Create(library.className, nullptr, style, CRect(0, 0, 0, 0), parent, 0)) return FALSE;
  SendMessage(EM_SETEVENTMASK, 0, ENM_CHANGE);
  SendMessage(EM_SETTEXTMODE, TM_PLAINTEXT | TM_SINGLELEVELUNDO);
  return TRUE;
}

BOOL CTkEdit::IsEditCommandEnabled(UINT id) const {
  if (id == kEditCut || id == kEditCopy) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start != end;
  }
  if (id == kEditPaste) return ::IsClipboardFormatAvailable(CF_TEXT);
  return FALSE;
}

BOOL CTkEdit::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (nID == kEditCut || nID == kEditCopy || nID == kEditPaste) {
    if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && pExtra != nullptr) {
      static_cast<CCmdUI*>(pExtra)->Enable(IsEditCommandEnabled(nID));
      return TRUE;
    }
    if (nCode == static_cast<int>(CN_COMMAND)) {
      if (pHandlerInfo == nullptr)
        SendMessage(nID == kEditCut ? WM_CUT : nID == kEditCopy ? WM_COPY : WM_PASTE);
      return TRUE;
    }
  }
  return CEdit::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CTkEdit::ShowContextMenu(CTkControl* control, int x, int y) {
  CString probe;
  if (control == nullptr || !GetToolkitResourceLoader()->LoadString(probe, kEditCut)) return FALSE;
  CTkCommandBars* commandBars = control->GetCommandBars();
  if (commandBars == nullptr) return FALSE;
  CTkPopupBar* popup = CTkPopupBar::CreateForCommandBars(commandBars);
  if (popup == nullptr) return FALSE;
  CTkMouseTracker* tracker = commandBars->GetMouseTracker();
  // Clicks outside may close the menu while it shows.
  --tracker->m_suppressCount;
  for (UINT id : {static_cast<UINT>(kEditCut), static_cast<UINT>(kEditCopy), static_cast<UINT>(kEditPaste)}) {
    CTkControl* item = popup->GetControls()->Add(kControlButton, id);
    if (item != nullptr) item->SetEnabled(IsEditCommandEnabled(id));
  }
  popup->SetHideCaret(FALSE);
  UINT flags = TPM_RETURNCMD | TPM_NONOTIFY | TPM_RECURSE;
  CTkCommandBar* parent = control->GetParent();
  if (parent != nullptr && parent->GetSafeHwnd() != nullptr &&
      (::GetWindowLongPtrW(parent->GetSafeHwnd(), GWL_EXSTYLE) & kRightToLeftBits) != 0)
    flags |= TPM_RIGHTALIGN;
  const HWND self = m_hWnd;
  const UINT chosen = static_cast<UINT>(CTkCommandBars::TrackPopupBar(popup, flags, x, y, this, nullptr, this));
  if (chosen != 0 && ::IsWindow(self)) OnCmdMsg(chosen, static_cast<int>(CN_COMMAND), nullptr, nullptr);
  ++tracker->m_suppressCount;
  popup->InternalRelease();
  if (parent != nullptr && parent->GetSafeHwnd() != nullptr) parent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  return TRUE;
}

LRESULT CTkEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_IME_STARTCOMPOSITION: m_bComposing = TRUE; break;
    case WM_IME_ENDCOMPOSITION:
    case WM_KILLFOCUS: m_bComposing = FALSE; break;
    default: break;
  }
  return CEdit::WindowProc(message, wParam, lParam);
}

// Auto-complete.

LPCWSTR CTkAutoCompleteHelper::ShellLibraryName = L"shlwapi.dll";

CTkAutoCompleteHelper::~CTkAutoCompleteHelper() { SetupWindowHook(FALSE); }

BOOL CTkAutoCompleteHelper::SetAutoComplete(HWND edit, DWORD flags) {
  m_hEdit = edit;
  HMODULE shell = ::LoadLibraryW(ShellLibraryName);
  if (shell == nullptr) return FALSE;
  typedef HRESULT(WINAPI * AutoCompleteProc)(HWND, DWORD);
  auto proc = reinterpret_cast<AutoCompleteProc>(reinterpret_cast<void*>(::GetProcAddress(shell, "SHAutoComplete")));
  const BOOL done = proc != nullptr && SUCCEEDED(proc(edit, flags));
  ::FreeLibrary(shell);
  return done;
}

void CTkAutoCompleteHelper::SetupWindowHook(BOOL install) {
  if (install) {
    s_currentAutoComplete = this;
    if (s_autoCompleteHook == nullptr)
      s_autoCompleteHook = ::SetWindowsHookExW(WH_CALLWNDPROC, CallWndProcHook, nullptr, ::GetCurrentThreadId());
    GetKeyboardHook()->AddClient(this);
    return;
  }
  GetKeyboardHook()->RemoveClient(this);
  if (m_hDropDown != nullptr) {
    GetMouseTracker()->RemoveExemptWindow(m_hDropDown);
    m_hDropDown = nullptr;
  }
  if (s_currentAutoComplete != this) return;
  s_currentAutoComplete = nullptr;
  if (s_autoCompleteHook != nullptr) ::UnhookWindowsHookEx(s_autoCompleteHook);
  s_autoCompleteHook = nullptr;
}

LRESULT CALLBACK CTkAutoCompleteHelper::CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
  const HHOOK hook = s_autoCompleteHook;
  if (code == HC_ACTION && s_currentAutoComplete != nullptr) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (message->message == WM_WINDOWPOSCHANGING)
      s_currentAutoComplete->OnWindowPosChanging(message->hwnd, reinterpret_cast<const WINDOWPOS*>(message->lParam));
  }
  return ::CallNextHookEx(hook, code, wParam, lParam);
}

void CTkAutoCompleteHelper::OnWindowPosChanging(HWND hWnd, const WINDOWPOS* pos) {
  if (pos == nullptr) return;
  wchar_t className[64] = {};
  ::GetClassNameW(hWnd, className, 64);
  if (::lstrcmpW(className, L"Auto-Suggest Dropdown") != 0) return;
  if ((pos->flags & SWP_SHOWWINDOW) != 0) {
    if (m_hDropDown != hWnd) {
      m_hDropDown = hWnd;
      GetMouseTracker()->AddExemptWindow(hWnd);
    }
    if (m_hEdit != nullptr) ::PostMessageW(m_hEdit, WM_TK_AUTOCOMPLETE_SHOWN, 0, 0);
  } else if ((pos->flags & SWP_HIDEWINDOW) != 0 && m_hDropDown == hWnd) {
    GetMouseTracker()->RemoveExemptWindow(hWnd);
    m_hDropDown = nullptr;
  }
}

BOOL CTkAutoCompleteHelper::ProcessKey(UINT key) {
  if (m_hDropDown == nullptr || !::IsWindow(m_hDropDown)) return FALSE;
  if (key != VK_PRIOR && key != VK_NEXT && key != VK_UP && key != VK_DOWN) return FALSE;
  if ((::GetKeyState(VK_MENU) & 0x8000) != 0) return FALSE;
  // The drop-down's list is its first child of that kind; else the drop-down itself.
  HWND list = ::FindWindowExW(m_hDropDown, nullptr, L"SysListView32", nullptr);
  if (list == nullptr) list = m_hDropDown;
  MSG msg = {list, WM_KEYDOWN, key, 0, 0, {0, 0}};
  ::IsDialogMessageW(list, &msg);
  return TRUE;
}

int CTkAutoCompleteHelper::OnHookMessage(HWND, UINT message, WPARAM& wParam, LPARAM&, LRESULT&) {
  if (message == WM_MOUSEWHEEL) return kStopAsking;
  if (message == WM_KEYDOWN && ProcessKey(static_cast<UINT>(wParam))) return kHandled;
  return kNotHandled;
}
