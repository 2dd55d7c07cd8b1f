// A frame for the docking tests: a plain view, an optional bar along the
// top, a docking-pane manager installed in it, a record of every message
// the manager sends the frame and a veto of chosen actions.
#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "docking_arrangement.h"
#include "docking_auto_hide_wnd.h"
#include "docking_hidden_strip.h"
#include "docking_mini_wnd.h"
#include "docking_pane.h"
#include "docking_pane_painter.h"
#include "docking_pane_site.h"
#include "docking_split_group.h"
#include "docking_tabbed_container.h"
#include "framework.h"
#include "pump_until.h"
#include "test_app.h"


struct DockingNote {
  WPARAM code;
  int action;  // the action of code 4, else -1
  CTkDockingPaneObject* pane;
};

class DockingTestFrame : public CFrameWnd {
 public:
  DockingTestFrame() = default;

  // Creates the frame (client 600 x 400) with its view and, when
  // topBarHeight > 0, a bar along the top laid out before the panes.
  BOOL CreateFrame(int topBarHeight = 0);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  std::vector<DockingNote> notes;
  std::vector<int> vetoedActions;
  // When set, also vetoes the actions it answers TRUE for.
  std::function<BOOL(const DockingPaneAction&)> veto;
  BOOL vetoClose = FALSE;
  CWnd view;
  CWnd* topBar = nullptr;
};

// A frame with its manager installed and panes made by id.
class DockingFixture {
 public:
  explicit DockingFixture(int topBarHeight = 0, BOOL install = TRUE);
  ~DockingFixture();
  DockingFixture(const DockingFixture&) = delete;
  DockingFixture& operator=(const DockingFixture&) = delete;

  // A pane of 160 x 120 whose window is a plain child window of the frame.
  CTkDockingPaneObject* MakePane(int id, LPCWSTR title = L"Pane");
  CTkDockingPaneArrangement* Layout() const { return site.GetLayout(); }
  CTkDockingPaneSplitGroup* Top() const { return Layout()->m_pTopContainer; }
  void Relayout() { frame->RecalcLayout(); }
  CRect ViewRect() const;
  int CountActions(int action) const;

  DockingTestFrame* frame;
  CTkDockingPaneSite site;
  std::vector<HWND> paneWindows;
};

// A text picture of a layout's tree: "H[T(1,2),C]" is a horizontal group
// holding a container with panes 1 and 2 and the client node.
// "F{H[T(7)]}" is a floating frame holding pane 7, "S1{T(8)}" the right
// auto-hide strip holding a container of pane 8.
std::string DescribeNode(CTkDockingPaneNode* node);
// The floating frames of a layout in creation order.
std::vector<CTkDockingPaneMiniWnd*> FloatingFrames(CTkDockingPaneArrangement* layout);

// A node whose caption holds the five buttons, each shown on demand.
class ButtonOwner : public CTkDockingPaneNode {
 public:
  ButtonOwner();
  BOOL IsCaptionButtonVisible(CTkDockingPaneCaptionButton* button) override {
    return shown.count(button->GetId()) != 0;
  }
  std::set<int> shown;
};

using PainterPtr = std::unique_ptr<CTkDockingPanePainter, void (*)(CTkDockingPanePainter*)>;
// The painter of a theme with its metrics refreshed, as the manager makes it.
PainterPtr MakeTheme(int theme);
