// Tool tips of toolkit windows. A window relays its messages to its tip
// context; the context asks the window which tool lies under the cursor
// (its OnToolHitTest, filled with FillToolInfo), keeps one tip window per
// owner frame and drives it with the standard tool-tip messages. The tip
// window is the system's control or one of the toolkit's own.
#pragma once

#include "framework.h"

// The two record sizes tools are asked with; comctl32's newest record is
// larger than either.
const UINT kToolInfoSize = TTTOOLINFOW_V1_SIZE;
const UINT kExtendedToolInfoSize = TTTOOLINFOW_V2_SIZE;
// Tool flags of ours: show the tip even in an inactive window (bit 30).
const UINT kToolShowInactive = 0x40000000;

// What lParam of an extended record points to; the strings are heap copies
// the context frees.
struct TipTextBlock {
  LPWSTR description;
  LPWSTR title;
};

// Fills a tool record: window, id, rectangle and a heap copy of the text;
// with the extended size and both title and description, their copies too.
void FillToolInfo(TTTOOLINFOW* info, HWND window, int left, int top, int right, int bottom, UINT_PTR id,
                  LPCWSTR text, LPCWSTR title = nullptr, LPCWSTR description = nullptr);

class CTkTipContext : public CCmdTarget {
 public:
  enum TipKind { kSystemTip = 0, kBalloonTip = 1, kPlainTip = 2, kRichTip = 3, kGradientTip = 4 };

  CTkTipContext();
  ~CTkTipContext() override;

  // A new tip window of the context's kind for an owner frame.
  virtual CWnd* CreateTipWindow(CWnd* ownerFrame);

  // Owners call it for every message of their window.
  void RelayMouseMessage(CWnd* window, UINT message, WPARAM wParam, LPARAM lParam);
  void ModifyTipStyle(DWORD remove, DWORD add);
  void HideTip();
  CWnd* GetTipWindow() const { return m_pTipWindow; }
  // The colours the tips use: the set ones, else the scheme's.
  COLORREF GetBackgroundColor() const;
  COLORREF GetTextColor() const;

  BOOL m_bExtendedTips = FALSE;
  int m_tipKind = kSystemTip;
  DWORD m_commonControlsVersion = 0;
  int m_titleIcon = 1;
  // The tip window holds a title from an earlier tool.
  BOOL m_bTitleShown = FALSE;
  int m_maxTipWidth = 0;
  DWORD m_tipStyle = TTS_NOPREFIX;
  CRect m_margins{0, 0, 0, 0};
  int m_initialDelay = -1;
  int m_reshowDelay = -1;
  int m_autoPopDelay = -1;
  TTTOOLINFOW m_lastTool;
  COLORREF m_backgroundColor = static_cast<COLORREF>(-1);
  COLORREF m_textColor = static_cast<COLORREF>(-1);

 private:
  void Filter(const MSG& msg, CWnd* owner, BOOL fromOwner);
  void OnMouseMessage(const MSG& msg, CWnd* owner);
  void DestroyTipWindow();
  void ConfigureTipWindow();
  LRESULT SendToTip(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  void Relay(const MSG& msg, POINT cursor);
  static void FreeCopies(TTTOOLINFOW& info);

  CWnd* m_pTipWindow = nullptr;
  HWND m_hOwnerFrame = nullptr;
};

// The system's tool-tip control (kinds 0 and 1) with the toolkit's rule for
// TTM_WINDOWFROMPOINT: children that answer 0x2A48 share their parent's tools.
class CTkToolTipCtrl : public CToolTipCtrl {
 public:
  // The window under a point, or its parent for such a child.
  static HWND WindowFromPointForTips(POINT point);

 protected:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// The message a child answers with 1 to share its parent's tools.
const UINT WM_TK_SHARESPARENTTIPS = 0x2A48;
