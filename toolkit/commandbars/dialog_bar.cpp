#include "dialog_bar.h"

#include <algorithm>

#include "bar_measure_dc.h"
#include "bar_painter.h"
#include "command_bars.h"
#include "draw_helpers.h"
#include "popup_bar.h"

IMPLEMENT_DYNCREATE(CTkDialogBar, CTkToolBar)
IMPLEMENT_DYNCREATE(CTkDialogBarCaption, CTkControlPopup)
IMPLEMENT_DYNCREATE(CTkDialogBarClose, CTkControlToolBarClose)

BEGIN_MESSAGE_MAP(CTkDialogBar, CTkToolBar)
ON_WM_SIZE()
ON_WM_NCHITTEST()
END_MESSAGE_MAP()

namespace {
// The sizing band inside the window edges.
const int kSizingBand = 3;
const int kCloseButtonExtent = 16;
// Flags of the caption control: skipped by the keyboard, left alone by
// command updates, not customizable, its popup opening from its left.
const int kCaptionFlags = 0x1E;
const DWORD kStretch = 0x01;
const DWORD kHorizontal = 0x02;
const DWORD kVerticalDock = 0x10;
}  // namespace

CTkDialogBar::CTkDialogBar() {
  m_bCustomizable = FALSE;
  m_bShowExpandButton = FALSE;
  m_pCaptionPopupBar = CTkPopupBar::CreateForCommandBars(nullptr);
}

CTkDialogBar::~CTkDialogBar() {
  if (m_pCaptionPopupBar != nullptr) m_pCaptionPopupBar->InternalRelease();
}

void CTkDialogBar::SetChild(HWND child) {
  m_hChild = child;
  if (child == nullptr || GetSafeHwnd() == nullptr) return;
  if (::GetParent(child) != m_hWnd) ::SetParent(child, m_hWnd);
  CRect client;
  GetClientRect(&client);
  OnSize(SIZE_RESTORED, client.Width(), client.Height());
}

BOOL CTkDialogBar::HasCaptionDropDown() const {
  return m_bCaptionPopup && m_pCaptionPopupBar != nullptr && m_pCaptionPopupBar->GetControlCount() > 0;
}

CSize CTkDialogBar::CalcBarSize(int, DWORD flags) {
  return CalcSizeFor(m_szFloating, 32000, flags);
}

CSize CTkDialogBar::CalcDockedSize(int length, DWORD flags) { return CalcSizeFor(m_szDocked, length, flags); }

CSize CTkDialogBar::CalcSizeFor(CSize client, int length, DWORD flags) {
  CSize size(client.cx + m_rcMargins.left + m_rcMargins.right, client.cy + m_rcMargins.top + m_rcMargins.bottom);
  if (!m_bCaptionVisible) {
    m_nCaptionBottom = m_rcMargins.top;
    if (CTkControl* caption = m_pControls->FindControl(kCaptionControlId)) ShowOwnControl(caption, FALSE);
    ShowOwnControl(m_pControls->FindControl(kCloseButtonId), FALSE);
    return size;
  }
  CTkBarMeasureDC dc(this);
  CTkBarPainter* painter = GetPaintManager();
  const CSize gripper = painter != nullptr ? painter->DrawGripper(dc.Get(), this, FALSE) : CSize(6, 22);
  const int captionHeight = gripper.cy;
  m_nCaptionBottom = m_rcMargins.top + captionHeight;
  size.cy += captionHeight;
  if ((flags & kStretch) != 0) {
    if ((flags & kVerticalDock) != 0)
      size.cy = std::max(static_cast<int>(size.cy), length);
    else
      size.cx = std::max(static_cast<int>(size.cx), length);
  }
  if ((flags & kHorizontal) != 0)
    size.cx = std::min(static_cast<int>(size.cx), length);
  else
    size.cy = std::min(static_cast<int>(size.cy), length);
  LayoutCaptionBand(size.cx, captionHeight, gripper.cx);
  return size;
}

void CTkDialogBar::LayoutCaptionBand(int width, int captionHeight, int gripperWidth) {
  int right = width - m_rcMargins.right;
  const int middle = m_rcMargins.top + captionHeight / 2;
  CTkControl* close = m_pControls->FindControl(kCloseButtonId);
  if (m_bCloseable) {
    if (close == nullptr) close = m_pControls->AddControl(new CTkDialogBarClose, kCloseButtonId);
    ShowOwnControl(close, TRUE);
    close->SetControlRect(CRect(right - kCloseButtonExtent, middle - 8, right, middle + 8));
    right -= kCloseButtonExtent;
  } else {
    ShowOwnControl(close, FALSE);
  }
  CTkControl* caption = m_pControls->FindControl(kCaptionControlId);
  if (caption == nullptr) {
    auto* created = new CTkDialogBarCaption;
    created->SetCommandBar(m_pCaptionPopupBar);
    caption = m_pControls->AddControl(created, kCaptionControlId);
  }
  ShowOwnControl(caption, TRUE);
  caption->SetCaption(GetCaptionText());
  const int left = m_rcMargins.left + gripperWidth;
  caption->SetControlRect(CRect(left, middle - 8, std::max(right, left), middle + 8));
}

int CTkDialogBar::ContainsPoint(int x, int y) {
  if (GetSafeHwnd() == nullptr) return -2;
  CRect window;
  GetWindowRect(&window);
  return x >= window.left && x < window.right && y >= window.top && y < window.top + m_nCaptionBottom ? 1 : -2;
}

void CTkDialogBar::CopyBarFrom(CTkCommandBar* source, BOOL recursive) {
  CTkToolBar::CopyBarFrom(source, recursive);
  if (source == nullptr || source == this || !source->IsKindOf(RUNTIME_CLASS(CTkDialogBar))) return;
  auto* bar = static_cast<CTkDialogBar*>(source);
  m_rcMargins = bar->m_rcMargins;
  m_bResizable = bar->m_bResizable;
  m_szMinimal = bar->m_szMinimal;
  m_bCaptionVisible = bar->m_bCaptionVisible;
  m_bCaptionPopup = bar->m_bCaptionPopup;
  m_szDocked = bar->m_szDocked;
  m_szFloating = bar->m_szFloating;
  m_strCaption = bar->m_strCaption;
  // The copied controls share the source's caption popup; the copy opens its own.
  if (CTkControl* caption = m_pControls->FindControl(kCaptionControlId))
    if (caption->IsKindOf(RUNTIME_CLASS(CTkControlPopup)))
      static_cast<CTkControlPopup*>(caption)->SetCommandBar(m_pCaptionPopupBar);
}

BOOL CTkDialogBar::ResizeFromTracker(const CRect& rect, int hit) {
  if (rect.Width() < m_szMinimal.cx || rect.Height() < m_szMinimal.cy) return FALSE;
  const int clientWidth = rect.Width() - m_rcMargins.left - m_rcMargins.right;
  const int clientHeight = rect.Height() - m_nCaptionBottom - m_rcMargins.bottom;
  if (IsFloating()) {
    m_szFloating = CSize(clientWidth, clientHeight);
    CalcBarSize(32000, kLayoutHorizontal | kLayoutCommit);
    SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate(FALSE);
    return TRUE;
  }
  if (hit == HTLEFT || hit == HTRIGHT)
    m_szDocked.cx = clientWidth;
  else
    m_szDocked.cy = clientHeight;
  OnControlsChanged();
  return TRUE;
}

void CTkDialogBar::OnSize(UINT type, int cx, int cy) {
  CTkToolBar::OnSize(type, cx, cy);
  if (m_hChild == nullptr || !::IsWindow(m_hChild)) return;
  const int width = std::max(0, cx - static_cast<int>(m_rcMargins.left) - static_cast<int>(m_rcMargins.right));
  const int height = std::max(0, cy - m_nCaptionBottom - static_cast<int>(m_rcMargins.bottom));
  ::SetWindowPos(m_hChild, nullptr, m_rcMargins.left, m_nCaptionBottom, width, height, SWP_NOACTIVATE | SWP_NOZORDER);
  ::InvalidateRect(m_hChild, nullptr, TRUE);
}

LRESULT CTkDialogBar::OnNcHitTest(CPoint point) {
  if (!m_bResizable) return CTkCommandBar::OnNcHitTest(point);
  CRect window;
  GetWindowRect(&window);
  const BOOL top = point.y < window.top + kSizingBand;
  const BOOL bottom = point.y >= window.bottom - kSizingBand;
  const BOOL left = point.x < window.left + kSizingBand;
  const BOOL right = point.x >= window.right - kSizingBand;
  if (IsFloating()) {
    if (top && left) return HTTOPLEFT;
    if (top && right) return HTTOPRIGHT;
    if (bottom && left) return HTBOTTOMLEFT;
    if (bottom && right) return HTBOTTOMRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    return CTkCommandBar::OnNcHitTest(point);
  }
  const BOOL stretching = (m_dwFlags & kDockStretch) != 0;
  switch (GetPosition()) {
    case kBarTop:
      if (bottom) return HTBOTTOM;
      if (right && !stretching) return HTRIGHT;
      break;
    case kBarBottom:
      if (top) return HTTOP;
      if (right && !stretching) return HTRIGHT;
      break;
    case kBarLeft:
      if (bottom && !stretching) return HTBOTTOM;
      if (right) return HTRIGHT;
      break;
    case kBarRight:
      if (bottom && !stretching) return HTBOTTOM;
      if (left) return HTLEFT;
      break;
    default:
      break;
  }
  return CTkCommandBar::OnNcHitTest(point);
}

CTkDialogBarCaption::CTkDialogBarCaption() : CTkControlPopup(kControlPopup) { m_nFlags |= kCaptionFlags; }

void CTkDialogBarCaption::Draw(CDC* pDC) {
  auto* bar = static_cast<CTkDialogBar*>(GetParent());
  CTkBarPainter* painter = bar != nullptr ? bar->GetPaintManager() : nullptr;
  if (painter == nullptr || !bar->IsKindOf(RUNTIME_CLASS(CTkDialogBar))) return;
  const BOOL dropDown = bar->HasCaptionDropDown();
  if (dropDown) painter->DrawControlFaceOf(pDC, this);
  const COLORREF color = painter->GetColor(COLOR_BTNTEXT);
  CRect text = m_rcControl;
  text.left += 2;
  text.right -= dropDown ? 15 : 2;
  // The caption band lies across the bar wherever it is docked: never the
  // turned font of a bar docked left or right.
  CTkFontSelector font(pDC, painter->GetControlFont(kBarTop, FALSE));
  const int mode = pDC->SetBkMode(TRANSPARENT);
  const COLORREF previous = pDC->SetTextColor(color);
  pDC->DrawText(bar->GetCaptionText(), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  pDC->SetTextColor(previous);
  pDC->SetBkMode(mode);
  if (!dropDown) return;
  const int middle = (m_rcControl.top + m_rcControl.bottom) / 2;
  const int right = m_rcControl.right;
  CTkBarPainter::FillTriangle(pDC, CPoint(right - 13, middle - 2), CPoint(right - 5, middle - 2),
                              CPoint(right - 9, middle + 2), color);
}

BOOL CTkDialogBarCaption::SetPopuped(BOOL popuped) {
  auto* bar = static_cast<CTkDialogBar*>(GetParent());
  // Without a drop-down there is nothing to open; that is no failure.
  if (popuped && (bar == nullptr || !bar->IsKindOf(RUNTIME_CLASS(CTkDialogBar)) || !bar->HasCaptionDropDown()))
    return TRUE;
  if (popuped && m_pCommandBar != nullptr && m_pCommandBar->GetCommandBars() == nullptr)
    m_pCommandBar->SetCommandBars(bar->GetCommandBars());
  return CTkControlPopup::SetPopuped(popuped);
}

void CTkDialogBarClose::Draw(CDC* pDC) {
  CTkCommandBar* bar = GetParent();
  CTkBarPainter* painter = bar != nullptr ? bar->GetPaintManager() : nullptr;
  if (painter == nullptr) return;
  painter->DrawControlFaceOf(pDC, this);
  CFont marlett;
  const int pointSize = ::MulDiv(80, 96, pDC->GetDeviceCaps(LOGPIXELSX));
  if (!marlett.CreatePointFont(pointSize, L"Marlett", pDC)) return;
  CTkFontSelector font(pDC, &marlett);
  const int mode = pDC->SetBkMode(TRANSPARENT);
  const COLORREF previous = pDC->SetTextColor(painter->GetColor(COLOR_BTNTEXT));
  CRect rect = m_rcControl;
  pDC->DrawText(CString(L"r"), &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
  pDC->SetTextColor(previous);
  pDC->SetBkMode(mode);
}
