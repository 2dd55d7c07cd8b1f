// The toolkit's edit window for fields in bars: a rich edit control when a
// rich edit library loads (plain text, one undo level, change events),
// else the system's plain edit. It offers its own Cut/Copy/Paste menu as a
// popup bar, and can carry the shell's auto-complete.
#pragma once

#include "framework.h"
#include "window_hooks.h"

class CTkControl;

// The process-wide rich edit library, loaded on first use and released at
// exit. Version 1 is the newer library, 0 the older one; without a module
// the plain edit class is used.
struct CTkRichEditLibrary {
  HMODULE module = nullptr;
  CString className;
  int version = 0;
};
const CTkRichEditLibrary& GetRichEditLibrary();
// Names the two libraries to try (null keeps the usual one) and forgets
// the loaded one, so the next use loads again.
void SetRichEditLibraryNames(LPCWSTR newer, LPCWSTR older);

// The commands of the edit's context menu.
enum EditCommand : UINT { kEditCopy = 57634, kEditCut = 57635, kEditPaste = 57637 };

class CTkEdit : public CEdit {
  DECLARE_DYNAMIC(CTkEdit)

 public:
  // Shows the Cut/Copy/Paste popup at a screen point for a control of
  // command bars; FALSE when there is no such menu.
  virtual BOOL ShowContextMenu(CTkControl* control, int x, int y);
  virtual BOOL CreateEditWindow(DWORD style, CWnd* parent);

  BOOL IsComposing() const { return m_bComposing; }
  // Whether Cut, Copy or Paste can run now.
  BOOL IsEditCommandEnabled(UINT id) const;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  BOOL m_bComposing = FALSE;
};

// The shell's auto-complete on an edit window, and the keys its drop-down
// takes while it shows.
class CTkAutoCompleteHelper : public CTkHookClient {
 public:
  CTkAutoCompleteHelper() = default;
  ~CTkAutoCompleteHelper() override;
  // FALSE when the shell offers no auto-complete.
  BOOL SetAutoComplete(HWND edit, DWORD flags);
  // While the edit has the focus a thread hook watches for the drop-down.
  void SetupWindowHook(BOOL install);
  // TRUE when the key went to the drop-down's list.
  BOOL ProcessKey(UINT key);
  int OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result) override;
  HWND GetDropDown() const { return m_hDropDown; }
  HWND GetEditWindow() const { return m_hEdit; }

  // Where SHAutoComplete is looked up; tests name their own.
  static LPCWSTR ShellLibraryName;

 private:
  static LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam);
  void OnWindowPosChanging(HWND hWnd, const WINDOWPOS* pos);

  HWND m_hEdit = nullptr;
  HWND m_hDropDown = nullptr;
};

// Posted to the edit window when the shell's drop-down appears.
const UINT WM_TK_AUTOCOMPLETE_SHOWN = 0x2872;
