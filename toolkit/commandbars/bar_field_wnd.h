// The edit window of a field control in a bar: it passes the bar's tips
// on, takes clicks while the bars are customized, opens its context menu
// and tells its control of text, focus and its end. And the text such a
// control keeps: cached while the window does not exist, with a grey hint
// in the window while it is empty and not focused.
#pragma once

#include "edit_window.h"

class CTkCommandBar;
class CTkControl;

class CTkBarFieldWnd : public CTkEdit {
 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  // The control, or null once it let the window go.
  virtual CTkControl* GetFieldControl() const = 0;
  virtual void OnFieldTextChanged() = 0;
  virtual void OnFieldDestroyed() = 0;
  virtual void OnFieldSetFocus(HWND oldFocus) = 0;
  // Called while the control is still known.
  virtual void OnFieldKillFocus(HWND newFocus) = 0;
  // TRUE when the focus comes back within an editing already under way.
  virtual BOOL IsEditingUnderWay() const { return FALSE; }
  // Before the context menu and when the shell's drop-down appears.
  virtual void OnFieldMenu(CTkCommandBar* /*bar*/) {}
  virtual void OnAutoCompleteShown(CTkCommandBar* /*bar*/) {}
};

// The text side of a field control (the edit and the combo box).
class CTkBarFieldText {
 public:
  CTkBarFieldText() = default;
  virtual ~CTkBarFieldText();
  CTkBarFieldText(const CTkBarFieldText&) = delete;
  CTkBarFieldText& operator=(const CTkBarFieldText&) = delete;

  // The text, never the hint.
  CString GetEditText();
  // An empty text shows the hint.
  void SetEditText(const CString& text);
  CString GetEditHint() const { return m_strEditHint; }
  void SetEditHint(const CString& hint);
  BOOL IsHintShown() const { return m_bHintShown; }
  void SetAutoComplete(DWORD flags);
  DWORD GetAutoCompleteFlags() const { return m_dwAutoCompleteFlags; }
  CTkAutoCompleteHelper* GetAutoComplete() const { return m_pAutoComplete; }
  // The character format the rich edit window gets; FALSE for a plain edit.
  virtual BOOL GetCharFormat(CHARFORMAT2W& format);

  // The window's side.
  void OnWindowTextChanged();
  void OnWindowDestroyed() { GetRawText(); }

 protected:
  // The control's window, null while there is none.
  virtual CTkBarFieldWnd* GetFieldWindow() const = 0;
  virtual BOOL IsFieldEnabled() const = 0;
  virtual BOOL IsFieldFocused() const = 0;
  // The user changed the text.
  virtual void OnEditChanged() = 0;
  // FALSE when the control draws its hint itself while it has no window.
  virtual BOOL KeepsHintWithoutWindow() const { return TRUE; }

  CString GetRawText();
  // Not the user's change: the site hears nothing.
  void SetRawText(const CString& text);
  void ShowHint();
  void ClearHint();
  void ApplyCharFormat();
  // The window is made again: the text goes into it from the cache.
  void ResetTextCache() {
    m_bCacheDirty = FALSE;
    m_strTextCache.Empty();
    m_bHintShown = FALSE;
  }

  CString m_strEditHint;
  BOOL m_bHintShown = FALSE;
  CString m_strTextCache;
  BOOL m_bCacheDirty = TRUE;
  BOOL m_bSettingText = FALSE;
  CTkAutoCompleteHelper* m_pAutoComplete = nullptr;
  DWORD m_dwAutoCompleteFlags = 0;
};
