// Scoped GDI state (every change of a DC restores itself), gradients with
// or without msimg32, the splitter drag tracker, work areas and small
// string and drawing helpers.
#pragma once

#include <functional>

#include "color_scheme.h"
#include "framework.h"

// Draws into a memory bitmap and copies the rectangle back on destruction;
// the memory DC keeps the target's coordinates.
class CTkOffscreenDC : public CDC {
 public:
  CTkOffscreenDC(HDC target, int left, int top, int right, int bottom);
  ~CTkOffscreenDC() override;
  CTkOffscreenDC(const CTkOffscreenDC&) = delete;
  CTkOffscreenDC& operator=(const CTkOffscreenDC&) = delete;

 private:
  HDC m_hTarget;
  CBitmap m_bitmap;
  CRect m_rect;
  HGDIOBJ m_hPrevious = nullptr;
};

class CTkObjectSelector {
 public:
  CTkObjectSelector(HDC hDC, HGDIOBJ object) : m_hDC(hDC), m_hPrevious(::SelectObject(hDC, object)) {}
  ~CTkObjectSelector() { ::SelectObject(m_hDC, m_hPrevious); }
  CTkObjectSelector(const CTkObjectSelector&) = delete;
  CTkObjectSelector& operator=(const CTkObjectSelector&) = delete;

 private:
  HDC m_hDC;
  HGDIOBJ m_hPrevious;
};

class CTkFontSelector : public CTkObjectSelector {
 public:
  CTkFontSelector(CDC* pDC, CFont* pFont) : CTkObjectSelector(pDC->GetSafeHdc(), pFont->GetSafeHandle()) {}
};

// A solid one-pixel pen of a colour, selected for one scope.
class CTkPenSelector {
 public:
  CTkPenSelector(HDC hDC, COLORREF color);
  ~CTkPenSelector();
  CTkPenSelector(const CTkPenSelector&) = delete;
  CTkPenSelector& operator=(const CTkPenSelector&) = delete;
  void SetColor(COLORREF color);
  COLORREF GetColor() const { return m_color; }

 private:
  HDC m_hDC;
  CPen m_pen;
  COLORREF m_color;
  HGDIOBJ m_hPrevious;
};

class CTkBrushSelector {
 public:
  CTkBrushSelector(HDC hDC, COLORREF color);
  ~CTkBrushSelector();
  CTkBrushSelector(const CTkBrushSelector&) = delete;
  CTkBrushSelector& operator=(const CTkBrushSelector&) = delete;
  void SetColor(COLORREF color);

 private:
  HDC m_hDC;
  CBrush m_brush;
  HGDIOBJ m_hPrevious;
};

// A memory DC (compatible with pDC, the screen when null) holding a bitmap.
class CTkMemoryBitmapDC : public CDC {
 public:
  CTkMemoryBitmapDC(CDC* pDC, HBITMAP bitmap);
  ~CTkMemoryBitmapDC() override;
  CTkMemoryBitmapDC(const CTkMemoryBitmapDC&) = delete;
  CTkMemoryBitmapDC& operator=(const CTkMemoryBitmapDC&) = delete;

 private:
  HGDIOBJ m_hPrevious = nullptr;
};

class CTkZeroRect : public CRect {
 public:
  CTkZeroRect() : CRect(0, 0, 0, 0) {}
};

class CTkScreenBounds : public CRect {
 public:
  explicit CTkScreenBounds(HWND hWnd);
  explicit CTkScreenBounds(const CWnd* pWnd) : CTkScreenBounds(pWnd->GetSafeHwnd()) {}
};

class CTkClientBounds : public CRect {
 public:
  explicit CTkClientBounds(HWND hWnd);
  explicit CTkClientBounds(const CWnd* pWnd) : CTkClientBounds(pWnd->GetSafeHwnd()) {}
};

class CTkClientCursorPos : public CPoint {
 public:
  explicit CTkClientCursorPos(HWND hWnd);
  explicit CTkClientCursorPos(const CWnd* pWnd) : CTkClientCursorPos(pWnd->GetSafeHwnd()) {}
};

// Flicker-free painting: drawing goes to a bitmap whose (0, 0) is the
// rectangle's top-left and is copied to the target on destruction.
class CTkMemDC : public CDC {
  DECLARE_DYNAMIC(CTkMemDC)
 public:
  CTkMemDC(CDC* pDC, const CRect& rect, const CTkGradientColor& background = CTkGradientColor(),
           BOOL horizontal = FALSE);
  ~CTkMemDC() override;
  CTkMemDC(const CTkMemDC&) = delete;
  CTkMemDC& operator=(const CTkMemDC&) = delete;
  BOOL IsValid() const { return m_bValid; }
  const CRect& GetRect() const { return m_rect; }

 private:
  CDC* m_pTarget;
  CRect m_rect;
  CBitmap m_bitmap;
  HGDIOBJ m_hPrevious = nullptr;
  BOOL m_bValid = FALSE;
};

class CTkGradientPainter {
 public:
  // loadGradientFill FALSE leaves the band fallback in use.
  explicit CTkGradientPainter(BOOL loadGradientFill = TRUE);
  ~CTkGradientPainter();
  CTkGradientPainter(const CTkGradientPainter&) = delete;
  CTkGradientPainter& operator=(const CTkGradientPainter&) = delete;

  BOOL HasGradientFill() const { return m_gradientFill != nullptr; }
  void FillGradient(CDC* pDC, LPCRECT rect, COLORREF first, COLORREF second, BOOL horizontal);
  void FillGradientClipped(CDC* pDC, LPCRECT rect, COLORREF first, COLORREF second, BOOL horizontal,
                           LPCRECT clip);
  void FillGradientColor(CDC* pDC, LPCRECT rect, const CTkGradientColor& color, BOOL horizontal,
                         LPCRECT clip = nullptr);
  // Per channel w * a + (1 - w) * b, truncated and limited to 255.
  static COLORREF MixColors(COLORREF a, COLORREF b, float weight);
  // Each {x, y, dx, dy} makes (x, y) the average of itself and (x + dx, y + dy).
  static void BlendPixelPairs(CDC* pDC, const int* list, int length);

 private:
  using GradientFillProc = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
  void FillBands(CDC* pDC, const CRect& rect, COLORREF first, COLORREF second, BOOL horizontal);

  HMODULE m_hModule = nullptr;
  GradientFillProc m_gradientFill = nullptr;
};

CTkGradientPainter& GetGradientPainter();

// The work area of the monitor holding the argument, else the primary one.
CRect FindWorkAreaOfRect(const RECT& rect);
CRect FindWorkAreaOfWindow(HWND hWnd);
CRect FindWorkAreaOfPoint(POINT point);

BOOL IsTopLevelWindowActive(HWND hWnd);

// "&File" gives "File" and "a&&b" gives "a&b".
void StripMnemonics(CString& text);
// Removes single "&" marks; "&&" and a trailing "&" stay.
void RemoveMnemonicMarks(CString& text);

// Shows a context menu with the button images of a tool-bar resource; the
// chosen command, or what the menu returns.
UINT TrackContextMenu(CMenu* menu, UINT flags, int x, int y, CWnd* owner, UINT toolBarId);

// Swaps VK_LEFT and VK_RIGHT in a right-to-left window.
void MirrorArrowKey(HWND hWnd, UINT& key);

void FillTriangle(CDC* pDC, const POINT points[3], COLORREF color);
void FillHalftoneRect(CDC* pDC, LPCRECT rect);
XPSchemeId GetCurrentXPScheme();

// An icon from a bitmap whose top-left pixel is the transparent colour.
class CTkBitmapIconMaker {
 public:
  explicit CTkBitmapIconMaker(HBITMAP bitmap) : m_hBitmap(bitmap) {}
  HICON MakeIcon() const;

 private:
  HBITMAP m_hBitmap;
};

// The modal loop of a splitter drag: with the mouse captured on hWnd, the
// screen rectangle line moves along x when horizontal, else along y, keeping
// its distance to the pointer from start and staying within bounds (minimum
// left/top, maximum right/bottom); moved(from, to) runs after each step and
// answers FALSE when the window went away meanwhile. TRUE when the left
// button ends the drag; Escape, a lost capture, WM_QUIT (posted again) or a
// window gone give FALSE. With paintsFirst, pending paints are dispatched
// before each message, so that windows laid out live show every step.
BOOL TrackAlongAxis(HWND hWnd, const CRect& bounds, CRect& line, CPoint start, BOOL horizontal, BOOL paintsFirst,
                    const std::function<BOOL(const CRect& from, const CRect& to)>& moved);

// The modal line a splitter is dragged by, drawn straight on the desktop.
class CTkDragLineTracker {
 public:
  explicit CTkDragLineTracker(BOOL invert = FALSE) : m_bInvert(invert) {}
  // Moves the screen rectangle line along x when horizontal, else along y,
  // within bounds (minimum left/top, maximum right/bottom). TRUE when the
  // left button ends the drag; Escape or a lost capture gives FALSE.
  BOOL Track(CWnd* pWnd, const CRect& bounds, CRect& line, CPoint start, BOOL horizontal);
  void SetExtraRect(const CRect& rect) { m_extra = rect; }

 private:
  void Draw(const CRect& rect);

  CDC m_dc;
  BOOL m_bInvert;
  CRect m_extra{0, 0, 0, 0};
};
