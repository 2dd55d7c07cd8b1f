#include <gtest/gtest.h>

#include "bar_fixtures.h"
#include "dib_canvas.h"

namespace {

// Three controls 20 pixels wide from x = 2, the third beginning a group.
class CustomizeTest : public BarWindowTest {
 protected:
  void SetUp() override {
    BarWindowTest::SetUp();
    for (int i = 0; i < 3; ++i) AddFixed(kCmdEnabled + i);
    bar->GetControl(2)->SetBeginGroup(TRUE);
    PlaceInRow(FALSE);
  }
  // Horizontal: 2..22, 22..42, 42..62 across 2..22; vertical: the same down.
  void PlaceInRow(BOOL vertical) {
    bar->SetPosition(vertical ? kBarLeft : kBarTop);
    for (int i = 0; i < 3; ++i) {
      const int start = 2 + 20 * i;
      bar->GetControl(i)->SetControlRect(vertical ? CRect(2, start, 22, start + 20) : CRect(start, 2, start + 20, 22));
    }
  }
};

TEST_F(CustomizeTest, DropPositions) {
  struct Case {
    BOOL vertical;
    int along;  // x, or y in a vertical bar
    int index;
    BOOL after;
    int markerStart;
  };
  const Case cases[] = {
      {FALSE, 5, 0, FALSE, 2},   // before the first control, at its leading edge
      {FALSE, 15, 0, TRUE, 19},  // after it: on the edge, the next control goes on
      {FALSE, 40, 1, TRUE, 36},  // after the second: inside, the next begins a group
      {FALSE, 70, 2, TRUE, 56},  // after the last: inside
      {TRUE, 5, 0, FALSE, 2},
      {TRUE, 15, 0, TRUE, 19},
      {TRUE, 40, 1, TRUE, 36},
  };
  for (const Case& c : cases) {
    PlaceInRow(c.vertical);
    int index = -2;
    BOOL after = FALSE;
    CRect marker;
    bar->FindDropPosition(c.vertical ? CPoint(10, c.along) : CPoint(c.along, 10), nullptr, index, after, marker);
    EXPECT_EQ(c.index, index) << c.vertical << " " << c.along;
    EXPECT_EQ(c.after, after) << c.vertical << " " << c.along;
    const CRect expected = c.vertical ? CRect(2, c.markerStart, 22, c.markerStart + 6)
                                      : CRect(c.markerStart, 2, c.markerStart + 6, 22);
    EXPECT_EQ(expected, marker) << c.vertical << " " << c.along;
  }
  // A marker on the dragged control itself is empty.
  PlaceInRow(FALSE);
  int index = -2;
  BOOL after = FALSE;
  CRect marker;
  bar->FindDropPosition(CPoint(30, 10), bar->GetControl(1), index, after, marker);
  EXPECT_EQ(1, index);
  EXPECT_TRUE(marker.IsRectEmpty());
  // An empty bar takes the control at its start.
  bar->GetControls()->RemoveAll();
  bar->FindDropPosition(CPoint(30, 10), nullptr, index, after, marker);
  EXPECT_EQ(-1, index);
  EXPECT_EQ(CRect(2, 2, 8, 28), marker);
}

TEST_F(CustomizeTest, DroppingAControlOnItsOwnPlace) {
  struct Case {
    int moved;
    int x;  // where the control is dropped
    BOOL groupBefore;
    BOOL groupAfter;
  };
  const Case cases[] = {
      {4, 38, FALSE, FALSE}, {4, 38, TRUE, TRUE},    // 4 pixels: nothing changes
      {5, 38, FALSE, TRUE},  {5, 26, TRUE, FALSE},   // after it: a group start; before it: none
      {5, 3, TRUE, FALSE},                           // the first control never begins a group
  };
  for (const Case& c : cases) {
    const int index = c.x < 22 ? 0 : 1;
    CTkControl* control = bar->GetControl(index);
    control->SetBeginGroup(c.groupBefore);
    DROPEFFECT effect = DROPEFFECT_MOVE;
    bar->OnCustomizeDrop(control, effect, CPoint(c.x - c.moved, 10), CPoint(c.x, 10));
    EXPECT_EQ(3, bar->GetControlCount());
    EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_NONE), effect);
    EXPECT_EQ(c.groupAfter, control->GetBeginGroup()) << c.moved << " " << c.x;
  }
}

TEST_F(CustomizeTest, DroppingAControlElsewhereInsertsACopyThatTakesTheGroup) {
  auto* source = new FixedControl;
  source->SetCaption(L"Dropped");
  DROPEFFECT effect = DROPEFFECT_COPY;
  bar->OnCustomizeDrop(source, effect, CPoint(0, 0), CPoint(44, 10));
  ASSERT_EQ(4, bar->GetControlCount());
  CTkControl* copy = bar->GetControl(2);
  EXPECT_EQ(CString(L"Dropped"), copy->GetCaption());
  EXPECT_TRUE(copy->GetBeginGroup());
  EXPECT_FALSE(bar->GetControl(3)->GetBeginGroup());
  EXPECT_EQ(copy, commandBars->GetCustomizeSelection());
  EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_COPY), effect);
  source->InternalRelease();
}

TEST_F(CustomizeTest, TheDropMarkerIsAnInvertedIBeam) {
  commandBars->SetCustomizeMode(TRUE);
  auto* dragged = new FixedControl;
  bar->OnCustomizeDragEnter(dragged, CPoint(15, 10), DROPEFFECT_COPY);
  ASSERT_EQ(CRect(19, 2, 25, 22), bar->GetDropMarker());
  DibCanvas canvas(80, 30);
  const COLORREF white = RGB(255, 255, 255);
  canvas.Fill(white);
  bar->DrawBar(&canvas.dc);
  const COLORREF face = ::GetSysColor(COLOR_3DFACE);
  const COLORREF inverted = white ^ face;
  // Rows of the I-beam from the marker's left edge: full, inset, stem.
  const char* rows[] = {"######", ".####.", "..##..", "..##.."};
  const int ys[] = {2, 3, 4, 12};
  for (int r = 0; r < 4; ++r)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(rows[r][x] == '#' ? inverted : white, canvas.Pixel(19 + x, ys[r])) << x << "," << ys[r];
  EXPECT_EQ(inverted, canvas.Pixel(19, 21)) << "bottom row";
  EXPECT_EQ(white, canvas.Pixel(19, 20)) << "inset bottom row";
  bar->OnCustomizeDragLeave();
  EXPECT_TRUE(bar->GetDropMarker().IsRectEmpty());
  commandBars->SetCustomizeMode(FALSE);
  dragged->InternalRelease();
}

TEST_F(CustomizeTest, OneSelectionMessagePerChange) {
  CTkControl* first = bar->GetControl(0);
  CTkControl* second = bar->GetControl(1);
  commandBars->SetCustomizeSelection(first);
  commandBars->SetCustomizeSelection(first);
  EXPECT_EQ(1, frame->selectionChanges);
  commandBars->SetCustomizeSelection(second);
  commandBars->SetCustomizeSelection(nullptr);
  EXPECT_EQ(3, frame->selectionChanges);
  // The selection holds a reference of its own.
  first->InternalAddRef();
  commandBars->SetCustomizeSelection(first);
  bar->GetControls()->Remove(first);
  EXPECT_EQ(first, commandBars->GetCustomizeSelection());
  commandBars->SetCustomizeSelection(nullptr);
  EXPECT_EQ(0u, first->InternalRelease());
}

// A control the user may make wider or narrower, down to 10 pixels.
class ResizableControl : public FixedControl {
 public:
  BOOL IsCustomizeResizeAllowed() const override { return TRUE; }
  int GetCustomizeMinWidth() const override { return 10; }
  void SetWidth(int width) override { widths.push_back(width); }
  std::vector<int> widths;
};

TEST_F(CustomizeTest, ResizingAControl) {
  auto* control = new ResizableControl;
  bar->GetControls()->AddControl(control, kCmdPlain);
  struct Case {
    const char* name;
    int pressX;
    std::vector<int> moves;  // x of each mouse move
    UINT end;                // WM_LBUTTONUP, WM_KEYDOWN (Escape) or WM_QUIT
    BOOL tracked;
    std::vector<int> widths;
  };
  const Case cases[] = {
      {"wider by the right side", 101, {120}, WM_LBUTTONUP, TRUE, {59}},
      {"never below the least width", 101, {60, 0}, WM_LBUTTONUP, TRUE, {10}},
      {"wider by the left side", 63, {40}, WM_LBUTTONUP, TRUE, {63}},
      {"escape keeps the width", 101, {120}, WM_KEYDOWN, TRUE, {}},
      {"a quit ends it unchanged", 101, {120}, WM_QUIT, TRUE, {}},
      {"not near a side", 80, {}, WM_LBUTTONUP, FALSE, {}},
  };
  commandBars->SetCustomizeMode(TRUE);
  for (const Case& c : cases) {
    control->SetControlRect(CRect(62, 2, 102, 22));
    control->widths.clear();
    for (int x : c.moves) bar->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, 10));
    if (c.end == WM_QUIT)
      ::PostQuitMessage(9);
    else if (c.end == WM_KEYDOWN)
      bar->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    else
      bar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(c.moves.empty() ? c.pressX : c.moves.back(), 10));
    EXPECT_EQ(c.tracked, control->TrackCustomizeResize(CPoint(c.pressX, 10))) << c.name;
    EXPECT_EQ(c.widths, control->widths) << c.name;
    EXPECT_NE(bar->m_hWnd, ::GetCapture()) << c.name;
    if (c.tracked) {
      EXPECT_EQ(control, commandBars->GetCustomizeSelection()) << c.name;
    }
    MSG msg;
    const BOOL quit = ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    EXPECT_EQ(c.end == WM_QUIT, quit) << c.name << ": the quit is posted again";
    if (quit) {
      EXPECT_EQ(9u, msg.wParam);
    }
    PumpPending();
  }
  commandBars->SetCustomizeMode(FALSE);
}

TEST(CommandBars, PopupsWhoseCommandsAreAllHiddenHideThemselves) {
  auto* commandBars = new TestCommandBars;
  const UINT hidden[] = {2001, 2002};
  commandBars->AddHiddenCommands(hidden, 2);
  auto* bar = new CTkCommandBar;
  bar->SetCommandBars(commandBars);
  CTkControl* allHidden = bar->GetControls()->Add(kControlPopup, 0);
  allHidden->GetCommandBar()->GetControls()->Add(kControlButton, 2001);
  allHidden->GetCommandBar()->GetControls()->Add(kControlButton, 2002);
  CTkControl* mixed = bar->GetControls()->Add(kControlPopup, 0);
  mixed->GetCommandBar()->GetControls()->Add(kControlButton, 2001);
  mixed->GetCommandBar()->GetControls()->Add(kControlButton, 2003);
  CTkControl* empty = bar->GetControls()->Add(kControlPopup, 0);
  CTkControl* nested = bar->GetControls()->Add(kControlPopup, 0);
  nested->GetCommandBar()->GetControls()->Add(kControlButton, 2002);
  CTkControl* inner = nested->GetCommandBar()->GetControls()->Add(kControlPopup, 0);
  inner->GetCommandBar()->GetControls()->Add(kControlButton, 2001);
  struct Case {
    CTkControl* control;
    BOOL on, off;
  };
  const Case cases[] = {{allHidden, TRUE, FALSE}, {mixed, FALSE, FALSE}, {empty, FALSE, FALSE}, {nested, TRUE, FALSE}};
  for (const Case& c : cases) {
    commandBars->GetCommandBarsOptions()->bAutoHideUnusedPopups = TRUE;
    EXPECT_EQ(c.on, commandBars->IsControlHidden(c.control)) << c.control->GetIndex();
    commandBars->GetCommandBarsOptions()->bAutoHideUnusedPopups = FALSE;
    EXPECT_EQ(c.off, commandBars->IsControlHidden(c.control)) << c.control->GetIndex();
  }
  // Once a hidden command is used its popup shows again.
  commandBars->GetCommandBarsOptions()->bAutoHideUnusedPopups = TRUE;
  commandBars->SetCommandUsed(2001);
  EXPECT_FALSE(commandBars->IsControlHidden(allHidden));
  bar->InternalRelease();
  commandBars->InternalRelease();
}

TEST(CommandBars, BarLookups) {
  auto* commandBars = new TestCommandBars;
  CTkCommandBar* bars[3];
  const UINT ids[] = {1, 7, 7};
  for (int i = 0; i < 3; ++i) {
    bars[i] = new CTkCommandBar;
    bars[i]->SetBarID(ids[i]);
    commandBars->AppendBar(bars[i]);
  }
  EXPECT_EQ(3, commandBars->GetBarCount());
  EXPECT_EQ(bars[1], commandBars->GetAt(1));
  EXPECT_EQ(nullptr, commandBars->GetAt(3));
  EXPECT_EQ(nullptr, commandBars->GetAt(-1));
  EXPECT_EQ(bars[1], commandBars->FindBarById(7));
  EXPECT_EQ(nullptr, commandBars->FindBarById(0));
  EXPECT_EQ(nullptr, commandBars->FindBarById(9));
  EXPECT_EQ(2, commandBars->FindBarIndex(bars[2]));
  CTkCommandBar stranger;
  EXPECT_EQ(-1, commandBars->FindBarIndex(&stranger));
  EXPECT_EQ(GetMouseTracker(), commandBars->GetMouseTracker());
  EXPECT_FALSE(commandBars->IsLayoutRTL());
  EXPECT_EQ(0u, commandBars->CTkCommandBars::GetActiveMenuId()) << "no MDI frame";
  commandBars->InternalRelease();
}

}  // namespace

namespace {

TEST(CommandBars, IconSizesAndTextBelowIconsFollowTheOptions) {
  struct Case {
    const char* name;
    BOOL popup;
    CSize own, ownButton, icons, largeIcons, popupIcons;
    BOOL large;
    CSize expected;
  };
  const CSize none(0, 0);
  const Case cases[] = {
      {"default", FALSE, none, none, none, none, {16, 16}, FALSE, {16, 16}},
      {"option", FALSE, none, none, {20, 20}, none, {16, 16}, FALSE, {20, 20}},
      {"own wins", FALSE, {24, 24}, none, {20, 20}, none, {16, 16}, FALSE, {24, 24}},
      {"large doubles", FALSE, none, none, {20, 20}, none, {16, 16}, TRUE, {40, 40}},
      {"large size", FALSE, none, none, none, {30, 30}, {16, 16}, TRUE, {30, 30}},
      {"own buttons keep the size", FALSE, none, {40, 40}, none, none, {16, 16}, TRUE, {16, 16}},
      {"popups", TRUE, none, none, {20, 20}, none, {18, 18}, TRUE, {18, 18}},
  };
  for (const Case& c : cases) {
    auto* commandBars = new CTkCommandBars;
    CTkCommandBarsSettings* options = commandBars->GetCommandBarsOptions();
    options->szIcons = c.icons;
    options->szLargeIcons = c.largeIcons;
    options->szPopupIcons = c.popupIcons;
    options->bLargeIcons = c.large;
    CTkCommandBar* bar = c.popup ? CTkPopupBar::CreateForCommandBars(commandBars) : new CTkCommandBar;
    bar->SetCommandBars(commandBars);
    bar->SetIconSize(c.own);
    bar->SetButtonSize(c.ownButton);
    EXPECT_EQ(c.expected, bar->GetEffectiveIconSize()) << c.name;
    EXPECT_FALSE(bar->IsTextBelowIcons()) << c.name;
    options->bShowTextBelowIcons = TRUE;
    EXPECT_TRUE(bar->IsTextBelowIcons()) << c.name;
    bar->ShowTextBelowIcons(FALSE);
    EXPECT_FALSE(bar->IsTextBelowIcons()) << c.name;
    bar->InternalRelease();
    commandBars->InternalRelease();
  }
}

}  // namespace
