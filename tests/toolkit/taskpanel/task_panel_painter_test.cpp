// The base paint manager: caption metrics, the expand button's room, the
// classic highlight offset and a few pixels of a drawn panel.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "../dib_canvas.h"
#include "task_panel_fixture.h"

namespace {

TEST(TaskPanelPainter, CaptionButtonNeedsRoomAndAnExpandableGroup) {
  CTkTaskPanel panel;
  CTkTaskPanelGroup* group = panel.AddGroup(L"G");
  CTkTaskPanelPainter* painter = panel.GetPaintManager();
  struct Case {
    int style, width;
    BOOL expandable;
    int expected;
  } cases[] = {{2, 25, TRUE, 0}, {2, 26, TRUE, 23}, {1, 100, TRUE, 23}, {3, 100, TRUE, 19},
               {0, 100, TRUE, 0}, {2, 100, FALSE, 0}};
  for (const Case& c : cases) {
    painter->m_expandButtonStyle = c.style;
    group->m_bExpandable = c.expandable;
    EXPECT_EQ(c.expected, painter->GetCaptionButtonWidth(group, CRect(0, 0, c.width, 25)))
        << c.style << " " << c.width;
  }
}

TEST(TaskPanelPainter, CaptionHeightsAndMargins) {
  CTkTaskPanel panel;
  CTkTaskPanelGroup* group = panel.AddGroup(L"G");
  CTkTaskPanelPainter* painter = panel.GetPaintManager();
  CClientDC dc(nullptr);
  EXPECT_GE(painter->DrawGroupCaption(&dc, group, FALSE), 25);
  group->m_bCaptionVisible = FALSE;
  EXPECT_EQ(1, painter->DrawGroupCaption(&dc, group, FALSE));
  painter->m_bClosedClientBorder = TRUE;
  EXPECT_EQ(0, painter->DrawGroupCaption(&dc, group, FALSE));

  // Only 0x80000000 sides take the paint manager's values.
  group->SetInnerMargins(CRect(kTaskPanelDefaultMetric, 3, kTaskPanelDefaultMetric, 0));
  EXPECT_EQ(CRect(11, 3, 11, 0), painter->GetGroupInnerMargins(group));
  panel.SetGroupSpacing(4);
  EXPECT_EQ(4, painter->GetGroupSpacing(&panel));
  EXPECT_EQ(CRect(12, 12, 12, 12), painter->GetPanelMargins(&panel));
}

TEST(TaskPanelPainter, ClassicSelectedItemsMoveOnePixel) {
  CTkTaskPanel panel;
  CTkTaskPanelGroupItem* item = panel.AddGroup(L"G")->AddItem(L"i");
  CTkTaskPanelPainter* painter = panel.GetPaintManager();
  struct Case {
    int style;
    BOOL selected;
    CPoint offset;
  } cases[] = {{0, TRUE, {1, 1}}, {0, FALSE, {0, 0}}, {1, TRUE, {0, 0}}, {2, TRUE, {0, 0}}};
  for (const Case& c : cases) {
    painter->m_highlightStyle = c.style;
    item->m_bSelected = c.selected;
    EXPECT_EQ(c.offset, painter->GetHighlightOffset(item)) << c.style;
  }
}

// Top left of the pixels of a colour inside a rectangle.
CPoint FirstInked(const DibCanvas& canvas, const CRect& rect, COLORREF color) {
  CPoint found(INT_MAX, INT_MAX);
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) {
      if (canvas.Pixel(x, y) != color) continue;
      found.x = std::min(found.x, static_cast<LONG>(x));
      found.y = std::min(found.y, static_cast<LONG>(y));
    }
  }
  return found;
}

TEST(TaskPanelPainter, ClassicSelectedItemsAreDrawnOnePixelLowerRight) {
  PanelFixture f(240, 200);
  f.panel.SelectPaintTheme(0);
  f.panel.SetHotTrackStyle(3);
  CTkTaskPanelGroupItem* link = f.AddGroup(L"G", 1)->GetItemAt(0);
  CRect rect = link->GetHitRect();
  rect.DeflateRect(2, 2);
  CPoint text[2];
  for (BOOL selected : {FALSE, TRUE}) {
    link->SetSelected(selected);
    DibCanvas canvas(240, 200);
    f.panel.DrawPanel(&canvas.dc);
    ::GdiFlush();
    text[selected] = FirstInked(canvas, rect, ::GetSysColor(COLOR_BTNTEXT));
    ASSERT_NE(INT_MAX, text[selected].x) << "no text drawn";
  }
  EXPECT_EQ(text[0] + CPoint(1, 1), text[1]);
}

TEST(TaskPanelPainter, DrawsCaptionsClientsAndItems) {
  PanelFixture f(240, 300);
  f.panel.SelectPaintTheme(0);
  CTkTaskPanelGroup* normal = f.AddGroup(L"Normal", 2);
  CTkTaskPanelGroup* special = f.AddGroup(L"Special", 1);
  special->SetSpecial(TRUE);
  DibCanvas canvas(240, 300);
  canvas.Fill(RGB(1, 2, 3));
  f.panel.DrawPanel(&canvas.dc);
  ::GdiFlush();
  CRect caption = normal->GetCaptionRect();
  CRect client = normal->GetClientRect();
  EXPECT_EQ(::GetSysColor(COLOR_WINDOW), canvas.Pixel(2, 2)) << "panel background";
  EXPECT_EQ(::GetSysColor(COLOR_3DFACE), canvas.Pixel(caption.left + 3, caption.top + 2)) << "normal caption";
  COLORREF specialCaption = canvas.Pixel(special->GetCaptionRect().left + 3, special->GetCaptionRect().top + 2);
  EXPECT_LE(std::abs(GetBValue(::GetSysColor(COLOR_ACTIVECAPTION)) - GetBValue(specialCaption)), 1);
  EXPECT_LE(std::abs(GetGValue(::GetSysColor(COLOR_ACTIVECAPTION)) - GetGValue(specialCaption)), 1);
  EXPECT_EQ(::GetSysColor(COLOR_3DFACE), canvas.Pixel(client.left, client.top + 3)) << "left border";
  EXPECT_EQ(::GetSysColor(COLOR_WINDOW), canvas.Pixel(client.left + 3, client.bottom - 3)) << "client";
  // Some text of the first link is drawn in the link colour.
  CRect link = normal->GetItemAt(0)->GetItemRect();
  link.OffsetRect(0, client.top);
  int inked = 0;
  for (int y = link.top; y < link.bottom; ++y)
    for (int x = link.left; x < link.right; ++x) inked += canvas.Pixel(x, y) == ::GetSysColor(COLOR_BTNTEXT) ? 1 : 0;
  EXPECT_GT(inked, 10);
}

}  // namespace
