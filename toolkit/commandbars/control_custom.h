// A control that hosts a window of the program (a slider, an edit, any
// child) inside a bar: the window is re-parented into the bar, placed,
// shown, hidden and enabled with the control, and mouse moves over it
// reach the bar so hot tracking goes on.
#pragma once

#include "control.h"
#include "window_hooks.h"

class CTkControlCustom : public CTkControlButton, public CTkHookClient {
  DECLARE_DYNCREATE(CTkControlCustom)

 public:
  enum VerticalOption { kVerticalHide = 0, kVerticalKeep = 1, kVerticalHideWindow = 2 };

  CTkControlCustom() { m_nFlags = kFlagNotCustomizable; }
  ~CTkControlCustom() override;

  CSize GetSize(CDC* pDC) override;
  void Draw(CDC* pDC) override;
  void SetControlRect(CRect rect) override;
  void SetEnabled(BOOL enabled) override;
  void SetHideFlags(int flags) override;
  void OnCalcDynamicSize(DWORD flags) override;
  void OnClick(BOOL byKeyboard, CPoint point) override;
  BOOL IsCustomizeDragOverAvail(CTkCommandBar* target, CPoint point, DROPEFFECT& effect) override;
  void CopyControlFrom(CTkControl* source, BOOL recursive) override;
  void ExchangeControlProperties(CTkPropExchange* exchange) override;
  int OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result) override;

  // Hosts the window: takes its size as the control size and watches its
  // mouse moves; a window hosted before is let go.
  void SetControl(HWND hWnd);
  HWND GetControlWindow() const { return m_hwndControl; }
  void SetBorders(const CRect& borders) { m_rcBorders = borders; }
  void SetControlSize(CSize size) { m_szControl = size; }
  int GetVerticalOptions() const { return m_nVerticalOptions; }
  void SetVerticalOptions(int options) { m_nVerticalOptions = options; }
  int GetControlId() const { return m_nControlId; }
  void SetControlId(int id) { m_nControlId = id; }
  BOOL IsWindowShown() const { return m_bShown; }

  // The child with the dialog id of the command bars' frame, else of the
  // first bar that has one.
  static HWND FindWindowById(CTkCommandBars* commandBars, int id);

 private:
  void ShowHostedWindow();
  void Attach(HWND hWnd);

  HWND m_hwndControl = nullptr;
  CRect m_rcBorders{0, 0, 0, 0};
  BOOL m_bShown = TRUE;
  CSize m_szControl{0, 0};
  int m_nVerticalOptions = kVerticalHide;
  int m_nControlId = 0;
  // The windows this control watches, for the detach at its end.
  std::vector<HWND> m_attached;
};
