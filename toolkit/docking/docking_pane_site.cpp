#include "docking_pane_site.h"

CTkDockingPaneSite::~CTkDockingPaneSite() {
  if (m_hWnd != nullptr) DestroyWindow();
}

BOOL CTkDockingPaneSite::InstallInFrame(CFrameWnd* pFrame) {
  if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr) return FALSE;
  if (m_hWnd != nullptr) return TRUE;
  m_pFrame = pFrame;
  LPCWSTR windowClass = AfxRegisterWndClass(0);
  return Create(windowClass, L"", WS_CHILD, CRect(0, 0, 0, 0), pFrame, 0);
}
