// Colour sets of the tab strips: every colour of a strip and the fills of
// its header, client area, tabs and navigate buttons. Ids 2, 4, 8 and 16
// have their own sets; every other id gives the default one.
#pragma once

#include "color_scheme.h"
#include "framework.h"
#include "ux_theme.h"

class CTkTabPainter;
class CTkTabSet;
class CTkTabManagerItem;
class CTkTabScrollButton;

const COLORREF kTabCheckerColor = static_cast<COLORREF>(-2);

class CTkTabPalette {
 public:
  CTkTabPalette() = default;
  virtual ~CTkTabPalette() = default;
  CTkTabPalette(const CTkTabPalette&) = delete;
  CTkTabPalette& operator=(const CTkTabPalette&) = delete;

  virtual void RefreshColors();
  virtual void SetTabTextColor(CDC* pDC, const CTkTabManagerItem* item);
  virtual void FillHeader(CDC* pDC, const CRect& rc, const CTkTabSet* strip);
  virtual COLORREF FillClient(CDC* pDC, const CRect& rc, const CTkTabSet* strip);
  virtual void FillButtonTab(CDC* pDC, const CRect& rc, const CTkTabManagerItem* item);
  // The plain colour filled, or -1 when the face is not one colour.
  virtual COLORREF FillTab(CDC* pDC, const CRect& rc, const CTkTabManagerItem* item);
  virtual void DrawHeaderDecoration(CDC* pDC, const CRect& rc, const CTkTabSet* strip);
  virtual void DrawNavigateButtonFace(CDC* pDC, CTkTabScrollButton* button, CRect* rc) = 0;
  virtual COLORREF GetTabFaceColor(const CTkTabManagerItem* item) const;
  virtual BOOL IsThemed() const { return FALSE; }

  // From the strip's outer edge (first) to its inner edge (second); -2 as
  // the first colour is the checker of button face and highlight.
  void FillGradientByPosition(CDC* pDC, const CRect& rc, COLORREF first, COLORREF second, int position) const;
  int GetAppearanceId() const;
  int GetPosition() const;

  CTkGradientColor m_headerGradient;
  CTkGradientColor m_autoHideGradient;
  CTkColorValue m_border;
  CTkColorValue m_controlBackground;
  CTkColorValue m_highlight;
  CTkColorValue m_selectedFace;
  CTkColorValue m_face;
  CTkColorValue m_text;
  CTkColorValue m_inactiveText;
  CTkColorValue m_selectedText;
  CTkColorValue m_hotText;
  CTkColorValue m_disabledText;
  CTkGradientColor m_selectedButtonGradient;
  CTkGradientColor m_buttonFrameGradient;
  CTkColorValue m_edgeLight;
  CTkColorValue m_edgeShadow;
  CTkColorValue m_edgeDark;
  CTkColorValue m_outline;
  CTkColorValue m_selectedOutline;
  CTkColorValue m_innerLine1;
  CTkColorValue m_innerLine2;
  CTkColorValue m_selectedTrapezoid[6];
  CTkColorValue m_trapezoid[6];
  CTkTabPainter* m_pPainter = nullptr;

 protected:
  // Copies the selected trapezoid lines to the others' and unsets the
  // standard values of the others' inner lines from `firstUnset` on.
  void CopyTrapezoidLines(int firstUnset);
};

// Id 1 and every unknown id.
class CTkTabPaletteDefault : public CTkTabPalette {
 public:
  void RefreshColors() override;
  void DrawNavigateButtonFace(CDC* pDC, CTkTabScrollButton* button, CRect* rc) override;
};

class CTkTabPaletteFlat : public CTkTabPaletteDefault {  // id 2
 public:
  void RefreshColors() override;
  void DrawNavigateButtonFace(CDC* pDC, CTkTabScrollButton* button, CRect* rc) override;
};

class CTkTabPaletteXP : public CTkTabPaletteDefault {  // id 4
 public:
  void RefreshColors() override;
  COLORREF FillTab(CDC* pDC, const CRect& rc, const CTkTabManagerItem* item) override;
  void DrawNavigateButtonFace(CDC* pDC, CTkTabScrollButton* button, CRect* rc) override;

  CTkColorValue m_hotFace;
  CTkColorValue m_navigateFrame;
  BOOL m_bGradientFills = FALSE;

 protected:
  COLORREF GetFillColor(const CTkTabManagerItem* item) const;
  void FillGradientTab(CDC* pDC, const CRect& rc, COLORREF color) const;
};

class CTkTabPaletteThemed : public CTkTabPaletteDefault {  // id 8
 public:
  void RefreshColors() override;
  BOOL IsThemed() const override;
  COLORREF FillTab(CDC* pDC, const CRect& rc, const CTkTabManagerItem* item) override;
  COLORREF FillClient(CDC* pDC, const CRect& rc, const CTkTabSet* strip) override;
  void DrawHeaderDecoration(CDC* pDC, const CRect& rc, const CTkTabSet* strip) override;
  void FillButtonTab(CDC* pDC, const CRect& rc, const CTkTabManagerItem* item) override;
  void DrawNavigateButtonFace(CDC* pDC, CTkTabScrollButton* button, CRect* rc) override;

  CTkUxThemeHandle m_tabTheme;
  CTkUxThemeHandle m_toolbarTheme;

 private:
  BOOL IsToolbarThemed() const;
};

class CTkTabPaletteOffice : public CTkTabPaletteXP {  // id 16
 public:
  void RefreshColors() override;
  COLORREF FillTab(CDC* pDC, const CRect& rc, const CTkTabManagerItem* item) override;

  BOOL m_bSecondGradient = FALSE;
};

CTkTabPalette* CreateTabPalette(int id);
