// A combo box in a bar: a face drawn by the look, an edit field while it
// drops down, and a list that opens and closes like any popup bar. It
// completes typed text from the list, keeps the selection it had when the
// list opened (Escape goes back to it) and tells the frame of selection,
// focus and text changes with the system's combo notification codes.
#pragma once

#include "bar_field_wnd.h"
#include "control.h"
#include "popup_bar.h"

class CTkControlComboBox;

// What a combo box tells its site.
enum ComboNotify : UINT {
  kComboSelChange = 1,
  kComboSetFocus = 3,
  kComboKillFocus = 4,
  kComboEditChange = 5,
  kComboDropDown = 7,
  kComboCloseUp = 8,
  kComboSelEndOk = 9,
  kComboSelEndCancel = 10,
};

// The combo's list: a popup bar whose window is a list box of its own,
// shown under the combo while it drops down.
class CTkControlComboBoxList : public CTkPopupBar {
  DECLARE_DYNCREATE(CTkControlComboBoxList)

 public:
  CTkControlComboBoxList();

  // Opens the list for its combo.
  BOOL QueryReserved(WPARAM wParam, LPARAM lParam) override;
  BOOL SetMenuMode(int mode, BOOL selectFirst, BOOL byKeyboard) override;
  int ProcessKey(UINT key, LPARAM lParam) override;
  BOOL DestroyWindow() override;
  // The list repaints at once, not when idle.
  void DelayLayout() override;
  void ExchangeBarProperties(CTkPropExchange* exchange) override;
  void CopyBarFrom(CTkCommandBar* source, BOOL recursive) override;
  // The wheel scrolls the open list.
  int OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result) override;

  // The list box window, made when missing; FALSE when it cannot be made.
  BOOL CreateListWindow();
  CTkControlComboBox* GetCombo() const;
  int GetCount() const;
  int AddString(LPCWSTR text);
  CString GetItemText(int index) const;
  // The rows shown at most and the height of the open list.
  int GetListHeight(int rowsAtMost) const;
  // A key handled by the list box itself, as if it had the focus.
  void SendKeyToList(UINT key);

 protected:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void DrawListFrame();

  // The items while there is no window.
  CStringArray m_pendingItems;
};

// The combo's edit field.
class CTkComboEditWnd : public CTkBarFieldWnd {
 public:
  explicit CTkComboEditWnd(CTkControlComboBox* combo) : m_pCombo(combo) {}
  CTkControlComboBox* GetCombo() const { return m_pCombo; }
  void Detach() { m_pCombo = nullptr; }

 protected:
  CTkControl* GetFieldControl() const override;
  void OnFieldTextChanged() override;
  void OnFieldDestroyed() override;
  void OnFieldSetFocus(HWND oldFocus) override;
  void OnFieldKillFocus(HWND newFocus) override;
  BOOL IsEditingUnderWay() const override;
  void OnFieldMenu(CTkCommandBar* bar) override;
  void OnAutoCompleteShown(CTkCommandBar* bar) override;
  void PostNcDestroy() override;

  CTkControlComboBox* m_pCombo;
};

class CTkControlComboBox : public CTkControlPopup, public CTkBarFieldText {
  DECLARE_DYNCREATE(CTkControlComboBox)

 public:
  CTkControlComboBox();
  ~CTkControlComboBox() override;

  // The control's side.
  void SetEnabled(BOOL enabled) override;
  void SetFocused(BOOL focused) override;
  BOOL IsFocused() const override { return m_bFocused; }
  void SetControlRect(CRect rect) override;
  BOOL IsCaptionVisible() override { return IsLabelShown(); }
  BOOL IsEqualControl(CTkControl* other) override;
  void SetHideFlags(int flags) override;
  void ExecuteCommand() override;
  void ExchangeControlProperties(CTkPropExchange* exchange) override;
  void OnMnemonicActivate() override { SetFocused(TRUE); }
  BOOL IsFocusable() const override { return TRUE; }
  int OnHookKeyDown(UINT key, LPARAM lParam) override;
  void SetParentBar(CTkCommandBar* bar) override;
  void CopyControlFrom(CTkControl* source, BOOL recursive) override;
  BOOL SetPopuped(BOOL popuped) override;
  void OnClick(BOOL byKeyboard, CPoint point) override;
  void OnMouseHover() override;
  BOOL SetSelectionState(int state) override;
  BOOL IsCustomizeResizeAllowed() const override { return TRUE; }
  int GetCustomizeMinWidth() const override { return m_nLabelWidth + m_nThumbWidth + 5; }
  void SetWidth(int width) override;
  int GetFieldWidth() const override { return m_nWidth; }
  BOOL IsLabelShown() const override { return m_nComboStyle == 1 && !GetVisibleCaption().IsEmpty(); }
  CString GetFieldText() const override;
  void SetFieldThumbWidth(int width) override { m_nThumbWidth = width; }
  BOOL DrawFieldText(CDC* pDC, CRect rect) override {
    DrawEditText(pDC, rect);
    return TRUE;
  }

  virtual CString GetListText();
  // The field's text and edit icon inside the face the look drew.
  virtual void DrawEditText(CDC* pDC, CRect rect);
  virtual CString GetText() { return GetListText(); }
  virtual CTkComboEditWnd* CreateEditWindow() { return new CTkComboEditWnd(this); }
  virtual void OnSetFocus(HWND oldFocus);
  virtual void OnKillFocus();
  virtual void OnSelChanged();
  void OnEditChanged() override;
  virtual int GetIconWidth(int width) const;

  CTkControlComboBoxList* GetListBox() const { return static_cast<CTkControlComboBoxList*>(m_pCommandBar); }
  int GetCurSel() const;
  void SetCurSel(int index);
  // The face shows the new hint at once.
  void SetEditHint(const CString& hint);
  BOOL GetDropDown() const { return m_bDropDown; }
  void SetDropDown(BOOL dropDown);
  BOOL GetAutoCompleteList() const { return m_bAutoComplete; }
  void SetAutoCompleteList(BOOL on) { m_bAutoComplete = on; }
  int GetComboStyle() const { return m_nComboStyle; }
  void SetComboStyle(int style) { m_nComboStyle = style; }
  int GetWidth() const { return m_nWidth; }
  int GetDropDownItemCount() const { return m_nDropDownItemCount; }
  void SetDropDownItemCount(int count) { m_nDropDownItemCount = count; }
  int GetEditIconId() const { return m_nEditIconId; }
  void SetEditIconId(int id) { m_nEditIconId = id; }
  CTkComboEditWnd* GetEditWnd() const { return m_pEdit; }
  BOOL IsListOpen() const;

  // The edit window's side.
  void OnWindowGone(CTkComboEditWnd* window) {
    if (m_pEdit == window) m_pEdit = nullptr;
  }
  // The list bar's side.
  void OnListOpened();
  void OnListClosed();

 protected:
  CTkBarFieldWnd* GetFieldWindow() const override { return m_pEdit; }
  BOOL IsFieldEnabled() const override { return m_bEnabled; }
  BOOL IsFieldFocused() const override { return m_bFocused; }
  // Without a field, the face draws the hint (see DrawEditText).
  BOOL KeepsHintWithoutWindow() const override { return FALSE; }
  void CloseList();
  // The list's window, made with the stored selection when missing.
  CTkControlComboBoxList* EnsureListWindow();
  // Destroys the field; a focused one gives the focus back first, while
  // the bar is still known.
  void DestroyEditWindow();
  // Without an open list, the stored selection comes back and the site
  // hears of the cancel.
  void CancelSelection();
  CTkMouseTracker* Tracker() const;

  CTkComboEditWnd* m_pEdit = nullptr;
  BOOL m_bDropDown = FALSE;
  int m_nComboStyle = 0;
  int m_nWidth = 100;
  int m_nSavedSelection = -1;
  CString m_strTextAtFocus;
  BOOL m_bRepositionPending = FALSE;
  int m_nLabelWidth = 0;
  int m_nThumbWidth = 0;
  BOOL m_bAutoComplete = FALSE;
  BOOL m_bCompletionSuppressed = FALSE;
  BOOL m_bFocused = FALSE;
  int m_nEditIconId = 0;
  int m_nDropDownItemCount = 12;
  int m_nCurSel = -1;
  BOOL m_bSelectionMade = FALSE;
  HWND m_hFocusReturn = nullptr;
};
