// A tool bar that hosts one child window below a caption band. The band
// holds a caption control, which opens the bar's caption popup when that
// popup has controls, and an optional close button. The bar docks and
// floats like any tool bar, keeps separate docked and floating client
// sizes, and is resized from its outer edges down to a smallest size.
#pragma once

#include "tool_bar.h"

class CTkPopupBar;

class CTkDialogBar : public CTkToolBar {
  DECLARE_DYNCREATE(CTkDialogBar)

 public:
  enum { kCaptionControlId = 9399 };

  CTkDialogBar();
  ~CTkDialogBar() override;

  // Floating: the floating client size; the length is not used.
  CSize CalcBarSize(int length, DWORD flags) override;
  CSize CalcDockedSize(int length, DWORD flags) override;
  // 1 in the caption band, -2 elsewhere: the mouse tracker leaves the
  // hosted window alone.
  int ContainsPoint(int x, int y) override;
  BOOL QueryDialogBar() const override { return TRUE; }
  // The saved layout keeps both client sizes.
  void GetDialogBarClientSizes(CSize& docked, CSize& floating) const override {
    docked = m_szDocked;
    floating = m_szFloating;
  }
  void SetDialogBarClientSizes(CSize docked, CSize floating) override {
    m_szDocked = docked;
    m_szFloating = floating;
  }
  void CopyBarFrom(CTkCommandBar* source, BOOL recursive) override;
  BOOL HasFixedGripper() const override { return TRUE; }

  // The drag tracker's resize to a screen rectangle (hit: HTLEFT to
  // HTBOTTOMRIGHT); FALSE when it is below the smallest size.
  BOOL ResizeFromTracker(const CRect& rect, int hit);

  // The hosted window; it becomes a child of the bar's window.
  void SetChild(HWND child);
  HWND GetChild() const { return m_hChild; }
  // Empty: the bar's title shows.
  void SetCaption(LPCWSTR caption) { m_strCaption = caption; }
  CString GetCaption() const { return m_strCaption; }
  // What the caption control shows.
  CString GetCaptionText() const { return m_strCaption.IsEmpty() ? m_strTitle : m_strCaption; }
  void SetCaptionVisible(BOOL visible) { m_bCaptionVisible = visible; }
  BOOL IsCaptionVisible() const { return m_bCaptionVisible; }
  void SetCaptionPopup(BOOL popup) { m_bCaptionPopup = popup; }
  // The caption control shows a drop-down and opens the popup.
  BOOL HasCaptionDropDown() const;
  CTkPopupBar* GetCaptionPopupBar() const { return m_pCaptionPopupBar; }
  void SetResizable(BOOL resizable) { m_bResizable = resizable; }
  BOOL IsResizable() const { return m_bResizable; }
  void SetMargins(const CRect& margins) { m_rcMargins = margins; }
  const CRect& GetMargins() const { return m_rcMargins; }
  void SetMinimalSize(CSize size) { m_szMinimal = size; }
  CSize GetMinimalSize() const { return m_szMinimal; }
  void SetDockedClientSize(CSize size) { m_szDocked = size; }
  CSize GetDockedClientSize() const { return m_szDocked; }
  void SetFloatingClientSize(CSize size) { m_szFloating = size; }
  CSize GetFloatingClientSize() const { return m_szFloating; }
  int GetCaptionBottom() const { return m_nCaptionBottom; }

 protected:
  // The bar's size around a client size, with the caption band laid out.
  CSize CalcSizeFor(CSize client, int length, DWORD flags);
  void LayoutCaptionBand(int width, int captionHeight, int gripperWidth);

  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  DECLARE_MESSAGE_MAP()

  CRect m_rcMargins{3, 3, 3, 3};
  BOOL m_bResizable = TRUE;
  CSize m_szMinimal{50, 50};
  BOOL m_bCaptionVisible = TRUE;
  BOOL m_bCaptionPopup = TRUE;
  int m_nCaptionBottom = 0;
  CSize m_szDocked{200, 200};
  CSize m_szFloating{200, 200};
  HWND m_hChild = nullptr;
  CString m_strCaption;
  CTkPopupBar* m_pCaptionPopupBar = nullptr;
};

// The caption of a dialog bar: its text, and a drop-down opening the
// bar's caption popup below it when the popup has controls.
class CTkDialogBarCaption : public CTkControlPopup {
  DECLARE_DYNCREATE(CTkDialogBarCaption)

 public:
  CTkDialogBarCaption();
  void Draw(CDC* pDC) override;
  BOOL SetPopuped(BOOL popuped) override;
};

// The close button of a dialog bar: the Marlett cross.
class CTkDialogBarClose : public CTkControlToolBarClose {
  DECLARE_DYNCREATE(CTkDialogBarClose)

 public:
  void Draw(CDC* pDC) override;
};
