#include "status_bar_pane.h"

#include "draw_helpers.h"
#include "icon_image.h"
#include "image_manager.h"
#include "status_bar.h"

IMPLEMENT_DYNAMIC(CTkStatusBarPane, CCmdTarget)

CFont* CTkStatusBarPane::GetTextFont() {
  if (m_font.GetSafeHandle() != nullptr) return &m_font;
  return m_pStatusBar != nullptr ? m_pStatusBar->GetStatusFont() : nullptr;
}

CTkImageIcon* CTkStatusBarPane::GetImage() {
  if (m_nIconId == -1 || m_pStatusBar == nullptr) return nullptr;
  CTkImageManager* images = m_pStatusBar->GetImageManager();
  return images != nullptr ? images->GetImage(static_cast<UINT>(m_nIconId), 0) : nullptr;
}

void CTkStatusBarPane::Draw(CDC* pDC, CRect rect) {
  if (m_pStatusBar == nullptr) return;
  if (CTkBarPainter* painter = m_pStatusBar->GetPaintManager()) painter->DrawStatusBarPane(pDC, rect, this);
}

BOOL CTkStatusBarPane::DrawsDisabledText() const {
  return m_pStatusBar != nullptr && m_pStatusBar->m_bDrawDisabledText;
}

void CTkStatusBarPane::FitWidthToText() {
  if (m_pStatusBar == nullptr) return;
  // Before the bar has a window the screen measures alike.
  CClientDC dc(m_pStatusBar);
  int width = 0;
  if (CFont* font = GetTextFont()) {
    CTkFontSelector selector(&dc, font);
    width = m_strText.IsEmpty() ? 0 : dc.GetTextExtent(m_strText).cx;
  }
  if (CTkImageIcon* icon = GetImage()) width += (width > 0 ? 2 : 0) + icon->GetWidth();
  m_cxText = width;
}
