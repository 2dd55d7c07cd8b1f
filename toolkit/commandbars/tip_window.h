// The toolkit's own tip window: it answers the tool-tip messages a tip
// context sends, waits 500 ms before a first tip, switches at once within
// 200 ms of the last one, keeps a clicked tool quiet and shows the tip
// 21 pixels below the cursor. Variants draw rich text or a gradient.
#pragma once

#include <string>
#include <vector>

#include "framework.h"

class CTkTipContext;

class CTkTipWindow : public CWnd {
 public:
  enum { kPendingTimer = 1, kInitialDelay = 500, kQuickSwitch = 200, kCursorOffset = 21 };

  struct Tool {
    CString text;
    BOOL callback = FALSE;
    UINT flags = 0;
    CRect rect{0, 0, 0, 0};
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    UINT_PTR id = static_cast<UINT_PTR>(-1);
    BOOL IsEmpty() const { return window == nullptr && id == static_cast<UINT_PTR>(-1); }
    BOOL Is(HWND hWnd, UINT_PTR toolId) const { return window == hWnd && id == toolId; }
  };

  explicit CTkTipWindow(CTkTipContext* context) : m_pContext(context) {}
  ~CTkTipWindow() override;

  BOOL CreateFor(CWnd* ownerFrame, DWORD style);
  BOOL IsActive() const { return m_bActive; }
  const Tool& GetShownTool() const { return m_shown; }
  const std::vector<Tool>& GetTools() const { return m_tools; }
  // The window size a tool's tip needs; 0 x 0 for none.
  virtual CSize MeasureTip(const Tool& tool);
  virtual void DrawTipText(CDC* pDC, const Tool& tool, CRect rect);
  virtual void DrawTipBackground(CDC* pDC, const Tool& tool, CRect rect);

 protected:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void PostNcDestroy() override { delete this; }
  void OnRelayEvent(const MSG* msg);
  void ShowTool(const Tool& tool);
  void HideTip();
  // The tool's text: its own, or the owner's answer for a callback tool.
  CString TextOf(const Tool& tool);
  const Tool* FindToolAt(POINT cursor);
  void RemoveMnemonics(CString& text) const;

  CTkTipContext* m_pContext;
  BOOL m_bActive = FALSE;
  std::vector<Tool> m_tools;
  Tool m_shown;
  Tool m_clicked;
  Tool m_pending;
  CString m_strTitle;
  BOOL m_bTimer = FALSE;
  DWORD m_lastChange = 0;
  CFont m_font;

 private:
  static LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam);
  void Hook();
  void Unhook();
};

// Rich text: a hidden read-only rich edit holds the tip's text, measured by
// asking it for its height at trial widths and printed into the paint DC.
class CTkTipWindowRich : public CTkTipWindow {
 public:
  using CTkTipWindow::CTkTipWindow;
  CSize MeasureTip(const Tool& tool) override;
  void DrawTipText(CDC* pDC, const Tool& tool, CRect rect) override;
  HWND GetRichEdit() const { return m_hRichEdit; }

 protected:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

 private:
  BOOL CreateRichEdit();
  void StreamIn(const std::string& text, UINT format);
  // The height the rich edit asks for at a width.
  int HeightAt(int width);

  HWND m_hRichEdit = nullptr;
  int m_requestedHeight = 0;
};

// Plain text on a gradient, framed in the scheme's colour.
class CTkTipWindowGradient : public CTkTipWindow {
 public:
  using CTkTipWindow::CTkTipWindow;
  void DrawTipBackground(CDC* pDC, const Tool& tool, CRect rect) override;
};
