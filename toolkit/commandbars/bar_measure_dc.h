#pragma once

#include "bar_painter.h"
#include "command_bar.h"
#include "draw_helpers.h"

// A device context for measuring with the control font of a bar's look.
class CTkBarMeasureDC {
 public:
  explicit CTkBarMeasureDC(CTkCommandBar* bar) : m_dc(nullptr), m_font(&m_dc, FontOf(bar)) {}
  CDC* Get() { return &m_dc; }

 private:
  static CFont* FontOf(CTkCommandBar* bar) {
    CTkBarPainter* painter = bar->GetPaintManager();
    return painter != nullptr ? painter->GetControlFont(bar->GetPosition(), FALSE) : nullptr;
  }
  CWindowDC m_dc;
  CTkFontSelector m_font;
};
