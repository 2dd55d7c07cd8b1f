// A window-less strip of tabs: the tabs, the selected and hot tab, the
// scroll of an overflowing strip, its three navigate buttons, hit tests,
// mouse and keys, dragging a tab to a new place and tool tips. An owner
// window derives from CTkTabSet, forwards its messages and paints it
// through a CTkTabPainter.
#pragma once

#include <vector>

#include "framework.h"
#include "tab_set_base.h"

class CTkTabSet;
class CTkTabPainter;

// Automatic colours are stored as this base plus 0..7 until resolved.
const COLORREF kTabAutoColorBase = 0x01000000;
const int kTabAutoColorCount = 8;
COLORREF ResolveTabAutoColor(COLORREF color);

class CTkTabManagerItem : public CCmdTarget {
  DECLARE_DYNAMIC(CTkTabManagerItem)
 public:
  CTkTabManagerItem() = default;

  // An equal text changes nothing and lays nothing out again.
  void SetCaption(LPCWSTR text);
  CString GetCaption() const;
  void SetColor(COLORREF color);
  COLORREF GetColor() const;
  // Takes the tab out of its strip; it lives on while the caller holds it.
  void Remove();
  DWORD_PTR GetItemData() const { return m_itemData; }
  BOOL IsVisible() const { return m_bVisible; }
  BOOL IsEnabled() const { return m_bEnabled; }

  int m_currentLength = 0;
  int m_idealLength = 0;
  int m_index = -1;
  BOOL m_bEnabled = TRUE;
  BOOL m_bVisible = TRUE;
  DWORD_PTR m_itemData = 0;
  int m_imageIndex = 0;
  void* m_pAttached = nullptr;
  CRect m_rect{0, 0, 0, 0};
  CString m_caption;
  CString m_toolTip;
  COLORREF m_color = 0;
  CTkTabSet* m_pOwner = nullptr;
  int m_row = 0;
  BOOL m_bClosable = TRUE;
};

// One navigate button at the end of the strip: scroll back, scroll
// forward or close.
class CTkTabScrollButton {
 public:
  enum { kBack = 0, kForward = 1, kClose = 2 };
  enum { kNeverShown = 0, kShownWhenNeeded = 1, kAlwaysShown = 2 };

  CTkTabScrollButton(CTkTabSet* owner, int id, int displayMode) : m_id(id), m_displayMode(displayMode), m_pOwner(owner) {}
  virtual ~CTkTabScrollButton() = default;
  CTkTabScrollButton(const CTkTabScrollButton&) = delete;
  CTkTabScrollButton& operator=(const CTkTabScrollButton&) = delete;

  // Takes the button's share off the length left for the tabs.
  virtual void AdjustLength(int* length);
  // Modal: tracks the pressed button until the left button is released.
  virtual void PerformClick(HWND hWnd, int x, int y);
  // Places the button at the end of rc and shortens rc, or hides it.
  virtual void PlaceButton(RECT* rc);
  virtual void DrawGlyph(CDC* pDC, const CRect& rc) = 0;
  virtual void OnExecute(BOOL repeat) = 0;

  void Draw(CDC* pDC);
  void UpdateHover(HWND hWnd, int x, int y);

  int m_id;
  int m_displayMode;
  int m_width = 14;
  int m_height = 15;
  CTkTabSet* m_pOwner;
  CRect m_rect{0, 0, 0, 0};
  BOOL m_bEnabled = TRUE;
  BOOL m_bPressed = FALSE;
  BOOL m_bHot = FALSE;

 protected:
  BOOL IsHorizontal() const;
  void PlaceAtEnd(RECT* rc);
  // The arrows' rule: enabled state, then hidden or placed.
  void PlaceArrow(RECT* rc, BOOL enabled);
};

class CTkTabBackButton : public CTkTabScrollButton {
 public:
  explicit CTkTabBackButton(CTkTabSet* owner) : CTkTabScrollButton(owner, kBack, kShownWhenNeeded) {}
  void AdjustLength(int* length) override;
  void PlaceButton(RECT* rc) override;
  void DrawGlyph(CDC* pDC, const CRect& rc) override;
  void OnExecute(BOOL repeat) override;
};

class CTkTabForwardButton : public CTkTabScrollButton {
 public:
  explicit CTkTabForwardButton(CTkTabSet* owner) : CTkTabScrollButton(owner, kForward, kShownWhenNeeded) {}
  void AdjustLength(int* length) override;
  void PlaceButton(RECT* rc) override;
  void DrawGlyph(CDC* pDC, const CRect& rc) override;
  void OnExecute(BOOL repeat) override;
};

class CTkTabCloseButton : public CTkTabScrollButton {
 public:
  explicit CTkTabCloseButton(CTkTabSet* owner) : CTkTabScrollButton(owner, kClose, kNeverShown) {}
  void DrawGlyph(CDC* pDC, const CRect& rc) override;
  void OnExecute(BOOL repeat) override;
};

// Rows of the multi-row layout as (first tab, last tab) pairs.
class CTkTabRowTable {
 public:
  struct Row {
    int first;
    int last;
  };
  explicit CTkTabRowTable(CTkTabSet* owner) : m_pOwner(owner) { SetRowCount(1); }
  void SetRowCount(int count);
  int GetRowCount() const { return m_count; }
  Row& operator[](int row) { return m_rows[row]; }
  const Row& operator[](int row) const { return m_rows[row]; }

  std::vector<Row> m_rows;
  int m_count = 0;
  CTkTabSet* m_pOwner;
};

class CTkTabSet : public CTkTabSetBase {
 public:
  CTkTabSet();
  ~CTkTabSet() override;
  CTkTabSet(const CTkTabSet&) = delete;
  CTkTabSet& operator=(const CTkTabSet&) = delete;

  virtual CString GetTabCaption(const CTkTabManagerItem* item) const;
  virtual int GetTabImage(const CTkTabManagerItem* item) const;
  virtual COLORREF GetTabColor(const CTkTabManagerItem* item) const;
  virtual CString GetTabToolTip(const CTkTabManagerItem* item) const;
  virtual void RepositionTabs();
  virtual void SelectTab(CTkTabManagerItem* item);
  virtual void ClickTabIfAny(CTkTabManagerItem* item);
  virtual void GetStripMetrics(SIZE* fixed, SIZE* least, SIZE* greatest) const;
  virtual CTkTabPainter* GetPainter() const = 0;
  virtual void OnPlaceholder(int) {}
  virtual void RedrawControl() = 0;
  virtual BOOL IsReorderAllowed() const { return m_bReorderAllowed; }
  virtual void SetReorderAllowed(BOOL allowed) { m_bReorderAllowed = allowed; }
  virtual BOOL HasFrame() const;
  // With draw FALSE only reports whether the tab has an image (and may set
  // size); item NULL asks for the strip's image size.
  virtual BOOL DrawTabIcon(CDC* pDC, POINT pt, CTkTabManagerItem* item, BOOL draw, SIZE* size) = 0;
  virtual int GetStripPosition() const;
  virtual void ScrollTabs(BOOL forward);
  virtual BOOL IsNavigateButtonVisible(const CTkTabScrollButton* button) const;
  virtual void OnTabClicked(CTkTabManagerItem* item) { SelectTab(item); }
  virtual void TrackTabDrag(HWND hWnd, int x, int y, CTkTabManagerItem* item);
  virtual void OnNavigateButtonClick(int) {}
  virtual int IsMouseTrackingBlocked() const { return 0; }
  virtual BOOL HandleKeyDown(HWND hWnd, UINT key);
  virtual BOOL HasFocus() const { return FALSE; }

  CTkTabManagerItem* InsertTab(int index, CTkTabManagerItem* item = nullptr);
  BOOL DeleteTab(int index);
  void DeleteAllTabs();
  void SetScrollOffset(int offset);
  int GetScrollOffset() const { return m_scrollOffset; }
  int GetTabsLength() const;
  int GetTabCount() const { return static_cast<int>(m_tabs.size()); }
  CTkTabManagerItem* GetTab(int index) const { return m_tabs[index]; }
  CTkTabManagerItem* GetSelectedTab() const { return m_pSelected; }
  CTkTabManagerItem* GetHotTab() const { return m_pHot; }
  CTkTabManagerItem* HitTest(int x, int y) const;
  CTkTabManagerItem* FindNextVisibleTab(int index, int step) const;
  CTkTabScrollButton* FindNavigateButton(int id) const;
  BOOL HandleLeftButtonDown(HWND hWnd, int x, int y, BOOL buttonsOnly);
  int HandleMouseMove(HWND hWnd, int x, int y);
  INT_PTR GetToolTipInfo(HWND hWnd, CTkTabManagerItem* item, TTTOOLINFOW* info);
  BOOL IsHorizontal() const;

  CTkTabManagerItem* m_pSelected = nullptr;
  CTkTabManagerItem* m_pHot = nullptr;
  int m_scrollOffset = 0;
  BOOL m_bReorderAllowed = TRUE;
  BOOL m_bActive = TRUE;
  CSize m_fixedTabSize{70, 18};
  CSize m_leastTabSize{0, 0};
  CSize m_greatestTabSize{0, 0};
  CRect m_tabsArea{0, 0, 0, 0};
  CRect m_controlRect{0, 0, 0, 0};
  CRect m_clientRect{0, 0, 0, 0};
  std::vector<CTkTabManagerItem*> m_tabs;
  std::vector<CTkTabScrollButton*> m_buttons;
  CTkTabRowTable* m_pRows;
  int m_scrollStep = 20;
};
