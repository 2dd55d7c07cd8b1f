// The docking-pane manager a frame installs: an invisible child window of
// the frame that panes would be laid out from, and the pane theme. The
// program adds no pane.
#pragma once

#include "framework.h"

class CTkDockingPaneSite : public CWnd {
 public:
  CTkDockingPaneSite() = default;
  ~CTkDockingPaneSite() override;

  // Creates the site's window in the frame once; TRUE when it exists.
  BOOL InstallInFrame(CFrameWnd* pFrame);
  void SetPaneTheme(int theme) { m_paneTheme = theme; }
  int GetPaneTheme() const { return m_paneTheme; }
  CFrameWnd* GetSite() const { return m_pFrame; }

 private:
  CFrameWnd* m_pFrame = nullptr;
  int m_paneTheme = 0;
};
