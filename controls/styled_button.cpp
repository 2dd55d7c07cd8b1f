#include "styled_button.h"

#include <mmsystem.h>

#include <algorithm>
#include <cwchar>

BOOL(WINAPI* StyledButtonPlaySound)(LPCWSTR name, HMODULE module, DWORD flags) = &::PlaySoundW;

namespace {

const int kImageMargin = 3;
const int kPressedOffset = 1;
const DWORD kButtonTypeBits = 0x1F;

COLORREF InitialColor(int index) {
  // Even indices are backgrounds, odd ones captions.
  return ::GetSysColor(index % 2 == 0 ? COLOR_BTNFACE : COLOR_BTNTEXT);
}

}  // namespace

CPoint PlaceButtonImage(int alignment, BOOL hasCaption, BOOL shiftPressed, int clientWidth, const CRect& rcItem,
                        CRect& rcCaption, int width, int height) {
  CPoint image(0, 0);
  switch (alignment) {
    case CStyledButton::kImageLeft:
      if (hasCaption) {
        image.x = kImageMargin;
        rcCaption.left += width + kImageMargin;
      } else {
        image.x = (rcItem.Width() - width) / 2;
      }
      image.y = (rcItem.Height() - height) / 2;
      break;
    case CStyledButton::kImageTop:
      image.x = (rcItem.Width() - width) / 2;
      if (hasCaption) {
        image.y = kImageMargin;
        rcCaption.top += height;
      } else {
        image.y = (rcItem.Height() - height) / 2;
      }
      break;
    case CStyledButton::kImageRight:
      if (hasCaption) {
        rcCaption.right = rcCaption.right - rcCaption.left - kImageMargin - width;
        rcCaption.left = kImageMargin;
        image.x = clientWidth - kImageMargin - width;
        image.y = (rcItem.Height() - height) / 2;
      } else {
        // Without a caption the image stays at the top edge.
        image.x = (rcItem.Width() - width) / 2;
        image.y = 0;
      }
      break;
    default:
      break;
  }
  if (shiftPressed) image.Offset(kPressedOffset, kPressedOffset);
  return image;
}

COLORREF ShadeColorEvenly(COLORREF colour, short shade) {
  int channels[3] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
  int applied = shade;
  for (int v : channels) {
    int limit = shade;
    if (shade > 0 && v + shade > 255) limit = 255 - v;
    if (shade <= 0 && v + shade < 0) limit = -v;
    applied = shade > 0 ? std::min(applied, limit) : std::max(applied, limit);
  }
  return RGB(channels[0] + applied, channels[1] + applied, channels[2] + applied);
}

BEGIN_MESSAGE_MAP(CStyledButton, CButton)
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
  ON_WM_KILLFOCUS()
  ON_WM_CANCELMODE()
  ON_WM_ACTIVATE()
  ON_WM_ENABLE()
  ON_WM_SYSCOLORCHANGE()
  ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_GETDLGCODE()
  ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
  ON_MESSAGE(BM_SETCHECK, OnSetCheck)
  ON_MESSAGE(BM_GETCHECK, OnGetCheck)
END_MESSAGE_MAP()

CStyledButton::CStyledButton() {
  for (int i = 0; i < kColorCount; ++i) m_colors[i] = InitialColor(i);
}

CStyledButton::~CStyledButton() {
  DropBackgroundCopy();
  FreeImages();
}

void CStyledButton::PreSubclassWindow() {
  DWORD style = GetStyle();
  if (LOBYTE(style) & BS_CHECKBOX) m_bCheckBox = TRUE;
  if ((style & kButtonTypeBits) == BS_DEFPUSHBUTTON) m_bDefault = TRUE;
  ModifyStyle(kButtonTypeBits, BS_OWNERDRAW, SWP_FRAMECHANGED);
  CButton::PreSubclassWindow();
}

BOOL CStyledButton::PreTranslateMessage(MSG* pMsg) {
  // A fast second click is a second click, not a double click.
  if (pMsg->message == WM_LBUTTONDBLCLK && pMsg->hwnd == m_hWnd) pMsg->message = WM_LBUTTONDOWN;
  return CButton::PreTranslateMessage(pMsg);
}

void CStyledButton::Redraw(BOOL bRedraw) {
  if (bRedraw && m_hWnd != nullptr) Invalidate();
}

DWORD CStyledButton::SetContentAlignment(BYTE alignment, BOOL bRedraw) {
  if (alignment > kImageOverlap) return kBadAlignment;
  m_alignment = alignment;
  Redraw(bRedraw);
  return kOk;
}

DWORD CStyledButton::SetStateColor(BYTE index, COLORREF colour, BOOL bRedraw) {
  if (index >= kColorCount) return kBadColorIndex;
  m_colors[index] = colour;
  Redraw(bRedraw);
  return kOk;
}

DWORD CStyledButton::ShadeStateColor(BYTE index, short shade, BOOL bRedraw) {
  if (index >= kColorCount) return kBadColorIndex;
  if (shade < -255 || shade > 255) return kBadShade;
  m_colors[index] = ShadeColorEvenly(m_colors[index], shade);
  Redraw(bRedraw);
  return kOk;
}

DWORD CStyledButton::ResetStateColors(BOOL bRedraw) {
  for (int i = 0; i < kColorCount; ++i) m_colors[i] = InitialColor(i);
  Redraw(bRedraw);
  return kOk;
}

DWORD CStyledButton::SetFlatBorder(BOOL bOn, BOOL bRedraw) {
  m_bFlatBorder = bOn;
  Redraw(bRedraw);
  return kOk;
}

DWORD CStyledButton::SetChecked(BOOL bChecked, BOOL bRedraw) {
  if (m_bCheckBox) {
    m_bChecked = bChecked ? TRUE : FALSE;
    Redraw(bRedraw);
  }
  return kOk;
}

DWORD CStyledButton::EnableTransparency(BOOL bRedraw) {
  m_bTransparent = TRUE;
  DropBackgroundCopy();
  Redraw(bRedraw);
  return kOk;
}

DWORD CStyledButton::SetEventSound(LPCWSTR lpszSound, HMODULE hModule, BOOL bOnClick, BOOL bAsync) {
  SoundRecord& record = bOnClick ? m_clickSound : m_hoverSound;
  record = {};
  if (lpszSound == nullptr) return kOk;
  if (hModule != nullptr) {
    record.name = lpszSound;
    record.module = hModule;
    record.flags = SND_NODEFAULT | SND_NOWAIT | SND_RESOURCE;
  } else {
    // A file name that does not fit the buffer is refused, never cut.
    if (std::wcslen(lpszSound) >= MAX_PATH) return kOk;
    wcscpy(record.buffer, lpszSound);
    record.name = record.buffer;
    record.flags = SND_NODEFAULT | SND_NOWAIT | SND_FILENAME;
  }
  if (bAsync) record.flags |= SND_ASYNC;
  return kOk;
}

void CStyledButton::PlayEventSound(const SoundRecord& record) {
  if (record.name != nullptr) StyledButtonPlaySound(record.name, record.module, record.flags);
}

void CStyledButton::DropBackgroundCopy() {
  if (m_hBackDC != nullptr) {
    if (m_hBackOldBitmap != nullptr) ::SelectObject(m_hBackDC, m_hBackOldBitmap);
    ::DeleteDC(m_hBackDC);
  }
  if (m_hBackBitmap != nullptr) ::DeleteObject(m_hBackBitmap);
  m_hBackDC = nullptr;
  m_hBackBitmap = nullptr;
  m_hBackOldBitmap = nullptr;
}

BOOL CStyledButton::IsImageActive() const { return m_bCheckBox ? m_bPressed : (m_bPressed || m_bHovered); }

CPoint CStyledButton::PlaceImage(BOOL hasCaption, const CRect& rcItem, CRect& rcCaption, BOOL pressed, int width,
                                 int height) {
  CRect client;
  GetClientRect(&client);
  return PlaceButtonImage(m_alignment, hasCaption, pressed && !m_bCheckBox, client.Width(), rcItem, rcCaption, width,
                          height);
}

void CStyledButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  m_bPressed = (lpDIS->itemState & ODS_SELECTED) != 0 || (m_bCheckBox && m_bChecked);
  m_bFocused = (lpDIS->itemState & ODS_FOCUS) != 0;
  m_bDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;
  CRect rcItem(0, 0, lpDIS->rcItem.right - lpDIS->rcItem.left, lpDIS->rcItem.bottom - lpDIS->rcItem.top);
  pDC->SetBkMode(TRANSPARENT);
  if (m_bTransparent) PaintParentBackground(pDC);
  else DrawBackground(pDC, rcItem);
  DrawBorder(pDC, rcItem);
  CString caption;
  GetWindowText(caption);
  BOOL hasCaption = !caption.IsEmpty();
  CRect rcCaption = rcItem;
  if (m_activeIcon.icon != nullptr) DrawIcon(pDC, hasCaption, rcItem, rcCaption, m_bPressed, m_bDisabled);
  if (m_activeBitmap.bitmap != nullptr) {
    pDC->SetBkColor(RGB(255, 255, 255));
    DrawBitmap(pDC, hasCaption, rcItem, rcCaption, m_bPressed, m_bDisabled);
  }
  if (hasCaption) DrawCaption(pDC, caption, rcItem, rcCaption, m_bPressed, m_bDisabled);
}

void CStyledButton::PaintParentBackground(CDC* pDC) {
  CWnd* pParent = GetParent();
  if (pParent == nullptr) return;
  CRect client, window;
  GetClientRect(&client);
  GetWindowRect(&window);
  pParent->ScreenToClient(&window);
  HDC hParentDC = ::GetDC(pParent->m_hWnd);
  if (m_hBackDC == nullptr && hParentDC != nullptr) {
    m_hBackDC = ::CreateCompatibleDC(hParentDC);
    m_hBackBitmap = ::CreateCompatibleBitmap(hParentDC, client.Width(), client.Height());
    if (m_hBackDC != nullptr && m_hBackBitmap != nullptr) {
      m_hBackOldBitmap = ::SelectObject(m_hBackDC, m_hBackBitmap);
      ::BitBlt(m_hBackDC, 0, 0, client.Width(), client.Height(), hParentDC, window.left, window.top, SRCCOPY);
    } else {
      DropBackgroundCopy();
    }
  }
  if (m_hBackDC != nullptr) ::BitBlt(pDC->m_hDC, 0, 0, client.Width(), client.Height(), m_hBackDC, 0, 0, SRCCOPY);
  if (hParentDC != nullptr) ::ReleaseDC(pParent->m_hWnd, hParentDC);
}

void CStyledButton::DrawBackground(CDC* pDC, const CRect& rcItem) {
  COLORREF colour = m_bHovered || m_bPressed ? m_colors[kActiveBack]
                    : m_bFocused             ? m_colors[kFocusBack]
                                             : m_colors[kRestingBack];
  CBrush brush(colour);
  pDC->FillRect(&rcItem, &brush);
}

void CStyledButton::DrawBorder(CDC* pDC, const CRect& rcItem) {
  if (!m_bFlatBorder) return;
  if (m_bPressed) pDC->Draw3dRect(&rcItem, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
  else if (m_bHovered) pDC->Draw3dRect(&rcItem, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

void CStyledButton::DrawIcon(CDC* pDC, BOOL hasCaption, const CRect& rcItem, CRect& rcCaption, BOOL pressed,
                             BOOL disabled) {
  const IconImage& image = IsImageActive() || m_restingIcon.icon == nullptr ? m_activeIcon : m_restingIcon;
  CPoint at = PlaceImage(hasCaption, rcItem, rcCaption, pressed, image.width, image.height);
  CPoint unshifted = pressed && !m_bCheckBox ? CPoint(at.x - kPressedOffset, at.y - kPressedOffset) : at;
  CSize extent(rcItem.right - unshifted.x, rcItem.bottom - unshifted.y);
  pDC->DrawState(at, extent, image.icon, disabled ? DSS_DISABLED : DSS_NORMAL, static_cast<HBRUSH>(nullptr));
}

void CStyledButton::DrawBitmap(CDC* pDC, BOOL hasCaption, const CRect& rcItem, CRect& rcCaption, BOOL pressed,
                               BOOL disabled) {
  const BitmapImage& image = IsImageActive() || m_restingBitmap.bitmap == nullptr ? m_activeBitmap : m_restingBitmap;
  CPoint at = PlaceImage(hasCaption, rcItem, rcCaption, pressed, image.width, image.height);
  HDC hImageDC = ::CreateCompatibleDC(pDC->m_hDC);
  HDC hMaskDC = ::CreateCompatibleDC(pDC->m_hDC);
  if (hImageDC == nullptr || hMaskDC == nullptr) {
    if (hImageDC != nullptr) ::DeleteDC(hImageDC);
    if (hMaskDC != nullptr) ::DeleteDC(hMaskDC);
    return;
  }
  HGDIOBJ oldImage = ::SelectObject(hImageDC, image.bitmap);
  HGDIOBJ oldMask = ::SelectObject(hMaskDC, image.mask);
  if (!disabled) {
    ::BitBlt(pDC->m_hDC, at.x, at.y, image.width, image.height, hMaskDC, 0, 0, SRCAND);
    ::BitBlt(pDC->m_hDC, at.x, at.y, image.width, image.height, hImageDC, 0, 0, SRCPAINT);
  } else {
    HDC hWorkDC = ::CreateCompatibleDC(pDC->m_hDC);
    HBITMAP hWork = ::CreateCompatibleBitmap(pDC->m_hDC, image.width, image.height);
    if (hWorkDC != nullptr && hWork != nullptr) {
      HGDIOBJ oldWork = ::SelectObject(hWorkDC, hWork);
      RECT all = {0, 0, image.width, image.height};
      ::FillRect(hWorkDC, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
      ::SetBkColor(hWorkDC, RGB(255, 255, 255));
      ::BitBlt(hWorkDC, 0, 0, image.width, image.height, hMaskDC, 0, 0, SRCAND);
      ::BitBlt(hWorkDC, 0, 0, image.width, image.height, hImageDC, 0, 0, SRCPAINT);
      ::SelectObject(hWorkDC, oldWork);
      pDC->DrawState(at, CSize(image.width, image.height), hWork, DSS_DISABLED);
    }
    if (hWork != nullptr) ::DeleteObject(hWork);
    if (hWorkDC != nullptr) ::DeleteDC(hWorkDC);
  }
  ::SelectObject(hImageDC, oldImage);
  ::SelectObject(hMaskDC, oldMask);
  ::DeleteDC(hImageDC);
  ::DeleteDC(hMaskDC);
}

void CStyledButton::DrawCaption(CDC* pDC, const CString& caption, const CRect&, CRect& rcCaption, BOOL pressed,
                                BOOL disabled) {
  if (pressed && !m_bCheckBox) rcCaption.OffsetRect(kPressedOffset, kPressedOffset);
  CRect keep = rcCaption;
  pDC->DrawText(caption, &rcCaption, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
  rcCaption.OffsetRect((keep.Width() - rcCaption.Width()) / 2, (keep.Height() - rcCaption.Height()) / 2);
  // Centred across the whole width again: a block exactly as wide as the
  // measured text can wrap its last letter away (Wine does).
  rcCaption.left = keep.left;
  rcCaption.right = keep.right;
  pDC->SetBkMode(TRANSPARENT);
  if (disabled) {
    rcCaption.OffsetRect(1, 1);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
    pDC->DrawText(caption, &rcCaption, DT_WORDBREAK | DT_CENTER);
    rcCaption.OffsetRect(-1, -1);
    pDC->SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
    pDC->DrawText(caption, &rcCaption, DT_WORDBREAK | DT_CENTER);
    return;
  }
  pDC->SetTextColor(m_bHovered || m_bPressed ? m_colors[kActiveText]
                    : m_bFocused             ? m_colors[kFocusText]
                                             : m_colors[kRestingText]);
  pDC->DrawText(caption, &rcCaption, DT_WORDBREAK | DT_CENTER);
}

void CStyledButton::OnMouseMove(UINT nFlags, CPoint point) {
  Default();
  CPoint screen = point;
  ClientToScreen(&screen);
  HWND hUnder = ::WindowFromPoint(screen);
  // Dragging onto the button with the mouse button held starts no hover.
  if ((nFlags & MK_LBUTTON) && !m_bHovered) return;
  if (hUnder != m_hWnd) {
    EndHover();
    return;
  }
  if (m_bHovered) return;
  m_bHovered = TRUE;
  Invalidate();
  PlayEventSound(m_hoverSound);
  TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m_hWnd, 0};
  ::_TrackMouseEvent(&track);
}

void CStyledButton::EndHover() {
  if (!m_bHovered) return;
  m_bHovered = FALSE;
  Invalidate();
}

void CStyledButton::OnMouseLeave() { EndHover(); }

void CStyledButton::OnKillFocus(CWnd* pNewWnd) {
  Default();
  if (pNewWnd == nullptr && !IsWindowEnabled()) m_bLostFocusToDisable = TRUE;
  EndHover();
}

void CStyledButton::OnCancelMode() {
  Default();
  EndHover();
}

void CStyledButton::OnActivate(UINT nState, CWnd*, BOOL) {
  Default();
  if (nState == WA_INACTIVE) EndHover();
}

void CStyledButton::OnEnable(BOOL bEnable) {
  Default();
  if (bEnable) return;
  // Only a button that held the focus passes it on: the control the user
  // is typing in keeps it.
  if (m_bLostFocusToDisable || ::GetFocus() == m_hWnd) {
    CWnd* pParent = GetParent();
    HWND hNext = pParent != nullptr ? ::GetNextDlgTabItem(pParent->m_hWnd, m_hWnd, FALSE) : nullptr;
    if (hNext != nullptr && hNext != m_hWnd) ::SetFocus(hNext);
    else if (pParent != nullptr) pParent->SetFocus();
  }
  m_bLostFocusToDisable = FALSE;
  EndHover();
}

void CStyledButton::OnSysColorChange() {
  Default();
  DropBackgroundCopy();
  ResetStateColors(TRUE);
}

BOOL CStyledButton::OnClicked() {
  SetFocus();
  PlayEventSound(m_clickSound);
  if (m_bCheckBox) {
    m_bChecked = !m_bChecked;
    Invalidate();
  }
  // The parent's own handler runs after this one.
  return FALSE;
}

HBRUSH CStyledButton::CtlColor(CDC*, UINT) { return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)); }

UINT CStyledButton::OnGetDlgCode() {
  UINT code = static_cast<UINT>(Default());
  return code | (m_bDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

LRESULT CStyledButton::OnSetStyle(WPARAM wParam, LPARAM lParam) {
  if ((wParam & kButtonTypeBits) == BS_DEFPUSHBUTTON) m_bDefault = TRUE;
  else if ((wParam & kButtonTypeBits) == BS_PUSHBUTTON) m_bDefault = FALSE;
  return DefWindowProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(kButtonTypeBits)) | BS_OWNERDRAW, lParam);
}

LRESULT CStyledButton::OnSetCheck(WPARAM wParam, LPARAM) {
  SetChecked(wParam == BST_CHECKED || wParam == BST_INDETERMINATE, TRUE);
  return 0;
}

LRESULT CStyledButton::OnGetCheck(WPARAM, LPARAM) { return IsChecked(); }
