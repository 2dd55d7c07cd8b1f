// The gradient pane themes: 2 (rounded gradient captions, the program's
// own), 7 (square captions in a large font), 6 (captions and tab headers
// in a gradient across the frame), 9 (6 with slim tabs and outlined
// captions), and 3 (the visual style's window and explorer-bar parts);
// and the two tab colour sets themes 6 and 9 give their tab painters.
#pragma once

#include "docking_pane_painter.h"
#include "tab_palette.h"

class CTkDockingPaneTheme2 : public CTkDockingPaneTheme1 {
 public:
  CTkDockingPaneTheme2();
  void RefreshMetrics() override;
  void DrawCaption(CDC* pDC, CTkDockingPaneTabbedContainer* container, CRect rect) override;
  void DrawCaptionButton(CDC* pDC, CTkDockingPaneCaptionButton* button, COLORREF color) override;
  void DrawFloatingFrame(CDC* pDC, CWnd* pFrame, CRect rect) override;
  void DrawCaptionContent(CDC* pDC, CTkDockingPaneNode* owner, CRect caption, const CString& title, BOOL active,
                          BOOL vertical) override;
  // The hot or pressed face; may change the colour the glyph takes.
  virtual void DrawButtonFace(CDC* pDC, CTkDockingPaneCaptionButton* button, COLORREF* glyph);

  BOOL m_bXPColors = FALSE;
  BOOL m_bDottedGrip = FALSE;
  BOOL m_bRoundedCaption = FALSE;
};

class CTkDockingPaneTheme7 : public CTkDockingPaneTheme2 {
 public:
  CTkDockingPaneTheme7();
  void RefreshMetrics() override;
};

class CTkDockingPaneTheme3 : public CTkDockingPaneTheme1 {
 public:
  CTkDockingPaneTheme3();
  void RefreshMetrics() override;
  void DrawCaption(CDC* pDC, CTkDockingPaneTabbedContainer* container, CRect rect) override;
  void DrawCaptionButton(CDC* pDC, CTkDockingPaneCaptionButton* button, COLORREF color) override;
  void DrawFloatingFrame(CDC* pDC, CWnd* pFrame, CRect rect) override;
  void DrawCaptionContent(CDC* pDC, CTkDockingPaneNode* owner, CRect caption, const CString& title, BOOL active,
                          BOOL vertical) override;

  CTkUxThemeHandle m_windowTheme;
  CTkUxThemeHandle m_explorerBarTheme;
};

class CTkDockingPaneTheme6 : public CTkDockingPaneTheme1 {
 public:
  CTkDockingPaneTheme6();
  void RefreshMetrics() override;
};

class CTkDockingPaneTheme9 : public CTkDockingPaneTheme6 {
 public:
  CTkDockingPaneTheme9();
  void RefreshMetrics() override;
  COLORREF DrawCaptionBackground(CDC* pDC, CTkDockingPaneNode* owner, CRect caption, BOOL active,
                                 BOOL vertical) override;

  COLORREF m_outline = 0;
};

// Tab headers in one gradient across the frame, tabs filled in the XP
// scheme's gradient or plainly, or only the selected one.
class CTkDockingPaneTabColorSet : public CTkTabPaletteXP {
 public:
  explicit CTkDockingPaneTabColorSet(BOOL whiteSelectedFace, BOOL selectedOnlyFill = FALSE)
      : m_bSelectedOnlyFill(selectedOnlyFill), m_bWhiteSelectedFace(whiteSelectedFace) {}
  void RefreshColors() override;
  void FillHeader(CDC* pDC, const CRect& rc, const CTkTabSet* strip) override;
  COLORREF FillTab(CDC* pDC, const CRect& rc, const CTkTabManagerItem* item) override;
  void DrawNavigateButtonFace(CDC* pDC, CTkTabScrollButton* button, CRect* rc) override;

  BOOL m_bXPFill = FALSE;
  BOOL m_bSelectedOnlyFill;
  BOOL m_bWhiteSelectedFace;
};

// The frame-gradient set with plain tabs and, under an XP scheme, grey text.
class CTkDockingPaneSlimTabColorSet : public CTkDockingPaneTabColorSet {
 public:
  using CTkDockingPaneTabColorSet::CTkDockingPaneTabColorSet;
  void RefreshColors() override;
};
