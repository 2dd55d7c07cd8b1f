// The list controls that expand into items on every layout, the size
// selector, and the control hosting a window of the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bar_fixtures.h"
#include "command_bar_list.h"
#include "command_bars.h"
#include "control_custom.h"
#include "control_lists.h"
#include "control_selector.h"
#include "bar_painter.h"
#include "popup_bar.h"
#include "prop_exchange.h"
#include "test_app.h"
#include "test_painter.h"
#include "tool_bar.h"
#include "win_app.h"
#include "../test_resources.h"

namespace {

std::string Narrow(const CString& text) {
  std::string out;
  for (int i = 0; i < text.GetLength(); ++i) out.push_back(static_cast<char>(text[i]));
  return out;
}

// The captions of the controls after the first, with marks for the shown
// state: "-" hidden, "[x]" checked, "|" begins a group.
std::vector<std::string> ItemsAfter(CTkCommandBar* bar, int index) {
  std::vector<std::string> items;
  for (int i = index + 1; i < bar->GetControlCount(); ++i) {
    CTkControl* control = bar->GetControl(i);
    std::string item = (control->GetBeginGroup() ? "|" : "") + Narrow(control->GetCaption());
    if (control->GetChecked()) item += " [x]";
    if (control->GetHideFlags() != 0) item = "-" + item;
    items.push_back(item);
  }
  return items;
}

TEST(ListCaption, NumbersTheFirstNineAsMnemonicsAndDoublesAmpersands) {
  const struct {
    const wchar_t* text;
    int number;
    const char* expected;
  } cases[] = {
      {L"Doc", 1, "&1 Doc"},     {L"Doc", 9, "&9 Doc"},       {L"Doc", 10, "1&0 Doc"},
      {L"Doc", 11, "11 Doc"},    {L"Doc", 0, "Doc"},          {L"A&B", 2, "&2 A&&B"},
      {L"&&", 12, "12 &&&&"},    {L"", 3, "&3 "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, Narrow(NumberedListCaption(c.text, c.number))) << c.number;
  }
}

// An MDI frame with command bars and a popup bar owned by it.
class ListsMDIFrame : public CMDIFrameWnd {
 public:
  ~ListsMDIFrame() override {
    if (m_pCommandBars != nullptr) m_pCommandBars->InternalRelease();
  }
  CTkCommandBars* m_pCommandBars = nullptr;
};

class WindowListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new ListsMDIFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"Lists", WS_POPUP | WS_VISIBLE, CRect(40, 40, 560, 400), nullptr,
                              MAKEINTRESOURCEW(IDM_TK_TEST_TOOLS)));
    frame->m_pCommandBars = static_cast<CTkCommandBars*>(RUNTIME_CLASS(CTkCommandBars)->CreateObject());
    frame->m_pCommandBars->SetFrame(frame);
    popup = CTkPopupBar::CreateForCommandBars(frame->m_pCommandBars);
    list = popup->GetControls()->Add(kControlButton, kIdWindowList);
  }
  void TearDown() override {
    popup->InternalRelease();
    frame->DestroyWindow();
    PumpPending();
  }
  CMDIChildWnd* AddChild(const wchar_t* title) {
    auto* child = new CMDIChildWnd;
    if (!child->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, frame))
      return nullptr;
    return child;
  }

  ListsMDIFrame* frame = nullptr;
  CTkPopupBar* popup = nullptr;
  CTkControl* list = nullptr;
};

TEST_F(WindowListTest, TwelveChildrenGiveNineNumberedItemsWithTheActiveOneChecked) {
  ASSERT_NE(nullptr, dynamic_cast<CTkControlWindowList*>(list));
  CMDIChildWnd* third = nullptr;
  for (int i = 1; i <= 12; ++i) {
    CString title;
    title.Format(i == 2 ? L"R&D %d" : L"Doc %d", i);
    CMDIChildWnd* child = AddChild(title);
    ASSERT_NE(nullptr, child);
    if (i == 3) third = child;
  }
  third->MDIActivate();
  PumpPending();
  // Twice: the second expansion replaces the first one's items.
  list->OnCalcDynamicSize(0);
  list->OnCalcDynamicSize(0);
  EXPECT_EQ(kHideByOwner, list->GetHideFlags());
  const std::vector<std::string> expected = {"|&1 Doc 1", "&2 R&&D 2",  "&3 Doc 3 [x]", "&4 Doc 4", "&5 Doc 5",
                                             "&6 Doc 6",  "&7 Doc 7",   "&8 Doc 8",     "&9 Doc 9"};
  EXPECT_EQ(expected, ItemsAfter(popup, 0));
  EXPECT_EQ(0xFF00u, popup->GetControl(1)->GetID());
  EXPECT_NE(0, popup->GetControl(1)->GetFlags() & kFlagNoUpdate);
  EXPECT_TRUE(popup->GetControl(1)->IsTemporary());
}

TEST_F(WindowListTest, WithoutChildrenOrInCustomizeModeOnlyThePlaceholderIsLeft) {
  list->OnCalcDynamicSize(0);
  EXPECT_TRUE(ItemsAfter(popup, 0).empty());
  ASSERT_NE(nullptr, AddChild(L"Doc"));
  list->OnCalcDynamicSize(0);
  EXPECT_EQ(1u, ItemsAfter(popup, 0).size());
  frame->m_pCommandBars->SetCustomizeMode(TRUE);
  list->OnCalcDynamicSize(0);
  EXPECT_EQ(0, list->GetHideFlags());
  EXPECT_TRUE(ItemsAfter(popup, 0).empty());
  frame->m_pCommandBars->SetCustomizeMode(FALSE);
}

// A recent-file list of the test's own.
class TestRecentFiles : public CTkControlRecentFileList {
 public:
  CRecentFileList files{0, L"Recent", L"File%d", 4};

 protected:
  CRecentFileList* GetFileList() override { return &files; }
};

TEST(RecentFileList, EmptyShowsTheGreyedPlaceholderAndFilledNamesRelativeToTheCurrentFolder) {
  SetCurrentBarPainter(new TestPainter);
  CTkPopupBar* popup = CTkPopupBar::CreateForCommandBars(nullptr);
  popup->GetControls()->Add(kControlButton, 2006);
  auto* list = new TestRecentFiles;
  list->SetCaption(L"Recent File");
  popup->GetControls()->AddControl(list, ID_FILE_MRU_FIRST);
  popup->GetControls()->Add(kControlButton, 2001);

  list->OnCalcDynamicSize(0);
  EXPECT_EQ(0, list->GetHideFlags());
  EXPECT_FALSE(list->GetEnabled());
  EXPECT_EQ(std::vector<std::string>({""}), ItemsAfter(popup, 1));

  wchar_t directory[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, directory);
  CString here = directory;
  if (here.Right(1) != L"\\") here += L"\\";
  list->files.Add(L"C:\\elsewhere\\b.txt");
  list->files.Add(here + L"a.txt");
  list->OnCalcDynamicSize(0);
  list->OnCalcDynamicSize(0);
  EXPECT_EQ(kHideByOwner, list->GetHideFlags());
  const std::vector<std::string> items = ItemsAfter(popup, 1);
  ASSERT_EQ(3u, items.size());
  EXPECT_EQ("|&1 a.txt", items[0]);
  EXPECT_NE(std::string::npos, items[1].find("b.txt"));
  EXPECT_EQ(0u, items[1].find("&2 "));
  EXPECT_EQ(ID_FILE_MRU_FIRST + 1, popup->GetControl(3)->GetID());

  popup->InternalRelease();
  ReleaseCurrentBarPainter();
}

// The verbs of an in-place item, as the OLE edit-menu builder gives them.
class TestOleItems : public CTkControlOleItems {
 public:
  bool oneSubmenu = true;

 protected:
  HMENU GetActiveItemVerbMenu() override {
    HMENU menu = ::CreatePopupMenu();
    if (oneSubmenu) {
      HMENU verbs = ::CreatePopupMenu();
      ::AppendMenuW(verbs, MF_STRING, ID_OLE_VERB_FIRST, L"&Edit");
      ::AppendMenuW(verbs, MF_STRING, ID_OLE_VERB_FIRST + 1, L"&Open");
      ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(verbs), L"Picture &Object");
    } else {
      ::AppendMenuW(menu, MF_STRING, ID_OLE_VERB_FIRST, L"&Edit");
      ::AppendMenuW(menu, MF_STRING, ID_OLE_VERB_FIRST + 1, L"&Open");
    }
    return menu;
  }
};

TEST(OleItems, AnItemWithOneVerbSubmenuGetsOnePopupAndNoneWhenTheAnswerIsNone) {
  SetCurrentBarPainter(new TestPainter);
  CTkPopupBar* popup = CTkPopupBar::CreateForCommandBars(nullptr);
  CTkControl* plain = popup->GetControls()->Add(kControlButton, ID_OLE_VERB_FIRST);
  plain->OnCalcDynamicSize(0);
  EXPECT_EQ(1, popup->GetControlCount());

  auto* verbs = new TestOleItems;
  popup->GetControls()->AddControl(verbs, ID_OLE_VERB_FIRST);
  verbs->OnCalcDynamicSize(0);
  verbs->OnCalcDynamicSize(0);
  ASSERT_EQ(3, popup->GetControlCount());
  CTkControl* item = popup->GetControl(2);
  EXPECT_EQ(kControlPopup, item->GetType());
  EXPECT_EQ(L"OLEMENUPOPUP", item->GetParameter());
  EXPECT_EQ("Picture &Object", Narrow(item->GetCaption()));
  ASSERT_NE(nullptr, item->GetCommandBar());
  EXPECT_EQ(2, item->GetCommandBar()->GetControlCount());
  EXPECT_EQ(kHideByOwner, verbs->GetHideFlags());

  verbs->oneSubmenu = false;
  verbs->OnCalcDynamicSize(0);
  EXPECT_EQ(2, popup->GetControlCount());
  popup->InternalRelease();
  ReleaseCurrentBarPainter();
}

// A frame that runs the customize command, so the bars offer it.
class CustomizingFrame : public RecordingFrame {
 public:
  static CustomizingFrame* Make() {
    auto* frame = new CustomizingFrame;
    if (!frame->Create(nullptr, L"Customizing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 540, 340))) {
      delete frame;
      return nullptr;
    }
    return frame;
  }

 protected:
  void OnCustomize() {}
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CustomizingFrame, RecordingFrame)
ON_COMMAND(kIdCustomizeEntry, OnCustomize)
END_MESSAGE_MAP()

class ToolbarsListTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    frame = GetParam() ? CustomizingFrame::Make() : RecordingFrame::Make(500, 300);
    ASSERT_NE(nullptr, frame);
    ASSERT_TRUE(CreateFrameCommandBars(frame, IDM_TK_TEST_TOOLS, bars));
    standard = AddTestToolBar(frame, bars, 0xE900 + 1, CBRS_ALIGN_ANY);
    format = AddTestToolBar(frame, bars, 0xE900 + 2, CBRS_ALIGN_ANY);
    fixed = AddTestToolBar(frame, bars, 0xE900 + 3, CBRS_ALIGN_ANY);
    ASSERT_TRUE(standard && format && fixed);
    standard->SetTitle(L"Standard");
    format->SetTitle(L"Format");
    fixed->SetTitle(L"Fixed");
    fixed->SetCloseable(FALSE);
    format->SetVisible(FALSE);
  }
  void TearDown() override {
    if (bars != nullptr) bars->InternalRelease();
    frame->DestroyWindow();
    PumpPending();
  }
  RecordingFrame* frame = nullptr;
  CTkCommandBars* bars = nullptr;
  CTkToolBar* standard = nullptr;
  CTkToolBar* format = nullptr;
  CTkToolBar* fixed = nullptr;
};

TEST_P(ToolbarsListTest, TheContextMenuListsCloseableToolBarsCheckedWhenShownAndTogglesThem) {
  CTkPopupBar* menu = bars->CreateToolbarsContextMenu();
  ASSERT_NE(nullptr, menu);
  EXPECT_EQ(kHideByOwner, menu->GetControl(0)->GetHideFlags());
  std::vector<std::string> expected = {"Standard [x]", "Format"};
  // A frame that customizes gets the entry for it.
  if (GetParam()) expected.push_back("|&Customize...");
  EXPECT_EQ(expected, ItemsAfter(menu, 0));
  if (GetParam()) {
    EXPECT_EQ(kIdCustomizeEntry, menu->GetControl(3)->GetID());
  }

  // A new layout replaces the items and keeps them in order.
  menu->GetControl(0)->OnCalcDynamicSize(0);
  EXPECT_EQ(expected, ItemsAfter(menu, 0));
  menu->GetControl(2)->ExecuteCommand();
  EXPECT_TRUE(format->IsVisible());

  bars->SetCustomizeMode(TRUE);
  menu->GetControl(0)->OnCalcDynamicSize(0);
  EXPECT_EQ(0, menu->GetControl(0)->GetHideFlags());
  EXPECT_EQ(static_cast<int>(GetParam() ? 2 : 1), menu->GetControlCount());
  bars->SetCustomizeMode(FALSE);
  menu->InternalRelease();
}

INSTANTIATE_TEST_SUITE_P(CustomizeAllowed, ToolbarsListTest, ::testing::Bool());

TEST(ListDrops, ListsAndHostedWindowsGoOnlyIntoPopupBars) {
  auto* toolBar = new CTkCommandBar;
  CTkPopupBar* popup = CTkPopupBar::CreateForCommandBars(nullptr);
  CTkControl* controls[] = {new CTkControlWindowList, new CTkControlRecentFileList, new CTkControlCustom};
  for (CTkControl* control : controls) {
    DROPEFFECT effect = DROPEFFECT_MOVE;
    EXPECT_FALSE(control->IsCustomizeDragOverAvail(toolBar, CPoint(1, 1), effect));
    EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_NONE), effect);
    effect = DROPEFFECT_MOVE;
    EXPECT_TRUE(control->IsCustomizeDragOverAvail(popup, CPoint(1, 1), effect));
    EXPECT_EQ(static_cast<DROPEFFECT>(DROPEFFECT_MOVE), effect);
    control->InternalRelease();
  }
  popup->InternalRelease();
  toolBar->InternalRelease();
}

// Selector growth with the cursor given by the test.
class TestSelector : public CTkControlSelector {
 public:
  using CTkControlSelector::GrowTowards;
};

TEST_F(BarWindowTest, SelectorHighlightsUnderThePointerGrowsToAtMostTwelveAndChoosesOnRelease) {
  auto* selector = new TestSelector;
  bar->GetControls()->AddControl(selector, 4000);
  Layout();
  const CRect rect = selector->GetRect();
  EXPECT_EQ(CSize(5 * 28, 4 * 28), rect.Size());

  frame->events.clear();
  selector->OnMouseMove(rect.TopLeft() + CSize(28 * 2 + 3, 28 + 3));
  EXPECT_EQ(CSize(3, 2), selector->GetHighlightedSize());
  EXPECT_EQ(std::vector<std::string>({"notify 4000 4102 4000"}), frame->events);

  const struct {
    CPoint offset;
    CSize expected;
  } cases[] = {
      {CPoint(28 * 6 + 2, 10), CSize(7, 4)},
      {CPoint(10, 28 * 5 + 2), CSize(7, 6)},
      {CPoint(28 * 40, 28 * 40), CSize(12, 12)},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(selector->GrowTowards(rect.TopLeft() + c.offset));
    EXPECT_EQ(c.expected, selector->GetCurrentSize());
  }
  EXPECT_FALSE(selector->GrowTowards(rect.TopLeft() + CPoint(28 * 50, 28 * 50)));
  EXPECT_EQ(CSize(12, 12), selector->GetHighlightedSize());

  selector->OnLButtonUp(rect.TopLeft());
  EXPECT_EQ(CSize(12, 12), selector->GetChosenSize());
  // A new layout starts again from the initial size.
  selector->OnCalcDynamicSize(0);
  EXPECT_EQ(CSize(5, 4), selector->GetCurrentSize());
  EXPECT_EQ(CSize(0, 0), selector->GetHighlightedSize());
}

// A custom control that counts the commands it runs.
class CountingCustom : public CTkControlCustom {
 public:
  void ExecuteCommand() override { ++executions; }
  int executions = 0;
};

class CustomControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = RecordingFrame::Make(500, 300);
    ASSERT_NE(nullptr, frame);
    ASSERT_TRUE(CreateFrameCommandBars(frame, IDM_TK_TEST_TOOLS, bars));
    toolBar = AddTestToolBar(frame, bars, 0xE900 + 1, CBRS_ALIGN_ANY);
    ASSERT_NE(nullptr, toolBar);
    hosted = ::CreateWindowExW(0, L"EDIT", L"hosted", WS_POPUP, 0, 0, 60, 18, frame->m_hWnd, nullptr, nullptr, nullptr);
    ::SetWindowLongPtrW(hosted, GWLP_ID, 4321);
    custom = new CountingCustom;
    toolBar->GetControls()->AddControl(custom, 4000);
    custom->SetControl(hosted);
    frame->RecalcLayout();
    PumpPending();
  }
  void TearDown() override {
    if (bars != nullptr) bars->InternalRelease();
    frame->DestroyWindow();
    PumpPending();
  }
  void Dock(int index) {
    bars->DockCommandBarAt(toolBar, index);
    frame->RecalcLayout();
    PumpPending();
  }

  RecordingFrame* frame = nullptr;
  CTkCommandBars* bars = nullptr;
  CTkToolBar* toolBar = nullptr;
  CountingCustom* custom = nullptr;
  HWND hosted = nullptr;
};

TEST_F(CustomControlTest, TheWindowMovesIntoTheBarAsAChildPlacedInsideTheBorders) {
  EXPECT_EQ(toolBar->m_hWnd, ::GetParent(hosted));
  const LONG_PTR style = ::GetWindowLongPtrW(hosted, GWL_STYLE);
  EXPECT_EQ(0, style & WS_POPUP);
  EXPECT_NE(0, style & WS_CHILD);
  EXPECT_TRUE(::IsWindowVisible(hosted));
  EXPECT_EQ(CSize(60, 18), custom->GetRect().Size());

  custom->SetBorders(CRect(2, 3, 4, 5));
  custom->MarkControlsChanged();
  frame->RecalcLayout();
  toolBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  PumpPending();
  CRect placed;
  ::GetWindowRect(hosted, &placed);
  toolBar->ScreenToClient(&placed);
  const CRect rect = custom->GetRect();
  EXPECT_EQ(CRect(rect.left + 2, rect.top + 3, rect.right - 4, rect.bottom - 5), placed);

  custom->SetEnabled(FALSE);
  EXPECT_FALSE(::IsWindowEnabled(hosted));
}

TEST_F(CustomControlTest, VerticalOptionsOnALeftDockedBar) {
  const struct {
    int option;
    BOOL controlShown;
    BOOL windowShown;
  } cases[] = {{0, FALSE, FALSE}, {1, TRUE, TRUE}, {2, TRUE, FALSE}};
  for (const auto& c : cases) {
    custom->SetVerticalOptions(c.option);
    Dock(kBarLeft);
    EXPECT_EQ(c.controlShown, (custom->GetHideFlags() & kHideVertical) == 0) << c.option;
    EXPECT_EQ(c.windowShown, ::IsWindowVisible(hosted) != FALSE) << c.option;
    Dock(kBarTop);
    EXPECT_EQ(0, custom->GetHideFlags()) << c.option;
    EXPECT_TRUE(::IsWindowVisible(hosted)) << c.option;
  }
}

TEST_F(CustomControlTest, AClickOnTheWindowRunsNoCommandButOneOnTheBareControlDoes) {
  custom->OnClick(TRUE, custom->GetRect().CenterPoint());
  EXPECT_EQ(0, custom->executions);
  ::ShowWindow(hosted, SW_HIDE);
  custom->OnClick(TRUE, custom->GetRect().CenterPoint());
  EXPECT_EQ(1, custom->executions);
}

TEST_F(CustomControlTest, ALoadedLayoutFindsItsWindowAgainById) {
  custom->SetControlId(4321);
  custom->SetVerticalOptions(2);
  custom->SetBorders(CRect(1, 1, 1, 1));
  ::SetParent(hosted, frame->m_hWnd);

  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    CTkPropExchangeArchive exchange(ar);
    custom->ExchangeControlProperties(&exchange);
    ar.Close();
  }
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  CTkPropExchangeArchive exchange(ar);
  exchange.m_bLoading = TRUE;
  BarsExchangeParams params;
  params.pOwner = bars;
  exchange.m_pUserData = &params;
  auto* loaded = new CTkControlCustom;
  loaded->ExchangeControlProperties(&exchange);
  EXPECT_EQ(hosted, loaded->GetControlWindow());
  EXPECT_EQ(2, loaded->GetVerticalOptions());
  EXPECT_EQ(CSize(62, 20), loaded->GetSize(nullptr));
  loaded->InternalRelease();
}

}  // namespace
