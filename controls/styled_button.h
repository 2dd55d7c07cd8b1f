// CStyledButton: the flat owner-drawn push button of the wizard pages. It
// paints in six owner-chosen state colours, shows an icon or a bitmap with
// a transparent key colour, tracks the mouse for a hover look, plays hover
// and click sounds and can work as a two-state check box.
#pragma once

#include "framework.h"

// Every sound of the styled buttons goes through this (PlaySoundW); tests
// replace it to count sounds instead of playing them.
extern BOOL(WINAPI* StyledButtonPlaySound)(LPCWSTR name, HMODULE module, DWORD flags);

// Where the image of a button goes, and how the caption rectangle makes
// room for it. clientWidth is the button's client width.
CPoint PlaceButtonImage(int alignment, BOOL hasCaption, BOOL shiftPressed, int clientWidth, const CRect& rcItem,
                        CRect& rcCaption, int width, int height);
// The colour with every channel moved by the same amount, shade reduced
// until the channel nearest the bound just reaches 255 or 0.
COLORREF ShadeColorEvenly(COLORREF colour, short shade);

class CStyledButton : public CButton {
 public:
  // Passed in place of a resting image's id or handle.
  enum DerivedImage : INT_PTR { kGrayscaleImage = -2, kDarkerImage = -3 };
  enum ColorIndex { kActiveBack, kActiveText, kRestingBack, kRestingText, kFocusBack, kFocusText, kColorCount };
  enum Alignment { kImageLeft, kImageTop, kImageRight, kImageOverlap };
  enum Result { kOk, kBadImage, kMaskFailed, kBadColorIndex, kBadAlignment, kBadShade };

  CStyledButton();
  ~CStyledButton() override;

  DWORD SetIconsFromResources(int nActiveIcon, int nRestingIcon = 0);
  DWORD SetIcons(HICON hActive, HICON hResting = nullptr);
  DWORD SetBitmapsFromResources(int nActiveBitmap, COLORREF crActiveKey, int nRestingBitmap = 0,
                                COLORREF crRestingKey = 0);
  DWORD SetBitmaps(HBITMAP hActive, COLORREF crActiveKey, HBITMAP hResting = nullptr, COLORREF crRestingKey = 0);
  DWORD SetContentAlignment(BYTE alignment, BOOL bRedraw = TRUE);
  DWORD SetStateColor(BYTE index, COLORREF colour, BOOL bRedraw = TRUE);
  DWORD ShadeStateColor(BYTE index, short shade, BOOL bRedraw = TRUE);
  DWORD ResetStateColors(BOOL bRedraw = TRUE);
  DWORD SetFlatBorder(BOOL bOn, BOOL bRedraw = TRUE);
  DWORD SetChecked(BOOL bChecked, BOOL bRedraw = TRUE);
  BOOL IsChecked() const { return m_bChecked; }
  DWORD EnableTransparency(BOOL bRedraw = TRUE);
  // A null name clears the record. With a module the name is a resource;
  // without one a file name, refused (record cleared) when it does not fit.
  DWORD SetEventSound(LPCWSTR lpszSound, HMODULE hModule = nullptr, BOOL bOnClick = FALSE, BOOL bAsync = TRUE);

  COLORREF GetStateColor(BYTE index) const { return index < kColorCount ? m_colors[index] : 0; }
  BOOL IsCheckBoxMode() const { return m_bCheckBox; }
  BOOL IsDefaultButton() const { return m_bDefault; }
  BOOL IsHovered() const { return m_bHovered; }

  BOOL PreTranslateMessage(MSG* pMsg) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

  static COLORREF DarkenColor(COLORREF colour, double factor);
  // Key-colour pixels become 1 in the mask and black in the bitmap, so that
  // the mask (SRCAND) and bitmap (SRCPAINT) pair draws it transparent.
  static HBITMAP CreateMask(HBITMAP hBitmap, int width, int height, COLORREF crKey);
  static HBITMAP CreateGrayscaleBitmap(HBITMAP hBitmap, int width, int height, COLORREF crKey);
  static HBITMAP CreateDarkerBitmap(HBITMAP hBitmap, int width, int height, COLORREF crKey);
  static HICON CreateGrayscaleIcon(HICON hIcon);
  static HICON CreateDarkerIcon(HICON hIcon);

 protected:
  virtual void DrawBackground(CDC* pDC, const CRect& rcItem);
  virtual void DrawBorder(CDC* pDC, const CRect& rcItem);
  virtual void DrawIcon(CDC* pDC, BOOL hasCaption, const CRect& rcItem, CRect& rcCaption, BOOL pressed, BOOL disabled);
  virtual void DrawBitmap(CDC* pDC, BOOL hasCaption, const CRect& rcItem, CRect& rcCaption, BOOL pressed,
                          BOOL disabled);
  virtual void DrawCaption(CDC* pDC, const CString& caption, const CRect& rcItem, CRect& rcCaption, BOOL pressed,
                           BOOL disabled);

  void PreSubclassWindow() override;
  CPoint PlaceImage(BOOL hasCaption, const CRect& rcItem, CRect& rcCaption, BOOL pressed, int width, int height);

  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnCancelMode();
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg void OnSysColorChange();
  afx_msg BOOL OnClicked();
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  afx_msg UINT OnGetDlgCode();
  afx_msg LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  struct SoundRecord {
    WCHAR buffer[MAX_PATH];
    LPCWSTR name;
    HMODULE module;
    DWORD flags;
  };
  struct BitmapImage {
    HBITMAP bitmap;
    int width;
    int height;
    HBITMAP mask;
    COLORREF key;
  };
  struct IconImage {
    HICON icon;
    int width;
    int height;
  };

  void EndHover();
  void Redraw(BOOL bRedraw);
  void FreeImages();
  void DropBackgroundCopy();
  void PaintParentBackground(CDC* pDC);
  void PlayEventSound(const SoundRecord& record);
  BOOL IsImageActive() const;

  BOOL m_bHovered = FALSE;
  BOOL m_bTransparent = FALSE;
  BOOL m_bPressed = FALSE;
  BOOL m_bFocused = FALSE;
  BOOL m_bDisabled = FALSE;
  BOOL m_bDefault = FALSE;
  BOOL m_bCheckBox = FALSE;
  BYTE m_alignment = kImageLeft;
  BOOL m_bFlatBorder = TRUE;
  COLORREF m_colors[kColorCount];
  HDC m_hBackDC = nullptr;
  HBITMAP m_hBackBitmap = nullptr;
  HGDIOBJ m_hBackOldBitmap = nullptr;
  BOOL m_bChecked = FALSE;
  IconImage m_activeIcon = {};
  IconImage m_restingIcon = {};
  BitmapImage m_activeBitmap = {};
  BitmapImage m_restingBitmap = {};
  SoundRecord m_hoverSound = {};
  SoundRecord m_clickSound = {};
  // Set when the focus went because this button was being disabled: by the
  // time WM_ENABLE arrives the system has already taken it away.
  BOOL m_bLostFocusToDisable = FALSE;
};
