// The Options page of the customize sheet: personalized menus, large
// icons, tips and menu animation, each applied the moment it changes; and
// the themed heading line the page uses for its groups.
#pragma once

#include "framework.h"
#include "property_sheet.h"
#include "ux_theme.h"

class CTkCommandBars;
class CTkCustomizeSheet;

// A heading: its text, then a line to the right edge.
class CTkThemedGroupLine : public CStatic {
 public:
  CTkThemedGroupLine() = default;

 protected:
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

  CTkUxThemeHandle m_theme;
};

class CTkCustomizeSettingsPage : public CPropertyPage {
 public:
  explicit CTkCustomizeSettingsPage(CTkCustomizeSheet* sheet);

  BOOL m_bAlwaysShowFullMenus;
  BOOL m_bShowFullAfterDelay;
  BOOL m_bLargeIcons;
  BOOL m_bToolBarScreenTips;
  BOOL m_bToolBarAccelTips;
  int m_nAnimation;

 protected:
  BOOL OnInitDialog() override;
  CTkCommandBars* CommandBars() const;
  void EnableDependents();
  afx_msg void OnFullMenus();
  afx_msg void OnFullAfterDelay();
  afx_msg void OnLargeIcons();
  afx_msg void OnScreenTips();
  afx_msg void OnShortcutTips();
  afx_msg void OnAnimation();
  afx_msg void OnResetUsage();
  DECLARE_MESSAGE_MAP()

  CTkCustomizeSheet* m_pSheet;
  CComboBox m_animation;
  CTkThemedGroupLine m_lines[2];
};
