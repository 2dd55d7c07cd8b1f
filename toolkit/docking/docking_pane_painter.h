// The pane paint manager every docking window draws through, and the plain
// pane themes: 0 (system frame controls), 4 (flat with a grip), 1
// (caption colours), 5 (toolkit colours) and 8 (visual style).
#pragma once

#include <vector>

#include "color_scheme.h"
#include "docking_pane_node.h"
#include "ux_theme.h"

class CTkTabPainter;
class CTkDockingPaneTabbedContainer;
class CTkDockingPaneSplitBar;

class CTkDockingPanePainter : public CCmdTarget {
 public:
  CTkDockingPanePainter();
  ~CTkDockingPanePainter() override;

  virtual void DrawPane(CDC* pDC, CTkDockingPaneTabbedContainer* container, CRect rect);
  virtual void DrawCaption(CDC*, CTkDockingPaneTabbedContainer*, CRect) {}
  virtual void DrawCaptionButtons(CDC* pDC, std::vector<CTkDockingPaneCaptionButton*>& buttons, CRect* caption,
                                  COLORREF color, int size, int gap, BOOL vertical);
  virtual void DrawCaptionButton(CDC*, CTkDockingPaneCaptionButton*, COLORREF) {}
  virtual void RefreshMetrics();
  virtual void AdjustClientRect(CTkDockingPaneTabbedContainer* container, CRect* rect, BOOL bApply);
  virtual void AdjustCaptionRect(CTkDockingPaneTabbedContainer* container, CRect* rect);
  virtual void DrawFloatingFrame(CDC*, CWnd*, CRect) {}
  virtual void DrawSplitter(CDC* pDC, CTkDockingPaneSplitBar* bar);

  void SetCaptionFont(const LOGFONTW* font, BOOL bUseSystem);
  COLORREF GetColor(int index) const;
  void SetColors(int count, const int* indices, const COLORREF* values);
  int GetXPScheme() const;

  static void DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF color);
  static void FillRectWithBorder(CDC* pDC, const CRect& rect, COLORREF fill, COLORREF border);
  static void SetPixel(CDC* pDC, int x, int y, COLORREF color) { pDC->SetPixel(x, y, color); }
  static void FillFrameGradient(CDC* pDC, const CRect& rect, CWnd* pWnd, const CTkGradientColor* gradient);
  static void DeflateCaptionRect(CRect& rect, int l, int t, int r, int b, BOOL vertical);
  static int CaptionLength(const CRect& rect, BOOL vertical) { return vertical ? rect.Height() : rect.Width(); }
  // Push pin upright, or lying for an auto-hidden pane.
  static void DrawPushPin(CDC* pDC, int x, int y, COLORREF color, BOOL lying);
  static void DrawMaximizeGlyph(CDC* pDC, int x, int y, COLORREF color, BOOL restore);

  // The caption text in the caption font; with measure, its width.
  int DrawCaptionText(CDC* pDC, const CString& title, CRect rect, BOOL vertical, BOOL measure);

  BOOL m_bBoldCaption = TRUE;
  BOOL m_bHighlightActiveCaption = TRUE;
  int m_splitterWidth = 4;
  BOOL m_bDrawCaption = TRUE;
  BOOL m_bShowSingleTab = FALSE;
  CTkColorValue m_splitterShadow;
  CTkColorValue m_splitterFace;
  CTkGradientColor m_splitterGradient;
  int m_splitterStyle = 0;
  int m_captionHeight = 0;
  int m_captionSpacing = 5;
  int m_tabStripHeight = 0;
  CFont m_captionFont;
  CFont m_verticalCaptionFont;
  BOOL m_bPreferTahoma = FALSE;
  BOOL m_bUseSystemCaptionFont = TRUE;
  CTkTabPainter* m_pContainerTabPainter = nullptr;
  CTkTabPainter* m_pAutoHideTabPainter = nullptr;
  COLORREF m_colors[kColorCount] = {};
  int m_theme = 0;
  CRect m_captionMargins{0, 2, 0, 1};
  int m_xpScheme = 5;
};

class CTkDockingPaneTheme0 : public CTkDockingPanePainter {
 public:
  CTkDockingPaneTheme0() = default;
  void DrawCaption(CDC* pDC, CTkDockingPaneTabbedContainer* container, CRect rect) override;
  void DrawCaptionButton(CDC* pDC, CTkDockingPaneCaptionButton* button, COLORREF color) override;
  void DrawFloatingFrame(CDC* pDC, CWnd* pFrame, CRect rect) override;
  virtual void DrawCaptionContent(CDC* pDC, CTkDockingPaneNode* owner, CRect caption, const CString& title,
                                  BOOL active, BOOL vertical);

 protected:
  // The band of themes 0 and 4 below the container's top edge.
  void DrawCaptionBand(CDC* pDC, CTkDockingPaneTabbedContainer* container, CRect rect, COLORREF fill, int start);
  static std::vector<CTkDockingPaneCaptionButton*>& ButtonsOf(CTkDockingPaneNode* owner);
  // A floating frame's own active flag; another window is active while it
  // is the active window.
  static BOOL IsFloatingFrameActive(CWnd* pFrame);
};

class CTkDockingPaneTheme4 : public CTkDockingPaneTheme0 {
 public:
  CTkDockingPaneTheme4() = default;
  void DrawCaption(CDC* pDC, CTkDockingPaneTabbedContainer* container, CRect rect) override;
  void DrawCaptionButton(CDC* pDC, CTkDockingPaneCaptionButton* button, COLORREF color) override;
  void DrawFloatingFrame(CDC* pDC, CWnd* pFrame, CRect rect) override;
  void DrawCaptionContent(CDC* pDC, CTkDockingPaneNode* owner, CRect caption, const CString& title, BOOL active,
                          BOOL vertical) override;
  virtual void DrawButtonGlyph(CDC* pDC, CTkDockingPaneCaptionButton* button, int x, int y, COLORREF color);
};

class CTkDockingPaneTheme1 : public CTkDockingPaneTheme4 {
 public:
  CTkDockingPaneTheme1();
  void RefreshMetrics() override;
  void DrawCaptionContent(CDC* pDC, CTkDockingPaneNode* owner, CRect caption, const CString& title, BOOL active,
                          BOOL vertical) override;
  virtual COLORREF DrawCaptionBackground(CDC* pDC, CTkDockingPaneNode* owner, CRect caption, BOOL active,
                                         BOOL vertical);

  BOOL m_bGradientCaptions = FALSE;
  CTkGradientColor m_inactiveCaption;
  CTkGradientColor m_activeCaption;
  CTkColorValue m_inactiveCaptionText;
  CTkColorValue m_activeCaptionText;
};

class CTkDockingPaneTheme5 : public CTkDockingPaneTheme1 {
 public:
  CTkDockingPaneTheme5();
  void RefreshMetrics() override { CTkDockingPanePainter::RefreshMetrics(); }
  void DrawPane(CDC* pDC, CTkDockingPaneTabbedContainer* container, CRect rect) override;
  void DrawCaption(CDC* pDC, CTkDockingPaneTabbedContainer* container, CRect rect) override;
  void DrawCaptionButton(CDC* pDC, CTkDockingPaneCaptionButton* button, COLORREF color) override;
  void AdjustCaptionRect(CTkDockingPaneTabbedContainer* container, CRect* rect) override;
  void DrawFloatingFrame(CDC* pDC, CWnd* pFrame, CRect rect) override;

 private:
  void DrawGrip(CDC* pDC, const CRect& caption, int start, int end, COLORREF color, BOOL vertical);
};

class CTkDockingPaneTheme8 : public CTkDockingPaneTheme4 {
 public:
  CTkDockingPaneTheme8();
  void RefreshMetrics() override;
  void DrawCaptionContent(CDC* pDC, CTkDockingPaneNode* owner, CRect caption, const CString& title, BOOL active,
                          BOOL vertical) override;
  void DrawCaptionButton(CDC* pDC, CTkDockingPaneCaptionButton* button, COLORREF color) override;

  CTkUxThemeHandle m_rebarTheme;
  CTkUxThemeHandle m_toolbarTheme;
};

// The painter of a theme number; unknown numbers give theme 0.
CTkDockingPanePainter* CreateDockingPanePainter(int theme);
