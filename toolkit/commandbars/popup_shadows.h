// Soft shadows to the right of and below open popups (and, in the flat and
// gradient looks, below the button whose menu is open). Each side is a
// borderless top-most window owned by the popup: a 4-pixel alpha strip
// with layered windows, a 2-pixel strip in the button-shadow colour
// without them. One process-wide list keeps the live shadows.
#pragma once

#include <vector>

#include "framework.h"
#include "window_hooks.h"

class CTkBarPainter;
class CTkCommandBar;
class CTkControl;

class CTkPopupShadowWnd : public CWnd, public CTkHookClient {
 public:
  CTkPopupShadowWnd(BOOL bottom, BOOL soft, HWND owner, COLORREF color)
      : m_bBottom(bottom), m_bSoft(soft), m_hOwner(owner), m_shadowColor(color) {}

  int OnHookMessage(HWND hWnd, UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result) override;

  // The layered strip's pixel at (x, y) of a strip that size: alpha in the
  // top byte, the shadow colour scaled by the fade below it.
  static DWORD ShadowPixel(int x, int y, int width, int height, BOOL bottom, BOOL soft, COLORREF color);
  // Fills a top-down 32-bit buffer of the strip's size.
  static void FillShadowPixels(DWORD* bits, int width, int height, BOOL bottom, BOOL soft, COLORREF color);

  BOOL m_bBottom;
  BOOL m_bSoft;
  HWND m_hOwner;
  COLORREF m_shadowColor;

 protected:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void UpdateLayeredBitmap(int width, int height);
};

class CTkPopupShadows {
 public:
  using UpdateLayeredWindowProc = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                                DWORD);

  CTkPopupShadows();
  ~CTkPopupShadows();
  CTkPopupShadows(const CTkPopupShadows&) = delete;
  CTkPopupShadows& operator=(const CTkPopupShadows&) = delete;

  // A popup bar shown at the popup position; excluded is the opening
  // control's screen rectangle, or null.
  void AddBarShadows(CTkCommandBar* popup, LPCRECT excluded);
  // The face of a popup control on a bar that is not a popup, while its
  // popup bar is open.
  void AddControlShadows(CTkControl* control);
  // Destroys every shadow of that owner window.
  void RemoveShadows(HWND owner);

  BOOL IsLayered() const { return m_pUpdateLayeredWindow != nullptr; }
  int GetShadowCount() const { return static_cast<int>(m_shadows.size()); }
  CTkPopupShadowWnd* GetShadow(int index) const { return m_shadows[static_cast<size_t>(index)]; }

  // Null without layered windows; tests clear it to see the solid strips.
  UpdateLayeredWindowProc m_pUpdateLayeredWindow = nullptr;
  // The system's drop-shadow setting; tests replace it.
  static BOOL (*QueryDropShadow)();

 private:
  friend class CTkPopupShadowWnd;
  void CreateShadow(BOOL bottom, CRect ownerRect, const CRect& excluded, CTkCommandBar* ownerBar, HWND owner);
  void Forget(CTkPopupShadowWnd* shadow);
  // Destroys the window and deletes the object.
  void DestroyShadow(CTkPopupShadowWnd* shadow);

  std::vector<CTkPopupShadowWnd*> m_shadows;
};

CTkPopupShadows& GetPopupShadows();
