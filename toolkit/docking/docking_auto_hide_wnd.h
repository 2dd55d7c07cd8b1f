// The window an auto-hidden container slides out in: a child of the frame
// laid over the docked panes from the strip's edge, holding the container
// at its docked size. It slides back in once the pointer has stayed away
// and the container has lost the focus; its inner edge is a band the user
// resizes it by.
#pragma once

#include "docking_pane_node.h"
#include "framework.h"

class CTkDockingPaneHiddenStrip;
class CTkDockingPaneTabbedContainer;
class CTkDockingPaneSite;

class CTkDockingPaneAutoHideWnd : public CMiniFrameWnd {
  DECLARE_DYNAMIC(CTkDockingPaneAutoHideWnd)
 public:
  // Creates the window and starts sliding it out.
  CTkDockingPaneAutoHideWnd(CTkDockingPaneHiddenStrip* strip, CTkDockingPaneTabbedContainer* container);

  void RecalcLayout(BOOL bNotify = TRUE) override;

  // Hides the window, gives the container back to the frame and lets the
  // window destroy itself.
  void Close();
  // Starts the delayed close: the window forgets its container and strip,
  // so that nothing it refers to can go away before it does.
  void CloseDelayed();
  // The band's allowed positions (screen, its leading edge) and the band.
  BOOL GetLimits(RECT* range, RECT* band);
  void GetMinMaxInfo(MINMAXINFO* pInfo, BOOL bAddBand);
  // The window rectangle of a slide step, in the frame's client coordinates.
  CRect GetStepRect(int step) const;
  // Resizes to a band placed at band (screen) as a finished resize does.
  void ApplyBand(const CRect& band);

  CTkDockingPaneTabbedContainer* m_pContainer;
  CTkDockingPaneHiddenStrip* m_pStrip;
  int m_side;
  BOOL m_bVertical;
  int m_step = 0;
  int m_steps = 8;
  BOOL m_bSlidingIn = FALSE;
  CRect m_targetRect{0, 0, 0, 0};
  int m_countdown = 6;
  BOOL m_bResizing = FALSE;

  enum { kTimerWatch = 1, kTimerSlideOut = 2, kTimerSlideIn = 3, kTimerClose = 4 };
  enum { kStepTime = 16, kWatchTime = 100, kCloseDelay = 50, kCountdown = 6, kBand = 4 };

 protected:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void PostNcDestroy() override;
  afx_msg void OnPaint();
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  DECLARE_MESSAGE_MAP()

 private:
  CTkDockingPaneSite* GetSite() const;
  // The side on the screen: mirrored for a right-to-left frame.
  int ScreenSide() const;
  CRect GetDockedArea() const;
  void MoveToStep();
  void Watch();
  void TrackLive(CPoint point, const CRect& range);
  // Stops the timers, gives the container back to the frame (with
  // onlyOwnChild, only while this window still holds it) and forgets it and
  // the strip before the window is closed.
  void LetGo(BOOL onlyOwnChild);
};
