// The paint manager of the command bars: fonts that follow the system, a
// 62-colour table over the colour scheme, the icon options, and the drawing
// every look shares (status-bar panes, borders, gripper, popup animation).
// The look-specific drawing is left to the theme classes.
#pragma once

#include "color_scheme.h"
#include "framework.h"
#include "global_settings.h"

// Status-bar pane styles the painter reads.
#ifndef SBPS_NOBORDERS
#define SBPS_NOBORDERS 0x0100
#endif
#ifndef SBPS_DISABLED
#define SBPS_DISABLED 0x04000000
#endif

class CTkCommandBar;
class CTkControl;
class CTkPopupBar;
class CTkImageIcon;
class CTkImageManager;

// What the painter reads of a status-bar pane; the status bar's panes
// implement it.
class CTkStatusPaneInfo {
 public:
  enum Alignment { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };
  virtual ~CTkStatusPaneInfo() = default;
  virtual CString GetText() const = 0;
  virtual UINT GetStyle() const = 0;
  virtual CFont* GetTextFont() = 0;
  // Null without an icon.
  virtual CTkImageIcon* GetImage() = 0;
  virtual COLORREF GetTextColor() const = 0;        // -1: the painter's
  virtual COLORREF GetBackgroundColor() const = 0;  // -1: none
  virtual int GetTextAlignment() const = 0;
  // The owning status bar draws the text of disabled panes.
  virtual BOOL DrawsDisabledText() const = 0;
};

// A font that, while it follows the system, is rebuilt on every update.
class CTkSystemFont : public CFont {
 public:
  BOOL m_bFollowSystem = TRUE;
};

class CTkBarPainter : public CCmdTarget {
  DECLARE_DYNAMIC(CTkBarPainter)

 public:
  enum { kThemeInstalledDirectly = 5 };

  CTkBarPainter();
  ~CTkBarPainter() override = default;

  // The operations in the order of the painter's table; pure ones are the
  // looks' own drawing. Measuring (draw FALSE) returns a size and paints
  // nothing.
  virtual CSize DrawControlInPopupBar(CDC* pDC, CTkControl* control, BOOL draw) = 0;
  // Tool-bar and menu-bar controls, alike in every look.
  virtual CSize DrawControlInToolBar(CDC* pDC, CTkControl* control, BOOL draw);
  virtual void DrawSplitButton(CDC* pDC, CTkControl* control, const CRect& rect);
  virtual CSize DrawComboBoxControl(CDC* pDC, CTkControl* control, BOOL draw) = 0;
  virtual CSize DrawEditControl(CDC* pDC, CTkControl* control, BOOL draw) = 0;
  // One row of the customize commands list.
  virtual CSize DrawCommandListItem(CDC* pDC, CTkControl* control, CRect rect, BOOL selected, BOOL draw,
                                    CTkImageManager* images) = 0;
  virtual void FillCommandBar(CDC* pDC, CTkCommandBar* bar) = 0;
  virtual void DrawControlFace(CDC* pDC, CRect rect, BOOL enabled, BOOL selected, BOOL pressed, BOOL checked,
                               BOOL popupOpen, int barPosition) = 0;
  virtual void DrawControlFaceOf(CDC* pDC, CTkControl* control);
  virtual void DrawControlFrame(CDC* pDC, CRect rect, BOOL selected, BOOL pressed, BOOL enabled, BOOL checked,
                                BOOL popupOpen, BOOL toolBar, int barPosition) = 0;
  // A bar's gripper, or the caption of a floating one.
  virtual CSize DrawGripper(CDC* pDC, CTkCommandBar* bar, BOOL draw) = 0;
  // The separator before a control.
  virtual CSize DrawSeparator(CDC* pDC, CTkCommandBar* bar, CTkControl* control, BOOL draw) = 0;
  virtual void AdjustControlRect(CRect& rect, CTkControl* control, BOOL vertical) = 0;
  virtual void DrawStatusBarPane(CDC* pDC, CRect rect, CTkStatusPaneInfo* pane);
  // last: the pane is the bar's last visible one, where a look may draw
  // the gripper's pane; the base look frames every pane alike.
  virtual void DrawStatusBarPaneBorder(CDC* pDC, CRect rect, BOOL last);
  virtual void DrawStatusBarGripper(CDC* pDC, int left, int top, int right, int bottom);
  virtual void FillDockBar(CDC* pDC, CWnd* pWnd);
  virtual void FillStatusBar(CDC* pDC, CWnd* pWnd);
  virtual void UpdateFontsAndColors();
  virtual BOOL HasPopupShadow() const { return FALSE; }
  // Kind 0 expand button (extra: the bar's CSize when measuring, a BOOL
  // "has hidden controls" when drawing), 1 popup expand arrow, 2 close, 3 drop-down.
  virtual CSize DrawSpecialControl(CDC* pDC, int kind, CTkControl* control, CTkCommandBar* bar, BOOL draw,
                                   void* extra);
  virtual CRect GetCommandBarBorders(CTkCommandBar*) const { return CRect(2, 2, 2, 2); }
  virtual CSize DrawTearOffStrip(CDC* pDC, CRect rect, BOOL selected, BOOL draw) = 0;
  // A height of 0 scales the icon from the width.
  virtual void DrawControlIcon(CDC* pDC, int x, int y, int width, int height, CTkImageIcon* icon, BOOL selected,
                               BOOL pressed, BOOL enabled, BOOL checked, BOOL popupOpen, BOOL toolBar) = 0;
  virtual CSize DrawFixedGripper(CDC* pDC, BOOL draw) = 0;
  virtual int GetThemeFamily() const = 0;
  // The bold or regular font; the vertical ones for bars docked left or right.
  virtual CFont* GetControlFont(int barPosition, BOOL bold);
  virtual void DrawCheckMark(CDC* pDC, const CRect& rect, COLORREF color, BOOL rightToLeft);
  virtual void DrawDropDownArrow(CDC* pDC, int left, int top, int right, int bottom, COLORREF color);
  virtual void AnimatePopup(CDC* pDestDC, CDC* pImageDC, CRect rect, int animationType);
  // Grows a popup to show its rarely used controls; the number of steps drawn.
  virtual int AnimateExpandedPopup(CTkPopupBar* popup, CDC* pDestDC, CDC* pImageDC, BOOL downward);

  // The one entry controls draw and measure themselves through.
  CSize PaintControl(CDC* pDC, CTkControl* control, BOOL draw);
  // Measures (draw FALSE) or draws a caption; drawing returns (0, 0).
  CSize DrawControlText(CDC* pDC, const CString& caption, CRect rect, BOOL draw, BOOL vertical, BOOL centre,
                        BOOL arrow, BOOL embossed, BOOL showMnemonics);
  // A caption beside (or on vertical bars below) a button's icon.
  CSize DrawControlCaption(CDC* pDC, const CString& caption, CRect rect, BOOL vertical, BOOL draw, BOOL embossed,
                           BOOL arrow, int buttonWidth, int buttonHeight, BOOL hasIcon, BOOL showMnemonics);

  COLORREF GetColor(int index) const;
  void SetColors(int count, const int* indices, const COLORREF* colors);
  XPSchemeId GetXPScheme() const;
  BOOL* GetIconOptions() { return &m_bUseFadedIcons; }
  void SetFonts(LOGFONTW* lf, BOOL followSystem);
  void UpdateFonts();
  void DrawCheckShape(CDC* pDC, const CRect& rect, COLORREF color, BOOL rightToLeft);
  // The menu font's height for the painter: small pixel heights become -11.
  static LONG PainterFontHeight(LONG menuFontHeight) {
    return menuFontHeight < 0 && menuFontHeight >= -10 ? -11 : menuFontHeight;
  }

  static void FillTriangle(CDC* pDC, CPoint a, CPoint b, CPoint c, COLORREF color);
  void FillRectWithBorder(CDC* pDC, const CRect& rect, COLORREF border, COLORREF fill);
  void DrawBevelRect(CDC* pDC, const CRect& rect, COLORREF topLeft, COLORREF bottomRight);
  static void DrawSegment(CDC* pDC, int x1, int y1, int x2, int y2);
  void DrawColorSegment(CDC* pDC, int x1, int y1, int x2, int y2, COLORREF color);
  static void StripMnemonics(CString& text);
  static void FillGradientClipped(CDC* pDC, LPCRECT rect, COLORREF first, COLORREF second, BOOL horizontal,
                                  LPCRECT clip);
  // Per pixel (image x weight + screen x (255 - weight)) >> 8 on blue, green, red.
  static void BlendBitmaps(const DWORD* image, const DWORD* screen, DWORD* mix, size_t count, int weight);
  // Waits between animation frames; tests replace it.
  static void (*AnimationSleep)(DWORD milliseconds);

  COLORREF m_shadowColor = 0;
  COLORREF m_statusTextColor = 0;
  CTkGradientColor m_faceGradient;
  BOOL m_bThickCheck = FALSE;
  BOOL m_bShadowsEnabled = TRUE;
  CFont m_regularFont;
  CFont m_boldFont;
  CFont m_verticalFont;
  CFont m_verticalBoldFont;
  CTkSystemFont m_smallCaptionFont;
  CTkSystemFont m_iconTitleFont;
  CTkSystemFont m_boldIconTitleFont;
  int m_controlHeight = 0;
  BOOL m_bUseTahoma = FALSE;
  BOOL m_bFollowSystemFont = TRUE;
  int m_themeNumber = 0;
  BOOL m_bUseFadedIcons = FALSE;
  BOOL m_bUseDisabledIcons = FALSE;
  BOOL m_bIconsWithShadow = FALSE;
  BOOL m_bGradientDisabledIcons = FALSE;
  int m_animationSteps = 10;
  int m_animationTime = 100;
  int m_keyboardCues = -1;
  CTkColorValue m_colors[kColorCount];
  XPSchemeId m_xpScheme = xpDefault;
};

// The installed painter, or null; it holds one reference.
extern CTkBarPainter* CurrentBarPainter;
// 1, 2, 3 and 4 the looks of those numbers, any other number the default
// look; null when that look is not part of the program.
CTkBarPainter* CreateBarPainter(int theme);
void SetCurrentTheme(int theme);
void SetCurrentBarPainter(CTkBarPainter* painter);
void ReleaseCurrentBarPainter();
// The installed painter, installing the default look when there is none;
// null only when the program has no look at all.
CTkBarPainter* GetCurrentBarPainter();
