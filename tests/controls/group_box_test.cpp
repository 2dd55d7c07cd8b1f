#include <gtest/gtest.h>

#include "widget_host.h"
#include "xp_group_box.h"

namespace {

const UINT kBoxId = 700;
const COLORREF kBorder = ::GetSysColor(COLOR_BTNSHADOW);

TEST(XPGroupBoxGeometry, CaptionsSitPerLookAndAlignment) {
  CRect r(1, 1, 201, 101);
  CSize text(40, 12);
  struct Case {
    int style, alignment;
    CRect expected;
  } cases[] = {
      {0, 0, CRect(11, 1, 51, 13)},  {0, 1, CRect(81, 1, 121, 13)}, {0, 2, CRect(151, 1, 191, 13)},
      {1, 0, CRect(3, 3, 43, 15)},   {1, 1, CRect(81, 3, 121, 15)}, {1, 2, CRect(159, 3, 199, 15)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CXPGroupBox::CaptionRect(c.style, c.alignment, r, text), c.expected) << c.style << " " << c.alignment;
}

class GroupBox : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(box.Create(L"Drive", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(20, 20, 220, 120), &host, kBoxId));
    LOGFONTW font = {};
    ::GetObjectW(TestFont(), sizeof font, &font);
    box.SetFontDescription(font);
  }
  WidgetHost host;
  CXPGroupBox box;
};

TEST_F(GroupBox, SettersChainAndFontSettersKeepTheRestOfTheDescription) {
  EXPECT_TRUE(box.GetStyle() & BS_ICON);
  EXPECT_STREQ(box.GetRuntimeClass()->m_lpszClassName, "CXPGroupBox");
  box.SetBackgroundColor(RGB(255, 255, 255)).SetCaptionAlignment(7).SetFontBold(TRUE);
  EXPECT_EQ(box.GetCaptionAlignment(), 0);
  EXPECT_EQ(box.GetFontDescription().lfWeight, FW_BOLD);
  box.SetCaptionAlignment(1);
  EXPECT_EQ(box.GetCaptionAlignment(), 1);
  LOGFONTW before = box.GetFontDescription();
  box.SetFontSize(14);
  const LOGFONTW& after = box.GetFontDescription();
  EXPECT_STREQ(after.lfFaceName, before.lfFaceName);
  EXPECT_EQ(after.lfWeight, FW_BOLD);
  EXPECT_NE(after.lfHeight, before.lfHeight);
  box.SetFontFace(L"DejaVu Serif", ANSI_CHARSET).SetFontItalic(TRUE).SetFontUnderline(TRUE);
  EXPECT_STREQ(box.GetFontDescription().lfFaceName, L"DejaVu Serif");
  EXPECT_TRUE(box.GetFontDescription().lfItalic);
  EXPECT_EQ(box.GetFontDescription().lfHeight, after.lfHeight);
}

TEST_F(GroupBox, TheCaptionSetIsTheOneShown) {
  box.SetCaption(L"Partitions");
  CString text;
  box.GetWindowText(text);
  EXPECT_EQ(text, CString(L" Partitions "));
  EXPECT_EQ(box.GetCaption(), text);
}

TEST_F(GroupBox, TheFrameRunsThroughTheCaptionsMiddleAndStopsBehindIt) {
  box.SetBackgroundColor(RGB(255, 255, 255));
  host.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  CSize extent;
  {
    CClientDC dc(&box);
    HGDIOBJ old = dc.SelectObject(TestFont());
    extent = dc.GetTextExtent(L"Drive");
    dc.SelectObject(old);
  }
  DibCanvas screen(400, 300);
  host.Capture(screen);
  int edge = 20 + 1 + extent.cy / 2;
  EXPECT_EQ(screen.Pixel(20 + 8, edge), kBorder) << "the top edge left of the caption";
  EXPECT_EQ(screen.Pixel(20 + 11 + extent.cx + 6, edge), kBorder) << "right of the caption";
  int borderBehind = 0;
  for (int x = 20 + 11; x < 20 + 11 + extent.cx; ++x) borderBehind += screen.Pixel(x, edge) == kBorder;
  EXPECT_EQ(borderBehind, 0);
  EXPECT_EQ(screen.Pixel(20 + 100, 20 + 60), RGB(255, 255, 255)) << "the frame look leaves the body to the parent";

  // The window look with no caption: a band of no height, the body 4
  // pixels below the top.
  box.SetWindowText(L"");
  box.SetBoxStyle(CXPGroupBox::kWindow).SetBackgroundColors(RGB(255, 0, 0), RGB(0, 0, 255));
  host.Capture(screen);
  EXPECT_EQ(screen.Pixel(20 + 100, 20 + 1 + 4), kBorder);
  EXPECT_EQ(screen.Pixel(20 + 100, 20 + 1 + 2), RGB(255, 0, 0));
  EXPECT_EQ(screen.Pixel(20 + 100, 20 + 60), RGB(0, 0, 255));
}

}  // namespace
