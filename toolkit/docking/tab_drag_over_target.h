// A drop target for a window of pane tabs: an OLE drag hovering over a tab
// shows that tab's pane, and nothing is ever dropped.
#pragma once

#include "framework.h"

template <typename TabWindow>
class CTkTabDragOverTarget : public COleDropTarget {
 public:
  explicit CTkTabDragOverTarget(TabWindow* window) : m_pWindow(window) {}
  DROPEFFECT OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint point) override {
    m_pWindow->OnDragOverTab(point);
    return DROPEFFECT_NONE;
  }
  DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point) override {
    m_pWindow->OnDragOverTab(point);
    return DROPEFFECT_NONE;
  }

 private:
  TabWindow* m_pWindow;
};
