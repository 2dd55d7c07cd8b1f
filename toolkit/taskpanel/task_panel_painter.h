// The task panel's paint manager: every metric and every pixel of the
// panel. The base class is theme 0; the other themes derive from it.
#pragma once

#include "color_scheme.h"
#include "framework.h"

class CTkImageIcon;
class CTkTaskPanel;
class CTkTaskPanelGroup;
class CTkTaskPanelItem;
struct TaskPanelScrollButton;

struct TaskPanelGroupColors {
  CTkGradientColor captionBackground;
  // Solid fills take its second colour.
  CTkGradientColor clientBackground;
  CTkColorValue clientBorder;
  // Fraction of the caption width before which the caption is solid.
  double captionGradientStart = 0;
  CTkColorValue captionText;
  CTkColorValue captionHotText;
  CTkColorValue textItem;
  CTkColorValue link;
  CTkColorValue linkHot;
  CTkColorValue linkSelected;
};

class CTkTaskPanelPainter {
 public:
  CTkTaskPanelPainter();
  virtual ~CTkTaskPanelPainter();
  CTkTaskPanelPainter(const CTkTaskPanelPainter&) = delete;
  CTkTaskPanelPainter& operator=(const CTkTaskPanelPainter&) = delete;

  virtual void FillPanelBackground(CDC* pDC, CTkTaskPanel* panel);
  virtual void DrawGroupClient(CDC* pDC, CTkTaskPanelGroup* group);
  // The caption height; measures only unless draw is set.
  virtual int DrawGroupCaption(CDC* pDC, CTkTaskPanelGroup* group, BOOL draw);
  // The rectangle the item needs inside rect; draws it when draw is set.
  virtual CRect DrawGroupItem(CDC* pDC, CTkTaskPanelItem* item, CRect rect, BOOL draw);
  virtual void RefreshMetrics();
  virtual TaskPanelGroupColors* GetGroupColors(const CTkTaskPanelGroup* group);
  virtual void DrawItemHighlight(CDC* pDC, CTkTaskPanelItem* item, const CRect& rect);
  virtual CRect GetItemOuterMargins(const CTkTaskPanelItem* item);
  virtual CRect GetItemPadding(const CTkTaskPanelItem* item);
  virtual CRect GetGroupOuterMargins(const CTkTaskPanelGroup* group);
  virtual CRect GetIconPadding(const CTkTaskPanelItem* item);
  virtual CRect GetGroupInnerMargins(const CTkTaskPanelGroup* group);
  virtual CRect GetPanelMargins(const CTkTaskPanel* panel);
  virtual int GetGroupSpacing(const CTkTaskPanel* panel);
  virtual void DrawScrollButton(CDC* pDC, const TaskPanelScrollButton& button);
  virtual void DrawGroupClientFace(CDC* pDC, CTkTaskPanelGroup* group, CRect rect);
  virtual void DrawGroupItems(CDC* pDC, CTkTaskPanelGroup* group, CRect rect);
  // The caption rectangle left for the text.
  virtual CRect DrawCaptionButton(CDC* pDC, CTkTaskPanelGroup* group, CRect rect);
  virtual int GetCaptionButtonWidth(const CTkTaskPanelGroup* group, const CRect& rect);
  virtual void DrawItemCaption(CDC* pDC, CTkTaskPanelItem* item, CRect rect, UINT format);
  virtual void DrawItemImage(CDC* pDC, CTkTaskPanelItem* item, int x, int y, CTkImageIcon* image, int width,
                             int height);
  virtual CPoint GetHighlightOffset(const CTkTaskPanelItem* item);
  virtual void DrawDropMarker(CDC* pDC, CTkTaskPanelItem* item, CRect rect, BOOL after);
  virtual void DrawFocusRect(CDC* pDC, const CRect& rect);

  // A tinted copy of a glyph bitmap as an icon (replacing the old one).
  static void CreateTintedGlyph(HICON& icon, UINT bitmapId, COLORREF tint);
  // The visual style's eight glyph pictures, else the tinted glyphs.
  void LoadShellStylePictures();
  // Where the visual style keeps its glyph pictures for an XP scheme.
  static CString GetShellStylePath(int scheme);
  void FreeGlyphs();

  // Double chevron centred at (x, y), pointing up or down.
  static void DrawDoubleChevron(CDC* pDC, int x, int y, BOOL up, COLORREF color);

  BOOL m_bTintedWithoutScheme = TRUE;
  int m_expandButtonStyle = 2;
  BOOL m_bBoldCaptions = TRUE;
  CRect m_groupOuterMargins{0, 0, 0, 0};
  CRect m_groupInnerMargins{11, 8, 11, 8};
  CRect m_itemOuterMargins{0, 0, 0, 0};
  CRect m_itemPadding{2, 2, 2, 2};
  CRect m_panelMargins{12, 12, 12, 12};
  int m_groupSpacing = 15;
  CRect m_imageCellPadding{6, 6, 6, 6};
  CRect m_itemIconPadding{0, 0, 0, 0};
  CRect m_groupIconPadding{0, 0, 0, 0};
  int m_highlightStyle = 0;
  BOOL m_bInvertedDropMarker = FALSE;
  BOOL m_bClassicScrollButtons = FALSE;
  BOOL m_bEmbossedDisabledText = FALSE;
  BOOL m_bGlyphPicturesLoaded = FALSE;
  HICON m_hNormalGlyph = nullptr;
  HICON m_hSpecialGlyph = nullptr;
  HBITMAP m_glyphPictures[8] = {};
  CFont m_captionFont;
  CFont m_itemFont;
  CFont m_boldItemFont;
  CFont m_underlinedItemFont;
  CFont m_boldUnderlinedItemFont;
  CTkGradientColor m_panelBackground;
  TaskPanelGroupColors m_normalColors;
  TaskPanelGroupColors m_specialColors;
  CTkColorValue m_hotFill;
  CTkColorValue m_selectedFill;
  CTkColorValue m_pressedFill;
  CTkGradientColor m_highlightFrame;
  BOOL m_bClosedClientBorder = FALSE;
  BOOL m_bRoundedCaptionLeft = FALSE;
  BOOL m_bRoundedCaptionRight = FALSE;
  int m_captionHeight = 25;
  BOOL m_bCaptionFontFromSystem = TRUE;
  BOOL m_bItemFontsFromSystem = TRUE;
  UINT m_itemTextFormat = DT_NOPREFIX | DT_WORDBREAK;
  UINT m_captionTextFormat = DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;

 protected:
  using AlphaBlendProc = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);

  // The caption icon at the left of text when it fits; the text rectangle
  // moves right past it. FALSE when there is none.
  BOOL DrawCaptionIcon(CDC* pDC, CTkTaskPanelGroup* group, CRect& text);
  void DrawGlyphButton(CDC* pDC, CTkTaskPanelGroup* group, BOOL expanded, BOOL hot, const CRect& rect);
  CRect DrawImageBesideText(CDC* pDC, CTkTaskPanelItem* item, CRect rect, BOOL draw);
  CRect DrawImageAboveText(CDC* pDC, CTkTaskPanelItem* item, CRect rect, BOOL draw);
  CRect DrawImageOnly(CDC* pDC, CTkTaskPanelItem* item, CRect rect, BOOL draw);
  CFont* GetItemFont(const CTkTaskPanelItem* item);
  BOOL IsFocusShown(const CTkTaskPanelItem* item) const;

  AlphaBlendProc m_alphaBlend = nullptr;
  HMODULE m_hMsimg = nullptr;
};

// A paint manager by theme number; 2 and unknown numbers give the default.
CTkTaskPanelPainter* CreateTaskPanelPainter(int theme);

// Per channel a * w / 255 + b * (255 - w) / 255.
COLORREF MixTaskPanelColors(COLORREF a, COLORREF b, int weight);

// Replaces each side of margins that is 0x80000000 by the default's.
CRect ResolveMargins(const RECT& margins, const RECT& defaults);
// 0..27 a system colour, 30..61 the colour scheme's, else a colour itself.
COLORREF ToolkitColor(int index);
