// What the widget tests share: a visible, topmost host window away from
// the other test programs' windows (ctest runs no two of these tests side
// by side: they read the screen and move the pointer), and waits.
#pragma once

#include <functional>
#include <map>

#include "../toolkit/dib_canvas.h"
#include "framework.h"
#include "pump_until.h"
#include "test_app.h"

// A top-level window painted in one colour, or in vertical stripes of two,
// that counts the commands and notifications of its children.
class WidgetHost : public CWnd {
 public:
  explicit WidgetHost(COLORREF background = RGB(255, 255, 255), COLORREF stripes = CLR_NONE, int width = 400,
                      int height = 300);
  ~WidgetHost() override;

  // A pixel as the screen shows it, in the host's client coordinates.
  COLORREF Pixel(int x, int y);
  // The client area as the screen shows it, from (0, 0).
  void Capture(DibCanvas& canvas);
  int Commands(UINT nID, UINT code) { return commands[{nID, code}]; }

  std::map<std::pair<UINT, UINT>, int> commands;
  int paints = 0;

  static const int kLeft = 560;
  static const int kTop = 420;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()

 private:
  COLORREF m_background;
  COLORREF m_stripes;
};

// PumpUntil through the thread's PreTranslateMessage, as the program's
// message loop does.
bool PumpThroughPreTranslateUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
// Moves the real pointer to a point of a window (client coordinates).
void MovePointerTo(CWnd* pWnd, CPoint point);
// The pixels of one colour in an area of a canvas.
int CountColour(DibCanvas& canvas, const CRect& area, COLORREF colour);
// A progress bar whose client area (inside the static edge the progress
// class adds) is width x height.
bool CreateBarWithClient(CProgressCtrl& bar, CWnd* pParent, UINT nID, int width, int height, DWORD style = 0);
// A fixed-size test font, so that sizes do not hang on the prefix's fonts.
HFONT TestFont();
