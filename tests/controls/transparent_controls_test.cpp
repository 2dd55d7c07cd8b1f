#include <gtest/gtest.h>

#include "test_resources.h"
#include "transparent_controls.h"
#include "widget_host.h"

namespace {

const UINT kStaticId = 500;
const COLORREF kStripe = RGB(200, 220, 255);
const COLORREF kGround = RGB(255, 255, 255);

TEST(CTransparentStatic, AShorterTextLeavesNothingOfTheLongerOne) {
  WidgetHost host(kGround, kStripe);
  CTransparentStatic label;
  ASSERT_TRUE(label.Create(L"Please wait, searching for Partition...", WS_CHILD | WS_VISIBLE, CRect(10, 10, 390, 40),
                           &host, kStaticId));
  EXPECT_TRUE(label.IsKindOf(RUNTIME_CLASS(CTransparentStatic)));
  label.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(TestFont()));
  host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  // Text pixels are neither of the two background colours; the stripes show
  // between the letters.
  DibCanvas screen(400, 300);
  auto textPixels = [&](int left, int right) {
    host.Capture(screen);
    int count = 0;
    for (int x = left; x < right; ++x)
      for (int y = 10; y < 40; ++y) {
        COLORREF c = screen.Pixel(x, y);
        count += c != kStripe && c != kGround;
      }
    return count;
  };
  host.Capture(screen);
  int stripes = 0;
  for (int x = 10; x < 40; ++x) stripes += screen.Pixel(x, 12) == kStripe;
  EXPECT_GT(stripes, 0) << "the static paints no box of its own";
  ASSERT_GT(textPixels(120, 390), 0);

  label.SetWindowText(L"Done");
  PumpPending();
  EXPECT_EQ(textPixels(120, 390), 0) << "the parent repainted under the old text";
  EXPECT_GT(textPixels(10, 60), 0);
  // The same text again still repaints the parent's area.
  int paints = host.paints;
  label.SetWindowText(L"Done");
  EXPECT_GT(host.paints, paints);
}

TEST(CTransparentButton, LeavesItsBackgroundToTheParent) {
  WidgetHost host(kGround, kStripe);
  CTransparentButton radio;
  ASSERT_TRUE(radio.Create(L"Search", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(10, 10, 200, 30), &host,
                           kStaticId));
  HDC hDC = ::GetDC(radio.m_hWnd);
  LRESULT brush = host.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(radio.m_hWnd));
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(brush), ::GetStockObject(NULL_BRUSH));
  EXPECT_EQ(::GetBkMode(hDC), TRANSPARENT);
  ::ReleaseDC(radio.m_hWnd, hDC);
}

TEST(CClipDialog, IsCreatedClippingItsSiblingsAndChildren) {
  WidgetHost host;
  CClipDialog* dialog = new CClipDialog(&host);
  ASSERT_TRUE(dialog->Create(IDD_TEST_CLIP, &host));
  DWORD style = dialog->GetStyle();
  EXPECT_TRUE(style & WS_CLIPSIBLINGS);
  EXPECT_TRUE(style & WS_CLIPCHILDREN);
  EXPECT_TRUE(style & WS_CHILD);
  dialog->DestroyWindow();
  delete dialog;
}

}  // namespace
