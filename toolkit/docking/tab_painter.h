// Lays out and draws tab strips. The painter holds the fonts, the strip
// position, the layout mode, margins and drawing options, and owns a
// colour set (every colour and fill) and an appearance (the geometry and
// the tabs' outlines).
#pragma once

#include <vector>

#include "framework.h"
#include "tab_set.h"

class CTkTabPalette;
class CTkTabShape;

enum { kTabTop = 0, kTabLeft = 1, kTabBottom = 2, kTabRight = 3 };
enum { kSplitterSideBySide = 2, kSplitterStacked = 3 };
enum {
  kTabLayoutNatural = 0,
  kTabLayoutSizeToFit = 1,
  kTabLayoutFixed = 2,
  kTabLayoutCompact = 3,
  kTabLayoutMultiRow = 4,
  kTabLayoutRotated = 5
};

// Four amounts as (start, tab side, end, far side), which for a top strip
// are (left, top, right, bottom), turned onto the edges of a rectangle for
// the other positions.
void DeflateRectByPosition(int position, RECT& rc, int start, int tabSide, int end, int farSide);
void InflateRectByPosition(int position, RECT& rc, int start, int tabSide, int end, int farSide);
inline void DeflateRectByPosition(int position, RECT& rc, const RECT& amounts) {
  DeflateRectByPosition(position, rc, amounts.left, amounts.top, amounts.right, amounts.bottom);
}
inline BOOL IsHorizontalPosition(int position) { return position == kTabTop || position == kTabBottom; }

class CTkTabPainter : public CCmdTarget {
 public:
  CTkTabPainter();
  ~CTkTabPainter() override;

  virtual void DrawTabControl(CTkTabSet* strip, CDC* pDC, CRect rc);
  virtual void AdjustClientRect(CTkTabSet* strip, RECT* rc);
  virtual void LayoutTabs(CTkTabSet* strip, CDC* pDC, CRect rc);
  // draw FALSE: the tab's measured length; TRUE: draws image and caption.
  virtual int DrawTabContent(CDC* pDC, CTkTabManagerItem* item, CRect rc, BOOL draw);
  virtual void RefreshMetrics();
  virtual void RefreshStrips();
  virtual void DrawTabFocus(CDC* pDC, CTkTabManagerItem* item, CRect rc);
  // The MDI tab client: the splitter between two groups (kSplitterSideBySide
  // or kSplitterStacked) and the border round the client window.
  virtual void DrawSplitter(CDC* pDC, CRect rc, int style);
  virtual void AdjustMdiClientBorder(RECT* rc);
  // Fills the window's frame outside the client rectangle (both in window
  // coordinates).
  virtual void DrawMdiClientBorder(CDC* pDC, CRect window, CRect client);

  CTkTabPalette* SetColorSet(int id);
  CTkTabPalette* SetColorSet(CTkTabPalette* colorSet);
  CTkTabPalette* GetColorSet() const { return m_pColorSet; }
  CTkTabShape* SetAppearance(int id);
  CTkTabShape* SetAppearance(CTkTabShape* appearance);
  CTkTabShape* GetAppearance() const { return m_pAppearance; }
  void SetStripPosition(int position);
  int GetStripPosition() const { return m_position; }
  void SetLayout(int layout);
  int GetLayout() const { return m_layout; }
  void SetFontIndirect(const LOGFONTW* lf, BOOL useSystem);
  BOOL IsXPSchemeColorsDisabled() const;
  void RegisterStrip(CTkTabSet* strip);
  void UnregisterStrip(CTkTabSet* strip);

  // Drawing.
  void DrawStrip(CTkTabSet* strip, CDC* pDC, CRect rc);
  void DrawRow(CTkTabSet* strip, CDC* pDC, const CRect& rc, int row);
  void DrawTextEllipsis(CDC* pDC, const CString& caption, CRect rc, UINT format);
  // Captions are turned in vertical strips, and the other way round in the
  // rotated layout.
  BOOL IsTextTurned() const;
  CFont* GetTabFont(const CTkTabSet* strip, const CTkTabManagerItem* item);

  // Layout.
  void ArrangeStrip(CTkTabSet* strip, CDC* pDC, CRect rc);
  void LayoutRows(CTkTabSet* strip, CDC* pDC, CRect rc);
  int CountRows(CTkTabSet* strip, CDC* pDC, int available);
  BOOL FillRows(CTkTabSet* strip, int available, int row, int remaining);
  void ShrinkToFit(CTkTabSet* strip, int available);
  CRect GetTabsArea(CTkTabSet* strip, CRect rc);
  void EnsureTabVisible(CTkTabSet* strip, CTkTabManagerItem* item);

  void DeflateRect(RECT& rc, int start, int tabSide, int end, int farSide) const {
    DeflateRectByPosition(m_position, rc, start, tabSide, end, farSide);
  }
  void InflateRect(RECT& rc, int start, int tabSide, int end, int farSide) const {
    InflateRectByPosition(m_position, rc, start, tabSide, end, farSide);
  }
  BOOL IsHorizontal() const { return IsHorizontalPosition(m_position); }

  BOOL m_bHotTracking = FALSE;
  BOOL m_bImageInRowHeight = TRUE;
  BOOL m_bBoldSelected = FALSE;
  BOOL m_bBoldAll = FALSE;
  BOOL m_bSchemeColorsOff = FALSE;
  BOOL m_bTabColors = FALSE;
  int m_clientFrameStyle = 0;
  BOOL m_bControlFrame = FALSE;
  CRect m_clientMargin{0, 0, 0, 0};
  CRect m_controlMargin{0, 0, 0, 0};
  CRect m_contentMargin{0, 0, 0, 0};
  BOOL m_bReverseGradient = FALSE;
  BOOL m_bFillBackground = TRUE;
  CSize m_imageSize{16, 16};
  BOOL m_bOwnEllipsis = FALSE;
  BOOL m_bNoPrefix = TRUE;
  BOOL m_bKeepRowOrder = FALSE;
  BOOL m_bJustifyRows = TRUE;
  BOOL m_bFocusRect = TRUE;
  BOOL m_bSelectOnDragOver = TRUE;
  CTkTabShape* m_pAppearance = nullptr;
  CTkTabPalette* m_pColorSet = nullptr;
  std::vector<CTkTabSet*> m_strips;
  int m_appearanceId = 0;
  int m_colorSetId = 1;
  int m_position = kTabTop;
  int m_layout = kTabLayoutNatural;
  CFont m_normalFont;
  CFont m_boldFont;
  CFont m_verticalFont;
  CFont m_verticalBoldFont;
  BOOL m_bUseSystemFont = TRUE;
  int m_toolTipMode = 2;
  int m_autoColorCounter = 0;

 private:
  int MeasureCaption(CDC* pDC, CTkTabManagerItem* item, CFont* font);
  // Rows already shown not to balance, by first tab, for one layout pass.
  std::vector<std::vector<char>> m_failedRows;
};

// The tab and caption rectangle helpers the layout and appearances share.
inline int RectStart(const RECT& rc, BOOL horizontal) { return horizontal ? rc.left : rc.top; }
inline int RectEnd(const RECT& rc, BOOL horizontal) { return horizontal ? rc.right : rc.bottom; }
inline int RectLength(const RECT& rc, BOOL horizontal) { return RectEnd(rc, horizontal) - RectStart(rc, horizontal); }
