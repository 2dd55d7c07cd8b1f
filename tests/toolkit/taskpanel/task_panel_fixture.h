// A task panel filling a small top-level owner window that records every
// notification the panel sends and answers chosen codes.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "framework.h"
#include "pump_until.h"
#include "task_panel.h"

struct PanelNote {
  WPARAM code;
  LPARAM param;
  // For code 6, the request's group and state.
  CTkTaskPanelGroup* group = nullptr;
  BOOL expanded = FALSE;
};

class PanelOwner : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  std::vector<PanelNote> notes;
  std::map<WPARAM, LRESULT> answers;
  // Runs inside the notification, after it is recorded.
  std::function<void(WPARAM, LPARAM)> onNote;

  int Count(WPARAM code) const;
};

class PanelFixture {
 public:
  // The panel's client size.
  explicit PanelFixture(int width = 240, int height = 400, int mode = kPanelModeIndependent);
  ~PanelFixture();
  PanelFixture(const PanelFixture&) = delete;
  PanelFixture& operator=(const PanelFixture&) = delete;

  // A group with links named caption + index.
  CTkTaskPanelGroup* AddGroup(LPCWSTR caption, int links, int type = kTaskItemLink);
  // Client point at the centre of the item's hit rectangle.
  CPoint CentreOf(CTkTaskPanelItem* item) const;
  void Click(CTkTaskPanelItem* item);
  void Send(UINT message, CPoint point, WPARAM flags = 0);
  void SettleAnimation();

  PanelOwner owner;
  CTkTaskPanel panel;
};

// Pumps messages until the condition holds or the time runs out.
template <class Condition>
bool WaitFor(Condition condition, DWORD timeout = 3000) {
  return PumpUntil(condition, timeout);
}
