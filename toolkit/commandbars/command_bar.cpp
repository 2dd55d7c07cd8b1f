#include "command_bar.h"

#include "bar_painter.h"
#include "image_manager.h"

IMPLEMENT_DYNCREATE(CTkCommandBar, CWnd)
IMPLEMENT_DYNCREATE(CTkPopupBar, CTkCommandBar)

CTkCommandBar::CTkCommandBar() : m_pControls(new CTkControls(this)) {}

CTkCommandBar::~CTkCommandBar() {
  m_pControls->RemoveAll();
  m_pControls->InternalRelease();
  if (m_pPaintManager != nullptr) m_pPaintManager->InternalRelease();
  if (m_pImageManager != nullptr) m_pImageManager->InternalRelease();
}

void CTkCommandBar::OnFinalRelease() {
  if (GetSafeHwnd() != nullptr) DestroyWindow();
  delete this;
}

CSize CTkCommandBar::GetEffectiveIconSize() const {
  if (m_szIcons.cx != 0 || m_szIcons.cy != 0) return m_szIcons;
  return CSize(16, 16);
}

CSize CTkCommandBar::GetEffectiveButtonSize() const {
  if (m_szButtons.cx != 0 || m_szButtons.cy != 0) return m_szButtons;
  const CSize icons = GetEffectiveIconSize();
  return CSize(icons.cx + 7, icons.cy + 7);
}

CTkBarPainter* CTkCommandBar::GetPaintManager() const {
  return m_pPaintManager != nullptr ? m_pPaintManager : GetCurrentBarPainter();
}

void CTkCommandBar::SetPaintManager(CTkBarPainter* painter) {
  if (m_pPaintManager != nullptr) m_pPaintManager->InternalRelease();
  m_pPaintManager = painter;
  if (painter != nullptr) painter->UpdateFontsAndColors();
}

CTkImageManager* CTkCommandBar::GetImageManager() const {
  return m_pImageManager != nullptr ? m_pImageManager : GetSharedImageManager();
}

void CTkCommandBar::AttachImageManager(CTkImageManager* manager) {
  if (m_pImageManager != nullptr) m_pImageManager->InternalRelease();
  m_pImageManager = manager;
}
