#include "task_panel.h"

CTkTaskPanel::~CTkTaskPanel() {
  if (m_hWnd != nullptr) DestroyWindow();
}
