#include <gtest/gtest.h>

#include "control_custom.h"
#include "control_combo_box.h"
#include "control_edit.h"
#include "control_lists.h"
#include "control_selector.h"
#include "popup_bar.h"
#include "test_app.h"
#include "../test_resources.h"

namespace {

// A menu with every kind of item a bar is built from.
void FillTestMenu(CMenu& menu) {
  menu.CreatePopupMenu();
  menu.AppendMenu(MF_STRING, 2001, L"&New\tCtrl+N");
  menu.AppendMenu(MF_SEPARATOR);
  menu.AppendMenu(MF_STRING | MF_CHECKED, 2003, L"&Bold");
  menu.AppendMenu(MF_STRING | MF_GRAYED, 2002, L"&Gray");
  menu.AppendMenu(MF_STRING, 0xFF00, L"&Windows");
  CMenu submenu;
  submenu.CreatePopupMenu();
  submenu.AppendMenu(MF_STRING, 2006, L"&Inner");
  menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.Detach()), L"&More");
  menu.AppendMenu(MF_STRING, 2004, L"&Default");
  ::SetMenuDefaultItem(menu.m_hMenu, 2004, FALSE);
}

TEST(ControlCollection, ABarBuiltFromAMenu) {
  CMenu menu;
  FillTestMenu(menu);
  CTkCommandBar* bar = new CTkPopupBar;
  ASSERT_TRUE(bar->BuildFromMenu(&menu, TRUE));
  struct Expected {
    int type;
    UINT id;
    LPCWSTR caption;
    LPCWSTR shortcut;
    BOOL group, checked, enabled, isDefault;
  };
  const Expected expected[] = {
      {kControlButton, 2001, L"&New", L"Ctrl+N", FALSE, FALSE, TRUE, FALSE},
      {kControlButton, 2003, L"&Bold", L"", TRUE, TRUE, TRUE, FALSE},
      {kControlButton, 2002, L"&Gray", L"", FALSE, FALSE, FALSE, FALSE},
      {kControlPopup, static_cast<UINT>(-1), L"&More", L"", FALSE, FALSE, TRUE, FALSE},
      {kControlButton, 2004, L"&Default", L"", FALSE, FALSE, TRUE, TRUE},
  };
  ASSERT_EQ(5, bar->GetControlCount()) << "the MDI-children item makes no control";
  for (int i = 0; i < 5; ++i) {
    const Expected& e = expected[i];
    CTkControl* control = bar->GetControl(i);
    EXPECT_EQ(e.type, control->GetType()) << i;
    EXPECT_EQ(e.id, control->GetID()) << i;
    EXPECT_EQ(CString(e.caption), control->GetCaption()) << i;
    EXPECT_EQ(CString(e.shortcut), control->GetShortcutText()) << i;
    EXPECT_EQ(e.group, control->GetBeginGroup()) << i;
    EXPECT_EQ(e.checked, control->GetChecked()) << i;
    EXPECT_EQ(e.enabled, control->GetEnabled()) << i;
    EXPECT_EQ(e.isDefault, control->IsDefaultItem()) << i;
    EXPECT_EQ(bar, control->GetParent()) << i;
  }
  CTkCommandBar* popup = bar->GetControl(3)->GetCommandBar();
  ASSERT_NE(nullptr, popup);
  EXPECT_TRUE(popup->IsKindOf(RUNTIME_CLASS(CTkPopupBar)));
  EXPECT_EQ(CString(L"More"), popup->GetTitle());
  ASSERT_EQ(1, popup->GetControlCount());
  EXPECT_EQ(2006u, popup->GetControl(0)->GetID());
  EXPECT_EQ(popup->GetControl(0), bar->GetControls()->FindControl(0, 2006, FALSE, TRUE));
  EXPECT_EQ(nullptr, bar->GetControls()->FindControl(2006));
  bar->InternalRelease();
}

TEST(ControlCollection, AddMakesOnlyTheClassesTheProgramHas) {
  CTkCommandBar* bar = new CTkCommandBar;
  CTkControls* controls = bar->GetControls();
  struct Case {
    int type;
    UINT id;
    bool made;
    CRuntimeClass* kind;
    int madeType;
  };
  const Case cases[] = {
      {kControlButton, 2001, true, RUNTIME_CLASS(CTkControlButton), kControlButton},
      {kControlPopup, 0, true, RUNTIME_CLASS(CTkControlPopup), kControlPopup},
      {kControlSplitButtonPopup, 0, true, RUNTIME_CLASS(CTkControlPopup), kControlSplitButtonPopup},
      {kControlButton, 35003, true, RUNTIME_CLASS(CTkControlRecentFileList), kControlButton},
      {kControlButton, 35000, true, RUNTIME_CLASS(CTkControlWindowList), kControlButton},
      {kControlButton, 35002, true, RUNTIME_CLASS(CTkControlWorkspaceActions), kControlButton},
      {kControlButton, 59392, true, RUNTIME_CLASS(CTkControlToolbars), kControlButton},
      {kControlEdit, 2001, true, RUNTIME_CLASS(CTkControlEdit), kControlEdit},
      // A hosted window keeps the button's type.
      {kControlCustom, 2001, true, RUNTIME_CLASS(CTkControlCustom), kControlButton},
      {kControlLabel, 2001, true, RUNTIME_CLASS(CTkControlLabel), kControlLabel},
      {kControlComboBox, 2001, true, RUNTIME_CLASS(CTkControlComboBox), kControlComboBox},
      {9, 2001, false, nullptr, 0},
  };
  for (const Case& c : cases) {
    const int before = controls->GetCount();
    CTkControl* control = controls->Add(c.type, c.id);
    EXPECT_EQ(c.made, control != nullptr) << c.type << " " << c.id;
    EXPECT_EQ(before + (c.made ? 1 : 0), controls->GetCount());
    if (control == nullptr) continue;
    EXPECT_TRUE(control->IsKindOf(c.kind)) << c.type << " " << c.id;
    EXPECT_EQ(c.madeType, control->GetType());
    // The combo box opens its list as a popup bar too.
    const bool opensBar = IsPopupControlType(c.type) != FALSE || c.type == kControlComboBox;
    EXPECT_EQ(opensBar, control->GetCommandBar() != nullptr);
  }
  bar->InternalRelease();
}

TEST(ControlCollection, APopupWithAMenuIdIsFilledFromThatMenu) {
  CTkCommandBar* bar = new CTkCommandBar;
  CTkControl* popup = bar->GetControls()->Add(kControlButtonPopup, IDM_TK_TEST_TOOLS, L"", 0);
  ASSERT_NE(nullptr, popup);
  EXPECT_EQ(CString(L"&Tools"), popup->GetCaption());
  EXPECT_EQ(static_cast<UINT>(IDM_TK_TEST_TOOLS), popup->GetID());
  CTkCommandBar* popupBar = popup->GetCommandBar();
  ASSERT_NE(nullptr, popupBar);
  ASSERT_EQ(2, popupBar->GetControlCount());
  EXPECT_EQ(2006u, popupBar->GetControl(0)->GetID());
  EXPECT_TRUE(popupBar->GetControl(1)->GetBeginGroup());
  // A plain popup keeps id 0.
  CTkControl* plain = bar->GetControls()->Add(kControlPopup, IDM_TK_TEST_TOOLS);
  EXPECT_EQ(0u, plain->GetID());
  EXPECT_EQ(2, plain->GetCommandBar()->GetControlCount());
  bar->InternalRelease();
}

TEST(ControlCollection, RemovingMovesTheOthersUpAndLeavesStrangersAlone) {
  CTkCommandBar* bar = new CTkCommandBar;
  CTkControls* controls = bar->GetControls();
  CTkControl* first = controls->Add(kControlButton, 2001);
  CTkControl* second = controls->Add(kControlButton, 2002);
  CTkControl* third = controls->Add(kControlButton, 2003, L"", 1);
  EXPECT_EQ(third, controls->GetAt(1));
  CTkCommandBar* other = new CTkCommandBar;
  CTkControl* stranger = other->GetControls()->Add(kControlButton, 2004);
  controls->Remove(stranger);
  EXPECT_EQ(3, controls->GetCount());
  EXPECT_EQ(other, stranger->GetParent());
  second->InternalAddRef();
  controls->Remove(second);
  EXPECT_EQ(nullptr, second->GetParent());
  EXPECT_EQ(0u, second->InternalRelease());
  controls->Remove(0);
  EXPECT_EQ(third, controls->GetFirst());
  EXPECT_EQ(0, third->GetIndex());
  EXPECT_EQ(nullptr, controls->GetNext(third));
  controls->Remove(5);
  EXPECT_EQ(1, controls->GetCount());
  (void)first;
  bar->InternalRelease();
  other->InternalRelease();
}

TEST(ControlCollection, OriginalSetAndTemporaryControls) {
  CMenu menu;
  FillTestMenu(menu);
  CTkCommandBar* bar = new CTkPopupBar;
  bar->BuildFromMenu(&menu, TRUE);
  CTkControls* controls = bar->GetControls();
  EXPECT_TRUE(controls->IsChanged()) << "no original set yet";
  controls->CreateOriginalControls();
  EXPECT_FALSE(controls->IsChanged());

  // Temporary controls on either side do not count.
  controls->Add(kControlButton, 3000, L"", 0, TRUE);
  CTkControls* copy = controls->Duplicate(TRUE);
  EXPECT_EQ(controls->GetCount() - 1, copy->GetCount()) << "temporary controls are not copied";
  ASSERT_NE(nullptr, copy->GetOriginalControls());
  copy->Add(kControlButton, 3001, L"", 2, TRUE);
  copy->Add(kControlButton, 3002, L"", -1, TRUE);
  EXPECT_TRUE(controls->IsEqual(copy));
  EXPECT_TRUE(copy->IsEqual(controls));
  EXPECT_FALSE(controls->IsChanged());
  EXPECT_FALSE(copy->IsChanged());

  copy->GetAt(3)->SetCaption(L"Changed");
  EXPECT_FALSE(controls->IsEqual(copy));
  EXPECT_TRUE(copy->IsChanged());
  copy->Remove(copy->GetAt(copy->GetCount() - 2));
  EXPECT_FALSE(copy->IsEqual(copy->GetOriginalControls()));
  EXPECT_FALSE(copy->IsEqual(nullptr));
  controls->ClearOriginalControls();
  EXPECT_TRUE(controls->IsChanged());
  copy->InternalRelease();
  bar->InternalRelease();
}

TEST(ControlCollection, KeyboardWalk) {
  CTkCommandBar* bar = new CTkCommandBar;
  CTkControls* controls = bar->GetControls();
  // 0 plain, 1 skipped by the keyboard, 2 scrolled out (soft), 3 rarely used
  // (soft when allowed), 4 temporary, 5 hidden by the user, 6 plain.
  for (int i = 0; i < 7; ++i) controls->Add(kControlButton, 2001 + i, L"", -1, i == 4);
  controls->GetAt(1)->SetFlags(kFlagSkipKeyboard);
  controls->GetAt(2)->SetHideFlags(kHideScrolled);
  controls->GetAt(3)->SetHideFlags(kHideRarelyUsed);
  controls->GetAt(5)->SetHideFlags(kHideByUser);
  struct Case {
    int start, step;
    BOOL skipFlag2, skipTemporary, allowRare;
    int expected;
  };
  const Case cases[] = {
      {-1, 1, TRUE, FALSE, TRUE, 0},   {0, 1, TRUE, FALSE, TRUE, 2},   {0, 1, FALSE, FALSE, TRUE, 1},
      {2, 1, TRUE, FALSE, FALSE, 4},   {2, 1, TRUE, TRUE, FALSE, 6},   {2, 1, TRUE, FALSE, TRUE, 3},
      {6, 1, TRUE, FALSE, TRUE, 0},    {-1, -1, TRUE, FALSE, TRUE, 6}, {0, -1, TRUE, TRUE, FALSE, 6},
      {6, -1, TRUE, TRUE, FALSE, 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, controls->GetNextIndex(c.start, c.step, c.skipFlag2, c.skipTemporary, c.allowRare))
        << c.start << " " << c.step << " " << c.skipFlag2 << c.skipTemporary << c.allowRare;

  // Nothing eligible: a walk from outside ends, one from a control comes back to it.
  CTkCommandBar* hidden = new CTkCommandBar;
  for (int i = 0; i < 3; ++i) hidden->GetControls()->Add(kControlButton, 2001 + i)->SetHideFlags(kHideByUser);
  EXPECT_EQ(-1, hidden->GetControls()->GetNextIndex(-1, 1, TRUE, FALSE, TRUE));
  EXPECT_EQ(-1, hidden->GetControls()->GetNextIndex(-1, -1, TRUE, FALSE, TRUE));
  EXPECT_EQ(1, hidden->GetControls()->GetNextIndex(1, 1, TRUE, FALSE, TRUE));
  EXPECT_EQ(-1, CTkCommandBar().GetControls()->GetNextIndex(-1, 1, TRUE, FALSE, TRUE));
  hidden->InternalRelease();
  bar->InternalRelease();
}

TEST(ControlCollection, VisibleCountsAndHitTest) {
  CTkCommandBar* bar = new CTkCommandBar;
  CTkControls* controls = bar->GetControls();
  const int reasons[] = {0, kHideWrapped, kHideByUser, kHideWrapped | kHideByOwner};
  for (int i = 0; i < 4; ++i) {
    CTkControl* control = controls->Add(kControlButton, 2001 + i);
    control->SetHideFlags(reasons[i]);
    control->SetControlRect(CRect(0, 0, 10, 10));
  }
  EXPECT_EQ(1, controls->GetVisibleCount(TRUE));
  EXPECT_EQ(2, controls->GetVisibleCount(FALSE));
  controls->GetAt(0)->SetHideFlags(kHideScrolled);
  EXPECT_EQ(nullptr, controls->HitTest(CPoint(5, 5))) << "hidden controls are never hit";
  controls->GetAt(1)->SetHideFlags(0);
  EXPECT_EQ(controls->GetAt(1), controls->HitTest(CPoint(5, 5)));
  EXPECT_EQ(nullptr, controls->HitTest(CPoint(10, 5)));
  bar->InternalRelease();
}

}  // namespace
