// CHtmlTextDrawer: measures and paints a short text written in the
// program's markup (styles, line breaks, tab stops, rules, tables,
// pictures and links) onto a device context, in two passes over one
// prepared text: Measure records lines, tables and animations, Draw replays
// the same walk from those records. The message box and the tooltip draw
// through it.
#pragma once

#include <vector>

#include "draw_effects.h"
#include "framework.h"
#include "html_layout_rules.h"
#include "html_markup_rules.h"

class CHtmlTextDrawer {
 public:
  CHtmlTextDrawer();
  virtual ~CHtmlTextDrawer();
  CHtmlTextDrawer(const CHtmlTextDrawer&) = delete;
  CHtmlTextDrawer& operator=(const CHtmlTextDrawer&) = delete;

  // The size the text needs: (0, 0) for an empty text, else one more than
  // its content each way, the width capped at a non-zero maximum width.
  void Measure(CDC* pDC, LPCWSTR lpszText, CSize& size);
  // Paints the text last measured into the rectangle.
  void Draw(CDC* pDC, const RECT& rect);

  void SetCallbackMessage(HWND hWnd, UINT message, int parameter);
  CDrawEffects& GetDrawEffects() { return m_effects; }
  void SetNewlineAsBreak(int flag) { m_newlineAsBreak = flag; }
  void SetColorsEnabled(int flag) { m_rules.colorsEnabled = flag; }
  void SetDisabledColor(COLORREF colour) { m_rules.disabledColor = colour; }
  // Width at which lines wrap; 0 (the default) never wraps.
  void SetMaximumWidth(int width) { m_maximumWidth = width > 0 ? width : 0; }
  void SetResourceModule(HMODULE module);
  CString GetResourceStringLine(UINT id, int line);
  void SetCssStyles(LPCWSTR lpszSheet);
  void SetDefaultStyles();

  // Links: the hand cursor and hover notices, and following a click.
  int OnSetCursor(POINT point);
  void OnLButtonDown(POINT point);

  // Advances the animated image lists by one tick; non-zero when a frame changed.
  int StepAnimations();
  void SetImageShadow(int offsetX, int offsetY, int darkness, int kind, int blurX, int blurY);

  // What the passes recorded, for the owners' and tests' eyes.
  const std::vector<HtmlLineRecord>& GetLineRecords() const { return m_lines; }
  const std::vector<HtmlLinkArea>& GetLinkAreas() const { return m_links; }
  const std::vector<HtmlTableGrid>& GetTableGrids() const { return m_grids; }
  const std::vector<HtmlAnimationRecord>& GetAnimations() const { return m_animations; }
  int GetHoveredLink() const { return m_hoveredLink; }
  const HtmlMarkupRules& GetRules() const { return m_rules; }

 private:
  enum { kDrawing = 0, kMeasuring = 1 };

  // The pass.
  HtmlText PrepareText(const HtmlText& text) const;
  void LayoutText(CSize& size, const RECT& rect);
  int SaveOrRestoreState(BOOL closing);
  void SelectStateFont();
  CString LoadResourceString(UINT id);

  // Flows and lines.
  CSize LayoutFlow(const HtmlText& text, const RECT& rect);
  void HandleTag(const HtmlText& tag, int& x, int& y);
  void ApplyFontAttributes(const HtmlText& attributes);
  void DrawRule(const HtmlText& attributes, int& x, int y);
  void DrawString(const HtmlText& attributes, int& x, int y);
  int BeginLine(int left);
  void NewLine(int count, int justifiable, int& x, int& y);
  int AlignTextVertically(int y, int textHeight);
  int AlignObjectVertically(int y, int objectHeight);
  int AdvanceTab(int x, int count);
  int DrawTextPiece(const HtmlText& piece, int x, int y, int width, int height);
  int TextWidth(const HtmlText& text) const;

  // Tables.
  CSize LayoutTable(const HtmlText& text, const RECT& rect);
  void LayoutTableRow(const HtmlText& text, const RECT& inner, HtmlTableGrid& grid, int row);
  void LayoutTableCell(const HtmlText& text, const RECT& rect, HtmlTableCell& cell);
  void CountTableGrid(const HtmlText& text, int& rows, int& columns);
  void DrawBackgroundImage(int x, int y, int width, int height, const HtmlText& source);

  // Pictures.
  void ParseImageAttributes(const HtmlText& attributes, HtmlImageAttributes& image);
  int ParseImageStyle(const HtmlText& value) const;
  static BOOL HasShadowStyle(const HtmlImageAttributes& image);
  void LayoutImage(HtmlTagCode code, const HtmlText& attributes, int& x, int y);
  BOOL PlaceImage(int& x, int& y, int drawnWidth, int drawnHeight, BOOL shadow, RECT& drawRect);
  UINT DrawingStyle(const HtmlImageAttributes& image) const;
  HBITMAP LoadImageBitmap(const HtmlImageAttributes& image, BOOL& owned);
  HBITMAP LoadResourceBitmap(int id);
  HBITMAP LoadBitmapFile(const HtmlText& path);
  HBITMAP LoadModuleBitmap(int id, const HtmlText& modulePath);
  HICON LoadResourceIcon(int id, int width, int height);
  HICON LoadIconFile(const HtmlText& path, int width, int height);
  HICON LoadModuleIcon(int id, int width, int height, const HtmlText& modulePath);

  // Links.
  void OpenLinkTag(const HtmlText& attributes);
  void AddLinkArea(int left, int top, int right, int bottom);
  int FindLinkArea(POINT point) const;
  void ActivateLink(int area);
  INT_PTR OpenLink(const HtmlText& target, int showCommand);
  void NotifyHover(int index);
  void SendLinkMessage(const HtmlText& target);
  void LoadHandCursor();
  void SetHandCursor(HCURSOR cursor);

  HtmlMarkupRules m_rules;
  std::vector<HtmlTableGrid> m_grids;
  int m_tableCounter = -1;
  HWND m_hoverWnd = nullptr;
  UINT m_hoverMessage = 0;
  int m_hoverParameter = 0;
  HWND m_linkWnd = nullptr;
  UINT m_linkMessage = 0;
  int m_linkParameter = 0;
  HtmlStyleState m_state;
  HtmlLineRecord m_line;
  CDrawEffects m_effects;
  HMODULE m_resourceModule = nullptr;
  BOOL m_ownsModule = FALSE;
  HCURSOR m_handCursor = nullptr;
  HGDIOBJ m_savedFont = nullptr;
  int m_savedBkMode = 0;
  COLORREF m_savedTextColor = 0;
  COLORREF m_savedBkColor = 0;
  CRect m_flow;
  CDC* m_pDC = nullptr;
  HtmlText m_text;
  int m_mode = kMeasuring;
  int m_tabWidth = 32;
  int m_maximumWidth = 0;
  int m_lineIndex = 0;
  int m_hoveredLink = -2;
  int m_linkCounter = -1;
  int m_animationCounter = -1;
  int m_newlineAsBreak = 1;
  int m_shadowKind = 1;
  int m_shadowOffsetX = 4;
  int m_shadowOffsetY = 4;
  int m_shadowBlurX = 7;
  int m_shadowBlurY = 7;
  int m_shadowDarkness = 50;
  COLORREF m_shadowColor = RGB(128, 128, 128);
  TEXTMETRICW m_metrics = {};
  LOGFONTW m_logFont = {};
  HFONT m_font = nullptr;
  std::vector<HtmlLineRecord> m_lines;
  std::vector<HtmlStyleState> m_stack;
  std::vector<HtmlLinkArea> m_links;
  std::vector<HtmlAnimationRecord> m_animations;
  // Per line in the drawing pass: width and spaces not yet drawn.
  int m_lineWidthLeft = 0;
  int m_lineSpacesLeft = 0;
  // Where the current line's content starts.
  int m_lineStartX = 0;
};
