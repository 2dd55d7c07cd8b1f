#include "memory_dc.h"

CMemoryDC::CMemoryDC(CDC* pDC) : m_pDC(pDC), m_bMemDC(!pDC->IsPrinting()) {
  pDC->GetClipBox(&m_rect);
  Begin();
}

CMemoryDC::CMemoryDC(CDC* pDC, const CRect& rect) : m_pDC(pDC), m_rect(rect), m_bMemDC(!pDC->IsPrinting()) {
  Begin();
}

void CMemoryDC::Begin() {
  if (m_bMemDC && CreateCompatibleDC(m_pDC)) {
    m_pDC->LPtoDP(&m_rect);
    m_bitmap.CreateCompatibleBitmap(m_pDC, m_rect.Width(), m_rect.Height());
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.GetSafeHandle());
    int mode = m_pDC->GetMapMode();
    SetMapMode(mode);
    if (mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC) {
      SetWindowExt(m_pDC->GetWindowExt());
      SetViewportExt(m_pDC->GetViewportExt());
    }
    m_pDC->DPtoLP(&m_rect);
    SetWindowOrg(m_rect.left, m_rect.top);
  } else {
    // Printing (or no memory context): draw straight on the target.
    m_bMemDC = FALSE;
    m_hDC = m_pDC->m_hDC;
    m_hAttribDC = m_pDC->m_hAttribDC;
  }
  FillSolidRect(&m_rect, m_pDC->GetBkColor());
}

CMemoryDC::~CMemoryDC() {
  if (m_bMemDC) {
    m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
    ::SelectObject(m_hDC, m_hOldBitmap);
  } else {
    // The handles are the target's: not ours to delete.
    m_hDC = m_hAttribDC = nullptr;
  }
}
