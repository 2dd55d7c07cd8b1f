// One pane of the toolkit's status bar: its command id, width, style and
// text, and what the paint manager reads to draw it.
#pragma once

#include "bar_painter.h"
#include "framework.h"

#ifndef SBPS_POPOUT
#define SBPS_POPOUT 0x0200
#endif
#ifndef SBPS_STRETCH
#define SBPS_STRETCH 0x08000000
#endif

class CTkStatusBar;

class CTkStatusBarPane : public CCmdTarget, public CTkStatusPaneInfo {
  DECLARE_DYNAMIC(CTkStatusBarPane)
 public:
  // The text still has to be sent to the control.
  enum Flags { kTextNotSent = 1 };

  CTkStatusBarPane() = default;

  // The pane's own font, else the bar's status font.
  CFont* GetTextFont() override;
  // The icon of the pane's icon id, or null.
  CTkImageIcon* GetImage() override;
  virtual void Draw(CDC* pDC, CRect rect);

  CString GetText() const override { return m_strText; }
  UINT GetStyle() const override { return m_nStyle; }
  CTkStatusBar* GetStatusBar() const { return m_pStatusBar; }
  CString GetTooltip() const { return m_strToolTip; }
  COLORREF GetTextColor() const override { return m_clrText; }
  COLORREF GetBackgroundColor() const override { return m_clrBackground; }
  int GetTextAlignment() const override { return m_nAlignment; }
  BOOL IsVisible() const { return m_bVisible; }
  BOOL DrawsDisabledText() const override;

  // The width of the text in the pane's font, and of its icon.
  void FitWidthToText();

  UINT m_nID = 0;
  int m_cxText = 0;
  UINT m_nStyle = 0;
  UINT m_nFlags = 0;
  CString m_strText;
  BOOL m_bVisible = TRUE;
  COLORREF m_clrText = static_cast<COLORREF>(-1);
  COLORREF m_clrBackground = static_cast<COLORREF>(-1);
  CString m_strToolTip;
  int m_nAlignment = kAlignLeft;
  CTkStatusBar* m_pStatusBar = nullptr;
  int m_nIndex = -1;
  int m_nVisibleIndex = -1;
  CFont m_font;
  int m_nIconId = -1;
};
