#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <string>
#include <vector>

#include "../toolkit/dib_canvas.h"
#include "styled_button.h"
#include "test_resources.h"
#include "widget_host.h"

namespace {

const UINT kButtonId = 200;
const UINT kEditId = 201;
const UINT kOtherEditId = 202;

struct PlayedSound {
  std::wstring name;
  DWORD flags;
};
std::vector<PlayedSound> g_sounds;

BOOL WINAPI RecordSound(LPCWSTR name, HMODULE, DWORD flags) {
  g_sounds.push_back({IS_INTRESOURCE(name) ? L"#" : name, flags});
  return TRUE;
}

// Sounds are counted, never played.
class StyledButton : public ::testing::Test {
 protected:
  void SetUp() override {
    g_sounds.clear();
    StyledButtonPlaySound = &RecordSound;
  }
  void TearDown() override { StyledButtonPlaySound = &::PlaySoundW; }

  void Create(CStyledButton& button, DWORD style = 0, CRect rect = CRect(20, 20, 140, 60),
              LPCWSTR caption = L"Next") {
    ASSERT_TRUE(button.Create(caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, rect, &host, kButtonId));
  }
  // Draws the button as the parent's WM_DRAWITEM would, into the canvas.
  void Draw(CStyledButton& button, DibCanvas& canvas, UINT state = 0) {
    CRect client;
    button.GetClientRect(&client);
    DRAWITEMSTRUCT dis = {ODT_BUTTON, kButtonId, 0, ODA_DRAWENTIRE, state, button.m_hWnd, canvas.dc.m_hDC, client, 0};
    button.DrawItem(&dis);
  }

  WidgetHost host;
};

TEST(StyledButtonColours, ShadesMoveAllChannelsByTheAmountTheNearestBoundAllows) {
  struct Case {
    COLORREF colour;
    short shade;
    COLORREF expected;
  } cases[] = {
      {RGB(240, 240, 240), 30, RGB(255, 255, 255)}, {RGB(250, 100, 0), 30, RGB(255, 105, 5)},
      {RGB(10, 100, 200), -30, RGB(0, 90, 190)},    {RGB(100, 100, 100), -30, RGB(70, 70, 70)},
      {RGB(1, 2, 3), 0, RGB(1, 2, 3)},              {RGB(255, 0, 128), 255, RGB(255, 0, 128)},
  };
  for (const Case& c : cases) EXPECT_EQ(ShadeColorEvenly(c.colour, c.shade), c.expected) << c.shade;
  EXPECT_EQ(CStyledButton::DarkenColor(RGB(200, 100, 3), 0.25), RGB(150, 75, 2));
  EXPECT_EQ(CStyledButton::DarkenColor(RGB(200, 100, 3), 1.5), RGB(200, 100, 3));
}

TEST(StyledButtonLayout, ImagesArePlacedPerAlignmentCaptionAndPress) {
  CRect item(0, 0, 100, 40);
  struct Case {
    int alignment;
    BOOL caption, shift;
    CPoint image;
    CRect caption_rect;
  } cases[] = {
      {0, TRUE, FALSE, CPoint(3, 12), CRect(19, 0, 100, 40)},
      {0, FALSE, FALSE, CPoint(42, 12), CRect(0, 0, 100, 40)},
      {1, TRUE, FALSE, CPoint(42, 3), CRect(0, 16, 100, 40)},  // caption h below the top, not h + 3
      {1, FALSE, FALSE, CPoint(42, 12), CRect(0, 0, 100, 40)},
      {2, TRUE, FALSE, CPoint(81, 12), CRect(3, 0, 81, 40)},
      {2, FALSE, FALSE, CPoint(42, 0), CRect(0, 0, 100, 40)},  // stays at the top
      {3, TRUE, FALSE, CPoint(0, 0), CRect(0, 0, 100, 40)},
      {0, TRUE, TRUE, CPoint(4, 13), CRect(19, 0, 100, 40)},
  };
  for (const Case& c : cases) {
    CRect caption = item;
    CPoint at = PlaceButtonImage(c.alignment, c.caption, c.shift, 100, item, caption, 16, 16);
    EXPECT_EQ(at, c.image) << c.alignment << " " << c.caption;
    EXPECT_EQ(caption, c.caption_rect) << c.alignment << " " << c.caption;
  }
}

TEST_F(StyledButton, SettersCheckTheirArgumentsAndColoursComeBackOnASystemChange) {
  CStyledButton button;
  Create(button);
  EXPECT_EQ(button.GetStyle() & 0x1F, static_cast<DWORD>(BS_OWNERDRAW));
  EXPECT_EQ(button.SetStateColor(6, RGB(1, 2, 3)), static_cast<DWORD>(CStyledButton::kBadColorIndex));
  EXPECT_EQ(button.SetContentAlignment(4), static_cast<DWORD>(CStyledButton::kBadAlignment));
  EXPECT_EQ(button.SetStateColor(0, RGB(250, 100, 0)), 0u);
  EXPECT_EQ(button.ShadeStateColor(0, 256), static_cast<DWORD>(CStyledButton::kBadShade));
  EXPECT_EQ(button.GetStateColor(0), RGB(250, 100, 0));
  EXPECT_EQ(button.ShadeStateColor(0, 30), 0u);
  EXPECT_EQ(button.GetStateColor(0), RGB(255, 105, 5));
  button.SendMessage(WM_SYSCOLORCHANGE);
  for (BYTE i = 0; i < 6; ++i)
    EXPECT_EQ(button.GetStateColor(i), ::GetSysColor(i % 2 ? COLOR_BTNTEXT : COLOR_BTNFACE)) << int(i);

  // The default-button role follows BM_SETSTYLE; the button stays owner-drawn.
  EXPECT_TRUE(button.SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON);
  button.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_TRUE(button.IsDefaultButton());
  EXPECT_TRUE(button.SendMessage(WM_GETDLGCODE) & DLGC_DEFPUSHBUTTON);
  EXPECT_EQ(button.GetStyle() & 0x1F, static_cast<DWORD>(BS_OWNERDRAW));
}

TEST_F(StyledButton, CheckBoxModeFlipsOnClicksAndLooksPressedWithoutMoving) {
  CStyledButton button;
  Create(button, BS_AUTOCHECKBOX);
  ASSERT_TRUE(button.IsCheckBoxMode());
  button.SetStateColor(CStyledButton::kActiveBack, RGB(200, 0, 0));
  button.SetStateColor(CStyledButton::kRestingBack, RGB(0, 200, 0));
  button.SendMessage(BM_CLICK);
  EXPECT_EQ(button.SendMessage(BM_GETCHECK), 1);
  EXPECT_EQ(host.Commands(kButtonId, BN_CLICKED), 1) << "the parent's handler still runs";
  button.SendMessage(BM_SETCHECK, BST_INDETERMINATE);
  EXPECT_TRUE(button.IsChecked());

  DibCanvas canvas(120, 40);
  Draw(button, canvas);
  EXPECT_EQ(canvas.Pixel(60, 5), RGB(200, 0, 0)) << "checked: the active colour";
  EXPECT_EQ(canvas.Pixel(0, 0), ::GetSysColor(COLOR_BTNSHADOW)) << "sunken border";
  button.SendMessage(BM_SETCHECK, BST_UNCHECKED);
  Draw(button, canvas);
  EXPECT_EQ(canvas.Pixel(60, 5), RGB(0, 200, 0));
  EXPECT_EQ(canvas.Pixel(0, 0), RGB(0, 200, 0)) << "no border at rest";

  // An ordinary button does not check.
  CStyledButton plain;
  ASSERT_TRUE(plain.Create(L"Back", WS_CHILD | WS_VISIBLE, CRect(0, 70, 80, 90), &host, kButtonId + 1));
  plain.SetChecked(TRUE);
  EXPECT_FALSE(plain.IsChecked());
}

TEST_F(StyledButton, KeyColourPixelsShowTheBackgroundAroundTheImage) {
  CStyledButton button;
  Create(button, 0, CRect(0, 0, 40, 30), L"");
  ASSERT_EQ(button.SetBitmapsFromResources(IDB_TEST_KEYED, RGB(255, 0, 255), CStyledButton::kGrayscaleImage), 0u);
  button.SetStateColor(CStyledButton::kRestingBack, RGB(0, 0, 128));
  button.SetStateColor(CStyledButton::kActiveBack, RGB(0, 0, 128));
  DibCanvas canvas(40, 30);
  // Image 16 x 16 centred at (12, 7); the red square at 4..11 inside it.
  Draw(button, canvas, ODS_SELECTED);  // pressed: the active image, one pixel down and right
  EXPECT_EQ(canvas.Pixel(13 + 1, 8 + 1), RGB(0, 0, 128)) << "key colour is transparent";
  EXPECT_EQ(canvas.Pixel(13 + 5, 8 + 5), RGB(220, 0, 0));
  Draw(button, canvas);  // at rest: the grayscale copy, made before the mask
  COLORREF grey = canvas.Pixel(12 + 5, 7 + 5);
  EXPECT_EQ(GetRValue(grey), GetGValue(grey));
  EXPECT_EQ(GetRValue(grey), static_cast<int>(0.299 * 220));
  EXPECT_EQ(canvas.Pixel(12 + 1, 7 + 1), RGB(0, 0, 128));
}

TEST_F(StyledButton, UnreadableImagesLeaveNoImageAndDerivedIconsAreMadeOnce) {
  CStyledButton button;
  Create(button, 0, CRect(0, 0, 40, 30), L"");
  for (BYTE index : {CStyledButton::kRestingBack, CStyledButton::kActiveBack})
    button.SetStateColor(index, RGB(255, 255, 255));
  HBITMAP bogus = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x4321));
  EXPECT_EQ(button.SetBitmaps(bogus, RGB(255, 0, 255)), static_cast<DWORD>(CStyledButton::kBadImage));
  EXPECT_EQ(button.SetBitmapsFromResources(12345, RGB(255, 0, 255)), 0u) << "a missing resource: no image";
  DibCanvas canvas(40, 30);
  Draw(button, canvas);
  EXPECT_EQ(CountColour(canvas, CRect(0, 0, 40, 30), RGB(255, 255, 255)), 40 * 30);

  // The resting icon is the active one 25 per cent darker; the corners stay
  // transparent through the icon's own mask.
  ASSERT_EQ(button.SetIconsFromResources(IDI_TEST_DISC, CStyledButton::kDarkerImage), 0u);
  Draw(button, canvas);
  EXPECT_EQ(canvas.Pixel(12 + 8, 7 + 8), CStyledButton::DarkenColor(RGB(0, 120, 215), 0.25));
  EXPECT_EQ(canvas.Pixel(12 + 1, 7 + 1), RGB(255, 255, 255));
  Draw(button, canvas, ODS_SELECTED);
  EXPECT_EQ(canvas.Pixel(13 + 8, 8 + 8), RGB(0, 120, 215));
  EXPECT_EQ(canvas.Pixel(13 + 1, 8 + 1), RGB(255, 255, 255));
}

TEST_F(StyledButton, TransparentButtonShowsTheParentThroughItsKeyColour) {
  WidgetHost yellow(RGB(255, 255, 0));
  CStyledButton button;
  ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE, CRect(10, 10, 50, 40), &yellow, kButtonId));
  button.EnableTransparency(FALSE);
  ASSERT_EQ(button.SetBitmapsFromResources(IDB_TEST_KEYED, RGB(255, 0, 255)), 0u);
  button.SetFlatBorder(FALSE);
  yellow.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  // Image at (12, 7) inside the button.
  EXPECT_EQ(yellow.Pixel(10 + 2, 10 + 2), RGB(255, 255, 0));
  EXPECT_EQ(yellow.Pixel(10 + 12 + 1, 10 + 7 + 1), RGB(255, 255, 0));
  EXPECT_EQ(yellow.Pixel(10 + 12 + 5, 10 + 7 + 5), RGB(220, 0, 0));
}

TEST_F(StyledButton, ClickSoundsPlayThroughTheSeamAndLongFileNamesAreRefused) {
  CStyledButton button;
  Create(button);
  button.SetEventSound(L"click.wav", nullptr, TRUE, FALSE);
  button.SendMessage(BM_CLICK);
  ASSERT_EQ(g_sounds.size(), 1u);
  EXPECT_EQ(g_sounds[0].name, L"click.wav");
  EXPECT_EQ(g_sounds[0].flags, static_cast<DWORD>(SND_NODEFAULT | SND_NOWAIT | SND_FILENAME));
  EXPECT_EQ(::GetFocus(), button.m_hWnd) << "a click takes the focus";

  std::wstring tooLong(MAX_PATH, L'a');
  button.SetEventSound(tooLong.c_str(), nullptr, TRUE, TRUE);
  button.SendMessage(BM_CLICK);
  EXPECT_EQ(g_sounds.size(), 1u) << "refused: nothing plays";
  std::wstring fits(MAX_PATH - 1, L'b');
  button.SetEventSound(fits.c_str(), nullptr, TRUE, TRUE);
  button.SetEventSound(MAKEINTRESOURCEW(132), ::GetModuleHandleW(nullptr), FALSE, TRUE);
  button.SendMessage(BM_CLICK);
  ASSERT_EQ(g_sounds.size(), 2u);
  EXPECT_EQ(g_sounds[1].name, fits);
  EXPECT_TRUE(g_sounds[1].flags & SND_ASYNC);
  EXPECT_EQ(host.Commands(kButtonId, BN_CLICKED), 3);
}

TEST_F(StyledButton, ADoubleClickIsTwoClicks) {
  CStyledButton button;
  Create(button);
  CPoint inside(10, 10);
  LPARAM at = MAKELPARAM(inside.x, inside.y);
  button.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
  button.PostMessage(WM_LBUTTONUP, 0, at);
  button.PostMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  button.PostMessage(WM_LBUTTONUP, 0, at);
  EXPECT_TRUE(PumpThroughPreTranslateUntil([&] { return host.Commands(kButtonId, BN_CLICKED) >= 2; }));
  EXPECT_EQ(host.Commands(kButtonId, BN_DOUBLECLICKED), 0);
}

TEST_F(StyledButton, DisablingMovesTheFocusOnlyWhenTheButtonHeldIt) {
  CStyledButton button;
  Create(button);
  CEdit edit, other;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, CRect(150, 20, 250, 40), &host, kEditId));
  ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, CRect(150, 50, 250, 70), &host,
                           kOtherEditId));
  // The user types in the edit: disabling the button leaves it there.
  edit.SetFocus();
  button.EnableWindow(FALSE);
  EXPECT_EQ(::GetFocus(), edit.m_hWnd);
  // On the button itself the focus moves to the next tab stop.
  button.EnableWindow(TRUE);
  button.SetFocus();
  ASSERT_EQ(::GetFocus(), button.m_hWnd);
  button.EnableWindow(FALSE);
  EXPECT_EQ(::GetFocus(), edit.m_hWnd);
}

TEST_F(StyledButton, HoverSoundPlaysOncePerEntry) {
  CStyledButton button;
  Create(button);
  button.SetEventSound(MAKEINTRESOURCEW(132), ::GetModuleHandleW(nullptr), FALSE, TRUE);
  MovePointerTo(&host, CPoint(300, 250));
  PumpPending();
  MovePointerTo(&button, CPoint(10, 10));
  ASSERT_TRUE(PumpUntil([&] { return button.IsHovered(); }));
  MovePointerTo(&button, CPoint(30, 15));
  MovePointerTo(&button, CPoint(40, 20));
  PumpUntil([&] { return g_sounds.size() > 1; }, 300);
  EXPECT_EQ(g_sounds.size(), 1u);
  EXPECT_EQ(g_sounds[0].flags, static_cast<DWORD>(SND_NODEFAULT | SND_NOWAIT | SND_RESOURCE | SND_ASYNC));
  MovePointerTo(&host, CPoint(300, 250));
  ASSERT_TRUE(PumpUntil([&] { return !button.IsHovered(); }));
  MovePointerTo(&button, CPoint(10, 10));
  ASSERT_TRUE(PumpUntil([&] { return button.IsHovered(); }));
  EXPECT_EQ(g_sounds.size(), 2u);
}

}  // namespace
