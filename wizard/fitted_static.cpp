#include "fitted_static.h"

#include "start_view.h"

BEGIN_MESSAGE_MAP(CFittedStatic, CStatic)
  ON_MESSAGE(WM_SETTEXT, OnSetText)
  ON_WM_SIZE()
END_MESSAGE_MAP()

CFittedStatic::~CFittedStatic() {
  if (m_fitted != nullptr) ::DeleteObject(m_fitted);
}

void CFittedStatic::SetBaseFont(CFont* font) {
  m_base = font;
  Refit();
}

LRESULT CFittedStatic::OnSetText(WPARAM, LPARAM) {
  const LRESULT result = Default();
  Refit();
  return result;
}

void CFittedStatic::OnSize(UINT nType, int cx, int cy) {
  CStatic::OnSize(nType, cx, cy);
  Refit();
}

void CFittedStatic::Refit() {
  if (m_hWnd == nullptr || m_base == nullptr) return;
  CString text;
  GetWindowText(text);
  CRect client;
  GetClientRect(&client);
  HFONT fitted = nullptr;
  if (!text.IsEmpty() && client.Width() > 0) {
    HDC hdc = ::GetDC(m_hWnd);
    fitted = FitFontToWidth(hdc, *m_base, text, client.Width());
    ::ReleaseDC(m_hWnd, hdc);
  }
  HFONT old = m_fitted;
  m_fitted = fitted;
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(ShownFont()), TRUE);
  if (old != nullptr) ::DeleteObject(old);
}
