// The Toolbars and Commands pages of the customize sheet: show, hide,
// make, rename, delete and reset tool bars; pick commands by category and
// drag them onto bars. Every change takes effect at once.
#pragma once

#include <vector>

#include "framework.h"
#include "property_sheet.h"

class CTkCommandBars;
class CTkControl;
class CTkControls;
class CTkCustomizeSheet;

// The bar list: the check shows whether the bar is visible; a click on
// the check or the space bar asks the page to toggle it.
class CTkBarCheckList : public CListBox {
 public:
  static const int kCheckWidth = 16;
  class CTkCustomizeToolbarsPage* m_pPage = nullptr;
  void DrawItem(LPDRAWITEMSTRUCT item) override;

 protected:
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  DECLARE_MESSAGE_MAP()
};

class CTkCustomizeToolbarsPage : public CPropertyPage {
  DECLARE_DYNCREATE(CTkCustomizeToolbarsPage)
 public:
  explicit CTkCustomizeToolbarsPage(CTkCustomizeSheet* sheet = nullptr);

  // Fills the list again, keeping the selected bar and the scroll place.
  void RefreshList();
  void UpdateButtons();
  // Shows or hides the bar of the item to follow a toggled check.
  void OnCheckChange(int item);
  void OnNew();
  void OnRename();
  void OnDelete();
  void OnReset();
  CTkBarCheckList& GetList() { return m_list; }

 protected:
  BOOL OnInitDialog() override;
  // The bar of the selected item, none when nothing is selected.
  int SelectedBarIndex() const;
  afx_msg void OnSelectionChange();
  CTkCommandBars* CommandBars() const;
  DECLARE_MESSAGE_MAP()

  CTkCustomizeSheet* m_pSheet;
  CTkBarCheckList m_list;
};

// A named group of command templates that are copied onto bars.
class CTkCustomizeCategory {
 public:
  explicit CTkCustomizeCategory(LPCWSTR name, CTkCommandBars* commandBars);
  ~CTkCustomizeCategory();
  CTkCustomizeCategory(const CTkCustomizeCategory&) = delete;
  CTkCustomizeCategory& operator=(const CTkCustomizeCategory&) = delete;

  CString m_strName;
  CTkControls* m_pControls;
};

// The command list: rows drawn by the paint manager, painted off-screen;
// a press on a row drags a copy of its command.
class CTkCommandListBox : public CListBox {
 public:
  CTkCommandBars* m_pCommandBars = nullptr;
  void DrawItem(LPDRAWITEMSTRUCT item) override;

 protected:
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()
};

class CTkCustomizeCommandsPage : public CPropertyPage {
  DECLARE_DYNCREATE(CTkCustomizeCommandsPage)
 public:
  explicit CTkCustomizeCommandsPage(CTkCustomizeSheet* sheet = nullptr);
  ~CTkCustomizeCommandsPage() override;

  // One category per top-level popup of the menu. FALSE when the menu
  // cannot be loaded.
  BOOL AddCategoriesFromMenu(UINT menuId, BOOL expandPopups);
  // index: before the category there; -1 at the end.
  BOOL AddBuiltInMenusCategory(UINT menuId, UINT nameId, int index);
  void AddNewMenuCategory(UINT nameId, int index);
  void AddAllCommandsCategory(UINT nameId, int index);
  void AddCategory(LPCWSTR name, CMenu* menu, BOOL expandPopups);
  CTkCustomizeCategory* FindCategory(LPCWSTR name) const;
  CTkCustomizeCategory* GetCategory(int index) const;
  int GetCategoryCount() const { return static_cast<int>(m_categories.size()); }
  // The named category's controls, the category made at the index when
  // there is none.
  CTkControls* GetCategoryControls(LPCWSTR name, int index = -1);
  void OnCategoryChanged();
  CListBox& GetCategoryList() { return m_categoryList; }
  CTkCommandListBox& GetCommandList() { return m_commandList; }

 protected:
  BOOL OnInitDialog() override;
  afx_msg void OnDestroy();
  void Insert(CTkCustomizeCategory* category, int index);
  CTkCommandBars* CommandBars() const;
  DECLARE_MESSAGE_MAP()

  CTkCustomizeSheet* m_pSheet;
  CListBox m_categoryList;
  CTkCommandListBox m_commandList;
  std::vector<CTkCustomizeCategory*> m_categories;
};
