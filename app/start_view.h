// The recovery-modes start page: a painted page with a rounded frame, the
// three mode buttons with their marked-up tips, and the button bar every
// wizard page carries.
#pragma once

#include "framework.h"

#include "hover_button.h"
#include "html_tooltip.h"
#include "tool_button.h"

// Anti-aliased drawing of the page's round frame, by blending into the
// pixels already there (single precision, as the page always drew it).
void DrawSmoothLine(HDC hdc, int x1, int y1, int x2, int y2, COLORREF colour);
void DrawSmoothArc(HDC hdc, int left, int top, int right, int bottom, float startAngle, float endAngle,
                   COLORREF colour);
void DrawRoundFrame(HDC hdc, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight,
                    COLORREF colour);

// Where the three mode buttons go in a client area: left edges of
// Standard, Advance and Raw, and their top.
struct ModeButtonLayout {
  int standardLeft;
  int advanceLeft;
  int rawLeft;
  int top;
};
ModeButtonLayout LayoutModeButtons(int clientWidth, int clientHeight);

// The six-button bar every wizard page carries: made with its pictures and
// tips, and placed along the page's top.
void CreateWizardButtonBar(CToolButton (&bar)[6], CWnd* page);
void PlaceWizardButtonBar(CToolButton (&bar)[6]);

class CEx_StyleView : public CView {
  DECLARE_DYNCREATE(CEx_StyleView)

 public:
  CEx_StyleView();
  ~CEx_StyleView() override;

  BOOL PreTranslateMessage(MSG* pMsg) override;
  void OnInitialUpdate() override { CView::OnInitialUpdate(); }
  void OnDraw(CDC* pDC) override;
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override { return DoPreparePrinting(pInfo); }

  void OnStandardScan();
  void OnAdvanceScan();
  void OnRawScan();

  CHtmlToolTip ModeTips[3];  // Standard, Raw, Advance
  CToolButton ButtonBar[6];
  CFont TitleFont;
  CFont TextFont;
  CStatic HintStatic;
  CFont HintFont;
  CHoverButton StandardButton;
  CHoverButton RawButton;
  CHoverButton AdvanceButton;
  CStatic InfoStatic;

 protected:
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  afx_msg int OnCreate(LPCREATESTRUCTW lpcs);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg void OnBarCommand(UINT id);
  DECLARE_MESSAGE_MAP()

 private:
  void DrawPageBackground(CDC& dc, const CRect& client);
  void DrawBanner(CDC& dc);
  void ChooseMode(int mode, LPCWSTR modeText);
};

// The results page's mode text ("Selected Mode : ...").
extern CString SelectedModeText;

// A smaller copy of font in which text fits width on hdc, down to two
// thirds of its height; null when the font itself fits.
HFONT FitFontToWidth(HDC hdc, CFont& font, LPCWSTR text, int width);
