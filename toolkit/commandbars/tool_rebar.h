// The framework's rebar adapted to host command bars as bands: a bar
// moved in leaves its dock bar and can no longer be dragged, each band
// is sized from its bar's own docked layout, and the rebar paints
// without flicker.
#pragma once

#include "framework.h"

class CTkToolBar;

class CTkReBar : public CReBar {
  DECLARE_DYNAMIC(CTkReBar)

 public:
  // The command bars pass band style 0x81.
  BOOL AddToolBar(CTkToolBar* bar, DWORD style);
  // The index of the band that held the bar, or -1 when none did.
  int RemoveToolBar(CTkToolBar* bar);
  // Null when the band holds no tool bar.
  CTkToolBar* GetBandToolBar(int index) const;
  int FindBand(CTkToolBar* bar) const;

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  afx_msg void OnChildSize(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()
};
