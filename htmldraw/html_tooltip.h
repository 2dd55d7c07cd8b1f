// CHtmlToolTip: a balloon tip showing marked-up text in a shaped, shadowed
// popup whose stem points at the mouse. The owner registers tools and
// relays its mouse and key messages; timers show, fade and hide the tip.
#pragma once

#include <map>
#include <vector>

#include "framework.h"
#include "html_text_drawer.h"
#include "tooltip_placement.h"

struct TooltipToolRecord {
  UINT id;
  RECT rect;  // in the tool window's client coordinates; empty = the whole window
  CString text;
  UINT mask;  // 0x02 effect and granularity, 0x04 colours, 0x08 direction, 0x10 behaviour, 0x20 transparency
  int direction;
  int effect;
  UINT behaviour;  // 0x01 re-show, 0x02 follow, 0x04 stay in the tool, 0x08 stay over the tip, 0x10 no auto-hide
  BYTE granularity;
  BYTE transparency;  // 0 opaque to 100 invisible
  COLORREF beginColor;
  COLORREF middleColor;
  COLORREF endColor;
};

class CHtmlToolTip : public CWnd {
 public:
  // States of the tip.
  enum { kHidden = 0, kAppearing = 1, kShown = 2, kDisappearing = 3 };
  // The drawer's hover notice.
  static const UINT kLinkNotice = 0x465;

  CHtmlToolTip();
  ~CHtmlToolTip() override;

  BOOL Create(CWnd* pParentWnd, BOOL balloon);
  BOOL DestroyWindow() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  void AddTool(CWnd* pWnd, LPCWSTR text, const RECT* rect, UINT id);
  // The parent's messages, with their screen point; always 0.
  LRESULT RelayToolMessage(MSG* pMsg);

  void SetBackgroundColors(COLORREF begin, COLORREF middle, COLORREF end);
  void SetBackgroundColor(COLORREF colour) { SetBackgroundColors(colour, colour, colour); }
  void SetBackgroundEffect(int effect, BYTE granularity);
  void SetDefaultDirection(int direction) { m_defaultDirection = direction; }
  void SetDefaultBehaviour(UINT behaviour) { m_defaultBehaviour = behaviour; }
  void SetBorder(COLORREF colour, int width, int height);
  // 2 auto-hide, 3 initial, 4 fade-in step, 5 fade-out step, 6 animation period.
  void SetDelayTime(UINT kind, UINT milliseconds);
  void SetSize(int index, int value);
  void SetDefaultSizes(BOOL balloon);
  void SetShadow(int offsetX, int offsetY, int darkness, BOOL blurred, int blurX, int blurY);

  CHtmlTextDrawer& GetDrawer() { return m_drawer; }
  int GetState() const { return m_state; }
  int GetTransparency() const { return m_transparency; }
  int GetPlacementCode() const { return m_placementCode; }
  const std::vector<TooltipToolRecord>* GetTools(HWND hWnd) const;

 protected:
  virtual void DrawBorder(CDC* pDC, HRGN region);

  afx_msg void OnPaint();
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  afx_msg LRESULT OnLinkNotice(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  enum { kInitialTimer = 256, kAutoHideTimer = 257, kFadeInTimer = 258, kFadeOutTimer = 259, kAnimationTimer = 260 };

  void OnMouseMove(POINT screen);
  BOOL FindTool(POINT client, HWND& toolWnd, TooltipToolRecord& tool) const;
  void ShowTool(HWND toolWnd, const TooltipToolRecord& tool, BOOL delayed);
  void OnInitialDelay();
  void OnAutoHide();
  void OnFadeIn();
  void OnFadeOut();
  void BeginToHide();
  void HideAtOnce();
  void ClearCurrentTool();
  void StartAutoHide(const TooltipToolRecord& tool);
  BOOL PrepareTip(POINT screen);
  void FreeTip();
  HRGN BuildRegion() const;
  void FillStem(CDC& dc);
  void PaintTip(CDC* pDC, int transparency);

  CHtmlTextDrawer m_drawer;
  HWND m_parent = nullptr;
  BOOL m_repaintOnNotice = TRUE;
  POINT m_lastMouse = {-100000, -100000};
  HWND m_currentToolWnd = nullptr;
  TooltipToolRecord m_displayed = {};
  BOOL m_pendingDelayed = FALSE;
  BOOL m_pendingShow = FALSE;
  HWND m_pendingToolWnd = nullptr;
  TooltipToolRecord m_pending = {};
  int m_placementCode = 16;
  int m_transparency = 0;
  int m_state = kHidden;
  COLORREF m_colors[3];
  HBITMAP m_background = nullptr;
  HBITMAP m_capture = nullptr;
  HBRUSH m_borderBrush = nullptr;
  int m_borderWidth = 1;
  int m_borderHeight = 1;
  BOOL m_shadowBlurred = TRUE;
  int m_shadowX = 6;
  int m_shadowY = 6;
  int m_blurX = 7;
  int m_blurY = 7;
  BYTE m_darkness = 50;
  HRGN m_region = nullptr;
  UINT m_autoHideDelay = 5000;
  UINT m_initialDelay = 500;
  UINT m_fadeInStep = 0;
  UINT m_fadeOutStep = 0;
  UINT m_defaultBehaviour = 0;
  int m_defaultEffect = 0;
  int m_defaultDirection = 16;
  BYTE m_defaultGranularity = 0;
  BYTE m_defaultTransparency = 0;
  BOOL m_fadeIn = TRUE;
  BOOL m_fadeOut = TRUE;
  int m_sizes[9] = {};
  TipPlacement m_placement = {};
  SIZE m_windowSize = {};
  std::map<HWND, std::vector<TooltipToolRecord>> m_tools;
};
