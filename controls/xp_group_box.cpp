#include "xp_group_box.h"

IMPLEMENT_DYNAMIC(CXPGroupBox, CButton)

namespace {
const DWORD kOwnPaintStyle = 0x40;  // BS_ICON: the box draws no text of its own
const int kCorner = 10;
}  // namespace

BEGIN_MESSAGE_MAP(CXPGroupBox, CButton)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CXPGroupBox::CXPGroupBox()
    : m_crBorder(::GetSysColor(COLOR_BTNSHADOW)),
      m_crCaptionBack(::GetSysColor(COLOR_BTNFACE)),
      m_crBodyBack(::GetSysColor(COLOR_BTNFACE)) {}

void CXPGroupBox::PreSubclassWindow() {
  CButton::PreSubclassWindow();
  ModifyStyle(0, kOwnPaintStyle);
  HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  if (hFont == nullptr) hFont = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
  ::GetObjectW(hFont, sizeof m_font, &m_font);
  RebuildFont();
}

BOOL CXPGroupBox::PreCreateWindow(CREATESTRUCTW& cs) {
  cs.style |= kOwnPaintStyle;
  return CButton::PreCreateWindow(cs);
}

void CXPGroupBox::RebuildFont() {
  m_captionFont.DeleteObject();
  m_captionFont.CreateFontIndirect(&m_font);
}

CXPGroupBox& CXPGroupBox::Refresh() {
  if (m_hWnd == nullptr) return *this;
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  if (CWnd* pParent = GetParent()) {
    CRect rect;
    GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    pParent->InvalidateRect(&rect, TRUE);
    pParent->UpdateWindow();
  }
  return *this;
}

CXPGroupBox& CXPGroupBox::SetBorderColor(COLORREF colour) {
  m_crBorder = colour;
  return Refresh();
}

CXPGroupBox& CXPGroupBox::SetCaptionTextColor(COLORREF colour) {
  m_crCaptionText = colour;
  return Refresh();
}

CXPGroupBox& CXPGroupBox::SetBackgroundColors(COLORREF caption, COLORREF body) {
  m_crCaptionBack = caption;
  m_crBodyBack = body;
  return Refresh();
}

CXPGroupBox& CXPGroupBox::SetBackgroundColor(COLORREF colour) { return SetBackgroundColors(colour, colour); }

CXPGroupBox& CXPGroupBox::SetBoxStyle(int style) {
  m_boxStyle = style;
  return Refresh();
}

CXPGroupBox& CXPGroupBox::SetCaption(LPCWSTR lpszCaption) {
  if (m_hWnd == nullptr) return *this;
  m_caption = CString(L" ") + lpszCaption + L" ";
  // The paint reads the window text, so the caption set here is the one shown.
  SetWindowText(m_caption);
  return Refresh();
}

CXPGroupBox& CXPGroupBox::SetFontBold(BOOL bBold) {
  m_font.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
  RebuildFont();
  return Refresh();
}

CXPGroupBox& CXPGroupBox::SetFontFace(LPCWSTR lpszFace, BYTE charSet) {
  lstrcpynW(m_font.lfFaceName, lpszFace != nullptr ? lpszFace : L"", LF_FACESIZE);
  m_font.lfCharSet = charSet;
  RebuildFont();
  return Refresh();
}

CXPGroupBox& CXPGroupBox::SetFontUnderline(BOOL bUnderline) {
  m_font.lfUnderline = bUnderline ? TRUE : FALSE;
  RebuildFont();
  return Refresh();
}

CXPGroupBox& CXPGroupBox::SetFontItalic(BOOL bItalic) {
  m_font.lfItalic = bItalic ? TRUE : FALSE;
  RebuildFont();
  return Refresh();
}

CXPGroupBox& CXPGroupBox::SetFontSize(int nPoints) {
  CFont point;
  if (point.CreatePointFont(nPoints * 10, m_font.lfFaceName)) {
    LOGFONTW made = {};
    point.GetLogFont(&made);
    m_font.lfHeight = made.lfHeight;
    m_font.lfWidth = made.lfWidth;
  }
  RebuildFont();
  return Refresh();
}

CXPGroupBox& CXPGroupBox::SetFontDescription(const LOGFONTW& font) {
  m_font = font;
  RebuildFont();
  return Refresh();
}

CXPGroupBox& CXPGroupBox::SetCaptionAlignment(int alignment) {
  m_alignment = alignment == kCenter || alignment == kRight ? alignment : kLeft;
  return Refresh();
}

CRect CXPGroupBox::CaptionRect(int boxStyle, int alignment, const CRect& rect, CSize extent) {
  int inset = boxStyle == kWindow ? 2 : 10;
  int top = boxStyle == kWindow ? rect.top + 2 : rect.top;
  int left = rect.left + inset;
  if (alignment == kCenter) left = rect.left + (rect.Width() - extent.cx) / 2;
  else if (alignment == kRight) left = rect.right - inset - extent.cx;
  return CRect(left, top, left + extent.cx, top + extent.cy);
}

void CXPGroupBox::OnPaint() {
  CPaintDC dc(this);
  CRect rect;
  GetClientRect(&rect);
  rect.DeflateRect(1, 1);
  CFont* pOldFont = dc.SelectObject(&m_captionFont);
  CString caption;
  GetWindowText(caption);
  CSize extent = caption.IsEmpty() ? CSize(0, 0) : dc.GetTextExtent(caption);
  CRect captionRect = CaptionRect(m_boxStyle, m_alignment, rect, extent);
  CPen pen(PS_SOLID, 1, m_crBorder);
  CPen* pOldPen = dc.SelectObject(&pen);
  if (m_boxStyle == kWindow) {
    CBrush captionBrush(m_crCaptionBack);
    CBrush* pOldBrush = dc.SelectObject(&captionBrush);
    dc.RoundRect(rect.left, rect.top, rect.right, rect.bottom, kCorner, kCorner);
    CBrush bodyBrush(m_crBodyBack);
    dc.SelectObject(&bodyBrush);
    dc.Rectangle(rect.left, rect.top + extent.cy + 4, rect.right, rect.bottom);
    dc.SelectObject(pOldBrush);
    dc.SelectObject(pOldPen);
  } else {
    CGdiObject* pOldBrush = dc.SelectStockObject(NULL_BRUSH);
    dc.RoundRect(rect.left, rect.top + extent.cy / 2, rect.right, rect.bottom, kCorner, kCorner);
    dc.SelectObject(static_cast<HGDIOBJ>(pOldBrush->GetSafeHandle()));
    dc.SelectObject(pOldPen);
    // The caption's background cuts the outline behind it.
    dc.IntersectClipRect(&captionRect);
    dc.FillSolidRect(&captionRect, m_crCaptionBack);
  }
  COLORREF oldColour = dc.SetTextColor(m_crCaptionText);
  int oldMode = dc.SetBkMode(TRANSPARENT);
  dc.DrawText(caption, &captionRect, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
  dc.SetTextColor(oldColour);
  dc.SetBkMode(oldMode);
  dc.SelectObject(pOldFont);
}
