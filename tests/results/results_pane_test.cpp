// The results page's mode text: the mode and the drive type on two lines,
// both inside the static.
#include <gtest/gtest.h>

#include "results_pane.h"
#include "test_app.h"

TEST(ResultsPane, ModeTextShowsBothLinesWhole) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"Results", WS_POPUP | WS_VISIBLE, CRect(0, 0, 850, 600),
                              nullptr, 0));
  CResultsPane pane;
  ASSERT_TRUE(pane.Create(&parent, CRect(0, 0, 850, 600), 1));
  const CString text = L"Selected Mode : Standard Scan \r\nDrive Type        : Physical Drive";
  pane.SetModeText(text);
  PumpPending();

  EXPECT_EQ(pane.ModeText.GetStyle() & SS_CENTERIMAGE, 0u) << "a centred static shows one line only";
  CRect shown;
  pane.ModeText.GetClientRect(&shown);
  CClientDC dc(&pane.ModeText);
  CFont* old = dc.SelectObject(pane.ModeText.GetFont());
  CRect needed(0, 0, 0, 0);
  dc.DrawText(text, &needed, DT_CALCRECT | DT_NOPREFIX);
  const int lineHeight = dc.GetTextExtent(L"Drive").cy;
  dc.SelectObject(old);
  EXPECT_GE(needed.Height(), 2 * lineHeight) << "two lines";
  EXPECT_GE(shown.Height(), needed.Height());
  EXPECT_GE(shown.Width(), needed.Width());
  pane.DestroyWindow();
  parent.DestroyWindow();
}
