// Thumbnails of the pictures of one folder, 160 x 120 each, numbered from
// 1: the slides of a presentation exported as pictures.
#pragma once

#include "framework.h"

class CEx_StyleDoc;

// Where a picture of width x height sits in a 160 x 120 cell: the whole
// height when it is taller than 4:3, else the whole width.
CRect ThumbnailPlacement(UINT width, UINT height);

class CThumbView : public CListView {
  DECLARE_DYNCREATE(CThumbView)

 public:
  BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
              UINT nID, CCreateContext* pContext = nullptr) override;
  void OnInitialUpdate() override;
  // Numbers an item per picture name of the document, then draws each
  // picture into its cell; a picture that does not load stays blank.
  void LoadThumbnails(CEx_StyleDoc& document);

  CImageList m_images;
};
