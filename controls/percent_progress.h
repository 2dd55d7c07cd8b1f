// CPercentProgressCtrl: a progress bar that keeps its whole state itself:
// a dark blue filled part and a centred text in inverse colours. It takes
// over a standard progress control by subclassing.
#pragma once

#include "framework.h"

// Private messages: the text colour (lParam) and whether text shows (wParam).
const UINT PBM_SETTEXTCOLOR_PRIVATE = WM_USER + 100;
const UINT PBM_SHOWTEXT_PRIVATE = WM_USER + 101;

class CPercentProgressCtrl : public CProgressCtrl {
 public:
  CPercentProgressCtrl() = default;

  static const COLORREF kFillColor = 0x900000;

  // The whole bar in client coordinates.
  void DrawBar(CDC* pDC);
  int GetDrawnLength() const { return m_nDrawnLength; }

 protected:
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPaint();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnDeltaPos(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetPos(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetRange(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetBarColor(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetPos(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetRange(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetRange32(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetStep(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnStepIt(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetTextColor(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnShowText(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  void InvalidateIfCreated();
  // Repaints with the new colour; returns the previous one.
  LRESULT ExchangeColor(COLORREF& colour, LPARAM lParam);
  void DrawPercentText(CDC* pDC, const CRect& client, const CRect& filled, const CRect& rest, double fraction,
                       COLORREF background);

  COLORREF m_crText = CLR_DEFAULT;
  int m_nPosition = 0;
  int m_nStep = 1;
  int m_nUpper = 100;
  int m_nLower = 0;
  CString m_strText;
  BOOL m_bShowText = TRUE;
  int m_nDrawnLength = -1;
  COLORREF m_crBar = CLR_DEFAULT;
  COLORREF m_crBackground = CLR_DEFAULT;
};
