// An edit field in a bar. The control keeps its text while the window does
// not exist, shows a grey hint while empty, hands the focus back when the
// user is done, restores the old text on Escape and tells the frame of
// focus and text changes (codes below).
#pragma once

#include "bar_field_wnd.h"
#include "control.h"

class CTkControlEdit;

// What an edit control tells its site.
enum EditNotify : UINT { kNotifyEditFocus = 0x100, kNotifyEditFocusLost = 0x200, kNotifyEditChanged = 0x300 };

class CTkControlEditWnd : public CTkBarFieldWnd {
 public:
  explicit CTkControlEditWnd(CTkControlEdit* control) : m_pControl(control) {}
  CTkControlEdit* GetControl() const { return m_pControl; }
  void Detach() { m_pControl = nullptr; }

 protected:
  CTkControl* GetFieldControl() const override;
  void OnFieldTextChanged() override;
  void OnFieldDestroyed() override;
  void OnFieldSetFocus(HWND oldFocus) override;
  void OnFieldKillFocus(HWND newFocus) override;
  // The window may end with its bar before the control lets it go.
  void PostNcDestroy() override;

  CTkControlEdit* m_pControl;
};

class CTkControlEdit : public CTkControl, public CTkBarFieldText {
  DECLARE_DYNCREATE(CTkControlEdit)

 public:
  CTkControlEdit() { m_nType = kControlEdit; }
  ~CTkControlEdit() override;

  void SetEnabled(BOOL enabled) override;
  void SetFocused(BOOL focused) override;
  BOOL IsFocused() const override { return m_bFocused; }
  void SetControlRect(CRect rect) override;
  BOOL IsCaptionVisible() override;
  BOOL IsEqualControl(CTkControl* other) override;
  void SetHideFlags(int flags) override;
  void OnCalcDynamicSize(DWORD flags) override;
  void ExchangeControlProperties(CTkPropExchange* exchange) override;
  BOOL IsFocusable() const override { return m_pEdit != nullptr && m_pEdit->GetSafeHwnd() != nullptr; }
  int OnHookKeyDown(UINT key, LPARAM lParam) override;
  void SetParentBar(CTkCommandBar* bar) override;
  void CopyControlFrom(CTkControl* source, BOOL recursive) override;
  void OnClick(BOOL byKeyboard, CPoint point) override;
  void OnMouseHover() override;
  BOOL IsCustomizeResizeAllowed() const override { return TRUE; }
  int GetCustomizeMinWidth() const override { return m_bHasLabel ? m_nLabelWidth + 10 : 10; }
  void SetWidth(int width) override;
  int GetFieldWidth() const override { return m_nWidth; }
  BOOL IsLabelShown() const override { return m_bHasLabel && !GetVisibleCaption().IsEmpty(); }
  CString GetFieldText() const override { return const_cast<CTkControlEdit*>(this)->GetEditText(); }

  virtual CTkControlEditWnd* CreateEditWindow() { return new CTkControlEditWnd(this); }
  virtual void OnSetFocus(HWND oldFocus);
  virtual void OnKillFocus();
  void OnEditChanged() override { NotifySite(kNotifyEditChanged); }

  BOOL GetReadOnly() const { return m_bReadOnly; }
  void SetReadOnly(BOOL readOnly);
  BOOL GetHasLabel() const { return m_bHasLabel; }
  void SetHasLabel(BOOL on) { m_bHasLabel = on; }
  int GetWidth() const { return m_nWidth; }
  CTkControlEditWnd* GetEditWnd() const { return m_pEdit; }

  // The window object is gone.
  void OnWindowGone(CTkControlEditWnd* window) {
    if (m_pEdit == window) m_pEdit = nullptr;
  }
  void OnWindowSetFocus(HWND oldFocus);
  void OnWindowKillFocus();

 protected:
  CTkBarFieldWnd* GetFieldWindow() const override { return m_pEdit; }
  BOOL IsFieldEnabled() const override { return m_bEnabled; }
  BOOL IsFieldFocused() const override { return m_bFocused; }
  // Destroys the window; a focused one gives the focus back first, while
  // the bar is still known.
  void DestroyEditWindow();

  CTkControlEditWnd* m_pEdit = nullptr;
  int m_nWidth = 100;
  BOOL m_bHasLabel = TRUE;
  BOOL m_bReadOnly = FALSE;
  int m_nLabelWidth = 0;
  BOOL m_bRepositionPending = FALSE;
  BOOL m_bFocused = FALSE;
  CString m_strTextAtFocus;
  // Where the focus goes back to when editing ends.
  HWND m_hFocusReturn = nullptr;
};
