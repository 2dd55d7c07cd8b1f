// The customize sheet over a frame with a menu bar, a tool bar and a view:
// its modal run and input filters, the context menu's command states and
// palette, the Toolbars page and the new-toolbar dialog, and the program's
// sequence of calls.
#include <gtest/gtest.h>

#include <functional>

#include "../test_resources.h"
#include "bar_fixtures.h"
#include "button_editor_dlg.h"
#include "command_bars.h"
#include "customize_pages.h"
#include "customize_settings_page.h"
#include "customize_sheet.h"
#include "dib_canvas.h"
#include "icon_image.h"
#include "image_manager.h"
#include "frame_window.h"
#include "menu_bar.h"
#include "new_toolbar_dialog.h"
#include "test_app.h"
#include "tool_bar.h"
#include "toolkit_resources.h"

namespace {

using SheetFrame = BarsTestFrame;

// Records what an update handler says.
class RecordingCmdUI : public CCmdUI {
 public:
  void Enable(BOOL on) override { enabled = on; }
  void SetCheck(int check) override { checked = check; }
  void SetText(LPCWSTR text) override { this->text = text; }
  BOOL enabled = -1;
  int checked = -1;
  CString text;
};

class CustomizeSheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new SheetFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"Customize test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 640, 440)));
    toolBar = AddTestToolBar(frame, frame->Bars(), 0xE900 + 60, kDockTop);
    ASSERT_NE(nullptr, toolBar);
    view.CreateEx(WS_EX_CLIENTEDGE, L"STATIC", L"", WS_CHILD | WS_VISIBLE, CRect(0, 100, 600, 300), frame,
                  AFX_IDW_PANE_FIRST);
    frame->RecalcLayout();
    frame->SetForegroundWindow();
    PumpPending();
  }
  void TearDown() override {
    TheTestApp().recordMessageBoxes = false;
    if (::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();
    PumpPending();
  }
  CTkCommandBars* Bars() const { return frame->Bars(); }
  // Runs the sheet, calling the check once it shows, then closing it.
  INT_PTR RunSheet(CTkCustomizeSheet& sheet, std::function<void(CTkCustomizeSheet&)> check) {
    running = &sheet;
    pending = std::move(check);
    ::SetTimer(nullptr, 0, 50, &OnTimer);
    return sheet.DoModal();
  }
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    if (running == nullptr || running->GetSafeHwnd() == nullptr || !running->IsWindowVisible()) return;
    ::KillTimer(nullptr, id);
    if (pending) pending(*running);
    pending = nullptr;
    running->PostMessage(WM_COMMAND, IDCANCEL, 0);
  }
  int UserBarCount() const {
    int count = 0;
    for (int i = 0; i < Bars()->GetBarCount(); ++i) {
      auto* bar = dynamic_cast<CTkToolBar*>(Bars()->GetAt(i));
      if (bar != nullptr && !bar->IsBuiltIn()) ++count;
    }
    return count;
  }

  SheetFrame* frame = nullptr;
  CTkToolBar* toolBar = nullptr;
  CWnd view;
  static CTkCustomizeSheet* running;
  static std::function<void(CTkCustomizeSheet&)> pending;
};

CTkCustomizeSheet* CustomizeSheetTest::running = nullptr;
std::function<void(CTkCustomizeSheet&)> CustomizeSheetTest::pending;

TEST_F(CustomizeSheetTest, RunsOnceAtATimeInCustomizeMode) {
  CTkCustomizeSheet sheet(Bars());
  bool checked = false;
  const INT_PTR result = RunSheet(sheet, [&](CTkCustomizeSheet& shown) {
    checked = true;
    EXPECT_TRUE(Bars()->IsCustomizeMode());
    EXPECT_EQ(&shown, CTkCustomizeSheet::GetRunningSheet());
    CTkCustomizeSheet second(Bars());
    EXPECT_EQ(IDCANCEL, second.DoModal());
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(shown.m_hWnd, IDOK)));
    CString close;
    shown.GetDlgItemText(IDCANCEL, close);
    EXPECT_EQ(CString(L"Close"), close);
    CString title;
    shown.GetWindowText(title);
    EXPECT_EQ(CString(L"Customize"), title);
    EXPECT_EQ(2, TabCtrl_GetItemCount(shown.GetTabControl()->m_hWnd));
  });
  EXPECT_TRUE(checked);
  EXPECT_EQ(IDCANCEL, result);
  EXPECT_FALSE(Bars()->IsCustomizeMode());
  EXPECT_EQ(nullptr, CTkCustomizeSheet::GetRunningSheet());
  EXPECT_EQ(nullptr, Bars()->GetCustomizeSheet());
}

TEST_F(CustomizeSheetTest, FiltersTheFramesInput) {
  CTkCustomizeSheet sheet(Bars());
  RunSheet(sheet, [&](CTkCustomizeSheet& shown) {
    struct Case {
      const char* name;
      UINT message;
      HWND window;
      BOOL passes;
    };
    const Case cases[] = {
        {"a click on the view", WM_LBUTTONDOWN, view.m_hWnd, FALSE},
        {"a move over the view", WM_MOUSEMOVE, view.m_hWnd, TRUE},
        {"a click on the tool bar", WM_LBUTTONDOWN, toolBar->m_hWnd, TRUE},
        {"a click on the menu bar", WM_LBUTTONDOWN, Bars()->GetMenuBar()->m_hWnd, TRUE},
        {"a click in the sheet", WM_LBUTTONDOWN, shown.GetTabControl()->m_hWnd, TRUE},
    };
    for (const Case& c : cases) EXPECT_EQ(c.passes, shown.FilterMouse(c.message, c.window)) << c.name;
    // Keys go to the sheet while it has the focus, not to the frame's view.
    shown.GetTabControl()->SetFocus();
    EXPECT_TRUE(shown.FilterKeyboard());
    frame->SetActiveWindow();
    view.SetFocus();
    EXPECT_FALSE(shown.FilterKeyboard());
    // An edit box on a bar takes typing.
    CWnd box;
    box.CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 16), toolBar, 1);
    box.SetFocus();
    EXPECT_TRUE(shown.FilterKeyboard());
    box.DestroyWindow();
  });
}

TEST_F(CustomizeSheetTest, NoContextMenuWithoutASheet) {
  // Customize mode without the sheet, as quick customization has it.
  Bars()->SetCustomizeMode(TRUE);
  CTkControl* control = toolBar->GetControl(0);
  const CPoint point = control->GetRect().CenterPoint();
  toolBar->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
  EXPECT_EQ(control, Bars()->GetCustomizeSelection());
  EXPECT_TRUE(Bars()->GetMouseTracker()->m_trackedBars.empty());
  Bars()->SetCustomizeMode(FALSE);
}

TEST_F(CustomizeSheetTest, ContextMenuCommandStates) {
  CTkCustomizeSheet sheet(Bars());
  ASSERT_NE(nullptr, sheet.GetContextMenu());
  EXPECT_EQ(12, sheet.GetContextMenu()->GetControlCount());
  CTkControl* first = toolBar->GetControl(0);
  CTkControl* second = toolBar->GetControl(1);
  CTkControl* edit = toolBar->GetControls()->Add(kControlEdit, kCmdPlain);
  second->SetBeginGroup(TRUE);
  struct Case {
    const char* name;
    CTkControl* selection;
    UINT id;
    BOOL enabled;
    int checked;
  };
  const Case cases[] = {
      {"Begin a Group on the first control", first, ID_TK_CUSTOMIZE_BEGIN_GROUP, FALSE, 0},
      {"Begin a Group on the second", second, ID_TK_CUSTOMIZE_BEGIN_GROUP, TRUE, 1},
      {"Default Style on a button", first, ID_TK_CUSTOMIZE_DEFAULT_STYLE, TRUE, 1},
      {"Text Only on a button", first, ID_TK_CUSTOMIZE_TEXT_ONLY, TRUE, 0},
      {"Default Style on an edit box", edit, ID_TK_CUSTOMIZE_DEFAULT_STYLE, FALSE, 0},
      {"Image and Text on an edit box", edit, ID_TK_CUSTOMIZE_IMAGE_AND_TEXT, FALSE, 0},
      {"styles without a selection", nullptr, ID_TK_CUSTOMIZE_TEXT_ONLY, FALSE, 0},
      {"Reset on an unchanged control", first, ID_TK_CUSTOMIZE_RESET, FALSE, -1},
      {"Copy Button Image on a button", first, ID_TK_CUSTOMIZE_COPY_IMAGE, TRUE, -1},
      {"Copy Button Image on an edit box", edit, ID_TK_CUSTOMIZE_COPY_IMAGE, FALSE, -1},
      {"Reset Button Image without a custom image", first, ID_TK_CUSTOMIZE_RESET_IMAGE, FALSE, -1},
  };
  for (const Case& c : cases) {
    Bars()->SetCustomizeSelection(c.selection);
    RecordingCmdUI state;
    state.m_nID = c.id;
    EXPECT_TRUE(sheet.OnCmdMsg(c.id, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr)) << c.name;
    EXPECT_EQ(c.enabled, state.enabled) << c.name;
    EXPECT_EQ(c.checked, state.checked) << c.name;
  }
  // The commands change the selected control and its bar.
  Bars()->SetCustomizeSelection(second);
  sheet.OnCmdMsg(ID_TK_CUSTOMIZE_TEXT_ONLY, CN_COMMAND, nullptr, nullptr);
  EXPECT_EQ(1, second->GetStyle());
  second->SetCustomCaption(L"Renamed");
  RecordingCmdUI name;
  name.m_nID = ID_TK_CUSTOMIZE_NAME;
  sheet.OnCmdMsg(ID_TK_CUSTOMIZE_NAME, static_cast<int>(CN_UPDATE_COMMAND_UI), &name, nullptr);
  // The name box shows the name; a plain button standing in for it keeps
  // its label.
  CTkControl* box = sheet.GetContextMenu()->GetControls()->FindControl(ID_TK_CUSTOMIZE_NAME);
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(CString(box->GetType() == kControlEdit ? L"Renamed" : L""), name.text);
  RecordingCmdUI reset;
  reset.m_nID = ID_TK_CUSTOMIZE_RESET;
  sheet.OnCmdMsg(ID_TK_CUSTOMIZE_RESET, static_cast<int>(CN_UPDATE_COMMAND_UI), &reset, nullptr);
  EXPECT_TRUE(reset.enabled);
  sheet.OnCmdMsg(ID_TK_CUSTOMIZE_RESET, CN_COMMAND, nullptr, nullptr);
  EXPECT_EQ(0, second->GetStyle());
  EXPECT_TRUE(second->GetCustomCaption().IsEmpty());
  const int count = toolBar->GetControlCount();
  sheet.OnCmdMsg(ID_TK_CUSTOMIZE_DELETE, CN_COMMAND, nullptr, nullptr);
  EXPECT_EQ(count - 1, toolBar->GetControlCount());
  EXPECT_EQ(nullptr, Bars()->GetCustomizeSelection());
  // Other commands go to the frame, whose handlers keep them enabled.
  RecordingCmdUI frameCommand;
  frameCommand.m_nID = 2006;
  sheet.OnCmdMsg(2006, static_cast<int>(CN_UPDATE_COMMAND_UI), &frameCommand, nullptr);
}

// The control's picture at 16 pixels, drawn on white.
std::vector<COLORREF> PictureOf(CTkCommandBars* bars, CTkControl* control) {
  const UINT id = static_cast<UINT>(control->GetCustomIconId() != 0 ? control->GetCustomIconId()
                                                                     : static_cast<int>(control->GetID()));
  CTkImageIcon* icon = bars->GetImageManagerOrDefault()->GetImage(id, 16);
  if (icon == nullptr) return {};
  DibCanvas canvas(16, 16);
  canvas.Fill(RGB(255, 255, 255));
  icon->Draw(&canvas.dc, 0, 0, icon->GetNormalImage());
  std::vector<COLORREF> pixels;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) pixels.push_back(canvas.Pixel(x, y));
  return pixels;
}

TEST_F(CustomizeSheetTest, CopiedButtonImagePastesAsAnEqualCustomIcon) {
  ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
  CTkCustomizeSheet sheet(Bars());
  CTkControl* source = toolBar->GetControl(0);
  CTkControl* target = toolBar->GetControl(1);
  const std::vector<COLORREF> original = PictureOf(Bars(), source);
  ASSERT_FALSE(original.empty());
  ASSERT_NE(original, PictureOf(Bars(), target));
  Bars()->SetCustomizeSelection(source);
  sheet.OnCmdMsg(ID_TK_CUSTOMIZE_COPY_IMAGE, CN_COMMAND, nullptr, nullptr);
  EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
  Bars()->SetCustomizeSelection(target);
  RecordingCmdUI paste;
  paste.m_nID = ID_TK_CUSTOMIZE_PASTE_IMAGE;
  sheet.OnCmdMsg(ID_TK_CUSTOMIZE_PASTE_IMAGE, static_cast<int>(CN_UPDATE_COMMAND_UI), &paste, nullptr);
  EXPECT_TRUE(paste.enabled);
  sheet.OnCmdMsg(ID_TK_CUSTOMIZE_PASTE_IMAGE, CN_COMMAND, nullptr, nullptr);
  EXPECT_NE(0, target->GetCustomIconId());
  EXPECT_EQ(original, PictureOf(Bars(), target));
  // Now there is a custom image to reset.
  RecordingCmdUI reset;
  reset.m_nID = ID_TK_CUSTOMIZE_RESET_IMAGE;
  sheet.OnCmdMsg(ID_TK_CUSTOMIZE_RESET_IMAGE, static_cast<int>(CN_UPDATE_COMMAND_UI), &reset, nullptr);
  EXPECT_TRUE(reset.enabled);

  // A plain bitmap from elsewhere: its button-face pixels become transparent.
  HDC screen = ::GetDC(nullptr);
  HBITMAP plain = ::CreateCompatibleBitmap(screen, 16, 16);
  HDC memory = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(memory, plain);
  RECT all = {0, 0, 16, 16};
  RECT middle = {4, 4, 12, 12};
  ::FillRect(memory, &all, ::GetSysColorBrush(COLOR_BTNFACE));
  HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
  ::FillRect(memory, &middle, red);
  ::DeleteObject(red);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::SetClipboardData(CF_BITMAP, plain);
  ::CloseClipboard();
  sheet.OnCmdMsg(ID_TK_CUSTOMIZE_PASTE_IMAGE, CN_COMMAND, nullptr, nullptr);
  const std::vector<COLORREF> pasted = PictureOf(Bars(), target);
  ASSERT_EQ(256u, pasted.size());
  EXPECT_EQ(RGB(255, 0, 0), pasted[8 * 16 + 8]);
  EXPECT_EQ(RGB(255, 255, 255), pasted[0]);
  ::OleUninitialize();
}

TEST_F(CustomizeSheetTest, PaletteFillsOnceIntoASquare) {
  CTkCustomizeSheet sheet(Bars());
  CTkControl* change = nullptr;
  for (int i = 0; i < sheet.GetContextMenu()->GetControlCount(); ++i)
    if (sheet.GetContextMenu()->GetControl(i)->GetID() == ID_TK_CUSTOMIZE_CHANGE_IMAGE)
      change = sheet.GetContextMenu()->GetControl(i);
  ASSERT_NE(nullptr, change);
  CTkCommandBar* palette = change->GetCommandBar();
  ASSERT_NE(nullptr, palette);
  EXPECT_EQ(static_cast<UINT>(IDB_TK_BUTTON_PALETTE), palette->GetBarID());
  for (int pass = 0; pass < 2; ++pass) sheet.OnPopupShowing(0, reinterpret_cast<LPARAM>(palette));
  ASSERT_EQ(42, palette->GetControlCount());
  EXPECT_EQ(144, palette->GetMRUWidth());
  EXPECT_EQ(1, palette->GetControl(0)->GetIconId());
  EXPECT_EQ(42, palette->GetControl(41)->GetIconId());
  EXPECT_EQ(kFlagNoUpdate, palette->GetControl(0)->GetFlags() & kFlagNoUpdate);
  // Another popup is left alone.
  CTkPopupBar* other = CTkPopupBar::CreateForCommandBars(nullptr);
  sheet.OnPopupShowing(0, reinterpret_cast<LPARAM>(other));
  EXPECT_EQ(0, other->GetControlCount());
  other->InternalRelease();
}

TEST_F(CustomizeSheetTest, SuggestedNames) {
  struct Case {
    std::vector<const wchar_t*> titles;
    const wchar_t* suggested;
  };
  const Case cases[] = {
      {{}, L"Custom 1"},
      {{L"Custom 1", L"Custom 3"}, L"Custom 2"},
      {{L"Custom 1", L"Custom 3", L"Custom 2"}, L"Custom 4"},
      {{L"Custom 2"}, L"Custom 1"},
  };
  for (const Case& c : cases) {
    std::vector<CTkCommandBar*> made;
    for (const wchar_t* title : c.titles) made.push_back(Bars()->CreateToolBar(title, 0xE900 + 70, FALSE));
    EXPECT_EQ(CString(c.suggested), CTkNewToolbarDialog::SuggestName(Bars())) << c.titles.size();
    for (CTkCommandBar* bar : made) Bars()->RemoveCommandBar(bar);
  }
}

TEST_F(CustomizeSheetTest, NewToolbarNamesAndIds) {
  TheTestApp().recordMessageBoxes = true;
  CTkCommandBar* mine = Bars()->CreateToolBar(L"Mine", 0xE800, FALSE);
  struct Case {
    const char* name;
    CTkCommandBar* rename;
    const wchar_t* entered;
    int result;
    UINT id;
    int messages;
  };
  const Case cases[] = {
      {"a new name", nullptr, L"Fresh", IDOK, 0xE801, 0},
      {"an empty name", nullptr, L"", 0, 0, 1},
      {"another bar's title", nullptr, L"Tools", 0, 0, 1},
      {"titles differ in case", nullptr, L"tools", IDOK, 0xE801, 0},
      {"renamed to another bar's title", mine, L"Tools", 0, 0, 1},
      {"renamed to its own title", mine, L"Mine", IDOK, 0, 0},
  };
  for (const Case& c : cases) {
    TheTestApp().messageBoxes = 0;
    CTkNewToolbarDialog dialog(frame, Bars(), c.rename);
    dialog.m_strName = c.entered;
    EXPECT_EQ(c.result, dialog.Validate()) << c.name;
    EXPECT_EQ(c.messages, TheTestApp().messageBoxes) << c.name;
    if (c.result == IDOK) {
      EXPECT_EQ(c.id, dialog.m_nBarId) << c.name;
    }
  }
  // With every user id taken no bar can be made.
  std::vector<CTkCommandBar*> made;
  for (UINT id = 0xE801; id < 0xE8FF; ++id) {
    CTkCommandBar* bar = new CTkToolBar;
    bar->SetBarID(id);
    made.push_back(bar);
  }
  for (CTkCommandBar* bar : made) static_cast<TestCommandBars*>(Bars())->AppendBar(bar);
  TheTestApp().messageBoxes = 0;
  CTkNewToolbarDialog dialog(frame, Bars());
  dialog.m_strName = L"One too many";
  EXPECT_EQ(IDCANCEL, dialog.Validate());
  EXPECT_EQ(1, TheTestApp().messageBoxes);
  EXPECT_EQ(std::wstring(L"Sorry you have reached your limit."), TheTestApp().lastMessageBoxText);
  for (CTkCommandBar* bar : made) Bars()->RemoveCommandBar(bar);
}

TEST_F(CustomizeSheetTest, ToolbarsPageKeepsTheMenuBarAndFixedBarsChecked) {
  toolBar->SetCloseable(FALSE);
  CTkCommandBar* user = Bars()->CreateToolBar(L"Mine", 0xE800, FALSE);
  CTkCustomizeSheet sheet(Bars());
  RunSheet(sheet, [&](CTkCustomizeSheet& shown) {
    CTkCustomizeToolbarsPage* page = shown.GetToolbarsPage();
    ASSERT_NE(nullptr, page->GetSafeHwnd());
    CListBox& list = page->GetList();
    ASSERT_EQ(3, list.GetCount());
    struct Case {
      CTkCommandBar* bar;
      BOOL visibleAfter;
    };
    const Case cases[] = {{Bars()->GetMenuBar(), TRUE}, {toolBar, TRUE}, {user, FALSE}};
    for (const Case& c : cases) {
      int item = -1;
      for (int i = 0; i < list.GetCount(); ++i)
        if (Bars()->GetAt(static_cast<int>(list.GetItemData(i))) == c.bar) item = i;
      ASSERT_NE(-1, item);
      list.SetCurSel(item);
      page->OnCheckChange(item);
      EXPECT_EQ(c.visibleAfter, c.bar->IsVisible()) << static_cast<const void*>(c.bar);
      // The selection stays on the bar.
      EXPECT_EQ(c.bar, Bars()->GetAt(static_cast<int>(list.GetItemData(list.GetCurSel()))));
    }
    // A user's bar may be renamed and deleted, a built-in one reset.
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(page->m_hWnd, IDC_TK_TOOLBAR_DELETE)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page->m_hWnd, IDC_TK_TOOLBAR_RESET)));
    TheTestApp().recordMessageBoxes = true;
    TheTestApp().messageBoxAnswer = IDOK;
    page->OnDelete();
    EXPECT_EQ(2, list.GetCount());
    EXPECT_EQ(-1, Bars()->FindBarIndex(user));
  });
}

TEST_F(CustomizeSheetTest, TheProgramsSequence) {
  auto* sheet = new CTkCustomizeSheet(Bars(), 0);
  auto* options = new CTkCustomizeSettingsPage(sheet);
  sheet->AddCustomizePage(options);
  CTkCustomizeCommandsPage* commands = sheet->GetCommandsPage();
  EXPECT_TRUE(commands->AddCategoriesFromMenu(IDM_TK_TEST_TOOLS, FALSE));
  commands->AddAllCommandsCategory(IDS_TK_ALL_COMMANDS, -1);
  EXPECT_TRUE(commands->AddBuiltInMenusCategory(IDM_TK_TEST_TOOLS, IDS_TK_BUILT_IN_MENUS, -1));
  commands->AddNewMenuCategory(IDS_TK_NEW_MENU, -1);
  EXPECT_FALSE(commands->AddCategoriesFromMenu(4321, FALSE));
  ASSERT_EQ(4, commands->GetCategoryCount());
  const wchar_t* names[] = {L"Tools", L"All Commands", L"Built-in Menus", L"New Menu"};
  const int counts[] = {2, 2, 1, 1};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(CString(names[i]), commands->GetCategory(i)->m_strName);
    EXPECT_EQ(counts[i], commands->GetCategory(i)->m_pControls->GetCount()) << i;
  }
  CTkControl* newMenu = commands->GetCategory(3)->m_pControls->GetAt(0);
  EXPECT_EQ(kControlPopup, newMenu->GetType());
  EXPECT_EQ(CString(L"New Menu"), newMenu->GetCaption());
  const int before = toolBar->GetControlCount();
  const CSize iconBefore = toolBar->GetEffectiveIconSize();
  RunSheet(*sheet, [&](CTkCustomizeSheet& shown) {
    EXPECT_EQ(3, TabCtrl_GetItemCount(shown.GetTabControl()->m_hWnd));
    // "New Menu" dropped on the tool bar adds an empty popup.
    DROPEFFECT effect = DROPEFFECT_COPY;
    toolBar->OnCustomizeDrop(newMenu, effect, CPoint(0, 0), CPoint(5, 5));
    EXPECT_EQ(before + 1, toolBar->GetControlCount());
    // Large icons lay every bar out again at once.
    shown.SetActivePage(2);
    PumpPending();
    HWND page = PropSheet_GetCurrentPageHwnd(shown.m_hWnd);
    ::SendMessageW(::GetDlgItem(page, IDC_TK_LARGE_ICONS), BM_CLICK, 0, 0);
    EXPECT_TRUE(Bars()->GetCommandBarsOptions()->bLargeIcons);
    EXPECT_EQ(iconBefore.cx * 2, toolBar->GetEffectiveIconSize().cx);
  });
  CTkControl* added = toolBar->GetControl(0)->GetType() == kControlPopup ? toolBar->GetControl(0) : nullptr;
  ASSERT_NE(nullptr, added);
  ASSERT_NE(nullptr, added->GetCommandBar());
  EXPECT_EQ(0, added->GetCommandBar()->GetControlCount());
  delete options;
  delete sheet;
}

TEST_F(CustomizeSheetTest, ACommandPressedInTheListIsCopiedOntoABar) {
  CTkCustomizeSheet sheet(Bars(), 1);
  sheet.GetCommandsPage()->AddCategoriesFromMenu(IDM_TK_TEST_TOOLS, FALSE);
  const int before = toolBar->GetControlCount();
  RunSheet(sheet, [&](CTkCustomizeSheet& shown) {
    CTkCommandListBox& list = shown.GetCommandsPage()->GetCommandList();
    ASSERT_NE(nullptr, list.GetSafeHwnd());
    ASSERT_EQ(2, list.GetCount());
    // The drag's input, posted before the press starts it: over the tool
    // bar's end, then let go there.
    const CRect last = toolBar->GetControl(before - 1)->GetRect();
    const CPoint drop(last.right - 2, last.CenterPoint().y);
    toolBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(drop.x, drop.y));
    toolBar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
    CRect item;
    list.GetItemRect(1, &item);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.left + 4, item.top + 2));
    EXPECT_EQ(1, list.GetCurSel());
    EXPECT_EQ(before + 1, toolBar->GetControlCount());
    // The list keeps its command.
    EXPECT_EQ(2, list.GetCount());
  });
  CTkControl* copy = toolBar->GetControls()->FindControl(2001);
  ASSERT_NE(nullptr, copy);
  EXPECT_EQ(toolBar, copy->GetParent());
}

}  // namespace

// Edit Button Image: the editor runs modally on the control's picture; a
// timer draws in it and closes it with OK or Cancel.
struct EditorScript {
  static COLORREF color;
  static UINT closeWith;
  static bool drawn;
  static void CALLBACK Act(HWND, UINT, UINT_PTR id, DWORD) {
    HWND window = ::FindWindowW(nullptr, L"Button Editor");
    auto* editor = dynamic_cast<CTkButtonEditorDlg*>(CWnd::FromHandlePermanent(window));
    if (editor == nullptr || !editor->IsWindowVisible()) return;
    ::KillTimer(nullptr, id);
    for (int i = 0; i < CTkButtonEditorDlg::kSwatchCount; ++i)
      if (editor->GetSwatch(i).GetColor() == color) editor->SelectPicker(&editor->GetSwatch(i));
    const CSize cell = editor->GetCanvas().GetCellSize();
    const LPARAM at = MAKELPARAM(cell.cx / 2, cell.cy / 2);
    editor->GetCanvas().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    editor->GetCanvas().SendMessage(WM_LBUTTONUP, 0, at);
    drawn = true;
    editor->PostMessage(WM_COMMAND, closeWith, 0);
  }
  static void Run(CTkCustomizeSheet& sheet, COLORREF paint, UINT close) {
    color = paint;
    closeWith = close;
    drawn = false;
    ::SetTimer(nullptr, 0, 50, &Act);
    sheet.OnCmdMsg(ID_TK_CUSTOMIZE_EDIT_IMAGE, CN_COMMAND, nullptr, nullptr);
  }
};
COLORREF EditorScript::color = 0;
UINT EditorScript::closeWith = IDOK;
bool EditorScript::drawn = false;

TEST_F(CustomizeSheetTest, EditButtonImageWritesBackOnOkOnly) {
  CTkCustomizeSheet sheet(Bars());
  CTkControl* control = toolBar->GetControl(0);
  Bars()->SetCustomizeSelection(control);
  const std::vector<COLORREF> original = PictureOf(Bars(), control);
  ASSERT_FALSE(original.empty());
  // A colour the top-left pixel does not have, so the pencil draws it.
  const COLORREF paint = original[0] == RGB(255, 0, 0) ? RGB(0, 0, 255) : RGB(255, 0, 0);

  EditorScript::Run(sheet, paint, IDCANCEL);
  EXPECT_TRUE(EditorScript::drawn);
  EXPECT_EQ(0, control->GetCustomIconId());
  EXPECT_EQ(original, PictureOf(Bars(), control));

  EditorScript::Run(sheet, paint, IDOK);
  EXPECT_TRUE(EditorScript::drawn);
  const int customId = control->GetCustomIconId();
  ASSERT_NE(0, customId);
  std::vector<COLORREF> edited = PictureOf(Bars(), control);
  ASSERT_EQ(original.size(), edited.size());
  EXPECT_EQ(paint, edited[0]);
  EXPECT_TRUE(std::equal(original.begin() + 1, original.end(), edited.begin() + 1));

  // A second edit replaces the custom icon's picture under the same id.
  const COLORREF again = RGB(0, 255, 0);
  EditorScript::Run(sheet, again, IDOK);
  EXPECT_EQ(customId, control->GetCustomIconId());
  EXPECT_EQ(again, PictureOf(Bars(), control)[0]);
}
