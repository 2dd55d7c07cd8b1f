#include "skinned_dialog.h"

CDialogSkin::CDialogSkin(UINT nIDBitmap) {
  m_bitmap.Attach(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDBitmap), IMAGE_BITMAP, 0, 0,
                               LR_CREATEDIBSECTION));
}

BOOL CDialogSkin::Paint(CDC* pDC) {
  if (!IsLoaded()) return FALSE;
  BITMAP info = {};
  m_bitmap.GetBitmap(&info);
  CDC memory;
  if (!memory.CreateCompatibleDC(pDC)) return FALSE;
  CBitmap* pOld = memory.SelectObject(&m_bitmap);
  pDC->BitBlt(0, 0, info.bmWidth, info.bmHeight, &memory, 0, 0, SRCCOPY);
  memory.SelectObject(pOld);
  return TRUE;
}

BEGIN_MESSAGE_MAP(CSkinnedDialog, CDialog)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CSkinnedDialog::OnEraseBkgnd(CDC* pDC) {
  if (m_skin.Paint(pDC)) return TRUE;
  return CDialog::OnEraseBkgnd(pDC);
}
