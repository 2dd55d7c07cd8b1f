// CXPGroupBox: a group box that paints itself as a thin rounded frame with
// the caption set into its top edge, or as a "window" with a coloured
// caption band over a separately coloured body. Setters chain.
#pragma once

#include "framework.h"

class CXPGroupBox : public CButton {
  DECLARE_DYNAMIC(CXPGroupBox)
 public:
  enum BoxStyle { kFrame = 0, kWindow = 1 };
  enum CaptionAlignment { kLeft = 0, kCenter = 1, kRight = 2 };

  CXPGroupBox();

  virtual CXPGroupBox& SetBorderColor(COLORREF colour);
  virtual CXPGroupBox& SetCaptionTextColor(COLORREF colour);
  virtual CXPGroupBox& SetBackgroundColors(COLORREF caption, COLORREF body);
  virtual CXPGroupBox& SetBackgroundColor(COLORREF colour);
  virtual CXPGroupBox& SetBoxStyle(int style);
  // Stores the text with a space on each side and shows it as the caption.
  virtual CXPGroupBox& SetCaption(LPCWSTR lpszCaption);
  virtual CXPGroupBox& SetFontBold(BOOL bBold);
  virtual CXPGroupBox& SetFontFace(LPCWSTR lpszFace, BYTE charSet);
  virtual CXPGroupBox& SetFontUnderline(BOOL bUnderline);
  virtual CXPGroupBox& SetFontItalic(BOOL bItalic);
  virtual CXPGroupBox& SetFontSize(int nPoints);
  virtual CXPGroupBox& SetFontDescription(const LOGFONTW& font);
  virtual CXPGroupBox& SetCaptionAlignment(int alignment);

  const LOGFONTW& GetFontDescription() const { return m_font; }
  int GetCaptionAlignment() const { return m_alignment; }
  int GetBoxStyle() const { return m_boxStyle; }
  const CString& GetCaption() const { return m_caption; }

  // Where the caption goes for a caption extent, in the rectangle R (the
  // client area shrunk by one pixel).
  static CRect CaptionRect(int boxStyle, int alignment, const CRect& rect, CSize extent);

 protected:
  void PreSubclassWindow() override;
  BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
  afx_msg void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  void RebuildFont();
  CXPGroupBox& Refresh();

  CString m_caption;
  COLORREF m_crBorder;
  COLORREF m_crCaptionBack;
  COLORREF m_crBodyBack;
  COLORREF m_crCaptionText = RGB(0, 0, 255);
  int m_boxStyle = kFrame;
  int m_alignment = kLeft;
  LOGFONTW m_font = {};
  CFont m_captionFont;
};
