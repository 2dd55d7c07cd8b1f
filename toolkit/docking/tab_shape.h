// Appearances of the tab strips: the header geometry, row height, client
// rectangle, background and client frame, and each tab's outline. Ids 1
// to 9 have their own classes; every other id gives appearance 0.
#pragma once

#include "framework.h"

class CTkTabPainter;
class CTkTabSet;
class CTkTabManagerItem;

class CTkTabShape {
 public:
  CTkTabShape() = default;
  virtual ~CTkTabShape() = default;
  CTkTabShape(const CTkTabShape&) = delete;
  CTkTabShape& operator=(const CTkTabShape&) = delete;

  virtual void RefreshMetrics();
  virtual CRect GetHeaderRect(CRect rc, CTkTabSet* strip);
  virtual CRect GetClientRect(CRect rc, CTkTabSet* strip);
  // (leading, outer, trailing, inner) in the painter's rotated sense.
  virtual CRect GetHeaderMargin() const { return m_headerMargin; }
  virtual CRect GetClientMargin() const;
  virtual int GetTabLength(CDC* pDC, CTkTabManagerItem* item);
  virtual int GetRowHeight(CTkTabSet* strip);
  virtual void DrawTabControl(CTkTabSet* strip, CDC* pDC, CRect rc);
  virtual CRect FillBackground(CTkTabSet* strip, CDC* pDC, CRect rc);
  virtual void LayoutTabs(CTkTabSet* strip, CDC* pDC, CRect rc);
  virtual void AdjustClientRect(CTkTabSet* strip, RECT* rc);
  virtual void DrawTab(CDC*, CTkTabManagerItem*) {}
  virtual void DrawClientEdge(CDC* pDC, RECT* rc, int part);
  virtual DWORD GetSupportedColorSets() const { return 1 | 4 | 8; }
  virtual int GetDefaultColorSet() const { return 1; }
  // Stacked bars lie across the control whatever the position, and so
  // does their text.
  virtual BOOL KeepsTextLevel() const { return FALSE; }

  void DrawPolyline(CDC* pDC, COLORREF color, const POINT* points, int count);
  COLORREF FillPolygonTab(CDC* pDC, const CTkTabManagerItem* item, const POINT* points, int count);
  void DrawLine(CDC* pDC, COLORREF color, int x1, int y1, int x2, int y2);
  void DrawEdgeLineByPosition(CDC* pDC, const CRect& rc, int position, COLORREF first, COLORREF second);

  CRect m_headerMargin{0, 0, 0, 0};
  int m_rowSpacing = -2;
  int m_textRowHeight = 0;
  CTkTabPainter* m_pPainter = nullptr;
  BOOL m_bDrawTowardsSelected = FALSE;

 protected:
  int Position() const;
  BOOL IsSelected(const CTkTabManagerItem* item) const;
  // Fills the header and, by the client frame style, the client with its
  // frame or line; the frame colours come from the appearance.
  CRect FillHeaderAndClient(CTkTabSet* strip, CDC* pDC, CRect rc, COLORREF topLeft, COLORREF bottomRight,
                            COLORREF firstLine, COLORREF secondLine);
  void DrawContent(CDC* pDC, CTkTabManagerItem* item, const CRect& rc);
};

// 0: raised 3D tabs; with raisedOnlyWhenActive (appearance 1) only the
// selected and hot tabs are raised.
class CTkTabShapeRaised : public CTkTabShape {
 public:
  explicit CTkTabShapeRaised(BOOL flat = FALSE);
  CRect GetClientMargin() const override;
  CRect FillBackground(CTkTabSet* strip, CDC* pDC, CRect rc) override;
  void DrawTab(CDC* pDC, CTkTabManagerItem* item) override;

 private:
  BOOL m_bFlat;
};

class CTkTabShapeBoxed : public CTkTabShape {  // 2
 public:
  CTkTabShapeBoxed();
  DWORD GetSupportedColorSets() const override { return 1 | 2 | 4; }
  CRect FillBackground(CTkTabSet* strip, CDC* pDC, CRect rc) override;
  void DrawTab(CDC* pDC, CTkTabManagerItem* item) override;

  BOOL m_bFramedTabs = TRUE;
  BOOL m_bSelectedBoxOnly = FALSE;
};

class CTkTabShapeSloped : public CTkTabShape {  // 3
 public:
  CTkTabShapeSloped();
  CRect GetHeaderMargin() const override;
  DWORD GetSupportedColorSets() const override { return 1 | 4 | 16; }
  int GetDefaultColorSet() const override { return 4; }
  CRect FillBackground(CTkTabSet* strip, CDC* pDC, CRect rc) override;
  void DrawTab(CDC* pDC, CTkTabManagerItem* item) override;
};

class CTkTabShapeButtons : public CTkTabShape {  // 4
 public:
  CTkTabShapeButtons();
  DWORD GetSupportedColorSets() const override { return 1 | 2 | 4 | 8 | 16; }
  int GetDefaultColorSet() const override { return 2; }
  CRect FillBackground(CTkTabSet* strip, CDC* pDC, CRect rc) override;
  void DrawTab(CDC* pDC, CTkTabManagerItem* item) override;
};

class CTkTabShapeSeparated : public CTkTabShape {  // 5
 public:
  CTkTabShapeSeparated();
  DWORD GetSupportedColorSets() const override { return 1 | 2 | 4; }
  int GetDefaultColorSet() const override { return 2; }
  CRect FillBackground(CTkTabSet* strip, CDC* pDC, CRect rc) override;
  void DrawTab(CDC* pDC, CTkTabManagerItem* item) override;
};

class CTkTabShapeFlatBoxed : public CTkTabShape {  // 6
 public:
  CTkTabShapeFlatBoxed();
  DWORD GetSupportedColorSets() const override { return 1 | 2 | 4; }
  int GetDefaultColorSet() const override { return 2; }
  CRect FillBackground(CTkTabSet* strip, CDC* pDC, CRect rc) override;
  void DrawTab(CDC* pDC, CTkTabManagerItem* item) override;
};

class CTkTabShapeTrapezoid : public CTkTabShape {  // 7
 public:
  CTkTabShapeTrapezoid();
  CRect GetHeaderMargin() const override;
  DWORD GetSupportedColorSets() const override { return 1 | 2 | 4; }
  int GetDefaultColorSet() const override { return 2; }
  CRect FillBackground(CTkTabSet* strip, CDC* pDC, CRect rc) override;
  void DrawTab(CDC* pDC, CTkTabManagerItem* item) override;
};

class CTkTabShapeStacked : public CTkTabShape {  // 8
 public:
  DWORD GetSupportedColorSets() const override { return 1 | 4; }
  BOOL KeepsTextLevel() const override { return TRUE; }
  CRect GetHeaderRect(CRect rc, CTkTabSet* strip) override;
  CRect GetClientRect(CRect rc, CTkTabSet* strip) override;
  void LayoutTabs(CTkTabSet* strip, CDC* pDC, CRect rc) override;
  void AdjustClientRect(CTkTabSet* strip, RECT* rc) override;
  void DrawTabControl(CTkTabSet* strip, CDC* pDC, CRect rc) override;
  void DrawTab(CDC* pDC, CTkTabManagerItem* item) override;
};

class CTkTabShapeTwoSlopes : public CTkTabShape {  // 9
 public:
  CTkTabShapeTwoSlopes();
  CRect GetHeaderMargin() const override;
  DWORD GetSupportedColorSets() const override { return 1 | 4 | 16; }
  int GetDefaultColorSet() const override { return 4; }
  CRect FillBackground(CTkTabSet* strip, CDC* pDC, CRect rc) override;
  void DrawTab(CDC* pDC, CTkTabManagerItem* item) override;
};

CTkTabShape* CreateTabShape(int id);
