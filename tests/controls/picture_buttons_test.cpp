#include <gtest/gtest.h>

#include "../toolkit/dib_canvas.h"
#include "hover_button.h"
#include "test_resources.h"
#include "tool_button.h"
#include "widget_host.h"

namespace {

const UINT kToolId = 32822;
const UINT kStatusId = 400;
const COLORREF kNormalTile = RGB(30, 80, 200);
const COLORREF kHoverTile = RGB(90, 150, 240);

// Draws a picture button as its parent's WM_DRAWITEM would, into a canvas.
void Draw(CBitmapButton& button, DibCanvas& canvas, UINT state = 0) {
  canvas.Fill(RGB(1, 2, 3));
  CRect client;
  button.GetClientRect(&client);
  DRAWITEMSTRUCT dis = {ODT_BUTTON, 0, 0, ODA_DRAWENTIRE, state, button.m_hWnd, canvas.dc.m_hDC, client, 0};
  button.DrawItem(&dis);
}

CRect WindowIn(CWnd& host, CWnd& child) { return ChildRect(&host, &child); }

TEST(CToolButton, TakesTheNormalPicturesSizeAndSwapsPicturesOnHover) {
  WidgetHost host;
  CToolButton button;
  ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(5, 6, 105, 106), &host, kToolId));
  EXPECT_TRUE(button.IsKindOf(RUNTIME_CLASS(CToolButton)));
  EXPECT_STREQ(button.GetRuntimeClass()->m_lpszClassName, "CToolButton");
  EXPECT_TRUE(button.SetStateBitmaps(IDB_TEST_TOOL_NORMAL, IDB_TEST_TOOL_HOVER));
  EXPECT_EQ(WindowIn(host, button), CRect(5, 6, 39, 40));
  EXPECT_NE(button.GetHoverCursor(), nullptr);
  EXPECT_NE(button.GetPressCursor(), nullptr);

  DibCanvas canvas(40, 40);
  Draw(button, canvas);
  EXPECT_EQ(canvas.Pixel(4, 30), kNormalTile);
  button.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(button.IsHovering());
  Draw(button, canvas);
  EXPECT_EQ(canvas.Pixel(4, 30), kHoverTile);
  // The larger hover picture is cut to the button; nothing past it is drawn.
  EXPECT_EQ(canvas.Pixel(35, 35), RGB(1, 2, 3));
  button.SendMessage(WM_MOUSELEAVE);
  Draw(button, canvas);
  EXPECT_EQ(canvas.Pixel(4, 30), kNormalTile);
  // Held down, the button shows the hover picture: the user is over it.
  Draw(button, canvas, ODS_SELECTED);
  EXPECT_EQ(canvas.Pixel(4, 30), kHoverTile);
}

TEST(CToolButton, ASecondTipTextReplacesTheFirstAndNullDoesNothing) {
  WidgetHost host;
  CToolButton button;
  ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(), &host, kToolId));
  button.SetStateBitmaps(IDB_TEST_TOOL_NORMAL, IDB_TEST_TOOL_HOVER);
  button.SetTipText(nullptr, TRUE);
  EXPECT_EQ(button.ToolTip().m_hWnd, nullptr);
  CString first(L"Recover Selected"), second(L"Save Snapshot");
  button.SetTipText(&first, TRUE);
  button.SetTipText(&second, TRUE);
  ASSERT_NE(button.ToolTip().m_hWnd, nullptr);
  EXPECT_EQ(button.ToolTip().GetToolCount(), 1);
  WCHAR text[80] = {};
  TTTOOLINFOW info;
  CToolTipCtrl::FillInToolInfo(info, &button, 1);
  info.lpszText = text;
  button.ToolTip().SendMessage(TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(text, L"Save Snapshot");
}

// The start page flag as the tests set it.
int g_startPageActive = 1;
int ReadStartPage() { return g_startPageActive; }

class HoverButtons : public ::testing::Test {
 protected:
  void SetUp() override {
    g_startPageActive = 1;
    StartPageActiveReader = &ReadStartPage;
    ASSERT_TRUE(status.Create(L"", WS_CHILD | WS_VISIBLE, CRect(0, 270, 400, 290), &host, kStatusId));
    ASSERT_TRUE(standard.Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, CRect(0, 0, 10, 10), &host, 131));
    ASSERT_TRUE(raw.Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, CRect(0, 87, 10, 97), &host, 132));
    standard.SetStateBitmaps(IDB_TEST_MODE_NORMAL, IDB_TEST_MODE_HOVER);
    raw.SetStateBitmaps(IDB_TEST_MODE_NORMAL, IDB_TEST_MODE_HOVER);
    standard.StatusWindow = &status;
    standard.Description = L"Select Standard Scan to recover recently deleted iPod files.";
    raw.StatusWindow = &status;
    raw.Description = L"Select Raw Scan to recover files in any corruption case where iPod gets recognized as drive letter.";
    MovePointerTo(&host, CPoint(380, 250));
    PumpPending();
  }
  void TearDown() override { StartPageActiveReader = nullptr; }

  CString Status() {
    CString text;
    status.GetWindowText(text);
    return text;
  }

  WidgetHost host;
  CStatic status;
  CHoverButton standard;
  CHoverButton raw;
};

TEST_F(HoverButtons, WriteTheirDescriptionOncePerEntryAndTheHintOnLeaving) {
  EXPECT_EQ(ChildRect(&host, &standard).Size(), CSize(223, 87));
  MovePointerTo(&standard, CPoint(20, 20));
  ASSERT_TRUE(PumpUntil([&] { return Status() == standard.Description; }));
  ASSERT_TRUE(PumpUntil([&] { return standard.IsHovering(); }));
  // Further moves inside write nothing more.
  status.SetWindowText(L"-");
  MovePointerTo(&standard, CPoint(60, 30));
  MovePointerTo(&standard, CPoint(80, 40));
  PumpUntil([&] { return Status() != L"-"; }, 300);
  EXPECT_EQ(Status(), CString(L"-"));
  // Straight onto the other button: its description stays, however late
  // the first one's leave arrives.
  MovePointerTo(&raw, CPoint(80, 40));
  ASSERT_TRUE(PumpUntil([&] { return !standard.IsHovering() && raw.IsHovering(); }));
  PumpUntil([&] { return Status() != raw.Description; }, 300);
  EXPECT_EQ(Status(), raw.Description);
  MovePointerTo(&host, CPoint(380, 250));
  ASSERT_TRUE(PumpUntil([&] { return Status() == L"Please Select Recovery Option."; }));
  // A new entry writes the description again.
  MovePointerTo(&standard, CPoint(20, 20));
  ASSERT_TRUE(PumpUntil([&] { return Status() == standard.Description; }));
}

TEST_F(HoverButtons, ChangePicturesButWriteNothingWhileTheStartPageIsNotActive) {
  g_startPageActive = 0;
  status.SetWindowText(L"unchanged");
  MovePointerTo(&standard, CPoint(20, 20));
  ASSERT_TRUE(PumpUntil([&] { return standard.IsHovering(); }));
  MovePointerTo(&host, CPoint(380, 250));
  ASSERT_TRUE(PumpUntil([&] { return !standard.IsHovering(); }));
  EXPECT_EQ(Status(), CString(L"unchanged"));
  // Nor without a status window, nor without a reader installed.
  g_startPageActive = 1;
  standard.StatusWindow = nullptr;
  StartPageActiveReader = nullptr;
  raw.StatusWindow = &status;
  MovePointerTo(&raw, CPoint(20, 20));
  ASSERT_TRUE(PumpUntil([&] { return raw.IsHovering(); }));
  EXPECT_EQ(Status(), CString(L"unchanged"));
}

}  // namespace
