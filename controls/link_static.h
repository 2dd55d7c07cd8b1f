// CLinkStatic: a static text that works as a hyperlink: link, visited and
// hover colours, an optional underline, a hand cursor, a tooltip with the
// target and a click that opens it. It takes over a static control of a
// dialog (the window text and font exist by then).
#pragma once

#include "framework.h"

class CLinkStatic : public CStatic {
 public:
  enum UnderlineMode { kUnderlineHover = -1, kUnderlineNever = 0, kUnderlineAlways = 1 };

  CLinkStatic() = default;
  ~CLinkStatic() override;

  void SetUrl(LPCWSTR lpszUrl);
  const CString& GetUrl() const { return m_strUrl; }
  void SetUnderlineMode(int mode);
  int GetUnderlineMode() const { return m_nUnderline; }
  void SetVisited(BOOL bVisited);
  BOOL IsVisited() const { return m_bVisited; }
  BOOL IsHovering() const { return m_bHovering; }
  HCURSOR GetLinkCursor() const { return m_hLinkCursor; }
  BOOL IsUnderlineShown() const;
  CToolTipCtrl& ToolTip() { return m_toolTip; }

  static INT_PTR OpenUrl(LPCWSTR lpszUrl, int nShowCmd);
  static void ReportOpenError(INT_PTR code);

  BOOL DestroyWindow() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  COLORREF LinkColor = RGB(0, 0, 0xEE);
  COLORREF VisitedColor = RGB(0x55, 0x1A, 0x8B);
  COLORREF HoverColor = RGB(0xFF, 0, 0);
  BOOL AdjustToTextSize = TRUE;

 protected:
  void PreSubclassWindow() override;
  void AdjustToText();
  void LoadLinkCursor();

  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnClicked();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()

 private:
  void ApplyFont(CFont& font);

  BOOL m_bHovering = FALSE;
  BOOL m_bVisited = FALSE;
  int m_nUnderline = kUnderlineHover;
  CString m_strUrl;
  CFont m_underlinedFont;
  CFont m_plainFont;
  HCURSOR m_hLinkCursor = nullptr;
  CToolTipCtrl m_toolTip;
  UINT_PTR m_nTimerId = 100;
};
