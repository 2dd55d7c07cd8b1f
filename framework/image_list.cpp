#include "image_list.h"

#include "dc.h"
#include "module_state.h"

IMPLEMENT_DYNAMIC(CImageList, CObject)

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
  LPCWSTR name = MAKEINTRESOURCEW(nBitmapID);
  return Attach(ImageList_LoadImageW(AfxFindResourceHandle(name, RT_BITMAP), name, cx, nGrow, crMask, IMAGE_BITMAP,
                                     LR_CREATEDIBSECTION));
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
  return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}
