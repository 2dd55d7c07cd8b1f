#include <gtest/gtest.h>

#include "popup_bar.h"
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
