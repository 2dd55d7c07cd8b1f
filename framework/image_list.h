// CImageList: an image list handle.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "gdi.h"
#include "object.h"
#include "temp_handles.h"

class CDC;

class CImageList : public CObject {
  DECLARE_DYNAMIC(CImageList)
 public:
  CImageList() = default;
  ~CImageList() override { DeleteImageList(); }
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  static CImageList* FromHandle(HIMAGELIST hImageList) { return AfxTempObjects<CImageList>::Get(hImageList); }
  operator HIMAGELIST() const { return m_hImageList; }
  HIMAGELIST GetSafeHandle() const { return this != nullptr ? m_hImageList : nullptr; }
  BOOL Attach(HIMAGELIST hImageList) {
    if (hImageList == nullptr) return FALSE;
    m_hImageList = hImageList;
    return TRUE;
  }
  HIMAGELIST Detach() {
    HIMAGELIST h = m_hImageList;
    m_hImageList = nullptr;
    return h;
  }
  BOOL DeleteImageList() { return m_hImageList != nullptr ? ImageList_Destroy(Detach()) : FALSE; }

  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
  }
  // From a bitmap resource of images cx wide; crMask is the transparent colour.
  BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);

  int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
  BOOL SetImageCount(UINT uNewCount) { return ImageList_SetImageCount(m_hImageList, uNewCount); }
  int Add(HICON hIcon) { return ImageList_AddIcon(m_hImageList, hIcon); }
  int Add(CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Add(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                         static_cast<HBITMAP>(pbmMask->GetSafeHandle()));
  }
  int Add(CBitmap* pbmImage, COLORREF crMask) {
    return ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()), crMask);
  }
  BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Replace(m_hImageList, nImage, static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                             static_cast<HBITMAP>(pbmMask->GetSafeHandle()));
  }
  int Replace(int nImage, HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon); }
  BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
  COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
  HICON ExtractIcon(int nImage) { return ImageList_ExtractIcon(nullptr, m_hImageList, nImage); }
  BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
  BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const {
    return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
  }

  void AttachTempHandle(void* h) { m_hImageList = static_cast<HIMAGELIST>(h); }
  void DetachTempHandle() { m_hImageList = nullptr; }

  HIMAGELIST m_hImageList = nullptr;
};
