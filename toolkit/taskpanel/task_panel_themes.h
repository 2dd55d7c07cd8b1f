// The task panel's themes: paint managers that change the base's metrics,
// colours and some of its drawing.
#pragma once

#include "task_panel_painter.h"

class TaskPanelThemeGradient : public CTkTaskPanelPainter {
 public:
  TaskPanelThemeGradient();
  void RefreshMetrics() override;
};

class TaskPanelThemeDefault : public CTkTaskPanelPainter {
 public:
  TaskPanelThemeDefault() { m_highlightStyle = 2; }
  void RefreshMetrics() override;
};

// Captions as text over the panel, the groups in one rounded frame.
class TaskPanelThemePlain : public CTkTaskPanelPainter {
 public:
  TaskPanelThemePlain();
  void RefreshMetrics() override;
  void FillPanelBackground(CDC* pDC, CTkTaskPanel* panel) override;
  int DrawGroupCaption(CDC* pDC, CTkTaskPanelGroup* group, BOOL draw) override;
  void DrawGroupClientFace(CDC* pDC, CTkTaskPanelGroup* group, CRect rect) override;

  BOOL m_bRoundedFrame = TRUE;
  BOOL m_bNoCaptionMargins = FALSE;
};

class TaskPanelThemePlainFlat : public TaskPanelThemePlain {
 public:
  TaskPanelThemePlainFlat();
  void RefreshMetrics() override;
};

class TaskPanelThemePlainScheme : public TaskPanelThemePlainFlat {
 public:
  TaskPanelThemePlainScheme() { m_highlightStyle = 2; }
  void RefreshMetrics() override;
};

class TaskPanelThemePlainGlyph : public TaskPanelThemePlain {
 public:
  TaskPanelThemePlainGlyph() { m_highlightStyle = 2; }
  void RefreshMetrics() override;
  CRect DrawCaptionButton(CDC* pDC, CTkTaskPanelGroup* group, CRect rect) override;

  BOOL m_bSchemeLook = FALSE;
};

// Raised bar captions in the face colour.
class TaskPanelThemeClassic : public TaskPanelThemePlain {
 public:
  TaskPanelThemeClassic();
  void RefreshMetrics() override;
  int DrawGroupCaption(CDC* pDC, CTkTaskPanelGroup* group, BOOL draw) override;
  // The caption rectangle its content is drawn in.
  virtual CRect DrawCaptionBackground(CDC* pDC, CTkTaskPanelGroup* group, CRect rect);
};

class TaskPanelThemeTree : public TaskPanelThemeClassic {
 public:
  TaskPanelThemeTree();
  void RefreshMetrics() override;
  void FillPanelBackground(CDC* pDC, CTkTaskPanel* panel) override;
  void DrawGroupClientFace(CDC* pDC, CTkTaskPanelGroup* group, CRect rect) override;
  CRect DrawCaptionBackground(CDC* pDC, CTkTaskPanelGroup* group, CRect rect) override;
};

class TaskPanelThemeDark : public TaskPanelThemeClassic {
 public:
  TaskPanelThemeDark();
  void RefreshMetrics() override;
};

class TaskPanelThemeDarkFlat : public TaskPanelThemeDark {
 public:
  TaskPanelThemeDarkFlat();
  void RefreshMetrics() override;
};

class TaskPanelThemeBar : public TaskPanelThemeDarkFlat {
 public:
  TaskPanelThemeBar() { m_highlightStyle = 2; }
  void RefreshMetrics() override;
  CRect DrawCaptionBackground(CDC* pDC, CTkTaskPanelGroup* group, CRect rect) override;

  CTkGradientColor m_hotCaption;
  CTkGradientColor m_pressedCaption;
};

class TaskPanelThemeBarCentred : public TaskPanelThemeBar {
 public:
  TaskPanelThemeBarCentred() { m_captionTextFormat |= DT_CENTER; }
  void RefreshMetrics() override;
  void FillPanelBackground(CDC* pDC, CTkTaskPanel* panel) override;
  void DrawGroupClientFace(CDC* pDC, CTkTaskPanelGroup* group, CRect rect) override;
  CRect DrawCaptionBackground(CDC* pDC, CTkTaskPanelGroup* group, CRect rect) override;
};
