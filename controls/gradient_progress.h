// CGradientProgressCtrl: the wizard's progress bar. The filled part is a
// gradient through any number of colour stops; a text (by default the
// percentage) is drawn centred, in one colour over the filled part and in
// another over the rest; everything is painted off-screen first.
#pragma once

#include "framework.h"
#include "progress_geometry.h"

// What the drawing operations receive.
struct ProgressDrawInfo {
  CDC* pDC;
  DWORD style;
  CRect client;
  int position;
  int lower;
  int upper;
};

class CGradientProgressCtrl : public CProgressCtrl {
 public:
  CGradientProgressCtrl();

  // A null or empty format, or mode 0, switches the text off.
  void SetTextFormat(LPCWSTR lpszFormat, DWORD dwMode);

  CDWordArray ColorStops;
  COLORREF BackgroundColor;
  COLORREF TextColorOnBar;
  COLORREF TextColorOffBar;

  // The whole bar (background, gradient, text) in client coordinates.
  void DrawBar(CDC* pDC);

  int GetSnakeTail() const { return m_nSnakeTail; }
  int GetSnakeLength() const { return m_nSnakeLength; }
  int GetStep() const { return m_nStep; }

 protected:
  virtual void DrawGradient(const ProgressDrawInfo& info, BarSpan gradient, BarSpan filled);
  virtual void DrawGradientBand(const ProgressDrawInfo& info, BarSpan band, BarSpan visible, COLORREF from,
                                COLORREF to);
  virtual void DrawBarText(const ProgressDrawInfo& info, BarSpan full, BarSpan filled);
  virtual void DrawClippedText(const ProgressDrawInfo& info, BarSpan span, const CString& text, CPoint windowOrigin);
  // TRUE when snake mode handled the position message.
  virtual BOOL AdvanceSnake(LRESULT* pResult, int value, BOOL bIncrement);

  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPaint();
  afx_msg LRESULT OnSetBarColor(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetPos(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnDeltaPos(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnStepIt(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetStep(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  int m_nSnakeTail = 0;
  int m_nSnakeLength = 40;
  int m_nStep = 10;
};
