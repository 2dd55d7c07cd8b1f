// The looks of the column header: the classic theme (raised items) every
// header shares and the flat theme of the flat header, with the factory
// that makes them.
#pragma once

#include "framework.h"
#include "theme_manager.h"
#include "ux_theme.h"

class CTkHeaderCtrl;

// One item to draw: its rectangle, whether it is pressed and its fields.
struct CTkHeaderDrawRecord {
  CDC* pDC = nullptr;
  int nItem = -1;
  CRect rcItem{0, 0, 0, 0};
  UINT nState = 0;  // 0 normal, 1 pressed
  HDITEMW item = {};
  WCHAR text[256] = {};
};

// The classic look, and the drawing every header look shares.
class CTkHeaderCtrlTheme : public CTkThemeStyleBase {
 public:
  enum Flags { kVisualStyles = 1, kHotTracking = 2, kSortArrows = 4 };
  CTkHeaderCtrlTheme() = default;

  void RefreshMetrics() override;

  virtual void DrawHeader(CDC* pDC, CTkHeaderCtrl* header);
  virtual LRESULT Layout(HDLAYOUT* layout, CTkHeaderCtrl* header);
  virtual void DrawBackground(CTkHeaderDrawRecord& record);
  virtual void DrawItemBackground(CTkHeaderDrawRecord& record);
  // record.rcItem is the item's text rectangle here.
  virtual void DrawSortArrow(CTkHeaderDrawRecord& record, BOOL ascending);
  virtual void DrawItemContent(CTkHeaderDrawRecord& record, CTkHeaderCtrl* header);
  // points: the base's left and right ends, then the apex.
  virtual void DrawArrowLines(CDC* pDC, const POINT points[3], BOOL ascending);

  BOOL DrawsSortArrows() const { return (m_nFlags & kSortArrows) != 0; }

  int m_nArrowGap = 10;
  int m_nFlags = kVisualStyles | kHotTracking | kSortArrows;
  BOOL m_bThemed = FALSE;
  int m_nTextMargin = 6;
  int m_nTextTop = 0;
  int m_nArrowWidth = 8;
  int m_nArrowHeight = 7;
  COLORREF m_clrText = 0;
  COLORREF m_clrFace = 0;
  COLORREF m_clrShadow = 0;
  COLORREF m_clrDarkShadow = 0;
  COLORREF m_clrHighlight = 0;
  CTkUxThemeHandle m_uxTheme;
};

class CTkFlatHeaderCtrlTheme : public CTkHeaderCtrlTheme {
 public:
  CTkFlatHeaderCtrlTheme() { m_nFlags = kSortArrows; }
  void DrawBackground(CTkHeaderDrawRecord& record) override;
  void DrawItemBackground(CTkHeaderDrawRecord& record) override;
};

class CTkHeaderCtrlThemeFactory : public CTkThemeManagerStyleFactory {
  DECLARE_DYNCREATE(CTkHeaderCtrlThemeFactory)
 public:
  CTkThemeStyleBase* CreateTheme(int theme) override;
};
