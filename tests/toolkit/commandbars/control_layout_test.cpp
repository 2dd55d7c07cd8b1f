#include <gtest/gtest.h>

#include <vector>

#include "bar_fixtures.h"
#include "test_painter.h"

namespace {

// Separators 4 pixels each way, so group gaps show in the rectangles.
class SeparatorPainter : public TestPainter {
 public:
  CSize DrawSeparator(CDC*, CTkCommandBar*, CTkControl*, BOOL) override { return CSize(4, 4); }
};

struct Item {
  int width;
  int height;
  BOOL group;
  int flags;
};

class LayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bar = new CTkCommandBar;
    bar->SetPaintManager(new SeparatorPainter);
  }
  void TearDown() override { bar->InternalRelease(); }
  void Add(const std::vector<Item>& items) {
    for (const Item& item : items) {
      FixedControl* control = new FixedControl(item.width, item.height);
      bar->GetControls()->AddControl(control, 0);
      control->SetBeginGroup(item.group);
      control->SetFlags(item.flags);
    }
  }
  CSize Calc(int length, DWORD& flags, CRect borders = CRect(0, 0, 0, 0), int minimum = 0) {
    return bar->GetControls()->CalcDynamicSize(nullptr, length, flags, borders, minimum);
  }
  CRect RectOf(int index) const { return bar->GetControl(index)->GetRect(); }

  CTkCommandBar* bar = nullptr;
};

TEST_F(LayoutTest, RowsWrapAtGroupStarts) {
  struct Case {
    const char* name;
    std::vector<Item> items;
    int length;
    std::vector<CRect> rects;
    CSize size;
  };
  const Case cases[] = {
      // The row breaks before the second group, not in its middle.
      {"group wrap",
       {{20, 20, FALSE, 0}, {20, 20, FALSE, 0}, {20, 20, TRUE, 0}, {20, 20, FALSE, 0}, {20, 20, FALSE, 0}},
       90,
       {{0, 0, 20, 20}, {20, 0, 40, 20}, {0, 24, 20, 44}, {20, 24, 40, 44}, {40, 24, 60, 44}},
       {60, 44}},
      // A single group breaks at the control that overflows.
      {"one long group",
       {{20, 20, FALSE, 0}, {20, 20, FALSE, 0}, {20, 20, FALSE, 0}, {20, 20, FALSE, 0}, {20, 20, FALSE, 0}},
       90,
       {{0, 0, 20, 20}, {20, 0, 40, 20}, {40, 0, 60, 20}, {60, 0, 80, 20}, {0, 20, 20, 40}},
       {80, 40}},
      // A wrap point is never passed: the third row starts at the overflow.
      {"earlier wrap point",
       {{20, 20, FALSE, 0}, {50, 20, TRUE, 0}, {20, 20, FALSE, 0}, {20, 20, FALSE, 0}},
       60,
       {{0, 0, 20, 20}, {0, 24, 50, 44}, {0, 44, 20, 64}, {20, 44, 40, 64}},
       {50, 64}},
      // Shorter rows are centred across the taller one.
      {"centred rows",
       {{20, 30, FALSE, 0}, {20, 10, FALSE, 0}},
       90,
       {{0, 0, 20, 30}, {20, 10, 40, 20}},
       {40, 30}},
  };
  for (const Case& c : cases) {
    bar->GetControls()->RemoveAll();
    Add(c.items);
    DWORD flags = kLayoutHorzDock | kLayoutCommit;
    EXPECT_EQ(c.size, Calc(c.length, flags)) << c.name;
    for (size_t i = 0; i < c.rects.size(); ++i) EXPECT_EQ(c.rects[i], RectOf(static_cast<int>(i))) << c.name << " " << i;
    EXPECT_EQ(c.size.cy > 30, (flags & kLayoutStretch) != 0) << c.name << ": the caller learns of the wrap";
  }
}

TEST_F(LayoutTest, HideInsteadOfWrapKeepsTheFirstControl) {
  Add({{100, 20, FALSE, 0}, {20, 20, FALSE, 0}, {20, 20, TRUE, 0}});
  DWORD flags = kLayoutHorzDock | kLayoutCommit | kLayoutHideWrapped;
  EXPECT_EQ(CSize(104, 24), Calc(54, flags, CRect(2, 2, 2, 2)));
  EXPECT_EQ(CRect(2, 2, 102, 22), RectOf(0));
  EXPECT_EQ(0, bar->GetControl(0)->GetHideFlags());
  EXPECT_EQ(kHideWrapped, bar->GetControl(1)->GetHideFlags());
  EXPECT_EQ(kHideWrapped, bar->GetControl(2)->GetHideFlags());
  EXPECT_NE(0u, flags & kLayoutStretch);
  // With room again the controls come back.
  flags = kLayoutHorzDock | kLayoutCommit | kLayoutHideWrapped;
  Calc(400, flags);
  EXPECT_EQ(0, bar->GetControl(2)->GetHideFlags());
  EXPECT_EQ(0u, flags & kLayoutStretch);
}

TEST_F(LayoutTest, VerticalColumnsGoLeftwardsThenMoveInsideTheBorders) {
  Add({{20, 20, FALSE, 0}, {20, 20, FALSE, 0}, {20, 20, FALSE, 0}});
  DWORD flags = kLayoutVertical | kLayoutCommit;
  EXPECT_EQ(CSize(46, 48), Calc(50, flags, CRect(2, 3, 4, 5)));
  EXPECT_EQ(CRect(22, 3, 42, 23), RectOf(0));
  EXPECT_EQ(CRect(22, 23, 42, 43), RectOf(1));
  EXPECT_EQ(CRect(2, 3, 22, 23), RectOf(2));
  EXPECT_TRUE(bar->GetControl(2)->GetWrap());
}

TEST_F(LayoutTest, AlignmentAndStretching) {
  struct Case {
    const char* name;
    std::vector<Item> items;
    int length;
    DWORD flags;
    std::vector<CRect> rects;
  };
  const Case cases[] = {
      {"7 pixels for two stretched controls",
       {{20, 20, FALSE, kFlagStretched}, {20, 20, FALSE, kFlagStretched}},
       47,
       kLayoutStretch,
       {{0, 0, 23, 20}, {23, 0, 47, 20}}},
      {"a right-aligned control at the far end",
       {{20, 20, FALSE, 0}, {20, 20, FALSE, 0}, {20, 20, FALSE, kFlagRightAligned}},
       100,
       kLayoutStretch,
       {{0, 0, 20, 20}, {20, 0, 40, 20}, {80, 0, 100, 20}}},
      {"stretching stops at the right-aligned controls",
       {{20, 20, FALSE, kFlagStretched}, {20, 20, FALSE, kFlagRightAligned}},
       100,
       kLayoutStretch,
       {{0, 0, 80, 20}, {80, 0, 100, 20}}},
      {"without room nothing moves",
       {{20, 20, FALSE, kFlagStretched}, {20, 20, FALSE, kFlagRightAligned}},
       40,
       0,
       {{0, 0, 20, 20}, {20, 0, 40, 20}}},
  };
  for (const Case& c : cases) {
    bar->GetControls()->RemoveAll();
    Add(c.items);
    DWORD flags = kLayoutHorzDock | kLayoutCommit | c.flags;
    Calc(c.length, flags);
    for (size_t i = 0; i < c.rects.size(); ++i) EXPECT_EQ(c.rects[i], RectOf(static_cast<int>(i))) << c.name << " " << i;
  }
}

TEST_F(LayoutTest, SizesWithoutVisibleControls) {
  Add({{20, 20, FALSE, 0}});
  bar->GetControl(0)->SetHideFlags(kHideByUser);
  DWORD flags = kLayoutHorzDock;
  EXPECT_EQ(CSize(23 + 5, 22 + 9), Calc(400, flags, CRect(2, 4, 3, 5)));
  flags = kLayoutHorzDock;
  EXPECT_EQ(CSize(23 + 5, 40), Calc(400, flags, CRect(2, 4, 3, 5), 40)) << "the minimum raises the height";
  flags = kLayoutVertical;
  EXPECT_EQ(CSize(40, 22 + 9), Calc(400, flags, CRect(2, 4, 3, 5), 40)) << "and otherwise the width";
}

TEST_F(LayoutTest, SearchesForTheNarrowestShape) {
  // Fit to a width: the narrowest width that keeps the number of rows.
  Add({{20, 20, FALSE, 0}, {20, 20, FALSE, 0}, {20, 20, FALSE, 0}, {20, 20, FALSE, 0}, {20, 20, FALSE, 0}});
  DWORD flags = kLayoutCommit;
  EXPECT_EQ(CSize(60, 40), Calc(70, flags));
  EXPECT_EQ(CRect(0, 20, 20, 40), RectOf(3));

  // The length can come from the bar's preferred width.
  bar->SetMRUWidth(45);
  flags = kLayoutHorzDock | kLayoutMRUWidth | kLayoutCommit;
  EXPECT_EQ(CSize(40, 60), Calc(1000, flags));

  // A floating bar without a preferred width takes a roughly square shape,
  // and the search ends.
  bar->GetControls()->RemoveAll();
  for (int i = 0; i < 12; ++i) Add({{20, 20, FALSE, 0}});
  bar->SetMRUWidth(0);
  flags = kLayoutFloatingShape | kLayoutCommit;
  const CSize square = Calc(0, flags);
  EXPECT_GE(square.cx, square.cy);
  EXPECT_LE(square.cx, 2 * square.cy);
  // A floating bar with a preferred width wraps there.
  bar->SetMRUWidth(100);
  flags = kLayoutFloatingShape | kLayoutCommit;
  EXPECT_EQ(CSize(100, 60), Calc(0, flags));
}

}  // namespace
