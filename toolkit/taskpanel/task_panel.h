// The task panel: groups of items in a pane. A frame holds one; it is made
// a window only when a program shows it.
#pragma once

#include "framework.h"

class CTkTaskPanel : public CWnd {
 public:
  CTkTaskPanel() = default;
  ~CTkTaskPanel() override;
};
