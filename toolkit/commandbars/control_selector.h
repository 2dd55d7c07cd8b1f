// A grid of cells for picking a size (columns by rows, as a table or a
// split is picked), and a caption in a menu that cannot be chosen.
#pragma once

#include "control.h"

class CTkControlSelector : public CTkControl {
  DECLARE_DYNCREATE(CTkControlSelector)

 public:
  CSize GetSize(CDC* pDC) override;
  void Draw(CDC* pDC) override;
  void OnCalcDynamicSize(DWORD flags) override;
  void OnMouseMove(CPoint point) override;
  BOOL SetSelectionState(int state) override;
  void OnLButtonUp(CPoint point) override;
  void ExchangeControlProperties(CTkPropExchange* exchange) override;
  void CopyControlFrom(CTkControl* source, BOOL recursive) override;
  // Draws what a cell holds; nothing here.
  virtual void DrawCell(CDC*, const CRect&, COLORREF) {}

  // Columns by rows.
  CSize GetChosenSize() const { return m_szChosen; }
  CSize GetHighlightedSize() const { return m_szHighlighted; }
  CSize GetCurrentSize() const { return m_szCurrent; }
  void SetInitialSize(CSize size) { m_szInitial = size; }
  void SetMaximumSize(CSize size) { m_szMaximum = size; }
  void SetCellSize(CSize size) { m_szCell = size; }

 protected:
  // Invalidates and tells the site (code 0x1006); force announces an unchanged highlight too.
  void SetHighlighted(CSize highlighted, BOOL force);
  // The highlight for a point: the columns and rows whose leading edges lie before it.
  CSize HighlightAt(CPoint point) const;
  // Grows the grid towards a point of the bar past its edges, up to the
  // maximum; TRUE when it grew (the bar is laid out again).
  BOOL GrowTowards(CPoint point);

  CSize m_szInitial{5, 4};
  CSize m_szMaximum{12, 12};
  CSize m_szCell{28, 28};
  CSize m_szHighlighted{0, 0};
  CSize m_szChosen{0, 0};
  CSize m_szCurrent{5, 4};
  BOOL m_bTracking = FALSE;
};

class CTkControlLabel : public CTkControl {
  DECLARE_DYNCREATE(CTkControlLabel)

 public:
  CTkControlLabel() {
    m_nType = kControlLabel;
    m_nFlags = kFlagSkipKeyboard | kFlagNotCustomizable;
  }
  int GetSelected() const override { return 0; }
  BOOL IsLabel() const override { return TRUE; }
};

// What the selector tells its site when its highlight changes.
const UINT kNotifySelectorHighlight = 0x1006;
