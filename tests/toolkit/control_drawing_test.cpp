#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "bar_painter.h"
#include "popup_bar.h"
#include "dib_canvas.h"
#include "icon_fixtures.h"
#include "image_manager.h"
#include "test_painter.h"

namespace {

const UINT kIconCommand = 700;
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kInk = RGB(0, 0, 0);

struct FaceCall {
  CRect rect;
  BOOL enabled, selected, pressed, checked, popupOpen;
};

struct IconCall {
  int x, y, width, height;
};

// Records the faces and icons the shared drawing asks the look for.
class RecordingPainter : public TestPainter {
 public:
  RecordingPainter() { UpdateFontsAndColors(); }
  void DrawControlFace(CDC*, CRect rect, BOOL enabled, BOOL selected, BOOL pressed, BOOL checked, BOOL popupOpen,
                       int) override {
    faces.push_back({rect, enabled, selected, pressed, checked, popupOpen});
  }
  void DrawControlIcon(CDC*, int x, int y, int width, int height, CTkImageIcon*, BOOL, BOOL, BOOL, BOOL, BOOL,
                       BOOL toolBar) override {
    EXPECT_TRUE(toolBar);
    icons.push_back({x, y, width, height});
  }
  BOOL HasPopupShadow() const override { return shadows; }

  std::vector<FaceCall> faces;
  std::vector<IconCall> icons;
  BOOL shadows = FALSE;
};

class ControlDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* manager = new CTkImageManager;
    CTkIconHandle handle;
    handle.AttachIcon(MakeSolidIcon(16, 16, RGB(0, 0, 255)));
    manager->SetIcon(handle, kIconCommand);
    bar->AttachImageManager(manager);
    bar->SetPosition(kBarTop);
    painter->InternalAddRef();
    bar->SetPaintManager(painter);
    canvas.Fill(kWhite);
    canvas.dc.SetBkMode(TRANSPARENT);
    canvas.dc.SetTextColor(kInk);
  }
  void TearDown() override {
    bar->InternalRelease();
    painter->InternalRelease();
  }

  CTkControl* AddControl(int type, LPCWSTR caption, BOOL icon, int style = kButtonAutomatic) {
    CTkControl* control = type >= kControlPopup && type <= kControlSplitButtonPopup
                              ? static_cast<CTkControl*>(new CTkControlPopup(type))
                              : new CTkControl;
    control->SetType(type);
    control->SetCaption(caption);
    control->SetStyle(style);
    control->SetID(icon ? kIconCommand : 0);
    return bar->GetControls()->AddControl(control, control->GetID());
  }

  // The extent of a text in the font the painter uses on this bar.
  CSize TextExtent(LPCWSTR text) {
    CDC* dc = &canvas.dc;
    CGdiObject* previous = dc->SelectObject(painter->GetControlFont(bar->GetPosition(), FALSE));
    CSize size = dc->GetTextExtent(CString(text));
    dc->SelectObject(previous);
    return size;
  }

  RecordingPainter* painter = new RecordingPainter;
  CTkCommandBar* bar = new CTkCommandBar;
  DibCanvas canvas{200, 60};
};

TEST_F(ControlDrawingTest, MeasuringTable) {
  const CSize file = TextExtent(L"File");
  const int captionHeight = std::max(23, static_cast<int>(file.cy) + 6);
  struct Case {
    int type;
    BOOL icon;
    int style;
    CSize size;
  };
  const Case cases[] = {
      // Captions without an icon sit in a button of at least 23 x 23.
      {kControlButton, FALSE, kButtonAutomatic, CSize(7 + file.cx, captionHeight)},
      {kControlLabel, FALSE, kButtonAutomatic, CSize(7 + file.cx, captionHeight)},
      {kControlButton, TRUE, kButtonAutomatic, CSize(23, 23)},
      {kControlButton, TRUE, kButtonIconAndCaption, CSize(23 + 3 + file.cx, captionHeight)},
      {kControlButtonPopup, TRUE, kButtonIcon, CSize(23, 23)},
      // Split buttons add the 11-pixel arrow part.
      {kControlSplitButtonPopup, TRUE, kButtonAutomatic, CSize(23 + 11, 23)},
      {kControlSplitButtonPopup, FALSE, kButtonAutomatic, CSize(7 + file.cx + 11, captionHeight)},
      {kControlPopup, FALSE, kButtonAutomatic, CSize(file.cx + 10 + 6, file.cy + 6)},
      {kControlPopup, TRUE, kButtonIcon, CSize(23 + 7, 23)},
      {kControlCustom, FALSE, kButtonAutomatic, CSize(0, 0)},
  };
  for (const Case& c : cases) {
    CTkControl* control = AddControl(c.type, L"&File", c.icon, c.style);
    EXPECT_EQ(c.size, control->GetSize(&canvas.dc)) << "type " << c.type << " icon " << c.icon << " style " << c.style;
  }
  EXPECT_TRUE(painter->faces.empty());
  EXPECT_TRUE(painter->icons.empty());
}

TEST_F(ControlDrawingTest, TextBelowIconsGrowsTheButton) {
  bar->ShowTextBelowIcons(TRUE);
  bar->SetButtonSize(CSize(23, 22));
  for (LPCWSTR caption : {L"Go", L"Properties"}) {
    const CSize text = TextExtent(caption);
    const int height = 22 + text.cy;
    const int width = std::max(23, static_cast<int>(text.cx) + 10);
    CTkControl* button = AddControl(kControlButton, caption, TRUE, kButtonIconAndCaption);
    EXPECT_EQ(CSize(std::max(width, height), height), button->GetSize(&canvas.dc)) << text.cx;
    CTkControl* split = AddControl(kControlSplitButtonPopup, caption, TRUE, kButtonIconAndCaption);
    EXPECT_EQ(CSize(std::max(width + 11, height), height), split->GetSize(&canvas.dc));
  }
  // Drawn: the icon centred 4 pixels below the top; a split button's arrow part is left out.
  CTkControl* split = AddControl(kControlSplitButtonPopup, L"Go", TRUE, kButtonIconAndCaption);
  split->SetControlRect(CRect(10, 0, 56, 40));
  EXPECT_EQ(CSize(23, 22), painter->PaintControl(&canvas.dc, split, TRUE));
  ASSERT_EQ(1u, painter->icons.size());
  EXPECT_EQ((10 + 45) / 2 - 8, painter->icons[0].x);
  EXPECT_EQ(4, painter->icons[0].y);
  EXPECT_EQ(0, painter->icons[0].height);
}

TEST_F(ControlDrawingTest, IconPlacementByBarAndType) {
  struct Case {
    int position;
    int type;
    int style;
    CPoint at;
  };
  const CRect rect(10, 4, 50, 34);
  const Case cases[] = {
      {kBarTop, kControlButton, kButtonAutomatic, CPoint(13, 19 - 8)},
      {kBarLeft, kControlButton, kButtonAutomatic, CPoint(30 - 8, 8)},
      {kBarRight, kControlSplitButtonPopup, kButtonAutomatic, CPoint(13, 8)},
      {kBarLeft, kControlPopup, kButtonIcon, CPoint(13, 8)},
  };
  for (const Case& c : cases) {
    painter->icons.clear();
    bar->SetPosition(c.position);
    CTkControl* control = AddControl(c.type, L"", TRUE, c.style);
    control->SetControlRect(rect);
    control->Draw(&canvas.dc);
    ASSERT_EQ(1u, painter->icons.size()) << c.position << " " << c.type;
    EXPECT_EQ(c.at, CPoint(painter->icons[0].x, painter->icons[0].y)) << c.position << " " << c.type;
    EXPECT_EQ(16, painter->icons[0].width);
  }
}

TEST_F(ControlDrawingTest, SplitButtonFaces) {
  CTkControl* split = AddControl(kControlSplitButtonPopup, L"", TRUE);
  const CRect rect(0, 0, 34, 23);
  split->SetControlRect(rect);
  split->SetSelected(1);
  split->SetChecked(TRUE);
  split->Draw(&canvas.dc);
  ASSERT_EQ(2u, painter->faces.size());
  EXPECT_EQ(CRect(0, 0, 23, 23), painter->faces[0].rect);
  EXPECT_TRUE(painter->faces[0].checked);
  EXPECT_EQ(CRect(22, 0, 34, 23), painter->faces[1].rect);
  EXPECT_TRUE(painter->faces[1].selected && painter->faces[1].enabled);
  EXPECT_FALSE(painter->faces[1].checked || painter->faces[1].pressed || painter->faces[1].popupOpen);
  // The arrow: a small triangle 5 to 9 pixels from the right edge.
  EXPECT_EQ(kInk, canvas.Pixel(34 - 7, 11 + 1));
  EXPECT_EQ(kInk, canvas.Pixel(34 - 9, 11 - 1));

  // An open popup takes the whole face; a disabled one gets no arrow face.
  painter->faces.clear();
  static_cast<CTkControlPopup*>(split)->SetPopuped(TRUE);
  split->Draw(&canvas.dc);
  ASSERT_EQ(1u, painter->faces.size());
  EXPECT_EQ(rect, painter->faces[0].rect);
  painter->faces.clear();
  static_cast<CTkControlPopup*>(split)->SetPopuped(FALSE);
  split->SetEnabled(FALSE);
  split->Draw(&canvas.dc);
  EXPECT_EQ(1u, painter->faces.size());
}

// The rightmost column holding ink, -1 for none.
int RightmostInk(const DibCanvas& canvas, int width, int height, COLORREF color) {
  int right = -1;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (canvas.Pixel(x, y) == color) right = std::max(right, x);
  return right;
}

TEST_F(ControlDrawingTest, MenuTitlesDrawNoArrow) {
  CTkControl* title = AddControl(kControlPopup, L"File", FALSE);
  title->SetControlRect(CRect(0, 0, 200, 30));
  title->Draw(&canvas.dc);
  const int withArrow = RightmostInk(canvas, 200, 60, kInk);
  // A menu bar is a bar of type 0.
  struct MenuBar : CTkCommandBar {
    MenuBar() { m_barType = kBarMenu; }
  };
  auto* menu = new MenuBar;
  menu->SetPosition(kBarTop);
  painter->InternalAddRef();
  menu->SetPaintManager(painter);
  auto* item = new CTkControlPopup;
  item->SetCaption(L"File");
  menu->GetControls()->AddControl(item, item->GetID());
  item->SetControlRect(CRect(0, 0, 200, 30));
  canvas.Fill(kWhite);
  item->Draw(&canvas.dc);
  const int withoutArrow = RightmostInk(canvas, 200, 60, kInk);
  EXPECT_GT(withArrow, withoutArrow + 2);
  // Both measure the same: the arrow's room is kept on the menu bar.
  EXPECT_EQ(title->GetSize(&canvas.dc), item->GetSize(&canvas.dc));
  menu->InternalRelease();
}

TEST_F(ControlDrawingTest, DisabledCaptionsAreEmbossedOnlyWithoutPopupShadows) {
  const COLORREF highlight = RGB(250, 200, 50);
  const int index[] = {COLOR_BTNHIGHLIGHT};
  const COLORREF value[] = {highlight};
  painter->SetColors(1, index, value);
  CTkControl* button = AddControl(kControlButton, L"Save", FALSE, kButtonCaption);
  button->SetControlRect(CRect(0, 0, 200, 30));
  button->SetEnabled(FALSE);
  for (BOOL shadows : {FALSE, TRUE}) {
    painter->shadows = shadows;
    canvas.Fill(kWhite);
    button->Draw(&canvas.dc);
    EXPECT_EQ(shadows ? -1 : RightmostInk(canvas, 200, 60, kInk) + 1, RightmostInk(canvas, 200, 60, highlight))
        << shadows;
  }
}

TEST_F(ControlDrawingTest, ExpandButtonPlacementAndSpecialSizes) {
  CTkControl* expand = AddControl(kControlButton, L"", FALSE);
  struct Case {
    int position;
    CRect rect;
  };
  const CSize barSize(100, 30);
  const Case cases[] = {
      {kBarTop, CRect(87, 2, 98, 28)},
      {kBarFloating, CRect(87, 2, 98, 28)},
      {kBarLeft, CRect(2, 17, 98, 28)},
      {kBarPopupPosition, CRect(2, 17, 98, 28)},
  };
  for (const Case& c : cases) {
    bar->SetPosition(c.position);
    CSize size = painter->DrawSpecialControl(&canvas.dc, 0, expand, bar, FALSE, const_cast<CSize*>(&barSize));
    EXPECT_EQ(CSize(0, 0), size);
    EXPECT_EQ(c.rect, expand->GetRect()) << c.position;
  }
  EXPECT_EQ(CSize(0, 12), painter->DrawSpecialControl(&canvas.dc, 1, expand, bar, FALSE, nullptr));
  EXPECT_EQ(CSize(0, 12), painter->DrawSpecialControl(&canvas.dc, 1, expand, bar, TRUE, nullptr));
}

TEST_F(ControlDrawingTest, SpecialGlyphsDrawOnlyWhenDrawing) {
  const COLORREF highlight = RGB(250, 200, 50);
  const int index[] = {COLOR_BTNHIGHLIGHT};
  const COLORREF value[] = {highlight};
  painter->SetColors(1, index, value);
  CTkControl* button = AddControl(kControlButton, L"", FALSE);
  button->SetControlRect(CRect(0, 0, 20, 20));
  for (int kind : {0, 1, 2, 3}) {
    canvas.Fill(kWhite);
    BOOL hidden = TRUE;
    CSize barSize(20, 20);
    painter->DrawSpecialControl(&canvas.dc, kind, button, bar, FALSE, kind == 0 ? &barSize : nullptr);
    EXPECT_EQ(-1, RightmostInk(canvas, 40, 40, kInk)) << kind;
    EXPECT_EQ(-1, RightmostInk(canvas, 40, 40, highlight)) << kind;
    button->SetControlRect(CRect(0, 0, 20, 20));
    painter->faces.clear();
    painter->DrawSpecialControl(&canvas.dc, kind, button, bar, TRUE, &hidden);
    EXPECT_EQ(1u, painter->faces.size()) << kind;
  }
  // Close and drop-down glyphs: highlight colour unless the button is hot.
  for (int kind : {2, 3}) {
    for (int selected : {0, 1}) {
      button->SetSelected(selected);
      canvas.Fill(kWhite);
      painter->DrawSpecialControl(&canvas.dc, kind, button, bar, TRUE, nullptr);
      EXPECT_EQ(selected != 0, RightmostInk(canvas, 40, 40, kInk) >= 0) << kind;
      EXPECT_EQ(selected == 0, RightmostInk(canvas, 40, 40, highlight) >= 0) << kind;
    }
  }
  EXPECT_EQ(kInk, canvas.dc.GetTextColor());
}

TEST_F(ControlDrawingTest, ExpandButtonChevronsShowHiddenControls) {
  CTkControl* expand = AddControl(kControlButton, L"", FALSE);
  expand->SetControlRect(CRect(0, 0, 11, 26));
  for (BOOL hidden : {FALSE, TRUE}) {
    canvas.Fill(kWhite);
    painter->DrawSpecialControl(&canvas.dc, 0, expand, bar, TRUE, &hidden);
    // The down triangle sits near the bottom; the chevrons at the top left.
    EXPECT_EQ(kInk, canvas.Pixel(5, 26 - 7));
    EXPECT_EQ(hidden ? kInk : kWhite, canvas.Pixel(2, 4)) << hidden;
    EXPECT_EQ(hidden ? kInk : kWhite, canvas.Pixel(7, 4)) << hidden;
  }
}

TEST_F(ControlDrawingTest, PaintControlDispatchesByTypeAndBar) {
  struct DispatchPainter : RecordingPainter {
    CSize DrawControlInPopupBar(CDC*, CTkControl*, BOOL) override { return CSize(1, 0); }
    CSize DrawComboBoxControl(CDC*, CTkControl*, BOOL) override { return CSize(2, 0); }
    CSize DrawEditControl(CDC*, CTkControl*, BOOL) override { return CSize(3, 0); }
  } dispatch;
  auto* popup = new CTkPopupBar;
  struct Case {
    CTkCommandBar* bar;
    int type;
    int result;
  };
  auto* edit = new CTkControl;
  edit->SetType(kControlEdit);
  auto* combo = new CTkControl;
  combo->SetType(kControlComboBox);
  auto* item = new CTkControlButton;
  item->SetCaption(L"Open");
  popup->GetControls()->AddControl(edit, edit->GetID());
  popup->GetControls()->AddControl(combo, combo->GetID());
  popup->GetControls()->AddControl(item, item->GetID());
  EXPECT_EQ(3, dispatch.PaintControl(&canvas.dc, edit, FALSE).cx);
  EXPECT_EQ(2, dispatch.PaintControl(&canvas.dc, combo, FALSE).cx);
  EXPECT_EQ(1, dispatch.PaintControl(&canvas.dc, item, FALSE).cx);
  CTkControl* button = AddControl(kControlButton, L"", TRUE);
  EXPECT_EQ(CSize(23, 23), dispatch.PaintControl(&canvas.dc, button, FALSE));
  popup->InternalRelease();
}

}  // namespace
