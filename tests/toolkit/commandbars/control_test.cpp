#include <gtest/gtest.h>

#include "popup_bar.h"
#include "../test_resources.h"
#include "icon_fixtures.h"
#include "image_manager.h"

namespace {

CTkImageManager* ManagerWithIcon(UINT id) {
  auto* manager = new CTkImageManager;
  CTkIconHandle handle;
  handle.AttachIcon(MakeSolidIcon(16, 16, RGB(0, 0, 255)));
  manager->SetIcon(handle, id);
  return manager;
}

TEST(Control, CaptionVisibilityFollowsBarStyleTypeAndIcon) {
  const UINT kWithIcon = 501;
  const UINT kWithoutIcon = 502;
  struct Case {
    int barType;
    int type;
    int style;
    int customStyle;
    UINT id;
    LPCWSTR caption;
    BOOL visible;
  };
  const Case cases[] = {
      {kBarTool, kControlButton, kButtonAutomatic, 0, kWithIcon, L"Open", FALSE},
      {kBarTool, kControlButton, kButtonAutomatic, 0, kWithoutIcon, L"Open", TRUE},
      {kBarTool, kControlButton, kButtonCaption, 0, kWithIcon, L"Open", TRUE},
      {kBarTool, kControlButton, kButtonIconAndCaption, 0, kWithIcon, L"Open", TRUE},
      {kBarTool, kControlButton, kButtonIcon, 0, kWithoutIcon, L"Open", FALSE},
      {kBarTool, kControlButton, kButtonIcon, kButtonCaption, kWithIcon, L"Open", TRUE},
      {kBarTool, kControlButton, kButtonCaption, 0, kWithIcon, L"", FALSE},
      {kBarTool, kControlSplitButtonPopup, kButtonAutomatic, 0, kWithIcon, L"Open", FALSE},
      {kBarTool, kControlPopup, kButtonAutomatic, 0, kWithIcon, L"Open", TRUE},
      {kBarTool, kControlLabel, kButtonAutomatic, 0, kWithIcon, L"Open", TRUE},
      {kBarTool, kControlEdit, kButtonAutomatic, 0, kWithoutIcon, L"Open", FALSE},
      {kBarPopup, kControlButton, kButtonIcon, 0, kWithIcon, L"", TRUE},
  };
  for (const Case& c : cases) {
    CTkCommandBar* bar = c.barType == kBarPopup ? new CTkPopupBar : new CTkCommandBar;
    bar->AttachImageManager(ManagerWithIcon(kWithIcon));
    auto* control = new CTkControl;
    control->SetType(c.type);
    control->SetStyle(c.style);
    control->SetCustomStyle(c.customStyle);
    control->SetCaption(c.caption);
    bar->GetControls()->AddControl(control, c.id);
    EXPECT_EQ(c.visible, control->IsCaptionVisible())
        << "bar " << c.barType << " type " << c.type << " style " << c.style << "/" << c.customStyle << " id " << c.id;
    bar->InternalRelease();
  }
}

TEST(Control, TabInCaptionGivesTheAutomaticShortcut) {
  CTkControl control;
  control.SetCaption(L"&Open\tCtrl+O");
  EXPECT_EQ(CString(L"&Open"), control.GetCaption());
  EXPECT_EQ(CString(L"Ctrl+O"), control.GetShortcutText());
  control.SetCustomCaption(L"Mine");
  EXPECT_EQ(CString(L"Mine"), control.GetVisibleCaption());
}

TEST(Control, IconIdResolvesCustomThenIconThenCommand) {
  CTkCommandBar* bar = new CTkCommandBar;
  auto* manager = ManagerWithIcon(10);
  CTkIconHandle other;
  other.AttachIcon(MakeSolidIcon(16, 16, RGB(0, 255, 0)));
  manager->SetIcon(other, 20);
  bar->AttachImageManager(manager);
  auto* control = bar->GetControls()->AddControl(new CTkControlButton, 10);
  EXPECT_EQ(10u, control->GetIconImage(16)->GetCommandId());
  control->SetIconId(20);
  EXPECT_EQ(20u, control->GetIconImage(16)->GetCommandId());
  control->SetCustomIconId(30);
  EXPECT_EQ(nullptr, control->GetIconImage(16));
  control->SetCustomIconId(0);
  control->SetIconId(0);
  control->SetID(0);
  EXPECT_EQ(nullptr, control->GetIconImage(16));
  bar->InternalRelease();
}

TEST(CommandBar, IconAndButtonSizes) {
  CTkCommandBar bar;
  EXPECT_EQ(CSize(16, 16), bar.GetEffectiveIconSize());
  EXPECT_EQ(CSize(23, 23), bar.GetEffectiveButtonSize());
  bar.SetIconSize(CSize(24, 24));
  EXPECT_EQ(CSize(31, 31), bar.GetEffectiveButtonSize());
  bar.SetButtonSize(CSize(40, 30));
  EXPECT_EQ(CSize(40, 30), bar.GetEffectiveButtonSize());
  EXPECT_FALSE(bar.IsTextBelowIcons());
  bar.ShowTextBelowIcons(TRUE);
  EXPECT_TRUE(bar.IsTextBelowIcons());
}

TEST(CommandBar, ControlsKnowTheirPlaceAndAreReleasedWithTheBar) {
  CTkCommandBar* bar = new CTkCommandBar;
  auto* kept = new CTkControlButton;
  kept->InternalAddRef();
  bar->GetControls()->AddControl(new CTkControlPopup, 0);
  bar->GetControls()->AddControl(kept, 0);
  EXPECT_EQ(1, kept->GetIndex());
  EXPECT_EQ(bar, kept->GetParent());
  EXPECT_EQ(kept, bar->GetControl(1));
  EXPECT_EQ(nullptr, bar->GetControl(2));
  EXPECT_EQ(nullptr, bar->GetControl(-1));
  bar->InternalRelease();
  // The holder's own reference keeps the control, now without a bar.
  EXPECT_EQ(nullptr, kept->GetParent());
  EXPECT_EQ(0u, kept->InternalRelease());
}

}  // namespace

namespace {

TEST(Control, TextsFromCaptionsPromptsAndStrings) {
  struct Case {
    const char* name;
    LPCWSTR caption;
    LPCWSTR shortcut;  // explicit shortcut text, or null
    LPCWSTR prompt;    // or null
    UINT id;
    LPCWSTR caption1, shortcut1, description1, tooltip1;
  };
  const Case cases[] = {
      {"tab shortcut", L"&Open\tCtrl+O", nullptr, nullptr, 0, L"&Open", L"Ctrl+O", L"", L""},
      {"explicit shortcut wins", L"&Open\tCtrl+O", L"F3", nullptr, 0, L"&Open", L"F3", L"", L""},
      {"two-line prompt", L"Open", nullptr, L"Opens a file\nOpen", 0, L"Open", L"", L"Opens a file", L"Open"},
      {"one-line prompt", L"Open", nullptr, L"Opens a file", 0, L"Open", L"", L"Opens a file", L"Opens a file"},
      {"empty prompt", L"Open", nullptr, L"", 0, L"Open", L"", L"", L""},
      {"caption from the tooltip", L"", nullptr, L"Opens a file\nOpen", 0, L"Open", L"", L"Opens a file", L"Open"},
      {"known string", L"", nullptr, nullptr, IDS_TK_TEST_COMMAND_PROMPT, L"Save", L"", L"Saves the open file",
       L"Save"},
      {"unknown string", L"Keep", nullptr, nullptr, IDS_TK_TEST_COMMAND_UNKNOWN, L"Keep", L"", L"", L""},
  };
  for (const Case& c : cases) {
    CTkControlButton control;
    control.SetCaption(c.caption);
    if (c.shortcut != nullptr) control.SetShortcutText(c.shortcut);
    if (c.prompt != nullptr) control.SetPrompt(c.prompt);
    if (c.id != 0) control.SetID(c.id);
    EXPECT_EQ(CString(c.caption1), control.GetCaption()) << c.name;
    EXPECT_EQ(CString(c.shortcut1), control.GetShortcutText()) << c.name;
    EXPECT_EQ(CString(c.description1), control.GetDescription()) << c.name;
    EXPECT_EQ(CString(c.tooltip1), control.GetTooltipText()) << c.name;
  }
}

TEST(Control, ACaptionChangeMarksTheBarsControlsChanged) {
  CTkCommandBar* bar = new CTkCommandBar;
  CTkControl* control = bar->GetControls()->AddControl(new CTkControlButton, 0);
  control->SetCaption(L"Open");
  bar->SetState(0);
  control->SetCaption(L"Open\tCtrl+O");
  EXPECT_EQ(0u, bar->GetState()) << "the same caption with a shortcut";
  control->SetCaption(L"Close");
  EXPECT_EQ(static_cast<DWORD>(kStateControlsChanged), bar->GetState());
  bar->InternalRelease();
}

// A control with every compared and copied field set.
CTkControl* FullySetControl() {
  auto* control = new CTkControlButton;
  control->SetID(2006);
  control->SetTag(7);
  control->SetFlags(kFlagStretched);
  control->SetCaption(L"&Open\tCtrl+O");
  control->SetShortcutText(L"F3");
  control->SetPrompt(L"Opens a file\nOpen");
  control->SetParameter(L"param");
  control->SetIconId(12);
  control->SetCustomIconId(0);
  control->SetCustomCaption(L"Mine");
  control->SetCategory(L"File");
  control->SetHideFlags(kHideByUser);
  control->SetDefaultItem(TRUE);
  control->SetEnabled(FALSE);
  control->SetChecked(TRUE);
  control->SetStyle(kButtonCaption);
  control->SetCustomStyle(kButtonIconAndCaption);
  control->SetBeginGroup(TRUE);
  control->SetCloseSubMenuOnClick(FALSE);
  control->GetAssignedDocTemplates().SetAt(300, TRUE);
  control->GetExcludedDocTemplates().SetAt(400, TRUE);
  return control;
}

TEST(Control, EqualityComparesItsFieldsOnly) {
  struct Case {
    const char* field;
    void (*change)(CTkControl*);
    BOOL equal;
  };
  const Case cases[] = {
      {"style", [](CTkControl* c) { c->SetCustomStyle(0); }, FALSE},
      {"type", [](CTkControl* c) { c->SetType(kControlButtonPopup); }, FALSE},
      {"id", [](CTkControl* c) { c->SetID(2007); }, FALSE},
      {"flags", [](CTkControl* c) { c->SetFlags(0); }, FALSE},
      {"begin group", [](CTkControl* c) { c->SetBeginGroup(FALSE); }, FALSE},
      {"icon", [](CTkControl* c) { c->SetIconId(13); }, FALSE},
      {"caption", [](CTkControl* c) { c->SetCaption(L"Close"); }, FALSE},
      {"tooltip", [](CTkControl* c) { c->SetTooltip(L"Other"); }, FALSE},
      {"description", [](CTkControl* c) { c->SetDescription(L"Other"); }, FALSE},
      {"custom caption", [](CTkControl* c) { c->SetCustomCaption(L"Yours"); }, FALSE},
      {"custom style", [](CTkControl* c) { c->SetCustomStyle(kButtonIcon); }, FALSE},
      {"parameter", [](CTkControl* c) { c->SetParameter(L"other"); }, FALSE},
      {"hidden by the user", [](CTkControl* c) { c->SetHideFlags(0); }, FALSE},
      {"another hide reason", [](CTkControl* c) { c->SetHideFlags(kHideByUser | kHideWrapped); }, TRUE},
      {"the same icon by another way", [](CTkControl* c) { c->SetCustomIconId(12); }, TRUE},
      {"category", [](CTkControl* c) { c->SetCategory(L"Other"); }, TRUE},
      {"checked", [](CTkControl* c) { c->SetChecked(FALSE); }, TRUE},
  };
  for (const Case& c : cases) {
    CTkControl* original = FullySetControl();
    CTkControl* changed = FullySetControl();
    c.change(changed);
    EXPECT_EQ(c.equal, original->IsEqualControl(changed)) << c.field;
    original->InternalRelease();
    changed->InternalRelease();
  }
}

TEST(Control, CopiesAndClonesAreEqualAndCarryTheUncomparedFields) {
  CTkControl* original = FullySetControl();
  CTkControl* clone = original->Clone(TRUE);
  CTkControl* copy = new CTkControl;
  copy->CopyControlFrom(original, FALSE);
  for (CTkControl* made : {clone, copy}) {
    EXPECT_TRUE(made->IsEqualControl(original));
    EXPECT_EQ(7, made->GetTag());
    EXPECT_EQ(CString(L"F3"), made->GetShortcutText());
    EXPECT_EQ(CString(L"File"), made->GetCategory());
    EXPECT_TRUE(made->IsDefaultItem());
    EXPECT_FALSE(made->GetEnabled());
    EXPECT_TRUE(made->GetChecked());
    EXPECT_FALSE(made->GetCloseSubMenuOnClick());
    BOOL flag = FALSE;
    EXPECT_TRUE(made->GetAssignedDocTemplates().Lookup(300, flag));
    EXPECT_TRUE(made->GetExcludedDocTemplates().Lookup(400, flag));
    EXPECT_EQ(1, made->GetExcludedDocTemplates().GetCount());
  }
  EXPECT_TRUE(clone->IsKindOf(RUNTIME_CLASS(CTkControlButton)));
  original->InternalRelease();
  clone->InternalRelease();
  copy->InternalRelease();
}

}  // namespace
