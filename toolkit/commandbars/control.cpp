#include "control.h"

#include "bar_painter.h"
#include "command_bar.h"
#include "image_manager.h"

IMPLEMENT_DYNCREATE(CTkControl, CCmdTarget)
IMPLEMENT_DYNCREATE(CTkControlButton, CTkControl)
IMPLEMENT_DYNCREATE(CTkControlPopup, CTkControl)

void CTkControl::SetCaption(const CString& caption) {
  const int tab = caption.Find(L'\t');
  if (tab < 0) {
    m_strCaption = caption;
    return;
  }
  m_strAutoShortcutText = caption.Mid(tab + 1);
  m_strCaption = caption.Left(tab);
}

UINT CTkControl::GetResolvedIconId() const {
  if (m_nCustomIconId != 0) return static_cast<UINT>(m_nCustomIconId);
  if (m_nIconId > 0) return static_cast<UINT>(m_nIconId);
  return m_nId;
}

CTkImageIcon* CTkControl::GetIconImage(int width) {
  const UINT id = GetResolvedIconId();
  if (id == 0) return nullptr;
  return GetImageManager()->GetImage(id, width);
}

BOOL CTkControl::IsCaptionVisible() {
  if (m_pParent != nullptr && m_pParent->GetType() == kBarPopup) return TRUE;
  if (GetVisibleCaption().IsEmpty()) return FALSE;
  switch (GetEffectiveStyle()) {
    case kButtonCaption:
    case kButtonIconAndCaption:
      return TRUE;
    case kButtonIcon:
      return FALSE;
    default:
      break;
  }
  switch (m_nType) {
    case kControlButton:
    case kControlButtonPopup:
    case kControlSplitButtonPopup:
      return GetIconImage(0) == nullptr;
    case kControlPopup:
    case kControlLabel:
      return TRUE;
    default:
      return FALSE;
  }
}

CTkBarPainter* CTkControl::GetPaintManager() const {
  if (m_pParent != nullptr) return m_pParent->GetPaintManager();
  return GetCurrentBarPainter();
}

CTkImageManager* CTkControl::GetImageManager() const {
  if (m_pParent != nullptr) return m_pParent->GetImageManager();
  return GetSharedImageManager();
}

CSize CTkControl::GetSize(CDC* pDC) {
  CTkBarPainter* painter = GetPaintManager();
  return painter != nullptr ? painter->PaintControl(pDC, this, FALSE) : CSize(0, 0);
}

void CTkControl::Draw(CDC* pDC) {
  if (CTkBarPainter* painter = GetPaintManager()) painter->PaintControl(pDC, this, TRUE);
}
